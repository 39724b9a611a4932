#pragma once
// The keyboard navigation controller of the bar library: it walks the bars with the keyboard and
// shows key tips. The input hooks drive it through the operations below; until navigation is
// built it wants no key and does nothing, so every key and click reaches the hooks' own handling.
#include "platform/classes/Controls.h"
#include "platform/win/Window.h"

class TCustomdxBarControl;
class TdxBarManager;

class TdxBarNavigationController : public TObject {
  VW_CLASS(TdxBarNavigationController, TObject)
 public:
  TdxBarNavigationController() = default;

  // Whether the controller takes the key in this shift state (it is navigating) and handles it.
  virtual bool WantsKey(win::WORD /*Key*/, TShiftState /*Shift*/) { return false; }
  virtual void HandleKey(win::WORD /*Key*/, TShiftState /*Shift*/) {}
  // Key tips are waiting to show or are shown: the controller asks for every key.
  virtual bool KeyTipsWaitingOrShown() const { return false; }
  virtual bool AsksForKey(win::WORD /*Key*/, bool /*ADown*/) { return false; }
  virtual bool IsNavigating() const { return false; }
  // Ends keyboard navigation and key tips.
  virtual void StopKeyboardHandling() {}
  // A mouse button went down somewhere: navigation mode ends.
  virtual void LeaveNavigationMode() {}
  // Alt or F10 went down alone: key tips show after the wait unless another key comes first.
  virtual bool RootSupportsKeyTips(TdxBarManager* /*Manager*/) const { return false; }
  virtual void StartKeyTipWait(TdxBarManager* /*Manager*/) {}
  // Ends a running wait, showing the key tips at once when asked; nothing without a wait.
  virtual void EndKeyTipWait(bool /*AShowKeyTips*/) {}
  // Alt or F10 came up alone: navigation starts at the root's default object (the main menu).
  virtual void EnterNavigation(TdxBarManager* /*Manager*/) {}
  // The controller moves the selection of this bar: the mouse leaves it alone.
  virtual bool DrivesBarControl(const TCustomdxBarControl* /*ABarControl*/) const { return false; }
};
