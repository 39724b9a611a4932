#include "ui/bars/BarApplicationMenu.h"

#include <algorithm>
#include <cmath>

#include "platform/classes/Lists.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "ui/bars/BarButtonControls.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarUnit.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

namespace {

bool IsEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

TRect Union(const TRect& A, const TRect& B) {
  if (IsEmpty(A)) return B;
  if (IsEmpty(B)) return A;
  return {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right), std::max(A.Bottom, B.Bottom)};
}

TdxBarAccessibilityHelper* HelperOf(TdxBarItemControl* AControl) {
  return AControl ? dynamic_cast<TdxBarAccessibilityHelper*>(AControl->AccessibilityHelperObject()) : nullptr;
}

}  // namespace

// ---- the bottom buttons ---------------------------------------------------------------------------

TdxBarManager* TdxBarApplicationMenuButtons::BarManager() const {
  IdxBarApplicationMenuOwner* owner = nullptr;
  return Supports<IdxBarApplicationMenuOwner>(FOwner, &owner) ? owner->ApplicationMenuBarManager() : nullptr;
}

TdxBarApplicationMenuButton::TdxBarApplicationMenuButton(TCollection* ACollection) : TCollectionItem(ACollection) {
  auto* buttons = dynamic_cast<TdxBarApplicationMenuButtons*>(ACollection);
  TdxBarManager* manager = buttons ? buttons->BarManager() : nullptr;
  FInternalItem = new TdxBarApplicationMenuButtonItem(manager);
  // The item never shows in designers or in the customization dialog; the button keeps it.
  if (TdxBarDesignController* controller = BarDesignController()) {
    TComponentList kept(false);
    controller->HideInternalItem(FInternalItem, &kept);
  } else if (manager) {
    manager->RemoveItem(FInternalItem);
  }
}

TdxBarApplicationMenuButton::~TdxBarApplicationMenuButton() { TObject::Free(FInternalItem); }

void TdxBarApplicationMenuButton::DeclareProperties(TPropTable& t) {
  using B = TdxBarApplicationMenuButton;
  t.Add("Item", &B::Item, &B::SetItem);
  t.Add("Width", &B::Width, &B::SetWidth).SetDefault(0);
}

void TdxBarApplicationMenuButton::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TdxBarApplicationMenuButton*>(Source)) {
    SetWidth(other->Width());
    SetItem(other->Item());
    return;
  }
  TCollectionItem::Assign(Source);
}

TdxBarButton* TdxBarApplicationMenuButton::Item() const { return FInternalItem->SourceButton(); }
void TdxBarApplicationMenuButton::SetItem(TdxBarButton* Value) { FInternalItem->SetSourceButton(Value); }
int TdxBarApplicationMenuButton::Width() const { return FInternalItem->Width(); }
void TdxBarApplicationMenuButton::SetWidth(int Value) { FInternalItem->SetWidth(Value); }

void TdxBarApplicationMenuButtonItemLinks::LayOutButtons(const TRect& R) {
  ClearItemRects();
  int x = R.Left;
  std::vector<TdxBarItemLink*> shown;
  for (int i = 0; i < VisibleCount(); ++i) {
    TdxBarItemLink* link = VisibleLinks(i);
    TdxBarItemControl* control = link->Control();
    const int width = control ? control->ComputeWidth() : 0;
    if (x + width > R.Right) break;
    link->SetItemRect({x, R.Top, x + width, R.Bottom});
    shown.push_back(link);
    x += width + 6;
  }
  const int dx = shown.empty() ? 0 : R.Right - shown.back()->ItemRect().Right;
  for (TdxBarItemLink* link : shown) {
    TRect r = link->ItemRect();
    link->SetItemRect({r.Left + dx, r.Top, r.Right + dx, r.Bottom});
  }
}

// ---- the menu window ------------------------------------------------------------------------------

void TdxBarApplicationMenuControlViewInfo::Calculate() {
  TdxBarSubMenuControlViewInfo::Calculate();
  auto* menu = dynamic_cast<TdxBarApplicationMenuControl*>(BarControl());
  if (!menu || Count() == 0 || !menu->ButtonItemLinks()) return;
  TdxBarApplicationMenuButtonItemLinks* links = menu->ButtonItemLinks();
  for (int i = 0; i < links->VisibleCount(); ++i) {
    TdxBarItemLink* link = links->VisibleLinks(i);
    TdxBarItemControl* control = link->Control();
    if (!control || IsEmpty(link->ItemRect())) continue;
    AddItemControl(control);
    if (control->LayoutInfo()) control->LayoutInfo()->SetBounds(link->ItemRect());
  }
}

TdxBarApplicationMenuControl::TdxBarApplicationMenuControl(TComponent* AOwner) : TdxBarSubMenuControl(AOwner) {
  TdxBarManager* manager = BarManager();
  if (!InCustomizingMode()) {
    FDockControl = static_cast<TdxBarDockControl*>(TComponent::Create(ExtraPaneDockControlClass(), AOwner));
    FDockControl->SetAlign(dalNone);
    FDockControl->SetBarManager(manager);
    FDockControl->SetVisible(false);
    FDockControl->SetParent(this);
    if (manager) {
      manager->Bars()->BeginUpdate();
      try {
        FExtraPaneBar = manager->Bars()->Add();
        FExtraPaneBar->SetAllowQuickCustomizing(false);
        FExtraPaneBar->SetAllowCustomizing(false);
        // It never floats.
        FExtraPaneBar->SetNotDocking(TdxBarDockingStyles{dsNone});
        FExtraPaneBar->SetHidden(true);
        FExtraPaneBar->SetFont(Font());
        FExtraPaneBar->SetUseOwnFont(false);
      } catch (...) {
        manager->Bars()->EndUpdate();
        throw;
      }
      manager->Bars()->EndUpdate();
    }
  }
  FButtonItemLinks = new TdxBarApplicationMenuButtonItemLinks(manager, nullptr);
  FButtonItemLinks->SetBarControl(this);
}

TdxBarApplicationMenuControl::~TdxBarApplicationMenuControl() {
  // The window and its controls go first, while the parts they show still stand.
  TcxObjectLinkScope alive(this);
  if (Active()) SetActiveState(false);
  if (HandleAllocated()) DestroyHandle();
  delete FButtonItemLinks;
  FButtonItemLinks = nullptr;
  delete FTotalItemLinks;
  FTotalItemLinks = nullptr;
  TObject::Free(FExtraPaneBar);
  FExtraPaneBar = nullptr;
  TObject::Free(FDockControl);
  FDockControl = nullptr;
}

TClass TdxBarApplicationMenuControl::ExtraPaneDockControlClass() const { return TdxBarExtraPaneDockControl::StaticClass(); }

IdxBarApplicationMenuOwner* TdxBarApplicationMenuControl::MenuOwner() const {
  IdxBarApplicationMenuOwner* owner = nullptr;
  TdxBarItemLinks* links = ItemLinks();
  return links && Supports<IdxBarApplicationMenuOwner>(links->OwnerObject(), &owner) ? owner : nullptr;
}

TdxBarItemLinks* TdxBarApplicationMenuControl::ExtraPaneLinks() const {
  return FExtraPaneBar ? FExtraPaneBar->ItemLinks() : nullptr;
}

TRect TdxBarApplicationMenuControl::ContentRect() const { return const_cast<TdxBarApplicationMenuControl*>(this)->ClientRect(); }

void TdxBarApplicationMenuControl::SetItemLinks(TdxBarItemLinks* Value) {
  TdxBarSubMenuControl::SetItemLinks(Value);
  if (FButtonItemLinks) FButtonItemLinks->SetOwnerObject(Value ? Value->OwnerObject() : nullptr);
}

TRect TdxBarApplicationMenuControl::ContentInsets() const {
  TRect r = TdxBarSubMenuControl::ContentInsets();
  TdxBarPainter* painter = BarPainter();
  if (!painter) return r;
  const TRect extra = painter->ApplicationMenuInsets();
  const double ratio = Ratio();
  auto scaled = [ratio](int v) { return static_cast<int>(std::nearbyint(v * ratio)); };
  return {r.Left + scaled(extra.Left), r.Top + scaled(extra.Top), r.Right + scaled(extra.Right),
          r.Bottom + scaled(extra.Bottom)};
}

TSize TdxBarApplicationMenuControl::CalcContentSize() {
  TSize size = TdxBarSubMenuControl::CalcContentSize();
  if (size.cx == 0) size.cx = 100;
  if (InCustomizingMode()) return size;
  IdxBarApplicationMenuOwner* owner = MenuOwner();
  const int width = owner ? owner->ExtraPaneWidth() : 0;
  TdxBarPainter* painter = BarPainter();
  if (width != 0 && painter && painter->NominalTextSize() != 0)
    FExtraPaneSize = MulDiv(width, TextSize(), painter->NominalTextSize());
  else
    FExtraPaneSize = static_cast<int>(std::nearbyint((owner ? owner->ExtraPaneSizeRatio() : 0.0) * size.cx));
  size.cx += FExtraPaneSize;
  return size;
}

void TdxBarApplicationMenuControl::CalcItemsRect() {
  TdxBarSubMenuControl::CalcItemsRect();
  TRect items = ItemsRect();
  const TRect content = ContentRect();
  FButtonsRect = {items.Left, items.Bottom + 4, items.Right + 1, content.Bottom - 1};
  if (InCustomizingMode()) {
    FExtraPaneRect = {};
    return;
  }
  FExtraPaneRect = items;
  items.Right -= FExtraPaneSize;
  FExtraPaneRect.Left = items.Right;
  SetItemsRect(items);
}

void TdxBarApplicationMenuControl::CalcItemRects(int AKind, int ATopIndex) {
  TdxBarSubMenuControl::CalcItemRects(AKind, ATopIndex);
  if (FButtonItemLinks) FButtonItemLinks->LayOutButtons(FButtonsRect);
}

bool TdxBarApplicationMenuControl::ChildMenuBounds(TRect& R) {
  // Without a pane a child menu places itself as any other.
  if (InCustomizingMode() || !HandleAllocated() || IsEmpty(FExtraPaneRect)) return false;
  POINT a{FExtraPaneRect.Left, FExtraPaneRect.Top}, b{FExtraPaneRect.Right, FExtraPaneRect.Bottom};
  win::ClientToScreen(Handle(), &a);
  win::ClientToScreen(Handle(), &b);
  R = {a.x, a.y, b.x, b.y};
  return true;
}

void TdxBarApplicationMenuControl::DrawMenuFrame(HDC DC, const TRect& R) {
  if (TdxBarPainter* painter = BarPainter()) {
    TRect r = R;
    painter->DrawApplicationMenuBorder(this, DC, r);
  }
}

void TdxBarApplicationMenuControl::CreateItemControls() {
  TdxBarSubMenuControl::CreateItemControls();
  if (!FButtonItemLinks) return;
  for (int i = 0; i < FButtonItemLinks->CanVisibleCount(); ++i) FButtonItemLinks->CanVisibleLinks(i)->CreateControl();
}

void TdxBarApplicationMenuControl::DestroyItemControls() {
  TdxBarSubMenuControl::DestroyItemControls();
  if (!FButtonItemLinks) return;
  for (int i = 0; i < FButtonItemLinks->Count(); ++i) FButtonItemLinks->Items(i)->FreeControl();
}

void TdxBarApplicationMenuControl::FillAreas() {
  IdxBarApplicationMenuOwner* owner = MenuOwner();
  // Each showing replaces what the one before filled: a rebuild or an expansion shows again.
  {
    TCollectionUpdate update(FButtonItemLinks);
    FButtonItemLinks->Clear();
    if (TdxBarApplicationMenuButtons* buttons = owner ? owner->ApplicationMenuButtons() : nullptr)
      for (int i = 0; i < buttons->Count(); ++i) FButtonItemLinks->AddItem(buttons->Items(i)->InternalItem());
  }
  if (HandleAllocated())
    for (int i = 0; i < FButtonItemLinks->CanVisibleCount(); ++i) FButtonItemLinks->CanVisibleLinks(i)->CreateControl();
  if (!FExtraPaneBar) return;
  TdxBarExtraPaneListItem* list = owner ? owner->ExtraPaneListItem() : nullptr;
  if (list) {
    TStrings* strings = list->Items();
    strings->BeginUpdate();
    try {
      strings->Clear();
      if (TCollection* entries = owner->ExtraPaneItems())
        for (int i = 0; i < entries->Count(); ++i)
          if (auto* entry = dynamic_cast<TdxBarExtraPaneItem*>(entries->Items(i))) strings->AddObject(entry->FileName, entry);
    } catch (...) {
      strings->EndUpdate();
      throw;
    }
    strings->EndUpdate();
  }
  // The list expanded in the pane goes back to its one link, and expands anew as the pane shows.
  TdxBarControl* pane = FExtraPaneBar->Control();
  if (pane && pane->HandleAllocated()) pane->DestroyControls();
  TdxBarItemLinks* links = FExtraPaneBar->ItemLinks();
  if (links->Count() == 1 && links->Items(0)->Item() == list) return;
  TCollectionUpdate update(links);
  links->Clear();
  if (list) links->AddItem(list);
}

void TdxBarApplicationMenuControl::ShowExtraPane() {
  if (!FExtraPaneBar || !FDockControl) return;
  FExtraPaneBar->SetDockControl(FDockControl);
  FExtraPaneBar->SetBorderStyle(bbsNone);
  FExtraPaneBar->SetVisible(true);
  const TRect& r = FExtraPaneRect;
  FDockControl->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
  FDockControl->SetVisible(true);
  if (FDockControl->HandleAllocated())
    SetWindowPos(FDockControl->Handle(), nullptr, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top,
                 SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW);
  auto* pane = dynamic_cast<TdxBarExtraPaneControl*>(FExtraPaneBar->Control());
  if (!pane || !pane->HandleAllocated()) return;
  if (!pane->ControlsCreated()) pane->CreateControls();
  FDockControl->ArrangeRows();
  pane->CalcLayout();
  pane->CalcViewInfo();
  pane->Invalidate();
}

void TdxBarApplicationMenuControl::ShowMenuWindow() {
  TcxObjectLinkScope alive(this);
  const bool customizing = InCustomizingMode();
  if (!customizing) FillAreas();
  HandleNeeded();
  if (!alive.Alive() || !HandleAllocated()) return;
  CalcLayout();
  if (!customizing) ShowExtraPane();
  if (alive.Alive()) TdxBarSubMenuControl::ShowMenuWindow();
}

void TdxBarApplicationMenuControl::PaintBackgroundAround(HDC DC) {
  TdxBarPainter* painter = BarPainter();
  if (!painter) return;
  TRect area = Union(ItemsRect(), FExtraPaneRect);
  for (bool top : {true, false})
    if (top ? CanScrollUp() : CanScrollDown()) area = Union(area, ScrollButtonBounds(top));
  const TRect content = ContentRect();
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, content.Left, content.Top, content.Right, content.Bottom);
  ExcludeClipRect(DC, area.Left, area.Top, area.Right, area.Bottom);
  // The buttons drawn already stay.
  for (int i = 0; FButtonItemLinks && i < FButtonItemLinks->VisibleCount(); ++i) {
    const TRect b = FButtonItemLinks->VisibleLinks(i)->ItemRect();
    if (!IsEmpty(b) && FButtonItemLinks->VisibleLinks(i)->Control()) ExcludeClipRect(DC, b.Left, b.Top, b.Right, b.Bottom);
  }
  painter->FillApplicationMenu(this, DC, content);
  RestoreDC(DC, saved);
}

void TdxBarApplicationMenuControl::PaintContents() {
  TdxBarSubMenuControl::PaintContents();
  PaintBackgroundAround(DrawCanvas()->DeviceContext());
}

void TdxBarApplicationMenuControl::FillMenuBackground(HDC DC, const TRect& R, bool AWithOrigin, TColor AColor,
                                                      HBRUSH ABrush) {
  TdxBarSubMenuControl::FillMenuBackground(DC, R, AWithOrigin, AColor, ABrush);
  PaintBackgroundAround(DC);
}

bool TdxBarApplicationMenuControl::OwnsItemControl(TdxBarItemControl* AControl) const {
  return TdxBarSubMenuControl::OwnsItemControl(AControl) ||
         (AControl && FButtonItemLinks && FButtonItemLinks->HasControl(AControl));
}

void TdxBarApplicationMenuControl::MakeControlVisible(TdxBarItemControl* AControl) {
  // The pane and the buttons do not scroll.
  if (AControl && AControl->PaintMode() == pmMenu) TdxBarSubMenuControl::MakeControlVisible(AControl);
}

// ---- accelerators ----

void TdxBarApplicationMenuControl::RebuildTotalItemLinks() {
  if (!FTotalItemLinks) FTotalItemLinks = new TdxBarSubMenuControlItemLinks(BarManager(), ItemLinks() ? ItemLinks()->OwnerObject() : nullptr);
  TCollectionUpdate update(FTotalItemLinks);
  FTotalItemLinks->Clear();
  auto copy = [this](TdxBarItemLinks* ASource) {
    for (int i = 0; ASource && i < ASource->Count(); ++i) {
      TdxBarItemLink* source = ASource->Items(i);
      TdxBarItemLink* link = FTotalItemLinks->Add();
      link->Assign(source);
      // The copy answers for its source.
      link->SetData(source);
    }
  };
  copy(ItemLinks());
  if (!InCustomizingMode()) copy(ExtraPaneLinks());
  copy(FButtonItemLinks);
}

TdxBarItemLink* TdxBarApplicationMenuControl::FindLinkByAccelerator(WORD Key, TShiftState Shift, TdxBarItemLink* AStart) {
  return FTotalItemLinks ? FTotalItemLinks->FindAcceleratorNoAlt(Key, Shift, AStart) : nullptr;
}

TdxBarItemLink* TdxBarApplicationMenuControl::FindEnabledAcceleratedLink(WORD Key, TShiftState Shift, bool& AAmbiguous,
                                                                        TdxBarItemLink* AStart) {
  RebuildTotalItemLinks();
  TdxBarItemLink* start = nullptr;
  for (int i = 0; AStart && i < FTotalItemLinks->Count() && !start; ++i)
    if (FTotalItemLinks->Items(i)->Data() == AStart) start = FTotalItemLinks->Items(i);
  TdxBarItemLink* found = TdxBarSubMenuControl::FindEnabledAcceleratedLink(Key, Shift, AAmbiguous, start);
  return found ? static_cast<TdxBarItemLink*>(found->Data()) : nullptr;
}

void TdxBarApplicationMenuControl::SelectByAccelerator(TdxBarItemControl* AControl, bool AAmbiguous) {
  if (!AControl) return;
  TcxObjectLinkScope alive(this);
  TdxBarAccessibilityHelper* helper = HelperOf(AControl);
  if (BarNavigationController && helper) {
    THelperHold hold(helper);
    BarNavigationController->ChangeSelection(false, helper);
  } else if (helper) {
    helper->SelectObject(false);
  }
  if (!alive.Alive() || AAmbiguous) return;
  TCustomdxBarControl* parent = AControl->Parent();
  if (parent && IsBarControlAlive(parent) && parent->HandleAllocated())
    SendMessage(parent->Handle(), WM_KEYDOWN, VK_RETURN, 0);
}

// ---- the extra pane ------------------------------------------------------------------------------------

TdxBarExtraPaneDockControl::TdxBarExtraPaneDockControl(TComponent* AOwner) : TdxBarDockControl(AOwner) {
  SetAllowDocking(false);
}

TClass TdxBarExtraPaneDockControl::BarControlClass() const { return TdxBarExtraPaneControl::StaticClass(); }

TdxBarApplicationMenuControl* TdxBarExtraPaneDockControl::ApplicationMenu() const {
  return dynamic_cast<TdxBarApplicationMenuControl*>(Parent());
}

void TdxBarExtraPaneDockControl::ArrangeRows() {
  if (LiveRowCount() == 0 || Rows(0)->ColumnCount() == 0) return;
  TdxBarControl* window = Rows(0)->Columns(0)->ColumnWindow();
  const TRect client = ClientRect();
  const TRect bounds = window->BoundsRect();
  if (bounds.Left == client.Left && bounds.Top == client.Top && bounds.Right == client.Right && bounds.Bottom == client.Bottom)
    return;
  if (window->HandleAllocated()) {
    SetWindowPos(window->Handle(), nullptr, client.Left, client.Top, client.Right - client.Left, client.Bottom - client.Top,
                 SWP_NOACTIVATE | SWP_NOZORDER);
    SendMessage(window->Handle(), WM_NCPAINT, 0, 0);
  } else {
    window->SetBounds(client.Left, client.Top, client.Right - client.Left, client.Bottom - client.Top);
  }
}

void TdxBarExtraPaneControlViewInfo::CalcSeparatorRect(TdxBarItemLink* ALink, const TRect& AItemRect) {
  TCustomdxBarControl* bar = BarControl();
  const int s = bar->SeparatorSize();
  const TRect client = bar->ClientRect();
  AddSeparator({client.Left, AItemRect.Top - s, client.Right, AItemRect.Top}, true, ALink->Control());
}

TdxBarApplicationMenuControl* TdxBarExtraPaneControl::ApplicationMenu() const {
  auto* dock = dynamic_cast<TdxBarExtraPaneDockControl*>(TCustomdxBarControl::DockControl());
  return dock ? dock->ApplicationMenu() : nullptr;
}

void TdxBarExtraPaneControl::CalcLayout() {
  if (!FControlsCreated && HandleAllocated()) CreateControls();
  TdxBarControl::CalcLayout();
  CalcItemRects(1, 0);
}

void TdxBarExtraPaneControl::CalcItemsRect() {
  TdxBarControl::CalcItemsRect();
  TRect r = ItemsRect();
  r.Left += 2;
  SetItemsRect(r);
}

bool TdxBarExtraPaneControl::AcceptsMouseInput() const {
  if (TdxBarControl::AcceptsMouseInput()) return true;
  TdxBarApplicationMenuControl* menu = ApplicationMenu();
  return menu && menu->AcceptsMouseInput();
}

void TdxBarExtraPaneControl::CreateItemControls() {
  FControlsCreated = true;
  TdxBarApplicationMenuControl* menu = ApplicationMenu();
  if (menu && !menu->InCustomizingMode()) ExpandContainers();
  TdxBarControl::CreateItemControls();
}

void TdxBarExtraPaneControl::DestroyItemControls() {
  TdxBarControl::DestroyItemControls();
  TdxBarApplicationMenuControl* menu = ApplicationMenu();
  if (!menu || !menu->InCustomizingMode()) CollapseContainers();
  FControlsCreated = false;
}

void TdxBarExtraPaneControl::DoCloseUp() {
  TcxObjectLinkScope alive(this);
  TdxBarApplicationMenuControl* menu = ApplicationMenu();
  TcxObjectLinkScope menuAlive(menu);
  TdxBarControl::DoCloseUp();
  if (menu && menuAlive.Alive() && IsBarControlAlive(menu)) menu->CloseUp();
}

void TdxBarExtraPaneControl::DrawSeparator(const TRect& R, bool /*AAcross*/) {
  if (TdxBarPainter* painter = BarPainter()) painter->DrawExtraPaneSeparator(this, DrawCanvas()->DeviceContext(), R);
}

void TdxBarExtraPaneControl::FillBarBackground(HDC DC, const TRect& R, bool /*AWithOrigin*/, TColor /*AColor*/,
                                               HBRUSH /*ABrush*/) {
  if (TdxBarPainter* painter = BarPainter()) painter->FillExtraPane(this, DC, R);
}

unsigned TdxBarExtraPaneControl::BehaviourFlags() const {
  TdxBarApplicationMenuControl* menu = ApplicationMenu();
  return menu ? menu->BehaviourFlags() : TdxBarControl::BehaviourFlags();
}

TdxBarPainter* TdxBarExtraPaneControl::BarPainter() const {
  TdxBarApplicationMenuControl* menu = ApplicationMenu();
  return menu ? menu->BarPainter() : TdxBarControl::BarPainter();
}

TdxBarItemLink* TdxBarExtraPaneControl::FindEnabledAcceleratedLink(WORD Key, TShiftState Shift, bool& AAmbiguous,
                                                                  TdxBarItemLink* AStart) {
  TdxBarApplicationMenuControl* menu = ApplicationMenu();
  return menu ? menu->FindEnabledAcceleratedLink(Key, Shift, AAmbiguous, AStart)
              : TdxBarControl::FindEnabledAcceleratedLink(Key, Shift, AAmbiguous, AStart);
}

void TdxBarExtraPaneControl::SelectByAccelerator(TdxBarItemControl* AControl, bool AAmbiguous) {
  if (TdxBarApplicationMenuControl* menu = ApplicationMenu())
    menu->SelectByAccelerator(AControl, AAmbiguous);
  else
    TdxBarControl::SelectByAccelerator(AControl, AAmbiguous);
}

bool TdxBarExtraPaneControl::AllowsCustomizingPopup(bool ARightClick) const {
  TdxBarApplicationMenuControl* menu = ApplicationMenu();
  return menu ? menu->AllowsCustomizingPopup(ARightClick) : TdxBarControl::AllowsCustomizingPopup(ARightClick);
}

void TdxBarExtraPaneControl::CustomizingPopupDone(int AResult) {
  if (TdxBarApplicationMenuControl* menu = ApplicationMenu())
    menu->CustomizingPopupDone(AResult);
  else
    TdxBarControl::CustomizingPopupDone(AResult);
}

void TdxBarExtraPaneControl::ShowCustomizingPopup(TdxBarItemControl* AControl) {
  if (TdxBarApplicationMenuControl* menu = ApplicationMenu())
    menu->ShowCustomizingPopup(AControl);
  else
    TdxBarControl::ShowCustomizingPopup(AControl);
}

void TdxBarExtraPaneControl::CloseByEscape() {
  if (TdxBarApplicationMenuControl* menu = ApplicationMenu())
    menu->CloseByEscape();
  else
    TdxBarControl::CloseByEscape();
}

void TdxBarExtraPaneControl::WndProc(TMessage& Message) {
  // No frame: the whole window is client.
  if (Message.Msg == WM_NCCALCSIZE && Message.WParam) {
    Message.Result = 0;
    return;
  }
  TdxBarControl::WndProc(Message);
}

// ---- keyboard navigation -------------------------------------------------------------------------------

TClass TdxBarApplicationMenuControl::AccessibilityHelperClass() const {
  return TdxBarApplicationMenuControlAccessibilityHelper::StaticClass();
}

TClass TdxBarExtraPaneDockControl::AccessibilityHelperClass() const {
  return TdxBarExtraPaneDockControlAccessibilityHelper::StaticClass();
}

TClass TdxBarExtraPaneControl::AccessibilityHelperClass() const {
  return TdxBarExtraPaneControlAccessibilityHelper::StaticClass();
}

namespace {

// The links of a group that show.
int ShownCount(TdxBarItemLinks* ALinks) {
  int n = 0;
  for (int i = 0; ALinks && i < ALinks->VisibleCount(); ++i)
    if (ALinks->VisibleLinks(i)->Control() && !IsEmpty(ALinks->VisibleLinks(i)->ItemRect())) ++n;
  return n;
}

}  // namespace

TdxBarApplicationMenuControl* TdxBarApplicationMenuControlAccessibilityHelper::ApplicationMenu() const {
  return dynamic_cast<TdxBarApplicationMenuControl*>(Menu());
}

namespace {

TdxBarAccessibilityHelper* DockHelperOf(TdxBarApplicationMenuControl* AMenu) {
  TdxBarDockControl* dock = AMenu ? AMenu->DockControl() : nullptr;
  return dock ? dynamic_cast<TdxBarAccessibilityHelper*>(dock->AccessibilityHelper()) : nullptr;
}

}  // namespace

TcxAccessibilityHelper* TdxBarApplicationMenuControlAccessibilityHelper::ChildAt(int Index) {
  const int items = TdxBarSubMenuControlAccessibilityHelper::CountChildren();
  if (Index == items) return DockHelperOf(ApplicationMenu());
  return TdxBarSubMenuControlAccessibilityHelper::ChildAt(Index);
}

int TdxBarApplicationMenuControlAccessibilityHelper::CountChildren() {
  // The pane's site is a child only where it exists: a menu opened while customizing has none.
  return TdxBarSubMenuControlAccessibilityHelper::CountChildren() + (DockHelperOf(ApplicationMenu()) ? 1 : 0);
}

int TdxBarApplicationMenuControlAccessibilityHelper::IndexOfChild(TcxAccessibilityHelper* Child) {
  TdxBarAccessibilityHelper* dock = DockHelperOf(ApplicationMenu());
  if (Child && Child == dock) return TdxBarSubMenuControlAccessibilityHelper::CountChildren();
  return TdxBarSubMenuControlAccessibilityHelper::IndexOfChild(Child);
}

void TdxBarApplicationMenuControlAccessibilityHelper::ItemKeyTipPlacement(TdxBarItemControl* AControl, TPoint& P,
                                                                          int& VerticalPlacement,
                                                                          int& HorizontalPlacement) {
  TdxBarApplicationMenuControl* menu = ApplicationMenu();
  if (!menu || !menu->ButtonItemLinks() || !menu->ButtonItemLinks()->HasControl(AControl)) {
    TdxBarSubMenuControlAccessibilityHelper::ItemKeyTipPlacement(AControl, P, VerticalPlacement, HorizontalPlacement);
    return;
  }
  P = RectCenterPoint(menu->ControlScreenRect(AControl));
  HorizontalPlacement = 1;
  VerticalPlacement = 2;
}

TdxBarAccessibilityHelper* TdxBarApplicationMenuControlAccessibilityHelper::KeyTipParent() {
  TdxBarApplicationMenuControl* menu = ApplicationMenu();
  TdxBarItemLinks* links = menu ? menu->ItemLinks() : nullptr;
  IdxBarApplicationMenuKeyTipParent* query = nullptr;
  if (links && Supports<IdxBarApplicationMenuKeyTipParent>(links->OwnerObject(), &query))
    return query->ApplicationMenuKeyTipParent();
  return nullptr;
}

void TdxBarApplicationMenuControlAccessibilityHelper::MoveVerticallyAcross(TdxBarItemLink* ALink, bool AUp, bool AByTab) {
  TdxBarApplicationMenuControl* menu = ApplicationMenu();
  if (!menu || !BarNavigationController) return;
  TdxBarItemLinks* groups[3] = {menu->ItemLinks(), menu->ExtraPaneLinks(), menu->ButtonItemLinks()};
  const bool shows[3] = {ShownCount(groups[0]) > 0, ShownCount(groups[1]) > 1, ShownCount(groups[2]) > 0};
  int group = -1;
  for (int g = 0; g < 3 && ALink; ++g)
    if (groups[g] && ALink->Links() == groups[g]) group = g;
  TdxBarItemLink* target = nullptr;
  if (group < 0) {
    // Nothing selected: the first selectable menu link.
    for (int g = 0; g < 3 && !target; ++g)
      if (shows[g]) target = groups[g]->FirstSelectable();
  } else {
    TdxBarItemLinks* links = groups[group];
    const bool atEdge = AUp ? ALink == links->FirstSelectable() : ALink == links->LastSelectable();
    if (!atEdge) {
      target = AUp ? links->PriorSelectable(ALink) : links->NextSelectable(ALink);
    } else {
      for (int step = 1; step <= 3 && !target; ++step) {
        const int g = ((group + (AUp ? -step : step)) % 3 + 3) % 3;
        if (!shows[g]) continue;
        target = AUp ? groups[g]->LastSelectable() : groups[g]->FirstSelectable();
      }
    }
  }
  if (!target || !target->Control()) return;
  IdxBarAccessibilityHelper* current = ALink && ALink->Control() ? ALink->Control()->AccessibilityHelperOf() : nullptr;
  BarNavigationController->ChangeSelection(AByTab, target->Control()->AccessibilityHelperOf(), current);
}

namespace {

// In the application menu Tab moves like Down and Shift+Tab like Up; true when the key was a Tab.
bool TabAsVerticalKey(WORD& AKey) {
  const TShiftState shift = GetShiftState();
  if (AKey != VK_TAB || shift.Contains(ssCtrl)) return false;
  AKey = shift.Contains(ssShift) ? VK_UP : VK_DOWN;
  return true;
}

}  // namespace

bool TdxBarApplicationMenuControlAccessibilityHelper::ProcessNavigationKey(WORD& Key) {
  TdxBarApplicationMenuControl* menu = ApplicationMenu();
  if (!menu) return true;
  WORD key = Key;
  const bool byTab = TabAsVerticalKey(key);
  if (key != VK_UP && key != VK_DOWN) return TdxBarSubMenuControlAccessibilityHelper::ProcessNavigationKey(Key);
  if (TakesDropDownKey(key)) return true;
  // The selection may be a button's: the menu's own selected link covers both.
  MoveVerticallyAcross(menu->SelectedLink(), key == VK_UP, byTab);
  return true;
}

void TdxBarApplicationMenuControlAccessibilityHelper::ItemNeighbour(TdxBarItemControl* AControl, int Direction,
                                                                   IdxBarAccessibilityHelper*& Object) {
  Object = nullptr;
  TdxBarApplicationMenuControl* menu = ApplicationMenu();
  TdxBarAccessibilityHelper* from = HelperOf(AControl);
  if (!menu || !from || !menu->HandleAllocated()) return;
  const TRect r = menu->ControlScreenRect(AControl);
  std::vector<TdxBarAccessibilityHelper*> list;
  CollectCandidates(this, from, r, Direction, list);
  if (menu->ButtonItemLinks()->HasControl(AControl) && (Direction == dxNavUp || Direction == dxNavDown)) {
    // A bottom button looks over its own column, from the items' top down to the pane's last item.
    TdxBarItemLinks* pane = menu->ExtraPaneLinks();
    TCustomdxBarControl* paneWindow = pane ? pane->BarControl() : nullptr;
    POINT top{0, menu->ItemsRect().Top}, bottom{0, menu->ContentRect().Bottom};
    ClientToScreen(menu->Handle(), &top);
    ClientToScreen(menu->Handle(), &bottom);
    if (ShownCount(pane) >= 2 && paneWindow && paneWindow->HandleAllocated()) {
      bottom = {0, pane->VisibleLinks(pane->VisibleCount() - 1)->ItemRect().Bottom};
      ClientToScreen(paneWindow->Handle(), &bottom);
    }
    const TRect area{r.Left, top.y, r.Right, bottom.y};
    std::erase_if(list, [&area](TdxBarAccessibilityHelper* AHelper) {
      TRect b{};
      AHelper->ScreenBounds(0, b);
      return b.Right <= area.Left || b.Left >= area.Right || b.Bottom <= area.Top || b.Top >= area.Bottom;
    });
  }
  Object = BarInterfaceOf(NearestFrom(r, list, Direction, false));
}

TcxAccessibilityHelper* TdxBarExtraPaneDockControlAccessibilityHelper::ParentHelper() {
  auto* dock = dynamic_cast<TdxBarExtraPaneDockControl*>(DockControl());
  TdxBarApplicationMenuControl* menu = dock ? dock->ApplicationMenu() : nullptr;
  return menu ? dynamic_cast<TcxAccessibilityHelper*>(menu->AccessibilityHelper()) : nullptr;
}

bool TdxBarExtraPaneControlAccessibilityHelper::ProcessNavigationKey(WORD& Key) {
  auto* pane = dynamic_cast<TdxBarExtraPaneControl*>(Toolbar());
  TdxBarApplicationMenuControl* menu = pane ? pane->ApplicationMenu() : nullptr;
  if (!menu) return TdxBarControlAccessibilityHelper::ProcessNavigationKey(Key);
  WORD key = Key;
  const bool byTab = TabAsVerticalKey(key);
  if (key != VK_UP && key != VK_DOWN) return TdxBarControlAccessibilityHelper::ProcessNavigationKey(Key);
  if (TakesDropDownKey(key)) return true;
  auto* helper = dynamic_cast<TdxBarApplicationMenuControlAccessibilityHelper*>(menu->AccessibilityHelper());
  if (helper) helper->MoveVerticallyAcross(pane->SelectedLink(), key == VK_UP, byTab);
  return true;
}

void TdxBarExtraPaneControlAccessibilityHelper::ItemNeighbour(TdxBarItemControl* AControl, int Direction,
                                                             IdxBarAccessibilityHelper*& Object) {
  Object = nullptr;
  auto* pane = dynamic_cast<TdxBarExtraPaneControl*>(Toolbar());
  TdxBarApplicationMenuControl* menu = pane ? pane->ApplicationMenu() : nullptr;
  TdxBarAccessibilityHelper* from = HelperOf(AControl);
  if (!menu || !from) {
    TdxBarControlAccessibilityHelper::ItemNeighbour(AControl, Direction, Object);
    return;
  }
  // Left and right reach the menu's items and buttons.
  auto* root = dynamic_cast<TdxBarAccessibilityHelper*>(menu->AccessibilityHelper());
  const TRect r = pane->ControlScreenRect(AControl);
  std::vector<TdxBarAccessibilityHelper*> list;
  CollectCandidates(root, from, r, Direction, list);
  Object = BarInterfaceOf(NearestFrom(r, list, Direction, false));
}
