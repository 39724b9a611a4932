#include "dialogs/IrregularShape.h"

TForm16* Form16 = nullptr;

TForm16::TForm16(TComponent* AOwner) : TForm(AOwner) {}

TForm16::~TForm16() {
  if (Form16 == this) Form16 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm16>();
  return true;
}();

}  // namespace
