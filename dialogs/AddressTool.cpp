#include "dialogs/AddressTool.h"

#include "console/ScreenFrame.h"
#include "platform/classes/SysUtils.h"
#include "platform/system/Clock.h"
#include "variants/HybridConsole.h"

TForm36* Form36 = nullptr;

namespace {

// The address frames and the lock go through the hybrid console's senders whichever console
// opened the tool: a lock before any selection reaches the first screen.
void SendAddressFrame(const TScreenFrame& Frame) {
  const TFrameBytes b = Frame.Bytes();
  Form33->SendScreenFrameHybrid(b[0], b[1], b[2], b[3], b[4], b[5]);
}

}  // namespace

TForm36::TForm36(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("BitbtnClick", &TForm36::BitbtnClick);
  RegisterHandler("Bitbtn161Click", &TForm36::Bitbtn161Click);
  RegisterHandler("Bitbtn162Click", &TForm36::Bitbtn162Click);
  RegisterHandler("Bitbtn163Click", &TForm36::Bitbtn163Click);
  RegisterHandler("Bitbtn164Click", &TForm36::Bitbtn164Click);
}

TForm36::~TForm36() {
  if (Form36 == this) Form36 = nullptr;
}

void TForm36::Loaded() {
  TForm::Loaded();
  FindComponent(Bitbtn, "Bitbtn");
  FindComponent(cxlbl1, "cxlbl1");
  FindComponent(cxTextEdit2, "cxTextEdit2");
  FindComponent(cxlbl2, "cxlbl2");
  FindComponent(cxTextEdit3, "cxTextEdit3");
  FindComponent(cxlbl3, "cxlbl3");
  FindComponent(cxTextEdit4, "cxTextEdit4");
  FindComponent(Bitbtn162, "Bitbtn162");
  FindComponent(Bitbtn161, "Bitbtn161");
  FindComponent(Bitbtn163, "Bitbtn163");
  FindComponent(Bitbtn164, "Bitbtn164");
}

void TForm36::BitbtnClick(TObject*) { SendAddressFrame(MakeReadSerialFrame()); }

void TForm36::Bitbtn161Click(TObject*) { SendAddressFrame(MakeShowAddressFrame()); }

// Each edit is read just before its frame: a bad entry stops there, and what went out stays sent.
void TForm36::Bitbtn162Click(TObject*) {
  SendAddressFrame(MakeSetSerialFrame(StrToInt(cxTextEdit2->Text())));
  win::Sleep(100);
  SendAddressFrame(MakeSetRowFrame(StrToInt(cxTextEdit3->Text())));
  win::Sleep(100);
  SendAddressFrame(MakeSetColumnFrame(StrToInt(cxTextEdit4->Text())));
}

void TForm36::Bitbtn163Click(TObject*) { Form33->SendScreenCommandHybrid(scAddressLock, 1); }

void TForm36::Bitbtn164Click(TObject*) { Form33->SendScreenCommandHybrid(scAddressLock, 0); }

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm36>();
  return true;
}();

}  // namespace
