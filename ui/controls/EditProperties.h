#pragma once
// The settings of an editor: alignment, edit buttons, keys, read-only state, value bounds and the
// validation and change events. A properties object belongs to one editor or to a repository item
// that many editors share. Its class is also the editor family's class factory: it names the
// editor, view data, view info, style, buttons and assigned-values classes, so that a text, check,
// combo or spin editor is one properties class plus the classes it names.
//
// Changes are signalled to the owner (OnPropertiesChanged). A batch of changes is bracketed by
// LockUpdate / UnlockUpdate(true): the owner hears of it once, when the outermost bracket closes.
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/StdCtrls.h"
#include "platform/classes/Variant.h"
#include "ui/controls/ContainerStyle.h"
#include "ui/controls/ContainerViewInfo.h"
#include "ui/controls/EditButtons.h"
#include "ui/controls/EditError.h"
#include "ui/foundation/Component.h"
#include "ui/foundation/Interfaced.h"
#include "ui/foundation/RegisteredClasses.h"
#include "ui/foundation/ResourceStrings.h"

class TcxCustomEdit;
class TcxCustomEditProperties;
class TcxCustomEditStyle;
class TcxCustomEditViewData;

VW_ENUM(TcxEditVertAlignment, taTopJustify, taBottomJustify, taVCenter)

using TcxEditValidateEvent =
    std::function<void(TObject* Sender, Variant& DisplayValue, String& ErrorText, bool& Error)>;
using TcxEditButtonClickEvent = std::function<void(TObject* Sender, int AButtonIndex)>;
using TcxEditEditingEvent = std::function<void(TObject* Sender, bool& CanEdit)>;
// Why a drop-down editor's popup closed; the drop-down editors give the values their meaning.
using TcxEditPopupClosedEvent = std::function<void(TObject* Sender, int Reason)>;

// ---- alignment --------------------------------------------------------------------------------------

class TcxEditAlignment : public TPersistent {
  VW_CLASS(TcxEditAlignment, TPersistent)
 public:
  explicit TcxEditAlignment(TcxCustomEditProperties* AOwner) : FOwner(AOwner) {}
  static void DeclareProperties(TPropTable& t);

  void Assign(TPersistent* Source) override;
  void RestoreDefaults();

  TAlignment Horz() const { return FHorz; }
  // Marks Horz assigned, even to the value it has.
  void SetHorz(TAlignment Value);
  bool IsHorzAssigned() const { return FIsHorzAssigned; }
  TcxEditVertAlignment Vert() const { return FVert; }
  void SetVert(TcxEditVertAlignment Value);
  // Horz assigned, or Vert other than the top.
  bool IsStored() const { return FIsHorzAssigned || FVert != taTopJustify; }
  // Sets Horz without marking it assigned or telling anybody: how a default is shown.
  void ShowHorz(TAlignment Value) { FHorz = Value; }

  TNotifyEvent OnChanged;

 protected:
  TPersistent* GetOwner() override;

 private:
  void DoChanged();
  bool HorzStored() const { return FIsHorzAssigned; }

  TAlignment FHorz = taLeftJustify;
  bool FIsHorzAssigned = false;
  TcxCustomEditProperties* FOwner;
  TcxEditVertAlignment FVert = taTopJustify;
};

// ---- assigned flags of the optional values ----------------------------------------------------------

class TcxCustomEditPropertiesValues : public TPersistent {
  VW_CLASS(TcxCustomEditPropertiesValues, TPersistent)
 public:
  explicit TcxCustomEditPropertiesValues(TcxCustomEditProperties* AOwner) : FOwner(AOwner) {}
  static void DeclareProperties(TPropTable& t);

  void Assign(TPersistent* Source) override;
  // Inside the owner's update; descendants clear their own flags too.
  virtual void ClearAssignedFlags();

  bool MaxValue() const { return FMaxValue; }
  void SetMaxValue(bool Value) { SetFlag(FMaxValue, Value); }
  bool MinValue() const { return FMinValue; }
  void SetMinValue(bool Value) { SetFlag(FMinValue, Value); }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { SetFlag(FReadOnly, Value); }

  TcxCustomEditProperties* OwnerProperties() const { return FOwner; }

 protected:
  TPersistent* GetOwner() override;
  void BeginOwnerUpdate();
  void EndOwnerUpdate();
  void OwnerChanged();
  // The owner publishes a property of that name (the text editors' stored rule of their bounds).
  bool OwnerHasProperty(const String& Name) const;
  // Stores the flag and tells the owner when it changed.
  void SetFlag(bool& Flag, bool Value);

 private:
  // The properties' value writers set a flag together with the value, as one change.
  friend class TcxCustomEditProperties;

  TcxCustomEditProperties* FOwner;
  bool FMaxValue = false;
  bool FMinValue = false;
  bool FReadOnly = false;
};

using TcxCustomEditPropertiesValuesClass = std::function<TcxCustomEditPropertiesValues*(TcxCustomEditProperties*)>;
template <class T>
TcxCustomEditPropertiesValuesClass EditPropertiesValuesClassOf() {
  return [](TcxCustomEditProperties* AOwner) -> TcxCustomEditPropertiesValues* { return new T(AOwner); };
}

// ---- defaults of the place a value is stored ---------------------------------------------------------

class IcxEditDefaultValuesProvider : public virtual IInterface {
 public:
  virtual bool CanEnterEditMode() = 0;
  virtual void DetachFromProperties() = 0;
  virtual TAlignment DefaultAlignment() = 0;
  virtual int AuxiliaryCode() = 0;
  virtual bool AllowsModification() = 0;
  virtual String DefaultDisplayFormat() = 0;
  virtual String DefaultEditFormat() = 0;
  virtual String DefaultEditMask() = 0;
  virtual int DataTypeCode() = 0;
  virtual int DefaultMaxLength() = 0;
  virtual double DefaultMaxValue() = 0;
  virtual double DefaultMinValue() = 0;
  virtual int DefaultPrecision() = 0;
  virtual bool DefaultReadOnly() = 0;
  virtual bool RequiresValue() = 0;
  virtual TObject* ImplementingObject() = 0;
  virtual bool IsDataStorage() = 0;
  virtual bool IsBlobValue() = 0;
  virtual bool PrefersCurrencyFormat() = 0;
  virtual bool IsDataAvailable() = 0;
  virtual bool IsDisplayFormatDefined(bool AIsInplace) = 0;
  virtual bool ForcesFormattedText() = 0;
  virtual bool AcceptsAnyChar() = 0;
  virtual bool AcceptsChar(char32_t Ch) = 0;
};

// The provider of an unbound editor; data bindings supply others.
class TcxCustomEditDefaultValuesProvider : public TcxInterfacedPersistent, public IcxEditDefaultValuesProvider {
  VW_CLASS(TcxCustomEditDefaultValuesProvider, TcxInterfacedPersistent)
 public:
  explicit TcxCustomEditDefaultValuesProvider(TPersistent* AOwner) : TcxInterfacedPersistent(AOwner) {}
  // Every properties object still using this provider drops it first.
  ~TcxCustomEditDefaultValuesProvider() override;

  bool CanEnterEditMode() override { return true; }
  void DetachFromProperties() override;
  TAlignment DefaultAlignment() override { return taLeftJustify; }
  int AuxiliaryCode() override { return 3; }
  bool AllowsModification() override { return true; }
  String DefaultDisplayFormat() override { return String(); }
  String DefaultEditFormat() override { return String(); }
  String DefaultEditMask() override { return String(); }
  int DataTypeCode() override { return 0; }
  int DefaultMaxLength() override { return 0; }
  double DefaultMaxValue() override { return 0.0; }
  double DefaultMinValue() override { return 0.0; }
  int DefaultPrecision() override { return 15; }
  bool DefaultReadOnly() override { return false; }
  bool RequiresValue() override { return false; }
  TObject* ImplementingObject() override { return this; }
  bool IsDataStorage() override { return false; }
  bool IsBlobValue() override { return false; }
  bool PrefersCurrencyFormat() override { return false; }
  bool IsDataAvailable() override { return true; }
  bool IsDisplayFormatDefined(bool) override { return false; }
  bool ForcesFormattedText() override { return false; }
  bool AcceptsAnyChar() override { return false; }
  bool AcceptsChar(char32_t) override { return true; }
};

// ---- the properties ---------------------------------------------------------------------------------

// The classes a properties class makes its parts of. Descendants pass theirs to the protected
// constructor: the constructor cannot ask the virtual operations yet.
struct TcxCustomEditPropertiesClasses {
  TcxEditButtonsClass ButtonsClass;
  TcxCustomEditPropertiesValuesClass AssignedValuesClass;
};

using TcxCustomEditViewDataClass =
    std::function<TcxCustomEditViewData*(TcxCustomEditProperties* AProperties, TcxCustomEditStyle* AStyle, bool AIsInplace)>;

// Bits of SupportedOperations and SupportDisplayFormat.
inline constexpr int esoHasButtons = 32;
inline constexpr int esoAutoWidth = 0x800;
inline constexpr int edfSupported = 1;
inline constexpr int edfEditingFormat = 2;

class TcxCustomEditProperties : public TcxInterfacedPersistent {
  VW_CLASS(TcxCustomEditProperties, TcxInterfacedPersistent)
 public:
  explicit TcxCustomEditProperties(TPersistent* AOwner);
  ~TcxCustomEditProperties() override;

  // Every live properties object, oldest first; made at the editor unit's start-up.
  static const std::vector<TcxCustomEditProperties*>& AllProperties();

  void Assign(TPersistent* Source) override { AssignFrom(Source); }
  void AssignFrom(TPersistent* Source);

  // ---- change signalling ---------------------------------------------------------------------------
  void LockUpdate();
  void UnlockUpdate(bool Notify = true);
  void SignalChanged();
  bool IsChangeLocked() const { return FChangesLocked || FUpdateCount > 0; }
  void SetChangesLocked(bool Value) { FChangesLocked = Value; }
  bool IsNotifyingChange() const { return FNotificationNesting > 0; }
  bool ChangePending() const { return FChangePending; }
  int UpdateCount() const { return FUpdateCount; }

  // ---- the provider --------------------------------------------------------------------------------
  void AttachDefaultValuesProvider(IcxEditDefaultValuesProvider* Provider);
  IcxEditDefaultValuesProvider* DefaultValuesProvider() const { return FProvider; }
  bool AllowsEditing();
  bool UsesProviderDisplayFormat();

  // ---- validation ----------------------------------------------------------------------------------
  void RunValidateEvent(Variant& DisplayValue, String& ErrorText, bool& Changed, TcxCustomEdit* Edit, bool& Error);

  // ---- values --------------------------------------------------------------------------------------
  TcxEditAlignment* Alignment();
  TcxEditAlignment* InnerAlignment() const { return FInnerAlignment.get(); }
  bool IsAlignmentStored() { return FInnerAlignment->IsStored(); }
  TcxCustomEditPropertiesValues* AssignedValues() const { return FAssignedValues.get(); }
  void SetAssignedValues(TcxCustomEditPropertiesValues* Value) { FAssignedValues->Assign(Value); }
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value);
  bool BeepOnError() const { return FBeepOnError; }
  void SetBeepOnError(bool Value) { FBeepOnError = Value; }
  TcxEditButtons* Buttons() const { return FButtons.get(); }
  void SetButtons(TcxEditButtons* Value) { FButtons->Assign(Value); }
  // 0 normal, 1 stretched over the editor's width, 2 auto width.
  int ButtonsViewStyle() const { return FButtonsViewStyle; }
  void SetButtonsViewStyle(int Value);
  TShortCut ClearKey() const { return FClearKey; }
  void SetClearKey(TShortCut Value) { FClearKey = Value; }
  TShortCut ClickKey() const { return FClickKey; }
  void SetClickKey(TShortCut Value) { FClickKey = Value; }
  bool ImmediatePost() const { return FImmediatePost; }
  void SetImmediatePost(bool Value) { FImmediatePost = Value; }
  void SetMaxValue(double Value);
  bool IsMaxValueStored() const { return FAssignedValues->MaxValue(); }
  void SetMinValue(double Value);
  bool IsMinValueStored() const { return FAssignedValues->MinValue(); }
  bool ReadOnly();
  void SetReadOnly(bool Value);
  bool IsReadOnlyStored() const { return FAssignedValues->ReadOnly(); }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool UseLeftAlignmentOnEditing() const { return FUseLeftAlignmentOnEditing; }
  void SetUseLeftAlignmentOnEditing(bool Value);
  bool IsUseLeftAlignmentOnEditingStored() { return FUseLeftAlignmentOnEditing != DefaultUseLeftAlignmentOnEditing(); }
  bool UseMouseWheel() const { return FUseMouseWheel; }
  void SetUseMouseWheel(bool Value) { FUseMouseWheel = Value; }
  bool ValidateOnEnter() const { return FValidateOnEnter; }
  void SetValidateOnEnter(bool Value) { FValidateOnEnter = Value; }
  TcxFreeNotificator* FreeNotificator() const { return FFreeNotificator.get(); }

  TcxEditButtonClickEvent OnButtonClick;
  TNotifyEvent OnChange;
  TNotifyEvent OnEditValueChanged;
  TcxEditPopupClosedEvent OnPopupClosed;
  TcxEditValidateEvent OnValidate;
  // Installed by the owner: the editor's or the repository item's reaction to a change.
  TNotifyEvent OnPropertiesChanged;

  // ---- virtual operations --------------------------------------------------------------------------
  virtual void AlignmentChanged(TObject* Sender);
  virtual void SetAlignment(TcxEditAlignment* Value);
  virtual void ButtonsChanged(TObject* Sender);
  virtual bool CanValidate();
  virtual bool DefaultUseLeftAlignmentOnEditing();
  virtual void ClearDefaultValuesProvider();
  virtual void NotifyPropertiesChanged();
  virtual void ComponentFreed(TComponent* AComponent);
  virtual TcxCustomEditPropertiesValuesClass AssignedValuesClass();
  virtual TAlignment DefaultHorzAlignment();
  virtual int SupportsDisplayFormat();
  virtual double MaxValue();
  virtual double MinValue();
  virtual String ValidationErrorText(int Kind);
  virtual bool IsDisplayFormatDefined(bool AIsEditing);
  virtual TcxCustomEditViewDataClass ViewDataClass();
  virtual bool HasTextChangeEvents();
  virtual bool WantsTabs();
  virtual bool EditingFormNeedsFocus();
  virtual bool CanCompareEditValues();
  virtual TcxEditButtonsClass ButtonsClass();
  virtual TClass EditClass();
  virtual TcxContainerStyleClass StyleClass();
  virtual TcxContainerViewInfoClass ViewInfoClass();
  virtual void AssignItemsFrom(TcxCustomEditProperties* Source);
  virtual bool EditValuesEqual(const Variant& V1, const Variant& V2);
  // Owned by the caller.
  virtual TcxCustomEditProperties* CreatePreviewProperties();
  // Owned by the caller.
  virtual TcxCustomEditViewData* CreateViewData(TcxCustomEditStyle* AStyle, bool AIsInplace, bool APreview = false);
  virtual void EmptyPropertiesHook() {}
  virtual String ValueDisplayText(const Variant& Value);
  virtual int SpecialFeatureFlags();
  virtual int SupportedOperations();
  virtual bool IsActivationChar(char32_t Ch);
  virtual bool IsEditValueValid(const Variant& Value);
  virtual bool CanRevertEditValue();
  virtual void ConvertToEditValue(const Variant& DisplayValue, Variant& EditValue, bool AEditing);
  virtual void ResetToDefaults();
  virtual void ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, TcxCustomEdit* Edit, bool& Error);
  // 0: the edit value follows the value; 1: it follows the text.
  virtual int EditValueSource(bool AFocused);

 protected:
  TcxCustomEditProperties(TPersistent* AOwner, const TcxCustomEditPropertiesClasses& Classes);

  // Descendants with their own DefaultUseLeftAlignmentOnEditing take it into the field from their
  // constructor: the base constructor cannot ask for it.
  bool FUseLeftAlignmentOnEditing = true;
  bool FAutoSelect = true;
  bool FValidateOnEnter = false;

 private:
  void Construct(const TcxCustomEditPropertiesClasses& Classes);

  bool FBeepOnError = false;
  std::unique_ptr<TcxEditButtons> FButtons;
  int FButtonsViewStyle = 0;
  bool FChangePending = false;
  TShortCut FClearKey = 0;
  TShortCut FClickKey = 0x400D;
  std::unique_ptr<TcxFreeNotificator> FFreeNotificator;
  bool FImmediatePost = false;
  std::unique_ptr<TcxEditAlignment> FInnerAlignment;
  int FNotificationNesting = 0;
  double FMaxValue = 0;
  double FMinValue = 0;
  bool FReadOnly = false;
  bool FTransparent = false;
  int FUpdateCount = 0;
  bool FUseMouseWheel = true;
  std::unique_ptr<TcxEditAlignment> FAlignment;
  std::unique_ptr<TcxCustomEditPropertiesValues> FAssignedValues;
  bool FChangesLocked = false;
  IcxEditDefaultValuesProvider* FProvider = nullptr;
  TcxCustomEditPropertiesClasses FClasses;
};

// LockUpdate with UnlockUpdate(true) on the way out, also when an exception passes: the owner hears
// of a batch of changes once.
class TcxEditPropertiesUpdate {
 public:
  explicit TcxEditPropertiesUpdate(TcxCustomEditProperties* Properties) : FProperties(Properties) {
    FProperties->LockUpdate();
  }
  ~TcxEditPropertiesUpdate() { FProperties->UnlockUpdate(true); }
  TcxEditPropertiesUpdate(const TcxEditPropertiesUpdate&) = delete;
  TcxEditPropertiesUpdate& operator=(const TcxEditPropertiesUpdate&) = delete;

 private:
  TcxCustomEditProperties* FProperties;
};

// ---- unit services ----------------------------------------------------------------------------------

// The editor properties classes, each with "Name|Description", sorted by description; made on the
// first call, freed by the editor unit's shutdown.
TcxRegisteredClasses* EditPropertiesClassRegistry();
void FreeEditPropertiesClassRegistry();
// The editor units' registration texts not kept among the library's strings.
extern const TResStringRec scxSEditRepositoryLabelItem;
extern const TResStringRec scxSEditRepositoryTrackBarItem;
extern const TResStringRec scxSEditRepositoryColorComboBoxItem;
extern const TResStringRec scxSEditRepositoryFontNameComboBoxItem;

// The list AllProperties answers; the editor unit's start-up and shutdown make and free it.
void CreateAllPropertiesList();
void FreeAllPropertiesList();

// Both of one variant type and equal.
bool VarEqualsSameType(const Variant& V1, const Variant& V2);
// The first component on the owner chain, nil when none.
TComponent* OwningComponentOf(TPersistent* APersistent);
bool ReadEditorUnitFlag();
