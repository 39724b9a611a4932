#pragma once
// The grid console's picture parameter dialog: step buttons for the screens' picture settings, the
// colour temperature's mixed colours, a palette of colour swatches and three gain boxes, all sent to
// the grid console's wall selection. It keeps no picture values and reads nothing back.
// Created once at start and kept until the program ends, like every window; closing hides it.
#include "dialogs/PictureAdjustment.h"
#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"
#include "platform/classes/Timer.h"
#include "ui/choice/Button.h"
#include "ui/choice/GroupBox.h"
#include "ui/pages/PageControl.h"
#include "ui/panels/Panel.h"

class TForm4 : public TForm {
  VW_CLASS(TForm4, TForm)
 public:
  explicit TForm4(TComponent* AOwner);
  ~TForm4() override;

  // The top band.
  TcxGroupBox* cxgrpbxTop = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;      // the wall selection the dialog adjusts, "L,T - R,B"
  TcxButton* BitBtn8 = nullptr;  // system reset; usable while a link is open

  TcxPageControl* cxPageControl1 = nullptr;
  TcxTabSheet* TabSheet1 = nullptr;    // VIDEO
  TcxTabSheet* TabSheet2 = nullptr;    // VGA
  TcxTabSheet* tsDHY = nullptr;        // DVI/HDMI/YUV
  TcxTabSheet* tsCOLORTEMP = nullptr;  // COLOR TEMP
  TcxTabSheet* ColorAdjust = nullptr;  // COLOR ADJUST
  TcxButton* Button4 = nullptr;        // auto colour
  TcxButton* Button1 = nullptr;        // auto position
  TImage* img1 = nullptr;              // the three primaries and their mixtures
  TLabel* lbl10 = nullptr;
  TLabel* lbl11 = nullptr;
  TLabel* lbl12 = nullptr;
  TPanel* Panel1 = nullptr;    // the palette
  TRzPanel* rzpnl1 = nullptr;  // the selected frame style, never shown
  TRzPanel* rzpnl2 = nullptr;  // the unselected frame style, never shown
  TRzPanel* rzpnl3 = nullptr;  // ">>>": widens and narrows the dialog
  TLabel* lbl13 = nullptr;
  TLabel* lbl14 = nullptr;
  TLabel* lbl4 = nullptr;
  TLabel* lbl5 = nullptr;
  TLabel* lbl6 = nullptr;
  TEdit* edt1 = nullptr;  // red gain
  TEdit* edt2 = nullptr;  // green gain
  TEdit* edt3 = nullptr;  // blue gain
  TcxButton* btn1 = nullptr;
  TTimer* tmr1 = nullptr;  // ends the ">>>" panel's press

  // The bottom band.
  TcxGroupBox* cxgrpbxBottom = nullptr;
  TLabel* Label25 = nullptr;
  TcxButton* SpeedButton43 = nullptr;  // back light down
  TcxButton* SpeedButton44 = nullptr;  // back light up
  TcxButton* Button2 = nullptr;        // save
  TcxButton* Button3 = nullptr;        // close

  // The panel that shows the selected frame: a swatch, or the ">>>" panel while pressed.
  TRzPanel* SelectedSwatch = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void BitBtn8Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button4Click(TObject* Sender);
  void SpeedButton43Click(TObject* Sender);
  void SpeedButton44Click(TObject* Sender);
  void btn1Click(TObject* Sender);
  void rzpnl3MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void tmr1Timer(TObject* Sender);
  void SwatchMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  // The texts of the interface language: 1 English, 0 Chinese; other values leave the stored ones.
  void ApplyLanguage(int Language);

 protected:
  void Loaded() override;

 private:
  void Send(int Command, int Value);
  void SendBacklight(int Value);
};

extern TForm4* Form4;
