#pragma once
// The virtual remote control: the screens' infra-red remote keys.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm27 : public TForm {
  VW_CLASS(TForm27, TForm)
 public:
  explicit TForm27(TComponent* AOwner);
  ~TForm27() override;
};

extern TForm27* Form27;
