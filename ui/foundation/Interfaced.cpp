#include "ui/foundation/Interfaced.h"

#include "ui/foundation/Lists.h"

TcxInterfacedCollectionItem::TcxInterfacedCollectionItem(TCollection* Collection) : TCollectionItem(Collection) {
  if (Collection) FOwnerInterface = dynamic_cast<IInterface*>(Collection);
}

TcxOwnedInterfacedCollection::~TcxOwnedInterfacedCollection() {
  // Raised first, so that freeing the items below reports nothing to the owner.
  FInternalState |= isDestroying;
  Clear();
}

int TcxOwnedInterfacedCollection::CompareItemOrder(TCollectionItem* Item1, TCollectionItem* Item2) {
  const int d = Item1->Index() - Item2->Index();
  return d < 0 ? -1 : (d > 0 ? 1 : 0);
}

int TcxOwnedInterfacedCollection::CompareForSort(TCollectionItem* Item1, TCollectionItem* Item2) {
  return OnCompare ? OnCompare(this, Item1, Item2) : CompareItemOrder(Item1, Item2);
}

void TcxOwnedInterfacedCollection::SortItems() {
  if (UpdateCount() > 0 || (FInternalState & isSorting)) return;
  FInternalState |= isSorting;
  TcxStringList* list = new TcxStringList;
  try {
    for (int i = 0; i < Count(); ++i) list->AddObject(IntToStr(i), Items(i));
    list->OnCompare = [this](TcxStringList* L, int Index1, int Index2) {
      return CompareForSort(static_cast<TCollectionItem*>(L->Objects(Index1)),
                            static_cast<TCollectionItem*>(L->Objects(Index2)));
    };
    list->Sort();
    BeginUpdate();
    try {
      for (int i = 0; i < list->Count(); ++i) static_cast<TCollectionItem*>(list->Objects(i))->SetIndex(i);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  } catch (...) {
    delete list;
    FInternalState &= ~isSorting;
    throw;
  }
  delete list;
  FInternalState &= ~isSorting;
}

void TcxOwnedInterfacedCollection::HandleItemUpdate(TCollectionItem* Item) {
  if (FInternalState & isInUpdate) return;
  FInternalState |= isInUpdate;
  try {
    if (FSorted && !Item) SortItems();
    TOwnedCollection::Update(Item);
    if (!(FInternalState & isDestroying) && OnChange) OnChange(this, Item);
  } catch (...) {
    FInternalState &= ~isInUpdate;
    throw;
  }
  FInternalState &= ~isInUpdate;
}
