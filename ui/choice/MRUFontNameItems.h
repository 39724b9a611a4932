#pragma once
// The font-name combo box's most-recently-used names: a face name with a free tag, and the
// collection that keeps each name once, newest first as the properties insert them.
#include <functional>

#include "platform/classes/Collection.h"

class TcxMRUFontNameItem : public TCollectionItem {
  VW_CLASS(TcxMRUFontNameItem, TCollectionItem)
 public:
  explicit TcxMRUFontNameItem(TCollection* Collection) : TCollectionItem(Collection) {}
  static void DeclareProperties(TPropTable& t);

  void Assign(TPersistent* Source) override;

  const String& FontName() const { return FFontName; }
  void SetFontName(const String& Value);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }

 private:
  bool TagStored() const { return FTag != 0; }

  String FFontName;
  int FTag = 0;
};

class TcxMRUFontNameItems : public TOwnedCollection {
  VW_CLASS(TcxMRUFontNameItems, TOwnedCollection)
 public:
  explicit TcxMRUFontNameItems(TPersistent* AOwner) : TOwnedCollection(AOwner, TcxMRUFontNameItem::StaticClass()) {}

  TcxMRUFontNameItem* Items(int Index) const { return static_cast<TcxMRUFontNameItem*>(TCollection::Items(Index)); }

  // The owner's reaction to a change (the properties signal theirs); set by the owner.
  std::function<void()> OnOwnerChanged;

  // ---- virtual operations, in slot order -------------------------------------------------------------
  // Nil for an empty name or one listed already.
  virtual TcxMRUFontNameItem* AddFontName(const String& AFontName);
  virtual TcxMRUFontNameItem* InsertFontName(int AIndex, const String& AFontName);
  // The item that stood at From before the insertion ends at To.
  virtual void MoveFontName(int AFrom, int ATo);
  // Compared case-sensitively.
  virtual TcxMRUFontNameItem* FindFontName(const String& AFontName);

 protected:
  void Update(TCollectionItem* Item) override;
};
