// A docked toolbar window of 20 buttons with glyphs and captions painted whole (frame and client,
// through the window's own paint), against filling the same area and drawing the 20 captions with
// FillRect and DrawText, in one run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "platform/win/Window.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/GraphicsUnit.h"
#include "ui/foundation/PaintersUnit.h"

using namespace win;

namespace {

constexpr int kButtons = 20, kWidth = 64, kHeight = 24;

// The buttons side by side, as the item layout will place them on one line.
class TBenchRowToolbar : public TdxBarControl {
  VW_CLASS(TBenchRowToolbar, TdxBarControl)
 public:
  explicit TBenchRowToolbar(TComponent* AOwner) : TdxBarControl(AOwner) {}
  void CalcHorizontalItemRects() override {
    for (int i = 0; ItemLinks() && i < ItemLinks()->VisibleCount(); ++i)
      ItemLinks()->VisibleLinks(i)->SetItemRect({i * kWidth, 0, (i + 1) * kWidth, kHeight});
  }
};

class TBenchRowBar : public TdxBar {
  VW_CLASS(TBenchRowBar, TdxBar)
 public:
  explicit TBenchRowBar(TComponent* AOwner) : TdxBar(AOwner) {}
  TClass BarControlClass() const override { return TBenchRowToolbar::StaticClass(); }
};

struct TStage {
  platform::ScopedVirtualClock clock;
  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TBitmap glyph;
  TdxBarControl* window = nullptr;

  TStage() {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1600, 600));
    InitializeForms();
    Application->Initialize();
    PaintingUnitsStartup();
    GraphicsUnitStartup();
    ControlsUnitStartup();
    BarUnitStartup();
    Application->CreateForm(form);
    form->SetBounds(0, 0, 1500, 200);
    form->Show();
    manager = new TdxBarManager(form);
    manager->SetStyle(bmsStandard);
    manager->Bars()->CreateDockControls();
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(16, 16);
    glyph.Canvas()->Brush()->SetColor(clNavy);
    glyph.Canvas()->FillRect(RECT{2, 2, 14, 14});
    auto* bar = new TBenchRowBar(form);
    bar->AttachToParent(manager);
    for (int i = 0; i < kButtons; ++i) {
      auto* button = new TdxBarButton(form);
      button->SetCaption("Scene " + std::to_string(i + 1));
      button->Glyph()->Assign(&glyph);
      button->SetPaintStyle(TdxBarPaintStyle::psCaptionGlyph);
      bar->ItemLinks()->AddItem(button);
    }
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(true);
    window = bar->Control();
    // Until sites lay out their rows, the top site takes the toolbar's height by hand.
    window->DockControl()->SetHeight(kHeight + 8);
    window->SetBounds(0, 0, kButtons * kWidth + 40, kHeight + 8);
    Application->ProcessMessages();
  }
  ~TStage() {
    TObject::Free(form);
    BarUnitShutdown();
    ControlsUnitShutdown();
    GraphicsUnitShutdown();
    PaintingUnitsShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  void PaintWindow() { RedrawWindow(window->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW); }
  void PaintBaseline() {
    HDC dc = GetWindowDC(window->Handle());
    RECT all{0, 0, window->Width(), window->Height()};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    SelectObject(dc, manager->Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < kButtons; ++i) {
      const std::string text = "Scene " + std::to_string(i + 1);
      RECT r{i * kWidth + 20, 2, (i + 1) * kWidth + 20, kHeight + 6};
      DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
    ReleaseDC(window->Handle(), dc);
  }
};

void BM_DockedToolbarWindowOf20Buttons(benchmark::State& state) {
  TStage s;
  for (auto _ : state) {
    s.PaintWindow();
    benchmark::ClobberMemory();
  }
}

void BM_DockedToolbarFillRectAndDrawTextBaseline(benchmark::State& state) {
  TStage s;
  for (auto _ : state) {
    s.PaintBaseline();
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_DockedToolbarFillRectAndDrawTextBaseline);
BENCHMARK(BM_DockedToolbarWindowOf20Buttons);
