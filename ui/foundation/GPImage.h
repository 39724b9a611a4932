#pragma once
// GDI+ images: a GDI+ bitmap in 32bppPARGB with an optional copy of its pixels, and the image
// class pictures create their images through.
#include <memory>

#include "platform/classes/Bitmap.h"
#include "ui/foundation/BitmapPixels.h"
#include "ui/foundation/GdiPlusApi.h"

class TdxGPImage : public TdxGPBase {
  VW_CLASS(TdxGPImage, TdxGPBase)
 public:
  TdxGPImage() = default;
  ~TdxGPImage() override;

  // The virtual constructors run on a new instance of the wanted class (TdxGPImageClass).
  // CreateFromBitmap: the bitmap's pixels, with alpha when it has 32 bits a pixel.
  virtual void InitFromBitmap(TBitmap* Bitmap);
  // CreateFromBits: Bits become the pixel copy, top row first, premultiplied; without HasAlpha
  // they are made opaque. Empty Bits let GDI+ give the pixels.
  virtual void InitFromBits(int Width, int Height, TRGBColors Bits, bool HasAlpha);
  // CreateFromStream: a BMP ("BM") is read as a bitmap, anything else decoded by GDI+. Streams
  // of 13 bytes or fewer, and a missing GDI+, leave the image without a handle.
  virtual void InitFromStream(TStream* Stream);
  virtual void ReleaseImageHandle();
  virtual void LoadStreamData(TStream* Stream);
  // A new 32-bit bitmap of the image over transparent black; the caller owns it.
  virtual TBitmap* MakeVclBitmap();

  void SetFromBitmap(TBitmap* Bitmap);
  void SetFromBits(int Width, int Height, TRGBColors Bits, bool HasAlpha);

  win::GpImage* Handle() const { return FHandle; }
  int Width() const;
  int Height() const;
  win::RECT ImageRect() const { return {0, 0, Width(), Height()}; }

  bool HasPixelCopy() const { return !FBits.empty(); }
  // While the copy exists the GDI+ bitmap lives in its memory.
  const TRGBColors& PixelCopy() const { return FBits; }
  void EnsurePixelCopy();
  void CopyPixels(TRGBColors& Bits);

  // A new image of the active class with the same pixels.
  TdxGPImage* Clone();
  void SaveToStreamAsPng(TStream* Stream);
  void PaintToDC(win::HDC DC, const win::RECT& R);
  void DrawPart(win::GpGraphics* Graphics, const win::RECT& DestRect, const win::RECT& SrcRect, win::BYTE Alpha);
  // A new image of this one's size: this image, and Other over all of it at the opacity.
  TdxGPImage* BlendWith(TdxGPImage* Other, win::BYTE Alpha);

 protected:
  win::GpImage* FHandle = nullptr;
  TRGBColors FBits;
  friend struct TdxGPImageClassInfo;
};

// The image class while GDI+ is not there: its instances come from the ordinary heap.
class TdxGPNullImage : public TdxGPImage {
  VW_CLASS(TdxGPNullImage, TdxGPImage)
 public:
  TdxGPNullImage() = default;
  static void* operator new(std::size_t Size) { return ::operator new(Size); }
  static void operator delete(void* Ptr) { ::operator delete(Ptr); }
};

// A class reference to an image class with its virtual constructors.
struct TdxGPImageClassInfo {
  TClass Class;
  TdxGPImage* (*NewInstance)();

  TdxGPImage* CreateFromBitmap(TBitmap* Bitmap) const;
  TdxGPImage* CreateFromBits(int Width, int Height, TRGBColors Bits, bool HasAlpha) const;
  TdxGPImage* CreateFromStream(TStream* Stream) const;
  // An image of this class over an existing GDI+ image, which it takes over.
  TdxGPImage* CreateFromHandle(win::GpImage* Handle) const;
};
using TdxGPImageClass = const TdxGPImageClassInfo*;

template <class T>
TdxGPImageClass GPImageClassOf() {
  static const TdxGPImageClassInfo info{T::StaticClass(), []() -> TdxGPImage* { return new T(); }};
  return &info;
}

// The process-wide active image class: TdxGPNullImage until the PNG format is registered with
// GDI+ there, then TdxGPImage.
TdxGPImageClass GPImageClass();
void SetGPImageClass(TdxGPImageClass Class);
