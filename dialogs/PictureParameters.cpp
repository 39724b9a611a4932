#include "dialogs/PictureParameters.h"

TForm4* Form4 = nullptr;

TForm4::TForm4(TComponent* AOwner) : TForm(AOwner) {}

TForm4::~TForm4() {
  if (Form4 == this) Form4 = nullptr;
}

void TForm4::Loaded() {
  TForm::Loaded();
  BitBtn8 = dynamic_cast<TcxButton*>(FindComponent("BitBtn8"));
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm4>();
  return true;
}();

}  // namespace
