#pragma once
// The status bar drawn from the skin of its look-and-feel: the bar's background and border from
// the skin's status bar element, panel bevels from its static-link element, the size grip from the
// common size-grip element. Every operation finds the skin afresh, so a changed or reloaded skin
// shows at the next paint; wherever the skin lacks what an operation needs, the operation is the
// standard painter's.
#include "ui/pages/StatusBarPainters.h"

class TdxSkinInfo;
class TdxSkinElement;

class TdxStatusBarSkinPainter : public TdxStatusBarStandardPainter {
 public:
  void PaintContainerBackground(TdxStatusBarContainerPanelStyle* Style) const override;
  bool GripOverlapsLastPanel(TdxCustomStatusBar* Bar) const override;
  void AdjustTextColor(TdxCustomStatusBar* Bar, TColor& Color, bool Enabled) const override;
  TRect BarBorderWidths(TdxCustomStatusBar* Bar) const override;
  bool PaintsSizeGripFirst() const override { return false; }
  TRect PanelContentMargins(TdxStatusBarPanel* Panel, bool HasBevel) const override;
  int PanelSeparatorWidth() const override { return 1; }
  // The standard painter's gap for a bar without a skin, so that the bar looks as it would.
  int SeparatorWidthBetween(TdxCustomStatusBar* Bar) const override;
  void PaintBarBorder(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, TRect& R) const override;
  void PaintNoPanelsArea(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawPanelBevel(TdxCustomStatusBar* Bar, TdxStatusBarPanelBevel Bevel, TRect& R,
                      TcxCanvas* ACanvas) const override;
  void PaintBarBackground(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, const TRect& R) const override;
  void PaintSizeGrip(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, bool Overlapped, const TRect& R) const override;
  void FillPanelArea(TdxCustomStatusBar* Bar, TdxStatusBarPanel* Panel, const TRect& R,
                     TcxCanvas* ACanvas) const override;

  // The lookup table of the skin painter of the bar's look-and-feel, when the registry holds that
  // painter; null otherwise.
  static TdxSkinInfo* LookupSkinInfo(TdxCustomStatusBar* Bar);
  // The bar's look-and-feel has a skin painter at all.
  static bool HasSkinPainter(TdxCustomStatusBar* Bar);
  // R grown by the element's content offsets on the left, right and bottom, so that the element's
  // own border falls outside the bar there.
  static TRect ExtendToSkinBorders(TdxSkinElement* Element, const TRect& R);
  // Draws the element into R with the clip combined with ClipRect by Mode; the clip is restored
  // afterwards, also when drawing raises.
  static void DrawElementClipped(TdxSkinElement* Element, TcxCanvas* ACanvas, TcxRegionCombineMode Mode,
                                 const TRect& ClipRect, const TRect& R);
};

TdxStatusBarPainterClass StatusBarSkinPainter();

// Puts the painter in the status bar's skin slot, and clears the slot again.
void StatusBarSkinPainterUnitStartup();
void StatusBarSkinPainterUnitShutdown();
