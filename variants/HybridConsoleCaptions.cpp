// The hybrid-matrix console's interface language, skin and clock. The window description holds the
// Chinese texts, except for the popup menu, whose items are described in English: each language
// replaces what the description does not already say in it. A language change takes effect at the
// next start.
#include "app/BootWindow.h"
#include "console/Captions.h"
#include "console/Config.h"
#include "console/StatusClock.h"
#include "console/VersionWindow.h"
#include "dialogs/PictureParametersConsoles.h"
#include "dialogs/SubtitleSettings.h"
#include "dialogs/TimingSettings.h"
#include "variants/HybridConsole.h"

void TForm33::ApplyEnglishCaptionsHybrid() {
  if (LanguageHybrid != 1) {
    // The items are reached as components, not by their English captions, so a second show still
    // finds the ones the first renamed.
    SetCaptions({TMenuCaption{N6, "信号选择"}, {ApartMode1, "分屏模式"}, {nStill, "画面静止"}, {N7, "图像调整"},
                 {N8, "本机保存"}, {N12, "边缘融合"}, {N9, "信号模式"}, {N15, "异型调节"}, {N16, "老化模式"},
                 {N17, "翻转模式"}, {N18, "程序升级"}});
    SetCaptions({TMenuCaption{N19, "模式打开"}, {N20, "模式关闭"}, {N21, "图像正显"}, {N22, "图像倒显"},
                 {N10, "无信号黑屏"}, {N11, "无信号蓝屏"}});
    return;
  }
  SetCaption(" Vellmar Hybrid Matrix Control System");
  StatusBar1->Panels()->PanelAt(0)->SetText("Com. Port");
  StatusBar1->Panels()->PanelAt(1)->SetText("User : operator");

  SetCaptions({TMenuCaption{FILE1, "File"}, {SETTING1, "Setting"}, {N1, "Help"}, {N3, "Administrator"},
               {EXIT1, "Exit"}, {WALL1, "Com. Setting"}, {CONFIG1, "System Config"}, {N5, "Video Adjust"},
               {English1, "English | 中文"}, {N2, "About"}, {N4, "Debug"}});

  SetCaptions({TCaption{BitBtn1, "Open"}, {BitBtn2, "Close"}, {BitBtn5, "PowerOn"}, {BitBtn6, "PowerOff"},
               {Form32->BitBtn8, "Reset"}});
  SetCaptions({TCaption{BitBtn12, "Save"}, {BitBtn13, "Load"}, {Button4, "Mini"}, {Button2, "Name..."},
               {GroupBox3, "Model"}});
  SetCaptions({TCaption{tsSystemSetting, "Config"}, {tsSerialSetting, "Port Operate"}, {cxtbshtOther, "Other"}});
  SetCaptions({TCaption{BitBtn8, "Run"}, {BitBtn10, "Single"}});
  SetCaptions({TCaption{BitBtn16, "Port Setting"}, {BitBtn17, "Splice Setting"}, {BitBtn18, "Matrix Setting"}});
  SetCaptions({TCaption{BitBtn3, "Administrator"}, {BitbtnENCH, "Chinese"}, {Bitbtn9, "Controller"},
               {BitBtn4, "About"}});
  SetCaptions({TCaption{cxchckbx1, "Window"}, {Label1, "Signal Type"}, {CheckBox3, "Matrix[EX]"},
               {Label2, "Matrix Input"}});
  SetCaptions({TCaption{grpChanel, "Signal"}, {GroupBox6, "Power"}});
  SetLabels({{LabeledEdit10, "sec"}});
  SetCaptions({TCaption{CheckBox1, "Delayed"}});
  SetCaptions({TCaption{rbChinese, "Chinese"}, {rbEnglish, "English"}});

  // Service pages.
  SetCaptions({TCaption{TabSheet3, "Temperature Control"}, {GroupBox1, "Fan Mode"}});
  SetCaptions({TCaption{RadioButton1, "Open"}, {RadioButton2, "Close"}, {RadioButton3, "Auto"}, {BitBtn11, "Apply"}});
  SetCaptions({TCaption{TabSheet4, "Testing"}, {GroupBox2, "TI Mode"}, {GroupBox4, "Group Mode"}});
  SetCaptions({TCaption{RadioButton9, "A Group"}, {RadioButton10, "B Group"}});
  SetCaptions({TCaption{RadioButton4, "LG 8 Bit"}, {RadioButton5, "LG 10 Bit"}, {rb1, "SUMSUNG"}});
  SetCaptions({TCaption{Button1, "Apply"}, {Button8, "Apply"}, {BitBtn7, "Manual Debug"}});
  SetCaptions({TCaption{cxtbsht1, "Synchronization"}, {lbl1, "Syn Param:"}, {Bitbtn, "Set"}, {Bitbtn161, "Auto"}});
  SetCaptions({TCaption{btnPlayMode, "Play Setting"}, {btnBackColor, "Background"}, {cxLabel1, "Skin"},
               {btnTimeSet, "Timing Setting"}, {btnSubtitileSetting, "Subtitle Setting"}});

  // The dialogs this console opens.
  frmSubtitleSettings->ApplyEnglishCaptions("Subtitle Setting");
  frmTimingSetting->ApplyEnglishCaptions("Timing Setting");
  Form5->Button1->SetCaption("Version");
}

void TForm33::BitbtnENCHClick(TObject* Sender) {
  if (LanguageGuardHybrid) return;
  LanguageHybrid = LanguageHybrid == 1 ? 0 : 1;
  English1Click(Sender);
}

void TForm33::English1Click(TObject*) {
  WriteConfig(*ConfigFileHybrid, cfg::config::Language, LanguageHybrid);
  Application->MessageBox("please restart this program !", Application->Title());
}

void TForm33::cbbSkinPropertiesChange(TObject*) { dxskncntrlrSkin->SetSkinName(cbbSkin->Text()); }

void TForm33::Timer1Timer(TObject*) {
  StatusBar1->Panels()->PanelAt(2)->SetText(StatusClockText(Now(), LanguageHybrid != 0));
}
