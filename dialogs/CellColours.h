#pragma once
// The cell background colours of the splicing and hybrid-matrix consoles' grids.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm20 : public TForm {
  VW_CLASS(TForm20, TForm)
 public:
  explicit TForm20(TComponent* AOwner);
  ~TForm20() override;
};

extern TForm20* Form20;
