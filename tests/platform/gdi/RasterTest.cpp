// Brush fills, blits and raster operations, checked pixel by pixel.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/gdi/Internal.h"
#include "tests/platform/gdi/Canvas.h"

using namespace win;
using gditest::Canvas;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = 0;

TEST(FillRect, CoversLeftTopButNotRightBottom) {
  Canvas c(6, 4);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT rc{1, 1, 4, 3};
  FillRect(c.dc, &rc, red);
  EXPECT_EQ(c.Mask(RGB(255, 0, 0)),
            "......\n"
            ".###..\n"
            ".###..\n"
            "......\n");
  DeleteObject(red);
}

TEST(Handles, ObjectsDeletedWhileSelectedLiveUntilDeselected) {
  Canvas c(3, 1);
  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HGDIOBJ old = SelectObject(c.dc, red);
  int saved = SaveDC(c.dc);
  EXPECT_TRUE(DeleteObject(red));
  EXPECT_FALSE(DeleteObject(red)) << "already deleted";
  MoveToEx(c.dc, 0, 0, nullptr);
  LineTo(c.dc, 2, 0);
  EXPECT_EQ(c.At(1, 0), RGB(255, 0, 0)) << "the selected pen still draws";
  SelectObject(c.dc, old);
  EXPECT_NE(GetObjectType(red), 0u) << "the saved state still holds it";
  RestoreDC(c.dc, saved);  // brings it back as the current pen
  SelectObject(c.dc, old);
  EXPECT_EQ(GetObjectType(red), 0u) << "freed once no DC holds it";
}

TEST(FillRect, AcceptsSystemColourIndexPlusOne) {
  Canvas c(2, 2);
  RECT rc{0, 0, 2, 2};
  FillRect(c.dc, &rc, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
  EXPECT_EQ(c.At(1, 1), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
}

TEST(SysColors, ChangingTheSchemeRecoloursTheBrushes) {
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  const INT which[] = {COLOR_BTNFACE};
  const COLORREF olive[] = {RGB(128, 128, 0)}, classic[] = {GetSysColor(COLOR_BTNFACE)};
  ASSERT_TRUE(platform::SetSchemeColors(1, which, olive));
  Canvas c(1, 1);
  RECT rc{0, 0, 1, 1};
  FillRect(c.dc, &rc, face);
  EXPECT_EQ(c.At(0, 0), RGB(128, 128, 0));
  EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
  platform::SetSchemeColors(1, which, classic);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
}

TEST(Handles, StaleAndForeignHandlesAreRejected) {
  Canvas c(2, 2);
  HBRUSH b = CreateSolidBrush(RGB(1, 2, 3));
  ASSERT_TRUE(DeleteObject(b));
  RECT rc{0, 0, 2, 2};
  EXPECT_EQ(FillRect(c.dc, &rc, b), 0);  // stale: nothing drawn
  EXPECT_EQ(c.At(0, 0), kWhite);
  EXPECT_FALSE(DeleteObject(b));
  EXPECT_EQ(SelectObject(c.dc, b), nullptr);
  // A pen handle is not a DC.
  HPEN pen = CreatePen(PS_SOLID, 1, 0);
  EXPECT_EQ(SetBkColor(reinterpret_cast<HDC>(pen), 0), CLR_INVALID);
  EXPECT_EQ(FillRect(reinterpret_cast<HDC>(pen), &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
  DeleteObject(pen);
  HDC dead = CreateCompatibleDC(nullptr);
  DeleteDC(dead);
  EXPECT_FALSE(DeleteDC(dead));
  EXPECT_FALSE(PatBlt(dead, 0, 0, 1, 1, BLACKNESS));
}

// Every ROP3 code the library uses, over all eight pattern/source/destination bit combinations:
// pixel i of a 4 x 2 strip holds P = bit 2, S = bit 1, D = bit 0 of i.
TEST(Rop3, TruthTables) {
  const DWORD rops[] = {SRCCOPY,  SRCPAINT, SRCAND,    SRCINVERT, SRCERASE,  NOTSRCCOPY, MERGEPAINT, MERGECOPY,
                        PATCOPY,  PATINVERT, DSTINVERT, BLACKNESS, WHITENESS, 0x220326,   0xB8074A,   0x00AA0029,
                        NOTSRCERASE, PATPAINT};
  auto bit = [](int i, int b) { return ((i >> b) & 1) ? kWhite : kBlack; };
  for (DWORD rop : rops) {
    SCOPED_TRACE(testing::Message() << std::hex << rop);
    Canvas dest(4, 2), src(4, 2), pat(8, 8);
    for (int i = 0; i < 8; ++i) {
      SetPixel(dest.dc, i % 4, i / 4, bit(i, 0));
      SetPixel(src.dc, i % 4, i / 4, bit(i, 1));
    }
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) SetPixel(pat.dc, x, y, (x < 4 && y < 2) ? bit(y * 4 + x, 2) : kBlack);
    HBRUSH brush = CreatePatternBrush(pat.bitmap);
    SelectObject(dest.dc, brush);
    ASSERT_TRUE(BitBlt(dest.dc, 0, 0, 4, 2, src.dc, 0, 0, rop));
    for (int i = 0; i < 8; ++i) {
      COLORREF want = ((rop >> 16) >> i) & 1 ? kWhite : kBlack;
      EXPECT_EQ(dest.At(i % 4, i / 4), want) << "P" << ((i >> 2) & 1) << " S" << ((i >> 1) & 1) << " D" << (i & 1);
    }
    SelectObject(dest.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
  }
}

TEST(Rop3, ColourChannelsCombineBitwise) {
  Canvas dest(1, 1, RGB(0x0F, 0xF0, 0x55)), src(1, 1, RGB(0x33, 0x33, 0xFF));
  BitBlt(dest.dc, 0, 0, 1, 1, src.dc, 0, 0, SRCAND);
  EXPECT_EQ(dest.At(0, 0), RGB(0x03, 0x30, 0x55));
  BitBlt(dest.dc, 0, 0, 1, 1, src.dc, 0, 0, SRCINVERT);
  EXPECT_EQ(dest.At(0, 0), RGB(0x30, 0x03, 0xAA));
}

TEST(BitBlt, CopyKeepsAlphaAndMovesWithinOneBitmap) {
  Canvas c(5, 1);
  auto px = platform::gdi::BitmapPixels(c.bitmap);
  for (int x = 0; x < 5; ++x) px.At(x, 0) = 0x80000000u | static_cast<std::uint32_t>(x);
  // Overlapping move to the right: every pixel must be read before it is overwritten.
  BitBlt(c.dc, 1, 0, 4, 1, c.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(c.Raw(0, 0), 0x80000000u);
  EXPECT_EQ(c.Raw(1, 0), 0x80000000u);
  EXPECT_EQ(c.Raw(4, 0), 0x80000003u);
}

TEST(BitBlt, DiagonalMoveWithinOneBitmapThroughAComplexClip) {
  // Every pixel numbered; moved two left and one down through a clip of two pieces, where one
  // piece's source lies under the other piece's destination.
  Canvas c(6, 4);
  auto px = platform::gdi::BitmapPixels(c.bitmap);
  auto number = [](int x, int y) { return static_cast<std::uint32_t>(y * 6 + x + 1); };
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) px.At(x, y) = number(x, y);
  HRGN clip = CreateRectRgn(0, 0, 2, 4), right = CreateRectRgn(3, 0, 5, 4);
  CombineRgn(clip, clip, right, RGN_OR);
  SelectClipRgn(c.dc, clip);
  BitBlt(c.dc, 0, 1, 4, 3, c.dc, 2, 0, SRCCOPY);
  for (int y = 1; y < 4; ++y)
    for (int x : {0, 1, 3}) EXPECT_EQ(c.Raw(x, y), number(x + 2, y - 1)) << x << "," << y;
  EXPECT_EQ(c.Raw(2, 2), number(2, 2)) << "outside the clip: untouched";
  DeleteObject(clip);
  DeleteObject(right);
}

TEST(BitBlt, MonochromeSourceTakesTextAndBackgroundColours) {
  Canvas dest(2, 1);
  HDC mono = CreateCompatibleDC(nullptr);
  const WORD bits[1] = {0x0040};  // bytes 0x40, 0x00: pixel 0 black, pixel 1 white
  HBITMAP bm = CreateBitmap(2, 1, 1, 1, bits);
  SelectObject(mono, bm);
  SetTextColor(dest.dc, RGB(255, 0, 0));
  SetBkColor(dest.dc, RGB(0, 0, 255));
  BitBlt(dest.dc, 0, 0, 2, 1, mono, 0, 0, SRCCOPY);
  EXPECT_EQ(dest.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(dest.At(1, 0), RGB(0, 0, 255));
  // And back: pixels of the source's background colour become white, all others black.
  SetBkColor(dest.dc, RGB(0, 0, 255));
  BitBlt(mono, 0, 0, 2, 1, dest.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(mono, 0, 0), kBlack);
  EXPECT_EQ(GetPixel(mono, 1, 0), kWhite);
  DeleteDC(mono);
  DeleteObject(bm);
}

TEST(StretchBlt, NegativeExtentsMirror) {
  Canvas src(3, 2), dest(3, 2);
  const COLORREF col[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
  for (int x = 0; x < 3; ++x) {
    SetPixel(src.dc, x, 0, col[x]);
    SetPixel(src.dc, x, 1, kBlack);
  }
  // The destination runs from x = 3 back to 0: pixels 0..2, mirrored.
  StretchBlt(dest.dc, 3, 0, -3, 2, src.dc, 0, 0, 3, 2, SRCCOPY);
  EXPECT_EQ(dest.At(0, 0), col[2]);
  EXPECT_EQ(dest.At(2, 0), col[0]);
  StretchBlt(dest.dc, 0, 2, 3, -2, src.dc, 0, 0, 3, 2, SRCCOPY);
  EXPECT_EQ(dest.At(0, 0), kBlack);
  EXPECT_EQ(dest.At(0, 1), col[0]);
  // A negative source extent mirrors too; both negative is a plain copy.
  StretchBlt(dest.dc, 0, 0, 3, 1, src.dc, 3, 0, -3, 1, SRCCOPY);
  EXPECT_EQ(dest.At(0, 0), col[2]);
  StretchBlt(dest.dc, 3, 0, -3, 1, src.dc, 3, 0, -3, 1, SRCCOPY);
  EXPECT_EQ(dest.At(0, 0), col[0]);
}

TEST(StretchBlt, ModesWhenShrinking) {
  struct Case {
    int mode;
    COLORREF want;
  } cases[] = {{BLACKONWHITE, kBlack}, {WHITEONBLACK, kWhite}, {COLORONCOLOR, kBlack}, {HALFTONE, RGB(128, 128, 128)}};
  for (const Case& k : cases) {
    Canvas src(2, 1), dest(1, 1, RGB(1, 2, 3));
    SetPixel(src.dc, 0, 0, kBlack);
    SetStretchBltMode(dest.dc, k.mode);
    StretchBlt(dest.dc, 0, 0, 1, 1, src.dc, 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(dest.At(0, 0), k.want) << k.mode;
  }
}

TEST(Blits, ExtremeExtentsClipInsteadOfOverflowing) {
  Canvas src(4, 4, RGB(1, 2, 3)), dest(4, 4);
  const int big = 0x7FFFFFF0;
  EXPECT_TRUE(StretchBlt(dest.dc, 0, 0, big, big, src.dc, 0, 0, 4, 4, SRCCOPY));
  EXPECT_EQ(dest.At(3, 3), RGB(1, 2, 3));
  SetStretchBltMode(dest.dc, HALFTONE);
  EXPECT_TRUE(StretchBlt(dest.dc, 0, 0, 4, 4, src.dc, -big, -big, big, big, SRCCOPY));
  EXPECT_TRUE(PatBlt(dest.dc, -big, -big, big, big, BLACKNESS));
  RECT huge{-big, -big, big, big};
  EXPECT_TRUE(FillRect(dest.dc, &huge, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))));
  EXPECT_EQ(dest.At(0, 0), RGB(255, 255, 255));
  SetViewportOrgEx(dest.dc, big, big, nullptr);
  EXPECT_TRUE(FillRect(dest.dc, &huge, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
}

TEST(AlphaBlend, MatchesTheBlendFormulaForBothPaths) {
  // Premultiplied source 50% red; destination grey with alpha.
  Canvas src(1, 1), d1(1, 1), d2(1, 1);
  platform::gdi::BitmapPixels(src.bitmap).At(0, 0) = 0x80800000u;
  for (Canvas* d : {&d1, &d2}) platform::gdi::BitmapPixels(d->bitmap).At(0, 0) = 0xFF404040u;
  BLENDFUNCTION bf{AC_SRC_OVER, 0, 200, AC_SRC_ALPHA};
  ASSERT_TRUE(AlphaBlend(d1.dc, 0, 0, 1, 1, src.dc, 0, 0, 1, 1, bf));
  // c = 200/255, a = c*128, k = 1 - a/255: R = c*128 + k*64, G = B = k*64, A = a + k*255.
  float c = 200.0f / 255.0f, a = c * 128.0f, k = 1.0f - a / 255.0f;
  auto rnd = [](float v) { return static_cast<std::uint32_t>(std::nearbyint(v)); };
  std::uint32_t want = rnd(a + k * 255.0f) << 24 | rnd(c * 128.0f + k * 64.0f) << 16 | rnd(k * 64.0f) << 8 | rnd(k * 64.0f);
  EXPECT_EQ(d1.Raw(0, 0), want);
  EXPECT_EQ(platform::gdi::BlendPixel(0x80800000u, 0xFF404040u, 200, true), want);
  // Constant alpha only: the source counts as opaque.
  bf.AlphaFormat = 0;
  AlphaBlend(d2.dc, 0, 0, 1, 1, src.dc, 0, 0, 1, 1, bf);
  EXPECT_EQ(d2.At(0, 0), RGB(rnd(c * 128 + (1 - c) * 64), rnd((1 - c) * 64), rnd((1 - c) * 64)));
  // A source rectangle outside the source fails.
  EXPECT_FALSE(AlphaBlend(d2.dc, 0, 0, 1, 1, src.dc, 1, 0, 1, 1, bf));
}

TEST(SurfaceDC, OriginAndVisibleRegionConfineDrawing) {
  std::vector<std::uint32_t> pixels(8 * 4, 0);
  platform::PixelBuffer buf{pixels.data(), 8, 4, 8};
  platform::Region visible(RECT{2, 0, 8, 4});
  visible.Subtract(RECT{5, 2, 6, 3});
  HWND fake = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
  HDC dc = platform::gdi::CreateSurfaceDC(buf, {2, 1}, visible, fake);
  EXPECT_EQ(WindowFromDC(dc), fake);
  RECT all{-10, -10, 100, 100};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  std::string got;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) got += pixels[static_cast<size_t>(y * 8 + x)] ? '#' : '.';
    got += '\n';
  }
  EXPECT_EQ(got,
            "..######\n"
            "..######\n"
            "..###.##\n"
            "..######\n");
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));  // target (2,1)
  EXPECT_EQ(GetPixel(dc, -1, 0), CLR_INVALID);        // outside the visible region
  platform::gdi::DestroySurfaceDC(dc);
}

}  // namespace
