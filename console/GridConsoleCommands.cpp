// The grid console's fixed commands: the buttons, option groups and popup items that each send one
// screen command, a short fixed sequence, or open a window; power-on, the fan mode and the
// addressing by serial number carry logic of their own.
#include <cstdint>

#include "console/CommSettings.h"
#include "console/CommandTables.h"
#include "console/Config.h"
#include "console/DebugWindow.h"
#include "console/GridConsole.h"
#include "console/LoginWindow.h"
#include "console/ScreenFrame.h"
#include "console/VersionWindow.h"
#include "dialogs/AddressTool.h"
#include "dialogs/EdgeBlending.h"
#include "dialogs/IrregularShape.h"
#include "dialogs/PictureParameters.h"
#include "dialogs/PlaybackSettings.h"
#include "dialogs/SplicingSettings.h"
#include "dialogs/SubtitleSettings.h"
#include "dialogs/TimingSettings.h"
#include "dialogs/VirtualRemote.h"
#include "matrix/MatrixEngine.h"

namespace {

// Controls whose whole work is one command to the wall selection.
constexpr TFixedCommand kFixedCommands[] = {
    {"BitBtn6Click", scPower, 0},
    {"Button3Click", scQueryVersion, 1},
    {"Button5Click", scUpdate, 1},
    {"btnLockClick", scAddressLock, 1},
    {"btnRefreshClick", scAddressLock, 0},
    {"cxButton1Click", scAmdMode, 0},
    {"cxButton2Click", scAmdMode, 1},
    {"cxButton3Click", scBootLogoMode, 1},
    {"cxButton4Click", scBootLogoMode, 0},
    {"nStillClick", scStill, 1},
    {"N8Click", scSaveSettings, 1},
    {"N10Click", scNoSignalBlack, 0},
    {"N11Click", scNoSignalBlue, 1},
    {"N19Click", scAging, 1},
    {"N20Click", scAging, 0},
    {"N21Click", scFlipMode, 0},
    {"N22Click", scFlipMode, 1},
    {"N18Click", scUpdate, 1},
    {"N2K1Click", scSpliceResolution, 2},
    {"N4K1Click", scSpliceResolution, 1},
};

// The aging and logo radios send on the press, before the check changes, and again when checked.
constexpr TFixedCommand kPressCommands[] = {
    {"rbOpenAMMouseDown", scAging, 1},
    {"rbCloseAMMouseDown", scAging, 0},
    {"rbOpenLogoMouseDown", scLogo, 1},
    {"rbCloseLogoMouseDown", scLogo, 0},
};

// Buttons and items that show a window.
const TWindowOpener kOpeners[] = {
    {"BitBtn16Click", []() -> TCustomForm* { return Form2; }},
    {"BitBtn17Click", []() -> TCustomForm* { return Form15; }},
    {"BitBtn3Click", []() -> TCustomForm* { return Form7; }},
    {"BitBtn4Click", []() -> TCustomForm* { return Form5; }},
    {"btnPlayModeClick", []() -> TCustomForm* { return frmPlayMode; }},
    {"btnBackColorClick", []() -> TCustomForm* { return Form36; }},
    {"btnTimeSetClick", []() -> TCustomForm* { return frmTimingSetting; }},
    {"btnSubtitileSettingClick", []() -> TCustomForm* { return frmSubtitleSettings; }},
    {"BitbtnClick", []() -> TCustomForm* { return Form27; }},
    {"BitBtn7Click", []() -> TCustomForm* { return Form6; }},
    {"N7Click", []() -> TCustomForm* { return Form4; }},
    {"N12Click", []() -> TCustomForm* { return Form11; }},
    {"N15Click", []() -> TCustomForm* { return Form16; }},
};

// The pause between the steps of the fan and addressing sequences.
constexpr std::int64_t kStepPauseMs = 100;

}  // namespace

void TForm1::RegisterCommandHandlers() {
  RegisterFixedCommands(*this, kFixedCommands, [this](int Command, int Value) { SendScreenCommand(Command, Value); });
  for (const TFixedCommand& row : kPressCommands)
    RegisterHandler<void(TObject*, TMouseButton, TShiftState, int, int)>(
        row.Handler, [this, row](TObject*, TMouseButton, TShiftState, int, int) { SendScreenCommand(row.Command, row.Value); });
  RegisterWindowOpeners(*this, kOpeners);
  RegisterHandler("BitBtn5Click", &TForm1::BitBtn5Click);
  RegisterHandler("CheckBox1Click", &TForm1::CheckBox1Click);
  RegisterHandler("BitBtn11Click", &TForm1::BitBtn11Click);
  RegisterHandler("Button1Click", &TForm1::Button1Click);
  RegisterHandler("Button8Click", &TForm1::Button8Click);
  RegisterHandler("btnRTDoClick", &TForm1::btnRTDoClick);
  RegisterHandler("btnSetAddrClick", &TForm1::btnSetAddrClick);
  RegisterHandler("btnGetAddressClick", &TForm1::btnGetAddressClick);
}

void TForm1::SendScreenFrame(const TScreenFrame& Frame) {
  const TFrameBytes b = Frame.Bytes();
  SendScreenFrame(b[0], b[1], b[2], b[3], b[4], b[5]);
}

void TForm1::BitBtn5Click(TObject*) {
  if (CheckBox1->Checked()) {
    // Over the grid's own selection, not the stored one.
    PowerOnScreenByScreen(
        stringgrid1->Selection(), [this] { return LabeledEdit10->Text(); },
        [this](const TScreenFrame& Frame) { SendScreenFrame(Frame); });
  } else if (chk1->Checked()) {
    SendScreenFrame(MakeScreenFrame(kBroadcast, scPower, 1));
  } else {
    SendScreenCommand(scPower, 1);
  }
}

void TForm1::CheckBox1Click(TObject*) {
  if (ConfigFile) WriteConfig(*ConfigFile, cfg::setting::KJ, CheckBox1->Checked());
}

void TForm1::BitBtn11Click(TObject*) {
  // Each mode is its own check, as the group has always been read.
  if (RadioButton1->Checked()) SendScreenCommand(scFanMode, 1);
  if (RadioButton2->Checked()) SendScreenCommand(scFanMode, 2);
  if (RadioButton3->Checked()) SendScreenCommand(scFanMode, 0);
  if (rb->Checked()) {
    SendScreenCommand(scFanMode, 3);
    BlockingPause(kStepPauseMs);
    SendScreenCommand(scFanRunValue, StrToInt(LabeledEdit1->Text()));
    BlockingPause(kStepPauseMs);
    SendScreenCommand(scFanStopValue, StrToInt(LabeledEdit2->Text()));
  }
}

void TForm1::Button1Click(TObject*) { SendScreenCommand(scTiMode, RadioButton5->Checked() ? 1 : 0); }

void TForm1::Button8Click(TObject*) { SendScreenCommand(scGroupSelect, RadioButton9->Checked() ? 0 : 1); }

void TForm1::btnRTDoClick(TObject*) {
  SendScreenCommand(scColorDepth, !rbRBit->Checked() && rbTBit->Checked() ? 1 : 0);
}

void TForm1::btnSetAddrClick(TObject*) {
  // Each edit is read just before its frame: a bad one stops the sequence there.
  SendScreenFrame(MakeSetSerialFrame(StrToInt(cxtxtdt1->Text())));
  BlockingPause(kStepPauseMs);
  SendScreenFrame(MakeSetRowFrame(StrToInt(edtRow->Text())));
  BlockingPause(kStepPauseMs);
  SendScreenFrame(MakeSetColumnFrame(StrToInt(edtCol->Text())));
}

void TForm1::btnGetAddressClick(TObject*) { SendScreenFrame(MakeReadSerialFrame()); }
