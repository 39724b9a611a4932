#pragma once
// The flat look (bmsFlat): no 3D edges, a one-pixel selection frame around hot items, state fills
// from the manager's flat brushes, and menus visibly joined to the item that opened them.
#include "ui/bars/BarPainter.h"

class TdxBarFlatPainter : public TdxBarPainter {
  VW_CLASS(TdxBarFlatPainter, TdxBarPainter)
 public:
  /*   7 */ void DrawGlyphFrame(TdxBarItemControl* C, HDC DC, HBRUSH Brush, bool NeedsBorder, const TRect& R,
                                TdxBarPaintMode PaintType, bool NoGlyph, bool Selected, bool Down, bool Pressed,
                                bool DroppedDown, bool IsSplitButton) override;
  /*   8 */ void DrawCheckMarkGlyph(HDC DC, const TPoint& P, bool Enabled, bool Double, bool IsRadio) override;
  /*  12 */ void DrawHotFrame(HDC DC, const TRect& R) override;
  /*  26 */ TColor FloatCaptionColor(bool) override { return clInactiveCaption; }
  /*  28 */ TColor FloatCaptionGlyphColor(bool Active, int ButtonState) override;
  /*  32 */ void DrawMarkBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) override;
  /*  34 */ int FloatCaptionTextOrigin(TB* Bar, TRect& TextRect, const TRect& MarkRect) override;
  /*  35 */ int MarkGlyphColorIndex(TB* Bar) override;
  /*  50 */ void DrawMenuScrollDivider(TB*, HDC, const TRect&, int) override {}
  /*  56 */ void DrawMenuExpandButtonFace(TB* Bar, HDC DC, const TRect& R) override;
  /*  59 */ void DrawSpinArrow(HDC DC, const TRect& R, bool Up, bool Enabled, bool Selected) override;
  /*  66 */ void CalcSpinLayout(TP& P, const TRect& R, TdxBarEditLayout& L) override;
  /*  70 */ int SubMenuVertOffset() override { return 1; }
  /*  72 */ int SubItemArrowSize(TP& P, TFont* Font) override;
  /*  82 */ void DrawMenuGlyphArea(TBP& P, HDC DC, const TRect& R) override;
  /*  84 */ void DrawLoweredFrame(HDC DC, TRect& R) override;
  /*  85 */ void DrawEditButtonFrame(TP& P, HDC DC, TRect& R, bool Selected, bool Pressed) override;
  /*  87 */ HBRUSH GlyphBrushFor(TdxBarItemControl* C, TdxBarPaintMode PaintType, bool NoGlyph, bool Selected,
                                 bool Down, bool Pressed, bool DroppedDown, bool StaticItem, bool GrayGlyph) override;
  /*  90 */ bool GlyphDrawFlagA() override { return true; }
  /*  91 */ bool IsFlatStyle() override { return true; }
  /*  94 */ bool ShowsGlyphFrame(TdxBarItemControl* C, bool Down, bool Pressed, bool Selected, bool NoGlyph) override;
  /*  95 */ bool GlyphDrawFlagB() override { return true; }
  /*  98 */ int ButtonSideMargin() override { return 1; }
  /*  99 */ int ParentArrowAreaWidth(TdxBarItemControl* C) override;
  /* 100 */ int GripInset() override { return 1; }
  /* 104 */ int GripSizeDocked() override { return GripWidth() + GripInset() + 2; }
  /* 106 */ int DropArrowPartWidth(TdxBarManager* Manager, bool LargeIcons) override {
    return TdxBarPainter::DropArrowPartWidth(Manager, LargeIcons) - 1;
  }
  /* 107 */ int LargeDropArrowPartWidth(TdxBarManager* Manager) override {
    return TdxBarPainter::LargeDropArrowPartWidth(Manager) - 1;
  }
  /* 108 */ int MenuGroupIndent() override { return 8; }
  /* 111 */ bool LinksMenuToOwner() override { return true; }
  /* 119 */ HBRUSH ToolbarBrush(TdxBarManager* Manager) override;
  /* 120 */ HBRUSH BarBrush(TB* Bar) override;
  /* 121 */ HBRUSH DownBrush(TdxBarManager* Manager) override;
  /* 122 */ HBRUSH DownHotBrush(TdxBarManager* Manager) override;
  /* 123 */ HBRUSH HotBrush(TdxBarManager* Manager) override;
  /* 130 */ int ToolbarSeparatorMargin() override { return (ToolbarSeparatorSize() - 1) / 2; }
  /* 131 */ int ToolbarSeparatorSize() override { return 5; }
  /* 141 */ void DrawToolbarSeparator(TB* Bar, HDC DC, const TRect& R, bool Vertical, HBRUSH Brush) override;
  /* 143 */ void DrawFloatCloseGlyph(TB* Bar, HDC DC, const TRect& R, int State, bool Active) override;
  /* 144 */ void DrawDockedBarFrame(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) override;
  /* 145 */ void DrawFloatBorder(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) override;
  /* 147 */ void DrawMarkArrow(TB* Bar, HDC DC, const TRect& MarkRect, bool Active) override;
  /* 149 */ void DrawMDIButton(TB* Bar, HDC DC, const TRect& R, int Kind, int State) override;
  /* 165 */ HBRUSH QuickControlBrush(TB*) override { return win::GetSysColorBrush(win::COLOR_WINDOW); }
  /* 166 */ TRect CheckCellBounds(TP& P, HDC DC, const TRect& R, bool Flag) override;
  /* 167 */ void DrawCheckCellFrame(TP& P, HDC DC, const TRect& Cell, const TRect& ItemRect, bool Flag) override;
  /* 168 */ bool FloatsQuickControl() override { return true; }
  /* 171 */ HBRUSH ButtonBrush(TP& P) override;
  /* 182 */ void AdjustMenuItemHeight(int& Height) override { Height += 2; }
  /* 183 */ void AdjustMenuItemWidth(int& Width) override { Width += 9; }
  /* 189 */ void FillDropArrowPart(TBP& P, HDC DC, const TRect& R) override;
  /* 192 */ TColor ComboArrowColor(TP& P) override;
  /* 193 */ HBRUSH ComboButtonBrush(TP& P) override;
  /* 197 */ void DrawComboButtonFace(TP& P, HDC DC, TRect& R, HBRUSH Brush, bool Selected, bool DroppedDown) override;
  /* 202 */ int MenuArrowMargin() override { return 1; }
  /* 204 */ int MenuSeparatorHeight() override { return 5; }
  /* 208 */ TdxBarMenuMarks CalcMenuMarks(HDC DC, int TextSize) override;
  /* 210 */ int DetachCaptionHeight(int Height) override { return Height + 1; }
  /* 215 */ int MenuChevronSize(int Height) override;
  /* 216 */ int NominalTextSize() override { return 20; }
  /* 217 */ TRect MenuGlyphBounds(const TRect& R, int IconArea) override;
  /* 218 */ TRect MenuTextBounds(const TRect& R, int IconArea) override;
  /* 219 */ int MenuTextIndentOf(int IconArea) override { return TdxBarPainter::MenuTextIndentOf(IconArea) + 6; }
  /* 220 */ TRect MenuSeparatorBounds(TB* Bar, const TRect& Row, bool AfterShadedRarelyUsed) override;
  /* 221 */ void MenuClientInsets(TRect& R) override { R = dxbar::Inflate(R, -2, -2); }
  /* 224 */ void DrawMenuBorder(TB* Bar, HDC DC, TRect& R) override;
  /* 225 */ void DrawMenuClientBorder(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) override;
  /* 226 */ void DrawDetachCaption(TB* Bar, HDC DC, const TRect& R) override;
  /* 227 */ void DrawMenuSeparator(TP& P, HDC DC, const TRect& R, bool RarelyUsedGroup) override;
  /* 229 */ void DrawSeparatorLine(HDC DC, const TRect& R) override;
  /* 231 */ int ComboEditHeight(HDC DC) override { return TdxBarPainter::ComboEditHeight(DC) + 1; }
  /* 232 */ HBRUSH MenuBrush(TB*) override { return win::GetSysColorBrush(win::COLOR_WINDOW); }
  /* 256 */ void DrawListItem(HDC DC, const TRect& R, const String& Text, bool Selected, int Offset) override;
  /* 258 */ TRect EditBorderOffsets() override { return {1, 1, 1, 1}; }
  /* 260 */ void DrawEditFrame(TEP& P, HDC DC, TRect& R, bool Selected) override;
  /* 262 */ void DrawEditSelection(TEP& P, HDC DC, const TRect& R) override;
  /* 265 */ bool EditGlyphUsesMenuBrush(TP& P) override;
  /* 270 */ int EditCaptionGapMenu(TP& P) override;
  /* 271 */ int EditCaptionGapBar(TP&) override { return 6; }
  /* 272 */ int EditCaptionEndGap() override { return 5; }
  /* 273 */ TRect EditMenuInsets(TP&) override { return {7, 0, 0, 0}; }
  /* 274 */ HBRUSH EditPartBrush(TP& P) override { return ItemBkBrush(P); }
  /* 275 */ bool EditPartSelected(TP& P) override { return P.IsSelected && P.InMenu(); }
  /* 277 */ bool ReservedMenuQuery(TP& P, bool Flag) override { return Flag && P.InMenu(); }
  /* 285 */ void DrawDropDownWindowFrame(win::HWND Window, bool ShowPanel, bool CloseHot, bool CloseDown, TRect& GripRect,
                                         TRect& CloseRect, TcxGripCorner Corner) override;
  /* 287 */ bool PushButtonsFlat() override { return true; }
  /* 288 */ void DrawPushButton(HDC DC, const TRect& R, const String& Text, bool Pressed) override;
  /* 297 */ void DrawSpinButton(TP& P, HDC DC, const TRect& R, bool Upper, int PressedIndex, bool Active) override;
  /* 300 */ bool ReservedQueryE() override { return true; }
  /* 308 */ int ReservedMetricC() override { return 9; }
  /* 312 */ bool StaticIsSelected(TP& P) override { return TdxBarPainter::StaticIsSelected(P) && SelectedLooksFlat(); }
  /* 313 */ bool StaticShowsArrow(TP& P) override;
  /* 318 */ void DrawStaticBorder(TSP& P, HDC DC, const TRect& R) override;

  // ---- the flat family's own operations ----
  /* 334 */ virtual void DrawDropPartFrame(TdxBarItemControl* C, HDC DC, const TRect& R, HBRUSH Brush,
                                           TdxBarPaintMode PaintType, bool Selected, bool Down);
  /* 335 */ virtual HBRUSH MenuGlyphBrush(TdxBarManager* Manager);
  /* 336 */ virtual HBRUSH StaticBorderBrush() { return win::GetSysColorBrush(win::COLOR_BTNSHADOW); }
  /* 337 */ virtual void DrawDroppedOwnerFace(TB* Bar, HDC DC, const TRect& R, const TRect& OwnerState);
  /* 338 */ virtual void DrawDroppedOwnerFrame(TB* Bar, HDC DC, const TRect& R, const TRect& OwnerState);
  /* 339 */ virtual void DrawOwnerFrame(TB* Bar, HDC DC, const TRect& R);
  /* 340 */ virtual void FillOwnerMenuLink(TB* Bar, HDC DC, const TRect& R);
  /* 341 */ virtual TColor SeparatorLineColor() { return clBtnShadow; }

 protected:
  // Where an open menu touches the item R that dropped it: the one-pixel seam on the item's side
  // facing the menu, without the frame's corners; empty when the menu lies elsewhere.
  static TRect OwnerLinkBounds(const TRect& R, const TRect& Menu);
  static bool WhiteFace();
  static bool BlackFace();
};
