#include "platform/display/Display.h"

#include <png.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <stdexcept>

namespace platform {
namespace {

std::mutex& DisplayMutex() {
  static std::mutex m;
  return m;
}

std::unique_ptr<Display>& Installed() {
  static std::unique_ptr<Display> display;
  return display;
}

std::atomic<std::uint64_t> gGeneration{0};

std::unique_ptr<Display> CreateFromEnvironment() {
  const char* env = std::getenv("VW_DISPLAY");
  std::string name = env ? env : "";
  if (name.empty() || name == "sdl") return CreateSdlDisplay();
  if (name == "headless") return CreateHeadlessDisplay();
  throw std::runtime_error("VW_DISPLAY is \"" + name + "\"; use \"sdl\" or \"headless\"");
}

}  // namespace

Display& CurrentDisplay() {
  std::lock_guard lock(DisplayMutex());
  auto& display = Installed();
  if (!display) display = CreateFromEnvironment();
  return *display;
}

bool HasDisplay() {
  std::lock_guard lock(DisplayMutex());
  return Installed() != nullptr;
}

void InstallDisplay(std::unique_ptr<Display> display) {
  std::unique_ptr<Display> old;
  {
    std::lock_guard lock(DisplayMutex());
    old = std::move(Installed());
    Installed() = std::move(display);
    gGeneration.fetch_add(1);
  }
  // The old display is torn down outside the lock: its destructor may close native windows.
}

void ResetDisplay() { InstallDisplay(nullptr); }

std::uint64_t DisplayGeneration() { return gGeneration.load(); }

HeadlessControl* Headless() {
  std::lock_guard lock(DisplayMutex());
  return dynamic_cast<HeadlessControl*>(Installed().get());
}

bool WritePng(const std::string& path, const std::uint32_t* pixels, int width, int height, int stride, bool alpha) {
  if (!pixels || width <= 0 || height <= 0 || stride < width) return false;
  const int channels = alpha ? 4 : 3;
  std::vector<png_byte> rgb(static_cast<std::size_t>(width) * height * channels);
  png_byte* out = rgb.data();
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      std::uint32_t p = row[x];
      unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      if (alpha) {
        unsigned a = p >> 24;
        // Premultiplied in memory, straight in the file.
        if (a == 0) {
          r = g = b = 0;
        } else if (a < 255) {
          r = std::min(255u, (r * 255 + a / 2) / a);
          g = std::min(255u, (g * 255 + a / 2) / a);
          b = std::min(255u, (b * 255 + a / 2) / a);
        }
        *out++ = static_cast<png_byte>(r);
        *out++ = static_cast<png_byte>(g);
        *out++ = static_cast<png_byte>(b);
        *out++ = static_cast<png_byte>(a);
      } else {
        *out++ = static_cast<png_byte>(r);
        *out++ = static_cast<png_byte>(g);
        *out++ = static_cast<png_byte>(b);
      }
    }
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  // Written beside the target and renamed, so a reader never sees half a picture.
  std::string temp = path + ".part";
  bool ok = png_image_write_to_file(&image, temp.c_str(), 0, rgb.data(), 0, nullptr) != 0;
  png_image_free(&image);
  if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) std::remove(temp.c_str());
  return ok;
}

}  // namespace platform
