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

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm23>();
  return true;
}();

}  // namespace
