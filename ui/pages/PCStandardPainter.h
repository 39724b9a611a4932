#pragma once
// The standard painter: what every concrete tab style shares. The navigator at one end of the tab
// strip (scroll arrows, go-dialog and close buttons, their order, sizes, glyphs and bevels), the
// metrics by style kind (tabs, buttons, flat buttons), the order in which one tab is painted, the
// three-dimensional page border, and the colour routines of the flat styles. The unit registers
// the styles in their fixed order.
#include <array>
#include <vector>

#include "ui/pages/PCPainter.h"

struct TcxPCNavigatorButtonPosition {
  TcxPCNavigatorButton Button = nbTopLeft;
  TRect Bounds;
};
using TcxPCNavigatorButtonPositions = std::vector<TcxPCNavigatorButtonPosition>;

struct TcxPCNavigatorGlyphInfo {
  TColor FillColor = clBtnText;
  TColor LineColor = clBtnText;
  // False draws the embossed disabled look.
  bool Enabled = true;
  // The close glyph in two-pixel strokes instead of three.
  bool Thin = false;
};

// The class answers of the standard family: kind 0 draws tab shapes, kinds 1 and 2 are buttons
// that can be marked together and are pressed like buttons.
class TcxPCStandardPainterClassInfo : public TcxPCPainterClassInfo {
 public:
  bool DrawsTabShapes() const override { return StyleKind() == 0; }
  bool AllowsTabMultiSelect() const override { return StyleKind() != 0; }
  bool PressesTabsLikeButtons() const override { return StyleKind() != 0; }
  bool StandardStyleFlag() const override { return true; }
};

class TcxPCStandardPainter : public TcxPCCustomPainter {
  VW_CLASS(TcxPCStandardPainter, TcxPCCustomPainter)
 public:
  using TcxPCCustomPainter::TcxPCCustomPainter;

  // ---- the slots the standard painter adds, in their order ----
  virtual void DrawTab(int TabVisibleIndex);
  virtual bool NavigatorButtonInfo(TcxPCNavigatorButton Button, TcxPCNavigatorGlyphInfo& Info);
  virtual void PlaceNavigatorArea(TcxPCNavigatorButtons Buttons);
  virtual void LayoutNavigatorButtons(TcxPCNavigatorButtons Buttons);
  virtual int NavigatorWidth(TcxPCNavigatorButtons Buttons);
  virtual TColor NavigatorButtonColor(TcxPCNavigatorButtonState State);
  virtual TColor NavigatorArrowColor(TcxPCNavigatorButtonState State);
  virtual void NavigatorGlyphOffset(TcxPCNavigatorButton Button, TPoint& Offset);
  virtual int NavigatorButtonExtent();
  virtual int NavigatorButtonLength(TcxPCNavigatorButton Button);
  virtual int StyleMinTabHeight();
  virtual int StyleTabMetric();
  virtual int StyleMinTabWidth();
  virtual TColor ControlBackgroundColor();
  virtual int DoubleClientShift();
  virtual int StyleSpacingUnit();
  // -1 counts as a tab that has an image.
  virtual int TabImageAreaWidth(int TabVisibleIndex);
  virtual void TabShapeExtents(TRect& Extents);
  virtual int TabContentHeight();
  virtual void PaintTabFocusRect(int TabVisibleIndex, const TRect& R);
  virtual void PaintNavigatorButton(TcxPCNavigatorButton Button, const TRect& R);
  virtual void FillNavigatorButton(const TRect& R, TcxPCNavigatorButtonState State);
  virtual void PaintNavigatorButtonFrame(TRect& R, TcxPCNavigatorButtonState State);
  virtual void PaintPageBorder(const TRect& R);
  virtual void PaintTabFrame(TcxTab* Tab, int TabVisibleIndex) = 0;
  virtual void PaintThemedTabBackground(TcxTab* Tab, int TabVisibleIndex);
  virtual void NavigatorButtonSet(TcxPCNavigatorButtons Buttons, TcxPCNavigatorButtonPositions& Positions);

  // ---- TcxPCCustomPainter ----
  int CalculateTabWidth(TcxTab* Tab) override;
  TRect TabContentOffsets(int TabVisibleIndex) override;
  TcxPCWOffset TabSizeCorrection(int TabVisibleIndex) override;
  TRect TabImageTextOffsets(int TabVisibleIndex) override;
  int ClientShift() override { return 2; }
  TPoint GoDialogPopupPoint() override;
  int TabImageTextGap(int) override { return 6; }
  int MinTabWidth(int TabVisibleIndex) override;
  TcxPCDistance StandardSizePair() override { return {4, 4}; }
  TcxPCWOffset TabContentPadding(int TabVisibleIndex) override;
  TcxPCDistance TabSpacing() override;
  void CalculateTabsAndButtonsArea(TcxPCNavigatorButtons Buttons, TcxPCTabsAreaMetrics& Metrics) override;
  TcxPCWOffset TabTextIndent(int TabVisibleIndex) override;
  void SetTabImageTextRects(int TabVisibleIndex, const TRect& ImageRect, const TRect& TextRect) override;
  bool NavigatorButtonAt(int X, int Y, TcxPCNavigatorButton& Button) override;
  bool IsTabActiveLook(int TabVisibleIndex) override;
  void PaintControl() override;
  void PaintNavigatorButtons() override;
  void PaintFrameBorder() override;
  void PaintTabs() override;
  void InvalidateNavigatorButton(TcxPCNavigatorButton Button, TcxPCNavigatorButtonState PreviousState) override;
  void InvalidateNavigatorArea() override;
  void RepaintTab(int TabVisibleIndex, TcxPCTabPropertyChanged Kind) override;
  int NormalTabHeight() override;
  TRect NavigatorButtonsRect() override;

  // ---- routines the styles share ----
  // Polylines through both ends: thin in two colours, thick in four; pressed exchanges them.
  void PaintBevelFrame(const TRect& R, bool Pressed, bool Thin);
  int NavigatorLength(TcxPCNavigatorButtons Buttons);
  void FixedGlyphOffset(TcxPCNavigatorButton Button, TPoint& Offset);
  void CentredGlyphOffset(TcxPCNavigatorButton Button, TPoint& Offset);
  void PaintNavigatorGlyph(TcxPCNavigatorButton Button, const TcxPCNavigatorGlyphInfo& Info, const TPoint& Origin);
  void PageBorderBounds(TRect& R);
  // The colour's value raised by Percent in hue, saturation and value.
  static TColor LightenColor(TColor Colour, int Percent);

  const TcxPCNavigatorButtonPositions& NavigatorButtonPositions() const { return FNavigatorButtons; }
  TRect NavigatorArea() const { return FNavigatorArea; }
  // The GoDialogPopupPoint of a popup of that size.
  TPoint PopupPointFor(int Width, int Height);
  const TcxPCTabImageAndTextData& StoredImageAndTextRects() const { return FStoredRects; }

 protected:
  int StyleKind() { return PainterClass()->StyleKind(); }
  bool IsSideStrip() { return !cxPCIsHorizontalPosition(Control()->TabPosition()); }
  TcxPCNavigatorButtonState ButtonState(TcxPCNavigatorButton Button) {
    return Control()->NavigatorButtonState(Button);
  }
  bool NavigatorShown() { return !FNavigatorButtons.empty(); }
  // The navigator lies at the far end of the strip (right, or bottom on the sides).
  bool NavigatorAtFarEnd();
  TcxPCNavigatorButton GlyphDirection(TcxPCNavigatorButton Button);
  bool IsSelected(int TabVisibleIndex) { return VisibleTab(TabVisibleIndex)->IsSelectedTab(); }

 private:
  TcxPCNavigatorButtonPositions FNavigatorButtons;
  TRect FNavigatorArea;
  TcxPCTabImageAndTextData FStoredRects;
};

// clBtnFace raised by 20 in each channel (above 235 becomes 255), taken when the unit starts.
TColor LightButtonFaceColor();
// The six colours of the notebook style for the current Office-2003 colour scheme, read again
// on every system palette change.
const std::array<TColor, 6>& OneNoteSchemeColors();

// Start-up: the shared colours, the palette notifier, and the styles registered in their order
// (a style not built yet is passed over in its place); shutdown unregisters them in the same order.
void PCPaintersUnitStartup();
void PCPaintersUnitShutdown();
