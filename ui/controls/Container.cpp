#include "ui/controls/Container.h"

#include <algorithm>

#include "platform/classes/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "ui/controls/ControlServices.h"
#include "ui/foundation/ScopeGuards.h"
#include "ui/foundation/OSVersion.h"
#include "ui/foundation/Office11Colors.h"

using namespace win;

namespace {

constexpr int kShadowSize = 3;
constexpr int kTransparentBorderWidth = 2;
// TMT_FILLCOLOR: a disabled themed edit's background.
constexpr int kThemeFillColor = 3802;
// Captions this long are not given to the window creation; they are set afterwards.
constexpr std::size_t kLongCaption = 65536;
constexpr DWORD kScrollBarHiddenStates = STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;

std::size_t CodePointCount(const String& S) {
  return static_cast<std::size_t>(
      std::count_if(S.begin(), S.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

// ---- construction -----------------------------------------------------------------------------------

TcxContainer::TcxContainer(TComponent* AOwner)
    : TcxContainer(AOwner, TcxContainerClasses{ContainerStyleClassOf<TcxContainerStyle>(),
                                               ContainerStylesClassOf<TcxContainerStyles>(),
                                               ContainerViewInfoClassOf<TcxContainerViewInfo>()}) {}

TcxContainer::TcxContainer(TComponent* AOwner, const TcxContainerClasses& Classes)
    : TcxControl(AOwner), FClasses(Classes) {
  FConstructing = true;
  FStyles.reset(FClasses.StylesClass(this, FClasses.StyleClass));
  FStyles->SetChangeHandler([this](TObject* Sender) { ContainerStyleChanged(Sender); });
  FCachedState = cvsNormal;
  FCachedStyle = NormalStyle();
  FViewInfo.reset(FClasses.ViewInfoClass());
  LookAndFeel()->AttachToMaster(NormalStyle()->LookAndFeel());
  SetControlStyle(ControlStyle() + TControlStyle{csCaptureMouse, csSetCaption});
  SetTabStop(true);
  ApplyParentColorDefault();
  ResetInnerRegion();
  FConstructing = false;
}

TcxContainer::~TcxContainer() {
  Destroying();
  StopMouseLeaveWatch(this);
  if (FInnerControl) FInnerControl->RemoveFreeNotification(this);
  FInnerControl = nullptr;
  FViewInfo.reset();
  FStyles->SetChangeHandler(nullptr);
  // The control's look-and-feel follows the normal style's, which goes with the styles.
  LookAndFeel()->AttachToMaster(nullptr);
  FCachedStyle = nullptr;
  FStyles.reset();
}

void TcxContainer::DeclareProperties(TPropTable& t) {
  t.Add("TabStop", &TcxContainer::TabStop, &TcxContainer::SetTabStop).SetDefault(true);
  t.Add("FakeStyleController", &TcxContainer::FakeStyleController, &TcxContainer::SetFakeStyleController)
      .Stored(false);
}

void TcxContainer::AfterConstruction() {
  TcxControl::AfterConstruction();
  FConstructing = true;
  ApplyParentColorDefault();
  FConstructing = false;
}

void TcxContainer::ApplyParentColorDefault() {
  TcxFlagScope applying(FStyleApplying, true);
  bool parentColor = DefaultParentColor() && !IsInPlace() && !NormalStyle()->IsValueAssigned(csvColor);
  if (!parentColor) SetColor(clWindow);
  SetParentColor(parentColor);
}

void TcxContainer::Loaded() {
  TcxControl::Loaded();
  PlaceInnerControl();
  ContainerStyleChanged(NormalStyle());
}

void TcxContainer::Notification(TComponent* AComponent, TOperation Operation) {
  TcxControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FInnerControl) FInnerControl = nullptr;
}

void TcxContainer::SetInnerControl(TWinControl* Control) {
  if (Control == FInnerControl) return;
  if (FInnerControl) FInnerControl->RemoveFreeNotification(this);
  FInnerControl = Control;
  if (Control) Control->FreeNotification(this);
}

// ---- recalculation ----------------------------------------------------------------------------------

bool TcxContainer::RefreshStateAtCursor(bool MouseEvent) {
  POINT p;
  MouseCursorPosThunk(p);
  TPoint point(-1, -1);
  if (HandleAllocated() && WindowContains(Handle(), WindowFromPoint(p))) {
    POINT c = ScreenToClient(p);
    point = TPoint(c.x, c.y);
  }
  return RecalcState(point, 0, CurrentShiftState(), MouseEvent);
}

bool TcxContainer::RecalcState(const TPoint& Point, int Button, TShiftState Shift, bool MouseEvent) {
  FRecalcRefused = true;
  bool result = false;
  if (CanRecalculate()) {
    TcxCounterScope depth(FRecalcDepth);
    FRecalcRefused = false;
    result = ApplyState(Point, Button, Shift, MouseEvent);
  }
  if (CanRecalculate() && MouseEvent && FAfterRecalcGuard == 0) {
    TcxCounterScope guard(FAfterRecalcGuard);
    AfterStateRecalc();
  }
  FLayoutValid = result && !FRecalcRefused;
  return result;
}

void TcxContainer::EnsureLayout() {
  if (!FLayoutValid) RefreshStateAtCursor(false);
}

bool TcxContainer::CanRecalculate() {
  return FRecalcDepth == 0 && !FConstructing && !IsDestroying() &&
         !ControlState().Contains(csDestroyingHandle) && HandleAllocated();
}

bool TcxContainer::ApplyState(const TPoint& Point, int, TShiftState Shift, bool) {
  bool hotTrackAllowed = IsPlainMouseMove(Shift) && ActiveStyle()->HotTrack();
  CalculateLayout(Point, hotTrackAllowed);
  PlaceInnerControl();
  SyncInnerControlAppearance();
  UpdateWindowRegion();
  TRect whole(0, 0, Width(), Height());
  if (FInnerControl)
    InvalidateAroundRect(Handle(), whole, FViewInfo->BorderRect, false);
  else
    InvalidateRectArea(whole, false);
  if (FViewInfo->ContainerState & cvsHot) StartMouseLeaveWatch(this, ControlBounds(), this);
  return true;
}

void TcxContainer::ComputeState(const TPoint& Point, bool HotTrackAllowed) {
  TcxContainerVisualState state;
  if (!Enabled())
    state = cvsDisabled;
  else if (IsDesigning())
    state = cvsNormal;
  else
    state = IsFocusedNow() ? cvsFocused : cvsNormal;
  if (HotTrackAllowed) {
    TRect active;
    CalcInnerControlRect(active);
    if (Point.X >= active.Left && Point.X < active.Right && Point.Y >= active.Top && Point.Y < active.Bottom)
      state |= cvsHot;
  }
  FViewInfo->ContainerState = state;
  TcxContainerStyle* style = ActiveStyle();
  FViewInfo->HotState = !style->HotTrack() ? 0 : (state & (cvsFocused | cvsHot)) ? 2 : 1;
  if (FViewInfo->NativeStyle) {
    FViewInfo->BorderStyle = NormalStyle()->BorderStyle();
  } else {
    TcxContainerBorderStyle borderStyle = style->BorderStyle();
    // Those two are drawn as a single line in colours of their own.
    if (borderStyle == cbsUltraFlat || borderStyle == cbsOffice11) borderStyle = cbsSingle;
    FViewInfo->BorderStyle = borderStyle;
  }
}

void TcxContainer::CalculateLayout(const TPoint& Point, bool HotTrackAllowed) {
  bool native = UsesNativeStyle();
  FViewInfo->NativeStyle = native;
  FViewInfo->AdoptStylePainter(NormalStyle());
  int oldWidth = ContainerBorderWidth(FViewInfo->BorderStyle);
  ComputeState(Point, HotTrackAllowed);
  // The active area depends on the border's width.
  if (!native && ContainerBorderWidth(FViewInfo->BorderStyle) < oldWidth) ComputeState(Point, HotTrackAllowed);
  if (native) {
    FViewInfo->ThemedObjectType = ThemedObjectType();
    FViewInfo->NativePart = NativePart();
    FViewInfo->NativeState = NativeState();
  }
  FViewInfo->Bounds = TRect(0, 0, Width(), Height());
  TRect extent;
  BorderExtent(extent);
  const TRect& b = FViewInfo->Bounds;
  FViewInfo->BorderRect = TRect(b.Left + extent.Left, b.Top + extent.Top, b.Right - extent.Right, b.Bottom - extent.Bottom);
  FViewInfo->ClientRect = FViewInfo->BorderRect;
  FViewInfo->BorderWidth = ContainerBorderWidthFor(FViewInfo->BorderStyle, FViewInfo->Painter);
  FViewInfo->Edges = ActiveStyle()->Edges();
  FViewInfo->Shadow = HasShadow();
  FViewInfo->BorderColor = BorderColor();
  FViewInfo->AssignBackgroundColor(BackgroundColor());
}

// ---- styles and colours -----------------------------------------------------------------------------

TcxContainerStyle* TcxContainer::ActiveStyle() {
  if (FViewInfo->ContainerState == FCachedState && FCachedStyle) return FCachedStyle;
  FCachedState = FViewInfo->ContainerState;
  FCachedStyle = StyleForState();
  return FCachedStyle;
}

TcxContainerStyle* TcxContainer::StyleForState() {
  TcxContainerVisualState state = FViewInfo->ContainerState;
  if (state & cvsDisabled) return FStyles->DisabledStyle();
  if (state & cvsFocused) return FStyles->FocusedStyle();
  if (NormalStyle()->HotTrack() && (state & cvsHot)) return FStyles->HotStyle();
  return NormalStyle();
}

void TcxContainer::BorderExtent(TRect& Extent) {
  TcxContainerStyle* style = ActiveStyle();
  const bool native = FViewInfo->NativeStyle;
  if (style->TransparentBorder()) {
    Extent = TRect(2, 2, 2, 2);
  } else if (!style->ShowsBorder() || (native && NormalStyle()->BorderStyle() == cbsNone)) {
    Extent = TRect(0, 0, 0, 0);
  } else if (native) {
    Extent = TRect(2, 2, 2, 2);
  } else {
    int w = ContainerBorderWidth(FViewInfo->BorderStyle);
    TcxBorders edges = style->Edges();
    Extent = TRect(edges.Contains(bLeft) ? w : 0, edges.Contains(bTop) ? w : 0, edges.Contains(bRight) ? w : 0,
                   edges.Contains(bBottom) ? w : 0);
  }
  if (HasShadow()) {
    Extent.Right += kShadowSize;
    Extent.Bottom += kShadowSize;
  }
}

void TcxContainer::CalcInnerControlRect(TRect& R) {
  R = TRect(0, 0, Width(), Height());
  if (IsInPlace()) return;
  if (FViewInfo->Shadow) {
    R.Right -= kShadowSize;
    R.Bottom -= kShadowSize;
  }
  TcxContainerStyle* normal = NormalStyle();
  auto deflate = [&R](int d) { R = TRect(R.Left + d, R.Top + d, R.Right - d, R.Bottom - d); };
  if (!normal->ShowsBorder()) {
    if (normal->TransparentBorder()) deflate(kTransparentBorderWidth);
  } else if (FViewInfo->NativeStyle) {
    if (normal->TransparentBorder() && normal->BorderStyle() == cbsNone) deflate(kTransparentBorderWidth);
  } else if (normal->TransparentBorder()) {
    int w = ContainerBorderWidth(FViewInfo->BorderStyle);
    deflate(kTransparentBorderWidth - w);
    DeflateRectOffEdges(R, w, ActiveStyle()->Edges());
  }
  if (R.Bottom < R.Top) R = TRect(R.Left, 0, R.Right, 0);
}

TColor TcxContainer::BackgroundColor() {
  TColor content, text;
  DefaultColors(content, text);
  if (content != clDefault) return content;
  TcxContainerStyle* style = ActiveStyle();
  TColor color = style->Color();
  if (FViewInfo->NativeStyle && !Enabled() && !style->IsValueAssigned(csvColor)) {
    COLORREF fill = 0;
    if (UxGetThemeColor(AcquireThemeHandle(FViewInfo->ThemedObjectType), FViewInfo->NativePart, FViewInfo->NativeState,
                        kThemeFillColor, fill) == S_OK)
      color = static_cast<TColor>(fill);
  }
  return color;
}

void TcxContainer::DefaultColors(TColor& ContentColor, TColor& TextColor) {
  ContentColor = clDefault;
  TextColor = clDefault;
  TcxCustomLookAndFeelPainterClass painter = FViewInfo->Painter;
  if (!painter) return;
  TcxContainerStyle* normal = NormalStyle();
  TcxContainerStyle* active = ActiveStyle();
  if (!normal->IsValueAssigned(csvTextColor) && !active->IsValueAssigned(csvTextColor))
    TextColor = painter->DefaultEditorTextColorOfKind(PaintStateCode());
  if (!ParentColor() && !normal->IsValueAssigned(csvColor) && !active->IsValueAssigned(csvColor))
    ContentColor = painter->DefaultEditorBackgroundColorOfKind(PaintStateCode());
}

TColor TcxContainer::BorderColor() {
  TcxContainerVisualState state = FViewInfo->ContainerState;
  TcxContainerStyle* style = ActiveStyle();
  bool highlighted = (state & cvsFocused) || ((state & cvsHot) && style->HotTrack()) || (IsDesigning() && Enabled());
  if (TcxCustomLookAndFeelPainterClass skin = NormalStyle()->LookAndFeel()->SkinPainter())
    return skin->ContainerFrameColor(highlighted);
  TcxContainerBorderStyle borderStyle = style->BorderStyle();
  if (borderStyle == cbsUltraFlat || borderStyle == cbsOffice11) {
    if (!highlighted) return clBtnShadow;
    return borderStyle == cbsOffice11 ? Office11HighlightFrameColor : clHighlight;
  }
  return style->BorderColor();
}

TFont* TcxContainer::EffectiveFont() {
  TFont* font = ActiveStyle()->DisplayFont();
  TColor content, text;
  DefaultColors(content, text);
  if (text != clDefault) font->SetColor(text);
  return font;
}

int TcxContainer::PaintStateCode() {
  if (!Enabled()) return 1;
  return IsFocusedNow() ? 0 : 2;
}

bool TcxContainer::HasShadow() { return ActiveStyle()->Shadow() && !UsesNativeStyle(); }

bool TcxContainer::UsesNativeStyle() {
  return NormalStyle()->LookAndFeel()->NativeStyle() && IsNativeThemeActive(true, ThemedObjectType());
}

bool TcxContainer::UsesPlainBorder() { return !(FViewInfo->NativeStyle && FViewInfo->BorderStyle != cbsNone); }

TdxThemeClassId TcxContainer::ThemedObjectType() { return tciEdit; }
int TcxContainer::NativePart() { return IsWindowsVistaOrLater ? 3 : 1; }

int TcxContainer::NativeState() {
  if (!Enabled()) return 4;
  if (IsReadOnlyState()) return 6;
  if (IsFocusedNow()) return 5;
  return (FViewInfo->ContainerState & cvsHot) ? 2 : 1;
}

void TcxContainer::ContainerStyleChanged(TObject*) {
  if (FConstructing || ComponentState().Contains(csLoading) || IsDestroying()) return;
  RefreshStateAtCursor(false);
  {
    TcxFlagScope applying(FStyleApplying, true);
    if (!ParentColor() || NormalStyle()->AssignedValues().Contains(csvColor))
      SetColor(NormalStyle()->ResolvedColor());
    // Taking the style's font is no choice of a font of its own: the parent's may still fill it.
    bool parentFont = FParentFont;
    SetFont(NormalStyle()->Font());
    FParentFont = parentFont;
  }
  if (NormalStyle()->IsValueAssigned(csvFont)) SetParentFont(false);
}

bool TcxContainer::StoresStyleProperty(const String& Name, bool IsStateStyle) {
  if (IsStateStyle && !NormalStyle()->IsPublishedInStateStyles(Name)) return false;
  TcxContainerStyleValue value = 0;
  return !(NormalStyle()->FindStyleValue(Name, value) && HiddenStyleValues().Contains(value));
}

TcxContainerStyleClass TcxContainer::StyleClass() { return FClasses.StyleClass; }
TcxContainerStylesClass TcxContainer::StylesClass() { return FClasses.StylesClass; }
TcxContainerViewInfoClass TcxContainer::ViewInfoClass() { return FClasses.ViewInfoClass; }
TcxContainerStyleValues TcxContainer::HiddenStyleValues() { return {}; }

// ---- simple answers ---------------------------------------------------------------------------------

bool TcxContainer::HandlesTabKey() { return true; }
bool TcxContainer::AcceptsContextPopupAt(const TPoint&) { return true; }
void TcxContainer::RefreshState() { RefreshStateAtCursor(false); }
bool TcxContainer::DefaultParentColor() { return false; }
bool TcxContainer::HandleInnerMessage(TMessage&) { return false; }
bool TcxContainer::IsFocusedNow() { return IsFocused(); }
bool TcxContainer::HostsChildControls() { return false; }
bool TcxContainer::IsTrackingMouse() { return IsMouseLeaveWatched(this); }
bool TcxContainer::IsReadOnlyState() { return false; }
bool TcxContainer::DependsOnParentLook() { return false; }
bool TcxContainer::HasOpenPopup() { return false; }
bool TcxContainer::IsInPlace() { return false; }
void TcxContainer::ShadowInsets(TRect& R) { R = TRect(0, 0, 0, 0); }

void TcxContainer::InvokeInnerHandler(TObject* A, TObject* B) {
  if (OnInnerHandler) OnInnerHandler(A, B);
}

bool TcxContainer::IsScrollBarInfoVisible(const SCROLLBARINFO& Info) {
  return (Info.rgstate[0] & kScrollBarHiddenStates) == 0;
}

void TcxContainer::HandleMouseLeft() {
  TcxControl::NotifyMouseLeave(this);
  RefreshStateAtCursor(true);
  StopMouseLeaveWatch(this);
}

// ---- window region and shadow -----------------------------------------------------------------------

void TcxContainer::ShadowOutline(TRect& R) {
  TRect extent;
  BorderExtent(extent);
  const TRect& b = FViewInfo->Bounds;
  R = TRect(b.Left + extent.Left, b.Top + extent.Top, b.Right - extent.Right, b.Bottom - extent.Bottom);
  int w = ContainerBorderWidthFor(FViewInfo->EffectiveBorderStyle(), FViewInfo->Painter);
  R = TRect(R.Left - w, R.Top - w, R.Right + w, R.Bottom + w);
  DeflateRectOffEdges(R, w, ActiveStyle()->Edges());
}

HRGN TcxContainer::BuildWindowRegion() {
  TRect outline, insets;
  ShadowOutline(outline);
  ShadowInsets(insets);
  bool nativeBorder = FViewInfo->NativeStyle && FViewInfo->BorderStyle != cbsNone;
  HRGN region = MakeShadowRegion(WindowHandle(), outline, insets, TRect(), FViewInfo->Shadow, nativeBorder);
  if (UsesPlainBorder()) {
    HRGN own = CreateRectRgn(outline.Left, outline.Top, outline.Right, outline.Bottom);
    if (region) {
      CombineRgn(region, region, own, RGN_OR);
      DeleteObject(own);
    } else {
      region = own;
    }
  }
  return region;
}

void TcxContainer::UpdateWindowRegion() {
  if (HandleAllocated()) ApplyWindowRegion(Handle(), BuildWindowRegion());
}

void TcxContainer::ClipOutShadow() {
  TRect outline, insets;
  ShadowOutline(outline);
  ShadowInsets(insets);
  HRGN region = MakeShadowRegion(WindowHandle(), outline, insets, TRect(), FViewInfo->Shadow, !UsesPlainBorder());
  if (region) Canvas()->ApplyClipRegion(new TcxRegion(region), rcmIntersect);
}

// ---- painting ---------------------------------------------------------------------------------------

void TcxContainer::Paint() {
  // The layout first: before the first recalculation the bounds are empty and never visible.
  EnsureLayout();
  if (!Canvas()->IsRectVisible(FViewInfo->Bounds)) return;
  if (ControlState().Contains(csPaintCopy)) ClipOutShadow();
  FViewInfo->PaintWithHandler(Canvas());
}

void TcxContainer::Invalidate() {
  TcxControl::Invalidate();
  if (FInnerControl) FInnerControl->Invalidate();
}

void TcxContainer::Update() {
  TcxControl::Update();
  if (FInnerControl) FInnerControl->Update();
}

// ---- the inner control ------------------------------------------------------------------------------

void TcxContainer::SyncInnerControlAppearance() {
  if (!FInnerControl) return;
  FInnerControl->SetColor(FViewInfo->BackgroundColor);
  TFont font;
  font.Assign(EffectiveFont());
  FInnerControl->SetFont(&font);
}

void TcxContainer::PlaceInnerControl() {
  if (!FInnerControl) return;
  const TRect& c = FViewInfo->ClientRect;
  if (FInnerControl->Left() == c.Left && FInnerControl->Top() == c.Top && FInnerControl->Width() == c.Right - c.Left &&
      FInnerControl->Height() == c.Bottom - c.Top)
    return;
  TcxCounterScope depth(FRecalcDepth);
  FInnerControl->SetBounds(c.Left, c.Top, c.Right - c.Left, c.Bottom - c.Top);
}

void TcxContainer::AdjustClientRect(RECT& Rect) {
  if (!IsDestroying() && FViewInfo) Rect = FViewInfo->ClientRect;
}

TRect TcxContainer::ClientBounds() { return FViewInfo->ClientRect; }

void TcxContainer::ClipChildToClient(const TRect& Rect, TWinControl* Control, TcxContainerInnerControlClip& Clip) {
  if (!Control) {
    Clip.NoClip = true;
    Clip.Rect = TRect();
    return;
  }
  Clip.Rect = TRect(0, 0, Control->Width(), Control->Height());
  bool moved = false;
  int left = Control->Left(), top = Control->Top();
  int right = left + Control->Width(), bottom = top + Control->Height();
  if (left < Rect.Left) Clip.Rect.Left += Rect.Left - left, moved = true;
  if (top < Rect.Top) Clip.Rect.Top += Rect.Top - top, moved = true;
  if (right > Rect.Right) Clip.Rect.Right -= right - Rect.Right, moved = true;
  if (bottom > Rect.Bottom) Clip.Rect.Bottom -= bottom - Rect.Bottom, moved = true;
  Clip.NoClip = !moved;
}

void TcxContainer::AlignControls(TControl* AControl, RECT& Rect) {
  if (HostsChildControls()) {
    TcxControl::AlignControls(AControl, Rect);
    return;
  }
  if (FInnerAlignmentLock > 0 || IsInternalControl(AControl)) return;
  if (!AControl) TcxControl::AlignControls(AControl, Rect);
  if (FConstructing) return;
  auto* control = dynamic_cast<TWinControl*>(AControl);
  if (!control || !control->HandleAllocated()) return;
  TcxContainerInnerControlClip clip;
  ClipChildToClient(TRect(Rect), control, clip);
  bool differs = true;
  if (control == FInnerControl)
    differs = clip.NoClip != FInnerControlClip.NoClip || (!clip.NoClip && clip.Rect != FInnerControlClip.Rect);
  if (!differs) return;
  ApplyChildClip(control, clip);
  if (control == FInnerControl) FInnerControlClip = clip;
}

void TcxContainer::LockInnerAlignment(bool Lock) {
  if (Lock)
    ++FInnerAlignmentLock;
  else if (FInnerAlignmentLock > 0)
    --FInnerAlignmentLock;
}

void TcxContainer::FocusInnerControl() {
  if (FInnerControl) FInnerControl->SetFocus();
}

void TcxContainer::PropagateDragKind(TDragKind Value) {
  SetDragKind(Value);
  if (FInnerControl) FInnerControl->SetDragKind(Value);
}

// ---- mirrored scroll bars ---------------------------------------------------------------------------

bool TcxContainer::UsesInternalScrollBars() { return false; }

void TcxContainer::RecalcScrollBars() {
  TcxControl::RecalcScrollBars();
  SyncInnerScrollBars(false);
}

bool TcxContainer::GetInnerScrollBarInfo(SCROLLBARINFO& Info, TScrollBarKind Kind) {
  if (IsDestroying() || !Parent() || !HandleAllocated() || !FInnerControl || !FInnerControl->HandleAllocated())
    return false;
  return QueryScrollBarInfo(FInnerControl->Handle(), Kind == sbHorizontal ? OBJID_HSCROLL : OBJID_VSCROLL, Info);
}

void TcxContainer::InnerScrollBarBounds(const RECT& BarRect, TRect& R) {
  POINT p = ScreenToClient(POINT{BarRect.left, BarRect.top});
  int w = BarRect.right - BarRect.left, h = BarRect.bottom - BarRect.top;
  if (p.x < 0 || p.y < 0 || w > Width() || h > Height())
    R = TRect(0, 0, 0, 0);
  else
    R = TRect(p.x, p.y, w, h);
}

bool TcxContainer::InnerScrollBarEnabled(TcxScrollBar* ScrollBar, const SCROLLBARINFO& Info) {
  TWinControl* parent = ScrollBar->Parent();
  return parent && parent->Enabled() && (Info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
}

void TcxContainer::ShowInnerScrollBar(TcxScrollBar* ScrollBar, bool Visible) {
  ScrollBar->SetVisible(Visible);
  if (!Visible) return;
  ScrollBar->SetCtl3D(false);
  ScrollBar->BringToFront();
}

void TcxContainer::SyncInnerScrollBar(TcxScrollBar* ScrollBar) {
  SCROLLBARINFO info;
  if (GetInnerScrollBarInfo(info, ScrollBar->Kind()) && IsScrollBarInfoVisible(info)) {
    ScrollBar->SetEnabled(InnerScrollBarEnabled(ScrollBar, info));
    TRect r;  // left, top, width, height
    InnerScrollBarBounds(info.rcScrollBar, r);
    ScrollBar->SetBounds(r.Left, r.Top, r.Right, r.Bottom);
    ShowInnerScrollBar(ScrollBar, r.Right > 0 && r.Bottom > 0);
  } else {
    ShowInnerScrollBar(ScrollBar, false);
  }
}

void TcxContainer::SyncInnerScrollBars(bool KeepVisibility) {
  if (!FInnerControl || !UsesInternalScrollBars() || IsDestroying() || !ScrollBarInfoApiAvailable()) return;
  if (!HScrollBar() || !VScrollBar()) return;
  TcxFlagScope syncing(FScrollBarSyncing, true);
  for (TcxScrollBar* bar : {static_cast<TcxScrollBar*>(HScrollBar()), static_cast<TcxScrollBar*>(VScrollBar())}) {
    if (!KeepVisibility) SyncInnerScrollBar(bar);
    if (!bar->Visible() || !FInnerControl->HandleAllocated()) continue;
    SCROLLINFO si;
    si.cbSize = 28;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    if (!GetScrollInfo(FInnerControl->Handle(), bar->Kind() == sbHorizontal ? SB_HORZ : SB_VERT, &si)) continue;
    if (si.nMax < static_cast<int>(si.nPage)) si.nPage = static_cast<UINT>(si.nMax);
    try {
      bar->ApplyScrollParams(si.nMin, si.nMax, si.nPos, static_cast<int>(si.nPage), true);
    } catch (const Exception&) {
      // A range the bar refuses leaves it as it was.
    }
  }
  TRect grip;
  bool gripVisible = false;
  TcxScrollBar* h = HScrollBar();
  TcxScrollBar* v = VScrollBar();
  if (h->Visible() && v->Visible() && FInnerControl->HandleAllocated() &&
      dynamic_cast<IcxContainerInnerControl*>(FInnerControl)) {
    POINT corner{v->ClientToScreen(POINT{0, 0}).x, h->ClientToScreen(POINT{0, 0}).y};
    RECT window;
    GetWindowRect(FInnerControl->Handle(), &window);
    grip = TRect(corner.x - window.left, corner.y - window.top, corner.x - window.left + v->Width(),
                 corner.y - window.top + h->Height());
    gripVisible = true;
  }
  if (gripVisible && (!FSizeGripVisible || grip != FSizeGripRect)) {
    HRGN region = CreateRectRgn(grip.Left, grip.Top, grip.Right, grip.Bottom);
    SendMessage(FInnerControl->Handle(), WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
    DeleteObject(region);
  }
  FSizeGripRect = grip;
  FSizeGripVisible = gripVisible;
}

// ---- focus ------------------------------------------------------------------------------------------

bool TcxContainer::IsFocused() {
  if (IsDesigning() || ControlState().Contains(csDestroyingHandle)) return false;
  if (HandleAllocated() && Focused()) return true;
  return FInnerControl && FInnerControl->HandleAllocated() && FInnerControl->Focused();
}

void TcxContainer::TakeFocus() {
  if (IsDesigning() || IsFocused()) return;
  TcxControl::SetFocus();
  if (FInnerControl && FInnerControl->HandleAllocated() && HandleAllocated() && GetFocus() == Handle()) {
    FocusInnerControl();
    if (TCustomForm* form = GetParentForm()) form->FocusControl(FInnerControl);
  }
}

void TcxContainer::SetFocus() { TakeFocus(); }

void TcxContainer::GetTabOrderList(TControlList& List) {
  if (HostsChildControls()) {
    TcxControl::GetTabOrderList(List);
    return;
  }
  // The inner control is reached through the container; while it has the focus it stands in the
  // container's place, so that moving back from it leaves the container.
  TCustomForm* form = GetParentForm();
  TWinControl* active = form ? form->ActiveControl() : nullptr;
  if (!active || active == this || active != FInnerControl || !CanFocus()) return;
  auto self = std::find(List.begin(), List.end(), static_cast<TControl*>(this));
  if (self != List.end()) *self = FInnerControl;
}

bool TcxContainer::IsFocusable() {
  return !(FInnerControl && FInnerControl->HandleAllocated() && FInnerControl->Focused());
}

bool TcxContainer::CanFocusOnClick() {
  if (!TcxControl::CanFocusOnClick() || FInnerClick) return false;
  return !(FInnerControl && FInnerControl->HandleAllocated() && FInnerControl->Focused());
}

bool TcxContainer::HandleInnerKeyDown(TMessage& Message) {
  if (Message.Msg != CN_KEYDOWN && Message.Msg != CN_SYSKEYDOWN) return false;
  if (!IsPopupShortCutInChain(Message)) return false;
  Message.Result = 1;
  return true;
}

void TcxContainer::KeyDown(WORD& Key, TShiftState Shift) {
  TcxControl::KeyDown(Key, Shift);
  if (Key != VK_TAB || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl)) return;
  if (!IsFocused() || !HandlesTabKey()) return;
  Key = 0;
  if (TCustomForm* form = GetParentForm()) form->SelectNext(this, !Shift.Contains(ssShift), true);
  if (HandleAllocated() && GetFocus() == Handle() && FInnerControl && FInnerControl->CanFocus()) FocusInnerControl();
}

// ---- notifications of the control base --------------------------------------------------------------

TcxLookAndFeel* TcxContainer::CurrentLookAndFeel() { return NormalStyle()->LookAndFeel(); }

void TcxContainer::StateChangeHook() {
  TcxControl::StateChangeHook();
  RefreshStateAtCursor(false);
}

void TcxContainer::NotifyMouseEnter(TControl* AControl) {
  TcxControl::NotifyMouseEnter(AControl);
  RefreshStateAtCursor(true);
  StartMouseLeaveWatch(this, ControlBounds(), this);
}

void TcxContainer::NotifyMouseLeave(TControl* AControl) {
  TcxControl::NotifyMouseLeave(AControl);
  RefreshStateAtCursor(true);
  StopMouseLeaveWatch(this);
}

void TcxContainer::HandleColorChange() {
  if (FStyleApplying) {
    TcxControl::HandleColorChange();
    RefreshState();
    return;
  }
  NormalStyle()->SetColor(Color());
}

void TcxContainer::NotifyFocusChanged() {
  TcxControl::NotifyFocusChanged();
  RefreshState();
}

void TcxContainer::BoundsChanged() { TcxControl::BoundsChanged(); }

void TcxContainer::Resize() {
  TcxControl::Resize();
  RefreshState();
}

void TcxContainer::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxControl::MouseDown(Button, Shift, X, Y);
  if (IsTrackingMouse()) RecalcState(TPoint(X, Y), MouseButtonCode(Button), Shift, true);
}

void TcxContainer::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxControl::MouseUp(Button, Shift, X, Y);
  if (IsTrackingMouse()) RecalcState(TPoint(X, Y), MouseButtonCode(Button), Shift, true);
}

void TcxContainer::MouseMove(TShiftState Shift, int X, int Y) {
  TcxControl::MouseMove(Shift, X, Y);
  if (IsDestroying()) return;
  RecalcState(TPoint(X, Y), 0, Shift, true);
  StartMouseLeaveWatch(this, ControlBounds(), this);
}

void TcxContainer::DoContextPopup(POINT MousePos, bool& Handled) {
  if ((MousePos.x == -1 && MousePos.y == -1) || AcceptsContextPopupAt(TPoint(MousePos.x, MousePos.y))) {
    TcxControl::DoContextPopup(MousePos, Handled);
    return;
  }
  Handled = true;
}

void TcxContainer::ChangeScale(int M, int D) {
  {
    TcxFlagScope applying(FStyleApplying, !ParentFont());
    TcxControl::ChangeScale(M, D);
  }
  if (M != D && NormalStyle()->IsValueAssigned(csvFont) && !ComponentState().Contains(csLoading)) {
    TFont* font = NormalStyle()->Font();
    font->SetSize(MulDiv(font->Size(), M, D));
  }
}

// ---- the window -------------------------------------------------------------------------------------

void TcxContainer::CreateParams(TCreateParams& Params) {
  TcxControl::CreateParams(Params);
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TcxContainer::CreateWindowHandle(const TCreateParams& Params) {
  if (CodePointCount(Params.Caption) < kLongCaption) {
    TcxControl::CreateWindowHandle(Params);
    return;
  }
  TCreateParams shortParams = Params;
  shortParams.Caption.clear();
  TcxControl::CreateWindowHandle(shortParams);
  if (HandleAllocated())
    DefWindowProc(WindowHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Params.Caption.c_str()));
}

void TcxContainer::CreateWnd() {
  TcxControl::CreateWnd();
  if (FInnerControl && CanGetWindowHandle(FInnerControl)) FInnerControl->HandleNeeded();
  RefreshState();
}

bool TcxContainer::ForwardKeyToInner(TMessage& Message) {
  if (!FInnerControl || !FInnerControl->HandleAllocated()) return false;
  Message.Result = SendMessage(FInnerControl->Handle(), Message.Msg, Message.WParam, Message.LParam);
  return true;
}

void TcxContainer::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN: case WM_KEYUP: case WM_CHAR: case CN_KEYDOWN: case CN_KEYUP: case CN_CHAR:
      if (ForwardKeyToInner(Message)) return;
      break;
    case WM_SHOWWINDOW:
      if (!Visible()) return;
      break;
    case WM_NCCALCSIZE:
      if (FRecalcDepth > 0) {
        Message.Result = 0;
        return;
      }
      break;
    case WM_NCPAINT: Message.Result = 0; return;
    case WM_SETCURSOR:
      if (FInnerControl && reinterpret_cast<HWND>(Message.WParam) == WindowHandle() &&
          LOWORD(Message.LParam) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        p = ScreenToClient(p);
        const TRect& c = FViewInfo->ClientRect;
        if (!(p.x >= c.Left && p.x < c.Right && p.y >= c.Top && p.y < c.Bottom)) {
          if (Screen) win::SetCursor(Screen->Cursors(crArrow));
          Message.Result = 1;
          return;
        }
      }
      break;
    case CM_SYNCINNERSCROLLBARS: SyncInnerScrollBars(false); return;
    case CM_REFRESHCONTAINERSTATE: RefreshStateAtCursor(false); return;
    case WM_SETFOCUS:
      if (FInnerControl && FInnerControl->HandleAllocated() &&
          reinterpret_cast<HWND>(Message.WParam) == FInnerControl->Handle())
        return;
      TcxControl::WndProc(Message);
      if (!IsDestroying() && FInnerControl && FInnerControl->HandleAllocated() && FInnerControl->CanFocus())
        FocusInnerControl();
      return;
    case WM_KILLFOCUS:
      if (FInnerControl && FInnerControl->HandleAllocated() &&
          reinterpret_cast<HWND>(Message.WParam) == FInnerControl->Handle())
        return;
      break;
    case WM_WINDOWPOSCHANGING:
      if (IsDestroying()) {
        Message.Result = 0;
        return;
      }
      TcxControl::WndProc(Message);
      if (HandleAllocated() && GetFocus() == Handle() && FInnerControl && FInnerControl->HandleAllocated() &&
          FInnerControl->CanFocus() && !ControlState().Contains(csFocusing))
        if (TCustomForm* form = GetParentForm()) form->FocusControl(FInnerControl);
      return;
    case WM_WINDOWPOSCHANGED:
      TcxControl::WndProc(Message);
      if (!IsDestroying() && DependsOnParentLook()) RefreshState();
      return;
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
      if (DragMode() == dmAutomatic && !IsDesigning() && !::DragObject()) {
        BeginDrag(false);
        return;
      }
      break;
    default: break;
  }
  TcxControl::WndProc(Message);
}

void TcxContainer::HandleFontChanged(TMessage& Message) {
  if (FStyleApplying) {
    TcxControl::Dispatch(Message);
    PlaceInnerControl();
    SyncInnerScrollBars(false);
    RefreshState();
    return;
  }
  bool wasAssigned = NormalStyle()->AssignedValues().Contains(csvFont);
  NormalStyle()->SetFont(Font());
  if (!wasAssigned) NormalStyle()->RemoveAssignedValueQuietly(csvFont);
  TcxControl::Dispatch(Message);
}

void TcxContainer::HandleParentColorChanged(TMessage& Message) {
  bool wasAssigned = NormalStyle()->AssignedValues().Contains(csvColor);
  TcxControl::Dispatch(Message);
  if (!wasAssigned || ParentColor()) NormalStyle()->RemoveAssignedValueQuietly(csvColor);
  if (NormalStyle()->Color() != Color()) ContainerStyleChanged(NormalStyle());
  if (DependsOnParentLook() && !ParentColor()) Invalidate();
}

void TcxContainer::HandleParentFontChanged(TMessage& Message) {
  bool wasAssigned = NormalStyle()->AssignedValues().Contains(csvFont);
  TcxControl::Dispatch(Message);
  if (!ParentFont()) NormalStyle()->RefreshFont();
  if (!wasAssigned || ParentFont()) NormalStyle()->RemoveAssignedValueQuietly(csvFont);
}

void TcxContainer::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_FONTCHANGED: HandleFontChanged(Message); return;
    case CM_PARENTCOLORCHANGED: HandleParentColorChanged(Message); return;
    case CM_PARENTFONTCHANGED: HandleParentFontChanged(Message); return;
    case CM_ENABLEDCHANGED:
      TcxControl::Dispatch(Message);
      for (int i = 0; i < ControlCount(); ++i)
        if (auto* bar = dynamic_cast<TcxScrollBar*>(Controls(i))) bar->SetEnabled(Enabled());
      RefreshState();
      return;
    case CM_CTL3DCHANGED:
    case CM_SYSCOLORCHANGE:
      TcxControl::Dispatch(Message);
      RefreshState();
      return;
    case CM_CURSORCHANGED:
      TcxControl::Dispatch(Message);
      if (FInnerControl) FInnerControl->SetCursor(Cursor());
      return;
    default: TcxControl::Dispatch(Message);
  }
}

// ---- free routines ----------------------------------------------------------------------------------

bool ContainerHandlesInnerMessage(TcxContainer* Container, TMessage& Message) {
  return Container && Container->InnerControl() && !Container->IsDestroying() && Container->HandleInnerMessage(Message);
}

void LockInnerControlAlignment(TcxContainer* Container, bool Lock) {
  if (Container) Container->LockInnerAlignment(Lock);
}

void PostInnerScrollBarsSync(TcxContainer* Container) {
  if (!Container || Container->IsDestroying()) return;
  if (Container->HandleAllocated() && Container->InnerControl())
    PostMessage(Container->Handle(), CM_SYNCINNERSCROLLBARS, 0, 0);
}

bool IsComponentDestroying(TComponent* Component) {
  return Component && Component->ComponentState().Contains(csDestroying);
}
