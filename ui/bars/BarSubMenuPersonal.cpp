// The menu's personalised view and its own keys and mouse presses: recent items first with the
// expand mark, the delayed expansions on the menu's expand timer, the keys that expand or leave
// the menu, and the mark's press.
#include <algorithm>

#include "platform/classes/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "ui/bars/BarHintTiming.h"
#include "ui/bars/BarHintWindow.h"
#include "ui/bars/BarHooks.h"
#include "ui/bars/BarItemControl.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;
using namespace dxBarStrs;

namespace {

// The mark turns hot after a pause without selection changes; the menu expands after the wait.
constexpr UINT_PTR kMarkHotTimer = 2;
constexpr UINT_PTR kExpandTimer = 3;
constexpr UINT kExpandDelay = 4000;

bool Contains(const TRect& R, const TPoint& P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

TPoint CursorIn(HWND Window) {
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(Window, &p);
  return {p.x, p.y};
}

bool IsEditing(TdxBarItemControl* AControl) {
  auto* window = dynamic_cast<TdxBarWinControl*>(AControl);
  return window && window->Focused();
}

}  // namespace

// ---- the recent items ----

bool TdxBarSubMenuControl::IsPersonalised() const {
  TdxBarManager* manager = BarManager();
  return manager && manager->MenusShowRecentItemsFirst() && !manager->IsDesigning();
}

void TdxBarSubMenuControl::InitRecentItems() {
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return;
  links->SetCollapsedCount(!IsPersonalised() || BarFullMenus ? -1 : links->RecentCutoff());
}

bool TdxBarSubMenuControl::HasMark() const {
  TdxBarItemLinks* links = ItemLinks();
  return IsPersonalised() && links && links->VisibleCount() < links->CanVisibleCount();
}

TRect TdxBarSubMenuControl::MarkRect() const {
  if (!HasMark()) return {};
  TdxBarPainter* painter = BarPainter();
  const int inner = painter ? painter->MenuInnerBorder() : 1;
  const TRect c = const_cast<TdxBarSubMenuControl*>(this)->ClientRect();
  return {c.Left + inner + SideStripWidth(), c.Bottom - inner - FMarkSize, c.Right - inner, c.Bottom - inner};
}

void TdxBarSubMenuControl::UpdateRecentFlags() {
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return;
  const bool shaded = IsPersonalised() && BarFullMenus;
  if (!shaded) return;
  const int cutoff = links->RecentCutoff();
  const int recent = cutoff == -1 ? links->CanVisibleCount() : cutoff;
  bool previous = false;
  for (int i = std::max(0, FTopIndex); i < links->VisibleCount(); ++i) {
    TdxBarItemControl* control = links->VisibleLinks(i)->Control();
    if (!control) continue;
    const bool outside = links->IndexInRecent(links->VisibleLinks(i)) >= recent;
    control->SetOutsideRecent(outside);
    // The first link starts a change only below a tear-off caption, which would otherwise touch it.
    control->SetStartsRecentGroup(i == std::max(0, FTopIndex) ? outside && IsDetachable() : outside != previous);
    previous = outside;
  }
}

TRect TdxBarSubMenuControl::ItemRect(TdxBarItemControl* AControl, bool AWithSeparator) const {
  TRect r = TCustomdxBarControl::ItemRect(AControl, AWithSeparator);
  TdxBarPainter* painter = BarPainter();
  if (AWithSeparator && AControl && AControl->StartsRecentGroup() && painter && painter->ShiftsRecentGroup()) --r.Top;
  return r;
}

// ---- expanding ----

void TdxBarSubMenuControl::ExpandMenu() {
  if (!HasMark()) return;
  BarFullMenus = true;
  FShowAnimation = true;
  // The selected control goes with the window; its link carries the selection over.
  TdxBarItemLink* selected = SelectedLink();
  TcxObjectLinkScope alive(this);
  FExpandingMenu = true;
  try {
    DestroyHandle();
  } catch (...) {
    if (alive.Alive()) FExpandingMenu = false;
    throw;
  }
  if (!alive.Alive()) return;
  FExpandingMenu = false;
  FMarkState = 0;
  SetBounds(FOnShowLeft, FOnShowTop, Width(), Height());
  PopupMenuWindow();
  if (!alive.Alive() || !HandleAllocated() || !selected || !ItemLinks() || ItemLinks()->IndexInVisible(selected) < 0) return;
  if (TdxBarItemControl* control = selected->Control()) SelectControlByKeyboard(control);
}

bool TdxBarSubMenuControl::WaitsToExpand() const {
  TdxBarManager* manager = BarManager();
  return manager && manager->ShowFullMenusAfterDelay() && IsPersonalised() && !BarFullMenus;
}

void TdxBarSubMenuControl::StartExpandTimer(UINT_PTR AId, UINT AElapse) {
  KillExpandTimer();
  if (HandleAllocated()) FExpandTimer = SetTimer(Handle(), AId, AElapse, nullptr) ? AId : 0;
}

void TdxBarSubMenuControl::KillExpandTimer() {
  if (HandleAllocated()) KillTimerSafe(Handle(), FExpandTimer);
  FExpandTimer = 0;
}

void TdxBarSubMenuControl::ExpandTimerFired(UINT_PTR AId) {
  KillExpandTimer();
  if (AId == kExpandTimer) {
    SetMarkState(2);
  } else if (AId == kMarkHotTimer) {
    TCustomdxBarControl* child = ChildBar();
    if (!(child && child->HandleAllocated() && IsWindowVisible(child->Handle()))) SetMarkState(1);
  }
}

void TdxBarSubMenuControl::SetMarkState(int AState) {
  if (InCustomizingMode() || !IsPersonalised()) return;
  if (AState == 1 && IsEditing(SelectedControl())) AState = 0;
  TdxBarManager* manager = BarManager();
  const bool overMark = HandleAllocated() && HasMark() && Contains(MarkRect(), CursorIn(Handle()));
  const bool changed = AState != FMarkState;
  // Hot with the cursor resting on the mark: the wait starts unless it already runs.
  const bool rests = AState == 1 && overMark && FExpandTimer != kExpandTimer;
  if (!changed && !rests) return;
  FMarkState = AState;
  if (changed) {
    if (AState == 2) {
      ExpandMenu();
      return;
    }
    if (HandleAllocated()) {
      RECT r = MarkRect();
      InvalidateRect(Handle(), &r, FALSE);
    }
  }
  if (!manager) return;
  if (manager->ShowFullMenusAfterDelay()) {
    KillExpandTimer();
    if (AState == 1 && overMark) {
      TdxBarHintWindow* hint = BarHintWindow();
      StartExpandTimer(kExpandTimer, static_cast<UINT>(hint ? hint->ShowPause() : 1000));
    }
  } else if (changed) {
    if (AState == 1)
      RequestHint(manager, true, cxGetResourceString(dxSBAR_EXPAND));
    else
      HideHint(manager);
  }
}

// ---- selection and activation ----

void TdxBarSubMenuControl::SetSelectedControl(TdxBarItemControl* AControl) {
  if (FMarkState == 0 && AControl != SelectedControl() && Active() && WaitsToExpand())
    StartExpandTimer(kMarkHotTimer, kExpandDelay);
  if (AControl && !AControl->MouseSelected() && OwnsItemControl(AControl)) MakeControlVisible(AControl);
  TCustomdxBarControl::SetSelectedControl(AControl);
}

void TdxBarSubMenuControl::SetActive(bool AActive) {
  TcxObjectLinkScope alive(this);
  TCustomdxBarControl::SetActive(AActive);
  if (alive.Alive() && IsBarControlAlive(this) && AActive && WaitsToExpand()) StartExpandTimer(kExpandTimer, kExpandDelay);
}

void TdxBarSubMenuControl::SelectByAccelerator(TdxBarItemControl* AControl, bool AAmbiguous) {
  TdxBarItemLink* link = AControl ? AControl->ItemLink() : nullptr;
  TdxBarItemLinks* links = ItemLinks();
  TdxBarManager* manager = BarManager();
  const bool hidden = link && links && links->IndexInVisible(link) < 0;
  if (hidden && HasMark() && manager && manager->ResolvedStyle() != bmsStandard &&
      (AAmbiguous || !AControl->ClosesBarsOnClick())) {
    TcxObjectLinkScope alive(this);
    // The expansion makes the controls anew: the link names the one to select.
    ExpandMenu();
    if (!alive.Alive() || !HandleAllocated() || !link->Control()) return;
    AControl = link->Control();
  }
  TCustomdxBarControl::SelectByAccelerator(AControl, AAmbiguous);
}

// ---- the keys ----

bool TdxBarSubMenuControl::HandleExpandKeys(TMessage& Message) {
  if (!HasMark()) return false;
  const auto key = static_cast<WORD>(Message.WParam);
  if (key != VK_TAB && key != VK_DOWN) return false;
  const TShiftState shift = GetShiftState();
  if (key == VK_DOWN && shift.Contains(ssCtrl) && !shift.Contains(ssShift) && !shift.Contains(ssAlt)) {
    ExpandMenu();
    return true;
  }
  if (shift.Contains(ssCtrl) || shift.Contains(ssShift) || shift.Contains(ssAlt)) return false;
  TdxBarItemLinks* links = ItemLinks();
  if (!links || links->VisibleCount() == 0 || SelectedLink() != links->VisibleLinks(links->VisibleCount() - 1)) return false;
  TcxObjectLinkScope alive(this);
  ExpandMenu();
  // Again, so the selection walks on into the links the expansion added.
  if (alive.Alive() && HandleAllocated()) SendMessage(Handle(), WM_KEYDOWN, Message.WParam, Message.LParam);
  return true;
}

void TdxBarSubMenuControl::WMKeyDown(TMessage& Message) {
  TcxObjectLinkScope alive(this);
  StopAnimation(true);
  if (!alive.Alive() || HandleExpandKeys(Message)) return;
  TCustomdxBarControl::WndProc(Message);
}

void TdxBarSubMenuControl::HandleKeyDown(TMessage& Message) {
  TCustomdxBarControl* parent = ParentBar();
  TdxBarItemControl* opener = parent ? parent->SelectedControl() : nullptr;
  switch (Message.WParam) {
    case VK_ESCAPE: {
      SetClosedByEscape(true);
      if (!opener) {
        Dismiss();
        return;
      }
      TcxObjectLinkScope parentAlive(parent);
      opener->Deactivate(true);
      if (parentAlive.Alive()) parent->SetIsDowned(false);
      return;
    }
    case VK_LEFT: {
      if (!opener) return;
      if (parent->BarKind() == dxBarKindMenu) {
        opener->Deactivate(true);
        return;
      }
      TCustomdxBarControl* root = RootToolbar(this);
      if (!root || !root->HandleAllocated()) return;
      // On a vertical toolbar the menus do not lie side by side: Left only leaves this one.
      if (root->IsVertical())
        SendMessage(Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
      else
        SendMessage(root->Handle(), WM_KEYDOWN, VK_LEFT, 0);
      return;
    }
    case VK_RIGHT:
      if (TCustomdxBarControl* root = RootToolbar(this); root && root->HandleAllocated())
        SendMessage(root->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
      return;
    default: TCustomdxBarControl::HandleKeyDown(Message);
  }
}

// ---- the mouse ----

void TdxBarSubMenuControl::WMLButtonDown(TMessage& Message) {
  // While the arrows scroll, a press selects nothing.
  if (FScrollTimer) return;
  const bool ignored = IgnoreMouseClick();
  TcxObjectLinkScope alive(this);
  TCustomdxBarControl::WndProc(Message);
  if (!alive.Alive() || ignored || !HandleAllocated()) return;
  StopAnimation(true);
  if (!alive.Alive()) return;
  HandleMarkPress({Message.XPos(), Message.YPos()});
  // The tear-off may free this menu: nothing of it is touched after.
  if (alive.Alive() && FDetachCaptionSelected) TearOff();
}

void TdxBarSubMenuControl::HandleMarkPress(const TPoint& P) {
  if (!HasMark() || !Contains(MarkRect(), P)) return;
  if (FMarkState != 0) {
    // The release of this press lands on the window made anew: it clicks nothing.
    SetIgnoreMouseClick(true);
    SetMarkState(2);
    return;
  }
  TcxObjectLinkScope alive(this);
  SelectControlByKeyboard(nullptr);
  if (alive.Alive()) SetMarkState(1);
}
