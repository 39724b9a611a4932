#pragma once
// Free drawing routines of the library over raw device contexts and platform bitmaps: button
// colours mixed from the system colours, copying and blending areas with per-pixel alpha (with a
// software path when the platform's AlphaBlend is missing or unsuitable), a Lanczos-3 resampler,
// DrawText and ExtTextOut wrappers, text measuring, invalidation and reading GDI object data.
// Text is UTF-8; every count counts characters (code points), -1 meaning the whole text.
#include "platform/classes/Bitmap.h"
#include "platform/classes/Strings.h"
#include "ui/foundation/BitmapPixels.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Types.h"

// ---- rectangles -----------------------------------------------------------------------------------

inline void DeflateRectByMargins(TRect& R, const TRect& Margins) {
  R.Left += Margins.Left;
  R.Top += Margins.Top;
  R.Right -= Margins.Right;
  R.Bottom -= Margins.Bottom;
}
bool SameRectSize(const TRect& R1, const TRect& R2);

// ---- colours --------------------------------------------------------------------------------------

TColor NearestScreenColor(TColor Colour);
constexpr int ClampColorChannel(int Value) { return Value < 0 ? 0 : Value > 255 ? 255 : Value; }
// Halves to even.
int RoundToChannel(float X);
// Per channel clBtnFace, clHighlight and clWindow weighted by the percentages; clHighlight's RGB
// when the button face is pure black or white, where no mix stands out.
TColor MixSystemColors(std::int8_t FacePercent, std::int8_t HighlightPercent, std::int8_t WindowPercent);
// The pressed and hot states of ultra-flat buttons and radio bodies.
TColor PressedMixColor();
TColor HotTrackMixColor();
constexpr TColor ColorRGBPart(TColor Colour) { return Colour & 0xFFFFFF; }
constexpr bool SameColorValue(TColor C1, TColor C2) { return C1 == C2; }
// Draws the premultiplied Colour over Pixel with the constant Alpha, as AlphaBlend does one pixel.
void BlendPixel(TRGBQuad Colour, TRGBQuad& Pixel, win::BYTE Alpha);

// ---- bitmaps and device contexts ----------------------------------------------------------------

void BlitRect(win::HDC DestDC, win::HDC SrcDC, const TRect& DestRect, const TPoint& SrcTopLeft, win::DWORD Rop);
// A new bitmap (the caller owns it) of the format and size.
TBitmap* NewBitmapSized(int Width, int Height, TPixelFormat PixelFormat);
TBitmap* NewBitmapForSize(const TSize& Size, TPixelFormat PixelFormat);
TBitmap* NewBitmapForRect(const TRect& R, TPixelFormat PixelFormat);
// A new 32-bit bitmap of R's size, black, with the DC's area at R copied in.
TBitmap* CopyDCAreaTo32Bit(win::HDC SrcDC, const TRect& R);
void StretchBitmapInto(TBitmap* Dest, TBitmap* Source);
void DrawBitmapToDC(win::HDC DestDC, TBitmap* Bitmap, const TRect& DestRect, const TPoint& SrcTopLeft,
                    win::DWORD Rop = win::SRCCOPY);

// The platform's AlphaBlend bound by name from "msimg32.dll" at graphics start-up; null when the
// library or the entry is missing.
using TAlphaBlendFunc = win::BOOL (*)(win::HDC, int, int, int, int, win::HDC, int, int, int, int,
                                      win::BLENDFUNCTION);
extern TAlphaBlendFunc AlphaBlendEntry;
inline bool AlphaBlendAvailable() { return AlphaBlendEntry != nullptr; }
// Per-pixel and constant alpha; false when the entry is missing or the call fails.
bool AlphaBlendDC(win::HDC DestDC, win::HDC SrcDC, const TRect& DestRect, const TRect& SrcRect, win::BYTE Alpha);
// Draws the source area with its per-pixel alpha over the destination, scaled to DestRect, with
// the constant Alpha. Never fails visibly: without a usable AlphaBlend it blends in software.
void BlendDCArea(win::HDC DestDC, win::HDC SrcDC, const TRect& DestRect, const TRect& SrcRect, bool Smooth,
                 win::BYTE Alpha);
void BlendBitmapToDC(win::HDC DestDC, TBitmap* AlphaBitmap, const TRect& DestRect, const TRect& SrcRect,
                     bool Smooth, win::BYTE Alpha);
void BlendBitmapToBitmap(TBitmap* DestBitmap, TBitmap* SrcBitmap, const TRect& DestRect, const TRect& SrcRect,
                         bool Smooth, win::BYTE Alpha);
// Resizes the source picture into Dest's current size: the platform's halftone stretch, or with
// ForceLanczos a separable Lanczos-3 filter.
void ResampleBitmap(TBitmap* Source, TBitmap* Dest, bool ForceLanczos = false);

// The resampler's tables: for each target pixel the source indices and their weights (256 = 1.0).
struct TContributor {
  int Pixel;
  int Weight;
};
using TContributors = std::vector<TContributor>;
using TContributorList = std::vector<TContributors>;
// One axis of the Lanczos-3 filter from SourceExtent to TargetExtent pixels.
TContributorList BuildContributors(int SourceExtent, int TargetExtent);
// The Lanczos-3 kernel in single precision.
float LanczosKernel(float X);

// The mouse cursor's width and its height below the hot spot.
void CurrentCursorExtent(TSize& Size);

// ---- text on a device context -------------------------------------------------------------------

win::UINT TextFlagsToDrawTextFormat(LibraryTextFlags Flags);
// The extent of the first Count characters on one line; true on success.
bool MeasureTextOnDC(win::HDC DC, const String& Text, TSize& Size, int Count = -1);
// Sets the text colour (unless clDefault) and the background mode around DrawText; DrawText's
// result (the height, 0 on failure).
int DrawTextOnDC(win::HDC DC, const String& Text, TRect& R, win::UINT Format, int Count, TColor TextColour,
                 int BkMode);
int DrawTextOnCanvas(TCanvas* Canvas, const String& Text, const TRect& R, win::UINT Format, TColor TextColour);
// Rotated text is drawn horizontally on a turned copy of the area and turned back: rcTurnLeft
// reads from bottom to top, rcTurnRight from top to bottom.
int DrawTextRotated(TcxCanvas* Canvas, const String& Text, const TRect& R, win::UINT Format, TColor TextColour,
                    TcxRotationCode Rotation);
bool TextOutOnDC(win::HDC DC, const String& Text, const TPoint& Point, const TRect& ClipRect, win::UINT Options,
                 int Count = -1);
// Measured on the shared screen canvas with Font's attributes (FontSize, when not 0, replacing its
// size); zero once the graphics shutdown has begun.
void FontTextExtent(TFont* Font, const String& Text, int FontSize, TSize& Size);
int FontTextWidth(TFont* Font, const String& Text, int FontSize = 0);
int FontTextHeight(TFont* Font, const String& Text, int FontSize = 0);
void TextSizeOnDC(win::HDC DC, const String& Text, TSize& Size);
// The rectangle the text needs on LineCount lines (0: any number, up to 32000 pixels high): the
// narrowest width at which it still fits the height of that many rows.
void CalcTextRectForLines(win::HDC DC, const String& Text, int LineCount, bool FixHeight, TRect& R);
// Splits the text into lines no wider than R and appends them to Strings.
void WrapTextToLines(const String& Text, TcxCanvas* Canvas, const TRect& R, TStrings* Strings);

// ---- windows and GDI objects --------------------------------------------------------------------

void InvalidateWindowRect(win::HWND Wnd, const TRect& R, bool Erase = true);
void InvalidateWholeWindow(win::HWND Wnd, bool Erase = true);
bool ReadBitmapData(win::HBITMAP Handle, win::BITMAP& Data);
bool ReadBrushData(win::HBRUSH Handle, win::LOGBRUSH& Data);
inline bool ReadBrushDataAlt(win::HBRUSH Handle, win::LOGBRUSH& Data) { return ReadBrushData(Handle, Data); }
bool ReadFontData(win::HFONT Handle, win::LOGFONT& Data);
bool ReadPenData(win::HPEN Handle, win::LOGPEN& Data);
