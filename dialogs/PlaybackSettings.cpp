#include "dialogs/PlaybackSettings.h"

TfrmPlayMode* frmPlayMode = nullptr;

TfrmPlayMode::TfrmPlayMode(TComponent* AOwner) : TForm(AOwner) {}

TfrmPlayMode::~TfrmPlayMode() {
  if (frmPlayMode == this) frmPlayMode = nullptr;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TfrmPlayMode>();
  return true;
}();

}  // namespace
