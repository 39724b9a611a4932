#include "platform/win/ScreenDc.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/gdi/Surface.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

// The screen as the windows show it while a screen DC is out: their pixels composed in z-order,
// with what each window shows of the screen, so that what is drawn goes back to the window that
// shows it. The desktop itself has no pixels: drawing there lands nowhere.
struct ScreenCanvas {
  RECT bounds{};  // screen coordinates of pixels[0]
  std::vector<std::uint32_t> pixels, original;
  std::vector<std::pair<HWND, Region>> shown;  // screen coordinates, topmost first
  int Width() const { return bounds.right - bounds.left; }
};

std::map<HDC, std::unique_ptr<ScreenCanvas>>& ScreenDcs() {
  static std::map<HDC, std::unique_ptr<ScreenCanvas>> m;
  return m;
}

std::uint32_t g_nowhere = 0;

// Text is measured through a fresh screen DC each time, so the composed screen's buffers are kept
// for the next one instead of being allocated, faulted in and trimmed away again per measurement.
struct SpareBuffers {
  std::vector<std::uint32_t> pixels, original;
};

SpareBuffers& Spare() {
  static SpareBuffers spare;
  return spare;
}

}  // namespace

HDC MakeScreenDc() {
  auto canvas = std::make_unique<ScreenCanvas>();
  Region covered;
  for (HWND t : TopLevels()) {
    Window* w = Find(t);
    if (!w || !w->store || w->messageOnly || !w->Visible() || IsIconic(t) || w->store->pixels.empty()) continue;
    Region area(RECT{0, 0, w->store->width, w->store->height});
    if (w->windowRgn) area.Intersect(*w->windowRgn);
    area.Offset(w->rect.left, w->rect.top);
    area.Subtract(covered);
    if (area.Empty()) continue;
    covered.Unite(area);
    canvas->shown.emplace_back(t, std::move(area));
  }
  if (covered.Empty()) {
    PixelBuffer none{&g_nowhere, 1, 1, 1};
    HDC dc = platform::gdi::CreateSurfaceDC(none, {0, 0}, Region(), nullptr);
    ScreenDcs()[dc] = std::move(canvas);
    return dc;
  }
  canvas->bounds = covered.Bounds();
  const int width = canvas->Width(), height = canvas->bounds.bottom - canvas->bounds.top;
  canvas->pixels = std::move(Spare().pixels);
  canvas->original = std::move(Spare().original);
  canvas->pixels.assign(static_cast<std::size_t>(width) * height, 0);
  for (auto& [t, area] : canvas->shown) {
    Window* w = Find(t);
    for (const RECT& r : area.Rects()) {
      for (int y = r.top; y < r.bottom; ++y) {
        const std::uint32_t* from = &w->store->pixels[static_cast<std::size_t>(y - w->rect.top) * w->store->width +
                                                      (r.left - w->rect.left)];
        std::uint32_t* to = &canvas->pixels[static_cast<std::size_t>(y - canvas->bounds.top) * width +
                                            (r.left - canvas->bounds.left)];
        std::memcpy(to, from, sizeof(std::uint32_t) * static_cast<std::size_t>(r.right - r.left));
      }
    }
  }
  canvas->original.assign(canvas->pixels.begin(), canvas->pixels.end());
  Region visible = covered;
  visible.Offset(-canvas->bounds.left, -canvas->bounds.top);
  PixelBuffer target{canvas->pixels.data(), width, height, width};
  HDC dc = platform::gdi::CreateSurfaceDC(target, {-canvas->bounds.left, -canvas->bounds.top}, visible, nullptr);
  ScreenDcs()[dc] = std::move(canvas);
  return dc;
}

bool ReleaseScreenDc(HDC dc) {
  auto it = ScreenDcs().find(dc);
  if (it == ScreenDcs().end()) return false;
  std::unique_ptr<ScreenCanvas> canvas = std::move(it->second);
  ScreenDcs().erase(it);
  platform::gdi::DestroySurfaceDC(dc);
  const int width = canvas->Width();
  for (auto& [t, area] : canvas->shown) {
    // A window gone or moved while the DC was out keeps its own pixels.
    Window* w = Find(t);
    if (!w || !w->store) continue;
    RECT inStore{w->rect.left, w->rect.top, w->rect.left + w->store->width, w->rect.top + w->store->height};
    Region changed;
    for (const RECT& r : area.Rects()) {
      // Each row's changed run is shown; rows of a frame change only near its edges.
      const int left = std::max(r.left, inStore.left), right = std::min(r.right, inStore.right);
      if (left >= right) continue;
      for (int y = std::max(r.top, inStore.top); y < std::min(r.bottom, inStore.bottom); ++y) {
        std::size_t row = static_cast<std::size_t>(y - canvas->bounds.top) * width;
        const std::size_t start = row + static_cast<std::size_t>(left - canvas->bounds.left);
        if (std::memcmp(&canvas->pixels[start], &canvas->original[start],
                        sizeof(std::uint32_t) * static_cast<std::size_t>(right - left)) == 0)
          continue;
        int first = -1, last = -1;
        for (int x = left; x < right; ++x) {
          std::size_t i = row + static_cast<std::size_t>(x - canvas->bounds.left);
          if (canvas->pixels[i] == canvas->original[i]) continue;
          w->store->pixels[static_cast<std::size_t>(y - w->rect.top) * w->store->width + (x - w->rect.left)] =
              canvas->pixels[i];
          if (first < 0) first = x;
          last = x;
        }
        if (first >= 0) changed.Unite(RECT{first - w->rect.left, y - w->rect.top, last + 1 - w->rect.left, y + 1 - w->rect.top});
      }
    }
    if (!changed.Empty()) MarkDirty(*w, changed);
  }
  if (canvas->pixels.capacity() > Spare().pixels.capacity()) {
    Spare().pixels = std::move(canvas->pixels);
    Spare().original = std::move(canvas->original);
  }
  return true;
}

}  // namespace platform::wm
