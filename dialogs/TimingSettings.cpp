#include "dialogs/TimingSettings.h"

TfrmTimingSetting* frmTimingSetting = nullptr;

TfrmTimingSetting::TfrmTimingSetting(TComponent* AOwner) : TForm(AOwner) {}

TfrmTimingSetting::~TfrmTimingSetting() {
  if (frmTimingSetting == this) frmTimingSetting = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TfrmTimingSetting>();
  return true;
}();

}  // namespace
