// Window-system behaviour that callers lean on and that broke in subtle ways: pixels kept across
// a resize, input to disabled windows, hook chains changed while they run, and senders whose
// receiver goes away.
#include <atomic>
#include <thread>

#include "platform/system/Sync.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "tests/platform/win/WindowFixture.h"

namespace wintest {
namespace {

using namespace win;
using Strings = std::vector<std::string>;

// A handler that fills its whole client area with one colour and never erases.
auto Filler(COLORREF color) {
  return [color](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
    if (m == WM_ERASEBKGND) {
      r = 1;
      return true;
    }
    if (m != WM_PAINT) return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT all{-1000, -1000, 1000, 1000};
    HBRUSH b = CreateSolidBrush(color);
    FillRect(dc, &all, b);
    DeleteObject(b);
    EndPaint(h, &ps);
    return true;
  };
}

// What the window's backing store holds at a point of the window, children included (not what
// was last presented).
COLORREF StoredPixel(HWND h, int x, int y) {
  HDC dc = GetWindowDC(h);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(h, dc);
  return c;
}

class WindowReviewTest : public WindowTest {
 protected:
  void Click(int x, int y) {
    Screen().InjectMouseMove(x, y);
    Screen().InjectMouseButton(platform::kButtonLeft, true);
    Screen().InjectMouseButton(platform::kButtonLeft, false);
    Pump();
  }
};

TEST_F(WindowReviewTest, GrowingATopLevelWindowKeepsWhatWasDrawn) {
  HWND top = Make("top", WS_POPUP | WS_VISIBLE, 0, 0, 200, 150);
  handlers[top] = Filler(RGB(255, 0, 0));
  InvalidateRect(top, nullptr, TRUE);
  Pump();
  ASSERT_EQ(StoredPixel(top, 10, 10), RGB(255, 0, 0));
  // Only the new strip is painted again: the old part must still hold its pixels, not black.
  int paints = 0;
  handlers[top] = [&, fill = Filler(RGB(255, 0, 0))](HWND h, UINT m, WPARAM wp, LPARAM lp, LRESULT& r) {
    if (m == WM_PAINT) ++paints;
    return fill(h, m, wp, lp, r);
  };
  SetWindowPos(top, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(StoredPixel(top, 10, 10), RGB(255, 0, 0));
  EXPECT_EQ(StoredPixel(top, 199, 149), RGB(255, 0, 0));
  EXPECT_EQ(StoredPixel(top, 250, 180), RGB(255, 0, 0));
  EXPECT_EQ(SurfacePixel(top, 10, 10), 0xFF0000u);
}

TEST_F(WindowReviewTest, GrowingAWindowRepaintsTheChildrenItUncovers) {
  // The child reaches past the parent's right edge; growing the parent brings the rest into view.
  HWND top = Make("top", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 200, 150);
  HWND kid = Make("kid", WS_CHILD | WS_VISIBLE, 150, 20, 100, 50, top);
  handlers[top] = Filler(RGB(255, 0, 0));
  handlers[kid] = Filler(RGB(0, 0, 255));
  Pump();
  SetWindowPos(top, nullptr, 0, 0, 300, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  EXPECT_EQ(StoredPixel(top, 160, 30), RGB(0, 0, 255));
  EXPECT_EQ(StoredPixel(top, 220, 30), RGB(0, 0, 255));
  EXPECT_EQ(StoredPixel(top, 260, 30), RGB(255, 0, 0));
}

TEST_F(WindowReviewTest, ADisabledWindowsChildrenGetNoMouseInput) {
  // An owner disabled for a modal run must not let its controls be clicked.
  HWND owner = Make("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  HWND button = Make("button", WS_CHILD | WS_VISIBLE, 10, 10, 100, 30, owner);
  Pump();
  POINT p{5, 5};
  ClientToScreen(button, &p);
  EnableWindow(owner, FALSE);
  ClearLog();
  Click(p.x, p.y);
  EXPECT_EQ(Names({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEACTIVATE}), Strings{});
  EXPECT_EQ(WindowFromPoint(p), owner);

  EnableWindow(owner, TRUE);
  RunFor(1000);  // no double click with the press before
  ClearLog();
  Click(p.x, p.y);
  EXPECT_EQ(Names({WM_LBUTTONDOWN, WM_LBUTTONUP}), (Strings{"button:LBUTTONDOWN", "button:LBUTTONUP"}));
}

// Hooks that record what they see; the newest may take itself out while it runs.
HHOOK g_older = nullptr, g_newer = nullptr;
Strings g_hookLog;
bool g_newerUnhooks = false;

LRESULT OlderHook(int code, WPARAM wParam, LPARAM lParam) {
  g_hookLog.push_back("older");
  return CallNextHookEx(g_older, code, wParam, lParam);
}

LRESULT NewerHook(int code, WPARAM wParam, LPARAM lParam) {
  g_hookLog.push_back("newer");
  HHOOK self = g_newer;
  if (g_newerUnhooks) {
    UnhookWindowsHookEx(g_newer);
    g_newer = nullptr;
  }
  return CallNextHookEx(self, code, wParam, lParam);
}

TEST_F(WindowReviewTest, AHookThatRemovesItselfStillPassesTheMessageOn) {
  HWND w = Make("w", WS_POPUP, 0, 0, 10, 10);
  g_hookLog.clear();
  g_newerUnhooks = true;
  g_older = SetWindowsHookEx(WH_GETMESSAGE, OlderHook, nullptr, GetCurrentThreadId());
  g_newer = SetWindowsHookEx(WH_GETMESSAGE, NewerHook, nullptr, GetCurrentThreadId());
  PostMessage(w, WM_USER, 0, 0);
  Pump();
  // The older hook hears this message and the next; the newer one only the first.
  PostMessage(w, WM_USER, 0, 0);
  Pump();
  EXPECT_EQ(g_hookLog, (Strings{"newer", "older", "older"}));
  UnhookWindowsHookEx(g_older);
}

TEST_F(WindowReviewTest, ASendToAThreadThatEndsWithoutTakingItReturns) {
  std::atomic<HWND> target{nullptr};
  std::thread receiver([&] {
    HWND h = CreateWindowEx(0, "Recorder", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    target = h;
    while (!HIWORD(GetQueueStatus(QS_SENDMESSAGE))) std::this_thread::yield();
    DestroyWindow(h);  // and the thread ends with the message still waiting
  });
  while (!target) std::this_thread::yield();
  std::atomic<bool> returned{false};
  std::atomic<LRESULT> result{-1};
  std::thread sender([&] {
    result = SendMessage(target, WM_USER, 0, 0);
    returned = true;
  });
  receiver.join();
  for (int i = 0; i < 300 && !returned; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (!returned) {
    sender.detach();
    FAIL() << "the sender still waits for a reply that cannot come";
  }
  sender.join();
  EXPECT_EQ(result.load(), 0);
}

TEST_F(WindowReviewTest, WindowsAnsweringTransparentLetTheMouseThroughToWhatLiesBeneath) {
  // A hint or shadow above another window, and a see-through child above its sibling.
  HWND below = Make("below", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200);
  HWND glass = Make("glass", WS_CHILD | WS_VISIBLE, 0, 100, 100, 50, below);  // first made: above `under`
  HWND under = Make("under", WS_CHILD | WS_VISIBLE, 0, 100, 100, 50, below);
  HWND hint = Make("hint", WS_POPUP | WS_VISIBLE, 150, 150, 100, 50, nullptr, WS_EX_TOPMOST | WS_EX_NOACTIVATE);
  auto transparent = [](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
    if (m != WM_NCHITTEST) return false;
    r = HTTRANSPARENT;
    return true;
  };
  handlers[hint] = transparent;
  handlers[glass] = transparent;
  Pump();
  ASSERT_EQ(GetWindow(below, GW_CHILD), glass);
  struct Case {
    POINT at;
    HWND expected;
    const char* gets;
  } cases[] = {
      {{160, 160}, below, "below:LBUTTONDOWN"},
      {{110, 210}, under, "under:LBUTTONDOWN"},
  };
  for (const Case& c : cases) {
    RunFor(1000);
    ClearLog();
    Click(c.at.x, c.at.y);
    EXPECT_EQ(Names({WM_LBUTTONDOWN}), Strings{c.gets});
    EXPECT_EQ(WindowFromPoint(c.at), c.expected);
  }
}

TEST_F(WindowReviewTest, AWindowClosedByItsMouseActivationIsLeftAlone) {
  // A popup that closes itself when clicked while inactive: nothing may touch it afterwards.
  HWND a = Make("a", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND b = Make("b", WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
  Pump();
  ASSERT_EQ(GetActiveWindow(), b);
  handlers[a] = [](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
    if (m != WM_MOUSEACTIVATE) return false;
    DestroyWindow(h);
    r = MA_ACTIVATE;
    return true;
  };
  Click(50, 50);
  EXPECT_FALSE(IsWindow(a));
  EXPECT_EQ(GetActiveWindow(), b);
}

TEST_F(WindowReviewTest, UpdateWindowPaintsTheChildrenToo) {
  // Shown and updated at once, before any message is pumped: its controls must be drawn too.
  HWND top = Make("top", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 200, 100);
  HWND kid = Make("kid", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top);
  handlers[top] = Filler(RGB(255, 0, 0));
  handlers[kid] = Filler(RGB(0, 0, 255));
  ShowWindow(top, SW_SHOW);
  ClearLog();
  UpdateWindow(top);
  EXPECT_EQ(Names({WM_PAINT}), (Strings{"top:PAINT", "kid:PAINT"}));
  EXPECT_EQ(StoredPixel(top, 20, 20), RGB(0, 0, 255));
}

TEST_F(WindowReviewTest, ShowingAVisibleWindowAgainChangesNothing) {
  HWND lower = Make("lower", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND upper = Make("upper", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100);
  Pump();
  ASSERT_EQ(GetWindow(upper, GW_HWNDNEXT), lower);
  ClearLog();
  EXPECT_TRUE(ShowWindow(lower, SW_SHOW));  // it was visible
  Pump();
  EXPECT_EQ(GetWindow(upper, GW_HWNDNEXT), lower);
  EXPECT_EQ(GetActiveWindow(), upper);
  EXPECT_EQ(Names({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SHOWWINDOW, WM_ACTIVATE}), Strings{});
}

TEST_F(WindowReviewTest, ActivationHandsTheFocusOverNamingTheOtherWindow) {
  // Controls tell a focus change within the program from one that leaves it by the window named
  // in WM_KILLFOCUS and WM_SETFOCUS.
  HWND a = Make("a", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND a1 = Make("a1", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, a);
  HWND b = Make("b", WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
  HWND b1 = Make("b1", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, b);
  // `b` puts the focus on its control itself, without the default handling.
  handlers[b] = [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT&) {
    if (m != WM_ACTIVATE) return false;
    if (LOWORD(wp) != WA_INACTIVE) SetFocus(b1);
    return true;
  };
  Pump();
  SetFocus(a1);
  ASSERT_EQ(GetFocus(), a1);
  struct Case {
    HWND activate, from, to;
    const char *lost, *got;
  } cases[] = {
      {b, a1, b1, "a1:KILLFOCUS", "b1:SETFOCUS"},  // by its own handler
      {a, b1, a, "b1:KILLFOCUS", "a:SETFOCUS"},    // by the default handling
  };
  for (const Case& c : cases) {
    ClearLog();
    SetActiveWindow(c.activate);
    EXPECT_EQ(GetFocus(), c.to);
    EXPECT_EQ(Names({WM_ACTIVATE, WM_KILLFOCUS, WM_SETFOCUS}).back(), c.got);
    for (const Logged& l : log) {
      if (l.msg == WM_KILLFOCUS) {
        EXPECT_EQ(reinterpret_cast<HWND>(l.wParam), c.to) << c.lost;
      }
      if (l.msg == WM_SETFOCUS) {
        EXPECT_EQ(reinterpret_cast<HWND>(l.wParam), c.from) << c.got;
      }
    }
    Strings order = Names({WM_ACTIVATE, WM_KILLFOCUS, WM_SETFOCUS});
    // The old window hears of its deactivation first, the focus moves within the activation.
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[2], c.lost);
  }

  // A window destroyed while it is being activated is neither active nor focused afterwards.
  handlers[a] = [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT&) {
    if (m == WM_ACTIVATE && LOWORD(wp) == WA_INACTIVE) DestroyWindow(b);
    return false;
  };
  SetActiveWindow(b);
  EXPECT_FALSE(IsWindow(b));
  EXPECT_NE(GetActiveWindow(), b);
  EXPECT_NE(GetFocus(), b1);
  EXPECT_TRUE(GetFocus() == nullptr || IsWindow(GetFocus()));
}

TEST_F(WindowReviewTest, PostingFromAWorkerWhileTheWindowIsDestroyedIsSafe) {
  // A receive thread posts to a window that the UI thread closes at any moment.
  std::atomic<HWND> target{nullptr};
  std::atomic<bool> stop{false};
  std::thread poster([&] {
    while (!stop) PostMessage(target.load(), WM_APP, 0, 0);
  });
  for (int i = 0; i < 3000; ++i) {
    HWND h = CreateWindowEx(0, "Recorder", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    target = h;
    DestroyWindow(h);
    if (i % 100 == 0) Pump();
  }
  stop = true;
  poster.join();
  Pump();
}

TEST_F(WindowReviewTest, RaisingAChildShowsItAboveTheSiblingThatCoveredIt) {
  HWND top = Make("top", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 200, 200);
  HWND upper = Make("upper", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 60, 60, 100, 100, top);
  HWND lower = Make("lower", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 20, 20, 100, 100, top);
  handlers[top] = Filler(RGB(255, 0, 0));
  handlers[lower] = Filler(RGB(0, 255, 0));
  handlers[upper] = Filler(RGB(0, 0, 255));
  Pump();
  ASSERT_EQ(GetWindow(top, GW_CHILD), upper);
  ASSERT_EQ(StoredPixel(top, 70, 70), RGB(0, 0, 255));
  SetWindowPos(lower, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Pump();
  EXPECT_EQ(GetWindow(top, GW_CHILD), lower);
  EXPECT_EQ(StoredPixel(top, 70, 70), RGB(0, 255, 0));
  EXPECT_EQ(StoredPixel(top, 150, 150), RGB(0, 0, 255));
}

TEST_F(WindowReviewTest, EachStateChangeReportsItsSizeOnce) {
  HWND w = Make("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  Pump();
  struct Case {
    int cmd;
    WPARAM kind;
  } cases[] = {{SW_SHOWMAXIMIZED, SIZE_MAXIMIZED}, {SW_RESTORE, SIZE_RESTORED}, {SW_MINIMIZE, SIZE_MINIMIZED},
               {SW_RESTORE, SIZE_RESTORED}};
  for (const Case& c : cases) {
    ClearLog();
    ShowWindow(w, c.cmd);
    std::vector<WPARAM> sizes;
    for (const Logged& l : log)
      if (l.msg == WM_SIZE) sizes.push_back(l.wParam);
    EXPECT_EQ(sizes, std::vector<WPARAM>{c.kind}) << c.cmd;
  }
}

}  // namespace
}  // namespace wintest
