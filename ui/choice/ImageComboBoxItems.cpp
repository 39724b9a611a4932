#include "ui/choice/ImageComboBoxItems.h"

#include "ui/controls/EditProperties.h"

TcxImageComboBoxItem::TcxImageComboBoxItem(TCollection* Collection) : TCollectionItem(Collection) {
  auto* items = dynamic_cast<TcxImageComboBoxItems*>(Collection);
  if (items && items->ImageCount && items->ImageCount() >= items->Count()) FImageIndex = items->Count() - 1;
}

void TcxImageComboBoxItem::DeclareProperties(TPropTable& t) {
  using I = TcxImageComboBoxItem;
  t.Add("Description", &I::Description, &I::SetDescription);
  t.Add("ImageIndex", &I::ImageIndex, &I::SetImageIndex);
  t.Add("Tag", &I::Tag, &I::SetTag).Stored(&I::TagStored);
  t.Add("Value", &I::Value, &I::SetValue).Stored(&I::ValueStored);
}

void TcxImageComboBoxItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TcxImageComboBoxItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetDescription(s->Description());
  SetImageIndex(s->ImageIndex());
  SetValue(s->Value());
  FTag = s->Tag();
}

void TcxImageComboBoxItem::SetDescription(const String& Value) {
  if (Value == FDescription) return;
  FDescription = Value;
  Changed(false);
}

void TcxImageComboBoxItem::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  Changed(false);
}

void TcxImageComboBoxItem::SetValue(const Variant& Value) {
  if (VarEqualsSameType(Value, FValue)) return;
  FValue = Value;
  Changed(false);
}

void TcxImageComboBoxItems::Update(TCollectionItem* Item) {
  TOwnedCollection::Update(Item);
  if (OnOwnerChanged) OnOwnerChanged();
}
