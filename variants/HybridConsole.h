#pragma once
// The hybrid-matrix console: the console window of console kind 3.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"
#include "ui/pages/StatusBar.h"

class TForm33 : public TForm {
  VW_CLASS(TForm33, TForm)
 public:
  explicit TForm33(TComponent* AOwner);
  ~TForm33() override;

  TMemo* Memo1 = nullptr;  // the frame log, shown in engineering mode
  TdxStatusBar* StatusBar1 = nullptr;

  // The wall selection: first and last column and row, from 1; 0 until first set.
  int SelectionLeft = 0;
  int SelectionTop = 0;
  int SelectionRight = 0;
  int SelectionBottom = 0;

 protected:
  // A console has a task-bar button of its own; the application window has none.
  void CreateParams(TCreateParams& Params) override;
  void Loaded() override;
};

extern TForm33* Form33;
