#include "dialogs/PictureAdjustment.h"

#include "console/ScreenFrame.h"
#include "platform/classes/SysUtils.h"
#include "platform/system/Clock.h"

const std::array<TStepPair, 29> kStepPairs = {{
    // VIDEO: picture, position, reproduction rate.
    {"SpeedButton1", "SpeedButton2", scVideoBrightness},
    {"SpeedButton3", "SpeedButton4", scVideoContrast},
    {"SpeedButton5", "SpeedButton6", scVideoSaturation},
    {"SpeedButton7", "SpeedButton8", scVideoSharpness},
    {"SpeedButton57", "SpeedButton58", scVideoTone},
    {"SpeedButton9", "SpeedButton10", scVideoHPosition},
    {"SpeedButton11", "SpeedButton12", scVideoVPosition},
    {"btnHsatsub", "btnHsatadd", scHStart},
    {"btnHszesub", "btnHszeadd", scHSize},
    {"btnVsatsub", "btnVsatadd", scVStart},
    {"btnVszesub", "btnVszeadd", scVSize},
    // VGA: picture, brightness balance, darkness balance.
    {"SpeedButton19", "SpeedButton20", scPcBrightness},
    {"SpeedButton21", "SpeedButton22", scPcContrast},
    {"SpeedButton23", "SpeedButton24", scPcHPosition},
    {"SpeedButton25", "SpeedButton26", scPcVPosition},
    {"SpeedButton27", "SpeedButton28", scPcClock},
    {"SpeedButton29", "SpeedButton30", scPcPhase},
    {"SpeedButton69", "SpeedButton70", scBrightBalanceRed},
    {"SpeedButton71", "SpeedButton72", scBrightBalanceGreen},
    {"SpeedButton73", "SpeedButton74", scBrightBalanceBlue},
    {"SpeedButton31", "SpeedButton32", scDarkBalanceRed},
    {"SpeedButton33", "SpeedButton34", scDarkBalanceGreen},
    {"SpeedButton35", "SpeedButton36", scDarkBalanceBlue},
    // COLOR TEMP: the bright and dark levels of the three primaries.
    {"SpeedButton51", "SpeedButton52", scBrightLevelRed},
    {"SpeedButton53", "SpeedButton54", scBrightLevelGreen},
    {"SpeedButton55", "SpeedButton56", scBrightLevelBlue},
    {"SpeedButton45", "SpeedButton46", scDarkLevelRed},
    {"SpeedButton47", "SpeedButton48", scDarkLevelGreen},
    {"SpeedButton49", "SpeedButton50", scDarkLevelBlue},
}};

const std::array<TMixedColourPair, 8> kMixedColourPairs = {{
    {"btnBrnYellowSub", "btnBrnYellowAdd", scBrightLevelRed, {0, 0, 1}, 100},
    {"btnBrnPurpleSub", "btnBrnPurpleAdd", scBrightLevelRed, {0, 1, 0}, 100},
    {"btnBrnCyanSub", "btnBrnCyanAdd", scBrightLevelRed, {1, 0, 0}, 100},
    {"btnBrnGraySub", "btnBrnGrayAdd", scBrightLevelRed, {1, 1, 1}, 100},
    {"btnDrnYellowSub", "btnDrnYellowAdd", scDarkLevelRed, {0, 0, 1}, 100},
    {"btnDrnPurpleSub", "btnDrnPurpleAdd", scDarkLevelRed, {0, 1, 0}, 100},
    {"btnDrnCyanSub", "btnDrnCyanAdd", scDarkLevelRed, {1, 0, 0}, 100},
    // The screens were tuned with the shorter pause on this one button.
    {"btnDrnGraySub", "btnDrnGrayAdd", scDarkLevelRed, {1, 1, 1}, 50},
}};

String StepHandlerName(const String& Button) {
  // The one button whose handler kept the name it was first given.
  return Button == "btnHsatadd" ? String("cClick") : Button + "Click";
}

void SendMixedColour(const TScreenSender& Send, int RedCommand, const std::array<int, 3>& Values, int PauseMs) {
  for (int i = 0; i < 3; ++i) {
    if (i) win::Sleep(static_cast<win::DWORD>(PauseMs));
    Send(RedCommand + i, Values[i]);
  }
}

void RegisterPictureStepHandlers(TComponent* Form, const TScreenSender& Send) {
  auto bind = [&](const char* Button, std::function<void()> Action) {
    Form->RegisterHandler<void(TObject*)>(StepHandlerName(Button),
                                         [Action = std::move(Action)](TObject*) { Action(); });
  };
  for (const TStepPair& pair : kStepPairs) {
    bind(pair.Down, [Send, command = pair.Command] { Send(command, 0); });
    bind(pair.Up, [Send, command = pair.Command] { Send(command, 1); });
  }
  for (const TMixedColourPair& pair : kMixedColourPairs) {
    bind(pair.Down, [Send, pair] { SendMixedColour(Send, pair.RedCommand, pair.DownValues, 100); });
    const std::array<int, 3> up = {1 - pair.DownValues[0], 1 - pair.DownValues[1], 1 - pair.DownValues[2]};
    bind(pair.Up, [Send, pair, up] { SendMixedColour(Send, pair.RedCommand, up, pair.UpPauseMs); });
  }
}

const std::array<const char*, kSwatchRows> kSwatchPrefixes = {"BtnYel", "BtnPur", "BtnRed", "BtnChi",
                                                              "BtnGre", "BtnBlu", "BtnGra"};

TColor SwatchColor(int Row, int Column) {
  // Which of red, green and blue each row reduces, in the order of the prefixes.
  static constexpr std::array<std::array<bool, 3>, kSwatchRows> kReduced = {{
      {false, false, true},  // yellow
      {false, true, false},  // purple
      {false, true, true},   // red
      {true, false, false},  // cyan
      {true, false, true},   // green
      {true, true, false},   // blue
      {true, true, true},    // grey
  }};
  const int reduced = 255 - 4 * Column;
  const auto& r = kReduced.at(static_cast<std::size_t>(Row));
  auto level = [&](bool Reduced) { return static_cast<win::BYTE>(Reduced ? reduced : 255); };
  return static_cast<TColor>(win::RGB(level(r[0]), level(r[1]), level(r[2])));
}

void BuildSwatches(TComponent* Dialog, TWinControl* Panel, const TRzPanel* Unselected, const TMouseEvent& OnMouseDown) {
  const int pitch = Panel->Width() / 22;
  const int side = pitch - 5;
  for (int r = 0; r < kSwatchRows; ++r) {
    for (int n = 0; n < kSwatchColumns; ++n) {
      auto* swatch = new TRzPanel(Dialog);
      swatch->SetName(kSwatchPrefixes[static_cast<std::size_t>(r)] + IntToStr(n));
      swatch->SetHint(IntToStr(n));
      swatch->SetParent(Panel);
      swatch->SetCaption("");
      swatch->SetBounds(10 + n * pitch, 10 + r * pitch, side, side);
      swatch->SetColor(SwatchColor(r, n));
      swatch->SetBorderOuter(Unselected->BorderOuter());
      swatch->SetVisible(true);
      swatch->OnMouseDown = OnMouseDown;
    }
  }
}

void SelectSwatch(TRzPanel*& SelectedSwatch, TRzPanel* Swatch, const TRzPanel* Selected, const TRzPanel* Unselected) {
  if (SelectedSwatch) SelectedSwatch->SetBorderOuter(Unselected->BorderOuter());
  SelectedSwatch = Swatch;
  Swatch->SetBorderOuter(Selected->BorderOuter());
}

void PressWidthToggle(TForm* Dialog, TRzPanel*& SelectedSwatch, TRzPanel* Toggle, const TRzPanel* Selected,
                      TRzPanel* Unselected, TTimer* Timer, const TWidthToggle& Sizes) {
  if (SelectedSwatch) SelectedSwatch->SetBorderOuter(Unselected->BorderOuter());
  Unselected->SetBorderOuter(Toggle->BorderOuter());
  Toggle->SetBorderOuter(Selected->BorderOuter());
  SelectedSwatch = Toggle;
  Timer->SetEnabled(false);
  Timer->SetEnabled(true);
  if (Toggle->Caption() == ">>>") {
    Dialog->SetWidth(Dialog->Width() + Sizes.Widen);
    Toggle->SetCaption("<<<");
  } else {
    Dialog->SetWidth(Sizes.NarrowWidth);
    Toggle->SetCaption(">>>");
  }
  Toggle->SetLeft(Dialog->Width() - Sizes.RightMargin);
}

void ReleaseWidthToggle(TRzPanel* SelectedSwatch, TRzPanel* Toggle, const TRzPanel* Unselected, TTimer* Timer) {
  if (SelectedSwatch == Toggle) Toggle->SetBorderOuter(Unselected->BorderOuter());
  Timer->SetEnabled(false);
}
