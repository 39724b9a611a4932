#pragma once
// What lets the fader cross-fade a toolbar's customize mark and its MDI buttons between their
// normal and hot looks. Only a painter that draws fading pictures (IdxBarPainterFading) gives
// them their pictures; the fader keeps its own frame counts and delays.
#include "ui/bars/BarClasses.h"
#include "ui/foundation/Fader.h"

class TdxBarControlMarkFadingHelper : public TdxFadingObjectHelper {
  VW_CLASS(TdxBarControlMarkFadingHelper, TdxFadingObjectHelper)
 public:
  explicit TdxBarControlMarkFadingHelper(TdxBarControl* ABarControl) : FBarControl(ABarControl) {}

  // Fading allowed, a mark, and the mark not dropped down.
  bool CanFade() override;
  void RepaintOwner() override;
  void PrepareFadingImages(TBitmap*& NormalImage, TBitmap*& HotImage, int& FadeInFrameCount, int& FadeInFrameDelay,
                           int& FadeOutFrameCount, int& FadeOutFrameDelay) override;

  TdxBarControl* BarControl() const { return FBarControl; }

 private:
  TdxBarControl* FBarControl;
};

class TdxBarControlMDIButtonFadingHelper : public TdxFadingObjectHelper {
  VW_CLASS(TdxBarControlMDIButtonFadingHelper, TdxFadingObjectHelper)
 public:
  // Index 0 minimize, 1 restore, 2 close.
  TdxBarControlMDIButtonFadingHelper(TdxBarControl* ABarControl, int AButtonIndex)
      : FBarControl(ABarControl), FButtonIndex(AButtonIndex) {}

  // Fading allowed and the MDI or close buttons shown.
  bool CanFade() override;
  void RepaintOwner() override;
  void PrepareFadingImages(TBitmap*& NormalImage, TBitmap*& HotImage, int& FadeInFrameCount, int& FadeInFrameDelay,
                           int& FadeOutFrameCount, int& FadeOutFrameDelay) override;

  TdxBarControl* BarControl() const { return FBarControl; }
  int ButtonIndex() const { return FButtonIndex; }

 private:
  TdxBarControl* FBarControl;
  int FButtonIndex;
};
