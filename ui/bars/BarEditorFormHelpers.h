#pragma once
// What the bar editor forms share: their stored children by name, and one-shot dialogs.
#include <memory>

#include "platform/classes/Component.h"

namespace dxBarEditorForms {

// The form's child components by their stored names.
template <class T>
void FindChild(TComponent* AForm, T*& AField, const char* AName) {
  AField = dynamic_cast<T*>(AForm->FindComponent(AName));
}

// A dialog made for one showing and freed afterwards, whatever way the showing ends.
template <class T>
std::unique_ptr<T, void (*)(T*)> MakeDialog() {
  return {static_cast<T*>(TComponent::Create(T::StaticClass(), nullptr)), [](T* p) { TObject::Free(p); }};
}

}  // namespace dxBarEditorForms
