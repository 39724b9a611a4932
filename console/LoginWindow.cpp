#include "console/LoginWindow.h"

TForm7* Form7 = nullptr;

TForm7::TForm7(TComponent* AOwner) : TForm(AOwner) {}

TForm7::~TForm7() {
  if (Form7 == this) Form7 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm7>();
  return true;
}();

}  // namespace
