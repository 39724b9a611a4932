#pragma once
// The grid console's splicing settings, and the store of its wall size, name and logo while the
// program runs: the console's loading fills them, and every routine reads the wall from here.
// Its OK also tells a linked HDMI matrix the wall's size.
// Created once at start and kept until the program ends, like every window.
#include "dialogs/SplicingSettingsDialog.h"

class TForm15 : public TSplicingSettingsDialog {
  VW_CLASS(TForm15, TSplicingSettingsDialog)
 public:
  explicit TForm15(TComponent* AOwner);
  ~TForm15() override;

 protected:
  int ConsoleLanguage() const override;
  void ApplyEnglishCaptions() override;
  void ApplySettings() override;

 private:
  // The wall's size to the HDMI matrix, when the console drives one linked to the wall.
  void SendWallSizeToMatrix();
};

extern TForm15* Form15;
