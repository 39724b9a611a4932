// The toolbar size rules on real toolbar windows: the size of a left-docked multi-line toolbar of
// 60 buttons for a wanted width (the search that gives up height a pixel at a time), against one
// line-breaking pass of the same toolbar; and one border-resizing step of a floating toolbar of
// 40 buttons.
#include <benchmark/benchmark.h>

#include "bench/ui/BarToolbarWindowStage.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

using namespace win;
using barbench::TToolbarWindowStage;

namespace {

void BM_LeftDockedSizeForWidthOf60Buttons(benchmark::State& state) {
  TToolbarWindowStage s(dsLeft, 60, true, 7);
  TdxBarControl* w = s.Window();
  int width = 0;
  for (auto _ : state) {
    width = w->CalcSizeForWidth(dsLeft, 120).cx;
    benchmark::DoNotOptimize(width);
  }
  state.counters["width"] = width;
}

void BM_LeftDockedOneLineBreakingPassOf60Buttons(benchmark::State& state) {
  TToolbarWindowStage s(dsLeft, 60, true, 7);
  TdxBarControl* w = s.Window();
  for (auto _ : state) {
    TSize size{w->MinLengthFor(dsLeft), w->MinThicknessFor(dsLeft)};
    w->WrapForWidth(true, 600, size);
    benchmark::DoNotOptimize(size);
  }
}

void BM_FloatingSizingStepOf40Buttons(benchmark::State& state) {
  TToolbarWindowStage s(dsNone, 40, true, 7);
  TdxBarControl* w = s.Window();
  RECT start;
  GetWindowRect(w->Handle(), &start);
  int step = 0;
  for (auto _ : state) {
    // Alternate two widths so every step has lines to break anew.
    RECT r{start.left, start.top, start.left + ((++step & 1) ? 300 : 520), start.bottom};
    SendMessage(w->Handle(), WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&r));
    benchmark::DoNotOptimize(r);
  }
}

}  // namespace

BENCHMARK(BM_LeftDockedSizeForWidthOf60Buttons)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LeftDockedOneLineBreakingPassOf60Buttons)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FloatingSizingStepOf40Buttons)->Unit(benchmark::kMicrosecond);
