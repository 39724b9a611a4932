#include "dialogs/PictureParametersConsoles.h"

#include <algorithm>

#include "app/BootWindow.h"
#include "console/ScreenFrame.h"
#include "console/WallGrid.h"
#include "platform/classes/SysUtils.h"
#include "platform/system/Clock.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

TForm32* Form32 = nullptr;

namespace {

// The ">>>" panel of this dialog.
constexpr TWidthToggle kWidthToggle{440, 765, 115};

// The texts of this dialog alone that change with the interface language.
constexpr TCaptionRow kOwnCaptions[] = {
    {"cxtbsht1", "信号源调整", "Signal Source ADJ"},
    {"tsCOLORTEMP", "色温", "COLOR TEMP"},
    {"ColorAdjust", "一致性调整", "COLOR ADJUST"},
    {"GBox1", "色温调节", "Color Adjustment"},
    {"lblColorRed", "红色", "Red"},
    {"lblColorGreen", "绿色", "Green"},
    {"lblColorBlue", "蓝色", "Blue"},
    {"lblColorYellow", "黄色", "Yellow"},
    {"lblColorPurple", "紫色", "Purple"},
    {"lblColorCyan", "青色", "Cyan"},
    {"lblColorGray", "灰色", "Gray"},
    {"lblColorBrightness", "亮度", "Brightness"},
    {"GBoxEdge", "边缘增亮", "Egde Brightness"},
    {"lbl6", "增亮幅度", "Increase Range"},
    {"BitbtnSet", "设置", "Apply"},
    {"BitbtnSame", "一键同步", "Auto Sync"},
};

// Which of red, green and blue a colour names: a swatch row or a step pair of the colour
// adjustment sends one frame for each, on three consecutive commands.
using TChannels = std::array<bool, 3>;

// The swatch rows' channels, in the order of their prefixes: the components a row keeps at 255,
// except the grey row, which moves all three.
constexpr std::array<TChannels, kSwatchRows> kSwatchChannels = {{
    {true, true, false},   // yellow
    {true, false, true},   // purple
    {true, false, false},  // red
    {false, true, true},   // cyan
    {false, true, false},  // green
    {false, false, true},  // blue
    {true, true, true},    // grey
}};

// The colour adjustment's step pairs: the down button sends 0, the up button 1, on each channel
// from FirstCommand on.
struct TColourPair {
  const char* Down;
  const char* Up;
  int FirstCommand;
  TChannels Channels;
};

constexpr TColourPair kColourPairs[] = {
    {"Bitbtn", "Bitbtn1", scColorRed, {true, false, false}},
    {"Bitbtn3", "Bitbtn2", scColorRed, {false, true, false}},
    {"Bitbtn5", "Bitbtn4", scColorRed, {false, false, true}},
    {"btnBrnYellowSub", "btnBrnYellowAdd", scColorRed, {true, true, false}},
    {"btnBrnPurpleSub", "btnBrnPurpleAdd", scColorRed, {true, false, true}},
    {"btnBrnCyanSub", "btnBrnCyanAdd", scColorRed, {false, true, true}},
    {"btnBrnGraySub", "btnBrnGrayAdd", scColorRed, {true, true, true}},
    {"Bitbtn13", "Bitbtn14", scColorBrightness, {true, false, false}},
};

// One frame for each channel named, the same value in each, 100 ms between them and none after.
void SendChannels(void (*Send)(int, int), int FirstCommand, const TChannels& Channels, int Value) {
  bool first = true;
  for (int i = 0; i < 3; ++i) {
    if (!Channels[static_cast<std::size_t>(i)]) continue;
    if (!first) win::Sleep(100);
    first = false;
    Send(FirstCommand + i, Value);
  }
}

}  // namespace

TForm32::TForm32(TComponent* AOwner) : TPictureDialog(AOwner, kWidthToggle, kOwnCaptions) {
  RegisterHandler("FormCreate", &TForm32::FormCreate);
  RegisterHandler("FormShow", &TForm32::FormShow);
  RegisterHandler("BitBtn8Click", &TForm32::BitBtn8Click);
  RegisterHandler("Button1Click", &TForm32::Button1Click);
  RegisterHandler("Button2Click", &TForm32::Button2Click);
  RegisterHandler("Button4Click", &TForm32::Button4Click);
  RegisterHandler("SpeedButton43Click", &TForm32::SpeedButton43Click);
  RegisterHandler("SpeedButton44Click", &TForm32::SpeedButton44Click);
  RegisterHandler("BitbtnSetClick", &TForm32::BitbtnSetClick);
  RegisterHandler("BitbtnSameClick", &TForm32::BitbtnSameClick);
  RegisterPictureStepHandlers(this, &TForm32::SendPictureStep);
  // The phase's up button of the shared rows, with the extra frame this dialog adds.
  RegisterHandler("SpeedButton30Click", &TForm32::SpeedButton30Click);
  for (const TColourPair& pair : kColourPairs) {
    for (int value : {0, 1}) {
      RegisterHandler<void(TObject*)>(String(value ? pair.Up : pair.Down) + "Click", [pair, value](TObject*) {
        SendChannels(&TForm32::Send, pair.FirstCommand, pair.Channels, value);
      });
    }
  }
}

TForm32::~TForm32() {
  if (Form32 == this) Form32 = nullptr;
}

void TForm32::Loaded() {
  TPictureDialog::Loaded();
  FindComponent(pageControlMain, "pageControlMain");
  FindComponent(cxtbsht1, "cxtbsht1");
  FindComponent(GBox1, "GBox1");
  FindComponent(GBoxEdge, "GBoxEdge");
  FindComponent(lbl6, "lbl6");
  FindComponent(cbb3, "cbb3");
  FindComponent(BitbtnSet, "BitbtnSet");
  FindComponent(BitbtnSame, "BitbtnSame");
}

void TForm32::Send(int Command, int Value) { Form33->SendScreenCommandHybrid(Command, Value); }

void TForm32::SendPictureStep(int Command, int Value) {
  // The splicing console's screens take their picture settings at the first screen's address.
  if (Form18->ConsoleKind == ckSplicing)
    Form33->SendScreenFrameHybrid(TScreenFrame::kHeader, 0x11, 0x11, Command, Value, TScreenFrame::kTrailer);
  else
    Send(Command, Value);
}

void TForm32::FormCreate(TObject*) {
  BuildPalette([this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    SwatchMouseDown(Sender, Button, Shift, X, Y);
  });
}

void TForm32::FormShow(TObject*) {
  cbb3->SetItemIndex(0);
  const TStringGrid* grid = Form18->ConsoleKind == ckSplicing ? Form23->stringgrid1 : Form33->stringgrid1;
  Label2->SetCaption(WallSelectionText(grid->Selection()));
  ApplyLanguage(Form33->LanguageHybrid);
  // The page stays where the operator left it: the description opens the first show on COLOR TEMP.
}

void TForm32::BitBtn8Click(TObject*) {
  Send(scSystemResetAlt, 1);
  win::Sleep(100);
  Send(scSystemReset, 1);
}

void TForm32::Button1Click(TObject*) { SendPictureStep(scAutoPosition, 1); }

void TForm32::Button2Click(TObject*) {
  SendPictureStep(scSaveSettings, 1);
  win::Sleep(100);
  SendPictureStep(scSaveSettingsAlt, 1);
}

void TForm32::Button4Click(TObject*) { SendPictureStep(scAutoColor, 1); }

void TForm32::SpeedButton30Click(TObject*) {
  SendPictureStep(scPcPhase, 1);
  // The phase step also reaches the first screen, whichever console addressed it.
  Form33->SendScreenFrameHybrid(TScreenFrame::kHeader, 0x11, 0x11, scPcPhase, 1, TScreenFrame::kTrailer);
}

void TForm32::SpeedButton43Click(TObject*) { Send(scBacklightAlt, 0); }
void TForm32::SpeedButton44Click(TObject*) { Send(scBacklightAlt, 1); }

void TForm32::BitbtnSetClick(TObject*) {
  // A typed text that names no item has position -1, so it sends level 0.
  const int level = cbb3->ItemIndex() + 1;
  Send(scEdgeBrightenA, 3 * level);
  win::Sleep(200);
  Send(scEdgeBrightenB, 3 * level);
  win::Sleep(200);
  Send(scEdgeBrightenLevel, level);
}

void TForm32::BitbtnSameClick(TObject*) { Send(scSync, 1); }

void TForm32::SwatchMouseDown(TObject* Sender, TMouseButton, TShiftState, int, int) {
  auto* swatch = static_cast<TRzPanel*>(Sender);
  const String prefix = Copy(swatch->Name(), 1, 6);
  const int h = StrToInt(swatch->Hint());
  SelectSwatch(swatch);
  const auto row = std::find(kSwatchPrefixes.begin(), kSwatchPrefixes.end(), prefix);
  if (row == kSwatchPrefixes.end()) return;
  SendChannels(&TForm32::Send, scSwatchRed, kSwatchChannels[static_cast<std::size_t>(row - kSwatchPrefixes.begin())],
               h + 220);
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm32>();
  return true;
}();

}  // namespace
