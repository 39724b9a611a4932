#pragma once
// The login window: the administrator password or a service code raises the user level.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm7 : public TForm {
  VW_CLASS(TForm7, TForm)
 public:
  explicit TForm7(TComponent* AOwner);
  ~TForm7() override;
};

extern TForm7* Form7;
