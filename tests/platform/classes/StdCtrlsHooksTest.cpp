// What the library's editors and buttons build on: the default-button style hook, action links of
// buttons, radio buttons pressed by the mouse, the edit's stored input-method settings, list box
// type-ahead (also for the virtual styles), the locale and a font list tests can fix.
#include "platform/classes/ActnList.h"
#include "platform/classes/StdCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "platform/win/Keys.h"
#include "tests/platform/classes/FormFixture.h"

namespace {

using formtest::FormTest;

class TStyleRecordingButton : public TButton {
 public:
  using TButton::TButton;
  std::vector<bool> styles;

 protected:
  void SetButtonStyle(bool ADefault) override {
    styles.push_back(ADefault);
    TButton::SetButtonStyle(ADefault);
  }
};

class StdCtrlsHooksTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form = new TForm(Application, 0);
    form->SetBounds(20, 20, 400, 300);
  }
  template <class T>
  T* Make(int x, int y, int w, int h) {
    auto* c = new T(form);
    c->SetParent(form);
    c->SetBounds(x, y, w, h);
    return c;
  }
  void Type(const String& text) {
    Headless().InjectText(text);
    Pump();
  }
  TForm* form = nullptr;
};

TEST_F(StdCtrlsHooksTest, TheDefaultButtonStyleFollowsTheFocus) {
  auto* ok = Make<TStyleRecordingButton>(10, 10, 75, 25);
  ok->SetDefault(true);
  auto* other = Make<TButton>(100, 10, 75, 25);
  auto* edit = Make<TEdit>(10, 50, 100, 21);
  form->Show();
  Pump();
  ok->styles.clear();
  other->SetFocus();
  Pump();
  edit->SetFocus();
  Pump();
  EXPECT_EQ(ok->styles, (std::vector<bool>{false, true})) << "another button takes Enter, then gives it back";
  auto style = [](TWinControl* c) { return win::GetWindowLong(c->Handle(), win::GWL_STYLE) & 0x0F; };
  EXPECT_EQ(style(ok), static_cast<long>(win::BS_DEFPUSHBUTTON));
  EXPECT_EQ(style(other), static_cast<long>(win::BS_PUSHBUTTON));
}

TEST_F(StdCtrlsHooksTest, ButtonsFollowTheirActionsCheckedWithoutAClick) {
  auto* box = Make<TCheckBox>(10, 10, 120, 17);
  auto* edit = Make<TEdit>(10, 40, 100, 21);
  TAction action(form);
  action.SetCaption("Loop");
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  box->SetAction(&action);
  edit->SetAction(&action);
  EXPECT_NE(dynamic_cast<TButtonActionLink*>(box->ActionLink()), nullptr);
  EXPECT_NE(dynamic_cast<TWinControlActionLink*>(edit->ActionLink()), nullptr);
  action.SetChecked(true);
  EXPECT_TRUE(box->Checked());
  action.SetChecked(false);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(box->Caption(), "Loop");
}

TEST_F(StdCtrlsHooksTest, ARadioButtonPressedTakesTheFocusAndIsCheckedOnce) {
  auto* edit = Make<TEdit>(10, 10, 100, 21);
  auto* radio = Make<TRadioButton>(10, 40, 120, 17);
  int clicks = 0, doubles = 0;
  radio->OnClick = [&](TObject*) { ++clicks; };
  radio->OnDblClick = [&](TObject*) { ++doubles; };
  form->Show();
  edit->SetFocus();
  Pump();
  ClickAt(At(radio, 5, 8));
  EXPECT_TRUE(radio->Focused());
  EXPECT_TRUE(radio->Checked());
  EXPECT_EQ(clicks, 1) << "the focus brought no click of its own";
  win::SendMessage(form->Handle(), win::WM_COMMAND, static_cast<win::WPARAM>(win::BN_DOUBLECLICKED) << 16,
                   reinterpret_cast<win::LPARAM>(radio->Handle()));
  EXPECT_EQ(doubles, 1);
}

TEST_F(StdCtrlsHooksTest, InputMethodSettingsAreKept) {
  auto* edit = Make<TEdit>(10, 10, 100, 21);
  EXPECT_EQ(edit->ImeMode(), imDontCare);
  edit->SetImeMode(imChinese);
  edit->SetImeName("Pinyin");
  edit->SetOEMConvert(true);
  form->Show();
  Pump();
  EXPECT_EQ(edit->ImeMode(), imChinese);
  EXPECT_EQ(edit->ImeName(), "Pinyin");
  EXPECT_NE(win::GetWindowLong(edit->Handle(), win::GWL_STYLE) & win::ES_OEMCONVERT, 0);
  edit->SetFocus();
  Type("中文");
  EXPECT_EQ(edit->Text(), "中文");
}

TEST_F(StdCtrlsHooksTest, TypingFindsListItemsAlsoInVirtualLists) {
  auto* list = Make<TListBox>(10, 10, 150, 100);
  for (const char* s : {"apple", "banana", "blueberry", "蓝莓"}) list->Items()->Add(s);
  auto* data = Make<TListBox>(200, 10, 150, 100);
  data->SetStyle(lbVirtual);
  data->SetCount(50);
  std::vector<String> asked;
  data->OnDataFind = [&](TWinControl*, const String& text) {
    asked.push_back(text);
    return text == "4" ? 4 : text == "42" ? 42 : -1;
  };
  form->Show();
  Pump();
  list->SetFocus();
  Type("bl");
  EXPECT_EQ(list->ItemIndex(), 2);
  RunFor(600);  // a pause starts a new search
  Type("蓝");
  EXPECT_EQ(list->ItemIndex(), 3);
  data->SetFocus();
  Type("42");
  EXPECT_EQ(asked, (std::vector<String>{"4", "42"}));
  EXPECT_EQ(data->ItemIndex(), 42);
  list->SetAutoComplete(false);
  list->SetFocus();
  RunFor(600);
  Type("x");
  EXPECT_EQ(list->ItemIndex(), 3) << "the list's own search found nothing";
}

TEST_F(StdCtrlsHooksTest, TheLocaleIsFarEastAndTestsFixTheFontList) {
  EXPECT_TRUE(SysLocale.FarEast);
  EXPECT_FALSE(SysLocale.MiddleEast);
  EXPECT_EQ(SysLocale.DefaultLCID, 0x0804u);
  const std::vector<std::string> fixed = {"Tahoma", "宋体", "Arial"};
  platform::SetFontFamilyList(&fixed);
  Screen->ResetFonts();
  std::vector<String> names;
  for (int i = 0; i < Screen->Fonts()->Count(); ++i) names.push_back(Screen->Fonts()->Strings(i));
  platform::SetFontFamilyList(nullptr);
  Screen->ResetFonts();
  EXPECT_EQ(names, (std::vector<String>{"Arial", "Tahoma", "宋体"}));
}

}  // namespace
