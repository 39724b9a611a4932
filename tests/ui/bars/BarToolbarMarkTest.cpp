// The toolbar window's own controls on the headless backend: the customize mark and its quick
// popup, the popup's contents, the floating close and caption buttons, the MDI buttons, the focus
// hand-over, and resizing an item at design time; pictures of the mark, the close button and the
// MDI buttons in every style.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/classes/StdCtrls.h"
#include "platform/classes/Streams.h"
#include "platform/system/Clock.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Mdi.h"
#include "platform/win/Menu.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarToolbarFixture.h"
#include "tests/ui/bars/BarPainterFixture.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarEditItems.h"
#include "ui/bars/BarHintTiming.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarQuickControl.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/GraphicsUnit.h"

using namespace win;

namespace {

constexpr int kButton = 23, kRow = 22;

// Until the item layout stands, equal buttons of kButton x kRow in one row (or column); a button
// beyond the client's end gets no room.
class TMarkToolbar : public TdxBarControl {
  VW_CLASS(TMarkToolbar, TdxBarControl)
 public:
  explicit TMarkToolbar(TComponent* AOwner) : TdxBarControl(AOwner) {}
  int Count() const { return ItemLinks() ? ItemLinks()->VisibleCount() : 0; }
  TSize CalcSizeForWidth(TdxBarDockingStyle, int AWidth) override { return {std::max(AWidth, 51), kRow}; }
  void CalcHorizontalItemRects() override {
    if (!ItemLinks()) return;
    const int end = (IsVertical() ? ClientHeight() : ClientWidth()) - (DockingStyle() != dsNone ? MarkAreaSize() : 0);
    for (int i = 0; i < Count(); ++i) {
      TdxBarItemLink* link = ItemLinks()->VisibleLinks(i);
      link->SetLineThickness(kRow);
      const int at = i * kButton;
      if (at + kButton > end)
        link->SetItemRect({});
      else if (IsVertical())
        link->SetItemRect({0, at, kRow, at + kButton});
      else
        link->SetItemRect({at, 0, at + kButton, kRow});
    }
  }
};

class TMarkBar : public TdxBar {
  VW_CLASS(TMarkBar, TdxBar)
 public:
  explicit TMarkBar(TComponent* AOwner) : TdxBar(AOwner) {}
  TClass BarControlClass() const override { return TMarkToolbar::StaticClass(); }
};

// Steps run one per 10 ms timer tick: a loop that holds the mouse (the caption's tracking) goes on
// running them while the test waits for it, so each step can look at the state and inject more.
struct TInputScript {
  static inline std::vector<std::function<void()>> Steps;
  static inline std::size_t Next = 0;
  static void Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (Next < Steps.size()) Steps[Next++]();
  }
};

class BarToolbarMarkTest : public BarToolbarFixture {
 protected:
  BarToolbarMarkTest() : BarToolbarFixture(bmsEnhanced) {}
  TdxBar* NewBar(const String& ACaption, TdxBarDockingStyle AStyle, int AButtons, int AClientWidth = 138) {
    return AddToolbar<TMarkBar>(ACaption, AStyle, AButtons, AClientWidth, kRow);
  }
  static TdxBarControl* Window(TdxBar* ABar) { return ABar->Control(); }
  static platform::HeadlessControl& Headless() { return *platform::Headless(); }
  static TPoint Centre(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }
  static void MoveTo(const TPoint& S) {
    Headless().InjectMouseMove(S.X, S.Y);
    Pump();
  }
  static void Click(const TPoint& S) {
    MoveTo(S);
    Headless().InjectMouseButton(1, true);
    Pump();
    Headless().InjectMouseButton(1, false);
    Pump();
  }
  static TdxBarControl* OpenPopup() {
    return static_cast<TdxBarControl*>(BarDesignController()->QuickCustomizationPopup());
  }

  // Runs the steps on the virtual clock until the last has run.
  void RunScript(std::vector<std::function<void()>> ASteps) {
    TInputScript::Steps = std::move(ASteps);
    TInputScript::Next = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, TInputScript::Tick);
    for (int guard = 0; guard < 100 && TInputScript::Next < TInputScript::Steps.size(); ++guard) {
      Clock->Advance(10);
      Pump();
    }
    KillTimer(nullptr, timer);
    Pump();
  }

  platform::ScopedVirtualClock Clock;
};

// ---- the mark ---------------------------------------------------------------------------------------

TEST_F(BarToolbarMarkTest, TheMarkTurnsHotDropsItsPopupAndClosesItAgain) {
  TdxBar* bar = NewBar("Tools", dsNone, 4, 92);
  TdxBarControl* w = Window(bar);
  ASSERT_TRUE(w->HasMark());
  const TPoint mark = WindowPoint(w, Centre(w->MarkRectInWindow()));

  MoveTo(mark);
  EXPECT_EQ(w->MarkState(), 1);
  EXPECT_TRUE(BarHintRequested());
  EXPECT_EQ(BarHintText(), "More Buttons");

  Click(mark);
  EXPECT_EQ(w->MarkState(), 2);
  ASSERT_NE(w->OpenQuickControl(), nullptr);
  EXPECT_EQ(OpenPopup(), w->OpenQuickControl());
  EXPECT_NE(OpenPopup(), nullptr);
  EXPECT_TRUE(IsWindowVisible(w->OpenQuickControl()->Handle()));

  Click(mark);
  EXPECT_EQ(w->MarkState(), 1) << "the second click closes the popup";
  EXPECT_EQ(w->OpenQuickControl(), nullptr);
  EXPECT_EQ(OpenPopup(), nullptr);

  // A double click toggles like a click.
  MoveTo(mark);
  Headless().InjectMouseButton(1, true);
  Headless().InjectMouseButton(1, false);
  Headless().InjectMouseButton(1, true);
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_EQ(w->MarkState(), 1);
  EXPECT_EQ(OpenPopup(), nullptr);

  // A hot mark the pointer is not on (it left unseen): the watch brings it back on its first tick.
  MoveTo({10, 10});
  Clock->Advance(200);
  Pump();
  ASSERT_EQ(M->MouseTrackingBarControl(), nullptr) << "the manager saw the pointer leave";
  w->SetMarkState(1);
  Clock->Advance(49);
  Pump();
  EXPECT_EQ(w->MarkState(), 1);
  Clock->Advance(1);
  Pump();
  EXPECT_EQ(w->MarkState(), 0);
}

TEST_F(BarToolbarMarkTest, TheClickThatClosesThePopupDoesNotOpenItAgain) {
  TdxBar* bar = NewBar("Tools", dsNone, 4, 92);
  TdxBarControl* w = Window(bar);
  const TPoint mark = WindowPoint(w, Centre(w->MarkRectInWindow()));
  Click(mark);
  ASSERT_EQ(w->MarkState(), 2);
  TdxBarControl* popup = w->OpenQuickControl();
  popup->SetActiveState(true);
  ASSERT_EQ(ActiveBarWindow, popup);

  // The press reaches the library's mouse hook first, which closes the active popup.
  Click(mark);
  EXPECT_EQ(OpenPopup(), nullptr);
  EXPECT_NE(w->MarkState(), 2);
  EXPECT_EQ(w->OpenQuickControl(), nullptr);
  EXPECT_FALSE(w->IgnoreMouseClick()) << "the swallowed click is used up";
}

TEST_F(BarToolbarMarkTest, WhileCustomizingTheMarkStaysAsItIs) {
  TdxBar* bar = NewBar("Tools", dsNone, 4, 92);
  TdxBarControl* w = Window(bar);
  M->SetCustomizing(true);
  w = Window(bar);
  for (int state : {1, 2, 0}) {
    w->SetMarkState(state);
    EXPECT_EQ(w->MarkState(), 0);
  }
  EXPECT_EQ(OpenPopup(), nullptr);
  M->SetCustomizing(false);
}

// ---- quick-popup contents ---------------------------------------------------------------------------

std::vector<String> Captions(TdxBarItemLinks* ALinks) {
  std::vector<String> captions;
  for (int i = 0; i < ALinks->Count(); ++i)
    captions.push_back(ALinks->Items(i)->Item()->Caption() + (ALinks->Items(i)->BeginGroup() ? " |" : ""));
  return captions;
}

TEST_F(BarToolbarMarkTest, TheQuickPopupListsTheHiddenLinksThenTheAddOrRemoveCommand) {
  // Docked 100 wide in a site no wider: three buttons fit before the mark, the others get no room;
  // the third is switched off.
  TdxBar* bar = NewBar("Tools", dsTop, 6);
  bar->ItemLinks()->Items(2)->SetVisible(false);
  TdxBarControl* w = Window(bar);
  Form->SetClientWidth(100 + (w->Width() - w->ClientWidth()));
  Pump();
  w = Window(bar);
  ASSERT_EQ(w->ClientWidth(), 100) << "the row squeezes its only toolbar to the site";
  w->SetMarkState(2);
  TdxBarControl* popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(Captions(popup->ItemLinks()), (std::vector<String>{"B2", "B4", "B5", "&Add or Remove Buttons |"}));
  TdxBarItem* command = popup->ItemLinks()->Items(3)->Item();
  EXPECT_TRUE(dynamic_cast<TdxBarQuickAccessItem*>(command));
  EXPECT_EQ(static_cast<TdxBarQuickAccessItem*>(command)->Toolbar(), w);
  EXPECT_EQ(M->ItemList()->IndexOf(command), -1) << "an internal item";

  w->SetMarkState(0);
  bar->SetAllowQuickCustomizing(false);
  bar->SetShowMark(true);
  w = Window(bar);
  TdxBarControlItemLinks links(M, nullptr);
  w->FillQuickPopup(&links);
  EXPECT_EQ(Captions(&links).back(), "B5") << "no command without quick customizing";
}

TEST_F(BarToolbarMarkTest, TheResetCommandNeedsAStoredManagerItsPermissionAndAResettableBar) {
  auto list = [&](TdxBar* ABar) {
    TdxBarControlItemLinks links(M, nullptr);
    Window(ABar)->FillQuickCustomizeList(&links);
    std::vector<String> captions;
    for (int i = 0; i < links.Count(); ++i) {
      TdxBarItem* item = links.Items(i)->Item();
      String caption = item->Caption();
      if (dynamic_cast<TdxBarQuickCustItem*>(item)) caption = static_cast<TdxBarItemLink*>(links.Items(i)->Data())->Item()->Caption();
      captions.push_back(caption + (links.Items(i)->BeginGroup() ? " |" : ""));
    }
    links.Clear();
    BarDesignController()->ClearInternalItems();
    return captions;
  };
  const std::vector<String> withReset{"B0", "B1", "B2", "&Reset Toolbar |", "&Customize..."};
  const std::vector<String> without{"B0", "B1", "B2", "&Customize... |"};

  TdxBar* bar = NewBar("Tools", dsTop, 3);
  bar->SetPredefined(true);
  ASSERT_FALSE(M->ReadFromStream());
  EXPECT_EQ(list(bar), without) << "a manager never read from a stored form";
  TObject::Free(bar);

  // Reading the manager once from a stream marks it as read from a stored form.
  TMemoryStream stream;
  stream.WriteComponent(M);
  stream.SetPosition(0);
  stream.ReadComponent(M);
  ASSERT_TRUE(M->ReadFromStream());
  bar = NewBar("Tools", dsTop, 3);
  // Every link is listed, shown or not.
  bar->ItemLinks()->Items(1)->SetVisible(false);
  struct Case {
    bool ManagerAllows, Predefined;
    const std::vector<String>& Expected;
  };
  const Case cases[] = {{true, true, withReset}, {false, true, without}, {true, false, without}};
  for (const Case& c : cases) {
    M->SetAllowReset(c.ManagerAllows);
    bar->SetPredefined(c.Predefined);
    EXPECT_EQ(list(bar), c.Expected) << c.ManagerAllows << c.Predefined;
  }
}

// ---- the close button and the caption buttons -------------------------------------------------------

TEST_F(BarToolbarMarkTest, TheCloseButtonHidesTheToolbarOnlyWhenReleasedOnIt) {
  // A style whose close button the toolbar tracks itself.
  M->SetStyle(bmsOffice11);
  TdxBar* bar = NewBar("Tools", dsNone, 3, 92);
  int closes = 0;
  M->OnBarClose = [&](TdxBarManager*, TdxBar* ABar) {
    EXPECT_EQ(ABar, bar);
    ++closes;
  };
  TdxBarControl* w = Window(bar);
  ASSERT_TRUE(w->ShowsCloseButton());
  const TPoint close = WindowPoint(w, Centre(w->CloseButtonBounds()));

  // Released off the button: nothing. The states follow the pointer in and out meanwhile.
  const TPoint off{close.X - 40, close.Y};
  std::vector<int> states;
  auto note = [&] { states.push_back(w->CloseGlyphState()); };
  RunScript({[&] {
               Headless().InjectMouseMove(close.X, close.Y);
               Headless().InjectMouseButton(1, true);
             },
             [&] {
               note();
               Headless().InjectMouseMove(off.X, off.Y);
             },
             [&] {
               note();
               Headless().InjectMouseMove(close.X, close.Y);
             },
             [&] {
               note();
               Headless().InjectMouseMove(off.X, off.Y);
             },
             [&] {
               note();
               Headless().InjectMouseButton(1, false);
             }});
  EXPECT_EQ(states, (std::vector<int>{2, 1, 2, 1}));
  EXPECT_TRUE(bar->Visible());
  EXPECT_EQ(closes, 0);
  EXPECT_EQ(w->CloseGlyphState(), 0);
  EXPECT_NE(GetCapture(), w->Handle());

  // Pressed and released on it: the toolbar goes, once.
  MoveTo(close);
  Headless().InjectMouseButton(1, true);
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_FALSE(bar->Visible());
  EXPECT_EQ(closes, 1);
}
TEST_F(BarToolbarMarkTest, AQuitDuringTheCaptionLoopEndsItAndReachesTheOuterLoop) {
  M->SetStyle(bmsStandard);
  TdxBar* bar = NewBar("Tools", dsNone, 3, 92);
  TdxBarControl* w = Window(bar);
  const TPoint close = WindowPoint(w, Centre(w->CloseButtonBounds()));
  PostQuitMessage(7);
  SendMessage(w->Handle(), WM_NCLBUTTONDOWN, dxBarHitClose, MAKELPARAM(close.X, close.Y));
  EXPECT_NE(GetCapture(), w->Handle());
  EXPECT_TRUE(bar->Visible());
  MSG msg{};
  ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(BarToolbarMarkTest, CaptionButtonsPressOnlyWhenEnabledAndAPopupFiresItsSourceBars) {
  M->SetStyle(bmsStandard);
  TdxBar* bar = NewBar("Tools", dsNone, 3, 92);
  int clicks = 0;
  TdxBarCaptionButton* button = bar->CaptionButtons()->Add();
  button->OnClick = [&](TObject*) { ++clicks; };
  TdxBarControl* w = Window(bar);
  Pump();
  // The painter lays the button out at the caption's end, before the close button.
  const TRect r = button->Rect();
  ASSERT_GT(r.Right - r.Left, 0);
  EXPECT_EQ(r.Right, w->CloseButtonBounds().Left);
  EXPECT_EQ(r.Right - r.Left, r.Bottom - r.Top);
  const TPoint at = WindowPoint(w, Centre(r));

  button->SetEnabled(false);
  SendMessage(w->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.X, at.Y));
  EXPECT_EQ(button->State(), 1) << "a disabled button never presses";
  EXPECT_EQ(clicks, 0);

  button->SetEnabled(true);
  // The loop takes the release from the queue.
  MoveTo(at);
  Headless().InjectMouseButton(1, false);
  SendMessage(w->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.X, at.Y));
  EXPECT_EQ(clicks, 1);

  // A popup's caption buttons are those of the bar it was opened for.
  TdxBarControl* popup = TdxBarControl::CreatePopup(TdxBarQuickControl::StaticClass(), w, bar);
  popup->ClickCaptionButton(0);
  EXPECT_EQ(clicks, 2);
  TObject::Free(popup);
}

TEST_F(BarToolbarMarkTest, TheKeyboardsSelectionShowsTheMarkAndACaptionButtonHot) {
  TdxBar* bar = NewBar("Tools", dsNone, 4, 92);
  TdxBarCaptionButton* button = bar->CaptionButtons()->Add();
  TdxBarControl* w = Window(bar);
  Pump();
  ASSERT_TRUE(w->HasMark());
  auto* toolbarHelper = dynamic_cast<TdxBarControlAccessibilityHelper*>(w->AccessibilityHelper());
  ASSERT_NE(toolbarHelper, nullptr);
  TdxBarAccessibilityHelper* mark = toolbarHelper->MarkHelper();
  mark->SelectObject(false);
  EXPECT_EQ(w->MarkState(), 1);
  mark->UnselectObject(nullptr);
  EXPECT_EQ(w->MarkState(), 0);

  auto* buttonHelper = dynamic_cast<TdxBarAccessibilityHelper*>(button->AccessibilityHelper());
  ASSERT_NE(buttonHelper, nullptr);
  MoveTo({5, 5});
  buttonHelper->SelectObject(false);
  EXPECT_EQ(button->State(), dxBarCaptionButtonHot) << "hot with the pointer elsewhere";
  EXPECT_EQ(w->MarkState(), 0) << "another toolbar part's selection is not the mark's";
  buttonHelper->UnselectObject(nullptr);
  EXPECT_EQ(button->State(), dxBarCaptionButtonNormal);
}

// ---- MDI buttons ------------------------------------------------------------------------------------

// A main menu bar whose MDI buttons show as told, for the geometry.
class TMDIGeometryToolbar : public TMarkToolbar {
  VW_CLASS(TMDIGeometryToolbar, TMarkToolbar)
 public:
  explicit TMDIGeometryToolbar(TComponent* AOwner) : TMarkToolbar(AOwner) {}
  bool ShowsMDIButtons() const override { return Mdi; }
  bool ShowsMDIOrCloseButtons() const override { return true; }
  static inline bool Mdi = true;
};

class TMDIGeometryBar : public TdxBar {
  VW_CLASS(TMDIGeometryBar, TdxBar)
 public:
  explicit TMDIGeometryBar(TComponent* AOwner) : TdxBar(AOwner) {}
  TClass BarControlClass() const override { return TMDIGeometryToolbar::StaticClass(); }
};

TEST_F(BarToolbarMarkTest, MDIButtonsLieAtTheFarEndOfTheBarInEveryShape) {
  SetSystemMetricOverride(SM_CXMENUSIZE, 19);
  SetSystemMetricOverride(SM_CYMENUSIZE, 19);
  struct Case {
    const char* What;
    TdxBarDockingStyle Style;
    bool Mdi, MultiLine;
    int Buttons;
    TSize Client;
    TRect Expected[3];
  };
  // Buttons of 23 x 22 in one row (or column) from the origin.
  const Case cases[] = {
      {"single line", dsTop, true, false, 3, {400, 22}, {{347, 3, 364, 18}, {364, 3, 381, 18}, {383, 3, 400, 18}}},
      {"close only", dsTop, false, false, 3, {400, 22}, {{}, {}, {383, 3, 400, 18}}},
      {"wrapping, free far band", dsTop, true, true, 3, {400, 44}, {{347, 29, 364, 44}, {364, 29, 381, 44}, {383, 29, 400, 44}}},
      {"wrapping, on the last line", dsTop, true, true, 3, {400, 30}, {{347, 12, 364, 27}, {364, 12, 381, 27}, {383, 12, 400, 27}}},
      {"wrapping, no links", dsTop, true, true, 0, {400, 44}, {{347, 14, 364, 29}, {364, 14, 381, 29}, {383, 14, 400, 29}}},
      {"vertical", dsLeft, true, false, 3, {22, 400}, {{3, 353, 20, 368}, {3, 368, 20, 383}, {3, 385, 20, 400}}},
      {"vertical, wrapping", dsLeft, true, true, 3, {44, 400}, {{2, 353, 19, 368}, {2, 368, 19, 383}, {2, 385, 19, 400}}},
  };
  for (const Case& c : cases) {
    TMDIGeometryToolbar::Mdi = c.Mdi;
    auto* bar = new TMDIGeometryBar(Form);
    bar->AttachToParent(M);
    bar->SetShowMark(false);
    bar->SetMultiLine(c.MultiLine);
    for (int i = 0; i < c.Buttons; ++i) bar->ItemLinks()->AddItem(new TdxBarButton(Form));
    bar->SetDockingStyle(c.Style);
    bar->SetVisible(true);
    Pump();
    TdxBarControl* w = Window(bar);
    ASSERT_EQ(w->MDIButtonCX(), 17);
    ASSERT_EQ(w->MDIButtonCY(), 15);
    w->SetClientSize(c.Client.cx, c.Client.cy);
    w->CalcViewInfo();
    ASSERT_EQ(w->ClientWidth(), c.Client.cx) << c.What;
    ASSERT_EQ(w->ClientHeight(), c.Client.cy) << c.What;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(w->MDIButtonRect(i), c.Expected[i]) << c.What << ", button " << i;
    TObject::Free(bar);
  }
  TMDIGeometryToolbar::Mdi = true;
}

std::vector<WPARAM> DocumentCommands;

LRESULT DocumentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SYSCOMMAND) DocumentCommands.push_back(wParam & 0xFFF0);
  return DefMDIChildProc(hwnd, msg, wParam, lParam);
}

// The main form turned MDI frame with one maximized document whose minimize command is grayed,
// and a main menu bar.
class BarToolbarMDITest : public BarToolbarMarkTest {
 protected:
  void SetUp() override {
    BarToolbarMarkTest::SetUp();
    SetSystemMetricOverride(SM_CXMENUSIZE, 19);
    SetSystemMetricOverride(SM_CYMENUSIZE, 19);
    Form->SetFormStyle(fsMDIForm);
    Form->SetBounds(0, 0, 600, 400);
    ASSERT_NE(Form->ClientHandle(), nullptr);
    WNDCLASS wc{};
    wc.lpfnWndProc = DocumentProc;
    wc.lpszClassName = "BarMDIDocument";
    RegisterClass(&wc);
    // Without a minimize box the document's system menu grays its minimize command.
    Document = CreateWindowEx(WS_EX_MDICHILD, "BarMDIDocument", "Document",
                              (WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX) | WS_VISIBLE, 10, 10, 200, 150,
                              Form->ClientHandle(), nullptr, nullptr, nullptr);
    SendMessage(Form->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(Document), 0);
    DocumentCommands.clear();
    // Floating: the dock sites do not lay their toolbars out yet.
    Menu = NewBar("Menu", dsNone, 2);
    Menu->SetIsMainMenu(true);
    M->RefreshMDIState();
    Pump();
    W = Window(Menu);
    W->SetClientSize(400, 22);
    W->CalcViewInfo();
    Pump();
  }
  TPoint ButtonPoint(int AIndex) { return ScreenOf(W, Centre(W->MDIButtonRect(AIndex))); }

  HWND Document = nullptr;
  TdxBar* Menu = nullptr;
  TdxBarControl* W = nullptr;
};

TEST_F(BarToolbarMDITest, AGrayedMinimizeNeitherTurnsHotNorPressesAndCloseGoesToTheDocument) {
  ASSERT_TRUE(M->ChildMaximized());
  ASSERT_TRUE(W->ShowsMDIButtons());
  EXPECT_FALSE(W->MDIButtonEnabled(0, false));
  EXPECT_TRUE(W->MDIButtonEnabled(1, false)) << "restore is always enabled";
  EXPECT_TRUE(W->MDIButtonEnabled(2, true));

  MoveTo(ButtonPoint(0));
  EXPECT_FALSE(TdxBarControl::MDIButtonHot()) << "a grayed button stays cold";
  Click(ButtonPoint(0));
  EXPECT_FALSE(TdxBarControl::MDIButtonPressed());
  EXPECT_TRUE(DocumentCommands.empty());

  MoveTo(ButtonPoint(1));
  EXPECT_TRUE(TdxBarControl::MDIButtonHot());
  EXPECT_EQ(TdxBarControl::MDIButtonHotIndex(), 1);

  // Pressed on close, released elsewhere: nothing; a cancelled mode: nothing.
  MoveTo(ButtonPoint(2));
  Headless().InjectMouseButton(1, true);
  Pump();
  EXPECT_TRUE(TdxBarControl::MDIButtonPressed());
  EXPECT_EQ(GetCapture(), W->Handle());
  MoveTo(ButtonPoint(1));
  EXPECT_FALSE(TdxBarControl::MDIButtonHot()) << "pressed, the pointer outside";
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_FALSE(TdxBarControl::MDIButtonPressed());
  MoveTo(ButtonPoint(2));
  Headless().InjectMouseButton(1, true);
  Pump();
  SendMessage(W->Handle(), WM_CANCELMODE, 0, 0);
  EXPECT_FALSE(TdxBarControl::MDIButtonPressed());
  EXPECT_NE(GetCapture(), W->Handle());
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_TRUE(DocumentCommands.empty());

  Click(ButtonPoint(2));
  EXPECT_EQ(DocumentCommands, (std::vector<WPARAM>{SC_CLOSE}));
}

TEST_F(BarToolbarMDITest, WithOnlyTheCloseButtonTheManagerIsTold) {
  SendMessage(Form->ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(Document), 0);
  M->RefreshMDIState();
  M->SetShowCloseButton(true);
  Pump();
  ASSERT_FALSE(W->ShowsMDIButtons());
  ASSERT_TRUE(W->ShowsMDIOrCloseButtons());
  int clicks = 0;
  M->OnCloseButtonClick = [&](TObject*) { ++clicks; };
  EXPECT_TRUE(W->MDIButtonRect(0).Right <= W->MDIButtonRect(0).Left);
  Click(ButtonPoint(2));
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(DocumentCommands.empty());
}

// ---- focus ----------------------------------------------------------------------------------------

TEST_F(BarToolbarMarkTest, TheKeyboardGoesIntoTheToolbarAndBackToTheEditOnEscape) {
  auto* edit = new TEdit(Form);
  edit->SetParent(Form);
  edit->SetBounds(10, 100, 120, 22);
  TdxBar* bar = NewBar("Tools", dsNone, 3, 92);
  TdxBarControl* w = Window(bar);
  SetActiveWindow(Form->Handle());
  edit->SetFocus();
  ASSERT_EQ(GetFocus(), edit->Handle());

  w->ActivateWithControl(nullptr);
  EXPECT_TRUE(w->Active());
  EXPECT_EQ(ActiveBarWindow, w);
  EXPECT_EQ(M->FocusedBarControl(), w);
  EXPECT_EQ(w->FocusBeforeBar(), edit->Handle());
  EXPECT_EQ(w->SelectedLink(), bar->ItemLinks()->Items(0)) << "without a control the first link is taken";

  Headless().InjectKey(VK_ESCAPE, true);
  Headless().InjectKey(VK_ESCAPE, false);
  Pump();
  EXPECT_FALSE(w->Active());
  EXPECT_EQ(ActiveBarWindow, nullptr);
  EXPECT_EQ(M->FocusedBarControl(), nullptr);
  EXPECT_EQ(GetFocus(), edit->Handle());

  // A single toolbar has nowhere to switch to.
  w->ActivateWithControl(nullptr);
  Headless().InjectKey(VK_CONTROL, true);
  Headless().InjectKey(VK_TAB, true);
  Headless().InjectKey(VK_TAB, false);
  Headless().InjectKey(VK_CONTROL, false);
  Pump();
  EXPECT_EQ(ActiveBarWindow, w);
  EXPECT_EQ(w->SelectedLink(), bar->ItemLinks()->Items(0));
  w->SetActiveState(false);
}

// ---- design-time item sizing ------------------------------------------------------------------------

TEST_F(BarToolbarMarkTest, DraggingAnEditsSizingPointAtDesignTimeChangesItsWidth) {
  TdxBar* bar = NewBar("Tools", dsNone, 0, 92);
  auto* edit = new TdxBarEdit(Form);
  TdxBarItemLink* link = bar->ItemLinks()->AddItem(edit);
  M->SetCustomizing(true);
  Pump();
  TdxBarControl* w = Window(bar);
  auto grip = [&] {
    const TRect r = link->ItemRect();
    return ScreenOf(w, {r.Right - 2, (r.Top + r.Bottom) / 2});
  };

  // The first click selects the item; a press on its sizing point then sizes it.
  Click(ScreenOf(w, Centre(link->ItemRect())));
  ASSERT_EQ(M->SelectedItem(), link->Control());
  TPoint at = grip();
  MoveTo(at);
  EXPECT_EQ(GetCursor(), Screen->Cursors(crdxBarEditSizing));
  Headless().InjectMouseButton(1, true);
  Pump();
  EXPECT_TRUE(w->ItemSizing());
  MoveTo({at.X + 30, at.Y});
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_FALSE(w->ItemSizing());
  EXPECT_NE(GetCapture(), w->Handle());
  ASSERT_TRUE(link->HasUserWidth());
  const int sized = link->UserWidth();

  // Sizing abandoned by a capture change leaves the width as it was.
  at = grip();
  MoveTo(at);
  Headless().InjectMouseButton(1, true);
  Pump();
  ASSERT_TRUE(w->ItemSizing());
  MoveTo({at.X + 40, at.Y});
  SetCapture(Form->Handle());
  EXPECT_FALSE(w->ItemSizing());
  EXPECT_EQ(link->UserWidth(), sized);
  ReleaseCapture();
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_EQ(link->UserWidth(), sized);
  M->SetCustomizing(false);
}

// ---- pictures ---------------------------------------------------------------------------------------

TEST_F(BarToolbarMDITest, PicturesOfTheMarkTheCloseButtonAndTheMDIButtonsInEveryStyle) {
  TdxBar* tools = NewBar("Tools", dsNone, 3, 92);
  tools->SetFloatLeft(200);
  tools->SetFloatTop(250);
  // A caption button with a plus on a transparent ground.
  TBitmap plus;
  plus.SetPixelFormat(pf24bit);
  plus.SetSize(9, 9);
  plus.Canvas()->Brush()->SetColor(clFuchsia);
  plus.Canvas()->FillRect(TRect(0, 0, 9, 9));
  plus.Canvas()->Brush()->SetColor(clNavy);
  plus.Canvas()->FillRect(TRect(3, 0, 6, 9));
  plus.Canvas()->FillRect(TRect(0, 3, 9, 6));
  tools->CaptionButtons()->Add()->SetGlyph(&plus);
  TdxBar* docked = NewBar("Docked", dsBottom, 4);
  auto shootWindow = [&](TdxBarControl* AWindow, const std::string& AName, int ABelow = 0) {
    RedrawWindow(AWindow->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    RECT r;
    GetWindowRect(AWindow->Handle(), &r);
    SaveScreenArea("bars/" + AName + ".png", TRect(r.left - 4, r.top - 4, r.right + 4, r.bottom + 4 + ABelow), 3);
  };
  auto shoot = [&](const std::string& AStyle) {
    Pump();  // the new style's frames and sizes settle first
    TdxBarControl* t = Window(tools);
    ASSERT_NE(t, nullptr) << AStyle;
    // The standard style offers no quick customizing: a toolbar that is not cut short has no mark.
    auto shootMark = [&](TdxBarControl* AWindow, const std::string& AName) {
      for (int state : {0, 1, 2}) {
        if (!AWindow->HasMark()) break;
        AWindow->SetMarkState(state);
        Pump();
        // The popup's own look is not this picture's matter: it goes aside.
        if (TdxBarControl* popup = AWindow->OpenQuickControl())
          SetWindowPos(popup->Handle(), nullptr, 900, 700, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        shootWindow(AWindow, AName + "-" + AStyle + "-" + std::to_string(state));
      }
      AWindow->SetMarkState(0);
    };
    shootMark(t, "toolbar-mark");
    shootMark(Window(docked), "toolbar-mark-docked");
    if (t->ShowsCloseButton()) {
      for (int state : {1, 2}) {
        SendMessage(t->Handle(), WM_NCPAINT, 0, 0);
        t->SetCloseGlyphState(state);
        Pump();
        RECT r;
        GetWindowRect(t->Handle(), &r);
        SaveScreenArea("bars/toolbar-close-" + AStyle + "-" + std::to_string(state) + ".png",
                       TRect(r.left - 4, r.top - 4, r.right + 4, r.bottom + 4), 3);
      }
      t->SetCloseGlyphState(0);
    }
    TdxBarCaptionButtons* buttons = tools->CaptionButtons();
    buttons->UpdateStates(Centre(buttons->Items(0)->Rect()), false);
    Pump();
    EXPECT_EQ(buttons->Items(0)->State(), dxBarCaptionButtonHot) << AStyle;
    shootWindow(t, "toolbar-captionbutton-" + AStyle);
    buttons->UpdateStates({-1, -1}, false);
    W = Window(Menu);
    W->SetClientSize(400, 22);
    W->CalcViewInfo();
    Pump();
    ASSERT_TRUE(W->ShowsMDIButtons()) << AStyle;
    MoveTo(ButtonPoint(1));
    shootWindow(W, "toolbar-mdi-" + AStyle);
    MoveTo({5, 5});
  };
  barpaintertest::ForEachBarStyle(M, shoot);
}

}  // namespace
