#pragma once
// Finding the class-library controls, forms and bar windows a window or component belongs to, and
// the interfaces bar objects answer (accessibility helpers, owners of item links) with their
// nil-safe queries.
#include "platform/classes/Controls.h"
#include "platform/classes/Forms.h"
#include "platform/classes/Interface.h"
#include "ui/bars/BarClasses.h"
#include "ui/foundation/ObjectLinks.h"

// ---- windows, controls and forms ------------------------------------------------------------------

enum TdxBarFormKind { bfkTopLevel, bfkTopLevelOrMDIChild, bfkFirst };

// The first class-library control from the window outwards through child windows; nil for none.
TWinControl* VclControlOfChildWindow(win::HWND Window);
// The first class-library control from the window outwards through every parent.
TWinControl* VclControlAbove(win::HWND Window);
// The window has the focus, or is a child window whose parent (at any depth) has it.
bool FocusWithin(win::HWND Window);
// The active window's form, when it is one, is told to cancel its modes (captures, drags).
void CancelActiveFormModes();
// Activates the first window above Window (itself included) that is not a child window.
void ActivateTopLevelWindow(win::HWND Window);
// The control of the active window when it is a form with an enabled window (an MDI parent's
// active document when it has one); nil otherwise.
TCustomForm* ActiveFormOfApplication();
// The component itself or its nearest owner that is a windowed control.
TWinControl* WinControlOwnerOf(TComponent* Component);
// Nil when the control has no window. Otherwise every form met on the way out through child
// windows becomes the candidate; the walk ends at a window that is not a child or at a candidate
// of the kind (any form for bfkFirst, an MDI child for bfkTopLevelOrMDIChild).
TCustomForm* FormOfControl(TControl* Control, TdxBarFormKind Kind);
TCustomForm* FormOfComponent(TComponent* Component);
// Inner (or its parent when it has no window of its own) lies in Outer: by window containment
// when both have windows, else by the parent chain.
bool ControlContains(TControl* Outer, TControl* Inner);
// The window is visible and neither it nor a window it lies in is minimized.
bool ShownAndNotMinimized(win::HWND AWindow);
// True for no window and for a window of another process.
bool IsOtherProcessWindow(win::HWND Window);
// The form is the active document of its MDI client.
bool IsActiveMDIChild(TCustomForm* Form);

// ---- managers -----------------------------------------------------------------------------------

class TdxBarManager;
// The component itself when it is a manager, else the live manager it owns; nil for none.
TdxBarManager* FindManagerOf(TComponent* Component);
TCustomForm* FormOfManager(TdxBarManager* Manager, TdxBarFormKind Kind);
// The manager's owner has a window from which the walk out through child windows reaches Window.
bool ManagerLiesWithin(TdxBarManager* Manager, win::HWND Window);

// ---- bar windows --------------------------------------------------------------------------------

// The bar window that owns keyboard and mouse input, the newest of the active chain; nil for none.
extern TCustomdxBarControl* ActiveBarWindow;
// While the menus of the active chain show all their items (set when a chain starts).
extern bool BarFullMenus;

// Walks to the parent bar window while the window is not being destroyed and has a parent; an
// internal window whose parent is not internal ends the walk at itself.
TCustomdxBarControl* RootBarWindow(TCustomdxBarControl* BarWindow);
// The root bar window unless it is a menu window.
TCustomdxBarControl* RootToolbar(TCustomdxBarControl* BarWindow);

// ---- interfaces of bar objects ------------------------------------------------------------------

class TdxBarManager;
class TdxBarItem;
class TdxBarItemLinks;
class TdxBarAccessibilityHelper;
class IKeyTipWindowHost;

// {D4890860-09B2-4648-BD9E-DFFBD140E5F1}
class IcxAccessibilityHelper : public virtual IInterface {
 public:
  // The helper object itself.
  virtual TObject* HelperObject() = 0;
  // The described object is being destroyed: from now on the helper answers nothing.
  virtual void OwnerGone() = 0;
};

// {5AE17753-A04D-4496-B5A3-08B2CEDE40F7}: what keyboard navigation and key tips ask of the
// helper of a bar object.
class IdxBarAccessibilityHelper : public virtual IcxAccessibilityHelper {
 public:
  virtual bool KeyTipsAvailable(IKeyTipWindowHost*& WindowHost) = 0;
  virtual bool AllowsChildNavigation(win::WORD Key) = 0;
  virtual TdxBarAccessibilityHelper* BarHelperObject() = 0;
  virtual TdxBarManager* OwningBarManager() = 0;
  virtual void DefaultSelectable(IdxBarAccessibilityHelper*& Object) = 0;
  virtual void NeighbourInDirection(int Direction, IdxBarAccessibilityHelper*& Object) = 0;
  virtual void RootObject(IdxBarAccessibilityHelper*& Object) = 0;
  virtual bool ProcessNavigationKey(win::WORD& Key) = 0;
  virtual bool WantsNavigationKey(win::WORD Key) = 0;
  virtual bool IsCurrentSelection() = 0;
  virtual void NextInTabOrder(TShiftState Shift, IdxBarAccessibilityHelper*& Object) = 0;
  virtual void SelectObject(bool SetFocus) = 0;
  virtual void UnselectObject(IdxBarAccessibilityHelper* NextObject) = 0;
};

// Each nil when the object does not answer the interface (or is nil).
IdxBarAccessibilityHelper* BarAccessibilityHelperOf(TObject* Object);
IdxBarLinksOwner* BarLinksOwnerOf(TObject* Object);
TdxBarItemLinks* ItemLinksOf(TObject* Object);
// Tells the helper that its owner is gone before the reference is dropped.
void ReleaseAccessibilityHelper(IdxBarAccessibilityHelper*& Helper);

// The linked object; nil for no link and for a link whose object is gone.
inline TObject* LinkedObjectOf(const TcxObjectLink* Link) { return Link ? Link->LinkedObject : nullptr; }
// Clears the variable before the link goes.
void FreeObjectLinkAndNil(TcxObjectLink*& Link);
