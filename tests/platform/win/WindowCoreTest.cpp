#include <atomic>
#include <thread>

#include "platform/system/Sync.h"
#include "platform/system/Version.h"
#include "tests/platform/win/WindowFixture.h"

namespace wintest {
namespace {

using namespace win;

using Strings = std::vector<std::string>;

TEST_F(WindowTest, CreationAndDestructionSendTheirMessagesInOrder) {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10, 300, 200);
  ASSERT_TRUE(IsWindow(top));
  HWND child = Make("child", WS_CHILD | WS_VISIBLE, 5, 5, 50, 50, top, 0, 7);
  HWND grandchild = Make("grand", WS_CHILD | WS_VISIBLE, 1, 1, 10, 10, child);
  ASSERT_TRUE(grandchild);

  const std::vector<UINT> lifecycle = {WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE,
                                       WM_SHOWWINDOW, WM_PARENTNOTIFY, WM_DESTROY, WM_NCDESTROY};
  Strings created = Names(lifecycle);
  Strings expected = {"top:GETMINMAXINFO", "top:NCCREATE", "top:NCCALCSIZE", "top:CREATE", "top:SIZE", "top:MOVE",
                      "top:SHOWWINDOW",
                      "child:NCCREATE", "child:NCCALCSIZE", "child:CREATE", "child:SIZE", "child:MOVE",
                      "top:PARENTNOTIFY", "child:SHOWWINDOW",
                      "grand:NCCREATE", "grand:NCCALCSIZE", "grand:CREATE", "grand:SIZE", "grand:MOVE",
                      "child:PARENTNOTIFY", "top:PARENTNOTIFY", "grand:SHOWWINDOW"};
  EXPECT_EQ(created, expected);

  ClearLog();
  EXPECT_TRUE(DestroyWindow(top));
  // WM_DESTROY from the top down, WM_NCDESTROY from the bottom up; no notifications for
  // children that go with their parent.
  EXPECT_EQ(Names({WM_DESTROY, WM_NCDESTROY, WM_PARENTNOTIFY}),
            (Strings{"top:DESTROY", "child:DESTROY", "grand:DESTROY", "grand:NCDESTROY", "child:NCDESTROY", "top:NCDESTROY"}));
  EXPECT_FALSE(IsWindow(top));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(IsWindow(grandchild));
}

TEST_F(WindowTest, FailedCreationLeavesNoWindow) {
  HWND probe = nullptr;
  WNDCLASS wc;
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    return m == WM_CREATE ? -1 : DefWindowProc(h, m, w, l);
  };
  wc.lpszClassName = "Refuser";
  ASSERT_TRUE(RegisterClass(&wc));
  probe = CreateWindowEx(0, "refuser", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(probe, nullptr);
  EXPECT_TRUE(UnregisterClass("REFUSER", nullptr));
  EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
  EXPECT_EQ(CreateWindowEx(0, "Recorder", "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(WindowTest, SentMessagesRunAtOncePostedOnesWhenPumped) {
  HWND w = Make("w", WS_POPUP, 0, 0, 10, 10);
  ClearLog();
  PostMessage(w, WM_USER, 1, 0);
  SendMessage(w, WM_USER + 1, 2, 0);
  PostMessage(w, WM_USER + 2, 3, 0);
  EXPECT_EQ(Names({WM_USER, WM_USER + 1, WM_USER + 2}), (Strings{"w:USER+1"}));
  Pump();
  EXPECT_EQ(Names({WM_USER, WM_USER + 1, WM_USER + 2}), (Strings{"w:USER+1", "w:USER", "w:USER+2"}));
}

TEST_F(WindowTest, MessagesFromAnotherThreadKeepTheirOrderAndSendsComeFirst) {
  HWND w = Make("w", WS_POPUP, 0, 0, 10, 10);
  handlers[w] = [](HWND, UINT m, WPARAM wp, LPARAM, LRESULT& r) {
    if (m != WM_USER + 3) return false;
    r = static_cast<LRESULT>(wp * 10);
    return true;
  };
  ClearLog();
  std::atomic<LRESULT> reply{0};
  std::atomic<bool> posted{false};
  std::thread worker([&] {
    PostMessage(w, WM_USER, 0, 0);
    PostMessage(w, WM_USER + 1, 0, 0);
    posted = true;
    reply = SendMessage(w, WM_USER + 3, 4, 0);  // blocks until the window's thread takes it
    PostMessage(w, WM_USER + 2, 0, 0);
  });
  // Wait until the worker's send has arrived; GetMessage then runs it before the posted messages.
  while (!posted || !HIWORD(GetQueueStatus(QS_SENDMESSAGE))) std::this_thread::yield();
  MSG m;
  Strings seen;
  while (seen.size() < 3 && GetMessage(&m, nullptr, 0, 0)) {
    DispatchMessage(&m);
    if (m.message >= WM_USER) seen.push_back(MessageName(m.message));
  }
  worker.join();
  Pump();
  EXPECT_EQ(reply.load(), 40);
  EXPECT_EQ(Names({WM_USER, WM_USER + 1, WM_USER + 2, WM_USER + 3}),
            (Strings{"w:USER+3", "w:USER", "w:USER+1", "w:USER+2"}));
}

TEST_F(WindowTest, WindowsBelongToThisProcessAndTheirThread) {
  HWND w = Make("w", WS_POPUP, 0, 0, 10, 10);
  DWORD process = 0;
  EXPECT_EQ(GetWindowThreadProcessId(w, &process), GetCurrentThreadId());
  EXPECT_EQ(process, GetCurrentProcessId());
}

TEST_F(WindowTest, WorkerThreadsHaveQueuesOfTheirOwn) {
  std::atomic<DWORD> workerId{0};
  std::atomic<int> got{-1};
  std::thread worker([&] {
    MSG m;
    PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE);  // makes the queue
    workerId = GetCurrentThreadId();
    while (GetMessage(&m, nullptr, 0, 0)) got = static_cast<int>(m.wParam);
    got = got * 100 + static_cast<int>(m.wParam);  // the quit code
  });
  while (!workerId) std::this_thread::yield();
  // The queue exists from the first call; retry briefly in case of a race with its creation.
  while (!PostThreadMessage(workerId, WM_APP, 7, 0)) std::this_thread::yield();
  while (!PostThreadMessage(workerId, WM_QUIT, 3, 0)) std::this_thread::yield();
  worker.join();
  EXPECT_EQ(got.load(), 703);
  EXPECT_FALSE(PostThreadMessage(999999, WM_APP, 0, 0));
}

// A worker that waits on its queue (as a port's writer does) while this thread builds and tears
// down windows: the worker owns none, so it looks at none (the sanitizer saw it read freed child lists).
TEST_F(WindowTest, AWorkerWithoutWindowsPollsItsQueueWhileWindowsComeAndGo) {
  std::atomic<bool> stop{false};
  std::atomic<int> paintSeen{0};
  std::thread worker([&] {
    MSG m;
    while (!stop) {
      if (HIWORD(GetQueueStatus(QS_ALLINPUT)) & QS_PAINT) ++paintSeen;
      if (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE) && m.message == WM_PAINT) ++paintSeen;
    }
  });
  for (int round = 0; round < 200; ++round) {
    HWND top = Make("top", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    for (int i = 0; i < 8; ++i) Make("child", WS_CHILD | WS_VISIBLE, i, i, 10, 10, top);
    InvalidateRect(top, nullptr, FALSE);
    DestroyWindow(top);
  }
  stop = true;
  worker.join();
  EXPECT_EQ(paintSeen.load(), 0);
}

TEST_F(WindowTest, PaintComesOnlyWhenTheQueueIsEmptyWithTheUpdateRegion) {
  HWND w = Make("w", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
  Pump();
  RECT painted{};
  int paints = 0;
  handlers[w] = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
    if (m != WM_PAINT) return false;
    PAINTSTRUCT ps;
    BeginPaint(h, &ps);
    painted = ps.rcPaint;
    ++paints;
    EndPaint(h, &ps);
    return true;
  };
  ClearLog();
  RECT a{10, 10, 20, 20}, b{50, 30, 60, 40};
  InvalidateRect(w, &a, FALSE);
  PostMessage(w, WM_USER, 0, 0);
  InvalidateRect(w, &b, FALSE);
  PostMessage(w, WM_USER + 1, 0, 0);
  Pump();
  EXPECT_EQ(Names({WM_USER, WM_USER + 1, WM_PAINT}), (Strings{"w:USER", "w:USER+1", "w:PAINT"}));
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(painted, (RECT{10, 10, 60, 40}));
  RECT none;
  EXPECT_FALSE(GetUpdateRect(w, &none, FALSE));
  // Validating what was invalidated leaves nothing to paint.
  InvalidateRect(w, &a, TRUE);
  ValidateRect(w, nullptr);
  Pump();
  EXPECT_EQ(paints, 1);
}

TEST_F(WindowTest, ChildrenAndSiblingsAreClippedOutOfAParentsPainting) {
  // The parent clips its children; the two overlapping children clip each other.
  HWND top = Make("top", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 200, 200);
  // Children join at the bottom of the z-order: the one created first is on top.
  HWND upper = Make("upper", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 60, 60, 100, 100, top);
  HWND lower = Make("lower", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 20, 20, 100, 100, top);
  EXPECT_EQ(GetWindow(top, GW_CHILD), upper);
  EXPECT_EQ(GetWindow(upper, GW_HWNDNEXT), lower);
  auto filler = [](COLORREF color) {
    return [color](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
      if (m == WM_ERASEBKGND) return true;
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
  };
  handlers[top] = filler(RGB(255, 0, 0));
  handlers[lower] = filler(RGB(0, 255, 0));
  handlers[upper] = filler(RGB(0, 0, 255));
  InvalidateRect(top, nullptr, TRUE);
  InvalidateRect(lower, nullptr, TRUE);
  InvalidateRect(upper, nullptr, TRUE);
  Pump();
  EXPECT_EQ(SurfacePixel(top, 5, 5), 0xFF0000u);
  EXPECT_EQ(SurfacePixel(top, 30, 30), 0x00FF00u);    // lower only
  EXPECT_EQ(SurfacePixel(top, 70, 70), 0x0000FFu);    // both: the upper wins
  EXPECT_EQ(SurfacePixel(top, 150, 150), 0x0000FFu);  // upper only
  EXPECT_EQ(SurfacePixel(top, 190, 30), 0xFF0000u);

  // Repainting the lower child alone must not touch the upper one's pixels.
  InvalidateRect(lower, nullptr, TRUE);
  Pump();
  EXPECT_EQ(SurfacePixel(top, 70, 70), 0x0000FFu);
  // A parent that does not clip its children invalidates them with itself.
  SetWindowLongPtr(top, GWL_STYLE, GetWindowLongPtr(top, GWL_STYLE) & ~WS_CLIPCHILDREN);
  ClearLog();
  InvalidateRect(top, nullptr, TRUE);
  Pump();
  EXPECT_EQ(Names({WM_PAINT}), (Strings{"top:PAINT", "lower:PAINT", "upper:PAINT"}));
  EXPECT_EQ(SurfacePixel(top, 70, 70), 0x0000FFu);
}

TEST_F(WindowTest, TimersFireInOrderOnVirtualTime) {
  HWND w = Make("w", WS_POPUP, 0, 0, 10, 10);
  Strings fired;
  handlers[w] = [&](HWND, UINT m, WPARAM id, LPARAM, LRESULT&) {
    if (m == WM_TIMER) fired.push_back(std::to_string(id) + "@" + std::to_string(GetTickCount() - 1000));
    return m == WM_TIMER;
  };
  DWORD start = GetTickCount();
  ASSERT_EQ(start, 1000u);
  SetTimer(w, 1, 300, nullptr);
  SetTimer(w, 2, 100, nullptr);
  SetTimer(w, 3, 200, nullptr);
  RunFor(400);
  // Timers due at once fire in the order they were set.
  EXPECT_EQ(fired, (Strings{"2@100", "2@200", "3@200", "1@300", "2@300", "2@400", "3@400"}));
  fired.clear();
  KillTimer(w, 2);
  EXPECT_FALSE(KillTimer(w, 2));
  RunFor(200);
  EXPECT_EQ(fired, (Strings{"1@600", "3@600"}));
}

TEST_F(WindowTest, GetMessageJumpsVirtualTimeToTheNextTimer) {
  static int ticks;
  ticks = 0;
  UINT_PTR id = SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR, DWORD) {
    if (++ticks == 3) PostQuitMessage(5);
  });
  ASSERT_NE(id, 0u);
  auto realStart = std::chrono::steady_clock::now();
  MSG m;
  while (GetMessage(&m, nullptr, 0, 0)) DispatchMessage(&m);
  EXPECT_EQ(m.wParam, 5u);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(GetTickCount(), 1000u + 9000u);
  EXPECT_LT(std::chrono::steady_clock::now() - realStart, std::chrono::seconds(2));
  KillTimer(nullptr, id);
}

LRESULT (*g_prev1)(HWND, UINT, WPARAM, LPARAM);
LRESULT (*g_prev2)(HWND, UINT, WPARAM, LPARAM);
std::vector<std::string> g_chain;

TEST_F(WindowTest, SubclassChainsCallOnOrSwallow) {
  HWND w = Make("w", WS_POPUP, 0, 0, 10, 10);
  g_chain.clear();
  g_prev1 = reinterpret_cast<WNDPROC>(SetWindowLongPtr(w, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(
      +[](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m >= WM_USER) g_chain.push_back("sub1");
        return CallWindowProc(g_prev1, h, m, wp, lp);
      })));
  g_prev2 = reinterpret_cast<WNDPROC>(SetWindowLongPtr(w, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(
      +[](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_USER + 1) {
          g_chain.push_back("sub2 swallows");
          return 99;
        }
        if (m >= WM_USER) g_chain.push_back("sub2");
        return CallWindowProc(g_prev2, h, m, wp, lp);
      })));
  ClearLog();
  SendMessage(w, WM_USER, 0, 0);
  EXPECT_EQ(SendMessage(w, WM_USER + 1, 0, 0), 99);
  EXPECT_EQ(g_chain, (Strings{"sub2", "sub1", "sub2 swallows"}));
  EXPECT_EQ(Names({WM_USER, WM_USER + 1}), (Strings{"w:USER"}));
  // Taking the outer subclass off restores the inner chain.
  SetWindowLongPtr(w, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(g_prev2));
  g_chain.clear();
  SendMessage(w, WM_USER + 1, 0, 0);
  EXPECT_EQ(g_chain, (Strings{"sub1"}));
}

TEST_F(WindowTest, StaleAndForeignHandlesAreRejectedEverywhere) {
  HWND w = Make("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100);
  HWND live = Make("live", WS_POPUP, 0, 0, 10, 10);
  ASSERT_TRUE(DestroyWindow(w));
  HBRUSH brush = CreateSolidBrush(0);
  for (HWND bad : {w, reinterpret_cast<HWND>(brush), reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234))}) {
    SCOPED_TRACE(reinterpret_cast<UINT_PTR>(bad));
    RECT r;
    POINT p{};
    char text[8];
    SetLastError(0);
    EXPECT_FALSE(IsWindow(bad));
    EXPECT_EQ(GetWindowLongPtr(bad, GWL_STYLE), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(SendMessage(bad, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessage(bad, WM_USER, 0, 0));
    EXPECT_FALSE(GetWindowRect(bad, &r));
    EXPECT_FALSE(GetClientRect(bad, &r));
    EXPECT_FALSE(ClientToScreen(bad, &p));
    EXPECT_FALSE(SetWindowPos(bad, nullptr, 0, 0, 5, 5, 0));
    EXPECT_FALSE(MoveWindow(bad, 0, 0, 5, 5, TRUE));
    EXPECT_FALSE(ShowWindow(bad, SW_SHOW));
    EXPECT_FALSE(SetWindowText(bad, "x"));
    EXPECT_EQ(GetWindowText(bad, text, sizeof text), 0);
    EXPECT_EQ(GetParent(bad), nullptr);
    EXPECT_EQ(SetParent(live, bad), nullptr);
    EXPECT_EQ(GetDC(bad), nullptr);
    EXPECT_FALSE(InvalidateRect(bad, nullptr, TRUE));
    EXPECT_FALSE(UpdateWindow(bad));
    EXPECT_EQ(SetTimer(bad, 1, 100, nullptr), 0u);
    EXPECT_FALSE(DestroyWindow(bad));
    EXPECT_EQ(SetFocus(bad), nullptr);
    EXPECT_EQ(SetCapture(bad), nullptr);
    EXPECT_FALSE(EnableWindow(bad, FALSE));
    EXPECT_EQ(DispatchMessage(nullptr), 0);
  }
  EXPECT_TRUE(IsWindow(live));
  DeleteObject(brush);
}

TEST_F(WindowTest, GeometryMessagesAndCoordinateMapping) {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 50, 300, 200);
  HWND child = Make("child", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 20, 50, 40, top);
  RECT wr, cr;
  GetWindowRect(top, &wr);
  GetClientRect(top, &cr);
  EXPECT_EQ(wr, (RECT{100, 50, 400, 250}));
  // A sizable captioned frame: 4 pixels of frame and a 19-pixel caption.
  EXPECT_EQ(cr, (RECT{0, 0, 292, 173}));
  POINT p{0, 0};
  ClientToScreen(child, &p);
  EXPECT_EQ(p, (POINT{100 + 4 + 10 + 1, 50 + 4 + 19 + 20 + 1}));
  EXPECT_EQ(WindowFromPoint({p.x + 3, p.y + 3}), child);
  EXPECT_EQ(WindowFromPoint({110, 60}), top);
  EXPECT_EQ(ChildWindowFromPoint(top, {15, 25}), child);
  EXPECT_EQ(ChildWindowFromPoint(top, {200, 150}), top);
  RECT adjusted{0, 0, 292, 173};
  AdjustWindowRectEx(&adjusted, WS_OVERLAPPEDWINDOW, FALSE, 0);
  EXPECT_EQ(adjusted, (RECT{-4, -23, 296, 177}));

  ClearLog();
  SetWindowPos(child, nullptr, 30, 30, 80, 60, SWP_NOZORDER);
  EXPECT_EQ(Names({WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE}),
            (Strings{"child:WINDOWPOSCHANGING", "child:NCCALCSIZE", "child:WINDOWPOSCHANGED", "child:SIZE", "child:MOVE"}));
  GetClientRect(child, &cr);
  EXPECT_EQ(cr, (RECT{0, 0, 78, 58}));
  // A change refused in WM_WINDOWPOSCHANGING does not happen.
  handlers[child] = [](HWND, UINT m, WPARAM, LPARAM lp, LRESULT&) {
    if (m == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(lp)->flags |= SWP_NOMOVE;
    return false;
  };
  SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  GetWindowRect(child, &wr);
  POINT origin{0, 0};
  ClientToScreen(top, &origin);
  EXPECT_EQ(wr.left - origin.x, 30);
}

}  // namespace
}  // namespace wintest

namespace wintest {
namespace {

using namespace win;

TEST_F(WindowTest, AnOwnDcWindowKeepsItsDcAndItsSettings) {
  WNDCLASS wc;
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = DefWindowProc;
  wc.lpszClassName = "OwnDc";
  ASSERT_TRUE(RegisterClass(&wc));
  HWND own = CreateWindowEx(0, "OwnDc", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  HWND plain = Make("plain", WS_POPUP | WS_VISIBLE, 100, 0, 50, 50);
  HDC first = GetDC(own);
  SetTextColor(first, RGB(1, 2, 3));
  ReleaseDC(own, first);
  HDC again = GetDC(own);
  EXPECT_EQ(again, first);
  EXPECT_EQ(GetTextColor(again), RGB(1, 2, 3));
  ReleaseDC(own, again);
  // Ordinary windows get a fresh DC each time.
  HDC a = GetDC(plain);
  SetTextColor(a, RGB(4, 5, 6));
  ReleaseDC(plain, a);
  HDC b = GetDC(plain);
  EXPECT_NE(GetTextColor(b), RGB(4, 5, 6));
  ReleaseDC(plain, b);
  DestroyWindow(own);
  EXPECT_FALSE(UnregisterClass("OwnDc", nullptr) == FALSE);
}

TEST_F(WindowTest, ADcHeldWhileItsWindowGrowsDrawsIntoTheNewPixels) {
  WNDCLASS wc;
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = DefWindowProc;
  wc.lpszClassName = "OwnDcGrows";
  ASSERT_TRUE(RegisterClass(&wc));
  HWND own = CreateWindowEx(0, "OwnDcGrows", "", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
  HWND plain = Make("plain", WS_POPUP | WS_VISIBLE, 100, 0, 20, 20);
  // Both held across a resize that makes the windows' pixels anew, as a canvas keeps its DC.
  for (HWND w : {own, plain}) {
    HDC dc = GetDC(w);
    SetWindowPos(w, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    RECT all{0, 0, 300, 200};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &all, red);
    DeleteObject(red);
    ReleaseDC(w, dc);
    EXPECT_EQ(SurfacePixel(w, 290, 190) & 0xFFFFFF, 0xFF0000u) << "the DC covers the grown window";
  }
  DestroyWindow(own);
  DestroyWindow(plain);
  EXPECT_FALSE(UnregisterClass("OwnDcGrows", nullptr) == FALSE);
}

}  // namespace
}  // namespace wintest

namespace wintest {
namespace {

using namespace win;

TEST_F(WindowTest, AWindowDestroyedByItsOwnCreationMessagesIsNeverTouchedAgain) {
  WNDCLASS wc;
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_GETMINMAXINFO) {
      DestroyWindow(h);
      return 0;
    }
    return DefWindowProc(h, m, w, l);
  };
  wc.lpszClassName = "GoneAtOnce";
  ASSERT_TRUE(RegisterClass(&wc));
  EXPECT_EQ(CreateWindowEx(0, "GoneAtOnce", "", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_TRUE(UnregisterClass("GoneAtOnce", nullptr));

  // A child that destroys itself when hidden on its way to another parent.
  HWND first = Make("first", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND second = Make("second", WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
  HWND child = Make("child", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, first);
  handlers[child] = [](HWND h, UINT m, WPARAM wp, LPARAM, LRESULT&) {
    if (m == WM_SHOWWINDOW && !wp) DestroyWindow(h);
    return false;
  };
  EXPECT_EQ(SetParent(child, second), nullptr);
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(GetWindow(second, GW_CHILD), nullptr);
}

// A child shaped by a window region moved onto part of where it stood: its parent paints what the
// region leaves out there, instead of keeping the child's old pixels.
TEST_F(WindowTest, AMovedChildUncoversWhatItsRegionLeavesOut) {
  HWND top = Make("top", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
  HWND child = Make("child", WS_CHILD | WS_VISIBLE, 0, 0, 100, 40, top);
  handlers[child] = [](HWND, UINT m, WPARAM wp, LPARAM, LRESULT& r) {
    if (m != WM_ERASEBKGND) return false;
    RECT all{0, 0, 100, 40};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(reinterpret_cast<HDC>(wp), &all, red);
    DeleteObject(red);
    r = 1;
    return true;
  };
  SetWindowRgn(child, CreateRectRgn(4, 4, 96, 36), TRUE);
  Pump();
  const std::uint32_t window = SurfacePixel(top, 150, 150);
  EXPECT_EQ(SurfacePixel(top, 10, 10), 0xFF0000u);
  SetWindowPos(child, nullptr, 0, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  // Rows 10 to 13 lie in the child's rectangle but outside its region: the parent's now.
  EXPECT_EQ(SurfacePixel(top, 10, 11), window);
  EXPECT_EQ(SurfacePixel(top, 10, 20), 0xFF0000u);
}

}  // namespace
}  // namespace wintest
