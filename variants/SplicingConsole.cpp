#include "variants/SplicingConsole.h"

TForm23* Form23 = nullptr;

TForm23::TForm23(TComponent* AOwner) : TForm(AOwner) {}

TForm23::~TForm23() {
  if (Form23 == this) Form23 = nullptr;
}

void TForm23::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.ExStyle |= win::WS_EX_APPWINDOW;
}

void TForm23::Loaded() {
  TForm::Loaded();
  Memo1 = dynamic_cast<TMemo*>(FindComponent("Memo1"));
  StatusBar1 = dynamic_cast<TdxStatusBar*>(FindComponent("StatusBar1"));
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm23>();
  return true;
}();

}  // namespace
