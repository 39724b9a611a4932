#include "matrix/MatrixConfig.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(TComponent* AOwner) : TForm(AOwner) {}

TForm3::~TForm3() {
  if (Form3 == this) Form3 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm3>();
  return true;
}();

}  // namespace
