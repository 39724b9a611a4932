#include "ui/controls/FilterEditHelpers.h"

#include "ui/controls/CustomEdit.h"
#include "ui/controls/EditProperties.h"

namespace {

TcxFilterEditsController* gFilterEditsController = nullptr;

// Codes 1 to 10, and 1 to 14 for the extended set.
constexpr TcxFilterOperatorSet kBaseOperators = 2046;
constexpr TcxFilterOperatorSet kExtendedOperators = 32766;
// The two operators that only compare text.
constexpr TcxFilterOperatorSet kTextOnlyOperators = 384;

}  // namespace

// ---- TcxCustomFilterEditHelper -----------------------------------------------------------------------

void TcxCustomFilterEditHelper::ClearPropertiesEvents(TcxCustomEditProperties* Properties) const {
  if (!Properties) return;
  Properties->OnButtonClick = nullptr;
  Properties->OnChange = nullptr;
  Properties->OnEditValueChanged = nullptr;
  Properties->OnValidate = nullptr;
}

void TcxCustomFilterEditHelper::InitializeFromEdit(TcxCustomEdit* Edit,
                                                   TcxCustomEditProperties* SourceProperties) const {
  PrepareFilterProperties(Edit->ActiveProperties(), SourceProperties, KeepsEditButtons());
}

bool TcxCustomFilterEditHelper::KeepsDefaultValuesProvider(TcxCustomEditProperties*) const { return true; }

void TcxCustomFilterEditHelper::ReadFilterValue(TcxCustomEdit* Edit, TcxCustomEditProperties* Properties,
                                                Variant& Value, String& DisplayText) const {
  Value = Edit->EditValue();
  // Text stays UTF-8 here: the filter layer shows it as it is.
  DisplayText = Properties->ValueDisplayText(Value);
}

TcxFilterOperatorSet TcxCustomFilterEditHelper::SupportedFilterOperators(TcxCustomEditProperties*,
                                                                         TcxValueTypeClass ValueTypeClass,
                                                                         bool Extended) const {
  TcxFilterOperatorSet result = Extended ? kExtendedOperators : kBaseOperators;
  if (ValueTypeClass && ValueTypeClass->IsStringType()) return result;
  return result & ~kTextOnlyOperators;
}

void TcxCustomFilterEditHelper::PrepareFilterProperties(TcxCustomEditProperties* Properties,
                                                        TcxCustomEditProperties* SourceProperties,
                                                        bool KeepButtons) const {
  Properties->Assign(SourceProperties);
  Properties->Alignment()->SetHorz(taLeftJustify);
  Properties->Alignment()->SetVert(taTopJustify);
  Properties->SetBeepOnError(false);
  if (!KeepButtons) Properties->Buttons()->Clear();
  Properties->SetReadOnly(false);
  Properties->SetValidateOnEnter(true);
  if (!KeepsDefaultValuesProvider(SourceProperties)) Properties->AttachDefaultValuesProvider(nullptr);
  ClearPropertiesEvents(Properties);
}

bool TcxCustomFilterEditHelper::AcceptsValueForType(TcxValueTypeClass ValueTypeClass, Variant& Value) const {
  return ValueTypeClass->AcceptsValue(Value);
}

// ---- TcxFilterEditsController ------------------------------------------------------------------------

TClass TcxFilterEditsController::KeyClassOf(TClass PropertiesClass) {
  return PropertiesClass ? PropertiesClass->ClassParent() : nullptr;
}

void TcxFilterEditsController::AddHelper(TClass PropertiesClass, TcxCustomFilterEditHelperClass HelperClass) {
  TClass helper = HelperClass->ClassType();
  FHelpers[helper] = HelperClass;
  InsertPair(KeyClassOf(PropertiesClass), helper);
}

void TcxFilterEditsController::RemoveHelper(TClass PropertiesClass, TcxCustomFilterEditHelperClass HelperClass) {
  DropPairs(KeyClassOf(PropertiesClass), HelperClass->ClassType());
  if (EntryCount() != 0) return;
  if (gFilterEditsController == this) gFilterEditsController = nullptr;
  delete this;
}

TcxCustomFilterEditHelperClass TcxFilterEditsController::FindHelper(TClass PropertiesClass) {
  TClass helper = LookupRegisteredClass(PropertiesClass);
  if (!helper) return nullptr;
  auto found = FHelpers.find(helper);
  return found == FHelpers.end() ? nullptr : found->second;
}

TcxFilterEditsController* FilterEditsControllerInstance() {
  if (!gFilterEditsController) gFilterEditsController = new TcxFilterEditsController();
  return gFilterEditsController;
}

bool FilterEditsControllerExists() { return gFilterEditsController != nullptr; }
