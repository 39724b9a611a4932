#include "tests/ui/foundation/GdiPlusFixture.h"

#include <cstring>

#include "platform/gdi/Gdi.h"
#include "platform/win/Startup.h"
#include "ui/foundation/BitmapPixels.h"

namespace gpfixture {

void GdiPlusUnitTest::SetUp() {
  platform::StartPlatform();
  platform::RegisterGdiPlusModule();
  objects_ = platform::gdiplus::LiveObjects();
  allocations_ = platform::gdiplus::LiveAllocations();
  startups_ = platform::gdiplus::StartupCount();
  GdiPlusUnitStartup();
  PNGImageUnitStartup();
}

void GdiPlusUnitTest::TearDown() {
  PNGImageUnitShutdown();
  GdiPlusUnitShutdown();
  platform::gdiplus::InjectedFaults() = {};
  platform::SetScreenBitsPerPixel(32);
  EXPECT_EQ(platform::gdiplus::LiveObjects(), objects_) << "a GDI+ object was left behind";
  EXPECT_EQ(platform::gdiplus::LiveAllocations(), allocations_) << "a GDI+ wrapper was left behind";
  EXPECT_EQ(platform::gdiplus::StartupCount(), startups_) << "GDI+ was left running";
}

void GdiPlusUnitTest::RestartUnits() {
  PNGImageUnitShutdown();
  GdiPlusUnitShutdown();
  GdiPlusUnitStartup();
  PNGImageUnitStartup();
}

TBitmap* NewBitmap32(int Width, int Height, const std::vector<std::uint32_t>& Pixels) {
  auto* b = new TBitmap();
  b->SetPixelFormat(pf32bit);
  b->SetSize(Width, Height);
  TRGBColors colors(Pixels.size());
  std::memcpy(static_cast<void*>(colors.data()), Pixels.data(), Pixels.size() * 4);
  StoreBitmapColors(b->Handle(), colors, true);
  return b;
}

std::vector<std::uint32_t> PixelsOf(TBitmap* Bitmap) {
  TRGBColors colors;
  GetBitmapColors(Bitmap->Handle(), colors, true);
  std::vector<std::uint32_t> out(colors.size());
  std::memcpy(out.data(), colors.data(), colors.size() * 4);
  return out;
}

std::vector<std::uint32_t> PixelsOf(TdxPNGImage* Picture) {
  if (!Picture->Image()) return {};
  TRGBColors colors;
  Picture->Image()->CopyPixels(colors);
  std::vector<std::uint32_t> out(colors.size());
  std::memcpy(out.data(), colors.data(), colors.size() * 4);
  return out;
}

}  // namespace gpfixture
