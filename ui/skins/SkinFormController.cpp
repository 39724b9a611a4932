#include "ui/skins/SkinFormController.h"

#include "platform/classes/StdCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Version.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Hooks.h"
#include "platform/win/Menu.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"
#include "ui/controls/ControlServices.h"
#include "ui/foundation/Geometry.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/ObjectLinks.h"
#include "ui/skins/SkinController.h"

using namespace win;

namespace {

constexpr UINT WM_UNDOCUMENTED_3F = 0x3F;
constexpr UINT WM_NCUAHDRAWCAPTION = 0xAE;
constexpr UINT WM_NCUAHDRAWFRAME = 0xAF;
constexpr UINT WM_POPUPSYSTEMMENU = 0x313;

// A weak link that frees itself: after the default handling, the rest runs only while the
// controller lives.
class TLink {
 public:
  explicit TLink(TObject* Obj) : FLink(CreateObjectLink(Obj)) {}
  ~TLink() { FreeObjectLink(FLink); }
  bool Alive() const { return FLink && FLink->LinkedObject; }

 private:
  TcxObjectLink* FLink;
};

TPoint PointOf(LPARAM lParam) {
  return TPoint(static_cast<short>(LOWORD(static_cast<DWORD>(lParam))), static_cast<short>(HIWORD(static_cast<DWORD>(lParam))));
}

}  // namespace

TdxSkinFormController::TdxSkinFormController(HWND AHandle)
    : TdxSkinWinController(AHandle),
      FInfo(std::make_unique<TdxSkinFormNonClientAreaInfo>(this)),
      FPainter(std::make_unique<TdxSkinFormPainter>(FInfo.get())) {
  if (IsPlainFormClass(AHandle)) PostMessage(AHandle, SkinMsgLabelsTransparent, 0, 0);
}

TdxSkinFormController::~TdxSkinFormController() {
  // A window that outlives its controller (the unit ending) must not keep a region of its old size.
  if (Handle() && IsWindow(Handle())) RemoveRegion(false);
  SetHandle(nullptr);
  InvalidateObjectLinks(this);
}

bool TdxSkinFormController::HasSkinPainter() { return FInfo && TdxSkinWinController::HasSkinPainter(); }

void TdxSkinFormController::Initialize() { SetSkinPainter(InitialFormSkinPainter(this)); }

void TdxSkinFormController::ResetSkinPainter() {
  TdxSkinWinController::ResetSkinPainter();
  SetSkinPainter(RefreshedFormSkinPainter(this));
}

void TdxSkinFormController::Unhook() {
  // The window system's own window menu comes back with the standard frame.
  if (IsHooked() && Handle()) GetSystemMenu(Handle(), TRUE);
  TdxSkinWinController::Unhook();
}

// ---- redraw lock, redraws, the window menu ------------------------------------------------------------

void TdxSkinFormController::LockRedraw() {
  if (++FRedrawLockCount == 1 && Handle()) DefWindowProc(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TdxSkinFormController::UnlockRedraw() {
  if (--FRedrawLockCount == 0 && Handle()) DefWindowProc(Handle(), WM_SETREDRAW, TRUE, 0);
}

void TdxSkinFormController::PostRedraw() {
  if (Handle()) PostMessage(Handle(), SkinMsgRedraw, 0, 0);
}

void TdxSkinFormController::RequestRedrawOnOldSystems() {
  if (FInfo->UsesSystemMetrics()) PostRedraw();
}

void TdxSkinFormController::ShowSystemMenu(const TPoint& ScreenPoint, const TRect& Exclude, int Alignment) {
  RequestRedrawOnOldSystems();
  HWND h = Handle();
  HMENU menu = GetSystemMenu(h, FALSE);
  if (!menu) return;
  TPMPARAMS params;
  params.rcExclude = Exclude;
  const UINT flags = TPM_RETURNCMD | (Alignment == 1 ? TPM_BOTTOMALIGN : 0);
  const BOOL command = TrackPopupMenuEx(menu, flags, ScreenPoint.X, ScreenPoint.Y, h, &params);
  PostMessage(h, WM_SYSCOMMAND, static_cast<WPARAM>(command), 0);
}

void TdxSkinFormController::NotifySystemMenu(HMENU Menu) {
  std::vector<TdxSkinController*>* list = SkinControllerList();
  if (!list) return;
  TCustomForm* form = TdxSkinFormHelper::FormOfWindow(Handle());
  const std::vector<TdxSkinController*> controllers = *list;
  for (TdxSkinController* c : controllers) c->DoPopupSysMenu(form, Menu);
}

void TdxSkinFormController::RebuildSystemMenu() {
  HWND h = Handle();
  HMENU menu = GetSystemMenu(h, FALSE);
  HMENU source = LoadSystemMenuTemplate(FInfo->IsMDIChild ? 1 : 0);
  if (!menu || !source) {
    if (source) DestroyMenu(source);
    return;
  }
  DeleteMenu(menu, 0, MF_BYPOSITION);
  CopyMenuItems(source, menu);
  DestroyMenu(source);
  if (FInfo->HasBorder()) {
    TCustomForm* form = TdxSkinFormHelper::FormOfWindow(h);
    const DWORD style = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
    const bool dialog = !(style & WS_THICKFRAME);
    TBorderIcons icons = form ? form->BorderIcons() : TBorderIcons{biSystemMenu, biMinimize, biMaximize};
    StripDialogSystemMenu(menu, h, dialog, icons, false);
  }
}

void TdxSkinFormController::SyncWindowState() {
  HWND h = Handle();
  if (!h) return;
  FInfo->WindowState = IsZoomed(h) ? 2 : IsIconic(h) ? 1 : 0;
  GetSystemMenu(h, TRUE);
  if (FInfo->IsMDIChild) RebuildSystemMenu();
  UpdateRegion();
}

// ---- the slots ------------------------------------------------------------------------------------------------

void TdxSkinFormController::CalculateNonClient() { FInfo->Calculate(); }

void TdxSkinFormController::UpdateRegion() {
  HWND h = Handle();
  if (!h) return;
  if (!FInfo->HasBorder()) {
    RemoveRegion(true);
    return;
  }
  RECT r{};
  GetWindowRect(h, &r);
  HRGN region = CreateRectRgn(0, 0, r.right - r.left, r.bottom - r.top);
  TCustomForm* form = TdxSkinFormHelper::FormOfWindow(h);
  const bool constrained = form && (form->Constraints()->MaxWidth() || form->Constraints()->MaxHeight());
  if (IsZoomed(h) && !constrained && !GetParent(h)) {
    MONITORINFO info;
    HMONITOR monitor = MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST);
    RECT bounds{};
    if (monitor && GetMonitorInfo(monitor, &info))
      bounds = info.rcMonitor;
    else
      GetWindowRect(GetDesktopWindow(), &bounds);
    HRGN screen = CreateRectRgn(bounds.left - r.left, bounds.top - r.top, bounds.right - r.left, bounds.bottom - r.top);
    CombineRgn(region, region, screen, RGN_AND);
    DeleteObject(screen);
  }
  SetWindowRgn(h, region, TRUE);
  FRegionSet = true;
}

void TdxSkinFormController::RemoveRegion(bool PostRedrawFlag) {
  if (!FRegionSet) return;
  FRegionSet = false;
  if (Handle()) SetWindowRgn(Handle(), nullptr, FALSE);
  if (PostRedrawFlag) PostRedraw();
}

void TdxSkinFormController::PaintClientBackground(HDC DC) { FPainter->PaintClient(DC); }

void TdxSkinFormController::PaintNonClient(HDC DC) { FPainter->PaintNonClient(DC); }

void TdxSkinFormController::PaintScrollBars(HDC DC) { FPainter->PaintScrollBarsOnly(DC); }

void TdxSkinFormController::MakeLabelsTransparent() {
  TWinControl* control = Control();
  if (!control) return;
  for (int i = 0; i < control->ControlCount(); ++i)
    if (auto* label = dynamic_cast<TCustomLabel*>(control->Controls(i))) label->SetTransparent(true);
}

void TdxSkinFormController::FrameChanged() {
  TdxSkinWinController::FrameChanged();
  if (FPainter) FPainter->ClearCaches();
  if (!Handle() || !FInfo) return;
  if (HasSkinPainter()) {
    SyncWindowState();
    CalculateNonClient();
    UpdateRegion();
  } else {
    RemoveRegion(false);
  }
}

void TdxSkinFormController::MouseLeft() {
  UnlockRedraw();
  UpdateHotTracking(true);
  if (Handle()) UpdateWindow(Handle());
  LockRedraw();
}

bool TdxSkinFormController::UpdateHotTracking(bool ForceRepaint) {
  bool result = FInfo->Buttons()->UpdateHot();
  const bool watching = IsMouseLeaveWatched(this);
  if (TdxSkinFormIconInfo* hot = FInfo->Buttons()->Hot) {
    const RECT& w = FInfo->WindowRectScreen;
    StartMouseLeaveWatch(nullptr, RECT{hot->HitBounds.Left + w.left, hot->HitBounds.Top + w.top, hot->HitBounds.Right + w.left,
                                       hot->HitBounds.Bottom + w.top},
                         this);
  } else {
    // An enabled part of a non-client scroll bar under the cursor.
    const TPoint cursor = FInfo->CursorPos();
    TRect part;
    bool over = false;
    for (int k = 0; k < 2 && !over; ++k)
      for (int p = 1; p <= 5 && !over; ++p)
        if (FInfo->PartStates[k][p] != 0 && FInfo->PartStates[k][p] != cxbsDisabled &&
            RectContainsPoint(FInfo->PartRects[k][p], cursor)) {
          over = true;
          part = FInfo->PartRects[k][p];
        }
    if (over) {
      result = !watching;
      const RECT& w = FInfo->WindowRectScreen;
      StartMouseLeaveWatch(nullptr, RECT{part.Left + w.left, part.Top + w.top, part.Right + w.left, part.Bottom + w.top}, this);
    } else {
      result = result || watching;
      StopMouseLeaveWatch(this);
    }
  }
  if (result || ForceRepaint) {
    CalculateNonClient();
    PaintNonClient(nullptr);
  }
  return result;
}

// ---- the message path -----------------------------------------------------------------------------------------

void TdxSkinFormController::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SETTEXT) {
    WMSetText(Message);
    return;
  }
  if (Message.Msg == WM_THEMECHANGED) FInfo->ForgetThemesActive();
  if (Message.Msg == SkinMsgLabelsTransparent) {
    MakeLabelsTransparent();
    return;
  }
  if (SkinRefreshMessage && Message.Msg == SkinRefreshMessage) {
    ResetSkinPainter();
    FrameChanged();
    return;
  }
  if (!HasSkinPainter()) {
    CallNextProc(Message);
    return;
  }
  if (DispatchMessage(Message)) return;
  TLink link(this);
  PreProcess(Message);
  CallNextProc(Message);
  if (link.Alive()) PostProcess(Message);
}

void TdxSkinFormController::PreProcess(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      WMPaint(Message);
      break;
    case WM_QUERYOPEN:
    case WM_EXITMENULOOP:
      RebuildSystemMenu();
      break;
    case WM_SHOWWINDOW:
      PostRedraw();
      break;
    case WM_NCCREATE:
      RemoveRegion(true);
      CalculateNonClient();
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      // Only the form's own bars: a scroll-bar control names itself in the second parameter.
      if (Message.LParam == 0)
        FInfo->DraggedBar = LOWORD(Message.WParam) == SB_THUMBTRACK ? (Message.Msg == WM_HSCROLL ? sbDragHorz : sbDragVert)
                                                                     : sbDragNone;
      break;
    default:
      break;
  }
}

void TdxSkinFormController::PostProcess(TMessage& Message) {
  switch (Message.Msg) {
    case WM_DESTROY:
    case WM_MDIDESTROY:
      if (Message.WParam == 0) {
        SetSkinPainter(nullptr);
        Unhook();
      }
      break;
    case WM_SIZE:
      WMSize(Message);
      break;
    case WM_WINDOWPOSCHANGED:
      WMWindowPosChanged(Message);
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (Message.LParam == 0) {
        UnlockRedraw();
        Redraw(true);
        LockRedraw();
      }
      break;
    case WM_PRINT:
      WMPrint(Message);
      break;
    default:
      break;
  }
}

bool TdxSkinFormController::DispatchMessage(TMessage& Message) {
  if (FPendingRepaint) {
    FPendingRepaint = false;
    PaintNonClient(nullptr);
  }
  switch (Message.Msg) {
    case WM_ACTIVATE:
    case WM_MOUSEACTIVATE:
      WMActivate(Message);
      return true;
    case WM_ERASEBKGND:
      WMEraseBkgnd(Message);
      return true;
    case WM_UNDOCUMENTED_3F: {
      TLink link(this);
      CallNextProc(Message);
      if (link.Alive()) TdxSkinWinController::FrameChanged();
      return true;
    }
    case WM_CONTEXTMENU:
      return WMContextMenu(Message);
    case WM_NCCALCSIZE:
      WMNCCalcSize(Message);
      return true;
    case WM_NCHITTEST:
      return WMNCHitTest(Message);
    case WM_NCPAINT:
      WMNCPaint(Message);
      return true;
    case WM_NCACTIVATE:
      WMNCActivate(Message);
      return true;
    case WM_SYNCPAINT:
    case WM_NCUAHDRAWCAPTION:
    case WM_NCUAHDRAWFRAME:
      PaintNonClient(nullptr);
      return true;
    case WM_NCMOUSEMOVE: {
      if (UpdateHotTracking(false)) return true;
      TLink link(this);
      Message.WParam = 0;
      CallNextProc(Message);
      if (link.Alive()) PaintNonClient(nullptr);
      return true;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      WMNCLButtonDown(Message);
      return true;
    case WM_NCLBUTTONUP:
      return WMNCLButtonUp(Message);
    case WM_SYSCOMMAND:
      WMSysCommand(Message);
      return true;
    case WM_INITMENU:
      WMInitMenu(Message);
      return true;
    case WM_POPUPSYSTEMMENU:
      WMPopupSystemMenu(Message);
      return true;
    default:
      return HandleSkinMessage(Message);
  }
}

bool TdxSkinFormController::HandleSkinMessage(TMessage& Message) {
  switch (Message.Msg) {
    case SkinMsgRedraw:
      Redraw(false);
      return true;
    case SkinMsgRefreshMDIFrame:
      CalculateNonClient();
      PaintNonClient(nullptr);
      return true;
    case SkinMsgAttached:
      SyncWindowState();
      return true;
    default:
      return false;
  }
}

// ---- the handlers --------------------------------------------------------------------------------------------

void TdxSkinFormController::WMActivate(TMessage& Message) {
  TLink link(this);
  CallNextProc(Message);
  if (link.Alive()) PaintNonClient(nullptr);
}

bool TdxSkinFormController::WMContextMenu(TMessage& Message) {
  const TPoint screen = PointOf(Message.LParam);
  const TPoint p(screen.X - FInfo->WindowRectScreen.left, screen.Y - FInfo->WindowRectScreen.top);
  const int code = FInfo->HitTest(p);
  if (code != HTCAPTION && code != HTSYSMENU) return false;
  ShowSystemMenu(screen, TRect(), 0);
  Message.Result = 0;
  return true;
}

void TdxSkinFormController::WMEraseBkgnd(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (!dc) {
    CallNextProc(Message);
    return;
  }
  const int saved = SaveDC(dc);
  PaintClientBackground(dc);
  RestoreDC(dc, saved);
  Message.Result = 1;
}

void TdxSkinFormController::WMInitMenu(TMessage& Message) {
  HWND h = Handle();
  HMENU menu = GetSystemMenu(h, FALSE);
  Message.WParam = reinterpret_cast<WPARAM>(menu);
  const LONG style = GetWindowLong(h, GWL_STYLE);
  SetWindowLong(h, GWL_STYLE, style & ~static_cast<LONG>(WS_VISIBLE));
  RebuildSystemMenu();
  NotifySystemMenu(menu);
  TLink link(this);
  CallNextProc(Message);
  if (link.Alive() && IsWindow(h)) SetWindowLong(h, GWL_STYLE, style);
}

void TdxSkinFormController::WMNCActivate(TMessage& Message) {
  const bool active = Message.WParam != 0;
  if (FInfo->Active != active) {
    FInfo->SetActive(active);
  }
  HWND h = Handle();
  const LONG style = GetWindowLong(h, GWL_STYLE);
  if ((style & WS_CHILD) || FInfo->IsMDIChild) {
    SetWindowLong(h, GWL_STYLE, style & ~static_cast<LONG>(WS_VISIBLE));
    TLink link(this);
    CallNextProc(Message);
    if (!link.Alive()) return;
    SetWindowLong(h, GWL_STYLE, style);
  } else {
    Message.Result = 1;
  }
  if (TCustomForm* child = TdxSkinFormHelper::ActiveMDIChildOf(h))
    if (child->HandleAllocated()) SendMessage(child->Handle(), WM_NCACTIVATE, Message.WParam, 0);
  PaintNonClient(nullptr);
}

void TdxSkinFormController::WMNCLButtonDown(TMessage& Message) {
  FPendingRepaint = true;
  TLink link(this);
  TdxSkinFormIconInfoList* buttons = FInfo->Buttons();
  buttons->Pressed = buttons->HitTest(FInfo->CursorPos());
  buttons->UpdateHot();
  const int code = static_cast<int>(Message.WParam);
  const bool locked = code == HTHSCROLL || code == HTVSCROLL;
  if (locked) LockRedraw();
  if (!buttons->Pressed || buttons->Pressed->Kind() == sfiMenu) CallNextProc(Message);
  if (!link.Alive()) return;
  if (locked) UnlockRedraw();
  UpdateHotTracking(true);
  PaintNonClient(nullptr);
  Message.Result = 0;
}

bool TdxSkinFormController::WMNCLButtonUp(TMessage& Message) {
  TdxSkinFormIconInfoList* buttons = FInfo->Buttons();
  buttons->UpdateHot();
  TdxSkinFormIconInfo* released = buttons->Pressed && buttons->Pressed == buttons->Hot ? buttons->Pressed : nullptr;
  buttons->Pressed = nullptr;
  const TdxSkinFormIcon kind = released ? released->Kind() : sfiMenu;
  const bool enabled = released && released->Enabled();
  TLink link(this);
  UpdateHotTracking(true);
  if (!released || !enabled || kind == sfiHelp || !link.Alive()) return false;
  SendMessage(Handle(), WM_SYSCOMMAND, SkinFormIconCommand(kind), 0);
  Message.Result = 0;
  return true;
}

void TdxSkinFormController::WMNCCalcSize(TMessage& Message) {
  auto* rect = reinterpret_cast<RECT*>(Message.LParam);
  const RECT kept = rect ? *rect : RECT{};
  CallNextProc(Message);
  CalculateNonClient();
  if (Message.WParam != 0 && rect && FInfo->UsesSkinMargins()) {
    const TRect m = FInfo->ClientMargins();
    *rect = RECT{kept.left + m.Left, kept.top + m.Top, kept.right - m.Right, kept.bottom - m.Bottom};
    if (rect->right < rect->left) rect->right = rect->left;
    if (rect->bottom < rect->top) rect->bottom = rect->top;
  }
}

bool TdxSkinFormController::WMNCHitTest(TMessage& Message) {
  const TPoint screen = PointOf(Message.LParam);
  const int code =
      FInfo->HitTest(TPoint(screen.X - FInfo->WindowRectScreen.left, screen.Y - FInfo->WindowRectScreen.top));
  if (code == 0 || code == HTSYSMENU) return false;
  Message.Result = code;
  return true;
}

void TdxSkinFormController::WMNCPaint(TMessage& Message) {
  CalculateNonClient();
  PaintNonClient(nullptr);
  if (GetMenu(Handle()) || FInfo->IsMDIClient) {
    // What the skin leaves, the menu bar above all, the window system paints.
    HRGN skin = FInfo->SkinPaintedRegion();
    const RECT& w = FInfo->WindowRectScreen;
    HRGN rest = CreateRectRgn(0, 0, w.right - w.left, w.bottom - w.top);
    CombineRgn(rest, rest, skin, RGN_DIFF);
    DeleteObject(skin);
    OffsetRgn(rest, w.left, w.top);
    if (Message.WParam > 1) CombineRgn(rest, rest, reinterpret_cast<HRGN>(Message.WParam), RGN_AND);
    TMessage m = Message;
    m.WParam = reinterpret_cast<WPARAM>(rest);
    TLink link(this);
    CallNextProc(m);
    DeleteObject(rest);
    if (!link.Alive()) return;
  }
  Message.WParam = 1;
  Message.Result = 0;
}

void TdxSkinFormController::WMPaint(TMessage&) {
  FInfo->CalcScrollBars();
  if (FInfo->ScrollVisible & (sbvHorz | sbvVert)) PaintScrollBars(nullptr);
}

void TdxSkinFormController::WMPrint(TMessage& Message) {
  if (!(Message.LParam & PRF_NONCLIENT)) return;
  if ((Message.LParam & PRF_CHECKVISIBLE) && !IsWindowVisible(Handle())) return;
  PaintNonClient(reinterpret_cast<HDC>(Message.WParam));
}

void TdxSkinFormController::WMSetText(TMessage& Message) {
  TLink link(this);
  CallNextProc(Message);
  if (!link.Alive() || !HasSkinPainter()) return;
  CalculateNonClient();
  FrameChanged();
}

void TdxSkinFormController::WMSize(TMessage& Message) {
  if (FInfo->IsMaximized()) PostRedraw();
  FInfo->WindowState = Message.WParam == SIZE_MAXIMIZED ? 2 : Message.WParam == SIZE_MINIMIZED ? 1 : 0;
}

void TdxSkinFormController::WMSysCommand(TMessage& Message) {
  RequestRedrawOnOldSystems();
  TLink link(this);
  if ((Message.WParam & 0xFFF0) == SC_KEYMENU && Message.LParam == VK_SPACE) {
    LockWindowUpdate(Handle());
    CallNextProc(Message);
    LockWindowUpdate(nullptr);
  } else {
    CallNextProc(Message);
  }
  if (link.Alive()) PaintNonClient(nullptr);
}

void TdxSkinFormController::WMPopupSystemMenu(TMessage& Message) {
  if (!IsWindowEnabled(Handle())) return;
  // The handlers expect a menu: the window's menu, not the point the shell sends.
  NotifySystemMenu(GetSystemMenu(Handle(), FALSE));
  POINT p{};
  GetCursorPos(&p);
  ShowSystemMenu(TPoint(p.x, p.y), TRect(), 0);
  Message.Result = 0;
}

void TdxSkinFormController::WMWindowPosChanged(TMessage& Message) {
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
  if (pos && (pos->flags & SWP_NOSIZE) && (pos->flags & SWP_NOMOVE)) return;
  CalculateNonClient();
  UpdateRegion();
}
