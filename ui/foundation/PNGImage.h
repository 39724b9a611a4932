#pragma once
// PNG pictures: a picture kind of the platform's picture system that reads PNG (and BMP) through
// GDI+, writes PNG, and draws with per-pixel alpha. Registered for ".png" as "PNG graphics" when
// GDI+ is there.
#include "ui/foundation/GPImage.h"

class TdxPNGImage : public TGraphic {
  VW_CLASS(TdxPNGImage, TGraphic)
 public:
  TdxPNGImage() = default;
  ~TdxPNGImage() override;

  // AssignFrom: a bitmap or another PNG picture; anything else fails as the platform's does.
  void Assign(TPersistent* Source) override;

  // The image's size in whole pixels; empty when a side is below 1.
  win::SIZE PictureSize() const;
  win::RECT PictureRect() const;
  bool Empty() const override;
  int Width() const override { return PictureSize().cx; }
  int Height() const override { return PictureSize().cy; }
  // A PNG picture's size is its image's.
  void SetWidth(int) override {}
  void SetHeight(int) override {}
  bool Transparent() const override { return true; }

  // An empty stream clears the picture. Writing always gives PNG, also for a picture read from a
  // BMP; a picture without an image writes nothing.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // Through a bitmap: CF_DIB in, and out the picture drawn over white.
  void LoadFromClipboardFormat(win::WORD AFormat, win::HANDLE AData, win::HPALETTE APalette) override;
  void SaveToClipboardFormat(win::WORD& AFormat, win::HANDLE& AData, win::HPALETTE& APalette) override;

  TdxGPImage* Image() const { return FImage; }
  // Takes the image over; the same image changes nothing.
  void SetImage(TdxGPImage* Image);

  // Equal sizes and, unless a picture is empty, equal pixels in all four bytes.
  virtual bool SamePixels(TdxPNGImage* Other);
  // The caller owns the bitmap.
  virtual TBitmap* MakeVclBitmap();
  virtual void TakeGraphic(TGraphic* Source);
  virtual void PaintToDC(win::HDC DC, const win::RECT& DestRect);
  virtual void PaintPartToDC(win::HDC DC, const win::RECT& DestRect, const win::RECT& SrcRect);
  virtual void PaintToGraphics(win::GpGraphics* Graphics, const win::RECT& DestRect, const win::RECT& SrcRect);

  // Some pixel is not opaque; answered once per image.
  bool UsesAlpha();

 protected:
  void AssignTo(TPersistent* Dest) override;
  void Changed(TObject* Sender) override;
  void Draw(TCanvas* ACanvas, const win::RECT& Rect) override;

 private:
  bool ComputeUsesAlpha();

  TdxGPImage* FImage = nullptr;
  bool FUsesAlpha = false;
  bool FUsesAlphaValid = false;
};

// The PNG unit's start-up (RegisterPngFormat, through the units loader) and shutdown (takes its
// finalizer out of the loader, which runs it: UnregisterPngFormat).
void RegisterPngFormat();
void UnregisterPngFormat();
void PNGImageUnitStartup();
void PNGImageUnitShutdown();
