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

namespace {

void BindClick(TComponent* Form, const char* Button, std::function<void()> Action) {
  Form->RegisterHandler<void(TObject*)>(StepHandlerName(Button), [Action = std::move(Action)](TObject*) { Action(); });
}

}  // namespace

void RegisterPictureStepHandlers(TComponent* Form, const TScreenSender& Send) {
  for (const TStepPair& pair : kStepPairs) {
    BindClick(Form, pair.Down, [Send, command = pair.Command] { Send(command, 0); });
    BindClick(Form, pair.Up, [Send, command = pair.Command] { Send(command, 1); });
  }
}

void RegisterMixedColourHandlers(TComponent* Form, const TScreenSender& Send) {
  for (const TMixedColourPair& pair : kMixedColourPairs) {
    BindClick(Form, pair.Down, [Send, pair] { SendMixedColour(Send, pair.RedCommand, pair.DownValues, 100); });
    const std::array<int, 3> up = {1 - pair.DownValues[0], 1 - pair.DownValues[1], 1 - pair.DownValues[2]};
    BindClick(Form, pair.Up, [Send, pair, up] { SendMixedColour(Send, pair.RedCommand, up, pair.UpPauseMs); });
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

namespace {

constexpr TCaptionRow kSharedCaptions[] = {
    {"Label1", "调整范围:", "Effect Range:"},
    {"BitBtn8", "系统复位", "Reset"},
    {"Label25", "背光亮度调整", "Back Light"},
    {"Button2", "保存调整", "Save"},
    {"Button3", "关闭", "Close"},
    // VIDEO.
    {"GroupBox5", "图像", "Picture"},
    {"lblVideoBrightness", "亮度", "Brightness"},
    {"lblVideoContrast", "对比度", "Contrast"},
    {"lblVideoSaturation", "饱和度", "Satuation"},
    {"lblVideoSharpness", "清晰度", "Sharpness"},
    {"lblVideoTone", "色调", "Tone"},
    {"GroupBox6", "位置", "Postion"},
    {"lblVideoHPosition", "水平位置", "H Position"},
    {"lblVideoVPosition", "垂直位置", "V Position"},
    {"GroupBox10", "重显率调节", "Reproduction Rate Adjustment"},
    {"lblHStart", "水平起始位置", "HSTART"},
    {"lblHSize", "水平大小", "HSIZE"},
    {"lblVStart", "垂直起始位置", "VSTART"},
    {"lblVSize", "垂直大小", "VSIZE"},
    // VGA.
    {"GroupBox1", "图像", "Picture"},
    {"lblPcBrightness", "亮度", "Brightness"},
    {"lblPcContrast", "对比度", "Contrast"},
    {"lblPcHPosition", "水平位置", "H Position"},
    {"lblPcVPosition", "垂直位置", "V Position"},
    {"lblPcClock", "时钟", "Clock"},
    {"lblPcPhase", "相位", "Phase"},
    {"GroupBox11", "色彩亮平衡", "Color Brightness Balance"},
    {"lblBrightBalanceRed", "红色", "Red"},
    {"lblBrightBalanceGreen", "绿色", "Green"},
    {"lblBrightBalanceBlue", "蓝色", "Blue"},
    {"GroupBox2", "色彩暗平衡", "Color Darkness Balance"},
    {"lblDarkBalanceRed", "红色", "Red"},
    {"lblDarkBalanceGreen", "绿色", "Green"},
    {"lblDarkBalanceBlue", "蓝色", "Blue"},
    {"Button4", "色彩自动调整", "Auto Color"},
    {"Button1", "位置自动调整", "Auto Pos."},
    // DVI/HDMI.
    {"grpDHYPicture", "图像", "Picture"},
    {"lblDHYBrightness", "亮度", "Brightness"},
    {"lblDHYContrast", "对比度", "Contrast"},
    {"lblDHYHPosition", "水平位置", "H Position"},
    {"lblDHYVPosition", "垂直位置", "V Position"},
    // COLOR TEMP: the bright and dark levels of the primaries.
    {"GroupBox8", "色温亮阶调整", "Color Brightness Adjustment"},
    {"lblBrightLevelRed", "红色", "Red"},
    {"lblBrightLevelGreen", "绿色", "Green"},
    {"lblBrightLevelBlue", "蓝色", "Blue"},
    {"GroupBox7", "色温暗阶调整", "Color Darkness Adjustment"},
    {"lblDarkLevelRed", "红色", "Red"},
    {"lblDarkLevelGreen", "绿色", "Green"},
    {"lblDarkLevelBlue", "蓝色", "Blue"},
};

}  // namespace

void ApplyPictureLanguage(TForm* Dialog, int Language, std::span<const TCaptionRow> OwnRows) {
  if (Language != 0 && Language != 1) return;
  const bool english = Language == 1;
  Dialog->SetCaption(english ? " Video Adjust" : "参数调整");
  for (std::span<const TCaptionRow> rows : {std::span<const TCaptionRow>(kSharedCaptions), OwnRows})
    for (const TCaptionRow& row : rows)
      if (auto* control = dynamic_cast<TControl*>(Dialog->FindComponent(row.Name)))
        control->SetCaption(english ? row.English : row.Chinese);
}

TPictureDialog::TPictureDialog(TComponent* AOwner, const TWidthToggle& Toggle, std::span<const TCaptionRow> OwnCaptions)
    : TForm(AOwner), FToggle(Toggle), FOwnCaptions(OwnCaptions) {
  RegisterHandler("Button3Click", &TPictureDialog::Button3Click);
  RegisterHandler("rzpnl3MouseDown", &TPictureDialog::rzpnl3MouseDown);
  RegisterHandler("tmr1Timer", &TPictureDialog::tmr1Timer);
}

void TPictureDialog::Loaded() {
  TForm::Loaded();
#define VW_FIND(Name) FindComponent(Name, #Name)
  VW_FIND(cxgrpbxTop);
  VW_FIND(Label1);
  VW_FIND(Label2);
  VW_FIND(BitBtn8);
  VW_FIND(cxPageControl1);
  VW_FIND(TabSheet1);
  VW_FIND(TabSheet2);
  VW_FIND(tsDHY);
  VW_FIND(tsCOLORTEMP);
  VW_FIND(ColorAdjust);
  VW_FIND(Button4);
  VW_FIND(Button1);
  VW_FIND(Panel1);
  VW_FIND(rzpnl1);
  VW_FIND(rzpnl2);
  VW_FIND(rzpnl3);
  VW_FIND(tmr1);
  VW_FIND(cxgrpbxBottom);
  VW_FIND(Label25);
  VW_FIND(SpeedButton43);
  VW_FIND(SpeedButton44);
  VW_FIND(Button2);
  VW_FIND(Button3);
#undef VW_FIND
}

void TPictureDialog::ApplyLanguage(int Language) { ApplyPictureLanguage(this, Language, FOwnCaptions); }

void TPictureDialog::BuildPalette(const TMouseEvent& OnMouseDown) { BuildSwatches(this, Panel1, rzpnl2, OnMouseDown); }

void TPictureDialog::SelectSwatch(TRzPanel* Swatch) { ::SelectSwatch(SelectedSwatch, Swatch, rzpnl1, rzpnl2); }

void TPictureDialog::Button3Click(TObject*) { Close(); }

void TPictureDialog::rzpnl3MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  PressWidthToggle(this, SelectedSwatch, rzpnl3, rzpnl1, rzpnl2, tmr1, FToggle);
}

void TPictureDialog::tmr1Timer(TObject*) { ReleaseWidthToggle(SelectedSwatch, rzpnl3, rzpnl2, tmr1); }
