// Lines, shapes, focus rectangles, regions and clipping, checked as pixel masks.
#include <gtest/gtest.h>

#include "tests/platform/gdi/Canvas.h"

using namespace win;
using gditest::Canvas;

namespace {

constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

TEST(Lines, LeaveOutTheLastPoint) {
  struct Case {
    POINT a, b;
    const char* mask;
  } cases[] = {
      {{0, 0}, {4, 0}, "####.\n.....\n.....\n"},
      {{4, 2}, {0, 2}, ".....\n.....\n.####\n"},
      {{0, 0}, {0, 2}, "#....\n#....\n.....\n"},
      {{0, 0}, {2, 2}, "#....\n.#...\n.....\n"},
      {{1, 1}, {1, 1}, ".....\n.....\n.....\n"},
  };
  for (const Case& k : cases) {
    Canvas c(5, 3);
    MoveToEx(c.dc, k.a.x, k.a.y, nullptr);
    LineTo(c.dc, k.b.x, k.b.y);
    EXPECT_EQ(c.Mask(kInk), k.mask);
    POINT pos;
    GetCurrentPositionEx(c.dc, &pos);
    EXPECT_EQ(pos, k.b);
  }
  // A polyline draws every vertex but the last.
  Canvas c(5, 3);
  POINT pts[] = {{0, 0}, {3, 0}, {3, 2}};
  Polyline(c.dc, pts, 3);
  EXPECT_EQ(c.Mask(kInk), "####.\n...#.\n.....\n");
}

TEST(Lines, WidePensCoverTheirWidthAndBothEnds) {
  Canvas c(12, 8);
  HPEN wide = CreatePen(PS_SOLID, 3, kInk);
  SelectObject(c.dc, wide);
  MoveToEx(c.dc, 2, 3, nullptr);
  LineTo(c.dc, 8, 3);
  for (int y : {2, 3, 4}) EXPECT_EQ(c.At(5, y), kInk) << y;
  EXPECT_EQ(c.At(5, 1), RGB(255, 255, 255));
  EXPECT_EQ(c.At(5, 5), RGB(255, 255, 255));
  EXPECT_EQ(c.At(8, 3), kInk) << "the end point is drawn";
  EXPECT_EQ(c.At(10, 3), RGB(255, 255, 255));
  SelectObject(c.dc, GetStockObject(BLACK_PEN));
  DeleteObject(wide);
}

TEST(Lines, XorPenTwiceRestoresAndDotsAlternate) {
  Canvas c(8, 2, RGB(10, 20, 30));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 255));
  SelectObject(c.dc, pen);
  SetROP2(c.dc, R2_XORPEN);
  for (int i = 0; i < 2; ++i) {
    MoveToEx(c.dc, 0, 0, nullptr);
    LineTo(c.dc, 8, 0);
    if (i == 0) {
      EXPECT_EQ(c.At(3, 0), RGB(10 ^ 255, 20, 30 ^ 255));
    }
  }
  EXPECT_EQ(c.Mask(RGB(10, 20, 30)), "########\n########\n");
  SetROP2(c.dc, R2_COPYPEN);
  HPEN dot = CreatePen(PS_DOT, 1, kInk);
  SelectObject(c.dc, dot);
  SetBkMode(c.dc, TRANSPARENT);
  MoveToEx(c.dc, 0, 1, nullptr);
  LineTo(c.dc, 8, 1);
  EXPECT_EQ(c.Mask(kInk), "........\n###...##\n");
  SelectObject(c.dc, GetStockObject(BLACK_PEN));
  DeleteObject(pen);
  DeleteObject(dot);
}

TEST(Shapes, RectangleWithAndWithoutPen) {
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  {
    Canvas c(5, 4);
    SelectObject(c.dc, red);
    Rectangle(c.dc, 0, 0, 4, 4);
    EXPECT_EQ(c.Mask(kInk), "####.\n#..#.\n#..#.\n####.\n");
    EXPECT_EQ(c.Mask(RGB(255, 0, 0)), ".....\n.##..\n.##..\n.....\n");
    SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
  }
  {
    // Without a pen the filled area is one pixel smaller on the right and at the bottom.
    Canvas c(5, 4);
    SelectObject(c.dc, red);
    SelectObject(c.dc, GetStockObject(NULL_PEN));
    Rectangle(c.dc, 0, 0, 4, 4);
    EXPECT_EQ(c.Mask(RGB(255, 0, 0)), "###..\n###..\n###..\n.....\n");
    SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
  }
  DeleteObject(red);
}

TEST(Shapes, EllipseIsSymmetricAndInsideItsBox) {
  Canvas c(12, 8);
  SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
  Ellipse(c.dc, 1, 1, 11, 7);
  std::string m = c.Mask(kInk);
  EXPECT_EQ(m.substr(0, 13), "............\n");  // row 0 untouched
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x) EXPECT_EQ(c.At(x, y), c.At(11 - x, y)) << x << "," << y;
  EXPECT_EQ(c.At(6, 4), kInk);
  EXPECT_EQ(c.At(11, 4), kWhite);
  EXPECT_EQ(c.At(0, 4), kWhite);
  SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
}

TEST(Shapes, PolygonFillModes) {
  // A star drawn as one self-crossing pentagram: the centre is outside with ALTERNATE, inside
  // with WINDING.
  POINT star[] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
  for (int mode : {ALTERNATE, WINDING}) {
    Canvas c(21, 21);
    SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
    SelectObject(c.dc, GetStockObject(NULL_PEN));
    SetPolyFillMode(c.dc, mode);
    Polygon(c.dc, star, 5);
    EXPECT_EQ(c.At(10, 11), mode == WINDING ? kInk : kWhite);
    EXPECT_EQ(c.At(10, 3), kInk);
    SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
    SelectObject(c.dc, GetStockObject(BLACK_PEN));
  }
}

TEST(Shapes, PolygonsFillThePixelsTheirVerticesName) {
  // Vertices are pixels, as for the pen: left and top edges take their pixels, right and bottom
  // ones do not, so slanted edges stand where the outline stands.
  Canvas fill(11, 11);
  SelectObject(fill.dc, GetStockObject(BLACK_BRUSH));
  SelectObject(fill.dc, GetStockObject(NULL_PEN));
  POINT corner[] = {{0, 0}, {10, 0}, {0, 10}};
  Polygon(fill.dc, corner, 3);
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 11; ++x) EXPECT_EQ(fill.At(x, y), x + y < 10 ? kInk : kWhite) << x << "," << y;
  HRGN region = CreatePolygonRgn(corner, 3, ALTERNATE);
  EXPECT_TRUE(PtInRegion(region, 9, 0));
  EXPECT_TRUE(PtInRegion(region, 0, 9));
  EXPECT_FALSE(PtInRegion(region, 5, 5));
  DeleteObject(region);

  // A drop-down arrow three pixels high, filled and outlined: a solid triangle.
  Canvas arrow(7, 4);
  SelectObject(arrow.dc, GetStockObject(BLACK_BRUSH));
  POINT tri[] = {{1, 0}, {5, 0}, {3, 2}};
  Polygon(arrow.dc, tri, 3);
  EXPECT_EQ(arrow.Mask(kInk), ".#####.\n..###..\n...#...\n.......\n");
  SelectObject(fill.dc, GetStockObject(WHITE_BRUSH));
  SelectObject(arrow.dc, GetStockObject(WHITE_BRUSH));
}

TEST(FocusRect, CheckerDotsThatInvertBack) {
  Canvas c(6, 4);
  RECT rc{0, 0, 6, 4};
  DrawFocusRect(c.dc, &rc);
  EXPECT_EQ(c.Mask(kInk),
            "#.#.#.\n"
            "....."
            "#\n"
            "#....."
            "\n"
            ".#.#.#\n");
  DrawFocusRect(c.dc, &rc);
  EXPECT_EQ(c.Mask(kWhite), "######\n######\n######\n######\n");
}

TEST(FrameRect, OnePixelBorderOfTheBrush) {
  Canvas c(4, 4);
  RECT rc{0, 0, 4, 3};
  FrameRect(c.dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(c.Mask(kInk), "####\n#..#\n####\n....\n");
}

TEST(Regions, Algebra) {
  HRGN a = CreateRectRgn(0, 0, 4, 4), b = CreateRectRgn(2, 2, 6, 6), d = CreateRectRgn(0, 0, 0, 0);
  struct Case {
    int mode, type;
    POINT in, out;
  } cases[] = {
      {RGN_AND, SIMPLEREGION, {3, 3}, {1, 1}},
      {RGN_OR, COMPLEXREGION, {5, 5}, {5, 0}},
      {RGN_XOR, COMPLEXREGION, {1, 1}, {3, 3}},
      {RGN_DIFF, COMPLEXREGION, {1, 3}, {3, 3}},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(CombineRgn(d, a, b, k.mode), k.type) << k.mode;
    EXPECT_TRUE(PtInRegion(d, k.in.x, k.in.y)) << k.mode;
    EXPECT_FALSE(PtInRegion(d, k.out.x, k.out.y)) << k.mode;
  }
  EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_COPY), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(d, a));
  EXPECT_EQ(OffsetRgn(d, 10, 0), SIMPLEREGION);
  RECT box;
  GetRgnBox(d, &box);
  EXPECT_EQ(box, (RECT{10, 0, 14, 4}));
  RECT probe{3, 3, 8, 8};
  EXPECT_TRUE(RectInRegion(a, &probe));
  HRGN e = CreateEllipticRgn(0, 0, 10, 10);
  EXPECT_TRUE(PtInRegion(e, 5, 5));
  EXPECT_FALSE(PtInRegion(e, 0, 0));
  EXPECT_FALSE(PtInRegion(e, 10, 5));
  EXPECT_EQ(CombineRgn(d, a, reinterpret_cast<HRGN>(GetStockObject(BLACK_BRUSH)), RGN_OR), ERROR);
  for (HRGN r : {a, b, d, e}) DeleteObject(r);
}

TEST(Clipping, ClipRegionsOriginsAndSaveRestore) {
  Canvas c(6, 3);
  HRGN clip = CreateRectRgn(1, 0, 5, 3);
  SelectClipRgn(c.dc, clip);
  int saved = SaveDC(c.dc);
  ExcludeClipRect(c.dc, 2, 0, 4, 2);
  SetViewportOrgEx(c.dc, 1, 0, nullptr);
  RECT box;
  EXPECT_EQ(GetClipBox(c.dc, &box), COMPLEXREGION);
  EXPECT_EQ(box, (RECT{0, 0, 4, 3}));  // logical: device minus the viewport origin
  PatBlt(c.dc, -1, 0, 10, 3, BLACKNESS);
  EXPECT_EQ(c.Mask(kInk), ".#..#.\n.#..#.\n.####.\n");
  EXPECT_FALSE(PtVisible(c.dc, 1, 0));
  EXPECT_TRUE(PtVisible(c.dc, 0, 0));
  ASSERT_TRUE(RestoreDC(c.dc, -1));
  EXPECT_FALSE(RestoreDC(c.dc, saved));  // already popped
  POINT org;
  GetViewportOrgEx(c.dc, &org);
  EXPECT_EQ(org, (POINT{0, 0}));
  HRGN got = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(c.dc, got), 1);
  EXPECT_TRUE(EqualRgn(got, clip));
  SelectClipRgn(c.dc, nullptr);
  EXPECT_EQ(GetClipRgn(c.dc, got), 0);
  DeleteObject(clip);
  DeleteObject(got);
}

TEST(Paths, FillAndClipToAPath) {
  Canvas c(6, 6);
  BeginPath(c.dc);
  MoveToEx(c.dc, 1, 1, nullptr);
  LineTo(c.dc, 5, 1);
  LineTo(c.dc, 5, 5);
  LineTo(c.dc, 1, 5);
  CloseFigure(c.dc);
  EndPath(c.dc);
  SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
  ASSERT_TRUE(FillPath(c.dc));
  EXPECT_EQ(c.Mask(kInk), "......\n.####.\n.####.\n.####.\n.####.\n......\n");
  EXPECT_FALSE(FillPath(c.dc));  // the path is used up
  BeginPath(c.dc);
  Rectangle(c.dc, 0, 0, 2, 2);
  EndPath(c.dc);
  ASSERT_TRUE(SelectClipPath(c.dc, RGN_COPY));
  PatBlt(c.dc, 0, 0, 6, 6, WHITENESS);
  EXPECT_EQ(c.At(1, 1), kWhite);
  EXPECT_EQ(c.At(2, 2), kInk);
  SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
}

TEST(MulDiv, RoundsHalvesAwayFromZeroAndReportsOverflow) {
  struct Case {
    int a, b, c, want;
  } cases[] = {{5, 1, 2, 3},   {-5, 1, 2, -3}, {5, -1, 2, -3},         {7, 1, 3, 2},  {8, 1, 3, 3},
               {1, 1, 0, -1},  {0x40000000, 4, 1, -1}, {-0x40000000, 2, 1, static_cast<int>(0x80000000u)},
               {100000, 100000, 100000, 100000}};
  for (const Case& k : cases) EXPECT_EQ(MulDiv(k.a, k.b, k.c), k.want) << k.a << "*" << k.b << "/" << k.c;
}

}  // namespace

namespace {

// Shapes far larger than the surface draw their visible part only, quickly and without
// overflowing.
TEST(Shapes, HugeShapesDrawTheirVisiblePart) {
  const int big = 1 << 28;
  Canvas c(8, 4);
  MoveToEx(c.dc, -big, 1, nullptr);
  LineTo(c.dc, big, 1);
  EXPECT_EQ(c.Mask(kInk), "........\n########\n........\n........\n");
  HPEN dash = CreatePen(PS_DASH, 1, kInk);
  SelectObject(c.dc, dash);
  SetBkMode(c.dc, TRANSPARENT);
  MoveToEx(c.dc, 0, -big, nullptr);
  LineTo(c.dc, 0, big);  // the dash phase at the surface comes from the whole line's length
  MoveToEx(c.dc, -big, -big, nullptr);
  LineTo(c.dc, big, big);
  SelectObject(c.dc, GetStockObject(BLACK_PEN));
  DeleteObject(dash);
  SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
  Ellipse(c.dc, -big, -big, big, big);
  EXPECT_EQ(c.Mask(kInk), "########\n########\n########\n########\n");
  POINT tri[] = {{-big, -big}, {big, -big}, {0, big}};
  SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
  Polygon(c.dc, tri, 3);
  RoundRect(c.dc, -big, -big, big, big, big, big);
  EXPECT_EQ(c.At(4, 2), RGB(255, 255, 255));
}

}  // namespace

namespace {

// Every primitive with arbitrary coordinates, small and extreme, on a small surface with an
// origin and a clip: nothing may crash, hang or write outside the bitmap.
TEST(Shapes, SurviveArbitraryCoordinates) {
  Canvas c(16, 12);
  unsigned seed = 777;
  auto next = [&] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) & 0xFFFFFF;
  };
  auto coord = [&]() -> int {
    switch (next() % 4) {
      case 0: return static_cast<int>(next() % 1000000) - 500000;
      case 1: return (next() % 2 ? 1 : -1) * static_cast<int>(0x7FFFFFF0 - next() % 100);
      default: return static_cast<int>(next() % 40) - 12;
    }
  };
  HRGN clip = CreateEllipticRgn(2, 1, 14, 11);
  SelectClipRgn(c.dc, clip);
  SetViewportOrgEx(c.dc, 1, 1, nullptr);
  HPEN pens[] = {CreatePen(PS_SOLID, 1, RGB(255, 0, 0)), CreatePen(PS_DOT, 1, 0), CreatePen(PS_SOLID, 4, RGB(0, 0, 255))};
  HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 128, 0));
  Canvas src(5, 5, RGB(9, 9, 9));
  for (int round = 0; round < 600; ++round) {
    SelectObject(c.dc, pens[next() % 3]);
    SelectObject(c.dc, next() % 2 ? static_cast<HGDIOBJ>(hatch) : GetStockObject(GRAY_BRUSH));
    SetROP2(c.dc, static_cast<int>(next() % 16) + 1);
    int a = coord(), b = coord(), d = coord(), e = coord();
    switch (next() % 15) {
      case 12: {
        RECT rc{a, b, d, e};
        const UINT types[] = {DFC_BUTTON, DFC_SCROLL, DFC_CAPTION, DFC_MENU};
        DrawFrameControl(c.dc, &rc, types[next() % 4], next() & 0xFFFF);
        break;
      }
      case 13: {
        LOGFONTA lf;
        lf.lfHeight = static_cast<int>(next() % 40) - 20;
        lf.lfEscapement = static_cast<int>(next() % 7200) - 3600;
        lf.lfUnderline = next() % 2;
        HFONT f = CreateFontIndirect(&lf);
        HGDIOBJ old = SelectObject(c.dc, f);
        SetTextCharacterExtra(c.dc, next() % 8 ? 0 : coord());
        TextOut(c.dc, a, b, "Wall 墙", -1);
        SetTextCharacterExtra(c.dc, 0);
        SelectObject(c.dc, old);
        DeleteObject(f);
        break;
      }
      case 14: {
        RECT rc{a, b, d, e};
        DrawText(c.dc, "&Scene one\tand two", -1, &rc, next() & 0x1FFFFF & ~DT_TABSTOP);
        break;
      }
      case 0: MoveToEx(c.dc, a, b, nullptr); LineTo(c.dc, d, e); break;
      case 1: Rectangle(c.dc, a, b, d, e); break;
      case 2: Ellipse(c.dc, a, b, d, e); break;
      case 3: RoundRect(c.dc, a, b, d, e, coord(), coord()); break;
      case 4: Pie(c.dc, a, b, d, e, coord(), coord(), coord(), coord()); break;
      case 5: Chord(c.dc, a, b, d, e, coord(), coord(), coord(), coord()); break;
      case 6: {
        POINT pts[4] = {{a, b}, {d, e}, {coord(), coord()}, {coord(), coord()}};
        Polygon(c.dc, pts, 4);
        break;
      }
      case 7: PatBlt(c.dc, a, b, d, e, PATINVERT); break;
      case 8: StretchBlt(c.dc, a, b, d, e, src.dc, coord(), coord(), coord(), coord(), SRCCOPY); break;
      case 9: BitBlt(c.dc, a, b, d, e, src.dc, coord(), coord(), SRCINVERT); break;
      case 10: {
        RECT rc{a, b, d, e};
        DrawFocusRect(c.dc, &rc);
        FrameRect(c.dc, &rc, hatch);
        break;
      }
      default: {
        RECT rc{a, b, d, e};
        DrawEdge(c.dc, &rc, EDGE_BUMP, BF_RECT | BF_MIDDLE | BF_ADJUST);
        break;
      }
    }
  }
  SelectObject(c.dc, GetStockObject(BLACK_PEN));
  SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
  for (HPEN p : pens) DeleteObject(p);
  DeleteObject(hatch);
  DeleteObject(clip);
  // The clip held: the corners stayed white.
  EXPECT_EQ(c.At(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(c.At(15, 11), RGB(255, 255, 255));
}

}  // namespace
