#pragma once
// The grid console: the console window of console kind 1.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"

class TForm1 : public TForm {
  VW_CLASS(TForm1, TForm)
 public:
  explicit TForm1(TComponent* AOwner);
  ~TForm1() override;

 protected:
  // A console has a task-bar button of its own; the application window has none.
  void CreateParams(TCreateParams& Params) override;
};

extern TForm1* Form1;
