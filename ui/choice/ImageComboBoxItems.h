#pragma once
// The image combo box's items: a value of any type with a description and an image index, and the
// collection of them. A new item takes its own position as its image when the owner's image list
// has an image for it.
#include <functional>

#include "platform/classes/Collection.h"
#include "platform/classes/Variant.h"

class TcxImageComboBoxItem : public TCollectionItem {
  VW_CLASS(TcxImageComboBoxItem, TCollectionItem)
 public:
  explicit TcxImageComboBoxItem(TCollection* Collection);
  static void DeclareProperties(TPropTable& t);

  void Assign(TPersistent* Source) override;

  const String& Description() const { return FDescription; }
  void SetDescription(const String& Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  const Variant& Value() const { return FValue; }
  // Compared exactly: the same type and equal is no change.
  void SetValue(const Variant& Value);

 private:
  bool TagStored() const { return FTag != 0; }
  bool ValueStored() const { return !VarIsNull(FValue); }

  String FDescription;
  int FImageIndex = -1;
  int FTag = 0;
  Variant FValue = Variant::Null();
};

class TcxImageComboBoxItems : public TOwnedCollection {
  VW_CLASS(TcxImageComboBoxItems, TOwnedCollection)
 public:
  explicit TcxImageComboBoxItems(TPersistent* AOwner)
      : TOwnedCollection(AOwner, TcxImageComboBoxItem::StaticClass()) {}

  TcxImageComboBoxItem* Items(int Index) const { return static_cast<TcxImageComboBoxItem*>(TCollection::Items(Index)); }
  TcxImageComboBoxItem* AddItem() { return static_cast<TcxImageComboBoxItem*>(Add()); }

  // The number of images the owner's image list holds, -1 without a list; set by the owner.
  std::function<int()> ImageCount;
  // The owner's reaction to a change (the properties signal theirs); set by the owner.
  std::function<void()> OnOwnerChanged;

 protected:
  void Update(TCollectionItem* Item) override;
};
