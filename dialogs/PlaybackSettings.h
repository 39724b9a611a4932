#pragma once
// The boot playback settings of the screens' built-in media player: loop or manual choice,
// picture or video, the picture angle and transition effect, and the player's navigation keys.
// Every choice is one playback code sent as a remote key to the active console's wall selection;
// the mode and angle buttons also send their fixed frame on each press. Nothing is stored.
// Created once at start and kept until the program ends, like every window; closing hides it.
#include "platform/classes/Forms.h"
#include "ui/choice/Button.h"
#include "ui/choice/GroupBox.h"
#include "ui/choice/RadioButton.h"

class TfrmPlayMode : public TForm {
  VW_CLASS(TfrmPlayMode, TForm)
 public:
  explicit TfrmPlayMode(TComponent* AOwner);
  ~TfrmPlayMode() override;

  TcxGroupBox* cxgrpbxPayMode = nullptr;
  TcxGroupBox* cxgrpbxAngle = nullptr;
  TcxRadioButton* rbPicMode = nullptr;
  TcxRadioButton* rbVidMode = nullptr;

  void FormShow(TObject* Sender);
  // Every radio button and keypad key: its playback code is its Tag.
  void PlaybackCodeClick(TObject* Sender);
  void rbPicModeMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void rbVidModeMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void rbZeroMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void rbNintyMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void rbOheityMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void rbThevtyMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

 protected:
  void Loaded() override;
};

extern TfrmPlayMode* frmPlayMode;
