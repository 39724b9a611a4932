#pragma once
// GDI+ started for the test, bitmaps in memory and a way to look at them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdiplus/GdiPlus.h"

namespace gptest {

class GdiPlusTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A bitmap of its own memory, every pixel `fill` (in the format's own layout).
  win::GpBitmap* NewBitmap(int width, int height, win::GpPixelFormat format = win::PixelFormat32bppPARGB,
                           std::uint32_t fill = 0);
  win::GpGraphics* GraphicsOn(win::GpBitmap* bitmap);
  // Disposed at the end of the test.
  template <class T>
  T* Keep(T* image) {
    images_.push_back(image);
    return image;
  }

 private:
  win::ULONG_PTR token_ = 0;
  std::size_t objectsBefore_ = 0;
  std::vector<win::GpImage*> images_;
  std::vector<win::GpGraphics*> graphics_;
};

// A pixel as the bitmap's own format holds it, read through a lock.
std::uint32_t PixelAt(win::GpBitmap* bitmap, int x, int y);
// Every pixel, top row first.
std::vector<std::uint32_t> Pixels(win::GpBitmap* bitmap);
void SetPixels(win::GpBitmap* bitmap, const std::vector<std::uint32_t>& pixels);
// The PNG encoder's class id.
win::CLSID PngEncoder();
// Encodes the bitmap as PNG into the artifacts folder (for looking at).
void SaveShot(win::GpImage* image, const std::string& name);
// A file image through a stream over GlobalAlloc memory.
win::GpStatus BitmapFromBytes(const std::vector<std::uint8_t>& bytes, win::GpBitmap** bitmap);
std::vector<std::uint8_t> EncodePng(win::GpImage* image);

}  // namespace gptest
