#pragma once
// The first scrolling subtitle window.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TfrmLEDDisplay : public TForm {
  VW_CLASS(TfrmLEDDisplay, TForm)
 public:
  explicit TfrmLEDDisplay(TComponent* AOwner);
  ~TfrmLEDDisplay() override;
};

extern TfrmLEDDisplay* frmLEDDisplay;
