#pragma once
// How one kind of editor serves as the value editor of a filter condition: the editor class to
// make, how its properties are prepared from those of the data being filtered, how its value and
// text are read back, and which filter operators it offers for a value type.
//
// A helper is a class without data, used like a painter: each helper class has one immutable
// instance, and a helper "class" is a pointer to it. The registry maps an editor properties class
// to its helper along the inheritance line; every editor unit adds its pair at start-up and
// removes it at shutdown.
#include <cstdint>
#include <map>

#include "platform/classes/Variant.h"
#include "ui/controls/ValueTypes.h"
#include "ui/foundation/RegisteredClasses.h"

class TcxCustomEdit;
class TcxCustomEditProperties;

// Operator codes 0 to 39, code N in bit N. The editors use codes 1 to 14.
using TcxFilterOperatorSet = std::uint64_t;
inline constexpr TcxFilterOperatorSet FilterOperatorBit(int Code) { return TcxFilterOperatorSet{1} << Code; }

class TcxCustomFilterEditHelper;
// A helper "class": its one instance.
using TcxCustomFilterEditHelperClass = const TcxCustomFilterEditHelper*;

class TcxCustomFilterEditHelper : public TObject {
  VW_CLASS(TcxCustomFilterEditHelper, TObject)
 public:
  TcxCustomFilterEditHelper() = default;

  // ---- operations, in slot order ---------------------------------------------------------------------
  virtual void ClearPropertiesEvents(TcxCustomEditProperties* Properties) const;
  virtual void InitializeFromEdit(TcxCustomEdit* Edit, TcxCustomEditProperties* SourceProperties) const;
  virtual bool KeepsDefaultValuesProvider(TcxCustomEditProperties* SourceProperties) const;
  virtual bool KeepsEditButtons() const { return false; }
  // Null: no filter editor.
  virtual TClass FilterEditorClass() const { return nullptr; }
  virtual void ReadFilterValue(TcxCustomEdit* Edit, TcxCustomEditProperties* Properties, Variant& Value,
                               String& DisplayText) const;
  virtual TcxFilterOperatorSet SupportedFilterOperators(TcxCustomEditProperties* Properties,
                                                        TcxValueTypeClass ValueTypeClass, bool Extended) const;
  virtual void PrepareFilterProperties(TcxCustomEditProperties* Properties, TcxCustomEditProperties* SourceProperties,
                                       bool KeepButtons) const;
  virtual bool AcceptsValueForType(TcxValueTypeClass ValueTypeClass, Variant& Value) const;
  virtual void ApplyFilterValue(TcxCustomEdit*, TcxCustomEditProperties*, const Variant&) const {}
  virtual bool FiltersByDisplayValue() const { return false; }
};

template <class T>
TcxCustomFilterEditHelperClass FilterEditHelperClass() {
  static const T prototype;
  return &prototype;
}

// Pairs of (the parent class of a registered properties class, helper), in inheritance order: a
// registration for a properties class serves that class's siblings and descendants too.
class TcxFilterEditsController : public TcxRegisteredClassList {
  VW_CLASS(TcxFilterEditsController, TcxRegisteredClassList)
 public:
  TcxFilterEditsController() = default;

  virtual void AddHelper(TClass PropertiesClass, TcxCustomFilterEditHelperClass HelperClass);
  // Frees the registry when the last pair goes: touch nothing of it afterwards.
  virtual void RemoveHelper(TClass PropertiesClass, TcxCustomFilterEditHelperClass HelperClass);
  static TClass KeyClassOf(TClass PropertiesClass);
  // The helper of the nearest pair for the class or an ancestor of it, else null.
  TcxCustomFilterEditHelperClass FindHelper(TClass PropertiesClass);

 private:
  // The list holds metaclasses; the helpers behind them.
  std::map<TClass, TcxCustomFilterEditHelperClass> FHelpers;
};

// The registry, made on the first request (and again after it was freed).
TcxFilterEditsController* FilterEditsControllerInstance();
// Whether the registry exists now; for shutdown checks.
bool FilterEditsControllerExists();
