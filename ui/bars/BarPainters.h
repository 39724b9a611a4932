#pragma once
// Every bar painter class the manager may choose. Each painter has its own unit; the skin painter
// stands here as the class reference the manager's choice needs until its own unit grows it.
#include "ui/bars/BarFlatPainter.h"
#include "ui/bars/BarOffice11Painter.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarStandardPainter.h"
#include "ui/bars/BarXPPainter.h"

class TdxBarSkinPainter : public TdxBarPainter {
  VW_CLASS(TdxBarSkinPainter, TdxBarPainter)
};
