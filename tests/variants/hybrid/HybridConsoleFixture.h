#pragma once
// The hybrid-matrix console as the program starts and shows it: headless, on virtual time, in a
// folder of the test's own holding the skin list file and whatever "cfg.ini" a case puts there.
// COM1 to COM3 are pseudo-terminal peers; selections are dragged on the grid with the injected
// mouse.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/CommSettings.h"
#include "platform/system/Registry.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ComPorts.h"
#include "variants/HybridConsole.h"

namespace hybridtest {

class HybridConsoleTest : public apptest::AppTest {
 protected:
  using Bytes = testsupport::SerialPeer::Bytes;

  void SetUp() override {
    AppTest::SetUp();
    std::filesystem::copy_file(VW_SKIN_LIST, folder + "/AllSkins.skinres");
    testsupport::ServeAsComPorts(peers, folder);  // COM1..COM3
  }
  void TearDown() override {
    AppTest::TearDown();
    platform::SetSerialDeviceRoots("", "");
  }

  // Creates every window and shows this console, as the start-up does for console kind 3.
  void ShowConsole(const std::string& config = "") {
    WriteConfig(config);
    CreateProgramWindows();
    Pump();
    // The boot window's fade would run on with every frame's pause and open the chooser.
    Form18->tmr1->SetEnabled(false);
    Form18->ConsoleKind = ckHybrid;
    Form33->Show();
    Pump();
  }
  void ShowAgain() {
    Form33->Hide();
    Pump();
    Form33->Show();
    Pump();
  }
  void ChoosePorts(const char* p, const char* pA, const char* pB, bool own) {
    Form2->ComboBox1->SetText(p);
    Form2->ComboBox2->SetText(pA);
    Form2->ComboBox3->SetText(pB);
    Form2->CheckBox2->SetChecked(own);
    Form2->CheckBox3->SetChecked(own);
  }
  void Connect() {
    ChoosePorts("COM1", "COM1", "COM1", false);
    Form33->BitBtn1->Click();
    ASSERT_EQ(Form18->LinkOpen, 1);
  }
  win::POINT Centre(int column, int row) {
    TStringGrid* grid = Form33->stringgrid1;
    win::RECT r = grid->CellRect(column, row);
    return grid->ClientToScreen(win::POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  void Drag(int fromColumn, int fromRow, int toColumn, int toRow) {
    DragAt(Centre(fromColumn, fromRow), Centre(toColumn, toRow));
  }
  std::string Panel(int index) { return Form33->StatusBar1->Panels()->PanelAt(index)->Text(); }
  std::vector<std::string> Boxes() {
    std::vector<std::string> texts;
    for (const std::string& b : boxes) texts.push_back(b.substr(b.find('|') + 1));
    boxes.clear();
    return texts;
  }
  std::string ReadConfigText() {
    std::ifstream in(folder + "/cfg.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::uint64_t Elapsed(const std::function<void()>& action) {
    const std::uint64_t before = clock->NowMs();
    action();
    return clock->NowMs() - before;
  }
  static std::vector<std::string> Items(TcxComboBox* list) {
    std::vector<std::string> out;
    TStrings* items = list->Properties()->Items();
    for (int i = 0; i < items->Count(); ++i) out.push_back(items->Strings(i));
    return out;
  }
  static std::vector<int> Selection(const auto* console) {
    return {console->SelectionLeft, console->SelectionTop, console->SelectionRight, console->SelectionBottom};
  }

  testsupport::SerialPeer peers[3];
};

}  // namespace hybridtest
