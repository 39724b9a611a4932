#include "console/GridConsole.h"

#include <algorithm>
#include <type_traits>

#include "app/BootWindow.h"
#include "app/StartupChooser.h"
#include "console/CommSettings.h"
#include "console/Config.h"
#include "console/PictureFile.h"
#include "console/VersionWindow.h"
#include "console/WallGrid.h"
#include "dialogs/SplicingSettings.h"
#include "matrix/MatrixConfig.h"
#include "ui/skins/Skin.h"
#include "variants/HybridConsole.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormCreate", &TForm1::FormCreate);
  RegisterHandler("FormShow", &TForm1::FormShow);
  RegisterHandler("FormResize", &TForm1::FormResize);
  RegisterHandler("FormClose", &TForm1::FormClose);
  RegisterHandler("BitbtnENCHClick", &TForm1::BitbtnENCHClick);
  RegisterHandler("cbbSkinPropertiesChange", &TForm1::cbbSkinPropertiesChange);
  RegisterHandler("BitBtn1Click", &TForm1::BitBtn1Click);
  RegisterHandler("BitBtn2Click", &TForm1::BitBtn2Click);
  RegisterSpliceHandlers();
  RegisterSceneHandlers();
  RegisterWallHandlers();
  RegisterCommandHandlers();
  RegisterMatrixDialogHandlers();
  RegisterTimerHandlers();
}

TForm1::~TForm1() {
  if (tmrTimingSet) UnregisterTimedPower(tmrTimingSet);
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  // Creation's first step: the console has its own task-bar button. The flag is given where the
  // window is made, so every handle the window ever gets carries it.
  Params.ExStyle |= win::WS_EX_APPWINDOW;
}

void TForm1::Loaded() {
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
  VW_FIND(BitBtn18);
  VW_FIND(BitBtn3);
  VW_FIND(BitBtn4);
  VW_FIND(BitbtnENCH);
  VW_FIND(cxtbshtOther);
  VW_FIND(btnPlayMode);
  VW_FIND(cxLabel1);
  VW_FIND(cbbSkin);
  VW_FIND(btnBackColor);
  VW_FIND(btnTimeSet);
  VW_FIND(btnSubtitileSetting);
  VW_FIND(Bitbtn);
  VW_FIND(Panel4);
  VW_FIND(grpChanel);
  VW_FIND(Label1);
  VW_FIND(ComboBox4);
  VW_FIND(Label2);
  VW_FIND(ComboBox8);
  VW_FIND(ComboBox2);
  VW_FIND(grpMatix);
  VW_FIND(Label7);
  VW_FIND(CheckBox3);
  VW_FIND(BitBtn8);
  VW_FIND(BitBtn10);
  VW_FIND(GroupBox6);
  VW_FIND(LabeledEdit10);
  VW_FIND(CheckBox1);
  VW_FIND(chk1);
  VW_FIND(BitBtn5);
  VW_FIND(BitBtn6);
  VW_FIND(GroupBox3);
  VW_FIND(ComboBox3);
  VW_FIND(BitBtn12);
  VW_FIND(BitBtn13);
  VW_FIND(Button2);
  VW_FIND(Button4);
  VW_FIND(ComboBox1);
  VW_FIND(Panel1);
  VW_FIND(stringgrid1);
  VW_FIND(rzpnlBottom);
  VW_FIND(Image1);
  VW_FIND(Label3);
  VW_FIND(Memo1);
  VW_FIND(PageControl1);
  VW_FIND(TabSheet3);
  VW_FIND(GroupBox1);
  VW_FIND(RadioButton1);
  VW_FIND(RadioButton2);
  VW_FIND(RadioButton3);
  VW_FIND(rb);
  VW_FIND(LabeledEdit1);
  VW_FIND(LabeledEdit2);
  VW_FIND(BitBtn11);
  VW_FIND(TabSheet4);
  VW_FIND(GroupBox2);
  VW_FIND(RadioButton4);
  VW_FIND(RadioButton5);
  VW_FIND(Button1);
  VW_FIND(GroupBox4);
  VW_FIND(RadioButton9);
  VW_FIND(RadioButton10);
  VW_FIND(Button8);
  VW_FIND(GroupBox9);
  VW_FIND(rbRBit);
  VW_FIND(rbTBit);
  VW_FIND(btnRTDo);
  VW_FIND(CheckBox4);
  VW_FIND(CheckBox5);
  VW_FIND(BitBtn7);
  VW_FIND(Button3);
  VW_FIND(TabSheet1);
  VW_FIND(Button5);
  VW_FIND(tsDigitalPattern);
  VW_FIND(tsAddrSetting);
  VW_FIND(cxGroupBox4);
  VW_FIND(cxlbl1);
  VW_FIND(cxtxtdt1);
  VW_FIND(cxlbl2);
  VW_FIND(lblRow);
  VW_FIND(edtRow);
  VW_FIND(lblCol);
  VW_FIND(edtCol);
  VW_FIND(btnGetAddress);
  VW_FIND(BitbShowAddress);
  VW_FIND(btnSetAddr);
  VW_FIND(btnLock);
  VW_FIND(btnRefresh);
  VW_FIND(TabSheet6);
  VW_FIND(LabeledEdit6);
  VW_FIND(LabeledEdit3);
  VW_FIND(LabeledEdit4);
  VW_FIND(LabeledEdit5);
  VW_FIND(LabeledEdit11);
  VW_FIND(BitBtn9);
  VW_FIND(TabSheet7);
  VW_FIND(LabeledEdit8);
  VW_FIND(LabeledEdit9);
  VW_FIND(LabeledEdit7);
  VW_FIND(BitBtn15);
  VW_FIND(cxtbshtAgingModel);
  VW_FIND(rbOpenAM);
  VW_FIND(rbCloseAM);
  VW_FIND(cxtbshtLogo);
  VW_FIND(rbOpenLogo);
  VW_FIND(rbCloseLogo);
  VW_FIND(cxGroupBox3);
  VW_FIND(cxButton3);
  VW_FIND(cxButton4);
  VW_FIND(cxTabSheet1);
  VW_FIND(cxGroupBox5);
  VW_FIND(cxButton1);
  VW_FIND(cxButton2);
  VW_FIND(cxtbSceneSwitch);
  VW_FIND(StatusBar1);
  VW_FIND(dxskncntrlrSkin);
  VW_FIND(Timer1);
  VW_FIND(tmrTimingSet);
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
  VW_FIND(EDID1);
#undef VW_FIND
  for (int i = 0; i < 8; ++i) {
    const String n = IntToStr(i + 1);
    find(CheckBoxS[i], "CheckBoxS" + n);
    find(lbledtS[i], "lbledtS" + n);
    find(lbledtT[i], "lbledtT" + n);
    find(edtM[i], "edtM" + n);
  }
}

// ---- Creation ---------------------------------------------------------------------------------------

void FillSkinList(TcxComboBox* List, const String& FileName) {
  TStrings* items = List->Properties()->Items();
  items->Clear();
  try {
    ListSkinFileNames(FileName, items, false);
  } catch (const Exception&) {
    // A missing or damaged list leaves the console without skins, nothing worse.
    items->Clear();
  }
}

int StoredSkinIndex(TCustomIniFile& Ini, TcxComboBox* List) {
  TStrings* skins = List->Properties()->Items();
  const int skin = ReadConfig(Ini, cfg::SkinName::Skin, skins->IndexOf(cfg::SkinName::kDefaultSkin));
  // A stored index the list no longer reaches chooses nothing.
  return skin < -1 || skin >= skins->Count() ? -1 : skin;
}

void StoreSkinChoice(TCustomIniFile& Ini, TcxComboBox* List) {
  TStrings* skins = List->Properties()->Items();
  if (skins->Count() > 0) WriteConfig(Ini, cfg::SkinName::Skin, skins->IndexOf(List->Text()));
}

void TForm1::FormCreate(TObject*) {
  // (The task-bar button comes with the window's creation parameters.)
  FillSkinList(cbbSkin, ProgramFilePath(kSkinListFile));
  ConfigFile = OpenConfigFile();
  cbbSkin->SetItemIndex(StoredSkinIndex(*ConfigFile, cbbSkin));
  Language = ReadConfig(*ConfigFile, cfg::config::Language);
  Form18->DebugMode = 0;
  N4->SetVisible(false);
  LanguageGuard = true;
  ReadTimedPower(TimedPowerFields(), tmrTimingSet, *ConfigFile);
  BitbtnENCH->SetCaption(Language == 0 ? "English" : "中文");
  LanguageGuard = false;
  RegisterTimedPower(TimedPowerFields(), tmrTimingSet);
  AdminPassword = ReadConfig(*ConfigFile, cfg::config::Password);
}

// ---- Loading ----------------------------------------------------------------------------------------

void TForm1::FormShow(TObject*) {
  TIniFile& ini = *ConfigFile;
  Form25->Hide();
  // The browsing edits still hold what they held before this show's loading fills them.
  SignalBrowseInput = StrToIntDef(LabeledEdit6->Text(), 0);
  SceneBrowseScene = StrToIntDef(LabeledEdit8->Text(), 0);
  SignalBrowseTicks = 0;
  SceneBrowseTicks = 0;
  SetCaption(ReadConfig(ini, cfg::config::Caption, cfg::config::kGridConsoleCaption));
  ApplyEnglishCaptions();

  Form5->Label3->SetCaption(ReadConfig(ini, cfg::config::USER));
  Form15->Edit1->SetText(ReadConfig(ini, cfg::config::Name, cfg::config::kConsoleName));
  Form15->ComboBox1->SetItemIndex(cfg::ClampWallCount(ReadConfig(ini, cfg::config::Row)) - 1);
  Form15->ComboBox2->SetItemIndex(cfg::ClampWallCount(ReadConfig(ini, cfg::config::Col)) - 1);

  CheckBox4->SetChecked(ReadConfig(ini, cfg::setting::Jzll));
  CheckBox5->SetChecked(ReadConfig(ini, cfg::setting::Yall));
  CheckBox1->SetChecked(ReadConfig(ini, cfg::setting::KJ));
  Form2->LoadSettings(ini);
  AdminPassword = ReadConfig(ini, cfg::config::Password);
  LoadSceneSlots();
  Form3->LoadSettings(ini);
  LoadSceneList();

  LabeledEdit3->SetText(ReadConfig(ini, cfg::scene::Matrix1));
  LabeledEdit4->SetText(ReadConfig(ini, cfg::scene::Matrix2));
  LabeledEdit5->SetText(ReadConfig(ini, cfg::scene::Matrix3));
  LabeledEdit6->SetText(ReadConfig(ini, cfg::scene::Matrix4));
  LabeledEdit11->SetText(ReadConfig(ini, cfg::scene::Matrix5));
  LabeledEdit7->SetText(ReadConfig(ini, cfg::scene::TimeC));
  LabeledEdit8->SetText(ReadConfig(ini, cfg::scene::SceneA));
  LabeledEdit9->SetText(ReadConfig(ini, cfg::scene::SceneB));

  const String logo = ProgramFilePath(kConsoleLogoFile);
  if (FileExists(logo) && LoadPictureFile(Image1->Picture(), logo)) Form15->Image1->Picture()->Assign(Image1->Picture());

  NamePorts();
  Label3->SetCaption(Form15->Edit1->Text());
  const int rows = Form15->ComboBox1->ItemIndex() + 1;
  const int columns = Form15->ComboBox2->ItemIndex() + 1;
  BuildWallGrid(rows, columns);
  Form3->LoadWiring(ini, rows, columns);

  const bool open = Form2->CheckBox1->Checked();
  if (Form2->rbSerial->Checked()) {
    NamePorts();
    OpenDeviceLink(open);
  } else {
    OpenNetworkLink(open);
  }

  ComboBox4->SetItemIndex(ReadConfig(ini, cfg::setting::SignalIndex));
  CheckBox3->SetChecked(ReadConfig(ini, cfg::setting::Linkage));
  LoadMatrixInputNames();
}

void TForm1::LoadSceneSlots() {
  TIniFile& ini = *ConfigFile;
  for (int n = 1; n <= cfg::SceneSwitch::kSlotCount; ++n) {
    lbledtS[n - 1]->SetText(ReadConfig(ini, cfg::SceneSwitch::V(n)));
    lbledtT[n - 1]->SetText(ReadConfig(ini, cfg::SceneSwitch::H(n)));
    edtM[n - 1]->SetText(ReadConfig(ini, cfg::SceneSwitch::M(n)));
    if (ReadConfig(ini, cfg::SceneSwitch::Switch(n))) {
      // Ticking records the slots; a stored value that is no number is reported, and the rest of
      // the loading still runs.
      try {
        CheckBoxS[n - 1]->SetChecked(true);
      } catch (...) {
        Application->HandleException(this);
      }
      tmrSceneSwitch->SetEnabled(true);
    } else {
      CheckBoxS[n - 1]->SetChecked(false);
    }
  }
}

void TForm1::LoadSceneList() {
  ComboBox3->ResetEditValue();
  TStrings* items = ComboBox3->Properties()->Items();
  for (int n = 1; n <= cfg::scene::kSceneCount; ++n) items->Add(cfg::scene::ReadSceneName(*ConfigFile, n, Language));
  ComboBox3->SetItemIndex(0);
}

void TForm1::LoadMatrixInputNames() {
  TStrings* items = ComboBox8->Properties()->Items();
  for (int i = 0; i < items->Count(); ++i)
    items->SetStrings(i, ReadConfig(*ConfigFile, cfg::maxtixname::Input(i), items->Strings(i)));
  ComboBox8->SetItemIndex(0);
}

// ---- The wall grid ------------------------------------------------------------------------------------

void TForm1::BuildWallGrid(int Rows, int Columns) {
  LayOutWallGrid(stringgrid1, Rows, Columns);
  DefaultCellColor = stringgrid1->Color();
  SizeWallGrid();
}

void SizeGridToWall(TStringGrid* Grid, int Width, int Height) {
  const int columns = Grid->ColCount() - 1;
  const int rows = Grid->RowCount() - 1;
  if (columns > 0)
    for (int c = 1; c <= columns; ++c) Grid->SetColWidths(c, (Width - 32) / columns);
  if (rows > 0)
    for (int r = 1; r <= rows; ++r) Grid->SetRowHeights(r, (Height - 32) / rows);
}

void TForm1::SizeWallGrid() {
  SizeGridToWall(stringgrid1, Panel1->Width(), Panel1->Height());
  // The hybrid-matrix console's grid shares the wall size this routine applies.
  if (Form33 && Form33->stringgrid1) SizeGridToWall(Form33->stringgrid1, Form33->Panel1->Width(), Form33->Panel1->Height());
  PageControl1->SetWidth(Width() - 410);
}

void TForm1::FormResize(TObject*) {
  // A resize can come while the window description is still being read.
  if (stringgrid1 && Panel1 && PageControl1) SizeWallGrid();
}

// ---- Language, skin, closing ------------------------------------------------------------------------

void TForm1::BitbtnENCHClick(TObject*) {
  if (LanguageGuard) return;
  Language = Language == 1 ? 0 : 1;
  WriteConfig(*ConfigFile, cfg::config::Language, Language);
  Application->MessageBox("please restart this program !", Application->Title());
}

void TForm1::cbbSkinPropertiesChange(TObject*) { dxskncntrlrSkin->SetSkinName(cbbSkin->Text()); }

void TForm1::FormClose(TObject*, TCloseAction&) {
  Comm1->ClosePort();
  if (!ConfigFile) ConfigFile = OpenConfigFile();
  StoreSkinChoice(*ConfigFile, cbbSkin);
  ConfigFile.reset();
  Form18->Close();
}

void SetLinkStatus(TdxStatusBar* StatusBar, const String& Text) { StatusBar->Panels()->PanelAt(0)->SetText(Text); }

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm1>();
  return true;
}();

}  // namespace
