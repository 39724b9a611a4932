// The hybrid-matrix console's commands besides the splice and the cell model: scenes, power, the
// service pages' settings, the popup's screen commands and the windows its buttons open. Every
// screen command goes to the console's wall selection (the first screen before any selection);
// only the scenes address the whole wall.
#include <cstdint>
#include <utility>

#include "console/CommSettings.h"
#include "console/CommandTables.h"
#include "console/DebugWindow.h"
#include "console/LoginWindow.h"
#include "console/SceneRename.h"
#include "console/ScreenFrame.h"
#include "console/VersionWindow.h"
#include "dialogs/CellColours.h"
#include "dialogs/EdgeBlending.h"
#include "dialogs/IrregularShape.h"
#include "dialogs/PictureParametersConsoles.h"
#include "dialogs/PlaybackSettings.h"
#include "dialogs/SplicingSettingsHybrid.h"
#include "dialogs/SubtitleSettings.h"
#include "dialogs/TimingSettings.h"
#include "dialogs/VirtualRemote.h"
#include "matrix/MatrixConfig.h"
#include "matrix/MatrixEngine.h"
#include "variants/HybridConsole.h"

namespace {

// Controls whose whole work is one command to the wall selection.
constexpr TFixedCommand kSelectionCommands[] = {
    {"BitBtn6Click", scPower, 0},
    {"nStillClick", scStill, 1},
    {"N10Click", scNoSignalBlack, 0},
    {"N11Click", scNoSignalBlue, 1},
    {"N19Click", scAging, 1},
    {"N20Click", scAging, 0},
    {"N21Click", scRotate, 0},
    {"N22Click", scRotate, 1},
};

// Buttons and items that show a window.
const TWindowOpener kOpeners[] = {
    {"BitBtn16Click", []() -> TCustomForm* { return Form2; }},
    {"BitBtn17Click", []() -> TCustomForm* { return Form34; }},
    {"BitBtn18Click", []() -> TCustomForm* { return Form3; }},
    {"BitBtn3Click", []() -> TCustomForm* { return Form7; }},
    {"BitBtn4Click", []() -> TCustomForm* { return Form5; }},
    {"BitBtn7Click", []() -> TCustomForm* { return Form6; }},
    {"btnPlayModeClick", []() -> TCustomForm* { return frmPlayMode; }},
    {"btnBackColorClick", []() -> TCustomForm* { return Form20; }},
    {"btnTimeSetClick", []() -> TCustomForm* { return frmTimingSetting; }},
    {"btnSubtitileSettingClick", []() -> TCustomForm* { return frmSubtitleSettings; }},
    {"Bitbtn9Click", []() -> TCustomForm* { return Form27; }},
    {"N7Click", []() -> TCustomForm* { return Form32; }},
    {"N12Click", []() -> TCustomForm* { return Form11; }},
    {"N15Click", []() -> TCustomForm* { return Form16; }},
};

// The screens take the second command of a pair only after they have taken the first.
constexpr std::int64_t kPairPauseMs = 200;

}  // namespace

void TForm33::RegisterCommandHandlers() {
  RegisterFixedCommands(*this, kSelectionCommands,
                        [this](int Command, int Value) { SendScreenCommandHybrid(Command, Value); });
  RegisterWindowOpeners(*this, kOpeners);
  RegisterHandler("BitBtn5Click", &TForm33::BitBtn5Click);
  RegisterHandler("BitBtn11Click", &TForm33::BitBtn11Click);
  RegisterHandler("BitBtn12Click", &TForm33::BitBtn12Click);
  RegisterHandler("BitBtn13Click", &TForm33::BitBtn13Click);
  RegisterHandler("Button1Click", &TForm33::Button1Click);
  RegisterHandler("Button2Click", &TForm33::Button2Click);
  RegisterHandler("Button8Click", &TForm33::Button8Click);
  RegisterHandler("BitbtnClick", &TForm33::BitbtnClick);
  RegisterHandler("N8Click", &TForm33::N8Click);
}

void TForm33::SendCommandPairHybrid(int Command1, int Command2, int Value) {
  SendScreenCommandHybrid(Command1, Value);
  BlockingPause(kPairPauseMs);
  SendScreenCommandHybrid(Command2, Value);
}

void TForm33::SendWallPairHybrid(int Command1, int Command2, int Value) {
  SendScreenFrameHybrid(MakeScreenFrame(kWholeWall, Command1, Value));
  BlockingPause(kPairPauseMs);
  SendScreenFrameHybrid(MakeScreenFrame(kWholeWall, Command2, Value));
}

// ---- Scenes -------------------------------------------------------------------------------------------

void TForm33::BitBtn12Click(TObject*) { SendWallPairHybrid(scSaveScene, scSaveSceneAlt, ComboBox3->ItemIndex() + 1); }

void TForm33::BitBtn13Click(TObject*) {
  SendWallPairHybrid(scRecallScene, scRecallSceneAlt, ComboBox3->ItemIndex() + 1);
}

void TForm33::Button2Click(TObject*) {
  // The rename works on this console's list and file: the grid console's list is empty while
  // this console runs.
  Form9->Open(ComboBox3, ConfigFileHybrid.get(), Button2->Caption());
}

// ---- Power --------------------------------------------------------------------------------------------

void TForm33::BitBtn5Click(TObject*) {
  if (!CheckBox1->Checked()) {
    SendScreenCommandHybrid(scPower, 1);
    return;
  }
  // Over the grid's own selection, not the stored one.
  PowerOnScreenByScreen(
      stringgrid1->Selection(), [this] { return LabeledEdit10->Text(); },
      [this](const TScreenFrame& Frame) { SendScreenFrameHybrid(Frame); });
}

// ---- Service pages and popup --------------------------------------------------------------------------

void TForm33::BitBtn11Click(TObject*) {
  const std::pair<TcxRadioButton*, int> modes[] = {{RadioButton1, 1}, {RadioButton2, 2}, {RadioButton3, 0}};
  for (const auto& [radio, value] : modes)
    if (radio->Checked()) SendCommandPairHybrid(scFanMode, scFanModeAlt, value);
}

void TForm33::Button1Click(TObject*) {
  SendScreenCommandHybrid(scPanelType, RadioButton4->Checked() ? 0 : rb1->Checked() ? 1 : 2);
}

void TForm33::Button8Click(TObject*) { SendScreenCommandHybrid(scABSwap, RadioButton9->Checked() ? 0 : 1); }

void TForm33::BitbtnClick(TObject*) {
  int value = 0;
  if (!TryStrToInt(cxAsynParam->Text(), value)) {
    ShowMessage("error !");
    return;
  }
  SendScreenCommandHybrid(scSyncSend, value);
}

void TForm33::N8Click(TObject*) { SendCommandPairHybrid(scSaveSettings, scSaveSettingsAlt, 1); }
