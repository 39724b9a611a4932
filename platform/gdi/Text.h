#pragma once
// What DrawText and the other text routines share with the font code. Only platform/gdi includes this.
#include <string>
#include <vector>

#include "platform/gdi/Internal.h"

namespace platform::gdi {

struct TextMetrics {
  int height = 0, ascent = 0, descent = 0, internalLeading = 0, externalLeading = 0;
  int aveCharWidth = 0, maxCharWidth = 0, overhang = 0;
  bool fixedPitch = false;
  bool raster = false;  // a face that is a bitmap font where the system comes from: it does not turn
  int underlinePos = 1, strikePos = -3, lineThickness = 1;  // relative to the baseline, down is positive
};

TextMetrics Metrics(DeviceContext& dc);
// Per character: the glyph's advance plus the character spacing and any justification share.
std::vector<int> Advances(DeviceContext& dc, const std::u32string& text);
int TextWidth(DeviceContext& dc, const std::u32string& text);
std::string FaceName(DeviceContext& dc);
// One line of text at (x, y) under the DC's text alignment, as ExtTextOut draws it; `prefixAt`
// is the index of a character to underline (-1: none).
bool DrawTextLine(DeviceContext& dc, int x, int y, win::UINT options, const win::RECT* rc, const std::u32string& text,
                  const int* dx, int prefixAt);

}  // namespace platform::gdi
