// Item controls at work on stand-in bar windows: opening a 50-item menu (its controls made,
// measured and painted through the window) and painting a 20-button toolbar, each against filling
// the same rectangles and drawing the same captions with FillRect and DrawText.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "tests/ui/bars/BarStandIns.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/GraphicsUnit.h"
#include "ui/foundation/PaintersUnit.h"

using namespace win;

namespace {

struct Stage {
  platform::ScopedVirtualClock clock;
  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TStandInBar* bar = nullptr;
  std::unique_ptr<TdxBarItemLinks> links;
  TBitmap glyph;

  // A bar of the kind with Count buttons, every other one with a glyph, shown on the screen.
  Stage(int AKind, int Count) {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1600, 1200));
    InitializeForms();
    Application->Initialize();
    PaintingUnitsStartup();
    GraphicsUnitStartup();
    ControlsUnitStartup();
    BarUnitStartup();
    UseStandInControls();
    Application->CreateForm(form);
    manager = new TdxBarManager(form);
    manager->SetStyle(bmsStandard);
    glyph.SetSize(16, 16);
    glyph.Canvas()->Brush()->SetColor(clNavy);
    glyph.Canvas()->FillRect(TRect{2, 2, 14, 14});
    links.reset(AKind == dxBarKindMenu ? static_cast<TdxBarItemLinks*>(new TdxBarSubMenuControlItemLinks(manager, nullptr))
                                       : new TdxBarControlItemLinks(manager, nullptr));
    for (int i = 0; i < Count; ++i) {
      auto* button = new TdxBarButton(form);
      button->SetCaption((AKind == dxBarKindMenu ? "Recall scene " : "Scene ") + std::to_string(i + 1));
      if (i % 2 == 0) button->SetGlyph(&glyph);
      links->AddItem(button);
    }
    bar = new TStandInBar(manager, AKind);
    bar->SetItemLinks(links.get());
    bar->SetBounds(10, 10, 200, 30);
    form->Show();
    bar->HandleNeeded();
    bar->ShowNoActivate();
    bar->SetVisible(true);
    bar->AutoSize = false;
    bar->Update();
  }
  ~Stage() {
    TObject::Free(bar);
    links.reset();
    TObject::Free(form);
    dxBarItemControlFactory = nullptr;
    BarUnitShutdown();
    ControlsUnitShutdown();
    GraphicsUnitShutdown();
    PaintingUnitsShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  void Repaint() const { RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }
};

// The same rectangles filled and the same captions drawn into the bar's window.
void FillAndDraw(const Stage& S) {
  HDC dc = GetDC(S.bar->Handle());
  HGDIOBJ font = SelectObject(dc, S.manager->Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  RECT client = S.bar->ClientRect();
  FillRect(dc, &client, face);
  for (int i = 0; i < S.links->Count(); ++i) {
    TdxBarItemLink* link = S.links->Items(i);
    RECT r = link->ItemRect();
    FillRect(dc, &r, face);
    const String caption = link->Caption();
    DrawText(dc, caption.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER);
  }
  SelectObject(dc, font);
  ReleaseDC(S.bar->Handle(), dc);
}

void BM_OpenMenu50(benchmark::State& state) {
  Stage s(dxBarKindMenu, 50);
  for (auto _ : state) {
    // Controls made and measured anew, then the window painted.
    s.bar->RebuildRecreating();
    s.Repaint();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OpenMenu50)->Unit(benchmark::kMicrosecond);

void BM_OpenMenu50Baseline(benchmark::State& state) {
  Stage s(dxBarKindMenu, 50);
  for (auto _ : state) {
    FillAndDraw(s);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OpenMenu50Baseline)->Unit(benchmark::kMicrosecond);

void BM_PaintToolbar20(benchmark::State& state) {
  Stage s(dxBarKindToolbar, 20);
  for (auto _ : state) {
    s.Repaint();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PaintToolbar20)->Unit(benchmark::kMicrosecond);

void BM_PaintToolbar20Baseline(benchmark::State& state) {
  Stage s(dxBarKindToolbar, 20);
  for (auto _ : state) {
    FillAndDraw(s);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PaintToolbar20Baseline)->Unit(benchmark::kMicrosecond);

}  // namespace
