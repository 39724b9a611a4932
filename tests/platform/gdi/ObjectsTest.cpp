// Drawing objects and bitmap formats: pens' raster modes, brushes, DIB conversions, palettes.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/platform/gdi/Canvas.h"

using namespace win;
using gditest::Canvas;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = 0;

// Every ROP2 over the four pen/destination combinations: pixel i has pen bit (i >> 1), destination
// bit (i & 1); the result is bit i of (mode - 1).
TEST(Rop2, AllSixteenModes) {
  for (int mode = R2_BLACK; mode <= R2_WHITE; ++mode) {
    Canvas c(4, 1);
    for (int i = 0; i < 4; ++i) SetPixel(c.dc, i, 0, (i & 1) ? kWhite : kBlack);
    HPEN white = CreatePen(PS_SOLID, 1, kWhite), black = CreatePen(PS_SOLID, 1, kBlack);
    SetROP2(c.dc, mode);
    for (int i = 0; i < 4; ++i) {
      SelectObject(c.dc, (i >> 1) ? white : black);
      MoveToEx(c.dc, i, 0, nullptr);
      LineTo(c.dc, i + 1, 0);
    }
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(c.At(i, 0), ((mode - 1) >> i) & 1 ? kWhite : kBlack) << "mode " << mode << " pixel " << i;
    SelectObject(c.dc, GetStockObject(BLACK_PEN));
    DeleteObject(white);
    DeleteObject(black);
  }
}

TEST(Brushes, DcBrushAndPenTakeTheDcsColours) {
  Canvas c(4, 2);
  SelectObject(c.dc, GetStockObject(DC_BRUSH));
  SelectObject(c.dc, GetStockObject(DC_PEN));
  SetDCBrushColor(c.dc, RGB(0, 128, 255));
  SetDCPenColor(c.dc, RGB(255, 0, 0));
  RECT rc{0, 0, 4, 1};
  FillRect(c.dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  EXPECT_EQ(c.At(2, 0), RGB(0, 128, 255));
  MoveToEx(c.dc, 0, 1, nullptr);
  LineTo(c.dc, 4, 1);
  EXPECT_EQ(c.At(2, 1), RGB(255, 0, 0));
  SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
  SelectObject(c.dc, GetStockObject(BLACK_PEN));
}

TEST(Brushes, HatchesFollowTheBackgroundMode) {
  HBRUSH cross = CreateHatchBrush(HS_CROSS, RGB(255, 0, 0));
  for (int mode : {OPAQUE, TRANSPARENT}) {
    Canvas c(8, 8, RGB(0, 255, 0));
    SetBkColor(c.dc, RGB(0, 0, 255));
    SetBkMode(c.dc, mode);
    RECT rc{0, 0, 8, 8};
    FillRect(c.dc, &rc, cross);
    EXPECT_EQ(c.Mask(RGB(255, 0, 0)),
              ".......#\n.......#\n.......#\n.......#\n.......#\n.......#\n.......#\n########\n");
    EXPECT_EQ(c.At(0, 0), mode == OPAQUE ? RGB(0, 0, 255) : RGB(0, 255, 0));
  }
  DeleteObject(cross);
}

TEST(Brushes, MonochromePatternsTakeTheDcColoursAndTheBrushOrigin) {
  const WORD rows[8] = {0x80, 0, 0, 0, 0, 0, 0, 0};  // one white pixel at (0, 0)
  HBITMAP bm = CreateBitmap(8, 8, 1, 1, rows);
  HBRUSH b = CreatePatternBrush(bm);
  DeleteObject(bm);  // the brush keeps its own copy
  Canvas c(9, 2);
  SetTextColor(c.dc, RGB(255, 0, 0));  // black bits
  SetBkColor(c.dc, RGB(0, 0, 255));    // white bits
  SetBrushOrgEx(c.dc, 1, 0, nullptr);
  RECT rc{0, 0, 9, 2};
  FillRect(c.dc, &rc, b);
  EXPECT_EQ(c.At(1, 0), RGB(0, 0, 255));
  EXPECT_EQ(c.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(c.At(9 - 1, 0), RGB(255, 0, 0));
  EXPECT_EQ(c.At(1, 1), RGB(255, 0, 0));
  DeleteObject(b);
}

// A 3 x 2 picture written through SetDIBits in every depth and row order, read back as 32-bit
// top-down rows and, for exact depths, in its own format.
TEST(Dib, RoundTripsInEveryDepthAndRowOrder) {
  const COLORREF picture[2][3] = {{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)},
                                  {kWhite, kBlack, RGB(128, 128, 128)}};
  for (int bpp : {1, 4, 8, 24, 32})
    for (bool topDown : {true, false}) {
      SCOPED_TRACE(testing::Message() << bpp << " bits, " << (topDown ? "top-down" : "bottom-up"));
      std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + 256 * 4);
      auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
      bi->bmiHeader = BITMAPINFOHEADER{};
      bi->bmiHeader.biWidth = 3;
      bi->bmiHeader.biHeight = topDown ? -2 : 2;
      bi->bmiHeader.biBitCount = static_cast<WORD>(bpp);
      // Palette formats: a table holding exactly the picture's colours.
      std::vector<COLORREF> table = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), kWhite, kBlack, RGB(128, 128, 128)};
      if (bpp == 1) table = {kBlack, kWhite};
      for (size_t i = 0; i < table.size() && bpp <= 8; ++i)
        bi->bmiColors[i] = {GetBValue(table[i]), GetGValue(table[i]), GetRValue(table[i]), 0};
      if (bpp <= 8) bi->bmiHeader.biClrUsed = static_cast<DWORD>(table.size());
      auto expect = [&](int x, int y) {
        COLORREF c = picture[y][x];
        if (bpp == 1) return (GetRValue(c) + GetGValue(c) + GetBValue(c)) >= 384 ? kWhite : kBlack;
        return c;
      };
      auto index = [&](COLORREF c) {
        for (size_t i = 0; i < table.size(); ++i)
          if (table[i] == c) return static_cast<unsigned>(i);
        return 0u;
      };
      int stride = ((3 * bpp + 31) / 32) * 4;
      std::vector<unsigned char> bits(static_cast<size_t>(stride) * 2, 0);
      for (int row = 0; row < 2; ++row) {
        int y = topDown ? row : 1 - row;
        unsigned char* p = &bits[static_cast<size_t>(row * stride)];
        for (int x = 0; x < 3; ++x) {
          COLORREF c = expect(x, y);
          switch (bpp) {
            case 1: p[0] = static_cast<unsigned char>(p[0] | (index(c) << (7 - x))); break;
            case 4: p[x / 2] = static_cast<unsigned char>(p[x / 2] | (index(c) << ((x & 1) ? 0 : 4))); break;
            case 8: p[x] = static_cast<unsigned char>(index(c)); break;
            default: {
              int n = bpp / 8;
              p[x * n] = GetBValue(c);
              p[x * n + 1] = GetGValue(c);
              p[x * n + 2] = GetRValue(c);
            }
          }
        }
      }
      HBITMAP bm = CreateBitmap(3, 2, 1, bpp == 1 ? 1 : 32, nullptr);
      ASSERT_EQ(SetDIBits(nullptr, bm, 0, 2, bits.data(), bi, DIB_RGB_COLORS), 2);
      BITMAPINFO out{};
      out.bmiHeader.biWidth = 3;
      out.bmiHeader.biHeight = -2;
      out.bmiHeader.biBitCount = 32;
      std::uint32_t px[6];
      ASSERT_EQ(GetDIBits(nullptr, bm, 0, 2, px, &out, DIB_RGB_COLORS), 2);
      for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
          std::uint32_t p = px[y * 3 + x];
          EXPECT_EQ(RGB(static_cast<BYTE>(p >> 16), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p)), expect(x, y))
              << x << "," << y;
        }
      if (bpp == 24 || bpp == 32 || bpp == 1) {
        std::vector<unsigned char> back(bits.size(), 0xEE);
        ASSERT_EQ(GetDIBits(nullptr, bm, 0, 2, back.data(), bi, DIB_RGB_COLORS), 2);
        for (int row = 0; row < 2; ++row)
          EXPECT_EQ(std::memcmp(&back[static_cast<size_t>(row * stride)], &bits[static_cast<size_t>(row * stride)],
                                static_cast<size_t>((3 * bpp + 7) / 8)),
                    0)
              << "row " << row;
      }
      DeleteObject(bm);
    }
}

TEST(Dib, SectionsShareTheirMemoryAndRefuseWhatTheyCannotHold) {
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 2;
  bi.bmiHeader.biHeight = 2;  // bottom-up
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bm = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bits, nullptr);
  static_cast<std::uint32_t*>(bits)[0] = 0x00FF0000;  // first in memory: bottom-left
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, bm);
  EXPECT_EQ(GetPixel(dc, 0, 1), RGB(255, 0, 0));
  DIBSECTION ds;
  ASSERT_EQ(GetObject(bm, sizeof ds, &ds), static_cast<int>(sizeof ds));
  EXPECT_EQ(ds.dsBm.bmBits, bits);
  EXPECT_EQ(ds.dsBmih.biHeight, 2);
  EXPECT_FALSE(DeleteObject(bm)) << "still selected";
  DeleteDC(dc);
  EXPECT_TRUE(DeleteObject(bm));
  bi.bmiHeader.biBitCount = 12;
  EXPECT_EQ(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr) << "no such depth";
  EXPECT_EQ(bits, nullptr);
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biWidth = 1 << 20;
  bi.bmiHeader.biHeight = 1 << 20;
  EXPECT_EQ(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr) << "absurd size";
}

TEST(Objects, GetObjectAndCurrentObjects) {
  HPEN pen = CreatePen(PS_DASH, 1, RGB(1, 2, 3));
  LOGPEN lp;
  ASSERT_EQ(GetObject(pen, sizeof lp, &lp), static_cast<int>(sizeof lp));
  EXPECT_EQ(lp.lopnStyle, PS_DASH);
  EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
  HBRUSH hatch = CreateHatchBrush(HS_BDIAGONAL, RGB(4, 5, 6));
  LOGBRUSH lb;
  GetObject(hatch, sizeof lb, &lb);
  EXPECT_EQ(lb.lbStyle, BS_HATCHED);
  EXPECT_EQ(lb.lbHatch, static_cast<ULONG_PTR>(HS_BDIAGONAL));
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, pen);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
  EXPECT_EQ(GetObjectType(hatch), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
  platform::gdi::SetScreenSize(1280, 1024);
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 1280) << "a memory DC answers for the screen";
  EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 1024);
  platform::gdi::SetScreenSize(1920, 1080);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 1) << "a fresh memory DC holds a monochrome bitmap";
  HBITMAP mono = CreateCompatibleBitmap(dc, 4, 4);
  BITMAP b;
  GetObject(mono, sizeof b, &b);
  EXPECT_EQ(b.bmBitsPixel, 1);
  EXPECT_EQ(GetNearestColor(dc, RGB(200, 200, 200)), kWhite);
  HPALETTE pal = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  EXPECT_EQ(SelectPalette(dc, pal, FALSE), pal);
  EXPECT_EQ(RealizePalette(dc), 0u);
  DeleteDC(dc);
  DeleteObject(mono);
  DeleteObject(pen);
  DeleteObject(hatch);
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));
  EXPECT_NE(GetObjectType(GetStockObject(BLACK_PEN)), 0u) << "stock objects survive deletion";
}

TEST(Blits, MaskTransparentAndGradient) {
  Canvas dest(3, 1, RGB(0, 0, 255)), src(3, 1, RGB(255, 0, 0));
  const WORD mask[1] = {0x00A0};  // 1 0 1
  HBITMAP m = CreateBitmap(3, 1, 1, 1, mask);
  MaskBlt(dest.dc, 0, 0, 3, 1, src.dc, 0, 0, m, 0, 0, MAKEROP4(SRCCOPY, 0x00AA0029));
  EXPECT_EQ(dest.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(dest.At(1, 0), RGB(0, 0, 255));
  EXPECT_EQ(dest.At(2, 0), RGB(255, 0, 0));
  DeleteObject(m);

  Canvas key(2, 1, RGB(255, 0, 255)), onto(4, 1, RGB(0, 255, 0));
  SetPixel(key.dc, 1, 0, RGB(9, 9, 9));
  TransparentBlt(onto.dc, 0, 0, 4, 1, key.dc, 0, 0, 2, 1, RGB(255, 0, 255));
  EXPECT_EQ(onto.At(1, 0), RGB(0, 255, 0));
  EXPECT_EQ(onto.At(2, 0), RGB(9, 9, 9));

  Canvas g(4, 2);
  TRIVERTEX v[2] = {{0, 0, 0, 0, 0, 0}, {4, 2, 0xFF00, 0xFF00, 0xFF00, 0}};
  GRADIENT_RECT r{0, 1};
  ASSERT_TRUE(GradientFill(g.dc, v, 2, &r, 1, GRADIENT_FILL_RECT_H));
  EXPECT_EQ(g.At(0, 1), RGB(0, 0, 0));
  EXPECT_EQ(g.At(2, 0), RGB(127, 127, 127));
  EXPECT_EQ(g.At(3, 0), RGB(191, 191, 191));
  GRADIENT_RECT bad{0, 5};
  EXPECT_FALSE(GradientFill(g.dc, v, 2, &bad, 1, GRADIENT_FILL_RECT_V)) << "vertex index out of range";
}

// A 24-bit section: drawing reaches the bits at GdiFlush, bits written by the caller reach the
// next drawing call.
TEST(Dib, SectionsOfOtherDepthsMirrorTheirBits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 2;
  bi.bmiHeader.biHeight = -2;
  bi.bmiHeader.biBitCount = 24;
  void* raw = nullptr;
  HBITMAP bm = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &raw, nullptr, 0);
  ASSERT_NE(bm, nullptr);
  auto* bits = static_cast<unsigned char*>(raw);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, bm);
  SetPixel(dc, 1, 0, RGB(10, 20, 30));
  GdiFlush();
  EXPECT_EQ(bits[3], 30);  // B, G, R of pixel (1, 0)
  EXPECT_EQ(bits[4], 20);
  EXPECT_EQ(bits[5], 10);
  bits[8] = 200;  // row 1 starts at byte 8 (rows are 4-byte aligned): pixel (0, 1) blue
  EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 200));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(10, 20, 30)) << "earlier drawing survives the read-in";
  BITMAP info;
  GetObject(bm, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 24);
  EXPECT_EQ(info.bmWidthBytes, 8);
  EXPECT_EQ(info.bmBits, raw);
  DeleteDC(dc);
  DeleteObject(bm);
}

}  // namespace

namespace {

// A 32-bit section whose pixels carry alpha, as image lists keep their images.
HBITMAP AlphaSection(int w, int h, std::uint32_t** bits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* p = nullptr;
  HBITMAP b = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
  *bits = static_cast<std::uint32_t*>(p);
  for (int i = 0; i < w * h; ++i) (*bits)[i] = 0x80000000u | static_cast<std::uint32_t>(i);
  return b;
}

TEST(CopyImage, BitmapsCopyToSectionsOrDeviceBitmapsKeepingEveryByte) {
  std::uint32_t* bits = nullptr;
  HBITMAP source = AlphaSection(4, 2, &bits);

  HBITMAP section = static_cast<HBITMAP>(CopyImage(source, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(section, nullptr);
  ASSERT_NE(section, source);
  DIBSECTION ds;
  ASSERT_EQ(GetObject(section, sizeof ds, &ds), static_cast<int>(sizeof ds)) << "a DIB section";
  EXPECT_EQ(ds.dsBm.bmWidth, 4);
  EXPECT_EQ(ds.dsBm.bmBitsPixel, 32);
  const auto* copied = static_cast<const std::uint32_t*>(ds.dsBm.bmBits);
  // The copy is bottom-up, as sections made by the platform are.
  EXPECT_EQ(copied[0], 0x80000004u);
  EXPECT_EQ(copied[7], 0x80000003u);
  bits[0] = 0;  // the copy is its own
  EXPECT_EQ(copied[4], 0x80000000u);

  HBITMAP device = static_cast<HBITMAP>(CopyImage(source, IMAGE_BITMAP, 8, 4, 0));
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(GetObject(device, sizeof ds, &ds), static_cast<int>(sizeof(BITMAP))) << "a device bitmap";
  EXPECT_EQ(ds.dsBm.bmWidth, 8);
  EXPECT_EQ(ds.dsBm.bmHeight, 4);

  HBITMAP mono = static_cast<HBITMAP>(CopyImage(source, IMAGE_BITMAP, 0, 0, LR_MONOCHROME | LR_COPYDELETEORG));
  ASSERT_NE(mono, nullptr);
  BITMAP bm;
  GetObject(mono, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(GetObjectType(source), 0u) << "LR_COPYDELETEORG deleted the source";

  EXPECT_EQ(CopyImage(device, IMAGE_BITMAP, 0, 0, LR_COPYRETURNORG), device) << "nothing to change";
  SetLastError(0);
  EXPECT_EQ(CopyImage(source, IMAGE_BITMAP, 0, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  for (HBITMAP b : {section, device, mono}) DeleteObject(b);
}

TEST(CopyImage, IconsCopyAtANewSize) {
  std::uint32_t* bits = nullptr;
  ICONINFO ii;
  ii.hbmColor = AlphaSection(32, 32, &bits);
  ii.hbmMask = CreateBitmap(32, 32, 1, 1, nullptr);
  HICON icon = CreateIconIndirect(&ii);
  HICON small = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, 16, 16, LR_COPYFROMRESOURCE));
  ASSERT_NE(small, nullptr);
  ICONINFO out;
  ASSERT_TRUE(GetIconInfo(small, &out));
  BITMAP bm;
  GetObject(out.hbmColor, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 16);
  GetObject(out.hbmMask, sizeof bm, &bm);
  EXPECT_EQ(bm.bmHeight, 16);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  for (HBITMAP b : {out.hbmColor, out.hbmMask, ii.hbmColor, ii.hbmMask}) DeleteObject(b);
  DestroyIcon(small);
  DestroyIcon(icon);
}

}  // namespace
