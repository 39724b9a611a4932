#pragma once
// The channel naming dialog of the grid console's matrix inputs.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm37 : public TForm {
  VW_CLASS(TForm37, TForm)
 public:
  explicit TForm37(TComponent* AOwner);
  ~TForm37() override;
};

extern TForm37* Form37;
