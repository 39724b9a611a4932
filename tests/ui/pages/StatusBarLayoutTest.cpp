// Where the bar puts its panels: the consoles' bar under each painter, stretching and minimum
// widths, the size grip's width and visibility, its hit test, and the border width.
#include "tests/ui/pages/StatusBarFixture.h"

#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "ui/foundation/Geometry.h"

namespace statusbartest {
namespace {

using namespace win;

std::vector<TRect> PanelBounds(TdxCustomStatusBar* Bar) {
  std::vector<TRect> bounds;
  for (int i = 0; i < Bar->ViewInfo()->PanelCount(); ++i) bounds.push_back(Bar->ViewInfo()->PanelViewInfo(i)->Bounds());
  return bounds;
}

TEST_F(StatusBarTest, TheConsolesBarLaysItsThreePanelsOutUnderTheStandardAndOffice11Painters) {
  TForm* form = MakeForm(1000, 300);
  TdxStatusBar* bar = MakeConsoleBar(form);
  ASSERT_EQ(bar->Width(), 1000);
  ASSERT_EQ(bar->Height(), 20);
  EXPECT_FALSE(bar->SizeGripVisible());  // the form has no sizing border
  EXPECT_EQ(PanelBounds(bar), (std::vector<TRect>{{0, 2, 202, 20}, {204, 2, 406, 20}, {408, 2, 1000, 20}}));
  EXPECT_EQ(bar->ViewInfo()->PanelViewInfo(0)->SeparatorBounds, TRect(202, 2, 204, 20));
  EXPECT_EQ(bar->ViewInfo()->PanelViewInfo(2)->SeparatorBounds, TRect());

  // Office-2003 borders of 1 all round: the same widths from x 1, and the last panel runs past
  // the content by both side borders (it is clipped there).
  bar->SetPaintStyle(stpsOffice11);
  EXPECT_EQ(bar->ContentBounds(), TRect(1, 1, 999, 19));
  EXPECT_EQ(PanelBounds(bar), (std::vector<TRect>{{1, 1, 203, 19}, {205, 1, 407, 19}, {409, 1, 1001, 19}}));
}

TEST_F(StatusBarTest, StretchingFollowsTheFixedFlagsAndTheMinimumWidths) {
  TForm* form = MakeForm(600, 200);
  auto* bar = new TdxStatusBar(form);
  bar->SetParent(form);
  TdxStatusBarPanel* a = AddTextPanel(bar, 100);
  TdxStatusBarPanel* b = AddTextPanel(bar, 100);
  TdxStatusBarPanel* c = AddTextPanel(bar, 100);
  b->SetFixed(false);
  // The non-fixed panel takes the slack; the last keeps its width (102 with its bevel).
  EXPECT_EQ(PanelBounds(bar), (std::vector<TRect>{{0, 2, 102, 20}, {104, 2, 496, 20}, {498, 2, 600, 20}}));

  // Too narrow for everything: the non-fixed panel's share stops at its minimum.
  b->SetMinWidth(30);
  form->SetClientWidth(220);
  Pump();
  ASSERT_EQ(bar->Width(), 220);
  EXPECT_EQ(WidthOfRect(PanelBounds(bar)[1]), 32);
  EXPECT_TRUE(bar->ViewInfo()->SizeGripOverlapped());
  (void)a;
  (void)c;
}

TEST_F(StatusBarTest, TheGripWidthGoesToTheCollectionsLastPanelOnlyWhenItIsVisible) {
  TForm* form = MakeForm(600, 200, bsSizeable);
  auto* bar = new TdxStatusBar(form);
  bar->SetParent(form);
  Pump();
  ASSERT_TRUE(bar->SizeGripVisible());
  TdxStatusBarPanel* a = AddTextPanel(bar, 100);
  TdxStatusBarPanel* b = AddTextPanel(bar, 100);
  EXPECT_EQ(a->RealWidth(), 102);
  EXPECT_EQ(b->RealWidth(), 102 + 16);
  // Hidden, the last panel takes its grip width with it; nobody else gets it.
  a->SetFixed(false);
  b->SetVisible(false);
  EXPECT_EQ(a->RealWidth(), 102);
  EXPECT_EQ(PanelBounds(bar), (std::vector<TRect>{{0, 2, 600, 20}}));
}

TEST_F(StatusBarTest, TheSizeGripShowsOnlyInASizeableFormsBottomRightCorner) {
  TForm* form = MakeForm(400, 200, bsSizeable);
  auto* bar = new TdxStatusBar(form);
  bar->SetParent(form);
  Pump();
  EXPECT_TRUE(bar->SizeGripVisible());

  // The hit test answers HTBOTTOMRIGHT inside (Right - 18, Bottom - 18, Right, Bottom).
  auto hit = [&](int x, int y) {
    POINT p = bar->ClientToScreen(POINT{x, y});
    return SendMessage(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
  };
  EXPECT_EQ(hit(399, 19), HTBOTTOMRIGHT);
  EXPECT_EQ(hit(382, 2), HTBOTTOMRIGHT);
  EXPECT_EQ(hit(381, 10), HTCLIENT);
  EXPECT_EQ(hit(390, 1), HTCLIENT);

  bar->SetSizeGrip(false);
  EXPECT_FALSE(bar->SizeGripVisible());
  EXPECT_EQ(hit(399, 19), HTCLIENT);
  bar->SetSizeGrip(true);

  form->SetWindowState(wsMaximized);
  Pump();
  EXPECT_FALSE(bar->SizeGripVisible());
  form->SetWindowState(wsNormal);
  Pump();
  EXPECT_TRUE(bar->SizeGripVisible());

  // Not at the bottom: the bar does not reach the corner.
  bar->SetAlign(alTop);
  Pump();
  EXPECT_FALSE(bar->SizeGripVisible());
  bar->SetAlign(alBottom);

  form->SetBorderStyle(bsSingle);
  Pump();
  EXPECT_FALSE(bar->SizeGripVisible());
}

TEST_F(StatusBarTest, DraggingTheGripResizesTheForm) {
  TForm* form = MakeForm(400, 200, bsSizeable);
  auto* bar = new TdxStatusBar(form);
  bar->SetParent(form);
  AddTextPanel(bar, 100, "drag me");
  Pump();
  const int width = form->Width(), height = form->Height();
  // The size loop reads the queued input itself: inject the whole drag, then let it run.
  POINT grip = bar->ClientToScreen(POINT{392, 15});
  platform::Headless()->InjectMouseMove(grip.x, grip.y);
  platform::Headless()->InjectMouseButton(1, true);
  platform::Headless()->InjectMouseMove(grip.x + 40, grip.y + 30);
  platform::Headless()->InjectMouseButton(1, false);
  Pump();
  EXPECT_EQ(form->Width(), width + 40);
  EXPECT_EQ(form->Height(), height + 30);
  EXPECT_EQ(bar->Width(), 440);
  EXPECT_TRUE(bar->SizeGripVisible());
}

TEST_F(StatusBarTest, BorderWidthInsetsTheContentOnEverySideAndTwoMoreAtTheTop) {
  TForm* form = MakeForm(300, 200);
  auto* bar = new TdxStatusBar(form);
  bar->SetParent(form);
  bar->SetHeight(30);
  bar->SetBorderWidth(3);
  AddTextPanel(bar, 50);
  EXPECT_EQ(bar->ContentBounds(), TRect(3, 5, 297, 27));
  EXPECT_EQ(PanelBounds(bar)[0], TRect(3, 5, 303, 27));
  bar->SetBorderWidth(-4);
  EXPECT_EQ(bar->BorderWidth(), 0);
}

TEST_F(StatusBarTest, PanelWidthsKeepAboveTheirMinimum) {
  TForm* form = MakeForm(300, 200);
  auto* bar = new TdxStatusBar(form);
  bar->SetParent(form);
  TdxStatusBarPanel* p = AddTextPanel(bar, 50);
  EXPECT_FALSE(p->IsMinWidthAssigned());
  p->SetMinWidth(40);
  p->SetWidth(10);
  EXPECT_EQ(p->Width(), 40);
  p->SetMinWidth(80);
  EXPECT_EQ(p->Width(), 80);
  p->SetMinWidth(-5);
  EXPECT_EQ(p->MinWidth(), 0);
  EXPECT_THROW(bar->Panels()->PanelAt(1), EListError);
}

TEST_F(StatusBarTest, WithoutVisiblePanelsNothingIsPlacedAndClicksHitNothing) {
  TForm* form = MakeForm(300, 200);
  auto* bar = new TdxStatusBar(form);
  bar->SetParent(form);
  TdxStatusBarPanel* p = AddTextPanel(bar, 50);
  int clicks = 0;
  p->OnClick = [&](TObject*) { ++clicks; };
  p->SetVisible(false);
  Pump();
  EXPECT_EQ(bar->ViewInfo()->PanelCount(), 0);
  EXPECT_EQ(bar->PanelAtPos(10, 10), nullptr);
  MoveMouse(bar, 10, 10);
  MouseButton(true);
  MouseButton(false);
  EXPECT_EQ(clicks, 0);
  // The no-panels area: a lowered bevel over the content.
  EXPECT_EQ(Pixel(bar, 0, 2), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Pixel(bar, 299, 19), ColorToRGB(clBtnHighlight));
}

TEST_F(StatusBarTest, ClicksAndDoubleClicksReachThePanelUnderTheMouse) {
  TForm* form = MakeForm(500, 200);
  TdxStatusBar* bar = MakeConsoleBar(form);
  std::vector<std::string> events;
  for (int i = 0; i < 3; ++i) {
    bar->Panels()->PanelAt(i)->OnClick = [&, i](TObject* s) {
      EXPECT_EQ(s, bar->Panels()->PanelAt(i));
      events.push_back("click" + std::to_string(i));
    };
    bar->Panels()->PanelAt(i)->OnDblClick = [&, i](TObject*) { events.push_back("dbl" + std::to_string(i)); };
  }
  MoveMouse(bar, 250, 10);
  MouseButton(true);
  MouseButton(false);
  MouseButton(true);
  EXPECT_EQ(events, (std::vector<std::string>{"click1", "dbl1"}));
  MouseButton(false);
  EXPECT_EQ(events, (std::vector<std::string>{"click1", "dbl1", "click1"}));
  // The gap between panels belongs to nobody.
  events.clear();
  clock->Advance(1000);
  MoveMouse(bar, 203, 10);
  MouseButton(true);
  MouseButton(false);
  EXPECT_TRUE(events.empty());
}

}  // namespace
}  // namespace statusbartest
