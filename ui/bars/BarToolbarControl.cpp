// The toolbar window: its two shapes, the frame and the hit test behind it, floating resizing,
// staying reachable, writing its place back into its toolbar, and painting.
#include <algorithm>

#include "platform/classes/Forms.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Metrics.h"
#include "platform/win/Rects.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarFadingHelpers.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/ContainerViewInfo.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/ObjectLinks.h"
#include "ui/foundation/OSVersion.h"
#include "ui/foundation/ScopeGuards.h"

using namespace win;

namespace {

bool Contains(const TRect& R, const TPoint& P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

TRect Moved(const TRect& R, int DX, int DY) {
  RECT r = R;
  OffsetRect(&r, DX, DY);
  return r;
}

// A toolbar window whose handle went with its form's window cannot be freed inside that
// destruction: its parent is still walking its children. It is freed at the next turn of the
// message loop, through this window.
constexpr UINT kFreeOrphanMessage = 0x8000 + 201;
HWND OrphanWindow = nullptr;

void FreeOrphans(TMessage& Message) {
  if (Message.Msg != kFreeOrphanMessage) {
    Message.Result = DefWindowProc(OrphanWindow, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  auto* link = reinterpret_cast<TcxObjectLink*>(Message.LParam);
  TObject* window = link->LinkedObject;
  FreeObjectLink(link);
  if (window) TObject::Free(window);
}

void FreeLater(TdxBarControl* AWindow) {
  if (!OrphanWindow) OrphanWindow = AllocateHWnd(FreeOrphans);
  PostMessage(OrphanWindow, kFreeOrphanMessage, 0, reinterpret_cast<LPARAM>(CreateObjectLink(AWindow)));
}

}  // namespace

void dxBarToolbarWindowsShutdown() {
  if (!OrphanWindow) return;
  // Orphans still waiting go with their managers; their links are dropped with the queue.
  MSG msg;
  while (PeekMessage(&msg, OrphanWindow, kFreeOrphanMessage, kFreeOrphanMessage, PM_REMOVE)) {
    TMessage m{msg.message, msg.wParam, msg.lParam, 0};
    FreeOrphans(m);
  }
  DeallocateHWnd(OrphanWindow);
  OrphanWindow = nullptr;
}

// ---- construction ---------------------------------------------------------------------------------

TdxBarControl::TdxBarControl(TComponent* AOwner) : TCustomdxBarControl(AOwner) {
  FMarkFadingHelper = new TdxBarControlMarkFadingHelper(this);
  for (int i = 0; i < 3; ++i) FMDIButtonFadingHelpers[i] = new TdxBarControlMDIButtonFadingHelper(this, i);
}

TdxBarControl* TdxBarControl::CreateForBar(TClass AClass, TdxBarManager* AOwner, TdxBar* ABar) {
  auto* window = static_cast<TdxBarControl*>(TComponent::Create(AClass ? AClass : StaticClass(), AOwner));
  window->SetShownBar(ABar);
  return window;
}

TdxBarControl* TdxBarControl::CreatePopup(TClass AClass, TCustomdxBarControl* AParent, TdxBar* ABar) {
  TdxBarManager* manager = ABar ? ABar->BarManager() : nullptr;
  TdxBarControl* window = CreateForBar(AClass, manager, nullptr);
  window->FPopup = true;
  window->FSourceBar = ABar;
  window->SetParentBar(AParent);
  if (AParent) AParent->SetChildBar(window);
  TdxBars* bars = ABar ? ABar->Bars() : nullptr;
  if (!bars) return window;
  bars->BeginUpdate();
  TdxBar* own = nullptr;
  try {
    own = bars->Add();
    own->SetAllowQuickCustomizing(false);
    own->SetHidden(true);
    if (AParent) own->SetFont(AParent->Font());
    own->SetUseOwnFont(false);
  } catch (...) {
    bars->EndUpdate();
    throw;
  }
  bars->EndUpdate();
  window->SetShownBar(own);
  if (TdxBarItemLinks* links = own->ItemLinks()) links->SetInternal(true);
  return window;
}

void TdxBarControl::BeforeDestruction() {
  TCustomdxBarControl::BeforeDestruction();
  // A site going away takes its windows with it and has no rows left to leave.
  if (TdxDockControl* site = DockControl(); site && DockingStyle() != dsNone && !site->HasState(csDestroying))
    site->RemoveBarControl(this);
  HideFocus();
}

TdxBarControl::~TdxBarControl() {
  // A helper that goes while it fades stops its fade at once, before the window is half gone.
  for (TdxBarControlMDIButtonFadingHelper*& helper : FMDIButtonFadingHelpers) {
    delete helper;
    helper = nullptr;
  }
  delete FMarkFadingHelper;
  FMarkFadingHelper = nullptr;
  KillTimerSafe(HandleAllocated() ? Handle() : nullptr, FMarkWatchTimer);
  FreeObjectLinkAndNil(FFocusedBarBefore);
  if (FPopup && FShownBar) {
    // The private toolbar goes after the window let its controls and links go.
    TdxBar* own = FShownBar;
    TdxBarManager* manager = BarManager();
    if (HandleAllocated())
      DestroyHandle();
    else
      DestroyControls();
    if (FItemLinks && FItemLinks->BarControl() == this) FItemLinks->SetBarControl(nullptr);
    FItemLinks = nullptr;
    FShownBar = nullptr;
    if (!own->HasState(csDestroying) && !(manager && manager->IsDestroying())) TObject::Free(own);
  }
  if (FBufferedRegion) DeleteObject(FBufferedRegion);
}

void TdxBarControl::SetShownBar(TdxBar* Value) {
  FShownBar = Value;
  SetItemLinks(Value ? Value->ItemLinks() : nullptr);
}

// ---- answers ----------------------------------------------------------------------------------------

bool TdxBarControl::CanMove() const {
  if (!FShownBar) return false;
  const TdxBarDockingStyles all{dsNone, dsLeft, dsTop, dsRight, dsBottom};
  TdxBarManager* manager = BarManager();
  auto holdsAll = [&](TdxBarDockingStyles s) {
    for (TdxBarDockingStyle style : {dsNone, dsLeft, dsTop, dsRight, dsBottom})
      if (!s.Contains(style)) return false;
    return true;
  };
  (void)all;
  return !holdsAll(FShownBar->NotDocking()) && !(manager && holdsAll(manager->NotDocking()));
}

bool TdxBarControl::IsShowing() const { return HandleAllocated() && IsWindowVisible(FHandle); }

void TdxBarControl::ClickCaptionButton(int AIndex) {
  if (!NotInPopupWindow()) ResetParentMark();
  TdxBar* bar = FPopup ? FSourceBar : FShownBar;
  if (!bar || !bar->CaptionButtons() || AIndex < 0 || AIndex >= bar->CaptionButtons()->Count()) return;
  TdxBarCaptionButton* button = bar->CaptionButtons()->Items(AIndex);
  if (button->OnClick) button->OnClick(button);
}

bool TdxBarControl::HasCaptionButtons() const {
  return FShownBar && FShownBar->CaptionButtons() && FShownBar->CaptionButtons()->Count() > 0;
}

String TdxBarControl::MoreButtonsHint() const { return cxGetResourceString(dxBarStrs::dxSBAR_MOREBUTTONS); }

bool TdxBarControl::WrapsItems() const { return DockingStyle() == dsNone || (FShownBar && FShownBar->MultiLine()); }

TCustomForm* TdxBarControl::AnyParentForm() const {
  if (DockingStyle() != dsNone && DockControl()) return FormOfControl(DockControl(), bfkFirst);
  return FormOfManager(BarManager(), bfkFirst);
}

bool TdxBarControl::AllowsQuickCustomizing() const { return FShownBar && FShownBar->AllowQuickCustomizing(); }

TRect TdxBarControl::GripHitBounds() const {
  if (DockingStyle() == dsNone || (FShownBar && FShownBar->BorderStyle() == bbsNone)) return {};
  return IsVertical() ? TRect{-100, -100, 100, 0} : TRect{-100, -100, 0, 100};
}

bool TdxBarControl::ShowsCloseButton() const {
  return DockingStyle() == dsNone && FShownBar && FShownBar->AllowClose() && !FShownBar->IsMainMenu() &&
         HasFloatingCaption();
}

TRect TdxBarControl::OwnerMarkScreenRect() const {
  auto* parent = dynamic_cast<TdxBarControl*>(ParentBar());
  return parent ? parent->MarkScreenRect() : TRect{};
}

void TdxBarControl::CaptionChanged() {
  if (!HandleAllocated()) return;
  SetWindowText(Handle(), Caption().c_str());
  SendMessage(Handle(), WM_NCPAINT, 0, 0);
}

void TdxBarControl::DrawSeparator(const TRect& R, bool AAcross) {
  if (TdxBarPainter* painter = BarPainter())
    painter->DrawToolbarSeparator(this, DrawCanvas()->DeviceContext(), R, AAcross, BackgroundBrush());
}

void TdxBarControl::FillClientBackground() {
  if (TdxBarPainter* painter = BarPainter()) painter->FillControlClient(this, DrawCanvas()->DeviceContext(), ClientRect());
}

String TdxBarControl::Caption() const { return FShownBar ? FShownBar->Caption() : String(); }

TFont* TdxBarControl::BarFont() const { return FShownBar ? FShownBar->Font() : Font(); }

bool TdxBarControl::NotInPopupWindow() const { return !FPopup; }

void TdxBarControl::ResetParentMark() {
  if (TCustomdxBarControl* parent = ParentBar()) parent->SetMarkState(0);
}

bool TdxBarControl::HonoursItemAlign(TdxBarItemControl* AControl) const {
  if (!FShownBar || !FShownBar->UseRestSpace() || !AControl || !FItemLinks) return false;
  const int count = FItemLinks->VisibleCount();
  return count > 0 && FItemLinks->VisibleLinks(count - 1) == AControl->ItemLink();
}

bool TdxBarControl::CanResizeByUser() const {
  TdxBarManager* manager = BarManager();
  return DockingStyle() != dsNone || !manager || manager->Style() != bmsFlat;
}

bool TdxBarControl::AllowsDesignHitTest() const {
  return TCustomdxBarControl::AllowsDesignHitTest() || (FShownBar && FShownBar->AllowCustomizing());
}

bool TdxBarControl::IsUpdateLocked() const {
  const bool locked = TCustomdxBarControl::IsUpdateLocked();
  if (locked && FShownBar) FShownBar->SetChanged(true);
  return locked;
}

TBitmap* TdxBarControl::BackgroundBitmap() const { return FShownBar ? FShownBar->BackgroundBitmap() : nullptr; }

int TdxBarControl::SeparatorSize() const {
  TdxBarPainter* painter = BarPainter();
  return painter ? painter->ToolbarSeparatorSize() : 0;
}

TFont* TdxBarControl::ItemsFont() const {
  if (FShownBar && FShownBar->UseOwnFont()) return FShownBar->EditFont();
  return TCustomdxBarControl::ItemsFont();
}

TRect TdxBarControl::ItemInnerRect(TdxBarItemControl* AControl) const {
  TRect r = ControlRect(AControl);
  TdxBarItemLink* link = AControl ? AControl->ItemLink() : nullptr;
  if (!link) return r;
  const int line = link->LineThickness();
  if (IsVertical()) {
    const int w = r.Right - r.Left;
    r.Left -= (line - w) / 2;
    r.Right = r.Left + line;
  } else {
    const int h = r.Bottom - r.Top;
    r.Top -= (line - h) / 2;
    r.Bottom = r.Top + line;
  }
  return r;
}

bool TdxBarControl::IsMainMenu() const { return FShownBar && FShownBar->IsMainMenu(); }

bool TdxBarControl::IsStatusBar() const { return FShownBar && FShownBar->IsStatusBarLike(); }

TPersistent* TdxBarControl::DesignSelectable() const { return FShownBar; }

HBRUSH TdxBarControl::BackgroundBrush() const {
  TdxBarPainter* painter = BarPainter();
  return painter ? painter->BarBrush(const_cast<TdxBarControl*>(this)) : TCustomdxBarControl::BackgroundBrush();
}

TRect TdxBarControl::MouseTrackingArea() const {
  TRect area = TCustomdxBarControl::MouseTrackingArea();
  TdxDockControl* site = DockControl();
  if (DockingStyle() == dsNone || !site || !site->HandleAllocated()) return area;
  // The area lies in the parent's coordinates: the site's client area there starts at 0, 0.
  RECT client{};
  GetClientRect(site->Handle(), &client);
  return {std::max(area.Left, 0), std::max(area.Top, 0), std::min<int>(area.Right, client.right),
          std::min<int>(area.Bottom, client.bottom)};
}

bool TdxBarControl::HasMark() const {
  if (!FShownBar || !FShownBar->ShowMark()) return false;
  if (FShortened) return true;
  TdxBarPainter* painter = BarPainter();
  return painter && painter->AllowsQuickCustomizing() && FShownBar->AllowQuickCustomizing();
}

TRect TdxBarControl::MarkRect() const {
  TdxBarPainter* painter = BarPainter();
  if (!painter || !HasMark()) return {};
  auto* self = const_cast<TdxBarControl*>(this);
  return painter->MarkRedrawBounds(self, TRect(self->ClientRect()), CaptionBand(false));
}

bool TdxBarControl::ShouldIgnoreMouse(bool ACheckUnmoved) const {
  if (TCustomdxBarControl::ShouldIgnoreMouse(ACheckUnmoved)) return true;
  if (DockingStyle() == dsNone) return false;
  TdxBarManager* manager = BarManager();
  TCustomForm* form = AnyParentForm();
  if (!form || IsFormActive(form)) return false;
  const HWND active = GetActiveWindow();
  auto* owner = manager ? dynamic_cast<TWinControl*>(manager->Owner()) : nullptr;
  if (owner && owner->HandleAllocated() && (active == owner->Handle() || IsChild(owner->Handle(), active))) return false;
  return true;
}

void TdxBarControl::AssignFont() { Font()->Assign(BarFont()); }

void TdxBarControl::SetDockingStyle(TdxBarDockingStyle Value) {
  if (Value != DockingStyle()) FShortened = false;
  TCustomdxBarControl::SetDockingStyle(Value);
}

void TdxBarControl::InvalidateItemControl(TdxBarItemControl* AControl) {
  if (!HandleAllocated()) return;
  RECT r = ControlRect(AControl);
  InvalidateRect(Handle(), &r, FALSE);
}

bool TdxBarControl::PaintsNonClientBuffered() const {
  if (IsDestroying() || !HandleAllocated()) return false;
  const TRect w = NonClientRect();
  RECT c{};
  GetClientRect(FHandle, &c);
  return c.right != w.Right || c.bottom != w.Bottom;
}

void TdxBarControl::FillBarBackground(HDC DC, const TRect& R, bool AWithOrigin, TColor AColor, HBRUSH ABrush) {
  TdxBarPainter* painter = BarPainter();
  // The painter's own fills come back here for the plain part: that one is the brush or colour.
  if (!painter || FFillingBackground) {
    FillPlainBackground(DC, R, AColor, ABrush);
    return;
  }
  TcxFlagScope filling(FFillingBackground, true);
  TRect origin = R;
  if (AWithOrigin) {
    const TPoint o = BackgroundOrigin();
    origin = {-o.X, -o.Y, -o.X + Width(), -o.Y + Height()};
  }
  painter->FillBarBackground(this, DC, R, origin, ABrush, AColor);
}

bool TdxBarControl::HasBackgroundBitmap() const {
  if (TCustomdxBarControl::HasBackgroundBitmap()) return true;
  if (FShownBar && !FShownBar->BackgroundBitmap()->Empty()) return true;
  TdxBarManager* manager = BarManager();
  TBitmap* picture = manager ? manager->Backgrounds()->Bar() : nullptr;
  return picture && !picture->Empty();
}

bool TdxBarControl::HasOwnBackground() const {
  if (FShownBar && (FShownBar->Color() != clDefault || !FShownBar->BackgroundBitmap()->Empty())) return true;
  TdxBarManager* manager = BarManager();
  TBitmap* picture = manager ? manager->Backgrounds()->Bar() : nullptr;
  if ((picture && !picture->Empty()) || TCustomdxBarControl::HasOwnBackground()) return true;
  TdxBarPainter* painter = BarPainter();
  return painter && painter->PaintsOwnFrames();
}

TColor TdxBarControl::BarColor() const { return FShownBar ? FShownBar->Color() : clDefault; }

int TdxBarControl::BorderStyleIndex() const { return FShownBar ? static_cast<int>(FShownBar->BorderStyle()) : 1; }

bool TdxBarControl::RotatesText() const { return IsVertical() && FShownBar && FShownBar->RotateWhenVertical(); }

void TdxBarControl::Repaint() {
  TdxBarManager* manager = BarManager();
  if (manager && manager->IsLocked()) {
    if (FShownBar) FShownBar->SetChanged(true);
    return;
  }
  TCustomdxBarControl::Repaint();
}

void TdxBarControl::Dismiss() {
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (TdxBarItemControl* selected = SelectedControl()) selected->BarShown(false);
}

TColor TdxBarControl::CaptionColor() const {
  TdxBarPainter* painter = BarPainter();
  TCustomForm* form = FormOfManager(BarManager(), bfkTopLevel);
  return painter ? painter->FloatCaptionColor(form && form->Active()) : clActiveCaption;
}

TColor TdxBarControl::CaptionTextColor() const {
  TdxBarPainter* painter = BarPainter();
  TCustomForm* form = FormOfManager(BarManager(), bfkTopLevel);
  return painter ? painter->FloatCaptionTextColor(form && form->Active()) : clCaptionText;
}

// ---- layout hooks -----------------------------------------------------------------------------------

void TdxBarControl::CalcLayout() {
  TCustomdxBarControl::CalcLayout();
  CalcItemRects(ItemDrawMode(), 0);
}

void TdxBarControl::CalcMetrics() {
  TCustomdxBarControl::CalcMetrics();
  FMDIButtonCX = GetSystemMetrics(SM_CXMENUSIZE) - 2;
  FMDIButtonCY = GetSystemMetrics(SM_CYMENUSIZE) - 4;
  if (TdxBarPainter* painter = BarPainter()) FMarkSize = painter->MarkSize();
}

void TdxBarControl::LinksChanged() {
  TdxBarManager* manager = BarManager();
  if (!manager || manager->ResolvedStyle() == bmsStandard || DockingStyle() == dsNone || !HandleAllocated()) return;
  PostMessage(Handle(), dxBarRebuildMessage, 0, 0);
}

void TdxBarControl::Rebuild(bool ARecreate) {
  TCustomdxBarControl::Rebuild(ARecreate);
  if (DockingStyle() != dsNone) {
    if (TdxDockControl* site = DockControl()) site->RequestLayout();
  } else if (HandleAllocated()) {
    const TSize size = CalcSizeForWidth(dsNone, ClientWidth());
    SetClientSize(size.cx, size.cy);
    CalcViewInfo();
  }
  if (!HandleAllocated() || !IsWindowVisible(FHandle)) return;
  Invalidate();
  if (OtherManagerCustomizing())
    SendMessage(Handle(), WM_NCPAINT, 1, 0);
  else if (HasOwnBackground())
    SendMessage(Handle(), WM_NCPAINT, 0, 0);
}

// ---- shapes -----------------------------------------------------------------------------------------

bool TdxBarControl::OtherManagerCustomizing() const {
  TdxBarManager* manager = BarManager();
  return manager && manager->OtherManagerCustomizing();
}

void TdxBarControl::CreateParams(TCreateParams& Params) {
  TCustomdxBarControl::CreateParams(Params);
  // A window put into a control without a toolbar to show is that control's child as any other.
  if (!FShownBar && Parent() && DockingStyle() == dsNone) return;
  Params.Style = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  Params.ExStyle = 0;
  Params.WindowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  TdxDockControl* site = DockControl();
  if (DockingStyle() != dsNone && site) {
    Params.Style |= WS_CHILD;
    Params.WndParent = site->HandleAllocated() || site->Parent() ? site->Handle() : nullptr;
  } else {
    Params.Style |= WS_POPUP;
    TdxBarManager* manager = BarManager();
    auto* owner = manager ? dynamic_cast<TWinControl*>(manager->Owner()) : nullptr;
    Params.WndParent = owner && owner->HandleAllocated() ? owner->Handle() : ParentWindow();
  }
}

void TdxBarControl::CreateWindowHandle(const TCreateParams& Params) {
  HWND kept = DockingStyle() != dsNone ? FDockedWindow : FFloatingWindow;
  if (FBeingDragged && FInternalUpdateDepth > 0 && kept && IsWindow(kept)) {
    AdoptWindowHandle(kept);
    return;
  }
  TCustomdxBarControl::CreateWindowHandle(Params);
}

void TdxBarControl::CreateWnd() {
  TCustomdxBarControl::CreateWnd();
  SetWindowText(Handle(), Caption().c_str());
  SendMessage(Handle(), WM_NCACTIVATE, 1, 0);
}

void TdxBarControl::ApplyDockingStyle(TdxBarDockingStyle AStyle, TdxDockControl* ADockControl) {
  if (!FShownBar || !FShownBar->Bars() || IsDestroying()) return;
  if (FBeingDragged) {
    SetDockControl(ADockControl);
    SetDockingStyle(AStyle);
    ForgetHandle();
    {
      TInternalUpdate update(this);
      HandleNeeded();
    }
    if (AStyle != dsNone && ADockControl) {
      if (ADockControl->HandleAllocated()) win::SetParent(Handle(), ADockControl->Handle());
    } else if (FDockedWindow && IsWindow(FDockedWindow)) {
      win::SetParent(FDockedWindow, nullptr);
    }
    RebuildRecreating();
    return;
  }
  {
    TInternalUpdate update(this);
    if (HandleAllocated()) DestroyHandle();
  }
  SetDockControl(ADockControl);
  SetDockingStyle(AStyle);
  // The class library keeps a docked window among its site's children; a floating one has none.
  SetParent(AStyle != dsNone ? ADockControl : nullptr);
  if (AStyle == dsNone) {
    TdxBarManager* manager = BarManager();
    auto* owner = manager ? dynamic_cast<TWinControl*>(manager->Owner()) : nullptr;
    if (owner && owner->HandleAllocated()) SetParentWindow(owner->Handle());
  }
  {
    TInternalUpdate update(this);
    HandleNeeded();
  }
  FrameChanged();
}

void TdxBarControl::ApplyPlannedBounds() {
  if (!HandleAllocated()) return;
  if (Left() == FPlannedLeft && Top() == FPlannedTop && Width() == FPlannedWidth && Height() == FPlannedHeight) return;
  SetWindowPos(Handle(), nullptr, FPlannedLeft, FPlannedTop, FPlannedWidth, FPlannedHeight,
               SWP_NOACTIVATE | SWP_NOZORDER);
}

void TdxBarControl::FrameChanged() {
  if (!HandleAllocated()) return;
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TdxBarControl::RefreshFrame() {
  UpdateDoubleBuffered();
  FrameChanged();
  RebuildRecreating();
}

void TdxBarControl::RecalculateForStyle() {
  UpdateCanvasFont();
  UpdateDoubleClicks();
  CalcMetrics();
  if (DockingStyle() != dsNone) {
    RefreshFrame();
  } else if (TdxBar* bar = FShownBar) {
    bar->SetVisible(false);
    bar->SetVisible(true);
  }
}

void TdxBarControl::FontChanged() {
  Font()->Assign(BarFont());
  if (HandleAllocated()) SendMessage(Handle(), CM_FONTCHANGED, 0, 0);
}

void TdxBarControl::UpdateAfterHandle() {
  const bool floating = DockingStyle() == dsNone;
  int alpha = 255;
  if (FShownBar && (FBeingDragged || (floating && !IsInternal()))) alpha = FShownBar->AlphaBlendValue();
  HWND target = FBeingDragged ? FFloatingWindow : (HandleAllocated() ? FHandle : nullptr);
  if (target && IsWindow(target)) SetWindowAlpha(target, static_cast<BYTE>(std::clamp(alpha, 0, 255)));
}

// ---- geometry ---------------------------------------------------------------------------------------

TRect TdxBarControl::NonClientInsets(TdxBarDockingStyle AStyle) const {
  TRect insets{};
  TdxBarPainter* painter = BarPainter();
  if (painter) painter->CalcBarNonClient(const_cast<TdxBarControl*>(this), AStyle, insets, HasSizeGripNow());
  return insets;
}

bool TdxBarControl::HasSizeGripNow() const { return FShownBar && FShownBar->ShowsSizeGrip(); }

TRect TdxBarControl::CaptionBand(bool AInWindow) const {
  TdxBarPainter* painter = BarPainter();
  if (!painter || DockingStyle() != dsNone || !HasFloatingCaption()) return {};
  TRect band = painter->FloatCaptionBounds(const_cast<TdxBarControl*>(this), NonClientRect());
  if (AInWindow) return band;
  const TPoint offset = ClientOffset();
  return Moved(band, -offset.X, -offset.Y);
}

TRect TdxBarControl::CloseButtonBounds() const {
  TdxBarPainter* painter = BarPainter();
  if (!painter || !ShowsCloseButton()) return {};
  const TRect caption = CaptionBand(true);
  const TSize close = painter->CloseButtonSize();
  return {caption.Right - close.cx, caption.Top, caption.Right, caption.Bottom};
}

TRect TdxBarControl::MarkRectInWindow() const {
  const TPoint offset = ClientOffset();
  return Moved(MarkRect(), offset.X, offset.Y);
}

TRect TdxBarControl::MarkScreenRect() const {
  if (!HandleAllocated()) return {};
  POINT origin{0, 0};
  win::ClientToScreen(FHandle, &origin);
  return Moved(MarkRect(), origin.x, origin.y);
}

TRect TdxBarControl::SizeGripBounds() const {
  TdxBarPainter* painter = BarPainter();
  if (!painter || !FSizeGripShown) return {};
  const TRect w = NonClientRect();
  const TSize grip = painter->SizeGripSize();
  const TPoint offset = ClientOffset();
  return Moved(TRect{w.Right - grip.cx, w.Bottom - grip.cy, w.Right, w.Bottom}, -offset.X, -offset.Y);
}

// ---- popups -----------------------------------------------------------------------------------------

void TdxBarControl::PlacePopup(const TRect& AOwnerRect, int AKind) {
  SetClosedByEscape(false);
  const TSize size = PopupSize();
  TCustomdxBarControl* parent = ParentBar();
  const bool beside = parent && parent->IsVertical();
  int x = 0, y = 0;
  if (beside) {
    x = AOwnerRect.Right;
    y = AOwnerRect.Top;
  } else {
    x = AKind == 0 ? AOwnerRect.Right - size.cx : AOwnerRect.Left;
    y = AOwnerRect.Bottom;
  }
  const RECT work = WorkAreaAt(POINT{x, y});
  if (beside) {
    if (x + size.cx > work.right) x = AOwnerRect.Left - size.cx;
    if (y < work.top) y = work.top;
    if (y + size.cy > work.bottom) y = work.bottom - size.cy;
  } else {
    if (x < work.left) x = work.left;
    if (x + size.cx > work.right) x = work.right - size.cx;
    if (y + size.cy > work.bottom) y = AOwnerRect.Top - size.cy;
  }
  if (!HandleAllocated()) HandleNeeded();
  SetWindowPos(Handle(), nullptr, x, y, size.cx, size.cy, SWP_NOACTIVATE | SWP_NOZORDER);
  PlaceWithoutActivation(x, y);
}

void TdxBarControl::PlaceWithoutActivation(int X, int Y) {
  if (IsWindowsVista) {
    SetWindowPos(Handle(), HWND_TOPMOST, X, Y, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  } else {
    SetWindowPos(Handle(), HWND_TOPMOST, X, Y, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_SHOWWINDOW);
  }
}

// ---- position write-back ----------------------------------------------------------------------------

void TdxBarControl::HandleWindowPosChanged(const WINDOWPOS& APos) {
  TCustomdxBarControl::HandleWindowPosChanged(APos);
  if (!FShownBar || FInternalUpdateDepth > 0 || IsDestroying()) return;
  TcxObjectLinkScope alive(this);
  FShownBar->SetDockingStyleAndControl(DockingStyle(), DockControl());
  if (!alive.Alive()) return;
  StorePositionInBar();
  const bool moved = !(APos.flags & SWP_NOMOVE);
  const bool sized = !(APos.flags & SWP_NOSIZE);
  if ((moved || sized) && FOpenQuickControl) {
    FOpenQuickControl->SetOwnerScreenBounds(MarkScreenRect());
    FOpenQuickControl->UpdateShadow();
    FOpenQuickControl->RedrawFrame();
  }
  if (moved && !sized && HasSizeGripNow() != FSizeGripShown) RefreshFrame();
  if (FPopup && (APos.flags & SWP_HIDEWINDOW) && !IsDestroying()) ResetParentMark();
}

void TdxBarControl::StorePositionInBar() {
  TdxBarManager* manager = FShownBar ? FShownBar->BarManager() : nullptr;
  if (!FShownBar || !FShownBar->Visible() || FBeingDragged || (manager && manager->IsDestroying())) return;
  TcxFlagScope storing(FStoringPosition, true);
  if (manager) manager->LockDesignerModified();
  try {
    if (DockingStyle() != dsNone) {
      TdxDockControl* site = DockControl();
      if (!(site && site->BarWindowDestroying()) && !(manager && (manager->InternalState() & bmsRecreatingBarWindows))) {
        FShownBar->SetDockedDockingStyle(DockingStyle());
        FShownBar->SetDockedDockControl(site && !site->IsBuiltIn() ? dynamic_cast<TdxBarDockControl*>(site) : nullptr);
        if (TdxDockRow* row = FShownBar->CurrentDockRow(); row && row->DockSite() == site) {
          FShownBar->SetOneOnRow(row->RowBars().size() == 1);
          FShownBar->SetDockedLeft(Left());
          FShownBar->SetDockedTop(Top());
        }
      }
    } else {
      FShownBar->SetFloatLeft(Left());
      FShownBar->SetFloatTop(Top());
      FShownBar->SetFloatClientWidth(ClientWidth());
      FShownBar->SetFloatClientHeight(ClientHeight());
    }
  } catch (...) {
    if (manager) manager->UnlockDesignerModified();
    throw;
  }
  if (manager) manager->UnlockDesignerModified();
}

// ---- mouse --------------------------------------------------------------------------------------------

void TdxBarControl::HandleItemMouseDown(TMouseButton Button, TShiftState Shift, bool AInsideClient,
                                        TdxBarItemControl* AControl, const TPoint& P) {
  TdxBarManager* manager = BarManager();
  if (Button == mbRight) {
    ReleaseCapture();
  } else if (Button == mbLeft && DockingStyle() == dsNone && !IsInternal() && manager &&
             !manager->HideFloatingBarsWhenInactive()) {
    if (auto* owner = dynamic_cast<TWinControl*>(manager->Owner()); owner && owner->HandleAllocated())
      ActivateTopLevelWindow(owner->Handle());
  }
  TcxObjectLinkScope alive(this);
  TCustomdxBarControl::HandleItemMouseDown(Button, Shift, AInsideClient, AControl, P);
  if (!alive.Alive() || Button != mbLeft) return;
  if (StartMDIButtonTracking(P)) return;
  if (FLastHitCode == dxBarHitCaption) {
    POINT s{};
    GetCursorPos(&s);
    const TRect w = WindowRect();
    FGrabRatioX = {s.x - w.Left, w.Right - w.Left};
    FGrabRatioY = {s.y - w.Top, w.Bottom - w.Top};
    StartDrag();
    return;
  }
  if (OnClickableMark(P)) {
    SetMarkState(MarkState() == 2 ? 1 : 2);
    if (!alive.Alive()) return;
  }
  if (!InCustomizingMode() && !AInsideClient && HandleAllocated()) {
    POINT s{};
    GetCursorPos(&s);
    SendMessage(Handle(), WM_NCLBUTTONDOWN, static_cast<WPARAM>(FLastHitCode), MAKELPARAM(s.x, s.y));
  }
}

void TdxBarControl::PressControl(TdxBarItemControl* AControl) {
  if (!AControl || !AControl->IsEnabled() || !AControl->AcceptsMouse()) {
    SetActiveState(false);
    TCustomdxBarControl::PressControl(AControl);
    return;
  }
  TcxObjectLinkScope alive(this);
  bool handled = false;
  if (Active() && (!(BehaviourFlags() & dxBarBehaviourPressAgainFocusedOnly) || IsFocusedBar()))
    AControl->PressAgain(AControl == SelectedControl(), handled);
  else
    ActivateWithControl(AControl);
  if (!alive.Alive() || handled) return;
  if (Active() && !AControl->HasInnerWindow()) SetIsDowned(true);
  if (SelectedControl() && AControl->CapturesMouse()) {
    FClickedControl = AControl;
    if (HandleAllocated()) SetCapture(Handle());
    AControl->Invalidate();
  }
  TCustomdxBarControl::PressControl(AControl);
}

// ---- painting -----------------------------------------------------------------------------------------

void TdxBarControl::Paint() {
  if (RotatesText()) UpdateCanvasFont();
  PaintClient();
  if (OtherManagerCustomizing()) {
    RECT r = ClientRect();
    HatchArea(DrawCanvas()->DeviceContext(), r);
  }
}

void TdxBarControl::PaintClient() {
  if (IsDestroying()) return;
  TdxBarPainter* painter = BarPainter();
  if (!painter) return;
  TdxBarManager* manager = BarManager();
  if (FItemLinks && !(manager && manager->IsDesigning()))
    for (int i = 0; i < FItemLinks->Count(); ++i) {
      TdxBarItemLink* link = FItemLinks->Items(i);
      TdxBarItem* item = link->Item();
      if (item && link->Control() && item->IsVisibleNow() && FItemLinks->IndexInVisible(link) < 0)
        item->HideControlWindow(link->Control());
    }
  HDC dc = DrawCanvas()->DeviceContext();
  const int saved = SaveDC(dc);
  try {
    const bool ownFrames = painter->PaintsOwnFrames();
    if (ownFrames) FillClientBackground();
    PaintItems();
    TCustomdxBarControlViewInfo* info = ViewInfo();
    for (int i = 0; i < info->SeparatorCount(); ++i) {
      const TRect& r = info->SeparatorBounds(i);
      DrawSeparator(r, info->SeparatorHorizontal(i));
      ExcludeClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
    }
    DrawMDIButtons(true);
    if (DockingStyle() != dsNone && HasMark()) {
      const TRect mark = painter->MarkBounds(this, TRect(ClientRect()), {});
      painter->DrawMark(this, dc, mark);
      ExcludeClipRect(dc, mark.Left, mark.Top, mark.Right, mark.Bottom);
    }
    if (!ownFrames) FillClientBackground();
  } catch (...) {
    RestoreDC(dc, saved);
    throw;
  }
  RestoreDC(dc, saved);
  if (manager && manager->IsDesigning() && FShownBar && manager->GetSelectionStatus(FShownBar) == 1) {
    RECT r = ClientRect();
    TdxBarDesignController* controller = BarDesignController();
    if (controller && controller->ShowsDefaultSelections)
      FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWTEXT));
    else
      DrawFocusRect(dc, &r);
  }
}

void TdxBarControl::PaintNonClient(HDC DC) {
  TdxBarPainter* painter = BarPainter();
  if (!painter || !HandleAllocated()) return;
  if (painter->PaintsOwnFrames()) {
    painter->PaintNonClientArea(this, DC);
    return;
  }
  const bool floating = DockingStyle() == dsNone;
  const TRect window = NonClientRect();
  const TRect client = ClientRectInWindow();
  const HBRUSH brush = BackgroundBrush();
  if (floating || BorderStyleIndex() != 0) {
    TRect inner{};
    if (floating) {
      TRect border = window;
      painter->DrawFloatBorder(this, DC, border, brush);
      inner = client;
      if (HasFloatingCaption()) {
        inner.Left -= painter->FloatFrameSideInset();
        inner.Right += painter->FloatFrameSideInset();
        inner.Top -= painter->FloatFrameTopInset();
        inner.Bottom += painter->FloatFrameBottomInset();
        inner.Top = std::min(inner.Top, CaptionBand(true).Top);
      }
    } else {
      const TRect insets = painter->DockedBorderInsets(this);
      inner = {window.Left + insets.Left, window.Top + insets.Top, window.Right - insets.Right,
               window.Bottom - insets.Bottom};
    }
    HRGN outer = CreateRectRgn(inner.Left, inner.Top, inner.Right, inner.Bottom);
    HRGN hole = CreateRectRgn(client.Left, client.Top, client.Right, client.Bottom);
    CombineRgn(outer, outer, hole, RGN_XOR);
    DeleteObject(hole);
    try {
      FillNonClientBackground(DC, outer, false, brush);
    } catch (...) {
      DeleteObject(outer);
      throw;
    }
    DeleteObject(outer);
    if (!floating) {
      TRect frame = window;
      painter->DrawDockedBarFrame(this, DC, frame, brush);
    } else if (HasFloatingCaption()) {
      TCustomForm* form = FormOfManager(BarManager(), bfkTopLevel);
      painter->DrawFloatCaption(this, DC, CaptionBand(true), Caption(), brush, !form || form->Active());
      if (ShowsCloseButton()) painter->DrawFloatCloseGlyph(this, DC, CloseButtonBounds(), FCloseGlyphState, true);
      if (HasMark()) painter->DrawMarkArrow(this, DC, MarkRectInWindow(), true);
    }
  } else if (IsStatusBar()) {
    painter->FillStatusBarTopBand(this, DC, window, brush);
    if (FSizeGripShown) {
      const TSize grip = painter->SizeGripSize();
      painter->DrawStatusBarGrip(this, DC, {window.Right - grip.cx, window.Bottom - grip.cy, window.Right, window.Bottom},
                                 brush);
    }
  }
}

HDC TdxBarControl::AcquireWindowDC() {
  if (!OtherManagerCustomizing() || !HandleAllocated() || FBufferedDC) return TCustomdxBarControl::AcquireWindowDC();
  const TRect window = NonClientRect();
  const TRect client = ClientRectInWindow();
  FBufferedRegion = CreateRectRgn(0, 0, window.Right, window.Bottom);
  HRGN hole = CreateRectRgn(client.Left, client.Top, client.Right, client.Bottom);
  CombineRgn(FBufferedRegion, FBufferedRegion, hole, RGN_DIFF);
  DeleteObject(hole);
  HDC screen = GetDC(nullptr);
  FBufferedBitmap = CreateCompatibleBitmap(screen, std::max(1, window.Right), std::max(1, window.Bottom));
  FBufferedDC = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  FBufferedOldBitmap = SelectObject(FBufferedDC, FBufferedBitmap);
  SelectClipRgn(FBufferedDC, FBufferedRegion);
  return FBufferedDC;
}

void TdxBarControl::ReleaseWindowDC(HDC DC) {
  if (!DC || DC != FBufferedDC) {
    TCustomdxBarControl::ReleaseWindowDC(DC);
    return;
  }
  SelectObject(FBufferedDC, FBufferedOldBitmap);
  DeleteDC(FBufferedDC);
  DeleteObject(FBufferedBitmap);
  DeleteObject(FBufferedRegion);
  FBufferedDC = nullptr;
  FBufferedBitmap = nullptr;
  FBufferedRegion = nullptr;
  FBufferedOldBitmap = nullptr;
}

void TdxBarControl::DrawNonClient(HDC DC) {
  PaintNonClient(DC);
  if (DC != FBufferedDC || !FBufferedDC) return;
  const TRect window = NonClientRect();
  HatchArea(DC, window);
  HDC target = GetWindowDC(Handle());
  const int saved = SaveDC(target);
  SelectClipRgn(target, FBufferedRegion);
  BitBlt(target, 0, 0, window.Right, window.Bottom, DC, 0, 0, SRCCOPY);
  RestoreDC(target, saved);
  ReleaseDC(Handle(), target);
}

// ---- the window procedure ----------------------------------------------------------------------------

void TdxBarControl::Resize() {
  TCustomdxBarControl::Resize();
  if (HasCaptionButtons()) CaptionButtonsChanged(0);
}

void TdxBarControl::NCCalcSize(TMessage& Message) {
  if (!FMovingChanging) FSizeGripShown = HasSizeGripNow();
  const TRect insets = NonClientInsets(DockingStyle());
  RECT* r = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                           : reinterpret_cast<RECT*>(Message.LParam);
  r->left += insets.Left;
  r->top += insets.Top;
  r->right = std::max(r->left, r->right - insets.Right);
  r->bottom = std::max(r->top, r->bottom - insets.Bottom);
  Message.Result = 0;
}

void TdxBarControl::NCHitTest(TMessage& Message) {
  TCustomdxBarControl::WndProc(Message);
  if (BehaviourFlags() & dxBarBehaviourPlainHitTest) return;
  FLastHitCode = dxBarHitNone;
  LRESULT answer = Message.Result;
  POINT s{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  POINT c = s;
  win::ScreenToClient(Handle(), &c);
  const TPoint p{c.x, c.y};
  const bool customizing = InCustomizingMode();
  auto onItem = [&]() {
    TdxBarItemControl* control = ItemControlAtPoint(p);
    return control && (customizing || control->AcceptsMouse());
  };
  auto onMDIButton = [&]() {
    if (!ShowsMDIOrCloseButtons()) return false;
    for (int i = 0; i < 3; ++i)
      if (Contains(MDIButtonRect(i), p)) return true;
    return false;
  };
  if (DockingStyle() != dsNone) {
    if (answer == HTCLIENT || answer == HTNOWHERE) {
      if (answer == HTCLIENT && onItem()) {
        FLastHitCode = dxBarHitClient;
      } else {
        const bool outsideGrip = IsVertical() ? p.Y >= 0 : p.X >= 0;
        if (outsideGrip && (onMDIButton() || (HasMark() && Contains(MarkRect(), p)))) {
          FLastHitCode = dxBarHitNone;
          return;
        }
        if (FSizeGripShown && Contains(SizeGripBounds(), p)) {
          FLastHitCode = dxBarHitSizeGrip;
          Message.Result = HTBOTTOMRIGHT;
          return;
        }
        FLastHitCode = dxBarHitCaption;
      }
    } else {
      FLastHitCode = static_cast<int>(answer);
    }
    Message.Result = HTCLIENT;
    return;
  }
  if (answer == HTNOWHERE) {
    TdxBarPainter* painter = BarPainter();
    const TRect w = NonClientRect();
    const TPoint q{s.x - WindowRect().Left, s.y - WindowRect().Top};
    const int fx = painter ? painter->FrameWidthX() : 0, fy = painter ? painter->FrameWidthY() : 0;
    int border = 0;
    if (q.Y < fy)
      border = dxBarHitTop;
    else if (q.X >= w.Right - fx)
      border = dxBarHitRight;
    else if (q.Y >= w.Bottom - fy)
      border = dxBarHitBottom;
    else if (q.X < fx)
      border = dxBarHitLeft;
    if (border) {
      FLastHitCode = border;
      Message.Result = border;
      return;
    }
    Message.Result = HTCLIENT;
    if (!customizing && HasMark() && Contains(MarkRectInWindow(), q)) {
      FLastHitCode = dxBarHitClient;
    } else if (ShowsCloseButton() && Contains(CloseButtonBounds(), q)) {
      if (painter && painter->TracksCloseButton()) {
        FLastHitCode = dxBarHitClient;
        Message.Result = HTCLOSE;
      } else {
        FLastHitCode = dxBarHitClose;
      }
    } else {
      FLastHitCode = dxBarHitCaption;
    }
    return;
  }
  if (answer == HTCLIENT) {
    FLastHitCode = onItem() || onMDIButton() ? dxBarHitClient : dxBarHitCaption;
    return;
  }
  FLastHitCode = static_cast<int>(answer);
}

void TdxBarControl::Sizing(TMessage& Message) {
  if (DockingStyle() != dsNone) {
    TCustomdxBarControl::WndProc(Message);
    return;
  }
  auto* r = reinterpret_cast<RECT*>(Message.LParam);
  const TRect insets = NonClientInsets(dsNone);
  const int bh = insets.Left + insets.Right, bv = insets.Top + insets.Bottom;
  switch (Message.WParam) {
    case WMSZ_LEFT:
    case WMSZ_RIGHT: {
      const TSize size = CalcSizeForWidth(dsNone, r->right - r->left - bh);
      if (Message.WParam == WMSZ_LEFT)
        r->left = r->right - (size.cx + bh);
      else
        r->right = r->left + size.cx + bh;
      r->bottom = r->top + size.cy + bv;
      break;
    }
    case WMSZ_TOP:
    case WMSZ_BOTTOM: {
      const TSize size = CalcSizeForHeight(dsNone, r->bottom - r->top - bv);
      r->right = r->left + size.cx + bh;
      if (Message.WParam == WMSZ_TOP)
        r->top = r->bottom - (size.cy + bv);
      else
        r->bottom = r->top + size.cy + bv;
      break;
    }
    default: {
      const TRect w = WindowRect();
      *r = RECT{w.Left, w.Top, w.Right, w.Bottom};
      break;
    }
  }
  // The caption must stay where the pointer can take it.
  if (r->top < -15) {
    r->bottom += -15 - r->top;
    r->top = -15;
  }
  Message.Result = 1;
}

namespace {

BOOL AnyWorkAreaMeets(HMONITOR Monitor, HDC, RECT*, LPARAM Data) {
  MONITORINFO info{};
  GetMonitorInfo(Monitor, &info);
  const RECT work = WorkAreaAt(POINT{info.rcMonitor.left, info.rcMonitor.top});
  auto* probe = reinterpret_cast<std::pair<RECT, bool>*>(Data);
  RECT common{};
  if (IntersectRect(&common, &probe->first, &work)) {
    probe->second = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

void TdxBarControl::WindowPosChanging(TMessage& Message) {
  TCustomdxBarControl::WndProc(Message);
  auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
  if (DockingStyle() != dsNone || !pos || (pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) == (SWP_NOMOVE | SWP_NOSIZE)) return;
  const TRect current = WindowRect();
  const int x = pos->flags & SWP_NOMOVE ? current.Left : pos->x;
  const int y = pos->flags & SWP_NOMOVE ? current.Top : pos->y;
  const int w = pos->flags & SWP_NOSIZE ? current.Right - current.Left : pos->cx;
  const int h = pos->flags & SWP_NOSIZE ? current.Bottom - current.Top : pos->cy;
  std::pair<RECT, bool> probe{RECT{x, y, x + w, y + h}, false};
  EnumDisplayMonitors(nullptr, nullptr, AnyWorkAreaMeets, reinterpret_cast<LPARAM>(&probe));
  if (probe.second) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  const RECT work = WorkAreaAt(cursor);
  // Each side moves only its own coordinate: a window off at a corner comes back on both axes.
  int nx = x, ny = y;
  if (x + w <= work.left) nx = work.left;
  if (y + h <= work.top) ny = work.top;
  if (x >= work.right) nx = work.right - w;
  if (y >= work.bottom) ny = work.bottom - h;
  pos->x = nx;
  pos->y = ny;
  pos->flags &= ~SWP_NOMOVE;
}

void TdxBarControl::Destroyed(TMessage& Message) {
  TdxDockControl* site = DockingStyle() != dsNone ? DockControl() : nullptr;
  TcxObjectLinkScope siteAlive(site);
  const bool wasDestroying = site && site->BarWindowDestroying();
  if (site) site->SetBarWindowDestroying(true);
  KillTimerSafe(Handle(), FMarkWatchTimer);
  TcxObjectLinkScope alive(this);
  TCustomdxBarControl::WndProc(Message);
  if (alive.Alive()) {
    TdxBarManager* manager = BarManager();
    TdxBar* bar = FShownBar;
    // A form that is being freed makes no new window to come back to.
    TComponent* form = manager ? manager->Owner() : nullptr;
    if (bar && FInternalUpdateDepth == 0 && !IsInternal() && bar->Visible() && manager && !manager->IsDestroying() &&
        !IsDestroying() && !(form && form->HasState(csDestroying))) {
      // The controls go with the window they were made for.
      DestroyControls();
      // The window's parent is still walking its children: the toolbar lets go of this window
      // now, which is freed once the destruction is over.
      Destroying();
      FreeLater(this);
      bar->SetVisible(false);
      manager->AddBarToRestore(bar);
    }
  }
  if (siteAlive.Alive()) site->SetBarWindowDestroying(wasDestroying);
}

void TdxBarControl::WndProc(TMessage& Message) {
  if (HandleControlsMessage(Message)) return;
  switch (Message.Msg) {
    case WM_LBUTTONDBLCLK:
      if (FLastHitCode != dxBarHitCaption || !BarManager() || BarManager()->IsDesigning()) break;
      // The window goes with the toggle.
      ToggleDockingByDoubleClick();
      return;
    case WM_NCCALCSIZE:
      NCCalcSize(Message);
      return;
    case WM_NCHITTEST:
      NCHitTest(Message);
      return;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
      info->ptMinTrackSize = {10, 10};
      info->ptMaxTrackSize = {30000, 30000};
      info->ptMaxSize = {30000, 30000};
      info->ptMaxPosition = {30000, 30000};
      Message.Result = 0;
      return;
    }
    case WM_SIZING:
      Sizing(Message);
      return;
    case WM_WINDOWPOSCHANGING:
      WindowPosChanging(Message);
      return;
    case WM_DESTROY:
      Destroyed(Message);
      return;
    case WM_MOUSEACTIVATE:
      if (DockingStyle() == dsNone && !Active() && HandleAllocated())
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      Message.Result = MA_NOACTIVATE;
      return;
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
      return;
    case CM_FONTCHANGED:
      UpdateCanvasFont();
      if (HandleAllocated()) {
        CalcMetrics();
        if (FInternalUpdateDepth == 0) {
          if (TdxBarManager* manager = BarManager(); manager && manager->SelectedItem() && OwnsItemControl(manager->SelectedItem()))
            HotTrackControl(nullptr);
          RebuildRecreating();
        }
      }
      break;
    case WM_SIZE:
      if (IsDestroying()) return;
      TCustomdxBarControl::WndProc(Message);
      CalcViewInfo();
      return;
    default: break;
  }
  TCustomdxBarControl::WndProc(Message);
}

// ---- view info -----------------------------------------------------------------------------------------

void TdxBarControlViewInfo::Calculate() {
  TCustomdxBarControl* bar = BarControl();
  bar->CalcLayout();
  TCustomdxBarControlViewInfo::Calculate();
  TdxBarItemLinks* links = bar->ItemLinks();
  if (!links) return;
  for (int i = 0; i < links->VisibleCount(); ++i) {
    TdxBarItemLink* link = links->VisibleLinks(i);
    TdxBarItemControl* control = link->Control();
    if (!control) continue;
    AddItemControl(control);
    AddSeparatorFor(link);
    if (StopsAtControl(control)) break;
  }
}

void TdxBarControlViewInfo::AddSeparatorFor(TdxBarItemLink* ALink) {
  if (!HasSeparators() || !ALink->BeginGroup()) return;
  const TRect r = ALink->ItemRect();
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  CalcSeparatorRect(ALink, r);
}

void TdxBarControlViewInfo::CalcSeparatorRect(TdxBarItemLink* ALink, const TRect& AItemRect) {
  TCustomdxBarControl* bar = BarControl();
  const int s = bar->SeparatorSize();
  const int g = bar->DockingStyleIndex() != dsNone ? bar->MarkAreaSize() : 0;
  const int line = ALink->LineThickness();
  const TRect& r = AItemRect;
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  const RECT client = bar->ClientRect();
  TdxBarItemControl* control = ALink->Control();
  if (!bar->IsVertical()) {
    if (r.Left == 0 && r.Top > 0) {
      const int top = r.Top - (line - h) / 2 - s;
      AddSeparator({0, top, client.right - g, top + s}, true, control);
    } else {
      const int top = r.Top - (line - h) / 2;
      AddSeparator({r.Left - s, top, r.Left, top + line}, false, control);
    }
  } else if (r.Top > 0) {
    const int left = r.Left - (line - w) / 2;
    AddSeparator({left, r.Top - s, left + line, r.Top}, true, control);
  } else {
    const int left = r.Right + (line - w) / 2;
    AddSeparator({left, 0, left + s, client.bottom - g}, false, control);
  }
}
