// A personalised menu on the headless backend with time on the virtual clock: ten commands of
// which four are recent (the first, second, fifth and sixth), the expand mark and the ways to
// expand, the delayed expansions, the accelerator of a hidden command, and pictures of the mark.
#include <gtest/gtest.h>

#include <vector>

#include "tests/ui/bars/BarItemControlFixture.h"
#include "tests/ui/bars/BarPainterFixture.h"
#include "ui/bars/BarHintTiming.h"
#include "ui/bars/BarHintWindow.h"
#include "ui/bars/BarHooks.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

namespace {

const TRect kWork{0, 0, 1024, 738};
constexpr int kRecent[] = {0, 1, 4, 5};

class TRowControl : public TStandInButtonControl {
  VW_CLASS(TRowControl, TStandInButtonControl)
 public:
  using TStandInButtonControl::TStandInButtonControl;
  int Height() const override { return 20; }
};

}  // namespace

class BarSubMenuPersonalTest : public BarInputFixture {
 protected:
  void SetUp() override {
    BarInputFixture::SetUp();
    RECT work = kWork;
    SystemParametersInfo(SPI_SETWORKAREA, 0, &work, 0);
    UseStandInControls<TRowControl>();
    M->SetStyle(bmsEnhanced);
    M->SetMenusShowRecentItemsFirst(true);
    M->SetShowFullMenusAfterDelay(false);
    BarFullMenus = false;
    Form->Show();
  }
  void TearDown() override {
    for (TdxBarSubMenuControl* menu : Menus)
      if (IsBarControlAlive(menu)) TObject::Free(menu);
    Menus.clear();
    SystemParametersInfo(SPI_SETWORKAREA, 0, nullptr, 0);
    BarFullMenus = false;
    BarInputFixture::TearDown();
  }
  // Ten commands; the four of kRecent were used, the others never.
  TdxBarSubMenuControlItemLinks* PersonalLinks(const String& APrefix = "Command ") {
    auto* links = new TdxBarSubMenuControlItemLinks(M, nullptr);
    Owned.emplace_back(links);
    for (int i = 0; i < 10; ++i) {
      TdxBarButton* item = Make(APrefix + std::to_string(i + 1));
      item->SetOnClick([this](TObject*) { ++Clicks; });
      links->AddItem(item)->SetUseCount(0);
    }
    for (int i = 3; i >= 0; --i) {
      TdxBarItemLink* link = links->Items(kRecent[i]);
      link->SetUseCount(100);
      links->MoveToRecentFront(link);
    }
    return links;
  }
  TdxBarSubMenuControl* Open(TdxBarItemLinks* ALinks, int X = 200, int Y = 100) {
    auto* menu = new TdxBarSubMenuControl(M);
    Menus.push_back(menu);
    menu->SetItemLinks(ALinks);
    menu->SetLeft(X);
    menu->SetTop(Y);
    menu->PopupMenuWindow();
    Pump();
    return menu;
  }
  static TPoint ScreenCentre(TCustomdxBarControl* Bar, const TRect& R) {
    POINT p{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    ClientToScreen(Bar->Handle(), &p);
    return {p.x, p.y};
  }
  static std::vector<int> Shown(TdxBarItemLinks* ALinks) {
    std::vector<int> shown;
    for (int i = 0; i < ALinks->VisibleCount(); ++i) shown.push_back(ALinks->VisibleLinks(i)->Index());
    return shown;
  }

  std::vector<TdxBarSubMenuControl*> Menus;
  int Clicks = 0;
};

TEST_F(BarSubMenuPersonalTest, TheMenuShowsItsRecentCommandsAndCtrlDownShowsAllInPlace) {
  TdxBarSubMenuControlItemLinks* links = PersonalLinks();
  TdxBarSubMenuControl* menu = Open(links);
  EXPECT_EQ(Shown(links), (std::vector<int>{0, 1, 4, 5}));
  ASSERT_TRUE(menu->HasMark());
  RECT client;
  GetClientRect(menu->Handle(), &client);
  const TRect mark = menu->MarkRect();
  EXPECT_GT(mark.Bottom - mark.Top, 0);
  EXPECT_LT(mark.Bottom, client.bottom) << "inside the inner border";
  EXPECT_GE(mark.Top, links->VisibleLinks(3)->ItemRect().Bottom) << "below the last command";
  const int left = menu->Left(), top = menu->Top(), collapsedHeight = menu->Height();

  TcxObjectLinkScope alive(menu);
  Key(menu, VK_DOWN, false, true);
  ASSERT_TRUE(alive.Alive());
  EXPECT_EQ(Shown(links).size(), 10u);
  EXPECT_FALSE(menu->HasMark());
  EXPECT_TRUE(IsWindowVisible(menu->Handle()));
  EXPECT_EQ(menu->Left(), left);
  EXPECT_EQ(menu->Top(), top);
  EXPECT_GT(menu->Height(), collapsedHeight);
  EXPECT_EQ(ActiveBarWindow, menu);
  EXPECT_TRUE(BarFullMenus);

  // The commands never used lie on the light brush; the state changes where recent and rare meet.
  std::vector<int> rare, changes;
  for (int i = 0; i < 10; ++i) {
    TdxBarItemControl* control = links->Items(i)->Control();
    if (control->IsRarelyUsed()) rare.push_back(i);
    if (control->StartsRecentGroup()) changes.push_back(i);
  }
  EXPECT_EQ(rare, (std::vector<int>{2, 3, 6, 7, 8, 9}));
  EXPECT_EQ(changes, (std::vector<int>{2, 4, 6}));

  // A menu opened next in the same chain shows everything at once.
  TdxBarSubMenuControlItemLinks* other = PersonalLinks("Other ");
  TdxBarSubMenuControl* next = Open(other, 500, 100);
  EXPECT_EQ(Shown(other).size(), 10u);
  EXPECT_FALSE(next->HasMark());
}

TEST_F(BarSubMenuPersonalTest, DownOnTheLastShownCommandExpandsAndWalksIntoTheAddedOnes) {
  TdxBarSubMenuControlItemLinks* links = PersonalLinks();
  TdxBarSubMenuControl* menu = Open(links);
  menu->SelectControlByKeyboard(links->Items(5)->Control());
  Key(menu, VK_DOWN);
  EXPECT_EQ(Shown(links).size(), 10u);
  ASSERT_NE(menu->SelectedLink(), nullptr);
  EXPECT_EQ(menu->SelectedLink()->Index(), 6);

  // Tab on the last command of a full menu just wraps.
  menu->SelectControlByKeyboard(links->Items(9)->Control());
  Key(menu, VK_TAB);
  EXPECT_EQ(menu->SelectedLink(), links->Items(0));
}

TEST_F(BarSubMenuPersonalTest, APressOnTheHotMarkExpandsAndItsReleaseClicksNothing) {
  TdxBarSubMenuControlItemLinks* links = PersonalLinks();
  TdxBarSubMenuControl* menu = Open(links);
  menu->SelectControlByKeyboard(links->Items(1)->Control());
  MoveTo(ScreenCentre(menu, menu->MarkRect()));
  EXPECT_EQ(menu->MarkState(), 1) << "the mark follows the cursor";
  Button(true);
  EXPECT_EQ(Shown(links).size(), 10u);
  Button(false);
  EXPECT_EQ(Clicks, 0) << "the release lands on a command of the larger window";
  EXPECT_EQ(ActiveBarWindow, menu);
  // The next click is an ordinary one.
  MoveTo(ScreenCentre(menu, links->Items(2)->Control()->ItemRect()));
  Button(true);
  Button(false);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(BarSubMenuPersonalTest, APressOnAColdMarkClearsTheSelectionAndMakesItHot) {
  TdxBarSubMenuControlItemLinks* links = PersonalLinks();
  TdxBarSubMenuControl* menu = Open(links);
  menu->SelectControlByKeyboard(links->Items(1)->Control());
  SendMessage(menu->Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM((menu->MarkRect().Left + menu->MarkRect().Right) / 2,
                                                             menu->MarkRect().Top + 1));
  EXPECT_EQ(menu->SelectedLink(), nullptr);
  EXPECT_EQ(menu->MarkState(), 1);
  EXPECT_EQ(Shown(links).size(), 4u);
}

TEST_F(BarSubMenuPersonalTest, DelayedExpansions) {
  M->SetShowFullMenusAfterDelay(true);
  {
    TdxBarSubMenuControlItemLinks* links = PersonalLinks();
    Open(links);
    Wait(3999);
    EXPECT_EQ(Shown(links).size(), 4u);
    Wait(1);
    EXPECT_EQ(Shown(links).size(), 10u) << "4000 ms after opening";
    Menus.back()->CloseUp();
    BarFullMenus = false;
  }
  {
    TdxBarSubMenuControlItemLinks* links = PersonalLinks();
    TdxBarSubMenuControl* menu = Open(links);
    Wait(3000);
    menu->SelectControlByKeyboard(links->Items(1)->Control());
    EXPECT_EQ(menu->ExpandTimer(), 2u);
    Wait(3999);
    EXPECT_EQ(menu->MarkState(), 0);
    Wait(1);
    EXPECT_EQ(menu->MarkState(), 1) << "4000 ms without a change make the mark hot";
    EXPECT_EQ(Shown(links).size(), 4u) << "but expand nothing";
    EXPECT_EQ(menu->ExpandTimer(), 0u);

    // Resting on the mark expands after the hint window's show pause.
    for (bool tips : {true, false}) {
      TdxBarHintWindow* hint = BarHintWindow();
      if (!hint && tips) continue;
      if (hint) hint->SetScreenTipMode(tips);
      const int pause = tips ? 900 : 1000;
      MoveTo(ScreenCentre(menu, links->VisibleLinks(0)->ItemRect()));
      MoveTo(ScreenCentre(menu, menu->MarkRect()));
      EXPECT_EQ(menu->ExpandTimer(), 3u);
      Wait(pause - 1);
      EXPECT_EQ(Shown(links).size(), 4u);
      if (!tips) break;
      MoveTo(ScreenCentre(menu, links->VisibleLinks(0)->ItemRect()));
      EXPECT_NE(menu->ExpandTimer(), 3u) << "leaving the mark ends the wait";
    }
    Wait(1);
    EXPECT_EQ(Shown(links).size(), 10u);
    if (TdxBarHintWindow* hint = BarHintWindow()) hint->SetScreenTipMode(false);
    menu->CloseUp();
    BarFullMenus = false;
  }
  {
    // A menu that closed before its timer is due receives nothing.
    TdxBarSubMenuControlItemLinks* links = PersonalLinks();
    TdxBarSubMenuControl* menu = Open(links);
    TcxObjectLinkScope alive(menu);
    menu->CloseUp();
    EXPECT_FALSE(alive.Alive());
    Wait(5000);
    EXPECT_EQ(ActiveBarWindow, nullptr);
  }
}

TEST_F(BarSubMenuPersonalTest, WithoutTheDelayHoveringTheMarkAsksForTheExpandHint) {
  TdxBarSubMenuControlItemLinks* links = PersonalLinks();
  TdxBarSubMenuControl* menu = Open(links);
  MoveTo(ScreenCentre(menu, menu->MarkRect()));
  EXPECT_EQ(menu->MarkState(), 1);
  EXPECT_EQ(menu->ExpandTimer(), 0u);
  EXPECT_TRUE(BarHintRequested());
  Wait(5000);
  EXPECT_EQ(Shown(links).size(), 4u) << "only a press or a key expands";
  MoveTo(ScreenCentre(menu, links->VisibleLinks(0)->ItemRect()));
  EXPECT_EQ(menu->MarkState(), 0);
}

TEST_F(BarSubMenuPersonalTest, TheLetterOfAHiddenCommandExpandsTheMenuAndSelectsIt) {
  TdxBarSubMenuControlItemLinks* links = PersonalLinks();
  links->Items(1)->Item()->SetCaption("&Alpha");
  links->Items(7)->Item()->SetCaption("A&pex");
  links->Items(8)->Item()->SetCaption("&Apple");
  TdxBarSubMenuControl* menu = Open(links);
  menu->SelectControlByKeyboard(links->Items(1)->Control());
  Key(menu, 'A');
  EXPECT_EQ(Shown(links).size(), 10u);
  EXPECT_EQ(menu->SelectedLink(), links->Items(8));
  EXPECT_EQ(Clicks, 0) << "ambiguous: selected, not clicked";
}

TEST_F(BarSubMenuPersonalTest, PicturesOfTheExpandMarkInEveryStyle) {
  auto shoot = [&](const String& name) {
    BarFullMenus = false;
    TdxBarSubMenuControlItemLinks* links = PersonalLinks();
    TdxBarSubMenuControl* menu = Open(links, 40, 40);
    if (!menu->HasMark()) {
      menu->CloseUp();
      return;  // the standard style keeps no recent items
    }
    MoveTo(ScreenCentre(menu, menu->MarkRect()));
    RedrawWindow(menu->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    RECT r;
    GetWindowRect(menu->Handle(), &r);
    SaveScreenArea("bars/menu-personal-mark-" + name + ".png", r, 2);
    Key(menu, VK_DOWN, false, true);
    menu->SelectControlByKeyboard(links->Items(3)->Control());
    RedrawWindow(menu->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    GetWindowRect(menu->Handle(), &r);
    SaveScreenArea("bars/menu-personal-expanded-" + name + ".png", r, 2);
    menu->CloseUp();
    MoveTo({900, 700});
  };
  barpaintertest::ForEachBarStyle(M, shoot);
}
