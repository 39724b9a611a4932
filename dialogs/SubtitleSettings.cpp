#include "dialogs/SubtitleSettings.h"

TfrmSubtitleSettings* frmSubtitleSettings = nullptr;

TfrmSubtitleSettings::TfrmSubtitleSettings(TComponent* AOwner) : TForm(AOwner) {}

TfrmSubtitleSettings::~TfrmSubtitleSettings() {
  if (frmSubtitleSettings == this) frmSubtitleSettings = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TfrmSubtitleSettings>();
  return true;
}();

}  // namespace
