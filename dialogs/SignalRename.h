#pragma once
// The signal rename dialog of the hybrid-matrix console's cells.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm35 : public TForm {
  VW_CLASS(TForm35, TForm)
 public:
  explicit TForm35(TComponent* AOwner);
  ~TForm35() override;
};

extern TForm35* Form35;
