// The three consoles' splicing settings dialogs as the operator drives them: shown, clicked and
// typed into on the headless screen, their frames read at the screens' pseudo-terminal (COM1),
// their pauses on the virtual clock, "cfg.ini" and "clogo.jpg" in the test's own folder.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/CommSettings.h"
#include "console/GridConsole.h"
#include "dialogs/SplicingSettings.h"
#include "dialogs/SplicingSettingsHybrid.h"
#include "dialogs/SplicingSettingsSplicing.h"
#include "matrix/MatrixConfig.h"
#include "platform/system/Profile.h"
#include "platform/win/Keys.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ComPorts.h"
#include "tests/support/PauseRecorder.h"
#include "tests/support/ScreenFrames.h"
#include "tests/support/SerialPeer.h"
#include "ui/choice/RadioButton.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

namespace {

namespace fs = std::filesystem;
using Bytes = testsupport::SerialPeer::Bytes;
using testsupport::Frame;
using testsupport::Frames;
using namespace win;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

Bytes AsBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

class SplicingSettingsTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    testsupport::ServeAsComPorts(peers, folder);  // COM1..COM3
    if (HasFatalFailure()) return;
  }
  void TearDown() override {
    AppTest::TearDown();
    platform::SetSerialDeviceRoots("", "");
  }
  void Create(TConsoleKind kind, const std::string& config = "") {
    if (!config.empty()) WriteConfig(config);
    CreateProgramWindows();
    Pump();
    Form18->tmr1->SetEnabled(false);
    Form18->ConsoleKind = kind;
  }
  void Connect() {
    Form2->ComboBox1->SetText("COM1");
    Form2->ComboBox2->SetText("COM1");
    Form2->ComboBox3->SetText("COM1");
    Form1->BitBtn1->Click();
    ASSERT_EQ(Form18->LinkOpen, 1);
  }
  void ShowDialog(TForm* dialog) {
    dialog->Show();
    Pump();
  }
  void Press(TControl* control, int button = platform::kButtonLeft) {
    POINT at = control->ClientToScreen(POINT{control->Width() / 2, control->Height() / 2});
    Headless().InjectMouseMove(at.x, at.y);
    Pump();
    Headless().InjectMouseButton(button, true);
    Pump();
    Headless().InjectMouseButton(button, false);
    Pump();
  }
  template <class T = TControl>
  T* Find(TComponent* owner, const std::string& name) {
    auto* c = dynamic_cast<T*>(owner->FindComponent(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  void SetSize(TSplicingSettingsDialog* dialog, int rows, int columns) {
    dialog->ComboBox1->SetItemIndex(rows - 1);
    dialog->ComboBox2->SetItemIndex(columns - 1);
  }
  std::string Stored(const char* key) {
    char text[256];
    GetPrivateProfileString("config", key, "", text, sizeof text, (folder + "/cfg.ini").c_str());
    return text;
  }
  bool Quiet() { return peers[0].Drain(30).empty(); }
  // Chooses a file in the picture dialog the import button opens.
  void Import(TSplicingSettingsDialog* dialog, const std::string& file) {
    dialog->OpenPictureDialog1->SetFileName(file);
    TControl* button = dialog->Button2;
    POINT at = button->ClientToScreen(POINT{button->Width() / 2, button->Height() / 2});
    Headless().InjectMouseMove(at.x, at.y);
    Pump();
    Headless().InjectMouseButton(platform::kButtonLeft, true);
    Pump();
    // The keys wait in the queue until the picture dialog's own loop reads them.
    Headless().InjectMouseButton(platform::kButtonLeft, false);
    Headless().InjectKey(VK_RETURN, true);
    Headless().InjectKey(VK_RETURN, false);
    Pump();
  }

  testsupport::SerialPeer peers[3];
};

// ---- The grid console's dialog: the wall size to a linked HDMI matrix ------------------------------

TEST_F(SplicingSettingsTest, GridOkTellsALinkedFstHdmiMatrixTheWallSizeOnlyUnderAllThreeConditions) {
  Create(ckGrid);
  Connect();
  Form3->LabeledEdit6->SetText("01");
  struct Case {
    const char *make, *signal;
    bool linkage, sends;
  } cases[] = {{"FST", "HDMI", true, true},
               {"XYZ", "HDMI", true, false},
               {"FST", "VGA", true, false},
               {"FST", "HDMI", false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.make) + " " + c.signal + (c.linkage ? " linked" : ""));
    // The linkage box names the matrix make itself: the make comes last.
    Form1->ComboBox1->SetText(c.signal);
    Form1->CheckBox3->SetChecked(c.linkage);
    Form1->Label7->SetCaption(c.make);
    ShowDialog(Form15);
    SetSize(Form15, 3, 4);
    Press(Form15->Button7);
    EXPECT_FALSE(Form15->Visible());
    if (c.sends) {
      EXPECT_EQ(peers[0].Receive(12), AsBytes("PV01VW0304NT"));
    }
    EXPECT_TRUE(Quiet());
  }
  // The grid console's grid takes the size at once, numbered; the stored size and name follow.
  EXPECT_EQ(Form1->stringgrid1->RowCount(), 4);
  EXPECT_EQ(Form1->stringgrid1->ColCount(), 5);
  EXPECT_EQ(Form1->stringgrid1->Cells(4, 0), "4");
  EXPECT_EQ(Form1->stringgrid1->Cells(0, 3), "3");
  EXPECT_EQ(Stored("row"), "3");
  EXPECT_EQ(Stored("col"), "4");
  EXPECT_EQ(Stored("name"), "大屏幕拼接软件");
  EXPECT_EQ(Form1->Label3->Caption(), "大屏幕拼接软件");

  // The other consoles' OKs never tell the matrix anything, even with every condition met.
  Form1->ComboBox1->SetText("HDMI");
  Form1->CheckBox3->SetChecked(true);
  Form1->Label7->SetCaption("FST");
  for (TSplicingSettingsDialog* dialog : {static_cast<TSplicingSettingsDialog*>(Form24),
                                           static_cast<TSplicingSettingsDialog*>(Form34)}) {
    ShowDialog(dialog);
    Press(dialog->Button7);
  }
  EXPECT_TRUE(Quiet());
}

TEST_F(SplicingSettingsTest, EachOkResizesOnlyTheGridsItsConsoleOwns) {
  Create(ckHybrid, "[config]\nrow=2\ncol=2\n");
  Form1->Show();  // loads the stored 2 × 2 into the grid console's grid
  Pump();
  Form23->Show();
  Pump();
  Form33->Show();
  Pump();
  ASSERT_EQ(Form23->stringgrid1->RowCount(), 3);

  ShowDialog(Form24);
  SetSize(Form24, 5, 6);
  Press(Form24->Button7);
  EXPECT_EQ(Form23->stringgrid1->RowCount(), 3);
  EXPECT_EQ(Form23->stringgrid1->ColCount(), 3);
  EXPECT_EQ(Stored("row"), "5");

  ShowDialog(Form34);
  SetSize(Form34, 4, 7);
  Press(Form34->Button7);
  for (TStringGrid* grid : {Form33->stringgrid1, Form1->stringgrid1}) {
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->ColCount(), 8);
  }
  EXPECT_EQ(Form33->stringgrid1->Cells(7, 0), "7");
  EXPECT_EQ(Stored("col"), "7");

  // The grid console's OK re-lays the hybrid's grid over its panel without changing its size.
  const int width = Form33->stringgrid1->ColWidths(1);
  Form33->stringgrid1->SetColWidths(1, 5);
  ShowDialog(Form15);
  SetSize(Form15, 2, 3);
  Press(Form15->Button7);
  EXPECT_EQ(Form1->stringgrid1->ColCount(), 4);
  EXPECT_EQ(Form33->stringgrid1->ColCount(), 8);
  EXPECT_EQ(Form33->stringgrid1->ColWidths(1), width);
}

// ---- The splicing console's dialog: addressing ------------------------------------------------------

TEST_F(SplicingSettingsTest, AutomaticAddressingStoresTheSizeResizesTheGridAndSendsTheLastScreensAddress) {
  Create(ckSplicing);
  Connect();
  ShowDialog(Form24);
  struct Case {
    int rows, columns, address;
  } cases[] = {{3, 4, 0x43}, {15, 15, 0xFF}, {1, 1, 0x11}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.rows) + " x " + std::to_string(c.columns));
    SetSize(Form24, c.rows, c.columns);
    Press(Form24->BitbtnAddrAutoSet);
    EXPECT_EQ(peers[0].Receive(6), Frame(0x11, 0x11, 0x89, c.address));
    EXPECT_EQ(Stored("row"), std::to_string(c.rows));
    EXPECT_EQ(Stored("col"), std::to_string(c.columns));
    EXPECT_EQ(Form23->stringgrid1->RowCount(), c.rows + 1);
    EXPECT_EQ(Form23->stringgrid1->ColCount(), c.columns + 1);
    EXPECT_EQ(Form23->stringgrid1->Cells(c.columns, 0), std::to_string(c.columns));
    EXPECT_EQ(Form23->stringgrid1->Cells(0, c.rows), std::to_string(c.rows));
  }
}

TEST_F(SplicingSettingsTest, RadioButtonsSendOnEveryPressCheckedOrNot) {
  Create(ckSplicing);
  Connect();
  Form23->SelectionLeft = 1, Form23->SelectionTop = 2, Form23->SelectionRight = 2, Form23->SelectionBottom = 3;
  ShowDialog(Form24);
  ASSERT_TRUE(Form24->rbInner->Checked());
  struct Case {
    TcxRadioButton* radio;
    int button, command, value;
  } cases[] = {{Form24->rbInner, platform::kButtonLeft, 0x8B, 0},
               {Form24->rbOuter, platform::kButtonLeft, 0x8B, 1},
               {Form24->rbOuter, platform::kButtonRight, 0x8B, 1},
               {Form24->rbInner, platform::kButtonLeft, 0x8B, 0},
               {Form24->rbInner, platform::kButtonLeft, 0x8B, 0},
               {Form24->rbLeftBottom, platform::kButtonLeft, 0x8A, 0},
               {Form24->rbRightBottom, platform::kButtonLeft, 0x8A, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.radio->Name());
    Press(c.radio, c.button);
    EXPECT_EQ(peers[0].Receive(6), Frame(0x12, 0x23, c.command, c.value));
  }
  EXPECT_TRUE(Quiet());
}

// ---- The hybrid-matrix console's dialog: the address tools ------------------------------------------

TEST_F(SplicingSettingsTest, SetAddressNamesTheScreenBySerialThenGivesItsRowAndColumn) {
  Create(ckHybrid);
  Connect();
  ShowDialog(Form34);
  Form34->cxTESerialNo->SetText("300");
  Form34->cxTERaw->SetText("2");
  Form34->cxTECol->SetText("3");
  testsupport::PauseRecorder recorder(clock.clock());
  Press(Find(Form34, "BitbtnSetAddr"));
  EXPECT_EQ(peers[0].Receive(18), Frames({Frame(0xFF, 0x23, 0x01, 0x2C), Frame(0xFF, 0x20, 0x02, 0x01),
                                          Frame(0xFF, 0x21, 0x03, 0x01)}));
  EXPECT_EQ(recorder.pauses, (std::vector<std::uint32_t>{20, 100, 20, 100, 20}));

  // A row that is no number stops the sequence after the serial's frame, with the conversion error.
  Form34->cxTERaw->SetText("2a");
  Press(Find(Form34, "BitbtnSetAddr"));
  EXPECT_EQ(peers[0].Receive(6), Frame(0xFF, 0x23, 0x01, 0x2C));
  EXPECT_TRUE(Quiet());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("'2a' is not a valid integer value"), std::string::npos) << boxes[0];
}

TEST_F(SplicingSettingsTest, AddressToolsSendTheirFixedFramesAndLockThroughTheGridConsolesSender) {
  Create(ckHybrid);
  Connect();
  ShowDialog(Form34);
  struct Case {
    const char* button;
    Bytes frame;
  } cases[] = {{"BitbtnGetSerial", Frame(0xFF, 0x22, 0x00, 0x00)},
               {"BitbtnShowAddr", Frame(0xFF, 0x24, 0x01, 0x01)},
               {"BtnAddrSynchro", Frame(0xFF, 0x1F, 0x01, 0x01)},
               // Nothing selected yet: the grid console's sender has no fallback address.
               {"BitbtnLockAddr", Frame(0x00, 0x00, 0x67, 0x01)},
               {"BitbtnUnlockAddr", Frame(0x00, 0x00, 0x67, 0x00)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    Press(Find(Form34, c.button));
    EXPECT_EQ(peers[0].Receive(6), c.frame);
  }
  EXPECT_TRUE(Quiet());
}

// ---- Language and name ------------------------------------------------------------------------------

TEST_F(SplicingSettingsTest, EnglishShowsResetTheNameWhichOkStoresChineseReadsTheStoredName) {
  Create(ckSplicing);
  // Each dialog follows its own console's flag, not the file.
  Form1->Language = 1;
  Form23->LanguageSplicing = 1;
  Form33->LanguageHybrid = 1;
  struct Case {
    TSplicingSettingsDialog* dialog;
    const char *label2, *label7;
  } cases[] = {{Form15, "Splice Type:", "row"}, {Form24, "Splice Range:", "Row  X"}, {Form34, "Splice Range:", "Row  X"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dialog->Name());
    ShowDialog(c.dialog);
    EXPECT_EQ(c.dialog->Caption(), "Splice Setting");
    EXPECT_EQ(Find(c.dialog, "Label2")->Caption(), c.label2);
    EXPECT_EQ(Find(c.dialog, "Label7")->Caption(), c.label7);
    EXPECT_EQ(c.dialog->Button2->Caption(), "Picture");
    EXPECT_EQ(c.dialog->Edit1->Text(), "Large-screen software");
    c.dialog->Edit1->SetText("Hall");
    c.dialog->Close();
    ShowDialog(c.dialog);
    EXPECT_EQ(c.dialog->Edit1->Text(), "Large-screen software");
    Press(c.dialog->Button7);
    EXPECT_EQ(Stored("name"), "Large-screen software");
  }
  EXPECT_EQ(Find(Form24, "BitbtnAddrAutoSet")->Caption(), "Apply");
  EXPECT_EQ(Find(Form34, "lbl1")->Caption(), "Input SerialNo:");
  EXPECT_EQ(Find(Form34, "BtnAddrSynchro")->Caption(), "同步地址");

  fs::remove(folder + "/cfg.ini");
  Form24->Close();
  Form23->LanguageSplicing = 0;
  ShowDialog(Form24);
  EXPECT_EQ(Form24->Edit1->Text(), "大屏幕拼接软件");
  WritePrivateProfileString("config", "name", "Hall 2", (folder + "/cfg.ini").c_str());
  Form24->Close();
  ShowDialog(Form24);
  EXPECT_EQ(Form24->Edit1->Text(), "Hall 2");
}

// ---- The logo ---------------------------------------------------------------------------------------

TEST_F(SplicingSettingsTest, AnImportedPictureShowsAndOkCopiesItOverTheLogo) {
  Create(ckSplicing);
  const std::string logo = folder + "/clogo.jpg";
  std::ofstream(logo, std::ios::binary) << "old logo";
  ShowDialog(Form24);
  // OK without an import leaves the logo file alone.
  Press(Form24->Button7);
  EXPECT_EQ(Slurp(logo), "old logo");

  // A name a shell would act on is only a name here.
  const std::string source = WriteQuadrantLogo("a \"b\"; $(touch x).jpg", 80, 60);
  ShowDialog(Form24);
  Import(Form24, source);
  EXPECT_EQ(Form24->Image1->Picture()->Width(), 80);
  Press(Form24->Button7);
  EXPECT_EQ(Slurp(logo), Slurp(source));
  EXPECT_FALSE(fs::exists(folder + "/x"));
  EXPECT_FALSE(fs::exists("x"));
  EXPECT_EQ(Form23->Image1->Picture()->Width(), 80);

  // A file that holds no picture is refused: the preview keeps its picture and OK copies nothing.
  const std::string bogus = folder + "/notes.jpg";
  std::ofstream(bogus) << "not a picture";
  ShowDialog(Form24);
  Import(Form24, bogus);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(Form24->Image1->Picture()->Width(), 80);
  std::ofstream(logo, std::ios::binary) << "replaced since";
  Press(Form24->Button7);
  EXPECT_EQ(Slurp(logo), Slurp(source));
}

TEST_F(SplicingSettingsTest, Screenshots) {
  Create(ckGrid);
  const std::string logo = WriteQuadrantLogo("shot.jpg");
  for (int language : {0, 1}) {
    Form1->Language = language;
    Form23->LanguageSplicing = language;
    Form33->LanguageHybrid = language;
    for (TSplicingSettingsDialog* dialog : {static_cast<TSplicingSettingsDialog*>(Form15),
                                             static_cast<TSplicingSettingsDialog*>(Form24),
                                             static_cast<TSplicingSettingsDialog*>(Form34)}) {
      ShowDialog(dialog);
      dialog->Image1->Picture()->LoadFromFile(logo);  // stretched over its 169 × 137
      Pump();
      SaveWindowShot(dialog, "splicing-settings-" + dialog->Name() + (language ? "-en" : "-zh") + ".png");
      dialog->Close();
      Pump();
    }
  }
}

}  // namespace
