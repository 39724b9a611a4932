#pragma once
// Lists of pointers, objects, components and interfaces.
//
// TList tells its descendants about every pointer that enters or leaves it (Notify), which is how
// TObjectList frees what it owns and TComponentList forgets components that are destroyed.
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/Interface.h"
#include "platform/classes/Object.h"

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// Negative, zero or positive, as Item1 sorts before, with or after Item2.
using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

class TList : public TObject {
  VW_CLASS(TList, TObject)
 public:
  TList() = default;
  ~TList() override;

  int Add(void* Item);
  void Insert(int Index, void* Item);
  void Delete(int Index);
  // Index of the removed item, -1 when absent.
  int Remove(void* Item);
  // Takes the item out without deleting it; null when absent.
  void* Extract(void* Item);
  int IndexOf(void* Item) const;
  void Clear();
  void Exchange(int Index1, int Index2);
  // Moves without telling Notify: the item stays in the list.
  void Move(int CurIndex, int NewIndex);
  void* First() const { return Get(0); }
  void* Last() const { return Get(Count() - 1); }
  // Drops the null entries.
  void Pack();
  void Sort(const TListSortCompare& Compare);
  TList* Expand();
  // Copies the pointers of another list in.
  void Assign(TList* ListA);

  int Count() const { return static_cast<int>(FList.size()); }
  // Growing adds nulls; shrinking deletes from the end.
  void SetCount(int NewCount);
  int Capacity() const { return static_cast<int>(FList.capacity()); }
  void SetCapacity(int NewCapacity);
  void* Items(int Index) const { return Get(Index); }
  void SetItems(int Index, void* Item) { Put(Index, Item); }
  void* const* List() const { return FList.data(); }

  [[noreturn]] static void Error(const char* Msg, int Data);

 protected:
  void* Get(int Index) const;
  void Put(int Index, void* Item);
  virtual void Notify(void* Ptr, TListNotification Action);

 private:
  void CheckIndex(int Index) const;
  std::vector<void*> FList;
};

// A list of objects that, while OwnsObjects, frees every object deleted from it (also by Clear
// and by its own destruction). Extract hands an object back without freeing it.
class TObjectList : public TList {
  VW_CLASS(TObjectList, TList)
 public:
  explicit TObjectList(bool AOwnsObjects = true) : FOwnsObjects(AOwnsObjects) {}
  ~TObjectList() override;

  int Add(TObject* AObject) { return TList::Add(AObject); }
  void Insert(int Index, TObject* AObject) { TList::Insert(Index, AObject); }
  int Remove(TObject* AObject) { return TList::Remove(AObject); }
  TObject* Extract(TObject* Item) { return static_cast<TObject*>(TList::Extract(Item)); }
  int IndexOf(TObject* AObject) const { return TList::IndexOf(AObject); }
  TObject* First() const { return static_cast<TObject*>(TList::First()); }
  TObject* Last() const { return static_cast<TObject*>(TList::Last()); }
  TObject* Items(int Index) const { return static_cast<TObject*>(Get(Index)); }
  void SetItems(int Index, TObject* AObject) { Put(Index, AObject); }
  // The first object from AStartAt on of that class (exactly, or also of a descendant); -1 if none.
  int FindInstanceOf(TClass AClass, bool AExact = true, int AStartAt = 0) const;

  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool v) { FOwnsObjects = v; }

 protected:
  void Notify(void* Ptr, TListNotification Action) override;

 private:
  bool FOwnsObjects;
};

// A list of components that drops a component by itself when the component is destroyed, so it
// never holds a dangling pointer. Owning by default, like TObjectList.
class TComponentList : public TObjectList {
  VW_CLASS(TComponentList, TObjectList)
 public:
  explicit TComponentList(bool AOwnsObjects = true);
  ~TComponentList() override;

  int Add(TComponent* AComponent) { return TObjectList::Add(AComponent); }
  void Insert(int Index, TComponent* AComponent) { TObjectList::Insert(Index, AComponent); }
  int Remove(TComponent* AComponent) { return TObjectList::Remove(AComponent); }
  TComponent* Extract(TComponent* Item) { return static_cast<TComponent*>(TObjectList::Extract(Item)); }
  int IndexOf(TComponent* AComponent) const { return TObjectList::IndexOf(AComponent); }
  TComponent* First() const { return static_cast<TComponent*>(TList::First()); }
  TComponent* Last() const { return static_cast<TComponent*>(TList::Last()); }
  TComponent* Items(int Index) const { return static_cast<TComponent*>(Get(Index)); }
  void SetItems(int Index, TComponent* AComponent) { Put(Index, AComponent); }

 protected:
  void Notify(void* Ptr, TListNotification Action) override;

 private:
  class TNexus;
  void HandleFreeNotify(TComponent* AComponent);
  // A component of its own that receives the destroyed components' notifications.
  TNexus* FNexus = nullptr;
};

// A list of interface references that several threads may use at once (Lock/Unlock around a
// sequence of calls). The references do not own their objects.
class TInterfaceList : public TInterfacedObject {
  VW_CLASS(TInterfaceList, TInterfacedObject)
 public:
  TInterfaceList() = default;

  int Add(IInterface* Item);
  void Insert(int Index, IInterface* Item);
  void Delete(int Index);
  int Remove(IInterface* Item);
  int IndexOf(IInterface* Item) const;
  void Clear();
  void Exchange(int Index1, int Index2);
  IInterface* First() const { return Items(0); }
  IInterface* Last() const;
  IInterface* Items(int Index) const;
  void SetItems(int Index, IInterface* Item);
  int Count() const;
  void SetCount(int NewCount);
  void Lock() const { FLock.lock(); }
  void Unlock() const { FLock.unlock(); }

 private:
  void CheckIndex(int Index) const;
  mutable std::recursive_mutex FLock;
  std::vector<IInterface*> FList;
};
