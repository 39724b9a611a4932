#pragma once
// The grid console on the program's own windows, on virtual time, its serial ports COM1 (the
// screens), COM2 (port A) and COM3 (port B) pseudo-terminal peers.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/CommSettings.h"
#include "console/GridConsole.h"
#include "matrix/MatrixConfig.h"
#include "platform/system/Registry.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ComPorts.h"

namespace testsupport {

class GridConsoleTest : public apptest::AppTest {
 protected:
  using Bytes = SerialPeer::Bytes;

  void SetUp() override {
    AppTest::SetUp();
    ServeAsComPorts(peers, folder);
  }
  void TearDown() override {
    AppTest::TearDown();
    platform::SetSerialDeviceRoots("", "");
  }

  // Starts the program on `config` (lines of [config], then any further sections) and shows the
  // grid console with a wall of `size` × `size`.
  void ShowConsole(const std::string& config = "", int size = 3) {
    WriteConfig("[config]\nrow=" + std::to_string(size) + "\ncol=" + std::to_string(size) + "\n" + config);
    CreateProgramWindows();
    Pump();
    Form18->ConsoleKind = ckGrid;
    Form1->Show();
    Pump();
  }
  // Opens the serial links with both matrix port boxes ticked.
  void OpenSerial(const char* pA = "COM2") {
    Form2->ComboBox1->SetText("COM1");
    Form2->ComboBox2->SetText(pA);
    Form2->ComboBox3->SetText("COM3");
    Form2->CheckBox2->SetChecked(true);
    Form2->CheckBox3->SetChecked(true);
    Form1->BitBtn1->Click();
    ASSERT_EQ(Form18->LinkOpen, 1);
  }
  // The send order and the two matrix pauses, as typed into the matrix configuration.
  void Order(int order, const char* first = "100", const char* second = "100") {
    Form3->RadioGroup1->SetItemIndex(order);
    Form3->LabeledEdit4->SetText(first);
    Form3->LabeledEdit5->SetText(second);
  }
  std::uint64_t Elapsed(const std::function<void()>& action) {
    const std::uint64_t before = clock->NowMs();
    action();
    return clock->NowMs() - before;
  }
  // Brings the pages the control sits on to the front.
  void Reveal(TControl* control) {
    for (TControl* c = control; c; c = c->Parent())
      if (auto* page = dynamic_cast<TcxTabSheet*>(c)) page->PageControl()->SetActivePage(page);
    Pump();
  }
  void ClickOn(TControl* control) {
    ClickAt(control->ClientToScreen(win::POINT{control->Width() / 2, control->Height() / 2}));
    Pump();
  }
  std::string ConfigValue(const char* section, const char* key) {
    Form1->ConfigFile->UpdateFile();
    return Form1->ConfigFile->ReadString(section, key, "?");
  }
  bool QuietEverywhere() {
    bool quiet = true;
    for (auto& peer : peers) quiet = peer.Drain(30).empty() && quiet;
    return quiet;
  }
  static Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

  SerialPeer peers[3];
};

}  // namespace testsupport
