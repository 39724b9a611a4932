#include "platform/classes/Timer.h"

#include "platform/win/Window.h"

namespace {

constexpr const char* kTimerWindowClass = "TTimerWindow";
constexpr win::UINT_PTR kTimerId = 1;
constexpr const char* SNoTimers = "Not enough timers available";

void EnsureWindowClass(win::WNDPROC proc) {
  win::WNDCLASS existing;
  if (win::GetClassInfo(nullptr, kTimerWindowClass, &existing)) return;
  win::WNDCLASS wc;
  wc.lpfnWndProc = proc;
  wc.lpszClassName = kTimerWindowClass;
  win::RegisterClass(&wc);
}

}  // namespace

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  EnsureWindowClass(&TTimer::WndProc);
  // A message-only window: it never shows and never takes part in activation or focus.
  FWindowHandle = win::CreateWindowEx(0, kTimerWindowClass, "", 0, 0, 0, 0, 0, win::HWND_MESSAGE, nullptr, nullptr,
                                      nullptr);
  if (FWindowHandle) win::SetWindowLongPtr(FWindowHandle, win::GWLP_USERDATA, reinterpret_cast<win::LONG_PTR>(this));
}

TTimer::~TTimer() {
  FEnabled = false;
  if (FWindowHandle) {
    win::KillTimer(FWindowHandle, kTimerId);
    win::SetWindowLongPtr(FWindowHandle, win::GWLP_USERDATA, 0);
    win::DestroyWindow(FWindowHandle);
    FWindowHandle = nullptr;
  }
}

void TTimer::DeclareProperties(TPropTable& t) {
  t.Add("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).SetDefault(true);
  t.Add("Interval", &TTimer::Interval, &TTimer::SetInterval).SetDefault(1000);
  t.Add("OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer);
}

void TTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(std::function<void(TObject*)> Value) {
  FOnTimer = std::move(Value);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (!FWindowHandle) return;
  win::KillTimer(FWindowHandle, kTimerId);
  if (FInterval != 0 && FEnabled && FOnTimer) {
    if (!win::SetTimer(FWindowHandle, kTimerId, FInterval, nullptr)) throw EOutOfResources(SNoTimers);
  }
}

void TTimer::Timer() {
  // A copy: the handler may replace itself or free the timer's owner's other parts.
  if (auto handler = FOnTimer) handler(this);
}

win::LRESULT TTimer::WndProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  if (msg == win::WM_TIMER) {
    auto* self = reinterpret_cast<TTimer*>(win::GetWindowLongPtr(hwnd, win::GWLP_USERDATA));
    // A tick already queued when the timer was switched off is dropped.
    if (self && self->FEnabled && wParam == kTimerId) self->Timer();
    return 0;
  }
  return win::DefWindowProc(hwnd, msg, wParam, lParam);
}

namespace {

// Form descriptions name these classes; the reader finds them here.
const bool kRegistered = [] {
  RegisterClassesOf<TTimer>();
  return true;
}();

}  // namespace
