#pragma once
// The irregular-shape dialog: the visible part of the selected screens' picture.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm16 : public TForm {
  VW_CLASS(TForm16, TForm)
 public:
  explicit TForm16(TComponent* AOwner);
  ~TForm16() override;
};

extern TForm16* Form16;
