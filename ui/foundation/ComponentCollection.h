#pragma once
// Components that form a collection under a parent component (the toolbar library's bars and
// screen tips), and a component list that reports its changes with an update lock.
#include <functional>

#include "platform/classes/Lists.h"
#include "platform/classes/TypInfo.h"

// Item nil with cckChanged means that all items changed.
VW_ENUM(TcxCollectionChangeKind, cckAdded, cckChanged, cckExtracting, cckExtracted, cckDeleted)

class TcxComponentCollection;

class TcxComponentCollectionItem : public TComponent {
  VW_CLASS(TcxComponentCollectionItem, TComponent)
 public:
  explicit TcxComponentCollectionItem(TComponent* AOwner) : TComponent(AOwner) {}
  // Leaves its collection first.
  ~TcxComponentCollectionItem() override;

  TcxComponentCollection* Collection() const { return FCollection; }
  int ID() const { return FID; }
  // -1 outside a collection.
  int IndexInCollection() const;
  // Leaves the current collection and joins New; either may be null.
  virtual void ChangeCollection(TcxComponentCollection* New);
  // Only inside a collection and to another position; reports that all items changed.
  virtual void MoveToIndex(int NewIndex);
  // Silent while the item is destroyed or outside a collection.
  void ReportChange(bool AllItems);
  virtual String ShownName() { return Name(); }

  TComponent* GetParentComponent() override;
  bool HasParent() override { return GetParentComponent() != nullptr; }
  void SetParentComponent(TComponent* ParentComponent) override { AttachToParent(ParentComponent); }
  void AttachToParent(TComponent* ParentComponent);

 protected:
  // The collection that this kind of item joins under that parent.
  virtual TcxComponentCollection* CollectionOfParent(TComponent* ParentComponent) = 0;

 private:
  friend class TcxComponentCollection;
  TcxComponentCollection* FCollection = nullptr;
  int FID = 0;
};

using TcxComponentCollectionChangeEvent =
    std::function<void(TObject* Sender, TcxComponentCollectionItem* Item, TcxCollectionChangeKind Action)>;

class TcxComponentCollection : public TPersistent {
  VW_CLASS(TcxComponentCollection, TPersistent)
 public:
  TcxComponentCollection(TComponent* ParentComponent, TClass ItemClass);
  // Reports nothing more and frees the remaining items. Their leaving reaches this class's
  // ItemMembershipChanged only: a descendant that must see them go frees them in its own
  // destructor (RemoveAllItems).
  ~TcxComponentCollection() override;

  int ItemCount() const { return FItems.Count(); }
  // Raises the list's index error for a bad index.
  TcxComponentCollectionItem* ItemAt(int Index) const {
    return static_cast<TcxComponentCollectionItem*>(FItems.Items(Index));
  }
  int IndexOf(TcxComponentCollectionItem* Item) const { return FItems.IndexOf(Item); }
  // A new item of ItemClass, owned by the parent component's owner, joined through its parent.
  TcxComponentCollectionItem* AppendNewItem();
  // Frees every item and reports one change for all of them.
  void RemoveAllItems();
  void Assign(TPersistent* Source) override;
  virtual void LockChanges() { ++FUpdateCount; }
  // Decrements without testing; with ForceUpdate, reports that all items changed once the count
  // is back at 0.
  virtual void UnlockChanges(bool ForceUpdate);

  TComponent* ParentComponent() const { return FParentComponent; }
  TClass ItemClass() const { return FItemClass; }
  int UpdateCount() const { return FUpdateCount; }
  int NextID() const { return FNextID; }

  TcxComponentCollectionChangeEvent OnChange;

 protected:
  virtual void ItemMembershipChanged(TcxComponentCollectionItem* /*Item*/, TcxCollectionChangeKind /*Action*/) {}
  virtual void NameNewItem(TcxComponentCollectionItem* /*Item*/) {}
  virtual void RaiseChange(TcxComponentCollectionItem* Item, TcxCollectionChangeKind Action);
  // Reports only while no lock is held.
  void ReportItemChange(TcxComponentCollectionItem* Item, TcxCollectionChangeKind Action);
  TPersistent* GetOwner() override { return FParentComponent; }

 private:
  friend class TcxComponentCollectionItem;
  // Takes only instances of ItemClass; others are ignored.
  void AdmitItem(TcxComponentCollectionItem* Item);
  void DismissItem(TcxComponentCollectionItem* Item);
  void MoveItem(TcxComponentCollectionItem* Item, int NewIndex);

  TComponent* FParentComponent;
  TClass FItemClass;
  TList FItems;
  int FUpdateCount = 0;
  int FNextID = 0;
};

using TcxComponentListChangeEvent =
    std::function<void(TObject* Sender, TComponent* Component, TcxCollectionChangeKind Action)>;
using TcxComponentListNotifyEvent =
    std::function<void(TObject* Sender, TComponent* Component, TListNotification Action)>;

// Does not own its components; forgets a component that is destroyed; reports each entry through
// OnNotify and changes through OnChange, which a lock holds back.
class TcxComponentList : public TComponentList {
  VW_CLASS(TcxComponentList, TComponentList)
 public:
  TcxComponentList() : TComponentList(false) {}
  // Destruction reports no change.
  ~TcxComponentList() override;

  void LockNotify() { ++FUpdateCount; }
  void UnlockSilently() { --FUpdateCount; }
  void UnlockNotify();
  // One OnNotify per entry, then a single OnChange (nil, cckChanged).
  void Clear();
  int UpdateCount() const { return FUpdateCount; }

  TcxComponentListChangeEvent OnChange;
  TcxComponentListNotifyEvent OnNotify;

 protected:
  void Notify(void* Ptr, TListNotification Action) override;
  virtual void NotifyItem(TComponent* Component, TListNotification Action);
  // The class of the entries the list accepts; others are extracted again as soon as they are added.
  virtual TClass ItemClassAllowed() { return TComponent::StaticClass(); }
  // Only while no lock is held.
  void RaiseChange(TComponent* Component, TcxCollectionChangeKind Action);

 private:
  int FUpdateCount = 0;
};
