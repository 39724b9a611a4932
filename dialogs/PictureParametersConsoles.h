#pragma once
// The picture parameter dialog of the splicing and hybrid-matrix consoles.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"
#include "ui/choice/Button.h"

class TForm32 : public TForm {
  VW_CLASS(TForm32, TForm)
 public:
  explicit TForm32(TComponent* AOwner);
  ~TForm32() override;

  TcxButton* BitBtn8 = nullptr;  // system reset, enabled while the link is open
  TLabel* Label2 = nullptr;      // the wall selection the dialog adjusts, "L,T - R,B"

 protected:
  void Loaded() override;
};

extern TForm32* Form32;
