#include "ui/choice/CaptionItems.h"

#include "platform/classes/TypInfo.h"

void TcxCaptionItem::DeclareCaptionAndTag(TPropTable& t) {
  t.Add("Caption", &TcxCaptionItem::Caption, &TcxCaptionItem::SetCaption);
  t.Add("Tag", &TcxCaptionItem::Tag, &TcxCaptionItem::SetTag).Stored(&TcxCaptionItem::TagStored);
}

void TcxCaptionItem::Assign(TPersistent* Source) {
  if (auto* item = dynamic_cast<TcxCaptionItem*>(Source)) {
    SetCaption(item->Caption());
    FTag = item->Tag();
    return;
  }
  inherited::Assign(Source);
}

void TcxCaptionItem::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  auto* items = dynamic_cast<TcxOwnedInterfacedCollection*>(Collection());
  if (items && items->Sorted())
    items->SortItems();
  else
    Changed(false);
}

namespace {

// A sorted collection sorts as soon as a new item joins it, which is while the item's base is
// still being built: that item is no caption item yet and ranks as an empty caption.
String SortCaptionOf(TCollectionItem* Item) {
  auto* item = dynamic_cast<TcxCaptionItem*>(Item);
  return item ? item->Caption() : String();
}

}  // namespace

int TcxCaptionItems::CompareItemOrder(TCollectionItem* Item1, TCollectionItem* Item2) {
  return AnsiCompareText(SortCaptionOf(Item1), SortCaptionOf(Item2));
}
