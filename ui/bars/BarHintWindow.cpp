#include "ui/bars/BarHintWindow.h"

#include <memory>

#include "platform/gdi/Gdi.h"
#include "platform/system/Modules.h"
#include "platform/win/Focus.h"
#include "platform/win/Window.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/foundation/OSVersion.h"

using namespace win;

TdxBarHintWindow::TdxBarHintWindow(TComponent* AOwner) : TcxBaseHintWindow(AOwner) {
  SetColor(clInfoBk);
  AlwaysErase = true;
  AnimationKind = 9;
}

TdxBarHintWindow::~TdxBarHintWindow() { FreeViewInfo(); }

void TdxBarHintWindow::FreeViewInfo() {
  delete FViewInfo;
  FViewInfo = nullptr;
}

void TdxBarHintWindow::SetScreenTipMode(bool Value) {
  if (Value == FScreenTipMode) return;
  ReleaseHandle();
  FScreenTipMode = Value;
  SetDoubleBuffered(Value);
  RecreateWindow();
}

int TdxBarHintWindow::ShowPause() { return FScreenTipMode ? 900 : 1000; }

int TdxBarHintWindow::HidePause() { return FScreenTipMode ? 200000 : 10000; }

void TdxBarHintWindow::RecreateWindow() {
  if (!IsWindowsXP) {
    RecreateWnd();
    return;
  }
  // The class keeps the drop shadow it was registered with on these systems; a window of the
  // other mode needs the class registered afresh.
  DestroyHandle();
  TCreateParams params;
  CreateParams(params);
  HINSTANCE instance = GetModuleHandle(nullptr);
  WNDCLASS existing{};
  if (GetClassInfo(instance, params.WinClassName.c_str(), &existing))
    UnregisterClass(params.WinClassName.c_str(), instance);
  HandleNeeded();
}

bool TdxBarHintWindow::FindHintSource(TdxBarManager* Manager, IdxBarHintSource*& Source) {
  Source = nullptr;
  return Manager && Supports(Manager->HintObject(), &Source);
}

bool TdxBarHintWindow::ActivateBarHint(TdxBarManager* Manager, const String& Hint, const String& ShortCut) {
  FreeViewInfo();
  IdxBarHintSource* source = nullptr;
  TCustomdxBarControl* hintControl = nullptr;
  if (!FindHintSource(Manager, source) && Manager)
    hintControl = dynamic_cast<TCustomdxBarControl*>(Manager->HintObject());

  POINT cursor{};
  GetCursorPos(&cursor);
  std::unique_ptr<TdxBarCustomHintViewInfo> viewInfo;
  TdxBarPainter* controlPainter = hintControl ? hintControl->BarPainter() : nullptr;
  if (source)
    viewInfo.reset(source->MakeHintViewInfo(Hint, ShortCut));
  else if (controlPainter)
    viewInfo.reset(controlPainter->CreateHintViewInfo(Manager, Hint, ShortCut, nullptr));
  if (!viewInfo) viewInfo = std::make_unique<TdxBarHintViewInfo>(Manager, Hint, ShortCut, TPoint(cursor.x, cursor.y));

  // A change of mode hides the window, and hiding frees the view info shown: the presentation
  // going away is hidden here, before the new one is kept.
  if (viewInfo->IsScreenTipStyle() != FScreenTipMode) ReleaseHandle();
  FViewInfo = viewInfo.release();
  FViewInfo->PrepareWindow(this);
  FViewInfo->Calculate(Canvas());
  const TRect bounds = FViewInfo->Bounds();
  if (bounds.Right <= bounds.Left || bounds.Bottom <= bounds.Top) return false;

  const int width = bounds.Right - bounds.Left, height = bounds.Bottom - bounds.Top;
  TPoint position(cursor.x, cursor.y);
  if (source) {
    source->ShowHintAt(position, height, position);
  } else if (controlPainter) {
    const TPoint at = position;
    controlPainter->ShowHintWindow(hintControl, hintControl->MarkRect(), at, height, position);
  }
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowHint(RECT{position.X, position.Y, position.X + width, position.Y + height}, Hint);
  return true;
}

void TdxBarHintWindow::Paint() {
  if (!FViewInfo) return;
  const TRect& bounds = FViewInfo->Bounds();
  SetClientSize(bounds.Right - bounds.Left, bounds.Bottom - bounds.Top);
  FViewInfo->PaintHint(Canvas());
}

void TdxBarHintWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE:
      TcxBaseHintWindow::Dispatch(Message);
      if (FScreenTipMode && HandleAllocated()) {
        RECT r;
        GetWindowRect(WindowHandle(), &r);
        SetWindowRgn(WindowHandle(), CreateRoundRectRgn(0, 0, r.right - r.left + 1, r.bottom - r.top + 1, 2, 2), TRUE);
      }
      return;
    case WM_SHOWWINDOW:
      if (!Message.WParam) FreeViewInfo();
      TcxBaseHintWindow::Dispatch(Message);
      return;
    default: TcxBaseHintWindow::Dispatch(Message); return;
  }
}
