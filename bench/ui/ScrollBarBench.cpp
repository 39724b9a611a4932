// Painting the library's scroll bar, 200 x 16 with its thumb in the middle, against a FillRect of
// the same area in the same run: the bar composes its parts off screen and copies them once.
#include <benchmark/benchmark.h>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/controls/ScrollBar.h"

using namespace win;

namespace {

struct Stage {
  platform::ScopedVirtualClock clock;
  TBitmap target;
  Stage() {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
    InitializeForms();
    Application->Initialize();
    ControlsUnitStartup();
    target.SetPixelFormat(pf32bit);
    target.SetSize(200, 16);
  }
  ~Stage() {
    ControlsUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
};

void BM_FillRect200x16(benchmark::State& state) {
  Stage stage;
  HDC dc = stage.target.Canvas()->Handle();
  HBRUSH brush = CreateSolidBrush(RGB(200, 200, 200));
  const RECT r{0, 0, 200, 16};
  for (auto _ : state) {
    FillRect(dc, &r, brush);
    benchmark::ClobberMemory();
  }
  DeleteObject(brush);
}

void BM_ScrollBar200x16(benchmark::State& state) {
  Stage stage;
  TcxScrollBar bar(nullptr);
  bar.SetBounds(0, 0, 200, 16);
  bar.ApplyScrollParams(0, 100, 50, 20);
  bar.LookAndFeel()->SetKind(static_cast<TcxLookAndFeelKind>(state.range(0)));
  HDC dc = stage.target.Canvas()->Handle();
  for (auto _ : state) {
    bar.PaintTo(dc, 0, 0);
    benchmark::ClobberMemory();
  }
  const char* names[] = {"flat", "standard", "ultra-flat", "office11"};
  state.SetLabel(names[state.range(0)]);
}

}  // namespace

BENCHMARK(BM_FillRect200x16);
BENCHMARK(BM_ScrollBar200x16)->DenseRange(0, 3);
