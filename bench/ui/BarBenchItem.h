#pragma once
// The item control the bar benchmarks paint through: a glyph of its own, kept prepared in its image
// cache as every item control's.
#include "platform/classes/Bitmap.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarDrawing.h"

class TBenchItem : public TdxBarItemControl {
  VW_CLASS(TBenchItem, TdxBarItemControl)
 public:
  TBenchItem(TCustomdxBarControl* AParent, TBitmap* AGlyph) : FParent(AParent), FGlyph(AGlyph) {}
  TCustomdxBarControl* Parent() const override { return FParent; }
  bool HasImage() const override { return FGlyph != nullptr; }
  TBitmap* CurrentGlyph() const override { return FGlyph; }
  bool HasOwnDisabledLook() const override { return true; }
  TRect ImageBounds() const override { return FImage; }
  void SetImageBounds(const TRect& R) override { FImage = R; }
  bool IsEnabled() const override { return true; }

 private:
  TCustomdxBarControl* FParent;
  TBitmap* FGlyph;
  TRect FImage;
};
