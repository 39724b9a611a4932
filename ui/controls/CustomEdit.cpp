#include "ui/controls/CustomEdit.h"

#include <algorithm>

#include "platform/classes/Forms.h"
#include "platform/classes/Menus.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "ui/controls/ControlServices.h"
#include "ui/controls/EditRepository.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/controls/Timer.h"
#include "ui/controls/VariantRoutines.h"
#include "ui/controls/WindowProcController.h"
#include "ui/foundation/ScopeGuards.h"

using namespace win;

namespace {

constexpr int kUnsetAnchor = 2147483647;

// The in-place flag ConstructInplace hands to the constructor it runs through a class reference.
bool gNextEditInplace = false;

bool TakeNextEditInplace() {
  bool value = gNextEditInplace;
  gNextEditInplace = false;
  return value;
}

// Half a size, rounded up, so that anchoring and placing cancel out.
// Runs Body between Enter and Leave; Leave runs on every way out.
template <class Enter, class Leave, class Body>
void Bracketed(Enter EnterStep, Leave LeaveStep, Body BodyStep) {
  EnterStep();
  try {
    BodyStep();
  } catch (...) {
    LeaveStep();
    throw;
  }
  LeaveStep();
}

int HalfSize(int Size) { return Size / 2 + (Size % 2 != 0 ? 1 : 0); }

// The style and view-info classes the properties class names; the container needs them before
// the editor's own properties exist.
TcxContainerClasses ContainerClassesFor(TClass PropertiesClass) {
  std::unique_ptr<TcxCustomEditProperties> prototype(
      static_cast<TcxCustomEditProperties*>(PropertiesClass->Create(nullptr)));
  return TcxContainerClasses{prototype->StyleClass(), ContainerStylesClassOf<TcxContainerStyles>(),
                             prototype->ViewInfoClass()};
}

TcxCustomEditClasses DefaultEditClasses() {
  return TcxCustomEditClasses{TcxCustomEditProperties::StaticClass(), nullptr,
                              EditDataBindingClassOf<TcxEditDataBinding>()};
}

void EditorBeep() { MessageBeep(0); }

TPoint CursorClientPoint(TWinControl* Control) {
  POINT p;
  GetCursorPos(&p);
  if (Control->HandleAllocated()) p = Control->ScreenToClient(p);
  return TPoint(p.x, p.y);
}

}  // namespace

// ---- the change-events catcher ------------------------------------------------------------------------

void TcxEditChangeEventsCatcher::Lock(bool ALock, bool Fire) {
  if (ALock) {
    if (FLockCount == 0) {
      OnChangePending = false;
      OnEditValueChangedPending = false;
    }
    ++FLockCount;
    return;
  }
  if (FLockCount == 0) return;
  --FLockCount;
  if (FLockCount != 0) return;
  bool change = OnChangePending, editValueChanged = OnEditValueChangedPending;
  OnChangePending = false;
  OnEditValueChangedPending = false;
  if (!Fire || FEdit->IsLoadingOrDestroying()) return;
  if (change && FEdit->HasChangeHandler()) FEdit->FireChangeEvent();
  if (editValueChanged && FEdit->HasEditValueChangedHandler()) FEdit->FireEditValueChangedEvent();
}

// ---- the repository listener --------------------------------------------------------------------------

class TcxCustomEdit::TRepositoryListener : public IcxEditRepositoryItemListener {
 public:
  explicit TRepositoryListener(TcxCustomEdit* AEdit) : FEdit(AEdit) {}
  // The item is going: forget it without any further step.
  void ItemRemoved(TcxEditRepositoryItem* Sender) override {
    if (FEdit->FRepositoryItem == Sender) FEdit->FRepositoryItem = nullptr;
  }
  void PropertiesChanged(TcxEditRepositoryItem* Sender) override { FEdit->RepositoryPropertiesChanged(Sender); }

 private:
  TcxCustomEdit* FEdit;
};

// ---- construction -------------------------------------------------------------------------------------

TcxCustomEdit::TcxCustomEdit(TComponent* AOwner) : TcxCustomEdit(AOwner, DefaultEditClasses()) {}

TcxCustomEdit::TcxCustomEdit(TComponent* AOwner, const TcxCustomEditClasses& Classes)
    : TcxCustomEditContainer(AOwner, ContainerClassesFor(Classes.PropertiesClass)), FClasses(Classes) {
  Construct(TakeNextEditInplace());
}

void TcxCustomEdit::Construct(bool IsInplace) {
  FIsInplace = IsInplace;
  FAnchorX = kUnsetAnchor;
  FAnchorY = kUnsetAnchor;
  FRepositoryListener = std::make_unique<TRepositoryListener>(this);
  TcxCustomEdit::InitializeEditor();
  if (HandleAllocated()) RefreshStateAtCursor(false);
}

TcxCustomEdit* TcxCustomEdit::ConstructInplace(TClass EditClass, TComponent* AOwner, bool IsInplace) {
  gNextEditInplace = IsInplace;
  TObject* made = nullptr;
  try {
    made = EditClass->Create(AOwner);
  } catch (...) {
    gNextEditInplace = false;
    throw;
  }
  gNextEditInplace = false;
  return static_cast<TcxCustomEdit*>(made);
}

void TcxCustomEdit::InitializeEditor() {
  FChangeEventsCatcher = std::make_unique<TcxEditChangeEventsCatcher>(this);
  FProperties.reset(static_cast<TcxCustomEditProperties*>(PropertiesClass()->Create(this)));
  LoadStoredLayout();
  SetControlStyle(ControlStyle() + TControlStyle{csCaptureMouse, csSetCaption});
  SetTabStop(true);
  FInnerEdit = CreateInnerControl();
  if (FInnerEdit) {
    InitializeInnerControl();
    TWinControl* inner = FInnerEdit->InnerControl();
    inner->SetParent(this);
    SetInnerControl(inner);
  }
  FDataBinding.reset(DataBindingClass()(this));
  FAutoSize = !IsInPlace();
  FHeldButtonIndex = -1;
  SetEditValueField(Variant::Null());
  FValueChangeLockCount = 0;
  FTransparent = false;
  AttachPropertiesHandler();
  if (IsInPlace()) {
    TcxWantedKeys keys = Keys();
    keys.Include(wkAllKeys);
    keys.Include(wkArrows);
    if (!InnerControlClass()) keys.Include(wkTab);
    SetKeys(keys);
  }
  FDoubleClickTimer = std::make_unique<TcxTimer>(nullptr);
  FDoubleClickTimer->SetEnabled(false);
  FDoubleClickTimer->SetInterval(GetDoubleClickTime());
  FDoubleClickTimer->SetOnTimer([this](TObject*) { StopDoubleClickTimer(); });
  if (!IsInPlace()) FProperties->AttachDefaultValuesProvider(FDataBinding->ProviderInterface());
  EditViewInfo()->Edit = this;
  FBindingSetupPending = true;
}

void TcxCustomEdit::LoadStoredLayout() {
  std::unique_ptr<TcxCustomEditViewData> data(FProperties->CreateViewData(StyleInEffect(), true));
  FStoredInplaceContentOffsets = data->InplaceContentOffsets;
  FStoredContentMargins = data->ContentOffsets.Margins;
  FStoredValueFollowsText = data->EditValueFollowsText;
  FStoredLayoutValid = true;
}

TcxCustomEdit::~TcxCustomEdit() {
  Destroying();
  UnhookInnerWindowProc();
  FDoubleClickTimer.reset();
  if (FRepositoryItem) {
    FRepositoryItem->UnregisterListener(FRepositoryListener.get());
    FRepositoryItem->RemoveFreeNotification(this);
    FRepositoryItem = nullptr;
  }
  FInnerEdit = nullptr;
  DetachPropertiesHandler();
  if (!IsInPlace()) FProperties->AttachDefaultValuesProvider(nullptr);
  FDataBinding.reset();
  FModifiedStates.clear();
  FProperties.reset();
  FChangeEventsCatcher.reset();
}

void TcxCustomEdit::DeclareProperties(TPropTable& t) {
  // Written through the editor's own stream properties, under its auto-size rules.
  t.Redeclare("Height").Stored(false);
  t.Redeclare("Width").Stored(false);
  t.Add("PropertiesEvents", &TcxCustomEdit::PropertiesEvents);
  t.Add("RepositoryItem", &TcxCustomEdit::RepositoryItem, &TcxCustomEdit::SetRepositoryItem);
}

void TcxCustomEdit::AttachPropertiesHandler() {
  FProperties->OnPropertiesChanged = [this](TObject* Sender) { PropertiesChanged(Sender); };
}

void TcxCustomEdit::DetachPropertiesHandler() {
  if (FProperties) FProperties->OnPropertiesChanged = nullptr;
}

bool TcxCustomEdit::IsLoadingOrDestroying() {
  TComponentState state = ComponentState();
  return state.Contains(csLoading) || state.Contains(csDestroying);
}

// ---- properties in force ------------------------------------------------------------------------------

TcxCustomEditProperties* TcxCustomEdit::ActiveProperties() {
  if (!FRepositoryItem) return FProperties.get();
  TcxCustomEditProperties* properties = FRepositoryItem->Properties();
  properties->AttachDefaultValuesProvider(FDataBinding->ProviderInterface());
  return properties;
}

TcxCustomEditStyle* TcxCustomEdit::StyleInEffect() { return dynamic_cast<TcxCustomEditStyle*>(ActiveStyle()); }

bool TcxCustomEdit::AcceptsRepositoryItem(TcxEditRepositoryItem* Item) {
  return !Item || Item->Properties()->InheritsFrom(PropertiesClass());
}

void TcxCustomEdit::SetRepositoryItem(TcxEditRepositoryItem* Value) {
  if (Value == FRepositoryItem) return;
  if (!AcceptsRepositoryItem(Value)) throw EcxEditError(GetLocalizedResString(cxLibraryStrings::cxSEditInvalidRepositoryItem));
  RepositoryItemChanging();
  if (FRepositoryItem) {
    FRepositoryItem->UnregisterListener(FRepositoryListener.get());
    FRepositoryItem->RemoveFreeNotification(this);
  }
  FRepositoryItem = Value;
  if (Value) {
    Value->RegisterListener(FRepositoryListener.get());
    Value->FreeNotification(this);
    FProperties->AttachDefaultValuesProvider(nullptr);
    RepositoryPropertiesChanged(Value);
    DetachPropertiesHandler();
  } else {
    if (!IsLoadingOrDestroying()) AttachPropertiesHandler();
    FProperties->AttachDefaultValuesProvider(FDataBinding->ProviderInterface());
  }
  RepositoryItemChanged();
}

void TcxCustomEdit::RepositoryPropertiesChanged(TcxEditRepositoryItem* Item) {
  if (!IsLoadingOrDestroying() && Item) PropertiesChanged(Item->Properties());
}

void TcxCustomEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TcxCustomEditContainer::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent && AComponent == FRepositoryItem) SetRepositoryItem(nullptr);
}

void TcxCustomEdit::PropertiesChanged(TObject*) {
  FValidated = false;
  ApplyReadOnlyToInner();
  if (FModified && ReadOnlyInEffect()) MarkModified(false);
  if (ActiveProperties()->Transparent()) SetTransparent(true);
  UpdateAutoSizeAnchors();
  RefreshStateAtCursor(false);
}

void TcxCustomEdit::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  TControlStyle style = ControlStyle();
  if (Value)
    style.Exclude(csOpaque);
  else
    style.Include(csOpaque);
  SetControlStyle(style);
  Invalidate();
}

bool TcxCustomEdit::ReadOnlyInEffect() { return ActiveProperties()->ReadOnly() || FDataBinding->IsDataReadOnly(); }

void TcxCustomEdit::ApplyReadOnlyToInner() {
  if (FInnerEdit) SetInnerReadOnly(ReadOnlyInEffect());
}

void TcxCustomEdit::SetInnerReadOnly(bool Value) {
  if (FInnerEdit) FInnerEdit->SetInnerReadOnly(Value);
}

bool TcxCustomEdit::InnerControlMissing() { return InnerControlClass() && !FInnerEdit && !IsDestroying(); }

bool TcxCustomEdit::DataIsBound() {
  IcxEditDefaultValuesProvider* provider = FDataBinding ? FDataBinding->ProviderInterface() : nullptr;
  return provider && provider->IsDataStorage();
}

bool TcxCustomEdit::ShowsEditingState() { return !ActiveProperties()->EditingFormNeedsFocus() || IsFocused(); }

bool TcxCustomEdit::AutoSizeAdjustsWidth() { return ActiveProperties()->ButtonsViewStyle() == 2; }

// ---- events of the properties -------------------------------------------------------------------------

bool TcxCustomEdit::HasChangeHandler() { return FProperties->OnChange || ActiveProperties()->OnChange; }

bool TcxCustomEdit::HasEditValueChangedHandler() {
  return FProperties->OnEditValueChanged || ActiveProperties()->OnEditValueChanged;
}

bool TcxCustomEdit::HasValidateHandler() { return FProperties->OnValidate || ActiveProperties()->OnValidate; }

void TcxCustomEdit::FireValidate(Variant& DisplayValue, String& ErrorText, bool& Error) {
  if (FProperties->OnValidate) FProperties->OnValidate(this, DisplayValue, ErrorText, Error);
  if (FRepositoryItem && FRepositoryItem->Properties()->OnValidate)
    FRepositoryItem->Properties()->OnValidate(this, DisplayValue, ErrorText, Error);
}

void TcxCustomEdit::FireChangeEvent() {
  if (FProperties->OnChange) FProperties->OnChange(this);
  if (FRepositoryItem && FRepositoryItem->Properties()->OnChange) FRepositoryItem->Properties()->OnChange(this);
}

void TcxCustomEdit::FireEditValueChangedEvent() {
  if (FProperties->OnEditValueChanged) FProperties->OnEditValueChanged(this);
  if (FRepositoryItem && FRepositoryItem->Properties()->OnEditValueChanged)
    FRepositoryItem->Properties()->OnEditValueChanged(this);
}

void TcxCustomEdit::NotifyPopupClosed(int Reason) {
  if (FProperties->OnPopupClosed) FProperties->OnPopupClosed(this, Reason);
  if (FRepositoryItem && FRepositoryItem->Properties()->OnPopupClosed)
    FRepositoryItem->Properties()->OnPopupClosed(this, Reason);
}

void TcxCustomEdit::FireButtonClick(int Index) {
  TcxCustomEditViewInfo* info = EditViewInfo();
  if (Index < 0 || Index >= info->ButtonCount()) return;
  int buttonIndex = info->Button(Index)->ButtonIndex;
  if (FProperties->OnButtonClick) FProperties->OnButtonClick(this, buttonIndex);
  if (FRepositoryItem && FRepositoryItem->Properties()->OnButtonClick)
    FRepositoryItem->Properties()->OnButtonClick(this, buttonIndex);
}

// ---- locks and the modified state ---------------------------------------------------------------------

void TcxCustomEdit::LockChangeEvents(bool Lock, bool Fire) { FChangeEventsCatcher->Lock(Lock, Fire); }

void TcxCustomEdit::LockValueChanges(bool Lock) {
  if (Lock)
    ++FValueChangeLockCount;
  else if (FValueChangeLockCount > 0)
    --FValueChangeLockCount;
}

void TcxCustomEdit::LockEditingEvent(bool Lock) {
  if (Lock)
    ++FEditingEventLockCount;
  else if (FEditingEventLockCount > 0)
    --FEditingEventLockCount;
}

void TcxCustomEdit::MarkModified(bool Value) {
  FModified = Value;
  if (Value) {
    FValidated = false;
    FValueChanged = true;
  }
}

void TcxCustomEdit::SetValueChanged(bool Value) {
  FValueChanged = Value;
  if (!Value) FModified = false;
}

void TcxCustomEdit::MarkModifiedAndChange() {
  MarkModified(true);
  if (FValueChangeLockCount == 0) Changed();
}

void TcxCustomEdit::PushModifiedState() { FModifiedStates.emplace_back(FValueChanged, FModified); }

void TcxCustomEdit::PopModifiedState() {
  if (FModifiedStates.empty()) return;
  FValueChanged = FModifiedStates.back().first;
  FModified = FModifiedStates.back().second;
  FModifiedStates.pop_back();
}

void TcxCustomEdit::FireWithModifiedState(const std::function<void()>& Fire) {
  Bracketed(
      [this] {
        PushModifiedState();
        FValueChanged = true;
        FModified = true;
      },
      [this] { PopModifiedState(); }, Fire);
}

void TcxCustomEdit::InChangeEventsLock(const std::function<void()>& Body) {
  Bracketed([this] { LockChangeEvents(true); }, [this] { LockChangeEvents(false, true); }, Body);
}

void TcxCustomEdit::InEditingEventLock(const std::function<void()>& Body) {
  Bracketed([this] { LockEditingEvent(true); }, [this] { LockEditingEvent(false); }, Body);
}

// ---- the value ----------------------------------------------------------------------------------------

bool TcxCustomEdit::IsEditAllowed() {
  TcxCustomEditProperties* properties = ActiveProperties();
  if (IsInPlace()) return properties->AllowsEditing();
  if (properties->AssignedValues()->ReadOnly()) return !properties->ReadOnly();
  IcxEditDefaultValuesProvider* provider = FDataBinding->ProviderInterface();
  return provider->AllowsModification() && provider->CanEnterEditMode();
}

bool TcxCustomEdit::RequestEditing() {
  if (!SupportsEditing()) return false;
  if (FDataBinding->IsModified()) return true;
  bool canEdit = IsEditAllowed();
  if (!canEdit) return false;
  TcxFlagScope requesting(FRequestingEditing, true);
  // Whatever OnEditing writes to EditValue is ignored: the value is not the editor's to change yet.
  if (OnEditing) InEditingEventLock([this, &canEdit] { OnEditing(this, canEdit); });
  if (IsInPlace() || !canEdit) return canEdit;
  if (FDataBinding->InEditMode()) {
    FDataBinding->EditorValueChanged();
    return true;
  }
  InEditingEventLock([this, &canEdit] { canEdit = FDataBinding->EnterEditMode(); });
  return canEdit;
}

void TcxCustomEdit::SetEditValue(const Variant& Value) {
  if (FEditingEventLockCount > 0) return;
  Bracketed([this] { LockValueChanges(true); }, [this] { LockValueChanges(false); },
            [this, &Value] {
              if (!FUserAction || RequestEditing()) InternalSetEditValue(Value, true);
            });
}

void TcxCustomEdit::SetEditValueChecked(const Variant& Value) {
  if (FEditingEventLockCount == 0 && (!FUserAction || RequestEditing())) InternalSetEditValue(Value, true);
}

void TcxCustomEdit::InternalSetEditValue(const Variant& Value, bool) {
  if (FUserAction && !RequestEditing()) return;
  TcxCustomEditProperties* properties = ActiveProperties();
  bool changed = properties->CanCompareEditValues() && !EditValuesSame(Value, FEditValue);
  SetEditValueField(Value);
  RefreshDisplayText();
  if (FUserAction)
    MarkModified(true);
  else
    SetValueChanged(false);
  if (!changed) return;
  NotifyEditValueChanged();
  if (!ActiveProperties()->HasTextChangeEvents()) NotifyChange();
}

void TcxCustomEdit::ApplyEditValueGuarded(const Variant& Value) {
  Bracketed([this] { PushModifiedState(); }, [this] { PopModifiedState(); }, [this, &Value] { ApplyEditValue(Value); });
}

Variant TcxCustomEdit::EffectiveEditValue() {
  return IsFocused() && FModified && !FValidated ? EditingValue() : EditValue();
}

void TcxCustomEdit::ConvertValueByProperties(const Variant& DisplayValue, Variant& AEditValue, bool Editing) {
  ActiveProperties()->ConvertToEditValue(DisplayValue, AEditValue, Editing);
}

// ---- change events ------------------------------------------------------------------------------------

void TcxCustomEdit::NotifyChange() {
  if (IsLoadingOrDestroying()) return;
  if (HasChangeHandler()) {
    if (IsChangeEventsLocked())
      FChangeEventsCatcher->OnChangePending = true;
    else if (IsInPlace())
      FireWithModifiedState([this] { FireChangeEvent(); });
    else
      FireChangeEvent();
  }
  TcxCustomEditProperties* properties = ActiveProperties();
  if (!properties->HasTextChangeEvents() && !properties->CanCompareEditValues()) NotifyEditValueChanged();
}

void TcxCustomEdit::NotifyEditValueChanged() {
  if (IsLoadingOrDestroying() || !HasEditValueChangedHandler()) return;
  if (IsChangeEventsLocked())
    FChangeEventsCatcher->OnEditValueChangedPending = true;
  else if (IsInPlace())
    FireWithModifiedState([this] { FireEditValueChangedEvent(); });
  else
    FireEditValueChangedEvent();
}

void TcxCustomEdit::HandleDataChanged() {
  if (IsFocused())
    MarkModified(true);
  else if (!ActiveProperties()->IsNotifyingChange())
    FDataBinding->EditorValueChanged();
  NotifyChange();
}

// ---- validation ---------------------------------------------------------------------------------------

void TcxCustomEdit::CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error) {
  TcxCustomEditProperties* properties = ActiveProperties();
  if (properties->CanValidate()) properties->ValidateDisplayValue(DisplayValue, ErrorText, this, Error);
}

bool TcxCustomEdit::ValidateEnteredValue(bool RaiseError) {
  if (!FModified || FValidated) return true;
  TcxFlagScope validating(FValidating, true);
  Variant displayValue(CurrentDisplayText());
  bool error = false;
  String errorText;
  CheckDisplayValue(displayValue, errorText, error);
  if (error) {
    // The text the validation settled on is shown again, whether the report raises or not.
    auto showValidatedText = [this, &displayValue] {
      if (CurrentDisplayText() == VarToStr(displayValue)) return;
      SetInnerEditValue(displayValue);
      if (!Visible()) return;
      SelectAllContent();
      if (!InnerTextShowsValue()) RefreshDrawnValue();
    };
    if (RaiseError) {
      try {
        ReportValidationError(errorText, true);
      } catch (...) {
        showValidatedText();
        throw;
      }
    }
    showValidatedText();
    return false;
  }
  if (FUserAction && !RequestEditing()) return true;
  ApplyEditValueGuarded(displayValue);
  // While it is being left the editor still counts as focused: the value it validated is posted next.
  if (!IsInPlace() && !IsFocused() && !FExiting) MarkModified(false);
  FValidated = true;
  return true;
}

void TcxCustomEdit::ReportValidationError(const String& ErrorText, bool AbortSilently) {
  if (!CanFocus()) {
    FValidated = true;
  } else if (Visible()) {
    if (!IsFocused()) {
      TcxFlagScope errorFocus(FErrorFocus, true);
      if (InnerControl() && InnerControl()->CanFocus())
        InnerControl()->SetFocus();
      else
        TcxCustomEditContainer::SetFocus();
    }
    SelectAllContent();
  }
  if (ActiveProperties()->BeepOnError()) EditorBeep();
  if (!ErrorText.empty()) throw EcxEditValidationError(ErrorText);
  if (AbortSilently) Abort();
}

bool TcxCustomEdit::CheckEditValue() {
  StopDoubleClickTimer();
  FUserAction = false;
  bool result = ValidateEnteredValue(true);
  if (result) {
    RefreshDisplayText();
    FValidated = true;
  }
  return result;
}

// ---- posting, leaving, reverting ----------------------------------------------------------------------

bool TcxCustomEdit::CanPostEditValue() { return !IsDesigning() && FDataBinding->CanPost(); }

void TcxCustomEdit::PostEditValue(bool Validate) {
  if (Validate) {
    TcxFlagScope userAction(FUserAction, false);
    if (!ValidateEnteredValue(true)) return;
  }
  try {
    BeginPostEditValue();
    try {
      if (IsInPlace()) {
        if (OnPostEditValue) OnPostEditValue(this);
        SetValueChanged(false);
      } else if (FDataBinding->IsModified()) {
        FDataBinding->WriteStoredValue(EditValue());
      }
    } catch (...) {
      EndPostEditValue();
      throw;
    }
    EndPostEditValue();
  } catch (...) {
    // A host of an in-place editor learns of a failed post through the value staying as it was.
    if (IsInPlace()) return;
    ReportValidationError(String(), false);
    throw;
  }
}

void TcxCustomEdit::ProcessExit(bool FireExit) {
  if (IsDestroying() || FErrorFocus) return;
  PushModifiedState();
  // How many states this call still has on the stack: OnExit runs between a pop and a push, and an
  // exception it raises must not pop what this call no longer owns.
  int pushed = 1;
  bool locked = true;
  FExiting = true;
  LockChangeEvents(true);
  try {
    if (ValidateEnteredValue(true)) {
      if (!IsInPlace() && CanPostEditValue()) PostEditValue(false);
      locked = false;
      LockChangeEvents(false, true);
      if (RefreshesOnExit()) FDataBinding->RefreshEditorDisplay();
      RefreshDrawnValue();
      RefreshStateAtCursor(false);
      PopModifiedState();
      pushed = 0;
      if (FireExit) TcxCustomEditContainer::DoExit();
      MarkModified(false);
      PushModifiedState();
      pushed = 1;
    } else {
      locked = false;
      LockChangeEvents(false, true);
    }
  } catch (...) {
    if (locked) LockChangeEvents(false, true);
    FExiting = false;
    if (pushed) PopModifiedState();
    throw;
  }
  FExiting = false;
  PopModifiedState();
}

void TcxCustomEdit::RevertEditValue() {
  if (!FModified || !ActiveProperties()->CanRevertEditValue()) return;
  InChangeEventsLock([this] {
    FModified = false;
    if (DataIsBound()) {
      Variant stored;
      FDataBinding->ReadStoredValue(stored);
      SetEditValueQuietly(stored);
    } else {
      SetEditValueQuietly(FSavedEditValue);
    }
    SetValueChanged(true);
    SelectAllContent();
    if (ActiveProperties()->ImmediatePost() && CanPostEditValue()) PostEditValue(false);
  });
}

bool TcxCustomEdit::CanRevertNow() { return DataIsBound() || ActiveProperties()->CanRevertEditValue(); }

// ---- loading ------------------------------------------------------------------------------------------

void TcxCustomEdit::ReadState(TReader* Reader) {
  DetachPropertiesHandler();
  TcxCustomEditContainer::ReadState(Reader);
}

void TcxCustomEdit::Loaded() {
  FLoadedFlag = true;
  TcxCustomEditContainer::Loaded();
  // Whatever changes while the editor settles fires nothing: it is how it was stored.
  LockChangeEvents(true);
  LockValueChanges(true);
  try {
    FDataBinding->AfterLoad();
    RefreshStateAtCursor(false);
    if (!FRepositoryItem) AttachPropertiesHandler();
    PropertiesChanged(ActiveProperties());
    EditViewInfo()->Shadow = false;
    ContainerStyleChanged(NormalStyle());
  } catch (...) {
    LockValueChanges(false);
    LockChangeEvents(false, false);
    throw;
  }
  LockValueChanges(false);
  LockChangeEvents(false, false);
}

void TcxCustomEdit::SetParent(TWinControl* AParent) {
  if (FBindingSetupPending && AParent) {
    FBindingSetupPending = false;
    FDataBinding->AfterLoad();
    PropertiesChanged(FProperties.get());
    FDataBinding->RefreshEditorDisplay();
  }
  TcxCustomEditContainer::SetParent(AParent);
}

void TcxCustomEdit::DefineProperties(TFiler* Filer) {
  TcxCustomEditContainer::DefineProperties(Filer);
  auto* ancestor = dynamic_cast<TcxCustomEdit*>(Filer->Ancestor());
  bool hasHeight = !AutoSizeActive() && (!ancestor || ancestor->FHeight != FHeight);
  bool hasWidth = (!AutoSizeActive() || !AutoSizeAdjustsWidth() || AutoSizeKeepsWidth()) &&
                  (!ancestor || ancestor->FWidth != FWidth);
  Filer->DefineProperty(
      "Height", [this](TReader* Reader) { SetHeight(Reader->ReadInteger()); },
      [this](TWriter* Writer) { Writer->WriteInteger(FHeight); }, hasHeight);
  Filer->DefineProperty(
      "Width", [this](TReader* Reader) { SetWidth(Reader->ReadInteger()); },
      [this](TWriter* Writer) { Writer->WriteInteger(FWidth); }, hasWidth);
  bool horizontally = AnchorsHorizontally(), vertically = AnchorsVertically();
  if (horizontally || vertically) UpdateAutoSizeAnchors();
  Filer->DefineProperty(
      "AnchorX",
      [this](TReader* Reader) {
        FAnchorX = Reader->ReadInteger();
        PlaceInnerControl();
      },
      [this](TWriter* Writer) { Writer->WriteInteger(FAnchorX); }, horizontally);
  Filer->DefineProperty(
      "AnchorY",
      [this](TReader* Reader) {
        FAnchorY = Reader->ReadInteger();
        PlaceInnerControl();
      },
      [this](TWriter* Writer) { Writer->WriteInteger(FAnchorY); }, vertically);
}

// ---- keys ---------------------------------------------------------------------------------------------

TShortCut KeyShortCut(WORD Key, TShiftState Shift) {
  if ((Key & 0xFF00) != 0) return 0;
  TShortCut result = Key;
  if (Shift.Contains(ssShift)) result += scShift;
  if (Shift.Contains(ssCtrl)) result += scCtrl;
  if (Shift.Contains(ssAlt)) result += scAlt;
  return result;
}

int TcxCustomEdit::DefaultButtonIndex() {
  TcxCustomEditViewInfo* info = EditViewInfo();
  for (int i = 0; i < info->ButtonCount(); ++i)
    if (info->Button(i)->Default) return i;
  return -1;
}

int TcxCustomEdit::ButtonIndexAtPoint(const TPoint& P) {
  TcxCustomEditViewInfo* info = EditViewInfo();
  for (int i = 0; i < info->ButtonCount(); ++i) {
    const TRect& b = info->Button(i)->Bounds;
    if (P.X >= b.Left && P.X < b.Right && P.Y >= b.Top && P.Y < b.Bottom) return i;
  }
  return -1;
}

void TcxCustomEdit::ClickDefaultButton() {
  int index = DefaultButtonIndex();
  if (index != -1) FireButtonClick(index);
}

bool TcxCustomEdit::IsClickKey(WORD Key, TShiftState Shift) {
  return DefaultButtonIndex() != -1 && KeyShortCut(Key, Shift) == ActiveProperties()->ClickKey();
}

bool TcxCustomEdit::IsClearOrClickKey(WORD Key, TShiftState Shift) {
  return KeyShortCut(Key, Shift) == ActiveProperties()->ClearKey() || IsClickKey(Key, Shift);
}

void TcxCustomEdit::FireKeyDownNotification(WORD& Key, TShiftState Shift) {
  if (OnInplaceKeyDown) OnInplaceKeyDown(this, Key, Shift);
}

void TcxCustomEdit::KeyDown(WORD& Key, TShiftState Shift) { HandleKeyDown(Key, Shift); }

void TcxCustomEdit::HandleKeyDown(WORD& Key, TShiftState Shift) {
  FEscapeReverted = false;
  TcxFlagScope escapeDown(FEscapeDown, Key == VK_ESCAPE);
  if (!IsClickKey(Key, Shift)) TcxCustomEditContainer::KeyDown(Key, Shift);
  if (Key != 0) EditKeyDown(Key, Shift);
  if (Key != 0 && NotifiesKeyDown(Key, Shift)) FireKeyDownNotification(Key, Shift);
}

void TcxCustomEdit::EditKeyDown(WORD& Key, TShiftState Shift) {
  if (Key == 0) return;
  TcxCustomEditProperties* properties = ActiveProperties();
  TShortCut shortCut = KeyShortCut(Key, Shift);
  if (properties->ClearKey() != 0 && shortCut == properties->ClearKey()) {
    InChangeEventsLock([this] {
      Bracketed([this] { FUserAction = true; }, [this] { FUserAction = false; },
                [this] {
                  SetEditValueChecked(DefaultEditValue());
                  if (ActiveProperties()->ImmediatePost() && CanPostEditValue()) PostEditValue(false);
                  FValidated = true;
                });
    });
    Key = 0;
    return;
  }
  if (DefaultButtonIndex() != -1 && shortCut == properties->ClickKey()) {
    // The character this key makes is on its way already; it must not reach the editor too.
    if (HandleAllocated()) DiscardPendingMessages(Handle(), WM_CHAR, WM_CHAR, true);
    ClickDefaultButton();
    Key = 0;
    return;
  }
  if (!CanProcessKey(Key, Shift)) {
    FireKeyDownNotification(Key, Shift);
    Key = 0;
    return;
  }
  switch (Key) {
    case VK_TAB: {
      if (!IsFocused() || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl) || ActiveProperties()->WantsTabs()) break;
      PrepareTabExit(Shift);
      FireKeyDownNotification(Key, Shift);
      if (Key == 0) return;
      Key = 0;
      if (TCustomForm* form = GetParentForm())
        form->SelectNext(form->ActiveControl() ? form->ActiveControl() : this, !Shift.Contains(ssShift), true);
      if (HandleAllocated() && GetFocus() == Handle() && InnerControl()) FocusInnerControl();
      return;
    }
    case VK_RETURN: {
      if (!ActiveProperties()->ValidateOnEnter()) break;
      Key = 0;
      InChangeEventsLock([this] {
        if (ValidateEnteredValue(true) && CanPostEditValue()) PostEditValue(false);
      });
      return;
    }
    case VK_ESCAPE: {
      if (!FModified || !CanRevertNow()) break;
      InChangeEventsLock([this] {
        FDataBinding->RevertToData();
        SetValueChanged(true);
      });
      FEscapeReverted = true;
      Key = 0;
      return;
    }
    default: break;
  }
  if (!HandlesNavigationKeys() && Key >= VK_PRIOR && Key <= VK_DOWN) {
    FireKeyDownNotification(Key, Shift);
    Key = 0;
  }
}

bool TcxCustomEdit::CanProcessKey(WORD Key, TShiftState Shift) {
  return FDataBinding->IsModified() || !IsValueChangingKey(Key, Shift) || RequestEditing();
}

void TcxCustomEdit::KeyPress(TChar& Key) { CancelBlockedEscape(Key); }

void TcxCustomEdit::CancelBlockedEscape(TChar& Key) {
  if (Key == 27 && FEscapeReverted) {
    FEscapeReverted = false;
    Key = 0;
    return;
  }
  TcxCustomEditContainer::KeyPress(Key);
  if (Key != 0) EditKeyPress(Key);
}

void TcxCustomEdit::EditKeyPress(TChar& Key) { ValidateKeyChar(Key); }

bool TcxCustomEdit::ValidateKeyChar(TChar& Key) {
  if (Key >= 32 && !IsKeyAcceptable(Key)) {
    Key = 0;
    EditorBeep();
  } else if (!FDataBinding->IsModified() && IsValueChangingChar(Key) && !RequestEditing()) {
    Key = 0;
  }
  return Key != 0;
}

bool TcxCustomEdit::IsKeyAcceptable(TChar Ch) {
  IcxEditDefaultValuesProvider* provider = ActiveProperties()->DefaultValuesProvider();
  if (!provider) return true;
  return provider->AcceptsChar(Ch) || provider->AcceptsAnyChar();
}

void TcxCustomEdit::KeyUp(WORD& Key, TShiftState Shift) { HandleKeyUp(Key, Shift); }

void TcxCustomEdit::HandleKeyUp(WORD& Key, TShiftState Shift) {
  TcxCustomEditContainer::KeyUp(Key, Shift);
  if (Key != 0) EditKeyUp(Key, Shift);
}

bool TcxCustomEdit::ClickButtonByAccelerator(TChar Ch) {
  TcxCustomEditViewInfo* info = EditViewInfo();
  for (int i = 0; i < info->ButtonCount(); ++i) {
    TcxEditButtonViewInfo* button = info->Button(i);
    if (button->Data.State != ebsDisabled && IsAccel(Ch, button->Caption)) {
      FireButtonClick(i);
      return true;
    }
  }
  return false;
}

void TcxCustomEdit::HandleDialogChar(TMessage& Message) {
  if (ClickButtonByAccelerator(static_cast<TChar>(Message.WParam))) {
    Message.Result = 1;
    return;
  }
  TcxCustomEditContainer::Dispatch(Message);
}

bool TcxCustomEdit::AcceptsMouseWheel(TShiftState Shift) {
  return !IsInPlace() || ActiveProperties()->UseMouseWheel() || Shift.Contains(ssCtrl);
}

// ---- focus --------------------------------------------------------------------------------------------

void TcxCustomEdit::DoEnter() {
  if (IsDestroying()) return;
  if (!FErrorFocus) BeginFocusedEditing();
  RefreshStateAtCursor(false);
}

void TcxCustomEdit::BeginFocusedEditing() {
  PushModifiedState();
  auto finish = [this] {
    PopModifiedState();
    FModified = false;
  };
  try {
    TcxCustomEditContainer::DoEnter();
    if (RefreshesOnExit()) FDataBinding->RefreshEditorDisplay();
    if (ActiveProperties()->CanRevertEditValue()) FSavedEditValue = FEditValue;
    if (RefreshesOnExit()) RefreshDisplayText();
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TcxCustomEdit::DoExit() { HandleExit(); }

void TcxCustomEdit::HandleExit() {
  TcxFlagScope userAction(FUserAction, false);
  ProcessExit(true);
}

void TcxCustomEdit::NotifyFocusChanged() {
  if (IsDestroying() || FErrorFocus) return;
  bool state = IsFocused() && Application && Application->Active();
  if (state == FFocusedAndActive) return;
  FFocusedAndActive = state;
  TcxCustomEditContainer::NotifyFocusChanged();
  FocusChanged();
}

bool TcxCustomEdit::FocusChanged() {
  RefreshDrawnValue();
  TCustomForm* form = GetParentForm();
  // A modal form that a button is closing: the value must pass, but there is no one to tell.
  if (form && form->FormState().Contains(fsModal) && !form->Visible() && form->ModalResult() != mrNone &&
      form->ModalResult() != mrCancel)
    return ValidateEnteredValue(false);
  return false;
}

bool TcxCustomEdit::IsFocusedOrActive() {
  if (IsFocused()) return true;
  TCustomForm* form = GetParentForm();
  if (!form) return false;
  TWinControl* active = form->ActiveControl();
  return active && (active == this || (InnerControl() && active == InnerControl()));
}

void TcxCustomEdit::HandleEnterMessage(TMessage& Message) {
  TcxCustomEditContainer::Dispatch(Message);
  if (SysLocale.FarEast && FDataBinding->DataAvailable() && !ActiveProperties()->ReadOnly()) SetInnerReadOnly(false);
}

void TcxCustomEdit::CreateHandle() {
  TcxCustomEditContainer::CreateHandle();
  if (InnerControl() && IsFocused()) FocusInnerControl();
}

void TcxCustomEdit::FocusInnerControl() {
  if (FInnerEdit)
    FInnerEdit->TakeInnerFocus();
  else
    TcxCustomEditContainer::FocusInnerControl();
}

void TcxCustomEdit::GetTabOrderList(TControlList& List) {
  TcxCustomEditContainer::GetTabOrderList(List);
  if (IsInPlace() && Visible()) std::erase(List, static_cast<TControl*>(Parent()));
}

// ---- mouse --------------------------------------------------------------------------------------------

void TcxCustomEdit::StopDoubleClickTimer() {
  if (FDoubleClickTimer) FDoubleClickTimer->SetEnabled(false);
}

void TcxCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  HandleMouseDown(Button, Shift, X, Y);
}

void TcxCustomEdit::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && FDoubleClickTimer->Enabled()) {
    StopDoubleClickTimer();
    if (ButtonIndexAtPoint(TPoint(X, Y)) == -1) DblClick();
  }
  TcxCustomEditContainer::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && HandleAllocated() && GetCapture() == Handle()) {
    int index = ButtonIndexAtPoint(TPoint(X, Y));
    if (index != -1 && EditViewInfo()->Button(index)->Data.State == ebsPressed) FHeldButtonIndex = index;
  }
}

void TcxCustomEdit::DblClick() {
  TPoint p = CursorClientPoint(this);
  if (ButtonIndexAtPoint(p) == -1) {
    TcxCustomEditContainer::DblClick();
    return;
  }
  // On a button the second click of a double click is one more press of the button.
  TShiftState shift = CurrentShiftState();
  shift.Include(ssLeft);
  MouseDown(mbLeft, shift, p.X, p.Y);
  Click();
}

void TcxCustomEdit::Click() {
  if (IsDestroying() || FValueChangeLockCount > 0) return;
  if (ComponentState().Contains(csLoading) && !ClicksWhenDesigning()) return;
  TcxCustomEditContainer::Click();
}

bool TcxCustomEdit::ApplyState(const TPoint& Point, int Button, TShiftState Shift, bool MouseEvent) {
  TcxCustomEditViewInfo* info = EditViewInfo();
  if (FHeldButtonIndex != -1 && !(HandleAllocated() && GetCapture() == Handle())) FHeldButtonIndex = -1;
  std::unique_ptr<TcxCustomEditViewInfo> copy;
  if (MouseEvent) {
    copy.reset(static_cast<TcxCustomEditViewInfo*>(ViewInfoClass()()));
    copy->CopyStateFrom(info);
  }
  info->RememberButtonStates();
  RecalculateAt(Point, Button, Shift, MouseEvent);
  TRect inner;
  if (InnerControl() && InnerTextShowsValue()) inner = TRect(InnerControl()->BoundsRect());
  if (info->InvalidateChangedParts(this, inner, copy.get()) || !copy) {
    PlaceInnerControl();
    RecalculateAt(Point, Button, Shift, MouseEvent);
    UpdateWindowRegion();
  }
  return true;
}

void TcxCustomEdit::RecalculateAt(const TPoint& Point, int Button, TShiftState Shift, bool MouseEvent) {
  std::unique_ptr<TcxCustomEditViewData> data(CreateEditViewData());
  data->CalculateLayout(Canvas(), TRect(0, 0, FWidth, FHeight), Point, Button, Shift, EditViewInfo(), MouseEvent);
}

void TcxCustomEdit::RecalculateForCursor() { RecalculateAt(CursorClientPoint(this), 0, CurrentShiftState(), false); }

void TcxCustomEdit::AfterStateRecalc() {
  TcxCustomEditViewInfo* info = EditViewInfo();
  int pressedBefore = info->PreviousPressedButton;
  if (pressedBefore == info->PressedButton && info->PreviousHotButton == info->SelectedButton) return;
  if (pressedBefore != -1) {
    if (info->PressedButton == pressedBefore) return;
    EditButtonReleased(pressedBefore);
    // A click is a press and a release over one button.
    if (info->SelectedButton == pressedBefore) FireButtonClick(pressedBefore);
  } else if (info->PressedButton != -1) {
    EditButtonPressed(info->PressedButton);
  }
}

String TcxCustomEdit::ButtonHintText(int Index) {
  String text;
  TcxCustomEditViewInfo* info = EditViewInfo();
  if (Index >= 0 && Index < info->ButtonCount()) text = info->Button(Index)->Hint;
  if (text.empty() && ShowHint()) text = Hint();
  return text;
}

void TcxCustomEdit::HandleHintShow(TMessage& Message) {
  auto* hint = reinterpret_cast<THintInfo*>(Message.LParam);
  TPoint p = hint ? TPoint(hint->CursorPos.x, hint->CursorPos.y) : CursorClientPoint(this);
  int part = EditViewInfo()->ButtonIndexAt(p);
  if (part == -2) {
    Message.Result = -1;
    return;
  }
  Message.Result = 0;
  if (!hint) return;
  hint->HintStr = GetShortHint(ButtonHintText(part));
  TRect r;
  EditViewInfo()->PartBounds(part, r);
  hint->CursorRect = RECT{r.Left, r.Top, r.Right, r.Bottom};
}

// ---- clipboard ----------------------------------------------------------------------------------------

bool TcxCustomEdit::HandleInnerMessage(TMessage& Message) {
  if (TcxCustomEditContainer::HandleInnerMessage(Message)) return true;
  bool innerHandles = FInnerEdit && FInnerEdit->HandlesClipboardMessages();
  switch (Message.Msg) {
    case WM_CUT: {
      if (innerHandles) return false;
      TcxFlagScope userAction(FUserAction, true);
      if (RequestEditing())
        CutSelectedText();
      else
        CopySelectedText();
      return true;
    }
    case WM_PASTE: {
      if (innerHandles || !RequestEditing()) return false;
      TcxFlagScope userAction(FUserAction, true);
      PasteText();
      return true;
    }
    case WM_UNDO: RequestEditing(); return false;
    default: return false;
  }
}

void TcxCustomEdit::HandleCut(TMessage&) {
  TcxFlagScope userAction(FUserAction, true);
  if (ReadOnlyInEffect() || !FDataBinding->HasData())
    CopySelectedText();
  else
    CutSelectedText();
}

void TcxCustomEdit::HandleCopy(TMessage&) { CopySelectedText(); }

void TcxCustomEdit::HandlePaste(TMessage&) {
  if (ReadOnlyInEffect() || !FDataBinding->HasData()) return;
  TcxFlagScope userAction(FUserAction, true);
  PasteText();
}

// ---- messages -----------------------------------------------------------------------------------------

void TcxCustomEdit::HandleShowingChanged(TMessage& Message) {
  TcxCustomEditContainer::Dispatch(Message);
  if (Showing()) PlaceInnerControl();
}

void TcxCustomEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_DIALOGCHAR: HandleDialogChar(Message); return;
    case CM_ENTER: HandleEnterMessage(Message); return;
    case CM_HINTSHOW: HandleHintShow(Message); return;
    case CM_SHOWINGCHANGED: HandleShowingChanged(Message); return;
    case WM_CUT: HandleCut(Message); return;
    case WM_COPY: HandleCopy(Message); return;
    case WM_PASTE: HandlePaste(Message); return;
    default: TcxCustomEditContainer::Dispatch(Message);
  }
}

void TcxCustomEdit::DefaultHandler(TMessage& Message) {
  // The host of an in-place editor shows its own context menu.
  if (IsInPlace() && Message.Msg == WM_CONTEXTMENU) return;
  TcxCustomEditContainer::DefaultHandler(Message);
}

// ---- in place -----------------------------------------------------------------------------------------

void TcxCustomEdit::EditDataCleared(TcxCustomEditData* AEditData) {
  if (!AEditData || AEditData != FEditData || !AEditData->Cleared()) return;
  SaveStateToEditData();
  AEditData->SetCleared(false);
}

void TcxCustomEdit::ActivateInplace(TcxCustomEditData*& AEditData) {
  if (!AEditData && EditDataClass()) AEditData = EditDataClass()(this);
  FEditData = AEditData;
  EditDataCleared(AEditData);
  SetVisible(true);
  if (HandleAllocated() && CanFocus()) {
    SetFocus();
    if (ActiveProperties()->AutoSelect()) SelectAllContent();
  }
  RefreshDisplayText();
  SetValueChanged(false);
  FActivated = true;
}

void TcxCustomEdit::ActivateByKey(TChar Key, TcxCustomEditData*& AEditData) {
  HookInnerWindowProc();
  try {
    ActivateInplace(AEditData);
    if (AcceptsActivationKey(Key)) SendEditorChar(this, Key);
  } catch (...) {
    UnhookInnerWindowProc();
    throw;
  }
  UnhookInnerWindowProc();
}

void TcxCustomEdit::ActivateByMouse(TShiftState Shift, int X, int Y, TcxCustomEditData*& AEditData) {
  ActivateInplace(AEditData);
  POINT p{X, Y};
  if (Parent()) p = ScreenToClient(Parent()->ClientToScreen(p));
  TPoint point(p.x, p.y);
  if (Shift.Contains(ssLeft)) {
    SendMouseMessageTo(this, WM_MOUSEMOVE, TShiftState(), point);
    SendMouseMessageTo(this, WM_LBUTTONDOWN, Shift, point);
    // The button came up before the editor was there to see it: nothing may keep the mouse.
    if (HandleAllocated() && GetCapture() == Handle() && GetAsyncKeyState(VK_LBUTTON) >= 0) ReleaseCapture();
  } else {
    SendMouseMessageTo(this, WM_LBUTTONUP, Shift, point);
  }
  FDoubleClickTimer->SetEnabled(true);
}

void TcxCustomEdit::InnerWindowProc(TMessage& Message) { CallPreviousWindowProc(FInnerWindowProcHook, Message); }

void TcxCustomEdit::HookInnerWindowProc() {
  if (FInnerWindowProcHook || !InnerControl()) return;
  TcxWindowProcController* controller = WindowProcControllerInstance();
  if (!controller) return;
  FInnerWindowProcHook = controller->HookControl(InnerControl(), [this](TMessage& Message) { InnerWindowProc(Message); });
}

void TcxCustomEdit::UnhookInnerWindowProc() {
  if (!FInnerWindowProcHook) return;
  if (TcxWindowProcController* controller = WindowProcControllerInstance())
    controller->Unhook(FInnerWindowProcHook);
  FInnerWindowProcHook = nullptr;
}

bool TcxCustomEdit::IsOwnWindow(HWND Wnd) {
  if (!Wnd || !HandleAllocated()) return false;
  return Wnd == Handle() || IsChild(Handle(), Wnd);
}

// ---- the inner control and the view data --------------------------------------------------------------

IcxCustomInnerEdit* TcxCustomEdit::CreateInnerControl() {
  TClass innerClass = InnerControlClass();
  if (!innerClass) return nullptr;
  TObject* made = innerClass->Create(this);
  if (auto* helper = dynamic_cast<IcxInnerEditHelper*>(made)) return helper->InnerEditAdapter();
  if (auto* inner = dynamic_cast<IcxCustomInnerEdit*>(made)) return inner;
  delete made;
  return nullptr;
}

void TcxCustomEdit::InitializeInnerControl() {
  FInnerEdit->SetEditor(this);
  if (ActiveProperties()->HasTextChangeEvents()) FInnerEdit->SetOnChange([this](TObject*) { HandleDataChanged(); });
  FInnerEdit->InnerControl()->SetParentShowHint(false);
}

TcxCustomEditViewData* TcxCustomEdit::CreateEditViewData() {
  TcxCustomEditViewData* data = ActiveProperties()->CreateViewData(StyleInEffect(), IsInPlace(), false);
  if (IsInPlace() && FStoredLayoutValid) {
    data->InplaceContentOffsets = FStoredInplaceContentOffsets;
    data->ContentOffsets.Margins = FStoredContentMargins;
    data->EditValueFollowsText = FStoredValueFollowsText;
  }
  data->Edit = InnerControlMissing() ? nullptr : this;
  data->WindowHandle = HandleAllocated() ? WindowHandle() : nullptr;
  FillViewDataState(data);
  return data;
}

void TcxCustomEdit::FillViewDataState(TcxCustomEditViewData* ViewData) {
  ViewData->Enabled = Enabled();
  ViewData->Focused = IsFocused();
  if (HScrollBarVisible()) ViewData->HorzScrollBar = HScrollBar();
  ViewData->IsDesigning = IsDesigning();
  if (VScrollBarVisible()) ViewData->VertScrollBar = VScrollBar();
}

void TcxCustomEdit::PositionInnerControl() {
  TWinControl* inner = InnerControl();
  if (!inner) return;
  const TRect& c = EditViewInfo()->ClientRect;
  inner->SetBounds(c.Left, c.Top, c.Right - c.Left, c.Bottom - c.Top);
  AlignControl(inner);
}

void TcxCustomEdit::BorderExtent(TRect& Extent) {
  TcxCustomEditViewInfo* info = EditViewInfo();
  Extent = TRect(info->BorderRect.Left - info->Bounds.Left, info->BorderRect.Top - info->Bounds.Top,
                 info->Bounds.Right - info->BorderRect.Right, info->Bounds.Bottom - info->BorderRect.Bottom);
}

int TcxCustomEdit::PaintStateCode() {
  int code = TcxCustomEditContainer::PaintStateCode();
  return code != 1 && FProperties->ReadOnly() ? 3 : code;
}

TcxContainerStyleValues TcxCustomEdit::HiddenStyleValues() { return TcxContainerStyleValues::FromBits(0xFC00); }

bool TcxCustomEdit::UsesNativeStyle() {
  return TcxCustomEditViewData::UsesNativeEditBorder(NormalStyle()->LookAndFeel());
}

bool TcxCustomEdit::PaintsValueDirectly() { return DataIsBound() && ControlState().Contains(csPaintCopy); }

void TcxCustomEdit::PaintValueDirectly() {
  ClipOutShadow();
  std::unique_ptr<TcxCustomEditViewInfo> info(static_cast<TcxCustomEditViewInfo*>(ViewInfoClass()()));
  info->Edit = this;
  std::unique_ptr<TcxCustomEditViewData> data(CreateEditViewData());
  Variant value;
  FDataBinding->ReadStoredValue(value);
  data->PrepareDisplayValue(Canvas(), value, info.get());
  TRect bounds(0, 0, FWidth, FHeight);
  data->CalculateLayout(Canvas(), bounds, TPoint(-1, -1), 0, TShiftState(), info.get(), false);
  info->PaintWithHandler(Canvas());
  Canvas()->ExcludeRectFromClip(bounds);
}

void TcxCustomEdit::Paint() {
  if (PaintsValueDirectly()) {
    PaintValueDirectly();
    return;
  }
  EnsureLayout();
  EditViewInfo()->PaintWithHandler(Canvas());
}

void TcxCustomEdit::RequestAlign() {
  TcxCustomEditContainer::RequestAlign();
  RefreshStateAtCursor(false);
}

// ---- size ---------------------------------------------------------------------------------------------

int TcxCustomEdit::Height() {
  EnsureHandle();
  return FHeight;
}

void TcxCustomEdit::EnsureHandle() {
  if (HandleAllocated() || IsDestroying() || FCreatingHandle || !CanGetWindowHandle(this)) return;
  TcxFlagScope creating(FCreatingHandle, true);
  HandleNeeded();
}

void TcxCustomEdit::SetAutoSize(bool Value) {
  if (IsInPlace() || FAutoSize == Value) return;
  FAutoSize = Value;
  AutoSizeChanged();
  if (!Value) return;
  EnsureHandle();
  PlaceInnerControl();
  RefreshStateAtCursor(false);
}

bool TcxCustomEdit::WidthAutoSizes() {
  TAlign align = Align();
  return AutoSizeActive() && AutoSizeAdjustsWidth() && align != alTop && align != alBottom && align != alClient &&
         align != alCustom;
}

bool TcxCustomEdit::KeepsWidth() { return AutoSizeActive() && AutoSizeKeepsWidth(); }

void TcxCustomEdit::SizeConstraints(TcxEditSizeRequest& Request) {
  Request.Height = -1;
  Request.MaxLineCount = 1;
  Request.Width = WidthAutoSizes() && !KeepsWidth() ? kUnsetAnchor : FWidth;
}

void TcxCustomEdit::CalculateAutoSize(int& AWidth, int& AHeight) {
  if (!AutoSizeActive()) return;
  TcxEditSizeRequest request;
  SizeConstraints(request);
  std::unique_ptr<TcxCustomEditViewData> data(CreateEditViewData());
  TcxScreenCanvas canvas;
  TSize size;
  data->MeasureEditorSize(&canvas, EditValue(), size, EditViewInfo(), request);
  if (WidthAutoSizes()) AWidth = size.cx;
  TAlign align = Align();
  if (align != alLeft && align != alRight && align != alClient && align != alCustom) AHeight = size.cy;
}

bool TcxCustomEdit::CanResize(int& NewWidth, int& NewHeight) {
  bool result = TcxCustomEditContainer::CanResize(NewWidth, NewHeight);
  if (result && !ComponentState().Contains(csLoading)) CalculateAutoSize(NewWidth, NewHeight);
  return result;
}

void TcxCustomEdit::PlaceInnerControl() {
  if (!HandleAllocated() || IsDestroying()) return;
  int width = FWidth, height = FHeight;
  CalculateAutoSize(width, height);
  int left = FLeft, top = FTop;
  CalculateAnchoredPosition(width, height, left, top);
  SetBounds(left, top, width, height);
  PositionInnerControl();
}

void TcxCustomEdit::CalculateAnchoredPosition(int AWidth, int AHeight, int& ALeft, int& ATop) {
  ALeft = FLeft;
  ATop = FTop;
  // Right after loading the stored anchors are the ones to keep, once.
  bool justLoaded = FLoadedFlag;
  FLoadedFlag = false;
  if (!HasAutoSizeAnchor() || !WidthAutoSizes() || KeepsWidth()) return;
  if (!justLoaded) UpdateAutoSizeAnchors();
  TcxEditAlignment* alignment = ActiveProperties()->Alignment();
  if (AnchorsHorizontally() && FAnchorX != kUnsetAnchor)
    ALeft = FAnchorX - (alignment->Horz() == taCenter ? HalfSize(AWidth) : AWidth);
  if (AnchorsVertically() && FAnchorY != kUnsetAnchor)
    ATop = FAnchorY - (alignment->Vert() == taVCenter ? HalfSize(AHeight) : AHeight);
}

void TcxCustomEdit::UpdateAutoSizeAnchors() {
  TComponentState state = ComponentState();
  // A loaded editor keeps its stored anchors until its first placement has used them.
  if (state.Contains(csLoading) || state.Contains(csReading) || FLoadedFlag) return;
  TcxEditAlignment* alignment = ActiveProperties()->Alignment();
  if (AnchorsHorizontally()) FAnchorX = FLeft + (alignment->Horz() == taCenter ? HalfSize(FWidth) : FWidth);
  if (AnchorsVertically()) FAnchorY = FTop + (alignment->Vert() == taVCenter ? HalfSize(FHeight) : FHeight);
}

// ---- helpers of the editor unit -----------------------------------------------------------------------

bool EditValuesSame(const Variant& V1, const Variant& V2) {
  bool comparable = (VarHoldsNumber(V1) && VarHoldsNumber(V2)) || VarType(V1) == VarType(V2);
  return comparable && VarEqualsLoose(V1, V2);
}

LRESULT SendMouseMessageTo(TWinControl* Control, UINT Msg, TShiftState Shift, const TPoint& P) {
  LPARAM point = static_cast<LPARAM>((static_cast<DWORD>(P.Y & 0xFFFF) << 16) | static_cast<DWORD>(P.X & 0xFFFF));
  return SendMessage(Control->Handle(), Msg, ShiftStateToMouseKeys(Shift), point);
}

LRESULT SendEditorKeyMessage(TWinControl* Editor, UINT Msg, WPARAM Key) {
  return SendMessage(Editor->Handle(), Msg, Key, 0);
}

LRESULT SendEditorKeyDown(TWinControl* Editor, WORD Key) { return SendEditorKeyMessage(Editor, WM_KEYDOWN, Key); }

LRESULT SendEditorChar(TWinControl* Editor, TChar Ch) {
  return SendEditorKeyMessage(Editor, WM_CHAR, static_cast<WPARAM>(Ch));
}

TShiftState ShiftStateOfMouseButton(TMouseButton Button) {
  switch (Button) {
    case mbLeft: return TShiftState{ssLeft};
    case mbRight: return TShiftState{ssRight};
    case mbMiddle: return TShiftState{ssMiddle};
  }
  return TShiftState();
}

TShiftState ShiftStateOfButtonCode(int Code) {
  switch (Code) {
    case 1: return TShiftState{ssLeft};
    case 2: return TShiftState{ssRight};
    case 3: return TShiftState{ssMiddle};
    default: return TShiftState();
  }
}
