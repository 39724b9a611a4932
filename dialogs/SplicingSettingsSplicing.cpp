#include "dialogs/SplicingSettingsSplicing.h"

TForm24* Form24 = nullptr;

TForm24::TForm24(TComponent* AOwner) : TForm(AOwner) {}

TForm24::~TForm24() {
  if (Form24 == this) Form24 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm24>();
  return true;
}();

}  // namespace
