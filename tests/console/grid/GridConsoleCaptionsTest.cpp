// The grid console's interface language at start: every English text it sets, in its own window
// and in the dialogs it opens, and the Chinese popup of a Chinese start.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/Program.h"
#include "app/StartupChooser.h"
#include "console/GridConsole.h"
#include "console/VersionWindow.h"
#include "dialogs/PictureParameters.h"
#include "dialogs/SubtitleSettings.h"
#include "dialogs/TimingSettings.h"
#include "tests/app/AppFixture.h"
#include "tests/console/grid/TextSweep.h"
#include "ui/pages/PageControl.h"

namespace {

namespace fs = std::filesystem;

struct Row {
  std::string Where;
  std::string Text;  // as the window shows it
  std::string Expected;
};

class GridConsoleCaptionsTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    fs::copy_file(VW_SKIN_LIST, folder + "/AllSkins.skinres");
  }
  void ShowConsole() {
    CreateProgramWindows();
    Pump();
    Form18->ConsoleKind = ckGrid;
    Form1->Show();
    Pump();
  }
  static void ExpectRows(const std::vector<Row>& rows) {
    for (const Row& row : rows) EXPECT_EQ(row.Text, row.Expected) << row.Where;
  }
  static std::vector<std::string> Items(TcxComboBox* list) {
    std::vector<std::string> out;
    TStrings* items = list->Properties()->Items();
    for (int i = 0; i < items->Count(); ++i) out.push_back(items->Strings(i));
    return out;
  }
  static std::string Panel(int index) { return Form1->StatusBar1->Panels()->PanelAt(index)->Text(); }
};

#define CAPTION(window, control, text) Row{#window "." #control, window->control->Caption(), text}
#define BOUND_LABEL(window, control, text) \
  Row{"label of " #window "." #control, window->control->EditLabel()->Caption(), text}

// The grid console's own texts, group by group in the order the routine sets them.
std::vector<Row> GridConsoleEnglishRows() {
  std::vector<Row> rows = {
      // Main menu.
      CAPTION(Form1, FILE1, "File"), CAPTION(Form1, N3, "Administrator"), CAPTION(Form1, EXIT1, "Exit"),
      CAPTION(Form1, SETTING1, "Setting"), CAPTION(Form1, WALL1, "Com. Setting"),
      CAPTION(Form1, CONFIG1, "System Config"), CAPTION(Form1, N5, "Video Adjust"), CAPTION(Form1, N1, "Help"),
      CAPTION(Form1, English1, "English | 中文"), CAPTION(Form1, N2, "About"), CAPTION(Form1, N4, "Debug"),
      // Link, power and scenes.
      CAPTION(Form1, BitBtn1, "Open"), CAPTION(Form1, BitBtn2, "Close"), CAPTION(Form1, BitBtn5, "PowerOn"),
      CAPTION(Form1, BitBtn6, "PowerOff"), CAPTION(Form1, GroupBox6, "Power"),
      BOUND_LABEL(Form1, LabeledEdit10, "sec"), CAPTION(Form1, CheckBox1, "Delayed"),
      CAPTION(Form1, BitBtn12, "Save"), CAPTION(Form1, BitBtn13, "Load"), CAPTION(Form1, Button4, "Mini"),
      CAPTION(Form1, Button2, "Name..."), CAPTION(Form1, GroupBox3, "Model"),
      // Pages and settings.
      CAPTION(Form1, tsSystemSetting, "Config"), CAPTION(Form1, tsSerialSetting, "Port Operate"),
      CAPTION(Form1, BitBtn16, "Port Setting"), CAPTION(Form1, BitBtn17, "Splice Setting"),
      CAPTION(Form1, BitBtn18, "Matrix Setting"), CAPTION(Form1, BitBtn3, "Administrator"),
      CAPTION(Form1, BitbtnENCH, "Chinese"), CAPTION(Form1, BitBtn4, "About"), CAPTION(Form1, cxLabel1, "Skin"),
      // Splice and signal.
      CAPTION(Form1, BitBtn8, "Run"), CAPTION(Form1, BitBtn10, "Single"), CAPTION(Form1, grpChanel, "Signal"),
      CAPTION(Form1, Label1, "Signal Type"), CAPTION(Form1, Label2, "Matrix Input"),
      CAPTION(Form1, CheckBox3, "Linkage"), CAPTION(Form1, grpMatix, "Matrix Type"),
      // Temperature page.
      CAPTION(Form1, TabSheet3, "Temperature Control"), CAPTION(Form1, GroupBox1, "Fan Mode"),
      CAPTION(Form1, RadioButton1, "Open"), CAPTION(Form1, RadioButton2, "Close"),
      CAPTION(Form1, RadioButton3, "Auto"), CAPTION(Form1, BitBtn11, "Apply"),
      // Test page.
      CAPTION(Form1, TabSheet4, "Testing"), CAPTION(Form1, GroupBox2, "TI Mode"),
      CAPTION(Form1, GroupBox4, "Group Mode"), CAPTION(Form1, RadioButton9, "A Group"),
      CAPTION(Form1, RadioButton10, "B Group"), CAPTION(Form1, GroupBox9, "8/10bit adjust"),
      CAPTION(Form1, Button1, "Apply"), CAPTION(Form1, Button8, "Apply"), CAPTION(Form1, btnRTDo, "Apply"),
      CAPTION(Form1, CheckBox4, "Matrix browser opens"), CAPTION(Form1, CheckBox5, "Plan view open"),
      CAPTION(Form1, BitBtn7, "Manual Debug"), CAPTION(Form1, Button3, "Software ver."),
      // Other pages.
      CAPTION(Form1, TabSheet1, "Software Updates"), CAPTION(Form1, Button5, "Update"),
      CAPTION(Form1, tsAddrSetting, "Address setting"), CAPTION(Form1, cxGroupBox4, "Address setting"),
      CAPTION(Form1, btnSetAddr, "Set"), CAPTION(Form1, btnLock, "Lock"), CAPTION(Form1, btnRefresh, "Refresh"),
      CAPTION(Form1, lblRow, "Row"), CAPTION(Form1, lblCol, "Col"), CAPTION(Form1, cxlbl1, "SerialNo"),
      CAPTION(Form1, cxlbl2, "Address"), CAPTION(Form1, btnGetAddress, "Show SerialNo"),
      CAPTION(Form1, BitbShowAddress, "Show Address"), CAPTION(Form1, cxtbshtOther, "Other"),
      CAPTION(Form1, btnPlayMode, "Multi-Media"), CAPTION(Form1, btnBackColor, "Background"),
      CAPTION(Form1, btnTimeSet, "Timing"), CAPTION(Form1, btnSubtitileSetting, "Subtitle"),
      CAPTION(Form1, Bitbtn, "Controller"), CAPTION(Form1, cxtbshtAgingModel, "Aging Mode"),
      CAPTION(Form1, rbOpenAM, "Open"), CAPTION(Form1, rbOpenLogo, "Open"), CAPTION(Form1, rbCloseAM, "Close"),
      CAPTION(Form1, rbCloseLogo, "Close"), CAPTION(Form1, cxtbshtLogo, "Logo Switch"),
      CAPTION(Form1, cxGroupBox3, "StartUp Logo Mode"), CAPTION(Form1, cxButton3, "StitchMode"),
      CAPTION(Form1, cxButton4, "SingleMode"), CAPTION(Form1, cxTabSheet1, "AMD Adapt"),
      CAPTION(Form1, cxButton1, "AMD"), CAPTION(Form1, cxButton2, "Normal"),
      CAPTION(Form1, cxGroupBox5, "Graphic Card Type"), CAPTION(Form1, cxtbSceneSwitch, "Scene Switch"),
      // Browsing pages: the buttons show their stopped captions.
      CAPTION(Form1, TabSheet6, "Matrix View"), BOUND_LABEL(Form1, LabeledEdit6, "Matrix Input Start"),
      BOUND_LABEL(Form1, LabeledEdit3, "Matrix Input End"), BOUND_LABEL(Form1, LabeledEdit5, "Matrix Output Start"),
      BOUND_LABEL(Form1, LabeledEdit11, "Matrix Output End"), BOUND_LABEL(Form1, LabeledEdit4, "Switch Interval(s)"),
      CAPTION(Form1, BitBtn9, "Signal View"), CAPTION(Form1, TabSheet7, "Model View"),
      BOUND_LABEL(Form1, LabeledEdit8, "Scene Start"), BOUND_LABEL(Form1, LabeledEdit9, "Scene End"),
      BOUND_LABEL(Form1, LabeledEdit7, "Switch Interval(s)"), CAPTION(Form1, BitBtn15, "Model View"),
      // Other windows.
      CAPTION(Form4, BitBtn8, "Reset"), CAPTION(Form5, Button1, "Version"),
      Row{"frmTimingSetting", frmTimingSetting->Caption(), "Timing"},
      CAPTION(frmTimingSetting, lblExecMode, "Repeat Mode"), CAPTION(frmTimingSetting, lblOpenSys, "StartUp"),
      CAPTION(frmTimingSetting, lblCloseSys, "ShutDown"), CAPTION(frmTimingSetting, cbFlag, "On/Off"),
      BOUND_LABEL(frmTimingSetting, lbledtOHours, "H"), BOUND_LABEL(frmTimingSetting, lbledtCHours, "H"),
      BOUND_LABEL(frmTimingSetting, lbledtOMin, "M"), BOUND_LABEL(frmTimingSetting, lbledtCMin, "M"),
      CAPTION(frmTimingSetting, btnOK, "OK"), CAPTION(frmTimingSetting, btnClose, "Close"),
      Row{"frmSubtitleSettings", frmSubtitleSettings->Caption(), "Subtitle"},
      CAPTION(frmSubtitleSettings, cxlblText, "Text"), CAPTION(frmSubtitleSettings, btnFontSetting, "Font"),
      CAPTION(frmSubtitleSettings, cbTranp, "Transparent"), CAPTION(frmSubtitleSettings, cxLabel3, "Bkgound Color"),
      CAPTION(frmSubtitleSettings, cxlblInterval, "Scroll Interval"),
      CAPTION(frmSubtitleSettings, btnCloseDisplay, "Delete"), CAPTION(frmSubtitleSettings, btnSave, "Save"),
      CAPTION(frmSubtitleSettings, btnClose, "Close"), CAPTION(frmSubtitleSettings, BitbAddDisplay, "Add"),
  };
  for (TLabeledEdit* scene : Form1->lbledtS)
    rows.push_back({"label of " + scene->Name(), scene->EditLabel()->Caption(), "Scene"});
  return rows;
}

// The popup in the English it is described in, and in Chinese; the EDID1 items are the same in both.
std::vector<Row> PopupRows(bool chinese) {
  auto pick = [chinese](const char* english, const char* zh) { return chinese ? zh : english; };
  std::vector<Row> rows = {
      CAPTION(Form1, nStill, pick("Still", "画面静止")), CAPTION(Form1, N7, pick("Image adjustment", "图像调整")),
      CAPTION(Form1, N8, pick("Save", "本机保存")), CAPTION(Form1, N12, pick("Border Effect", "边缘融合")),
      CAPTION(Form1, N9, pick("Signal pattern", "信号模式")),
      CAPTION(Form1, N10, pick("No signal black screen", "无信号黑屏")),
      CAPTION(Form1, N11, pick("No signal blue screen", "无信号蓝屏")),
      CAPTION(Form1, N15, pick("Special Regulation", "异型调节")), CAPTION(Form1, N16, pick("Aging Mode", "老化模式")),
      CAPTION(Form1, N19, pick("Open", "模式打开")), CAPTION(Form1, N20, pick("Close", "模式关闭")),
      CAPTION(Form1, N17, pick("Flip Mode", "翻转模式")), CAPTION(Form1, N21, pick("Positive", "图像正显")),
      CAPTION(Form1, N22, pick("inverse", "图像倒显")), CAPTION(Form1, N18, pick("Update", "程序升级")),
      CAPTION(Form1, EDID1, "拼接模式"),
  };
  const char* const edid[] = {"2K拼接", "4K拼接"};
  EXPECT_EQ(Form1->EDID1->Count(), 2);
  for (int i = 0; i < Form1->EDID1->Count() && i < 2; ++i)
    rows.push_back({"EDID1 item " + std::to_string(i), Form1->EDID1->Items(i)->Caption(), edid[i]});
  return rows;
}

TEST_F(GridConsoleCaptionsTest, AnEnglishStartPutsEveryEnglishText) {
  WriteConfig("[config]\nlanguage=1\ncaption=Wall A\n");
  ShowConsole();
  EXPECT_EQ(Form1->Caption(), " Normal Large-Screen Control System");
  ExpectRows(GridConsoleEnglishRows());
  ExpectRows(PopupRows(false));
  EXPECT_EQ(Items(frmTimingSetting->cbbExecMode), (std::vector<std::string>{"No Repeat", "Each Day"}));

  // Loading goes on to the link routine, which writes the ports' state over panel 0; panel 2 is
  // left as it was.
  const std::string panel2 = Panel(2);
  EXPECT_EQ(Panel(0), "COM1 COM1 COM1 closed");
  EXPECT_EQ(Panel(1), "User : operator");
  Form1->ApplyEnglishCaptions();
  EXPECT_EQ(Panel(0), "Com. Port");
  EXPECT_EQ(Panel(2), panel2);
}

// Captions are only written: the browsing buttons' captions are their state, yet writing them
// starts no timer, and nothing opens a link.
TEST_F(GridConsoleCaptionsTest, RunningTheEnglishRoutineAgainShiftsNothingFurtherAndStartsNothing) {
  CreateProgramWindows();
  Pump();
  const std::vector<bool> timers = {Form1->Timer1->Enabled(), Form1->tmrTimingSet->Enabled(),
                                    Form1->tmrSceneSwitch->Enabled()};
  const int getWidth = Form1->btnGetAddress->Width(), showWidth = Form1->BitbShowAddress->Width();
  const int left = Form1->cxlbl1->Left();
  Form1->Language = 1;
  for (int run = 0; run < 2; ++run) {
    Form1->ApplyEnglishCaptions();
    EXPECT_EQ(Form1->btnGetAddress->Width(), getWidth + 20) << run;
    EXPECT_EQ(Form1->BitbShowAddress->Width(), showWidth + 20) << run;
    EXPECT_EQ(Form1->cxlbl1->Left(), left + 12) << run;
  }
  EXPECT_EQ((std::vector<bool>{Form1->Timer1->Enabled(), Form1->tmrTimingSet->Enabled(),
                               Form1->tmrSceneSwitch->Enabled()}),
            timers);
  EXPECT_EQ(Form1->Comm1->PortHandle(), nullptr);
  ExpectRows(GridConsoleEnglishRows());
}

TEST_F(GridConsoleCaptionsTest, AChineseStartGivesThePopupItsChineseCaptionsEveryTime) {
  WriteConfig("[config]\nlanguage=0\ncaption=Wall A\n");
  ShowConsole();
  EXPECT_EQ(Form1->Caption(), "Wall A");
  ExpectRows(PopupRows(true));
  Form1->ApplyEnglishCaptions();
  ExpectRows(PopupRows(true));
  // The rest keeps its Chinese design texts.
  EXPECT_EQ(Form1->BitBtn1->Caption(), "连接串口/无线");
  EXPECT_EQ(Form4->BitBtn8->Caption(), "系统复位");
  EXPECT_EQ(Form5->Button1->Caption(), "软件版本查看");
}

TEST_F(GridConsoleCaptionsTest, AChineseTitleIsTheStoredOneEvenWhenEmpty) {
  WriteConfig("[config]\nlanguage=0\ncaption=\n");
  ShowConsole();
  EXPECT_EQ(Form1->Caption(), "");
}

TEST_F(GridConsoleCaptionsTest, TheDialogsOpenedFromAnEnglishConsoleShowTheirEnglishTexts) {
  WriteConfig("[config]\nlanguage=1\n");
  ShowConsole();
  struct Window {
    TForm* Form;
    const char* Shot;
  };
  for (const Window& window : {Window{frmTimingSetting, "console/grid-timing-english.png"},
                               Window{frmSubtitleSettings, "console/grid-subtitle-english.png"},
                               Window{Form4, "console/grid-picture-english.png"},
                               Window{Form5, "console/grid-version-english.png"}}) {
    window.Form->Show();
    Pump();
    SaveWindowShot(window.Form, window.Shot);
    window.Form->Hide();
    Pump();
  }
  EXPECT_EQ(frmTimingSetting->Caption(), "Timing");
  EXPECT_EQ(Items(frmTimingSetting->cbbExecMode), (std::vector<std::string>{"No Repeat", "Each Day"}));
  EXPECT_EQ(frmSubtitleSettings->Caption(), "Subtitle");
  EXPECT_EQ(frmSubtitleSettings->BitbAddDisplay->Caption(), "Add");
  EXPECT_EQ(Form4->BitBtn8->Caption(), "Reset");
  EXPECT_EQ(Form5->Button1->Caption(), "Version");
}

}  // namespace

namespace {

// Every page of the grid console and the dialogs it sets texts in, in both languages: screenshot
// and text dump of each. In English, the Chinese texts left are exactly the untranslated ones.
TEST_F(GridConsoleCaptionsTest, SweepOfTheGridConsoleAndItsDialogsInBothLanguages) {
  for (int language : {0, 1}) {
    SCOPED_TRACE(language);
    WriteConfig("[config]\nlanguage=" + std::to_string(language) + "\n");
    ShowConsole();
    const std::string suffix = language ? "english" : "chinese";
    std::vector<sweep::TShownText> texts;
    TcxPageControl* pages = Form1->cxpgcntrlTop;
    for (int i = 0; i < pages->PageCount(); ++i) {
      if (!pages->Pages(i)->TabVisible()) continue;
      pages->SetActivePage(pages->Pages(i));
      Pump();
      SaveWindowShot(Form1, "console/sweep/grid-" + suffix + "-page" + std::to_string(i) + ".png");
      for (const sweep::TShownText& shown : sweep::VisibleTexts(Form1)) texts.push_back(shown);
    }
    for (TForm* dialog : std::initializer_list<TForm*>{frmTimingSetting, frmSubtitleSettings, Form4, Form5}) {
      dialog->Show();
      Pump();
      SaveWindowShot(dialog, "console/sweep/" + dialog->Name() + "-" + suffix + ".png");
      for (const sweep::TShownText& shown : sweep::VisibleTexts(dialog)) texts.push_back(shown);
      dialog->Hide();
      Pump();
    }
    sweep::WriteTextDump(texts, "console/sweep/texts-" + suffix + ".tsv");
    if (language == 1) {
      std::set<std::string> chinese;
      for (const sweep::TShownText& shown : sweep::NonAsciiTexts(texts))
        chinese.insert(shown.Window + "." + shown.Component);
      // The picture dialog's explanatory labels have no English.
      EXPECT_EQ(chinese, (std::set<std::string>{"Form4.lbl10", "Form4.lbl11", "Form4.lbl12"}));
    }
    TearDown();
    SetUp();
  }
}

}  // namespace
