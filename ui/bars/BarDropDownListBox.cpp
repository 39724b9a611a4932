#include "ui/bars/BarDropDownListBox.h"

#include "platform/win/Focus.h"
#include "platform/win/Rects.h"
#include "platform/win/Window.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarEditItems.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarPainter.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

namespace {
// The id the list reports to its bar with; a bar window has no other child with an id.
constexpr int kListId = 0xDD;
}  // namespace

TdxBarDropDownListBox::TdxBarDropDownListBox(TComponent* AOwner, TdxBarCustomCombo* ACombo)
    : TCustomListBox(AOwner), FCombo(ACombo) {
  SetBorderStyle(bsNone);
  SetStyle(lbOwnerDrawVariable);
  SetVisible(false);
}

TdxBarDropDownListBox::~TdxBarDropDownListBox() {
  if (FCombo) FCombo->ListBoxDestroyed(this);
}

void TdxBarDropDownListBox::CreateParams(TCreateParams& Params) {
  TCustomListBox::CreateParams(Params);
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WindowClass.style |= CS_SAVEBITS;
}

void TdxBarDropDownListBox::CreateWnd() {
  TCustomListBox::CreateWnd();
  // Lifted to the desktop it stays out of the bar's clipping; the bar it was made on keeps getting
  // its drawing, measuring and notification messages, which find the list by its id. It draws as
  // focused without taking the focus.
  SetWindowLongPtr(Handle(), GWL_ID, kListId);
  win::SetParent(Handle(), nullptr);
  TMessage setFocus{WM_SETFOCUS, 0, 0, 0};
  DefaultHandler(setFocus);
}

TdxBarPainter* TdxBarDropDownListBox::HostPainter() const {
  TdxBarItemLink* link = FCombo ? FCombo->ActiveLink() : nullptr;
  TCustomdxBarControl* bar = link && link->Control() ? link->Control()->Parent() : nullptr;
  return bar ? bar->BarPainter() : nullptr;
}

void TdxBarDropDownListBox::Click() {
  TCustomListBox::Click();
  const int index = ItemIndex();
  if (index < 0 || !FCombo) return;
  TdxBarItemLink* link = FCombo->ActiveLink();
  if (auto* control = link ? dynamic_cast<TdxBarComboControl*>(link->Control()) : nullptr)
    control->SetLocalItemIndex(index);
}

void TdxBarDropDownListBox::MouseMoved(TMessage& Message) {
  if (FPressed && GetCapture() == Handle()) {
    POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    RECT client = ClientRect();
    if (PtInRect(&client, p)) {
      // The press that opened the list reached it: from here the list tracks the button itself.
      FPressed = false;
      TMessage down{WM_LBUTTONDOWN, Message.WParam, Message.LParam, 0};
      DefaultHandler(down);
    }
  }
  TCustomListBox::WndProc(Message);
  if (!HandleAllocated()) return;
  const int index = ItemAtPos(POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}, true);
  if (index >= 0 && index != ItemIndex()) SetItemIndex(index);
}

void TdxBarDropDownListBox::LeftButtonUp(TMessage& Message) {
  TcxObjectLinkScope alive(this);
  TCustomListBox::WndProc(Message);
  if (!alive.Alive()) return;
  if (FPressed) {
    // The release of the press that opened the list chooses nothing.
    if (GetCapture() == Handle()) ReleaseCapture();
    return;
  }
  TdxBarCustomCombo* combo = FCombo;
  if (!combo) return;
  const int index = ItemIndex();
  if (TdxBarItemLink* link = combo->ActiveLink()) link->ContainerLink()->MarkUsed(true);
  TcxObjectLinkScope comboAlive(combo);
  if (ActiveBarWindow) ActiveBarWindow->CloseUp();
  if (comboAlive.Alive() && index >= 0) combo->SetItemIndex(index);
}

void TdxBarDropDownListBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_NCCALCSIZE: {
      TCustomListBox::WndProc(Message);
      TdxBarPainter* painter = HostPainter();
      const int border = painter ? painter->DropDownListBorderSize() : 0;
      auto* r = reinterpret_cast<RECT*>(Message.LParam);
      InflateRect(r, -border, -border);
      return;
    }
    case WM_NCPAINT: {
      TCustomListBox::WndProc(Message);
      TdxBarPainter* painter = HostPainter();
      if (!painter || !HandleAllocated()) return;
      HDC dc = GetWindowDC(Handle());
      RECT window{}, client = ClientRect();
      GetWindowRect(Handle(), &window);
      POINT origin{0, 0};
      win::ClientToScreen(Handle(), &origin);
      OffsetRect(&client, origin.x - window.left, origin.y - window.top);
      OffsetRect(&window, -window.left, -window.top);
      ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
      try {
        painter->DrawDropDownListBorder(dc, window, Color());
      } catch (...) {
        ReleaseDC(Handle(), dc);
        throw;
      }
      ReleaseDC(Handle(), dc);
      return;
    }
    case WM_KEYDOWN:
      if (ItemIndex() < 0 && Count() > 0) SetItemIndex(TopIndex());
      break;
    case WM_MOUSEMOVE:
      MouseMoved(Message);
      return;
    case WM_LBUTTONUP:
      LeftButtonUp(Message);
      return;
    case WM_CAPTURECHANGED:
      TCustomListBox::WndProc(Message);
      FPressed = false;
      return;
    default:
      break;
  }
  TCustomListBox::WndProc(Message);
}
