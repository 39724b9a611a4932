#include "ui/bars/BarAccessibility.h"

#include <algorithm>

#include "platform/classes/Menus.h"
#include "platform/classes/SysUtils.h"
#include "platform/classes/Utf8.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarButtonControls.h"
#include "ui/bars/BarItemControl.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarNavigation.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/ControlServices.h"
#include "ui/foundation/Core.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

namespace {

[[noreturn]] void MustBeProvided(const char* What) {
  throw EdxException(String("The bar accessibility helper does not provide ") + What);
}

// The window rectangle while the window exists and shows; empty otherwise.
TRect ShownWindowRect(HWND Window) {
  if (!Window || !IsWindow(Window) || !IsWindowVisible(Window)) return {};
  RECT r{};
  WindowRectOfWindow(Window, r);
  return r;
}

int WindowState(HWND Window) {
  return Window && IsWindow(Window) && IsWindowVisible(Window) ? 0 : static_cast<int>(STATE_SYSTEM_INVISIBLE);
}

TPoint WindowOrigin(TCustomdxBarControl* Bar) {
  const TRect r = Bar ? Bar->WindowRect() : TRect{};
  return {r.Left, r.Top};
}

bool IsEmptyRect(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

bool IsActionKey(WORD Key) { return Key == VK_RETURN || Key == VK_SPACE || Key == VK_ESCAPE; }

TdxBarAccessibilityHelper* HelperOfItem(TdxBarItemControl* Control) {
  return Control ? dynamic_cast<TdxBarAccessibilityHelper*>(Control->AccessibilityHelperObject()) : nullptr;
}

}  // namespace

IdxBarAccessibilityHelper* BarInterfaceOf(TcxAccessibilityHelper* Helper) {
  return Helper ? dynamic_cast<IdxBarAccessibilityHelper*>(Helper) : nullptr;
}

TdxBarAccessibilityHelper* BarHelperOf(IdxBarAccessibilityHelper* Helper) {
  return Helper ? Helper->BarHelperObject() : nullptr;
}

THelperHold::THelperHold(IdxBarAccessibilityHelper* Helper) : FHelper(BarHelperOf(Helper)) {
  if (FHelper) FHelper->AddRef();
}

THelperHold::~THelperHold() {
  if (FHelper) FHelper->Release();
}

// ---- the base ------------------------------------------------------------------------------------

void TdxBarAccessibilityHelper::DetachOwner() {
  // Forgotten first, while the helper still answers: its container can still hide its key tips.
  if (BarNavigationController) BarNavigationController->ForgetObject(this);
  TcxAccessibilityHelper::DetachOwner();
}

bool TdxBarAccessibilityHelper::KeyTipsAvailable(IKeyTipWindowHost*& WindowHost) {
  WindowHost = nullptr;
  TdxBarAccessibilityHelper* parent = KeyTipParent();
  return parent && parent->KeyTipsAvailable(WindowHost);
}

TdxBarManager* TdxBarAccessibilityHelper::OwningBarManager() { MustBeProvided("OwningBarManager"); }

void TdxBarAccessibilityHelper::DefaultSelectable(IdxBarAccessibilityHelper*&) { MustBeProvided("DefaultSelectable"); }

void TdxBarAccessibilityHelper::RootObject(IdxBarAccessibilityHelper*& Object) {
  Object = BarInterfaceOf(RootHelper());
}

bool TdxBarAccessibilityHelper::IsCurrentSelection() {
  return BarNavigationController && BarHelperOf(BarNavigationController->CurrentSelection()) == this;
}

void TdxBarAccessibilityHelper::NextInTabOrder(TShiftState Shift, IdxBarAccessibilityHelper*& Object) {
  Object = nullptr;
  if (TdxBarAccessibilityHelper* parent = BarParent()) Object = BarInterfaceOf(parent->NextSelectableFrom(parent->LogicalIndexOf(this), Shift));
}

void TdxBarAccessibilityHelper::SelectObject(bool) {
  if (!BarNavigationController) return;
  BarNavigationController->SetSelectedObject(this);
  BarNavigationController->SetSelectedParent(BarInterfaceOf(ParentHelper()));
}

void TdxBarAccessibilityHelper::UnselectObject(IdxBarAccessibilityHelper*) {
  if (!BarNavigationController) return;
  BarNavigationController->SetSelectedObject(nullptr);
  BarNavigationController->SetSelectedParent(nullptr);
}

// ---- key tips of the base ------------------------------------------------------------------------

String TdxBarAccessibilityHelper::KeyTipText() {
  String tip = AssignedKeyTip();
  if (tip.empty()) tip = DefaultKeyTip();
  return Utf8Left(tip, 3);
}

void TdxBarAccessibilityHelper::FillKeyTipInfo(TdxBarKeyTipInfo& Info) {
  Info.KeyTip = KeyTipText();
  Info.Visible = IsVisible();
  Info.OnExecute = [this](TObject* Sender) {
    THelperHold hold(this);
    if (IsOwnerObjectLive()) ExecuteKeyTip(Sender);
  };
}

std::unique_ptr<TdxBarKeyTipData> TdxBarAccessibilityHelper::CreateKeyTipData() {
  TdxBarKeyTipInfo info{};
  FillKeyTipInfo(info);
  return std::make_unique<TdxBarKeyTipData>(this, info);
}

void TdxBarAccessibilityHelper::AddKeyTipData(TdxBarKeyTipDataList& List) { List.push_back(CreateKeyTipData()); }

void TdxBarAccessibilityHelper::CollectKeyTipData(TdxBarKeyTipDataList& List) {
  if (!IsVisible()) return;
  std::vector<TdxBarAccessibilityHelper*> children;
  ListChildren(children);
  for (TdxBarAccessibilityHelper* child : children) {
    if (child->IsSelectable())
      child->AddKeyTipData(List);
    else
      child->CollectKeyTipData(List);
  }
}

void TdxBarAccessibilityHelper::EscapeFromKeyTips() {
  if (!BarNavigationController) return;
  if (TdxBarAccessibilityHelper* container = KeyTipContainerOf(this)) {
    THelperHold hold(this);
    BarNavigationController->ShowKeyTips(container, {});
    BarNavigationController->ChangeSelection(true, this);
  } else {
    BarNavigationController->EndKeyboardMode();
  }
}

TdxBarAccessibilityHelper* KeyTipContainerOf(TdxBarAccessibilityHelper* Helper) {
  TdxBarAccessibilityHelper* at = Helper ? Helper->KeyTipParent() : nullptr;
  while (at && !at->GroupsKeyTips())
    if (TdxBarAccessibilityHelper* up = at->KeyTipParent())
      at = up;
    else
      break;
  return at;
}

void EscapeKeyTips(IdxBarAccessibilityHelper* Container) {
  if (TdxBarAccessibilityHelper* helper = BarHelperOf(Container)) {
    THelperHold hold(Container);
    helper->EscapeFromKeyTips();
  }
}

IdxBarAccessibilityHelper* RootAccessibleObjectOf(TdxBarManager* Manager) {
  TdxBar* mainMenu = Manager ? Manager->MainMenuBar() : nullptr;
  TdxBarControl* window = mainMenu ? mainMenu->Control() : nullptr;
  return window ? BarAccessibilityHelperOf(window->AccessibilityHelper()) : nullptr;
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::BarParent() {
  return dynamic_cast<TdxBarAccessibilityHelper*>(ParentHelper());
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::BarChildAt(int Index) {
  return dynamic_cast<TdxBarAccessibilityHelper*>(ChildAt(Index));
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::LogicalChildAt(int Index) { return BarChildAt(Index); }

void TdxBarAccessibilityHelper::ListChildren(std::vector<TdxBarAccessibilityHelper*>& Children) {
  Children.clear();
  for (int i = 0, n = CountChildren(); i < n; ++i)
    if (TdxBarAccessibilityHelper* child = BarChildAt(i)) Children.push_back(child);
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::FirstSelectableObject() {
  if (!IsVisible()) return nullptr;
  if (IsSelectable()) return this;
  std::vector<TdxBarAccessibilityHelper*> children;
  ListChildren(children);
  for (TdxBarAccessibilityHelper* child : children)
    if (TdxBarAccessibilityHelper* found = child->FirstSelectableObject()) return found;
  return nullptr;
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::SelectableInside(TdxBarAccessibilityHelper* Helper, bool Forward) {
  const int n = Helper->LogicalChildCount();
  for (int k = 0; k < n; ++k) {
    TdxBarAccessibilityHelper* child = Helper->LogicalChildAt(Forward ? k : n - 1 - k);
    if (!child) continue;
    if (child->IsSelectable()) return child;
    if (TdxBarAccessibilityHelper* found = SelectableInside(child, Forward)) return found;
  }
  return nullptr;
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::TabOrderFrom(int Index, bool Forward) {
  const int n = LogicalChildCount();
  for (int i = Index + (Forward ? 1 : -1); i >= 0 && i < n; i += Forward ? 1 : -1) {
    TdxBarAccessibilityHelper* child = LogicalChildAt(i);
    if (!child) continue;
    if (child->IsSelectable()) return child;
    if (TdxBarAccessibilityHelper* found = SelectableInside(child, Forward)) return found;
  }
  if (TdxBarAccessibilityHelper* parent = BarParent()) return parent->TabOrderFrom(parent->LogicalIndexOf(this), Forward);
  // At the root the search starts over once; nothing selectable anywhere gives nothing.
  return SelectableInside(this, Forward);
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::NextSelectableFrom(int Index, TShiftState Shift) {
  return TabOrderFrom(Index, !Shift.Contains(ssShift));
}

void TdxBarAccessibilityHelper::CollectCandidates(TdxBarAccessibilityHelper* Root, TdxBarAccessibilityHelper* Skip,
                                                  const TRect& R, int Direction,
                                                  std::vector<TdxBarAccessibilityHelper*>& List) {
  if (!Root || Root == Skip || !Root->IsVisible()) return;
  if (Root->IsSelectable()) {
    TRect c;
    Root->ScreenBounds(0, c);
    bool passes = false;
    switch (Direction) {
      case dxNavLeft:
      case dxNavRight:
        passes = R.Top < c.Bottom && c.Top < R.Bottom && !(c.Left == R.Left && c.Right == R.Right);
        break;
      default:
        passes = R.Left < c.Right && c.Left < R.Right;
        if (Direction == dxNavUp) passes = passes && R.Top >= c.Bottom;
        if (Direction == dxNavDown) passes = passes && c.Top >= R.Bottom;
        break;
    }
    if (passes) List.push_back(Root);
  }
  std::vector<TdxBarAccessibilityHelper*> children;
  Root->ListChildren(children);
  for (TdxBarAccessibilityHelper* child : children) CollectCandidates(child, Skip, R, Direction, List);
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::NearestFrom(const TRect& R,
                                                                  const std::vector<TdxBarAccessibilityHelper*>& List,
                                                                  int Direction, bool Wrap) {
  if (List.empty()) return nullptr;
  std::vector<RECT> rects;
  rects.reserve(List.size() + 1);
  rects.push_back(R);
  for (TdxBarAccessibilityHelper* helper : List) {
    TRect c;
    helper->ScreenBounds(0, c);
    rects.push_back(c);
  }
  const int found = NextInDirection(rects, 0, Direction, Wrap);
  return found > 0 ? List[static_cast<std::size_t>(found - 1)] : nullptr;
}

void TdxBarAccessibilityHelper::NeighbourInDirection(int Direction, IdxBarAccessibilityHelper*& Object) {
  Object = nullptr;
  if (Direction == dxNavPrevious || Direction == dxNavNext) return;
  TRect r;
  ScreenBounds(0, r);
  std::vector<TdxBarAccessibilityHelper*> list;
  CollectCandidates(dynamic_cast<TdxBarAccessibilityHelper*>(RootHelper()), this, r, Direction, list);
  Object = BarInterfaceOf(NearestFrom(r, list, Direction, true));
}

void* TdxBarAccessibilityHelper::InterfaceFor(REFIID riid) {
  if (riid == IID_IdxBarAccessibilityHelper) return static_cast<IdxBarAccessibilityHelper*>(this);
  return TcxAccessibilityHelper::InterfaceFor(riid);
}

// ---- dock sites ----------------------------------------------------------------------------------

TdxDockControl* TdxDockControlAccessibilityHelper::DockControl() const {
  return IsOwnerObjectLive() ? static_cast<TdxDockControl*>(OwnerObject()) : nullptr;
}

std::vector<TdxBarControl*> TdxDockControlAccessibilityHelper::BarWindows() {
  std::vector<TdxBarControl*> windows;
  if (TdxDockControl* dock = DockControl())
    for (int row = 0; row < dock->RowCount(); ++row)
      for (TdxBar* bar : dock->Rows(row)->RowBars())
        if (TdxBarControl* window = bar ? bar->Control() : nullptr) windows.push_back(window);
  return windows;
}

TcxAccessibilityHelper* TdxDockControlAccessibilityHelper::ChildAt(int Index) {
  const std::vector<TdxBarControl*> windows = BarWindows();
  if (Index < 0 || Index >= static_cast<int>(windows.size())) return nullptr;
  return dynamic_cast<TcxAccessibilityHelper*>(windows[static_cast<std::size_t>(Index)]->AccessibilityHelper());
}

int TdxDockControlAccessibilityHelper::CountChildren() { return static_cast<int>(BarWindows().size()); }

void TdxDockControlAccessibilityHelper::ListChildren(std::vector<TdxBarAccessibilityHelper*>& Children) {
  Children.clear();
  for (TdxBarControl* window : BarWindows())
    if (auto* helper = dynamic_cast<TdxBarAccessibilityHelper*>(window->AccessibilityHelper())) Children.push_back(helper);
}

int TdxDockControlAccessibilityHelper::IndexOfChild(TcxAccessibilityHelper* Child) {
  const std::vector<TdxBarControl*> windows = BarWindows();
  for (std::size_t i = 0; i < windows.size(); ++i)
    if (windows[i]->AccessibilityHelper() == Child) return static_cast<int>(i);
  return -1;
}

HWND TdxDockControlAccessibilityHelper::OwnerWindow() {
  TdxDockControl* dock = DockControl();
  return dock && dock->HandleAllocated() ? dock->Handle() : nullptr;
}

void TdxDockControlAccessibilityHelper::ScreenBounds(int, TRect& R) { R = ShownWindowRect(OwnerWindow()); }

int TdxDockControlAccessibilityHelper::StateOf(int) { return WindowState(OwnerWindow()); }

TdxBarManager* TdxDockControlAccessibilityHelper::OwningBarManager() {
  TdxDockControl* dock = DockControl();
  return dock ? dock->BarManager() : nullptr;
}

// ---- bar windows ---------------------------------------------------------------------------------

TCustomdxBarControl* TCustomdxBarControlAccessibilityHelper::BarControlOf() {
  return IsOwnerObjectLive() ? dynamic_cast<TCustomdxBarControl*>(OwnerObject()) : nullptr;
}

TcxAccessibilityHelper* TCustomdxBarControlAccessibilityHelper::ChildAt(int Index) {
  TCustomdxBarControl* bar = BarControlOf();
  if (!bar || Index < 0 || Index >= bar->ViewInfo()->Count()) return nullptr;
  return HelperOfItem(bar->ViewInfo()->Items(Index));
}

int TCustomdxBarControlAccessibilityHelper::CountChildren() {
  TCustomdxBarControl* bar = BarControlOf();
  return bar ? bar->ViewInfo()->Count() : 0;
}

int TCustomdxBarControlAccessibilityHelper::IndexOfChild(TcxAccessibilityHelper* Child) {
  auto* item = dynamic_cast<TdxBarItemControlAccessibilityHelper*>(Child);
  TCustomdxBarControl* bar = BarControlOf();
  if (!item || !bar) return -1;
  for (int i = 0; i < bar->ViewInfo()->Count(); ++i)
    if (bar->ViewInfo()->Items(i) == item->ItemControl()) return i;
  return -1;
}

HWND TCustomdxBarControlAccessibilityHelper::OwnerWindow() {
  TCustomdxBarControl* bar = BarControlOf();
  return bar && bar->HandleAllocated() ? bar->Handle() : nullptr;
}

void TCustomdxBarControlAccessibilityHelper::ScreenBounds(int, TRect& R) { R = ShownWindowRect(OwnerWindow()); }

int TCustomdxBarControlAccessibilityHelper::StateOf(int) { return WindowState(OwnerWindow()); }

bool TCustomdxBarControlAccessibilityHelper::AllowsChildNavigation(WORD) {
  TCustomdxBarControl* bar = BarControlOf();
  auto* window = bar ? dynamic_cast<TdxBarWinControl*>(bar->SelectedControl()) : nullptr;
  // The editor keeps the arrows while it edits.
  return !(window && window->Focused());
}

TdxBarAccessibilityHelper* TCustomdxBarControlAccessibilityHelper::NextSelectableFrom(int Index, TShiftState Shift) {
  TCustomdxBarControl* bar = BarControlOf();
  if (!bar) return nullptr;
  const bool backward = Shift.Contains(ssShift);
  if (Shift.Contains(ssCtrl)) {
    // The manager's other shown toolbar windows, in the manager's order.
    TdxBarManager* manager = bar->BarManager();
    auto* toolbar = dynamic_cast<TdxBarControl*>(bar);
    if (!manager || !toolbar || !toolbar->ShownBar()) return nullptr;
    std::vector<TdxBarControl*> windows;
    int at = -1;
    for (int i = 0; i < manager->Bars()->Count(); ++i) {
      TdxBarControl* window = manager->Bars()->Items(i)->Control();
      if (window != toolbar && manager->Bars()->Items(i)->Hidden()) continue;
      if (window == toolbar) at = static_cast<int>(windows.size());
      if (window == toolbar || (window && window->HandleAllocated() && IsWindowVisible(window->Handle())))
        windows.push_back(window);
    }
    const int n = static_cast<int>(windows.size());
    if (at < 0 || n < 2) return nullptr;
    TdxBarControl* next = windows[static_cast<std::size_t>(((at + (backward ? -1 : 1)) % n + n) % n)];
    return dynamic_cast<TdxBarAccessibilityHelper*>(next->AccessibilityHelper());
  }
  const int direction = bar->IsVertical() ? (backward ? dxNavUp : dxNavDown) : (backward ? dxNavLeft : dxNavRight);
  TdxBarAccessibilityHelper* child = LogicalChildAt(Index);
  if (!child) return nullptr;
  IdxBarAccessibilityHelper* found = nullptr;
  child->NeighbourInDirection(direction, found);
  return BarHelperOf(found);
}

void TCustomdxBarControlAccessibilityHelper::ItemKeyTipPlacement(TdxBarItemControl* AControl, TPoint& P,
                                                                 int& VerticalPlacement, int& HorizontalPlacement) {
  TCustomdxBarControl* bar = BarControlOf();
  P = bar ? RectCenterPoint(bar->ControlScreenRect(AControl)) : TPoint{};
  VerticalPlacement = HorizontalPlacement = 2;
}

void TCustomdxBarControlAccessibilityHelper::ItemNeighbour(TdxBarItemControl* AControl, int Direction,
                                                           IdxBarAccessibilityHelper*& Object) {
  Object = nullptr;
  TCustomdxBarControl* bar = BarControlOf();
  TdxBarAccessibilityHelper* from = HelperOfItem(AControl);
  if (!bar || !from) return;
  const TRect r = bar->ControlScreenRect(AControl);
  std::vector<TdxBarAccessibilityHelper*> list;
  CollectCandidates(this, from, r, Direction, list);
  Object = BarInterfaceOf(NearestFrom(r, list, Direction, false));
}

void TCustomdxBarControlAccessibilityHelper::ReleaseItemSelection() {
  TCustomdxBarControl* bar = BarControlOf();
  if (!bar) return;
  if (bar->BarKind() != 2 && bar->IsFocusedBar())
    bar->HideFocus();
  else
    bar->SelectControlByKeyboard(nullptr);
}

bool TCustomdxBarControlAccessibilityHelper::TakesDropDownKey(WORD Key) {
  TCustomdxBarControl* bar = BarControlOf();
  TdxBarItemControl* selected = bar ? bar->SelectedControl() : nullptr;
  if (!selected || !selected->IsEnabled() || !selected->IsDropDownKey(Key)) return false;
  selected->KeyDown(Key, GetShiftState());
  return true;
}

// ---- menu windows --------------------------------------------------------------------------------

namespace {

bool ShiftFree(TShiftState Shift) { return !Shift.Contains(ssShift) && !Shift.Contains(ssAlt) && !Shift.Contains(ssCtrl); }

// The toolbar a menu chain starts from takes Left or Right as if it had the selection.
void HandKeyToToolbar(TCustomdxBarControl* Toolbar, WORD Key) {
  if (!BarNavigationController || (Toolbar->BehaviourFlags() & dxBarBehaviourKeyboardNavigation)) return;
  TdxBarItemControl* selected = Toolbar->SelectedControl();
  BarNavigationController->ProcessKey(Key, {}, selected ? selected->AccessibilityHelperOf() : nullptr,
                                      BarAccessibilityHelperOf(Toolbar->AccessibilityHelper()));
}

}  // namespace

TdxBarSubMenuControl* TdxBarSubMenuControlAccessibilityHelper::Menu() const {
  return IsOwnerObjectLive() ? dynamic_cast<TdxBarSubMenuControl*>(OwnerObject()) : nullptr;
}

TdxBarManager* TdxBarSubMenuControlAccessibilityHelper::OwningBarManager() {
  TdxBarSubMenuControl* menu = Menu();
  if (!menu) return nullptr;
  TdxBarItemLinks* links = menu->ItemLinks();
  return links && links->BarManager() ? links->BarManager() : menu->BarManager();
}

bool TdxBarSubMenuControlAccessibilityHelper::ProcessNavigationKey(WORD& Key) {
  TdxBarSubMenuControl* menu = Menu();
  if (!menu) return true;
  TcxObjectLinkScope alive(menu);
  menu->StopAnimation(true);
  if (!alive.Alive()) return true;
  const TShiftState shift = GetShiftState();
  if (menu->HasMark()) {
    const bool ctrlOnly = shift.Contains(ssCtrl) && !shift.Contains(ssShift) && !shift.Contains(ssAlt);
    if (Key == VK_DOWN && ctrlOnly) {
      menu->SetMarkState(2);
      return true;
    }
    TdxBarItemLink* link = menu->SelectedLink();
    TdxBarItemLinks* links = menu->ItemLinks();
    if ((Key == VK_DOWN || (Key == VK_TAB && ShiftFree(shift))) && link && links &&
        link->VisibleIndex() + 1 == links->VisibleCount()) {
      menu->SetMarkState(2);
      // Once more with Down, into the links the expansion added; the link is no longer the last.
      if (alive.Alive() && (menu = Menu()) && !menu->HasMark()) {
        WORD down = VK_DOWN;
        return ProcessNavigationKey(down);
      }
      if (alive.Alive()) MoveVertically(false, false);
      return true;
    }
  }
  bool byTab = false;
  if (Key == VK_TAB) {
    Key = ShiftFree(shift) ? VK_DOWN : VK_UP;
    byTab = true;
  }
  if (TakesDropDownKey(Key)) return true;
  switch (Key) {
    case VK_LEFT:
    case VK_RIGHT: MoveHorizontally(Key == VK_LEFT); break;
    case VK_UP:
    case VK_DOWN: MoveVertically(Key == VK_UP, byTab); break;
    default:
      // Any other key the controller hands over goes to the menu window's own handling.
      if (alive.Alive() && menu->HandleAllocated()) SendMessage(menu->Handle(), WM_KEYDOWN, Key, 0);
      break;
  }
  return true;
}

TdxBarItemLink* TdxBarSubMenuControlAccessibilityHelper::AdjacentLink(TdxBarItemLink* Link, bool Forward) {
  TdxBarSubMenuControl* menu = Menu();
  TdxBarItemLinks* links = menu ? menu->ItemLinks() : nullptr;
  if (!links || !Link) return nullptr;
  return Forward ? links->NextSelectable(Link) : links->PriorSelectable(Link);
}

void TdxBarSubMenuControlAccessibilityHelper::MoveVertically(bool Up, bool ByTab) {
  TdxBarSubMenuControl* menu = Menu();
  TdxBarItemLinks* links = menu ? menu->ItemLinks() : nullptr;
  if (!links || !BarNavigationController) return;
  TdxBarItemLink* link = menu->SelectedLink();
  TdxBarItemLink* target = link ? AdjacentLink(link, !Up) : (links->VisibleCount() > 0 ? links->FirstSelectable() : nullptr);
  if (!target || !target->Control()) return;
  IdxBarAccessibilityHelper* current = link && link->Control() ? link->Control()->AccessibilityHelperOf() : nullptr;
  BarNavigationController->ChangeSelection(ByTab, target->Control()->AccessibilityHelperOf(), current);
}

void TdxBarSubMenuControlAccessibilityHelper::MoveHorizontally(bool ToLeft) {
  TdxBarSubMenuControl* menu = Menu();
  if (!menu) return;
  TdxBarItemLink* link = menu->SelectedLink();
  if (IdxBarAccessibilityHelper* current = link && link->Control() ? link->Control()->AccessibilityHelperOf() : nullptr) {
    IdxBarAccessibilityHelper* target = nullptr;
    current->NeighbourInDirection(ToLeft ? dxNavLeft : dxNavRight, target);
    if (target && BarHelperOf(target) != BarHelperOf(current)) {
      THelperHold hold(target);
      current->UnselectObject(target);
      target->SelectObject(false);
      return;
    }
  }
  TCustomdxBarControl* root = RootToolbar(menu);
  if (!ToLeft) {
    if (root) HandKeyToToolbar(root, VK_RIGHT);
    return;
  }
  TCustomdxBarControl* parent = menu->ParentBar();
  TdxBarItemControl* opener = parent ? parent->SelectedControl() : nullptr;
  if (!opener) return;
  if (parent->BarKind() == dxBarKindMenu) {
    opener->Deactivate(true);
    return;
  }
  if (!root) return;
  // On a vertical toolbar the menus do not lie side by side: Left only leaves this one.
  if (root->IsVertical()) {
    if (menu->HandleAllocated()) SendMessage(menu->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    return;
  }
  HandKeyToToolbar(root, VK_LEFT);
}

void TdxBarSubMenuControlAccessibilityHelper::ItemKeyTipPlacement(TdxBarItemControl* AControl, TPoint& P,
                                                                  int& VerticalPlacement, int& HorizontalPlacement) {
  TdxBarSubMenuControl* menu = Menu();
  VerticalPlacement = HorizontalPlacement = 1;
  P = {};
  if (!menu || !menu->HandleAllocated()) return;
  // Over the middle of the glyph column, level with the item.
  const POINT origin = menu->ClientOrigin();
  const TRect r = menu->ControlScreenRect(AControl);
  P = {origin.x + menu->SideBandWidth() + menu->IconAreaSize() / 2, (r.Top + r.Bottom) / 2};
}

TdxBarAccessibilityHelper* TdxBarSubMenuControlAccessibilityHelper::KeyTipParent() {
  TdxBarSubMenuControl* menu = Menu();
  TCustomdxBarControl* parent = menu ? menu->ParentBar() : nullptr;
  TdxBarItemControl* opener = parent ? parent->SelectedControl() : nullptr;
  return HelperOfItem(opener);
}

void TdxBarSubMenuControlAccessibilityHelper::EscapeFromKeyTips() {
  TdxBarAccessibilityHelper* parent = KeyTipParent();
  TdxBarAccessibilityHelper* container = KeyTipContainerOf(parent);
  if (!container) container = parent;
  THelperHold hold(BarInterfaceOf(container));
  if (TdxBarSubMenuControl* menu = Menu(); menu && menu->HandleAllocated())
    SendMessage(menu->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  if (BarNavigationController) BarNavigationController->ShowKeyTips(BarInterfaceOf(container), {});
}

TClass TdxBarSubMenuControl::AccessibilityHelperClass() const {
  return TdxBarSubMenuControlAccessibilityHelper::StaticClass();
}

// ---- toolbar windows -----------------------------------------------------------------------------

TdxBarControl* TdxBarControlAccessibilityHelper::Toolbar() const {
  return IsOwnerObjectLive() ? dynamic_cast<TdxBarControl*>(OwnerObject()) : nullptr;
}

void TdxBarControlAccessibilityHelper::DetachOwner() {
  DetachAccessibilityHelper(FMarkHelper);
  TCustomdxBarControlAccessibilityHelper::DetachOwner();
}

TdxBarCaptionButtonsAccessibilityHelper* TdxBarControlAccessibilityHelper::CaptionButtonsHelper() {
  TdxBarControl* toolbar = Toolbar();
  TdxBar* bar = toolbar ? toolbar->ShownBar() : nullptr;
  return bar && bar->CaptionButtons()
             ? dynamic_cast<TdxBarCaptionButtonsAccessibilityHelper*>(bar->CaptionButtons()->AccessibilityHelper())
             : nullptr;
}

TdxBarAccessibilityHelper* TdxBarControlAccessibilityHelper::MarkHelper() {
  if (!FMarkHelper && Toolbar()) {
    TClass cls = Toolbar()->MarkAccessibilityHelperClass();
    FMarkHelper = CreateAccessibilityHelper(cls ? cls : TdxBarControlMarkAccessibilityHelper::StaticClass(), Toolbar());
  }
  return dynamic_cast<TdxBarAccessibilityHelper*>(FMarkHelper);
}

TcxAccessibilityHelper* TdxBarControlAccessibilityHelper::ChildAt(int Index) {
  const int items = TCustomdxBarControlAccessibilityHelper::CountChildren();
  if (Index == items) return CaptionButtonsHelper();
  return TCustomdxBarControlAccessibilityHelper::ChildAt(Index);
}

int TdxBarControlAccessibilityHelper::CountChildren() {
  return Toolbar() ? TCustomdxBarControlAccessibilityHelper::CountChildren() + (CaptionButtonsHelper() ? 1 : 0) : 0;
}

int TdxBarControlAccessibilityHelper::IndexOfChild(TcxAccessibilityHelper* Child) {
  if (Child && Child == CaptionButtonsHelper()) return TCustomdxBarControlAccessibilityHelper::CountChildren();
  return TCustomdxBarControlAccessibilityHelper::IndexOfChild(Child);
}

TcxAccessibilityHelper* TdxBarControlAccessibilityHelper::ParentHelper() {
  TdxBarControl* toolbar = Toolbar();
  TdxDockControl* dock = toolbar && toolbar->DockingStyle() != dsNone ? toolbar->DockControl() : nullptr;
  return dock ? dynamic_cast<TcxAccessibilityHelper*>(dock->AccessibilityHelper()) : nullptr;
}

TdxBarManager* TdxBarControlAccessibilityHelper::OwningBarManager() {
  TdxBarControl* toolbar = Toolbar();
  return toolbar && toolbar->ShownBar() ? toolbar->ShownBar()->BarManager() : (toolbar ? toolbar->BarManager() : nullptr);
}

void TdxBarControlAccessibilityHelper::DefaultSelectable(IdxBarAccessibilityHelper*& Object) { Object = this; }

bool TdxBarControlAccessibilityHelper::ProcessNavigationKey(WORD& Key) {
  TdxBarControl* toolbar = Toolbar();
  if (!toolbar) return false;
  // The bar's own handling sees the arrows turned with a vertical toolbar; the key itself goes on
  // unturned, since ItemNeighbour turns the direction where the items are searched.
  WORD turned = Key;
  if (toolbar->IsVertical()) switch (Key) {
      case VK_LEFT: turned = VK_UP; break;
      case VK_UP: turned = VK_LEFT; break;
      case VK_RIGHT: turned = VK_DOWN; break;
      case VK_DOWN: turned = VK_RIGHT; break;
      default: break;
    }
  return TakesDropDownKey(turned);
}

void TdxBarControlAccessibilityHelper::SelectObject(bool) {
  if (TdxBarControl* toolbar = Toolbar()) toolbar->ActivateWithControl(nullptr);
}

void TdxBarControlAccessibilityHelper::UnselectObject(IdxBarAccessibilityHelper* NextObject) {
  TCustomdxBarControlAccessibilityHelper::UnselectObject(NextObject);
  if (TdxBarControl* toolbar = Toolbar()) toolbar->CloseUp();
}

TCustomdxBarControl* TdxBarControlAccessibilityHelper::BarControlOf() {
  TdxBarControl* toolbar = Toolbar();
  TdxBar* bar = toolbar ? toolbar->ShownBar() : nullptr;
  return bar && bar->Control() ? bar->Control() : toolbar;
}

void TdxBarControlAccessibilityHelper::ItemNeighbour(TdxBarItemControl* AControl, int Direction,
                                                     IdxBarAccessibilityHelper*& Object) {
  Object = nullptr;
  TdxBarControl* toolbar = Toolbar();
  if (!toolbar || !AControl) return;
  int turned = Direction;
  if (toolbar->IsVertical()) {
    static constexpr int kTurn[] = {dxNavUp, dxNavLeft, dxNavDown, dxNavRight};
    if (Direction >= dxNavLeft && Direction <= dxNavDown) turned = kTurn[Direction];
  }
  if (turned == dxNavUp || turned == dxNavDown) {
    TCustomdxBarControlAccessibilityHelper::ItemNeighbour(AControl, Direction, Object);
    return;
  }
  TdxBarItemLinks* links = toolbar->ItemLinks();
  TdxBarItemLink* link = AControl->ItemLink();
  if (!links || !link) return;
  TdxBarItemLink* next = turned == dxNavLeft ? links->PriorSelectable(link) : links->NextSelectable(link);
  Object = next && next->Control() ? next->Control()->AccessibilityHelperOf() : nullptr;
}

// ---- the mark ------------------------------------------------------------------------------------

TdxBarControl* TdxBarControlMarkAccessibilityHelper::Toolbar() const {
  return IsOwnerObjectLive() ? dynamic_cast<TdxBarControl*>(OwnerObject()) : nullptr;
}

TcxAccessibilityHelper* TdxBarControlMarkAccessibilityHelper::ParentHelper() {
  TdxBarControl* toolbar = Toolbar();
  return toolbar ? dynamic_cast<TcxAccessibilityHelper*>(toolbar->AccessibilityHelper()) : nullptr;
}

HWND TdxBarControlMarkAccessibilityHelper::OwnerWindow() {
  TcxAccessibilityHelper* parent = ParentHelper();
  return parent ? parent->OwnerWindow() : nullptr;
}

void TdxBarControlMarkAccessibilityHelper::ScreenBounds(int, TRect& R) {
  R = {};
  TdxBarControl* toolbar = Toolbar();
  if (!toolbar || !toolbar->HandleAllocated()) return;
  const TRect mark = toolbar->MarkRect();
  if (IsEmptyRect(mark)) return;
  const POINT origin = toolbar->ClientToScreen(POINT{0, 0});
  R = ShiftRectByPoint(mark, TPoint{origin.x, origin.y}, true);
}

int TdxBarControlMarkAccessibilityHelper::StateOf(int) {
  TcxAccessibilityHelper* parent = ParentHelper();
  int state = parent ? parent->StateOf(0) : static_cast<int>(STATE_SYSTEM_INVISIBLE);
  TdxBarControl* toolbar = Toolbar();
  if (!toolbar || !toolbar->HasMark() || IsEmptyRect(toolbar->MarkRect())) state |= STATE_SYSTEM_INVISIBLE;
  return state;
}

TdxBarManager* TdxBarControlMarkAccessibilityHelper::OwningBarManager() {
  TdxBarControl* toolbar = Toolbar();
  return toolbar ? toolbar->BarManager() : nullptr;
}

bool TdxBarControlMarkAccessibilityHelper::WantsNavigationKey(WORD Key) { return IsActionKey(Key); }

bool TdxBarControlMarkAccessibilityHelper::ProcessNavigationKey(WORD& Key) {
  if (Key != VK_RETURN && Key != VK_SPACE) return false;
  TdxBarControl* toolbar = Toolbar();
  UnselectObject(nullptr);
  if (toolbar) toolbar->SetMarkState(2);
  return true;
}

void TdxBarControlMarkAccessibilityHelper::SelectObject(bool SetFocus) {
  TdxBarAccessibilityHelper::SelectObject(SetFocus);
  if (TdxBarControl* toolbar = Toolbar()) toolbar->RedrawMark();
}

void TdxBarControlMarkAccessibilityHelper::UnselectObject(IdxBarAccessibilityHelper* NextObject) {
  TdxBarAccessibilityHelper::UnselectObject(NextObject);
  if (TdxBarControl* toolbar = Toolbar()) toolbar->RedrawMark();
}

// ---- caption buttons -----------------------------------------------------------------------------

TdxBarCaptionButtons* TdxBarCaptionButtonsAccessibilityHelper::Buttons() const {
  return IsOwnerObjectLive() ? dynamic_cast<TdxBarCaptionButtons*>(OwnerObject()) : nullptr;
}

TdxBarControl* TdxBarCaptionButtonsAccessibilityHelper::Toolbar() const {
  TdxBarCaptionButtons* buttons = Buttons();
  return buttons && buttons->Bar() ? buttons->Bar()->Control() : nullptr;
}

TcxAccessibilityHelper* TdxBarCaptionButtonsAccessibilityHelper::ChildAt(int Index) {
  TdxBarCaptionButtons* buttons = Buttons();
  if (!buttons || Index < 0 || Index >= buttons->Count()) return nullptr;
  // Left to right: the caption lays the first button out at its end.
  return dynamic_cast<TcxAccessibilityHelper*>(buttons->Items(buttons->Count() - 1 - Index)->AccessibilityHelper());
}

int TdxBarCaptionButtonsAccessibilityHelper::CountChildren() {
  TdxBarCaptionButtons* buttons = Buttons();
  return buttons ? buttons->Count() : 0;
}

int TdxBarCaptionButtonsAccessibilityHelper::IndexOfChild(TcxAccessibilityHelper* Child) {
  for (int i = 0, n = CountChildren(); i < n; ++i)
    if (ChildAt(i) == Child) return i;
  return -1;
}

TcxAccessibilityHelper* TdxBarCaptionButtonsAccessibilityHelper::ParentHelper() {
  TdxBarControl* toolbar = Toolbar();
  return toolbar ? dynamic_cast<TcxAccessibilityHelper*>(toolbar->AccessibilityHelper()) : nullptr;
}

HWND TdxBarCaptionButtonsAccessibilityHelper::OwnerWindow() {
  TcxAccessibilityHelper* parent = ParentHelper();
  return parent ? parent->OwnerWindow() : nullptr;
}

void TdxBarCaptionButtonsAccessibilityHelper::ScreenBounds(int, TRect& R) {
  R = {};
  TdxBarCaptionButtons* buttons = Buttons();
  TdxBarControl* toolbar = Toolbar();
  if (!buttons || !toolbar) return;
  const TPoint origin = WindowOrigin(toolbar);
  R = ShiftRectByPoint(buttons->Bounds(), origin, true);
}

int TdxBarCaptionButtonsAccessibilityHelper::StateOf(int) {
  auto* parent = dynamic_cast<TCustomdxBarControlAccessibilityHelper*>(ParentHelper());
  int state = parent ? parent->StateOf(0) : static_cast<int>(STATE_SYSTEM_INVISIBLE);
  TdxBarCaptionButtons* buttons = Buttons();
  if (!buttons || IsEmptyRect(buttons->Bounds()) || (parent && parent->HidesItems())) state |= STATE_SYSTEM_INVISIBLE;
  return state;
}

TdxBarManager* TdxBarCaptionButtonsAccessibilityHelper::OwningBarManager() {
  TdxBarCaptionButtons* buttons = Buttons();
  return buttons && buttons->Bar() ? buttons->Bar()->BarManager() : nullptr;
}

void TdxBarCaptionButtonsAccessibilityHelper::RefreshHotState() {
  TdxBarCaptionButtons* buttons = Buttons();
  TdxBarControl* toolbar = Toolbar();
  if (!buttons || !toolbar) return;
  POINT p{};
  GetCursorPosition(p);
  const TPoint origin = WindowOrigin(toolbar);
  buttons->UpdateStates({p.x - origin.X, p.y - origin.Y}, false);
}

void TdxBarCaptionButtonsAccessibilityHelper::UnselectObject(IdxBarAccessibilityHelper* NextObject) {
  TdxBarAccessibilityHelper::UnselectObject(NextObject);
  RefreshHotState();
}

TdxBarCaptionButton* TdxBarCaptionButtonAccessibilityHelper::Button() const {
  return IsOwnerObjectLive() ? dynamic_cast<TdxBarCaptionButton*>(OwnerObject()) : nullptr;
}

TcxAccessibilityHelper* TdxBarCaptionButtonAccessibilityHelper::ParentHelper() {
  TdxBarCaptionButton* button = Button();
  auto* buttons = button ? dynamic_cast<TdxBarCaptionButtons*>(button->Collection()) : nullptr;
  return buttons ? dynamic_cast<TcxAccessibilityHelper*>(buttons->AccessibilityHelper()) : nullptr;
}

HWND TdxBarCaptionButtonAccessibilityHelper::OwnerWindow() {
  TcxAccessibilityHelper* parent = ParentHelper();
  return parent ? parent->OwnerWindow() : nullptr;
}

void TdxBarCaptionButtonAccessibilityHelper::ScreenBounds(int, TRect& R) {
  R = {};
  TdxBarCaptionButton* button = Button();
  TdxBarControl* toolbar = button && button->Bar() ? button->Bar()->Control() : nullptr;
  if (!toolbar) return;
  const TPoint origin = WindowOrigin(toolbar);
  R = ShiftRectByPoint(button->Rect(), origin, true);
}

int TdxBarCaptionButtonAccessibilityHelper::StateOf(int) {
  TcxAccessibilityHelper* parent = ParentHelper();
  int state = parent ? parent->StateOf(0) : static_cast<int>(STATE_SYSTEM_INVISIBLE);
  TdxBarCaptionButton* button = Button();
  if (!button || IsEmptyRect(button->Rect())) state |= STATE_SYSTEM_INVISIBLE;
  return state;
}

TdxBarManager* TdxBarCaptionButtonAccessibilityHelper::OwningBarManager() {
  auto* parent = dynamic_cast<TdxBarAccessibilityHelper*>(ParentHelper());
  return parent ? parent->OwningBarManager() : nullptr;
}

bool TdxBarCaptionButtonAccessibilityHelper::WantsNavigationKey(WORD Key) { return IsActionKey(Key); }

bool TdxBarCaptionButtonAccessibilityHelper::ProcessNavigationKey(WORD& Key) {
  if (!IsActionKey(Key)) return false;
  TdxBarCaptionButton* button = Button();
  TdxBarControl* toolbar = button && button->Bar() ? button->Bar()->Control() : nullptr;
  const int index = button ? button->Index() : -1;
  UnselectObject(nullptr);
  if (!toolbar) return true;
  if (Key == VK_ESCAPE)
    toolbar->CloseByEscape();
  else
    toolbar->ClickCaptionButton(index);
  return true;
}

void TdxBarCaptionButtonAccessibilityHelper::SelectObject(bool SetFocus) {
  TdxBarAccessibilityHelper::SelectObject(SetFocus);
  if (TdxBarCaptionButton* button = Button()) button->SetKeyboardSelected(true);
  if (auto* parent = dynamic_cast<TdxBarCaptionButtonsAccessibilityHelper*>(ParentHelper())) parent->RefreshHotState();
}

void TdxBarCaptionButtonAccessibilityHelper::UnselectObject(IdxBarAccessibilityHelper* NextObject) {
  TdxBarAccessibilityHelper::UnselectObject(NextObject);
  if (TdxBarCaptionButton* button = Button()) button->SetKeyboardSelected(false);
  if (auto* parent = dynamic_cast<TdxBarCaptionButtonsAccessibilityHelper*>(ParentHelper())) parent->RefreshHotState();
}

// ---- item controls -------------------------------------------------------------------------------

TdxBarItemControl* TdxBarItemControlAccessibilityHelper::ItemControl() const {
  // Only item controls make these helpers, for themselves; the spatial search asks this for every
  // item of a dock, so no type check is paid for it.
  return IsOwnerObjectLive() ? static_cast<TdxBarItemControl*>(OwnerObject()) : nullptr;
}

TCustomdxBarControlAccessibilityHelper* TdxBarItemControlAccessibilityHelper::BarControlHelper() {
  TdxBarItemControl* control = ItemControl();
  TCustomdxBarControl* bar = control ? control->Parent() : nullptr;
  return bar ? dynamic_cast<TCustomdxBarControlAccessibilityHelper*>(bar->AccessibilityHelper()) : nullptr;
}

TcxAccessibilityHelper* TdxBarItemControlAccessibilityHelper::ParentHelper() { return BarControlHelper(); }

HWND TdxBarItemControlAccessibilityHelper::OwnerWindow() {
  TdxBarItemControl* control = ItemControl();
  TCustomdxBarControl* bar = control ? control->Parent() : nullptr;
  return bar && bar->HandleAllocated() ? bar->Handle() : nullptr;
}

void TdxBarItemControlAccessibilityHelper::ScreenBounds(int, TRect& R) {
  TdxBarItemControl* control = ItemControl();
  TCustomdxBarControl* bar = control ? control->Parent() : nullptr;
  R = bar ? bar->ControlScreenRect(control) : TRect{};
}

int TdxBarItemControlAccessibilityHelper::StateOf(int) {
  HWND window = OwnerWindow();
  TCustomdxBarControlAccessibilityHelper* parent = BarControlHelper();
  const bool shown = window && IsWindowVisible(window) && !(parent && parent->HidesItems());
  return shown ? 0 : static_cast<int>(STATE_SYSTEM_INVISIBLE);
}

bool TdxBarItemControlAccessibilityHelper::IsSelectable() {
  TdxBarItemControl* control = ItemControl();
  return control && IsVisible() && control->IsSelectable();
}

TdxBarManager* TdxBarItemControlAccessibilityHelper::OwningBarManager() {
  TdxBarItemControl* control = ItemControl();
  return control ? control->Manager() : nullptr;
}

void TdxBarItemControlAccessibilityHelper::NeighbourInDirection(int Direction, IdxBarAccessibilityHelper*& Object) {
  Object = nullptr;
  if (TCustomdxBarControlAccessibilityHelper* parent = BarControlHelper()) parent->ItemNeighbour(ItemControl(), Direction, Object);
}

bool TdxBarItemControlAccessibilityHelper::ProcessNavigationKey(WORD& Key) {
  if (TdxBarAccessibilityHelper::ProcessNavigationKey(Key)) return true;
  TCustomdxBarControlAccessibilityHelper* parent = BarControlHelper();
  return parent && parent->ProcessNavigationKey(Key);
}

bool TdxBarItemControlAccessibilityHelper::WantsNavigationKey(WORD Key) {
  TCustomdxBarControlAccessibilityHelper* parent = BarControlHelper();
  return parent && parent->WantsNavigationKey(Key);
}

void TdxBarItemControlAccessibilityHelper::SelectObject(bool SetFocus) {
  TdxBarItemControl* control = ItemControl();
  TCustomdxBarControl* bar = control ? control->Parent() : nullptr;
  if (!bar) return;
  TcxObjectLinkScope alive(bar);
  if (bar->Active())
    bar->SelectControlByKeyboard(control);
  else
    bar->ActivateWithControl(control);
  // Selecting may close the bar and free the control.
  if (!alive.Alive() || !(control = ItemControl())) return;
  if (control->HasInnerWindow() && (SetFocus || !(bar->BehaviourFlags() & 0x02))) control->Invoke(false);
}

void TdxBarItemControlAccessibilityHelper::UnselectObject(IdxBarAccessibilityHelper* NextObject) {
  TdxBarAccessibilityHelper::UnselectObject(NextObject);
  TCustomdxBarControlAccessibilityHelper* parent = BarControlHelper();
  if (!parent) return;
  auto* next = dynamic_cast<TdxBarItemControlAccessibilityHelper*>(BarHelperOf(NextObject));
  if (next && next->BarControlHelper() == parent) return;
  parent->ReleaseItemSelection();
}

// ---- key tips of caption buttons and items -------------------------------------------------------

String TdxBarCaptionButtonAccessibilityHelper::AssignedKeyTip() {
  TdxBarCaptionButton* button = Button();
  return button ? button->KeyTip() : String();
}

void TdxBarCaptionButtonAccessibilityHelper::FillKeyTipInfo(TdxBarKeyTipInfo& Info) {
  TdxBarAccessibilityHelper::FillKeyTipInfo(Info);
  TRect r;
  ScreenBounds(0, r);
  // No toolbar names a vertical placement for its caption buttons: they take the middle, as items do.
  Info.Anchor = RectCenterPoint(r);
  Info.HorizontalPlacement = Info.VerticalPlacement = 2;
  TdxBarCaptionButton* button = Button();
  Info.Enabled = button && button->Enabled();
}

void TdxBarCaptionButtonAccessibilityHelper::ExecuteKeyTip(TObject*) {
  TdxBarCaptionButton* button = Button();
  TdxBarControl* toolbar = button && button->Bar() ? button->Bar()->Control() : nullptr;
  const int index = button ? button->Index() : -1;
  TcxObjectLinkScope alive(toolbar);
  if (BarNavigationController) BarNavigationController->EndKeyboardMode();
  if (toolbar && alive.Alive()) toolbar->ClickCaptionButton(index);
}

String TdxBarItemControlAccessibilityHelper::AssignedKeyTip() {
  TdxBarItemControl* control = ItemControl();
  TdxBarItem* item = control ? control->Item() : nullptr;
  return item ? item->KeyTip() : String();
}

String TdxBarItemControlAccessibilityHelper::DefaultKeyTip() {
  TdxBarItemControl* control = ItemControl();
  if (!control) return "Y";
  const TShortCut shortCut = control->ItemShortCut();
  if (shortCut >= 0x4041 && shortCut <= 0x405A) {
    const String text = ShortCutToText(shortCut);
    if (!text.empty()) return text.substr(text.size() - 1);
  }
  const String caption = control->CaptionText();
  if (const int at = AcceleratorPosition(caption); at > 0) {
    // The position counts characters of the caption with its marks, 1 for the first.
    const String letter = Utf8Left(std::string_view(caption).substr(Utf8ByteOffset(caption, at - 1)), 1);
    if (!letter.empty()) return AnsiUpperCase(letter);
  }
  return "Y";
}

void TdxBarItemControlAccessibilityHelper::FillKeyTipInfo(TdxBarKeyTipInfo& Info) {
  TdxBarAccessibilityHelper::FillKeyTipInfo(Info);
  TdxBarItemControl* control = ItemControl();
  TCustomdxBarControlAccessibilityHelper* parent = BarControlHelper();
  if (Info.Visible && parent && control) {
    parent->ItemKeyTipPlacement(control, Info.Anchor, Info.VerticalPlacement, Info.HorizontalPlacement);
  } else if (!Info.Visible) {
    // A hidden item's tip would execute through its bar's overflow, which no bar offers.
    Info.OnExecute = nullptr;
  }
  Info.Enabled = control && control->IsEnabled();
}

bool TdxBarButtonLikeControlAccessibilityHelper::DropsDown() { return false; }

bool TdxBarButtonControlAccessibilityHelper::DropsDown() {
  TdxBarItemControl* control = ItemControl();
  auto* button = control ? dynamic_cast<TdxBarButton*>(control->Item()) : nullptr;
  return button && (button->ButtonStyle() == bsDropDown || button->ButtonStyle() == bsCheckedDropDown);
}

void TdxBarButtonLikeControlAccessibilityHelper::ExecuteKeyTip(TObject*) {
  auto* control = dynamic_cast<TdxBarButtonLikeControl*>(ItemControl());
  if (!control || !BarNavigationController) return;
  THelperHold hold(this);
  TcxObjectLinkScope alive(control);
  if (DropsDown()) {
    BarNavigationController->ChangeSelection(true, this);
    if (!alive.Alive() || !control->CanDropDown()) return;
    control->OpenDropDownNow(false);
    if (!alive.Alive() || !control->IsDroppedDown()) return;
    // The tips follow into the menu that dropped.
    if (TCustomdxBarControl* active = ActiveBarWindow)
      BarNavigationController->ShowKeyTips(BarAccessibilityHelperOf(active->AccessibilityHelper()), {});
    return;
  }
  BarNavigationController->EndKeyboardMode();
  if (!alive.Alive()) return;
  TdxBarItem* item = control->Item();
  TcxObjectLinkScope itemAlive(item);
  const bool unclick = item && item->UnclickAfterDoing();
  if (item) item->SetUnclickAfterDoing(false);
  control->Click(false);
  if (item && itemAlive.Alive()) item->SetUnclickAfterDoing(unclick);
}

void TdxBarWinControlAccessibilityHelper::ExecuteKeyTip(TObject*) {
  if (!BarNavigationController) return;
  THelperHold hold(this);
  BarNavigationController->EndKeyboardMode();
  if (IsOwnerObjectLive()) BarNavigationController->ChangeSelection(true, this);
}

TClass TdxBarWinControl::AccessibilityHelperClass() const { return TdxBarWinControlAccessibilityHelper::StaticClass(); }

// ---- the owners' helpers -------------------------------------------------------------------------

TClass TdxBarControl::AccessibilityHelperClass() const { return TdxBarControlAccessibilityHelper::StaticClass(); }

TClass TdxDockControl::AccessibilityHelperClass() const { return TdxDockControlAccessibilityHelper::StaticClass(); }

TObject* TdxDockControl::AccessibilityHelper() {
  if (!FAccessibilityHelper) FAccessibilityHelper = CreateAccessibilityHelper(AccessibilityHelperClass(), this);
  return FAccessibilityHelper;
}

TObject* TdxBarCaptionButtons::AccessibilityHelper() {
  if (!FAccessibilityHelper)
    FAccessibilityHelper = CreateAccessibilityHelper(TdxBarCaptionButtonsAccessibilityHelper::StaticClass(), this);
  return FAccessibilityHelper;
}

TObject* TdxBarCaptionButton::AccessibilityHelper() {
  if (!FAccessibilityHelper)
    FAccessibilityHelper = CreateAccessibilityHelper(TdxBarCaptionButtonAccessibilityHelper::StaticClass(), this);
  return FAccessibilityHelper;
}
