#pragma once
// The version window: the program's name and version, and a button that has the selected
// screens show their own software version.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"
#include "ui/choice/Button.h"

class TForm5 : public TForm {
  VW_CLASS(TForm5, TForm)
 public:
  explicit TForm5(TComponent* AOwner);
  ~TForm5() override;

  TLabel* Label1 = nullptr;   // the program's name
  TLabel* Label2 = nullptr;   // its version
  TLabel* Label3 = nullptr;   // the user line, which the consoles' loading writes
  TcxButton* Button1 = nullptr;  // ask the screens
  TcxButton* BitBtn1 = nullptr;  // close

  void FormShow(TObject* Sender);
  void Button1Click(TObject* Sender);
  void BitBtn1Click(TObject* Sender);

 protected:
  void Loaded() override;
};

extern TForm5* Form5;
