// The check box on the headless screen: the events of writes by code and of clicks in their
// orders, the toggle cycle, read-only boxes, presses that leave or enter, the Space key, loading,
// the values' rules and storage, glyph strips, the null styles on pixels, actions, accelerators,
// the filter helper, and a gallery of every look and state.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/ActnList.h"
#include "platform/classes/FormDescription.h"
#include "platform/win/Keys.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/choice/ChoiceFixture.h"
#include "ui/choice/CheckBox.h"
#include "ui/controls/EditUtils.h"
#include "ui/controls/VariantRoutines.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/OfficePainters.h"
#include "ui/foundation/Geometry.h"

namespace choicetest {
namespace {

using namespace win;

class CheckBoxTest : public ChoiceTest {
 protected:
  void SetUp() override {
    ChoiceTest::SetUp();
    CheckBoxUnitStartup();
    form = MakeForm(10, 10, 600, 400);
    // Wherever an earlier test left the cursor, no box starts hot.
    Headless().InjectMouseMove(1000, 740);
    Pump();
  }
  void TearDown() override {
    CheckBoxUnitShutdown();
    ChoiceTest::TearDown();
  }
  TcxCheckBox* Make(int Left = 10, int Top = 10, const String& Caption = "Matrix link") {
    // Made through its class, as a form makes it: the parent's colour is its default then.
    auto* b = static_cast<TcxCheckBox*>(TcxCheckBox::StaticClass()->Create(form));
    b->SetParent(form);
    b->SetLeft(Left);
    b->SetTop(Top);
    b->SetCaption(Caption);
    b->Properties()->OnChange = [this](TObject*) { events.push_back("Change"); };
    b->Properties()->OnEditValueChanged = [this](TObject*) { events.push_back("EditValueChanged"); };
    b->OnClick = [this](TObject*) { events.push_back("Click"); };
    Pump();
    return b;
  }
  TPoint BoxCentre(TcxCheckBox* b) { return RectCenterPoint(b->CheckBoxViewInfo()->BoxRect); }
  void ClickBox(TcxCheckBox* b) {
    const TPoint p = BoxCentre(b);
    Click(b, p.X, p.Y);
  }
  // The box's pixels (less Inset on each side), row by row.
  std::vector<Rgb> BoxPixels(TcxCheckBox* b, int Inset = 0) {
    std::vector<Rgb> pixels;
    const TRect r = GrowRect(b->CheckBoxViewInfo()->BoxRect, -Inset, -Inset);
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) pixels.push_back(Pixel(b, x, y));
    return pixels;
  }
  int CountIn(const std::vector<Rgb>& Pixels, Rgb Colour) {
    int n = 0;
    for (Rgb p : Pixels) n += p == Colour;
    return n;
  }

  TForm* form = nullptr;
  std::vector<std::string> events;
};

using Events = std::vector<std::string>;

TEST_F(CheckBoxTest, WritesByCodeFireValueClickChangeOnce) {
  TcxCheckBox* b = Make();
  events.clear();
  b->SetChecked(true);
  EXPECT_EQ(events, (Events{"EditValueChanged", "Click", "Change"}));
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(b->Modified());
  events.clear();
  b->SetChecked(true);
  b->SetState(cbsChecked);
  EXPECT_TRUE(events.empty());
  b->SetState(cbsGrayed);
  EXPECT_TRUE(VarIsNull(b->EditValue()));
  EXPECT_FALSE(b->Checked());
}

TEST_F(CheckBoxTest, AClickFiresClickThenChangeThenValueChanged) {
  TcxCheckBox* b = Make();
  b->OnEditing = [this](TObject*, bool&) { events.push_back("Editing"); };
  events.clear();
  ClickBox(b);
  EXPECT_EQ(events, (Events{"Editing", "Click", "Change", "EditValueChanged"}));
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(b->Modified());
  // A click on the caption toggles too: the whole editor is the box's part.
  events.clear();
  Click(b, b->Width() - 10, b->Height() / 2);
  EXPECT_FALSE(b->Checked());
  EXPECT_EQ(events, (Events{"Click", "Change", "EditValueChanged"})) << "asked once while modified";
  // OnEditing may refuse: nothing changes and nothing fires.
  TcxCheckBox* refusing = Make(10, 60);
  refusing->OnEditing = [this](TObject*, bool& CanEdit) {
    events.push_back("Editing");
    CanEdit = false;
  };
  events.clear();
  ClickBox(refusing);
  EXPECT_FALSE(refusing->Checked());
  EXPECT_EQ(events, (Events{"Editing"}));
}

TEST_F(CheckBoxTest, ClicksCycleThroughGrayedOnlyWhenAllowed) {
  TcxCheckBox* b = Make();
  b->Properties()->SetAllowGrayed(true);
  const TcxCheckBoxState cycle[] = {cbsGrayed, cbsChecked, cbsUnchecked, cbsGrayed};
  for (TcxCheckBoxState expected : cycle) {
    ClickBox(b);
    EXPECT_EQ(b->State(), expected);
  }
  b->Properties()->SetAllowGrayed(false);
  ClickBox(b);
  EXPECT_EQ(b->State(), cbsChecked) << "a grayed box goes to checked";
  ClickBox(b);
  EXPECT_EQ(b->State(), cbsUnchecked);
  ClickBox(b);
  EXPECT_EQ(b->State(), cbsChecked);
}

TEST_F(CheckBoxTest, AReadOnlyBoxIgnoresTheOperatorButNotCode) {
  TcxCheckBox* b = Make();
  b->Properties()->SetReadOnly(true);
  b->SetFocus();
  Pump();
  events.clear();
  ClickBox(b);
  Key(VK_SPACE, true);
  Key(VK_SPACE, false);
  EXPECT_FALSE(b->Checked());
  EXPECT_TRUE(events.empty());
  b->SetChecked(true);
  EXPECT_TRUE(b->Checked());
  EXPECT_EQ(events, (Events{"EditValueChanged", "Click", "Change"}));
}

TEST_F(CheckBoxTest, APressAndReleaseMustBothBeOnTheBox) {
  TcxCheckBox* b = Make();
  const TPoint p = BoxCentre(b);
  MoveMouse(b, p.X, p.Y);
  MouseButton(true);
  EXPECT_EQ(b->CheckBoxViewInfo()->PartState, ecsPressed);
  MoveMouse(b, p.X, b->Height() + 30);
  EXPECT_EQ(b->CheckBoxViewInfo()->PartState, ecsNormal);
  MouseButton(false);
  EXPECT_FALSE(b->Checked()) << "pressed inside, released outside";

  MoveMouse(b, p.X, b->Height() + 30);
  MouseButton(true);
  MoveMouse(b, p.X, p.Y);
  EXPECT_EQ(b->CheckBoxViewInfo()->PartState, ecsNormal);
  MouseButton(false);
  EXPECT_FALSE(b->Checked()) << "pressed outside, released inside";
  MoveMouse(b, p.X + 1, p.Y);
  EXPECT_EQ(b->CheckBoxViewInfo()->PartState, ecsHot);
}

TEST_F(CheckBoxTest, HoldingSpaceShowsThePressedBoxAndReleasingToggles) {
  TcxCheckBox* b = Make();
  b->Style()->LookAndFeel()->SetKind(lfUltraFlat);
  b->SetFocus();
  Pump();
  const std::vector<Rgb> normal = BoxPixels(b);
  Key(VK_SPACE, true);
  EXPECT_TRUE(b->IsSpaceHeld());
  EXPECT_EQ(b->CheckBoxViewInfo()->PartState, ecsPressed);
  EXPECT_FALSE(b->Checked());
  const std::vector<Rgb> pressed = BoxPixels(b);
  EXPECT_NE(pressed, normal);
  EXPECT_GT(CountIn(pressed, ColorToRGB(UltraFlatButtonFillColor(true, false))), 20);
  events.clear();
  Key(VK_SPACE, false);
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(b->IsSpaceHeld());
  EXPECT_EQ(events, (Events{"Click", "Change", "EditValueChanged"}));
}

TEST_F(CheckBoxTest, AStoredStateLoadsWithoutEvents) {
  auto* b = new TcxCheckBox(nullptr);
  std::unique_ptr<TcxCheckBox> owner(b);
  int clicks = 0, changes = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  b->Properties()->OnChange = [&](TObject*) { ++changes; };
  FormTextToComponent(
      "object Box: TcxCheckBox\n  Left = 8\n  Top = 8\n  Caption = 'Delayed power-on'\n"
      "  State = cbsChecked\n  Transparent = True\n  Width = 150\nend\n",
      b);
  EXPECT_TRUE(b->Checked());
  EXPECT_EQ(b->CheckBoxViewInfo()->State, cbsChecked);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(b->Caption(), "Delayed power-on");
  EXPECT_TRUE(b->Transparent());
  // Written back: the state, never Checked, and none of the default texts or values.
  const String text = ComponentToFormText(b);
  EXPECT_NE(text.find("State = cbsChecked"), String::npos) << text;
  EXPECT_EQ(text.find("Checked ="), String::npos) << text;
  for (const char* name : {"Display", "ValueChecked", "ValueGrayed", "ValueUnchecked", "Glyph"}) EXPECT_EQ(text.find(name), String::npos) << text;
}

TEST_F(CheckBoxTest, AnUnstoredStateLoadsUnchecked) {
  std::unique_ptr<TComponent> root(FormTextToComponent("object Box: TcxCheckBox\n  Caption = 'x'\nend\n", nullptr));
  auto* b = dynamic_cast<TcxCheckBox*>(root.get());
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->State(), cbsUnchecked);
  EXPECT_EQ(b->EditValue().Type(), varBoolean);
}

TEST_F(CheckBoxTest, ValuesMustStayDistinctAndCheckedOrUncheckedNeverNull) {
  TcxCheckBoxProperties p(nullptr);
  p.SetValueChecked(Variant::Null());
  EXPECT_TRUE(p.ValueChecked().AsBoolean());
  p.SetValueUnchecked(Variant::Null());
  EXPECT_EQ(p.ValueUnchecked().Type(), varBoolean);
  p.SetValueGrayed(Variant(true));
  EXPECT_TRUE(VarIsNull(p.ValueGrayed()));
  p.SetValueChecked(Variant(false));
  EXPECT_TRUE(p.ValueChecked().AsBoolean()) << "the unchecked value";

  // Other values map by loose equality: a Boolean compares as its text.
  p.SetValueChecked(Variant("Y"));
  p.SetValueUnchecked(Variant("N"));
  p.SetValueGrayed(Variant(7));
  struct Case {
    Variant Value;
    TcxCheckBoxState State;
  } cases[] = {{Variant("Y"), cbsChecked},  {Variant("N"), cbsUnchecked}, {Variant(7), cbsGrayed},
               {Variant::Null(), cbsGrayed}, {Variant("y"), cbsGrayed},    {Variant(true), cbsGrayed}};
  for (const Case& c : cases) EXPECT_EQ(p.StateOfValue(c.Value), c.State) << VarToStrDef(c.Value, "?");
  EXPECT_TRUE(p.IsEditValueValid(Variant("Y")));
  EXPECT_FALSE(p.IsEditValueValid(Variant("maybe")));
  EXPECT_EQ(p.ValueDisplayText(Variant("N")), "False");
  EXPECT_EQ(p.ValueDisplayText(Variant(7)), "");

  TcxCheckBoxProperties loose(nullptr);
  EXPECT_EQ(loose.StateOfValue(Variant("True")), cbsChecked);
  EXPECT_EQ(loose.StateOfValue(Variant("False")), cbsUnchecked);
  EXPECT_EQ(loose.StateOfValue(Variant("false")), cbsGrayed) << "the text of a Boolean, case and all";

  // An assignment whose values collide keeps the old ones.
  TcxCheckBoxProperties target(nullptr);
  target.Assign(&p);
  EXPECT_EQ(VarToStr(target.ValueChecked()), "Y");
}

TEST_F(CheckBoxTest, PropertiesStoreOnlyWhatDiffers) {
  TcxCheckBox* b = Make();
  TcxCheckBoxProperties* p = b->Properties();
  auto stored = [&] { return ComponentToFormText(b); };
  for (const char* name : {"Display", "ValueChecked", "ValueGrayed", "ValueUnchecked", "Glyph"}) EXPECT_EQ(stored().find(name), String::npos) << name;
  p->SetDisplayChecked("true");  // case counts
  p->SetValueChecked(Variant(1));
  p->SetValueGrayed(Variant(2));
  const String text = stored();
  EXPECT_NE(text.find("Properties.DisplayChecked = 'true'"), String::npos) << text;
  EXPECT_NE(text.find("Properties.ValueChecked = 1"), String::npos) << text;
  EXPECT_NE(text.find("Properties.ValueGrayed = 2"), String::npos) << text;
  EXPECT_EQ(text.find("ValueUnchecked"), String::npos) << text;

  // An older description's Properties.Caption becomes the control's caption.
  auto* old = new TcxCheckBox(form);
  FormTextToComponent("object Old: TcxCheckBox\n  Properties.Caption = 'Manual wiring'\nend\n", old);
  EXPECT_EQ(old->Caption(), "Manual wiring");
  EXPECT_EQ(ComponentToFormText(old).find("Properties.Caption"), String::npos);
}

TEST_F(CheckBoxTest, RedefinedValuesMoveTheStateAndFireClickAndChange) {
  TcxCheckBox* b = Make();
  b->Properties()->SetValueChecked(Variant(1));
  b->Properties()->SetValueUnchecked(Variant(0));
  b->SetEditValue(Variant(1));
  EXPECT_TRUE(b->Checked());
  events.clear();
  b->Properties()->SetValueChecked(Variant(5));
  EXPECT_EQ(b->State(), cbsGrayed);
  EXPECT_EQ(b->CheckBoxViewInfo()->State, cbsGrayed);
  EXPECT_EQ(events, (Events{"Click", "Change"}));
}

TEST_F(CheckBoxTest, LayoutPlacesBoxCaptionAndFocusFrame) {
  TcxCheckBox* b = Make();
  TcxCustomCheckBoxViewInfo* info = b->CheckBoxViewInfo();
  const TSize box = CustomLookAndFeelPainter()->CheckBoxSize();
  EXPECT_EQ(b->Width(), 121);
  EXPECT_GE(b->Height(), box.cy + 4);
  EXPECT_EQ(info->BoxRect.Left, info->ClientRect.Left + 2);
  EXPECT_EQ(WidthOfRect(info->BoxRect), box.cx);
  EXPECT_EQ(info->BoxRect.Top, (b->Height() - box.cy) / 2);
  EXPECT_EQ(info->TextRect.Left, info->BoxRect.Right + 3);
  EXPECT_EQ(info->DrawFlags, ltfAlignLeft | ltfSingleLine | ltfShowPrefix | ltfCenterVert);
  EXPECT_TRUE(RectHasNoArea(info->FocusRect));
  b->SetFocus();
  Pump();
  EXPECT_FALSE(RectHasNoArea(info->FocusRect));
  EXPECT_LT(info->FocusRect.Right, info->TextRect.Right) << "shrunk to the caption";
  b->Properties()->SetFullFocusRect(true);
  Pump();
  EXPECT_EQ(info->FocusRect.Right, info->TextRect.Right + 1);

  b->Properties()->SetBoxAlignment(taRightJustify);
  Pump();
  EXPECT_EQ(info->BoxRect.Right, info->ClientRect.Right - 2);
  EXPECT_EQ(info->TextRect.Right, info->BoxRect.Left - 3);

  const int oneLine = b->Height();
  b->Properties()->SetMultiLine(true);
  b->SetCaption("Manual wiring for every signal type of the matrix");
  Pump();
  EXPECT_GT(b->Height(), oneLine);
  EXPECT_EQ(info->DrawFlags, ltfAlignLeft | ltfShowPrefix | ltfNoClip | ltfWordBreak | ltfAlignTop);
  EXPECT_GE(b->Height(), 2 * b->Canvas()->MeasureTextHeight("Gg")) << "auto size takes the wrapped lines";
}

// In a grid cell: no caption, the box alone in the middle, and Space toggles at once.
TEST_F(CheckBoxTest, InPlaceTheBoxStandsAloneAndSpaceTogglesAtOnce) {
  auto* b = static_cast<TcxCheckBox*>(TcxCustomEdit::ConstructInplace(TcxCheckBox::StaticClass(), form, true));
  b->SetParent(form);
  b->SetBounds(20, 20, 60, 18);
  b->SetCaption("Hidden in a cell");
  b->Properties()->OnChange = [this](TObject*) { events.push_back("Change"); };
  Pump();
  TcxCustomCheckBoxViewInfo* info = b->CheckBoxViewInfo();
  EXPECT_EQ(info->Alignment, taCenter);
  EXPECT_TRUE(info->Text.empty());
  EXPECT_NEAR(RectCenterPoint(info->BoxRect).X, RectCenterPoint(info->ClientRect).X, 1);
  EXPECT_EQ(b->Height(), 18) << "no auto size in place";
  b->SetFocus();
  Pump();
  events.clear();
  Key(VK_SPACE, true);
  EXPECT_TRUE(b->Checked());
  Key(VK_SPACE, false);
  EXPECT_TRUE(b->Checked()) << "one toggle for one key";
  EXPECT_EQ(events, (Events{"Change"}));

  // ImmediatePost hands every toggle to the host at once.
  int posts = 0;
  b->OnPostEditValue = [&](TObject*) { ++posts; };
  Key(VK_SPACE, true);
  Key(VK_SPACE, false);
  EXPECT_EQ(posts, 0);
  b->Properties()->SetImmediatePost(true);
  Key(VK_SPACE, true);
  Key(VK_SPACE, false);
  EXPECT_EQ(posts, 1);
  EXPECT_TRUE(b->Checked());
}

TEST_F(CheckBoxTest, TheAcceleratorFocusesAndToggles) {
  TcxCheckBox* other = Make(10, 60, "Other");
  TcxCheckBox* b = Make(10, 10, "&Link");
  other->SetFocus();
  Pump();
  events.clear();
  Key(VK_MENU, true);
  Key('L', true);
  Key('L', false);
  Key(VK_MENU, false);
  EXPECT_TRUE(b->IsFocused());
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(other->Checked());
  EXPECT_EQ(events, (Events{"Click", "Change", "EditValueChanged"}));
}

TEST_F(CheckBoxTest, AnActionSetsCheckedWithoutEvents) {
  TcxCheckBox* b = Make();
  auto* action = new TAction(form);
  action->SetChecked(true);
  events.clear();
  b->SetAction(action);
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(b->IsStateStored());
  action->SetChecked(false);
  EXPECT_FALSE(b->Checked());
  EXPECT_TRUE(events.empty());
  b->SetState(cbsGrayed);
  EXPECT_TRUE(b->IsStateStored());
  events.clear();
  action->SetChecked(true);
  EXPECT_EQ(b->State(), cbsGrayed) << "a grayed box is not linked";
  EXPECT_TRUE(events.empty());
}

// A strip of six 12 x 12 images in distinct colours on a fuchsia key.
std::unique_ptr<TBitmap> MakeStrip(int Count) {
  auto strip = std::make_unique<TBitmap>();
  strip->SetSize(12 * Count, 12);
  strip->Canvas()->Brush()->SetColor(clFuchsia);
  strip->Canvas()->FillRect(Rect(0, 0, 12 * Count, 12));
  for (int i = 0; i < Count; ++i) {
    strip->Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(20 * i + 10, 100, 200 - 20 * i)));
    strip->Canvas()->FillRect(Rect(12 * i + 1, 1, 12 * i + 11, 11));
  }
  strip->SetTransparentColor(clFuchsia);
  return strip;
}

Rgb StripColour(int Index) { return RGB(20 * Index + 10, 100, 200 - 20 * Index); }

TEST_F(CheckBoxTest, GlyphStripsShowTheStateAndThePressedImages) {
  EXPECT_EQ(EditCheckGlyphIndex(cbsChecked, ecsPressed, 6), 4);
  EXPECT_EQ(EditCheckGlyphIndex(cbsChecked, ecsPressed, 3), 1);
  EXPECT_EQ(EditCheckGlyphIndex(cbsGrayed, ecsHot, 3), 2);
  // Past the strip's end there is no image: nothing is read from outside the bitmap.
  EXPECT_EQ(EditCheckGlyphIndex(cbsGrayed, ecsNormal, 2), -1);
  EXPECT_EQ(EditCheckGlyphIndex(cbsChecked, ecsNormal, 1), -1);
  EXPECT_EQ(EditCheckGlyphIndex(cbsChecked, ecsPressed, 4), 1);
  EXPECT_EQ(EditCheckGlyphIndex(cbsGrayed, ecsPressed, 5), 2);

  TcxCheckBox* b = Make();
  std::unique_ptr<TBitmap> strip = MakeStrip(6);
  b->Properties()->SetGlyph(strip.get());
  Pump();
  EXPECT_EQ(WidthOfRect(b->CheckBoxViewInfo()->BoxRect), 12);
  const TPoint c = BoxCentre(b);
  auto centre = [&] { return Pixel(b, c.X, c.Y); };
  EXPECT_EQ(centre(), StripColour(0));
  MoveMouse(b, c.X, c.Y);
  MouseButton(true);
  EXPECT_EQ(centre(), StripColour(3)) << "the pressed unchecked image";
  MouseButton(false);
  EXPECT_EQ(centre(), StripColour(1));
  MouseButton(true);
  EXPECT_EQ(centre(), StripColour(4));
  MouseButton(false);
  std::unique_ptr<TBitmap> three = MakeStrip(3);
  b->Properties()->SetGlyph(three.get());
  b->Properties()->SetGlyphCount(3);
  MouseButton(true);
  EXPECT_EQ(centre(), StripColour(0)) << "three images: pressed looks normal";
  MouseButton(false);
  EXPECT_EQ(centre(), StripColour(1));

  // Two images and a grayed box: the background, nothing from beyond the strip.
  std::unique_ptr<TBitmap> two = MakeStrip(2);
  b->Properties()->SetGlyph(two.get());
  b->Properties()->SetGlyphCount(2);
  b->SetState(cbsGrayed);
  MoveMouse(b, 200, 200);
  EXPECT_EQ(centre(), ColorToRGB(clBtnFace));
}

// The three ways of showing a grayed box, in the drawn (ultra-flat) and the frame-control looks.
TEST_F(CheckBoxTest, NullStylesOnPixels) {
  for (TcxLookAndFeelKind kind : {lfUltraFlat, lfStandard}) {
    TcxCheckBox* b = Make(10, kind == lfStandard ? 60 : 10);
    b->Style()->LookAndFeel()->SetKind(kind);
    Pump();
    auto look = [&](TcxCheckBoxState State, TcxCheckBoxNullValueShowingStyle Null) {
      b->Properties()->SetNullStyle(Null);
      b->SetState(State);
      Pump();
      return BoxPixels(b);
    };
    const auto unchecked = look(cbsUnchecked, nssGrayedChecked);
    const auto checked = look(cbsChecked, nssGrayedChecked);
    const auto grayedChecked = look(cbsGrayed, nssGrayedChecked);
    const auto inactive = look(cbsGrayed, nssInactive);
    const auto insideInactive = BoxPixels(b, 2);
    const auto asUnchecked = look(cbsGrayed, nssUnchecked);
    EXPECT_EQ(asUnchecked, unchecked) << kind;
    EXPECT_NE(inactive, unchecked) << kind;
    EXPECT_NE(grayedChecked, checked) << kind;
    EXPECT_NE(grayedChecked, inactive) << kind;
    if (kind == lfUltraFlat) {
      const Rgb text = ColorToRGB(clBtnText), shadow = ColorToRGB(clBtnShadow), face = ColorToRGB(clBtnFace);
      EXPECT_GT(CountIn(checked, text), 10);
      EXPECT_EQ(CountIn(grayedChecked, text) - CountIn(unchecked, text), 0) << "no black mark";
      EXPECT_GT(CountIn(grayedChecked, shadow), CountIn(unchecked, shadow) + 10) << "a grey mark";
      EXPECT_EQ(CountIn(insideInactive, face), 9 * 9) << "an empty inactive box";
    }
  }
}

TEST_F(CheckBoxTest, FilterRowListsCheckedThenUnchecked) {
  EXPECT_EQ(FilterEditsControllerInstance()->FindHelper(TcxCheckBoxProperties::StaticClass()),
            FilterEditHelperClass<TcxFilterCheckBoxHelper>());
  TcxCheckBoxProperties p(nullptr);
  p.SetDisplayChecked("On");
  p.SetDisplayUnchecked("Off");
  EXPECT_EQ(TcxFilterCheckBoxHelper::FilterItems(&p), (std::vector<String>{"On", "Off"}));
  struct Case {
    int Item;
    Variant Value;
    String Text;
  } cases[] = {{-1, Variant::Null(), ""}, {0, Variant(true), "On"}, {1, Variant(false), "Off"}};
  for (const Case& c : cases) {
    Variant v;
    String text = "stale";
    TcxFilterCheckBoxHelper::FilterValueOfItem(&p, c.Item, v, text);
    EXPECT_TRUE(VarEqualsSameType(v, c.Value)) << c.Item;
    EXPECT_EQ(text, c.Text);
    EXPECT_EQ(TcxFilterCheckBoxHelper::FilterItemOfValue(&p, c.Value), c.Item);
  }
  const TcxCustomFilterEditHelper* helper = FilterEditHelperClass<TcxFilterCheckBoxHelper>();
  EXPECT_EQ(helper->SupportedFilterOperators(&p, nullptr, false), 1542u);
  EXPECT_TRUE(helper->FiltersByDisplayValue());

  // The filter editor: a combo box whose fixed list the helper fills, read and set by item.
  ASSERT_EQ(helper->FilterEditorClass(), TcxComboBox::StaticClass());
  auto* combo = static_cast<TcxComboBox*>(helper->FilterEditorClass()->Create(form));
  combo->SetParent(form);
  p.OnChange = [](TObject*) {};
  helper->InitializeFromEdit(combo, &p);
  EXPECT_EQ(combo->Properties()->DropDownListStyle(), lsFixedList);
  EXPECT_EQ(combo->Properties()->Items()->Count(), 2);
  EXPECT_EQ(combo->Properties()->Items()->Strings(1), "Off");
  EXPECT_FALSE(combo->Properties()->OnChange);
  for (const Case& c : cases) {
    helper->ApplyFilterValue(combo, &p, c.Value);
    EXPECT_EQ(combo->ItemIndex(), c.Item);
    Variant v;
    String text = "stale";
    helper->ReadFilterValue(combo, &p, v, text);
    EXPECT_TRUE(VarEqualsSameType(v, c.Value)) << c.Item;
    EXPECT_EQ(text, c.Text);
  }

  TcxRegisteredClasses* registry = EditPropertiesClassRegistry();
  bool found = false;
  for (int i = 0; i < registry->ItemCount(); ++i)
    found = found || registry->ClassAt(i) == TcxCheckBoxProperties::StaticClass();
  EXPECT_TRUE(found);
}

// A skin whose check box is a plain fill coding the button state and the check state.
struct TProbeCheckBoxSkin : TcxUltraFlatLookAndFeelPainter {
  TSize CheckBoxSize() const override { return TSize(15, 15); }
  void DrawCheckBox(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, TcxCheckBoxState Check) const override {
    ACanvas->FillRectWithColor(R, static_cast<TColor>(RGB(40 * State, 60 * Check, 200)));
  }
};

TEST_F(CheckBoxTest, ASkinDrawsTheBoxInItsSize) {
  static const TProbeCheckBoxSkin skin;
  ASSERT_TRUE(ExtendedStylePainterRegistry()->RegisterPainter("ProbeCheckBox", &skin, nullptr));
  TcxCheckBox* b = Make();
  b->Style()->LookAndFeel()->SetSkinName("ProbeCheckBox");
  b->SetChecked(true);
  Pump();
  TcxCustomCheckBoxViewInfo* info = b->CheckBoxViewInfo();
  EXPECT_EQ(WidthOfRect(info->BoxRect), 15);
  EXPECT_EQ(info->BoxBorderOffset, 0);
  const TPoint c = BoxCentre(b);
  EXPECT_EQ(Pixel(b, info->BoxRect.Left, info->BoxRect.Top), RGB(40 * cxbsNormal, 60, 200));
  MoveMouse(b, c.X, c.Y);
  EXPECT_EQ(Pixel(b, c.X, c.Y), RGB(40 * cxbsHot, 60, 200));
  b->SetState(cbsGrayed);
  EXPECT_EQ(Pixel(b, c.X, c.Y), RGB(40 * cxbsHot, 120, 200));
  SaveControl("checkbox-skinned.png", b, 2);
  MoveMouse(b, 500, 300);
  b->Style()->LookAndFeel()->SetSkinName("");
  ExtendedStylePainterRegistry()->UnregisterPainter("ProbeCheckBox");
}

// Every look, column by column, in every state; the hot and pressed boxes once per look.
TEST_F(CheckBoxTest, GalleryOfEveryLookAndState) {
  form->SetBounds(0, 0, 760, 420);
  form->SetColor(static_cast<TColor>(RGB(236, 233, 216)));
  const TcxLookAndFeelKind kinds[] = {lfStandard, lfFlat, lfUltraFlat, lfOffice11};
  std::unique_ptr<TBitmap> strip = MakeStrip(6);
  struct Row {
    const char* Caption;
    std::function<void(TcxCheckBox*)> Setup;
  };
  const Row rows[] = {
      {"Unchecked", [](TcxCheckBox*) {}},
      {"Checked", [](TcxCheckBox* b) { b->SetChecked(true); }},
      {"Grayed, checked", [](TcxCheckBox* b) { b->SetState(cbsGrayed); }},
      {"Grayed, inactive",
       [](TcxCheckBox* b) {
         b->Properties()->SetNullStyle(nssInactive);
         b->SetState(cbsGrayed);
       }},
      {"Grayed, unchecked",
       [](TcxCheckBox* b) {
         b->Properties()->SetNullStyle(nssUnchecked);
         b->SetState(cbsGrayed);
       }},
      {"Disabled", [](TcxCheckBox* b) { b->SetEnabled(false); }},
      {"Disabled, checked",
       [](TcxCheckBox* b) {
         b->SetChecked(true);
         b->SetEnabled(false);
       }},
      {"Box on the right",
       [](TcxCheckBox* b) {
         b->SetChecked(true);
         b->Properties()->SetBoxAlignment(taRightJustify);
       }},
      {"See-through caption",
       [](TcxCheckBox* b) {
         b->SetTransparent(true);
         b->SetChecked(true);
       }},
      {"Glyph strip",
       [&strip](TcxCheckBox* b) {
         b->Properties()->SetGlyph(strip.get());
         b->SetChecked(true);
       }},
      {"Two lines of caption text, wrapped",
       [](TcxCheckBox* b) {
         b->Properties()->SetMultiLine(true);
         b->SetChecked(true);
       }},
  };
  std::vector<TcxCheckBox*> focusable;
  for (int k = 0; k < 4; ++k) {
    int top = 8;
    for (const Row& row : rows) {
      TcxCheckBox* b = Make(8 + 185 * k, top, row.Caption);
      b->SetWidth(175);
      b->Style()->LookAndFeel()->SetKind(kinds[k]);
      row.Setup(b);
      top += b->Height() + 6;
    }
    focusable.push_back(Make(8 + 185 * k, top, "Focused"));
    focusable.back()->SetWidth(175);
    focusable.back()->Style()->LookAndFeel()->SetKind(kinds[k]);
  }
  focusable[0]->SetFocus();
  Pump();
  SaveScreen("checkboxes.png", RECT{0, 0, 760, 420});
  for (int k = 0; k < 4; ++k) {
    TcxCheckBox* b = focusable[k];
    b->SetFocus();
    const TPoint c = BoxCentre(b);
    MoveMouse(b, c.X, c.Y);
    EXPECT_EQ(b->CheckBoxViewInfo()->PartState, ecsHot);
    SaveControl("checkbox-hot-" + std::to_string(k) + ".png", b, 2);
    MouseButton(true);
    EXPECT_EQ(b->CheckBoxViewInfo()->PartState, ecsPressed);
    SaveControl("checkbox-pressed-" + std::to_string(k) + ".png", b, 2);
    MouseButton(false);
  }
}

// With visual styles (the test theme library) the box is the button theme's check box part, in
// the state the check state and the part give.
TEST_F(CheckBoxTest, ANativeBoxDrawsTheThemePart) {
  WithTestTheme({"Button", "Edit"}, [&] {
    TcxCheckBox* b = Make();
    b->Style()->LookAndFeel()->SetNativeStyle(true);
    b->SetChecked(true);
    Pump();
    const TPoint c = BoxCentre(b);
    EXPECT_EQ(Pixel(b, c.X, c.Y), testsupport::FakeThemeLibrary::ColorOf("BUTTON", 3, 1 + 4 * 1 + 0));
    MoveMouse(b, c.X, c.Y);
    EXPECT_EQ(Pixel(b, c.X, c.Y), testsupport::FakeThemeLibrary::ColorOf("BUTTON", 3, 1 + 4 * 1 + 1));
    SaveControl("checkbox-native.png", b, 2);
    MoveMouse(b, 300, 300);
  });
}

}  // namespace
}  // namespace choicetest
