#pragma once
// Collections: an owned, ordered list of items of one class, with update counts and notifications,
// streamed as a collection value in form descriptions.
#include <vector>

#include "platform/classes/Persistent.h"
#include "platform/classes/TypInfo.h"

class TCollection;

VW_ENUM(TCollectionNotification, cnAdded, cnExtracting, cnDeleting)

class TCollectionItem : public TPersistent {
  VW_CLASS(TCollectionItem, TPersistent)
 public:
  using CreateArgType = TCollection;

  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return FCollection; }
  void SetCollection(TCollection* Value);
  int ID() const { return FID; }
  int Index() const;
  virtual void SetIndex(int Value);
  String DisplayName() { return GetDisplayName(); }
  virtual void SetDisplayName(const String&) { Changed(false); }
  String GetNamePath() override;

 protected:
  // Tells the collection that this item (or, with AllItems, every item) changed; held back while the
  // collection is updating.
  void Changed(bool AllItems);
  virtual String GetDisplayName() { return ClassName(); }
  TPersistent* GetOwner() override;

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

class TCollection : public TPersistent {
  VW_CLASS(TCollection, TPersistent)
 public:
  explicit TCollection(TClass ItemClass);
  ~TCollection() override;

  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  void Assign(TPersistent* Source) override;
  virtual void BeginUpdate();
  virtual void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  int Count() const { return static_cast<int>(FItems.size()); }
  // Raises EListError ("List index out of bounds (%d)") outside 0 .. Count - 1.
  TCollectionItem* Items(int Index) const;
  TCollectionItem* operator[](int Index) const { return Items(Index); }
  TCollectionItem* FindItemID(int ID) const;
  TClass ItemClass() const { return FItemClass; }
  TPersistent* Owner() { return GetOwner(); }
  String GetNamePath() override;
  int NextID() const { return FNextID; }

 protected:
  // Runs when the collection changed and is not updating; Item is null when several changed.
  virtual void Update(TCollectionItem* Item);
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
  virtual void SetItemName(TCollectionItem*) {}
  void Changed();
  // The published property of the owner through which this collection is reached.
  String PropName();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void MoveItem(int CurIndex, int NewIndex);

  TClass FItemClass;
  std::vector<TCollectionItem*> FItems;
  int FUpdateCount = 0;
  int FNextID = 0;
};

// Keeps a collection's update open for a scope, closed also when a step raises; nothing for nil.
class TCollectionUpdate {
 public:
  explicit TCollectionUpdate(TCollection* Collection) : FCollection(Collection) {
    if (FCollection) FCollection->BeginUpdate();
  }
  ~TCollectionUpdate() {
    if (FCollection) FCollection->EndUpdate();
  }
  TCollectionUpdate(const TCollectionUpdate&) = delete;
  TCollectionUpdate& operator=(const TCollectionUpdate&) = delete;

 private:
  TCollection* FCollection;
};

// A collection that names its owner, so that the writer and the object inspector find their way back.
class TOwnedCollection : public TCollection {
  VW_CLASS(TOwnedCollection, TCollection)
 public:
  TOwnedCollection(TPersistent* AOwner, TClass ItemClass) : TCollection(ItemClass), FOwner(AOwner) {}

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};
