#pragma once
// The picture parameter dialog of the splicing and hybrid-matrix consoles: the grid console's step
// rows for the video, VGA and DVI/HDMI pictures and the colour temperature's levels, a palette of
// colour swatches, the colour adjustment's step pairs and the edge brightening, sent through the
// hybrid-matrix console's senders. Under the splicing console the picture steps go to the first
// screen whatever the selection; everything else goes to the active console's wall selection.
// Created once at start and kept until the program ends, like every window; closing hides it.
#include "dialogs/PictureAdjustment.h"
#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"
#include "platform/classes/Timer.h"
#include "ui/choice/Button.h"
#include "ui/choice/GroupBox.h"
#include "ui/editors/ComboBox.h"
#include "ui/pages/PageControl.h"
#include "ui/panels/Panel.h"

class TForm32 : public TForm {
  VW_CLASS(TForm32, TForm)
 public:
  explicit TForm32(TComponent* AOwner);
  ~TForm32() override;

  // The top band.
  TcxGroupBox* cxgrpbxTop = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;      // the wall selection the dialog adjusts, "L,T - R,B"
  TcxButton* BitBtn8 = nullptr;  // system reset, enabled while the link is open

  TcxPageControl* pageControlMain = nullptr;
  TcxTabSheet* cxtbsht1 = nullptr;  // the signal source's adjustments
  TcxPageControl* cxPageControl1 = nullptr;
  TcxTabSheet* TabSheet1 = nullptr;    // VIDEO
  TcxTabSheet* TabSheet2 = nullptr;    // VGA
  TcxTabSheet* tsDHY = nullptr;        // DVI/HDMI
  TcxTabSheet* tsCOLORTEMP = nullptr;  // COLOR TEMP
  TcxTabSheet* ColorAdjust = nullptr;  // COLOR ADJUST
  TcxButton* Button4 = nullptr;        // auto colour
  TcxButton* Button1 = nullptr;        // auto position
  TPanel* Panel1 = nullptr;            // the palette
  TRzPanel* rzpnl1 = nullptr;          // the selected frame style, never shown
  TRzPanel* rzpnl2 = nullptr;          // the unselected frame style, never shown
  TRzPanel* rzpnl3 = nullptr;          // ">>>": widens and narrows the dialog
  TcxGroupBox* GBox1 = nullptr;        // the colour adjustment's step pairs
  TcxGroupBox* GBoxEdge = nullptr;     // edge brightening
  TLabel* lbl6 = nullptr;
  TcxComboBox* cbb3 = nullptr;  // the brightening level, "1" to "85"
  TcxButton* BitbtnSet = nullptr;
  TcxButton* BitbtnSame = nullptr;
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
  void SpeedButton30Click(TObject* Sender);
  void SpeedButton43Click(TObject* Sender);
  void SpeedButton44Click(TObject* Sender);
  void BitbtnSetClick(TObject* Sender);
  void BitbtnSameClick(TObject* Sender);
  void rzpnl3MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void tmr1Timer(TObject* Sender);
  void SwatchMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  // The texts of the interface language: 1 English, 0 Chinese; other values leave the stored ones.
  void ApplyLanguage(int Language);

 protected:
  void Loaded() override;

 private:
  // To the active console's wall selection.
  static void Send(int Command, int Value);
  // The picture steps' addressing: the first screen under the splicing console, else as Send.
  static void SendPictureStep(int Command, int Value);
};

extern TForm32* Form32;
