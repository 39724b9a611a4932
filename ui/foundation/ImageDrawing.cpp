#include "ui/foundation/ImageDrawing.h"

#include <memory>

#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/ImageList.h"

using namespace win;

TcxDrawImageProc cxDrawImageProc;

namespace {

// The composition target, the image being processed and its mask: resized, never re-created.
TcxAlphaBitmap* ScratchBitmapA = nullptr;
TcxAlphaBitmap* ScratchAlphaBitmap = nullptr;
TcxAlphaBitmap* ScratchBitmapB = nullptr;
// Set by the graphics shutdown: the scratch bitmaps are not made again, so nothing outlives it.
bool ScratchBitmapsShutDown = false;

TcxAlphaBitmap* SharedScratchBitmap(TcxAlphaBitmap*& Bitmap, int Width, int Height) {
  if (Bitmap) {
    ResetScratchBitmap(Bitmap, Width, Height);
  } else {
    Bitmap = new TcxAlphaBitmap(Width, Height);
    Bitmap->ClearImage();
  }
  return Bitmap;
}

// Where the list's own mask is set (white), the mask copy is cleared.
void ClearWhereMaskSet(TcxAlphaBitmap* MaskCopy, TBitmap* ListMask) {
  if (ListMask->Empty()) return;
  TRGBColors copy, mask;
  if (!MaskCopy->ReadPixels(copy) || !GetBitmapColors(ListMask->Handle(), mask, false)) return;
  const int w = std::min(MaskCopy->Width(), ListMask->Width());
  const int h = std::min(MaskCopy->Height(), ListMask->Height());
  // Both arrays start at the bottom row; line the pictures up at their top rows.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const TRGBQuad& m = mask[static_cast<std::size_t>(ListMask->Height() - 1 - y) * ListMask->Width() + x];
      if (m.rgbRed | m.rgbGreen | m.rgbBlue)
        copy[static_cast<std::size_t>(MaskCopy->Height() - 1 - y) * MaskCopy->Width() + x] = TRGBQuad{};
    }
  MaskCopy->WritePixels(copy);
}

// The shape of a picture with alpha: white where it is fully transparent, black elsewhere.
void AlphaShapeMask(TcxAlphaBitmap* Image, TcxAlphaBitmap* Mask) {
  TRGBColors pixels;
  if (!Image->ReadPixels(pixels)) return;
  for (TRGBQuad& p : pixels) p = p.rgbReserved == 0 ? TRGBQuad{255, 255, 255, 255} : TRGBQuad{};
  Mask->WritePixels(pixels);
}

}  // namespace

bool HasGlyph(TBitmap* Bitmap) { return Bitmap && !Bitmap->Empty(); }

bool HasListImage(TCustomImageList* ImageList, int Index) {
  return ImageList && Index >= 0 && Index < ImageList->Count();
}

void ReplaceImageListLink(TCustomImageList* NewList, TCustomImageList*& ListField, TChangeLink* ChangeLink,
                          TComponent* Owner) {
  if (NewList == ListField) return;
  if (ListField) {
    if (Owner) ListField->RemoveFreeNotification(Owner);
    if (ChangeLink) ListField->UnRegisterChanges(ChangeLink);
  }
  ListField = NewList;
  if (ListField) {
    if (ChangeLink) ListField->RegisterChanges(ChangeLink);
    if (Owner) ListField->FreeNotification(Owner);
  }
  if (ChangeLink) ChangeLink->Change();
}

TcxAlphaBitmap* AlphaCopyOf32Bit(TBitmap* Bitmap32) {
  auto* copy = new TcxAlphaBitmap(Bitmap32->Width(), Bitmap32->Height());
  copy->CopyFromBitmap(Bitmap32);
  return copy;
}

void RenderTransparencyMask(TBitmap* Bitmap32, TBitmap* DestBitmap) {
  if (!Bitmap32 || !DestBitmap) return;
  std::unique_ptr<TcxAlphaBitmap> mask(AlphaCopyOf32Bit(Bitmap32));
  if (!mask->UsesAlpha()) mask->SetTransparentColor(Bitmap32->TransparentColor());
  mask->ApplyPixelOperation(poTransparencyMask);
  DestBitmap->SetSize(mask->Width(), mask->Height());
  if (!mask->Empty())
    BitBlt(DestBitmap->Canvas()->Handle(), 0, 0, mask->Width(), mask->Height(), mask->Canvas()->Handle(), 0, 0,
           SRCCOPY);
  DestBitmap->SetModified(true);
}

void DrawHatchOverArea(HDC DC, const TRect& R, TColor Colour1, TColor Colour2, BYTE Step, BYTE Alpha1, BYTE Alpha2) {
  if (Step == 0 || RectHasNoArea(R)) return;
  TcxAlphaBitmap area(WidthOfRect(R), HeightOfRect(R));
  HDC areaDC = area.Canvas()->Handle();
  BitBlt(areaDC, 0, 0, area.Width(), area.Height(), DC, R.Left, R.Top, SRCCOPY);
  area.DrawHatch(Colour1, Colour2, Step, Alpha1, Alpha2);
  BitBlt(DC, R.Left, R.Top, area.Width(), area.Height(), areaDC, 0, 0, SRCCOPY);
}

void DrawImageWithMode(HDC DC, const TRect& ImageRect, const TRect& DestRect, TBitmap* Glyph,
                       TCustomImageList* ImageList, int ImageIndex, TcxImageDrawMode DrawMode, bool Smooth,
                       HBRUSH BackgroundBrush, TColor TransparentColour, bool UseGlyphTransparentColour) {
  const bool useGlyph = HasGlyph(Glyph);
  if (!useGlyph && !HasListImage(ImageList, ImageIndex)) return;
  if (RectHasNoArea(DestRect) || ScratchBitmapsShutDown) return;

  TcxAlphaBitmap* target = SharedScratchBitmap(ScratchBitmapA, WidthOfRect(DestRect), HeightOfRect(DestRect));
  HDC targetDC = target->Canvas()->Handle();
  if (BackgroundBrush) {
    RECT all{0, 0, target->Width(), target->Height()};
    FillRect(targetDC, &all, BackgroundBrush);
  } else {
    BitBlt(targetDC, 0, 0, target->Width(), target->Height(), DC, DestRect.Left, DestRect.Top, SRCCOPY);
  }
  TRect imageRect = ImageRect;
  imageRect = ShiftRect(imageRect, -DestRect.Left, -DestRect.Top, true);

  if (!cxDrawImageProc || !cxDrawImageProc(target, imageRect, Glyph, ImageList, ImageIndex, DrawMode)) {
    const int w = useGlyph ? Glyph->Width() : ImageList->Width();
    const int h = useGlyph ? Glyph->Height() : ImageList->Height();
    TcxAlphaBitmap* image = SharedScratchBitmap(ScratchAlphaBitmap, w, h);
    // The mask is made only where it is read: a list's own mask, pictures without alpha, shadows.
    TcxAlphaBitmap* mask = useGlyph ? nullptr : SharedScratchBitmap(ScratchBitmapB, w, h);
    auto maskBitmap = [&] { return mask ? mask : mask = SharedScratchBitmap(ScratchBitmapB, w, h); };
    bool usableAlpha;
    if (useGlyph) {
      image->CopyFromBitmap(Glyph);
      usableAlpha = BitmapBitsPerPixel(Glyph->Handle()) == 32 && image->UsesAlpha();
    } else {
      // The list's own mask lands in the mask bitmap for now.
      TcxImageList::FetchImageFrom(ImageList, ImageIndex, image, mask);
      usableAlpha = image->UsesAlpha();
    }
    if (!usableAlpha) image->MakeOpaque();

    if (usableAlpha) {
      // Pictures with alpha need no mask to be drawn, but their shadows need the shape.
      if (DrawMode == idmShadowed) AlphaShapeMask(image, maskBitmap());
    } else {
      maskBitmap();
      std::unique_ptr<TBitmap> listMask;
      if (!useGlyph) {
        listMask = std::make_unique<TBitmap>();
        listMask->Assign(mask);
        mask->Resize(w, h);
      }
      mask->CopyFromBitmap(image);
      if (listMask) ClearWhereMaskSet(mask, listMask.get());
      if (TransparentColour != clNone) AddColorToList(mask->TransparentPixels(), TransparentColour);
      if (UseGlyphTransparentColour && useGlyph) AddColorToList(mask->TransparentPixels(), Glyph->TransparentColor());
      mask->ApplyPixelOperation(poTransparencyMask);
      MaskOutBitmap(image, mask);
    }

    BYTE opacity = 255;
    switch (DrawMode) {
      case idmNormal:
        break;
      case idmDisabled:
        if (usableAlpha) {
          image->ApplyPixelOperation(poWeightedGrey);
          opacity = 151;
        } else {
          image->ApplyPixelOperation(poDisabledGrey);
          AddImageShadow(image, mask, 1, clBtnHighlight, false);
        }
        break;
      case idmFaded:
        image->ApplyPixelOperation(poFadedGrey);
        opacity = 64;
        break;
      case idmGrayScale:
        image->ApplyPixelOperation(poGreyByAverage);
        break;
      case idmDingy:
        image->ApplyPixelOperation(poLighten);
        break;
      case idmShadowed:
        AddImageShadow(image, mask, 2, clBtnShadow, true);
        imageRect.Right += 2;
        imageRect.Bottom += 2;
        imageRect = ShiftRect(imageRect, -1, -1, true);
        break;
    }
    image->BlendOntoBitmap(target, imageRect, Smooth, opacity);
  }
  DrawBitmapToDC(DC, target, DestRect, TPoint(0, 0), SRCCOPY);
}

void ClearScratchBitmapShutdownMark() { ScratchBitmapsShutDown = false; }

void ReleaseScratchBitmaps() {
  ScratchBitmapsShutDown = true;
  for (TcxAlphaBitmap** bitmap : {&ScratchBitmapA, &ScratchAlphaBitmap, &ScratchBitmapB}) {
    delete *bitmap;
    *bitmap = nullptr;
  }
}
