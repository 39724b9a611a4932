#pragma once
// The hybrid-matrix console's splicing settings, and the store of its wall size while the program
// runs: the console's loading fills them, and every routine of that console reads the wall here.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "ui/editors/ComboBox.h"
#include "ui/editors/TextEdit.h"

class TForm34 : public TForm {
  VW_CLASS(TForm34, TForm)
 public:
  explicit TForm34(TComponent* AOwner);
  ~TForm34() override;

  TcxTextEdit* Edit1 = nullptr;      // the wall's name
  TcxComboBox* ComboBox1 = nullptr;  // rows: item index + 1
  TcxComboBox* ComboBox2 = nullptr;  // columns: item index + 1
  TImage* Image1 = nullptr;          // the logo

 protected:
  void Loaded() override;
};

extern TForm34* Form34;
