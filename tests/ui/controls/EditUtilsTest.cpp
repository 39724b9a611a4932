#include "ui/controls/EditUtils.h"
#include "ui/controls/EditViewData.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/OfficePainters.h"

#include <gtest/gtest.h>

#include "tests/ui/controls/ControlsFixture.h"
#include "tests/ui/foundation/Surface.h"

namespace {

using namespace win;
using surfacetest::Surface;

class EditUtilsTest : public controlstest::ControlsTest {};

// ---- brush cache --------------------------------------------------------------------------------------

TEST_F(EditUtilsTest, SystemColoursComeFromTheSystemAndNeverEnterTheCache) {
  TcxSolidBrushCache* cache = SolidBrushCache();
  ASSERT_NE(cache, nullptr);
  int before = cache->Count();
  HBRUSH first = CachedSolidBrush(clBtnFace);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(CachedSolidBrush(clBtnFace), first);
  EXPECT_EQ(first, GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(cache->Count(), before);
}

TEST_F(EditUtilsTest, AFullCacheEvictsTheRarestEntryLowestIndexFirst) {
  TcxSolidBrushCache cache;
  // Inserted out of order: the cache keeps the colours sorted.
  for (int i = 127; i >= 0; --i) cache.GetBrush(static_cast<TColor>(RGB(0, 0, i + 1)));
  ASSERT_EQ(cache.Count(), 128);
  for (int i = 1; i < 128; ++i) ASSERT_LT(cache.ColorAt(i - 1), cache.ColorAt(i));
  TColor smallest = cache.ColorAt(0);
  cache.GetBrush(static_cast<TColor>(RGB(0, 0, 200)));
  EXPECT_EQ(cache.Count(), 128);
  EXPECT_NE(cache.ColorAt(0), smallest) << "all counts 0: index 0 goes";
  EXPECT_EQ(cache.ColorAt(127), static_cast<TColor>(RGB(0, 0, 200)));

  // A colour asked twice has count 1 and outlives every count-0 entry.
  TColor kept = cache.ColorAt(0);
  HBRUSH keptBrush = cache.GetBrush(kept);
  EXPECT_EQ(cache.UseCountAt(0), 1u);
  // Colours above every cached one: each evicts the first count-0 entry it meets.
  auto fresh = [](int i) { return static_cast<TColor>(0x00FF0000 + i); };
  for (int i = 0; i < 127; ++i) cache.GetBrush(fresh(i));
  EXPECT_EQ(cache.ColorAt(0), kept);
  EXPECT_EQ(cache.ColorAt(1), fresh(0));
  EXPECT_EQ(cache.GetBrush(kept), keptBrush);
  cache.GetBrush(fresh(127));
  EXPECT_EQ(cache.ColorAt(0), kept) << "count 2 is passed over";
  EXPECT_EQ(cache.ColorAt(1), fresh(1)) << "the first count-0 entry goes";
  EXPECT_EQ(GetObjectType(keptBrush), static_cast<DWORD>(OBJ_BRUSH));

  cache.SystemPaletteChanged();
  EXPECT_EQ(cache.Count(), 0);
  EXPECT_EQ(GetObjectType(keptBrush), 0u) << "dropped brushes are deleted";
}

TEST_F(EditUtilsTest, FillsThroughTheCache) {
  Surface s(6, 6);
  TcxCanvas canvas(s.Canvas());
  FillRectSolid(&canvas, TRect(1, 1, 3, 3), clRed);
  EXPECT_EQ(s.CountOf(clRed), 4);

  s.Clear(clWhite);
  FillRectExcluding(&canvas, TRect(0, 0, 6, 6), TRect(0, 0, 6, 6), CachedSolidBrush(clBlue));
  EXPECT_EQ(s.CountOf(clBlue), 0) << "inner = outer paints nothing";
  FillRectExcluding(&canvas, TRect(0, 0, 6, 6), TRect(2, 2, 4, 5), CachedSolidBrush(clBlue));
  EXPECT_EQ(s.Mask(clBlue),
            "######\n"
            "######\n"
            "##..##\n"
            "##..##\n"
            "##..##\n"
            "######\n");
  s.Clear(clWhite);
  FillRectExcluding(&canvas, TRect(1, 1, 3, 3), TRect(), CachedSolidBrush(clBlue));
  EXPECT_EQ(s.CountOf(clBlue), 4) << "an empty inner fills the whole of outer";
}

// ---- lines and arrows ------------------------------------------------------------------------------------

TEST_F(EditUtilsTest, PixelExactPolylineStopsBeforeEachCornerAndAddsTheLastPoint) {
  Surface s(6, 5);
  TcxCanvas canvas(s.Canvas());
  const TPoint points[] = {{1, 1}, {4, 1}, {4, 3}};
  DrawEditPolyline(&canvas, points, 2, true, clRed);
  EXPECT_EQ(s.Mask(clRed),
            "......\n"
            ".####.\n"
            "....#.\n"
            "....#.\n"
            "......\n");
  // Running up and left covers the same pixels as running down and right.
  s.Clear(clWhite);
  const TPoint back[] = {{4, 3}, {4, 1}, {1, 1}};
  DrawEditPolyline(&canvas, back, 2, true, clRed);
  EXPECT_EQ(s.Mask(clRed),
            "......\n"
            ".####.\n"
            "....#.\n"
            "....#.\n"
            "......\n");
}

TEST_F(EditUtilsTest, RectSidesMoveTheEdgesInward) {
  Surface s(5, 4);
  TcxCanvas canvas(s.Canvas());
  TRect r(0, 0, 5, 4);
  DrawRectSides(&canvas, r, rsLeft | rsBottom, clRed);
  EXPECT_EQ(r, TRect(1, 0, 5, 3));
  EXPECT_EQ(s.Mask(clRed),
            "#....\n"
            "#....\n"
            "#....\n"
            "#####\n");
}

TEST_F(EditUtilsTest, ArrowSizes) {
  struct Case {
    TSize In;
    TcxArrowPointing Dir;
    TSize Out;
  } cases[] = {
      {{7, 7}, adDown, {3, 2}},  {{8, 12}, adDown, {3, 2}}, {{7, 7}, adLeft, {2, 3}},
      {{12, 12}, adUp, {5, 3}}, {{16, 20}, adRight, {4, 7}}, {{1, 1}, adDown, {1, 1}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(EditArrowSize(c.In, c.Dir), c.Out) << c.In.cx << "x" << c.In.cy << " dir " << c.Dir;
}

TEST_F(EditUtilsTest, ArrowsPointTheirWayCentredAndShiftWhenPressed) {
  Surface s(7, 7);
  TcxCanvas canvas(s.Canvas());
  DrawEditArrow(&canvas, 3, TRect(0, 0, 7, 7), clBlack, false, 1, adDown);
  EXPECT_EQ(s.Mask(clBlack),
            ".......\n"
            ".......\n"
            ".#####.\n"
            "..###..\n"
            "...#...\n"
            ".......\n"
            ".......\n");
  s.Clear(clWhite);
  DrawEditArrow(&canvas, 3, TRect(0, 0, 7, 7), clBlack, true, 1, adUp);
  EXPECT_EQ(s.Mask(clBlack),
            ".......\n"
            ".......\n"
            ".......\n"
            "....#..\n"
            "...###.\n"
            "..#####\n"
            ".......\n");
  s.Clear(clWhite);
  DrawEditArrow(&canvas, 2, TRect(0, 0, 7, 7), clBlack, false, 2, adRight);
  EXPECT_EQ(s.Mask(clBlack),
            ".......\n"
            ".......\n"
            ".#.#...\n"
            ".####..\n"
            ".#.#...\n"
            ".......\n"
            ".......\n");
}

// ---- glyphs, painters and metrics ------------------------------------------------------------------

TEST_F(EditUtilsTest, GlyphsKeepTheirTransparentColourAndGreyWhenDisabled) {
  TBitmap glyph;
  glyph.SetPixelFormat(pf32bit);
  glyph.SetSize(4, 4);
  glyph.Canvas()->Brush()->SetColor(clFuchsia);
  glyph.Canvas()->FillRect(Rect(0, 0, 4, 4));
  glyph.Canvas()->Brush()->SetColor(clRed);
  glyph.Canvas()->FillRect(Rect(1, 1, 3, 3));
  glyph.SetTransparentColor(clFuchsia);

  Surface s(8, 8, clBlue);
  TcxCanvas canvas(s.Canvas());
  DrawGlyphOnCanvas(&canvas, 2, 2, nullptr, clNone, true, &glyph);
  EXPECT_EQ(s.At(3, 3), RGB(255, 0, 0));
  EXPECT_EQ(s.At(2, 2), RGB(0, 0, 255)) << "transparent pixels keep what was there";
  EXPECT_EQ(s.CountOf(clFuchsia), 0);

  s.Clear(clBlue);
  DrawGlyphOnCanvas(&canvas, 2, 2, nullptr, clYellow, true, &glyph);
  EXPECT_EQ(s.At(2, 2), RGB(255, 255, 0)) << "over a background they take its colour";

  s.Clear(clBlue);
  DrawGlyphOnCanvas(&canvas, 2, 2, nullptr, clYellow, false, &glyph);
  EXPECT_EQ(s.CountOf(clRed), 0) << "greyed when disabled";
  EXPECT_EQ(s.At(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(s.At(2, 2), RGB(255, 255, 0));

  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(4, 4);
  s.Clear(clBlue);
  DrawGlyphOnCanvas(&canvas, 4, 4, &target, clNone, true, &glyph);
  EXPECT_EQ(s.At(5, 5), RGB(255, 0, 0)) << "through the target bitmap";

  TCustomImageList images(nullptr, 4, 4);
  images.AddMasked(&glyph, clFuchsia);
  s.Clear(clBlue);
  DrawImageListImageBuffered(&canvas, &images, 0, nullptr, true, clWhite, TRect(1, 1, 5, 5));
  EXPECT_EQ(s.At(1, 1), RGB(255, 255, 255));
  EXPECT_EQ(s.At(2, 2), RGB(255, 0, 0));
  EXPECT_EQ(s.At(0, 0), RGB(0, 0, 255));
}

TEST_F(EditUtilsTest, PaintersColoursAndOffsetsOfTheEditorButtons) {
  EXPECT_EQ(LookAndFeelPainterClassFor(false, lfFlat), LookAndFeelPainterOfKind(lfFlat));
  EXPECT_EQ(LookAndFeelPainterClassFor(true, lfOffice11), LookAndFeelPainterOfKind(lfOffice11))
      << "no visual styles here: the kind's painter";
  EXPECT_EQ(UltraFlatButtonBorderColor(false), clHighlight);
  EXPECT_EQ(UltraFlatButtonBorderColor(true), Office11HighlightFrameColor);
  EXPECT_EQ(UltraFlatButtonFillColor(true, true), Office11LookAndFeelPainter()->ButtonFaceColor(cxbsPressed));
  EXPECT_EQ(UltraFlatButtonFillColor(false, false), UltraFlatLookAndFeelPainter()->ButtonFaceColor(cxbsHot));

  const int offsets[] = {0, 4, 2, 2, 2, 2, 2};
  for (int style = btsDefault; style <= btsOffice11; ++style)
    EXPECT_EQ(EditButtonsContentVerticalOffset(nullptr, static_cast<TcxEditButtonStyle>(style), false), offsets[style]);

  Surface s(4, 4);
  TcxCanvas canvas(s.Canvas());
  canvas.ActiveFont()->SetHeight(-17);
  LOGFONT lf{};
  ASSERT_TRUE(ReadCanvasLogFont(&canvas, lf));
  EXPECT_EQ(lf.lfHeight, -17);
  lf.lfHeight = -23;
  SetCanvasFontFromLogFont(&canvas, lf);
  LOGFONT back{};
  ASSERT_TRUE(ReadCanvasLogFont(&canvas, back));
  EXPECT_EQ(back.lfHeight, -23);
  EXPECT_TRUE(CharIsDecimalDigit('7'));
  EXPECT_FALSE(CharIsDecimalDigit('a'));
}

// ---- flags ------------------------------------------------------------------------------------------------

TEST_F(EditUtilsTest, FlagConvertersRoundTripEachMeaning) {
  const UINT drawText[] = {DT_LEFT | DT_TOP, DT_CENTER, DT_RIGHT, DT_VCENTER, DT_BOTTOM, DT_SINGLELINE,
                           DT_WORDBREAK,     DT_EXPANDTABS, DT_CALCRECT, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_CALCRECT};
  for (UINT f : drawText) EXPECT_EQ(ConvertTextLayoutFlagsToDrawText(ConvertDrawTextFlags(f)), f) << f;
  EXPECT_EQ(ConvertDrawTextFlags(DT_CENTER | DT_VCENTER | DT_WORDBREAK), tlfCenterHorz | tlfCenterVert | tlfWordBreak);
  EXPECT_EQ(ConvertDrawTextFlags(DT_NOPREFIX), 0u) << "bits without a partner are dropped";
  // Justified text is neither centred nor right-aligned text.
  EXPECT_EQ(ConvertTextLayoutFlagsToDrawText(tlfJustifyWrapped), 0u);
  EXPECT_EQ(ConvertTextLayoutFlagsToDrawText(tlfSpreadVert | tlfMeasureOnly), DT_CALCRECT);
}

}  // namespace
