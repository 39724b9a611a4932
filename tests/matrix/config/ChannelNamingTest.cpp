// Naming the grid console's matrix inputs: a double click on the input list opens the dialog, its
// change button renames the input chosen when it opened and keeps the name in "cfg.ini".
#include <string>

#include "console/GridConsole.h"
#include "matrix/ChannelNaming.h"
#include "platform/system/CodePage.h"
#include "tests/matrix/config/DialogFixture.h"

namespace {

using matrixconfigtest::DialogTest;

class ChannelNamingTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    ShowConsole();
    // The list takes part only with the matrix linkage on.
    ClickOn(Form1->CheckBox3);
    ASSERT_TRUE(Form1->ComboBox8->Enabled());
  }
  // Chooses input n in the list, then opens the dialog from it.
  void OpenFor(int input) {
    Form1->ComboBox8->SetItemIndex(input - 1);
    DoubleClickOn(Form1->ComboBox8);
    ASSERT_TRUE(Form37->Visible());
  }
  std::string Item(int index) { return Form1->ComboBox8->Properties()->Items()->Strings(index); }
  TcxComboBox* Inputs() { return Form1->ComboBox8; }
};

TEST_F(ChannelNamingTest, ChangeRenamesTheChosenInputAndKeepsTheName) {
  OpenFor(7);
  EXPECT_EQ(Form37->Caption(), "修改通道名称");
  EXPECT_EQ(Form37->EditedInputIndex, 6);
  // Choosing another input while the dialog is open does not move the rename.
  Inputs()->SetItemIndex(2);
  Retype(Form37->edt1, "Lobby cam");
  ClickOn(Form37->btn1);
  EXPECT_FALSE(Form37->Visible());
  EXPECT_EQ(Item(6), "Lobby cam");
  EXPECT_EQ(Inputs()->Text(), "Lobby cam");
  EXPECT_EQ(Inputs()->ItemIndex(), 6);
  EXPECT_EQ(Stored("maxtixname", "6"), "Lobby cam");

  // A Chinese name lands in GBK, as the loading reads it.
  OpenFor(1);
  Retype(Form37->edt1, "大厅");
  ClickOn(Form37->btn1);
  EXPECT_EQ(Item(0), "大厅");
  EXPECT_NE(ReadConfigText().find("0=" + platform::Utf8ToGbk("大厅")), std::string::npos);

  // An empty name is a name too.
  OpenFor(3);
  Retype(Form37->edt1, "");
  ClickOn(Form37->btn1);
  EXPECT_EQ(Item(2), "");
  EXPECT_EQ(Stored("maxtixname", "2"), "");
  EXPECT_TRUE(boxes.empty());
}

// Rebuilding the lists numbers the inputs again; the next loading brings the names back.
TEST_F(ChannelNamingTest, RelinkingNumbersTheInputsAgain) {
  OpenFor(7);
  Retype(Form37->edt1, "Lobby cam");
  ClickOn(Form37->btn1);
  ASSERT_EQ(Item(6), "Lobby cam");
  ClickOn(Form1->CheckBox3);
  ClickOn(Form1->CheckBox3);
  EXPECT_EQ(Item(6), "7");
}

TEST_F(ChannelNamingTest, CancelChangesNothingAndKeepsTheTypedText) {
  OpenFor(7);
  Retype(Form37->edt1, "Lobby cam");
  ClickOn(Form37->btn2);
  EXPECT_FALSE(Form37->Visible());
  EXPECT_EQ(Item(6), "7");
  EXPECT_EQ(Stored("maxtixname", "6"), "(none)");
  OpenFor(2);
  EXPECT_EQ(Form37->edt1->Text(), "Lobby cam");
}

// The list finds its item by text: a name that is another item's text makes that item the chosen
// one, so the next splice and the next rename take it.
TEST_F(ChannelNamingTest, ANameThatIsAnotherItemsTextChoosesThatItem) {
  OpenFor(7);
  Retype(Form37->edt1, "3");
  ClickOn(Form37->btn1);
  EXPECT_EQ(Item(6), "3");
  EXPECT_EQ(Inputs()->ItemIndex(), 2);
  DoubleClickOn(Inputs());
  EXPECT_EQ(Form37->EditedInputIndex, 2);
}

TEST_F(ChannelNamingTest, WithNoInputChosenNothingIsRenamed) {
  OpenFor(7);
  Inputs()->SetItemIndex(-1);
  Form37->Hide();
  DoubleClickOn(Inputs());
  ASSERT_EQ(Form37->EditedInputIndex, -1);
  Retype(Form37->edt1, "Lobby cam");
  ClickOn(Form37->btn1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("List index out of bounds (-1)"), std::string::npos) << boxes[0];
  EXPECT_TRUE(Form37->Visible());
  EXPECT_EQ(Stored("maxtixname", "-1"), "(none)");
  EXPECT_EQ(Inputs()->Text(), "");
}

TEST_F(ChannelNamingTest, ADisabledListOpensNothing) {
  ClickOn(Form1->CheckBox3);  // linkage off
  ASSERT_FALSE(Inputs()->Enabled());
  DoubleClickOn(Inputs());
  EXPECT_FALSE(Form37->Visible());
}

// The dialog has no English texts: it stays Chinese in the English interface.
TEST_F(ChannelNamingTest, Screenshots) {
  for (int language : {0, 1}) {
    TearDown();
    AppTest::SetUp();
    WriteConfig("[config]\nlanguage=" + std::to_string(language) + "\n");
    ShowConsole();
    ClickOn(Form1->CheckBox3);
    OpenFor(7);
    EXPECT_EQ(Form37->btn1->Caption(), "修改");
    Retype(Form37->edt1, "Lobby cam");
    SaveWindowShot(Form37, std::string("matrix/channel-naming-") + (language ? "english" : "chinese") + ".png");
  }
}

}  // namespace
