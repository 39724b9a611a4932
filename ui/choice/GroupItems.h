#pragma once
// The items of the button and radio groups. Each added, deleted or enabled item reports itself to
// the owning editor properties alone, so the group can make or free one child button instead of
// rebuilding them all; any other change of the list signals the properties as a whole.
#include "platform/classes/Variant.h"
#include "ui/choice/CaptionItems.h"
#include "ui/controls/EditProperties.h"

enum TcxButtonGroupItemOperation : std::uint8_t { bgioAdded, bgioDeleted, bgioChanged };

class TcxButtonGroupItems;

class TcxButtonGroupItem : public TcxCaptionItem {
  VW_CLASS(TcxButtonGroupItem, TcxCaptionItem)
 public:
  explicit TcxButtonGroupItem(TCollection* Collection);
  ~TcxButtonGroupItem() override;

  // Copies Enabled, then the caption and tag.
  void Assign(TPersistent* Source) override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);

 protected:
  TcxButtonGroupItems* GroupItems() const;
  void ReportChange(TcxButtonGroupItemOperation Operation, int Index);

 private:
  bool FEnabled = true;
};

class TcxButtonGroupItems : public TcxCaptionItems {
  VW_CLASS(TcxButtonGroupItems, TcxCaptionItems)
 public:
  TcxButtonGroupItems(TPersistent* AOwner, TClass ItemClass) : TcxCaptionItems(AOwner, ItemClass) {}

  TcxButtonGroupItem* ButtonItemAt(int Index) const { return static_cast<TcxButtonGroupItem*>(Items(Index)); }

  // The last item change and what it was; IsNotifying only while the owner hears of one item.
  int ChangedItemIndex() const { return FChangedItemIndex; }
  TcxButtonGroupItemOperation ChangedItemOperation() const { return FChangedItemOperation; }
  bool IsNotifying() const { return FIsNotifying; }

  // The owning properties; null when the owner is none.
  TcxCustomEditProperties* OwnerProperties();
  void ItemChanged(TcxButtonGroupItem* Item, TcxButtonGroupItemOperation Operation, int Index);

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  int FChangedItemIndex = -1;
  TcxButtonGroupItemOperation FChangedItemOperation = bgioChanged;
  bool FIsNotifying = false;
};

class TcxRadioGroupItem : public TcxButtonGroupItem {
  VW_CLASS(TcxRadioGroupItem, TcxButtonGroupItem)
 public:
  explicit TcxRadioGroupItem(TCollection* Collection) : TcxButtonGroupItem(Collection) {}
  static void DeclareProperties(TPropTable& t);

  void Assign(TPersistent* Source) override;

  const Variant& Value() const { return FValue; }
  // A value of the same type that compares equal is no change.
  void SetValue(const Variant& Value);

 private:
  bool ValueStored() const { return !VarIsNull(FValue); }

  Variant FValue = Variant::Null();
};

class TcxRadioGroupItems : public TcxButtonGroupItems {
  VW_CLASS(TcxRadioGroupItems, TcxButtonGroupItems)
 public:
  TcxRadioGroupItems(TPersistent* AOwner, TClass ItemClass = TcxRadioGroupItem::StaticClass())
      : TcxButtonGroupItems(AOwner, ItemClass) {}

  TcxRadioGroupItem* RadioItemAt(int Index) const { return static_cast<TcxRadioGroupItem*>(Items(Index)); }
  // The first item whose Value is Null and whose Caption is the value's text (exactly), or whose
  // Value loosely equals it; -1 when none.
  int IndexOfValue(const Variant& Value) const;
};
