#pragma once
// The edge blending dialog: how far the selected screens blend their horizontal and vertical
// edges into their neighbours', sent to the active console's wall selection.
// Created once at start and kept until the program ends, like every window; closing hides it.
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"
#include "ui/choice/Button.h"
#include "ui/choice/CheckBox.h"
#include "ui/choice/GroupBox.h"
#include "ui/choice/TrackBar.h"

class TForm11 : public TForm {
  VW_CLASS(TForm11, TForm)
 public:
  explicit TForm11(TComponent* AOwner);
  ~TForm11() override;

  TcxGroupBox* GroupBox1 = nullptr;
  TcxCheckBox* CheckBox1 = nullptr;  // blending on
  TLabel* Label5 = nullptr;          // horizontal amount
  TcxTrackBar* TrackBar1 = nullptr;
  TLabel* Label6 = nullptr;  // vertical amount
  TcxTrackBar* TrackBar2 = nullptr;
  TcxButton* BitBtn10 = nullptr;  // apply

  void FormShow(TObject* Sender);
  void CheckBox1Click(TObject* Sender);
  void TrackBar1Change(TObject* Sender);
  void TrackBar2Change(TObject* Sender);
  void BitBtn10Click(TObject* Sender);

 protected:
  void Loaded() override;
};

extern TForm11* Form11;
