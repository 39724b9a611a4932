#pragma once
// A bitmap's pixels as 32-bit values (blue, green, red, alpha from the low byte up), read and
// written whole. None of these raises: failure shows in the result.
#include <cstdint>
#include <vector>

#include "platform/gdi/Gdi.h"

using TRGBQuad = win::RGBQUAD;
using TRGBColors = std::vector<TRGBQuad>;

// A 32-bit BI_RGB header of that size; TopDown puts the top row first (a negative height).
void FillPixelsBitmapInfo(win::BITMAPINFO& Info, int Width, int Height, bool TopDown);

// Bits holds Width x Height 32-bit pixels. False, without touching Bits, for a bitmap without
// width or height (or no bitmap).
bool ReadBitmapPixels(win::HBITMAP Bitmap, void* Bits, bool TopDown);
bool WriteBitmapPixels(win::HBITMAP Bitmap, const void* Bits, bool TopDown);
// Sizes Colors to the bitmap and reads it.
bool GetBitmapColors(win::HBITMAP Bitmap, TRGBColors& Colors, bool TopDown);
// Colors must hold the bitmap's Width x Height pixels; too few writes nothing and fails.
bool StoreBitmapColors(win::HBITMAP Bitmap, const TRGBColors& Colors, bool TopDown);

// The bitmap's own bits per pixel; 0 for no bitmap.
int BitmapBitsPerPixel(win::HBITMAP Bitmap);
// A 32-bit bitmap with at least one pixel whose alpha byte is not 0.
bool BitmapUsesAlpha(win::HBITMAP Bitmap);

// The pixel value of a colour (a system colour resolved first) with that alpha.
TRGBQuad ColorToRGBQuad(std::int32_t Color, win::BYTE Alpha = 0);
