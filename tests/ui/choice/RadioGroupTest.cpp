#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/FormDescription.h"
#include "platform/classes/Streams.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/choice/ChoiceFixture.h"
#include "ui/choice/RadioGroup.h"
#include "ui/controls/EditStyle.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/editors/ComboBox.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/OfficePainters.h"
#include "ui/foundation/ThemeManager.h"

namespace choicetest {
namespace {

using Log = std::vector<std::string>;

class RadioGroupTest : public ChoiceTest {
 protected:
  void SetUp() override {
    ChoiceTest::SetUp();
    RadioGroupUnitStartup();
  }
  void TearDown() override {
    Pump();
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) delete *it;
    forms_.clear();
    RadioGroupUnitShutdown();
    ChoiceTest::TearDown();
  }

  TcxRadioGroup* NewGroup(TForm* Form, int Left, int Top, std::initializer_list<const char*> Captions,
                          int Width = 185, int Height = 105) {
    auto* group = new TcxRadioGroup(Form);
    group->SetParent(Form);
    group->SetBounds(Left, Top, Width, Height);
    group->SetCaption("Order");
    // As a form description fills them: the group hears of the items once.
    group->Properties()->LockUpdate();
    for (const char* caption : Captions)
      static_cast<TcxRadioGroupItem*>(group->Properties()->Items()->Add())->SetCaption(caption);
    group->Properties()->UnlockUpdate();
    return group;
  }

  // Every event of the value in the order it fires.
  static void Record(TcxRadioGroup* Group, Log& L) {
    Group->OnClick = [&L](TObject*) { L.push_back("click"); };
    Group->OnEditing = [&L](TObject*, bool&) { L.push_back("editing"); };
    Group->Properties()->OnChange = [&L](TObject*) { L.push_back("change"); };
    Group->Properties()->OnEditValueChanged = [&L](TObject*) { L.push_back("value"); };
  }

  static TPoint Centre(TControl* C) { return TPoint(C->Width() / 2, C->Height() / 2); }
};

TEST(RadioGroupProperties, ColumnsItemsAndOperations) {
  TcxCustomButtonGroupProperties buttons(nullptr);
  TcxRadioGroupProperties radio(nullptr);
  buttons.SetColumns(0);
  radio.SetColumns(-3);
  EXPECT_EQ(buttons.Columns(), 1);
  EXPECT_EQ(radio.Columns(), 1);
  EXPECT_EQ(radio.ColumnCount(), 1);  // no items: still one column
  EXPECT_EQ(buttons.SupportedOperations(), 0x58F);
  EXPECT_EQ(radio.SupportedOperations(), 0x58F | 0x210);
  for (int i = 0; i < 5; ++i) {
    buttons.Items()->Add();
    radio.Items()->Add();
  }
  buttons.SetColumns(4);
  radio.SetColumns(4);
  // The base balances its columns (2, 2, 1); the radio group keeps four, the last one empty.
  EXPECT_EQ(buttons.ColumnCount(), 3);
  EXPECT_EQ(buttons.RowCount(), 2);
  EXPECT_EQ(radio.ColumnCount(), 4);
  EXPECT_EQ(radio.RowCount(), 2);
  EXPECT_EQ(buttons.SupportedOperations(), 0x5AF);
  EXPECT_EQ(buttons.SpecialFeatureFlags() & 2, 2);

  std::unique_ptr<TcxCustomEditProperties> preview(radio.CreatePreviewProperties());
  auto* p = dynamic_cast<TcxRadioGroupProperties*>(preview.get());
  ASSERT_NE(p, nullptr);
  ASSERT_EQ(p->Items()->Count(), 3);
  EXPECT_EQ(p->Items()->RadioItemAt(2)->Caption(), "C");
  EXPECT_EQ(p->Columns(), 3);

  // Values map to items: a Null value by its caption, others loosely.
  radio.Items()->RadioItemAt(0)->SetCaption("Screens");
  radio.Items()->RadioItemAt(1)->SetValue(Variant(7));
  radio.SetDefaultCaption("none");
  EXPECT_EQ(radio.ValueDisplayText(Variant(String("Screens"))), "Screens");
  EXPECT_EQ(radio.ValueDisplayText(Variant(String("7"))), "");
  EXPECT_EQ(radio.ValueDisplayText(Variant(String("nothing"))), "none");
  EXPECT_TRUE(radio.EditValuesEqual(Variant(7), Variant(7.0)));

  TcxRadioGroupProperties copy(nullptr);
  copy.Assign(&radio);
  EXPECT_EQ(copy.Items()->Count(), 5);
  EXPECT_EQ(copy.Columns(), 4);
  EXPECT_EQ(copy.DefaultCaption(), "none");
}

TEST_F(RadioGroupTest, ItemsRunDownEachColumnAndOneButtonFollowsEachItem) {
  TForm* form = MakeForm(0, 0, 400, 300);
  TcxRadioGroup* group = NewGroup(form, 10, 10, {"A", "B", "C", "D", "E"}, 300, 105);
  group->Properties()->SetColumns(4);
  Pump();
  ASSERT_EQ(group->ButtonCount(), 5);
  EXPECT_EQ(group->Width(), 300);
  EXPECT_TRUE(group->TabStop());
  TWinControl* first = group->Button(0);
  // Two rows: A and B in the first column, C and D in the second, E in the third, the fourth empty.
  EXPECT_EQ(group->Button(1)->Left(), first->Left());
  EXPECT_GT(group->Button(1)->Top(), first->Top());
  EXPECT_EQ(group->Button(2)->Top(), first->Top());
  EXPECT_GT(group->Button(2)->Left(), first->Left());
  const int columnWidth = group->Button(2)->Left() - first->Left();
  EXPECT_EQ(first->Width(), columnWidth);
  EXPECT_LE(group->Button(4)->Left() + 2 * columnWidth, group->Width());
  EXPECT_EQ(static_cast<TcxCustomRadioGroupButton*>(group->Button(3))->Column(), 1);
  EXPECT_EQ(static_cast<TcxCustomRadioGroupButton*>(group->Button(3))->Row(), 1);

  // One item added or deleted makes or frees one button; the others stay.
  static_cast<TcxRadioGroupItem*>(group->Properties()->Items()->Add())->SetCaption("F");
  ASSERT_EQ(group->ButtonCount(), 6);
  EXPECT_EQ(group->Button(0), first);
  delete group->Properties()->Items()->Items(1);
  ASSERT_EQ(group->ButtonCount(), 5);
  EXPECT_EQ(group->Button(0), first);
  EXPECT_EQ(group->RadioButton(1)->Caption(), "C");

  // The check stays on its item when another one goes; when its own item goes, nothing is checked.
  group->SetItemIndex(3);  // "E"
  delete group->Properties()->Items()->Items(0);
  EXPECT_EQ(group->ItemIndex(), 2);
  EXPECT_EQ(group->RadioButton(2)->Caption(), "E");
  delete group->Properties()->Items()->Items(2);
  EXPECT_EQ(group->ItemIndex(), -1);
  ASSERT_EQ(group->ButtonCount(), 3);
  EXPECT_EQ(group->RadioButton(2)->Caption(), "F");

  // A disabled item disables its button only.
  group->Properties()->Items()->ButtonItemAt(2)->SetEnabled(false);
  EXPECT_FALSE(group->Button(2)->Enabled());
  EXPECT_TRUE(group->Button(1)->Enabled());
}

TEST_F(RadioGroupTest, ItemIndexByCodeFiresClickChangeAndValueAndLeavesItUnmodified) {
  TForm* form = MakeForm(0, 0, 300, 200);
  TcxRadioGroup* group = NewGroup(form, 10, 10, {"Screens first", "Matrix first", "Both"});
  Pump();
  Log log;
  Record(group, log);
  EXPECT_EQ(group->ItemIndex(), -1);
  group->SetItemIndex(1);
  EXPECT_EQ(log, (Log{"click", "change", "value"}));
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_TRUE(group->RadioButton(1)->Checked());
  EXPECT_EQ(group->EditValue(), Variant(String("Matrix first")));
  EXPECT_FALSE(group->Modified());

  // The checked index again fires nothing.
  log.clear();
  group->SetItemIndex(1);
  EXPECT_TRUE(log.empty());

  // Clamped to -1 .. the last item.
  group->SetItemIndex(99);
  EXPECT_EQ(group->ItemIndex(), 2);
  group->SetItemIndex(-5);
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_FALSE(group->RadioButton(2)->Checked());

  // An EditValue written holds the click back but not the change events.
  log.clear();
  group->SetEditValue(Variant(String("Both")));
  EXPECT_EQ(group->ItemIndex(), 2);
  EXPECT_EQ(log, (Log{"change", "value"}));
}

TEST_F(RadioGroupTest, AClickFiresEditingClickChangeAndValueAndLeavesItModified) {
  TForm* form = MakeForm(0, 0, 300, 200);
  TcxRadioGroup* group = NewGroup(form, 10, 10, {"Screens first", "Matrix first"});
  group->SetItemIndex(0);
  Pump();
  Log log;
  Record(group, log);
  TWinControl* second = group->Button(1);
  Click(second, 20, second->Height() / 2);
  EXPECT_EQ(log, (Log{"editing", "click", "change", "value"}));
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_TRUE(group->Modified());
  EXPECT_TRUE(second->Focused());
  EXPECT_TRUE(group->Focused());
  EXPECT_FALSE(group->IsFocusedNow());

  // The checked item again: nothing.
  log.clear();
  Click(second, 20, second->Height() / 2);
  EXPECT_TRUE(log.empty());

  // OnEditing may refuse: nothing changes.
  group->OnEditing = [&log](TObject*, bool& CanEdit) {
    log.push_back("refused");
    CanEdit = false;
  };
  group->SetItemIndex(0);  // by code: no OnEditing, and the value is no longer modified
  log.clear();
  Click(second, 20, second->Height() / 2);
  EXPECT_EQ(log, (Log{"refused"}));
  EXPECT_EQ(group->ItemIndex(), 0);
}

TEST_F(RadioGroupTest, EqualCaptionsMakeTheFirstCheckedAndTakeTheFocus) {
  TForm* form = MakeForm(0, 0, 300, 200);
  TcxRadioGroup* group = NewGroup(form, 10, 10, {"Same", "Same", "Other"});
  Pump();
  group->SetItemIndex(1);
  EXPECT_EQ(group->ItemIndex(), 0);
  group->SetItemIndex(2);
  TWinControl* second = group->Button(1);
  Click(second, 20, second->Height() / 2);
  EXPECT_EQ(group->ItemIndex(), 0);
  EXPECT_FALSE(group->RadioButton(1)->Checked());
  EXPECT_TRUE(group->Button(0)->Focused());

  // -1 with an empty, Null-valued item checks that item: the Null default converts to "".
  static_cast<TcxRadioGroupItem*>(group->Properties()->Items()->Add())->SetCaption("");
  group->SetItemIndex(-1);
  EXPECT_EQ(group->ItemIndex(), 3);
}

TEST_F(RadioGroupTest, RenamingAnItemRepaintsItsButton) {
  TForm* form = MakeForm(0, 0, 300, 200);
  TcxRadioGroup* group = NewGroup(form, 10, 10, {"屏幕优先", "矩阵优先"}, 217, 89);
  group->SetItemIndex(0);
  Pump();
  TWinControl* b = group->Button(0);
  const int y = b->Height() / 2;
  auto inkAt = [&](int x0, int x1) {
    int ink = 0;
    const Rgb back = Pixel(b, b->Width() - 2, 1);
    for (int x = x0; x < x1; ++x)
      for (int yy = y - 6; yy <= y + 6; ++yy) ink += Pixel(b, x, yy) != back;
    return ink;
  };
  const int before = inkAt(60, 150);
  group->Properties()->Items()->RadioItemAt(0)->SetCaption("Screen commands first");
  EXPECT_EQ(group->RadioButton(0)->Caption(), "Screen commands first");
  EXPECT_EQ(group->ItemIndex(), 0);
  Pump();
  EXPECT_GT(inkAt(60, 150), before);
}

TEST_F(RadioGroupTest, LoadingTheIndexFiresNothing) {
  TForm* form = MakeForm(0, 0, 300, 200);
  Log log;
  form->RegisterHandler<void(TObject*)>("rgClick", [&log](TObject*) { log.push_back("click"); });
  form->RegisterHandler<void(TObject*)>("rgChange", [&log](TObject*) { log.push_back("change"); });
  const char* text = R"(object Form: TForm
  object rg: TcxRadioGroup
    Left = 8
    Top = 8
    Caption = 'Order'
    Properties.Items = <
      item
        Caption = 'Screens first'
      end
      item
        Caption = 'Matrix first'
      end>
    Properties.OnChange = rgChange
    Properties.OnEditValueChanged = rgChange
    ItemIndex = 1
    OnClick = rgClick
  end
end
)";
  TMemoryStream source, binary;
  source.Write(text, static_cast<int>(std::char_traits<char>::length(text)));
  source.SetPosition(0);
  ObjectTextToBinary(&source, &binary);
  binary.SetPosition(0);
  binary.ReadComponent(form);
  auto* group = dynamic_cast<TcxRadioGroup*>(form->FindComponent("rg"));
  ASSERT_NE(group, nullptr);
  Pump();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_EQ(group->ButtonCount(), 2);
  EXPECT_FALSE(group->Modified());
  // The buttons are the group's own: never written as components.
  TMemoryStream out;
  out.WriteComponent(form);
  out.SetPosition(0);
  TMemoryStream written;
  ObjectBinaryToText(&out, &written);
  const std::string result(static_cast<const char*>(written.Memory()), static_cast<std::size_t>(written.Size()));
  EXPECT_EQ(result.find("TcxCustomRadioGroupButton"), std::string::npos) << result;
  EXPECT_NE(result.find("ItemIndex = 1"), std::string::npos) << result;
  // The handlers stay bound after loading.
  group->SetItemIndex(0);
  EXPECT_EQ(log, (Log{"click", "change", "change"}));
}

TEST_F(RadioGroupTest, ArrowsMoveBetweenEnabledButtonsWithoutWrapping) {
  TForm* form = MakeForm(0, 0, 400, 200);
  TcxRadioGroup* group = NewGroup(form, 10, 10, {"A", "B", "C", "D", "E"}, 300, 105);
  group->Properties()->SetColumns(3);  // rows of 2: A B | C D | E
  Pump();
  std::vector<win::WORD> leftToHost;
  group->OnInplaceKeyDown = [&](TObject*, win::WORD& Key, TShiftState) { leftToHost.push_back(Key); };

  // Without a focused button the group ignores the key entirely.
  win::WORD key = win::VK_RIGHT;
  group->EditKeyDown(key, TShiftState());
  EXPECT_EQ(key, win::VK_RIGHT);
  EXPECT_TRUE(leftToHost.empty());

  group->Button(1)->SetFocus();
  key = win::VK_RIGHT;
  group->EditKeyDown(key, TShiftState());
  EXPECT_EQ(key, 0);
  EXPECT_TRUE(group->Button(3)->Focused());
  EXPECT_TRUE(leftToHost.empty());

  // D has no right neighbour (E stands in the first row): the key is left to the host.
  key = win::VK_RIGHT;
  group->EditKeyDown(key, TShiftState());
  EXPECT_TRUE(group->Button(3)->Focused());
  EXPECT_EQ(leftToHost, (std::vector<win::WORD>{win::VK_RIGHT}));

  // Towards a disabled button: not consumed either.
  group->Properties()->Items()->ButtonItemAt(2)->SetEnabled(false);
  key = win::VK_UP;
  group->EditKeyDown(key, TShiftState());
  EXPECT_TRUE(group->Button(3)->Focused());
  EXPECT_EQ(leftToHost.size(), 2u);
}

// The dialog's arrow keys move the focus to the next button, and its focus entry checks it as a
// click does.
TEST_F(RadioGroupTest, ADialogArrowChecksTheButtonItFocuses) {
  TForm* form = MakeForm(0, 0, 300, 200);
  TcxRadioGroup* group = NewGroup(form, 10, 10, {"A", "B", "C"});
  group->SetItemIndex(0);
  Pump();
  group->SetFocus();
  ASSERT_TRUE(group->Button(0)->Focused());
  Log log;
  Record(group, log);
  Key(win::VK_DOWN, true);
  Key(win::VK_DOWN, false);
  EXPECT_TRUE(group->Button(1)->Focused());
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_EQ(log, (Log{"editing", "click", "change", "value"}));
  EXPECT_TRUE(group->Modified());
}

TEST_F(RadioGroupTest, TabOrderAndFocusFollowTheCheckedItem) {
  TForm* form = MakeForm(0, 0, 400, 200);
  auto* before = new TButton(form);
  before->SetParent(form);
  before->SetBounds(220, 10, 60, 24);
  TcxRadioGroup* group = NewGroup(form, 10, 10, {"A", "B", "C"});
  Pump();
  auto tabList = [&] {
    TControlList list;
    form->GetTabOrderList(list);
    return list;
  };
  // With no item checked neither the group nor its buttons are stops.
  TControlList list = tabList();
  EXPECT_EQ(std::count(list.begin(), list.end(), static_cast<TControl*>(group)), 0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(std::count(list.begin(), list.end(), group->Button(i)), 0);

  group->SetItemIndex(2);
  list = tabList();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(std::count(list.begin(), list.end(), group->Button(i)), 1);
  // Only the checked button is a tab stop; focusing the group focuses it.
  EXPECT_TRUE(group->Button(2)->TabStop());
  EXPECT_FALSE(group->Button(0)->TabStop());
  group->SetFocus();
  EXPECT_TRUE(group->Button(2)->Focused());
}

TEST_F(RadioGroupTest, RegistrationAndFilterHelper) {
  TcxRegisteredClasses* registry = EditPropertiesClassRegistry();
  const int index = registry->IndexOfClass(TcxRadioGroupProperties::StaticClass());
  ASSERT_GE(index, 0);
  EXPECT_EQ(registry->DescriptionAt(index), "RadioGroup|Represents a group of radio buttons");
  TcxCustomFilterEditHelperClass helper = FilterEditsControllerInstance()->FindHelper(TcxRadioGroupProperties::StaticClass());
  ASSERT_NE(helper, nullptr);
  TcxRadioGroupProperties properties(nullptr);
  EXPECT_EQ(helper->SupportedFilterOperators(&properties, nullptr, false), 1542u);
  EXPECT_EQ(helper->SupportedFilterOperators(&properties, nullptr, true), 1542u | 0x6000u);
  EXPECT_TRUE(helper->FiltersByDisplayValue());
  EXPECT_NE(FindClass("TcxRadioGroup"), nullptr);

  // The filter editor is a combo box with a fixed list of the captions; its position maps to an
  // item's value, or to the default.
  for (const char* caption : {"Screens", "Matrix"})
    static_cast<TcxRadioGroupItem*>(properties.Items()->Add())->SetCaption(caption);
  properties.Items()->RadioItemAt(1)->SetValue(Variant(2));
  properties.SetDefaultCaption("Any");
  properties.OnChange = [](TObject*) {};
  ASSERT_EQ(helper->FilterEditorClass(), TcxComboBox::StaticClass());
  TForm* form = MakeForm(0, 0, 200, 60);
  auto* list = static_cast<TcxComboBox*>(helper->FilterEditorClass()->Create(form));
  list->SetParent(form);
  helper->PrepareFilterProperties(list->ActiveProperties(), &properties, false);
  auto* combo = static_cast<TcxCustomComboBoxProperties*>(list->ActiveProperties());
  EXPECT_EQ(combo->DropDownListStyle(), lsFixedList);
  EXPECT_FALSE(combo->OnChange);
  ASSERT_EQ(combo->Items()->Count(), 2);
  EXPECT_EQ(combo->Items()->Strings(1), "Matrix");
  list->SetItemIndex(1);
  Variant value;
  String display;
  helper->ReadFilterValue(list, &properties, value, display);
  EXPECT_EQ(value, Variant(2));
  EXPECT_EQ(display, "Matrix");
  helper->ApplyFilterValue(list, &properties, Variant(String("Screens")));
  EXPECT_EQ(list->ItemIndex(), 0);
  list->SetItemIndex(-1);
  helper->ReadFilterValue(list, &properties, value, display);
  EXPECT_TRUE(VarIsNull(value));
  EXPECT_EQ(display, "Any");
}

// Items drawn directly, as a host draws a group it has no window for: glyph, checked dot, caption.
TEST_F(RadioGroupTest, ItemsPaintDirectlyForAHost) {
  TForm* form = MakeForm(0, 0, 200, 60, clWhite);
  TcxRadioGroupProperties properties(nullptr);
  properties.SetColumns(2);
  for (const char* caption : {"Screens", "Matrix"})
    static_cast<TcxRadioGroupItem*>(properties.Items()->Add())->SetCaption(caption);
  TcxEditStyle style(nullptr, nullptr, csiNormal);
  style.SetColor(clWhite);
  TcxCustomRadioGroupViewInfo info;
  std::unique_ptr<TcxCustomEditViewData> data(properties.CreateViewData(&style, true));
  win::HDC dc = win::GetDC(form->Handle());
  {
    TCanvas plain;
    plain.SetHandle(dc);
    TcxCanvas canvas(&plain);
    data->CalculateLayout(&canvas, TRect(0, 0, 200, 24), TPoint(-1, -1), 0, TShiftState(), &info, false);
    data->PrepareDisplayValue(&canvas, Variant(String("Matrix")), &info);
    info.PaintWithHandler(&canvas);
    plain.SetHandle(nullptr);
  }
  win::ReleaseDC(form->Handle(), dc);
  EXPECT_EQ(info.CheckedItemIndex, 1);
  ASSERT_EQ(info.ButtonCount(), 2);
  // In place the first column starts one pixel in; each glyph sits a pixel right of its item's edge.
  EXPECT_EQ(info.Item(0)->Bounds.Left, 1);
  EXPECT_EQ(info.Item(1)->Bounds.Left, info.Item(0)->Bounds.Right);
  TRect glyph0, glyph1;
  info.Item(0)->GlyphBounds(nullptr, info.ItemGlyphSize, taRightJustify, false, glyph0);
  info.Item(1)->GlyphBounds(nullptr, info.ItemGlyphSize, taRightJustify, false, glyph1);
  const int cx0 = (glyph0.Left + glyph0.Right) / 2, cx1 = (glyph1.Left + glyph1.Right) / 2;
  const int cy = (glyph0.Top + glyph0.Bottom) / 2;
  SaveScreen("radiogroup-direct.png", win::RECT{0, 0, 200, 24});
  // Only the checked item has its dot.
  EXPECT_NE(Pixel(form, cx1, cy), Pixel(form, cx0, cy));
  // Each caption is drawn right of its glyph.
  int ink = 0;
  for (int x = glyph1.Right + 5; x < glyph1.Right + 30; ++x)
    for (int y = 4; y < 20; ++y) ink += Pixel(form, x, y) != clWhite;
  EXPECT_GT(ink, 10);
}

// Drawn natively, the glyphs are the theme's radio-button part in the checked and unchecked states.
TEST_F(RadioGroupTest, NativeItemsTakeTheThemeStates) {
  testsupport::FakeThemeLibrary::Install();
  testsupport::FakeThemeLibrary::OpenableClasses().insert("Button");
  ThemeAccessShutdown();
  ThemeAccessStartup();
  {
    TcxRadioGroupProperties properties(nullptr);
    for (const char* caption : {"Screens", "Matrix"})
      static_cast<TcxRadioGroupItem*>(properties.Items()->Add())->SetCaption(caption);
    TcxEditStyle style(nullptr, nullptr, csiNormal);
    style.LookAndFeel()->SetNativeStyle(true);
    TcxCustomRadioGroupViewInfo info;
    std::unique_ptr<TcxCustomEditViewData> data(properties.CreateViewData(&style, true));
    TBitmap bitmap;
    bitmap.SetSize(120, 60);
    TcxCanvas canvas(bitmap.Canvas());
    data->CalculateLayout(&canvas, TRect(0, 0, 120, 60), TPoint(-1, -1), 0, TShiftState(), &info, false);
    data->PrepareDisplayValue(&canvas, Variant(String("Matrix")), &info);
    ASSERT_EQ(info.ButtonCount(), 2);
    EXPECT_TRUE(info.Item(0)->Data.NativeStyle);
    EXPECT_EQ(info.Item(0)->Data.NativePart, 2);
    EXPECT_EQ(info.Item(0)->Data.NativeState, 1);
    EXPECT_EQ(info.Item(1)->Data.NativeState, 5);
    info.PaintWithHandler(&canvas);
    TRect glyph;
    info.Item(1)->GlyphBounds(&canvas, info.ItemGlyphSize, taRightJustify, false, glyph);
    EXPECT_EQ(static_cast<win::COLORREF>(bitmap.Canvas()->Pixels(glyph.Left + 2, glyph.Top + 2)),
              testsupport::FakeThemeLibrary::ColorOf("Button", 2, 5));
  }
  ThemeAccessShutdown();
  testsupport::FakeThemeLibrary::Uninstall();
  ThemeAccessStartup();
}

// The size a host asks of an in-place group: free, from the widest caption and the glyph; with a
// width, rows as high as the tallest wrapped caption.
TEST_F(RadioGroupTest, EditorSizeFromCaptionsAndGlyph) {
  TcxRadioGroupProperties properties(nullptr);
  properties.SetColumns(2);
  for (const char* caption : {"Screens", "Matrix first", "Both"})
    static_cast<TcxRadioGroupItem*>(properties.Items()->Add())->SetCaption(caption);
  TcxEditStyle style(nullptr, nullptr, csiNormal);
  TcxCustomRadioGroupViewInfo info;
  std::unique_ptr<TcxCustomEditViewData> data(properties.CreateViewData(&style, true));
  TBitmap bitmap;
  bitmap.SetSize(10, 10);
  TcxCanvas canvas(bitmap.Canvas());
  canvas.AssignFont(style.DisplayFont());
  const int widest = canvas.MeasureTextWidth("Matrix first");
  // A line of text with the content margins above and below it.
  const int line = canvas.MeasureTextHeight("Zg") + data->ContentMarginsTotal().cy;
  const TSize glyph = style.LookAndFeel()->PainterForThemedObject(tciButton)->RadioButtonGlyphSize();
  TSize size;
  data->MeasureEditorSize(&canvas, Variant::Null(), size, &info, TcxEditSizeProperties{});
  // Each column: the caption, 7 pixels, the glyph; 1 pixel of margin in place; two rows.
  EXPECT_EQ(size.cx, (widest + 7 + glyph.cx) * 2 + 1);
  EXPECT_EQ(size.cy, std::max(glyph.cy, line) * 2);

  // Given a width, a caption too long for its column wraps and makes every row taller.
  properties.SetWordWrap(true);
  properties.Items()->RadioItemAt(1)->SetCaption("Matrix commands go first");
  TcxEditSizeProperties request;
  request.Width = 120;
  std::unique_ptr<TcxCustomEditViewData> wrapped(properties.CreateViewData(&style, true));
  wrapped->MeasureEditorSize(&canvas, Variant::Null(), size, &info, request);
  EXPECT_EQ(size.cx, 120);
  EXPECT_GE(size.cy, 2 * (2 * canvas.MeasureTextHeight("Zg")));
  EXPECT_EQ(size.cy % 2, 0);
}

// Activated by a click of its host, an in-place group passes the press to the item under it.
TEST_F(RadioGroupTest, InPlaceActivationPressesTheItemUnderTheMouse) {
  TForm* form = MakeForm(0, 0, 300, 200);
  auto* group = static_cast<TcxRadioGroup*>(TcxCustomEdit::ConstructInplace(TcxRadioGroup::StaticClass(), form, true));
  group->SetParent(form);
  group->SetBounds(20, 20, 200, 40);
  group->Properties()->SetColumns(2);
  for (const char* caption : {"Screens", "Matrix"})
    static_cast<TcxRadioGroupItem*>(group->Properties()->Items()->Add())->SetCaption(caption);
  Pump();
  ASSERT_TRUE(group->IsInPlace());
  TWinControl* second = group->Button(1);
  TcxCustomEditData* editData = nullptr;
  // The point is in the form's coordinates: inside the second item.
  group->ActivateByMouse(TShiftState{ssLeft}, 20 + second->Left() + 10, 20 + second->Top() + 5, editData);
  EXPECT_TRUE(second->Focused());
  EXPECT_EQ(group->ItemIndex(), -1);  // pressed, not yet released
  group->ActivateByMouse(TShiftState(), 20 + second->Left() + 10, 20 + second->Top() + 5, editData);
  Pump();
  EXPECT_EQ(group->ItemIndex(), 1);
}

// A skin whose group sides and radio glyphs are plain fills, so that where each lies shows.
struct TProbeRadioSkin : TcxUltraFlatLookAndFeelPainter {
  void DrawGroupBoxSides(TcxCanvas* ACanvas, const TRect& R, TcxBorders, int) const override {
    ACanvas->FillRectWithColor(R, clLime);
  }
  int GroupBoxCaptionTailLength(bool, int) const override { return 0; }
  void DrawRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState, bool Checked, bool, TColor,
                       bool) const override {
    ACanvas->FillRectWithColor(TRect(X, Y, X + 13, Y + 13), Checked ? clRed : clBlue);
  }
  TSize RadioButtonGlyphSize() const override { return TSize(13, 13); }
};

// Skinned, a button draws the group's background under its glyph and caption off-screen first.
TEST_F(RadioGroupTest, SkinnedButtonsShowTheGroupsBackground) {
  static const TProbeRadioSkin skin;
  ASSERT_TRUE(ExtendedStylePainterRegistry()->RegisterPainter("ProbeRadio", &skin, nullptr));
  {
    TForm* form = MakeForm(0, 0, 300, 200);
    TcxRadioGroup* group = NewGroup(form, 10, 10, {"Screens", "Matrix"});
    group->Style()->LookAndFeel()->SetSkinName("ProbeRadio");
    group->SetItemIndex(1);
    Pump();
    TcxCustomRadioGroupButton* checked = group->RadioButton(1);
    TcxCustomRadioGroupButton* unchecked = group->RadioButton(0);
    EXPECT_EQ(checked->LookAndFeel()->SkinPainter(), &skin);
    const TRect& glyph = checked->ButtonRect();
    EXPECT_EQ(Pixel(checked, glyph.Left + 6, glyph.Top + 6), ColorToRGB(clRed));
    EXPECT_EQ(Pixel(unchecked, unchecked->ButtonRect().Left + 6, unchecked->ButtonRect().Top + 6), ColorToRGB(clBlue));
    // Beside the caption the button shows the group's skinned background, not a fill of its own.
    EXPECT_EQ(Pixel(checked, checked->Width() - 2, 1), ColorToRGB(clLime));
    EXPECT_FALSE(group->PaintingCopy());
    SaveControl("radiogroup-skinned.png", group, 2);
    delete form;
    forms_.clear();
  }
  ExtendedStylePainterRegistry()->UnregisterPainter("ProbeRadio");
}

TEST_F(RadioGroupTest, Gallery) {
  const TcxLookAndFeelKind kinds[] = {lfStandard, lfFlat, lfUltraFlat, lfOffice11};
  const int W = 190, H = 100;
  TForm* form = MakeForm(0, 0, 4 * (W + 6) + 6, 5 * (H + 6) + 6);
  for (int k = 0; k < 4; ++k) {
    int row = 0;
    auto place = [&](std::initializer_list<const char*> Captions) {
      TcxRadioGroup* group = NewGroup(form, 6 + k * (W + 6), 6 + row++ * (H + 6), Captions, W, H);
      group->Style()->LookAndFeel()->SetKind(kinds[k]);
      return group;
    };
    TcxRadioGroup* order = place({"屏幕优先", "矩阵优先"});
    order->SetCaption("指令发送顺序");
    order->SetItemIndex(0);
    TcxRadioGroup* columns = place({"One", "Two", "Three", "Four", "Five"});
    columns->Properties()->SetColumns(2);
    columns->SetItemIndex(3);
    columns->Properties()->Items()->ButtonItemAt(4)->SetEnabled(false);
    TcxRadioGroup* wrapped = place({"A long caption that wraps onto a second line", "Short"});
    wrapped->Properties()->SetWordWrap(true);
    wrapped->SetItemIndex(1);
    TcxRadioGroup* disabled = place({"Disabled", "Group"});
    disabled->SetItemIndex(1);
    disabled->SetEnabled(false);
    TcxRadioGroup* sky = place({"Sky", "Blue", "Shadow"});
    sky->Style()->SetColor(clSkyBlue);
    sky->Style()->SetShadow(true);
    sky->SetItemIndex(2);
  }
  Pump();
  SaveScreen("radiogroup-gallery.png", win::RECT{0, 0, form->Width(), form->ClientHeight()});
}

}  // namespace
}  // namespace choicetest
