#include "app/BootWindow.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "app/StartupChooser.h"
#include "app/PictureChooser.h"
#include "app/VideoChooser.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "console/PictureFile.h"
#include "platform/classes/SysUtils.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

TForm18* Form18 = nullptr;
int ChooseMode = 1;
std::uint8_t AnimationRunning = 0;
int FadeTick = 0;
int FadeTotalTicks = 0;

namespace {

constexpr int kFadeSteps = 20;
constexpr std::uint8_t kFadeStep = 12;

}  // namespace

TForm18::TForm18(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormCreate", &TForm18::FormCreate);
  RegisterHandler("tmr1Timer", &TForm18::tmr1Timer);
}

TForm18::~TForm18() {
  if (Form18 == this) Form18 = nullptr;
}

int FadeTicksFor(int Still) {
  std::int64_t ticks = std::int64_t{std::max(Still, 0)} * 60 + 2 * kFadeSteps;
  return static_cast<int>(std::min<std::int64_t>(ticks, std::numeric_limits<int>::max()));
}

void TForm18::Loaded() {
  TForm::Loaded();
  img1 = dynamic_cast<TImage*>(FindComponent("img1"));
  tmr1 = dynamic_cast<TTimer*>(FindComponent("tmr1"));
}

void TForm18::FormCreate(TObject*) {
  SetBorderStyle(bsNone);
  Brush()->SetStyle(bsClear);
  // The consoles carry the program's task-bar buttons; the application window shows none.
  win::SetWindowLong(Application->Handle(), win::GWL_EXSTYLE, win::WS_EX_TOOLWINDOW);

  auto ini = OpenConfigFile();
  int height = ReadConfig(*ini, cfg::StartAnimation::Height);
  int width = ReadConfig(*ini, cfg::StartAnimation::Width);
  // As stored: a relative path is taken from the current folder, not the program's.
  String logoPath = ReadConfig(*ini, cfg::StartAnimation::LogoPath);
  int ifshow = ReadConfig(*ini, cfg::StartAnimation::IfShow);
  int still = ReadConfig(*ini, cfg::StartAnimation::Still);
  ChooseMode = ReadConfig(*ini, cfg::config::SoftwareChooseMode);
  SoftwareType = ReadConfig(*ini, cfg::config::SoftwareType);

  FadeTick = 0;
  FadeTotalTicks = FadeTicksFor(still);
  // A logo that does not decode is no logo: the choice comes at once.
  AnimationRunning = ifshow == 1 && FileExists(logoPath) && LoadPictureFile(img1->Picture(), logoPath) ? 1 : 0;
  if (AnimationRunning) {
    SetHeight(height);
    SetWidth(width);
  }
}

void TForm18::tmr1Timer(TObject*) {
  // One action per tick: the choice, or one step of the fade.
  if (!AnimationRunning || FadeTick >= FadeTotalTicks) {
    MakeConsoleChoice();
    return;
  }
  if (FadeTick < kFadeSteps)
    SetAlphaBlendValue(static_cast<std::uint8_t>(AlphaBlendValue() + kFadeStep));
  else if (FadeTick == kFadeSteps)
    SetAlphaBlendValue(255);
  else if (FadeTick > FadeTotalTicks - kFadeSteps)
    SetAlphaBlendValue(static_cast<std::uint8_t>(AlphaBlendValue() - kFadeStep));
  ++FadeTick;
}

void MakeConsoleChoice() {
  // First: the console's show may open the links and a modal message box inside this very tick.
  Form18->tmr1->SetEnabled(false);
  TCustomForm* next = Form25;
  if (ChooseMode == 1) {
    switch (Form18->SoftwareType) {
      case ckGrid: next = Form1; break;
      case ckSplicing: next = Form23; break;
      case ckHybrid: next = Form33; break;
      default: break;  // 0, and types nobody knows: the operator chooses
    }
    if (next != Form25) Form18->ConsoleKind = Form18->SoftwareType;
  } else if (ChooseMode == 2) {
    next = Form26;
  } else if (ChooseMode == 3) {
    next = Form22;
  }
  // Unknown modes open the start-up chooser too: the program never lives on without a window.
  next->Show();
  Form18->Hide();
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm18>();
  return true;
}();

}  // namespace
