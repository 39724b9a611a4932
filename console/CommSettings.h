#pragma once
// The communication settings window: serial ports or the TCP link, and whether the links open at start.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm2 : public TForm {
  VW_CLASS(TForm2, TForm)
 public:
  explicit TForm2(TComponent* AOwner);
  ~TForm2() override;
};

extern TForm2* Form2;
