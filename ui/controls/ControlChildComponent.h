#pragma once
// A component that belongs to a library control: its parent component is that control, and it is
// attached to and detached from it as a child.
#include "ui/foundation/Component.h"

class TcxControl;

class TcxControlChildComponent : public TcxComponent {
  VW_CLASS(TcxControlChildComponent, TcxComponent)
 public:
  explicit TcxControlChildComponent(TComponent* AOwner);
  // Owned by the control's owner when AssignOwner, else by nobody; then attached to the control.
  static TcxControlChildComponent* CreateForControl(TcxControl* AControl, bool AssignOwner = true);
  ~TcxControlChildComponent() override;

  TcxControl* Control() const { return FControl; }
  virtual bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
  virtual void SetControl(TcxControl* Value) { FControl = Value; }

  TComponent* GetParentComponent() override;
  bool HasParent() override { return FControl != nullptr; }
  void SetParentComponent(TComponent* Value) override;

 protected:
  // Runs at the end of construction.
  virtual void Initialize() {}

 private:
  TcxControl* FControl = nullptr;
};

// Groups the class with the controls for the class registration.
void ControlChildComponentStartup();
