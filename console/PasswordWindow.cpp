#include "console/PasswordWindow.h"

TForm8* Form8 = nullptr;

TForm8::TForm8(TComponent* AOwner) : TForm(AOwner) {}

TForm8::~TForm8() {
  if (Form8 == this) Form8 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm8>();
  return true;
}();

}  // namespace
