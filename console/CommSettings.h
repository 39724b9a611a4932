#pragma once
// The communication settings window: serial ports or the TCP link, the three port names, whether
// the matrices have ports of their own, the bridge's address, and whether the links open at start.
// Created once at start and kept until the program ends, like every window. Its controls are the
// live link settings: every sender reads them at the moment it sends.
#include "console/DeviceLinks.h"
#include "platform/classes/Forms.h"
#include "platform/classes/IniFiles.h"
#include "ui/choice/Button.h"
#include "ui/choice/CheckBox.h"
#include "ui/choice/GroupBox.h"
#include "ui/choice/Label.h"
#include "ui/choice/RadioButton.h"
#include "ui/editors/ComboBox.h"
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
  TcxLabel* Label1 = nullptr;
  TcxComboBox* ComboBox1 = nullptr;  // p
  TcxButton* btnRefresh = nullptr;
  TcxGroupBox* GroupBox2 = nullptr;  // the video matrix's port
  TcxLabel* Label3 = nullptr;
  TcxComboBox* ComboBox2 = nullptr;  // pA
  TcxCheckBox* CheckBox2 = nullptr;  // the video matrix is on port A
  TcxGroupBox* GroupBox3 = nullptr;  // the RGB matrix's port
  TcxLabel* Label4 = nullptr;
  TcxComboBox* ComboBox3 = nullptr;  // pB
  TcxCheckBox* CheckBox3 = nullptr;  // the RGB matrix is on port B
  TcxGroupBox* cxgbRemote = nullptr;
  TcxLabel* LabelIP = nullptr;
  TcxTextEdit* EditIP = nullptr;
  TcxLabel* LabelPort = nullptr;
  TcxTextEdit* EditPort = nullptr;
  TcxCheckBox* CheckBox1 = nullptr;  // open the links at start
  TcxButton* Button1 = nullptr;      // OK
  TcxButton* Button2 = nullptr;      // Cancel

  void FormShow(TObject* Sender);
  void rbSerialClick(TObject* Sender);
  void rbRemoteClick(TObject* Sender);
  void btnRefreshClick(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);

  bool SerialChosen() const { return rbSerial->Checked(); }
  // The settings as the controls hold them now.
  TLinkSettings LinkSettings() const;
  // Fills the controls from "cfg.ini" [setting]: the step every console's loading shares.
  void LoadSettings(TCustomIniFile& Ini);

 protected:
  void Loaded() override;

 private:
  // The port controls serve the serial links, the address controls the TCP link.
  void EnableForLink(bool Serial);
};

extern TForm2* Form2;

// The number in a port name: its characters after the first three ("COM12" gives 12). A name
// whose rest is no decimal number raises the conversion error.
int PortNumberOf(const String& PortName);
