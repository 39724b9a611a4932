// Real windows through SDL: one borderless native window per top-level window. The window system
// draws every pixel itself, frames included; this backend only shows them and reports input.
// SDL must be driven from the thread that created the display; only Wake may come from others.
#include <SDL.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <map>
#include <numbers>
#include <stdexcept>

#include "platform/display/Display.h"
#include "platform/display/QuitSignals.h"
#include "platform/display/VirtualKeys.h"
#include "platform/display/X11Native.h"
#include "platform/system/Clock.h"

namespace platform {
namespace {

// Virtual key, scan code and extended flag of an SDL key, as a US keyboard reports them.
vk::KeyCode TranslateKey(const SDL_Keysym& key) {
  SDL_Scancode sc = key.scancode;
  // Letters and digits follow the layout, as virtual keys do; the rest is positional.
  if (key.sym >= 'a' && key.sym <= 'z') return vk::DescribeKey(static_cast<unsigned>(key.sym - 'a' + 'A'));
  if (key.sym >= '0' && key.sym <= '9' && !(sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_0))
    return vk::DescribeKey(static_cast<unsigned>(key.sym));
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return vk::DescribeKey('A' + (sc - SDL_SCANCODE_A));
  if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return vk::DescribeKey('1' + (sc - SDL_SCANCODE_1));
  if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return vk::DescribeKey(vk::kF1 + (sc - SDL_SCANCODE_F1));
  if (sc >= SDL_SCANCODE_F13 && sc <= SDL_SCANCODE_F24)
    return vk::DescribeKey(vk::kF1 + 12 + (sc - SDL_SCANCODE_F13));

  // The keypad: digits with Num Lock on, navigation keys with it off; either way the keypad's
  // own scan codes, never extended.
  static constexpr struct {
    SDL_Scancode sc;
    unsigned numpad, nav;
  } kKeypad[] = {
      {SDL_SCANCODE_KP_0, vk::kNumpad0, vk::kInsert},     {SDL_SCANCODE_KP_1, vk::kNumpad0 + 1, vk::kEnd},
      {SDL_SCANCODE_KP_2, vk::kNumpad0 + 2, vk::kDown},   {SDL_SCANCODE_KP_3, vk::kNumpad0 + 3, vk::kNext},
      {SDL_SCANCODE_KP_4, vk::kNumpad0 + 4, vk::kLeft},   {SDL_SCANCODE_KP_5, vk::kNumpad0 + 5, vk::kClear},
      {SDL_SCANCODE_KP_6, vk::kNumpad0 + 6, vk::kRight},  {SDL_SCANCODE_KP_7, vk::kNumpad0 + 7, vk::kHome},
      {SDL_SCANCODE_KP_8, vk::kNumpad0 + 8, vk::kUp},     {SDL_SCANCODE_KP_9, vk::kNumpad0 + 9, vk::kPrior},
      {SDL_SCANCODE_KP_PERIOD, vk::kDecimal, vk::kDelete},
  };
  for (const auto& k : kKeypad) {
    if (k.sc != sc) continue;
    vk::KeyCode code = vk::DescribeKey(k.numpad);
    if (!(key.mod & KMOD_NUM)) code.vk = k.nav;
    return code;
  }

  unsigned v = 0;
  switch (sc) {
    case SDL_SCANCODE_0: v = '0'; break;
    case SDL_SCANCODE_RETURN: v = vk::kReturn; break;
    case SDL_SCANCODE_ESCAPE: v = vk::kEscape; break;
    case SDL_SCANCODE_BACKSPACE: v = vk::kBack; break;
    case SDL_SCANCODE_TAB: v = vk::kTab; break;
    case SDL_SCANCODE_SPACE: v = vk::kSpace; break;
    case SDL_SCANCODE_MINUS: v = vk::kOemMinus; break;
    case SDL_SCANCODE_EQUALS: v = vk::kOemPlus; break;
    case SDL_SCANCODE_LEFTBRACKET: v = vk::kOem4; break;
    case SDL_SCANCODE_RIGHTBRACKET: v = vk::kOem6; break;
    case SDL_SCANCODE_BACKSLASH: v = vk::kOem5; break;
    case SDL_SCANCODE_NONUSHASH: v = vk::kOem5; break;
    case SDL_SCANCODE_SEMICOLON: v = vk::kOem1; break;
    case SDL_SCANCODE_APOSTROPHE: v = vk::kOem7; break;
    case SDL_SCANCODE_GRAVE: v = vk::kOem3; break;
    case SDL_SCANCODE_COMMA: v = vk::kOemComma; break;
    case SDL_SCANCODE_PERIOD: v = vk::kOemPeriod; break;
    case SDL_SCANCODE_SLASH: v = vk::kOem2; break;
    case SDL_SCANCODE_NONUSBACKSLASH: v = vk::kOem102; break;
    case SDL_SCANCODE_CAPSLOCK: v = vk::kCapital; break;
    case SDL_SCANCODE_PRINTSCREEN: v = vk::kSnapshot; break;
    case SDL_SCANCODE_SCROLLLOCK: v = vk::kScroll; break;
    case SDL_SCANCODE_PAUSE: v = vk::kPause; break;
    case SDL_SCANCODE_INSERT: v = vk::kInsert; break;
    case SDL_SCANCODE_HOME: v = vk::kHome; break;
    case SDL_SCANCODE_PAGEUP: v = vk::kPrior; break;
    case SDL_SCANCODE_DELETE: v = vk::kDelete; break;
    case SDL_SCANCODE_END: v = vk::kEnd; break;
    case SDL_SCANCODE_PAGEDOWN: v = vk::kNext; break;
    case SDL_SCANCODE_RIGHT: v = vk::kRight; break;
    case SDL_SCANCODE_LEFT: v = vk::kLeft; break;
    case SDL_SCANCODE_DOWN: v = vk::kDown; break;
    case SDL_SCANCODE_UP: v = vk::kUp; break;
    case SDL_SCANCODE_NUMLOCKCLEAR: v = vk::kNumLock; break;
    case SDL_SCANCODE_KP_DIVIDE: v = vk::kDivide; break;
    case SDL_SCANCODE_KP_MULTIPLY: v = vk::kMultiply; break;
    case SDL_SCANCODE_KP_MINUS: v = vk::kSubtract; break;
    case SDL_SCANCODE_KP_PLUS: v = vk::kAdd; break;
    case SDL_SCANCODE_KP_ENTER: return {vk::kReturn, 0x1C, true};
    case SDL_SCANCODE_APPLICATION: v = vk::kApps; break;
    case SDL_SCANCODE_HELP: v = vk::kHelp; break;
    case SDL_SCANCODE_LCTRL: v = vk::kLControl; break;
    case SDL_SCANCODE_LSHIFT: v = vk::kLShift; break;
    case SDL_SCANCODE_LALT: v = vk::kLMenu; break;
    case SDL_SCANCODE_LGUI: v = vk::kLWin; break;
    case SDL_SCANCODE_RCTRL: v = vk::kRControl; break;
    case SDL_SCANCODE_RSHIFT: v = vk::kRShift; break;
    case SDL_SCANCODE_RALT: v = vk::kRMenu; break;
    case SDL_SCANCODE_RGUI: v = vk::kRWin; break;
    default: break;
  }
  return vk::DescribeKey(v);
}

unsigned TranslateModifiers(Uint16 mod) {
  unsigned m = 0;
  if (mod & KMOD_SHIFT) m |= kModShift;
  if (mod & KMOD_CTRL) m |= kModCtrl;
  if (mod & KMOD_ALT) m |= kModAlt;
  if (mod & KMOD_CAPS) m |= kModCapsLock;
  if (mod & KMOD_NUM) m |= kModNumLock;
  return m;
}

SDL_SystemCursor SystemCursor(CursorShape shape) {
  switch (shape) {
    case CursorShape::IBeam: return SDL_SYSTEM_CURSOR_IBEAM;
    case CursorShape::Wait: return SDL_SYSTEM_CURSOR_WAIT;
    case CursorShape::Cross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case CursorShape::SizeNWSE: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case CursorShape::SizeNESW: return SDL_SYSTEM_CURSOR_SIZENESW;
    case CursorShape::SizeWE: return SDL_SYSTEM_CURSOR_SIZEWE;
    case CursorShape::SizeNS: return SDL_SYSTEM_CURSOR_SIZENS;
    case CursorShape::SizeAll: return SDL_SYSTEM_CURSOR_SIZEALL;
    case CursorShape::No: return SDL_SYSTEM_CURSOR_NO;
    case CursorShape::Hand: return SDL_SYSTEM_CURSOR_HAND;
    case CursorShape::AppStarting: return SDL_SYSTEM_CURSOR_WAITARROW;
    // The desktop has no up-arrow or help cursor of its own.
    default: return SDL_SYSTEM_CURSOR_ARROW;
  }
}

bool Set(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

ScreenRect Clip(const ScreenRect& r, int width, int height) {
  return {std::max(0, r.left), std::max(0, r.top), std::min(width, r.right), std::min(height, r.bottom)};
}

struct Native {
  SDL_Window* window = nullptr;
  ScreenRect bounds;
  SurfaceFlags flags;
  LayerAttributes layer;
  std::vector<ScreenRect> shape;
  std::vector<ScreenRect> appliedShape;
  bool shaped = false;       // a shape is applied natively
  bool visible = false;
  bool needsFull = true;     // the native window's pixels are not ours yet: copy everything next time
  std::string title;
};

class SdlDisplay final : public Display {
 public:
  SdlDisplay() {
    // A console must not keep the screen saver away, nor turn Ctrl+C into a window message, and
    // closing its last window is the window system's business, not a reason to quit.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // Opacity needs the compositor, which SDL otherwise asks to step aside.
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // The click that activates a window is also a click in it.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Plain shared-memory images: exact pixels, no GL needed.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // The desktop the environment names, and only that: probing the others fills the terminal
    // with their complaints and can end on a screen nobody sees.
    const bool x = Set("DISPLAY"), wayland = Set("WAYLAND_DISPLAY");
    if (!x && !wayland && !Set("SDL_VIDEODRIVER"))
      throw DisplayUnavailable("no display to show windows on (DISPLAY is not set)");
    if (x != wayland) SDL_SetHint(SDL_HINT_VIDEODRIVER, x ? "x11" : "wayland");
    x11::EndOnConnectionLoss();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
      std::string why = x && !wayland ? "no X server there accepts us" : SDL_GetError();
      throw DisplayUnavailable("cannot open the display " + std::string(std::getenv(x ? "DISPLAY" : "WAYLAND_DISPLAY")) +
                               " (" + why + ")");
    }
    x11::EndOnConnectionLoss();
    // Without a desktop SDL falls back to drawing nowhere; a console nobody can see is a fault,
    // unless that is what was asked for.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!std::getenv("SDL_VIDEODRIVER") && driver && (std::string(driver) == "offscreen" || std::string(driver) == "dummy")) {
      SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
      throw DisplayUnavailable(std::string("no desktop to show windows on (only SDL's ") + driver + " video driver)");
    }
    wakeEvent_ = SDL_RegisterEvents(1);
    // SDL sleeps in the X connection only while it has a window to be woken through; without
    // one it polls every millisecond. This hidden window keeps the wait a true sleep.
    helper_ = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR);
    // SDL would pick a visual with a colormap of its own, and the X server then lets such a
    // window hide everything beneath its whole rectangle, shaped or not.
    const char* visual = SDL_GetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID);
    if (!visual || !*visual) {
      std::string id = x11::DefaultVisualId(helper_);
      if (!id.empty()) SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, id.c_str());
    }
    SDL_StartTextInput();
    // The request arrives as the desktop's own request to quit.
    quitSignals_ = std::make_unique<QuitSignals>([](int) {
      SDL_Event e{};
      e.type = SDL_QUIT;
      SDL_PushEvent(&e);
    });
  }

  ~SdlDisplay() override {
    quitSignals_.reset();
    // Every native call would wait on a connection that is gone.
    if (x11::ConnectionLost()) return;
    for (auto& [id, s] : surfaces_)
      if (s.window) SDL_DestroyWindow(s.window);
    if (helper_) SDL_DestroyWindow(helper_);
    for (SDL_Cursor* c : cursors_)
      if (c) SDL_FreeCursor(c);
    for (auto& [image, made] : imageCursors_)
      if (made.second) SDL_FreeCursor(made.second);
    if (audio_) SDL_CloseAudioDevice(audio_);
    if (audioTried_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    SDL_Quit();
  }

  std::string Name() const override { return "sdl"; }

  ScreenRect ScreenBounds() const override {
    SDL_Rect r{0, 0, 0, 0};
    SDL_GetDisplayBounds(0, &r);
    return {r.x, r.y, r.x + r.w, r.y + r.h};
  }

  ScreenRect WorkArea() const override {
    SDL_Rect r{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(0, &r) != 0) return ScreenBounds();
    return {r.x, r.y, r.x + r.w, r.y + r.h};
  }

  SurfaceId CreateSurface(const ScreenRect& bounds, const SurfaceFlags& flags) override {
    SurfaceId id = nextId_++;
    Native& s = surfaces_[id];
    s.bounds = bounds;
    s.flags = flags;
    if (!Open(id, s)) {
      surfaces_.erase(id);
      return 0;
    }
    order_.insert(order_.begin(), id);
    return id;
  }

  void DestroySurface(SurfaceId id) override {
    auto it = surfaces_.find(id);
    if (it == surfaces_.end()) return;
    Close(it->second);
    surfaces_.erase(it);
    order_.erase(std::remove(order_.begin(), order_.end(), id), order_.end());
  }

  void SetBounds(SurfaceId id, const ScreenRect& bounds) override {
    Native* s = Find(id);
    if (!s) return;
    bool resized = bounds.Width() != s->bounds.Width() || bounds.Height() != s->bounds.Height();
    bool moved = bounds.left != s->bounds.left || bounds.top != s->bounds.top;
    s->bounds = bounds;
    if (moved) SDL_SetWindowPosition(s->window, bounds.left, bounds.top);
    if (resized) {
      SDL_SetWindowSize(s->window, std::max(1, bounds.Width()), std::max(1, bounds.Height()));
      s->needsFull = true;
    }
    // An empty rectangle shows nothing, but SDL's windows are at least one pixel.
    ApplyVisibility(*s);
  }

  void SetVisible(SurfaceId id, bool visible) override {
    Native* s = Find(id);
    if (!s || s->visible == visible) return;
    s->visible = visible;
    ApplyVisibility(*s);
  }

  void SetTitle(SurfaceId id, const std::string& utf8) override {
    if (Native* s = Find(id)) {
      s->title = utf8;
      SDL_SetWindowTitle(s->window, utf8.c_str());
    }
  }

  void Restack(const std::vector<SurfaceId>& topToBottom) override {
    std::vector<SurfaceId> order;
    for (SurfaceId id : topToBottom)
      if (Find(id) && std::find(order.begin(), order.end(), id) == order.end()) order.push_back(id);
    for (SurfaceId id : order_)
      if (std::find(order.begin(), order.end(), id) == order.end()) order.push_back(id);
    order_ = std::move(order);
    ApplyStacking();
  }

  void SetFlags(SurfaceId id, const SurfaceFlags& flags) override {
    Native* s = Find(id);
    if (!s) return;
    bool reopen = flags.popup != s->flags.popup || flags.toolWindow != s->flags.toolWindow ||
                  flags.appWindow != s->flags.appWindow || OnTaskBar(flags) != OnTaskBar(s->flags);
    s->flags = flags;
    if (reopen) {
      // The window type is fixed when a native window is made, so it is made again.
      Close(*s);
      if (!Open(id, *s)) return;
      ApplyVisibility(*s);
      ApplyStacking();
    } else {
      SDL_SetWindowAlwaysOnTop(s->window, flags.topmost ? SDL_TRUE : SDL_FALSE);
    }
  }

  void SetLayer(SurfaceId id, const LayerAttributes& layer) override {
    Native* s = Find(id);
    if (!s) return;
    s->layer = layer;
    ApplyLayer(*s);
  }

  void SetShape(SurfaceId id, const std::vector<ScreenRect>& rects) override {
    Native* s = Find(id);
    if (!s) return;
    s->shape = rects;
    ApplyShape(*s);
  }

  bool Activate(SurfaceId id) override {
    Native* s = Find(id);
    // Menus and hints never take the focus from the window that opened them.
    if (!s || s->flags.popup || !(SDL_GetWindowFlags(s->window) & SDL_WINDOW_SHOWN)) return false;
    return SDL_SetWindowInputFocus(s->window) == 0;
  }

  void Present(SurfaceId id, const PixelBuffer& pb, const std::vector<ScreenRect>& dirty) override {
    Native* s = Find(id);
    if (!s || !pb.pixels) return;
    SDL_Surface* target = SDL_GetWindowSurface(s->window);
    if (!target) return;
    int w = std::min(target->w, pb.width), h = std::min(target->h, pb.height);
    std::vector<SDL_Rect> rects;
    if (s->needsFull) {
      rects.push_back({0, 0, w, h});
    } else {
      for (const ScreenRect& d : dirty) {
        ScreenRect r = Clip(d, w, h);
        if (r.Width() > 0 && r.Height() > 0) rects.push_back({r.left, r.top, r.Width(), r.Height()});
      }
    }
    if (rects.empty() || w <= 0 || h <= 0) return;
    if (SDL_MUSTLOCK(target)) SDL_LockSurface(target);
    const bool sameFormat = target->format->BytesPerPixel == 4 && target->format->Rmask == 0xFF0000 &&
                            target->format->Gmask == 0xFF00 && target->format->Bmask == 0xFF;
    for (const SDL_Rect& r : rects) {
      auto* dst = static_cast<std::uint8_t*>(target->pixels) + static_cast<std::ptrdiff_t>(r.y) * target->pitch +
                  r.x * target->format->BytesPerPixel;
      const std::uint32_t* src = pb.Row(r.y) + r.x;
      if (sameFormat) {
        for (int y = 0; y < r.h; ++y)
          std::copy_n(src + static_cast<std::ptrdiff_t>(y) * pb.stride, r.w,
                      reinterpret_cast<std::uint32_t*>(dst + static_cast<std::ptrdiff_t>(y) * target->pitch));
      } else {
        SDL_ConvertPixels(r.w, r.h, SDL_PIXELFORMAT_RGB888, src, pb.stride * 4, target->format->format, dst,
                          target->pitch);
      }
    }
    if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
    s->needsFull = false;
    if (KeyedShape(*s)) ApplyShape(*s);
    SDL_UpdateWindowSurfaceRects(s->window, rects.data(), static_cast<int>(rects.size()));
  }

  bool Wait(int timeoutMs) override {
    if (!pending_.empty()) return true;
    constexpr std::uint64_t kNever = ~std::uint64_t{0};
    const std::uint64_t deadline = timeoutMs < 0 ? kNever : SDL_GetTicks64() + static_cast<std::uint64_t>(timeoutMs);
    for (;;) {
      std::uint64_t now = SDL_GetTicks64();
      // A finished tone must not keep the audio device (and a core) busy while we sleep.
      if (beepEndMs_ && now >= beepEndMs_) {
        SDL_PauseAudioDevice(audio_, 1);
        beepEndMs_ = 0;
      }
      std::uint64_t until = std::min(deadline, beepEndMs_ ? beepEndMs_ : kNever);
      // The event is taken, not peeked: a peek also sees SDL's internal poll marker and would
      // end every later wait at once.
      SDL_Event e;
      int got = 0;
      if (until == kNever) {
        got = SDL_WaitEvent(&e);
      } else {
        std::uint64_t left = until > now ? until - now : 0;
        got = SDL_WaitEventTimeout(&e, static_cast<int>(std::min<std::uint64_t>(left, 1u << 30)));
      }
      if (got == 1) {
        Translate(e);
        return true;
      }
      if (until == kNever) return false;
      if (SDL_GetTicks64() >= deadline) return false;
    }
  }

  bool Poll(InputEvent& event) override {
    SDL_Event e;
    while (pending_.empty() && SDL_PollEvent(&e)) Translate(e);
    if (pending_.empty()) return false;
    event = std::move(pending_.front());
    pending_.pop_front();
    return true;
  }

  // Threads that post a lot would otherwise fill SDL's queue with wake-ups until it drops real
  // input; one pending wake-up is enough.
  void Wake() override {
    if (wakePending_.exchange(true)) return;
    SDL_Event e{};
    e.type = wakeEvent_;
    if (SDL_PushEvent(&e) != 1) wakePending_ = false;
  }

  void SetCursor(CursorShape shape) override {
    if (shape == CursorShape::Hidden) {
      SDL_ShowCursor(SDL_DISABLE);
      return;
    }
    SDL_ShowCursor(SDL_ENABLE);
    SDL_SystemCursor which = SystemCursor(shape);
    if (!cursors_[which]) cursors_[which] = SDL_CreateSystemCursor(which);
    if (cursors_[which]) SDL_SetCursor(cursors_[which]);
  }

  void SetCursorImage(std::shared_ptr<const CursorImage> image) override {
    if (!image || image->width <= 0 || image->height <= 0 ||
        image->pixels.size() < static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height)) {
      SetCursor(CursorShape::Arrow);
      return;
    }
    // Made once per image; the entry holds the image, so its address is not reused meanwhile.
    auto& made = imageCursors_[image.get()];
    if (!made.first) {
      made.first = image;
      SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
          const_cast<std::uint32_t*>(image->pixels.data()), image->width, image->height, 32, image->width * 4,
          SDL_PIXELFORMAT_ARGB8888);
      if (surface) {
        made.second = SDL_CreateColorCursor(surface, image->hotX, image->hotY);
        SDL_FreeSurface(surface);
      }
    }
    SDL_ShowCursor(SDL_ENABLE);
    if (made.second) SDL_SetCursor(made.second);
  }

  void GetMousePosition(int& x, int& y) const override {
    if (!x11::QueryPointer(helper_, x, y)) SDL_GetGlobalMouseState(&x, &y);
  }
  void WarpMouse(int x, int y) override { SDL_WarpMouseGlobal(x, y); }

  bool SupportsTranslucency() const override { return x11::CompositorRunning(helper_); }

  void OpenAudio() {
    if (audioTried_) return;
    audioTried_ = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
      SDL_AudioSpec want{};
      want.freq = 22050;
      want.format = AUDIO_S16SYS;
      want.channels = 1;
      want.samples = 512;
      audio_ = SDL_OpenAudioDevice(nullptr, 0, &want, &audioSpec_, 0);
    }
  }

  void Beep(const BeepSound& sound) override {
    OpenAudio();
    if (!audio_ || audioSpec_.format != AUDIO_S16SYS || audioSpec_.channels != 1) return;
    // A short tone, faded in and out so it does not click.
    const unsigned frequency = std::clamp(sound.frequency, 37u, 8000u);
    const unsigned length = std::min(sound.durationMs, 2000u);
    const int rate = audioSpec_.freq, count = static_cast<int>(rate * length / 1000), fade = rate * 5 / 1000;
    std::vector<Sint16> tone(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      double envelope = std::min({1.0, static_cast<double>(i) / fade, static_cast<double>(count - i) / fade});
      tone[i] = static_cast<Sint16>(8000 * envelope * std::sin(2 * std::numbers::pi * frequency * i / rate));
    }
    SDL_ClearQueuedAudio(audio_);
    SDL_QueueAudio(audio_, tone.data(), static_cast<Uint32>(tone.size() * sizeof(Sint16)));
    SDL_PauseAudioDevice(audio_, 0);
    beepEndMs_ = SDL_GetTicks64() + length + 100;
  }

  // A wave file is converted to the device's format and replaces whatever plays; there are no
  // system sounds to play for an alias.
  bool PlaySound(const SoundRequest& sound) override {
    OpenAudio();
    if (!audio_) return false;
    if (sound.name.empty()) {
      SDL_ClearQueuedAudio(audio_);
      return true;
    }
    if (sound.alias) return false;
    SDL_AudioSpec spec{};
    Uint8* data = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(sound.name.c_str(), &spec, &data, &length)) return false;
    SDL_AudioCVT cvt{};
    bool ok = SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, audioSpec_.format, audioSpec_.channels,
                                audioSpec_.freq) >= 0;
    std::vector<Uint8> buffer;
    if (ok) {
      buffer.resize(static_cast<std::size_t>(length) * std::max(1, cvt.len_mult));
      std::copy(data, data + length, buffer.begin());
      cvt.buf = buffer.data();
      cvt.len = static_cast<int>(length);
      ok = cvt.needed ? SDL_ConvertAudio(&cvt) == 0 : true;
      if (!cvt.needed) cvt.len_cvt = cvt.len;
    }
    SDL_FreeWAV(data);
    if (!ok) return false;
    SDL_ClearQueuedAudio(audio_);
    SDL_QueueAudio(audio_, buffer.data(), static_cast<Uint32>(cvt.len_cvt));
    SDL_PauseAudioDevice(audio_, 0);
    const Uint64 bytesPerSecond = static_cast<Uint64>(audioSpec_.freq) * audioSpec_.channels *
                                  (SDL_AUDIO_BITSIZE(audioSpec_.format) / 8);
    beepEndMs_ = SDL_GetTicks64() + (bytesPerSecond ? static_cast<Uint64>(cvt.len_cvt) * 1000 / bytesPerSecond : 0) + 100;
    return true;
  }

  std::string ClipboardText() const override {
    char* text = SDL_GetClipboardText();
    std::string result = text ? text : "";
    SDL_free(text);
    return result;
  }
  void SetClipboardText(const std::string& utf8) override { SDL_SetClipboardText(utf8.c_str()); }

 private:
  Native* Find(SurfaceId id) {
    auto it = surfaces_.find(id);
    return it == surfaces_.end() ? nullptr : &it->second;
  }

  SurfaceId Owner(Uint32 windowId) const {
    auto it = byWindow_.find(windowId);
    return it == byWindow_.end() ? 0 : it->second;
  }

  bool Open(SurfaceId id, Native& s) {
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    if (s.flags.topmost) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    if (s.flags.popup)
      flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
    else if (s.flags.toolWindow && !s.flags.appWindow)
      flags |= SDL_WINDOW_UTILITY | SDL_WINDOW_SKIP_TASKBAR;
    else if (!OnTaskBar(s.flags))
      flags |= SDL_WINDOW_SKIP_TASKBAR;
    s.window = SDL_CreateWindow(s.title.c_str(), s.bounds.left, s.bounds.top, std::max(1, s.bounds.Width()),
                                std::max(1, s.bounds.Height()), flags);
    if (!s.window) return false;
    x11::UseDefaultColormap(s.window);
    byWindow_[SDL_GetWindowID(s.window)] = id;
    s.needsFull = true;
    s.shaped = false;
    s.appliedShape.clear();
    ApplyLayer(s);
    return true;
  }

  void Close(Native& s) {
    if (!s.window) return;
    byWindow_.erase(SDL_GetWindowID(s.window));
    SDL_DestroyWindow(s.window);
    s.window = nullptr;
  }

  void ApplyVisibility(Native& s) {
    bool show = s.visible && s.bounds.Width() > 0 && s.bounds.Height() > 0;
    bool shown = (SDL_GetWindowFlags(s.window) & SDL_WINDOW_SHOWN) != 0;
    if (show == shown) return;
    if (show) {
      SDL_ShowWindow(s.window);
      // Mapping raises the window; the window system's order stands.
      ApplyStacking();
      // What was presented while hidden never reached the screen.
      if (!s.needsFull) SDL_UpdateWindowSurface(s.window);
    } else {
      SDL_HideWindow(s.window);
    }
  }

  void ApplyStacking() {
    std::vector<SDL_Window*> windows;
    for (SurfaceId id : order_)
      if (Native* s = Find(id)) windows.push_back(s->window);
    x11::Restack(windows);
  }

  static bool KeyedShape(const Native& s) {
    return s.layer.layered && (s.layer.useColorKey || s.layer.perPixelAlpha);
  }

  void ApplyLayer(Native& s) {
    float opacity = s.layer.layered && s.layer.useAlpha ? s.layer.alpha / 255.0f : 1.0f;
    SDL_SetWindowOpacity(s.window, opacity);
    x11::Flush(s.window);
    ApplyShape(s);
  }

  // Without a compositor an X window cannot let single pixels through, but it can be shaped:
  // colour-keyed and fully transparent pixels are cut out, so the eye and the mouse pass there.
  void ApplyShape(Native& s) {
    std::vector<ScreenRect> rects;
    bool shaped = !s.shape.empty() || KeyedShape(s);
    if (KeyedShape(s)) {
      rects = OpaqueRuns(s);
    } else {
      rects = s.shape;
    }
    if (shaped == s.shaped && rects == s.appliedShape) return;
    s.shaped = shaped;
    s.appliedShape = rects;
    x11::SetShape(s.window, shaped ? &rects : nullptr);
  }

  // Rows of the shown pixels that are neither colour key nor fully transparent, within the shape;
  // equal runs on consecutive rows are merged so a plain window needs few rectangles.
  std::vector<ScreenRect> OpaqueRuns(const Native& s) {
    std::vector<ScreenRect> rects;
    SDL_Surface* surface = SDL_GetWindowSurface(s.window);
    if (!surface || surface->format->BytesPerPixel != 4) return s.shape;
    int w = std::min(surface->w, s.bounds.Width()), h = std::min(surface->h, s.bounds.Height());
    std::vector<std::uint8_t> inShape;
    if (!s.shape.empty()) {
      inShape.assign(static_cast<std::size_t>(std::max(0, w)) * std::max(0, h), 0);
      for (const ScreenRect& r : s.shape) {
        ScreenRect c = Clip(r, w, h);
        for (int y = c.top; y < c.bottom; ++y)
          for (int x = c.left; x < c.right; ++x) inShape[static_cast<std::size_t>(y) * w + x] = 1;
      }
    }
    std::vector<ScreenRect> previous, current;
    std::size_t previousStart = 0;
    for (int y = 0; y < h; ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(surface->pixels) +
                                                               static_cast<std::ptrdiff_t>(y) * surface->pitch);
      current.clear();
      for (int x = 0; x < w;) {
        auto opaque = [&](int px) {
          if (!inShape.empty() && !inShape[static_cast<std::size_t>(y) * w + px]) return false;
          std::uint32_t p = row[px];
          if (s.layer.perPixelAlpha) return (p >> 24) != 0;
          return (p & 0xFFFFFF) != (s.layer.colorKey & 0xFFFFFF);
        };
        if (!opaque(x)) {
          ++x;
          continue;
        }
        int start = x;
        while (x < w && opaque(x)) ++x;
        current.push_back({start, y, x, y + 1});
      }
      bool same = current.size() == previous.size() &&
                  std::equal(current.begin(), current.end(), previous.begin(),
                             [](const ScreenRect& a, const ScreenRect& b) { return a.left == b.left && a.right == b.right; });
      if (same && !current.empty()) {
        for (std::size_t i = previousStart; i < rects.size(); ++i) rects[i].bottom = y + 1;
      } else {
        previousStart = rects.size();
        rects.insert(rects.end(), current.begin(), current.end());
      }
      previous = current;
    }
    return rects;
  }

  InputEvent Event(InputKind kind, Uint32 windowId) const {
    InputEvent e;
    e.kind = kind;
    e.surface = Owner(windowId);
    e.modifiers = TranslateModifiers(static_cast<Uint16>(SDL_GetModState()));
    e.timeMs = CurrentClock().NowMs();
    return e;
  }

  // Window-relative mouse coordinates made screen coordinates.
  void ToScreen(InputEvent& e, Uint32 windowId, int x, int y) {
    int wx = 0, wy = 0;
    if (SDL_Window* w = SDL_GetWindowFromID(windowId)) SDL_GetWindowPosition(w, &wx, &wy);
    e.x = wx + x;
    e.y = wy + y;
  }

  void Translate(const SDL_Event& e) {
    if (e.type == wakeEvent_) {
      wakePending_ = false;
      return;
    }
    switch (e.type) {
      case SDL_MOUSEMOTION: {
        if (e.motion.which == SDL_TOUCH_MOUSEID) break;
        InputEvent ev = Event(InputKind::MouseMove, e.motion.windowID);
        // While a button is held the window under the mouse may be moving (a drag by its caption):
        // the event's window-relative point then belongs to where the window was, so ask the
        // server where the pointer is instead.
        if (e.motion.state)
          GetMousePosition(ev.x, ev.y);
        else
          ToScreen(ev, e.motion.windowID, e.motion.x, e.motion.y);
        pending_.push_back(std::move(ev));
        break;
      }
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        if (e.button.which == SDL_TOUCH_MOUSEID) break;
        InputEvent ev = Event(e.type == SDL_MOUSEBUTTONDOWN ? InputKind::MouseDown : InputKind::MouseUp, e.button.windowID);
        // A release ends a drag that may have moved the window since the press: see above.
        if (e.type == SDL_MOUSEBUTTONUP)
          GetMousePosition(ev.x, ev.y);
        else
          ToScreen(ev, e.button.windowID, e.button.x, e.button.y);
        ev.button = e.button.button;  // SDL numbers the buttons as we do
        pending_.push_back(std::move(ev));
        break;
      }
      case SDL_MOUSEWHEEL: {
        if (e.wheel.y == 0) break;
        InputEvent ev = Event(InputKind::MouseWheel, e.wheel.windowID);
        ToScreen(ev, e.wheel.windowID, e.wheel.mouseX, e.wheel.mouseY);
        int steps = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        ev.wheelDelta = steps * 120;
        pending_.push_back(std::move(ev));
        break;
      }
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        vk::KeyCode key = TranslateKey(e.key.keysym);
        if (!key.vk) break;
        InputEvent ev = Event(e.type == SDL_KEYDOWN ? InputKind::KeyDown : InputKind::KeyUp, e.key.windowID);
        int mx = 0, my = 0;
        SDL_GetGlobalMouseState(&mx, &my);
        ev.x = mx;
        ev.y = my;
        ev.vk = key.vk;
        ev.scanCode = key.scanCode;
        ev.extended = key.extended;
        ev.repeat = e.key.repeat != 0;
        ev.modifiers = TranslateModifiers(e.key.keysym.mod);
        pending_.push_back(std::move(ev));
        break;
      }
      case SDL_TEXTINPUT: {
        InputEvent ev = Event(InputKind::Text, e.text.windowID);
        ev.text = e.text.text;
        if (!ev.text.empty()) pending_.push_back(std::move(ev));
        break;
      }
      case SDL_WINDOWEVENT: TranslateWindowEvent(e.window); break;
      case SDL_QUIT: pending_.push_back(Event(InputKind::Quit, 0)); break;
      default: break;
    }
  }

  void TranslateWindowEvent(const SDL_WindowEvent& w) {
    SurfaceId id = Owner(w.windowID);
    Native* s = Find(id);
    if (!s) return;
    switch (w.event) {
      case SDL_WINDOWEVENT_CLOSE: pending_.push_back(Event(InputKind::CloseRequest, w.windowID)); break;
      case SDL_WINDOWEVENT_EXPOSED:
        // The native window keeps our last pixels: give them back at once, and tell the
        // window system in case it wants to draw afresh.
        if (!s->needsFull) SDL_UpdateWindowSurface(s->window);
        pending_.push_back(Event(InputKind::Exposed, w.windowID));
        break;
      case SDL_WINDOWEVENT_LEAVE: {
        // The desktop says nothing more once the mouse is off our windows, so say where it went,
        // as a move over no surface; while a button is held the window keeps the mouse.
        int x = 0, y = 0;
        if (SDL_GetGlobalMouseState(nullptr, nullptr) != 0) break;
        GetMousePosition(x, y);
        InputEvent ev = Event(InputKind::MouseMove, 0);
        ev.x = x;
        ev.y = y;
        pending_.push_back(std::move(ev));
        break;
      }
      case SDL_WINDOWEVENT_FOCUS_GAINED: pending_.push_back(Event(InputKind::FocusIn, w.windowID)); break;
      case SDL_WINDOWEVENT_FOCUS_LOST: pending_.push_back(Event(InputKind::FocusOut, w.windowID)); break;
      case SDL_WINDOWEVENT_MOVED: {
        // Our own moves come back as well; only the desktop's are news.
        if (w.data1 == s->bounds.left && w.data2 == s->bounds.top) break;
        InputEvent ev = Event(InputKind::Moved, w.windowID);
        ev.x = w.data1;
        ev.y = w.data2;
        pending_.push_back(std::move(ev));
        break;
      }
      default: break;
    }
  }

  std::map<SurfaceId, Native> surfaces_;
  std::map<Uint32, SurfaceId> byWindow_;
  std::vector<SurfaceId> order_;  // topmost first
  SurfaceId nextId_ = 1;
  std::deque<InputEvent> pending_;
  Uint32 wakeEvent_ = 0;
  std::atomic<bool> wakePending_{false};
  SDL_Window* helper_ = nullptr;
  std::array<SDL_Cursor*, SDL_NUM_SYSTEM_CURSORS> cursors_{};
  std::map<const CursorImage*, std::pair<std::shared_ptr<const CursorImage>, SDL_Cursor*>> imageCursors_;
  bool audioTried_ = false;
  SDL_AudioDeviceID audio_ = 0;
  SDL_AudioSpec audioSpec_{};
  std::uint64_t beepEndMs_ = 0;
  std::unique_ptr<QuitSignals> quitSignals_;
};

}  // namespace

std::unique_ptr<Display> CreateSdlDisplay() { return std::make_unique<SdlDisplay>(); }

}  // namespace platform

// SDL's desktop services open a D-Bus connection whose library keeps one buffer until the process
// ends; it is not ours to free, and leak checks in sanitizer builds should not stop on it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
// Nor should a program that ends with one clear line add a table of what was suppressed.
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
