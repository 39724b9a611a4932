#include "platform/classes/ScrollBox.h"

#include <algorithm>

#include "platform/win/Controls.h"

using namespace win;

TScrollBox::TScrollBox(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FWidth = 185;
  FHeight = 41;
}

void TScrollBox::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishWinControl(t);
  t.Add("AutoScroll", &TScrollBox::AutoScroll, &TScrollBox::SetAutoScroll).SetDefault(true);
  t.Add("BorderStyle", &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle).SetDefault(bsSingle);
}

void TScrollBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
  if (FBorderStyle == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
  Params.WindowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
}

void TScrollBox::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateScrollBars();
}

void TScrollBox::SetBorderStyle(TFormBorderStyle Value) {
  Value = Value == bsNone ? bsNone : bsSingle;
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TScrollBox::SetAutoScroll(bool Value) {
  if (Value == FAutoScroll) return;
  FAutoScroll = Value;
  if (!Value) ScrollTo(0, 0);
  UpdateScrollBars();
}

POINT TScrollBox::Range() {
  // The far edges of the children, measured in the unscrolled area.
  int right = 0, bottom = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible() || c->Align() != alNone) continue;
    right = std::max(right, c->Left() + c->Width() + FPos.x);
    bottom = std::max(bottom, c->Top() + c->Height() + FPos.y);
  }
  return POINT{right, bottom};
}

void TScrollBox::UpdateScrollBars() {
  if (!HandleAllocated() || FUpdating) return;
  FUpdating = true;
  POINT range = FAutoScroll ? Range() : POINT{0, 0};
  // Showing one bar narrows the area, which may call for the other.
  for (int pass = 0; pass < 2; ++pass) {
    RECT client;
    GetClientRect(FHandle, &client);
    bool horz = range.x > client.right;
    bool vert = range.y > client.bottom;
    ShowScrollBar(FHandle, SB_HORZ, horz ? TRUE : FALSE);
    ShowScrollBar(FHandle, SB_VERT, vert ? TRUE : FALSE);
    GetClientRect(FHandle, &client);
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = std::max(0, static_cast<int>(range.x) - 1);
    si.nPage = static_cast<UINT>(client.right);
    si.nPos = FPos.x;
    if (horz) FlatSB_SetScrollInfo(FHandle, SB_HORZ, &si, TRUE);
    si.nMax = std::max(0, static_cast<int>(range.y) - 1);
    si.nPage = static_cast<UINT>(client.bottom);
    si.nPos = FPos.y;
    if (vert) FlatSB_SetScrollInfo(FHandle, SB_VERT, &si, TRUE);
  }
  // A larger area may need less scrolling than before.
  RECT client;
  GetClientRect(FHandle, &client);
  int maxX = std::max(0, static_cast<int>(range.x - client.right));
  int maxY = std::max(0, static_cast<int>(range.y - client.bottom));
  FUpdating = false;
  if (FPos.x > maxX || FPos.y > maxY) ScrollTo(std::min<int>(FPos.x, maxX), std::min<int>(FPos.y, maxY));
}

void TScrollBox::ScrollTo(int X, int Y) {
  X = std::max(0, X);
  Y = std::max(0, Y);
  int dx = FPos.x - X, dy = FPos.y - Y;
  if (dx == 0 && dy == 0) return;
  FPos = POINT{X, Y};
  DisableAlign();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
  }
  EnableAlign();
  if (HandleAllocated()) {
    FlatSB_SetScrollPos(FHandle, SB_HORZ, FPos.x, TRUE);
    FlatSB_SetScrollPos(FHandle, SB_VERT, FPos.y, TRUE);
    Invalidate();
  }
}

void TScrollBox::ScrollInView(TControl* AControl) {
  if (!AControl || !HandleAllocated()) return;
  RECT client;
  GetClientRect(FHandle, &client);
  int x = FPos.x, y = FPos.y;
  if (AControl->Left() < 0) x += AControl->Left();
  else if (AControl->Left() + AControl->Width() > client.right)
    x += std::min(AControl->Left(), AControl->Left() + AControl->Width() - static_cast<int>(client.right));
  if (AControl->Top() < 0) y += AControl->Top();
  else if (AControl->Top() + AControl->Height() > client.bottom)
    y += std::min(AControl->Top(), AControl->Top() + AControl->Height() - static_cast<int>(client.bottom));
  ScrollTo(x, y);
}

void TScrollBox::Scroll(TMessage& Message, bool Horizontal) {
  RECT client;
  GetClientRect(FHandle, &client);
  POINT range = Range();
  int page = Horizontal ? client.right : client.bottom;
  int maxPos = std::max(0, static_cast<int>((Horizontal ? range.x : range.y) - page));
  int pos = Horizontal ? FPos.x : FPos.y;
  int line = 8;
  switch (Message.WParamLo()) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = Message.WParamHi(); break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = maxPos; break;
    default: return;
  }
  pos = std::clamp(pos, 0, maxPos);
  if (Horizontal)
    ScrollTo(pos, FPos.y);
  else
    ScrollTo(FPos.x, pos);
}

void TScrollBox::WndProc(TMessage& Message) {
  if ((Message.Msg == WM_HSCROLL || Message.Msg == WM_VSCROLL) && Message.LParam == 0) {
    Scroll(Message, Message.Msg == WM_HSCROLL);
    Message.Result = 0;
    return;
  }
  TWinControl::WndProc(Message);
}

void TScrollBox::Resize() {
  TWinControl::Resize();
  UpdateScrollBars();
}

void TScrollBox::AlignControls(TControl* AControl, RECT& Rect) {
  TWinControl::AlignControls(AControl, Rect);
  UpdateScrollBars();
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TScrollBox>();
  return true;
}();

}  // namespace
