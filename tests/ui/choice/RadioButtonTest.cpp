#include <string>
#include <vector>

#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/choice/ChoiceFixture.h"
#include "platform/classes/ExtCtrls.h"
#include "ui/choice/RadioButton.h"

namespace choicetest {
namespace {

using namespace win;

class RadioButtonTest : public ChoiceTest {
 protected:
  TcxRadioButton* MakeRadio(TWinControl* Parent, int X, int Y, const char* Caption, std::vector<std::string>* Log = nullptr) {
    auto* r = new TcxRadioButton(Parent);
    r->SetParent(Parent);
    r->SetBounds(X, Y, 110, 17);
    r->SetCaption(Caption);
    if (Log) {
      r->OnClick = [Log, r](TObject*) { Log->push_back(r->Caption() + ".click"); };
      r->OnMouseDown = [Log, r](TObject*, TMouseButton, TShiftState, int, int) {
        Log->push_back(r->Caption() + (r->Checked() ? ".down(checked)" : ".down"));
      };
    }
    Pump();
    return r;
  }
};

TEST_F(RadioButtonTest, CheckingOneUnchecksItsSiblingsAndClicksOnce) {
  TForm* form = MakeForm(0, 0, 300, 100);
  std::vector<std::string> log;
  TcxRadioButton* a = MakeRadio(form, 10, 10, "A", &log);
  TcxRadioButton* b = MakeRadio(form, 10, 40, "B", &log);
  a->SetCheckedValue(true);
  EXPECT_EQ(log, std::vector<std::string>{"A.click"});
  b->SetCheckedValue(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_EQ(log, (std::vector<std::string>{"A.click", "B.click"}));

  // A press on an unfocused button: the mouse-down first, the check on the release's click.
  log.clear();
  MoveMouse(a, 5, 8);
  MouseButton(true);
  EXPECT_FALSE(a->Checked()) << "the focus arriving does not check it";
  EXPECT_EQ(GetFocus(), a->Handle());
  MouseButton(false);
  EXPECT_TRUE(a->Checked());
  EXPECT_FALSE(b->Checked());
  EXPECT_EQ(log, (std::vector<std::string>{"A.down", "A.click"}));

  // Pressing the checked one again fires nothing but the mouse-down.
  log.clear();
  MouseButton(true);
  MouseButton(false);
  EXPECT_EQ(log, std::vector<std::string>{"A.down(checked)"});
}

TEST_F(RadioButtonTest, TabbingIntoAnUncheckedButtonChecksItWithOneClick) {
  TForm* form = MakeForm(0, 0, 300, 100);
  std::vector<std::string> log;
  TcxRadioButton* a = MakeRadio(form, 10, 10, "A", &log);
  TcxRadioButton* b = MakeRadio(form, 10, 35, "B", &log);
  a->SetCheckedValue(true);
  b->SetTabStop(true);
  log.clear();
  a->SetFocus();
  Pump();
  Key(VK_TAB, true);
  Key(VK_TAB, false);
  ASSERT_EQ(GetFocus(), b->Handle());
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(a->Checked());
  EXPECT_EQ(log, std::vector<std::string>{"B.click"});
}

TEST_F(RadioButtonTest, StatesFollowTheMouse) {
  TForm* form = MakeForm(0, 0, 300, 100);
  TcxRadioButton* a = MakeRadio(form, 10, 10, "A");
  EXPECT_EQ(a->ButtonState(), 2);
  MoveMouse(a, 40, 8);
  EXPECT_EQ(a->ButtonState(), 1);
  MouseButton(true);
  EXPECT_EQ(a->ButtonState(), 3);
  MoveMouse(form, 250, 80);
  EXPECT_EQ(a->ButtonState(), 1) << "pressed and outside";
  MouseButton(false);
  RunFor(30);
  EXPECT_EQ(a->ButtonState(), 2);
  a->SetEnabled(false);
  EXPECT_EQ(a->ButtonState(), 0);
}

TEST_F(RadioButtonTest, GlyphStartsAtOneAndATransparentButtonShowsItsParent) {
  TForm* form = MakeForm(0, 0, 300, 100, RGB(200, 0, 0));
  TcxRadioButton* opaque = MakeRadio(form, 10, 10, "Opaque");
  opaque->SetColor(clBtnFace);
  TcxRadioButton* clear = MakeRadio(form, 10, 40, "Clear");
  clear->SetTransparent(true);
  Pump();
  EXPECT_EQ(opaque->ButtonRect().Left, 1);
  EXPECT_EQ(Pixel(opaque, 0, 8), ColorToRGB(clBtnFace));
  EXPECT_EQ(Pixel(opaque, 105, 2), ColorToRGB(clBtnFace));
  EXPECT_EQ(Pixel(clear, 0, 8), RGB(200, 0, 0));
  EXPECT_EQ(Pixel(clear, 105, 2), RGB(200, 0, 0));
  // The glyph is drawn in both.
  EXPECT_NE(Pixel(clear, clear->ButtonRect().Left + 6, 8), RGB(200, 0, 0));
  // Caption on the left: the glyph at the right edge.
  opaque->SetAlignment(taLeftJustify);
  Pump();
  EXPECT_EQ(opaque->ButtonRect().Right, opaque->Width());

  // In place (a radio group's item) the glyph starts at the edge.
  class TInplaceRadioButton : public TcxRadioButton {
   public:
    using TcxRadioButton::TcxRadioButton;

   protected:
    bool IsInplace() override { return true; }
  };
  auto* inplace = new TInplaceRadioButton(form);
  inplace->SetParent(form);
  inplace->SetBounds(10, 70, 110, 17);
  inplace->SetCaption("In place");
  Pump();
  EXPECT_EQ(inplace->ButtonRect().Left, 0);
}

// A radio button that always shows itself hot, so that every look's hot glyph is in one picture.
class THotRadioButton : public TcxRadioButton {
 public:
  using TcxRadioButton::TcxRadioButton;

 protected:
  void UpdateButtonState(TMouseButton Button, TShiftState, const TPoint&, bool) override {
    TcxRadioButton::UpdateButtonState(Button, TShiftState{}, TPoint(2, 2), true);
  }
};

// Every look in every state: a gallery to look at. The buttons are opaque in the face colour on
// a tinted form, so the see-through one shows; focus and a held press are shot per look.
TEST_F(RadioButtonTest, GalleryOfEveryLookAndState) {
  TForm* form = MakeForm(0, 0, 4 * 120 + 10, 9 * 24 + 10, RGB(220, 220, 240));
  const TcxLookAndFeelKind kinds[] = {lfStandard, lfFlat, lfUltraFlat, lfOffice11};
  std::vector<TcxRadioButton*> focused, pressed;
  for (int k = 0; k < 4; ++k) {
    int y = 5;
    // A panel per button: each is a group of its own, so checking one unchecks no other.
    auto place = [&](TcxRadioButton* r, const char* caption) {
      auto* group = new TPanel(form);
      group->SetParent(form);
      group->SetBevelOuter(bvNone);
      group->SetBounds(5 + k * 120, y, 110, 17);
      group->SetParentColor(true);
      r->SetParent(group);
      r->SetBounds(0, 0, 110, 17);
      r->SetCaption(caption);
      r->SetColor(clBtnFace);
      r->LookAndFeel()->SetKind(kinds[k]);
      y += 24;
      return r;
    };
    auto add = [&](const char* caption) { return place(new TcxRadioButton(form), caption); };
    add("Unchecked");
    add("Checked")->SetCheckedValue(true);
    add("Disabled")->SetEnabled(false);
    TcxRadioButton* disabledChecked = add("Disabled, on");
    disabledChecked->SetEnabled(false);
    disabledChecked->SetCheckedValue(true);
    add("Left text")->SetAlignment(taLeftJustify);
    add("Transparent")->SetTransparent(true);
    place(new THotRadioButton(form), "Hot");
    focused.push_back(add("Focused"));
    pressed.push_back(add("Pressed"));
  }
  Pump();
  for (std::size_t k = 0; k < 4; ++k) {
    focused[k]->SetFocus();
    SaveControl("radiobutton-focused-" + std::to_string(k) + ".png", focused[k], 1);
    MoveMouse(pressed[k], 5, 8);
    MouseButton(true);
    EXPECT_EQ(pressed[k]->ButtonState(), 3);
    SaveControl("radiobutton-pressed-" + std::to_string(k) + ".png", pressed[k], 1);
    MouseButton(false);
  }
  MoveMouse(form, form->Width() - 2, form->Height() - 2);
  RunFor(30);
  SaveControl("radiobuttons.png", form);
}

}  // namespace
}  // namespace choicetest

namespace choicetest {
namespace {

using namespace win;

// With visual styles (the test theme library), a native button's glyph starts at 0 and the
// parent's background shows behind it.
TEST_F(ChoiceTest, ANativeRadioButtonDrawsItsGlyphAtTheEdge) {
  WithTestTheme({"Button"}, [&] {
    TForm* form = MakeForm(0, 0, 300, 60, RGB(0, 120, 0));
    auto* r = new TcxRadioButton(form);
    r->SetBounds(10, 10, 110, 17);
    r->SetParent(form);
    r->SetCaption("Native");
    r->LookAndFeel()->SetNativeStyle(true);
    Pump();
    EXPECT_EQ(r->ButtonRect().Left, 0);
    EXPECT_EQ(Pixel(r, 100, 2), RGB(0, 120, 0)) << "the parent shows behind a native button";
    SaveControl("radiobutton-native.png", r, 2);
  });
}

}  // namespace
}  // namespace choicetest
