#include "ui/controls/HintWindow.h"

#include <algorithm>

#include "platform/classes/Utf8.h"
#include "platform/system/Modules.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "ui/controls/ControlServices.h"
#include "ui/foundation/OSVersion.h"

using namespace win;

namespace {

using TAnimateWindow = BOOL (*)(HWND, DWORD, DWORD);

// Bound by name: a system without it shows hints without animation.
TAnimateWindow AnimateWindowProc() {
  HMODULE user32 = GetModuleHandle("user32.dll");
  return user32 ? reinterpret_cast<TAnimateWindow>(GetProcAddress(user32, "AnimateWindow")) : nullptr;
}

bool SystemSetting(UINT Action) {
  BOOL value = FALSE;
  return SystemParametersInfo(Action, 0, &value, 0) && value;
}

constexpr std::uint8_t kSystemDefault = 8;
constexpr std::uint8_t kNoAnimation = 9;

}  // namespace

DWORD HintAnimationFlags(std::uint8_t Kind) {
  static constexpr DWORD kFlags[] = {AW_HOR_POSITIVE, AW_HOR_NEGATIVE, AW_VER_POSITIVE, AW_VER_NEGATIVE,
                                     AW_CENTER,       AW_HIDE,         AW_ACTIVATE,     AW_BLEND};
  return (Kind < 8 ? kFlags[Kind] : 0) | AW_SLIDE;
}

TcxBaseHintWindow::TcxBaseHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

void TcxBaseHintWindow::CreateParams(TCreateParams& Params) {
  THintWindow::CreateParams(Params);
  if (StandardHint) return;
  Params.ExStyle |= WS_EX_TOPMOST;
  if (!ShowBorder) Params.Style &= ~WS_BORDER;
}

void TcxBaseHintWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
      // The caption changes with every hint; repainting for it would flicker.
      if (StandardHint) THintWindow::Dispatch(Message);
      return;
    case WM_NCHITTEST:
      Message.Result = HTTRANSPARENT;
      return;
    case WM_ERASEBKGND:
      if (AlwaysErase || StandardHint)
        THintWindow::Dispatch(Message);
      else
        Message.Result = 1;
      return;
    default: THintWindow::Dispatch(Message); return;
  }
}

void TcxBaseHintWindow::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  RECT work;
  DesktopWorkArea(POINT{ALeft, ATop}, work);
  ALeft = std::max(std::min(ALeft, static_cast<int>(work.right) - AWidth), static_cast<int>(work.left));
  ATop = std::max(std::min(ATop, static_cast<int>(work.bottom) - AHeight), static_cast<int>(work.top));
  THintWindow::SetBounds(ALeft, ATop, AWidth, AHeight);
}

std::uint8_t TcxBaseHintWindow::EffectiveAnimation() const {
  if (AnimationKind == kNoAnimation || !SystemSetting(SPI_GETTOOLTIPANIMATION)) return kNoAnimation;
  if (AnimationKind == kSystemDefault) return SystemSetting(SPI_GETTOOLTIPFADE) ? 7 : 2;
  return AnimationKind;
}

void TcxBaseHintWindow::ClearWindowRegion() {
  if (!HandleAllocated()) return;
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(WindowHandle(), rgn) != ERROR) SetWindowRgn(WindowHandle(), nullptr, TRUE);
  DeleteObject(rgn);
}

void TcxBaseHintWindow::ShowWithoutActivation() { ShowWindow(Handle(), SW_SHOWNOACTIVATE); }

void TcxBaseHintWindow::AnimateShow() {
  const std::uint8_t kind = EffectiveAnimation();
  TAnimateWindow animate = AnimateWindowProc();
  if (kind == kNoAnimation || !animate) return;
  if (!IsWindowsXPOrLater) ClearWindowRegion();
  animate(Handle(), AnimationTime, HintAnimationFlags(kind));
}

void TcxBaseHintWindow::ShowHint(RECT Rect, const String& Hint) {
  if (!PointHasMonitor(POINT{Rect.left, Rect.top})) return;
  if (StandardHint) {
    THintWindow::ActivateHint(Rect, Hint);
    return;
  }
  SetCaption(Hint);
  AdjustHintRect(Rect);
  HandleNeeded();
  SetBounds(Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top);
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (IsWindowsXPOrLater) BeforeShowHint();
  if (Utf8Count(Hint) < 100 && AnimateWindowProc()) AnimateShow();
  if (!IsWindowsXPOrLater) BeforeShowHint();
  ShowWithoutActivation();
  FShowing = true;
  FVisible = true;
  Invalidate();
  LastHintRect = RECT{};
}
