#include "ui/choice/RadioButton.h"

#include <algorithm>

#include "platform/classes/Menus.h"
#include "platform/win/Focus.h"
#include "ui/controls/ControlServices.h"
#include "ui/foundation/ParentBackground.h"
#include "ui/foundation/RadioButtonImageList.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;

namespace {

// Single line, vertically centred, with accelerators; wrapped ones break words and do not clip.
constexpr LibraryTextFlags kCaptionFlags = 0x261, kWrappedCaptionFlags = 0x6A1;

TRect ClientTRect(TControl* Control) {
  RECT r = Control->ClientRect();
  return TRect(r.left, r.top, r.right, r.bottom);
}

bool PointIn(const TRect& R, const TPoint& P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

}  // namespace

TcxRadioButton::TcxRadioButton(TComponent* AOwner) : TRadioButton(AOwner) {
  FControlStyle.Include(csDoubleClicks);
  FControlCanvas = std::make_unique<TControlCanvas>();
  FControlCanvas->SetControl(this);
  FCanvas = std::make_unique<TcxCanvas>(FControlCanvas.get());
  FLookAndFeel = std::make_unique<TcxLookAndFeel>(this);
  FLookAndFeel->OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues) { LookAndFeelChanged(); };
  SetParentBackground(true);
  RadioButtonImages();
}

TcxRadioButton::~TcxRadioButton() {
  StopMouseLeaveWatch(this);
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  DestroyHandle();
  FLookAndFeel.reset();
  FCanvas.reset();
  FControlCanvas.reset();
}

void TcxRadioButton::DeclareProperties(TPropTable& t) {
  t.Add("LookAndFeel", &TcxRadioButton::LookAndFeel, &TcxRadioButton::SetLookAndFeel);
  t.Add("PopupMenu", &TcxRadioButton::PopupMenu, &TcxRadioButton::SetPopupMenu);
  t.Add("ParentBackground", &TcxRadioButton::ParentBackgroundValue, &TcxRadioButton::SetParentBackgroundValue)
      .SetDefault(true);
  t.Add("Transparent", &TcxRadioButton::Transparent, &TcxRadioButton::SetTransparent).SetDefault(false);
}

void TcxRadioButton::SetPopupMenu(TComponent* Value) {
  if (Value && !dynamic_cast<TPopupMenu*>(Value) && !Supports<IcxPopupMenuSupport>(Value)) Value = nullptr;
  if (Value == FPopupMenu) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

void TcxRadioButton::Notification(TComponent* AComponent, TOperation Operation) {
  TRadioButton::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TcxRadioButton::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Invalidate();
}

void TcxRadioButton::Invalidate() {
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TcxRadioButton::CreateParams(TCreateParams& Params) {
  TRadioButton::CreateParams(Params);
  Params.Style = (Params.Style & ~static_cast<DWORD>(BS_RADIOBUTTON)) | BS_OWNERDRAW;
}

void TcxRadioButton::CreateWnd() {
  TRadioButton::CreateWnd();
  UpdateStateFromCursor();
}

bool TcxRadioButton::IsNativeStyle() { return FLookAndFeel->NativeStyle() && IsThemeClassAvailable(tciButton); }

bool TcxRadioButton::UsesParentBackground() {
  return IsNativeStyle() && ParentBackground() && !IsInplace() && !FTransparent;
}

bool TcxRadioButton::IsTransparentDrawing() { return FTransparent && !IsInplace(); }

bool TcxRadioButton::IsBackgroundTransparent() { return UsesParentBackground() || IsTransparentDrawing(); }

void TcxRadioButton::LookAndFeelChanged() { Invalidate(); }

void TcxRadioButton::EnabledChanged() {
  UpdateStateFromCursor();
  Invalidate();
}

void TcxRadioButton::UpdateStateFromCursor() {
  if (!HandleAllocated()) return;
  POINT screen;
  GetCursorPos(&screen);
  POINT p = ScreenToClient(screen);
  // Only over its own window: a button made under the cursor and moved away is not hot.
  if (WindowFromPoint(screen) != Handle()) p = POINT{-1, -1};
  UpdateButtonState(mbLeft, GetShiftState(), TPoint(p.x, p.y), true);
}

void TcxRadioButton::UpdateButtonState(TMouseButton, TShiftState Shift, const TPoint& P, bool NoButton) {
  if (NoButton) {
    Shift.Exclude(ssLeft);
    Shift.Exclude(ssRight);
    Shift.Exclude(ssMiddle);
  }
  std::uint8_t state;
  const bool inside = PointIn(ClientTRect(this), P);
  if (!Enabled()) state = 0;
  else if (HasState(csDesigning)) state = 2;
  else if (HandleAllocated() && GetCapture() == Handle()) state = inside ? 3 : 1;
  else state = inside && IsPlainMouseMove(Shift) ? 1 : 2;
  if (state == FButtonState) return;
  FButtonState = state;
  if (HandleAllocated()) {
    RECT r{FButtonRect.Left - 1, FButtonRect.Top - 1, FButtonRect.Right + 1, FButtonRect.Bottom + 1};
    InvalidateRect(Handle(), &r, FALSE);
  }
}

void TcxRadioButton::MouseEnterHandling() {
  UpdateStateFromCursor();
  if (HandleAllocated()) StartMouseLeaveWatch(this, ClientRect(), this);
}

void TcxRadioButton::MouseLeaveHandling() {
  UpdateButtonState(mbLeft, TShiftState{}, TPoint(-1, -1), true);
  StopMouseLeaveWatch(this);
}

void TcxRadioButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TRadioButton::MouseDown(Button, Shift, X, Y);
  UpdateButtonState(Button, Shift, TPoint(X, Y));
}

void TcxRadioButton::MouseMove(TShiftState Shift, int X, int Y) {
  TRadioButton::MouseMove(Shift, X, Y);
  UpdateButtonState(mbLeft, Shift, TPoint(X, Y));
  if (HandleAllocated()) StartMouseLeaveWatch(this, ClientRect(), this);
}

void TcxRadioButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TRadioButton::MouseUp(Button, Shift, X, Y);
  UpdateButtonState(Button, Shift, TPoint(X, Y));
}

void TcxRadioButton::DoEnter() {
  TRadioButton::DoEnter();
  // Tabbing onto an unchecked button checks it, with one click; a press checks it on its own
  // click notification instead (clicks are off while the press takes the focus).
  if (Checked() || FClicksDisabled) return;
  FClicksDisabled = true;
  SetCheckedValue(true);
  FClicksDisabled = false;
  if (!HasState(csLoading)) Click();
}

bool TcxRadioButton::ShowPopupMenu(TComponent* Menu, int X, int Y) { return ShowPopupMenuFor(this, Menu, X, Y); }

void TcxRadioButton::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0) return;
  if (HasState(csDesigning)) {
    TRadioButton::WMContextMenu(Message);
    return;
  }
  POINT p{Message.XPos(), Message.YPos()};
  const bool keyboard = p.x == -1 && p.y == -1;
  if (!keyboard) {
    p = ScreenToClient(p);
    if (!PointIn(ClientTRect(this), TPoint(p.x, p.y))) {
      TRadioButton::WMContextMenu(Message);
      return;
    }
  }
  bool handled = false;
  DoContextPopup(p, handled);
  if (!handled && FPopupMenu) {
    POINT at = keyboard ? POINT{0, 0} : p;
    at = ClientToScreen(at);
    handled = ShowPopupMenu(FPopupMenu, at.x, at.y);
  }
  if (handled) {
    Message.Result = 1;
    return;
  }
  TRadioButton::WMContextMenu(Message);
}

void TcxRadioButton::DrawBackground() {
  if (!IsBackgroundTransparent()) FCanvas->FillRectWithColor(ClientTRect(this), Color());
}

void TcxRadioButton::AdjustCaptionRect(TRect& R, bool Native) {
  // Left, top, right, bottom: (plain, right-justified), (wrapped, left-justified), ... in order.
  static constexpr int kNative[4][4] = {{0, -1, 1, 0}, {3, -1, 0, 0}, {0, -1, 3, 0}, {3, -1, 0, 0}};
  static constexpr int kPlain[4][4] = {{2, -1, 1, 0}, {5, -1, 0, 0}, {2, -1, 6, 0}, {5, -1, 2, 0}};
  int m[4];
  if (IsInplace()) {
    const int inplace[4] = {Native ? 3 : 5, 0, Native ? 0 : 1, 0};
    std::copy(inplace, inplace + 4, m);
  } else {
    const int row = (WordWrap() ? 2 : 0) + (Alignment() == taRightJustify ? 1 : 0);
    const int* src = Native ? kNative[row] : kPlain[row];
    std::copy(src, src + 4, m);
  }
  R = TRect(R.Left + m[0], R.Top + m[1], R.Right - m[2], R.Bottom - m[3]);
}

TColor TcxRadioButton::CaptionTextColor() {
  TColor c = clDefault;
  if (Font()->Color() == clWindowText) c = FLookAndFeel->ActivePainter()->DefaultEditorTextColor(!Enabled());
  if (c != clDefault) return c;
  return Enabled() ? Font()->Color() : clBtnShadow;
}

TcxButtonState TcxRadioButton::PainterButtonState() const {
  static constexpr TcxButtonState kStates[] = {cxbsDisabled, cxbsHot, cxbsNormal, cxbsPressed};
  return kStates[FButtonState & 3];
}

void TcxRadioButton::DrawCaption(TcxCanvas* ACanvas, bool Native) {
  ACanvas->AssignFont(CaptionFont());
  ACanvas->ActiveFont()->SetColor(CaptionTextColor());
  TRect r = ClientTRect(this);
  if (Alignment() == taRightJustify) r.Left = FButtonRect.Right;
  else r.Right = FButtonRect.Left;
  ACanvas->ActiveBrush()->SetStyle(bsClear);
  AdjustCaptionRect(r, Native);
  const LibraryTextFlags flags = WordWrap() ? kWrappedCaptionFlags : kCaptionFlags;
  const bool painterColour = FLookAndFeel->ActivePainter()->DefaultEditorTextColor(true) != clDefault;
  const bool enabledLook = painterColour || IsGroupItem() || Native || Enabled();
  ACanvas->DrawTextInRect(Caption(), r, flags, enabledLook);
  ACanvas->ActiveBrush()->SetStyle(bsSolid);
  if (Focused() && !Caption().empty()) {
    TRect f = r;
    ACanvas->CalcTextRect(Caption(), f, flags);
    f = TRect(f.Left - 1, f.Top - 1, f.Right + 1, f.Bottom + 2);
    if (IsInplace()) {
      f.Top = std::max(f.Top, 1);
      f.Bottom = std::min(f.Bottom, Height() - 1);
      f.Right = std::min(f.Right, Width());
    }
    TCanvas* c = ACanvas->Canvas();
    c->Brush()->SetColor(Color());
    c->Font()->SetColor(Font()->Color());
    c->DrawFocusRect(RECT{f.Left, f.Top, f.Right, f.Bottom});
  }
}

const TRect& TcxRadioButton::PlaceButtonRect(const TSize& GlyphSize) {
  FButtonRect.Top = (Height() - GlyphSize.cy) / 2;
  FButtonRect.Bottom = FButtonRect.Top + GlyphSize.cy;
  if (Alignment() == taRightJustify) {
    FButtonRect.Left = IsNativeStyle() || IsInplace() ? 0 : 1;
    FButtonRect.Right = FButtonRect.Left + GlyphSize.cx;
  } else {
    FButtonRect.Right = Width();
    FButtonRect.Left = Width() - GlyphSize.cx;
  }
  return FButtonRect;
}

void TcxRadioButton::PaintButton(bool FocusOnly) {
  const bool native = IsNativeStyle();
  const TRect client = ClientTRect(this);
  if (!FocusOnly) {
    if (IsTransparentDrawing()) {
      PaintParentBackground(this, FCanvas.get(), client, true);
    } else if (UsesParentBackground()) {
      if (!(IsUxThemeBound() && UxDrawThemeParentBackground(Handle(), FCanvas->DeviceContext(), &client) == S_OK))
        PaintParentBackground(this, FCanvas.get(), client, false);
    }
    if (native) DrawBackground();
  }
  TcxCustomLookAndFeelPainterClass painter = FLookAndFeel->PainterForThemedObject(tciButton);
  PlaceButtonRect(painter->RadioButtonGlyphSize());
  TColor back = Color();
  if (IsBackgroundTransparent()) back = FLookAndFeel->SkinPainter() ? clNone : clDefault;
  painter->DrawRadioButton(FCanvas.get(), FButtonRect.Left, FButtonRect.Top, PainterButtonState(), Checked(),
                           Focused(), back, HasState(csDesigning));
  FCanvas->ExcludeRectFromClip(FButtonRect);
  if (!FocusOnly && !native) DrawBackground();
  DrawCaption(FCanvas.get(), native);
}

void TcxRadioButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case CN_DRAWITEM:
      if (!HasState(csDestroying)) {
        const auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
        FControlCanvas->SetHandle(item.hDC);
        struct Release {
          TControlCanvas* c;
          ~Release() { c->SetHandle(nullptr); }
        } release{FControlCanvas.get()};
        FCanvas->PushClipRegion();
        PaintButton(item.itemAction == ODA_FOCUS);
        FCanvas->PopClipRegion();
      }
      Message.Result = 1;
      return;
    case CN_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
      mis->itemWidth = static_cast<UINT>(Width());
      mis->itemHeight = static_cast<UINT>(Height());
      Message.Result = 1;
      return;
    }
    case BM_SETCHECK: {
      TRadioButton::WndProc(Message);
      // Only the glyph changes.
      if (HandleAllocated()) {
        RECT r{FButtonRect.Left, FButtonRect.Top, FButtonRect.Right, FButtonRect.Bottom};
        InvalidateRect(Handle(), &r, FALSE);
      }
      return;
    }
    case WM_WINDOWPOSCHANGED:
      TRadioButton::WndProc(Message);
      if (!HasState(csDestroying) && IsBackgroundTransparent()) Invalidate();
      return;
    case CM_SYSCOLORCHANGE:
      TRadioButton::WndProc(Message);
      Invalidate();
      return;
    case CM_ENABLEDCHANGED:
      TRadioButton::WndProc(Message);
      EnabledChanged();
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // The standard button takes the capture only after the mouse-down handlers: the pressed
      // look is decided once it holds it.
      const TPoint p(Message.XPos(), Message.YPos());
      const TShiftState shift = KeysToShiftState(Message.WParam);
      TRadioButton::WndProc(Message);
      UpdateButtonState(mbLeft, shift, p);
      return;
    }
    case CM_MOUSEENTER:
      TRadioButton::WndProc(Message);
      MouseEnterHandling();
      return;
    case CM_MOUSELEAVE:
      TRadioButton::WndProc(Message);
      MouseLeaveHandling();
      return;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
      if (IsPopupMenuShortCut(FPopupMenu, Message)) {
        Message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TRadioButton::WndProc(Message);
}

namespace {
// Form descriptions create radio buttons by class name.
const bool kRegistered = [] {
  RegisterClassesOf<TcxRadioButton>();
  return true;
}();
}  // namespace
