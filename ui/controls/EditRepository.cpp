#include "ui/controls/EditRepository.h"

#include <algorithm>

#include "platform/classes/Filer.h"

// ---- TcxEditRepositoryItem --------------------------------------------------------------------------

TcxEditRepositoryItem::TcxEditRepositoryItem(TComponent* AOwner)
    : TcxEditRepositoryItem(AOwner, TcxCustomEditProperties::StaticClass()) {}

TcxEditRepositoryItem::TcxEditRepositoryItem(TComponent* AOwner, TClass APropertiesClass)
    : TComponent(AOwner), FPropertiesClass(APropertiesClass) {
  FProperties = static_cast<TcxCustomEditProperties*>(FPropertiesClass->Create(this));
  FProperties->OnPropertiesChanged = [this](TObject* Sender) { PropertiesChanged(Sender); };
}

TcxEditRepositoryItem::~TcxEditRepositoryItem() {
  NotifyItemRemoved();
  if (FRepository) FRepository->ExcludeItem(this);
  FProperties->OnPropertiesChanged = nullptr;
  TObject::Free(FProperties);
  FProperties = nullptr;
}

void TcxEditRepositoryItem::DeclareProperties(TPropTable& t) {
  t.Add("Properties", &TcxEditRepositoryItem::Properties, &TcxEditRepositoryItem::SetProperties);
  t.Add("PropertiesEvents", &TcxEditRepositoryItem::PropertiesEvents);
}

void TcxEditRepositoryItem::NotifyItemRemoved() {
  // A listener may unregister while it is told: walk a copy, the last first.
  std::vector<IcxEditRepositoryItemListener*> listeners = FListeners;
  for (auto it = listeners.rbegin(); it != listeners.rend(); ++it)
    if (std::find(FListeners.begin(), FListeners.end(), *it) != FListeners.end()) (*it)->ItemRemoved(this);
}

void TcxEditRepositoryItem::PropertiesChanged(TObject*) {
  std::vector<IcxEditRepositoryItemListener*> listeners = FListeners;
  for (auto it = listeners.rbegin(); it != listeners.rend(); ++it)
    if (std::find(FListeners.begin(), FListeners.end(), *it) != FListeners.end()) (*it)->PropertiesChanged(this);
}

void TcxEditRepositoryItem::RegisterListener(IcxEditRepositoryItemListener* Listener) {
  if (Listener && std::find(FListeners.begin(), FListeners.end(), Listener) == FListeners.end())
    FListeners.push_back(Listener);
}

void TcxEditRepositoryItem::UnregisterListener(IcxEditRepositoryItemListener* Listener) {
  std::erase(FListeners, Listener);
}

TClass TcxEditRepositoryItem::PropertiesClass() { return FPropertiesClass; }

String TcxEditRepositoryItem::DefaultItemName() {
  static const String kPrefix = "TcxEditRepository";
  String className = ClassName();
  std::size_t at = className.find(kPrefix);
  if (at == String::npos) return String();
  return (FRepository ? FRepository->Name() : String()) + className.substr(at + kPrefix.size());
}

TComponent* TcxEditRepositoryItem::GetParentComponent() { return FRepository; }

void TcxEditRepositoryItem::SetParentComponent(TComponent* Value) {
  if (ComponentState().Contains(csLoading)) return;
  AttachToRepository(dynamic_cast<TcxEditRepository*>(Value));
}

void TcxEditRepositoryItem::ReadState(TReader* Reader) {
  TComponent::ReadState(Reader);
  if (auto* repository = dynamic_cast<TcxEditRepository*>(Reader->Parent())) AttachToRepository(repository);
}

void TcxEditRepositoryItem::AttachToRepository(TcxEditRepository* ARepository) {
  if (ARepository == FRepository) return;
  if (FRepository) FRepository->ExcludeItem(this);
  FRepository = ARepository;
  if (FRepository) FRepository->IncludeItem(this);
}

// ---- TcxEditRepository ------------------------------------------------------------------------------

TcxEditRepository::~TcxEditRepository() {
  while (!FItems.empty()) TObject::Free(FItems.back());
}

TcxEditRepositoryItem* TcxEditRepository::NewItem(TClass ItemClass) { return NewItemOwned(ItemClass, this); }

TcxEditRepositoryItem* TcxEditRepository::NewItemOwned(TClass ItemClass, TComponent* AOwner) {
  auto* item = static_cast<TcxEditRepositoryItem*>(ItemClass->Create(AOwner));
  item->AttachToRepository(this);
  return item;
}

void TcxEditRepository::IncludeItem(TcxEditRepositoryItem* Item) {
  if (std::find(FItems.begin(), FItems.end(), Item) == FItems.end()) FItems.push_back(Item);
}

void TcxEditRepository::ExcludeItem(TcxEditRepositoryItem* Item) { std::erase(FItems, Item); }

void TcxEditRepository::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TcxEditRepositoryItem* item : FItems)
    if (item->Owner() == Root) Proc(item);
}
