#pragma once
// The matrix configuration dialog: matrix makes per signal type, ids, pauses, send order and wiring grids.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm3 : public TForm {
  VW_CLASS(TForm3, TForm)
 public:
  explicit TForm3(TComponent* AOwner);
  ~TForm3() override;
};

extern TForm3* Form3;
