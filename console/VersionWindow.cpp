#include "console/VersionWindow.h"

TForm5* Form5 = nullptr;

TForm5::TForm5(TComponent* AOwner) : TForm(AOwner) {}

TForm5::~TForm5() {
  if (Form5 == this) Form5 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm5>();
  return true;
}();

}  // namespace
