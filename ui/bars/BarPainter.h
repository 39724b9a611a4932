#pragma once
// The bar painter: everything the bar library puts on the screen (toolbars, their grips, marks and
// frames, menus, item controls, hints) is drawn and measured here. Bars and items never choose a
// colour or a metric themselves; they ask the painter of their window on every call. This base
// draws the plain look; each style painter replaces single operations. Operations keep their place
// in the interface, numbered, because the style painters name what they replace by number.
//
// A painter holds no state: every answer comes from its arguments (the item's draw params, the bar
// window and the manager behind them), the system colours and metrics and the shared brushes.
// Brushes it hands out belong to the manager, the bar window, the system or the library; callers
// never free them. GDI objects an operation makes are gone when it returns, also when a step raises.
#include "platform/classes/Interface.h"
#include "platform/gdi/Gdi.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarDrawParams.h"
#include "ui/controls/DropDownGrip.h"
#include "ui/foundation/Interfaced.h"
#include "ui/foundation/Types.h"

class TcxCanvas;
class TdxBarCustomHintViewInfo;

// Painters that fade hot parts (the skin painter) implement this.
class IdxBarPainterFading : public virtual IInterface {
 public:
  static constexpr const char* GUID = "{B97FA518-6C2E-4219-9430-19546EF91A1F}";
  virtual bool MakesImagesOpaque() = 0;
  virtual void DrawMarkForFade(TCustomdxBarControl* BarControl, win::HDC DC, bool Hot, const TRect& R) = 0;
  virtual void DrawButtonForFade(TdxBarButtonLikeControlDrawParams& P) = 0;
};

// The layout of an edit, combo, picker or spin control inside its rectangle.
struct TdxBarEditLayout {
  TRect CaptionRect{}, GlyphRect{}, ContentRect{}, ButtonRect{}, EllipsisRect{}, SwatchRect{};
  TRect UpButtonRect{}, DownButtonRect{};
  int TextEnd = 0;     // where the caption's text ends
  int ContentEnd = 0;  // where the content ends
};

// The text size and mark sizes of a menu, from its font.
struct TdxBarMenuMarks {
  int TextSize = 0;
  int ArrowWidth = 0;
  int MarkHeight = 0;
};

class TdxBarPainter : public TcxIUnknownObject {
  VW_CLASS(TdxBarPainter, TcxIUnknownObject)
 public:
  using TP = TdxBarItemControlDrawParams;
  using TBP = TdxBarButtonLikeControlDrawParams;
  using TSP = TdxBarStaticLikeControlDrawParams;
  using TEP = TdxBarEditLikeControlDrawParams;
  using TB = TCustomdxBarControl;
  using HDC = win::HDC;
  using HBRUSH = win::HBRUSH;

  TdxBarPainter() = default;

  /*   0 */ virtual void FillControlClient(TB* Bar, HDC DC, const TRect& R);
  /*   1 */ virtual void PaintNonClientArea(TB* /*Bar*/, HDC /*DC*/) {}
  /*   2 */ virtual TRect FloatCaptionBounds(TB* Bar, const TRect& WindowRect);
  /*   3 */ virtual bool PaintsOwnFrames() { return false; }
  /*   4 */ virtual bool WantsDoubleBuffer() { return false; }
  /*   5 */ virtual bool SupportsLargeIcons() { return true; }
  /*   6 */ virtual TRect CaptionBoundsBesideGlyph(TBP& P, const TRect& R, const TRect& GlyphRect, int& Alignment);
  /*   7 */ virtual void DrawGlyphFrame(TdxBarItemControl* C, HDC DC, HBRUSH Brush, bool NeedsBorder, const TRect& R,
                                        TdxBarPaintMode PaintType, bool NoGlyph, bool Selected, bool Down,
                                        bool Pressed, bool DroppedDown, bool IsSplitButton);
  /*   8 */ virtual void DrawCheckMarkGlyph(HDC /*DC*/, const TPoint& /*P*/, bool /*Enabled*/, bool /*Double*/,
                                            bool /*IsRadio*/) {}
  /*   9 */ virtual void DrawMissingGlyphCheck(TP& P, HDC DC, const TRect& R, bool Checked, bool IsRadio);
  /*  10 */ virtual void DrawDownArrow(HDC DC, const TRect& R, TColor Color, bool Enabled, bool Selected, int Size);
  /*  11 */ virtual void DrawSideArrow(HDC DC, const TRect& R, TColor Color, bool Enabled, bool Selected, int Size);
  /*  12 */ virtual void DrawHotFrame(HDC /*DC*/, const TRect& /*R*/) {}
  /*  13 */ virtual TColor TextColor(bool Selected, bool Flat);
  /*  14 */ virtual void DisabledTextColors(bool Selected, bool Flat, TColor& First, TColor& Second);
  /*  15 */ virtual TColor EnabledTextColor(bool Selected, bool Flat) { return TextColor(Selected, Flat); }
  /*  16 */ virtual TColor ArrowColor(TP& P, bool Selected, bool Flat);
  /*  17 */ virtual bool FadesDisabledImages(TB* Bar);
  /*  18 */ virtual bool DisabledGlyphFlag() { return false; }
  /*  19 */ virtual bool KeepsRarelyUsedShade() { return false; }
  /*  20 */ virtual bool SupportsFading();
  /*  21 */ virtual bool SubItemStateQuery(TP& /*P*/) { return false; }
  /*  22 */ virtual bool ArrowsUseTextColor() { return false; }
  /*  23 */ virtual void ShowHintWindow(TB* Bar, const TRect& R, const TPoint& Cursor, int Height, TPoint& Position);
  /*  24 */ virtual TdxBarCustomHintViewInfo* CreateHintViewInfo(TdxBarManager* Manager, const String& Hint,
                                                                const String& ShortCut, TdxBarScreenTip* ScreenTip);
  /*  25 */ virtual bool IsShortRect(const TRect& R);
  /*  26 */ virtual TColor FloatCaptionColor(bool Active);
  /*  27 */ virtual TColor FloatCaptionTextColor(bool Active);
  /*  28 */ virtual TColor FloatCaptionGlyphColor(bool Active, int ButtonState);
  /*  29 */ virtual void DrawBarSizeGrip(HDC DC, const TRect& R);
  /*  30 */ virtual void DrawMarkDropArrow(HDC DC, const TRect& R, TColor Color);
  /*  31 */ virtual void DrawMarkChevrons(TB* Bar, HDC DC, const TRect& R, int Offset);
  /*  32 */ virtual void DrawMarkBackground(TB* /*Bar*/, HDC /*DC*/, const TRect& /*R*/, HBRUSH /*Brush*/) {}
  /*  33 */ virtual void DrawMarkContent(TB* Bar, HDC DC, const TRect& R);
  /*  34 */ virtual int FloatCaptionTextOrigin(TB* Bar, TRect& TextRect, const TRect& MarkRect);
  /*  35 */ virtual int MarkGlyphColorIndex(TB* /*Bar*/) { return 18; }
  /*  36 */ virtual void DrawItemCaption(TBP& P, HDC DC, const TRect& R, int Alignment, win::UINT Format);
  /*  37 */ virtual TRect CaptionPadding() { return {4, 0, 0, 0}; }
  /*  38 */ virtual TRect MeasureCaption(HDC DC, const String& Caption);
  /*  39 */ virtual void AddDropDownExtent(TP& P, TSize& Size);
  /*  40 */ virtual int EllipsisDotLift(int DotSize) { return DotSize; }
  /*  41 */ virtual TRect EllipsisButtonBounds(const TRect& R);
  /*  42 */ virtual int EllipsisButtonWidth(const TRect& R);
  /*  43 */ virtual void DrawEllipsisDot(HDC DC, const TRect& R, bool Enabled);
  /*  44 */ virtual void DrawEllipsisDots(HDC DC, const TRect& R, bool Enabled, bool Pressed);
  /*  45 */ virtual void DrawComboArrow(HDC DC, const TRect& R, int Size, TColor Color, bool Enabled);
  /*  46 */ virtual void FillArrowShape(HDC DC, const TRect& R, TColor Color);
  /*  47 */ virtual void DrawFilledArrow(HDC DC, const TRect& R, const TPoint (&Points)[3], TColor Color);
  /*  48 */ virtual void DrawMenuScrollButton(TB* Bar, HDC DC, const TRect& R, bool Top, int State, bool Shown);
  /*  49 */ virtual void FillMenuScrollButton(TB* Bar, HDC DC, const TRect& R);
  /*  50 */ virtual void DrawMenuScrollDivider(TB* Bar, HDC DC, const TRect& R, int State);
  /*  51 */ virtual TRect MenuScrollButtonBounds(TB* Bar, const TRect& Client, bool Top);
  /*  52 */ virtual int MenuScrollButtonHeight(TB* Bar) { return Bar->TextSize(); }
  /*  53 */ virtual int MenuScrollArrowSize(int Height) { return Height / 3 - 1; }
  /*  54 */ virtual void DrawExpandChevrons(TB* Bar, HDC DC, const TRect& R, bool Hot);
  /*  55 */ virtual void DrawMenuExpandButton(TB* Bar, HDC DC, const TRect& R, bool Hot);
  /*  56 */ virtual void DrawMenuExpandButtonFace(TB* Bar, HDC DC, const TRect& R);
  /*  57 */ virtual bool DockHasBorder() { return false; }
  /*  58 */ virtual TRect EditContentBounds(const TRect& R);
  /*  59 */ virtual void DrawSpinArrow(HDC DC, const TRect& R, bool Up, bool Enabled, bool Selected);
  /*  60 */ virtual void DrawFaceText(HDC DC, const TRect& R, const String& Text, bool Pressed);
  /*  61 */ virtual void Construct(const TcxCustomLookAndFeelPainter* /*SkinPainter*/) {}
  /*  62 */ virtual void AdjustForDropDownPart(TP& P, const TRect& PartRect, TdxBarEditLayout& L);
  /*  63 */ virtual void CalcPickerLayout(TP& P, const TRect& R, TdxBarEditLayout& L);
  /*  64 */ virtual void CalcComboLayout(TP& P, const TRect& R, TdxBarEditLayout& L);
  /*  65 */ virtual void CalcEditLayout(TP& P, const TRect& R, TdxBarEditLayout& L, int CaptionWidth, int GlyphWidth);
  /*  66 */ virtual void CalcSpinLayout(TP& P, const TRect& R, TdxBarEditLayout& L);
  /*  67 */ virtual void ItemTextColors(TP& P, bool Selected, bool Flat, TColor& First, TColor& Second);
  /*  68 */ virtual void CalcBarNonClient(TB* Bar, int DockingStyle, TRect& Insets, bool WithSizeGrip);
  /*  69 */ virtual int ToolbarRowOffset() { return 0; }
  /*  70 */ virtual int SubMenuVertOffset() { return 0; }
  /*  71 */ virtual int CalcIconAreaSize(TB* Bar, bool LargeItems);
  /*  72 */ virtual int SubItemArrowSize(TP& P, TFont* Font);
  /*  73 */ virtual int EditMinHeight(HDC DC);
  /*  74 */ virtual int PopupBorderWidth() { return 2; }
  /*  75 */ virtual TRect PlaceGlyph(const TRect& R, const TSize& Glyph, TdxBarGlyphLayout Layout, bool Vertical,
                                     bool CaptionShown);
  /*  76 */ virtual void FillItemBackground(TP& P, HDC DC, const TRect& R, HBRUSH Brush, bool Opaque);
  /*  77 */ virtual void DrawItemRing(TP& P, HDC DC, const TRect& R, HBRUSH Brush, bool Opaque);
  /*  78 */ virtual void DrawDisabledMark(HDC DC, const TRect& R);
  /*  79 */ virtual void FillBarBackgroundPart(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush);
  /*  80 */ virtual void DrawItemGlyph(TBP& P, HDC DC, const TRect& Cell, TdxBarPaintMode PaintType, bool NoGlyph,
                                       bool Selected, bool Down, bool Pressed, bool DroppedDown, bool IsSplit,
                                       bool GrayGlyph);
  /*  81 */ virtual void DrawGlyphImage(TP& P, HDC DC, const TRect& Cell, const TRect& ImageRect,
                                        TdxBarPaintMode PaintType, bool NoGlyph, bool Selected, bool Down,
                                        bool Pressed, bool DroppedDown, bool IsSplit, bool GrayGlyph, bool Checked,
                                        bool StaticItem);
  /*  82 */ virtual void DrawMenuGlyphArea(TBP& /*P*/, HDC /*DC*/, const TRect& /*R*/) {}
  /*  83 */ virtual void DrawItemText(TP& P, HDC DC, const String& Text, const TRect& R, int Alignment, bool Enabled,
                                      bool Selected, bool Vertical, bool Clip, bool Flat, win::UINT Format);
  /*  84 */ virtual void DrawLoweredFrame(HDC DC, TRect& R);
  /*  85 */ virtual void DrawEditButtonFrame(TP& /*P*/, HDC /*DC*/, TRect& /*R*/, bool /*Selected*/, bool /*Pressed*/) {}
  /*  86 */ virtual TRect CaptionOffsets() { return {2, 2, 2, 3}; }
  /*  87 */ virtual HBRUSH GlyphBrushFor(TdxBarItemControl* C, TdxBarPaintMode PaintType, bool NoGlyph, bool Selected,
                                         bool Down, bool Pressed, bool DroppedDown, bool StaticItem, bool GrayGlyph);
  /*  88 */ virtual int GlyphPressOffset(bool /*Down*/) { return 0; }
  /*  89 */ virtual int GlyphSecondPressOffset(bool /*AlsoDown*/) { return 0; }
  /*  90 */ virtual bool GlyphDrawFlagA() { return false; }
  /*  91 */ virtual bool IsFlatStyle() { return false; }
  /*  92 */ virtual bool SelectedLooksFlat();
  /*  93 */ virtual bool ButtonQueryHook() { return false; }
  /*  94 */ virtual bool ShowsGlyphFrame(TdxBarItemControl* C, bool Down, bool Pressed, bool Selected, bool NoGlyph);
  /*  95 */ virtual bool GlyphDrawFlagB() { return false; }
  /*  96 */ virtual bool GlyphOverBackground(TdxBarItemControl* C);
  /*  97 */ virtual bool HighlightsDownButtons() { return true; }
  /*  98 */ virtual int ButtonSideMargin() { return 0; }
  /*  99 */ virtual int ParentArrowAreaWidth(TdxBarItemControl* C);
  /* 100 */ virtual int GripInset() { return 0; }
  /* 101 */ virtual int FrameWidthX();
  /* 102 */ virtual int FrameWidthY();
  /* 103 */ virtual int NoGripInset() { return 0; }
  /* 104 */ virtual int GripSizeDocked() { return 0; }
  /* 105 */ virtual int GripWidth() { return 3; }
  /* 106 */ virtual int DropArrowPartWidth(TdxBarManager* Manager, bool LargeIcons);
  /* 107 */ virtual int LargeDropArrowPartWidth(TdxBarManager* Manager);
  /* 108 */ virtual int MenuGroupIndent() { return 0; }
  /* 109 */ virtual void FillDockBackground(TdxDockControl* Dock, HDC DC, const TRect& R, const TRect& Origin,
                                            HBRUSH Brush, TColor Color);
  /* 110 */ virtual bool UsesNativeBackground() { return false; }
  /* 111 */ virtual bool LinksMenuToOwner() { return false; }
  /* 112 */ virtual bool WantsShadow(TB* Bar);
  /* 113 */ virtual bool ShadowAgainstOwner(TB* Bar);
  /* 114 */ virtual HBRUSH ControlBrush(TB* Bar);
  /* 115 */ virtual int DockRowSpacing() { return 0; }
  /* 116 */ virtual void FillDockedBarBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush);
  /* 117 */ virtual void FillFloatBarBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush);
  /* 118 */ virtual void FillSizeGripArea(TB* Bar, HDC DC, const TRect& R);
  /* 119 */ virtual HBRUSH ToolbarBrush(TdxBarManager* Manager);
  /* 120 */ virtual HBRUSH BarBrush(TB* Bar);
  /* 121 */ virtual HBRUSH DownBrush(TdxBarManager* Manager);
  /* 122 */ virtual HBRUSH DownHotBrush(TdxBarManager* Manager);
  /* 123 */ virtual HBRUSH HotBrush(TdxBarManager* Manager);
  /* 124 */ virtual int ComboArrowWidth(int TextWidth) { return 2 * TextWidth - 1; }
  /* 125 */ virtual int EditTextAreaHeight(int TextHeight);
  /* 126 */ virtual void EditFrameInsets(int& Top, int& Bottom) { Top = 2; Bottom = 2; }
  /* 127 */ virtual void PrepareBarResize(win::HWND /*Wnd*/, const TRect& /*R*/, bool /*NonClient*/) {}
  /* 128 */ virtual bool MenuItemsUseMenuBrush() { return true; }
  /* 129 */ virtual bool AllowsQuickCustomizing() { return true; }
  /* 130 */ virtual int ToolbarSeparatorMargin() { return (ToolbarSeparatorSize() - 2) / 2; }
  /* 131 */ virtual int ToolbarSeparatorSize() { return 6; }
  /* 132 */ virtual TRect DockedBorderInsets(TB* /*Bar*/) { return {1, 1, 1, 1}; }
  /* 133 */ virtual int DockedBorderWidth() { return 1; }
  /* 134 */ virtual TRect DockedBarInsets(TB* /*Bar*/, int /*DockingStyle*/) { return {2, 2, 2, 2}; }
  /* 135 */ virtual int SmallCaptionHeightPlus() { return SmallCaptionHeight() + 1; }
  /* 136 */ virtual void FillFloatCaption(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush);
  /* 137 */ virtual int SmallCaptionHeight();
  /* 138 */ virtual bool FloatCaptionIsFlat() { return false; }
  /* 139 */ virtual TSize CloseButtonSize() { return {SmallCaptionHeight(), SmallCaptionHeight()}; }
  /* 140 */ virtual void FillBarBackground(TB* Bar, HDC DC, const TRect& R, const TRect& Origin, HBRUSH Brush,
                                           TColor Color);
  /* 141 */ virtual void DrawToolbarSeparator(TB* Bar, HDC DC, const TRect& R, bool Vertical, HBRUSH Brush);
  /* 142 */ virtual void DrawButtonFace(TB* Bar, HDC DC, const TRect& R, int State, bool Active);
  /* 143 */ virtual void DrawFloatCloseGlyph(TB* /*Bar*/, HDC /*DC*/, const TRect& /*R*/, int /*State*/,
                                             bool /*Active*/) {}
  /* 144 */ virtual void DrawDockedBarFrame(TB* /*Bar*/, HDC /*DC*/, TRect& /*R*/, HBRUSH /*Brush*/) {}
  /* 145 */ virtual void DrawFloatBorder(TB* /*Bar*/, HDC /*DC*/, TRect& /*R*/, HBRUSH /*Brush*/) {}
  /* 146 */ virtual void DrawFloatCaption(TB* Bar, HDC DC, const TRect& R, const String& Caption, HBRUSH Brush,
                                          bool Active);
  /* 147 */ virtual void DrawMarkArrow(TB* Bar, HDC DC, const TRect& MarkRect, bool Active);
  /* 148 */ virtual void DrawMark(TB* Bar, HDC DC, const TRect& R);
  /* 149 */ virtual void DrawMDIButton(TB* /*Bar*/, HDC /*DC*/, const TRect& /*R*/, int /*Kind*/, int /*State*/) {}
  /* 150 */ virtual void DrawStatusBarGrip(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush);
  /* 151 */ virtual void FillStatusBarTopBand(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush);
  /* 152 */ virtual int FloatFrameSideInset() { return 0; }
  /* 153 */ virtual TRect MarkRedrawBounds(TB* Bar, const TRect& Client, const TRect& Caption) {
    return MarkBounds(Bar, Client, Caption);
  }
  /* 154 */ virtual TRect MarkBounds(TB* Bar, const TRect& Client, const TRect& Caption);
  /* 155 */ virtual void RedrawMark(TB* Bar, const TRect& Client, const TRect& Caption);
  /* 156 */ virtual int FloatFrameTopInset() { return 0; }
  /* 157 */ virtual int FloatFrameBottomInset() { return 0; }
  /* 158 */ virtual bool TracksCloseButton() { return false; }
  /* 159 */ virtual bool ReservedFloatFlag() { return false; }
  /* 160 */ virtual int MarkSize() { return 11; }
  /* 161 */ virtual void FillStatusBarBackground(TB* Bar, HDC DC, const TRect& R, const TRect& Origin, HBRUSH Brush);
  /* 162 */ virtual TRect StatusBarInsets() { return {}; }
  /* 163 */ virtual int StatusBarTopBand() { return 2; }
  /* 164 */ virtual TSize SizeGripSize();
  /* 165 */ virtual HBRUSH QuickControlBrush(TB* Bar) { return BarBrush(Bar); }
  /* 166 */ virtual TRect CheckCellBounds(TP& P, HDC DC, const TRect& R, bool Flag);
  /* 167 */ virtual void DrawCheckCellFrame(TP& /*P*/, HDC /*DC*/, const TRect& /*Cell*/, const TRect& /*ItemRect*/,
                                            bool /*Flag*/) {}
  /* 168 */ virtual bool FloatsQuickControl() { return false; }
  /* 169 */ virtual int ItemIconAreaWidth(TdxBarItemControl* C);
  /* 170 */ virtual TRect MenuTextMargins() { return {3, 0, 3, 0}; }
  /* 171 */ virtual HBRUSH ButtonBrush(TP& P);
  /* 172 */ virtual bool ButtonUsesBrush(TP& P);
  /* 173 */ virtual bool ButtonFillsHot(TP& P);
  /* 174 */ virtual bool IsFlatForShifts() { return IsFlatStyle(); }
  /* 175 */ virtual bool IsFlatForButtons() { return IsFlatStyle(); }
  /* 176 */ virtual int ButtonVertPadding() { return 6; }
  /* 177 */ virtual int ButtonHorzPadding() { return 7; }
  /* 178 */ virtual int PaddedButtonHeight(int GlyphSize) { return GlyphSize + ButtonVertPadding(); }
  /* 179 */ virtual int PaddedButtonWidth(int GlyphSize) { return GlyphSize + ButtonHorzPadding(); }
  /* 180 */ virtual TSize DefaultButtonSize(const TSize& Glyph) {
    return {PaddedButtonWidth(Glyph.cx), PaddedButtonHeight(Glyph.cy)};
  }
  /* 181 */ virtual TSize CheckGlyphSize() { return {5, 3}; }
  /* 182 */ virtual void AdjustMenuItemHeight(int& /*Height*/) {}
  /* 183 */ virtual void AdjustMenuItemWidth(int& /*Width*/) {}
  /* 184 */ virtual void PressedShift(TBP& P, TRect& R);
  /* 185 */ virtual void PressedShiftIfNotFlat(TBP& P, TRect& R);
  /* 186 */ virtual void PaintButtonItem(TBP& P, HDC DC, const TRect& R);
  /* 187 */ virtual void DrawButtonCaption(TBP& P, HDC DC, const TRect& R, int Alignment);
  /* 188 */ virtual void DrawDropArrowPart(TBP& P, HDC DC, const TRect& R);
  /* 189 */ virtual void FillDropArrowPart(TBP& P, HDC DC, const TRect& R);
  /* 190 */ virtual void DrawDropDownPart(TBP& P, HDC DC, const TRect& R);
  /* 191 */ virtual void DrawSubItemArrow(TBP& P, HDC DC, const TRect& R);
  /* 192 */ virtual TColor ComboArrowColor(TP& P);
  /* 193 */ virtual HBRUSH ComboButtonBrush(TP& P) { return ButtonBrush(P); }
  /* 194 */ virtual int DropDownLinesGap() { return 1; }
  /* 195 */ virtual TRect ComboButtonInsets() { return EditBorderOffsets(); }
  /* 196 */ virtual void DrawComboButton(TP& P, HDC DC, const TRect& R, bool Selected, bool DroppedDown);
  /* 197 */ virtual void DrawComboButtonFace(TP& /*P*/, HDC /*DC*/, TRect& /*R*/, HBRUSH /*Brush*/, bool /*Selected*/,
                                             bool /*DroppedDown*/) {}
  /* 198 */ virtual int DropDownListBorderSize() { return 2; }
  /* 199 */ virtual void DrawDropDownListBorder(HDC DC, const TRect& R, TColor InnerColor);
  /* 200 */ virtual bool MenuHasSideBand() { return false; }
  /* 201 */ virtual bool ShiftsRecentGroup() { return false; }
  /* 202 */ virtual int MenuArrowMargin() { return 2; }
  /* 203 */ virtual int MenuArrowWidth(int TextSize) { return TextSize / 4 * 3 + 1; }
  /* 204 */ virtual int MenuSeparatorHeight() { return 10; }
  /* 205 */ virtual int MenuBorderSize() { return MenuOuterBorder() + MenuInnerBorder(); }
  /* 206 */ virtual int MenuOuterBorder() { return 1; }
  /* 207 */ virtual int MenuInnerBorder() { return 1; }
  /* 208 */ virtual TdxBarMenuMarks CalcMenuMarks(HDC DC, int TextSize);
  /* 209 */ virtual TRect MenuBorderInsets(TB* Bar);
  /* 210 */ virtual int DetachCaptionHeight(int Height) { return Height + 3; }
  /* 211 */ virtual int MenuIconAreaSize(TB* Bar) { return Bar->IconAreaSize(); }
  /* 212 */ virtual int MenuTextIndent(TB* Bar);
  /* 213 */ virtual int MenuItemExtraHeight() { return 0; }
  /* 214 */ virtual int MenuItemExtraWidth() { return 0; }
  /* 215 */ virtual int MenuChevronSize(int Height) { return (Height - 6) / 2; }
  /* 216 */ virtual int NominalTextSize() { return 19; }
  /* 217 */ virtual TRect MenuGlyphBounds(const TRect& R, int IconArea);
  /* 218 */ virtual TRect MenuTextBounds(const TRect& R, int IconArea);
  /* 219 */ virtual int MenuTextIndentOf(int IconArea) { return IconArea + 3; }
  /* 220 */ virtual TRect MenuSeparatorBounds(TB* Bar, const TRect& Row, bool AfterShadedRarelyUsed);
  /* 221 */ virtual void MenuClientInsets(TRect& R);
  /* 222 */ virtual void DrawMenuScrollExtra(TB* /*Bar*/, HDC /*DC*/, const TRect& /*R*/, bool /*Top*/) {}
  /* 223 */ virtual void FillMenuBackground(TB* Bar, HDC DC, const TRect& R, const TRect& Origin, HBRUSH Brush,
                                            TColor Color);
  /* 224 */ virtual void DrawMenuBorder(TB* Bar, HDC DC, TRect& R);
  /* 225 */ virtual void DrawMenuClientBorder(TB* Bar, HDC DC, TRect& R, HBRUSH Brush);
  /* 226 */ virtual void DrawDetachCaption(TB* Bar, HDC DC, const TRect& R);
  /* 227 */ virtual void DrawMenuSeparator(TP& P, HDC DC, const TRect& R, bool RarelyUsedGroup);
  /* 228 */ virtual void DrawMenuItemFrame(TB* /*Bar*/, HDC /*DC*/, TdxBarItemControl* /*C*/, const TRect& /*R*/,
                                           bool /*First*/, bool /*Last*/, bool /*ChangesGroup*/,
                                           bool /*BeginsGroup*/, const TRect& /*Client*/) {}
  /* 229 */ virtual void DrawSeparatorLine(HDC DC, const TRect& R);
  /* 230 */ virtual HBRUSH MenuItemBrush(TB* Bar);
  /* 231 */ virtual int ComboEditHeight(HDC DC) { return EditMinHeight(DC); }
  /* 232 */ virtual HBRUSH MenuBrush(TB* Bar);
  /* 233 */ virtual void DrawApplicationMenuBorder(TB* Bar, HDC DC, TRect& R) { DrawMenuBorder(Bar, DC, R); }
  /* 234 */ virtual void DrawApplicationMenuButton(TP& /*P*/, HDC /*DC*/, const TRect& /*R*/) {}
  /* 235 */ virtual void FillApplicationMenu(TB* Bar, HDC DC, const TRect& R);
  /* 236 */ virtual TRect ApplicationMenuInsets() { return {}; }
  /* 237 */ virtual void FillExtraPane(TB* Bar, HDC DC, const TRect& R);
  /* 238 */ virtual void DrawExtraPaneSeparator(TB* Bar, HDC DC, const TRect& R) {
    // The pane stacks its links: the line runs across it, as on a vertical toolbar.
    DrawToolbarSeparator(Bar, DC, R, true, Bar->BkBrush());
  }
  /* 239 */ virtual void DrawEditText(TEP& P, TcxCanvas* Canvas, const TRect& R, const String& Text);
  /* 240 */ virtual void LookAndFeelChanged(TdxBarManager* Manager);
  /* 241 */ virtual TColor EditBackColor();
  /* 242 */ virtual TColor DisabledEditBackColor(TB* Bar);
  /* 243 */ virtual TColor EditColor(TP& P);
  /* 244 */ virtual TColor EditTextColorDefault();
  /* 245 */ virtual TColor DisabledEditTextColor();
  /* 246 */ virtual TColor EditTextColor(TP& P);
  /* 247 */ virtual void EditColors(TP& P, TColor& Text, TColor& Back);
  /* 248 */ virtual bool ReservedQueryA() { return true; }
  /* 249 */ virtual int ReservedQueryB() { return 0; }
  /* 250 */ virtual bool ReservedSelectedQuery(TP& P) { return P.IsSelected; }
  /* 251 */ virtual int ReservedQueryC() { return 0; }
  /* 252 */ virtual int ReservedQueryD() { return 0; }
  /* 253 */ virtual void PrepareEditDraw(TEP& /*P*/) {}
  /* 254 */ virtual void DrawEditGlyphFrame(TEP& /*P*/, HDC /*DC*/, const TRect& /*R*/) {}
  /* 255 */ virtual void DrawEditFocus(TEP& /*P*/, HDC /*DC*/, const TRect& /*R*/) {}
  /* 256 */ virtual void DrawListItem(HDC DC, const TRect& R, const String& Text, bool Selected, int Offset);
  /* 257 */ virtual void DrawEdit(TEP& P, HDC DC, const TRect& R);
  /* 258 */ virtual TRect EditBorderOffsets() { return {2, 2, 2, 2}; }
  /* 259 */ virtual void FillEditParts(TEP& P, HDC DC, const TRect& R);
  /* 260 */ virtual void DrawEditFrame(TEP& P, HDC DC, TRect& R, bool Selected);
  /* 261 */ virtual void DrawEditCaption(TEP& P, HDC DC, const TRect& R);
  /* 262 */ virtual void DrawEditSelection(TEP& P, HDC DC, const TRect& R);
  /* 263 */ virtual void DrawEditGlyph(TEP& P, HDC DC, const TRect& R);
  /* 264 */ virtual bool EditCaptionUsesMenuBrush(TP& P);
  /* 265 */ virtual bool EditGlyphUsesMenuBrush(TP& P);
  /* 266 */ virtual void DrawEditContent(TEP& P, TcxCanvas* Canvas, const TRect& R);
  /* 267 */ virtual int EditContentOffset() { return 0; }
  /* 268 */ virtual TRect EditPartInsets(TP& P);
  /* 269 */ virtual int EditCaptionGap(TP& P);
  /* 270 */ virtual int EditCaptionGapMenu(TP& /*P*/) { return 2; }
  /* 271 */ virtual int EditCaptionGapBar(TP& /*P*/) { return 2; }
  /* 272 */ virtual int EditCaptionEndGap() { return 4; }
  /* 273 */ virtual TRect EditMenuInsets(TP& /*P*/) { return {4, 0, 0, 0}; }
  /* 274 */ virtual HBRUSH EditPartBrush(TP& P);
  /* 275 */ virtual bool EditPartSelected(TP& /*P*/) { return false; }
  /* 276 */ virtual void SelectEditText(win::HWND Edit, bool NotifyChange);
  /* 277 */ virtual bool ReservedMenuQuery(TP& /*P*/, bool /*Flag*/) { return false; }
  /* 278 */ virtual bool HasPickerSwatch() { return false; }
  /* 279 */ virtual bool PickerSwatchVisible(const TdxBarEditLayout& L);
  /* 280 */ virtual void CalcPickerSwatch(TP& P, TdxBarEditLayout& L);
  /* 281 */ virtual TRect PickerSwatchInsets() { return {1, 2, 1, 2}; }
  /* 282 */ virtual void DrawPickerButton(TP& P, HDC DC, const TRect& R, bool Pressed);
  /* 283 */ virtual void DrawDoubleFrame(HDC DC, const TRect& R, HBRUSH Brush);
  /* 284 */ virtual void PlaceDropDownWindow(TRect& R, bool Above);
  // The frame of a sizable drop-down window, drawn into its window DC; the grip and close button
  // rectangles come back on the screen.
  /* 285 */ virtual void DrawDropDownWindowFrame(win::HWND Window, bool ShowPanel, bool CloseHot, bool CloseDown, TRect& GripRect,
                                                   TRect& CloseRect, TcxGripCorner Corner);
  /* 286 */ virtual int DropDownPanelSize();
  /* 287 */ virtual bool PushButtonsFlat() { return false; }
  /* 288 */ virtual void DrawPushButton(HDC DC, const TRect& R, const String& Text, bool Pressed);
  /* 289 */ virtual TColor PushButtonHeaderColor();
  /* 290 */ virtual TPoint SpinArrowOrigin(const TRect& Button, const TSize& Arrow);
  /* 291 */ virtual int SpinButtonsLeft(const TdxBarEditLayout& L) { return L.UpButtonRect.Left; }
  /* 292 */ virtual TSize SpinArrowSizeFor(int ButtonHeight);
  /* 293 */ virtual TRect SpinButtonBounds(const TRect& Buttons, bool Upper);
  /* 294 */ virtual TRect SpinButtonInsets() { return {1, 0, 1, 0}; }
  /* 295 */ virtual int SpinButtonWidth(int Height);
  /* 296 */ virtual int SpinButtonState(bool Enabled, bool Pressed, bool Hot);
  /* 297 */ virtual void DrawSpinButton(TP& P, HDC DC, const TRect& R, bool Upper, int PressedIndex, bool Active);
  /* 298 */ virtual void FillSpinArea(TB* Bar, HDC DC, const TRect& R);
  /* 299 */ virtual TColor ProgressColor();
  /* 300 */ virtual bool ReservedQueryE() { return false; }
  /* 301 */ virtual int ReservedMetricA() { return 12; }
  /* 302 */ virtual int ReservedMetricB() { return 0; }
  /* 303 */ virtual void DrawProgress(TB* Bar, HDC DC, const TRect& R, int Min, int Max, int Value, bool Smooth,
                                      bool Vertical);
  /* 304 */ virtual void FillProgressTrack(TB* Bar, HDC DC, const TRect& R);
  /* 305 */ virtual void DrawProgressBlocks(HDC DC, const TRect& Done, bool Vertical);
  /* 306 */ virtual void FillProgressSmooth(HDC DC, const TRect& R);
  /* 307 */ virtual void FillProgressBlock(HDC DC, const TRect& R) { FillProgressSmooth(DC, R); }
  /* 308 */ virtual int ReservedMetricC() { return 0; }
  /* 309 */ virtual HBRUSH HeaderBandBrush();
  /* 310 */ virtual int ItemTextSize(TdxBarItemControl* C);
  /* 311 */ virtual int StaticTextIndent() { return 5; }
  /* 312 */ virtual bool StaticIsSelected(TP& P) { return P.IsSelected; }
  /* 313 */ virtual bool StaticShowsArrow(TP& /*P*/) { return true; }
  /* 314 */ virtual void DrawStaticArrow(TP& P, HDC DC, const TRect& R);
  /* 315 */ virtual void FillStaticHeader(TP& P, HDC DC, const TRect& R);
  /* 316 */ virtual void DrawStaticHeader(TP& P, HDC DC, const TRect& R);
  /* 317 */ virtual void FillStaticItem(TSP& P, HDC DC, const TRect& R);
  /* 318 */ virtual void DrawStaticBorder(TSP& P, HDC DC, const TRect& R);
  /* 319 */ virtual void DrawStaticItem(TSP& P, HDC DC, const TRect& R);
  /* 320 */ virtual void DrawSeparatorItem(TSP& P, HDC DC, const TRect& R);
  /* 321 */ virtual bool StaticIsRarelyUsed(TP& P);
  /* 322 */ virtual int StaticBorderInsets(int BorderStyle);
  /* 323 */ virtual TRect SeparatorItemInsets() { return {6, 0, 0, 0}; }
  /* 324 */ virtual int SeparatorLineHeight() { return SeparatorThickness(); }
  /* 325 */ virtual int SeparatorThickness() { return 2; }
  /* 326 */ virtual void DrawSeparatorCaption(TSP& P, HDC DC, const TRect& R) { DrawStaticItem(P, DC, R); }
  /* 327 */ virtual void DrawSeparatorControl(TdxBarSeparatorControlDrawParams& P, HDC DC, const TRect& R);
  /* 328 */ virtual void DrawSeparatorLineAt(HDC DC, const TRect& R) { DrawSeparatorLine(DC, R); }
  /* 329 */ virtual TColor ScreenTipDescriptionColor() { return static_cast<TColor>(0x20000000); }
  /* 330 */ virtual TColor ScreenTipTitleColor() { return static_cast<TColor>(0x20000000); }
  /* 331 */ virtual int ScreenTipBandIndent() { return 3; }
  /* 332 */ virtual void DrawScreenTipBackground(HDC /*DC*/, const TRect& /*R*/) {}
  /* 333 */ virtual void DrawScreenTipSeparator(HDC /*DC*/, const TRect& /*R*/) {}

 protected:
  // The manager behind a bar window (nil for a window without one).
  static TdxBarManager* ManagerOf(TB* Bar) { return Bar ? Bar->BarManager() : nullptr; }
  static TB* ParentOf(TP& P) { return P.OwnerControl ? P.OwnerControl->Parent() : nullptr; }
  static TdxBarManager* ManagerOf(TP& P) { return ManagerOf(ParentOf(P)); }
  // The bar's background brush; button face without a window.
  static HBRUSH BarBkBrush(TB* Bar);
  // The item's own background brush, else its bar's.
  static HBRUSH ItemBkBrush(TP& P);
  // The system's brush of a colour index (never freed).
  static HBRUSH SysBrush(int Index);
  // The font size (points) of the bar an item is on, as the check-mark rule counts it.
  static int BarFontSize(TP& P);
  // The vertical text part of DrawItemText (one colour, one offset).
  void DrawVerticalText(HDC DC, const String& Text, int AccelPos, TRect R, int Alignment, TColor Color,
                        win::UINT Format);
  // A floating caption's own buttons: nil for a bar that has none.
  static TdxBarCaptionButtons* CaptionButtonsOf(TB* Bar);
  // Gives each button its square on the caption, leftwards from End; answers where they begin.
  static int PlaceCaptionButtons(TdxBarCaptionButtons* Buttons, const TRect& Caption, int End);
  // Each placed button's face in its state (the style's caption button face) and its glyph.
  void DrawCaptionButtons(TB* Bar, HDC DC, TdxBarCaptionButtons* Buttons, bool Active);
};

// A pen of one colour selected into a DC for a scope; the previous pen comes back and the new one
// goes away when the scope ends, also by an exception.
class TdxBarScopedPen {
 public:
  TdxBarScopedPen(win::HDC DC, win::COLORREF Color, int Width = 1);
  ~TdxBarScopedPen();
  TdxBarScopedPen(const TdxBarScopedPen&) = delete;
  TdxBarScopedPen& operator=(const TdxBarScopedPen&) = delete;

 private:
  win::HDC FDC;
  win::HPEN FPen;
  win::HGDIOBJ FPrevious;
};

// The DC's clip region kept for a scope and put back when it ends, also by an exception.
class TdxBarClipKeeper {
 public:
  explicit TdxBarClipKeeper(win::HDC DC);
  ~TdxBarClipKeeper();
  TdxBarClipKeeper(const TdxBarClipKeeper&) = delete;
  TdxBarClipKeeper& operator=(const TdxBarClipKeeper&) = delete;

 private:
  win::HDC FDC;
  win::HRGN FRegion = nullptr;
  bool FExisted = false;
};

// Rectangle helpers the painters share.
namespace dxbar {
inline int Width(const TRect& R) { return R.Right - R.Left; }
inline int Height(const TRect& R) { return R.Bottom - R.Top; }
inline bool IsEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }
inline TRect Inflate(const TRect& R, int DX, int DY) { return {R.Left - DX, R.Top - DY, R.Right + DX, R.Bottom + DY}; }
inline TRect Offset(const TRect& R, int DX, int DY) { return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY}; }
// Fills R with a brush; nothing for an empty rectangle or no brush.
void Fill(win::HDC DC, const TRect& R, win::HBRUSH Brush);
// Fills R with a colour through a temporary brush.
void FillColor(win::HDC DC, const TRect& R, win::COLORREF Color);
// A one-pixel frame in a brush.
void Frame(win::HDC DC, const TRect& R, win::HBRUSH Brush);
void Edge(win::HDC DC, const TRect& R, win::UINT EdgeKind, win::UINT Flags);
void ExcludeRect(win::HDC DC, const TRect& R);
// The colour a system-colour TColor, a plain TColor or clDefault (as Fallback) stands for.
win::COLORREF ColorOf(TColor Color, win::COLORREF Fallback = 0);
// One more for an even value.
inline int MadeOdd(int Value) { return Value % 2 == 0 ? Value + 1 : Value; }
bool HighContrast();
// The triangle of a spin button's arrow centred in R, pointing up or down.
void SpinTriangle(const TRect& R, bool Up, win::POINT (&Points)[3]);
}  // namespace dxbar
