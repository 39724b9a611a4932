#pragma once
// The Office-2003 colour table and the drawing helpers of the Office-2003 look. The table follows
// the visual style: with an active theme and one of its three colour schemes (blue, olive, silver)
// it takes the scheme's colours, otherwise it derives every entry from the system colours. It
// exists, with its brushes and glyph bitmaps, while somebody holds it (AcquireOffice11Colors);
// painters read its entries by name.
#include "platform/classes/Bitmap.h"
#include "platform/classes/Graphics.h"
#include "platform/gdi/Gdi.h"
#include "ui/foundation/Types.h"

enum TdxOffice11ColorScheme { ocsNone, ocsBlue, ocsOlive, ocsSilver };

constexpr int Office11ColorCount = 79;
extern TColor Office11ColorTable[Office11ColorCount];

// The entries by name, in table order.
inline TColor& Office11FaceColor = Office11ColorTable[0];
inline TColor& Office11LightFaceColor = Office11ColorTable[1];
inline TColor& Office11GradientLightColor = Office11ColorTable[2];
inline TColor& Office11GradientDarkColor = Office11ColorTable[3];
inline TColor& Office11ToneColor1 = Office11ColorTable[4];
inline TColor& Office11ToneColor2 = Office11ColorTable[5];
inline TColor& Office11ToneColor3 = Office11ColorTable[6];
inline TColor& Office11ToneColor4 = Office11ColorTable[7];
inline TColor& Office11ToneColor5 = Office11ColorTable[8];
inline TColor& Office11ToneColor6 = Office11ColorTable[9];
inline TColor& Office11ToneColor7 = Office11ColorTable[10];
inline TColor& Office11ToneColor8 = Office11ColorTable[11];
inline TColor& Office11MixedToneColor1 = Office11ColorTable[12];
inline TColor& Office11MixedToneColor2 = Office11ColorTable[13];
inline TColor& Office11MixedToneColor3 = Office11ColorTable[14];
inline TColor& Office11MixedToneColor4 = Office11ColorTable[15];
inline TColor& Office11MixedToneColor5 = Office11ColorTable[16];
inline TColor& Office11MixedToneColor6 = Office11ColorTable[17];
inline TColor& Office11GripDotColor = Office11ColorTable[18];
inline TColor& Office11GripLightColor = Office11ColorTable[19];
inline TColor& Office11LineShadowColor = Office11ColorTable[20];
inline TColor& Office11LineHighlightColor = Office11ColorTable[21];
inline TColor& Office11ContrastTextColor = Office11ColorTable[22];
inline TColor& Office11ContrastBackColor = Office11ColorTable[23];
inline TColor& Office11FilterPanelColor = Office11ColorTable[24];
inline TColor& Office11FilterPanelLightColor = Office11ColorTable[25];
inline TColor& Office11Color27 = Office11ColorTable[26];
inline TColor& Office11Color28 = Office11ColorTable[27];
inline TColor& Office11FilterPanelTextColor = Office11ColorTable[28];
inline TColor& Office11Color30 = Office11ColorTable[29];
inline TColor& Office11Color31 = Office11ColorTable[30];
inline TColor& Office11WindowColor = Office11ColorTable[31];
inline TColor& Office11Color33 = Office11ColorTable[32];
inline TColor& Office11Color34 = Office11ColorTable[33];
inline TColor& Office11Color35 = Office11ColorTable[34];
inline TColor& Office11Color36 = Office11ColorTable[35];
inline TColor& Office11Color37 = Office11ColorTable[36];
inline TColor& Office11Color38 = Office11ColorTable[37];
inline TColor& Office11FrameColor = Office11ColorTable[38];
inline TColor& Office11Color40 = Office11ColorTable[39];
inline TColor& Office11Color41 = Office11ColorTable[40];
inline TColor& Office11HighlightFrameColor = Office11ColorTable[41];
inline TColor& Office11HotColor = Office11ColorTable[42];
inline TColor& Office11HotLightColor = Office11ColorTable[43];
inline TColor& Office11PressedColor = Office11ColorTable[44];
inline TColor& Office11Color46 = Office11ColorTable[45];
inline TColor& Office11Color47 = Office11ColorTable[46];
inline TColor& Office11Color48 = Office11ColorTable[47];
inline TColor& Office11Color49 = Office11ColorTable[48];
inline TColor& Office11Color50 = Office11ColorTable[49];
inline TColor& Office11Color51 = Office11ColorTable[50];
inline TColor& Office11ArrowColor = Office11ColorTable[51];
inline TColor& Office11DisabledArrowColor = Office11ColorTable[52];
inline TColor& Office11Color54 = Office11ColorTable[53];
inline TColor& Office11Color55 = Office11ColorTable[54];
inline TColor& Office11GroupByBoxColor = Office11ColorTable[55];
inline TColor& Office11Color57 = Office11ColorTable[56];
inline TColor& Office11ControlBorderColor = Office11ColorTable[57];
inline TColor& Office11GroupRowColor = Office11ColorTable[58];
inline TColor& Office11SelectedDayColor = Office11ColorTable[59];
inline TColor& Office11ViewFrameColor = Office11ColorTable[60];
inline TColor& Office11PanelFaceColor = Office11ColorTable[61];
inline TColor& Office11GroupRowBackColor = Office11ColorTable[62];
inline TColor& Office11GroupRowTextColor = Office11ColorTable[63];
inline TColor& Office11GroupRowSeparatorColor = Office11ColorTable[64];
inline TColor& Office11Color66 = Office11ColorTable[65];
inline TColor& Office11Color67 = Office11ColorTable[66];
inline TColor& Office11Color68 = Office11ColorTable[67];
inline TColor& Office11Color69 = Office11ColorTable[68];
inline TColor& Office11Color70 = Office11ColorTable[69];
inline TColor& Office11Color71 = Office11ColorTable[70];
inline TColor& Office11Color72 = Office11ColorTable[71];
inline TColor& Office11Color73 = Office11ColorTable[72];
inline TColor& Office11Color74 = Office11ColorTable[73];
inline TColor& Office11Color75 = Office11ColorTable[74];
inline TColor& Office11Color76 = Office11ColorTable[75];
inline TColor& Office11Color77 = Office11ColorTable[76];
inline TColor& Office11Color78 = Office11ColorTable[77];
inline TColor& Office11Color79 = Office11ColorTable[78];

// The entry's name in the table ("Office11FaceColor"); and the index of a name, -1 when unknown.
const char* Office11ColorName(int Index);
int Office11ColorIndex(const char* Name);

// The corners of the Office-2003 expand box, blended into the background when it is drawn.
extern TColor Office11ExpandBoxCornerColor;       // (158, 174, 191)
extern TColor Office11ExpandBoxOuterCornerColor;  // (46, 70, 95)

// Brushes of table entries, replaced on every rebuild: never keep one across a colour change.
extern win::HBRUSH Office11GripDotBrush;
extern win::HBRUSH Office11GripLightBrush;
extern win::HBRUSH Office11LineShadowBrush;
extern win::HBRUSH Office11LineHighlightBrush;
extern win::HBRUSH Office11WindowBrush;
extern win::HBRUSH Office11SelectionBrush;  // of Office11HighlightFrameColor
extern win::HBRUSH Office11Color41Brush;
extern win::HBRUSH Office11Color47Brush;
extern win::HBRUSH Office11Color48Brush;
extern win::HBRUSH Office11Color49Brush;
extern win::HBRUSH Office11FrameBrush;
extern win::HBRUSH Office11Color50Brush;
extern win::HBRUSH Office11GroupByBoxBrush;
// Second names under which other painters know three of them.
inline win::HBRUSH& Office11MenuBrush = Office11WindowBrush;
inline win::HBRUSH& Office11HotBrush = Office11Color41Brush;
inline win::HBRUSH& Office11BorderBrush = Office11FrameBrush;

// The glyphs: the sub-menu expand chevron re-tinted to the scheme, and the 11 x 11 expand boxes.
extern TBitmap* Office11SubMenuExpandBitmap;
extern TBitmap* Office11ExpandButtonMinusBitmap;
extern TBitmap* Office11ExpandButtonPlusBitmap;

TdxOffice11ColorScheme DetectOffice11ColorScheme();
TdxOffice11ColorScheme CurrentOffice11ColorScheme();
bool AreOffice11ColorsThemed();
// Where the knee gradient turns: how far (in percent of the half) the middle colour lies from the
// first colour toward the second.
int Office11KneePercent();

void AcquireOffice11Colors();
void RelinquishOffice11Colors();
void RebuildOffice11Colors();
// How many hold the table.
int Office11ColorsUseCount();

bool IsButtonFaceBlack();
bool IsButtonFaceWhite();
bool IsButtonFaceBlackWithColoredText();

// Rounds halves to the even neighbour, as the colour arithmetic of the library does.
int RoundHalfEven(double X);
TColor BlendColorsByPercent(TColor Color1, TColor Color2, int Percent);
TColor BlendSystemColorsByPercent(int FacePercent, int HighlightPercent, int WindowPercent);
TColor ScaleColorChannels(TColor Color, int Percent);

void SolidFillRect(win::HDC DC, const TRect& Rect, TColor Color);
void SolidFrameRect(win::HDC DC, const TRect& Rect, TColor Color);
void PaintGradientRect(win::HDC DC, const TRect& Rect, TColor Color1, TColor Color2, bool Horizontal);
void PaintKneeGradientRect(win::HDC DC, const TRect& Rect, TColor Color1, TColor Color2, bool Horizontal);
// The colour the software gradient gives to the band holding coordinate Pos.
TColor GradientColorAt(const TRect& Rect, int Pos, TColor Color1, TColor Color2, bool Horizontal);
void OutlineOffice11Selection(win::HDC DC, const TRect& Rect);

void PaintOffice11GripDots(win::HDC DC, const TRect& Rect, bool Vertical, win::HBRUSH DotBrush = nullptr,
                           win::HBRUSH LightBrush = nullptr);
void PaintOffice11SizedArrow(win::HDC DC, const TRect& Rect, bool Down, int Size, bool Selected, bool Enabled,
                             bool Extra = false);
void PaintOffice11MenuArrow(win::HDC DC, const TRect& Rect, bool Down, bool Enabled, bool Selected, bool Extra = false);
void PaintOffice11GripCorner(win::HDC DC, const TRect& Rect, TColor DotColor = clDefault, TColor LightColor = clDefault);

// Unit start-up binds GradientFill of "msimg32.dll"; shutdown frees the library.
void Office11ColorsStartup();
void Office11ColorsShutdown();
// Whether the gradients use the bound GradientFill.
bool Office11GradientFillBound();
