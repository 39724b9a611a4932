#include "ui/foundation/Bitmaps.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/classes/Consts.h"
#include "ui/foundation/Core.h"
#include "ui/foundation/DrawingRoutines.h"

using namespace win;

namespace {

constexpr char kSignature[4] = {'X', 'D', 'B', 'M'};
constexpr int kHeaderSize = 10;
constexpr int kMaxRun = 125;
constexpr std::uint16_t kWrittenVersion = 2;

std::uint32_t PackPixel(const TRGBQuad& Q) {
  return static_cast<std::uint32_t>(Q.rgbBlue) | static_cast<std::uint32_t>(Q.rgbGreen) << 8 |
         static_cast<std::uint32_t>(Q.rgbRed) << 16 | static_cast<std::uint32_t>(Q.rgbReserved) << 24;
}

TRGBQuad UnpackPixel(std::uint32_t P) {
  TRGBQuad q;
  q.rgbBlue = static_cast<BYTE>(P);
  q.rgbGreen = static_cast<BYTE>(P >> 8);
  q.rgbRed = static_cast<BYTE>(P >> 16);
  q.rgbReserved = static_cast<BYTE>(P >> 24);
  return q;
}

BYTE Channel(int Value) { return static_cast<BYTE>(ClampColorChannel(Value)); }

// Pascal's Round: halves go to the even neighbour.
BYTE RoundedGrey(double Value) { return Channel(static_cast<int>(std::nearbyint(Value))); }

// Reads exactly Count bytes of the record's body, which ends at Limit.
void ReadBody(TStream* Stream, std::int64_t Limit, void* Buffer, std::int64_t Count) {
  if (Count > Limit - Stream->Position()) throw EReadError(SReadError);
  if (Count > 0) Stream->ReadBuffer(Buffer, static_cast<std::int32_t>(Count));
}

void DecodeRuns(TStream* Stream, std::int64_t Limit, int BlockSize, TMemoryStream& Out) {
  std::vector<std::uint8_t> block(static_cast<std::size_t>(BlockSize) * 0x7F);
  while (Stream->Position() < Limit) {
    std::uint8_t control = 0;
    ReadBody(Stream, Limit, &control, 1);
    const int count = control & 0x7F;
    if (control & 0x80) {
      const std::int64_t bytes = static_cast<std::int64_t>(count) * BlockSize;
      ReadBody(Stream, Limit, block.data(), bytes);
      Out.WriteBuffer(block.data(), static_cast<std::int32_t>(bytes));
    } else {
      ReadBody(Stream, Limit, block.data(), BlockSize);
      for (int i = 0; i < count; ++i) Out.WriteBuffer(block.data(), BlockSize);
    }
  }
}

}  // namespace

// ---- the "XDBM" record --------------------------------------------------------------------------

void EncodeBitmapRuns(const std::uint8_t* Data, std::size_t Size, int BlockSize, std::vector<std::uint8_t>& Out) {
  if (BlockSize <= 0) return;
  const auto b = static_cast<std::size_t>(BlockSize);
  const std::size_t n = Size / b;
  auto block = [&](std::size_t i) { return Data + i * b; };
  auto same = [&](std::size_t i, std::size_t j) { return std::memcmp(block(i), block(j), b) == 0; };
  auto put = [&](std::size_t first, std::size_t count) { Out.insert(Out.end(), block(first), block(first + count)); };
  std::size_t i = 0;
  while (i < n) {
    std::size_t count = 1;
    if (i + 1 < n && same(i, i + 1)) {
      while (i + count < n && count < kMaxRun && same(i, i + count)) ++count;
      Out.push_back(static_cast<std::uint8_t>(count));
      put(i, 1);
    } else {
      // A block equal to its predecessor ends the literal run one block early: the two start a
      // repeat run instead.
      while (i + count < n && count < kMaxRun) {
        if (same(i + count, i + count - 1)) {
          --count;
          break;
        }
        ++count;
      }
      Out.push_back(static_cast<std::uint8_t>(0x80 | count));
      put(i, count);
    }
    i += count;
  }
}

// ---- TcxBitmap ------------------------------------------------------------------------------------

TcxBitmap::TcxBitmap() : TcxBitmap(0, 0, pf24bit) {}

TcxBitmap::TcxBitmap(int AWidth, int AHeight) : TcxBitmap(AWidth, AHeight, pf24bit) {}

TcxBitmap::TcxBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat) {
  InitializeBitmap(AWidth, AHeight, APixelFormat);
}

TcxBitmap::TcxBitmap(const TRect& R) : TcxBitmap(R.Right - R.Left, R.Bottom - R.Top, pf24bit) {}

TcxBitmap::TcxBitmap(const TRect& R, TPixelFormat APixelFormat)
    : TcxBitmap(R.Right - R.Left, R.Bottom - R.Top, APixelFormat) {}

TcxBitmap::~TcxBitmap() { delete FOwnCanvas; }

void TcxBitmap::InitializeBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat) {
  FOwnCanvas = new TcxCanvas(Canvas());
  TUpdateLock lock(this);
  SetPixelFormat(APixelFormat);
  Resize(AWidth, AHeight);
  lock.Release(true);
}

TcxBitmap::TUpdateLock::~TUpdateLock() {
  // Only reached with the lock still held when an exception unwinds: no notification then; the
  // modified mark stays for the next one.
  if (FBitmap && FBitmap->FUpdateLockCount > 0) --FBitmap->FUpdateLockCount;
}

void TcxBitmap::TUpdateLock::Release(bool ForceChanged) {
  TcxBitmap* bitmap = FBitmap;
  FBitmap = nullptr;
  bitmap->UnlockUpdates(ForceChanged);
}

void TcxBitmap::UnlockUpdates(bool ForceChanged) {
  if (FUpdateLockCount == 0) return;
  if (--FUpdateLockCount == 0 && (ForceChanged || FModified)) Changed(this);
}

void TcxBitmap::Changed(TObject* Sender) {
  if (UpdatesLocked()) {
    FModified = true;
    return;
  }
  FModified = false;
  inherited::Changed(Sender);
  CheckAfterChange();
}

void TcxBitmap::Resize(int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == Width() && AHeight == Height()) return;
  TUpdateLock lock(this);
  SetSize(AWidth, AHeight);
  lock.Release(false);
}

void TcxBitmap::ResizeToRect(const TRect& R) { Resize(R.Right - R.Left, R.Bottom - R.Top); }

void TcxBitmap::CopyFromBitmap(TBitmap* Source, DWORD Rop) {
  CopyAreaFromBitmap(Source, ImageRect(), TPoint(0, 0), Rop);
}

void TcxBitmap::CopyAreaFromBitmap(TBitmap* Source, const TRect& DestRect, const TPoint& SrcTopLeft, DWORD Rop) {
  if (!Source || Source->Empty() || Empty()) return;
  BlitRect(Canvas()->Handle(), Source->Canvas()->Handle(), DestRect, SrcTopLeft, Rop);
}

void TcxBitmap::RotateImage(TcxRotationCode Rotation, bool Flip) { FOwnCanvas->RotateBitmap(this, Rotation, Flip); }

void TcxBitmap::LoadPlainData(TStream* Stream) { inherited::ReadData(Stream); }

void TcxBitmap::LoadDataRecord(TStream* Stream) {
  const std::int64_t start = Stream->Position();
  std::uint8_t header[kHeaderSize] = {};
  // Short plain data is no reason to fail here: it is read as plain data below.
  const std::int32_t got = Stream->Read(header, kHeaderSize);
  if (got < kHeaderSize || std::memcmp(header + 4, kSignature, 4) != 0) {
    Stream->SetPosition(start);
    LoadPlainData(Stream);
    return;
  }
  std::int32_t size;
  std::uint16_t version;
  std::memcpy(&size, header, 4);
  std::memcpy(&version, header + 8, 2);
  const std::int64_t limit = std::min(Stream->Position() + std::max<std::int32_t>(size, 0), Stream->Size());

  TMemoryStream plain;
  if (version == 1) {
    DecodeRuns(Stream, limit, 1, plain);
  } else if (version == 2 && Stream->Position() < limit) {
    std::uint8_t blockAndRest[2];
    ReadBody(Stream, limit, blockAndRest, 2);
    if (blockAndRest[0] == 0) throw EInvalidGraphic(SInvalidBitmap);
    std::vector<std::uint8_t> rest(blockAndRest[1]);
    ReadBody(Stream, limit, rest.data(), static_cast<std::int64_t>(rest.size()));
    if (!rest.empty()) plain.WriteBuffer(rest.data(), static_cast<std::int32_t>(rest.size()));
    DecodeRuns(Stream, limit, blockAndRest[0], plain);
  }
  Stream->SetPosition(limit);
  plain.SetPosition(0);
  LoadPlainData(&plain);
}

void TcxBitmap::SaveDataRecord(TStream* Stream) {
  if (!FCompressData) {
    inherited::WriteData(Stream);
    return;
  }
  TMemoryStream plain;
  inherited::WriteData(&plain);
  const auto* data = static_cast<const std::uint8_t*>(plain.Memory());
  const auto size = static_cast<std::size_t>(plain.Size());
  const int blockSize = std::max(BitsOf(PixelFormat()) / 8, 1);
  const std::size_t rest = size % static_cast<std::size_t>(blockSize);

  std::vector<std::uint8_t> body;
  body.push_back(static_cast<std::uint8_t>(blockSize));
  body.push_back(static_cast<std::uint8_t>(rest));
  body.insert(body.end(), data, data + rest);
  EncodeBitmapRuns(data + rest, size - rest, blockSize, body);

  std::uint8_t header[kHeaderSize];
  const auto bodySize = static_cast<std::int32_t>(body.size());
  std::memcpy(header, &bodySize, 4);
  std::memcpy(header + 4, kSignature, 4);
  std::memcpy(header + 8, &kWrittenVersion, 2);
  Stream->WriteBuffer(header, kHeaderSize);
  Stream->WriteBuffer(body.data(), bodySize);
}

// ---- TcxBitmap32 ----------------------------------------------------------------------------------

TcxBitmap32::TcxBitmap32(int AWidth, int AHeight, bool Clear) : TcxBitmap(AWidth, AHeight, pf32bit) {
  if (Clear) ClearImage();
}

TcxBitmap32::TcxBitmap32(const TRect& R, bool Clear) : TcxBitmap32(R.Right - R.Left, R.Bottom - R.Top, Clear) {}

void TcxBitmap32::CheckAfterChange() {
  // pfDevice counts: the platform's device is 32 bits a pixel.
  if (BitsOf(PixelFormat()) != 32) throw EdxException("Wrong PixelFormat");
}

void TcxBitmap32::LoadFromStream(TStream* Stream) {
  TUpdateLock lock(this);
  inherited::LoadFromStream(Stream);
  SetPixelFormat(pf32bit);
  lock.Release(true);
}

void TcxBitmap32::LoadPlainData(TStream* Stream) {
  TUpdateLock lock(this);
  inherited::LoadPlainData(Stream);
  SetPixelFormat(pf32bit);
  lock.Release(true);
}

void TcxBitmap32::ClearImage() {
  if (Empty()) return;
  if (BitsOf(PixelFormat()) == 32) {
    // Rows lie bottom row first, one after the other, without padding at 32 bits.
    std::memset(ScanLine(Height() - 1), 0, static_cast<std::size_t>(Width()) * static_cast<std::size_t>(Height()) * 4);
  } else {
    PatBlt(Canvas()->Handle(), 0, 0, Width(), Height(), BLACKNESS);
  }
  Changed(this);
}

bool TcxBitmap32::ReadPixels(TRGBColors& Colors) {
  Colors.clear();
  if (Empty()) return false;
  return GetBitmapColors(Handle(), Colors, false);
}

void TcxBitmap32::WritePixels(const TRGBColors& Colors) {
  if (Empty()) return;
  if (StoreBitmapColors(Handle(), Colors, false)) Changed(this);
}

void TcxBitmap32::SetAllAlpha(BYTE Alpha) {
  TRGBColors colors;
  if (!ReadPixels(colors)) return;
  for (TRGBQuad& c : colors) c.rgbReserved = Alpha;
  WritePixels(colors);
}

bool TcxBitmap32::UsesAlpha() { return !Empty() && BitmapUsesAlpha(Handle()); }

void TcxBitmap32::BlendOntoBitmap(TBitmap* DestBitmap, const TRect& DestRect, bool Smooth, BYTE Alpha) {
  if (!DestBitmap || Empty()) return;
  BlendBitmapToBitmap(DestBitmap, this, DestRect, ImageRect(), Smooth, Alpha);
}

void MaskOutBitmap(TBitmap* Bitmap32, TBitmap* Mask) {
  if (!Bitmap32 || !Mask || Bitmap32->Empty() || Mask->Empty()) return;
  // The raster operation 0x220326 (destination and not source), done here so that pixels outside
  // the white part keep their alpha: the platform's raster operations leave alpha out of a
  // complement.
  TRGBColors image, mask;
  if (!GetBitmapColors(Bitmap32->Handle(), image, true) || !GetBitmapColors(Mask->Handle(), mask, true)) return;
  const int w = std::min(Bitmap32->Width(), Mask->Width()), h = std::min(Bitmap32->Height(), Mask->Height());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      TRGBQuad& d = image[static_cast<std::size_t>(y) * static_cast<std::size_t>(Bitmap32->Width()) + static_cast<std::size_t>(x)];
      const std::uint32_t s = PackPixel(mask[static_cast<std::size_t>(y) * static_cast<std::size_t>(Mask->Width()) +
                                             static_cast<std::size_t>(x)]) & 0xFFFFFF;
      const std::uint32_t rgb = PackPixel(d) & ~s & 0xFFFFFF;
      d = UnpackPixel(rgb | (s == 0xFFFFFF ? 0u : static_cast<std::uint32_t>(d.rgbReserved) << 24));
    }
  if (StoreBitmapColors(Bitmap32->Handle(), image, true)) Bitmap32->SetModified(true);
}

// ---- TcxAlphaBitmap -------------------------------------------------------------------------------

std::uint32_t ColorToPixel(TColor Colour, BYTE Alpha) { return PackPixel(ColorToRGBQuad(Colour, Alpha)); }

void AddColorToList(TcxColorList& List, TColor Colour) { List.push_back(ColorToPixel(Colour, 0) & 0xFFFFFF); }

TcxAlphaBitmap::TcxAlphaBitmap(int AWidth, int AHeight, std::uint32_t TransparentBackground)
    : TcxBitmap32(AWidth, AHeight) {
  FTransparentBkColor = TransparentBackground;
}

void TcxAlphaBitmap::ClearImage() {
  if (FTransparentBkColor >> 24)
    ApplyPixelOperation(poClear);
  else
    inherited::ClearImage();
}

void TcxAlphaBitmap::SetTransparentColor(TColor Colour) {
  FTransparentPixels.clear();
  AddColorToList(FTransparentPixels, Colour);
  FTransparentBkColor = ColorToPixel(Colour, 0);
  ApplyPixelOperation(poAlphaRecovery);
}

bool TcxAlphaBitmap::IsTransparentPixel(std::uint32_t Pixel) const {
  return Pixel == FTransparentBkColor ||
         std::find(FTransparentPixels.begin(), FTransparentPixels.end(), Pixel & 0xFFFFFF) != FTransparentPixels.end();
}

void TcxAlphaBitmap::ApplyPixelOperation(TcxPixelOperation Operation) {
  TRGBColors colors;
  if (!ReadPixels(colors)) return;
  const int w = Width(), h = Height();
  const TRGBQuad shadow = ColorToRGBQuad(clBtnShadow, 0xC0);
  const TRGBQuad hatch1 = UnpackPixel(FHatchData.Color1), hatch2 = UnpackPixel(FHatchData.Color2);
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) {
      FCurrentPixelPos = TPoint(x, y);
      TRGBQuad& p = colors[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)];
      const std::uint32_t value = PackPixel(p);
      const bool transparent = IsTransparentPixel(value);
      auto setGrey = [&](BYTE g) { p.rgbRed = p.rgbGreen = p.rgbBlue = g; };
      switch (Operation) {
        case poLighten:
          if (transparent) break;
          if (p.rgbReserved == 255) {
            for (BYTE* c : {&p.rgbRed, &p.rgbGreen, &p.rgbBlue}) *c = Channel(*c + MulDiv(255 - *c, 3, 10));
          } else {
            for (BYTE* c : {&p.rgbRed, &p.rgbGreen, &p.rgbBlue, &p.rgbReserved}) *c = Channel(MulDiv(*c, 200, 255));
          }
          break;
        case poDisabledGrey:
          if (transparent) break;
          setGrey(RoundedGrey(0.299 * p.rgbRed + 0.587 * p.rgbGreen + 0.114 * p.rgbBlue));
          BlendPixel(shadow, p, 238);
          break;
        case poGreyByAverage:
          if (!transparent) setGrey(static_cast<BYTE>((p.rgbRed + p.rgbGreen + p.rgbBlue) / 3));
          break;
        case poOpaque:
          p.rgbReserved = 255;
          break;
        case poTransparencyMask:
          p = UnpackPixel(transparent ? 0xFFFFFFFFu : 0u);
          break;
        case poFadedGrey:
          if (!transparent) setGrey(RoundedGrey(0.299 * p.rgbRed + 0.587 * p.rgbGreen + 0.114 * p.rgbBlue));
          break;
        case poWeightedGrey:
          if (!transparent) setGrey(RoundedGrey(0.0729 * p.rgbRed + 0.7146 * p.rgbGreen + 0.2125 * p.rgbBlue));
          break;
        case poAlphaRecovery:
          if (!transparent && p.rgbReserved == 0) p.rgbReserved = 255;
          break;
        case poHatch: {
          const int step = FHatchData.Step;
          if ((x / step + y / step) % 2)
            BlendPixel(hatch2, p, FHatchData.Alpha2);
          else
            BlendPixel(hatch1, p, FHatchData.Alpha1);
          break;
        }
        case poClear:
          p = UnpackPixel(FTransparentBkColor);
          break;
        case poAlphaOff:
          p.rgbReserved = 0;
          break;
      }
    }
  WritePixels(colors);
}

void TcxAlphaBitmap::ApplyHatch(const TcxHatchParams& Params) {
  FHatchData = Params;
  // Cells of no width have no pattern to draw.
  if (Params.Step == 0) return;
  ApplyPixelOperation(poHatch);
}

void TcxAlphaBitmap::DrawHatch(TColor Colour1, TColor Colour2, BYTE Step, BYTE Alpha1, BYTE Alpha2) {
  TcxHatchParams params;
  params.Color1 = ColorToPixel(Colour1, 255);
  params.Alpha1 = Alpha1;
  params.Color2 = ColorToPixel(Colour2, 255);
  params.Alpha2 = Alpha2;
  params.Step = Step;
  ApplyHatch(params);
}

void AddImageShadow(TcxAlphaBitmap* Bitmap, TcxAlphaBitmap* Mask, int Offset, TColor Colour, bool Enlarge) {
  if (!Bitmap || !Mask || Bitmap->Empty() || Mask->Empty() || Offset < 0) return;
  TRGBColors image, mask;
  if (!Bitmap->ReadPixels(image) || !Mask->ReadPixels(mask)) return;
  int w = Bitmap->Width(), h = Bitmap->Height();
  if (Enlarge && Offset > 0) {
    // The picture keeps its top-left place; the new strips right and below start empty.
    const int nw = w + Offset, nh = h + Offset;
    TRGBColors grown(static_cast<std::size_t>(nw) * static_cast<std::size_t>(nh), UnpackPixel(0));
    for (int y = 0; y < h; ++y)
      std::copy_n(&image[static_cast<std::size_t>(y) * static_cast<std::size_t>(w)], w,
                  &grown[static_cast<std::size_t>(y + Offset) * static_cast<std::size_t>(nw)]);
    Bitmap->Resize(nw, nh);
    image.swap(grown);
    w = nw;
    h = nh;
  }
  const int mw = Mask->Width(), mh = Mask->Height();
  // Rows from the top; the arrays hold the bottom row first.
  auto shapeAt = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= mw || y >= mh) return false;
    return PackPixel(mask[static_cast<std::size_t>(mh - 1 - y) * static_cast<std::size_t>(mw) +
                          static_cast<std::size_t>(x)]) != 0xFFFFFFFFu;
  };
  const std::uint32_t shadow = ColorToPixel(Colour, 255);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (shapeAt(x, y) || !shapeAt(x - Offset, y - Offset)) continue;
      TRGBQuad& p = image[static_cast<std::size_t>(h - 1 - y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)];
      p = UnpackPixel(PackPixel(p) | shadow);
    }
  Bitmap->WritePixels(image);
}

void ResetScratchBitmap(TcxAlphaBitmap* AlphaBitmap, int AWidth, int AHeight) {
  AlphaBitmap->Resize(AWidth, AHeight);
  AlphaBitmap->TransparentPixels().clear();
  AlphaBitmap->ClearImage();
}
