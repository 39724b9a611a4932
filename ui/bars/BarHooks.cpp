#include "ui/bars/BarHooks.h"

#include <cctype>

#include "platform/classes/Forms.h"
#include "platform/win/Focus.h"
#include "platform/win/Help.h"
#include "platform/win/Keyboard.h"
#include "platform/win/Keys.h"
#include "platform/system/Sync.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarHintTiming.h"
#include "ui/bars/BarHintWindow.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarNavigation.h"
#include "ui/bars/BarPopupMenuLinks.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/ControlServices.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

bool SuppressedKeyActive = false;
WORD SuppressedKey = 0;
bool AltPending = false;
bool KeysLocked = false;
bool DirectKeyQuery = false;
bool MouseHookBusy = false;
bool ManagerLookupBusy = false;
bool AppDeactivating = false;
bool AppActive = true;

namespace {

HHOOK gKeyboardHook = nullptr, gMouseHook = nullptr, gMessageHook = nullptr;
TdxBarHintWindow* gHintWindow = nullptr;

HHOOK InstallThreadHook(int AKind, HOOKPROC AProc) { return SetWindowsHookEx(AKind, AProc, nullptr, GetCurrentThreadId()); }

// Sets a flag for a scope and clears it again, also when the scope raises.
class TFlagScope {
 public:
  explicit TFlagScope(bool& AFlag) : FFlag(AFlag) { FFlag = true; }
  ~TFlagScope() { FFlag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& FFlag;
};

void RemoveHook(HHOOK& AHook) {
  if (AHook) BarHookApi.Remove(AHook);
  AHook = nullptr;
}

void RemoveHooksAndHintWindow() {
  RemoveHook(gMessageHook);
  RemoveHook(gMouseHook);
  RemoveHook(gKeyboardHook);
  BarHintTimingReset();
  TObject::Free(gHintWindow);
  gHintWindow = nullptr;
}

TdxBarNavigationController* Navigation() { return BarNavigationController; }

bool KeyIsDown(int AKey) { return (GetKeyState(AKey) & 0x8000) != 0; }

TShiftState CurrentShift() {
  TShiftState shift;
  if (KeyIsDown(VK_SHIFT)) shift.Include(ssShift);
  if (KeyIsDown(VK_MENU)) shift.Include(ssAlt);
  if (KeyIsDown(VK_CONTROL)) shift.Include(ssCtrl);
  return shift;
}

void Suppress(WORD Key) {
  SuppressedKeyActive = true;
  SuppressedKey = Key;
}

// An edit-type control of a bar that is editing keeps its keys.
bool IsEditing(TdxBarItemControl* AControl) {
  auto* edit = dynamic_cast<TdxBarEditControl*>(AControl);
  return edit && edit->Focused();
}

bool IsLive(TCustomdxBarControl* ABar) { return ABar && IsBarControlAlive(ABar) && !ABar->IsDestroying(); }

// ---- general key handling ----

bool HandleGeneralKey(WORD Key, LPARAM KeyData) {
  const bool down = (KeyData & 0x80000000) == 0;
  const TShiftState shift = CurrentShift();
  if (SuppressedKeyActive && Key == SuppressedKey && !down) {
    SuppressedKeyActive = false;
    return true;
  }
  TdxBarDesignController* design = BarDesignController();
  if (design && design->IsDragging()) return false;
  TdxBarNavigationController* navigation = Navigation();
  if (navigation && navigation->ClaimsKey(Key, shift)) {
    if (down) {
      Suppress(Key);
      navigation->ProcessKey(Key, shift);
    }
    return true;
  }
  if (navigation && navigation->KeyTipsWaitingOrShown()) {
    const UINT character = MapVirtualKey(Key, 2);
    if (character != 0 && character != ' ') navigation->EndKeyboardMode();
  }
  TCustomdxBarControl* active = ActiveBarWindow;
  if (IsLive(active) && active->HandleAllocated() && IsWindowEnabled(active->Handle()) && !active->InCustomizingMode()) {
    if (IsEditing(active->SelectedControl())) return false;
    if (down) Suppress(Key);
    const HWND window = active->Handle();
    TcxObjectLinkScope alive(active);
    SendMessage(window, down ? WM_KEYDOWN : WM_KEYUP, Key, KeyData);
    // The key-up of a key that closed the bar would reach whatever lies under it: it stays
    // suppressed only then.
    const bool closed = !alive.Alive() || !IsWindow(window) || !IsWindowVisible(window) || !active->Active();
    if (!(closed && KeyIsDown(Key)) && SuppressedKey == Key) SuppressedKeyActive = false;
    return true;
  }
  if (Key == VK_MENU && !ActiveBarWindow && design && design->QuickCustomizationPopup()) {
    Suppress(Key);
    design->CloseQuickCustomizationPopup();
    return true;
  }
  if (Key == VK_ESCAPE) {
    if (IsLive(active) && active->HandleAllocated() && GetCapture() == active->Handle()) {
      ReleaseCapture();
      return true;
    }
    return down && design && design->SelectParentOfSelection();
  }
  if (Key == VK_DELETE && down) return design && design->DeleteSelection(shift.Contains(ssCtrl));
  return false;
}

// ---- managers of windows ----

// The first manager from the window out through its parents while they are child windows.
TdxBarManager* ManagerOutwards(HWND Window) {
  for (HWND h = Window; h; h = IsChildWindowStyle(h) ? GetParent(h) : nullptr)
    if (TdxBarManager* manager = GetBarManagerByWindow(h)) return manager;
  return nullptr;
}

bool FocusInBarWindowOf(TdxBarManager* AManager) {
  const HWND focus = GetFocus();
  for (int i = 0; focus && BarControls && i < BarControls->Count(); ++i) {
    auto* bar = static_cast<TCustomdxBarControl*>(BarControls->Items(i));
    if (bar->BarManager() != AManager || !bar->HandleAllocated()) continue;
    if (focus == bar->Handle() || IsChild(bar->Handle(), focus)) return true;
  }
  return false;
}

// ---- shortcut dispatch ----

bool ShowsOrWaits(TdxBar* ABar) {
  TdxBarControl* window = ABar->Control();
  if (ABar->Visible() && window && window->HandleAllocated() && IsWindowVisible(window->Handle())) return true;
  TdxBarManager* first = BarManagers ? BarManagers->Managers(0) : nullptr;
  return first && first->IsBarToRestore(ABar);
}

bool OfferToManager(TdxBarManager* AManager, TShortCut AShortCut) {
  TcxObjectLinkScope alive(AManager);
  TdxBar* mainMenu = AManager->MainMenuBar();
  if (mainMenu && mainMenu->ItemLinks() && mainMenu->ItemLinks()->OfferShortCut(AShortCut)) return true;
  if (!alive.Alive()) return false;
  for (int i = 0; alive.Alive() && i < AManager->Bars()->Count(); ++i) {
    TdxBar* bar = AManager->Bars()->Items(i);
    if (bar == mainMenu || !ShowsOrWaits(bar)) continue;
    if (bar->ItemLinks() && bar->ItemLinks()->OfferShortCut(AShortCut)) return true;
  }
  for (int i = 0; alive.Alive() && i < AManager->PopupMenuCount(); ++i)
    if (TdxBarItemLinks* links = AManager->PopupMenus(i)->ItemLinks(); links && links->OfferShortCut(AShortCut))
      return true;
  return false;
}

bool IsListed(TdxBarManager* AManager) { return BarManagers && BarManagers->IndexOf(AManager) >= 0; }

TWinControl* OwnerWindowOf(TdxBarManager* AManager) {
  auto* owner = AManager ? dynamic_cast<TWinControl*>(AManager->Owner()) : nullptr;
  return owner && owner->HandleAllocated() ? owner : nullptr;
}

// The managers asked in turn: of the owner window outwards, then the others of the same form.
std::vector<TdxBarManager*> ManagersToAsk(TdxBarManager* AManager) {
  std::vector<TdxBarManager*> managers;
  auto add = [&](TdxBarManager* m) {
    if (m && std::find(managers.begin(), managers.end(), m) == managers.end()) managers.push_back(m);
  };
  if (TWinControl* owner = OwnerWindowOf(AManager))
    for (HWND h = owner->Handle(); h; h = IsChildWindowStyle(h) ? GetParent(h) : nullptr) add(GetBarManagerByWindow(h));
  add(AManager);
  if (BarManagers)
    for (TdxBarManager* m = BarManagers->NextOfSameForm(AManager); m && m != AManager; m = BarManagers->NextOfSameForm(m))
      add(m);
  return managers;
}

TdxBarItemLink* FindAcceleratorOf(TdxBarManager* AManager, WORD Key, TShiftState Shift) {
  TdxBar* mainMenu = AManager->MainMenuBar();
  if (mainMenu && mainMenu->ItemLinks() && mainMenu->Visible())
    if (TdxBarItemLink* link = mainMenu->ItemLinks()->FindAcceleratorNoAlt(Key, Shift, nullptr)) return link;
  for (int i = 0; i < AManager->Bars()->Count(); ++i) {
    TdxBar* bar = AManager->Bars()->Items(i);
    if (bar == mainMenu || !bar->Visible() || !bar->ItemLinks()) continue;
    if (TdxBarItemLink* link = bar->ItemLinks()->FindAcceleratorNoAlt(Key, Shift, nullptr)) return link;
  }
  return nullptr;
}

bool HandleAccelerator(TdxBarManager* AManager, WORD Key, TShiftState Shift) {
  std::vector<TdxBarManager*> managers = ManagersToAsk(AManager);
  for (int i = 0; BarManagers && i < BarManagers->Count(); ++i)
    if (std::find(managers.begin(), managers.end(), BarManagers->Managers(i)) == managers.end())
      managers.push_back(BarManagers->Managers(i));
  for (TdxBarManager* manager : managers) {
    if (!IsListed(manager)) continue;
    TdxBarItemLink* link = FindAcceleratorOf(manager, Key, Shift);
    if (!link) continue;
    if (!link->Item() || !link->Item()->Enabled()) return false;
    TdxBarItemControl* control = link->Control();
    TCustomdxBarControl* bar = link->BarControl();
    if (!control || !bar) return false;
    TdxBarItemLinks* links = link->Links();
    TdxBarItemLink* next = links ? links->FindAcceleratorNoAlt(Key, Shift, link) : nullptr;
    const bool shared = next && next != link;
    if (shared || !control->ClosesBarsOnClick()) {
      bar->ActivateWithControl(control);
    } else {
      control->Invoke(false);
    }
    return true;
  }
  return false;
}

}  // namespace

TdxBarHookApi BarHookApi{&InstallThreadHook, &UnhookWindowsHookEx};

// ---- registration --------------------------------------------------------------------------------

void RegisterBarManager(TdxBarManager* ABarManager) {
  if (!BarManagers) return;
  if (BarManagers->IndexOf(ABarManager) < 0) {
    if (BarManagers->Count() == 0) {
      gKeyboardHook = BarHookApi.Install(WH_KEYBOARD, &KeyboardHookProc);
      gMouseHook = BarHookApi.Install(WH_MOUSE, &MouseHookProc);
      gMessageHook = BarHookApi.Install(WH_CALLWNDPROC, &MessageHookProc);
    }
    BarManagers->Add(ABarManager);
  }
  const bool designing = ABarManager->Owner() && ABarManager->Owner()->HasState(csDesigning);
  if (!designing && !gHintWindow) gHintWindow = new TdxBarHintWindow(nullptr);
}

void UnregisterBarManager(TdxBarManager* ABarManager) {
  if (!BarManagers) return;
  BarHintTimingManagerGone(ABarManager);
  BarManagers->Remove(ABarManager);
  if (BarManagers->Count() == 0) RemoveHooksAndHintWindow();
}

void ReleaseBarHooks() { RemoveHooksAndHintWindow(); }

bool BarHooksInstalled() { return gKeyboardHook || gMouseHook || gMessageHook; }

TdxBarHintWindow* BarHintWindow() { return gHintWindow; }

// ---- keyboard ----------------------------------------------------------------------------------------

TdxBarManager* ManagerForKeyboard(bool AMenuKey) {
  TdxBarManager* manager = ManagerOutwards(GetFocus());
  if (!manager)
    if (TCustomForm* form = Screen ? Screen->ActiveForm() : nullptr; form && form->HandleAllocated())
      manager = ManagerOutwards(form->Handle());
  if (!manager)
    if (TCustomForm* main = Application ? Application->MainForm() : nullptr;
        main && main->HandleAllocated() && IsWindowEnabled(main->Handle()))
      if (TdxBarManager* m = GetBarManagerByWindow(main->Handle()); m && m->AllowCallFromAnotherForm()) manager = m;
  if (!manager && !AMenuKey)
    // The class library has no form redirection hook: the active window's form stands as it is.
    if (TCustomForm* form = ActiveFormOfApplication())
      for (int i = 0; BarManagers && i < BarManagers->Count(); ++i)
        if (FormOfManager(BarManagers->Managers(i), bfkTopLevel) == form) {
          manager = BarManagers->Managers(i);
          break;
        }
  if (!manager || manager->InCustomizing()) return nullptr;
  for (int i = 0; BarManagers && i < BarManagers->Count(); ++i)
    if (FocusInBarWindowOf(BarManagers->Managers(i))) return nullptr;
  return manager;
}

bool DispatchShortCut(TdxBarManager* AManager, WORD Key, TShiftState Shift, LPARAM KeyData) {
  TShortCut shortCut = Key;
  if (Shift.Contains(ssShift)) shortCut |= 0x2000;
  if (Shift.Contains(ssCtrl)) shortCut |= 0x4000;
  if (KeyData & (1 << 29)) shortCut |= 0x8000;
  if (TWinControl* focused = FindControl(GetFocus()))
    if (TdxBarManager* m = GetBarManagerByComponent(focused); m && m->PopupMenuLinks()->IsShortCut(focused, shortCut))
      return true;
  for (TdxBarManager* manager : ManagersToAsk(AManager))
    if (IsListed(manager) && OfferToManager(manager, shortCut)) return true;
  if (!Shift.Contains(ssAlt) || !IsListed(AManager)) return false;
  return HandleAccelerator(AManager, Key, Shift);
}

namespace {

bool HandleMenuKey(WORD Key, LPARAM KeyData) {
  const bool down = (KeyData & 0x80000000) == 0;
  const TShiftState shift = CurrentShift();
  TdxBarManager* manager = ManagerForKeyboard(Key == VK_F10 || Key == VK_MENU);
  if (!manager) return false;
  TdxBarNavigationController* navigation = Navigation();
  IdxBarAccessibilityHelper* root = RootAccessibleObjectOf(manager);
  const bool f10Alone = Key == VK_F10 && !shift.Contains(ssShift) && !shift.Contains(ssCtrl) &&
                        !shift.Contains(ssAlt) && manager->UseF10ForMenu();
  if (down) {
    const bool altAlone = Key == VK_MENU && !shift.Contains(ssCtrl);
    if (!(altAlone || f10Alone) || (SuppressedKeyActive && Key == SuppressedKey)) {
      if (navigation) navigation->StopKeyTipsWaiting(false);
      AltPending = false;
      return DispatchShortCut(manager, Key, shift, KeyData);
    }
    HideHint(manager);
    AltPending = true;
    if (navigation && navigation->RootOffersKeyTips(root)) navigation->StartKeyTipsWaiting(root);
    return false;
  }
  if ((Key == VK_MENU && AltPending) || f10Alone) {
    AltPending = false;
    if (navigation) {
      navigation->EnterNavigation(root);
      if (navigation->RootOffersKeyTips(root)) navigation->StopKeyTipsWaiting(true);
    }
    return true;
  }
  if (navigation) navigation->StopKeyTipsWaiting(false);
  return false;
}

}  // namespace

LRESULT KeyboardHookProc(int Code, WPARAM WParam, LPARAM LParam) {
  bool taken = false;
  if (Code != HC_NOREMOVE) {
    if (KeysLocked) {
      taken = true;
    } else if (WParam != VK_PROCESSKEY && Code >= 0) {
      try {
        const WORD key = static_cast<WORD>(WParam);
        taken = HandleGeneralKey(key, LParam);
        if (!taken && !GetCapture()) taken = HandleMenuKey(key, LParam);
      } catch (...) {
        taken = false;
        if (Application) Application->HandleException(nullptr);
      }
    }
  }
  if (DirectKeyQuery) return taken ? 1 : 0;
  const LRESULT next = CallNextHookEx(gKeyboardHook, Code, WParam, LParam);
  return taken ? 1 : next;
}

bool BarLibraryTakesKey(WORD Key, LPARAM KeyData) {
  TFlagScope query(DirectKeyQuery);
  return KeyboardHookProc(HC_ACTION, Key, KeyData) != 0;
}

// ---- mouse --------------------------------------------------------------------------------------------

namespace {

bool IsMouseDown(UINT Message) {
  switch (Message) {
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDBLCLK: case WM_NCMBUTTONDBLCLK:
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK: return true;
    default: return false;
  }
}

// Right and middle button messages: presses, double clicks and releases.
bool IsRightOrMiddleButton(UINT Message) {
  switch (Message) {
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN: case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONUP: case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONUP: case WM_NCMBUTTONDBLCLK: return true;
    default: return false;
  }
}

TCustomdxBarControl* BarWindowOf(HWND Window) { return dynamic_cast<TCustomdxBarControl*>(FindControl(Window)); }

// Whether the window belongs to the chain of the active bar window; AByOwner when it was found as
// the owner window of a member.
bool InsideActiveChain(TCustomdxBarControl* AActive, HWND Window, bool& AByOwner) {
  AByOwner = false;
  TdxBarManager* manager = AActive->BarManager();
  if (AActive->HandleAllocated() && !IsWindowEnabled(AActive->Handle()) && manager && !manager->InCustomizing())
    return true;
  for (TCustomdxBarControl* bar = AActive; bar && !bar->IsDestroying();) {
    if (bar->HandleAllocated() && Window && (Window == bar->Handle() || IsChild(bar->Handle(), Window))) return true;
    if (TdxBarItemControl* selected = bar->SelectedControl(); selected && selected->OwnsWindow(Window)) return true;
    if (bar->IsOwnerWindow(Window)) {
      AByOwner = true;
      return true;
    }
    TCustomdxBarControl* parent = bar->ParentBar();
    if (!parent || (bar->IsInternal() && !parent->IsInternal())) break;
    bar = parent;
  }
  return false;
}

TdxBarItemControl* ItemControlOfMessage(HWND Window, POINT Point) {
  if (TCustomdxBarControl* bar = BarWindowOf(Window)) return bar->SelectedControl();
  TCustomdxBarControl* active = ActiveBarWindow;
  if (!GetCapture() || !IsLive(active)) return nullptr;
  TdxBarItemControl* selected = active->SelectedControl();
  if (!selected) return nullptr;
  if (active->ContainsScreenPoint(TPoint(Point.x, Point.y))) return selected;
  return dynamic_cast<TCustomdxBarComboControl*>(selected) && selected->IsDroppedDown() ? selected : nullptr;
}

// Closes the open bars level by level for a click outside them; true when the message is taken.
bool HandleOutsideClick(UINT Message, MOUSEHOOKSTRUCT& Data) {
  if (MouseHookBusy || !IsLive(ActiveBarWindow)) return false;
  TFlagScope busy(MouseHookBusy);
  TdxBarDesignController* design = BarDesignController();
  while (IsLive(ActiveBarWindow)) {
    TCustomdxBarControl* active = ActiveBarWindow;
    bool byOwner = false;
    const bool inside = InsideActiveChain(active, Data.hwnd, byOwner);
    // A right or middle click outside the open bars is swallowed whole and leaves them open: its
    // press as well as its release (a press that closed them would let the release through).
    if (IsRightOrMiddleButton(Message) && !inside && !ItemControlOfMessage(Data.hwnd, Data.pt)) return true;
    if ((design && design->IsDragging()) || !IsMouseDown(Message)) return false;
    if (inside) {
      if (byOwner) active->NotifyHookedMouseDown(Data.hwnd, Message, &Data);
      return false;
    }
    TcxObjectLinkScope alive(active);
    active->CloseUp();
    if (Data.hwnd && !IsWindowVisible(Data.hwnd)) return true;
    // A window that does not close would hold the loop for good.
    if (alive.Alive() && ActiveBarWindow == active) return false;
  }
  return false;
}

void HandleQuickCustomizationClick(UINT Message, const MOUSEHOOKSTRUCT& Data) {
  TdxBarDesignController* design = BarDesignController();
  auto* popup = design ? dynamic_cast<TCustomdxBarControl*>(design->QuickCustomizationPopup()) : nullptr;
  if (!popup || popup == ActiveBarWindow || popup == design->QuickCustomizedBar() || !IsMouseDown(Message)) return;
  if (popup->HandleAllocated() && (Data.hwnd == popup->Handle() || IsChild(popup->Handle(), Data.hwnd))) return;
  // The add-or-remove list is a menu opened from the popup: a press in it is a press inside.
  if (auto* bar = dynamic_cast<TCustomdxBarControl*>(VclControlOfChildWindow(Data.hwnd)); bar && popup->IsAncestorOf(bar))
    return;
  if (TCustomdxBarControl* parent = popup->ParentBar(); parent && parent->HandleAllocated()) {
    TRect mark = parent->MarkRect();
    POINT corners[2] = {{mark.Left, mark.Top}, {mark.Right, mark.Bottom}};
    MapWindowPoints(parent->Handle(), nullptr, corners, 2);
    const bool overMark = Data.pt.x >= corners[0].x && Data.pt.x < corners[1].x && Data.pt.y >= corners[0].y &&
                          Data.pt.y < corners[1].y;
    if (overMark && Message != WM_RBUTTONDOWN && Message != WM_NCRBUTTONDOWN) return;
  }
  design->CloseQuickCustomizationPopup();
}

// A move over an embedded window of a bar (an edit) is a move over the bar, for hot tracking.
void ForwardMoveOverEmbeddedWindow(const MOUSEHOOKSTRUCT& Data) {
  for (HWND h = Data.hwnd; h && IsChildWindowStyle(h); h = GetParent(h)) {
    TCustomdxBarControl* bar = BarWindowOf(GetParent(h));
    if (!bar || !bar->HandleAllocated()) continue;
    POINT p = Data.pt;
    ScreenToClient(bar->Handle(), &p);
    SendMessage(bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    return;
  }
}

WPARAM CurrentKeyFlags() {
  WPARAM flags = 0;
  if (KeyIsDown(VK_LBUTTON)) flags |= MK_LBUTTON;
  if (KeyIsDown(VK_RBUTTON)) flags |= MK_RBUTTON;
  if (KeyIsDown(VK_MBUTTON)) flags |= MK_MBUTTON;
  if (KeyIsDown(VK_SHIFT)) flags |= MK_SHIFT;
  if (KeyIsDown(VK_CONTROL)) flags |= MK_CONTROL;
  return flags;
}

// While customizing, clicks on the owner of the customizing manager go to its first shown floating
// toolbar as non-client messages. The target window; nil when the message stays.
HWND CustomizingRedirection(UINT& Message, MOUSEHOOKSTRUCT& Data) {
  TdxBarManager* manager = BarManagers ? BarManagers->FirstCustomizing() : nullptr;
  TForm* dialog = manager ? manager->CustomizingForm() : nullptr;
  TWinControl* owner = OwnerWindowOf(manager);
  if (!dialog || !dialog->HandleAllocated() || !IsWindowVisible(dialog->Handle()) || !owner) return nullptr;
  const HWND ownerWindow = owner->Handle();
  const HWND under = WindowFromPoint(Data.pt);
  if (!IsChildWindowStyle(ownerWindow) || !(under == ownerWindow || IsChild(ownerWindow, under))) return nullptr;
  if (Message < WM_MOUSEMOVE || Message > WM_MBUTTONDBLCLK) return nullptr;
  Message -= 352;
  Data.hwnd = ownerWindow;
  Data.wHitTestCode = static_cast<UINT>(HTERROR);
  const HWND activeWindow = GetActiveWindow();
  if (!(activeWindow == dialog->Handle() || activeWindow == ownerWindow || IsChild(activeWindow, ownerWindow)))
    return nullptr;
  for (int i = 0; i < manager->Bars()->Count(); ++i) {
    TdxBarControl* window = manager->Bars()->Items(i)->Control();
    if (manager->Bars()->Items(i)->DockingStyle() != dsNone || !window || !window->HandleAllocated() ||
        !IsWindowVisible(window->Handle()))
      continue;
    const HWND target = window->Handle();
    const LPARAM point = MAKELPARAM(Data.pt.x, Data.pt.y);
    Data.wHitTestCode = static_cast<UINT>(SendMessage(target, WM_NCHITTEST, 0, point));
    SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(Data.wHitTestCode, Message));
    return target;
  }
  return nullptr;
}

bool HandleMouse(UINT Message, MOUSEHOOKSTRUCT& Data) {
  TdxBarNavigationController* navigation = Navigation();
  if (IsMouseDown(Message) && navigation) navigation->LeaveNavigation();
  if (Message == WM_MOUSEWHEEL && IsLive(ActiveBarWindow) && !IsEditing(ActiveBarWindow->SelectedControl()) &&
      !ActiveBarWindow->PassesKeyboardInput())
    return true;
  if (GetCapture() == Data.hwnd && Message != WM_RBUTTONUP) return false;
  UINT message = Message;
  const HWND target = CustomizingRedirection(message, Data);
  if (HandleOutsideClick(message, Data)) return true;
  HandleQuickCustomizationClick(message, Data);
  if (IsMouseDown(message) && navigation && (navigation->IsNavigating() || navigation->KeyTipsWaitingOrShown()))
    navigation->EndKeyboardMode();
  if (message == WM_MOUSEMOVE) ForwardMoveOverEmbeddedWindow(Data);
  if (!target) return false;
  SendMessage(target, message, CurrentKeyFlags(), MAKELPARAM(Data.pt.x, Data.pt.y));
  if (message != WM_NCMOUSEMOVE && Application) SetForegroundWindow(Application->Handle());
  return true;
}

}  // namespace

LRESULT MouseHookProc(int Code, WPARAM WParam, LPARAM LParam) {
  bool consumed = false;
  if (Code == HC_ACTION && LParam) {
    try {
      consumed = HandleMouse(static_cast<UINT>(WParam), *reinterpret_cast<MOUSEHOOKSTRUCT*>(LParam));
    } catch (...) {
      // Nothing unwinds through the window system's hook dispatch: the user sees the error box.
      const LRESULT next = CallNextHookEx(gMouseHook, Code, WParam, LParam);
      if (Application) Application->HandleException(nullptr);
      return next;
    }
  }
  const LRESULT next = CallNextHookEx(gMouseHook, Code, WParam, LParam);
  return consumed ? 1 : next;
}

// ---- window messages ----------------------------------------------------------------------------------

namespace {

bool IsForwardedToNestedManagers(UINT Message) {
  switch (Message) {
    case WM_ACTIVATE: case WM_SYSCOLORCHANGE: case WM_SETTINGCHANGE: case WM_ACTIVATEAPP: case WM_CHILDACTIVATE:
    case WM_WINDOWPOSCHANGING: case WM_WINDOWPOSCHANGED: case WM_SYSCOMMAND: case WM_MDIACTIVATE: return true;
    default: return false;
  }
}

HWND FormWindowOf(HWND Window) {
  HWND h = Window;
  while (h && IsChildWindowStyle(h)) {
    if (dynamic_cast<TCustomForm*>(FindControl(h))) return h;
    h = GetParent(h);
  }
  return h;
}

void RouteMessage(const CWPSTRUCT& Message) {
  if (Message.message == WM_ACTIVATE) {
    const HWND other = reinterpret_cast<HWND>(Message.lParam);
    if (other && !IsOtherProcessWindow(other) && (GetParent(Message.hwnd) == other || GetParent(other) == Message.hwnd))
      return;
  }
  HWND target = Message.hwnd;
  if (Message.message == WM_HELP && IsLive(ActiveBarWindow))
    if (TdxBarManager* active = ActiveBarWindow->BarManager()) {
      const HWND form = FormWindowOf(Message.hwnd);
      if (!ManagerLiesWithin(active, form))
        if (TCustomForm* activeForm = FormOfManager(active, bfkTopLevel); activeForm && activeForm->HandleAllocated())
          target = activeForm->Handle();
    }
  TdxBarManager* manager = nullptr;
  {
    TFlagScope busy(ManagerLookupBusy);
    manager = GetBarManagerByWindow(target);
    if (!manager && Message.message == WM_ACTIVATE)
      if (HWND parent = GetParent(target); parent && IsWindowVisible(parent)) manager = GetBarManagerByWindow(parent);
  }
  TcxObjectLinkScope alive(manager);
  if (manager) manager->HandleRoutedMessage(target, Message.message, Message.wParam, Message.lParam);
  if (!IsForwardedToNestedManagers(Message.message) || !BarManagers) return;
  std::vector<TdxBarManager*> others;
  for (int i = 0; i < BarManagers->Count(); ++i) {
    TdxBarManager* other = BarManagers->Managers(i);
    if ((!alive.Alive() || other != manager) && other->Owner() && GetBarManagerByWindow(target) != other &&
        ManagerLiesWithin(other, target) && FormOfManager(other, bfkTopLevel))
      others.push_back(other);
  }
  for (TdxBarManager* other : others)
    if (IsListed(other)) other->HandleRoutedMessage(target, Message.message, Message.wParam, Message.lParam);
}

bool HasMDIClientParent(HWND Window) {
  const HWND parent = GetParent(Window);
  if (!parent) return false;
  char name[32] = {};
  GetClassName(parent, name, sizeof(name));
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower == "mdiclient";
}

void AfterMessage(const CWPSTRUCT& Message) {
  if (Message.message != WM_DESTROY && Message.message != WM_CHILDACTIVATE && Message.message != WM_MDIACTIVATE) return;
  if (!HasMDIClientParent(Message.hwnd)) return;
  TCustomForm* main = Application ? Application->MainForm() : nullptr;
  if (!main || !main->HandleAllocated()) return;
  if (TdxBarManager* manager = GetBarManagerByWindow(main->Handle()); manager && !manager->IsDestroying())
    manager->RefreshMDIState();
}

}  // namespace

LRESULT MessageHookProc(int Code, WPARAM WParam, LPARAM LParam) {
  // A copy: a handler may send further messages that reuse the window system's record.
  const CWPSTRUCT message = LParam ? *reinterpret_cast<const CWPSTRUCT*>(LParam) : CWPSTRUCT{};
  if (Code == HC_ACTION && LParam) {
    try {
      if (message.message == WM_ACTIVATE && LOWORD(message.wParam) == WA_INACTIVE &&
          IsOtherProcessWindow(reinterpret_cast<HWND>(message.lParam)))
        AppDeactivating = true;
      if (message.message == WM_ACTIVATEAPP) {
        AppDeactivating = false;
        AppActive = message.wParam != 0;
        if (TdxBarDesignController* design = BarDesignController()) design->ReselectLastSelected();
      }
      if (!ManagerLookupBusy) RouteMessage(message);
    } catch (...) {
      if (Application) Application->HandleException(nullptr);
    }
  }
  const LRESULT next = CallNextHookEx(gMessageHook, Code, WParam, LParam);
  if (Code == HC_ACTION && LParam) {
    try {
      AfterMessage(message);
    } catch (...) {
      if (Application) Application->HandleException(nullptr);
    }
  }
  return next;
}
