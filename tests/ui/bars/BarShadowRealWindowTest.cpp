// A menu's shadow on a real X server through the sdl backend. A bare server blends nothing: each
// strip shows as the black of its premultiplied pixels, cut to their shape, which is enough to see
// that the strip windows stand where they belong.
#include <gtest/gtest.h>

#include "platform/display/Display.h"
#include "platform/system/Modules.h"
#include "platform/win/Metrics.h"
#include "tests/support/RealWindowPump.h"
#include "tests/support/X11.h"
#include "tests/ui/bars/BarStandIns.h"
#include "ui/bars/BarShadow.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/GraphicsUnit.h"

namespace {

using testsupport::PumpUntil;
using testsupport::Screenshot;

class BarShadowRealWindow : public ::testing::Test {
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
    UseStandInControls();
    Application->CreateForm(Form);
    Form->SetColor(clWhite);
    Form->SetBounds(200, 150, 500, 400);
    Manager = new TdxBarManager(Form);
    Manager->SetStyle(bmsFlat);
  }
  void TearDown() override {
    if (!skip_->empty()) return;
    TObject::Free(Menu);
    Links.reset();
    dxBarItemControlFactory = nullptr;
    TObject::Free(Form);
    BarUnitShutdown();
    GraphicsUnitShutdown();
    ControlsUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  static bool AllOf(const Screenshot& Shot, const TRect& R, std::uint32_t Colour) {
    for (int y = R.Top; y < R.Bottom; ++y)
      for (int x = R.Left; x < R.Right; ++x)
        if (Shot.At(x, y) != Colour) return false;
    return true;
  }

  static testsupport::XServer server_;
  static std::string* skip_;
  TForm* Form = nullptr;
  TdxBarManager* Manager = nullptr;
  TStandInBar* Menu = nullptr;
  std::unique_ptr<TdxBarItemLinks> Links;
};

testsupport::XServer BarShadowRealWindow::server_;
std::string* BarShadowRealWindow::skip_ = nullptr;

TEST_F(BarShadowRealWindow, TheStripsStandAlongTheMenusRightAndBottomEdges) {
  Form->Show();
  Menu = new TStandInBar(Manager, dxBarKindMenu);
  Menu->AutoSize = false;
  Links = std::make_unique<TdxBarSubMenuControlItemLinks>(Manager, nullptr);
  auto* open = new TdxBarButton(Form);
  open->SetCaption("Open");
  Links->AddItem(open);
  Menu->SetItemLinks(Links.get());
  Menu->HandleNeeded();
  Menu->ShowNoActivate();
  Menu->SetBounds(300, 250, 100, 60);
  ASSERT_TRUE(Menu->Shadow()->Shown());
  ASSERT_EQ(Menu->Shadow()->PartCount(), 2);
  const TRect below{304, 310, 404, 314}, right{400, 254, 404, 310};

  Screenshot shot;
  const bool placed = PumpUntil([&] {
    shot = testsupport::GrabScreen();
    return !shot.pixels.empty() && AllOf(shot, below, 0) && AllOf(shot, right, 0);
  });
  testsupport::SaveScreenshot(shot, "bars/shadow-real-window.png");
  ASSERT_TRUE(placed) << "the strips never showed at their places";
  // Around them the form shows: the strips are no larger than they should be.
  EXPECT_TRUE(AllOf(shot, {304, 314, 404, 318}, 0xFFFFFF));
  EXPECT_TRUE(AllOf(shot, {404, 254, 408, 310}, 0xFFFFFF));
  EXPECT_TRUE(AllOf(shot, {400, 250, 404, 254}, 0xFFFFFF)) << "the right strip starts S below the top";
  EXPECT_FALSE(platform::CurrentDisplay().SupportsTranslucency()) << "a bare server: no blending to look at";
}

}  // namespace
