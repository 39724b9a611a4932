#include "platform/classes/MediaPlayer.h"

#include <algorithm>

#include "platform/classes/SysUtils.h"
#include "platform/classes/Timer.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "platform/win/Rects.h"
#include "platform/win/Window.h"

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

TMediaPlayer::~TMediaPlayer() {
  DestroySurface();
  SetDisplay(nullptr);
}

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
  DestroySurface();
  if (FDisplay) FDisplay->RemoveFreeNotification(this);
  FDisplay = Value;
  if (FDisplay) FDisplay->FreeNotification(this);
  if (FOpen) UpdateSurface();
}

void TMediaPlayer::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDisplay) {
    // The surface goes with the display's window.
    DestroySurface();
    FDisplay = nullptr;
  }
  if (Operation == opRemove && AComponent == FTimer) FTimer = nullptr;
}

void TMediaPlayer::SetDisplayRect(const RECT& Value) {
  CheckOpen();
  FDisplayRect = Value;
  FDisplayRectSet = true;
  UpdateSurface();
}

std::int64_t TMediaPlayer::Position() const {
  if (!FOpen) return 0;
  if (FMode != mpPlaying) return FPositionMs;
  return static_cast<std::int64_t>(platform::CurrentClock().NowMs() - FStartMs);
}

std::int64_t TMediaPlayer::Length() const { return FReader ? FReader->DurationMs() : 0; }

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
  platform::media::OpenResult result;
  FReader = platform::media::VideoReader::Open(FFileName, result);
  if (!FReader)
    Fail(result == platform::media::OpenResult::NotFound ? kErrFileNotFound : kErrInvalidFile,
         result == platform::media::OpenResult::NotFound ? SFileNotFound : SCannotPlay);
  FOpen = true;
  FMode = mpStopped;
  FError = 0;
  FErrorMessage.clear();
  FPositionMs = 0;
  // The first frame shows as soon as the device is open, and again when play reaches it.
  FReader->Picture(FPicture);
  FPending = true;
  FStale = false;
  if (!FDisplayRectSet) FDisplayRect = RECT{0, 0, FReader->Width(), FReader->Height()};
  UpdateSurface();
}

void TMediaPlayer::Play() {
  CheckOpen();
  if (!FPending) {
    // Played to its end: play starts again from the beginning.
    win::RECT rect = FDisplayRect;
    bool rectSet = FDisplayRectSet;
    Open();
    FDisplayRect = rect;
    FDisplayRectSet = rectSet;
    UpdateSurface();
  }
  FStartMs = platform::CurrentClock().NowMs() - static_cast<std::uint64_t>(FPositionMs);
  FMode = mpPlaying;
  FError = 0;
  Advance();
}

void TMediaPlayer::Halt(TMPModes Mode) {
  FPositionMs = Position();
  FMode = Mode;
  FError = 0;
  if (FTimer) FTimer->SetEnabled(false);
}

void TMediaPlayer::Pause() {
  CheckOpen();
  Halt(mpPaused);
}

void TMediaPlayer::Stop() {
  CheckOpen();
  Halt(mpStopped);
}

void TMediaPlayer::Close() {
  // Closing a device that is not open is no failure.
  if (FTimer) FTimer->SetEnabled(false);
  DestroySurface();
  FReader.reset();
  FPicture = platform::media::VideoPicture{};
  FPending = false;
  FStale = false;
  FPositionMs = 0;
  FDisplayRectSet = false;
  FOpen = false;
  FMode = mpNotReady;
  FError = 0;
  FErrorMessage.clear();
}

bool TMediaPlayer::DisplayShowing() const {
  return FSurface && IsWindowVisible(FSurface);
}

void TMediaPlayer::Schedule(std::int64_t DelayMs) {
  if (!FTimer) {
    FTimer = new TTimer(this);
    FTimer->SetOnTimer([this](TObject*) { Advance(); });
  }
  FTimer->SetInterval(static_cast<unsigned>(std::clamp<std::int64_t>(DelayMs, 1, 1000)));
  FTimer->SetEnabled(true);
}

void TMediaPlayer::Advance() {
  if (FMode != mpPlaying || !FReader) return;
  // A frame is shown when its time has come, unless the next one is due too: then it is dropped
  // unconverted, as is every frame while the display is hidden. The work of one tick is bounded,
  // so a slow decoder cannot starve the window.
  constexpr int kFramesPerTick = 8;
  std::int64_t now = Position();
  bool showing = DisplayShowing();
  bool changed = false;
  int steps = 0;
  auto show = [&] {
    FReader->Picture(FPicture);
    FStale = false;
    changed = true;
  };
  // After the end the reader still holds the last frame: one dropped while hidden shows now.
  if (!FPending && FStale && showing) show();
  while (FPending && FReader->TimeMs() <= now && steps < kFramesPerTick) {
    bool superseded = FReader->TimeMs() + FReader->FrameIntervalMs() <= now;
    if (!superseded && showing)
      show();
    else
      FStale = true;
    ++steps;
    if (!FReader->Decode()) {
      FPending = false;
      // The last frame stays, even when it came due behind time.
      if (FStale && showing) show();
    }
  }
  if (changed) InvalidateRect(FSurface, nullptr, FALSE);
  if (!FPending && now >= FReader->DurationMs()) {
    Halt(mpStopped);
    FPositionMs = FReader->DurationMs();
    if (OnNotify) OnNotify(this);
    return;
  }
  if (steps == kFramesPerTick)
    Schedule(1);
  else if (FPending)
    Schedule(FReader->TimeMs() - now);
  else
    Schedule(FReader->DurationMs() - now);
}

// ---- the picture's window --------------------------------------------------------------------------

namespace {

constexpr const char* kSurfaceClass = "VWMediaSurface";
constexpr const char* kPlayerProp = "VWMediaPlayer";

}  // namespace

void TMediaPlayer::UpdateSurface() {
  if (!FOpen || !FDisplay || HasState(csDestroying)) return;
  HWND parent = FDisplay->Handle();
  if (FSurface && (!IsWindow(FSurface) || GetParent(FSurface) != parent)) FSurface = nullptr;
  if (!FSurface) {
    WNDCLASS wc{};
    if (!GetClassInfo(nullptr, kSurfaceClass, &wc)) {
      wc = WNDCLASS{};
      wc.lpfnWndProc = SurfaceProc;
      wc.lpszClassName = kSurfaceClass;
      RegisterClass(&wc);
    }
    FSurface = CreateWindowEx(0, kSurfaceClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                              nullptr, nullptr, nullptr);
    if (!FSurface) return;
    SetProp(FSurface, kPlayerProp, this);
  }
  SetWindowPos(FSurface, HWND_TOP, FDisplayRect.left, FDisplayRect.top, FDisplayRect.right - FDisplayRect.left,
               FDisplayRect.bottom - FDisplayRect.top, SWP_NOACTIVATE);
  InvalidateRect(FSurface, nullptr, FALSE);
}

void TMediaPlayer::DestroySurface() {
  if (!FSurface) return;
  if (IsWindow(FSurface)) {
    RemoveProp(FSurface, kPlayerProp);
    DestroyWindow(FSurface);
  }
  FSurface = nullptr;
}

LRESULT TMediaPlayer::SurfaceProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCHITTEST:
      // The mouse belongs to the display: its clicks and its cursor.
      return HTTRANSPARENT;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      auto* player = static_cast<TMediaPlayer*>(GetProp(hwnd, kPlayerProp));
      if (player) {
        player->PaintSurface(hwnd);
        return 0;
      }
      break;
    }
    default:
      break;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

void TMediaPlayer::PaintSurface(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r;
  GetClientRect(hwnd, &r);
  if (FPicture.width > 0 && FPicture.height > 0) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = FPicture.width;
    info.bmiHeader.biHeight = -FPicture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, 0, 0, r.right, r.bottom, 0, 0, FPicture.width, FPicture.height, FPicture.pixels.data(), &info,
                  DIB_RGB_COLORS, SRCCOPY);
  } else {
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  EndPaint(hwnd, &ps);
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
