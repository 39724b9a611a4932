#include "dialogs/SubtitleWindow1.h"

TfrmLEDDisplay* frmLEDDisplay = nullptr;

TfrmLEDDisplay::TfrmLEDDisplay(TComponent* AOwner) : TSubtitleWindow(AOwner) {}

TfrmLEDDisplay::~TfrmLEDDisplay() {
  if (frmLEDDisplay == this) frmLEDDisplay = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TfrmLEDDisplay>();
  return true;
}();

}  // namespace
