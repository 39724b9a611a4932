#pragma once
// The irregular-shape dialog: the visible part of the selected screens' picture as a pixel
// rectangle, sent to the active console's wall selection. The edits keep what was typed for the
// whole run; nothing is stored.
// Created once at start and kept until the program ends, like every window; closing hides it.
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"
#include "ui/choice/CheckBox.h"
#include "ui/choice/GroupBox.h"

class TForm16 : public TForm {
  VW_CLASS(TForm16, TForm)
 public:
  explicit TForm16(TComponent* AOwner);
  ~TForm16() override;

  TcxCheckBox* CheckBox1 = nullptr;  // adjustment on
  TcxGroupBox* GroupBox2 = nullptr;
  TLabel* Label20 = nullptr;  // the hint on the values' ranges
  TLabel* LabelEn = nullptr;  // the same in English, hidden unless English
  TLabel* Label21 = nullptr;
  TEdit* Edit2 = nullptr;  // horizontal start
  TButton* Button5 = nullptr;
  TLabel* Label22 = nullptr;
  TEdit* Edit3 = nullptr;  // horizontal size
  TButton* Button1 = nullptr;
  TLabel* Label24 = nullptr;
  TEdit* Edit4 = nullptr;  // vertical start
  TButton* Button2 = nullptr;
  TLabel* Label23 = nullptr;
  TEdit* Edit5 = nullptr;  // vertical size
  TButton* Button3 = nullptr;

  void FormShow(TObject* Sender);
  void CheckBox1Click(TObject* Sender);
  void Button5Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button3Click(TObject* Sender);

 protected:
  void Loaded() override;

 private:
  // Sends the edit's number as two commands, its high byte, then after a pause its low byte read
  // from the edit anew.
  void SendPair(TEdit* Edit, int HighCommand, int LowCommand);
};

extern TForm16* Form16;
