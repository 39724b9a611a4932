#pragma once
// The edge blending dialog.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm11 : public TForm {
  VW_CLASS(TForm11, TForm)
 public:
  explicit TForm11(TComponent* AOwner);
  ~TForm11() override;
};

extern TForm11* Form11;
