// Floating toolbars on a real X server: another X client taking the focus deactivates the
// application (WM_ACTIVATE towards no window, WM_ACTIVATEAPP false) and hides them; the focus
// coming back shows them again.
#include <gtest/gtest.h>

#include <functional>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Window.h"
#include "tests/support/Artifacts.h"
#include "tests/support/RealWindowPump.h"
#include "tests/support/X11.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/GraphicsUnit.h"

namespace {

using testsupport::Screenshot;
using testsupport::PumpUntil;
using testsupport::Shell;

class TRealHooksForm : public TForm {
  VW_CLASS(TRealHooksForm, TForm)
 public:
  explicit TRealHooksForm(TComponent* AOwner) : TForm(AOwner, 0) {}
};

class BarHooksRealWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { skip_ = new std::string(testsupport::StartForRealWindows(server_)); }
  static void TearDownTestSuite() {
    server_.Stop();
    delete skip_;
  }
  void SetUp() override {
    if (!skip_->empty()) GTEST_SKIP() << "real-window tests skipped: " << *skip_;
    if (!testsupport::OnPath("xlogo")) GTEST_SKIP() << "no second X client (xlogo) to take the focus";
    platform::InstallDisplay(platform::CreateSdlDisplay());
    InitializeForms();
    GraphicsUnitStartup();
    Application->Initialize();
    ControlsUnitStartup();
    BarUnitStartup();
  }
  void TearDown() override {
    if (!skip_->empty() || !testsupport::OnPath("xlogo")) return;
    if (!otherPid_.empty()) Shell("kill " + otherPid_);
    BarUnitShutdown();
    ControlsUnitShutdown();
    GraphicsUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  static testsupport::XServer server_;
  static std::string* skip_;
  std::string otherPid_;
};

testsupport::XServer BarHooksRealWindow::server_;
std::string* BarHooksRealWindow::skip_ = nullptr;

TEST_F(BarHooksRealWindow, AnotherClientTakingTheFocusHidesFloatingToolbars) {
  TRealHooksForm* form = nullptr;
  Application->CreateForm(form);
  form->SetCaption("BarHooksMain");
  form->SetBounds(60, 60, 460, 320);
  form->Show();
  auto* manager = new TdxBarManager(form);
  TdxBar* floating = manager->Bars()->Add();
  floating->SetCaption("Tools");
  floating->SetDockingStyle(dsNone);
  floating->SetFloatLeft(120);
  floating->SetFloatTop(80);
  floating->SetFloatClientWidth(160);
  floating->SetFloatClientHeight(40);
  ASSERT_TRUE(PumpUntil([&] { return form->Active(); })) << "the form never became active";
  floating->SetVisible(true);
  auto shows = [&] { return floating->Control() && win::IsWindowVisible(floating->Control()->Handle()); };
  ASSERT_TRUE(PumpUntil(shows));
  // The toolbar windows stand in without painting: this one is filled navy so it shows on screen.
  TdxBarControl* window = floating->Control();
  auto original = window->WindowProc;
  window->WindowProc = [window, original](TMessage& AMessage) {
    original(AMessage);
    if (AMessage.Msg != win::WM_PAINT) return;
    win::HDC dc = win::GetDC(window->Handle());
    win::RECT r = window->ClientRect();
    win::HBRUSH navy = win::CreateSolidBrush(win::RGB(0, 0, 128));
    win::FillRect(dc, &r, navy);
    win::DeleteObject(navy);
    win::ReleaseDC(window->Handle(), dc);
  };
  window->Invalidate();
  PumpUntil([] { return false; }, 300);
  Screenshot active = testsupport::GrabScreen();
  testsupport::SaveScreenshot(active, "bars/hooks-real-active.png");
  // A point inside the toolbar on the screen: navy while it shows, the form's face while hidden.
  win::POINT inside{20, 20};
  win::ClientToScreen(window->Handle(), &inside);
  if (!active.pixels.empty()) {
    EXPECT_EQ(active.At(inside.x, inside.y), 0x000080u);
  }

  // The X window that has the focus now is the form's.
  std::string own = Shell("xdotool getwindowfocus");
  while (!own.empty() && own.back() == '\n') own.pop_back();
  ASSERT_FALSE(own.empty());
  otherPid_ = Shell("xlogo -geometry 200x200+600+420 >/dev/null 2>&1 & echo $!");
  while (!otherPid_.empty() && (otherPid_.back() == '\n' || otherPid_.back() == ' ')) otherPid_.pop_back();
  ASSERT_FALSE(otherPid_.empty());
  std::string other = Shell("xdotool search --sync --onlyvisible --class xlogo | head -1");
  while (!other.empty() && other.back() == '\n') other.pop_back();
  ASSERT_FALSE(other.empty()) << "xlogo's window never showed";
  Shell("xdotool windowfocus --sync " + other);
  EXPECT_TRUE(PumpUntil([&] { return !shows(); })) << "hidden while another client has the focus";
  PumpUntil([] { return false; }, 300);
  Screenshot inactive = testsupport::GrabScreen();
  testsupport::SaveScreenshot(inactive, "bars/hooks-real-other-client.png");
  if (!inactive.pixels.empty()) {
    EXPECT_NE(inactive.At(inside.x, inside.y), 0x000080u);
  }

  Shell("xdotool windowfocus --sync " + own);
  EXPECT_TRUE(PumpUntil(shows)) << "shown again when the focus comes back";
  PumpUntil([] { return false; }, 300);
  Screenshot back = testsupport::GrabScreen();
  testsupport::SaveScreenshot(back, "bars/hooks-real-back.png");
  if (!back.pixels.empty()) {
    EXPECT_EQ(back.At(inside.x, inside.y), 0x000080u);
  }
  window->WindowProc = original;
}

}  // namespace
