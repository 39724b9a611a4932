// A floating toolbar on a real X server through the sdl backend: its own window, owned by the form,
// drawn with the painter's frame and caption where the toolbar stands.
#include <gtest/gtest.h>

#include "platform/display/Display.h"
#include "tests/support/RealWindowPump.h"
#include "tests/support/X11.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/GraphicsUnit.h"

namespace {

using testsupport::PumpUntil;
using testsupport::Screenshot;

class BarToolbarRealWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { skip_ = new std::string(testsupport::StartForRealWindows(server_)); }
  static void TearDownTestSuite() {
    server_.Stop();
    delete skip_;
  }
  void SetUp() override {
    if (!skip_->empty()) GTEST_SKIP() << "real-window tests skipped: " << *skip_;
    platform::InstallDisplay(platform::CreateSdlDisplay());
    InitializeForms();
    Application->Initialize();
    ControlsUnitStartup();
    GraphicsUnitStartup();
    BarUnitStartup();
    Application->CreateForm(Form);
    Form->SetColor(clWhite);
    Form->SetBounds(100, 100, 500, 400);
    Manager = new TdxBarManager(Form);
    Manager->SetStyle(bmsStandard);
  }
  void TearDown() override {
    if (!skip_->empty()) return;
    TObject::Free(Form);
    BarUnitShutdown();
    GraphicsUnitShutdown();
    ControlsUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }

  static testsupport::XServer server_;
  static std::string* skip_;
  TForm* Form = nullptr;
  TdxBarManager* Manager = nullptr;
};

testsupport::XServer BarToolbarRealWindow::server_;
std::string* BarToolbarRealWindow::skip_ = nullptr;

TEST_F(BarToolbarRealWindow, AFloatingToolbarShowsItsFrameAndCaptionOnItsOwnWindow) {
  Form->Show();
  Screenshot before;
  PumpUntil([&] {
    before = testsupport::GrabScreen();
    return !before.pixels.empty() && before.At(300, 300) == 0xFFFFFFu;
  });
  ASSERT_FALSE(before.pixels.empty());
  TdxBar* bar = Manager->Bars()->Add();
  bar->SetCaption("Wall tools");
  bar->ItemLinks()->AddItem(new TdxBarButton(Form));
  bar->SetFloatLeft(650);
  bar->SetFloatTop(200);
  bar->SetFloatClientWidth(140);
  bar->SetFloatClientHeight(40);
  bar->SetDockingStyle(dsNone);
  bar->SetVisible(true);
  TdxBarControl* window = bar->Control();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(win::GetWindowLong(window->Handle(), win::GWL_STYLE) & win::WS_POPUP);
  EXPECT_EQ(win::GetParent(window->Handle()), Form->Handle()) << "owned by the manager's form";
  const TRect r = window->WindowRect();
  ASSERT_EQ(r.Left, 650);
  // The caption's background, between its text and the close button.
  const TRect caption = window->CaptionBand(true);
  const int cx = window->CloseButtonBounds().Left - 4, cy = (caption.Top + caption.Bottom) / 2;
  const int x = r.Left + cx, y = r.Top + cy;
  // What the toolbar's own window holds there, read back from it once it has painted its frame.
  auto own = [&] {
    win::HDC dc = win::GetWindowDC(window->Handle());
    const win::COLORREF c = win::GetPixel(dc, cx, cy);
    win::ReleaseDC(window->Handle(), dc);
    return static_cast<std::uint32_t>(win::GetRValue(c) << 16 | win::GetGValue(c) << 8 | win::GetBValue(c));
  };
  Screenshot shot;
  const bool shown = PumpUntil([&] {
    shot = testsupport::GrabScreen();
    return !shot.pixels.empty() && shot.At(x, y) == own() && shot.At(x, y) != before.At(x, y);
  });
  testsupport::SaveScreenshot(shot, "bars/toolbar-floating-real-window.png");
  ASSERT_TRUE(shown) << "the toolbar's caption never showed at its place";
  EXPECT_EQ(shot.At(r.Right + 3, r.Top + 10), before.At(r.Right + 3, r.Top + 10)) << "beside it nothing changed";
}

}  // namespace
