// Bitmaps: memory that stays the caller's, pixel formats, clones, locks and GDI bitmaps.
#include <cstring>

#include "platform/gdi/Surface.h"
#include "tests/platform/gdiplus/Fixture.h"

namespace {

using namespace win;
using gptest::PixelAt;
using gptest::Pixels;

class GdiPlusBitmap : public gptest::GdiPlusTest {};

TEST_F(GdiPlusBitmap, Scan0BitmapsDrawIntoTheCallersMemoryWithoutCopying) {
  std::vector<std::uint32_t> memory(4 * 3, 0);
  GpBitmap* b = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(4, 3, 16, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(memory.data()), &b), Ok);
  Keep(b);
  GpGraphics* g = GraphicsOn(b);
  ASSERT_EQ(GdipGraphicsClear(g, 0x80FF0000), Ok);
  EXPECT_EQ(memory[5], 0x80800000u);  // premultiplied
  memory[0] = 0xFF0000FF;
  EXPECT_EQ(PixelAt(b, 0, 0), 0xFF0000FFu);

  BitmapData data;
  ASSERT_EQ(GdipBitmapLockBits(b, nullptr, ImageLockModeRead, PixelFormat32bppPARGB, &data), Ok);
  EXPECT_EQ(data.Scan0, memory.data());
  EXPECT_EQ(GdipBitmapLockBits(b, nullptr, ImageLockModeRead, PixelFormat32bppPARGB, &data), WrongState);
  EXPECT_EQ(GdipGraphicsClear(g, 0), ObjectBusy);
  EXPECT_EQ(GdipBitmapUnlockBits(b, &data), Ok);
  EXPECT_EQ(GdipBitmapUnlockBits(b, &data), WrongState);
}

TEST_F(GdiPlusBitmap, NegativeStridesReadRowsBottomUp) {
  std::uint32_t memory[2] = {0xFF000001, 0xFF000002};  // one pixel a row, the bottom row first
  GpBitmap* b = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(1, 2, -4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(&memory[1]), &b), Ok);
  Keep(b);
  EXPECT_EQ(PixelAt(b, 0, 0), 0xFF000002u);
  EXPECT_EQ(PixelAt(b, 0, 1), 0xFF000001u);
}

TEST_F(GdiPlusBitmap, LocksConvertBetweenFormats) {
  struct Case {
    GpPixelFormat stored;
    std::uint32_t pixel;
    GpPixelFormat asked;
    std::uint32_t seen;
  };
  const Case cases[] = {
      {PixelFormat32bppARGB, 0x80FF4000, PixelFormat32bppPARGB, 0x80802000},
      {PixelFormat32bppPARGB, 0x80802000, PixelFormat32bppARGB, 0x80FF4000},
      // A premultiplied channel above alpha is read as if it were the alpha.
      {PixelFormat32bppPARGB, 0x80FF2000, PixelFormat32bppARGB, 0x80FF4000},
      {PixelFormat32bppARGB, 0x00123456, PixelFormat32bppPARGB, 0x00000000},
      {PixelFormat32bppRGB, 0x00123456, PixelFormat32bppARGB, 0xFF123456},
      {PixelFormat32bppARGB, 0x80FF4000, PixelFormat32bppRGB, 0xFF802000},
      {PixelFormat32bppARGB, 0x80FF4000, PixelFormat32bppARGB, 0x80FF4000},
  };
  for (const Case& c : cases) {
    GpBitmap* b = NewBitmap(2, 1, c.stored, c.pixel);
    BitmapData data;
    ASSERT_EQ(GdipBitmapLockBits(b, nullptr, ImageLockModeRead | ImageLockModeWrite, c.asked, &data), Ok);
    std::uint32_t v;
    std::memcpy(&v, static_cast<std::uint8_t*>(data.Scan0) + 4, 4);
    EXPECT_EQ(v, c.seen) << std::hex << c.stored << " " << c.pixel << " as " << c.asked;
    GdipBitmapUnlockBits(b, &data);
  }

  // Writing through a converting lock stores the written pixels in the bitmap's own format.
  GpBitmap* b = NewBitmap(1, 1, PixelFormat32bppARGB);
  BitmapData data;
  ASSERT_EQ(GdipBitmapLockBits(b, nullptr, ImageLockModeWrite, PixelFormat32bppPARGB, &data), Ok);
  std::uint32_t premultiplied = 0x80402000;
  std::memcpy(data.Scan0, &premultiplied, 4);
  GdipBitmapUnlockBits(b, &data);
  EXPECT_EQ(PixelAt(b, 0, 0), 0x80804000u);
}

TEST_F(GdiPlusBitmap, TwentyFourBitPixelsAndRefusedSizes) {
  std::uint8_t memory[8] = {1, 2, 3, 4, 5, 6, 0, 0};  // two pixels, padded to 8
  GpBitmap* b = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(2, 1, 8, PixelFormat24bppRGB, memory, &b), Ok);
  Keep(b);
  BitmapData data;
  ASSERT_EQ(GdipBitmapLockBits(b, nullptr, ImageLockModeRead, PixelFormat32bppARGB, &data), Ok);
  EXPECT_EQ(static_cast<std::uint32_t*>(data.Scan0)[1], 0xFF060504u);
  GdipBitmapUnlockBits(b, &data);

  GpBitmap* none = nullptr;
  EXPECT_EQ(GdipCreateBitmapFromScan0(0, 5, 0, PixelFormat32bppARGB, nullptr, &none), InvalidParameter);
  EXPECT_EQ(GdipCreateBitmapFromScan0(2, 1, 4, PixelFormat32bppARGB, memory, &none), InvalidParameter);  // stride
  EXPECT_EQ(GdipCreateBitmapFromScan0(2, 1, 0, PixelFormatUndefined, nullptr, &none), InvalidParameter);
  EXPECT_EQ(none, nullptr);
}

TEST_F(GdiPlusBitmap, ClonesOwnTheirPixels) {
  std::vector<std::uint32_t> memory(6, 0xFF00FF00);
  GpBitmap* b = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(3, 2, 12, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(memory.data()), &b), Ok);
  Keep(b);
  memory[4] = 0xFFFF0000;
  GpImage* clone = nullptr;
  ASSERT_EQ(GdipCloneImage(b, &clone), Ok);
  Keep(clone);
  GpBitmap* part = nullptr;
  ASSERT_EQ(GdipCloneBitmapAreaI(1, 1, 2, 1, PixelFormat32bppARGB, b, &part), Ok);
  Keep(part);
  memory.assign(6, 0);
  EXPECT_EQ(PixelAt(static_cast<GpBitmap*>(clone), 1, 1), 0xFFFF0000u);
  EXPECT_EQ(Pixels(part), (std::vector<std::uint32_t>{0xFFFF0000, 0xFF00FF00}));

  GpBitmap* outside = nullptr;
  EXPECT_EQ(GdipCloneBitmapAreaI(2, 0, 2, 1, PixelFormat32bppARGB, b, &outside), InvalidParameter);
  EXPECT_EQ(outside, nullptr);
}

TEST_F(GdiPlusBitmap, StaleAndForeignHandlesAreRefused) {
  GpBitmap* b = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, &b), Ok);
  ASSERT_EQ(GdipDisposeImage(b), Ok);
  UINT w = 0;
  EXPECT_EQ(GdipGetImageWidth(b, &w), InvalidParameter);
  EXPECT_EQ(GdipDisposeImage(b), InvalidParameter);
  GpPen* pen = nullptr;
  ASSERT_EQ(GdipCreatePen1(0xFF000000, 1, UnitPixel, &pen), Ok);
  EXPECT_EQ(GdipDisposeImage(reinterpret_cast<GpImage*>(pen)), InvalidParameter);
  EXPECT_EQ(GdipDeletePen(pen), Ok);
}

TEST_F(GdiPlusBitmap, GdiBitmapsComeInOpaqueAndGoOutPremultipliedOverTheBackground) {
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 2;
  bi.bmiHeader.biHeight = -1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  static_cast<std::uint32_t*>(bits)[0] = 0x00102030;  // no alpha byte: GDI has none
  static_cast<std::uint32_t*>(bits)[1] = 0x80405060;
  GpBitmap* fromGdi = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromHBITMAP(section, nullptr, &fromGdi), Ok);
  Keep(fromGdi);
  DeleteObject(section);
  EXPECT_EQ(Pixels(fromGdi), (std::vector<std::uint32_t>{0xFF102030, 0xFF405060}));

  GpBitmap* argb = NewBitmap(2, 1, PixelFormat32bppARGB);
  gptest::SetPixels(argb, {0x80FF0000, 0x00FFFFFF});
  struct Case {
    ARGB background;
    std::uint32_t first, second;
  };
  for (const Case& c : {Case{0, 0x80800000, 0}, Case{0xFFFFFFFF, 0xFFFF7F7F, 0xFFFFFFFF}}) {
    HBITMAP out = nullptr;
    ASSERT_EQ(GdipCreateHBITMAPFromBitmap(argb, &out, c.background), Ok);
    platform::PixelBuffer px = platform::gdi::BitmapPixels(out);
    ASSERT_EQ(px.width, 2);
    EXPECT_EQ(px.At(0, 0), c.first) << std::hex << c.background;
    EXPECT_EQ(px.At(1, 0), c.second);
    DeleteObject(out);
  }
}

TEST_F(GdiPlusBitmap, DeviceIndependentBitmapsOfAnyDepth) {
  struct {
    BITMAPINFOHEADER h;
    RGBQUAD colors[2];
  } info{};
  info.h.biWidth = 3;
  info.h.biHeight = 1;
  info.h.biBitCount = 1;
  info.colors[1] = RGBQUAD{0x30, 0x20, 0x10, 0};
  std::uint8_t row[4] = {0xA0, 0, 0, 0};  // 1 0 1
  GpBitmap* b = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromGdiDib(reinterpret_cast<BITMAPINFO*>(&info), row, &b), Ok);
  Keep(b);
  EXPECT_EQ(Pixels(b), (std::vector<std::uint32_t>{0xFF102030, 0xFF000000, 0xFF102030}));
}

}  // namespace
