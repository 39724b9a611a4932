// The system colours: the classic grey scheme, with a stock brush for each.
#include <array>

#include "platform/gdi/Internal.h"

namespace win {

namespace {

constexpr int kColorCount = 31;

constexpr std::array<COLORREF, kColorCount> kClassic = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(181, 181, 181),  // (unused slot)
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),    // COLOR_MENUHILIGHT
    RGB(212, 208, 200),  // COLOR_MENUBAR
};

std::array<COLORREF, kColorCount>& Current() {
  static std::array<COLORREF, kColorCount> colors = kClassic;
  return colors;
}

struct SysBrushes {
  std::array<HBRUSH, kColorCount> brushes{};
  SysBrushes() {
    for (int i = 0; i < kColorCount; ++i) {
      auto b = std::make_unique<platform::gdi::BrushObj>();
      b->color = Current()[static_cast<size_t>(i)];
      // Stock: DeleteObject on a system colour brush must not free it under other users.
      b->stock = true;
      brushes[static_cast<size_t>(i)] =
          platform::MakeHandle<HBRUSH>(platform::gdi::Brushes().Add(std::move(b)));
    }
  }
};

SysBrushes& SystemBrushes() {
  static SysBrushes s;
  return s;
}

}  // namespace

DWORD GetSysColor(int index) {
  if (index < 0 || index >= kColorCount) return 0;
  return Current()[static_cast<size_t>(index)];
}

HBRUSH GetSysColorBrush(int index) {
  if (index < 0 || index >= kColorCount) return nullptr;
  return SystemBrushes().brushes[static_cast<size_t>(index)];
}

}  // namespace win

namespace platform {

using namespace win;

bool SetSchemeColors(int count, const INT* elements, const COLORREF* values) {
  if (count < 0 || (count > 0 && (!elements || !values))) return false;
  for (int i = 0; i < count; ++i) {
    int e = elements[i];
    if (e < 0 || e >= kColorCount) continue;
    Current()[static_cast<size_t>(e)] = values[i] & 0xFFFFFF;
    // The colour's brush keeps its handle and takes the new colour.
    if (auto* b = platform::gdi::Brush(SystemBrushes().brushes[static_cast<size_t>(e)])) b->color = values[i] & 0xFFFFFF;
  }
  return true;
}

}  // namespace platform
