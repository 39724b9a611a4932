#pragma once
// JPEG pictures: the compressed file is kept as it was read, and drawn from the decoded pixels.
#include <cstdint>
#include <vector>

#include "platform/classes/Bitmap.h"

VW_DECLARE_EXCEPTION(EJPEG, EInvalidGraphic);

inline constexpr const char* sJPEGImageFile = "JPEG Image File";

class TJPEGImage : public TGraphic {
  VW_CLASS(TJPEGImage, TGraphic)
 public:
  TJPEGImage();
  ~TJPEGImage() override;

  // From a bitmap: compressed when saved. To a bitmap: the decoded pixels.
  void Assign(TPersistent* Source) override;

  bool Empty() const override { return FData.empty() && !FBitmap; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // A JPEG picture's size is that of its image.
  void SetWidth(int) override {}
  void SetHeight(int) override {}

  // 1 to 100; used when a picture taken from a bitmap is compressed.
  int CompressionQuality() const { return FQuality; }
  void SetCompressionQuality(int Value);
  bool Grayscale() const { return FGrayscale; }
  void SetGrayscale(bool Value);

  // The whole file is decoded here, so a broken or cut-short file raises EJPEG ("JPEG error #n",
  // n the decoder's message number) at once and the picture keeps what it had.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  void Draw(TCanvas* ACanvas, const win::RECT& Rect) override;

  // The compressed file (made from the bitmap when the picture came from one).
  void JPEGNeeded();
  // The decoded picture.
  void DIBNeeded();

 protected:
  void AssignTo(TPersistent* Dest) override;

 private:
  void Decode(const std::vector<std::uint8_t>& Data, bool Gray, TBitmap*& Result, int& W, int& H);
  void Compress();

  std::vector<std::uint8_t> FData;
  TBitmap* FBitmap = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  int FQuality = 90;
  bool FGrayscale = false;
};
