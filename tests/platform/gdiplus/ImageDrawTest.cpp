// Drawing images: exact copies, sampling inside the source, colour matrices, flips and parts.
#include "tests/platform/gdi/Canvas.h"
#include "tests/platform/gdiplus/Fixture.h"

namespace {

using namespace win;
using gptest::PixelAt;
using gptest::Pixels;

class GdiPlusImageDraw : public gptest::GdiPlusTest {
 protected:
  // Premultiplied pixels of every kind: opaque, translucent, transparent.
  GpBitmap* Noise(int w, int h) {
    GpBitmap* b = NewBitmap(w, h);
    std::vector<std::uint32_t> px;
    std::uint32_t seed = 12345;
    for (int i = 0; i < w * h; ++i) {
      seed = seed * 1103515245 + 12345;
      std::uint32_t a = (i % 3 == 0) ? 255 : (seed >> 24);
      auto c = [&](int shift) { return ((seed >> shift) & 0xFF) * a / 255; };
      px.push_back((a << 24) | (c(3) << 16) | (c(9) << 8) | c(15));
    }
    gptest::SetPixels(b, px);
    return b;
  }
};

TEST_F(GdiPlusImageDraw, OneToOneCopiesPixelsExactlyInEveryInterpolationMode) {
  GpBitmap* src = Noise(7, 5);
  std::vector<std::uint32_t> s = Pixels(src);
  for (GpInterpolationMode mode = 0; mode <= InterpolationModeHighQualityBicubic; ++mode) {
    GpBitmap* dst = NewBitmap(10, 10);
    GpGraphics* g = GraphicsOn(dst);
    GdipSetInterpolationMode(g, mode);
    ASSERT_EQ(GdipDrawImageRectRectI(g, src, 2, 4, 5, 3, 1, 1, 5, 3, UnitPixel, nullptr, nullptr, nullptr), Ok);
    std::vector<std::uint32_t> d = Pixels(dst);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) {
        bool inside = x >= 2 && x < 7 && y >= 4 && y < 7;
        std::uint32_t want = inside ? s[static_cast<std::size_t>(y - 3) * 7 + (x - 1)] : 0;
        ASSERT_EQ(d[static_cast<std::size_t>(y) * 10 + x], want) << "mode " << mode << " at " << x << "," << y;
      }
  }
}

TEST_F(GdiPlusImageDraw, ScaledDrawsSampleOnlyInsideTheSourceRectangle) {
  // A red frame around a green and blue middle; only the middle is drawn.
  GpBitmap* src = NewBitmap(6, 6, PixelFormat32bppPARGB, 0xFFFF0000);
  GpGraphics* sg = GraphicsOn(src);
  GpSolidFill* green = nullptr;
  GdipCreateSolidFill(0xFF00FF00, &green);
  GdipFillRectangleI(sg, green, 1, 1, 4, 4);
  GdipSetSolidFillColor(green, 0x800000FF);
  GdipFillRectangleI(sg, green, 1, 1, 2, 2);
  GdipDeleteBrush(green);
  for (GpInterpolationMode mode = 0; mode <= InterpolationModeHighQualityBicubic; ++mode) {
    for (int size : {37, 3, 1}) {
      GpBitmap* dst = NewBitmap(40, 40);
      GpGraphics* g = GraphicsOn(dst);
      GdipSetInterpolationMode(g, mode);
      ASSERT_EQ(GdipDrawImageRectRectI(g, src, 1, 1, size, size, 1, 1, 4, 4, UnitPixel, nullptr, nullptr, nullptr), Ok);
      std::vector<std::uint32_t> d = Pixels(dst);
      for (std::size_t i = 0; i < d.size(); ++i) {
        int x = static_cast<int>(i % 40), y = static_cast<int>(i / 40);
        bool inside = x >= 1 && y >= 1 && x < 1 + size && y < 1 + size;
        ASSERT_EQ((d[i] >> 16) & 0xFF, 0u) << "red at " << x << "," << y << " mode " << mode << " size " << size;
        ASSERT_EQ(d[i] != 0, inside) << x << "," << y << " mode " << mode << " size " << size;
      }
      if (mode == InterpolationModeHighQualityBicubic && size == 37) gptest::SaveShot(dst, "gdiplus-scaled-part.png");
      // The same call gives the same pixels.
      GdipGraphicsClear(g, 0);
      GdipDrawImageRectRectI(g, src, 1, 1, size, size, 1, 1, 4, 4, UnitPixel, nullptr, nullptr, nullptr);
      ASSERT_EQ(Pixels(dst), d);
    }
  }
}

TEST_F(GdiPlusImageDraw, NearestNeighbourRepeatsPixelsAndNegativeSizesFlip) {
  GpBitmap* src = NewBitmap(2, 1);
  gptest::SetPixels(src, {0xFF0000FF, 0xFF00FF00});
  GpBitmap* dst = NewBitmap(4, 2);
  GpGraphics* g = GraphicsOn(dst);
  GdipSetInterpolationMode(g, InterpolationModeNearestNeighbor);
  ASSERT_EQ(GdipDrawImageRectI(g, src, 0, 0, 4, 2), Ok);
  EXPECT_EQ(Pixels(dst), (std::vector<std::uint32_t>{0xFF0000FF, 0xFF0000FF, 0xFF00FF00, 0xFF00FF00, 0xFF0000FF,
                                                     0xFF0000FF, 0xFF00FF00, 0xFF00FF00}));
  GdipGraphicsClear(g, 0);
  ASSERT_EQ(GdipDrawImageRectRectI(g, src, 2, 0, -2, 1, 0, 0, 2, 1, UnitPixel, nullptr, nullptr, nullptr), Ok);
  EXPECT_EQ(PixelAt(dst, 0, 0), 0xFF00FF00u);
  EXPECT_EQ(PixelAt(dst, 1, 0), 0xFF0000FFu);
  EXPECT_EQ(PixelAt(dst, 2, 0), 0u);
}

TEST_F(GdiPlusImageDraw, ASourceRectangleReachingOutsideDrawsOnlyWhatIsInside) {
  GpBitmap* src = NewBitmap(2, 1, PixelFormat32bppPARGB, 0xFF123456);
  GpBitmap* dst = NewBitmap(8, 1);
  GpGraphics* g = GraphicsOn(dst);
  ASSERT_EQ(GdipDrawImageRectRectI(g, src, 0, 0, 8, 1, -2, 0, 4, 1, UnitPixel, nullptr, nullptr, nullptr), Ok);
  EXPECT_EQ(Pixels(dst), (std::vector<std::uint32_t>{0, 0, 0, 0, 0xFF123456, 0xFF123456, 0xFF123456, 0xFF123456}));
}

TEST_F(GdiPlusImageDraw, ColourMatricesScaleAlphaOrMoveChannels) {
  GpBitmap* black = NewBitmap(2, 2, PixelFormat32bppPARGB, 0xFF000000);
  gditest::Canvas c(2, 2, RGB(255, 255, 255));
  GpGraphics* g = nullptr;
  ASSERT_EQ(GdipCreateFromHDC(c.dc, &g), Ok);
  GpImageAttributes* ia = nullptr;
  ASSERT_EQ(GdipCreateImageAttributes(&ia), Ok);
  ColorMatrix m;
  for (int i = 0; i < 5; ++i) m.m[i][i] = 1;
  m.m[3][3] = 128 / 255.0f;
  ASSERT_EQ(GdipSetImageAttributesColorMatrix(ia, ColorAdjustTypeBitmap, TRUE, &m, nullptr, ColorMatrixFlagsDefault), Ok);
  ASSERT_EQ(GdipDrawImageRectRectI(g, black, 0, 0, 2, 2, 0, 0, 2, 2, UnitPixel, ia, nullptr, nullptr), Ok);
  BYTE v = GetRValue(c.At(1, 1));
  EXPECT_TRUE(v == 127 || v == 128) << int(v);

  // Red into blue, through the default matrix when no bitmap matrix is set.
  GpBitmap* red = NewBitmap(1, 1, PixelFormat32bppARGB, 0x80FF0000);
  GpBitmap* dst = NewBitmap(1, 1, PixelFormat32bppARGB);
  GpGraphics* dg = GraphicsOn(dst);
  ColorMatrix swap;
  swap.m[0][2] = swap.m[1][1] = swap.m[2][0] = swap.m[3][3] = swap.m[4][4] = 1;
  GdipSetImageAttributesColorMatrix(ia, ColorAdjustTypeBitmap, FALSE, nullptr, nullptr, ColorMatrixFlagsDefault);
  GdipSetImageAttributesColorMatrix(ia, ColorAdjustTypeDefault, TRUE, &swap, nullptr, ColorMatrixFlagsDefault);
  ASSERT_EQ(GdipDrawImageRectRectI(dg, red, 0, 0, 1, 1, 0, 0, 1, 1, UnitPixel, ia, nullptr, nullptr), Ok);
  EXPECT_EQ(PixelAt(dst, 0, 0), 0x800000FFu);
  GdipDisposeImageAttributes(ia);
  GdipDeleteGraphics(g);
}

TEST_F(GdiPlusImageDraw, CachedBitmapsAndPointDrawsCopyOneToOne) {
  GpBitmap* src = Noise(4, 3);
  GpBitmap* dst = NewBitmap(4, 3);
  GpGraphics* g = GraphicsOn(dst);
  GpCachedBitmap* cached = nullptr;
  ASSERT_EQ(GdipCreateCachedBitmap(src, g, &cached), Ok);
  ASSERT_EQ(GdipDrawCachedBitmap(g, cached, 0, 0), Ok);
  EXPECT_EQ(Pixels(dst), Pixels(src));
  GdipDeleteCachedBitmap(cached);

  GdipGraphicsClear(g, 0);
  ASSERT_EQ(GdipDrawImagePointRect(g, src, 1, 1, 0, 0, 2, 2, UnitPixel), Ok);
  EXPECT_EQ(PixelAt(dst, 1, 1), PixelAt(src, 0, 0));
  EXPECT_EQ(PixelAt(dst, 2, 2), PixelAt(src, 1, 1));
  EXPECT_EQ(PixelAt(dst, 3, 2), 0u);
}

}  // namespace
