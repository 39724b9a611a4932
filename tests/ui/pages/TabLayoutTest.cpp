#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/ui/pages/FakeTabControl.h"

namespace {

using Ints = std::vector<int>;

struct TMultiRowCase {
  const char* Name;
  Ints Widths;
  int L;
  bool RaggedRight, Rotate;
  int MinWidth;
  Ints Rows;
  Ints NormalWidths;  // empty: not checked
};

// The row length is the control's width; the fixed painter is 20 high, so rotated tabs are 20 long.
TEST(TabLayout, BreaksBalancesAndStretchesRows) {
  const TMultiRowCase cases[] = {
      {"100/100/10 balanced to 100/50/60", {50, 50, 50, 50, 10}, 100, true, false, 10, {0, 0, 1, 2, 2}, {50, 50, 50, 50, 10}},
      {"stretched after balancing", {50, 50, 50, 50, 10}, 100, false, false, 10, {0, 0, 1, 2, 2}, {50, 50, 100, 83, 17}},
      {"no move fits", {90, 90, 20}, 100, true, false, 10, {0, 1, 2}, {90, 90, 20}},
      {"40 + 50 stretched to 44 and 56", {40, 50, 60}, 100, false, false, 10, {0, 0, 1}, {44, 56, 100}},
      {"long tab on its own row, shortened", {30, 150, 30}, 100, false, false, 10, {0, 1, 2}, {100, 100, 100}},
      {"long tab kept when its minimum is too wide", {30, 150, 30}, 100, true, false, 120, {0, 1, 2}, {30, 150, 30}},
      {"rotated rows balanced, not stretched", {1, 1, 1, 1, 1, 1, 1}, 70, false, true, 10, {0, 0, 0, 1, 1, 2, 2}, {1, 1, 1, 1, 1, 1, 1}},
      {"rotated and ragged: neither", {1, 1, 1, 1, 1, 1, 1}, 70, true, true, 10, {0, 0, 0, 1, 1, 1, 2}, {1, 1, 1, 1, 1, 1, 1}},
  };
  for (const TMultiRowCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFakeTabControl control;
    control.FMultiLine = true;
    control.FRaggedRight = c.RaggedRight;
    control.FRotate = c.Rotate;
    control.Painter.MinWidth = c.MinWidth;
    control.Painter.Width = c.L;
    control.TabList.BeginUpdate();
    for (int w : c.Widths) control.TabList.Add(std::to_string(w));
    control.TabList.EndUpdate();
    EXPECT_EQ(control.Rows(), c.Rows);
    if (!c.NormalWidths.empty()) {
      EXPECT_EQ(control.Widths(), c.NormalWidths);
    }
    EXPECT_TRUE(control.TabLayout.NavigatorButtons().Empty());
  }
}

TEST(TabLayout, PlacesAlongTheRowWithSpacingAndInReverse) {
  TFakeTabControl control;
  control.Painter.Spacing = {2, 0};
  control.AddTabs({50, 30, 40});
  Ints xs;
  for (int i = 0; i < 3; ++i) xs.push_back(control.TabList.Tab(i)->Position().X);
  EXPECT_EQ(xs, (Ints{0, 52, 84}));
  EXPECT_EQ(control.TabList.Tab(1)->ClippedRect(), TRect(52, 0, 82, 20));

  // Captions on the left run from bottom to top: the first tab sits at the far end.
  control.SetPosition(tpLeft);
  Ints ys;
  for (int i = 0; i < 3; ++i) ys.push_back(control.TabList.Tab(i)->Position().Y);
  EXPECT_EQ(ys, (Ints{150, 118, 76}));
  EXPECT_EQ(control.TabList.Tab(0)->NormalRect(), TRect(0, 150, 20, 200));
  EXPECT_EQ(control.TabList.Tab(0)->OrientationCode(), 4);
}

TEST(TabLayout, SingleRowNavigator) {
  struct TCase {
    const char* Name;
    TcxPCOptions Options;
    int Width;
    TcxPCNavigatorButtons Buttons;
  } cases[] = {
      {"fits: no arrows", cxPCDefaultOptions, 300, {}},
      {"go dialog always shown", cxPCDefaultOptions + TcxPCOptions{pcoGoDialog}, 300, {nbGoDialog}},
      {"go dialog alone, fitting", TcxPCOptions{pcoGoDialog}, 300, {}},
      {"go dialog alone, overflowing", TcxPCOptions{pcoGoDialog}, 120, {nbTopLeft, nbBottomRight, nbGoDialog}},
      {"overflow without arrows", TcxPCOptions{pcoNoArrows, pcoCloseButton}, 120, {nbClose}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFakeTabControl control;
    control.FOptions = c.Options;
    control.Painter.Width = c.Width;
    control.AddTabs({50, 50, 50});
    EXPECT_EQ(control.TabLayout.NavigatorButtons(), c.Buttons);
  }
}

TEST(TabLayout, ScrollingAndScrollingBack) {
  TFakeTabControl control;
  control.Painter.Width = 200;  // two arrows leave 160: three tabs, the fourth cut
  control.AddTabs({50, 50, 50, 50, 50, 50, 50, 50, 50, 50});
  EXPECT_EQ(control.TabLayout.FirstVisibleTab(), 0);
  EXPECT_EQ(control.TabLayout.LastVisibleTab(), 3);
  EXPECT_FALSE(control.TabLayout.LastTabFullyVisible());
  EXPECT_TRUE(control.TabList.VisibleTab(3)->IsOnScreen());
  EXPECT_EQ(control.TabList.VisibleTab(3)->ClippedRect(), TRect(150, 0, 160, 20));
  EXPECT_FALSE(control.TabList.VisibleTab(4)->IsOnScreen());

  control.TabLayout.MakeTabVisible(9);
  control.Relayout();
  EXPECT_EQ(control.TabLayout.FirstVisibleTab(), 7);
  EXPECT_TRUE(control.TabLayout.LastTabFullyVisible());

  // Wider, the row would end in free space: it scrolls back as far as the last tab allows.
  control.SetSize(400, 200);
  EXPECT_EQ(control.TabLayout.FirstVisibleTab(), 3);
  EXPECT_EQ(control.TabLayout.LastVisibleTab(), 9);
  EXPECT_TRUE(control.TabLayout.LastTabFullyVisible());

  control.TabLayout.ScrollRow(false);
  control.Relayout();
  EXPECT_EQ(control.TabLayout.FirstVisibleTab(), 2);
}

TEST(TabLayout, NoRoomAndNoTabs) {
  TFakeTabControl control;
  control.Painter.Width = 0;
  control.AddTabs({50, 50});
  EXPECT_FALSE(control.TabList.Tab(0)->IsOnScreen());
  EXPECT_FALSE(control.TabLayout.HasRoom());

  control.SetSize(300, 200);
  EXPECT_TRUE(control.TabList.Tab(0)->IsOnScreen());
  control.TabList.Tab(0)->SetVisible(false);
  control.TabList.Tab(1)->SetVisible(false);
  EXPECT_EQ(control.TabLayout.RowCount(), 0);
  EXPECT_TRUE(control.TabLayout.NavigatorButtons().Empty());
  EXPECT_TRUE(control.TabLayout.VisibleRowBounds().empty());
}

// Three rows of 100 (the control is 100 wide): 60 60 | 60 60 | 60 60 can't form, so 50s.
class MultiRow : public ::testing::Test {
 protected:
  void SetUp() override {
    control.FMultiLine = true;
    control.Painter.Width = 100;
    control.Painter.Spacing = {0, 2};
    control.AddTabs({50, 50, 50, 50, 50, 50});
    control.FTabIndex = 0;
    control.DeriveSelected();
    control.Relayout();
  }
  TFakeTabControl control;
};

TEST_F(MultiRow, SelectedRowTouchesThePage) {
  EXPECT_EQ(control.Rows(), (Ints{0, 0, 1, 1, 2, 2}));
  EXPECT_EQ(control.VisibleRows(), (Ints{2, 2, 0, 0, 1, 1}));
  EXPECT_EQ(control.TabLayout.TopRowCount(), 3);
  // Stacked from the top edge: row v at v * (20 + 2).
  EXPECT_EQ(control.TabList.Tab(0)->Position().Y, 44);
  EXPECT_EQ(control.TabList.Tab(2)->Position().Y, 0);
  EXPECT_EQ(control.TabLayout.VisibleRowBounds(), (TcxPCLineIndexBoundsArray{{2, 3}, {4, 5}, {0, 1}}));
  EXPECT_EQ(control.TabList.Tab(0)->RowSide(), tpTop);
}

TEST_F(MultiRow, ButtonStylesKeepTheOrder) {
  control.Painter.TabShapes = false;
  control.Relayout();
  EXPECT_EQ(control.VisibleRows(), (Ints{0, 0, 1, 1, 2, 2}));
}

TEST_F(MultiRow, ScrollOppositeMovesLaterRowsToTheFarSide) {
  control.FScrollOpposite = true;
  control.Relayout();
  EXPECT_EQ(control.VisibleRows(), (Ints{0, 0, 1, 1, 2, 2}));
  EXPECT_EQ(control.TabLayout.TopRowCount(), 1);
  EXPECT_EQ(control.TabList.Tab(0)->Position().Y, 0);
  // The other rows stack up from the bottom edge (200): 200 - 2 * 20 - 2 and 200 - 20.
  EXPECT_EQ(control.TabList.Tab(2)->Position().Y, 158);
  EXPECT_EQ(control.TabList.Tab(4)->Position().Y, 180);
  EXPECT_EQ(control.TabList.Tab(4)->RowSide(), tpBottom);
  EXPECT_EQ(control.TabLayout.FirstBand(), TRect(0, 0, 100, 20));
  EXPECT_EQ(control.TabLayout.SecondBand(), TRect(0, 158, 100, 200));
}

TEST_F(MultiRow, BottomTabsMirror) {
  control.SetPosition(tpBottom);
  EXPECT_EQ(control.VisibleRows(), (Ints{0, 0, 1, 1, 2, 2}));
  EXPECT_EQ(control.TabLayout.TopRowCount(), 0);
  // The selected row is the highest, next to the page above.
  EXPECT_EQ(control.TabList.Tab(0)->Position().Y, 200 - 3 * 20 - 2 * 2);
  EXPECT_EQ(control.TabList.Tab(4)->Position().Y, 180);
  EXPECT_EQ(control.TabList.Tab(0)->OrientationCode(), 10);
}

TEST(TabLayout, WideRowsStillBalance) {
  // 1800 pixels of row: a double would see 2^1700 as infinite and balance nothing.
  TFakeTabControl control;
  control.FMultiLine = true;
  control.FRaggedRight = true;
  control.Painter.Width = 1800;
  control.TabList.BeginUpdate();
  for (int i = 0; i < 37; ++i) control.TabList.Add("100");
  control.TabList.EndUpdate();
  Ints perRow(3, 0);
  for (int row : control.Rows()) ++perRow[static_cast<std::size_t>(row)];
  EXPECT_EQ(control.TabLayout.RowCount(), 3);
  EXPECT_LE(*std::max_element(perRow.begin(), perRow.end()) - *std::min_element(perRow.begin(), perRow.end()), 1);
}

// Whatever the widths: rows stay in order and contiguous, their count is what breaking gave, and
// no row of two or more tabs runs past the row length.
TEST(TabLayout, RandomRowsKeepTheirInvariants) {
  std::mt19937 random(37);
  for (int round = 0; round < 400; ++round) {
    TFakeTabControl control;
    control.FMultiLine = true;
    control.FRaggedRight = true;
    int L = 60 + static_cast<int>(random() % 200);
    control.Painter.Width = L;
    control.Painter.Spacing = {static_cast<int>(random() % 4), 0};
    int n = 1 + static_cast<int>(random() % 25);
    control.TabList.BeginUpdate();
    for (int i = 0; i < n; ++i) control.TabList.Add(std::to_string(5 + random() % (L + 20)));
    control.TabList.EndUpdate();
    SCOPED_TRACE(round);
    Ints rows = control.Rows();
    ASSERT_EQ(rows.front(), 0);
    for (std::size_t i = 1; i < rows.size(); ++i) ASSERT_GE(rows[i], rows[i - 1]);
    ASSERT_LT(rows.back(), control.TabLayout.RowCount());
    for (const TcxPCIndexInterval& row : control.TabLayout.VisibleRowBounds()) {
      if (row.Left < 0 || row.Left == row.Right) continue;
      int width = control.Painter.Spacing.dw * (row.Right - row.Left);
      for (int i = row.Left; i <= row.Right; ++i) width += control.TabList.VisibleTab(i)->NormalWidth();
      ASSERT_LE(width, L);
    }
  }
}

}  // namespace
