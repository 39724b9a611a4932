// The grid console's creation, loading, language, skin and closing, started as the program starts
// it: every window created, the console shown, in a folder holding the skin list file and what a
// case writes there.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "app/StartupChooser.h"
#include "console/CommSettings.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "dialogs/SplicingSettings.h"
#include "matrix/MatrixConfig.h"
#include "platform/classes/Bitmap.h"
#include "platform/gdiplus/GdiPlus.h"
#include "platform/net/Tcp.h"
#include "platform/system/CodePage.h"
#include "platform/win/Window.h"
#include "tests/app/AppFixture.h"
#include "ui/foundation/LookAndFeel.h"

namespace {

namespace fs = std::filesystem;
using namespace win;

class GridConsoleTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    fs::copy_file(VW_SKIN_LIST, folder + "/AllSkins.skinres");
  }
  // Writes "cfg.ini" as the original program did: GBK on disk.
  void WriteGbkConfig(const std::string& utf8) {
    std::ofstream(folder + "/cfg.ini", std::ios::binary) << platform::Utf8ToGbk(utf8);
  }
  std::string ReadConfigText() {
    std::ifstream in(folder + "/cfg.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // Creates every window and shows the grid console, as the start-up does for console kind 1.
  void ShowConsole() {
    CreateProgramWindows();
    Pump();
    Form18->ConsoleKind = ckGrid;
    Form1->Show();
    Pump();
  }
  std::vector<std::string> Items(TcxComboBox* list) {
    std::vector<std::string> out;
    TStrings* items = list->Properties()->Items();
    for (int i = 0; i < items->Count(); ++i) out.push_back(items->Strings(i));
    return out;
  }
  std::string Panel(int index) { return Form1->StatusBar1->Panels()->PanelAt(index)->Text(); }
};

std::vector<std::string> Numbered(const std::string& prefix, int count) {
  std::vector<std::string> out;
  for (int i = 1; i <= count; ++i) out.push_back(prefix + std::to_string(i));
  return out;
}

TEST_F(GridConsoleTest, BeforeLoadingTheWindowHoldsItsDesignValues) {
  CreateProgramWindows();
  Pump();
  std::vector<TcxCheckBox*> boxes = {Form1->CheckBox1, Form1->CheckBox3, Form1->CheckBox4, Form1->CheckBox5};
  boxes.insert(boxes.end(), Form1->CheckBoxS.begin(), Form1->CheckBoxS.end());
  for (TcxCheckBox* box : boxes) EXPECT_FALSE(box->Checked()) << box->Name();
  EXPECT_TRUE(Form1->chk1->Checked());
  EXPECT_EQ(Form1->ComboBox4->ItemIndex(), -1);
  for (TcxComboBox* list : {Form1->ComboBox8, Form1->ComboBox2}) {
    EXPECT_EQ(Items(list), Numbered("", 255));
    EXPECT_FALSE(list->Enabled());
  }
  EXPECT_FALSE(Form1->Label2->Enabled());
  for (TControl* hidden : std::initializer_list<TControl*>{Form1->grpMatix, Form1->Memo1, Form1->PageControl1})
    EXPECT_FALSE(hidden->Visible()) << hidden->Name();
  for (TcxTabSheet* tab : {Form1->tsDigitalPattern, Form1->TabSheet6, Form1->TabSheet7})
    EXPECT_FALSE(tab->TabVisible()) << tab->Name();
  for (TcxButton* button : {Form1->btnPlayMode, Form1->Bitbtn, Form1->Button4})
    EXPECT_FALSE(button->Enabled()) << button->Name();
  EXPECT_EQ(Form1->cxpgcntrlTop->ActivePage(), Form1->tsSystemSetting);
  EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->cxtbshtLogo);
  EXPECT_TRUE(Form1->ComboBox3->Properties()->Items()->Count() == 0);
  EXPECT_TRUE(Form1->RadioButton3->Checked());
  EXPECT_TRUE(Form1->rbCloseAM->Checked());
  EXPECT_TRUE(Form1->rbCloseLogo->Checked());
  EXPECT_FALSE(Form1->N4->Visible());
  EXPECT_EQ(Form1->Timer1->Interval(), 1000u);
  EXPECT_EQ(Form1->tmrSceneSwitch->Interval(), 3000u);
  // The splicing settings start at a 9 × 9 wall until loading puts the stored one.
  EXPECT_EQ(Form15->ComboBox1->ItemIndex(), 8);
  EXPECT_EQ(Form15->ComboBox2->ItemIndex(), 8);
  EXPECT_EQ(Items(Form15->ComboBox1), Numbered("", 15));
}

TEST_F(GridConsoleTest, FirstStartInAnEmptyFolder) {
  ShowConsole();
  EXPECT_EQ(Form1->Caption(), "传统液晶拼接系统");
  EXPECT_EQ(Form1->ClientWidth(), 982);
  EXPECT_EQ(Form1->ClientHeight(), 670);
  EXPECT_EQ(Form1->Panel1->Width(), 759);
  EXPECT_EQ(Form1->Panel1->Height(), 324);
  EXPECT_FALSE(Form25->Visible());

  // A 3 × 3 wall.
  TStringGrid* grid = Form1->stringgrid1;
  EXPECT_EQ(grid->RowCount(), 4);
  EXPECT_EQ(grid->ColCount(), 4);
  EXPECT_EQ(grid->FixedRows(), 1);
  EXPECT_EQ(grid->FixedCols(), 1);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(grid->Cells(i, 0), std::to_string(i));
    EXPECT_EQ(grid->Cells(0, i), std::to_string(i));
    EXPECT_EQ(grid->ColWidths(i), 242);
    EXPECT_EQ(grid->RowHeights(i), 97);
  }
  EXPECT_EQ(grid->Cells(0, 0), "");
  EXPECT_EQ(grid->ColWidths(0), 16);
  EXPECT_EQ(grid->RowHeights(0), 14);
  EXPECT_EQ(Form1->DefaultCellColor, clCream);
  EXPECT_EQ(Form1->Label3->Caption(), "LCD WALL");

  // Chinese texts, the popup's included.
  EXPECT_EQ(Form1->BitBtn1->Caption(), "连接串口/无线");
  EXPECT_EQ(Form1->nStill->Caption(), "画面静止");
  EXPECT_EQ(Form1->N10->Caption(), "无信号黑屏");
  EXPECT_EQ(Form1->N22->Caption(), "图像倒显");
  EXPECT_EQ(Form1->EDID1->Caption(), "拼接模式");
  EXPECT_EQ(Form1->BitbtnENCH->Caption(), "English");
  EXPECT_EQ(Items(Form1->ComboBox3), Numbered("场景", 16));
  EXPECT_EQ(Form1->ComboBox3->ItemIndex(), 0);
  EXPECT_EQ(Items(Form1->ComboBox8), Numbered("", 255));
  EXPECT_EQ(Form1->ComboBox8->ItemIndex(), 0);

  // The skins of the list file, none of them chosen: the design skin stays.
  EXPECT_EQ(Items(Form1->cbbSkin),
            (std::vector<std::string>{"Black", "Blue", "Foggy", "LiquidSky", "Silver", "Xmas2008Blue"}));
  EXPECT_EQ(Form1->cbbSkin->ItemIndex(), -1);
  EXPECT_EQ(Form1->dxskncntrlrSkin->SkinName(), "Foggy");

  // The links stay closed, and say so.
  EXPECT_EQ(Panel(0), "COM1 COM1 COM1 关闭");
  EXPECT_EQ(Form1->Comm1->PortHandle(), nullptr);
  EXPECT_EQ(Form1->Comm1->CommName(), "//./COM1");
  EXPECT_EQ(Form18->LinkOpen, 0);

  // The matrix configuration at the file's defaults.
  EXPECT_EQ(Form3->ComboBox3->ItemIndex(), 0);
  EXPECT_EQ(Form3->ComboBox8->ItemIndex(), 0);
  EXPECT_EQ(Form3->MaskEdit1->Text(), "1");
  EXPECT_EQ(Form3->LabeledEdit1->Text(), "00");
  EXPECT_EQ(Form3->LabeledEdit2->Text(), "01");
  EXPECT_EQ(Form3->LabeledEdit6->Text(), "01");
  EXPECT_EQ(Form3->lbledtHDMIIPort->Text(), "255");
  EXPECT_EQ(Form3->LabeledEdit4->Text(), "100");
  EXPECT_EQ(Form3->LabeledEdit5->Text(), "100");
  EXPECT_EQ(Form3->RadioGroup1->ItemIndex(), 0);

  // The browsing counters start at the edits' design texts; the edits then take the file's.
  EXPECT_EQ(Form1->SignalBrowseInput, 1);
  EXPECT_EQ(Form1->SceneBrowseScene, 1);
  EXPECT_EQ(Form1->LabeledEdit6->Text(), "05");
  EXPECT_EQ(Form1->LabeledEdit8->Text(), "01");

  SaveWindowShot(Form1, "console/grid-console-chinese.png");
}

TEST_F(GridConsoleTest, EnglishInterface) {
  WriteConfig("[config]\nlanguage=1\ncaption=Wall A\n");
  ShowConsole();
  EXPECT_EQ(Form1->Caption(), " Normal Large-Screen Control System");
  EXPECT_EQ(Items(Form1->ComboBox3), Numbered("scene", 16));
  EXPECT_EQ(Form1->BitbtnENCH->Caption(), "Chinese");
  EXPECT_EQ(Panel(0), "COM1 COM1 COM1 closed");
  EXPECT_EQ(Panel(1), "User : operator");
  EXPECT_EQ(Form1->GroupBox3->Caption(), "Model");
  EXPECT_EQ(Form1->lbledtS[7]->EditLabel()->Caption(), "Scene");
  EXPECT_EQ(Form1->LabeledEdit6->EditLabel()->Caption(), "Matrix Input Start");
  EXPECT_EQ(Form1->English1->Caption(), "English | 中文");
  // The popup keeps the English it is described in.
  EXPECT_EQ(Form1->nStill->Caption(), "Still");
  EXPECT_EQ(Form1->N22->Caption(), "inverse");
  SaveWindowShot(Form1, "console/grid-console-english.png");

  // The layout shifts for the longer texts are made once, however often the console shows.
  const int wide = Form1->btnGetAddress->Width(), left = Form1->cxlbl1->Left();
  Form1->Hide();
  Form1->Show();
  Pump();
  EXPECT_EQ(Form1->btnGetAddress->Width(), wide);
  EXPECT_EQ(Form1->cxlbl1->Left(), left);
}

TEST_F(GridConsoleTest, NamesWrittenByTheOriginalProgramShowUnchanged) {
  struct Case {
    const char* name;
    std::string config;
    std::string title, scene1, scene5, input1;
  } cases[] = {
      {"GBK names", "[config]\ncaption=大屏幕控制\n[scene]\nscene1=会议室\nscene5=大厅\n[maxtixname]\n0=摄像机一\n",
       "大屏幕控制", "会议室", "大厅", "摄像机一"},
      {"empty values", "[config]\ncaption=\n[scene]\nscene5=\n", "", "场景1", "场景5", "1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteGbkConfig(c.config);
    ShowConsole();
    EXPECT_EQ(Form1->Caption(), c.title);
    EXPECT_EQ(Items(Form1->ComboBox3)[0], c.scene1);
    EXPECT_EQ(Items(Form1->ComboBox3)[4], c.scene5);
    EXPECT_EQ(Items(Form1->ComboBox8)[0], c.input1);
    EXPECT_EQ(Items(Form1->ComboBox8)[1], "2");
    FinalizeForms();
    InitializeForms();
  }
}

TEST_F(GridConsoleTest, TheLanguageButtonStoresTheOtherLanguageForTheNextStart) {
  ShowConsole();
  for (const char* stored : {"language=1", "language=0"}) {
    Form1->BitbtnENCH->Click();
    EXPECT_NE(ReadConfigText().find(stored), std::string::npos) << stored;
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("please restart this program !"), std::string::npos);
    boxes.clear();
    EXPECT_EQ(Form1->BitbtnENCH->Caption(), "English");
    EXPECT_EQ(Form1->BitBtn1->Caption(), "连接串口/无线");
  }
}

TEST_F(GridConsoleTest, StoredSettingsReachTheTimersSlotsAndDialogs) {
  WriteConfig(
      "[SceneSwitch]\nswitch3=1\nv3=4\nh3=7\nm3=30\n[timesetting]\nflag=1\nohour=8\nomin=15\nchour=22\ncmin=5\nmode=1\n"
      "[setting]\njzll=1\nKJ=1\nvideomux=3\nsdimux=2\ncomm_send_cfg=1\nmux_delay1=250\n[config]\nrow=2\ncol=5\nname=Hall\n"
      "password=1234\n[scene]\nMatrix 4=07\nscene A=03\n");
  ShowConsole();
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(Form1->CheckBoxS[n - 1]->Checked(), n == 3) << "slot " << n;
  EXPECT_EQ(Form1->lbledtS[2]->Text(), "4");
  EXPECT_EQ(Form1->lbledtT[2]->Text(), "7");
  EXPECT_EQ(Form1->edtM[2]->Text(), "30");
  EXPECT_EQ(Form1->lbledtS[0]->Text(), "0");
  EXPECT_TRUE(Form1->tmrSceneSwitch->Enabled());
  EXPECT_TRUE(Form1->tmrTimingSet->Enabled());
  EXPECT_EQ(Form1->PowerOnHour, 8);
  EXPECT_EQ(Form1->PowerOnMinute, 15);
  EXPECT_EQ(Form1->PowerOffHour, 22);
  EXPECT_EQ(Form1->PowerOffMinute, 5);
  EXPECT_EQ(Form1->TimedPowerEnabled, 1);
  EXPECT_EQ(Form1->TimedPowerRepeat, 1);
  EXPECT_EQ(Form1->AdminPassword, "1234");
  EXPECT_TRUE(Form1->CheckBox4->Checked());
  EXPECT_FALSE(Form1->CheckBox5->Checked());
  EXPECT_TRUE(Form1->CheckBox1->Checked());
  EXPECT_EQ(Form3->ComboBox3->Text(), "Infinova");
  EXPECT_EQ(Form3->ComboBox8->ItemIndex(), 2);
  EXPECT_EQ(Form3->RadioGroup1->ItemIndex(), 1);
  EXPECT_EQ(Form3->LabeledEdit4->Text(), "250");
  EXPECT_EQ(Form15->Edit1->Text(), "Hall");
  EXPECT_EQ(Form1->Label3->Caption(), "Hall");
  EXPECT_EQ(Form1->stringgrid1->RowCount(), 3);
  EXPECT_EQ(Form1->stringgrid1->ColCount(), 6);
  // The counters took the edits before this show filled them.
  EXPECT_EQ(Form1->SignalBrowseInput, 1);
  EXPECT_EQ(Form1->LabeledEdit6->Text(), "07");
  EXPECT_EQ(Form1->LabeledEdit8->Text(), "03");
}

TEST_F(GridConsoleTest, NoTimerRunsWithoutItsSetting) {
  ShowConsole();
  EXPECT_FALSE(Form1->tmrSceneSwitch->Enabled());
  EXPECT_FALSE(Form1->tmrTimingSet->Enabled());
  EXPECT_TRUE(Form1->Timer1->Enabled());
}

TEST_F(GridConsoleTest, AutoOpenOverTheNetworkConnectsTheBridgeAndNoSerialPort) {
  platform::TcpListener bridge;
  ASSERT_TRUE(bridge.Listen());
  WriteConfig("[setting]\nauto open port=1\nserialCtrl=0\nIPAddress=127.0.0.1\nPort=" + std::to_string(bridge.Port()) +
              "\n");
  ShowConsole();
  platform::TcpConnection peer;
  EXPECT_TRUE(bridge.Accept(peer, 2000));
  EXPECT_EQ(Form18->LinkOpen, 1);
  for (TComm* port : {Form1->Comm1, Form1->Comm2, Form1->Comm3}) EXPECT_EQ(port->PortHandle(), nullptr);
}

TEST_F(GridConsoleTest, ClosingClosesThePortStoresTheSkinAndEndsTheProgram) {
  ShowConsole();
  Form1->Close();
  Pump();
  EXPECT_EQ(Form1->Comm1->PortHandle(), nullptr);
  EXPECT_EQ(Form1->ConfigFile, nullptr);
  EXPECT_TRUE(Terminated());
  EXPECT_NE(ReadConfigText().find("[SkinName]\r\nSkin=-1"), std::string::npos) << ReadConfigText();
}

TEST_F(GridConsoleTest, TheStoredSkinIsAppliedAndATypedOneIsForgotten) {
  WriteConfig("[SkinName]\nSkin=1\n");
  ShowConsole();
  EXPECT_EQ(Form1->cbbSkin->Text(), "Blue");
  EXPECT_EQ(Form1->dxskncntrlrSkin->SkinName(), "Blue");
  SaveWindowShot(Form1, "console/grid-console-blue.png");
  Form1->cbbSkin->SetText("NoSuchSkin");
  EXPECT_EQ(Form1->dxskncntrlrSkin->SkinName(), "NoSuchSkin");
  Form1->Close();
  Pump();
  EXPECT_NE(ReadConfigText().find("Skin=-1"), std::string::npos);
  FinalizeForms();
  InitializeForms();
  ShowConsole();
  EXPECT_EQ(Form1->cbbSkin->ItemIndex(), -1);
}

TEST_F(GridConsoleTest, WithoutASkinListTheStoredChoiceSurvives) {
  struct Case {
    const char* name;
    const char* list;  // what lies under the list's name: nullptr nothing, else its content
  } cases[] = {{"missing", nullptr}, {"damaged", "no skins here"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(folder + "/AllSkins.skinres");
    if (c.list) std::ofstream(folder + "/AllSkins.skinres") << c.list;
    WriteConfig("[SkinName]\nSkin=3\n");
    ShowConsole();
    EXPECT_TRUE(Items(Form1->cbbSkin).empty());
    EXPECT_EQ(Form1->stringgrid1->RowCount(), 4);  // loading went on
    Form1->Close();
    Pump();
    EXPECT_NE(ReadConfigText().find("Skin=3"), std::string::npos);
    FinalizeForms();
    InitializeForms();
  }
}

TEST_F(GridConsoleTest, StoredWiringFillsTheManualGridAndTheOthersOneToOne) {
  WriteConfig("[config]\nrow=2\ncol=3\n[VGAmux]\nVGAcustomer mux=1\n0=6\n1=5\n2=4\n3=3\n4=2\n5=1\n");
  ShowConsole();
  auto rows = [](TStringGrid* grid) {
    std::vector<std::string> out;
    for (int r = 0; r < grid->RowCount(); ++r) {
      std::string line;
      for (int c = 0; c < grid->ColCount(); ++c) line += (c ? " " : "") + grid->Cells(c, r);
      out.push_back(line);
    }
    return out;
  };
  EXPECT_TRUE(Form3->CheckBox2->Checked());
  EXPECT_FALSE(Form3->CheckBox1->Checked());
  EXPECT_EQ(rows(Form3->StringGrid2), (std::vector<std::string>{"6 5 4", "3 2 1"}));
  for (TStringGrid* grid : {Form3->StringGrid1, Form3->StringGrid3})
    EXPECT_EQ(rows(grid), (std::vector<std::string>{"1 2 3", "4 5 6"}));
  for (TStringGrid* grid : {Form3->StringGrid1, Form3->StringGrid2, Form3->StringGrid3}) {
    EXPECT_EQ(grid->Width(), 72);
    EXPECT_EQ(grid->Height(), 54);
  }
  Form3->Show();
  SaveWindowShot(Form3, "console/matrix-configuration.png");
}

TEST_F(GridConsoleTest, TheWallSharesThePanelAmongItsScreens) {
  struct Case {
    const char* config;
    int rows, columns, width, height;
  } cases[] = {
      {"[config]\nrow=15\ncol=15\n", 15, 15, 48, 19},
      {"[config]\nrow=1\ncol=1\n", 1, 1, 727, 292},
      // Counts outside 1 to 15 are brought into it, so the headers stay headers.
      {"[config]\nrow=0\ncol=40\n", 1, 15, 48, 292},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.config);
    WriteConfig(c.config);
    ShowConsole();
    TStringGrid* grid = Form1->stringgrid1;
    ASSERT_EQ(grid->RowCount(), c.rows + 1);
    ASSERT_EQ(grid->ColCount(), c.columns + 1);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_EQ(grid->ColWidths(c.columns), c.width);
    EXPECT_EQ(grid->RowHeights(c.rows), c.height);
    EXPECT_EQ(grid->Cells(c.columns, 0), std::to_string(c.columns));
    FinalizeForms();
    InitializeForms();
  }
}

TEST_F(GridConsoleTest, AResizeResharesTheWallAndWidensTheServicePages) {
  ShowConsole();
  Form1->SetBounds(Form1->Left(), Form1->Top(), Form1->Width() + 90, Form1->Height() + 60);
  Pump();
  EXPECT_EQ(Form1->Panel1->Width(), 849);
  EXPECT_EQ(Form1->stringgrid1->ColWidths(1), (849 - 32) / 3);
  EXPECT_EQ(Form1->stringgrid1->RowHeights(1), (384 - 32) / 3);
  EXPECT_EQ(Form1->PageControl1->Width(), Form1->Width() - 410);
}

// A PNG of one colour.
void WritePlainPng(const std::string& path, std::uint32_t colour) {
  std::vector<std::uint32_t> pixels(40 * 30, colour);
  ASSERT_TRUE(platform::WritePng(path, pixels.data(), 40, 30, 40));
}

TEST_F(GridConsoleTest, TheLogoIsReadByWhatItHolds) {
  WritePlainPng(folder + "/clogo.jpg", 0xFF00FF);
  ShowConsole();
  for (TImage* image : {Form1->Image1, Form15->Image1}) {
    ASSERT_NE(image->Picture()->Graphic(), nullptr);
    EXPECT_EQ(image->Picture()->Width(), 40);
    EXPECT_EQ(image->Picture()->Bitmap()->Canvas()->Pixels(5, 5), static_cast<TColor>(0xFF00FF));
  }
}

TEST_F(GridConsoleTest, ALogoThatIsNoPictureLeavesTheDesignLogo) {
  std::ofstream(folder + "/clogo.jpg") << "not a picture";
  ShowConsole();
  EXPECT_EQ(Form1->Image1->Picture()->Width(), 120);  // the design logo
  EXPECT_TRUE(boxes.empty());
  // Loading went on to its end.
  EXPECT_EQ(Form1->stringgrid1->RowCount(), 4);
  EXPECT_EQ(Panel(0), "COM1 COM1 COM1 关闭");
  EXPECT_EQ(Form1->ComboBox8->ItemIndex(), 0);
}

}  // namespace
