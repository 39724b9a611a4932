#include "ui/editors/EditPopupWindow.h"

#include <algorithm>

#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"
#include "ui/controls/ContainerViewInfo.h"
#include "ui/controls/ControlServices.h"
#include "ui/controls/EditUtils.h"
#include "ui/foundation/ObjectLinks.h"
#include "ui/foundation/ScopeGuards.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;

namespace {

constexpr int kShadow = 3;
// Theme parts: the status bar's gripper, the scroll bar's size box, the small caption close button.
constexpr int kStatusGripperPart = 3;
constexpr int kScrollSizeBoxPart = 10;
constexpr int kSmallCloseButtonPart = 19;

// Process-wide: one popup is resized at a time.
TRect gSizeFrameRect;
TRect gLastNonEmptyFrameRect;

bool IsEmptyRect(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

TSize ThemePartSize(TdxThemeClassId ClassId, int Part, int State) {
  TSize size(0, 0);
  if (HTHEME theme = AcquireThemeHandle(ClassId)) UxGetThemePartSizeNoRect(theme, nullptr, Part, State, TS_TRUE, size);
  return size;
}

bool GripOnRight(int Corner) { return Corner == 1 || Corner == 3; }
bool GripAtBottom(int Corner) { return Corner == 2 || Corner == 3; }

}  // namespace

const TRect& PopupSizeFrameRect() { return gSizeFrameRect; }

// ---- TcxCustomEditPopupWindowViewInfo ------------------------------------------------------------------

TcxCustomLookAndFeelPainterClass TcxCustomEditPopupWindowViewInfo::LookPainter() {
  if (IsSkinned()) return Painter;
  return LookAndFeelPainterClassFor(NativeStyle, LookAndFeelKind);
}

int TcxCustomEditPopupWindowViewInfo::BorderWidth() {
  if (OnCustomDrawBorder) {
    bool handled = false;
    int width = 0;
    OnCustomDrawBorder(this, nullptr, Bounds, handled, width);
    if (handled) return width;
  }
  if (NativeStyle || IsSkinned()) return 1;
  static constexpr int kWidths[] = {0, 1, 4, 2};
  return kWidths[PopupBorderStyle];
}

int TcxCustomEditPopupWindowViewInfo::ClientEdgeWidth() {
  if (!ClientEdge) return 0;
  if (NativeStyle || IsSkinned()) return 2;
  static constexpr int kWidths[] = {0, 2, 2, 1};
  return kWidths[PopupBorderStyle];
}

int TcxCustomEditPopupWindowViewInfo::GripRowHeight() {
  int h = std::max(GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CYSIZE));
  if (IsNativeThemeActive(NativeStyle, tciScrollBar)) {
    h = std::max(h, static_cast<int>(ThemePartSize(tciStatus, kStatusGripperPart, 1).cy));
    h = std::max(h, static_cast<int>(ThemePartSize(tciScrollBar, kScrollSizeBoxPart, 1).cy));
  }
  return h;
}

int TcxCustomEditPopupWindowViewInfo::SysPanelHeight() {
  int h = GripRowHeight();
  if (MinSysPanelHeight > 0) h = std::max(h, MinSysPanelHeight);
  return h;
}

int TcxCustomEditPopupWindowViewInfo::SizeGripSide() {
  int side = GripRowHeight() - 2;
  if (IsNativeThemeActive(NativeStyle, tciScrollBar))
    side = std::max(side, static_cast<int>(ThemePartSize(tciScrollBar, kScrollSizeBoxPart, 1).cx) + 2);
  return side;
}

bool TcxCustomEditPopupWindowViewInfo::ThemedCloseButton() {
  return CloseButton && IsNativeThemeActive(NativeStyle, tciWindow);
}

int TcxCustomEditPopupWindowViewInfo::CloseButtonSide() {
  if (!CloseButton) return 0;
  if (ThemedCloseButton()) return ThemePartSize(tciWindow, kSmallCloseButtonPart, 1).cx;
  return GripRowHeight() - 4;
}

void TcxCustomEditPopupWindowViewInfo::BorderExtents(TRect& R) {
  const int d = BorderWidth() + ClientEdgeWidth();
  R = TRect(d, d, d, d);
  if (Shadow) {
    R.Right += kShadow;
    R.Bottom += kShadow;
  }
  if (!SysPanelStyle) return;
  int panel = SysPanelHeight();
  if (NativeStyle || PopupBorderStyle == epbsSingle || IsSkinned()) ++panel;
  if (GripAtBottom(SizeGripCorner))
    R.Bottom += panel;
  else
    R.Top += panel;
}

int TcxCustomEditPopupWindowViewInfo::HitTest(const TPoint& P) {
  auto inside = [&](const TRect& r) {
    return !IsEmptyRect(r) && P.X >= r.Left && P.X < r.Right && P.Y >= r.Top && P.Y < r.Bottom;
  };
  if (SysPanelStyle && CloseButton && inside(CloseButtonRect)) return 0;
  if (SysPanelStyle && Sizeable && inside(SizeGripSizingRect)) return 1;
  return -1;
}

void TcxCustomEditPopupWindowViewInfo::DrawBorder(TcxCanvas* Canvas, TRect& R) {
  auto shrink = [&R](int n) {
    R.Left += n;
    R.Top += n;
    R.Right -= n;
    R.Bottom -= n;
  };
  if (OnCustomDrawBorder) {
    bool handled = false;
    int width = 0;
    OnCustomDrawBorder(this, Canvas, R, handled, width);
    if (handled) {
      shrink(width);
      return;
    }
  }
  if (NativeStyle) {
    COLORREF frame = ColorToRGB(clBtnText);
    if (IsNativeThemeActive(true, tciListBox)) UxGetThemeColor(AcquireThemeHandle(tciListBox), 3, 1, 3801, frame);
    Canvas->DrawSideFrame(R, static_cast<TColor>(frame));
    shrink(1);
    return;
  }
  if (IsSkinned()) {
    Canvas->DrawSideFrame(R, Painter->ContainerFrameColor(false));
    shrink(1);
    return;
  }
  switch (PopupBorderStyle) {
    case epbsSingle:
      Canvas->DrawSideFrame(R, clBtnText);
      shrink(1);
      break;
    case epbsFrame3D:
    case epbsFlat:
      Canvas->Draw3DEdge(R, false, true);
      shrink(1);
      Canvas->Draw3DEdge(R, false, false);
      shrink(1);
      if (PopupBorderStyle == epbsFlat) break;
      Canvas->DrawSideFrame(R, ClientEdge ? clInactiveBorder : clBtnFace);
      shrink(1);
      if (ClientEdge)
        Canvas->DrawSideFrame(R, clBtnFace);
      else
        Canvas->Draw3DEdge(R, true, true);
      shrink(1);
      break;
    default: break;
  }
}

void TcxCustomEditPopupWindowViewInfo::PaintBody(TcxCanvas* Canvas) {
  TRect r(0, 0, Bounds.Right - Bounds.Left, Bounds.Bottom - Bounds.Top);
  if (Shadow) {
    PaintContainerShadow(Canvas, r);
    r.Right -= kShadow;
    r.Bottom -= kShadow;
  }
  DrawBorder(Canvas, r);
  const TColor face = clBtnFace;
  // The content covers the client area; what it leaves free, and the panel, show the face.
  if (IsSkinned())
    Painter->FillBackground(Canvas, r, false, face, nullptr);
  else
    Canvas->FillRectWithColor(r, face);
  const TColor frameColor = IsSkinned() ? Painter->ContainerFrameColor(false) : clBtnText;
  if (SysPanelStyle && (PopupBorderStyle == epbsSingle || ThemedCloseButton())) {
    const int y = GripAtBottom(SizeGripCorner) ? SysPanelRect.Top - 1 : SysPanelRect.Bottom;
    Canvas->FillRectWithColor(TRect(SysPanelRect.Left, y, SysPanelRect.Right, y + 1), frameColor);
  }
  if (ClientEdge) {
    const int e = ClientEdgeWidth();
    TRect edge(ClientRect.Left - e, ClientRect.Top - e, ClientRect.Right + e, ClientRect.Bottom + e);
    Canvas->Draw3DEdge(edge, true, true);
    if (e > 1) Canvas->Draw3DEdge(TRect(edge.Left + 1, edge.Top + 1, edge.Right - 1, edge.Bottom - 1), true, false);
  }
  TcxCustomLookAndFeelPainterClass painter = LookPainter();
  if (SysPanelStyle && Sizeable && !IsEmptyRect(SizeGripRect)) {
    painter->DrawSizeGripAtCorner(Canvas, SizeGripRect, face, SizeGripCorner);
    Canvas->ExcludeRectFromClip(SizeGripRect);
  }
  if (SysPanelStyle && CloseButton && !IsEmptyRect(CloseButtonRect)) {
    if (ThemedCloseButton()) {
      UxDrawThemeBackground(AcquireThemeHandle(tciWindow), Canvas->DeviceContext(), kSmallCloseButtonPart,
                            CloseButtonNativeState, CloseButtonRect, nullptr);
    } else {
      static constexpr TcxButtonState kStates[] = {cxbsNormal, cxbsNormal, cxbsHot, cxbsPressed};
      painter->DrawSmallCloseButton(Canvas, CloseButtonRect, kStates[std::clamp(CloseButtonState, 1, 3)]);
    }
    Canvas->ExcludeRectFromClip(CloseButtonRect);
  }
}

// ---- TcxCustomEditPopupWindow ---------------------------------------------------------------------------

TcxCustomEditPopupWindow::TcxCustomEditPopupWindow(TControl* AOwnerControl)
    : TcxCustomEditPopupWindow(AOwnerControl,
                               TcxPopupWindowClasses{ContainerStyleClassOf<TcxContainerStyle>(),
                                                     ContainerViewInfoClassOf<TcxCustomEditPopupWindowViewInfo>()}) {}

TcxCustomEditPopupWindow::TcxCustomEditPopupWindow(TControl* AOwnerControl, const TcxPopupWindowClasses& Classes)
    : TcxCustomPopupWindow(AOwnerControl, Classes) {
  Adjustable = false;
  ViewInfo()->CloseButtonState = 1;
}

TcxCustomEditPopupWindow::~TcxCustomEditPopupWindow() { FSizeFrame.reset(); }

TcxEditPopupWindowOwner* TcxCustomEditPopupWindow::Editor() const {
  return dynamic_cast<TcxEditPopupWindowOwner*>(OwnerControl());
}

void TcxCustomEditPopupWindow::SetPopupBorderStyle(TcxEditPopupBorderStyle Value) {
  FBorderStyle = Value;
  ViewInfo()->PopupBorderStyle = Value;
}
void TcxCustomEditPopupWindow::SetClientEdge(bool Value) {
  FClientEdge = Value;
  ViewInfo()->ClientEdge = Value;
}
void TcxCustomEditPopupWindow::SetCloseButton(bool Value) {
  FCloseButton = Value;
  ViewInfo()->CloseButton = Value;
}
void TcxCustomEditPopupWindow::SetNativeStyle(bool Value) {
  FNativeStyle = Value;
  ViewInfo()->NativeStyle = Value;
}
void TcxCustomEditPopupWindow::SetShadow(bool Value) {
  FShadow = Value;
  ViewInfo()->Shadow = Value;
}
void TcxCustomEditPopupWindow::SetSizeable(bool Value) {
  FSizeable = Value;
  ViewInfo()->Sizeable = Value;
}
void TcxCustomEditPopupWindow::ApplySizeable(bool Value) {
  FSysPanelStyle = Value;
  ViewInfo()->SysPanelStyle = Value;
}

void TcxCustomEditPopupWindow::ClampToWorkArea(TPoint& P) {
  TcxFlagScope layouting(FLayouting);
  TcxCustomPopupWindow::ClampToWorkArea(P);
}

bool TcxCustomEditPopupWindow::ClampsToWorkArea() {
  TcxEditPopupWindowOwner* editor = Editor();
  return editor ? editor->PopupFitsWorkArea() : true;
}

void TcxCustomEditPopupWindow::AnchorToOwner() {
  TcxEditPopupWindowOwner* editor = Editor();
  if (!editor) return;
  TRect anchor;
  editor->PopupAnchorRect(anchor);
  OwnerBounds = anchor;
  if (TControl* owner = OwnerControl()) OwnerParent = owner->Parent();
}

TSize TcxCustomEditPopupWindow::MinimumPopupSize() {
  TcxCustomEditPopupWindowViewInfo* vi = ViewInfo();
  TRect ext;
  vi->BorderExtents(ext);
  TSize size(ext.Left + ext.Right, ext.Top + ext.Bottom);
  if (FSizeable && FSysPanelStyle) size.cx += vi->CloseButtonSide() + vi->SizeGripSide() + 10;
  return size;
}

void TcxCustomEditPopupWindow::FitToControls() {
  TcxFlagScope layouting(FLayouting);
  TcxCustomEditPopupWindowViewInfo* vi = ViewInfo();
  vi->SizeGripCorner = 3;
  AnchorToOwner();
  TRect b;
  vi->BorderExtents(b);
  const TSize m = MinimumPopupSize();
  TSize c(0, 0);
  if (TcxEditPopupWindowOwner* editor = Editor()) editor->PopupControlSize(c);
  int width, height;
  if (FPopupAutoSize)
    width = b.Left + b.Right + c.cx;
  else
    width = PopupWidth != 0 ? PopupWidth : OwnerBounds.Right - OwnerBounds.Left;
  if (FSizeable && MinWidth > 0) width = std::max(width, MinWidth);
  if (FPopupAutoSize) {
    height = b.Top + b.Bottom + c.cy;
  } else {
    height = PopupHeight;
    if (height <= 0) height = std::max(MinHeight, static_cast<int>(m.cy));
  }
  if (FSizeable && MinHeight > 0) height = std::max(height, MinHeight);
  SetWidth(std::max(width, static_cast<int>(m.cx)));
  SetHeight(std::max(height, static_cast<int>(m.cy)));
}

void TcxCustomEditPopupWindow::CalcPosition(TPoint& P) {
  AnchorToOwner();
  TcxCustomPopupWindow::CalcPosition(P);
  TRect o;
  OwnerScreenBounds(o);
  RECT work;
  DesktopWorkArea(POINT{P.X, P.Y}, work);
  const int w = Width(), h = Height();
  const bool leftFlipped = (AlignHorz == 2 && P.X + w == o.Right && work.left < P.X) || P.X + w == o.Left ||
                           (P.X + w == work.right && P.X < o.Right);
  const bool above = (AlignVert == 2 && P.Y + h == o.Bottom && work.top < P.Y) || P.Y + h == o.Top ||
                     (P.Y + h == work.bottom && P.Y < o.Bottom);
  ViewInfo()->SizeGripCorner = leftFlipped ? (above ? 0 : 2) : (above ? 1 : 3);
  if (FShadow && above) P.Y += kShadow;
}

TSize TcxCustomEditPopupWindow::MaxContentSize() {
  AnchorToOwner();
  TRect a;
  OwnerScreenBounds(a);
  RECT work;
  DesktopWorkArea(POINT{a.Left, a.Top}, work);
  const int shadow = FShadow ? kShadow : 0;
  TSize size;
  if (Direction == 1) {
    size.cx = work.right - work.left;
    size.cy = std::max(static_cast<int>(work.bottom) - a.Bottom, a.Top + shadow - static_cast<int>(work.top));
  } else {
    size.cx = std::max(static_cast<int>(work.right) - a.Right, a.Left + shadow - static_cast<int>(work.left)) + 1;
    size.cy = work.bottom - work.top;
  }
  TRect b;
  ViewInfo()->BorderExtents(b);
  size.cx -= b.Left + b.Right;
  size.cy -= b.Top + b.Bottom;
  return size;
}

void TcxCustomEditPopupWindow::CalculatePopupLayout() {
  TcxCustomEditPopupWindowViewInfo* vi = ViewInfo();
  const int w = Width(), h = Height();
  vi->Bounds = TRect(0, 0, w, h);
  TRect ext;
  vi->BorderExtents(ext);
  vi->ClientRect = TRect(ext.Left, ext.Top, w - ext.Right, h - ext.Bottom);
  vi->BorderRect = vi->ClientRect;

  const int d = vi->BorderWidth();
  TRect panel(d, d, w - d, h - d);
  if (FShadow) {
    panel.Right -= kShadow;
    panel.Bottom -= kShadow;
  }
  const int corner = vi->SizeGripCorner;
  const int panelHeight = vi->SysPanelHeight();
  if (GripAtBottom(corner))
    panel.Top = panel.Bottom - panelHeight;
  else
    panel.Bottom = panel.Top + panelHeight;
  vi->SysPanelRect = FSysPanelStyle ? panel : TRect();
  vi->CloseButtonNativeState = std::clamp(vi->CloseButtonState, 1, 3);

  vi->SizeGripRect = vi->SizeGripSizingRect = TRect();
  if (FSysPanelStyle && FSizeable) {
    const int side = vi->SizeGripSide();
    TRect grip;
    grip.Left = GripOnRight(corner) ? panel.Right - side : panel.Left;
    grip.Right = grip.Left + side;
    grip.Top = GripAtBottom(corner) ? panel.Bottom - side : panel.Top;
    grip.Bottom = grip.Top + side;
    vi->SizeGripSizingRect = grip;
    if (GripOnRight(corner))
      grip.Right -= 2;
    else
      grip.Left += 2;
    if (GripAtBottom(corner))
      grip.Bottom -= 2;
    else
      grip.Top += 2;
    vi->SizeGripRect = grip;
  }

  vi->CloseButtonRect = TRect();
  if (FSysPanelStyle && FCloseButton) {
    const int side = vi->CloseButtonSide();
    TRect r;
    // Across the panel from the grip, one pixel back toward it.
    if (GripOnRight(corner)) {
      r.Left = panel.Left + 2 + 1;
      r.Right = r.Left + side;
    } else {
      r.Right = panel.Right - 2 - 1;
      r.Left = r.Right - side;
    }
    if (vi->ThemedCloseButton())
      r.Top = panel.Top + (panel.Bottom - panel.Top - side) / 2;
    else
      r.Top = GripAtBottom(corner) ? panel.Bottom - 2 - side : panel.Top + 2;
    r.Bottom = r.Top + side;
    vi->CloseButtonRect = r;
  }

  vi->LookAndFeelKind = Style()->LookAndFeel()->Kind();
  vi->AdoptStylePainter(Style());
  if (HandleAllocated() && !FSizing) {
    POINT p;
    GetCursorPos(&p);
    win::ScreenToClient(Handle(), &p);
    UpdateCloseButtonAndCursor(TPoint(p.x, p.y), false);
  }
}

void TcxCustomEditPopupWindow::RecalculateLayout() {
  AnchorToOwner();
  CalculatePopupLayout();
  if (TcxEditPopupWindowOwner* editor = Editor()) editor->FitPopupContent(ViewInfo()->ClientRect);
  Invalidate();
}

void TcxCustomEditPopupWindow::PlaceAgainstOwner() {
  // Made first: a window made later would take the bounds against the parent it is created under.
  HandleNeeded();
  TPoint p;
  {
    TcxFlagScope layouting(FLayouting);
    FitToControls();
    CalcPosition(p);
    ClampToWorkArea(p);
  }
  SetBounds(p.X, p.Y, Width(), Height());
  RecalculateLayout();
  if (TcxEditPopupWindowOwner* editor = Editor()) editor->FitPopupContent(ViewInfo()->ClientRect);
  UpdateWindowRegion();
}

void TcxCustomEditPopupWindow::UpdateWindowRegion() {
  if (!HandleAllocated()) return;
  const int w = Width(), h = Height();
  TRect excluded;
  if (FShadow && !FNativeStyle && !GripAtBottom(ViewInfo()->SizeGripCorner)) {
    // Opened above: the bottom shadow strip would lie over the owner.
    TRect o;
    OwnerScreenBounds(o);
    excluded = TRect(o.Left - Left(), o.Top - Top(), o.Right - Left(), o.Bottom - Top());
  }
  SetWindowShadowRegion(Handle(), TRect(0, 0, w - (FShadow ? kShadow : 0), h - (FShadow ? kShadow : 0)), TRect(),
                        excluded, FShadow, FNativeStyle);
}

void TcxCustomEditPopupWindow::Resize() {
  TcxCustomPopupWindow::Resize();
  UpdateWindowRegion();
}

void TcxCustomEditPopupWindow::CreateParams(TCreateParams& Params) {
  TcxCustomPopupWindow::CreateParams(Params);
  if (FNativeStyle && IsNativeThemeActive(true, tciWindow)) {
    Params.WindowClass.style |= CS_DROPSHADOW;
    // A class is registered once by name: the shadowed popups have a class of their own.
    Params.WinClassName += "DropShadow";
  }
}

bool TcxCustomEditPopupWindow::CanResize(int& NewWidth, int& NewHeight) {
  if (!TcxCustomPopupWindow::CanResize(NewWidth, NewHeight)) return false;
  if (!FSizeable || FLayouting || (NewWidth == Width() && NewHeight == Height())) return true;
  const TSize m = MinimumPopupSize();
  NewWidth = std::max({NewWidth, static_cast<int>(m.cx), MinWidth});
  NewHeight = std::max({NewHeight, static_cast<int>(m.cy), MinHeight});
  TcxEditPopupWindowOwner* editor = Editor();
  if (!editor || !editor->PopupShowsLookupList()) return true;
  TRect b;
  ViewInfo()->BorderExtents(b);
  TSize content(NewWidth - b.Left - b.Right, NewHeight - b.Top - b.Bottom);
  const TSize max = MaxContentSize();
  if (editor->FitPopupListToSize(content, max.cy, max.cx)) {
    NewWidth = std::max({static_cast<int>(content.cx) + b.Left + b.Right, static_cast<int>(m.cx), MinWidth});
    NewHeight = std::max({static_cast<int>(content.cy) + b.Top + b.Bottom, static_cast<int>(m.cy), MinHeight});
  } else {
    NewWidth = Width();
    NewHeight = Height();
  }
  return true;
}

void TcxCustomEditPopupWindow::ApplyUserBounds(const TRect& R) {
  TcxEditPopupWindowOwner* editor = Editor();
  if (editor) editor->SetPopupUserSized(true);
  SetBounds(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
  RecalculateLayout();
  if (editor) editor->StorePopupSize();
}

void TcxCustomEditPopupWindow::UpdateCloseButtonAndCursor(const TPoint& P, bool LeftDown) {
  TcxCustomEditPopupWindowViewInfo* vi = ViewInfo();
  const int hit = vi->HitTest(P);
  const int state = hit == 0 ? (LeftDown ? 3 : 2) : 1;
  if (state != vi->CloseButtonState) {
    vi->CloseButtonState = state;
    vi->CloseButtonNativeState = state;
    if (HandleAllocated()) InvalidateControlRect(this, vi->CloseButtonRect, false);
  }
  TCursor cursor = crDefault;
  if (hit == 1) cursor = (vi->SizeGripCorner == 0 || vi->SizeGripCorner == 3) ? crSizeNWSE : crSizeNESW;
  SetCursor(cursor);
}

void TcxCustomEditPopupWindow::StartSizing(const TPoint& ScreenPoint) {
  FSizing = true;
  FSizingStart = ScreenPoint;
  gSizeFrameRect = TRect(Left(), Top(), Left() + Width(), Top() + Height());
  gLastNonEmptyFrameRect = gSizeFrameRect;
  if (LiveResize) return;
  FSizeFrame = std::make_unique<TcxSizeFrame>(nullptr, std::max(2, ViewInfo()->BorderWidth()));
  FSizeFrame->SetFrameRect(gSizeFrameRect);
  FSizeFrame->ShowWithCommand(SW_SHOWNA);
}

void TcxCustomEditPopupWindow::SizeTo(const TPoint& ScreenPoint) {
  const int corner = ViewInfo()->SizeGripCorner;
  const int s = GripOnRight(corner) ? -1 : 1, t = GripAtBottom(corner) ? -1 : 1;
  const int dx = ScreenPoint.X - FSizingStart.X, dy = ScreenPoint.Y - FSizingStart.Y;
  int w = Width() - dx * s, h = Height() - dy * t;
  CanResize(w, h);
  const TRect current = LiveResize ? TRect(Left(), Top(), Left() + Width(), Top() + Height()) : gSizeFrameRect;
  if (w == current.Right - current.Left && h == current.Bottom - current.Top) return;
  // The edge across from the grip stays where it is.
  TRect r(Left(), Top(), Left() + Width(), Top() + Height());
  if (GripOnRight(corner))
    r.Right = r.Left + w;
  else
    r.Left = r.Right - w;
  if (GripAtBottom(corner))
    r.Bottom = r.Top + h;
  else
    r.Top = r.Bottom - h;
  TRect o;
  OwnerScreenBounds(o);
  if (GripOnRight(corner))
    r.Right = std::max(r.Right, o.Left + 1);
  else
    r.Left = std::min(r.Left, o.Right - 1);
  RECT work;
  DesktopWorkArea(POINT{r.Left, r.Top}, work);
  r.Left = std::max(r.Left, static_cast<int>(work.left));
  r.Top = std::max(r.Top, static_cast<int>(work.top));
  r.Right = std::min(r.Right, static_cast<int>(work.right));
  r.Bottom = std::min(r.Bottom, static_cast<int>(work.bottom));
  gSizeFrameRect = r;
  if (!IsEmptyRect(r)) gLastNonEmptyFrameRect = r;
  if (LiveResize) {
    ApplyUserBounds(r);
    FSizingStart = ScreenPoint;
  } else if (FSizeFrame) {
    FSizeFrame->SetFrameRect(r);
    FSizeFrame->Update();
  }
}

void TcxCustomEditPopupWindow::EndSizing(bool Apply) {
  if (!FSizing) return;
  FSizing = false;
  if (HasMouseCapture()) ReleaseCapture();
  FSizeFrame.reset();
  if (Apply && !LiveResize) {
    const TRect r = IsEmptyRect(gSizeFrameRect) ? gLastNonEmptyFrameRect : gSizeFrameRect;
    if (r != TRect(Left(), Top(), Left() + Width(), Top() + Height())) ApplyUserBounds(r);
  }
}

void TcxCustomEditPopupWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxCustomPopupWindow::MouseDown(Button, Shift, X, Y);
  UpdateCloseButtonAndCursor(TPoint(X, Y), Button == mbLeft);
  if (Button == mbLeft && !FSizing && ViewInfo()->HitTest(TPoint(X, Y)) == 1 && HasMouseCapture()) {
    POINT p = ClientToScreen(POINT{X, Y});
    StartSizing(TPoint(p.x, p.y));
  }
}

void TcxCustomEditPopupWindow::MouseMove(TShiftState Shift, int X, int Y) {
  TcxCustomPopupWindow::MouseMove(Shift, X, Y);
  if (FSizing) {
    POINT p = ClientToScreen(POINT{X, Y});
    SizeTo(TPoint(p.x, p.y));
    return;
  }
  UpdateCloseButtonAndCursor(TPoint(X, Y), Shift.Contains(ssLeft));
}

void TcxCustomEditPopupWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxObjectLink* link = CreateObjectLink(this);
  TcxCustomPopupWindow::MouseUp(Button, Shift, X, Y);
  if (!link->LinkedObject || Button != mbLeft) {
    FreeObjectLink(link);
    return;
  }
  FreeObjectLink(link);
  if (FSizing) {
    EndSizing(true);
    return;
  }
  TcxCustomEditPopupWindowViewInfo* vi = ViewInfo();
  const bool closing = vi->CloseButtonState == 3 && vi->HitTest(TPoint(X, Y)) == 0;
  UpdateCloseButtonAndCursor(TPoint(X, Y), false);
  if (!closing || !CloseQuery()) return;
  if (TcxEditPopupWindowOwner* editor = Editor())
    editor->CloseDropDown(pcrToggle);
  else
    ClosePopup();
}

void TcxCustomEditPopupWindow::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE && FSizing) {
    EndSizing(false);
    Key = 0;
    return;
  }
  TcxCustomPopupWindow::KeyDown(Key, Shift);
}

void TcxCustomEditPopupWindow::MouseLeaveNotification(TControl* AControl) {
  TcxCustomPopupWindow::MouseLeaveNotification(AControl);
  if (FSizing || !HandleAllocated()) return;
  POINT p;
  GetCursorPos(&p);
  win::ScreenToClient(Handle(), &p);
  UpdateCloseButtonAndCursor(TPoint(p.x, p.y), false);
}

void TcxCustomEditPopupWindow::CloseUp() {
  TcxEditPopupWindowOwner* editor = Editor();
  if (!editor) {
    TcxCustomPopupWindow::CloseUp();
    return;
  }
  const TModalResult result = ModalResult();
  editor->CloseDropDown(result == mrOk ? pcrAccept : result == mrCancel ? pcrCancel : pcrOther);
}

void TcxCustomEditPopupWindow::SetShowFocusTarget(TWinControl* Value) {
  if (Value == FShowFocusTarget) return;
  if (FShowFocusTarget) FShowFocusTarget->RemoveFreeNotification(this);
  FShowFocusTarget = Value;
  if (FShowFocusTarget) FShowFocusTarget->FreeNotification(this);
}

void TcxCustomEditPopupWindow::Notification(TComponent* AComponent, TOperation Operation) {
  TcxCustomPopupWindow::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FShowFocusTarget) FShowFocusTarget = nullptr;
}

void TcxCustomEditPopupWindow::ForwardCharToFocus(WCHAR Ch) {
  if (!IsPopupVisibleListed(this)) return;
  if (HWND focus = GetFocus()) SendMessage(focus, WM_CHAR, Ch, 0);
}

void TcxCustomEditPopupWindow::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_POPUPFORWARDCHAR) {
    ForwardCharToFocus(static_cast<WCHAR>(Message.WParam));
    return;
  }
  if (Message.Msg == CM_POPUPSHOWAGAIN) {
    PopupModal(FShowFocusTarget);
    return;
  }
  // The class library releases the capture before the button-up handling runs: the size is taken
  // first, so that losing the capture otherwise drops it.
  if (Message.Msg == WM_LBUTTONUP && FSizing) EndSizing(true);
  if (Message.Msg == WM_CAPTURECHANGED && FSizing) EndSizing(false);
  TcxCustomPopupWindow::Dispatch(Message);
}

// ---- the combo box's and the popup editor's popups -----------------------------------------------------

void TcxComboBoxPopupWindow::FitToControls() {
  TcxFlagScope layouting(LayoutFlag());
  TcxCustomEditPopupWindowViewInfo* vi = ViewInfo();
  vi->SizeGripCorner = 3;
  AnchorToOwner();
  TRect b;
  vi->BorderExtents(b);
  const TSize m = MinimumPopupSize();
  TSize c(0, 0);
  TcxEditPopupWindowOwner* editor = Editor();
  if (editor) editor->PopupControlSize(c);
  const bool userSized = editor && editor->PopupUserSized();
  const int anchorWidth = OwnerBounds.Right - OwnerBounds.Left;
  int width;
  if ((userSized && Sizeable()) || (!PopupAutoSize() && PopupWidth > 0))
    width = PopupWidth;
  else if (PopupAutoSize())
    width = std::max(static_cast<int>(c.cx) + b.Left + b.Right, anchorWidth);
  else
    width = anchorWidth;
  int height;
  if (((userSized && Sizeable()) || PopupHeight > 0) && (Sizeable() || !PopupAutoSize()))
    height = PopupHeight;
  else
    height = c.cy + b.Top + b.Bottom;
  if (Sizeable()) {
    width = std::max(width, MinWidth);
    height = std::max(height, MinHeight);
  }
  SetWidth(std::max(width, static_cast<int>(m.cx)));
  SetHeight(std::max(height, static_cast<int>(m.cy)));
}

void TcxPopupEditPopupWindowViewInfo::DrawBorder(TcxCanvas* Canvas, TRect& R) {
  if (PopupBorderStyle != epbsFrame3D || NativeStyle || IsSkinned() || OnCustomDrawBorder) {
    TcxCustomEditPopupWindowViewInfo::DrawBorder(Canvas, R);
    return;
  }
  for (int i = 0; i < 4; ++i) {
    if (i == 0)
      Canvas->Draw3DEdge(R, false, true);
    else if (i == 1)
      Canvas->Draw3DEdge(R, false, false);
    else
      Canvas->DrawSideFrame(R, i == 2 ? clInactiveBorder : clBtnFace);
    R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  }
}

TcxPopupEditPopupWindow::TcxPopupEditPopupWindow(TControl* AOwnerControl)
    : TcxCustomEditPopupWindow(AOwnerControl,
                               TcxPopupWindowClasses{ContainerStyleClassOf<TcxContainerStyle>(),
                                                     ContainerViewInfoClassOf<TcxPopupEditPopupWindowViewInfo>()}) {}
