#pragma once
// The picture parameter dialog of the splicing and hybrid-matrix consoles: the grid console's step
// rows for the video, VGA and DVI/HDMI pictures and the colour temperature's levels, a palette of
// colour swatches, the colour adjustment's step pairs and the edge brightening, sent through the
// hybrid-matrix console's senders. Under the splicing console the picture steps go to the first
// screen whatever the selection; everything else goes to the active console's wall selection.
// Created once at start and kept until the program ends, like every window; closing hides it.
#include "dialogs/PictureAdjustment.h"
#include "ui/editors/ComboBox.h"

class TForm32 : public TPictureDialog {
  VW_CLASS(TForm32, TPictureDialog)
 public:
  explicit TForm32(TComponent* AOwner);
  ~TForm32() override;

  TcxPageControl* pageControlMain = nullptr;
  TcxTabSheet* cxtbsht1 = nullptr;     // the signal source's adjustments, holding cxPageControl1
  TcxGroupBox* GBox1 = nullptr;        // the colour adjustment's step pairs
  TcxGroupBox* GBoxEdge = nullptr;     // edge brightening
  TLabel* lbl6 = nullptr;
  TcxComboBox* cbb3 = nullptr;  // the brightening level, "1" to "85"
  TcxButton* BitbtnSet = nullptr;
  TcxButton* BitbtnSame = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void BitBtn8Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button4Click(TObject* Sender);
  void SpeedButton30Click(TObject* Sender);
  void SpeedButton43Click(TObject* Sender);
  void SpeedButton44Click(TObject* Sender);
  void BitbtnSetClick(TObject* Sender);
  void BitbtnSameClick(TObject* Sender);
  void SwatchMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

 protected:
  void Loaded() override;

 private:
  // To the active console's wall selection.
  static void Send(int Command, int Value);
  // The picture steps' addressing: the first screen under the splicing console, else as Send.
  static void SendPictureStep(int Command, int Value);
};

extern TForm32* Form32;
