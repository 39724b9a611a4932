// Chinese typed on a real X server reaches the standard controls whole: xdotool types through
// the server, the sdl backend takes it as text input.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "platform/classes/Forms.h"
#include "platform/classes/Grids.h"
#include "platform/classes/StdCtrls.h"
#include "platform/display/Display.h"
#include "platform/win/Focus.h"
#include "tests/support/Artifacts.h"
#include "tests/support/RealWindowPump.h"
#include "tests/support/X11.h"

namespace {

class RealTyping : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    skip_ = new std::string(server_.Start());
    if (skip_->empty() && !testsupport::OnPath("xdotool")) *skip_ = "xdotool is not installed";
    // A keyboard whose layout has the two characters, as an input method's would deliver them;
    // only on a server of the suite's own, never on the desktop the tests run on.
    if (skip_->empty() && !server_.Own()) *skip_ = "the desktop's keyboard map is not the tests' to change";
    if (skip_->empty() && !testsupport::MapCharactersToKeys(U"中文")) *skip_ = "the keyboard map cannot be changed";
  }
  static void TearDownTestSuite() {
    server_.Stop();
    delete skip_;
  }
  void SetUp() override {
    if (!skip_->empty()) GTEST_SKIP() << "real-window tests skipped: " << *skip_;
    platform::InstallDisplay(platform::CreateSdlDisplay());
    InitializeForms();
    Application->Initialize();
  }
  void TearDown() override {
    if (!skip_->empty()) return;
    FinalizeForms();
    platform::ResetDisplay();
  }
  static bool PumpUntil(const std::function<bool()>& done, int ms = 4000) { return testsupport::PumpUntil(done, ms, 20); }

  static testsupport::XServer server_;
  static std::string* skip_;
};

testsupport::XServer RealTyping::server_;
std::string* RealTyping::skip_ = nullptr;

TEST_F(RealTyping, ChineseTypedOnTheServerArrivesWhole) {
  auto* form = new TForm(Application, 0);
  form->SetBounds(40, 40, 420, 260);
  auto place = [&](TWinControl* c, int x, int y, int w, int h) {
    c->SetParent(form);
    c->SetBounds(x, y, w, h);
    return c;
  };
  auto* edit = static_cast<TEdit*>(place(new TEdit(form), 10, 10, 150, 21));
  auto* memo = static_cast<TMemo*>(place(new TMemo(form), 10, 40, 150, 60));
  auto* combo = static_cast<TComboBox*>(place(new TComboBox(form), 10, 110, 150, 21));
  auto* grid = static_cast<TStringGrid*>(place(new TStringGrid(form), 180, 10, 220, 200));
  grid->SetOptions(grid->Options() + TGridOptions{goEditing});
  form->Show();
  ASSERT_TRUE(PumpUntil([&] { return win::GetForegroundWindow() == form->Handle(); }));

  const String typed = "中文abc";
  struct Target {
    TWinControl* control;
    std::function<String()> text;
  } targets[] = {
      {edit, [&] { return edit->Text(); }},
      {memo, [&] { return memo->Text(); }},
      {combo, [&] { return combo->Text(); }},
      {grid, [&] { return grid->Cells(grid->Col(), grid->Row()); }},
  };
  for (const Target& t : targets) {
    SCOPED_TRACE(t.control->ClassName());
    t.control->SetFocus();
    Application->ProcessMessages();
    testsupport::Shell("xdotool type --delay 30 '" + typed + "'");
    EXPECT_TRUE(PumpUntil([&] { return t.text() == typed; })) << "got \"" << t.text() << "\"";
  }
  PumpUntil([] { return false; }, 200);
  testsupport::Screenshot shot = testsupport::GrabScreen();
  if (!shot.pixels.empty())
    platform::WritePng(testsupport::ArtifactPath("real-typing.png"), shot.pixels.data(), shot.width, shot.height,
                       shot.width);
}

}  // namespace
