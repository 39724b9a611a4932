#pragma once
// The splicing console's splicing settings, and the store of its wall size, name and logo while the
// program runs: the console's loading fills them, and the console reads its wall from here. It also
// sets the screens' signal board and start corner and addresses the whole wall at once.
// Created once at start and kept until the program ends, like every window.
#include "dialogs/SplicingSettingsDialog.h"

class TcxRadioButton;

class TForm24 : public TSplicingSettingsDialog {
  VW_CLASS(TForm24, TSplicingSettingsDialog)
 public:
  explicit TForm24(TComponent* AOwner);
  ~TForm24() override;

  TcxRadioButton* rbInner = nullptr;
  TcxRadioButton* rbOuter = nullptr;
  TcxRadioButton* rbLeftBottom = nullptr;
  TcxRadioButton* rbRightBottom = nullptr;
  TcxButton* BitbtnAddrAutoSet = nullptr;

  void BitbtnAddrAutoSetClick(TObject* Sender);
  // On the press itself, with any button, checked already or not.
  void rbInnerMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void rbOuterMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void rbLeftBottomMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void rbRightBottomMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

 protected:
  void Loaded() override;
  int ConsoleLanguage() const override;
  void ApplyEnglishCaptions() override;
  void ApplySettings() override;
};

extern TForm24* Form24;
