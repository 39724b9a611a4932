#include "dialogs/EdgeBlending.h"

TForm11* Form11 = nullptr;

TForm11::TForm11(TComponent* AOwner) : TForm(AOwner) {}

TForm11::~TForm11() {
  if (Form11 == this) Form11 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm11>();
  return true;
}();

}  // namespace
