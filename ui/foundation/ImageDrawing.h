#pragma once
// Drawing a glyph or an image-list image in one of six modes (normal, disabled, faded, greyscale,
// lightened, shadowed) through three shared scratch bitmaps, and the routines around it:
// transparency masks, hatching over an area, alpha copies.
#include <functional>

#include "platform/classes/ImageList.h"
#include "ui/foundation/Bitmaps.h"

enum TcxImageDrawMode : std::uint8_t { idmNormal, idmDisabled, idmFaded, idmGrayScale, idmDingy, idmShadowed };

bool HasGlyph(TBitmap* Bitmap);
bool HasListImage(TCustomImageList* ImageList, int Index);
// Moves ListField to NewList: the owner's free notification and the change link leave the old
// list and join the new one; the link is then told of the change.
void ReplaceImageListLink(TCustomImageList* NewList, TCustomImageList*& ListField, TChangeLink* ChangeLink,
                          TComponent* Owner);

// A new alpha bitmap (the caller owns it) with a copy of the picture.
TcxAlphaBitmap* AlphaCopyOf32Bit(TBitmap* Bitmap32);
// DestBitmap becomes the picture's transparency mask: white where transparent, black elsewhere.
// A picture without alpha is transparent where it has its TransparentColor.
void RenderTransparencyMask(TBitmap* Bitmap32, TBitmap* DestBitmap);
// A checker of two colours, Step pixels a cell, blended over the area; Step 0 changes nothing.
void DrawHatchOverArea(win::HDC DC, const TRect& R, TColor Colour1, TColor Colour2, win::BYTE Step,
                       win::BYTE Alpha1, win::BYTE Alpha2);

// A hook that may draw the image itself (into Target, at ImageRect relative to it) and answer
// true; nothing in the library sets it.
using TcxDrawImageProc = std::function<bool(TcxAlphaBitmap* Target, const TRect& ImageRect, TBitmap* Glyph,
                                            TCustomImageList* ImageList, int ImageIndex, TcxImageDrawMode DrawMode)>;
extern TcxDrawImageProc cxDrawImageProc;

// Draws the glyph (or, without one, the list image) at ImageRect within DestRect of the DC. The
// background is BackgroundBrush, or without one what the DC holds there. Pixels of
// TransparentColour (unless clNone) and, with UseGlyphTransparentColour, of the glyph's
// TransparentColor are left out of pictures without alpha.
void DrawImageWithMode(win::HDC DC, const TRect& ImageRect, const TRect& DestRect, TBitmap* Glyph,
                       TCustomImageList* ImageList, int ImageIndex, TcxImageDrawMode DrawMode, bool Smooth = false,
                       win::HBRUSH BackgroundBrush = nullptr, TColor TransparentColour = clNone,
                       bool UseGlyphTransparentColour = true);

// The graphics start-up allows the shared scratch bitmaps; the shutdown frees them, and from then
// on DrawImageWithMode draws nothing.
void ClearScratchBitmapShutdownMark();
void ReleaseScratchBitmaps();
