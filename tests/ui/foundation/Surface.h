#pragma once
// A 32-bit bitmap to draw on through its class-library canvas, read back by device pixel, and
// saved as a PNG to look at.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/display/Display.h"
#include "tests/support/Artifacts.h"

namespace surfacetest {

struct Surface {
  TBitmap Bitmap;
  int Width, Height;

  Surface(int W, int H, TColor Fill = clWhite) : Width(W), Height(H) {
    Bitmap.SetPixelFormat(pf32bit);
    Bitmap.SetSize(W, H);
    Clear(Fill);
  }
  TCanvas* Canvas() { return Bitmap.Canvas(); }
  void Clear(TColor Fill) {
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x) Raw(x, y) = RgbOf(Fill);
  }
  std::uint32_t& Raw(int X, int Y) { return static_cast<std::uint32_t*>(Bitmap.ScanLine(Y))[X]; }
  // The colour at a device pixel as a COLORREF, alpha dropped.
  win::COLORREF At(int X, int Y) {
    std::uint32_t p = Raw(X, Y);
    return win::RGB(static_cast<win::BYTE>(p >> 16), static_cast<win::BYTE>(p >> 8), static_cast<win::BYTE>(p));
  }
  // Rows of '#' where the pixel has the colour, '.' elsewhere.
  std::string Mask(TColor Ink) {
    std::string s;
    for (int y = 0; y < Height; ++y) {
      for (int x = 0; x < Width; ++x) s += At(x, y) == ColorToRGB(Ink) ? '#' : '.';
      s += '\n';
    }
    return s;
  }
  int CountOf(TColor Ink) {
    int n = 0;
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x) n += At(x, y) == ColorToRGB(Ink);
    return n;
  }
  void Save(const std::string& Name) {
    std::vector<std::uint32_t> rows;
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x) rows.push_back(Raw(x, y));
    platform::WritePng(testsupport::ArtifactPath(Name), rows.data(), Width, Height, Width);
  }
  static std::uint32_t RgbOf(TColor C) {
    win::COLORREF c = ColorToRGB(C);
    return (static_cast<std::uint32_t>(win::GetRValue(c)) << 16) | (win::GetGValue(c) << 8) | win::GetBValue(c);
  }
};

}  // namespace surfacetest
