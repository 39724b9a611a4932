// The splicing console's commands: every one is a screen frame on the grid console's screen link,
// to the wall selection or to a fixed address. Scenes, the fan and most popup items address the
// whole wall; the signal panels choose the input of every screen at once.
#include <cstdint>
#include <utility>

#include "app/BootWindow.h"
#include "console/CommSettings.h"
#include "console/CommandTables.h"
#include "console/Config.h"
#include "console/DebugWindow.h"
#include "console/GridConsole.h"
#include "console/LoginWindow.h"
#include "console/SceneRename.h"
#include "console/ScreenFrame.h"
#include "console/VersionWindow.h"
#include "dialogs/CellColours.h"
#include "dialogs/EdgeBlending.h"
#include "dialogs/PictureParametersConsoles.h"
#include "dialogs/PlaybackSettings.h"
#include "dialogs/SplicingSettingsSplicing.h"
#include "dialogs/SubtitleSettings.h"
#include "dialogs/TimingSettings.h"
#include "dialogs/VirtualRemote.h"
#include "matrix/MatrixEngine.h"
#include "platform/classes/DateUtils.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

namespace {

// The address of the whole wall: the first screen to the first, which the screens take for all.
constexpr int kWallAddress = 0x11;
// Scenes and the timed power address the first screen to the last.
constexpr int kLastAddress = 0xFF;

// Controls whose whole work is one command to the wall selection.
constexpr TFixedCommand kSelectionCommands[] = {
    {"BitBtn6Click", scPower, 0},
    {"BitBtn10Click", scSpliceMode, 0},
    {"Bitbtn161Click", scSync, 1},
};

// Popup items whose whole work is one frame to the whole wall.
constexpr TFixedCommand kWallCommands[] = {
    {"nStillClick", scStill, 1},        {"N10Click", scNoSignalBlack, 0}, {"N11Click", scNoSignalBlue, 1},
    {"N19Click", scAging, 1},           {"N20Click", scAging, 0},         {"N18Click", scUpdate, 1},
};

// Buttons and items that show a window.
const TWindowOpener kOpeners[] = {
    {"BitBtn16Click", []() -> TCustomForm* { return Form2; }},
    {"BitBtn17Click", []() -> TCustomForm* { return Form24; }},
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
};

// The pauses between the two frames of the splice and of the other two-step commands.
constexpr std::int64_t kSplicePauseMs = 100;
constexpr std::int64_t kPairPauseMs = 200;

}  // namespace

void TForm23::RegisterCommandHandlers() {
  RegisterFixedCommands(*this, kSelectionCommands,
                        [this](int Command, int Value) { SendScreenCommandSplicing(Command, Value); });
  RegisterFixedCommands(*this, kWallCommands, [this](int Command, int Value) {
    SendScreenFrameSplicing(TScreenFrame::kHeader, kWallAddress, kWallAddress, Command, Value, TScreenFrame::kTrailer);
  });
  RegisterWindowOpeners(*this, kOpeners);

  RegisterHandler<void(TObject*)>(
      "N8Click", [this](TObject*) { SendFramePair(kWallAddress, kWallAddress, scSaveSettings, scSaveSettingsAlt, 1, kPairPauseMs); });
  // The flip goes to the active console's selection as it stands, with no whole-wall fallback.
  for (int inverse = 0; inverse <= 1; ++inverse) {
    RegisterHandler<void(TObject*)>(inverse ? "N22Click" : "N21Click", [this, inverse](TObject*) {
      const auto [start, end] = ActiveSelectionAddresses();
      SendScreenFrameSplicing(TScreenFrame::kHeader, start, end, scRotate, inverse, TScreenFrame::kTrailer);
    });
  }

  // The signal panels, by the input each chooses.
  const std::pair<const char*, int> panels[] = {{"rzpnlVIDEO", 0x00}, {"rzpnlVGA", 0x01}, {"rzpnlDVI", 0x02},
                                                {"rzpnlHDMI", 0x03}, {"rzpnlVIDEO2", 0x0B}};
  for (const auto& [name, value] : panels) {
    RegisterHandler<void(TObject*, TMouseButton, TShiftState, int, int)>(
        String(name) + "MouseDown", [this, value = value](TObject* Sender, TMouseButton, TShiftState, int, int) {
          PressSignalPanel(static_cast<TRzPanel*>(Sender), value);
        });
  }

  RegisterHandler("BitBtn5Click", &TForm23::BitBtn5Click);
  RegisterHandler("BitBtn8Click", &TForm23::BitBtn8Click);
  RegisterHandler("BitBtn11Click", &TForm23::BitBtn11Click);
  RegisterHandler("BitBtn12Click", &TForm23::BitBtn12Click);
  RegisterHandler("BitBtn13Click", &TForm23::BitBtn13Click);
  RegisterHandler("Button1Click", &TForm23::Button1Click);
  RegisterHandler("Button2Click", &TForm23::Button2Click);
  RegisterHandler("Button8Click", &TForm23::Button8Click);
  RegisterHandler("BitbtnClick", &TForm23::BitbtnClick);
  RegisterHandler("tmr1Timer", &TForm23::tmr1Timer);
  RegisterHandler("tmrTimingSetTimer", &TForm23::tmrTimingSetTimer);
}

// ---- Senders ------------------------------------------------------------------------------------------

void TForm23::SendScreenFrameSplicing(int b1, int b2, int b3, int b4, int b5, int b6) {
  SendFrameOnScreenLink(Form1->Links(), Form2->LinkSettings(), {b1, b2, b3, b4, b5, b6}, Form18->DebugMode != 0,
                        {Memo1->Lines(), Form1->Memo1->Lines(), Form33->Memo1->Lines()});
}

void TForm23::SendScreenCommandSplicing(int Command, int Value) {
  // The grid console's selection only while it is the active one; the hybrid-matrix console's
  // wall is addressed through this console's selection, which its grid keeps up to date.
  auto [start, end] = Form18->ConsoleKind == ckGrid ? SelectionAddresses(Form1) : SelectionAddresses(this);
  if (start == 0 && end == 0) start = end = kWallAddress;
  SendScreenFrameSplicing(TScreenFrame::kHeader, start, end, Command, Value, TScreenFrame::kTrailer);
}

void TForm23::SendFramePair(int Address1, int Address2, int Command1, int Command2, int Value, std::int64_t PauseMs) {
  SendScreenFrameSplicing(TScreenFrame::kHeader, Address1, Address2, Command1, Value, TScreenFrame::kTrailer);
  BlockingPause(PauseMs);
  SendScreenFrameSplicing(TScreenFrame::kHeader, Address1, Address2, Command2, Value, TScreenFrame::kTrailer);
}

// ---- Commands -----------------------------------------------------------------------------------------

void TForm23::BitBtn8Click(TObject*) {
  SendScreenCommandSplicing(scSync, 1);
  BlockingPause(kSplicePauseMs);
  SendScreenCommandSplicing(scSpliceMode, 1);
}

void TForm23::BitBtn5Click(TObject*) {
  if (!CheckBox1->Checked()) {
    SendScreenCommandSplicing(scPower, 1);
    return;
  }
  // Over the grid's own selection, not the stored one.
  PowerOnScreenByScreen(
      stringgrid1->Selection(), [this] { return LabeledEdit10->Text(); },
      [this](const TScreenFrame& Frame) {
        const TFrameBytes b = Frame.Bytes();
        SendScreenFrameSplicing(b[0], b[1], b[2], b[3], b[4], b[5]);
      });
}

void TForm23::BitBtn12Click(TObject*) {
  SendFramePair(kWallAddress, kLastAddress, scSaveScene, scSaveSceneAlt, ComboBox3->ItemIndex() + 1, kPairPauseMs);
}

void TForm23::BitBtn13Click(TObject*) {
  SendFramePair(kWallAddress, kLastAddress, scRecallScene, scRecallSceneAlt, ComboBox3->ItemIndex() + 1,
                kPairPauseMs);
}

void TForm23::Button2Click(TObject*) {
  Form9->Open(ComboBox3, ConfigFileSplicing.get(), Button2->Caption());
}

void TForm23::BitBtn11Click(TObject*) {
  const std::pair<TcxRadioButton*, int> modes[] = {{RadioButton1, 1}, {RadioButton2, 2}, {RadioButton3, 0}};
  for (const auto& [radio, value] : modes)
    if (radio->Checked()) SendFramePair(kWallAddress, kWallAddress, scFanMode, scFanModeAlt, value, kPairPauseMs);
}

void TForm23::Button1Click(TObject*) {
  SendScreenCommandSplicing(scPanelType, RadioButton4->Checked() ? 0 : rb1->Checked() ? 1 : 2);
}

void TForm23::Button8Click(TObject*) { SendScreenCommandSplicing(scABSwap, RadioButton9->Checked() ? 0 : 1); }

void TForm23::BitbtnClick(TObject*) { SendScreenCommandSplicing(scSyncSend, StrToInt(edt1->Text())); }

// ---- Signal panels ------------------------------------------------------------------------------------

void TForm23::PressSignalPanel(TRzPanel* Panel, int Value) {
  Panel->SetBorderOuter(fsLowered);
  PressedSignalPanel = Panel;
  tmr1->SetEnabled(false);
  tmr1->SetEnabled(true);
  SendScreenFrameSplicing(TScreenFrame::kHeader, kWallAddress, kWallAddress, scSelectInput, Value,
                          TScreenFrame::kTrailer);
}

void TForm23::tmr1Timer(TObject*) {
  // Only the panel pressed last is raised: one pressed before it within the moment stays down.
  if (PressedSignalPanel) PressedSignalPanel->SetBorderOuter(fsPopup);
  tmr1->SetEnabled(false);
}

// ---- Timed power --------------------------------------------------------------------------------------

TTimedPowerFields TForm23::TimedPowerFields() {
  return {&PowerOnHour, &PowerOnMinute, &PowerOffHour, &PowerOffMinute, &TimedPowerEnabled, &TimedPowerRepeat};
}

void TForm23::tmrTimingSetTimer(TObject*) {
  TimedPowerTick(
      TimedPowerFields(), tmrTimingSet,
      [this](const TScreenFrame& frame) {
        const TFrameBytes b = frame.Bytes();
        SendScreenFrameSplicing(b[0], b[1], b[2], b[3], b[4], b[5]);
      },
      ConfigFileSplicing.get());
}
