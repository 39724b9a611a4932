#pragma once
// The skin look: toolbars, docks, floating windows, menus, item controls and screen tips drawn
// from the elements of the group "Bars" of the skin chosen by the manager's look-and-feel. The skin
// is looked up afresh on every access (nothing of it is kept here), so a skin registered again
// under the same painter shows at the next paint; wherever there is no skin or an element is
// missing, an operation draws as the base painter does, or nothing. Toolbar backgrounds are
// composed in the bar's own work bitmap and copied in one blit, the bar element going through the
// painter's element cache, so repainting a toolbar of unchanged size reuses its scaled picture.
#include "ui/bars/BarPainter.h"
#include "ui/skins/SkinElementCache.h"

class TcxCanvas;
class TdxSkinInfo;
class TcxCustomLookAndFeelPainter;

class TdxBarSkinPainter : public TdxBarPainter, public IdxBarPainterFading {
  VW_CLASS(TdxBarSkinPainter, TdxBarPainter)
 public:
  TdxBarSkinPainter();
  ~TdxBarSkinPainter() override;

  // ---- IdxBarPainterFading ----
  bool MakesImagesOpaque() override { return true; }
  void DrawMarkForFade(TCustomdxBarControl* BarControl, HDC DC, bool Hot, const TRect& R) override;
  void DrawButtonForFade(TBP& P) override;

  // ---- the overrides, by their place in the interface ----
  // The text colour (13), the hot-text query (93) and the static border insets (322) are asked
  // without a bar window here, so the skin cannot say: they keep the base answers, and the item's
  // text colours come from its bar's text element in ItemTextColors (67).
  /*   4 */ bool WantsDoubleBuffer() override { return true; }
  /*   7 */ void DrawGlyphFrame(TdxBarItemControl* C, HDC DC, HBRUSH Brush, bool NeedsBorder, const TRect& R,
                                TdxBarPaintMode PaintType, bool NoGlyph, bool Selected, bool Down, bool Pressed,
                                bool DroppedDown, bool IsSplitButton) override;
  /*   9 */ void DrawMissingGlyphCheck(TP& P, HDC DC, const TRect& R, bool Checked, bool IsRadio) override;
  /*  14 */ void DisabledTextColors(bool Selected, bool Flat, TColor& First, TColor& Second) override;
  /*  22 */ bool ArrowsUseTextColor() override { return true; }
  /*  24 */ TdxBarCustomHintViewInfo* CreateHintViewInfo(TdxBarManager* Manager, const String& Hint,
                                                        const String& ShortCut, TdxBarScreenTip* ScreenTip) override;
  /*  27 */ TColor FloatCaptionTextColor(bool Active) override;
  /*  29 */ void DrawBarSizeGrip(HDC DC, const TRect& R) override;
  /*  32 */ void DrawMarkBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) override;
  /*  33 */ void DrawMarkContent(TB*, HDC, const TRect&) override {}
  /*  34 */ int FloatCaptionTextOrigin(TB* Bar, TRect& TextRect, const TRect& MarkRect) override;
  /*  42 */ int EllipsisButtonWidth(const TRect&) override { return 17; }
  /*  54 */ void DrawExpandChevrons(TB* Bar, HDC DC, const TRect& R, bool Hot) override;
  /*  56 */ void DrawMenuExpandButtonFace(TB* Bar, HDC DC, const TRect& R) override;
  /*  61 */ void Construct(const TcxCustomLookAndFeelPainter* ASkinPainter) override { FSkinPainter = ASkinPainter; }
  /*  66 */ void CalcSpinLayout(TP& P, const TRect& R, TdxBarEditLayout& L) override;
  /*  67 */ void ItemTextColors(TP& P, bool Selected, bool Flat, TColor& First, TColor& Second) override;
  /*  68 */ void CalcBarNonClient(TB* Bar, int DockingStyle, TRect& Insets, bool WithSizeGrip) override;
  /*  74 */ int PopupBorderWidth() override { return 1; }
  /*  82 */ void DrawMenuGlyphArea(TBP& P, HDC DC, const TRect& R) override;
  /*  90 */ bool GlyphDrawFlagA() override { return true; }
  /*  91 */ bool IsFlatStyle() override { return true; }
  /* 101 */ int FrameWidthX() override { return 2; }
  /* 102 */ int FrameWidthY() override { return 2; }
  /* 104 */ int GripSizeDocked() override { return GripWidth(); }
  /* 105 */ int GripWidth() override;
  /* 108 */ int MenuGroupIndent() override;
  /* 109 */ void FillDockBackground(TdxDockControl* Dock, HDC DC, const TRect& R, const TRect& Origin, HBRUSH Brush,
                                    TColor Color) override;
  /* 110 */ bool UsesNativeBackground() override { return true; }
  /* 115 */ int DockRowSpacing() override { return 1; }
  /* 116 */ void FillDockedBarBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) override;
  /* 117 */ void FillFloatBarBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) override;
  /* 124 */ int ComboArrowWidth(int TextWidth) override { return TextWidth + 11; }
  /* 131 */ int ToolbarSeparatorSize() override;
  /* 132 */ TRect DockedBorderInsets(TB* Bar) override;
  /* 134 */ TRect DockedBarInsets(TB* Bar, int DockingStyle) override;
  /* 136 */ void FillFloatCaption(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) override;
  /* 138 */ bool FloatCaptionIsFlat() override { return true; }
  /* 141 */ void DrawToolbarSeparator(TB* Bar, HDC DC, const TRect& R, bool Vertical, HBRUSH Brush) override;
  // The caption's own buttons take the face of its close button.
  /* 142 */ void DrawButtonFace(TB* Bar, HDC DC, const TRect& R, int State, bool Active) override;
  /* 143 */ void DrawFloatCloseGlyph(TB* Bar, HDC DC, const TRect& R, int State, bool Active) override;
  /* 144 */ void DrawDockedBarFrame(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) override;
  /* 145 */ void DrawFloatBorder(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) override;
  /* 146 */ void DrawFloatCaption(TB* Bar, HDC DC, const TRect& R, const String& Caption, HBRUSH Brush,
                                  bool Active) override;
  /* 147 */ void DrawMarkArrow(TB* Bar, HDC DC, const TRect& MarkRect, bool Active) override;
  /* 149 */ void DrawMDIButton(TB* Bar, HDC DC, const TRect& R, int Kind, int State) override;
  /* 151 */ void FillStatusBarTopBand(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) override;
  /* 153 */ TRect MarkRedrawBounds(TB* Bar, const TRect& Client, const TRect& Caption) override;
  /* 154 */ TRect MarkBounds(TB* Bar, const TRect& Client, const TRect& Caption) override;
  /* 155 */ void RedrawMark(TB* Bar, const TRect& Client, const TRect& Caption) override;
  /* 160 */ int MarkSize() override;
  /* 161 */ void FillStatusBarBackground(TB* Bar, HDC DC, const TRect& R, const TRect& Origin, HBRUSH Brush) override;
  /* 162 */ TRect StatusBarInsets() override;
  /* 163 */ int StatusBarTopBand() override { return 0; }
  /* 164 */ TSize SizeGripSize() override;
  /* 168 */ bool FloatsQuickControl() override { return true; }
  /* 172 */ bool ButtonUsesBrush(TP&) override { return false; }
  /* 173 */ bool ButtonFillsHot(TP&) override { return false; }
  /* 175 */ bool IsFlatForButtons() override { return false; }
  /* 182 */ void AdjustMenuItemHeight(int& Height) override { Height += 5; }
  /* 183 */ void AdjustMenuItemWidth(int& Width) override { Width += 9; }
  /* 189 */ void FillDropArrowPart(TBP& P, HDC DC, const TRect& R) override;
  /* 194 */ int DropDownLinesGap() override { return 0; }
  /* 196 */ void DrawComboButton(TP& P, HDC DC, const TRect& R, bool Selected, bool DroppedDown) override;
  /* 199 */ void DrawDropDownListBorder(HDC DC, const TRect& R, TColor InnerColor) override;
  /* 200 */ bool MenuHasSideBand() override { return true; }
  /* 202 */ int MenuArrowMargin() override { return 1; }
  /* 204 */ int MenuSeparatorHeight() override;
  /* 208 */ TdxBarMenuMarks CalcMenuMarks(HDC DC, int TextSize) override;
  /* 210 */ int DetachCaptionHeight(int Height) override { return Height + 1; }
  /* 219 */ int MenuTextIndentOf(int IconArea) override;
  /* 220 */ TRect MenuSeparatorBounds(TB* Bar, const TRect& Row, bool AfterShadedRarelyUsed) override;
  /* 221 */ void MenuClientInsets(TRect& R) override { R = dxbar::Inflate(R, -2, -2); }
  /* 223 */ void FillMenuBackground(TB* Bar, HDC DC, const TRect& R, const TRect& Origin, HBRUSH Brush,
                                    TColor Color) override;
  /* 224 */ void DrawMenuBorder(TB* Bar, HDC DC, TRect& R) override;
  /* 225 */ void DrawMenuClientBorder(TB*, HDC, TRect&, HBRUSH) override {}
  /* 226 */ void DrawDetachCaption(TB* Bar, HDC DC, const TRect& R) override;
  /* 227 */ void DrawMenuSeparator(TP& P, HDC DC, const TRect& R, bool RarelyUsedGroup) override;
  /* 229 */ void DrawSeparatorLine(HDC DC, const TRect& R) override;
  /* 241 */ TColor EditBackColor() override;
  /* 242 */ TColor DisabledEditBackColor(TB* Bar) override;
  /* 244 */ TColor EditTextColorDefault() override;
  /* 245 */ TColor DisabledEditTextColor() override;
  /* 256 */ void DrawListItem(HDC DC, const TRect& R, const String& Text, bool Selected, int Offset) override;
  /* 258 */ TRect EditBorderOffsets() override;
  /* 259 */ void FillEditParts(TEP& P, HDC DC, const TRect& R) override;
  /* 260 */ void DrawEditFrame(TEP& P, HDC DC, TRect& R, bool Selected) override;
  /* 262 */ void DrawEditSelection(TEP& P, HDC DC, const TRect& R) override;
  /* 264 */ bool EditCaptionUsesMenuBrush(TP&) override { return false; }
  /* 265 */ bool EditGlyphUsesMenuBrush(TP& P) override { return EditCaptionUsesMenuBrush(P); }
  /* 271 */ int EditCaptionGapBar(TP& P) override;
  /* 278 */ bool HasPickerSwatch() override { return true; }
  /* 281 */ TRect PickerSwatchInsets() override;
  /* 282 */ void DrawPickerButton(TP& P, HDC DC, const TRect& R, bool Pressed) override;
  /* 283 */ void DrawDoubleFrame(HDC DC, const TRect& R, HBRUSH Brush) override;
  /* 287 */ bool PushButtonsFlat() override { return true; }
  /* 288 */ void DrawPushButton(HDC DC, const TRect& R, const String& Text, bool Pressed) override;
  /* 289 */ TColor PushButtonHeaderColor() override;
  /* 291 */ int SpinButtonsLeft(const TdxBarEditLayout&) override { return 0; }
  /* 294 */ TRect SpinButtonInsets() override;
  /* 295 */ int SpinButtonWidth(int) override { return 17; }
  /* 297 */ void DrawSpinButton(TP& P, HDC DC, const TRect& R, bool Upper, int PressedIndex, bool Active) override;
  /* 298 */ void FillSpinArea(TB* Bar, HDC DC, const TRect& R) override;
  /* 301 */ int ReservedMetricA() override { return 24; }
  /* 302 */ int ReservedMetricB() override;
  /* 304 */ void FillProgressTrack(TB* Bar, HDC DC, const TRect& R) override;
  /* 306 */ void FillProgressSmooth(HDC DC, const TRect& R) override;
  /* 313 */ bool StaticShowsArrow(TP&) override { return false; }
  /* 315 */ void FillStaticHeader(TP& P, HDC DC, const TRect& R) override;
  /* 317 */ void FillStaticItem(TSP& P, HDC DC, const TRect& R) override;
  /* 318 */ void DrawStaticBorder(TSP& P, HDC DC, const TRect& R) override;
  /* 325 */ int SeparatorThickness() override { return MenuSeparatorHeight(); }
  /* 326 */ void DrawSeparatorCaption(TSP& P, HDC DC, const TRect& R) override;
  /* 329 */ TColor ScreenTipDescriptionColor() override;
  /* 330 */ TColor ScreenTipTitleColor() override;
  /* 331 */ int ScreenTipBandIndent() override;
  /* 332 */ void DrawScreenTipBackground(HDC DC, const TRect& R) override;
  /* 333 */ void DrawScreenTipSeparator(HDC DC, const TRect& R) override;

  // ---- what the overrides are built from ----
  // The skin look-and-feel painter the manager gave at construction; may be none.
  const TcxCustomLookAndFeelPainter* SkinPainter() const { return FSkinPainter; }
  TdxSkinElementCacheList* ElementCache() const { return FElementCache; }
  // The lookup table registered for SkinPainter, found anew on every call; none without one.
  TdxSkinInfo* SkinInfo() const;
  // An element of the table by its member; none without a skin.
  TdxSkinElement* Element(TdxSkinElement* TdxSkinInfo::*Member) const;
  TdxSkinElement* ToolbarElement(bool Vertical) const;
  TdxSkinElement* MarkElement(bool MainMenu, bool Vertical) const;
  TdxSkinElement* GripElement(bool MainMenu, bool Vertical) const;
  TdxSkinElement* SeparatorElement(bool Vertical) const;
  TdxSkinElement* MainMenuElement(bool Vertical) const;
  TdxSkinElement* MDIButtonElement(int Kind) const;
  TdxSkinElement* ControlElement(TB* Bar, bool Vertical) const;
  TdxSkinElement* ControlElement(TB* Bar) const;
  TdxSkinElement* TextElement(TB* Bar) const;
  // "TextColorHot" of the element, unless it is absent, clDefault or clNone.
  static bool HotTextColor(TdxSkinElement* Element, TColor& Color);
  static TSize ElementSize(TdxSkinElement* Element);
  // The colour of an item's text on a bar (false when the skin does not say).
  bool BarTextColor(TB* Bar, bool Selected, TColor& Color) const;
  // Bar-aware metrics: the interface's own answers have no bar and speak for a plain toolbar.
  int GripWidthOf(TB* Bar) const;
  int MarkSizeOf(TB* Bar) const;
  // Docked left or right.
  static bool IsVerticalBar(TB* Bar);
  // The edit border offsets of the item's paint type: menus keep two pixels above and below.
  TRect EditOffsetsFor(TP& P);

  static bool DrawElement(TdxSkinElement* Element, HDC DC, TdxSkinElementState State, int ImageIndex,
                          const TRect& R);
  static bool DrawElementOutside(TdxSkinElement* Element, HDC DC, TdxSkinElementState State, int ImageIndex,
                                 const TRect& R);
  static bool DrawElementFrame(TdxSkinElement* Element, HDC DC, TdxSkinElementState State, int ImageIndex,
                               const TRect& R);
  static void DrawElementClipped(TdxSkinElement* Element, HDC DC, TdxSkinElementState State, const TRect& R);
  void PaintParentIfTranslucent(HDC DC, const TRect& R, TdxSkinElement* Element, TB* Bar);
  void ComposeBarBackground(TB* Bar, HDC DC, bool SkipOverlays, const TRect& R);
  void DrawMark(TB* Bar, HDC DC, bool Hot, const TRect& R);
  // GlyphIndex -1 draws the face alone.
  void DrawCaptionButton(HDC DC, const TRect& R, int ButtonState, int GlyphIndex);
  static TdxSkinElementState SelectionState(TP& P);
  bool DrawFadingButton(TdxBarItemControl* C, HDC DC, bool IsSplit, const TRect& R);
  bool DrawFadingSplitPart(TBP& P, const TRect& R);
  void DrawMenuBackgroundUnder(HDC DC, const TRect& R);

  using TdxBarPainter::DrawMark;

 private:
  TdxSkinElementCacheList* FElementCache;
  const TcxCustomLookAndFeelPainter* FSkinPainter = nullptr;
};

// The skin painter's unit: the first start-up makes it the painter of managers that paint with a
// skinned look-and-feel; the last shutdown gives that place back to the standard painter.
void BarSkinPainterUnitStartup();
void BarSkinPainterUnitShutdown();
