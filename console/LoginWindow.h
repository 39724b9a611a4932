#pragma once
// The login window: the administrator password or a service code raises the user level, the
// logout lowers it again, and the user level decides which controls of the three consoles the
// operator reaches. Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"
#include "platform/classes/Mask.h"
#include "platform/classes/StdCtrls.h"

class TForm7 : public TForm {
  VW_CLASS(TForm7, TForm)
 public:
  explicit TForm7(TComponent* AOwner);
  ~TForm7() override;

  TLabel* Label1 = nullptr;         // the prompt
  TMaskEdit* MaskEdit1 = nullptr;   // the entry
  TButton* Button1 = nullptr;       // login
  TButton* Button4 = nullptr;       // logout
  TButton* Button3 = nullptr;       // change password
  TButton* Button2 = nullptr;       // close

  void FormShow(TObject* Sender);
  void MaskEdit1KeyDown(TObject* Sender, win::WORD& Key, TShiftState Shift);
  void Button1Click(TObject* Sender);
  void Button4Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button2Click(TObject* Sender);

 protected:
  void Loaded() override;
};

extern TForm7* Form7;
