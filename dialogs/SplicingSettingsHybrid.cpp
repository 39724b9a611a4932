#include "dialogs/SplicingSettingsHybrid.h"

#include "console/GridConsole.h"
#include "console/ScreenFrame.h"
#include "console/WallGrid.h"
#include "platform/classes/SysUtils.h"
#include "platform/system/Clock.h"
#include "variants/HybridConsole.h"

TForm34* Form34 = nullptr;

namespace {

// The pause between the frames that name a screen and give it its row and column.
constexpr win::DWORD kSetAddressPauseMs = 100;

}  // namespace

TForm34::TForm34(TComponent* AOwner) : TSplicingSettingsDialog(AOwner) {
  RegisterHandler("BitbtnGetSerialClick", &TForm34::BitbtnGetSerialClick);
  RegisterHandler("BitbtnShowAddrClick", &TForm34::BitbtnShowAddrClick);
  RegisterHandler("BtnAddrSynchroClick", &TForm34::BtnAddrSynchroClick);
  RegisterHandler("BitbtnSetAddrClick", &TForm34::BitbtnSetAddrClick);
  RegisterHandler("BitbtnLockAddrClick", &TForm34::BitbtnLockAddrClick);
  RegisterHandler("BitbtnUnlockAddrClick", &TForm34::BitbtnUnlockAddrClick);
}

TForm34::~TForm34() {
  if (Form34 == this) Form34 = nullptr;
}

void TForm34::Loaded() {
  TSplicingSettingsDialog::Loaded();
  FindComponent(cxTESerialNo, "cxTESerialNo");
  FindComponent(cxTERaw, "cxTERaw");
  FindComponent(cxTECol, "cxTECol");
}

int TForm34::ConsoleLanguage() const { return Form33->LanguageHybrid; }

void TForm34::ApplyEnglishCaptions() {
  TSplicingSettingsDialog::ApplyEnglishCaptions();
  SetCaptionsByName({{"GBoxUser", "User Setting"},
                     {"GBoxAddrSet", "Address Setting"},
                     {"BitbtnGetSerial", "Get SerialNo"},
                     {"BitbtnShowAddr", "Show Address"},
                     {"lbl1", "Input SerialNo:"},
                     {"lbl2", "Input Addr:"},
                     {"lbl3", "Row:"},
                     {"lbl4", "Col:"},
                     {"BitbtnSetAddr", "Set Addr"},
                     {"BitbtnLockAddr", "Lock Addr"},
                     {"BitbtnUnlockAddr", "Unlock Addr"}});
}

// The cell model is not reloaded: cells new to the wall show empty model texts until the next start.
void TForm34::ApplySettings() {
  StoreSize();
  StoreName();
  CopyLogo();
  ShowOnConsole(Form33->Image1, Form33->Label3);
  LayOutWallGrid(Form33->stringgrid1, Rows(), Columns());
  Form1->stringgrid1->SetRowCount(Rows() + 1);
  Form1->stringgrid1->SetColCount(Columns() + 1);
  Form1->SizeWallGrid();
  Close();
}

void TForm34::BitbtnGetSerialClick(TObject*) { Form1->SendScreenFrame(MakeAddressFrame(afReadSerial, 0, 0)); }

void TForm34::BitbtnShowAddrClick(TObject*) { Form1->SendScreenFrame(MakeAddressFrame(afShowAddress, 1, 1)); }

void TForm34::BtnAddrSynchroClick(TObject*) { Form1->SendScreenFrame(MakeAddressFrame(afSyncAddress, 1, 1)); }

// Each edit is read when its frame is due: a bad row or column stops the sequence there, with the
// frames before it already sent.
void TForm34::BitbtnSetAddrClick(TObject*) {
  const int serial = StrToInt(cxTESerialNo->Text());
  Form1->SendScreenFrame(MakeAddressFrame(afSetSerial, serial / 256, serial % 256));
  win::Sleep(kSetAddressPauseMs);
  Form1->SendScreenFrame(MakeAddressFrame(afSetRow, StrToInt(cxTERaw->Text()), 1));
  win::Sleep(kSetAddressPauseMs);
  Form1->SendScreenFrame(MakeAddressFrame(afSetColumn, StrToInt(cxTECol->Text()), 1));
}

void TForm34::BitbtnLockAddrClick(TObject*) { Form1->SendScreenCommand(scAddressLock, 1); }

void TForm34::BitbtnUnlockAddrClick(TObject*) { Form1->SendScreenCommand(scAddressLock, 0); }

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm34>();
  return true;
}();

}  // namespace
