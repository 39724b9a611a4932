#pragma once
// The grid console's picture parameter dialog.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"
#include "ui/choice/Button.h"

class TForm4 : public TForm {
  VW_CLASS(TForm4, TForm)
 public:
  explicit TForm4(TComponent* AOwner);
  ~TForm4() override;

  TcxButton* BitBtn8 = nullptr;  // system reset; usable while a link is open

 protected:
  void Loaded() override;
};

extern TForm4* Form4;
