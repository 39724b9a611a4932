#include "variants/SplicingConsole.h"

#include <type_traits>
#include <utility>

#include "app/BootWindow.h"
#include "app/StartupChooser.h"
#include "console/CommSettings.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "console/PictureFile.h"
#include "console/StatusClock.h"
#include "console/VersionWindow.h"
#include "console/WallGrid.h"
#include "dialogs/PictureParametersConsoles.h"
#include "dialogs/SplicingSettingsSplicing.h"
#include "dialogs/SubtitleSettings.h"
#include "matrix/MatrixConfig.h"
#include "platform/classes/DateUtils.h"
#include "ui/skins/Skin.h"

TForm23* Form23 = nullptr;

TForm23::TForm23(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormCreate", &TForm23::FormCreate);
  RegisterHandler("FormShow", &TForm23::FormShow);
  RegisterHandler("FormResize", &TForm23::FormResize);
  RegisterHandler("FormClose", &TForm23::FormClose);
  RegisterHandler("EXIT1Click", &TForm23::EXIT1Click);
  RegisterHandler("BitbtnENCHClick", &TForm23::BitbtnENCHClick);
  RegisterHandler("cbbSkinPropertiesChange", &TForm23::cbbSkinPropertiesChange);
  RegisterHandler("Timer1Timer", &TForm23::Timer1Timer);
  RegisterWallHandlers();
  RegisterCommandHandlers();
}

TForm23::~TForm23() {
  if (tmrTimingSet) UnregisterTimedPower(tmrTimingSet);
  if (Form23 == this) Form23 = nullptr;
}

void TForm23::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  // Creation's first step: the console has its own task-bar button. The flag is given where the
  // window is made, so every handle the window ever gets carries it.
  Params.ExStyle |= win::WS_EX_APPWINDOW;
}

void TForm23::Loaded() {
  TForm::Loaded();
  auto find = [this](auto*& field, const String& name) {
    field = dynamic_cast<std::remove_reference_t<decltype(field)>>(FindComponent(name));
  };
#define VW_FIND(Name) find(Name, #Name)
  VW_FIND(Comm1);
  VW_FIND(Comm2);
  VW_FIND(Comm3);
  VW_FIND(socketClient);
  VW_FIND(cxgrpbxTop);
  VW_FIND(cxpgcntrlTop);
  VW_FIND(tsSerialSetting);
  VW_FIND(BitBtn1);
  VW_FIND(BitBtn2);
  VW_FIND(tsSystemSetting);
  VW_FIND(BitBtn16);
  VW_FIND(BitBtn17);
  VW_FIND(BitBtn3);
  VW_FIND(BitBtn4);
  VW_FIND(BitbtnENCH);
  VW_FIND(rbChinese);
  VW_FIND(rbEnglish);
  VW_FIND(cxtbshtOther);
  VW_FIND(btnPlayMode);
  VW_FIND(cxLabel1);
  VW_FIND(cbbSkin);
  VW_FIND(btnBackColor);
  VW_FIND(btnTimeSet);
  VW_FIND(btnSubtitileSetting);
  VW_FIND(Bitbtn9);
  VW_FIND(Panel4);
  VW_FIND(grpChanel);
  VW_FIND(rzpnlVIDEO);
  VW_FIND(rzpnlVGA);
  VW_FIND(rzpnlDVI);
  VW_FIND(rzpnlHDMI);
  VW_FIND(rzpnlVIDEO2);
  VW_FIND(BitBtn8);
  VW_FIND(BitBtn10);
  VW_FIND(GroupBox3);
  VW_FIND(ComboBox3);
  VW_FIND(BitBtn12);
  VW_FIND(BitBtn13);
  VW_FIND(Button2);
  VW_FIND(Button4);
  VW_FIND(ComboBox1);
  VW_FIND(GroupBox6);
  VW_FIND(CheckBox1);
  VW_FIND(LabeledEdit10);
  VW_FIND(BitBtn5);
  VW_FIND(BitBtn6);
  VW_FIND(Panel1);
  VW_FIND(stringgrid1);
  VW_FIND(rzpnlBottom);
  VW_FIND(Image1);
  VW_FIND(Label3);
  VW_FIND(PageControl1);
  VW_FIND(TabSheet3);
  VW_FIND(GroupBox1);
  VW_FIND(RadioButton1);
  VW_FIND(RadioButton2);
  VW_FIND(RadioButton3);
  VW_FIND(BitBtn11);
  VW_FIND(TabSheet4);
  VW_FIND(GroupBox2);
  VW_FIND(RadioButton4);
  VW_FIND(RadioButton5);
  VW_FIND(rb1);
  VW_FIND(Button1);
  VW_FIND(GroupBox4);
  VW_FIND(RadioButton9);
  VW_FIND(RadioButton10);
  VW_FIND(Button8);
  VW_FIND(BitBtn7);
  VW_FIND(cxtbsht1);
  VW_FIND(lbl1);
  VW_FIND(edt1);
  VW_FIND(Bitbtn);
  VW_FIND(Bitbtn161);
  VW_FIND(Memo1);
  VW_FIND(StatusBar1);
  VW_FIND(dxskncntrlrSkin);
  VW_FIND(Timer1);
  VW_FIND(tmrTimingSet);
  VW_FIND(tmr1);
  VW_FIND(tmrSceneSwitch);
  VW_FIND(dlgColor);
  VW_FIND(MainMenu1);
  VW_FIND(FILE1);
  VW_FIND(N3);
  VW_FIND(EXIT1);
  VW_FIND(SETTING1);
  VW_FIND(WALL1);
  VW_FIND(CONFIG1);
  VW_FIND(N5);
  VW_FIND(N1);
  VW_FIND(English1);
  VW_FIND(N2);
  VW_FIND(N4);
  VW_FIND(PopupMenu1);
  VW_FIND(nStill);
  VW_FIND(N7);
  VW_FIND(N8);
  VW_FIND(N12);
  VW_FIND(N9);
  VW_FIND(N10);
  VW_FIND(N11);
  VW_FIND(N15);
  VW_FIND(N16);
  VW_FIND(N19);
  VW_FIND(N20);
  VW_FIND(N17);
  VW_FIND(N21);
  VW_FIND(N22);
  VW_FIND(N18);
#undef VW_FIND
}

// ---- Creation ---------------------------------------------------------------------------------------

void TForm23::FormCreate(TObject*) {
  // (The task-bar button comes with the window's creation parameters.)
  FillSkinList(cbbSkin, ProgramFilePath(kSkinListFile));
  ConfigFileSplicing = OpenConfigFile();
  TIniFile& ini = *ConfigFileSplicing;
  cbbSkin->SetItemIndex(StoredSkinIndex(ini, cbbSkin));
  LanguageSplicing = ReadConfig(ini, cfg::config::Language);
  Form18->DebugMode = 0;
  N4->SetVisible(false);
  LanguageGuardSplicing = true;
  ReadTimedPower(TimedPowerFields(), tmrTimingSet, ini);
  BitbtnENCH->SetCaption(LanguageSplicing == 1 ? "中文" : "English");
  LanguageGuardSplicing = false;
  RegisterTimedPower(TimedPowerFields(), tmrTimingSet);
  AdminPasswordSplicing = ReadConfig(ini, cfg::config::Password);
}

// ---- Loading ----------------------------------------------------------------------------------------

void TForm23::FormShow(TObject*) {
  // Leaving by the menu lets go of the file; a show after that has nothing to load from.
  if (!ConfigFileSplicing) return;
  TIniFile& ini = *ConfigFileSplicing;
  Form25->Hide();
  SetCaption(ReadConfig(ini, cfg::config::Caption, cfg::config::kSplicingConsoleCaption));
  ApplyEnglishCaptionsSplicing();

  Form5->Label3->SetCaption(ReadConfig(ini, cfg::config::USER));
  Form24->Edit1->SetText(ReadConfig(ini, cfg::config::Name, cfg::config::kConsoleName));
  Form24->ComboBox1->SetItemIndex(cfg::ClampWallCount(ReadConfig(ini, cfg::config::Row)) - 1);
  Form24->ComboBox2->SetItemIndex(cfg::ClampWallCount(ReadConfig(ini, cfg::config::Col)) - 1);
  CheckBox1->SetChecked(ReadConfig(ini, cfg::setting::KJ));
  Form2->LoadSettings(ini);
  AdminPasswordSplicing = ReadConfig(ini, cfg::config::Password);
  Form3->LoadSettings(ini);
  LoadSceneList();

  // A logo that is missing or does not decode leaves the form's own, and the loading goes on.
  const String logo = ProgramFilePath(kConsoleLogoFile);
  if (FileExists(logo) && LoadPictureFile(Image1->Picture(), logo)) Form24->Image1->Picture()->Assign(Image1->Picture());

  Form1->Comm1->SetCommName("//./" + Form2->LinkSettings().ScreenPort);
  Label3->SetCaption(Form24->Edit1->Text());
  const int rows = Form24->ComboBox1->ItemIndex() + 1;
  const int columns = Form24->ComboBox2->ItemIndex() + 1;
  BuildWallGrid(rows, columns);
  Form3->LoadWiring(ini, rows, columns);

  const bool open = Form2->CheckBox1->Checked();
  if (Form2->SerialChosen()) {
    Form1->Comm1->SetCommName("//./" + Form2->LinkSettings().ScreenPort);
    OpenDeviceLinkSplicing(open);
  } else {
    OpenNetworkLinkSplicing(open);
  }
}

void TForm23::LoadSceneList() {
  ComboBox3->ResetEditValue();
  TStrings* items = ComboBox3->Properties()->Items();
  // Every show reads the names afresh rather than adding a second sixteen.
  items->Clear();
  for (int n = 1; n <= cfg::scene::kSceneCount; ++n)
    items->Add(cfg::scene::ReadSceneName(*ConfigFileSplicing, n, LanguageSplicing));
  ComboBox3->SetItemIndex(0);
}

void TForm23::BuildWallGrid(int Rows, int Columns) {
  LayOutWallGrid(stringgrid1, Rows, Columns);
  DefaultCellColorSplicing = stringgrid1->Color();
  SizeWallGridSplicing();
}

void TForm23::SizeWallGridSplicing() {
  SizeGridToWall(stringgrid1, Panel1->Width(), Panel1->Height());
  PageControl1->SetWidth(Width() - 410);
}

void TForm23::FormResize(TObject*) {
  // A resize can come while the window description is still being read.
  if (stringgrid1 && Panel1 && PageControl1) SizeWallGridSplicing();
}

// ---- Language, skin, clock, closing -----------------------------------------------------------------

void TForm23::BitbtnENCHClick(TObject*) {
  if (LanguageGuardSplicing) return;
  LanguageSplicing = LanguageSplicing == 1 ? 0 : 1;
  English1Click(this);
}

void TForm23::English1Click(TObject*) {
  if (ConfigFileSplicing) WriteConfig(*ConfigFileSplicing, cfg::config::Language, LanguageSplicing);
  Application->MessageBox("please restart this program !", Application->Title());
}

void TForm23::cbbSkinPropertiesChange(TObject*) { dxskncntrlrSkin->SetSkinName(cbbSkin->Text()); }

void TForm23::Timer1Timer(TObject*) {
  StatusBar1->Panels()->PanelAt(2)->SetText(StatusClockText(Now(), LanguageSplicing == 1));
}

void TForm23::FormClose(TObject*, TCloseAction&) {
  Form1->Comm1->ClosePort();
  if (ConfigFileSplicing) StoreSkinChoice(*ConfigFileSplicing, cbbSkin);
  ConfigFileSplicing.reset();
  Form18->Close();
}

void TForm23::EXIT1Click(TObject*) {
  // Leaving at once: no skin is stored and the port is left to the program's end.
  ConfigFileSplicing.reset();
  Application->Terminate();
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm23>();
  return true;
}();

}  // namespace
