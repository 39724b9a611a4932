#pragma once
// The splicing console: the console window of console kind 2.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm23 : public TForm {
  VW_CLASS(TForm23, TForm)
 public:
  explicit TForm23(TComponent* AOwner);
  ~TForm23() override;

 protected:
  // A console has a task-bar button of its own; the application window has none.
  void CreateParams(TCreateParams& Params) override;
};

extern TForm23* Form23;
