// The name dialog and the customization dialog's drop-down button, driven inside their modal loops.
#include <gtest/gtest.h>

#include "platform/classes/Forms.h"
#include "platform/win/Keys.h"
#include "tests/ui/bars/BarEditorFormsFixture.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarCheckableButton.h"
#include "ui/bars/BarEditorForms.h"
#include "ui/bars/BarPopupMenu.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/Bars.h"

namespace {

using namespace win;

using BarNameDialogTest = BarEditorFormsFixture;

TEST_F(BarNameDialogTest, CaptionsFollowKindAndModeAndTheManagersFont) {
  struct Case {
    int Kind, Mode;
    const char* Caption;
    const char* Label;
  };
  const Case cases[] = {
      {nkToolbar, 0, "Add Toolbar", "&Toolbar name:"},       {nkToolbar, 1, "Rename Toolbar", "&Toolbar name:"},
      {nkCategory, 0, "Add Category", "&Category name:"},    {nkCategory, 1, "Insert Category", "&Category name:"},
      {nkCategory, 2, "Rename Category", "&Category name:"},
  };
  Manager->Font()->SetName("DejaVu Serif");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Caption);
    String name = "Wall";
    WhileModal({[&] {
      auto* dialog = OpenForm<TdxBarNameEd>();
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->Caption(), c.Caption);
      EXPECT_EQ(dialog->LName->Caption(), c.Label);
      EXPECT_EQ(dialog->BOK->Caption(), "OK");
      EXPECT_EQ(dialog->BCancel->Caption(), "Cancel");
      EXPECT_EQ(dialog->EName->Text(), "Wall");
      EXPECT_EQ(dialog->Font()->Name(), "DejaVu Serif");
      EXPECT_EQ(dialog->ClientWidth(), 266);
      EXPECT_EQ(dialog->ClientHeight(), 87);
      if (c.Kind == nkCategory && c.Mode == 2) SaveScreenArea("bar_name_dialog.png", dialog->BoundsRect(), 2);
      dialog->BCancel->Click();
    }});
    EXPECT_FALSE(ShowNameDialog(name, c.Kind, c.Mode, nullptr, Manager));
    EXPECT_TRUE(StepsDone());
    EXPECT_EQ(name, "Wall");
  }
}

TEST_F(BarNameDialogTest, OkIsEnabledOnlyForANonEmptyName) {
  String name;
  WhileModal({[&] {
    auto* dialog = OpenForm<TdxBarNameEd>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->BOK->Enabled());
    dialog->EName->SetText("Screens");
    EXPECT_TRUE(dialog->BOK->Enabled());
    dialog->EName->SetText("");
    EXPECT_FALSE(dialog->BOK->Enabled());
    dialog->EName->SetText("Screens");
    dialog->BOK->Click();
  }});
  EXPECT_TRUE(ShowNameDialog(name, nkCategory, 0, nullptr, Manager));
  EXPECT_EQ(name, "Screens");
}

// Toolbar names are unique among captions (exactly, case and all), the renamed bar aside;
// category names are not compared at all.
TEST_F(BarNameDialogTest, ADuplicateToolbarCaptionKeepsTheDialogOpen) {
  TdxBar* tools = Manager->Bars()->Add();
  tools->SetCaption("Tools");
  Manager->Bars()->Add()->SetCaption("Wall");
  Manager->Categories()->Add("Signals");
  struct Case {
    const char* What;
    int Kind, Mode;
    TdxBar* Bar;
    const char* Typed;
    bool Refused;
  };
  const Case cases[] = {
      {"new toolbar of a taken caption", nkToolbar, 0, nullptr, "Tools", true},
      {"renamed to another's caption", nkToolbar, 1, tools, "Wall", true},
      {"renamed to its own caption", nkToolbar, 1, tools, "Tools", false},
      {"differs in case only", nkToolbar, 0, nullptr, "tools", false},
      {"category of a taken name", nkCategory, 0, nullptr, "Signals", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    Messages().clear();
    String name = c.Typed;
    WhileModal({[&] { OpenForm<TdxBarNameEd>()->BOK->Click(); },
                [&] {
                  auto* dialog = OpenForm<TdxBarNameEd>();
                  ASSERT_EQ(dialog != nullptr && dialog->Visible(), c.Refused);
                  if (!c.Refused) return;
                  dialog->EName->SetText("Screens");
                  dialog->BOK->Click();
                }});
    EXPECT_TRUE(ShowNameDialog(name, c.Kind, c.Mode, c.Bar, Manager));
    EXPECT_EQ(name, c.Refused ? "Screens" : c.Typed);
    if (c.Refused)
      EXPECT_EQ(Messages(), std::vector<String>{"A toolbar named '" + String(c.Typed) +
                                                "' already exists. Type another name."});
    else
      EXPECT_TRUE(Messages().empty());
  }
}

TEST_F(BarNameDialogTest, TheManagerRenamesAndAddsToolbarsThroughIt) {
  TdxBar* bar = Manager->Bars()->Add();
  bar->SetCaption("Tools");
  WhileModal({[&] {
    auto* dialog = OpenForm<TdxBarNameEd>();
    EXPECT_EQ(dialog->Caption(), "Rename Toolbar");
    dialog->EName->SetText("Wall tools");
    dialog->BOK->Click();
  }});
  Manager->RenameBar(bar);
  EXPECT_EQ(bar->Caption(), "Wall tools");
  WhileModal({[&] {
    auto* dialog = OpenForm<TdxBarNameEd>();
    EXPECT_EQ(dialog->Caption(), "Add Toolbar");
    EXPECT_EQ(dialog->EName->Text(), "Custom 1");
    dialog->BCancel->Click();
  }});
  EXPECT_EQ(Manager->AddToolbar(false, true), nullptr);
  EXPECT_EQ(Manager->Bars()->Count(), 1);
}

class BarCheckableButtonTest : public BarEditorFormsFixture {
 protected:
  void SetUp() override {
    BarEditorFormsFixture::SetUp();
    Button = new TCheckableButton(Form);
    Button->SetParent(Form);
    Button->SetBounds(20, 30, 90, 22);
    Button->SetCaption("Commands");
    Menu = new TdxBarPopupMenu(Form);
    Menu->SetBarManager(Manager);
    auto* item = new TdxBarButton(Form);
    item->SetCaption("Add");
    Menu->ItemLinks()->AddItem(item);
    Button->SetDropDownMenu(Menu);
    Application->ProcessMessages();
  }
  // Closes whatever menu is up, so a menu opened once too often fails the test instead of waiting.
  static void Escape() {
    for (int i = 0; i < 3; ++i) {
      platform::Headless()->InjectKey(VK_ESCAPE, true);
      platform::Headless()->InjectKey(VK_ESCAPE, false);
    }
  }
  POINT ScreenPoint(int X, int Y) { return Form->ClientToScreen(POINT{Button->Left() + X, Button->Top() + Y}); }

  TCheckableButton* Button = nullptr;
  TdxBarPopupMenu* Menu = nullptr;
};

TEST_F(BarCheckableButtonTest, APressDropsTheMenuAndThePressThatClosesItLeavesItClosed) {
  TRect shownAt{};
  bool downWhileShown = false;
  int popups = 0;
  Menu->OnPopup = [&](TObject*) {
    ++popups;
    shownAt = Menu->MenuControl()->BoundsRect();
    downWhileShown = Button->Down();
  };
  const POINT p = ScreenPoint(10, 10);
  Click(p.x, p.y);
  Click(p.x, p.y);
  Escape();
  Application->ProcessMessages();
  EXPECT_EQ(popups, 1);
  EXPECT_FALSE(Button->Down());
  // The next press opens it again.
  Click(p.x, p.y);
  Escape();
  Application->ProcessMessages();
  EXPECT_EQ(popups, 2);
  EXPECT_TRUE(downWhileShown);
  const POINT bottomLeft = ScreenPoint(0, 22);
  EXPECT_EQ(shownAt.Left, bottomLeft.x);
  EXPECT_EQ(shownAt.Top, bottomLeft.y);
  EXPECT_FALSE(Button->Down());
  EXPECT_FALSE(Menu->IsShown());
}

// The edge shows under the mouse (raised) and while down (sunken); otherwise the button is flat.
TEST_F(BarCheckableButtonTest, TheEdgeFollowsTheMouseAndTheDownState) {
  Button->SetDropDownMenu(nullptr);
  const POINT topLeft = ScreenPoint(0, 0);
  const std::uint32_t face = ScreenPixel(topLeft.x - 2, topLeft.y);
  SaveScreenArea("bar_checkable_button_up.png", TRect{topLeft.x - 4, topLeft.y - 4, topLeft.x + 94, topLeft.y + 26});
  EXPECT_EQ(ScreenPixel(topLeft.x, topLeft.y), face);
  const POINT inside = ScreenPoint(40, 10);
  platform::Headless()->InjectMouseMove(inside.x, inside.y);
  EXPECT_EQ(ScreenPixel(topLeft.x, topLeft.y), ScreenColor(clBtnHighlight))
      << "raised under the mouse";
  Button->SetDown(true);
  EXPECT_EQ(ScreenPixel(topLeft.x, topLeft.y), ScreenColor(clBtnShadow))
      << "sunken while down";
  SaveScreenArea("bar_checkable_button_down.png", TRect{topLeft.x - 4, topLeft.y - 4, topLeft.x + 94, topLeft.y + 26});
  platform::Headless()->InjectMouseMove(topLeft.x + 10, topLeft.y + 60);
  Button->SetDown(false);
  EXPECT_EQ(ScreenPixel(topLeft.x, topLeft.y), face) << "flat again once the mouse left";
}

TEST_F(BarCheckableButtonTest, PlaceRightOfKeepsTheRightEdge) {
  auto* label = new TLabel(Form);
  label->SetParent(Form);
  label->SetBounds(5, 0, 40, 13);
  Button->PlaceRightOf(label);
  EXPECT_EQ(Button->Left(), 50);
  EXPECT_EQ(Button->Left() + Button->Width(), 110);
}

}  // namespace
