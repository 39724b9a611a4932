#include "dialogs/CellColours.h"

TForm20* Form20 = nullptr;

TForm20::TForm20(TComponent* AOwner) : TForm(AOwner) {}

TForm20::~TForm20() {
  if (Form20 == this) Form20 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm20>();
  return true;
}();

}  // namespace
