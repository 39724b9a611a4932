#pragma once
// The address tool: a screen's address by its serial number, address display and locks.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm36 : public TForm {
  VW_CLASS(TForm36, TForm)
 public:
  explicit TForm36(TComponent* AOwner);
  ~TForm36() override;
};

extern TForm36* Form36;
