#include "dialogs/PictureParametersConsoles.h"

TForm32* Form32 = nullptr;

TForm32::TForm32(TComponent* AOwner) : TForm(AOwner) {}

TForm32::~TForm32() {
  if (Form32 == this) Form32 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm32>();
  return true;
}();

}  // namespace
