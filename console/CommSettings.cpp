#include "console/CommSettings.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(TComponent* AOwner) : TForm(AOwner) {}

TForm2::~TForm2() {
  if (Form2 == this) Form2 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm2>();
  return true;
}();

}  // namespace
