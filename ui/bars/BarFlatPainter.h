#pragma once
// The flat look (bmsFlat): no 3D edges, a one-pixel selection frame around hot items, state fills
// from the manager's flat brushes, and menus visibly joined to the item that opened them.
#include "ui/bars/BarPainter.h"

class TdxBarFlatPainter : public TdxBarPainter {
  VW_CLASS(TdxBarFlatPainter, TdxBarPainter)
};
