#pragma once
// The "Tabs" style: classic three-dimensional tabs merging into a raised page frame, or the
// operating system's themed tab control when the look-and-feel asks for the native style and
// visual styles are on. "Flat" draws the same geometry with one-pixel outlines and no theme.
#include "ui/pages/PCStandardPainter.h"

class TcxPCTabsPainter : public TcxPCStandardPainter {
  VW_CLASS(TcxPCTabsPainter, TcxPCStandardPainter)
 public:
  using TcxPCStandardPainter::TcxPCStandardPainter;
  TcxPCPainterClass PainterClass() const override;

  // ---- the slots the Tabs style adds, in their order ----
  virtual void TabFocusBounds(const TRect& TabBounds, TRect& R);
  virtual void PaintThemedTabPart(win::HDC DC, int TabVisibleIndex, const TRect& R);
  virtual void PaintTabBitmapBackground(TBitmap* Bitmap, const TRect& R, TcxTab* Tab);
  virtual void TabRowEdgeFlags(int TabVisibleIndex, TColor& Colour1, TColor& Colour2);
  virtual void PaintTabEdges(int TabVisibleIndex);
  virtual void PaintClassicTab(int TabVisibleIndex);
  virtual void PaintThemedPage(TcxCanvas* ACanvas);

  // ---- overrides ----
  TRect TabRectAdjustment(int TabVisibleIndex) override;
  void PaintPageBackgroundForChild(win::HDC DC, TControl* Child) override;
  int NavigatorEdgeOffset() override { return 0; }
  int NavigatorEndOffset() override { return 0; }
  TRect PageClientExtents() override;
  TRect TabRowsExtents() override;
  TRect TabContentOffsets(int TabVisibleIndex) override;
  TcxPCWOffset TabSizeCorrection(int TabVisibleIndex) override;
  TRect TabImageTextOffsets(int TabVisibleIndex) override;
  TColor TabFillColor(int TabVisibleIndex) override;
  std::unique_ptr<TcxRegion> TabRegion(int TabVisibleIndex) override;
  TcxRegionCombineMode TabClipOperation(int TabVisibleIndex) override;
  TcxPCWOffset TabContentPadding(int TabVisibleIndex) override;
  void ThemeTabPartAndState(int TabVisibleIndex, int& Part, int& State) override;
  TRect SelectedTabExpansion() override { return TRect(2, 2, 2, 0); }
  void CalculateTabsAndButtonsArea(TcxPCNavigatorButtons Buttons, TcxPCTabsAreaMetrics& Metrics) override;
  TcxPCWOffset TabTextIndent(int TabVisibleIndex) override { return TabContentPadding(TabVisibleIndex); }
  void SetTabImageTextRects(int TabVisibleIndex, const TRect& ImageRect, const TRect& TextRect) override;
  void InvalidateTabRect(int TabVisibleIndex) override;
  bool IsNativePainting() override;
  bool ShowsFrameBorder() override { return true; }
  void PaintPageArea() override;
  void PaintTabs() override;
  void RepaintTab(int TabVisibleIndex, TcxPCTabPropertyChanged Kind) override;
  void NavigatorGlyphOffset(TcxPCNavigatorButton Button, TPoint& Offset) override { FixedGlyphOffset(Button, Offset); }
  int NavigatorButtonExtent() override;
  int NavigatorButtonLength(TcxPCNavigatorButton Button) override;
  int DoubleClientShift() override { return 2 * ClientShift(); }
  int TabContentHeight() override;
  void PaintNavigatorButton(TcxPCNavigatorButton Button, const TRect& R) override;
  void PaintTabFrame(TcxTab* Tab, int TabVisibleIndex) override;
  void PaintThemedTabBackground(TcxTab* Tab, int TabVisibleIndex) override;

  // The theme part and state of a navigator button (spin or window class).
  static void NavigatorThemePartAndState(TcxPCNavigatorButton Button, TcxPCNavigatorButtonState State,
                                         bool SideStrip, int& Part, int& State_);

 protected:
  // The page-side edge of a rectangle grown by N pixels.
  TRect GrownTowardPage(TRect R, int N, TcxTabPosition RowSide);
};

class TcxPCFlatPainter : public TcxPCTabsPainter {
  VW_CLASS(TcxPCFlatPainter, TcxPCTabsPainter)
 public:
  using TcxPCTabsPainter::TcxPCTabsPainter;
  TcxPCPainterClass PainterClass() const override;

  int ClientShift() override { return 1; }
  std::unique_ptr<TcxRegion> TabRegion(int TabVisibleIndex) override;
  TcxRegionCombineMode TabClipOperation(int) override { return rcmIntersect; }
  bool IsNativePainting() override { return false; }
  void NavigatorGlyphOffset(TcxPCNavigatorButton Button, TPoint& Offset) override;
  int NavigatorButtonExtent() override { return TcxPCTabsPainter::NavigatorButtonExtent() - 2; }
  int NavigatorButtonLength(TcxPCNavigatorButton Button) override {
    return TcxPCTabsPainter::NavigatorButtonLength(Button) - 2;
  }
  void PaintNavigatorButtonFrame(TRect& R, TcxPCNavigatorButtonState State) override;
  void PaintPageBorder(const TRect& R) override;
  void PaintClassicTab(int TabVisibleIndex) override;
};

// The two style classes ("Tabs" 1 and "Flat" 7).
TcxPCPainterClass cxPCTabsStyle();
TcxPCPainterClass cxPCFlatStyle();
