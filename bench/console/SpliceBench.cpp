// A linked splice of the grid console's whole 15 x 15 wall (one screen command, then 225 matrix
// switches of a ten-byte VGA frame, each written byte by byte, with the stored pauses on the
// virtual clock), against building the same 225 switches' sends alone. The links are closed, so
// what is measured is the console's own work per switch: reading its settings from the windows,
// the command sets, and the sink's writes and pauses.
#include <benchmark/benchmark.h>

#include "bench/console/ShownGridConsole.h"
#include "matrix/MatrixConfig.h"
#include "matrix/MatrixEngine.h"
#include "matrix/SwitchCommands.h"

namespace {

struct Console : ShownGridConsole {
  Console() {
    Form3->ComboBox4->SetItemIndex(2);  // VGA01: a ten-byte frame
    Form1->ComboBox4->SetItemIndex(1);
    Form1->CheckBox3->SetChecked(true);
    Form3->RadioGroup1->SetItemIndex(0);
    Form1->stringgrid1->SetSelection({1, 1, 15, 15});
  }
};

void BM_LinkedSpliceOfA15x15Wall(benchmark::State& state) {
  Console console;
  if (Form1->stringgrid1->ColCount() != 16) state.SkipWithError("the wall is not 15 x 15");
  const std::uint64_t start = console.clock.NowMs();
  for (auto _ : state) Form1->BitBtn8Click(nullptr);
  state.counters["virtual_ms"] =
      static_cast<double>(console.clock.NowMs() - start) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_LinkedSpliceOfA15x15Wall)->Unit(benchmark::kMillisecond);

void BM_Building225SwitchSendsAlone(benchmark::State& state) {
  Console console;
  const MatrixSettings settings = ReadMatrixSettings();
  for (auto _ : state)
    for (int output = 0; output < 225; ++output) benchmark::DoNotOptimize(MatrixSwitchSends(settings, output, 1));
}
BENCHMARK(BM_Building225SwitchSendsAlone)->Unit(benchmark::kMillisecond);

}  // namespace
