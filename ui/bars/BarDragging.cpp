// Moving toolbars with the mouse: the drag loop of the toolbar collection, the docking timer that
// lets a floating toolbar dock only after a pause, the search for the dock site under the pointer,
// the two windows a toolbar keeps while it is dragged, and the double click that docks or floats it.
#include <algorithm>
#include <optional>

#include "platform/classes/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Messages.h"
#include "platform/win/Rects.h"
#include "platform/win/Window.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

namespace {

// One docking timer for the whole program, and the manager whose drag it serves.
UINT_PTR DockingTimer = 0;
TdxBarManager* DockingTimerManager = nullptr;

void StopDockingTimer() {
  if (DockingTimer) KillTimer(nullptr, DockingTimer);
  DockingTimer = 0;
}

bool ControlDown() { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

TPoint CursorPoint() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

TPoint operator+(const TPoint& A, const TPoint& B) { return {A.X + B.X, A.Y + B.Y}; }
TPoint operator-(const TPoint& A, const TPoint& B) { return {A.X - B.X, A.Y - B.Y}; }

bool Holds(const TRect& R, const TPoint& P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

// A site placed inside a container is covered where a sibling of that container lies over it.
bool ReachableAt(TdxDockControl* ASite, const TPoint& P) {
  if (!ASite->HandleAllocated()) return true;
  TWinControl* parent = ASite->Parent();
  TWinControl* grandparent = parent ? parent->Parent() : nullptr;
  if (!grandparent || !parent->HandleAllocated() || !grandparent->HandleAllocated()) return true;
  POINT client{P.X, P.Y};
  win::ScreenToClient(grandparent->Handle(), &client);
  return ChildWindowFromPointEx(grandparent->Handle(), client, CWP_SKIPINVISIBLE) == parent->Handle();
}

// The pointer of a mouse message on the screen; the cursor for a message without a window.
TPoint MessagePoint(const MSG& AMsg) {
  if (!AMsg.hwnd) return CursorPoint();
  POINT p{GET_X_LPARAM(AMsg.lParam), GET_Y_LPARAM(AMsg.lParam)};
  win::ClientToScreen(AMsg.hwnd, &p);
  return {p.x, p.y};
}

}  // namespace

// ---- the docking timer --------------------------------------------------------------------------

void TdxBars::DockingTimerTick(HWND, UINT, UINT_PTR, DWORD) {
  StopDockingTimer();
  TdxBarManager* manager = DockingTimerManager;
  TdxBars* bars = manager ? manager->Bars() : nullptr;
  if (bars && bars->FDraggedWindow) {
    struct TFired {
      explicit TFired(bool& AFlag) : Flag(AFlag) { Flag = true; }
      ~TFired() { Flag = false; }
      bool& Flag;
    } fired(bars->FTimerFired);
    bars->MoveBarTo(bars->FDraggedWindow, CursorPoint() + bars->FDragOffset);
  }
  DockingTimerManager = nullptr;
}

void TdxBars::StartDockingTimer() {
  DockingTimerManager = FBarManager;
  DockingTimer = SetTimer(nullptr, DockingTimer, static_cast<UINT>(std::max(FBarManager->WaitForDockingTime(), 0)),
                          &TdxBars::DockingTimerTick);
}

void TdxBars::ForgetDockingTimer() {
  if (DockingTimerManager != FBarManager) return;
  StopDockingTimer();
  DockingTimerManager = nullptr;
}

// ---- the drag -----------------------------------------------------------------------------------

void TdxBars::DragBar(TdxBarControl* AWindow) {
  if (!AWindow || FDragging || !AWindow->CanMove()) return;
  TdxBar* bar = AWindow->ShownBar();
  if (!bar) return;
  TdxDockControl* site = AWindow->DockingStyle() != dsNone ? AWindow->DockControl() : nullptr;
  int row = -1, column = -1;
  if (site) {
    site->FindColumn(AWindow, row, column);
    if (row >= 0) site->Rows(row)->Columns(column)->WantedPos = {bar->DockedLeft(), bar->DockedTop()};
  }

  TcxObjectLinkScope alive(AWindow);
  TdxBarDesignController* design = BarDesignController();
  HWND capture = nullptr;
  bool busy = false;
  // Whatever ends the drag, an exception included, leaves no timer, capture or drag state behind.
  struct TCleanup {
    TdxBars* Bars;
    TdxBarControl* Window;
    const TcxObjectLinkScope& Alive;
    TdxBarDesignController* Design;
    HWND& Capture;
    bool& Busy;
    ~TCleanup() {
      StopDockingTimer();
      DockingTimerManager = nullptr;
      if (Capture && GetCapture() == Capture) ReleaseCapture();
      if (Alive.Alive()) {
        Window->SetDragging(false);
        if (Window->DockingStyle() != dsNone)
          if (TdxDockControl* site = Window->DockControl()) site->StoreColumnPositions();
      }
      Bars->FDragging = false;
      if (Design && Busy) Design->EndBusy();
    }
  } cleanup{this, AWindow, alive, design, capture, busy};

  FDragging = true;
  AWindow->SetDragging(true);
  if (!alive.Alive()) return;
  std::optional<TPoint> last = CursorPoint();
  FDragStartStyle = AWindow->DockingStyle();
  FDragOffset = {};
  FGrabOffset = {};

  if (site && row >= 0) {
    POINT p{site->Rows(row)->Columns(column)->WantedPos.X, site->Rows(row)->Columns(column)->WantedPos.Y};
    if (site->HandleAllocated()) win::ClientToScreen(site->Handle(), &p);
    const bool oneOnRow = bar->OneOnRow();
    site->RemoveBarControl(AWindow, false);
    TPoint snapped = *last;
    site->SnapToRow(bar->Row(), oneOnRow, snapped);
    FDragOffset = site->IsVertical() ? TPoint{snapped.X - last->X, 0} : TPoint{0, snapped.Y - last->Y};
    AWindow->BeginInternalUpdate();
    try {
      site->InsertBarControl(AWindow, {p.x, p.y}, false);
    } catch (...) {
      AWindow->EndInternalUpdate();
      throw;
    }
    AWindow->EndInternalUpdate();
    const TRect bounds = AWindow->WindowRect();
    FGrabOffset = {last->X - bounds.Left, last->Y - bounds.Top};
  }

  ProcessPendingPaints();
  if (!alive.Alive()) return;
  if (design) {
    design->BeginBusy();
    busy = true;
  }
  capture = FBarManager->DragCaptureWindow();
  if (!capture) return;
  SetCapture(capture);

  MSG msg{};
  while (GetCapture() == capture) {
    const BOOL got = GetMessage(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (!got) {
      // Quitting belongs to the outer loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_CONTROL) {
      // Ctrl alone decides between floating and docking: look again where the pointer is.
      msg = MSG{};
      msg.message = WM_MOUSEMOVE;
      last.reset();
    }
    switch (msg.message) {
      case WM_MOUSEMOVE: {
        const TPoint pointer = MessagePoint(msg);
        if (last && *last == pointer) break;
        MoveBarTo(AWindow, pointer + FDragOffset);
        if (!alive.Alive()) return;
        last = pointer;
        break;
      }
      case WM_LBUTTONUP:
        return;
      case WM_KEYDOWN:
      case WM_KEYUP:
        if (msg.wParam == VK_ESCAPE) return;
        break;
      default:
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        if (!alive.Alive()) return;
        break;
    }
  }
}

void TdxBars::MoveBarTo(TdxBarControl* AWindow, TPoint APoint) {
  TdxBar* bar = AWindow ? AWindow->ShownBar() : nullptr;
  if (!bar) return;
  TdxDockControl* site = nullptr;
  TdxBarDockingStyle style = FindDockSite(bar, APoint, site);
  if (!FBarManager->CanDockBar(bar, style, site)) return;
  if (!FTimerFired && AWindow->DockingStyle() == dsNone && style != dsNone) {
    // A floating toolbar docks only once the pointer rests in the zone.
    StartDockingTimer();
    style = dsNone;
    site = nullptr;
  }
  if (style == dsNone) APoint = APoint - FDragOffset;

  if (style == AWindow->DockingStyle() && site == AWindow->DockControl()) {
    if (style != dsNone) {
      site->MoveBarControl(AWindow, APoint);
    } else {
      const TPoint grab = AWindow->GrabPoint(dsNone);
      SetWindowPos(AWindow->Handle(), nullptr, APoint.X - grab.X, APoint.Y - grab.Y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return;
  }

  AWindow->Dismiss();
  if (AWindow->DockingStyle() != dsNone) {
    RemoveFromSite(AWindow->DockingStyle(), AWindow->DockControl(), AWindow);
    bar->ItemLinks()->SetCollapsedCount(-1);
  }
  AWindow->BeginInternalUpdate();
  try {
    AWindow->ApplyDockingStyle(style, site);
  } catch (...) {
    AWindow->EndInternalUpdate();
    throw;
  }
  AWindow->EndInternalUpdate();
  if (style != dsNone) {
    InsertIntoSite(style, site, APoint, AWindow);
  } else {
    const TSize size = AWindow->SizeForStyle(dsNone);
    const TPoint grab = AWindow->GrabPoint(dsNone);
    SetWindowPos(AWindow->Handle(), nullptr, APoint.X - grab.X, APoint.Y - grab.Y, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(AWindow->Handle(), SW_SHOWNA);
}

TdxBarDockingStyle TdxBars::FindDockSite(TdxBar* ABar, const TPoint& APoint, TdxDockControl*& ADockControl) {
  ADockControl = nullptr;
  if (FDragging && ControlDown()) return dsNone;
  auto tryPoint = [&](const TPoint& P) {
    for (TdxBarDockingStyle style : {dsLeft, dsRight, dsTop, dsBottom})
      for (int i = 0; i < FBarManager->DockControlCount(); ++i) {
        TdxDockControl* site = FBarManager->DockControls(i);
        if (site->DockSiteStyle() != style) continue;
        if (!site->CanFocus() && !FBarManager->IsDesigning()) continue;
        if (!FBarManager->CanDockBar(ABar, style, site)) continue;
        if (!Holds(site->DockingZone(), P) || !ReachableAt(site, P)) continue;
        ADockControl = site;
        return style;
      }
    return dsNone;
  };
  TdxBarDockingStyle style = tryPoint(APoint);
  if (style == dsNone && FDragging) style = tryPoint(APoint - FDragOffset);
  return style;
}

namespace {

TdxDockControl* SiteFor(TdxBars* ABars, TdxBarDockingStyle AStyle, TdxDockControl* ADockControl) {
  if (AStyle == dsNone) return nullptr;
  return ADockControl ? ADockControl : ABars->DockControls(AStyle);
}

}  // namespace

void TdxBars::InsertIntoSite(TdxBarDockingStyle AStyle, TdxDockControl* ADockControl, const TPoint& APoint,
                             TdxBarControl* AWindow) {
  if (TdxDockControl* site = SiteFor(this, AStyle, ADockControl)) site->InsertBarControl(AWindow, APoint, true);
}

void TdxBars::RemoveFromSite(TdxBarDockingStyle AStyle, TdxDockControl* ADockControl, TdxBarControl* AWindow) {
  if (TdxDockControl* site = SiteFor(this, AStyle, ADockControl)) site->RemoveBarControl(AWindow, true);
}

// ---- the toolbar window's part ------------------------------------------------------------------

void TdxBarControl::StartDrag() {
  if (TdxBars* bars = FShownBar ? FShownBar->Bars() : nullptr) bars->DragBar(this);
}

TPoint TdxBarControl::GrabPoint(TdxBarDockingStyle AStyle) {
  TdxBars* bars = FShownBar ? FShownBar->Bars() : nullptr;
  if (bars && bars->DraggedWindow() == this && AStyle != dsNone && AStyle == bars->DragStartStyle()) {
    // Back in its starting kind of site the toolbar keeps the very pixel it was taken by.
    if (AStyle == dsLeft || AStyle == dsRight) return {-bars->DragOffset().X, bars->GrabOffset().Y};
    return {bars->GrabOffset().X, -bars->DragOffset().Y};
  }
  const TSize size = SizeForStyle(AStyle);
  return {MulDiv(size.cx, FGrabRatioX.X, FGrabRatioX.Y), MulDiv(size.cy, FGrabRatioY.X, FGrabRatioY.Y)};
}

void TdxBarControl::SetDragging(bool AMoving) {
  if (FBeingDragged == AMoving) return;
  TdxBars* bars = FShownBar ? FShownBar->Bars() : nullptr;
  const bool wasChanging = FMovingChanging;
  FMovingChanging = true;
  struct TRestore {
    bool& Flag;
    bool Value;
    ~TRestore() { Flag = Value; }
  } restore{FMovingChanging, wasChanging};

  FBeingDragged = AMoving;
  if (bars) bars->SetDraggedWindow(AMoving ? this : nullptr);
  // Edit windows would be made and destroyed with every change of shape: they wait for the drop.
  if (TdxBarItemLinks* links = ItemLinks())
    for (int i = 0; i < links->CanVisibleCount(); ++i)
      if (auto* control = dynamic_cast<TdxBarWinControl*>(links->CanVisibleLinks(i)->Control())) {
        if (AMoving)
          control->UnhookInnerWindow(true);
        else
          control->HookInnerWindow();
      }

  if (AMoving && HandleAllocated()) {
    TInternalUpdate update(this);
    if (const TdxBarDockingStyle docked = DockingStyle(); docked != dsNone) {
      FDockedWindow = Handle();
      SetDockingStyle(dsNone);
      DestroyControls();
      ForgetHandle();
      HandleNeeded();
      FFloatingWindow = Handle();
      ForgetHandle();
      SetDockingStyle(docked);
      HandleNeeded();
    } else {
      FFloatingWindow = Handle();
      TdxDockControl* left = bars ? bars->DockControls(dsLeft) : nullptr;
      SetDockControl(left);
      SetDockingStyle(dsLeft);
      DestroyControls();
      ForgetHandle();
      HandleNeeded();
      FDockedWindow = Handle();
      ForgetHandle();
      SetDockingStyle(dsNone);
      SetDockControl(nullptr);
      HandleNeeded();
      if (IsWindow(FDockedWindow)) win::SetParent(FDockedWindow, nullptr);
    }
    UpdateAfterHandle();
  } else if (!AMoving) {
    EndDraggingWindows();
    StorePositionInBar();
  }
  SetDetachCursor(AMoving);
  if (HandleAllocated()) SendMessage(Handle(), WM_SIZE, 0, 0);
  RebuildRecreating();
}

void TdxBarControl::EndDraggingWindows() {
  HWND used = FHandle;
  HWND unused = DockingStyle() != dsNone ? FFloatingWindow : FDockedWindow;
  FDockedWindow = FFloatingWindow = nullptr;
  if (!used) return;
  ForgetHandle();
  if (unused && unused != used && IsWindow(unused)) {
    // Its last messages go to the default procedure: this object lives on with the other window.
    AdoptWindowHandle(unused);
    DestroyWindow(DetachHandle());
  }
  // The class library keeps a docked window among its site's children and a floating one among
  // none; the swaps of the drag moved only the windows.
  TdxDockControl* site = DockingStyle() != dsNone ? DockControl() : nullptr;
  if (Parent() != site) {
    SetParent(site);
    TdxBarManager* manager = BarManager();
    auto* owner = manager ? dynamic_cast<TWinControl*>(manager->Owner()) : nullptr;
    if (!site && owner && owner->HandleAllocated()) SetParentWindow(owner->Handle());
  }
  AdoptWindowHandle(used);
}

void TdxBarControl::ToggleDockingByDoubleClick() {
  TdxBar* bar = FShownBar;
  TdxBarManager* manager = BarManager();
  TdxBars* bars = bar ? bar->Bars() : nullptr;
  if (!bars || !manager) return;
  TdxBarDockingStyle style = dsNone;
  TdxDockControl* site = nullptr;
  const bool neverDocked = bar->DockedDockingStyle() == dsNone;
  if (DockingStyle() == dsNone) {
    style = neverDocked ? dsTop : bar->DockedDockingStyle();
    site = neverDocked ? nullptr : bar->DockedDockControl();
    if (!site) site = bars->DockControls(style);
  }
  if (!manager->CanDockBar(bar, style, site)) return;
  // Hiding the toolbar frees this window: only the toolbar is used from here on.
  bar->SetVisible(false);
  if (style == dsNone) {
    bar->SetDockingStyle(dsNone);
  } else {
    bar->SetDockingStyleAndControl(style, site);
    if (neverDocked && site) {
      bar->SetOneOnRow(true);
      bar->SetRow(site->RowCount());
    }
  }
  bar->SetVisible(true);
}
