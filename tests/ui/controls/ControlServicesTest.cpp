#include <vector>

#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Menus.h"
#include "platform/system/Modules.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"
#include "platform/win/Menu.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "ui/controls/ControlServices.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/controls/SettingsController.h"
#include "ui/controls/WindowProcController.h"
#include "ui/foundation/Locale.h"

namespace {

using namespace win;
using controlstest::ControlsTest;

TEST(KeySetsTest, NonCharacterKeys) {
  struct Case {
    WORD key;
    bool nonCharacter;
  };
  for (Case c : std::vector<Case>{{32, false}, {65, false}, {300, false}, {255, false}, {48, false},
                                  {96, true}, {105, true}, {229, true}, {3, true}, {13, true}, {27, true},
                                  {33, true}, {47, true}, {145, true}, {160, true}, {246, true}, {254, true}}) {
    EXPECT_EQ(IsNonCharacterKey(c.key), c.nonCharacter) << c.key;
  }
}

TEST(KeySetsTest, NumericCharactersByMode) {
  const char sep = GetLocaleDecimalSeparator();
  for (std::uint8_t mode : {0, 1, 2, 7}) {
    SCOPED_TRACE(int(mode));
    for (char c : {'+', '-', '0', '9'}) EXPECT_TRUE(IsNumericChar(c, mode));
    EXPECT_FALSE(IsNumericChar('a', mode));
    EXPECT_EQ(IsNumericChar(sep, mode), mode == 1 || mode == 2);
    EXPECT_EQ(IsNumericChar('e', mode), mode == 2);
    EXPECT_EQ(IsNumericChar('E', mode), mode == 2);
  }
  EXPECT_TRUE(IsPrintableChar(' '));
  EXPECT_FALSE(IsPrintableChar('\x1f'));
}

TEST(ShiftStateTest, MouseKeysAndPlainMoves) {
  EXPECT_EQ(ShiftStateToMouseKeys(TShiftState{ssShift, ssCtrl, ssLeft, ssRight, ssMiddle, ssAlt, ssDouble}), 31);
  EXPECT_TRUE(IsPlainMouseMove(TShiftState{}));
  EXPECT_FALSE(IsPlainMouseMove(TShiftState{ssDouble}));
  EXPECT_TRUE(IsLeftButtonOnly(TShiftState{ssLeft}, false));
  EXPECT_FALSE(IsLeftButtonOnly(TShiftState{ssLeft, ssDouble}, false));
  EXPECT_TRUE(IsLeftButtonOnly(TShiftState{ssLeft, ssDouble}, true));
  EXPECT_FALSE(IsLeftButtonOnly(TShiftState{ssLeft, ssShift}, true));
}

// ---- drag detection ---------------------------------------------------------------------------------

class DragStartTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    Mouse->SetDragThreshold(5);
    // The client area starts at (100, 90): the start point (100, 100) is client (0, 10).
    form = NewForm(100, 90, 200, 100);
    MoveMouse(100, 100);
    Headless().InjectMouseButton(1, true);
    Pump();
  }
  void TearDown() override {
    delete form;
    ControlsTest::TearDown();
  }
  int Detect() {
    int r = DetectDragStart(form->Handle(), POINT{100, 100});
    EXPECT_NE(GetCapture(), form->Handle());
    return r;
  }
  TForm* form = nullptr;
};

TEST_F(DragStartTest, MovesInsideTheSquareKeepWaiting) {
  // Left and top edges belong to the square; (97, 100) lies left of the window, at client x -3.
  for (POINT p : {POINT{104, 100}, POINT{95, 100}, POINT{100, 95}, POINT{97, 100}}) Headless().InjectMouseMove(p.x, p.y);
  Headless().InjectMouseButton(1, false);
  EXPECT_EQ(Detect(), ddsReleased);
}

TEST_F(DragStartTest, LeavingTheSquareStartsTheDrag) {
  for (POINT p : {POINT{105, 100}, POINT{94, 100}, POINT{100, 105}}) {
    SCOPED_TRACE(p.x * 1000 + p.y);
    Headless().InjectMouseMove(p.x, p.y);
    EXPECT_EQ(Detect(), ddsStarted);
    MoveMouse(100, 100);
  }
  EXPECT_FALSE(IsWithinDragThreshold(POINT{100, 100}, 105, 100));
  EXPECT_FALSE(IsWithinDragThreshold(POINT{100, 100}, 95, 100));
  EXPECT_TRUE(IsWithinDragThreshold(POINT{100, 100}, 96, 104));
}

TEST_F(DragStartTest, EscapeCancels) {
  Headless().InjectKey(VK_ESCAPE, true);
  EXPECT_EQ(Detect(), ddsCancelled);
  Headless().InjectKey(VK_ESCAPE, false);
}

TEST_F(DragStartTest, AnyButtonReleasedEndsWithoutDrag) {
  for (int button : {3, 2}) {
    Headless().InjectMouseButton(button, true);
    Headless().InjectMouseButton(button, false);
    EXPECT_EQ(Detect(), ddsReleased) << button;
  }
}

TEST_F(DragStartTest, CaptureTakenByAnotherWindowCancels) {
  TForm* other = NewForm(500, 500, 50, 50);
  HWND thief = AllocateHWnd([other](TMessage& m) {
    if (m.Msg == WM_APP) SetCapture(other->Handle());
  });
  PostMessage(thief, WM_APP, 0, 0);
  EXPECT_EQ(DetectDragStart(form->Handle(), POINT{100, 100}), ddsCancelled);
  // The capture stays with the window that took it.
  EXPECT_EQ(GetCapture(), other->Handle());
  ReleaseCapture();
  DeallocateHWnd(thief);
  delete other;
}

TEST_F(DragStartTest, AQuitIsPostedAgain) {
  PostQuitMessage(3);
  EXPECT_EQ(Detect(), ddsCancelled);
  MSG m;
  ASSERT_TRUE(PeekMessage(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(m.wParam, 3u);
}

// ---- windows, menus and the settings controller ------------------------------------------------------

class WindowServicesTest : public ControlsTest {};

TEST_F(WindowServicesTest, OwnershipAndContainment) {
  TForm* owner = NewForm(0, 0, 100, 100);
  HWND popup = CreateWindowEx(0, "TPUtilWindow", "", WS_POPUP, 0, 0, 10, 10, owner->Handle(), nullptr, nullptr, nullptr);
  HWND child = CreateWindowEx(0, "TPUtilWindow", "", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, popup, nullptr, nullptr, nullptr);
  EXPECT_TRUE(IsOwnedWindow(owner->Handle(), child));
  EXPECT_TRUE(IsOwnedWindow(owner->Handle(), popup));
  EXPECT_FALSE(IsOwnedWindow(owner->Handle(), owner->Handle()));
  EXPECT_FALSE(IsOwnedWindow(nullptr, child));
  EXPECT_TRUE(WindowContains(popup, child));
  EXPECT_TRUE(WindowContains(popup, popup));
  EXPECT_FALSE(WindowContains(owner->Handle(), child));
  EXPECT_TRUE(IsChildWindowStyle(child));
  EnableWindow(popup, FALSE);
  EXPECT_FALSE(IsWindowEnabledDeep(child));
  EXPECT_TRUE(IsWindowEnabled(child));
  DestroyWindow(popup);

  RECT r{1, 2, 3, 4};
  WindowRectOfWindow(popup, r);
  EXPECT_EQ(r, (RECT{0, 0, 0, 0}));
  POINT none{};
  GetCursorPosition(none);
  EXPECT_NE(WindowAtScreenPoint(POINT{50, 50}), nullptr);
  delete owner;
}

TEST_F(WindowServicesTest, MaximisedWindowsGreyMoveOnlyWhenTheyFillTheWorkArea) {
  for (bool limited : {false, true}) {
    SCOPED_TRACE(limited ? "smaller than the work area" : "fills the work area");
    auto* form = new TForm(Application, 0);
    form->Show();
    ShowWindow(form->Handle(), SW_MAXIMIZE);
    // A maximised window kept smaller, as one with a limited maximum size is.
    if (limited) SetWindowPos(form->Handle(), nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    ASSERT_TRUE(IsZoomed(form->Handle()));
    HMENU menu = GetSystemMenu(form->Handle(), FALSE);
    ASSERT_NE(menu, nullptr);
    UpdateSystemMenuItems(form->Handle(), menu);
    const UINT move = GetMenuState(menu, static_cast<UINT>(SC_MOVE), MF_BYCOMMAND);
    EXPECT_EQ((move & MF_GRAYED) != 0, !limited);
    EXPECT_NE(GetMenuState(menu, static_cast<UINT>(SC_MAXIMIZE), MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(GetMenuState(menu, static_cast<UINT>(SC_RESTORE), MF_BYCOMMAND) & MF_GRAYED, 0u);
    delete form;
  }
}

TEST_F(WindowServicesTest, SystemMenuTemplates) {
  HMENU normal = LoadSystemMenuTemplate(0);
  ASSERT_NE(normal, nullptr);
  MENUITEMINFO info;
  info.fMask = MIIM_BITMAP;
  ASSERT_TRUE(GetMenuItemInfo(normal, static_cast<UINT>(SC_CLOSE), FALSE, &info));
  EXPECT_EQ(info.hbmpItem, HBMMENU_POPUP_CLOSE);
  // The MDI-child template closes with Ctrl+F4 and moves on to the next child; the third has no
  // restore, minimize or maximize to decorate.
  HMENU child = LoadSystemMenuTemplate(1), dialog = LoadSystemMenuTemplate(2);
  ASSERT_NE(child, nullptr);
  ASSERT_NE(dialog, nullptr);
  EXPECT_NE(GetMenuState(child, static_cast<UINT>(SC_NEXTWINDOW), MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_EQ(GetMenuState(dialog, static_cast<UINT>(SC_RESTORE), MF_BYCOMMAND), static_cast<UINT>(-1));
  DestroyMenu(child);
  DestroyMenu(dialog);

  HMENU copy = CreatePopupMenu();
  AppendMenu(copy, MF_STRING, 1, "old");
  CopyMenuItems(normal, copy);
  ASSERT_EQ(GetMenuItemCount(copy), GetMenuItemCount(normal));
  char a[64] = {}, b[64] = {};
  GetMenuString(normal, 0, a, sizeof a, MF_BYPOSITION);
  GetMenuString(copy, 0, b, sizeof b, MF_BYPOSITION);
  EXPECT_STREQ(a, b);
  EXPECT_EQ(GetMenuState(copy, static_cast<UINT>(SC_CLOSE), MF_BYCOMMAND) & MF_GRAYED, 0u);
  DestroyMenu(copy);
  DestroyMenu(normal);
}

TEST_F(WindowServicesTest, WithoutSetMenuInfoTheTemplateStillLoads) {
  EXPECT_NE(SetMenuInfoProc, nullptr);
  platform::ScopedModuleOverrides overrides;
  platform::HideModuleEntry("user32.dll", "SetMenuInfo");
  ControlsUnitShutdown();
  ControlsUnitStartup();
  EXPECT_EQ(SetMenuInfoProc, nullptr);
  HMENU menu = LoadSystemMenuTemplate(0);
  EXPECT_NE(menu, nullptr);
  DestroyMenu(menu);
}

TEST_F(WindowServicesTest, PopupMenuHeightTakesTheTallerColumn) {
  TPopupMenu menu(nullptr);
  auto add = [&](const char* caption) {
    auto* item = new TMenuItem(&menu);
    item->SetCaption(caption);
    menu.Items()->Add(item);
    return item;
  };
  add("one");
  add("two");
  const int twoItems = PopupMenuHeight(&menu);
  TMenuItem* third = add("three");
  const int threeItems = PopupMenuHeight(&menu);
  EXPECT_GT(threeItems, twoItems);
  third->SetBreak(mbBreak);
  EXPECT_EQ(PopupMenuHeight(&menu), twoItems);
  third->SetVisible(false);
  EXPECT_EQ(PopupMenuHeight(&menu), twoItems);
}

TEST_F(WindowServicesTest, QualifiedNames) {
  TComponent root(nullptr);
  root.SetName("Form1");
  auto* child = new TComponent(&root);
  child->SetName("Edit1");
  String name;
  QualifiedComponentName(child, name);
  EXPECT_EQ(name, "Form1.Edit1");
  QualifiedComponentName(nullptr, name);
  EXPECT_EQ(name, "");
}

TEST_F(WindowServicesTest, SettingChangesReachTheRegisteredControlsThatHaveAWindow) {
  TForm* first = NewForm(0, 0, 50, 50);
  auto* windowless = new TForm(Application, 0);
  TForm* second = NewForm(60, 0, 50, 50);
  std::vector<TControl*> told;
  std::vector<TcxWindowProcLinkedObject*> hooks(2);
  for (int i = 0; i < 2; ++i) {
    TForm* f = i == 0 ? first : second;
    hooks[i] = WindowProcControllerInstance()->HookControl(f, [&, f, i](TMessage& m) {
      if (m.Msg == DXM_NCSIZECHANGED) told.push_back(f);
      CallPreviousWindowProc(hooks[i], m);
    });
  }
  TcxSettingsController* settings = SettingsControllerInstance();
  EXPECT_EQ(settings->Window(), nullptr);
  settings->AddControl(second);
  settings->AddControl(windowless);
  settings->AddControl(first);
  settings->AddControl(second);
  ASSERT_NE(settings->Window(), nullptr);
  EXPECT_EQ(settings->Controls().size(), 3u);

  SendMessage(settings->Window(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  SendMessage(settings->Window(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  Pump();
  EXPECT_EQ(told, (std::vector<TControl*>{second, first}));

  for (TWinControl* c : {static_cast<TWinControl*>(first), static_cast<TWinControl*>(second),
                         static_cast<TWinControl*>(windowless)})
    settings->RemoveControl(c);
  EXPECT_EQ(settings->Window(), nullptr);
  for (auto*& h : hooks) WindowProcControllerInstance()->Unhook(h);
  delete first;
  delete second;
  delete windowless;
}

}  // namespace

namespace {

using namespace win;

class FakeLibraryMenu : public TComponent, public IcxPopupMenuSupport {
 public:
  FakeLibraryMenu() : TComponent(nullptr) {}
  bool IsShortCut(TMessage& Message) override { return Message.WParam == 'K'; }
  void Popup(int X, int Y) override { at = POINT{X, Y}; }
  POINT at{-1, -1};
};

TEST_F(WindowServicesTest, PopupMenusOfTheLibraryAndOfTheClassLibrary) {
  FakeLibraryMenu library;
  EXPECT_TRUE(ShowPopupMenuFor(nullptr, &library, 30, 40));
  EXPECT_EQ(library.at, (POINT{30, 40}));
  TMessage key{WM_KEYDOWN, 'K', 0, 0};
  EXPECT_TRUE(IsPopupMenuShortCut(&library, key));
  EXPECT_FALSE(ShowPopupMenuFor(nullptr, nullptr, 0, 0));
  EXPECT_FALSE(IsPopupMenuShortCut(nullptr, key));
  TPopupMenu manual(nullptr);
  manual.SetAutoPopup(false);
  EXPECT_FALSE(ShowPopupMenuFor(nullptr, &manual, 0, 0));
  // A class-library menu without a window answers no shortcut.
  EXPECT_FALSE(IsPopupMenuShortCut(&manual, key));
}

TEST_F(WindowServicesTest, WhoCanGetAWindowHandle) {
  auto* form = new TForm(Application, 0);
  EXPECT_FALSE(form->HandleAllocated());
  EXPECT_TRUE(CanGetWindowHandle(form));
  auto* orphan = new TPanel(nullptr);
  EXPECT_FALSE(CanGetWindowHandle(orphan));
  orphan->SetParent(form);
  EXPECT_TRUE(CanGetWindowHandle(orphan));
  EXPECT_FALSE(IsControlShowing(orphan));
  delete form;
}

TEST_F(WindowServicesTest, TheCharacterOfAKey) {
  TForm* form = NewForm(0, 0, 50, 50);
  EXPECT_EQ(VirtualKeyToAnsiChar('A'), 'a');
  EXPECT_EQ(VirtualKeyToAnsiChar('7'), '7');
  EXPECT_EQ(VirtualKeyToAnsiChar(VK_F1), '\0');
  delete form;
}

}  // namespace
