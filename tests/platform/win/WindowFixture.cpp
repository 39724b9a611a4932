#include "tests/platform/win/WindowFixture.h"

#include "platform/gdi/Surface.h"
#include "platform/win/Messages.h"

namespace wintest {

using namespace win;

std::vector<Logged> WindowTest::log;
std::map<HWND, std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>> WindowTest::handlers;
std::map<HWND, std::string> WindowTest::names;

namespace {

LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto it = WindowTest::names.find(hwnd);
  if (it != WindowTest::names.end()) WindowTest::log.push_back({it->second, msg, wParam, lParam});
  auto h = WindowTest::handlers.find(hwnd);
  LRESULT result = 0;
  if (h != WindowTest::handlers.end() && h->second(hwnd, msg, wParam, lParam, result)) return result;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

// Creation messages arrive before CreateWindowEx returns the handle: a window heard of for the
// first time is the one being made.
std::string g_pendingName;

LRESULT NamingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!WindowTest::names.count(hwnd) && !g_pendingName.empty()) {
    WindowTest::names[hwnd] = g_pendingName;
    g_pendingName.clear();
  }
  return RecordingProc(hwnd, msg, wParam, lParam);
}

}  // namespace

void WindowTest::SetUp() {
  platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
  log.clear();
  handlers.clear();
  names.clear();
  WNDCLASS wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = NamingProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1));
  wc.lpszClassName = "Recorder";
  RegisterClass(&wc);
}

void WindowTest::TearDown() {
  handlers.clear();
  std::vector<HWND> tops;
  EnumWindows([](HWND h, LPARAM p) {
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&tops));
  for (HWND h : tops) DestroyWindow(h);
  Pump();
  UnregisterClass("Recorder", nullptr);
  names.clear();
  log.clear();
  platform::ResetDisplay();
}

HWND WindowTest::Make(const std::string& name, DWORD style, int x, int y, int w, int h, HWND parent, DWORD exStyle, int id) {
  g_pendingName = name;
  HWND hwnd = CreateWindowEx(exStyle, "Recorder", name.c_str(), style, x, y, w, h, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  g_pendingName.clear();
  return hwnd;
}

void WindowTest::Pump() {
  MSG m;
  for (int guard = 0; guard < 100000 && PeekMessage(&m, nullptr, 0, 0, PM_REMOVE); ++guard) {
    if (m.message == WM_QUIT) continue;
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
}

void WindowTest::RunFor(std::uint64_t ms) {
  std::uint64_t end = clock->NowMs() + ms;
  Pump();
  while (clock->NowMs() < end) {
    clock->Advance(1);
    Pump();
  }
}

std::vector<std::string> WindowTest::Names(const std::vector<UINT>& only) const {
  std::vector<std::string> out;
  for (const Logged& l : log) {
    if (!only.empty() && std::find(only.begin(), only.end(), l.msg) == only.end()) continue;
    out.push_back(l.window + ":" + MessageName(l.msg));
  }
  return out;
}

std::uint32_t WindowTest::SurfacePixel(HWND top, int x, int y) {
  Pump();
  int w = 0, h = 0;
  POINT origin{0, 0};
  RECT r;
  GetWindowRect(top, &r);
  auto pixels = Screen().ComposeScreen(w, h);
  (void)origin;
  int sx = r.left + x, sy = r.top + y;
  if (sx < 0 || sy < 0 || sx >= w || sy >= h) return 0xDEADBEEF;
  return pixels[static_cast<std::size_t>(sy) * w + sx] & 0xFFFFFF;
}

std::string MessageName(UINT msg) {
  static const std::map<UINT, std::string> known = {
      {WM_CREATE, "CREATE"}, {WM_DESTROY, "DESTROY"}, {WM_MOVE, "MOVE"}, {WM_SIZE, "SIZE"}, {WM_ACTIVATE, "ACTIVATE"},
      {WM_SETFOCUS, "SETFOCUS"}, {WM_KILLFOCUS, "KILLFOCUS"}, {WM_PAINT, "PAINT"}, {WM_CLOSE, "CLOSE"},
      {WM_ERASEBKGND, "ERASEBKGND"}, {WM_SHOWWINDOW, "SHOWWINDOW"}, {WM_ACTIVATEAPP, "ACTIVATEAPP"},
      {WM_SETCURSOR, "SETCURSOR"}, {WM_MOUSEACTIVATE, "MOUSEACTIVATE"}, {WM_GETMINMAXINFO, "GETMINMAXINFO"},
      {WM_WINDOWPOSCHANGING, "WINDOWPOSCHANGING"}, {WM_WINDOWPOSCHANGED, "WINDOWPOSCHANGED"},
      {WM_NCCREATE, "NCCREATE"}, {WM_NCDESTROY, "NCDESTROY"}, {WM_NCCALCSIZE, "NCCALCSIZE"},
      {WM_NCHITTEST, "NCHITTEST"}, {WM_NCPAINT, "NCPAINT"}, {WM_NCACTIVATE, "NCACTIVATE"},
      {WM_KEYDOWN, "KEYDOWN"}, {WM_KEYUP, "KEYUP"}, {WM_CHAR, "CHAR"}, {WM_TIMER, "TIMER"},
      {WM_MOUSEMOVE, "MOUSEMOVE"}, {WM_LBUTTONDOWN, "LBUTTONDOWN"}, {WM_LBUTTONUP, "LBUTTONUP"},
      {WM_LBUTTONDBLCLK, "LBUTTONDBLCLK"}, {WM_PARENTNOTIFY, "PARENTNOTIFY"}, {WM_SETTEXT, "SETTEXT"},
      {WM_GETTEXT, "GETTEXT"}, {WM_CAPTURECHANGED, "CAPTURECHANGED"}, {WM_USER, "USER"}, {WM_USER + 1, "USER+1"},
      {WM_USER + 2, "USER+2"}, {WM_USER + 3, "USER+3"}, {WM_APP, "APP"}, {WM_NCMOUSEMOVE, "NCMOUSEMOVE"},
      {WM_NCLBUTTONDOWN, "NCLBUTTONDOWN"}, {WM_SYSCOMMAND, "SYSCOMMAND"}, {WM_ENABLE, "ENABLE"}};
  auto it = known.find(msg);
  if (it != known.end()) return it->second;
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%04X", msg);
  return buf;
}

}  // namespace wintest
