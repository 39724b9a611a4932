// The menu's tear-off caption: the band above the items of a detachable sub-item's menu. Hovering
// selects it; dragging it off the menu closes the menu and floats the sub-item's detaching toolbar
// under the pointer, and dragging back into the caption's zone puts the menu back.
#include <optional>

#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "ui/bars/BarButtonControls.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarHintTiming.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarSubItem.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

namespace {

// How far the pointer may stray from the caption before the toolbar comes off.
constexpr int kReturnZone = 15;

bool Contains(const TRect& R, const TPoint& P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

TCustomdxBarSubItem* SubItemOf(TdxBarItemControl* AControl) {
  return AControl ? dynamic_cast<TCustomdxBarSubItem*>(AControl->Item()) : nullptr;
}

// Everything the drag needs, taken before it starts: closing the menu frees it, so the drag never
// reads the menu again.
struct TTearOffDrag {
  TdxBarItemControl* SubItemControl;
  TCustomdxBarSubItem* SubItem;
  TdxBar* Bar;
  HWND CaptureWindow;
  TRect Zone;

  void Run();

  // The pointer left the zone: the menu closes and the toolbar floats under the pointer.
  void Detach(const TPoint& P);
  void Follow(const TPoint& P);
  void ReopenMenu();
  bool ControlAlive() const { return FControlAlive && FControlAlive->Alive(); }
  bool BarAlive() const { return FBarAlive && FBarAlive->Alive(); }

  const TcxObjectLinkScope* FControlAlive = nullptr;
  const TcxObjectLinkScope* FBarAlive = nullptr;
  bool FFloating = false;
};

void TTearOffDrag::Run() {
  TcxObjectLinkScope controlAlive(SubItemControl), itemAlive(SubItem), barAlive(Bar);
  FControlAlive = &controlAlive;
  FBarAlive = &barAlive;
  SubItem->NotifyDetaching();
  if (!itemAlive.Alive() || !BarAlive() || !IsWindow(CaptureWindow)) return;
  TdxBarDesignController* design = BarDesignController();
  bool dropped = false;
  struct TEnd {
    TTearOffDrag& Drag;
    TdxBarDesignController* Design;
    bool& Dropped;
    ~TEnd() {
      if (GetCapture() == Drag.CaptureWindow) ReleaseCapture();
      if (Drag.FFloating) {
        if (Dropped) {
          if (TCustomdxBarControl* active = ActiveBarWindow; active && IsBarControlAlive(active)) active->CloseUp();
        } else if (Drag.BarAlive()) {
          Drag.Bar->SetVisible(false);
        }
      }
      if (Design) Design->EndBusy();
    }
  };
  if (design) design->BeginBusy();
  TEnd end{*this, design, dropped};
  SetCapture(CaptureWindow);
  std::optional<TPoint> last;
  MSG msg{};
  while (GetCapture() == CaptureWindow) {
    const BOOL got = GetMessage(&msg, nullptr, 0, 0);
    if (got == -1) return;
    if (!got) {
      // Quitting belongs to the outer loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_KEYUP:
        if (msg.wParam != VK_ESCAPE) break;
        if (FFloating && BarAlive()) Bar->SetVisible(false);
        ReopenMenu();
        return;
      case WM_LBUTTONUP:
        dropped = true;
        return;
      case WM_MOUSEMOVE: {
        POINT cursor{};
        GetCursorPos(&cursor);
        const TPoint p{cursor.x, cursor.y};
        if (last && *last == p) continue;
        last = p;
        const bool inZone = Contains(Zone, p);
        if (!FFloating) {
          if (!inZone) Detach(p);
        } else if (inZone) {
          if (BarAlive()) Bar->SetVisible(false);
          ReopenMenu();
          return;
        } else {
          Follow(p);
        }
        if (!BarAlive()) return;
        continue;
      }
      default: break;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
    if (!BarAlive()) return;
  }
}

void TTearOffDrag::Detach(const TPoint& P) {
  if (ControlAlive())
    if (auto* control = dynamic_cast<TdxBarButtonLikeControl*>(SubItemControl)) control->CloseDropDown(true);
  if (!BarAlive()) return;
  if (Bar->DockingStyle() != dsNone) {
    Bar->SetVisible(false);
    Bar->SetDockingStyle(dsNone);
  }
  if (!Bar->Visible()) {
    TdxBarPainter* painter = Bar->Painter();
    Bar->SetFloatLeft(P.X - 100);
    Bar->SetFloatTop(P.Y - (painter ? painter->SmallCaptionHeight() : 0) / 2);
    Bar->SetVisible(true);
  }
  FFloating = true;
}

void TTearOffDrag::Follow(const TPoint& P) {
  TdxBarControl* window = Bar->Control();
  if (!window || !window->HandleAllocated()) return;
  const TRect bounds = window->WindowRect();
  const TRect caption = window->CaptionBand(true);
  SetWindowPos(window->Handle(), nullptr, P.X - (bounds.Right - bounds.Left) / 2, P.Y - (caption.Top + caption.Bottom) / 2,
               0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TTearOffDrag::ReopenMenu() {
  if (ControlAlive()) SubItemControl->Activate(true, true);
}

}  // namespace

bool TdxBarSubMenuControl::IsDetachable() const {
  if (!(BehaviourFlags() & dxBarBehaviourTearOff)) return false;
  TCustomdxBarSubItem* item = SubItemOf(FSubItem);
  return item && item->Detachable();
}

int TdxBarSubMenuControl::DetachCaptionSize() const {
  const int half = const_cast<TdxBarSubMenuControl*>(this)->DrawCanvas()->MeasureTextHeight("Qq") / 2;
  return half % 2 == 0 ? half + 1 : half;
}

TRect TdxBarSubMenuControl::DetachCaptionRect() const {
  TdxBarPainter* painter = BarPainter();
  if (!IsDetachable() || !painter || !HandleAllocated()) return {};
  TRect r = NonClientRect();
  painter->MenuClientInsets(r);
  r.Bottom = r.Top + DetachCaptionSize();
  return r;
}

bool TdxBarSubMenuControl::DetachCaptionHitTest(TMessage& Message) {
  if (!IsDetachable() || !HandleAllocated()) return false;
  const TRect window = WindowRect();
  const TPoint p{GET_X_LPARAM(Message.LParam) - window.Left, GET_Y_LPARAM(Message.LParam) - window.Top};
  if (!Contains(DetachCaptionRect(), p)) return false;
  Message.Result = HTCLIENT;
  return true;
}

void TdxBarSubMenuControl::TrackDetachCaption(const TPoint& P) {
  if (InCustomizingMode() || GetCapture()) return;
  const TPoint offset = ClientOffset();
  SetDetachCaptionSelected(IsDetachable() && Contains(DetachCaptionRect(), {P.X + offset.X, P.Y + offset.Y}));
}

void TdxBarSubMenuControl::SetDetachCaptionSelected(bool Value) {
  if (Value == FDetachCaptionSelected) return;
  FDetachCaptionSelected = Value;
  if (HandleAllocated()) {
    // Only the frame changes: it is drawn again where it stands.
    HDC dc = GetWindowDC(Handle());
    DrawNonClient(dc);
    ReleaseDC(Handle(), dc);
  }
  SetDetachCursor(Value);
  TdxBarManager* manager = BarManager();
  if (Value)
    RequestHint(manager, true, cxGetResourceString(dxBarStrs::dxSBAR_DRAGTOMAKEMENUFLOAT));
  else if (!SelectedControl())
    HideHint(manager);
}

void TdxBarSubMenuControl::TearOff() {
  TCustomdxBarSubItem* item = SubItemOf(FSubItem);
  TdxBar* bar = item ? item->DetachingBarObject() : nullptr;
  TCustomdxBarControl* parent = ParentBar();
  if (!bar || !parent || !parent->HandleAllocated()) return;
  // The toolbar the menu was dropped from cannot come off its own menu.
  if (auto* root = dynamic_cast<TdxBarControl*>(RootToolbar(this)); root && root->ShownBar() == bar) return;
  const TRect window = WindowRect();
  TRect zone = DetachCaptionRect();
  zone = {window.Left + zone.Left - kReturnZone, window.Top + zone.Top - kReturnZone, window.Left + zone.Right + kReturnZone,
          window.Top + zone.Bottom + kReturnZone};
  TTearOffDrag drag{FSubItem, item, bar, parent->Handle(), zone};
  drag.Run();
}
