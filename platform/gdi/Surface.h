#pragma once
// The window system's door into the drawing layer: device contexts over a window's part of a
// backing store.
#include "platform/display/PixelBuffer.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Region.h"

namespace platform::gdi {

// A DC drawing into `target`. Logical (0,0) lies at `origin` in the target; nothing is drawn
// outside `visible` (target coordinates). WindowFromDC gives `window`. The target's pixels must
// outlive the DC.
win::HDC CreateSurfaceDC(const PixelBuffer& target, win::POINT origin, const Region& visible, win::HWND window);
void DestroySurfaceDC(win::HDC dc);

// Moves an existing surface DC (a window moved or its backing store was reallocated) while keeping
// its selected objects and state.
bool UpdateSurfaceDC(win::HDC dc, const PixelBuffer& target, win::POINT origin, const Region& visible);

// True for a DC made by CreateSurfaceDC.
bool IsSurfaceDC(win::HDC dc);

// The pixels a DC draws on (a memory DC: its selected bitmap), empty when the handle is not a DC.
PixelBuffer TargetOf(win::HDC dc);

// What another drawing engine needs to draw on a DC where GDI would: the pixels, where the DC's
// logical (0, 0) lies in them (the mapping's scale is not followed) and the pixels a drawing may
// change, in target coordinates. False when the handle is not a DC or the DC has no pixels.
struct DrawingTarget {
  PixelBuffer pixels;
  win::POINT origin;
  Region clip;
};
bool DrawingTargetOf(win::HDC dc, DrawingTarget& out);

// The screen's size as GetDeviceCaps reports it for every DC (HORZRES, VERTRES and the sizes in
// millimetres); the window system sets it from the display. 1920 x 1080 until then.
void SetScreenSize(int width, int height);

// The pixels of a bitmap (empty for a stale handle). Row 0 is the top row.
PixelBuffer BitmapPixels(win::HBITMAP bitmap);

}  // namespace platform::gdi
