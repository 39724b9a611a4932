// The sdl backend against a real X server: Xvfb started here unless a desktop is already there,
// real input from xdotool, and the server's own screenshots from xwd.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <thread>

#include <SDL.h>

#include "platform/display/Display.h"
#include "tests/support/Artifacts.h"
#include "tests/support/X11.h"

extern char** environ;

namespace {

using namespace platform;
using testsupport::OnPath;
using testsupport::ParseXwd;
using testsupport::Screenshot;
using testsupport::Shell;
using testsupport::XServer;
using Clock = std::chrono::steady_clock;

// A backing store with a pattern that shows any misplaced or shifted pixel.
struct Pattern {
  std::vector<std::uint32_t> pixels;
  PixelBuffer pb;
  Pattern(int w, int h, std::uint32_t base) : pixels(static_cast<std::size_t>(w) * h) {
    pb = {pixels.data(), w, h, w};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) pb.At(x, y) = base ^ static_cast<std::uint32_t>(((x / 8 + y / 8) % 2) * 0x3F3F3F + x % 8 * 4);
  }
};

class SdlWindows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    skip_ = new std::string(testsupport::StartForRealWindows(server_));
  }
  static void TearDownTestSuite() {
    server_.Stop();
    delete skip_;
    skip_ = nullptr;
  }

  void SetUp() override {
    if (!skip_->empty()) GTEST_SKIP() << "real-window tests skipped: " << *skip_;
    display_ = CreateSdlDisplay();
    Shell("xdotool mousemove 1 1");
  }

  SurfaceId Show(const ScreenRect& r, const Pattern& p, const SurfaceFlags& flags = {}) {
    SurfaceId id = display_->CreateSurface(r, flags);
    display_->Present(id, p.pb, {{0, 0, r.Width(), r.Height()}});
    display_->SetVisible(id, true);
    return id;
  }

  // Drains input into `seen` until `done` holds or the time is up.
  bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
      InputEvent e;
      while (display_->Poll(e)) seen_.push_back(e);
      if (done()) return true;
      if (Clock::now() >= deadline) return false;
      display_->Wait(20);
    }
  }

  Screenshot Grab() {
    Screenshot shot;
    ParseXwd(Shell("xwd -root -silent"), shot);
    return shot;
  }

  // True when the screen shows `p` with its top-left at (left, top), checked at every pixel.
  static bool Shows(const Screenshot& shot, const Pattern& p, int left, int top) {
    if (shot.pixels.empty()) return false;
    for (int y = 0; y < p.pb.height; ++y)
      for (int x = 0; x < p.pb.width; ++x)
        if (shot.At(left + x, top + y) != (p.pb.At(x, y) & 0xFFFFFF)) return false;
    return true;
  }

  // Leaves the last screenshot behind when the screen never matched, to see what went wrong.
  bool ScreenShows(const Pattern& p, int left, int top) {
    Screenshot shot;
    if (PumpUntil([&] { return Shows(shot = Grab(), p, left, top); })) return true;
    if (!shot.pixels.empty())
      WritePng(testsupport::ArtifactPath("sdl-mismatch.png"), shot.pixels.data(), shot.width, shot.height, shot.width);
    ADD_FAILURE() << "the screen never showed the pattern; last screenshot in sdl-mismatch.png; SDL drives "
                  << SDL_GetCurrentVideoDriver() << " on DISPLAY " << std::getenv("DISPLAY");
    return false;
  }

  const InputEvent* Find(InputKind kind) const {
    for (const InputEvent& e : seen_)
      if (e.kind == kind) return &e;
    return nullptr;
  }

  void Click(int x, int y) {
    seen_.clear();
    Shell("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
    ASSERT_TRUE(PumpUntil([&] { return Find(InputKind::MouseUp) != nullptr; })) << "no click at " << x << "," << y;
  }

  static XServer server_;
  static std::string* skip_;
  std::unique_ptr<Display> display_;
  std::vector<InputEvent> seen_;
};

XServer SdlWindows::server_;
std::string* SdlWindows::skip_ = nullptr;

TEST_F(SdlWindows, TwoSurfacesShowTheirPixelsAndTakeTheirClicks) {
  Pattern a(200, 150, 0xC03020), b(160, 120, 0x2060C0);
  SurfaceId ida = Show({100, 100, 300, 250}, a);
  SurfaceId idb = Show({400, 120, 560, 240}, b);
  ASSERT_TRUE(ScreenShows(a, 100, 100));
  ASSERT_TRUE(ScreenShows(b, 400, 120));
  if (server_.Own()) {
    Screenshot shot = Grab();
    WritePng(testsupport::ArtifactPath("sdl-two-windows.png"), shot.pixels.data(), shot.width, shot.height, shot.width);
  }

  struct Case {
    int x, y;
    SurfaceId surface;
  } cases[] = {{150, 160, ida}, {555, 235, idb}, {100, 100, ida}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    Click(c.x, c.y);
    const InputEvent* down = Find(InputKind::MouseDown);
    const InputEvent* up = Find(InputKind::MouseUp);
    ASSERT_TRUE(down && up);
    for (const InputEvent* e : {down, up}) {
      EXPECT_EQ(e->surface, c.surface);
      EXPECT_EQ(e->x, c.x);
      EXPECT_EQ(e->y, c.y);
      EXPECT_EQ(e->button, kButtonLeft);
    }
  }

  // Leaving for the bare desktop is a move over no surface, as on the headless screen.
  seen_.clear();
  Shell("xdotool mousemove 700 600");
  auto offAll = [&] {
    for (const InputEvent& e : seen_)
      if (e.kind == InputKind::MouseMove && e.surface == 0) return &e;
    return static_cast<const InputEvent*>(nullptr);
  };
  ASSERT_TRUE(PumpUntil([&] { return offAll() != nullptr; }));
  EXPECT_EQ(offAll()->x, 700);
  EXPECT_EQ(offAll()->y, 600);

  // Only the dirty rectangle is sent: a stale pixel outside it stays as it was on screen.
  Pattern changed(200, 150, 0x10A040);
  changed.pb.At(0, 0) = 0x123456;
  display_->Present(ida, changed.pb, {{100, 50, 200, 150}});
  Pattern expect = a;
  expect.pb.pixels = expect.pixels.data();
  for (int y = 50; y < 150; ++y)
    for (int x = 100; x < 200; ++x) expect.pb.At(x, y) = changed.pb.At(x, y);
  EXPECT_TRUE(ScreenShows(expect, 100, 100));
}

TEST_F(SdlWindows, MovedAndRestackedWindowsAreWhereTheBackendSays) {
  Pattern a(200, 150, 0xC03020), b(200, 150, 0x2060C0);
  SurfaceId ida = Show({100, 100, 300, 250}, a);
  SurfaceId idb = Show({400, 100, 600, 250}, b);
  ASSERT_TRUE(ScreenShows(b, 400, 100));

  display_->SetBounds(idb, {150, 180, 350, 330});  // over a, as the newest window
  ASSERT_TRUE(ScreenShows(b, 150, 180));
  Click(160, 190);
  EXPECT_EQ(Find(InputKind::MouseDown)->surface, idb);

  display_->Restack({ida, idb});
  Screenshot shot;
  ASSERT_TRUE(PumpUntil([&] { shot = Grab(); return Shows(shot, a, 100, 100); }));
  EXPECT_EQ(shot.At(349, 329), b.pb.At(199, 149) & 0xFFFFFFu);
  Click(160, 190);
  EXPECT_EQ(Find(InputKind::MouseDown)->surface, ida);

  // A shape with a hole over the overlap lets b through, to the eye and the mouse.
  const std::uint32_t aThere = a.pb.At(60, 90) & 0xFFFFFF, bThere = b.pb.At(10, 10) & 0xFFFFFF;
  display_->SetShape(ida, {{0, 0, 200, 80}, {0, 80, 50, 150}});
  ASSERT_TRUE(PumpUntil([&] { return Grab().At(160, 190) == bThere; }));
  Click(160, 190);
  EXPECT_EQ(Find(InputKind::MouseDown)->surface, idb);
  Click(120, 120);
  EXPECT_EQ(Find(InputKind::MouseDown)->surface, ida);

  // Colour-keyed pixels are cut out the same way.
  display_->SetShape(ida, {});
  ASSERT_TRUE(PumpUntil([&] { return Grab().At(160, 190) == aThere; }));
  LayerAttributes key;
  key.layered = key.useColorKey = true;
  key.colorKey = 0x00FF00;
  display_->SetLayer(ida, key);
  Pattern keyed = a;
  keyed.pb.pixels = keyed.pixels.data();
  for (int y = 80; y < 150; ++y)
    for (int x = 50; x < 200; ++x) keyed.pb.At(x, y) = 0x00FF00;
  display_->Present(ida, keyed.pb, {{0, 0, 200, 150}});
  ASSERT_TRUE(PumpUntil([&] { shot = Grab(); return shot.At(160, 190) == bThere; }));
  WritePng(testsupport::ArtifactPath("sdl-colour-key.png"), shot.pixels.data(), shot.width, shot.height, shot.width);
  Click(120, 120);
  EXPECT_EQ(Find(InputKind::MouseDown)->surface, ida);
  Click(160, 190);
  EXPECT_EQ(Find(InputKind::MouseDown)->surface, idb);

  // A move by somebody else is reported; the backend's own moves are not.
  seen_.clear();
  Shell("xdotool mousemove 170 200");
  std::string under = Shell("xdotool getmouselocation --shell");
  std::size_t at = under.find("WINDOW=");
  ASSERT_NE(at, std::string::npos);
  Shell("xdotool windowmove " + under.substr(at + 7, under.find('\n', at) - at - 7) + " 500 400");
  ASSERT_TRUE(PumpUntil([&] { return Find(InputKind::Moved) != nullptr; }));
  EXPECT_EQ(Find(InputKind::Moved)->surface, idb);
  EXPECT_EQ(Find(InputKind::Moved)->x, 500);
  EXPECT_EQ(Find(InputKind::Moved)->y, 400);

  display_->SetVisible(idb, false);
  display_->DestroySurface(ida);
  shot = Grab();
  ASSERT_FALSE(shot.pixels.empty());
  EXPECT_NE(shot.At(160, 190), b.pb.At(10, 10) & 0xFFFFFFu);
}

TEST_F(SdlWindows, KeysAndTextReachTheFocusedSurface) {
  Pattern a(120, 80, 0x808080);
  SurfaceId id = Show({50, 50, 170, 130}, a);
  ASSERT_TRUE(ScreenShows(a, 50, 50));
  display_->Activate(id);
  ASSERT_TRUE(PumpUntil([&] { return Find(InputKind::FocusIn) != nullptr; }));
  seen_.clear();
  Shell("xdotool key shift+a Right KP_Enter");
  ASSERT_TRUE(PumpUntil([&] {
    int ups = 0;
    for (const InputEvent& e : seen_) ups += e.kind == InputKind::KeyUp;
    return ups >= 4;
  }));
  struct Want {
    unsigned vk;
    bool extended;
  };
  std::vector<Want> downs;
  std::string text;
  for (const InputEvent& e : seen_) {
    EXPECT_EQ(e.surface, id);
    if (e.kind == InputKind::KeyDown) downs.push_back({e.vk, e.extended});
    if (e.kind == InputKind::Text) text += e.text;
    if (e.kind == InputKind::KeyDown && e.vk == 'A') {
      EXPECT_EQ(e.scanCode, 0x1Eu);
      EXPECT_TRUE(e.modifiers & kModShift);
    }
  }
  ASSERT_EQ(downs.size(), 4u);
  EXPECT_EQ(downs[0].vk, 0xA0u);  // left Shift
  EXPECT_EQ(downs[1].vk, unsigned{'A'});
  EXPECT_EQ(downs[2].vk, 0x27u);  // Right, an extended key
  EXPECT_TRUE(downs[2].extended);
  EXPECT_EQ(downs[3].vk, 0x0Du);  // keypad Enter: Return, extended
  EXPECT_TRUE(downs[3].extended);
  EXPECT_EQ(text.substr(0, 1), "A");
}

TEST_F(SdlWindows, DesktopServices) {
  if (server_.Own()) {
    EXPECT_EQ(display_->ScreenBounds(), (ScreenRect{0, 0, XServer::kWidth, XServer::kHeight}));
    EXPECT_EQ(display_->WorkArea(), (ScreenRect{0, 0, XServer::kWidth, XServer::kHeight}));
    EXPECT_FALSE(display_->SupportsTranslucency());  // no compositor on a bare X server
  }
  display_->SetClipboardText("矩阵 1→2");
  EXPECT_EQ(display_->ClipboardText(), "矩阵 1→2");
  display_->WarpMouse(321, 234);
  int x = 0, y = 0;
  display_->GetMousePosition(x, y);
  EXPECT_EQ(x, 321);
  EXPECT_EQ(y, 234);
  for (CursorShape shape : {CursorShape::SizeWE, CursorShape::Hidden, CursorShape::Help, CursorShape::Arrow})
    display_->SetCursor(shape);
  display_->Beep(platform::BeepSound{});  // silent where there is no audio device, never blocking
}

TEST(SdlDisplay, RefusesToShowWindowsNowhere) {
  if (access("/dev/dri", F_OK) == 0) GTEST_SKIP() << "a DRM device could serve as the desktop here";
  std::string saved = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
  setenv("DISPLAY", ":4095", 1);  // nobody there
  try {
    CreateSdlDisplay();
    ADD_FAILURE() << "a display with nobody there opened";
  } catch (const DisplayUnavailable& e) {
    EXPECT_NE(std::string(e.what()).find(":4095"), std::string::npos) << e.what();
  }
  if (saved.empty())
    unsetenv("DISPLAY");
  else
    setenv("DISPLAY", saved.c_str(), 1);
}

// The X window under a screen point, as xdotool finds it.
std::string WindowAt(int x, int y) {
  Shell("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y));
  std::string shell = Shell("xdotool getmouselocation --shell");
  std::size_t at = shell.find("WINDOW=");
  return at == std::string::npos ? std::string() : shell.substr(at + 7, shell.find('\n', at) - at - 7);
}

TEST_F(SdlWindows, NativeWindowsCarryTheirKindAndOpacity) {
  if (!OnPath("xprop")) GTEST_SKIP() << "xprop is not installed (package x11-utils)";
  struct Case {
    SurfaceFlags flags;
    std::vector<std::string> props;  // what xprop must show
  } cases[] = {
      {{.topmost = true}, {"_NET_WM_STATE_ABOVE", "_NET_WM_WINDOW_TYPE_NORMAL"}},
      {{.toolWindow = true}, {"_NET_WM_WINDOW_TYPE_UTILITY", "_NET_WM_STATE_SKIP_TASKBAR"}},
      {{.popup = true}, {"_NET_WM_WINDOW_TYPE_POPUP_MENU"}},
  };
  Pattern p(100, 60, 0x506070);
  for (const Case& c : cases) {
    SurfaceId id = Show({200, 200, 300, 260}, p, c.flags);
    ASSERT_TRUE(ScreenShows(p, 200, 200));
    std::string props = Shell("xprop -id " + WindowAt(250, 230));
    for (const std::string& want : c.props) EXPECT_NE(props.find(want), std::string::npos) << want << " in\n" << props;
    display_->DestroySurface(id);
  }

  // A change of kind makes the native window again, in the same place and with the same pixels.
  SurfaceId id = Show({200, 200, 300, 260}, p);
  ASSERT_TRUE(ScreenShows(p, 200, 200));
  display_->SetFlags(id, {.toolWindow = true});
  display_->Present(id, p.pb, {{0, 0, 100, 60}});
  ASSERT_TRUE(ScreenShows(p, 200, 200));
  EXPECT_NE(Shell("xprop -id " + WindowAt(250, 230)).find("_NET_WM_WINDOW_TYPE_UTILITY"), std::string::npos);

  LayerAttributes half;
  half.layered = half.useAlpha = true;
  half.alpha = 128;
  display_->SetLayer(id, half);
  std::string opacity = Shell("xprop -id " + WindowAt(250, 230) + " _NET_WM_WINDOW_OPACITY");
  std::size_t eq = opacity.find("= ");
  ASSERT_NE(eq, std::string::npos) << opacity;
  EXPECT_NEAR(std::stod(opacity.substr(eq + 2)) / 0xFFFFFFFF, 128 / 255.0, 1e-6) << opacity;
}

// CPU time of the whole process, in milliseconds.
double CpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

TEST_F(SdlWindows, WaitSleepsUntilWokenFromAnotherThread) {
  Pattern a(100, 100, 0x404040);
  Show({10, 10, 110, 110}, a);
  PumpUntil([] { return false; }, 200);  // let the mapping settle, and drain what came of it
  InputEvent e;
  EXPECT_FALSE(display_->Poll(e));
  EXPECT_FALSE(display_->Wait(30));  // an empty queue really waits

  const auto idle = std::chrono::milliseconds(2000);
  std::thread waker([&] {
    std::this_thread::sleep_for(idle);
    display_->Wake();
  });
  auto t0 = Clock::now();
  double cpu0 = CpuMs();
  EXPECT_TRUE(display_->Wait(-1));
  double cpu = CpuMs() - cpu0;
  auto elapsed = Clock::now() - t0;
  waker.join();
  EXPECT_GE(elapsed, idle - std::chrono::milliseconds(50));
  EXPECT_LT(elapsed, idle + std::chrono::milliseconds(1500));
  double share = 100.0 * cpu / std::chrono::duration<double, std::milli>(elapsed).count();
  std::printf("idle in Wait(-1): %.3f%% of a core over %.1f s\n", share,
              std::chrono::duration<double>(elapsed).count());
  EXPECT_LT(share, 1.0);
  while (display_->Poll(e)) {
  }
  EXPECT_FALSE(display_->Wait(30));  // the wake-up was consumed

  // A flood of wake-ups from a busy thread costs one event: input after it is not crowded out,
  // and the next wake-up still ends a wait.
  std::thread flood([&] {
    for (int i = 0; i < 100000; ++i) display_->Wake();
  });
  flood.join();
  Click(50, 50);
  EXPECT_NE(Find(InputKind::MouseDown), nullptr);
  EXPECT_FALSE(display_->Wait(30));
  display_->Wake();
  EXPECT_TRUE(display_->Wait(1000));
}

}  // namespace
