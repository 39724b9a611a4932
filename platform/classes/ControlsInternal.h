#pragma once
// State the controls and the application share: who has the mouse, who captured it, who drags.
#include <functional>

#include "platform/classes/Controls.h"

namespace controls_detail {

// Tells whether a component was freed while code that holds it ran (a handler may free the
// control it belongs to).
class TFreeWatch : public TComponent {
 public:
  explicit TFreeWatch(TComponent* Watched) : TComponent(nullptr), FWatched(Watched) { Watched->FreeNotification(this); }
  ~TFreeWatch() override {
    if (FWatched) FWatched->RemoveFreeNotification(this);
  }
  bool Gone() const { return FWatched == nullptr; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FWatched) FWatched = nullptr;
  }

 private:
  TComponent* FWatched;
};

extern TControl* g_CaptureControl;
extern TControl* g_MouseControl;

// The drag under way: one at a time, as there is one mouse.
struct DragState {
  TControl* control = nullptr;
  TDragObject* object = nullptr;
  bool ownsObject = false;
  bool active = false;  // past the threshold
  bool accepted = false;
  win::POINT start{};
  int threshold = 5;
  TControl* target = nullptr;
  TDragImageList* images = nullptr;  // shown under the mouse since the drag became active
};
extern DragState g_Drag;

// Sends CM_MOUSELEAVE to the control the mouse was over and CM_MOUSEENTER to Control.
void SetMouseControl(TControl* Control);
// Clears every reference the shared state holds to a control going away.
void ForgetControl(TControl* Control);
// Paints a custom control or a form: its canvas takes the DC, the control's font and colour, and
// Paint runs; the canvas lets the DC go again whatever Paint does.
void PaintOnCanvas(TCanvas* Canvas, win::HDC DC, TFont* Font, TColor Color, const std::function<void()>& Paint);

// Reports the exception being handled when there is no application to show it.
void DefaultHandleException(TObject* Sender);

}  // namespace controls_detail
