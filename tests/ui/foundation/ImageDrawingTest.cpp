#include <gtest/gtest.h>

#include "platform/win/Startup.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/GraphicsUnit.h"
#include "ui/foundation/ImageDrawing.h"
#include "ui/foundation/ImageList.h"

namespace {

using surfacetest::Surface;

constexpr TColor kBackground = static_cast<TColor>(0x00A0B4C8);  // RGB (200, 180, 160)

class ImageDrawing : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    platform::StartPlatform();
    GraphicsUnitStartup();
  }
};

// 16 x 16: fuchsia around a red 8 x 8 square at (4, 4).
void PaintSquareGlyph(TBitmap* Glyph) {
  TCanvas* c = Glyph->Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(Rect(0, 0, 16, 16));
  c->Brush()->SetColor(clRed);
  c->FillRect(Rect(4, 4, 12, 12));
}

// The same square as a premultiplied 32-bit picture with alpha, transparent around it.
void PaintAlphaSquareGlyph(TBitmap* Glyph) {
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      static_cast<std::uint32_t*>(Glyph->ScanLine(y))[x] = (x >= 4 && x < 12 && y >= 4 && y < 12) ? 0xFFFF0000 : 0;
}

win::COLORREF Grey(int V) { return win::RGB(V, V, V); }

win::COLORREF Blended(TRGBQuad Source, TColor Background, win::BYTE Alpha) {
  TRGBQuad d = ColorToRGBQuad(Background, 0);
  BlendPixel(Source, d, Alpha);
  return win::RGB(d.rgbRed, d.rgbGreen, d.rgbBlue);
}

TEST_F(ImageDrawing, ModesOfASquareGlyph) {
  TcxBitmap glyph(16, 16);
  PaintSquareGlyph(&glyph);
  const TRect dest(4, 4, 20, 20);
  const win::COLORREF back = ColorToRGB(kBackground);

  Surface normal(24, 24, kBackground);
  DrawImageWithMode(normal.Canvas()->Handle(), dest, dest, &glyph, nullptr, -1, idmNormal);
  EXPECT_EQ(normal.At(8, 8), ColorToRGB(clRed));
  EXPECT_EQ(normal.At(15, 15), ColorToRGB(clRed));
  EXPECT_EQ(normal.At(7, 8), back);  // the transparent colour leaves the background
  EXPECT_EQ(normal.At(16, 16), back);
  EXPECT_EQ(normal.CountOf(clRed), 64);

  // Disabled: the grey square, and a highlight copy one pixel right and down beneath it.
  Surface disabled(24, 24, kBackground);
  DrawImageWithMode(disabled.Canvas()->Handle(), dest, dest, &glyph, nullptr, -1, idmDisabled);
  TRGBQuad grey{76, 76, 76, 255};
  BlendPixel(ColorToRGBQuad(clBtnShadow, 0xC0), grey, 238);
  const win::COLORREF disabledGrey = win::RGB(grey.rgbRed, grey.rgbGreen, grey.rgbBlue);
  EXPECT_EQ(disabled.At(8, 8), disabledGrey);
  EXPECT_EQ(disabled.At(15, 15), disabledGrey);
  EXPECT_EQ(disabled.At(16, 16), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(disabled.At(16, 9), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(disabled.At(16, 8), back);
  EXPECT_EQ(disabled.At(17, 17), back);

  // Shadowed: the square one pixel up and left, the shadow two pixels right and down of it.
  Surface shadowed(24, 24, kBackground);
  DrawImageWithMode(shadowed.Canvas()->Handle(), dest, dest, &glyph, nullptr, -1, idmShadowed);
  EXPECT_EQ(shadowed.At(7, 7), ColorToRGB(clRed));
  EXPECT_EQ(shadowed.At(14, 14), ColorToRGB(clRed));
  EXPECT_EQ(shadowed.At(15, 15), ColorToRGB(clBtnShadow));
  EXPECT_EQ(shadowed.At(16, 16), ColorToRGB(clBtnShadow));
  EXPECT_EQ(shadowed.At(16, 9), ColorToRGB(clBtnShadow));
  EXPECT_EQ(shadowed.At(17, 17), back);
  EXPECT_EQ(shadowed.At(15, 8), back);

  struct Case {
    TcxImageDrawMode Mode;
    win::COLORREF Square;
  };
  const Case greys[] = {
      {idmFaded, Blended(TRGBQuad{76, 76, 76, 255}, kBackground, 64)},
      {idmGrayScale, Grey(85)},
      {idmDingy, win::RGB(255, 77, 77)},  // 30% toward white
  };
  for (const Case& c : greys) {
    Surface s(24, 24, kBackground);
    DrawImageWithMode(s.Canvas()->Handle(), dest, dest, &glyph, nullptr, -1, c.Mode);
    EXPECT_EQ(s.At(10, 10), c.Square) << int(c.Mode);
    EXPECT_EQ(s.At(5, 5), back) << int(c.Mode);
  }
}

TEST_F(ImageDrawing, AlphaGlyphDisabledIsAWeightedGrey) {
  TcxBitmap32 glyph(16, 16);
  PaintAlphaSquareGlyph(&glyph);
  const TRect dest(0, 0, 16, 16);
  Surface s(16, 16, kBackground);
  DrawImageWithMode(s.Canvas()->Handle(), dest, dest, &glyph, nullptr, -1, idmDisabled);
  EXPECT_EQ(s.At(6, 6), Blended(TRGBQuad{19, 19, 19, 255}, kBackground, 151));
  EXPECT_EQ(s.At(1, 1), ColorToRGB(kBackground));
  EXPECT_EQ(s.At(13, 13), ColorToRGB(kBackground));  // no shadow for pictures with alpha
}

TEST_F(ImageDrawing, BrushBackgroundStretchAndHook) {
  TcxBitmap glyph(16, 16);
  PaintSquareGlyph(&glyph);
  Surface s(32, 32, kBackground);
  win::HBRUSH brush = win::CreateSolidBrush(win::RGB(0, 0, 255));
  // Stretched to twice the size: the square covers 16 x 16 pixels.
  DrawImageWithMode(s.Canvas()->Handle(), TRect(0, 0, 32, 32), TRect(0, 0, 32, 32), &glyph, nullptr, -1, idmNormal,
                    false, brush);
  win::DeleteObject(brush);
  EXPECT_EQ(s.CountOf(clRed), 256);
  EXPECT_EQ(s.CountOf(clBlue), 1024 - 256);

  int calls = 0;
  cxDrawImageProc = [&](TcxAlphaBitmap*, const TRect& R, TBitmap*, TCustomImageList*, int, TcxImageDrawMode) {
    ++calls;
    EXPECT_EQ(R, TRect(2, 2, 18, 18));  // relative to the destination
    return true;
  };
  Surface hooked(24, 24, kBackground);
  DrawImageWithMode(hooked.Canvas()->Handle(), TRect(6, 6, 22, 22), TRect(4, 4, 24, 24), &glyph, nullptr, -1,
                    idmNormal);
  cxDrawImageProc = nullptr;
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(hooked.CountOf(clRed), 0);

  // Nothing to draw: no glyph, no valid list image.
  DrawImageWithMode(hooked.Canvas()->Handle(), TRect(0, 0, 16, 16), TRect(0, 0, 16, 16), nullptr, nullptr, 0,
                    idmNormal);
  EXPECT_EQ(hooked.CountOf(kBackground), 24 * 24);
}

TEST_F(ImageDrawing, MasksHatchesAndCopies) {
  TcxBitmap glyph(16, 16);
  PaintSquareGlyph(&glyph);
  TBitmap mask;
  RenderTransparencyMask(&glyph, &mask);  // no alpha: the bottom-left colour is transparent
  Surface m(16, 16);
  m.Canvas()->Draw(0, 0, &mask);
  EXPECT_EQ(m.CountOf(clWhite), 256 - 64);
  EXPECT_EQ(m.CountOf(clBlack), 64);

  std::unique_ptr<TcxAlphaBitmap> copy(AlphaCopyOf32Bit(&glyph));
  EXPECT_EQ(copy->Width(), 16);
  EXPECT_EQ(static_cast<std::uint32_t*>(copy->ScanLine(5))[5] & 0xFFFFFF, 0xFF0000u);

  Surface hatch(8, 8, clWhite);
  DrawHatchOverArea(hatch.Canvas()->Handle(), TRect(0, 0, 8, 8), clBlack, clRed, 4, 255, 255);
  EXPECT_EQ(hatch.At(0, 7), ColorToRGB(clBlack));  // the bottom-left cell
  EXPECT_EQ(hatch.At(7, 7), ColorToRGB(clRed));
  EXPECT_EQ(hatch.At(0, 0), ColorToRGB(clRed));
  DrawHatchOverArea(hatch.Canvas()->Handle(), TRect(0, 0, 8, 8), clBlue, clBlue, 0, 255, 255);
  EXPECT_EQ(hatch.CountOf(clBlue), 0);
}

TEST_F(ImageDrawing, GalleryOfModes) {
  // Top row a 24-bit glyph with a transparent colour, bottom row a 32-bit glyph with alpha; the
  // six modes left to right, on the button face.
  TcxBitmap glyph(16, 16);
  TCanvas* c = glyph.Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(Rect(0, 0, 16, 16));
  c->Brush()->SetColor(clNavy);
  c->Pen()->SetColor(clBlack);
  c->Ellipse(1, 1, 15, 15);
  c->Brush()->SetColor(clYellow);
  c->FillRect(Rect(5, 5, 11, 11));
  TcxBitmap32 alpha(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const int a = std::max(0, 255 - ((x - 8) * (x - 8) + (y - 8) * (y - 8)) * 4);
      static_cast<std::uint32_t*>(alpha.ScanLine(y))[x] =
          static_cast<std::uint32_t>(a) << 24 | static_cast<std::uint32_t>(a * 40 / 255) << 16 |
          static_cast<std::uint32_t>(a * 160 / 255) << 8 | static_cast<std::uint32_t>(a);
    }
  Surface gallery(6 * 24, 48, clBtnFace);
  for (int mode = 0; mode < 6; ++mode) {
    const TRect top(mode * 24 + 4, 4, mode * 24 + 20, 20), bottom(mode * 24 + 4, 28, mode * 24 + 20, 44);
    const TRect wide(mode * 24, 0, mode * 24 + 24, 24), wideBottom(mode * 24, 24, mode * 24 + 24, 48);
    DrawImageWithMode(gallery.Canvas()->Handle(), top, wide, &glyph, nullptr, -1, TcxImageDrawMode(mode));
    DrawImageWithMode(gallery.Canvas()->Handle(), bottom, wideBottom, &alpha, nullptr, -1, TcxImageDrawMode(mode));
  }
  // Four times the size, to be looked at.
  Surface large(gallery.Width * 4, gallery.Height * 4);
  win::StretchBlt(large.Canvas()->Handle(), 0, 0, large.Width, large.Height, gallery.Canvas()->Handle(), 0, 0,
                  gallery.Width, gallery.Height, win::SRCCOPY);
  large.Save("ImageDrawModes.png");
  EXPECT_GT(gallery.CountOf(clYellow), 0);
}

TEST_F(ImageDrawing, ShutdownReleasesSharedObjects) {
  TcxBitmap glyph(16, 16);
  PaintSquareGlyph(&glyph);
  Surface s(16, 16);
  DrawImageWithMode(s.Canvas()->Handle(), TRect(0, 0, 16, 16), TRect(0, 0, 16, 16), &glyph, nullptr, -1, idmDisabled);
  ASSERT_NE(ScreenCanvasInstance(), nullptr);
  EXPECT_TRUE(AlphaBlendAvailable());
  GraphicsUnitShutdown();
  EXPECT_EQ(ScreenCanvasInstance(), nullptr);
  EXPECT_EQ(PaintCanvasInstance(), nullptr);
  EXPECT_FALSE(AlphaBlendAvailable());
  // The scratch bitmaps are not made again: nothing is drawn until the next start-up.
  s.Clear(clWhite);
  DrawImageWithMode(s.Canvas()->Handle(), TRect(0, 0, 16, 16), TRect(0, 0, 16, 16), &glyph, nullptr, -1, idmNormal);
  EXPECT_EQ(s.CountOf(clRed), 0);
  GraphicsUnitStartup();
  DrawImageWithMode(s.Canvas()->Handle(), TRect(0, 0, 16, 16), TRect(0, 0, 16, 16), &glyph, nullptr, -1, idmNormal);
  EXPECT_EQ(s.CountOf(clRed), 64);
  EXPECT_TRUE(AlphaBlendAvailable());
  EXPECT_NE(ScreenCanvasInstance(), nullptr);
  TPoint dpi;
  ScreenPixelsPerInch(dpi);
  EXPECT_GT(dpi.X, 0);
  EXPECT_TRUE(FindClass("TcxBitmap32") == TcxBitmap32::StaticClass());
  GraphicsUnitShutdown();
  GraphicsUnitStartup();
}

}  // namespace
