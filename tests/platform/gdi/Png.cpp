#include <png.h>

#include <cstdio>
#include <vector>

#include "tests/platform/gdi/Canvas.h"

namespace gditest {

bool SavePng(win::HBITMAP bitmap, const std::string& path) {
  platform::PixelBuffer px = platform::gdi::BitmapPixels(bitmap);
  if (!px.pixels) return false;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, static_cast<png_uint_32>(px.width), static_cast<png_uint_32>(px.height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<size_t>(px.width) * 3);
  for (int y = 0; y < px.height; ++y) {
    for (int x = 0; x < px.width; ++x) {
      std::uint32_t p = px.At(x, y);
      row[static_cast<size_t>(x) * 3] = static_cast<png_byte>(p >> 16);
      row[static_cast<size_t>(x) * 3 + 1] = static_cast<png_byte>(p >> 8);
      row[static_cast<size_t>(x) * 3 + 2] = static_cast<png_byte>(p);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
  return true;
}

}  // namespace gditest
