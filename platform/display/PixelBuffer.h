#pragma once
// A view of 32-bit pixels, 0x00RRGGBB in memory order B, G, R, X as the platform's DIBs hold them.
#include <cstdint>

namespace platform {

struct PixelBuffer {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // pixels per row

  std::uint32_t* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
  std::uint32_t& At(int x, int y) const { return Row(y)[x]; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

}  // namespace platform
