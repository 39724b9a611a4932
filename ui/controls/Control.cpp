#include "ui/controls/Control.h"

#include <algorithm>

#include "platform/classes/Forms.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"
#include "platform/gdi/Gdi.h"
#include "ui/controls/ControlChildComponent.h"
#include "ui/controls/ControlServices.h"
#include "ui/controls/Panning.h"
#include "ui/controls/SettingsController.h"
#include "ui/foundation/Bitmaps.h"
#include "ui/foundation/ObjectLinks.h"
#include "ui/foundation/OSVersion.h"
#include "ui/foundation/ParentBackground.h"

using namespace win;

namespace {

// Holds an object link for a scope: Alive() is false once the object was destroyed meanwhile.
class TLinkGuard {
 public:
  explicit TLinkGuard(TObject* Obj) : FLink(CreateObjectLink(Obj)) {}
  ~TLinkGuard() { FreeObjectLink(FLink); }
  TLinkGuard(const TLinkGuard&) = delete;
  TLinkGuard& operator=(const TLinkGuard&) = delete;
  bool Alive() const { return FLink->LinkedObject != nullptr; }

 private:
  TcxObjectLink* FLink;
};

bool IsEmptyRect(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

// Beyond this a 16-bit message coordinate has wrapped.
constexpr int kMaxMessageCoordinate = 32768;
// Runs of the fill hook before its last answer is kept: two bars that appear only as the client
// shrinks settle within three.
constexpr int kMaxScrollBarFillRuns = 4;

TcxDirection DirectionOf(TcxPanDirection D) {
  switch (D) {
    case pdUp: return dirUp;
    case pdRight: return dirRight;
    case pdDown: return dirDown;
    case pdLeft: return dirLeft;
    default: return dirNone;
  }
}

}  // namespace

bool IsComponentLoading(TPersistent* Persistent) {
  auto* c = dynamic_cast<TComponent*>(Persistent);
  return c && c->ComponentState().Contains(csLoading);
}

void InvalidateControlTree(TWinControl* Control, bool InvalidateSelf, bool WithChildren) {
  if (!Control->HandleAllocated()) return;
  if (Control->Parent()) Control->Parent()->Perform(CM_INVALIDATE, 1, 0);
  if (!InvalidateSelf) return;
  InvalidateRect(Control->Handle(), nullptr, !Control->ControlStyle().Contains(csOpaque));
  if (!WithChildren) return;
  for (int i = 0; i < Control->ControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(Control->Controls(i));
    if (!child || !child->HandleAllocated()) continue;
    TControlStyle style = child->ControlStyle();
    if (!style.Contains(csOpaque) || style.Contains(csParentBackground))
      InvalidateRect(child->Handle(), nullptr, !style.Contains(csOpaque));
  }
}

// ---- construction ----------------------------------------------------------------------------------

TcxControl::TcxControl(TComponent* AOwner) : TCustomControl(AOwner) {
  if (DisplaysDragImage()) SetControlStyle(ControlStyle() + TControlStyle{csDisplayDragImage});
  FCanvas = std::make_unique<TcxCanvas>(TCustomControl::Canvas());
  FDefaultCursor = Cursor();
  FLookAndFeel = std::make_unique<TcxLookAndFeel>(this);
  FLookAndFeel->OnChanged = [this](TcxLookAndFeel* Sender, TcxLookAndFeelValues Values) {
    if ((Application && Application->ComponentState().Contains(csDestroying)) || IsDestroying()) return;
    LookAndFeelChanged(Sender, Values);
  };
  if (UsesInternalScrollBars()) CreateInternalControls();
  SetTabStop(IsFocusable());
  FLastParentBackground = true;
  SetControlStyle(ControlStyle() + TControlStyle{csParentBackground});
  if (TdxResourceStringsRepository* repository = GetResourceStringsRepository()) repository->AttachListener(this);
}

TcxControl::~TcxControl() {
  if (TdxResourceStringsRepository* repository = GetResourceStringsRepository()) repository->DetachListener(this);
  if (Dragging()) EndDrag(false);
  FinishDragAndDrop(false);
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  // The bars follow this control's look-and-feel: they go before it does.
  DestroyInternalControls();
  FFontListeners.clear();
  FDragImages.reset();
  FActiveCanvas.reset();
  FCanvas.reset();
  FLookAndFeel.reset();
  InvalidateObjectLinks(this);
}

void TcxControl::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

void TcxControl::CreateWindowHandle(const TCreateParams& Params) {
  FCreatingWindow = true;
  try {
    TCustomControl::CreateWindowHandle(Params);
    SyncInternalScrollBars();
    AttachInternalControls();
  } catch (...) {
    FCreatingWindow = false;
    throw;
  }
  FCreatingWindow = false;
}

void TcxControl::DestroyWindowHandle() {
  SetControlState(ControlState() - TControlState{csClicked});
  TCustomControl::DestroyWindowHandle();
}

void TcxControl::Resize() {
  TCustomControl::Resize();
  BoundsChanged();
}

// ---- properties ------------------------------------------------------------------------------------

void TcxControl::SetBorderStyle(TcxControlBorder Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  BoundsChanged();
  Invalidate();
}

void TcxControl::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  BoundsChanged();
}

void TcxControl::WritePopupMenu(TComponent* Value) {
  if (Value && !dynamic_cast<TPopupMenu*>(Value) && !Supports<IcxPopupMenuSupport>(Value)) Value = nullptr;
  if (Value == FPopupMenu) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
  // The class library keeps its own menus only; the library's are shown by this control.
  TControl::SetPopupMenu(dynamic_cast<TPopupMenu*>(Value));
}

TPopupMenu* TcxControl::ReadPopupMenu() const { return dynamic_cast<TPopupMenu*>(FPopupMenu); }

void TcxControl::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) {
    FPopupMenu = nullptr;
    TControl::SetPopupMenu(nullptr);
  }
}

void TcxControl::AddFontListener(IcxFontListener* Listener) {
  if (std::find(FFontListeners.begin(), FFontListeners.end(), Listener) == FFontListeners.end())
    FFontListeners.push_back(Listener);
}

void TcxControl::RemoveFontListener(IcxFontListener* Listener) {
  FFontListeners.erase(std::remove(FFontListeners.begin(), FFontListeners.end(), Listener), FFontListeners.end());
}

void TcxControl::InvalidateRectArea(const TRect& R, bool EraseBackground) {
  if (!HandleAllocated()) return;
  RECT r = R;
  InvalidateRect(Handle(), &r, EraseBackground);
}

void TcxControl::RedrawWithChildren() {
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_ALLCHILDREN);
}

void TcxControl::SetMouseCaptureObject(TObject* Value) {
  if (Value == FMouseCaptureObject) return;
  bool releasedWhileStarting = FMouseCaptureObject && !Value && MouseCapture() && FDragAndDropState == ddsStarting;
  FMouseCaptureObject = Value;
  SetMouseCapture(Value != nullptr);
  if (releasedWhileStarting && HandleAllocated()) Perform(WM_CANCELMODE, 0, 0);
}

// ---- virtual operations: defaults ------------------------------------------------------------------

bool TcxControl::ShowPopupMenuAt(TComponent* Menu, int X, int Y) { return ShowPopupMenuFor(this, Menu, X, Y); }
void TcxControl::NotifyDesignerModified() { SetDesignerModified(this); }

void TcxControl::EraseBackground(HDC DC) {
  RECT r = ClientRect();
  if (ThemesActive() && Parent() && ControlStyle().Contains(csParentBackground)) {
    // Themed parents draw their own backgrounds (gradients, tab pages): show theirs through.
    TcxPaintCanvas* canvas = PaintCanvasInstance();
    canvas->PushDC(DC);
    try {
      PaintParentBackground(this, canvas, r);
    } catch (...) {
      canvas->PopLevel();
      throw;
    }
    canvas->PopLevel();
    return;
  }
  FillRect(DC, &r, Brush()->Handle());
}

void TcxControl::StartDragOrPanning(TMouseButton Button, int X, int Y) {
  if (Button == mbLeft) {
    if (DragMode() != dmAutomatic || !MouseCapture() || !IsDragAndDropIdle()) return;
    if (IsDesigning() && !(AllowsDesignDragAt(X, Y, {}) && GetShiftState().Empty())) return;
    POINT p = ClientToScreen(POINT{X, Y});
    if (DetectDragStart(Handle(), p) != ddsStarted) return;
    // The wait let the window's capture go; the drag takes it afresh.
    SetMouseCapture(false);
    BeginDrag(true);
  } else if (Button == mbMiddle) {
    PanContent();
  }
}

void TcxControl::BeforeMouseDown(TMouseButton, TShiftState, int, int) {}

void TcxControl::BringInternalControlsToFront() {
  for (TControl* c : {static_cast<TControl*>(FHScrollBar), static_cast<TControl*>(FVScrollBar),
                     static_cast<TControl*>(FSizeGrip)})
    if (c) c->BringToFront();
}

void TcxControl::EndMouseOperations() {
  FinishDragAndDrop(true);
  SetMouseCaptureObject(nullptr);
}

int TcxControl::BorderSize() { return FBorderStyle == cbNone ? 0 : CurrentPainter()->BorderWidth(); }

TRect TcxControl::ControlBounds() {
  if (!IsEmptyRect(FExplicitBounds)) return FExplicitBounds;
  if (HandleAllocated()) return ClientRect();
  return TRect(0, 0, Width(), Height());
}

TRect TcxControl::ClientBounds() {
  TRect r = ControlBounds();
  int b = BorderSize();
  r = TRect(r.Left + b, r.Top + b, r.Right - b, r.Bottom - b);
  if (HScrollBarVisible()) r.Bottom -= FHScrollBar->Height();
  if (VScrollBarVisible()) r.Right -= FVScrollBar->Width();
  return r;
}

TCursor TcxControl::CursorAt(int, int) { return FDefaultCursor; }
bool TcxControl::IsDesigning() const { return ComponentState().Contains(csDesigning); }
bool TcxControl::HasFocus() { return Focused(); }
TScrollStyle TcxControl::MouseWheelScrollKind() { return VScrollBarVisible() ? ssVertical : ssNone; }
TcxControlScrollBar* TcxControl::CreateScrollBar() { return new TcxControlScrollBar(nullptr); }

void TcxControl::AttachInternalControls() { ParentInternalControls(); }

bool TcxControl::CanFocusOnClick() { return !IsDesigning() && FFocusOnClick && IsFocusable() && CanFocus(); }
bool TcxControl::ShouldFocusOnMouseDown(int, int) { return CanFocusOnClick(); }
bool TcxControl::FocusOnScrollBarClick(TcxControlScrollBar*) { return CanFocusOnClick(); }
bool TcxControl::HandlesSystemErase() { return false; }

bool TcxControl::IsInternalControl(TControl* Control) {
  return Control && (Control == FHScrollBar || Control == FVScrollBar || Control == FSizeGrip);
}

bool TcxControl::InvalidatesChildren() { return false; }
bool TcxControl::CompensatesFocusMove() { return true; }
void TcxControl::ParentBackgroundChanged() {}
TcxLookAndFeel* TcxControl::CurrentLookAndFeel() { return FLookAndFeel.get(); }
TcxCustomLookAndFeelPainterClass TcxControl::CurrentPainter() { return CurrentLookAndFeel()->ActivePainter(); }
void TcxControl::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {}
bool TcxControl::CanScrollWithoutBars(TcxDirection) { return false; }

TRect TcxControl::HScrollBarBounds() {
  TRect c = ClientBounds();
  return TRect(c.Left, c.Bottom, c.Right, c.Bottom + (FHScrollBar ? FHScrollBar->Height() : 0));
}

TRect TcxControl::VScrollBarBounds() {
  TRect c = ClientBounds();
  return TRect(c.Right, c.Top, c.Right + (FVScrollBar ? FVScrollBar->Width() : 0), c.Bottom);
}

TRect TcxControl::SizeGripBounds() {
  TRect h = HScrollBarBounds();
  TRect v = VScrollBarBounds();
  return TRect(v.Left, h.Top, v.Right, h.Bottom);
}

void TcxControl::FillScrollBarParams() {}
bool TcxControl::HidesScrollBarWhenFits(TScrollBarKind) { return false; }
bool TcxControl::UsesInternalScrollBars() { return true; }
bool TcxControl::KeepsInternalControlsOnTop() { return true; }
void TcxControl::ScrollContent(TScrollBarKind, TScrollCode, int&) {}

void TcxControl::PlaceInternalControls() {
  if (!FSizeGrip) return;
  auto place = [](TControl* c, const TRect& r) {
    if (c->Visible()) c->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
  };
  place(FHScrollBar, HScrollBarBounds());
  place(FVScrollBar, VScrollBarBounds());
  place(FSizeGrip, SizeGripBounds());
}

void TcxControl::RefreshInternalControls() {
  if (!FSizeGrip) return;
  for (TWinControl* c : {static_cast<TWinControl*>(FHScrollBar), static_cast<TWinControl*>(FVScrollBar),
                         static_cast<TWinControl*>(FSizeGrip)})
    if (c->Visible() && c->HandleAllocated()) c->Update();
}

bool TcxControl::AllowsDesignDragAt(int, int, TShiftState) { return true; }
TcxDragAndDropObject* TcxControl::CreateDragAndDropObject() { return DragAndDropObjectClass()(this); }

TcxDragAndDropObjectClass TcxControl::DragAndDropObjectClass() {
  if (FDragAndDropObjectClassOverride) return FDragAndDropObjectClassOverride;
  return DragAndDropObjectClassOf<TcxDragAndDropObject>();
}

void TcxControl::DrawDragImage(TcxCanvas*, const TRect&) {}

TcxDragImageListClass TcxControl::DragImageListClass() {
  return [] { return new TcxDragImageList(nullptr); };
}

TSize TcxControl::DragImageSize() { return TSize(0, 0); }
bool TcxControl::IsDragCopyKeyDown() { return IsCtrlKeyDown(); }
bool TcxControl::DisplaysDragImage() { return false; }

void TcxControl::InitDragImages(TcxDragImageList* ImageList) {
  TSize size = DragImageSize();
  ImageList->SetWidth(size.cx);
  ImageList->SetHeight(size.cy);
  if (size.cx == 0 || size.cy == 0) return;
  TcxBitmap bitmap(size.cx, size.cy);
  TcxCanvas canvas(bitmap.Canvas());
  DrawDragImage(&canvas, TRect(0, 0, size.cx, size.cy));
  ImageList->AddMasked(&bitmap, bitmap.TransparentColor());
}

bool TcxControl::CanFocusNow() {
  if (!CanFocus()) return false;
  TCustomForm* form = GetParentForm();
  return !form || (form->CanFocus() && form->Enabled() && form->Visible());
}

bool TcxControl::DragThresholdPassedAt(int X, int Y) {
  return DragMode() == dmManual || !IsPointInDragArea(X, Y);
}

void TcxControl::StateChangeHook() {}

void TcxControl::AttachChildComponent(TComponent* Component) {
  if (auto* child = dynamic_cast<TcxControlChildComponent*>(Component)) child->SetControl(this);
}

void TcxControl::DetachChildComponent(TComponent* Component) {
  if (auto* child = dynamic_cast<TcxControlChildComponent*>(Component)) child->SetControl(nullptr);
}

void TcxControl::CancelMouseOperations() {
  FMouseButtonPressed = false;
  SetMouseCaptureObject(nullptr);
}

bool TcxControl::AcceptsDesignMouseAt(int, int, TShiftState) {
  return FDragAndDropState != ddsNone || FMouseButtonPressed;
}

TcxDragControlObjectClass TcxControl::DragControlObjectClass() {
  return [](TControl* Control) -> TDragControlObject* { return new TcxDragControlObject(Control); };
}

void TcxControl::NotifyMouseEnter(TControl* AControl) {
  if (AControl == this && FMouseInsideChanged && OnMouseEnter) OnMouseEnter(this);
}

void TcxControl::NotifyMouseLeave(TControl* AControl) {
  if (AControl == this && FMouseInsideChanged && OnMouseLeave) OnMouseLeave(this);
}

bool TcxControl::IsFocusable() { return true; }

void TcxControl::BoundsChanged() {
  RecalcScrollBars();
  if (InvalidatesChildren()) Invalidate();
}

void TcxControl::HandleColorChange() {}

void TcxControl::RememberDefaultCursor() { FDefaultCursor = Cursor(); }

void TcxControl::NotifyFocusChanged() {
  if (OnFocusChanged) OnFocusChanged(this);
}

void TcxControl::NotifyFontListeners() {
  for (IcxFontListener* listener : std::vector<IcxFontListener*>(FFontListeners)) listener->FontChanged(this, Font());
  Invalidate();
}

void TcxControl::HandleTextChange() {}
void TcxControl::VisibilityChanged() {}
bool TcxControl::WorksWithoutFocus() { return false; }
bool TcxControl::DragAndDropHook(int, int) { return false; }
bool TcxControl::IsDragAndDropIdle() { return FDragAndDropState == ddsNone; }
bool TcxControl::AcceptDragObject(TDragObject*) { return true; }

// ---- the control's own drag-and-drop ---------------------------------------------------------------

TcxDragAndDropObject* TcxControl::DragAndDropObjectOrNew() {
  if (!FDragAndDropObject) FDragAndDropObject = CreateDragAndDropObject();
  return FDragAndDropObject;
}

void TcxControl::SetDragAndDropState(TcxDragAndDropState Value) {
  if (FDragAndDropState == Value) return;
  FDragAndDropState = Value;
  if (Value == ddsNone && !FFinishingDragAndDrop) CancelMouseOperations();
}

void TcxControl::BeginDragAndDrop() {
  DragAndDropObjectOrNew()->Start();
  SetMouseCapture(true);
  FDragAndDropPrevCursor = Screen ? Screen->Cursor() : crDefault;
  SetDragAndDropState(ddsInProcess);
}

void TcxControl::DragAndDropMove(TPoint P, bool& Accepted) { DragAndDropObjectOrNew()->Move(P, Accepted); }

void TcxControl::EndDragAndDrop(bool Accepted) {
  SetDragAndDropState(ddsNone);
  if (Screen) Screen->SetCursor(FDragAndDropPrevCursor);
  SetMouseCapture(false);
  FMouseCaptureObject = nullptr;
  DragAndDropObjectOrNew()->Finish(Accepted);
}

void TcxControl::FinishDragAndDrop(bool Accepted) {
  if (FFinishingDragAndDrop) return;
  FFinishingDragAndDrop = true;
  try {
    if (FDragAndDropState == ddsInProcess)
      EndDragAndDrop(Accepted);
    else
      SetDragAndDropState(ddsNone);
  } catch (...) {
    delete FDragAndDropObject;
    FDragAndDropObject = nullptr;
    FFinishingDragAndDrop = false;
    throw;
  }
  delete FDragAndDropObject;
  FDragAndDropObject = nullptr;
  FFinishingDragAndDrop = false;
}

void TcxControl::PrepareDragAndDrop(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && !Shift.Contains(ssDouble) && DragAndDropHook(X, Y)) {
    if (DragAndDropObjectOrNew()->ReservedQuery())
      BeginDragAndDrop();
    else
      SetDragAndDropState(ddsStarting);
  } else {
    FinishDragAndDrop(false);
  }
}

bool TcxControl::IsPointInDragArea(int X, int Y) const {
  int threshold = Mouse ? Mouse->DragThreshold() : 5;
  return std::abs(X - FMouseDownPos.X) < threshold && std::abs(Y - FMouseDownPos.Y) < threshold;
}

// ---- the platform's drag ---------------------------------------------------------------------------

void TcxControl::DoStartDrag(TDragObject*& DragObject) {
  Update();
  TCustomControl::DoStartDrag(DragObject);
  if (!DragObject) DragObject = DragControlObjectClass()(this);
  if (!AcceptDragObject(DragObject)) {
    // A library drag object frees itself only when finished; refused, it never starts.
    delete DragObject;
    DragObject = nullptr;
    CancelDragStart();
  }
}

void TcxControl::DoEndDrag(TObject* Target, int X, int Y) {
  TCustomControl::DoEndDrag(Target, X, Y);
  FDragImages.reset();
}

void TcxControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  SetCurrentDragObject(State == dsDragLeave ? nullptr : ::DragObject());
  TCustomControl::DragOver(Source, X, Y, State, Accept);
}

TDragImageList* TcxControl::GetDragImages() {
  if (!DisplaysDragImage()) return nullptr;
  if (!FDragImages) {
    FDragImages.reset(DragImageListClass()());
    InitDragImages(FDragImages.get());
  }
  return FDragImages->Count() > 0 ? FDragImages.get() : nullptr;
}

// ---- internal scroll bars --------------------------------------------------------------------------

bool TcxControl::HScrollBarVisible() const {
  if (!FHScrollBar) return false;
  return FCalculatingScrollBarsParams ? FHScrollBar->Data.Visible : FHScrollBar->Visible();
}

bool TcxControl::VScrollBarVisible() const {
  if (!FVScrollBar) return false;
  return FCalculatingScrollBarsParams ? FVScrollBar->Data.Visible : FVScrollBar->Visible();
}

void TcxControl::ScrollBarScrolled(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos) {
  ScrollContent(static_cast<TcxScrollBar*>(Sender)->Kind(), ScrollCode, ScrollPos);
}

void TcxControl::CreateInternalControls() {
  if (FSizeGrip) return;
  auto makeBar = [this](TScrollBarKind Kind) {
    TcxControlScrollBar* bar = CreateScrollBar();
    bar->SetKind(Kind);
    bar->OnScroll = [this](TObject* Sender, TScrollCode Code, int& Pos) { ScrollBarScrolled(Sender, Code, Pos); };
    bar->LookAndFeel()->AttachToMaster(FLookAndFeel.get());
    bar->SetControlStyle(bar->ControlStyle() + TControlStyle{csReplicatable});
    return bar;
  };
  FHScrollBar = makeBar(sbHorizontal);
  FVScrollBar = makeBar(sbVertical);
  FSizeGrip = new TcxSizeGrip(nullptr);
  FSizeGrip->LookAndFeel()->AttachToMaster(FLookAndFeel.get());
  FSizeGrip->SetControlStyle(FSizeGrip->ControlStyle() + TControlStyle{csReplicatable});
  if (TcxSettingsController* settings = SettingsControllerInstance()) settings->AddControl(this);
}

void TcxControl::DestroyInternalControls() {
  if (!FSizeGrip) return;
  if (TcxSettingsController* settings = SettingsControllerInstance()) settings->RemoveControl(this);
  TcxSizeGrip* grip = FSizeGrip;
  TcxControlScrollBar* v = FVScrollBar;
  TcxControlScrollBar* h = FHScrollBar;
  FSizeGrip = nullptr;
  FVScrollBar = nullptr;
  FHScrollBar = nullptr;
  delete grip;
  delete v;
  delete h;
}

void TcxControl::ParentInternalControls() {
  if (!UsesInternalScrollBars() || !FSizeGrip) return;
  FHScrollBar->SetParent(this);
  FVScrollBar->SetParent(this);
  FSizeGrip->SetParent(this);
}

void TcxControl::SyncInternalScrollBars() {
  if (UsesInternalScrollBars()) {
    CreateInternalControls();
    if (HandleAllocated()) ParentInternalControls();
  } else {
    DestroyInternalControls();
  }
}

void TcxControl::SetScrollBarInfo(TScrollBarKind Kind, int Min, int Max, int Step, int Page, int Pos, bool AllowShow,
                                  bool AllowHide) {
  TcxControlScrollBar* bar = Kind == sbHorizontal ? FHScrollBar : FVScrollBar;
  if (!bar) return;
  bool allowed = FScrollBars == ssBoth || (Kind == sbHorizontal ? FScrollBars == ssHorizontal : FScrollBars == ssVertical);
  TcxControlScrollBarData data = bar->Data;
  ComputeScrollBarData(data, allowed, Min, Max, Step, Page, Pos, AllowShow, AllowHide);
  bar->Data = data;
}

void TcxControl::UnlockScrollBars() {
  if (FScrollBarsLockCount > 0) --FScrollBarsLockCount;
  if (FScrollBarsLockCount == 0 && FScrollBarsUpdateNeeded) {
    FScrollBarsUpdateNeeded = false;
    RecalcScrollBars();
  }
}

void TcxControl::RecalcScrollBars() {
  if (!UsesInternalScrollBars() || !FSizeGrip) return;
  if (FScrollBarsLockCount > 0) {
    FScrollBarsUpdateNeeded = true;
    return;
  }
  bool outermost = !FUpdatingScrollBars;
  if (outermost) {
    FInitialHScrollBarVisible = FHScrollBar->Visible();
    FInitialVScrollBarVisible = FVScrollBar->Visible();
  }
  bool savedUpdating = FUpdatingScrollBars;
  FUpdatingScrollBars = true;
  auto restore = [&] {
    FUpdatingScrollBars = savedUpdating;
    if (outermost) FIsInitialScrollBarsParams = false;
  };
  try {
    bool hVisible = FHScrollBar->Visible();
    bool vVisible = FVScrollBar->Visible();
    if (!FIsInitialScrollBarsParams) {
      if (!FCalculatingScrollBarsParams) {
        FCalculatingScrollBarsParams = true;
        try {
          FHScrollBar->Data.Visible = false;
          FVScrollBar->Data.Visible = false;
          for (int run = 0; run < kMaxScrollBarFillRuns; ++run) {
            bool h = FHScrollBar->Data.Visible;
            bool v = FVScrollBar->Data.Visible;
            FillScrollBarParams();
            if (h == FHScrollBar->Data.Visible && v == FVScrollBar->Data.Visible) break;
          }
        } catch (...) {
          FCalculatingScrollBarsParams = false;
          throw;
        }
        FCalculatingScrollBarsParams = false;

        // Two bars that are needed only because of each other both go.
        TcxControlScrollBarData& hd = FHScrollBar->Data;
        TcxControlScrollBarData& vd = FVScrollBar->Data;
        if (hd.Visible && vd.Visible && hd.Enabled && vd.Enabled && hd.AllowHide && vd.AllowHide) {
          auto fits = [](const TcxControlScrollBarData& d, int thickness) {
            return static_cast<std::int64_t>(d.PageSize) + thickness >= static_cast<std::int64_t>(d.Max) - d.Min + 1;
          };
          int vWidth = FVScrollBar->Width();
          int hHeight = FHScrollBar->Height();
          if (HidesScrollBarWhenFits(sbHorizontal) && HidesScrollBarWhenFits(sbVertical) && fits(hd, vWidth) &&
              fits(vd, hHeight)) {
            TcxControlScrollBarData h = hd, v = vd;
            SetScrollBarInfo(sbHorizontal, h.Min, h.Max, h.SmallChange, h.PageSize + vWidth, h.Position, h.AllowShow,
                             h.AllowHide);
            SetScrollBarInfo(sbVertical, v.Min, v.Max, v.SmallChange, v.PageSize + hHeight, v.Position, v.AllowShow,
                             v.AllowHide);
          }
        }
      }
      if (!outermost && FHScrollBar->Data.Visible == FInitialHScrollBarVisible &&
          FVScrollBar->Data.Visible == FInitialVScrollBarVisible) {
        // Back where the outermost call began: a bar that would flicker stays, disabled.
        FIsInitialScrollBarsParams = true;
        for (TcxControlScrollBar* bar : {FHScrollBar, FVScrollBar}) {
          bool initial = bar == FHScrollBar ? FInitialHScrollBarVisible : FInitialVScrollBarVisible;
          if (bar->Visible() != initial) {
            bar->SetEnabled(false);
            bar->SetVisible(true);
          }
        }
      } else {
        FHScrollBar->ApplyData();
        FVScrollBar->ApplyData();
      }
    }
    if (FHScrollBar->Visible() != hVisible || FVScrollBar->Visible() != vVisible) {
      BoundsChanged();
    } else {
      FSizeGrip->SetVisible(FHScrollBar->Visible() && FVScrollBar->Visible());
      PlaceInternalControls();
      if (KeepsInternalControlsOnTop()) BringInternalControlsToFront();
    }
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

void TcxControl::SyncScrollBarSizes() {
  if (!UsesInternalScrollBars() || !FSizeGrip) return;
  int h = GetSystemMetrics(SM_CYHSCROLL);
  int w = GetSystemMetrics(SM_CXVSCROLL);
  if (FHScrollBar->Height() != h || FVScrollBar->Width() != w) {
    FHScrollBar->SetHeight(h);
    FVScrollBar->SetWidth(w);
  }
  BoundsChanged();
}

// ---- scrolling -------------------------------------------------------------------------------------

void TcxControl::ScrollInDirection(TcxDirection Direction) {
  if (Direction == dirNone) return;
  if (!UsesInternalScrollBars() && !CanScrollWithoutBars(Direction)) return;
  bool horizontal = Direction == dirLeft || Direction == dirRight;
  TScrollBarKind kind = horizontal ? sbHorizontal : sbVertical;
  TScrollCode code = Direction == dirLeft || Direction == dirUp ? scLineUp : scLineDown;
  TcxControlScrollBar* bar = horizontal ? FHScrollBar : FVScrollBar;
  int position = UsesInternalScrollBars() && bar ? bar->Position() : 0;
  ScrollContent(kind, code, position);
  Update();
}

bool TcxControl::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  TScrollStyle kind = MouseWheelScrollKind();
  if (kind == ssNone) return false;
  TcxDirection direction = kind == ssVertical ? (WheelDelta > 0 ? dirUp : dirDown) : (WheelDelta > 0 ? dirLeft : dirRight);
  TLinkGuard self(this);
  int lines = Mouse ? Mouse->WheelScrollLines() : 3;
  for (int i = 0; i < lines && self.Alive(); ++i) ScrollInDirection(direction);
  return true;
}

void TcxControl::PanContent() {
  TcxPanBars bars{HScrollBarVisible(), VScrollBarVisible()};
  if (!bars.Horizontal && !bars.Vertical) return;
  TLinkGuard self(this);
  FIsScrollingContent = true;
  POINT start;
  GetCursorPos(&start);
  HBITMAP picture = LoadBitmap(GetModuleHandle(nullptr), PanAnchorBitmapName(bars));
  BITMAP info{};
  if (picture) GetObject(picture, sizeof info, &info);
  int w = info.bmWidth, h = info.bmHeight;
  HWND anchor = CreateWindowEx(WS_EX_TOPMOST, "STATIC", "", WS_POPUP, start.x - w / 2, start.y - h / 2, w, h,
                               Handle(), nullptr, nullptr, nullptr);
  UINT_PTR timer = 0;
  try {
    if (anchor) {
      SetWindowRgn(anchor, CreateEllipticRgn(0, 0, w + 1, h + 1), FALSE);
      ShowWindow(anchor, SW_SHOWNOACTIVATE);
      HDC dc = GetDC(anchor);
      HDC mem = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(mem, picture);
      BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
      SelectObject(mem, old);
      DeleteDC(mem);
      HRGN frame = CreateEllipticRgn(0, 0, w + 1, h + 1);
      FrameRgn(dc, frame, GetSysColorBrush(COLOR_WINDOWTEXT), 1, 1);
      DeleteObject(frame);
      ReleaseDC(anchor, dc);
    }
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    TcxPanState state;
    state.Speed = 1;
    auto showCursor = [&] {
      if (Screen)
        if (HCURSOR c = Screen->Cursors(PanCursor(state.Direction, bars))) win::SetCursor(c);
    };
    showCursor();
    timer = SetTimer(nullptr, 0, kPanTimerInterval, nullptr);
    SetCapture(Handle());
    bool moved = false;
    POINT last = start;
    int ticks = 0;
    while (self.Alive() && GetCapture() == Handle()) {
      MSG msg;
      BOOL got = GetMessage(&msg, nullptr, 0, 0);
      if (got <= 0) {
        if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      if (msg.message == WM_PAINT && msg.hwnd == anchor) {
        ValidateRect(anchor, nullptr);
        continue;
      }
      if (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_MOUSEWHEEL && msg.message != WM_MBUTTONUP) break;
      if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == timer) {
        ++ticks;
        if (PanTickScrolls(ticks, state.Speed)) ScrollInDirection(DirectionOf(state.Direction));
        continue;
      }
      if (msg.message == WM_MOUSEMOVE) {
        POINT p{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
        if (msg.hwnd) win::ClientToScreen(msg.hwnd, &p);
        if (p.x != last.x || p.y != last.y) {
          last = p;
          state = PanStateAt(start, p, w, bars, screen);
          if (state.Outside) moved = true;
          showCursor();
        }
      }
      TranslateMessage(&msg);
      DispatchMessage(&msg);
      if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_ESCAPE) break;
      if (msg.message == WM_MBUTTONUP) {
        if (moved) break;
        // The class library lets the capture go with any button's release; panning keeps it.
        if (self.Alive() && HandleAllocated() && GetCapture() != Handle()) SetCapture(Handle());
      }
    }
  } catch (...) {
    if (self.Alive() && HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
    if (timer) KillTimer(nullptr, timer);
    if (anchor) DestroyWindow(anchor);
    if (picture) DeleteObject(picture);
    if (self.Alive()) FIsScrollingContent = false;
    throw;
  }
  if (self.Alive() && HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  if (timer) KillTimer(nullptr, timer);
  if (anchor) DestroyWindow(anchor);
  if (picture) DeleteObject(picture);
  if (self.Alive()) FIsScrollingContent = false;
}

// ---- mouse -----------------------------------------------------------------------------------------

void TcxControl::UpdateCursorAt(int X, int Y) {
  TCursor c = CursorAt(X, Y);
  if (c == Cursor()) return;
  // The cursor shown for a point is not the one the user set.
  FKeepDefaultCursor = true;
  SetCursor(c);
  FKeepDefaultCursor = false;
}

void TcxControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  HandleMouseDown(Button, Shift, X, Y);
}

void TcxControl::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TLinkGuard self(this);
  FMouseDownPos = TPoint(X, Y);
  if (ShouldFocusOnMouseDown(X, Y) && !Shift.Contains(ssDouble)) {
    POINT before = ClientOrigin();
    SetFocus();
    if (!self.Alive()) return;
    TCustomForm* form = GetParentForm();
    if (form && form->ActiveControl() == this && HandleAllocated() && GetFocus() != Handle()) win::SetFocus(Handle());
    if (!self.Alive()) return;
    if (!HasFocus() && !WorksWithoutFocus()) {
      SetMouseCapture(false);
      return;
    }
    if (CompensatesFocusMove()) {
      // The control may have moved while taking the focus (a grid scrolling it into view).
      POINT after = ClientOrigin();
      X += before.x - after.x;
      Y += before.y - after.y;
    }
  }
  PrepareDragAndDrop(Button, Shift, X, Y);
  if (!self.Alive()) return;
  BeforeMouseDown(Button, Shift, X, Y);
  if (!self.Alive()) return;
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (!self.Alive()) return;
  if (MouseCapture()) FMouseButtonPressed = true;
}

void TcxControl::MouseMove(TShiftState Shift, int X, int Y) {
  TLinkGuard self(this);
  UpdateCursorAt(X, Y);
  TCustomControl::MouseMove(Shift, X, Y);
  if (!self.Alive()) return;
  if (FDragAndDropState == ddsStarting && !IsPointInDragArea(X, Y)) BeginDragAndDrop();
  if (FDragAndDropState == ddsInProcess) {
    bool accepted = false;
    DragAndDropMove(TPoint(X, Y), accepted);
  }
}

void TcxControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TLinkGuard self(this);
  FMouseButtonPressed = false;
  EndMouseOperations();
  if (!self.Alive()) return;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TcxControl::DoContextPopup(POINT MousePos, bool& Handled) {
  TLinkGuard self(this);
  TCustomControl::DoContextPopup(MousePos, Handled);
  if (Handled || !self.Alive()) return;
  POINT p = MousePos;
  if (p.x == -1 && p.y == -1) p = POINT{0, 0};
  p = ClientToScreen(p);
  Handled = ShowPopupMenuAt(FPopupMenu, p.x, p.y);
}

void TcxControl::CMMouseEnter(TMessage& Message) {
  if (Parent()) Parent()->Perform(CM_MOUSEENTER, 0, Message.LParam);
  TControl* named = Message.LParam ? reinterpret_cast<TControl*>(Message.LParam) : this;
  FMouseInsideChanged = named == this && !FMouseInControl;
  if (named == this) FMouseInControl = true;
  NotifyMouseEnter(named);
  FMouseInsideChanged = false;
}

void TcxControl::CMMouseLeave(TMessage& Message) {
  if (Parent()) Parent()->Perform(CM_MOUSELEAVE, 0, Message.LParam);
  TControl* named = Message.LParam ? reinterpret_cast<TControl*>(Message.LParam) : this;
  FMouseInsideChanged = named == this && FMouseInControl;
  if (named == this) FMouseInControl = false;
  NotifyMouseLeave(named);
  FMouseInsideChanged = false;
}

// ---- keys ------------------------------------------------------------------------------------------

bool TcxControl::IsPopupShortCutInChain(TMessage& Message) {
  if (IsDesigning()) return false;
  for (TControl* c = this; c; c = c->Parent())
    if (auto* x = dynamic_cast<TcxControl*>(c); x && x->FPopupMenu && IsPopupMenuShortCut(x->FPopupMenu, Message))
      return true;
  return false;
}

void TcxControl::CNKeyDown(TMessage& Message) {
  if (IsPopupShortCutInChain(Message)) {
    Message.Result = 1;
    return;
  }
  if (Message.Msg == CN_KEYDOWN && FDragAndDropState != ddsNone) {
    FinishDragAndDrop(false);
    Message.Result = 1;
    return;
  }
  TCustomControl::CNKeyDown(Message);
}

// ---- painting --------------------------------------------------------------------------------------

void TcxControl::PaintWindow(HDC DC) {
  int saved = SaveDC(DC);
  if (FBorderStyle == cbSingle) {
    TcxPaintCanvas* canvas = PaintCanvasInstance();
    canvas->PushDC(DC);
    try {
      CurrentPainter()->DrawControlBorder(canvas, ControlBounds());
    } catch (...) {
      canvas->PopLevel();
      RestoreDC(DC, saved);
      throw;
    }
    canvas->PopLevel();
    TRect c = ClientBounds();
    IntersectClipRect(DC, c.Left, c.Top, c.Right, c.Bottom);
  }
  try {
    TCustomControl::PaintWindow(DC);
  } catch (...) {
    RestoreDC(DC, saved);
    throw;
  }
  RestoreDC(DC, saved);
  if (UsesInternalScrollBars()) RefreshInternalControls();
}

void TcxControl::WMPaint(TMessage& Message) {
  if (IsWindows7 && Message.WParam == 0 && !DoubleBuffered()) {
    PaintOffScreen();
    return;
  }
  TCustomControl::WMPaint(Message);
}

void TcxControl::PaintOffScreen() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Handle(), &ps);
  TRect r = ps.rcPaint;
  try {
    if (dc && !IsEmptyRect(r)) {
      TcxBitmap bitmap(r.Right - r.Left, r.Bottom - r.Top, pf32bit);
      TCanvas* canvas = bitmap.Canvas();
      canvas->Lock();
      try {
        HDC mem = canvas->Handle();
        SetWindowOrgEx(mem, r.Left, r.Top, nullptr);
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), reinterpret_cast<LPARAM>(mem));
        Perform(WM_PAINT, reinterpret_cast<WPARAM>(mem), 0);
        SetWindowOrgEx(mem, 0, 0, nullptr);
        BitBlt(dc, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, mem, 0, 0, SRCCOPY);
      } catch (...) {
        canvas->Unlock();
        throw;
      }
      canvas->Unlock();
    }
  } catch (...) {
    EndPaint(Handle(), &ps);
    throw;
  }
  EndPaint(Handle(), &ps);
}

void TcxControl::WMEraseBkgnd(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  bool ownRequest = Message.WParam == static_cast<WPARAM>(Message.LParam);
  if (!ownRequest && !HandlesSystemErase()) {
    Message.Result = 0;
    return;
  }
  if (ownRequest || !DoubleBuffered()) {
    int saved = SaveDC(dc);
    try {
      EraseBackground(dc);
    } catch (...) {
      RestoreDC(dc, saved);
      throw;
    }
    RestoreDC(dc, saved);
  }
  Message.Result = 1;
}

void TcxControl::WMSetCursor(TMessage& Message) {
  if (IsDesigning() && FDragAndDropState == ddsNone) {
    POINT p;
    GetCursorPos(&p);
    p = ScreenToClient(p);
    if (AcceptsDesignMouseAt(p.x, p.y, {ssLeft})) {
      if (Screen)
        if (HCURSOR c = Screen->Cursors(CursorAt(p.x, p.y))) win::SetCursor(c);
      Message.Result = 1;
      return;
    }
  }
  TCustomControl::WMSetCursor(Message);
}

void TcxControl::WMNCCalcSize(TMessage& Message) {
  TCustomControl::WMNCCalcSize(Message);
  if (HandleAllocated()) PostMessage(Handle(), DXM_NCSIZECHANGED, 0, 0);
}

void TcxControl::CMInvalidate(TMessage& Message) {
  if (!HandleAllocated() || IsDestroying()) return;
  InvalidateControlTree(this, Message.WParam == 0, InvalidatesChildren());
}

// ---- the window procedure --------------------------------------------------------------------------

void TcxControl::WndProc(TMessage& Message) { HandleWindowMessage(Message); }

void TcxControl::HandleWindowMessage(TMessage& Message) {
  TLinkGuard self(this);
  const UINT msg = Message.Msg;
  bool handled = false;
  if ((msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) && !::DragObject()) {
    bool designing = IsDesigning();
    if ((designing && AcceptsDesignMouseAt(Message.XPos(), Message.YPos(), {ssLeft})) ||
        (!designing && DragMode() == dmAutomatic)) {
      // The class library would start its drag at once; this control starts it itself once the
      // mouse has left the drag square.
      handled = true;
      if (!IsControlMouseMsg(Message)) {
        SetControlState(ControlState() + TControlState{csLButtonDown});
        Dispatch(Message);
        if (self.Alive()) SetControlState(ControlState() - TControlState{csLButtonDown});
      }
    }
  }
  if (!handled) {
    if (msg == WM_RBUTTONUP) FMouseRightButtonReleased = true;
    TCustomControl::WndProc(Message);
  }
  if (!self.Alive() || IsDestroying()) return;
  switch (msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: NotifyFocusChanged(); break;
    case WM_PAINT:
      if (ParentBackground() != FLastParentBackground) {
        FLastParentBackground = ParentBackground();
        ParentBackgroundChanged();
      }
      break;
    case WM_RBUTTONUP: FMouseRightButtonReleased = false; break;
    default: break;
  }
  if (!self.Alive()) return;
  if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) {
    TMouseButton button = msg == WM_LBUTTONDOWN ? mbLeft : msg == WM_RBUTTONDOWN ? mbRight : mbMiddle;
    int x = Message.XPos(), y = Message.YPos();
    if (Width() > kMaxMessageCoordinate || Height() > kMaxMessageCoordinate) {
      // The message's 16-bit point has wrapped: the cursor knows better.
      POINT p;
      GetCursorPos(&p);
      p = ScreenToClient(p);
      x = p.x;
      y = p.y;
    }
    StartDragOrPanning(button, x, y);
  }
}

void TcxControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: {
      LRESULT code = 0;
      if (FKeys.Contains(wkAllKeys)) code |= DLGC_WANTALLKEYS;
      if (FKeys.Contains(wkArrows)) code |= DLGC_WANTARROWS;
      if (FKeys.Contains(wkChars)) code |= DLGC_WANTCHARS;
      // Ctrl+Tab still moves between tab pages.
      if (FKeys.Contains(wkTab) && GetKeyState(VK_CONTROL) >= 0) code |= DLGC_WANTTAB;
      Message.Result = code;
      return;
    }
    case DXM_NCSIZECHANGED: SyncScrollBarSizes(); return;
    case WM_CANCELMODE: {
      TLinkGuard self(this);
      TCustomControl::Dispatch(Message);
      if (!self.Alive()) return;
      FinishDragAndDrop(false);
      CancelMouseOperations();
      return;
    }
    case CM_COLORCHANGED:
      HandleColorChange();
      TCustomControl::Dispatch(Message);
      return;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
    case CM_VISIBLECHANGED: {
      // The platform's handling runs first and may run user code.
      TLinkGuard self(this);
      TCustomControl::Dispatch(Message);
      if (!self.Alive()) return;
      if (Message.Msg == CM_FONTCHANGED)
        NotifyFontListeners();
      else if (Message.Msg == CM_TEXTCHANGED)
        HandleTextChange();
      else
        VisibilityChanged();
      return;
    }
    case CM_CURSORCHANGED:
      if (!FKeepDefaultCursor) RememberDefaultCursor();
      TCustomControl::Dispatch(Message);
      return;
    case CM_DESIGNHITTEST:
      TCustomControl::Dispatch(Message);
      if (Message.Result == 0)
        Message.Result = AcceptsDesignMouseAt(Message.XPos(), Message.YPos(), KeysToShiftState(Message.WParam)) ? 1 : 0;
      return;
    default: TCustomControl::Dispatch(Message);
  }
}
