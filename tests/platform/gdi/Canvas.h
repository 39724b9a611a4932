#pragma once
// A memory DC over a fresh 32-bit bitmap, the smallest fixture a pixel test needs.
#include <cstdint>
#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/Surface.h"

namespace gditest {

struct Canvas {
  win::HDC dc = nullptr;
  win::HBITMAP bitmap = nullptr;
  win::HGDIOBJ old = nullptr;
  int width, height;

  Canvas(int w, int h, win::COLORREF fill = win::RGB(255, 255, 255)) : width(w), height(h) {
    dc = win::CreateCompatibleDC(nullptr);
    win::BITMAPINFO bi{};
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biBitCount = 32;
    bitmap = win::CreateDIBSection(dc, &bi, win::DIB_RGB_COLORS, nullptr, nullptr, 0);
    old = win::SelectObject(dc, bitmap);
    Fill(fill);
  }
  ~Canvas() {
    win::SelectObject(dc, old);
    win::DeleteObject(bitmap);
    win::DeleteDC(dc);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  void Fill(win::COLORREF c) {
    auto px = platform::gdi::BitmapPixels(bitmap);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) px.At(x, y) = (win::GetRValue(c) << 16) | (win::GetGValue(c) << 8) | win::GetBValue(c);
  }
  // The colour at a pixel, alpha byte dropped.
  win::COLORREF At(int x, int y) const {
    std::uint32_t p = platform::gdi::BitmapPixels(bitmap).At(x, y);
    return win::RGB(static_cast<win::BYTE>(p >> 16), static_cast<win::BYTE>(p >> 8), static_cast<win::BYTE>(p));
  }
  std::uint32_t Raw(int x, int y) const { return platform::gdi::BitmapPixels(bitmap).At(x, y); }
  // Rows of characters: '#' where the pixel is `ink`, '.' elsewhere.
  std::string Mask(win::COLORREF ink) const {
    std::string s;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) s += At(x, y) == ink ? '#' : '.';
      s += '\n';
    }
    return s;
  }
};

// Writes a bitmap's pixels as a PNG (for looking at).
bool SavePng(win::HBITMAP bitmap, const std::string& path);

}  // namespace gditest
