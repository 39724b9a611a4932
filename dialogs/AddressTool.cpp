#include "dialogs/AddressTool.h"

TForm36* Form36 = nullptr;

TForm36::TForm36(TComponent* AOwner) : TForm(AOwner) {}

TForm36::~TForm36() {
  if (Form36 == this) Form36 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm36>();
  return true;
}();

}  // namespace
