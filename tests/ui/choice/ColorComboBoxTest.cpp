// The colour combo box on the headless screen: its lists (prepared set, custom colours ahead of
// it, MRU entries ahead of both), the texts a colour shows by format and convention, typed and
// picked colours, the MRU list's limit, the subtitle settings' refill of the list, the colour box
// drawn by the default style, registration, and a gallery in every look.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "tests/ui/choice/ChoiceFixture.h"
#include "ui/choice/ColorComboBox.h"
#include "ui/choice/ExtEditUtils.h"
#include "ui/controls/EditRepository.h"
#include "ui/controls/FilterEditHelpers.h"

namespace {

using namespace win;
using choicetest::ChoiceTest;

class ColorComboBoxTest : public ChoiceTest {
 protected:
  void SetUp() override {
    ChoiceTest::SetUp();
    form = MakeForm(20, 20, 600, 400);
  }

  TcxColorComboBox* NewCombo(int Left = 20, int Top = 20, int Width = 180) {
    auto* combo = new TcxColorComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(Left, Top, Width, 21);
    Pump();
    return combo;
  }
  void Focus(TWinControl* C) {
    C->SetFocus();
    Pump();
  }
  void Press(unsigned Vk) {
    Key(Vk, true);
    Key(Vk, false);
    Pump();
  }
  static bool HasDescription(TcxColorComboBoxItems* Items, const String& Text) {
    for (int i = 0; i < Items->Count(); ++i)
      if (Items->Items(i)->Description() == Text) return true;
    return false;
  }

  TForm* form = nullptr;
};

TEST_F(ColorComboBoxTest, AFreshEditorListsTheIdentifierSetAndShowsTheDefaultColour) {
  TcxColorComboBox* combo = NewCombo();
  TcxColorComboBoxProperties* p = combo->Properties();
  EXPECT_EQ(p->ColorList()->Count(), 52);
  EXPECT_EQ(p->RecentColorList()->Count(), 0);
  EXPECT_EQ(p->CustomColors()->Count(), 0);
  EXPECT_EQ(p->DropDownListStyle(), lsFixedList);
  EXPECT_EQ(combo->ColorValue(), clWindow);
  EXPECT_EQ(combo->Text(), "Color not selected");
  // The dialog's ellipsis is there, hidden.
  ASSERT_EQ(p->Buttons()->Count(), 2);
  EXPECT_FALSE(p->Buttons()->ButtonAt(1)->Visible());
  EXPECT_EQ(p->Buttons()->ButtonAt(1)->Kind(), TcxEditButtonKind::bkEllipsis);
  p->SetAllowSelectColor(true);
  EXPECT_TRUE(p->Buttons()->ButtonAt(1)->Visible());
}

TEST_F(ColorComboBoxTest, PreparedSetsFollowTheCustomColoursAndShareNoValue) {
  TcxColorComboBox* combo = NewCombo();
  TcxColorComboBoxProperties* p = combo->Properties();
  p->CustomColors()->AddColor(0x4080FF, "Amber");
  p->CustomColors()->AddColor(0x00FF00, "Also lime");
  p->SetPrepareList(cxplX11);
  // The second custom colour is X11's Lime: listed once, as the prepared entry.
  EXPECT_EQ(p->ColorList()->Count(), 1 + 138);
  EXPECT_EQ(p->ColorList()->Items(0)->Description(), "Amber");
  EXPECT_FALSE(HasDescription(p->ColorList(), "Also lime"));
  EXPECT_FALSE(HasDescription(p->ColorList(), "Cyan"));
  EXPECT_FALSE(HasDescription(p->ColorList(), "Magenta"));
  p->SetPrepareList(cxplX11Ordered);
  EXPECT_FALSE(HasDescription(p->ColorList(), "Aqua"));
  EXPECT_FALSE(HasDescription(p->ColorList(), "Fuchsia"));
  p->CustomColors()->Clear();
  EXPECT_EQ(p->ColorList()->Count(), 138);
}

TEST_F(ColorComboBoxTest, ACustomColourShowsItsValueInTheChosenFormat) {
  TcxColorComboBox* combo = NewCombo();
  TcxColorComboBoxProperties* p = combo->Properties();
  p->CustomColors()->AddColor(0x4080FF, String());
  combo->SetColorValue(0x4080FF);
  Pump();
  struct Case {
    TcxColorValueFormat Format;
    const char* Text;
  };
  for (const Case& c : {Case{cxcvHexadecimal, "$ff8040"}, Case{cxcvRGB, "255.128.64"}, Case{cxcvInteger, "4227327"}}) {
    p->SetColorValueFormat(c.Format);
    Pump();
    EXPECT_EQ(combo->Text(), c.Text);
  }
  EXPECT_EQ(combo->ItemIndex(), 0);
  // Names come before formats: a listed identifier shows its name.
  combo->SetColorValue(clBtnFace);
  EXPECT_EQ(combo->Text(), "clBtnFace");
  p->SetColorValueFormat(cxcvInteger);
  combo->SetColorValue(0x123456);
  EXPECT_EQ(combo->Text(), "1193046") << "an unlisted colour in the combo-edit style";
  EXPECT_EQ(combo->ItemIndex(), -1);
  p->SetNamingConvention(cxncNone);
  EXPECT_EQ(combo->Text(), "") << "no convention: the description, which it has none of";
}

TEST_F(ColorComboBoxTest, TypedColoursSelectListedEntriesOrAddCustomOnes) {
  TcxColorComboBox* combo = NewCombo();
  TcxColorComboBoxProperties* p = combo->Properties();
  const int lime = p->IndexOfCombinedColor(clLime);
  ASSERT_GE(lime, 0);
  // Typing in the fixed list finds the entry by its beginning.
  Focus(combo);
  Headless().InjectText("clLime");
  Pump();
  EXPECT_EQ(combo->ItemIndex(), lime);
  EXPECT_EQ(combo->ColorValue(), clLime);
  struct Case {
    const char* Text;
    TColor Color;
  };
  for (const Case& c : {Case{"clLime", clLime}, Case{"$00FF00", clLime}, Case{" 255 ", clRed}}) {
    combo->SetColorValue(clBlack);
    Variant value;
    combo->ConvertDisplayToEditValue(Variant(String(c.Text)), value, true);
    EXPECT_EQ(combo->ColorValue(), c.Color) << c.Text;
    EXPECT_EQ(value.AsInteger(), c.Color) << c.Text;
  }
  EXPECT_EQ(p->CustomColors()->Count(), 0);
  Variant value;
  combo->ConvertDisplayToEditValue(Variant(String("4227327")), value, true);
  ASSERT_EQ(p->CustomColors()->Count(), 1);
  EXPECT_EQ(p->CustomColors()->Items(0)->Color(), 0x4080FF);
  EXPECT_EQ(p->ColorList()->Items(0)->Color(), 0x4080FF);
  EXPECT_EQ(combo->ColorValue(), 0x4080FF);
  EXPECT_EQ(p->ColorByCombinedIndex(combo->ItemIndex()), 0x4080FF);
  // Text that reads as no colour leaves the value to the list.
  TColor color = 0;
  EXPECT_FALSE(TextToColor("lime", color));
  EXPECT_FALSE(TextToColor("", color));
  EXPECT_TRUE(TextToColor("$zz", color));
  EXPECT_EQ(color, 0);
}

TEST_F(ColorComboBoxTest, TheMRUListKeepsTheLastChoicesNewestFirst) {
  TcxColorComboBox* combo = NewCombo();
  TcxColorComboBoxProperties* p = combo->Properties();
  p->SetMaxMRUColors(2);
  int added = 0, deleted = 0;
  p->OnAddedMRUColor = [&](TObject*) { ++added; };
  p->OnDeletedMRUColor = [&](TObject*) { ++deleted; };
  Focus(combo);
  // Three colours chosen from the open list.
  for (TColor color : {clRed, clLime, clBlue}) {
    Press(VK_F4);
    ASSERT_TRUE(combo->DroppedDown());
    combo->ColorLookupData()->SetListItemIndex(p->IndexOfCombinedColor(color));
    Press(VK_RETURN);
    ASSERT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ColorValue(), color);
  }
  TcxColorComboBoxItems* recent = p->RecentColorList();
  ASSERT_EQ(recent->Count(), 2);
  EXPECT_EQ(recent->Items(0)->Color(), clBlue);
  EXPECT_EQ(recent->Items(1)->Color(), clLime);
  EXPECT_EQ(added, 3);
  EXPECT_EQ(deleted, 1);
  // The MRU head is the current item.
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(p->AddMRUColor(clLime), 1);
  EXPECT_EQ(recent->Items(0)->Color(), clLime);
  EXPECT_EQ(p->AddMRUColor(clLime), 0);
  EXPECT_EQ(p->AddMRUColor(0x010203), 0) << "a colour the list does not hold";
  deleted = 0;
  p->SetMaxMRUColors(1);
  EXPECT_EQ(deleted, 1);
  ASSERT_EQ(recent->Count(), 1);
  EXPECT_EQ(recent->Items(0)->Color(), clLime);
  EXPECT_EQ(p->DeleteMRUColor(clBlue), 0);
  EXPECT_EQ(p->DeleteMRUColor(clLime), 3);
  EXPECT_EQ(deleted, 2);
}

TEST_F(ColorComboBoxTest, TheSubtitleSettingsRefillTheListAndReadTheTextBack) {
  TcxColorComboBox* combo = NewCombo();
  combo->SetText("clWhite");
  Pump();
  EXPECT_EQ(combo->ColorValue(), clWhite);
  TcxColorComboBoxItems* list = combo->Properties()->ColorList();
  list->Clear();
  const TColor colors[] = {clWhite, clBlack, clRed,    clLime,   clBlue,  clYellow, clFuchsia, clAqua,   clMaroon,
                           clGreen, clNavy,  clOlive,  clPurple, clTeal,  clGray,   clSilver,  0x0080FF, 0xFF8000};
  for (TColor c : colors) EXPECT_NE(list->AddColor(c, String()), nullptr);
  EXPECT_EQ(list->AddColor(clWhite, String()), nullptr);
  Pump();
  EXPECT_EQ(list->Count(), 18);
  EXPECT_EQ(combo->Text(), "clWhite");
  EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(ColorComboBoxTest, TheBoxFollowsTheDefaultStyleAndTheAlignment) {
  TcxColorComboBox* combo = NewCombo();
  TcxColorComboBoxProperties* p = combo->Properties();
  p->SetDefaultColor(clRed);
  Pump();
  auto* info = static_cast<TcxCustomColorComboBoxViewInfo*>(combo->EditViewInfo());
  const TRect box = info->SwatchRect;
  EXPECT_EQ(box.Right - box.Left, 30);
  const int midY = (box.Top + box.Bottom) / 2;
  EXPECT_EQ(Pixel(combo, box.Left + 10, midY), ColorToRGB(clRed)) << "the default colour, unselected";
  EXPECT_EQ(Pixel(combo, box.Left + 1, midY), ColorToRGB(clBtnShadow)) << "the frame";
  p->SetDefaultColorStyle(cxdcText);
  Pump();
  EXPECT_EQ(info->SwatchRect.Right, info->SwatchRect.Left);
  EXPECT_EQ(Pixel(combo, box.Left + 10, midY), ColorToRGB(clWindow));
  EXPECT_EQ(info->Text, "Color not selected");
  EXPECT_LE(info->TextRect.Left, box.Left + 2);
  // A listed colour always draws its box; on the right when asked.
  combo->SetColorValue(clBlue);
  p->SetColorBoxAlign(cbaRight);
  Pump();
  EXPECT_EQ(info->SwatchRect.Right, info->ClientRect.Right + 30);
  EXPECT_EQ(Pixel(combo, info->SwatchRect.Left + 10, midY), ColorToRGB(clBlue));
  EXPECT_EQ(combo->ColorValue(), clBlue);
}

TEST_F(ColorComboBoxTest, ValuesCompareByBoxAndText) {
  TcxColorComboBoxProperties p(nullptr);
  EXPECT_TRUE(p.EditValuesEqual(Variant(clRed), Variant(String("clRed"))));
  EXPECT_FALSE(p.EditValuesEqual(Variant(clRed), Variant(clBlue)));
  EXPECT_FALSE(p.EditValuesEqual(Variant(clRed), Variant(0x010203))) << "one listed, one not";
  EXPECT_TRUE(p.EditValuesEqual(Variant::Null(), Variant(String("nothing"))));
  EXPECT_EQ(p.ValueDisplayText(Variant(clRed)), "clRed");
  EXPECT_EQ(p.SupportedOperations(), 0x033C | 0x40);
  p.SetShowDescriptions(false);
  EXPECT_EQ(p.CombinedItemText(3), "");
  EXPECT_EQ(p.IndexOfValue(Variant::Null()), -1);
  EXPECT_EQ(p.IndexOfValue(Variant(String("clNavy"))), p.ColorList()->IndexOfColor(clNavy));
  EXPECT_EQ(p.ColorByCombinedIndex(999), clWindow);
}

TEST_F(ColorComboBoxTest, RegistrationAndTheFilterHelper) {
  ColorComboBoxUnitStartup();
  TcxRegisteredClasses* registry = EditPropertiesClassRegistry();
  bool found = false;
  for (int i = 0; i < registry->ItemCount(); ++i)
    found = found || registry->ClassAt(i) == TcxColorComboBoxProperties::StaticClass();
  EXPECT_TRUE(found);
  auto helper = FilterEditsControllerInstance()->FindHelper(TcxColorComboBoxProperties::StaticClass());
  ASSERT_NE(helper, nullptr);
  TcxColorComboBoxProperties target(nullptr), source(nullptr);
  target.SetDropDownListStyle(lsEditList);
  helper->PrepareFilterProperties(&target, &source, false);
  EXPECT_EQ(target.DropDownListStyle(), lsFixedList);
  EXPECT_EQ(helper->SupportedFilterOperators(&target, nullptr, false), 0x0606u);
  EXPECT_EQ(helper->SupportedFilterOperators(&target, nullptr, true), 0x6606u);
  ColorComboBoxUnitShutdown();
  EXPECT_EQ(FilterEditsControllerInstance()->FindHelper(TcxColorComboBoxProperties::StaticClass()), nullptr);
}

// Closed editors (a listed colour, the default, the box on the right, boxes only, the default
// drawn as text, disabled) and an open list with two MRU entries, in every look.
TEST_F(ColorComboBoxTest, GalleryInEveryLook) {
  delete form;
  forms_.clear();
  form = MakeForm(0, 0, 820, 470);
  const TcxLookAndFeelKind kinds[] = {lfStandard, lfFlat, lfUltraFlat, lfOffice11};
  std::vector<TcxColorComboBox*> open;
  for (int col = 0; col < 4; ++col) {
    const int x = 10 + col * 200;
    auto make = [&](int y) {
      TcxColorComboBox* c = NewCombo(x, y, 180);
      c->Style()->LookAndFeel()->SetKind(kinds[col]);
      return c;
    };
    make(10)->SetColorValue(clTeal);
    make(40);
    TcxColorComboBox* right = make(70);
    right->Properties()->SetColorBoxAlign(cbaRight);
    right->SetColorValue(clYellow);
    TcxColorComboBox* boxOnly = make(100);
    boxOnly->Properties()->SetShowDescriptions(false);
    boxOnly->SetColorValue(clRed);
    TcxColorComboBox* text = make(130);
    text->Properties()->SetDefaultColorStyle(col % 2 ? cxdcHatched : cxdcText);
    TcxColorComboBox* disabled = make(160);
    disabled->SetColorValue(clNavy);
    disabled->SetEnabled(false);
    TcxColorComboBox* popup = make(200);
    popup->Properties()->SetAllowSelectColor(col == 3);
    popup->Properties()->AddMRUColor(clBlue);
    popup->Properties()->AddMRUColor(clMaroon);
    popup->SetColorValue(clGreen);
    open.push_back(popup);
  }
  Pump();
  SaveScreen("choice/color-combo-gallery.png", RECT{0, 0, 820, 240});
  const char* names[] = {"standard", "flat", "ultraflat", "office11"};
  for (int i = 0; i < 4; ++i) {
    TcxColorComboBox* c = open[static_cast<std::size_t>(i)];
    c->SetDroppedDown(true);
    Pump();
    ASSERT_TRUE(c->DroppedDown());
    TcxCustomComboBoxListBox* list = c->ListBox();
    ASSERT_NE(list, nullptr);
    // The separator under the last MRU entry.
    RECT r = list->ItemRect(1);
    EXPECT_EQ(Pixel(list, r.right - 5, r.bottom - 3), ColorToRGB(clWindowText)) << names[i];
    EXPECT_EQ(list->ItemHeightAt(1), list->ItemHeightAt(2) + 3);
    SaveScreen(std::string("choice/color-combo-open-") + names[i] + ".png", RECT{0, 0, 820, 470});
    c->SetDroppedDown(false);
    Pump();
  }
}

}  // namespace
