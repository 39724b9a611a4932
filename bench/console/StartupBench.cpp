// Start-up: from the program's entry to the first paint of the console it opens (a full "cfg.ini"
// that opens the grid console on the boot window's first tick), against creating, showing and
// painting as many empty forms, in one run. Both on the headless screen and virtual time, so the
// figure is the program's own work.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "platform/win/Startup.h"
#include "platform/win/Window.h"

namespace {

constexpr int kWindows = 33;

// A "cfg.ini" as a wall of 15 x 15 screens leaves it: every cell named, wired and coloured.
void WriteFullConfig(const std::string& folder) {
  std::ofstream out(folder + "/cfg.ini");
  out << "[config]\nsoftwareChooseMode=1\nsoftwareType=1\ncaption=Wall\nUSER=operator\nname=LCD WALL\n"
         "row=15\ncol=15\nlanguage=0\n[StartAnimation]\nheight=400\nwidth=500\nlogoPath=logo.jpg\nifshow=0\n"
         "Still=3\n[setting]\ncom port=1\ncom port A=2\ncom port B=3\nauto open port=0\nmux_delay1=100\n"
         "mux_delay2=100\n[SkinName]\nSkin=Blue\n";
  out << "[scene]\n";
  for (int i = 1; i <= 64; ++i) out << "scene" << i << "=scene " << i << "\n";
  out << "[maxtixname]\n";
  for (int i = 0; i < 64; ++i) out << i << "=input " << i + 1 << "\n";
  for (const char* section : {"AVmux", "VGAmux", "DVImux"}) {
    out << "[" << section << "]\n";
    for (int i = 0; i < 225; ++i) out << i << "=" << i + 1 << "\n";
  }
  for (const char* section : {"cellSignal", "cellAddress"}) {
    out << "[" << section << "]\n";
    for (int r = 1; r <= 15; ++r)
      for (int c = 1; c <= 15; ++c) out << r << "," << c << "=HDMI\n";
  }
  out << "[cellName]\n";
  for (int r = 1; r <= 15; ++r)
    for (int c = 1; c <= 15; ++c)
      for (const char* type : {"VIDEO", "VGA", "DVI", "HDMI"})
        out << r << "," << c << "," << type << "=" << type << " " << r << "-" << c << "\n";
}

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
