#include "platform/classes/Lists.h"

#include <algorithm>

// ---- TList --------------------------------------------------------------------------------------

TList::~TList() {
  // Descendants that act on deletions clear themselves first; what is left needs no telling.
  FList.clear();
}

void TList::Error(const char* Msg, int Data) { throw EListError(Format(Msg, {Data})); }

void TList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) Error(SListIndexError, Index);
}

void* TList::Get(int Index) const {
  CheckIndex(Index);
  return FList[static_cast<size_t>(Index)];
}

void TList::Put(int Index, void* Item) {
  CheckIndex(Index);
  void* old = FList[static_cast<size_t>(Index)];
  if (Item == old) return;
  FList[static_cast<size_t>(Index)] = Item;
  if (old) Notify(old, lnDeleted);
  if (Item) Notify(Item, lnAdded);
}

int TList::Add(void* Item) {
  FList.push_back(Item);
  if (Item) Notify(Item, lnAdded);
  return Count() - 1;
}

void TList::Insert(int Index, void* Item) {
  if (Index < 0 || Index > Count()) Error(SListIndexError, Index);
  FList.insert(FList.begin() + Index, Item);
  if (Item) Notify(Item, lnAdded);
}

void TList::Delete(int Index) {
  CheckIndex(Index);
  void* item = FList[static_cast<size_t>(Index)];
  FList.erase(FList.begin() + Index);
  if (item) Notify(item, lnDeleted);
}

int TList::Remove(void* Item) {
  int i = IndexOf(Item);
  if (i >= 0) Delete(i);
  return i;
}

void* TList::Extract(void* Item) {
  int i = IndexOf(Item);
  if (i < 0) return nullptr;
  void* result = FList[static_cast<size_t>(i)];
  FList.erase(FList.begin() + i);
  Notify(result, lnExtracted);
  return result;
}

int TList::IndexOf(void* Item) const {
  auto it = std::find(FList.begin(), FList.end(), Item);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TList::Clear() {
  SetCount(0);
  SetCapacity(0);
}

void TList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  void* item = FList[static_cast<size_t>(CurIndex)];
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, item);
}

void TList::Pack() {
  for (int i = Count() - 1; i >= 0; --i)
    if (!FList[static_cast<size_t>(i)]) Delete(i);
}

void TList::Sort(const TListSortCompare& Compare) {
  if (Count() < 2 || !Compare) return;
  // A stable merge never reads outside the list, even under a comparison that contradicts itself.
  std::stable_sort(FList.begin(), FList.end(), [&](void* a, void* b) { return Compare(a, b) < 0; });
}

TList* TList::Expand() {
  if (Count() == Capacity()) FList.reserve(FList.capacity() < 8 ? 16 : FList.capacity() * 2);
  return this;
}

void TList::Assign(TList* ListA) {
  Clear();
  if (!ListA) return;
  FList.reserve(static_cast<size_t>(ListA->Count()));
  for (int i = 0; i < ListA->Count(); ++i) Add(ListA->FList[static_cast<size_t>(i)]);
}

void TList::SetCount(int NewCount) {
  if (NewCount < 0) Error(SListCountError, NewCount);
  if (NewCount > Count()) {
    FList.resize(static_cast<size_t>(NewCount), nullptr);
  } else {
    for (int i = Count() - 1; i >= NewCount; --i) Delete(i);
  }
}

void TList::SetCapacity(int NewCapacity) {
  if (NewCapacity < Count()) Error(SListCapacityError, NewCapacity);
  if (NewCapacity == 0 && FList.empty())
    std::vector<void*>().swap(FList);
  else
    FList.reserve(static_cast<size_t>(NewCapacity));
}

void TList::Notify(void*, TListNotification) {}

// ---- TObjectList --------------------------------------------------------------------------------

TObjectList::~TObjectList() { Clear(); }

void TObjectList::Notify(void* Ptr, TListNotification Action) {
  if (FOwnsObjects && Action == lnDeleted) TObject::Free(static_cast<TObject*>(Ptr));
  TList::Notify(Ptr, Action);
}

int TObjectList::FindInstanceOf(TClass AClass, bool AExact, int AStartAt) const {
  for (int i = std::max(AStartAt, 0); i < Count(); ++i) {
    TObject* o = Items(i);
    if (!o) continue;
    if (AExact ? o->ClassType() == AClass : o->InheritsFrom(AClass)) return i;
  }
  return -1;
}

// ---- TComponentList -----------------------------------------------------------------------------

class TComponentList::TNexus : public TComponent {
 public:
  explicit TNexus(TComponentList* list) : TComponent(nullptr), FList(list) {}

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    if (Operation == opRemove && FList) FList->HandleFreeNotify(AComponent);
    TComponent::Notification(AComponent, Operation);
  }

 private:
  friend class TComponentList;
  TComponentList* FList;
};

TComponentList::TComponentList(bool AOwnsObjects) : TObjectList(AOwnsObjects) {}

TComponentList::~TComponentList() {
  Clear();
  if (FNexus) {
    FNexus->FList = nullptr;
    delete FNexus;
  }
}

void TComponentList::HandleFreeNotify(TComponent* AComponent) {
  // Every entry of it: a component listed twice must not leave a dangling second entry.
  while (IndexOf(AComponent) >= 0) Extract(AComponent);
}

void TComponentList::Notify(void* Ptr, TListNotification Action) {
  auto* c = static_cast<TComponent*>(Ptr);
  if (Action == lnAdded) {
    if (!FNexus) FNexus = new TNexus(this);
    FNexus->FreeNotification(c);
  } else if (FNexus && IndexOf(c) < 0) {
    // Only once the last entry of that component has left the list.
    FNexus->RemoveFreeNotification(c);
  }
  TObjectList::Notify(Ptr, Action);
}

// ---- TInterfaceList -----------------------------------------------------------------------------

void TInterfaceList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(FList.size())) TList::Error(SListIndexError, Index);
}

int TInterfaceList::Add(IInterface* Item) {
  std::lock_guard lock(FLock);
  FList.push_back(Item);
  return static_cast<int>(FList.size()) - 1;
}

void TInterfaceList::Insert(int Index, IInterface* Item) {
  std::lock_guard lock(FLock);
  if (Index < 0 || Index > static_cast<int>(FList.size())) TList::Error(SListIndexError, Index);
  FList.insert(FList.begin() + Index, Item);
}

void TInterfaceList::Delete(int Index) {
  std::lock_guard lock(FLock);
  CheckIndex(Index);
  FList.erase(FList.begin() + Index);
}

int TInterfaceList::Remove(IInterface* Item) {
  std::lock_guard lock(FLock);
  int i = IndexOf(Item);
  if (i >= 0) FList.erase(FList.begin() + i);
  return i;
}

int TInterfaceList::IndexOf(IInterface* Item) const {
  std::lock_guard lock(FLock);
  auto it = std::find(FList.begin(), FList.end(), Item);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TInterfaceList::Clear() {
  std::lock_guard lock(FLock);
  FList.clear();
}

void TInterfaceList::Exchange(int Index1, int Index2) {
  std::lock_guard lock(FLock);
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
}

IInterface* TInterfaceList::Last() const {
  std::lock_guard lock(FLock);
  return Items(static_cast<int>(FList.size()) - 1);
}

IInterface* TInterfaceList::Items(int Index) const {
  std::lock_guard lock(FLock);
  CheckIndex(Index);
  return FList[static_cast<size_t>(Index)];
}

void TInterfaceList::SetItems(int Index, IInterface* Item) {
  std::lock_guard lock(FLock);
  CheckIndex(Index);
  FList[static_cast<size_t>(Index)] = Item;
}

int TInterfaceList::Count() const {
  std::lock_guard lock(FLock);
  return static_cast<int>(FList.size());
}

void TInterfaceList::SetCount(int NewCount) {
  std::lock_guard lock(FLock);
  if (NewCount < 0) TList::Error(SListCountError, NewCount);
  FList.resize(static_cast<size_t>(NewCount), nullptr);
}
