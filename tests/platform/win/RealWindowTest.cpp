// The window system on real windows: the sdl backend under an X server, input from xdotool and
// the server's own screenshots.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Window.h"
#include "platform/win/WindowManager.h"
#include "tests/support/Artifacts.h"
#include "tests/support/X11.h"

namespace {

using namespace win;
using testsupport::Shell;

struct Click {
  HWND hwnd = nullptr;
  UINT msg = 0;
  POINT pt;
};

std::vector<Click> g_clicks;

LRESULT SolidProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      g_clicks.push_back({hwnd, msg, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}});
      return 0;
    case WM_ERASEBKGND: {
      RECT rc;
      GetClientRect(hwnd, &rc);
      HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtr(hwnd, GWL_USERDATA)));
      FillRect(reinterpret_cast<HDC>(wParam), &rc, b);
      DeleteObject(b);
      return 1;
    }
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

class RealWindows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    skip_ = new std::string(testsupport::StartForRealWindows(server_));
  }
  static void TearDownTestSuite() {
    server_.Stop();
    delete skip_;
  }

  void SetUp() override {
    if (!skip_->empty()) GTEST_SKIP() << "real-window tests skipped: " << *skip_;
    platform::InstallDisplay(platform::CreateSdlDisplay());
    WNDCLASS wc;
    wc.lpfnWndProc = SolidProc;
    wc.lpszClassName = "Solid";
    RegisterClass(&wc);
    g_clicks.clear();
  }

  void TearDown() override {
    if (!skip_->empty()) return;
    for (HWND h : made_) DestroyWindow(h);
    Pump();
    UnregisterClass("Solid", nullptr);
    platform::ResetDisplay();
  }

  HWND Make(const char* title, int x, int y, int w, int h, COLORREF color, DWORD exStyle = 0) {
    HWND hwnd = CreateWindowEx(exStyle, "Solid", title, WS_OVERLAPPEDWINDOW, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtr(hwnd, GWL_USERDATA, static_cast<LONG_PTR>(color));
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    made_.push_back(hwnd);
    return hwnd;
  }

  static void Pump() {
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&m);
  }

  // Runs the loop until `done` holds, with a time limit.
  static bool PumpUntil(const std::function<bool()>& done, int ms = 3000) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < deadline) {
      Pump();
      if (done()) return true;
      platform::CurrentDisplay().Wait(20);
    }
    return false;
  }

  // True when the X server shows the window's backing store at its place, pixel for pixel.
  static bool ScreenMatchesStore(HWND hwnd, testsupport::Screenshot& shot) {
    shot = testsupport::GrabScreen();
    auto* w = platform::wm::Find(hwnd);
    if (shot.pixels.empty() || !w || !w->store) return false;
    const auto& s = *w->store;
    for (int y = 0; y < s.height; ++y)
      for (int x = 0; x < s.width; ++x) {
        int sx = w->rect.left + x, sy = w->rect.top + y;
        if (sx < 0 || sy < 0 || sx >= shot.width || sy >= shot.height) continue;
        if (shot.At(sx, sy) != (s.pixels[static_cast<std::size_t>(y) * s.width + x] & 0xFFFFFF)) return false;
      }
    return true;
  }

  static testsupport::XServer server_;
  static std::string* skip_;
  std::vector<HWND> made_;
};

testsupport::XServer RealWindows::server_;
std::string* RealWindows::skip_ = nullptr;

// A wake-up from another thread can reach a window destroyed a moment before; the server's
// BadWindow answer must not end the program.
TEST_F(RealWindows, AnEventSentToAWindowAlreadyGoneEndsNothing) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        testsupport::SendEventToAGoneWindow();
        std::_Exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(RealWindows, ClicksReachTheRightWindowAndTheScreenShowsTheBackingStore) {
  HWND a = Make("Window A", 60, 60, 300, 200, RGB(200, 40, 40));
  HWND b = Make("Window B", 420, 120, 260, 220, RGB(40, 90, 200));
  testsupport::Screenshot shot;
  bool matched = PumpUntil([&] { return ScreenMatchesStore(a, shot) && ScreenMatchesStore(b, shot); });
  if (!shot.pixels.empty())
    platform::WritePng(testsupport::ArtifactPath("real-windows.png"), shot.pixels.data(), shot.width, shot.height, shot.width);
  EXPECT_TRUE(matched) << "the X screenshot differs from the backing stores (see real-windows.png)";

  // A click 30, 40 pixels into B's client area.
  POINT origin{0, 0};
  ClientToScreen(b, &origin);
  Shell("xdotool mousemove " + std::to_string(origin.x + 30) + " " + std::to_string(origin.y + 40) + " click 1");
  ASSERT_TRUE(PumpUntil([] { return g_clicks.size() >= 2; })) << "no click arrived";
  EXPECT_EQ(g_clicks[0].hwnd, b);
  EXPECT_EQ(g_clicks[0].msg, WM_LBUTTONDOWN);
  EXPECT_EQ(g_clicks[0].pt, (POINT{30, 40}));
  EXPECT_EQ(g_clicks[1].msg, WM_LBUTTONUP);

  g_clicks.clear();
  ClientToScreen(a, &(origin = POINT{0, 0}));
  Shell("xdotool mousemove " + std::to_string(origin.x + 5) + " " + std::to_string(origin.y + 6) + " click 1");
  ASSERT_TRUE(PumpUntil([] { return g_clicks.size() >= 2; }));
  EXPECT_EQ(g_clicks[0].hwnd, a);
  EXPECT_EQ(g_clicks[0].pt, (POINT{5, 6}));
}

TEST_F(RealWindows, AResourceCursorShowsInColourWithItsHotSpot) {
  HWND w = Make("Cursor", 100, 100, 240, 160, RGB(250, 250, 250));
  ASSERT_TRUE(PumpUntil([&] {
    testsupport::Screenshot shot;
    return ScreenMatchesStore(w, shot);
  }));
  POINT at{60, 50};
  ClientToScreen(w, &at);
  Shell("xdotool mousemove " + std::to_string(at.x) + " " + std::to_string(at.y));
  HCURSOR arrow = LoadCursor(GetModuleHandle(nullptr), "TEST_ARROW");
  ASSERT_NE(arrow, nullptr);
  testsupport::CursorShot cursor;
  bool shown = PumpUntil([&] {
    SetCursor(arrow);
    cursor = testsupport::GrabCursor();
    return cursor.width == 32 && cursor.hotX == 4 && cursor.hotY == 2;
  });
  if (cursor.pixels.empty()) GTEST_SKIP() << "the X server's cursor cannot be read here";
  EXPECT_TRUE(shown) << "the server shows a " << cursor.width << "x" << cursor.height << " cursor, hot spot "
                     << cursor.hotX << "," << cursor.hotY;
  // Orange inside the arrow, nothing outside it.
  EXPECT_EQ(cursor.At(6, 10), 0xFFFF7800u);
  EXPECT_EQ(cursor.At(30, 2) >> 24, 0u);

  // The picture to look at: the screen with the cursor laid over it at the pointer, hot spot first.
  testsupport::Screenshot shot = testsupport::GrabScreen();
  if (!shot.pixels.empty()) {
    for (int y = 0; y < cursor.height; ++y)
      for (int x = 0; x < cursor.width; ++x) {
        int sx = at.x - cursor.hotX + x, sy = at.y - cursor.hotY + y;
        if (sx < 0 || sy < 0 || sx >= shot.width || sy >= shot.height) continue;
        std::uint32_t c = cursor.At(x, y), a = c >> 24;
        std::uint32_t& p = shot.pixels[static_cast<std::size_t>(sy) * shot.width + sx];
        std::uint32_t out = 0;
        for (int k = 0; k < 24; k += 8)
          out |= ((((c >> k) & 0xFF) + (((p >> k) & 0xFF) * (255 - a) + 127) / 255) & 0xFF) << k;
        p = out;
      }
    platform::WritePng(testsupport::ArtifactPath("real-windows-cursor.png"), shot.pixels.data(), shot.width,
                       shot.height, shot.width);
  }
}

TEST_F(RealWindows, DraggingOurCaptionMovesTheWindow) {
  HWND w = Make("Drag me", 100, 100, 300, 200, RGB(60, 160, 60));
  ASSERT_TRUE(PumpUntil([&] {
    testsupport::Screenshot shot;
    return ScreenMatchesStore(w, shot);
  }));
  // Press on the caption, move in steps as a hand would, release.
  Shell("xdotool mousemove 200 110 mousedown 1 mousemove 220 130 mousemove 260 170 mouseup 1");
  RECT r{};
  bool moved = PumpUntil([&] {
    GetWindowRect(w, &r);
    return r.left == 160 && r.top == 160;
  });
  EXPECT_TRUE(moved) << "window at " << r.left << "," << r.top;
  // The native window went along.
  testsupport::Screenshot shot;
  EXPECT_TRUE(PumpUntil([&] { return ScreenMatchesStore(w, shot); }));
}

TEST_F(RealWindows, ATopmostWindowStaysAboveAnActivatedOne) {
  Make("Topmost", 100, 100, 200, 150, RGB(230, 200, 40), WS_EX_TOPMOST);
  HWND normal = Make("Normal", 150, 150, 200, 150, RGB(40, 40, 200));
  SetActiveWindow(normal);
  // Clicking the normal window where it shows activates it, but it stays below the topmost one.
  Shell("xdotool mousemove 320 280 click 1");
  PumpUntil([&] { return GetActiveWindow() == normal; });
  testsupport::Screenshot shot;
  bool above = PumpUntil([&] {
    shot = testsupport::GrabScreen();
    return !shot.pixels.empty() && shot.At(250, 220) == 0xE6C828;  // where both overlap
  });
  EXPECT_TRUE(above);
}

TEST_F(RealWindows, LayeredAlphaReachesTheDesktop) {
  HWND w = Make("Half", 100, 100, 200, 150, RGB(255, 255, 255), WS_EX_LAYERED);
  ASSERT_TRUE(SetLayeredWindowAttributes(w, 0, 128, LWA_ALPHA));
  Pump();
  if (!platform::CurrentDisplay().SupportsTranslucency())
    GTEST_SKIP() << "this X server does not composite, so blended pixels cannot be seen in a screenshot";
  testsupport::Screenshot shot;
  bool blended = PumpUntil([&] {
    shot = testsupport::GrabScreen();
    if (shot.pixels.empty()) return false;
    std::uint32_t p = shot.At(200, 180);
    return p != 0xFFFFFF && (p & 0xFF) > 0x60 && (p & 0xFF) < 0xA0;
  });
  EXPECT_TRUE(blended);
}

}  // namespace
