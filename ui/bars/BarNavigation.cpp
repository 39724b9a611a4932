#include "ui/bars/BarNavigation.h"

#include "platform/win/Keys.h"

#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarItemControl.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarUnit.h"

using namespace win;

namespace {

TdxBarManager* ManagerOf(IdxBarAccessibilityHelper* Helper) {
  TdxBarAccessibilityHelper* helper = BarHelperOf(Helper);
  return helper && helper->IsOwnerObjectLive() ? helper->OwningBarManager() : nullptr;
}

}  // namespace

TCustomdxBarControl* TdxBarNavigationController::ActiveNavigationBar() const {
  TCustomdxBarControl* active = ActiveBarWindow;
  if (!active) {
    TdxBarDesignController* design = BarDesignController();
    return design ? dynamic_cast<TCustomdxBarControl*>(design->QuickCustomizationPopup()) : nullptr;
  }
  if (!active->HandleAllocated() || !IsWindowEnabled(active->Handle())) return nullptr;
  if (active->InCustomizingMode()) return nullptr;
  return active;
}

IdxBarAccessibilityHelper* TdxBarNavigationController::CurrentSelection() const {
  if (TCustomdxBarControl* bar = ActiveNavigationBar())
    if (TdxBarItemControl* control = bar->SelectedControl()) return control->AccessibilityHelperOf();
  return FSelectedObject;
}

IdxBarAccessibilityHelper* TdxBarNavigationController::CurrentSelectionParent() const {
  if (TCustomdxBarControl* bar = ActiveNavigationBar()) return BarAccessibilityHelperOf(bar->AccessibilityHelper());
  return FSelectedParent;
}

void TdxBarNavigationController::ChangeSelection(bool SetFocus, IdxBarAccessibilityHelper* New,
                                                 IdxBarAccessibilityHelper* Old) {
  if (!Old) Old = CurrentSelection();
  if (!New || New == Old) return;
  THelperHold holdNew(New), holdOld(Old);
  TdxBarManager* manager = ManagerOf(New);
  const bool lock = manager && Old && manager == ManagerOf(Old);
  if (lock) manager->LockChangingFocusedItem();
  try {
    if (Old) Old->UnselectObject(New);
    New->SelectObject(SetFocus);
  } catch (...) {
    if (lock) manager->UnlockChangingFocusedItem();
    throw;
  }
  if (lock) manager->UnlockChangingFocusedItem();
}

void TdxBarNavigationController::ForgetObject(IdxBarAccessibilityHelper* Object) {
  if (!Object) return;
  if (Object == FSelectedObject) FSelectedObject = nullptr;
  if (Object == FSelectedParent) FSelectedObject = FSelectedParent = nullptr;
}

void TdxBarNavigationController::ProcessKey(WORD Key, TShiftState Shift, IdxBarAccessibilityHelper* Selected,
                                            IdxBarAccessibilityHelper* Parent) {
  const bool wasHandling = FHandlingKey;
  FHandlingKey = true;
  struct TRestore {
    bool& Flag;
    bool Value;
    ~TRestore() { Flag = Value; }
  } restore{FHandlingKey, wasHandling};
  if (!Selected) Selected = CurrentSelection();
  if (!Parent) Parent = CurrentSelectionParent();
  IdxBarAccessibilityHelper* acting = Selected ? Selected : Parent;
  if (!acting) return;
  THelperHold holdActing(acting), holdSelected(Selected);
  if (Key == VK_MENU || Key == VK_ESCAPE || Key == VK_F10) {
    if (Key == VK_ESCAPE && acting->ProcessNavigationKey(Key)) return;
    acting->UnselectObject(nullptr);
    return;
  }
  if (acting->ProcessNavigationKey(Key)) return;
  IdxBarAccessibilityHelper* target = nullptr;
  if (!Selected) {
    if (TdxBarAccessibilityHelper* parent = BarHelperOf(Parent)) target = BarInterfaceOf(parent->FirstSelectableObject());
  } else if (Key == VK_TAB) {
    Selected->NextInTabOrder(Shift, target);
  } else {
    int direction = Shift.Contains(ssShift) ? dxNavLeft : dxNavRight;
    switch (Key) {
      case VK_LEFT: direction = dxNavLeft; break;
      case VK_UP: direction = dxNavUp; break;
      case VK_RIGHT: direction = dxNavRight; break;
      case VK_DOWN: direction = dxNavDown; break;
      default: break;
    }
    Selected->NeighbourInDirection(direction, target);
  }
  ChangeSelection(Key == VK_TAB, target, Selected);
}
