// An Office-2003 header with text, a software gradient, a push button and a radio button in each
// painter, each against a plain FillRect of the same area (or a BitBlt of the glyph's) in the same
// run.
#include <benchmark/benchmark.h>

#include "platform/classes/Bitmap.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Modules.h"
#include "platform/win/Startup.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/OfficePainters.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/foundation/RadioButtonImageList.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;

namespace {

struct Scene {
  TBitmap Bitmap;
  TcxCanvas Canvas{nullptr};
  TFont Font;
  Scene() {
    platform::StartPlatform();
    PaintingUnitsStartup();
    Bitmap.SetPixelFormat(pf32bit);
    Bitmap.SetSize(240, 40);
    Canvas.SetCanvas(Bitmap.Canvas());
    Font.SetName("DejaVu Sans");
    Font.SetSize(8);
  }
  ~Scene() { PaintingUnitsShutdown(); }
};

void FillArea(benchmark::State& state, int W, int H) {
  Scene scene;
  HDC dc = scene.Bitmap.Canvas()->Handle();
  HBRUSH brush = CreateSolidBrush(RGB(200, 200, 200));
  const RECT r{0, 0, W, H};
  for (auto _ : state) {
    FillRect(dc, &r, brush);
    benchmark::ClobberMemory();
  }
  DeleteObject(brush);
}

void BM_FillRect100x20(benchmark::State& state) { FillArea(state, 100, 20); }
void BM_FillRect200x20(benchmark::State& state) { FillArea(state, 200, 20); }
void BM_FillRect75x23(benchmark::State& state) { FillArea(state, 75, 23); }

void BM_Office2003Header100x20(benchmark::State& state) {
  Scene scene;
  const TRect r(0, 0, 100, 20);
  for (auto _ : state) {
    Office11LookAndFeelPainter()->DrawColumnHeader(&scene.Canvas, r, TRect(2, 0, 98, 20), TcxBorders{},
                                                   cxBordersAll, cxbsNormal, taLeftJustify, vaCenter, false, true,
                                                   "Signal", &scene.Font, clBtnText, clBtnFace, nullptr, false, false);
    benchmark::ClobberMemory();
  }
}

void BM_SoftwareGradient200x20(benchmark::State& state) {
  platform::HideModuleEntry("msimg32.dll", "GradientFill");
  Scene scene;
  HDC dc = scene.Bitmap.Canvas()->Handle();
  for (auto _ : state) {
    PaintGradientRect(dc, TRect(0, 0, 200, 20), RGB(250, 250, 250), RGB(120, 140, 200), true);
    benchmark::ClobberMemory();
  }
  platform::ResetModuleOverrides();
}

void BM_PushButton75x23(benchmark::State& state) {
  Scene scene;
  const TcxCustomLookAndFeelPainter* painters[] = {StandardLookAndFeelPainter(), FlatLookAndFeelPainter(),
                                                   UltraFlatLookAndFeelPainter(), Office11LookAndFeelPainter()};
  const TcxCustomLookAndFeelPainter* p = painters[state.range(0)];
  scene.Canvas.AssignFont(&scene.Font);
  for (auto _ : state) {
    p->DrawPushButton(&scene.Canvas, TRect(0, 0, 75, 23), "OK", cxbsNormal, true, clDefault, clDefault, false, 0);
    benchmark::ClobberMemory();
  }
}

void BM_FillRect13x13(benchmark::State& state) { FillArea(state, 13, 13); }

void BM_BitBlt13x13(benchmark::State& state) {
  Scene scene;
  TBitmap glyph;
  glyph.SetPixelFormat(pf32bit);
  glyph.SetSize(13, 13);
  HDC dc = scene.Bitmap.Canvas()->Handle(), src = glyph.Canvas()->Handle();
  for (auto _ : state) {
    BitBlt(dc, 20, 10, 13, 13, src, 0, 0, SRCCOPY);
    benchmark::ClobberMemory();
  }
}

// The glyph of the painter's kind, drawn masked (clDefault) or on an opaque square.
void BM_RadioButton(benchmark::State& state) {
  Scene scene;
  const TcxCustomLookAndFeelPainter* painters[] = {StandardLookAndFeelPainter(), FlatLookAndFeelPainter(),
                                                   UltraFlatLookAndFeelPainter(), Office11LookAndFeelPainter()};
  const TcxCustomLookAndFeelPainter* p = painters[state.range(0)];
  const TColor back = state.range(1) ? clBtnFace : clDefault;
  RadioButtonImages();
  for (auto _ : state) {
    p->DrawRadioButton(&scene.Canvas, 20, 10, cxbsNormal, true, false, back, false);
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_FillRect100x20);
BENCHMARK(BM_Office2003Header100x20);
BENCHMARK(BM_FillRect200x20);
BENCHMARK(BM_SoftwareGradient200x20);
BENCHMARK(BM_FillRect75x23);
BENCHMARK(BM_PushButton75x23)->DenseRange(0, 3);
BENCHMARK(BM_FillRect13x13);
BENCHMARK(BM_BitBlt13x13);
BENCHMARK(BM_RadioButton)->ArgsProduct({{0, 1, 2, 3}, {0, 1}});
