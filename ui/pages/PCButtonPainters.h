#pragma once
// The button styles: "Buttons" draws every tab as a three-dimensional push button, "FlatButtons" as
// a flat button that rises under the mouse, with an etched separator between neighbours. Both let
// tabs be pressed like buttons and marked together; neither is chosen automatically.
#include "ui/pages/PCStandardPainter.h"

class TcxPCButtonedPainter : public TcxPCStandardPainter {
  VW_CLASS(TcxPCButtonedPainter, TcxPCStandardPainter)
 public:
  using TcxPCStandardPainter::TcxPCStandardPainter;

  int NavigatorEdgeOffset() override;
  int NavigatorEndOffset() override;
  TRect TabRowsExtents() override;
  TColor TabFillColor(int TabVisibleIndex) override;
  TcxPCWOffset TabContentPadding(int TabVisibleIndex) override;
  TRect SelectedTabExpansion() override { return TRect(2, 2, 2, 0); }
  TcxPCWOffset TabTextIndent(int TabVisibleIndex) override { return TabContentPadding(TabVisibleIndex); }
  bool IsTabActiveLook(int TabVisibleIndex) override = 0;
  void NavigatorGlyphOffset(TcxPCNavigatorButton Button, TPoint& Offset) override { FixedGlyphOffset(Button, Offset); }
};

class TcxPCButtonsPainter : public TcxPCButtonedPainter {
  VW_CLASS(TcxPCButtonsPainter, TcxPCButtonedPainter)
 public:
  using TcxPCButtonedPainter::TcxPCButtonedPainter;
  TcxPCPainterClass PainterClass() const override;
  // Focused, pressed, marked or selected.
  bool IsTabActiveLook(int TabVisibleIndex) override;
  void PaintTabFrame(TcxTab* Tab, int TabVisibleIndex) override;
};

class TcxPCFlatButtonsPainter : public TcxPCButtonedPainter {
  VW_CLASS(TcxPCFlatButtonsPainter, TcxPCButtonedPainter)
 public:
  using TcxPCButtonedPainter::TcxPCButtonedPainter;
  TcxPCPainterClass PainterClass() const override;
  // Pressed, marked or selected, and not the focused tab.
  bool IsTabActiveLook(int TabVisibleIndex) override;
  // The standard tab, then the etched separator in the gap after it when a neighbour follows.
  void DrawTab(int TabVisibleIndex) override;
  void PaintTabFrame(TcxTab* Tab, int TabVisibleIndex) override;
  // The gap that follows a tab in row order (empty when none is due).
  TRect SeparatorGap(int TabVisibleIndex);
};

// "Buttons" (2) and "FlatButtons" (3).
TcxPCPainterClass cxPCButtonsStyle();
TcxPCPainterClass cxPCFlatButtonsStyle();
