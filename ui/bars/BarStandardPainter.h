#pragma once
// The classic look: raised and sunken 3D edges, double grip bars and caption-style frame controls
// (bmsStandard), and its enhanced variant with one grip bar, a framed mark and quick customizing
// (bmsEnhanced).
#include "ui/bars/BarPainter.h"

class TdxBarStandardPainter : public TdxBarPainter {
  VW_CLASS(TdxBarStandardPainter, TdxBarPainter)
};

class TdxBarEnhancedPainter : public TdxBarStandardPainter {
  VW_CLASS(TdxBarEnhancedPainter, TdxBarStandardPainter)
};
