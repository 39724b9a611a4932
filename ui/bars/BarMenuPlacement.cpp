// The menu window's placement at the edges of the work area.
#include "ui/bars/BarMenuPlacement.h"

#include <algorithm>

TdxBarMenuPlacement dxBarPlaceMenu(const TRect& W, const TPoint& APosition, const TSize& ASize, int AOwnerWidth,
                                   int AOwnerHeight, bool AFitsWidthToScreen) {
  TdxBarMenuPlacement p;
  int left = APosition.X, top = APosition.Y, width = ASize.cx, height = ASize.cy;

  if (left + width > W.Right) {
    if (AOwnerWidth == 0) {
      // At a point or below an element: a drop-down keeps its left edge against the screen's right.
      if (AOwnerHeight != 0 || left - width < W.Left) {
        left = W.Right - width;
      } else {
        left -= width;
        p.FlippedHorizontally = true;
      }
    } else if (W.Right - left < left - AOwnerWidth - W.Left) {
      // Beside an element: the other side of it, when there is more room there.
      left = left - AOwnerWidth - width;
      p.FlippedHorizontally = true;
    }
  }
  if (left + width > W.Right) left = W.Right - width;
  if (left < W.Left) left = W.Left;
  if (AFitsWidthToScreen && left + width > W.Right) width = W.Right - left;

  if (top + height > W.Bottom) {
    if (AOwnerHeight != 0) {
      if (W.Bottom - top < top - AOwnerHeight - W.Top) {
        top = top - AOwnerHeight - height;
        p.FlippedVertically = true;
      } else {
        height = W.Bottom - top;
      }
    } else if (AOwnerWidth != 0) {
      top = W.Bottom - height;
    } else if (top - height < W.Top) {
      top = W.Bottom - height;
    } else {
      top -= height;
      p.FlippedVertically = true;
    }
  }
  if (top < W.Top) {
    if (p.FlippedVertically && AOwnerHeight != 0) {
      height -= W.Top - top;
    } else {
      height = std::min(height, W.Bottom - W.Top);
    }
    top = W.Top;
  }
  p.Left = left;
  p.Top = top;
  p.Width = width;
  p.Height = height;
  return p;
}
