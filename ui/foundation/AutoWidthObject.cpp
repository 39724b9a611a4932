#include "ui/foundation/AutoWidthObject.h"

#include "platform/gdi/Gdi.h"

TcxAutoWidthObject::TcxAutoWidthObject(int Capacity) { FItems.SetCapacity(Capacity); }

TcxAutoWidthObject::~TcxAutoWidthObject() { ClearItems(); }

TcxAutoWidthItem* TcxAutoWidthObject::AppendItem() {
  auto* item = new TcxAutoWidthItem;
  FItems.Add(item);
  return item;
}

int TcxAutoWidthObject::TotalWidth() const {
  int total = 0;
  for (int i = 0; i < ItemCount(); ++i) total += ItemAt(i)->Width;
  return total;
}

void TcxAutoWidthObject::ClearItems() {
  for (int i = ItemCount() - 1; i >= 0; --i) FItems.FreeAndDelete(i);
}

void TcxAutoWidthObject::DistributeWidth() {
  int remainingAvailable = AvailableWidth;
  int remainingWidth = TotalWidth();
  for (int i = 0; i < ItemCount(); ++i) {
    TcxAutoWidthItem* item = ItemAt(i);
    if (!item->Fixed) continue;
    item->AutoWidth = item->Width;
    remainingAvailable -= item->Width;
    remainingWidth -= item->Width;
  }

  bool finalPass = false;
  bool clamped;
  do {
    const int passAvailable = remainingAvailable;
    const int passWidth = remainingWidth;
    int sum = 0;
    clamped = false;
    for (int i = 0; i < ItemCount(); ++i) {
      TcxAutoWidthItem* item = ItemAt(i);
      if (item->AutoWidth != -1) continue;
      // A zero passWidth makes MulDiv answer -1 for both terms, so the share is 0.
      const int share =
          win::MulDiv(sum + item->Width, passAvailable, passWidth) - win::MulDiv(sum, passAvailable, passWidth);
      if (finalPass) {
        item->AutoWidth = share;
      } else if (item->MinWidth >= share) {
        item->AutoWidth = item->MinWidth;
        remainingAvailable -= item->MinWidth;
        remainingWidth -= item->Width;
        clamped = true;
      }
      sum += item->Width;
    }
    if (!clamped) finalPass = !finalPass;
  } while (remainingWidth != 0 && (clamped || finalPass));
}
