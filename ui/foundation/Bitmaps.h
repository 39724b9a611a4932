#pragma once
// The library's bitmaps over the class library's TBitmap. TcxBitmap adds its own canvas, an update
// lock that folds many changes into one change notification, and the "XDBM" record: a run-length
// form of the bitmap's stored data for form descriptions. TcxBitmap32 insists on 32 bits a pixel
// and reads and writes all pixels at once. TcxAlphaBitmap adds a transparent background colour,
// colours that count as transparent, and the per-pixel operations the image drawing uses.
//
// Pixel arrays (TRGBColors) list the bottom row first; a pixel value holds blue, green, red and
// alpha from the low byte up.
#include <cstdint>
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Streams.h"
#include "ui/foundation/BitmapPixels.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Types.h"

// ---- the "XDBM" record --------------------------------------------------------------------------

// Runs of BlockSize-byte blocks: a control byte with 0x80 set is followed by (control and 0x7F)
// blocks as they are; without it by one block to be repeated that many times. Size must be a
// whole number of blocks.
void EncodeBitmapRuns(const std::uint8_t* Data, std::size_t Size, int BlockSize, std::vector<std::uint8_t>& Out);

// ---- TcxBitmap ------------------------------------------------------------------------------------

class TcxBitmap : public TBitmap {
  VW_CLASS(TcxBitmap, TBitmap)
 public:
  // An empty 24-bit bitmap (32-bit in both descendants).
  TcxBitmap();
  TcxBitmap(int AWidth, int AHeight);
  TcxBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat);
  explicit TcxBitmap(const TRect& R);
  TcxBitmap(const TRect& R, TPixelFormat APixelFormat);
  ~TcxBitmap() override;

  // Written into form descriptions as the "XDBM" record instead of plain bitmap data.
  bool CompressData() const { return FCompressData; }
  void SetCompressData(bool Value) { FCompressData = Value; }
  TcxCanvas* OwnCanvas() const { return FOwnCanvas; }

  // Changes while locked raise one notification at the last unlock (or always with ForceChanged).
  void LockUpdates() { ++FUpdateLockCount; }
  void UnlockUpdates(bool ForceChanged = false);
  bool UpdatesLocked() const { return FUpdateLockCount > 0; }

  // Negative sides become 0; the current size changes nothing.
  virtual void Resize(int AWidth, int AHeight);
  void ResizeToRect(const TRect& R);
  TRect ImageRect() const { return TRect(0, 0, Width(), Height()); }
  void CopyFromBitmap(TBitmap* Source, win::DWORD Rop = win::SRCCOPY);
  void CopyAreaFromBitmap(TBitmap* Source, const TRect& DestRect, const TPoint& SrcTopLeft,
                          win::DWORD Rop = win::SRCCOPY);
  void RotateImage(TcxRotationCode Rotation, bool Flip = false);

  // The binary data of form descriptions: plain bitmap data, or the "XDBM" record with
  // CompressData. A record that cannot be read raises and leaves the picture as it was.
  void LoadDataRecord(TStream* Stream);
  void SaveDataRecord(TStream* Stream);

 protected:
  void Changed(TObject* Sender) override;
  virtual void CheckAfterChange() {}
  void ReadData(TStream* Stream) override { LoadDataRecord(Stream); }
  void WriteData(TStream* Stream) override { SaveDataRecord(Stream); }
  // Reads plain data (a 32-bit length and a BMP file); descendants may convert what was read.
  virtual void LoadPlainData(TStream* Stream);

  // Holds the update lock for a scope; an exception unlocks without notifying.
  class TUpdateLock {
   public:
    explicit TUpdateLock(TcxBitmap* Bitmap) : FBitmap(Bitmap) { FBitmap->LockUpdates(); }
    ~TUpdateLock();
    void Release(bool ForceChanged);
    TUpdateLock(const TUpdateLock&) = delete;
    TUpdateLock& operator=(const TUpdateLock&) = delete;

   private:
    TcxBitmap* FBitmap;
  };

 private:
  void InitializeBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat);

  bool FCompressData = false;
  TcxCanvas* FOwnCanvas = nullptr;
  int FUpdateLockCount = 0;
  bool FModified = false;
};

// ---- TcxBitmap32 ----------------------------------------------------------------------------------

class TcxBitmap32 : public TcxBitmap {
  VW_CLASS(TcxBitmap32, TcxBitmap)
 public:
  TcxBitmap32() : TcxBitmap(0, 0, pf32bit) {}
  TcxBitmap32(int AWidth, int AHeight, bool Clear = false);
  explicit TcxBitmap32(const TRect& R, bool Clear = false);

  // Loads inside the update lock and becomes 32-bit before the check.
  void LoadFromStream(TStream* Stream) override;

  // All bytes 0: black, alpha 0.
  virtual void ClearImage();
  // Bottom row first; false (and no pixels) for an empty bitmap.
  bool ReadPixels(TRGBColors& Colors);
  // Colors must hold Width x Height pixels, bottom row first.
  void WritePixels(const TRGBColors& Colors);
  void SetAllAlpha(win::BYTE Alpha);
  void MakeOpaque() { SetAllAlpha(255); }
  bool UsesAlpha();
  void BlendOntoBitmap(TBitmap* DestBitmap, const TRect& DestRect, bool Smooth, win::BYTE Alpha);

 protected:
  void CheckAfterChange() override;
  void LoadPlainData(TStream* Stream) override;
};

// Pixels under the white part of Mask become 0 (raster operation 0x220326).
void MaskOutBitmap(TBitmap* Bitmap32, TBitmap* Mask);

// ---- TcxAlphaBitmap -------------------------------------------------------------------------------

// RGB pixel values (alpha byte dropped).
using TcxColorList = std::vector<std::uint32_t>;
void AddColorToList(TcxColorList& List, TColor Colour);
// A colour as a pixel value (system colours resolved) with that alpha.
std::uint32_t ColorToPixel(TColor Colour, win::BYTE Alpha);

enum TcxPixelOperation : std::uint8_t {
  poLighten,
  poDisabledGrey,
  poGreyByAverage,
  poOpaque,
  poTransparencyMask,
  poFadedGrey,
  poWeightedGrey,
  poAlphaRecovery,
  poHatch,
  poClear,
  poAlphaOff
};

struct TcxHatchParams {
  std::uint32_t Color1 = 0;
  win::BYTE Alpha1 = 0;
  std::uint32_t Color2 = 0;
  win::BYTE Alpha2 = 0;
  win::BYTE Step = 0;
};

class TcxAlphaBitmap : public TcxBitmap32 {
  VW_CLASS(TcxAlphaBitmap, TcxBitmap32)
 public:
  TcxAlphaBitmap() = default;
  TcxAlphaBitmap(int AWidth, int AHeight) : TcxBitmap32(AWidth, AHeight) {}
  TcxAlphaBitmap(int AWidth, int AHeight, std::uint32_t TransparentBackground);

  // Every pixel the transparent background colour when its alpha is not 0, else all bytes 0.
  void ClearImage() override;

  std::uint32_t TransparentBkColor() const { return FTransparentBkColor; }
  void SetTransparentBkColor(std::uint32_t Value) { FTransparentBkColor = Value; }
  TcxColorList& TransparentPixels() { return FTransparentPixels; }
  // The colour alone counts as transparent, also as the background (with alpha 0); pixels that
  // are not transparent and have alpha 0 become opaque.
  void SetTransparentColor(TColor Colour);
  // The full value is the background colour, or its RGB part is in the transparent colours.
  bool IsTransparentPixel(std::uint32_t Pixel) const;

  // Runs the operation over every pixel and notifies once.
  void ApplyPixelOperation(TcxPixelOperation Operation);
  // A checker of Step x Step cells, Color1 in the bottom-left one; Step 0 changes nothing.
  void ApplyHatch(const TcxHatchParams& Params);
  void DrawHatch(TColor Colour1, TColor Colour2, win::BYTE Step, win::BYTE Alpha1, win::BYTE Alpha2);

 private:
  void ProcessPixel(std::uint32_t& Pixel);

  std::uint32_t FTransparentBkColor = 0;
  TcxColorList FTransparentPixels;
  TPoint FCurrentPixelPos;  // y counted from the bottom row
  TcxHatchParams FHatchData;
};

// Gives the image a solid shadow of its shape (the part of Mask that is not white), Offset pixels
// right and down, filled with Colour and drawn only where the image itself is empty. With
// Enlarge the bitmap first grows by Offset so that the shadow fits; otherwise it is cut.
void AddImageShadow(TcxAlphaBitmap* Bitmap, TcxAlphaBitmap* Mask, int Offset, TColor Colour, bool Enlarge);
// Makes a bitmap ready for reuse: new size, no transparent colours, cleared.
void ResetScratchBitmap(TcxAlphaBitmap* AlphaBitmap, int AWidth, int AHeight);
