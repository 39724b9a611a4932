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

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm33>();
  return true;
}();

}  // namespace
