// The drop-down size grip: the panel row's height from the metrics, the corner table, and the grip
// painted into each corner, the left and top ones as exact mirrors of the bottom-right one.
#include "ui/controls/DropDownGrip.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/win/Metrics.h"

namespace {

// Sets metrics for one test and puts the previous values back.
class MetricScope {
 public:
  ~MetricScope() {
    for (auto [index, value] : saved_) win::SetSystemMetricOverride(index, value);
  }
  void Set(int index, int value) {
    saved_.emplace(index, win::GetSystemMetrics(index));
    win::SetSystemMetricOverride(index, value);
  }

 private:
  std::map<int, int> saved_;
};

// A 40 x 40 memory surface filled with a colour the grip never uses.
class Surface {
 public:
  Surface() {
    dc_ = win::CreateCompatibleDC(nullptr);
    win::BITMAPINFO info;
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = kSize;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = win::CreateDIBSection(nullptr, &info, win::DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = win::SelectObject(dc_, bitmap_);
    win::HBRUSH fill = win::CreateSolidBrush(kBackground);
    win::RECT all = {0, 0, kSize, kSize};
    win::FillRect(dc_, &all, fill);
    win::DeleteObject(fill);
  }
  ~Surface() {
    win::SelectObject(dc_, old_);
    win::DeleteObject(bitmap_);
    win::DeleteDC(dc_);
  }
  win::HDC DC() const { return dc_; }
  win::COLORREF At(int x, int y) const { return win::GetPixel(dc_, x, y); }

  static constexpr int kSize = 40;
  static constexpr win::COLORREF kBackground = 0x00FF00FF;

 private:
  win::HDC dc_;
  win::HBITMAP bitmap_;
  win::HGDIOBJ old_;
};

TEST(DropDownGrip, RowHeightFollowsTheMetrics) {
  MetricScope metrics;
  metrics.Set(win::SM_CYHSCROLL, 17);
  metrics.Set(win::SM_CYSIZE, 18);
  EXPECT_EQ(DropDownGripRowHeight(), 20);
  metrics.Set(win::SM_CYSIZE, 22);
  EXPECT_EQ(DropDownGripRowHeight(), 23);
}

TEST(DropDownGrip, CornerFromWhereTheDropDownOpened) {
  const win::RECT owner = {100, 100, 200, 120};
  struct Case {
    const char* where;
    win::RECT dropDown;
    TcxGripCorner corner;
  } cases[] = {
      {"below, right edge past the owner's left", {100, 120, 250, 300}, TcxGripCorner::BottomRight},
      {"above, bottom at the owner's top", {100, 0, 250, 100}, TcxGripCorner::TopRight},
      {"above, bottom equal to the owner's", {100, 0, 250, 120}, TcxGripCorner::TopRight},
      {"below and wholly left", {0, 120, 100, 300}, TcxGripCorner::BottomLeft},
      {"above and wholly left", {0, 0, 90, 100}, TcxGripCorner::TopLeft},
  };
  for (const Case& c : cases) EXPECT_EQ(DropDownGripCorner(owner, c.dropDown), c.corner) << c.where;
}

TEST(DropDownGrip, PaintingCutsTheRectangleToTheSquareInItsCorner) {
  MetricScope metrics;
  metrics.Set(win::SM_CXVSCROLL, 16);
  metrics.Set(win::SM_CYHSCROLL, 16);
  Surface surface;
  struct Case {
    TcxGripCorner corner;
    win::RECT expected;
  } cases[] = {
      {TcxGripCorner::TopLeft, {2, 3, 18, 19}},
      {TcxGripCorner::TopRight, {22, 3, 38, 19}},
      {TcxGripCorner::BottomLeft, {2, 21, 18, 37}},
      {TcxGripCorner::BottomRight, {22, 21, 38, 37}},
  };
  for (const Case& c : cases) {
    win::RECT r = {2, 3, 38, 37};
    PaintSizeGrip(surface.DC(), r, c.corner);
    EXPECT_EQ(r.left, c.expected.left) << static_cast<int>(c.corner);
    EXPECT_EQ(r.top, c.expected.top) << static_cast<int>(c.corner);
    EXPECT_EQ(r.right, c.expected.right) << static_cast<int>(c.corner);
    EXPECT_EQ(r.bottom, c.expected.bottom) << static_cast<int>(c.corner);
  }
  // A rectangle smaller than the square grows to it from its fixed edges.
  win::RECT small = {30, 30, 34, 34};
  PaintSizeGrip(surface.DC(), small, TcxGripCorner::BottomRight);
  EXPECT_EQ(small.left, 18);
  EXPECT_EQ(small.top, 18);
}

TEST(DropDownGrip, LeftAndTopCornersAreExactMirrorsOfTheBottomRightOne) {
  MetricScope metrics;
  metrics.Set(win::SM_CXVSCROLL, 17);
  metrics.Set(win::SM_CYHSCROLL, 16);
  win::COLORREF face = win::GetSysColor(win::COLOR_BTNFACE);

  Surface reference;
  win::RECT square = {0, 0, 17, 16};
  PaintSizeGrip(reference.DC(), square, TcxGripCorner::BottomRight);
  // The strips lie along the right and bottom edges; the grip fills the rest and is not blank.
  int gripPixels = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 17; ++x) {
      win::COLORREF c = reference.At(x, y);
      EXPECT_NE(c, Surface::kBackground) << x << "," << y;
      if (x >= 15 || y >= 14)
        EXPECT_EQ(c, face) << x << "," << y;
      else if (c != face)
        ++gripPixels;
    }
  EXPECT_GT(gripPixels, 10);

  for (TcxGripCorner corner : {TcxGripCorner::TopLeft, TcxGripCorner::TopRight, TcxGripCorner::BottomLeft}) {
    bool mirrorX = corner == TcxGripCorner::TopLeft || corner == TcxGripCorner::BottomLeft;
    bool mirrorY = corner == TcxGripCorner::TopLeft || corner == TcxGripCorner::TopRight;
    Surface mirrored;
    win::RECT r = {0, 0, 17, 16};
    PaintSizeGrip(mirrored.DC(), r, corner);
    int mismatches = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 17; ++x) {
        int sx = mirrorX ? 16 - x : x;
        int sy = mirrorY ? 15 - y : y;
        if (mirrored.At(x, y) != reference.At(sx, sy)) ++mismatches;
      }
    EXPECT_EQ(mismatches, 0) << "corner " << static_cast<int>(corner);
  }
}

}  // namespace
