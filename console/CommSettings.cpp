#include "console/CommSettings.h"

#include <type_traits>

#include "app/BootWindow.h"
#include "console/GridConsole.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormShow", &TForm2::FormShow);
  RegisterHandler("rbSerialClick", &TForm2::rbSerialClick);
  RegisterHandler("rbRemoteClick", &TForm2::rbRemoteClick);
  RegisterHandler("Button2Click", &TForm2::Button2Click);
}

TForm2::~TForm2() {
  if (Form2 == this) Form2 = nullptr;
}

void TForm2::Loaded() {
  TForm::Loaded();
  auto find = [this](auto*& field, const char* name) {
    field = dynamic_cast<std::remove_reference_t<decltype(field)>>(FindComponent(name));
  };
  find(cxgbConnectMethod, "cxgbConnectMethod");
  find(rbSerial, "rbSerial");
  find(rbRemote, "rbRemote");
  find(cxgbSerialPort, "cxgbSerialPort");
  find(GroupBox1, "GroupBox1");
  find(GroupBox2, "GroupBox2");
  find(GroupBox3, "GroupBox3");
  find(btnRefresh, "btnRefresh");
  find(cxgbRemote, "cxgbRemote");
  find(EditIP, "EditIP");
  find(EditPort, "EditPort");
  find(Button1, "Button1");
  find(Button2, "Button2");
}

void TForm2::FormShow(TObject*) {
  if (Form1->Language == 1) {
    SetCaption("Comm Config");
    cxgbConnectMethod->SetCaption("Connect Method");
    rbSerial->SetCaption("Serial Port");
    rbRemote->SetCaption("Wireless");
    cxgbSerialPort->SetCaption("Serial Port Setting");
    GroupBox1->SetCaption("LCD Control ports");
    GroupBox2->SetCaption("Video Control ports");
    GroupBox3->SetCaption("VGA Control ports");
    btnRefresh->SetCaption("Refresh");
    cxgbRemote->SetCaption("Wireless Setting");
    Button1->SetCaption("OK");
    Button2->SetCaption("Cancel");
  }
  EnableForLink(rbSerial->Checked());
  if (Form18->ConsoleKind == ckSplicing) {
    // The splicing console drives no matrix.
    GroupBox2->Hide();
    GroupBox3->Hide();
  }
}

void TForm2::EnableForLink(bool Serial) {
  EditIP->SetEnabled(!Serial);
  EditPort->SetEnabled(!Serial);
  btnRefresh->SetEnabled(Serial);
}

void TForm2::rbSerialClick(TObject*) { EnableForLink(true); }

void TForm2::rbRemoteClick(TObject*) { EnableForLink(false); }

void TForm2::Button2Click(TObject*) {
  // Only closes: what the operator changed stays live for the senders.
  Close();
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm2>();
  return true;
}();

}  // namespace
