#pragma once
// The grid console's picture parameter dialog.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm4 : public TForm {
  VW_CLASS(TForm4, TForm)
 public:
  explicit TForm4(TComponent* AOwner);
  ~TForm4() override;
};

extern TForm4* Form4;
