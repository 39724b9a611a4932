#pragma once
// The grid console's picture parameter dialog: step buttons for the screens' picture settings, the
// colour temperature's mixed colours, a palette of colour swatches and three gain boxes, all sent to
// the grid console's wall selection. It keeps no picture values and reads nothing back.
// Created once at start and kept until the program ends, like every window; closing hides it.
#include "dialogs/PictureAdjustment.h"

class TForm4 : public TPictureDialog {
  VW_CLASS(TForm4, TPictureDialog)
 public:
  explicit TForm4(TComponent* AOwner);
  ~TForm4() override;

  // The COLOR TEMP page's explanations.
  TImage* img1 = nullptr;  // the three primaries and their mixtures
  TLabel* lbl10 = nullptr;
  TLabel* lbl11 = nullptr;
  TLabel* lbl12 = nullptr;
  // The COLOR ADJUST page's gains.
  TLabel* lbl13 = nullptr;
  TLabel* lbl14 = nullptr;
  TLabel* lbl4 = nullptr;
  TLabel* lbl5 = nullptr;
  TLabel* lbl6 = nullptr;
  TEdit* edt1 = nullptr;  // red gain
  TEdit* edt2 = nullptr;  // green gain
  TEdit* edt3 = nullptr;  // blue gain
  TcxButton* btn1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void BitBtn8Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button4Click(TObject* Sender);
  void SpeedButton43Click(TObject* Sender);
  void SpeedButton44Click(TObject* Sender);
  void btn1Click(TObject* Sender);
  void SwatchMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

 protected:
  void Loaded() override;

 private:
  void Send(int Command, int Value);
  void SendBacklight(int Value);
};

extern TForm4* Form4;
