#include "ui/foundation/Office11Colors.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <string>

#include "platform/system/Modules.h"
#include "platform/system/Version.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;

TColor Office11ColorTable[Office11ColorCount];
TColor Office11ExpandBoxCornerColor = 0;
TColor Office11ExpandBoxOuterCornerColor = 0;
HBRUSH Office11GripDotBrush = nullptr;
HBRUSH Office11GripLightBrush = nullptr;
HBRUSH Office11LineShadowBrush = nullptr;
HBRUSH Office11LineHighlightBrush = nullptr;
HBRUSH Office11WindowBrush = nullptr;
HBRUSH Office11SelectionBrush = nullptr;
HBRUSH Office11Color41Brush = nullptr;
HBRUSH Office11Color47Brush = nullptr;
HBRUSH Office11Color48Brush = nullptr;
HBRUSH Office11Color49Brush = nullptr;
HBRUSH Office11FrameBrush = nullptr;
HBRUSH Office11Color50Brush = nullptr;
HBRUSH Office11GroupByBoxBrush = nullptr;
TBitmap* Office11SubMenuExpandBitmap = nullptr;
TBitmap* Office11ExpandButtonMinusBitmap = nullptr;
TBitmap* Office11ExpandButtonPlusBitmap = nullptr;

namespace {

struct TOffice11Entry {
  const char* Name;
  int SchemeEntry;        // index in the scheme records, -1 for entries computed in every scheme
  TColor Scheme[3];       // blue, olive, silver
};

// The entries in table order, with their values in the three schemes.
constexpr TOffice11Entry kEntries[Office11ColorCount] = {
    {"Office11FaceColor", 2, {0xF5BE9E, 0xA7D9D9, 0xE5D7D7}},
    {"Office11LightFaceColor", 3, {0xF9DAC3, 0xE4F0F2, 0xF7F3F3}},
    {"Office11GradientLightColor", 0, {0xFEECDD, 0xDEF7F4, 0xFAF4F3}},
    {"Office11GradientDarkColor", 1, {0xE2A981, 0x91C6B7, 0xB59799}},
    {"Office11ToneColor1", 5, {0xF1A675, 0x8CC2B0, 0xC8B2B3}},
    {"Office11ToneColor2", 7, {0xD3F8FF, 0xD3F8FF, 0xD3F8FF}},
    {"Office11ToneColor3", 9, {0x5295FE, 0x5295FE, 0x5295FE}},
    {"Office11ToneColor4", 4, {0x913500, 0x6B7760, 0x927476}},
    {"Office11ToneColor5", 6, {0x76C1FF, 0x76C1FF, 0x76C1FF}},
    {"Office11ToneColor6", 8, {0x98DDFF, 0x98DDFF, 0x98DDFF}},
    {"Office11ToneColor7", 10, {0x9C613B, 0x588060, 0x947C7C}},
    {"Office11ToneColor8", 11, {0xE0A47B, 0x8FC4B5, 0xB09193}},
    {"Office11MixedToneColor1", -1, {0, 0, 0}},
    {"Office11MixedToneColor2", -1, {0, 0, 0}},
    {"Office11MixedToneColor3", -1, {0, 0, 0}},
    {"Office11MixedToneColor4", -1, {0, 0, 0}},
    {"Office11MixedToneColor5", -1, {0, 0, 0}},
    {"Office11MixedToneColor6", -1, {0, 0, 0}},
    {"Office11GripDotColor", 12, {0x764127, 0x335E51, 0x755454}},
    {"Office11GripLightColor", 13, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
    {"Office11LineShadowColor", 14, {0xCB8C6A, 0x588060, 0x8F6D6E}},
    {"Office11LineHighlightColor", 15, {0xFFF9F1, 0xDEF7F4, 0xFFFFFF}},
    {"Office11ContrastTextColor", -1, {0, 0, 0}},
    {"Office11ContrastBackColor", -1, {0, 0, 0}},
    {"Office11FilterPanelColor", 16, {0xC9662A, 0x5E8674, 0x99797A}},
    {"Office11FilterPanelLightColor", 17, {0xF9DBC4, 0xADDEE1, 0xE4DADB}},
    {"Office11Color27", -1, {0, 0, 0}},
    {"Office11Color28", -1, {0, 0, 0}},
    {"Office11FilterPanelTextColor", -1, {0, 0, 0}},
    {"Office11Color30", -1, {0, 0, 0}},
    {"Office11Color31", -1, {0, 0, 0}},
    {"Office11WindowColor", 19, {0xF6F6F6, 0xEEF4F4, 0xFFFAFD}},
    {"Office11Color33", -1, {0, 0, 0}},
    {"Office11Color34", -1, {0, 0, 0}},
    {"Office11Color35", -1, {0, 0, 0}},
    {"Office11Color36", -1, {0, 0, 0}},
    {"Office11Color37", -1, {0, 0, 0}},
    {"Office11Color38", -1, {0, 0, 0}},
    {"Office11FrameColor", 18, {0x962D00, 0x5E8D75, 0x947C7C}},
    {"Office11Color40", -1, {0, 0, 0}},
    {"Office11Color41", 20, {0xC2EEFF, 0xC2EEFF, 0xC2EEFF}},
    {"Office11HighlightFrameColor", 21, {0x800000, 0x385D3F, 0x6F4B4B}},
    {"Office11HotColor", 22, {0xCCF4FF, 0xCCF4FF, 0xCCF4FF}},
    {"Office11HotLightColor", 23, {0x91D0FF, 0x91D0FF, 0x91D0FF}},
    {"Office11PressedColor", 24, {0x8ED3FF, 0x8ED3FF, 0x8ED3FF}},
    {"Office11Color46", 25, {0x4E91FE, 0x4E91FE, 0x4E91FE}},
    {"Office11Color47", 26, {0xFCE1CB, 0xB6E3D8, 0xE7D3D6}},
    {"Office11Color48", 27, {0x6FC0FF, 0x6FC0FF, 0x6FC0FF}},
    {"Office11Color49", 28, {0x3E80FE, 0x3E80FE, 0x3E80FE}},
    {"Office11Color50", 29, {0xF0C7A9, 0x9FD4C5, 0xD3C0C0}},
    {"Office11Color51", -1, {0, 0, 0}},
    {"Office11ArrowColor", 30, {0x000000, 0x000000, 0x000000}},
    {"Office11DisabledArrowColor", 31, {0x8D8D8D, 0x8D8D8D, 0x8D8D8D}},
    {"Office11Color54", -1, {0, 0, 0}},
    {"Office11Color55", -1, {0, 0, 0}},
    {"Office11GroupByBoxColor", -1, {0, 0, 0}},
    {"Office11Color57", -1, {0, 0, 0}},
    {"Office11ControlBorderColor", -1, {0, 0, 0}},
    {"Office11GroupRowColor", 32, {0xFBDABE, 0x91BAAF, 0xEBE5E5}},
    {"Office11SelectedDayColor", 33, {0x94E6FB, 0x94E6FB, 0x94E6FB}},
    {"Office11ViewFrameColor", 35, {0x962D00, 0x588060, 0x947C7C}},
    {"Office11PanelFaceColor", 34, {0xFADAC4, 0xE4F1F2, 0xF7F3F3}},
    {"Office11GroupRowBackColor", -1, {0, 0, 0}},
    {"Office11GroupRowTextColor", 36, {0xB96837, 0x548973, 0x916F70}},
    {"Office11GroupRowSeparatorColor", -1, {0, 0, 0}},
    {"Office11Color66", 37, {0x962D00, 0x5E8D75, 0x947C7C}},
    {"Office11Color67", 38, {0xFBE5D3, 0xDBF5F2, 0xF8F1F0}},
    {"Office11Color68", 39, {0xE4AE88, 0x97C9BC, 0xBA9EA0}},
    {"Office11Color69", 40, {0xDCFFFF, 0xDCFFFF, 0xDCFFFF}},
    {"Office11Color70", 41, {0x5BC0F7, 0x5BC0F7, 0x5BC0F7}},
    {"Office11Color71", 42, {0x94E6FB, 0x94E6FB, 0x94E6FB}},
    {"Office11Color72", 43, {0x1595EE, 0x1595EE, 0x1595EE}},
    {"Office11Color73", 44, {0x087FE8, 0x087FE8, 0x087FE8}},
    {"Office11Color74", 45, {0x7CDAF7, 0x7CDAF7, 0x7CDAF7}},
    {"Office11Color75", 46, {0xD68759, 0x82C0AF, 0xBFA7A8}},
    {"Office11Color76", 47, {0x933803, 0x447A63, 0x916F70}},
    {"Office11Color77", 48, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
    {"Office11Color78", -1, {0, 0, 0}},
    {"Office11Color79", -1, {0, 0, 0}},
};

int UseCount = 0;
TdxOffice11ColorScheme Scheme = ocsNone;
bool Themed = false;
int KneePercent = 75;
HMODULE Msimg32 = nullptr;
using TGradientFillProc = BOOL (*)(HDC, const TRIVERTEX*, ULONG, const void*, ULONG, ULONG);
TGradientFillProc GradientFillProc = nullptr;

constexpr int kKneePercents[4] = {75, 41, 125, 40};

std::string UpperText(std::string S) {
  for (char& c : S) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return S;
}

COLORREF Rgb(TColor Color) { return ColorToRGB(Color); }

TColor Mix(TColor A, TColor B, int Percent) { return BlendColorsByPercent(A, B, Percent); }
TColor Light(int F, int H, int W) { return NearestScreenColor(BlendSystemColorsByPercent(F, H, W)); }

TColor CaptionColor(bool Start) {
  const COLORREF face = Rgb(clBtnFace);
  auto channel = [&](int c) { return Start ? c * 127 / 255 + 128 : (c - c * 4 / 255 + 4) & 0xFF; };
  return NearestScreenColor(static_cast<TColor>(
      RGB(static_cast<BYTE>(channel(GetRValue(face))), static_cast<BYTE>(channel(GetGValue(face))),
          static_cast<BYTE>(channel(GetBValue(face))))));
}

// Every entry from the system colours, in table order, except that the entries copying
// Office11Color49 see it computed first.
void ComputeSystemColors() {
  Office11FaceColor = clBtnFace;
  Office11LightFaceColor = Mix(clBtnFace, clWindow, 20);
  Office11GradientLightColor = Mix(clBtnFace, clWindow, 22);
  Office11GradientDarkColor = Mix(clBtnFace, clWindow, 96);
  Office11ToneColor1 = Mix(clBtnShadow, clWindow, 74);
  Office11ToneColor2 = Light(-15, 29, 86);
  Office11ToneColor3 = Light(42, 11, 47);
  Office11ToneColor4 = clBtnShadow;
  Office11ToneColor5 = Office11ToneColor2;
  Office11ToneColor6 = Office11ToneColor3;
  Office11ToneColor7 = Mix(clBtnFace, clWindow, 85);
  Office11ToneColor8 = clBtnFace;
  Office11MixedToneColor1 = Mix(Office11ToneColor4, clWindow, 50);
  Office11MixedToneColor2 = Mix(Office11ToneColor5, clWindow, 50);
  Office11MixedToneColor3 = Mix(Office11ToneColor6, clWindow, 50);
  Office11MixedToneColor4 = Mix(Office11ToneColor4, Office11ToneColor8, 50);
  Office11MixedToneColor5 = Mix(Office11ToneColor5, Office11ToneColor8, 50);
  Office11MixedToneColor6 = Mix(Office11ToneColor6, Office11ToneColor8, 50);
  Office11GripDotColor = Mix(clBtnShadow, clWindow, 76);
  Office11GripLightColor = clWindow;
  Office11LineShadowColor = Mix(clBtnShadow, clWindow, 70);
  Office11LineHighlightColor = clWhite;
  Office11ContrastTextColor = clBtnText;
  Office11ContrastBackColor = clWindow;
  Office11FilterPanelColor = clBtnShadow;
  Office11FilterPanelLightColor = Office11GradientDarkColor;
  Office11Color27 = Office11GradientLightColor;
  Office11Color28 = Office11FilterPanelColor;
  Office11FilterPanelTextColor = clBtnHighlight;
  Office11Color30 = clBtnText;
  Office11Color31 = clBtnText;
  Office11WindowColor = clWindow;
  Office11Color33 = Office11GradientLightColor;
  Office11Color34 = Office11GradientDarkColor;
  Office11Color35 = Office11GradientLightColor;
  Office11Color36 = Office11GradientDarkColor;
  Office11Color37 = Mix(Office11Color35, clBlack, 92);
  Office11Color38 = Mix(Office11Color36, clBlack, 92);
  Office11FrameColor = clBtnShadow;
  Office11Color40 = Office11WindowColor;
  Office11Color41 = Light(-2, 30, 72);
  Office11HighlightFrameColor = clHighlight;
  Office11HotColor = Office11Color41;
  Office11HotLightColor = Office11Color41;
  Office11Color49 = Light(14, 44, 40);
  Office11PressedColor = Office11Color49;
  Office11Color46 = Office11Color49;
  Office11Color47 = Office11GradientDarkColor;
  Office11Color48 = BlendSystemColorsByPercent(41, 11, 48);
  Office11Color50 = Office11Color47;
  Office11Color51 = Office11Color41;
  Office11ArrowColor = clBtnText;
  Office11DisabledArrowColor = clGrayText;
  Office11Color54 = Office11FrameColor;
  Office11Color55 = Office11FaceColor;
  Office11GroupByBoxColor = Office11MixedToneColor4;
  Office11Color57 = Office11FilterPanelTextColor;
  Office11ControlBorderColor = Office11FrameColor;
  Office11GroupRowColor = clBtnFace;
  Office11SelectedDayColor = Office11Color48;
  Office11ViewFrameColor = Office11FrameColor;
  Office11PanelFaceColor = Office11FaceColor;
  Office11GroupRowBackColor = clBtnFace;
  Office11GroupRowTextColor = clBtnShadow;
  Office11GroupRowSeparatorColor = clBtnShadow;
  Office11Color66 = NearestScreenColor(clBtnShadow);
  Office11Color67 = CaptionColor(true);
  Office11Color68 = CaptionColor(false);
  Office11Color69 = Office11HotColor;
  Office11Color70 = Office11HotLightColor;
  Office11Color71 = Office11Color48;
  Office11Color72 = Office11Color71;
  Office11Color73 = Office11Color49;
  Office11Color74 = Office11Color73;
  Office11Color75 = Office11Color66;
  Office11Color76 = Office11Color66;
  Office11Color77 = clHighlightText;
  Office11Color78 = NearestScreenColor(clBtnFace);
  Office11Color79 = Office11Color66;
}

// The scheme's record, then the entries every scheme computes alike.
void ComputeSchemeColors(TdxOffice11ColorScheme S) {
  for (int i = 0; i < Office11ColorCount; ++i)
    if (kEntries[i].SchemeEntry >= 0) Office11ColorTable[i] = kEntries[i].Scheme[S - 1];
  Office11MixedToneColor1 = Mix(Office11ToneColor1, Office11GradientLightColor, 90);
  Office11MixedToneColor2 = Mix(Office11ToneColor2, Office11GradientLightColor, 90);
  Office11MixedToneColor3 = Mix(Office11ToneColor3, Office11GradientLightColor, 90);
  Office11MixedToneColor4 = Mix(Office11ToneColor4, Office11ToneColor8, 50);
  Office11MixedToneColor5 = Mix(Office11ToneColor5, Office11ToneColor8, 50);
  Office11MixedToneColor6 = Mix(Office11ToneColor6, Office11ToneColor8, 50);
  Office11ContrastTextColor = clBlack;
  Office11ContrastBackColor = clWhite;
  Office11Color27 = Office11GradientLightColor;
  Office11Color28 = Office11FilterPanelColor;
  Office11FilterPanelTextColor = clWhite;
  Office11Color30 = clBlack;
  Office11Color31 = clBlack;
  Office11Color33 = Office11GradientLightColor;
  Office11Color34 = Office11GradientDarkColor;
  Office11Color35 = Office11GradientLightColor;
  Office11Color36 = Office11GradientDarkColor;
  Office11Color37 = Mix(Office11Color35, clBlack, 92);
  Office11Color38 = Mix(Office11Color36, clBlack, 92);
  Office11Color40 = Office11WindowColor;
  Office11Color51 = Office11Color41;
  Office11Color54 = Office11FrameColor;
  Office11Color55 = Office11FaceColor;
  Office11GroupByBoxColor = Office11MixedToneColor4;
  Office11Color57 = Office11FilterPanelTextColor;
  Office11ControlBorderColor = Office11FrameColor;
  Office11GroupRowBackColor = static_cast<TColor>(0xC9EEFD);
  Office11GroupRowSeparatorColor = Office11ToneColor8;
  Office11Color78 = Office11Color75;
  Office11Color79 = Office11Color76;
}

void ComputeTable() {
  Scheme = DetectOffice11ColorScheme();
  Themed = HasVisualStyles() && Scheme != ocsNone;
  if (Themed)
    ComputeSchemeColors(Scheme);
  else
    ComputeSystemColors();
  KneePercent = kKneePercents[Themed ? Scheme : ocsNone];
}

HBRUSH SolidBrushOf(TColor Color) { return CreateSolidBrush(Rgb(Color)); }

void FreeBrush(HBRUSH& Brush) {
  if (Brush) DeleteObject(Brush);
  Brush = nullptr;
}

// The sub-menu glyph's shaded pixels between the two gradient colours, by their red values.
void RetintSubMenuGlyph(TBitmap* Bitmap) {
  if (!Bitmap || Bitmap->Width() <= 0 || Bitmap->Height() <= 0) return;
  TCanvas* canvas = Bitmap->Canvas();
  const COLORREF background = canvas->Pixels(0, 0) & 0xFFFFFF;
  TColor a = Office11GradientLightColor;
  TColor b = Office11GradientDarkColor;
  if (Rgb(a) == Rgb(b)) b = Rgb(a) == 0 ? clWhite : clBlack;
  int smallest = 256, largest = -1;
  auto tinted = [&](COLORREF p) { return p != background && p != 0; };
  for (int y = 0; y < Bitmap->Height(); ++y)
    for (int x = 0; x < Bitmap->Width(); ++x) {
      const COLORREF p = canvas->Pixels(x, y) & 0xFFFFFF;
      if (!tinted(p)) continue;
      smallest = std::min(smallest, static_cast<int>(GetRValue(p)));
      largest = std::max(largest, static_cast<int>(GetRValue(p)));
    }
  for (int y = 0; y < Bitmap->Height(); ++y)
    for (int x = 0; x < Bitmap->Width(); ++x) {
      const COLORREF p = canvas->Pixels(x, y) & 0xFFFFFF;
      if (!tinted(p)) continue;
      // Pixels that share one red value have no range to spread over: they take the first colour.
      const int percent = largest > smallest ? (GetRValue(p) - smallest) * 100 / (largest - smallest) : 0;
      canvas->SetPixels(x, y, BlendColorsByPercent(a, b, percent));
    }
}

TBitmap* LoadGlyph(const char* Name) {
  auto* bitmap = new TBitmap();
  try {
    bitmap->LoadFromResourceName(GetModuleHandle(nullptr), Name);
    bitmap->SetPixelFormat(pf32bit);
  } catch (...) {
    // A program built without the pictures still draws, only without these glyphs.
    delete bitmap;
    return nullptr;
  }
  return bitmap;
}

void CreateBrushesAndBitmaps() {
  Office11ExpandBoxCornerColor = static_cast<TColor>(0xBFAE9E);
  Office11ExpandBoxOuterCornerColor = static_cast<TColor>(0x5F462E);
  Office11GripDotBrush = SolidBrushOf(Office11GripDotColor);
  Office11GripLightBrush = SolidBrushOf(Office11GripLightColor);
  Office11LineShadowBrush = SolidBrushOf(Office11LineShadowColor);
  Office11LineHighlightBrush = SolidBrushOf(Office11LineHighlightColor);
  Office11WindowBrush = SolidBrushOf(Office11WindowColor);
  Office11SelectionBrush = SolidBrushOf(Office11HighlightFrameColor);
  Office11Color41Brush = SolidBrushOf(Office11Color41);
  Office11Color47Brush = SolidBrushOf(Office11Color47);
  Office11Color48Brush = SolidBrushOf(Office11Color48);
  Office11Color49Brush = SolidBrushOf(Office11Color49);
  Office11FrameBrush = SolidBrushOf(Office11FrameColor);
  Office11Color50Brush = SolidBrushOf(Office11Color50);
  Office11GroupByBoxBrush = SolidBrushOf(Office11GroupByBoxColor);
  Office11SubMenuExpandBitmap = LoadGlyph("DXSUBMENUEXPAND");
  RetintSubMenuGlyph(Office11SubMenuExpandBitmap);
  Office11ExpandButtonMinusBitmap = LoadGlyph("DXEXPANDBUTTON_MINUS");
  Office11ExpandButtonPlusBitmap = LoadGlyph("DXEXPANDBUTTON_PLUS");
}

void FreeBrushesAndBitmaps() {
  for (HBRUSH* b : {&Office11GripDotBrush, &Office11GripLightBrush, &Office11LineShadowBrush,
                    &Office11LineHighlightBrush, &Office11WindowBrush, &Office11SelectionBrush, &Office11Color41Brush,
                    &Office11Color47Brush, &Office11Color48Brush, &Office11Color49Brush, &Office11FrameBrush,
                    &Office11Color50Brush, &Office11GroupByBoxBrush})
    FreeBrush(*b);
  for (TBitmap** b : {&Office11SubMenuExpandBitmap, &Office11ExpandButtonMinusBitmap, &Office11ExpandButtonPlusBitmap}) {
    delete *b;
    *b = nullptr;
  }
}

int Channel(COLORREF C, int Index) { return Index == 0 ? GetRValue(C) : Index == 1 ? GetGValue(C) : GetBValue(C); }

// Color1 + round(Index x (Color2 - Color1) / Divisor) per channel; the first colour for no divisor.
COLORREF StepColor(COLORREF C1, COLORREF C2, int Index, int Divisor) {
  if (Divisor <= 0) return C1;
  int c[3];
  for (int k = 0; k < 3; ++k)
    c[k] = std::clamp(
        Channel(C1, k) + RoundHalfEven(static_cast<double>(Index) * (Channel(C2, k) - Channel(C1, k)) / Divisor), 0,
        255);
  return RGB(static_cast<BYTE>(c[0]), static_cast<BYTE>(c[1]), static_cast<BYTE>(c[2]));
}

void FillBand(HDC DC, const TRect& Rect, bool Horizontal, int From, int To, COLORREF Color) {
  if (To <= From) return;
  TRect band = Rect;
  if (Horizontal) {
    band.Left = From;
    band.Right = To;
  } else {
    band.Top = From;
    band.Bottom = To;
  }
  SolidFillRect(DC, band, static_cast<TColor>(Color));
}

}  // namespace

const char* Office11ColorName(int Index) {
  return Index >= 0 && Index < Office11ColorCount ? kEntries[Index].Name : "";
}

int Office11ColorIndex(const char* Name) {
  for (int i = 0; i < Office11ColorCount; ++i)
    if (Name && std::strcmp(kEntries[i].Name, Name) == 0) return i;
  return -1;
}

// ---- scheme and table -------------------------------------------------------------------------------

TdxOffice11ColorScheme DetectOffice11ColorScheme() {
  if (!HasVisualStyles()) return ocsNone;
  char file[1024] = {}, color[1024] = {};
  if (UxGetCurrentThemeName(file, 1024, color, 1024, nullptr, 0) != S_OK) return ocsNone;
  file[1023] = color[1023] = '\0';
  std::string path(file);
  const std::string name = UpperText(path.substr(path.find_last_of("\\/:") + 1));
  OSVERSIONINFO version;
  GetVersionEx(&version);
  if (name != "LUNA.MSSTYLES" && version.dwMajorVersion < 6) return ocsNone;
  const std::string colorName = UpperText(color);
  if (colorName == "NORMALCOLOR") return ocsBlue;
  if (colorName == "HOMESTEAD") return ocsOlive;
  if (colorName == "METALLIC") return ocsSilver;
  return ocsNone;
}

TdxOffice11ColorScheme CurrentOffice11ColorScheme() { return Scheme; }
bool AreOffice11ColorsThemed() { return Themed; }
int Office11KneePercent() { return KneePercent; }
int Office11ColorsUseCount() { return UseCount; }

void AcquireOffice11Colors() {
  if (UseCount == 0) {
    ComputeTable();
    CreateBrushesAndBitmaps();
  }
  ++UseCount;
}

void RelinquishOffice11Colors() {
  if (UseCount == 0) return;
  if (--UseCount == 0) FreeBrushesAndBitmaps();
}

void RebuildOffice11Colors() {
  ComputeTable();
  if (UseCount > 0) {
    FreeBrushesAndBitmaps();
    CreateBrushesAndBitmaps();
  }
}

bool IsButtonFaceBlack() { return Rgb(clBtnFace) == 0; }
bool IsButtonFaceWhite() { return Rgb(clBtnFace) == 0xFFFFFF; }
bool IsButtonFaceBlackWithColoredText() { return IsButtonFaceBlack() && Rgb(clBtnText) != 0xFFFFFF; }

// ---- colour arithmetic ------------------------------------------------------------------------------

int RoundHalfEven(double X) { return static_cast<int>(std::nearbyint(X)); }

TColor BlendColorsByPercent(TColor Color1, TColor Color2, int Percent) {
  const COLORREF c1 = Rgb(Color1), c2 = Rgb(Color2);
  int c[3];
  for (int k = 0; k < 3; ++k)
    c[k] = std::min(255, RoundHalfEven(Channel(c1, k) * Percent / 100.0) +
                             RoundHalfEven(Channel(c2, k) * (100 - Percent) / 100.0));
  return NearestScreenColor(
      static_cast<TColor>(RGB(static_cast<BYTE>(c[0]), static_cast<BYTE>(c[1]), static_cast<BYTE>(c[2]))));
}

TColor BlendSystemColorsByPercent(int FacePercent, int HighlightPercent, int WindowPercent) {
  const COLORREF face = Rgb(clBtnFace), highlight = Rgb(clHighlight), window = Rgb(clWindow);
  if (face == 0 || face == 0xFFFFFF) return clHighlight;
  int c[3];
  for (int k = 0; k < 3; ++k)
    c[k] = std::clamp(RoundHalfEven(Channel(face, k) * FacePercent / 100.0) +
                          RoundHalfEven(Channel(highlight, k) * HighlightPercent / 100.0) +
                          RoundHalfEven(Channel(window, k) * WindowPercent / 100.0),
                      0, 255);
  return static_cast<TColor>(RGB(static_cast<BYTE>(c[0]), static_cast<BYTE>(c[1]), static_cast<BYTE>(c[2])));
}

TColor ScaleColorChannels(TColor Color, int Percent) {
  const COLORREF c = Rgb(Color);
  auto scale = [&](int v) { return static_cast<BYTE>(std::clamp(v * Percent / 100, 0, 255)); };
  return static_cast<TColor>(RGB(scale(GetRValue(c)), scale(GetGValue(c)), scale(GetBValue(c))));
}

// ---- fills and frames -------------------------------------------------------------------------------

void SolidFillRect(HDC DC, const TRect& Rect, TColor Color) {
  HBRUSH brush = SolidBrushOf(Color);
  RECT r = Rect;
  FillRect(DC, &r, brush);
  DeleteObject(brush);
}

void SolidFrameRect(HDC DC, const TRect& Rect, TColor Color) {
  HBRUSH brush = SolidBrushOf(Color);
  RECT r = Rect;
  FrameRect(DC, &r, brush);
  DeleteObject(brush);
}

void PaintGradientRect(HDC DC, const TRect& Rect, TColor Color1, TColor Color2, bool Horizontal) {
  const COLORREF c1 = Rgb(Color1), c2 = Rgb(Color2);
  if (c1 == c2) {
    SolidFillRect(DC, Rect, Color1);
    return;
  }
  if (GradientFillProc) {
    TRIVERTEX v[2] = {};
    v[0].x = Rect.Left;
    v[0].y = Rect.Top;
    v[0].Red = static_cast<USHORT>(GetRValue(c1) << 8);
    v[0].Green = static_cast<USHORT>(GetGValue(c1) << 8);
    v[0].Blue = static_cast<USHORT>(GetBValue(c1) << 8);
    v[1].x = Rect.Right;
    v[1].y = Rect.Bottom;
    v[1].Red = static_cast<USHORT>(GetRValue(c2) << 8);
    v[1].Green = static_cast<USHORT>(GetGValue(c2) << 8);
    v[1].Blue = static_cast<USHORT>(GetBValue(c2) << 8);
    GRADIENT_RECT mesh{0, 1};
    GradientFillProc(DC, v, 2, &mesh, 1, Horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
    return;
  }
  const int start = Horizontal ? Rect.Left : Rect.Top;
  const int extent = Horizontal ? Rect.Right - Rect.Left : Rect.Bottom - Rect.Top;
  if (extent <= 0) return;
  const int n = std::min(extent, 256);
  int from = start;
  for (int i = 0; i < n && from < start + extent; ++i) {
    const int to = start + RoundHalfEven(static_cast<double>(i + 1) * extent / n);
    FillBand(DC, Rect, Horizontal, from, std::min(to, start + extent), StepColor(c1, c2, i, n - 1));
    from = std::max(from, to);
  }
}

TColor GradientColorAt(const TRect& Rect, int Pos, TColor Color1, TColor Color2, bool Horizontal) {
  const int start = Horizontal ? Rect.Left : Rect.Top;
  const int extent = Horizontal ? Rect.Right - Rect.Left : Rect.Bottom - Rect.Top;
  const COLORREF c1 = Rgb(Color1), c2 = Rgb(Color2);
  if (extent <= 1) return static_cast<TColor>(c1);
  const int n = std::min(extent, 256);
  const int index = std::max(0, RoundHalfEven(static_cast<double>(Pos - start + 1) * n / extent) - 1);
  return static_cast<TColor>(StepColor(c1, c2, index, n - 1));
}

void PaintKneeGradientRect(HDC DC, const TRect& Rect, TColor Color1, TColor Color2, bool Horizontal) {
  const COLORREF c1 = Rgb(Color1), c2 = Rgb(Color2);
  if (c1 == c2) {
    SolidFillRect(DC, Rect, Color1);
    return;
  }
  const int start = Horizontal ? Rect.Left : Rect.Top;
  const int extent = Horizontal ? Rect.Right - Rect.Left : Rect.Bottom - Rect.Top;
  if (extent <= 0) return;
  const int half = extent / 2;
  int k[3];
  for (int i = 0; i < 3; ++i)
    k[i] = std::clamp(Channel(c1, i) - RoundHalfEven((Channel(c1, i) - Channel(c2, i)) * KneePercent / 200.0), 0, 255);
  const COLORREF knee = RGB(static_cast<BYTE>(k[0]), static_cast<BYTE>(k[1]), static_cast<BYTE>(k[2]));
  for (int i = 0; i < extent; ++i) {
    COLORREF color;
    if (i < half)
      color = StepColor(c1, knee, 2 * i, extent);  // the line through K at the middle
    else if (i == half)
      color = knee;
    else
      color = StepColor(knee, c2, i - half, extent - 1 - half);
    FillBand(DC, Rect, Horizontal, start + i, start + i + 1, color);
  }
}

void OutlineOffice11Selection(HDC DC, const TRect& Rect) {
  if (IsButtonFaceBlack()) {
    SolidFrameRect(DC, Rect, clHighlightText);
    return;
  }
  RECT r = Rect;
  if (Office11SelectionBrush) FrameRect(DC, &r, Office11SelectionBrush);
}

// ---- glyphs -----------------------------------------------------------------------------------------

void PaintOffice11GripDots(HDC DC, const TRect& Rect, bool Vertical, HBRUSH DotBrush, HBRUSH LightBrush) {
  if (!DotBrush) DotBrush = Office11GripDotBrush;
  if (!LightBrush) LightBrush = Office11GripLightBrush;
  const int length = Vertical ? Rect.Bottom - Rect.Top : Rect.Right - Rect.Left;
  const int end = Vertical ? Rect.Bottom : Rect.Right;
  int pos = (Vertical ? Rect.Top : Rect.Left) + (length % 4 == 0 ? 0 : 1);
  for (; pos + 4 <= end; pos += 4) {
    const int x = Vertical ? Rect.Left : pos;
    const int y = Vertical ? pos : Rect.Top;
    RECT light{x + 1, y + 1, x + 3, y + 3};
    RECT dot{x, y, x + 2, y + 2};
    if (LightBrush) FillRect(DC, &light, LightBrush);
    if (DotBrush) FillRect(DC, &dot, DotBrush);
  }
}

void PaintOffice11SizedArrow(HDC DC, const TRect& Rect, bool Down, int Size, bool Selected, bool Enabled, bool) {
  if (Size <= 0) return;
  TColor color = !Enabled ? Office11DisabledArrowColor : Selected && IsButtonFaceWhite() ? clWhite : Office11ArrowColor;
  const int across = 2 * Size - 1;
  if (Down) {
    const int x0 = Rect.Left + (Rect.Right - Rect.Left - across) / 2;
    const int y0 = Rect.Top + (Rect.Bottom - Rect.Top - Size) / 2;
    for (int j = 0; j < Size; ++j) SolidFillRect(DC, TRect(x0 + j, y0 + j, x0 + across - j, y0 + j + 1), color);
  } else {
    const int x0 = Rect.Left + (Rect.Right - Rect.Left - Size) / 2;
    const int y0 = Rect.Top + (Rect.Bottom - Rect.Top - across) / 2;
    for (int j = 0; j < Size; ++j) SolidFillRect(DC, TRect(x0 + j, y0 + j, x0 + j + 1, y0 + across - j), color);
  }
}

void PaintOffice11MenuArrow(HDC DC, const TRect& Rect, bool Down, bool Enabled, bool Selected, bool Extra) {
  const int f = Down ? Rect.Right - Rect.Left - 8 : Rect.Bottom - Rect.Top - 6;
  const int size = std::max(3, (f % 2 != 0 ? 1 : 0) + (f - 1) / 2);
  PaintOffice11SizedArrow(DC, Rect, Down, size, Selected, Enabled, Extra);
}

void PaintOffice11GripCorner(HDC DC, const TRect& Rect, TColor DotColor, TColor LightColor) {
  HBRUSH dot = DotColor == clDefault ? nullptr : SolidBrushOf(DotColor);
  HBRUSH light = LightColor == clDefault ? nullptr : SolidBrushOf(LightColor);
  for (int row = 0; row < 3; ++row) {
    const TRect r(Rect.Right - 12 + 4 * row, Rect.Bottom - 3 - 4 * row, Rect.Right, Rect.Bottom - 4 * row);
    PaintOffice11GripDots(DC, r, false, dot, light);
  }
  if (dot) DeleteObject(dot);
  if (light) DeleteObject(light);
}

// ---- unit -------------------------------------------------------------------------------------------

void Office11ColorsStartup() {
  Msimg32 = LoadLibrary("msimg32.dll");
  GradientFillProc = Msimg32 ? reinterpret_cast<TGradientFillProc>(GetProcAddress(Msimg32, "GradientFill")) : nullptr;
}

void Office11ColorsShutdown() {
  GradientFillProc = nullptr;
  if (Msimg32) FreeLibrary(Msimg32);
  Msimg32 = nullptr;
}

bool Office11GradientFillBound() { return GradientFillProc != nullptr; }
