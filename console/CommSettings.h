#pragma once
// The communication settings window: serial ports or the TCP link, the three port names, whether
// the matrices have ports of their own, the bridge's address, and whether the links open at start.
// Created once at start and kept until the program ends, like every window. Its controls are the
// live link settings: every sender reads them at the moment it sends.
#include "platform/classes/Forms.h"
#include "ui/choice/Button.h"
#include "ui/choice/GroupBox.h"
#include "ui/choice/RadioButton.h"
#include "ui/editors/TextEdit.h"

class TForm2 : public TForm {
  VW_CLASS(TForm2, TForm)
 public:
  explicit TForm2(TComponent* AOwner);
  ~TForm2() override;

  TcxGroupBox* cxgbConnectMethod = nullptr;
  TcxRadioButton* rbSerial = nullptr;
  TcxRadioButton* rbRemote = nullptr;
  TcxGroupBox* cxgbSerialPort = nullptr;
  TcxGroupBox* GroupBox1 = nullptr;  // the screens' port
  TcxGroupBox* GroupBox2 = nullptr;  // the video matrix's port
  TcxGroupBox* GroupBox3 = nullptr;  // the RGB matrix's port
  TcxButton* btnRefresh = nullptr;
  TcxGroupBox* cxgbRemote = nullptr;
  TcxTextEdit* EditIP = nullptr;
  TcxTextEdit* EditPort = nullptr;
  TcxButton* Button1 = nullptr;  // OK
  TcxButton* Button2 = nullptr;  // Cancel

  void FormShow(TObject* Sender);
  void rbSerialClick(TObject* Sender);
  void rbRemoteClick(TObject* Sender);
  void Button2Click(TObject* Sender);

  bool SerialChosen() const { return rbSerial->Checked(); }

 protected:
  void Loaded() override;

 private:
  // The port controls serve the serial links, the address controls the TCP link.
  void EnableForLink(bool Serial);
};

extern TForm2* Form2;
