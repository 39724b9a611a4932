#pragma once
// The debug window: typed hexadecimal bytes sent unchanged on the screen link.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"

class TForm6 : public TForm {
  VW_CLASS(TForm6, TForm)
 public:
  explicit TForm6(TComponent* AOwner);
  ~TForm6() override;

  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TEdit* Edit1 = nullptr;  // the entry
  TEdit* Edit2 = nullptr;  // the last entry sent
  TEdit* Edit3 = nullptr;  // its hexadecimal digits (hidden)
  TLabel* Label3 = nullptr;
  TMemo* Memo1 = nullptr;
  TButton* Button1 = nullptr;  // send
  TButton* Button2 = nullptr;  // close

  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);

 protected:
  void Loaded() override;
};

extern TForm6* Form6;
