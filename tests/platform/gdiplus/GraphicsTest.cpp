// Graphics on device contexts and on images: origin, clip, opacity, lent DCs, visibility.
#include "platform/display/Display.h"
#include "platform/win/Window.h"
#include "tests/platform/gdi/Canvas.h"
#include "tests/platform/gdiplus/Fixture.h"

namespace {

using namespace win;
using gptest::PixelAt;

class GdiPlusGraphics : public gptest::GdiPlusTest {
 protected:
  GpGraphics* OnDC(HDC dc) {
    GpGraphics* g = nullptr;
    EXPECT_EQ(GdipCreateFromHDC(dc, &g), Ok);
    return g;
  }
  void Fill(GpGraphics* g, ARGB color, int x, int y, int w, int h) {
    GpSolidFill* brush = nullptr;
    GdipCreateSolidFill(color, &brush);
    EXPECT_EQ(GdipFillRectangleI(g, brush, x, y, w, h), Ok);
    GdipDeleteBrush(brush);
  }
};

TEST_F(GdiPlusGraphics, DrawsWhereGdiWouldThroughTheOriginAndClip) {
  gditest::Canvas c(12, 8, RGB(255, 255, 255));
  SetWindowOrgEx(c.dc, -2, -1, nullptr);  // logical (0, 0) lies at pixel (2, 1)
  IntersectClipRect(c.dc, 0, 0, 6, 3);
  GpGraphics* g = OnDC(c.dc);
  Fill(g, 0xFF0000FF, -1, 0, 10, 10);
  GdipDeleteGraphics(g);
  EXPECT_EQ(c.Mask(RGB(0, 0, 255)),
            "............\n"
            "..######....\n"
            "..######....\n"
            "..######....\n"
            "............\n"
            "............\n"
            "............\n"
            "............\n");
}

TEST_F(GdiPlusGraphics, ADevicesPixelsCountAsOpaqueAndOnlyChangedOnesTurnOpaque) {
  gditest::Canvas c(4, 1, RGB(255, 255, 255));  // GDI leaves the alpha byte 0
  GpGraphics* g = OnDC(c.dc);
  Fill(g, 0x80000000, 0, 0, 2, 1);
  Fill(g, 0xFFFFFFFF, 2, 0, 1, 1);  // the colour already there
  GdipDeleteGraphics(g);
  EXPECT_EQ(c.Raw(0, 0), 0xFF7F7F7Fu);
  EXPECT_EQ(c.Raw(1, 0), 0xFF7F7F7Fu);
  EXPECT_EQ(c.Raw(2, 0), 0x00FFFFFFu);
  EXPECT_EQ(c.Raw(3, 0), 0x00FFFFFFu);
}

TEST_F(GdiPlusGraphics, ASectionOfAnotherDepthGetsTheDrawingInItsBits) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 2;
  bi.bmiHeader.biHeight = -1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, section);
  GpGraphics* g = OnDC(dc);
  Fill(g, 0xFF102030, 1, 0, 1, 1);
  GdipDeleteGraphics(g);
  GdiFlush();
  auto* b = static_cast<std::uint8_t*>(bits);
  EXPECT_EQ((std::vector<int>{b[0], b[1], b[2], b[3], b[4], b[5]}), (std::vector<int>{0, 0, 0, 0x30, 0x20, 0x10}));
  SelectObject(dc, old);
  DeleteObject(section);
  DeleteDC(dc);
}

TEST_F(GdiPlusGraphics, AWindowsDCDrawsIntoItsPartOfTheScreen) {
  platform::InstallDisplay(platform::CreateHeadlessDisplay(200, 100));
  HWND top = CreateWindowEx(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 10, 10, 100, 60, nullptr, nullptr, nullptr, nullptr);
  HWND child = CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 20, 10, 30, 20, top, nullptr, nullptr, nullptr);
  ASSERT_TRUE(top && child);
  UpdateWindow(top);
  HDC dc = GetDC(child);
  GpGraphics* g = OnDC(dc);
  Fill(g, 0xFF00FF00, 0, 0, 100, 100);  // cut to the child
  GdipDeleteGraphics(g);
  ReleaseDC(child, dc);
  HDC topDc = GetDC(top);
  EXPECT_EQ(GetPixel(topDc, 20, 10), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(topDc, 49, 29), RGB(0, 255, 0));
  EXPECT_NE(GetPixel(topDc, 50, 29), RGB(0, 255, 0));
  EXPECT_NE(GetPixel(topDc, 19, 10), RGB(0, 255, 0));
  ReleaseDC(top, topDc);
  DestroyWindow(top);
  platform::ResetDisplay();
}

TEST_F(GdiPlusGraphics, VisibilityFollowsTheClip) {
  gditest::Canvas c(20, 20);
  IntersectClipRect(c.dc, 5, 5, 10, 10);
  GpGraphics* g = OnDC(c.dc);
  struct Case {
    int x, y, w, h;
    BOOL visible;
  };
  for (Case k : {Case{0, 0, 5, 5, FALSE}, Case{0, 0, 6, 6, TRUE}, Case{9, 9, 1, 1, TRUE}, Case{10, 5, 3, 3, FALSE},
                 Case{6, 6, 0, 2, FALSE}}) {
    BOOL v = -1;
    EXPECT_EQ(GdipIsVisibleRectI(g, k.x, k.y, k.w, k.h, &v), Ok);
    EXPECT_EQ(v, k.visible) << k.x << "," << k.y << " " << k.w << "x" << k.h;
  }
  BOOL v = FALSE;
  EXPECT_EQ(GdipIsVisibleRect(g, 9.5f, 9.5f, 0.25f, 0.25f, &v), Ok);
  EXPECT_TRUE(v);
  GdipDeleteGraphics(g);
}

TEST_F(GdiPlusGraphics, ClearFillsTheClipAndAGoneDCIsAnError) {
  gditest::Canvas c(4, 1, RGB(0, 0, 0));
  ExcludeClipRect(c.dc, 1, 0, 2, 1);
  GpGraphics* g = OnDC(c.dc);
  EXPECT_EQ(GdipGraphicsClear(g, 0xFFFF0000), Ok);
  EXPECT_EQ(c.Mask(RGB(255, 0, 0)), "#.##\n");
  HDC other = CreateCompatibleDC(nullptr);
  GpGraphics* g2 = OnDC(other);
  DeleteDC(other);
  EXPECT_EQ(GdipGraphicsClear(g2, 0), Win32Error);
  GdipDeleteGraphics(g2);
  GdipDeleteGraphics(g);
  GpGraphics* none = nullptr;
  EXPECT_EQ(GdipCreateFromHDC(other, &none), InvalidParameter);
}

TEST_F(GdiPlusGraphics, AnImageKeepsItsAlphaAndLendsAnOpaqueDC) {
  GpBitmap* b = NewBitmap(3, 1, PixelFormat32bppARGB);
  GpGraphics* g = GraphicsOn(b);
  Fill(g, 0x80FF0000, 0, 0, 2, 1);
  EXPECT_EQ(PixelAt(b, 0, 0), 0x80FF0000u);
  EXPECT_EQ(PixelAt(b, 2, 0), 0u);

  HDC dc = nullptr;
  ASSERT_EQ(GdipGetDC(g, &dc), Ok);
  HDC again = nullptr;
  EXPECT_EQ(GdipGetDC(g, &again), ObjectBusy);
  EXPECT_EQ(GdipGraphicsClear(g, 0), ObjectBusy);
  RECT r{1, 0, 2, 1};
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  FillRect(dc, &r, blue);
  DeleteObject(blue);
  ASSERT_EQ(GdipReleaseDC(g, dc), Ok);
  // What GDI drew is opaque; what it left alone keeps its alpha.
  EXPECT_EQ(gptest::Pixels(b), (std::vector<std::uint32_t>{0x80FF0000, 0xFF0000FF, 0}));
}

TEST_F(GdiPlusGraphics, ModesAreKeptAndRangesChecked) {
  GpGraphics* g = GraphicsOn(NewBitmap(1, 1));
  GpInterpolationMode im = -1;
  GdipGetInterpolationMode(g, &im);
  EXPECT_EQ(im, InterpolationModeBilinear);
  EXPECT_EQ(GdipSetInterpolationMode(g, InterpolationModeNearestNeighbor), Ok);
  GdipGetInterpolationMode(g, &im);
  EXPECT_EQ(im, InterpolationModeNearestNeighbor);
  EXPECT_EQ(GdipSetInterpolationMode(g, InterpolationModeInvalid), InvalidParameter);
  EXPECT_EQ(GdipSetCompositingMode(g, 2), InvalidParameter);
  EXPECT_EQ(GdipSetSmoothingMode(g, SmoothingModeAntiAlias), Ok);
  GpSmoothingMode sm = 0;
  GdipGetSmoothingMode(g, &sm);
  EXPECT_EQ(sm, SmoothingModeAntiAlias);
  EXPECT_EQ(GdipSetCompositingQuality(g, CompositingQualityHighQuality), Ok);
  GpCompositingQuality cq = 0;
  GdipGetCompositingQuality(g, &cq);
  EXPECT_EQ(cq, CompositingQualityHighQuality);
}

}  // namespace
