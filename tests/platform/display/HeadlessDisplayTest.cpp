#include <gtest/gtest.h>
#include <png.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/display/Display.h"
#include "platform/display/VirtualKeys.h"
#include "tests/support/Artifacts.h"

namespace {

using namespace platform;

// A bounds-sized backing store filled with one colour.
struct Store {
  std::vector<std::uint32_t> pixels;
  PixelBuffer pb;
  Store(int w, int h, std::uint32_t color) : pixels(static_cast<std::size_t>(w) * h, color) {
    pb = {pixels.data(), w, h, w};
  }
};

class HeadlessScreen : public ::testing::Test {
 protected:
  std::unique_ptr<Display> display_ = CreateHeadlessDisplay(40, 30);
  HeadlessControl& control_ = *dynamic_cast<HeadlessControl*>(display_.get());

  SurfaceId Shown(const ScreenRect& r, std::uint32_t color) {
    SurfaceId id = display_->CreateSurface(r, {});
    Store s(r.Width(), r.Height(), color);
    display_->Present(id, s.pb, {{0, 0, r.Width(), r.Height()}});
    display_->SetVisible(id, true);
    return id;
  }

  std::uint32_t ScreenAt(int x, int y) {
    int w = 0, h = 0;
    std::vector<std::uint32_t> screen = control_.ComposeScreen(w, h);
    return screen[static_cast<std::size_t>(y) * w + x];
  }

  std::vector<InputEvent> Drain() {
    std::vector<InputEvent> events;
    InputEvent e;
    while (display_->Poll(e)) events.push_back(e);
    return events;
  }
};

TEST_F(HeadlessScreen, ComposesInZOrderWithShapesLayersAndVisibility) {
  SurfaceId a = Shown({0, 0, 20, 20}, 0xFF0000);
  SurfaceId b = Shown({10, 10, 30, 30}, 0x0000FF);  // created last: on top
  EXPECT_EQ(ScreenAt(15, 15), 0x0000FFu);
  EXPECT_EQ(control_.SurfaceAt(15, 15), b);

  display_->Restack({a});
  EXPECT_EQ(ScreenAt(15, 15), 0xFF0000u);
  EXPECT_EQ(control_.SurfaceAt(15, 15), a);

  // A shape that leaves out the overlap lets the lower window through, to the eye and the mouse.
  display_->SetShape(a, {{0, 0, 20, 10}, {0, 10, 10, 20}});
  EXPECT_EQ(ScreenAt(15, 15), 0x0000FFu);
  EXPECT_EQ(control_.SurfaceAt(15, 15), b);
  display_->SetShape(a, {});

  // Colour-keyed pixels are holes; constant alpha mixes with what lies below.
  LayerAttributes key;
  key.layered = key.useColorKey = true;
  key.colorKey = 0xFF0000;
  display_->SetLayer(a, key);
  EXPECT_EQ(ScreenAt(15, 15), 0x0000FFu);
  EXPECT_EQ(control_.SurfaceAt(15, 15), b);
  EXPECT_EQ(control_.SurfaceAt(5, 5), 0u);

  LayerAttributes half;
  half.layered = half.useAlpha = true;
  half.alpha = 128;
  display_->SetLayer(a, half);
  EXPECT_EQ(ScreenAt(15, 15), 0x80007Fu);
  EXPECT_EQ(control_.SurfaceAt(15, 15), a);

  display_->SetVisible(a, false);
  EXPECT_EQ(ScreenAt(15, 15), 0x0000FFu);
  display_->DestroySurface(b);
  EXPECT_EQ(control_.SurfaceAt(15, 15), 0u);
  EXPECT_NE(ScreenAt(15, 15), 0x0000FFu);
}

TEST_F(HeadlessScreen, PerPixelAlphaIsPremultipliedAndZeroAlphaIsClickThrough) {
  SurfaceId below = Shown({0, 0, 10, 10}, 0x00FF00);
  SurfaceId over = display_->CreateSurface({0, 0, 10, 10}, {});
  Store s(10, 10, 0x80800000);  // half-covering red, premultiplied
  s.pb.At(0, 0) = 0;            // fully transparent
  display_->Present(over, s.pb, {{0, 0, 10, 10}});
  display_->SetVisible(over, true);
  LayerAttributes layer;
  layer.layered = layer.perPixelAlpha = true;
  display_->SetLayer(over, layer);
  EXPECT_EQ(ScreenAt(5, 5), 0x807F00u);
  EXPECT_EQ(control_.SurfaceAt(5, 5), over);
  EXPECT_EQ(ScreenAt(0, 0), 0x00FF00u);
  EXPECT_EQ(control_.SurfaceAt(0, 0), below);
}

TEST_F(HeadlessScreen, PresentCopiesOnlyTheDirtyRectsClippedToTheSurface) {
  SurfaceId id = Shown({0, 0, 8, 4}, 0x111111);
  Store next(8, 4, 0x222222);
  display_->Present(id, next.pb, {{6, 2, 100, 100}, {-5, -5, 1, 1}});
  int w = 0, h = 0;
  std::vector<std::uint32_t> px = control_.SurfacePixels(id, w, h);
  ASSERT_EQ(w, 8);
  ASSERT_EQ(h, 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      bool dirty = (x >= 6 && y >= 2) || (x == 0 && y == 0);
      EXPECT_EQ(px[y * w + x], dirty ? 0x222222u : 0x111111u) << x << "," << y;
    }
  EXPECT_EQ(control_.LastPresented(id).size(), 2u);

  // Growing keeps the old pixels where they still fit, so nothing flashes before the repaint.
  display_->SetBounds(id, {5, 5, 15, 10});
  px = control_.SurfacePixels(id, w, h);
  ASSERT_EQ(w, 10);
  ASSERT_EQ(h, 5);
  EXPECT_EQ(px[0], 0x222222u);
  EXPECT_EQ(px[1], 0x111111u);
  EXPECT_EQ(px[4 * w + 9], 0u);

  // Unknown surfaces and empty buffers are ignored rather than trusted.
  display_->Present(999, next.pb, {{0, 0, 8, 4}});
  display_->Present(id, PixelBuffer{}, {{0, 0, 8, 4}});
  display_->SetBounds(999, {0, 0, 1, 1});
  display_->DestroySurface(999);
}

TEST_F(HeadlessScreen, MouseGoesWhereTheDesktopWouldSendIt) {
  SurfaceId a = Shown({0, 0, 10, 10}, 0);
  SurfaceId b = Shown({20, 0, 30, 10}, 0);
  control_.InjectMouseMove(5, 5);
  control_.InjectMouseButton(kButtonLeft, true);
  control_.InjectMouseMove(25, 5);  // dragged out: still the surface it went down on
  control_.InjectWheel(-120);
  control_.InjectMouseButton(kButtonLeft, false);
  control_.InjectMouseMove(26, 6);
  control_.InjectMouseMove(35, 20);  // the bare desktop

  struct Want {
    InputKind kind;
    SurfaceId surface;
    int x, y, button, wheel;
  };
  const Want want[] = {
      {InputKind::MouseMove, a, 5, 5, 0, 0},   {InputKind::MouseDown, a, 5, 5, 1, 0},
      {InputKind::MouseMove, a, 25, 5, 0, 0},  {InputKind::MouseWheel, a, 25, 5, 0, -120},
      {InputKind::MouseUp, a, 25, 5, 1, 0},    {InputKind::MouseMove, b, 26, 6, 0, 0},
      {InputKind::MouseMove, 0, 35, 20, 0, 0},
  };
  std::vector<InputEvent> got = Drain();
  ASSERT_EQ(got.size(), std::size(want));
  for (std::size_t i = 0; i < got.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(got[i].kind, want[i].kind);
    EXPECT_EQ(got[i].surface, want[i].surface);
    EXPECT_EQ(got[i].x, want[i].x);
    EXPECT_EQ(got[i].y, want[i].y);
    EXPECT_EQ(got[i].button, want[i].button);
    EXPECT_EQ(got[i].wheelDelta, want[i].wheel);
  }
  int x = 0, y = 0;
  display_->GetMousePosition(x, y);
  EXPECT_EQ(x, 35);
  EXPECT_EQ(y, 20);
}

TEST_F(HeadlessScreen, KeysCarryScanCodesModifiersAndGoToTheFocus) {
  SurfaceId a = Shown({0, 0, 10, 10}, 0);
  SurfaceId b = Shown({20, 0, 30, 10}, 0);
  display_->Activate(a);
  display_->Activate(a);  // no change, no event
  display_->Activate(b);
  EXPECT_EQ(control_.FocusedSurface(), b);
  control_.InjectKey(vk::kRControl, true);
  control_.InjectKey('A', true);
  control_.InjectKey('A', true);
  control_.InjectKey('A', false);
  control_.InjectKey(vk::kLeft, true);
  control_.InjectKey(vk::kRControl, false);
  control_.InjectText("中a");

  struct Want {
    InputKind kind;
    SurfaceId surface;
    unsigned vk, scan;
    bool extended, repeat;
    unsigned mods;
  };
  const Want want[] = {
      {InputKind::FocusIn, a, 0, 0, false, false, 0},
      {InputKind::FocusOut, a, 0, 0, false, false, 0},
      {InputKind::FocusIn, b, 0, 0, false, false, 0},
      {InputKind::KeyDown, b, vk::kRControl, 0x1D, true, false, kModCtrl},
      {InputKind::KeyDown, b, 'A', 0x1E, false, false, kModCtrl},
      {InputKind::KeyDown, b, 'A', 0x1E, false, true, kModCtrl},
      {InputKind::KeyUp, b, 'A', 0x1E, false, false, kModCtrl},
      {InputKind::KeyDown, b, vk::kLeft, 0x4B, true, false, kModCtrl},
      {InputKind::KeyUp, b, vk::kRControl, 0x1D, true, false, 0},
      {InputKind::Text, b, 0, 0, false, false, 0},
  };
  std::vector<InputEvent> got = Drain();
  ASSERT_EQ(got.size(), std::size(want));
  for (std::size_t i = 0; i < got.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(got[i].kind, want[i].kind);
    EXPECT_EQ(got[i].surface, want[i].surface);
    EXPECT_EQ(got[i].vk, want[i].vk);
    EXPECT_EQ(got[i].scanCode, want[i].scan);
    EXPECT_EQ(got[i].extended, want[i].extended);
    EXPECT_EQ(got[i].repeat, want[i].repeat);
    EXPECT_EQ(got[i].modifiers, want[i].mods);
  }
  EXPECT_EQ(got.back().text, "中a");

  // Caps Lock toggles on press and stays on after release.
  control_.InjectKey(vk::kCapital, true);
  control_.InjectKey(vk::kCapital, false);
  control_.InjectKey('B', true);
  got = Drain();
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[2].modifiers, unsigned{kModCapsLock});
}

TEST_F(HeadlessScreen, WaitSleepsUntilInputOrWakeAndNeverLosesAWake) {
  using Clock = std::chrono::steady_clock;
  auto t0 = Clock::now();
  EXPECT_FALSE(display_->Wait(30));
  EXPECT_GE(Clock::now() - t0, std::chrono::milliseconds(25));

  display_->Wake();  // before the wait: must still end it at once
  t0 = Clock::now();
  display_->Wait(5000);
  EXPECT_LT(Clock::now() - t0, std::chrono::milliseconds(1000));

  std::thread other([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    control_.InjectText("x");
  });
  t0 = Clock::now();
  EXPECT_TRUE(display_->Wait(-1));
  EXPECT_LT(Clock::now() - t0, std::chrono::milliseconds(2000));
  other.join();
  InputEvent e;
  ASSERT_TRUE(display_->Poll(e));
  EXPECT_EQ(e.text, "x");
  EXPECT_FALSE(display_->Poll(e));
}

// Reads a PNG back as 0x00RRGGBB (or straight RGBA when asked) to check what was written.
std::vector<std::uint32_t> ReadPng(const std::string& path, int& w, int& h, bool rgba = false) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_BGRA;
  w = static_cast<int>(image.width);
  h = static_cast<int>(image.height);
  std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * h);
  if (!png_image_finish_read(&image, nullptr, px.data(), 0, nullptr)) return {};
  if (!rgba)
    for (auto& p : px) p &= 0xFFFFFF;
  return px;
}

TEST_F(HeadlessScreen, ScreenshotsRoundTripThroughPng) {
  SurfaceId id = Shown({5, 5, 25, 20}, 0xF0C030);
  std::string screen = testsupport::ArtifactPath("headless-screen.png");
  ASSERT_TRUE(control_.SaveScreenshot(screen));
  int w = 0, h = 0;
  std::vector<std::uint32_t> png = ReadPng(screen, w, h);
  int cw = 0, ch = 0;
  EXPECT_EQ(png, control_.ComposeScreen(cw, ch));
  EXPECT_EQ(w, 40);
  EXPECT_EQ(h, 30);

  // Per-pixel alpha is written straight, not premultiplied.
  Store s(2, 1, 0x80400000);
  s.pb.At(1, 0) = 0;
  std::string surface = testsupport::ArtifactPath("headless-alpha.png");
  ASSERT_TRUE(WritePng(surface, s.pixels.data(), 2, 1, 2, true));
  png = ReadPng(surface, w, h, true);
  ASSERT_EQ(png.size(), 2u);
  EXPECT_EQ(png[0], 0x80800000u);
  EXPECT_EQ(png[1], 0u);

  EXPECT_TRUE(control_.SaveSurfaceScreenshot(id, testsupport::ArtifactPath("headless-surface.png")));
  EXPECT_FALSE(control_.SaveSurfaceScreenshot(999, testsupport::ArtifactPath("none.png")));
  EXPECT_FALSE(WritePng("/nonexistent-dir/x.png", s.pixels.data(), 2, 1, 2));
}

TEST(CurrentDisplay, InstallsResetsAndRejectsUnknownBackends) {
  ResetDisplay();
  EXPECT_FALSE(HasDisplay());
  EXPECT_EQ(Headless(), nullptr);

  setenv("VW_DISPLAY", "headless", 1);
  EXPECT_EQ(CurrentDisplay().Name(), "headless");
  ASSERT_NE(Headless(), nullptr);
  ResetDisplay();

  InstallDisplay(CreateHeadlessDisplay(800, 600));
  EXPECT_EQ(CurrentDisplay().ScreenBounds(), (ScreenRect{0, 0, 800, 600}));
  Headless()->SetScreenSize(1024, 768);
  EXPECT_EQ(CurrentDisplay().WorkArea(), (ScreenRect{0, 0, 1024, 768}));
  ResetDisplay();

  setenv("VW_DISPLAY", "wayland-please", 1);
  EXPECT_THROW(CurrentDisplay(), std::runtime_error);
  EXPECT_FALSE(HasDisplay());
  unsetenv("VW_DISPLAY");
}

}  // namespace
