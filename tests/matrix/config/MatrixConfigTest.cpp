// The matrix configuration dialog on the grid console, driven as the operator drives it: opened by
// its button, edited by clicks and typing, stored by OK into "cfg.ini".
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "dialogs/SplicingSettings.h"
#include "dialogs/SplicingSettingsHybrid.h"
#include "matrix/MatrixConfig.h"
#include "platform/win/Keys.h"
#include "tests/matrix/config/DialogFixture.h"

namespace {

namespace fs = std::filesystem;
using namespace win;
using matrixconfigtest::DialogTest;

class MatrixConfigTest : public DialogTest {
 protected:
  // The console shown with a wall of Rows × Columns, and the dialog opened by its button as the
  // administrator opens it.
  void Open(int Rows = 2, int Columns = 3, const std::string& More = "") {
    WriteConfig("[config]\nrow=" + std::to_string(Rows) + "\ncol=" + std::to_string(Columns) + "\n" + More);
    ShowConsole();
    LogInAsAdministrator();
    ClickOn(Form1->BitBtn18);
    ASSERT_TRUE(Form3->Visible());
  }
  static std::vector<std::string> Rows(TStringGrid* grid) {
    std::vector<std::string> rows;
    for (int r = 0; r < grid->RowCount(); ++r) {
      std::string row;
      for (int c = 0; c < grid->ColCount(); ++c) row += (c ? " " : "") + grid->Cells(c, r);
      rows.push_back(row);
    }
    return rows;
  }
  // Types into a wiring cell as the operator does: click it, type, Enter.
  void TypeIntoCell(TStringGrid* grid, int c, int r, const std::string& text) {
    TRect cell = grid->CellRect(c, r);
    ClickAt(grid->ClientToScreen(TPoint{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2}));
    TypeText(text);
    PressKey(VK_RETURN);
  }
  // Chooses the shown grid with the keyboard: up to "AV", then down.
  void ChooseGrid(int index) {
    ClickOn(Form3->ComboBox6);
    PressKey(VK_ESCAPE);
    for (int i = 0; i < 2; ++i) PressKey(VK_UP);
    for (int i = 0; i < index; ++i) PressKey(VK_DOWN);
  }
  std::vector<TControl*> VisibleWiring() {
    std::vector<TControl*> shown;
    for (TControl* c : std::initializer_list<TControl*>{Form3->StringGrid1, Form3->CheckBox1, Form3->StringGrid2,
                                                        Form3->CheckBox2, Form3->StringGrid3, Form3->CheckBox3})
      if (c->Visible()) shown.push_back(c);
    return shown;
  }
};

const std::vector<std::string> kOneToOne23 = {"1 2 3", "4 5 6"};

TEST_F(MatrixConfigTest, TheButtonOpensTheDialogOnlyForTheAdministrator) {
  WriteConfig("");
  ShowConsole();
  ClickOn(Form1->BitBtn18);
  EXPECT_FALSE(Form3->Visible());
  LogInAsAdministrator();
  ClickOn(Form1->BitBtn18);
  EXPECT_TRUE(Form3->Visible());
  EXPECT_EQ(Form3->Caption(), "矩阵配置");
  EXPECT_EQ(Form3->FormStyle(), fsStayOnTop);
  // The AV view first, the grids editable and without fixed cells.
  EXPECT_EQ(Form3->ComboBox6->Text(), "AV");
  EXPECT_EQ(VisibleWiring(), (std::vector<TControl*>{Form3->StringGrid1, Form3->CheckBox1}));
  for (TStringGrid* grid : {Form3->StringGrid1, Form3->StringGrid2, Form3->StringGrid3}) {
    EXPECT_EQ(grid->FixedCols(), 0);
    EXPECT_EQ(grid->FixedRows(), 0);
    EXPECT_EQ(grid->DefaultColWidth(), 18);
    EXPECT_EQ(grid->DefaultRowHeight(), 18);
    EXPECT_TRUE(grid->Options().Contains(goEditing));
  }
  // Close hides it and stores nothing; the values stay as they were edited.
  Form3->LabeledEdit1->SetText("7F");
  ClickOn(Form3->Button6);
  EXPECT_FALSE(Form3->Visible());
  EXPECT_FALSE(fs::exists(folder + "/cfg.ini") && ReadConfigText().find("video_id") != std::string::npos);
  ClickOn(Form1->BitBtn18);
  EXPECT_EQ(Form3->LabeledEdit1->Text(), "7F");
}

TEST_F(MatrixConfigTest, OneToOneWiresTheThreeGridsToTheConsolesWall) {
  struct Case {
    const char* name;
    TConsoleKind kind;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"grid console: its own 2 x 3 wall", ckGrid, kOneToOne23},
      {"hybrid console: its own 1 x 4 wall", ckHybrid, {"1 2 3 4"}},
      {"splicing console: nothing changes", ckSplicing, {"9 2 3", "4 5 6"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open();
    Form34->ComboBox1->SetItemIndex(0);
    Form34->ComboBox2->SetItemIndex(3);
    Form3->CheckBox2->SetChecked(true);
    for (TStringGrid* grid : {Form3->StringGrid1, Form3->StringGrid2, Form3->StringGrid3}) grid->SetCells(0, 0, "9");
    Form18->ConsoleKind = c.kind;
    ClickOn(Form3->BitBtn1);
    for (TStringGrid* grid : {Form3->StringGrid1, Form3->StringGrid2, Form3->StringGrid3}) {
      EXPECT_EQ(Rows(grid), c.expected) << grid->Name();
      EXPECT_EQ(grid->Width(), 18 * (grid->ColCount() + 1));
      EXPECT_EQ(grid->Height(), 18 * (grid->RowCount() + 1));
    }
    EXPECT_EQ(Form3->StringGrid1->Width(), c.kind == ckHybrid ? 90 : 72);
    EXPECT_EQ(Form3->StringGrid1->Height(), c.kind == ckHybrid ? 36 : 54);
    // The boxes stay as they are, and nothing is stored.
    EXPECT_FALSE(Form3->CheckBox1->Checked());
    EXPECT_TRUE(Form3->CheckBox2->Checked());
    EXPECT_FALSE(fs::exists(folder + "/cfg.ini") && ReadConfigText().find("mux") != std::string::npos);
    TearDown();
    SetUp();
  }
}

TEST_F(MatrixConfigTest, TickingABoxReplacesTypedWiringAndOkStoresIt) {
  Open();
  ChooseGrid(1);
  ASSERT_EQ(VisibleWiring(), (std::vector<TControl*>{Form3->StringGrid2, Form3->CheckBox2}));
  TypeIntoCell(Form3->StringGrid2, 1, 0, "x7");
  EXPECT_EQ(Form3->StringGrid2->Cells(1, 0), "x7");  // kept as typed
  ClickOn(Form3->CheckBox2);
  ASSERT_TRUE(Form3->CheckBox2->Checked());
  EXPECT_EQ(Rows(Form3->StringGrid2), kOneToOne23);
  EXPECT_EQ(Form3->StringGrid2->Width(), 72);
  EXPECT_EQ(Form3->StringGrid2->Height(), 54);
  TypeIntoCell(Form3->StringGrid2, 2, 1, "0");
  ClickOn(Form3->Button5);
  EXPECT_FALSE(Form3->Visible());
  const char* stored[] = {"1", "2", "3", "4", "5", "0"};
  for (int k = 0; k < 6; ++k) EXPECT_EQ(Stored("VGAmux", std::to_string(k)), stored[k]) << k;
  EXPECT_EQ(Stored("VGAmux", "VGAcustomer mux"), "1");
  // Unticking refills the grid too, but OK no longer stores it.
  ClickOn(Form1->BitBtn18);
  ChooseGrid(1);
  TypeIntoCell(Form3->StringGrid2, 0, 0, "8");
  ClickOn(Form3->CheckBox2);
  EXPECT_FALSE(Form3->CheckBox2->Checked());
  EXPECT_EQ(Rows(Form3->StringGrid2), kOneToOne23);
  ClickOn(Form3->Button5);
  EXPECT_EQ(Stored("VGAmux", "5"), "0");
  EXPECT_EQ(Stored("VGAmux", "VGAcustomer mux"), "0");
}

TEST_F(MatrixConfigTest, OkWritesOnlyTheTickedGridsAndEveryFlag) {
  const std::string av = "[AVmux]\nAVcustomer mux=1\n0=6\n1=5\n2=4\n3=3\n4=2\n5=1\n";
  const std::string vga = "[VGAmux]\n0=x\n1=\n7=leftover\n";
  Open(2, 3, av + vga);
  EXPECT_EQ(Rows(Form3->StringGrid1), (std::vector<std::string>{"6 5 4", "3 2 1"}));  // as stored
  ClickOn(Form3->CheckBox1);  // unticked: AV is no longer written
  ChooseGrid(2);
  ClickOn(Form3->CheckBox3);
  TypeIntoCell(Form3->StringGrid3, 0, 1, "12");
  ClickOn(Form3->Button5);
  const std::string text = ReadConfigText();
  // The AV and VGA cells stand byte for byte as before; only the flags were added or rewritten.
  EXPECT_NE(text.find("0=6\n1=5\n2=4\n3=3\n4=2\n5=1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[VGAmux]\n0=x\n1=\n7=leftover\n"), std::string::npos) << text;
  EXPECT_EQ(Stored("AVmux", "AVcustomer mux"), "0");
  EXPECT_EQ(Stored("VGAmux", "VGAcustomer mux"), "0");
  EXPECT_EQ(Stored("DVImux", "DVIcustomer mux"), "1");
  const char* dvi[] = {"1", "2", "3", "12", "5", "6"};
  for (int k = 0; k < 6; ++k) EXPECT_EQ(Stored("DVImux", std::to_string(k)), dvi[k]) << k;
}

TEST_F(MatrixConfigTest, OkStoresWhatWasTypedAndNamesTheConsolesMake) {
  Open();
  TypeName(Form3->ComboBox3, "vinet");
  EXPECT_EQ(Form3->ComboBox3->ItemIndex(), 0);  // an item in other letter case
  TypeName(Form3->ComboBox4, "VGA15");
  EXPECT_EQ(Form3->ComboBox4->ItemIndex(), -1);
  ClickOn(Form3->PageControl1);  // the first visible tab: ids
  Retype(Form3->LabeledEdit2, "zz");
  Form3->PageControl1->SetActivePage(Form3->TabSheet5);
  Pump();
  Retype(Form3->LabeledEdit5, "abc");
  Retype(Form3->LabeledEdit4, "");
  ClickOn(Form3->RadioGroup1->RadioButton(1));
  Form1->ComboBox1->SetItemIndex(1);  // VGA
  ClickOn(Form3->Button5);
  EXPECT_FALSE(Form3->Visible());
  struct {
    const char* key;
    const char* value;
  } stored[] = {{"videomux", "0"},     {"vgamux", "-1"},     {"dvimux", "0"},       {"hdmimux", "0"},
                {"sdimux", "0"},       {"mux_out0", "1"},    {"mux_in0", "1"},      {"video_id", "00"},
                {"vga_id", "zz"},      {"DVI_id", "01"},     {"HDMI_id", "01"},     {"mux_delay1", ""},
                {"mux_delay2", "abc"}, {"comm_send_cfg", "1"}, {"video_inport", "255"}, {"vga_inport", "255"},
                {"dvi_inport", "255"}, {"hdmi_inport", "255"}};
  const std::string text = ReadConfigText();
  std::size_t at = 0;
  for (const auto& s : stored) {
    EXPECT_EQ(Stored("setting", s.key), s.value) << s.key;
    const std::size_t next = text.find(std::string(s.key) + "=", at);
    EXPECT_NE(next, std::string::npos) << s.key << " after the one before it";
    at = next;
  }
  EXPECT_EQ(Form1->Label7->Caption(), "VGA15");

  // The model label by the console's signal type.
  struct {
    int type;
    const char* label;
  } labels[] = {{0, "VINET"}, {2, "CZ-VGA"}, {3, "CZ-VGA"}, {4, "CZ-VGA"}, {5, ""}, {6, ""}};
  for (const auto& l : labels) {
    Form1->Label7->SetCaption("before");
    Form1->ComboBox1->SetItemIndex(l.type);
    ClickOn(Form1->BitBtn18);
    ClickOn(Form3->Button5);
    EXPECT_EQ(Form1->Label7->Caption(), l.label) << l.type;
  }
  Form3->ComboBox8->SetItemIndex(1);
  Form1->ComboBox1->SetItemIndex(4);  // SDI: its own list, though switching uses the VGA one
  ClickOn(Form1->BitBtn18);
  ClickOn(Form3->Button5);
  EXPECT_EQ(Form1->Label7->Caption(), "CZ-DVI");
}

TEST_F(MatrixConfigTest, AStoredSecondCreatekIsItsOwnPosition) {
  Open(2, 3, "[setting]\ndvimux=10\n");
  EXPECT_EQ(Form3->ComboBox5->Text(), "CREATEK");
  EXPECT_EQ(Form3->ComboBox5->ItemIndex(), 10);
  ClickOn(Form3->Button5);
  EXPECT_EQ(Stored("setting", "dvimux"), "10");
}

TEST_F(MatrixConfigTest, TheTypeChoiceShowsOneGridAndAMakeChangeKeepsIt) {
  Open();
  ChooseGrid(2);
  const std::vector<TControl*> dvi = {Form3->StringGrid3, Form3->CheckBox3};
  EXPECT_EQ(VisibleWiring(), dvi);
  ClickOn(Form3->ComboBox7);
  PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  EXPECT_EQ(Form3->ComboBox7->ItemIndex(), 1);
  EXPECT_EQ(VisibleWiring(), dvi);
  ChooseGrid(0);
  EXPECT_EQ(VisibleWiring(), (std::vector<TControl*>{Form3->StringGrid1, Form3->CheckBox1}));
}

TEST_F(MatrixConfigTest, ShowingFillsEmptyPausesAndSpeaksTheConsolesLanguage) {
  WriteConfig("[config]\nlanguage=1\n");
  ShowConsole();
  Form3->LabeledEdit5->SetText("");
  Form3->LabeledEdit4->SetText("");
  LogInAsAdministrator();
  ClickOn(Form1->BitBtn18);
  EXPECT_EQ(Form3->LabeledEdit5->Text(), "100");
  EXPECT_EQ(Form3->LabeledEdit4->Text(), "100");
  EXPECT_EQ(Form3->Caption(), "Matrix Setting");
  EXPECT_EQ(Form3->TabSheet3->Caption(), "Address");
  EXPECT_EQ(Form3->TabSheet5->Caption(), "The response time");
  EXPECT_EQ(Form3->LabeledEdit5->EditLabel()->Caption(), "Time interval");
  EXPECT_EQ(Form3->RadioGroup1->RadioProperties()->Items()->RadioItemAt(1)->Caption(), "Matrix preferred");
  EXPECT_EQ(Form3->Label14->Caption(),
            "Manual configuration: from the beginning,0 is\r\n empty. Manual configuration must be numeric.");
  EXPECT_EQ(Form3->CheckBox3->Caption(), "DVI Customer");
  EXPECT_EQ(Form3->BitBtn1->Caption(), "Port Match");
  // The second line of the note shows under the first.
  EXPECT_GT(Form3->Label14->Height(), 2 * 12);
}

TEST_F(MatrixConfigTest, LoadingWithManualWiringShowsTheStoredCells) {
  Open(2, 2, "[AVmux]\nAVcustomer mux=1\n0=4\n1=3\n2=2\n3=1\n[DVImux]\n0=7\n");
  EXPECT_TRUE(Form3->CheckBox1->Checked());
  EXPECT_EQ(Rows(Form3->StringGrid1), (std::vector<std::string>{"4 3", "2 1"}));
  EXPECT_EQ(Rows(Form3->StringGrid3), (std::vector<std::string>{"1 2", "3 4"}));  // its box is unticked
}

// The hybrid-matrix console's wall is its own: the grid console's settings still hold 9 x 9 then.
TEST_F(MatrixConfigTest, AManualBoxTakesTheActiveConsolesWall) {
  CreateProgramWindows();
  Pump();
  Form18->ConsoleKind = ckHybrid;
  Form34->ComboBox1->SetItemIndex(2);
  Form34->ComboBox2->SetItemIndex(3);
  Form3->Show();
  Pump();
  ChooseGrid(1);
  ClickOn(Form3->CheckBox2);
  EXPECT_EQ(Rows(Form3->StringGrid2), (std::vector<std::string>{"1 2 3 4", "5 6 7 8", "9 10 11 12"}));
  EXPECT_EQ(Form3->StringGrid2->Width(), 90);
  EXPECT_EQ(Form3->StringGrid2->Height(), 72);
}

TEST_F(MatrixConfigTest, Screenshots) {
  for (int language : {0, 1}) {
    WriteConfig("[config]\nrow=4\ncol=6\nlanguage=" + std::to_string(language) + "\n");
    ShowConsole();
    LogInAsAdministrator();
    ClickOn(Form1->BitBtn18);
    const std::string prefix = std::string("matrix/matrix-configuration-") + (language ? "english" : "chinese");
    const char* grids[] = {"av", "vga", "dvi"};
    TcxTabSheet* tabs[] = {Form3->TabSheet4, Form3->TabSheet5, Form3->cxtbshtInPort};
    const char* tabNames[] = {"ids", "pauses", "inputs"};
    for (int i = 0; i < 3; ++i) {
      ChooseGrid(i);
      Form3->PageControl1->SetActivePage(tabs[i]);
      Pump();
      SaveWindowShot(Form3, prefix + "-" + tabNames[i] + "-" + grids[i] + ".png");
    }
    TearDown();
    SetUp();
  }
  // The largest wall's grid fits its group.
  Open(15, 15);
  ChooseGrid(2);
  ClickOn(Form3->CheckBox3);
  const TRect grid = Form3->StringGrid3->BoundsRect();
  EXPECT_LE(grid.Right, Form3->GroupBox3->ClientWidth());
  EXPECT_LE(grid.Bottom, Form3->GroupBox3->ClientHeight());
  SaveWindowShot(Form3, "matrix/matrix-configuration-chinese-15x15-dvi-manual.png");
}

}  // namespace
