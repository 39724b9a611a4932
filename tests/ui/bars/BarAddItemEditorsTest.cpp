// The add-item and add-group-items dialogs, driven inside their modal loops.
#include <gtest/gtest.h>

#include "platform/classes/Lists.h"
#include "tests/ui/bars/BarEditorFormsFixture.h"
#include "ui/bars/BarAddItemEditors.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarComponents.h"
#include "ui/bars/BarUnit.h"

namespace {

using namespace win;

using BarAddItemDialogTest = BarEditorFormsFixture;

TEST_F(BarAddItemDialogTest, AnOutOfRangeCategorySelectsTheFirstAndTheFirstKindIsProposed) {
  Manager->Categories()->Add("Wall");
  Manager->Categories()->Add("Signals");
  TdxBarItemList* classes = BarItemClasses();
  ASSERT_GT(classes->ListedCount(), 0);
  const String firstKind = classes->ListedItemClass(0)->ClassName();
  for (const auto& [asked, selected] : {std::pair{-1, 0}, {99, 0}, {2, 2}}) {
    SCOPED_TRACE(asked);
    WhileModal({[&] {
      auto* dialog = OpenForm<TdxBarItemAddEditor>();
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->Caption(), "Add New Bar Item");
      EXPECT_EQ(dialog->ComboBox2->Items()->Count(), 3);
      EXPECT_EQ(dialog->ComboBox2->ItemIndex(), selected);
      EXPECT_EQ(dialog->ComboBox1->Items()->Count(), classes->ListedCount());
      EXPECT_EQ(dialog->ComboBox1->Text(), firstKind);
      EXPECT_EQ(dialog->Edit1->Text(), Manager->GetUniqueItemName(classes->ListedItemClass(0)));
      if (asked == 2) SaveScreenArea("bar_add_item_dialog.png", dialog->BoundsRect(), 2);
      dialog->BCancel->Click();
    }});
    EXPECT_EQ(ShowAddItemDialog(Manager, asked), nullptr);
    EXPECT_TRUE(StepsDone());
  }
}

TEST_F(BarAddItemDialogTest, ANameThatCannotBeSetKeepsTheDialogOpenWithANewProposal) {
  Manager->Categories()->Add("Wall");
  auto* taken = new TdxBarButton(Form);
  taken->SetName("Taken");
  const int items = Manager->ItemCount();
  String proposed;
  WhileModal({[&] {
                auto* dialog = OpenForm<TdxBarItemAddEditor>();
                dialog->Edit1->SetText("Taken");
                dialog->BOk->Click();
              },
              [&] {
                auto* dialog = OpenForm<TdxBarItemAddEditor>();
                ASSERT_NE(dialog, nullptr);
                EXPECT_TRUE(dialog->Visible()) << "still open after the refused name";
                EXPECT_EQ(Manager->ItemCount(), items) << "the half-made item is gone";
                EXPECT_TRUE(Messages().empty());
                proposed = dialog->Edit1->Text();
                EXPECT_NE(proposed, "Taken");
                EXPECT_FALSE(proposed.empty());
                dialog->ComboBox2->SetItemIndex(1);
                dialog->Edit2->SetText("Power on");
                dialog->BOk->Click();
              }});
  TdxBarItem* item = ShowAddItemDialog(Manager, 0);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->Name(), proposed);
  EXPECT_EQ(item->Category(), 1);
  EXPECT_EQ(item->Caption(), "Power on");
  EXPECT_EQ(item->Owner(), Form);
  EXPECT_EQ(Manager->ItemCount(), items + 1);
}

class BarAddGroupItemsTest : public BarEditorFormsFixture {
 protected:
  void SetUp() override {
    BarEditorFormsFixture::SetUp();
    Manager->Categories()->Add("Wall");
    Manager->Categories()->Add("Empty");
    Manager->Categories()->Add("Signals");
    // After the manager's own "Default": 1 Wall, 2 Empty, 3 Signals.
    Power = NewButton("btnPower", "Power", 1);
    Scene = NewButton("btnScene", "Scene", 1);
    Hdmi = NewButton("btnHdmi", "HDMI", 3);
    Group = Manager->AddGroup();
    Group->SetName("grpWall");
    Group->Add(Power);
  }
  TdxBarButton* NewButton(const String& Name, const String& Caption, int Category) {
    auto* button = new TdxBarButton(Form);
    button->SetName(Name);
    button->SetCaption(Caption);
    button->SetCategory(Category);
    return button;
  }
  std::vector<String> Rows(TfrmAddGroupItems* Dialog) {
    std::vector<String> rows;
    for (int i = 0; i < Dialog->lbGroupItems->Items()->Count(); ++i) rows.push_back(Dialog->lbGroupItems->Items()->Strings(i));
    return rows;
  }

  TdxBarButton *Power = nullptr, *Scene = nullptr, *Hdmi = nullptr;
  TdxBarGroup* Group = nullptr;
};

TEST_F(BarAddGroupItemsTest, OneGroupListsOnlyTheCategoriesThatHaveItems) {
  WhileModal({[&] {
    auto* dialog = OpenForm<TfrmAddGroupItems>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Rows(dialog), (std::vector<String>{"~Wall", "Power", "Scene", "~Signals", "HDMI"}));
    dialog->btnCancel->Click();
  }});
  TList chosen;
  EXPECT_FALSE(ShowAddGroupItemsDialog(Group, &chosen));
  EXPECT_EQ(chosen.Count(), 0);
}

TEST_F(BarAddGroupItemsTest, OkReturnsTheChosenComponentsButNoHeaders) {
  TdxBarGroup* other = Manager->AddGroup();
  other->SetName("grpSignals");
  WhileModal({[&] {
    auto* dialog = OpenForm<TfrmAddGroupItems>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Rows(dialog),
              (std::vector<String>{"~< Groups >", "grpSignals", "~Wall", "Power", "Scene", "~Signals", "HDMI"}));
    for (int row : {0, 1, 4, 5, 6}) dialog->lbGroupItems->SetSelected(row, true);
    SaveScreenArea("bar_add_group_items_dialog.png", dialog->BoundsRect(), 2);
    TListBox* list = dialog->lbGroupItems;
    const POINT belowRows = list->ClientToScreen(POINT{20, list->ClientHeight() - 5});
    EXPECT_EQ(ScreenPixel(belowRows.x, belowRows.y), ScreenColor(clBtnFace))
        << "button face below the last row";
    dialog->btnOK->Click();
  }});
  TList chosen;
  EXPECT_TRUE(ShowAddGroupItemsDialog(Group, &chosen));
  ASSERT_EQ(chosen.Count(), 3);
  EXPECT_EQ(chosen.Items(0), other);
  EXPECT_EQ(chosen.Items(1), Scene);
  EXPECT_EQ(chosen.Items(2), Hdmi);
}

}  // namespace
