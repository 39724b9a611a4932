#pragma once
// The keyboard navigation controller of the bar library: it walks the bars with the keyboard and
// shows key tips. The input hooks drive it through the virtual operations below; until the key
// handling is built it wants no key and does nothing, so every key and click reaches the hooks'
// own handling. The selection it keeps over the accessibility tree stands already: the helpers
// select and unselect through it.
#include "platform/classes/Controls.h"
#include "platform/win/Window.h"

class TCustomdxBarControl;
class TdxBarManager;
class IdxBarAccessibilityHelper;

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

  // ---- the selection over the accessibility tree ----
  // What is selected while no bar window drives the selection, and its parent.
  IdxBarAccessibilityHelper* SelectedObject() const { return FSelectedObject; }
  IdxBarAccessibilityHelper* SelectedParent() const { return FSelectedParent; }
  void SetSelectedObject(IdxBarAccessibilityHelper* Value) { FSelectedObject = Value; }
  void SetSelectedParent(IdxBarAccessibilityHelper* Value) { FSelectedParent = Value; }
  // The bar window whose selected control is the selection: the active bar window while it has an
  // enabled window and is not customizing; the quick-customization bar while no bar is active.
  TCustomdxBarControl* ActiveNavigationBar() const;
  // The active navigation bar's selected control's helper, else SelectedObject.
  IdxBarAccessibilityHelper* CurrentSelection() const;
  // The active navigation bar's helper, else SelectedParent.
  IdxBarAccessibilityHelper* CurrentSelectionParent() const;
  // Old (the current selection when nil) unselects with New next, then New is selected. Nothing
  // for no New or the same object. Within one manager, window items keep the form's focus alone.
  void ChangeSelection(bool SetFocus, IdxBarAccessibilityHelper* New, IdxBarAccessibilityHelper* Old = nullptr);
  // A helper's owner is gone: the selection lets go of it.
  void ForgetObject(IdxBarAccessibilityHelper* Object);
  // A key for the selection (the current one for nil): the acting object may take it, Escape, Alt
  // and F10 unselect, Tab moves in tab order and the arrows spatially.
  void ProcessKey(win::WORD Key, TShiftState Shift, IdxBarAccessibilityHelper* Selected = nullptr,
                  IdxBarAccessibilityHelper* Parent = nullptr);
  bool HandlingKey() const { return FHandlingKey; }

 private:
  IdxBarAccessibilityHelper* FSelectedObject = nullptr;
  IdxBarAccessibilityHelper* FSelectedParent = nullptr;
  bool FHandlingKey = false;
};
