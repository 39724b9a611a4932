#include "ui/bars/BarComponents.h"

#include <algorithm>

#include "platform/classes/Filer.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarStrings.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/foundation/Core.h"

using namespace dxBarStrs;

// From the shared bar routines, whose header clashes with the painter interface the manager brings.
bool LoadingFromAncestor(const TComponent* Component);

// ---- selection queries --------------------------------------------------------------------------

IdxBarSelectableItem* BarSelectableItemOf(TObject* AObject) {
  return AObject ? dynamic_cast<IdxBarSelectableItem*>(AObject) : nullptr;
}

bool SupportsSelection(TObject* AObject) { return BarSelectableItemOf(AObject) != nullptr; }

void RemoveNonSelectable(TList* AList) {
  for (int i = AList->Count() - 1; i >= 0; --i)
    if (!SupportsSelection(static_cast<TObject*>(AList->Items(i)))) AList->Delete(i);
}

TPersistent* SelectableItemInstance(IdxBarSelectableItem* AItem) { return AItem ? AItem->SelectableObject() : nullptr; }

// ---- TdxBarPersistent ---------------------------------------------------------------------------

TPersistent* TdxBarPersistent::GetOwner() { return FBarManager; }

// ---- TdxBarComponent ----------------------------------------------------------------------------

TdxBarComponent::~TdxBarComponent() {
  Destroying();
  // The lists' own free notification would come only after this part of the object is gone.
  while (!FHolders.empty()) {
    TdxBarComponentList* list = FHolders.back();
    FHolders.pop_back();
    while (list->IndexOf(this) >= 0) list->Extract(this);
  }
}

void TdxBarComponent::Changed(bool AAllItems) {
  if (HasState(csDestroying)) return;
  // A change handler may drop the component from a list.
  const std::vector<TdxBarComponentList*> holders = FHolders;
  for (TdxBarComponentList* list : holders)
    if (std::find(FHolders.begin(), FHolders.end(), list) != FHolders.end())
      list->ComponentChanged(AAllItems ? nullptr : this);
}

bool TdxBarComponent::AllowsDeletion(bool) { return !FBarManager || FBarManager->CanDeleteComponent(this); }

void TdxBarComponent::DeleteSelected(IdxBarSelectableItem*& AReference, bool ADeleteItems) {
  if (!AllowsDeletion(ADeleteItems)) return;
  AReference = nullptr;
  TObject::Free(this);
}

void TdxBarComponent::AddMasterObjects(TList* AList) {
  if (Owner() && AList->IndexOf(Owner()) < 0) AList->Add(Owner());
}

int TdxBarComponent::SelectionStatus() { return FBarManager ? FBarManager->GetSelectionStatus(this) : 0; }

void TdxBarComponent::SelectInDesigner(int AOperation) {
  if (FBarManager) FBarManager->SelectComponent(this, AOperation);
}

// ---- TdxBarComponentList ------------------------------------------------------------------------

TdxBarComponentList::~TdxBarComponentList() {
  // The base class empties the list without reaching NotifyItem; the holders must not keep it.
  for (int i = 0; i < Count(); ++i) std::erase(Items(i)->FHolders, this);
}

void TdxBarComponentList::NotifyItem(TComponent* Component, TListNotification Action) {
  if (!Component->HasState(csDestroying)) {
    auto* component = static_cast<TdxBarComponent*>(Component);
    auto& holders = component->FHolders;
    if (Action == lnAdded) {
      if (std::find(holders.begin(), holders.end(), this) == holders.end()) holders.push_back(this);
    } else if (IndexOf(Component) < 0) {
      std::erase(holders, this);
    }
  }
  TcxComponentList::NotifyItem(Component, Action);
}

// ---- TdxBarGroup --------------------------------------------------------------------------------

TdxBarGroup::TdxBarGroup(TComponent* AOwner) : TdxBarComponent(AOwner), FItems(new TdxBarComponentList) {}

TdxBarGroup::~TdxBarGroup() {
  Destroying();
  delete FItems;
}

void TdxBarGroup::DeclareProperties(TPropTable& t) {
  t.Add("Enabled", &TdxBarGroup::Enabled, &TdxBarGroup::SetEnabled).SetDefault(true);
  t.Add("Visible", &TdxBarGroup::Visible, &TdxBarGroup::SetVisible).SetDefault(ivAlways);
}

bool TdxBarGroup::Contains(TdxBarComponent* AItem) const {
  for (int i = 0; i < Count(); ++i) {
    TdxBarComponent* member = Items(i);
    if (member == AItem) return true;
    if (auto* group = dynamic_cast<TdxBarGroup*>(member); group && group->Contains(AItem)) return true;
  }
  return false;
}

void TdxBarGroup::Add(TdxBarComponent* AItem) {
  if (!AItem || IndexOf(AItem) >= 0) return;
  if (AItem == this)
    throw EdxException(cxGetResourceString(dxSBAR_RECURSIVEGROUPS));
  if (auto* group = dynamic_cast<TdxBarGroup*>(AItem); group && group->Contains(this))
    throw EdxException(cxGetResourceString(dxSBAR_RECURSIVEGROUPS));
  FItems->Add(AItem);
}

void TdxBarGroup::Remove(TdxBarComponent* AItem) { FItems->Remove(AItem); }

namespace {
// Pushes a group's value to its members inside one update of the manager, so the bars are laid
// out once however many members change.
template <class F>
void UpdateMembers(TdxBarGroup* Group, bool Bracket, F Apply) {
  TdxBarManager* manager = Group->BarManager();
  if (!Bracket || !manager) {
    for (int i = 0; i < Group->Count(); ++i) Apply(Group->Items(i));
    return;
  }
  manager->BeginUpdate();
  try {
    for (int i = 0; i < Group->Count(); ++i) Apply(Group->Items(i));
  } catch (...) {
    manager->EndUpdate();
    throw;
  }
  manager->EndUpdate();
}
}  // namespace

void TdxBarGroup::SetEnabled(bool Value) {
  TdxBarComponent::SetEnabled(Value);
  if (HasState(csLoading) || HasState(csDestroying)) return;
  UpdateMembers(this, true, [Value](TdxBarComponent* Member) { Member->SetEnabled(Value); });
}

void TdxBarGroup::SetVisible(TdxBarItemVisible Value) {
  TdxBarComponent::SetVisible(Value);
  if (HasState(csLoading) || HasState(csDestroying)) return;
  UpdateMembers(this, true, [Value](TdxBarComponent* Member) { Member->SetVisible(Value); });
}

TComponent* TdxBarGroup::GetParentComponent() { return BarManager(); }

void TdxBarGroup::SetParentComponent(TComponent* Value) {
  auto* manager = dynamic_cast<TdxBarManager*>(Value);
  if (!manager) return;
  SetBarManagerReference(manager);
  manager->AddGroup(this);
}

void TdxBarGroup::SetReference(bool Enable) {
  TdxBarComponent::SetReference(Enable);
  if (Enable) Changed();
}

TComponent* TdxBarGroup::LookupRoot() const {
  if (BarManager() && BarManager()->Owner()) return BarManager()->Owner();
  return Owner();
}

std::vector<String> TdxBarGroup::MemberNames() const {
  if (LoadingFromAncestor(this) && FHasItemNames) return FItemNames;
  std::vector<String> names;
  names.reserve(static_cast<std::size_t>(Count()));
  for (int i = 0; i < Count(); ++i) names.push_back(Items(i)->Name());
  return names;
}

void TdxBarGroup::DefineProperties(TFiler* Filer) {
  TdxBarComponent::DefineProperties(Filer);
  bool hasData = true;
  if (auto* ancestor = dynamic_cast<TdxBarGroup*>(Filer->Ancestor())) hasData = ancestor->MemberNames() != MemberNames();
  Filer->DefineProperty(
      "Items", [this](TReader* Reader) { ReadItems(Reader); }, [this](TWriter* Writer) { WriteItems(Writer); },
      hasData);
}

void TdxBarGroup::ReadItems(TReader* Reader) {
  std::vector<String> names;
  Reader->ReadListBegin();
  while (!Reader->EndOfList()) names.push_back(Reader->ReadString());
  Reader->ReadListEnd();
  if (HasState(csLoading)) {
    FItemNames = std::move(names);
    FHasItemNames = true;
    return;
  }
  // A paste: the members are replaced at once.
  FItems->Clear();
  if (TComponent* root = LookupRoot())
    for (const String& name : names)
      if (auto* member = dynamic_cast<TdxBarComponent*>(root->FindComponent(name))) Add(member);
}

void TdxBarGroup::WriteItems(TWriter* Writer) {
  Writer->WriteListBegin();
  for (const String& name : MemberNames()) Writer->WriteString(name);
  Writer->WriteListEnd();
}

void TdxBarGroup::Loaded() {
  TdxBarComponent::Loaded();
  if (!FHasItemNames) return;
  std::vector<String> names = std::move(FItemNames);
  FItemNames.clear();
  FHasItemNames = false;
  if (TComponent* root = LookupRoot())
    for (const String& name : names)
      if (auto* member = dynamic_cast<TdxBarComponent*>(root->FindComponent(name))) Add(member);
}
