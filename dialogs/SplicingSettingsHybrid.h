#pragma once
// The hybrid-matrix console's splicing settings, and the store of its wall size.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm34 : public TForm {
  VW_CLASS(TForm34, TForm)
 public:
  explicit TForm34(TComponent* AOwner);
  ~TForm34() override;
};

extern TForm34* Form34;
