// The tab layout of 100 tabs of mixed widths, on one row and on several, against measuring the
// same 100 captions: the layout's arithmetic should cost less than the measuring a real style
// does before it.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/classes/Bitmap.h"
#include "tests/ui/pages/FakeTabControl.h"
#include "ui/foundation/Canvas.h"

namespace {

// Widths 40 to 157 in a fixed mix; each caption starts with its width.
void FillTabs(TFakeTabControl& Control) {
  Control.TabList.BeginUpdate();
  for (int i = 0; i < 100; ++i) Control.TabList.Add(std::to_string(40 + (i * 37) % 118) + " Screen input");
  Control.TabList.EndUpdate();
}

void Layout(benchmark::State& state, bool MultiLine) {
  TFakeTabControl control;
  control.FMultiLine = MultiLine;
  control.Painter.Width = 800;
  control.Painter.Height = 600;
  FillTabs(control);
  for (auto _ : state) {
    control.Relayout();
    benchmark::DoNotOptimize(control.TabLayout.RowCount());
  }
}

void BM_RelayoutSingleRow(benchmark::State& state) { Layout(state, false); }
void BM_RelayoutMultiLine(benchmark::State& state) { Layout(state, true); }

void BM_MeasureCaptions(benchmark::State& state) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(16, 16);
  bitmap.Canvas()->Font()->SetName("DejaVu Sans");
  bitmap.Canvas()->Font()->SetHeight(-12);
  TcxCanvas canvas(bitmap.Canvas());
  std::vector<String> captions;
  for (int i = 0; i < 100; ++i) captions.push_back("Tab " + std::to_string(i) + " Screen input");
  for (auto _ : state) {
    int total = 0;
    for (const String& caption : captions) total += canvas.MeasureTextWidth(caption);
    benchmark::DoNotOptimize(total);
  }
}

}  // namespace

BENCHMARK(BM_RelayoutSingleRow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RelayoutMultiLine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MeasureCaptions)->Unit(benchmark::kMicrosecond);
