#pragma once
// Shares an available width among items in proportion to their widths, honouring minimum widths
// and fixed items (the status bar sizes its panels with it).
#include "ui/foundation/Lists.h"

class TcxAutoWidthItem : public TObject {
  VW_CLASS(TcxAutoWidthItem, TObject)
 public:
  TcxAutoWidthItem() = default;

  int MinWidth = 0;
  int Width = 0;
  bool Fixed = false;
  // -1 until DistributeWidth has given the item its share.
  int AutoWidth = -1;
};

class TcxAutoWidthObject : public TObject {
  VW_CLASS(TcxAutoWidthObject, TObject)
 public:
  explicit TcxAutoWidthObject(int Capacity);
  ~TcxAutoWidthObject() override;

  // The caller fills Width, MinWidth and Fixed.
  TcxAutoWidthItem* AppendItem();
  int ItemCount() const { return FItems.Count(); }
  TcxAutoWidthItem* ItemAt(int Index) const { return static_cast<TcxAutoWidthItem*>(FItems.ItemAt(Index)); }
  // The sum of the items' widths.
  int TotalWidth() const;
  // Fixed items keep their width; an item whose share would not exceed its MinWidth gets MinWidth
  // and the rest is shared again, until a pass clamps nothing; then every remaining item gets its
  // share of cumulative rounding, so the shares add up to what is left exactly.
  void DistributeWidth();
  void ClearItems();

  int AvailableWidth = 0;

 private:
  TcxObjectList FItems{false};
};
