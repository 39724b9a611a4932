#include "dialogs/PlaybackSettings.h"

#include "app/BootWindow.h"
#include "console/GridConsole.h"
#include "console/ScreenFrame.h"

TfrmPlayMode* frmPlayMode = nullptr;

namespace {

// The players the mode buttons select.
constexpr int kPicturePlayer = 0x0A;
constexpr int kVideoPlayer = 0x0B;

// The press frames go to the first screen, which passes them on to the wall; the grid console's
// screens take the playback codes alone.
void SendPressFrame(int Command, int Value) {
  if (Form18->ConsoleKind == ckGrid) return;
  Form1->SendScreenFrame(MakeScreenFrame(kFirstScreen, Command, Value));
}

}  // namespace

TfrmPlayMode::TfrmPlayMode(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormShow", &TfrmPlayMode::FormShow);
  RegisterHandler("PlaybackCodeClick", &TfrmPlayMode::PlaybackCodeClick);
  RegisterHandler("rbPicModeMouseDown", &TfrmPlayMode::rbPicModeMouseDown);
  RegisterHandler("rbVidModeMouseDown", &TfrmPlayMode::rbVidModeMouseDown);
  RegisterHandler("rbZeroMouseDown", &TfrmPlayMode::rbZeroMouseDown);
  RegisterHandler("rbNintyMouseDown", &TfrmPlayMode::rbNintyMouseDown);
  RegisterHandler("rbOheityMouseDown", &TfrmPlayMode::rbOheityMouseDown);
  RegisterHandler("rbThevtyMouseDown", &TfrmPlayMode::rbThevtyMouseDown);
}

TfrmPlayMode::~TfrmPlayMode() {
  if (frmPlayMode == this) frmPlayMode = nullptr;
}

void TfrmPlayMode::Loaded() {
  TForm::Loaded();
  FindComponent(cxgrpbxPayMode, "cxgrpbxPayMode");
  FindComponent(cxgrpbxAngle, "cxgrpbxAngle");
  FindComponent(rbPicMode, "rbPicMode");
  FindComponent(rbVidMode, "rbVidMode");
}

void TfrmPlayMode::FormShow(TObject*) {
  if (Form1->Language != 1) return;
  SetCaption("Play Setting");
  cxgrpbxPayMode->SetCaption("Play Mode Selection");
  cxgrpbxAngle->SetCaption("Picture angle selection");
  rbPicMode->SetCaption("Picture");
  rbVidMode->SetCaption("Video");
}

void TfrmPlayMode::PlaybackCodeClick(TObject* Sender) {
  if (auto* control = dynamic_cast<TComponent*>(Sender))
    Form1->SendScreenCommand(scRemoteKey, static_cast<int>(control->Tag()));
}

void TfrmPlayMode::rbPicModeMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  SendPressFrame(scSelectInput, kPicturePlayer);
}
void TfrmPlayMode::rbVidModeMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  SendPressFrame(scSelectInput, kVideoPlayer);
}
void TfrmPlayMode::rbZeroMouseDown(TObject*, TMouseButton, TShiftState, int, int) { SendPressFrame(scPlayAngle, 0); }
void TfrmPlayMode::rbNintyMouseDown(TObject*, TMouseButton, TShiftState, int, int) { SendPressFrame(scPlayAngle, 1); }
void TfrmPlayMode::rbOheityMouseDown(TObject*, TMouseButton, TShiftState, int, int) { SendPressFrame(scPlayAngle, 2); }
void TfrmPlayMode::rbThevtyMouseDown(TObject*, TMouseButton, TShiftState, int, int) { SendPressFrame(scPlayAngle, 3); }

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TfrmPlayMode>();
  return true;
}();

}  // namespace
