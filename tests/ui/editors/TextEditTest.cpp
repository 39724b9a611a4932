// The text editor on the headless screen: lookup items and incremental search, typing rules with
// keys and text injected as the platform delivers them, the item index the consoles' combo boxes
// use, the properties' conversions, the inner edit's key routing, and what it paints.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/classes/FormatSettings.h"
#include "platform/classes/SysUtils.h"
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

}  // namespace
