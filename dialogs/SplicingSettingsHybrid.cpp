#include "dialogs/SplicingSettingsHybrid.h"

TForm34* Form34 = nullptr;

TForm34::TForm34(TComponent* AOwner) : TForm(AOwner) {}

TForm34::~TForm34() {
  if (Form34 == this) Form34 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm34>();
  return true;
}();

}  // namespace
