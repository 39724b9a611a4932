#include "dialogs/SubtitleWindow3.h"

TForm30* Form30 = nullptr;

TForm30::TForm30(TComponent* AOwner) : TSubtitleWindow(AOwner) {}

TForm30::~TForm30() {
  if (Form30 == this) Form30 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm30>();
  return true;
}();

}  // namespace
