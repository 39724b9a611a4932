#pragma once
// The keyboard navigation controller of the bar library. Alt or F10 selects the main menu, the
// arrows and Tab move a selection over the accessibility tree, Enter and Space act and Escape
// leaves; in key tip mode every selectable object of a container wears a short label and typing
// one executes its object. The keyboard hook feeds the controller keys; bar windows ask it whether
// it drives them.
#include <memory>
#include <vector>

#include "platform/classes/Controls.h"
#include "platform/win/Window.h"
#include "ui/foundation/Types.h"

class TCustomdxBarControl;
class TdxBarManager;
class TdxBarAccessibilityHelper;
class IdxBarAccessibilityHelper;
class TcxTimer;

// Draws the key tip windows of a container. No helper of the library offers one, so key tips
// appear only where a helper supplies its own host.
class IKeyTipWindowHost : public virtual IInterface {
 public:
  virtual void ShowKeyTip(const String& Text, const TPoint& Anchor, int HorizontalPlacement, int VerticalPlacement,
                          bool Enabled, win::HWND& Window) = 0;
  virtual void HideKeyTip(win::HWND Window) = 0;
  // Once after a round of showing and hiding.
  virtual void CommitKeyTips() = 0;
};

struct TdxBarKeyTipInfo {
  // At most 3 characters as the helper makes it; making tips unique may add digits.
  String KeyTip;
  // In screen coordinates.
  TPoint Anchor;
  int HorizontalPlacement = 0;
  int VerticalPlacement = 0;
  bool Visible = false;
  bool Enabled = false;
  TNotifyEvent OnExecute;
};

class TdxBarKeyTipData : public TObject {
  VW_CLASS(TdxBarKeyTipData, TObject)
 public:
  TdxBarKeyTipData(TdxBarAccessibilityHelper* AHelper, const TdxBarKeyTipInfo& AInfo)
      : KeyTipInfo(AInfo), Helper(AHelper) {}
  TdxBarKeyTipInfo KeyTipInfo;
  // The shown window, owned by the host; nil while none is shown.
  win::HWND KeyTipWindow = nullptr;
  // Whose tip this is: a helper whose owner goes takes its tips with it.
  TdxBarAccessibilityHelper* Helper;
};

using TdxBarKeyTipDataList = std::vector<std::unique_ptr<TdxBarKeyTipData>>;

// Suffixes colliding key tips with numbers, and a tip that starts another with "1", pass after pass
// until a pass changes nothing. Exact (case-sensitive) comparisons. Answers the passes made.
int MakeKeyTipsUnique(TdxBarKeyTipDataList& List);
// The container's key tips made unique.
void KeyTipDataOf(IdxBarAccessibilityHelper* Container, TdxBarKeyTipDataList& List);

class TdxBarNavigationController : public TObject {
  VW_CLASS(TdxBarNavigationController, TObject)
 public:
  TdxBarNavigationController() = default;
  // The key tip list goes and a wait stops without showing.
  ~TdxBarNavigationController() override;

  // ---- what the keyboard hook asks ----
  // A movement key for the selection, a navigation key an object wants, or a key tip key.
  virtual bool ClaimsKey(win::WORD Key, TShiftState Shift);
  virtual void ProcessKey(win::WORD Key, TShiftState Shift, IdxBarAccessibilityHelper* Selected = nullptr,
                          IdxBarAccessibilityHelper* SelectedParent = nullptr);
  // Key tips are waiting to show or are shown.
  virtual bool KeyTipsWaitingOrShown() const { return IsWaiting() || InKeyTipMode(); }
  // Entered by Alt or F10, or holding a selection of its own.
  virtual bool IsNavigating() const { return FInNavigation || FSelectedObject; }
  // Hint withdrawn, selection dropped, key tips stopped.
  virtual void EndKeyboardMode();
  // A mouse button went down somewhere.
  virtual void LeaveNavigation() { FInNavigation = false; }
  // Whether the root of a manager's bars offers key tips (a host for them).
  virtual bool RootOffersKeyTips(IdxBarAccessibilityHelper* Root);
  // Key tips of Root show after 500 ms while Alt stays pending. Raises for nil, and for another
  // root while a wait runs.
  virtual void StartKeyTipsWaiting(IdxBarAccessibilityHelper* Root);
  // Ends a running wait, showing the waiting root's key tips at once when asked.
  virtual void StopKeyTipsWaiting(bool ShowNow);
  // Selects the root's default object (the main menu) without focus; nothing for no root or a root
  // without a default object.
  virtual void EnterNavigation(IdxBarAccessibilityHelper* Root);
  // The controller moves the selection of this bar: the mouse leaves it alone.
  virtual bool DrivesBarControl(const TCustomdxBarControl* BarControl) const;

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
  // A helper's owner is gone: the selection, the wait and the key tips let go of it.
  void ForgetObject(IdxBarAccessibilityHelper* Object);
  // SelectedObject, when set, unselects with nothing next.
  void DropSelection();
  bool HandlingKey() const { return FHandlingKey; }
  bool InNavigation() const { return FInNavigation; }
  // The arrows, or Tab while Ctrl is up.
  static bool IsMovementKey(win::WORD Key);
  bool WantsKeyForNavigation(win::WORD Key);

  // ---- key tips ----
  // Shows the container's key tips filtered by the typed text; a new container replaces the old
  // one's tips, nil ends key tip mode.
  void ShowKeyTips(IdxBarAccessibilityHelper* Container, const String& Typed);
  void StopKeyTips();
  IdxBarAccessibilityHelper* KeyTipContainer() const { return FKeyTipContainer; }
  IdxBarAccessibilityHelper* WaitingRoot() const { return FWaitingRoot; }
  TcxTimer* WaitingTimer() const { return FWaitingTimer; }
  const String& TypedKeys() const { return FTypedKeys; }
  const TdxBarKeyTipDataList& KeyTipList() const { return FKeyTipList; }
  bool IsWaiting() const { return FWaitingRoot != nullptr; }
  bool InKeyTipMode() const { return FKeyTipContainer != nullptr; }
  // Whether the key takes part in key tips; Handler is the matched tip's action (exact, enabled
  // match) and Partial whether any tip starts with the text typed so far plus this key.
  bool FindKeyTip(win::WORD Key, TShiftState Shift, TNotifyEvent& Handler, bool& Partial);
  // Executes an exactly matched tip, or narrows the shown tips by the key.
  void ApplyKeyTipKey(win::WORD Key, TShiftState Shift);
  void WaitingTimerTick(TObject* Sender);

 private:
  void RefreshKeyTipWindows();
  // Hides every shown tip window of the current container and frees the list.
  void HideAndFreeKeyTips();
  void FreeWaitingTimer();

  IdxBarAccessibilityHelper* FWaitingRoot = nullptr;
  TcxTimer* FWaitingTimer = nullptr;
  IdxBarAccessibilityHelper* FKeyTipContainer = nullptr;
  String FTypedKeys;
  TdxBarKeyTipDataList FKeyTipList;
  IdxBarAccessibilityHelper* FSelectedObject = nullptr;
  IdxBarAccessibilityHelper* FSelectedParent = nullptr;
  bool FHandlingKey = false;
  bool FInNavigation = false;
};
