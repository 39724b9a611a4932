#pragma once
// A square icon of one colour, opaque all over, for tests that give windows icons.
#include "platform/gdi/Gdi.h"
#include "platform/win/Window.h"

namespace testsupport {

inline win::HICON MakeSolidIcon(int Size, win::COLORREF Colour) {
  using namespace win;
  HDC screen = GetDC(nullptr);
  HBITMAP colour = CreateCompatibleBitmap(screen, Size, Size);
  HBITMAP mask = CreateBitmap(Size, Size, 1, 1, nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, colour);
  HBRUSH brush = CreateSolidBrush(Colour);
  const RECT all{0, 0, Size, Size};
  FillRect(mem, &all, brush);
  DeleteObject(brush);
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  ICONINFO info{};
  info.hbmColor = colour;
  info.hbmMask = mask;
  HICON icon = CreateIconIndirect(&info);
  // The icon keeps copies of its own.
  DeleteObject(colour);
  DeleteObject(mask);
  return icon;
}

}  // namespace testsupport
