#include "ui/foundation/ComponentCollection.h"

// ---- TcxComponentCollectionItem -----------------------------------------------------------------

TcxComponentCollectionItem::~TcxComponentCollectionItem() { ChangeCollection(nullptr); }

int TcxComponentCollectionItem::IndexInCollection() const {
  return FCollection ? FCollection->IndexOf(const_cast<TcxComponentCollectionItem*>(this)) : -1;
}

void TcxComponentCollectionItem::ChangeCollection(TcxComponentCollection* New) {
  if (New == FCollection) return;
  if (FCollection) FCollection->DismissItem(this);
  if (New) New->AdmitItem(this);
}

void TcxComponentCollectionItem::MoveToIndex(int NewIndex) {
  if (!FCollection || NewIndex == IndexInCollection()) return;
  FCollection->MoveItem(this, NewIndex);
  ReportChange(true);
}

void TcxComponentCollectionItem::ReportChange(bool AllItems) {
  if (HasState(csDestroying) || !FCollection) return;
  FCollection->ReportItemChange(AllItems ? nullptr : this, cckChanged);
}

TComponent* TcxComponentCollectionItem::GetParentComponent() {
  return FCollection ? FCollection->ParentComponent() : TComponent::GetParentComponent();
}

void TcxComponentCollectionItem::AttachToParent(TComponent* ParentComponent) {
  ChangeCollection(CollectionOfParent(ParentComponent));
}

// ---- TcxComponentCollection ---------------------------------------------------------------------

TcxComponentCollection::TcxComponentCollection(TComponent* ParentComponent, TClass ItemClass)
    : FParentComponent(ParentComponent), FItemClass(ItemClass) {}

TcxComponentCollection::~TcxComponentCollection() {
  FUpdateCount = 1;
  while (ItemCount() > 0) TObject::Free(ItemAt(ItemCount() - 1));
}

TcxComponentCollectionItem* TcxComponentCollection::AppendNewItem() {
  TComponent* owner = FParentComponent ? FParentComponent->Owner() : nullptr;
  auto* item = static_cast<TcxComponentCollectionItem*>(TComponent::Create(FItemClass, owner));
  item->SetParentComponent(FParentComponent);
  NameNewItem(item);
  return item;
}

void TcxComponentCollection::RemoveAllItems() {
  if (ItemCount() == 0) return;
  LockChanges();
  try {
    while (ItemCount() > 0) TObject::Free(ItemAt(ItemCount() - 1));
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

void TcxComponentCollection::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxComponentCollection*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  LockChanges();
  try {
    RemoveAllItems();
    for (int i = 0; i < source->ItemCount(); ++i) AppendNewItem()->Assign(source->ItemAt(i));
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

void TcxComponentCollection::UnlockChanges(bool ForceUpdate) {
  --FUpdateCount;
  if (ForceUpdate) ReportItemChange(nullptr, cckChanged);
}

void TcxComponentCollection::RaiseChange(TcxComponentCollectionItem* Item, TcxCollectionChangeKind Action) {
  if (OnChange) OnChange(this, Item, Action);
}

void TcxComponentCollection::ReportItemChange(TcxComponentCollectionItem* Item, TcxCollectionChangeKind Action) {
  if (FUpdateCount == 0) RaiseChange(Item, Action);
}

void TcxComponentCollection::AdmitItem(TcxComponentCollectionItem* Item) {
  if (!Item->InheritsFrom(FItemClass)) return;
  FItems.Add(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  ItemMembershipChanged(Item, cckAdded);
  ReportItemChange(Item, cckAdded);
}

void TcxComponentCollection::DismissItem(TcxComponentCollectionItem* Item) {
  ItemMembershipChanged(Item, cckExtracting);
  FItems.Remove(Item);
  Item->FCollection = nullptr;
  ItemMembershipChanged(Item, cckExtracted);
  ReportItemChange(Item, cckExtracted);
}

void TcxComponentCollection::MoveItem(TcxComponentCollectionItem* Item, int NewIndex) {
  FItems.Move(FItems.IndexOf(Item), NewIndex);
}

// ---- TcxComponentList ---------------------------------------------------------------------------

TcxComponentList::~TcxComponentList() {
  // Emptied here, while this class's notification still runs, so the entries are told apart from
  // the change that the lock now holds back.
  FUpdateCount = 1;
  TList::Clear();
}

void TcxComponentList::UnlockNotify() {
  --FUpdateCount;
  RaiseChange(nullptr, cckChanged);
}

void TcxComponentList::Clear() {
  if (Count() > 0) {
    LockNotify();
    try {
      while (Count() > 0) Delete(0);
    } catch (...) {
      UnlockNotify();
      throw;
    }
    UnlockNotify();
  }
  TList::Clear();
}

void TcxComponentList::Notify(void* Ptr, TListNotification Action) {
  auto* obj = static_cast<TObject*>(static_cast<TComponent*>(Ptr));
  if (obj->InheritsFrom(ItemClassAllowed()))
    NotifyItem(static_cast<TComponent*>(Ptr), Action);
  else if (Action == lnAdded)
    Extract(static_cast<TComponent*>(Ptr));
}

namespace {
TcxCollectionChangeKind ListNotificationToChangeKind(TListNotification Action) {
  switch (Action) {
    case lnAdded:
      return cckAdded;
    case lnExtracted:
      return cckExtracted;
    default:
      return cckDeleted;
  }
}
}  // namespace

void TcxComponentList::NotifyItem(TComponent* Component, TListNotification Action) {
  TComponentList::Notify(Component, Action);
  if (OnNotify) OnNotify(this, Component, Action);
  RaiseChange(Component, ListNotificationToChangeKind(Action));
}

void TcxComponentList::RaiseChange(TComponent* Component, TcxCollectionChangeKind Action) {
  if (FUpdateCount == 0 && OnChange) OnChange(this, Component, Action);
}
