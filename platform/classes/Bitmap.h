#pragma once
// The bitmap picture: a device-independent section of any depth from 1 to 32 bits, its canvas,
// its transparency, and BMP files in and out.
#include <cstdint>
#include <vector>

#include "platform/classes/Graphics.h"

VW_ENUM(TPixelFormat, pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom)
VW_ENUM(TBitmapHandleType, bmDIB, bmDDB)
VW_ENUM(TTransparentMode, tmAuto, tmFixed)

class TBitmapCanvas;

class TBitmap : public TGraphic {
  VW_CLASS(TBitmap, TGraphic)
 public:
  TBitmap();
  ~TBitmap() override;

  void Assign(TPersistent* Source) override;

  bool Empty() const override { return FWidth == 0 || FHeight == 0; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void SetWidth(int Value) override { SetSize(Value, FHeight); }
  void SetHeight(int Value) override { SetSize(FWidth, Value); }
  // Keeps the picture's top-left part; new area is white.
  void SetSize(int AWidth, int AHeight);

  // pfDevice and pfCustom are held as 32 bits a pixel, the device's own depth.
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat Value);
  bool Monochrome() const { return FPixelFormat == pf1bit; }
  void SetMonochrome(bool Value);
  TBitmapHandleType HandleType() const { return FHandleType; }
  void SetHandleType(TBitmapHandleType Value);

  // Automatic transparency takes the colour of the bottom-left pixel.
  TColor TransparentColor();
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);

  TCanvas* Canvas();
  win::HBITMAP Handle();
  // Adopts a bitmap handle (owned from now on); its depth becomes the pixel format.
  void SetHandle(win::HBITMAP Value);
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Gives the handle to the caller, who now owns it; the picture becomes empty.
  win::HBITMAP ReleaseHandle();
  // A 1-bit mask, 1 where the picture has its transparent colour (owned by the bitmap).
  win::HBITMAP MaskHandle();
  // Keeps the picture as a BMP image in memory and gives the platform handle back; the next use
  // makes it again.
  void Dormant();
  void FreeImage() {}

  // The row'th row from the top, in the pixel format's own layout.
  void* ScanLine(int Row);

  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // CF_DIB: a packed device-independent bitmap (the BMP file without its file header).
  void LoadFromClipboardFormat(win::WORD AFormat, win::HANDLE AData, win::HPALETTE APalette) override;
  void SaveToClipboardFormat(win::WORD& AFormat, win::HANDLE& AData, win::HPALETTE& APalette) override;
  // A bitmap resource (a BMP file or a packed DIB) embedded in the program.
  void LoadFromResourceName(win::HINSTANCE Instance, const String& ResName);
  void LoadFromResourceID(win::HINSTANCE Instance, unsigned ResID);

  void Draw(TCanvas* ACanvas, const win::RECT& Rect) override;

  // Bits a pixel of a format.
  static int BitsOf(TPixelFormat Format);

 protected:
  void Changed(TObject* Sender) override;
  // Form descriptions hold a 32-bit length and then the BMP file.
  void ReadData(TStream* Stream) override;
  void WriteData(TStream* Stream) override;

 private:
  void HandleNeeded();
  void FreeContext();
  void FreeHandles();
  // A new white section of the format; null for an empty size.
  win::HBITMAP NewSection(int AWidth, int AHeight, TPixelFormat Format, void** Bits);
  // Replaces the picture with Section (owned), copying the old picture's top-left corner into it.
  void ReplaceWith(win::HBITMAP Section, void* Bits, int AWidth, int AHeight, TPixelFormat Format, bool CopyOld,
                   std::vector<win::RGBQUAD> Table = {});
  void ReadBmp(const std::uint8_t* Data, std::size_t Size);
  int Stride() const;

  win::HBITMAP FHandle = nullptr;
  win::HBITMAP FMask = nullptr;
  void* FBits = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FPixelFormat = pfDevice;
  TBitmapHandleType FHandleType = bmDIB;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
  TBitmapCanvas* FCanvas = nullptr;
  std::vector<win::RGBQUAD> FColorTable;  // of 1-, 4- and 8-bit pictures
  std::vector<std::uint8_t> FDormant;     // the BMP image while dormant
  friend class TBitmapCanvas;
};

// The palette the library gives new 4- and 8-bit bitmaps: the 16 standard colours, then (8 bits)
// a 6x6x6 colour cube and a grey ramp.
std::vector<win::RGBQUAD> DefaultColorTable(int Bits);
