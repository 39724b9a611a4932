#include "ui/foundation/GPImage.h"

#include <cstring>

#include "platform/classes/StreamAdapter.h"
#include "ui/foundation/GPGraphics.h"

namespace {

TdxGPImageClass FActiveImageClass = nullptr;

// A new instance whose virtual constructor runs once it is whole; it is freed if that fails.
template <class F>
TdxGPImage* Construct(const TdxGPImageClassInfo& Info, F&& Init) {
  std::unique_ptr<TdxGPImage> image(Info.NewInstance());
  Init(*image);
  return image.release();
}

}  // namespace

TdxGPImageClass GPImageClass() { return FActiveImageClass ? FActiveImageClass : GPImageClassOf<TdxGPNullImage>(); }

void SetGPImageClass(TdxGPImageClass Class) { FActiveImageClass = Class; }

TdxGPImage* TdxGPImageClassInfo::CreateFromBitmap(TBitmap* Bitmap) const {
  return Construct(*this, [&](TdxGPImage& i) { i.InitFromBitmap(Bitmap); });
}

TdxGPImage* TdxGPImageClassInfo::CreateFromBits(int Width, int Height, TRGBColors Bits, bool HasAlpha) const {
  return Construct(*this, [&](TdxGPImage& i) { i.InitFromBits(Width, Height, std::move(Bits), HasAlpha); });
}

TdxGPImage* TdxGPImageClassInfo::CreateFromStream(TStream* Stream) const {
  return Construct(*this, [&](TdxGPImage& i) { i.InitFromStream(Stream); });
}

TdxGPImage* TdxGPImageClassInfo::CreateFromHandle(win::GpImage* Handle) const {
  TdxGPImage* image;
  try {
    image = NewInstance();
  } catch (...) {
    GdipDisposeImage(Handle);
    throw;
  }
  image->FHandle = Handle;
  return image;
}

// ---- the image ----

TdxGPImage::~TdxGPImage() {
  ReleaseImageHandle();
  FBits.clear();
}

void TdxGPImage::InitFromBitmap(TBitmap* Bitmap) {
  EnsurePngEncoderId();
  SetFromBitmap(Bitmap);
}

void TdxGPImage::InitFromBits(int Width, int Height, TRGBColors Bits, bool HasAlpha) {
  SetFromBits(Width, Height, std::move(Bits), HasAlpha);
}

void TdxGPImage::InitFromStream(TStream* Stream) {
  if (!IsGdiPlusAvailable() || Stream->Size() - Stream->Position() <= 13) return;
  char head[14];
  Stream->ReadBuffer(head, sizeof head);
  Stream->Seek(-static_cast<std::int64_t>(sizeof head), soCurrent);
  if (head[0] == 'B' && head[1] == 'M') {
    TBitmap bitmap;
    bitmap.LoadFromStream(Stream);
    SetFromBitmap(&bitmap);
  } else {
    LoadStreamData(Stream);
  }
}

void TdxGPImage::ReleaseImageHandle() {
  if (!FHandle) return;
  win::GpImage* h = FHandle;
  FHandle = nullptr;
  if (GdipDisposeImage) GdipDisposeImage(h);
}

void TdxGPImage::LoadStreamData(TStream* Stream) {
  ReleaseImageHandle();
  FBits.clear();
  FHandle = GPBitmapFromStreamObject(Stream);
}

TBitmap* TdxGPImage::MakeVclBitmap() {
  auto* bitmap = new TBitmap();
  try {
    bitmap->SetPixelFormat(pf32bit);
    if (FHandle) {
      win::HBITMAP hbm = nullptr;
      CheckGdipStatus(GdipCreateHBITMAPFromBitmap(static_cast<win::GpBitmap*>(FHandle), &hbm, 0));
      bitmap->SetHandle(hbm);
    }
  } catch (...) {
    delete bitmap;
    throw;
  }
  return bitmap;
}

void TdxGPImage::SetFromBitmap(TBitmap* Bitmap) {
  TRGBColors colors;
  if (!Bitmap->Empty()) GetBitmapColors(Bitmap->Handle(), colors, true);
  SetFromBits(Bitmap->Width(), Bitmap->Height(), std::move(colors), TBitmap::BitsOf(Bitmap->PixelFormat()) >= 32);
}

void TdxGPImage::SetFromBits(int Width, int Height, TRGBColors Bits, bool HasAlpha) {
  ReleaseImageHandle();
  FBits = std::move(Bits);
  if (!HasAlpha)
    for (TRGBQuad& q : FBits) q.rgbReserved = 255;
  if (Width <= 0 || Height <= 0) {
    FBits.clear();
    return;
  }
  // GDI+ would read past a copy too short for the size.
  CheckGdipSuccess(FBits.empty() || FBits.size() == static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height));
  if (!IsGdiPlusAvailable()) return;
  win::GpBitmap* bitmap = nullptr;
  CheckGdipStatus(GdipCreateBitmapFromScan0(Width, Height, FBits.empty() ? 0 : Width * 4, win::PixelFormat32bppPARGB,
                                            FBits.empty() ? nullptr : reinterpret_cast<win::BYTE*>(FBits.data()),
                                            &bitmap));
  FHandle = bitmap;
}

int TdxGPImage::Width() const {
  win::UINT w = 0;
  if (FHandle) CheckGdipStatus(GdipGetImageWidth(FHandle, &w));
  return static_cast<int>(w);
}

int TdxGPImage::Height() const {
  win::UINT h = 0;
  if (FHandle) CheckGdipStatus(GdipGetImageHeight(FHandle, &h));
  return static_cast<int>(h);
}

void TdxGPImage::EnsurePixelCopy() {
  if (!FBits.empty() || !FHandle) return;
  std::unique_ptr<TBitmap> bitmap(MakeVclBitmap());
  SetFromBitmap(bitmap.get());
}

void TdxGPImage::CopyPixels(TRGBColors& Bits) {
  EnsurePixelCopy();
  Bits = FBits;
}

TdxGPImage* TdxGPImage::Clone() {
  if (FBits.empty()) {
    win::GpImage* clone = nullptr;
    if (FHandle) CheckGdipStatus(GdipCloneImage(FHandle, &clone));
    return GPImageClass()->CreateFromHandle(clone);
  }
  return GPImageClass()->CreateFromBits(Width(), Height(), FBits, true);
}

void TdxGPImage::SaveToStreamAsPng(TStream* Stream) {
  EnsurePngEncoderId();
  auto* adapter = new TStreamAdapter(Stream);
  win::GpStatus status = GdipSaveImageToStream(FHandle, adapter, &PngEncoderClsid, nullptr);
  adapter->Release();
  CheckGdipStatus(status);
}

void TdxGPImage::PaintToDC(win::HDC DC, const win::RECT& R) {
  if (!FHandle) return;
  TdxGPGraphics* graphics = CreateGPPaintGraphics(DC, R);
  try {
    DrawPart(graphics->Handle(), R, ImageRect(), 255);
  } catch (...) {
    FreeGPGraphics(graphics);
    throw;
  }
  FreeGPGraphics(graphics);
}

void TdxGPImage::DrawPart(win::GpGraphics* Graphics, const win::RECT& DestRect, const win::RECT& SrcRect,
                          win::BYTE Alpha) {
  if (FHandle) GPDrawImagePart(Graphics, DestRect, SrcRect, FHandle, Alpha);
}

TdxGPImage* TdxGPImage::BlendWith(TdxGPImage* Other, win::BYTE Alpha) {
  std::unique_ptr<TdxGPImage> result(GPImageClass()->CreateFromBits(Width(), Height(), {}, true));
  if (!result->Handle()) return result.release();
  win::GpGraphics* graphics = nullptr;
  CheckGdipStatus(GdipGetImageGraphicsContext(result->Handle(), &graphics));
  try {
    DrawPart(graphics, ImageRect(), ImageRect(), 255);
    if (Other) Other->DrawPart(graphics, ImageRect(), Other->ImageRect(), Alpha);
  } catch (...) {
    GdipDeleteGraphics(graphics);
    throw;
  }
  GdipDeleteGraphics(graphics);
  return result.release();
}
