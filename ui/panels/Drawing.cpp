#include "ui/panels/Drawing.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "platform/classes/IniFiles.h"
#include "platform/classes/Themes.h"
#include "platform/system/Version.h"
#include "platform/win/Window.h"
#include "ui/panels/Gradients.h"

namespace rz {

using win::RECT;

TXpColorScheme XpColorScheme = xsNormalColor;
bool FullColorDisplay = false;

namespace {

// Rounds halves to even, as the platform's floating-point rounding does in its default mode.
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

std::uint8_t ToByte(double v) { return static_cast<std::uint8_t>(std::clamp(RoundEven(v), 0, 255)); }

int R(win::COLORREF c) { return static_cast<int>(c & 0xFF); }
int G(win::COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
int B(win::COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

TColor Rgb(int r, int g, int b) { return static_cast<TColor>(win::RGB(r, g, b)); }

constexpr win::COLORREF kSchemeColors[3][3] = {
    {win::RGB(227, 239, 255), win::RGB(153, 187, 234), win::RGB(87, 127, 191)},
    {win::RGB(255, 255, 237), win::RGB(184, 199, 146), win::RGB(127, 161, 119)},
    {win::RGB(249, 249, 255), win::RGB(189, 188, 208), win::RGB(159, 159, 177)}};

bool UsesScheme(TRzGradientColorStyle Style) {
  return Style == gcsMSOffice && ThemeServices()->ThemesEnabled();
}

struct EdgeColors {
  TColor upperLeft, lowerRight;
};

EdgeColors StyleColors(TFrameStyle Style) {
  switch (Style) {
    case fsFlat: return {cl3DDkShadow, cl3DDkShadow};
    case fsGroove: return {clBtnShadow, clBtnHighlight};
    case fsBump: return {clBtnHighlight, clBtnShadow};
    case fsStatus: return {clBtnShadow, clBtnHighlight};
    case fsPopup: return {clBtnHighlight, clBtnShadow};
    case fsFlatBold: return {clBtnShadow, clBtnShadow};
    default: return {clWindow, clWindow};
  }
}

void Line(TCanvas* Canvas, int x1, int y1, int x2, int y2) {
  Canvas->MoveTo(x1, y1);
  Canvas->LineTo(x2, y2);
}

// Two nested one-pixel frames.
void PaintTwoFrames(TCanvas* Canvas, const RECT& Bounds, EdgeColors Outer, EdgeColors Inner, TSides Sides,
                    RECT& Result) {
  RECT r;
  PaintBevelLines(Canvas, Bounds, Outer.upperLeft, Outer.lowerRight, 1, Sides, r);
  PaintBevelLines(Canvas, r, Inner.upperLeft, Inner.lowerRight, 1, Sides, Result);
}

// The two-pixel etched frame of fsGroove and fsBump.
void PaintEtchedFrame(TCanvas* Canvas, const RECT& Bounds, TColor UL, TColor LR, TSides Sides, RECT& Inner) {
  const bool left = Sides.Contains(sdLeft), top = Sides.Contains(sdTop), right = Sides.Contains(sdRight),
             bottom = Sides.Contains(sdBottom);
  // The corners where a present edge meets a missing one would otherwise keep the wrong colour.
  if (right)
    Canvas->SetPixels(Bounds.right - 1, Bounds.top, LR);
  else if (top)
    Canvas->SetPixels(Bounds.right - 1, Bounds.top, UL);
  if (bottom)
    Canvas->SetPixels(Bounds.left, Bounds.bottom - 1, LR);
  else if (left)
    Canvas->SetPixels(Bounds.left, Bounds.bottom - 1, UL);
  if (top && !left) Canvas->SetPixels(Bounds.left, Bounds.top + 1, LR);
  if (left && !top) Canvas->SetPixels(Bounds.left + 1, Bounds.top, LR);
  if (bottom && !right) Canvas->SetPixels(Bounds.right - 1, Bounds.bottom - 2, UL);
  if (right && !bottom) Canvas->SetPixels(Bounds.right - 2, Bounds.bottom - 1, UL);
  RECT shifted{Bounds.left + 1, Bounds.top + 1, Bounds.right, Bounds.bottom};
  RECT ignored;
  PaintEdgeLines(Canvas, shifted, LR, LR, Sides, ignored);
  RECT back{shifted.left - 1, shifted.top - 1, shifted.right - 1, shifted.bottom - 1};
  PaintEdgeLines(Canvas, back, UL, UL, Sides, ignored);
  Inner = Bounds;
  if (left) Inner.left += 2;
  if (top) Inner.top += 2;
  if (right) Inner.right -= 2;
  if (bottom) Inner.bottom -= 2;
}

// Four lines of a flat frame whose corner pixels are left out, on every side.
void PaintCutCornerFrame(TCanvas* Canvas, RECT& R, TColor Color) {
  Canvas->Pen()->SetColor(Color);
  Line(Canvas, R.left, R.top + 1, R.left, R.bottom - 1);
  Line(Canvas, R.left + 1, R.top, R.right - 1, R.top);
  Line(Canvas, R.right - 1, R.top + 1, R.right - 1, R.bottom - 1);
  Line(Canvas, R.left + 1, R.bottom - 1, R.right - 1, R.bottom - 1);
  R = RECT{R.left + 1, R.top + 1, R.right - 1, R.bottom - 1};
}

}  // namespace

// ---- colour arithmetic ------------------------------------------------------------------------------

void ColorToHslBytes(TColor Color, std::uint8_t& H, std::uint8_t& S, std::uint8_t& L) {
  win::COLORREF c = ColorToRGB(Color);
  double r = R(c) / 255.0, g = G(c) / 255.0, b = B(c) / 255.0;
  double mx = std::max(std::max(r, g), b), mn = std::min(std::min(r, g), b);
  double l = (mx + mn) / 2, h = 0, s = 0;
  if (mx != mn) {
    double d = mx - mn;
    s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
    if (r == mx)
      h = (g - b) / d;
    else if (g == mx)
      h = 2 + (b - r) / d;
    else
      h = 4 + (r - g) / d;
    h /= 6;
    if (h < 0) h += 1;
  }
  H = ToByte(h * 240);
  S = ToByte(s * 240);
  L = ToByte(l * 240);
}

TColor HslBytesToColor(std::uint8_t H, std::uint8_t S, std::uint8_t L) {
  double h = H / 239.0, s = S / 240.0, l = L / 240.0;
  double v = l < 0.5 ? l * (1 + s) : l + s - l * s;
  if (v <= 0) return clBlack;
  double m = 2 * l - v;
  double sv = (v - m) / v;
  double h6 = h * 6;
  int sextant = static_cast<int>(h6);
  double fraction = h6 - sextant;
  double step = v * sv * fraction;
  double rise = m + step, fall = v - step;
  double r, g, b;
  switch (sextant) {
    case 1: r = fall, g = v, b = m; break;
    case 2: r = m, g = v, b = rise; break;
    case 3: r = m, g = fall, b = v; break;
    case 4: r = rise, g = m, b = v; break;
    case 5: r = v, g = m, b = fall; break;
    default: r = v, g = rise, b = m; break;  // 0, and 6 from H = 239 and above
  }
  // A saturation above the scale drives m below 0; clamping keeps a channel from spilling into
  // its neighbour.
  auto channel = [](double x) { return ToByte(std::clamp(x, 0.0, 1.0) * 255); };
  return Rgb(channel(r), channel(g), channel(b));
}

std::uint8_t HueOfColor(TColor Color) {
  std::uint8_t h, s, l;
  ColorToHslBytes(Color, h, s, l);
  return h;
}

TColor DarkenColor(TColor Color, std::uint8_t Amount) {
  std::uint8_t h, s, l;
  ColorToHslBytes(Color, h, s, l);
  return HslBytesToColor(h, s, static_cast<std::uint8_t>(std::max(l - Amount, 0)));
}

TColor LightenColor(TColor Color, std::uint8_t Amount) {
  std::uint8_t h, s, l;
  ColorToHslBytes(Color, h, s, l);
  return HslBytesToColor(h, s, static_cast<std::uint8_t>(std::min(l + Amount, 255)));
}

TColor ShiftColorLuminance(TColor Color, int Amount) {
  if (Amount < 0) return DarkenColor(Color, static_cast<std::uint8_t>(std::min(-Amount, 255)));
  if (Amount > 0) return LightenColor(Color, static_cast<std::uint8_t>(std::min(Amount, 255)));
  return Color;
}

TColor MixColors(TColor Color1, TColor Color2, std::uint8_t Weight) {
  win::COLORREF a = ColorToRGB(Color1), b = ColorToRGB(Color2);
  float w = static_cast<float>(Weight) / 255.0f;
  auto mix = [w](int x, int y) {
    float v = static_cast<float>(x) * w + static_cast<float>(y) * (1.0f - w);
    return std::clamp(static_cast<int>(std::nearbyint(v)), 0, 255);
  };
  return Rgb(mix(R(a), R(b)), mix(G(a), G(b)), mix(B(a), B(b)));
}

bool ColorsAlmostEqual(TColor Color1, TColor Color2) {
  std::uint8_t h1, s1, l1, h2, s2, l2;
  ColorToHslBytes(Color1, h1, s1, l1);
  ColorToHslBytes(Color2, h2, s2, l2);
  return std::abs(h1 - h2) < 20 && std::abs(l1 - l2) < 60;
}

TColor OppositeHueColor(TColor Color, std::uint8_t Luminance) {
  int hue = HueOfColor(Color);
  return HslBytesToColor(static_cast<std::uint8_t>(hue < 120 ? hue + 120 : hue - 120), 240, Luminance);
}

// ---- colour scheme -------------------------------------------------------------------------------------

TXpColorScheme ReadXpColorScheme() {
  auto reg = std::make_unique<TRegIniFile>("\\Software\\Microsoft\\Windows\\CurrentVersion");
  String name = UpperCase(reg->ReadString("ThemeManager", "ColorName", ""));
  if (name == "HOMESTEAD") return xsHomestead;
  if (name == "METALLIC") return xsMetallic;
  return xsNormalColor;
}

bool ScreenHasFullColor() {
  win::HDC dc = win::GetDC(nullptr);
  if (!dc) return false;
  int colors = win::GetDeviceCaps(dc, win::NUMCOLORS);
  win::ReleaseDC(nullptr, dc);
  return colors == -1;
}

void InitializeDrawing() {
  static bool done = false;
  if (done) return;
  done = true;
  FullColorDisplay = ScreenHasFullColor();
  XpColorScheme = ReadXpColorScheme();
}

void SchemeGradientColors(TRzGradientColorStyle Style, TColor& StartColor, TColor& StopColor) {
  if (UsesScheme(Style)) {
    StartColor = static_cast<TColor>(kSchemeColors[XpColorScheme][0]);
    StopColor = static_cast<TColor>(kSchemeColors[XpColorScheme][1]);
  } else {
    StartColor = clWindow;
    StopColor = DarkenColor(clBtnFace, 10);
  }
}

TColor SchemeFrameColor(TRzGradientColorStyle Style) {
  if (UsesScheme(Style)) return static_cast<TColor>(kSchemeColors[XpColorScheme][2]);
  return LightenColor(clBtnShadow, 30);
}

void SchemeBarColors(TRzGradientColorStyle Style, TColor& Medium, TColor& Light, TColor& Frame) {
  if (UsesScheme(Style)) {
    Medium = static_cast<TColor>(kSchemeColors[XpColorScheme][1]);
    Light = static_cast<TColor>(kSchemeColors[XpColorScheme][0]);
    Frame = Medium;
  } else {
    Medium = DarkenColor(clBtnFace, 20);
    Light = clWindow;
    Frame = DarkenColor(clBtnFace, 40);
  }
}

// ---- frames ---------------------------------------------------------------------------------------------

void PaintEdgeLines(TCanvas* Canvas, const RECT& Bounds, TColor UpperLeftColor, TColor LowerRightColor,
                    TSides Sides, RECT& Inner) {
  const RECT b = Bounds;
  if (UpperLeftColor != clNone) {
    Canvas->Pen()->SetColor(UpperLeftColor);
    if (Sides.Contains(sdLeft)) Line(Canvas, b.left, b.top, b.left, b.bottom);
    if (Sides.Contains(sdTop)) Line(Canvas, b.left, b.top, b.right, b.top);
  }
  if (LowerRightColor != clNone) {
    Canvas->Pen()->SetColor(LowerRightColor);
    if (Sides.Contains(sdRight)) Line(Canvas, b.right - 1, b.top, b.right - 1, b.bottom);
    if (Sides.Contains(sdBottom)) Line(Canvas, b.left, b.bottom - 1, b.right, b.bottom - 1);
  }
  Inner = b;
  if (Sides.Contains(sdLeft)) ++Inner.left;
  if (Sides.Contains(sdTop)) ++Inner.top;
  if (Sides.Contains(sdRight)) --Inner.right;
  if (Sides.Contains(sdBottom)) --Inner.bottom;
}

void PaintBevelLines(TCanvas* Canvas, const RECT& Bounds, TColor UpperLeftColor, TColor LowerRightColor, int Count,
                     TSides Sides, RECT& Inner) {
  Canvas->Pen()->SetWidth(1);
  RECT r = Bounds;
  for (int i = 0; i < Count; ++i) PaintEdgeLines(Canvas, r, UpperLeftColor, LowerRightColor, Sides, r);
  Inner = r;
}

void Paint3DEdge(TCanvas* Canvas, const RECT& Bounds, bool Lowered, TSides Sides, RECT& Inner) {
  if (Lowered)
    PaintTwoFrames(Canvas, Bounds, {clBtnShadow, clBtnHighlight}, {cl3DDkShadow, cl3DLight}, Sides, Inner);
  else
    PaintTwoFrames(Canvas, Bounds, {cl3DLight, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}, Sides, Inner);
}

void PaintButtonEdge(TCanvas* Canvas, const RECT& Bounds, bool Lowered, TSides Sides, RECT& Inner) {
  if (Lowered)
    PaintTwoFrames(Canvas, Bounds, {clBtnText, clBtnText}, {clBtnShadow, clBtnShadow}, Sides, Inner);
  else
    PaintTwoFrames(Canvas, Bounds, {clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}, Sides, Inner);
}

void PaintButtonEdgeAll(TCanvas* Canvas, const RECT& Bounds, bool Lowered, RECT& Inner) {
  PaintButtonEdge(Canvas, Bounds, Lowered, sdAllSides, Inner);
}

void PaintColorButtonEdge(TCanvas* Canvas, const RECT& Bounds, TColor FaceColor, bool Lowered, TSides Sides,
                          RECT& Inner) {
  RECT r;
  if (Lowered) {
    TColor outer = DarkenColor(FaceColor, 100), inner = DarkenColor(FaceColor, 50);
    PaintEdgeLines(Canvas, Bounds, outer, outer, Sides, r);
    PaintEdgeLines(Canvas, r, inner, inner, Sides, Inner);
  } else {
    PaintEdgeLines(Canvas, Bounds, LightenColor(FaceColor, 100), DarkenColor(FaceColor, 100), Sides, r);
    PaintEdgeLines(Canvas, r, LightenColor(FaceColor, 40), DarkenColor(FaceColor, 50), Sides, Inner);
  }
}

void PaintColorButtonEdgeAll(TCanvas* Canvas, const RECT& Bounds, TColor FaceColor, bool Lowered, RECT& Inner) {
  PaintColorButtonEdge(Canvas, Bounds, FaceColor, Lowered, sdAllSides, Inner);
}

void PaintFrameStyle(TCanvas* Canvas, const RECT& Bounds, TFrameStyle Style, TSides Sides, RECT& Inner) {
  EdgeColors c = StyleColors(Style);
  switch (Style) {
    case fsFlat:
    case fsStatus:
    case fsPopup: PaintEdgeLines(Canvas, Bounds, c.upperLeft, c.lowerRight, Sides, Inner); return;
    case fsLowered: Paint3DEdge(Canvas, Bounds, true, Sides, Inner); return;
    case fsRaised: Paint3DEdge(Canvas, Bounds, false, Sides, Inner); return;
    case fsButtonDown: PaintButtonEdge(Canvas, Bounds, true, Sides, Inner); return;
    case fsButtonUp: PaintButtonEdge(Canvas, Bounds, false, Sides, Inner); return;
    case fsFlatBold: PaintBevelLines(Canvas, Bounds, c.upperLeft, c.lowerRight, 2, Sides, Inner); return;
    case fsGroove:
    case fsBump: PaintEtchedFrame(Canvas, Bounds, c.upperLeft, c.lowerRight, Sides, Inner); return;
    default: Inner = Bounds; return;
  }
}

void PaintFrameStyleAll(TCanvas* Canvas, const RECT& Bounds, TFrameStyle Style, RECT& Inner) {
  PaintFrameStyle(Canvas, Bounds, Style, sdAllSides, Inner);
}

void PaintColorFrameStyle(TCanvas* Canvas, const RECT& Bounds, TColor FaceColor, TFrameStyleEx Style, TSides Sides,
                          RECT& Inner) {
  auto dark = [&](std::uint8_t a) { return DarkenColor(FaceColor, a); };
  auto light = [&](std::uint8_t a) { return LightenColor(FaceColor, a); };
  RECT r;
  switch (Style) {
    case fsNone: Inner = Bounds; return;
    case fsFlat: PaintEdgeLines(Canvas, Bounds, dark(50), dark(50), Sides, Inner); return;
    case fsStatus: PaintEdgeLines(Canvas, Bounds, dark(50), light(100), Sides, Inner); return;
    case fsPopup: PaintEdgeLines(Canvas, Bounds, light(100), dark(50), Sides, Inner); return;
    case fsGroove: PaintEtchedFrame(Canvas, Bounds, dark(50), light(100), Sides, Inner); return;
    case fsLowered:
      PaintEdgeLines(Canvas, Bounds, dark(50), light(100), Sides, r);
      PaintEdgeLines(Canvas, r, dark(100), light(50), Sides, Inner);
      return;
    case fsRaised:
      PaintEdgeLines(Canvas, Bounds, light(50), dark(100), Sides, r);
      PaintEdgeLines(Canvas, r, light(100), dark(50), Sides, Inner);
      return;
    case fsButtonDown: PaintColorButtonEdge(Canvas, Bounds, FaceColor, true, Sides, Inner); return;
    case fsButtonUp: PaintColorButtonEdge(Canvas, Bounds, FaceColor, false, Sides, Inner); return;
    case fsFlatBold:
      PaintEdgeLines(Canvas, Bounds, dark(50), dark(50), Sides, r);
      PaintEdgeLines(Canvas, r, dark(50), dark(50), Sides, Inner);
      return;
    default:  // fsBump and anything above fsFlatBold
      PaintEtchedFrame(Canvas, Bounds, light(100), dark(50), Sides, Inner);
      return;
  }
}

void PaintColorFrameStyleAll(TCanvas* Canvas, const RECT& Bounds, TColor FaceColor, TFrameStyleEx Style,
                             RECT& Inner) {
  PaintColorFrameStyle(Canvas, Bounds, FaceColor, Style, sdAllSides, Inner);
}

void PaintRoundedFlatFrame(TCanvas* Canvas, const RECT& Bounds, TColor Color, TSides Sides, RECT& Inner) {
  const RECT b = Bounds;
  const bool left = Sides.Contains(sdLeft), top = Sides.Contains(sdTop), right = Sides.Contains(sdRight),
             bottom = Sides.Contains(sdBottom);
  int top0 = top ? b.top + 2 : b.top, bottom0 = bottom ? b.bottom - 2 : b.bottom;
  int left0 = left ? b.left + 2 : b.left, right0 = right ? b.right - 2 : b.right;
  Canvas->Pen()->SetColor(Color);
  if (left) Line(Canvas, b.left, top0, b.left, bottom0);
  if (top) Line(Canvas, left0, b.top, right0, b.top);
  if (right) Line(Canvas, b.right - 1, top0, b.right - 1, bottom0);
  if (bottom) Line(Canvas, left0, b.bottom - 1, right0, b.bottom - 1);
  if (left && top) Canvas->SetPixels(b.left + 1, b.top + 1, Color);
  if (right && top) Canvas->SetPixels(b.right - 2, b.top + 1, Color);
  if (right && bottom) Canvas->SetPixels(b.right - 2, b.bottom - 2, Color);
  if (left && bottom) Canvas->SetPixels(b.left + 1, b.bottom - 2, Color);
  Inner = RECT{left0, top0, right0, bottom0};
}

void PaintDottedFocusFrame(TCanvas* Canvas, const RECT& Bounds, RECT& Inner) {
  const RECT b = Bounds;
  for (int y = b.top + 1; y < b.bottom; y += 2) {
    Canvas->SetPixels(b.left, y, clBlack);
    Canvas->SetPixels(b.right - 1, y, clBlack);
  }
  for (int x = b.left + 1; x < b.right; x += 2) {
    Canvas->SetPixels(x, b.top, clBlack);
    Canvas->SetPixels(x, b.bottom - 1, clBlack);
  }
  Inner = RECT{b.left + 1, b.top + 1, b.right - 1, b.bottom - 1};
}

void PaintOuterInnerFrames(TCanvas* Canvas, const RECT& Bounds, TFrameStyleEx BorderOuter, TFrameStyleEx BorderInner,
                           int BorderWidth, TSides BorderSides, int BevelWidth, TColor BorderColor,
                           TColor BorderHighlight, TColor BorderShadow, TColor FlatColor, int FlatColorAdjustment,
                           TColor Color, TColor ParentColor, bool Transparent, bool CutFlatCorners, RECT& Inner) {
  const TColor F = ShiftColorLuminance(FlatColor, FlatColorAdjustment);
  RECT r = Bounds;
  switch (BorderOuter) {
    case fsFlat: PaintBevelLines(Canvas, r, F, F, 1, BorderSides, r); break;
    case fsFlatBold: PaintBevelLines(Canvas, r, F, F, 2, BorderSides, r); break;
    case fsFlatRounded: {
      const bool banded = BorderWidth > 0 || BorderInner != fsNone;
      RECT ring;
      if (!Transparent) {
        PaintBevelLines(Canvas, r, ParentColor, ParentColor, 1, BorderSides, ring);
        TColor second = banded ? BorderColor : Color;
        PaintBevelLines(Canvas, ring, second, second, 1, BorderSides, ring);
      } else if (banded) {
        RECT in{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        PaintBevelLines(Canvas, in, BorderColor, BorderColor, 1, BorderSides, ring);
      }
      // The rounded frame goes over the rings, on the rectangle this step started from.
      PaintRoundedFlatFrame(Canvas, r, F, BorderSides, r);
      break;
    }
    case fsPopup: PaintBevelLines(Canvas, r, BorderHighlight, BorderShadow, BevelWidth, BorderSides, r); break;
    case fsStatus: PaintBevelLines(Canvas, r, BorderShadow, BorderHighlight, BevelWidth, BorderSides, r); break;
    default: PaintFrameStyle(Canvas, r, BorderOuter, BorderSides, r); break;
  }
  if (BorderWidth > 0) PaintBevelLines(Canvas, r, BorderColor, BorderColor, BorderWidth, BorderSides, r);
  switch (BorderInner) {
    case fsFlat:
      if (CutFlatCorners)
        PaintCutCornerFrame(Canvas, r, F);
      else
        PaintBevelLines(Canvas, r, F, F, 1, BorderSides, r);
      break;
    case fsFlatBold: PaintBevelLines(Canvas, r, F, F, 2, BorderSides, r); break;
    case fsFlatRounded: {
      RECT ring;
      PaintBevelLines(Canvas, r, BorderColor, BorderColor, 1, BorderSides, ring);
      if (!Transparent) PaintBevelLines(Canvas, ring, Color, Color, 1, BorderSides, ring);
      PaintRoundedFlatFrame(Canvas, r, F, BorderSides, r);
      break;
    }
    case fsPopup: PaintBevelLines(Canvas, r, BorderHighlight, BorderShadow, BevelWidth, BorderSides, r); break;
    case fsStatus: PaintBevelLines(Canvas, r, BorderShadow, BorderHighlight, BevelWidth, BorderSides, r); break;
    default: PaintFrameStyle(Canvas, r, BorderInner, BorderSides, r); break;
  }
  Inner = r;
}

void PaintGradientRing(TCanvas* Canvas, const RECT& Rect, TGradientDirection Direction, TColor StartColor,
                       TColor StopColor) {
  if (!FullColorDisplay) return;
  win::HDC dc = Canvas->Handle();
  win::HRGN saved = win::CreateRectRgn(0, 0, 0, 0);
  bool hadClip = win::GetClipRgn(dc, saved) == 1;
  try {
    win::ExcludeClipRect(dc, Rect.left + 2, Rect.top + 2, Rect.right - 2, Rect.bottom - 2);
    PaintGradientBands(Canvas, Rect, Direction, StartColor, StopColor, 1);
  } catch (...) {
    win::SelectClipRgn(dc, hadClip ? saved : nullptr);
    win::DeleteObject(saved);
    throw;
  }
  win::SelectClipRgn(dc, hadClip ? saved : nullptr);
  win::DeleteObject(saved);
}

// ---- text and system ---------------------------------------------------------------------------------

int DrawTextOnCanvas(TCanvas* Canvas, const String& Text, RECT& Rect, win::UINT Format) {
  return win::DrawText(Canvas->Handle(), Text.c_str(), -1, &Rect, Format);
}

win::HFONT CreateAngledFont(TFont* Font, int Angle) {
  win::LOGFONTA lf{};
  lf.lfHeight = Font->Height();
  lf.lfWidth = 0;
  lf.lfEscapement = Angle * 10;
  lf.lfOrientation = 0;
  lf.lfWeight = Font->Style().Contains(fsBold) ? 700 : 400;
  lf.lfItalic = Font->Style().Contains(fsItalic) ? 1 : 0;
  lf.lfUnderline = Font->Style().Contains(fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = Font->Style().Contains(fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = Font->Charset();
  lf.lfPitchAndFamily = Font->Pitch() == fpVariable ? 2 : Font->Pitch() == fpFixed ? 1 : 0;
  std::strncpy(lf.lfFaceName, Font->Name().c_str(), sizeof(lf.lfFaceName) - 1);
  return win::CreateFontIndirect(&lf);
}

String StripAccelerators(const String& Text) {
  String result;
  if (Text.empty()) return result;
  result.reserve(Text.size());
  const std::size_t last = Text.size() - 1;
  for (std::size_t i = 0; i < last; ++i)
    if (Text[i] != '&' || Text[i + 1] == '&') result += Text[i];
  result += Text[last];
  return result;
}

bool RunsOnWindowsLevel(int Level) {
  win::OSVERSIONINFO v;
  win::GetVersionEx(&v);
  const int platform = static_cast<int>(v.dwPlatformId);
  const int major = static_cast<int>(v.dwMajorVersion), minor = static_cast<int>(v.dwMinorVersion);
  const bool any = platform == 1 || platform == 2, nt = platform == 2;
  switch (Level) {
    case 0: return any && major >= 4;
    case 1: return nt && major > 3;
    case 2: return any && major >= 4 && minor >= 10;
    case 3: return any && ((major >= 4 && minor >= 90) || major > 4);
    case 4: return nt && major > 4;
    case 5: return nt && ((major == 5 && minor > 0) || major > 5);
    case 6: return nt && ((major > 4 && minor > 1) || major > 5);
    case 7: return nt && major > 5;
    case 8: return nt && major > 5 && minor > 0;
    default: return false;
  }
}

}  // namespace rz
