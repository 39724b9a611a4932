#include "ui/controls/ControlChildComponent.h"

#include "ui/controls/Control.h"

TcxControlChildComponent::TcxControlChildComponent(TComponent* AOwner) : TcxComponent(AOwner) { Initialize(); }

TcxControlChildComponent* TcxControlChildComponent::CreateForControl(TcxControl* AControl, bool AssignOwner) {
  auto* c = new TcxControlChildComponent(AssignOwner && AControl ? AControl->Owner() : nullptr);
  c->SetControl(AControl);
  return c;
}

TcxControlChildComponent::~TcxControlChildComponent() {
  if (FControl) FControl->DetachChildComponent(this);
}

TComponent* TcxControlChildComponent::GetParentComponent() { return FControl; }

void TcxControlChildComponent::SetParentComponent(TComponent* Value) {
  if (auto* control = dynamic_cast<TcxControl*>(Value)) control->AttachChildComponent(this);
}

void ControlChildComponentStartup() {
  static const bool done = [] {
    StartClassGroup(TControl::StaticClass());
    GroupDescendentsWith(TcxControlChildComponent::StaticClass(), TControl::StaticClass());
    return true;
  }();
  (void)done;
}
