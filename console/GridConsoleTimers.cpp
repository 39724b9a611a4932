// The grid console's clocks: the one-second tick that shows the time and steps signal and scene
// browsing, the timed scene slots that recall a scene at a time of day, and the timed power.
#include <exception>
#include <functional>

#include "app/BootWindow.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "console/StatusClock.h"
#include "console/TimedPower.h"
#include "matrix/MatrixConfig.h"
#include "matrix/MatrixEngine.h"
#include "platform/classes/DateUtils.h"

namespace {

// A browsing button's caption is its state: these start it, any other stops it.
struct TBrowseCaptions {
  const char* ChineseStart;
  const char* EnglishStart;
};
constexpr TBrowseCaptions kSignalCaptions{"信号浏览", "Signal View"};
constexpr TBrowseCaptions kSceneCaptions{"预案浏览", "Model View"};
const char* const kChineseStop = "关闭浏览";
const char* const kEnglishStop = "Stop";

const char* const kSlotSettingError = "设置错误";
constexpr unsigned kSlotPollMs = 3000;
// Past the minute that fired, so it cannot fire twice.
constexpr unsigned kSlotAfterFiringMs = 60000;
constexpr int kSceneCount = cfg::scene::kSceneCount;

int BoxNumber(TLabeledEdit* Box) { return StrToInt(Box->Text()); }

// The pause boxes of the matrix configuration, converted when the pause comes.
void PauseFor(TLabeledEdit* Box) { BlockingPause(BoxNumber(Box)); }

bool Starts(const String& Caption, const TBrowseCaptions& Captions) {
  return Caption == Captions.ChineseStart || Caption == Captions.EnglishStart;
}

// Presses the button: a start caption starts (after `Start` took its first value; a start box
// that is no number starts nothing), any other stops. True when it started.
bool ToggleBrowsing(TcxButton* Button, const TBrowseCaptions& Captions, const std::function<void()>& Start) {
  const String caption = Button->Caption();
  if (Starts(caption, Captions)) {
    Start();
    Button->SetCaption(caption == Captions.ChineseStart ? kChineseStop : kEnglishStop);
    return true;
  }
  Button->SetCaption(caption == kChineseStop ? Captions.ChineseStart : Captions.EnglishStart);
  return false;
}

bool Browsing(TcxButton* Button) {
  const String caption = Button->Caption();
  return caption == kChineseStop || caption == kEnglishStop;
}

// Sets a flag for as long as it lives, so a handler re-entered from a message box's loop can tell.
class TBusy {
 public:
  explicit TBusy(bool& Flag) : FFlag(Flag) { FFlag = true; }
  ~TBusy() { FFlag = false; }
  TBusy(const TBusy&) = delete;
  TBusy& operator=(const TBusy&) = delete;

 private:
  bool& FFlag;
};

}  // namespace

void TForm1::RegisterTimerHandlers() {
  RegisterHandler("Timer1Timer", &TForm1::Timer1Timer);
  RegisterHandler("BitBtn9Click", &TForm1::BitBtn9Click);
  RegisterHandler("BitBtn15Click", &TForm1::BitBtn15Click);
  RegisterHandler("CheckBox4Click", &TForm1::CheckBox4Click);
  RegisterHandler("CheckBox5Click", &TForm1::CheckBox5Click);
  for (int n = 1; n <= cfg::SceneSwitch::kSlotCount; ++n)
    RegisterHandler("CheckBoxS" + IntToStr(n) + "Click", &TForm1::CheckBoxSClick);
  RegisterHandler("tmrSceneSwitchTimer", &TForm1::tmrSceneSwitchTimer);
  RegisterHandler("tmrTimingSetTimer", &TForm1::tmrTimingSetTimer);
}

// ---- The one-second tick ------------------------------------------------------------------------------

void TForm1::Timer1Timer(TObject* Sender) {
  ShowClock();
  // A bad box raises on every tick; while its message is up, the ticks its loop runs keep the
  // clock going and stack no further messages.
  if (FBrowseErrorShown) return;
  try {
    if (Browsing(BitBtn9)) SignalBrowseStep();
    if (Browsing(BitBtn15)) SceneBrowseStep();
  } catch (...) {
    TBusy shown(FBrowseErrorShown);
    Application->HandleException(Sender);
  }
}

void TForm1::ShowClock() { StatusBar1->Panels()->PanelAt(2)->SetText(StatusClockText(Now(), Language == 1)); }

void TForm1::BitBtn9Click(TObject*) {
  ToggleBrowsing(BitBtn9, kSignalCaptions, [this] { SignalBrowseInput = BoxNumber(LabeledEdit6); });
  TIniFile& ini = *ConfigFile;
  WriteConfig(ini, cfg::scene::Matrix1, LabeledEdit3->Text());
  WriteConfig(ini, cfg::scene::Matrix2, LabeledEdit4->Text());
  WriteConfig(ini, cfg::scene::Matrix3, LabeledEdit5->Text());
  WriteConfig(ini, cfg::scene::Matrix4, LabeledEdit6->Text());
  WriteConfig(ini, cfg::scene::Matrix5, LabeledEdit11->Text());
}

void TForm1::BitBtn15Click(TObject*) {
  ToggleBrowsing(BitBtn15, kSceneCaptions, [this] { SceneBrowseScene = BoxNumber(LabeledEdit8); });
  TIniFile& ini = *ConfigFile;
  WriteConfig(ini, cfg::scene::SceneA, LabeledEdit8->Text());
  WriteConfig(ini, cfg::scene::SceneB, LabeledEdit9->Text());
  WriteConfig(ini, cfg::scene::TimeC, LabeledEdit7->Text());
}

void TForm1::CheckBox4Click(TObject*) {
  TabSheet6->SetTabVisible(CheckBox4->Checked());
  WriteConfig(*ConfigFile, cfg::setting::Jzll, CheckBox4->Checked());
}

void TForm1::CheckBox5Click(TObject*) {
  TabSheet7->SetTabVisible(CheckBox5->Checked());
  WriteConfig(*ConfigFile, cfg::setting::Yall, CheckBox5->Checked());
}

void TForm1::SignalBrowseStep() {
  // In 64 bits: the boxes take any integer, and the last output + 1 must not wrap.
  long long out = BoxNumber(LabeledEdit5);
  ++SignalBrowseTicks;
  if (BoxNumber(LabeledEdit4) > SignalBrowseTicks) return;
  if (BoxNumber(LabeledEdit3) < SignalBrowseInput) {
    // Past the last input: the next tick switches the first, as the count stands.
    SignalBrowseInput = BoxNumber(LabeledEdit6);
    return;
  }
  while (out < static_cast<long long>(BoxNumber(LabeledEdit11)) + 1) {
    BuildMatrixSwitch(static_cast<int>(out - 1), SignalBrowseInput);
    ++out;
    PauseFor(Form3->LabeledEdit5);
  }
  SignalBrowseTicks = 0;
  ++SignalBrowseInput;
}

void TForm1::SceneBrowseStep() {
  ++SceneBrowseTicks;
  if (BoxNumber(LabeledEdit7) > SceneBrowseTicks) return;
  if (BoxNumber(LabeledEdit9) < SceneBrowseScene) SceneBrowseScene = BoxNumber(LabeledEdit8);
  const auto scene = static_cast<std::uint8_t>(SceneBrowseScene);
  SendScreenFrame(MakeScreenFrame(kWholeWall, scRecallScene, scene));
  PauseFor(Form3->LabeledEdit4);
  RecallVideoMatrixPreset(scene);
  PauseFor(Form3->LabeledEdit5);
  RecallRgbMatrixPreset(scene);
  if (Label7->Caption() == "FST" && ComboBox1->Text() == "HDMI") {
    // FST's HDMI matrix recalls its scene by a text command of its own.
    const String recall = "PV" + Form3->LabeledEdit6->Text() + "RF" + IntToHex(scene, 2) + "00NT";
    WriteRgbMatrix(reinterpret_cast<const std::uint8_t*>(recall.data()), static_cast<std::uint16_t>(recall.size()));
    if (Form18->DebugMode) Memo1->Lines()->Add(recall);
  }
  SceneBrowseTicks = 0;
  ++SceneBrowseScene;
}

// ---- Timed scene slots -------------------------------------------------------------------------------

void TForm1::CheckBoxSClick(TObject* Sender) {
  int slot = 0;
  while (slot < cfg::SceneSwitch::kSlotCount && CheckBoxS[slot] != Sender) ++slot;
  if (slot == cfg::SceneSwitch::kSlotCount) return;
  if (CheckBoxS[slot]->Checked()) {
    if (!lbledtS[slot]->Text().empty() && !lbledtT[slot]->Text().empty() && !edtM[slot]->Text().empty()) {
      SaveSceneSchedule();
      tmrSceneSwitch->SetEnabled(true);
    } else {
      CheckBoxS[slot]->SetChecked(false);
      ShowMessage(kSlotSettingError);
    }
    return;
  }
  WriteConfig(*ConfigFile, cfg::SceneSwitch::Switch(slot + 1), false);
  bool anyTicked = false;
  for (TcxCheckBox* box : CheckBoxS) anyTicked = anyTicked || box->Checked();
  if (!anyTicked) tmrSceneSwitch->SetEnabled(false);
}

void TForm1::SaveSceneSchedule() {
  TIniFile& ini = *ConfigFile;
  for (int slot = 0; slot < cfg::SceneSwitch::kSlotCount; ++slot) {
    if (!CheckBoxS[slot]->Checked()) continue;
    TSceneSlot& recorded = SceneSlots[slot];
    recorded.Scene = StrToInt(lbledtS[slot]->Text());
    recorded.Hour = StrToInt(lbledtT[slot]->Text());
    recorded.Minute = StrToInt(edtM[slot]->Text());
    const int n = slot + 1;
    WriteConfig(ini, cfg::SceneSwitch::Switch(n), true);
    WriteConfig(ini, cfg::SceneSwitch::V(n), recorded.Scene);
    WriteConfig(ini, cfg::SceneSwitch::H(n), recorded.Hour);
    WriteConfig(ini, cfg::SceneSwitch::M(n), recorded.Minute);
  }
}

void TForm1::tmrSceneSwitchTimer(TObject* Sender) {
  // A recall's message box runs this timer's ticks in its loop: they must not fire the same
  // minute again.
  if (FSlotTickRunning) return;
  TBusy running(FSlotTickRunning);
  win::SYSTEMTIME now;
  win::GetLocalTime(&now);
  const int shown = ComboBox3->ItemIndex();
  tmrSceneSwitch->SetInterval(kSlotPollMs);
  for (int slot = 0; slot < cfg::SceneSwitch::kSlotCount; ++slot) {
    const TSceneSlot& due = SceneSlots[slot];
    if (!CheckBoxS[slot]->Checked() || now.wHour != due.Hour || now.wMinute != due.Minute) continue;
    // Only the scene list's scenes: a slot never recorded holds scene 0.
    if (due.Scene < 1 || due.Scene > kSceneCount) continue;
    ComboBox3->SetItemIndex(due.Scene - 1);
    std::exception_ptr failure;
    try {
      BitBtn13->Click();
    } catch (...) {
      failure = std::current_exception();
    }
    // However the recall ended, the list shows its scene again and this minute is done.
    ComboBox3->SetItemIndex(shown);
    RestartTimer(tmrSceneSwitch, kSlotAfterFiringMs);
    if (failure) {
      try {
        std::rethrow_exception(failure);
      } catch (...) {
        Application->HandleException(Sender);
      }
    }
  }
}

// ---- Timed power ---------------------------------------------------------------------------------------

TTimedPowerFields TForm1::TimedPowerFields() {
  return {&PowerOnHour, &PowerOnMinute, &PowerOffHour, &PowerOffMinute, &TimedPowerEnabled, &TimedPowerRepeat};
}

void TForm1::tmrTimingSetTimer(TObject*) {
  TimedPowerTick(TimedPowerFields(), tmrTimingSet, [this](const TScreenFrame& frame) { SendScreenFrame(frame); },
                 ConfigFile.get());
}
