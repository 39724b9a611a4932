#include "matrix/ChannelNaming.h"

TForm37* Form37 = nullptr;

TForm37::TForm37(TComponent* AOwner) : TForm(AOwner) {}

TForm37::~TForm37() {
  if (Form37 == this) Form37 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm37>();
  return true;
}();

}  // namespace
