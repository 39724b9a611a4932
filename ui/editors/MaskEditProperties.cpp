#include "ui/editors/MaskEditProperties.h"

#include "platform/classes/Utf8.h"
#include "ui/controls/CustomEdit.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/controls/VariantRoutines.h"
#include "ui/editors/MaskEdit.h"
#include "ui/foundation/ScopeGuards.h"

TcxCustomMaskEditProperties::TcxCustomMaskEditProperties(TPersistent* AOwner)
    : TcxCustomMaskEditProperties(AOwner, TcxCustomEditPropertiesClasses{
                                              EditButtonsClassOf<TcxEditButtons>(),
                                              EditPropertiesValuesClassOf<TcxTextEditPropertiesValues>()}) {}

TcxCustomMaskEditProperties::TcxCustomMaskEditProperties(TPersistent* AOwner,
                                                         const TcxCustomEditPropertiesClasses& Classes)
    : TcxCustomTextEditProperties(AOwner, Classes) {
  Construct();
}

void TcxCustomMaskEditProperties::Construct() {
  FCaseInsensitive = true;
  FMaskKind = emkStandard;
  SetValidateOnEnter(true);
}

TcxCustomMaskEditProperties::~TcxCustomMaskEditProperties() = default;

bool TcxCustomMaskEditProperties::IsMaskBlank(const String& Text) {
  for (Utf8Reader r(Text); !r.AtEnd();)
    if (!IsBlankChar(r.Next())) return false;
  return true;
}

String TcxCustomMaskEditProperties::EditMask() {
  if (FMaskKind == emkStandard && IsMaskBlank(FEditMask)) {
    IcxEditDefaultValuesProvider* provider = DefaultValuesProvider();
    return provider ? provider->DefaultEditMask() : String();
  }
  return FEditMask;
}

void TcxCustomMaskEditProperties::SetEditMask(const String& Value) {
  if (Value == EditMask()) {
    FEditMask = Value;
    return;
  }
  // Compiled before it is stored: a faulty mask raises here and the old one stays.
  CreateMode()->SetMaskText(Value);
  FEditMask = Value;
  SignalChanged();
}

void TcxCustomMaskEditProperties::SetMaskKind(TcxEditMaskKind Value) {
  if (FMaskKind == Value) return;
  FMaskKind = Value;
  SignalChanged();
}

void TcxCustomMaskEditProperties::SetCaseInsensitive(bool Value) {
  FCaseInsensitive = CharCase() != ecNormal || Value;
  SignalChanged();
}

void TcxCustomMaskEditProperties::SetCharCase(TEditCharCase Value) {
  if (Value == ecUpperCase || Value == ecLowerCase) FCaseInsensitive = true;
  TcxCustomTextEditProperties::SetCharCase(Value);
}

void TcxCustomMaskEditProperties::SetAlwaysShowBlanksAndLiterals(bool Value) {
  if (FAlwaysShowBlanksAndLiterals == Value) return;
  FAlwaysShowBlanksAndLiterals = Value;
  SignalChanged();
}

void TcxCustomMaskEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomMaskEditProperties*>(Source);
  if (!source || source == this) {
    TcxCustomTextEditProperties::Assign(Source);
    return;
  }
  TcxEditPropertiesUpdate update(this);
  TcxCustomTextEditProperties::Assign(Source);
  // The kind before the mask: the mask is compiled by a mode of the kind it is written for.
  SetMaskKind(source->MaskKind());
  SetEditMask(source->EditMask());
  SetCaseInsensitive(source->CaseInsensitive());
  FIgnoreMaskBlank = source->FIgnoreMaskBlank;
  SetAlwaysShowBlanksAndLiterals(source->AlwaysShowBlanksAndLiterals());
}

TcxMaskEditCustomModeClass TcxCustomMaskEditProperties::MaskModeClass(TcxEditMaskKind Kind) {
  switch (Kind) {
    case emkStandard: return MaskEditModeClass<TcxMaskEditStandardMode>();
    case emkRegExpr: return MaskEditModeClass<TcxMaskEditRegExprMode>();
    default: return MaskEditModeClass<TcxMaskEditRegExprExMode>();
  }
}

std::unique_ptr<TcxMaskEditCustomMode> TcxCustomMaskEditProperties::CreateMode() {
  return std::unique_ptr<TcxMaskEditCustomMode>(MaskModeClass(FMaskKind)->Construct(nullptr, this));
}

std::unique_ptr<TcxMaskEditCustomMode> TcxCustomMaskEditProperties::CreateCompiledMode() {
  if (!HasMask()) return nullptr;
  std::unique_ptr<TcxMaskEditCustomMode> mode = CreateMode();
  mode->SetMaskText(EditMask());
  return mode;
}

// ---- overrides ----------------------------------------------------------------------------------------

void TcxCustomMaskEditProperties::NotifyPropertiesChanged() {
  // Whatever changed may be the mask, its kind or the case: the conversion mode is made again.
  FTemporaryMode.reset();
  TcxCustomTextEditProperties::NotifyPropertiesChanged();
}

int TcxCustomMaskEditProperties::SupportsDisplayFormat() {
  return HasMask() ? 0 : TcxCustomTextEditProperties::SupportsDisplayFormat();
}

TClass TcxCustomMaskEditProperties::EditClass() { return TcxMaskEdit::StaticClass(); }

int TcxCustomMaskEditProperties::SupportedOperations() {
  int result = TcxCustomTextEditProperties::SupportedOperations();
  if (!EditMask().empty()) result &= ~esoAutoWidth;
  return result;
}

bool TcxCustomMaskEditProperties::IsEditValueValid(const Variant& Value) {
  return HasMask() || TcxCustomTextEditProperties::IsEditValueValid(Value);
}

bool TcxCustomMaskEditProperties::UsesLookupItems() {
  return !HasMask() && TcxCustomTextEditProperties::UsesLookupItems();
}

void TcxCustomMaskEditProperties::MaxLengthChanged() {
  if (!HasMask() || FMaxLengthGuard) {
    TcxCustomTextEditProperties::MaxLengthChanged();
    return;
  }
  TcxFlagScope guard(FMaxLengthGuard, true);
  TcxEditPropertiesUpdate update(this);
  SetMaxLength(0);
}

void TcxCustomMaskEditProperties::ConvertToEditValue(const Variant& Value, Variant& DisplayValue, bool EditingForm) {
  IcxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  if (!HasMask() || (!EditingForm && provider && provider->IsDisplayFormatDefined(true))) {
    TcxCustomTextEditProperties::ConvertToEditValue(Value, DisplayValue, EditingForm);
    return;
  }
  String text = VarToStr(Value);
  TcxMaskEditCustomModeClass wanted = MaskModeClass(FMaskKind);
  if (!FTemporaryMode || FTemporaryMode->ClassType() != wanted->Class || FTemporaryMode->MaskText() != EditMask())
    FTemporaryMode = CreateCompiledMode();
  if (!FTemporaryMode) return;
  if (EditingForm || FTemporaryMode->MaskKind() != emkStandard)
    DisplayValue = FTemporaryMode->FormatText(text, false);
  else if (FAlwaysShowBlanksAndLiterals)
    DisplayValue = FTemporaryMode->FormatText(text, false);
  else
    DisplayValue = FTemporaryMode->ValueFromText(text, false);
}

void TcxCustomMaskEditProperties::ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, TcxCustomEdit* Edit,
                                                       bool& Error) {
  if (!Error && HasMask())
    if (auto* edit = dynamic_cast<TcxCustomMaskEdit*>(Edit); edit && edit->Mode()) {
      Error = !edit->Mode()->IsTextValid(VarToStr(DisplayValue));
      if (Error) ErrorText = GetLocalizedResString(cxLibraryStrings::scxMaskEditInvalidEditValue);
    }
  TcxCustomTextEditProperties::ValidateDisplayValue(DisplayValue, ErrorText, Edit, Error);
}

// ---- TcxMaskEditProperties ----------------------------------------------------------------------------

void TcxMaskEditProperties::DeclareProperties(TPropTable& t) {
  using P = TcxMaskEditProperties;
  t.Add("Alignment", &P::Alignment, &P::SetAlignment).Stored(&P::IsAlignmentStored);
  t.Add("AlwaysShowBlanksAndLiterals", &P::AlwaysShowBlanksAndLiterals, &P::SetAlwaysShowBlanksAndLiterals)
      .SetDefault(false);
  t.Add("AssignedValues", &P::TextAssignedValues, &P::SetTextAssignedValues);
  t.Add("AutoSelect", &P::AutoSelect, &P::SetAutoSelect).SetDefault(true);
  t.Add("BeepOnError", &P::BeepOnError, &P::SetBeepOnError).SetDefault(false);
  t.Add("CaseInsensitive", &P::CaseInsensitive, &P::SetCaseInsensitive).SetDefault(true);
  t.Add("CharCase", &P::CharCase, &P::SetCharCase).SetDefault(ecNormal);
  t.Add("ClearKey", &P::ClearKey, &P::SetClearKey).SetDefault(0);
  t.Add("EchoMode", &P::EchoMode, &P::SetEchoMode).SetDefault(eemNormal);
  t.Add("HideSelection", &P::HideSelection, &P::SetHideSelection).SetDefault(true);
  t.Add("IgnoreMaskBlank", &P::IgnoreMaskBlank, &P::SetIgnoreMaskBlank).SetDefault(false);
  t.Add("ImeMode", &P::ImeMode, &P::SetImeMode).SetDefault(imDontCare);
  t.Add("ImeName", &P::ImeName, &P::SetImeName);
  t.Add("IncrementalSearch", &P::IncrementalSearch, &P::SetIncrementalSearch).SetDefault(true);
  t.Add("LookupItems", &P::LookupItems, &P::SetLookupItems);
  t.Add("LookupItemsSorted", &P::LookupItemsSorted, &P::SetLookupItemsSorted).SetDefault(false);
  t.Add("MaskKind", &P::MaskKind, &P::SetMaskKind).SetDefault(emkStandard);
  t.Add("EditMask", &P::EditMask, &P::SetEditMask);
  t.Add("MaxLength", &P::MaxLength, &P::SetMaxLength).NoDefault().Stored(&P::MaxLengthStored);
  t.Add("OEMConvert", &P::OEMConvert, &P::SetOEMConvert).SetDefault(false);
  t.Add("PasswordChar", &P::PasswordChar, &P::SetPasswordChar).SetDefault(0);
  t.Add("ReadOnly", &P::ReadOnly, &P::SetReadOnly).NoDefault().Stored(&P::IsReadOnlyStored);
  t.Add("UseLeftAlignmentOnEditing", &P::UseLeftAlignmentOnEditing, &P::SetUseLeftAlignmentOnEditing)
      .NoDefault()
      .Stored(&P::IsUseLeftAlignmentOnEditingStored);
  t.Add("ValidateOnEnter", &P::ValidateOnEnter, &P::SetValidateOnEnter).SetDefault(true);
  t.Add("OnChange", &P::OnChange);
  t.Add("OnEditValueChanged", &P::OnEditValueChanged);
  t.Add("OnNewLookupDisplayText", &P::OnNewLookupDisplayText);
  t.Add("OnValidate", &P::OnValidate);
}
