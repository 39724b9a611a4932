#include "ui/controls/EditDataBinding.h"

#include "ui/controls/CustomEdit.h"
#include "ui/controls/EditRepository.h"

// ---- TcxEditDataBinding ------------------------------------------------------------------------------

TcxEditDataBinding::TcxEditDataBinding(TcxCustomEdit* AEdit)
    : TcxEditDataBinding(AEdit, EditDefaultValuesProviderClassOf<TcxCustomEditDefaultValuesProvider>()) {}

TcxEditDataBinding::TcxEditDataBinding(TcxCustomEdit* AEdit, const TcxEditDefaultValuesProviderClass& ProviderClass)
    : FEdit(AEdit), FProvider(ProviderClass(this)) {}

TcxEditDataBinding::~TcxEditDataBinding() = default;

TPersistent* TcxEditDataBinding::GetOwner() { return FEdit; }

TcxEditDefaultValuesProviderClass TcxEditDataBinding::DefaultValuesProviderClass() {
  return EditDefaultValuesProviderClassOf<TcxCustomEditDefaultValuesProvider>();
}

void TcxEditDataBinding::DefaultValuesChanged() {
  TcxEditRepositoryItem* item = FEdit->RepositoryItem();
  if (!item) {
    FEdit->ActiveProperties()->SignalChanged();
    return;
  }
  // The item is shared: its other editors and its own listeners need not hear of this editor's
  // defaults, so the change is signalled inside a bracket that drops it.
  TcxCustomEditProperties* properties = item->Properties();
  properties->LockUpdate();
  try {
    properties->SignalChanged();
  } catch (...) {
    properties->UnlockUpdate(false);
    throw;
  }
  properties->UnlockUpdate(false);
  FEdit->PropertiesChanged(properties);
}

void TcxEditDataBinding::ReadDisplayValue(Variant& Value) { Value = Variant(FEdit->CurrentDisplayText()); }
bool TcxEditDataBinding::InEditMode() { return FEdit->Modified(); }
bool TcxEditDataBinding::IsModified() { return FEdit->Modified(); }
void TcxEditDataBinding::ReadStoredValue(Variant& Value) { Value = FEdit->EditValue(); }
bool TcxEditDataBinding::IsDataReadOnly() { return !HasData(); }
void TcxEditDataBinding::RevertToData() { FEdit->RevertEditValue(); }
void TcxEditDataBinding::WriteDisplayValue(const Variant& Value) { FEdit->SetInnerEditValue(Value); }

bool TcxEditDataBinding::EnterEditMode() {
  FEdit->MarkModified(true);
  return true;
}

bool TcxEditDataBinding::CanLeaveEditor() { return FEdit->IsDesigning() || !FEdit->Modified(); }

void TcxEditDataBinding::EditorValueChanged() {
  if (FEdit->IsFocused()) FEdit->MarkModified(true);
}

void TcxEditDataBinding::RefreshEditorDisplay() { FEdit->RefreshDisplayText(); }

// ---- TcxCustomEditData -------------------------------------------------------------------------------

TcxCustomEditData::TcxCustomEditData(TcxCustomEdit* AEdit)
    : FEdit(AEdit), FFreeNotificator(std::make_unique<TcxFreeNotificator>(nullptr)) {
  FFreeNotificator->OnFreeNotification = [this](TComponent* AComponent) { EditorFreed(AComponent); };
  FFreeNotificator->WatchComponent(AEdit);
  Clear();
}

TcxCustomEditData::~TcxCustomEditData() {
  if (FEdit) FFreeNotificator->UnwatchComponent(FEdit);
}

void TcxCustomEditData::Clear() {
  FCleared = true;
  if (FEdit) FEdit->EditDataCleared(this);
}

void TcxCustomEditData::EditorFreed(TComponent* AComponent) {
  if (AComponent == FEdit) FEdit = nullptr;
}
