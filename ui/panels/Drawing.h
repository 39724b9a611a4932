#pragma once
// The drawing kit the framed panel, the framed button and the status panes share: colour
// arithmetic on a 0..240 hue-saturation-luminance scale, the operating system's colour scheme, and
// frames drawn edge by edge on a canvas, each handing back the rectangle left inside it.
//
// The free routines live in namespace rz: other parts of the library have routines of the same
// names (LightenColor, StripAccelerators, DrawTextOnCanvas) with other rules.
#include <cstdint>

#include "platform/classes/Graphics.h"

VW_ENUM(TFrameStyleEx, fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp, fsStatus,
        fsPopup, fsFlatBold, fsFlatRounded)
// The frame styles without fsFlatRounded; a C++ enumeration has no subranges, so the values
// share one type and the routines that take a TFrameStyle say what they do with fsFlatRounded.
using TFrameStyle = TFrameStyleEx;

VW_ENUM(TSide, sdLeft, sdTop, sdRight, sdBottom)
using TSides = TSet<TSide>;
inline constexpr TSides sdAllSides{sdLeft, sdTop, sdRight, sdBottom};

VW_ENUM(TXpColorScheme, xsNormalColor, xsHomestead, xsMetallic)
VW_ENUM(TRzGradientColorStyle, gcsSystem, gcsMSOffice, gcsCustom)
VW_ENUM(TGradientDirection, gdDiagonalUp, gdDiagonalDown, gdHorizontalEnd, gdHorizontalCenter, gdHorizontalBox,
        gdVerticalEnd, gdVerticalCenter, gdVerticalBox, gdSquareBox, gdBigSquareBox)

namespace rz {

// ---- colour arithmetic ----------------------------------------------------------------------------

void ColorToHslBytes(TColor Color, std::uint8_t& H, std::uint8_t& S, std::uint8_t& L);
TColor HslBytesToColor(std::uint8_t H, std::uint8_t S, std::uint8_t L);
std::uint8_t HueOfColor(TColor Color);
TColor DarkenColor(TColor Color, std::uint8_t Amount);
// The luminance may pass 240 (up to 255): large amounts give white.
TColor LightenColor(TColor Color, std::uint8_t Amount);
// Darkens for a negative amount, lightens for a positive one; 0 gives Color back untouched, a
// system colour included.
TColor ShiftColorLuminance(TColor Color, int Amount);
// Weight 255 gives Color1, 0 gives Color2.
TColor MixColors(TColor Color1, TColor Color2, std::uint8_t Weight);
// Hues within 20 and luminances within 60; saturation does not count.
bool ColorsAlmostEqual(TColor Color1, TColor Color2);
TColor OppositeHueColor(TColor Color, std::uint8_t Luminance);

// ---- the operating system's colour scheme ---------------------------------------------------------

// Read once at start-up (and again by a panel that hears of a theme change).
extern TXpColorScheme XpColorScheme;
// More than 256 colours on the screen; read once at start-up.
extern bool FullColorDisplay;
// Reads both the first time it is called; the start-up of every framed control calls it.
void InitializeDrawing();

TXpColorScheme ReadXpColorScheme();
bool ScreenHasFullColor();

// With the Office colour style and visual styles on, the scheme's colours; otherwise colours
// derived from the system colours.
void SchemeGradientColors(TRzGradientColorStyle Style, TColor& StartColor, TColor& StopColor);
TColor SchemeFrameColor(TRzGradientColorStyle Style);
void SchemeBarColors(TRzGradientColorStyle Style, TColor& Medium, TColor& Light, TColor& Frame);

// ---- frames -------------------------------------------------------------------------------------------
// Each routine draws on Canvas inside Bounds and returns in Inner what lies inside the frame.

void PaintEdgeLines(TCanvas* Canvas, const win::RECT& Bounds, TColor UpperLeftColor, TColor LowerRightColor,
                    TSides Sides, win::RECT& Inner);
void PaintBevelLines(TCanvas* Canvas, const win::RECT& Bounds, TColor UpperLeftColor, TColor LowerRightColor,
                     int Count, TSides Sides, win::RECT& Inner);
void Paint3DEdge(TCanvas* Canvas, const win::RECT& Bounds, bool Lowered, TSides Sides, win::RECT& Inner);
void PaintButtonEdge(TCanvas* Canvas, const win::RECT& Bounds, bool Lowered, TSides Sides, win::RECT& Inner);
void PaintButtonEdgeAll(TCanvas* Canvas, const win::RECT& Bounds, bool Lowered, win::RECT& Inner);
void PaintColorButtonEdge(TCanvas* Canvas, const win::RECT& Bounds, TColor FaceColor, bool Lowered, TSides Sides,
                          win::RECT& Inner);
void PaintColorButtonEdgeAll(TCanvas* Canvas, const win::RECT& Bounds, TColor FaceColor, bool Lowered,
                             win::RECT& Inner);
// fsFlatRounded is not a TFrameStyle: it draws nothing here.
void PaintFrameStyle(TCanvas* Canvas, const win::RECT& Bounds, TFrameStyle Style, TSides Sides, win::RECT& Inner);
void PaintFrameStyleAll(TCanvas* Canvas, const win::RECT& Bounds, TFrameStyle Style, win::RECT& Inner);
// Colours derived from FaceColor; styles above fsFlatBold draw as fsBump.
void PaintColorFrameStyle(TCanvas* Canvas, const win::RECT& Bounds, TColor FaceColor, TFrameStyleEx Style,
                          TSides Sides, win::RECT& Inner);
void PaintColorFrameStyleAll(TCanvas* Canvas, const win::RECT& Bounds, TColor FaceColor, TFrameStyleEx Style,
                             win::RECT& Inner);
void PaintRoundedFlatFrame(TCanvas* Canvas, const win::RECT& Bounds, TColor Color, TSides Sides, win::RECT& Inner);
void PaintDottedFocusFrame(TCanvas* Canvas, const win::RECT& Bounds, win::RECT& Inner);
// The framed panel's frames: outer frame, border band, inner frame.
void PaintOuterInnerFrames(TCanvas* Canvas, const win::RECT& Bounds, TFrameStyleEx BorderOuter,
                           TFrameStyleEx BorderInner, int BorderWidth, TSides BorderSides, int BevelWidth,
                           TColor BorderColor, TColor BorderHighlight, TColor BorderShadow, TColor FlatColor,
                           int FlatColorAdjustment, TColor Color, TColor ParentColor, bool Transparent,
                           bool CutFlatCorners, win::RECT& Inner);
// A two-pixel gradient ring just inside Rect; only on a full-colour display. The canvas's clip
// region is as it was afterwards.
void PaintGradientRing(TCanvas* Canvas, const win::RECT& Rect, TGradientDirection Direction, TColor StartColor,
                       TColor StopColor);

// ---- text and system ----------------------------------------------------------------------------------

// DrawText on the canvas with the whole text; the height DrawText answers.
int DrawTextOnCanvas(TCanvas* Canvas, const String& Text, win::RECT& Rect, win::UINT Format);
// A font like Font turned by Angle degrees; the caller deletes it.
win::HFONT CreateAngledFont(TFont* Font, int Angle);
// Drops each '&' not followed by another '&' (a doubled one becomes one); the last character is
// always kept as it is.
String StripAccelerators(const String& Text);
// Levels 0..8 of the operating system, as the framed button asks for level 4 (Windows 2000 on).
bool RunsOnWindowsLevel(int Level);

}  // namespace rz
