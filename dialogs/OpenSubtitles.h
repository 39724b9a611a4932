#pragma once
// The open-subtitles dialog: hides and shows the open subtitle windows.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm31 : public TForm {
  VW_CLASS(TForm31, TForm)
 public:
  explicit TForm31(TComponent* AOwner);
  ~TForm31() override;
};

extern TForm31* Form31;
