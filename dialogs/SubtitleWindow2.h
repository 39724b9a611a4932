#pragma once
// The second scrolling subtitle window, "subtitle2".
// Created once at start and kept until the program ends, like every window.
#include "dialogs/SubtitleWindow.h"

class TForm29 : public TSubtitleWindow {
  VW_CLASS(TForm29, TSubtitleWindow)
 public:
  explicit TForm29(TComponent* AOwner);
  ~TForm29() override;
};

extern TForm29* Form29;
