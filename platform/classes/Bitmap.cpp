#include "platform/classes/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/win/Clipboard.h"

// The bitmap's own canvas: a memory context with the bitmap selected, made when first drawn on
// and given up whenever the bitmap must be replaced.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* ABitmap) : FBitmap(ABitmap) {}
  ~TBitmapCanvas() override { FreeContext(); }

  void FreeContext() {
    if (!FDC) return;
    SetHandle(nullptr);
    // Deselecting writes what was drawn into the section's bits.
    if (FOld) win::SelectObject(FDC, FOld);
    win::DeleteDC(FDC);
    FDC = nullptr;
    FOld = nullptr;
  }
  win::HDC Context() const { return FDC; }

 protected:
  void CreateHandle() override {
    FBitmap->HandleNeeded();
    FDC = win::CreateCompatibleDC(nullptr);
    if (!FDC) throw EOutOfResources(SOutOfResources);
    if (FBitmap->FHandle) FOld = win::SelectObject(FDC, FBitmap->FHandle);
    SetHandle(FDC);
  }

 private:
  TBitmap* FBitmap;
  win::HDC FDC = nullptr;
  win::HGDIOBJ FOld = nullptr;
};

namespace {

constexpr std::uint8_t kStandard16[16][3] = {
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
    {0, 128, 128},   {128, 128, 128}, {192, 192, 192}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

win::RGBQUAD Quad(int r, int g, int b) {
  win::RGBQUAD q;
  q.rgbRed = static_cast<win::BYTE>(r);
  q.rgbGreen = static_cast<win::BYTE>(g);
  q.rgbBlue = static_cast<win::BYTE>(b);
  return q;
}

int DibStride(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
void Put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
}
void Put16(std::vector<std::uint8_t>& v, std::uint16_t x) {
  v.push_back(static_cast<std::uint8_t>(x));
  v.push_back(static_cast<std::uint8_t>(x >> 8));
}

// A BITMAPINFO with room for a full colour table.
struct InfoBuffer {
  explicit InfoBuffer(int width, int height, int bits, const std::vector<win::RGBQUAD>& table)
      : bytes(sizeof(win::BITMAPINFOHEADER) + 256 * sizeof(win::RGBQUAD)) {
    win::BITMAPINFOHEADER h;
    h.biWidth = width;
    h.biHeight = height;
    h.biBitCount = static_cast<win::WORD>(bits);
    h.biClrUsed = static_cast<win::DWORD>(table.size());
    std::memcpy(bytes.data(), &h, sizeof h);
    if (!table.empty())
      std::memcpy(bytes.data() + sizeof h, table.data(), std::min<std::size_t>(table.size(), 256) * sizeof(win::RGBQUAD));
  }
  const win::BITMAPINFO* Info() const { return reinterpret_cast<const win::BITMAPINFO*>(bytes.data()); }
  std::vector<std::uint8_t> bytes;
};

// The bits of one component under a mask, scaled to 8 bits.
std::uint8_t Component(std::uint32_t pixel, std::uint32_t mask) {
  if (!mask) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  std::uint32_t max = mask >> shift;
  return static_cast<std::uint8_t>(((pixel & mask) >> shift) * 255 / max);
}

// A memory context holding a bitmap for the length of one copy.
struct SelectedBitmap {
  explicit SelectedBitmap(win::HBITMAP bmp) : dc(win::CreateCompatibleDC(nullptr)), old(win::SelectObject(dc, bmp)) {}
  ~SelectedBitmap() {
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
  }
  SelectedBitmap(const SelectedBitmap&) = delete;
  SelectedBitmap& operator=(const SelectedBitmap&) = delete;
  win::HDC dc;
  win::HGDIOBJ old;
};

[[noreturn]] void InvalidBitmap() { throw EInvalidGraphic(SInvalidBitmap); }

}  // namespace

std::vector<win::RGBQUAD> DefaultColorTable(int Bits) {
  std::vector<win::RGBQUAD> t;
  if (Bits == 1) return {Quad(0, 0, 0), Quad(255, 255, 255)};
  if (Bits != 4 && Bits != 8) return t;
  for (const auto& c : kStandard16) t.push_back(Quad(c[0], c[1], c[2]));
  if (Bits == 8) {
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) t.push_back(Quad(r * 51, g * 51, b * 51));
    for (int i = 1; i <= 24; ++i) t.push_back(Quad(i * 255 / 25, i * 255 / 25, i * 255 / 25));
  }
  return t;
}

int TBitmap::BitsOf(TPixelFormat Format) {
  switch (Format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    default: return 32;
  }
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  FreeHandles();
  delete FCanvas;
}

void TBitmap::FreeContext() {
  if (FCanvas) FCanvas->FreeContext();
}

void TBitmap::FreeHandles() {
  FreeContext();
  if (FHandle) win::DeleteObject(FHandle);
  if (FMask) win::DeleteObject(FMask);
  FHandle = nullptr;
  FMask = nullptr;
  FBits = nullptr;
}

void TBitmap::Changed(TObject* Sender) {
  if (FMask) {
    win::DeleteObject(FMask);
    FMask = nullptr;
  }
  inherited::Changed(Sender);
}

void TBitmap::HandleNeeded() {
  if (FHandle || FDormant.empty()) return;
  std::vector<std::uint8_t> data;
  data.swap(FDormant);
  TPixelFormat format = FPixelFormat;
  ReadBmp(data.data(), data.size());
  FPixelFormat = format;
}

int TBitmap::Stride() const { return DibStride(FWidth, BitsOf(FPixelFormat)); }

win::HBITMAP TBitmap::NewSection(int AWidth, int AHeight, TPixelFormat Format, void** Bits) {
  *Bits = nullptr;
  if (AWidth <= 0 || AHeight <= 0) return nullptr;
  int bits = BitsOf(Format);
  InfoBuffer info(AWidth, AHeight, bits, DefaultColorTable(bits));
  win::HBITMAP h = win::CreateDIBSection(nullptr, info.Info(), win::DIB_RGB_COLORS, Bits, nullptr, 0);
  if (!h) throw EOutOfResources(SOutOfResources);
  {
    SelectedBitmap s(h);
    win::PatBlt(s.dc, 0, 0, AWidth, AHeight, win::WHITENESS);
  }
  return h;
}

void TBitmap::ReplaceWith(win::HBITMAP Section, void* Bits, int AWidth, int AHeight, TPixelFormat Format,
                          bool CopyOld, std::vector<win::RGBQUAD> Table) {
  FreeContext();
  if (CopyOld && FHandle && Section) {
    SelectedBitmap from(FHandle);
    SelectedBitmap to(Section);
    win::BitBlt(to.dc, 0, 0, std::min(AWidth, FWidth), std::min(AHeight, FHeight), from.dc, 0, 0, win::SRCCOPY);
  }
  FreeHandles();
  FDormant.clear();
  FHandle = Section;
  FBits = Bits;
  FWidth = Section ? AWidth : 0;
  FHeight = Section ? AHeight : 0;
  FPixelFormat = Format;
  FColorTable = Section ? std::move(Table) : std::vector<win::RGBQUAD>();
}

void TBitmap::SetSize(int AWidth, int AHeight) {
  if (AWidth < 0 || AHeight < 0) throw EInvalidGraphic(SInvalidImageSize);
  if (AWidth == FWidth && AHeight == FHeight) return;
  HandleNeeded();
  void* bits;
  win::HBITMAP h = NewSection(AWidth, AHeight, FPixelFormat, &bits);
  ReplaceWith(h, bits, AWidth, AHeight, FPixelFormat, true, DefaultColorTable(BitsOf(FPixelFormat)));
  // An empty picture still remembers the size it was given along one side.
  if (!h) {
    FWidth = AWidth;
    FHeight = AHeight;
  }
  Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == FPixelFormat) return;
  HandleNeeded();
  if (!FHandle) {
    FPixelFormat = Value;
  } else if (BitsOf(Value) == BitsOf(FPixelFormat)) {
    FPixelFormat = Value;
  } else {
    void* bits;
    win::HBITMAP h = NewSection(FWidth, FHeight, Value, &bits);
    ReplaceWith(h, bits, FWidth, FHeight, Value, true, DefaultColorTable(BitsOf(Value)));
  }
  Changed(this);
}

void TBitmap::SetMonochrome(bool Value) {
  if (Value == Monochrome()) return;
  SetPixelFormat(Value ? pf1bit : pfDevice);
}

void TBitmap::SetHandleType(TBitmapHandleType Value) {
  // Every bitmap here is a section over device-independent bits; the type is only remembered.
  if (Value == FHandleType) return;
  FHandleType = Value;
  Changed(this);
}

TColor TBitmap::TransparentColor() {
  if (FTransparentColor != clDefault) return FTransparentColor;
  if (Empty()) return clDefault;
  if (Monochrome()) return clWhite;
  return Canvas()->Pixels(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor Value) {
  if (Value == FTransparentColor) return;
  FTransparentColor = Value;
  FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  if (Value == tmAuto)
    SetTransparentColor(clDefault);
  else
    SetTransparentColor(TransparentColor());
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) {
    FCanvas = new TBitmapCanvas(this);
    FCanvas->OnChange = [this](TObject*) { Changed(this); };
  }
  return FCanvas;
}

win::HBITMAP TBitmap::Handle() {
  HandleNeeded();
  if (FCanvas && FCanvas->Context()) win::GdiFlush();
  return FHandle;
}

void TBitmap::SetHandle(win::HBITMAP Value) {
  if (Value == FHandle) return;
  if (!Value) {
    ReplaceWith(nullptr, nullptr, 0, 0, FPixelFormat, false);
    Changed(this);
    return;
  }
  win::DIBSECTION ds;
  int got = win::GetObject(Value, sizeof ds, &ds);
  if (got == 0 || ds.dsBm.bmWidth <= 0 || ds.dsBm.bmHeight <= 0) throw EInvalidGraphic(SInvalidBitmap);
  TPixelFormat format;
  switch (ds.dsBm.bmBitsPixel) {
    case 1: format = pf1bit; break;
    case 4: format = pf4bit; break;
    case 8: format = pf8bit; break;
    case 16: format = pf15bit; break;
    case 24: format = pf24bit; break;
    default: format = got == static_cast<int>(sizeof ds) ? pf32bit : pfDevice;
  }
  // Our own section of the same depth, so the colour table and the bits are known; the handle we
  // were given is ours to delete.
  void* bits;
  win::HBITMAP h = NewSection(ds.dsBm.bmWidth, ds.dsBm.bmHeight, format, &bits);
  FreeHandles();
  FHandle = Value;
  FWidth = ds.dsBm.bmWidth;
  FHeight = ds.dsBm.bmHeight;
  ReplaceWith(h, bits, FWidth, FHeight, format, true, DefaultColorTable(BitsOf(format)));
  Changed(this);
}

win::HBITMAP TBitmap::ReleaseHandle() {
  HandleNeeded();
  FreeContext();
  win::HBITMAP h = FHandle;
  FHandle = nullptr;
  FBits = nullptr;
  FreeHandles();
  FWidth = FHeight = 0;
  Changed(this);
  return h;
}

win::HBITMAP TBitmap::MaskHandle() {
  if (FMask || Empty()) return FMask;
  win::HBITMAP src = Handle();
  // Compare in 32-bit copies of the pixels, whatever the picture's depth.
  InfoBuffer info32(FWidth, -FHeight, 32, {});
  std::vector<std::uint32_t> px(static_cast<std::size_t>(FWidth) * static_cast<std::size_t>(FHeight));
  {
    SelectedBitmap from(src);
    win::GetDIBits(from.dc, src, 0, static_cast<win::UINT>(FHeight), px.data(),
                   const_cast<win::BITMAPINFO*>(info32.Info()), win::DIB_RGB_COLORS);
  }
  win::COLORREF key = ColorToRGB(TransparentColor());
  std::uint32_t want = ((key & 0xFF) << 16) | (key & 0xFF00) | ((key >> 16) & 0xFF);
  InfoBuffer info1(FWidth, -FHeight, 1, DefaultColorTable(1));
  void* bits = nullptr;
  FMask = win::CreateDIBSection(nullptr, info1.Info(), win::DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!FMask) throw EOutOfResources(SOutOfResources);
  int stride = DibStride(FWidth, 1);
  auto* rows = static_cast<std::uint8_t*>(bits);
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x)
      if ((px[static_cast<std::size_t>(y) * static_cast<std::size_t>(FWidth) + static_cast<std::size_t>(x)] & 0xFFFFFF) == want)
        rows[y * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
  return FMask;
}

void TBitmap::Dormant() {
  if (!FHandle) return;
  TMemoryStream m;
  SaveToStream(&m);
  std::vector<std::uint8_t> data(static_cast<const std::uint8_t*>(m.Memory()),
                                 static_cast<const std::uint8_t*>(m.Memory()) + m.Size());
  int w = FWidth, h = FHeight;
  FreeHandles();
  FWidth = w;
  FHeight = h;
  FDormant.swap(data);
}

void* TBitmap::ScanLine(int Row) {
  HandleNeeded();
  if (!FHandle || Row < 0 || Row >= FHeight) throw EInvalidGraphic(SScanLine);
  // What the canvas drew must be in the bits before the caller reads them.
  if (FCanvas && FCanvas->Context()) win::GdiFlush();
  return static_cast<std::uint8_t*>(FBits) + static_cast<std::ptrdiff_t>(FHeight - 1 - Row) * Stride();
}

void TBitmap::Assign(TPersistent* Source) {
  if (!Source) {
    ReplaceWith(nullptr, nullptr, 0, 0, FPixelFormat, false);
    Changed(this);
    return;
  }
  if (auto* b = dynamic_cast<TBitmap*>(Source)) {
    if (b == this) return;
    TMemoryStream m;
    b->SaveToStream(&m);
    if (m.Size() > 0) {
      ReadBmp(static_cast<const std::uint8_t*>(m.Memory()), static_cast<std::size_t>(m.Size()));
    } else {
      ReplaceWith(nullptr, nullptr, 0, 0, b->FPixelFormat, false);
      FWidth = b->FWidth;
      FHeight = b->FHeight;
    }
    FPixelFormat = b->FPixelFormat;
    FHandleType = b->FHandleType;
    FTransparent = b->FTransparent;
    FTransparentColor = b->FTransparentColor;
    FTransparentMode = b->FTransparentMode;
    Changed(this);
    return;
  }
  inherited::Assign(Source);
}

void TBitmap::Draw(TCanvas* ACanvas, const win::RECT& Rect) {
  if (Empty()) return;
  HandleNeeded();
  win::HDC dest = DrawHandle(ACanvas);
  Canvas()->RequiredState({csHandleValid});
  win::HDC src = FCanvas->Context();
  int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (Transparent()) {
    win::TransparentBlt(dest, Rect.left, Rect.top, w, h, src, 0, 0, FWidth, FHeight, ColorToRGB(TransparentColor()));
  } else {
    win::StretchBlt(dest, Rect.left, Rect.top, w, h, src, 0, 0, FWidth, FHeight,
                    static_cast<win::DWORD>(ACanvas->CopyMode()));
  }
}

// ---- BMP files --------------------------------------------------------------------------------------

void TBitmap::ReadBmp(const std::uint8_t* Data, std::size_t Size) {
  std::size_t pos = 0;
  std::size_t pixelOffset = 0;
  if (Size >= 2 && Data[0] == 'B' && Data[1] == 'M') {
    if (Size < 14) InvalidBitmap();
    pixelOffset = U32(Data + 10);
    pos = 14;
  }
  if (Size - pos < 4) InvalidBitmap();
  const std::uint8_t* hd = Data + pos;
  std::uint32_t headerSize = U32(hd);
  if (headerSize > Size - pos) InvalidBitmap();
  std::int64_t width, height;
  int bits;
  std::uint32_t compression = win::BI_RGB, colorsUsed = 0;
  std::size_t entrySize = 4;
  std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
  std::size_t tablePos;
  if (headerSize == 12) {
    width = U16(hd + 4);
    height = static_cast<std::int16_t>(U16(hd + 6));
    bits = U16(hd + 10);
    entrySize = 3;
    tablePos = pos + 12;
  } else if (headerSize >= 40) {
    width = static_cast<std::int32_t>(U32(hd + 4));
    height = static_cast<std::int32_t>(U32(hd + 8));
    bits = U16(hd + 14);
    compression = U32(hd + 16);
    colorsUsed = U32(hd + 32);
    tablePos = pos + headerSize;
    if (compression == win::BI_BITFIELDS) {
      const std::uint8_t* m = hd + 40;
      // The three masks follow a short header or lie inside a long one.
      if (headerSize != 40 && headerSize < 52) InvalidBitmap();
      if (headerSize == 40) {
        if (Size - tablePos < 12) InvalidBitmap();
        tablePos += 12;
      }
      masks[0] = U32(m);
      masks[1] = U32(m + 4);
      masks[2] = U32(m + 8);
    } else if (compression != win::BI_RGB) {
      // Run-length and embedded JPEG/PNG bitmaps are not read.
      InvalidBitmap();
    }
  } else {
    InvalidBitmap();
  }
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) InvalidBitmap();
  if (compression == win::BI_BITFIELDS && bits != 16 && bits != 32) InvalidBitmap();
  bool topDown = height < 0;
  if (topDown) height = -height;
  if (width < 0 || width > (1 << 16) || height > (1 << 16)) InvalidBitmap();
  if (width == 0 || height == 0) {
    ReplaceWith(nullptr, nullptr, 0, 0, FPixelFormat, false);
    return;
  }

  std::vector<win::RGBQUAD> table;
  if (bits <= 8) {
    std::size_t n = colorsUsed ? std::min<std::uint32_t>(colorsUsed, 1u << bits) : 1u << bits;
    if (tablePos > Size || (Size - tablePos) / entrySize < n) InvalidBitmap();
    for (std::size_t i = 0; i < n; ++i) {
      const std::uint8_t* e = Data + tablePos + i * entrySize;
      table.push_back(Quad(e[2], e[1], e[0]));
    }
  }
  std::size_t tableEnd = tablePos + table.size() * entrySize;
  if (bits > 8 && colorsUsed && headerSize >= 40) tableEnd += std::min<std::size_t>(colorsUsed, 256) * 4;
  // The file header's offset wins where it is plausible: some writers leave gaps.
  std::size_t start = (pixelOffset >= tableEnd && pixelOffset < Size) ? pixelOffset : tableEnd;
  auto stride = static_cast<std::size_t>(DibStride(static_cast<int>(width), bits));
  auto rows = static_cast<std::size_t>(height);
  if (start > Size || (Size - start) / stride < rows) InvalidBitmap();
  const std::uint8_t* src = Data + start;

  TPixelFormat format;
  int outBits = bits;
  bool decodeMasks = false;
  switch (bits) {
    case 1: format = pf1bit; break;
    case 4: format = pf4bit; break;
    case 8: format = pf8bit; break;
    case 16:
      format = pf15bit;
      decodeMasks = compression == win::BI_BITFIELDS &&
                    !(masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F);
      break;
    case 24: format = pf24bit; break;
    default:
      format = pf32bit;
      decodeMasks = compression == win::BI_BITFIELDS &&
                    !(masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF);
  }
  if (decodeMasks) {
    format = pf32bit;
    outBits = 32;
  }
  // 1-bit sections draw in black and white only; two other colours need a byte a pixel to survive.
  bool expandMono = false;
  if (bits == 1) {
    auto bw = [](const win::RGBQUAD& q) {
      return (q.rgbRed == 0 || q.rgbRed == 255) && q.rgbRed == q.rgbGreen && q.rgbGreen == q.rgbBlue;
    };
    expandMono = !std::all_of(table.begin(), table.end(), bw);
    if (expandMono) {
      format = pf8bit;
      outBits = 8;
    }
  }
  if (table.empty() && bits <= 8) InvalidBitmap();

  auto w = static_cast<int>(width), h = static_cast<int>(height);
  InfoBuffer info(w, h, outBits, table);
  void* out = nullptr;
  win::HBITMAP section = win::CreateDIBSection(nullptr, info.Info(), win::DIB_RGB_COLORS, &out, nullptr, 0);
  if (!section) throw EOutOfResources(SOutOfResources);
  auto outStride = static_cast<std::size_t>(DibStride(w, outBits));
  for (std::size_t r = 0; r < rows; ++r) {
    // Our sections are stored bottom row first.
    const std::uint8_t* in = src + (topDown ? rows - 1 - r : r) * stride;
    auto* o = static_cast<std::uint8_t*>(out) + r * outStride;
    if (expandMono) {
      for (int x = 0; x < w; ++x) o[x] = (in[x / 8] >> (7 - x % 8)) & 1;
      continue;
    }
    if (!decodeMasks) {
      std::memcpy(o, in, std::min(stride, outStride));
      continue;
    }
    for (int x = 0; x < w; ++x) {
      std::uint32_t p = bits == 16 ? U16(in + x * 2) : U32(in + x * 4);
      o[x * 4 + 0] = Component(p, masks[2]);
      o[x * 4 + 1] = Component(p, masks[1]);
      o[x * 4 + 2] = Component(p, masks[0]);
      o[x * 4 + 3] = 0;
    }
  }
  ReplaceWith(section, out, w, h, format, false, table);
}

void TBitmap::LoadFromStream(TStream* Stream) {
  std::int64_t size = Stream->Size() - Stream->Position();
  if (size < 0 || size > std::numeric_limits<std::int32_t>::max()) InvalidBitmap();
  std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
  if (size) Stream->ReadBuffer(data.data(), static_cast<std::int32_t>(size));
  ReadBmp(data.data(), data.size());
  Changed(this);
}

void TBitmap::SaveToStream(TStream* Stream) {
  if (Empty()) return;
  HandleNeeded();
  Handle();  // flushes the canvas's drawing into the bits
  int bits = BitsOf(FPixelFormat);
  const std::vector<win::RGBQUAD>& table = FColorTable;
  auto imageSize = static_cast<std::uint32_t>(Stride()) * static_cast<std::uint32_t>(FHeight);
  std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(table.size()) * 4;
  std::vector<std::uint8_t> head;
  head.push_back('B');
  head.push_back('M');
  Put32(head, offset + imageSize);
  Put32(head, 0);
  Put32(head, offset);
  Put32(head, 40);
  Put32(head, static_cast<std::uint32_t>(FWidth));
  Put32(head, static_cast<std::uint32_t>(FHeight));
  Put16(head, 1);
  Put16(head, static_cast<std::uint16_t>(bits));
  Put32(head, win::BI_RGB);
  Put32(head, imageSize);
  Put32(head, 0);
  Put32(head, 0);
  Put32(head, static_cast<std::uint32_t>(table.size()));
  Put32(head, 0);
  for (const auto& q : table) {
    head.push_back(q.rgbBlue);
    head.push_back(q.rgbGreen);
    head.push_back(q.rgbRed);
    head.push_back(0);
  }
  Stream->WriteBuffer(head.data(), static_cast<std::int32_t>(head.size()));
  Stream->WriteBuffer(FBits, static_cast<std::int32_t>(imageSize));
}

void TBitmap::LoadFromClipboardFormat(win::WORD AFormat, win::HANDLE AData, win::HPALETTE) {
  if (AFormat != win::CF_DIB || !AData) throw EInvalidGraphic(SUnknownClipboardFormat);
  std::size_t size = win::GlobalSize(AData);
  auto* p = static_cast<const std::uint8_t*>(win::GlobalLock(AData));
  if (!p) InvalidBitmap();
  // Read from a copy, so that the lock is given back whatever the data hold.
  std::vector<std::uint8_t> data(p, p + size);
  win::GlobalUnlock(AData);
  ReadBmp(data.data(), data.size());
  Changed(this);
}

void TBitmap::SaveToClipboardFormat(win::WORD& AFormat, win::HANDLE& AData, win::HPALETTE& APalette) {
  AFormat = win::CF_DIB;
  AData = nullptr;
  APalette = nullptr;
  TMemoryStream m;
  SaveToStream(&m);
  if (m.Size() <= 14) return;  // an empty bitmap has nothing to give
  auto size = static_cast<std::size_t>(m.Size()) - 14;
  win::HGLOBAL h = win::GlobalAlloc(win::GMEM_MOVEABLE, size);
  if (void* p = h ? win::GlobalLock(h) : nullptr) {
    std::memcpy(p, static_cast<const std::uint8_t*>(m.Memory()) + 14, size);
    win::GlobalUnlock(h);
  }
  AData = h;
}

void TBitmap::ReadData(TStream* Stream) {
  std::int32_t size = 0;
  Stream->ReadBuffer(&size, 4);
  if (size < 0 || size > Stream->Size() - Stream->Position()) InvalidBitmap();
  std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
  if (size) Stream->ReadBuffer(data.data(), size);
  // An empty picture is stored as a length of 0 and nothing after it.
  if (size == 0)
    ReplaceWith(nullptr, nullptr, 0, 0, FPixelFormat, false);
  else
    ReadBmp(data.data(), data.size());
  Changed(this);
}

void TBitmap::WriteData(TStream* Stream) {
  TMemoryStream m;
  SaveToStream(&m);
  auto size = static_cast<std::int32_t>(m.Size());
  Stream->WriteBuffer(&size, 4);
  if (size) Stream->WriteBuffer(m.Memory(), size);
}

void TBitmap::LoadFromResourceName(win::HINSTANCE Instance, const String& ResName) {
  TResourceStream s(Instance, ResName, win::RT_BITMAP);
  LoadFromStream(&s);
}

void TBitmap::LoadFromResourceID(win::HINSTANCE Instance, unsigned ResID) {
  TResourceStream s(Instance, ResID, win::RT_BITMAP);
  LoadFromStream(&s);
}
