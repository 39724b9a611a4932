#include "dialogs/SignalRename.h"

TForm35* Form35 = nullptr;

TForm35::TForm35(TComponent* AOwner) : TForm(AOwner) {}

TForm35::~TForm35() {
  if (Form35 == this) Form35 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm35>();
  return true;
}();

}  // namespace
