#include "ui/editors/DropDownEdit.h"

#include "platform/classes/SysUtils.h"
#include "platform/classes/Utf8.h"
#include "platform/win/Focus.h"
#include "platform/win/Keyboard.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "ui/controls/EditRepository.h"
#include "ui/controls/VariantRoutines.h"
#include "ui/foundation/ObjectLinks.h"
#include "ui/foundation/ScopeGuards.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;

namespace {

// Change events held for a scope and fired when it is left, however it is left.
class TChangeEventsScope {
 public:
  explicit TChangeEventsScope(TcxCustomEdit* Edit) : FEdit(Edit) { FEdit->LockChangeEvents(true); }
  ~TChangeEventsScope() { FEdit->LockChangeEvents(false); }
  TChangeEventsScope(const TChangeEventsScope&) = delete;
  TChangeEventsScope& operator=(const TChangeEventsScope&) = delete;

 private:
  TcxCustomEdit* FEdit;
};

// The editor's value-change guard raised for a scope.
class TValueChangeScope {
 public:
  explicit TValueChangeScope(TcxCustomEdit* Edit) : FEdit(Edit) { FEdit->LockValueChanges(true); }
  ~TValueChangeScope() { FEdit->LockValueChanges(false); }
  TValueChangeScope(const TValueChangeScope&) = delete;
  TValueChangeScope& operator=(const TValueChangeScope&) = delete;

 private:
  TcxCustomEdit* FEdit;
};

bool IsEditorDestroying(TcxCustomEdit* Edit) { return Edit->ComponentState().Contains(csDestroying); }

template <class P>
void FireNotify(TcxCustomEdit* Edit, TNotifyEvent P::*Event) {
  auto* own = dynamic_cast<P*>(Edit->Properties());
  if (own && own->*Event) (own->*Event)(Edit);
  if (TcxEditRepositoryItem* item = Edit->RepositoryItem())
    if (auto* shared = dynamic_cast<P*>(item->Properties()); shared && shared->*Event) (shared->*Event)(Edit);
}

}  // namespace

// ---- TcxCustomDropDownEditProperties ---------------------------------------------------------------------

TcxCustomDropDownEditProperties::TcxCustomDropDownEditProperties(TPersistent* AOwner)
    : TcxCustomDropDownEditProperties(AOwner, TcxCustomEditPropertiesClasses{
                                                  EditButtonsClassOf<TcxEditButtons>(),
                                                  EditPropertiesValuesClassOf<TcxTextEditPropertiesValues>()}) {}

TcxCustomDropDownEditProperties::TcxCustomDropDownEditProperties(TPersistent* AOwner,
                                                                 const TcxCustomEditPropertiesClasses& Classes)
    : TcxCustomMaskEditProperties(AOwner, Classes) {
  Construct();
}

void TcxCustomDropDownEditProperties::Construct() {
  FGlyphButtonIndex = DropDownButtonIndex();
  FValidateOnEnter = true;
  TcxEditButtons* buttons = Buttons();
  buttons->BeginUpdate();
  buttons->Clear();
  buttons->AddButton()->SetKind(TcxEditButtonKind::bkDown);
  buttons->EndUpdate();
}

void TcxCustomDropDownEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomDropDownEditProperties*>(Source);
  if (!source || source == this) {
    TcxCustomMaskEditProperties::Assign(Source);
    return;
  }
  TcxEditPropertiesUpdate update(this);
  TcxCustomMaskEditProperties::Assign(Source);
  FGlyphButtonIndex = source->FGlyphButtonIndex;
  FImmediateDropDown = source->FImmediateDropDown;
  FImmediatePopup = source->FImmediatePopup;
  SetKeepArrowHeld(source->FKeepArrowHeld);
  FPopupAutoSize = source->FPopupAutoSize;
  SetPopupClientEdge(source->FPopupClientEdge);
  FPopupDirection = source->FPopupDirection;
  SetPopupAlignment(source->FPopupAlignment);
  SetPopupMinHeight(source->FPopupMinHeight);
  SetPopupMinWidth(source->FPopupMinWidth);
  SetPopupHeight(source->FPopupHeight);
  SetPopupWidth(source->FPopupWidth);
  SetPopupSizeable(source->FPopupSizeable);
  SetPopupSysPanelStyle(source->FPopupSysPanelStyle);
  FPopupVertAlignment = source->FPopupVertAlignment;
  FPostPopupValueOnTab = source->FPostPopupValueOnTab;
  OnCloseQuery = source->OnCloseQuery;
  OnCloseUp = source->OnCloseUp;
  OnFinalizePopup = source->OnFinalizePopup;
  OnInitPopup = source->OnInitPopup;
  OnPopup = source->OnPopup;
}

TBitmap* TcxCustomDropDownEditProperties::ButtonGlyph() {
  if (FGlyphButtonIndex < 0 || FGlyphButtonIndex >= Buttons()->Count()) return nullptr;
  return Buttons()->ButtonAt(FGlyphButtonIndex)->Glyph();
}

void TcxCustomDropDownEditProperties::SetButtonGlyph(TBitmap* Value) {
  if (FGlyphButtonIndex < 0 || FGlyphButtonIndex >= Buttons()->Count()) return;
  Buttons()->ButtonAt(FGlyphButtonIndex)->SetGlyph(Value);
  ApplyGlyphKind();
}

bool TcxCustomDropDownEditProperties::ButtonGlyphStored() {
  if (FGlyphButtonIndex < 0 || FGlyphButtonIndex >= Buttons()->Count()) return false;
  TBitmap* glyph = Buttons()->ButtonAt(FGlyphButtonIndex)->AssignedGlyph();
  return glyph && !glyph->Empty();
}

void TcxCustomDropDownEditProperties::MoveGlyphToButton(int Index) {
  TcxEditButtons* buttons = Buttons();
  if (Index == FGlyphButtonIndex || Index < 0 || Index >= buttons->Count()) return;
  TcxEditPropertiesUpdate update(this);
  if (FGlyphButtonIndex >= 0 && FGlyphButtonIndex < buttons->Count()) {
    TcxEditButton* old = buttons->ButtonAt(FGlyphButtonIndex);
    buttons->ButtonAt(Index)->SetGlyph(old->AssignedGlyph());
    old->SetGlyph(nullptr);
    if (old->Kind() == TcxEditButtonKind::bkGlyph) old->SetKind(TcxEditButtonKind::bkDown);
  }
  buttons->ButtonAt(Index)->SetKind(TcxEditButtonKind::bkGlyph);
  FGlyphButtonIndex = Index;
}

void TcxCustomDropDownEditProperties::ApplyGlyphKind() {
  if (FGlyphButtonIndex < 0 || FGlyphButtonIndex >= Buttons()->Count()) return;
  TcxEditButton* button = Buttons()->ButtonAt(FGlyphButtonIndex);
  TBitmap* glyph = button->AssignedGlyph();
  if (glyph && !glyph->Empty())
    button->SetKind(TcxEditButtonKind::bkGlyph);
  else if (button->Kind() == TcxEditButtonKind::bkGlyph)
    button->SetKind(TcxEditButtonKind::bkDown);
}

void TcxCustomDropDownEditProperties::ButtonsChanged(TObject* Sender) {
  ApplyGlyphKind();
  TcxCustomMaskEditProperties::ButtonsChanged(Sender);
}

void TcxCustomDropDownEditProperties::SetKeepArrowHeld(bool Value) {
  if (Value == FKeepArrowHeld) return;
  FKeepArrowHeld = Value;
  SignalChanged();
}

void TcxCustomDropDownEditProperties::SetPopupClientEdge(bool Value) {
  if (Value == FPopupClientEdge) return;
  FPopupClientEdge = Value;
  SignalChanged();
}

void TcxCustomDropDownEditProperties::SetPopupSizeable(bool Value) {
  if (Value == FPopupSizeable) return;
  FPopupSizeable = Value;
  SignalChanged();
}

void TcxCustomDropDownEditProperties::SetPopupSysPanelStyle(bool Value) {
  if (Value == FPopupSysPanelStyle) return;
  FPopupSysPanelStyle = Value;
  SignalChanged();
}

void TcxCustomDropDownEditProperties::SetPopupAlignment(TAlignment Value) {
  if (Value == FPopupAlignment) return;
  FPopupAlignment = Value;
  SignalChanged();
}

void TcxCustomDropDownEditProperties::SetPopupHeight(int Value) {
  FPopupHeight = Value > 0 ? std::max(Value, FPopupMinHeight) : 0;
}

void TcxCustomDropDownEditProperties::SetPopupWidth(int Value) {
  FPopupWidth = Value > 0 ? std::max(Value, FPopupMinWidth) : 0;
}

void TcxCustomDropDownEditProperties::SetPopupMinHeight(int Value) {
  FPopupMinHeight = std::max(Value, 0);
  SetPopupHeight(FPopupHeight);
}

void TcxCustomDropDownEditProperties::SetPopupMinWidth(int Value) {
  FPopupMinWidth = std::max(Value, 0);
  SetPopupWidth(FPopupWidth);
}

TcxEditPopupWindowClass TcxCustomDropDownEditProperties::PopupWindowClass() {
  return EditPopupWindowClassOf<TcxCustomEditPopupWindow>();
}

TClass TcxCustomDropDownEditProperties::EditClass() { return TcxCustomDropDownEdit::StaticClass(); }

TcxCustomEditViewDataClass TcxCustomDropDownEditProperties::ViewDataClass() {
  return EditViewDataClassOf<TcxCustomDropDownEditViewData>();
}

// ---- TcxCustomDropDownEditViewData -----------------------------------------------------------------------

void TcxCustomDropDownEditViewData::CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                                    int AButton, TShiftState AShift,
                                                    TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  TcxCustomDropDownEditProperties* properties = DropDownProperties();
  const bool themed = IsNativeThemeActive(NativeStyle, tciComboBox);
  ArrowHeldNow = properties->KeepArrowHeld() || themed;
  TcxCustomTextEditViewData::CalculateLayout(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  auto* info = static_cast<TcxCustomTextEditViewInfo*>(AViewInfo);
  const bool fixedList = properties->TypingMode() == etmListOnly;
  info->SelectionBar = fixedList && Focused && Enabled && !properties->ReadOnly() && !info->Transparent &&
                       !PopupOpen && !themed;
}

bool TcxCustomDropDownEditViewData::ButtonHeldDown(TcxCustomEditViewInfo* AViewInfo, int AVisibleIndex) {
  if (TcxCustomTextEditViewData::ButtonHeldDown(AViewInfo, AVisibleIndex)) return true;
  if (!ArrowHeldNow || !(PopupOpen || HotAndOpen)) return false;
  return AViewInfo->Button(AVisibleIndex)->ButtonIndex == DropDownProperties()->DropDownButtonIndex();
}

int TcxCustomDropDownEditViewData::CalculateEditState(TcxCustomEditViewInfo* AViewInfo) {
  if (!IsNativeThemeActive(NativeStyle, tciComboBox) || DropDownProperties()->TypingMode() != etmListOnly)
    return TcxCustomTextEditViewData::CalculateEditState(AViewInfo);
  if (!Enabled) return 4;
  if (PopupOpen) return 3;
  return (ContainerState & cvsHot) ? 2 : 1;
}

// ---- TcxEditPopupControlLookAndFeel ---------------------------------------------------------------------

TcxEditPopupControlLookAndFeel::TcxEditPopupControlLookAndFeel(TcxCustomDropDownEdit* AEdit)
    : TcxLookAndFeel(nullptr), FEdit(AEdit) {}

TcxLookAndFeelKind TcxEditPopupControlLookAndFeel::EffectiveKind() const {
  return FEdit->Style()->LookAndFeel()->Kind();
}

bool TcxEditPopupControlLookAndFeel::EffectiveNativeStyle() const { return FEdit->EditViewInfo()->NativeStyle; }

TdxSkinName TcxEditPopupControlLookAndFeel::EffectiveSkinName() const {
  return FEdit->Style()->LookAndFeel()->SkinName();
}

void TcxEditPopupControlLookAndFeel::CompareWithEditor() {
  TcxLookAndFeelValues changed;
  if (Kind() != EffectiveKind()) changed << lfvKind;
  if (NativeStyle() != EffectiveNativeStyle()) changed << lfvNativeStyle;
  if (SkinName() != EffectiveSkinName()) changed << lfvSkinName;
  if (!changed.Empty()) MasterChanged(this, changed);
}

// ---- TcxCustomDropDownInnerEdit -----------------------------------------------------------------------------

void TcxCustomDropDownInnerEdit::WndProc(TMessage& Message) {
  if (Message.Msg == CM_HINTSHOW)
    if (auto* edit = dynamic_cast<TcxCustomDropDownEdit*>(OwnerEdit()); edit && edit->HasOpenPopup()) {
      Message.Result = 1;
      return;
    }
  TcxCustomInnerTextEdit::WndProc(Message);
}

// ---- TcxCustomDropDownEdit: construction -----------------------------------------------------------------

TcxCustomDropDownEdit::TcxCustomDropDownEdit(TComponent* AOwner)
    : TcxCustomDropDownEdit(AOwner, TcxCustomEditClasses{TcxCustomDropDownEditProperties::StaticClass(),
                                                         TcxCustomDropDownInnerEdit::StaticClass(),
                                                         EditDataBindingClassOf<TcxEditDataBinding>()}) {}

TcxCustomDropDownEdit::TcxCustomDropDownEdit(TComponent* AOwner, const TcxCustomEditClasses& Classes)
    : TcxCustomMaskEdit(AOwner, Classes) {
  Construct();
}

void TcxCustomDropDownEdit::InitializeEditor() {
  TcxCustomMaskEdit::InitializeEditor();
  Construct();
}

// The drop-down editor's own steps of the initialisation; the bases ran theirs in their constructors.
void TcxCustomDropDownEdit::Construct() {
  if (!FPopupWindow && !IsDesigning()) CreatePopupWindow();
  FCreated = true;
  if (!FPopupLookAndFeel) {
    FPopupLookAndFeel = std::make_unique<TcxEditPopupControlLookAndFeel>(this);
    FPopupLookAndFeel->OnChanged = [this](TcxLookAndFeel* Sender, TcxLookAndFeelValues Changed) {
      PopupLookAndFeelChanged(Sender, Changed);
    };
  }
}

TcxCustomDropDownEdit::~TcxCustomDropDownEdit() {
  Destroying();
  DiscardPendingShow();
  if (HasOpenPopup()) CloseDropDown(pcrOther);
  if (TcxCustomTextEditLookupData* lookup = LookupData()) lookup->ReleaseListBox();
  FPopupWindow.reset();
  FPopupLookAndFeel.reset();
}

void TcxCustomDropDownEdit::CreatePopupWindow() {
  TcxCustomDropDownEditProperties* properties = ActiveDropDownProperties();
  FPopupWindow.reset(properties->PopupWindowClass()(this));
  FPopupWindow->SetCaptureFocus(properties->PopupTakesFocus());
  FPopupWindow->SetTopmostWithOwner(!IsInPlace());
  FPopupWindow->Style()->LookAndFeel()->AttachToMaster(Style()->LookAndFeel());
  FPopupWindow->SetBiDiMode(BiDiMode());
  FPopupWindow->OnCloseQuery = [this](TObject* Sender, bool& CanClose) { PopupWindowCloseQuery(Sender, CanClose); };
  FPopupWindow->OnClosed = [this](TObject* Sender) { PopupWindowClosed(Sender); };
  FPopupWindow->OnShown = [this](TObject* Sender) { PopupWindowShown(Sender); };
  FPopupWindow->OnClosing = [](TObject*) {};
  FPopupWindow->OnShowing = [](TObject*) {};
}

void TcxCustomDropDownEdit::DestroyWnd() {
  if (HasOpenPopup()) CloseDropDown(pcrOther);
  DeinitializePopup();
  if (FPopupWindow && FPopupWindow->HandleAllocated()) FPopupWindow->DestroyHandle();
  TcxCustomMaskEdit::DestroyWnd();
}

// ---- the state of the popup ---------------------------------------------------------------------------------

bool TcxCustomDropDownEdit::HasOpenPopup() { return FPopupWindow && IsPopupVisibleListed(FPopupWindow.get()); }

void TcxCustomDropDownEdit::SetDroppedDown(bool Value) {
  if (Value == HasOpenPopup()) return;
  if (!Value) {
    CloseDropDown(pcrOther);
    return;
  }
  if (!IsShowRequestQueued()) OpenPopup();
}

bool TcxCustomDropDownEdit::IsShowRequestQueued() {
  if (!FPopupWindow || !FPopupWindow->HandleAllocated()) return false;
  MSG m;
  return PeekMessage(&m, FPopupWindow->Handle(), CM_POPUPSHOWAGAIN, CM_POPUPSHOWAGAIN, PM_NOREMOVE);
}

void TcxCustomDropDownEdit::DiscardPendingShow() {
  if (!FPopupWindow || !FPopupWindow->HandleAllocated()) return;
  MSG m;
  if (!PeekMessage(&m, FPopupWindow->Handle(), CM_POPUPSHOWAGAIN, CM_POPUPSHOWAGAIN, PM_REMOVE)) return;
  PopupWindowClosed(FPopupWindow.get());
}

void TcxCustomDropDownEdit::RefreshHotAndOpen() {
  FHotAndOpen = HasOpenPopup() && (EditViewInfo()->ContainerState & cvsHot) != 0;
}

void TcxCustomDropDownEdit::RecordCloseReason(TcxPopupCloseReason Reason) {
  if (FCloseReasonSet) return;
  FCloseReason = Reason;
  FCloseReasonSet = true;
}

int TcxCustomDropDownEdit::DropDownButtonVisibleIndex() {
  TcxCustomEditViewInfo* info = EditViewInfo();
  const int index = ActiveDropDownProperties()->DropDownButtonIndex();
  for (int i = 0; i < info->ButtonCount(); ++i)
    if (info->Button(i)->ButtonIndex == index) return i;
  return -1;
}

bool TcxCustomDropDownEdit::PopupShowsLookupList() {
  TcxCustomDropDownEditProperties* properties = ActiveDropDownProperties();
  return properties->UsesLookupItems() && properties->PopupUsesLookupList() && LookupData();
}

// ---- opening ------------------------------------------------------------------------------------------

void TcxCustomDropDownEdit::OpenPopup() {
  if (!FPopupWindow || !HandleAllocated() || !IsWindowVisible(Handle())) return;
  InitializePopup();
  if (!HasPopupContent()) {
    DeinitializePopup();
    return;
  }
  ShowPopupWindow();
  FPopupWindow->HandleNeeded();
  FPopupWindow->SetShowFocusTarget(PopupFocusTarget());
  PostMessage(FPopupWindow->Handle(), CM_POPUPSHOWAGAIN, 0, 0);
}

void TcxCustomDropDownEdit::InitializePopup() {
  if (FPopupInitialized) return;
  FPopupInitialized = true;
  try {
    FireNotify(this, &TcxCustomDropDownEditProperties::OnInitPopup);
  } catch (...) {
    FPopupInitialized = false;
    throw;
  }
  if (ActiveDropDownProperties()->UsesLookupItems())
    if (IcxTextEditLookupData* lookup = LookupDataInterface()) lookup->PopupInitializing();
}

void TcxCustomDropDownEdit::DeinitializePopup() {
  if (!FPopupInitialized) return;
  FPopupInitialized = false;
  FireNotify(this, &TcxCustomDropDownEditProperties::OnFinalizePopup);
}

void TcxCustomDropDownEdit::ShowPopupWindow() {
  TcxCustomDropDownEditProperties* properties = ActiveDropDownProperties();
  FPopupWindow->SetCaptureFocus(properties->PopupTakesFocus());
  PlacePopupControl();
  PreparePopup();
  FPopupWindow->PlaceAgainstOwner();
  if (TCustomForm* form = GetParentForm()) {
    FPopupWindow->SetAlphaBlend(form->AlphaBlend());
    FPopupWindow->SetAlphaBlendValue(form->AlphaBlendValue());
    FPopupWindow->SetTransparentColor(form->TransparentColor());
    FPopupWindow->SetTransparentColorValue(form->TransparentColorValue());
  }
}

void TcxCustomDropDownEdit::PlacePopupControl() {
  if (IsDesigning() || !PopupShowsLookupList()) return;
  LookupDataInterface()->PrepareListBox(FPopupWindow.get());
}

void TcxCustomDropDownEdit::PreparePopup() {
  TcxCustomDropDownEditProperties* properties = ActiveDropDownProperties();
  TcxCustomEditPopupWindow* popup = FPopupWindow.get();
  popup->OwnerParent = Parent();
  popup->Direction = properties->PopupDirection();
  popup->AlignHorz = properties->PopupAlignment() == taLeftJustify ? 0 : properties->PopupAlignment() == taCenter ? 1 : 2;
  popup->AlignVert = properties->PopupVertAlignment();
  popup->SetClientEdge(properties->PopupClientEdge());
  popup->MinHeight = properties->PopupMinHeight();
  popup->MinWidth = properties->PopupMinWidth();
  popup->SetPopupAutoSize(properties->PopupAutoSize());
  popup->SetSizeable(properties->PopupSizeable());
  popup->ApplySizeable(properties->PopupSysPanelStyle());
  auto* data = dynamic_cast<TcxCustomDropDownEditData*>(EditData());
  if (IsInPlace() && properties->PopupSizeable() && data && data->UserSized) {
    popup->PopupWidth = data->PopupWidth;
    popup->PopupHeight = data->PopupHeight;
  } else {
    popup->PopupWidth = properties->PopupWidth();
    popup->PopupHeight = properties->PopupHeight();
  }
  popup->SetCloseButton(StyleInEffect()->EffectivePopupCloseButton());
  TcxCustomEditViewInfo* info = EditViewInfo();
  popup->SetPopupBorderStyle(info->PopupBorderStyle);
  popup->SetNativeStyle(info->NativeStyle);
  popup->SetShadow(info->Shadow);
}

void TcxCustomDropDownEdit::PopupControlSize(TSize&) { throw EAbstractError("Abstract Error"); }

void TcxCustomDropDownEdit::FitPopupContent(const TRect&) {}

TWinControl* TcxCustomDropDownEdit::PopupFocusTarget() {
  if (PopupShowsLookupList() && ActiveDropDownProperties()->PopupTakesFocus())
    if (auto* control = dynamic_cast<TWinControl*>(LookupDataInterface()->ActiveControl())) return control;
  return InnerControl();
}

void TcxCustomDropDownEdit::PopupWindowShown(TObject*) {
  RefreshStateAtCursor(false);
  FPopupWindow->CalculatePopupLayout();
  FitPopupContent(FPopupWindow->ViewInfo()->ClientRect);
  FirePopup();
  RefreshDrawnValue();
  TcxCustomDropDownEditProperties* properties = ActiveDropDownProperties();
  if (properties->UsesLookupItems() && FoundItemMark() && properties->ImmediateDropDown() &&
      properties->PopupTakesFocus())
    if (IcxTextEditLookupData* lookup = LookupDataInterface())
      lookup->TypedPrefix(Utf8Left(Text(), SelStart()));
}

void TcxCustomDropDownEdit::FirePopup() {
  FCloseReason = pcrOther;
  FCloseReasonSet = false;
  FireNotify(this, &TcxCustomDropDownEditProperties::OnPopup);
}

// ---- closing ------------------------------------------------------------------------------------------

void TcxCustomDropDownEdit::CloseDropDown(TcxPopupCloseReason Reason) {
  if (!HasOpenPopup()) return;
  RecordCloseReason(Reason);
  {
    TChangeEventsScope events(this);
    TcxCustomDropDownEditProperties* properties = ActiveDropDownProperties();
    // The recorded reason decides: a later close cannot make a cancelled opening take the item.
    if (TakesItem(FCloseReason)) {
      IcxTextEditLookupData* lookup = LookupDataInterface();
      if (properties->UsesLookupItems() && lookup) {
        const Variant before = lookup->CurrentKey();
        {
          TValueChangeScope guard(this);
          lookup->SelectItem();
        }
        if (Modified() && !VarEqualsLoose(before, lookup->CurrentKey())) MarkModifiedAndChange();
      }
      if (!properties->PopupPostsImmediately() && properties->ImmediatePost() && CanPostEditValue())
        PostEditValue(true);
    }
  }
  if (FPopupWindow) FPopupWindow->ClosePopup();
}

void TcxCustomDropDownEdit::PopupWindowClosed(TObject*) {
  TcxObjectLink* link = CreateObjectLink(this);
  DeinitializePopup();
  TcxCustomDropDownEditProperties* properties = ActiveDropDownProperties();
  if (properties->TypingMode() == etmListOnly) RefreshStateAtCursor(false);
  FireCloseUp();
  if (link->LinkedObject && !IsEditorDestroying(this)) {
    {
      TChangeEventsScope events(this);
      if (properties->PopupPostsImmediately() && properties->ImmediatePost() && CanPostEditValue() &&
          ValidateEnteredValue(true))
        PostEditValue(false);
    }
    RefreshStateAtCursor(false);
    // A click that closed the popup must neither press the button nor open it again: the flag stays
    // while that click's button is down. Closed any other way (a key), a flag left over from hovering
    // would cost the next click on the button.
    if (!HandleAllocated() || GetAsyncKeyState(VK_LBUTTON) >= 0) RefreshHotAndOpen();
  }
  FreeObjectLink(link);
}

void TcxCustomDropDownEdit::FireCloseUp() {
  NotifyPopupClosed(FCloseReason);
  FireNotify(this, &TcxCustomDropDownEditProperties::OnCloseUp);
}

void TcxCustomDropDownEdit::PopupWindowCloseQuery(TObject*, bool& CanClose) {
  if (auto* own = dynamic_cast<TcxCustomDropDownEditProperties*>(Properties()); own && own->OnCloseQuery)
    own->OnCloseQuery(this, CanClose);
  if (TcxEditRepositoryItem* item = RepositoryItem())
    if (auto* shared = dynamic_cast<TcxCustomDropDownEditProperties*>(item->Properties());
        shared && shared->OnCloseQuery)
      shared->OnCloseQuery(this, CanClose);
}

void TcxCustomDropDownEdit::TakeLookupItem() {
  if (!HasOpenPopup()) return;
  IcxTextEditLookupData* lookup = LookupDataInterface();
  if (!lookup) return;
  const Variant before = lookup->CurrentKey();
  {
    TValueChangeScope guard(this);
    lookup->SelectItem();
  }
  if (!VarEqualsLoose(before, lookup->CurrentKey())) MarkModifiedAndChange();
  const TcxEditTypingMode mode = ActiveDropDownProperties()->TypingMode();
  if (mode == etmFree) {
    const String text = Text();
    if (Utf8Count(text) == SelStart() && lookup->ContainsText(text)) SetFoundItemMark(true);
  } else if (mode == etmListOnly) {
    SetFoundItemMark(true);
  }
}

void TcxCustomDropDownEdit::StorePopupSize() {
  TcxCustomDropDownEditProperties* properties = ActiveDropDownProperties();
  if (!properties->PopupSizeable()) return;
  auto* data = dynamic_cast<TcxCustomDropDownEditData*>(EditData());
  if (IsInPlace() && data) {
    data->UserSized = true;
    data->PopupWidth = FPopupWindow->Width();
    data->PopupHeight = FPopupWindow->Height();
    return;
  }
  properties->SetPopupWidth(FPopupWindow->Width());
  properties->SetPopupHeight(FPopupWindow->Height());
}

void TcxCustomDropDownEdit::SaveStateToEditData() {
  TcxCustomMaskEdit::SaveStateToEditData();
  if (auto* data = dynamic_cast<TcxCustomDropDownEditData*>(EditData())) {
    data->UserSized = false;
    data->PopupWidth = ActiveDropDownProperties()->PopupWidth();
    data->PopupHeight = ActiveDropDownProperties()->PopupHeight();
  }
}

void TcxCustomDropDownEdit::PopupAnchorRect(TRect& R) {
  // The class library keeps no in-place rectangle apart from the bounds: the inner rectangle serves
  // in place too.
  CalcInnerControlRect(R);
  if (EditViewInfo()->Shadow) R.Right += 3;
  R = TRect(R.Left + Left(), R.Top + Top(), R.Right + Left(), R.Bottom + Top());
}

// ---- overrides ------------------------------------------------------------------------------------------

void TcxCustomDropDownEdit::ContainerStyleChanged(TObject* Sender) {
  if (HandleAllocated() && FPopupLookAndFeel) FPopupLookAndFeel->CompareWithEditor();
  TcxCustomMaskEdit::ContainerStyleChanged(Sender);
}

void TcxCustomDropDownEdit::PropertiesChanged(TObject* Sender) {
  if (!FCreated) {
    // Called from a base constructor, before the drop-down editor's own steps ran.
    TcxCustomMaskEdit::PropertiesChanged(Sender);
    return;
  }
  if (!ActiveDropDownProperties()->PopupSizeable()) FUserSized = false;
  if (HasOpenPopup()) ShowPopupWindow();
  TcxCustomMaskEdit::PropertiesChanged(Sender);
}

bool TcxCustomDropDownEdit::CheckEditValue() {
  if (HasOpenPopup()) CloseDropDown(pcrOther);
  if (auto* data = dynamic_cast<TcxCustomDropDownEditData*>(EditData()); data && IsInPlace())
    FUserSized = data->UserSized;
  bool result = TcxCustomMaskEdit::CheckEditValue();
  DiscardPendingShow();
  return result;
}

bool TcxCustomDropDownEdit::ApplyState(const TPoint& Point, int Button, TShiftState Shift, bool MouseEvent) {
  bool result = TcxCustomMaskEdit::ApplyState(Point, Button, Shift, MouseEvent);
  TcxCustomEditViewInfo* info = EditViewInfo();
  // A press on a button that cannot be pressed now (the drop-down button of the open popup) closes.
  if (HasOpenPopup() && info->IsButtonUnderPressedMouse && info->PressedButton == -1 && Button == 1 &&
      Shift.Contains(ssLeft))
    CloseDropDown(pcrOther);
  if (MouseEvent && !Shift.Contains(ssRight)) RefreshHotAndOpen();
  if (FPopupLookAndFeel) FPopupLookAndFeel->CompareWithEditor();
  return result;
}

void TcxCustomDropDownEdit::FillViewDataState(TcxCustomEditViewData* ViewData) {
  TcxCustomMaskEdit::FillViewDataState(ViewData);
  if (auto* data = dynamic_cast<TcxCustomDropDownEditViewData*>(ViewData)) {
    data->PopupOpen = HasOpenPopup();
    data->HotAndOpen = FHotAndOpen;
  }
}

void TcxCustomDropDownEdit::EditKeyDown(WORD& Key, TShiftState Shift) {
  const bool alt = Shift.Contains(ssAlt);
  if ((alt && (Key == VK_UP || Key == VK_DOWN)) || (Key == VK_F4 && !alt)) {
    if (HasOpenPopup())
      CloseDropDown(pcrToggle);
    else
      SetDroppedDown(true);
    Key = 0;
    return;
  }
  if ((Key == VK_RETURN || Key == VK_ESCAPE) && !alt && HasOpenPopup()) {
    {
      TValueChangeScope guard(this);
      if (Key == VK_RETURN)
        CloseDropDown(RequestEditing() ? pcrAccept : pcrCancel);
      else
        CloseDropDown(pcrCancel);
    }
    if (!HasOpenPopup()) {
      if (Key == VK_ESCAPE && HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
      Key = 0;
      return;
    }
  }
  TcxCustomMaskEdit::EditKeyDown(Key, Shift);
}

void TcxCustomDropDownEdit::EditKeyPress(TChar& Key) {
  TcxCustomDropDownEditProperties* properties = ActiveDropDownProperties();
  if (Key >= 32 && properties->ImmediateDropDown() && !HasOpenPopup()) {
    SetDroppedDown(true);
    if (properties->PopupTakesFocus() && Key != 13 && HasPopupContent() && PopupFocusTarget() &&
        FPopupWindow->HandleAllocated()) {
      PostMessage(FPopupWindow->Handle(), CM_POPUPFORWARDCHAR, Key, 0);
      Key = 0;
      return;
    }
  }
  TcxCustomMaskEdit::EditKeyPress(Key);
}

void TcxCustomDropDownEdit::EditButtonPressed(int Index) {
  TcxCustomMaskEdit::EditButtonPressed(Index);
  if (Index >= 0 && Index == DropDownButtonVisibleIndex()) SetDroppedDown(true);
}

void TcxCustomDropDownEdit::PrepareTabExit(TShiftState Shift) {
  TcxCustomMaskEdit::PrepareTabExit(Shift);
  if (HasOpenPopup() && ActiveDropDownProperties()->PostPopupValueOnTab()) CloseDropDown(pcrTab);
}

bool TcxCustomDropDownEdit::WantsTabKey() {
  return TcxCustomMaskEdit::WantsTabKey() || (HasOpenPopup() && ActiveDropDownProperties()->PostPopupValueOnTab());
}

bool TcxCustomDropDownEdit::FocusChanged() {
  bool result = TcxCustomMaskEdit::FocusChanged();
  if (HasOpenPopup() && !ActiveDropDownProperties()->PopupTakesFocus() && !IsFocused()) {
    TWinControl* inner = InnerControl();
    if (!(inner && inner->HandleAllocated() && GetFocus() == inner->Handle())) CloseDropDown(pcrOther);
  }
  return result;
}

void TcxCustomDropDownEdit::DoExit() {
  if (HasOpenPopup()) CloseDropDown(pcrOther);
  TcxCustomMaskEdit::DoExit();
}

bool TcxCustomDropDownEdit::AcceptsActivationKey(TChar Key) {
  TcxCustomDropDownEditProperties* properties = ActiveDropDownProperties();
  if (!properties->ImmediateDropDown()) return true;
  return !(properties->PopupTakesFocus() && Key != 13);
}

void TcxCustomDropDownEdit::ActivateByKey(TChar Key, TcxCustomEditData*& AEditData) {
  TcxCustomMaskEdit::ActivateByKey(Key, AEditData);
  TcxCustomDropDownEditProperties* properties = ActiveDropDownProperties();
  if (AcceptsActivationKey(Key)) return;
  if (Key >= 32 && properties->ImmediateDropDown() && !properties->ImmediatePopup()) SetDroppedDown(true);
  if (HasPopupContent() && PopupFocusTarget() && FPopupWindow->HandleAllocated())
    PostMessage(FPopupWindow->Handle(), CM_POPUPFORWARDCHAR, Key, 0);
}

void TcxCustomDropDownEdit::ActivateByMouse(TShiftState Shift, int X, int Y, TcxCustomEditData*& AEditData) {
  TcxFlagScope activation(FMouseActivation, true);
  TcxCustomMaskEdit::ActivateByMouse(Shift, X, Y, AEditData);
}

void TcxCustomDropDownEdit::ActivateInplace(TcxCustomEditData*& AEditData) {
  TcxCustomMaskEdit::ActivateInplace(AEditData);
  TcxCustomDropDownEditProperties* properties = ActiveDropDownProperties();
  if (auto* data = dynamic_cast<TcxCustomDropDownEditData*>(AEditData); data && properties->PopupSizeable())
    FUserSized = data->UserSized;
  if (properties->ImmediatePopup()) SetDroppedDown(true);
}

bool TcxCustomDropDownEdit::IsClickKey(WORD Key, TShiftState Shift) {
  if (TcxCustomMaskEdit::IsClickKey(Key, Shift)) return true;
  if (!IsInPlace() || !HasOpenPopup()) return false;
  return Shift.Contains(ssAlt) || Shift.Contains(ssCtrl) || MapVirtualKey(Key, MAPVK_VK_TO_CHAR) == 0;
}

bool TcxCustomDropDownEdit::CanNavigateItems(int Kind) {
  if (!ActiveDropDownProperties()->AllowsEditing() || ActiveDropDownProperties()->ReadOnly()) return false;
  if (IsInPlace() && Kind != 1 && !HasOpenPopup()) return false;
  return true;
}

TcxContainerStyleValues TcxCustomDropDownEdit::HiddenStyleValues() {
  TcxContainerStyleValues values = TcxCustomMaskEdit::HiddenStyleValues();
  for (TcxContainerStyleValue bit = 10; bit <= 13; ++bit) values.Exclude(bit);
  return values;
}

void TcxCustomDropDownEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // Read before the base recalculates the state: the click that closed the popup clears it.
  const bool hotAndOpen = FHotAndOpen;
  TcxCustomMaskEdit::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || FMouseActivation || hotAndOpen || HasOpenPopup()) return;
  if (!ActiveDropDownProperties()->IsFixedList() || !IsFocused()) return;
  if (EditViewInfo()->ButtonIndexAt(TPoint(X, Y)) >= 0) return;
  SetDroppedDown(true);
}

bool TcxCustomDropDownEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  if (TcxCustomMaskEdit::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  IcxTextEditLookupData* lookup = LookupDataInterface();
  if (!CanNavigateItems(1) || !HasOpenPopup() || !ActiveDropDownProperties()->UsesLookupItems() || !lookup ||
      lookup->IsEmpty())
    return false;
  if (auto* control = dynamic_cast<TWinControl*>(lookup->ActiveControl()); control && control->HandleAllocated())
    SendMessage(control->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(WheelDelta)),
                MAKELPARAM(MousePos.x, MousePos.y));
  return true;
}

void TcxCustomDropDownEdit::PasteText() {
  IcxTextEditLookupData* lookup = LookupDataInterface();
  if (!IsFocused() || !lookup) {
    TcxCustomMaskEdit::PasteText();
    return;
  }
  String before, after;
  {
    TValueChangeScope guard(this);
    before = lookup->DisplayText(lookup->CurrentKey());
    TcxCustomMaskEdit::PasteText();
    after = lookup->DisplayText(lookup->CurrentKey());
  }
  TcxCustomDropDownEditProperties* properties = ActiveDropDownProperties();
  if (AnsiSameText(before, after) || !properties->ImmediateDropDown() || HasOpenPopup()) return;
  SetDroppedDown(true);
  if (properties->UsesLookupItems() && HandleAllocated()) PostMessage(Handle(), CM_DROPDOWNTAKEITEM, 0, 0);
}

void TcxCustomDropDownEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DROPDOWNTAKEITEM) {
    TakeLookupItem();
    return;
  }
  if (Message.Msg == CM_BIDIMODECHANGED && FPopupWindow) FPopupWindow->SetBiDiMode(BiDiMode());
  TcxCustomMaskEdit::Dispatch(Message);
}
