// Skinned windows: a full repaint of a three-tab page control in the Foggy skin against the same
// control in the "Tabs" style; the non-client paint of an 800 x 600 window with a menu bar in the
// Foggy skin against the window system's classic frame of the same window; and a hot-tracking
// sweep of the mouse along the caption across its buttons.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/classes/Forms.h"
#include "platform/classes/Menus.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "platform/system/Modules.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/GdiPlusApi.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/PNGImage.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/pages/PCStandardPainter.h"
#include "ui/pages/PageControl.h"
#include "ui/skins/PCSkinPainter.h"
#include "ui/skins/RegisteredSkins.h"
#include "ui/skins/SkinController.h"
#include "ui/skins/SkinWinController.h"

using namespace win;

namespace {

struct Stage {
  platform::ScopedVirtualClock clock;
  platform::ScopedModuleOverrides modules;
  Stage() {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1280, 800));
    InitializeForms();
    Application->Initialize();
    platform::RegisterGdiPlusModule();
    GdiPlusUnitStartup();
    PNGImageUnitStartup();
    SkinUnitStartup();
    PaintingUnitsStartup();
    PCPaintersUnitStartup();
    RegisteredSkinsUnitStartup();
    PCSkinPainterUnitStartup();
    ControlsUnitStartup();
    FormSkinsUnitStartup();
    if (!FoggyPainter()->SkinPainterInfo()) std::abort();
  }
  ~Stage() {
    Pump();
    FinalizeForms();
    FormSkinsUnitShutdown();
    ControlsUnitShutdown();
    PCSkinPainterUnitShutdown();
    RegisteredSkinsUnitShutdown();
    PCPaintersUnitShutdown();
    PaintingUnitsShutdown();
    SkinUnitShutdown();
    PNGImageUnitShutdown();
    GdiPlusUnitShutdown();
    platform::ResetDisplay();
  }
  static void Pump() {
    MSG m;
    for (int guard = 0; guard < 1000 && PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE); ++guard) Application->ProcessMessages();
  }
};

void PageControl(benchmark::State& state, bool Skin) {
  Stage stage;
  auto* form = new TForm(Application, 0);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 320, 180);
  form->Show();
  auto* control = new TcxPageControl(form);
  control->SetParent(form);
  control->SetBounds(10, 10, 290, 140);
  control->Font()->SetHeight(-11);
  if (Skin)
    control->LookAndFeel()->SetSkinName("Foggy");
  else
    control->SetStyle(1);
  for (const char* caption : {"Screens", "Signals", "Scenes"}) {
    auto* page = new TcxTabSheet(form);
    page->SetCaption(caption);
    page->SetPageControl(control);
  }
  control->Update();
  if (Skin && control->Painter()->PainterClass() != cxPCSkinStyle()) std::abort();
  for (auto _ : state) {
    control->Invalidate();
    control->Update();
    benchmark::ClobberMemory();
  }
}

void BM_SkinPageControlThreeTabs(benchmark::State& state) { PageControl(state, true); }
void BM_TabsPageControlThreeTabs(benchmark::State& state) { PageControl(state, false); }

// An 800 x 600 window with a main menu; skinned by the controller when Skin is set.
TForm* MenuWindow(bool Skin) {
  auto* host = new TForm(Application, 0);
  auto* skins = new TdxSkinController(host);
  skins->SetSkinName(Skin ? "Foggy" : "");
  auto* form = new TForm(Application, 0);
  form->SetBorderStyle(bsSizeable);
  form->SetCaption("Video wall console");
  form->SetBounds(20, 20, 800, 600);
  auto* menu = new TMainMenu(form);
  for (const char* caption : {"&File", "&Screens", "&Signals", "&Help"}) {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    menu->Items()->Add(item);
  }
  form->SetMenu(menu);
  form->Show();
  Stage::Pump();
  if (IsSkinnedWindow(form->Handle()) != Skin) std::abort();
  return form;
}

void NonClient(benchmark::State& state, bool Skin) {
  Stage stage;
  TForm* form = MenuWindow(Skin);
  for (auto _ : state) {
    SendMessage(form->Handle(), WM_NCPAINT, 1, 0);
    benchmark::ClobberMemory();
  }
}

void BM_SkinnedNonClient800x600WithMenu(benchmark::State& state) { NonClient(state, true); }
void BM_ClassicNonClient800x600WithMenu(benchmark::State& state) { NonClient(state, false); }

// Forty mouse moves along the caption, across the minimize, maximize and close buttons and back.
void BM_SkinnedCaptionHotTrackingSweep(benchmark::State& state) {
  Stage stage;
  TForm* form = MenuWindow(true);
  RECT r{};
  GetWindowRect(form->Handle(), &r);
  for (auto _ : state) {
    for (int i = 0; i < 40; ++i) {
      const int x = r.right - 120 + (i < 20 ? i : 39 - i) * 6;
      platform::Headless()->InjectMouseMove(x, r.top + 10);
      Stage::Pump();
    }
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_SkinPageControlThreeTabs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TabsPageControlThreeTabs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SkinnedNonClient800x600WithMenu)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClassicNonClient800x600WithMenu)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SkinnedCaptionHotTrackingSweep)->Unit(benchmark::kMicrosecond);
