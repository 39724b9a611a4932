// Sub-item and container controls: opening the item's menu (by hover, press or key), where it opens,
// and the container menus made from the item's data each time they open.
#include <algorithm>

#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarButtonControls.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Office11Colors.h"

using namespace win;

namespace {
TCustomdxBarSubItem* SubItemOf(const TdxBarItemControl* C) { return dynamic_cast<TCustomdxBarSubItem*>(C->Item()); }
}  // namespace

// ---- TdxBarSubItemControl -----------------------------------------------------------------------

TdxBarSubItemControl::~TdxBarSubItemControl() {
  CancelTimers(this);
  auto* menu = dynamic_cast<TdxBarSubMenuControl*>(DropDownBar());
  if (menu && menu->OwnerSubItemControl() == this) {
    menu->SetOwnerSubItemControl(nullptr);
    menu->Dismiss();
  }
}

void TdxBarSubItemControl::Activate(bool AByMouse, bool AFlag) {
  if (CanOpen()) TdxBarButtonLikeControl::Activate(AByMouse, AFlag);
}

void TdxBarSubItemControl::Deactivate(bool AFlag) {
  if (CanOpen()) TdxBarButtonLikeControl::Deactivate(AFlag);
}

void TdxBarSubItemControl::Press(bool AByMouse, bool /*AFlag*/) {
  if (IsDroppedDown()) {
    TdxBarManager* manager = Manager();
    if ((Parent() && Parent()->InCustomizingMode()) || (manager && manager->ResolvedStyle() == bmsStandard))
      Deactivate(true);
    return;
  }
  // The by-mouse flag reaches the drop-down: a menu opened by key selects its first link.
  TcxObjectLinkScope alive(this);
  Activate(true, AByMouse);
  if (AByMouse || !alive.Alive()) return;
  auto* menu = dynamic_cast<TdxBarSubMenuControl*>(DropDownBar());
  if (!menu || !menu->SelectsFirstItemOnKeyboardOpen() || !menu->ItemLinks()) return;
  if (TdxBarItemLink* first = menu->ItemLinks()->FirstSelectable()) menu->SelectControlByKeyboard(first->Control());
}

bool TdxBarSubItemControl::IsDropDownKey(WORD Key) const {
  return TdxBarButtonLikeControl::IsDropDownKey(Key) || Key == VK_RETURN;
}

TClass TdxBarSubItemControl::AccessibilityHelperClass() const {
  return TdxBarSubItemControlAccessibilityHelper::StaticClass();
}

TdxBarItemViewLevels TdxBarSubItemControl::PossibleViewLevels() const {
  TdxBarItemViewLevels levels = TdxBarButtonLikeControl::PossibleViewLevels();
  levels.Include(ivlLargeIconWithText);
  return levels;
}

unsigned TdxBarSubItemControl::DefaultContentParts() const {
  TdxBarItem* item = Item();
  const bool text = (item && item->ShowCaption()) || PaintMode() == pmMenu;
  unsigned parts = text ? cpText : 0;
  if (HasImageAt(ViewSizeNow()) || !text) parts |= cpIcon;
  return parts;
}

void TdxBarSubItemControl::RefreshDrawParams(bool AFull) {
  TdxBarButtonLikeControl::RefreshDrawParams(AFull);
  TdxBarButtonLikeControlDrawParams& p = ButtonDrawInfo();
  p.IsButtonControl = false;
  if (!AFull) return;
  // A sub-item opens as a whole: its arrow is no separate part, as a split button's is.
  p.HasDropDownPart = false;
  p.IsPressed = PressedWhileOpen();
  p.DrawDownFrame = IsDroppedDown();
  p.IsDropDown = p.DrawDownFrame;
  p.OnMainMenu = OnMainMenu();
}

int TdxBarSubItemControl::CaptionAreaWidth() {
  TSize size{TdxBarButtonLikeControl::CaptionAreaWidth(), 0};
  if (TdxBarPainter* painter = ControlPainter()) painter->AddDropDownExtent(*DrawInfo(), size);
  return size.cx;
}

int TdxBarSubItemControl::TextIndent() {
  TdxBarPainter* painter = ControlPainter();
  TcxCanvas* canvas = CurrentCanvas();
  return painter ? painter->SubItemArrowSize(*DrawInfo(), canvas ? canvas->ActiveFont() : nullptr) : 0;
}

bool TdxBarSubItemControl::OnMainMenu() const { return Parent() && Parent()->IsMainMenu(); }

bool TdxBarSubItemControl::IsDroppedDown() const {
  auto* menu = dynamic_cast<TdxBarSubMenuControl*>(DropDownBar());
  return menu && IsActive() && menu->OwnerSubItemControl() == this;
}

bool TdxBarSubItemControl::CanDropDown() const {
  TCustomdxBarSubItem* item = SubItemOf(this);
  if (item && item->Internal() && !item->Enabled()) return false;
  return TdxBarButtonLikeControl::CanDropDown();
}

void TdxBarSubItemControl::OpenDropDownNow(bool AByMouse) {
  TdxBarButtonLikeControl::OpenDropDownNow(AByMouse);
  Invoke(AByMouse, false);
}

TCustomdxBarControl* TdxBarSubItemControl::DropDownBar() const {
  TdxBarItem* item = Item();
  TdxBarItemLinks* links = item ? item->ItemLinks() : nullptr;
  return links && links->Count() > 0 ? links->BarControl() : nullptr;
}

bool TdxBarSubItemControl::ArrowColorFlag() const {
  TdxBarPainter* painter = ControlPainter();
  if (!painter || !painter->IsFlatStyle()) return false;
  return !(IsButtonFaceWhite() && !TdxBarButtonLikeControl::ArrowColorFlag());
}

bool TdxBarSubItemControl::HighlightFlag() const {
  if (!IsSelected()) return false;
  TdxBarPainter* painter = ControlPainter();
  if (!painter) return false;
  const bool flatWhite = painter->IsFlatStyle() && IsButtonFaceWhite();
  if (!flatWhite) {
    if (painter->SubItemStateQuery(*DrawInfo())) return true;
  } else if (!IsDroppedDown()) {
    return true;
  }
  return TdxBarButtonLikeControl::HighlightFlag();
}

void TdxBarSubItemControl::CloseDropDown(bool ACloseBar) {
  TCustomdxBarSubItem* item = SubItemOf(this);
  TcxObjectLinkScope itemAlive(item);
  TdxBarButtonLikeControl::CloseDropDown(ACloseBar);
  if (ACloseBar && item && itemAlive.Alive()) item->NotifyCloseUp();
}

void TdxBarSubItemControl::OpenDropDown(bool /*AByMouse*/) {
  // Both notifications run user code: the control may be gone after either.
  TcxObjectLinkScope alive(this);
  if (TCustomdxBarSubItem* item = SubItemOf(this)) {
    item->NotifyPopup();
    if (!alive.Alive()) return;
    item->Click();
    if (!alive.Alive()) return;
  }
  PrepareMenuBar();
  if (alive.Alive() && DropDownBar()) ShowSubMenu();
}

bool TdxBarSubItemControl::WantsDoubleClick() const {
  TdxBarManager* manager = Manager();
  return !(manager && manager->IsDesigning()) && TdxBarButtonLikeControl::WantsDoubleClick();
}

void TdxBarSubItemControl::PrepareSubMenu() {
  TdxBarItem* item = Item();
  TdxBarItemLinks* links = item ? item->ItemLinks() : nullptr;
  if (!links) return;
  links->CreateBarControl();
  if (TCustomdxBarControl* bar = links->BarControl(); bar && bar->ItemLinks() != links) bar->SetItemLinks(links);
}

void TdxBarSubItemControl::PrepareMenuBar() {
  PrepareSubMenu();
  TCustomdxBarControl* bar = DropDownBar();
  if (!bar) return;
  if (auto* menu = dynamic_cast<TdxBarSubMenuControl*>(bar)) menu->SetOwnerSubItemControl(this);
  if (Parent() && Parent()->LinksMenuToOwner() && IsDroppedDown()) {
    bar->SetOwnerScreenBounds(Parent()->ControlScreenRect(this));
    bar->SetOwnerControl(Parent());
  }
}

void TdxBarSubItemControl::MenuPosition(TPoint& APoint, int& AOwnerWidth, int& AOwnerHeight) const {
  const TRect r = ItemRect();
  AOwnerWidth = 0;
  AOwnerHeight = 0;
  TCustomdxBarControl* bar = Parent();
  if (bar && bar->BarKind() == dxBarKindMenu) {
    APoint = {r.Right, r.Top - bar->DropDownOffset()};
    AOwnerWidth = r.Right - r.Left;
  } else if (bar && bar->IsVertical()) {
    APoint = {r.Right, r.Top};
    AOwnerWidth = r.Right - r.Left;
  } else {
    APoint = {r.Left, r.Bottom};
    AOwnerHeight = r.Bottom - r.Top;
  }
  if (bar && bar->HandleAllocated()) {
    POINT p{APoint.X, APoint.Y};
    ClientToScreen(bar->Handle(), &p);
    APoint = {p.x, p.y};
  }
}

void TdxBarSubItemControl::ShowSubMenu() {
  TCustomdxBarControl* bar = DropDownBar();
  TPoint point{};
  int ownerWidth = 0, ownerHeight = 0;
  MenuPosition(point, ownerWidth, ownerHeight);
  auto* menu = dynamic_cast<TdxBarSubMenuControl*>(bar);
  if (menu) menu->SetOwnerSize(ownerWidth, ownerHeight);
  bar->SetLeft(point.X);
  bar->SetTop(point.Y);
  if (Parent()) Parent()->SetChildBar(bar);
  if (Parent() && Parent()->BarKind() != dxBarKindMenu) Invalidate();
  if (menu) menu->SetShowAnimation(AnimateNextDropDown());
  SetAnimateNextDropDown(false);
  // Showing runs user code (the menu's popup handler).
  TcxObjectLinkScope alive(this);
  if (menu) menu->PopupMenuWindow();
  if (!alive.Alive()) return;
  if (TdxBarPainter* painter = ControlPainter(); painter && painter->IsFlatForButtons()) Invalidate();
}

bool TdxBarSubItemControl::PressedWhileOpen() const { return IsDroppedDown() && HotPartIndex() != -1 && PressedInPlace(); }

// ---- TdxBarContainerItemControl -----------------------------------------------------------------

bool TdxBarContainerItemControl::IsSelected() const {
  return TdxBarSubItemControl::IsSelected() && !(Parent() && Parent()->InCustomizingMode());
}

String TdxBarContainerItemControl::CaptionText() const {
  String caption = TdxBarSubItemControl::CaptionText();
  auto* item = dynamic_cast<TCustomdxBarContainerItem*>(Item());
  if (item && item->ExpandsInPlace() && !OnToolbar()) caption = "(" + caption + ")";
  return caption;
}

void TdxBarContainerItemControl::DrawContent(const TRect& R, TdxBarPaintMode APaintMode) {
  // The painters draw the placeholder of a container in a menu as a button row with its caption.
  TdxBarSubItemControl::DrawContent(R, APaintMode);
}

bool TdxBarContainerItemControl::HostsSubMenu() const {
  TdxBarManager* manager = Manager();
  return !(manager && manager->InCustomizing());
}

void TdxBarContainerItemControl::PrepareSubMenu() {
  TdxBarManager* manager = Manager();
  if (manager && manager->InCustomizing()) return;
  auto* item = dynamic_cast<TCustomdxBarContainerItem*>(Item());
  TdxBarItemLinks* links = item ? item->ItemLinks() : nullptr;
  if (!links) return;
  auto* menu = new TContainerItemSubMenuControl(manager);
  links->FreeBarControl();
  links->SetBarControl(menu);
  menu->SetItemLinks(links);
  menu->SetContainerItem(item);
  menu->LinkData()->ItemLink = ItemLink();
  menu->LinkData()->Item = item;
  menu->FCollapsed = false;
  item->Populate(links, menu->LinkData(), 0);
  // Nothing to show: the menu would never close, so the item's generation would stay alive and
  // it would never ask for its data again.
  if (links->Count() == 0) {
    menu->Collapse();
    links->FreeBarControl();
  }
}

// ---- TContainerItemSubMenuControl ---------------------------------------------------------------

TContainerItemSubMenuControl::TContainerItemSubMenuControl(TComponent* AOwner)
    : TdxBarSubMenuControl(AOwner), FLinkData(new TdxBarContainerLinkData(nullptr, nullptr, 0)) {}

TContainerItemSubMenuControl::~TContainerItemSubMenuControl() {
  // A menu freed without its window closing still ends the generation it was filled with.
  Collapse();
  delete FLinkData;
  FLinkData = nullptr;
  if (FContainerItem) FContainerItem->ScheduleClear();
}

void TContainerItemSubMenuControl::Collapse() {
  if (FCollapsed || !FContainerItem) return;
  FCollapsed = true;
  FContainerItem->Collapse(FLinkData);
}

void TContainerItemSubMenuControl::CloseUpNotification() {
  Collapse();
  TdxBarSubMenuControl::CloseUpNotification();
}
