// Typed characters reach the standard controls whole, through KeyPress.
#include "platform/classes/Grids.h"
#include "platform/classes/Mask.h"
#include "platform/classes/StdCtrls.h"
#include "tests/platform/classes/FormFixture.h"

namespace {

using formtest::FormTest;

class KeyPressTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form = new TForm(Application, 0);
    form->SetBounds(20, 20, 500, 300);
    edit = Place(new TEdit(form), 10, 10, 150, 21);
    memo = Place(new TMemo(form), 10, 40, 150, 60);
    combo = Place(new TComboBox(form), 10, 110, 150, 21);
    mask = Place(new TMaskEdit(form), 10, 140, 150, 21);
    grid = Place(new TStringGrid(form), 180, 10, 300, 200);
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    form->Show();
    Pump();
  }
  template <class T>
  T* Place(T* c, int x, int y, int w, int h) {
    c->SetParent(form);
    c->SetBounds(x, y, w, h);
    return c;
  }

  // Each control in turn takes the focus and the text, typed as an input method delivers it.
  std::vector<String> TypeIntoEach(const String& text) {
    std::vector<String> out;
    for (TWinControl* c : std::initializer_list<TWinControl*>{edit, memo, combo, mask, grid}) {
      c->SetFocus();
      Pump();
      Headless().InjectText(text);
      Pump();
      out.push_back(c == grid ? grid->Cells(grid->Col(), grid->Row()) : c->Text());
    }
    return out;
  }

  TForm* form = nullptr;
  TEdit* edit = nullptr;
  TMemo* memo = nullptr;
  TComboBox* combo = nullptr;
  TMaskEdit* mask = nullptr;
  TStringGrid* grid = nullptr;
};

TEST_F(KeyPressTest, ChineseAndLatinArriveWhole) {
  EXPECT_EQ(TypeIntoEach("中文abc"), std::vector<String>(5, "中文abc")) << "edit, memo, combo box, mask edit, grid";
}

TEST_F(KeyPressTest, HandlersSeeWholeCharactersAndMayChangeOrSwallowThem) {
  std::vector<TChar> heard;
  auto handler = [&](TObject*, TChar& Key) {
    heard.push_back(Key);
    if (Key == 'a') Key = 'A';
    if (Key == 'b') Key = 0;
  };
  for (TWinControl* c : std::initializer_list<TWinControl*>{edit, memo, combo, mask, grid}) c->OnKeyPress = handler;
  EXPECT_EQ(TypeIntoEach("中文abc"), std::vector<String>(5, "中文Ac")) << "edit, memo, combo box, mask edit, grid";
  // Each control's handler heard each character once.
  std::vector<TChar> once = {U'中', U'文', 'a', 'b', 'c'}, all;
  for (int i = 0; i < 5; ++i) all.insert(all.end(), once.begin(), once.end());
  EXPECT_EQ(heard, all);
}

TEST_F(KeyPressTest, SentCharactersPassKeyPressToo) {
  edit->OnKeyPress = [](TObject*, TChar& Key) {
    if (Key == U'文') Key = U'字';
  };
  for (TChar c : {U'中', U'文', U'😀'}) win::SendMessage(edit->Handle(), win::WM_CHAR, c, 1);
  EXPECT_EQ(edit->Text(), "中字😀");
}

TEST_F(KeyPressTest, ALetterBeyondAsciiIsNoAcceleratorOfTheLetterSharingItsLowByte) {
  // U+4E41 ends in 0x41, 'A'.
  EXPECT_FALSE(IsAccel(0x4E41, "&Apply"));
  EXPECT_TRUE(IsAccel('a', "&Apply"));
  EXPECT_TRUE(IsAccel(U'中', "&中文"));
}

}  // namespace
