// The base machinery of every bar window: its place among the live bars, metrics, the vertical
// layout, the guarded rebuild, hint placement and the seam towards the element a popup opened from.
#include <algorithm>
#include <cmath>

#include "platform/classes/Forms.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/bars/BarLookups.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

TCustomdxBarControl::TCustomdxBarControl(TComponent* AOwner) : TCustomControl(AOwner) {
  AddBarControl(this);
  TControlStyle style = ControlStyle();
  style.Exclude(csCaptureMouse);
  auto* manager = dynamic_cast<TdxBarManager*>(AOwner);
  if (manager && (manager->ResolvedStyle() != bmsStandard || manager->IsCustomizing()))
    style.Include(csDoubleClicks);
  else
    style.Exclude(csDoubleClicks);
  SetControlStyle(style);
  SetColor(clBtnFace);
  SetVisible(false);
  SetBounds(100, 100, 50, 30);
  FViewInfo = new TCustomdxBarControlViewInfo(this);
  FShadow = new TdxBarShadow;
}

TCustomdxBarControl::~TCustomdxBarControl() {
  FState |= dxBarBeingDestroyed;
  if (TCustomdxBarControl* child = ChildBar(); child && !(child->FState & dxBarBeingDestroyed)) delete child;
  if (TCustomdxBarControl* parent = ParentBar(); parent && parent->ChildBar() == this) parent->SetChildBar(nullptr);
  FreeObjectLink(FChildBarLink);
  FreeObjectLink(FParentBarLink);
  RemoveBarControl(this);
  InvalidateObjectLinks(this);
  delete FShadow;
  delete FViewInfo;
  FState |= dxBarDestroyed;
}

unsigned TCustomdxBarControl::BehaviourFlags() const {
  TCustomdxBarControl* parent = ParentBar();
  return parent && parent != this ? parent->BehaviourFlags() : dxBarRootBehaviour;
}

int TCustomdxBarControl::ReferenceTextSize() const {
  TdxBarPainter* painter = BarPainter();
  return painter ? painter->NominalTextSize() : 19;
}

void TCustomdxBarControl::CalcMetrics() {
  FTextSize = TextSize();
  int reference = ReferenceTextSize();
  FRatio = reference > 0 ? std::max(1.0, static_cast<double>(FTextSize) / reference) : 1.0;
  FMenuArrowHeight = std::max(4, FTextSize / 5);
}

TPoint TCustomdxBarControl::AdjustHintPosition(const TPoint& APoint, int AHintHeight) {
  int offset = ScaleByScreenDpi(20);
  RECT work = Screen->WorkAreaRect();
  if (TMonitor* monitor = Screen->MonitorFromPoint(POINT{APoint.X, APoint.Y})) work = monitor->WorkareaRect();
  if (APoint.Y + offset + AHintHeight <= work.bottom) return {APoint.X, APoint.Y + offset};
  POINT top = HandleAllocated() ? ClientToScreen(POINT{0, 0}) : POINT{Left(), Top()};
  return {APoint.X, top.y - AHintHeight};
}

namespace {
bool Overlaps(int a1, int a2, int b1, int b2) { return a1 < b2 && b1 < a2; }
}  // namespace

bool TCustomdxBarControl::TouchesOwner() const {
  const TRect& o = FOwnerBounds;
  if (o.Right <= o.Left || o.Bottom <= o.Top) return false;
  TRect w{Left(), Top(), Left() + Width(), Top() + Height()};
  return ((w.Top == o.Bottom || w.Bottom == o.Top) && Overlaps(w.Left, w.Right, o.Left, o.Right)) ||
         ((w.Left == o.Right || w.Right == o.Left) && Overlaps(w.Top, w.Bottom, o.Top, o.Bottom));
}

TRect TCustomdxBarControl::OwnerGapRect(bool AScreen) const {
  if (!TouchesOwner()) return {};
  TRect w{0, 0, Width(), Height()};
  TRect o = FOwnerBounds;
  o.Left -= Left();
  o.Right -= Left();
  o.Top -= Top();
  o.Bottom -= Top();
  // A seam along a vertical edge is worked out as a horizontal one with the axes swapped.
  bool vertical = !(w.Top == o.Bottom || w.Bottom == o.Top);
  auto swap = [](TRect& r) { r = TRect{r.Top, r.Left, r.Bottom, r.Right}; };
  if (vertical) {
    swap(w);
    swap(o);
  }
  TRect r;
  if (w.Top == o.Bottom) {
    r.Top = w.Top;
    r.Bottom = r.Top + 1;
    if (AScreen) {
      --r.Top;
      --r.Bottom;
    }
  } else {
    r.Bottom = w.Bottom;
    r.Top = r.Bottom - 1;
    if (AScreen) {
      ++r.Top;
      ++r.Bottom;
    }
  }
  r.Left = std::max(w.Left, o.Left) + 1;
  r.Right = std::min(w.Right, o.Right) - 1;
  if (vertical) swap(r);
  if (AScreen) {
    r.Left += Left();
    r.Right += Left();
    r.Top += Top();
    r.Bottom += Top();
  }
  return r;
}

int TCustomdxBarControl::ItemHeight(TdxBarItemControl* AControl) const {
  return AControl && AControl->Height() > 0 ? AControl->Height() : TextSize();
}

int TCustomdxBarControl::SeparatorSizeBefore(TdxBarItemLink* ALink) const {
  TdxBarItemLinks* links = ItemLinks();
  return ALink && links && ALink->BeginGroup() && links->IndexInVisible(ALink) > 0 ? SeparatorSize() : 0;
}

void TCustomdxBarControl::CalcVerticalItemRects(int ATopIndex, int& ABottom) {
  TdxBarItemLinks* links = ItemLinks();
  const TRect& v = FVisibleItemsRect;
  int y = v.Top;
  ABottom = y;
  if (!links) return;
  bool placed = false;
  for (int i = std::max(0, ATopIndex); i < links->VisibleCount(); ++i) {
    TdxBarItemLink* link = links->VisibleLinks(i);
    int y0 = y + SeparatorSizeBefore(link);
    y = y0 + ItemHeight(link->Control());
    if (y > v.Bottom) {
      TRect last{v.Left, y0, v.Right, y};
      if (ClipsLastItem(last)) {
        link->SetItemRect(last);
        ABottom = v.Bottom;
      } else {
        ABottom = placed ? ABottom : y0;
      }
      return;
    }
    link->SetItemRect(TRect{v.Left, y0, v.Right, y});
    ABottom = y;
    placed = true;
  }
}

bool TCustomdxBarControl::IsUpdateLocked() const {
  TdxBarManager* manager = BarManager();
  return manager && manager->IsLocked();
}

void TCustomdxBarControl::RebuildBarGuarded(bool ARecreate) {
  if (HasState(csDestroying) || (FState & dxBarBeingDestroyed) || !HandleAllocated()) return;
  if (FState & (dxBarRebuilding | dxBarCreatingControls | dxBarDestroyingControls)) return;
  if (IsUpdateLocked()) return;
  FState |= dxBarRebuilding;
  TcxObjectLink* alive = CreateObjectLink(this);
  try {
    Rebuild(ARecreate);
  } catch (...) {
    if (alive->LinkedObject) FState &= ~dxBarRebuilding;
    FreeObjectLink(alive);
    throw;
  }
  if (alive->LinkedObject) FState &= ~dxBarRebuilding;
  FreeObjectLink(alive);
}

void TCustomdxBarControl::Rebuild(bool ARecreate) {
  if (!ARecreate) return;
  DestroyControls();
  CreateControls();
}

void TCustomdxBarControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_MOUSEACTIVATE:
      TCustomControl::WndProc(Message);
      Message.Result = MA_NOACTIVATE;
      return;
    case dxBarRebuildMessage:
      RebuildRecreating();
      return;
    default: TCustomControl::WndProc(Message);
  }
}

// ---- view info ----

void TCustomdxBarControlViewInfo::RemoveItemControl(TdxBarItemControl* AControl) { std::erase(FControls, AControl); }

bool TCustomdxBarControlViewInfo::Contains(TdxBarItemControl* AControl) const {
  return std::find(FControls.begin(), FControls.end(), AControl) != FControls.end();
}

bool TCustomdxBarControlViewInfo::FindSeparator(TdxBarItemControl* AControl, int& AIndex) const {
  for (std::size_t i = 0; i < FSeparators.size(); ++i)
    if (FSeparators[i].Control == AControl) {
      AIndex = static_cast<int>(i);
      return true;
    }
  AIndex = -1;
  return false;
}

// ---- hit tests and the chain of bars ----

bool TCustomdxBarControl::AllowsDesignHitTest() const {
  TdxBarManager* manager = BarManager();
  return manager && manager->IsDesigning();
}

bool TCustomdxBarControl::InCustomizingMode() const {
  TdxBarManager* manager = BarManager();
  return manager && manager->InCustomizing();
}

TdxBarItemControl* TCustomdxBarControl::ItemControlAtPoint(const TPoint& P) const {
  bool customizing = InCustomizingMode();
  if (customizing && !AllowsDesignHitTest()) return nullptr;
  for (int i = 0; i < FViewInfo->Count(); ++i) {
    TdxBarItemControl* control = FViewInfo->Items(i);
    TdxBarItemLink* link = control->ItemLink();
    if (!link) continue;
    const TRect& r = link->ItemRect();
    if (P.X < r.Left || P.X >= r.Right || P.Y < r.Top || P.Y >= r.Bottom) continue;
    return customizing && control->SkippedByCustomizingHitTest() ? nullptr : control;
  }
  return nullptr;
}

TCustomdxBarControl* TCustomdxBarControl::ParentBar() const {
  return static_cast<TCustomdxBarControl*>(LinkedObjectOf(FParentBarLink));
}

TCustomdxBarControl* TCustomdxBarControl::ChildBar() const {
  return static_cast<TCustomdxBarControl*>(LinkedObjectOf(FChildBarLink));
}

void TCustomdxBarControl::SetChildBar(TCustomdxBarControl* Value) {
  FreeObjectLink(FChildBarLink);
  FChildBarLink = CreateObjectLink(Value);
  if (Value && Value->ParentBar() != this) Value->SetParentBar(this);
}

void TCustomdxBarControl::SetParentBar(TCustomdxBarControl* Value) {
  FreeObjectLink(FParentBarLink);
  FParentBarLink = CreateObjectLink(Value);
  if (Value && Value->ChildBar() != this) Value->SetChildBar(this);
}

bool TCustomdxBarControl::ChainMayHide() const {
  if (TdxBarItemControl* selected = SelectedControl(); selected && !selected->LetsBarsHide()) return false;
  TCustomdxBarControl* child = ChildBar();
  return !child || child->ChainMayHide();
}

// ---- drop positions ----

TRect TCustomdxBarControl::ItemInnerRect(TdxBarItemControl* AControl) const {
  return AControl && AControl->ItemLink() ? AControl->ItemLink()->ItemRect() : TRect{};
}

TRect TCustomdxBarControl::ItemRect(TdxBarItemControl* AControl, bool AWithSeparator) const {
  TRect r = ItemInnerRect(AControl);
  int index = -1;
  if (AWithSeparator && AControl && FViewInfo->FindSeparator(AControl, index)) {
    const TRect& s = FViewInfo->SeparatorBounds(index);
    r = TRect{std::min(r.Left, s.Left), std::min(r.Top, s.Top), std::max(r.Right, s.Right), std::max(r.Bottom, s.Bottom)};
  }
  return r;
}

bool TCustomdxBarControl::DropPositionAt(const TPoint& P, TdxBarItemLink*& ALink, bool& AVertical, bool& ABefore,
                                         bool& AOnSeparator) const {
  ALink = nullptr;
  ABefore = false;
  AOnSeparator = false;
  AVertical = StacksItemsVertically();
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return false;
  for (int i = 0; i < links->VisibleCount(); ++i) {
    TdxBarItemControl* control = links->VisibleLinks(i)->Control();
    if (!control || !control->IsOwnItem()) continue;
    TRect outer = ItemRect(control, true);
    HRGN region = CreateRectRgn(outer.Left, outer.Top, outer.Right, outer.Bottom);
    bool hit = PtInRegion(region, P.X, P.Y);
    DeleteObject(region);
    if (!hit) continue;
    ALink = control->ItemLink();
    TRect r = ItemInnerRect(control);
    int index = -1;
    bool inside = P.X >= r.Left && P.X < r.Right && P.Y >= r.Top && P.Y < r.Bottom;
    if (!inside && FViewInfo->FindSeparator(control, index)) {
      AOnSeparator = true;
      r = FViewInfo->SeparatorBounds(index);
      if (P.Y < r.Top) AVertical = true;
    }
    ABefore = AVertical ? P.Y - r.Top < r.Bottom - P.Y : P.X - r.Left < r.Right - P.X;
    return true;
  }
  return false;
}
