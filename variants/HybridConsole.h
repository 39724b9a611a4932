#pragma once
// The hybrid-matrix console: the console window of console kind 3.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm33 : public TForm {
  VW_CLASS(TForm33, TForm)
 public:
  explicit TForm33(TComponent* AOwner);
  ~TForm33() override;

 protected:
  // A console has a task-bar button of its own; the application window has none.
  void CreateParams(TCreateParams& Params) override;
};

extern TForm33* Form33;
