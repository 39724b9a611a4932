#pragma once
// The Office-2003 look (bmsOffice11): toolbars in two-colour gradients with rounded ends, a
// gradient mark with light-shadowed glyphs, dotted grips, menus with a gradient glyph column and
// gradient button states framed by the selection outline. Every colour, brush and picture is read
// from the Office-2003 colour table on each call, so a rebuilt table shows at the next paint.
#include "ui/bars/BarFlatPainter.h"

class TdxBarOffice11Painter : public TdxBarFlatPainter {
  VW_CLASS(TdxBarOffice11Painter, TdxBarFlatPainter)
 public:
  /*   7 */ void DrawGlyphFrame(TdxBarItemControl* C, HDC DC, HBRUSH Brush, bool NeedsBorder, const TRect& R,
                                TdxBarPaintMode PaintType, bool NoGlyph, bool Selected, bool Down, bool Pressed,
                                bool DroppedDown, bool IsSplitButton) override;
  /*  10 */ void DrawDownArrow(HDC DC, const TRect& R, TColor Color, bool Enabled, bool Selected, int Size) override;
  /*  11 */ void DrawSideArrow(HDC DC, const TRect& R, TColor Color, bool Enabled, bool Selected, int Size) override;
  /*  12 */ void DrawHotFrame(HDC DC, const TRect& R) override;
  /*  13 */ TColor TextColor(bool Selected, bool Flat) override;
  /*  14 */ void DisabledTextColors(bool Selected, bool Flat, TColor& First, TColor& Second) override;
  /*  17 */ bool FadesDisabledImages(TB*) override { return true; }
  /*  19 */ bool KeepsRarelyUsedShade() override { return true; }
  /*  26 */ TColor FloatCaptionColor(bool Active) override;
  /*  27 */ TColor FloatCaptionTextColor(bool Active) override;
  /*  28 */ TColor FloatCaptionGlyphColor(bool Active, int ButtonState) override;
  /*  32 */ void DrawMarkBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) override;
  /*  33 */ void DrawMarkContent(TB* Bar, HDC DC, const TRect& R) override;
  /*  54 */ void DrawExpandChevrons(TB* Bar, HDC DC, const TRect& R, bool Hot) override;
  /*  82 */ void DrawMenuGlyphArea(TBP& P, HDC DC, const TRect& R) override;
  /*  85 */ void DrawEditButtonFrame(TP& P, HDC DC, TRect& R, bool Selected, bool Pressed) override;
  /*  90 */ bool GlyphDrawFlagA() override { return false; }
  /*  95 */ bool GlyphDrawFlagB() override { return false; }
  /*  97 */ bool HighlightsDownButtons() override;
  /* 100 */ int GripInset() override { return TdxBarFlatPainter::GripInset() + GripDotsInset(); }
  /* 101 */ int FrameWidthX() override { return 3; }
  /* 102 */ int FrameWidthY() override { return 3; }
  /* 103 */ int NoGripInset() override { return 2; }
  /* 109 */ void FillDockBackground(TdxDockControl* Dock, HDC DC, const TRect& R, const TRect& Origin, HBRUSH Brush,
                                    TColor Color) override;
  /* 110 */ bool UsesNativeBackground() override { return true; }
  /* 112 */ bool WantsShadow(TB* Bar) override;
  /* 114 */ HBRUSH ControlBrush(TB*) override;
  /* 116 */ void FillDockedBarBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) override;
  /* 117 */ void FillFloatBarBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) override;
  /* 118 */ void FillSizeGripArea(TB* Bar, HDC DC, const TRect& R) override;
  /* 119 */ HBRUSH ToolbarBrush(TdxBarManager*) override;
  /* 121 */ HBRUSH DownBrush(TdxBarManager*) override;
  /* 122 */ HBRUSH DownHotBrush(TdxBarManager*) override;
  /* 123 */ HBRUSH HotBrush(TdxBarManager*) override;
  /* 124 */ int ComboArrowWidth(int) override { return 13; }
  /* 132 */ TRect DockedBorderInsets(TB* Bar) override { return DockedBarInsets(Bar, Bar->DockingStyleIndex()); }
  /* 134 */ TRect DockedBarInsets(TB* Bar, int DockingStyle) override;
  /* 141 */ void DrawToolbarSeparator(TB* Bar, HDC DC, const TRect& R, bool Vertical, HBRUSH Brush) override;
  /* 142 */ void DrawButtonFace(TB* Bar, HDC DC, const TRect& R, int State, bool Active) override;
  /* 144 */ void DrawDockedBarFrame(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) override;
  /* 145 */ void DrawFloatBorder(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) override;
  /* 146 */ void DrawFloatCaption(TB* Bar, HDC DC, const TRect& R, const String& Caption, HBRUSH Brush,
                                  bool Active) override;
  /* 153 */ TRect MarkRedrawBounds(TB* Bar, const TRect& Client, const TRect& Caption) override;
  /* 155 */ void RedrawMark(TB* Bar, const TRect& Client, const TRect& Caption) override;
  /* 165 */ HBRUSH QuickControlBrush(TB*) override;
  /* 167 */ void DrawCheckCellFrame(TP& P, HDC DC, const TRect& Cell, const TRect& ItemRect, bool Flag) override;
  /* 171 */ HBRUSH ButtonBrush(TP& P) override;
  /* 192 */ TColor ComboArrowColor(TP& P) override;
  /* 193 */ HBRUSH ComboButtonBrush(TP& P) override;
  /* 197 */ void DrawComboButtonFace(TP& P, HDC DC, TRect& R, HBRUSH Brush, bool Selected, bool DroppedDown) override;
  /* 199 */ void DrawDropDownListBorder(HDC DC, const TRect& R, TColor InnerColor) override;
  /* 200 */ bool MenuHasSideBand() override { return true; }
  /* 208 */ TdxBarMenuMarks CalcMenuMarks(HDC DC, int TextSize) override;
  /* 210 */ int DetachCaptionHeight(int Height) override { return Height + 5; }
  /* 221 */ void MenuClientInsets(TRect& R) override { R = dxbar::Inflate(R, -2, -4); }
  /* 223 */ void FillMenuBackground(TB* Bar, HDC DC, const TRect& R, const TRect& Origin, HBRUSH Brush,
                                    TColor Color) override;
  /* 224 */ void DrawMenuBorder(TB* Bar, HDC DC, TRect& R) override;
  /* 225 */ void DrawMenuClientBorder(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) override;
  /* 226 */ void DrawDetachCaption(TB* Bar, HDC DC, const TRect& R) override;
  /* 232 */ HBRUSH MenuBrush(TB*) override;
  /* 242 */ TColor DisabledEditBackColor(TB*) override { return clBtnFace; }
  /* 245 */ TColor DisabledEditTextColor() override;
  /* 254 */ void DrawEditGlyphFrame(TEP& P, HDC DC, const TRect& R) override;
  /* 258 */ TRect EditBorderOffsets() override { return {1, 1, 1, 1}; }
  /* 260 */ void DrawEditFrame(TEP& P, HDC DC, TRect& R, bool Selected) override;
  /* 264 */ bool EditCaptionUsesMenuBrush(TP& P) override { return P.InMenu() && P.IsSelected; }
  /* 265 */ bool EditGlyphUsesMenuBrush(TP& P) override { return P.InMenu() && P.IsSelected; }
  /* 271 */ int EditCaptionGapBar(TP& P) override;
  /* 273 */ TRect EditMenuInsets(TP& P) override;
  /* 288 */ void DrawPushButton(HDC DC, const TRect& R, const String& Text, bool Pressed) override;
  /* 289 */ TColor PushButtonHeaderColor() override;
  /* 309 */ HBRUSH HeaderBandBrush() override;
  /* 326 */ void DrawSeparatorCaption(TSP& P, HDC DC, const TRect& R) override;
  /* 334 */ void DrawDropPartFrame(TdxBarItemControl* C, HDC DC, const TRect& R, HBRUSH Brush,
                                   TdxBarPaintMode PaintType, bool Selected, bool Down) override;
  /* 335 */ HBRUSH MenuGlyphBrush(TdxBarManager* Manager) override;
  /* 336 */ HBRUSH StaticBorderBrush() override;
  /* 338 */ void DrawDroppedOwnerFrame(TB* Bar, HDC DC, const TRect& R, const TRect& OwnerState) override;
  /* 339 */ void DrawOwnerFrame(TB* Bar, HDC DC, const TRect& R) override;
  /* 340 */ void FillOwnerMenuLink(TB* Bar, HDC DC, const TRect& R) override;
  /* 341 */ TColor SeparatorLineColor() override;

  // ---- the Office-2003 painter's own operations ----
  /* 342 */ virtual void DrawGripDots(HDC DC, const TRect& R, bool Vertical);
  /* 343 */ virtual int GripDotsInset() { return 2; }

  // The toolbar gradient's colour at a position across the bar: the linear gradient from
  // Office11ToolbarColor1 to Office11ToolbarColor2 over the bar's gradient rectangle (window
  // coordinates), which the rounded frame's blend pixels are computed from.
  static TColor BarColorAt(TB* Bar, int Pos);
  // The colour the bar's dock site shows at a point of the bar's window.
  static TColor DockColorAt(TB* Bar, const TPoint& P);
  // The bar window's whole area, inset by one pixel at its two long sides, in window coordinates.
  static TRect BarGradientBounds(TB* Bar);

 private:
  // The dock site's background under a part of the bar's window (window coordinates).
  void FillDockThrough(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush);
  // The knee gradient across the bar over Gradient, painted within R only.
  void PaintBarGradient(TB* Bar, HDC DC, const TRect& R, const TRect& Gradient);
  // The rounded frame's steps for a horizontal and a vertical bar.
  void DrawHorizontalFrame(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush, HBRUSH Border);
  void DrawVerticalFrame(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush, HBRUSH Border);
  // The link between an open menu and its owner, coloured by the half of the owner it lies in.
  static void FillDroppedLink(HDC DC, const TRect& Owner, const TRect& Link);
};
