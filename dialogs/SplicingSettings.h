#pragma once
// The grid console's splicing settings, and the store of its wall size while the program runs.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm15 : public TForm {
  VW_CLASS(TForm15, TForm)
 public:
  explicit TForm15(TComponent* AOwner);
  ~TForm15() override;
};

extern TForm15* Form15;
