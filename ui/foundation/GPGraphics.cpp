#include "ui/foundation/GPGraphics.h"

#include <algorithm>
#include <memory>

#include "ui/foundation/GPImage.h"
#include "ui/foundation/PNGImage.h"

// ---- graphics ----

TdxGPGraphics::TdxGPGraphics(win::HDC DC) { CheckGdipStatus(GdipCreateFromHDC(DC, &FHandle)); }

TdxGPGraphics::TdxGPGraphics(win::GpGraphics* Handle) : FHandle(Handle) {}

TdxGPGraphics::~TdxGPGraphics() { ReleaseHandle(); }

void TdxGPGraphics::ReleaseHandle() {
  if (!FHandle) return;
  win::GpGraphics* h = FHandle;
  FHandle = nullptr;
  if (GdipDeleteGraphics) GdipDeleteGraphics(h);
}

win::HDC TdxGPGraphics::AcquireDC() {
  win::HDC dc = nullptr;
  CheckGdipStatus(GdipGetDC(FHandle, &dc));
  return dc;
}

void TdxGPGraphics::ReleaseAcquiredDC(win::HDC DC) { CheckGdipStatus(GdipReleaseDC(FHandle, DC)); }

void TdxGPGraphics::SetInterpolationMode(win::GpInterpolationMode Mode) {
  CheckGdipStatus(GdipSetInterpolationMode(FHandle, Mode));
}

void TdxGPGraphics::DrawImage(TdxPNGImage* Picture, const win::RECT& DestRect, const win::RECT& SrcRect) {
  Picture->PaintToGraphics(FHandle, DestRect, SrcRect);
}

void TdxGPGraphics::DrawImageTiled(TdxPNGImage* Picture, const win::RECT& DestRect, const win::RECT& SrcRect) {
  if (Picture->Image() && Picture->Image()->Handle())
    GPDrawImageTiled(FHandle, DestRect, SrcRect, Picture->Image()->Handle());
}

void TdxGPGraphics::DrawBitmap(TBitmap* Bitmap, const win::RECT& DestRect, win::BYTE Alpha) {
  if (!Bitmap || Bitmap->Empty()) return;
  std::unique_ptr<TdxGPImage> image(GPImageClass()->CreateFromBitmap(Bitmap));
  image->DrawPart(FHandle, DestRect, image->ImageRect(), Alpha);
}

TdxGPGraphics* GPGraphicsFromHandle(win::GpGraphics* Handle) { return new TdxGPGraphics(Handle); }

// ---- buffered graphics ----

TdxGPBufferedGraphics::TdxGPBufferedGraphics(win::HDC DC, const win::RECT& R) : FDC(DC), FRect(R) {
  PrepareBuffer();
  try {
    CheckGdipStatus(GdipCreateFromHDC(FBuffer->Canvas()->Handle(), &FHandle));
  } catch (...) {
    FreeBuffer();
    throw;
  }
}

TdxGPBufferedGraphics::~TdxGPBufferedGraphics() {
  // GDI+ lets go of the buffer before the buffer goes to the device.
  ReleaseHandle();
  FlushBuffer();
  FreeBuffer();
}

void TdxGPBufferedGraphics::PrepareBuffer() {
  FBuffer = new TBitmap();
  FBuffer->SetPixelFormat(pf32bit);
  FBuffer->SetSize(std::max(0, static_cast<int>(FRect.right - FRect.left)), std::max(0, static_cast<int>(FRect.bottom - FRect.top)));
  FBuffer->Canvas()->Lock();
  win::HDC buffer = FBuffer->Canvas()->Handle();
  win::BitBlt(buffer, 0, 0, FBuffer->Width(), FBuffer->Height(), FDC, FRect.left, FRect.top, win::SRCCOPY);
  win::SetWindowOrgEx(buffer, FRect.left, FRect.top, nullptr);
}

void TdxGPBufferedGraphics::FlushBuffer() {
  if (!FBuffer) return;
  win::SetWindowOrgEx(FBuffer->Canvas()->Handle(), 0, 0, nullptr);
  int saved = win::SaveDC(FDC);
  TCanvas canvas;
  canvas.SetHandle(FDC);
  canvas.Draw(FRect.left, FRect.top, FBuffer);
  canvas.SetHandle(nullptr);
  win::RestoreDC(FDC, saved);
}

void TdxGPBufferedGraphics::FreeBuffer() {
  if (!FBuffer) return;
  FBuffer->Canvas()->Unlock();
  FreeAndNil(FBuffer);
}

bool IsGPDoubleBufferNeeded(win::HDC DC) {
  return win::GetDeviceCaps(DC, win::BITSPIXEL) < 17 || win::GetDeviceCaps(DC, win::TECHNOLOGY) == win::DT_RASPRINTER ||
         win::GetDeviceCaps(DC, win::NUMCOLORS) > 1;
}

TdxGPGraphics* CreateGPPaintGraphics(win::HDC DC, const win::RECT& R) {
  if (IsGPDoubleBufferNeeded(DC)) return new TdxGPBufferedGraphics(DC, R);
  return new TdxGPGraphics(DC);
}

void FreeGPGraphics(TdxGPGraphics*& Graphics) { FreeAndNil(Graphics); }

// ---- free routines ----

bool GPIsRectVisible(win::GpGraphics* Graphics, const win::RECT& R) {
  win::BOOL visible = win::FALSE;
  CheckGdipStatus(GdipIsVisibleRectI(Graphics, R.left, R.top, R.right - R.left, R.bottom - R.top, &visible));
  return visible != win::FALSE;
}

void GPDrawImagePart(win::GpGraphics* Graphics, const win::RECT& DestRect, const win::RECT& SrcRect,
                     win::GpImage* Image, win::BYTE Alpha) {
  int dw = DestRect.right - DestRect.left, dh = DestRect.bottom - DestRect.top;
  int sw = SrcRect.right - SrcRect.left, sh = SrcRect.bottom - SrcRect.top;
  if (dw < 1 || dh < 1 || sw < 1 || sh < 1) return;
  if (sw < dw && sw > 1) --sw;
  if (sh < dh && sh > 1) --sh;
  if (!GPIsRectVisible(Graphics, DestRect)) return;
  if (Alpha == 255) {
    CheckGdipStatus(GdipDrawImageRectRectI(Graphics, Image, DestRect.left, DestRect.top, dw, dh, SrcRect.left,
                                           SrcRect.top, sw, sh, win::UnitPixel, nullptr, nullptr, nullptr));
    return;
  }
  win::GpImageAttributes* attributes = nullptr;
  CheckGdipStatus(GdipCreateImageAttributes(&attributes));
  try {
    win::ColorMatrix m;
    for (int i = 0; i < 5; ++i) m.m[i][i] = 1;
    m.m[3][3] = Alpha / 255.0f;
    CheckGdipStatus(GdipSetImageAttributesColorMatrix(attributes, win::ColorAdjustTypeBitmap, win::TRUE, &m, nullptr,
                                                      win::ColorMatrixFlagsDefault));
    CheckGdipStatus(GdipDrawImageRectRectI(Graphics, Image, DestRect.left, DestRect.top, dw, dh, SrcRect.left,
                                           SrcRect.top, sw, sh, win::UnitPixel, attributes, nullptr, nullptr));
  } catch (...) {
    GdipDisposeImageAttributes(attributes);
    throw;
  }
  GdipDisposeImageAttributes(attributes);
}

void GPDrawImageTiled(win::GpGraphics* Graphics, const win::RECT& DestRect, const win::RECT& SrcRect,
                      win::GpImage* Image) {
  int sw = SrcRect.right - SrcRect.left, sh = SrcRect.bottom - SrcRect.top;
  int dw = DestRect.right - DestRect.left, dh = DestRect.bottom - DestRect.top;
  if (sw <= 0 || sh <= 0 || !GPIsRectVisible(Graphics, DestRect)) return;
  win::GpTexture* brush = nullptr;
  if ((sw < dw || sh < dh) &&
      GdipCreateTexture2I(Image, win::WrapModeTile, SrcRect.left, SrcRect.top, sw, sh, &brush) == win::Ok) {
    win::GpBitmap* buffer = nullptr;
    win::GpGraphics* bufferGraphics = nullptr;
    try {
      buffer = NewGPBitmap(dw, dh);
      CheckGdipStatus(GdipGetImageGraphicsContext(buffer, &bufferGraphics));
      CheckGdipStatus(GdipFillRectangleI(bufferGraphics, brush, 0, 0, dw, dh));
      GdipDeleteGraphics(bufferGraphics);
      bufferGraphics = nullptr;
      GPDrawImagePart(Graphics, DestRect, win::RECT{0, 0, dw, dh}, buffer, 255);
    } catch (...) {
      if (bufferGraphics) GdipDeleteGraphics(bufferGraphics);
      if (buffer) GdipDisposeImage(buffer);
      GdipDeleteBrush(brush);
      throw;
    }
    GdipDisposeImage(buffer);
    GdipDeleteBrush(brush);
    return;
  }
  for (int y = DestRect.top; y < DestRect.bottom; y += sh) {
    int th = std::min(sh, static_cast<int>(DestRect.bottom) - y);
    for (int x = DestRect.left; x < DestRect.right; x += sw) {
      int tw = std::min(sw, static_cast<int>(DestRect.right) - x);
      GPDrawImagePart(Graphics, win::RECT{x, y, x + tw, y + th},
                      win::RECT{SrcRect.left, SrcRect.top, SrcRect.left + tw, SrcRect.top + th}, Image, 255);
    }
  }
}

void GPFillGradientRect(win::GpGraphics* Graphics, const win::RECT& R, win::ARGB Colour1, win::ARGB Colour2,
                        win::GpLinearGradientMode Mode) {
  win::GpRect area = MakeGPRect(R.left - 1, R.top - 1, R.right - R.left + 2, R.bottom - R.top + 2);
  win::GpLineGradient* brush = nullptr;
  CheckGdipStatus(GdipCreateLineBrushFromRectI(&area, Colour1, Colour2, Mode, win::WrapModeTile, &brush));
  win::GpStatus status = GdipFillRectangleI(Graphics, brush, R.left, R.top, R.right - R.left, R.bottom - R.top);
  GdipDeleteBrush(brush);
  CheckGdipStatus(status);
}
