#include "ui/foundation/PNGImage.h"

#include <memory>

#include "platform/classes/Picture.h"
#include "platform/classes/TypInfo.h"
#include "ui/foundation/GPGraphics.h"

TdxPNGImage::~TdxPNGImage() { delete FImage; }

void TdxPNGImage::Assign(TPersistent* Source) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    SetImage(GPImageClass()->CreateFromBitmap(bitmap));
  } else if (auto* png = dynamic_cast<TdxPNGImage*>(Source)) {
    if (png != this) SetImage(png->FImage ? png->FImage->Clone() : nullptr);
  } else {
    inherited::Assign(Source);
  }
}

void TdxPNGImage::AssignTo(TPersistent* Dest) {
  if (auto* png = dynamic_cast<TdxPNGImage*>(Dest)) {
    png->Assign(this);
  } else if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
    std::unique_ptr<TBitmap> made(MakeVclBitmap());
    bitmap->Assign(made.get());
  } else {
    inherited::AssignTo(Dest);
  }
}

win::SIZE TdxPNGImage::PictureSize() const {
  if (!FImage || !FImage->Handle()) return {0, 0};
  win::REAL w = 0, h = 0;
  CheckGdipStatus(GdipGetImageDimension(FImage->Handle(), &w, &h));
  return {static_cast<win::LONG>(w), static_cast<win::LONG>(h)};
}

win::RECT TdxPNGImage::PictureRect() const {
  win::SIZE s = PictureSize();
  return {0, 0, s.cx, s.cy};
}

bool TdxPNGImage::Empty() const {
  win::SIZE s = PictureSize();
  return s.cx < 1 || s.cy < 1;
}

void TdxPNGImage::SetImage(TdxGPImage* Image) {
  if (Image == FImage) return;
  delete FImage;
  FImage = Image;
  Changed(this);
}

void TdxPNGImage::Changed(TObject* Sender) {
  FUsesAlphaValid = false;
  inherited::Changed(Sender);
}

void TdxPNGImage::LoadFromStream(TStream* Stream) {
  if (Stream->Size() - Stream->Position() <= 0) {
    SetImage(nullptr);
    return;
  }
  SetImage(GPImageClass()->CreateFromStream(Stream));
}

void TdxPNGImage::SaveToStream(TStream* Stream) {
  if (!FImage || !FImage->Handle()) return;
  TMemoryStream png;
  FImage->SaveToStreamAsPng(&png);
  png.SaveToStream(Stream);
}

void TdxPNGImage::LoadFromClipboardFormat(win::WORD AFormat, win::HANDLE AData, win::HPALETTE APalette) {
  // The bitmap keeps the data's own depth: a 24-bit picture comes in opaque, a 32-bit one with
  // its alpha.
  TBitmap bitmap;
  bitmap.LoadFromClipboardFormat(AFormat, AData, APalette);
  TakeGraphic(&bitmap);
}

void TdxPNGImage::SaveToClipboardFormat(win::WORD& AFormat, win::HANDLE& AData, win::HPALETTE& APalette) {
  TBitmap bitmap;
  win::SIZE s = PictureSize();
  bitmap.SetSize(s.cx, s.cy);
  if (!bitmap.Empty()) PaintToDC(bitmap.Canvas()->Handle(), PictureRect());
  bitmap.SaveToClipboardFormat(AFormat, AData, APalette);
}

bool TdxPNGImage::SamePixels(TdxPNGImage* Other) {
  if (!Other) return false;
  win::SIZE a = PictureSize(), b = Other->PictureSize();
  if (a.cx != b.cx || a.cy != b.cy) return false;
  if (Empty() || Other->Empty()) return true;
  FImage->EnsurePixelCopy();
  Other->FImage->EnsurePixelCopy();
  const TRGBColors& p = FImage->PixelCopy();
  const TRGBColors& q = Other->FImage->PixelCopy();
  if (p.size() != q.size()) return false;
  for (std::size_t i = 0; i < p.size(); ++i)
    if (p[i].rgbBlue != q[i].rgbBlue || p[i].rgbGreen != q[i].rgbGreen || p[i].rgbRed != q[i].rgbRed ||
        p[i].rgbReserved != q[i].rgbReserved)
      return false;
  return true;
}

TBitmap* TdxPNGImage::MakeVclBitmap() {
  if (!FImage) {
    auto* bitmap = new TBitmap();
    bitmap->SetPixelFormat(pf32bit);
    return bitmap;
  }
  return FImage->MakeVclBitmap();
}

void TdxPNGImage::TakeGraphic(TGraphic* Source) {
  // Loads GDI+ first, so that the image is of the class that can hold it.
  IsGdiPlusAvailable();
  if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    SetImage(GPImageClass()->CreateFromBitmap(bitmap));
    return;
  }
  TBitmap bitmap;
  bitmap.Assign(Source);
  SetImage(GPImageClass()->CreateFromBitmap(&bitmap));
}

void TdxPNGImage::Draw(TCanvas* ACanvas, const win::RECT& Rect) { PaintPartToDC(DrawHandle(ACanvas), Rect, PictureRect()); }

void TdxPNGImage::PaintToDC(win::HDC DC, const win::RECT& DestRect) { PaintPartToDC(DC, DestRect, PictureRect()); }

void TdxPNGImage::PaintPartToDC(win::HDC DC, const win::RECT& DestRect, const win::RECT& SrcRect) {
  if (!FImage || !FImage->Handle()) return;
  TdxGPGraphics* graphics = CreateGPPaintGraphics(DC, DestRect);
  try {
    PaintToGraphics(graphics->Handle(), DestRect, SrcRect);
  } catch (...) {
    FreeGPGraphics(graphics);
    throw;
  }
  FreeGPGraphics(graphics);
}

void TdxPNGImage::PaintToGraphics(win::GpGraphics* Graphics, const win::RECT& DestRect, const win::RECT& SrcRect) {
  if (FImage && FImage->Handle()) GPDrawImagePart(Graphics, DestRect, SrcRect, FImage->Handle(), 255);
}

bool TdxPNGImage::UsesAlpha() {
  if (!FUsesAlphaValid) {
    FUsesAlpha = ComputeUsesAlpha();
    FUsesAlphaValid = true;
  }
  return FUsesAlpha;
}

bool TdxPNGImage::ComputeUsesAlpha() {
  if (!FImage) return false;
  FImage->EnsurePixelCopy();
  for (const TRGBQuad& q : FImage->PixelCopy())
    if (q.rgbReserved != 255) return true;
  return false;
}

// ---- the unit ----

void RegisterPngFormat() {
  SetGPImageClass(GPImageClassOf<TdxGPNullImage>());
  if (!IsGdiPlusAvailable()) return;
  EnsurePngEncoderId();
  SetGPImageClass(GPImageClassOf<TdxGPImage>());
  RegisterClass(TdxPNGImage::StaticClass());
  TPicture::RegisterFileFormat("png", "PNG graphics", TdxPNGImage::StaticClass());
}

void UnregisterPngFormat() {
  TPicture::UnregisterGraphicClass(TdxPNGImage::StaticClass());
  UnRegisterClass(TdxPNGImage::StaticClass());
  // GDI+ may go next: pictures made from now on hold no GDI+ image.
  SetGPImageClass(GPImageClassOf<TdxGPNullImage>());
}

void PNGImageUnitStartup() { UnitsLoaderInstance()->AddUnitProcs(RegisterPngFormat, UnregisterPngFormat); }

void PNGImageUnitShutdown() { UnitsLoaderInstance()->RemoveUnitProc(UnregisterPngFormat); }
