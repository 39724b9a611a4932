// The text editor on the headless screen: lookup items and incremental search, typing rules with
// keys and text injected as the platform delivers them, the item index the consoles' combo boxes
// use, the properties' conversions, the inner edit's key routing, and what it paints.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/classes/FormatSettings.h"
#include "platform/classes/SysUtils.h"
#include "platform/classes/TypInfo.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "ui/editors/TextEdit.h"

namespace {

using namespace win;
using controlstest::ControlsTest;

// Properties whose typing mode a test chooses, as the combo box's list styles will.
class TModeTextProperties : public TcxTextEditProperties {
  VW_CLASS(TModeTextProperties, TcxTextEditProperties)
 public:
  explicit TModeTextProperties(TPersistent* AOwner) : TcxTextEditProperties(AOwner) {}
  TcxEditTypingMode Mode = etmFree;
  TcxEditTypingMode TypingMode() override { return HideCursor() ? etmNoCaret : Mode; }
};

// A text editor that steps through its items with keys and the wheel, as a combo box does.
class TModeTextEdit : public TcxCustomTextEdit {
  VW_CLASS(TModeTextEdit, TcxCustomTextEdit)
 public:
  explicit TModeTextEdit(TComponent* AOwner)
      : TcxCustomTextEdit(AOwner, TcxCustomEditClasses{TModeTextProperties::StaticClass(),
                                                       TcxCustomInnerTextEdit::StaticClass(),
                                                       EditDataBindingClassOf<TcxEditDataBinding>()}) {}
  TModeTextProperties* ModeProperties() { return static_cast<TModeTextProperties*>(Properties()); }
  bool Navigates = false;
  bool CanNavigateItems(int) override { return Navigates; }
};

class TextEditTest : public ControlsTest {
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

  template <class E = TModeTextEdit>
  E* NewEdit(std::initializer_list<const char*> Items = {}, TcxEditTypingMode Mode = etmFree) {
    auto* edit = new E(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 121, 21);
    if constexpr (std::is_same_v<E, TModeTextEdit>) edit->ModeProperties()->Mode = Mode;
    auto* properties = static_cast<TcxCustomTextEditProperties*>(edit->Properties());
    for (const char* item : Items) properties->LookupItems()->Add(item);
    Pump();
    return edit;
  }
  void Focus(TcxCustomEdit* Edit) {
    Edit->SetFocus();
    Pump();
  }
  static String Selected(TcxCustomTextEdit* Edit) {
    return Edit->InnerTextEditInterface()->SelText();
  }

  TForm* form = nullptr;
};

// ---- lookup data --------------------------------------------------------------------------------------

TEST_F(TextEditTest, LocatesTypedTextInListOrderWithTheItemsSpelling) {
  auto* edit = NewEdit({"alpha", "Beta", "beta"});
  TcxCustomTextEditLookupData* lookup = edit->LookupData();
  struct Case {
    TcxEditTypingMode Mode;
    String Typed, WantText, WantTail;
  } cases[] = {{etmFree, "be", "be", "ta"}, {etmLookupOnly, "be", "Be", "ta"}, {etmListOnly, "BE", "Be", "ta"}};
  for (const Case& c : cases) {
    edit->ModeProperties()->Mode = c.Mode;
    String text = c.Typed, tail;
    ASSERT_TRUE(lookup->LocateTypedText(text, tail, false, false));
    EXPECT_EQ(lookup->CurrentItemKey(), 1);
    EXPECT_EQ(text, c.WantText);
    EXPECT_EQ(tail, c.WantTail);
  }
  // From the next row on the last one: nothing, no wrap; mode 0 forgets the current item.
  edit->ModeProperties()->Mode = etmFree;
  lookup->ChangeCurrentItem(2);
  String text = "al", tail;
  EXPECT_FALSE(lookup->LocateTypedText(text, tail, true, false));
  EXPECT_EQ(lookup->CurrentItemKey(), -1);
}

TEST_F(TextEditTest, NotFoundRuleByModeAndAnEmptyList) {
  struct Case {
    TcxEditTypingMode Mode;
    bool WholeText;
    String Text;
    int WantKey;
  } cases[] = {
      {etmFree, false, "x", -1},       {etmLookupOnly, false, "x", 0}, {etmLookupOnly, false, "", -1},
      {etmLookupOnly, true, "x", -1},  {etmListOnly, false, "x", 0},   {etmListOnly, true, "x", -1},
      {etmNoCaret, false, "x", -1},
  };
  for (bool empty : {false, true}) {
    auto* edit = NewEdit(empty ? std::initializer_list<const char*>{} : std::initializer_list<const char*>{"a", "b"});
    TcxCustomTextEditLookupData* lookup = edit->LookupData();
    for (const Case& c : cases) {
      edit->ModeProperties()->Mode = c.Mode;
      if (!empty) lookup->ChangeCurrentItem(0);
      String text = c.Text, tail;
      EXPECT_FALSE(lookup->LocateTypedText(text, tail, false, c.WholeText));
      EXPECT_EQ(lookup->CurrentItemKey(), empty ? -1 : c.WantKey) << c.Mode << " " << c.WholeText << " " << c.Text;
    }
    delete edit;
  }
}

TEST_F(TextEditTest, GoStepsWithoutWrapping) {
  auto* edit = NewEdit({"0", "1", "2", "3", "4"});
  TcxCustomTextEditLookupData* lookup = edit->LookupData();
  struct Case {
    int From;
    TcxEditLookupDirection Direction;
    bool Wrap;
    int Want;
  } cases[] = {{4, egdNext, false, 4}, {4, egdNext, true, 0},     {0, egdPrior, false, 0},  {0, egdPrior, true, 4},
               {-1, egdPageDown, false, 4}, {2, egdPageUp, false, 0}, {-1, egdPageUp, false, -1}, {1, egdLast, false, 4},
               {3, egdFirst, false, 0}};
  for (const Case& c : cases) {
    lookup->ChangeCurrentItem(c.From);
    lookup->GoTo(c.Direction, c.Wrap);
    EXPECT_EQ(lookup->CurrentItemKey(), c.Want) << c.From << " " << c.Direction;
  }
  auto* ten = NewEdit({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
  ten->LookupData()->GoTo(egdPageDown, false);
  EXPECT_EQ(ten->LookupData()->CurrentItemKey(), 7) << "eight rows: the eighth item";
  auto* none = NewEdit();
  none->LookupData()->GoTo(egdNext, false);
  EXPECT_EQ(none->LookupData()->CurrentItemKey(), -1);
}

TEST_F(TextEditTest, SameKeyAgainSelectsOnlyForACaseDifference) {
  auto* edit = NewEdit({"Alpha", "Beta"});
  edit->SetItemIndex(1);
  int selects = 0;
  TcxCustomTextEditLookupData* lookup = edit->LookupData();
  lookup->SetOnSelectItem([&](TObject*) { ++selects; });
  lookup->SetCurrentKey(Variant(1));
  EXPECT_EQ(selects, 0);
  edit->SetText("beta");
  lookup->SetCurrentKey(Variant(1));
  EXPECT_EQ(selects, 1);
  lookup->SetCurrentKey(Variant(0));
  EXPECT_EQ(selects, 2);
}

// ---- item index ---------------------------------------------------------------------------------------

TEST_F(TextEditTest, ItemIndexWrites) {
  auto* edit = NewEdit({"A", "B", "C"});
  edit->SetItemIndex(1);
  int clicks = 0, changes = 0;
  edit->OnClick = [&](TObject*) { ++clicks; };
  edit->Properties()->OnChange = [&](TObject*) { ++changes; };
  edit->SetItemIndex(2);
  EXPECT_EQ(edit->Text(), "C");
  EXPECT_EQ(edit->ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(edit->Modified());
  edit->SetItemIndex(2);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes, 1);
  // Out of range: the index stays and a differing text (free typing keeps the item only for a
  // difference of case) is put back, without a click.
  for (int bad : {5, -2}) {
    edit->SetText("c");
    ASSERT_EQ(edit->ItemIndex(), 2);
    clicks = 0;
    edit->SetItemIndex(bad);
    EXPECT_EQ(edit->ItemIndex(), 2);
    EXPECT_EQ(edit->Text(), "C");
    EXPECT_EQ(clicks, 0);
  }
  edit->SetItemIndex(-1);
  EXPECT_EQ(edit->Text(), "");
  EXPECT_EQ(edit->ItemIndex(), -1);
  edit->SetText("zz");
  edit->SetItemIndex(7);
  EXPECT_EQ(edit->Text(), "") << "no item current: the empty text";
}

TEST_F(TextEditTest, FreelyTypedTextIsAnItemOnlyWhenItEqualsOne) {
  auto* edit = NewEdit({"VINET", "SONY"});
  Focus(edit);
  Type("V");
  Type("I");
  EXPECT_EQ(edit->Text(), "VINET") << "the completion";
  EXPECT_EQ(edit->ItemIndex(), 0);
  Key(VK_DELETE);
  EXPECT_EQ(edit->Text(), "VI");
  EXPECT_EQ(edit->ItemIndex(), -1);
  edit->SetText("sony");
  EXPECT_EQ(edit->ItemIndex(), 1) << "a difference of case still reads the item";
  edit->SetText("SON");
  EXPECT_EQ(edit->ItemIndex(), -1);
}

// ---- typing -------------------------------------------------------------------------------------------

TEST_F(TextEditTest, IncrementalSearchCompletesAndSelectsTheTail) {
  struct Case {
    TcxEditTypingMode Mode;
    String AfterB, TailB, AfterR, TailR;
  } cases[] = {{etmFree, "beta", "eta", "bravo", "avo"},
               {etmLookupOnly, "beta", "eta", "Bravo", "avo"},
               {etmListOnly, "beta", "eta", "Bravo", "avo"}};
  for (const Case& c : cases) {
    auto* edit = NewEdit({"Alpha", "beta", "Bravo"}, c.Mode);
    Focus(edit);
    Type("b");
    EXPECT_EQ(edit->Text(), c.AfterB) << c.Mode;
    EXPECT_EQ(Selected(edit), c.TailB);
    EXPECT_TRUE(edit->FoundItemMark());
    Type("r");
    EXPECT_EQ(edit->Text(), c.AfterR) << c.Mode;
    EXPECT_EQ(Selected(edit), c.TailR);
    EXPECT_EQ(edit->ItemIndex(), 2);
    delete edit;
  }
}

TEST_F(TextEditTest, ListOnlyRejectsCharactersAndSwallowsBackspace) {
  auto* edit = NewEdit({"Alpha", "beta"}, etmListOnly);
  edit->ModeProperties()->SetFixedListSelection(false);
  Focus(edit);
  Type("b");
  ASSERT_EQ(edit->Text(), "beta");
  Type("q");
  EXPECT_EQ(edit->Text(), "beta") << "no item starts with bq or q";
  Key(VK_BACK);
  EXPECT_EQ(edit->Text(), "beta");
  EXPECT_FALSE(edit->FoundItemMark());
}

TEST_F(TextEditTest, MaxLengthCutsTypedAndPastedTextOnly) {
  for (bool paste : {false, true}) {
    auto* edit = NewEdit();
    edit->ModeProperties()->SetMaxLength(3);
    Focus(edit);
    Type("ab");
    if (paste) {
      ASSERT_TRUE(platform::wm::SetClipboardTextUtf8(nullptr, "cde"));
      edit->PasteText();
      Pump();
    } else {
      Type("cde");
    }
    EXPECT_EQ(edit->Text(), "abc") << (paste ? "pasted" : "typed");
    delete edit;
  }
  auto* unfocused = NewEdit();
  unfocused->ModeProperties()->SetMaxLength(3);
  unfocused->SetText("abcde");
  EXPECT_EQ(unfocused->Text(), "abcde") << "text from code is not cut";
}

TEST_F(TextEditTest, NavigationKeysOfAPlainEditor) {
  auto* edit = NewEdit();
  edit->SetText("hello");
  Focus(edit);
  std::vector<WORD> seen;
  edit->OnInplaceKeyDown = [&](TObject*, WORD& Key, TShiftState) { seen.push_back(Key); };
  edit->SetSelection(2, 0);
  for (unsigned vk : {VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT}) Key(vk);
  EXPECT_EQ(seen, (std::vector<WORD>{VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT}));
  EXPECT_EQ(edit->SelStart(), 2) << "the caret did not move";
  Key(VK_END);
  EXPECT_EQ(edit->SelStart(), 5);
  Key(VK_HOME);
  EXPECT_EQ(edit->SelStart(), 0);
}

TEST_F(TextEditTest, CopyByMode) {
  auto copied = [&](TModeTextEdit* Edit) {
    platform::wm::SetClipboardTextUtf8(nullptr, "none");
    Edit->CopySelectedText();
    String text;
    platform::wm::GetClipboardTextUtf8(nullptr, text);
    return text;
  };
  auto* noCaret = NewEdit({"Alpha"});
  noCaret->SetText("Alpha");
  noCaret->ModeProperties()->SetHideCursor(true);
  Focus(noCaret);
  EXPECT_EQ(copied(noCaret), "none");
  auto* list = NewEdit({"Alpha", "beta"}, etmListOnly);
  list->SetText("beta");
  Focus(list);
  EXPECT_EQ(copied(list), "none") << "no mark, nothing to copy";
  Type("b");
  ASSERT_TRUE(list->FoundItemMark());
  EXPECT_EQ(copied(list), "beta") << "with the mark the whole text";
}

TEST_F(TextEditTest, WheelMovesOneItemPerMessageWithoutWrapping) {
  auto* edit = NewEdit({"A", "B", "C", "D"});
  edit->Navigates = true;
  edit->SetItemIndex(1);
  Focus(edit);
  MoveMouse(20, 20);
  Headless().InjectWheel(-3 * WHEEL_DELTA);
  Pump();
  EXPECT_EQ(edit->ItemIndex(), 2);
  EXPECT_EQ(edit->Text(), "C");
  edit->SetItemIndex(0);
  Headless().InjectWheel(WHEEL_DELTA);
  Pump();
  EXPECT_EQ(edit->ItemIndex(), 0);
  Key(VK_DOWN);
  EXPECT_EQ(edit->ItemIndex(), 1) << "keys step too";
}

TEST_F(TextEditTest, ChineseIsTypedSelectedDeletedAndPastedAsWholeCharacters) {
  auto* edit = NewEdit();
  edit->ModeProperties()->SetMaxLength(4);
  Focus(edit);
  Type("中文");
  Type("字");
  EXPECT_EQ(edit->Text(), "中文字");
  EXPECT_EQ(edit->SelStart(), 3);
  Key(VK_LEFT, {VK_SHIFT});
  EXPECT_EQ(Selected(edit), "字");
  Key(VK_BACK);
  EXPECT_EQ(edit->Text(), "中文");
  ASSERT_TRUE(platform::wm::SetClipboardTextUtf8(nullptr, "汉字输入"));
  edit->PasteText();
  EXPECT_EQ(edit->Text(), "中文汉字") << "MaxLength counts characters";
  char buffer[8];
  LRESULT n = SendMessage(edit->Handle(), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  EXPECT_EQ(n, 6) << "cut before a character that does not fit";
  EXPECT_EQ(String(buffer), "中文");
}

// ---- the inner edit -------------------------------------------------------------------------------------

TEST_F(TextEditTest, EnterReachesTheEditBoxOnlyWithBeepOnEnter) {
  auto* edit = NewEdit();
  Focus(edit);
  for (bool beep : {false, true}) {
    edit->SetBeepOnEnter(beep);
    Headless().ClearBeeps();
    Key(VK_RETURN);
    // The edit box beeps at the Enter it gets.
    EXPECT_EQ(Headless().Beeps().empty(), !beep) << beep;
  }
}

TEST_F(TextEditTest, GetTextWithAOneByteBufferAnswersNothing) {
  auto* edit = NewEdit();
  edit->SetText("abc");
  char buffer[1] = {'x'};
  EXPECT_EQ(SendMessage(edit->Handle(), WM_GETTEXT, 1, reinterpret_cast<LPARAM>(buffer)), 0);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(SendMessage(edit->Handle(), WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 0);
  EXPECT_EQ(SendMessage(edit->Handle(), WM_GETTEXTLENGTH, 0, 0), 3);
}

TEST_F(TextEditTest, BoundsHoldUnderTheLockAndTabNeverReachesTheBox) {
  auto* edit = NewEdit();
  auto* inner = static_cast<TcxCustomInnerTextEdit*>(edit->InnerControl());
  RECT before = inner->BoundsRect();
  inner->LockBounds(true);
  inner->SetBounds(0, 0, 5, 5);
  EXPECT_EQ(inner->BoundsRect().right, before.right);
  inner->LockBounds(false);
  TChar tab = 9;
  edit->InnerEditKeyPress(tab);
  EXPECT_EQ(edit->Text(), "");
  EXPECT_EQ(edit->Width(), 121);
}

// ---- properties ---------------------------------------------------------------------------------------

TEST_F(TextEditTest, PropertiesConversions) {
  TModeTextProperties p(nullptr);
  p.SetMaxLength(-5);
  EXPECT_EQ(p.MaxLength(), 0);
  EXPECT_TRUE(p.TextAssignedValues()->MaxLength());
  p.SetEchoMode(eemPassword);
  String text = "abcde";
  p.ConvertDisplayText(text);
  EXPECT_EQ(text, "*****");
  p.SetPasswordChar(U'●');
  text = "中文";
  p.ConvertDisplayText(text);
  EXPECT_EQ(text, "●●");
  p.SetEchoMode(eemNormal);
  p.LookupItems()->Add("A");
  p.LookupItems()->Add("B");
  p.Mode = etmLookupOnly;
  struct Case {
    TEditCharCase Case;
    String In;
    bool Accepted;
    String Out;
  } cases[] = {{ecNormal, "b", true, "b"}, {ecUpperCase, "b", true, "B"}, {ecNormal, "C", false, "C"}, {ecNormal, "", true, ""}};
  for (const Case& c : cases) {
    p.SetCharCase(c.Case);
    Variant v(c.In);
    EXPECT_EQ(p.AcceptsDisplayText(v, false), c.Accepted) << c.In;
    EXPECT_EQ(VarToStr(v), c.Out);
  }
  EXPECT_EQ(TcxCustomTextEditProperties::RegroupDigits("1234567.89"), "1,234,567.89");
  EXPECT_EQ(TcxCustomTextEditProperties::RegroupDigits("-1234"), "-1,234");
  EXPECT_EQ(TcxCustomTextEditProperties::RegroupDigits(" 1,2345E+10 "), " 12,345E+10 ");
}

TEST_F(TextEditTest, BoundActivity) {
  struct Case {
    bool MinSet, MaxSet;
    double Min, Max;
    bool WantMin, WantMax;
  } cases[] = {{true, false, 10, 0, true, false}, {false, true, 0, 5, false, true}, {true, true, 3, 3, false, false},
               {true, true, 1, 3, true, true},     {false, false, 0, 0, false, false}};
  for (const Case& c : cases) {
    TcxTextEditProperties p(nullptr);
    if (c.MinSet) p.SetMinValue(c.Min);
    if (c.MaxSet) p.SetMaxValue(c.Max);
    EXPECT_EQ(p.IsBoundActive(0), c.WantMin);
    EXPECT_EQ(p.IsBoundActive(1), c.WantMax);
  }
}

// Numeric properties, as the spin editor's will be.
class TNumberProperties : public TcxTextEditProperties {
  VW_CLASS(TNumberProperties, TcxTextEditProperties)
 public:
  explicit TNumberProperties(TPersistent* AOwner) : TcxTextEditProperties(AOwner) {}
  bool IsValueNumeric() override { return true; }
};

TEST_F(TextEditTest, NumericValuesAndBounds) {
  TNumberProperties p(nullptr);
  Variant display;
  p.ConvertToEditValue(Variant(2.5), display, true);
  EXPECT_EQ(VarToStr(display), "2.5");
  p.SetDisplayFormat("0.00");
  p.ConvertToEditValue(Variant(2.5), display, false);
  EXPECT_EQ(VarToStr(display), "2.50");
  p.ConvertToEditValue(Variant::Null(), display, false);
  EXPECT_EQ(VarToStr(display), "");
  EXPECT_THROW(p.ConvertToEditValue(VarArrayOf({Variant(1)}), display, false), EConvertError);
  p.SetMinValue(0);
  p.SetMaxValue(10);
  Variant value(11.0);
  String error;
  bool failed = false;
  p.ValidateDisplayValue(value, error, nullptr, failed);
  EXPECT_TRUE(failed);
  EXPECT_EQ(error, "Value out of bounds");
}

TEST_F(TextEditTest, AssignTakesItemsBeforeSorting) {
  TcxTextEditProperties source(nullptr), target(nullptr);
  for (const char* s : {"c", "a", "b"}) source.LookupItems()->Add(s);
  source.SetMaxLength(7);
  source.SetCharCase(ecUpperCase);
  target.SetLookupItemsSorted(false);
  target.Assign(&source);
  EXPECT_EQ(target.LookupItems()->Strings(0), "c");
  EXPECT_EQ(target.MaxLength(), 7);
  EXPECT_EQ(target.CharCase(), ecUpperCase);
  source.SetLookupItemsSorted(true);
  target.Assign(&source);
  EXPECT_EQ(target.LookupItems()->Strings(0), "a");
}

TEST_F(TextEditTest, RegistrationAndTheFilterHelper) {
  TextEditUnitStartup();
  TcxRegisteredClasses* registry = EditPropertiesClassRegistry();
  int index = registry->IndexOfClass(TcxTextEditProperties::StaticClass());
  ASSERT_GE(index, 0);
  EXPECT_EQ(registry->DescriptionAt(index), "TextEdit|Represents a single line text editor");
  EXPECT_EQ(FilterEditsControllerInstance()->FindHelper(TcxTextEditProperties::StaticClass()),
            FilterEditHelperClass<TcxFilterTextEditHelper>());
  TextEditUnitShutdown();
  EXPECT_EQ(FilterEditsControllerInstance()->FindHelper(TcxTextEditProperties::StaticClass()), nullptr);
}

}  // namespace

namespace {

// ---- painting -----------------------------------------------------------------------------------------

// The leftmost and rightmost columns of the editor holding the text colour, -1 when none.
std::pair<int, int> InkColumns(TWinControl* Control, TColor Ink = clWindowText) {
  // Read from the form's whole window: a client DC leaves out the child windows.
  TWinControl* form = Control->Parent();
  HDC dc = GetDCEx(form->Handle(), nullptr, DCX_WINDOW);
  int first = -1, last = -1;
  for (int x = 0; x < Control->Width(); ++x)
    for (int y = 0; y < Control->Height(); ++y)
      if (GetPixel(dc, Control->Left() + x, Control->Top() + y) == ColorToRGB(Ink)) {
        if (first < 0) first = x;
        last = x;
        break;
      }
  ReleaseDC(form->Handle(), dc);
  return {first, last};
}

TEST_F(TextEditTest, RightAlignedTextUnfocusedLeftAlignedWhileEditing) {
  auto* other = NewEdit();
  auto* edit = NewEdit();
  edit->SetLeft(10);
  edit->SetTop(50);
  edit->ModeProperties()->Alignment()->SetHorz(taRightJustify);
  edit->SetText("ab");
  Pump();
  auto [unfocusedFirst, unfocusedLast] = InkColumns(edit);
  EXPECT_GT(unfocusedFirst, edit->Width() / 2);
  EXPECT_GE(unfocusedLast, edit->Width() - 8);
  Focus(edit);
  auto [focusedFirst, focusedLast] = InkColumns(edit);
  EXPECT_GE(focusedFirst, 0);
  EXPECT_LT(focusedFirst, 8);
  EXPECT_LT(focusedLast, edit->Width() / 2);
  Focus(other);
  EXPECT_GT(InkColumns(edit).first, edit->Width() / 2);
}

TEST_F(TextEditTest, ListOnlyRightAlignedTextStandsOnePixelFurtherRight) {
  auto* free = NewEdit({"Alpha"});
  auto* list = NewEdit({"Alpha"}, etmListOnly);
  list->SetTop(50);
  for (TModeTextEdit* e : {free, list}) {
    e->ModeProperties()->Alignment()->SetHorz(taRightJustify);
    e->ModeProperties()->SetUseLeftAlignmentOnEditing(false);
    e->SetText("Alpha");
  }
  Pump();
  EXPECT_EQ(InkColumns(list).second, InkColumns(free).second + 1);
}

// Each look in a column; rows: a plain text, right-aligned, focused with a selection, a list-only
// editor with its found item marked, a password, a disabled editor, an empty focused list-only
// editor (only the focus rectangle), Chinese text.
TEST_F(TextEditTest, GalleryOfLooksAndStates) {
  delete form;
  form = NewForm(0, 0, 4 * 135 + 20, 8 * 30 + 20);
  const TcxLookAndFeelKind kinds[] = {lfStandard, lfFlat, lfUltraFlat, lfOffice11};
  TModeTextEdit *list = nullptr, *marked = nullptr;
  for (int col = 0; col < 4; ++col) {
    std::vector<TModeTextEdit*> column;
    for (int row = 0; row < 8; ++row) {
      TcxEditTypingMode mode = row == 3 || row == 6 ? etmListOnly : etmFree;
      auto* e = NewEdit({"Alpha", "beta", "Bravo"}, mode);
      e->SetBounds(10 + col * 135, 10 + row * 30, 121, 21);
      e->Style()->LookAndFeel()->SetKind(kinds[col]);
      column.push_back(e);
    }
    column[0]->SetText("Plain text");
    column[1]->ModeProperties()->Alignment()->SetHorz(taRightJustify);
    column[1]->SetText("Right");
    column[2]->SetText("Selected");
    column[3]->SetText("");
    column[4]->ModeProperties()->SetEchoMode(eemPassword);
    column[4]->SetText("secret");
    column[5]->SetText("Disabled");
    column[5]->SetEnabled(false);
    column[7]->SetText("中文输入法");
    Pump();
    if (col == 3) {
      // A selection shown without the focus.
      column[2]->ModeProperties()->SetHideSelection(false);
      Focus(column[2]);
      column[2]->SetSelection(0, 3);
    }
    if (col == 2) list = column[6];
    if (col == 1) marked = column[3];
  }
  // Last, the focus: an empty list-only editor shows its focus rectangle; typing marks "beta".
  Focus(list);
  Pump();
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("editors/text-edit-gallery-empty-focused.png")));
  Focus(marked);
  Type("b");
  ASSERT_EQ(marked->Text(), "beta");
  EXPECT_EQ(marked->TextViewInfo()->HighlightStart, 1);
  EXPECT_EQ(marked->TextViewInfo()->HighlightLength, 3);
  Pump();
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("editors/text-edit-gallery.png")));
}

}  // namespace

namespace {

TEST_F(TextEditTest, PublishedTextEditReadsItsTextFromADescription) {
  auto* edit = new TcxTextEdit(form);
  edit->SetParent(form);
  EXPECT_EQ(edit->Width(), 121);
  EXPECT_EQ(edit->Height(), 21);
  EXPECT_TRUE(edit->BeepOnEnter());
  SetStrProp(edit, "Text", "stored");
  EXPECT_EQ(edit->Text(), "stored");
  EXPECT_EQ(GetStrProp(edit, "Text"), "stored");
  TcxTextEditProperties source(nullptr);
  source.SetMaxLength(4);
  edit->SetProperties(&source);
  EXPECT_EQ(edit->Properties()->MaxLength(), 4) << "assigned into, not replaced";
  EXPECT_NE(edit->Properties(), &source);
}

}  // namespace

namespace {

TEST_F(TextEditTest, TextReplacementMessageAndTheTextKeptAtDestruction) {
  auto* edit = NewEdit();
  edit->SetText("hello world");
  TcxTextReplaceRequest request{"there", 6, 5, 11};
  SendMessage(edit->Handle(), WM_CXTEXTREPLACE, 0, reinterpret_cast<LPARAM>(&request));
  EXPECT_EQ(edit->Text(), "hello there");
  EXPECT_EQ(edit->SelStart(), 11);
  EXPECT_TRUE(edit->ActiveTextProperties()->HideSelection()) << "put back";
  // The deferred notification posted after a paint: twins are dropped, the editor keeps going.
  HWND inner = edit->InnerControl()->Handle();
  PostMessage(inner, WM_CXDEFERREDNOTIFY, 0, 0);
  PostMessage(inner, WM_CXDEFERREDNOTIFY, 0, 0);
  Pump();
  MSG m;
  EXPECT_FALSE(PeekMessage(&m, inner, WM_CXDEFERREDNOTIFY, WM_CXDEFERREDNOTIFY, PM_NOREMOVE));
}

// The list a drop-down editor will show its items in, standing alone on the form.
TEST_F(TextEditTest, EditListBoxRowsHotTrackingAndSelection) {
  auto* list = new TcxCustomEditListBox(form);
  list->SetParent(form);
  list->SetBounds(10, 10, 150, 100);
  list->SetStyle(lbOwnerDrawFixed);
  int selections = 0;
  list->OnSelectionChanged = [&](TObject*) { ++selections; };
  list->SetRowCount(5);
  EXPECT_EQ(list->Items()->Count(), 5);
  list->SetRowCount(3);
  EXPECT_EQ(list->Items()->Count(), 3);
  list->Items()->Clear();
  for (const char* s : {"One", "Two", "Three"}) list->Items()->Add(s);
  list->Canvas()->Font()->Assign(list->Font());
  EXPECT_EQ(list->ItemHeightAt(-1), list->Canvas()->TextHeight("Wg"));
  EXPECT_EQ(list->RowsHeight(3), 3 * list->ItemHeightAt(-1));
  Pump();
  int row = list->ItemHeightAt(-1);
  MoveMouse(10 + 20, 10 + row + row / 2);
  EXPECT_EQ(list->ItemIndex(), 1) << "the row under the mouse";
  EXPECT_EQ(selections, 1);
  list->SetHotTrack(false);
  MoveMouse(10 + 20, 10 + 2 * row + row / 2);
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_TRUE(list->IsShowingOnScreen());
}

}  // namespace
