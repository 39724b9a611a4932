// GDI+ image drawing against the drawing layer's StretchBlt of the same bitmap, and decoding a
// PNG picture: a 64 x 64 image scaled into 256 x 256.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "platform/classes/Streams.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Startup.h"
#include "ui/foundation/BitmapPixels.h"
#include "ui/foundation/GPGraphics.h"
#include "ui/foundation/PNGImage.h"

namespace {

void StartGdiPlus() {
  static bool started = [] {
    platform::StartPlatform();
    platform::RegisterGdiPlusModule();
    GdiPlusUnitStartup();
    PNGImageUnitStartup();
    return IsGdiPlusAvailable();
  }();
  if (!started) std::abort();
}

// A 32-bit bitmap of opaque noise.
std::unique_ptr<TBitmap> Noise(int size) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf32bit);
  b->SetSize(size, size);
  TRGBColors px(static_cast<std::size_t>(size) * size);
  std::uint32_t seed = 7;
  for (TRGBQuad& q : px) {
    seed = seed * 1103515245 + 12345;
    q = TRGBQuad{static_cast<win::BYTE>(seed >> 8), static_cast<win::BYTE>(seed >> 16), static_cast<win::BYTE>(seed >> 24), 255};
  }
  StoreBitmapColors(b->Handle(), px, true);
  return b;
}

void BM_GPDrawImagePart(benchmark::State& state) {
  StartGdiPlus();
  auto source = Noise(64);
  std::unique_ptr<TdxGPImage> image(GPImageClass()->CreateFromBitmap(source.get()));
  TBitmap dest;
  dest.SetPixelFormat(pf32bit);
  dest.SetSize(256, 256);
  TdxGPGraphics g(dest.Canvas()->Handle());
  g.SetInterpolationMode(static_cast<win::GpInterpolationMode>(state.range(0)));
  for (auto _ : state) {
    GPDrawImagePart(g.Handle(), {0, 0, 256, 256}, {0, 0, 64, 64}, image->Handle(), 255);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 256 * 256);
}
BENCHMARK(BM_GPDrawImagePart)->Arg(win::InterpolationModeNearestNeighbor)->Arg(win::InterpolationModeBilinear);

void BM_StretchBlt(benchmark::State& state) {
  auto source = Noise(64);
  TBitmap dest;
  dest.SetPixelFormat(pf32bit);
  dest.SetSize(256, 256);
  win::HDC d = dest.Canvas()->Handle(), s = source->Canvas()->Handle();
  win::SetStretchBltMode(d, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    win::StretchBlt(d, 0, 0, 256, 256, s, 0, 0, 64, 64, win::SRCCOPY);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 256 * 256);
}
BENCHMARK(BM_StretchBlt)->Arg(win::COLORONCOLOR)->Arg(win::HALFTONE);

void BM_DecodePng256(benchmark::State& state) {
  StartGdiPlus();
  auto source = Noise(256);
  TdxPNGImage png;
  png.Assign(source.get());
  TMemoryStream file;
  png.SaveToStream(&file);
  for (auto _ : state) {
    file.SetPosition(0);
    TdxPNGImage loaded;
    loaded.LoadFromStream(&file);
    benchmark::DoNotOptimize(loaded.Width());
  }
  state.SetBytesProcessed(state.iterations() * file.Size());
}
BENCHMARK(BM_DecodePng256);

}  // namespace
