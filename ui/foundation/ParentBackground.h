#pragma once
// Painting a parent's background, and the windowed siblings beneath a control, behind a control
// that shows through: the parent (and each sibling) paints a copy of itself into the control's
// canvas, lined up with the control.
#include "platform/classes/Controls.h"
#include "platform/classes/Interface.h"
#include "ui/foundation/Canvas.h"

// A windowed control that draws its own frame edge answers whether the edge its window style
// asks for is to be drawn when it is painted as a background.
class IcxFrameEdgeQuery : public virtual IInterface {
 public:
  virtual bool HasFrameEdge() = 0;
};

// R is in the control's client coordinates. Nothing happens for a control without a parent.
void PaintParentBackground(TControl* Control, TcxCanvas* Canvas, const TRect& R, bool IncludeSiblings = false);
void PaintParentBackgroundToCanvas(TControl* Control, TCanvas* Canvas, const TRect& R, bool IncludeSiblings = false);
// With the canvas's window origin moved by Offset for the painting.
void PaintParentBackgroundShifted(TControl* Control, TcxCanvas* Canvas, const TRect& R, const TPoint& Offset,
                                  bool IncludeSiblings = false);
