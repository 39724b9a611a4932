#pragma once
// The grid console: the console window of console kind 1.
// Created once at start and kept until the program ends, like every window. It owns the program's
// device links: every console and dialog sends on its ports and TCP client. Its settings live in
// its controls and in those of the dialogs it loads at show: every routine reads them from there.
#include <array>
#include <cstdint>
#include <memory>
#include <utility>

#include "console/DeviceLinks.h"
#include "console/ScreenFrame.h"
#include "console/TimedPower.h"
#include "console/serial/Comm.h"
#include "matrix/PresetCommands.h"
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
#include "ui/editors/Memo.h"
#include "ui/editors/TextEdit.h"
#include "ui/pages/PageControl.h"
#include "ui/pages/StatusBar.h"
#include "ui/panels/Panel.h"
#include "ui/skins/SkinController.h"

class TForm1 : public TForm {
  VW_CLASS(TForm1, TForm)
 public:
  explicit TForm1(TComponent* AOwner);
  ~TForm1() override;

  // Links.
  TComm* Comm1 = nullptr;  // the screens
  TComm* Comm2 = nullptr;  // port A: the video matrix
  TComm* Comm3 = nullptr;  // port B: the RGB matrix
  TTcpClient* socketClient = nullptr;

  // The top band's pages.
  TcxGroupBox* cxgrpbxTop = nullptr;
  TcxPageControl* cxpgcntrlTop = nullptr;
  TcxTabSheet* tsSerialSetting = nullptr;
  TcxButton* BitBtn1 = nullptr;   // connect
  TcxButton* BitBtn2 = nullptr;   // disconnect
  TcxTabSheet* tsSystemSetting = nullptr;
  TcxButton* BitBtn16 = nullptr;  // communication settings
  TcxButton* BitBtn17 = nullptr;  // splicing settings
  TcxButton* BitBtn18 = nullptr;  // matrix configuration
  TcxButton* BitBtn3 = nullptr;   // administrator
  TcxButton* BitBtn4 = nullptr;   // version
  TcxButton* BitbtnENCH = nullptr;  // language
  TcxTabSheet* cxtbshtOther = nullptr;
  TcxButton* btnPlayMode = nullptr;
  TcxLabel* cxLabel1 = nullptr;     // "skin"
  TcxComboBox* cbbSkin = nullptr;
  TcxButton* btnBackColor = nullptr;
  TcxButton* btnTimeSet = nullptr;
  TcxButton* btnSubtitileSetting = nullptr;
  TcxButton* Bitbtn = nullptr;    // virtual remote

  // The right panel: signal choice, power, scenes.
  TPanel* Panel4 = nullptr;
  TcxGroupBox* grpChanel = nullptr;
  TcxLabel* Label1 = nullptr;
  TcxComboBox* ComboBox4 = nullptr;  // the signal-type picker
  TcxLabel* Label2 = nullptr;
  TcxComboBox* ComboBox8 = nullptr;  // the matrix input
  TcxComboBox* ComboBox2 = nullptr;  // the matrix input, other list at the same place
  TcxGroupBox* grpMatix = nullptr;
  TcxLabel* Label7 = nullptr;        // the make of the current signal type's matrix
  TcxCheckBox* CheckBox3 = nullptr;  // matrix linkage
  TcxButton* BitBtn8 = nullptr;      // splice
  TcxButton* BitBtn10 = nullptr;     // single display
  TcxGroupBox* GroupBox6 = nullptr;
  TLabeledEdit* LabeledEdit10 = nullptr;  // seconds between delayed power-ons
  TcxCheckBox* CheckBox1 = nullptr;       // delayed power-on
  TcxCheckBox* chk1 = nullptr;            // 4K
  TcxButton* BitBtn5 = nullptr;   // power on
  TcxButton* BitBtn6 = nullptr;   // standby
  TcxGroupBox* GroupBox3 = nullptr;
  TcxComboBox* ComboBox3 = nullptr;  // the scene list
  TcxButton* BitBtn12 = nullptr;     // save scene
  TcxButton* BitBtn13 = nullptr;     // recall scene
  TcxButton* Button2 = nullptr;      // rename scene
  TcxButton* Button4 = nullptr;      // mini panel
  TcxComboBox* ComboBox1 = nullptr;  // the current signal type (hidden)

  // The wall.
  TcxGroupBox* Panel1 = nullptr;
  TStringGrid* stringgrid1 = nullptr;

  // The bottom band.
  TRzPanel* rzpnlBottom = nullptr;
  TImage* Image1 = nullptr;       // the logo
  TcxGroupBox* Label3 = nullptr;  // its caption is the wall's name
  TcxMemo* Memo1 = nullptr;       // the frame log
  TcxPageControl* PageControl1 = nullptr;  // the service pages
  TcxTabSheet* TabSheet3 = nullptr;  // temperature
  TcxGroupBox* GroupBox1 = nullptr;
  TcxRadioButton* RadioButton1 = nullptr;
  TcxRadioButton* RadioButton2 = nullptr;
  TcxRadioButton* RadioButton3 = nullptr;
  TcxRadioButton* rb = nullptr;
  TLabeledEdit* LabeledEdit1 = nullptr;
  TLabeledEdit* LabeledEdit2 = nullptr;
  TcxButton* BitBtn11 = nullptr;
  TcxTabSheet* TabSheet4 = nullptr;  // test
  TcxGroupBox* GroupBox2 = nullptr;
  TcxRadioButton* RadioButton4 = nullptr;
  TcxRadioButton* RadioButton5 = nullptr;
  TcxButton* Button1 = nullptr;
  TcxGroupBox* GroupBox4 = nullptr;
  TcxRadioButton* RadioButton9 = nullptr;
  TcxRadioButton* RadioButton10 = nullptr;
  TcxButton* Button8 = nullptr;
  TcxGroupBox* GroupBox9 = nullptr;
  TcxRadioButton* rbRBit = nullptr;
  TcxRadioButton* rbTBit = nullptr;
  TcxButton* btnRTDo = nullptr;
  TcxCheckBox* CheckBox4 = nullptr;  // signal browsing tab
  TcxCheckBox* CheckBox5 = nullptr;  // scene browsing tab
  TcxButton* BitBtn7 = nullptr;
  TcxButton* Button3 = nullptr;
  TcxTabSheet* TabSheet1 = nullptr;  // software update
  TcxButton* Button5 = nullptr;
  TcxTabSheet* tsDigitalPattern = nullptr;
  TcxTabSheet* tsAddrSetting = nullptr;
  TcxGroupBox* cxGroupBox4 = nullptr;
  TcxLabel* cxlbl1 = nullptr;
  TcxTextEdit* cxtxtdt1 = nullptr;
  TcxLabel* cxlbl2 = nullptr;
  TcxLabel* lblRow = nullptr;
  TcxTextEdit* edtRow = nullptr;
  TcxLabel* lblCol = nullptr;
  TcxTextEdit* edtCol = nullptr;
  TcxButton* btnGetAddress = nullptr;
  TcxButton* BitbShowAddress = nullptr;
  TcxButton* btnSetAddr = nullptr;
  TcxButton* btnLock = nullptr;
  TcxButton* btnRefresh = nullptr;
  TcxTabSheet* TabSheet6 = nullptr;  // signal browsing
  TLabeledEdit* LabeledEdit6 = nullptr;
  TLabeledEdit* LabeledEdit3 = nullptr;
  TLabeledEdit* LabeledEdit4 = nullptr;
  TLabeledEdit* LabeledEdit5 = nullptr;
  TLabeledEdit* LabeledEdit11 = nullptr;
  TcxButton* BitBtn9 = nullptr;
  TcxTabSheet* TabSheet7 = nullptr;  // scene browsing
  TLabeledEdit* LabeledEdit8 = nullptr;
  TLabeledEdit* LabeledEdit9 = nullptr;
  TLabeledEdit* LabeledEdit7 = nullptr;
  TcxButton* BitBtn15 = nullptr;
  TcxTabSheet* cxtbshtAgingModel = nullptr;
  TcxRadioButton* rbOpenAM = nullptr;
  TcxRadioButton* rbCloseAM = nullptr;
  TcxTabSheet* cxtbshtLogo = nullptr;
  TcxRadioButton* rbOpenLogo = nullptr;
  TcxRadioButton* rbCloseLogo = nullptr;
  TcxGroupBox* cxGroupBox3 = nullptr;
  TcxButton* cxButton3 = nullptr;
  TcxButton* cxButton4 = nullptr;
  TcxTabSheet* cxTabSheet1 = nullptr;  // AMD
  TcxGroupBox* cxGroupBox5 = nullptr;
  TcxButton* cxButton1 = nullptr;
  TcxButton* cxButton2 = nullptr;
  TcxTabSheet* cxtbSceneSwitch = nullptr;
  // The timed scene slots 1 to 8, at index N − 1.
  std::array<TcxCheckBox*, 8> CheckBoxS{};
  std::array<TLabeledEdit*, 8> lbledtS{};  // scene
  std::array<TLabeledEdit*, 8> lbledtT{};  // hour
  std::array<TEdit*, 8> edtM{};            // minute

  TdxStatusBar* StatusBar1 = nullptr;

  // Non-visual parts.
  TdxSkinController* dxskncntrlrSkin = nullptr;
  TTimer* Timer1 = nullptr;
  TTimer* tmrTimingSet = nullptr;
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
  TMenuItem* N7 = nullptr;   // image adjustment
  TMenuItem* N8 = nullptr;
  TMenuItem* N12 = nullptr;
  TMenuItem* N9 = nullptr;
  TMenuItem* N10 = nullptr;
  TMenuItem* N11 = nullptr;
  TMenuItem* N15 = nullptr;  // special regulation
  TMenuItem* N16 = nullptr;
  TMenuItem* N19 = nullptr;
  TMenuItem* N20 = nullptr;
  TMenuItem* N17 = nullptr;
  TMenuItem* N21 = nullptr;
  TMenuItem* N22 = nullptr;
  TMenuItem* N18 = nullptr;
  TMenuItem* EDID1 = nullptr;

  // The wall selection: first and last column and row, from 1; 0 until first set.
  int SelectionLeft = 0;
  int SelectionTop = 0;
  int SelectionRight = 0;
  int SelectionBottom = 0;
  // The matrix input the splice routes, from 1: the input list's choice at the last splice, or
  // what a scene replay set.
  int MatrixInput = 0;
  // Scenes of the makes that keep them in the console: while recording, each splice counts and
  // appends "left,top,right,bottom,input,"; while replaying, each splice counts down instead.
  bool Recording = false;
  bool Replaying = false;
  int ReplayCountdown = 0;
  int RecordedSpliceCount = 0;
  String RecordedSplices;

  // "cfg.ini", open from creation to closing.
  std::unique_ptr<TIniFile> ConfigFile;
  // cfg.ini [config] language: 1 English, other values Chinese.
  int Language = 0;
  // Set while creation captions the language button: the button's handler then does nothing.
  bool LanguageGuard = false;
  // The grid's cell colour as it was when the grid was built.
  TColor DefaultCellColor = clCream;
  String AdminPassword;
  // The timed power: [timesetting] as read at creation.
  int PowerOnHour = 0;
  int PowerOnMinute = 0;
  int PowerOffHour = 0;
  int PowerOffMinute = 0;
  int TimedPowerEnabled = 0;
  int TimedPowerRepeat = 0;
  // Signal and scene browsing: what comes next, and the ticks since the last step.
  int SignalBrowseInput = 0;
  int SignalBrowseTicks = 0;
  int SceneBrowseScene = 0;
  int SceneBrowseTicks = 0;
  // The timed scene slots as last recorded from their boxes, at index N − 1: the slot timer
  // compares the clock with these, not with what the boxes hold now.
  struct TSceneSlot {
    int Scene = 0;
    int Hour = 0;
    int Minute = 0;
  };
  std::array<TSceneSlot, 8> SceneSlots{};

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormResize(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void BitbtnENCHClick(TObject* Sender);
  void cbbSkinPropertiesChange(TObject* Sender);
  void BitBtn1Click(TObject* Sender);
  void BitBtn2Click(TObject* Sender);
  void BitBtn18Click(TObject* Sender);
  void ComboBox8DblClick(TObject* Sender);

  // The wall grid and the address display (GridConsoleWall.cpp).
  void stringgrid1DrawCell(TObject* Sender, int ACol, int ARow, win::RECT Rect, TGridDrawState State);
  void stringgrid1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void stringgrid1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void stringgrid1SelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
  void stringgrid1KeyPress(TObject* Sender, TChar& Key);
  void BitbShowAddressClick(TObject* Sender);

  // Splice, single display and the matrix linkage (GridConsoleSplice.cpp).
  void BitBtn8Click(TObject* Sender);
  void BitBtn10Click(TObject* Sender);
  void ComboBox4Change(TObject* Sender);
  void CheckBox3Click(TObject* Sender);
  // Routes MatrixInput to the matrix output of every screen of the wall selection, when the
  // linkage box is ticked, pausing after each.
  void LinkMatrixToSelection();

  // Scenes: the wall's screens and the matrices save or recall scene n together
  // (GridConsoleScenes.cpp).
  void BitBtn12Click(TObject* Sender);
  void BitBtn13Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  // The matrices' general preset commands for preset n, by their make lists as they stand now.
  void SaveVideoMatrixPreset(std::uint8_t n);
  void RecallVideoMatrixPreset(std::uint8_t n);
  void SaveRgbMatrixPreset(std::uint8_t n);
  void RecallRgbMatrixPreset(std::uint8_t n);

  // Power, fan, test options and addressing (GridConsoleCommands.cpp); the one-frame commands
  // and the window openers are bound by name only.
  void BitBtn5Click(TObject* Sender);
  void CheckBox1Click(TObject* Sender);
  void BitBtn11Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button8Click(TObject* Sender);
  void btnRTDoClick(TObject* Sender);
  void btnSetAddrClick(TObject* Sender);
  void btnGetAddressClick(TObject* Sender);

  // The clock, signal and scene browsing, the timed scene slots and the timed power
  // (GridConsoleTimers.cpp). One handler serves the eight slot boxes.
  void Timer1Timer(TObject* Sender);
  void BitBtn9Click(TObject* Sender);
  void BitBtn15Click(TObject* Sender);
  void CheckBox4Click(TObject* Sender);
  void CheckBox5Click(TObject* Sender);
  void CheckBoxSClick(TObject* Sender);
  // Records every ticked slot's scene, hour and minute and stores them.
  void SaveSceneSchedule();
  void tmrSceneSwitchTimer(TObject* Sender);
  void tmrTimingSetTimer(TObject* Sender);
  // The six timed-power fields, as the timed power routines take them.
  TTimedPowerFields TimedPowerFields();

  // This window's own texts in the interface language.
  void ApplyEnglishCaptions();
  // Builds the wall grid for Rows × Columns screens and sizes it.
  void BuildWallGrid(int Rows, int Columns);
  // Shares the wall's area among the grid's data rows and columns (the hybrid-matrix console's grid
  // too) and widens the service pages with the window.
  void SizeWallGrid();

  void OpenDeviceLink(bool Open);
  void OpenNetworkLink(bool Open);
  void UpdateControlStates();
  // What the other consoles' refreshes set here: the administrator's items and matrix button,
  // the link buttons and the service pages.
  void ApplySharedControlStates(bool Admin, bool LinkOpen, bool Debug);
  void SendScreenFrame(int b1, int b2, int b3, int b4, int b5, int b6);
  void SendScreenFrame(const TScreenFrame& Frame);
  void SendScreenCommand(int Command, int Value);
  void WriteVideoMatrix(const std::uint8_t* Data, std::uint16_t Length);
  void WriteRgbMatrix(const std::uint8_t* Data, std::uint16_t Length);

  // The links as every console's routines take them.
  TDeviceLinks Links() const { return {Comm1, Comm2, Comm3, socketClient}; }
  // Names the three ports after the communication settings' port names.
  void NamePorts();

 protected:
  // A console has a task-bar button of its own; the application window has none.
  void CreateParams(TCreateParams& Params) override;
  void Loaded() override;

 private:
  // How this console's link operations report and refresh.
  TLinkConsole LinkConsole();
  void RegisterWallHandlers();
  void RegisterSpliceHandlers();
  void RegisterSceneHandlers();
  // The scene the scene buttons act on: the shown name's place among the scene names, from 1
  // (0 when the name is none of them).
  int CurrentScene();
  // Saves or recalls the current scene; the makes that keep their scenes in the console record
  // or replay instead of sending their own command.
  void RunScene(MatrixPresetOp Op);
  // The screens' frame and the general presets in the configured order, then the first pause.
  void SendSceneToWall(MatrixPresetOp Op, int Scene);
  void ToggleNativeRecording(int Scene);
  void ReplayNativeScene(int Scene);
  void RegisterCommandHandlers();
  void RegisterMatrixDialogHandlers();
  // FST's HDMI matrix is routed by the screen command itself while the linkage is on.
  bool FstRouting() const;
  void LoadSceneList();
  void LoadSceneSlots();
  void LoadMatrixInputNames();
  void RegisterTimerHandlers();
  void ShowClock();
  void SignalBrowseStep();
  void SceneBrowseStep();
  bool FBrowseErrorShown = false;  // a browsing step's error message is up
  bool FSlotTickRunning = false;   // a slot tick is firing its slots
  bool FEnglishShifted = false;  // the English layout shifts are applied once
};

extern TForm1* Form1;

// The first and last screen of a console's wall selection as frame addresses (column × 16 + row);
// 00 00 before any selection.
template <typename Console>
std::pair<int, int> SelectionAddresses(const Console* console) {
  return {console->SelectionLeft * 16 + console->SelectionTop, console->SelectionRight * 16 + console->SelectionBottom};
}
// The same for the console in front: the grid console, the splicing console, or (for any other
// kind) the hybrid-matrix console.
std::pair<int, int> ActiveSelectionAddresses();

// The status bar's link state panel, where every console writes how its links stand.
void SetLinkStatus(TdxStatusBar* StatusBar, const String& Text);

// Shares a wall's area among a wall grid's data rows and columns; column 0 and row 0 keep their
// sizes, and a grid without data rows or columns is left alone.
void SizeGridToWall(TStringGrid* Grid, int Width, int Height);

// The skin list file and the picture the consoles show as their logo, beside the program.
inline constexpr const char* kSkinListFile = "\\AllSkins.skinres";
inline constexpr const char* kConsoleLogoFile = "clogo.jpg";

// The skin names of the list file, in file order; empty when the file is missing or unreadable.
void FillSkinList(TcxComboBox* List, const String& FileName);
// The skin choice stored in [SkinName] for a console's skin list: by default the default skin's
// place in the list, and −1 (no choice) for an index the list does not reach.
int StoredSkinIndex(TCustomIniFile& Ini, TcxComboBox* List);
// Stores the list's choice, the place of its text among the items (−1 for a text that is none);
// with no skin list there is nothing to choose from and the stored choice waits for the list.
void StoreSkinChoice(TCustomIniFile& Ini, TcxComboBox* List);
