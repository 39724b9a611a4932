// The toolbar size rules and item placement on a measuring view fed with sizes directly
// (separator 6, mark area 11): line breaking, minimal widths, recent-use collapsing, alignment, the
// MDI buttons' line, sizes for a docking style, and the collapsed count coming back when a
// measurement raises.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "tests/ui/bars/BarToolbarTable.h"

namespace {

constexpr int S = 6, M = 11;

using Lines = std::vector<std::vector<int>>;

// ---- line breaking ---------------------------------------------------------------------------------

TEST(BarToolbarLayout, LineBreakingMovesGroupsWholeAndPushesGroupsAfterAWrappedLine) {
  struct Case {
    const char* What;
    std::initializer_list<int> Items;  // negative: begins a group
    int Width;
    Lines Expected;
    TSize Size;
  };
  const Case cases[] = {
      {"the group moves as a whole", {30, 30, -30, 30}, 100, {{30, 30}, {30, 30}}, {60, 22 + S + 22}},
      {"without the group", {30, 30, 30, 30}, 100, {{30, 30, 30}, {30}}, {90, 44}},
      {"a line begun inside a group pushes the next group down",
       {30, -30, 30, 30, -30},
       70,
       {{30}, {30, 30}, {30}, {30}},
       {60, 22 + S + 22 + 22 + S + 22}},
      {"a group longer than a line breaks inside it, and the next group starts a line",
       {30, -30, 30, 30, 30, -30, 30},
       100,
       {{30}, {30, 30, 30}, {30}, {30, 30}},
       {90, 22 + S + 22 + 22 + S + 22}},
      {"everything on one line", {30, -30, 30}, 200, {{30, 30, 30}}, {96, 22}},
      {"narrower than one item", {30, 30}, 10, {{30}, {30}}, {51, 44}},
  };
  for (const Case& c : cases) {
    TTableToolbar bar(dsNone);
    bar.AddRun(c.Items);
    TSize size{bar.MinLengthFor(dsNone), bar.MinThicknessFor(dsNone)};
    bar.WrapForWidth(false, c.Width, size);
    EXPECT_EQ(bar.Lines(), c.Expected) << c.What;
    EXPECT_EQ(size.cx, c.Size.cx) << c.What;
    EXPECT_EQ(size.cy, c.Size.cy) << c.What;
    EXPECT_EQ(bar.Recalculations, 1) << c.What << ": the view is recalculated once";
  }
}

TEST(BarToolbarLayout, AVerticalToolbarBreaksItsColumnByHeightAndStacksColumnsFromTheRight) {
  TTableToolbar bar(dsLeft, true);
  bar.AddRun({30, 30, 30, 30}, 22);
  TSize size{bar.MinLengthFor(dsLeft), bar.MinThicknessFor(dsLeft)};
  // The docked toolbar's mark takes 11 of the 100.
  bar.WrapForWidth(true, 100, size);
  EXPECT_EQ(bar.Lines(), (Lines{{30, 30}, {30, 30}}));
  EXPECT_EQ(size.cx, 44);
  EXPECT_EQ(size.cy, 60 + M);

  bar.ClientSize = {50, 100};
  bar.PlaceItems();
  const TRect expected[] = {{28, 0, 50, 30}, {28, 30, 50, 60}, {6, 0, 28, 30}, {6, 30, 28, 60}};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(bar.At(i).Rect, expected[i]) << i;
  EXPECT_TRUE(bar.At(1).EndsLine);
  EXPECT_TRUE(bar.At(3).EndsLine);
  EXPECT_FALSE(bar.At(2).EndsLine);
}

TEST(BarToolbarLayout, WrappedLinesCentreTheirItemsAndLeaveTheSeparatorBetweenThem) {
  TTableToolbar bar(dsNone);
  bar.Add(30, 22);
  bar.Add(30, 16);
  bar.Add(30, 22, true);
  bar.Add(30, 10);
  TSize size{bar.MinLengthFor(dsNone), bar.MinThicknessFor(dsNone)};
  bar.WrapForWidth(false, 70, size);
  bar.ClientSize = size;
  bar.PlaceItems();
  EXPECT_EQ(bar.At(0).Rect, (TRect{0, 0, 30, 22}));
  EXPECT_EQ(bar.At(1).Rect, (TRect{30, 3, 60, 19}));
  EXPECT_EQ(bar.At(2).Rect, (TRect{0, 28, 30, 50}));
  EXPECT_EQ(bar.At(3).Rect, (TRect{30, 34, 60, 44}));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(bar.At(i).Line, 22) << i;
  EXPECT_EQ(size.cy, 50);
}

// ---- minimal widths ----------------------------------------------------------------------------------

TEST(BarToolbarLayout, AFloatingToolbarIsNeverNarrowerThan51NorThanItsMarkAndCloseButton) {
  struct Case {
    int Mark, Close;
    bool ShowsClose;
    int Item;  // 0: no items
    int Expected;
  };
  const Case cases[] = {
      {11, 16, true, 0, 51}, {11, 16, true, 23, 51}, {40, 16, true, 23, 56},
      {40, 16, false, 23, 51}, {11, 16, true, 80, 80}, {50, 20, true, 60, 70},
  };
  for (const Case& c : cases) {
    TTableToolbar bar(dsNone);
    bar.M = c.Mark;
    bar.CloseButtonWidth = c.Close;
    bar.ShowsCloseButton = c.ShowsClose;
    if (c.Item) bar.Add(c.Item);
    EXPECT_EQ(bar.MinLengthFor(dsNone), c.Expected) << c.Mark << " " << c.Close << " " << c.Item;
  }
}

TEST(BarToolbarLayout, MinimalAndFullSizesFollowTheStyleAndTheWindowsOwnDocking) {
  TTableToolbar bar(dsTop);
  bar.AddRun({40, 30, -50});
  bar.Entries[0].Link.Height = 26;
  // Single line top: the first item, plus the mark because the window is docked top now.
  EXPECT_EQ(bar.MinLengthFor(dsTop), 40 + M);
  EXPECT_EQ(bar.MinLengthFor(dsLeft), 50 + M);
  EXPECT_EQ(bar.MinThicknessFor(dsTop), 26);
  // Single line left: the first item's height; no mark, the window is not docked left.
  EXPECT_EQ(bar.MinThicknessFor(dsLeft), 26);
  EXPECT_EQ(bar.FullWidthFor(dsTop), 40 + 30 + S + 50 + M);
  EXPECT_EQ(bar.FullWidthFor(dsLeft), 50 + M);
  EXPECT_EQ(bar.FullHeightFor(dsTop), 26);
  EXPECT_EQ(bar.FullHeightFor(dsLeft), 26 + 22 + S + 22);

  TTableToolbar empty(dsBottom);
  EXPECT_EQ(empty.MinLengthFor(dsBottom), 23 + M);
  EXPECT_EQ(empty.MinThicknessFor(dsBottom), 22);
  EXPECT_EQ(empty.MinLengthFor(dsNone), 51 + M);
}

TEST(BarToolbarLayout, ASingleLineToolbarAlwaysShowsItsFirstItem) {
  TTableToolbar bar(dsTop);
  bar.AddRun({120, 30});
  bar.ClientSize = {80, 22};
  bar.PlaceItems();
  EXPECT_EQ(bar.At(0).Rect, (TRect{0, 0, 120, 22}));
  EXPECT_TRUE(bar.At(0).EndsLine);
  EXPECT_EQ(bar.At(1).Rect, TRect{});
  const TSize size = bar.CalcSizeForWidth(dsTop, 80);
  EXPECT_EQ(size.cx, 120 + M);

  // Unless the toolbar tests its first item too.
  bar.TestsFirstItemOverflow = true;
  bar.PlaceItems();
  EXPECT_EQ(bar.At(0).Rect, TRect{});
}

// ---- recent-use collapsing ---------------------------------------------------------------------------

class CollapsingBar : public TTableToolbar {
 public:
  // Eight 23-pixel buttons, used most recently in this order.
  CollapsingBar() : TTableToolbar(dsTop) {
    for (int i = 0; i < 8; ++i) Add(23);
    const int recency[] = {5, 2, 7, 0, 4, 1, 6, 3};
    for (int i = 0; i < 8; ++i) Entries[static_cast<std::size_t>(i)].Recency = recency[i];
    Collapses = true;
  }
};

TEST(BarToolbarLayout, ATooShortToolbarShowsTheMostRecentlyUsedItemsThatFitInTheirOrder) {
  CollapsingBar bar;
  const TSize size = bar.CalcSizeForWidth(dsTop, 100);
  // 100 less the mark leaves 89: three buttons.
  EXPECT_EQ(bar.CollapsedCount(), 3);
  EXPECT_EQ(bar.ShownIndexes(), (std::vector<int>{1, 3, 5}));
  EXPECT_EQ(size.cx, 69 + M);
  EXPECT_EQ(size.cy, 22);

  // Long enough for all: nothing collapses.
  const TSize full = bar.CalcSizeForWidth(dsTop, 300);
  EXPECT_EQ(bar.CollapsedCount(), -1);
  EXPECT_EQ(full.cx, 8 * 23 + M);
}

TEST(BarToolbarLayout, WithoutRecentUseOrAtDesignTimeNothingCollapses) {
  CollapsingBar bar;
  bar.Collapses = false;
  const TSize size = bar.CalcSizeForWidth(dsTop, 100);
  EXPECT_EQ(bar.CollapsedCount(), -1);
  EXPECT_EQ(bar.VisibleCount(), 8);
  EXPECT_EQ(size.cx, 69 + M);
  bar.ClientSize = {100, 22};
  bar.PlaceItems();
  EXPECT_EQ(bar.At(2).Rect, (TRect{46, 0, 69, 22}));
  EXPECT_TRUE(bar.At(2).EndsLine);
  EXPECT_EQ(bar.At(3).Rect, TRect{});
}

TEST(BarToolbarLayout, TheCollapsedCountComesBackWhicheverMeasurementRaises) {
  CollapsingBar bar;
  for (auto ask : {+[](CollapsingBar& B) { B.CalcSizeForWidth(dsTop, 100); },
                   +[](CollapsingBar& B) { B.SizeForStyle(dsTop); }, +[](CollapsingBar& B) { B.MinLengthFor(dsTop); },
                   +[](CollapsingBar& B) { B.FullWidthFor(dsTop); }}) {
    int raised = 0;
    for (int n = 0;; ++n) {
      bar.RaisesAfter = -1;
      bar.SetCollapsedCount(5);
      bar.RaisesAfter = n;
      try {
        ask(bar);
        break;
      } catch (const std::runtime_error&) {
        ++raised;
      }
      ASSERT_EQ(bar.CollapsedCount(), 5) << "raised at measurement " << n;
    }
    EXPECT_GT(raised, 0);
  }
  bar.RaisesAfter = -1;

  // Asking for a size leaves the count as it was and lays the items out again.
  bar.Recalculations = 0;
  bar.SizeForStyle(dsTop);
  EXPECT_EQ(bar.CollapsedCount(), 5);
  EXPECT_GE(bar.Recalculations, 1);
}

// ---- alignment -----------------------------------------------------------------------------------------

TEST(BarToolbarLayout, AnAlignedItemEndsTheLineAndHidesWhatFollowsOnASingleLine) {
  struct Case {
    TdxBarItemAlign Align;
    int ClientWidth;
    TRect Expected;
    bool Shortened;
  };
  // 200 less the mark leaves L = 189.
  const Case cases[] = {
      {iaRight, 200, {159, 0, 189, 22}, true},
      {iaCenter, 200, {94, 0, 124, 22}, true},
      {iaClient, 200, {30, 0, 189, 22}, true},
      {iaClient, 75, {30, 0, 80, 22}, true},  // not below its minimal width
      {iaLeft, 200, {30, 0, 60, 22}, false},
  };
  for (const Case& c : cases) {
    TTableToolbar bar(dsTop);
    bar.Add(30);
    bar.Add(30, 22, false, c.Align).Link.MinWidth = 50;
    bar.Add(30);
    bar.ClientSize = {c.ClientWidth, 22};
    bar.PlaceItems();
    EXPECT_EQ(bar.At(1).Rect, c.Expected) << c.Align;
    EXPECT_EQ(bar.Shortened, c.Shortened) << c.Align;
    EXPECT_EQ(bar.At(2).Rect.Right > 0, !c.Shortened) << c.Align;
  }
}

TEST(BarToolbarLayout, AnAlignedLastItemKeepsRoomForTheMDIButtonsOnAWrappingToolbar) {
  TTableToolbar bar(dsNone);
  bar.ShowsButtons = true;
  bar.LM = 50;
  bar.TM = 14;
  bar.Add(30);
  bar.Add(30, 22, false, iaRight);
  bar.ClientSize = {200, 36};
  bar.PlaceItems();
  EXPECT_EQ(bar.At(1).Rect, (TRect{120, 0, 150, 22}));
  // Where the buttons do not fit after it, the item ends at the edge.
  bar.ClientSize = {100, 36};
  bar.PlaceItems();
  EXPECT_EQ(bar.At(1).Rect, (TRect{70, 0, 100, 22}));
}

// ---- MDI buttons -----------------------------------------------------------------------------------------

TEST(BarToolbarLayout, NarrowedPixelByPixelTheMDIButtonsTakeALineOfTheirOwnExactlyWhenTheyNoLongerFit) {
  TTableToolbar bar(dsNone);
  bar.ShowsButtons = true;
  bar.LM = 50;
  bar.TM = 14;
  bar.AddRun({30, 30, 30});
  // Width -> the client height: lines of 22, the buttons' own line 14.
  const std::pair<int, int> steps[] = {{160, 22}, {140, 22}, {139, 36}, {90, 36}, {89, 44},
                                       {80, 44},  {79, 58},  {60, 58},  {59, 80}, {51, 80}};
  std::size_t next = 0;
  for (int width = 160; width >= 51; --width) {
    TSize size{bar.MinLengthFor(dsNone), bar.MinThicknessFor(dsNone)};
    bar.WrapForWidth(false, width, size);
    if (next < std::size(steps) && steps[next].first == width) {
      EXPECT_EQ(size.cy, steps[next].second) << width;
      ++next;
    }
    const int last = static_cast<int>(bar.Lines().back().size()) * 30;
    EXPECT_EQ(size.cy % 22 != 0, last + 50 > width) << width;
  }
  EXPECT_EQ(next, std::size(steps));
}

// ---- sizes for a docking style -----------------------------------------------------------------------

TEST(BarToolbarLayout, SizeForStyleAddsTheFrameAndAWholeRowBarTakesTheDockSitesLength) {
  for (TdxBarDockingStyle style : {dsTop, dsLeft}) {
    TTableToolbar bar(style);
    bar.AddRun({30, 30, 30});
    bar.Borders[dsTop] = {12, 4};
    bar.Borders[dsLeft] = {4, 12};
    const TSize expected = style == dsTop ? TSize{90 + M + 12, 22 + 4} : TSize{22 + 4, 90 + M + 12};
    EXPECT_EQ(bar.SizeForStyle(style), expected) << style;
    bar.WholeRow = true;
    bar.HasDockSite = true;
    bar.DockClientSize = {500, 300};
    const TSize whole = style == dsTop ? TSize{500, 22 + 4} : TSize{22 + 4, 300};
    EXPECT_EQ(bar.SizeForStyle(style), whole) << style;
  }

  // In the application menu's extra pane every style sizes as floating (wrapping at 70).
  TTableToolbar pane(dsNone);
  pane.AddRun({30, 30, 30});
  pane.Borders[dsNone] = {8, 24};
  pane.FloatClientWidth = 70;
  pane.SizesAsFloating = true;
  EXPECT_EQ(pane.SizeForStyle(dsLeft), (TSize{60 + 8, 44 + 24}));
  EXPECT_EQ(pane.SizeForStyle(dsTop), pane.SizeForStyle(dsNone));
}

TEST(BarToolbarLayout, AMultiLineDockedToolbarAtItsFullWidthKeepsOneLineBesideItsMark) {
  TTableToolbar bar(dsTop, true);
  bar.AddRun({30, 30, -30});
  const TSize size = bar.SizeForStyle(dsTop);
  EXPECT_EQ(size.cx, 96 + M);
  EXPECT_EQ(size.cy, 22);
  bar.ClientSize = {size.cx, size.cy};
  bar.PlaceItems();
  EXPECT_EQ(bar.At(2).Rect, (TRect{66, 0, 96, 22}));
}

TEST(BarToolbarLayout, AColumnToolbarGivesUpHeightUntilItIsAsWideAsAsked) {
  TTableToolbar bar(dsLeft, true);
  for (int i = 0; i < 6; ++i) bar.Add(30, 22);
  // One column of 180 (+ the mark); the first two-column layout (5 and 1); the first of three.
  EXPECT_EQ(bar.CalcSizeForWidth(dsLeft, 22), (TSize{22, 180 + M}));
  EXPECT_EQ(bar.CalcSizeForWidth(dsLeft, 40), (TSize{44, 150 + M}));
  EXPECT_EQ(bar.CalcSizeForWidth(dsLeft, 60), (TSize{66, 60 + M}));
  // Wider than every column can give: the one-item column.
  EXPECT_EQ(bar.CalcSizeForWidth(dsLeft, 500), (TSize{132, 30 + M}));

  // A row toolbar gives up width until it is as tall as asked.
  TTableToolbar row(dsNone);
  for (int i = 0; i < 6; ++i) row.Add(30, 22);
  EXPECT_EQ(row.CalcSizeForHeight(dsNone, 22), (TSize{180, 22}));
  EXPECT_EQ(row.CalcSizeForHeight(dsNone, 40), (TSize{150, 44}));
  EXPECT_EQ(row.CalcSizeForHeight(dsNone, 500), (TSize{51, 132}));
}

}  // namespace
