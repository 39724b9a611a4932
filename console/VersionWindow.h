#pragma once
// The version window: the program's name and version, and the screens' software version.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm5 : public TForm {
  VW_CLASS(TForm5, TForm)
 public:
  explicit TForm5(TComponent* AOwner);
  ~TForm5() override;
};

extern TForm5* Form5;
