#include "console/SceneRename.h"

TForm9* Form9 = nullptr;

TForm9::TForm9(TComponent* AOwner) : TForm(AOwner) {}

TForm9::~TForm9() {
  if (Form9 == this) Form9 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm9>();
  return true;
}();

}  // namespace
