#pragma once
// Where a menu window goes on the screen: the arithmetic alone, apart from windows, so every edge
// of the work area can be tried without one. A menu opens to the right of and below the point its
// opener gives; it flips to the other side of that point (or of the element it was opened from)
// when it would leave the work area, and is cut to the work area's height when it is too tall
// (it then scrolls).
#include "ui/foundation/Types.h"

struct TdxBarMenuPlacement {
  // Left, top, width and height as the window gets them.
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool FlippedHorizontally = false;
  bool FlippedVertically = false;
};

// AOwnerWidth is set for a menu opened beside an element (a sub-menu), AOwnerHeight for one opened
// below an element (a drop-down); both 0 for a menu opened at a point. With AFitsWidthToScreen a
// menu still too wide after the clamps is cut to the work area's right edge.
TdxBarMenuPlacement dxBarPlaceMenu(const TRect& AWorkArea, const TPoint& APosition, const TSize& ASize, int AOwnerWidth,
                                   int AOwnerHeight, bool AFitsWidthToScreen);
