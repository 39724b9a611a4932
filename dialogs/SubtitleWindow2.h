#pragma once
// The second scrolling subtitle window.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm29 : public TForm {
  VW_CLASS(TForm29, TForm)
 public:
  explicit TForm29(TComponent* AOwner);
  ~TForm29() override;
};

extern TForm29* Form29;
