#include "platform/classes/Icon.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic(SInvalidIcon); }

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
int Stride(int w, int bits) { return ((w * bits + 31) / 32) * 4; }

// A section of the given depth with `table`, bottom row first, taking `rows` as its bits.
win::HBITMAP Section(int w, int h, int bits, const std::uint8_t* table, int tableCount, const std::uint8_t* rows) {
  std::vector<std::uint8_t> buf(sizeof(win::BITMAPINFOHEADER) + 256 * sizeof(win::RGBQUAD));
  auto* bi = reinterpret_cast<win::BITMAPINFO*>(buf.data());
  bi->bmiHeader = win::BITMAPINFOHEADER{};
  bi->bmiHeader.biWidth = w;
  bi->bmiHeader.biHeight = h;
  bi->bmiHeader.biBitCount = static_cast<win::WORD>(bits);
  bi->bmiHeader.biClrUsed = static_cast<win::DWORD>(tableCount);
  if (tableCount) std::memcpy(buf.data() + sizeof(win::BITMAPINFOHEADER), table, static_cast<std::size_t>(tableCount) * 4);
  void* out = nullptr;
  win::HBITMAP b = win::CreateDIBSection(nullptr, bi, win::DIB_RGB_COLORS, &out, nullptr, 0);
  if (!b) InvalidIcon();
  std::memcpy(out, rows, static_cast<std::size_t>(Stride(w, bits)) * static_cast<std::size_t>(h));
  return b;
}

// The bitmap's pixels as 32-bit values, bottom row first.
std::vector<std::uint32_t> Pixels32(win::HBITMAP bmp, int w, int h) {
  std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  win::BITMAPINFO bi{};
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biBitCount = 32;
  win::HDC dc = win::CreateCompatibleDC(nullptr);
  win::GetDIBits(dc, bmp, 0, static_cast<win::UINT>(h), px.data(), &bi, win::DIB_RGB_COLORS);
  win::DeleteDC(dc);
  return px;
}

}  // namespace

TIcon::~TIcon() { FreeIcon(); }

void TIcon::FreeIcon() {
  if (FHandle) win::DestroyIcon(FHandle);
  FHandle = nullptr;
}

void TIcon::SetWidth(int Value) {
  if (FHandle) throw EInvalidGraphicOperation(SChangeIconSize);
  FWidth = Value;
}

void TIcon::SetHeight(int Value) {
  if (FHandle) throw EInvalidGraphicOperation(SChangeIconSize);
  FHeight = Value;
}

void TIcon::SetHandle(win::HICON Value) {
  if (Value == FHandle) return;
  win::ICONINFO ii;
  int w = FWidth, h = FHeight;
  if (Value) {
    if (!win::GetIconInfo(Value, &ii)) InvalidIcon();
    win::BITMAP bm;
    win::HBITMAP sizeOf = ii.hbmColor ? ii.hbmColor : ii.hbmMask;
    if (win::GetObject(sizeOf, sizeof bm, &bm)) {
      w = bm.bmWidth;
      h = ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    }
    win::DeleteObject(ii.hbmMask);
    if (ii.hbmColor) win::DeleteObject(ii.hbmColor);
  }
  FreeIcon();
  FHandle = Value;
  FWidth = w;
  FHeight = h;
  FFile.clear();
  Changed(this);
}

win::HICON TIcon::ReleaseHandle() {
  win::HICON h = FHandle;
  FHandle = nullptr;
  FFile.clear();
  Changed(this);
  return h;
}

void TIcon::Assign(TPersistent* Source) {
  if (!Source) {
    FreeIcon();
    FFile.clear();
    Changed(this);
    return;
  }
  if (auto* i = dynamic_cast<TIcon*>(Source)) {
    if (i == this) return;
    if (!i->FHandle) {
      Assign(nullptr);
      return;
    }
    TMemoryStream m;
    i->SaveToStream(&m);
    m.SetPosition(0);
    int w = FWidth, h = FHeight;
    FWidth = i->FWidth;
    FHeight = i->FHeight;
    try {
      LoadFromStream(&m);
    } catch (...) {
      FWidth = w;
      FHeight = h;
      throw;
    }
    return;
  }
  inherited::Assign(Source);
}

void TIcon::LoadFromStream(TStream* Stream) {
  std::int64_t size = Stream->Size() - Stream->Position();
  if (size < 6 || size > std::numeric_limits<std::int32_t>::max()) InvalidIcon();
  std::vector<std::uint8_t> file(static_cast<std::size_t>(size));
  Stream->ReadBuffer(file.data(), static_cast<std::int32_t>(size));
  const std::uint8_t* d = file.data();
  if (U16(d) != 0 || U16(d + 2) != 1) InvalidIcon();
  std::size_t count = U16(d + 4);
  if (count == 0 || (file.size() - 6) / 16 < count) InvalidIcon();

  // The entry nearest the chosen size, the deepest of equals.
  std::size_t best = 0;
  long bestScore = std::numeric_limits<long>::max();
  for (std::size_t k = 0; k < count; ++k) {
    const std::uint8_t* e = d + 6 + k * 16;
    int w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256, bits = U16(e + 6);
    long score = (std::labs(w - FWidth) + std::labs(h - FHeight)) * 64 - bits;
    if (score < bestScore) {
      bestScore = score;
      best = k;
    }
  }
  const std::uint8_t* e = d + 6 + best * 16;
  std::size_t bytes = U32(e + 8), offset = U32(e + 12);
  if (offset > file.size() || bytes > file.size() - offset || bytes < 40) InvalidIcon();
  const std::uint8_t* img = d + offset;
  if (img[0] == 0x89 && img[1] == 'P') InvalidIcon();
  std::uint32_t headerSize = U32(img);
  if (headerSize < 40 || headerSize > bytes) InvalidIcon();
  auto w = static_cast<std::int32_t>(U32(img + 4));
  auto h2 = static_cast<std::int32_t>(U32(img + 8));
  int bits = U16(img + 14);
  std::uint32_t compression = U32(img + 16), used = U32(img + 32);
  if (w <= 0 || w > 1024 || h2 <= 0 || h2 > 2048 || h2 % 2 || compression != win::BI_RGB) InvalidIcon();
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) InvalidIcon();
  int h = h2 / 2;
  std::size_t tableCount = bits <= 8 ? (used && used < (1u << bits) ? used : 1u << bits) : 0;
  std::size_t colorAt = headerSize + tableCount * 4;
  std::size_t colorBytes = static_cast<std::size_t>(Stride(w, bits)) * static_cast<std::size_t>(h);
  std::size_t maskBytes = static_cast<std::size_t>(Stride(w, 1)) * static_cast<std::size_t>(h);
  if (colorAt > bytes || bytes - colorAt < colorBytes + maskBytes) InvalidIcon();

  static const std::uint8_t mono[8] = {0, 0, 0, 0, 255, 255, 255, 0};
  win::HBITMAP color = Section(w, h, bits, img + headerSize, static_cast<int>(tableCount), img + colorAt);
  win::HBITMAP mask = nullptr;
  try {
    mask = Section(w, h, 1, mono, 2, img + colorAt + colorBytes);
  } catch (...) {
    win::DeleteObject(color);
    throw;
  }
  win::ICONINFO ii;
  ii.hbmColor = color;
  ii.hbmMask = mask;
  win::HICON icon = win::CreateIconIndirect(&ii);
  win::DeleteObject(color);
  win::DeleteObject(mask);
  if (!icon) InvalidIcon();
  FreeIcon();
  FHandle = icon;
  FWidth = w;
  FHeight = h;
  FFile.swap(file);
  Changed(this);
}

void TIcon::SaveToStream(TStream* Stream) {
  if (!FHandle) return;
  if (!FFile.empty()) {
    Stream->WriteBuffer(FFile.data(), static_cast<std::int32_t>(FFile.size()));
    return;
  }
  // An icon made elsewhere is written as one 32-bit image with its mask.
  win::ICONINFO ii;
  if (!win::GetIconInfo(FHandle, &ii)) InvalidIcon();
  int w = FWidth, h = FHeight;
  std::vector<std::uint32_t> color = ii.hbmColor ? Pixels32(ii.hbmColor, w, h) : std::vector<std::uint32_t>();
  std::vector<std::uint32_t> mask = Pixels32(ii.hbmMask, w, h);
  win::DeleteObject(ii.hbmMask);
  if (ii.hbmColor) win::DeleteObject(ii.hbmColor);
  if (color.empty()) color.assign(mask.size(), 0);
  int maskStride = Stride(w, 1);
  std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(maskStride) * static_cast<std::size_t>(h), 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (mask[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] & 0xFFFFFF)
        maskBits[static_cast<std::size_t>(y * maskStride + x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
  auto imageBytes = static_cast<std::uint32_t>(40 + color.size() * 4 + maskBits.size());
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, 1);
  out.push_back(static_cast<std::uint8_t>(w >= 256 ? 0 : w));
  out.push_back(static_cast<std::uint8_t>(h >= 256 ? 0 : h));
  out.push_back(0);
  out.push_back(0);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, imageBytes);
  Put32(out, 22);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(w));
  Put32(out, static_cast<std::uint32_t>(h * 2));
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (std::uint32_t p : color) Put32(out, p);
  out.insert(out.end(), maskBits.begin(), maskBits.end());
  Stream->WriteBuffer(out.data(), static_cast<std::int32_t>(out.size()));
}

void TIcon::Draw(TCanvas* ACanvas, const win::RECT& Rect) {
  if (!FHandle) return;
  win::DrawIconEx(DrawHandle(ACanvas), Rect.left, Rect.top, FHandle, Rect.right - Rect.left, Rect.bottom - Rect.top, 0,
                  nullptr, win::DI_NORMAL);
}
