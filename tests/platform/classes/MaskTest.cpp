#include "platform/classes/Mask.h"
#include "platform/win/Keys.h"
#include "tests/platform/classes/FormFixture.h"

namespace {

TEST(EditMask, ValuesAndEditTextsBothWays) {
  struct Case {
    const char* mask;
    const char* value;
    const char* editText;
    const char* extracted;
  } cases[] = {
      {"!99:99;1;_", "12:30", "12:30", "12:30"},
      {"!99:99;1;_", "1", "1_:__", "1 :  "},
      {"000.000.000.000;0;_", "192168001200", "192.168.001.200", "192168001200"},
      {">LL-0000;1;*", "ab-1234", "AB-1234", "AB-1234"},
      {"\\(999\\)9;1; ", "(123)4", "(123)4", "(123)4"},
      {"\\(999\\)9;1; ", "(1x3)4", "(1 3)4", "(1 3)4"},  // saved literals: each character keeps its place
      {"00;1;_", "x5", "_5", " 5"},                        // a letter cannot stand in a digit place
      {"00-00;0;_", "1234", "12-34", "1234"},              // without literals the places fill in turn
  };
  for (const Case& c : cases) {
    TEditMaskParser p(c.mask);
    std::u32string shown = p.Apply([&] {
      std::u32string s;
      for (const char* q = c.value; *q; ++q) s.push_back(static_cast<unsigned char>(*q));
      return s;
    }());
    std::string shownText(shown.begin(), shown.end());
    EXPECT_EQ(shownText, c.editText) << c.mask;
    std::u32string back = p.Extract(shown);
    EXPECT_EQ(std::string(back.begin(), back.end()), c.extracted) << c.mask;
  }
  TEditMaskParser time("99:99;1;_");
  EXPECT_EQ(time.FirstMissing(U"1_:30"), -1);  // 9 is optional
  TEditMaskParser code("00;1;_");
  EXPECT_EQ(code.FirstMissing(U"1_"), 1);
}

class MaskEditTest : public formtest::FormTest {};

TEST_F(MaskEditTest, TypingFillsPlacesAndSkipsLiterals) {
  auto* form = new TForm(Application, 0);
  form->SetBounds(20, 20, 300, 120);
  auto* edit = new TMaskEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 10, 150, 21);
  edit->SetEditMask("00:00;1;_");
  form->Show();
  Pump();
  EXPECT_EQ(edit->EditText(), "__:__");
  edit->SetFocus();
  edit->SetSelStart(0);
  Headless().InjectText("1x23");
  Pump();
  EXPECT_EQ(edit->EditText(), "12:3_");
  EXPECT_EQ(edit->Text(), "12:3 ");
  EXPECT_THROW(edit->ValidateEdit(), EDBEditError);
  EXPECT_EQ(edit->SelStart(), 4);
  Key('4');
  EXPECT_EQ(edit->EditText(), "12:34");
  EXPECT_NO_THROW(edit->ValidateEdit());
  // Backspace blanks the place before the caret, stepping over the literal; Delete the one after.
  edit->SetSelStart(3);
  Key(win::VK_BACK);
  EXPECT_EQ(edit->EditText(), "1_:34");
  Key(win::VK_BACK);
  EXPECT_EQ(edit->EditText(), "__:34");
  Key(win::VK_DELETE);
  EXPECT_EQ(edit->EditText(), "__:34");  // the caret stands before a blank already
  edit->SetSelStart(3);
  Key(win::VK_DELETE);
  EXPECT_EQ(edit->EditText(), "__:_4");
  edit->SetText("09:30");
  EXPECT_EQ(edit->EditText(), "09:30");
}

}  // namespace
