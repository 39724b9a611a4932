#pragma once
// The popup form every drop-down editor opens against its owner control. A capturing popup is an
// owned top-level window that takes the focus and runs its own message loop; a non-capturing one
// stands on the desktop as a tool window that never takes the activation. Shown popups stand in
// the container unit's list, and three thread hooks close them when the user clicks elsewhere,
// switches application, or the owner hides, moves out of sight or goes away.
#include <memory>

#include "platform/classes/Forms.h"
#include "ui/controls/ContainerStyle.h"
#include "ui/controls/ContainerViewInfo.h"
#include "ui/controls/PopupWindow.h"

// Posted by PostPopupCloseRequest: closes the popup from outside its own event handlers.
inline constexpr win::UINT CM_POPUPCLOSEREQUEST = 0x807D;
// Shows the popup again with the control it focused last time.
inline constexpr win::UINT CM_POPUPSHOWAGAIN = 0x807E;

// The classes a popup makes its style and view info of; descendants pass theirs to the protected
// constructor, which cannot ask the virtual operations yet.
struct TcxPopupWindowClasses {
  TcxContainerStyleClass StyleClass;
  TcxContainerViewInfoClass ViewInfoClass;
};

class TcxCustomPopupWindow : public TcxPopupWindow, public TcxShownPopup {
  VW_CLASS(TcxCustomPopupWindow, TcxPopupWindow)
 public:
  explicit TcxCustomPopupWindow(TControl* AOwnerControl);
  ~TcxCustomPopupWindow() override;

  // ---- properties --------------------------------------------------------------------------------
  bool CaptureFocus() const { return FCaptureFocus; }
  void SetCaptureFocus(bool Value);
  bool TopmostWithOwner() const { return FTopmostWithOwner; }
  void SetTopmostWithOwner(bool Value);
  // Whether a capturing popup runs its own message loop while shown.
  bool ModalMode() const { return FModalMode; }
  void SetModalMode(bool Value) { FModalMode = Value; }
  // Null once the owner has been destroyed.
  TControl* OwnerControl() const { return FOwnerControl; }
  TWinControl* FocusedControl() const { return FFocusedControl; }
  TcxContainerStyle* Style() const { return FStyle.get(); }
  TcxContainerViewInfo* ViewInfo() const { return FViewInfo.get(); }

  TNotifyEvent OnClosed;
  TNotifyEvent OnClosing;
  TNotifyEvent OnShown;
  TNotifyEvent OnShowing;

  // ---- operations ----------------------------------------------------------------------------------
  void LockClosing(bool Lock);
  bool IsLocked() const { return FCloseLock != 0; }
  bool IsOwnerShowing();
  bool HasMouseCapture();
  bool Focused() override;
  bool CanFocus() override { return Visible(); }
  bool IsShortCut(TMessage& Message) override;
  bool SetFocusedControl(TWinControl* Control) override;
  win::RECT ClientRect() override;

  // ---- virtual operations --------------------------------------------------------------------------
  virtual bool ClampsToWorkArea() { return false; }
  virtual void FireClosed();
  virtual void FireClosing();
  virtual void FireShown();
  virtual void FireShowing();
  virtual bool ErasesOwnBackground() { return false; }
  virtual bool IsPopupKey(win::WORD Key);
  virtual void CloseUp() { ClosePopup(); }
  // Asked when a button goes down outside the popup; true: the popup consumed the click.
  virtual bool AcceptsKeyHook(win::HWND Window, win::UINT Message, TPoint Point, TShiftState Shift);
  virtual void StyleChanged() {}
  // Moves and shrinks the popup into the work area at P, when ClampsToWorkArea.
  virtual void ClampToWorkArea(TPoint& P);
  virtual TcxContainerStyleClass StyleClass() { return FClasses.StyleClass; }
  virtual TcxContainerViewInfoClass ViewInfoClass() { return FClasses.ViewInfoClass; }
  // Shows the popup; a capturing popup with ModalMode returns only once it has closed.
  virtual void PopupModal(TWinControl* AFocusedControl);

  // ---- overrides of the popup base -----------------------------------------------------------------
  void OwnerScreenBounds(TRect& R) override;
  void InheritOwnerFont() override {}
  void ClosePopup() override;

  // TcxShownPopup
  TWinControl* PopupWindowControl() override { return this; }
  TWinControl* PopupOwnerControl() override;

 protected:
  TcxCustomPopupWindow(TControl* AOwnerControl, const TcxPopupWindowClasses& Classes);

  // Of the message that names them, or of the popup itself; nothing here.
  virtual void MouseEnterNotification(TControl* /*AControl*/) {}
  virtual void MouseLeaveNotification(TControl* /*AControl*/) {}

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  void Deactivate() override;
  void DoClose(TCloseAction& Action) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void VisibilityChanged() override;
  void Dispatch(TMessage& Message) override;

 private:
  TCustomForm* OwnerForm() const;
  void RecreateAndReshow();

  bool FCaptureFocus = true;
  int FCloseLock = 0;
  TWinControl* FFocusedControl = nullptr;
  bool FTopmostWithOwner = false;
  bool FModalMode = true;
  TControl* FOwnerControl = nullptr;
  // The owner as a windowed control, or null: looked up once, while the owner is whole.
  TWinControl* FOwnerWindowControl = nullptr;
  TcxPopupWindowClasses FClasses;
  std::unique_ptr<TcxContainerStyle> FStyle;
  std::unique_ptr<TcxContainerViewInfo> FViewInfo;
};

// Whether the popup is in the shown-popups list.
bool IsPopupVisibleListed(TcxCustomPopupWindow* Popup);
// Closes the popup from inside one of its own event handlers, once they have returned.
void PostPopupCloseRequest(TcxCustomPopupWindow* Popup);

// The unit's start-up and shutdown, run by the control base's: the container style controller in
// the controls' class group and the three thread hooks, installed once for the calling thread.
void PopupUnitStartup();
void PopupUnitShutdown();
