// The hybrid console's splice, single display, signal-type picker and the window-mode and linkage
// boxes: what reaches the screens at COM1 and the matrices at COM2 and COM3, how long the console
// pauses on the virtual clock, and what the cell model keeps in memory and in "cfg.ini".
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "console/GridConsole.h"
#include "console/ScreenFrame.h"
#include "matrix/MatrixConfig.h"
#include "matrix/MatrixEngine.h"
#include "matrix/SwitchCommands.h"
#include "tests/support/ScreenFrames.h"
#include "tests/variants/hybrid/HybridConsoleFixture.h"

namespace {

using Bytes = testsupport::SerialPeer::Bytes;
using testsupport::Frame;
using testsupport::Frames;

std::vector<std::string> Numbered(int count) {
  std::vector<std::string> out;
  for (int i = 1; i <= count; ++i) out.push_back(std::to_string(i));
  return out;
}

class HybridSpliceTest : public hybridtest::HybridConsoleTest {
 protected:
  // A wall of rows × columns with the link open on COM1, the matrices on COM2 and COM3.
  void ShowWall(int rows, int columns, const std::string& more = "") {
    ShowConsole("[config]\nrow=" + std::to_string(rows) + "\ncol=" + std::to_string(columns) + "\n" + more);
    ChoosePorts("COM1", "COM2", "COM3", true);
    Form33->BitBtn1->Click();
    ASSERT_EQ(Form18->LinkOpen, 1);
  }
  void Source(int row, int column) {
    Form33->stringgrid1->SetSelection({column, row, column, row});
    Form33->N6->Click();
  }
  // The grid's selection as the operator drags it, which also sets the wall selection.
  void Select(int left, int top, int right, int bottom) { Drag(left, top, right, bottom); }
  std::string Stored(const char* section, const std::string& key) {
    Form33->ConfigFileHybrid->UpdateFile();
    return Form33->ConfigFileHybrid->ReadString(section, key, "?");
  }
  bool Quiet() {
    bool quiet = true;
    for (auto& peer : peers) quiet = peer.Drain(30).empty() && quiet;
    return quiet;
  }
};

// ---- The whole-wall window ----------------------------------------------------------------------------

TEST_F(HybridSpliceTest, TheWholeWallLearnsItsWindowAndTheModelRecordsIt) {
  ShowWall(2, 2);
  Source(1, 1);
  Select(1, 1, 2, 1);
  EXPECT_EQ(Elapsed([&] { Form33->BitBtn8->Click(); }), 1080u);
  EXPECT_EQ(peers[0].Receive(54), Frames({Frame(0x11, 0x22, 0x8F, 0x11),
                                          Frame(0x11, 0x21, 0x8E, 0x00),
                                          Frame(0x11, 0x11, 0x8E, 0x01),
                                          Frame(0x12, 0x12, 0x8E, 0x02),
                                          Frame(0x22, 0x22, 0x8E, 0x02),
                                          Frame(0x12, 0x12, 0x88, 0x00),
                                          Frame(0x22, 0x22, 0x88, 0x00),
                                          Frame(0x11, 0x22, 0x8D, 0x03),
                                          Frame(0x11, 0x21, 0x88, 0x01)}));
  EXPECT_TRUE(Quiet());
  const auto& addresses = *Form33->CellAddresses;
  EXPECT_EQ(addresses[0][0], "( 1 , 1 )");
  EXPECT_EQ(addresses[0][1], "( 1 , 1 )");
  EXPECT_EQ(addresses[1][0], "本地");
  EXPECT_EQ(addresses[1][1], "本地");
  EXPECT_EQ(Stored("cellAddress", "1,2"), "1 , 1");
  EXPECT_EQ(Stored("cellAddress", "2,1"), "local");
  SaveWindowShot(Form33, "variants/hybrid-splice-zh.png");
}

TEST_F(HybridSpliceTest, ASourceOutsideTheWindowIsMarkedThenSentBackToLocal) {
  // 3 rows × 4 columns: the whole wall ends at 0x43. The source (3, 4) lies outside the window.
  ShowWall(3, 4, "language=1\n[hybridGeneral]\ntype=3\n");
  Source(3, 4);
  Select(2, 1, 2, 1);
  Form33->BitBtn8->Click();
  const Bytes got = peers[0].Receive(6 * 26 + 1, 500);
  ASSERT_EQ(got.size(), 6u * 26u);
  auto frame = [&](int i) { return Bytes(got.begin() + 6 * i, got.begin() + 6 * i + 6); };
  EXPECT_EQ(frame(0), Frame(0x11, 0x43, 0x8F, 0x43));
  EXPECT_EQ(frame(1), Frame(0x21, 0x21, 0x8E, 0x00));
  // Eleven screens outside the window, the source among them last (row 3 is the last row).
  EXPECT_EQ(frame(12), Frame(0x43, 0x43, 0x8E, 0x01));
  EXPECT_EQ(frame(23), Frame(0x43, 0x43, 0x88, 0x00));
  EXPECT_EQ(frame(24), Frame(0x11, 0x43, 0x8D, 0x00)) << "with the whole-wall synchronisation";
  EXPECT_EQ(frame(25), Frame(0x21, 0x21, 0x88, 0x01));
  EXPECT_EQ(Form33->CellAddresses->at(2)[3], "local");
  EXPECT_EQ(Form33->CellAddresses->at(0)[1], "( 3 , 4 )");
  EXPECT_EQ(Stored("cellAddress", "1,2"), "3 , 4");
}

TEST_F(HybridSpliceTest, AFifteenByFifteenWallTakesItsFullTime) {
  ShowWall(15, 15);
  Source(1, 1);
  Select(1, 1, 1, 1);
  EXPECT_EQ(Elapsed([&] { Form33->BitBtn8->Click(); }), 54'360u);
  const Bytes got = peers[0].Receive(6 * 453 + 1, 500);
  ASSERT_EQ(got.size(), 6u * 453u);
  EXPECT_EQ(Bytes(got.begin(), got.begin() + 6), Frame(0x11, 0xFF, 0x8F, 0x11));
  EXPECT_EQ(Bytes(got.end() - 12, got.end()), Frames({Frame(0x11, 0xFF, 0x8D, 0x03), Frame(0x11, 0x11, 0x88, 0x01)}));
  EXPECT_EQ(Form33->CellAddresses->at(14)[14], "本地");
}

// ---- The window inside the selection, the single display --------------------------------------------

TEST_F(HybridSpliceTest, WindowModeMarksTheSelectionsScreensAndLeavesTheModel) {
  for (int type : {0, 3}) {
    SCOPED_TRACE(type);
    ShowWall(2, 2, "[hybridGeneral]\ntype=" + std::to_string(type) + "\n");
    Source(1, 2);
    Select(1, 1, 2, 1);
    Form33->cxchckbx1->SetChecked(true);
    EXPECT_EQ(Elapsed([&] { Form33->BitBtn8->Click(); }), 5u * 20u + 4u * 100u);
    const std::uint8_t sync = type == 3 ? 0x00 : 0x03;
    EXPECT_EQ(peers[0].Receive(30), Frames({Frame(0x11, 0x21, 0x8F, 0x21),
                                            Frame(0x11, 0x11, 0x8E, 0x00),
                                            Frame(0x21, 0x21, 0x8E, 0x01),
                                            Frame(0x11, 0x21, 0x8D, sync),
                                            Frame(0x11, 0x21, 0x88, 0x01)}));
    EXPECT_EQ(Form33->CellAddresses->at(0)[0], "本地");
    FinalizeForms();
    InitializeForms();
  }
}

TEST_F(HybridSpliceTest, WithoutASourceNothingIsSentAndSingleDisplayNeedsNoSelection) {
  ShowWall(2, 2);
  for (bool window : {false, true}) {
    Form33->cxchckbx1->SetChecked(window);
    Form33->BitBtn8->Click();
    EXPECT_EQ(Boxes(), std::vector<std::string>{"请选择信号源"});
    EXPECT_TRUE(Quiet());
  }
  Form33->BitBtn10->Click();
  EXPECT_EQ(peers[0].Receive(6), Frame(0x11, 0x11, 0x88, 0x00));
  EXPECT_EQ(Form33->CellAddresses->at(0)[0], "本地");
}

// ---- Matrix linkage -----------------------------------------------------------------------------------

TEST_F(HybridSpliceTest, LinkageRoutesTheChosenInputInTheConfiguredOrder) {
  for (int type : {0, 3}) {
    for (int order : {0, 1}) {
      SCOPED_TRACE("type " + std::to_string(type) + " order " + std::to_string(order));
      ShowWall(2, 2, "[hybridGeneral]\ntype=" + std::to_string(type) + "\n");
      Form3->ComboBox7->SetItemIndex(3);  // an HDMI make whose text names output and input
      Form3->RadioGroup1->SetItemIndex(order);
      Form3->LabeledEdit4->SetText("300");
      Form3->LabeledEdit5->SetText("10");
      Select(1, 1, 2, 1);
      Form33->CheckBox3->SetChecked(true);
      Form33->ComboBox8->SetItemIndex(4);
      ASSERT_EQ(Form1->ComboBox1->Text(), "HDMI");
      Form18->DebugMode = 1;  // the log shows screens and matrices in the order they were sent
      Form33->Memo1->Lines()->Clear();
      Form33->BitBtn8->Click();

      Bytes matrix;
      std::vector<std::string> matrixLog;
      for (int output : {0, 1}) {
        for (const MatrixStep& step : MatrixSwitchSends(ReadMatrixSettings(), output, 5).Steps) {
          if (step.kind == MatrixStep::Kind::Write) {
            ASSERT_EQ(step.link, MatrixLink::RgbMatrix);
            matrix.insert(matrix.end(), step.bytes.begin(), step.bytes.end());
          } else if (step.kind == MatrixStep::Kind::Log && (step.boxes & mlbHybridConsole)) {
            matrixLog.push_back(step.line);
          }
        }
      }
      ASSERT_FALSE(matrixLog.empty());
      EXPECT_EQ(peers[2].Receive(matrix.size()), matrix);
      const Bytes sync = Frame(0x11, 0x22, 0x8D, 0x02);
      const Bytes splice = Frame(0x11, 0x21, 0x88, 0x01);
      Bytes screens;
      if (type == 3) screens = sync;
      screens.insert(screens.end(), splice.begin(), splice.end());
      EXPECT_EQ(peers[0].Receive(screens.size()), screens);
      EXPECT_TRUE(Quiet());

      std::vector<std::string> log;
      TStrings* lines = Form33->Memo1->Lines();
      for (int i = 0; i < lines->Count(); ++i) log.push_back(lines->Strings(i));
      std::vector<std::string> want;
      std::vector<std::string> screenLog;
      if (type == 3) screenLog.push_back("->C6,11,22,8D,02,BB");
      screenLog.push_back("->C6,11,21,88,01,BB");
      if (order == 0) {
        want = screenLog;
        want.insert(want.end(), matrixLog.begin(), matrixLog.end());
      } else {
        want = matrixLog;
        want.insert(want.end(), screenLog.begin(), screenLog.end());
      }
      EXPECT_EQ(log, want);
      FinalizeForms();
      InitializeForms();
    }
  }
}

TEST_F(HybridSpliceTest, LinkageRoutesTheFirstInputOnAFreshStartAndStopsAtABadPause) {
  ShowWall(2, 2);
  Form3->ComboBox7->SetItemIndex(3);
  Form3->RadioGroup1->SetItemIndex(1);
  Form3->LabeledEdit4->SetText("-100");  // no pause, never one of 49 days
  Form3->LabeledEdit5->SetText("0");
  Select(1, 1, 1, 1);
  Form33->CheckBox3->SetChecked(true);
  EXPECT_LT(Elapsed([&] { Form33->BitBtn8->Click(); }), 1000u);
  EXPECT_EQ(Form1->MatrixInput, 1);
  Bytes matrix;
  for (const MatrixStep& step : MatrixSwitchSends(ReadMatrixSettings(), 0, 1).Steps)
    if (step.kind == MatrixStep::Kind::Write) matrix.insert(matrix.end(), step.bytes.begin(), step.bytes.end());
  EXPECT_EQ(peers[2].Receive(matrix.size()), matrix);
  EXPECT_EQ(peers[0].Receive(6), Frame(0x11, 0x11, 0x88, 0x01));

  // Another send order sends nothing.
  Form3->RadioGroup1->SetItemIndex(-1);
  Form1->MatrixInput = 0;
  EXPECT_EQ(Elapsed([&] { Form33->BitBtn8->Click(); }), 0u);
  EXPECT_EQ(Form1->MatrixInput, 0);
  EXPECT_TRUE(Quiet());

  // A pause that is no number stops the splice there with the conversion's message: the screens
  // were told, the matrix gets nothing.
  Form3->RadioGroup1->SetItemIndex(0);
  Form3->LabeledEdit4->SetText("1OO");
  ClickAt(Form33->BitBtn8->ClientToScreen(win::POINT{10, 10}));
  Pump();
  EXPECT_EQ(peers[0].Receive(6), Frame(0x11, 0x11, 0x88, 0x01));
  const std::vector<std::string> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("1OO"), std::string::npos) << boxes[0];
  EXPECT_TRUE(Quiet());
}

// ---- The boxes ----------------------------------------------------------------------------------------

TEST_F(HybridSpliceTest, WindowModeAndLinkageExcludeEachOther) {
  ShowConsole("[setting]\nhdmi_inport=12\n");
  Form3->ComboBox7->SetItemIndex(3);
  const std::string make = Form3->ComboBox7->Text();
  EXPECT_EQ(Items(Form33->ComboBox8).size(), 255u);
  EXPECT_FALSE(Form33->ComboBox8->Enabled());

  Form33->CheckBox3->SetChecked(true);
  EXPECT_TRUE(Form1->CheckBox3->Checked());
  EXPECT_TRUE(Form33->ComboBox8->Enabled());
  EXPECT_TRUE(Form33->Label2->Enabled());
  EXPECT_TRUE(Form33->grpMatix->Visible());
  EXPECT_EQ(Form33->Label7->Caption(), make);
  EXPECT_EQ(Items(Form33->ComboBox8), Numbered(12));
  EXPECT_EQ(Stored("setting", "linkage"), "1");
  SaveWindowShot(Form33, "variants/hybrid-linkage-zh.png");

  Form33->cxchckbx1->SetChecked(true);
  EXPECT_FALSE(Form33->CheckBox3->Checked());
  EXPECT_FALSE(Form1->CheckBox3->Checked());
  EXPECT_FALSE(Form33->ComboBox8->Enabled());
  EXPECT_FALSE(Form33->grpMatix->Visible());
  EXPECT_EQ(Stored("setting", "linkage"), "0");

  // Ticking linkage unticks window mode; a signal type with no input count offers 255.
  Form33->ComboBox1->SetItemIndex(4);
  Form33->CheckBox3->SetChecked(true);
  EXPECT_FALSE(Form33->cxchckbx1->Checked());
  EXPECT_EQ(Items(Form33->ComboBox8).size(), 255u);
  EXPECT_EQ(Form33->Label7->Caption(), make);
}

// ---- The signal type ----------------------------------------------------------------------------------

TEST_F(HybridSpliceTest, TheFirstShowAppliesItemZeroOverTheStoredSignal) {
  ShowConsole(
      "[setting]\nauto open port=1\ncom port=1\n[hybridGeneral]\ntype=0\n[cellSignal]\n1,1=DVI\n1,2=VGA\n");
  ASSERT_EQ(Form18->LinkOpen, 1);
  EXPECT_EQ(peers[0].Receive(6), Frame(0x11, 0x11, 0x20, 0x03));
  EXPECT_EQ(Stored("cellSignal", "1,1"), "HDMI");
  EXPECT_EQ(Stored("cellSignal", "1,2"), "VGA");
  EXPECT_EQ(Form33->CellSignals->at(0)[0], "HDMI");
  EXPECT_EQ(Form33->ComboBox1->Text(), "HDMI");
  EXPECT_EQ(Form1->ComboBox4->ItemIndex(), 3);
  EXPECT_EQ(Form33->Label7->Caption(), Form3->ComboBox7->Text());
}

TEST_F(HybridSpliceTest, OnePickFromTheListAppliesTheTypeTwice) {
  ShowWall(2, 2, "[hybridGeneral]\ntype=2\n");
  Select(2, 1, 2, 2);
  Form33->ComboBox4->SetItemIndex(3);
  EXPECT_EQ(peers[0].Receive(6), Frame(0x21, 0x22, 0x20, 0x03));
  Form33->ComboBox3->SetItemIndex(0);

  Form33->ComboBox4->SetFocus();
  Pump();
  TcxComboBox* picker = Form33->ComboBox4;
  const TRect& button = picker->EditViewInfo()->Button(0)->Bounds;
  ClickAt(picker->ClientToScreen(win::POINT{(button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2}));
  ASSERT_TRUE(picker->DroppedDown());
  TcxCustomComboBoxListBox* list = picker->ListBox();
  const int row = list->ItemHeightAt(0);
  std::uint64_t ms = Elapsed([&] { ClickAt(list->ClientToScreen(win::POINT{10, 2 * row + row / 2})); });
  Pump();
  EXPECT_FALSE(picker->DroppedDown());
  EXPECT_EQ(picker->Text(), "DVI");
  EXPECT_EQ(ms, 2u * (50u + 20u));
  EXPECT_EQ(peers[0].Receive(12), Frames({Frame(0x21, 0x22, 0x20, 0x02), Frame(0x21, 0x22, 0x20, 0x02)}));
  EXPECT_EQ(Form33->ComboBox3->ItemIndex(), 2);
  EXPECT_EQ(Stored("cellSignal", "2,2"), "DVI");
  EXPECT_EQ(Stored("cellSignal", "1,1"), "VIDEO") << "as the show's item-0 choice left it";
  EXPECT_EQ(Form1->ComboBox1->Text(), "DVI");

  // Every row of the table, and a double click applying the shown type once more.
  struct Case {
    int item;
    std::uint8_t value;
    int scene;
    TcxComboBox* make;
  } cases[] = {{0, 0, 0, Form3->ComboBox3}, {1, 1, 1, Form3->ComboBox4}, {3, 3, 2, Form3->ComboBox7}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    picker->SetItemIndex(c.item);
    EXPECT_EQ(peers[0].Receive(6), Frame(0x21, 0x22, 0x20, c.value));
    EXPECT_EQ(Form33->ComboBox3->ItemIndex(), c.scene);
    EXPECT_EQ(Form33->ComboBox1->ItemIndex(), c.value);
    EXPECT_EQ(Form1->ComboBox4->ItemIndex(), c.value);
    EXPECT_EQ(Form33->Label7->Caption(), c.make->Text());
  }
  picker->OnDblClick(picker);
  EXPECT_EQ(peers[0].Receive(6), Frame(0x21, 0x22, 0x20, 0x03));
  EXPECT_TRUE(Quiet());
}

}  // namespace
