#include "dialogs/SubtitleWindow2.h"

TForm29* Form29 = nullptr;

TForm29::TForm29(TComponent* AOwner) : TSubtitleWindow(AOwner) {}

TForm29::~TForm29() {
  if (Form29 == this) Form29 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm29>();
  return true;
}();

}  // namespace
