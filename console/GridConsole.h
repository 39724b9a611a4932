#pragma once
// The grid console: the console window of console kind 1.
// Created once at start and kept until the program ends, like every window. It owns the program's
// device links: every console and dialog sends on its ports and TCP client.
#include <array>
#include <cstdint>

#include "console/DeviceLinks.h"
#include "console/serial/Comm.h"
#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "platform/classes/Menus.h"
#include "platform/classes/StdCtrls.h"
#include "platform/classes/TcpClient.h"
#include "ui/choice/Button.h"
#include "ui/choice/CheckBox.h"
#include "ui/choice/Label.h"
#include "ui/editors/ComboBox.h"
#include "ui/pages/PageControl.h"
#include "ui/pages/StatusBar.h"

class TForm1 : public TForm {
  VW_CLASS(TForm1, TForm)
 public:
  explicit TForm1(TComponent* AOwner);
  ~TForm1() override;

  // Links.
  TComm* Comm1 = nullptr;  // the screens
  TComm* Comm2 = nullptr;  // port A: the video matrix
  TComm* Comm3 = nullptr;  // port B: the RGB matrix
  TTcpClient* socketClient = nullptr;

  // The controls that follow the links and the user level.
  TcxButton* BitBtn1 = nullptr;   // connect
  TcxButton* BitBtn2 = nullptr;   // disconnect
  TcxButton* BitBtn5 = nullptr;   // power on
  TcxButton* BitBtn6 = nullptr;   // standby
  TcxButton* BitBtn9 = nullptr;   // signal browsing
  TcxButton* BitBtn15 = nullptr;  // scene browsing
  TcxButton* BitBtn18 = nullptr;  // matrix configuration
  TcxButton* btnPlayMode = nullptr;
  TcxButton* Bitbtn = nullptr;    // virtual remote
  // The matrix linkage the routing frame depends on.
  TcxLabel* Label7 = nullptr;        // the make of the current signal type's matrix
  TcxComboBox* ComboBox1 = nullptr;  // the current signal type (hidden)
  TcxComboBox* ComboBox8 = nullptr;  // the matrix input
  TcxCheckBox* CheckBox3 = nullptr;  // matrix linkage
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* N7 = nullptr;        // image adjustment
  TMenuItem* N15 = nullptr;       // special regulation
  TcxPageControl* PageControl1 = nullptr;  // the service pages
  TcxTabSheet* TabSheet3 = nullptr;
  TcxTabSheet* TabSheet4 = nullptr;
  TMemo* Memo1 = nullptr;         // the frame log
  TdxStatusBar* StatusBar1 = nullptr;

  // The wall selection: first and last column and row, from 1; 0 until first set.
  int SelectionLeft = 0;
  int SelectionTop = 0;
  int SelectionRight = 0;
  int SelectionBottom = 0;

  // cfg.ini [config] language: 1 English, other values Chinese.
  int Language = 0;


  void BitBtn1Click(TObject* Sender);
  void BitBtn2Click(TObject* Sender);

  void OpenDeviceLink(bool Open);
  void OpenNetworkLink(bool Open);
  void UpdateControlStates();
  void SendScreenFrame(int b1, int b2, int b3, int b4, int b5, int b6);
  void SendScreenCommand(int Command, int Value);
  void WriteVideoMatrix(const std::uint8_t* Data, std::uint16_t Length);
  void WriteRgbMatrix(const std::uint8_t* Data, std::uint16_t Length);

  // The links as every console's routines take them.
  TDeviceLinks Links() const { return {Comm1, Comm2, Comm3, socketClient}; }
  // Names the three ports after the communication settings' port names.
  void NamePorts();

 protected:
  // A console has a task-bar button of its own; the application window has none.
  void CreateParams(TCreateParams& Params) override;
  void Loaded() override;

 private:
  // How this console's link operations report and refresh.
  TLinkConsole LinkConsole();
};

extern TForm1* Form1;

// The status bar's link state panel, where every console writes how its links stand.
void SetLinkStatus(TdxStatusBar* StatusBar, const String& Text);
