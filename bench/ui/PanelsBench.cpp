// The framed controls' gradients against a plain fill of the same area: a button face and a
// large panel background.
#include <benchmark/benchmark.h>

#include "platform/classes/Graphics.h"
#include "platform/gdi/Gdi.h"
#include "ui/panels/Gradients.h"

using namespace win;

namespace {

struct Target {
  HDC dc;
  HBITMAP bitmap;
  TCanvas canvas;
  Target(int w, int h) {
    dc = CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    SelectObject(dc, bitmap);
    canvas.SetHandle(dc);
  }
  ~Target() {
    canvas.SetHandle(nullptr);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
};

void Gradient(benchmark::State& state, int w, int h, TGradientDirection d) {
  Target t(w, h);
  for (auto _ : state) {
    rz::PaintGradientBands(&t.canvas, RECT{0, 0, w, h}, d, static_cast<TColor>(RGB(255, 255, 255)),
                           static_cast<TColor>(RGB(190, 186, 176)), 1);
    benchmark::ClobberMemory();
  }
}

void Fill(benchmark::State& state, int w, int h) {
  Target t(w, h);
  t.canvas.Brush()->SetColor(clBtnFace);
  for (auto _ : state) {
    t.canvas.FillRect(RECT{0, 0, w, h});
    benchmark::ClobberMemory();
  }
}

void BM_GradientButtonFace(benchmark::State& s) { Gradient(s, 75, 25, gdHorizontalEnd); }
void BM_FillButtonFace(benchmark::State& s) { Fill(s, 75, 25); }
void BM_GradientDiagonal800x300(benchmark::State& s) { Gradient(s, 800, 300, gdDiagonalDown); }
void BM_Fill800x300(benchmark::State& s) { Fill(s, 800, 300); }

}  // namespace

BENCHMARK(BM_GradientButtonFace);
BENCHMARK(BM_FillButtonFace);
BENCHMARK(BM_GradientDiagonal800x300);
BENCHMARK(BM_Fill800x300);
