// Drawing image parts, tiles and gradients through GDI+, and the paint graphics for DCs.
#include <memory>

#include "platform/gdi/Gdi.h"
#include "tests/ui/foundation/GdiPlusFixture.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/foundation/GPGraphics.h"

namespace {

using gpfixture::NewBitmap32;
using surfacetest::Surface;

class GPDrawing : public gpfixture::GdiPlusUnitTest {
 protected:
  void SetUp() override {
    GdiPlusUnitTest::SetUp();
    ASSERT_TRUE(IsGdiPlusAvailable());
  }
  // An image of the active class from premultiplied pixels.
  std::unique_ptr<TdxGPImage> Image(int w, int h, const std::vector<std::uint32_t>& px) {
    std::unique_ptr<TBitmap> b(NewBitmap32(w, h, px));
    return std::unique_ptr<TdxGPImage>(GPImageClass()->CreateFromBitmap(b.get()));
  }
  // Runs f on graphics over the surface's DC.
  template <class F>
  void OnSurface(Surface& s, F&& f) {
    TdxGPGraphics g(s.Canvas()->Handle());
    f(g.Handle());
  }
};

TEST_F(GPDrawing, AScaledUpPartLeavesOutItsLastColumnAndRow) {
  // Green, with the last column and row red.
  std::vector<std::uint32_t> px(16 * 16, 0xFF00FF00);
  for (int i = 0; i < 16; ++i) px[static_cast<std::size_t>(i) * 16 + 15] = px[15 * 16 + static_cast<std::size_t>(i)] = 0xFFFF0000;
  auto image = Image(16, 16, px);
  Surface big(32, 32), small(8, 8);
  OnSurface(big, [&](win::GpGraphics* g) { image->DrawPart(g, {0, 0, 32, 32}, {0, 0, 16, 16}, 255); });
  OnSurface(small, [&](win::GpGraphics* g) { image->DrawPart(g, {0, 0, 8, 8}, {0, 0, 16, 16}, 255); });
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(win::GetRValue(big.At(x, y)), 0) << x << "," << y;
  // Scaled down, the whole part is used: the red edge shows in the last column.
  EXPECT_GT(win::GetRValue(small.At(7, 3)), 0);
  EXPECT_EQ(win::GetRValue(small.At(3, 3)), 0);
}

TEST_F(GPDrawing, PartsWithOpacityBlendAndInvisibleOnesAreSkipped) {
  auto black = Image(4, 4, std::vector<std::uint32_t>(16, 0xFF000000));
  Surface s(4, 4);
  std::size_t objects = platform::gdiplus::LiveObjects();
  OnSurface(s, [&](win::GpGraphics* g) { black->DrawPart(g, {0, 0, 4, 4}, {0, 0, 4, 4}, 128); });
  win::BYTE v = win::GetRValue(s.At(2, 2));
  EXPECT_TRUE(v == 127 || v == 128) << int(v);
  EXPECT_EQ(platform::gdiplus::LiveObjects(), objects) << "the image attributes were not disposed";

  Surface clipped(4, 4);
  win::IntersectClipRect(clipped.Canvas()->Handle(), 0, 0, 1, 1);
  OnSurface(clipped, [&](win::GpGraphics* g) {
    EXPECT_FALSE(GPIsRectVisible(g, {2, 2, 4, 4}));
    black->DrawPart(g, {2, 2, 4, 4}, {0, 0, 4, 4}, 100);
    black->DrawPart(g, {0, 0, 0, 4}, {0, 0, 4, 4}, 255);
  });
  EXPECT_EQ(clipped.Mask(clWhite), "####\n####\n####\n####\n");
}

TEST_F(GPDrawing, AFailedTranslucentDrawStillDisposesItsAttributes) {
  auto image = Image(2, 2, std::vector<std::uint32_t>(4, 0xFF000000));
  win::GpImage* gone = nullptr;
  ASSERT_EQ(GdipCloneImage(image->Handle(), &gone), win::Ok);
  GdipDisposeImage(gone);
  Surface s(4, 4);
  std::size_t objects = platform::gdiplus::LiveObjects();
  OnSurface(s, [&](win::GpGraphics* g) {
    try {
      GPDrawImagePart(g, {0, 0, 4, 4}, {0, 0, 2, 2}, gone, 100);
      ADD_FAILURE() << "no exception";
    } catch (const EdxGdipException& e) {
      EXPECT_EQ(e.Status, win::InvalidParameter);
    }
  });
  EXPECT_EQ(platform::gdiplus::LiveObjects(), objects);
}

TEST_F(GPDrawing, BlendingTwoImagesMakesAThirdOfTheFirstsSize) {
  auto white = Image(3, 2, std::vector<std::uint32_t>(6, 0xFFFFFFFF));
  auto black = Image(1, 1, {0xFF000000});
  std::unique_ptr<TdxGPImage> blend(white->BlendWith(black.get(), 128));
  EXPECT_EQ(blend->Width(), 3);
  EXPECT_EQ(blend->Height(), 2);
  TRGBColors px;
  blend->CopyPixels(px);
  ASSERT_EQ(px.size(), 6u);
  for (const TRGBQuad& q : px) {
    EXPECT_EQ(q.rgbReserved, 255);
    EXPECT_NEAR(q.rgbRed, 127, 1);
  }
}

TEST_F(GPDrawing, TilesStartAtTheTopLeftAndAreCutAtTheEndsOnBothPaths) {
  // A 10 x 10 part whose every pixel differs, from (3, 2) of a larger image.
  std::vector<std::uint32_t> px(14 * 13);
  for (std::size_t i = 0; i < px.size(); ++i) px[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 0x010203);
  auto image = Image(14, 13, px);
  std::vector<std::vector<std::uint32_t>> results;
  for (bool brushFails : {false, true}) {
    platform::gdiplus::InjectedFaults().textureBrush = brushFails ? win::OutOfMemory : win::Ok;
    Surface s(27, 17, clBlack);
    OnSurface(s, [&](win::GpGraphics* g) { GPDrawImageTiled(g, {0, 0, 25, 15}, {3, 2, 13, 12}, image->Handle()); });
    std::vector<std::uint32_t> got;
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 27; ++x) {
        std::uint32_t want = x < 25 && y < 15 ? px[static_cast<std::size_t>(2 + y % 10) * 14 + 3 + x % 10] & 0xFFFFFF : 0;
        ASSERT_EQ(s.Raw(x, y) & 0xFFFFFF, want) << x << "," << y << (brushFails ? " tile by tile" : " brush");
        got.push_back(s.Raw(x, y));
      }
    results.push_back(got);
  }
  EXPECT_EQ(results[0], results[1]);
}

TEST_F(GPDrawing, GradientsRunFromTheFirstColourAtTheirModesCorner) {
  struct Case {
    win::GpLinearGradientMode mode;
    int x, y;
  };
  for (Case c : {Case{2, 0, 0}, Case{3, 23, 0}}) {
    Surface s(24, 12);
    OnSurface(s, [&](win::GpGraphics* g) { GPFillGradientRect(g, {0, 0, 24, 12}, 0xFF000000, 0xFFFFFFFF, c.mode); });
    int bx = -1, by = -1, best = 256;
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 24; ++x)
        if (win::GetRValue(s.At(x, y)) < best) best = win::GetRValue(s.At(x, y)), bx = x, by = y;
    EXPECT_EQ(std::pair(bx, by), std::pair(c.x, c.y)) << "mode " << c.mode;
  }
}

TEST_F(GPDrawing, BitmapsDrawWholeAtTheirOpacity) {
  std::unique_ptr<TBitmap> red(NewBitmap32(2, 2, std::vector<std::uint32_t>(4, 0xFFFF0000)));
  Surface s(4, 4);
  OnSurface(s, [&](win::GpGraphics* g) {
    TdxGPGraphics wrapper(g);
    wrapper.DrawBitmap(red.get(), {1, 1, 3, 3}, 255);
    TBitmap empty;
    wrapper.DrawBitmap(&empty, {0, 0, 4, 4}, 255);
    wrapper.ReleaseHandle();  // the handle is the caller's here
  });
  EXPECT_EQ(s.Mask(clRed), "....\n.##.\n.##.\n....\n");
}

TEST_F(GPDrawing, LowColourDevicesPaintThroughABufferWithTheSamePixels) {
  // Translucent pixels over a pattern, through a DC whose origin is moved.
  std::vector<std::uint32_t> px(8 * 8);
  for (std::size_t i = 0; i < px.size(); ++i) px[i] = (i % 3 ? 0x80000000u : 0xFF000000u) | static_cast<std::uint32_t>(i * 0x030507 & 0x7F7F7F);
  auto image = Image(8, 8, px);
  std::vector<std::uint32_t> shots[2];
  for (int bits : {32, 16}) {
    platform::SetScreenBitsPerPixel(bits);
    Surface s(20, 20);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) s.Raw(x, y) = ((x + y) % 2) ? 0x00FFFFFF : 0x00336699;
    win::HDC dc = s.Canvas()->Handle();
    win::SetWindowOrgEx(dc, -3, -2, nullptr);
    EXPECT_EQ(IsGPDoubleBufferNeeded(dc), bits == 16);
    TdxGPGraphics* g = CreateGPPaintGraphics(dc, {1, 1, 13, 13});
    EXPECT_EQ(g->InheritsFrom(TdxGPBufferedGraphics::StaticClass()), bits == 16);
    image->DrawPart(g->Handle(), {1, 1, 13, 13}, image->ImageRect(), 255);
    FreeGPGraphics(g);
    EXPECT_EQ(g, nullptr);
    win::SetWindowOrgEx(dc, 0, 0, nullptr);
    EXPECT_NE(s.At(4, 3), s.At(5, 3));
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) shots[bits == 16].push_back(s.Raw(x, y));
    if (bits == 16) s.Save("gdiplus-buffered-paint.png");
  }
  EXPECT_EQ(shots[0], shots[1]);
}

}  // namespace
