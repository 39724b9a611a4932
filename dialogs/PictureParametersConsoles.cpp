#include "dialogs/PictureParametersConsoles.h"

TForm32* Form32 = nullptr;

TForm32::TForm32(TComponent* AOwner) : TForm(AOwner) {}

TForm32::~TForm32() {
  if (Form32 == this) Form32 = nullptr;
}

void TForm32::Loaded() {
  TForm::Loaded();
  FindComponent(BitBtn8, "BitBtn8");
  FindComponent(Label2, "Label2");
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm32>();
  return true;
}();

}  // namespace
