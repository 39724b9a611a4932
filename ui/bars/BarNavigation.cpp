#include "ui/bars/BarNavigation.h"

#include <algorithm>

#include "platform/classes/SysUtils.h"
#include "platform/win/Focus.h"
#include "platform/win/Keyboard.h"
#include "platform/win/Keys.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarHintTiming.h"
#include "ui/bars/BarHooks.h"
#include "ui/bars/BarItemControl.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/ControlServices.h"
#include "ui/controls/Timer.h"
#include "ui/foundation/Core.h"
#include "ui/foundation/ScopeGuards.h"

using namespace win;

namespace {

constexpr unsigned kKeyTipsDelay = 500;

TdxBarManager* ManagerOf(IdxBarAccessibilityHelper* Helper) {
  TdxBarAccessibilityHelper* helper = BarHelperOf(Helper);
  return helper && helper->IsOwnerObjectLive() ? helper->OwningBarManager() : nullptr;
}

bool SameHelper(IdxBarAccessibilityHelper* A, IdxBarAccessibilityHelper* B) { return BarHelperOf(A) == BarHelperOf(B); }

bool StartsWith(const String& S, const String& Prefix) { return S.compare(0, Prefix.size(), Prefix) == 0; }

String DigitsOf(int Value, int Width) {
  String s = std::to_string(Value);
  return String(static_cast<std::size_t>(std::max(0, Width - static_cast<int>(s.size()))), '0') + s;
}

}  // namespace

// ---- key tip lists -------------------------------------------------------------------------------

int MakeKeyTipsUnique(TdxBarKeyTipDataList& List) {
  const std::size_t n = List.size();
  int passes = 0;
  for (bool changed = true; changed;) {
    changed = false;
    ++passes;
    for (std::size_t i = 0; i < n; ++i) {
      const String tip = List[i]->KeyTipInfo.KeyTip;
      std::vector<std::size_t> group;
      bool startsAnother = false;
      for (std::size_t j = 0; j < n; ++j) {
        const String& other = List[j]->KeyTipInfo.KeyTip;
        if (other == tip)
          group.push_back(j);
        else if (StartsWith(other, tip))
          startsAnother = true;
      }
      if (group.size() >= 2) {
        const int width = static_cast<int>(std::to_string(group.size()).size());
        for (std::size_t k = 0; k < group.size(); ++k)
          List[group[k]]->KeyTipInfo.KeyTip += DigitsOf(static_cast<int>(k + 1), width);
        changed = true;
      } else if (startsAnother) {
        List[i]->KeyTipInfo.KeyTip += "1";
        changed = true;
      }
    }
  }
  return passes;
}

void KeyTipDataOf(IdxBarAccessibilityHelper* Container, TdxBarKeyTipDataList& List) {
  if (TdxBarAccessibilityHelper* helper = BarHelperOf(Container)) helper->CollectKeyTipData(List);
  MakeKeyTipsUnique(List);
}

// ---- the controller ------------------------------------------------------------------------------

TdxBarNavigationController::~TdxBarNavigationController() {
  FreeWaitingTimer();
  FWaitingRoot = nullptr;
  // The hosts' windows go with their containers; the list only lets go of its records.
  FKeyTipList.clear();
}

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

bool TdxBarNavigationController::DrivesBarControl(const TCustomdxBarControl* BarControl) const {
  return FInNavigation && BarControl && BarControl == ActiveNavigationBar();
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

void TdxBarNavigationController::DropSelection() {
  if (IdxBarAccessibilityHelper* selected = FSelectedObject) {
    THelperHold hold(selected);
    selected->UnselectObject(nullptr);
  }
}

void TdxBarNavigationController::ForgetObject(IdxBarAccessibilityHelper* Object) {
  if (!Object) return;
  if (SameHelper(Object, FSelectedObject)) FSelectedObject = nullptr;
  if (SameHelper(Object, FSelectedParent)) FSelectedObject = FSelectedParent = nullptr;
  // A root gone during the wait would be read when the timer fires.
  if (SameHelper(Object, FWaitingRoot)) {
    FreeWaitingTimer();
    FWaitingRoot = nullptr;
  }
  if (SameHelper(Object, FKeyTipContainer)) {
    ShowKeyTips(nullptr, {});
    return;
  }
  // A tip's action is bound to its helper: the tips of a helper that is gone go too.
  TdxBarAccessibilityHelper* gone = BarHelperOf(Object);
  const auto first = std::stable_partition(FKeyTipList.begin(), FKeyTipList.end(),
                                           [gone](const auto& Data) { return Data->Helper != gone; });
  if (first == FKeyTipList.end()) return;
  IKeyTipWindowHost* host = nullptr;
  bool hidden = false;
  if (FKeyTipContainer && FKeyTipContainer->KeyTipsAvailable(host) && host)
    for (auto it = first; it != FKeyTipList.end(); ++it)
      if ((*it)->KeyTipWindow) {
        host->HideKeyTip((*it)->KeyTipWindow);
        hidden = true;
      }
  FKeyTipList.erase(first, FKeyTipList.end());
  if (hidden) host->CommitKeyTips();
}

bool TdxBarNavigationController::IsMovementKey(WORD Key) {
  if (Key >= VK_LEFT && Key <= VK_DOWN) return true;
  return Key == VK_TAB && (GetKeyState(VK_CONTROL) & 0x8000) == 0;
}

bool TdxBarNavigationController::WantsKeyForNavigation(WORD Key) {
  bool wants = false;
  if (IsMovementKey(Key)) {
    wants = true;
  } else {
    TdxBarDesignController* design = BarDesignController();
    if (!ActiveBarWindow && !(design && design->QuickCustomizationPopup())) {
      if (Key == VK_MENU) {
        wants = true;
      } else if (Key == VK_F10) {
        TdxBarManager* manager = ManagerOf(CurrentSelectionParent());
        wants = manager && manager->UseF10ForMenu();
      }
    }
  }
  if (IdxBarAccessibilityHelper* selected = CurrentSelection()) return wants || selected->WantsNavigationKey(Key);
  if (IdxBarAccessibilityHelper* parent = CurrentSelectionParent()) return wants || parent->WantsNavigationKey(Key);
  return wants;
}

bool TdxBarNavigationController::ClaimsKey(WORD Key, TShiftState Shift) {
  if (WantsKeyForNavigation(Key))
    if (IdxBarAccessibilityHelper* parent = CurrentSelectionParent(); parent && parent->AllowsChildNavigation(Key))
      return true;
  if (!KeyTipsWaitingOrShown()) return false;
  TNotifyEvent handler;
  bool partial = false;
  return FindKeyTip(Key, Shift, handler, partial);
}

void TdxBarNavigationController::ProcessKey(WORD Key, TShiftState Shift, IdxBarAccessibilityHelper* Selected,
                                            IdxBarAccessibilityHelper* SelectedParent) {
  TcxFlagScope handling(FHandlingKey, true);
  TNotifyEvent handler;
  bool partial = false;
  if (IsWaiting()) {
    AltPending = false;
    if (FindKeyTip(Key, Shift, handler, partial)) {
      if (partial) ApplyKeyTipKey(Key, Shift);
      StopKeyTipsWaiting(false);
      return;
    }
  }
  if (InKeyTipMode() && Key != VK_ESCAPE) {
    if (FindKeyTip(Key, Shift, handler, partial)) {
      if (partial) ApplyKeyTipKey(Key, Shift);
      return;
    }
    StopKeyTips();
  }
  if (!Selected) Selected = CurrentSelection();
  if (!SelectedParent) SelectedParent = CurrentSelectionParent();
  if (Key == VK_ESCAPE && InKeyTipMode()) {
    EscapeKeyTips(FKeyTipContainer);
    return;
  }
  IdxBarAccessibilityHelper* acting = Selected ? Selected : SelectedParent;
  if (!acting) return;
  THelperHold holdActing(acting), holdSelected(Selected), holdParent(SelectedParent);
  if (Key == VK_MENU || Key == VK_ESCAPE || Key == VK_F10) {
    if (Key == VK_ESCAPE && acting->ProcessNavigationKey(Key)) return;
    acting->UnselectObject(nullptr);
    return;
  }
  if (acting->ProcessNavigationKey(Key)) return;
  IdxBarAccessibilityHelper* target = nullptr;
  if (!Selected) {
    if (TdxBarAccessibilityHelper* parent = BarHelperOf(SelectedParent))
      target = BarInterfaceOf(parent->FirstSelectableObject());
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

void TdxBarNavigationController::EndKeyboardMode() {
  AltPending = false;
  FInNavigation = false;
  if (TdxBarManager* manager = ManagerOf(CurrentSelection())) HideHint(manager);
  DropSelection();
  if (IdxBarAccessibilityHelper* current = CurrentSelection()) {
    THelperHold hold(current);
    current->UnselectObject(nullptr);
  }
  StopKeyTips();
}

void TdxBarNavigationController::EnterNavigation(IdxBarAccessibilityHelper* Root) {
  // The keyboard hook may find a manager without a main menu, or a root of another kind: only
  // toolbar windows name a default object, and nothing is entered without one.
  if (!Root) return;
  IdxBarAccessibilityHelper* object = nullptr;
  try {
    Root->DefaultSelectable(object);
  } catch (const EdxException&) {
    object = nullptr;
  }
  if (!object) return;
  FInNavigation = true;
  ChangeSelection(false, object);
}

// ---- key tips ------------------------------------------------------------------------------------

bool TdxBarNavigationController::RootOffersKeyTips(IdxBarAccessibilityHelper* Root) {
  IKeyTipWindowHost* host = nullptr;
  return Root && Root->KeyTipsAvailable(host) && host;
}

void TdxBarNavigationController::FreeWaitingTimer() {
  TcxTimer* timer = FWaitingTimer;
  FWaitingTimer = nullptr;
  delete timer;
}

void TdxBarNavigationController::StartKeyTipsWaiting(IdxBarAccessibilityHelper* Root) {
  if (!Root) throw EdxException("Key tips cannot wait for no root");
  if (IsWaiting() && !SameHelper(Root, FWaitingRoot)) throw EdxException("Key tips already wait for another root");
  if (IsWaiting() || InKeyTipMode()) return;
  FWaitingRoot = Root;
  FWaitingTimer = new TcxTimer(nullptr);
  FWaitingTimer->SetInterval(kKeyTipsDelay);
  FWaitingTimer->SetOnTimer([this](TObject* Sender) { WaitingTimerTick(Sender); });
}

void TdxBarNavigationController::WaitingTimerTick(TObject*) {
  if (AltPending) {
    StopKeyTipsWaiting(true);
    return;
  }
  // Alt went with another key: the wait is over without key tips, and the next Alt waits afresh.
  FreeWaitingTimer();
  FWaitingRoot = nullptr;
}

void TdxBarNavigationController::StopKeyTipsWaiting(bool ShowNow) {
  AltPending = false;
  if (!IsWaiting()) return;
  IdxBarAccessibilityHelper* root = FWaitingRoot;
  FreeWaitingTimer();
  FWaitingRoot = nullptr;
  if (ShowNow) ShowKeyTips(root, {});
}

void TdxBarNavigationController::HideAndFreeKeyTips() {
  IKeyTipWindowHost* host = nullptr;
  bool hidden = false;
  if (FKeyTipContainer && FKeyTipContainer->KeyTipsAvailable(host) && host)
    for (const auto& data : FKeyTipList)
      if (data->KeyTipWindow) {
        host->HideKeyTip(data->KeyTipWindow);
        data->KeyTipWindow = nullptr;
        hidden = true;
      }
  FKeyTipList.clear();
  // A host that shows its windows in rounds learns that this round only hid them.
  if (hidden) host->CommitKeyTips();
}

void TdxBarNavigationController::RefreshKeyTipWindows() {
  IKeyTipWindowHost* host = nullptr;
  if (!FKeyTipContainer || !FKeyTipContainer->KeyTipsAvailable(host) || !host) return;
  for (const auto& data : FKeyTipList) {
    const TdxBarKeyTipInfo& info = data->KeyTipInfo;
    if (!info.Visible) continue;
    const String tip = AnsiUpperCase(info.KeyTip);
    if (!FTypedKeys.empty() && !StartsWith(tip, FTypedKeys)) {
      if (data->KeyTipWindow) host->HideKeyTip(data->KeyTipWindow);
      data->KeyTipWindow = nullptr;
    } else if (!data->KeyTipWindow) {
      host->ShowKeyTip(tip, info.Anchor, info.HorizontalPlacement, info.VerticalPlacement, info.Enabled,
                       data->KeyTipWindow);
    }
  }
  host->CommitKeyTips();
}

void TdxBarNavigationController::ShowKeyTips(IdxBarAccessibilityHelper* Container, const String& Typed) {
  if (!SameHelper(Container, FKeyTipContainer)) {
    HideAndFreeKeyTips();
    FKeyTipContainer = Container;
    FTypedKeys.clear();
    if (!Container) return;
    FTypedKeys = AnsiUpperCase(Typed);
    KeyTipDataOf(Container, FKeyTipList);
    RefreshKeyTipWindows();
    return;
  }
  if (!SameText(Typed, FTypedKeys)) {
    FTypedKeys = AnsiUpperCase(Typed);
    RefreshKeyTipWindows();
  }
}

void TdxBarNavigationController::StopKeyTips() {
  StopKeyTipsWaiting(false);
  ShowKeyTips(nullptr, {});
}

bool TdxBarNavigationController::FindKeyTip(WORD Key, TShiftState Shift, TNotifyEvent& Handler, bool& Partial) {
  Handler = nullptr;
  Partial = false;
  if (InKeyTipMode() && Key == VK_ESCAPE) return true;
  const UINT character = MapVirtualKey(Key, MAPVK_VK_TO_CHAR);
  // Bit 31 marks a dead key.
  if ((character & 0x80000000u) || character < 32 || character == ' ') return false;
  bool handled = !Shift.Contains(ssAlt);
  TdxBarKeyTipDataList waiting;
  const TdxBarKeyTipDataList* list = &FKeyTipList;
  String typed = FTypedKeys;
  if (!InKeyTipMode()) {
    if (!IsWaiting()) return false;
    KeyTipDataOf(FWaitingRoot, waiting);
    list = &waiting;
    typed.clear();
  }
  if (const char c = VirtualKeyToAnsiChar(Key)) typed += c;
  const String text = AnsiUpperCase(typed);
  for (const auto& data : *list) {
    const String tip = AnsiUpperCase(data->KeyTipInfo.KeyTip);
    if (!StartsWith(tip, text)) continue;
    Partial = handled = true;
    if (tip == text && data->KeyTipInfo.Enabled) Handler = data->KeyTipInfo.OnExecute;
    break;
  }
  if (!Partial && FHandlingKey) MessageBeep(0);
  return handled;
}

void TdxBarNavigationController::ApplyKeyTipKey(WORD Key, TShiftState Shift) {
  TNotifyEvent handler;
  bool partial = false;
  FindKeyTip(Key, Shift, handler, partial);
  if (handler) {
    FWaitingRoot = nullptr;
    FreeWaitingTimer();
    handler(this);
    return;
  }
  IdxBarAccessibilityHelper* container = FKeyTipContainer;
  if (!container && FWaitingRoot) {
    container = FWaitingRoot;
    FWaitingRoot = nullptr;
    FreeWaitingTimer();
  }
  if (!container) return;
  String typed = FTypedKeys;
  if (const char c = VirtualKeyToAnsiChar(Key)) typed += c;
  ShowKeyTips(container, typed);
}
