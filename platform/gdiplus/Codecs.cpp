// Image files: PNG through libpng, BMP read here; the encoder list and saving to streams.
#include <png.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/gdiplus/Internal.h"

namespace platform::gdiplus {

namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

win::GpStatus DecodePng(const std::uint8_t* data, std::size_t size, std::unique_ptr<Bitmap>& out) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, size)) return win::GenericError;
  // Blue, green, red, alpha in memory: GDI+'s 32bppARGB, straight alpha.
  image.format = PNG_FORMAT_BGRA;
  std::unique_ptr<Bitmap> b = NewBitmap(static_cast<int>(std::min<png_uint_32>(image.width, 1u << 30)),
                                        static_cast<int>(std::min<png_uint_32>(image.height, 1u << 30)),
                                        win::PixelFormat32bppARGB);
  if (!b) {
    png_image_free(&image);
    return win::OutOfMemory;
  }
  if (!png_image_finish_read(&image, nullptr, b->scan0, b->stride, nullptr)) {
    png_image_free(&image);
    return win::GenericError;
  }
  out = std::move(b);
  return win::Ok;
}

std::uint32_t Le32(const std::uint8_t* p) {
  return p[0] | (static_cast<std::uint32_t>(p[1]) << 8) | (static_cast<std::uint32_t>(p[2]) << 16) |
         (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

// A channel of a bit-field pixel scaled to 8 bits.
std::uint32_t Channel(std::uint32_t v, std::uint32_t mask) {
  if (!mask) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  std::uint32_t m = mask >> shift, c = (v & mask) >> shift;
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(c) * 255 + m / 2) / m);
}

// Uncompressed and bit-field BMPs of 1, 4, 8, 16, 24 and 32 bits a pixel.
win::GpStatus DecodeBmp(const std::uint8_t* data, std::size_t size, std::unique_ptr<Bitmap>& out) {
  if (size < 14 + 12) return win::GenericError;
  std::uint32_t offBits = Le32(data + 10);
  const std::uint8_t* h = data + 14;
  std::uint32_t hsize = Le32(h);
  if (hsize < 12 || hsize > size - 14) return win::GenericError;
  long long width, height;
  int bpp;
  std::uint32_t compression = 0, used = 0;
  if (hsize == 12) {
    width = Le16(h + 4);
    height = static_cast<std::int16_t>(Le16(h + 6));
    bpp = Le16(h + 10);
  } else {
    if (hsize < 40) return win::GenericError;
    width = static_cast<std::int32_t>(Le32(h + 4));
    height = static_cast<std::int32_t>(Le32(h + 8));
    bpp = Le16(h + 14);
    compression = Le32(h + 16);
    used = Le32(h + 32);
  }
  bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width * height > (1ll << 28)) return win::GenericError;
  std::uint32_t masks[4] = {0, 0, 0, 0};
  bool alphaMask = false;
  if (compression == 3 || compression == 6) {  // bit fields; 6 and the longer headers add alpha
    if (bpp != 16 && bpp != 32) return win::GenericError;
    bool withAlpha = compression == 6 || hsize >= 56;
    if (size < 14 + 40 + (withAlpha ? 16u : 12u)) return win::GenericError;
    const std::uint8_t* m = h + 40;
    for (int i = 0; i < (withAlpha ? 4 : 3); ++i) masks[i] = Le32(m + 4 * i);
    alphaMask = masks[3] != 0;
  } else if (compression != 0) {
    return win::UnknownImageFormat;
  } else if (bpp == 16) {
    masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
  }
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return win::GenericError;
  std::vector<std::uint32_t> palette;
  if (bpp <= 8) {
    std::size_t count = used ? std::min<std::uint32_t>(used, 1u << bpp) : (1u << bpp);
    std::size_t entry = hsize == 12 ? 3 : 4;
    std::size_t at = 14 + hsize;
    // Files often hold fewer colours than their depth allows; the pixels' offset tells.
    if (offBits >= at) count = std::min(count, (offBits - at) / entry);
    if (at + count * entry > size) return win::GenericError;
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint8_t* q = data + at + i * entry;
      palette.push_back(0xFF000000u | (static_cast<std::uint32_t>(q[2]) << 16) | (q[1] << 8) | q[0]);
    }
  }
  std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
  if (offBits > size || stride * static_cast<std::size_t>(height) > size - offBits) return win::GenericError;
  std::unique_ptr<Bitmap> b = NewBitmap(static_cast<int>(width), static_cast<int>(height),
                                        alphaMask ? win::PixelFormat32bppARGB : win::PixelFormat32bppRGB);
  if (!b) return win::OutOfMemory;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = data + offBits + stride * static_cast<std::size_t>(topDown ? y : height - 1 - y);
    auto* dst = b->Row(y);
    for (int x = 0; x < width; ++x) {
      std::uint32_t v = 0;
      switch (bpp) {
        case 1:
        case 4:
        case 8: {
          int per = 8 / bpp;
          unsigned index = (row[x / per] >> ((per - 1 - x % per) * bpp)) & ((1u << bpp) - 1);
          v = index < palette.size() ? palette[index] : 0xFF000000u;
          break;
        }
        case 16:
        case 32: {
          std::uint32_t raw = bpp == 16 ? Le16(row + 2 * x) : Le32(row + 4 * x);
          if (bpp == 32 && !masks[0] && !masks[1] && !masks[2]) {
            v = 0xFF000000u | (raw & 0xFFFFFFu);
          } else {
            v = (Channel(raw, masks[0]) << 16) | (Channel(raw, masks[1]) << 8) | Channel(raw, masks[2]);
            v |= alphaMask ? Channel(raw, masks[3]) << 24 : 0xFF000000u;
          }
          break;
        }
        default:
          v = 0xFF000000u | (static_cast<std::uint32_t>(row[3 * x + 2]) << 16) | (row[3 * x + 1] << 8) | row[3 * x];
      }
      std::memcpy(dst + 4 * x, &v, 4);
    }
  }
  out = std::move(b);
  return win::Ok;
}

// The whole rest of a stream, read now: nothing keeps the stream afterwards.
bool ReadAll(win::IStream* stream, std::vector<std::uint8_t>& out) {
  std::uint8_t chunk[65536];
  for (;;) {
    win::ULONG got = 0;
    win::HRESULT hr = stream->Read(chunk, sizeof chunk, &got);
    if (win::FAILED(hr)) return false;
    out.insert(out.end(), chunk, chunk + got);
    if (got < sizeof chunk) return true;
  }
}

bool ReadFile(const char* path, std::vector<std::uint8_t>& out) {
  std::FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  std::uint8_t chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) out.insert(out.end(), chunk, chunk + n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

const win::CLSID kPngEncoder{0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
const win::GUID kPngFormat{0xB96B3CAF, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr const char* kPngStrings[] = {"Built-in PNG Codec", "", "PNG", "*.PNG", "image/png"};
constexpr std::uint8_t kPngMask[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

std::size_t EncoderBytes() {
  std::size_t n = sizeof(win::ImageCodecInfo) + sizeof kPngSignature + sizeof kPngMask;
  for (const char* s : kPngStrings) n += std::strlen(s) + 1;
  return n;
}

win::GpStatus MakeImage(const std::vector<std::uint8_t>& bytes, win::GpImage** image) {
  std::unique_ptr<Bitmap> b;
  win::GpStatus s = DecodeImage(bytes.data(), bytes.size(), b);
  if (s == win::Ok) *image = AddObject<win::GpBitmap*>(std::move(b));
  return s;
}

}  // namespace

win::GpStatus DecodeImage(const std::uint8_t* data, std::size_t size, std::unique_ptr<Bitmap>& out) {
  if (size >= 8 && std::memcmp(data, kPngSignature, 8) == 0) return DecodePng(data, size, out);
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return DecodeBmp(data, size, out);
  return win::UnknownImageFormat;
}

win::GpStatus EncodePng(const Bitmap& bitmap, std::vector<std::uint8_t>& out) {
  bool alpha = bitmap.HasAlpha();
  int w = bitmap.width, h = bitmap.height;
  // Rows of straight blue, green, red (and alpha) bytes, as the encoder takes them.
  int channels = alpha ? 4 : 3;
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(w) * h * channels);
  std::vector<std::uint32_t> line(static_cast<std::size_t>(w));
  for (int y = 0; y < h; ++y) {
    if (bitmap.format != win::PixelFormat32bppARGB) bitmap.Read(win::RECT{0, y, w, y + 1}, line.data());
    std::uint8_t* d = rows.data() + static_cast<std::size_t>(y) * w * channels;
    for (int x = 0; x < w; ++x) {
      // Straight colours are written as they stand, so a file read and saved keeps every byte.
      std::uint32_t v;
      if (bitmap.format == win::PixelFormat32bppARGB)
        std::memcpy(&v, bitmap.Row(y) + 4 * x, 4);
      else
        v = Unpremultiply(line[static_cast<std::size_t>(x)]);
      d[0] = static_cast<std::uint8_t>(v);
      d[1] = static_cast<std::uint8_t>(v >> 8);
      d[2] = static_cast<std::uint8_t>(v >> 16);
      if (alpha) d[3] = static_cast<std::uint8_t>(v >> 24);
      d += channels;
    }
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(w);
  image.height = static_cast<png_uint_32>(h);
  image.format = alpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rows.data(), 0, nullptr)) return win::GenericError;
  out.resize(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, rows.data(), 0, nullptr)) return win::GenericError;
  out.resize(size);
  return win::Ok;
}

}  // namespace platform::gdiplus

namespace win {

using namespace platform::gdiplus;

GpStatus GdipLoadImageFromStream(IStream* stream, GpImage** image) {
  if (!image) return InvalidParameter;
  *image = nullptr;
  if (!stream) return InvalidParameter;
  std::vector<std::uint8_t> bytes;
  if (!ReadAll(stream, bytes)) return Win32Error;
  return MakeImage(bytes, image);
}

GpStatus GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap) {
  if (!bitmap) return InvalidParameter;
  GpImage* image = nullptr;
  GpStatus s = GdipLoadImageFromStream(stream, &image);
  *bitmap = static_cast<GpBitmap*>(image);
  return s;
}

GpStatus GdipCreateBitmapFromStreamICM(IStream* stream, GpBitmap** bitmap) {
  return GdipCreateBitmapFromStream(stream, bitmap);
}

GpStatus GdipLoadImageFromFile(const char* fileName, GpImage** image) {
  if (!image) return InvalidParameter;
  *image = nullptr;
  if (!fileName) return InvalidParameter;
  std::vector<std::uint8_t> bytes;
  if (!ReadFile(fileName, bytes)) return FileNotFound;
  return MakeImage(bytes, image);
}

GpStatus GdipCreateBitmapFromFile(const char* fileName, GpBitmap** bitmap) {
  if (!bitmap) return InvalidParameter;
  GpImage* image = nullptr;
  GpStatus s = GdipLoadImageFromFile(fileName, &image);
  *bitmap = static_cast<GpBitmap*>(image);
  return s;
}

GpStatus GdipGetImageEncodersSize(UINT* count, UINT* size) {
  if (!count || !size) return InvalidParameter;
  *count = 1;
  *size = static_cast<UINT>(EncoderBytes());
  return Ok;
}

GpStatus GdipGetImageEncoders(UINT count, UINT size, ImageCodecInfo* encoders) {
  if (!encoders) return InvalidParameter;
  if (count != 1 || size != EncoderBytes()) return GenericError;
  // The strings and signatures live in the caller's buffer, after the array.
  auto* extra = reinterpret_cast<char*>(encoders + 1);
  auto put = [&extra](const void* bytes, std::size_t n) {
    char* at = extra;
    std::memcpy(at, bytes, n);
    extra += n;
    return at;
  };
  ImageCodecInfo info;
  info.Clsid = kPngEncoder;
  info.FormatID = kPngFormat;
  info.SigCount = 1;
  info.SigSize = sizeof kPngSignature;
  info.SigPattern = reinterpret_cast<const BYTE*>(put(kPngSignature, sizeof kPngSignature));
  info.SigMask = reinterpret_cast<const BYTE*>(put(kPngMask, sizeof kPngMask));
  const char** fields[] = {&info.CodecName, &info.DllName, &info.FormatDescription, &info.FilenameExtension,
                           &info.MimeType};
  for (int i = 0; i < 5; ++i) *fields[i] = put(kPngStrings[i], std::strlen(kPngStrings[i]) + 1);
  info.Flags = ImageCodecFlagsEncoder | ImageCodecFlagsSupportBitmap | ImageCodecFlagsBuiltin;
  info.Version = 1;
  encoders[0] = info;
  return Ok;
}

GpStatus GdipGetEncoderParameterListSize(GpImage* image, const CLSID* encoder, UINT* size) {
  if (!Find<Bitmap>(image) || !encoder || !size) return InvalidParameter;
  if (!(*encoder == kPngEncoder)) return FileNotFound;
  // The PNG encoder takes no parameters: an empty list.
  *size = sizeof(EncoderParameters);
  return Ok;
}

GpStatus GdipGetEncoderParameterList(GpImage* image, const CLSID* encoder, UINT size, EncoderParameters* buffer) {
  if (!Find<Bitmap>(image) || !encoder || !buffer) return InvalidParameter;
  if (!(*encoder == kPngEncoder)) return FileNotFound;
  if (size < sizeof(EncoderParameters)) return InvalidParameter;
  buffer->Count = 0;
  return Ok;
}

GpStatus GdipSaveImageToStream(GpImage* image, IStream* stream, const CLSID* encoder, const EncoderParameters*) {
  Bitmap* b = Find<Bitmap>(image);
  if (!b || !stream || !encoder) return InvalidParameter;
  if (!(*encoder == kPngEncoder)) return FileNotFound;
  if (b->locked) return WrongState;
  std::vector<std::uint8_t> png;
  if (GpStatus s = EncodePng(*b, png); s != Ok) return s;
  ULONG written = 0;
  HRESULT hr = stream->Write(png.data(), static_cast<ULONG>(png.size()), &written);
  return FAILED(hr) || written != png.size() ? Win32Error : Ok;
}

}  // namespace win
