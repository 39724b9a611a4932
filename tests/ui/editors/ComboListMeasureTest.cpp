// The combo box list's measuring and its snapping to whole rows, on lists of 16-pixel rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/editors/ComboListMeasure.h"

namespace {

TcxComboListMetrics Rows(int count, int widest = 60) {
  TcxComboListMetrics m;
  m.Count = count;
  m.ItemHeight = [](int) { return 16; };
  m.ItemWidth = [widest](int i) { return i == 1 ? widest : 30; };
  m.VScrollWidth = 17;
  m.HScrollHeight = 15;
  return m;
}

TEST(ComboListMeasureTest, RowsWidthAndScrollBars) {
  struct Case {
    int count, dropDownRows, maxHeight, maxWidth;
    TSize expected;
    const char* what;
  };
  const Case cases[] = {
      {20, 8, 0, 0, TSize(64 + 17, 128), "20 items: 8 rows and a vertical bar"},
      {3, 8, 0, 0, TSize(64, 48), "3 items: 3 rows and no bar"},
      {8, 8, 0, 0, TSize(64, 128), "exactly DropDownRows: no bar"},
      {8, 8, 100, 0, TSize(64 + 17, 128), "taller than the room: a vertical bar"},
      {3, 8, 0, 50, TSize(64, 48 + 15), "wider than the room: a horizontal bar"},
      {0, 8, 0, 0, TSize(4, 0), "no items"},
  };
  for (const Case& c : cases) {
    int extent = 0;
    EXPECT_EQ(MeasureComboList(Rows(c.count), c.dropDownRows, c.maxHeight, c.maxWidth, extent), c.expected) << c.what;
    EXPECT_EQ(extent, c.count ? 64 : 4) << c.what;
  }
}

TEST(ComboListMeasureTest, AResizeSnapsToWholeRows) {
  struct Case {
    TSize list, request;
    int maxHeight, maxWidth;
    TSize expected;
    const char* what;
  };
  const Case cases[] = {
      {TSize(100, 64), TSize(100, 87), 0, 0, TSize(100, 80), "growing between rows keeps the row before"},
      {TSize(100, 128), TSize(100, 87), 0, 0, TSize(100, 96), "shrinking between rows keeps the row"},
      {TSize(100, 64), TSize(100, 96), 0, 0, TSize(100, 96), "a whole number of rows stays"},
      {TSize(100, 64), TSize(100, 200), 70, 0, TSize(100, 64), "never past the room"},
      {TSize(100, 64), TSize(100, 900), 0, 0, TSize(100, 320), "no more rows than items"},
      {TSize(100, 64), TSize(100, 64), 0, 0, TSize(100, 64), "the list's own size is left alone"},
      {TSize(100, 64), TSize(5, 40), 0, 0, TSize(34, 47), "too narrow: a horizontal bar under two rows"},
  };
  for (const Case& c : cases) {
    TSize size = c.request;
    EXPECT_TRUE(FitComboListToSize(Rows(20), 64, c.list, size, c.maxHeight, c.maxWidth)) << c.what;
    EXPECT_EQ(size, c.expected) << c.what;
  }
}

}  // namespace
