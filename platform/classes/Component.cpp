#include "platform/classes/Component.h"

#include <algorithm>

#include "platform/classes/Filer.h"

bool IsValidIdent(const String& Ident) {
  if (Ident.empty()) return false;
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (!alpha(Ident[0])) return false;
  return std::all_of(Ident.begin(), Ident.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

void TComponent::DeclareProperties(TPropTable& t) {
  // The name heads the object in a form description instead of appearing as a property.
  t.Add("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
  t.Add("Tag", &TComponent::Tag, &TComponent::SetTag).SetDefault(0);
}

thread_local bool TComponent::FConstructingForReader = false;

TComponent::TComponent(TComponent* AOwner) {
  if (FConstructingForReader) {
    FComponentState.Include(csLoading);
    FConstructingForReader = false;
  }
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  RemoveFreeNotifications();
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Create(TClass cls, TComponent* AOwner) {
  if (!cls->InheritsFrom(StaticClass())) throw EInvalidCast(SInvalidCast);
  return static_cast<TComponent*>(cls->Create(AOwner));
}

void TComponent::BeforeDestruction() {
  TPersistent::BeforeDestruction();
  Destroying();
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::DestroyComponents() {
  // Last created goes first, so that a component never outlives the ones created before it.
  while (!FComponents.empty()) {
    TComponent* instance = FComponents.back();
    if (instance->FComponentState.Contains(csFreeNotification))
      RemoveComponent(instance);
    else
      Remove(instance);
    instance->BeforeDestruction();
    delete instance;
  }
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) throw EListError(Format(SListIndexError, index));
  return FComponents[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetComponentIndex(int value) {
  if (!FOwner) return;
  int i = ComponentIndex();
  if (i < 0) return;
  auto& list = FOwner->FComponents;
  int count = static_cast<int>(list.size());
  value = std::clamp(value, 0, count - 1);
  if (value == i) return;
  list.erase(list.begin() + i);
  list.insert(list.begin() + value, this);
}

TComponent* TComponent::FindComponent(const String& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, AName)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  AComponent->ValidateContainer(this);
  ValidateRename(AComponent, String(), AComponent->FName);
  Insert(AComponent);
  AComponent->SetReference(true);
  if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  ValidateRename(AComponent, AComponent->FName, String());
  Notification(AComponent, opRemove);
  AComponent->SetReference(false);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  std::erase(FComponents, AComponent);
  AComponent->FOwner = nullptr;
}

void TComponent::ValidateContainer(TComponent* AComponent) { AComponent->ValidateInsert(this); }

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) {
  if (AComponent && !SameText(CurName, NewName) && AComponent->FOwner == this && FindComponent(NewName))
    throw EComponentError(Format(SDuplicateName, NewName));
}

void TComponent::SetName(const String& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName)) throw EComponentError(Format(SInvalidName, NewName));
  if (FOwner)
    FOwner->ValidateRename(this, FName, NewName);
  else
    ValidateRename(nullptr, FName, NewName);
  SetReference(false);
  ChangeName(NewName);
  SetReference(true);
}

void TComponent::ChangeName(const String& NewName) { FName = NewName; }

String TComponent::GetNamePath() { return FName; }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // A component told of a removal may free others; re-check the bound each step.
  int i = ComponentCount() - 1;
  while (i >= 0) {
    FComponents[static_cast<std::size_t>(i)]->Notification(AComponent, Operation);
    --i;
    if (i >= ComponentCount()) i = ComponentCount() - 1;
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
  if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this) ==
      AComponent->FFreeNotifies.end())
    AComponent->FFreeNotifies.push_back(this);
  FComponentState.Include(csFreeNotification);
  AComponent->FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveNotification(TComponent* AComponent) { std::erase(FFreeNotifies, AComponent); }

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  RemoveNotification(AComponent);
  AComponent->RemoveNotification(this);
}

void TComponent::RemoveFreeNotifications() {
  while (!FFreeNotifies.empty()) {
    TComponent* c = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    c->RemoveNotification(this);
    c->Notification(this, opRemove);
  }
}

void TComponent::SetSubComponent(bool IsSubComponent) {
  if (IsSubComponent)
    FComponentStyle.Include(csSubComponent);
  else
    FComponentStyle.Exclude(csSubComponent);
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  if (Value)
    FComponentState.Include(csDesigning);
  else
    FComponentState.Exclude(csDesigning);
  if (SetChildren)
    for (TComponent* c : FComponents) c->SetDesigning(Value, true);
}

void TComponent::SetInline(bool Value) {
  if (Value)
    FComponentState.Include(csInline);
  else
    FComponentState.Exclude(csInline);
}

void TComponent::SetDesignInstance(bool Value) {
  if (Value)
    FComponentState.Include(csDesignInstance);
  else
    FComponentState.Exclude(csDesignInstance);
}

void TComponent::SetAncestor(bool Value) {
  if (Value)
    FComponentState.Include(csAncestor);
  else
    FComponentState.Exclude(csAncestor);
  for (TComponent* c : FComponents) c->SetAncestor(Value);
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::ReadState(TReader* Reader) { Reader->ReadData(this); }

void TComponent::WriteState(TWriter* Writer) { Writer->WriteData(this); }

void TComponent::GetChildren(TGetChildProc, TComponent*) {}

void TComponent::SetChildOrder(TComponent*, int) {}

void TComponent::Updating() { FComponentState.Include(csUpdating); }

void TComponent::Updated() { FComponentState.Exclude(csUpdating); }

namespace {

std::int32_t LoWord(std::int32_t v) { return static_cast<std::int16_t>(v & 0xFFFF); }
std::int32_t HiWord(std::int32_t v) { return static_cast<std::int16_t>((static_cast<std::uint32_t>(v) >> 16) & 0xFFFF); }
std::int32_t MakeLong(std::int32_t lo, std::int32_t hi) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(lo) & 0xFFFF) | (static_cast<std::uint32_t>(hi) << 16));
}

}  // namespace

void TComponent::DefineProperties(TFiler* Filer) {
  auto* ancestor = dynamic_cast<TComponent*>(Filer->Ancestor());
  std::int32_t info = ancestor ? ancestor->FDesignInfo : 0;
  Filer->DefineProperty(
      "Left", [this](TReader* r) { FDesignInfo = MakeLong(r->ReadInteger(), HiWord(FDesignInfo)); },
      [this](TWriter* w) { w->WriteInteger(LoWord(FDesignInfo)); }, LoWord(FDesignInfo) != LoWord(info));
  Filer->DefineProperty(
      "Top", [this](TReader* r) { FDesignInfo = MakeLong(LoWord(FDesignInfo), r->ReadInteger()); },
      [this](TWriter* w) { w->WriteInteger(HiWord(FDesignInfo)); }, HiWord(FDesignInfo) != HiWord(info));
}

void TComponent::AddHandler(const String& name, std::any handler) {
  if (!FHandlers) FHandlers = std::make_unique<std::vector<std::pair<String, std::any>>>();
  for (auto& [n, h] : *FHandlers)
    if (SameText(n, name)) {
      h = std::move(handler);
      return;
    }
  FHandlers->emplace_back(name, std::move(handler));
}

const std::any* TComponent::MethodAddress(const String& HandlerName) const {
  if (FHandlers)
    for (const auto& [n, h] : *FHandlers)
      if (SameText(n, HandlerName)) return &h;
  return nullptr;
}

namespace {
std::vector<TFindGlobalComponent>& FindGlobalComponentProcs() {
  static std::vector<TFindGlobalComponent> procs;
  return procs;
}
}  // namespace

void RegisterFindGlobalComponentProc(TFindGlobalComponent Proc) {
  auto& procs = FindGlobalComponentProcs();
  if (Proc && std::find(procs.begin(), procs.end(), Proc) == procs.end()) procs.push_back(Proc);
}

void UnregisterFindGlobalComponentProc(TFindGlobalComponent Proc) {
  auto& procs = FindGlobalComponentProcs();
  procs.erase(std::remove(procs.begin(), procs.end(), Proc), procs.end());
}

TComponent* FindGlobalComponent(const String& Name) {
  for (TFindGlobalComponent proc : FindGlobalComponentProcs())
    if (TComponent* c = proc(Name)) return c;
  return nullptr;
}
