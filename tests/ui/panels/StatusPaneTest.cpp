// Status panes and the marquee pane, on the virtual clock.
#include <gtest/gtest.h>

#include "platform/classes/ActnList.h"
#include "platform/classes/FormDescription.h"
#include "tests/ui/panels/PanelsFixture.h"
#include "ui/panels/Button.h"
#include "ui/panels/StatusPane.h"

namespace panelstest {
namespace {

using win::RGB;

class StatusPaneTest : public PanelsTest {
 protected:
  void SetUp() override {
    PanelsTest::SetUp();
    form = MakeForm(40, 40, 640, 360, clBtnFace);
  }
  template <class T>
  T* Make(int x, int y, int w, int h) {
    auto* p = new T(form);
    p->SetBounds(x, y, w, h);
    p->SetParent(form);
    return p;
  }
  // How many pixels of the control have the colour.
  int Count(TControl* c, Rgb color, int fromX = 0, int toX = -1) {
    if (toX < 0) toX = c->Width();
    int n = 0;
    for (int y = 0; y < c->Height(); ++y)
      for (int x = fromX; x < toX; ++x) n += Pixel(c, x, y) == color;
    return n;
  }
  TForm* form = nullptr;
};

TEST_F(StatusPaneTest, ScrollStepsAndTheirEvents) {
  auto* m = Make<TRzMarqueeStatus>(10, 10, 100, 20);
  std::vector<int> steps;
  int completes = 0;
  m->OnScrollDisplay = [&](TObject*, int step, int total) {
    steps.push_back(step);
    EXPECT_EQ(total, 100);
  };
  m->OnScrollComplete = [&](TObject*) { ++completes; };
  m->SetScrollSize(3);
  EXPECT_EQ(m->ScrollLength(), 100);  // an empty caption scrolls over the width
  RunFor(100 * 33);
  ASSERT_EQ(steps.size(), 33u);
  EXPECT_EQ(steps.front(), 3);
  EXPECT_EQ(steps.back(), 99);
  EXPECT_EQ(completes, 0);
  RunFor(100);
  EXPECT_EQ(completes, 1);
  EXPECT_EQ(m->ScrollOffset(), 0);
  EXPECT_EQ(steps.size(), 33u);

  m->SetScrollSize(0);
  EXPECT_EQ(m->ScrollSize(), 1);
  m->SetScrollDelay(40);
  EXPECT_EQ(m->ScrollTimer()->Interval(), 40u);
}

TEST_F(StatusPaneTest, StillTextAndRestartingTheScroll) {
  auto* m = Make<TRzMarqueeStatus>(10, 10, 200, 24);
  m->SetCaption("Still");
  m->SetAlignment(taRightJustify);
  m->Font()->SetColor(clRed);
  m->SetScrollType(stNone);
  EXPECT_FALSE(m->ScrollTimer()->Enabled());
  RunFor(300);
  EXPECT_EQ(m->ScrollOffset(), 0);
  // Right-aligned: the text sits in the right half.
  EXPECT_GT(Count(m, RGB(255, 0, 0), 100), 10);
  EXPECT_EQ(Count(m, RGB(255, 0, 0), 0, 100), 0);

  m->SetScrolling(false);
  m->SetScrollType(stRightToLeft);
  EXPECT_TRUE(m->ScrollTimer()->Enabled());
  RunFor(250);
  EXPECT_EQ(m->ScrollOffset(), 2);
  m->SetScrolling(true);
  m->SetScrolling(false);
  EXPECT_EQ(m->ScrollOffset(), 0);
  EXPECT_FALSE(m->ScrollTimer()->Enabled());
}

TEST_F(StatusPaneTest, ANewCaptionKeepsTheOffset) {
  auto* m = Make<TRzMarqueeStatus>(10, 10, 150, 24);
  m->SetScrollSize(5);
  RunFor(400);
  EXPECT_EQ(m->ScrollOffset(), 20);
  m->SetCaption("A longer line of text");
  EXPECT_EQ(m->ScrollOffset(), 20);
  int textWidth = m->ScrollLength() - 150;
  EXPECT_GT(textWidth, 50);
  m->SetWidth(180);
  EXPECT_EQ(m->ScrollLength(), textWidth + 180);
}

TEST_F(StatusPaneTest, FillColourAndParentColour) {
  auto* p = Make<TRzStatusPane>(10, 10, 100, 20);
  EXPECT_TRUE(p->ParentFillColor());
  form->SetColor(clTeal);
  EXPECT_EQ(p->FillColor(), clTeal);
  p->SetFillColor(clYellow);
  EXPECT_FALSE(p->ParentFillColor());
  form->SetColor(clNavy);
  EXPECT_EQ(p->FillColor(), clYellow);
  EXPECT_EQ(p->Color(), clNavy);
  p->SetParentFillColor(true);
  EXPECT_EQ(p->FillColor(), clNavy);
}

TEST_F(StatusPaneTest, BlinkingSharesOneTimer) {
  auto* a = Make<TRzStatusPane>(10, 10, 100, 20);
  auto* b = Make<TRzStatusPane>(10, 40, 100, 20);
  ASSERT_NE(BlinkingControls, nullptr);
  EXPECT_EQ(BlinkingControls->Count(), 2);
  a->Font()->SetColor(clBlack);
  a->SetBlinkColor(clRed);
  a->SetBlinking(true);
  a->SetCaption("Alarm");
  const std::uint64_t start = clock->NowMs();
  // The list's timer runs from its creation: 500 ms off, then 500 ms on.
  auto until = [&](std::uint64_t t) { RunFor(start + t - clock->NowMs()); };
  until(10);
  EXPECT_EQ(a->TextColor(), clBlack);
  until(1010);
  EXPECT_EQ(a->TextColor(), clRed);
  EXPECT_FALSE(a->BlinkPhaseIsNormal());
  EXPECT_GT(Count(a, RGB(255, 0, 0)), 5);
  EXPECT_EQ(b->TextColor(), b->Font()->Color());
  until(1510);
  EXPECT_EQ(a->TextColor(), clBlack);
  until(2010);
  EXPECT_EQ(a->TextColor(), clRed);
  a->SetBlinking(false);
  EXPECT_EQ(a->TextColor(), clBlack);
  EXPECT_EQ(Count(a, RGB(255, 0, 0)), 0);

  // The durations are shared and leave the running timer alone.
  a->SetBlinkIntervalOn(200);
  EXPECT_EQ(b->BlinkIntervalOn(), 200);
  EXPECT_EQ(BlinkingControls->BlinkTimer()->Interval(), 500u);
  delete a;
  delete b;
  EXPECT_EQ(BlinkingControls, nullptr);
}

TEST_F(StatusPaneTest, AutoSizeAutoHintAndTheFrameController) {
  auto* p = Make<TRzStatusPane>(10, 10, 100, 20);
  p->SetAutoSize(true);
  EXPECT_EQ(p->Width(), 40);
  p->SetCaption("Ready");
  EXPECT_GT(p->Width(), 40);
  p->SetDefaultWidth(70);
  p->SetCaption("");
  EXPECT_EQ(p->Width(), 70);

  THintAction hint(nullptr);
  hint.SetHint("Opens the port");
  EXPECT_EQ(p->Perform(CM_ACTIONEXECUTE, 0, reinterpret_cast<win::LPARAM>(&hint)), 0);
  p->SetAutoHint(true);
  EXPECT_EQ(p->Perform(CM_ACTIONEXECUTE, 0, reinterpret_cast<win::LPARAM>(&hint)), 1);
  EXPECT_EQ(p->Caption(), "Opens the port");

  auto* controller = new TRzFrameController(form);
  controller->SetFrameVisible(true);
  controller->SetFrameStyle(fsGroove);
  controller->SetColor(clAqua);
  p->SetFrameController(controller);
  EXPECT_EQ(p->FrameStyle(), fsGroove);
  EXPECT_EQ(p->FillColor(), clAqua);
  EXPECT_FALSE(p->ParentFillColor());
}

TEST_F(StatusPaneTest, SubtitleTextCrossesThePane) {
  auto* window = MakeForm(100, 300, 585, 129, clBlack);
  auto* m = new TRzMarqueeStatus(window);
  m->SetParent(window);
  m->SetAlign(alClient);
  m->SetFrameStyle(fsNone);
  m->SetBorderWidth(0);
  m->SetFlatColor(clNone);
  m->SetParentFillColor(false);
  m->SetFillColor(clBlack);
  m->SetTransparent(false);
  m->SetColor(clBlack);
  m->Font()->SetName("DejaVu Sans");
  m->Font()->SetSize(48);
  m->Font()->SetColor(clYellow);
  m->SetScrollSize(3);
  m->SetCaption("欢迎光临 Welcome");
  ASSERT_EQ(m->Width(), 585);
  const int total = m->ScrollLength();
  EXPECT_GT(total, 585 + 300);
  const Rgb yellow = RGB(255, 255, 0);
  RunFor(100 * 10);
  // Ten steps in: the text has just come in at the right edge.
  EXPECT_GT(Count(m, yellow, 585 - 30), 10);
  EXPECT_EQ(Count(m, yellow, 0, 585 - 31), 0);
  EXPECT_EQ(Pixel(m, 0, 0), RGB(0, 0, 0));
  RunFor(100 * 140);
  EXPECT_GT(Count(m, yellow), 100);
  SaveControl("panels-subtitle.png", m);
  // Shortly before the end only the last letters show, at the left edge.
  RunFor(100 * (total / 3 - 150 - 8));
  EXPECT_GT(Count(m, yellow, 0, 40), 0);
  EXPECT_EQ(Count(m, yellow, 100), 0);
  int completes = 0;
  m->OnScrollComplete = [&](TObject*) { ++completes; };
  // The tick that passes the length starts again from the right edge.
  RunFor(100 * ((total + 2) / 3 - (total / 3 - 8)));
  EXPECT_EQ(completes, 1);
  EXPECT_EQ(m->ScrollOffset(), 0);
}

TEST_F(StatusPaneTest, ATinyMarqueeDrawsNothingAndGoesOn) {
  auto* m = Make<TRzMarqueeStatus>(10, 10, 2, 2);
  m->SetCaption("x");
  int steps = 0;
  m->OnScrollDisplay = [&](TObject*, int, int) { ++steps; };
  m->OnScrollComplete = [&](TObject*) { ++steps; };
  RunFor(1000);
  EXPECT_EQ(steps, 10);
}

TEST_F(StatusPaneTest, Gallery) {
  const TFrameStyle styles[] = {fsFlat, fsNone, fsLowered, fsRaised, fsStatus, fsPopup, fsGroove, fsButtonDown};
  for (int i = 0; i < 8; ++i) {
    auto* p = Make<TRzStatusPane>(10 + (i % 2) * 160, 10 + (i / 2) * 26, 150, 22);
    p->SetFrameStyle(styles[i]);
    p->SetCaption(TypeInfo<TFrameStyleEx>()->Name(styles[i]));
    p->SetAlignment(i % 3 == 0 ? taLeftJustify : i % 3 == 1 ? taCenter : taRightJustify);
  }
  auto* filled = Make<TRzStatusPane>(10, 120, 150, 22);
  filled->SetTransparent(false);
  filled->SetFillColor(clInfoBk);
  filled->SetColor(clInfoBk);
  filled->SetCaption("filled, not transparent");
  auto* disabled = Make<TRzStatusPane>(170, 120, 150, 22);
  disabled->SetCaption("disabled");
  disabled->SetEnabled(false);
  auto* marquee = Make<TRzMarqueeStatus>(10, 150, 310, 24);
  marquee->SetCaption("marquee text scrolling from the right");
  marquee->SetFillColor(clWhite);
  marquee->Font()->SetColor(clNavy);
  RunFor(100 * 120);
  EXPECT_GT(Count(marquee, RGB(0, 0, 128)), 20);
  SaveScreen("panels-status-panes.png", win::RECT{40, 40, 380, 230});
}

}  // namespace
}  // namespace panelstest

namespace panelstest {
namespace {

// The subtitle windows' and the virtual remote's controls as their form descriptions hold them.
TEST_F(StatusPaneTest, ReadFromFormDescriptions) {
  auto* m = new TRzMarqueeStatus(form);
  FormTextToComponent(
      "object RzMarqueeStatus1: TRzMarqueeStatus\n"
      "  Left = 0\n  Top = 0\n  Width = 585\n  Height = 129\n  Align = alClient\n"
      "  FrameStyle = fsNone\n  BorderWidth = 0\n  Caption = '欢迎'\n  Color = clBlack\n"
      "  FillColor = clBlack\n  FlatColor = clNone\n  Font.Color = clYellow\n  ParentColor = False\n"
      "  ParentFillColor = False\n  Hint = 'subtitle'\n  ScrollType = stRightToLeft\nend\n",
      m);
  EXPECT_EQ(m->FrameStyle(), fsNone);
  EXPECT_EQ(m->FlatColor(), clNone);
  EXPECT_FALSE(m->ParentFillColor());
  EXPECT_FALSE(m->Transparent());  // loading without ParentColor clears it
  EXPECT_EQ(m->TextColor(), clYellow);
  EXPECT_EQ(m->Caption(), "欢迎");
  EXPECT_EQ(m->Width(), 585);

  auto* b = new TRzButton(form);
  FormTextToComponent("object RzButton1: TRzButton\n  Caption = 'Power'\n  Color = clRed\n  FrameFlat = True\nend\n", b);
  EXPECT_TRUE(b->HotTrack());
  EXPECT_EQ(b->Color(), clRed);
}

}  // namespace
}  // namespace panelstest
