// A virtual screen in memory. Injected input is queued exactly as a desktop would deliver it,
// so the window system under test cannot tell it from a real screen.
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <system_error>

#include "platform/display/Display.h"
#include "platform/display/VirtualKeys.h"
#include "platform/system/Clock.h"

namespace platform {
namespace {

// What the desktop shows where no window is.
constexpr std::uint32_t kDesktopColor = 0x003A6EA5;

struct Surface {
  ScreenRect bounds;
  SurfaceFlags flags;
  LayerAttributes layer;
  std::vector<ScreenRect> shape;
  std::vector<std::uint8_t> shapeMask;  // one byte per pixel; empty when the whole rectangle counts
  std::vector<std::uint32_t> pixels;    // the last presented pixels, bounds-sized
  std::vector<ScreenRect> lastDirty;
  std::string title;
  bool visible = false;

  int Width() const { return std::max(0, bounds.Width()); }
  int Height() const { return std::max(0, bounds.Height()); }
  std::uint32_t Pixel(int x, int y) const { return pixels[static_cast<std::size_t>(y) * Width() + x]; }

  bool InShape(int x, int y) const {
    return shapeMask.empty() || shapeMask[static_cast<std::size_t>(y) * Width() + x] != 0;
  }

  // Where the eye and the mouse pass through a layered window.
  bool Transparent(int x, int y) const {
    if (!layer.layered) return false;
    std::uint32_t p = Pixel(x, y);
    if (layer.perPixelAlpha) return (p >> 24) == 0;
    return layer.useColorKey && (p & 0xFFFFFF) == (layer.colorKey & 0xFFFFFF);
  }

  void RebuildMask() {
    shapeMask.clear();
    if (shape.empty()) return;
    int w = Width(), h = Height();
    shapeMask.assign(static_cast<std::size_t>(w) * h, 0);
    for (const ScreenRect& r : shape) {
      int l = std::max(0, r.left), t = std::max(0, r.top);
      int rr = std::min(w, r.right), b = std::min(h, r.bottom);
      for (int y = t; y < b; ++y)
        for (int x = l; x < rr; ++x) shapeMask[static_cast<std::size_t>(y) * w + x] = 1;
    }
  }

  void Resize(const ScreenRect& newBounds) {
    int oldW = Width(), oldH = Height();
    std::vector<std::uint32_t> old = std::move(pixels);
    bounds = newBounds;
    int w = Width(), h = Height();
    pixels.assign(static_cast<std::size_t>(w) * h, 0);
    // The desktop keeps what it can until the window repaints.
    for (int y = 0; y < std::min(h, oldH); ++y)
      std::copy_n(old.begin() + static_cast<std::ptrdiff_t>(y) * oldW, std::min(w, oldW),
                  pixels.begin() + static_cast<std::ptrdiff_t>(y) * w);
    RebuildMask();
  }
};

std::uint32_t Blend(std::uint32_t dst, std::uint32_t src, unsigned srcAlpha, bool premultiplied) {
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    unsigned s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
    unsigned v = premultiplied ? s + (d * (255 - srcAlpha) + 127) / 255
                               : (s * srcAlpha + d * (255 - srcAlpha) + 127) / 255;
    out |= std::min(255u, v) << shift;
  }
  return out;
}

class HeadlessDisplay final : public Display, public HeadlessControl {
 public:
  HeadlessDisplay(int width, int height) : width_(std::max(1, width)), height_(std::max(1, height)) {}

  // Display
  std::string Name() const override { return "headless"; }
  ScreenRect ScreenBounds() const override {
    std::lock_guard lock(mutex_);
    return {0, 0, width_, height_};
  }
  ScreenRect WorkArea() const override { return ScreenBounds(); }

  SurfaceId CreateSurface(const ScreenRect& bounds, const SurfaceFlags& flags) override {
    std::lock_guard lock(mutex_);
    SurfaceId id = nextId_++;
    Surface& s = surfaces_[id];
    s.flags = flags;
    s.Resize(bounds);
    order_.insert(order_.begin(), id);
    return id;
  }

  void DestroySurface(SurfaceId id) override {
    std::lock_guard lock(mutex_);
    if (!surfaces_.erase(id)) return;
    order_.erase(std::remove(order_.begin(), order_.end(), id), order_.end());
    if (focus_ == id) focus_ = 0;
    if (grab_ == id) grab_ = 0;
  }

  void SetBounds(SurfaceId id, const ScreenRect& bounds) override {
    std::lock_guard lock(mutex_);
    if (Surface* s = Find(id)) s->Resize(bounds);
  }

  void SetVisible(SurfaceId id, bool visible) override {
    std::lock_guard lock(mutex_);
    if (Surface* s = Find(id)) s->visible = visible;
  }

  void SetTitle(SurfaceId id, const std::string& utf8) override {
    std::lock_guard lock(mutex_);
    if (Surface* s = Find(id)) s->title = utf8;
  }

  void Restack(const std::vector<SurfaceId>& topToBottom) override {
    std::lock_guard lock(mutex_);
    std::vector<SurfaceId> order;
    for (SurfaceId id : topToBottom)
      if (Find(id) && std::find(order.begin(), order.end(), id) == order.end()) order.push_back(id);
    for (SurfaceId id : order_)
      if (std::find(order.begin(), order.end(), id) == order.end()) order.push_back(id);
    order_ = std::move(order);
  }

  void SetFlags(SurfaceId id, const SurfaceFlags& flags) override {
    std::lock_guard lock(mutex_);
    if (Surface* s = Find(id)) s->flags = flags;
  }

  void SetLayer(SurfaceId id, const LayerAttributes& layer) override {
    std::lock_guard lock(mutex_);
    if (Surface* s = Find(id)) s->layer = layer;
  }

  void SetShape(SurfaceId id, const std::vector<ScreenRect>& rects) override {
    std::lock_guard lock(mutex_);
    if (Surface* s = Find(id)) {
      s->shape = rects;
      s->RebuildMask();
    }
  }

  bool Activate(SurfaceId id) override {
    std::lock_guard lock(mutex_);
    if (!Find(id)) return false;
    if (focus_ == id) return true;
    if (focus_) Push(Event(InputKind::FocusOut, focus_));
    focus_ = id;
    Push(Event(InputKind::FocusIn, id));
    return true;
  }

  void Present(SurfaceId id, const PixelBuffer& pb, const std::vector<ScreenRect>& dirty) override {
    std::lock_guard lock(mutex_);
    Surface* s = Find(id);
    if (!s || !pb.pixels) return;
    s->lastDirty = dirty;
    int w = std::min(s->Width(), pb.width), h = std::min(s->Height(), pb.height);
    for (const ScreenRect& r : dirty) {
      int l = std::max(0, r.left), t = std::max(0, r.top);
      int rr = std::min(w, r.right), b = std::min(h, r.bottom);
      if (l >= rr) continue;
      for (int y = t; y < b; ++y)
        std::copy(pb.Row(y) + l, pb.Row(y) + rr, s->pixels.begin() + static_cast<std::ptrdiff_t>(y) * s->Width() + l);
    }
  }

  bool Wait(int timeoutMs) override {
    std::unique_lock lock(mutex_);
    auto ready = [this] { return !queue_.empty() || woken_; };
    if (timeoutMs < 0)
      cv_.wait(lock, ready);
    else
      cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
    woken_ = false;
    return !queue_.empty();
  }

  bool Poll(InputEvent& event) override {
    std::lock_guard lock(mutex_);
    if (queue_.empty()) return false;
    event = std::move(queue_.front());
    queue_.pop_front();
    return true;
  }

  void Wake() override {
    {
      std::lock_guard lock(mutex_);
      woken_ = true;
    }
    cv_.notify_all();
  }

  void SetCursor(CursorShape shape) override {
    std::lock_guard lock(mutex_);
    cursor_ = shape;
    cursorImage_.reset();
  }

  void SetCursorImage(std::shared_ptr<const CursorImage> image) override {
    std::lock_guard lock(mutex_);
    cursor_ = image ? CursorShape::Image : CursorShape::Arrow;
    cursorImage_ = std::move(image);
  }

  void GetMousePosition(int& x, int& y) const override {
    std::lock_guard lock(mutex_);
    x = mouseX_;
    y = mouseY_;
  }

  // Moving the pointer by program reports a move, as a desktop does.
  void WarpMouse(int x, int y) override { InjectMouseMove(x, y); }

  // The virtual screen composes alpha itself, so translucency is always visible in screenshots.
  bool SupportsTranslucency() const override { return true; }

  void Beep(const BeepSound& sound) override {
    std::lock_guard lock(mutex_);
    beeps_.push_back(sound);
  }

  std::vector<BeepSound> Beeps() const override {
    std::lock_guard lock(mutex_);
    return beeps_;
  }

  void ClearBeeps() override {
    std::lock_guard lock(mutex_);
    beeps_.clear();
  }

  // Nothing is heard here: a sound counts as played when it names something that could be, a
  // system sound or a file that is there.
  bool PlaySound(const SoundRequest& sound) override {
    {
      std::lock_guard lock(mutex_);
      sounds_.push_back(sound);
    }
    std::error_code ec;
    return sound.name.empty() || sound.alias || std::filesystem::is_regular_file(sound.name, ec);
  }

  std::vector<SoundRequest> Sounds() const override {
    std::lock_guard lock(mutex_);
    return sounds_;
  }

  void ClearSounds() override {
    std::lock_guard lock(mutex_);
    sounds_.clear();
  }

  std::string ClipboardText() const override {
    std::lock_guard lock(mutex_);
    return clipboard_;
  }
  void SetClipboardText(const std::string& utf8) override {
    std::lock_guard lock(mutex_);
    clipboard_ = utf8;
  }

  // HeadlessControl
  void SetScreenSize(int width, int height) override {
    std::lock_guard lock(mutex_);
    width_ = std::max(1, width);
    height_ = std::max(1, height);
  }

  void InjectMouseMove(int x, int y) override {
    std::lock_guard lock(mutex_);
    mouseX_ = x;
    mouseY_ = y;
    Push(MouseEvent(InputKind::MouseMove));
  }

  void InjectMouseButton(int button, bool down) override {
    std::lock_guard lock(mutex_);
    if (button < kButtonLeft || button > kButtonX2) return;
    unsigned bit = 1u << button;
    // While a button is held the desktop keeps sending the mouse to the surface it went down on.
    if (down) {
      if (!buttons_) grab_ = Locate(mouseX_, mouseY_);
      buttons_ |= bit;
    }
    InputEvent e = MouseEvent(down ? InputKind::MouseDown : InputKind::MouseUp);
    e.button = button;
    if (!down) {
      buttons_ &= ~bit;
      if (!buttons_) grab_ = 0;
    }
    Push(std::move(e));
  }

  void InjectWheel(int delta) override {
    std::lock_guard lock(mutex_);
    InputEvent e = MouseEvent(InputKind::MouseWheel);
    e.wheelDelta = delta;
    Push(std::move(e));
  }

  void InjectKey(unsigned code, bool down) override {
    std::lock_guard lock(mutex_);
    vk::KeyCode key = vk::DescribeKey(code);
    InputEvent e = Event(down ? InputKind::KeyDown : InputKind::KeyUp, focus_);
    e.vk = key.vk;
    e.scanCode = key.scanCode;
    e.extended = key.extended;
    bool wasDown = keysDown_.count(code) != 0;
    if (down) {
      e.repeat = wasDown;
      keysDown_.insert(code);
    } else {
      keysDown_.erase(code);
    }
    // Lock keys toggle on press; the event carries the state after the change, as X reports it.
    if (down && !wasDown && key.vk == vk::kCapital) locks_ ^= kModCapsLock;
    if (down && !wasDown && key.vk == vk::kNumLock) locks_ ^= kModNumLock;
    e.modifiers = Modifiers();
    Push(std::move(e));
  }

  void InjectText(const std::string& utf8) override {
    std::lock_guard lock(mutex_);
    if (utf8.empty()) return;
    InputEvent e = Event(InputKind::Text, focus_);
    e.text = utf8;
    Push(std::move(e));
  }

  void InjectEvent(const InputEvent& event) override {
    std::lock_guard lock(mutex_);
    InputEvent e = event;
    if (!e.timeMs) e.timeMs = CurrentClock().NowMs();
    Push(std::move(e));
  }

  std::vector<std::uint32_t> ComposeScreen(int& width, int& height) const override {
    std::lock_guard lock(mutex_);
    width = width_;
    height = height_;
    std::vector<std::uint32_t> screen(static_cast<std::size_t>(width_) * height_, kDesktopColor);
    for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
      const Surface& s = surfaces_.at(*it);
      if (!s.visible) continue;
      int x0 = std::max(0, s.bounds.left), y0 = std::max(0, s.bounds.top);
      int x1 = std::min(width_, s.bounds.left + s.Width()), y1 = std::min(height_, s.bounds.top + s.Height());
      for (int y = y0; y < y1; ++y) {
        int sy = y - s.bounds.top;
        std::uint32_t* out = screen.data() + static_cast<std::size_t>(y) * width_;
        for (int x = x0; x < x1; ++x) {
          int sx = x - s.bounds.left;
          if (!s.InShape(sx, sy) || s.Transparent(sx, sy)) continue;
          std::uint32_t p = s.Pixel(sx, sy);
          const LayerAttributes& l = s.layer;
          if (!l.layered) {
            out[x] = p & 0xFFFFFF;
          } else if (l.perPixelAlpha) {
            // The constant alpha scales the premultiplied colour and its alpha alike.
            unsigned ca = l.useAlpha ? l.alpha : 255;
            std::uint32_t src = p;
            if (ca != 255) src = Blend(0, p, ca, false);
            unsigned a = ((p >> 24) * ca + 127) / 255;
            out[x] = Blend(out[x], src & 0xFFFFFF, a, true);
          } else if (l.useAlpha) {
            out[x] = Blend(out[x], p, l.alpha, false);
          } else {
            out[x] = p & 0xFFFFFF;
          }
        }
      }
    }
    return screen;
  }

  std::vector<std::uint32_t> SurfacePixels(SurfaceId id, int& width, int& height) const override {
    std::lock_guard lock(mutex_);
    width = height = 0;
    const Surface* s = Find(id);
    if (!s) return {};
    width = s->Width();
    height = s->Height();
    return s->pixels;
  }

  bool SaveScreenshot(const std::string& pngPath) const override {
    int w = 0, h = 0;
    std::vector<std::uint32_t> screen = ComposeScreen(w, h);
    return WritePng(pngPath, screen.data(), w, h, w);
  }

  bool SaveSurfaceScreenshot(SurfaceId id, const std::string& pngPath) const override {
    bool alpha = false;
    {
      std::lock_guard lock(mutex_);
      if (const Surface* s = Find(id)) alpha = s->layer.layered && s->layer.perPixelAlpha;
    }
    int w = 0, h = 0;
    std::vector<std::uint32_t> pixels = SurfacePixels(id, w, h);
    return WritePng(pngPath, pixels.data(), w, h, w, alpha);
  }

  SurfaceId SurfaceAt(int x, int y) const override {
    std::lock_guard lock(mutex_);
    return Locate(x, y);
  }

  CursorShape Cursor() const override {
    std::lock_guard lock(mutex_);
    return cursor_;
  }

  std::shared_ptr<const CursorImage> CursorImageShown() const override {
    std::lock_guard lock(mutex_);
    return cursorImage_;
  }

  SurfaceId FocusedSurface() const override {
    std::lock_guard lock(mutex_);
    return focus_;
  }

  std::vector<ScreenRect> LastPresented(SurfaceId id) const override {
    std::lock_guard lock(mutex_);
    const Surface* s = Find(id);
    return s ? s->lastDirty : std::vector<ScreenRect>{};
  }

  std::vector<SurfaceId> TaskBarSurfaces() const override {
    std::lock_guard lock(mutex_);
    std::vector<SurfaceId> out;
    for (const auto& [id, s] : surfaces_)
      if (s.visible && OnTaskBar(s.flags)) out.push_back(id);
    return out;
  }

  SurfaceFlags Flags(SurfaceId id) const override {
    std::lock_guard lock(mutex_);
    const Surface* s = Find(id);
    return s ? s->flags : SurfaceFlags{};
  }

 private:
  Surface* Find(SurfaceId id) {
    auto it = surfaces_.find(id);
    return it == surfaces_.end() ? nullptr : &it->second;
  }
  const Surface* Find(SurfaceId id) const {
    auto it = surfaces_.find(id);
    return it == surfaces_.end() ? nullptr : &it->second;
  }

  SurfaceId Locate(int x, int y) const {
    for (SurfaceId id : order_) {
      const Surface& s = surfaces_.at(id);
      int sx = x - s.bounds.left, sy = y - s.bounds.top;
      if (!s.visible || sx < 0 || sy < 0 || sx >= s.Width() || sy >= s.Height()) continue;
      if (s.InShape(sx, sy) && !s.Transparent(sx, sy)) return id;
    }
    return 0;
  }

  unsigned Modifiers() const {
    unsigned m = locks_;
    for (unsigned code : keysDown_) {
      unsigned generic = vk::GenericKey(code);
      if (generic == vk::kShift) m |= kModShift;
      if (generic == vk::kControl) m |= kModCtrl;
      if (generic == vk::kMenu) m |= kModAlt;
    }
    return m;
  }

  InputEvent Event(InputKind kind, SurfaceId surface) const {
    InputEvent e;
    e.kind = kind;
    e.surface = surface;
    e.x = mouseX_;
    e.y = mouseY_;
    e.modifiers = Modifiers();
    e.timeMs = CurrentClock().NowMs();
    return e;
  }

  InputEvent MouseEvent(InputKind kind) const { return Event(kind, grab_ ? grab_ : Locate(mouseX_, mouseY_)); }

  void Push(InputEvent e) {
    queue_.push_back(std::move(e));
    cv_.notify_all();
  }

  mutable std::mutex mutex_;
  std::condition_variable cv_;
  int width_, height_;
  std::map<SurfaceId, Surface> surfaces_;
  std::vector<SurfaceId> order_;  // topmost first
  SurfaceId nextId_ = 1;
  SurfaceId focus_ = 0;
  SurfaceId grab_ = 0;
  unsigned buttons_ = 0;
  std::set<unsigned> keysDown_;
  unsigned locks_ = 0;
  int mouseX_ = 0, mouseY_ = 0;
  std::deque<InputEvent> queue_;
  bool woken_ = false;
  CursorShape cursor_ = CursorShape::Arrow;
  std::shared_ptr<const CursorImage> cursorImage_;
  std::vector<BeepSound> beeps_;
  std::vector<SoundRequest> sounds_;
  std::string clipboard_;
};

}  // namespace

std::unique_ptr<Display> CreateHeadlessDisplay(int width, int height) {
  return std::make_unique<HeadlessDisplay>(width, height);
}

}  // namespace platform
