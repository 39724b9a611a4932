#pragma once
// The hybrid-matrix console: the console window of console kind 3.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"
#include "ui/choice/Button.h"
#include "ui/choice/GroupBox.h"
#include "ui/pages/PageControl.h"
#include "ui/pages/StatusBar.h"

class TForm33 : public TForm {
  VW_CLASS(TForm33, TForm)
 public:
  explicit TForm33(TComponent* AOwner);
  ~TForm33() override;

  TcxGroupBox* cxgrpbxTop = nullptr;
  TcxPageControl* cxpgcntrlTop = nullptr;
  TcxTabSheet* cxtbshtOther = nullptr;
  TcxButton* btnPlayMode = nullptr;
  TcxGroupBox* GBox1GBox = nullptr;
  TcxButton* Bitbtn9 = nullptr;  // virtual remote
  TcxGroupBox* Label3 = nullptr;  // its caption is the wall's name
  TcxPageControl* PageControl1 = nullptr;  // the service pages
  TcxTabSheet* TabSheet3 = nullptr;  // temperature
  TcxTabSheet* TabSheet4 = nullptr;  // test
  TMemo* Memo1 = nullptr;  // the frame log, shown in engineering mode
  TdxStatusBar* StatusBar1 = nullptr;

  // cfg.ini [config] language: 1 English, other values Chinese. The login window reads it too.
  int LanguageHybrid = 0;
  // cfg.ini [config] password, which the login window accepts.
  String AdminPasswordHybrid;

  // The wall selection: first and last column and row, from 1; 0 until first set.
  int SelectionLeft = 0;
  int SelectionTop = 0;
  int SelectionRight = 0;
  int SelectionBottom = 0;

  void FormCreate(TObject* Sender);

  // Sets the controls of the three consoles and of the picture dialog that follow the link, the
  // user level and the service mode, from the boot window's flags.
  void UpdateControlStatesHybrid();

 protected:
  // A console has a task-bar button of its own; the application window has none.
  void CreateParams(TCreateParams& Params) override;
  void Loaded() override;
};

extern TForm33* Form33;
