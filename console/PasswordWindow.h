#pragma once
// The change-password window: the old administrator password, the new one twice.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"

class TForm8 : public TForm {
  VW_CLASS(TForm8, TForm)
 public:
  explicit TForm8(TComponent* AOwner);
  ~TForm8() override;

  TLabel* Label1 = nullptr;
  TEdit* Edit1 = nullptr;  // the old password
  TLabel* Label2 = nullptr;
  TEdit* Edit2 = nullptr;  // the new one
  TLabel* Label3 = nullptr;
  TEdit* Edit3 = nullptr;  // the new one again
  TButton* Button1 = nullptr;  // change
  TButton* Button2 = nullptr;  // close

  void FormShow(TObject* Sender);
  void Edit1KeyDown(TObject* Sender, win::WORD& Key, TShiftState Shift);
  void Edit2KeyDown(TObject* Sender, win::WORD& Key, TShiftState Shift);
  void Edit3KeyDown(TObject* Sender, win::WORD& Key, TShiftState Shift);
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);

 protected:
  void Loaded() override;
};

extern TForm8* Form8;
