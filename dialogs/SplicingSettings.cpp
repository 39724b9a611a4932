#include "dialogs/SplicingSettings.h"

TForm15* Form15 = nullptr;

TForm15::TForm15(TComponent* AOwner) : TForm(AOwner) {}

TForm15::~TForm15() {
  if (Form15 == this) Form15 = nullptr;
}

void TForm15::Loaded() {
  TForm::Loaded();
  Edit1 = dynamic_cast<TcxTextEdit*>(FindComponent("Edit1"));
  ComboBox1 = dynamic_cast<TcxComboBox*>(FindComponent("ComboBox1"));
  ComboBox2 = dynamic_cast<TcxComboBox*>(FindComponent("ComboBox2"));
  Image1 = dynamic_cast<TImage*>(FindComponent("Image1"));
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm15>();
  return true;
}();

}  // namespace
