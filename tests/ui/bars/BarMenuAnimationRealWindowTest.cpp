// An unfolding menu on a real X server through the sdl backend, with time on the virtual clock:
// each frame reaches the screen as the part of the final image nearest the corner it opens from,
// and the finishing step leaves the whole menu there.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "tests/support/RealWindowPump.h"
#include "tests/support/X11.h"
#include "tests/ui/bars/BarPatternMenu.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarMenuAnimation.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/GraphicsUnit.h"

namespace {

using bartest::Pattern;
using bartest::TPatternMenu;
using testsupport::PumpUntil;
using testsupport::Screenshot;

class BarMenuAnimationRealWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { skip_ = new std::string(testsupport::StartForRealWindows(server_)); }
  static void TearDownTestSuite() {
    server_.Stop();
    delete skip_;
  }
  void SetUp() override {
    if (!skip_->empty()) GTEST_SKIP() << "real-window tests skipped: " << *skip_;
    // The menu's opening sound would reach the machine's sound device.
    PlaySounds = false;
    Clock = std::make_unique<platform::ScopedVirtualClock>();
    platform::InstallDisplay(platform::CreateSdlDisplay());
    InitializeForms();
    Application->Initialize();
    ControlsUnitStartup();
    GraphicsUnitStartup();
    BarUnitStartup();
    Application->CreateForm(Form);
    Form->SetColor(clWhite);
    Form->SetBounds(200, 150, 500, 400);
    Manager = new TdxBarManager(Form);
    Manager->SetStyle(bmsStandard);
  }
  void TearDown() override {
    if (!skip_->empty()) return;
    for (int guard = 0; guard < 10000 && TdxBarAnimationThread::LiveCount() > 0; ++guard) CheckSynchronize(1);
    if (Menu && IsBarControlAlive(Menu)) TObject::Free(Menu);
    Links.reset();
    TObject::Free(Form);
    BarUnitShutdown();
    GraphicsUnitShutdown();
    ControlsUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
    Clock.reset();
    PlaySounds = true;
  }
  // Paints and puts on the screen what is due, as a message loop would between two frames, but
  // without serving the animation's next frame: only paint messages are taken, and a look for one
  // more that does not come presents the windows.
  static void Present() {
    win::MSG m;
    while (win::PeekMessage(&m, nullptr, win::WM_PAINT, win::WM_PAINT, win::PM_REMOVE)) win::DispatchMessage(&m);
    win::PeekMessage(&m, nullptr, win::WM_PAINT, win::WM_PAINT, win::PM_NOREMOVE);
  }
  // The screen once the client area at the origin shows W x H of the final image from (SX, SY).
  static bool ShowsPart(const win::POINT& Origin, int W, int H, int SX, int SY, Screenshot& Shot) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(4);
    do {
      Present();
      Shot = testsupport::GrabScreen();
      if (Shot.pixels.empty()) return false;
      int wrong = 0;
      for (int y = 0; y < H && !wrong; ++y)
        for (int x = 0; x < W && !wrong; ++x) wrong += Shot.At(Origin.x + x, Origin.y + y) != Pattern(x + SX, y + SY);
      if (!wrong) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
  }

  static testsupport::XServer server_;
  static std::string* skip_;
  std::unique_ptr<platform::ScopedVirtualClock> Clock;
  TForm* Form = nullptr;
  TdxBarManager* Manager = nullptr;
  TPatternMenu* Menu = nullptr;
  std::unique_ptr<TdxBarItemLinks> Links;
};

testsupport::XServer BarMenuAnimationRealWindow::server_;
std::string* BarMenuAnimationRealWindow::skip_ = nullptr;

TEST_F(BarMenuAnimationRealWindow, AnUnfoldingMenuReachesTheScreenFrameByFrame) {
  Form->Show();
  ASSERT_TRUE(PumpUntil([] {
    const Screenshot s = testsupport::GrabScreen();
    return !s.pixels.empty() && s.At(450, 400) == 0xFFFFFFu;
  }));
  Manager->SetMenuAnimations(maUnfold);
  Links = std::make_unique<TdxBarSubMenuControlItemLinks>(Manager, nullptr);
  auto* open = new TdxBarButton(Form);
  open->SetCaption("Open");
  Links->AddItem(open);
  Menu = new TPatternMenu(Manager);
  Menu->SetItemLinks(Links.get());
  Menu->SetLeft(300);
  Menu->SetTop(220);
  Menu->SetShowAnimation(true);
  Menu->PopupMenuWindow();
  ASSERT_NE(Menu->AnimationThread(), nullptr);
  const TdxBarMenuAnimationParams p = Menu->AnimationParams();
  ASSERT_FALSE(p.FromRight);
  ASSERT_FALSE(p.FromBottom);

  // The frames side by side, each cut from the screen around the final window, twice as large.
  const TRect area{p.FinalLeft - 8, p.FinalTop - 8, p.FinalLeft + p.FinalClientWidth + p.BorderWidth + 8,
                   p.FinalTop + p.FinalClientHeight + p.BorderHeight + 8};
  const int aw = area.Right - area.Left, ah = area.Bottom - area.Top, zoom = 2, shots = 3;
  std::vector<std::uint32_t> sheet(static_cast<std::size_t>(aw * shots * zoom) * ah * zoom, 0xFFFFFFFFu);
  int column = 0;
  auto keep = [&](const Screenshot& Shot) {
    for (int y = 0; y < ah * zoom; ++y)
      for (int x = 0; x < aw * zoom; ++x)
        sheet[static_cast<std::size_t>(y) * aw * shots * zoom + column * aw * zoom + x] =
            0xFF000000u | Shot.At(area.Left + x / zoom, area.Top + y / zoom);
    ++column;
  };

  const int frames = p.Delta / p.Step;
  for (int frame = 1; frame <= frames; ++frame) {
    ASSERT_TRUE(CheckSynchronize(2000)) << "frame " << frame << " never came";
    if (frame != 3 && frame != 9) continue;
    const TSize size = dxBarMenuAnimationFrameSize(p, frame);
    win::POINT origin{0, 0};
    win::ClientToScreen(Menu->Handle(), &origin);
    Screenshot shot;
    // Opening down and to the right, the bottom rows of the image come first, at the top.
    ASSERT_TRUE(ShowsPart(origin, size.cx, size.cy, 0, p.FinalClientHeight - size.cy, shot)) << "frame " << frame;
    keep(shot);
    EXPECT_EQ(shot.At(origin.x + 2, origin.y + size.cy + p.BorderHeight + 4), 0xFFFFFFu)
        << "below frame " << frame << " the form still shows";
  }
  for (int guard = 0; guard < 1000 && TdxBarAnimationThread::LiveCount() > 0; ++guard) CheckSynchronize(1);
  ASSERT_EQ(Menu->AnimationThread(), nullptr);
  // The finishing step repaints the menu, now by itself.
  ASSERT_TRUE(PumpUntil([&] { return !Menu->ShowAnimation(); }));
  win::POINT origin{0, 0};
  win::ClientToScreen(Menu->Handle(), &origin);
  Screenshot shot;
  const bool whole = ShowsPart(origin, p.FinalClientWidth, p.FinalClientHeight, 0, 0, shot);
  if (!shot.pixels.empty()) keep(shot);
  platform::WritePng(testsupport::ArtifactPath("bars/menu-unfold-real-window.png"), sheet.data(), aw * shots * zoom,
                     ah * zoom, aw * shots * zoom);
  EXPECT_TRUE(whole) << "the finished menu shows its whole image";
  Menu->CloseUp();
}

}  // namespace
