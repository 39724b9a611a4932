#include "ui/controls/MouseTracking.h"

#include <algorithm>

#include "ui/controls/ControlServices.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/Core.h"

using namespace win;

namespace {

std::vector<TMouseTrackingTimer*>* g_MouseTrackingTimerList = nullptr;

bool PointInRect(const RECT& R, POINT P) { return P.x >= R.left && P.x < R.right && P.y >= R.top && P.y < R.bottom; }

void Unlist(TMouseTrackingTimer* Timer) {
  if (g_MouseTrackingTimerList) std::erase(*g_MouseTrackingTimerList, Timer);
}

}  // namespace

std::vector<TMouseTrackingTimer*>* MouseTrackingTimerList() {
  if (!g_MouseTrackingTimerList && !ControlsUnitFinalized) g_MouseTrackingTimerList = new std::vector<TMouseTrackingTimer*>();
  return g_MouseTrackingTimerList;
}

TMouseTrackingTimer::TMouseTrackingTimer(TComponent* AOwner) : TcxTimer(AOwner) {
  SetInterval(10);
  SetOnTimer([this](TObject*) { HandleTimer(); });
}

void TMouseTrackingTimer::HandleTimer() {
  POINT cursor;
  GetCursorPosition(cursor);
  const bool hasWindow = Control && Control->HandleAllocated();
  auto clientCursor = [&] {
    POINT p = cursor;
    ScreenToClient(Control->WindowHandle(), &p);
    return p;
  };

  // A watch without a control watches a screen rectangle: it is usable for as long as it runs, and
  // only a control can be asked about its own shape.
  bool inside;
  auto* hitTest = Control ? dynamic_cast<IcxMouseTrackingHitTest*>(Caller) : nullptr;
  if (hitTest)
    inside = hasWindow && hitTest->PointInside(clientCursor());
  else
    inside = PointInRect(Bounds, cursor);
  const bool usable = !Control || (hasWindow && IsWindowEnabledDeep(Control->WindowHandle()));
  if (inside && usable) return;

  // The watch ends now. It leaves the list before anyone is told, so a party that starts watching
  // again from its handlers gets a watch of its own, which ending this one does not touch.
  Unlist(this);
  IcxMouseTrackingCaller* caller = Caller;
  if (hasWindow) {
    RECT client = Control->ClientRect();
    if (!PointInRect(client, clientCursor()) || !usable)
      SendMessage(Control->WindowHandle(), CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(Control));
  }
  caller->MouseLeave();
  delete this;
}

TMouseTrackingTimer* FindMouseTrackingTimer(IcxMouseTrackingCaller* Caller) {
  if (ControlsUnitFinalized || !g_MouseTrackingTimerList) return nullptr;
  for (TMouseTrackingTimer* t : *g_MouseTrackingTimerList)
    if (t->Caller == Caller) return t;
  return nullptr;
}

bool IsMouseLeaveWatched(IcxMouseTrackingCaller* Caller) {
  return !ControlsUnitFinalized && FindMouseTrackingTimer(Caller) != nullptr;
}

void StartMouseLeaveWatch(TWinControl* Control, const RECT& Bounds, IcxMouseTrackingCaller* Caller) {
  if (ControlsUnitFinalized || !Caller || IsMouseLeaveWatched(Caller)) return;
  auto* timer = new TMouseTrackingTimer(nullptr);
  timer->Control = Control;
  timer->Bounds = Bounds;
  if (Control) MapRectBetweenWindows(Control->Handle(), nullptr, timer->Bounds);
  timer->Caller = Caller;
  MouseTrackingTimerList()->push_back(timer);
}

void StopMouseLeaveWatch(IcxMouseTrackingCaller* Caller) {
  if (TMouseTrackingTimer* timer = FindMouseTrackingTimer(Caller)) {
    Unlist(timer);
    delete timer;
  }
}

namespace controls_detail {
void FreeMouseTrackingTimerList() {
  if (!g_MouseTrackingTimerList) return;
  if (!g_MouseTrackingTimerList->empty()) throw EdxException("MouseTrackingTimerList.Count <> 0");
  delete g_MouseTrackingTimerList;
  g_MouseTrackingTimerList = nullptr;
}
}  // namespace controls_detail
