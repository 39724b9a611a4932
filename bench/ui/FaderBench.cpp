// One tick of the fader's timer with ten running 64 x 24 fades (each blended and painted into its
// place on a strip), against BitBlt of the same ten areas. A tick has 10 ms.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "platform/win/Startup.h"
#include "platform/win/Window.h"
#include "ui/foundation/BitmapPixels.h"
#include "ui/foundation/Fader.h"
#include "ui/foundation/GPGraphics.h"

namespace {

constexpr int kWidth = 64, kHeight = 24, kCount = 10;

void StartGdiPlus() {
  static bool started = [] {
    platform::StartPlatform();
    platform::RegisterGdiPlusModule();
    GdiPlusUnitStartup();
    return IsGdiPlusAvailable();
  }();
  if (!started) std::abort();
}

std::unique_ptr<TBitmap> NewStrip(int Width, std::uint8_t Grey) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf32bit);
  b->SetSize(Width, kHeight);
  TRGBColors px(static_cast<std::size_t>(Width) * kHeight, TRGBQuad{Grey, Grey, Grey, 255});
  StoreBitmapColors(b->Handle(), px, true);
  return b;
}

// An item that paints its fade into its own place on a shared strip.
class TBenchItem : public TdxFadingObjectHelper {
 public:
  TBenchItem(TBitmap* Strip, int Index) : FStrip(Strip), FIndex(Index) {}
  bool CanFade() override { return true; }
  void RepaintOwner() override {
    DrawFadingImage(FStrip->Canvas()->Handle(), {FIndex * kWidth, 0, (FIndex + 1) * kWidth, kHeight});
  }
  void PrepareFadingImages(TBitmap*& NormalImage, TBitmap*& HotImage, int& FadeInFrameCount, int& FadeInFrameDelay,
                           int&, int&) override {
    NormalImage = NewStrip(kWidth, 40).release();
    HotImage = NewStrip(kWidth, 220).release();
    // The longest fade, a frame a tick: every tick blends.
    FadeInFrameCount = TdxFadingElement::MaxFrameCount;
    FadeInFrameDelay = TdxFadingElement::MinFrameDelay;
  }

 private:
  TBitmap* FStrip;
  int FIndex;
};

void Pump() {
  win::MSG m;
  while (win::PeekMessage(&m, nullptr, 0, 0, win::PM_REMOVE)) win::DispatchMessage(&m);
}

void BM_FaderTick(benchmark::State& state) {
  StartGdiPlus();
  platform::ScopedVirtualClock clock;
  auto strip = NewStrip(kWidth * kCount, 0);
  TdxFader fader(1);
  std::vector<std::unique_ptr<TBenchItem>> items;
  for (int i = 0; i < kCount; ++i) items.push_back(std::make_unique<TBenchItem>(strip.get(), i));
  auto restart = [&] {
    for (auto& item : items) fader.FadeIn(item.get());
  };
  restart();
  for (auto _ : state) {
    clock->Advance(TdxFader::TimerInterval);
    Pump();
    if (fader.ElementCount() < kCount) {
      state.PauseTiming();
      restart();
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_FaderTick)->Unit(benchmark::kMicrosecond);

void BM_BitBltTenAreas(benchmark::State& state) {
  StartGdiPlus();
  auto source = NewStrip(kWidth, 220);
  auto strip = NewStrip(kWidth * kCount, 0);
  win::HDC d = strip->Canvas()->Handle(), s = source->Canvas()->Handle();
  for (auto _ : state) {
    for (int i = 0; i < kCount; ++i) win::BitBlt(d, i * kWidth, 0, kWidth, kHeight, s, 0, 0, win::SRCCOPY);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_BitBltTenAreas)->Unit(benchmark::kMicrosecond);

}  // namespace
