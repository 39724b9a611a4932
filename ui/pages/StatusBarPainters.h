#pragma once
// The status bar's painters: every metric and every stroke of the bar, its panels, their bevels,
// the gaps between them and the size grip. A painter is a class without data with exactly one
// immutable instance; the bar keeps a pointer to the instance in use ("the painter class") and
// calls its operations with the bar, panel, canvas and rectangle they concern. Composite
// operations call the finer ones through this, so an override of a fine operation changes every
// drawing built on it.
#include "platform/classes/Controls.h"
#include "platform/classes/TypInfo.h"
#include "ui/foundation/Canvas.h"

VW_ENUM(TdxStatusBarPanelBevel, dxpbNone, dxpbLowered, dxpbRaised)

class TdxCustomStatusBar;
class TdxStatusBarPanel;
class TdxStatusBarContainerPanelStyle;
class TdxStatusBarPainter;
using TdxStatusBarPainterClass = const TdxStatusBarPainter*;

class TdxStatusBarPainter {
 public:
  TdxStatusBarPainter() = default;
  TdxStatusBarPainter(const TdxStatusBarPainter&) = delete;
  TdxStatusBarPainter& operator=(const TdxStatusBarPainter&) = delete;
  virtual ~TdxStatusBarPainter() = default;

  // What the bar shows behind a container panel's control, painted on the control's canvas.
  virtual void PaintContainerBackground(TdxStatusBarContainerPanelStyle* Style) const;
  // True: the last panel is not shortened for the size grip, which is drawn over it.
  virtual bool GripOverlapsLastPanel(TdxCustomStatusBar* Bar) const;
  virtual void AdjustTextColor(TdxCustomStatusBar* Bar, TColor& Color, bool Enabled) const;
  // Left, top, right and bottom widths between the client bounds and the panels.
  virtual TRect BarBorderWidths(TdxCustomStatusBar* Bar) const;
  virtual bool PaintsSizeGripFirst() const;
  virtual TSize SizeGripSize() const;
  virtual TSize SizeGripInnerSize() const;
  virtual int SpareMetric() const;
  virtual TRect PanelBevelWidths(TdxStatusBarPanelBevel Bevel) const;
  virtual TRect PanelContentMargins(TdxStatusBarPanel* Panel, bool HasBevel) const;
  virtual int PanelSeparatorWidth() const;
  // The gap between two visible panels.
  virtual int SeparatorWidthBetween(TdxCustomStatusBar* Bar) const;
  virtual int TopEdgeHeight() const;
  // Paints the top edge and the border and shrinks R to what lies inside them.
  virtual void PaintBarBorder(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, TRect& R) const;
  virtual void PaintNoPanelsArea(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, const TRect& R) const;
  virtual void PaintPanel(TdxCustomStatusBar* Bar, TdxStatusBarPanel* Panel, const TRect& R, TcxCanvas* ACanvas) const;
  // Draws the bevel and shrinks R by what it drew.
  virtual void DrawPanelBevel(TdxCustomStatusBar* Bar, TdxStatusBarPanelBevel Bevel, TRect& R,
                              TcxCanvas* ACanvas) const;
  // The gap after a visible panel.
  virtual void PaintBarBackground(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, const TRect& R) const;
  virtual void PaintSizeGrip(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, bool Overlapped, const TRect& R) const;
  virtual void PaintTopEdge(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, const TRect& R) const;
  // Panel may be null (the no-panels area, a hidden panel).
  virtual void FillPanelArea(TdxCustomStatusBar* Bar, TdxStatusBarPanel* Panel, const TRect& R,
                             TcxCanvas* ACanvas) const;
  virtual TdxStatusBarPanelBevel PanelHasBevel(TdxStatusBarPanel* Panel) const;
  virtual TColor PanelColor(TdxCustomStatusBar* Bar, TdxStatusBarPanel* Panel) const;
  virtual TRect AdjustPanelTextRect(TdxCustomStatusBar* Bar, TdxStatusBarPanel* Panel, const TRect& R) const;

  // The system's size-grip glyph drawn into Box over what the canvas already shows there: only
  // the glyph's pixels that are not button face reach the canvas.
  static void DrawGripGlyph(win::HDC DC, const TRect& Box);
};

// Three-dimensional edges.
class TdxStatusBarStandardPainter : public TdxStatusBarPainter {
 public:
  TRect PanelBevelWidths(TdxStatusBarPanelBevel Bevel) const override;
  void DrawPanelBevel(TdxCustomStatusBar* Bar, TdxStatusBarPanelBevel Bevel, TRect& R,
                      TcxCanvas* ACanvas) const override;
  void PaintBarBackground(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, const TRect& R) const override;
  void FillPanelArea(TdxCustomStatusBar* Bar, TdxStatusBarPanel* Panel, const TRect& R,
                     TcxCanvas* ACanvas) const override;
};

// One-pixel frames in the shadow colour, raised or lowered alike.
class TdxStatusBarFlatPainter : public TdxStatusBarStandardPainter {
 public:
  TRect PanelBevelWidths(TdxStatusBarPanelBevel Bevel) const override;
  void DrawPanelBevel(TdxCustomStatusBar* Bar, TdxStatusBarPanelBevel Bevel, TRect& R,
                      TcxCanvas* ACanvas) const override;
};

// The Office-2003 gradient over the whole bar, showing through the gaps between panels.
class TdxStatusBarOffice11Painter : public TdxStatusBarPainter {
 public:
  TRect BarBorderWidths(TdxCustomStatusBar* Bar) const override;
  TRect PanelBevelWidths(TdxStatusBarPanelBevel Bevel) const override;
  void PaintBarBorder(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, TRect& R) const override;
  void DrawPanelBevel(TdxCustomStatusBar* Bar, TdxStatusBarPanelBevel Bevel, TRect& R,
                      TcxCanvas* ACanvas) const override;
  void PaintBarBackground(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, const TRect& R) const override;
  void PaintSizeGrip(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, bool Overlapped, const TRect& R) const override;
};

// The visual style's status parts: background 0, pane 1, gripper 3.
class TdxStatusBarXPPainter : public TdxStatusBarPainter {
 public:
  TRect BarBorderWidths(TdxCustomStatusBar* Bar) const override;
  TSize SizeGripSize() const override;
  int PanelSeparatorWidth() const override;
  void PaintBarBorder(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, TRect& R) const override;
  void PaintBarBackground(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, const TRect& R) const override;
  void PaintSizeGrip(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, bool Overlapped, const TRect& R) const override;
};

// The skins' status bar painter, registered when the skins start and cleared (null) when they end;
// the bar takes it for stpsUseLookAndFeel while its look-and-feel has a skin painter.
TdxStatusBarPainterClass StatusBarSkinPainterClass();
void SetStatusBarSkinPainterClass(TdxStatusBarPainterClass Value);

// The one instance of each painter class.
TdxStatusBarPainterClass StatusBarPainter();
TdxStatusBarPainterClass StatusBarStandardPainter();
TdxStatusBarPainterClass StatusBarFlatPainter();
TdxStatusBarPainterClass StatusBarOffice11Painter();
TdxStatusBarPainterClass StatusBarXPPainter();
