#include "dialogs/SplicingSettingsHybrid.h"

TForm34* Form34 = nullptr;

TForm34::TForm34(TComponent* AOwner) : TForm(AOwner) {}

TForm34::~TForm34() {
  if (Form34 == this) Form34 = nullptr;
}

void TForm34::Loaded() {
  TForm::Loaded();
  ComboBox1 = dynamic_cast<TcxComboBox*>(FindComponent("ComboBox1"));
  ComboBox2 = dynamic_cast<TcxComboBox*>(FindComponent("ComboBox2"));
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm34>();
  return true;
}();

}  // namespace
