#include "platform/classes/Collection.h"

#include <algorithm>

// ---- TCollectionItem ----

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* Value) {
  if (FCollection == Value) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  auto& items = FCollection->FItems;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  int cur = Index();
  if (cur >= 0 && cur != Value) {
    FCollection->MoveItem(cur, Value);
    Changed(true);
  }
}

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() { return FCollection; }

String TCollectionItem::GetNamePath() {
  if (FCollection) return FCollection->GetNamePath() + "[" + std::to_string(Index()) + "]";
  return ClassName();
}

// ---- TCollection ----

TCollection::TCollection(TClass ItemClass) : FItemClass(ItemClass) {}

TCollection::~TCollection() {
  // No change notifications while the collection goes away.
  FUpdateCount = 1;
  Clear();
}

TCollectionItem* TCollection::Add() {
  // The item joins from its base constructor; the change is announced once it is whole, so that
  // handlers reading the items never meet one still being built.
  BeginUpdate();
  TObject* made = nullptr;
  try {
    made = FItemClass->Create(this);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  auto* item = dynamic_cast<TCollectionItem*>(made);
  if (!item) throw EInvalidCast(SInvalidCast);
  return item;
}

TCollectionItem* TCollection::Insert(int Index) {
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(int Index) {
  TCollectionItem* item = Items(Index);
  Notify(item, cnDeleting);
  TObject::Free(item);
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  try {
    while (!FItems.empty()) TObject::Free(FItems.back());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TCollection*>(Source)) {
    BeginUpdate();
    try {
      Clear();
      for (int i = 0; i < src->Count(); ++i) Add()->Assign(src->Items(i));
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  Changed();
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format(SListIndexError, Index));
  return FItems[static_cast<std::size_t>(Index)];
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* item : FItems)
    if (item->FID == ID) return item;
  return nullptr;
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item) {
  // No class check here: an item joins from its base constructor, before it knows its own class.
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  SetItemName(Item);
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  std::erase(FItems, Item);
  Item->FCollection = nullptr;
  Changed();
}

void TCollection::MoveItem(int CurIndex, int NewIndex) {
  if (NewIndex < 0 || NewIndex >= Count()) throw EListError(Format(SListIndexError, NewIndex));
  TCollectionItem* item = FItems[static_cast<std::size_t>(CurIndex)];
  FItems.erase(FItems.begin() + CurIndex);
  FItems.insert(FItems.begin() + NewIndex, item);
}

String TCollection::PropName() {
  TPersistent* owner = GetOwner();
  if (!owner) return String();
  for (const TPropInfo* p : GetPropList(owner))
    if (p->Kind == tkClass && p->GetObj && p->GetObj(owner) == this) return p->Name;
  return String();
}

String TCollection::GetNamePath() {
  TPersistent* owner = GetOwner();
  if (!owner) return ClassName();
  String path = owner->GetNamePath();
  if (path.empty()) return ClassName();
  String prop = PropName();
  if (prop.empty()) return ClassName();
  return path + "." + prop;
}
