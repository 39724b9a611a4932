#include "dialogs/IrregularShape.h"

#include "console/GridConsole.h"
#include "console/ScreenFrame.h"
#include "platform/classes/SysUtils.h"
#include "platform/system/Clock.h"

TForm16* Form16 = nullptr;

TForm16::TForm16(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormShow", &TForm16::FormShow);
  RegisterHandler("CheckBox1Click", &TForm16::CheckBox1Click);
  RegisterHandler("Button5Click", &TForm16::Button5Click);
  RegisterHandler("Button1Click", &TForm16::Button1Click);
  RegisterHandler("Button2Click", &TForm16::Button2Click);
  RegisterHandler("Button3Click", &TForm16::Button3Click);
}

TForm16::~TForm16() {
  if (Form16 == this) Form16 = nullptr;
}

void TForm16::Loaded() {
  TForm::Loaded();
  FindComponent(CheckBox1, "CheckBox1");
  FindComponent(GroupBox2, "GroupBox2");
  FindComponent(Label20, "Label20");
  FindComponent(LabelEn, "LabelEn");
  FindComponent(Label21, "Label21");
  FindComponent(Edit2, "Edit2");
  FindComponent(Button5, "Button5");
  FindComponent(Label22, "Label22");
  FindComponent(Edit3, "Edit3");
  FindComponent(Button1, "Button1");
  FindComponent(Label24, "Label24");
  FindComponent(Edit4, "Edit4");
  FindComponent(Button2, "Button2");
  FindComponent(Label23, "Label23");
  FindComponent(Edit5, "Edit5");
  FindComponent(Button3, "Button3");
}

void TForm16::FormShow(TObject*) {
  if (Form1->Language != 1) return;
  SetCaption("Special Regulation");
  GroupBox2->SetCaption("Special Regulation");
  CheckBox1->SetCaption("ENABLE");
  Label20->SetVisible(false);
  LabelEn->SetVisible(true);
  Label21->SetCaption("Horizontal Start");
  Label22->SetCaption("Horizontal Size");
  Label24->SetCaption("Vertical Start");
  Label23->SetCaption("Vertical Size");
  for (TButton* button : {Button5, Button1, Button2, Button3}) button->SetCaption("Apply");
}

void TForm16::CheckBox1Click(TObject*) { Form1->SendScreenCommand(scShapeEnable, CheckBox1->Checked() ? 1 : 0); }

// The numbers are not range-checked: each byte is the low 8 bits of its part.
void TForm16::SendPair(TEdit* Edit, int HighCommand, int LowCommand) {
  Form1->SendScreenCommand(HighCommand, (StrToInt(Edit->Text()) / 256) & 0xFF);
  win::Sleep(100);
  Form1->SendScreenCommand(LowCommand, (StrToInt(Edit->Text()) % 256) & 0xFF);
}

void TForm16::Button5Click(TObject*) { SendPair(Edit2, scShapeHStartHigh, scShapeHStartLow); }
void TForm16::Button1Click(TObject*) { SendPair(Edit3, scShapeHSizeHigh, scShapeHSizeLow); }
void TForm16::Button2Click(TObject*) { SendPair(Edit4, scShapeVStartHigh, scShapeVStartLow); }
void TForm16::Button3Click(TObject*) { SendPair(Edit5, scShapeVSizeHigh, scShapeVSizeLow); }

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm16>();
  return true;
}();

}  // namespace
