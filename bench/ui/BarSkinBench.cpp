// The skin bar painter in Xmas2008Blue: the same docked 12-button toolbar as the other bar painters'
// benchmarks, repainted with the bar element's rendering kept in the painter's element cache and
// with the cache cleared before every paint, against filling the area and drawing the texts with
// FillRect and DrawText, in one run.
#include <benchmark/benchmark.h>

#include "bench/ui/BarToolbarStage.h"
#include "platform/gdiplus/GdiPlus.h"
#include "ui/bars/Xmas2008BluePainter.h"
#include "ui/foundation/GdiPlusApi.h"
#include "ui/foundation/PNGImage.h"
#include "ui/skins/Skin.h"

using namespace barbench;

namespace {

// GDI+ and the skin engine before the stage's painting units, and after them at the end.
struct TSkinUnits {
  TSkinUnits() {
    platform::RegisterGdiPlusModule();
    GdiPlusUnitStartup();
    PNGImageUnitStartup();
    SkinUnitStartup();
  }
  ~TSkinUnits() {
    SkinUnitShutdown();
    PNGImageUnitShutdown();
    GdiPlusUnitShutdown();
  }
};

struct TSkinStage {
  TSkinUnits units;
  TToolbarStage<TdxBarSkinPainter> stage;
  TSkinStage() {
    Xmas2008BlueSkinUnitStartup();
    stage.painter.Construct(Xmas2008BluePainter());
    stage.PaintToolbar();
  }
  ~TSkinStage() { Xmas2008BlueSkinUnitShutdown(); }
};

void BM_SkinToolbarWarmCache(benchmark::State& state) {
  TSkinStage s;
  for (auto _ : state) {
    s.stage.PaintToolbar();
    benchmark::ClobberMemory();
  }
}

void BM_SkinToolbarClearedCache(benchmark::State& state) {
  TSkinStage s;
  for (auto _ : state) {
    s.stage.painter.ElementCache()->Clear();
    s.stage.PaintToolbar();
    benchmark::ClobberMemory();
  }
}

void BM_SkinToolbarFillRectAndDrawTextBaseline(benchmark::State& state) {
  TSkinStage s;
  for (auto _ : state) {
    s.stage.PaintBaseline();
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_SkinToolbarFillRectAndDrawTextBaseline);
BENCHMARK(BM_SkinToolbarWarmCache);
BENCHMARK(BM_SkinToolbarClearedCache);
