#pragma once
// The signal rename dialog: gives the signal one cell of the hybrid-matrix console shows a display
// name of the operator's choice. The console's double click remembers the cell before showing it.
// Created once at start and kept until the program ends, like every window; closing hides it.
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"
#include "ui/choice/Button.h"
#include "ui/choice/GroupBox.h"

class TForm35 : public TForm {
  VW_CLASS(TForm35, TForm)
 public:
  explicit TForm35(TComponent* AOwner);
  ~TForm35() override;

  TcxGroupBox* grp1 = nullptr;
  TLabel* lbl1 = nullptr;  // the current name and the cell
  TLabel* lbl2 = nullptr;
  TEdit* edt1 = nullptr;  // the new name; neither cleared nor prefilled
  TcxButton* Bitbtn = nullptr;

  void FormShow(TObject* Sender);
  void BitbtnClick(TObject* Sender);

 protected:
  void Loaded() override;

 private:
  // The cell and its signal type as the last show found them; the name is stored under these.
  int FRow = 1;
  int FCol = 1;
  String FType;
};

extern TForm35* Form35;
