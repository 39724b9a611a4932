#pragma once
// Every bar painter class the manager may choose; each painter has its own unit.
#include "ui/bars/BarFlatPainter.h"
#include "ui/bars/BarOffice11Painter.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarSkinPainter.h"
#include "ui/bars/BarStandardPainter.h"
#include "ui/bars/BarXPPainter.h"
