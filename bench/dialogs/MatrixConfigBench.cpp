// The matrix configuration's OK on the largest wall with all three manual wirings ticked: 675 cell
// keys and 24 more, each written to "cfg.ini" at once (every write rewrites and syncs the whole
// file), against writing the file that results once. In a folder beside the benchmark, on the
// disk the program runs from.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/Config.h"
#include "dialogs/SplicingSettings.h"
#include "matrix/MatrixConfig.h"
#include "platform/display/Display.h"
#include "platform/system/AtomicFile.h"
#include "platform/system/Clock.h"
#include "platform/win/Startup.h"
#include "platform/win/Window.h"

namespace {

namespace fs = std::filesystem;

struct Stage {
  platform::VirtualClock clock;
  std::string folder = (fs::current_path() / "matrix-config-bench").string();
  Stage() {
    fs::remove_all(folder);
    fs::create_directories(folder);
    SetProgramFolder(folder);
    platform::StartPlatform();
    platform::InstallClock(&clock);
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1280, 1024));
    InitializeForms();
    StartLibraryUnits();
    Application->Initialize();
    CreateProgramWindows();
    Pump();
    Form18->ConsoleKind = ckGrid;
    Form15->ComboBox1->SetItemIndex(14);
    Form15->ComboBox2->SetItemIndex(14);
    // Ticking wires each grid to the 15 x 15 wall.
    for (TcxCheckBox* box : {Form3->CheckBox1, Form3->CheckBox2, Form3->CheckBox3}) box->SetChecked(true);
    Form3->Show();
    Pump();
  }
  ~Stage() {
    FinalizeForms();
    EndLibraryUnits();
    win::MSG m;
    while (win::PeekMessage(&m, nullptr, 0, 0, win::PM_REMOVE)) {
    }
    platform::ResetDisplay();
    platform::InstallClock(nullptr);
    SetProgramFolder("");
    fs::remove_all(folder);
  }
  static void Pump() {
    win::MSG m;
    for (int guard = 0; guard < 10000 && win::PeekMessage(&m, nullptr, 0, 0, win::PM_NOREMOVE); ++guard)
      Application->ProcessMessages();
  }
};

// Every key rewritten in a file that already holds them all, as at every OK after the first.
void BM_MatrixConfigOkFifteenByFifteen(benchmark::State& state) {
  Stage stage;
  Form3->Button4Click(nullptr);
  for (auto _ : state) Form3->Button4Click(nullptr);
}
BENCHMARK(BM_MatrixConfigOkFifteenByFifteen)->Unit(benchmark::kMillisecond);

void BM_MatrixConfigFileWrittenOnce(benchmark::State& state) {
  Stage stage;
  Form3->Button4Click(nullptr);
  const std::string bytes = *platform::ReadWholeFile(ConfigFilePath());
  for (auto _ : state) benchmark::DoNotOptimize(platform::WriteFileAtomically(ConfigFilePath(), bytes));
}
BENCHMARK(BM_MatrixConfigFileWrittenOnce)->Unit(benchmark::kMillisecond);

}  // namespace
