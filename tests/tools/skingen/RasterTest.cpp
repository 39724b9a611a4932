// The rasteriser's shapes and the PNG files it writes.
#include <gtest/gtest.h>

#include "tools/skingen/Png.h"
#include "tools/skingen/Raster.h"

using namespace skingen;

namespace {

TEST(SkinRaster, RoundedCornersCarryAlphaAndTheInsideIsOpaque) {
  Raster r(20, 12);
  FillRoundRect(r, 0, 0, 20, 12, 4, Rgba{200, 0, 0, 255}, Rgba{0, 0, 200, 255});
  EXPECT_EQ(r.At(0, 0).a, 0);                          // outside the arc
  EXPECT_GT(r.At(1, 1).a, 0);                          // on the arc: partly covered
  EXPECT_LT(r.At(1, 1).a, 255);
  EXPECT_EQ(r.At(10, 6).a, 255);                       // inside
  EXPECT_EQ(r.At(0, 6).a, 255);                        // the straight left edge is whole
  EXPECT_GT(r.At(10, 0).r, r.At(10, 11).r);            // the gradient runs top to bottom
  EXPECT_LT(r.At(10, 0).b, r.At(10, 11).b);
  EXPECT_FALSE(r.Opaque());
}

TEST(SkinRaster, StrokeIsOnePixelInsideTheEdge) {
  Raster r(10, 10);
  StrokeRoundRect(r, 0, 0, 10, 10, 0, 1, Rgba{0, 0, 0, 255});
  EXPECT_EQ(r.At(0, 5).a, 255);
  EXPECT_EQ(r.At(9, 5).a, 255);
  EXPECT_EQ(r.At(1, 5).a, 0);
  EXPECT_EQ(r.At(5, 5).a, 0);
}

TEST(SkinRaster, ContrastFollowsRelativeLuminance) {
  EXPECT_NEAR(Contrast(Rgba{0, 0, 0, 255}, Rgba{255, 255, 255, 255}), 21.0, 1e-9);
  EXPECT_NEAR(Contrast(Rgba{118, 118, 118, 255}, Rgba{255, 255, 255, 255}), 4.54, 0.01);
  EXPECT_DOUBLE_EQ(Contrast(Rgba{50, 60, 70, 255}, Rgba{50, 60, 70, 255}), 1.0);
}

// The PNG colour type is byte 25 of the file (in the header chunk).
TEST(SkinPng, OpaquePicturesHaveNoAlphaChannelAndBytesRepeat) {
  Raster opaque(4, 4), clear(4, 4);
  opaque.Fill(0, 0, 4, 4, Rgba{1, 2, 3, 255});
  clear.Fill(0, 0, 4, 4, Rgba{1, 2, 3, 128});
  std::vector<std::uint8_t> a = EncodePng(opaque), b = EncodePng(clear);
  ASSERT_GT(a.size(), 33u);
  EXPECT_EQ(a[25], 2);  // truecolour
  EXPECT_EQ(b[25], 6);  // truecolour with alpha
  EXPECT_EQ(EncodePng(opaque), a);
  // No chunk but the header, the data and the end: nothing that changes from run to run.
  for (const char* chunk : {"tIME", "tEXt", "zTXt", "iTXt"})
    EXPECT_EQ(std::search(a.begin(), a.end(), chunk, chunk + 4), a.end()) << chunk;
  EXPECT_TRUE(EncodePng(Raster()).empty());
}

}  // namespace
