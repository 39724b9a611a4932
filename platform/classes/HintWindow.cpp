#include "platform/classes/HintWindow.h"

#include "platform/classes/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Metrics.h"

using namespace win;

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  FColor = clInfoBk;
  FParentColor = false;
  FBrush->SetColor(FColor);
  FVisible = false;
  if (Screen) FFont->Assign(Screen->HintFont());
  FFont->SetColor(clInfoText);
  FParentFont = false;
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  Params.WndParent = nullptr;
  Params.WindowClass.style |= CS_SAVEBITS;
}

void THintWindow::Dispatch(TMessage& Message) {
  // A hint never takes activation or the mouse from the window below it.
  if (Message.Msg == WM_NCHITTEST) {
    Message.Result = HTTRANSPARENT;
    return;
  }
  if (Message.Msg == WM_MOUSEACTIVATE) {
    Message.Result = MA_NOACTIVATE;
    return;
  }
  TCustomControl::Dispatch(Message);
}

RECT THintWindow::CalcHintRect(int MaxWidth, const String& AHint) {
  RECT r{0, 0, MaxWidth, 0};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FFont->Handle());
  DrawText(dc, AHint.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  r.right += 6;
  r.bottom += 2;
  return r;
}

void THintWindow::ActivateHint(RECT Rect, const String& AHint) {
  SetCaption(AHint);
  HandleNeeded();
  // Kept on the screen, as a hint cut off at the edge cannot be read.
  int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (Rect.right > sw) Rect.left = sw - w;
  if (Rect.left < 0) Rect.left = 0;
  if (Rect.bottom > sh) Rect.top = sh - h;
  if (Rect.top < 0) Rect.top = 0;
  FLeft = Rect.left;
  FTop = Rect.top;
  FWidth = w;
  FHeight = h;
  SetWindowPos(FHandle, HWND_TOPMOST, Rect.left, Rect.top, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  FShowing = true;
  FVisible = true;
  Invalidate();
}

void THintWindow::ReleaseHandle() {
  if (FHandle) ShowWindow(FHandle, SW_HIDE);
  FShowing = false;
  FVisible = false;
}

void THintWindow::Paint() {
  RECT r = ClientRect();
  FCanvas->Brush()->SetColor(FColor);
  FCanvas->FillRect(r);
  r.left += 2;
  r.top += 1;
  FCanvas->Font()->SetColor(clInfoText);
  FCanvas->Brush()->SetStyle(bsClear);
  HDC dc = FCanvas->Handle();
  FCanvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
  SetTextColor(dc, ColorToRGB(FCanvas->Font()->Color()));
  SetBkMode(dc, TRANSPARENT);
  String text = Caption();
  DrawText(dc, text.c_str(), -1, &r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}
