#include "console/CommSettings.h"

#include <type_traits>

#include "app/BootWindow.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "platform/classes/SysUtils.h"
#include "platform/system/Registry.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormShow", &TForm2::FormShow);
  RegisterHandler("rbSerialClick", &TForm2::rbSerialClick);
  RegisterHandler("rbRemoteClick", &TForm2::rbRemoteClick);
  RegisterHandler("btnRefreshClick", &TForm2::btnRefreshClick);
  RegisterHandler("Button1Click", &TForm2::Button1Click);
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
  find(Label1, "Label1");
  find(ComboBox1, "ComboBox1");
  find(btnRefresh, "btnRefresh");
  find(GroupBox2, "GroupBox2");
  find(Label3, "Label3");
  find(ComboBox2, "ComboBox2");
  find(CheckBox2, "CheckBox2");
  find(GroupBox3, "GroupBox3");
  find(Label4, "Label4");
  find(ComboBox3, "ComboBox3");
  find(CheckBox3, "CheckBox3");
  find(cxgbRemote, "cxgbRemote");
  find(LabelIP, "LabelIP");
  find(EditIP, "EditIP");
  find(LabelPort, "LabelPort");
  find(EditPort, "EditPort");
  find(CheckBox1, "CheckBox1");
  find(Button1, "Button1");
  find(Button2, "Button2");
}

TLinkSettings TForm2::LinkSettings() const {
  TLinkSettings s;
  s.Serial = rbSerial->Checked();
  s.ScreenPort = ComboBox1->Text();
  s.VideoPort = ComboBox2->Text();
  s.RgbPort = ComboBox3->Text();
  s.VideoOwnPort = CheckBox2->Checked();
  s.RgbOwnPort = CheckBox3->Checked();
  s.Address = EditIP->Text();
  s.Port = EditPort->Text();
  return s;
}

int PortNumberOf(const String& PortName) { return StrToInt(Copy(PortName, 4, Length(PortName))); }

void TForm2::LoadSettings(TCustomIniFile& Ini) {
  auto port = [&](TcxComboBox* list, const cfg::TIntegerKey& key) {
    int n = ReadConfig(Ini, key);
    if (n - 1 < list->Properties()->Items()->Count()) {
      list->SetItemIndex(n - 1);
    } else {
      // A port beyond the list (or one a refresh dropped) is kept as its name, so that the next
      // connect and the next OK still use it.
      list->SetItemIndex(-1);
      list->SetText("COM" + IntToStr(n));
    }
  };
  port(ComboBox1, cfg::setting::ComPort);
  port(ComboBox2, cfg::setting::ComPortA);
  port(ComboBox3, cfg::setting::ComPortB);
  CheckBox1->SetChecked(ReadConfig(Ini, cfg::setting::AutoOpenPort));
  CheckBox2->SetChecked(ReadConfig(Ini, cfg::setting::AutoOpenPortA));
  CheckBox3->SetChecked(ReadConfig(Ini, cfg::setting::AutoOpenPortB));
  if (ReadConfig(Ini, cfg::setting::SerialCtrl))
    rbSerial->SetCheckedValue(true);
  else
    rbRemote->SetCheckedValue(true);
  EditIP->SetText(ReadConfig(Ini, cfg::setting::IPAddress));
  EditPort->SetText(ReadConfig(Ini, cfg::setting::Port));
}

void TForm2::FormShow(TObject*) {
  if (Form1->Language == 1) {
    SetCaption("Comm Config");
    cxgbConnectMethod->SetCaption("Connect Method");
    rbSerial->SetCaption("Serial Port");
    rbRemote->SetCaption("Wireless");
    cxgbSerialPort->SetCaption("Serial Port Setting");
    GroupBox1->SetCaption("LCD Control ports");
    Label1->SetCaption("Com Num.");
    GroupBox2->SetCaption("Video Control ports");
    Label3->SetCaption("Com Num.");
    CheckBox2->SetCaption("Select With Max");
    GroupBox3->SetCaption("VGA Control ports");
    Label4->SetCaption("Com Num.");
    CheckBox3->SetCaption("Select With Max");
    btnRefresh->SetCaption("Refresh");
    cxgbRemote->SetCaption("Wireless Setting");
    LabelIP->SetCaption("IP Address");
    LabelPort->SetCaption("Port");
    CheckBox1->SetCaption("Auto Open");
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
  for (TControl* c : std::initializer_list<TControl*>{ComboBox1, ComboBox2, ComboBox3, CheckBox2, CheckBox3, btnRefresh})
    c->SetEnabled(Serial);
}

void TForm2::rbSerialClick(TObject*) { EnableForLink(true); }

void TForm2::rbRemoteClick(TObject*) { EnableForLink(false); }

void TForm2::btnRefreshClick(TObject*) {
  win::HKEY key = nullptr;
  if (win::RegOpenKeyEx(win::HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, win::KEY_READ, &key) !=
      win::ERROR_SUCCESS)
    return;
  TcxComboBox* lists[] = {ComboBox1, ComboBox2, ComboBox3};
  for (TcxComboBox* list : lists) list->Properties()->Items()->Clear();
  for (win::DWORD index = 0;; ++index) {
    char name[256];
    win::BYTE data[256];
    // Both sizes are in-out: each value needs the full buffers again, or a short first name
    // would cut the next one off.
    win::DWORD nameSize = sizeof name;
    win::DWORD dataSize = sizeof data;
    win::DWORD type = 0;
    if (win::RegEnumValue(key, index, name, &nameSize, nullptr, &type, data, &dataSize) != win::ERROR_SUCCESS) break;
    String port(reinterpret_cast<const char*>(data), dataSize);
    while (!port.empty() && port.back() == '\0') port.pop_back();
    for (TcxComboBox* list : lists) list->Properties()->Items()->Add(port);
  }
  win::RegCloseKey(key);
  for (TcxComboBox* list : lists) list->SetItemIndex(0);
}

void TForm2::Button1Click(TObject*) {
  auto ini = OpenConfigFile();
  const TLinkSettings s = LinkSettings();
  // Key by key in this order: a port name that is no number stops here, the keys before it kept.
  WriteConfig(*ini, cfg::setting::ComPort, PortNumberOf(s.ScreenPort));
  WriteConfig(*ini, cfg::setting::AutoOpenPort, CheckBox1->Checked());
  WriteConfig(*ini, cfg::setting::AutoOpenPortA, s.VideoOwnPort);
  WriteConfig(*ini, cfg::setting::AutoOpenPortB, s.RgbOwnPort);
  WriteConfig(*ini, cfg::setting::ComPortA, PortNumberOf(s.VideoPort));
  WriteConfig(*ini, cfg::setting::ComPortB, PortNumberOf(s.RgbPort));
  WriteConfig(*ini, cfg::setting::SerialCtrl, s.Serial);
  WriteConfig(*ini, cfg::setting::IPAddress, s.Address);
  WriteConfig(*ini, cfg::setting::Port, s.Port);
  // The new names take effect at the next connect.
  Form1->NamePorts();
  Close();
}

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
