#include "ui/controls/Timer.h"

#include <algorithm>

#include "ui/controls/ControlsUnit.h"

using namespace win;

namespace {

TcxTimerWindow* g_TimerWindow = nullptr;
std::vector<UINT_PTR>* g_ActiveTimerList = nullptr;

bool IsActiveTimer(UINT_PTR Id) {
  return g_ActiveTimerList && std::find(g_ActiveTimerList->begin(), g_ActiveTimerList->end(), Id) != g_ActiveTimerList->end();
}

}  // namespace

TcxTimerWindow* TimerWindowInstance() {
  if (!g_TimerWindow && !ControlsUnitFinalized) g_TimerWindow = new TcxTimerWindow();
  return g_TimerWindow;
}

std::vector<UINT_PTR>* ActiveTimerList() {
  if (!g_ActiveTimerList && !ControlsUnitFinalized) g_ActiveTimerList = new std::vector<UINT_PTR>();
  return g_ActiveTimerList;
}

namespace controls_detail {
void FreeTimerWindow() { FreeAndNil(g_TimerWindow); }
void FreeActiveTimerList() {
  delete g_ActiveTimerList;
  g_ActiveTimerList = nullptr;
}
}  // namespace controls_detail

// ---- TcxTimer ------------------------------------------------------------------------------------------

TcxTimer::TcxTimer(TComponent* AOwner) : TComponent(AOwner), FEventID(reinterpret_cast<UINT_PTR>(this)) {}

TcxTimer::~TcxTimer() { StopSystemTimer(); }

void TcxTimer::DeclareProperties(TPropTable& t) {
  t.Add("Enabled", &TcxTimer::Enabled, &TcxTimer::SetEnabled).SetDefault(true);
  t.Add("Interval", &TcxTimer::Interval, &TcxTimer::SetInterval).SetDefault(1000);
  t.Add("OnTimer", &TcxTimer::OnTimer, &TcxTimer::SetOnTimer);
}

void TcxTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  if (FEnabled)
    StartSystemTimer();
  else
    StopSystemTimer();
}

void TcxTimer::SetInterval(unsigned Value) {
  if (Value == 0 || Value == FInterval) return;
  FInterval = Value;
  StopSystemTimer();
  StartSystemTimer();
}

void TcxTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  StopSystemTimer();
  StartSystemTimer();
}

bool TcxTimer::MayRunTimer() const { return FEnabled && !FTimerOn && FOnTimer; }

void TcxTimer::StartSystemTimer() {
  if (!MayRunTimer()) return;
  TcxTimerWindow* window = TimerWindowInstance();
  // Without the window (after the unit's shutdown) the timer stays off, as for a failed SetTimer.
  WriteTimerOn(window && SetTimer(window->Handle(), FEventID, FInterval, nullptr) != 0);
}

void TcxTimer::StopSystemTimer() {
  if (!FTimerOn) return;
  if (g_TimerWindow) KillTimer(g_TimerWindow->Handle(), FEventID);
  WriteTimerOn(false);
}

void TcxTimer::RefreshSystemTimer() {
  if (!g_TimerWindow) return;
  KillTimer(g_TimerWindow->Handle(), FEventID);
  SetTimer(g_TimerWindow->Handle(), FEventID, FInterval, nullptr);
}

void TcxTimer::WriteTimerOn(bool Value) {
  if (Value == FTimerOn) return;
  FTimerOn = Value;
  if (Value) {
    if (auto* list = ActiveTimerList()) list->push_back(FEventID);
  } else if (g_ActiveTimerList) {
    std::erase(*g_ActiveTimerList, FEventID);
  }
}

void TcxTimer::FireTimerEvent() {
  // A copy on the stack: the handler may free this timer, and its handler with it.
  if (TNotifyEvent handler = FOnTimer) handler(this);
}

// ---- TcxTimerWindow ------------------------------------------------------------------------------------

void TcxTimerWindow::HandleMessage(TMessage& Message) {
  if (Message.Msg != WM_TIMER) {
    TcxMessageWindow::HandleMessage(Message);
    return;
  }
  // The id is the timer object itself; an id no longer listed belongs to a timer that stopped or
  // was freed, and its tick is dropped.
  if (IsActiveTimer(Message.WParam)) reinterpret_cast<TcxTimer*>(Message.WParam)->FireTimerEvent();
}

namespace {
const bool kRegistered = [] {
  RegisterClassesOf<TcxTimer>();
  return true;
}();
}  // namespace
