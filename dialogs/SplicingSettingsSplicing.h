#pragma once
// The splicing console's splicing settings, and the store of its wall size.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm24 : public TForm {
  VW_CLASS(TForm24, TForm)
 public:
  explicit TForm24(TComponent* AOwner);
  ~TForm24() override;
};

extern TForm24* Form24;
