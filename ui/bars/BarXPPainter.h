#pragma once
// The themed look (bmsXP): toolbars, menus and item controls drawn as parts of the visual style.
// The manager chooses it only while visual styles are available. Its metrics come from the theme:
// every new painter measures them once, so a painter made after a theme change sees the new theme.
// Other painters use its size grip, status-bar background and grip size while themes are in use.
#include "ui/bars/BarPainter.h"

class TdxBarXPPainter : public TdxBarPainter {
  VW_CLASS(TdxBarXPPainter, TdxBarPainter)
 public:
  TdxBarXPPainter();

  // ---- metrics and brushes ----
  /*  17 */ bool FadesDisabledImages(TB*) override { return true; }
  /*  21 */ bool SubItemStateQuery(TP& P) override;
  /*  40 */ int EllipsisDotLift(int DotSize) override { return 2 * DotSize; }
  /*  88 */ int GlyphPressOffset(bool) override { return 1; }
  /*  89 */ int GlyphSecondPressOffset(bool AlsoDown) override { return AlsoDown ? 0 : 1; }
  /*  90 */ bool GlyphDrawFlagA() override { return true; }
  /* 100 */ int GripInset() override { return 0; }
  /* 104 */ int GripSizeDocked() override { return GripWidth() + GripInset() + 2; }
  /* 105 */ int GripWidth() override;
  /* 106 */ int DropArrowPartWidth(TdxBarManager* Manager, bool LargeIcons) override {
    return TdxBarPainter::DropArrowPartWidth(Manager, LargeIcons) + 3;
  }
  /* 107 */ int LargeDropArrowPartWidth(TdxBarManager* Manager) override {
    return TdxBarPainter::LargeDropArrowPartWidth(Manager) + 3;
  }
  /* 110 */ bool UsesNativeBackground() override { return true; }
  /* 119 */ HBRUSH ToolbarBrush(TdxBarManager* Manager) override;
  /* 120 */ HBRUSH BarBrush(TB* Bar) override { return ToolbarBrush(ManagerOf(Bar)); }
  /* 124 */ int ComboArrowWidth(int TextWidth) override;
  /* 130 */ int ToolbarSeparatorMargin() override { return (ToolbarSeparatorSize() - 1) / 2; }
  /* 131 */ int ToolbarSeparatorSize() override;
  /* 133 */ int DockedBorderWidth() override { return 0; }
  /* 138 */ bool FloatCaptionIsFlat() override { return true; }
  /* 139 */ TSize CloseButtonSize() override;
  /* 168 */ bool FloatsQuickControl() override { return true; }
  /* 174 */ bool IsFlatForShifts() override { return true; }
  /* 176 */ int ButtonVertPadding() override;
  /* 177 */ int ButtonHorzPadding() override;
  /* 182 */ void AdjustMenuItemHeight(int& Height) override { Height += 1; }
  /* 194 */ int DropDownLinesGap() override { return 0; }
  /* 202 */ int MenuArrowMargin() override { return 1; }
  /* 204 */ int MenuSeparatorHeight() override;
  /* 210 */ int DetachCaptionHeight(int Height) override { return Height + 1; }
  /* 220 */ TRect MenuSeparatorBounds(TB* Bar, const TRect& Row, bool AfterShadedRarelyUsed) override;
  /* 221 */ void MenuClientInsets(TRect& R) override { R = dxbar::Inflate(R, -2, -2); }
  /* 232 */ HBRUSH MenuBrush(TB*) override;
  /* 241 */ TColor EditBackColor() override { return clWindow; }
  /* 242 */ TColor DisabledEditBackColor(TB* Bar) override;
  /* 244 */ TColor EditTextColorDefault() override;
  /* 245 */ TColor DisabledEditTextColor() override;
  /* 258 */ TRect EditBorderOffsets() override;
  /* 265 */ bool EditGlyphUsesMenuBrush(TP& P) override;
  /* 271 */ int EditCaptionGapBar(TP&) override { return 6; }
  /* 272 */ int EditCaptionEndGap() override { return 5; }
  /* 273 */ TRect EditMenuInsets(TP&) override { return {5, 0, 0, 0}; }
  /* 274 */ HBRUSH EditPartBrush(TP& P) override { return ItemBkBrush(P); }
  /* 281 */ TRect PickerSwatchInsets() override { return {1, 1, 1, 1}; }
  /* 286 */ int DropDownPanelSize() override;
  /* 287 */ bool PushButtonsFlat() override { return true; }
  /* 294 */ TRect SpinButtonInsets() override { return {}; }
  /* 299 */ TColor ProgressColor() override;
  /* 301 */ int ReservedMetricA() override;
  /* 325 */ int SeparatorThickness() override;

  // ---- drawing ----
  /*   7 */ void DrawGlyphFrame(TdxBarItemControl* C, HDC DC, HBRUSH Brush, bool NeedsBorder, const TRect& R,
                                TdxBarPaintMode PaintType, bool NoGlyph, bool Selected, bool Down, bool Pressed,
                                bool DroppedDown, bool IsSplitButton) override;
  /*   8 */ void DrawCheckMarkGlyph(HDC DC, const TPoint& P, bool Enabled, bool Double, bool IsRadio) override;
  /*  32 */ void DrawMarkBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) override;
  /*  34 */ int FloatCaptionTextOrigin(TB* Bar, TRect& TextRect, const TRect& MarkRect) override;
  /*  43 */ void DrawEllipsisDot(HDC DC, const TRect& R, bool Enabled) override;
  /*  82 */ void DrawMenuGlyphArea(TBP& P, HDC DC, const TRect& R) override;
  /*  87 */ HBRUSH GlyphBrushFor(TdxBarItemControl* C, TdxBarPaintMode PaintType, bool NoGlyph, bool Selected,
                                 bool Down, bool Pressed, bool DroppedDown, bool StaticItem, bool GrayGlyph) override;
  /* 109 */ void FillDockBackground(TdxDockControl* Dock, HDC DC, const TRect& R, const TRect& Origin, HBRUSH Brush,
                                    TColor Color) override;
  /* 136 */ void FillFloatCaption(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) override;
  /* 141 */ void DrawToolbarSeparator(TB* Bar, HDC DC, const TRect& R, bool Vertical, HBRUSH Brush) override;
  /* 143 */ void DrawFloatCloseGlyph(TB* Bar, HDC DC, const TRect& R, int State, bool Active) override;
  /* 144 */ void DrawDockedBarFrame(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) override;
  /* 145 */ void DrawFloatBorder(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) override;
  /* 149 */ void DrawMDIButton(TB* Bar, HDC DC, const TRect& R, int Kind, int State) override;
  /* 188 */ void DrawDropArrowPart(TBP& P, HDC DC, const TRect& R) override;
  /* 189 */ void FillDropArrowPart(TBP& P, HDC DC, const TRect& R) override;
  /* 196 */ void DrawComboButton(TP& P, HDC DC, const TRect& R, bool Selected, bool DroppedDown) override;
  /* 224 */ void DrawMenuBorder(TB* Bar, HDC DC, TRect& R) override;
  /* 225 */ void DrawMenuClientBorder(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) override;
  /* 227 */ void DrawMenuSeparator(TP& P, HDC DC, const TRect& R, bool RarelyUsedGroup) override;
  /* 229 */ void DrawSeparatorLine(HDC DC, const TRect& R) override;
  /* 256 */ void DrawListItem(HDC DC, const TRect& R, const String& Text, bool Selected, int Offset) override;
  /* 260 */ void DrawEditFrame(TEP& P, HDC DC, TRect& R, bool Selected) override;
  /* 282 */ void DrawPickerButton(TP& P, HDC DC, const TRect& R, bool Pressed) override;
  /* 283 */ void DrawDoubleFrame(HDC DC, const TRect& R, HBRUSH Brush) override;
  /* 285 */ void DrawDropDownWindowFrame(win::HWND Window, bool ShowPanel, bool CloseHot, bool CloseDown, TRect& GripRect,
                                         TRect& CloseRect, TcxGripCorner Corner) override;
  /* 288 */ void DrawPushButton(HDC DC, const TRect& R, const String& Text, bool Pressed) override;
  /* 297 */ void DrawSpinButton(TP& P, HDC DC, const TRect& R, bool Upper, int PressedIndex, bool Active) override;
  /* 303 */ void DrawProgress(TB* Bar, HDC DC, const TRect& R, int Min, int Max, int Value, bool Smooth,
                              bool Vertical) override;
  /* 304 */ void FillProgressTrack(TB* Bar, HDC DC, const TRect& R) override;
  /* 305 */ void DrawProgressBlocks(HDC DC, const TRect& Done, bool Vertical) override;

  // The drop-down window's frame with its panel: PanelKind -1 for none, 2 and 3 put the panel at
  // the top, others at the bottom; odd kinds have the grip at the right. The grip and the close
  // button are cut out of the clip; their rectangles come back in window coordinates.
  void DrawDropDownPanelFrame(HDC DC, const TRect& R, int PanelKind, bool BothScrollBars, bool ClosePressed,
                              bool CloseHot, TRect& GripRect, TRect& CloseRect);

  // ---- what the other painters call while themes are in use ----
  static void DrawThemedBarSizeGrip(HDC DC, const TRect& R);
  // The status-bar background into Cache (sized to Client and drawn once while it is empty),
  // copied into R at Origin; without a cache drawn straight over Client.
  static void FillThemedStatusBar(HDC DC, const TRect& R, const TRect& Origin, const TRect& Client, TBitmap* Cache);
  // Measured when asked, so it follows the theme in use.
  static TSize ThemedBarSizeGripSize();

  // The measured metrics, as the last painter made found them.
  struct TMetrics {
    int SeparatorWidth = 6;
    TSize CloseButton{0, 0};  // 0 x 0: the small caption's height
    int VertPadding = 6, HorzPadding = 7;
    int ComboArrowWidth = -1;  // -1: from the text width
    TRect EditOffsets{2, 2, 2, 2};
    int GripWidth = 3;
    int ProgressHeight = 12;
    int VertSeparatorHeight = -1;  // -1: the base answers
    TSize SizeGrip{0, 0};
  };
  static const TMetrics& Metrics();
};
