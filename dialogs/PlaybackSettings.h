#pragma once
// The boot playback settings of the screens' built-in media player.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TfrmPlayMode : public TForm {
  VW_CLASS(TfrmPlayMode, TForm)
 public:
  explicit TfrmPlayMode(TComponent* AOwner);
  ~TfrmPlayMode() override;
};

extern TfrmPlayMode* frmPlayMode;
