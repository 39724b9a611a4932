#include "ui/editors/EditListBox.h"

#include "platform/gdi/Gdi.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Window.h"
#include "ui/controls/CustomEdit.h"
#include "ui/controls/CustomPopupWindow.h"
#include "ui/editors/TextEditProperties.h"

using namespace win;

TcxCustomEditListBox::TcxCustomEditListBox(TComponent* AOwner) : TcxCustomInnerListBox(AOwner) {
  SetBorderStyle(bsNone);
}

String TcxCustomEditListBox::ItemText(int Index) { return Items()->Strings(Index); }

int TcxCustomEditListBox::ItemHeightAt(int) {
  Canvas()->Font()->Assign(Font());
  return Canvas()->TextHeight("Wg");
}

int TcxCustomEditListBox::ItemWidthAt(int Index) {
  Canvas()->Font()->Assign(Font());
  return Canvas()->TextWidth(ItemText(Index));
}

bool TcxCustomEditListBox::UsesOwnItemDrawing() {
  auto* edit = OwningEdit();
  auto* properties = edit ? dynamic_cast<TcxCustomTextEditProperties*>(edit->ActiveProperties()) : nullptr;
  if (!properties) return false;
  TcxEditTypingMode mode = properties->TypingMode();
  return mode == etmListOnly || mode == etmNoCaret;
}

TcxCustomEdit* TcxCustomEditListBox::OwningEdit() {
  auto* popup = dynamic_cast<TcxCustomPopupWindow*>(Owner());
  return popup ? dynamic_cast<TcxCustomEdit*>(popup->OwnerControl()) : nullptr;
}

void TcxCustomEditListBox::DrawItem(int Index, RECT Rect, TOwnerDrawState State) {
  TRect r(Rect.left, Rect.top, Rect.right, Rect.bottom);
  if (CustomDrawItem(Index, r, State)) return;
  Canvas()->FillRect(Rect);
  if (Index < 0 || Index >= Items()->Count()) return;
  bool rightToLeft = BiDiMode() != bdLeftToRight;
  unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  if (rightToLeft) {
    flags |= DT_RIGHT | DT_RTLREADING;
    Rect.right -= 2;
  } else {
    Rect.left += 2;
  }
  String text = ItemText(Index);
  DrawText(Canvas()->Handle(), text.c_str(), static_cast<int>(text.size()), &Rect, flags);
}

void TcxCustomEditListBox::MeasureItem(int, int& Height) { Height = ItemHeightAt(-1); }

void TcxCustomEditListBox::MouseMove(TShiftState Shift, int X, int Y) {
  TcxCustomInnerListBox::MouseMove(Shift, X, Y);
  if (!FHotTrack || (HandleAllocated() && GetCapture() == Handle())) return;
  int row = ItemAtPos(POINT{X, Y}, true);
  if (row >= 0 && row != ItemIndex()) SetItemIndex(row);
}

bool TcxCustomEditListBox::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  if (TcxCustomInnerListBox::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  UINT lines = 3;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  LRESULT last = 1;
  for (UINT i = 0; i < lines; ++i)
    last = Perform(WM_VSCROLL, WheelDelta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
  return last == 0;
}

void TcxCustomEditListBox::Click() {
  TcxCustomInnerListBox::Click();
  SelectionChanged();
}

void TcxCustomEditListBox::SetItemIndex(int Value) {
  TcxCustomInnerListBox::SetItemIndex(Value);
  SelectionChanged();
}

void TcxCustomEditListBox::SelectionChanged() {
  SyncScrollBars();
  if (OnSelectionChanged) OnSelectionChanged(this);
}

void TcxCustomEditListBox::WndProc(TMessage& Message) {
  TcxCustomInnerListBox::WndProc(Message);
  // Shown while the editor keeps the keyboard focus, the list still draws its selection focused.
  if (Message.Msg == CM_SHOWINGCHANGED && HandleAllocated() && DefWndProc())
    CallWindowProc(DefWndProc(), Handle(), WM_SETFOCUS, 0, 0);
}

void TcxCustomEditListBox::SetRowCount(int Count) {
  TStrings* items = Items();
  if (items->Count() == Count) return;
  items->BeginUpdate();
  try {
    while (items->Count() < Count) items->Add(String());
    while (items->Count() > Count) items->Delete(items->Count() - 1);
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
}

void TcxCustomEditListBox::RefreshScrollWidth(int Value) {
  SetScrollWidth(0);
  SetScrollWidth(Value);
}

bool TcxCustomEditListBox::IsShowingOnScreen() { return HandleAllocated() && IsWindowVisible(Handle()); }
