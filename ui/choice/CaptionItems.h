#pragma once
// The items of the choice editors: a caption with a free tag, and the collection that holds them
// (sorted by caption when asked). The button group's and the radio group's items build on these.
#include "platform/classes/Collection.h"
#include "ui/foundation/Interfaced.h"

// What a list of captions answers to whoever only reads it.
class IcxCaptionItems : public virtual IInterface {
 public:
  virtual String GetCaption(int Index) = 0;
  virtual int GetCount() = 0;
};

class TcxCaptionItem : public TCollectionItem {
  VW_CLASS(TcxCaptionItem, TCollectionItem)
 public:
  explicit TcxCaptionItem(TCollection* Collection) : TCollectionItem(Collection) {}
  // Only the radio group's item publishes Caption and Tag; it calls this from its own table.
  static void DeclareCaptionAndTag(TPropTable& t);

  // Copies the caption through SetCaption, then the tag; anything but a caption item raises the
  // assignment error.
  void Assign(TPersistent* Source) override;

  const String& Caption() const { return FCaption; }
  // An unchanged caption (compared exactly) is no change; a sorted collection re-sorts instead of
  // hearing of the item alone.
  void SetCaption(const String& Value);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }

 private:
  bool TagStored() const { return FTag != 0; }

  String FCaption;
  int FTag = 0;
};

class TcxCaptionItems : public TcxOwnedInterfacedCollection, public IcxCaptionItems {
  VW_CLASS(TcxCaptionItems, TcxOwnedInterfacedCollection)
 public:
  TcxCaptionItems(TPersistent* AOwner, TClass ItemClass) : TcxOwnedInterfacedCollection(AOwner, ItemClass) {}

  TcxCaptionItem* Items(int Index) const { return static_cast<TcxCaptionItem*>(TCollection::Items(Index)); }
  TcxCaptionItem* operator[](int Index) const { return Items(Index); }

  // IcxCaptionItems
  String GetCaption(int Index) override { return Items(Index)->Caption(); }
  int GetCount() override { return Count(); }

 protected:
  // By caption, case-insensitively under the locale.
  int CompareItemOrder(TCollectionItem* Item1, TCollectionItem* Item2) override;
};
