// The drop-down editors on the headless screen, with keys and the mouse injected as the platform
// delivers them: opening and closing the combo box with the reasons that take its list's item or
// leave the value alone, the list's size against its items and the editor, resizing to whole rows,
// the typing rules of the list styles, the popup editor's control moved into its popup and back;
// and a gallery of combo boxes closed and open in every look.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/classes/ExtCtrls.h"
#include "platform/classes/FormDescription.h"
#include "platform/classes/StdCtrls.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "ui/editors/ComboBox.h"
#include "ui/editors/PopupEdit.h"

namespace {

using namespace win;
using controlstest::ControlsTest;

class ComboBoxTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    RECT work{0, 0, 1024, 740};
    SystemParametersInfo(SPI_SETWORKAREA, 0, &work, 0);
    form = NewForm(40, 40, 500, 400);
  }
  void TearDown() override {
    delete form;
    Pump();
    ControlsTest::TearDown();
  }

  TcxComboBox* NewCombo(int Count, TcxEditDropDownListStyle Style = lsEditList, int Width = 150) {
    std::vector<String> items;
    for (int i = 0; i < Count; ++i) items.push_back("Item " + std::to_string(i));
    return NewCombo(items, Style, Width);
  }
  TcxComboBox* NewCombo(const std::vector<String>& Items, TcxEditDropDownListStyle Style = lsEditList,
                        int Width = 150) {
    auto* combo = new TcxComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(20, 20, Width, 21);
    combo->Properties()->SetDropDownListStyle(Style);
    for (const String& item : Items) combo->Properties()->Items()->Add(item);
    combo->OnClick = nullptr;
    Pump();
    return combo;
  }
  void Focus(TWinControl* C) {
    C->SetFocus();
    Pump();
  }
  // A click at a point in screen coordinates.
  void Click(TPoint P) {
    Headless().InjectMouseMove(P.X, P.Y);
    Headless().InjectMouseButton(platform::kButtonLeft, true);
    Pump();
    Headless().InjectMouseButton(platform::kButtonLeft, false);
    Pump();
  }
  TPoint ScreenPoint(TControl* C, int X, int Y) {
    POINT p = C->ClientToScreen(POINT{X, Y});
    return TPoint(p.x, p.y);
  }
  // The middle of the drop-down button in screen coordinates.
  TPoint ButtonCentre(TcxCustomDropDownEdit* Edit) {
    const TRect& b = Edit->EditViewInfo()->Button(0)->Bounds;
    return ScreenPoint(Edit, (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
  }
  static int RowHeight(TcxCustomComboBox* Combo) { return Combo->ListBox()->ItemHeightAt(0); }

  TForm* form = nullptr;
};

// ---- opening and closing ---------------------------------------------------------------------------------

TEST_F(ComboBoxTest, TheWindowTakingTheTextIsNoChange) {
  // Lists on a form not shown yet: their inner edits' windows are made, and given their texts,
  // only when the form shows. Neither a list with nothing chosen nor one with an item reports it.
  TForm* hidden = NewForm(0, 0, 300, 100);
  // A panel with no parent yet: nothing inside it can have a window.
  auto* panel = new TPanel(hidden);
  panel->SetBounds(0, 0, 300, 100);
  auto make = [&](int top, int index) {
    auto* combo = new TcxComboBox(hidden);
    combo->SetParent(panel);
    combo->SetBounds(10, top, 121, 21);
    for (const char* item : {"Foggy", "Blue"}) combo->Properties()->Items()->Add(item);
    combo->SetItemIndex(index);
    return combo;
  };
  TcxComboBox* none = make(10, -1);
  TcxComboBox* chosen = make(40, 1);
  int changes = 0;
  for (TcxComboBox* combo : {none, chosen}) combo->Properties()->OnChange = [&](TObject*) { ++changes; };
  ASSERT_FALSE(none->HandleAllocated());
  panel->SetParent(hidden);
  hidden->Show();
  Pump();
  TWinControl* inner = chosen->InnerEdit()->InnerControl();
  ASSERT_TRUE(inner->HandleAllocated());
  char text[16] = {};
  GetWindowText(inner->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "Blue");
  EXPECT_EQ(changes, 0);
  // Nor is a window made anew.
  chosen->RecreateWnd();
  chosen->HandleNeeded();
  Pump();
  EXPECT_EQ(changes, 0);
  none->SetItemIndex(0);
  EXPECT_EQ(changes, 1);
  delete hidden;
  Pump();
}

TEST_F(ComboBoxTest, F4OpensThenClosesWithTheToggleTakingTheHighlightedItem) {
  TcxComboBox* combo = NewCombo(5);
  std::vector<int> reasons;
  int closeUps = 0;
  combo->Properties()->OnPopupClosed = [&](TObject*, int Reason) { reasons.push_back(Reason); };
  combo->Properties()->OnCloseUp = [&](TObject*) { ++closeUps; };
  Focus(combo);
  Key(VK_F4);
  ASSERT_TRUE(combo->DroppedDown());
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), -1) << "the list's highlight is not yet the value";
  Key(VK_F4);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(reasons, std::vector<int>{pcrToggle});
  EXPECT_EQ(closeUps, 1);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "Item 1");
}

TEST_F(ComboBoxTest, EscapeClosesWithCancelKeepsTheValueAndNeverReachesTheForm) {
  TcxComboBox* combo = NewCombo(5);
  combo->SetItemIndex(2);
  // The form's cancel button stands for its key handling.
  auto* cancel = new TButton(form);
  cancel->SetParent(form);
  cancel->SetBounds(300, 300, 60, 24);
  cancel->SetCancel(true);
  int formKeys = 0;
  cancel->OnClick = [&](TObject*) { ++formKeys; };
  std::vector<int> reasons;
  combo->Properties()->OnPopupClosed = [&](TObject*, int Reason) { reasons.push_back(Reason); };
  Focus(combo);
  Key(VK_F4);
  ASSERT_TRUE(combo->DroppedDown());
  Key(VK_DOWN);
  Key(VK_ESCAPE);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(reasons, std::vector<int>{pcrCancel});
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), "Item 2");
  EXPECT_EQ(formKeys, 0);
}

TEST_F(ComboBoxTest, TheButtonOpensAndAClickOnItWhileOpenClosesWithoutReopening) {
  TcxComboBox* combo = NewCombo(5);
  Focus(combo);
  Click(ButtonCentre(combo));
  ASSERT_TRUE(combo->DroppedDown());
  Click(ButtonCentre(combo));
  EXPECT_FALSE(combo->DroppedDown());
  Pump();
  EXPECT_FALSE(combo->DroppedDown()) << "no show request was left behind";
  // The next click opens it again.
  Click(ButtonCentre(combo));
  EXPECT_TRUE(combo->DroppedDown());
  // Closed by a key with the mouse resting on the button, the first click opens it.
  Headless().InjectMouseMove(ButtonCentre(combo).X + 1, ButtonCentre(combo).Y);
  Pump();
  Key(VK_F4);
  ASSERT_FALSE(combo->DroppedDown());
  Headless().InjectMouseButton(platform::kButtonLeft, true);
  Pump();
  Headless().InjectMouseButton(platform::kButtonLeft, false);
  Pump();
  EXPECT_TRUE(combo->DroppedDown());
}

TEST_F(ComboBoxTest, AClickOnTheTextOpensOnlyAFixedList) {
  for (TcxEditDropDownListStyle style : {lsFixedList, lsEditList, lsEditFixedList}) {
    TcxComboBox* combo = NewCombo(5, style);
    Focus(combo);
    Click(ScreenPoint(combo, 20, 10));
    EXPECT_EQ(combo->DroppedDown(), style == lsFixedList) << "style " << style;
    combo->SetDroppedDown(false);
    delete combo;
    Pump();
  }
}

TEST_F(ComboBoxTest, ClickingAnItemSetsTheValueAndFiresChangeBeforeCloseUp) {
  TcxComboBox* combo = NewCombo(5);
  std::vector<String> events;
  combo->Properties()->OnChange = [&](TObject*) { events.push_back("change " + combo->Text()); };
  combo->Properties()->OnCloseUp = [&](TObject*) { events.push_back("closeup"); };
  Focus(combo);
  Key(VK_F4);
  ASSERT_TRUE(combo->DroppedDown());
  TcxCustomComboBoxListBox* list = combo->ListBox();
  const int row = RowHeight(combo);
  Click(ScreenPoint(list, 10, 3 * row + row / 2));
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_EQ(events, (std::vector<String>{"change Item 3", "closeup"}));
}

TEST_F(ComboBoxTest, PostPopupValueOnTabTakesTheItemAndMovesOn) {
  TcxComboBox* combo = NewCombo(5);
  TcxComboBox* next = NewCombo(2);
  next->SetTop(60);
  combo->Properties()->SetPostPopupValueOnTab(true);
  Focus(combo);
  Key(VK_F4);
  Key(VK_DOWN);
  Key(VK_TAB);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_TRUE(next->IsFocused());
}

// Counts its posts.
class TPostingComboBox : public TcxComboBox {
  VW_CLASS(TPostingComboBox, TcxComboBox)
 public:
  explicit TPostingComboBox(TComponent* AOwner) : TcxComboBox(AOwner) {}
  int Posts = 0;
  void BeginPostEditValue() override {
    ++Posts;
    TcxComboBox::BeginPostEditValue();
  }
};

TEST_F(ComboBoxTest, ImmediatePostPostsOnceOnAcceptAndNeverOnCancel) {
  auto* combo = new TPostingComboBox(form);
  combo->SetParent(form);
  combo->SetBounds(20, 20, 150, 21);
  for (const char* item : {"One", "Two", "Three"}) combo->Properties()->Items()->Add(item);
  combo->Properties()->SetImmediatePost(true);
  int& posts = combo->Posts;
  Focus(combo);
  Key(VK_F4);
  Key(VK_DOWN);
  Key(VK_ESCAPE);
  EXPECT_EQ(posts, 0);
  Key(VK_F4);
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(posts, 1);
}

TEST_F(ComboBoxTest, ARaisingInitPopupLeavesThePopupClosed) {
  TcxComboBox* combo = NewCombo(5);
  bool raise = true;
  int inits = 0;
  combo->Properties()->OnInitPopup = [&](TObject*) {
    ++inits;
    if (raise) throw Exception("no popup now");
  };
  Focus(combo);
  EXPECT_THROW(combo->SetDroppedDown(true), Exception);
  Pump();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_FALSE(combo->PopupInitialized());
  raise = false;
  combo->SetDroppedDown(true);
  Pump();
  EXPECT_TRUE(combo->DroppedDown());
  EXPECT_EQ(inits, 2) << "once per opening";
}

TEST_F(ComboBoxTest, AnEmptyComboNeverOpens) {
  TcxComboBox* combo = NewCombo(0);
  int inits = 0;
  combo->Properties()->OnInitPopup = [&](TObject*) { ++inits; };
  Focus(combo);
  Key(VK_F4);
  Click(ButtonCentre(combo));
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_FALSE(combo->PopupInitialized());
  EXPECT_EQ(inits, 2);
}

TEST_F(ComboBoxTest, AltArrowsToggleLikeF4) {
  TcxComboBox* combo = NewCombo(5);
  std::vector<int> reasons;
  combo->Properties()->OnPopupClosed = [&](TObject*, int Reason) { reasons.push_back(Reason); };
  Focus(combo);
  Key(VK_DOWN, {VK_MENU});
  ASSERT_TRUE(combo->DroppedDown());
  Key(VK_DOWN);
  Key(VK_UP, {VK_MENU});
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(reasons, std::vector<int>{pcrToggle});
  EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(ComboBoxTest, APasteThatNamesAnotherItemOpensTheListOnIt) {
  TcxComboBox* combo = NewCombo({"Apple", "Banana", "Cherry"});
  combo->SetItemIndex(0);
  Focus(combo);
  combo->SelectAllContent();
  ASSERT_TRUE(platform::wm::SetClipboardTextUtf8(nullptr, "Cherry"));
  Key('V', {VK_CONTROL});
  EXPECT_TRUE(combo->DroppedDown());
  EXPECT_EQ(combo->Text(), "Cherry");
  EXPECT_EQ(combo->ItemIndex(), 2);
}

// ---- the list's size -----------------------------------------------------------------------------------

TEST_F(ComboBoxTest, TheListShowsDropDownRowsRowsAndAVerticalBarOnlyForMoreItems) {
  struct Case {
    int Items, Rows;
    bool Bar;
  } cases[] = {{20, 8, true}, {3, 3, false}, {8, 8, false}};
  for (const Case& c : cases) {
    TcxComboBox* combo = NewCombo(c.Items);
    Focus(combo);
    Key(VK_F4);
    ASSERT_TRUE(combo->DroppedDown());
    TcxCustomComboBoxListBox* list = combo->ListBox();
    const int row = RowHeight(combo);
    EXPECT_EQ(list->Height(), c.Rows * row) << c.Items << " items";
    TRect anchor;
    combo->PopupAnchorRect(anchor);
    EXPECT_EQ(combo->PopupWindow()->Width(), anchor.Right - anchor.Left) << "as wide as the editor's frame";
    TSize size = combo->LookupDataObject()->MeasureList(0, 0);
    const int widest = list->ItemWidthAt(c.Items - 1);
    EXPECT_EQ(size.cx, widest + 4 + (c.Bar ? GetSystemMetrics(SM_CXVSCROLL) : 0)) << c.Items << " items";
    Key(VK_ESCAPE);
    delete combo;
    Pump();
  }
}

TEST_F(ComboBoxTest, AWideItemWidensAnAutoWidthPopupOtherwiseTheListScrollsSideways) {
  const String wide = "A very long item that is far wider than the editor itself";
  for (bool autoWidth : {true, false}) {
    TcxComboBox* combo = NewCombo({"Short", wide}, lsEditList, 120);
    combo->Properties()->SetDropDownAutoWidth(autoWidth);
    Focus(combo);
    Key(VK_F4);
    ASSERT_TRUE(combo->DroppedDown());
    TcxCustomComboBoxListBox* list = combo->ListBox();
    const int needed = list->ItemWidthAt(1) + 4;
    if (autoWidth) {
      EXPECT_EQ(list->Width(), needed);
      EXPECT_GT(combo->PopupWindow()->Width(), combo->Width());
    } else {
      TRect anchor;
      combo->PopupAnchorRect(anchor);
      EXPECT_EQ(combo->PopupWindow()->Width(), anchor.Right - anchor.Left);
      EXPECT_EQ(list->ScrollWidth(), needed);
      EXPECT_LT(list->Width(), needed);
    }
    Key(VK_ESCAPE);
    delete combo;
    Pump();
  }
}

TEST_F(ComboBoxTest, ASizeablePopupSnapsToWholeRowsAndOpensAtTheUsersSizeNextTime) {
  TcxComboBox* combo = NewCombo(20);
  combo->Properties()->SetDropDownSizeable(true);
  Focus(combo);
  Key(VK_F4);
  ASSERT_TRUE(combo->DroppedDown());
  TcxCustomEditPopupWindow* popup = combo->PopupWindow();
  ASSERT_TRUE(popup->SysPanelStyle()) << "the grip's panel comes with DropDownSizeable";
  const int row = RowHeight(combo);
  const TRect& g = popup->ViewInfo()->SizeGripSizingRect;
  TPoint grip(popup->Left() + (g.Left + g.Right) / 2, popup->Top() + (g.Top + g.Bottom) / 2);
  // Pressing on the grip takes the mouse; the drag moves the bottom edge by two and a half rows.
  Headless().InjectMouseMove(grip.X, grip.Y);
  Headless().InjectMouseButton(platform::kButtonLeft, true);
  Pump();
  SetCapture(popup->Handle());
  SendMouseMessageTo(popup, WM_LBUTTONDOWN, TShiftState{ssLeft},
                     TPoint(grip.X - popup->Left(), grip.Y - popup->Top()));
  Headless().InjectMouseMove(grip.X + 30, grip.Y + 2 * row + row / 2);
  Pump();
  Headless().InjectMouseButton(platform::kButtonLeft, false);
  Pump();
  TcxCustomComboBoxListBox* list = combo->ListBox();
  EXPECT_EQ(list->Height() % row, 0) << "whole rows";
  const int width = popup->Width(), height = popup->Height();
  EXPECT_EQ(combo->Properties()->DropDownWidth(), width);
  Key(VK_ESCAPE);
  Key(VK_F4);
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_EQ(popup->Width(), width);
  EXPECT_EQ(popup->Height(), height);
}

// ---- typing and values -------------------------------------------------------------------------------

TEST_F(ComboBoxTest, FixedListTypingPicksItemsAndNeverShowsFreeText) {
  TcxComboBox* combo = NewCombo({"Apple", "Banana", "Cherry"}, lsFixedList);
  Focus(combo);
  Type("q");
  EXPECT_EQ(combo->Text(), "");
  Type("c");
  EXPECT_EQ(combo->Text(), "Cherry");
  Type("h");
  EXPECT_EQ(combo->Text(), "Cherry");
  Type("x");
  EXPECT_EQ(combo->Text(), "Cherry");
  EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(ComboBoxTest, EditListKeepsTypedTextThatIsNoItemAcrossAnOpeningAndClosing) {
  TcxComboBox* combo = NewCombo({"Apple", "Banana"});
  combo->Properties()->SetImmediateDropDown(false);
  Focus(combo);
  Type("zzz");
  EXPECT_EQ(combo->Text(), "zzz");
  EXPECT_EQ(combo->ItemIndex(), -1);
  Key(VK_F4);
  ASSERT_TRUE(combo->DroppedDown());
  Key(VK_F4);
  EXPECT_EQ(combo->Text(), "zzz");
  EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(ComboBoxTest, TextAndItemIndexWrittenByCodeStayInStepAndChangeOnce) {
  for (TcxEditDropDownListStyle style : {lsEditList, lsFixedList}) {
    TcxComboBox* combo = NewCombo({"VIDEO", "VGA", "DVI"}, style);
    int changes = 0;
    combo->Properties()->OnChange = [&](TObject*) { ++changes; };
    combo->SetText("DVI");
    EXPECT_EQ(combo->ItemIndex(), 2) << style;
    EXPECT_EQ(changes, 1) << style;
    combo->SetItemIndex(0);
    EXPECT_EQ(combo->Text(), "VIDEO") << style;
    EXPECT_EQ(changes, 2) << style;
    delete combo;
  }
}

TEST_F(ComboBoxTest, RevertableDoubleClickStepsAndWrapsToTheFirstItem) {
  TcxComboBox* combo = NewCombo(3, lsFixedList);
  combo->Properties()->SetRevertable(true);
  combo->SetItemIndex(1);
  Focus(combo);
  combo->SetDroppedDown(false);
  combo->HandleDblClick();
  EXPECT_EQ(combo->ItemIndex(), 2);
  combo->HandleDblClick();
  EXPECT_EQ(combo->ItemIndex(), 0);
  combo->Properties()->SetRevertable(false);
  combo->HandleDblClick();
  EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(ComboBoxTest, ItemsReadOutOfBoundsRaiseAndIndexOfIgnoresCase) {
  TcxComboBox* combo = NewCombo({"One", "Two", "Three"});
  TStrings* items = combo->Properties()->Items();
  try {
    (void)items->Strings(5);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (5)");
  }
  EXPECT_EQ(items->IndexOf("tWO"), 1);
}

TEST_F(ComboBoxTest, PropertiesDefaultsAndTheirRules) {
  TcxComboBox* combo = NewCombo(0);
  TcxComboBoxProperties* p = combo->Properties();
  EXPECT_EQ(p->DropDownListStyle(), lsEditList);
  EXPECT_EQ(p->DropDownRows(), 8);
  EXPECT_TRUE(p->DropDownAutoWidth());
  EXPECT_TRUE(p->ImmediateDropDown());
  EXPECT_TRUE(p->ValidateOnEnter());
  ASSERT_EQ(p->Buttons()->Count(), 1);
  EXPECT_EQ(p->Buttons()->ButtonAt(0)->Kind(), TcxEditButtonKind::bkDown);
  p->SetDropDownRows(0);
  p->SetDropDownRows(-4);
  EXPECT_EQ(p->DropDownRows(), 8);
  struct Case {
    TcxEditDropDownListStyle Style;
    TcxEditTypingMode Mode;
    bool Fixed;
  } cases[] = {{lsEditFixedList, etmLookupOnly, false}, {lsEditList, etmFree, false}, {lsFixedList, etmListOnly, true}};
  for (const Case& c : cases) {
    p->SetDropDownListStyle(c.Style);
    EXPECT_EQ(p->TypingMode(), c.Mode);
    EXPECT_EQ(p->IsFixedList(), c.Fixed);
    EXPECT_EQ(combo->AllowsFreeTyping(), c.Style == lsEditList);
  }
  // A glyph makes the button a glyph button; removing it gives the arrow back.
  TBitmap glyph;
  glyph.SetSize(8, 8);
  p->SetButtonGlyph(&glyph);
  EXPECT_EQ(p->Buttons()->ButtonAt(0)->Kind(), TcxEditButtonKind::bkGlyph);
  p->SetButtonGlyph(nullptr);
  EXPECT_EQ(p->Buttons()->ButtonAt(0)->Kind(), TcxEditButtonKind::bkDown);
  // Popup sizes: a positive size never below its minimum, negative minimums are 0.
  p->SetPopupMinWidth(100);
  p->SetDropDownWidth(40);
  EXPECT_EQ(p->DropDownWidth(), 100);
  p->SetPopupMinHeight(-5);
  EXPECT_EQ(p->PopupMinHeight(), 0);
}

TEST_F(ComboBoxTest, OwnerMeasuredAndDrawnRows) {
  TcxComboBox* combo = NewCombo(4, lsFixedList);
  std::vector<int> drawn;
  TcxComboBoxProperties* p = combo->Properties();
  p->OnMeasureItem = [](TcxCustomComboBox*, int AIndex, TcxCanvas*, int& AHeight) { AHeight = 10 + 5 * AIndex; };
  p->OnDrawItem = [&](TcxCustomComboBox* AControl, TcxCanvas* ACanvas, int AIndex, const TRect& R, TOwnerDrawState) {
    EXPECT_EQ(AControl, combo);
    drawn.push_back(AIndex);
    ACanvas->FillRectWithColor(R, clLime);
  };
  combo->SetItemIndex(2);
  Focus(combo);
  Key(VK_F4);
  ASSERT_TRUE(combo->DroppedDown());
  TcxCustomComboBoxListBox* list = combo->ListBox();
  EXPECT_EQ(list->Style(), lbOwnerDrawVariable);
  EXPECT_EQ(list->RowsHeight(4), 10 + 15 + 20 + 25);
  EXPECT_EQ(list->Height(), 70) << "the measured rows";
  for (int i = 0; i < 4; ++i) EXPECT_NE(std::find(drawn.begin(), drawn.end(), i), drawn.end()) << i;
  Key(VK_ESCAPE);
  // Closed, the fixed list's editor shows its item through the handler too.
  drawn.clear();
  combo->Invalidate();
  Pump();
  EXPECT_EQ(drawn, std::vector<int>{2});
}

TEST_F(ComboBoxTest, PressingOnTheEditorAndReleasingOverARowPicksIt) {
  TcxComboBox* combo = NewCombo(6);
  Focus(combo);
  TPoint button = ButtonCentre(combo);
  Headless().InjectMouseMove(button.X, button.Y);
  Headless().InjectMouseButton(platform::kButtonLeft, true);
  Pump();
  ASSERT_TRUE(combo->DroppedDown());
  TcxCustomComboBoxListBox* list = combo->ListBox();
  const int row = RowHeight(combo);
  TPoint over = ScreenPoint(list, 20, 4 * row + row / 2);
  Headless().InjectMouseMove(over.X, over.Y - row);
  Headless().InjectMouseMove(over.X, over.Y);
  Pump();
  Headless().InjectMouseButton(platform::kButtonLeft, false);
  Pump();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 4);
}

TEST_F(ComboBoxTest, RegistrationFilterHelperAssignAndTheGlyphButton) {
  ComboBoxUnitStartup();
  TcxRegisteredClasses* registry = EditPropertiesClassRegistry();
  struct Case {
    TClass Class;
    const char* Description;
  } cases[] = {{TcxComboBoxProperties::StaticClass(), "ComboBox|Represents the combo box editor"},
               {TcxPopupEditProperties::StaticClass(), "PopupEdit|Represents an edit control with a dropdown list"}};
  for (const Case& c : cases) {
    int index = registry->IndexOfClass(c.Class);
    ASSERT_GE(index, 0);
    EXPECT_EQ(registry->DescriptionAt(index), c.Description);
  }
  EXPECT_EQ(FilterEditsControllerInstance()->FindHelper(TcxComboBoxProperties::StaticClass()),
            FilterEditHelperClass<TcxFilterComboBoxHelper>());
  TcxComboBoxProperties source(nullptr), target(nullptr);
  source.SetDropDownListStyle(lsFixedList);
  source.SetDropDownRows(12);
  source.SetRevertable(true);
  source.SetImmediateDropDown(false);
  source.Items()->Add("x");
  target.Assign(&source);
  EXPECT_EQ(target.DropDownListStyle(), lsFixedList);
  EXPECT_EQ(target.DropDownRows(), 12);
  EXPECT_TRUE(target.Revertable());
  EXPECT_FALSE(target.ImmediateDropDown());
  EXPECT_EQ(target.Items()->Count(), 1);
  TcxFilterComboBoxHelper helper;
  helper.PrepareFilterProperties(&target, &source, false);
  EXPECT_EQ(target.DropDownListStyle(), lsEditList);
  EXPECT_EQ(target.DropDownRows(), 8);
  EXPECT_FALSE(target.Revertable());
  // The glyph moves to another button, which takes the glyph kind; the old one shows its arrow.
  TcxComboBoxProperties glyphs(nullptr);
  TBitmap glyph;
  glyph.SetSize(8, 8);
  glyphs.SetButtonGlyph(&glyph);
  glyphs.Buttons()->AddButton();
  glyphs.MoveGlyphToButton(1);
  EXPECT_EQ(glyphs.Buttons()->ButtonAt(0)->Kind(), TcxEditButtonKind::bkDown);
  EXPECT_EQ(glyphs.Buttons()->ButtonAt(1)->Kind(), TcxEditButtonKind::bkGlyph);
  EXPECT_FALSE(glyphs.Buttons()->ButtonAt(1)->Glyph()->Empty());
  EXPECT_EQ(glyphs.ButtonGlyph(), glyphs.Buttons()->ButtonAt(1)->Glyph());
  ComboBoxUnitShutdown();
  EXPECT_EQ(FilterEditsControllerInstance()->FindHelper(TcxComboBoxProperties::StaticClass()), nullptr);
}

TEST_F(ComboBoxTest, ThePopupsControlsFollowTheEditorsLook) {
  TcxComboBox* combo = NewCombo(3);
  std::vector<TcxLookAndFeelValues> changes;
  combo->Style()->LookAndFeel()->SetKind(lfFlat);
  Focus(combo);
  Key(VK_F4);
  ASSERT_TRUE(combo->DroppedDown());
  TcxEditPopupControlLookAndFeel* look = combo->PopupControlsLookAndFeel();
  EXPECT_EQ(look->Kind(), lfFlat);
  EXPECT_EQ(combo->ListBox()->LookAndFeel()->Kind(), lfFlat);
  look->OnChanged = [&](TcxLookAndFeel*, TcxLookAndFeelValues Values) { changes.push_back(Values); };
  combo->Style()->LookAndFeel()->SetKind(lfOffice11);
  Pump();
  EXPECT_EQ(look->Kind(), lfOffice11);
  EXPECT_EQ(combo->ListBox()->LookAndFeel()->Kind(), lfOffice11);
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes.front(), TcxLookAndFeelValues{lfvKind});
}

TEST_F(ComboBoxTest, AComboBoxReadFromAFormDescription) {
  ComboBoxUnitStartup();
  std::unique_ptr<TComponent> root(FormTextToComponent(
      "object Signal: TcxComboBox\n  Left = 8\n  Top = 8\n  Properties.DropDownListStyle = lsFixedList\n"
      "  Properties.DropDownRows = 12\n  Properties.Items.Strings = (\n    'VIDEO'\n    'VGA'\n    'DVI')\n"
      "  Text = 'VGA'\n  Width = 120\nend\n",
      nullptr));
  auto* combo = dynamic_cast<TcxComboBox*>(root.get());
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->Properties()->DropDownListStyle(), lsFixedList);
  EXPECT_EQ(combo->Properties()->DropDownRows(), 12);
  EXPECT_EQ(combo->Properties()->Items()->Count(), 3);
  EXPECT_EQ(combo->ItemIndex(), 1);
  // Written back: the stored values, never the item index nor the defaults.
  const String text = ComponentToFormText(combo);
  EXPECT_NE(text.find("DropDownListStyle = lsFixedList"), String::npos) << text;
  EXPECT_EQ(text.find("ItemIndex"), String::npos) << text;
  EXPECT_EQ(text.find("ImmediateDropDown"), String::npos) << text;
  ComboBoxUnitShutdown();
}

// ---- the popup editor ----------------------------------------------------------------------------------

class PopupEditTest : public ComboBoxTest {
 protected:
  TcxPopupEdit* NewPopupEdit(TControl* Control) {
    auto* edit = new TcxPopupEdit(form);
    edit->SetParent(form);
    edit->SetBounds(20, 20, 150, 21);
    edit->Properties()->SetPopupControl(Control);
    // The test drives the popup's messages itself.
    edit->PopupWindow()->SetModalMode(false);
    Pump();
    return edit;
  }
  TPanel* NewPanel(TWinControl* Parent, TRect Bounds) {
    auto* panel = new TPanel(form);
    panel->SetParent(Parent);
    panel->SetBoundsRect(RECT{Bounds.Left, Bounds.Top, Bounds.Right, Bounds.Bottom});
    panel->SetAlign(alNone);
    return panel;
  }
};

TEST_F(PopupEditTest, APanelFillsThePopupAndComesBackWithItsAlignmentAndBounds) {
  TPanel* panel = NewPanel(form, TRect(300, 200, 420, 290));
  panel->SetAlign(alRight);
  const TRect bounds(panel->BoundsRect());
  TcxPopupEdit* edit = NewPopupEdit(panel);
  for (bool autoSize : {false, true}) {
    edit->Properties()->SetPopupAutoSize(autoSize);
    Focus(edit);
    edit->SetDroppedDown(true);
    Pump();
    ASSERT_TRUE(edit->DroppedDown());
    TcxCustomEditPopupWindow* popup = edit->PopupWindow();
    EXPECT_EQ(panel->Parent(), popup);
    EXPECT_EQ(panel->Align(), alClient);
    const TRect& client = popup->ViewInfo()->ClientRect;
    EXPECT_EQ(TRect(panel->BoundsRect()), client);
    if (autoSize) {
      EXPECT_EQ(client.Right - client.Left, bounds.Right - bounds.Left);
      EXPECT_EQ(client.Bottom - client.Top, bounds.Bottom - bounds.Top);
    } else {
      EXPECT_EQ(popup->Width(), 250);
      EXPECT_EQ(popup->Height(), 200);
    }
    edit->SetDroppedDown(false);
    Pump();
    EXPECT_EQ(panel->Parent(), form);
    EXPECT_EQ(panel->Align(), alRight);
    EXPECT_EQ(TRect(panel->BoundsRect()), bounds);
    EXPECT_TRUE(panel->Visible());
  }
}

TEST_F(PopupEditTest, AFormShowsWithoutBorderAndGetsItBack) {
  auto* inner = new TForm(form);
  inner->SetBorderStyle(bsSizeable);
  inner->SetBounds(0, 0, 200, 120);
  TcxPopupEdit* edit = NewPopupEdit(inner);
  Focus(edit);
  edit->SetDroppedDown(true);
  Pump();
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_EQ(inner->BorderStyle(), bsNone);
  edit->SetDroppedDown(false);
  Pump();
  EXPECT_EQ(inner->BorderStyle(), bsSizeable);
  EXPECT_EQ(inner->Parent(), nullptr);
}

TEST_F(PopupEditTest, ACharacterTypedInTheEditorOpensThePopupAndReachesItsControl) {
  TPanel* panel = NewPanel(form, TRect(300, 200, 420, 290));
  auto* inner = new TEdit(form);
  inner->SetParent(panel);
  inner->SetBounds(5, 5, 100, 21);
  TcxPopupEdit* edit = NewPopupEdit(inner);
  Focus(edit);
  Type("x");
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_EQ(inner->Text(), "x");
  EXPECT_EQ(edit->Text(), "") << "the character went to the popup, not to the editor";
}

TEST_F(PopupEditTest, AControlFreedWhileThePopupOpensOrShowsLeavesNothingBehind) {
  TcxPopupEdit* edit = NewPopupEdit(nullptr);
  Focus(edit);
  // Freed before the show request arrives.
  TPanel* first = NewPanel(form, TRect(300, 200, 420, 290));
  edit->Properties()->SetPopupControl(first);
  edit->SetDroppedDown(true);
  delete first;
  Pump();
  EXPECT_EQ(edit->Properties()->PopupControl(), nullptr);
  edit->SetDroppedDown(false);
  Pump();
  // Freed while shown: the next control is saved and given back as usual.
  TPanel* second = NewPanel(form, TRect(300, 200, 420, 290));
  edit->Properties()->SetPopupControl(second);
  edit->SetDroppedDown(true);
  Pump();
  ASSERT_TRUE(edit->DroppedDown());
  delete second;
  edit->SetDroppedDown(false);
  Pump();
  TPanel* third = NewPanel(form, TRect(300, 200, 420, 290));
  third->SetAlign(alBottom);
  edit->Properties()->SetPopupControl(third);
  edit->SetDroppedDown(true);
  Pump();
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_EQ(third->Parent(), edit->PopupWindow());
  edit->SetDroppedDown(false);
  Pump();
  EXPECT_EQ(third->Parent(), form);
  EXPECT_EQ(third->Align(), alBottom);
}

TEST_F(PopupEditTest, ItsOwnParentIsACircularReference) {
  TPanel* host = NewPanel(form, TRect(10, 10, 300, 100));
  auto* edit = new TcxPopupEdit(form);
  edit->SetParent(host);
  edit->SetBounds(5, 5, 150, 21);
  edit->Properties()->SetPopupControl(host);
  edit->PopupWindow()->SetModalMode(false);
  Pump();
  Focus(edit);
  try {
    edit->SetDroppedDown(true);
    ADD_FAILURE() << "no error";
  } catch (const EcxEditError& e) {
    EXPECT_EQ(e.Message(), "Circular referencing is not allowed");
  }
  Pump();
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(host->Parent(), form);
}

TEST_F(PopupEditTest, RequestCloseFromAButtonClosesOnceItsClickHasFinished) {
  TPanel* panel = NewPanel(form, TRect(300, 200, 420, 290));
  auto* button = new TButton(form);
  button->SetParent(panel);
  button->SetBounds(10, 10, 60, 24);
  TcxPopupEdit* edit = NewPopupEdit(panel);
  std::vector<int> reasons;
  edit->Properties()->OnPopupClosed = [&](TObject*, int Reason) { reasons.push_back(Reason); };
  bool openInClick = false;
  button->OnClick = [&](TObject*) {
    edit->RequestClose(pcrAccept);
    openInClick = edit->DroppedDown();
    // A later close in the same opening does not change the reason.
  };
  Focus(edit);
  edit->SetDroppedDown(true);
  Pump();
  ASSERT_TRUE(edit->DroppedDown());
  Click(ScreenPoint(button, 20, 10));
  EXPECT_TRUE(openInClick);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(reasons, std::vector<int>{pcrAccept});
  EXPECT_EQ(panel->Parent(), form);
}

TEST_F(PopupEditTest, TheFirstReasonOfAnOpeningWinsEvenAReasonZero) {
  TPanel* panel = NewPanel(form, TRect(300, 200, 420, 290));
  TcxPopupEdit* edit = NewPopupEdit(panel);
  std::vector<int> reasons;
  edit->Properties()->OnPopupClosed = [&](TObject*, int Reason) { reasons.push_back(Reason); };
  Focus(edit);
  edit->SetDroppedDown(true);
  Pump();
  edit->RequestClose(pcrOther);
  edit->CloseDropDown(pcrAccept);
  Pump();
  EXPECT_EQ(reasons, std::vector<int>{pcrOther});
  // The next opening records its own.
  edit->SetDroppedDown(true);
  Pump();
  edit->CloseDropDown(pcrCancel);
  EXPECT_EQ(reasons, (std::vector<int>{pcrOther, pcrCancel}));
}

TEST_F(PopupEditTest, AParentFreedWhileThePopupIsOpenIsNotGivenTheControlBack) {
  TPanel* host = NewPanel(form, TRect(250, 150, 480, 380));
  TPanel* panel = NewPanel(host, TRect(10, 10, 130, 100));
  TcxPopupEdit* edit = NewPopupEdit(panel);
  Focus(edit);
  edit->SetDroppedDown(true);
  Pump();
  ASSERT_EQ(panel->Parent(), edit->PopupWindow());
  delete host;
  edit->SetDroppedDown(false);
  Pump();
  EXPECT_EQ(panel->Parent(), nullptr);
  EXPECT_EQ(edit->Properties()->PopupControl(), panel);
  delete panel;
  EXPECT_EQ(edit->Properties()->PopupControl(), nullptr);
}

// ---- pictures ------------------------------------------------------------------------------------------

// A row of combo boxes closed (one with a fixed list's selection bar, one disabled) and a row of
// open ones in every look; the last open one is sizeable, with its grip. Open popups leave no
// pixels of the editors' background behind their rows.
TEST_F(ComboBoxTest, GalleryClosedAndOpenInEveryLook) {
  delete form;
  form = NewForm(0, 0, 760, 420);
  const TcxLookAndFeelKind kinds[] = {lfStandard, lfFlat, lfUltraFlat, lfOffice11};
  std::vector<TcxComboBox*> open;
  for (int col = 0; col < 4; ++col) {
    const int x = 10 + col * 180;
    auto make = [&](int y, TcxEditDropDownListStyle style) {
      TcxComboBox* c = NewCombo({"VIDEO", "VGA", "DVI", "HDMI", "SDI", "YUV", "VIDEO2", "输入 8", "输入 9",
                                 "输入 10"},
                                style, 160);
      c->SetBounds(x, y, 160, 21);
      c->Style()->LookAndFeel()->SetKind(kinds[col]);
      return c;
    };
    make(10, lsEditList)->SetItemIndex(3);
    TcxComboBox* disabled = make(40, lsEditList);
    disabled->SetItemIndex(1);
    disabled->SetEnabled(false);
    TcxComboBox* fixed = make(70, lsFixedList);
    fixed->SetItemIndex(0);
    if (col == 0) Focus(fixed);
    TcxComboBox* popup = make(110, col == 3 ? lsFixedList : lsEditList);
    popup->SetItemIndex(col);
    if (col == 3) popup->Properties()->SetDropDownSizeable(true);
    open.push_back(popup);
  }
  Pump();
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("editors/combo-box-gallery.png")));
  // Opening focuses the editor: one open popup for each look.
  const char* names[] = {"standard", "flat", "ultraflat", "office11"};
  for (int i = 0; i < 4; ++i) {
    TcxComboBox* c = open[static_cast<std::size_t>(i)];
    c->SetDroppedDown(true);
    Pump();
    ASSERT_TRUE(c->DroppedDown());
    // The highlighted row is the current item, drawn in the selection colour.
    TcxCustomComboBoxListBox* list = c->ListBox();
    RECT r = list->ItemRect(c->ItemIndex());
    HDC dc = GetDC(list->Handle());
    EXPECT_EQ(GetPixel(dc, r.right - 3, (r.top + r.bottom) / 2), ColorToRGB(clHighlight)) << names[i];
    ReleaseDC(list->Handle(), dc);
    EXPECT_TRUE(Headless().SaveScreenshot(
        testsupport::ArtifactPath(String("editors/combo-box-open-") + names[i] + ".png")));
  }
}

}  // namespace
