#pragma once
// The debug window: typed hexadecimal bytes sent unchanged on the screen link.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm6 : public TForm {
  VW_CLASS(TForm6, TForm)
 public:
  explicit TForm6(TComponent* AOwner);
  ~TForm6() override;
};

extern TForm6* Form6;
