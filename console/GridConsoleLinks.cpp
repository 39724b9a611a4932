// The grid console's device links: connecting, the control states that follow the links and the
// user level, and the senders every console and dialog of the grid console uses.
#include "app/BootWindow.h"
#include "console/CommSettings.h"
#include "console/GridConsole.h"
#include "console/ScreenFrame.h"
#include "dialogs/PictureParameters.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

TLinkConsole TForm1::LinkConsole() {
  TLinkConsole console;
  console.SetStatus = [this](const String& Text) { SetLinkStatus(StatusBar1, Text); };
  console.English = Language == 1;
  console.Texts = kGridLinkTexts;
  console.LinkOpen = &Form18->LinkOpen;
  console.Refresh = [this] { UpdateControlStates(); };
  return console;
}

void TForm1::NamePorts() {
  TLinkSettings settings = Form2->LinkSettings();
  Comm1->SetCommName("//./" + settings.ScreenPort);
  Comm2->SetCommName("//./" + settings.VideoPort);
  Comm3->SetCommName("//./" + settings.RgbPort);
}

void TForm1::BitBtn1Click(TObject*) {
  if (Form2->SerialChosen()) {
    NamePorts();
    OpenDeviceLink(true);
  } else {
    OpenNetworkLink(true);
  }
}

void TForm1::BitBtn2Click(TObject*) {
  if (Form2->SerialChosen()) {
    NamePorts();
    OpenDeviceLink(false);
  } else {
    OpenNetworkLink(false);
  }
}

void TForm1::OpenDeviceLink(bool Open) { ::OpenDeviceLink(Links(), Form2->LinkSettings(), LinkConsole(), Open); }

void TForm1::OpenNetworkLink(bool Open) { ::OpenNetworkLink(Links(), Form2->LinkSettings(), LinkConsole(), Open); }

void TForm1::UpdateControlStates() {
  const bool admin = Form18->AdminLoggedIn != 0;
  const bool linkOpen = Form18->LinkOpen != 0;
  const bool debug = Form18->DebugMode != 0;
  N7->SetEnabled(admin);
  BitBtn18->SetEnabled(admin);
  BitBtn5->SetEnabled(linkOpen);
  BitBtn6->SetEnabled(linkOpen);
  Form4->BitBtn8->SetEnabled(linkOpen);
  BitBtn9->SetEnabled(linkOpen);
  BitBtn1->SetEnabled(!linkOpen);
  BitBtn2->SetEnabled(linkOpen);
  BitBtn15->SetEnabled(linkOpen);
  TabSheet3->SetTabVisible(debug);
  TabSheet4->SetTabVisible(debug);
  PageControl1->SetVisible(debug);
}

void TForm1::ApplySharedControlStates(bool Admin, bool LinkOpen, bool Debug) {
  N15->SetEnabled(Admin);
  N7->SetEnabled(Admin);
  BitBtn5->SetEnabled(LinkOpen);
  BitBtn6->SetEnabled(LinkOpen);
  BitBtn1->SetEnabled(!LinkOpen);
  BitBtn2->SetEnabled(LinkOpen);
  TabSheet3->SetTabVisible(Debug);
  TabSheet4->SetTabVisible(Debug);
  PageControl1->SetVisible(Debug);
  BitBtn18->SetEnabled(Admin);
}

void TForm1::SendScreenFrame(int b1, int b2, int b3, int b4, int b5, int b6) {
  SendFrameOnScreenLink(Links(), Form2->LinkSettings(), {b1, b2, b3, b4, b5, b6}, Form18->DebugMode != 0,
                        {Memo1->Lines(), Form23->Memo1->Lines(), Form33->Memo1->Lines()});
}

std::pair<int, int> ActiveSelectionAddresses() {
  if (Form18->ConsoleKind == ckGrid) return SelectionAddresses(Form1);
  if (Form18->ConsoleKind == ckSplicing) return SelectionAddresses(Form23);
  return SelectionAddresses(Form33);
}

void TForm1::SendScreenCommand(int Command, int Value) {
  // The grid console sends the pair as computed: no selection addresses 00 00.
  const auto [start, end] = ActiveSelectionAddresses();
  if (Label7->Caption() == "FST" && ComboBox1->Text() == "HDMI" && CheckBox3->Checked()) {
    // The FST matrix's HDMI outputs route through the screens: whatever was asked, the screens
    // get the routing of the chosen input instead.
    SendScreenFrame(kRoutingMark, start, end, 0x01, ComboBox8->ItemIndex() + 1, kRoutingMark);
    return;
  }
  SendScreenFrame(TScreenFrame::kHeader, start, end, Command, Value, TScreenFrame::kTrailer);
}

void TForm1::WriteVideoMatrix(const std::uint8_t* Data, std::uint16_t Length) {
  ::WriteVideoMatrix(Links(), Form2->LinkSettings(), Data, Length);
}

void TForm1::WriteRgbMatrix(const std::uint8_t* Data, std::uint16_t Length) {
  ::WriteRgbMatrix(Links(), Form2->LinkSettings(), Data, Length);
}
