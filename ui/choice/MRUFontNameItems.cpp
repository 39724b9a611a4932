#include "ui/choice/MRUFontNameItems.h"

#include "ui/choice/ExtEditUtils.h"

void TcxMRUFontNameItem::DeclareProperties(TPropTable& t) {
  t.Add("FontName", &TcxMRUFontNameItem::FontName, &TcxMRUFontNameItem::SetFontName);
  t.Add("Tag", &TcxMRUFontNameItem::Tag, &TcxMRUFontNameItem::SetTag).Stored(&TcxMRUFontNameItem::TagStored);
}

void TcxMRUFontNameItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TcxMRUFontNameItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetFontName(s->FontName());
  FTag = s->Tag();
}

void TcxMRUFontNameItem::SetFontName(const String& Value) {
  if (Value == FFontName) return;
  FFontName = Value;
  Changed(false);
}

void TcxMRUFontNameItems::Update(TCollectionItem* Item) {
  TOwnedCollection::Update(Item);
  if (OnOwnerChanged) OnOwnerChanged();
}

TcxMRUFontNameItem* TcxMRUFontNameItems::AddFontName(const String& AFontName) {
  return InsertFontName(Count(), AFontName);
}

TcxMRUFontNameItem* TcxMRUFontNameItems::InsertFontName(int AIndex, const String& AFontName) {
  if (AFontName.empty() || FindFontName(AFontName)) return nullptr;
  return static_cast<TcxMRUFontNameItem*>(InsertFilledItem(
      this, AIndex, [&](TCollectionItem* Item) { static_cast<TcxMRUFontNameItem*>(Item)->SetFontName(AFontName); }));
}

void TcxMRUFontNameItems::MoveFontName(int AFrom, int ATo) { MoveItemByCopy(this, AFrom, ATo); }

TcxMRUFontNameItem* TcxMRUFontNameItems::FindFontName(const String& AFontName) {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->FontName() == AFontName) return Items(i);
  return nullptr;
}
