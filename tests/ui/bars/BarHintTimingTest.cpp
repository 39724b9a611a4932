// When a manager's hints show and hide: the initial pause, replacing a shown hint, the 400 ms in
// which the next hint shows at once, the automatic hide, and the options that gate hints. The
// mouse stands over the item whose control is asked, and time runs on the virtual clock.
#include <gtest/gtest.h>

#include "tests/ui/bars/BarHooksFixture.h"
#include "ui/bars/BarHintTiming.h"
#include "ui/bars/BarHintWindow.h"

namespace {

using namespace win;

class BarHintTimingTest : public BarHooksFixture {
 protected:
  void SetUp() override {
    BarHooksFixture::SetUp();
    Open->SetHint("Open|Opens a file");
    Save->SetHint("Save");
    Search->SetHint("Search");
  }
  static bool HintShows() {
    TdxBarHintWindow* window = BarHintWindow();
    return window && window->HandleAllocated() && IsWindowVisible(window->Handle());
  }
  // The text of the plain hint shown, shortcut included; empty for none.
  static String ShownText() {
    auto* info = HintShows() ? dynamic_cast<TdxBarHintViewInfo*>(BarHintWindow()->ViewInfo()) : nullptr;
    return info ? info->Text() : String();
  }
  void Over(TdxBarItem* AItem) {
    const TRect r = AItem->Links(0)->ItemRect();
    POINT p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    ClientToScreen(AItem->Links(0)->BarControl()->Handle(), &p);
    MoveTo(p.x, p.y);
  }
  // The mouse comes onto the item, whose control asks for its hint.
  void Request(TdxBarItem* AItem) {
    Over(AItem);
    RequestHint(M, true, {}, ControlOf(AItem));
  }
  // The mouse comes onto an empty part of the toolbar, past its last link.
  void RequestNothing() {
    TdxBarItemLinks* links = Standard->ItemLinks();
    const TRect last = links->VisibleLinks(links->VisibleCount() - 1)->ItemRect();
    POINT p{last.Right + 2, (last.Top + last.Bottom) / 2};
    ClientToScreen(Standard->Control()->Handle(), &p);
    MoveTo(p.x, p.y);
    RequestHint(M, true);
  }
  void Advance(int AMs) {
    Clock->Advance(static_cast<std::uint64_t>(AMs));
    Pump();
  }
};

TEST_F(BarHintTimingTest, AHintShowsAfterTheInitialPauseAndHidesAfterTheHidePause) {
  Request(Open);
  Advance(999);
  EXPECT_FALSE(HintShows());
  Advance(1);
  ASSERT_TRUE(HintShows());
  EXPECT_EQ(ShownText(), "Open (Ctrl+O)");
  EXPECT_TRUE(BarHintShown());
  Advance(9999);
  EXPECT_TRUE(HintShows());
  Advance(1);
  EXPECT_FALSE(HintShows());
  EXPECT_FALSE(BarHintShown());
}

TEST_F(BarHintTimingTest, ScreenTipsWaitLessAndStayLonger) {
  ControlOf(Open)->ScreenTipStyle = true;
  BarHintWindow()->SetScreenTipMode(true);
  Request(Open);
  Advance(899);
  EXPECT_FALSE(HintShows());
  Advance(1);
  ASSERT_TRUE(HintShows());
  EXPECT_TRUE(BarHintWindow()->ScreenTipMode());
  Advance(199999);
  EXPECT_TRUE(HintShows());
  Advance(1);
  EXPECT_FALSE(HintShows());
}

TEST_F(BarHintTimingTest, MovingBetweenItemsReplacesOrWaitsByTheRecentHide) {
  Request(Open);
  Advance(1000);
  ASSERT_EQ(ShownText(), "Open (Ctrl+O)");
  Request(Save);
  EXPECT_EQ(ShownText(), "Save") << "straight onto the next button: replaced at once";

  RequestNothing();
  EXPECT_FALSE(HintShows()) << "over empty toolbar space the hint hides";
  EXPECT_TRUE(BarHintRecentlyHidden());
  Advance(399);
  Request(Search);
  EXPECT_EQ(ShownText(), "Search") << "within 400 ms: at once";

  RequestNothing();
  Advance(401);
  EXPECT_FALSE(BarHintRecentlyHidden());
  Request(Open);
  EXPECT_FALSE(HintShows());
  Advance(999);
  EXPECT_FALSE(HintShows());
  Advance(1);
  EXPECT_TRUE(HintShows()) << "after 400 ms the initial pause again";

  // A withdrawal hides without opening the 400 ms window.
  HideHint(M);
  EXPECT_FALSE(HintShows());
  EXPECT_FALSE(BarHintRecentlyHidden());
}

TEST_F(BarHintTimingTest, DisabledItemsShowHintsOnlyWhenAsked) {
  Save->SetEnabled(false);
  M->SetShowHintForDisabledItems(false);
  Request(Save);
  Advance(1000);
  EXPECT_FALSE(HintShows());
  M->SetShowHintForDisabledItems(true);
  Request(Save);
  Advance(1000);
  EXPECT_EQ(ShownText(), "Save");
}

TEST_F(BarHintTimingTest, AHintShownBeforeHintsWereSwitchedOffStillHidesOnTime) {
  Request(Open);
  Advance(1000);
  ASSERT_TRUE(HintShows());
  M->SetShowHint(false);
  RequestNothing();
  HideHint(M);
  EXPECT_TRUE(HintShows()) << "no request has any effect while hints are off";
  Advance(9999);
  EXPECT_TRUE(HintShows());
  Advance(1);
  EXPECT_FALSE(HintShows()) << "hidden 10000 ms after it showed";
  M->SetShowHint(true);

  // The same while the manager customizes.
  Request(Open);
  Advance(1000);
  ASSERT_TRUE(HintShows());
  M->SetCustomizing(true);
  Advance(60000);
  EXPECT_FALSE(HintShows());
  M->SetCustomizing(false);
}

TEST_F(BarHintTimingTest, TheShortcutShowsWhenEitherOptionAsks) {
  struct Case {
    bool inHint, application;
    const char* text;
  };
  for (const Case& c : {Case{false, false, "Open"}, Case{true, false, "Open (Ctrl+O)"}, Case{false, true, "Open (Ctrl+O)"}}) {
    SCOPED_TRACE(c.text);
    M->SetShowShortCutInHint(c.inHint);
    Application->SetHintShortCuts(c.application);
    Request(Open);
    Advance(1000);
    EXPECT_EQ(ShownText(), c.text);
    HideHint(M);
  }
  Application->SetHintShortCuts(true);
}

TEST_F(BarHintTimingTest, AnExplicitTextAndAFreedManager) {
  RequestHint(M, true, "Explicit");
  Advance(1000);
  EXPECT_EQ(ShownText(), "Explicit") << "the text alone, without a shortcut";
  HideHint(M);

  // A pending hint of a manager that goes never shows.
  auto* other = new TItemFixtureForm(nullptr);
  auto* manager = new TdxBarManager(other);
  RequestHint(manager, true, "Later");
  EXPECT_EQ(BarHintManager(), manager);
  TObject::Free(other);
  EXPECT_EQ(BarHintManager(), nullptr);
  Advance(2000);
  ASSERT_NE(BarHintWindow(), nullptr);
  EXPECT_FALSE(HintShows());
}

}  // namespace
