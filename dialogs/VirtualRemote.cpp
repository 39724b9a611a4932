#include "dialogs/VirtualRemote.h"

TForm27* Form27 = nullptr;

TForm27::TForm27(TComponent* AOwner) : TForm(AOwner) {}

TForm27::~TForm27() {
  if (Form27 == this) Form27 = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm27>();
  return true;
}();

}  // namespace
