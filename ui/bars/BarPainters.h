#pragma once
// Every bar painter class the manager may choose. The classic, enhanced and flat painters have
// their own units; the Office-2003, themed and skin painters stand here as the class references
// the manager's choice needs until their own units grow them.
#include "ui/bars/BarFlatPainter.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarStandardPainter.h"

class TdxBarOffice11Painter : public TdxBarFlatPainter {
  VW_CLASS(TdxBarOffice11Painter, TdxBarFlatPainter)
};
class TdxBarXPPainter : public TdxBarFlatPainter {
  VW_CLASS(TdxBarXPPainter, TdxBarFlatPainter)
};
class TdxBarSkinPainter : public TdxBarPainter {
  VW_CLASS(TdxBarSkinPainter, TdxBarPainter)
};
