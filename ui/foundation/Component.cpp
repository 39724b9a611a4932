#include "ui/foundation/Component.h"

#include "ui/foundation/ObjectLinks.h"

TcxComponent::~TcxComponent() { InvalidateObjectLinks(this); }

void TcxComponent::DeclareProperties(TPropTable& t) {
  t.Add("FakeComponentLink1", &TcxComponent::FakeComponentLink1, &TcxComponent::SetFakeComponentLink1).Stored(false);
  t.Add("FakeComponentLink2", &TcxComponent::FakeComponentLink2, &TcxComponent::SetFakeComponentLink2).Stored(false);
  t.Add("FakeComponentLink3", &TcxComponent::FakeComponentLink3, &TcxComponent::SetFakeComponentLink3).Stored(false);
}

void TcxComponent::BeforeDestruction() {
  if (!HasState(csDestroying)) Destroying();
  TComponent::BeforeDestruction();
}

void TcxComponent::Loaded() {
  TComponent::Loaded();
  RefreshFakeLinks();
}

void TcxComponent::RefreshFakeLinks() {
  if (!HasState(csDesigning) || HasState(csDestroying) || !Owner()) return;
  TList list;
  CollectLinkedComponents(&list);
  for (int i = 0; i < FakeComponentLinkCount; ++i)
    SetFakeLink(i, i < list.Count() ? static_cast<TComponent*>(list.Items(i)) : nullptr);
}

// The links are watched so that a linked component that goes away leaves no dangling entry.
void TcxComponent::SetFakeLink(int Index, TComponent* Value) {
  TComponent*& link = FFakeLinks[Index];
  if (link == Value) return;
  TComponent* old = link;
  link = Value;
  if (old && old != this) {
    bool stillLinked = false;
    for (TComponent* c : FFakeLinks) stillLinked = stillLinked || c == old;
    if (!stillLinked) RemoveFreeNotification(old);
  }
  if (Value && Value != this) FreeNotification(Value);
}

void TcxComponent::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove)
    for (TComponent*& link : FFakeLinks)
      if (link == AComponent) link = nullptr;
}

void TcxFreeNotificator::WatchComponent(TComponent* Component) {
  if (Component) Component->FreeNotification(this);
}

void TcxFreeNotificator::UnwatchComponent(TComponent* Component) {
  if (Component) Component->RemoveFreeNotification(this);
}

void TcxFreeNotificator::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && OnFreeNotification) OnFreeNotification(AComponent);
}
