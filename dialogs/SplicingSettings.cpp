#include "dialogs/SplicingSettings.h"

TForm15* Form15 = nullptr;

TForm15::TForm15(TComponent* AOwner) : TForm(AOwner) {}

TForm15::~TForm15() {
  if (Form15 == this) Form15 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm15>();
  return true;
}();

}  // namespace
