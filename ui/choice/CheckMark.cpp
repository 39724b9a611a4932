#include "ui/choice/CheckMark.h"

#include "ui/foundation/Painters.h"

namespace {

// Where the mask is black the brush shows, where it is white the destination stays.
constexpr win::DWORD ROP_PSDPxax = 0xB8074A;

win::HBITMAP CheckMarkMaskHandle = nullptr;

win::HBITMAP MakeCheckMarkMask() {
  using namespace win;
  const TSize size = CustomLookAndFeelPainter()->CheckBoxSize();
  HBITMAP strip = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECKBOXES));
  if (!strip || size.cx <= 0 || size.cy <= 0) {
    if (strip) DeleteObject(strip);
    return nullptr;
  }
  HBITMAP mask = CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
  HDC source = CreateCompatibleDC(nullptr);
  HDC target = CreateCompatibleDC(nullptr);
  HGDIOBJ oldSource = SelectObject(source, strip);
  HGDIOBJ oldTarget = SelectObject(target, mask);
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x) {
      const bool differs = GetPixel(source, x + size.cx, y) != GetPixel(source, x, y);
      SetPixel(target, x, y, differs ? RGB(0, 0, 0) : RGB(255, 255, 255));
    }
  SelectObject(target, oldTarget);
  SelectObject(source, oldSource);
  DeleteDC(target);
  DeleteDC(source);
  DeleteObject(strip);
  return mask;
}

}  // namespace

void CheckMarkUnitStartup() {
  if (!CheckMarkMaskHandle) CheckMarkMaskHandle = MakeCheckMarkMask();
}

void CheckMarkUnitShutdown() {
  if (CheckMarkMaskHandle) win::DeleteObject(CheckMarkMaskHandle);
  CheckMarkMaskHandle = nullptr;
}

win::HBITMAP CheckMarkMask() { return CheckMarkMaskHandle; }

void DrawCheckMark(win::HDC DC, const TRect& Inner, TColor Color) {
  using namespace win;
  HBITMAP mask = CheckMarkMask();
  if (!mask) return;
  BITMAP data{};
  GetObject(mask, sizeof data, &data);
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, Inner.Left, Inner.Top, Inner.Right, Inner.Bottom);
  // A monochrome source takes the text colour for 0 and the background colour for 1.
  SetTextColor(DC, RGB(0, 0, 0));
  SetBkColor(DC, RGB(255, 255, 255));
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
  SelectObject(DC, brush);
  HDC source = CreateCompatibleDC(DC);
  HGDIOBJ old = SelectObject(source, mask);
  BitBlt(DC, Inner.Left - 2, Inner.Top - 2, data.bmWidth, data.bmHeight, source, 0, 0, ROP_PSDPxax);
  SelectObject(source, old);
  DeleteDC(source);
  RestoreDC(DC, saved);
  DeleteObject(brush);
}
