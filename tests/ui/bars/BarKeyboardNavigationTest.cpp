// Keyboard navigation on a sample form, driven by keys injected through the headless screen as a
// user types them: Alt and F10 enter the main menu, the arrows, Tab and Escape move through the
// main menu, its menus and two toolbars, and a mouse press ends it all.
#include <gtest/gtest.h>

#include "platform/system/Clock.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "tests/ui/bars/BarStandIns.h"
#include "tests/ui/bars/BarToolbarFixture.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarHooks.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarNavigation.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"

using namespace win;

class BarKeyboardNavigationTest : public BarToolbarFixture {
 protected:
  void SetUp() override {
    BarToolbarFixture::SetUp();
    // Every item gets the control its class names.
    dxBarItemControlFactory = nullptr;
    SetActiveWindow(Form->Handle());
    File = SubItem("&File", {Button("&Open"), SubItem("&Recent", {Button("One"), Button("Two")}), Button("&Save")});
    Edit = SubItem("&Edit", {Button("&Copy"), Button("&Paste")});
    MainMenu = M->Bars()->Add();
    MainMenu->SetCaption("Main Menu");
    for (TdxBarItem* item : {static_cast<TdxBarItem*>(File), static_cast<TdxBarItem*>(Edit),
                             static_cast<TdxBarItem*>(SubItem("&Help", {Button("&About")}))})
      MainMenu->ItemLinks()->AddItem(item);
    MainMenu->SetDockingStyle(dsTop);
    MainMenu->SetIsMainMenu(true);
    MainMenu->SetVisible(true);
    Standard = AddToolbar<TdxBar>("Standard", dsTop, 3, 100, 30);
    Tools = AddToolbar<TdxBar>("Tools", dsLeft, 3, 30, 100);
    Pump();
    ASSERT_NE(MainMenu->Control(), nullptr);
  }
  void TearDown() override {
    if (BarNavigationController) BarNavigationController->EndKeyboardMode();
    Pump();
    BarToolbarFixture::TearDown();
    dxBarItemControlFactory = nullptr;
  }
  TdxBarButton* Button(const String& ACaption) {
    auto* button = new TdxBarButton(Form);
    button->SetCaption(ACaption);
    return button;
  }
  TdxBarSubItem* SubItem(const String& ACaption, std::initializer_list<TdxBarItem*> AItems) {
    auto* item = new TdxBarSubItem(Form);
    item->SetCaption(ACaption);
    for (TdxBarItem* entry : AItems) item->ItemLinks()->AddItem(entry);
    return item;
  }
  void Key(unsigned AKey, bool ADown) {
    platform::Headless()->InjectKey(AKey, ADown);
    Pump();
  }
  void Press(unsigned AKey) {
    Key(AKey, true);
    Key(AKey, false);
  }
  void Chord(unsigned AModifier, unsigned AKey) {
    Key(AModifier, true);
    Press(AKey);
    Key(AModifier, false);
  }
  static int Selected(TdxBar* ABar) {
    TdxBarItemLink* link = ABar->Control() ? ABar->Control()->SelectedLink() : nullptr;
    return link ? link->Index() : -1;
  }
  static TdxBarSubMenuControl* MenuOf(TdxBarItem* AItem) {
    auto* menu = dynamic_cast<TdxBarSubMenuControl*>(AItem->ItemLinks()->BarControl());
    return menu && menu->HandleAllocated() && IsWindowVisible(menu->Handle()) ? menu : nullptr;
  }
  static IdxBarAccessibilityHelper* ItemHelper(TdxBar* ABar, int AIndex) {
    TdxBarItemControl* control = ABar->ItemLinks()->Items(AIndex)->Control();
    return control ? control->AccessibilityHelperOf() : nullptr;
  }

  platform::ScopedVirtualClock Clock;
  TdxBar *MainMenu = nullptr, *Standard = nullptr, *Tools = nullptr;
  TdxBarSubItem *File = nullptr, *Edit = nullptr;
};

TEST_F(BarKeyboardNavigationTest, AltSelectsTheMainMenuAndTheArrowsWalkItAndItsMenus) {
  Press(VK_MENU);
  ASSERT_EQ(ActiveBarWindow, MainMenu->Control());
  EXPECT_TRUE(BarNavigationController->InNavigation());
  EXPECT_TRUE(BarNavigationController->DrivesBarControl(MainMenu->Control()));
  EXPECT_EQ(Selected(MainMenu), 0);

  Press(VK_RIGHT);
  EXPECT_EQ(Selected(MainMenu), 1);
  Press(VK_LEFT);
  EXPECT_EQ(Selected(MainMenu), 0);
  Press(VK_LEFT);
  EXPECT_EQ(Selected(MainMenu), 2) << "round to the last";
  Press(VK_RIGHT);

  Press(VK_DOWN);
  TdxBarSubMenuControl* menu = MenuOf(File);
  ASSERT_NE(menu, nullptr) << "Down opens the selected item's menu";
  EXPECT_EQ(ActiveBarWindow, menu);
  Press(VK_DOWN);
  Press(VK_RIGHT);
  ASSERT_NE(MenuOf(File->ItemLinks()->Items(1)->Item()), nullptr) << "Right opens Recent";

  Press(VK_ESCAPE);
  EXPECT_EQ(ActiveBarWindow, menu) << "Escape closes one level";
  Press(VK_ESCAPE);
  EXPECT_EQ(MenuOf(File), nullptr);
  EXPECT_EQ(ActiveBarWindow, MainMenu->Control());
  EXPECT_EQ(Selected(MainMenu), 0);
  Press(VK_ESCAPE);
  EXPECT_EQ(ActiveBarWindow, nullptr) << "and the main menu is left";
}

TEST_F(BarKeyboardNavigationTest, CtrlAltDoesNothingAndF10OnlyWithUseF10ForMenu) {
  Chord(VK_CONTROL, VK_MENU);
  EXPECT_EQ(ActiveBarWindow, nullptr);
  M->SetUseF10ForMenu(false);
  Press(VK_F10);
  EXPECT_EQ(ActiveBarWindow, nullptr);
  M->SetUseF10ForMenu(true);
  Press(VK_F10);
  EXPECT_EQ(ActiveBarWindow, MainMenu->Control());
  EXPECT_EQ(Selected(MainMenu), 0);
}

TEST_F(BarKeyboardNavigationTest, TabWrapsInAHorizontalToolbarAndDownWalksAVerticalOne) {
  ASSERT_TRUE(Tools->Control()->IsVertical());
  BarNavigationController->ChangeSelection(false, ItemHelper(Standard, 2));
  ASSERT_EQ(ActiveBarWindow, Standard->Control());
  Press(VK_TAB);
  EXPECT_EQ(Selected(Standard), 0) << "the first selectable button of the same toolbar";

  BarNavigationController->ChangeSelection(false, ItemHelper(Tools, 0));
  ASSERT_EQ(ActiveBarWindow, Tools->Control());
  EXPECT_EQ(Selected(Standard), -1);
  Press(VK_DOWN);
  EXPECT_EQ(Selected(Tools), 1);
  Press(VK_TAB);
  EXPECT_EQ(Selected(Tools), 2);
}

TEST_F(BarKeyboardNavigationTest, AMousePressEndsNavigation) {
  Press(VK_MENU);
  ASSERT_EQ(ActiveBarWindow, MainMenu->Control());
  RECT r{};
  GetWindowRect(Form->Handle(), &r);
  platform::Headless()->InjectMouseMove(r.left + 200, r.bottom - 40);
  platform::Headless()->InjectMouseButton(1, true);
  platform::Headless()->InjectMouseButton(1, false);
  Pump();
  EXPECT_FALSE(BarNavigationController->InNavigation());
  EXPECT_EQ(ActiveBarWindow, nullptr);
}

TEST_F(BarKeyboardNavigationTest, AltFromAFormWithoutAManagerFindsNoMainMenuAndDoesNothing) {
  MainMenu->SetIsMainMenu(false);
  M->SetAllowCallFromAnotherForm(true);
  auto* other = new TItemFixtureForm(nullptr);
  other->SetBounds(20, 20, 200, 100);
  other->Show();
  SetActiveWindow(other->Handle());
  ASSERT_EQ(RootAccessibleObjectOf(M), nullptr);
  Press(VK_MENU);
  EXPECT_EQ(ActiveBarWindow, nullptr);
  EXPECT_FALSE(BarNavigationController->InNavigation());
  EXPECT_FALSE(AltPending);
  TObject::Free(other);
}

TEST_F(BarKeyboardNavigationTest, TheTopSiteListsItsDockedRowsAndTheirToolbarsFindEachOther) {
  TdxDockControl* site = MainMenu->RealDockControl();
  ASSERT_NE(site, nullptr);
  ASSERT_EQ(Standard->RealDockControl(), site);
  auto* dock = dynamic_cast<TdxDockControlAccessibilityHelper*>(site->AccessibilityHelper());
  ASSERT_NE(dock, nullptr);
  std::vector<TdxBarAccessibilityHelper*> rows;
  for (int row = 0; row < site->RowCount(); ++row)
    for (TdxBar* bar : site->Rows(row)->RowBars())
      rows.push_back(dynamic_cast<TdxBarAccessibilityHelper*>(bar->Control()->AccessibilityHelper()));
  ASSERT_EQ(rows.size(), 2u);
  std::vector<TdxBarAccessibilityHelper*> children;
  dock->ListChildren(children);
  EXPECT_EQ(children, rows);
  ASSERT_EQ(dock->CountChildren(), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(dock->ChildAt(i), rows[static_cast<std::size_t>(i)]);
    EXPECT_EQ(dock->IndexOfChild(rows[static_cast<std::size_t>(i)]), i);
    EXPECT_EQ(rows[static_cast<std::size_t>(i)]->ParentHelper(), dock);
  }
  TRect bounds;
  dock->ScreenBounds(0, bounds);
  RECT r{};
  GetWindowRect(site->Handle(), &r);
  EXPECT_EQ(bounds, TRect(r));

  // The rows stand one below the other: Down from the main menu's window reaches the toolbar's.
  TRect menuBounds, standardBounds;
  rows[0]->ScreenBounds(0, menuBounds);
  rows[1]->ScreenBounds(0, standardBounds);
  ASSERT_LE(menuBounds.Bottom, standardBounds.Top);
  IdxBarAccessibilityHelper* below = nullptr;
  rows[0]->NeighbourInDirection(dxNavDown, below);
  ASSERT_NE(below, nullptr);
  EXPECT_EQ(BarHelperOf(below)->ParentHelper(), rows[1]);
}
