#include "ui/foundation/BitmapPixels.h"

namespace {

bool BitmapSize(win::HBITMAP Bitmap, int& Width, int& Height) {
  win::BITMAP bm;
  if (!Bitmap || win::GetObject(Bitmap, sizeof(bm), &bm) == 0) return false;
  Width = bm.bmWidth;
  Height = bm.bmHeight;
  return Width > 0 && Height > 0;
}

// Through a memory context compatible with the screen, as the platform wants a context for the
// colour format even of 32-bit transfers.
template <class Transfer>
bool TransferPixels(win::HBITMAP Bitmap, bool TopDown, Transfer transfer) {
  int width = 0, height = 0;
  if (!BitmapSize(Bitmap, width, height)) return false;
  win::BITMAPINFO info;
  FillPixelsBitmapInfo(info, width, height, TopDown);
  win::HDC dc = win::CreateCompatibleDC(nullptr);
  if (!dc) return false;
  const int lines = transfer(dc, static_cast<win::UINT>(height), &info);
  win::DeleteDC(dc);
  return lines != 0;
}

}  // namespace

void FillPixelsBitmapInfo(win::BITMAPINFO& Info, int Width, int Height, bool TopDown) {
  Info = win::BITMAPINFO();
  Info.bmiHeader.biSize = sizeof(win::BITMAPINFOHEADER);
  Info.bmiHeader.biWidth = Width;
  Info.bmiHeader.biHeight = TopDown ? -Height : Height;
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 32;
  Info.bmiHeader.biCompression = win::BI_RGB;
}

bool ReadBitmapPixels(win::HBITMAP Bitmap, void* Bits, bool TopDown) {
  return TransferPixels(Bitmap, TopDown, [&](win::HDC dc, win::UINT lines, win::BITMAPINFO* info) {
    return win::GetDIBits(dc, Bitmap, 0, lines, Bits, info, win::DIB_RGB_COLORS);
  });
}

bool WriteBitmapPixels(win::HBITMAP Bitmap, const void* Bits, bool TopDown) {
  return TransferPixels(Bitmap, TopDown, [&](win::HDC dc, win::UINT lines, win::BITMAPINFO* info) {
    return win::SetDIBits(dc, Bitmap, 0, lines, Bits, info, win::DIB_RGB_COLORS);
  });
}

bool GetBitmapColors(win::HBITMAP Bitmap, TRGBColors& Colors, bool TopDown) {
  int width = 0, height = 0;
  if (!BitmapSize(Bitmap, width, height)) {
    Colors.clear();
    return false;
  }
  Colors.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), TRGBQuad());
  return ReadBitmapPixels(Bitmap, Colors.data(), TopDown);
}

bool StoreBitmapColors(win::HBITMAP Bitmap, const TRGBColors& Colors, bool TopDown) {
  int width = 0, height = 0;
  if (!BitmapSize(Bitmap, width, height)) return false;
  // The platform would read past a short array.
  if (Colors.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) return false;
  return WriteBitmapPixels(Bitmap, Colors.data(), TopDown);
}

int BitmapBitsPerPixel(win::HBITMAP Bitmap) {
  win::BITMAP bm;
  if (!Bitmap || win::GetObject(Bitmap, sizeof(bm), &bm) == 0) return 0;
  return bm.bmBitsPixel;
}

bool BitmapUsesAlpha(win::HBITMAP Bitmap) {
  if (BitmapBitsPerPixel(Bitmap) <= 31) return false;
  TRGBColors colors;
  if (!GetBitmapColors(Bitmap, colors, false)) return false;
  for (const TRGBQuad& c : colors)
    if (c.rgbReserved != 0) return true;
  return false;
}

TRGBQuad ColorToRGBQuad(std::int32_t Color, win::BYTE Alpha) {
  // A negative value names a system colour by its low byte.
  const win::COLORREF rgb = Color < 0 ? win::GetSysColor(Color & 0xFF) : static_cast<win::COLORREF>(Color) & 0x00FFFFFF;
  TRGBQuad q;
  q.rgbBlue = win::GetBValue(rgb);
  q.rgbGreen = win::GetGValue(rgb);
  q.rgbRed = win::GetRValue(rgb);
  q.rgbReserved = Alpha;
  return q;
}
