#include "ui/bars/BarCheckableButton.h"

#include "platform/classes/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Rects.h"
#include "ui/bars/BarPopupMenu.h"

using namespace win;

TCheckableButton::TCheckableButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  // The menu takes the mouse while it is up: the button must not hold it.
  TControlStyle style = ControlStyle();
  style.Exclude(csCaptureMouse);
  SetControlStyle(style);
}

TCheckableButton::~TCheckableButton() { SetDropDownMenu(nullptr); }

void TCheckableButton::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

void TCheckableButton::SetDown(bool Value) {
  if (FDown == Value) return;
  FDown = Value;
  Repaint();
  if (!FDown || !FDropDownMenu) return;
  POINT p = ClientToScreen(POINT{0, Height()});
  // Aligned to the button's height, the menu flips above the button where there is no room below.
  FDropDownMenu->ShowForOwner(p.x, p.y, 0, Height(), true, nullptr, true, nullptr);
}

void TCheckableButton::SetDropDownMenu(TdxBarPopupMenu* Value) {
  if (FDropDownMenu == Value) return;
  if (FDropDownMenu) {
    FDropDownMenu->OnCloseUp = nullptr;
    FDropDownMenu->RemoveFreeNotification(this);
  }
  FDropDownMenu = Value;
  if (!FDropDownMenu) return;
  FDropDownMenu->FreeNotification(this);
  FDropDownMenu->OnCloseUp = [this](TObject* Sender) { MenuCloseUp(Sender); };
}

void TCheckableButton::MenuCloseUp(TObject*) {
  if (!FDown) return;
  FSkipNextMouseDown = GetAsyncKeyState(VK_LBUTTON) < 0 && MouseOver();
  SetDown(false);
}

void TCheckableButton::PlaceRightOf(TControl* AControl) {
  const int right = Left() + Width();
  const int left = AControl->Left() + AControl->Width() + 5;
  SetBounds(left, Top(), right - left, Height());
}

bool TCheckableButton::MouseOver() const {
  if (!Parent() || !Parent()->HandleAllocated()) return false;
  POINT p{};
  GetCursorPos(&p);
  p = const_cast<TCheckableButton*>(this)->ScreenToClient(p);
  return p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height();
}

void TCheckableButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (FSkipNextMouseDown) {
    FSkipNextMouseDown = false;
    return;
  }
  if (Button == mbLeft) SetDown(true);
}

void TCheckableButton::CMMouseEnter(TMessage& Message) {
  TGraphicControl::CMMouseEnter(Message);
  Repaint();
}

void TCheckableButton::CMMouseLeave(TMessage& Message) {
  TGraphicControl::CMMouseLeave(Message);
  Repaint();
}

void TCheckableButton::Paint() {
  RECT r{0, 0, Width(), Height()};
  Canvas()->Font()->Assign(Font());
  Canvas()->Font()->SetColor(clBtnText);
  HDC dc = Canvas()->Handle();
  TCustomForm* form = GetParentForm();
  if ((MouseOver() && form && form->Active()) || FDown) {
    DrawEdge(dc, &r, FDown ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    InflateRect(&r, -1, -1);
    if (FDown) OffsetRect(&r, 1, 1);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(clBtnText)));
  const String caption = Caption();
  DrawText(dc, caption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}
