#include "dialogs/SplicingSettingsSplicing.h"

TForm24* Form24 = nullptr;

TForm24::TForm24(TComponent* AOwner) : TForm(AOwner) {}

TForm24::~TForm24() {
  if (Form24 == this) Form24 = nullptr;
}

void TForm24::Loaded() {
  TForm::Loaded();
  FindComponent(Edit1, "Edit1");
  FindComponent(ComboBox1, "ComboBox1");
  FindComponent(ComboBox2, "ComboBox2");
  FindComponent(Image1, "Image1");
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm24>();
  return true;
}();

}  // namespace
