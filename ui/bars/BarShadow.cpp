#include "ui/bars/BarShadow.h"

#include <algorithm>
#include <utility>

#include "platform/gdi/Gdi.h"
#include "platform/win/Hooks.h"
#include "platform/win/Window.h"
#include "ui/bars/BarUnit.h"
#include "ui/foundation/BitmapPixels.h"
#include "ui/foundation/Geometry.h"

using namespace win;

bool BarShadowLayered() { return UpdateLayeredWindowProc != nullptr && ScreenColorDepth > 8; }

int BarShadowStripThickness() { return BarShadowLayered() ? 4 : 2; }

// ---- TdxBarShadowPart -----------------------------------------------------------------------------

TdxBarShadowPart::TdxBarShadowPart(TdxBarShadow* AShadow, int AStripKind, int AFadedEnds)
    : TCustomControl(nullptr),
      FFadedEnds(AFadedEnds),
      FAlphaImage(new TcxBitmap32),
      FStripKind(AStripKind),
      FOwningShadow(AShadow) {
  // Shown and hidden by the shadow alone, never by the class library.
  SetVisible(false);
}

TdxBarShadowPart::~TdxBarShadowPart() { delete FAlphaImage; }

void TdxBarShadowPart::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.ExStyle = 0;
  if (BarShadowLayered()) Params.ExStyle |= WS_EX_LAYERED;
  TWinControl* caster = FOwningShadow->CastingWindow();
  const bool casterHasWindow = caster && caster->HandleAllocated();
  // A topmost menu's strips must be topmost too, or they could not lie right behind it.
  if (casterHasWindow && (GetWindowLong(caster->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST)) Params.ExStyle |= WS_EX_TOPMOST;
  Params.WndParent = casterHasWindow ? caster->Handle() : nullptr;
  Params.WindowClass.style = 0;
}

void TdxBarShadowPart::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST:
      Message.Result = HTTRANSPARENT;
      return;
    case WM_ERASEBKGND:
      Message.Result = 0;
      return;
    case WM_PAINT:
      DefaultHandler(Message);
      Message.Result = 0;
      return;
    case WM_NCDESTROY:
      TCustomControl::WndProc(Message);
      // The casting window takes its owned strips with it when its own window goes; the strip then
      // holds no window any more and makes a new one when it is next shown.
      if (!ControlState().Contains(csDestroyingHandle)) {
        FHandle = nullptr;
        FShowing = false;
      }
      return;
    default:
      TCustomControl::WndProc(Message);
  }
}

bool TdxBarShadowPart::Buildable() const {
  const int s = BarShadowStripThickness();
  return FFadedEnds == 0 || (Width() >= s && Height() >= s);
}

void TdxBarShadowPart::BuildImage() {
  const int w = Width(), h = Height();
  if (!Buildable() || w <= 0 || h <= 0) {
    FAlphaImage->SetSize(0, 0);
    return;
  }
  const int s = BarShadowStripThickness();
  TRGBColors colors(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  auto at = [&](int x, int y) -> BYTE& { return colors[static_cast<std::size_t>(y) * w + x].rgbReserved; };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      at(x, y) = static_cast<BYTE>(std::min(255, 15 * (FStripKind == dxBarShadowBelow ? h - y : w - x)));
  // Near a faded end every pixel across the strip fades by its distance k from the end.
  auto fade = [&](BYTE& Alpha, int k) { Alpha = static_cast<BYTE>(MulDiv(Alpha, k + 1, s + 1)); };
  for (int k = 0; k < s; ++k) {
    if ((FFadedEnds & dxBarShadowFadeLeft) && k < w)
      for (int y = 0; y < h; ++y) fade(at(k, y), k);
    if ((FFadedEnds & dxBarShadowFadeRight) && k < w)
      for (int y = 0; y < h; ++y) fade(at(w - 1 - k, y), k);
    if ((FFadedEnds & dxBarShadowFadeTop) && k < h)
      for (int x = 0; x < w; ++x) fade(at(x, k), k);
  }
  FAlphaImage->SetSize(w, h);
  StoreBitmapColors(FAlphaImage->Handle(), colors, true);
}

void TdxBarShadowPart::SetBounds(const TRect& R) {
  SetBounds(R.Left, R.Top, WidthOfRect(R), HeightOfRect(R));
  BuildImage();
  if (FOwningShadow->Shown()) ShowStrip();
}

void TdxBarShadowPart::ShowStrip() {
  if (!Buildable()) return;
  TWinControl* caster = FOwningShadow->CastingWindow();
  if (BarShadowLayered()) {
    const SIZE size{Width(), Height()};
    const POINT origin{0, 0};
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindowProc(Handle(), nullptr, nullptr, &size, FAlphaImage->Canvas()->Handle(), &origin, 0, &blend,
                            ULW_ALPHA);
    FAlphaImage->Dormant();
  }
  SetWindowPos(Handle(), caster && caster->HandleAllocated() ? caster->Handle() : nullptr, 0, 0, 0, 0,
               SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void TdxBarShadowPart::HideStrip() {
  if (!HandleAllocated()) return;
  ShowWindow(Handle(), SW_HIDE);
  DestroyHandle();
}

// ---- TdxBarShadow ---------------------------------------------------------------------------------

TdxBarShadow::TdxBarShadow(TWinControl* ACastingWindow) : FCastingWindow(ACastingWindow) {}

TdxBarShadow::~TdxBarShadow() { DestroyParts(); }

void TdxBarShadow::SetBounds(const TRect& AOwnerRect, const TRect& AWindowRect) {
  FFirstRect = AOwnerRect;
  FSecondRect = AWindowRect;
  const bool ownerEmpty = RectHasNoArea(AOwnerRect);
  FHorizontalSeam = ownerEmpty || AOwnerRect.Bottom == AWindowRect.Top || AOwnerRect.Top == AWindowRect.Bottom;
  // The upper or left rectangle comes first. An empty owner never takes the window's place: the
  // strips would then be cast by nothing.
  if (!ownerEmpty && ((FHorizontalSeam && AOwnerRect.Top == AWindowRect.Bottom) ||
                      (!FHorizontalSeam && AOwnerRect.Left == AWindowRect.Right)))
    std::swap(FFirstRect, FSecondRect);
  RebuildStrips();
}

void TdxBarShadow::RebuildStrips() {
  DestroyParts();
  const TRect& A = FFirstRect;
  const TRect& B = FSecondRect;
  const int S = BarShadowStripThickness();
  constexpr int L = dxBarShadowFadeLeft, R = dxBarShadowFadeRight, T = dxBarShadowFadeTop;
  constexpr int below = dxBarShadowBelow, right = dxBarShadowRight;
  if (FHorizontalSeam) {
    const bool ownerEmpty = RectHasNoArea(A);
    if (!ownerEmpty) AddPart({A.Right, A.Top + S, A.Right + S, A.Bottom}, right, T);
    AddPart({B.Left + S, B.Bottom, B.Right + S, B.Bottom + S}, below, L | R);
    if (!ownerEmpty && A.Left + S < B.Left) AddPart({A.Left + S, A.Bottom, B.Left, A.Bottom + S}, below, L);
    if (!ownerEmpty && B.Right < A.Right) AddPart({B.Right, A.Bottom, A.Right + S, A.Bottom + S}, below, R);
    if (ownerEmpty || A.Right < B.Right)
      AddPart({B.Right, B.Top + S, B.Right + S, B.Bottom}, right, T);
    else
      AddPart({B.Right, B.Top, B.Right + S, B.Bottom}, right, 0);
  } else {
    AddPart({B.Right, B.Top + S, B.Right + S, B.Bottom}, right, T);
    if (A.Top + S < B.Top) AddPart({A.Right, A.Top + S, A.Right + S, B.Top}, right, T);
    if (B.Bottom < A.Bottom) {
      AddPart({A.Left + S, A.Bottom, A.Right + S, A.Bottom + S}, below, L | R);
      AddPart({A.Right, B.Bottom, A.Right + S, A.Bottom}, right, 0);
    } else {
      AddPart({A.Left + S, A.Bottom, A.Right, A.Bottom + S}, below, L);
    }
    if (A.Bottom < B.Bottom)
      AddPart({B.Left + S, B.Bottom, B.Right + S, B.Bottom + S}, below, L | R);
    else
      AddPart({B.Left, B.Bottom, B.Right + S, B.Bottom + S}, below, R);
  }
}

void TdxBarShadow::AddPart(const TRect& R, int AStripKind, int AFadedEnds) {
  if (RectHasNoArea(R)) return;
  auto slot = std::find(FParts.begin(), FParts.end(), nullptr);
  if (slot == FParts.end()) return;
  *slot = new TdxBarShadowPart(this, AStripKind, AFadedEnds);
  (*slot)->SetBounds(R);
}

void TdxBarShadow::DestroyParts() {
  for (TdxBarShadowPart*& part : FParts) {
    TObject::Free(part);
    part = nullptr;
  }
}

void TdxBarShadow::SetShown(bool Value) {
  FShown = Value;
  for (TdxBarShadowPart* part : FParts) {
    if (!part) continue;
    if (Value)
      part->ShowStrip();
    else
      part->HideStrip();
  }
}

int TdxBarShadow::PartCount() const {
  return static_cast<int>(std::count_if(FParts.begin(), FParts.end(), [](auto* p) { return p != nullptr; }));
}
