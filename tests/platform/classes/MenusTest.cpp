#include <gtest/gtest.h>

#include <vector>

#include "platform/classes/Forms.h"
#include "platform/classes/Menus.h"
#include "platform/win/Menu.h"
#include "tests/platform/classes/FormFixture.h"
#include "platform/win/Keys.h"

namespace {

TEST(ShortCuts, TextsBothWays) {
  struct Case {
    TShortCut sc;
    const char* text;
  } cases[] = {
      {static_cast<TShortCut>('S' | scCtrl), "Ctrl+S"},
      {static_cast<TShortCut>(win::VK_F5), "F5"},
      {static_cast<TShortCut>(win::VK_F12 | scShift), "Shift+F12"},
      {static_cast<TShortCut>(win::VK_RETURN | scCtrl), "Ctrl+Enter"},
      {static_cast<TShortCut>(win::VK_DELETE | scShift | scCtrl | scAlt), "Shift+Ctrl+Alt+Del"},
      {static_cast<TShortCut>('0' | scAlt), "Alt+0"},
      {static_cast<TShortCut>(win::VK_ESCAPE), "Esc"},
      {static_cast<TShortCut>(win::VK_NUMPAD0 + 3), "Num 3"},
      {static_cast<TShortCut>(win::VK_OEM_COMMA | scCtrl), "Ctrl+,"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShortCutToText(c.sc), c.text) << c.sc;
    EXPECT_EQ(TextToShortCut(c.text), c.sc) << c.text;
  }
  // Modifiers in another order and case; unknown names and lone modifiers give no shortcut.
  EXPECT_EQ(TextToShortCut("alt+ctrl+x"), 'X' | scCtrl | scAlt);
  EXPECT_EQ(TextToShortCut("Ctrl+Nothing"), 0);
  EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
  EXPECT_EQ(TextToShortCut(""), 0);
  EXPECT_EQ(ShortCutToText(0), "");
  EXPECT_EQ(ShortCutToText(scCtrl | 0xFF), "");
}

TEST(ShortCuts, CaptionsCompareWithoutHotkeys) {
  EXPECT_EQ(StripHotkey("&File"), "File");
  EXPECT_EQ(StripHotkey("Save && &Exit"), "Save & Exit");
  EXPECT_TRUE(AnsiSameCaption("&Open", "open"));
  EXPECT_FALSE(AnsiSameCaption("Open", "Opened"));
}

class MenuTest : public ::testing::Test {
 protected:
  TComponent form{nullptr};
  TMenuItem* Item(TMenuItem* parent, const String& caption) {
    auto* item = new TMenuItem(&form);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  }
};

TEST_F(MenuTest, ItemsByIndexFindAndOwnership) {
  auto* menu = new TPopupMenu(&form);
  TMenuItem* a = Item(menu->Items(), "&Alpha");
  TMenuItem* b = Item(menu->Items(), "Beta");
  TMenuItem* b1 = Item(b, "Beta one");
  EXPECT_EQ(menu->Items()->Count(), 2);
  EXPECT_EQ((*menu->Items())[1], b);
  EXPECT_EQ(menu->Items()->Find("alpha"), a);
  EXPECT_EQ(menu->Items()->Find("Beta one"), nullptr);  // only direct children
  EXPECT_EQ(b1->GetParentMenu(), menu);
  EXPECT_EQ(b1->MenuIndex(), 0);
  EXPECT_THROW(menu->Items()->Items(2), EMenuError);
  EXPECT_THROW(b->Add(b1), EMenuError);

  // An item freed by its owner leaves its parent; a deleted parent frees its children.
  delete a;
  EXPECT_EQ(menu->Items()->Count(), 1);
  int before = form.ComponentCount();
  menu->Items()->Delete(0);
  EXPECT_EQ(form.ComponentCount(), before - 2);
}

TEST_F(MenuTest, RadioItemsOfAGroupExcludeEachOther) {
  auto* menu = new TMainMenu(&form);
  TMenuItem* items[4];
  for (int i = 0; i < 4; ++i) {
    items[i] = Item(menu->Items(), "item" + std::to_string(i));
    items[i]->SetRadioItem(true);
  }
  items[3]->SetGroupIndex(1);
  items[0]->SetChecked(true);
  items[3]->SetChecked(true);
  items[1]->SetChecked(true);
  EXPECT_FALSE(items[0]->Checked());
  EXPECT_TRUE(items[1]->Checked());
  EXPECT_TRUE(items[3]->Checked());  // another group
}

TEST_F(MenuTest, ClickRunsOnClickOnlyWhenEnabledAndAutoCheckToggles) {
  auto* menu = new TPopupMenu(&form);
  TMenuItem* it = Item(menu->Items(), "x");
  int clicks = 0;
  it->SetOnClick([&](TObject* s) {
    EXPECT_EQ(s, it);
    ++clicks;
  });
  it->SetAutoCheck(true);
  it->Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(it->Checked());
  it->SetEnabled(false);
  it->Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(it->Checked());
}

TEST_F(MenuTest, ShortCutsClickOnlyEnabledVisibleItems) {
  auto* menu = new TPopupMenu(&form);
  TMenuItem* sub = Item(menu->Items(), "sub");
  TMenuItem* save = Item(sub, "Save");
  save->SetShortCut(TextToShortCut("F2"));
  int clicks = 0;
  save->SetOnClick([&](TObject*) { ++clicks; });
  TMessage key{win::WM_KEYDOWN, static_cast<win::WPARAM>(win::VK_F2), 0, 0};
  EXPECT_TRUE(menu->IsShortCut(key));
  EXPECT_EQ(clicks, 1);
  // Alt comes from the key data.
  TMessage altKey{win::WM_SYSKEYDOWN, static_cast<win::WPARAM>(win::VK_F2), 0x20000000, 0};
  EXPECT_FALSE(menu->IsShortCut(altKey));
  sub->SetEnabled(false);
  EXPECT_FALSE(menu->IsShortCut(key));
  sub->SetEnabled(true);
  save->SetVisible(false);
  EXPECT_FALSE(menu->IsShortCut(key));
  EXPECT_EQ(clicks, 1);
}

TEST_F(MenuTest, ItemFollowsItsActionAndRunsIt) {
  TActionList list(&form);
  auto* action = new TAction(&form);
  action->SetActionList(&list);
  action->SetCaption("&Connect");
  action->SetShortCut(TextToShortCut("Ctrl+K"));
  int executed = 0;
  action->SetOnExecute([&](TObject* s) {
    EXPECT_EQ(s, action);
    EXPECT_NE(action->ActionComponent(), nullptr);
    ++executed;
  });
  auto* menu = new TPopupMenu(&form);
  TMenuItem* it = Item(menu->Items(), "");
  it->SetAction(action);
  EXPECT_EQ(it->Caption(), "&Connect");
  EXPECT_EQ(it->ShortCut(), TextToShortCut("Ctrl+K"));
  action->SetEnabled(false);
  EXPECT_FALSE(it->Enabled());
  action->SetEnabled(true);
  it->Click();
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(action->ActionComponent(), nullptr);
  // A freed action lets go of its item.
  delete action;
  EXPECT_EQ(it->Action(), nullptr);
  it->Click();
  EXPECT_EQ(executed, 1);
}

class MenuOnFormTest : public formtest::FormTest {};

TEST_F(MenuOnFormTest, PopupShowsTheItemsAndClicksTheChosenOne) {
  auto* form = new TForm(Application, 0);
  form->SetBounds(50, 50, 300, 200);
  form->Show();
  Pump();
  auto* menu = new TPopupMenu(form);
  std::vector<String> clicked;
  int popups = 0;
  menu->OnPopup = [&](TObject*) { ++popups; };
  for (const char* caption : {"&Power on", "-", "Power &off", "Hidden"}) {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    item->SetOnClick([&clicked, item](TObject*) { clicked.push_back(item->Caption()); });
    menu->Items()->Add(item);
  }
  menu->Items()->Items(3)->SetVisible(false);
  menu->SetPopupComponent(form);
  // The operator's keys wait in the queue for the menu's own loop: down twice skips the separator.
  for (unsigned vk : {win::VK_DOWN, win::VK_DOWN, win::VK_RETURN}) {
    Headless().InjectKey(vk, true);
    Headless().InjectKey(vk, false);
  }
  menu->Popup(120, 80);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(menu->PopupPoint().x, 120);
  EXPECT_EQ(clicked, (std::vector<String>{"Power &off"}));
  // Escape closes it without a choice.
  Headless().InjectKey(win::VK_ESCAPE, true);
  Headless().InjectKey(win::VK_ESCAPE, false);
  menu->Popup(120, 80);
  EXPECT_EQ(clicked.size(), 1u);
  EXPECT_EQ(menu->PopupComponent(), form);
}

TEST_F(MenuOnFormTest, MainMenuShowsInTheFormAndDispatchesCommands) {
  auto* form = new TForm(Application, 0);
  form->SetBounds(50, 50, 300, 200);
  auto* menu = new TMainMenu(form);
  auto* file = new TMenuItem(form);
  file->SetCaption("&File");
  menu->Items()->Add(file);
  auto* exit = new TMenuItem(form);
  exit->SetCaption("E&xit");
  int clicks = 0;
  exit->SetOnClick([&](TObject*) { ++clicks; });
  file->Add(exit);
  form->SetMenu(menu);
  form->Show();
  Pump();
  ASSERT_TRUE(menu->HandleAllocated());
  EXPECT_EQ(win::GetMenu(form->Handle()), menu->Handle());
  EXPECT_EQ(win::GetMenuItemCount(menu->Handle()), 1);
  EXPECT_TRUE(menu->DispatchCommand(exit->Command()));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(menu->DispatchCommand(0));
  // A change rebuilds the bar.
  auto* help = new TMenuItem(form);
  help->SetCaption("&Help");
  menu->Items()->Add(help);
  EXPECT_EQ(win::GetMenu(form->Handle()), menu->Handle());
  EXPECT_EQ(win::GetMenuItemCount(menu->Handle()), 2);
}

}  // namespace
