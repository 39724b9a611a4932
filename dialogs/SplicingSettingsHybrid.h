#pragma once
// The hybrid-matrix console's splicing settings, and the store of its wall size while the program
// runs: the console's loading fills them, and every routine of that console reads the wall here.
// Its address tools give one screen, named by its serial number, its row and column by hand.
// Created once at start and kept until the program ends, like every window.
#include "dialogs/SplicingSettingsDialog.h"

class TForm34 : public TSplicingSettingsDialog {
  VW_CLASS(TForm34, TSplicingSettingsDialog)
 public:
  explicit TForm34(TComponent* AOwner);
  ~TForm34() override;

  TcxTextEdit* cxTESerialNo = nullptr;
  TcxTextEdit* cxTERaw = nullptr;  // row
  TcxTextEdit* cxTECol = nullptr;  // column

  void BitbtnGetSerialClick(TObject* Sender);
  void BitbtnShowAddrClick(TObject* Sender);
  void BtnAddrSynchroClick(TObject* Sender);
  void BitbtnSetAddrClick(TObject* Sender);
  void BitbtnLockAddrClick(TObject* Sender);
  void BitbtnUnlockAddrClick(TObject* Sender);

 protected:
  void Loaded() override;
  int ConsoleLanguage() const override;
  void ApplyEnglishCaptions() override;
  void ApplySettings() override;
};

extern TForm34* Form34;
