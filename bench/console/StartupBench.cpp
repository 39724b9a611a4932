// Start-up: from the program's entry to the first paint of the console it opens (a full "cfg.ini"
// that opens the grid console on the boot window's first tick), against creating, showing and
// painting as many empty forms, in one run. Both on the headless screen and virtual time, so the
// figure is the program's own work.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "bench/console/FullConfig.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "platform/win/Startup.h"
#include "platform/win/Window.h"

namespace {

constexpr int kWindows = 33;

struct Stage {
  platform::VirtualClock clock;
  std::string folder;
  Stage() {
    platform::StartPlatform();
    platform::InstallClock(&clock);
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1920, 1080));
    char name[] = "/tmp/vw-startup-bench-XXXXXX";
    folder = mkdtemp(name) ? name : "/tmp";
    WriteFullConfig(folder);
    SetProgramFolder(folder);
    // As the program starts them: the consoles' library controls need their painters and skins.
    StartLibraryUnits();
  }
  ~Stage() {
    EndLibraryUnits();
    SetProgramFolder("");
    platform::ResetDisplay();
    platform::InstallClock(nullptr);
    std::remove((folder + "/cfg.ini").c_str());
    std::remove(folder.c_str());
  }
  // Runs what is queued until done() holds.
  template <class Done>
  void PumpUntil(Done done) {
    win::MSG m;
    for (int guard = 0; guard < 100000 && !done(); ++guard) {
      if (!win::PeekMessage(&m, nullptr, 0, 0, win::PM_NOREMOVE)) {
        clock.Advance(1);
        continue;
      }
      Application->ProcessMessages();
    }
  }
  void End() {
    FinalizeForms();
    win::MSG m;
    while (win::PeekMessage(&m, nullptr, 0, 0, win::PM_REMOVE)) {
    }
  }
};

void BM_ProgramStartToFirstConsolePaint(benchmark::State& state) {
  Stage stage;
  for (auto _ : state) {
    bool painted = false;
    InitializeForms();
    Application->Initialize();
    Application->SetTitle(kProgramTitle);
    CreateProgramWindows();
    Form1->OnPaint = [&](TObject*) { painted = true; };
    Application->MainForm()->SetVisible(true);
    stage.PumpUntil([&] { return painted; });
    if (!painted || Form18->ConsoleKind != ckGrid) state.SkipWithError("the grid console did not paint");
    state.PauseTiming();
    stage.End();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ProgramStartToFirstConsolePaint)->Unit(benchmark::kMillisecond);

void BM_EmptyFormsCreatedAndPainted(benchmark::State& state) {
  Stage stage;
  for (auto _ : state) {
    int painted = 0;
    InitializeForms();
    Application->Initialize();
    for (int i = 0; i < kWindows; ++i) {
      auto* form = new TForm(Application, 0);
      form->SetBounds(40 + i * 8, 40 + i * 8, 400, 300);
      form->OnPaint = [&](TObject*) { ++painted; };
      form->Show();
    }
    stage.PumpUntil([&] { return painted >= kWindows; });
    if (painted < kWindows) state.SkipWithError("not every form painted");
    state.PauseTiming();
    stage.End();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_EmptyFormsCreatedAndPainted)->Unit(benchmark::kMillisecond);

}  // namespace
