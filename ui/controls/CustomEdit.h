#pragma once
// The editor base: a container that keeps one value (a variant), takes its settings from its own
// properties or from a shared repository item, stores and reads the value through a data binding
// and is laid out and painted by its properties' view data and view info.
//
// The value's life: it is set (EditValue), changed by the operator (UserAction, RequestEditing,
// Modified), validated (ValidateEnteredValue), posted (PostEditValue) and reverted (Escape).
// OnChange and OnEditValueChanged may be held back while change events are locked; they fire, in
// that order, when the last lock is released with Fire.
//
// Around the value: keys (clear key, click key, Tab, Enter, Escape, accelerators, navigation keys
// left to the host), the mouse on the edit buttons, focus, in-place use by a host that activates
// the editor by key or mouse, and auto size with an anchor that keeps a point of the editor still.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Variant.h"
#include "ui/controls/Container.h"
#include "ui/controls/EditDataBinding.h"
#include "ui/controls/EditProperties.h"
#include "ui/controls/EditStyle.h"
#include "ui/controls/EditViewData.h"
#include "ui/controls/EditViewInfo.h"

class TcxCustomEdit;
class TcxEditRepositoryItem;
class TcxTimer;
class TcxWindowProcLinkedObject;

// The characters an editor treats as blank: NUL, TAB, LF, FF, CR and space.
inline bool IsBlankChar(char32_t Ch) {
  switch (Ch) {
    case U'\0': case U'\t': case U'\n': case U'\f': case U'\r': case U' ':
      return true;
    default:
      return false;
  }
}

// ---- the inner control ------------------------------------------------------------------------------

// How the editor drives its inner control (a text editor's edit box).
class IcxCustomInnerEdit : public IcxContainerInnerControl {
 public:
  // Whether the inner control handles WM_CUT and WM_PASTE itself.
  virtual bool HandlesClipboardMessages() = 0;
  virtual void TakeInnerFocus() = 0;
  virtual void SetEditor(TcxCustomEdit* Editor) = 0;
  virtual void SetOnChange(TNotifyEvent Handler) = 0;
  virtual void SetInnerReadOnly(bool Value) = 0;
};

// An inner control that hands out a separate object implementing IcxCustomInnerEdit.
class IcxInnerEditHelper : public virtual IInterface {
 public:
  virtual IcxCustomInnerEdit* InnerEditAdapter() = 0;
};

// What an in-place host asks of an editor that shows text.
class IcxInplaceEditText : public virtual IInterface {
 public:
  virtual bool InplaceTextQuery() = 0;
  virtual void SetInplaceText(const String& Value) = 0;
  virtual void SetInplaceFlag(bool Value) = 0;
  virtual void SetEditValueQuietly(const Variant& Value) = 0;
};

// ---- the change events held back ----------------------------------------------------------------------

class TcxEditChangeEventsCatcher : public TObject {
  VW_CLASS(TcxEditChangeEventsCatcher, TObject)
 public:
  explicit TcxEditChangeEventsCatcher(TcxCustomEdit* AEdit) : FEdit(AEdit) {}

  // Locking from 0 forgets what was held; the last unlock with Fire fires it, OnChange first.
  void Lock(bool ALock, bool Fire);
  bool IsLocked() const { return FLockCount > 0; }
  int LockCount() const { return FLockCount; }
  bool OnChangePending = false;
  bool OnEditValueChangedPending = false;

 private:
  TcxCustomEdit* FEdit;
  int FLockCount = 0;
};

// ---- the editor -------------------------------------------------------------------------------------

class TcxCustomEditContainer : public TcxContainer {
  VW_CLASS(TcxCustomEditContainer, TcxContainer)
 public:
  explicit TcxCustomEditContainer(TComponent* AOwner) : TcxContainer(AOwner) {}

 protected:
  TcxCustomEditContainer(TComponent* AOwner, const TcxContainerClasses& Classes) : TcxContainer(AOwner, Classes) {}
};

// The classes an editor is made of. Descendants pass theirs to the protected constructor: the
// constructor cannot ask the virtual operations yet.
struct TcxCustomEditClasses {
  TClass PropertiesClass = nullptr;
  // Null: no inner control.
  TClass InnerControlClass = nullptr;
  TcxEditDataBindingClass DataBindingClass;
};

// What the editor asks its view data to measure: -1 leaves a side free.
using TcxEditSizeRequest = TcxEditSizeProperties;

using TcxEditInplaceKeyDownEvent = std::function<void(TObject* Sender, win::WORD& Key, TShiftState Shift)>;

class TcxCustomEdit : public TcxCustomEditContainer, public IcxInplaceEditText {
  VW_CLASS(TcxCustomEdit, TcxCustomEditContainer)
 public:
  explicit TcxCustomEdit(TComponent* AOwner);
  ~TcxCustomEdit() override;
  static void DeclareProperties(TPropTable& t);

  // Makes an editor of EditClass that is in place (or not) from its construction on.
  static TcxCustomEdit* ConstructInplace(TClass EditClass, TComponent* AOwner, bool IsInplace);

  // ---- properties ----------------------------------------------------------------------------------
  TcxCustomEditProperties* Properties() const { return FProperties.get(); }
  void SetProperties(TcxCustomEditProperties* Value) { FProperties->Assign(Value); }
  TcxCustomEditProperties* ActiveProperties();
  TcxEditRepositoryItem* RepositoryItem() const { return FRepositoryItem; }
  void SetRepositoryItem(TcxEditRepositoryItem* Value);
  TcxEditDataBinding* DataBinding() const { return FDataBinding.get(); }
  // Brings the auto size up to date (making the window when it can) first.
  int Height();
  bool AutoSize() const { return FAutoSize; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TcxEditStyle* Style() { return static_cast<TcxEditStyle*>(Styles()->NormalStyle()); }
  void SetStyle(TcxEditStyle* Value) { Style()->AssignFrom(Value); }
  TcxEditStyle* StyleDisabled() { return static_cast<TcxEditStyle*>(Styles()->DisabledStyle()); }
  void SetStyleDisabled(TcxEditStyle* Value) { StyleDisabled()->AssignFrom(Value); }
  TcxEditStyle* StyleFocused() { return static_cast<TcxEditStyle*>(Styles()->FocusedStyle()); }
  void SetStyleFocused(TcxEditStyle* Value) { StyleFocused()->AssignFrom(Value); }
  TcxEditStyle* StyleHot() { return static_cast<TcxEditStyle*>(Styles()->HotStyle()); }
  void SetStyleHot(TcxEditStyle* Value) { StyleHot()->AssignFrom(Value); }
  TcxCustomEditStyle* StyleInEffect();
  TcxCustomEditViewInfo* EditViewInfo() { return static_cast<TcxCustomEditViewInfo*>(ViewInfo()); }

  bool Modified() const { return FModified; }
  bool ValueChanged() const { return FValueChanged; }
  bool Validated() const { return FValidated; }
  void SetValidated(bool Value) { FValidated = Value; }
  bool UserAction() const { return FUserAction; }
  void SetUserAction(bool Value) { FUserAction = Value; }
  const Variant& SavedEditValue() const { return FSavedEditValue; }
  int ValueChangeLockCount() const { return FValueChangeLockCount; }
  int EditingEventLockCount() const { return FEditingEventLockCount; }
  int HeldButtonIndex() const { return FHeldButtonIndex; }
  void SetHeldButtonIndex(int Value) { FHeldButtonIndex = Value; }
  TcxCustomEditData* EditData() const { return FEditData; }
  IcxCustomInnerEdit* InnerEdit() const { return FInnerEdit; }
  TcxTimer* DoubleClickTimer() const { return FDoubleClickTimer.get(); }
  int AnchorX() const { return FAnchorX; }
  int AnchorY() const { return FAnchorY; }
  int ModifiedStateDepth() const { return static_cast<int>(FModifiedStates.size()); }
  bool IsPosting() const { return FPosting; }
  bool IsValidating() const { return FValidating; }
  // OnEditing is being asked whether the value may change.
  bool IsRequestingEditing() const { return FRequestingEditing; }
  // Escape reverted the value; the character it makes is still on its way.
  bool EscapeReverted() const { return FEscapeReverted; }
  bool IsExiting() const { return FExiting; }
  bool IsActivated() const { return FActivated; }
  bool IsInplaceText() const { return FInplaceText; }
  bool InnerWindowProcHooked() const { return FInnerWindowProcHook != nullptr; }

  TcxEditInplaceKeyDownEvent OnInplaceKeyDown;
  TcxEditEditingEvent OnEditing;
  TNotifyEvent OnPostEditValue;
  // A design-time anchor for the properties' events.
  TNotifyEvent PropertiesEvents;

  // ---- operations the library calls ---------------------------------------------------------------
  bool RequestEditing();
  void LockChangeEvents(bool Lock, bool Fire = true);
  bool IsChangeEventsLocked() const { return FChangeEventsCatcher->IsLocked(); }
  TcxEditChangeEventsCatcher* ChangeEventsCatcher() const { return FChangeEventsCatcher.get(); }
  void LockValueChanges(bool Lock);
  void LockEditingEvent(bool Lock);
  void PostEditValue(bool Validate);
  bool CanPostEditValue();
  bool ValidateEnteredValue(bool RaiseError);
  void MarkModified(bool Value);
  void SetValueChanged(bool Value);
  void MarkModifiedAndChange();
  void PushModifiedState();
  void PopModifiedState();
  bool DataIsBound();
  bool ShowsEditingState();
  bool HasChangeHandler();
  bool HasEditValueChangedHandler();
  virtual bool HasValidateHandler();
  // The own properties' OnValidate first, then the repository item's.
  virtual void FireValidate(Variant& DisplayValue, String& ErrorText, bool& Error);
  void NotifyPopupClosed(int Reason);
  bool CanRevertNow();
  void RepositoryPropertiesChanged(TcxEditRepositoryItem* Item);
  int DefaultButtonIndex();
  int ButtonIndexAtPoint(const TPoint& P);
  bool HasInnerControl() { return FInnerEdit != nullptr; }
  bool InnerControlMissing();
  void ApplyReadOnlyToInner();
  void SetInnerReadOnly(bool Value);
  void ProcessExit(bool FireExit);
  void EditDataCleared(TcxCustomEditData* AEditData);
  bool IsClearOrClickKey(win::WORD Key, TShiftState Shift);
  bool AcceptsMouseWheel(TShiftState Shift);
  void FireKeyDownNotification(win::WORD& Key, TShiftState Shift);
  bool ClickButtonByAccelerator(TChar Ch);
  void RecalculateForCursor();
  void RecalculateAt(const TPoint& Point, int Button, TShiftState Shift, bool MouseEvent);
  bool KeepsWidth();
  bool WidthAutoSizes();
  void CalculateAutoSize(int& AWidth, int& AHeight);
  void CalculateAnchoredPosition(int AWidth, int AHeight, int& ALeft, int& ATop);
  void EnsureHandle();
  String ButtonHintText(int Index);
  void FinishLoading() { Loaded(); }
  void ReadFromStream(TReader* Reader) { ReadState(Reader); }

  // ---- virtual operations, in slot order ------------------------------------------------------------
  virtual void UpdateAutoSizeAnchors();
  virtual void PositionInnerControl();
  virtual void EndPostEditValue() { FPosting = false; }
  virtual void BeginPostEditValue() { FPosting = true; }
  virtual bool AutoSizeActive() { return !IsInPlace() && FAutoSize; }
  virtual bool AutoSizeKeepsWidth() { return false; }
  virtual bool AutoSizeAdjustsWidth();
  virtual bool IsValueChangingKey(win::WORD, TShiftState) { return false; }
  virtual bool IsValueChangingChar(TChar) { return false; }
  virtual bool IsEditAllowed();
  virtual void HandleDataChanged();
  virtual IcxCustomInnerEdit* CreateInnerControl();
  // Owned by the caller.
  virtual TcxCustomEditViewData* CreateEditViewData();
  virtual void ClickDefaultButton();
  virtual void AutoSizeChanged() {}
  virtual void FireButtonClick(int Index);
  virtual void EditButtonPressed(int) {}
  virtual void EditButtonReleased(int) {}
  virtual void NotifyChange();
  virtual void NotifyEditValueChanged();
  virtual void EditKeyDown(win::WORD& Key, TShiftState Shift);
  virtual void EditKeyPress(TChar& Key);
  virtual void EditKeyUp(win::WORD&, TShiftState) {}
  virtual void PrepareTabExit(TShiftState) {}
  virtual bool FocusChanged();
  virtual void CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error);
  virtual void FireChangeEvent();
  virtual void FireEditValueChangedEvent();
  virtual void BeginFocusedEditing();
  virtual void ReadOnlyChanged() { ApplyReadOnlyToInner(); }
  virtual void SizeConstraints(TcxEditSizeRequest& Request);
  virtual Variant DefaultEditValue() { return Variant::Null(); }
  virtual TcxEditDataBindingClass DataBindingClass() { return FClasses.DataBindingClass; }
  virtual String CurrentDisplayText() { return String(); }
  // Null: the editor keeps no edit data.
  virtual TcxCustomEditDataClass EditDataClass() { return nullptr; }
  virtual Variant EffectiveEditValue();
  virtual Variant EditValue() { return FEditValue; }
  virtual TClass InnerControlClass() { return FClasses.InnerControlClass; }
  virtual void ReportValidationError(const String& ErrorText, bool AbortSilently);
  virtual void InitializeEditor();
  virtual void SaveStateToEditData() {}
  virtual void InitializeInnerControl();
  virtual void FillViewDataState(TcxCustomEditViewData* ViewData);
  virtual bool SupportsEditing() { return true; }
  virtual Variant EditingValue() { return EditValue(); }
  virtual void ApplyEditValue(const Variant&) {}
  virtual void InternalSetEditValue(const Variant& Value, bool ValidateValue);
  virtual void ApplyEditValueGuarded(const Variant& Value);
  virtual bool IsFocusedOrActive();
  virtual bool SkipsButtonPainting(win::HDC) { return false; }
  virtual bool ClicksWhenDesigning() { return false; }
  virtual bool PaintsValueDirectly();
  virtual bool IsClickKey(win::WORD Key, TShiftState Shift);
  virtual bool IsEditValueStored() { return !VarIsNull(FEditValue); }
  virtual bool UsesParentBackground() { return false; }
  virtual bool IsTransparent() { return !IsInPlace() && FTransparent; }
  virtual bool IsKeyAcceptable(TChar Ch);
  virtual bool NotifiesKeyDown(win::WORD, TShiftState) { return false; }
  virtual void PaintValueDirectly();
  virtual void ConvertValueByProperties(const Variant& DisplayValue, Variant& AEditValue, bool Editing);
  virtual void PropertiesChanged(TObject* Sender);
  virtual bool ReadOnlyInEffect();
  virtual void RepositoryItemChanged() {}
  virtual void RepositoryItemChanging() {}
  virtual void RevertEditValue();
  virtual bool AcceptsActivationKey(TChar) { return true; }
  virtual bool TrySetEditingText(const String&) { return false; }
  // AutoSize's writer: ignored in place.
  void SetAutoSize(bool Value) override;
  virtual void SetEditValue(const Variant& Value);
  virtual void SetEditValueChecked(const Variant& Value);
  virtual void SetInnerEditValue(const Variant&) {}
  virtual void RefreshDisplayText() {}
  virtual void RefreshValueFromDisplay() {}
  virtual bool WantsTabKey() { return IsInPlace(); }
  virtual bool RefreshesOnExit() { return true; }
  virtual void RefreshDrawnValue() {}
  virtual bool CanProcessKey(win::WORD Key, TShiftState Shift);
  virtual bool ValidateKeyChar(TChar& Key);
  virtual bool HandlesNavigationKeys() { return false; }
  virtual void InnerWindowProc(TMessage& Message);
  virtual void HookInnerWindowProc();
  virtual void UnhookInnerWindowProc();
  virtual bool HasAutoSizeAnchor() { return AnchorsHorizontally() || AnchorsVertically(); }
  virtual bool AnchorsHorizontally() { return false; }
  virtual bool AnchorsVertically() { return false; }
  bool InplaceTextQuery() override { return false; }
  void SetInplaceFlag(bool Value) override { FInplaceText = Value; }
  void SetInplaceText(const String&) override {}
  void SetEditValueQuietly(const Variant& Value) override { InternalSetEditValue(Value, false); }
  virtual void ActivateInplace(TcxCustomEditData*& AEditData);
  virtual void ActivateByKey(TChar Key, TcxCustomEditData*& AEditData);
  virtual void ActivateByMouse(TShiftState Shift, int X, int Y, TcxCustomEditData*& AEditData);
  virtual void ResetEditValue() { SetEditValue(DefaultEditValue()); }
  virtual void CopySelectedText() {}
  virtual void CutSelectedText() {}
  virtual bool CheckEditValue();
  virtual TClass PropertiesClass() { return FClasses.PropertiesClass; }
  virtual bool IsOwnWindow(win::HWND Wnd);
  virtual bool InnerTextShowsValue() { return false; }
  virtual bool AcceptsRepositoryItem(TcxEditRepositoryItem* Item);
  virtual void PasteText() {}
  virtual void ConvertDisplayToEditValue(const Variant&, Variant&, bool) {}
  virtual void SelectAllContent() {}

  // ---- overrides of the container ---------------------------------------------------------------------
  bool HandlesTabKey() override { return false; }
  bool HandleInnerMessage(TMessage& Message) override;
  void AfterStateRecalc() override;
  bool ApplyState(const TPoint& Point, int Button, TShiftState Shift, bool MouseEvent) override;
  void PlaceInnerControl() override;
  void FocusInnerControl() override;
  bool IsInPlace() override { return FIsInplace; }
  void BorderExtent(TRect& Extent) override;
  int PaintStateCode() override;
  TcxContainerStyleClass StyleClass() override { return ActiveProperties()->StyleClass(); }
  TcxContainerViewInfoClass ViewInfoClass() override { return ActiveProperties()->ViewInfoClass(); }
  TcxContainerStyleValues HiddenStyleValues() override;
  bool DependsOnParentLook() override { return UsesParentBackground() || IsTransparent(); }
  bool UsesNativeStyle() override;
  void NotifyFocusChanged() override;
  void GetTabOrderList(TControlList& List) override;
  void Click() override;
  void DblClick() override;
  void DefaultHandler(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void SetParent(TWinControl* AParent) override;

 protected:
  TcxCustomEdit(TComponent* AOwner, const TcxCustomEditClasses& Classes);

  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;
  void ReadState(TReader* Reader) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(TChar& Key) override;
  void KeyUp(win::WORD& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CreateHandle() override;
  void RequestAlign() override;
  void Paint() override;
  bool CanResize(int& NewWidth, int& NewHeight) override;

  // The steps of the key handlers under their design names.
  void HandleKeyDown(win::WORD& Key, TShiftState Shift);
  void CancelBlockedEscape(TChar& Key);
  void HandleKeyUp(win::WORD& Key, TShiftState Shift);
  void HandleExit();
  void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  void HandleDialogChar(TMessage& Message);
  void HandleEnterMessage(TMessage& Message);
  void HandleHintShow(TMessage& Message);
  void HandleCut(TMessage& Message);
  void HandleCopy(TMessage& Message);
  void HandlePaste(TMessage& Message);
  void HandleShowingChanged(TMessage& Message);

  void SetEditValueField(const Variant& Value) {
    FEditValue = Value;
    ++FEditValueVersion;
  }
  // The value to be changed in place; counts as a new value.
  Variant& EditValueForUpdate() {
    ++FEditValueVersion;
    return FEditValue;
  }
  // Changes with every new value, so that a descendant can tell whether a value it derived is
  // still the one that stands.
  std::uint64_t EditValueVersion() const { return FEditValueVersion; }

 private:
  class TRepositoryListener;
  friend class TcxEditChangeEventsCatcher;
  friend class TRepositoryListener;

  void Construct(bool IsInplace);
  void LoadStoredLayout();
  void DetachPropertiesHandler();
  void AttachPropertiesHandler();
  bool IsLoadingOrDestroying();
  void FireWithModifiedState(const std::function<void()>& Fire);
  // Body with change events held, fired afterwards (also when Body raises).
  void InChangeEventsLock(const std::function<void()>& Body);
  void InEditingEventLock(const std::function<void()>& Body);
  void StopDoubleClickTimer();

  TcxCustomEditClasses FClasses;
  int FAnchorX = 2147483647;
  int FAnchorY = 2147483647;
  bool FAutoSize = false;
  int FHeldButtonIndex = -1;
  std::unique_ptr<TcxEditChangeEventsCatcher> FChangeEventsCatcher;
  int FValueChangeLockCount = 0;
  std::unique_ptr<TcxTimer> FDoubleClickTimer;
  TcxCustomEditData* FEditData = nullptr;
  bool FRequestingEditing = false;
  int FEditingEventLockCount = 0;
  bool FFocusedAndActive = false;
  bool FCreatingHandle = false;
  IcxCustomInnerEdit* FInnerEdit = nullptr;
  bool FInplaceText = false;
  bool FStoredLayoutValid = false;
  bool FValidated = false;
  bool FValidating = false;
  bool FEscapeReverted = false;
  bool FEscapeDown = false;
  bool FLoadedFlag = false;
  bool FExiting = false;
  bool FIsInplace = false;
  bool FBindingSetupPending = false;
  bool FPosting = false;
  bool FUserAction = false;
  bool FValueChanged = false;
  bool FModified = false;
  Variant FSavedEditValue;
  std::vector<std::pair<bool, bool>> FModifiedStates;
  TcxEditRepositoryItem* FRepositoryItem = nullptr;
  bool FTransparent = false;
  bool FErrorFocus = false;
  TcxWindowProcLinkedObject* FInnerWindowProcHook = nullptr;
  std::unique_ptr<TcxEditDataBinding> FDataBinding;
  Variant FEditValue = Variant::Null();
  std::uint64_t FEditValueVersion = 0;
  std::unique_ptr<TcxCustomEditProperties> FProperties;
  TRect FStoredInplaceContentOffsets;
  TRect FStoredContentMargins;
  bool FStoredValueFollowsText = false;
  bool FActivated = false;
  std::unique_ptr<TRepositoryListener> FRepositoryListener;
};

// The editor's user-action flag set for a scope and put back after.
class TcxEditUserActionScope {
 public:
  TcxEditUserActionScope(TcxCustomEdit* Edit, bool Value) : FEdit(Edit), FSaved(Edit->UserAction()) {
    FEdit->SetUserAction(Value);
  }
  ~TcxEditUserActionScope() { FEdit->SetUserAction(FSaved); }
  TcxEditUserActionScope(const TcxEditUserActionScope&) = delete;
  TcxEditUserActionScope& operator=(const TcxEditUserActionScope&) = delete;

 private:
  TcxCustomEdit* FEdit;
  bool FSaved;
};

// ---- helpers of the editor unit ---------------------------------------------------------------------

// Both numbers, or of one variant type, and loosely equal.
bool EditValuesSame(const Variant& V1, const Variant& V2);
// Sent at once to the control's window; the point in the control's client coordinates.
win::LRESULT SendMouseMessageTo(TWinControl* Control, win::UINT Msg, TShiftState Shift, const TPoint& P);
win::LRESULT SendEditorKeyMessage(TWinControl* Editor, win::UINT Msg, win::WPARAM Key);
win::LRESULT SendEditorKeyDown(TWinControl* Editor, win::WORD Key);
win::LRESULT SendEditorChar(TWinControl* Editor, TChar Ch);
TShiftState ShiftStateOfMouseButton(TMouseButton Button);
// Container button codes: 0 none, 1 left, 2 right, 3 middle.
TShiftState ShiftStateOfButtonCode(int Code);
// The menu shortcut of a key with its shift state.
TShortCut KeyShortCut(win::WORD Key, TShiftState Shift);
