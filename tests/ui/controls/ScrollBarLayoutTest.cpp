// The scroll bar's geometry: arrows, thumb and page areas for sizes and ranges, the position a
// dragged thumb stands for, the hit test and the tracking zone.
#include "ui/controls/ScrollBarLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>

#include "platform/win/Metrics.h"

namespace {

class ScrollBarLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int m : {win::SM_CXVSCROLL, win::SM_CYHSCROLL, win::SM_CXHTHUMB, win::SM_CYVTHUMB}) {
      saved_[m] = win::GetSystemMetrics(m);
      win::SetSystemMetricOverride(m, 16);
    }
  }
  void TearDown() override {
    for (auto [m, v] : saved_) win::SetSystemMetricOverride(m, v);
  }
  static TcxScrollBarParams Bar(int width, int min, int max, int position, int page) {
    TcxScrollBarParams p;
    p.Width = width;
    p.Height = 16;
    p.Min = min;
    p.Max = max;
    p.Position = position;
    p.PageSize = page;
    return p;
  }

 private:
  std::map<int, int> saved_;
};

bool Empty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

TEST_F(ScrollBarLayout, ThumbForSizeRangeAndPage) {
  struct Case {
    const char* what;
    TcxScrollBarParams bar;
    int upArrowEnd, downArrowStart;
    int thumbLeft, thumbRight;  // equal when there is no thumb
  } cases[] = {
      {"20 px: half-length arrows, empty track", Bar(20, 0, 100, 0, 0), 10, 10, 0, 0},
      {"classic thumb in the middle", Bar(200, 0, 100, 50, 0), 16, 184, 92, 108},
      {"proportional thumb in the middle", Bar(200, 0, 100, 50, 20), 16, 184, 99, 132},
      {"classic thumb at the end", Bar(200, 0, 100, 100, 0), 16, 184, 168, 184},
      {"page past the position range: thumb at the end", Bar(200, 0, 100, 95, 20), 16, 184, 151, 184},
      {"Min = Max, no page: thumb after the first arrow", Bar(200, 5, 5, 5, 0), 16, 184, 16, 32},
      {"Min = Max with a page: no thumb", Bar(200, 5, 5, 5, 1), 16, 184, 0, 0},
      {"track shorter than the classic thumb", Bar(40, 0, 10, 0, 0), 16, 24, 0, 0},
      {"whole integer range", Bar(200, INT_MIN, INT_MAX, 0, 0), 16, 184, 92, 108},
      {"whole range with a page", Bar(200, INT_MIN, INT_MAX, INT_MAX, 1000), 16, 184, 176, 184},
  };
  for (const Case& c : cases) {
    TcxScrollBarParts parts = CalcScrollBarParts(c.bar);
    EXPECT_EQ(parts.LineUpArrowRect, TRect(0, 0, c.upArrowEnd, 16)) << c.what;
    EXPECT_EQ(parts.LineDownArrowRect, TRect(c.downArrowStart, 0, c.bar.Width, 16)) << c.what;
    if (c.thumbLeft == c.thumbRight) {
      EXPECT_TRUE(Empty(parts.ThumbRect)) << c.what;
      EXPECT_TRUE(Empty(parts.PageUpRect) && Empty(parts.PageDownRect)) << c.what;
    } else {
      EXPECT_EQ(parts.ThumbRect, TRect(c.thumbLeft, 0, c.thumbRight, 16)) << c.what;
      EXPECT_EQ(parts.PageUpRect, TRect(c.upArrowEnd, 0, c.thumbLeft, 16)) << c.what;
      EXPECT_EQ(parts.PageDownRect, TRect(c.thumbRight, 0, c.downArrowStart, 16)) << c.what;
    }
  }
}

TEST_F(ScrollBarLayout, VerticalBarAndDisabledBar) {
  TcxScrollBarParams p = Bar(16, 0, 100, 50, 0);
  p.Kind = sbVertical;
  p.Height = 200;
  TcxScrollBarParts parts = CalcScrollBarParts(p);
  EXPECT_EQ(parts.LineUpArrowRect, TRect(0, 0, 16, 16));
  EXPECT_EQ(parts.LineDownArrowRect, TRect(0, 184, 16, 200));
  EXPECT_EQ(parts.ThumbRect, TRect(0, 92, 16, 108));

  p.Enabled = false;
  parts = CalcScrollBarParts(p);
  EXPECT_TRUE(Empty(parts.ThumbRect));
  EXPECT_EQ(ScrollBarPartAtPoint(p, parts, {8, 100}), hpNone);
  EXPECT_EQ(ScrollBarPartAtPoint(p, parts, {8, 190}), hpLineDown);
}

TEST_F(ScrollBarLayout, PositionFromThumb) {
  TcxScrollBarParams p = Bar(200, 0, 100, 50, 20);
  TcxScrollBarParts parts = CalcScrollBarParts(p);
  EXPECT_EQ(ScrollBarPositionFromThumb(p, parts), 50);
  parts.ThumbRect = TRect(151, 0, 184, 16);  // dragged to the end
  EXPECT_EQ(ScrollBarPositionFromThumb(p, parts), 81);
  parts.ThumbRect = TRect(16, 0, 49, 16);
  EXPECT_EQ(ScrollBarPositionFromThumb(p, parts), 0);

  // A thumb that fills its track cannot move: the position stays (no division by zero).
  TcxScrollBarParams full = Bar(48, 0, 10, 5, 0);
  TcxScrollBarParts fullParts = CalcScrollBarParts(full);
  EXPECT_EQ(fullParts.ThumbRect, TRect(16, 0, 32, 16));
  EXPECT_EQ(ScrollBarPositionFromThumb(full, fullParts), 5);

  // The whole integer range does not overflow.
  TcxScrollBarParams wide = Bar(200, INT_MIN, INT_MAX, 0, 0);
  TcxScrollBarParts wideParts = CalcScrollBarParts(wide);
  wideParts.ThumbRect = TRect(168, 0, 184, 16);
  EXPECT_EQ(ScrollBarPositionFromThumb(wide, wideParts), INT_MAX);
  wideParts.ThumbRect = TRect(16, 0, 32, 16);
  EXPECT_EQ(ScrollBarPositionFromThumb(wide, wideParts), INT_MIN);
}

TEST_F(ScrollBarLayout, HitTestAndTrackingZone) {
  TcxScrollBarParams p = Bar(200, 0, 100, 50, 20);
  TcxScrollBarParts parts = CalcScrollBarParts(p);
  struct Case {
    TPoint at;
    TcxScrollBarHitPart part;
  } cases[] = {{{0, 0}, hpLineUp},     {{15, 15}, hpLineUp},   {{199, 8}, hpLineDown}, {{99, 8}, hpThumb},
               {{131, 8}, hpThumb},    {{98, 8}, hpPageUp},    {{16, 8}, hpPageUp},    {{132, 8}, hpPageDown},
               {{200, 8}, hpNone},     {{50, 16}, hpNone},     {{-1, 8}, hpNone}};
  for (const Case& c : cases) EXPECT_EQ(ScrollBarPartAtPoint(p, parts, c.at), c.part) << c.at.X << "," << c.at.Y;

  EXPECT_EQ(ScrollBarTrackingZone(sbHorizontal, 200, 16), TRect(-34, -136, 234, 152));
  EXPECT_EQ(ScrollBarTrackingZone(sbVertical, 16, 200), TRect(-136, -34, 152, 234));
}

}  // namespace
