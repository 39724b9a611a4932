#include "ui/choice/GroupItems.h"

#include "ui/controls/VariantRoutines.h"

namespace {

// Opens an update of the collection before the item joins it: the item reports its arrival inside
// the bracket, so the owner hears of one new item before it hears of the list as a whole.
TCollection* OpenedForNewItem(TCollection* Collection) {
  if (Collection) Collection->BeginUpdate();
  return Collection;
}

}  // namespace

// ---- TcxButtonGroupItem -----------------------------------------------------------------------------

TcxButtonGroupItem::TcxButtonGroupItem(TCollection* Collection) : TcxCaptionItem(OpenedForNewItem(Collection)) {
  if (!Collection) return;
  ReportChange(bgioAdded, Index());
  Collection->EndUpdate();
}

TcxButtonGroupItem::~TcxButtonGroupItem() {
  TCollection* collection = Collection();
  if (!collection) return;
  // Leaves the list here rather than in the base destructor, so that the departure is reported
  // inside one bracket with the index it had.
  collection->BeginUpdate();
  ReportChange(bgioDeleted, Index());
  SetCollection(nullptr);
  collection->EndUpdate();
}

void TcxButtonGroupItem::Assign(TPersistent* Source) {
  if (auto* item = dynamic_cast<TcxButtonGroupItem*>(Source)) SetEnabled(item->Enabled());
  inherited::Assign(Source);
}

void TcxButtonGroupItem::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  ReportChange(bgioChanged, Index());
}

TcxButtonGroupItems* TcxButtonGroupItem::GroupItems() const { return dynamic_cast<TcxButtonGroupItems*>(Collection()); }

void TcxButtonGroupItem::ReportChange(TcxButtonGroupItemOperation Operation, int Index) {
  if (TcxButtonGroupItems* items = GroupItems()) items->ItemChanged(this, Operation, Index);
}

// ---- TcxButtonGroupItems ----------------------------------------------------------------------------

TcxCustomEditProperties* TcxButtonGroupItems::OwnerProperties() {
  return dynamic_cast<TcxCustomEditProperties*>(GetOwner());
}

void TcxButtonGroupItems::ItemChanged(TcxButtonGroupItem*, TcxButtonGroupItemOperation Operation, int Index) {
  TcxCustomEditProperties* properties = OwnerProperties();
  if (IsBeingDestroyed() || !properties || properties->IsChangeLocked()) return;
  FChangedItemIndex = Index;
  FChangedItemOperation = Operation;
  FIsNotifying = true;
  try {
    properties->SignalChanged();
  } catch (...) {
    FIsNotifying = false;
    throw;
  }
  FIsNotifying = false;
}

void TcxButtonGroupItems::Update(TCollectionItem* Item) {
  if (IsBeingDestroyed()) return;
  TcxCustomEditProperties* properties = OwnerProperties();
  if (!properties || !properties->IsChangeLocked()) {
    if (Item) {
      FChangedItemIndex = Item->Index();
      FChangedItemOperation = bgioChanged;
    }
    inherited::Update(Item);
  }
  if (properties) properties->SignalChanged();
}

// ---- TcxRadioGroupItem ------------------------------------------------------------------------------

void TcxRadioGroupItem::DeclareProperties(TPropTable& t) {
  DeclareCaptionAndTag(t);
  t.Add("Value", &TcxRadioGroupItem::Value, &TcxRadioGroupItem::SetValue).Stored(&TcxRadioGroupItem::ValueStored);
}

void TcxRadioGroupItem::Assign(TPersistent* Source) {
  inherited::Assign(Source);
  if (auto* item = dynamic_cast<TcxRadioGroupItem*>(Source)) SetValue(item->Value());
}

void TcxRadioGroupItem::SetValue(const Variant& Value) {
  if (VarEqualsSameType(FValue, Value)) return;
  FValue = Value;
  ReportChange(bgioChanged, Index());
}

// ---- TcxRadioGroupItems -----------------------------------------------------------------------------

int TcxRadioGroupItems::IndexOfValue(const Variant& Value) const {
  for (int i = 0; i < Count(); ++i) {
    const TcxRadioGroupItem* item = RadioItemAt(i);
    if (VarIsNull(item->Value()) ? item->Caption() == VarToStr(Value) : VarEqualsLoose(item->Value(), Value))
      return i;
  }
  return -1;
}
