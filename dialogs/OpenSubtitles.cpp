#include "dialogs/OpenSubtitles.h"

TForm31* Form31 = nullptr;

TForm31::TForm31(TComponent* AOwner) : TForm(AOwner) {}

TForm31::~TForm31() {
  if (Form31 == this) Form31 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm31>();
  return true;
}();

}  // namespace
