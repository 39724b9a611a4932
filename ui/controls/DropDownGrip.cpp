#include "ui/controls/DropDownGrip.h"

#include <algorithm>

#include "platform/win/Metrics.h"

int DropDownGripRowHeight() {
  return std::max(win::GetSystemMetrics(win::SM_CYHSCROLL) + 2, win::GetSystemMetrics(win::SM_CYSIZE)) + 1;
}

TcxGripCorner DropDownGripCorner(const win::RECT& OwnerRect, const win::RECT& DropDownRect) {
  static constexpr TcxGripCorner kCorners[4] = {TcxGripCorner::TopLeft, TcxGripCorner::BottomLeft,
                                                TcxGripCorner::TopRight, TcxGripCorner::BottomRight};
  int index = 2 * (OwnerRect.left < DropDownRect.right ? 1 : 0) + (OwnerRect.bottom < DropDownRect.bottom ? 1 : 0);
  return kCorners[index];
}

void PaintSizeGrip(win::HDC DC, win::RECT& Rect, TcxGripCorner Corner) {
  bool right = Corner == TcxGripCorner::TopRight || Corner == TcxGripCorner::BottomRight;
  bool bottom = Corner == TcxGripCorner::BottomLeft || Corner == TcxGripCorner::BottomRight;
  int width = win::GetSystemMetrics(win::SM_CXVSCROLL);
  int height = win::GetSystemMetrics(win::SM_CYHSCROLL);
  if (right)
    Rect.left = Rect.right - width;
  else
    Rect.right = Rect.left + width;
  if (bottom)
    Rect.top = Rect.bottom - height;
  else
    Rect.bottom = Rect.top + height;

  // The two strips along the outer edges keep the grip off the drop-down's frame.
  win::HBRUSH face = reinterpret_cast<win::HBRUSH>(static_cast<std::intptr_t>(win::COLOR_BTNFACE + 1));
  win::RECT grip = Rect;
  win::RECT strip = Rect;
  if (right) {
    strip.left = strip.right - 2;
    grip.right = strip.left;
  } else {
    strip.right = strip.left + 2;
    grip.left = strip.right;
  }
  win::FillRect(DC, &strip, face);
  strip = grip;
  if (bottom) {
    strip.top = strip.bottom - 2;
    grip.bottom = strip.top;
  } else {
    strip.bottom = strip.top + 2;
    grip.top = strip.bottom;
  }
  win::FillRect(DC, &strip, face);

  int gw = grip.right - grip.left;
  int gh = grip.bottom - grip.top;
  if (gw <= 0 || gh <= 0) return;
  win::HDC mem = win::CreateCompatibleDC(DC);
  win::HBITMAP bitmap = win::CreateCompatibleBitmap(DC, gw, gh);
  win::HGDIOBJ old = win::SelectObject(mem, bitmap);
  win::RECT area = {0, 0, gw, gh};
  win::DrawFrameControl(mem, &area, win::DFC_SCROLL, win::DFCS_SCROLLSIZEGRIP);
  // A negative source extent here covers origin + extent to origin - 1, so a mirrored copy starts
  // its source at the far edge itself (not one pixel inside it) to take every column and row once.
  int xs = right ? 0 : gw;
  int ws = right ? gw : -gw;
  int ys = bottom ? 0 : gh;
  int hs = bottom ? gh : -gh;
  win::StretchBlt(DC, grip.left, grip.top, gw, gh, mem, xs, ys, ws, hs, win::SRCCOPY);
  win::SelectObject(mem, old);
  win::DeleteObject(bitmap);
  win::DeleteDC(mem);
}
