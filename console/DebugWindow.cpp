#include "console/DebugWindow.h"

TForm6* Form6 = nullptr;

TForm6::TForm6(TComponent* AOwner) : TForm(AOwner) {}

TForm6::~TForm6() {
  if (Form6 == this) Form6 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm6>();
  return true;
}();

}  // namespace
