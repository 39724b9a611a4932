// The program's entry point. Until the consoles stand, it shows a window of the platform layer:
// a caption drawn by our own frame, a child window and a ticking clock.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "platform/win/Focus.h"
#include "platform/win/Startup.h"
#include "platform/win/Window.h"

namespace {

using namespace win;

int g_ticks = 0;

LRESULT MainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_TIMER:
      ++g_ticks;
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      SYSTEMTIME st;
      GetLocalTime(&st);
      char text[128];
      std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d   ticks: %d", st.wYear, st.wMonth, st.wDay,
                    st.wHour, st.wMinute, st.wSecond, g_ticks);
      SetBkMode(dc, TRANSPARENT);
      TextOut(dc, 16, 16, text, static_cast<int>(std::char_traits<char>::length(text)));
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

LRESULT PanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    DrawEdge(dc, &rc, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    SetBkMode(dc, TRANSPARENT);
    DrawText(dc, "子窗口 child window", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

int Run() {
  WNDCLASS wc;
  wc.lpfnWndProc = MainProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1));
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = "VideoWallMain";
  RegisterClass(&wc);
  wc.lpfnWndProc = PanelProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1));
  wc.lpszClassName = "VideoWallPanel";
  RegisterClass(&wc);

  HWND main = CreateWindowEx(0, "VideoWallMain", "拼接屏控制台 Video wall console", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                             120, 80, 640, 400, nullptr, nullptr, nullptr, nullptr);
  CreateWindowEx(WS_EX_CLIENTEDGE, "VideoWallPanel", "", WS_CHILD | WS_VISIBLE, 16, 48, 320, 160, main, nullptr, nullptr,
                 nullptr);
  ShowWindow(main, SW_SHOW);
  UpdateWindow(main);
  SetTimer(main, 1, 1000, nullptr);

  MSG m;
  while (GetMessage(&m, nullptr, 0, 0)) {
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  return static_cast<int>(m.wParam);
}

}  // namespace

int main() {
  platform::StartPlatform();
  try {
    return Run();
  } catch (const platform::DisplayUnavailable& e) {
    std::fprintf(stderr, "videowall: %s; scripts/run starts the program on a virtual X server (Xvfb) where there is no desktop\n",
                 e.what());
    return EXIT_FAILURE;
  }
}
