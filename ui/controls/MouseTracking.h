#pragma once
// The mouse-leave watch: a 10 ms timer per watching party that tells it when the mouse has left
// its control or rectangle, or the control can no longer take the mouse.
#include <vector>

#include "platform/classes/Controls.h"
#include "platform/classes/Interface.h"
#include "ui/controls/Timer.h"

// Told when the mouse has left what it watches.
class IcxMouseTrackingCaller : public virtual IInterface {
 public:
  virtual void MouseLeave() = 0;
};

// A watching party with a shape of its own: asked whether a client point of the watched control
// lies inside.
class IcxMouseTrackingHitTest : public virtual IInterface {
 public:
  virtual bool PointInside(const win::POINT& P) = 0;
};

class TMouseTrackingTimer : public TcxTimer {
  VW_CLASS(TMouseTrackingTimer, TcxTimer)
 public:
  explicit TMouseTrackingTimer(TComponent* AOwner);

  // May be null: then Bounds alone decide.
  TWinControl* Control = nullptr;
  // Screen coordinates.
  win::RECT Bounds{};
  IcxMouseTrackingCaller* Caller = nullptr;

 protected:
  void HandleTimer();
};

// The running watches; null once the control unit has shut down.
std::vector<TMouseTrackingTimer*>* MouseTrackingTimerList();

// Bounds are in Control's client coordinates, or in screen coordinates when Control is null.
// Nothing when the caller is watched already.
void StartMouseLeaveWatch(TWinControl* Control, const win::RECT& Bounds, IcxMouseTrackingCaller* Caller);
void StopMouseLeaveWatch(IcxMouseTrackingCaller* Caller);
bool IsMouseLeaveWatched(IcxMouseTrackingCaller* Caller);
TMouseTrackingTimer* FindMouseTrackingTimer(IcxMouseTrackingCaller* Caller);

namespace controls_detail {
// Raises when a watch still runs; the list stays then.
void FreeMouseTrackingTimerList();
}
