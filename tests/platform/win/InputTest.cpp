#include "platform/system/Sync.h"
#include "platform/win/Controls.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"
#include "tests/platform/win/WindowFixture.h"

namespace wintest {
namespace {

using namespace win;
using Strings = std::vector<std::string>;

class InputTest : public WindowTest {
 protected:
  void Press(int x, int y) {
    Screen().InjectMouseMove(x, y);
    Screen().InjectMouseButton(platform::kButtonLeft, true);
  }
  void Release(int x, int y) {
    Screen().InjectMouseMove(x, y);
    Screen().InjectMouseButton(platform::kButtonLeft, false);
  }
  void ClickAt(int x, int y) {
    Press(x, y);
    Release(x, y);
    Pump();
  }
  RECT WindowRect(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return r;
  }
  // Messages of one window, by name.
  Strings Of(const std::string& window, const std::vector<UINT>& only) {
    Strings out;
    for (const std::string& n : Names(only))
      if (n.rfind(window + ":", 0) == 0) out.push_back(n.substr(window.size() + 1));
    return out;
  }
};

TEST_F(InputTest, DraggingTheCaptionMovesAndDraggingTheBorderResizes) {
  HWND w = Make("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  Pump();
  ClearLog();
  Press(150, 110);  // on the caption
  Screen().InjectMouseMove(170, 130);
  Release(200, 150);
  Pump();
  EXPECT_EQ(WindowRect(w), (RECT{150, 140, 450, 340}));
  Strings seen = Of("w", {WM_NCHITTEST, WM_NCLBUTTONDOWN, WM_ENTERSIZEMOVE, WM_MOVING, WM_WINDOWPOSCHANGED, WM_EXITSIZEMOVE});
  ASSERT_GE(seen.size(), 5u);
  EXPECT_EQ(seen[0], "NCHITTEST");
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "NCLBUTTONDOWN"), 1);
  EXPECT_EQ(std::find(seen.begin(), seen.end(), "0x0231") < std::find(seen.begin(), seen.end(), "WINDOWPOSCHANGED"), true);
  EXPECT_EQ(seen.back(), "0x0232");  // WM_EXITSIZEMOVE

  // The bottom-right corner, dragged by 50, 30.
  ClearLog();
  std::vector<WPARAM> edges;
  handlers[w] = [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT&) {
    if (m == WM_SIZING) edges.push_back(wp);
    return false;
  };
  Press(449, 339);
  Release(499, 369);
  Pump();
  EXPECT_EQ(WindowRect(w), (RECT{150, 140, 500, 370}));
  ASSERT_FALSE(edges.empty());
  EXPECT_EQ(edges.front(), 8u);  // WMSZ_BOTTOMRIGHT
  EXPECT_FALSE(Of("w", {WM_WINDOWPOSCHANGED}).empty());
}

TEST_F(InputTest, ResizingKeepsToTheMinimumTrackSize) {
  HWND w = Make("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  handlers[w] = [](HWND, UINT m, WPARAM, LPARAM lp, LRESULT&) {
    if (m == WM_GETMINMAXINFO) reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {200, 150};
    return false;
  };
  Pump();
  Press(101, 200);  // the left border, dragged far to the right
  Release(390, 200);
  Pump();
  EXPECT_EQ(WindowRect(w), (RECT{200, 100, 400, 300}));  // the right edge stays put
}

TEST_F(InputTest, WindowDraggedByCodeFollowsTheMouse) {
  HWND w = Make("w", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100);
  handlers[w] = [](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
    if (m != WM_LBUTTONDOWN) return false;
    ReleaseCapture();
    SendMessage(h, WM_SYSCOMMAND, 0xF012, 0);
    return true;
  };
  Pump();
  Press(150, 150);
  Screen().InjectMouseMove(170, 160);
  Release(180, 170);
  Pump();
  EXPECT_EQ(WindowRect(w), (RECT{130, 120, 330, 220}));
}

TEST_F(InputTest, ADragStartedOnAHoverEndsAtOnceAndAFramelessWindowSizesByItsHitTest) {
  HWND w = Make("w", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100);
  handlers[w] = [](HWND h, UINT m, WPARAM, LPARAM lp, LRESULT& r) {
    if (m == WM_MOUSEMOVE) {
      ReleaseCapture();
      SendMessage(h, WM_SYSCOMMAND, 0xF012, 0);
      return true;
    }
    if (m == WM_NCHITTEST && GET_X_LPARAM(lp) >= 298 && GET_Y_LPARAM(lp) >= 198) {
      r = HTBOTTOMRIGHT;
      return true;
    }
    return false;
  };
  Pump();
  // Each hover starts a move that has no button to follow, and the next hover is handled as usual.
  Screen().InjectMouseMove(150, 150);
  Pump();
  Screen().InjectMouseMove(180, 170);
  Pump();
  EXPECT_EQ(WindowRect(w), (RECT{100, 100, 300, 200}));
  Press(299, 199);
  Release(329, 219);
  Pump();
  EXPECT_EQ(WindowRect(w), (RECT{100, 100, 330, 220}));
}

TEST_F(InputTest, DoubleClicksNeedTimeDistanceAndTheClassStyle) {
  Make("w", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
  Pump();
  ClearLog();
  const std::vector<UINT> buttons = {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK};
  ClickAt(50, 50);
  clock->Advance(200);
  ClickAt(51, 51);  // soon and close: a double click
  clock->Advance(200);
  ClickAt(51, 51);  // a third press starts over
  clock->Advance(600);
  ClickAt(51, 51);  // too slow
  clock->Advance(100);
  ClickAt(60, 60);  // too far
  EXPECT_EQ(Of("w", buttons), (Strings{"LBUTTONDOWN", "LBUTTONDBLCLK", "LBUTTONDOWN", "LBUTTONDOWN", "LBUTTONDOWN"}));

  // Without CS_DBLCLKS the second press is a plain one.
  WNDCLASS wc;
  wc.lpfnWndProc = DefWindowProc;
  wc.lpszClassName = "NoDouble";
  RegisterClass(&wc);
  HWND plain = CreateWindowEx(0, "NoDouble", "", WS_POPUP | WS_VISIBLE, 300, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  int downs = 0, doubles = 0;
  WNDPROC old = reinterpret_cast<WNDPROC>(GetWindowLongPtr(plain, GWL_WNDPROC));
  static WNDPROC s_old;
  static int *s_downs, *s_doubles;
  s_old = old;
  s_downs = &downs;
  s_doubles = &doubles;
  SetWindowLongPtr(plain, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_LBUTTONDOWN) ++*s_downs;
    if (m == WM_LBUTTONDBLCLK) ++*s_doubles;
    return CallWindowProc(s_old, h, m, wp, lp);
  }));
  ClickAt(320, 20);
  ClickAt(320, 20);
  EXPECT_EQ(downs, 2);
  EXPECT_EQ(doubles, 0);
  DestroyWindow(plain);
  UnregisterClass("NoDouble", nullptr);
}

TEST_F(InputTest, FocusAndCaptureChangesNameTheOtherWindow) {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 300);
  HWND a = Make("a", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top);
  HWND b = Make("b", WS_CHILD | WS_VISIBLE, 100, 10, 50, 50, top);
  Pump();
  SetFocus(a);
  ClearLog();
  EXPECT_EQ(SetFocus(b), a);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].window, "a");
  EXPECT_EQ(log[0].msg, WM_KILLFOCUS);
  EXPECT_EQ(reinterpret_cast<HWND>(log[0].wParam), b);
  EXPECT_EQ(log[1].window, "b");
  EXPECT_EQ(log[1].msg, WM_SETFOCUS);
  EXPECT_EQ(reinterpret_cast<HWND>(log[1].wParam), a);
  EXPECT_EQ(GetFocus(), b);

  SetCapture(a);
  ClearLog();
  EXPECT_EQ(SetCapture(b), a);
  ASSERT_EQ(Names({WM_CAPTURECHANGED}), (Strings{"a:CAPTURECHANGED"}));
  EXPECT_EQ(reinterpret_cast<HWND>(log[0].lParam), b);
  // While captured, the mouse goes to the capturing window wherever it is.
  ClearLog();
  ClickAt(20, 40);
  EXPECT_EQ(Names({WM_LBUTTONDOWN}), (Strings{"b:LBUTTONDOWN"}));
  ReleaseCapture();
  EXPECT_EQ(GetCapture(), nullptr);
  // Hiding or disabling the focused window takes the focus away.
  EnableWindow(b, FALSE);
  EXPECT_NE(GetFocus(), b);
}

HWND g_popup;

TEST_F(InputTest, AMouseHookSwallowsClicksOutsideAPopup) {
  HWND below = Make("below", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400);
  g_popup = Make("popup", WS_POPUP | WS_VISIBLE, 100, 100, 80, 80, below);  // owned: stays above
  Pump();
  HHOOK hook = SetWindowsHookEx(WH_MOUSE, [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
    auto* mh = reinterpret_cast<MOUSEHOOKSTRUCT*>(lp);
    if (code == HC_ACTION && wp == WM_LBUTTONDOWN) {
      RECT r;
      GetWindowRect(g_popup, &r);
      if (!PtInRect(&r, mh->pt)) return 1;  // outside the popup: eat it
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }, nullptr, 0);
  ASSERT_NE(hook, nullptr);
  ClearLog();
  ClickAt(20, 20);
  ClickAt(120, 120);
  EXPECT_EQ(Names({WM_LBUTTONDOWN}), (Strings{"popup:LBUTTONDOWN"}));
  EXPECT_EQ(Names({WM_LBUTTONUP}), (Strings{"below:LBUTTONUP", "popup:LBUTTONUP"}));
  EXPECT_TRUE(UnhookWindowsHookEx(hook));
  EXPECT_FALSE(UnhookWindowsHookEx(hook));
  ClearLog();
  ClickAt(20, 20);
  EXPECT_EQ(Names({WM_LBUTTONDOWN}), (Strings{"below:LBUTTONDOWN"}));
  (void)below;
}

std::vector<std::string> g_keys;
HHOOK g_first, g_second;

TEST_F(InputTest, KeyboardHooksSeeAltAndChainInEitherRemovalOrder) {
  HWND w = Make("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
  Pump();
  SetFocus(w);
  g_keys.clear();
  g_first = SetWindowsHookEx(WH_KEYBOARD, [](int code, WPARAM vk, LPARAM lp) -> LRESULT {
    if (code == HC_ACTION && !(lp & (1u << 31)))
      g_keys.push_back("first " + std::to_string(vk) + ((lp & (1 << 29)) ? " alt" : ""));
    return CallNextHookEx(g_first, code, vk, lp);
  }, nullptr, 0);
  g_second = SetWindowsHookEx(WH_KEYBOARD, [](int code, WPARAM vk, LPARAM lp) -> LRESULT {
    if (code == HC_ACTION && !(lp & (1u << 31))) g_keys.push_back("second " + std::to_string(vk));
    return CallNextHookEx(g_second, code, vk, lp);
  }, nullptr, 0);
  ClearLog();
  Screen().InjectKey(VK_LMENU, true);
  Screen().InjectKey('X', true);
  Screen().InjectKey('X', false);
  Screen().InjectKey(VK_LMENU, false);
  Pump();
  // The newest hook runs first and passes on to the older one.
  EXPECT_EQ(g_keys, (Strings{"second 18", "first 18 alt", "second 88", "first 88 alt"}));
  EXPECT_EQ(Of("w", {WM_SYSKEYDOWN}).size(), 2u);
  // Taking away the first-installed hook leaves the other working.
  UnhookWindowsHookEx(g_first);
  g_keys.clear();
  Screen().InjectKey('Y', true);
  Screen().InjectKey('Y', false);
  Pump();
  EXPECT_EQ(g_keys, (Strings{"second 89"}));
  UnhookWindowsHookEx(g_second);
}

TEST_F(InputTest, ColourKeyedPixelsAndPixelsOutsideAWindowRegionLetClicksThrough) {
  HWND below = Make("below", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300);
  HWND keyed = Make("keyed", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, below, WS_EX_LAYERED);
  handlers[keyed] = [](HWND h, UINT m, WPARAM wp, LPARAM, LRESULT& r) {
    if (m != WM_ERASEBKGND) return false;
    HDC dc = reinterpret_cast<HDC>(wp);
    RECT left{0, 0, 100, 100}, right{100, 0, 200, 100};
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255)), white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &left, magenta);
    FillRect(dc, &right, white);
    DeleteObject(magenta);
    DeleteObject(white);
    (void)h;
    r = 1;
    return true;
  };
  ASSERT_TRUE(SetLayeredWindowAttributes(keyed, RGB(255, 0, 255), 0, LWA_COLORKEY));
  InvalidateRect(keyed, nullptr, TRUE);
  Pump();
  ClearLog();
  ClickAt(50, 50);   // key-coloured: through to the window below
  ClickAt(150, 50);  // white: the layered window itself
  EXPECT_EQ(Names({WM_LBUTTONDOWN}), (Strings{"below:LBUTTONDOWN", "keyed:LBUTTONDOWN"}));
  // The screen shows the window below through the key-coloured half.
  EXPECT_EQ(SurfacePixel(below, 50, 50), SurfacePixel(below, 250, 250));
  EXPECT_EQ(SurfacePixel(keyed, 150, 50), 0xFFFFFFu);

  // A window region: the corners of an elliptic window belong to the window below.
  HWND round = Make("round", WS_POPUP | WS_VISIBLE, 100, 150, 100, 100, below);
  SetWindowRgn(round, CreateEllipticRgn(0, 0, 100, 100), TRUE);
  Pump();
  ClearLog();
  ClickAt(102, 152);  // a corner, outside the ellipse
  ClickAt(150, 200);  // the middle
  EXPECT_EQ(Names({WM_LBUTTONDOWN}), (Strings{"below:LBUTTONDOWN", "round:LBUTTONDOWN"}));
  HRGN got = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(round, got), 0);
  EXPECT_TRUE(PtInRegion(got, 50, 50));
  EXPECT_FALSE(PtInRegion(got, 1, 1));
  DeleteObject(got);
}

TEST_F(InputTest, MouseLeaveAndHoverAreReportedOnceTracked) {
  HWND a = Make("a", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  Make("b", WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
  Pump();
  Screen().InjectMouseMove(50, 50);
  Pump();
  TRACKMOUSEEVENT tme;
  tme.dwFlags = TME_LEAVE | TME_HOVER;
  tme.hwndTrack = a;
  tme.dwHoverTime = 300;
  ASSERT_TRUE(TrackMouseEvent(&tme));
  ClearLog();
  RunFor(350);
  EXPECT_EQ(Names({WM_MOUSEHOVER, WM_MOUSELEAVE}), (Strings{"a:0x02A1"}));
  ClearLog();
  Screen().InjectMouseMove(250, 50);
  Pump();
  EXPECT_EQ(Names({WM_MOUSEHOVER, WM_MOUSELEAVE}), (Strings{"a:0x02A3"}));
  // Untracked, nothing more comes.
  ClearLog();
  Screen().InjectMouseMove(50, 50);
  Screen().InjectMouseMove(250, 50);
  RunFor(500);
  EXPECT_TRUE(Names({WM_MOUSEHOVER, WM_MOUSELEAVE}).empty());
}

TEST_F(InputTest, KeysHeldOnADisplayAreUpOnTheNextOne) {
  // A modal loop that ends on a key's press leaves its release queued on the display; when that
  // display goes, the key must not stay down and swallow the text typed on the next one.
  HWND w = Make("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 100);
  SetFocus(w);
  Screen().InjectKey(VK_RETURN, true);
  Pump();
  ASSERT_TRUE(GetAsyncKeyState(VK_RETURN) & 0x8000);
  Screen().InjectKey(VK_RETURN, false);
  DestroyWindow(w);
  platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
  EXPECT_FALSE(GetAsyncKeyState(VK_RETURN) & 0x8000);
  EXPECT_FALSE(GetKeyState(VK_RETURN) & 0x8000);

  HWND v = Make("v", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 100);
  SetFocus(v);
  Pump();
  ClearLog();
  Screen().InjectText("o");
  Pump();
  EXPECT_EQ(Of("v", {WM_CHAR}), Strings{"CHAR"});
}

TEST_F(InputTest, ActivationFollowsClicksUnlessTheWindowDeclines) {
  HWND a = Make("a", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
  HWND b = Make("b", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 0, 200, 200);
  Pump();
  EXPECT_EQ(GetActiveWindow(), b);
  ClickAt(100, 100);
  EXPECT_EQ(GetActiveWindow(), a);
  handlers[b] = [](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
    if (m != WM_MOUSEACTIVATE) return false;
    r = MA_NOACTIVATE;
    return true;
  };
  ClearLog();
  ClickAt(400, 100);
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(Of("b", {WM_LBUTTONDOWN}), (Strings{"LBUTTONDOWN"}));
}

TEST_F(InputTest, LateConfirmationsOfFocusAskedForActivateNothing) {
  HWND form = Make("form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
  HWND bar = Make("bar", WS_POPUP | WS_VISIBLE, 300, 0, 100, 30, form);
  SetActiveWindow(form);
  Pump();
  ASSERT_EQ(GetActiveWindow(), form);
  // The bar hands its activation on to its form, as a floating toolbar does; the count only
  // keeps a fault from running forever.
  static int barActivations;
  barActivations = 0;
  handlers[bar] = [form](HWND, UINT m, WPARAM wp, LPARAM, LRESULT& r) {
    if (m != WM_ACTIVATE || LOWORD(wp) == WA_INACTIVE || ++barActivations >= 20) return false;
    SetActiveWindow(form);
    r = 0;
    return true;
  };
  // Twice before the desktop answers: four focus changes asked for, confirmed one after another.
  SetActiveWindow(bar);
  SetActiveWindow(bar);
  Pump();
  EXPECT_EQ(barActivations, 2) << "a confirmation of the bar's focus activated it again";
  EXPECT_EQ(GetActiveWindow(), form);
  // A change nobody asked for still activates.
  platform::InputEvent focus;
  focus.kind = platform::InputKind::FocusIn;
  focus.surface = Screen().SurfaceAt(350, 15);
  Screen().InjectEvent(focus);
  Pump();
  EXPECT_EQ(barActivations, 3);
}

TEST_F(InputTest, DialogNavigationMovesFocusInTabOrder) {
  HWND dlg = Make("dlg", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200);
  HWND one = Make("one", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 50, 20, dlg, 0, 11);
  Make("skip", WS_CHILD | WS_VISIBLE, 10, 40, 50, 20, dlg, 0, 12);  // no tab stop
  HWND three = Make("three", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 70, 50, 20, dlg, 0, 13);
  Pump();
  SetFocus(one);
  EXPECT_EQ(GetNextDlgTabItem(dlg, one, FALSE), three);
  EXPECT_EQ(GetNextDlgTabItem(dlg, three, FALSE), one);
  EXPECT_EQ(GetNextDlgTabItem(dlg, one, TRUE), three);
  MSG m{};
  m.hwnd = one;
  m.message = WM_KEYDOWN;
  m.wParam = VK_TAB;
  EXPECT_TRUE(IsDialogMessage(dlg, &m));
  EXPECT_EQ(GetFocus(), three);
  // Escape asks the dialog to cancel.
  ClearLog();
  m.hwnd = three;
  m.wParam = VK_ESCAPE;
  IsDialogMessage(dlg, &m);
  ASSERT_EQ(Names({WM_COMMAND}), (Strings{"dlg:0x0111"}));
  auto command = std::find_if(log.begin(), log.end(), [](const Logged& l) { return l.msg == WM_COMMAND; });
  EXPECT_EQ(LOWORD(command->wParam), IDCANCEL);
}

}  // namespace
}  // namespace wintest

namespace wintest {
namespace {

using namespace win;

TEST_F(WindowTest, RightClickAndTheMenuKeyAskForTheContextMenu) {
  HWND top = Make("top", WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
  HWND child = Make("child", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top);
  Pump();
  SetFocus(child);
  ClearLog();
  Screen().InjectMouseMove(120, 130);
  Screen().InjectMouseButton(platform::kButtonRight, true);
  Screen().InjectMouseButton(platform::kButtonRight, false);
  Pump();
  // The child asks first, then passes it to its parent through the default procedure.
  std::vector<std::string> seen = Names({WM_CONTEXTMENU});
  ASSERT_EQ(seen, (std::vector<std::string>{"child:0x007B", "top:0x007B"}));
  EXPECT_EQ(GET_X_LPARAM(log.back().lParam), 120);
  EXPECT_EQ(GET_Y_LPARAM(log.back().lParam), 130);
  ClearLog();
  Screen().InjectKey(VK_APPS, true);
  Screen().InjectKey(VK_APPS, false);
  Pump();
  ASSERT_FALSE(Names({WM_CONTEXTMENU}).empty());
  EXPECT_EQ(log.back().lParam, -1);
}

}  // namespace
}  // namespace wintest

namespace wintest {
namespace {

using namespace win;

TEST_F(WindowTest, AnActivationByTheMouseSaysSo) {
  Make("a", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
  HWND b = Make("b", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 0, 200, 200);
  Pump();
  ClearLog();
  Screen().InjectMouseMove(50, 100);
  Screen().InjectMouseButton(platform::kButtonLeft, true);
  Screen().InjectMouseButton(platform::kButtonLeft, false);
  Pump();
  auto act = std::find_if(log.begin(), log.end(), [](const Logged& l) { return l.window == "a" && l.msg == WM_ACTIVATE; });
  ASSERT_NE(act, log.end());
  EXPECT_EQ(LOWORD(act->wParam), WA_CLICKACTIVE);
  ClearLog();
  SetActiveWindow(b);
  act = std::find_if(log.begin(), log.end(), [](const Logged& l) { return l.window == "b" && l.msg == WM_ACTIVATE; });
  ASSERT_NE(act, log.end());
  EXPECT_EQ(LOWORD(act->wParam), WA_ACTIVE);
}

TEST_F(WindowTest, WaitingForInputOnVirtualTimeEndsAtItsTimeOut) {
  DWORD start = GetTickCount();
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 5000, QS_ALLINPUT), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(GetTickCount() - start, 5000u);
}

}  // namespace
}  // namespace wintest

namespace wintest {
namespace {

using namespace win;

TEST_F(WindowTest, AnimatedShowingAndHidingEndInTheWindowsOwnLook) {
  HWND below = Make("below", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300);
  HWND w = Make("w", WS_POPUP, 50, 50, 100, 100, below);
  handlers[w] = [](HWND, UINT m, WPARAM wp, LPARAM, LRESULT& r) {
    if (m != WM_ERASEBKGND) return false;
    RECT rc{0, 0, 100, 100};
    HBRUSH b = CreateSolidBrush(RGB(0, 200, 0));
    FillRect(reinterpret_cast<HDC>(wp), &rc, b);
    DeleteObject(b);
    r = 1;
    return true;
  };
  DWORD start = GetTickCount();
  ASSERT_TRUE(AnimateWindow(w, 200, AW_BLEND));
  EXPECT_EQ(GetTickCount() - start, 200u);  // on virtual time: costs nothing real
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_EQ(SurfacePixel(below, 100, 100), 0x00C800u);  // fully opaque again
  EXPECT_FALSE(AnimateWindow(w, 200, AW_BLEND));          // already shown
  ASSERT_TRUE(AnimateWindow(w, 100, AW_HIDE | AW_SLIDE | AW_HOR_POSITIVE));
  EXPECT_FALSE(IsWindowVisible(w));
  // The slide's region is gone again: shown plainly, the whole window can be hit.
  ShowWindow(w, SW_SHOWNA);
  Pump();
  EXPECT_EQ(WindowFromPoint({145, 145}), w);
}

}  // namespace
}  // namespace wintest
