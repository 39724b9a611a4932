#pragma once
// The third scrolling subtitle window.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm30 : public TForm {
  VW_CLASS(TForm30, TForm)
 public:
  explicit TForm30(TComponent* AOwner);
  ~TForm30() override;
};

extern TForm30* Form30;
