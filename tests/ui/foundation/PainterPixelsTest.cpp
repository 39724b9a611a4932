// What the base, standard and flat painters put on the pixels: glyph shapes as masks, and frames,
// joins, thumbs and scroll parts probed where their colours must be.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/foundation/Painters.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/foundation/StandardPainters.h"

namespace {

using namespace win;
using surfacetest::Surface;

using TPainter = const TcxCustomLookAndFeelPainter*;
using TDraw = std::function<void(TcxCanvas*)>;

COLORREF Rgb(TColor C) { return ColorToRGB(C); }

const TColor kBack = clFuchsia;

class PainterPixelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(320, 240));
    InitializeForms();
    PaintersUnitStartup();
  }
  void TearDown() override {
    PaintersUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
};

struct TProbe {
  int X, Y;
  TColor Color;
};

struct TProbeCase {
  const char* Name;
  TDraw Draw;
  std::vector<TProbe> Probes;
};

void CheckProbes(const std::vector<TProbeCase>& Cases) {
  for (const TProbeCase& c : Cases) {
    SCOPED_TRACE(c.Name);
    Surface s(40, 40, kBack);
    TcxCanvas canvas(s.Canvas());
    c.Draw(&canvas);
    for (const TProbe& p : c.Probes) EXPECT_EQ(s.At(p.X, p.Y), Rgb(p.Color)) << "at " << p.X << ", " << p.Y;
  }
}

struct TMaskCase {
  const char* Name;
  int Width, Height;
  TColor Ink;
  TDraw Draw;
  const char* Mask;
};

void CheckMasks(const std::vector<TMaskCase>& Cases) {
  for (const TMaskCase& c : Cases) {
    SCOPED_TRACE(c.Name);
    Surface s(c.Width, c.Height, kBack);
    TcxCanvas canvas(s.Canvas());
    c.Draw(&canvas);
    EXPECT_EQ(s.Mask(c.Ink), c.Mask);
  }
}

// ---- the base painter -------------------------------------------------------------------------------

TEST_F(PainterPixelsTest, BasePainterGlyphs) {
  TPainter p = CustomLookAndFeelPainter();
  CheckMasks({
      {"a collapsed small expand box: a symmetric 5-pixel cross in 9 x 9", 9, 9, clBtnText,
       [p](TcxCanvas* c) { p->DrawSmallExpandBox(c, TRect(0, 0, 9, 9), false, clBtnShadow, clDefault); },
       ".........\n"
       ".........\n"
       "....#....\n"
       "....#....\n"
       "..#####..\n"
       "....#....\n"
       "....#....\n"
       ".........\n"
       ".........\n"},
      {"an expanded one keeps only the bar", 9, 9, clBtnText,
       [p](TcxCanvas* c) { p->DrawSmallExpandBox(c, TRect(0, 0, 9, 9), true, clBtnShadow, clWindow); },
       ".........\n"
       ".........\n"
       ".........\n"
       ".........\n"
       "..#####..\n"
       ".........\n"
       ".........\n"
       ".........\n"
       ".........\n"},
      {"expanded chevrons point up, two layers thick", 11, 12, clBtnText,
       [p](TcxCanvas* c) { p->DrawGroupExpander(c, TRect(0, 0, 11, 12), true, cxbsNormal); },
       "...........\n"
       "...........\n"
       ".....#.....\n"
       "....###....\n"
       "...##.##...\n"
       "..##...##..\n"
       ".....#.....\n"
       "....###....\n"
       "...##.##...\n"
       "..##...##..\n"
       "...........\n"
       "...........\n"},
      {"collapsed chevrons point down", 11, 12, clBtnText,
       [p](TcxCanvas* c) { p->DrawGroupExpander(c, TRect(0, 0, 11, 12), false, cxbsNormal); },
       "...........\n"
       "...........\n"
       "...........\n"
       "..##...##..\n"
       "...##.##...\n"
       "....###....\n"
       ".....#.....\n"
       "..##...##..\n"
       "...##.##...\n"
       "....###....\n"
       ".....#.....\n"
       "...........\n"},
      {"the filter close cross: side 7, each diagonal twice", 11, 11, clBtnText,
       [p](TcxCanvas* c) { p->DrawFilterCloseGlyph(c, TRect(0, 0, 11, 11), cxbsNormal); },
       "...........\n"
       "...........\n"
       "..##....##.\n"
       "...##..##..\n"
       "....####...\n"
       ".....##....\n"
       "....####...\n"
       "...##..##..\n"
       "..##....##.\n"
       "...........\n"
       "...........\n"},
  });
}

// The caption of a 17-pixel button sits one pixel above where centring alone puts it; an 18-pixel
// one sits where centring puts it.
TEST_F(PainterPixelsTest, PushButtonCaptionRule) {
  auto topOfInk = [](Surface& s) {
    for (int y = 0; y < s.Height; ++y)
      for (int x = 0; x < s.Width; ++x)
        if (s.At(x, y) == Rgb(clBtnText)) return y;
    return -1;
  };
  for (int height : {17, 18}) {
    SCOPED_TRACE(height);
    Surface button(60, 24, kBack), plain(60, 24, kBack);
    TcxCanvas bc(button.Canvas()), pc(plain.Canvas());
    CustomLookAndFeelPainter()->DrawPushButton(&bc, TRect(0, 0, 60, height), "Hg", cxbsNormal, false, clDefault,
                                               clDefault, false, 0);
    pc.ActiveBrush()->SetStyle(bsClear);
    pc.ActiveFont()->SetColor(clBtnText);
    pc.DrawTextInRect("Hg", TRect(0, 0, 60, height), ltfCenterHorz | ltfCenterVert | ltfSingleLine);
    ASSERT_GE(topOfInk(plain), 0);
    EXPECT_EQ(topOfInk(button), topOfInk(plain) - (height == 17 ? 1 : 0));
  }
}

// A grip of three dots near the bottom-right corner, so that what lies under it shows.
struct TDottedGripPainter : TcxCustomLookAndFeelPainter {
  void DrawSizeGripGlyph(TcxCanvas* ACanvas, const TRect& R) const override {
    ACanvas->PutPixel(R.Right - 2, R.Bottom - 2, clBlue);
    ACanvas->PutPixel(R.Right - 5, R.Bottom - 2, clBlue);
    ACanvas->PutPixel(R.Right - 2, R.Bottom - 6, clBlue);
  }
};

TEST_F(PainterPixelsTest, SizeGripInEachCornerIsTheBottomRightOneMirrored) {
  const int n = 16;
  const TDottedGripPainter dotted;
  for (TPainter p : {CustomLookAndFeelPainter(), static_cast<TPainter>(&dotted)}) {
    Surface reference(n, n, clRed);
    TcxCanvas rc(reference.Canvas());
    p->DrawSizeGripAtCorner(&rc, TRect(0, 0, n, n), clRed, 3);
    ASSERT_LT(reference.CountOf(reference.At(n / 2, n / 2) == Rgb(clRed) ? clRed : clBtnFace), n * n);
    // Corners: top-left, top-right, bottom-left, bottom-right.
    for (int corner = 0; corner < 4; ++corner) {
      SCOPED_TRACE(corner);
      const bool flipX = corner == 0 || corner == 2, flipY = corner == 0 || corner == 1;
      auto mirrored = [&](int x, int y) { return reference.At(flipX ? n - 1 - x : x, flipY ? n - 1 - y : y); };
      Surface painted(n + 4, n + 4, clRed);
      TcxCanvas pc(painted.Canvas());
      p->DrawSizeGripAtCorner(&pc, TRect(2, 2, 2 + n, 2 + n), clRed, corner);
      // Without a background colour the pixels under the grip show where it draws nothing.
      Surface under(n + 4, n + 4);
      auto background = [](int x, int y) { return RGB(static_cast<BYTE>(x * 12), static_cast<BYTE>(y * 12), 77); };
      for (int y = 0; y < n + 4; ++y)
        for (int x = 0; x < n + 4; ++x) under.Raw(x, y) = (static_cast<std::uint32_t>(x * 12) << 16) | (y * 12 << 8) | 77;
      TcxCanvas uc(under.Canvas());
      p->DrawSizeGripAtCorner(&uc, TRect(2, 2, 2 + n, 2 + n), clNone, corner);
      int mismatches = 0;
      for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
          const COLORREF grip = mirrored(x, y);
          mismatches += painted.At(x + 2, y + 2) != grip;
          const COLORREF expected = grip == Rgb(clRed) ? background(x + 2, y + 2) : grip;
          mismatches += under.At(x + 2, y + 2) != expected;
        }
      EXPECT_EQ(mismatches, 0);
      EXPECT_EQ(painted.At(0, 0), Rgb(clRed)) << "nothing outside the rectangle";
      EXPECT_EQ(under.At(1, 1), background(1, 1));
    }
  }
  // The dots sit in the corner asked for.
  Surface s(n, n, clRed);
  TcxCanvas c(s.Canvas());
  dotted.DrawSizeGripAtCorner(&c, TRect(0, 0, n, n), clRed, 0);
  EXPECT_EQ(s.At(1, 1), Rgb(clBlue));
  EXPECT_EQ(s.At(4, 1), Rgb(clBlue));
  EXPECT_EQ(s.At(1, 5), Rgb(clBlue));
}

TEST_F(PainterPixelsTest, RotatedGroupExpanderTurnsTheMark) {
  // Upright on a 12 x 11 button the mark is that of an 11 x 12 one turned: a quarter turn left
  // takes (x, y) of the upright picture to (y, 10 - x), a half turn to (10 - x, 11 - y).
  Surface upright(11, 12, kBack);
  TcxCanvas uc(upright.Canvas());
  CustomLookAndFeelPainter()->DrawGroupExpander(&uc, TRect(0, 0, 11, 12), true, cxbsNormal);
  for (int position : {1, 2}) {
    SCOPED_TRACE(position);
    Surface turned(12, 11, kBack);
    TcxCanvas tc(turned.Canvas());
    CustomLookAndFeelPainter()->DrawRotatedGroupExpander(&tc, TRect(0, 0, 12, 11), cxbsNormal, true, position);
    int mismatches = 0;
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 11; ++x) {
        const bool ink = upright.At(x, y) == Rgb(clBtnText);
        const COLORREF at = position == 1 ? turned.At(y, 10 - x) : turned.At(11 - y, x);
        mismatches += ink != (at == Rgb(clBtnText));
      }
    EXPECT_EQ(mismatches, 0);
  }
  Surface half(11, 12, kBack);
  TcxCanvas hc(half.Canvas());
  CustomLookAndFeelPainter()->DrawRotatedGroupExpander(&hc, TRect(0, 0, 11, 12), cxbsNormal, true, 3);
  int mismatches = 0;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 11; ++x)
      mismatches += (upright.At(x, y) == Rgb(clBtnText)) != (half.At(10 - x, 11 - y) == Rgb(clBtnText));
  EXPECT_EQ(mismatches, 0);
}

TEST_F(PainterPixelsTest, ProgressBarText) {
  // Over a bar half black and half white, the base painter's text shows the inverse of what lies
  // under each of its pixels.
  Surface s(80, 20, clWhite);
  TcxCanvas c(s.Canvas());
  c.FillRectWithColor(TRect(0, 0, 40, 20), clBlack);
  CustomLookAndFeelPainter()->DrawProgressBarText(&c, false, false, "MMMMMMMM", TRect(10, 2, 70, 18),
                                                  TRect(0, 0, 80, 20), TRect(0, 0, 40, 20), clDefault);
  int whiteOnLeft = 0, blackOnRight = 0, others = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 80; ++x) {
      const COLORREF p = s.At(x, y);
      if (p != Rgb(clBlack) && p != Rgb(clWhite)) ++others;
      if (x < 40) whiteOnLeft += p == Rgb(clWhite);
      else blackOnRight += p == Rgb(clBlack);
    }
  EXPECT_GT(whiteOnLeft, 10);
  EXPECT_GT(blackOnRight, 10);
  EXPECT_EQ(others, 0);

  // Solid text in its colour; a vertical bar turns it to run downward from the right edge.
  Surface v(20, 80, clWhite);
  TcxCanvas vc(v.Canvas());
  CustomLookAndFeelPainter()->DrawProgressBarText(&vc, true, true, "MMMMMMMM", TRect(2, 2, 18, 78),
                                                  TRect(0, 0, 20, 80), TRect(), clRed);
  int left = 20, right = -1, top = 80, bottom = -1;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 20; ++x)
      if (v.At(x, y) == Rgb(clRed)) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  ASSERT_GE(right, 0);
  EXPECT_GT(bottom - top, 3 * (right - left));
  EXPECT_LE(right, 18);
}

// ---- thumbs, standard and flat ------------------------------------------------------------------------

// Each pointed thumb in both orientations: the fill, and a probe on each edge the table names.
TEST_F(PainterPixelsTest, TrackBarThumbs) {
  const TColor H = clBtnHighlight, S = clBtnShadow, D = cl3DDkShadow, F = clBlue;
  struct TThumb {
    const char* Name;
    int Shape;
    bool Horizontal;
    TRect R;
    TProbe Fill, Light, Inner, Outer;
  };
  const TRect tall(10, 10, 21, 30), wide(10, 10, 30, 21);
  const TThumb thumbs[] = {
      {"pointing up", 0, true, tall, {15, 20, F}, {10, 20, H}, {20, 20, S}, {21, 20, D}},
      {"pointing left", 0, false, wide, {20, 15, F}, {20, 10, H}, {20, 20, S}, {20, 21, D}},
      {"pointing down", 1, true, tall, {15, 18, F}, {10, 20, H}, {20, 18, S}, {21, 18, D}},
      {"pointing right", 1, false, wide, {18, 15, F}, {18, 10, H}, {18, 20, S}, {18, 21, D}},
  };
  std::vector<TProbeCase> cases;
  for (const TThumb& t : thumbs) {
    cases.push_back({t.Name,
                     [t](TcxCanvas* c) {
                       StandardLookAndFeelPainter()->DrawTrackBarThumb(c, t.R, cxbsNormal, t.Horizontal, t.Shape, F);
                     },
                     {t.Fill, t.Light, t.Inner, t.Outer}});
    // The flat painter leaves the inner edge out and draws the outer one in the shadow colour.
    cases.push_back({t.Name,
                     [t](TcxCanvas* c) {
                       FlatLookAndFeelPainter()->DrawTrackBarThumb(c, t.R, cxbsNormal, t.Horizontal, t.Shape, F);
                     },
                     {t.Fill, t.Light, {t.Inner.X, t.Inner.Y, F}, {t.Outer.X, t.Outer.Y, S}}});
  }
  cases.push_back({"a rectangular standard thumb",
                   [](TcxCanvas* c) { StandardLookAndFeelPainter()->DrawTrackBarThumb(c, TRect(10, 10, 21, 30), cxbsNormal, true, 2, F); },
                   {{15, 20, F}, {10, 20, H}, {20, 20, D}, {11, 20, cl3DLight}, {19, 20, S}}});
  cases.push_back({"a rectangular flat thumb",
                   [](TcxCanvas* c) { FlatLookAndFeelPainter()->DrawTrackBarThumb(c, TRect(10, 10, 21, 30), cxbsNormal, true, 2, F); },
                   {{15, 20, F}, {10, 20, H}, {20, 20, S}, {11, 20, F}}});
  CheckProbes(cases);
}

// ---- standard and flat ----------------------------------------------------------------------------

TEST_F(PainterPixelsTest, StandardAndFlatFramesAndJoins) {
  TPainter st = StandardLookAndFeelPainter(), fl = FlatLookAndFeelPainter();
  const TColor H = clBtnHighlight, S = clBtnShadow, D = cl3DDkShadow, Face = clBtnFace;
  EXPECT_EQ(st->ButtonBorderWidth(cxbsDefault), 3);
  EXPECT_EQ(st->ButtonBorderWidth(cxbsNormal), 2);
  EXPECT_EQ(fl->ButtonBorderWidth(cxbsDefault), 2);
  EXPECT_EQ(fl->ButtonBorderWidth(cxbsNormal), 1);
  const TRect b(0, 0, 20, 12);
  CheckProbes({
      {"standard default button: black, raised, raised",
       [st, b](TcxCanvas* c) { st->DrawButtonFrame(c, b, cxbsDefault); },
       {{0, 6, clBlack}, {19, 6, clBlack}, {10, 0, clBlack}, {1, 6, H}, {18, 6, D}, {2, 6, cl3DLight}, {17, 6, S},
        {3, 6, kBack}}},
      {"standard pressed button: black, then shadow all round",
       [st, b](TcxCanvas* c) { st->DrawButtonFrame(c, b, cxbsPressed); },
       {{0, 6, clBlack}, {19, 6, clBlack}, {1, 6, S}, {18, 6, S}, {10, 1, S}, {10, 10, S}, {2, 6, kBack}}},
      {"standard normal button", [st, b](TcxCanvas* c) { st->DrawButtonFrame(c, b, cxbsNormal); },
       {{0, 6, H}, {19, 6, D}, {1, 6, cl3DLight}, {18, 6, S}, {2, 6, kBack}}},
      {"flat default button", [fl, b](TcxCanvas* c) { fl->DrawButtonFrame(c, b, cxbsDefault); },
       {{0, 6, clBlack}, {19, 6, clBlack}, {1, 6, H}, {18, 6, S}, {2, 6, kBack}}},
      {"flat pressed button", [fl, b](TcxCanvas* c) { fl->DrawButtonFrame(c, b, cxbsPressed); },
       {{0, 6, S}, {19, 6, H}, {1, 6, kBack}}},
      // Flat check boxes: sunken, then a ring in the state's face colour.
      {"flat check box, normal", [fl](TcxCanvas* c) { fl->DrawCheckBoxFrame(c, TRect(0, 0, 13, 13), cxbsNormal); },
       {{0, 6, S}, {12, 6, H}, {1, 6, clWindow}, {11, 6, clWindow}, {6, 1, clWindow}, {2, 6, kBack}}},
      {"flat check box, pressed", [fl](TcxCanvas* c) { fl->DrawCheckBoxFrame(c, TRect(0, 0, 13, 13), cxbsPressed); },
       {{1, 6, Face}, {11, 6, Face}, {6, 11, Face}}},
      {"flat check box, disabled", [fl](TcxCanvas* c) { fl->DrawCheckBoxFrame(c, TRect(0, 0, 13, 13), cxbsDisabled); },
       {{1, 6, Face}, {6, 1, Face}}},
      {"flat check box, hot", [fl](TcxCanvas* c) { fl->DrawCheckBoxFrame(c, TRect(0, 0, 13, 13), cxbsHot); },
       {{1, 6, clWindow}}},
      {"standard check box: two sunken rings",
       [st](TcxCanvas* c) { st->DrawCheckBoxFrame(c, TRect(0, 0, 13, 13), cxbsNormal); },
       {{0, 6, D}, {12, 6, cl3DLight}, {1, 6, S}, {11, 6, H}, {2, 6, kBack}}},
      // Headers join their neighbours.
      {"a header alone", [st](TcxCanvas* c) { st->DrawColumnHeaderFrame(c, TRect(0, 0, 10, 8), {}, cxBordersAll); },
       {{0, 1, H}, {0, 6, H}, {9, 1, S}, {9, 6, S}, {5, 0, H}, {5, 7, S}}},
      {"a header between two others",
       [fl](TcxCanvas* c) { fl->DrawColumnHeaderFrame(c, TRect(0, 0, 10, 8), {bLeft, bRight}, cxBordersAll); },
       {{0, 1, Face}, {0, 6, Face}, {9, 0, H}, {9, 1, Face}, {9, 6, Face}, {0, 3, H}, {9, 3, S}}},
      // Track parts: the checkerboard patterns, the dark one when pressed; hot draws as normal.
      {"a track part", [st](TcxCanvas* c) { st->DrawScrollBarElement(c, true, TRect(0, 0, 8, 8), 4, cxbsHot); },
       {{0, 0, Face}, {1, 0, H}, {1, 1, Face}, {0, 1, H}}},
      {"a pressed track part",
       [fl](TcxCanvas* c) { fl->DrawScrollBarElement(c, true, TRect(0, 0, 8, 8), 5, cxbsPressed); },
       {{0, 0, clBlack}, {1, 0, D}, {7, 7, clBlack}}},
      {"a standard thumb", [st](TcxCanvas* c) { st->DrawScrollBarElement(c, true, TRect(0, 0, 20, 16), 3, cxbsNormal); },
       {{0, 8, Face}, {19, 8, D}, {1, 8, H}, {18, 8, S}, {10, 8, Face}}},
      {"a disabled thumb draws nothing",
       [st, fl](TcxCanvas* c) {
         st->DrawScrollBarElement(c, true, TRect(0, 0, 20, 16), 3, cxbsDisabled);
         fl->DrawScrollBarElement(c, true, TRect(20, 0, 40, 16), 3, cxbsDisabled);
       },
       {{0, 8, kBack}, {10, 8, kBack}, {20, 8, kBack}, {30, 8, kBack}}},
      {"a pressed standard arrow: flat shadow frame",
       [st](TcxCanvas* c) { st->DrawScrollBarElement(c, false, TRect(0, 0, 16, 16), 1, cxbsPressed); },
       {{0, 8, S}, {15, 8, S}, {8, 0, S}, {8, 15, S}, {1, 8, Face}, {14, 8, Face}}},
      {"a standard arrow", [st](TcxCanvas* c) { st->DrawScrollBarElement(c, false, TRect(0, 0, 16, 16), 2, cxbsNormal); },
       {{0, 8, Face}, {15, 8, D}, {1, 8, H}, {14, 8, S}}},
      {"a flat arrow is a push button", [fl](TcxCanvas* c) { fl->DrawScrollBarElement(c, true, TRect(0, 0, 16, 16), 1, cxbsNormal); },
       {{0, 8, H}, {15, 8, S}, {1, 1, Face}, {8, 7, clBtnText}}},
  });
}

TEST_F(PainterPixelsTest, HotScrollPartsLookNormal) {
  for (TPainter p : {static_cast<TPainter>(StandardLookAndFeelPainter()), static_cast<TPainter>(FlatLookAndFeelPainter())})
    for (int part = 1; part <= 5; ++part) {
      SCOPED_TRACE(part);
      Surface hot(20, 16, kBack), normal(20, 16, kBack);
      TcxCanvas hc(hot.Canvas()), nc(normal.Canvas());
      p->DrawScrollBarElement(&hc, true, TRect(0, 0, 20, 16), part, cxbsHot);
      p->DrawScrollBarElement(&nc, true, TRect(0, 0, 20, 16), part, cxbsNormal);
      EXPECT_EQ(hot.Mask(kBack), normal.Mask(kBack));
      EXPECT_EQ(hot.Mask(clBtnText), normal.Mask(clBtnText));
      EXPECT_LT(hot.CountOf(kBack), 20 * 16);
    }
}

TEST_F(PainterPixelsTest, SortArrows) {
  // An 8 x 7 outline centred in 16 x 16, its middle column moved left to 7: rows 4 to 10. The right
  // edge is light, the left edge dark; the base light when ascending (apex up), dark otherwise.
  for (TPainter p : {static_cast<TPainter>(StandardLookAndFeelPainter()), static_cast<TPainter>(FlatLookAndFeelPainter())})
    for (bool ascending : {true, false}) {
      SCOPED_TRACE(ascending);
      Surface s(16, 16, kBack);
      TcxCanvas c(s.Canvas());
      p->DrawSortArrow(&c, TRect(0, 0, 16, 16), ascending);
      const int apexRow = ascending ? 4 : 10, baseRow = ascending ? 10 : 4;
      EXPECT_NE(s.At(7, apexRow), Rgb(kBack));
      EXPECT_EQ(s.At(7, baseRow), Rgb(ascending ? clBtnHighlight : clBtnShadow));
      int lightOnLeft = 0, darkOnRight = 0, outside = 0;
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
          const COLORREF at = s.At(x, y);
          if (at == Rgb(kBack)) continue;
          if (y < 4 || y > 10 || x < 3 || x > 10) ++outside;
          if (y == baseRow) continue;
          lightOnLeft += x < 7 && at == Rgb(clBtnHighlight);
          darkOnRight += x > 7 && at == Rgb(clBtnShadow);
        }
      EXPECT_EQ(outside, 0);
      EXPECT_EQ(lightOnLeft, 0);
      EXPECT_EQ(darkOnRight, 0);
    }
}

TEST_F(PainterPixelsTest, ExpandBoxesSurviveALaterFill) {
  for (TPainter p : {static_cast<TPainter>(StandardLookAndFeelPainter()), static_cast<TPainter>(FlatLookAndFeelPainter())}) {
    Surface s(30, 20, kBack);
    TcxCanvas c(s.Canvas());
    p->DrawExpandBox(&c, TRect(5, 4, 17, 16), false, clDefault);
    // The row painted afterwards goes round the box.
    c.FillRectWithColor(TRect(0, 0, 30, 20), clRed);
    EXPECT_EQ(s.CountOf(clRed), 30 * 20 - 12 * 12);
    EXPECT_EQ(s.At(11, 10), Rgb(clBtnText)) << "the cross's centre";
    EXPECT_EQ(s.At(11, 6), Rgb(clBtnText)) << "collapsed: the vertical bar";
    EXPECT_EQ(s.At(5, 10), Rgb(clBtnHighlight));
  }
}

}  // namespace
