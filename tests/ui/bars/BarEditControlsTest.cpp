// Edit controls on a docked toolbar: pressing shows the inner window with the text selected,
// Enter stores and closes the bars, Escape stores nothing, and long text reads back cut by
// characters, not bytes.
#include <gtest/gtest.h>

#include <string>

#include "platform/win/Controls.h"
#include <algorithm>
#include <cctype>
#include <functional>
#include <vector>

#include "tests/ui/bars/BarHooksFixture.h"
#include "tests/ui/bars/BarItemControlFixture.h"
#include "tests/ui/bars/BarPainterFixture.h"
#include "ui/bars/BarSkinPainter.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/foundation/ObjectLinks.h"
#include "ui/bars/Xmas2008BluePainter.h"
#include "ui/bars/BarDropDownListBox.h"
#include "ui/controls/WindowProcController.h"

namespace {

using namespace win;

class BarEditControlTest : public BarHooksFixture {
 protected:
  // The toolbar active with the name edit focused, its window over the link.
  THookControl* Focus() {
    THookControl* name = ControlOf(Name);
    name->Edit = name->InnerWindowHandle();
    name->SetWindowRect(Name->Links(0)->ItemRect());
    Standard->Control()->ActivateWithControl(name);
    name->Press(false);
    return name;
  }
};

TEST_F(BarEditControlTest, PressShowsTheTextSelectedAndEnterStoresIt) {
  Name->SetText("xy");
  int changes = 0, enters = 0;
  Name->OnChange = [&](TObject*) { ++changes; };
  Name->OnEnter = [&](TObject*) { ++enters; };
  THookControl* name = Focus();
  HWND window = name->InnerWindowHandle();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetFocus(), window);
  EXPECT_EQ(enters, 1);
  DWORD start = 9, end = 9;
  SendMessage(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 2u);

  for (unsigned key : {'A', 'B', 'C'}) Press(key);
  Press(VK_RETURN);
  Pump();
  EXPECT_EQ(Name->Text(), "abc");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(ActiveBarWindow, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));
  name->Edit = nullptr;
}

TEST_F(BarEditControlTest, EscapeStoresNothing) {
  Name->SetText("xy");
  THookControl* name = Focus();
  Press('Q');
  Press(VK_ESCAPE);
  Pump();
  EXPECT_EQ(Name->Text(), "xy");
  name->Edit = nullptr;
}

TEST_F(BarEditControlTest, LongTextReadsBackAsItsFirst255Characters) {
  THookControl* name = ControlOf(Name);
  struct Case {
    std::string Unit;
    int Count;
    int Kept;
  };
  for (const Case& c : {Case{"a", 300, 255}, Case{"\xE4\xB8\xAD", 120, 120}, Case{"\xE4\xB8\xAD", 300, 255}}) {
    std::string text;
    for (int i = 0; i < c.Count; ++i) text += c.Unit;
    SendMessage(name->InnerWindowHandle(), EM_LIMITTEXT, 0, 0);
    SetWindowText(name->InnerWindowHandle(), text.c_str());
    EXPECT_EQ(name->WindowText().size(), c.Unit.size() * static_cast<std::size_t>(c.Kept)) << c.Count;
  }
}

}  // namespace

// ---- real edit and combo controls on a toolbar and in a menu -----------------------------------


namespace {

using namespace win;

// A toolbar (or a menu) showing an edit ("Name", 120 wide) and a list combo ("Port", COM1 to COM4)
// through their own controls; typed keys reach the focused inner window.
class BarEditComboTest : public BarInputFixture {
 public:
  void SetUp() override {
    BarInputFixture::SetUp();
    Edit = Make<TdxBarEdit>("Name");
    Edit->SetWidth(120);
    Edit->SetShowCaption(true);
    Combo = Make<TdxBarCombo>("Port");
    Combo->SetWidth(90);
    for (const char* s : {"COM1", "COM2", "COM3", "COM4"}) Combo->Items()->Add(s);
    Combo->SetItemHeight(16);
    Edit->OnChange = [this](TObject*) { ++Changes; };
  }
  void TearDown() override {
    for (TStandInBar* bar : Bars)
      if (bar->HandleAllocated()) bar->SetActiveState(false);
    BarInputFixture::TearDown();
  }
  TStandInBar* Bar(int AKind) {
    TStandInBar* bar = NewBar(AKind, {Edit, Combo});
    bar->RealCloseUp = true;
    bar->Update();
    return bar;
  }
  template <class T>
  static T* ControlOf(TdxBarItem* Item, int Link = 0) {
    return dynamic_cast<T*>(Item->Links(Link)->Control());
  }
  // Focuses the control as a press on it does: its bar becomes active with it selected.
  template <class T>
  T* Focus(TdxBarItem* Item, int Link = 0) {
    auto* control = ControlOf<T>(Item, Link);
    control->Parent()->ActivateWithControl(control);
    control->Invoke(false);
    Pump();
    return control;
  }
  void Type(unsigned AKey) {
    Headless().InjectKey(AKey, true);
    Headless().InjectKey(AKey, false);
    Pump();
  }
  void Chord(unsigned AModifier, unsigned AKey) {
    Headless().InjectKey(AModifier, true);
    Type(AKey);
    Headless().InjectKey(AModifier, false);
    Pump();
  }
  void TypeText(const char* AText) {
    for (const char* c = AText; *c; ++c) Type(static_cast<unsigned>(std::toupper(static_cast<unsigned char>(*c))));
  }
  // A click on the form, away from every bar.
  void Click() {
    MoveTo({500, 420});
    Button(true);
    Button(false);
  }
  static TRect WindowRectInParent(HWND Window) {
    RECT r{};
    GetWindowRect(Window, &r);
    MapWindowPoints(nullptr, GetParent(Window), reinterpret_cast<POINT*>(&r), 2);
    return TRect(r);
  }

  TdxBarEdit* Edit = nullptr;
  TdxBarCombo* Combo = nullptr;
  int Changes = 0;
};

TEST_F(BarEditComboTest, PressingShowsTheWindowOverTheContentWithTheTextSelected) {
  for (int kind : {dxBarKindToolbar, dxBarKindMenu}) {
    Edit->SetText("hello");
    int enters = 0;
    Edit->OnEnter = [&](TObject*) { ++enters; };
    TStandInBar* bar = Bar(kind);
    auto* edit = Focus<TdxBarEditControl>(Edit, kind == dxBarKindToolbar ? 0 : 1);
    HWND window = edit->InnerWindowHandle();
    ASSERT_TRUE(window && IsWindowVisible(window)) << kind;
    EXPECT_EQ(GetFocus(), window);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(WindowRectInParent(window), edit->PartRects(0)) << kind;
    EXPECT_EQ(edit->InnerWindowRect(), edit->PartRects(0));
    const TRect item = edit->ItemRect();
    EXPECT_GT(edit->PartRects(0).Left, item.Left + edit->TextWidth()) << "the caption stands left of the box";
    EXPECT_EQ(edit->PartRects(0).Right, item.Right - M->Painter()->EditBorderOffsets().Right);
    DWORD start = 9, end = 9;
    SendMessage(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
    bar->SetActiveState(false);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(edit->Focused());
    Edit->OnEnter = nullptr;
  }
}

TEST_F(BarEditComboTest, HowEditingEnds) {
  struct Case {
    const char* name;
    bool alwaysSave;
    std::function<void(BarEditComboTest*)> end;
    const char* expected;
  };
  const Case cases[] = {
      {"Enter", false, [](BarEditComboTest* t) { t->Type(VK_RETURN); }, "abc"},
      {"Escape", false, [](BarEditComboTest* t) { t->Type(VK_ESCAPE); }, "old"},
      {"Escape, always saving", true, [](BarEditComboTest* t) { t->Type(VK_ESCAPE); }, "old"},
      {"click elsewhere", false, [](BarEditComboTest* t) { t->Click(); }, "old"},
      {"click elsewhere, always saving", true, [](BarEditComboTest* t) { t->Click(); }, "abc"},
      {"Tab", false, [](BarEditComboTest* t) { t->Type(VK_TAB); }, "abc"},
  };
  TStandInBar* bar = Bar(dxBarKindToolbar);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Edit->SetText("old");
    M->SetAlwaysSaveText(c.alwaysSave);
    Changes = 0;
    std::vector<char32_t> typed;
    Edit->OnKeyPress = [&](TObject*, TChar& Key) { typed.push_back(Key); };
    Focus<TdxBarEditControl>(Edit);
    TypeText("abc");
    c.end(this);
    EXPECT_EQ(Edit->Text(), c.expected);
    EXPECT_EQ(Changes, String(c.expected) == "abc" ? 1 : 0);
    EXPECT_EQ(std::count(typed.begin(), typed.end(), U'\r'), 0) << "no stray Enter";
    Edit->OnKeyPress = nullptr;
    if (String(c.name) == "Tab") {
      auto* combo = ControlOf<TdxBarComboControl>(Combo);
      EXPECT_EQ(bar->SelectedControl(), combo) << "Tab moves on to the combo";
      EXPECT_TRUE(combo->Focused());
      EXPECT_EQ(GetFocus(), combo->InnerWindowHandle());
    }
    if (String(c.name) == "Enter") {
      EXPECT_EQ(ActiveBarWindow, nullptr) << "the bars closed";
    }
    bar->SetActiveState(false);
  }
  M->SetAlwaysSaveText(false);
}

TEST_F(BarEditComboTest, MenuKeysInsideTheEditCloseTheBars) {
  TStandInBar* bar = Bar(dxBarKindToolbar);
  int keyUps = 0;
  Edit->OnKeyUp = [&](TObject*, WORD&, TShiftState) { ++keyUps; };
  for (bool shift : {false, true}) {
    Focus<TdxBarEditControl>(Edit);
    const int closeUps = bar->CloseUps;
    if (shift)
      Chord(VK_SHIFT, VK_F10);
    else
      Type(VK_F10);
    EXPECT_EQ(bar->CloseUps, closeUps + 1) << shift;
    EXPECT_EQ(ActiveBarWindow, nullptr) << shift;
  }
  // Alt alone: the press is taken inside, the release closes.
  Focus<TdxBarEditControl>(Edit);
  Headless().InjectKey(VK_MENU, true);
  Pump();
  EXPECT_NE(ActiveBarWindow, nullptr) << "still open while Alt is down";
  Headless().InjectKey(VK_MENU, false);
  Pump();
  EXPECT_EQ(ActiveBarWindow, nullptr);
  (void)keyUps;
}

TEST_F(BarEditComboTest, AKeyHandlerThatFreesTheBarSwallowsTheKey) {
  TStandInBar* bar = Bar(dxBarKindToolbar);
  Focus<TdxBarEditControl>(Edit);
  Edit->OnKeyDown = [&](TObject*, WORD&, TShiftState) {
    Forget(bar);
    TObject::Free(bar);
  };
  Type('Q');
  EXPECT_TRUE(Edit->Links(0)->Control() == nullptr);
  EXPECT_EQ(Edit->Text(), "");
}

TEST_F(BarEditComboTest, AnExceptionOfAHandlerGoesToTheApplicationAndEditingGoesOn) {
  Bar(dxBarKindToolbar);
  int shown = 0;
  Application->OnException = [&](TObject*, Exception&) { ++shown; };
  Edit->OnChange = [](TObject*) { throw Exception("bad text"); };
  Focus<TdxBarEditControl>(Edit);
  TypeText("ab");
  Type(VK_RETURN);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(Edit->Text(), "ab") << "stored before the handler raised";
  Edit->OnChange = nullptr;
  Focus<TdxBarEditControl>(Edit);
  TypeText("cd");
  Type(VK_RETURN);
  EXPECT_EQ(Edit->Text(), "cd");
  Application->OnException = nullptr;
}

TEST_F(BarEditComboTest, BrowsingTheClosedListAndCommittingTheEntry) {
  Bar(dxBarKindToolbar);
  Combo->SetItemIndex(3);
  auto* combo = Focus<TdxBarComboControl>(Combo);
  HWND window = combo->InnerWindowHandle();
  Type(VK_DOWN);
  EXPECT_EQ(combo->LocalItemIndex(), 3) << "Down on the last entry";
  EXPECT_EQ(combo->WindowText(), "COM4");
  for (int i = 0; i < 5; ++i) Type(VK_UP);
  EXPECT_EQ(combo->LocalItemIndex(), 0) << "Up on the first entry stops there";
  EXPECT_EQ(combo->WindowText(), "COM1");
  DWORD start = 9, end = 9;
  SendMessage(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(end, 4u) << "the arrow never reached the window: the whole entry stays selected";
  Type(VK_DOWN);
  Type(VK_RETURN);
  EXPECT_EQ(Combo->ItemIndex(), 1) << "Enter after browsing commits";
  EXPECT_EQ(Combo->Text(), "COM2");

  combo = Focus<TdxBarComboControl>(Combo);
  Type(VK_DOWN);
  Type(VK_END);
  Type('X');
  Type(VK_RETURN);
  EXPECT_EQ(Combo->Text(), "COM3x");
  EXPECT_EQ(Combo->ItemIndex(), -1) << "the text edited away from the entry commits no entry";

  // The wheel browses too: down below 1, up above.
  combo = Focus<TdxBarComboControl>(Combo);
  SendMessage(combo->InnerWindowHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_EQ(combo->LocalItemIndex(), 0) << "from no entry, down goes to the first";
  SendMessage(combo->InnerWindowHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 0), 0);
  EXPECT_EQ(combo->LocalItemIndex(), 1) << "a delta of 0 browses down";
  SendMessage(combo->InnerWindowHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  EXPECT_EQ(combo->LocalItemIndex(), 0);
}

TEST_F(BarEditComboTest, EachWayOfOpeningTheListTogglesItOnce) {
  TStandInBar* bar = Bar(dxBarKindToolbar);
  auto* combo = Focus<TdxBarComboControl>(Combo);
  auto shown = [&] { return Combo->ListBox()->HandleAllocated() && IsWindowVisible(Combo->ListBox()->Handle()); };
  Type(VK_F4);
  EXPECT_TRUE(combo->IsDroppedDown());
  EXPECT_TRUE(shown());
  RECT r{};
  GetWindowRect(Combo->ListBox()->Handle(), &r);
  EXPECT_EQ(TPoint(r.left, r.top), combo->DropDownPoint()) << "below the edit box";
  Type(VK_F4);
  EXPECT_FALSE(combo->IsDroppedDown());
  EXPECT_FALSE(shown());
  Chord(VK_MENU, VK_DOWN);
  EXPECT_TRUE(combo->IsDroppedDown());
  EXPECT_NE(ActiveBarWindow, nullptr) << "the Alt release after Alt+Down closes nothing";
  Chord(VK_MENU, VK_DOWN);
  EXPECT_FALSE(combo->IsDroppedDown());

  // The button: a press opens a closed list, the release after a press on an open list closes it.
  const TRect button = combo->PartRects(3);
  POINT c{(button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2};
  ClientToScreen(bar->Handle(), &c);
  const TPoint centre{c.x, c.y};
  MoveTo(centre);
  Button(true);
  EXPECT_TRUE(combo->IsDroppedDown());
  Button(false);
  EXPECT_TRUE(combo->IsDroppedDown()) << "the release of the opening press leaves it open";
  MoveTo(centre);
  Button(true);
  EXPECT_TRUE(combo->IsDroppedDown()) << "the press on an open list waits for the release";
  Button(false);
  EXPECT_FALSE(combo->IsDroppedDown());
}

TEST_F(BarEditComboTest, AReadOnlyComboNeverOpensNorBrowsesButAnOpenOneStillCloses) {
  Bar(dxBarKindToolbar);
  Combo->SetReadOnly(true);
  Combo->SetItemIndex(1);
  auto* combo = Focus<TdxBarComboControl>(Combo);
  EXPECT_NE(GetWindowLong(combo->InnerWindowHandle(), GWL_STYLE) & ES_READONLY, 0);
  Type(VK_F4);
  Chord(VK_MENU, VK_DOWN);
  EXPECT_FALSE(combo->IsDroppedDown());
  Type(VK_DOWN);
  EXPECT_EQ(combo->LocalItemIndex(), 1);

  Combo->SetReadOnly(false);
  combo->SetDroppedDown(true);
  ASSERT_TRUE(combo->IsDroppedDown());
  Combo->SetReadOnly(true);
  combo->Deactivate();
  EXPECT_FALSE(combo->IsDroppedDown());
  EXPECT_FALSE(Combo->ListBox()->HandleAllocated() && IsWindowVisible(Combo->ListBox()->Handle()));
}

TEST_F(BarEditComboTest, ARightClickInsideTheWindowReachesTheBar) {
  TStandInBar* bar = Bar(dxBarKindToolbar);
  std::vector<TPoint> rights;
  bar->OnMouseDown = [&](TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    if (Button == mbRight) rights.push_back({X, Y});
  };
  auto* edit = Focus<TdxBarEditControl>(Edit);
  const TRect part = edit->PartRects(0);
  SendMessage(edit->InnerWindowHandle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 3));
  ASSERT_EQ(rights.size(), 1u);
  EXPECT_EQ(rights[0], TPoint(part.Left + 5, part.Top + 3)) << "at the point mapped to the bar";
}

TEST_F(BarEditComboTest, ClicksOnTheControlOutsideTheWindowDoNotReachIt) {
  Bar(dxBarKindToolbar);
  Edit->SetText("hello");
  auto* edit = Focus<TdxBarEditControl>(Edit);
  HWND window = edit->InnerWindowHandle();
  auto selection = [&] {
    DWORD start = 9, end = 9;
    SendMessage(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return std::pair<DWORD, DWORD>(start, end);
  };
  auto click = [&](int X) {
    SendMessage(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, 4));
    SendMessage(window, WM_LBUTTONUP, 0, MAKELPARAM(X, 4));
  };
  // On the caption, left of the window: swallowed, the whole text stays selected.
  click(-10);
  EXPECT_EQ(selection(), std::make_pair(DWORD{0}, DWORD{5}));
  // Inside the window: the edit places its caret.
  click(2);
  EXPECT_EQ(selection(), std::make_pair(DWORD{0}, DWORD{0}));
}

TEST_F(BarEditComboTest, TheWindowDestroyedFromOutsideEndsTheFocusAndTheHook) {
  Bar(dxBarKindToolbar);
  TcxWindowProcController* controller = WindowProcControllerInstance();
  auto* edit = Focus<TdxBarEditControl>(Edit);
  const int hooks = controller->ChainCount();
  DestroyWindow(edit->InnerWindowHandle());
  EXPECT_FALSE(edit->Focused());
  EXPECT_EQ(edit->InnerWindowHandle(), nullptr);
  EXPECT_EQ(controller->ChainCount(), hooks - 1);
}

TEST_F(BarEditComboTest, LimitAndReadOnly) {
  Edit->SetMaxLength(5);
  Edit->SetReadOnly(true);
  Bar(dxBarKindToolbar);
  auto* edit = ControlOf<TdxBarEditControl>(Edit);
  EXPECT_EQ(SendMessage(edit->InnerWindowHandle(), EM_GETLIMITTEXT, 0, 0), 5);
  EXPECT_EQ(GetWindowLong(edit->InnerWindowHandle(), GWL_STYLE) & ES_READONLY, 0);
  Focus<TdxBarEditControl>(Edit);
  EXPECT_NE(GetWindowLong(edit->InnerWindowHandle(), GWL_STYLE) & ES_READONLY, 0) << "read-only on focus";
}

TEST_F(BarEditComboTest, LongTypedTextIsStoredByCharacters) {
  Bar(dxBarKindToolbar);
  struct Case {
    std::string unit;
    int count, kept;
  };
  for (const Case& c : {Case{"a", 300, 255}, Case{"\xE4\xB8\xAD", 120, 120}}) {
    Focus<TdxBarEditControl>(Edit);
    std::string text;
    for (int i = 0; i < c.count; ++i) text += c.unit;
    Headless().InjectText(text);
    Pump();
    Type(VK_RETURN);
    EXPECT_EQ(Edit->Text().size(), c.unit.size() * static_cast<std::size_t>(c.kept)) << c.count;
  }
}

TEST_F(BarEditComboTest, UserSizingOfTheEditWidth) {
  TStandInBar* bar = Bar(dxBarKindToolbar);
  auto* edit = ControlOf<TdxBarEditControl>(Edit);
  const TRect item = edit->ItemRect();
  const TPoint right{item.Right - 3, item.Top + 5};
  EXPECT_FALSE(edit->IsUserSizingPoint(right)) << "only while customizing";
  M->SetCustomizing(true);
  ASSERT_TRUE(edit->IsUserSizingPoint(right));
  EXPECT_TRUE(edit->IsUserSizingPoint({item.Left + 6, item.Top + 5}));
  EXPECT_FALSE(edit->IsUserSizingPoint({item.Left + 7, item.Top + 5}));

  edit->BeginUserSizing(right);
  // The right end follows the pointer: 30 pixels left of where it stood.
  edit->UserSizingMove({item.Right - 30, right.Y});
  EXPECT_EQ(edit->SizingWidth(), item.Right - item.Left - 30);
  edit->EndUserSizing(true);
  EXPECT_TRUE(Edit->Links(0)->HasUserWidth());
  EXPECT_EQ(Edit->Links(0)->UserWidth(), 120 - 30);

  // Back to the same width: nothing defined anew. Each new width rebuilt the bar: its controls are new.
  Edit->Links(0)->SetUserDefine({});
  bar->Update();
  edit = ControlOf<TdxBarEditControl>(Edit);
  const TRect now = edit->ItemRect();
  edit->BeginUserSizing({now.Right - 2, now.Top + 5});
  edit->UserSizingMove({now.Right + 10, now.Top + 5});
  edit->UserSizingMove({now.Right - 2 + 2, now.Top + 5});
  edit->EndUserSizing(true);
  EXPECT_FALSE(Edit->Links(0)->HasUserWidth());
  edit = ControlOf<TdxBarEditControl>(Edit);

  // Dragged fully left: the box keeps its least width.
  edit->BeginUserSizing({now.Right - 2, now.Top + 5});
  edit->UserSizingMove({now.Left - 500, now.Top + 5});
  EXPECT_EQ(edit->SizingWidth(), std::max(edit->MinWidth(), edit->EditLeftOffset() + edit->MinEditWidth()));
  const int least = edit->MinEditWidth();
  edit->EndUserSizing(true);
  EXPECT_EQ(Edit->Links(0)->UserWidth(), least);
  M->SetCustomizing(false);
}

TEST_F(BarEditComboTest, TheSizingFrameDrawnTwiceRestoresTheScreen) {
  Bar(dxBarKindToolbar);
  auto* edit = ControlOf<TdxBarEditControl>(Edit);
  M->SetCustomizing(true);
  const TRect item = edit->ItemRect();
  Pump();
  int w = 0, h = 0;
  const auto before = Headless().ComposeScreen(w, h);
  edit->BeginUserSizing({item.Right - 1, item.Top + 2});
  Pump();
  const auto framed = Headless().ComposeScreen(w, h);
  EXPECT_NE(framed, before);
  edit->EndUserSizing(false);
  Pump();
  EXPECT_EQ(Headless().ComposeScreen(w, h), before);
  EXPECT_FALSE(Edit->Links(0)->HasUserWidth());
  M->SetCustomizing(false);
}

TEST_F(BarEditComboTest, TheBarsOfAnMdiChildCloseForTheMainFormsManager) {
  // The fixture's main form becomes the MDI frame, with M its manager.
  Form->SetFormStyle(fsMDIForm);
  auto* child = new TItemFixtureForm(Form);
  child->SetFormStyle(fsMDIChild);
  auto* other = new TItemFixtureForm(Form);
  auto* childManager = new TdxBarManager(child);
  auto* otherManager = new TdxBarManager(other);
  auto* item = new TdxBarEdit(child);
  {
    TdxBarControlItemLinks links(childManager, nullptr);
    TdxBarEditControl control(links.AddItem(item));
    EXPECT_TRUE(control.LetsBarsCloseFor(childManager)) << "its own manager";
    EXPECT_TRUE(control.LetsBarsCloseFor(M)) << "the MDI main form's";
    EXPECT_FALSE(control.LetsBarsCloseFor(otherManager)) << "another form's";
  }
  TObject::Free(child);
  TObject::Free(other);
}

TEST_F(BarEditComboTest, InTheMenuWindow) {
  auto* links = new TdxBarSubMenuControlItemLinks(M, nullptr);
  Owned.emplace_back(links);
  links->AddItem(Edit);
  links->AddItem(Combo);
  Edit->SetText("old");
  Combo->SetItemIndex(0);
  auto* menu = new TdxBarSubMenuControl(M);
  menu->SetItemLinks(links);
  menu->SetLeft(60);
  menu->SetTop(60);
  menu->PopupMenuWindow();
  Pump();
  ASSERT_TRUE(menu->HandleAllocated() && IsWindowVisible(menu->Handle()));
  TcxObjectLinkScope alive(menu);

  auto* edit = dynamic_cast<TdxBarEditControl*>(links->Items(0)->Control());
  ASSERT_NE(edit, nullptr);
  menu->ActivateWithControl(edit);
  edit->Invoke(false);
  Pump();
  ASSERT_TRUE(edit->Focused());
  EXPECT_EQ(WindowRectInParent(edit->InnerWindowHandle()), edit->PartRects(0));
  auto* combo = dynamic_cast<TdxBarComboControl*>(links->Items(1)->Control());
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->PartRects(0).Right, combo->PartRects(3).Left) << "the button right of the text";
  SaveScreenArea("bars/edit-controls-menu-window-edit-focused.png", {50, 50, 330, 150}, 2);
  TypeText("abc");
  Type(VK_RETURN);
  EXPECT_EQ(Edit->Text(), "abc");
  EXPECT_FALSE(alive.Alive()) << "Enter closed the menu, which freed itself";
}

TEST_F(BarEditComboTest, OnAFloatingToolbarWindow) {
  Form->Show();
  M->Bars()->CreateDockControls();
  auto* bar = new TdxBar(Form);
  bar->AttachToParent(M);
  bar->SetCaption("Address");
  bar->ItemLinks()->AddItem(Edit);
  bar->ItemLinks()->AddItem(Combo);
  Edit->SetText("192.168.0.10");
  Combo->SetItemIndex(1);
  bar->SetFloatLeft(60);
  bar->SetFloatTop(60);
  bar->SetFloatClientWidth(400);
  bar->SetDockingStyle(dsNone);
  bar->SetVisible(true);
  Pump();
  TdxBarControl* window = bar->Control();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(window->HandleAllocated());
  ASSERT_TRUE(IsWindowVisible(window->Handle()));
  auto* edit = ControlOf<TdxBarEditControl>(Edit);
  auto* combo = ControlOf<TdxBarComboControl>(Combo);
  ASSERT_TRUE(edit && combo);
  // The layout measures the controls: caption, box of the item's width, and the painter's height.
  const TRect item = edit->ItemRect();
  EXPECT_EQ(item.Right - item.Left, edit->SmallWidth());
  EXPECT_EQ(edit->PartRects(0).Right - edit->PartRects(0).Left,
            120 - M->Painter()->EditBorderOffsets().Left - M->Painter()->EditBorderOffsets().Right);
  RECT wr{};
  GetWindowRect(window->Handle(), &wr);
  const TRect area{wr.left - 10, wr.top - 10, wr.right + 10, wr.bottom + 90};
  SaveScreenArea("bars/edit-controls-toolbar-window-idle.png", area, 2);
  window->ActivateWithControl(edit);
  edit->Invoke(false);
  Pump();
  ASSERT_TRUE(edit->Focused());
  EXPECT_EQ(WindowRectInParent(edit->InnerWindowHandle()), edit->PartRects(0));
  SaveScreenArea("bars/edit-controls-toolbar-window-edit-focused.png", area, 2);
  TypeText("abc");
  Type(VK_TAB);
  EXPECT_EQ(Edit->Text(), "abc");
  combo = ControlOf<TdxBarComboControl>(Combo);
  ASSERT_TRUE(combo->Focused()) << "Tab entered the combo";
  Type(VK_F4);
  EXPECT_TRUE(combo->IsDroppedDown());
  SaveScreenArea("bars/edit-controls-toolbar-window-combo-open.png", area, 2);
  Type(VK_ESCAPE);
  window->SetActiveState(false);
  EXPECT_FALSE(combo->IsDroppedDown());
}

TEST_F(BarEditComboTest, ScreenshotsInEveryPainterStyle) {
  Edit->SetText("192.168.0.10");
  Combo->SetItemIndex(2);
  barpaintertest::TScopedBarSkin units;
  TdxBarSkinPainter skin;
  skin.Construct(Xmas2008BluePainter());
  struct Style {
    TdxBarManagerStyle style;
    const char* name;
    TdxBarPainter* painter;
  };
  const Style styles[] = {{bmsStandard, "standard", nullptr}, {bmsEnhanced, "enhanced", nullptr},
                          {bmsFlat, "flat", nullptr},         {bmsXP, "xp", nullptr},
                          {bmsOffice11, "office11", nullptr}, {bmsStandard, "skin-xmas2008blue", &skin}};
  for (const Style& s : styles) {
    SCOPED_TRACE(s.name);
    M->SetStyle(s.style);
    TStandInBar* toolbar = NewBar(dxBarKindToolbar, {Edit, Combo}, 40, 40);
    TStandInBar* menu = NewBar(dxBarKindMenu, {Edit, Combo}, 40, 90);
    for (TStandInBar* bar : {toolbar, menu}) {
      bar->RealCloseUp = true;
      if (s.painter) bar->SetPainter(s.painter);
      bar->RebuildRecreating();
      bar->Arrange();
      bar->Invalidate();
      bar->Update();
    }
    const TRect area{30, 30, 330, 250};
    SaveScreenArea(std::string("bars/edit-controls-") + s.name + "-idle.png", area, 2);
    auto* edit = Focus<TdxBarEditControl>(Edit);
    ASSERT_TRUE(IsWindowVisible(edit->InnerWindowHandle()));
    SaveScreenArea(std::string("bars/edit-controls-") + s.name + "-toolbar-edit-focused.png", area, 2);
    auto* combo = Focus<TdxBarComboControl>(Combo);
    combo->SetDroppedDown(true);
    toolbar->Update();
    SaveScreenArea(std::string("bars/edit-controls-") + s.name + "-toolbar-combo-open.png", area, 2);
    toolbar->SetActiveState(false);
    Focus<TdxBarEditControl>(Edit, 1);
    SaveScreenArea(std::string("bars/edit-controls-") + s.name + "-menu-edit-focused.png", area, 2);
    combo = Focus<TdxBarComboControl>(Combo, 1);
    combo->SetDroppedDown(true);
    menu->Update();
    SaveScreenArea(std::string("bars/edit-controls-") + s.name + "-menu-combo-open.png", area, 2);
    menu->SetActiveState(false);
    for (TStandInBar* bar : {toolbar, menu}) {
      Forget(bar);
      TObject::Free(bar);
    }
    Edit->DeleteAllLinks();
    Combo->DeleteAllLinks();
  }
}

}  // namespace
