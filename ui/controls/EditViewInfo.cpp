#include "ui/controls/EditViewInfo.h"

#include <algorithm>

#include "platform/classes/Forms.h"
#include "platform/classes/HintWindow.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"
#include "ui/controls/CustomEdit.h"
#include "ui/controls/EditUtils.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/OSVersion.h"
#include "ui/foundation/ParentBackground.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;

namespace {

bool IsEmptyArea(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }
bool Contains(const TRect& R, const TPoint& P) {
  return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}
TRect Moved(const TRect& R, int DX, int DY) { return TRect(R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY); }
TRect Inset(const TRect& R, int DX, int DY) { return TRect(R.Left + DX, R.Top + DY, R.Right - DX, R.Bottom - DY); }
TRect Intersection(const TRect& A, const TRect& B) {
  TRect r(std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right), std::min(A.Bottom, B.Bottom));
  return IsEmptyArea(r) ? TRect() : r;
}

// The canvas's drawing state, saved for a scope.
class TSavedDC {
 public:
  explicit TSavedDC(TcxCanvas* Canvas) : FCanvas(Canvas) { FCanvas->PushDCState(); }
  ~TSavedDC() { FCanvas->PopDCState(); }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  TcxCanvas* FCanvas;
};

// One-pixel strips on the chosen sides, each narrowing the rectangle.
void FillSide(TcxCanvas* C, TRect& R, TcxBorder Side, TColor Color) {
  switch (Side) {
    case bLeft: FillRectSolid(C, TRect(R.Left, R.Top, R.Left + 1, R.Bottom), Color); ++R.Left; break;
    case bTop: FillRectSolid(C, TRect(R.Left, R.Top, R.Right, R.Top + 1), Color); ++R.Top; break;
    case bRight: FillRectSolid(C, TRect(R.Right - 1, R.Top, R.Right, R.Bottom), Color); --R.Right; break;
    case bBottom: FillRectSolid(C, TRect(R.Left, R.Bottom - 1, R.Right, R.Bottom), Color); --R.Bottom; break;
  }
}

void FrameAndInset(TcxCanvas* C, TRect& R, TColor Color) {
  C->DrawSideFrame(R, Color, 1, cxBordersAll);
  R = Inset(R, 1, 1);
}

void TwoColorFrameAndInset(TcxCanvas* C, TRect& R, TColor LeftTop, TColor RightBottom) {
  C->DrawTwoColorFrame(R, LeftTop, RightBottom, cxBordersAll, 1);
  R = Inset(R, 1, 1);
}

bool HotOrPressed(const TcxEditButtonViewInfo* B) {
  return B->Data.State == ebsSelected || B->Data.State == ebsPressed;
}

// The Office-2003 gradient of a button's state.
void Office11ButtonColors(TcxEditButtonState State, TColor& Top, TColor& Bottom) {
  switch (State) {
    case ebsSelected: Top = Office11HotColor; Bottom = Office11HotLightColor; break;
    case ebsPressed: Top = Office11PressedColor; Bottom = Office11Color46; break;
    default: Top = Office11GradientLightColor; Bottom = Office11GradientDarkColor; break;
  }
}

TcxButtonState PainterStateOf(TcxEditButtonState State) {
  switch (State) {
    case ebsDisabled: return cxbsDisabled;
    case ebsPressed: return cxbsPressed;
    case ebsSelected: return cxbsHot;
    default: return cxbsNormal;
  }
}

}  // namespace

// ---- TcxEditButtonViewInfo --------------------------------------------------------------------------

void TcxEditButtonViewInfo::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxEditButtonViewInfo*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  Data.NativeState = source->Data.NativeState;
  Data.BackgroundColor = source->Data.BackgroundColor;
  Bounds = source->Bounds;
  VisibleBounds = source->VisibleBounds;
  Data.Style = source->Data.Style;
  Data.State = source->Data.State;
}

bool TcxEditButtonViewInfo::DrawingDiffers(const TcxEditButtonViewInfoData& Previous) const {
  return Data.Style != Previous.Style || Data.State != Previous.State ||
         Data.BackgroundColor != Previous.BackgroundColor || Data.NativeState != Previous.NativeState;
}

TcxRegion* TcxEditButtonViewInfo::RegionIfChanged(const TcxEditButtonViewInfoData& Previous) {
  return DrawingDiffers(Previous) ? new TcxRegion(Bounds) : new TcxRegion();
}

bool TcxEditButtonViewInfo::InvalidateIfChanged(HWND Window, const TcxEditButtonViewInfoData& Previous,
                                                const TPoint& Offset) {
  if (!DrawingDiffers(Previous)) return false;
  RECT r = Moved(Bounds, Offset.X, Offset.Y);
  InvalidateRect(Window, &r, !Data.Transparent);
  return true;
}

// ---- TcxCustomEditViewInfo: lists and state ---------------------------------------------------------

TcxCustomEditViewInfo::~TcxCustomEditViewInfo() = default;

TcxEditButtonViewInfoClass TcxCustomEditViewInfo::EditButtonViewInfoClass() {
  return []() { return new TcxEditButtonViewInfo(); };
}

void TcxCustomEditViewInfo::SetButtonCount(int Count) {
  Count = std::max(Count, 0);
  while (ButtonCount() > Count) Buttons.pop_back();
  TcxEditButtonViewInfoClass make = EditButtonViewInfoClass();
  while (ButtonCount() < Count) Buttons.emplace_back(make());
}

void TcxCustomEditViewInfo::EditorDefaultColors(TColor& ATextColor, TColor& ABackgroundColor) {
  ATextColor = clDefault;
  ABackgroundColor = clDefault;
  if (!IsInplace && Edit) Edit->DefaultColors(ABackgroundColor, ATextColor);
}

void TcxCustomEditViewInfo::RememberButtonStates() {
  PreviousPressedButton = PressedButton;
  PreviousHotButton = SelectedButton;
}

bool TcxCustomEditViewInfo::ButtonStatesChanged(TcxCustomEditViewInfo* Previous) {
  if (!Previous || Previous->ButtonCount() != ButtonCount()) return true;
  for (int i = 0; i < ButtonCount(); ++i)
    if (Button(i)->Data.State != Previous->Button(i)->Data.State) return true;
  return false;
}

bool TcxCustomEditViewInfo::HotButtonIndex(int& Index) {
  for (int i = 0; i < ButtonCount(); ++i)
    if (Button(i)->Data.State == ebsSelected) {
      Index = i;
      return true;
    }
  Index = -1;
  return false;
}

void TcxCustomEditViewInfo::CopyStateFrom(TcxContainerViewInfo* Source) {
  if (auto* source = dynamic_cast<TcxCustomEditViewInfo*>(Source)) {
    BackgroundColor = source->BackgroundColor;
    BorderColor = source->BorderColor;
    EditBorderStyle = source->EditBorderStyle;
    ContainerState = source->ContainerState;
    NativeState = source->NativeState;
    SetButtonCount(source->ButtonCount());
    for (int i = 0; i < ButtonCount(); ++i) Button(i)->Assign(source->Button(i));
    PressedButton = source->PressedButton;
    SelectedButton = source->SelectedButton;
  }
  TcxContainerViewInfo::CopyStateFrom(Source);
}

void TcxCustomEditViewInfo::ShiftBy(int DX, int DY) {
  TcxContainerViewInfo::ShiftBy(DX, DY);
  InnerEditRect = Moved(InnerEditRect, DX, DY);
  ShadowRect = Moved(ShadowRect, DX, DY);
  for (const auto& b : Buttons) {
    b->Bounds = Moved(b->Bounds, DX, DY);
    b->VisibleBounds = Moved(b->VisibleBounds, DX, DY);
  }
}

// ---- hit tests and hints ----------------------------------------------------------------------------

int TcxCustomEditViewInfo::ButtonIndexAt(const TPoint& P) {
  for (int i = 0; i < ButtonCount(); ++i)
    if (Contains(Button(i)->Bounds, P)) return i;
  return Contains(BorderRect, P) ? -1 : -2;
}

void TcxCustomEditViewInfo::PartBounds(int Part, TRect& R) {
  if (Part == -1) {
    R = BorderRect;
    for (const auto& b : Buttons) {
      if (b->LeftAlignment && b->LastEdge) R.Left = b->Bounds.Right;
      if (!b->LeftAlignment && b->FirstEdge) R.Right = b->Bounds.Left;
    }
  } else if (Part >= 0 && Part < ButtonCount()) {
    R = Button(Part)->Bounds;
  } else {
    R = TRect();
  }
}

bool TcxCustomEditViewInfo::PointOnButton(const TPoint& P) {
  TPoint local(P.X - Left, P.Y - Top);
  for (const auto& b : Buttons)
    if (Contains(b->Bounds, local)) return true;
  return false;
}

String TcxCustomEditViewInfo::ButtonHintText(int Index) { return GetShortHint(Button(Index)->Hint); }

TRect TcxCustomEditViewInfo::ButtonHintBounds(int Index, const TPoint& P) {
  THintWindow hint(nullptr);
  RECT r = hint.CalcHintRect(GetSystemMetrics(SM_CXSCREEN), ButtonHintText(Index));
  int top = P.Y + GetSystemMetrics(SM_CYCURSOR);
  return TRect(P.X, top, P.X + (r.right - r.left), top + (r.bottom - r.top));
}

bool TcxCustomEditViewInfo::HintAt(const TPoint& P, TRect& R, bool& Multiline, String& Text) {
  Multiline = false;
  Text.clear();
  int index = ButtonIndexAt(TPoint(P.X - Left, P.Y - Top));
  if (index < 0) return false;
  Text = ButtonHintText(index);
  if (Text.empty()) return false;
  R = ButtonHintBounds(index, P);
  return true;
}

bool TcxCustomEditViewInfo::HasHintAt(const TPoint& P) {
  int index = ButtonIndexAt(TPoint(P.X - Left, P.Y - Top));
  return index >= 0 && !ButtonHintText(index).empty();
}

// ---- invalidation -----------------------------------------------------------------------------------

bool TcxCustomEditViewInfo::InvalidateButtons(TcxCustomEditViewInfo* Previous) {
  bool any = false;
  int count = std::min(ButtonCount(), Previous->ButtonCount());
  for (int i = 0; i < count; ++i)
    any |= Button(i)->InvalidateIfChanged(WindowHandle, Previous->Button(i)->Data, TPoint(Left, Top));
  return any;
}

bool TcxCustomEditViewInfo::InvalidateAll(TWinControl* Control, TcxContainerViewInfo* Previous) {
  return InvalidateChangedParts(Control, TRect(), Previous);
}

bool TcxCustomEditViewInfo::InvalidateChangedParts(TWinControl* Control, const TRect& InnerRect,
                                                   TcxContainerViewInfo* Previous) {
  if (!Control || !Control->HandleAllocated()) return false;
  HWND window = Control->Handle();
  TRect bounds = Moved(Bounds, Left, Top);
  auto* previous = dynamic_cast<TcxCustomEditViewInfo*>(Previous);
  if (!previous) {
    InvalidateAroundRect(window, bounds, Moved(Intersection(InnerRect, ClientRect), Left, Top), HandlesErase);
    return false;
  }
  bool result = false;
  if (NativeState != previous->NativeState || BackgroundColor != previous->BackgroundColor ||
      (AlwaysTrueHook() && ContainerState != previous->ContainerState) || ButtonCount() != previous->ButtonCount()) {
    InvalidateAroundRect(window, bounds, Moved(InnerRect, Left, Top), HandlesErase);
    result = true;
  } else if ((BorderColor != previous->BorderColor && EditBorderStyle != ebsNone) ||
             EditBorderStyle != previous->EditBorderStyle) {
    InvalidateAroundRect(window, bounds, Moved(BorderRect, Left, Top), HandlesErase);
    result = true;
  }
  if (ButtonCount() == previous->ButtonCount()) {
    HWND saved = WindowHandle;
    WindowHandle = window;
    result |= InvalidateButtons(previous);
    WindowHandle = saved;
  }
  return result;
}

TcxRegion* TcxCustomEditViewInfo::DiffRegion(TcxContainerViewInfo* Previous) {
  TcxRegion* region = TcxContainerViewInfo::DiffRegion(Previous);
  auto* previous = dynamic_cast<TcxCustomEditViewInfo*>(Previous);
  bool same = previous && (previous->BorderColor == BorderColor || EditBorderStyle == ebsNone) &&
              previous->EditBorderStyle == EditBorderStyle && previous->ButtonCount() == ButtonCount() &&
              previous->NativeState == NativeState;
  if (same) {
    for (int i = 0; i < ButtonCount(); ++i) {
      TcxRegion* part = Button(i)->RegionIfChanged(previous->Button(i)->Data);
      if (part->HasNoArea())
        delete part;
      else
        UniteRegion(region, part);
    }
  } else {
    UniteRegion(region, new TcxRegion(Bounds));
  }
  return region;
}

void UniteRegion(TcxRegion* Region, TcxRegion* Other) { Region->CombineWith(Other, rcmUnion, true); }

// ---- background -------------------------------------------------------------------------------------

bool TcxCustomEditViewInfo::CustomDrawBackground(TcxCanvas* ACanvas) {
  if (!IsInplace || !OnDrawBackground) return false;
  bool handled = false;
  OnDrawBackground(this, ACanvas, handled);
  return handled;
}

void TcxCustomEditViewInfo::CustomDrawBackgroundAt(TcxCanvas* ACanvas, const TPoint& P) {
  TPoint origin;
  ACanvas->ReadWindowOrigin(origin);
  ACanvas->PlaceWindowOrigin(TPoint(origin.X + P.X, origin.Y + P.Y));
  try {
    CustomDrawBackground(ACanvas);
  } catch (...) {
    ACanvas->PlaceWindowOrigin(origin);
    throw;
  }
  ACanvas->PlaceWindowOrigin(origin);
}

bool TcxCustomEditViewInfo::HasCustomButtonDraw(int) const {
  return OnDrawButtonBorder != nullptr || OnDrawButtonBackground != nullptr || OnDrawButton != nullptr;
}

bool TcxCustomEditViewInfo::IsTransparentView() { return Transparent; }

bool TcxCustomEditViewInfo::ParentPaintsBackground() {
  int kind = BackgroundKind();
  return kind == 4 || kind == 5;
}

int TcxCustomEditViewInfo::BackgroundKind() {
  if (IsInplace) {
    if (HasCustomBackground()) return 0;
    return Transparent ? 2 : 3;
  }
  if (IsTransparentView()) return 4;
  if (Edit && Edit->UsesParentBackground()) return 5;
  return NativeStyle ? 3 : 1;
}

void TcxCustomEditViewInfo::DrawBackgroundByKind(TcxCanvas* ACanvas, const TRect& R, bool Full, const TRect& Client) {
  TSavedDC saved(ACanvas);
  if (!Full) ACanvas->ExcludeRectFromClip(Client);
  switch (BackgroundKind()) {
    case 0:
      ACanvas->ClipToRect(R);
      CustomDrawBackground(ACanvas);
      break;
    case 1: DrawEditBackgroundExcludingButtons(ACanvas, this, true); break;
    case 3: FillRectSolid(ACanvas, R, BackgroundColor); break;
    case 4:
      if (Edit) PaintParentBackground(Edit, ACanvas, R, true);
      break;
    case 5:
      if (Edit && Edit->HandleAllocated()) UxDrawThemeParentBackground(Edit->Handle(), ACanvas->DeviceContext(), &R);
      break;
    default: break;
  }
}

void TcxCustomEditViewInfo::CalculateBorderBounds(TcxCanvas* ACanvas, int NativeKind) {
  if (NativeStyle && !IsInplace) {
    TdxThemeClassId themeClass = tciEdit;
    int part = IsWindowsVistaOrLater ? 6 : 1;
    TRect frame = Bounds;
    if (NativeKind == 2 && IsWindowsVistaOrLater) {
      themeClass = tciButton;
      part = 1;
      frame = Inset(Bounds, -1, -1);
    }
    HTHEME theme = AcquireThemeHandle(themeClass);
    TRect inner;
    switch (NativeKind) {
      case 0:
        if (IsWindowsVistaOrLater ||
            UxGetThemeBackgroundContentRect(theme, ACanvas->DeviceContext(), part, NativeState, Bounds, inner) != S_OK)
          inner = Inset(Bounds, 2, 2);
        break;
      case 1:
        inner = Inset(Bounds, 3, 3);
        --inner.Right;
        break;
      default:
        inner = IsWindowsVistaOrLater ? TRect() : ClientRect;
        break;
    }
    TSavedDC saved(ACanvas);
    if (!IsEmptyArea(inner)) ACanvas->ExcludeRectFromClip(inner);
    if (UxIsThemeBackgroundPartiallyTransparent(theme, part, NativeState) && WindowHandle)
      UxDrawThemeParentBackground(WindowHandle, ACanvas->DeviceContext(), &frame);
    UxDrawThemeBackground(theme, ACanvas->DeviceContext(), part, NativeState, frame, nullptr);
    return;
  }
  if (Transparent) return;
  if (IsInplace || EditBorderStyle == ebsNone)
    FillRectSolid(ACanvas, Bounds, BackgroundColor);
  else
    FillRectExcluding(ACanvas, Bounds, BorderRect, CachedSolidBrush(BackgroundColor));
}

void TcxCustomEditViewInfo::PaintBody(TcxCanvas* ACanvas) { DrawEditBackgroundExcludingButtons(ACanvas, this, true); }

void TcxCustomEditViewInfo::PaintWithHandler(TcxCanvas* ACanvas) {
  if (OnPaint) OnPaint(this, ACanvas);
  TcxContainerViewInfo::PaintWithHandler(ACanvas);
}

void DrawEditBackgroundExcludingButtons(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, bool FillAll) {
  {
    TSavedDC saved(ACanvas);
    if (AViewInfo->ButtonCount() > 0 && !AViewInfo->Button(0)->Data.BackgroundPartiallyTransparent)
      for (const auto& b : AViewInfo->Buttons) ACanvas->ExcludeRectFromClip(b->VisibleBounds);
    // The cached brush is fetched where it is used: painting in between may evict it.
    if (AViewInfo->CustomDrawBackground(ACanvas)) {
      // The in-place host painted it.
    } else if (AViewInfo->NativeStyle) {
      AViewInfo->CalculateBorderBounds(ACanvas, 0);
      if (FillAll && !AViewInfo->Transparent) FillRectSolid(ACanvas, AViewInfo->BorderRect, AViewInfo->BackgroundColor);
    } else {
      int w = EditBorderWidthFor(AViewInfo->EditBorderStyle, AViewInfo->Painter);
      TcxBorders edges = AViewInfo->Edges;
      TRect r = AViewInfo->BorderRect;
      r.Left -= w;
      r.Top -= w;
      if (edges.Contains(bRight)) r.Right += w;
      if (edges.Contains(bBottom)) r.Bottom += w;
      if (AViewInfo->Shadow) PaintContainerShadow(ACanvas, r);
      if (!edges.Contains(bRight)) r.Right += w;
      if (!edges.Contains(bBottom)) r.Bottom += w;
      AViewInfo->BorderWidth = w;
      AViewInfo->PaintBorderFrame(ACanvas, r);
      if (!AViewInfo->Transparent) {
        if (AViewInfo->IsInplace && AViewInfo->HasInplaceOffsets) {
          if (FillAll)
            FillRectSolid(ACanvas, AViewInfo->Bounds, AViewInfo->BackgroundColor);
          else
            FillRectExcluding(ACanvas, AViewInfo->Bounds, AViewInfo->ClientRect,
                              CachedSolidBrush(AViewInfo->BackgroundColor));
        } else if (FillAll) {
          FillRectSolid(ACanvas, AViewInfo->BorderRect, AViewInfo->BackgroundColor);
        }
      }
    }
  }
  AViewInfo->PaintButtons(ACanvas);
}

// ---- buttons ----------------------------------------------------------------------------------------

void TcxCustomEditViewInfo::PaintButtons(TcxCanvas* ACanvas) {
  if (FPaintingButtons) return;
  if (Edit && Edit->SkipsButtonPainting(ACanvas->DeviceContext())) return;
  FPaintingButtons = true;
  try {
    for (int i = 0; i < ButtonCount(); ++i) PaintButtonAt(ACanvas, i);
  } catch (...) {
    FPaintingButtons = false;
    throw;
  }
  FPaintingButtons = false;
}

void TcxCustomEditViewInfo::PaintButtonAt(TcxCanvas* ACanvas, int Index) {
  TcxEditButtonViewInfo* b = Button(Index);
  b->Data.BackgroundColor = BackgroundColor;
  if (IsEmptyArea(b->VisibleBounds)) return;
  const TRect& r = b->Bounds;
  bool sticksOut = r.Left < BorderRect.Left || r.Right > BorderRect.Right || r.Top < BorderRect.Top ||
                   r.Bottom > BorderRect.Bottom;
  if (sticksOut) {
    ACanvas->PushDCState();
    ACanvas->ClipToRect(b->VisibleBounds);
  }
  try {
    bool handled = false;
    if (OnDrawButton) OnDrawButton(this, ACanvas, Index, handled);
    if (!handled) DrawEditButton(ACanvas, Index);
  } catch (...) {
    if (sticksOut) ACanvas->PopDCState();
    throw;
  }
  if (sticksOut) ACanvas->PopDCState();
}

void TcxCustomEditViewInfo::DrawEditButton(TcxCanvas* ACanvas, int Index) {
  TcxEditButtonViewInfo* b = Button(Index);
  TColor brush = clBtnFace;
  TColor text = clBtnText;
  TRect content = b->Bounds;
  // Glyphs and skins are drawn off-screen and copied in one piece.
  bool buffered = (b->Kind == TcxEditButtonKind::bkGlyph && b->HasGlyph()) || UseSkins;
  std::unique_ptr<TBitmap> bitmap;
  std::unique_ptr<TcxCanvas> bufferCanvas;
  TcxCanvas* canvas = ACanvas;
  const int w = b->Bounds.Right - b->Bounds.Left, h = b->Bounds.Bottom - b->Bounds.Top;
  if (buffered && w > 0 && h > 0) {
    bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf32bit);
    bitmap->SetSize(w, h);
    bufferCanvas = std::make_unique<TcxCanvas>(bitmap->Canvas());
    bufferCanvas->PlaceWindowOrigin(TPoint(b->Bounds.Left, b->Bounds.Top));
    canvas = bufferCanvas.get();
  }
  TRect border = b->Bounds;
  DrawButtonBorderByStyle(canvas, Index, border, content, brush, text);
  if (!IsEmptyArea(border)) {
    bool handled = false;
    if (OnDrawButtonBackground) OnDrawButtonBackground(this, canvas, border, Index, handled);
    if (!handled) {
      if (b->Data.NativePart != 0)
        DrawThemedButton(canvas, b, border);
      else
        FillButtonBackground(canvas, b, brush, border);
    }
  }
  if (!IsEmptyArea(content)) {
    int shift = b->Data.State == ebsPressed && (!Edit || PressedButtonShiftsContent) ? 1 : 0;
    DrawButtonContent(canvas, Index, shift, brush, text, content);
  }
  if (bitmap) {
    bufferCanvas->PlaceWindowOrigin(TPoint(0, 0));
    ACanvas->Canvas()->Draw(b->Bounds.Left, b->Bounds.Top, bitmap.get());
  }
}

void TcxCustomEditViewInfo::DrawButtonBorderByStyle(TcxCanvas* ACanvas, int Index, TRect& R, TRect& Content,
                                                    TColor& Brush, TColor& Text) {
  TcxEditButtonViewInfo* b = Button(Index);
  if (OnDrawButtonBorder) {
    bool handled = false;
    OnDrawButtonBorder(this, ACanvas, Index, R, Content, handled);
    if (handled) return;
  }
  if (b->Data.NativePart != 0) {
    DrawThemedButtonBorder(ACanvas, b, R, Content, Brush, Text);
    return;
  }
  if (UseSkins) {
    TColor background, textColor;
    EditorDefaultColors(textColor, background);
    if (background == clDefault && Edit) background = Edit->BackgroundColor();
    if (background == clDefault) background = b->Data.State == ebsDisabled ? clBtnFace : clWindow;
    Brush = background;
    if (Text == clDefault) Text = clBtnText;
    Content = R;
    return;
  }
  TcxEditButtonStyle style = b->Data.Style;
  if (style == btsSimple && HotOrPressed(b)) style = btsFlat;
  switch (style) {
    case bts3D: DrawButtonBorder3D(ACanvas, b, R, Content, Brush, Text); break;
    case btsFlat: DrawButtonBorderFlat(ACanvas, b, R, Content, Brush, Text); break;
    case btsSimple: DrawButtonBorderSimple(ACanvas, b, R, Content, Brush, Text); break;
    case btsHotFlat: DrawButtonBorderHotFlat(ACanvas, b, R, Content, Brush, Text); break;
    case btsUltraFlat: DrawButtonBorderUltraFlat(ACanvas, b, R, Content, Brush, Text, false); break;
    case btsOffice11: DrawButtonBorderUltraFlat(ACanvas, b, R, Content, Brush, Text, true); break;
    default: DrawButtonBorder3D(ACanvas, b, R, Content, Brush, Text); break;
  }
}

void TcxCustomEditViewInfo::DrawButtonBorder3D(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, TRect& R, TRect& Content,
                                               TColor& Brush, TColor& Text) {
  Brush = B->Data.Transparent ? B->Data.BackgroundColor : clBtnFace;
  Text = clBtnText;
  if (B->Data.State == ebsPressed) {
    FrameAndInset(ACanvas, R, clBtnShadow);
    FrameAndInset(ACanvas, R, Brush);
  } else {
    TwoColorFrameAndInset(ACanvas, R, cl3DLight, cl3DDkShadow);
    TwoColorFrameAndInset(ACanvas, R, clBtnHighlight, clBtnShadow);
  }
  Content = R;
}

void TcxCustomEditViewInfo::DrawButtonBorderFlat(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, TRect& R,
                                                 TRect& Content, TColor& Brush, TColor& Text) {
  Brush = B->Data.Transparent ? B->Data.BackgroundColor : clBtnFace;
  Text = clBtnText;
  FillSide(ACanvas, R, bLeft, Brush);
  if (B->Data.State == ebsPressed)
    TwoColorFrameAndInset(ACanvas, R, clBtnShadow, clBtnHighlight);
  else
    TwoColorFrameAndInset(ACanvas, R, clBtnHighlight, clBtnShadow);
  FillSide(ACanvas, R, bRight, Brush);
  Content = R;
}

void TcxCustomEditViewInfo::DrawButtonBorderHotFlat(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, TRect& R,
                                                    TRect& Content, TColor& Brush, TColor& Text) {
  switch (B->Data.State) {
    case ebsPressed: Brush = clBtnText; break;
    case ebsSelected: Brush = clBtnShadow; break;
    default: Brush = clBtnFace; break;
  }
  if (B->Data.Transparent) Brush = B->Data.BackgroundColor;
  if ((!B->LeftAlignment && B->FirstEdge) || (B->LeftAlignment && B->LastEdge)) {
    FrameAndInset(ACanvas, R, clBtnShadow);
  } else if (!B->LeftAlignment) {
    TRect sides = R;
    FillSide(ACanvas, sides, bTop, clBtnShadow);
    FillSide(ACanvas, sides, bRight, clBtnShadow);
    FillSide(ACanvas, sides, bBottom, clBtnShadow);
    FillSide(ACanvas, sides, bLeft, Brush);
    R = sides;
  } else {
    TRect sides = R;
    FillSide(ACanvas, sides, bLeft, clBtnShadow);
    FillSide(ACanvas, sides, bTop, clBtnShadow);
    FillSide(ACanvas, sides, bBottom, clBtnShadow);
    FillSide(ACanvas, sides, bRight, Brush);
    R = sides;
  }
  FillSide(ACanvas, R, bLeft, Brush);
  FillSide(ACanvas, R, bRight, Brush);
  if (B->Data.State == ebsDisabled || B->Data.State == ebsNormal)
    Text = clBtnText;
  else
    Text = B->Data.Transparent && B->Data.State == ebsSelected ? clBtnShadow : clWindow;
  Content = R;
}

void TcxCustomEditViewInfo::DrawButtonBorderSimple(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, TRect& R,
                                                   TRect& Content, TColor& Brush, TColor& Text) {
  Brush = B->Data.Transparent ? B->Data.BackgroundColor : clBtnFace;
  Text = clBtnText;
  if (!IsTransparentView())
    FrameAndInset(ACanvas, R, B->Data.BackgroundColor);
  else
    R = Inset(R, 1, 1);
  FillSide(ACanvas, R, bLeft, Brush);
  FillSide(ACanvas, R, bRight, Brush);
  Content = R;
}

void TcxCustomEditViewInfo::DrawButtonBorderUltraFlat(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, TRect& R,
                                                      TRect& Content, TColor& Brush, TColor& Text, bool IsOffice11) {
  TcxEditButtonState state = B->Data.State;
  if (B->Data.Transparent)
    Brush = B->Data.BackgroundColor;
  else if (HotOrPressed(B))
    Brush = UltraFlatButtonFillColor(state == ebsPressed, IsOffice11);
  else if (state == ebsNormal)
    Brush = IsOffice11 ? Office11GradientLightColor : clBtnFace;
  else
    Brush = clBtnFace;
  Text = clBtnText;
  TColor line = UltraFlatButtonBorderColor(IsOffice11);
  bool framed = !HotOrPressed(B) || (!IsInplace && EditBorderStyle == ebsNone) ||
                (IsInplace && !(PaintOptions & epoHasExternalBorder));
  if (framed) {
    if (HotOrPressed(B))
      ACanvas->DrawSideFrame(R, line, 1, cxBordersAll);
    else if (!IsTransparentView())
      ACanvas->DrawSideFrame(R, B->Data.BackgroundColor, 1, cxBordersAll);
    // The face fills inside the frame; the content keeps a pixel more from the sides.
    R = Inset(R, 1, 1);
    Content = Inset(R, 1, 0);
    return;
  } else {
    TRect sides = R;
    if (!B->LeftAlignment) {
      if (!B->LastEdge) FillRectSolid(ACanvas, TRect(sides.Right - 1, sides.Top, sides.Right, sides.Bottom), line);
      if (sides.Left != BorderRect.Left) FillRectSolid(ACanvas, TRect(sides.Left, sides.Top, sides.Left + 1, sides.Bottom), line);
    } else {
      if (!B->FirstEdge) FillRectSolid(ACanvas, TRect(sides.Left, sides.Top, sides.Left + 1, sides.Bottom), line);
      if (sides.Right != BorderRect.Right)
        FillRectSolid(ACanvas, TRect(sides.Right - 1, sides.Top, sides.Right, sides.Bottom), line);
    }
    R = Inset(R, 1, 1);
  }
  Content = R;
}

void TcxCustomEditViewInfo::DrawThemedButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, TRect& R,
                                                   TRect& Content, TColor&, TColor&) {
  if (B->Data.ComboBoxStyle) {
    Content = R;
    return;
  }
  if (HasCustomButtonDraw(0)) {
    Content = B->Bounds;
    return;
  }
  TRect content;
  if (UxGetThemeBackgroundContentRect(AcquireThemeHandle(tciButton), ACanvas->DeviceContext(), B->Data.NativePart,
                                      B->Data.NativeState, R, content) == S_OK)
    Content = content;
  else
    Content = R;
}

void TcxCustomEditViewInfo::DrawThemedButton(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, const TRect& R) {
  TdxThemeClassId themeClass = B->Data.ComboBoxStyle ? tciComboBox : tciButton;
  int part = 1;
  if (B->Data.ComboBoxStyle && IsWindowsVistaOrLater && !IsInplace) part = B->LeftAlignment ? 7 : 6;
  UxDrawThemeBackground(AcquireThemeHandle(themeClass), ACanvas->DeviceContext(), part, B->Data.NativeState, R, nullptr);
}

void TcxCustomEditViewInfo::FillButtonBackground(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, TColor Color,
                                                 const TRect& R) {
  if (B->Data.Style == btsOffice11 && B->Data.Gradient && !B->Data.Transparent && B->Data.State != ebsDisabled &&
      !UseSkins) {
    TColor top, bottom;
    Office11ButtonColors(B->Data.State, top, bottom);
    TRect band(B->Bounds.Left, BorderRect.Top, B->Bounds.Right, BorderRect.Bottom);
    if (B->Data.State == ebsNormal) band = TRect(band.Left, band.Top + 1, band.Right, band.Bottom - 1);
    TSavedDC saved(ACanvas);
    ACanvas->ClipToRect(R);
    PaintGradientRect(ACanvas->DeviceContext(), band, top, bottom, false);
    return;
  }
  FillRectSolid(ACanvas, R, Color);
}

// ---- button content ---------------------------------------------------------------------------------

void TcxCustomEditViewInfo::DrawButtonContent(TcxCanvas* ACanvas, int Index, int PressedShift, TColor, TColor Text,
                                              const TRect& Content) {
  TcxEditButtonViewInfo* b = Button(Index);
  TSavedDC saved(ACanvas);
  ACanvas->ClipToRect(Content);
  bool disabled = b->Data.State == ebsDisabled;
  if (UseSkins && Painter) {
    Painter->DrawEditButton(ACanvas, b->Bounds, PainterStateOf(b->Data.State), SkinGlyphKind(b),
                            b->LeftAlignment ? cxbpLeft : cxbpRight);
    if (b->Kind == TcxEditButtonKind::bkGlyph)
      DrawGlyphContent(ACanvas, b, Content, PressedShift, Text);
    else if (b->Kind == TcxEditButtonKind::bkText)
      DrawTextContent(ACanvas, b, Content, PressedShift, disabled ? clBtnShadow : Text);
    return;
  }
  using DrawProc = void (TcxCustomEditViewInfo::*)(TcxCanvas*, TcxEditButtonViewInfo*, const TRect&, int, TColor);
  DrawProc draw = nullptr;
  switch (b->Kind) {
    case TcxEditButtonKind::bkEllipsis: draw = &TcxCustomEditViewInfo::DrawEllipsisContent; break;
    case TcxEditButtonKind::bkDown: draw = &TcxCustomEditViewInfo::DrawArrowContent; break;
    case TcxEditButtonKind::bkGlyph: draw = &TcxCustomEditViewInfo::DrawGlyphContent; break;
    case TcxEditButtonKind::bkText: draw = &TcxCustomEditViewInfo::DrawTextContent; break;
  }
  if (disabled && b->Kind != TcxEditButtonKind::bkGlyph) {
    // Embossed: the highlight copy a pixel down and right, the shadow copy over it in place.
    (this->*draw)(ACanvas, b, Moved(Content, 1, 1), PressedShift, clBtnHighlight);
    (this->*draw)(ACanvas, b, Content, PressedShift, clBtnShadow);
  } else {
    (this->*draw)(ACanvas, b, Content, PressedShift, Text);
  }
}

void TcxCustomEditViewInfo::DrawEllipsisContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo*, const TRect& R, int Shift,
                                                TColor Color) {
  // Three square dots two pixels apart; single pixels in a narrow button.
  int size = R.Right - R.Left >= 12 ? 2 : 1;
  int gap = size;
  int total = 3 * size + 2 * gap;
  int x = R.Left + (R.Right - R.Left - total) / 2 + Shift;
  int y = R.Top + (R.Bottom - R.Top - size) / 2 + Shift;
  for (int i = 0; i < 3; ++i) {
    FillRectSolid(ACanvas, TRect(x, y, x + size, y + size), Color);
    x += size + gap;
  }
}

TcxEditButtonGlyphKind TcxCustomEditViewInfo::SkinGlyphKind(TcxEditButtonViewInfo* B) {
  static constexpr TcxEditButtonGlyphKind kGlyphKinds[] = {bkEllipsis, bkCombo, bkEditor, bkEditor};
  return kGlyphKinds[static_cast<int>(B->Kind)];
}

void TcxCustomEditViewInfo::DrawArrowContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo*, const TRect& R, int Shift,
                                             TColor Color) {
  TSize size = EditArrowSize(TSize(R.Right - R.Left, R.Bottom - R.Top), adDown);
  DrawEditArrow(ACanvas, size.cy, R, Color, Shift != 0, 1, adDown);
}

void TcxCustomEditViewInfo::DrawGlyphContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, const TRect& R, int Shift,
                                             TColor) {
  if (!B->HasGlyph()) return;
  int x = R.Left + (R.Right - R.Left - B->Glyph->Width()) / 2 + Shift;
  int y = R.Top + (R.Bottom - R.Top - B->Glyph->Height()) / 2 + Shift;
  DrawGlyphOnCanvas(ACanvas, x, y, nullptr, clNone, B->Data.State != ebsDisabled, B->Glyph);
}

void TcxCustomEditViewInfo::DrawTextContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, const TRect& R, int Shift,
                                            TColor Color) {
  if (Font) ACanvas->AssignFont(Font);
  ACanvas->ActiveFont()->SetColor(Color);
  ACanvas->ActiveBrush()->SetStyle(bsClear);
  LibraryTextFlags flags = ltfSingleLine | ltfCenterVert;
  switch (B->ContentAlignment) {
    case taLeftJustify: flags |= ltfAlignLeft; break;
    case taRightJustify: flags |= ltfAlignRight; break;
    default: flags |= ltfCenterHorz; break;
  }
  ACanvas->DrawTextInRect(B->VisibleCaption, Moved(R, Shift, Shift), flags);
}
