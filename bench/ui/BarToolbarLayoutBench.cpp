// The toolbar size rules on real toolbar windows: the size of a left-docked multi-line toolbar of
// 60 buttons for a wanted width (the search that gives up height a pixel at a time), against one
// line-breaking pass of the same toolbar; and one border-resizing step of a floating toolbar of
// 40 buttons.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "platform/win/Messages.h"
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

struct TStage {
  platform::ScopedVirtualClock clock;
  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TBitmap glyph;
  TdxBar* bar = nullptr;

  TStage(TdxBarDockingStyle AStyle, int AButtons) {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1600, 1200));
    InitializeForms();
    Application->Initialize();
    PaintingUnitsStartup();
    GraphicsUnitStartup();
    ControlsUnitStartup();
    BarUnitStartup();
    Application->CreateForm(form);
    form->SetBounds(0, 0, 1500, 1100);
    form->Show();
    manager = new TdxBarManager(form);
    manager->SetStyle(bmsStandard);
    manager->Bars()->CreateDockControls();
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(16, 16);
    glyph.Canvas()->Brush()->SetColor(clNavy);
    glyph.Canvas()->FillRect(RECT{2, 2, 14, 14});
    bar = manager->Bars()->Add();
    for (int i = 0; i < AButtons; ++i) {
      auto* button = new TdxBarButton(form);
      button->SetCaption("Scene " + std::to_string(i + 1));
      button->Glyph()->Assign(&glyph);
      bar->ItemLinks()->AddItem(button)->SetBeginGroup(i % 7 == 6);
    }
    bar->SetMultiLine(true);
    bar->SetFloatLeft(100);
    bar->SetFloatTop(100);
    bar->SetFloatClientWidth(400);
    bar->SetDockingStyle(AStyle);
    bar->SetVisible(true);
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
  TdxBarControl* Window() const { return bar->Control(); }
};

void BM_LeftDockedSizeForWidthOf60Buttons(benchmark::State& state) {
  TStage s(dsLeft, 60);
  TdxBarControl* w = s.Window();
  int width = 0;
  for (auto _ : state) {
    width = w->CalcSizeForWidth(dsLeft, 120).cx;
    benchmark::DoNotOptimize(width);
  }
  state.counters["width"] = width;
}

void BM_LeftDockedOneLineBreakingPassOf60Buttons(benchmark::State& state) {
  TStage s(dsLeft, 60);
  TdxBarControl* w = s.Window();
  for (auto _ : state) {
    TSize size{w->MinLengthFor(dsLeft), w->MinThicknessFor(dsLeft)};
    w->WrapForWidth(true, 600, size);
    benchmark::DoNotOptimize(size);
  }
}

void BM_FloatingSizingStepOf40Buttons(benchmark::State& state) {
  TStage s(dsNone, 40);
  TdxBarControl* w = s.Window();
  RECT start;
  GetWindowRect(w->Handle(), &start);
  int step = 0;
  for (auto _ : state) {
    // Alternate two widths so every step has lines to break anew.
    RECT r{start.left, start.top, start.left + ((++step & 1) ? 300 : 520), start.bottom};
    SendMessage(w->Handle(), WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&r));
    benchmark::DoNotOptimize(r);
  }
}

}  // namespace

BENCHMARK(BM_LeftDockedSizeForWidthOf60Buttons)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LeftDockedOneLineBreakingPassOf60Buttons)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FloatingSizingStepOf40Buttons)->Unit(benchmark::kMicrosecond);
