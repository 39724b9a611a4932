#include "tools/skingen/Png.h"

#include <png.h>

#include <stdexcept>

namespace skingen {

namespace {

void Append(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

void Flush(png_structp) {}

// Only plain values live here: the encoder reports errors by jumping back.
bool WriteRows(png_bytep* rows, int width, int height, bool alpha, std::vector<std::uint8_t>* out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, out, Append, Flush);
  png_set_compression_level(png, 9);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE | PNG_FILTER_SUB | PNG_FILTER_UP | PNG_FILTER_PAETH);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
               PNG_FILTER_TYPE_BASE);
  png_set_rows(png, info, rows);
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Raster& raster) {
  std::vector<std::uint8_t> out;
  if (raster.Empty()) return out;
  const bool alpha = !raster.Opaque();
  const int channels = alpha ? 4 : 3;
  std::vector<png_byte> rows(static_cast<std::size_t>(raster.Width()) * raster.Height() * channels);
  std::vector<png_bytep> rowPointers(static_cast<std::size_t>(raster.Height()));
  for (int y = 0; y < raster.Height(); ++y) {
    png_bytep d = rows.data() + static_cast<std::size_t>(y) * raster.Width() * channels;
    rowPointers[static_cast<std::size_t>(y)] = d;
    for (int x = 0; x < raster.Width(); ++x) {
      Rgba p = raster.At(x, y);
      *d++ = p.r, *d++ = p.g, *d++ = p.b;
      if (alpha) *d++ = p.a;
    }
  }
  if (!WriteRows(rowPointers.data(), raster.Width(), raster.Height(), alpha, &out))
    throw std::runtime_error("PNG encoding failed");
  return out;
}

}  // namespace skingen
