#pragma once
// What the picture parameter dialogs' tests share: the whole program's windows with the screens'
// port a pseudo-terminal standing for COM1, time virtual, and presses injected at a control's middle
// (its pages brought forward first), read back as the bytes on the line and the pauses in order.
#include <functional>
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/CommSettings.h"
#include "platform/system/Registry.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ComPorts.h"
#include "tests/support/PauseRecorder.h"
#include "tests/support/SerialPeer.h"
#include "ui/choice/Button.h"
#include "ui/pages/PageControl.h"

namespace picturetest {

using Bytes = testsupport::SerialPeer::Bytes;
using Pauses = std::vector<std::uint32_t>;

// Every step pair of the VIDEO, VGA, DVI/HDMI and COLOR TEMP pages with the command it sends:
// the down button 0, the up button 1.
struct StepRow {
  const char *down, *up;
  int command;
};
inline constexpr StepRow kStepRows[] = {
    {"SpeedButton1", "SpeedButton2", 0x31},   {"SpeedButton3", "SpeedButton4", 0x30},
    {"SpeedButton5", "SpeedButton6", 0x32},   {"SpeedButton7", "SpeedButton8", 0x34},
    {"SpeedButton57", "SpeedButton58", 0x33}, {"SpeedButton9", "SpeedButton10", 0x3B},
    {"SpeedButton11", "SpeedButton12", 0x3C}, {"btnHsatsub", "btnHsatadd", 0x61},
    {"btnHszesub", "btnHszeadd", 0x62},       {"btnVsatsub", "btnVsatadd", 0x63},
    {"btnVszesub", "btnVszeadd", 0x64},       {"SpeedButton19", "SpeedButton20", 0x41},
    {"SpeedButton21", "SpeedButton22", 0x40}, {"SpeedButton23", "SpeedButton24", 0x42},
    {"SpeedButton25", "SpeedButton26", 0x43}, {"SpeedButton27", "SpeedButton28", 0x44},
    {"SpeedButton29", "SpeedButton30", 0x45}, {"SpeedButton69", "SpeedButton70", 0x46},
    {"SpeedButton71", "SpeedButton72", 0x47}, {"SpeedButton73", "SpeedButton74", 0x48},
    {"SpeedButton31", "SpeedButton32", 0x49}, {"SpeedButton33", "SpeedButton34", 0x4A},
    {"SpeedButton35", "SpeedButton36", 0x4B}, {"cxButton1", "cxButton2", 0x41},
    {"cxButton3", "cxButton4", 0x40},         {"cxButton5", "cxButton6", 0x42},
    {"cxButton7", "cxButton8", 0x43},         {"SpeedButton51", "SpeedButton52", 0x38},
    {"SpeedButton53", "SpeedButton54", 0x39}, {"SpeedButton55", "SpeedButton56", 0x3A},
    {"SpeedButton45", "SpeedButton46", 0x35}, {"SpeedButton47", "SpeedButton48", 0x36},
    {"SpeedButton49", "SpeedButton50", 0x37},
};

class PictureDialogTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    testsupport::ServeAsComPorts({&screens, 1}, folder);  // COM1
    if (HasFatalFailure()) return;
    CreateProgramWindows();
    Pump();
  }
  void TearDown() override {
    AppTest::TearDown();
    platform::SetSerialDeviceRoots("", "");
  }

  // Opens the screen link on COM1 with the console's link button.
  void Connect(TcxButton* LinkButton) {
    Form2->ComboBox1->SetText("COM1");
    Form2->ComboBox2->SetText("COM1");
    Form2->ComboBox3->SetText("COM1");
    LinkButton->Click();
    ASSERT_EQ(Form18->LinkOpen, 1);
  }
  void ShowDialog() {
    dialog->Show();
    Pump();
  }
  template <class T = TControl>
  T* Find(const std::string& name) {
    auto* c = dynamic_cast<T*>(dialog->FindComponent(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }

  // Brings the control's pages forward and clicks its middle with a mouse button.
  void Press(TControl* control, int button = platform::kButtonLeft) {
    for (TControl* p = control; p; p = p->Parent())
      if (auto* sheet = dynamic_cast<TcxTabSheet*>(p)) sheet->PageControl()->SetActivePage(sheet);
    Pump();
    win::POINT at = control->ClientToScreen(win::POINT{control->Width() / 2, control->Height() / 2});
    Headless().InjectMouseMove(at.x, at.y);
    Pump();
    Headless().InjectMouseButton(button, true);
    Pump();
    Headless().InjectMouseButton(button, false);
    Pump();
  }
  // What one press sends: the bytes on the line and the pauses in order.
  struct Sent {
    Bytes bytes;
    Pauses pauses;
  };
  Sent CallAndRead(const std::function<void()>& action, std::size_t frames) {
    testsupport::PauseRecorder recorder(clock.clock());
    action();
    return {screens.Receive(frames * 6), recorder.pauses};
  }
  Sent PressAndRead(TControl* control, std::size_t frames, int button = platform::kButtonLeft) {
    return CallAndRead([&] { Press(control, button); }, frames);
  }

  testsupport::SerialPeer screens;
  TForm* dialog = nullptr;  // the dialog under test, set by the test's own fixture
};

}  // namespace picturetest
