// The grid console's texts in the interface language. The window description holds the Chinese
// texts, except for the popup menu, whose items are described in English: each language replaces
// what the description does not already say in it.
#include "console/Captions.h"
#include "console/GridConsole.h"
#include "console/VersionWindow.h"
#include "dialogs/PictureParameters.h"
#include "dialogs/SubtitleSettings.h"
#include "dialogs/TimingSettings.h"

void TForm1::ApplyEnglishCaptions() {
  if (Language != 1) {
    // The popup's items are reached as components, so a caption the operator's language already
    // changed cannot hide an item from the next show.
    SetCaptions({TMenuCaption{nStill, "画面静止"}, {N7, "图像调整"}, {N8, "本机保存"}, {N12, "边缘融合"},
                 {N9, "信号模式"}, {N10, "无信号黑屏"}, {N11, "无信号蓝屏"}, {N15, "异型调节"},
                 {N16, "老化模式"}, {N19, "模式打开"}, {N20, "模式关闭"}, {N17, "翻转模式"},
                 {N21, "图像正显"}, {N22, "图像倒显"}, {N18, "程序升级"}});
    return;
  }
  SetCaption(" Normal Large-Screen Control System");

  StatusBar1->Panels()->PanelAt(0)->SetText("Com. Port");
  StatusBar1->Panels()->PanelAt(1)->SetText("User : operator");

  SetCaptions({TMenuCaption{FILE1, "File"}, {N3, "Administrator"}, {EXIT1, "Exit"}, {SETTING1, "Setting"},
               {WALL1, "Com. Setting"}, {CONFIG1, "System Config"}, {N5, "Video Adjust"}, {N1, "Help"},
               {English1, "English | 中文"}, {N2, "About"}, {N4, "Debug"}});

  // Link, power and scenes.
  SetCaptions({TCaption{BitBtn1, "Open"}, {BitBtn2, "Close"}, {BitBtn5, "PowerOn"}, {BitBtn6, "PowerOff"},
               {GroupBox6, "Power"}});
  LabeledEdit10->EditLabel()->SetCaption("sec");
  SetCaptions({TCaption{CheckBox1, "Delayed"}, {BitBtn12, "Save"}, {BitBtn13, "Load"}, {Button4, "Mini"},
               {Button2, "Name..."}, {GroupBox3, "Model"}});

  // Pages and settings.
  SetCaptions({TCaption{tsSystemSetting, "Config"}, {tsSerialSetting, "Port Operate"}, {BitBtn16, "Port Setting"},
               {BitBtn17, "Splice Setting"}, {BitBtn18, "Matrix Setting"}, {BitBtn3, "Administrator"},
               {BitbtnENCH, "Chinese"}, {BitBtn4, "About"}, {cxLabel1, "Skin"}});

  // Splice and signal.
  SetCaptions({TCaption{BitBtn8, "Run"}, {BitBtn10, "Single"}, {grpChanel, "Signal"}, {Label1, "Signal Type"},
               {Label2, "Matrix Input"}, {CheckBox3, "Linkage"}, {grpMatix, "Matrix Type"}});

  // Temperature page.
  SetCaptions({TCaption{TabSheet3, "Temperature Control"}, {GroupBox1, "Fan Mode"}, {RadioButton1, "Open"},
               {RadioButton2, "Close"}, {RadioButton3, "Auto"}, {BitBtn11, "Apply"}});

  // Test page.
  SetCaptions({TCaption{TabSheet4, "Testing"}, {GroupBox2, "TI Mode"}, {GroupBox4, "Group Mode"},
               {RadioButton9, "A Group"}, {RadioButton10, "B Group"}, {GroupBox9, "8/10bit adjust"},
               {Button1, "Apply"}, {Button8, "Apply"}, {btnRTDo, "Apply"}, {CheckBox4, "Matrix browser opens"},
               {CheckBox5, "Plan view open"}, {BitBtn7, "Manual Debug"}, {Button3, "Software ver."}});

  // Other pages.
  SetCaptions({TCaption{TabSheet1, "Software Updates"}, {Button5, "Update"}, {tsAddrSetting, "Address setting"},
               {cxGroupBox4, "Address setting"}, {btnSetAddr, "Set"}, {btnLock, "Lock"}, {btnRefresh, "Refresh"},
               {lblRow, "Row"}, {lblCol, "Col"}, {cxlbl1, "SerialNo"}, {cxlbl2, "Address"},
               {btnGetAddress, "Show SerialNo"}, {BitbShowAddress, "Show Address"}, {cxtbshtOther, "Other"},
               {btnPlayMode, "Multi-Media"}, {btnBackColor, "Background"}, {btnTimeSet, "Timing"},
               {btnSubtitileSetting, "Subtitle"}, {Bitbtn, "Controller"}, {cxtbshtAgingModel, "Aging Mode"},
               {rbOpenAM, "Open"}, {rbOpenLogo, "Open"}, {rbCloseAM, "Close"}, {rbCloseLogo, "Close"},
               {cxtbshtLogo, "Logo Switch"}, {cxGroupBox3, "StartUp Logo Mode"}, {cxButton3, "StitchMode"},
               {cxButton4, "SingleMode"}, {cxTabSheet1, "AMD Adapt"}, {cxButton1, "AMD"}, {cxButton2, "Normal"},
               {cxGroupBox5, "Graphic Card Type"}, {cxtbSceneSwitch, "Scene Switch"}});
  for (TLabeledEdit* scene : lbledtS) scene->EditLabel()->SetCaption("Scene");
  // The English texts are longer: the two address buttons widen and the serial number's label
  // moves right. Shows after the first leave them where the first put them.
  if (!FEnglishShifted) {
    FEnglishShifted = true;
    btnGetAddress->SetWidth(btnGetAddress->Width() + 20);
    BitbShowAddress->SetWidth(BitbShowAddress->Width() + 20);
    cxlbl1->SetLeft(cxlbl1->Left() + 12);
  }

  // Browsing pages.
  TabSheet6->SetCaption("Matrix View");
  SetLabels({{LabeledEdit6, "Matrix Input Start"}, {LabeledEdit3, "Matrix Input End"},
             {LabeledEdit5, "Matrix Output Start"}, {LabeledEdit11, "Matrix Output End"},
             {LabeledEdit4, "Switch Interval(s)"}});
  BitBtn9->SetCaption("Signal View");
  TabSheet7->SetCaption("Model View");
  SetLabels({{LabeledEdit8, "Scene Start"}, {LabeledEdit9, "Scene End"}, {LabeledEdit7, "Switch Interval(s)"}});
  BitBtn15->SetCaption("Model View");

  // Other windows, each reached through its own fields. The picture dialog and the version window
  // set the rest of their English texts themselves when shown; the two settings dialogs take
  // theirs, mode list included, from their own routines, under this console's titles.
  Form4->BitBtn8->SetCaption("Reset");
  Form5->Button1->SetCaption("Version");
  frmTimingSetting->ApplyEnglishCaptions("Timing");
  frmSubtitleSettings->ApplyEnglishCaptions("Subtitle");
}
