#pragma once
// The scene rename dialog; its caption is set by whoever opens it.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm9 : public TForm {
  VW_CLASS(TForm9, TForm)
 public:
  explicit TForm9(TComponent* AOwner);
  ~TForm9() override;
};

extern TForm9* Form9;
