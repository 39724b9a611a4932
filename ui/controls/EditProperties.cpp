#include "ui/controls/EditProperties.h"

#include <algorithm>

#include "ui/controls/CustomEdit.h"
#include "ui/controls/EditStyle.h"
#include "ui/controls/EditViewData.h"
#include "ui/controls/EditViewInfo.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/controls/VariantRoutines.h"

const TResStringRec scxSEditRepositoryLabelItem{"Label|Represents a Label"};
const TResStringRec scxSEditRepositoryTrackBarItem{"TrackBar|Represents a TrackBar"};
const TResStringRec scxSEditRepositoryColorComboBoxItem{"ColorComboBox |Represents a editor with color functionality"};
const TResStringRec scxSEditRepositoryFontNameComboBoxItem{
    "FontNameComboBox |Represents a editor with font functionality"};

namespace {

std::vector<TcxCustomEditProperties*>* gAllProperties = nullptr;
TcxRegisteredClasses* gPropertiesRegistry = nullptr;

// Restores a counter on every way out of a scope.
class TNesting {
 public:
  explicit TNesting(int& Counter) : FCounter(Counter) { ++FCounter; }
  ~TNesting() { --FCounter; }
  TNesting(const TNesting&) = delete;
  TNesting& operator=(const TNesting&) = delete;

 private:
  int& FCounter;
};

}  // namespace

// ---- TcxEditAlignment -------------------------------------------------------------------------------

void TcxEditAlignment::DeclareProperties(TPropTable& t) {
  t.Add("Horz", &TcxEditAlignment::Horz, &TcxEditAlignment::SetHorz).Stored(&TcxEditAlignment::HorzStored);
  t.Add("Vert", &TcxEditAlignment::Vert, &TcxEditAlignment::SetVert).SetDefault(taTopJustify);
}

TPersistent* TcxEditAlignment::GetOwner() { return FOwner; }

void TcxEditAlignment::DoChanged() {
  if (OnChanged) OnChanged(this);
}

void TcxEditAlignment::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxEditAlignment*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  FVert = source->FVert;
  FHorz = source->FHorz;
  FIsHorzAssigned = source->FIsHorzAssigned;
  DoChanged();
}

void TcxEditAlignment::RestoreDefaults() {
  FIsHorzAssigned = false;
  DoChanged();
}

void TcxEditAlignment::SetHorz(TAlignment Value) {
  if (FIsHorzAssigned && FHorz == Value) return;
  FHorz = Value;
  FIsHorzAssigned = true;
  DoChanged();
}

void TcxEditAlignment::SetVert(TcxEditVertAlignment Value) {
  if (FVert == Value) return;
  FVert = Value;
  DoChanged();
}

// ---- TcxCustomEditPropertiesValues ------------------------------------------------------------------

void TcxCustomEditPropertiesValues::DeclareProperties(TPropTable& t) {
  t.Add("ReadOnly", &TcxCustomEditPropertiesValues::ReadOnly, &TcxCustomEditPropertiesValues::SetReadOnly)
      .NoDefault();
}

TPersistent* TcxCustomEditPropertiesValues::GetOwner() { return FOwner; }
void TcxCustomEditPropertiesValues::BeginOwnerUpdate() { FOwner->LockUpdate(); }
void TcxCustomEditPropertiesValues::EndOwnerUpdate() { FOwner->UnlockUpdate(true); }
void TcxCustomEditPropertiesValues::OwnerChanged() { FOwner->SignalChanged(); }
bool TcxCustomEditPropertiesValues::OwnerHasProperty(const String& Name) const { return IsPublishedProp(FOwner, Name); }

void TcxCustomEditPropertiesValues::SetFlag(bool& Flag, bool Value) {
  if (Flag == Value) return;
  Flag = Value;
  OwnerChanged();
}

void TcxCustomEditPropertiesValues::ClearAssignedFlags() {
  TcxEditPropertiesUpdate update(FOwner);
  SetMaxValue(false);
  SetMinValue(false);
  SetReadOnly(false);
}

void TcxCustomEditPropertiesValues::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomEditPropertiesValues*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  TcxEditPropertiesUpdate update(FOwner);
  SetMaxValue(source->FMaxValue);
  SetMinValue(source->FMinValue);
  SetReadOnly(source->FReadOnly);
}

// ---- TcxCustomEditDefaultValuesProvider -------------------------------------------------------------

TcxCustomEditDefaultValuesProvider::~TcxCustomEditDefaultValuesProvider() { DetachFromProperties(); }

void TcxCustomEditDefaultValuesProvider::DetachFromProperties() {
  if (!gAllProperties) return;
  // A properties object is never freed by dropping its provider, so the list holds still.
  for (TcxCustomEditProperties* properties : *gAllProperties) {
    IcxEditDefaultValuesProvider* provider = properties->DefaultValuesProvider();
    if (provider && provider->ImplementingObject() == this) properties->ClearDefaultValuesProvider();
  }
}

// ---- TcxCustomEditProperties ------------------------------------------------------------------------

TcxCustomEditProperties::TcxCustomEditProperties(TPersistent* AOwner)
    : TcxCustomEditProperties(AOwner, TcxCustomEditPropertiesClasses{
                                          EditButtonsClassOf<TcxEditButtons>(),
                                          EditPropertiesValuesClassOf<TcxCustomEditPropertiesValues>()}) {}

TcxCustomEditProperties::TcxCustomEditProperties(TPersistent* AOwner, const TcxCustomEditPropertiesClasses& Classes)
    : TcxInterfacedPersistent(AOwner), FClasses(Classes) {
  Construct(Classes);
}

void TcxCustomEditProperties::Construct(const TcxCustomEditPropertiesClasses& Classes) {
  if (gAllProperties) gAllProperties->push_back(this);
  FFreeNotificator = std::make_unique<TcxFreeNotificator>(nullptr);
  FFreeNotificator->OnFreeNotification = [this](TComponent* AComponent) { ComponentFreed(AComponent); };
  FAlignment = std::make_unique<TcxEditAlignment>(this);
  FAlignment->OnChanged = [this](TObject* Sender) { AlignmentChanged(Sender); };
  FAssignedValues.reset(Classes.AssignedValuesClass(this));
  FButtons.reset(Classes.ButtonsClass(this));
  FButtons->OnChange = [this](TObject* Sender) { ButtonsChanged(Sender); };
  FUseLeftAlignmentOnEditing = DefaultUseLeftAlignmentOnEditing();
  FInnerAlignment = std::make_unique<TcxEditAlignment>(this);
}

TcxCustomEditProperties::~TcxCustomEditProperties() {
  FProvider = nullptr;
  FButtons->OnChange = nullptr;
  FButtons.reset();
  FInnerAlignment.reset();
  FAssignedValues.reset();
  FAlignment->OnChanged = nullptr;
  FAlignment.reset();
  FFreeNotificator->OnFreeNotification = nullptr;
  FFreeNotificator.reset();
  if (gAllProperties) std::erase(*gAllProperties, this);
}

const std::vector<TcxCustomEditProperties*>& TcxCustomEditProperties::AllProperties() {
  static const std::vector<TcxCustomEditProperties*> none;
  return gAllProperties ? *gAllProperties : none;
}

void TcxCustomEditProperties::AssignFrom(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomEditProperties*>(Source);
  if (!source) {
    TcxInterfacedPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  TcxEditPropertiesUpdate update(this);
  SetAutoSelect(source->AutoSelect());
  FButtons->Assign(source->Buttons());
  SetButtonsViewStyle(source->ButtonsViewStyle());
  FBeepOnError = source->FBeepOnError;
  FClearKey = source->FClearKey;
  FClickKey = source->FClickKey;
  FUseLeftAlignmentOnEditing = source->FUseLeftAlignmentOnEditing;
  FProvider = source->FProvider;
  SetAlignment(source->Alignment());

  FAssignedValues->SetMaxValue(false);
  if (source->AssignedValues()->MaxValue()) SetMaxValue(source->MaxValue());
  FAssignedValues->SetMinValue(false);
  if (source->AssignedValues()->MinValue()) SetMinValue(source->MinValue());
  FAssignedValues->SetReadOnly(false);
  if (source->AssignedValues()->ReadOnly()) SetReadOnly(source->ReadOnly());

  FImmediatePost = source->FImmediatePost;
  SetTransparent(source->Transparent());
  FUseMouseWheel = source->FUseMouseWheel;
  FValidateOnEnter = source->FValidateOnEnter;
  OnButtonClick = source->OnButtonClick;
  OnChange = source->OnChange;
  OnEditValueChanged = source->OnEditValueChanged;
  OnValidate = source->OnValidate;
}

// ---- change signalling ------------------------------------------------------------------------------

void TcxCustomEditProperties::LockUpdate() {
  if (FUpdateCount == 0) FChangePending = false;
  ++FUpdateCount;
}

void TcxCustomEditProperties::UnlockUpdate(bool Notify) {
  if (FUpdateCount <= 0) return;
  --FUpdateCount;
  if (FUpdateCount == 0 && Notify && FChangePending) SignalChanged();
}

void TcxCustomEditProperties::SignalChanged() {
  auto* owner = dynamic_cast<TComponent*>(Owner());
  if (!IsChangeLocked() && !(owner && owner->ComponentState().Contains(csDestroying))) {
    // Whatever was pending is told now.
    FChangePending = false;
    NotifyPropertiesChanged();
  } else {
    FChangePending = true;
  }
}

void TcxCustomEditProperties::NotifyPropertiesChanged() {
  if (!OnPropertiesChanged) return;
  TNesting nesting(FNotificationNesting);
  OnPropertiesChanged(this);
}

// ---- the provider -----------------------------------------------------------------------------------

void TcxCustomEditProperties::AttachDefaultValuesProvider(IcxEditDefaultValuesProvider* Provider) {
  FProvider = Provider;
  if (dynamic_cast<TcxCustomEdit*>(Owner())) SignalChanged();
}

void TcxCustomEditProperties::ClearDefaultValuesProvider() { FProvider = nullptr; }

bool TcxCustomEditProperties::AllowsEditing() {
  if (FAssignedValues->ReadOnly()) return !FReadOnly;
  if (!ReadOnly() && FProvider) return FProvider->AllowsModification() && FProvider->CanEnterEditMode();
  return !ReadOnly();
}

bool TcxCustomEditProperties::UsesProviderDisplayFormat() {
  int flags = SupportsDisplayFormat();
  return (flags & edfSupported) && EditValueSource(true) == 0 && EditValueSource(false) == 1 && FProvider &&
         FProvider->IsDisplayFormatDefined((flags & edfEditingFormat) == 0);
}

// ---- validation -------------------------------------------------------------------------------------

void TcxCustomEditProperties::RunValidateEvent(Variant& DisplayValue, String& ErrorText, bool& Changed,
                                               TcxCustomEdit* Edit, bool& Error) {
  Changed = false;
  if (!Edit || !Edit->HasValidateHandler()) return;
  Variant before = DisplayValue;
  Edit->FireValidate(DisplayValue, ErrorText, Error);
  if (!Error) return;
  Changed = VarToStr(DisplayValue) != VarToStr(before);
  if (!Changed) DisplayValue = Edit->CurrentDisplayText();
}

void TcxCustomEditProperties::ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, TcxCustomEdit* Edit,
                                                   bool& Error) {
  if (!CanValidate()) return;
  if (ErrorText.empty()) ErrorText = ValidationErrorText(0);
  bool changed = false;
  RunValidateEvent(DisplayValue, ErrorText, changed, Edit, Error);
}

// ---- values -----------------------------------------------------------------------------------------

TcxEditAlignment* TcxCustomEditProperties::Alignment() {
  FAlignment->OnChanged = nullptr;
  FAlignment->Assign(FInnerAlignment.get());
  TComponent* component = OwningComponentOf(this);
  bool writing = component && component->ComponentState().Contains(csWriting);
  if (!(FInnerAlignment->IsStored() && writing)) {
    // The default is shown, not chosen: Horz stays unassigned and unstored.
    if (!FInnerAlignment->IsHorzAssigned()) FAlignment->ShowHorz(DefaultHorzAlignment());
  }
  FAlignment->OnChanged = [this](TObject* Sender) { AlignmentChanged(Sender); };
  return FAlignment.get();
}

void TcxCustomEditProperties::AlignmentChanged(TObject*) {
  FInnerAlignment->Assign(FAlignment.get());
  SignalChanged();
}

void TcxCustomEditProperties::SetAlignment(TcxEditAlignment* Value) {
  FInnerAlignment->Assign(Value);
  SignalChanged();
}

void TcxCustomEditProperties::SetAutoSelect(bool Value) {
  if (FAutoSelect == Value) return;
  FAutoSelect = Value;
  SignalChanged();
}

void TcxCustomEditProperties::SetButtonsViewStyle(int Value) {
  if (FButtonsViewStyle == Value) return;
  FButtonsViewStyle = Value;
  SignalChanged();
}

void TcxCustomEditProperties::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  SignalChanged();
}

void TcxCustomEditProperties::SetUseLeftAlignmentOnEditing(bool Value) {
  if (FUseLeftAlignmentOnEditing == Value) return;
  FUseLeftAlignmentOnEditing = Value;
  SignalChanged();
}

double TcxCustomEditProperties::MaxValue() {
  if (FAssignedValues->MaxValue()) return FMaxValue;
  return FProvider ? FProvider->DefaultMaxValue() : 0.0;
}

void TcxCustomEditProperties::SetMaxValue(double Value) {
  if (FAssignedValues->MaxValue() && FMaxValue == Value) return;
  FAssignedValues->FMaxValue = true;
  FMaxValue = Value;
  SignalChanged();
}

double TcxCustomEditProperties::MinValue() {
  if (FAssignedValues->MinValue()) return FMinValue;
  return FProvider ? FProvider->DefaultMinValue() : 0.0;
}

void TcxCustomEditProperties::SetMinValue(double Value) {
  if (FAssignedValues->MinValue() && FMinValue == Value) return;
  FAssignedValues->FMinValue = true;
  FMinValue = Value;
  SignalChanged();
}

bool TcxCustomEditProperties::ReadOnly() {
  if (FAssignedValues->ReadOnly()) return FReadOnly;
  return FProvider ? FProvider->DefaultReadOnly() : false;
}

void TcxCustomEditProperties::SetReadOnly(bool Value) {
  if (FAssignedValues->ReadOnly() && FReadOnly == Value) return;
  FAssignedValues->FReadOnly = true;
  FReadOnly = Value;
  SignalChanged();
}

// ---- virtual operations -----------------------------------------------------------------------------

void TcxCustomEditProperties::ButtonsChanged(TObject*) { SignalChanged(); }
bool TcxCustomEditProperties::CanValidate() { return false; }
bool TcxCustomEditProperties::DefaultUseLeftAlignmentOnEditing() { return true; }
void TcxCustomEditProperties::ComponentFreed(TComponent*) {}
TcxCustomEditPropertiesValuesClass TcxCustomEditProperties::AssignedValuesClass() { return FClasses.AssignedValuesClass; }

TAlignment TcxCustomEditProperties::DefaultHorzAlignment() {
  return FProvider ? FProvider->DefaultAlignment() : FAlignment->Horz();
}

int TcxCustomEditProperties::SupportsDisplayFormat() { return 0; }

String TcxCustomEditProperties::ValidationErrorText(int) { return GetLocalizedResString(cxLibraryStrings::cxSEditValidateErrorText); }

bool TcxCustomEditProperties::IsDisplayFormatDefined(bool AIsEditing) {
  int flags = SupportsDisplayFormat();
  if (AIsEditing || !(flags & edfSupported) || !FProvider) return false;
  return FProvider->IsDisplayFormatDefined((flags & edfEditingFormat) == 0);
}

TcxCustomEditViewDataClass TcxCustomEditProperties::ViewDataClass() { return EditViewDataClassOf<TcxCustomEditViewData>(); }
bool TcxCustomEditProperties::HasTextChangeEvents() { return false; }
bool TcxCustomEditProperties::WantsTabs() { return false; }
bool TcxCustomEditProperties::EditingFormNeedsFocus() { return true; }
bool TcxCustomEditProperties::CanCompareEditValues() { return false; }
TcxEditButtonsClass TcxCustomEditProperties::ButtonsClass() { return FClasses.ButtonsClass; }
TClass TcxCustomEditProperties::EditClass() { return TcxCustomEdit::StaticClass(); }
TcxContainerStyleClass TcxCustomEditProperties::StyleClass() { return ContainerStyleClassOf<TcxEditStyle>(); }
TcxContainerViewInfoClass TcxCustomEditProperties::ViewInfoClass() {
  return ContainerViewInfoClassOf<TcxCustomEditViewInfo>();
}
void TcxCustomEditProperties::AssignItemsFrom(TcxCustomEditProperties*) {}

bool TcxCustomEditProperties::EditValuesEqual(const Variant& V1, const Variant& V2) {
  Variant e1, e2;
  ConvertToEditValue(V1, e1, false);
  ConvertToEditValue(V2, e2, false);
  return VariantsEqual(e1, e2);
}

TcxCustomEditProperties* TcxCustomEditProperties::CreatePreviewProperties() {
  return static_cast<TcxCustomEditProperties*>(ClassType()->Create(nullptr));
}

TcxCustomEditViewData* TcxCustomEditProperties::CreateViewData(TcxCustomEditStyle* AStyle, bool AIsInplace,
                                                               bool APreview) {
  TcxCustomEditViewData* viewData = ViewDataClass()(this, AStyle, AIsInplace);
  viewData->PreviewMode = APreview;
  return viewData;
}

String TcxCustomEditProperties::ValueDisplayText(const Variant&) { return String(); }
int TcxCustomEditProperties::SpecialFeatureFlags() { return 0; }
int TcxCustomEditProperties::SupportedOperations() { return FButtons->Count() > 0 ? esoHasButtons : 0; }
bool TcxCustomEditProperties::IsActivationChar(char32_t) { return false; }
bool TcxCustomEditProperties::IsEditValueValid(const Variant&) { return true; }
bool TcxCustomEditProperties::CanRevertEditValue() { return false; }

void TcxCustomEditProperties::ConvertToEditValue(const Variant& DisplayValue, Variant& EditValue, bool) {
  EditValue = DisplayValue;
}

void TcxCustomEditProperties::ResetToDefaults() {
  FInnerAlignment->RestoreDefaults();
  TcxEditPropertiesUpdate update(this);
  FAssignedValues->ClearAssignedFlags();
}

int TcxCustomEditProperties::EditValueSource(bool) { return 0; }

// ---- unit services ----------------------------------------------------------------------------------

TcxRegisteredClasses* EditPropertiesClassRegistry() {
  if (!gPropertiesRegistry) {
    gPropertiesRegistry = new TcxRegisteredClasses(false);
    gPropertiesRegistry->ApplySorted(true);
  }
  return gPropertiesRegistry;
}

void FreeEditPropertiesClassRegistry() {
  delete gPropertiesRegistry;
  gPropertiesRegistry = nullptr;
}

void CreateAllPropertiesList() {
  if (!gAllProperties) gAllProperties = new std::vector<TcxCustomEditProperties*>();
}

void FreeAllPropertiesList() {
  delete gAllProperties;
  gAllProperties = nullptr;
}

bool VarEqualsSameType(const Variant& V1, const Variant& V2) {
  return VarType(V1) == VarType(V2) && VarEqualsLoose(V1, V2);
}

TComponent* OwningComponentOf(TPersistent* APersistent) {
  for (TPersistent* p = APersistent; p; p = TPersistent::OwnerOf(p))
    if (auto* component = dynamic_cast<TComponent*>(p)) return component;
  return nullptr;
}

bool ReadEditorUnitFlag() { return false; }
