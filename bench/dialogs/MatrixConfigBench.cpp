// The matrix configuration's OK on the largest wall with all three manual wirings ticked: 675 cell
// keys and 24 more, each written to "cfg.ini" at once (every write rewrites and syncs the whole
// file), against writing the file that results once. In a folder beside the benchmark, on the
// disk the program runs from.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/BootWindow.h"
#include "bench/ProgramStage.h"
#include "console/Config.h"
#include "dialogs/SplicingSettings.h"
#include "matrix/MatrixConfig.h"
#include "platform/system/AtomicFile.h"

namespace {

namespace fs = std::filesystem;

// The folder, made before the program's windows and removed after them.
struct Folder {
  std::string path = (fs::current_path() / "matrix-config-bench").string();
  Folder() {
    fs::remove_all(path);
    fs::create_directories(path);
    SetProgramFolder(path);
  }
  ~Folder() {
    SetProgramFolder("");
    fs::remove_all(path);
  }
};

struct Stage : Folder, benchsupport::ProgramStage {
  Stage() {
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
