#include "variants/HybridConsole.h"

TForm33* Form33 = nullptr;

TForm33::TForm33(TComponent* AOwner) : TForm(AOwner) {}

TForm33::~TForm33() {
  if (Form33 == this) Form33 = nullptr;
}

void TForm33::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.ExStyle |= win::WS_EX_APPWINDOW;
}

void TForm33::Loaded() {
  TForm::Loaded();
  Memo1 = dynamic_cast<TMemo*>(FindComponent("Memo1"));
  StatusBar1 = dynamic_cast<TdxStatusBar*>(FindComponent("StatusBar1"));
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm33>();
  return true;
}();

}  // namespace
