#pragma once
// GDI+ graphics as objects, the one road from a device context to GDI+ (CreateGPPaintGraphics and
// FreeGPGraphics), and the free routines that draw image parts, tile them and fill gradients.
#include "platform/classes/Bitmap.h"
#include "ui/foundation/GdiPlusApi.h"

class TdxPNGImage;

class TdxGPGraphics : public TdxGPBase {
  VW_CLASS(TdxGPGraphics, TdxGPBase)
 public:
  // CreateOnDC: a graphics on the device context; status failures raise.
  explicit TdxGPGraphics(win::HDC DC);
  // CreateFromHandle: takes over an existing graphics, which it deletes.
  explicit TdxGPGraphics(win::GpGraphics* Handle);
  ~TdxGPGraphics() override;

  win::GpGraphics* Handle() const { return FHandle; }
  // Deletes the graphics (once) and forgets it.
  void ReleaseHandle();

  win::HDC AcquireDC();
  void ReleaseAcquiredDC(win::HDC DC);
  void SetInterpolationMode(win::GpInterpolationMode Mode);

  void DrawImage(TdxPNGImage* Picture, const win::RECT& DestRect, const win::RECT& SrcRect);
  void DrawImageTiled(TdxPNGImage* Picture, const win::RECT& DestRect, const win::RECT& SrcRect);
  // The whole bitmap into DestRect at the opacity; nothing for an empty bitmap.
  void DrawBitmap(TBitmap* Bitmap, const win::RECT& DestRect, win::BYTE Alpha);

 protected:
  TdxGPGraphics() = default;
  win::GpGraphics* FHandle = nullptr;
};

TdxGPGraphics* GPGraphicsFromHandle(win::GpGraphics* Handle);

// A graphics drawing into a 32-bit copy of the area R of the DC, for devices GDI+ cannot draw on
// well. The copy's window origin is R's top-left, so callers keep the DC's coordinates; the copy
// goes back to the DC at R when the graphics is freed.
class TdxGPBufferedGraphics : public TdxGPGraphics {
  VW_CLASS(TdxGPBufferedGraphics, TdxGPGraphics)
 public:
  // CreateBuffered
  TdxGPBufferedGraphics(win::HDC DC, const win::RECT& R);
  ~TdxGPBufferedGraphics() override;

 private:
  void PrepareBuffer();
  void FlushBuffer();
  void FreeBuffer();

  TBitmap* FBuffer = nullptr;
  win::HDC FDC;
  win::RECT FRect;
};

// Fewer than 17 bits a pixel, a raster printer, or a palette.
bool IsGPDoubleBufferNeeded(win::HDC DC);
// Every GDI+ drawing onto a DC goes through this pair.
TdxGPGraphics* CreateGPPaintGraphics(win::HDC DC, const win::RECT& R);
void FreeGPGraphics(TdxGPGraphics*& Graphics);

bool GPIsRectVisible(win::GpGraphics* Graphics, const win::RECT& R);

// A part of an image at a constant opacity. A source part smaller than the destination and more
// than a pixel wide (high) loses its last column (row), so scaling up never smears what lies
// beyond the part into it.
void GPDrawImagePart(win::GpGraphics* Graphics, const win::RECT& DestRect, const win::RECT& SrcRect,
                     win::GpImage* Image, win::BYTE Alpha);
// The source part repeated over the destination from its top-left, the last column and row cut.
void GPDrawImageTiled(win::GpGraphics* Graphics, const win::RECT& DestRect, const win::RECT& SrcRect,
                      win::GpImage* Image);
// A linear gradient (GDI+ mode) laid out on R grown by a pixel on every side.
void GPFillGradientRect(win::GpGraphics* Graphics, const win::RECT& R, win::ARGB Colour1, win::ARGB Colour2,
                        win::GpLinearGradientMode Mode);
