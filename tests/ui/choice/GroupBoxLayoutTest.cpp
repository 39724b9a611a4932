#include <gtest/gtest.h>

#include "platform/gdi/Gdi.h"
#include "platform/win/Keys.h"
#include "ui/choice/GroupBoxLayout.h"

namespace {

TEST(GroupBoxLayoutTest, PositionsOfTheThirteenAlignments) {
  const TcxGroupBoxCaptionPosition expected[] = {gcpTop,  gcpTop,   gcpTop,   gcpBottom, gcpBottom,
                                                 gcpBottom, gcpLeft, gcpLeft,  gcpLeft,   gcpRight,
                                                 gcpRight,  gcpRight, gcpNone};
  for (int a = alTopLeft; a <= alCenterCenter; ++a) {
    const auto alignment = static_cast<TcxCaptionAlignment>(a);
    EXPECT_EQ(CaptionPositionOf(alignment), expected[a]) << a;
    EXPECT_EQ(IsVerticalCaption(alignment, false), a >= alLeftTop && a <= alRightBottom) << a;
    EXPECT_FALSE(IsVerticalCaption(alignment, true)) << a;
    EXPECT_EQ(GroupBoxAllowsShadow(alignment, false), expected[a] == gcpTop || expected[a] == gcpLeft) << a;
    EXPECT_TRUE(GroupBoxAllowsShadow(alignment, true));
  }
  EXPECT_EQ(GroupBoxCaptionSideExtent(gcpTop, 15), 8);
  EXPECT_EQ(GroupBoxCaptionSideExtent(gcpBottom, 15), 8);
  EXPECT_EQ(GroupBoxCaptionSideExtent(gcpLeft, 15), 7);
}

TEST(GroupBoxLayoutTest, PlainCaptionRectangles) {
  // A 185 x 105 box with a 3-pixel shadow, a caption 40 x 13.
  const int W = 185, H = 105, S = 3, tw = 40, th = 13;
  struct Case {
    TcxCaptionAlignment alignment;
    TRect rect;
  } cases[] = {
      {alTopLeft, {8, 0, 48, 13}},
      {alTopCenter, {71, 0, 111, 13}},
      {alTopRight, {134, 0, 174, 13}},
      {alBottomLeft, {8, 92, 48, 105}},
      {alBottomCenter, {71, 92, 111, 105}},
      {alBottomRight, {134, 92, 174, 105}},
      // Left captions are one pixel taller than the text is wide and keep clear of the shadow...
      {alLeftTop, {0, 8, 13, 49}},
      {alLeftCenter, {0, 30, 13, 71}},
      {alLeftBottom, {0, 53, 13, 94}},
      // ...right ones are exactly as tall and ignore it.
      {alRightTop, {172, 8, 185, 48}},
      {alRightCenter, {172, 32, 185, 72}},
      {alRightBottom, {172, 57, 185, 97}},
      // Centred both ways in (W - s) x (H - s).
      {alCenterCenter, {71, 44, 111, 57}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlainGroupBoxCaptionRect(c.alignment, W, H, S, tw, th, false), c.rect) << int(c.alignment);
    EXPECT_EQ(PlainGroupBoxCaptionRect(c.alignment, W, H, S, tw, th, true), TRect()) << int(c.alignment);
  }
}

TEST(GroupBoxLayoutTest, SkinnedCaptionBandLiesAboveTheClientAreaInNonClientMode) {
  const TRect margins(4, 3, 5, 2);  // the frame's margins with a caption
  EXPECT_EQ(SkinnedCaptionBand(gcpTop, margins), TRect(0, 5, 0, 0));
  EXPECT_EQ(SkinnedCaptionBand(gcpRight, margins), TRect(0, 0, 9, 0));
  EXPECT_EQ(SkinnedCaptionBand(gcpNone, margins), TRect());

  auto client = SkinnedGroupBoxCaptionLayout(alTopLeft, 200, 100, 40, 13, 15, margins, false);
  EXPECT_EQ(client.CaptionRect, TRect(0, 0, 200, 20));
  EXPECT_EQ(client.BorderRect, TRect(0, 0, 200, 100));
  EXPECT_EQ(client.TextRect, TRect(4, 3, 195, 18));

  auto nonClient = SkinnedGroupBoxCaptionLayout(alTopCenter, 200, 100, 40, 13, 15, margins, true);
  EXPECT_EQ(nonClient.CaptionRect, TRect(0, -5, 200, 15));
  EXPECT_EQ(nonClient.BorderRect, TRect(0, 0, 200, 95));
  EXPECT_EQ(nonClient.TextRect, TRect(79, -2, 195, 13));

  // A handler may change the caption's depth; the rectangle is cut from its outer side.
  auto measured = SkinnedGroupBoxCaptionLayout(alRightCenter, 200, 100, 40, 13, 15, margins, false,
                                               [](int& value) { value += 6; });
  EXPECT_EQ(measured.CaptionRect, TRect(170, 0, 200, 100));
  EXPECT_EQ(measured.TextRect, TRect(180, 30, 195, 70));

  auto centred = SkinnedGroupBoxCaptionLayout(alCenterCenter, 200, 100, 40, 13, 15, margins, false);
  EXPECT_EQ(centred.CaptionRect, TRect(80, 42, 120, 57));
}

TEST(GroupBoxLayoutTest, PanelCaptions) {
  const TRect bounds(0, 0, 200, 100);
  EXPECT_EQ(PanelCaptionContentRect(alTopLeft, bounds, 3, 2, 5), TRect(7, 7, 195, 95));
  EXPECT_EQ(PanelCaptionContentRect(alRightBottom, bounds, 0, 1, 4), TRect(1, 1, 195, 95));
  EXPECT_EQ(PanelCaptionContentRect(alCenterCenter, bounds, 0, 1, 4), TRect(1, 1, 199, 99));
  EXPECT_EQ(PanelCaptionTextFlags(alCenterCenter, false), win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE);
  EXPECT_EQ(PanelCaptionTextFlags(alLeftBottom, true), win::DT_BOTTOM | win::DT_WORDBREAK);
  EXPECT_EQ(PanelCaptionTextFlags(alRightCenter, false), win::DT_RIGHT | win::DT_VCENTER | win::DT_SINGLELINE);

  const TRect content(2, 2, 102, 52);
  const TRect measured(2, 2, 42, 15);
  EXPECT_EQ(PanelCaptionTextRect(alTopLeft, content, measured), TRect(2, 2, 42, 15));
  EXPECT_EQ(PanelCaptionTextRect(alBottomRight, content, measured), TRect(62, 39, 102, 52));
  EXPECT_EQ(PanelCaptionTextRect(alCenterCenter, content, measured), TRect(31, 19, 71, 32));
}

TEST(GroupBoxLayoutTest, ColumnsOfTheButtonAndRadioGroups) {
  EXPECT_EQ(BalancedColumnCount(4, 5), 3);
  EXPECT_EQ(ItemRowCount(5, 3), 2);
  EXPECT_EQ(UnbalancedColumnCount(4, 5), 4);
  EXPECT_EQ(ItemRowCount(5, 4), 2);
  EXPECT_EQ(BalancedColumnCount(1, 0), 0);
  EXPECT_EQ(UnbalancedColumnCount(3, 0), 1);
  EXPECT_EQ(UnbalancedColumnCount(0, 5), 1);
  EXPECT_EQ(BalancedColumnCount(3, 9), 3);
  EXPECT_EQ(BalancedColumnCount(5, 6), 3);

  // 5 items balanced into 3 columns of 2, 2 and 1 rows, laid out down each column.
  const TRect bounds(0, 0, 185, 105), extent(2, 15, 2, 2);
  const int columns = 3, rows = 2;
  EXPECT_EQ(ButtonGroupItemBounds(0, bounds, extent, columns, rows, -6, 6, 0), TRect(8, 15, 66, 59));
  EXPECT_EQ(ButtonGroupItemBounds(1, bounds, extent, columns, rows, -6, 6, 0), TRect(8, 59, 66, 103));
  EXPECT_EQ(ButtonGroupItemBounds(4, bounds, extent, columns, rows, -6, 6, 0), TRect(124, 15, 182, 59));
  // The rows' leftover pixels are split above and below.
  EXPECT_EQ(ButtonGroupItemBounds(0, TRect(0, 0, 100, 20), TRect(), 1, 3, 0, 0, 0), TRect(0, 1, 100, 7));
}

TEST(GroupBoxLayoutTest, ArrowKeysStopAtTheEdgesOfTheGrid) {
  // 5 items in 2 rows: columns (0 1) (2 3) (4).
  struct Case {
    int from;
    unsigned key;
    int to;
  } cases[] = {
      {0, win::VK_DOWN, 1},  {1, win::VK_DOWN, -1}, {1, win::VK_UP, 0},    {0, win::VK_UP, -1},
      {0, win::VK_RIGHT, 2}, {3, win::VK_RIGHT, -1}, {2, win::VK_RIGHT, 4}, {4, win::VK_RIGHT, -1},
      {4, win::VK_DOWN, -1}, {4, win::VK_LEFT, 2},  {1, win::VK_LEFT, -1}, {2, win::VK_TAB, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(ButtonGroupArrowTarget(c.from, c.key, 5, 2), c.to) << c.from << " " << c.key;
}

}  // namespace
