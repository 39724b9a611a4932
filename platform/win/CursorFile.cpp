#include "platform/win/CursorFile.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace platform::wm {
namespace {

std::uint32_t U16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t U32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::size_t Stride(int width, int bits) { return ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4; }

}  // namespace

std::shared_ptr<const CursorImage> DecodeCursorFile(const std::uint8_t* d, std::size_t size, int preferred) {
  if (!d || size < 6 || U16(d) != 0 || U16(d + 2) != 2) return nullptr;
  const std::size_t count = U16(d + 4);
  if (count == 0 || (size - 6) / 16 < count) return nullptr;

  std::size_t best = 0;
  long bestScore = std::numeric_limits<long>::max();
  for (std::size_t k = 0; k < count; ++k) {
    const std::uint8_t* e = d + 6 + k * 16;
    int w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
    long score = std::labs(w - preferred) + std::labs(h - preferred);
    if (score < bestScore) {
      bestScore = score;
      best = k;
    }
  }
  const std::uint8_t* e = d + 6 + best * 16;
  const int hotX = static_cast<int>(U16(e + 4)), hotY = static_cast<int>(U16(e + 6));
  const std::size_t bytes = U32(e + 8), offset = U32(e + 12);
  if (offset > size || bytes > size - offset || bytes < 40) return nullptr;
  const std::uint8_t* img = d + offset;
  const std::uint32_t headerSize = U32(img);
  if (headerSize < 40 || headerSize > bytes) return nullptr;  // also a PNG entry: its signature is no size
  const auto w = static_cast<std::int32_t>(U32(img + 4));
  const auto h2 = static_cast<std::int32_t>(U32(img + 8));
  const int bits = static_cast<int>(U16(img + 14));
  const std::uint32_t compression = U32(img + 16), used = U32(img + 32);
  if (w <= 0 || w > 256 || h2 <= 0 || h2 > 512 || h2 % 2 || compression != 0) return nullptr;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return nullptr;
  const int h = h2 / 2;
  const std::size_t tableCount = bits <= 8 ? (used && used < (1u << bits) ? used : 1u << bits) : 0;
  const std::size_t colorAt = headerSize + tableCount * 4;
  const std::size_t colorStride = Stride(w, bits), maskStride = Stride(w, 1);
  const std::size_t colorBytes = colorStride * static_cast<std::size_t>(h);
  if (colorAt > bytes || bytes - colorAt < colorBytes + maskStride * static_cast<std::size_t>(h)) return nullptr;
  const std::uint8_t* table = img + headerSize;
  const std::uint8_t* colors = img + colorAt;
  const std::uint8_t* mask = colors + colorBytes;

  auto image = std::make_shared<CursorImage>();
  image->width = w;
  image->height = h;
  image->hotX = std::min(hotX, w - 1);
  image->hotY = std::min(hotY, h - 1);
  image->pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  // A 32-bit image with alpha uses it; one without any relies on its mask, as older files do.
  bool useAlpha = false;
  if (bits == 32)
    for (std::size_t i = 0; i < colorBytes / 4 && !useAlpha; ++i) useAlpha = colors[i * 4 + 3] != 0;
  for (int y = 0; y < h; ++y) {
    // Rows are stored bottom-up.
    const std::uint8_t* row = colors + static_cast<std::size_t>(h - 1 - y) * colorStride;
    const std::uint8_t* maskRow = mask + static_cast<std::size_t>(h - 1 - y) * maskStride;
    for (int x = 0; x < w; ++x) {
      std::uint32_t rgb = 0;
      if (bits <= 8) {
        std::size_t index = 0;
        if (bits == 8) index = row[x];
        else if (bits == 4) index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
        else index = (row[x / 8] >> (7 - x % 8)) & 1;
        if (index < tableCount) rgb = U32(table + index * 4) & 0xFFFFFF;
      } else if (bits == 24) {
        const std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
        rgb = p[0] | (p[1] << 8) | (p[2] << 16);
      } else {
        const std::uint32_t p = U32(row + static_cast<std::size_t>(x) * 4);
        if (useAlpha) {
          image->pixels[static_cast<std::size_t>(y) * w + x] = p;
          continue;
        }
        rgb = p & 0xFFFFFF;
      }
      // Where the mask is set the platform shows the screen, inverted by a non-black colour;
      // colour cursors cannot invert, so such pixels are shown black, which reads on light ground.
      const bool masked = (maskRow[x / 8] >> (7 - x % 8)) & 1;
      image->pixels[static_cast<std::size_t>(y) * w + x] = masked ? (rgb ? 0xFF000000u : 0u) : (0xFF000000u | rgb);
    }
  }
  return image;
}

}  // namespace platform::wm
