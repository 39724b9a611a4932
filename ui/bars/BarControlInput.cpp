// A bar window under the mouse and the keyboard: hot tracking of its item controls, presses and
// clicks, selection, joining and leaving the chain of active bars, moving between toolbars, and
// the design selections and link drags of customizing mode.
//
// Whatever calls out to item controls, the manager or user code holds an object link on the bar
// and stops once the bar is gone; a control that ran user code is used again only while the bar
// still owns it.
#include "platform/classes/Forms.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/Rects.h"
#include "platform/win/Window.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarHintTiming.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarNavigation.h"
#include "ui/bars/BarQuickControl.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/ControlServices.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

namespace {

bool Contains(const TRect& R, const TPoint& P) {
  const RECT r = R;
  return PtInRect(&r, POINT{P.X, P.Y});
}

// A link whose control is gone may still be the selection: it is no selection of "none".
bool IsCurrentSelection(const TCustomdxBarControl* ABar, TdxBarItemControl* AControl) {
  return ABar->SelectedControl() == AControl && ABar->SelectedLink() == (AControl ? AControl->ItemLink() : nullptr);
}

bool IsUnknown(const TPoint& P) { return P.X == -1 && P.Y == -1; }

// Buttons and sub-items open their drop-down animated only after a press or a hover.
void SetAnimateNextDropDown(TdxBarItemControl* AControl, bool Value) {
  if (auto* buttonLike = dynamic_cast<TdxBarButtonLikeControl*>(AControl)) buttonLike->SetAnimateNextDropDown(Value);
}

// An edit or combo whose inner window takes the keys.
bool IsEditing(TdxBarItemControl* AControl) {
  auto* window = dynamic_cast<TdxBarWinControl*>(AControl);
  return window && window->Focused();
}

// Whether the drop-down of the item may take what the manager drags.
bool AcceptsDraggedItem(TdxBarItem* AItem, TdxBarDragInfo* ADrag) {
  auto* button = dynamic_cast<TdxBarButton*>(AItem);
  String error;
  return button && button->AcceptsDropDownItem(ADrag->DraggedItem(), error);
}

// The manager's changing-focused-item lock for a scope, when asked for; let go only while the
// manager lives.
class TChangingFocusedItem {
 public:
  TChangingFocusedItem(TdxBarManager* AManager, bool ALock) : FManager(ALock ? AManager : nullptr), FAlive(FManager) {
    if (FManager) FManager->LockChangingFocusedItem();
  }
  ~TChangingFocusedItem() {
    if (FManager && FAlive.Alive()) FManager->UnlockChangingFocusedItem();
  }
  TChangingFocusedItem(const TChangingFocusedItem&) = delete;
  TChangingFocusedItem& operator=(const TChangingFocusedItem&) = delete;

 private:
  TdxBarManager* FManager;
  TcxObjectLinkScope FAlive;
};

// The popup menu component whose menu window this is; nil for none.
TdxBarPopupMenu* PopupMenuOfWindow(TdxBarManager* AManager, TCustomdxBarControl* AWindow) {
  if (!AManager || !AWindow) return nullptr;
  for (int i = 0; i < AManager->PopupMenuCount(); ++i)
    if (AManager->PopupMenus(i)->MenuControl() == AWindow) return AManager->PopupMenus(i);
  return nullptr;
}

// Every toolbar of every manager, in the managers' order.
std::vector<TdxBar*> AllToolbars() {
  std::vector<TdxBar*> bars;
  for (int m = 0; BarManagers && m < BarManagers->Count(); ++m)
    if (TdxBarManager* manager = BarManagers->Managers(m))
      for (int i = 0; i < manager->Bars()->Count(); ++i) bars.push_back(manager->Bars()->Items(i));
  return bars;
}

}  // namespace

// ---- selection ----

void TCustomdxBarControl::SetSelectedControl(TdxBarItemControl* AControl) {
  TdxBarItemControl* previous = SelectedControl();
  if (IsCurrentSelection(this, AControl)) return;
  TcxObjectLinkScope alive(this);
  TdxBarDesignController* controller = BarDesignController();
  if (auto* quick = controller ? dynamic_cast<TCustomdxBarControl*>(controller->QuickCustomizationPopup()) : nullptr;
      AControl && quick && quick != this && IsBarControlAlive(quick) && !quick->Active()) {
    // The selection may come back before the popup's timer ticks.
    if (auto* hiding = dynamic_cast<TdxBarQuickControl*>(quick))
      hiding->StartHiding();
    else
      controller->CloseQuickCustomizationPopup();
    if (!alive.Alive()) return;
  }
  FSelectedLink = AControl ? AControl->ItemLink() : nullptr;
  if (BehaviourFlags() & dxBarBehaviourKeyboardNavigation) FIsDowned = false;
  TdxBarManager* manager = BarManager();
  if (manager) {
    if (InCustomizingMode())
      manager->SetSelectedItem(AControl, this, RootBarWindow(this));
    else
      manager->SetSelectedItem(AControl, this);
    if (!alive.Alive()) return;
  }
  if (previous && OwnsItemControl(previous)) InvalidateItemControl(previous);
  if (AControl) InvalidateItemControl(AControl);
  if (!AControl) SetCursor(crDefault);
  if (AControl || BarKind() == 2 || FMarkState == 0) RequestHint(manager, true, {}, AControl);
  if (!alive.Alive()) return;
  // Without a control there is no hint text to ask for, whatever the manager shows for disabled items.
  if (AControl && (AControl->IsEnabled() || (manager && manager->ShowHintForDisabledItems())))
    SetHint(GetLongHint(AControl->HintText()));
  else
    SetHint({});
  if (TdxBarPopupMenu* popup = PopupMenuOfWindow(manager, RootBarWindow(this)); popup && popup->UseOwnMessageLoop())
    Application->SetHint(Hint());
}

void TCustomdxBarControl::SelectControlByKeyboard(TdxBarItemControl* AControl) {
  if (!HandleAllocated() || IsDestroying() || IsCurrentSelection(this, AControl)) return;
  TcxObjectLinkScope alive(this);
  {
    TdxBarItemControl* selected = SelectedControl();
    TChangingFocusedItem lock(BarManager(), selected && AControl);
    if (selected && selected->IsActive()) selected->Deactivate(true);
    if (!alive.Alive()) return;
    if (AControl && !OwnsItemControl(AControl)) return;
    if (auto* subItem = dynamic_cast<TdxBarSubItemControl*>(AControl)) subItem->SetAnimateNextDropDown(false);
    if (AControl) AControl->SetMouseSelected(false);
    SetSelectedControl(AControl);
  }
  if (alive.Alive() && AControl && OwnsItemControl(AControl)) ItemControlFocused(AControl);
}

void TCustomdxBarControl::HotTrackControl(TdxBarItemControl* AControl) {
  if (!HandleAllocated() || IsDestroying()) return;
  if ((BehaviourFlags() & dxBarBehaviourKeyboardNavigation) && BarNavigationController &&
      BarNavigationController->DrivesBarControl(this))
    return;
  TdxBarItemControl* selected = SelectedControl();
  if (IsCurrentSelection(this, AControl) || (selected && selected->HasInnerWindow() && IsEditing(selected))) return;
  TcxObjectLinkScope alive(this);
  TdxBarManager* manager = BarManager();
  {
    TChangingFocusedItem lock(manager, selected && AControl);
    if (selected && selected->IsActive()) selected->Deactivate(false);
    if (!alive.Alive()) return;
    if (AControl && !OwnsItemControl(AControl)) return;
    if (AControl) AControl->SetMouseSelected(true);
    SetSelectedControl(AControl);
  }
  if (!alive.Alive()) return;
  selected = SelectedControl();
  if (!selected) return;
  TdxBarDragInfo* drag = manager ? manager->DragInfo() : nullptr;
  // While dragging, a drop-down opens only when it may take what is dragged.
  if (!drag || !drag->Running() || !selected->HasDropDown() || AcceptsDraggedItem(selected->Item(), drag)) {
    SetAnimateNextDropDown(selected, true);
    // Hovering is no press: a menu item's sub-menu opens after the hover delay.
    selected->Activate(false);
  }
}

// ---- activation ----

void TCustomdxBarControl::SetActive(bool AActive) {
  FIsActive = AActive;
  if (AActive) {
    if (!ActiveBarWindow) BarFullMenus = InCustomizingMode();
    FreeObjectLink(FPreviousActiveBarLink);
    FPreviousActiveBarLink = ActiveBarWindow != this ? CreateObjectLink(ActiveBarWindow) : nullptr;
    ActiveBarWindow = this;
    if (!InCustomizingMode() && FItemLinks) FItemLinks->UpdateActions();
    return;
  }
  TcxObjectLinkScope alive(this);
  if (InCustomizingMode())
    FSelectedLink = nullptr;
  else
    SelectControlByKeyboard(nullptr);
  if (!alive.Alive() || ActiveBarWindow != this) return;
  TCustomdxBarControl* previous = PreviousActiveBar();
  ActiveBarWindow = previous && IsBarControlAlive(previous) && previous->FIsActive ? previous : nullptr;
}

// ---- the mouse ----

bool TCustomdxBarControl::HandleInputMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEMOVE: {
      FCurrentMessage = Message;
      TcxObjectLinkScope alive(this);
      TCustomControl::WndProc(Message);
      if (alive.Alive()) TrackMousePosition(KeysToShiftState(Message.WParam), Message.XPos(), Message.YPos());
      return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (FIgnoreMouseClick) return true;
      FCurrentMessage = Message;
      return false;
    case WM_LBUTTONUP:
      WMLButtonUp(Message);
      return true;
    case WM_CAPTURECHANGED:
      WMCaptureChanged(Message);
      return true;
    case WM_KEYDOWN:
      WMKeyDown(Message);
      return true;
    default:
      if (Message.Msg >= WM_MOUSEMOVE && Message.Msg <= WM_MOUSEWHEEL) FCurrentMessage = Message;
      return false;
  }
}

void TCustomdxBarControl::TrackMousePosition(TShiftState /*Shift*/, int /*X*/, int /*Y*/) {
  if (ShouldIgnoreMouse(true)) {
    if (ShouldIgnoreMouse(false)) MouseLeft();
    return;
  }
  POINT p{};
  GetCursorPos(&p);
  FLastMousePos = {p.x, p.y};
}

void TCustomdxBarControl::MouseMove(TShiftState Shift, int X, int Y) {
  TcxObjectLinkScope alive(this);
  TCustomControl::MouseMove(Shift, X, Y);
  if (!alive.Alive() || IsDestroying()) return;
  const TPoint p{X, Y};
  if (FDragDown) {
    const int cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
    const TRect area{FDragPoint.X - cx / 2, FDragPoint.Y - cy / 2, FDragPoint.X - cx / 2 + cx, FDragPoint.Y - cy / 2 + cy};
    if (!Contains(area, p)) {
      // Drag-down goes before the capture: the capture change would otherwise forget what is dragged.
      FDragDown = false;
      ReleaseCapture();
      TdxBarManager* manager = BarManager();
      if (!alive.Alive() || !manager) return;
      TdxBarDragInfo* drag = manager->DragInfo();
      if (TdxBarItemLink* link = drag->DraggedLink(); link && link->Control()) link->Control()->Deactivate();
      if (alive.Alive()) manager->DragItem(drag->DraggedItem(), drag->DraggedLink());
      return;
    }
  }
  if (IsUnknown(FLastMousePos) && !ShouldIgnoreMouse(true)) {
    HandleMouseEntered(Shift, p, ItemControlAtPoint(p));
    if (!alive.Alive()) return;
  }
  HandleItemMouseMove(Shift, p, ItemControlAtPoint(p));
}

void TCustomdxBarControl::HandleMouseEntered(TShiftState Shift, const TPoint& P, TdxBarItemControl* AControl) {
  TcxObjectLinkScope alive(this);
  if (TdxBarManager* manager = BarManager()) manager->StartMouseTracking(this);
  if (!alive.Alive()) return;
  TrackItemControl(OwnsItemControl(AControl) ? AControl : nullptr, P, Shift);
  if (alive.Alive()) SetViewState(1);
}

void TCustomdxBarControl::TrackItemControl(TdxBarItemControl* AControl, const TPoint& P, TShiftState Shift) {
  TcxObjectLinkScope alive(this);
  TdxBarItemLink* link = AControl ? AControl->ItemLink() : nullptr;
  if (link != FPrevTrackedLink) {
    TdxBarItemLink* previous = FPrevTrackedLink;
    FPrevTrackedLink = link;
    if (previous && previous->Control()) previous->Control()->MouseLeave();
    if (!alive.Alive() || (AControl && !OwnsItemControl(AControl))) return;
    if (AControl) AControl->MouseEnter(Shift, P.X, P.Y);
    if (!alive.Alive() || (AControl && !OwnsItemControl(AControl))) return;
  }
  if (AControl) AControl->MouseMove(Shift, P.X, P.Y);
}

void TCustomdxBarControl::HandleItemMouseMove(TShiftState Shift, const TPoint& P, TdxBarItemControl* AControl) {
  if (ShouldIgnoreMouse(true)) return;
  TcxObjectLinkScope alive(this);
  TrackItemControl(AControl, P, Shift);
  if (!alive.Alive()) return;
  // The mouse leaves an edit that is editing alone.
  if (TdxBarManager* manager = BarManager(); manager && IsEditing(manager->SelectedItem())) return;
  if (AControl && (!OwnsItemControl(AControl) || !AControl->CanHotTrack())) AControl = nullptr;
  // An open child bar keeps the selection while the mouse is over empty space; an active toolbar
  // keeps it over empty space in any case.
  if ((BarKind() != 0 || !FIsActive || AControl) && !FClickedControl && (AControl || !ChildBar())) HotTrackControl(AControl);
}

void TCustomdxBarControl::MouseLeft() {
  FLastMousePos = {-1, -1};
  TdxBarManager* manager = BarManager();
  if (!manager || manager->MouseTrackingBarControl() != this || KeepsMouseTracking()) return;
  manager->EndMouseTracking(this);
  HandleMouseLeft();
}

void TCustomdxBarControl::HandleMouseLeft() {
  SetViewState(0);
  TcxObjectLinkScope alive(this);
  TrackItemControl(nullptr, {-1, -1}, {});
  if (!alive.Alive()) return;
  if (FMarkState == 1) SetMarkState(0);
  if (!alive.Alive()) return;
  TdxBarItemControl* selected = SelectedControl();
  if (!FClickedControl && selected && !selected->IsDroppedDown() && !InCustomizingMode()) HotTrackControl(nullptr);
}

void TCustomdxBarControl::DoubleClickAsPress() {
  switch (FCurrentMessage.Msg) {
    case WM_LBUTTONDBLCLK: FCurrentMessage.Msg = WM_LBUTTONDOWN; break;
    case WM_RBUTTONDBLCLK: FCurrentMessage.Msg = WM_RBUTTONDOWN; break;
    case WM_MBUTTONDBLCLK: FCurrentMessage.Msg = WM_MBUTTONDOWN; break;
    default: break;
  }
}

void TCustomdxBarControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxObjectLinkScope alive(this);
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (!alive.Alive()) return;
  const TPoint p{X, Y};
  TdxBarManager* manager = BarManager();
  if ((IsUnknown(FLastMousePos) || (manager && manager->MouseTrackingBarControl() != this)) && !InCustomizingMode()) {
    HandleMouseEntered(Shift, p, ItemControlAtPoint(p));
    if (!alive.Alive()) return;
  }
  TdxBarItemControl* control = ItemControlAtPoint(p);
  if (Shift.Contains(ssDouble) && control && control == SelectedControl() && control->WantsDoubleClick()) {
    DoubleClickControl(control);
    return;
  }
  DoubleClickAsPress();
  Shift.Exclude(ssDouble);
  HandleItemMouseDown(Button, Shift, Contains(ClientRect(), p), control, p);
}

void TCustomdxBarControl::DoubleClickControl(TdxBarItemControl* AControl) {
  if (!AControl) return;
  TdxBarManager* manager = BarManager();
  if (manager && manager->IsDesigning()) {
    if (TdxBarItem* item = AControl->Item()) item->DesignerAction();
  } else if (!AControl->HostsSubMenu()) {
    AControl->DoubleClick();
  } else if (TCustomdxBarControl* menu = AControl->DroppedBar(); menu && IsBarControlAlive(menu) && menu->HasMark()) {
    // A personalised menu shows its rarely used items.
    menu->SetMarkState(2);
  }
}

void TCustomdxBarControl::HandleItemMouseDown(TMouseButton Button, TShiftState Shift, bool /*AInsideClient*/,
                                              TdxBarItemControl* AControl, const TPoint& P) {
  const bool customizing = InCustomizingMode();
  if (customizing && AControl && !AControl->IsOwnItem()) return;
  TcxObjectLinkScope alive(this);
  if (AControl && !ShouldIgnoreMouse(false)) {
    AControl->MouseDown(Button, Shift, P.X, P.Y);
    if (!alive.Alive()) return;
    if (!OwnsItemControl(AControl)) AControl = nullptr;
  }
  TdxBarManager* manager = BarManager();
  TdxBarItemControl* designSelected = manager ? manager->SelectedItem() : nullptr;
  if (customizing) {
    DesignSelectControl(AControl, Button, Shift);
    if (!alive.Alive()) return;
    if (AControl && !OwnsItemControl(AControl)) AControl = nullptr;
  }
  if (Button == mbLeft) {
    if (customizing)
      PrepareLinkDrag(P, manager && manager->SelectedItem() == designSelected);
    else
      PressControl(AControl);
  } else if (Button == mbRight) {
    if (AControl != SelectedControl()) HideFocus();
    if (alive.Alive() && AllowsCustomizingPopup(true)) ShowCustomizingPopup(OwnsItemControl(AControl) ? AControl : nullptr);
  }
}

void TCustomdxBarControl::ShowCustomizingPopup(TdxBarItemControl* /*AControl*/) {
  TdxBarDesignController* controller = BarDesignController();
  TdxBarManager* manager = BarManager();
  if (!controller || !manager) return;
  TdxBarItemControl* selected = manager->SelectedItem();
  controller->ShowLinkPopup(this, selected && OwnsItemControl(selected) ? selected->ItemLink() : nullptr);
}

void TCustomdxBarControl::PressControl(TdxBarItemControl* AControl) {
  if (!AControl || !AControl->IsEnabled() || !AControl->AcceptsMouse()) return;
  TcxObjectLinkScope alive(this);
  SelectControlByKeyboard(AControl);
  if (!alive.Alive() || !OwnsItemControl(AControl)) return;
  HideHint(BarManager());
  TdxBarItemControl* selected = SelectedControl();
  // A menu this press opens animates.
  SetAnimateNextDropDown(selected, true);
  if (selected && selected->HasInnerWindow()) {
    MakeControlVisible(selected);
    if (!alive.Alive() || !OwnsItemControl(AControl)) return;
  }
  AControl->Press(true);
  if (alive.Alive() && IsBarControlAlive(this) && OwnsItemControl(AControl))
    if (auto* button = dynamic_cast<TdxBarButtonControl*>(SelectedControl())) button->SetAnimateNextDropDown(false);
}

void TCustomdxBarControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxObjectLinkScope alive(this);
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (!alive.Alive()) return;
  const TPoint p{X, Y};
  HandleItemMouseUp(Button, Shift, Contains(ClientRect(), p), ItemControlAtPoint(p), p);
}

void TCustomdxBarControl::HandleItemMouseUp(TMouseButton Button, TShiftState Shift, bool /*AInsideClient*/,
                                            TdxBarItemControl* AControl, const TPoint& P) {
  TcxObjectLinkScope alive(this);
  if (AControl && !ShouldIgnoreMouse(false)) {
    AControl->MouseUp(Button, Shift, P.X, P.Y);
    if (!alive.Alive()) return;
  }
  // The press already offered the popup to bars that take it on a right click; these take it on
  // the release.
  if (Button == mbRight && AllowsCustomizingPopup(false)) ShowCustomizingPopup(OwnsItemControl(AControl) ? AControl : nullptr);
}

void TCustomdxBarControl::WMLButtonUp(TMessage& Message) {
  if (FIgnoreMouseClick) {
    FIgnoreMouseClick = false;
    return;
  }
  FCurrentMessage = Message;
  TcxObjectLinkScope alive(this);
  // The capture change below forgets the clicked control.
  TdxBarItemControl* clicked = FClickedControl;
  TCustomControl::WndProc(Message);
  if (!alive.Alive()) return;
  if (FDragDown) {
    ReleaseCapture();
    return;
  }
  if (clicked) {
    ReleaseCapture();
    if (!alive.Alive()) return;
  }
  const TPoint p{Message.XPos(), Message.YPos()};
  if (Contains(ClientRect(), p) && FIsActive && !InCustomizingMode()) {
    TdxBarItemControl* control = ItemControlAtPoint(p);
    TdxBarItemControl* selected = SelectedControl();
    if (control && control->AcceptsMouse()) {
      if (control->IsEnabled() && control == selected) {
        if (HWND inner = control->HasInnerWindow() ? control->EditWindow() : nullptr) {
          POINT q{p.X, p.Y};
          MapWindowPoints(Handle(), inner, &q, 1);
          SendMessage(inner, WM_LBUTTONUP, Message.WParam, MAKELPARAM(q.x, q.y));
        }
        if (alive.Alive() && OwnsItemControl(control)) control->Click(true);
      } else if (!control->IsEnabled() && control != selected && BarKind() == 0) {
        auto* button = dynamic_cast<TdxBarButtonControl*>(selected);
        if (!(button && button->IsDroppedDown())) CloseUp();
      }
    }
  }
  if (clicked && alive.Alive() && IsBarControlAlive(this)) CloseUp();
}

void TCustomdxBarControl::WMCaptureChanged(TMessage& Message) {
  TCustomControl::WndProc(Message);
  if (FDragDown) {
    if (TdxBarManager* manager = BarManager()) manager->DragInfo()->SetDragged(nullptr, nullptr);
    FDragDown = false;
  }
  FClickedControl = nullptr;
}

// ---- the keyboard ----

void TCustomdxBarControl::WMKeyDown(TMessage& Message) {
  TcxObjectLinkScope alive(this);
  TCustomControl::WndProc(Message);
  if (!alive.Alive() || !ActiveBarWindow) return;
  auto key = static_cast<WORD>(Message.WParam);
  if (IsVertical()) {
    // The arrows turn with the bar; the message carries the turned key on.
    switch (key) {
      case VK_LEFT: key = VK_UP; break;
      case VK_UP: key = VK_LEFT; break;
      case VK_RIGHT: key = VK_DOWN; break;
      case VK_DOWN: key = VK_RIGHT; break;
      default: break;
    }
    Message.WParam = key;
  }
  const TShiftState shift = GetShiftState();
  const bool menu = BarKind() == 2;
  enum class TMove { None, First, Last, Prior, Next } move = TMove::None;
  bool byTab = false;
  switch (key) {
    case VK_LEFT:
      if (!menu) move = TMove::Prior;
      break;
    case VK_RIGHT:
      if (!menu) move = TMove::Next;
      break;
    case VK_UP:
      if (menu) move = TMove::Prior;
      break;
    case VK_DOWN:
      if (menu) move = TMove::Next;
      break;
    case VK_TAB:
      if (shift.Contains(ssCtrl)) {
        SwitchBar(!shift.Contains(ssShift));
      } else {
        move = shift.Contains(ssShift) ? TMove::Prior : TMove::Next;
        byTab = true;
      }
      break;
    case VK_HOME: move = TMove::First; break;
    case VK_END: move = TMove::Last; break;
    case VK_F10:
    case VK_MENU: {
      TdxBarManager* manager = BarManager();
      if (key == VK_MENU || (manager && manager->UseF10ForMenu())) {
        Message.Result = 0;
        CloseUp();
        return;
      }
      break;
    }
    default: {
      // The key's character, not the key, decides; the links match the key.
      const char c = VirtualKeyToAnsiChar(key);
      if (IsPrintableChar(c) && c != ' ') {
        bool ambiguous = false;
        if (TdxBarItemLink* link = FindEnabledAcceleratedLink(key, shift, ambiguous, FSelectedLink); link && link->Control())
          SelectByAccelerator(link->Control(), ambiguous);
      }
      break;
    }
  }
  if (!alive.Alive()) return;
  if (move != TMove::None && FItemLinks) {
    TdxBarItemLink* target = nullptr;
    switch (move) {
      case TMove::First: target = FItemLinks->FirstSelectable(); break;
      case TMove::Last: target = FItemLinks->LastSelectable(); break;
      case TMove::Prior: target = FSelectedLink ? FItemLinks->PriorSelectable(FSelectedLink) : FItemLinks->FirstSelectable(); break;
      case TMove::Next: target = FSelectedLink ? FItemLinks->NextSelectable(FSelectedLink) : FItemLinks->FirstSelectable(); break;
      case TMove::None: break;
    }
    if (target && target->Control()) {
      SelectControlByKeyboard(target->Control());
      // Tabbing onto an edit enters it.
      if (TdxBarItemControl* selected = alive.Alive() ? SelectedControl() : nullptr; byTab && selected && selected->HasInnerWindow())
        selected->Invoke(false);
    }
  }
  if (!alive.Alive() || !IsBarControlAlive(this) || !ActiveBarWindow) return;
  if (TdxBarItemControl* selected = SelectedControl(); selected && selected->IsEnabled() && selected->IsDropDownKey(key)) {
    selected->KeyDown(key, shift);
    return;
  }
  HandleKeyDown(Message);
}

void TCustomdxBarControl::SwitchBar(bool AForward) {
  TCustomdxBarControl* root = RootBarWindow(this);
  auto* toolbar = dynamic_cast<TdxBarControl*>(root);
  if (!toolbar || root->BarKind() == 2 || !toolbar->ShownBar()) return;
  const std::vector<TdxBar*> bars = AllToolbars();
  const auto n = static_cast<int>(bars.size());
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (bars[static_cast<std::size_t>(i)] == toolbar->ShownBar()) start = i;
  if (start < 0) return;
  // Each other bar once, wrapping across the managers; the start bar is never a target.
  for (int step = 1; step < n; ++step) {
    TdxBar* bar = bars[static_cast<std::size_t>(((start + (AForward ? step : -step)) % n + n) % n)];
    TdxBarControl* window = bar->Control();
    // A hidden toolbar is the library's own (an application menu's pane): the user never switches to it.
    if (bar->Hidden()) continue;
    if (!window || !window->HandleAllocated() || !IsWindowVisible(window->Handle()) || !bar->ItemLinks()) continue;
    TdxBarItemLink* first = bar->ItemLinks()->FirstSelectable();
    if (!first || !first->Control()) continue;
    TcxObjectLinkScope target(window);
    toolbar->HideFocus();
    if (target.Alive() && window->OwnsItemControl(first->Control())) window->ActivateWithControl(first->Control());
    return;
  }
}

// ---- customizing ----

void TCustomdxBarControl::DesignSelectControl(TdxBarItemControl* AControl, TMouseButton Button, TShiftState Shift) {
  TcxObjectLinkScope alive(this);
  TdxBarManager* manager = BarManager();
  TPersistent* object = nullptr;
  if (AControl) {
    ActivateWithControl(AControl);
    if (!alive.Alive() || !OwnsItemControl(AControl)) return;
    object = AControl->ItemLink();
    if (Button == mbLeft) {
      if (ViewInfo()->Count() > 0 && AControl->IsOwnItem()) {
        if (AControl == SelectedControl()) {
          // A sub-item's menu opens and closes with each click.
          if (AControl->IsActive())
            AControl->Deactivate(true);
          else
            AControl->Activate(true);
          if (!alive.Alive() || !OwnsItemControl(AControl)) return;
          if (manager) manager->SetSelectedItem(AControl, this, RootBarWindow(this));
        }
        HotTrackControl(AControl);
      }
    } else if (Button == mbRight) {
      if (TdxBarItemControl* selected = SelectedControl()) selected->Deactivate(true);
      if (!alive.Alive() || !OwnsItemControl(AControl)) return;
      if (manager && AControl == SelectedControl()) manager->SetSelectedItem(AControl, this, RootBarWindow(this));
      SelectControlByKeyboard(AControl);
    }
    if (!alive.Alive()) return;
  } else {
    object = DesignSelectable();
  }
  TdxBarDesignController* controller = BarDesignController();
  if (!object || !controller) return;
  IdxBarSelectableItem* selectable = BarSelectableItemOf(object);
  const bool selected = selectable && selectable->IsSelectedInDesigner();
  int operation = 2;
  if (Button == mbRight)
    operation = selected && !controller->SelectionHasSeveralLinks(manager) ? 0 : 2;
  else if (Button == mbLeft && Shift.Contains(ssShift) && !Shift.Contains(ssCtrl))
    operation = selected ? 1 : 0;
  controller->SelectPersistent(manager, object, operation);
}

void TCustomdxBarControl::PrepareLinkDrag(const TPoint& P, bool /*ASameControl*/) {
  TdxBarManager* manager = BarManager();
  TdxBarItemControl* control = manager ? manager->SelectedItem() : nullptr;
  if (!control || !OwnsItemControl(control) || !control->IsOwnItem() || !HandleAllocated()) return;
  // Captured first: a capture change forgets an armed drag.
  SetCapture(Handle());
  FDragPoint = P;
  manager->DragInfo()->SetDragged(control->Item(), control->ItemLink());
  FDragDown = true;
}
