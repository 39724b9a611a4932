// One scroll step of a subtitle window: the marquee's timer tick, its drawing and the window's
// presentation, with the colour key on (only the text shows) against the same window opaque. On the
// headless screen and virtual time, so the figures are the program's own work; with a display
// (DISPLAY set) also on real windows, where a colour-keyed window's shape follows the text at every
// step. A 30 ms interval leaves the step that much time.
#include <cstdlib>

#include <benchmark/benchmark.h>

#include "app/Program.h"
#include "dialogs/SubtitleWindow1.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "platform/win/Startup.h"
#include "platform/win/Window.h"

namespace {

struct Stage {
  platform::VirtualClock clock;
  explicit Stage(bool Real) {
    platform::StartPlatform();
    platform::InstallClock(&clock);
    platform::InstallDisplay(Real ? platform::CreateSdlDisplay() : platform::CreateHeadlessDisplay(1920, 1080));
    InitializeForms();
    StartLibraryUnits();
    Application->Initialize();
  }
  ~Stage() {
    FinalizeForms();
    EndLibraryUnits();
    win::MSG m;
    while (win::PeekMessage(&m, nullptr, 0, 0, win::PM_REMOVE)) {
    }
    platform::ResetDisplay();
    platform::InstallClock(nullptr);
  }
  static void Pump() {
    win::MSG m;
    for (int guard = 0; guard < 10000 && win::PeekMessage(&m, nullptr, 0, 0, win::PM_NOREMOVE); ++guard)
      Application->ProcessMessages();
  }
};

void ScrollStep(benchmark::State& state, bool Transparent, bool Real) {
  if (Real && !std::getenv("DISPLAY")) {
    state.SkipWithError("no display");
    return;
  }
  Stage stage(Real);
  TfrmLEDDisplay* window = nullptr;
  Application->CreateForm(window);
  window->ConfigureSubtitle("欢迎光临 Welcome to the video wall\r\n", "DejaVu Sans", "clYellow", clBlue, 36, 30, false);
  if (Transparent) {
    window->rzmrqstsText->SetFillColor(clWhite);
    window->SetColor(clWhite);
    window->SetTransparentColorValue(clWhite);
    window->SetTransparentColor(true);
  }
  window->Show();
  Stage::Pump();
  for (auto _ : state) {
    stage.clock.Advance(30);
    Stage::Pump();
  }
  benchmark::DoNotOptimize(window->rzmrqstsText->ScrollOffset());
}

void BM_SubtitleScrollStepOpaque(benchmark::State& state) { ScrollStep(state, false, false); }
void BM_SubtitleScrollStepColourKeyed(benchmark::State& state) { ScrollStep(state, true, false); }
void BM_SubtitleScrollStepOpaqueRealDisplay(benchmark::State& state) { ScrollStep(state, false, true); }
void BM_SubtitleScrollStepColourKeyedRealDisplay(benchmark::State& state) { ScrollStep(state, true, true); }
BENCHMARK(BM_SubtitleScrollStepOpaque)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SubtitleScrollStepColourKeyed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SubtitleScrollStepOpaqueRealDisplay)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SubtitleScrollStepColourKeyedRealDisplay)->Unit(benchmark::kMicrosecond);

}  // namespace
