#include "variants/HybridConsole.h"

#include "app/BootWindow.h"
#include "app/StartupChooser.h"
#include "console/CommSettings.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "console/PictureFile.h"
#include "console/VersionWindow.h"
#include "console/WallGrid.h"
#include "dialogs/PictureParametersConsoles.h"
#include "dialogs/SplicingSettingsHybrid.h"
#include "matrix/MatrixConfig.h"
#include "variants/SplicingConsole.h"

TForm33* Form33 = nullptr;

TForm33::TForm33(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormCreate", &TForm33::FormCreate);
  RegisterHandler("FormShow", &TForm33::FormShow);
  RegisterHandler("FormClose", &TForm33::FormClose);
  RegisterHandler("FormResize", &TForm33::FormResize);
  RegisterHandler("stringgrid1MouseUp", &TForm33::stringgrid1MouseUp);
  RegisterHandler("stringgrid1MouseDown", &TForm33::stringgrid1MouseDown);
  RegisterHandler("stringgrid1SelectCell", &TForm33::stringgrid1SelectCell);
  RegisterHandler("stringgrid1KeyPress", &TForm33::stringgrid1KeyPress);
  RegisterHandler("BitBtn1Click", &TForm33::BitBtn1Click);
  RegisterHandler("BitBtn2Click", &TForm33::BitBtn2Click);
  RegisterHandler("BitbtnENCHClick", &TForm33::BitbtnENCHClick);
  RegisterHandler("English1Click", &TForm33::English1Click);
  RegisterHandler("cbbSkinPropertiesChange", &TForm33::cbbSkinPropertiesChange);
  RegisterHandler("Timer1Timer", &TForm33::Timer1Timer);
  RegisterHandler("tmrTimingSetTimer", &TForm33::tmrTimingSetTimer);
  RegisterCellHandlers();
  RegisterCommandHandlers();
  RegisterSpliceHandlers();
}

TForm33::~TForm33() {
  if (tmrTimingSet) UnregisterTimedPower(tmrTimingSet);
  if (Form33 == this) Form33 = nullptr;
}

void TForm33::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  // Creation's first step: the flag is given where the window is made, so every handle the
  // window ever gets carries it.
  Params.ExStyle |= win::WS_EX_APPWINDOW;
}

void TForm33::Loaded() {
  TForm::Loaded();
#define VW_FIND(Name) FindComponent(Name, #Name)
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
  VW_FIND(rbChinese);
  VW_FIND(rbEnglish);
  VW_FIND(cxtbshtOther);
  VW_FIND(btnPlayMode);
  VW_FIND(cxLabel1);
  VW_FIND(cbbSkin);
  VW_FIND(btnBackColor);
  VW_FIND(btnTimeSet);
  VW_FIND(btnSubtitileSetting);
  VW_FIND(GBox1GBox);
  VW_FIND(Bitbtn9);
  VW_FIND(Panel1);
  VW_FIND(stringgrid1);
  VW_FIND(Panel4);
  VW_FIND(grpChanel);
  VW_FIND(Label1);
  VW_FIND(ComboBox4);
  VW_FIND(Label2);
  VW_FIND(ComboBox8);
  VW_FIND(cxchckbx1);
  VW_FIND(CheckBox3);
  VW_FIND(grpMatix);
  VW_FIND(Label7);
  VW_FIND(BitBtn8);
  VW_FIND(BitBtn10);
  VW_FIND(GroupBox6);
  VW_FIND(CheckBox1);
  VW_FIND(LabeledEdit10);
  VW_FIND(BitBtn5);
  VW_FIND(BitBtn6);
  VW_FIND(GroupBox3);
  VW_FIND(ComboBox3);
  VW_FIND(BitBtn12);
  VW_FIND(BitBtn13);
  VW_FIND(Button2);
  VW_FIND(Button4);
  VW_FIND(ComboBox1);
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
  VW_FIND(cxAsynParam);
  VW_FIND(Bitbtn);
  VW_FIND(Bitbtn161);
  VW_FIND(Memo1);
  VW_FIND(StatusBar1);
  VW_FIND(dxskncntrlrSkin);
  VW_FIND(Timer1);
  VW_FIND(tmrTimingSet);
  VW_FIND(tmrSceneSwitch);
  VW_FIND(Comm1);
  VW_FIND(Comm2);
  VW_FIND(Comm3);
  VW_FIND(socketClient);
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
  VW_FIND(N6);
  VW_FIND(ApartMode1);
  VW_FIND(nStill);
  VW_FIND(N7);
  VW_FIND(N8);
  VW_FIND(N12);
  VW_FIND(N9);
  VW_FIND(N10);
  VW_FIND(N11);
  VW_FIND(N13);
  VW_FIND(N14);
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

void TForm33::FormCreate(TObject*) {
  // (The task-bar button comes with the window's creation parameters.)
  FillSkinList(cbbSkin, ProgramFilePath(kSkinListFile));
  CellAddresses = std::make_unique<THybridCellTexts>();
  CellSignals = std::make_unique<THybridCellTexts>();
  CellNames = std::make_unique<THybridCellNames>();
  ConfigFileHybrid = OpenConfigFile();
  TIniFile& ini = *ConfigFileHybrid;
  // Choosing the stored skin applies it through the list's change event.
  cbbSkin->SetItemIndex(StoredSkinIndex(ini, cbbSkin));
  LanguageHybrid = ReadConfig(ini, cfg::config::Language);
  Form18->DebugMode = 0;
  N4->SetVisible(false);
  LanguageGuardHybrid = true;
  ReadTimedPower(TimedPowerFields(), tmrTimingSet, ini);
  BitbtnENCH->SetCaption(LanguageHybrid != 0 ? "中文" : "English");
  LanguageGuardHybrid = false;
  RegisterTimedPower(TimedPowerFields(), tmrTimingSet);
  AdminPasswordHybrid = ReadConfig(ini, cfg::config::Password);
}

// ---- Loading ----------------------------------------------------------------------------------------

void TForm33::FormShow(TObject*) {
  TIniFile& ini = *ConfigFileHybrid;
  Form25->Hide();
  SetCaption(ReadConfig(ini, cfg::config::Caption, cfg::config::kHybridConsoleCaption));
  ApplyEnglishCaptionsHybrid();

  Form5->Label3->SetCaption(ReadConfig(ini, cfg::config::USER));
  Form34->Edit1->SetText(ReadConfig(ini, cfg::config::Name, cfg::config::kConsoleName));
  // A size beyond the lists (and the cell model) is brought into 1 to 15.
  Form34->ComboBox1->SetItemIndex(cfg::ClampWallCount(ReadConfig(ini, cfg::config::Row)) - 1);
  Form34->ComboBox2->SetItemIndex(cfg::ClampWallCount(ReadConfig(ini, cfg::config::Col)) - 1);
  CheckBox1->SetChecked(ReadConfig(ini, cfg::setting::KJ));
  Form2->LoadSettings(ini);
  AdminPasswordHybrid = ReadConfig(ini, cfg::config::Password);
  Form3->LoadSettings(ini);
  LoadSceneList();

  // A logo that does not decode counts as missing: the stored pictures stay and the loading goes
  // on, as it must at every start.
  const String logo = ProgramFilePath(kConsoleLogoFile);
  if (FileExists(logo) && LoadPictureFile(Image1->Picture(), logo)) Form34->Image1->Picture()->Assign(Image1->Picture());

  Form1->NamePorts();
  Label3->SetCaption(Form34->Edit1->Text());
  const int rows = Form34->ComboBox1->ItemIndex() + 1;
  const int columns = Form34->ComboBox2->ItemIndex() + 1;
  LayOutWallGrid(stringgrid1, rows, columns);
  // The grid console's matrix linkage numbers the outputs by its own grid's size.
  Form1->stringgrid1->SetRowCount(rows + 1);
  Form1->stringgrid1->SetColCount(columns + 1);
  DefaultCellColorHybrid = stringgrid1->Color();
  SizeWallGridHybrid();
  Form3->LoadWiring(ini, rows, columns);

  RunLink(Form2->CheckBox1->Checked());

  initStringGrid();
  initCapableOption();
}

void TForm33::LoadSceneList() {
  ComboBox3->ResetEditValue();
  // Every show appends the sixteen names: the list is emptied first so a second show keeps sixteen.
  TStrings* items = ComboBox3->Properties()->Items();
  items->Clear();
  for (int n = 1; n <= cfg::scene::kSceneCount; ++n)
    items->Add(cfg::scene::ReadSceneName(*ConfigFileHybrid, n, LanguageHybrid));
  ComboBox3->SetItemIndex(0);
}

void TForm33::initCapableOption() {
  SendWallSync = false;
  const int type = ReadConfig(*ConfigFileHybrid, cfg::hybridGeneral::Type);
  // Types 0 to 2 offer the last one, two or four signal types; 3 to 5 the same with the
  // whole-wall synchronisation. Any other value leaves the list as it is.
  if (type >= 0 && type <= 5) {
    constexpr int kOffered[] = {1, 2, 4};
    OfferSignalTypes(kOffered[type % 3]);
    SendWallSync = type >= 3;
  }
  ComboBox4->SetItemIndex(0);
}

void TForm33::OfferSignalTypes(int Count) {
  TStrings* items = ComboBox4->Properties()->Items();
  items->Clear();
  for (int i = 4 - Count; i < 4; ++i) items->Add(cfg::kCellSignalTypes[i]);
}

// ---- The wall grid ------------------------------------------------------------------------------------

void TForm33::SizeWallGridHybrid() {
  SizeGridToWall(stringgrid1, Panel1->Width(), Panel1->Height());
  PageControl1->SetWidth(Width() - 410);
}

void TForm33::FormResize(TObject*) {
  // A resize can come while the window description is still being read.
  if (stringgrid1 && Panel1 && PageControl1) SizeWallGridHybrid();
}

void TForm33::stringgrid1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {}

void TForm33::stringgrid1SelectCell(TObject*, int, int, bool&) {}

void TForm33::stringgrid1MouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  const TGridRect selection = stringgrid1->Selection();
  auto copyTo = [&](auto* console) {
    console->SelectionLeft = selection.Left;
    console->SelectionTop = selection.Top;
    console->SelectionRight = selection.Right;
    console->SelectionBottom = selection.Bottom;
  };
  copyTo(this);
  // The shared senders and the grid console's matrix linkage address this selection whichever
  // console's fields they read.
  copyTo(Form23);
  copyTo(Form1);
  Form32->Label2->SetCaption(WallSelectionText(selection));
}

void TForm33::stringgrid1KeyPress(TObject*, TChar& Key) {
  Form18->DebugMode = IsServiceGesture(stringgrid1->Selection(), Key) ? 1 : 0;
  const bool debug = Form18->DebugMode != 0;
  Memo1->SetVisible(debug);
  N4->SetVisible(debug);
  UpdateControlStatesHybrid();
}

// ---- Links and senders ----------------------------------------------------------------------------------

TLinkConsole TForm33::LinkConsole() {
  TLinkConsole console;
  console.SetStatus = [this](const String& Text) { SetLinkStatus(StatusBar1, Text); };
  console.English = LanguageHybrid == 1;
  console.Texts = kHybridLinkTexts;
  console.LinkOpen = &Form18->LinkOpen;
  console.Refresh = [this] { UpdateControlStatesHybrid(); };
  return console;
}

void TForm33::RunLink(bool Open) {
  if (Form2->SerialChosen()) {
    Form1->NamePorts();
    OpenDeviceLinkHybrid(Open);
  } else {
    OpenNetworkLinkHybrid(Open);
  }
}

void TForm33::BitBtn1Click(TObject*) { RunLink(true); }

void TForm33::BitBtn2Click(TObject*) { RunLink(false); }

void TForm33::OpenDeviceLinkHybrid(bool Open) {
  ::OpenDeviceLink(Form1->Links(), Form2->LinkSettings(), LinkConsole(), Open);
}

void TForm33::OpenNetworkLinkHybrid(bool Open) {
  ::OpenNetworkLink(Form1->Links(), Form2->LinkSettings(), LinkConsole(), Open);
}

TTimedPowerFields TForm33::TimedPowerFields() {
  return {&PowerOnHour, &PowerOnMinute, &PowerOffHour, &PowerOffMinute, &TimedPowerEnabled, &TimedPowerRepeat};
}

void TForm33::tmrTimingSetTimer(TObject*) {
  TimedPowerTick(
      TimedPowerFields(), tmrTimingSet,
      [this](const TScreenFrame& frame) { SendScreenFrameHybrid(frame); },
      ConfigFileHybrid.get());
}

void TForm33::SendScreenFrameHybrid(int b1, int b2, int b3, int b4, int b5, int b6) {
  SendFrameOnScreenLink(Form1->Links(), Form2->LinkSettings(), {b1, b2, b3, b4, b5, b6}, Form18->DebugMode != 0,
                        {Form23->Memo1->Lines(), Memo1->Lines(), Form1->Memo1->Lines()});
}

void TForm33::SendScreenFrameHybrid(const TScreenFrame& Frame) {
  const TFrameBytes b = Frame.Bytes();
  SendScreenFrameHybrid(b[0], b[1], b[2], b[3], b[4], b[5]);
}

void TForm33::SendScreenCommandHybrid(int Command, int Value) {
  auto [start, end] = ActiveSelectionAddresses();
  // Before any selection the command goes to the first screen, never to address 00 00.
  if (start == 0 && end == 0) start = end = 0x11;
  SendScreenFrameHybrid(TScreenFrame::kHeader, start, end, Command, Value, TScreenFrame::kTrailer);
}

void TForm33::WriteRgbMatrixHybrid(const std::uint8_t* Data, std::uint16_t Length) {
  Form1->WriteRgbMatrix(Data, Length);
}

// ---- Closing --------------------------------------------------------------------------------------------

void TForm33::FormClose(TObject*, TCloseAction&) {
  Form1->Comm1->ClosePort();
  if (!ConfigFileHybrid) ConfigFileHybrid = OpenConfigFile();
  StoreSkinChoice(*ConfigFileHybrid, cbbSkin);
  ConfigFileHybrid.reset();
  Form18->Close();
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm33>();
  return true;
}();

}  // namespace
