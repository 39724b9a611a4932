#pragma once
// The flat family: tabs on a band that runs across the control under each row, the selected tab
// outlined and merging with a two-pixel strip above the page, thin separators between unselected
// neighbours. "ExtraFlat" in system colours with a white and black outline, "UltraFlat" in shadow
// and black with framed navigator buttons, "Office11" with the Office-2003 colour table's
// gradients and border colour.
#include "ui/pages/PCStandardPainter.h"

class TcxPCExtraFlatPainter : public TcxPCStandardPainter {
  VW_CLASS(TcxPCExtraFlatPainter, TcxPCStandardPainter)
 public:
  using TcxPCStandardPainter::TcxPCStandardPainter;
  TcxPCPainterClass PainterClass() const override;

  // ---- the slots the family adds, in their order ----
  virtual int RowLineCount() { return 3; }
  virtual void SelectedTabFocusBounds(TRect& R);
  // Outer, inner.
  virtual void SeparatorInsets(TcxPCWOffset& Insets) { Insets = {2, 2}; }
  // -1 paints a row's band.
  virtual void PaintTabBody(TcxCanvas* ACanvas, TRect R, int TabVisibleIndex);
  virtual void AdjustPageClientForFrame(TRect& Extents);
  virtual TColor BandColor();
  virtual void BandBounds(TRect& R);
  virtual void TabBodyBounds(int TabVisibleIndex, bool Normal, TRect& R);
  virtual int SeparatorWidth() { return 1; }
  virtual TColor RowBackgroundColor();
  virtual bool HasFramedRows() { return false; }
  virtual void PaintSelectedTabOutline(TRect& R);
  virtual void PaintSeparator(const TRect& R);
  virtual void PaintRowLines(const TRect& R, int VisibleRow);

  // ---- overrides ----
  int CalculateTabWidth(TcxTab* Tab) override;
  TRect TabRectAdjustment(int TabVisibleIndex) override;
  int NavigatorButtonSpacing(TcxPCNavigatorButton Button1, TcxPCNavigatorButton Button2) override;
  int NavigatorEdgeOffset() override { return 6; }
  int NavigatorEndOffset() override { return HasFramedRows() ? ClientShift() + 1 : 1; }
  TRect PageClientExtents() override;
  TColor DefaultPageColor() override;
  TRect TabRowsExtents() override;
  TRect TabContentOffsets(int TabVisibleIndex) override;
  TRect TabImageTextOffsets(int TabVisibleIndex) override;
  int ClientShift() override { return 1; }
  int MinTabWidth(int TabVisibleIndex) override { return TabImageAreaWidth(TabVisibleIndex); }
  TColor TabFillColor(int TabVisibleIndex) override;
  TcxPCWOffset TabContentPadding(int TabVisibleIndex) override;
  TcxPCDistance TabSpacing() override;
  void CalculateTabsAndButtonsArea(TcxPCNavigatorButtons Buttons, TcxPCTabsAreaMetrics& Metrics) override;
  TcxPCWOffset TabTextIndent(int TabVisibleIndex) override { return TabContentPadding(TabVisibleIndex); }
  void PaintContent() override;
  void PaintPageArea() override;
  void PaintFrameBorder() override;
  void PaintTabs() override;
  void RepaintTab(int TabVisibleIndex, TcxPCTabPropertyChanged Kind) override;
  int NormalTabHeight() override;
  bool NavigatorButtonInfo(TcxPCNavigatorButton Button, TcxPCNavigatorGlyphInfo& Info) override;
  TColor NavigatorButtonColor(TcxPCNavigatorButtonState State) override;
  TColor NavigatorArrowColor(TcxPCNavigatorButtonState State) override;
  void NavigatorGlyphOffset(TcxPCNavigatorButton Button, TPoint& Offset) override;
  int NavigatorButtonExtent() override { return 13; }
  int NavigatorButtonLength(TcxPCNavigatorButton) override { return 13; }
  int StyleMinTabHeight() override { return 17; }
  int StyleTabMetric() override { return 2; }
  TColor ControlBackgroundColor() override { return clBtnFace; }
  int TabImageAreaWidth(int TabVisibleIndex) override;
  int TabContentHeight() override;
  void PaintNavigatorButtonFrame(TRect& R, TcxPCNavigatorButtonState State) override;
  void PaintTabFrame(TcxTab* Tab, int TabVisibleIndex) override;

  // Lines along the listed sides (0 left, 1 top, 2 right, 3 bottom) in their colours, each side
  // moved in by one after its line; with Exclude the strip drawn leaves the clip.
  void DrawSideLines(TcxCanvas* ACanvas, TRect& R, std::initializer_list<int> Sides,
                     std::initializer_list<TColor> Colours, bool Exclude);
  // The separator's rectangle after a tab, empty when none is due.
  TRect SeparatorBounds(int TabVisibleIndex);
  // RowLineCount lines on the band's page side, the first at its edge, in these colours.
  void PaintRowLinesIn(const TRect& R, const TColor* Colours);
  // A one-pixel frame round the page frame, open towards the tabs while a row shows.
  void PaintOpenFrame(TColor LeftTop, TColor RightBottom);

 protected:
  bool ButtonDisabled(TcxPCNavigatorButton Button) {
    return !Control()->ControlEnabled() || ButtonState(Button) == nbsDisabled;
  }
  // The outline's colours: light and dark sides.
  virtual void OutlineColours(TColor& A, TColor& B) { A = clWhite, B = clBlack; }
};

class TcxPCUltraFlatPainter : public TcxPCExtraFlatPainter {
  VW_CLASS(TcxPCUltraFlatPainter, TcxPCExtraFlatPainter)
 public:
  using TcxPCExtraFlatPainter::TcxPCExtraFlatPainter;
  TcxPCPainterClass PainterClass() const override;

  int NavigatorButtonSpacing(TcxPCNavigatorButton Button1, TcxPCNavigatorButton Button2) override;
  int NavigatorEdgeOffset() override { return 3; }
  void PaintFrameBorder() override;
  bool NavigatorButtonInfo(TcxPCNavigatorButton Button, TcxPCNavigatorGlyphInfo& Info) override;
  TColor NavigatorButtonColor(TcxPCNavigatorButtonState State) override;
  void NavigatorGlyphOffset(TcxPCNavigatorButton Button, TPoint& Offset) override { CentredGlyphOffset(Button, Offset); }
  int NavigatorButtonExtent() override { return 15; }
  int NavigatorButtonLength(TcxPCNavigatorButton Button) override;
  void PaintNavigatorButtonFrame(TRect& R, TcxPCNavigatorButtonState State) override;
  void SelectedTabFocusBounds(TRect& R) override;
  void PaintRowLines(const TRect& R, int VisibleRow) override;

 protected:
  void OutlineColours(TColor& A, TColor& B) override { A = clBlack, B = clBlack; }
};

class TcxPCOffice11Painter : public TcxPCUltraFlatPainter {
  VW_CLASS(TcxPCOffice11Painter, TcxPCUltraFlatPainter)
 public:
  using TcxPCUltraFlatPainter::TcxPCUltraFlatPainter;
  TcxPCPainterClass PainterClass() const override;

  void FillPageArea() override;
  TRect PageClientExtents() override;
  TColor TabFillColor(int TabVisibleIndex) override;
  bool KeepsTabInClip(int TabVisibleIndex) override;
  bool RepaintsOnResize() override;
  void PaintPageArea() override;
  void PaintFrameBorder() override;
  void PaintRotatedTabContent(TBitmap* Bitmap, const TcxPCTabImageAndTextData& Data, int TabVisibleIndex) override;
  TColor NavigatorArrowColor(TcxPCNavigatorButtonState State) override;
  TColor ControlBackgroundColor() override { return Office11FrameColor(); }
  void FillNavigatorButton(const TRect& R, TcxPCNavigatorButtonState State) override;
  void PaintNavigatorButtonFrame(TRect& R, TcxPCNavigatorButtonState State) override;
  int RowLineCount() override { return 1; }
  void SelectedTabFocusBounds(TRect& R) override;
  void SeparatorInsets(TcxPCWOffset& Insets) override;
  void PaintTabBody(TcxCanvas* ACanvas, TRect R, int TabVisibleIndex) override;
  void AdjustPageClientForFrame(TRect&) override {}
  TColor BandColor() override;
  void BandBounds(TRect& R) override;
  int SeparatorWidth() override { return 2; }
  bool HasFramedRows() override { return ShowsFrameBorder(); }
  void PaintSeparator(const TRect& R) override;
  void PaintRowLines(const TRect& R, int VisibleRow) override;
  virtual TColor Office11FrameColor();

 protected:
  void OutlineColours(TColor& A, TColor& B) override { A = B = Office11FrameColor(); }
  bool Gradient() { return Control()->Options().Contains(pcoGradient); }
  // A pair as a gradient over R, or mixed into one colour without pcoGradient.
  void PaintPair(TcxCanvas* ACanvas, const TRect& R, TColor C1, TColor C2);
};

// "ExtraFlat" (5), "UltraFlat" (6), "Office11" (8).
TcxPCPainterClass cxPCExtraFlatStyle();
TcxPCPainterClass cxPCUltraFlatStyle();
TcxPCPainterClass cxPCOffice11Style();
