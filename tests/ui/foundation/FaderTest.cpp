// Hot-track fading on virtual time: a test object whose normal picture is black and hot picture
// white, so the grey it shows is the blend's alpha.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "platform/win/Hooks.h"
#include "platform/win/Window.h"
#include "tests/ui/foundation/GdiPlusFixture.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/foundation/Fader.h"

namespace {

using gpfixture::NewBitmap32;
using gpfixture::PixelsOf;

constexpr int kSize = 16;

// Paints what it would show into a scratch bitmap on every repaint and keeps its grey level: the
// work image's while a fade runs, else -1.
class TTestFadingObject : public TdxFadingObjectHelper {
 public:
  bool Fadable = true;
  bool RepaintRaises = false;
  bool EmptyHotPicture = false, NoHotPicture = false;
  int InCount = 4, InDelay = 15, OutCount = 12, OutDelay = 20;
  std::vector<int> Shown;
  // When set, every repaint also lands in the next cell of the strip.
  surfacetest::Surface* Strip = nullptr;

  bool CanFade() override { return Fadable; }
  void RepaintOwner() override {
    if (RepaintRaises) throw Exception("repaint failed");
    TBitmap canvas;
    canvas.SetPixelFormat(pf32bit);
    canvas.SetSize(kSize, kSize);
    Shown.push_back(DrawFadingImage(canvas.Canvas()->Handle(), {0, 0, kSize, kSize})
                        ? static_cast<int>(PixelsOf(&canvas)[0] & 0xFF)
                        : -1);
    int cell = static_cast<int>(Shown.size()) - 1;
    if (Strip) DrawFadingImage(Strip->Canvas()->Handle(), {cell * kSize, 0, (cell + 1) * kSize, kSize});
  }
  void PrepareFadingImages(TBitmap*& NormalImage, TBitmap*& HotImage, int& FadeInFrameCount, int& FadeInFrameDelay,
                           int& FadeOutFrameCount, int& FadeOutFrameDelay) override {
    NormalImage = NewBitmap32(kSize, kSize, std::vector<std::uint32_t>(kSize * kSize, 0xFF000000));
    if (NoHotPicture)
      HotImage = nullptr;
    else if (EmptyHotPicture)
      HotImage = new TBitmap();
    else
      HotImage = NewBitmap32(kSize, kSize, std::vector<std::uint32_t>(kSize * kSize, 0xFFFFFFFF));
    FadeInFrameCount = InCount;
    FadeInFrameDelay = InDelay;
    FadeOutFrameCount = OutCount;
    FadeOutFrameDelay = OutDelay;
  }
  int Last() const { return Shown.empty() ? -2 : Shown.back(); }
};

class FaderTest : public gpfixture::GdiPlusUnitTest {
 protected:
  void TearDown() override {
    fader.reset();
    platform::ResetSystemParameters();
    gpfixture::GdiPlusUnitTest::TearDown();
  }

  void Pump() {
    win::MSG m;
    while (win::PeekMessage(&m, nullptr, 0, 0, win::PM_REMOVE)) win::DispatchMessage(&m);
  }
  // One period of the fader's timer.
  void Tick() {
    clock->Advance(TdxFader::TimerInterval);
    Pump();
  }

  platform::ScopedVirtualClock clock;
  std::unique_ptr<TdxFader> fader = std::make_unique<TdxFader>();
};

bool Near(int Actual, int Expected) { return Actual >= Expected - 1 && Actual <= Expected + 1; }

TEST_F(FaderTest, FadingInShowsFourBlendsAndEndsOnTheHotPicture) {
  TTestFadingObject object;
  fader->FadeIn(&object);
  ASSERT_EQ(fader->ElementCount(), 1);
  EXPECT_TRUE(fader->TimerEnabled());
  EXPECT_FALSE(object.IsIdle());
  EXPECT_EQ(object.Shown, (std::vector<int>{0})) << "starts from the normal picture";
  for (int expected : {64, 128, 192, 255}) {
    Tick();
    EXPECT_TRUE(Near(object.Last(), expected)) << object.Last() << " for " << expected;
  }
  EXPECT_EQ(fader->ElementCount(), 1);
  Tick();
  EXPECT_EQ(fader->ElementCount(), 0);
  EXPECT_FALSE(fader->TimerEnabled());
  EXPECT_TRUE(object.IsIdle());
  EXPECT_EQ(object.Shown.size(), 6u);
  EXPECT_EQ(object.Last(), 255) << "the last repaint shows the hot picture";
}

TEST_F(FaderTest, FadingOutTakesTwelveFramesOfTwoTicks) {
  TTestFadingObject object;
  // Every picture the object is given, side by side: from white down to black.
  surfacetest::Surface strip(14 * kSize, kSize, clRed);
  object.Strip = &strip;
  fader->FadeOut(&object);
  EXPECT_EQ(object.Shown, (std::vector<int>{255}));
  for (int tick = 1; tick <= 25; ++tick) {
    std::size_t before = object.Shown.size();
    Tick();
    if (tick % 2 == 1) {
      EXPECT_EQ(object.Shown.size(), before) << "tick " << tick;
    } else {
      int expected = 255 - 21 * (tick / 2);
      EXPECT_TRUE(Near(object.Last(), expected)) << object.Last() << " at tick " << tick;
    }
    ASSERT_EQ(fader->ElementCount(), 1) << "tick " << tick;
  }
  Tick();
  EXPECT_EQ(fader->ElementCount(), 0);
  EXPECT_EQ(object.Last(), 0);
  strip.Save("fader_fade_out.png");
  EXPECT_EQ(strip.CountOf(clRed), 0) << "every repaint, the final one too, has a picture to draw";
  for (int cell = 1; cell < 14; ++cell)
    EXPECT_LT(strip.At(cell * kSize + kSize / 2, kSize / 2), strip.At((cell - 1) * kSize, 0)) << cell;
}

TEST_F(FaderTest, LeavingHalfwayTurnsTheSameElementRound) {
  TTestFadingObject object;
  fader->FadeIn(&object);
  TdxFadingElement* element = fader->Find(&object);
  Tick();
  Tick();
  ASSERT_EQ(element->Stage(), 2);
  fader->FadeOut(&object);
  ASSERT_EQ(fader->ElementCount(), 1);
  EXPECT_EQ(fader->Find(&object), element);
  EXPECT_EQ(element->State(), fsFadingOut);
  EXPECT_EQ(element->Stage(), 7);
  EXPECT_EQ(element->TicksPerFrame(), 2);
  EXPECT_EQ(element->CurrentAlpha(), 255 - 21 * 7);
  fader->FadeOut(&object);
  EXPECT_EQ(element->Stage(), 7) << "the same direction again changes nothing";
}

// The fixture's tear-down finds any GDI+ image left behind.
TEST_F(FaderTest, ARepaintThatRaisesStillFreesThePreviousPicture) {
  TTestFadingObject object;
  fader->FadeIn(&object);
  object.RepaintRaises = true;
  EXPECT_THROW(fader->Find(&object)->Step(), Exception);
  object.RepaintRaises = false;
  EXPECT_EQ(fader->Find(&object)->Stage(), 1);
  fader->StopFading(&object, true);
  EXPECT_EQ(object.Last(), 255);
}

TEST_F(FaderTest, TimingsAreClampedToTheirBounds) {
  struct Case {
    int inCount, inDelay, outCount, outDelay;
    int expected[4];
  };
  const Case cases[] = {
      {0, 5, 0, 5, {4, 15, 12, 20}},
      {-3, 9, 100, 1000, {4, 15, 32, 300}},
      {100, 1000, 1, 10, {32, 300, 1, 10}},
  };
  for (const Case& c : cases) {
    TTestFadingObject object;
    object.InCount = c.inCount;
    object.InDelay = c.inDelay;
    object.OutCount = c.outCount;
    object.OutDelay = c.outDelay;
    fader->FadeIn(&object);
    TdxFadingElement* e = fader->Find(&object);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ((std::vector<int>{e->FadeInFrameCount(), e->FadeInFrameDelay(), e->FadeOutFrameCount(),
                                e->FadeOutFrameDelay()}),
              std::vector<int>(std::begin(c.expected), std::end(c.expected)));
    EXPECT_EQ(e->TicksPerFrame(), std::max(c.expected[1] / 10, 1));
    fader->StopFading(&object, false);
  }
}

TEST_F(FaderTest, AnEleventhFadeFinishesTheOldestAtOnce) {
  std::vector<std::unique_ptr<TTestFadingObject>> objects;
  for (int i = 0; i < 11; ++i) {
    objects.push_back(std::make_unique<TTestFadingObject>());
    fader->FadeIn(objects.back().get());
  }
  EXPECT_EQ(fader->ElementCount(), 10);
  EXPECT_TRUE(objects[0]->IsIdle());
  EXPECT_EQ(objects[0]->Last(), 255);
  EXPECT_EQ(fader->ElementAt(0)->FadedObject(), objects[1].get());
  for (int i = 0; i < 5; ++i) Tick();
  EXPECT_EQ(fader->ElementCount(), 0);
  EXPECT_FALSE(fader->TimerEnabled());
}

TEST_F(FaderTest, StoppingLeavesTheFinalLook) {
  for (bool immediately : {false, true}) {
    TTestFadingObject object;
    fader->FadeIn(&object);
    Tick();
    fader->StopFading(&object, immediately);
    EXPECT_TRUE(object.IsIdle());
    EXPECT_EQ(object.Last(), 255);
    EXPECT_FALSE(fader->TimerEnabled());
  }
  // A helper that goes away mid-fade takes its element with it.
  auto object = std::make_unique<TTestFadingObject>();
  fader->FadeOut(object.get());
  object.reset();
  EXPECT_EQ(fader->ElementCount(), 0);
}

TEST_F(FaderTest, NothingStartsWhenFadingIsNotPossible) {
  struct Case {
    const char* name;
    std::function<void(TTestFadingObject&)> prepare;
  };
  const Case cases[] = {
      {"menu animation off",
       [](TTestFadingObject&) { win::SystemParametersInfo(win::SPI_SETMENUANIMATION, 0, nullptr, 0); }},
      {"16-bit screen", [](TTestFadingObject&) { platform::SetScreenBitsPerPixel(16); }},
      {"object cannot fade", [](TTestFadingObject& o) { o.Fadable = false; }},
      {"fader never fades", [this](TTestFadingObject&) { fader = std::make_unique<TdxFader>(2); }},
      {"empty hot picture", [](TTestFadingObject& o) { o.EmptyHotPicture = true; }},
      {"no hot picture", [](TTestFadingObject& o) { o.NoHotPicture = true; }},
  };
  for (const Case& c : cases) {
    TTestFadingObject object;
    c.prepare(object);
    fader->FadeIn(&object);
    EXPECT_EQ(fader->ElementCount(), 0) << c.name;
    EXPECT_TRUE(object.IsIdle()) << c.name;
    EXPECT_TRUE(object.Shown.empty()) << c.name;
    EXPECT_FALSE(fader->TimerEnabled()) << c.name;
    platform::ResetSystemParameters();
    platform::SetScreenBitsPerPixel(32);
    fader = std::make_unique<TdxFader>();
  }
  // A fader that always fades ignores the system setting.
  win::SystemParametersInfo(win::SPI_SETMENUANIMATION, 0, nullptr, 0);
  fader = std::make_unique<TdxFader>(1);
  TTestFadingObject object;
  fader->FadeIn(&object);
  EXPECT_EQ(fader->ElementCount(), 1);
}

TEST_F(FaderTest, WithoutGdiPlusNothingStarts) {
  platform::HideModule("gdiplus.dll");
  RestartUnits();
  TTestFadingObject object;
  fader->FadeIn(&object);
  EXPECT_EQ(fader->ElementCount(), 0);
  EXPECT_TRUE(object.IsIdle());
}

TEST_F(FaderTest, ShutdownFreesTheSharedFaderWithItsRunningElements) {
  FadingUnitStartup();
  ASSERT_NE(FaderInstance, nullptr);
  EXPECT_EQ(FaderInstance->State(), 0);
  EXPECT_EQ(FaderInstance->MaxSimultaneousElements(), 10);
  TTestFadingObject in, out;
  FaderInstance->FadeIn(&in);
  FaderInstance->FadeOut(&out);
  Tick();
  FadingUnitShutdown();
  EXPECT_EQ(FaderInstance, nullptr);
  EXPECT_TRUE(in.IsIdle());
  EXPECT_EQ(in.Last(), 255);
  EXPECT_TRUE(out.IsIdle());
  EXPECT_EQ(out.Last(), 0);
}

}  // namespace
