#pragma once
// The third scrolling subtitle window, "subtitle3".
// Created once at start and kept until the program ends, like every window.
#include "dialogs/SubtitleWindow.h"

class TForm30 : public TSubtitleWindow {
  VW_CLASS(TForm30, TSubtitleWindow)
 public:
  explicit TForm30(TComponent* AOwner);
  ~TForm30() override;
};

extern TForm30* Form30;
