#include "ui/controls/EditUtils.h"

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
