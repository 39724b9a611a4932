// Keyboard navigation in real menu windows, driven through the navigation controller as the
// keyboard hook drives it: expanding a personalised menu, Tab and Shift+Tab, Left closing a
// sub-menu, and Left and Right handed to the toolbar the menus were dropped from.
#include <gtest/gtest.h>

#include <vector>

#include "tests/ui/bars/BarItemControlFixture.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarButtonControls.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarNavigation.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"

using namespace win;

namespace {

// A stand-in toolbar that answers the toolbar window's helper, as a real toolbar does.
class TNavigatedBar : public TStandInBar {
  VW_CLASS(TNavigatedBar, TStandInBar)
 public:
  using TStandInBar::TStandInBar;
  TClass AccessibilityHelperClass() const override { return TdxBarControlAccessibilityHelper::StaticClass(); }
};

}  // namespace

class BarMenuNavigationTest : public BarInputFixture {
 protected:
  void SetUp() override {
    BarInputFixture::SetUp();
    // Every item gets the control its class names.
    dxBarItemControlFactory = nullptr;
    Form->Show();
  }
  void TearDown() override {
    for (TStandInBar* bar : Bars) CloseChain(bar);
    for (TdxBarSubMenuControl* menu : Menus)
      if (IsBarControlAlive(menu)) TObject::Free(menu);
    BarFullMenus = false;
    BarInputFixture::TearDown();
  }
  static void CloseChain(TCustomdxBarControl* Bar) {
    for (int i = 0; Bar->ItemLinks() && i < Bar->ItemLinks()->Count(); ++i)
      if (auto* c = dynamic_cast<TdxBarButtonLikeControl*>(Bar->ItemLinks()->Items(i)->Control()))
        if (c->IsDroppedDown()) c->Deactivate(true);
  }
  TdxBarSubItem* SubItem(const String& Caption, std::initializer_list<TdxBarItem*> Entries) {
    auto* item = Make<TdxBarSubItem>(Caption);
    for (TdxBarItem* entry : Entries) item->ItemLinks()->AddItem(entry);
    return item;
  }
  // A main menu of File (Open, Recent > (One, Two), Save), Edit (Copy, Paste) and Help.
  TNavigatedBar* MainMenu(bool AVertical = false) {
    File = SubItem("File", {Make("Open"), SubItem("Recent", {Make("One"), Make("Two")}), Make("Save")});
    Edit = SubItem("Edit", {Make("Copy"), Make("Paste")});
    auto* bar = new TNavigatedBar(M, dxBarKindToolbar);
    bar->Vertical = AVertical;
    auto* links = new TdxBarControlItemLinks(M, nullptr);
    for (TdxBarItem* item : {static_cast<TdxBarItem*>(File), static_cast<TdxBarItem*>(Edit), static_cast<TdxBarItem*>(Make("Help"))})
      links->AddItem(item);
    bar->SetItemLinks(links);
    Owned.emplace_back(links);
    Bars.push_back(bar);
    bar->SetBounds(100, 100, 200, 30);
    bar->HandleNeeded();
    bar->ShowNoActivate();
    bar->SetVisible(true);
    bar->Update();
    bar->SetActiveState(true);
    return bar;
  }
  // Opens the item's menu from the keyboard: its first link is selected.
  static TdxBarSubMenuControl* OpenByKey(TCustomdxBarControl* Bar, int Index) {
    TdxBarItemControl* c = ControlAt(Bar, Index);
    Bar->SelectControlByKeyboard(c);
    WORD key = Bar->BarKind() == dxBarKindMenu ? VK_RIGHT : VK_DOWN;
    c->KeyDown(key, {});
    return MenuOf(c->Item());
  }
  static TdxBarSubMenuControl* MenuOf(TdxBarItem* AItem) {
    auto* menu = AItem->ItemLinks() ? dynamic_cast<TdxBarSubMenuControl*>(AItem->ItemLinks()->BarControl()) : nullptr;
    return menu && menu->HandleAllocated() && IsWindowVisible(menu->Handle()) ? menu : nullptr;
  }
  // A key as the keyboard hook hands it to the controller, with the shift keys held.
  void Press(WORD Vk, bool AShift = false, bool ACtrl = false) {
    BYTE state[256] = {};
    if (AShift) state[VK_SHIFT] = 0x80;
    if (ACtrl) state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    TShiftState shift;
    if (AShift) shift.Include(ssShift);
    if (ACtrl) shift.Include(ssCtrl);
    BarNavigationController->ProcessKey(Vk, shift);
    BYTE none[256] = {};
    SetKeyboardState(none);
    Pump();
  }
  static int SelectedIndex(TCustomdxBarControl* Bar) { return Bar->SelectedLink() ? Bar->SelectedLink()->Index() : -1; }

  // Ten commands; the first, second, fifth and sixth were used, the others never.
  TdxBarSubMenuControl* PersonalMenu(TdxBarSubMenuControlItemLinks*& ALinks) {
    M->SetStyle(bmsEnhanced);
    M->SetMenusShowRecentItemsFirst(true);
    M->SetShowFullMenusAfterDelay(false);
    BarFullMenus = false;
    ALinks = new TdxBarSubMenuControlItemLinks(M, nullptr);
    Owned.emplace_back(ALinks);
    for (int i = 0; i < 10; ++i) ALinks->AddItem(Make("Command " + std::to_string(i + 1)))->SetUseCount(0);
    for (int i : {5, 4, 1, 0}) {
      ALinks->Items(i)->SetUseCount(100);
      ALinks->MoveToRecentFront(ALinks->Items(i));
    }
    auto* menu = new TdxBarSubMenuControl(M);
    Menus.push_back(menu);
    menu->SetItemLinks(ALinks);
    menu->SetLeft(400);
    menu->SetTop(100);
    menu->PopupMenuWindow();
    Pump();
    return menu;
  }

  TdxBarSubItem* File = nullptr;
  TdxBarSubItem* Edit = nullptr;
  std::vector<TdxBarSubMenuControl*> Menus;
};

TEST_F(BarMenuNavigationTest, DownPastTheLastRecentCommandExpandsAndSelectsTheNextOne) {
  TdxBarSubMenuControlItemLinks* links = nullptr;
  TdxBarSubMenuControl* menu = PersonalMenu(links);
  ASSERT_TRUE(menu->HasMark());
  ASSERT_EQ(links->VisibleCount(), 4);
  menu->SelectControlByKeyboard(links->Items(5)->Control());
  ASSERT_EQ(ActiveBarWindow, menu);

  Press(VK_DOWN);
  EXPECT_FALSE(menu->HasMark()) << "expanded";
  EXPECT_EQ(links->VisibleCount(), 10);
  EXPECT_EQ(SelectedIndex(menu), 6) << "the first of the added commands after it";
}

TEST_F(BarMenuNavigationTest, CtrlDownExpandsAndKeepsTheSelection) {
  TdxBarSubMenuControlItemLinks* links = nullptr;
  TdxBarSubMenuControl* menu = PersonalMenu(links);
  menu->SelectControlByKeyboard(links->Items(1)->Control());
  Press(VK_DOWN, false, true);
  EXPECT_FALSE(menu->HasMark());
  EXPECT_EQ(links->VisibleCount(), 10);
  EXPECT_EQ(SelectedIndex(menu), 1);
}

TEST_F(BarMenuNavigationTest, TabMovesDownShiftTabUpAndTheMenuWraps) {
  TNavigatedBar* bar = MainMenu();
  TdxBarSubMenuControl* menu = OpenByKey(bar, 1);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(SelectedIndex(menu), 0);
  struct Step {
    WORD Key;
    bool Shift;
    int Selected;
  };
  for (const Step& s : {Step{VK_TAB, false, 1}, Step{VK_TAB, false, 0}, Step{VK_TAB, true, 1},
                        Step{VK_UP, false, 0}, Step{VK_DOWN, false, 1}}) {
    Press(s.Key, s.Shift);
    EXPECT_EQ(SelectedIndex(menu), s.Selected) << s.Key << (s.Shift ? " with Shift" : "");
    EXPECT_EQ(ActiveBarWindow, menu);
  }
}

TEST_F(BarMenuNavigationTest, LeftInASubMenuClosesItAndLeavesItsOpenerSelected) {
  TNavigatedBar* bar = MainMenu();
  TdxBarSubMenuControl* fileMenu = OpenByKey(bar, 0);
  ASSERT_NE(fileMenu, nullptr);
  TdxBarSubMenuControl* recent = OpenByKey(fileMenu, 1);
  ASSERT_NE(recent, nullptr);
  ASSERT_EQ(ActiveBarWindow, recent);

  Press(VK_LEFT);
  EXPECT_EQ(MenuOf(File->ItemLinks()->Items(1)->Item()), nullptr) << "the sub-menu closed";
  EXPECT_EQ(ActiveBarWindow, fileMenu);
  EXPECT_EQ(SelectedIndex(fileMenu), 1);
}

TEST_F(BarMenuNavigationTest, LeftAndRightOnCommandsOpenTheNeighbouringMainMenuItems) {
  TNavigatedBar* bar = MainMenu();
  ASSERT_NE(OpenByKey(bar, 0), nullptr);

  Press(VK_RIGHT);
  EXPECT_EQ(SelectedIndex(bar), 1) << "Edit";
  EXPECT_EQ(MenuOf(File), nullptr);
  TdxBarSubMenuControl* editMenu = MenuOf(Edit);
  ASSERT_NE(editMenu, nullptr) << "the next main-menu item opens";
  EXPECT_EQ(ActiveBarWindow, editMenu);

  Press(VK_LEFT);
  EXPECT_EQ(SelectedIndex(bar), 0) << "File";
  EXPECT_EQ(MenuOf(Edit), nullptr);
  EXPECT_NE(MenuOf(File), nullptr);
}

TEST_F(BarMenuNavigationTest, LeftInAMenuOfAVerticalToolbarOnlyClosesIt) {
  TNavigatedBar* bar = MainMenu(true);
  TdxBarSubMenuControl* fileMenu = OpenByKey(bar, 0);
  ASSERT_NE(fileMenu, nullptr);
  Press(VK_LEFT);
  EXPECT_EQ(MenuOf(File), nullptr);
  EXPECT_EQ(SelectedIndex(bar), 0);
  EXPECT_EQ(ActiveBarWindow, bar);
}

// ---- the keys and the mouse as the menu's own window takes them ---------------------------------

TEST_F(BarMenuNavigationTest, EscapeInASubMenuLeavesItsParentOpenAndActive) {
  TNavigatedBar* bar = MainMenu();
  TdxBarSubMenuControl* fileMenu = OpenByKey(bar, 0);
  ASSERT_NE(fileMenu, nullptr);
  TdxBarSubMenuControl* recent = OpenByKey(fileMenu, 1);
  ASSERT_NE(recent, nullptr);
  Key(recent, VK_ESCAPE);
  Pump();
  EXPECT_EQ(MenuOf(File->ItemLinks()->Items(1)->Item()), nullptr) << "the sub-menu closed";
  EXPECT_EQ(MenuOf(File), fileMenu);
  EXPECT_EQ(ActiveBarWindow, fileMenu);
  EXPECT_EQ(SelectedIndex(fileMenu), 1);
}

TEST_F(BarMenuNavigationTest, LeftAndRightInAMenuWindowGoToItsMainMenu) {
  TNavigatedBar* bar = MainMenu();
  TdxBarSubMenuControl* fileMenu = OpenByKey(bar, 0);
  ASSERT_NE(fileMenu, nullptr);
  Key(fileMenu, VK_RIGHT);
  Pump();
  TdxBarSubMenuControl* editMenu = MenuOf(Edit);
  ASSERT_NE(editMenu, nullptr) << "the next main-menu item opens";
  EXPECT_EQ(MenuOf(File), nullptr);
  EXPECT_EQ(SelectedIndex(bar), 1);
  Key(editMenu, VK_LEFT);
  Pump();
  EXPECT_EQ(MenuOf(Edit), nullptr);
  EXPECT_NE(MenuOf(File), nullptr) << "the previous one opens";
  EXPECT_EQ(SelectedIndex(bar), 0);
}

TEST_F(BarMenuNavigationTest, LeftInAMenuWindowOfAVerticalMainMenuClosesIt) {
  TNavigatedBar* bar = MainMenu(true);
  TdxBarSubMenuControl* fileMenu = OpenByKey(bar, 0);
  ASSERT_NE(fileMenu, nullptr);
  Key(fileMenu, VK_LEFT);
  Pump();
  EXPECT_EQ(MenuOf(File), nullptr);
  EXPECT_EQ(MenuOf(Edit), nullptr);
  EXPECT_EQ(SelectedIndex(bar), 0);
}

TEST_F(BarMenuNavigationTest, WithThePointerInASubMenuItsOpenerStaysSelected) {
  TNavigatedBar* bar = MainMenu();
  TdxBarSubMenuControl* fileMenu = OpenByKey(bar, 0);
  ASSERT_NE(fileMenu, nullptr);
  TdxBarSubMenuControl* recent = OpenByKey(fileMenu, 1);
  ASSERT_NE(recent, nullptr);
  MoveOnto(fileMenu, 2);
  MoveOnto(recent, 0);
  EXPECT_NE(MenuOf(File->ItemLinks()->Items(1)->Item()), nullptr);
  EXPECT_EQ(SelectedIndex(fileMenu), 1) << "Recent, the sub-menu's opener";
  EXPECT_EQ(SelectedIndex(recent), 0);
}
