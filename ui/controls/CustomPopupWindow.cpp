#include "ui/controls/CustomPopupWindow.h"

#include <algorithm>
#include <vector>

#include "platform/classes/TypInfo.h"
#include "platform/system/Sync.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"
#include "platform/win/Rects.h"
#include "platform/win/Window.h"
#include "ui/controls/Container.h"
#include "ui/controls/ControlServices.h"
#include "ui/controls/MessageWindow.h"
#include "ui/foundation/ObjectLinks.h"
#include "ui/foundation/ScopeGuards.h"

using namespace win;

namespace {

// Raised while a popup closes or moves the focus: the activation notices of the class library's
// forms (CM_ACTIVATE, CM_DEACTIVATE) are then swallowed, so that neither the owner's form nor the
// popup hears that the activation passed between them.
int gActivationLock = 0;

HHOOK gWndProcHook = nullptr;
HHOOK gGetMessageHook = nullptr;
HHOOK gMouseHook = nullptr;

// The one-shot message lock: the window procedure it stands in for.
WNDPROC gSavedWndProc = nullptr;

class TShowingGuard {
 public:
  TShowingGuard() { LockPopupShowing(true); }
  ~TShowingGuard() { LockPopupShowing(false); }
  TShowingGuard(const TShowingGuard&) = delete;
  TShowingGuard& operator=(const TShowingGuard&) = delete;
};

class TCloseLockScope {
 public:
  explicit TCloseLockScope(TcxCustomPopupWindow* Popup) : FLink(CreateObjectLink(Popup)) { Popup->LockClosing(true); }
  ~TCloseLockScope() {
    if (auto* popup = static_cast<TcxCustomPopupWindow*>(FLink->LinkedObject)) popup->LockClosing(false);
    FreeObjectLink(FLink);
  }
  TCloseLockScope(const TCloseLockScope&) = delete;
  TCloseLockScope& operator=(const TCloseLockScope&) = delete;

 private:
  TcxObjectLink* FLink;
};

LRESULT OneShotWndProc(HWND Window, UINT, WPARAM, LPARAM) {
  WNDPROC saved = gSavedWndProc;
  gSavedWndProc = nullptr;
  SetWindowLongPtr(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved));
  return 1;
}

// Swallows the next message the window's procedure would get: the platform reads the procedure
// only after the call-window-procedure hooks have run, so the swap takes this very message.
void SwallowMessage(HWND Window) {
  if (gSavedWndProc || !IsWindow(Window)) return;
  gSavedWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(Window, GWLP_WNDPROC));
  if (!gSavedWndProc) return;
  SetWindowLongPtr(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OneShotWndProc));
}

// A copy: closing a popup changes the list.
std::vector<TcxCustomPopupWindow*> ShownPopupWindows() {
  std::vector<TcxCustomPopupWindow*> list;
  for (TcxShownPopup* p : ShownPopups())
    if (auto* popup = dynamic_cast<TcxCustomPopupWindow*>(p->PopupWindowControl())) list.push_back(popup);
  return list;
}

TWinControl* OwnerWindowControl(TcxCustomPopupWindow* Popup) { return Popup->PopupOwnerControl(); }

bool IsLive(TComponent* Component) { return Component && !IsComponentDestroying(Component); }

// The window is the owner, lies inside it, or holds it: hiding or moving it may take the owner
// out of sight.
bool WindowConcernsOwner(TWinControl* Owner, HWND Window) {
  if (!Owner || !Owner->HandleAllocated() || !Window) return false;
  HWND own = Owner->Handle();
  return Window == own || IsChild(own, Window) || IsChild(Window, own);
}

// Closes through CloseUp, so that an editor learns why; true when the popup left the list.
bool CloseListedPopup(TcxCustomPopupWindow* Popup) {
  TcxObjectLink* link = CreateObjectLink(Popup);
  Popup->CloseUp();
  bool closed = !link->LinkedObject || !IsPopupVisibleListed(Popup);
  FreeObjectLink(link);
  return closed;
}

// ---- the window-procedure hook ---------------------------------------------------------------------

void HandlePopupDestroyed(HWND Window) {
  for (TcxCustomPopupWindow* popup : ShownPopupWindows())
    if (!IsComponentDestroying(popup) && popup->HandleAllocated() && popup->Handle() == Window) {
      popup->Close();
      return;
    }
}

void HandlePopupCloseMessage(HWND Window) {
  for (TcxCustomPopupWindow* popup : ShownPopupWindows()) {
    if (!IsPopupVisibleListed(popup)) continue;
    TWinControl* owner = OwnerWindowControl(popup);
    if (!popup->CaptureFocus() && IsLive(owner)) {
      TCustomForm* form = owner->GetParentForm();
      if (!form || !form->HandleAllocated() || form->Handle() == Window) CloseListedPopup(popup);
      return;
    }
    if (!popup->HandleAllocated() || popup->Handle() != Window) continue;
    TcxObjectLink* link = CreateObjectLink(popup);
    popup->Close();
    if (link->LinkedObject && !IsPopupVisibleListed(popup) && popup->CaptureFocus() && IsLive(owner) &&
        owner->HandleAllocated())
      if (HWND top = TopLevelAncestorWindow(owner->Handle())) SendMessage(top, WM_CLOSE, 0, 0);
    FreeObjectLink(link);
    return;
  }
}

void HandleWindowHidden(HWND Window) {
  std::vector<TcxCustomPopupWindow*> list = ShownPopupWindows();
  for (std::size_t i = list.size(); i-- > 0;) {
    TcxCustomPopupWindow* popup = list[i];
    if (IsComponentDestroying(popup) || !WindowConcernsOwner(OwnerWindowControl(popup), Window)) continue;
    // It and every popup shown after it, the last first.
    for (std::size_t j = list.size(); j-- > i;)
      if (IsPopupVisibleListed(list[j])) CloseListedPopup(list[j]);
    return;
  }
}

void HandleApplicationDeactivated() {
  for (bool again = true; again;) {
    again = false;
    for (TcxCustomPopupWindow* popup : ShownPopupWindows()) {
      TWinControl* owner = OwnerWindowControl(popup);
      TCustomForm* form = owner ? owner->GetParentForm() : nullptr;
      if (form && form->HandleAllocated()) PostMessage(form->Handle(), WM_NCACTIVATE, FALSE, 0);
      if (popup->CaptureFocus() && popup->Active()) continue;
      if (!popup->HandleAllocated() || !IsWindowEnabled(popup->Handle())) continue;
      auto* container = dynamic_cast<TcxContainer*>(owner);
      TcxObjectLink* containerLink = CreateObjectLink(container);
      // A pass that closes nothing ends the scan.
      again = CloseListedPopup(popup);
      if (containerLink && containerLink->LinkedObject) container->NotifyFocusChanged();
      FreeObjectLink(containerLink);
      break;
    }
  }
}

void HandleWindowMoved(HWND Window) {
  for (bool again = true; again;) {
    again = false;
    for (TcxCustomPopupWindow* popup : ShownPopupWindows()) {
      TWinControl* owner = OwnerWindowControl(popup);
      if (IsComponentDestroying(popup) || !popup->HandleAllocated() || !IsLive(owner) || !owner->HandleAllocated())
        continue;
      if (!WindowConcernsOwner(owner, Window) || IsWindowVisible(owner->Handle())) continue;
      again = CloseListedPopup(popup);
      break;
    }
  }
}

bool IsOwnerFormOfShownPopup(HWND Window) {
  for (TcxCustomPopupWindow* popup : ShownPopupWindows()) {
    TWinControl* owner = OwnerWindowControl(popup);
    if (IsComponentDestroying(popup) || !IsLive(owner)) continue;
    TCustomForm* form = owner->GetParentForm();
    if (form && form->HandleAllocated() && form->Handle() == Window) return true;
  }
  return false;
}

LRESULT WndProcHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION) {
    auto* cwp = reinterpret_cast<CWPSTRUCT*>(LParam);
    if ((cwp->message == CM_ACTIVATE || cwp->message == CM_DEACTIVATE) && gActivationLock > 0) {
      SwallowMessage(cwp->hwnd);
    } else if (!ShownPopups().empty()) {
      switch (cwp->message) {
        case WM_DESTROY: HandlePopupDestroyed(cwp->hwnd); break;
        case WM_CLOSE: HandlePopupCloseMessage(cwp->hwnd); break;
        case WM_SHOWWINDOW:
          if (!cwp->wParam) HandleWindowHidden(cwp->hwnd);
          break;
        case WM_ACTIVATEAPP:
          if (!cwp->wParam) HandleApplicationDeactivated();
          break;
        case WM_WINDOWPOSCHANGED: HandleWindowMoved(cwp->hwnd); break;
        case WM_NCACTIVATE:
          // The owner's form keeps its active caption while its popup is shown.
          if (!cwp->wParam && (IsPopupShowingLocked() || IsOwnerFormOfShownPopup(cwp->hwnd))) SwallowMessage(cwp->hwnd);
          break;
        default: break;
      }
    }
  }
  return CallNextHookEx(gWndProcHook, Code, WParam, LParam);
}

// ---- the get-message hook -------------------------------------------------------------------------

LRESULT GetMessageHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION && WParam == PM_REMOVE) {
    auto* msg = reinterpret_cast<MSG*>(LParam);
    if (msg->message == WM_SYSKEYDOWN) {
      std::vector<TcxCustomPopupWindow*> list = ShownPopupWindows();
      if (!list.empty()) {
        TcxCustomPopupWindow* last = list.back();
        // A system key the popup does not want must not reach the menu of the form behind it.
        if (!last->IsLocked() && (!last->CaptureFocus() || !last->ModalMode()) &&
            !last->IsPopupKey(static_cast<WORD>(msg->wParam)))
          msg->message = 0;
      }
    }
  }
  return CallNextHookEx(gGetMessageHook, Code, WParam, LParam);
}

// ---- the mouse hook -------------------------------------------------------------------------------

bool IsButtonDownMessage(UINT Msg) {
  switch (Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK: case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK:
      return true;
    default: return false;
  }
}

bool IsOwnerOnHiddenPopup(TWinControl* Owner) {
  auto* popup = dynamic_cast<TcxCustomPopupWindow*>(Owner->GetParentForm());
  return popup && !IsPopupVisibleListed(popup);
}

bool IsInOtherMDIWindow(TWinControl* Owner, HWND Window) {
  TCustomForm* form = Owner->GetParentForm();
  if (!form || !IsMDIChildForm(form) || !Application) return false;
  TCustomForm* frame = Application->MainForm();
  if (!frame || !frame->HandleAllocated()) return false;
  if (WindowBelongsToControl(form, Window, true)) return false;
  return Window == frame->Handle() || IsChild(frame->Handle(), Window);
}

// One pass over the shown popups: true when it closed one (the scan then starts again).
bool ScanPopupsForClick(UINT Msg, const MOUSEHOOKSTRUCT& Info, bool& Swallow) {
  const TPoint point(Info.pt.x, Info.pt.y);
  for (TcxCustomPopupWindow* popup : ShownPopupWindows()) {
    if (!IsPopupVisibleListed(popup) || popup->IsLocked()) continue;
    if (popup->CaptureFocus() && !popup->Active()) continue;
    if (WindowBelongsToControl(popup, Info.hwnd, true)) continue;
    TWinControl* owner = OwnerWindowControl(popup);
    if (!IsLive(owner)) continue;
    if (WindowInControlForm(owner, Info.hwnd) || IsOwnerOnHiddenPopup(owner)) {
      bool onOwner = false;
      if (owner->HandleAllocated() && (Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONDBLCLK) &&
          (Info.hwnd == owner->Handle() || IsChild(owner->Handle(), Info.hwnd))) {
        RECT r;
        GetWindowRect(owner->Handle(), &r);
        onOwner = PtInRect(&r, Info.pt);
      }
      // The owner is watched through its window and through the popup, which forgets an owner
      // that is freed: closing may free either.
      const HWND ownerWindow = owner->HandleAllocated() ? owner->Handle() : nullptr;
      TcxObjectLink* popupLink = CreateObjectLink(popup);
      bool closed;
      {
        TShowingGuard showing;
        TCloseLockScope locked(popup);
        if (!onOwner) Swallow = popup->AcceptsKeyHook(Info.hwnd, Msg, point, CurrentShiftState());
        closed = CloseListedPopup(popup);
      }
      // A click on the owner still reaches it, unless closing has hidden or destroyed it.
      if (onOwner) {
        bool ownerGoing = popupLink->LinkedObject &&
                          (popup->PopupOwnerControl() != owner || IsComponentDestroying(owner));
        Swallow = ownerGoing || !IsWindow(ownerWindow) || !IsWindowVisible(ownerWindow);
      }
      FreeObjectLink(popupLink);
      return closed;
    }
    if (IsInOtherMDIWindow(owner, Info.hwnd)) {
      Swallow = popup->AcceptsKeyHook(Info.hwnd, Msg, point, CurrentShiftState());
      return CloseListedPopup(popup);
    }
  }
  return false;
}

LRESULT MouseHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION && IsButtonDownMessage(static_cast<UINT>(WParam)) && !ShownPopups().empty()) {
    const MOUSEHOOKSTRUCT info = *reinterpret_cast<MOUSEHOOKSTRUCT*>(LParam);
    bool swallow = false;
    while (!ShownPopups().empty() && ScanPopupsForClick(static_cast<UINT>(WParam), info, swallow)) {
    }
    if (swallow) return 1;
  }
  return CallNextHookEx(gMouseHook, Code, WParam, LParam);
}

}  // namespace

// ---- TcxCustomPopupWindow ---------------------------------------------------------------------------

TcxCustomPopupWindow::TcxCustomPopupWindow(TControl* AOwnerControl)
    : TcxCustomPopupWindow(AOwnerControl, TcxPopupWindowClasses{ContainerStyleClassOf<TcxContainerStyle>(),
                                                                ContainerViewInfoClassOf<TcxContainerViewInfo>()}) {}

TcxCustomPopupWindow::TcxCustomPopupWindow(TControl* AOwnerControl, const TcxPopupWindowClasses& Classes)
    : TcxPopupWindow(nullptr),
      FOwnerControl(AOwnerControl),
      FOwnerWindowControl(dynamic_cast<TWinControl*>(AOwnerControl)),
      FClasses(Classes) {
  SetFormStyle(fsNormal);
  FStyle.reset(FClasses.StyleClass(this, nullptr, csiNormal));
  FStyle->OnChanged = [this](TObject*) { StyleChanged(); };
  FViewInfo.reset(FClasses.ViewInfoClass());
  SetKeyPreview(true);
  if (FOwnerControl) FOwnerControl->FreeNotification(this);
}

TcxCustomPopupWindow::~TcxCustomPopupWindow() {
  Destroying();
  InvalidateObjectLinks(this);
  UnregisterShownPopup(this);
  if (FOwnerControl) FOwnerControl->RemoveFreeNotification(this);
  FOwnerControl = nullptr;
  FOwnerWindowControl = nullptr;
  FViewInfo.reset();
  FStyle->OnChanged = nullptr;
  FStyle.reset();
}

TWinControl* TcxCustomPopupWindow::PopupOwnerControl() { return FOwnerWindowControl; }

TCustomForm* TcxCustomPopupWindow::OwnerForm() const {
  return FOwnerControl ? FOwnerControl->GetParentForm() : nullptr;
}

void TcxCustomPopupWindow::Notification(TComponent* AComponent, TOperation Operation) {
  TcxPopupWindow::Notification(AComponent, Operation);
  if (Operation != opRemove || AComponent != FOwnerControl) return;
  // The owner is going, and little is left of it by now: the popup forgets it first, then closes
  // and gives the focus to nobody.
  FOwnerControl = nullptr;
  FOwnerWindowControl = nullptr;
  if (OwnerParent == AComponent) OwnerParent = nullptr;
  ClosePopup();
}

void TcxCustomPopupWindow::FireClosed() {
  if (OnClosed) OnClosed(this);
}
void TcxCustomPopupWindow::FireClosing() {
  if (OnClosing) OnClosing(this);
}
void TcxCustomPopupWindow::FireShown() {
  if (OnShown) OnShown(this);
}
void TcxCustomPopupWindow::FireShowing() {
  if (OnShowing) OnShowing(this);
}

bool TcxCustomPopupWindow::IsPopupKey(WORD Key) { return (Key >= VK_PRIOR && Key <= VK_DOWN) || Key == VK_F4; }

bool TcxCustomPopupWindow::AcceptsKeyHook(HWND, UINT, TPoint, TShiftState) { return false; }

void TcxCustomPopupWindow::LockClosing(bool Lock) { FCloseLock += Lock ? 1 : -1; }

bool TcxCustomPopupWindow::IsOwnerShowing() {
  auto* owner = FOwnerWindowControl;
  return owner && owner->HandleAllocated() && IsWindowVisible(owner->Handle());
}

bool TcxCustomPopupWindow::HasMouseCapture() { return HandleAllocated() && GetCapture() == Handle(); }

bool TcxCustomPopupWindow::Focused() {
  return IsPopupVisibleListed(this) && FCaptureFocus && HandleAllocated() && GetFocus() == Handle();
}

bool TcxCustomPopupWindow::IsShortCut(TMessage& Message) {
  if (TcxPopupWindow::IsShortCut(Message)) return true;
  TCustomForm* form = OwnerForm();
  return form && form->IsShortCut(Message);
}

bool TcxCustomPopupWindow::SetFocusedControl(TWinControl* Control) {
  TcxCounterScope locked(gActivationLock);
  return TcxPopupWindow::SetFocusedControl(Control);
}

RECT TcxCustomPopupWindow::ClientRect() { return FViewInfo->ClientRect; }

void TcxCustomPopupWindow::OwnerScreenBounds(TRect& R) {
  auto* owner = FOwnerWindowControl;
  bool child = owner ? owner->HandleAllocated() && IsChildWindowStyle(owner->Handle()) : FOwnerControl != nullptr;
  if (child) {
    TcxPopupWindow::OwnerScreenBounds(R);
    return;
  }
  R = OwnerBounds;
}

void TcxCustomPopupWindow::ClampToWorkArea(TPoint& P) {
  if (!ClampsToWorkArea()) return;
  RECT work;
  DesktopWorkArea(POINT{P.X, P.Y}, work);
  int width = Width(), height = Height();
  if (P.X < work.left) {
    width -= work.left - P.X;
    P.X = work.left;
  }
  if (P.Y < work.top) {
    height -= work.top - P.Y;
    P.Y = work.top;
  }
  // A point past the area's far edge would leave a negative size.
  P.X = std::min(P.X, static_cast<int>(work.right));
  P.Y = std::min(P.Y, static_cast<int>(work.bottom));
  width = std::max(0, std::min(width, static_cast<int>(work.right) - P.X));
  height = std::max(0, std::min(height, static_cast<int>(work.bottom) - P.Y));
  SetWidth(width);
  SetHeight(height);
  if (Height() != height && P.Y == work.top) P.Y += height - Height();
}

void TcxCustomPopupWindow::PopupModal(TWinControl* AFocusedControl) {
  if (IsPopupVisibleListed(this) || !IsOwnerShowing()) return;
  InheritOwnerFont();
  FitToControls();
  TPoint p;
  CalcPosition(p);
  ClampToWorkArea(p);
  {
    TShowingGuard showing;
    // The class library sends its forms' activation notices on WM_ACTIVATE, before the focus
    // moves: they are held back from here on, as they would be with the focus.
    TcxCounterScope locked(gActivationLock);
    RegisterShownPopup(this);
    FireShowing();
    SetBounds(p.X, p.Y, Width(), Height());
    Show();
  }

  TWinControl* focus = AFocusedControl;
  if (FCaptureFocus) {
    if (!focus) {
      focus = this;
    } else if (!(focus->CanFocus() && focus->TabStop())) {
      focus = FindNextControl(nullptr, true, true, false);
      if (!focus) focus = this;
    }
  }
  FFocusedControl = focus;
  if (focus && focus->CanFocus()) {
    TcxCounterScope locked(gActivationLock);
    focus->SetFocus();
  }

  TCustomForm* form = OwnerForm();
  bool topmost = !FCaptureFocus || !form ||
                 (form->HandleAllocated() && (GetWindowLong(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST));
  if (HandleAllocated())
    SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  SetModalResult(mrNone);
  FireShown();

  if (!FCaptureFocus || !FModalMode) return;
  // The popup may be destroyed by any message handled here: only the link is read then.
  TcxObjectLink* link = CreateObjectLink(this);
  try {
    while (link->LinkedObject && Visible() && !(Application && Application->Terminated())) {
      MSG m;
      if (PeekMessage(&m, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_NOREMOVE) &&
          (m.wParam == VK_RETURN || m.wParam == VK_MENU || m.wParam == VK_SPACE))
        PeekMessage(&m, m.hwnd, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_REMOVE);
      if (ModalResult() != mrNone) {
        if (CloseQuery())
          CloseUp();
        else
          SetModalResult(mrNone);
        if (!link->LinkedObject || !Visible()) break;
      }
      if (Application) Application->HandleMessage();
    }
  } catch (...) {
    FreeObjectLink(link);
    throw;
  }
  FreeObjectLink(link);
}

void TcxCustomPopupWindow::ClosePopup() {
  if (!IsPopupVisibleListed(this)) return;
  {
    TcxCounterScope locked(gActivationLock);
    UnregisterShownPopup(this);
    FireClosing();
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    Hide();
    FireClosed();
    HWND capture = GetCapture();
    if (capture && HandleAllocated() && (capture == Handle() || IsChild(Handle(), capture))) ReleaseCapture();
  }
  if (!ShownPopups().empty()) return;
  // The caption was kept active while the popup was up; now it shows what is true.
  TCustomForm* form = OwnerForm();
  if (form && form->HandleAllocated() && form->FormStyle() != fsMDIForm && !form->Active())
    SendMessage(form->Handle(), WM_NCACTIVATE, FALSE, 0);
}

void TcxCustomPopupWindow::VisibilityChanged() {
  if (!FCaptureFocus || !FOwnerControl || IsComponentDestroying(FOwnerControl)) return;
  if (HandleAllocated() && IsWindowVisible(Handle())) return;
  auto* owner = FOwnerWindowControl;
  TCustomForm* form = OwnerForm();
  if (!owner || !form || !form->HandleAllocated() || GetFocus() != form->Handle()) return;
  if (owner->CanFocus() && !form->ComponentState().Contains(csDesigning)) owner->SetFocus();
}

void TcxCustomPopupWindow::Deactivate() {
  TForm::Deactivate();
  if (IsLocked()) return;
  HWND active = GetActiveWindow();
  std::vector<TcxCustomPopupWindow*> list = ShownPopupWindows();
  for (std::size_t i = list.size(); i-- > 0;) {
    TcxCustomPopupWindow* popup = list[i];
    if (popup->HandleAllocated() && popup->Handle() == active) break;
    if (IsPopupVisibleListed(popup) && popup->Enabled() && !popup->IsLocked()) popup->CloseUp();
  }
  if (!ShownPopups().empty()) ClosePopup();
}

void TcxCustomPopupWindow::DoClose(TCloseAction& Action) {
  TcxPopupWindow::DoClose(Action);
  if (Action == caHide || Action == caFree) ClosePopup();
}

void TcxCustomPopupWindow::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE && IsPopupVisibleListed(this) && HasMouseCapture()) {
    ReleaseCapture();
    Key = 0;
    return;
  }
  TcxPopupWindow::KeyDown(Key, Shift);
}

void TcxCustomPopupWindow::CreateParams(TCreateParams& Params) {
  TcxPopupWindow::CreateParams(Params);
  if (FCaptureFocus) {
    TCustomForm* form = OwnerForm();
    if (form) {
      form->HandleNeeded();
      Params.WndParent = form->Handle();
    }
    Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP;
    if (FTopmostWithOwner &&
        (!form || (GetWindowLong(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST)))
      Params.ExStyle |= WS_EX_TOPMOST;
  } else {
    Params.Style = WS_CHILD;
    Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (!Params.WndParent)
      if (TcxMessageWindow* window = MessageWindowInstance()) Params.WndParent = window->Handle();
  }
  Params.Style |= WS_CLIPCHILDREN;
}

void TcxCustomPopupWindow::CreateWnd() {
  // The hooks treat the creation's messages as a popup's.
  const bool listed = IsPopupVisibleListed(this);
  if (!listed) RegisterShownPopup(this);
  try {
    TcxPopupWindow::CreateWnd();
  } catch (...) {
    if (!listed) UnregisterShownPopup(this);
    throw;
  }
  if (!listed) UnregisterShownPopup(this);
  // A desktop-level window that keeps its child style: it is never activated.
  if (!FCaptureFocus) win::SetParent(Handle(), nullptr);
}

void TcxCustomPopupWindow::RecreateAndReshow() {
  const bool shown = IsPopupVisibleListed(this);
  TWinControl* focus = FFocusedControl;
  if (HandleAllocated()) RecreateWnd();
  if (!shown) return;
  ClosePopup();
  PopupModal(focus);
}

void TcxCustomPopupWindow::SetCaptureFocus(bool Value) {
  if (Value == FCaptureFocus) return;
  FCaptureFocus = Value;
  RecreateAndReshow();
}

void TcxCustomPopupWindow::SetTopmostWithOwner(bool Value) {
  if (Value == FTopmostWithOwner) return;
  FTopmostWithOwner = Value;
  RecreateAndReshow();
}

void TcxCustomPopupWindow::Paint() { FViewInfo->PaintBody(Canvas()); }

void TcxCustomPopupWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      if (!ErasesOwnBackground()) {
        Message.Result = 1;
        return;
      }
      break;
    case CM_POPUPCLOSEREQUEST: {
      TcxObjectLink* link = CreateObjectLink(this);
      {
        TCloseLockScope locked(this);
        ClosePopup();
      }
      if (link->LinkedObject) {
        auto* owner = FOwnerWindowControl;
        if (owner && owner->HandleAllocated()) SendMessage(owner->Handle(), WM_SETFOCUS, 0, 0);
      }
      FreeObjectLink(link);
      return;
    }
    case CM_POPUPSHOWAGAIN: PopupModal(FFocusedControl); return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
      TcxPopupWindow::Dispatch(Message);
      auto* control = reinterpret_cast<TControl*>(Message.LParam);
      if (!control) control = this;
      if (Message.Msg == CM_MOUSEENTER)
        MouseEnterNotification(control);
      else
        MouseLeaveNotification(control);
      return;
    }
    default: break;
  }
  TcxPopupWindow::Dispatch(Message);
}

// ---- free routines ----------------------------------------------------------------------------------

bool IsPopupVisibleListed(TcxCustomPopupWindow* Popup) {
  const auto& list = ShownPopups();
  return Popup && std::find(list.begin(), list.end(), static_cast<TcxShownPopup*>(Popup)) != list.end();
}

void PostPopupCloseRequest(TcxCustomPopupWindow* Popup) {
  if (Popup && Popup->HandleAllocated()) PostMessage(Popup->Handle(), CM_POPUPCLOSEREQUEST, 0, 0);
}

void PopupUnitStartup() {
  static const bool grouped = [] {
    GroupDescendentsWith(TcxStyleController::StaticClass(), TControl::StaticClass());
    return true;
  }();
  (void)grouped;
  if (gWndProcHook) return;
  const DWORD thread = GetCurrentThreadId();
  gWndProcHook = SetWindowsHookEx(WH_CALLWNDPROC, &WndProcHook, nullptr, thread);
  gGetMessageHook = SetWindowsHookEx(WH_GETMESSAGE, &GetMessageHook, nullptr, thread);
  gMouseHook = SetWindowsHookEx(WH_MOUSE, &MouseHook, nullptr, thread);
}

void PopupUnitShutdown() {
  for (HHOOK* hook : {&gMouseHook, &gGetMessageHook, &gWndProcHook}) {
    if (*hook) UnhookWindowsHookEx(*hook);
    *hook = nullptr;
  }
  // A swallowing still pending keeps its saved procedure: the window puts it back itself.
  gActivationLock = 0;
}
