// Bitmaps: their memory and pixel formats, locking, and the ways to and from GDI bitmaps.
#include <cstring>

#include "platform/gdi/Surface.h"
#include "platform/gdiplus/Internal.h"

namespace platform::gdiplus {

namespace {

// Refuses sizes whose pixels would not fit comfortably in memory, as the drawing layer does.
constexpr long long kMaxPixels = 1ll << 28;

int BytesPerPixel(win::GpPixelFormat f) { return f == win::PixelFormat24bppRGB ? 3 : 4; }

std::uint32_t Load32(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
void Store32(std::uint8_t* p, std::uint32_t v) { std::memcpy(p, &v, 4); }

// One pixel of a format as 0xAARRGGBB, premultiplied or straight as asked.
std::uint32_t LoadPixel(const std::uint8_t* p, win::GpPixelFormat f, bool premultiplied) {
  switch (f) {
    case win::PixelFormat32bppARGB: {
      std::uint32_t v = Load32(p);
      return premultiplied ? Premultiply(v) : v;
    }
    case win::PixelFormat32bppPARGB: {
      std::uint32_t v = ClampPremultiplied(Load32(p));
      return premultiplied ? v : Unpremultiply(v);
    }
    case win::PixelFormat32bppRGB: return 0xFF000000u | (Load32(p) & 0xFFFFFFu);
    default:
      return 0xFF000000u | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[0];
  }
}

void StorePixel(std::uint8_t* p, win::GpPixelFormat f, std::uint32_t v, bool premultiplied) {
  switch (f) {
    case win::PixelFormat32bppARGB: Store32(p, premultiplied ? Unpremultiply(v) : v); break;
    case win::PixelFormat32bppPARGB: Store32(p, premultiplied ? v : Premultiply(v)); break;
    case win::PixelFormat32bppRGB:
      // Without alpha a colour shows as it would over black.
      Store32(p, 0xFF000000u | ((premultiplied ? v : Premultiply(v)) & 0xFFFFFFu));
      break;
    default: {
      std::uint32_t c = premultiplied ? v : Premultiply(v);
      p[0] = static_cast<std::uint8_t>(c);
      p[1] = static_cast<std::uint8_t>(c >> 8);
      p[2] = static_cast<std::uint8_t>(c >> 16);
    }
  }
}

// Copies a part of one layout into another, converting on the way; both must be locked down.
void Convert(const std::uint8_t* src, int srcStride, win::GpPixelFormat srcFormat, std::uint8_t* dst, int dstStride,
             win::GpPixelFormat dstFormat, int width, int height) {
  int sb = BytesPerPixel(srcFormat), db = BytesPerPixel(dstFormat);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* s = src + static_cast<std::ptrdiff_t>(y) * srcStride;
    std::uint8_t* d = dst + static_cast<std::ptrdiff_t>(y) * dstStride;
    if (srcFormat == dstFormat) {
      std::memcpy(d, s, static_cast<std::size_t>(width) * sb);
      continue;
    }
    // Straight colours go through unchanged where both sides hold them.
    bool premultiplied = dstFormat != win::PixelFormat32bppARGB;
    for (int x = 0; x < width; ++x)
      StorePixel(d + x * db, dstFormat, LoadPixel(s + x * sb, srcFormat, premultiplied), premultiplied);
  }
}

int StrideFor(int width, win::GpPixelFormat f) { return (width * BytesPerPixel(f) + 3) & ~3; }

}  // namespace

bool SupportedFormat(win::GpPixelFormat f) {
  return f == win::PixelFormat24bppRGB || f == win::PixelFormat32bppRGB || f == win::PixelFormat32bppARGB ||
         f == win::PixelFormat32bppPARGB;
}

std::unique_ptr<Bitmap> NewBitmap(int width, int height, win::GpPixelFormat format) {
  if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxPixels || !SupportedFormat(format))
    return nullptr;
  auto b = std::make_unique<Bitmap>();
  b->width = width;
  b->height = height;
  b->format = format;
  b->stride = StrideFor(width, format);
  b->own.assign(static_cast<std::size_t>(b->stride) * static_cast<std::size_t>(height), 0);
  b->scan0 = b->own.data();
  return b;
}

void Bitmap::Read(const win::RECT& part, std::uint32_t* out) const {
  int bpp = BytesPerPixel(format);
  for (int y = part.top; y < part.bottom; ++y) {
    const std::uint8_t* row = Row(y) + static_cast<std::ptrdiff_t>(part.left) * bpp;
    for (int x = 0; x < part.right - part.left; ++x) *out++ = LoadPixel(row + x * bpp, format, true);
  }
}

void Bitmap::Write(const win::RECT& part, const std::uint32_t* in, const std::uint8_t* changed) {
  int bpp = BytesPerPixel(format);
  for (int y = part.top; y < part.bottom; ++y) {
    std::uint8_t* row = Row(y) + static_cast<std::ptrdiff_t>(part.left) * bpp;
    for (int x = 0; x < part.right - part.left; ++x, ++in) {
      if (changed && !*changed++) continue;
      StorePixel(row + x * bpp, format, *in, true);
    }
  }
}

}  // namespace platform::gdiplus

namespace win {

using namespace platform::gdiplus;

GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, GpPixelFormat format, BYTE* scan0,
                                   GpBitmap** bitmap) {
  if (!bitmap) return InvalidParameter;
  *bitmap = nullptr;
  if (width <= 0 || height <= 0) return InvalidParameter;
  if (!SupportedFormat(format)) return (format & PixelFormatIndexed) || format == 0 ? InvalidParameter : NotImplemented;
  std::unique_ptr<Bitmap> b;
  if (!scan0) {
    b = NewBitmap(width, height, format);
    if (!b) return OutOfMemory;
  } else {
    long long rowBytes = static_cast<long long>(width) * (format == PixelFormat24bppRGB ? 3 : 4);
    if (std::llabs(static_cast<long long>(stride)) < rowBytes) return InvalidParameter;
    b = std::make_unique<Bitmap>();
    b->width = width;
    b->height = height;
    b->format = format;
    b->stride = stride;
    b->scan0 = scan0;
  }
  *bitmap = AddObject<GpBitmap*>(std::move(b));
  return Ok;
}

GpStatus GdipCreateBitmapFromGraphics(INT width, INT height, GpGraphics* target, GpBitmap** bitmap) {
  if (!bitmap) return InvalidParameter;
  *bitmap = nullptr;
  if (!Find<Graphics>(target)) return InvalidParameter;
  return GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppPARGB, nullptr, bitmap);
}

GpStatus GdipCreateBitmapFromHBITMAP(HBITMAP hbm, HPALETTE, GpBitmap** bitmap) {
  if (!bitmap) return InvalidParameter;
  *bitmap = nullptr;
  if (GetObjectType(hbm) != OBJ_BITMAP) return InvalidParameter;
  GdiFlush();
  platform::PixelBuffer px = platform::gdi::BitmapPixels(hbm);
  std::unique_ptr<Bitmap> b = NewBitmap(px.width, px.height, PixelFormat32bppRGB);
  if (!b) return OutOfMemory;
  for (int y = 0; y < px.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(b->Row(y));
    for (int x = 0; x < px.width; ++x) row[x] = 0xFF000000u | (px.At(x, y) & 0xFFFFFFu);
  }
  *bitmap = AddObject<GpBitmap*>(std::move(b));
  return Ok;
}

GpStatus GdipCreateBitmapFromGdiDib(const BITMAPINFO* info, void* bits, GpBitmap** bitmap) {
  if (!bitmap) return InvalidParameter;
  *bitmap = nullptr;
  if (!info || !bits) return InvalidParameter;
  int width = info->bmiHeader.biWidth, height = std::abs(info->bmiHeader.biHeight);
  if (width <= 0 || height <= 0) return InvalidParameter;
  // The drawing layer reads every DIB layout it knows into 32-bit pixels.
  HBITMAP hbm = CreateBitmap(width, height, 1, 32, nullptr);
  if (!hbm) return OutOfMemory;
  GpStatus s = SetDIBits(nullptr, hbm, 0, static_cast<UINT>(height), bits, info, DIB_RGB_COLORS) > 0
                   ? GdipCreateBitmapFromHBITMAP(hbm, nullptr, bitmap)
                   : InvalidParameter;
  DeleteObject(hbm);
  return s;
}

GpStatus GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* hbm, ARGB background) {
  Bitmap* b = Find<Bitmap>(bitmap);
  if (!b || !hbm) return InvalidParameter;
  *hbm = nullptr;
  if (b->locked) return WrongState;
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = b->width;
  bi.bmiHeader.biHeight = -b->height;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section) return OutOfMemory;
  auto* out = static_cast<std::uint32_t*>(bits);
  b->Read(RECT{0, 0, b->width, b->height}, out);
  std::uint32_t bg = Premultiply(background);
  if (bg != 0) {
    std::size_t n = static_cast<std::size_t>(b->width) * static_cast<std::size_t>(b->height);
    for (std::size_t i = 0; i < n; ++i) {
      std::uint32_t s = out[i], k = 255 - (s >> 24), r = 0;
      for (int shift = 0; shift < 32; shift += 8)
        r |= (((s >> shift) & 0xFF) + (((bg >> shift) & 0xFF) * k + 127) / 255) << shift;
      out[i] = r;
    }
  }
  *hbm = section;
  return Ok;
}

GpStatus GdipGetImageDimension(GpImage* image, REAL* width, REAL* height) {
  Bitmap* b = Find<Bitmap>(image);
  if (!b || !width || !height) return InvalidParameter;
  *width = static_cast<REAL>(b->width);
  *height = static_cast<REAL>(b->height);
  return Ok;
}

GpStatus GdipGetImageWidth(GpImage* image, UINT* width) {
  Bitmap* b = Find<Bitmap>(image);
  if (!b || !width) return InvalidParameter;
  *width = static_cast<UINT>(b->width);
  return Ok;
}

GpStatus GdipGetImageHeight(GpImage* image, UINT* height) {
  Bitmap* b = Find<Bitmap>(image);
  if (!b || !height) return InvalidParameter;
  *height = static_cast<UINT>(b->height);
  return Ok;
}

GpStatus GdipGetImagePixelFormat(GpImage* image, GpPixelFormat* format) {
  Bitmap* b = Find<Bitmap>(image);
  if (!b || !format) return InvalidParameter;
  *format = b->format;
  return Ok;
}

GpStatus GdipCloneBitmapAreaI(INT x, INT y, INT width, INT height, GpPixelFormat format, GpBitmap* source,
                              GpBitmap** clone) {
  if (!clone) return InvalidParameter;
  *clone = nullptr;
  Bitmap* s = Find<Bitmap>(source);
  if (!s || x < 0 || y < 0 || width <= 0 || height <= 0 || width > s->width - x || height > s->height - y)
    return InvalidParameter;
  if (s->locked) return WrongState;
  if (format == PixelFormatDontCare) format = s->format;
  if (!SupportedFormat(format)) return NotImplemented;
  std::unique_ptr<Bitmap> c = NewBitmap(width, height, format);
  if (!c) return OutOfMemory;
  int sb = s->format == PixelFormat24bppRGB ? 3 : 4;
  Convert(s->Row(y) + static_cast<std::ptrdiff_t>(x) * sb, s->stride, s->format, c->scan0, c->stride, format, width,
          height);
  *clone = AddObject<GpBitmap*>(std::move(c));
  return Ok;
}

GpStatus GdipCloneImage(GpImage* image, GpImage** clone) {
  if (!clone) return InvalidParameter;
  *clone = nullptr;
  Bitmap* b = Find<Bitmap>(image);
  if (!b) return InvalidParameter;
  GpBitmap* c = nullptr;
  GpStatus s = GdipCloneBitmapAreaI(0, 0, b->width, b->height, b->format, static_cast<GpBitmap*>(image), &c);
  *clone = c;
  return s;
}

GpStatus GdipDisposeImage(GpImage* image) {
  Bitmap* b = Find<Bitmap>(image);
  if (!b) return InvalidParameter;
  return DeleteObjectOf(image, Kind::Bitmap);
}

GpStatus GdipBitmapLockBits(GpBitmap* bitmap, const GpRect* rect, UINT flags, GpPixelFormat format,
                            BitmapData* data) {
  Bitmap* b = Find<Bitmap>(bitmap);
  if (!b || !data || !(flags & (ImageLockModeRead | ImageLockModeWrite))) return InvalidParameter;
  if (b->locked || b->dcOut) return WrongState;
  GpRect r = rect ? *rect : GpRect{0, 0, b->width, b->height};
  if (r.X < 0 || r.Y < 0 || r.Width <= 0 || r.Height <= 0 || r.Width > b->width - r.X || r.Height > b->height - r.Y)
    return InvalidParameter;
  if (!SupportedFormat(format)) return NotImplemented;
  int bpp = format == PixelFormat24bppRGB ? 3 : 4;
  std::uint8_t* at = b->Row(r.Y) + static_cast<std::ptrdiff_t>(r.X) * (b->format == PixelFormat24bppRGB ? 3 : 4);
  b->lockBuffer.clear();
  if (flags & ImageLockModeUserInputBuf) {
    if (!data->Scan0 || std::abs(data->Stride) < r.Width * bpp) return InvalidParameter;
    b->lockScan0 = data->Scan0;
    b->lockStride = data->Stride;
  } else if (format == b->format) {
    b->lockScan0 = at;
    b->lockStride = b->stride;
  } else {
    b->lockStride = (r.Width * bpp + 3) & ~3;
    b->lockBuffer.assign(static_cast<std::size_t>(b->lockStride) * static_cast<std::size_t>(r.Height), 0);
    b->lockScan0 = b->lockBuffer.data();
  }
  bool direct = b->lockScan0 == at;
  if ((flags & ImageLockModeRead) && !direct)
    Convert(at, b->stride, b->format, static_cast<std::uint8_t*>(b->lockScan0), b->lockStride, format, r.Width,
            r.Height);
  b->locked = true;
  b->lockFlags = flags;
  b->lockRect = r;
  b->lockFormat = format;
  data->Width = static_cast<UINT>(r.Width);
  data->Height = static_cast<UINT>(r.Height);
  data->Stride = b->lockStride;
  data->PixelFormat = format;
  data->Scan0 = b->lockScan0;
  data->Reserved = 0;
  return Ok;
}

GpStatus GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* data) {
  Bitmap* b = Find<Bitmap>(bitmap);
  if (!b || !data) return InvalidParameter;
  if (!b->locked) return WrongState;
  const GpRect& r = b->lockRect;
  std::uint8_t* at = b->Row(r.Y) + static_cast<std::ptrdiff_t>(r.X) * (b->format == PixelFormat24bppRGB ? 3 : 4);
  if ((b->lockFlags & ImageLockModeWrite) && b->lockScan0 != at)
    Convert(static_cast<const std::uint8_t*>(b->lockScan0), b->lockStride, b->lockFormat, at, b->stride, b->format,
            r.Width, r.Height);
  b->locked = false;
  b->lockBuffer.clear();
  b->lockBuffer.shrink_to_fit();
  b->lockScan0 = nullptr;
  return Ok;
}

GpStatus GdipCreateCachedBitmap(GpBitmap* bitmap, GpGraphics* graphics, GpCachedBitmap** cached) {
  if (!cached) return InvalidParameter;
  *cached = nullptr;
  Bitmap* b = Find<Bitmap>(bitmap);
  if (!b || !Find<Graphics>(graphics)) return InvalidParameter;
  if (b->locked) return WrongState;
  auto c = std::make_unique<CachedBitmap>();
  c->copy = NewBitmap(b->width, b->height, PixelFormat32bppPARGB);
  if (!c->copy) return OutOfMemory;
  b->Read(RECT{0, 0, b->width, b->height}, reinterpret_cast<std::uint32_t*>(c->copy->scan0));
  *cached = AddObject<GpCachedBitmap*>(std::move(c));
  return Ok;
}

GpStatus GdipDeleteCachedBitmap(GpCachedBitmap* cached) { return DeleteObjectOf(cached, Kind::CachedBitmap); }

}  // namespace win
