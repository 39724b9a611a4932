#pragma once
// Bases that implement interfaces without reference counting: their lifetime stays with their
// owner, and an interface reference to them is a plain pointer that never frees anything.
#include <functional>

#include "platform/classes/Collection.h"
#include "platform/classes/Interface.h"
#include "platform/classes/Persistent.h"

// Answers interface queries for what its class implements; AddRef and Release report -1 and never
// free the object.
class TcxIUnknownObject : public TObject, public virtual IInterface {
  VW_CLASS(TcxIUnknownObject, TObject)
 public:
  TcxIUnknownObject() = default;

  // The interface I when this object implements it, else null.
  template <class I>
  I* QueryInterface() {
    return dynamic_cast<I*>(this);
  }
  int AddRef() { return -1; }
  int Release() { return -1; }
};

// A persistent that knows its owner from construction on; the owner is what the platform's owner
// query answers, so the streaming system and the designer see it as an owned sub-object.
class TcxInterfacedPersistent : public TInterfacedPersistent, public virtual IInterface {
  VW_CLASS(TcxInterfacedPersistent, TInterfacedPersistent)
 public:
  using CreateArgType = TPersistent;

  explicit TcxInterfacedPersistent(TPersistent* AOwner) : FOwner(AOwner) {}

  TPersistent* Owner() const { return FOwner; }

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};

// A collection item that passes interface life-cycle calls on to its collection, when the
// collection implements interfaces.
class TcxInterfacedCollectionItem : public TCollectionItem, public virtual IInterface {
  VW_CLASS(TcxInterfacedCollectionItem, TCollectionItem)
 public:
  explicit TcxInterfacedCollectionItem(TCollection* Collection);

  IInterface* OwnerInterface() const { return FOwnerInterface; }
  template <class I>
  I* QueryInterface() {
    return dynamic_cast<I*>(this);
  }

 private:
  IInterface* FOwnerInterface = nullptr;
};

class TcxOwnedInterfacedCollection;
using TcxOwnedInterfacedCollectionChangeEvent = std::function<void(TObject* Sender, TCollectionItem* Item)>;
using TcxOwnedInterfacedCollectionCompareEvent =
    std::function<int(TcxOwnedInterfacedCollection* Sender, TCollectionItem* Item1, TCollectionItem* Item2)>;

// An owned collection that can keep its items sorted and reports every settled change.
class TcxOwnedInterfacedCollection : public TOwnedCollection, public virtual IInterface {
  VW_CLASS(TcxOwnedInterfacedCollection, TOwnedCollection)
 public:
  static constexpr int isDestroying = 1;
  static constexpr int isInUpdate = 2;
  static constexpr int isSorting = 4;

  TcxOwnedInterfacedCollection(TPersistent* AOwner, TClass ItemClass) : TOwnedCollection(AOwner, ItemClass) {}
  ~TcxOwnedInterfacedCollection() override;

  // Re-sorts by OnCompare (or by the current order, which keeps it) unless an update is open or a
  // sort is already running.
  void SortItems();
  bool IsBeingDestroyed() const { return (FInternalState & isDestroying) != 0; }
  int InternalState() const { return FInternalState; }
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value) { FSorted = Value; }

  template <class I>
  I* QueryInterface() {
    return dynamic_cast<I*>(this);
  }
  int AddRef() { return -1; }
  int Release() { return -1; }

  TcxOwnedInterfacedCollectionChangeEvent OnChange;
  TcxOwnedInterfacedCollectionCompareEvent OnCompare;

 protected:
  // The sign of the index difference.
  virtual int CompareItemOrder(TCollectionItem* Item1, TCollectionItem* Item2);
  void Update(TCollectionItem* Item) override { HandleItemUpdate(Item); }
  void HandleItemUpdate(TCollectionItem* Item);

 private:
  int CompareForSort(TCollectionItem* Item1, TCollectionItem* Item2);

  int FInternalState = 0;
  bool FSorted = false;
};
