// Menu animation on the headless backend with time on the virtual clock: the frames each kind
// and size takes, what each frame shows of the final image in every direction, and stopping the
// animation by a key, by closing, and at random moments.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/bars/BarItemControlFixture.h"
#include "tests/ui/bars/BarPatternMenu.h"
#include "ui/bars/BarMenuAnimation.h"
#include "ui/bars/BarSubMenuControl.h"

using namespace win;

namespace {

using bartest::Pattern;
using bartest::TPatternMenu;

class BarMenuAnimationTest : public BarInputFixture {
 protected:
  void SetUp() override {
    BarInputFixture::SetUp();
    Form->Show();
    Links = new TdxBarSubMenuControlItemLinks(M, nullptr);
    Owned.emplace_back(Links);
    for (const char* caption : {"One", "Two"}) Links->AddItem(Make(caption));
  }
  void TearDown() override {
    for (TPatternMenu* menu : Menus)
      if (IsBarControlAlive(menu)) TObject::Free(menu);
    Menus.clear();
    Finish();
    BarInputFixture::TearDown();
  }
  TPatternMenu* Open(TdxBarMenuAnimations AKind, TSize AClient, int X = 100, int Y = 100) {
    M->SetMenuAnimations(AKind);
    auto* menu = new TPatternMenu(M);
    Menus.push_back(menu);
    menu->Client = AClient;
    menu->SetItemLinks(Links);
    menu->SetLeft(X);
    menu->SetTop(Y);
    menu->SetShowAnimation(true);
    menu->PopupMenuWindow();
    // From here on only the animation moves the window.
    menu->Moves.clear();
    return menu;
  }
  // Serves the worker's next synchronised step (a frame, or the finishing step).
  static bool Serve() { return CheckSynchronize(2000); }
  // Lets the animation run out and waits until no thread is left.
  static void Finish() {
    for (int guard = 0; guard < 10000 && TdxBarAnimationThread::LiveCount() > 0; ++guard) CheckSynchronize(1);
  }
  static std::vector<std::uint32_t> ClientPixels(HWND Window, int& W, int& H) {
    RECT r{};
    GetClientRect(Window, &r);
    W = r.right;
    H = r.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = W;
    info.bmiHeader.biHeight = -H;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    HDC dc = GetDC(Window);
    BitBlt(mem, 0, 0, W, H, dc, 0, 0, SRCCOPY);
    ReleaseDC(Window, dc);
    std::vector<std::uint32_t> pixels(static_cast<const std::uint32_t*>(bits),
                                      static_cast<const std::uint32_t*>(bits) + static_cast<std::size_t>(W) * H);
    for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    return pixels;
  }

  TdxBarSubMenuControlItemLinks* Links = nullptr;
  std::vector<TPatternMenu*> Menus;
};

// ---- frames ---------------------------------------------------------------------------------------

TEST_F(BarMenuAnimationTest, EachKindAndSizeTakesItsFramesAndTheFinishingStepGivesTheFullSize) {
  const struct {
    TdxBarMenuAnimations Kind;
    TSize Client;
    int Frames;
    TSize First, Last;
  } rows[] = {
      {maUnfold, {150, 200}, 18, {8, 58}, {144, 194}},
      {maUnfold, {150, 100}, 12, {58, 8}, {146, 96}},
      {maUnfold, {124, 124}, 15, {8, 8}, {120, 120}},
      {maSlide, {150, 100}, 5, {150, 17}, {150, 85}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << r.Client.cx << " x " << r.Client.cy);
    TPatternMenu* menu = Open(r.Kind, r.Client);
    ASSERT_NE(menu->AnimationThread(), nullptr);
    EXPECT_FALSE(IsWindowVisible(menu->Handle())) << "the first frame shows it";
    const TdxBarMenuAnimationParams p = menu->AnimationParams();
    EXPECT_EQ(p.FinalClientWidth, r.Client.cx);
    EXPECT_EQ(p.FinalClientHeight, r.Client.cy);
    Finish();
    EXPECT_EQ(menu->AnimationThread(), nullptr);
    EXPECT_FALSE(menu->ShowAnimation());
    const std::vector<WINDOWPOS> frames = menu->Frames();
    ASSERT_EQ(static_cast<int>(frames.size()), r.Frames + 1);
    EXPECT_EQ(frames.front().cx - p.BorderWidth, r.First.cx);
    EXPECT_EQ(frames.front().cy - p.BorderHeight, r.First.cy);
    EXPECT_EQ(frames[r.Frames - 1].cx - p.BorderWidth, r.Last.cx);
    EXPECT_EQ(frames[r.Frames - 1].cy - p.BorderHeight, r.Last.cy);
    for (int i = 0; i < r.Frames; ++i) EXPECT_FALSE(frames[i].flags & SWP_FRAMECHANGED) << i;
    const WINDOWPOS& final = frames.back();
    EXPECT_TRUE(final.flags & SWP_FRAMECHANGED);
    EXPECT_EQ(final.cx - p.BorderWidth, r.Client.cx);
    EXPECT_EQ(final.cy - p.BorderHeight, r.Client.cy);
    Pump();
    int w = 0, h = 0;
    const std::vector<std::uint32_t> shown = ClientPixels(menu->Handle(), w, h);
    EXPECT_EQ(shown[static_cast<std::size_t>(h - 1) * w + w - 1], Pattern(w - 1, h - 1)) << "painted by itself again";
    menu->CloseUp();
  }
}

// The client pixels of frame 3 against the final image, for each way a menu opens.
TEST_F(BarMenuAnimationTest, EachFrameShowsThePartOfTheImageNearestTheEdgeItOpensFrom) {
  const struct {
    const char* Name;
    int X, Y;
    bool Leftward, Upward;
  } rows[] = {
      {"down-right", 100, 100, false, false},
      {"down-left", 1000, 100, true, false},
      {"up-right", 100, 700, false, true},
      {"up-left", 1000, 700, true, true},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.Name);
    TPatternMenu* menu = Open(maUnfold, {120, 90}, r.X, r.Y);
    const TdxBarMenuAnimationParams p = menu->AnimationParams();
    ASSERT_EQ(p.FromRight, r.Leftward);
    ASSERT_EQ(p.FromBottom, r.Upward);
    std::vector<std::uint32_t> sheet;
    int sheetWidth = 0, sheetHeight = 0;
    for (int frame = 1; frame <= 3; ++frame) {
      ASSERT_TRUE(Serve()) << frame;
      int w = 0, h = 0;
      const std::vector<std::uint32_t> shown = ClientPixels(menu->Handle(), w, h);
      const TSize size = dxBarMenuAnimationFrameSize(p, frame);
      ASSERT_EQ(w, size.cx);
      ASSERT_EQ(h, size.cy);
      RECT window{};
      GetWindowRect(menu->Handle(), &window);
      EXPECT_EQ(r.Leftward ? window.right : window.left, r.Leftward ? p.FinalLeft + p.FinalClientWidth + p.BorderWidth : p.FinalLeft);
      EXPECT_EQ(r.Upward ? window.bottom : window.top, r.Upward ? p.FinalTop + p.FinalClientHeight + p.BorderHeight : p.FinalTop);
      // Downward the bottom rows of the image come first; upward the top rows.
      const int sx = r.Upward || !r.Leftward ? 0 : p.FinalClientWidth - w;
      const int sy = r.Upward ? 0 : p.FinalClientHeight - h;
      int wrong = 0;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) wrong += shown[static_cast<std::size_t>(y) * w + x] != Pattern(x + sx, y + sy);
      EXPECT_EQ(wrong, 0) << "frame " << frame;
      // Three frames side by side, each at its place in the final window, three times as large.
      const int zoom = 3, cell = p.FinalClientWidth + 4;
      sheetWidth = cell * 3 * zoom;
      sheetHeight = p.FinalClientHeight * zoom;
      sheet.resize(static_cast<std::size_t>(sheetWidth) * sheetHeight, 0xFFFFFF);
      const int ox = (frame - 1) * cell + (r.Leftward ? p.FinalClientWidth - w : 0);
      const int oy = r.Upward ? p.FinalClientHeight - h : 0;
      for (int y = 0; y < h * zoom; ++y)
        for (int x = 0; x < w * zoom; ++x)
          sheet[static_cast<std::size_t>(oy * zoom + y) * sheetWidth + ox * zoom + x] =
              0xFF000000 | shown[static_cast<std::size_t>(y / zoom) * w + x / zoom];
    }
    platform::WritePng(testsupport::ArtifactPath(std::string("MenuAnimation_Unfold_") + r.Name + ".png"), sheet.data(),
                       sheetWidth, sheetHeight, sheetWidth);
    menu->CloseUp();
    Finish();
  }
}

// ---- interruptions --------------------------------------------------------------------------------

TEST_F(BarMenuAnimationTest, AKeyJumpsToTheFinalStateAndClosingRunsNoFinishingStep) {
  TPatternMenu* menu = Open(maUnfold, {150, 200});
  const TdxBarMenuAnimationParams p = menu->AnimationParams();
  ASSERT_TRUE(Serve());
  ASSERT_TRUE(Serve());
  SendMessage(menu->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(menu->AnimationThread(), nullptr);
  EXPECT_EQ(TdxBarAnimationThread::LiveCount(), 0) << "the stopper freed it";
  RECT window{};
  GetWindowRect(menu->Handle(), &window);
  EXPECT_EQ(window.right - window.left, p.FinalClientWidth + p.BorderWidth);
  EXPECT_EQ(window.bottom - window.top, p.FinalClientHeight + p.BorderHeight);
  EXPECT_TRUE(menu->Frames().back().flags & SWP_FRAMECHANGED);
  menu->CloseUp();

  TPatternMenu* closed = Open(maSlide, {150, 200});
  ASSERT_TRUE(Serve());
  const std::size_t moves = closed->Moves.size();
  closed->Moves.clear();
  closed->CloseUp();
  EXPECT_FALSE(IsBarControlAlive(closed));
  EXPECT_EQ(TdxBarAnimationThread::LiveCount(), 0);
  EXPECT_GT(moves, 0u);
}

TEST_F(BarMenuAnimationTest, OpeningAndClosingAtRandomMomentsLeavesNoThreadOrWindow) {
  std::mt19937 random(90);
  const int windows = static_cast<int>(BarControls->Count());
  for (int cycle = 0; cycle < 500; ++cycle) {
    const TSize client{40 + static_cast<int>(random() % 160), 20 + static_cast<int>(random() % 200)};
    TPatternMenu* menu = Open(random() % 2 ? maUnfold : maSlide, client, 50 + static_cast<int>(random() % 900),
                              50 + static_cast<int>(random() % 650));
    for (int steps = static_cast<int>(random() % 8); steps > 0 && menu->AnimationThread(); --steps) Serve();
    switch (random() % 3) {
      case 0: SendMessage(menu->Handle(), WM_KEYDOWN, VK_DOWN, 0); break;
      case 1: Clock->Advance(random() % 5); break;
      default: break;
    }
    menu->CloseUp();
    // A thread whose frames were done frees itself in its termination step, still to be served.
    Finish();
    ASSERT_EQ(TdxBarAnimationThread::LiveCount(), 0) << cycle;
  }
  Pump();
  EXPECT_EQ(static_cast<int>(BarControls->Count()), windows);
}

}  // namespace
