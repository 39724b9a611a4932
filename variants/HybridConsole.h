#pragma once
// The hybrid-matrix console: the console window of console kind 3, for walls whose screens loop a
// signal through to each other. Created once at start and kept until the program ends, like every
// window. It has no device link of its own: it sends on the grid console's ports and TCP client,
// and keeps its wall size, name and logo in its splicing settings dialog (TForm34).
#include <array>
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

// The cell model's arrays: the wall is at most 15 × 15 screens, the arrays are 25 × 25 (and four
// signal names per cell), indexed [row − 1][column − 1].
inline constexpr int kHybridCellRows = 25;
inline constexpr int kHybridCellColumns = 25;
using THybridCellTexts = std::array<std::array<String, kHybridCellColumns>, kHybridCellRows>;
using THybridCellNames = std::array<std::array<std::array<String, 4>, kHybridCellColumns>, kHybridCellRows>;

class TForm33 : public TForm {
  VW_CLASS(TForm33, TForm)
 public:
  explicit TForm33(TComponent* AOwner);
  ~TForm33() override;

  // The top band's pages.
  TcxGroupBox* cxgrpbxTop = nullptr;
  TcxPageControl* cxpgcntrlTop = nullptr;
  TcxTabSheet* tsSerialSetting = nullptr;
  TcxButton* BitBtn1 = nullptr;  // connect
  TcxButton* BitBtn2 = nullptr;  // disconnect
  TcxTabSheet* tsSystemSetting = nullptr;
  TcxButton* BitBtn16 = nullptr;    // communication settings
  TcxButton* BitBtn17 = nullptr;    // splicing settings
  TcxButton* BitBtn18 = nullptr;    // matrix configuration
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
  TcxGroupBox* GBox1GBox = nullptr;  // shown by the factory login
  TcxButton* Bitbtn9 = nullptr;      // virtual remote

  // The wall.
  TcxGroupBox* Panel1 = nullptr;
  TStringGrid* stringgrid1 = nullptr;

  // The right panel: signal choice, power, scenes.
  TPanel* Panel4 = nullptr;
  TcxGroupBox* grpChanel = nullptr;
  TcxLabel* Label1 = nullptr;
  TcxComboBox* ComboBox4 = nullptr;  // the signal-type picker
  TcxLabel* Label2 = nullptr;
  TcxComboBox* ComboBox8 = nullptr;  // the matrix input
  TcxCheckBox* cxchckbx1 = nullptr;  // window mode
  TcxCheckBox* CheckBox3 = nullptr;  // matrix linkage
  TcxGroupBox* grpMatix = nullptr;
  TcxLabel* Label7 = nullptr;  // the make of the current signal type's matrix
  TcxButton* BitBtn8 = nullptr;   // splice
  TcxButton* BitBtn10 = nullptr;  // single display
  TcxGroupBox* GroupBox6 = nullptr;
  TcxCheckBox* CheckBox1 = nullptr;       // delayed power-on
  TLabeledEdit* LabeledEdit10 = nullptr;  // seconds between delayed power-ons
  TcxButton* BitBtn5 = nullptr;           // power on
  TcxButton* BitBtn6 = nullptr;           // standby
  TcxGroupBox* GroupBox3 = nullptr;
  TcxComboBox* ComboBox3 = nullptr;  // the scene list
  TcxButton* BitBtn12 = nullptr;     // save scene
  TcxButton* BitBtn13 = nullptr;     // recall scene
  TcxButton* Button2 = nullptr;      // rename scene
  TcxButton* Button4 = nullptr;      // mini panel
  TcxComboBox* ComboBox1 = nullptr;  // the current signal type (hidden)

  // The bottom band.
  TRzPanel* rzpnlBottom = nullptr;
  TImage* Image1 = nullptr;       // the logo
  TcxGroupBox* Label3 = nullptr;  // its caption is the wall's name
  TcxPageControl* PageControl1 = nullptr;  // the service pages, shown in engineering mode
  TcxTabSheet* TabSheet3 = nullptr;        // temperature
  TcxGroupBox* GroupBox1 = nullptr;        // fan mode
  TcxRadioButton* RadioButton1 = nullptr;
  TcxRadioButton* RadioButton2 = nullptr;
  TcxRadioButton* RadioButton3 = nullptr;
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
  TcxButton* BitBtn7 = nullptr;       // the debug sender
  TcxTabSheet* cxtbsht1 = nullptr;    // synchronisation
  TcxLabel* lbl1 = nullptr;
  TcxTextEdit* cxAsynParam = nullptr;
  TcxButton* Bitbtn = nullptr;
  TcxButton* Bitbtn161 = nullptr;
  TMemo* Memo1 = nullptr;  // the frame log, shown in engineering mode

  TdxStatusBar* StatusBar1 = nullptr;

  // Non-visual parts. The console's own ports, client and colour dialog are never opened.
  TdxSkinController* dxskncntrlrSkin = nullptr;
  TTimer* Timer1 = nullptr;  // the clock
  TTimer* tmrTimingSet = nullptr;
  TTimer* tmrSceneSwitch = nullptr;
  TComm* Comm1 = nullptr;
  TComm* Comm2 = nullptr;
  TComm* Comm3 = nullptr;
  TTcpClient* socketClient = nullptr;
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
  // The grid's popup, in menu order; code reaches the items by name.
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* N6 = nullptr;          // signal select
  TMenuItem* ApartMode1 = nullptr;  // back to local
  TMenuItem* nStill = nullptr;
  TMenuItem* N7 = nullptr;  // image adjustment
  TMenuItem* N8 = nullptr;
  TMenuItem* N12 = nullptr;
  TMenuItem* N9 = nullptr;
  TMenuItem* N10 = nullptr;
  TMenuItem* N11 = nullptr;
  TMenuItem* N13 = nullptr;
  TMenuItem* N14 = nullptr;
  TMenuItem* N15 = nullptr;  // special regulation
  TMenuItem* N16 = nullptr;
  TMenuItem* N19 = nullptr;
  TMenuItem* N20 = nullptr;
  TMenuItem* N17 = nullptr;
  TMenuItem* N21 = nullptr;
  TMenuItem* N22 = nullptr;
  TMenuItem* N18 = nullptr;

  // "cfg.ini", open from creation to closing.
  std::unique_ptr<TIniFile> ConfigFileHybrid;
  // cfg.ini [config] language: 1 English, other values Chinese captions; the clock's weekdays are
  // Chinese only for 0. The login window reads it too.
  int LanguageHybrid = 0;
  // Set while creation captions the language button: the button's handler then does nothing.
  bool LanguageGuardHybrid = false;
  // The grid's cell colour as it was when the grid was built.
  TColor DefaultCellColorHybrid = clCream;
  // cfg.ini [config] password, which the login window accepts.
  String AdminPasswordHybrid;

  // The wall selection: first and last column and row, from 1; 0 until the first mouse release.
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

  // The cell model, made at creation with every text empty; the console's loading fills it.
  std::unique_ptr<THybridCellTexts> CellAddresses;
  std::unique_ptr<THybridCellTexts> CellSignals;
  std::unique_ptr<THybridCellNames> CellNames;
  // The splice adds whole-wall synchronisation frames.
  bool SendWallSync = false;
  // The window's source cell, from 1, and whether one has been chosen.
  int SignalSourceRow = 1;
  int SignalSourceCol = 1;
  bool IsSignalSelected = false;
  // The cell the signal rename dialog works on, from 1.
  int RenameRow = 1;
  int RenameCol = 1;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormResize(TObject* Sender);
  void stringgrid1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void stringgrid1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void stringgrid1SelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
  void stringgrid1KeyPress(TObject* Sender, TChar& Key);
  void BitBtn1Click(TObject* Sender);
  void BitBtn2Click(TObject* Sender);

  // Language, captions, skin and clock (HybridConsoleCaptions.cpp).
  void ApplyEnglishCaptionsHybrid();
  void BitbtnENCHClick(TObject* Sender);
  void English1Click(TObject* Sender);
  void cbbSkinPropertiesChange(TObject* Sender);
  void Timer1Timer(TObject* Sender);

  // Shares the wall's area among this console's grid rows and columns and widens the service
  // pages with the window.
  void SizeWallGridHybrid();

  // Open (or close) the grid console's serial ports or TCP client, reporting in this console.
  void OpenDeviceLinkHybrid(bool Open);
  void OpenNetworkLinkHybrid(bool Open);
  // Sets the controls of the three consoles and of the picture dialog that follow the link, the
  // user level and the service mode, from the boot window's flags.
  void UpdateControlStatesHybrid();

  // The screen frame and the screen command of this console and of the dialogs it opens.
  void SendScreenFrameHybrid(int b1, int b2, int b3, int b4, int b5, int b6);
  void SendScreenFrameHybrid(const TScreenFrame& Frame);
  // The timed power on this console's own fields (the shared rule of every console's power timer).
  void tmrTimingSetTimer(TObject* Sender);
  TTimedPowerFields TimedPowerFields();
  void SendScreenCommandHybrid(int Command, int Value);
  void WriteRgbMatrixHybrid(const std::uint8_t* Data, std::uint16_t Length);

  // The cell model from "cfg.ini", and the signal types the console offers; the last steps of
  // the loading.
  void initStringGrid();
  void initCapableOption();
  // The cell model's drawing and editing (HybridConsoleCells.cpp).
  void RegisterCellHandlers();
  void stringgrid1DrawCell(TObject* Sender, int ACol, int ARow, win::RECT Rect, TGridDrawState State);
  void stringgrid1DblClick(TObject* Sender);
  void cellSignalChange(const String& Name);
  void N6Click(TObject* Sender);
  void ApartMode1Click(TObject* Sender);
  // The local word of the loaded model, by the console's language.
  String LocalWordHybrid() const;

  // Scenes, power, the service pages' settings, the popup's commands and the windows the buttons
  // open (HybridConsoleCommands.cpp).
  void RegisterCommandHandlers();
  void BitBtn5Click(TObject* Sender);
  void BitBtn11Click(TObject* Sender);
  void BitBtn12Click(TObject* Sender);
  void BitBtn13Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button8Click(TObject* Sender);
  void BitbtnClick(TObject* Sender);
  void N8Click(TObject* Sender);
  // Two commands with one value, 200 ms apart: to the wall selection, or to the whole wall.
  void SendCommandPairHybrid(int Command1, int Command2, int Value);
  void SendWallPairHybrid(int Command1, int Command2, int Value);

  // The splice, the single display, the signal-type picker and the window-mode and linkage boxes
  // (HybridConsoleSplice.cpp).
  void RegisterSpliceHandlers();
  void BitBtn8Click(TObject* Sender);
  void BitBtn10Click(TObject* Sender);
  void ComboBox4PropertiesChange(TObject* Sender);
  void ComboBox4PropertiesCloseUp(TObject* Sender);
  void ComboBox4DblClick(TObject* Sender);
  void ComboBox8PropertiesChange(TObject* Sender);
  void cxchckbx1Click(TObject* Sender);
  void CheckBox3Click(TObject* Sender);
  // Applies the picked signal type: to the hidden list, the scene list, the grid console's picker,
  // the wall selection's screens and the grid selection's cells.
  void ComboBox4Operate();

 protected:
  // A console has a task-bar button of its own; the application window has none.
  void CreateParams(TCreateParams& Params) override;
  void Loaded() override;

 private:
  TLinkConsole LinkConsole();
  // Names the grid console's ports after the communication settings and opens or closes them,
  // or the TCP client, by the link chosen there.
  void RunLink(bool Open);
  void LoadSceneList();
  // The signal-type picker offers the last Count of VIDEO, VGA, DVI, HDMI.
  void OfferSignalTypes(int Count);

  // The splice's three ways: a window inside the grid selection, a matrix input routed to the
  // wall selection, a window over the whole wall that the cell model records.
  void SpliceWindowHybrid();
  void SpliceLinkedHybrid();
  void SpliceWallHybrid();
  // One frame to one screen, and one to the whole wall (0x11 to the grid's last screen).
  void SendToScreenHybrid(int Address, int Command, int Value);
  void SendToWallHybrid(int Command, int Value);
};

extern TForm33* Form33;
