// The mask editor on the headless screen: keystroke scripts against the picture, regular-expression
// and auto-completing modes (text, selection, value and beeps), the properties' mask handling and
// conversions, and the editor without a mask, which must be the text editor.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/display/Display.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Keys.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/editors/MaskEdit.h"

namespace {

using namespace win;
using controlstest::ControlsTest;

class MaskEditTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = NewForm(0, 0, 400, 200);
  }
  void TearDown() override {
    delete form;
    Pump();
    ControlsTest::TearDown();
  }

  TcxMaskEdit* NewEdit(const String& Mask = String(), TcxEditMaskKind Kind = emkStandard) {
    auto* edit = new TcxMaskEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 121, 21);
    edit->Properties()->SetMaskKind(Kind);
    if (!Mask.empty()) edit->Properties()->SetEditMask(Mask);
    Pump();
    return edit;
  }
  void Focus(TcxCustomEdit* Edit) {
    Edit->SetFocus();
    Pump();
  }
  void Type(const std::string& Utf8) {
    Headless().InjectText(Utf8);
    Pump();
  }
  void Key(unsigned Vk, std::initializer_list<unsigned> Modifiers = {}) {
    for (unsigned m : Modifiers) Headless().InjectKey(m, true);
    Headless().InjectKey(Vk, true);
    Headless().InjectKey(Vk, false);
    for (unsigned m : Modifiers) Headless().InjectKey(m, false);
    Pump();
  }
  int Beeps() { return static_cast<int>(Headless().Beeps().size()); }

  TForm* form = nullptr;
};

// ---- without a mask -----------------------------------------------------------------------------------

TEST_F(MaskEditTest, WithoutAMaskItIsTheTextEditor) {
  for (const char* mask : {"", "   "}) {
    auto* edit = NewEdit(mask);
    EXPECT_FALSE(edit->HasMask());
    edit->Properties()->SetMaxLength(5);
    EXPECT_EQ(edit->Properties()->MaxLength(), 5);
    Focus(edit);
    Type("abc");
    Key(VK_LEFT);
    Type("Z");
    Key(VK_DELETE);
    EXPECT_EQ(edit->Text(), "abZ");
    EXPECT_EQ(edit->SelStart(), 3);
    Type("defgh");
    EXPECT_EQ(edit->Text(), "abZde");
    EXPECT_EQ(edit->EditValueText(), edit->Text());
    EXPECT_TRUE(edit->AllowsFreeTyping());
    delete edit;
  }
}

TEST_F(MaskEditTest, EditValueTextOfAMaskLessEditorIsTheChosenItem) {
  auto* edit = NewEdit();
  edit->Properties()->LookupItems()->Add("Black");
  edit->Properties()->LookupItems()->Add("Silver");
  edit->SetItemIndex(1);
  EXPECT_EQ(edit->EditValueText(), "Silver");
  EXPECT_EQ(edit->EditValueText(), edit->Text());
}

// ---- the picture mode ---------------------------------------------------------------------------------

TEST_F(MaskEditTest, PictureMaskTypingDeletingAndMoving) {
  auto* edit = NewEdit("00-00");
  Focus(edit);
  EXPECT_EQ(edit->EditValueText(), "__-__");
  Type("12");
  // The block caret passed the literal by itself.
  EXPECT_EQ(edit->EditValueText(), "12-__");
  EXPECT_EQ(edit->SelStart(), 3);
  EXPECT_EQ(edit->SelLength(), 1);
  Type("34");
  EXPECT_EQ(edit->EditValueText(), "12-34");
  EXPECT_EQ(edit->Text(), "12-34");
  Key(VK_LEFT);
  EXPECT_EQ(edit->SelStart(), 4);
  Key(VK_DELETE);
  EXPECT_EQ(edit->EditValueText(), "12-3_");
  Key(VK_HOME);
  EXPECT_EQ(edit->SelStart(), 0);
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  EXPECT_EQ(edit->SelStart(), 3);
  Key(VK_LEFT);
  EXPECT_EQ(edit->SelStart(), 1);
}

TEST_F(MaskEditTest, PictureBackspaceAndShiftDelete) {
  auto* edit = NewEdit("00-00");
  Focus(edit);
  Type("123");
  EXPECT_EQ(edit->SelStart(), 4);
  Key(VK_BACK);
  EXPECT_EQ(edit->EditValueText(), "12-__");
  EXPECT_EQ(edit->SelStart(), 3);
  EXPECT_EQ(edit->SelLength(), 1);
  Type("3");
  // Shift+Delete with nothing selected acts as Backspace.
  edit->SetSelStartQuietly(4);
  edit->SetSelLengthQuietly(0);
  Key(VK_DELETE, {VK_SHIFT});
  EXPECT_EQ(edit->EditValueText(), "12-__");
  EXPECT_EQ(edit->SelStart(), 3);
}

}  // namespace
