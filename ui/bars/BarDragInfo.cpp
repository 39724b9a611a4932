#include "ui/bars/BarDragInfo.h"

#include <cstdlib>

#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarItem.h"
#include "ui/bars/BarItemControl.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

namespace {

// Nearer than this along the bar, a link dropped on its own place keeps its group as it is.
constexpr int kGroupOffset = 3;
// The insertion mark's depth across its edge.
constexpr int kMarkDepth = 6;

TPoint CursorPos() {
  POINT s{};
  GetCursorPos(&s);
  return {s.x, s.y};
}

// The toolbar window whose window is AWindow; nil for none.
TCustomdxBarControl* ToolbarWithWindow(TdxBarManager* AManager, HWND AWindow) {
  for (int i = 0; AWindow && i < AManager->Bars()->Count(); ++i) {
    TdxBarControl* control = AManager->Bars()->Items(i)->Control();
    if (control && control->HandleAllocated() && control->Handle() == AWindow) return control;
  }
  return nullptr;
}

bool LastInRow(TdxBarItemLinks* ALinks, int AVisibleIndex, bool AVertical) {
  if (AVisibleIndex + 1 >= ALinks->VisibleCount()) return true;
  const TRect& r = ALinks->VisibleLinks(AVisibleIndex)->ItemRect();
  TdxBarItemLink* next = ALinks->VisibleLinks(AVisibleIndex + 1);
  const TRect& n = next->ItemRect();
  if (next->RowBreak()) return true;
  return AVertical ? n.Left >= r.Right || n.Right <= r.Left : n.Top >= r.Bottom || n.Bottom <= r.Top;
}

}  // namespace

TdxBarDragInfo::~TdxBarDragInfo() {
  FreeObjectLinkAndNil(FMarkBar);
  FreeObjectLinkAndNil(FDragOverBar);
}

TCustomdxBarControl* TdxBarDragInfo::DragOverBar() const {
  auto* bar = static_cast<TCustomdxBarControl*>(LinkedObjectOf(FDragOverBar));
  return bar && !bar->IsDestroying() ? bar : nullptr;
}

void TdxBarDragInfo::SetCategoryList(TCustomListBox* AList) { FCategoryList = AList; }

TCustomListBox* TdxBarDragInfo::CategoryList() const { return FCategoryList; }

// ---- the loop -------------------------------------------------------------------------------------

void TdxBarDragInfo::BeginDrag(TdxBarItem* AItem, TdxBarItemLink* ALink) {
  FDraggingItem = AItem;
  FDraggingLink = ALink;
  FRunning = true;
  if (ALink) FDragDownPoint = ALink->ScreenToLink(CursorPos());
  FDefaultCursor = Screen->Cursor();
  FCopyKey = GetKeyState(VK_CONTROL) < 0;
  FCaptureWindow = FBarManager->DragCaptureWindow();
  if (FCaptureWindow) SetCapture(FCaptureWindow);
  // Moves queued before the capture went to their old windows; they are done with now. A queued
  // release stays for the loop, which would otherwise wait for a button that is already up.
  MSG msg{};
  while (PeekMessage(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) DispatchMessage(&msg);
}

void TdxBarDragInfo::RunDrag() {
  TdxBarDesignController* design = BarDesignController();
  if (design) design->BeginBusy();
  struct TBusy {
    TdxBarDesignController* Design;
    ~TBusy() {
      if (Design) Design->EndBusy();
    }
  } busy{design};
  while (FCaptureWindow && GetCapture() == FCaptureWindow) {
    MSG msg{};
    const BOOL got = GetMessage(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (got < 0) return;
    switch (msg.message) {
      case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) return;
        if (msg.wParam == VK_CONTROL) {
          CopyKeyChanged(true);
          continue;
        }
        break;
      case WM_KEYUP:
        if (msg.wParam == VK_CONTROL) {
          CopyKeyChanged(false);
          continue;
        }
        break;
      case WM_MOUSEMOVE:
        MouseMoved(CursorPos(), (msg.wParam & MK_CONTROL) != 0);
        continue;
      case WM_LBUTTONUP:
        Drop();
        return;
      default:
        break;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

void TdxBarDragInfo::EndDrag() {
  if (FCaptureWindow && GetCapture() == FCaptureWindow) ReleaseCapture();
  FCaptureWindow = nullptr;
  FLockCount = 0;
  FDraggingState = dsNoDrag;
  UpdateFeedback();
  if (FLinkParentWindow && IsWindow(FLinkParentWindow)) DestroyWindow(FLinkParentWindow);
  FLinkParentWindow = nullptr;
  if (TdxBarItemControl* control = FDraggingLink ? FDraggingLink->Control() : nullptr) control->Invalidate();
  FDraggingItem = nullptr;
  FDraggingLink = nullptr;
  FDragOverLink = nullptr;
  FreeObjectLinkAndNil(FDragOverBar);
  FreeObjectLinkAndNil(FMarkBar);
  FMarkVisible = false;
  FRunning = false;
}

// ---- following the mouse --------------------------------------------------------------------------

void TdxBarDragInfo::CopyKeyChanged(bool ACopyKey) { MouseMoved(CursorPos(), ACopyKey); }

void TdxBarDragInfo::MouseMoved(const TPoint& AScreen, bool ACopyKey) {
  FCopyKey = ACopyKey;
  if (CategoryDragged(WindowFromPoint(POINT{AScreen.X, AScreen.Y}), AScreen)) return;
  BeginFeedbackUpdate();
  try {
    FindDropTarget(AScreen);
    bool allowDrop = true;
    if (TCustomdxBarControl* bar = DragOverBar()) {
      const TPoint p = bar->ScreenToClient(AScreen);
      bar->DragMouseMoved(p.X, p.Y, allowDrop);
    }
    // The drop-over bar may have gone with what its mouse move did (a closing menu).
    TdxBarItemLink* over = DragOverLink();
    int state = dsMove;
    if (!allowDrop || !HasDropTarget())
      state = dsNoDrop;
    else if (FCopyKey || !FDraggingLink)
      state = dsCopy;
    else if (over && over->Control() && (over == FDraggingLink || LeavesInPlace()))
      state = dsOwnPlace;
    SetDraggingState(state);
  } catch (...) {
    EndFeedbackUpdate();
    throw;
  }
  EndFeedbackUpdate();
}

bool TdxBarDragInfo::CategoryDragged(HWND AWindow, const TPoint& AScreen) {
  TForm* dialog = FBarManager->CustomizingForm();
  TCustomListBox* list = FCategoryList;
  if (!list || !dialog || !dialog->Visible() || FDraggingLink || !FDraggingItem || !FBarManager->IsDesigning() ||
      !list->HandleAllocated())
    return false;
  const int own = FDraggingItem->Category();
  if (AWindow != list->Handle()) {
    if (list->ItemIndex() != own) list->SetItemIndex(own);
    return false;
  }
  const int line = list->ItemAtPos(list->ScreenToClient(AScreen), true);
  list->SetItemIndex(line >= 0 ? line : own);
  SetDraggingState(line >= 0 ? dsCategory : dsNoDrop);
  return true;
}

void TdxBarDragInfo::FindDropTarget(const TPoint& AScreen) {
  const HWND window = WindowFromPoint(POINT{AScreen.X, AScreen.Y});
  auto* bar = dynamic_cast<TCustomdxBarControl*>(FindControl(window));
  if (bar && bar->BarManager() != FBarManager) bar = nullptr;
  if (!bar) bar = ToolbarWithWindow(FBarManager, window);
  if (bar && (bar->IsDestroying() || !bar->AllowsDesignHitTest())) bar = nullptr;
  SetDragOverBar(bar);
  TdxBarItemLink* link = nullptr;
  bool vertical = false, before = false, onSeparator = false;
  if (bar && !bar->DropPositionAt(bar->ScreenToClient(AScreen), link, vertical, before, onSeparator)) link = nullptr;
  SetDragOverLink(link);
  SetDragOverPosition(vertical, before, onSeparator);
}

void TdxBarDragInfo::SetDragOverBar(TCustomdxBarControl* ABar) {
  if (LinkedObjectOf(FDragOverBar) == ABar && (ABar || !FDragOverBar)) return;
  FreeObjectLinkAndNil(FDragOverBar);
  FDragOverBar = CreateObjectLink(ABar);
  UpdateFeedback();
}

TdxBarItemLink* TdxBarDragInfo::DragOverLink() const {
  // Links of a closed menu's expanded container go with the menu: only a link the bar still
  // shows counts.
  TCustomdxBarControl* bar = DragOverBar();
  TdxBarItemLinks* links = bar ? bar->ItemLinks() : nullptr;
  return FDragOverLink && links && links->IndexOf(FDragOverLink) >= 0 ? FDragOverLink : nullptr;
}

void TdxBarDragInfo::SetDragOverLink(TdxBarItemLink* ALink) {
  if (ALink == FDragOverLink) return;
  FDragOverLink = ALink;
  if (ALink) {
    HideMark();
    TCustomdxBarControl* bar = DragOverBar();
    TdxBarItemControl* control = ALink->Control();
    if (bar && control) {
      TdxBarItemControl* selected = bar->SelectedControl();
      // Sub-menus open while dragging over the items that have them.
      if (control->HasDropDown() || (selected && selected->HasDropDown()))
        bar->HotTrackControl(control);
      else
        bar->SetSelectedControl(control);
    }
    ProcessPendingPaints();
  }
  UpdateFeedback();
}

void TdxBarDragInfo::SetDragOverPosition(bool AVertical, bool ABefore, bool AOnSeparator) {
  if (AVertical == FDragOverVertical && ABefore == FDragOverFirstPart && AOnSeparator == FDragOverBeginGroup) return;
  FDragOverBeginGroup = AOnSeparator;
  FDragOverFirstPart = ABefore;
  FDragOverVertical = AVertical;
  UpdateFeedback();
}

bool TdxBarDragInfo::HasDropTarget() const {
  TdxBarItemLink* over = DragOverLink();
  if (over && over->Control()) return true;
  TCustomdxBarControl* bar = DragOverBar();
  return bar && bar->ItemLinks() && bar->ItemLinks()->VisibleCount() == 0;
}

bool TdxBarDragInfo::LeavesInPlace() const {
  if (!HasDropTarget()) return true;
  if (!FDraggingLink) return false;
  TdxBarItemLink* over = DragOverLink();
  if (over == FDraggingLink) return !(FDragOverBeginGroup && FDragOverFirstPart);
  TdxBarItemLinks* links = FDraggingLink->Links();
  const int i = links ? links->IndexInVisible(FDraggingLink) : -1;
  if (i < 0) return false;
  if (i > 0 && links->VisibleLinks(i - 1) == over && !FDraggingLink->BeginGroup() && !FDragOverBeginGroup &&
      !FDragOverFirstPart)
    return true;
  if (i == links->VisibleCount() - 1) return false;
  return links->VisibleLinks(i + 1) == over && FDragOverFirstPart && (FDragOverBeginGroup || !over->BeginGroup());
}

// ---- feedback ----------------------------------------------------------------------------------------

void TdxBarDragInfo::SetDraggingState(int AState) {
  if (AState == FDraggingState) return;
  FDraggingState = AState;
  UpdateFeedback();
}

void TdxBarDragInfo::EndFeedbackUpdate() {
  if (FLockCount > 0) --FLockCount;
  if (FLockCount == 0 && FModified) UpdateFeedback();
}

void TdxBarDragInfo::UpdateFeedback() {
  if (FLockCount > 0) {
    FModified = true;
    return;
  }
  FModified = false;
  TCursor cursor = crdxBarDrag;
  switch (FDraggingState) {
    case dsNoDrag:
      HideMark();
      cursor = FDefaultCursor;
      break;
    case dsNoDrop:
      HideMark();
      FDragOverLink = nullptr;
      cursor = crdxBarDragNoDrop;
      break;
    case dsOwnPlace:
      HideMark();
      break;
    case dsCategory:
      break;
    case dsCopy:
      ShowMark();
      cursor = crdxBarDragCopy;
      break;
    default:
      if (LeavesInPlace())
        HideMark();
      else
        ShowMark();
      break;
  }
  SetCursor(Screen->Cursors(cursor));
}

void TdxBarDragInfo::ShowMark() {
  TCustomdxBarControl* bar = DragOverBar();
  if (!bar || !bar->HandleAllocated()) {
    HideMark();
    return;
  }
  const bool vertical = FDragOverVertical;
  bool firstPart = true;
  TRect r = bar->ClientRect();
  if (TdxBarItemLink* link = DragOverLink()) {
    firstPart = FDragOverFirstPart;
    TdxBarItemLink* at = link;
    TdxBarItemLinks* links = bar->ItemLinks();
    const int i = links->IndexInVisible(link);
    if (FDragOverBeginGroup && i >= 0) {
      // The mark stands on the far side of the separator from the link it belongs to.
      if (firstPart) {
        if (i > 0) {
          at = links->VisibleLinks(i - 1);
          firstPart = false;
        }
      } else if (!LastInRow(links, i, vertical) && !links->VisibleLinks(i + 1)->BeginGroup()) {
        at = links->VisibleLinks(i + 1);
        firstPart = true;
      }
    }
    r = at->ItemRect();
  }
  if (FMarkVisible && LinkedObjectOf(FMarkBar) == bar && FMarkRect == r && FMarkFirstPart == firstPart &&
      FMarkVertical == vertical)
    return;
  HideMark();
  // What the bar still has to paint would land on the inverted mark and leave it behind.
  UpdateWindow(bar->Handle());
  FMarkBar = CreateObjectLink(bar);
  FMarkRect = r;
  FMarkFirstPart = firstPart;
  FMarkVertical = vertical;
  DrawMark();
  FMarkVisible = true;
}

void TdxBarDragInfo::HideMark() {
  if (!FMarkVisible) return;
  FMarkVisible = false;
  DrawMark();
  FreeObjectLinkAndNil(FMarkBar);
}

void TdxBarDragInfo::DrawMark() {
  auto* bar = static_cast<TCustomdxBarControl*>(LinkedObjectOf(FMarkBar));
  if (!bar || bar->IsDestroying() || !bar->HandleAllocated()) return;
  const int l = FMarkRect.Left, t = FMarkRect.Top, r = FMarkRect.Right, b = FMarkRect.Bottom;
  POINT points[12];
  if (FMarkVertical) {
    const int y = FMarkFirstPart ? t : b - kMarkDepth;
    const POINT p[12] = {{l, y},         {l, y + 6},     {l + 1, y + 1}, {l + 1, y + 5}, {l + 2, y + 2}, {r - 2, y + 2},
                         {l + 2, y + 3}, {r - 2, y + 3}, {r - 2, y + 1}, {r - 2, y + 5}, {r - 1, y},     {r - 1, y + 6}};
    std::copy(p, p + 12, points);
  } else {
    const int x = FMarkFirstPart ? l : r - kMarkDepth;
    const POINT p[12] = {{x, t},         {x + 6, t},     {x + 1, t + 1}, {x + 5, t + 1}, {x + 2, t + 2}, {x + 2, b - 2},
                         {x + 3, t + 2}, {x + 3, b - 2}, {x + 1, b - 2}, {x + 5, b - 2}, {x, b - 1},     {x + 6, b - 1}};
    std::copy(p, p + 12, points);
  }
  const DWORD counts[6] = {2, 2, 2, 2, 2, 2};
  HDC dc = GetDC(bar->Handle());
  SetROP2(dc, R2_NOT);
  PolyPolyline(dc, points, counts, 6);
  SetROP2(dc, R2_COPYPEN);
  ReleaseDC(bar->Handle(), dc);
}

// ---- the drop ----------------------------------------------------------------------------------------

void TdxBarDragInfo::Drop() {
  switch (FDraggingState) {
    case dsNoDrop:
      if (FDraggingLink) RemoveDraggedLink();
      break;
    case dsOwnPlace:
      DropOnOwnPlace();
      break;
    case dsCategory:
      DropOnCategory();
      break;
    case dsCopy:
    case dsMove:
      DropCopyOrMove(FDraggingState == dsMove);
      break;
    default:
      break;
  }
}

void TdxBarDragInfo::RemoveDraggedLink() {
  // The drag forgets the link before it goes: EndDrag must not refresh what is freed.
  TdxBarItemLink* link = FDraggingLink;
  FDraggingLink = nullptr;
  if (FDragOverLink == link) FDragOverLink = nullptr;
  link->TransferGroupStart();
  delete link;
  FBarManager->DesignerModified();
}

void TdxBarDragInfo::DropOnOwnPlace() {
  TdxBarItemLink* link = FDraggingLink;
  TCustomdxBarControl* bar = link ? link->BarControl() : nullptr;
  if (!bar) return;
  const TPoint p = link->ScreenToLink(CursorPos());
  const int offset = bar->StacksItemsVertically() ? p.Y - FDragDownPoint.Y : p.X - FDragDownPoint.X;
  if (std::abs(offset) <= kGroupOffset) return;
  const bool group = offset > 0;
  TdxBarItemControl* control = link->Control();
  if (link->BeginGroup() == group) {
    if (control) bar->SelectControlByKeyboard(control);
    return;
  }
  if (control) bar->SetSelectedControl(control);
  link->SetBeginGroup(group);
}

void TdxBarDragInfo::DropOnCategory() {
  TCustomListBox* list = FCategoryList;
  const int category = list ? list->ItemIndex() : -1;
  if (FDraggingItem && category >= 0 && category != FDraggingItem->Category()) FDraggingItem->SetCategory(category);
}

void TdxBarDragInfo::DropCopyOrMove(bool AMove) {
  TCustomdxBarControl* bar = DragOverBar();
  TdxBarItemLinks* links = bar ? bar->ItemLinks() : nullptr;
  if (!links) return;
  TdxBarItemLink* over = DragOverLink();
  const bool onSeparator = FDragOverBeginGroup, before = FDragOverFirstPart;
  SetDraggingState(dsNoDrag);
  TcxObjectLinkScope barAlive(bar);
  TdxBarManager* manager = FBarManager;
  manager->LockDesignerModified();
  manager->BeginUpdate();
  links->BeginUpdate();
  try {
    TdxBarItemLink* link = links->Add();
    if (FDraggingLink) {
      link->Assign(FDraggingLink);
      link->SetBeginGroup(false);
    } else {
      link->SetItem(FDraggingItem);
    }
    // A dropped command counts as chosen once in menus that follow their use.
    if (links->RecentUseAllowed()) {
      links->MoveToRecentFront(link);
      link->SetUseCount(link->UseCount() + 1);
    }
    if (over) {
      link->SetIndex(over->Index() + (!before && !onSeparator ? 1 : 0));
      if ((onSeparator && !before) || (!onSeparator && before && over->BeginGroup())) {
        link->SetBeginGroup(true);
        over->SetBeginGroup(false);
      }
    }
    link->CreateControl();
    if (barAlive.Alive() && link->Control()) bar->SetSelectedControl(link->Control());
    if (AMove && FDraggingLink) RemoveDraggedLink();
    auto* toolbar = barAlive.Alive() ? dynamic_cast<TdxBarControl*>(bar) : nullptr;
    if (TCustomdxBarControl* active = ActiveBarWindow; active && toolbar && !toolbar->IsPopupWindow() && toolbar != active) {
      RootBarWindow(active)->CloseUp();
      if (barAlive.Alive() && link->Control()) toolbar->ActivateWithControl(link->Control());
    }
    if (TdxBarDesignController* design = BarDesignController()) design->SelectPersistent(manager, link, 0);
    manager->DesignerModified();
  } catch (...) {
    links->EndUpdate();
    manager->EndUpdate();
    manager->UnlockDesignerModified();
    throw;
  }
  links->EndUpdate();
  manager->EndUpdate();
  manager->UnlockDesignerModified();
}
