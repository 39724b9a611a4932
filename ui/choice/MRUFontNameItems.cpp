#include "ui/choice/MRUFontNameItems.h"

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
  BeginUpdate();
  TcxMRUFontNameItem* item = nullptr;
  try {
    item = static_cast<TcxMRUFontNameItem*>(Insert(AIndex));
    item->SetFontName(AFontName);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return item;
}

void TcxMRUFontNameItems::MoveFontName(int AFrom, int ATo) {
  if (AFrom == ATo) return;
  BeginUpdate();
  try {
    // The moved item itself goes, not whatever the insertion pushed to its old index.
    TcxMRUFontNameItem* moved = Items(AFrom);
    Insert(ATo)->Assign(moved);
    delete moved;
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TcxMRUFontNameItem* TcxMRUFontNameItems::FindFontName(const String& AFontName) {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->FontName() == AFontName) return Items(i);
  return nullptr;
}
