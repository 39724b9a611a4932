#pragma once
// Where an editor keeps its value. The base binding binds the editor to nothing: the stored value
// is the editor's own EditValue, "modified" is the editor's own flag, and the defaults come from a
// provider the binding owns. Bindings to a data field derive from it and answer the same questions
// from the field.
//
// The edit data is what an in-place host keeps of an editor between two activations.
#include <functional>
#include <memory>

#include "platform/classes/Persistent.h"
#include "platform/classes/Variant.h"
#include "ui/controls/EditProperties.h"
#include "ui/foundation/Component.h"

class TcxCustomEdit;
class TBasicAction;

using TcxEditDefaultValuesProviderClass = std::function<TcxCustomEditDefaultValuesProvider*(TPersistent* AOwner)>;
template <class T>
TcxEditDefaultValuesProviderClass EditDefaultValuesProviderClassOf() {
  return [](TPersistent* AOwner) -> TcxCustomEditDefaultValuesProvider* { return new T(AOwner); };
}

class TcxEditDataBinding : public TPersistent {
  VW_CLASS(TcxEditDataBinding, TPersistent)
 public:
  // Stores the editor and makes the provider.
  explicit TcxEditDataBinding(TcxCustomEdit* AEdit);
  ~TcxEditDataBinding() override;

  TcxCustomEdit* Edit() const { return FEdit; }
  IcxEditDefaultValuesProvider* ProviderInterface() const { return FProvider.get(); }
  TcxCustomEditDefaultValuesProvider* DefaultValuesProvider() const { return FProvider.get(); }
  bool HasData() { return FProvider->IsDataAvailable(); }
  void SetDisplayValue(const Variant& Value) { WriteDisplayValue(Value); }
  void WriteDisplayValueTo(const Variant& Value) { WriteDisplayValue(Value); }

  // ---- virtual operations, in slot order -------------------------------------------------------------
  virtual void DefaultValuesChanged();
  virtual void ReadDisplayValue(Variant& Value);
  virtual bool InEditMode();
  virtual bool IsModified();
  virtual void ReadStoredValue(Variant& Value);
  virtual bool IsDataReadOnly();
  virtual bool AuxiliaryFlag() { return false; }
  virtual void RevertToData();
  virtual void WriteDisplayValue(const Variant& Value);
  virtual bool EnterEditMode();
  virtual void WriteStoredValue(const Variant&) {}
  virtual bool CanLeaveEditor();
  virtual bool DataAvailable() { return HasData(); }
  virtual bool CanPost() { return IsModified(); }
  virtual bool HandleAction(TBasicAction*) { return false; }
  virtual TcxEditDefaultValuesProviderClass DefaultValuesProviderClass();
  virtual void EditorValueChanged();
  virtual bool RefreshAction(TBasicAction*) { return false; }
  virtual void RefreshEditorDisplay();
  virtual void AfterLoad() {}

 protected:
  // Descendants name their provider class here: the constructor cannot ask the virtual one yet.
  TcxEditDataBinding(TcxCustomEdit* AEdit, const TcxEditDefaultValuesProviderClass& ProviderClass);
  TPersistent* GetOwner() override;

 private:
  TcxCustomEdit* FEdit;
  std::unique_ptr<TcxCustomEditDefaultValuesProvider> FProvider;
};

using TcxEditDataBindingClass = std::function<TcxEditDataBinding*(TcxCustomEdit* AEdit)>;
template <class T>
TcxEditDataBindingClass EditDataBindingClassOf() {
  return [](TcxCustomEdit* AEdit) -> TcxEditDataBinding* { return new T(AEdit); };
}

// An in-place host's memory of one editor. The editor may go first: the free notificator then makes
// the edit data forget it.
class TcxCustomEditData : public TObject {
  VW_CLASS(TcxCustomEditData, TObject)
 public:
  explicit TcxCustomEditData(TcxCustomEdit* AEdit);
  ~TcxCustomEditData() override;

  // Marks the object cleared; the editor (when there is one) may fill it again.
  void Clear();
  bool Cleared() const { return FCleared; }
  void SetCleared(bool Value) { FCleared = Value; }
  TcxCustomEdit* Edit() const { return FEdit; }

 private:
  void EditorFreed(TComponent* AComponent);

  bool FCleared = false;
  TcxCustomEdit* FEdit;
  std::unique_ptr<TcxFreeNotificator> FFreeNotificator;
};

using TcxCustomEditDataClass = std::function<TcxCustomEditData*(TcxCustomEdit* AEdit)>;
template <class T>
TcxCustomEditDataClass CustomEditDataClassOf() {
  return [](TcxCustomEdit* AEdit) -> TcxCustomEditData* { return new T(AEdit); };
}
