#pragma once
// The first scrolling subtitle window, "subtitle1".
// Created once at start and kept until the program ends, like every window.
#include "dialogs/SubtitleWindow.h"

class TfrmLEDDisplay : public TSubtitleWindow {
  VW_CLASS(TfrmLEDDisplay, TSubtitleWindow)
 public:
  explicit TfrmLEDDisplay(TComponent* AOwner);
  ~TfrmLEDDisplay() override;
};

extern TfrmLEDDisplay* frmLEDDisplay;
