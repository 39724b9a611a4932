// Building every switch of a 15 x 15 wall (225 outputs) for every make of every list: what a
// splice of the whole wall costs the engine before any byte is written.
#include <benchmark/benchmark.h>

#include <vector>

#include "matrix/SwitchCommands.h"

namespace {

std::vector<MatrixSettings> EveryMake(bool debugMode) {
  std::vector<MatrixSettings> all;
  auto add = [&](int signal, const char* signalText, const std::vector<String>& models, MatrixChoice MatrixSettings::*list) {
    for (std::size_t k = 0; k < models.size(); ++k) {
      MatrixSettings s;
      s.SignalIndex = signal;
      s.SignalText = signalText;
      s.ModelLabel = models[k];
      s.*list = {static_cast<int>(k), models[k]};
      s.VideoId = s.VgaId = s.DviId = s.HdmiId = "01";
      s.OutputBase = s.InputBase = "1";
      s.DebugMode = debugMode;
      all.push_back(s);
    }
  };
  add(0, "VIDEO", VideoMatrixModels(), &MatrixSettings::VideoMake);
  add(1, "VGA", VgaMatrixModels(), &MatrixSettings::VgaMake);
  add(2, "DVI", DviMatrixModels(), &MatrixSettings::DviMake);
  add(3, "HDMI", HdmiMatrixModels(), &MatrixSettings::HdmiMake);
  return all;
}

void WholeWallEveryMake(benchmark::State& state) {
  const std::vector<MatrixSettings> makes = EveryMake(state.range(0) != 0);
  constexpr int kScreens = 15 * 15;
  for (auto _ : state) {
    for (const MatrixSettings& s : makes) {
      for (int output = 0; output < kScreens; ++output) {
        MatrixSends sends = MatrixSwitchSends(s, output, output % 32 + 1);
        benchmark::DoNotOptimize(sends);
      }
    }
  }
  state.counters["makes"] = static_cast<double>(makes.size());
  state.counters["switches"] =
      benchmark::Counter(static_cast<double>(makes.size() * kScreens), benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK(WholeWallEveryMake)->Arg(0)->Arg(1)->ArgName("engineering")->Unit(benchmark::kMicrosecond);
