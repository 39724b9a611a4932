// The Office-2003 bar painter: a docked toolbar of 12 buttons with its grip and mark, repainted as
// its window paints it (non-client background, rounded frame, client gradient, buttons, mark),
// against filling the same area and drawing the same texts with FillRect and DrawText; and a dock
// site repainted from its background cache against one that fills the cache again, in one run.
#include <benchmark/benchmark.h>

#include "bench/ui/BarToolbarStage.h"

using namespace win;
using namespace barbench;

namespace {

using Stage = TToolbarStage<TdxBarOffice11Painter>;

void BM_Office11DockedToolbar(benchmark::State& state) {
  Stage s;
  for (auto _ : state) {
    s.PaintToolbar();
    benchmark::ClobberMemory();
  }
}

void BM_Office11ToolbarFillRectAndDrawTextBaseline(benchmark::State& state) {
  Stage s;
  for (auto _ : state) {
    s.PaintBaseline();
    benchmark::ClobberMemory();
  }
}

void BM_Office11DockFromCache(benchmark::State& state) {
  Stage s;
  const TRect all(0, 0, 1000, 30);
  for (auto _ : state) {
    s.painter.FillDockBackground(s.dock.get(), s.dc, all, all, nullptr, clNone);
    benchmark::ClobberMemory();
  }
}

void BM_Office11DockRefilled(benchmark::State& state) {
  Stage s;
  const TRect all(0, 0, 1000, 30);
  for (auto _ : state) {
    s.dock->ResetBackgroundCache();
    s.painter.FillDockBackground(s.dock.get(), s.dc, all, all, nullptr, clNone);
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_Office11ToolbarFillRectAndDrawTextBaseline);
BENCHMARK(BM_Office11DockedToolbar);
BENCHMARK(BM_Office11DockFromCache);
BENCHMARK(BM_Office11DockRefilled);
