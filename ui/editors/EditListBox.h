#pragma once
// The list a drop-down text editor shows its lookup items in: rows one "Wg" line high, the row
// under the mouse taken as the selection while the mouse moves, the wheel scrolling lines, and the
// selection drawn as focused while the editor keeps the keyboard focus.
#include "ui/controls/InnerListBox.h"

class TcxCustomEdit;

class TcxCustomEditListBox : public TcxCustomInnerListBox {
  VW_CLASS(TcxCustomEditListBox, TcxCustomInnerListBox)
 public:
  explicit TcxCustomEditListBox(TComponent* AOwner);

  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value) { FHotTrack = Value; }
  TNotifyEvent OnSelectionChanged;

  // ---- virtual operations, in slot order -------------------------------------------------------------
  virtual bool CustomDrawItem(int, const TRect&, TOwnerDrawState) { return false; }
  virtual String ItemText(int Index);
  virtual void PrepareItemLayout() {}
  virtual int RowsHeight(int Count) { return Count * ItemHeightAt(-1); }
  // -1: the default row height.
  virtual int ItemHeightAt(int Index);
  virtual int ItemWidthAt(int Index);

  bool UsesOwnItemDrawing() override;
  virtual void SetItemIndex(int Value);
  void SelectionChanged();
  // Adds empty rows or deletes the last ones until there are Count.
  void SetRowCount(int Count);
  void RefreshScrollWidth(int Value);
  bool IsShowingOnScreen();
  // The editor whose popup owns the list; nil while the list stands alone.
  TcxCustomEdit* OwningEdit();

 protected:
  void DrawItem(int Index, win::RECT Rect, TOwnerDrawState State) override;
  void MeasureItem(int Index, int& Height) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, win::POINT MousePos) override;
  void Click() override;
  void WndProc(TMessage& Message) override;

 private:
  bool FHotTrack = true;
};
