// The toolbar's mark and MDI buttons fading between their normal and hot looks, with a painter that
// draws fading pictures and the fader on the virtual clock. The toolbar window is a double here:
// it has a mark and MDI buttons at fixed places and, as the toolbar does, fades its mark in when it
// leaves the normal state and out when it leaves the hot one.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarItemControlFixture.h"
#include "tests/ui/bars/BarPainterFixture.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/bars/BarFadingHelpers.h"
#include "ui/bars/BarFlatPainter.h"
#include "ui/bars/BarSkinPainter.h"
#include "ui/foundation/BitmapPixels.h"

namespace {

using namespace win;

constexpr TColor kNormal = clBlue, kHot = clRed;

// Draws the mark and the MDI buttons in one colour for the normal look and another for the hot
// one, into the left half of the picture only: the right half keeps the cleared picture's alpha.
class TFadingTestPainter : public TdxBarFlatPainter, public IdxBarPainterFading {
  VW_CLASS(TFadingTestPainter, TdxBarFlatPainter)
 public:
  bool MakesImagesOpaque() override { return Opaque; }
  void DrawMarkForFade(TCustomdxBarControl* /*BarControl*/, HDC DC, bool Hot, const TRect& R) override {
    Marks.emplace_back(R, Hot);
    FillHalf(DC, R, Hot ? kHot : kNormal);
  }
  void DrawButtonForFade(TBP& /*P*/) override {}
  void DrawMDIButton(TB* /*Bar*/, HDC DC, const TRect& R, int Kind, int State) override {
    Buttons.push_back({R, Kind, State});
    FillHalf(DC, R, State == 2 ? kHot : kNormal);
  }

  struct Button {
    TRect Bounds;
    int Kind, State;
  };
  // Pictures as GDI draws them carry no alpha: only opaque ones show.
  bool Opaque = true;
  std::vector<std::pair<TRect, bool>> Marks;
  std::vector<Button> Buttons;

 private:
  static void FillHalf(HDC DC, const TRect& R, TColor Color) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
    RECT half{R.Left, R.Top, R.Left + (R.Right - R.Left) / 2, R.Bottom};
    FillRect(DC, &half, brush);
    DeleteObject(brush);
  }
};

class TFadingToolbar : public TStandInBar {
  VW_CLASS(TFadingToolbar, TStandInBar)
 public:
  using TStandInBar::TStandInBar;
  bool HasMark() const override { return Mark; }
  TRect MarkRect() const override { return {170, 2, 182, 24}; }
  bool ShowsMDIOrCloseButtons() const override { return MDIButtons; }
  TRect MDIButtonRect(int AIndex) const override { return {100 + 20 * AIndex, 4, 116 + 20 * AIndex, 18}; }
  void RedrawMark() override {
    ++MarkRedraws;
    TStandInBar::RedrawMark();
  }
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_ERASEBKGND) ++Erases;
    TStandInBar::WndProc(Message);
  }
  void SetMarkState(int AState) override {
    if (AState == FMarkState) return;
    const int previous = FMarkState;
    FMarkState = AState;
    if (MarkFadingHelper()->CanFade()) {
      if (previous == 1) BarFader()->FadeOut(MarkFadingHelper());
      if (previous == 0) BarFader()->FadeIn(MarkFadingHelper());
    }
    RedrawMark();
  }
  bool Mark = true, MDIButtons = true;
  int MarkRedraws = 0, Erases = 0;
};

class BarFadingHelpersTest : public BarItemControlFixture {
 protected:
  void SetUp() override {
    BarItemControlFixture::SetUp();
    Fader = std::make_unique<TdxFader>(1);
    Bar = new TFadingToolbar(M, dxBarKindToolbar);
    Bar->Fader = Fader.get();
    Bar->SetPainter(&Painter);
    Form->Show();
    Bar->SetBounds(100, 100, 200, 26);
    Bar->HandleNeeded();
    Bar->ShowNoActivate();
    Bar->SetVisible(true);
  }
  void TearDown() override {
    TObject::Free(Bar);
    Fader.reset();
    BarItemControlFixture::TearDown();
    // The skin goes after the manager whose painter draws with it.
    Skin.reset();
  }
  void Tick() {
    Clock->Advance(TdxFader::TimerInterval);
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&m);
  }
  // The colour a helper shows at the left half's first pixel, or kNone while it does not fade.
  static constexpr COLORREF kNone = 0xFFFFFFFF;
  static COLORREF Shown(TdxFadingObjectHelper* Helper, int Width, int Height) {
    TBitmap picture;
    picture.SetPixelFormat(pf32bit);
    picture.SetSize(Width, Height);
    if (!Helper->DrawFadingImage(picture.Canvas()->Handle(), {0, 0, Width, Height})) return kNone;
    return GetPixel(picture.Canvas()->Handle(), 1, 1);
  }
  static std::vector<int> Alphas(TBitmap* Picture) {
    TRGBColors colors;
    EXPECT_TRUE(GetBitmapColors(Picture->Handle(), colors, true));
    std::vector<int> alphas;
    for (const TRGBQuad& q : colors) alphas.push_back(q.rgbReserved);
    return alphas;
  }

  platform::ScopedVirtualClock Clock;
  std::unique_ptr<TdxFader> Fader;
  std::unique_ptr<barpaintertest::TScopedBarSkin> Skin;
  TFadingTestPainter Painter;
  TFadingToolbar* Bar = nullptr;
};

TEST_F(BarFadingHelpersTest, HoveringTheMarkFadesFromTheNormalLookToTheHotOne) {
  auto* helper = static_cast<TdxBarControlMarkFadingHelper*>(Bar->MarkFadingHelper());
  ASSERT_NE(helper, nullptr);
  EXPECT_TRUE(helper->CanFade());
  Bar->SetMarkState(1);
  ASSERT_EQ(Fader->ElementCount(), 1);
  EXPECT_EQ(Fader->ElementAt(0)->State(), fsFadingIn);
  ASSERT_EQ(Painter.Marks.size(), 2u);
  EXPECT_EQ(Painter.Marks[0], std::make_pair(TRect{0, 0, 12, 22}, false)) << "the normal look, at the origin";
  EXPECT_EQ(Painter.Marks[1], std::make_pair(TRect{0, 0, 12, 22}, true));
  EXPECT_EQ(Shown(helper, 12, 22), ColorToRGB(kNormal));

  // Frame by frame the blue gives way to red, and each frame redraws the mark.
  std::vector<COLORREF> frames;
  const int redraws = Bar->MarkRedraws;
  while (Fader->ElementCount() > 0 && frames.size() < 20) {
    Tick();
    if (!helper->IsIdle()) frames.push_back(Shown(helper, 12, 22));
  }
  ASSERT_GE(frames.size(), 3u);
  EXPECT_EQ(frames.back(), ColorToRGB(kHot));
  for (std::size_t i = 1; i < frames.size(); ++i) {
    EXPECT_GE(GetRValue(frames[i]), GetRValue(frames[i - 1])) << i;
    EXPECT_LE(GetBValue(frames[i]), GetBValue(frames[i - 1])) << i;
  }
  EXPECT_GT(Bar->MarkRedraws, redraws + 2);
  EXPECT_TRUE(helper->IsIdle()) << "the mark paints normally again once the fade is over";

  // The way back, drawn through the painter's own mark drawing while it fades.
  Bar->SetMarkState(0);
  ASSERT_EQ(Fader->ElementCount(), 1);
  EXPECT_EQ(Fader->ElementAt(0)->State(), fsFadingOut);
  TBitmap screen;
  screen.SetPixelFormat(pf32bit);
  screen.SetSize(40, 30);
  Painter.DrawMark(Bar, screen.Canvas()->Handle(), {10, 2, 22, 24});
  EXPECT_EQ(GetPixel(screen.Canvas()->Handle(), 11, 3), ColorToRGB(kHot))
      << "the mark shows the fade's picture";
}

// The program's own fading painter: the skin's mark in its normal and hot looks, made opaque.
TEST_F(BarFadingHelpersTest, TheSkinPainterFadesTheMarkBetweenItsSkinsLooks) {
  Skin = std::make_unique<barpaintertest::TScopedBarSkin>();
  M->SetStyle(bmsUseLookAndFeel);
  M->LookAndFeel()->SetSkinName("Xmas2008Blue");
  Bar->SetPainter(nullptr);
  ASSERT_NE(dynamic_cast<TdxBarSkinPainter*>(Bar->BarPainter()), nullptr);
  EXPECT_TRUE(Bar->AllowsFading());

  TdxFadingObjectHelper* helper = Bar->MarkFadingHelper();
  TBitmap* normal = nullptr;
  TBitmap* hot = nullptr;
  int timing = 0;
  helper->PrepareFadingImages(normal, hot, timing, timing, timing, timing);
  std::unique_ptr<TBitmap> keepNormal(normal), keepHot(hot);
  ASSERT_NE(normal, nullptr);
  ASSERT_NE(hot, nullptr);
  const std::vector<int> alphas = Alphas(normal);
  EXPECT_TRUE(std::all_of(alphas.begin(), alphas.end(), [](int a) { return a == 255; }));
  TRGBColors normalPixels, hotPixels;
  GetBitmapColors(normal->Handle(), normalPixels, true);
  GetBitmapColors(hot->Handle(), hotPixels, true);
  int differ = 0;
  for (std::size_t i = 0; i < normalPixels.size(); ++i)
    differ += normalPixels[i].rgbRed != hotPixels[i].rgbRed || normalPixels[i].rgbBlue != hotPixels[i].rgbBlue;
  EXPECT_GT(differ, 20) << "the hot look is not the normal one";

  // Every frame of the fade, four times as large, side by side.
  constexpr int kZoom = 4, kW = 12 * kZoom, kH = 22 * kZoom;
  surfacetest::Surface strip(8 * kW, kH, clFuchsia);
  int frame = 0;
  Bar->SetMarkState(1);
  ASSERT_EQ(Fader->ElementCount(), 1);
  while (Fader->ElementCount() > 0 && frame < 8) {
    helper->DrawFadingImage(strip.Canvas()->Handle(), {frame * kW, 0, (frame + 1) * kW, kH});
    ++frame;
    Tick();
  }
  strip.Save("bars/fading-mark-skin.png");
  EXPECT_GE(frame, 4);
  EXPECT_NE(strip.At(kW / 2, kH / 2), strip.At((frame - 1) * kW + kW / 2, kH / 2)) << "the fade moves";
}

TEST_F(BarFadingHelpersTest, OpaqueImagesOnlyWhenThePainterSaysSo) {
  TdxFadingObjectHelper* helpers[] = {Bar->MarkFadingHelper(), Bar->MDIButtonFadingHelper(2)};
  for (bool opaque : {false, true})
    for (TdxFadingObjectHelper* helper : helpers) {
      SCOPED_TRACE(testing::Message() << helper->ClassName() << (opaque ? " opaque" : " as drawn"));
      Painter.Opaque = opaque;
      TBitmap* normal = nullptr;
      TBitmap* hot = nullptr;
      int inCount = -7, inDelay = -7, outCount = -7, outDelay = -7;
      helper->PrepareFadingImages(normal, hot, inCount, inDelay, outCount, outDelay);
      std::unique_ptr<TBitmap> keepNormal(normal), keepHot(hot);
      ASSERT_NE(normal, nullptr);
      ASSERT_NE(hot, nullptr);
      EXPECT_EQ(normal->PixelFormat(), pf32bit);
      EXPECT_EQ((std::vector<int>{inCount, inDelay, outCount, outDelay}), (std::vector<int>{-7, -7, -7, -7}))
          << "the fader's timings stay as given";
      for (TBitmap* picture : {normal, hot}) {
        const std::vector<int> alphas = Alphas(picture);
        const bool allOpaque = std::all_of(alphas.begin(), alphas.end(), [](int a) { return a == 255; });
        EXPECT_EQ(allOpaque, opaque);
      }
    }
}

TEST_F(BarFadingHelpersTest, ADroppedMarkAPainterWithoutFadingOrNoMarkDoNotFade) {
  auto* helper = Bar->MarkFadingHelper();
  Bar->SetMarkState(2);
  EXPECT_FALSE(helper->CanFade()) << "dropped";
  EXPECT_EQ(Fader->ElementCount(), 0) << "normal to dropped: no fade";
  Bar->SetMarkState(0);
  EXPECT_EQ(Fader->ElementCount(), 0);

  Bar->Mark = false;
  EXPECT_FALSE(helper->CanFade()) << "no mark";
  Bar->Mark = true;

  TdxBarFlatPainter plain;
  Bar->SetPainter(&plain);
  EXPECT_FALSE(Bar->AllowsFading());
  EXPECT_FALSE(helper->CanFade());
  EXPECT_FALSE(Bar->MDIButtonFadingHelper(0)->CanFade());
  Bar->SetMarkState(1);
  EXPECT_EQ(Fader->ElementCount(), 0);
  TBitmap* normal = nullptr;
  TBitmap* hot = nullptr;
  int timing = 0;
  helper->PrepareFadingImages(normal, hot, timing, timing, timing, timing);
  EXPECT_EQ(normal, nullptr) << "only a fading painter gives pictures";
  EXPECT_EQ(hot, nullptr);
  Bar->SetPainter(&Painter);

  Bar->Fader = nullptr;
  TdxFader* shared = FaderInstance;
  FaderInstance = nullptr;
  EXPECT_FALSE(Bar->AllowsFading()) << "no fader";
  FaderInstance = shared;
}

TEST_F(BarFadingHelpersTest, MDIButtonsFadeBetweenTheirNormalAndHotStates) {
  TdxBarControlMDIButtonFadingHelper* restore = Bar->MDIButtonFadingHelper(1);
  ASSERT_NE(restore, nullptr);
  EXPECT_EQ(restore->ButtonIndex(), 1);
  EXPECT_EQ(Bar->MDIButtonFadingHelper(3), nullptr);
  Bar->MDIButtons = false;
  EXPECT_FALSE(restore->CanFade()) << "no MDI or close buttons shown";
  Bar->MDIButtons = true;
  EXPECT_TRUE(restore->CanFade());

  Fader->FadeIn(restore);
  ASSERT_EQ(Fader->ElementCount(), 1);
  ASSERT_EQ(Painter.Buttons.size(), 2u);
  for (const auto& b : Painter.Buttons) {
    EXPECT_EQ(b.Bounds, (TRect{0, 0, 16, 14})) << "the button at the origin";
    EXPECT_EQ(b.Kind, 1);
  }
  EXPECT_EQ(Painter.Buttons[0].State, 0);
  EXPECT_EQ(Painter.Buttons[1].State, 2);
  EXPECT_EQ(Shown(restore, 16, 14), ColorToRGB(kNormal));

  // A frame invalidates the button, background and all.
  UpdateWindow(Bar->Handle());
  Bar->Erases = 0;
  restore->RepaintOwner();
  RECT dirty{};
  EXPECT_TRUE(GetUpdateRect(Bar->Handle(), &dirty, FALSE));
  EXPECT_EQ(TRect(dirty), Bar->MDIButtonRect(1));
  UpdateWindow(Bar->Handle());
  EXPECT_EQ(Bar->Erases, 1);
  while (Fader->ElementCount() > 0) Tick();
  EXPECT_TRUE(restore->IsIdle());
}

TEST_F(BarFadingHelpersTest, FreeingTheToolbarMidFadeStopsItsFades) {
  Bar->SetMarkState(1);
  Fader->FadeIn(Bar->MDIButtonFadingHelper(0));
  ASSERT_EQ(Fader->ElementCount(), 2);
  Tick();
  TObject::Free(Bar);
  Bar = nullptr;
  EXPECT_EQ(Fader->ElementCount(), 0);
  EXPECT_FALSE(Fader->TimerEnabled());
  for (int i = 0; i < 5; ++i) Tick();
}

}  // namespace
