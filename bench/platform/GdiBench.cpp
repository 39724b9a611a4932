// The drawing layer against the memory operations it stands on: a full-screen copy and fill must
// stay close to memcpy and memset, and a caption must draw in microseconds.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/gdi/Gdi.h"

using namespace win;

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

struct Surface {
  HDC dc;
  HBITMAP bitmap;
  void* bits = nullptr;
  Surface(int w, int h) {
    dc = CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biBitCount = 32;
    bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    SelectObject(dc, bitmap);
  }
  ~Surface() {
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
};

void BM_BitBltSrcCopy(benchmark::State& state) {
  Surface src(kWidth, kHeight), dest(kWidth, kHeight);
  for (auto _ : state) {
    BitBlt(dest.dc, 0, 0, kWidth, kHeight, src.dc, 0, 0, SRCCOPY);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_BitBltSrcCopy);

// A child window's worth: 800 x 600 rows copied into the middle of a full-screen store.
void BM_BitBltChildWindow(benchmark::State& state) {
  Surface src(kWidth, kHeight), dest(kWidth, kHeight);
  for (auto _ : state) {
    BitBlt(dest.dc, 300, 200, 800, 600, src.dc, 310, 210, SRCCOPY);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 800 * 600 * 4);
}
BENCHMARK(BM_BitBltChildWindow);

void BM_Memcpy(benchmark::State& state) {
  std::vector<std::uint32_t> a(kWidth * kHeight, 1), b(kWidth * kHeight);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size() * 4);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_Memcpy);

void BM_FillRect(benchmark::State& state) {
  Surface dest(kWidth, kHeight);
  HBRUSH brush = CreateSolidBrush(RGB(212, 208, 200));
  RECT all{0, 0, kWidth, kHeight};
  for (auto _ : state) {
    FillRect(dest.dc, &all, brush);
    benchmark::ClobberMemory();
  }
  DeleteObject(brush);
  state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_FillRect);

void BM_Memset(benchmark::State& state) {
  std::vector<std::uint32_t> a(kWidth * kHeight);
  for (auto _ : state) {
    std::memset(a.data(), 0xD4, a.size() * 4);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_Memset);

void BM_DrawTextCaption(benchmark::State& state) {
  Surface dest(200, 24);
  LOGFONTA lf;
  lf.lfHeight = -11;
  std::strcpy(lf.lfFaceName, "Tahoma");
  HFONT font = CreateFontIndirect(&lf);
  SelectObject(dest.dc, font);
  SetBkMode(dest.dc, TRANSPARENT);
  for (auto _ : state) {
    RECT rc{0, 0, 200, 24};
    benchmark::DoNotOptimize(
        DrawText(dest.dc, "Scene 12: Hall wall 3 x 4", -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS));
  }
  SelectObject(dest.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
}
BENCHMARK(BM_DrawTextCaption);

}  // namespace
