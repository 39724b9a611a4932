// Popup-menu links: right clicks and the context-menu key on a linked control open the bar menu
// where they should, OnAction and the control's own handler can stop it, and links on one control
// come and go in any order, also when the menu's command frees the control.
#include <gtest/gtest.h>

#include <functional>

#include "platform/classes/ExtCtrls.h"
#include "platform/display/Display.h"
#include "tests/ui/bars/BarItemFixture.h"

namespace {

using namespace win;

class TRecordingBarMenu : public TdxBarPopupMenu {
  VW_CLASS(TRecordingBarMenu, TdxBarPopupMenu)
 public:
  explicit TRecordingBarMenu(TComponent* AOwner) : TdxBarPopupMenu(AOwner) {}
  void ShowAt(int X, int Y) override {
    ++Shown;
    At = POINT{X, Y};
    if (OnShown) OnShown();
  }
  int Shown = 0;
  POINT At{};
  std::function<void()> OnShown;
};

class BarPopupMenuLinksTest : public BarItemFixture {
 protected:
  void SetUp() override {
    BarItemFixture::SetUp();
    Form->Show();
    M = NewCountingManager();
    Menu = new TRecordingBarMenu(Form);
    Panel = new TPanel(Form);
    Panel->SetParent(Form);
    Panel->SetBounds(10, 10, 200, 150);
    Child = new TPanel(Form);
    Child->SetParent(Panel);
    Child->SetBounds(100, 10, 50, 50);
    Link = static_cast<TdxBarPopupMenuLinks*>(M->PopupMenuLinks())->Add();
    Link->SetControl(Panel);
    Link->SetPopupMenu(Menu);
    Pump();
  }
  void Pump() {
    MSG m;
    for (int guard = 0; guard < 1000 && PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE); ++guard)
      Application->ProcessMessages();
  }
  void RightClick(TControl* Control, int X, int Y) {
    const POINT p = Control->ClientToScreen(POINT{X, Y});
    platform::Headless()->InjectMouseMove(p.x, p.y);
    Pump();
    platform::Headless()->InjectMouseButton(3, true);
    Pump();
    platform::Headless()->InjectMouseButton(3, false);
    Pump();
  }
  static void ContextKey(TWinControl* Control) {
    SendMessage(Control->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Control->Handle()),
                MAKELPARAM(0xFFFF, 0xFFFF));
  }

  TCountingBarManager* M = nullptr;
  TRecordingBarMenu* Menu = nullptr;
  TPanel* Panel = nullptr;
  TPanel* Child = nullptr;
  TdxBarPopupMenuLink* Link = nullptr;
};

TEST_F(BarPopupMenuLinksTest, RightClicksOpenTheMenuAwayFromChildrenOrForThem) {
  RightClick(Panel, 20, 30);
  ASSERT_EQ(Menu->Shown, 1);
  EXPECT_EQ(Menu->At.x, Panel->ClientToScreen(POINT{20, 30}).x);
  EXPECT_EQ(Menu->At.y, Panel->ClientToScreen(POINT{20, 30}).y);

  RightClick(Child, 10, 10);
  EXPECT_EQ(Menu->Shown, 2) << "ProcessChildren serves the children";
  Link->SetProcessChildren(false);
  RightClick(Child, 10, 10);
  EXPECT_EQ(Menu->Shown, 2);
  RightClick(Panel, 20, 30);
  EXPECT_EQ(Menu->Shown, 3);
}

TEST_F(BarPopupMenuLinksTest, TheContextKeyAndOnActionPlaceOrStopTheMenu) {
  ContextKey(Panel);
  ASSERT_EQ(Menu->Shown, 1);
  EXPECT_EQ(Menu->At.x, Panel->ClientToScreen(POINT{-1, -1}).x);
  EXPECT_EQ(Menu->At.y, Panel->ClientToScreen(POINT{-1, -1}).y);

  bool byMouse = true;
  Link->OnAction = [&](TdxBarPopupMenuLink* Sender, int& X, int& Y, bool ClickedByMouse, bool&) {
    EXPECT_EQ(Sender, Link);
    EXPECT_EQ(X, -1);
    EXPECT_EQ(Y, -1);
    byMouse = ClickedByMouse;
    X = 5;
    Y = 6;
  };
  ContextKey(Panel);
  ASSERT_EQ(Menu->Shown, 2);
  EXPECT_FALSE(byMouse);
  EXPECT_EQ(Menu->At.x, Panel->ClientToScreen(POINT{5, 6}).x);
  EXPECT_EQ(Menu->At.y, Panel->ClientToScreen(POINT{5, 6}).y);

  Link->OnAction = [](TdxBarPopupMenuLink*, int&, int&, bool, bool& Allow) { Allow = false; };
  ContextKey(Panel);
  EXPECT_EQ(Menu->Shown, 2) << "OnAction forbids it";
  Link->OnAction = nullptr;

  int ownCalls = 0;
  Panel->OnContextPopup = [&](TObject*, POINT, bool& Handled) {
    ++ownCalls;
    Handled = true;
  };
  ContextKey(Panel);
  EXPECT_EQ(ownCalls, 1);
  EXPECT_EQ(Menu->Shown, 2) << "the control's own handler handled it";
  ASSERT_TRUE(Panel->OnContextPopup) << "and has its place back";
  bool handled = false;
  Panel->OnContextPopup(Panel, POINT{0, 0}, handled);
  EXPECT_EQ(ownCalls, 2);
}

TEST_F(BarPopupMenuLinksTest, AControlOutsideTheManagersWindowIsTakenAsNil) {
  auto* other = new TForm(nullptr, 0);
  auto* outside = new TPanel(other);
  outside->SetParent(other);
  TdxBarPopupMenuLink* link = static_cast<TdxBarPopupMenuLinks*>(M->PopupMenuLinks())->Add();
  link->SetControl(outside);
  EXPECT_EQ(link->Control(), nullptr);
  link->SetControl(Child);
  EXPECT_EQ(link->Control(), Child);
  delete other;
}

TEST_F(BarPopupMenuLinksTest, LinksOnOneControlLeaveInAnyOrder) {
  auto* links = static_cast<TdxBarPopupMenuLinks*>(M->PopupMenuLinks());
  auto* second = new TRecordingBarMenu(Form);
  TdxBarPopupMenuLink* link2 = links->Add();
  link2->SetControl(Panel);
  link2->SetPopupMenu(second);
  // The first link goes before the second: the second's hook stays in place.
  delete Link;
  ContextKey(Panel);
  EXPECT_EQ(second->Shown, 1);
  EXPECT_EQ(Menu->Shown, 0);
  delete link2;
  ContextKey(Panel);
  EXPECT_EQ(second->Shown, 1);
  EXPECT_EQ(Menu->Shown, 0);
  EXPECT_FALSE(Panel->OnContextPopup);
}

TEST_F(BarPopupMenuLinksTest, AControlFreedByTheMenusCommandIsLeftAlone) {
  Menu->OnShown = [this] {
    delete Panel;
    Panel = nullptr;
  };
  RightClick(Panel, 20, 30);
  EXPECT_EQ(Menu->Shown, 1);
  EXPECT_EQ(Link->Control(), nullptr);
  // A freed menu is forgotten too.
  delete Menu;
  EXPECT_EQ(Link->PopupMenu(), nullptr);
}

TEST_F(BarPopupMenuLinksTest, TheShortcutQueryAsksTheControlsLinksThenItsContainers) {
  auto* links = static_cast<TdxBarPopupMenuLinks*>(M->PopupMenuLinks());
  std::vector<String> asked;
  auto record = [&asked](const char* Name) {
    return [&asked, Name](TdxBarPopupMenuLink*, int& X, int& Y, bool ClickedByMouse, bool&) {
      EXPECT_EQ(X, -1);
      EXPECT_EQ(Y, -1);
      EXPECT_FALSE(ClickedByMouse);
      asked.push_back(Name);
    };
  };
  Link->OnAction = record("panel");
  TdxBarPopupMenuLink* childLink = links->Add();
  childLink->SetControl(Child);
  childLink->SetPopupMenu(Menu);
  childLink->OnAction = record("child");
  const TShortCut ctrlO = scCtrl | 'O';

  EXPECT_FALSE(links->IsShortCut(Child, ctrlO)) << "no item takes it";
  EXPECT_EQ(asked, (std::vector<String>{"child", "panel"}));
  asked.clear();
  Link->SetProcessChildren(false);
  links->IsShortCut(Child, ctrlO);
  EXPECT_EQ(asked, std::vector<String>{"child"});
  asked.clear();
  links->IsShortCut(Panel, ctrlO);
  EXPECT_EQ(asked, std::vector<String>{"panel"});
  EXPECT_EQ(Menu->Shown, 0) << "a shortcut opens no menu";
}

}  // namespace
