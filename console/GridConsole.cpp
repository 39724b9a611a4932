#include "console/GridConsole.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {}

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.ExStyle |= win::WS_EX_APPWINDOW;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm1>();
  return true;
}();

}  // namespace
