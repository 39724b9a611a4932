// Bitmaps: device-dependent and DIB sections, and the conversions to and from DIB formats.
#include <algorithm>
#include <cstring>

#include "platform/gdi/Internal.h"

namespace platform::gdi {

namespace {

// Refuses sizes whose pixel count would not fit comfortably in memory.
constexpr long long kMaxPixels = 1ll << 28;

std::unique_ptr<BitmapObj> NewBitmap(int w, int h, bool mono) {
  if (w <= 0 || h <= 0 || static_cast<long long>(w) * h > kMaxPixels) return nullptr;
  auto bm = std::make_unique<BitmapObj>();
  bm->width = w;
  bm->height = h;
  bm->mono = mono;
  bm->bitsPixel = mono ? 1 : 32;
  bm->storage.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
  return bm;
}

win::HBITMAP AddBitmap(std::unique_ptr<BitmapObj> bm) {
  if (!bm) {
    win::SetLastError(win::ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return MakeHandle<win::HBITMAP>(Bitmaps().Add(std::move(bm)));
}

int DibStride(int width, int bpp) { return ((width * bpp + 31) / 32) * 4; }

std::uint32_t FromQuad(const win::RGBQUAD& q) {
  return (static_cast<std::uint32_t>(q.rgbRed) << 16) | (static_cast<std::uint32_t>(q.rgbGreen) << 8) | q.rgbBlue;
}

// Reads one DIB row into 0x00RRGGBB pixels (32-bit rows keep their top byte).
void DecodeRow(const std::uint8_t* row, int bpp, int width, const win::RGBQUAD* colors, int ncolors,
               std::uint32_t* out) {
  auto lookup = [&](unsigned i) { return static_cast<int>(i) < ncolors ? FromQuad(colors[i]) : 0u; };
  for (int x = 0; x < width; ++x) {
    switch (bpp) {
      case 1: out[x] = lookup((row[x >> 3] >> (7 - (x & 7))) & 1); break;
      case 4: out[x] = lookup((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF); break;
      case 8: out[x] = lookup(row[x]); break;
      case 16: {
        unsigned v = row[2 * x] | (row[2 * x + 1] << 8);  // 5-5-5
        unsigned r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
        out[x] = ((r << 3 | r >> 2) << 16) | ((g << 3 | g >> 2) << 8) | (b << 3 | b >> 2);
        break;
      }
      case 24: out[x] = (static_cast<std::uint32_t>(row[3 * x + 2]) << 16) | (row[3 * x + 1] << 8) | row[3 * x]; break;
      case 32: std::memcpy(&out[x], row + 4 * x, 4); break;
      default: out[x] = 0;
    }
  }
}

// The colour table GetDIBits writes for palette formats.
std::vector<std::uint32_t> PaletteFor(int bpp) {
  std::vector<std::uint32_t> pal;
  if (bpp == 1) return {0x000000, 0xFFFFFF};
  if (bpp == 4) {
    static const std::uint32_t vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                          0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                          0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    return std::vector<std::uint32_t>(vga, vga + 16);
  }
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        pal.push_back(static_cast<std::uint32_t>((r * 51) << 16 | (g * 51) << 8 | (b * 51)));
  for (int i = 0; pal.size() < 256; ++i) {
    std::uint32_t v = static_cast<std::uint32_t>(8 + i * 6);
    pal.push_back(v << 16 | v << 8 | v);
  }
  return pal;
}

unsigned Nearest(const std::vector<std::uint32_t>& pal, std::uint32_t c) {
  unsigned best = 0;
  long bestD = -1;
  for (unsigned i = 0; i < pal.size(); ++i) {
    long dr = static_cast<long>((pal[i] >> 16) & 0xFF) - static_cast<long>((c >> 16) & 0xFF);
    long dg = static_cast<long>((pal[i] >> 8) & 0xFF) - static_cast<long>((c >> 8) & 0xFF);
    long db = static_cast<long>(pal[i] & 0xFF) - static_cast<long>(c & 0xFF);
    long d = dr * dr + dg * dg + db * db;
    if (bestD < 0 || d < bestD) {
      bestD = d;
      best = i;
    }
  }
  return best;
}

void EncodeRow(const std::uint32_t* in, int bpp, int width, const std::vector<std::uint32_t>& pal, std::uint8_t* row) {
  std::memset(row, 0, static_cast<size_t>(DibStride(width, bpp)));
  for (int x = 0; x < width; ++x) {
    std::uint32_t c = in[x];
    switch (bpp) {
      case 1:
        if (Nearest(pal, c)) row[x >> 3] = static_cast<std::uint8_t>(row[x >> 3] | (0x80 >> (x & 7)));
        break;
      case 4: row[x >> 1] = static_cast<std::uint8_t>(row[x >> 1] | (Nearest(pal, c) << ((x & 1) ? 0 : 4))); break;
      case 8: row[x] = static_cast<std::uint8_t>(Nearest(pal, c)); break;
      case 16: {
        unsigned v = (((c >> 19) & 31) << 10) | (((c >> 11) & 31) << 5) | ((c >> 3) & 31);
        row[2 * x] = static_cast<std::uint8_t>(v);
        row[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
        break;
      }
      case 24:
        row[3 * x] = static_cast<std::uint8_t>(c);
        row[3 * x + 1] = static_cast<std::uint8_t>(c >> 8);
        row[3 * x + 2] = static_cast<std::uint8_t>(c >> 16);
        break;
      case 32: std::memcpy(row + 4 * x, &c, 4); break;
      default: break;
    }
  }
}

bool SupportedDib(const win::BITMAPINFOHEADER& h) {
  if (h.biCompression != win::BI_RGB && !(h.biCompression == win::BI_BITFIELDS && h.biBitCount == 32)) return false;
  switch (h.biBitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32:
      // Sizes past any real picture are refused before rows are allocated for them.
      return h.biWidth > 0 && h.biWidth <= (1 << 24) && h.biHeight != 0 && h.biHeight >= -(1 << 24) &&
             h.biHeight <= (1 << 24);
    default: return false;
  }
}

int ColorCount(const win::BITMAPINFOHEADER& h) {
  if (h.biBitCount > 8) return 0;
  return h.biClrUsed ? static_cast<int>(std::min<win::DWORD>(h.biClrUsed, 1u << h.biBitCount)) : 1 << h.biBitCount;
}

// Converts DIB rows into the bitmap's pixels (rows [start, start+lines) of the DIB).
int StoreDib(BitmapObj& bm, unsigned start, unsigned lines, const void* bits, const win::BITMAPINFO* info, int width) {
  const win::BITMAPINFOHEADER& h = info->bmiHeader;
  int bpp = h.biBitCount;
  int dibHeight = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  bool topDown = h.biHeight < 0;
  int stride = DibStride(h.biWidth, bpp);
  std::vector<std::uint32_t> row(static_cast<size_t>(h.biWidth));
  PixelBuffer v = bm.View();
  int done = 0;
  for (unsigned i = 0; i < lines; ++i) {
    int dibRow = static_cast<int>(start + i);
    if (dibRow >= dibHeight) break;
    // Scan lines count from the first row in memory: the bottom one for bottom-up DIBs.
    int y = topDown ? dibRow : dibHeight - 1 - dibRow;
    const auto* src = static_cast<const std::uint8_t*>(bits) + static_cast<size_t>(i) * static_cast<size_t>(stride);
    DecodeRow(src, bpp, h.biWidth, info->bmiColors, ColorCount(h), row.data());
    if (y >= 0 && y < bm.height) {
      std::uint32_t* out = v.Row(y);
      for (int x = 0; x < std::min(width, bm.width); ++x) {
        std::uint32_t c = row[static_cast<size_t>(x)];
        if (bm.mono) {
          unsigned sum = ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF);
          c = sum >= 384 ? 0xFFFFFF : 0;
        } else if (bpp != 32) {
          c &= 0xFFFFFF;
        }
        out[x] = c;
      }
    }
    ++done;
  }
  return done;
}

}  // namespace

void BitsToPixels(BitmapObj& bm) {
  int stride = DibStride(bm.width, bm.nativeBpp);
  PixelBuffer v = bm.RawView();
  for (int y = 0; y < bm.height; ++y) {
    // Section memory starts with the bottom row unless the section is top-down.
    int row = bm.bottomUp ? bm.height - 1 - y : y;
    DecodeRow(bm.native.data() + static_cast<size_t>(row) * static_cast<size_t>(stride), bm.nativeBpp, bm.width,
              bm.colors.data(), static_cast<int>(bm.colors.size()), v.Row(y));
    for (int x = 0; x < bm.width; ++x) {
      std::uint32_t& c = v.Row(y)[x];
      if (bm.mono) {
        unsigned sum = ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF);
        c = sum >= 384 ? 0xFFFFFF : 0;
      } else {
        c &= 0xFFFFFF;
      }
    }
  }
}

void PixelsToBits(BitmapObj& bm) {
  if (!bm.nativeBpp || !bm.drawn) return;
  std::vector<std::uint32_t> pal;
  for (const win::RGBQUAD& q : bm.colors) pal.push_back(FromQuad(q));
  if (pal.empty() && bm.nativeBpp <= 8) pal = PaletteFor(bm.nativeBpp);
  int stride = DibStride(bm.width, bm.nativeBpp);
  PixelBuffer v = bm.RawView();
  for (int y = 0; y < bm.height; ++y) {
    int row = bm.bottomUp ? bm.height - 1 - y : y;
    EncodeRow(v.Row(y), bm.nativeBpp, bm.width, pal, bm.native.data() + static_cast<size_t>(row) * static_cast<size_t>(stride));
  }
  bm.drawn = false;
}

}  // namespace platform::gdi

using namespace platform;
using namespace platform::gdi;

namespace win {

HBITMAP CreateBitmap(int w, int h, UINT, UINT bpp, const void* bits) {
  if (w < 0 || h < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (w == 0 || h == 0) return DefaultBitmap();
  auto bm = NewBitmap(w, h, bpp == 1);
  if (bm && bits) {
    // Device-dependent rows are padded to 16 bits.
    int stride = ((w * static_cast<int>(bpp) + 15) / 16) * 2;
    static const RGBQUAD mono[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    PixelBuffer v = bm->View();
    for (int y = 0; y < h; ++y) {
      const auto* row = static_cast<const std::uint8_t*>(bits) + static_cast<size_t>(y) * static_cast<size_t>(stride);
      if (bpp == 1 || bpp == 16 || bpp == 24 || bpp == 32) DecodeRow(row, static_cast<int>(bpp), w, mono, 2, v.Row(y));
    }
  }
  return AddBitmap(std::move(bm));
}

HBITMAP CreateCompatibleBitmap(HDC h, int w, int hgt) {
  DeviceContext* dc = Dc(h);
  if (!dc || w < 0 || hgt < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (w == 0 || hgt == 0) return DefaultBitmap();
  return AddBitmap(NewBitmap(w, hgt, IsMono(*dc)));
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, HANDLE, DWORD) {
  if (bits) *bits = nullptr;
  if (!info) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const BITMAPINFOHEADER& hd = info->bmiHeader;
  if (!SupportedDib(hd)) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  int height = hd.biHeight < 0 ? -hd.biHeight : hd.biHeight;
  auto bm = NewBitmap(hd.biWidth, height, hd.biBitCount == 1);
  if (!bm) return AddBitmap(nullptr);
  bm->dib = true;
  bm->bottomUp = hd.biHeight > 0;
  if (hd.biBitCount == 32) {
    // 32-bit sections draw straight on the caller's memory.
    if (bits) *bits = bm->storage.data();
    return AddBitmap(std::move(bm));
  }
  bm->nativeBpp = hd.biBitCount;
  bm->bitsPixel = hd.biBitCount;
  bm->native.assign(static_cast<size_t>(DibStride(hd.biWidth, hd.biBitCount)) * static_cast<size_t>(height), 0);
  int n = ColorCount(hd);
  bm->colors.assign(info->bmiColors, info->bmiColors + n);
  if (bits) *bits = bm->native.data();
  return AddBitmap(std::move(bm));
}

HBITMAP CreateDIBitmap(HDC h, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info,
                       UINT usage) {
  if (!header) return nullptr;
  int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
  HBITMAP bm = h ? CreateCompatibleBitmap(h, header->biWidth, height) : CreateBitmap(header->biWidth, height, 1, 32, nullptr);
  if (bm && (init & CBM_INIT) && bits && info) SetDIBits(h, bm, 0, static_cast<UINT>(height), bits, info, usage);
  return bm;
}

int SetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT) {
  BitmapObj* bm = Bmp(bitmap);
  if (!bm || !bits || !info || !SupportedDib(info->bmiHeader)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return StoreDib(*bm, start, lines, bits, info, info->bmiHeader.biWidth);
}

int GetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, BITMAPINFO* info, UINT) {
  BitmapObj* bm = Bmp(bitmap);
  if (!bm || !info) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  BITMAPINFOHEADER& h = info->bmiHeader;
  if (!bits) {
    // Only the format is asked for.
    if (h.biBitCount == 0) {
      h.biWidth = bm->width;
      h.biHeight = bm->height;
      h.biPlanes = 1;
      h.biBitCount = static_cast<WORD>(bm->bitsPixel);
      h.biCompression = BI_RGB;
      h.biSizeImage = static_cast<DWORD>(DibStride(bm->width, bm->bitsPixel) * bm->height);
    }
    return bm->height;
  }
  if (!SupportedDib(h)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  int bpp = h.biBitCount;
  std::vector<std::uint32_t> pal;
  if (bpp <= 8) {
    pal = PaletteFor(bpp);
    for (size_t i = 0; i < pal.size(); ++i)
      info->bmiColors[i] = {static_cast<BYTE>(pal[i]), static_cast<BYTE>(pal[i] >> 8), static_cast<BYTE>(pal[i] >> 16), 0};
  }
  bool topDown = h.biHeight < 0;
  int dibHeight = topDown ? -h.biHeight : h.biHeight;
  int stride = DibStride(h.biWidth, bpp);
  std::vector<std::uint32_t> row(static_cast<size_t>(h.biWidth));
  PixelBuffer v = bm->View();
  int done = 0;
  for (UINT i = 0; i < lines; ++i) {
    int dibRow = static_cast<int>(start + i);
    if (dibRow >= dibHeight) break;
    int y = topDown ? dibRow : dibHeight - 1 - dibRow;
    std::fill(row.begin(), row.end(), 0u);
    if (y >= 0 && y < bm->height)
      for (int x = 0; x < std::min(h.biWidth, bm->width); ++x) row[static_cast<size_t>(x)] = v.At(x, y);
    EncodeRow(row.data(), bpp, h.biWidth, pal, static_cast<std::uint8_t*>(bits) + static_cast<size_t>(i) * static_cast<size_t>(stride));
    ++done;
  }
  return done;
}

int SetDIBitsToDevice(HDC h, int xd, int yd, DWORD w, DWORD hgt, int xs, int ys, UINT startScan, UINT lines,
                      const void* bits, const BITMAPINFO* info, UINT usage) {
  DeviceContext* dc = Dc(h);
  if (!dc || !info || !bits || !SupportedDib(info->bmiHeader)) return 0;
  int height = info->bmiHeader.biHeight < 0 ? -info->bmiHeader.biHeight : info->bmiHeader.biHeight;
  HBITMAP tmp = CreateBitmap(info->bmiHeader.biWidth, height, 1, 32, nullptr);
  int n = SetDIBits(h, tmp, startScan, lines, bits, info, usage);
  HDC mem = CreateCompatibleDC(h);
  HGDIOBJ old = SelectObject(mem, tmp);
  BitBlt(h, xd, yd, static_cast<int>(w), static_cast<int>(hgt), mem, xs, ys, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(tmp);
  return n;
}

int StretchDIBits(HDC h, int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs, const void* bits,
                  const BITMAPINFO* info, UINT usage, DWORD rop) {
  DeviceContext* dc = Dc(h);
  if (!dc || !info || !bits || !SupportedDib(info->bmiHeader)) return 0;
  int height = info->bmiHeader.biHeight < 0 ? -info->bmiHeader.biHeight : info->bmiHeader.biHeight;
  HBITMAP tmp = CreateBitmap(info->bmiHeader.biWidth, height, 1, 32, nullptr);
  SetDIBits(h, tmp, 0, static_cast<UINT>(height), bits, info, usage);
  HDC mem = CreateCompatibleDC(h);
  HGDIOBJ old = SelectObject(mem, tmp);
  // Source coordinates of a bottom-up DIB count from its bottom row.
  int sy = info->bmiHeader.biHeight > 0 ? height - ys - hs : ys;
  StretchBlt(h, xd, yd, wd, hd, mem, xs, sy, ws, hs, rop);
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(tmp);
  return height;
}

LONG GetBitmapBits(HBITMAP bitmap, LONG size, LPVOID bits) {
  BitmapObj* bm = Bmp(bitmap);
  if (!bm || !bits) return 0;
  int stride = ((bm->width * bm->bitsPixel + 15) / 16) * 2;
  LONG total = 0;
  std::vector<std::uint8_t> row(static_cast<size_t>(stride) + 4);
  PixelBuffer v = bm->View();
  std::vector<std::uint32_t> pal = PaletteFor(1);
  for (int y = 0; y < bm->height && total + stride <= size; ++y) {
    EncodeRow(v.Row(y), bm->bitsPixel, bm->width, pal, row.data());
    std::memcpy(static_cast<std::uint8_t*>(bits) + total, row.data(), static_cast<size_t>(stride));
    total += stride;
  }
  return total;
}

BOOL GdiFlush() {
  Bitmaps().ForEach([](std::uintptr_t, BitmapObj* bm) { PixelsToBits(*bm); });
  return TRUE;
}

}  // namespace win

namespace win {

namespace {

// Nearest-neighbour, keeping every byte of the pixel (alpha included).
void StretchPixels(const PixelBuffer& from, const PixelBuffer& to, bool mono) {
  for (int y = 0; y < to.height; ++y) {
    const std::uint32_t* src = from.Row(static_cast<int>(static_cast<std::int64_t>(y) * from.height / to.height));
    std::uint32_t* dst = to.Row(y);
    for (int x = 0; x < to.width; ++x) {
      std::uint32_t c = src[static_cast<std::int64_t>(x) * from.width / to.width];
      if (mono) {
        unsigned sum = ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF);
        c = sum >= 384 ? 0xFFFFFF : 0;
      }
      dst[x] = c;
    }
  }
}

HBITMAP CopyBitmapImage(HBITMAP image, int cx, int cy, UINT flags) {
  BitmapObj* src = Bmp(image);
  if (!src || src->stock) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  const int w = cx > 0 ? cx : src->width, h = cy > 0 ? cy : src->height;
  const bool mono = src->mono || (flags & LR_MONOCHROME);
  if ((flags & LR_COPYRETURNORG) && w == src->width && h == src->height && mono == src->mono &&
      !(flags & LR_CREATEDIBSECTION) == !src->dib)
    return image;
  HBITMAP out = nullptr;
  if (flags & LR_CREATEDIBSECTION) {
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD colors[256];
    } info{};
    const int bits = mono ? 1 : src->bitsPixel;
    info.header.biWidth = w;
    info.header.biHeight = h;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bits);
    info.header.biCompression = BI_RGB;
    if (mono) {
      info.colors[1] = {255, 255, 255, 0};
      info.header.biClrUsed = 2;
    } else if (bits <= 8) {
      const std::size_t n = std::min<std::size_t>(src->colors.size(), std::size_t{1} << bits);
      std::copy_n(src->colors.begin(), n, info.colors);
      info.header.biClrUsed = static_cast<DWORD>(n);
    }
    out = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, nullptr, nullptr, 0);
  } else {
    out = CreateBitmap(w, h, 1, mono ? 1 : 32, nullptr);
  }
  BitmapObj* dst = Bmp(out);
  if (!dst) return nullptr;
  StretchPixels(src->View(), dst->View(), mono && !src->mono);
  if (flags & LR_COPYDELETEORG) DeleteObject(image);
  return out;
}

HICON CopyIconImage(HICON image, int cx, int cy, UINT flags) {
  ICONINFO info;
  if (!GetIconInfo(image, &info)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // GetIconInfo hands out copies; stretched copies of those make the new icon.
  auto resize = [&](HBITMAP& bitmap) {
    if (!bitmap || (cx <= 0 && cy <= 0)) return;
    HBITMAP sized = CopyBitmapImage(bitmap, cx, cy, LR_COPYDELETEORG | (Bmp(bitmap)->mono ? LR_MONOCHROME : 0));
    if (sized) bitmap = sized;
  };
  resize(info.hbmMask);
  resize(info.hbmColor);
  HICON copy = CreateIconIndirect(&info);
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (copy && (flags & LR_COPYDELETEORG)) DestroyIcon(image);
  return copy;
}

}  // namespace

HANDLE CopyImage(HANDLE image, UINT type, int cx, int cy, UINT flags) {
  if (cx < 0 || cy < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  switch (type) {
    case IMAGE_BITMAP: return CopyBitmapImage(static_cast<HBITMAP>(image), cx, cy, flags);
    case IMAGE_ICON: return CopyIconImage(static_cast<HICON>(image), cx, cy, flags);
    default:
      // The cursors the window system makes are not this layer's to copy.
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

}  // namespace win
