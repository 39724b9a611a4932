#include "platform/classes/MediaPlayer.h"

#include "platform/gdi/Gdi.h"
#include "platform/win/Rects.h"

using namespace win;

namespace {

// The device's own error codes and texts.
constexpr int kErrInvalidDevice = 263;
constexpr const char* SNotOpen = "The specified device is not open or is not recognized by MCI.";
constexpr int kErrFileNotFound = 275;
constexpr const char* SFileNotFound =
    "The specified file cannot be found. Make sure the path and filename are correct.";
constexpr int kErrInvalidFile = 304;
constexpr const char* SCannotPlay =
    "The specified file cannot be played on the specified MCI device. The file may be corrupt, or not in the "
    "correct format.";

}  // namespace

TMediaPlayer::TMediaPlayer(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = 253;
  FHeight = 30;
  FParentColor = false;
  FColor = clBtnFace;
}

TMediaPlayer::~TMediaPlayer() { SetDisplay(nullptr); }

void TMediaPlayer::DeclareProperties(TPropTable& t) {
  t.Add("AutoOpen", &TMediaPlayer::AutoOpen, &TMediaPlayer::SetAutoOpen).SetDefault(false);
  t.Add("DeviceType", &TMediaPlayer::DeviceType, &TMediaPlayer::SetDeviceType).SetDefault(dtAutoSelect);
  t.Add("Display", &TMediaPlayer::Display, &TMediaPlayer::SetDisplay);
  t.Add("FileName", &TMediaPlayer::FileName, &TMediaPlayer::SetFileName);
  t.Add("Visible", &TControl::Visible, &TControl::SetVisible).SetDefault(true);
  t.Add("Enabled", &TControl::Enabled, &TControl::SetEnabled).SetDefault(true);
  t.Add("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
  t.Add("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
  t.Add("OnNotify", &TMediaPlayer::OnNotify);
  t.Add("OnClick", &TControl::OnClick);
}

void TMediaPlayer::Loaded() {
  TCustomControl::Loaded();
  if (FAutoOpen && !HasState(csDesigning)) Open();
}

void TMediaPlayer::SetDisplay(TWinControl* Value) {
  if (Value == FDisplay) return;
  if (FDisplay) FDisplay->RemoveFreeNotification(this);
  FDisplay = Value;
  if (FDisplay) FDisplay->FreeNotification(this);
}

void TMediaPlayer::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDisplay) FDisplay = nullptr;
}

void TMediaPlayer::SetDisplayRect(const RECT& Value) {
  CheckOpen();
  FDisplayRect = Value;
}

void TMediaPlayer::Fail(int Code, const char* Message) {
  FError = Code;
  FErrorMessage = Message;
  throw EMCIDeviceError(Message);
}

void TMediaPlayer::CheckOpen() {
  if (!FOpen) Fail(kErrInvalidDevice, SNotOpen);
}

void TMediaPlayer::Open() {
  if (FOpen) Close();
  if (FFileName.empty() || !FileExists(FFileName)) Fail(kErrFileNotFound, SFileNotFound);
  // No engine plays anything yet: an existing file is one the device cannot play.
  Fail(kErrInvalidFile, SCannotPlay);
}

void TMediaPlayer::Play() {
  CheckOpen();
  FMode = mpPlaying;
  FError = 0;
}

void TMediaPlayer::Pause() {
  CheckOpen();
  FMode = mpPaused;
  FError = 0;
}

void TMediaPlayer::Stop() {
  CheckOpen();
  FMode = mpStopped;
  FError = 0;
}

void TMediaPlayer::Close() {
  // Closing a device that is not open is no failure.
  FOpen = false;
  FMode = mpNotReady;
  FError = 0;
  FErrorMessage.clear();
}

void TMediaPlayer::Paint() {
  // The button bar: play, pause, stop, next, previous, step, back, record, eject.
  TCanvas* c = Canvas();
  RECT r = ClientRect();
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  int n = 9;
  int w = std::max(1, static_cast<int>(r.right) / n);
  HDC dc = c->Handle();
  for (int i = 0; i < n; ++i) {
    RECT b{i * w, 0, (i + 1) * w, r.bottom};
    DrawEdge(dc, &b, EDGE_RAISED, BF_RECT);
  }
}

namespace {

// Form descriptions name these classes; the reader finds them here.
const bool kRegistered = [] {
  RegisterClassesOf<TMediaPlayer>();
  return true;
}();

}  // namespace
