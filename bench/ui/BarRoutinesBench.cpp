// A toolbar's background: FillOrTile of a 1920 x 26 strip with a 16 x 16 picture against FillRect
// of the same strip.
#include <benchmark/benchmark.h>

#include "platform/classes/Graphics.h"
#include "platform/gdi/Gdi.h"
#include "ui/bars/BarRoutines.h"

using namespace win;

namespace {

constexpr int kWidth = 1920, kHeight = 26;

struct Strip {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
  Strip() {
    dc = CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = kWidth;
    bi.bmiHeader.biHeight = -kHeight;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    old = SelectObject(dc, bitmap);
  }
  ~Strip() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
};

void BM_FillOrTile1920x26With16x16(benchmark::State& state) {
  Strip strip;
  HBITMAP tile = CreateCompatibleBitmap(strip.dc, 16, 16);
  HDC t = CreateCompatibleDC(strip.dc);
  HGDIOBJ old = SelectObject(t, tile);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) SetPixel(t, x, y, RGB(x * 16, y * 16, 128));
  SelectObject(t, old);
  DeleteDC(t);
  // The strip lies 5 pixels into its bar, so the grid does not start at its corner.
  const RECT r{0, 0, kWidth, kHeight}, origin{5, 3, kWidth + 5, kHeight + 3};
  for (auto _ : state) {
    FillOrTile(strip.dc, r, origin, tile, clBtnFace, nullptr);
    benchmark::ClobberMemory();
  }
  DeleteObject(tile);
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_FillRect1920x26(benchmark::State& state) {
  Strip strip;
  HBRUSH brush = GetSysColorBrush(COLOR_BTNFACE);
  const RECT r{0, 0, kWidth, kHeight};
  for (auto _ : state) {
    FillRect(strip.dc, &r, brush);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

}  // namespace

BENCHMARK(BM_FillOrTile1920x26With16x16);
BENCHMARK(BM_FillRect1920x26);
