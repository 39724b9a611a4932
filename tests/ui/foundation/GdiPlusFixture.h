#pragma once
// The GDI+ binding and the PNG unit started as the program starts them, and checked for leaks
// when they shut down.
#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/system/Modules.h"
#include "ui/foundation/PNGImage.h"

namespace gpfixture {

class GdiPlusUnitTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Runs the units' shutdown and start-up again, after a test changed the modules.
  void RestartUnits();

  platform::ScopedModuleOverrides modules;

 private:
  std::size_t objects_ = 0, allocations_ = 0;
  int startups_ = 0;
};

// A 32-bit bitmap of premultiplied pixels, top row first (0xAARRGGBB).
TBitmap* NewBitmap32(int Width, int Height, const std::vector<std::uint32_t>& Pixels);
// The premultiplied pixels of a 32-bit bitmap, top row first.
std::vector<std::uint32_t> PixelsOf(TBitmap* Bitmap);
// The pixels of the picture's pixel copy, top row first.
std::vector<std::uint32_t> PixelsOf(TdxPNGImage* Picture);

}  // namespace gpfixture
