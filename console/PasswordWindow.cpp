#include "console/PasswordWindow.h"

#include "console/Config.h"
#include "console/GridConsole.h"
#include "platform/classes/Dialogs.h"
#include "platform/win/Keys.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

TForm8* Form8 = nullptr;

namespace {

bool English() { return Form23->LanguageSplicing == 1; }

}  // namespace

TForm8::TForm8(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormShow", &TForm8::FormShow);
  RegisterHandler("Edit1KeyDown", &TForm8::Edit1KeyDown);
  RegisterHandler("Edit2KeyDown", &TForm8::Edit2KeyDown);
  RegisterHandler("Edit3KeyDown", &TForm8::Edit3KeyDown);
  RegisterHandler("Button1Click", &TForm8::Button1Click);
  RegisterHandler("Button2Click", &TForm8::Button2Click);
}

TForm8::~TForm8() {
  if (Form8 == this) Form8 = nullptr;
}

void TForm8::Loaded() {
  TForm::Loaded();
  FindComponent(Label1, "Label1");
  FindComponent(Edit1, "Edit1");
  FindComponent(Label2, "Label2");
  FindComponent(Edit2, "Edit2");
  FindComponent(Label3, "Label3");
  FindComponent(Edit3, "Edit3");
  FindComponent(Button1, "Button1");
  FindComponent(Button2, "Button2");
}

void TForm8::FormShow(TObject*) {
  Edit1->SetText("");
  Edit2->SetText("");
  Edit3->SetText("");
  Edit1->SetFocus();
  if (!English()) return;
  SetCaption(" Change password");
  Label1->SetCaption("Old password:");
  Label2->SetCaption("New password:");
  Label3->SetCaption("Input Again:");
  Button1->SetCaption("Change");
  Button2->SetCaption("Close");
}

void TForm8::Edit1KeyDown(TObject*, win::WORD& Key, TShiftState) {
  if (Key == win::VK_RETURN) Edit2->SetFocus();
}

void TForm8::Edit2KeyDown(TObject*, win::WORD& Key, TShiftState) {
  if (Key == win::VK_RETURN) Edit3->SetFocus();
}

void TForm8::Edit3KeyDown(TObject*, win::WORD& Key, TShiftState) {
  if (Key == win::VK_RETURN) Button1->SetFocus();
}

void TForm8::Button1Click(TObject*) {
  // Only the password itself proves the operator: a service code is no old password.
  const String old = Edit1->Text();
  if (old != Form23->AdminPasswordSplicing && old != Form1->AdminPassword) {
    ShowMessage(English() ? "old password is not correct，please check and input again!"
                          : "旧密码输入不正确，请确认后重新输入");
    Edit1->SetFocus();
    return;
  }
  if (Edit2->Text() != Edit3->Text()) {
    ShowMessage(English() ? "new password can not be confirmed，please check and input again!"
                          : "两次输入密码不符，请确认后重新输入");
    Edit2->SetFocus();
    return;
  }
  ShowMessage(English() ? "Password be changed successfully, please remember it!" : "密码更改成功，请牢记密码");
  const String password = Edit3->Text();
  Form1->AdminPassword = password;
  Form23->AdminPasswordSplicing = password;
  Form33->AdminPasswordHybrid = password;
  WriteConfig(*OpenConfigFile(), cfg::config::Password, password);
  Close();
}

void TForm8::Button2Click(TObject*) { Close(); }

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm8>();
  return true;
}();

}  // namespace
