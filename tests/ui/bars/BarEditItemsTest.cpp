// Edit and combo items: the text and its events, the edit's values, the list combo's index, text and
// matching, the drop-down keys, the list's size, the drop-down placement against the work area, the
// press dragged into the open list, focusing the editor, and screenshots of a toolbar with an edit
// and an open list combo in each painter style.
#include "ui/bars/BarEditItems.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/classes/FormDescription.h"
#include "platform/classes/Streams.h"
#include "platform/display/Display.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/bars/BarItemFixture.h"
#include "tests/ui/bars/BarStandIns.h"
#include "ui/bars/BarDropDownListBox.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarPainter.h"
#include "ui/foundation/Canvas.h"

namespace {

using namespace win;

// The edit and combo controls, counting presses and the list entries loaded into the window.
class TRecordingEditControl : public TdxBarEditControl {
  VW_CLASS(TRecordingEditControl, TdxBarEditControl)
 public:
  using TdxBarEditControl::TdxBarEditControl;
  void Press(bool AByMouse, bool AFlag) override {
    ++Invocations;
    TdxBarEditControl::Press(AByMouse, AFlag);
  }
  int Invocations = 0;
};
class TRecordingComboControl : public TdxBarComboControl {
  VW_CLASS(TRecordingComboControl, TdxBarComboControl)
 public:
  using TdxBarComboControl::TdxBarComboControl;
  void SetLocalItemIndex(int Index) override {
    ++LocalLoads;
    TdxBarComboControl::SetLocalItemIndex(Index);
  }
  int LocalLoads = 0;
};

// A bar window of a kind: a popup of the form painting its controls over its background. A forced
// control makes it active with that control current without going through the activation.
class TEditTestBar : public TPlainBarWindow {
  VW_CLASS(TEditTestBar, TPlainBarWindow)
 public:
  TEditTestBar(TComponent* AOwner, int AKind) : TPlainBarWindow(AOwner), Kind(AKind) {}
  int BarKind() const override { return Kind; }
  int ItemDrawMode() const override { return Kind == dxBarKindMenu ? 1 : 0; }
  bool IsVertical() const override { return Vertical; }
  bool IsActive() const override { return Forced ? true : TdxBarControl::IsActive(); }
  TdxBarItemControl* CurrentControl() const override { return Forced ? Forced : TdxBarControl::CurrentControl(); }
  void Paint() override {
    HDC dc = DrawCanvas()->DeviceContext();
    int saved = SaveDC(dc);
    ViewInfo()->Clear();
    for (int i = 0; ItemLinks() && i < ItemLinks()->VisibleCount(); ++i)
      if (TdxBarItemControl* c = ItemLinks()->VisibleLinks(i)->Control()) ViewInfo()->AddItemControl(c);
    PaintItems();
    RECT r = ClientRect();
    FillRect(dc, &r, BackgroundBrush());
    RestoreDC(dc, saved);
  }

 protected:
  void CreateParams(TCreateParams& Params) override {
    TdxBarControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_CLIPSIBLINGS;
    Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (auto* form = dynamic_cast<TWinControl*>(BarManager() ? BarManager()->Owner() : nullptr))
      Params.WndParent = form->Handle();
  }

 public:
  int Kind;
  bool Vertical = false;
  TdxBarItemControl* Forced = nullptr;
};

// A list combo whose entries measure the widths a test gives them.
class TSizedCombo : public TdxBarCombo {
  VW_CLASS(TSizedCombo, TdxBarCombo)
 public:
  explicit TSizedCombo(TComponent* AOwner) : TdxBarCombo(AOwner) {}
  void MeasureItemWidth(int AIndex, int& AWidth) override {
    AWidth = AIndex == Widest ? WidestWidth : 10;
  }
  void SetItemIndex(int Value) override {
    ++IndexWrites;
    TdxBarCombo::SetItemIndex(Value);
  }
  int Widest = 0, WidestWidth = 72, IndexWrites = 0;
};

class BarEditItemsTest : public BarItemFixture {
 protected:
  void SetUp() override {
    BarItemFixture::SetUp();
    M = new TdxBarManager(Form);
    dxBarItemControlFactory = [](TdxBarItemLink* L) -> TdxBarItemControl* {
      if (dynamic_cast<TCustomdxBarCombo*>(L->Item())) return new TRecordingComboControl(L);
      return new TRecordingEditControl(L);
    };
  }
  void TearDown() override {
    for (TEditTestBar* bar : Bars) TObject::Free(bar);
    Links.clear();
    dxBarItemControlFactory = nullptr;
    EXPECT_EQ(ActiveBarWindow, nullptr) << "no bar stays active";
    BarItemFixture::TearDown();
  }
  // A shown bar window of the kind whose links show the items, side by side from the left.
  TEditTestBar* NewBar(int Kind, const TRect& Bounds, std::initializer_list<std::pair<TdxBarItem*, int>> Items) {
    auto* bar = new TEditTestBar(M, Kind);
    Bars.push_back(bar);
    TdxBarItemLinks* links = Kind == dxBarKindMenu ? static_cast<TdxBarItemLinks*>(new TdxBarSubMenuControlItemLinks(M, nullptr))
                                                   : new TdxBarControlItemLinks(M, nullptr);
    Links.emplace_back(links);
    for (auto [item, width] : Items) {
      (void)width;
      links->AddItem(item);
    }
    bar->SetItemLinks(links);
    Form->Show();
    SetActiveWindow(Form->Handle());
    bar->SetBounds(Bounds.Left, Bounds.Top, Bounds.Right - Bounds.Left, Bounds.Bottom - Bounds.Top);
    bar->HandleNeeded();
    bar->ShowNoActivate();
    bar->SetVisible(true);
    int x = 2;
    int i = 0;
    for (auto [item, width] : Items) {
      links->Items(i++)->SetItemRect({x, 2, x + width, bar->ClientHeight() - 2});
      x += width + 4;
    }
    bar->Invalidate();
    bar->Update();
    return bar;
  }
  static TRecordingEditControl* ControlOf(TdxBarEdit* Item, int Link = 0) {
    return dynamic_cast<TRecordingEditControl*>(Item->Links(Link)->Control());
  }
  static TRecordingComboControl* ControlOf(TCustomdxBarCombo* Item, int Link = 0) {
    return dynamic_cast<TRecordingComboControl*>(Item->Links(Link)->Control());
  }
  // The control edits with the text in its window, its bar active with it.
  static void StartEditing(TEditTestBar* Bar, TdxBarEditControl* Control, const String& Text) {
    Bar->Forced = Control;
    Control->SetFocused(true);
    SetWindowText(Control->InnerWindowHandle(), Text.c_str());
  }
  platform::HeadlessControl& Headless() { return *platform::Headless(); }

  TdxBarManager* M = nullptr;
  std::vector<TEditTestBar*> Bars;
  std::vector<std::unique_ptr<TdxBarItemLinks>> Links;
};

// A combo with the given entries, its OnChange counted.
struct CountedCombo {
  TdxBarCombo* combo;
  int changes = 0;
  CountedCombo(TComponent* Owner, std::initializer_list<const char*> Entries) : combo(new TdxBarCombo(Owner)) {
    for (const char* e : Entries) combo->Items()->Add(e);
    combo->OnChange = [this](TObject*) { ++changes; };
  }
};

TEST_F(BarEditItemsTest, WindowItemTextEventsAndClassDefaults) {
  auto* edit = new TdxBarEdit(Form);
  std::vector<String> log;
  edit->OnChange = [&](TObject*) { log.push_back("change:" + edit->Text()); };
  edit->SetText("COM1");
  edit->SetText("COM1");
  EXPECT_EQ(log, (std::vector<String>{"change:COM1"})) << "a write of the same text is no change";

  EXPECT_FALSE(edit->ClicksDirectly());
  EXPECT_EQ(edit->ControlClass(true), TdxBarButtonControl::StaticClass());
  EXPECT_EQ(edit->ControlClass(false), TdxBarEditControl::StaticClass());
  EXPECT_EQ(edit->Width(), 100);
  EXPECT_EQ(edit->StylesData()->Count(), 2);
  auto* style = new TcxStyle(Form);
  edit->SetStyleEdit(style);
  EXPECT_EQ(edit->StyleEdit(), style);
  EXPECT_EQ(edit->Style(), nullptr) << "slot 1 is its own";

  // MaxLength clamps; zero and negative widths are ignored.
  edit->SetMaxLength(-5);
  EXPECT_EQ(edit->MaxLength(), 0);
  for (int w : {0, -3}) {
    edit->SetWidth(w);
    EXPECT_EQ(edit->Width(), 100) << w;
  }
  edit->SetWidth(140);
  EXPECT_EQ(edit->Width(), 140);

  // ShowEditor is the negated no-editor flag; key events pass their key on.
  auto* combo = new TCustomdxBarCombo(Form);
  EXPECT_TRUE(combo->ShowEditor());
  combo->SetShowEditor(false);
  EXPECT_TRUE(combo->NoEditor());
  combo->OnKeyDown = [](TObject*, WORD& Key, TShiftState) { Key = 0; };
  WORD key = VK_F5;
  combo->FireKeyDown(key, {});
  EXPECT_EQ(key, 0);

  // Entries of the customization dialog: edits as kind 0, combos as kind 1, caption stripped.
  std::vector<int> kinds;
  dxBarCustomizationEntryPainter = [&](TCanvas*, const RECT&, bool, TdxBarItem*, const String& Caption, int Kind) {
    EXPECT_EQ(Caption, "Port");
    kinds.push_back(Kind);
  };
  edit->SetCaption("&Port");
  combo->SetCaption("&Port");
  TBitmap canvasOwner;
  edit->DrawCustomizationEntry(canvasOwner.Canvas(), RECT{0, 0, 10, 10}, false);
  combo->DrawCustomizationEntry(canvasOwner.Canvas(), RECT{0, 0, 10, 10}, false);
  dxBarCustomizationEntryPainter = nullptr;
  EXPECT_EQ(kinds, (std::vector<int>{0, 1}));
}

TEST_F(BarEditItemsTest, IndexTextAndMatching) {
  {  // An index outside the list: -1, the text cleared, one OnChange.
    CountedCombo c(Form, {"a", "b", "c"});
    c.combo->SetItemIndex(1);
    EXPECT_EQ(c.combo->Text(), "b");
    c.changes = 0;
    c.combo->SetItemIndex(99);
    EXPECT_EQ(c.combo->ItemIndex(), -1);
    EXPECT_EQ(c.combo->Text(), "");
    EXPECT_EQ(c.changes, 1);
    c.combo->SetItemIndex(-7);
    EXPECT_EQ(c.changes, 1) << "-1 again is no change";
  }
  {  // The entry's text is the text already: the change of index still reports once.
    CountedCombo c(Form, {"abc", "abc"});
    c.combo->SetText("abc");
    EXPECT_EQ(c.combo->ItemIndex(), 0);
    c.changes = 0;
    c.combo->SetItemIndex(1);
    EXPECT_EQ(c.changes, 1);
    EXPECT_EQ(c.combo->ItemIndex(), 1);
  }
  {  // The text finds its index without events, and the index follows new items through FindItem.
    CountedCombo c(Form, {});
    c.combo->SetText("ab");
    EXPECT_EQ(c.combo->ItemIndex(), -1);
    c.changes = 0;
    TStringList items;
    items.Add("abc");
    c.combo->SetItems(&items);
    EXPECT_EQ(c.combo->ItemIndex(), 0);
    EXPECT_EQ(c.combo->Text(), "abc");
    EXPECT_EQ(c.changes, 1);
    c.combo->Items()->Clear();
    EXPECT_EQ(c.combo->ItemIndex(), -1);
    EXPECT_EQ(c.combo->Text(), "") << "the index leaving the list clears the text";
  }
  {  // Inside an update the index has not followed the list yet: writing the text still finds its entry.
    CountedCombo c(Form, {"a", "b", "c"});
    c.combo->SetItemIndex(2);
    c.combo->Items()->BeginUpdate();
    c.combo->Items()->Delete(2);
    c.combo->SetText("b");
    EXPECT_EQ(c.combo->ItemIndex(), 1);
    c.combo->Items()->EndUpdate();
    EXPECT_EQ(c.combo->ItemIndex(), 1);
  }
  {  // Sorting keeps the text and moves the index with its entry.
    CountedCombo c(Form, {"pear", "apple", "fig"});
    c.combo->SetItemIndex(0);
    c.combo->SetSorted(true);
    EXPECT_EQ(c.combo->Text(), "pear");
    EXPECT_EQ(c.combo->ItemIndex(), 2);
    c.combo->SetSorted(false);
    EXPECT_EQ(c.combo->ItemIndex(), 2);
    EXPECT_EQ(c.combo->Items()->Strings(2), "pear");
  }

  struct Case {
    std::vector<const char*> items;
    const char* text;
    int expected;
  };
  const Case cases[] = {
      {{"ax", "abc"}, "ab", 1},  {{"ax", "abc"}, "aq", 0},        {{"ax", "abc"}, "AB", 1},
      {{"ax", "abc"}, "", -1},   {{"ab"}, "abcd", 0},             {{"中国", "中文字"}, "中文", 1},
      {{"xa", "ya"}, "a", -1},   {{"Ärger", "ärmel"}, "ÄRM", 1},  {{"a", "ab", "abc"}, "abc", 2},
  };
  auto* combo = new TdxBarCombo(Form);
  for (const Case& c : cases) {
    combo->Items()->Clear();
    for (const char* s : c.items) combo->Items()->Add(s);
    EXPECT_EQ(combo->FindItem(c.text), c.expected) << c.text;
  }
}

TEST_F(BarEditItemsTest, ManyItemsAddedInOneUpdateMatchOnce) {
  auto* combo = new TSizedCombo(Form);
  combo->SetText("item5000");
  combo->IndexWrites = 0;
  combo->Items()->BeginUpdate();
  for (int i = 0; i < 10000; ++i) combo->Items()->Add("item" + std::to_string(i));
  combo->Items()->EndUpdate();
  EXPECT_EQ(combo->IndexWrites, 1);
  EXPECT_EQ(combo->ItemIndex(), 5000);
  EXPECT_EQ(combo->Text(), "item5000");
}

TEST_F(BarEditItemsTest, DropDownKeys) {
  auto* list = new TdxBarCombo(Form);
  struct Key {
    WORD key;
    TShiftState shift;
    bool expected;
  };
  for (Key k : {Key{VK_DOWN, {}, true}, Key{VK_UP, {}, true}, Key{VK_PRIOR, {}, true}, Key{VK_NEXT, {}, true},
                Key{VK_DOWN, {ssShift}, false}, Key{VK_UP, {ssAlt}, false}, Key{VK_NEXT, {ssCtrl}, false},
                Key{VK_RETURN, {}, false}, Key{'A', {}, false}})
    EXPECT_EQ(list->IsDropDownKey(k.key, k.shift), k.expected) << k.key;
  int asked = 0;
  list->OnCheckKeyForDropDownWindow = [&](TCustomdxBarCombo*, WORD, TShiftState, bool&) { ++asked; };
  list->IsDropDownKey(VK_DOWN, {});
  EXPECT_EQ(asked, 0) << "the list combo does not ask the event";

  auto* app = new TCustomdxBarCombo(Form);
  for (WORD k : {VK_TAB, VK_RETURN, VK_ESCAPE}) EXPECT_FALSE(app->IsDropDownKey(k, {})) << k;
  EXPECT_TRUE(app->IsDropDownKey(VK_F5, {}));
  app->OnCheckKeyForDropDownWindow = [](TCustomdxBarCombo*, WORD Key, TShiftState, bool& Accept) {
    if (Key == VK_F5) Accept = false;
  };
  EXPECT_FALSE(app->IsDropDownKey(VK_F5, {}));
  EXPECT_TRUE(app->IsDropDownKey(VK_F6, {}));
}

TEST_F(BarEditItemsTest, ListSizeFollowsCountHeightsAndWidths) {
  const int savedScroll = GetSystemMetrics(SM_CXVSCROLL);
  SetSystemMetricOverride(SM_CXVSCROLL, 17);
  auto* combo = new TSizedCombo(Form);
  combo->SetItemHeight(16);
  TEditTestBar* bar = NewBar(dxBarKindToolbar, {100, 100, 400, 126}, {{combo, 120}});
  bar->Forced = ControlOf(combo);
  struct Case {
    int count, widest;
    TSize expected;
  };
  for (Case c : {Case{20, 72, {120, 132}}, Case{20, 202, {223, 132}}, Case{5, 72, {120, 84}}, Case{5, 202, {206, 84}}}) {
    combo->Items()->Clear();
    for (int i = 0; i < c.count; ++i) combo->Items()->Add("entry " + std::to_string(i));
    combo->Widest = 3;
    combo->WidestWidth = c.widest;
    combo->DropDown(100, 124);
    RECT r{};
    GetWindowRect(combo->ListBox()->Handle(), &r);
    EXPECT_EQ(TSize(r.right - r.left, r.bottom - r.top), c.expected) << c.count << " items, widest " << c.widest;
    combo->CloseUp();
    EXPECT_EQ(combo->ListBox()->Parent(), nullptr);
  }
  // The measuring event has the last word on each entry's height.
  combo->OnMeasureItem = [](TdxBarCustomCombo*, int Index, int& Height) { Height = Index == 0 ? 30 : 10; };
  combo->DropDown(100, 124);
  RECT r{};
  GetWindowRect(combo->ListBox()->Handle(), &r);
  EXPECT_EQ(r.bottom - r.top, 4 + 30 + 4 * 10);
  combo->CloseUp();
  combo->OnMeasureItem = nullptr;
  // An explicit width is the whole width.
  combo->SetDropDownWidth(90);
  EXPECT_EQ(combo->DropDownListWidth(), 90);
  SetSystemMetricOverride(SM_CXVSCROLL, savedScroll);
}

TEST_F(BarEditItemsTest, PlacementAgainstTheWorkArea) {
  // An application window of 150 x 132.
  HWND window = CreateWindowEx(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 150, 132, nullptr, nullptr, nullptr, nullptr);
  auto* combo = new TCustomdxBarCombo(Form);
  combo->OnGetDropDownWindow = [&](TObject*, HWND& W) { W = window; };
  std::vector<String> log;
  combo->OnDropDown = [&](TObject*) { log.push_back("drop"); };
  struct Case {
    int kind;
    bool vertical;
    TRect item;  // in the bar's client coordinates, the bar at the screen's origin
    TPoint at;
    TPoint expected;
  };
  const Case cases[] = {
      // From a menu near the right edge: more room left of the item, so it opens there.
      {dxBarKindMenu, false, {800, 300, 1000, 320}, {1000, 300}, {650, 300}},
      // From a menu with room to the right; the bottom edge pulls it up.
      {dxBarKindMenu, false, {100, 700, 300, 720}, {300, 700}, {300, 636}},
      // On a vertical toolbar, as in a menu.
      {dxBarKindToolbar, true, {800, 300, 1000, 320}, {1000, 300}, {650, 300}},
      // On a toolbar near the bottom: more room above, so it opens above the item.
      {dxBarKindToolbar, false, {100, 678, 220, 700}, {100, 700}, {100, 546}},
      // On a toolbar near the right edge: pulled left to fit.
      {dxBarKindToolbar, false, {950, 100, 1020, 122}, {950, 122}, {874, 122}},
      // Left of the work area: clamped to its left.
      {dxBarKindToolbar, false, {0, 100, 60, 122}, {-50, 122}, {0, 122}},
  };
  for (const Case& c : cases) {
    TEditTestBar* bar = NewBar(c.kind, {0, 0, 1024, 768}, {{combo, 10}});
    bar->Vertical = c.vertical;
    combo->Links(0)->SetItemRect(c.item);
    bar->Forced = ControlOf(combo);
    log.clear();
    combo->DropDown(c.at.X, c.at.Y);
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(TPoint(r.left, r.top), c.expected) << c.item.Left << "," << c.item.Top;
    EXPECT_EQ(TSize(r.right - r.left, r.bottom - r.top), TSize(150, 132)) << "moved, not sized";
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(GetWindowLong(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(log, (std::vector<String>{"drop"}));
    combo->OnCloseUp = [&](TObject*) { log.push_back("closeup"); };
    combo->CloseUp();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(log.back(), "closeup");
    combo->DeleteAllLinks();
    Bars.pop_back();
    TObject::Free(bar);
  }
  DestroyWindow(window);
}

TEST_F(BarEditItemsTest, AHandlerThatClosesTheBarsStopsTheDropDown) {
  auto* combo = new TdxBarCombo(Form);
  combo->Items()->Add("a");
  TEditTestBar* bar = NewBar(dxBarKindToolbar, {100, 100, 400, 126}, {{combo, 120}});
  bar->Forced = ControlOf(combo);
  combo->OnDropDown = [&](TObject*) { bar->Forced = nullptr; };
  combo->ListBox();
  combo->DropDown(100, 124);
  EXPECT_FALSE(combo->ListBox()->HandleAllocated() && IsWindowVisible(combo->ListBox()->Handle()));
  EXPECT_EQ(GetCapture(), nullptr) << "nothing shown, nothing captured";
  combo->CloseUp();
}

TEST_F(BarEditItemsTest, SelectionFollowsTheWindowText) {
  auto* combo = new TdxBarCombo(Form);
  for (const char* s : {"alpha", "beta", "betamax", "gamma", "delta", "epsilon", "zeta", "eta", "theta", "iota"})
    combo->Items()->Add(s);
  combo->SetDropDownCount(3);
  TEditTestBar* bar = NewBar(dxBarKindToolbar, {100, 100, 400, 126}, {{combo, 120}});
  TRecordingComboControl* control = ControlOf(combo);
  StartEditing(bar, control, "BETA");
  control->LocalLoads = 0;
  control->SetDroppedDown(true);
  EXPECT_EQ(control->LocalItemIndex(), 1);
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 1) << "an entry equal but for case is selected";

  SetWindowText(control->InnerWindowHandle(), "bet");
  combo->FireCurChange();
  EXPECT_EQ(control->LocalItemIndex(), 1) << "found again by its start";
  EXPECT_EQ(combo->ListBox()->ItemIndex(), -1) << "no entry equals the text";

  SetWindowText(control->InnerWindowHandle(), "iot");
  combo->FireCurChange();
  EXPECT_EQ(control->LocalItemIndex(), 9);
  EXPECT_EQ(combo->ListBox()->TopIndex(), 7) << "scrolled as far towards the entry as the list goes";
  EXPECT_EQ(control->LocalLoads, 0) << "the typed text stays";
  EXPECT_EQ(control->WindowText(), "iot");

  // A control whose entry still names the text keeps it even where the matching finds another.
  control->StoreLocalItemIndex(2);
  SetWindowText(control->InnerWindowHandle(), "betamax");
  combo->FireCurChange();
  EXPECT_EQ(control->LocalItemIndex(), 2);
  // The current index of the editing control is what its interior shows; Text for the others.
  EXPECT_EQ(combo->CurrentText(), "betamax");
  control->Deactivate(false);
  EXPECT_FALSE(control->IsDroppedDown());
}

TEST_F(BarEditItemsTest, APressDraggedIntoTheListChoosesAnEntry) {
  auto* combo = new TdxBarCombo(Form);
  for (const char* s : {"COM1", "COM2", "COM3", "COM4"}) combo->Items()->Add(s);
  combo->SetItemHeight(16);
  TEditTestBar* bar = NewBar(dxBarKindToolbar, {100, 100, 400, 126}, {{combo, 120}});
  TRecordingComboControl* control = ControlOf(combo);
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  // A press on the combo's button drops the list while the button is down.
  const TRect part = control->PartRects(3);
  const TPoint button{100 + (part.Left + part.Right) / 2, 100 + (part.Top + part.Bottom) / 2};
  // As a toolbar window does, the press activates the bar with the control first.
  bar->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { bar->ActivateWithControl(ControlOf(combo)); };
  // Released where it was pressed: the list stays open, nothing is chosen, the capture ends; a
  // click on an entry then chooses it and closes the bars.
  Headless().InjectMouseMove(button.X, button.Y);
  Headless().InjectMouseButton(1, true);
  Application->ProcessMessages();
  HWND list = combo->ListBox()->Handle();
  ASSERT_TRUE(IsWindowVisible(list));
  EXPECT_EQ(GetCapture(), list);
  Headless().InjectMouseButton(1, false);
  Application->ProcessMessages();
  EXPECT_TRUE(IsWindowVisible(list));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(combo->ListBox()->Pressed());
  EXPECT_EQ(combo->ItemIndex(), -1);
  Headless().InjectMouseMove(102 + 20, 124 + 2 + 16 + 8);
  Headless().InjectMouseButton(1, true);
  Headless().InjectMouseButton(1, false);
  Application->ProcessMessages();
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "COM2");
  EXPECT_EQ(ActiveBarWindow, nullptr);
  EXPECT_EQ(combo->ListBox()->Parent(), nullptr);
  changes = 0;

  // Pressed, dragged into the list and released over an entry.
  Headless().InjectMouseMove(button.X, button.Y);
  Headless().InjectMouseButton(1, true);
  Application->ProcessMessages();
  list = combo->ListBox()->Handle();
  ASSERT_TRUE(IsWindowVisible(list));
  EXPECT_EQ(GetCapture(), list) << "the list holds the press";
  EXPECT_TRUE(combo->ListBox()->Pressed());
  RECT r{};
  GetWindowRect(list, &r);
  EXPECT_EQ(TPoint(r.left, r.top), TPoint(102, 124)) << "below the item";
  // Drag to the third entry and release there.
  Headless().InjectMouseMove(r.left + 20, r.top + 2 + 16 * 2 + 8);
  Application->ProcessMessages();
  EXPECT_FALSE(combo->ListBox()->Pressed()) << "the list took over the press";
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 2);
  Headless().InjectMouseButton(1, false);
  Application->ProcessMessages();
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), "COM3");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(ActiveBarWindow, nullptr) << "the bars closed up";
  EXPECT_EQ(combo->ListBox()->Parent(), nullptr) << "closed with them";
  EXPECT_EQ(GetCapture(), nullptr);

  // Dropped without the button down: nothing is captured.
  control = ControlOf(combo);
  bar->Forced = control;
  control->SetDroppedDown(true);
  EXPECT_NE(GetCapture(), combo->ListBox()->Handle());
  EXPECT_FALSE(combo->ListBox()->Pressed());
  bar->Forced = nullptr;
  control->Deactivate(false);
}

TEST_F(BarEditItemsTest, TheListGoesWithABarFreedWhileItIsOpen) {
  auto* combo = new TdxBarCombo(Form);
  combo->Items()->Add("a");
  TEditTestBar* bar = NewBar(dxBarKindToolbar, {100, 100, 400, 126}, {{combo, 120}});
  bar->Forced = ControlOf(combo);
  combo->DropDown(100, 124);
  ASSERT_EQ(combo->ListBox()->Parent(), bar);
  Bars.pop_back();
  TObject::Free(bar);
  // A new list stands in; dropping down and closing up work on.
  EXPECT_EQ(combo->ListBox()->Parent(), nullptr);
  combo->CloseUp();
  EXPECT_EQ(combo->Items()->Count(), 1);
}

TEST_F(BarEditItemsTest, FocusEditorEntersTheFirstToolbarEditor) {
  auto* edit = new TdxBarEdit(Form);
  TEditTestBar* menu = NewBar(dxBarKindMenu, {100, 300, 300, 330}, {{edit, 120}});
  edit->FocusEditor(false);
  EXPECT_EQ(ControlOf(edit)->Invocations, 0) << "a menu's editor is not entered";
  TEditTestBar* hidden = NewBar(dxBarKindToolbar, {100, 100, 400, 126}, {{edit, 120}});
  TEditTestBar* shown = NewBar(dxBarKindToolbar, {100, 200, 400, 226}, {{edit, 120}});
  hidden->SetVisible(false);
  ShowWindow(hidden->Handle(), SW_HIDE);
  auto* hiddenControl = static_cast<TRecordingEditControl*>(edit->Links(1)->Control());
  auto* shownControl = static_cast<TRecordingEditControl*>(edit->Links(2)->Control());
  edit->FocusEditor(true);
  EXPECT_EQ(hiddenControl->Invocations, 0);
  EXPECT_EQ(shownControl->Invocations, 1);
  EXPECT_EQ(ActiveBarWindow, shown);
  EXPECT_EQ(shown->SelectedControl(), shownControl);
  shown->DeactivateAndDeselect();
  edit->FocusEditor(false);
  EXPECT_EQ(hiddenControl->Invocations, 1) << "without VisibleOnly the first toolbar link";
  hidden->DeactivateAndDeselect();
  (void)menu;
}

TEST_F(BarEditItemsTest, TheInteriorShowsTheEditedTextOnlyForTheEditingLink) {
  auto* edit = new TdxBarEdit(Form);
  auto* combo = new TdxBarCombo(Form);
  for (const char* e : {"COM1", "COM2", "COM3"}) combo->Items()->Add(e);
  TEditTestBar* bar = NewBar(dxBarKindToolbar, {100, 100, 400, 126}, {{edit, 120}, {combo, 120}});
  // The interior an item draws for its control, as pixels.
  auto interior = [](TdxBarEdit* Item) {
    TBitmap bitmap;
    bitmap.SetSize(100, 20);
    bitmap.Canvas()->Brush()->SetColor(clWhite);
    bitmap.Canvas()->FillRect(RECT{0, 0, 100, 20});
    Item->DrawInterior(Item->Links(0)->Control(), bitmap.Canvas(), Item->Links(0), {0, 0, 100, 20});
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 100; ++x) pixels.push_back(GetPixel(bitmap.Canvas()->Handle(), x, y));
    return pixels;
  };
  edit->SetText("XYZ");
  const auto typed = interior(edit);
  edit->SetText("abc");
  EXPECT_NE(interior(edit), typed);
  ControlOf(edit)->SetFocused(true);
  SetWindowText(ControlOf(edit)->InnerWindowHandle(), "XYZ");
  EXPECT_NE(interior(edit), typed) << "a link that does not edit shows the item's text";
  bar->Forced = ControlOf(edit);
  EXPECT_EQ(edit->EditingLink(), edit->Links(0));
  EXPECT_EQ(interior(edit), typed) << "the editing link shows what is typed";

  combo->SetItemIndex(2);
  const auto third = interior(combo);
  combo->SetItemIndex(0);
  ControlOf(edit)->SetFocused(false);
  ControlOf(combo)->SetFocused(true);
  ControlOf(combo)->StoreLocalItemIndex(2);
  EXPECT_NE(interior(combo), third);
  bar->Forced = ControlOf(combo);
  EXPECT_EQ(interior(combo), third) << "the editing control's entry";
  bar->Forced = nullptr;
  ControlOf(combo)->SetFocused(false);

  // On a toolbar an edit is reached only when it shows its caption; in a menu always.
  EXPECT_FALSE(edit->IsReachable(edit->Links(0)));
  edit->SetShowCaption(true);
  EXPECT_TRUE(edit->IsReachable(edit->Links(0)));
  TEditTestBar* menu = NewBar(dxBarKindMenu, {100, 300, 300, 330}, {{combo, 120}});
  EXPECT_TRUE(combo->IsReachable(combo->Links(1)));
  combo->SetEnabled(false);
  EXPECT_FALSE(combo->IsReachable(combo->Links(1)));
  (void)menu;
}

TEST_F(BarEditItemsTest, AKeyInTheListSelectsAndTellsTheControl) {
  auto* combo = new TdxBarCombo(Form);
  for (const char* e : {"COM1", "COM2", "COM3"}) combo->Items()->Add(e);
  TEditTestBar* bar = NewBar(dxBarKindToolbar, {100, 100, 400, 126}, {{combo, 120}});
  TRecordingComboControl* control = ControlOf(combo);
  bar->Forced = control;
  control->SetDroppedDown(true);
  TdxBarDropDownListBox* list = combo->ListBox();
  ASSERT_EQ(list->ItemIndex(), -1);
  SendMessage(list->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_GE(list->ItemIndex(), 0) << "a key in a list without a selection starts from the top line";
  EXPECT_EQ(control->LocalItemIndex(), list->ItemIndex()) << "the chosen line reaches the combo control";
  EXPECT_EQ(control->WindowText(), combo->Items()->Strings(list->ItemIndex()));
  EXPECT_EQ(control->LocalLoads, 1);
  EXPECT_EQ(SendMessage(list->Handle(), WM_ERASEBKGND, 0, 0), 1);
  // Rows drawn by the handler when there is one, each row once per paint.
  std::vector<int> drawn;
  combo->OnDrawItem = [&](TdxBarCustomCombo* Sender, int Index, const TRect& R, TOwnerDrawState) {
    Sender->ItemCanvas()->FillRect(R);
    drawn.push_back(Index);
  };
  RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2}));
  combo->OnDrawItem = nullptr;
  RECT window{}, client{};
  GetWindowRect(list->Handle(), &window);
  GetClientRect(list->Handle(), &client);
  const int border = M->Painter()->DropDownListBorderSize();
  EXPECT_EQ(client.right, window.right - window.left - 2 * border) << "the painter's border around the rows";
  bar->Forced = nullptr;
  control->Deactivate(false);
}

TEST_F(BarEditItemsTest, FormDescriptionsKeepTheValuesAndReadingIsSilent) {
  M->SetName("dxBarManager1");
  Form->SetName("EditForm");
  auto* edit = new TdxBarEdit(Form);
  edit->SetName("eAddress");
  edit->SetText("10.0.0.1");
  edit->SetMaxLength(15);
  edit->SetReadOnly(true);
  auto* combo = new TdxBarCombo(Form);
  combo->SetName("cPort");
  for (const char* e : {"COM1", "COM2", "COM3"}) combo->Items()->Add(e);
  combo->SetItemIndex(2);
  combo->SetDropDownCount(5);
  combo->SetShowEditor(false);
  combo->SetWidth(80);

  TMemoryStream binary;
  binary.WriteDescendent(Form, nullptr);
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(&binary, &text);
  const String s = text.DataString();
  auto section = [&s](const String& name) {
    auto start = s.find("object " + name);
    return start == String::npos ? String() : s.substr(start, s.find("\n  end", start) - start);
  };
  EXPECT_EQ(s.find("object eAddress"), s.rfind("object eAddress")) << "an item outside every category is written once\n" << s;
  for (const char* expected : {"Width = 100", "MaxLength = 15", "ReadOnly = True", "Text = '10.0.0.1'"})
    EXPECT_NE(section("eAddress").find(expected), String::npos) << expected << "\n" << s;
  for (const char* absent : {"ImageIndex", "ShowCaption", "ShowEditor"})
    EXPECT_EQ(section("eAddress").find(absent), String::npos) << absent << "\n" << s;
  for (const char* expected : {"Width = 80", "ItemIndex = 2", "DropDownCount = 5", "ShowEditor = False"})
    EXPECT_NE(section("cPort").find(expected), String::npos) << expected << "\n" << s;

  delete edit;
  delete combo;
  delete M;
  M = nullptr;
  RegisterClassesOf<TdxBarManager>();
  binary.SetPosition(0);
  binary.ReadComponent(Form);
  auto* edit2 = dynamic_cast<TdxBarEdit*>(Form->FindComponent("eAddress"));
  auto* combo2 = dynamic_cast<TdxBarCombo*>(Form->FindComponent("cPort"));
  ASSERT_NE(edit2, nullptr);
  ASSERT_NE(combo2, nullptr);
  EXPECT_EQ(edit2->Text(), "10.0.0.1");
  EXPECT_EQ(edit2->MaxLength(), 15);
  EXPECT_TRUE(edit2->ReadOnly());
  EXPECT_EQ(combo2->Items()->Count(), 3);
  EXPECT_EQ(combo2->ItemIndex(), 2);
  EXPECT_EQ(combo2->Text(), "COM3");
  EXPECT_FALSE(combo2->ShowEditor());
  EXPECT_EQ(combo2->Width(), 80);
  EXPECT_EQ(combo2->DropDownCount(), 5);

  // Read into an item that lives: no OnChange while it loads, and its glyph goes the first time only.
  auto* reread = new TdxBarEdit(Form);
  reread->SetName("eRead");
  reread->SetText("stored");
  TMemoryStream one;
  one.WriteComponent(reread);
  reread->SetText("typed");
  int changes = 0;
  reread->OnChange = [&](TObject*) { ++changes; };
  TBitmap glyph;
  glyph.SetSize(16, 16);
  reread->SetGlyph(&glyph);
  one.SetPosition(0);
  one.ReadComponent(reread);
  EXPECT_EQ(reread->Text(), "stored");
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(reread->Glyph()->Empty());
  reread->SetGlyph(&glyph);
  one.SetPosition(0);
  one.ReadComponent(reread);
  EXPECT_FALSE(reread->Glyph()->Empty()) << "cleared once per item";
}

TEST_F(BarEditItemsTest, ScreenshotsOfAToolbarWithAnEditAndAnOpenCombo) {
  auto* edit = new TdxBarEdit(Form);
  edit->SetText("192.168.0.10");
  auto* combo = new TdxBarCombo(Form);
  for (const char* s : {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9", "COM10"})
    combo->Items()->Add(s);
  combo->SetItemIndex(2);
  combo->SetItemHeight(16);
  const std::pair<TdxBarManagerStyle, const char*> styles[] = {
      {bmsStandard, "standard"}, {bmsEnhanced, "enhanced"}, {bmsFlat, "flat"}, {bmsXP, "xp"}, {bmsOffice11, "office11"}};
  for (auto [style, name] : styles) {
    M->SetStyle(style);
    TEditTestBar* bar = NewBar(dxBarKindToolbar, {40, 40, 320, 66}, {{edit, 130}, {combo, 120}});
    TRecordingComboControl* control = ControlOf(combo);
    bar->Forced = control;
    control->SetDroppedDown(true);
    HWND list = combo->ListBox()->Handle();
    ASSERT_TRUE(IsWindowVisible(list)) << name;
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    bar->Invalidate();
    bar->Update();
    Application->ProcessMessages();
    EXPECT_EQ(combo->ListBox()->ItemIndex(), 2) << "the combo's entry is selected in the list";
    // The list sits under the combo, as wide as its control.
    RECT r{};
    GetWindowRect(list, &r);
    EXPECT_EQ(r.left, 40 + 136);
    EXPECT_EQ(r.right - r.left, 120);
    // The selected row is drawn in the highlight colour.
    HDC dc = GetDC(list);
    EXPECT_EQ(GetPixel(dc, 4, 16 * 2 + 8), GetSysColor(COLOR_HIGHLIGHT)) << name;
    ReleaseDC(list, dc);
    EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath(String("bar_edit_items_") + name + ".png")));
    control->Deactivate(false);
    edit->DeleteAllLinks();
    combo->DeleteAllLinks();
    Bars.pop_back();
    TObject::Free(bar);
  }
}

}  // namespace
