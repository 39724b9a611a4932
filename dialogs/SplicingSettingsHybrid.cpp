#include "dialogs/SplicingSettingsHybrid.h"

TForm34* Form34 = nullptr;

TForm34::TForm34(TComponent* AOwner) : TForm(AOwner) {}

TForm34::~TForm34() {
  if (Form34 == this) Form34 = nullptr;
}

void TForm34::Loaded() {
  TForm::Loaded();
  FindComponent(Edit1, "Edit1");
  FindComponent(ComboBox1, "ComboBox1");
  FindComponent(ComboBox2, "ComboBox2");
  FindComponent(Image1, "Image1");
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm34>();
  return true;
}();

}  // namespace
