#pragma once
// Gradient fills drawn in solid colour bands, and a control's background painted by its parent.
#include <cstdint>

#include "platform/classes/Controls.h"
#include "ui/panels/Drawing.h"

namespace rz {

// Fills Rect with a gradient from StartColor to StopColor in one of the ten patterns. Steps sets
// the smallest band (1 to 8 pixels; above that fewer, wider bands); 0 behaves as 1.
void PaintGradientBands(TCanvas* Canvas, const win::RECT& Rect, TGradientDirection Direction, TColor StartColor,
                        TColor StopColor, std::uint8_t Steps);

// The smallest band in pixels for a number of colour steps.
int MinimumBandSize(std::uint8_t Steps, bool BoxPattern);

// One linear run on an 8-pixel strip at the DC's origin: along x (8 rows high) or along y
// (8 columns wide). Origin -1 runs one-sided from StartColor at 0 to StopColor at Length - 1;
// Origin >= 0 puts StopColor at Origin and StartColor at both ends.
void FillLinearGradient(win::HDC DC, bool AlongX, int Origin, int Length, win::COLORREF StartColor,
                        win::COLORREF StopColor, std::uint8_t Steps);
// The top-left quadrant of a box gradient: StopColor in the centre, widened by the margins,
// StartColor toward the outer edges.
void FillBoxGradient(win::HDC DC, int Width, int Height, int MarginX, int MarginY, win::COLORREF StartColor,
                     win::COLORREF StopColor, std::uint8_t Steps);
// StartColor at the bottom-left corner, StopColor at the top-right; a negative Width mirrors it
// (StartColor at the top-left, StopColor at the bottom-right).
void FillDiagonalGradient(win::HDC DC, int Width, int Height, win::COLORREF StartColor, win::COLORREF StopColor,
                          std::uint8_t Steps);
// Copies the strip painted at (X, Y) next to itself, doubling, until TotalWidth x TotalHeight is
// covered.
void ReplicateStrip(win::HDC DC, int X, int Y, int TotalWidth, int TotalHeight, int StripWidth, int StripHeight,
                    win::DWORD RasterOp);
// Mirrors the top-left quadrant into the other three.
void MirrorQuadrant(win::HDC DC, int X, int Y, int Width, int Height, win::DWORD RasterOp);

// Lets the control's parent paint itself (erase, then client) into DC, which draws on the control
// at its own origin. With InvalidateParent, a parent that is neither a custom control nor a form
// is also invalidated around its children, so that it keeps up with what shows through.
void PaintParentBackground(TControl* Control, win::HDC DC, bool InvalidateParent);

}  // namespace rz
