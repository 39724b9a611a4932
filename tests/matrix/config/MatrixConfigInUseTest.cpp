// The dialog's settings as the grid console's splice and matrix engine take them: read from the
// controls at every call, so a change counts before OK, and OK's model label steers the splice.
// The links stay closed; what the engine would send is asked of the engine itself.
#include <string>

#include "console/GridConsole.h"
#include "matrix/MatrixConfig.h"
#include "matrix/MatrixEngine.h"
#include "matrix/SwitchCommands.h"
#include "tests/matrix/config/DialogFixture.h"

namespace {

using matrixconfigtest::DialogTest;

enum { kVideo, kVga, kDvi };

class MatrixConfigInUseTest : public DialogTest {
 protected:
  void Open(const std::string& config = "") {
    WriteConfig(config);
    ShowConsole();
    LogInAsAdministrator();
    ClickOn(Form1->BitBtn18);
  }
  // The matrix writes one switch of output 3 to input 5 would make now.
  static int SwitchWrites() {
    int writes = 0;
    for (const MatrixStep& step : MatrixSwitchSends(ReadMatrixSettings(), 2, 5).Steps)
      writes += step.kind == MatrixStep::Kind::Write;
    return writes;
  }
  void SpliceFirstRow() {
    Form1->stringgrid1->SetSelection({1, 1, 2, 1});
    ClickOn(Form1->BitBtn8);
  }
};

// The DVI list holds CREATEK twice; the engine sends the first one's command twice and the second
// one's once, so a stored second one must stay the second one.
TEST_F(MatrixConfigInUseTest, AStoredSecondCreatekReachesTheEngineAsItself) {
  Open("[setting]\ndvimux=10\nsignalindex=2\n");
  ASSERT_EQ(Form1->ComboBox1->ItemIndex(), kDvi);
  EXPECT_EQ(Form1->Label7->Caption(), "CREATEK");
  EXPECT_EQ(ReadMatrixSettings().DviMake.ItemIndex, 10);
  EXPECT_EQ(SwitchWrites(), 1);
  Form3->ComboBox5->SetItemIndex(3);  // changed, not stored: the engine takes it at once
  EXPECT_EQ(SwitchWrites(), 2);
}

TEST_F(MatrixConfigInUseTest, AMakeTypedWithoutOkIsTheEnginesAtOnce) {
  Open();
  TypeName(Form3->ComboBox4, "PC-VGA");
  const MatrixSettings settings = ReadMatrixSettings();
  EXPECT_EQ(settings.VgaMake.ItemIndex, 18);
  EXPECT_EQ(settings.VgaMake.Text, "PC-VGA");
}

// VGA15 keeps its scenes in the console: once OK names it, a VGA splice labels and sends nothing.
TEST_F(MatrixConfigInUseTest, TheTypedVga15MakesTheSpliceTakeTheNativePath) {
  Open("[setting]\nsignalindex=1\n");
  SpliceFirstRow();
  EXPECT_EQ(Form1->stringgrid1->Cells(1, 1), "VGA");
  Form1->stringgrid1->SetCells(1, 1, "");
  ClickOn(Form1->BitBtn18);
  TypeName(Form3->ComboBox4, "VGA15");
  ClickOn(Form3->Button5);
  EXPECT_EQ(Stored("setting", "vgamux"), "-1");
  EXPECT_EQ(Form1->Label7->Caption(), "VGA15");
  SpliceFirstRow();
  EXPECT_EQ(Form1->stringgrid1->Cells(1, 1), "");
  EXPECT_EQ(Form1->MatrixInput, 1);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(MatrixConfigInUseTest, AStoredPauseThatIsNoNumberStopsTheLinkedSplice) {
  Open("[setting]\nsignalindex=1\n");
  Form3->PageControl1->SetActivePage(Form3->TabSheet5);
  Pump();
  Retype(Form3->LabeledEdit5, "abc");
  ClickOn(Form3->Button5);
  EXPECT_EQ(Stored("setting", "mux_delay2"), "abc");
  ClickOn(Form1->CheckBox3);  // the linkage
  ASSERT_TRUE(Form1->CheckBox3->Checked());
  SpliceFirstRow();
  ASSERT_EQ(boxes.size(), 1u);  // after the first screen's switch, before the second's
  EXPECT_NE(boxes[0].find("'abc' is not a valid integer value"), std::string::npos) << boxes[0];
}

}  // namespace
