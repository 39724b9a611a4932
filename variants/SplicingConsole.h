#pragma once
// The splicing console: the console window of console kind 2, for walls whose screens splice and
// choose their inputs themselves. It has no matrices: every command is a screen frame on the grid
// console's screen link. Created once at start and kept until the program ends, like every window.
#include <cstdint>
#include <memory>

#include "console/DeviceLinks.h"
#include "console/TimedPower.h"
#include "console/serial/Comm.h"
#include "platform/classes/Dialogs.h"
#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "platform/classes/Grids.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/Menus.h"
#include "platform/classes/StdCtrls.h"
#include "platform/classes/TcpClient.h"
#include "platform/classes/Timer.h"
#include "ui/choice/Button.h"
#include "ui/choice/CheckBox.h"
#include "ui/choice/GroupBox.h"
#include "ui/choice/Label.h"
#include "ui/choice/RadioButton.h"
#include "ui/editors/ComboBox.h"
#include "ui/editors/TextEdit.h"
#include "ui/pages/PageControl.h"
#include "ui/pages/StatusBar.h"
#include "ui/panels/Panel.h"
#include "ui/skins/SkinController.h"

class TForm23 : public TForm {
  VW_CLASS(TForm23, TForm)
 public:
  explicit TForm23(TComponent* AOwner);
  ~TForm23() override;

  // Port names only: the console sends on the grid console's links.
  TComm* Comm1 = nullptr;
  TComm* Comm2 = nullptr;
  TComm* Comm3 = nullptr;
  TTcpClient* socketClient = nullptr;

  // The top band's pages.
  TcxGroupBox* cxgrpbxTop = nullptr;
  TcxPageControl* cxpgcntrlTop = nullptr;
  TcxTabSheet* tsSerialSetting = nullptr;
  TcxButton* BitBtn1 = nullptr;  // connect
  TcxButton* BitBtn2 = nullptr;  // disconnect
  TcxTabSheet* tsSystemSetting = nullptr;
  TcxButton* BitBtn16 = nullptr;    // communication settings
  TcxButton* BitBtn17 = nullptr;    // splicing settings
  TcxButton* BitBtn3 = nullptr;     // administrator
  TcxButton* BitBtn4 = nullptr;     // version
  TcxButton* BitbtnENCH = nullptr;  // language
  TcxRadioButton* rbChinese = nullptr;
  TcxRadioButton* rbEnglish = nullptr;
  TcxTabSheet* cxtbshtOther = nullptr;
  TcxButton* btnPlayMode = nullptr;
  TcxLabel* cxLabel1 = nullptr;  // "skin"
  TcxComboBox* cbbSkin = nullptr;
  TcxButton* btnBackColor = nullptr;
  TcxButton* btnTimeSet = nullptr;
  TcxButton* btnSubtitileSetting = nullptr;
  TcxButton* Bitbtn9 = nullptr;  // virtual remote

  // The right panel: signals, scenes, power.
  TPanel* Panel4 = nullptr;
  TcxGroupBox* grpChanel = nullptr;
  TRzPanel* rzpnlVIDEO = nullptr;
  TRzPanel* rzpnlVGA = nullptr;
  TRzPanel* rzpnlDVI = nullptr;
  TRzPanel* rzpnlHDMI = nullptr;
  TRzPanel* rzpnlVIDEO2 = nullptr;  // "MEDIA"
  TcxButton* BitBtn8 = nullptr;     // splice
  TcxButton* BitBtn10 = nullptr;    // single display
  TcxGroupBox* GroupBox3 = nullptr;
  TcxComboBox* ComboBox3 = nullptr;  // the scene list
  TcxButton* BitBtn12 = nullptr;     // save scene
  TcxButton* BitBtn13 = nullptr;     // recall scene
  TcxButton* Button2 = nullptr;      // rename scene
  TcxButton* Button4 = nullptr;      // mini panel
  TcxComboBox* ComboBox1 = nullptr;  // signal types (hidden)
  TcxGroupBox* GroupBox6 = nullptr;
  TcxCheckBox* CheckBox1 = nullptr;       // delayed power-on
  TLabeledEdit* LabeledEdit10 = nullptr;  // seconds between delayed power-ons
  TcxButton* BitBtn5 = nullptr;           // power on
  TcxButton* BitBtn6 = nullptr;           // standby

  // The wall.
  TcxGroupBox* Panel1 = nullptr;
  TStringGrid* stringgrid1 = nullptr;

  // The bottom band.
  TRzPanel* rzpnlBottom = nullptr;
  TImage* Image1 = nullptr;                // the logo
  TcxGroupBox* Label3 = nullptr;           // its caption is the wall's name
  TcxPageControl* PageControl1 = nullptr;  // the service pages
  TcxTabSheet* TabSheet3 = nullptr;        // temperature
  TcxGroupBox* GroupBox1 = nullptr;
  TcxRadioButton* RadioButton1 = nullptr;  // fan always on
  TcxRadioButton* RadioButton2 = nullptr;  // fan always off
  TcxRadioButton* RadioButton3 = nullptr;  // fan automatic
  TcxButton* BitBtn11 = nullptr;
  TcxTabSheet* TabSheet4 = nullptr;  // test
  TcxGroupBox* GroupBox2 = nullptr;  // panel type
  TcxRadioButton* RadioButton4 = nullptr;
  TcxRadioButton* RadioButton5 = nullptr;
  TcxRadioButton* rb1 = nullptr;
  TcxButton* Button1 = nullptr;
  TcxGroupBox* GroupBox4 = nullptr;  // A/B swap
  TcxRadioButton* RadioButton9 = nullptr;
  TcxRadioButton* RadioButton10 = nullptr;
  TcxButton* Button8 = nullptr;
  TcxButton* BitBtn7 = nullptr;  // manual debugging
  TcxTabSheet* cxtbsht1 = nullptr;  // synchronisation
  TcxLabel* lbl1 = nullptr;
  TcxTextEdit* edt1 = nullptr;
  TcxButton* Bitbtn = nullptr;     // send the delay
  TcxButton* Bitbtn161 = nullptr;  // synchronise at once
  TMemo* Memo1 = nullptr;          // the frame log, shown in engineering mode
  TdxStatusBar* StatusBar1 = nullptr;

  // Non-visual parts.
  TdxSkinController* dxskncntrlrSkin = nullptr;
  TTimer* Timer1 = nullptr;
  TTimer* tmrTimingSet = nullptr;
  TTimer* tmr1 = nullptr;  // lifts the pressed signal panel
  TTimer* tmrSceneSwitch = nullptr;
  TColorDialog* dlgColor = nullptr;
  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* FILE1 = nullptr;
  TMenuItem* N3 = nullptr;
  TMenuItem* EXIT1 = nullptr;
  TMenuItem* SETTING1 = nullptr;
  TMenuItem* WALL1 = nullptr;
  TMenuItem* CONFIG1 = nullptr;
  TMenuItem* N5 = nullptr;
  TMenuItem* N1 = nullptr;
  TMenuItem* English1 = nullptr;
  TMenuItem* N2 = nullptr;
  TMenuItem* N4 = nullptr;  // manual debugging, shown in engineering mode
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* nStill = nullptr;
  TMenuItem* N7 = nullptr;  // image adjustment
  TMenuItem* N8 = nullptr;
  TMenuItem* N12 = nullptr;
  TMenuItem* N9 = nullptr;
  TMenuItem* N10 = nullptr;
  TMenuItem* N11 = nullptr;
  TMenuItem* N15 = nullptr;  // hidden
  TMenuItem* N16 = nullptr;
  TMenuItem* N19 = nullptr;
  TMenuItem* N20 = nullptr;
  TMenuItem* N17 = nullptr;
  TMenuItem* N21 = nullptr;
  TMenuItem* N22 = nullptr;
  TMenuItem* N18 = nullptr;

  // "cfg.ini", open from creation until the console closes or the program is left.
  std::unique_ptr<TIniFile> ConfigFileSplicing;
  // cfg.ini [config] language: 1 English, other values Chinese. The password window reads it too.
  int LanguageSplicing = 0;
  // Set while creation captions the language button: the button's handler then does nothing.
  bool LanguageGuardSplicing = false;
  // The grid's cell colour as it was when the grid was built.
  TColor DefaultCellColorSplicing = clCream;
  // cfg.ini [config] password, which the password window checks and replaces.
  String AdminPasswordSplicing;
  // The signal panel pressed last; the release timer raises it again.
  TRzPanel* PressedSignalPanel = nullptr;

  // The wall selection: first and last column and row, from 1; 0 until the first release.
  int SelectionLeft = 0;
  int SelectionTop = 0;
  int SelectionRight = 0;
  int SelectionBottom = 0;
  // The timed power: [timesetting] as read at creation.
  int PowerOnHour = 0;
  int PowerOnMinute = 0;
  int PowerOffHour = 0;
  int PowerOffMinute = 0;
  int TimedPowerEnabled = 0;
  int TimedPowerRepeat = 0;

  // Creation, loading, language, skin, clock and closing (SplicingConsole.cpp).
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormResize(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void EXIT1Click(TObject* Sender);
  void BitbtnENCHClick(TObject* Sender);
  void English1Click(TObject* Sender);
  void cbbSkinPropertiesChange(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  // This window's texts, and those of the dialogs it shares, in the interface language.
  void ApplyEnglishCaptionsSplicing();

  // The wall grid, the links and the control states (SplicingConsoleWall.cpp).
  void stringgrid1DrawCell(TObject* Sender, int ACol, int ARow, win::RECT Rect, TGridDrawState State);
  void stringgrid1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void stringgrid1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void stringgrid1SelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
  void stringgrid1KeyPress(TObject* Sender, TChar& Key);
  void BitBtn1Click(TObject* Sender);
  void BitBtn2Click(TObject* Sender);
  // Shares the wall's area among the grid's data rows and columns and widens the service pages
  // with the window; the splicing settings call it after a size change.
  void SizeWallGridSplicing();
  // Opens or closes the screen port alone; the matrix ports are not this console's.
  void OpenDeviceLinkSplicing(bool Open);
  void OpenNetworkLinkSplicing(bool Open);
  void UpdateControlStatesSplicing();
  // This console's controls that follow the user level, the link and the service mode.
  void ApplyControlStates(bool Admin, bool LinkOpen, bool Debug);

  // Commands, senders and signal panels (SplicingConsoleCommands.cpp).
  void SendScreenFrameSplicing(int b1, int b2, int b3, int b4, int b5, int b6);
  // To the wall selection of the active console kind; 11 11 before any selection. The splicing
  // settings send through here too.
  void SendScreenCommandSplicing(int Command, int Value);
  void BitBtn5Click(TObject* Sender);
  void BitBtn8Click(TObject* Sender);
  void BitBtn11Click(TObject* Sender);
  void BitBtn12Click(TObject* Sender);
  void BitBtn13Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button8Click(TObject* Sender);
  void BitbtnClick(TObject* Sender);
  void tmr1Timer(TObject* Sender);
  void tmrTimingSetTimer(TObject* Sender);
  // The six timed-power fields, as the timed power routines take them.
  TTimedPowerFields TimedPowerFields();

 protected:
  // A console has a task-bar button of its own; the application window has none.
  void CreateParams(TCreateParams& Params) override;
  void Loaded() override;

 private:
  TLinkConsole LinkConsole();
  // Names the screen port, and this console's two idle ports, after the communication settings.
  void NamePorts();
  // The connect and disconnect buttons: the serial link or the bridge, as the settings choose.
  void ConnectLink(bool Open);
  void LoadSceneList();
  void BuildWallGrid(int Rows, int Columns);
  void RegisterWallHandlers();
  void RegisterCommandHandlers();
  void PressSignalPanel(TRzPanel* Panel, int Value);
  // Both frames of a two-step screen command, the second after its pause.
  void SendFramePair(int Address1, int Address2, int Command1, int Command2, int Value, std::int64_t PauseMs);
};

extern TForm23* Form23;
