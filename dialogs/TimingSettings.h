#pragma once
// The timed power settings.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TfrmTimingSetting : public TForm {
  VW_CLASS(TfrmTimingSetting, TForm)
 public:
  explicit TfrmTimingSetting(TComponent* AOwner);
  ~TfrmTimingSetting() override;
};

extern TfrmTimingSetting* frmTimingSetting;
