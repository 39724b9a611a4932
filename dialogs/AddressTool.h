#pragma once
// The address tool: gives one screen, named by its serial number, its row and column address,
// makes the screens show their addresses, and locks or unlocks the selected screens' addresses.
// It reads nothing back and stores nothing; the edits keep their text between shows.
// Created once at start and kept until the program ends, like every window; closing hides it.
#include "platform/classes/Forms.h"
#include "ui/choice/Button.h"
#include "ui/choice/Label.h"
#include "ui/editors/TextEdit.h"

class TForm36 : public TForm {
  VW_CLASS(TForm36, TForm)
 public:
  explicit TForm36(TComponent* AOwner);
  ~TForm36() override;

  TcxButton* Bitbtn = nullptr;  // asks the screens for their serial numbers
  TcxLabel* cxlbl1 = nullptr;
  TcxTextEdit* cxTextEdit2 = nullptr;  // serial number
  TcxLabel* cxlbl2 = nullptr;
  TcxTextEdit* cxTextEdit3 = nullptr;  // row
  TcxLabel* cxlbl3 = nullptr;
  TcxTextEdit* cxTextEdit4 = nullptr;  // column
  TcxButton* Bitbtn162 = nullptr;      // set the address
  TcxButton* Bitbtn161 = nullptr;      // show the addresses
  TcxButton* Bitbtn163 = nullptr;      // lock
  TcxButton* Bitbtn164 = nullptr;      // unlock

  void BitbtnClick(TObject* Sender);
  void Bitbtn161Click(TObject* Sender);
  void Bitbtn162Click(TObject* Sender);
  void Bitbtn163Click(TObject* Sender);
  void Bitbtn164Click(TObject* Sender);

 protected:
  void Loaded() override;
};

extern TForm36* Form36;
