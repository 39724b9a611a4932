#include "ui/controls/PopupWindow.h"

#include "ui/controls/ControlServices.h"

using namespace win;

TcxPopupWindow::TcxPopupWindow(TComponent* AOwner) : TForm(AOwner, 0) {
  SetBorderStyle(bsNone);
  SetDefaultMonitor(dmDesktop);
  SetFormStyle(fsStayOnTop);
  FCanvas = std::make_unique<TcxCanvas>(TForm::Canvas());
}

TcxPopupWindow::~TcxPopupWindow() = default;

int TcxPopupWindow::FrameWidth(int /*Side*/) {
  switch (FrameStyle) {
    case 1:
    case 2: return 1;
    case 3: return 2;
    default: return 0;
  }
}

int TcxPopupWindow::SideOffset(int Side) { return FrameWidth(Side) + BorderSpace; }

void TcxPopupWindow::InnerClientRect(TRect& R) {
  R = TRect(ClientRect());
  R.Left += SideOffset(0);
  R.Top += SideOffset(1);
  R.Right -= SideOffset(2);
  R.Bottom -= SideOffset(3);
}

void TcxPopupWindow::OwnerScreenBounds(TRect& R) {
  R = OwnerBounds;
  if (!OwnerParent) return;
  POINT tl = OwnerParent->ClientToScreen(POINT{R.Left, R.Top});
  POINT br = OwnerParent->ClientToScreen(POINT{R.Right, R.Bottom});
  R = TRect(tl.x, tl.y, br.x, br.y);
}

void TcxPopupWindow::InheritOwnerFont() {
  if (OwnerParent) Font()->Assign(OwnerParent->Font());
}

void TcxPopupWindow::CalcPosition(TPoint& P) {
  TRect owner;
  OwnerScreenBounds(owner);
  const int L = owner.Left, T = owner.Top, R = owner.Right, B = owner.Bottom;
  const int W = Width(), H = Height();
  int alignHorz = AlignHorz, alignVert = AlignVert;
  const bool vertical = Direction == 1;
  TPoint attach;

  auto placeHorz = [&] {
    if (alignHorz == 1) {
      P.X = (L + R - W) / 2;
      attach.X = P.X;
    } else if (alignHorz == 0) {
      P.X = vertical ? L : L - W;
      attach.X = L;
    } else {
      P.X = vertical ? R - W : R;
      attach.X = R;
    }
  };
  auto placeVert = [&] {
    if (alignVert == 1) {
      P.Y = (T + B - H) / 2;
      attach.Y = P.Y;
    } else if (alignVert == 0) {
      P.Y = vertical ? T - H : T;
      attach.Y = T;
    } else {
      P.Y = vertical ? B : B - H;
      attach.Y = B;
    }
  };
  placeHorz();
  placeVert();

  RECT work;
  DesktopWorkArea(POINT{attach.X, attach.Y}, work);
  if (vertical) {
    const bool moreRoomAbove = work.bottom - B < T - work.top;
    if (alignVert == 2 && P.Y + H > work.bottom && moreRoomAbove)
      alignVert = 0;
    else if (alignVert == 0 && P.Y < work.top && !moreRoomAbove)
      alignVert = 2;
    placeVert();
  } else {
    const bool moreRoomLeft = work.right - R < L - work.left;
    if (alignHorz == 2 && P.X + W > work.right && moreRoomLeft)
      alignHorz = 0;
    else if (alignHorz == 0 && P.X < work.left && !moreRoomLeft)
      alignHorz = 2;
    placeHorz();
  }

  // Only along the owner's edge: moving the other way would cover the owner.
  if (vertical || AlignHorz == 1) {
    if (P.X + W > work.right) P.X = work.right - W;
    if (P.X < work.left) P.X = work.left;
  }
  if (!vertical || AlignVert == 1) {
    if (P.Y + H > work.bottom) P.Y = work.bottom - H;
    if (P.Y < work.top) P.Y = work.top;
  }
}

void TcxPopupWindow::FitToControls() {
  if (!Adjustable) return;
  int right = 0, bottom = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    right = std::max(right, c->Left() + c->Width());
    bottom = std::max(bottom, c->Top() + c->Height());
    c->SetBounds(c->Left() + SideOffset(0), c->Top() + SideOffset(1), c->Width(), c->Height());
  }
  if (ControlCount() == 0 && right == 0 && bottom == 0) return;
  SetWidth(SideOffset(0) + right + SideOffset(2));
  SetHeight(SideOffset(1) + bottom + SideOffset(3));
}

void TcxPopupWindow::DrawFrame() {
  TRect r(0, 0, Width(), Height());
  switch (FrameStyle) {
    case 1: FCanvas->DrawSideFrame(r, FrameColor, 1, cxBordersAll); break;
    case 2: FCanvas->Draw3DEdge(r, false, false, cxBordersAll); break;
    case 3:
      FCanvas->Draw3DEdge(r, false, true, cxBordersAll);
      r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
      FCanvas->Draw3DEdge(r, false, false, cxBordersAll);
      break;
    default: break;
  }
}

void TcxPopupWindow::ClosePopup() { Hide(); }

void TcxPopupWindow::Popup() {
  InheritOwnerFont();
  FitToControls();
  TPoint p;
  CalcPosition(p);
  SetLeft(p.X);
  CalcPosition(p);
  SetTop(p.Y);
  Show();
}

void TcxPopupWindow::Paint() {
  TForm::Paint();
  DrawFrame();
}

void TcxPopupWindow::Deactivate() {
  TForm::Deactivate();
  ClosePopup();
}

void TcxPopupWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ACTIVATE:
      TForm::Dispatch(Message);
      // The window that was active keeps its active caption while its popup is open.
      if (Message.WParamLo() != WA_INACTIVE) {
        PrevActiveWindow = reinterpret_cast<HWND>(Message.LParam);
        if (PrevActiveWindow) SendMessage(PrevActiveWindow, WM_NCACTIVATE, TRUE, 0);
      }
      return;
    case WM_ACTIVATEAPP:
      TForm::Dispatch(Message);
      if (!Message.WParam) {
        if (PrevActiveWindow) SendMessage(PrevActiveWindow, WM_NCACTIVATE, FALSE, 0);
        ClosePopup();
      }
      return;
    case CM_VISIBLECHANGED:
      TForm::Dispatch(Message);
      VisibilityChanged();
      return;
    default: TForm::Dispatch(Message); return;
  }
}
