// The modal loops of the frame: moving and sizing a window with the mouse, tracking a pressed
// caption button, and telling a drag from a click.
#include <algorithm>

#include "platform/system/Sync.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/Rects.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

bool MovesLeft(WPARAM e) { return e == WMSZ_LEFT || e == WMSZ_TOPLEFT || e == WMSZ_BOTTOMLEFT; }
bool MovesRight(WPARAM e) { return e == WMSZ_RIGHT || e == WMSZ_TOPRIGHT || e == WMSZ_BOTTOMRIGHT; }
bool MovesTop(WPARAM e) { return e == WMSZ_TOP || e == WMSZ_TOPLEFT || e == WMSZ_TOPRIGHT; }
bool MovesBottom(WPARAM e) { return e == WMSZ_BOTTOM || e == WMSZ_BOTTOMLEFT || e == WMSZ_BOTTOMRIGHT; }

MINMAXINFO Limits(HWND hwnd) {
  MINMAXINFO mmi{};
  mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  mmi.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  mmi.ptMaxSize = {GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
  SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  return mmi;
}

// The window's rectangle in the coordinates SetWindowPos takes (the parent's client area).
RECT PlacementRect(HWND hwnd) {
  Window* w = Find(hwnd);
  return w ? w->rect : RECT{};
}

LRESULT RunSizeMove(Window& w, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = w.handle;
  WPARAM command = wParam & 0xFFF0;
  WPARAM detail = wParam & 0x000F;
  if ((w.style & WS_MAXIMIZE) || (w.style & WS_MINIMIZE)) return 0;
  // Moving and sizing by keyboard (no detail) is not offered: the operator uses the mouse. A window
  // without a sizing frame is sized wherever its hit test answers an edge.
  if (detail == 0) return 0;
  // A loop a program starts itself (a drag begun from a mouse move) follows the mouse only while the
  // left button is down, as one begun by a press always does; a press already released is still in
  // the queue.
  MSG pending;
  if (!(GetKeyState(VK_LBUTTON) & 0x8000) && !PeekMessage(&pending, nullptr, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE) &&
      !PeekMessage(&pending, nullptr, WM_NCLBUTTONUP, WM_NCLBUTTONUP, PM_NOREMOVE))
    return 0;
  WPARAM edge = command == SC_SIZE ? detail : 0;

  // Where the press was: the command's point, or the position of the message being handled.
  POINT start{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (lParam == 0) {
    DWORD pos = GetMessagePos();
    start = {static_cast<SHORT>(LOWORD(pos)), static_cast<SHORT>(HIWORD(pos))};
  }
  RECT original = PlacementRect(hwnd);
  MINMAXINFO limits = Limits(hwnd);
  SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
  SetCapture(hwnd);

  bool done = false, cancelled = false;
  RECT current = original;
  MSG m;
  while (!done && IsWindow(hwnd) && GetCapture() == hwnd) {
    if (!GetMessage(&m, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    switch (m.message) {
      case WM_MOUSEMOVE:
      case WM_NCMOUSEMOVE:
      case WM_LBUTTONUP:
      case WM_NCLBUTTONUP: {
        // The mouse moved with the button up: it was never held for this loop.
        if (m.message == WM_MOUSEMOVE && !(m.wParam & MK_LBUTTON)) {
          done = true;
          break;
        }
        POINT p = m.pt;
        int dx = p.x - start.x, dy = p.y - start.y;
        RECT r = original;
        if (edge == 0) {
          OffsetRect(&r, dx, dy);
          SendMessage(hwnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
        } else {
          if (MovesLeft(edge)) r.left += dx;
          if (MovesRight(edge)) r.right += dx;
          if (MovesTop(edge)) r.top += dy;
          if (MovesBottom(edge)) r.bottom += dy;
          // Keep within the window's limits, holding the edge that does not move.
          int width = std::clamp<int>(r.right - r.left, limits.ptMinTrackSize.x, limits.ptMaxTrackSize.x);
          int height = std::clamp<int>(r.bottom - r.top, limits.ptMinTrackSize.y, limits.ptMaxTrackSize.y);
          if (MovesLeft(edge)) r.left = r.right - width; else r.right = r.left + width;
          if (MovesTop(edge)) r.top = r.bottom - height; else r.bottom = r.top + height;
          SendMessage(hwnd, WM_SIZING, edge, reinterpret_cast<LPARAM>(&r));
        }
        if (r != current) {
          current = r;
          SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOZORDER | SWP_NOACTIVATE | (edge == 0 ? SWP_NOSIZE : 0));
          if (Window* cur = Find(hwnd)) current = cur->rect;
          UpdateWindow(hwnd);
        }
        if (m.message == WM_LBUTTONUP || m.message == WM_NCLBUTTONUP) done = true;
        break;
      }
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (m.wParam == static_cast<WPARAM>(VK_ESCAPE)) {
          cancelled = true;
          done = true;
        } else if (m.wParam == static_cast<WPARAM>(VK_RETURN)) {
          done = true;
        }
        break;
      case WM_RBUTTONDOWN:
      case WM_LBUTTONDOWN:
        break;
      default:
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  if (cancelled && IsWindow(hwnd))
    SetWindowPos(hwnd, nullptr, original.left, original.top, original.right - original.left, original.bottom - original.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  if (IsWindow(hwnd)) SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
  return 0;
}

void TrackCaptionButton(Window& w, LRESULT button) {
  HWND hwnd = w.handle;
  if (button == HTMAXBUTTON && !(w.style & WS_MAXIMIZEBOX)) return;
  if (button == HTMINBUTTON && !(w.style & WS_MINIMIZEBOX)) return;
  if (button == HTCLOSE && (w.cls->style & CS_NOCLOSE)) return;
  auto press = [&](bool down) {
    Window* cur = Find(hwnd);
    if (!cur) return;
    LRESULT want = down ? button : 0;
    if (cur->ncPressed == want) return;
    cur->ncPressed = want;
    SendMessage(hwnd, WM_NCPAINT, 1, 0);
  };
  press(true);
  SetCapture(hwnd);
  bool inside = true;
  MSG m;
  while (IsWindow(hwnd) && GetCapture() == hwnd) {
    if (!GetMessage(&m, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (m.message == WM_MOUSEMOVE || m.message == WM_LBUTTONUP || m.message == WM_NCMOUSEMOVE || m.message == WM_NCLBUTTONUP) {
      Window* cur = Find(hwnd);
      if (!cur) break;
      RECT b = CaptionButtonRect(*cur, button);
      RECT s = ScreenRect(*cur);
      POINT p{m.pt.x - s.left, m.pt.y - s.top};
      inside = p.x >= b.left && p.x < b.right && p.y >= b.top && p.y < b.bottom;
      press(inside);
      if (m.message == WM_LBUTTONUP || m.message == WM_NCLBUTTONUP) break;
      continue;
    }
    if (m.message == WM_KEYDOWN && m.wParam == static_cast<WPARAM>(VK_ESCAPE)) {
      inside = false;
      break;
    }
    DispatchMessage(&m);
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  press(false);
  if (!inside || !IsWindow(hwnd)) return;
  WPARAM cmd = button == HTCLOSE ? SC_CLOSE
               : button == HTMINBUTTON ? ((w.style & WS_MINIMIZE) ? SC_RESTORE : SC_MINIMIZE)
               : ((Find(hwnd)->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE);
  SendMessage(hwnd, WM_SYSCOMMAND, cmd, 0);
}

}  // namespace

// Defined here, so that DefWindowProc's use of them links these loops in.
LRESULT (*SizeMoveLoop)(Window&, WPARAM, LPARAM) = RunSizeMove;
void (*CaptionButtonLoop)(Window&, LRESULT) = TrackCaptionButton;

}  // namespace platform::wm

namespace win {

BOOL DragDetect(HWND hwnd, POINT pt) {
  if (!IsWindow(hwnd)) return FALSE;
  int cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
  RECT zone{pt.x - cx, pt.y - cy, pt.x + cx, pt.y + cy};
  SetCapture(hwnd);
  BOOL dragged = FALSE;
  MSG m;
  while (GetCapture() == hwnd) {
    if (!GetMessage(&m, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (m.message == WM_MOUSEMOVE) {
      if (m.pt.x < zone.left || m.pt.x >= zone.right || m.pt.y < zone.top || m.pt.y >= zone.bottom) {
        dragged = TRUE;
        break;
      }
      continue;
    }
    if (m.message == WM_LBUTTONUP || m.message == WM_RBUTTONUP || (m.message == WM_KEYDOWN && m.wParam == static_cast<WPARAM>(VK_ESCAPE)))
      break;
    DispatchMessage(&m);
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  return dragged;
}

}  // namespace win
