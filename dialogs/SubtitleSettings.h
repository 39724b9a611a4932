#pragma once
// The subtitle settings dialog.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TfrmSubtitleSettings : public TForm {
  VW_CLASS(TfrmSubtitleSettings, TForm)
 public:
  explicit TfrmSubtitleSettings(TComponent* AOwner);
  ~TfrmSubtitleSettings() override;
};

extern TfrmSubtitleSettings* frmSubtitleSettings;
