#include "ui/foundation/Geometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct IntersectCase {
  TRect A, B;
  bool Overlap;
  TRect Dest;
};

TEST(Geometry, IntersectRects) {
  const IntersectCase cases[] = {
      {{0, 0, 10, 10}, {10, 0, 20, 10}, false, {0, 0, 0, 0}},  // shared edge only
      {{0, 0, 10, 10}, {5, 5, 20, 20}, true, {5, 5, 10, 10}},
      {{0, 0, 10, 10}, {2, 3, 4, 5}, true, {2, 3, 4, 5}},
      {{0, 0, 10, 10}, {3, 20, 7, 30}, false, {0, 0, 0, 0}},
      {{0, 0, 10, 10}, {10, 10, 0, 0}, false, {0, 0, 0, 0}},  // inverted: no area
  };
  for (const auto& c : cases) {
    TRect dest(9, 9, 9, 9);
    EXPECT_EQ(IntersectRects(dest, c.A, c.B), c.Overlap);
    EXPECT_EQ(dest, c.Dest);
    EXPECT_EQ(RectsOverlap(c.A, c.B), c.Overlap);
    EXPECT_EQ(RectsOverlap(c.B, c.A), c.Overlap);
  }
}

TEST(Geometry, UniteRectsIgnoresOnlyAnEmptySecondRectangle) {
  struct Case {
    TRect A, B, Result;
  } cases[] = {
      {{0, 0, 0, 0}, {5, 5, 8, 8}, {0, 0, 8, 8}},  // an empty A still takes part
      {{5, 5, 8, 8}, {1, 1, 1, 9}, {5, 5, 8, 8}},  // B without width is ignored
      {{5, 5, 8, 8}, {1, 1, 9, 1}, {5, 5, 8, 8}},  // B without height is ignored
      {{5, 5, 8, 8}, {1, 6, 6, 12}, {1, 5, 8, 12}},
  };
  for (const auto& c : cases) EXPECT_EQ(UniteRects(c.A, c.B), c.Result);
}

TEST(Geometry, AreaAndContainmentAtTheExclusiveEdges) {
  EXPECT_TRUE(RectHasNoArea({5, 5, 5, 9}));
  EXPECT_TRUE(RectHasNoArea({10, 0, 0, 10}));
  EXPECT_FALSE(RectHasNoArea({0, 0, 1, 1}));
  EXPECT_EQ(WidthOfRect({10, 0, 0, 10}), -10);  // never normalised
  EXPECT_EQ(HeightOfRect({0, 3, 0, 10}), 7);

  const TRect r(0, 0, 10, 10);
  EXPECT_TRUE(RectContainsPoint(r, {0, 0}));
  EXPECT_TRUE(RectContainsPoint(r, {9, 9}));
  EXPECT_FALSE(RectContainsPoint(r, {10, 5}));
  EXPECT_FALSE(RectContainsXY(r, 5, 10));
  EXPECT_FALSE(RectContainsXY(r, -1, 5));

  EXPECT_TRUE(RectIsAllZero({}));
  EXPECT_FALSE(RectIsAllZero({0, 0, 0, 1}));
}

TEST(Geometry, CentringTruncatesTowardZero) {
  struct Case {
    TRect R;
    int W, H;
    TRect Result;
  } cases[] = {
      {{0, 0, 5, 5}, 2, 2, {1, 1, 3, 3}},
      {{-5, 0, 0, 0}, 0, 0, {-2, 0, -2, 0}},  // (-5) / 2 is -2, not -3
      {{0, 0, 4, 4}, 8, 2, {-2, 1, 6, 3}},   // larger than R: overhangs both sides
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CenterExtentInRect(c.R, c.W, c.H), c.Result);
    EXPECT_EQ(CenterSizeInRect(c.R, {c.W, c.H}), c.Result);
  }
  EXPECT_EQ(RectCenterPoint({-3, -3, 0, 0}), TPoint(-1, -1));
  EXPECT_EQ(RectCenterPoint({0, 0, 5, 7}), TPoint(2, 3));
}

TEST(Geometry, BuildersAndMovers) {
  const TRect r(10, 20, 30, 60);
  struct Case {
    const char* Name;
    TRect Got, Want;
  } cases[] = {
      {"GrowRect", GrowRect(r, 2, -3), {8, 23, 32, 57}},
      {"GrowRectSides", GrowRectSides(r, 1, 2, 3, 4), {9, 18, 33, 64}},
      {"RectWithinMargins", RectWithinMargins(r, {1, 2, 3, 4}), {11, 22, 27, 56}},
      {"NegateRect", NegateRect(r), {-10, -20, -30, -60}},
      {"ShiftRect fwd", ShiftRect(r, 5, -5, true), {15, 15, 35, 55}},
      {"ShiftRect back", ShiftRect(r, 5, -5, false), {5, 25, 25, 65}},
      {"ShiftRectByPoint", ShiftRectByPoint(r, {1, 1}, false), {9, 19, 29, 59}},
      {"ShiftRectHorz", ShiftRectHorz(r, -10), {0, 20, 20, 60}},
      {"TransposeRect", TransposeRect(r), {20, 10, 60, 30}},
      {"RectFromSize", RectFromSize({7, 8}), {0, 0, 7, 8}},
      {"MakeRect", MakeRect(1, 2, 3, 4), {1, 2, 3, 4}},
      {"RectFromPoints", RectFromPoints({1, 2}, {3, 4}), {1, 2, 3, 4}},
      {"MakeBoundsRect", MakeBoundsRect(5, 6, 10, 20), {5, 6, 15, 26}},
      {"PlaceRectLeftAt", PlaceRectLeftAt(r, 0, 5), {0, 20, 5, 60}},
      {"PlaceRectHorzSpan", PlaceRectHorzSpan(r, 0, 5), {0, 20, 5, 60}},
      {"MoveRectLeftTo", MoveRectLeftTo(r, 100), {100, 20, 120, 60}},
      {"PlaceRectRightAt", PlaceRectRightAt(r, 100, 5), {95, 20, 100, 60}},
      {"PlaceRectTopAt", PlaceRectTopAt(r, 0, 5), {10, 0, 30, 5}},
      {"PlaceRectBottomAt", PlaceRectBottomAt(r, 100, 5), {10, 95, 30, 100}},
      {"ResizeRectWidth", ResizeRectWidth(r, -5), {10, 20, 5, 60}},
      {"ResizeRectHeight", ResizeRectHeight(r, 1), {10, 20, 30, 21}},
      {"RectWithHorzEdges", RectWithHorzEdges(r, 1, 2), {1, 20, 2, 60}},
      {"RectWithVertEdges", RectWithVertEdges(r, 1, 2), {10, 1, 30, 2}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Got, c.Want) << c.Name;
  EXPECT_EQ(SumRectLeftRight({3, 4, 5, 6}), 8);
  EXPECT_EQ(SumRectTopBottom({3, 4, 5, 6}), 10);
}

TEST(Geometry, PointsAndSizes) {
  EXPECT_EQ(ShiftPoint({1, 2}, 3, 4, true), TPoint(4, 6));
  EXPECT_EQ(ShiftPoint({1, 2}, 3, 4, false), TPoint(-2, -2));
  EXPECT_EQ(ShiftPointByPoint({1, 2}, {1, 1}, false), TPoint(0, 1));
  EXPECT_EQ(NegatePoint({1, -2}), TPoint(-1, 2));
  EXPECT_EQ(PointFromSize({3, 4}), MakePoint(3, 4));
  EXPECT_TRUE(SamePoint({1, 2}, {1, 2}));
  EXPECT_FALSE(SizesEqual(MakeSize(1, 2), MakeSize(2, 1)));
  EXPECT_TRUE(SizesEqual(TPoint(1, 2), TPoint(1, 2)));
}

TEST(Geometry, ExtremeCoordinatesWrapInsteadOfOverflowing) {
  const TRect r(INT_MAX - 1, 0, INT_MAX, 10);
  EXPECT_EQ(GrowRect(r, 1, 0).Right, INT_MIN);
  EXPECT_EQ(RectCenterPoint({INT_MAX, 0, INT_MAX, 0}).X, INT_MAX);
  EXPECT_EQ(NegateRect({INT_MIN, 0, 0, 0}).Left, INT_MIN);
}

}  // namespace
