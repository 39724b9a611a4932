#include "dialogs/VirtualRemote.h"

#include "app/BootWindow.h"
#include "console/GridConsole.h"
#include "console/ScreenFrame.h"

TForm27* Form27 = nullptr;

namespace {

// The remote's key codes.
constexpr int kPowerOff = 0x0E;
constexpr int kAuto = 0x07;
constexpr int kSource = 0x09;
constexpr int kUp = 0x01;
constexpr int kMenu = 0x08;
constexpr int kLeft = 0x03;
constexpr int kOk = 0x05;
constexpr int kRight = 0x04;
constexpr int kDown = 0x02;
constexpr int kExit = 0x06;
constexpr int kPlay = 0x0A;
constexpr int kPause = 0x0B;
constexpr int kPrevious = 0x0C;
constexpr int kNext = 0x0D;

}  // namespace

TForm27::TForm27(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("btnPowerClick", &TForm27::btnPowerClick);
  RegisterHandler("btn3Click", &TForm27::btn3Click);
  RegisterHandler("btn7Click", &TForm27::btn7Click);
  RegisterHandler("btn4Click", &TForm27::btn4Click);
  RegisterHandler("btn9Click", &TForm27::btn9Click);
  RegisterHandler("btn11Click", &TForm27::btn11Click);
  RegisterHandler("btn12Click", &TForm27::btn12Click);
  RegisterHandler("btn13Click", &TForm27::btn13Click);
  RegisterHandler("btn14Click", &TForm27::btn14Click);
  RegisterHandler("btn17Click", &TForm27::btn17Click);
  RegisterHandler("btn19Click", &TForm27::btn19Click);
  RegisterHandler("btn20Click", &TForm27::btn20Click);
  RegisterHandler("btn21Click", &TForm27::btn21Click);
  RegisterHandler("btn22Click", &TForm27::btn22Click);
  RegisterHandler("btn23Click", &TForm27::btn23Click);
}

TForm27::~TForm27() {
  if (Form27 == this) Form27 = nullptr;
}

void TForm27::Loaded() {
  TForm::Loaded();
  FindComponent(rzpnl1, "rzpnl1");
  FindComponent(btnPower, "btnPower");
  FindComponent(btn3, "btn3");
}

void TForm27::SendKey(int Code) {
  if (Form18->ConsoleKind == ckGrid || Form18->ConsoleKind == ckHybrid)
    Form1->SendScreenCommand(scRemoteKey, Code);
  else
    Form1->SendScreenFrame(MakeScreenFrame(kWholeWall, scRemoteKey, Code));
}

void TForm27::btnPowerClick(TObject*) { SendKey(kPowerOff); }

void TForm27::btn3Click(TObject*) {
  Form1->SendScreenFrame(MakeScreenFrame(kBroadcast, scPower, 1));
}

void TForm27::btn7Click(TObject*) { SendKey(kAuto); }
void TForm27::btn4Click(TObject*) { SendKey(kSource); }
void TForm27::btn9Click(TObject*) { SendKey(kUp); }
void TForm27::btn11Click(TObject*) { SendKey(kMenu); }
void TForm27::btn12Click(TObject*) { SendKey(kLeft); }
void TForm27::btn13Click(TObject*) { SendKey(kOk); }
void TForm27::btn14Click(TObject*) { SendKey(kRight); }
void TForm27::btn17Click(TObject*) { SendKey(kDown); }
void TForm27::btn19Click(TObject*) { SendKey(kExit); }
void TForm27::btn20Click(TObject*) { SendKey(kPlay); }
void TForm27::btn21Click(TObject*) { SendKey(kPause); }
void TForm27::btn22Click(TObject*) { SendKey(kPrevious); }
void TForm27::btn23Click(TObject*) { SendKey(kNext); }

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm27>();
  return true;
}();

}  // namespace
