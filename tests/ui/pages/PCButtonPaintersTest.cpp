// The button styles: separators between flat buttons, the frames by state, the fill of the
// selected button, and the button behaviour of the tabs under injected input.
#include "tests/ui/pages/PageControlFixture.h"

#include "platform/win/Keys.h"
#include "ui/pages/PCButtonPainters.h"

namespace pagecontroltest {
namespace {

constexpr int kButtons = 2, kFlatButtons = 3;

TEST_F(PageControlTest, FlatButtonsAreSeparatedOnlyBetweenNeighbours) {
  TcxPageControl* control = MakeControl(300, 120, {"Scenes", "Signals", "Wall"});
  control->SetStyle(kFlatButtons);
  Pump();
  auto* painter = static_cast<TcxPCFlatButtonsPainter*>(control->Painter());
  for (int i = 0; i < 3; ++i) {
    TRect f = control->Tabs()->Tab(i)->FullRect();
    TRect gap = painter->SeparatorGap(i);
    if (i == 2) {
      EXPECT_TRUE(gap.Left >= gap.Right) << "the last tab has no separator";
      EXPECT_EQ(Pixel(control, f.Right + 4, (f.Top + f.Bottom) / 2), ColorToRGB(clBtnFace));
      continue;
    }
    EXPECT_EQ(gap, TRect(f.Right, f.Top, f.Right + 10, f.Bottom));
    int y = (f.Top + f.Bottom) / 2;
    EXPECT_EQ(Pixel(control, f.Right + 4, y), ColorToRGB(clBtnShadow)) << i;
    EXPECT_EQ(Pixel(control, f.Right + 5, y), ColorToRGB(clBtnHighlight)) << i;
    EXPECT_EQ(Pixel(control, f.Right + 4, f.Top), ColorToRGB(clBtnFace)) << i;
    EXPECT_EQ(Pixel(control, f.Right + 4, f.Top + 1), ColorToRGB(clBtnShadow)) << i;
  }
  // Captions reading upwards on the left: the tabs follow each other upwards, the gap lies above.
  control->SetTabPosition(tpLeft);
  TRect f = control->Tabs()->Tab(0)->FullRect();
  EXPECT_EQ(painter->SeparatorGap(0), TRect(f.Left, f.Top - 10, f.Right, f.Top));
}

TEST_F(PageControlTest, FlatButtonFramesFollowTheState) {
  TcxPageControl* control = MakeControl(300, 120, {"Scenes", "Signals", "Wall"});
  control->SetStyle(kFlatButtons);
  control->SetHotTrack(true);
  control->SetActivePage(control->Pages(0));
  win::POINT p = TabCentre(control, 1);
  MoveMouse(control, p.x, p.y);
  ASSERT_EQ(control->HotTabVisibleIndex(), 1);
  auto corners = [&](int i) {
    TRect r = control->Tabs()->Tab(i)->FullRect();
    return std::vector<win::COLORREF>{Pixel(control, r.Left, r.Top), Pixel(control, r.Left + 1, r.Top + 1),
                                      Pixel(control, r.Right - 1, r.Bottom - 1),
                                      Pixel(control, r.Right - 2, r.Bottom - 2)};
  };
  using C = std::vector<win::COLORREF>;
  auto rgb = [](TColor c) { return ColorToRGB(c); };
  // Selected: the sunken four-line bevel.
  EXPECT_EQ(corners(0), (C{rgb(clBtnShadow), rgb(cl3DDkShadow), rgb(clBtnHighlight), rgb(cl3DLight)}));
  // Hot: the thin raised frame.
  EXPECT_EQ(corners(1), (C{rgb(clBtnHighlight), rgb(clBtnFace), rgb(clBtnShadow), rgb(clBtnFace)}));
  // Plain: no frame at all.
  EXPECT_EQ(corners(2), (C{rgb(clBtnFace), rgb(clBtnFace), rgb(clBtnFace), rgb(clBtnFace)}));
}

TEST_F(PageControlTest, TheSelectedButtonIsFilledWithTheHighlightFace) {
  TcxPageControl* control = MakeControl(300, 120, {"Scenes", "Signals", "Wall"});
  control->SetStyle(kButtons);
  control->SetActivePage(control->Pages(1));
  Pump();
  auto inside = [&](int i) {
    TRect r = control->Tabs()->Tab(i)->FullRect();
    return Pixel(control, r.Left + 3, r.Top + 3);
  };
  EXPECT_EQ(inside(1), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(inside(0), ColorToRGB(clBtnFace));
  TRect r = control->Tabs()->Tab(1)->FullRect();
  EXPECT_EQ(Pixel(control, r.Left, r.Top), ColorToRGB(cl3DDkShadow));  // down
  EXPECT_EQ(Pixel(control, r.Right - 1, r.Bottom - 1), ColorToRGB(clBtnHighlight));
  control->Pages(1)->SetHighlighted(true);
  Pump();
  EXPECT_EQ(inside(1), ColorToRGB(clHighlight));
  control->Pages(1)->SetHighlighted(false);
  control->Tabs()->Tab(1)->SetColor(clYellow);
  Pump();
  EXPECT_EQ(inside(1), ColorToRGB(clYellow));
}

TEST_F(PageControlTest, ButtonTabsBehaveAsButtons) {
  TcxPageControl* control = MakeControl(400, 120, {"Scenes", "Signals", "Wall", "Timing"});
  control->SetStyle(kButtons);
  control->SetRotate(true);  // accepted
  EXPECT_TRUE(control->Rotate());
  control->SetRotate(false);
  // Press and release select.
  win::POINT p = TabCentre(control, 2);
  MoveMouse(control, p.x, p.y);
  MouseButton(true);
  EXPECT_EQ(control->PressedTabVisibleIndex(), 2);
  EXPECT_EQ(control->ActivePage(), control->Pages(0));
  MouseButton(false);
  EXPECT_EQ(control->ActivePage(), control->Pages(2));
  // Arrows move the focus, Enter selects.
  control->SetFocus();
  Pump();
  PressKey(win::VK_RIGHT);
  EXPECT_EQ(control->FocusedTabVisibleIndex(), 3);
  EXPECT_EQ(control->ActivePage(), control->Pages(2));
  PressKey(win::VK_RETURN);
  EXPECT_EQ(control->ActivePage(), control->Pages(3));
  // Ctrl-click marks several tabs.
  control->Tabs()->Tab(0)->SetSelected(true);
  control->Tabs()->Tab(1)->SetSelected(true);
  EXPECT_TRUE(control->MultiSelectMode());
  p = TabCentre(control, 2);
  MoveMouse(control, p.x, p.y);
  Key(win::VK_CONTROL, true);
  MouseButton(true);
  MouseButton(false);
  Key(win::VK_CONTROL, false);
  EXPECT_TRUE(control->Tabs()->Tab(2)->Selected());
  EXPECT_TRUE(control->Tabs()->Tab(0)->Selected());
}

TEST_F(PageControlTest, ButtonRowsKeepTheirOrder) {
  TcxPageControl* control =
      MakeControl(200, 150, {"Scene one", "Scene two", "Scene three", "Scene four", "Scene five"});
  control->SetStyle(kFlatButtons);
  control->SetMultiLine(true);
  ASSERT_GE(control->Layout()->RowCount(), 2);
  control->SetActivePage(control->Pages(0));
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(control->Tabs()->Tab(i)->VisibleRow(), control->Tabs()->Tab(i)->Row()) << i;
  control->SetActivePage(control->Pages(4));
  EXPECT_EQ(control->Tabs()->Tab(0)->VisibleRow(), 0);
}

}  // namespace
}  // namespace pagecontroltest
