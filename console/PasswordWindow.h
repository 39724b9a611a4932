#pragma once
// The change-password window.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm8 : public TForm {
  VW_CLASS(TForm8, TForm)
 public:
  explicit TForm8(TComponent* AOwner);
  ~TForm8() override;
};

extern TForm8* Form8;
