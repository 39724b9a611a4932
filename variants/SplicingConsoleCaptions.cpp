// The splicing console's texts in the interface language, with those of the dialogs it shares
// with the other consoles. The window description holds the Chinese texts, except for the popup
// menu, whose items are described in English: each language replaces what the description does
// not already say in it.
#include "console/Captions.h"
#include "console/VersionWindow.h"
#include "dialogs/PictureParametersConsoles.h"
#include "dialogs/SubtitleSettings.h"
#include "dialogs/TimingSettings.h"
#include "variants/SplicingConsole.h"

void TForm23::ApplyEnglishCaptionsSplicing() {
  if (LanguageSplicing != 1) {
    // The hidden irregular-shape item keeps its description's text: it never shows here.
    SetCaptions({TMenuCaption{nStill, "画面静止"}, {N7, "图像调整"}, {N8, "本机保存"}, {N12, "边缘融合"},
                 {N9, "信号模式"}, {N10, "无信号黑屏"}, {N11, "无信号蓝屏"}, {N16, "老化模式"},
                 {N19, "模式打开"}, {N20, "模式关闭"}, {N17, "翻转模式"}, {N21, "图像正显"},
                 {N22, "图像倒显"}, {N18, "程序升级"}});
    return;
  }
  SetCaption(" Vellmar Intelligent Large-Screen Control System");

  StatusBar1->Panels()->PanelAt(0)->SetText("Com. Port");
  StatusBar1->Panels()->PanelAt(1)->SetText("User : operator");

  SetCaptions({TMenuCaption{FILE1, "File"}, {N3, "Administrator"}, {EXIT1, "Exit"}, {SETTING1, "Setting"},
               {WALL1, "Com. Setting"}, {CONFIG1, "System Config"}, {N5, "Video Adjust"}, {N1, "Help"},
               {English1, "English | 中文"}, {N2, "About"}, {N4, "Debug"}});

  // Link, power, scenes, signals.
  SetCaptions({TCaption{BitBtn1, "Open"}, {BitBtn2, "Close"}, {BitBtn5, "PowerOn"}, {BitBtn6, "PowerOff"},
               {Form32->BitBtn8, "Reset"}, {BitBtn12, "Save"}, {BitBtn13, "Load"}, {Button4, "Mini"},
               {Button2, "Name..."}, {GroupBox3, "Model"}, {BitBtn8, "Run"}, {BitBtn10, "Single"},
               {grpChanel, "Signal"}, {GroupBox6, "Power"}, {CheckBox1, "Delayed"}});
  SetLabels({{LabeledEdit10, "sec"}});

  // Pages and settings.
  SetCaptions({TCaption{tsSystemSetting, "Config"}, {tsSerialSetting, "Port Operate"}, {cxtbshtOther, "Other"},
               {BitBtn16, "Port Setting"}, {BitBtn17, "Splice Setting"}, {BitBtn3, "Administrator"},
               {BitBtn4, "About"}, {BitbtnENCH, "Chinese"}, {Bitbtn9, "Controller"}, {rbChinese, "Chinese"},
               {rbEnglish, "English"}, {btnPlayMode, "Play Setting"}, {btnBackColor, "Background"},
               {cxLabel1, "Skin"}, {btnTimeSet, "Timing Setting"}, {btnSubtitileSetting, "Subtitle Setting"}});

  // Service pages. The test page's two groups keep the other consoles' English names, although
  // here they choose the panel type and the A/B swap.
  SetCaptions({TCaption{TabSheet3, "Temperature Control"}, {GroupBox1, "Fan Mode"}, {RadioButton1, "Open"},
               {RadioButton2, "Close"}, {RadioButton3, "Auto"}, {BitBtn11, "Apply"}, {TabSheet4, "Testing"},
               {GroupBox2, "TI Mode"}, {GroupBox4, "Group Mode"}, {RadioButton9, "A Group"},
               {RadioButton10, "B Group"}, {RadioButton4, "LG 8 Bit"}, {RadioButton5, "LG 10 Bit"},
               {rb1, "SUMSUNG"}, {Button1, "Apply"}, {Button8, "Apply"}, {BitBtn7, "Manual Debug"},
               {cxtbsht1, "Synchronization"}, {lbl1, "Delay:"}, {Bitbtn, "Set"}, {Bitbtn161, "Auto"}});

  // The shared dialogs.
  TfrmSubtitleSettings* subtitles = frmSubtitleSettings;
  subtitles->SetCaption("Subtitle Setting");
  SetCaptions({TCaption{subtitles->cxlblText, "Text"}, {subtitles->btnFontSetting, "Font"},
               {subtitles->cbTranp, "Transparent"}, {subtitles->cxLabel3, "Bkgound Color"},
               {subtitles->cxlblInterval, "Scroll Interval"}, {subtitles->btnCloseDisplay, "Delete"},
               {subtitles->btnSave, "Save"}, {subtitles->btnClose, "Close"}, {subtitles->BitbAddDisplay, "Add"}});
  Form5->Button1->SetCaption("Version");
  frmTimingSetting->ApplyEnglishCaptions("Timing Setting");
}
