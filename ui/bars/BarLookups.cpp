#include "ui/bars/BarLookups.h"

#include "platform/system/Version.h"
#include "platform/win/Focus.h"
#include "platform/win/Mdi.h"
#include "platform/win/Window.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"

using namespace win;

namespace {

bool IsChildWindow(HWND Window) { return (GetWindowLong(Window, GWL_STYLE) & WS_CHILD) != 0; }

// The window that stands for the control: its own, or its parent's for a control without one.
TWinControl* WindowedControlOf(TControl* Control) {
  if (!Control) return nullptr;
  if (auto* windowed = dynamic_cast<TWinControl*>(Control)) return windowed;
  return Control->Parent();
}

}  // namespace

// ---- windows, controls and forms ------------------------------------------------------------------

TWinControl* VclControlOfChildWindow(HWND Window) {
  for (HWND h = Window; h; h = GetParent(h)) {
    if (TWinControl* control = FindControl(h)) return control;
    if (!IsChildWindow(h)) break;
  }
  return nullptr;
}

TWinControl* VclControlAbove(HWND Window) {
  for (HWND h = Window; h; h = GetParent(h))
    if (TWinControl* control = FindControl(h)) return control;
  return nullptr;
}

bool FocusWithin(HWND Window) {
  const HWND focus = GetFocus();
  if (!Window || !focus) return false;
  return focus == Window || (IsChildWindow(focus) && IsChild(Window, focus));
}

void CancelActiveFormModes() {
  if (auto* form = dynamic_cast<TCustomForm*>(FindControl(GetActiveWindow()))) form->Perform(CM_CANCELMODE);
}

void ActivateTopLevelWindow(HWND Window) {
  HWND h = Window;
  while (h && IsChildWindow(h)) h = GetParent(h);
  if (h) SetActiveWindow(h);
}

TCustomForm* ActiveFormOfApplication() {
  const HWND active = GetActiveWindow();
  auto* form = dynamic_cast<TCustomForm*>(FindControl(active));
  if (!form || !IsWindowEnabled(active)) return nullptr;
  if (form->FormStyle() == fsMDIForm)
    if (HWND client = FindWindowEx(active, nullptr, "MDICLIENT", nullptr)) {
      const HWND document = reinterpret_cast<HWND>(SendMessage(client, WM_MDIGETACTIVE, 0, 0));
      if (auto* child = dynamic_cast<TCustomForm*>(FindControl(document))) return child;
    }
  return form;
}

TWinControl* WinControlOwnerOf(TComponent* Component) {
  for (TComponent* c = Component; c; c = c->Owner())
    if (auto* windowed = dynamic_cast<TWinControl*>(c)) return windowed;
  return nullptr;
}

TCustomForm* FormOfControl(TControl* Control, TdxBarFormKind Kind) {
  TWinControl* windowed = WindowedControlOf(Control);
  if (!windowed || !windowed->HandleAllocated()) return nullptr;
  TCustomForm* candidate = nullptr;
  for (HWND h = windowed->WindowHandle(); h; h = GetParent(h)) {
    if (auto* form = dynamic_cast<TCustomForm*>(FindControl(h))) {
      candidate = form;
      if (Kind == bfkFirst || (Kind == bfkTopLevelOrMDIChild && form->FormStyle() == fsMDIChild)) break;
    }
    if (!IsChildWindow(h)) break;
  }
  return candidate;
}

TCustomForm* FormOfComponent(TComponent* Component) { return FormOfControl(WinControlOwnerOf(Component), bfkFirst); }

bool ControlContains(TControl* Outer, TControl* Inner) {
  TWinControl* inner = WindowedControlOf(Inner);
  if (!Outer || !inner) return false;
  auto* outer = dynamic_cast<TWinControl*>(Outer);
  if (outer && outer->HandleAllocated() && inner->HandleAllocated())
    return outer->WindowHandle() == inner->WindowHandle() || IsChild(outer->WindowHandle(), inner->WindowHandle());
  for (TControl* c = inner; c; c = c->Parent())
    if (c == Outer) return true;
  return false;
}

bool ShownAndNotMinimized(HWND AWindow) {
  if (!AWindow || !IsWindowVisible(AWindow)) return false;
  for (HWND window = AWindow; window; window = IsChildWindow(window) ? GetParent(window) : nullptr)
    if (IsIconic(window)) return false;
  return true;
}

bool IsOtherProcessWindow(HWND Window) {
  if (!Window) return true;
  DWORD process = 0;
  GetWindowThreadProcessId(Window, &process);
  return process != GetCurrentProcessId();
}

bool IsActiveMDIChild(TCustomForm* Form) {
  if (!Form || !Form->HandleAllocated()) return false;
  const HWND window = Form->WindowHandle();
  // A document's parent is its MDI client, which knows the active one.
  const HWND client = GetParent(window);
  return client && reinterpret_cast<HWND>(SendMessage(client, WM_MDIGETACTIVE, 0, 0)) == window;
}

// ---- managers -----------------------------------------------------------------------------------

TdxBarManager* FindManagerOf(TComponent* Component) {
  if (auto* manager = dynamic_cast<TdxBarManager*>(Component)) return manager;
  if (!Component || !BarManagers) return nullptr;
  for (int i = 0; i < BarManagers->Count(); ++i)
    if (BarManagers->Managers(i)->Owner() == Component) return BarManagers->Managers(i);
  return nullptr;
}

TCustomForm* FormOfManager(TdxBarManager* Manager, TdxBarFormKind Kind) {
  return Manager ? FormOfControl(dynamic_cast<TControl*>(Manager->Owner()), Kind) : nullptr;
}

bool ManagerLiesWithin(TdxBarManager* Manager, HWND Window) {
  auto* owner = Manager ? dynamic_cast<TWinControl*>(Manager->Owner()) : nullptr;
  if (!Window || !owner || !owner->HandleAllocated()) return false;
  for (HWND h = owner->WindowHandle(); h; h = IsChildWindow(h) ? GetParent(h) : nullptr)
    if (h == Window) return true;
  return false;
}

// ---- bar windows --------------------------------------------------------------------------------

TCustomdxBarControl* RootBarWindow(TCustomdxBarControl* BarWindow) {
  TCustomdxBarControl* window = BarWindow;
  while (window && !window->ComponentState().Contains(csDestroying)) {
    TCustomdxBarControl* parent = window->ParentBar();
    if (!parent || (window->IsInternal() && !parent->IsInternal())) break;
    window = parent;
  }
  return window;
}

TCustomdxBarControl* RootToolbar(TCustomdxBarControl* BarWindow) {
  TCustomdxBarControl* root = RootBarWindow(BarWindow);
  return dynamic_cast<TdxBarSubMenuControl*>(root) ? nullptr : root;
}

// ---- interfaces of bar objects ------------------------------------------------------------------

IdxBarAccessibilityHelper* BarAccessibilityHelperOf(TObject* Object) {
  IdxBarAccessibilityHelper* helper = nullptr;
  Supports(Object, &helper);
  return helper;
}

IdxBarLinksOwner* BarLinksOwnerOf(TObject* Object) {
  IdxBarLinksOwner* owner = nullptr;
  Supports(Object, &owner);
  return owner;
}

TdxBarItemLinks* ItemLinksOf(TObject* Object) {
  IdxBarLinksOwner* owner = BarLinksOwnerOf(Object);
  return owner ? owner->ItemLinks() : nullptr;
}

void ReleaseAccessibilityHelper(IdxBarAccessibilityHelper*& Helper) {
  if (Helper) Helper->OwnerGone();
  Helper = nullptr;
}

void FreeObjectLinkAndNil(TcxObjectLink*& Link) {
  TcxObjectLink* link = Link;
  Link = nullptr;
  FreeObjectLink(link);
}
