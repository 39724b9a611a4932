#include "ui/editors/PopupEdit.h"

#include "ui/controls/LibraryStrings.h"

using namespace win;

// ---- TcxCustomPopupEditProperties ----------------------------------------------------------------------

TcxCustomPopupEditProperties::TcxCustomPopupEditProperties(TPersistent* AOwner)
    : TcxCustomPopupEditProperties(AOwner, TcxCustomEditPropertiesClasses{
                                               EditButtonsClassOf<TcxEditButtons>(),
                                               EditPropertiesValuesClassOf<TcxTextEditPropertiesValues>()}) {}

TcxCustomPopupEditProperties::TcxCustomPopupEditProperties(TPersistent* AOwner,
                                                           const TcxCustomEditPropertiesClasses& Classes)
    : TcxCustomDropDownEditProperties(AOwner, Classes) {
  Construct();
}

void TcxCustomPopupEditProperties::Construct() {
  SetPopupAutoSize(true);
  SetPopupMinHeight(100);
  SetPopupMinWidth(100);
  SetPopupHeight(200);
  SetPopupWidth(250);
  SetPopupSizeable(true);
}

void TcxCustomPopupEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomPopupEditProperties*>(Source);
  if (!source || source == this) {
    TcxCustomDropDownEditProperties::Assign(Source);
    return;
  }
  TcxEditPropertiesUpdate update(this);
  TcxCustomDropDownEditProperties::Assign(Source);
  SetPopupControl(source->PopupControl());
}

void TcxCustomPopupEditProperties::SetPopupControl(TControl* Value) {
  if (Value == FPopupControl) return;
  FreeNotificator()->UnwatchComponent(FPopupControl);
  FPopupControl = Value;
  FreeNotificator()->WatchComponent(FPopupControl);
}

void TcxCustomPopupEditProperties::ComponentFreed(TComponent* AComponent) {
  TcxCustomDropDownEditProperties::ComponentFreed(AComponent);
  if (AComponent == FPopupControl) FPopupControl = nullptr;
}

TClass TcxCustomPopupEditProperties::EditClass() { return TcxPopupEdit::StaticClass(); }

TcxEditPopupWindowClass TcxCustomPopupEditProperties::PopupWindowClass() {
  return EditPopupWindowClassOf<TcxPopupEditPopupWindow>();
}

TcxPopupEditProperties::TcxPopupEditProperties(TPersistent* AOwner) : TcxCustomPopupEditProperties(AOwner) {
  SetImmediateDropDown(true);
  SetImmediatePopup(true);
}

void TcxPopupEditProperties::DeclareProperties(TPropTable& t) {
  using P = TcxPopupEditProperties;
  t.Add("Alignment", &P::Alignment, &P::SetAlignment).Stored(&P::IsAlignmentStored);
  t.Add("AssignedValues", &P::TextAssignedValues, &P::SetTextAssignedValues);
  t.Add("AutoSelect", &P::AutoSelect, &P::SetAutoSelect).SetDefault(true);
  t.Add("BeepOnError", &P::BeepOnError, &P::SetBeepOnError).SetDefault(false);
  t.Add("ButtonGlyph", &P::ButtonGlyphValue, &P::SetButtonGlyph).Stored(&P::ButtonGlyphStored);
  t.Add("CharCase", &P::CharCase, &P::SetCharCase).SetDefault(ecNormal);
  t.Add("ClearKey", &P::ClearKey, &P::SetClearKey).SetDefault(0);
  t.Add("EchoMode", &P::EchoMode, &P::SetEchoMode).SetDefault(eemNormal);
  t.Add("HideSelection", &P::HideSelection, &P::SetHideSelection).SetDefault(true);
  t.Add("ImeMode", &P::ImeMode, &P::SetImeMode).SetDefault(imDontCare);
  t.Add("ImeName", &P::ImeName, &P::SetImeName);
  t.Add("ImmediateDropDown", &P::ImmediateDropDown, &P::SetImmediateDropDown).SetDefault(true);
  t.Add("ImmediatePopup", &P::ImmediatePopup, &P::SetImmediatePopup).SetDefault(true);
  t.Add("IncrementalSearch", &P::IncrementalSearch, &P::SetIncrementalSearch).SetDefault(true);
  t.Add("LookupItems", &P::LookupItems, &P::SetLookupItems);
  t.Add("LookupItemsSorted", &P::LookupItemsSorted, &P::SetLookupItemsSorted).SetDefault(false);
  t.Add("MaxLength", &P::MaxLength, &P::SetMaxLength).NoDefault().Stored(&P::MaxLengthStored);
  t.Add("OEMConvert", &P::OEMConvert, &P::SetOEMConvert).SetDefault(false);
  t.Add("PasswordChar", &P::PasswordChar, &P::SetPasswordChar).SetDefault(0);
  t.Add("PopupAlignment", &P::PopupAlignment, &P::SetPopupAlignment).SetDefault(taLeftJustify);
  t.Add("PopupAutoSize", &P::PopupAutoSize, &P::SetPopupAutoSize).SetDefault(true);
  t.Add("PopupClientEdge", &P::PopupClientEdge, &P::SetPopupClientEdge).SetDefault(false);
  t.Add("PopupControl", &P::PopupControl, &P::SetPopupControl);
  t.Add("PopupHeight", &P::PopupHeight, &P::SetPopupHeight).SetDefault(200);
  t.Add("PopupMinHeight", &P::PopupMinHeight, &P::SetPopupMinHeight).SetDefault(100);
  t.Add("PopupMinWidth", &P::PopupMinWidth, &P::SetPopupMinWidth).SetDefault(100);
  t.Add("PopupSizeable", &P::PopupSizeable, &P::SetPopupSizeable).SetDefault(true);
  t.Add("PopupSysPanelStyle", &P::PopupSysPanelStyle, &P::SetPopupSysPanelStyle).SetDefault(false);
  t.Add("PopupWidth", &P::PopupWidth, &P::SetPopupWidth).SetDefault(250);
  t.Add("PostPopupValueOnTab", &P::PostPopupValueOnTab, &P::SetPostPopupValueOnTab).SetDefault(false);
  t.Add("ReadOnly", &P::ReadOnly, &P::SetReadOnly).NoDefault().Stored(&P::IsReadOnlyStored);
  t.Add("UseLeftAlignmentOnEditing", &P::UseLeftAlignmentOnEditing, &P::SetUseLeftAlignmentOnEditing)
      .NoDefault()
      .Stored(&P::IsUseLeftAlignmentOnEditingStored);
  t.Add("ValidateOnEnter", &P::ValidateOnEnter, &P::SetValidateOnEnter).SetDefault(true);
  t.Add("OnChange", &P::OnChange);
  t.Add("OnCloseQuery", &P::OnCloseQuery);
  t.Add("OnCloseUp", &P::OnCloseUp);
  t.Add("OnEditValueChanged", &P::OnEditValueChanged);
  t.Add("OnInitPopup", &P::OnInitPopup);
  t.Add("OnPopup", &P::OnPopup);
  t.Add("OnValidate", &P::OnValidate);
}

// ---- TcxCustomPopupEdit -----------------------------------------------------------------------------------

TcxCustomPopupEdit::TcxCustomPopupEdit(TComponent* AOwner)
    : TcxCustomPopupEdit(AOwner, TcxCustomEditClasses{TcxCustomPopupEditProperties::StaticClass(),
                                                      TcxCustomDropDownInnerEdit::StaticClass(),
                                                      EditDataBindingClassOf<TcxEditDataBinding>()}) {}

TcxCustomPopupEdit::TcxCustomPopupEdit(TComponent* AOwner, const TcxCustomEditClasses& Classes)
    : TcxCustomDropDownEdit(AOwner, Classes), FParentWatch(std::make_unique<TcxFreeNotificator>(nullptr)) {
  FParentWatch->OnFreeNotification = [this](TComponent* AComponent) {
    if (AComponent == FSavedParent) FSavedParent = nullptr;
  };
}

TcxCustomPopupEdit::~TcxCustomPopupEdit() {
  // The control goes back before the popup that holds it is freed with the editor.
  RestorePopupControl();
  FParentWatch->OnFreeNotification = nullptr;
}

void TcxCustomPopupEdit::RequestClose(TcxPopupCloseReason Reason) {
  RecordCloseReason(Reason);
  PostPopupCloseRequest(PopupWindow());
}

void TcxCustomPopupEdit::InitializePopup() {
  TControl* control = ActivePopupProperties()->PopupControl();
  bool circular = control && (control == PopupWindow() || control == this);
  for (TWinControl* parent = Parent(); control && parent && !circular; parent = parent->Parent())
    circular = control == parent;
  if (circular) throw EcxEditError(GetLocalizedResString(cxLibraryStrings::cxSEditPopupCircularReferencingError));
  TcxCustomDropDownEdit::InitializePopup();
}

TWinControl* TcxCustomPopupEdit::PopupFocusTarget() {
  return dynamic_cast<TWinControl*>(ActivePopupProperties()->PopupControl());
}

void TcxCustomPopupEdit::PopupControlSize(TSize& Size) {
  TControl* control = ActivePopupProperties()->PopupControl();
  Size = control ? TSize(control->Width(), control->Height()) : TSize(0, 0);
}

void TcxCustomPopupEdit::SavePopupControlState() {
  TControl* control = ActivePopupProperties()->PopupControl();
  if (!control || FStateSaved) return;
  FStateSaved = true;
  FSavedAlign = control->Align();
  FSavedBounds = TRect(control->BoundsRect());
  FSavedParent = control->Parent();
  FParentWatch->WatchComponent(FSavedParent);
  FSavedVisible = control->Visible();
  if (auto* form = dynamic_cast<TCustomForm*>(control)) {
    FSavedBorderStyle = form->BorderStyle();
    form->SetBorderStyle(bsNone);
  }
}

void TcxCustomPopupEdit::RestorePopupControl() {
  if (!FStateSaved) return;
  FStateSaved = false;
  TWinControl* parent = FSavedParent;
  FParentWatch->UnwatchComponent(parent);
  FSavedParent = nullptr;
  // A control freed while it stood in the popup leaves nothing to give back.
  TControl* control = ActivePopupProperties()->PopupControl();
  if (!control) return;
  control->SetVisible(false);
  control->SetParent(parent);
  control->SetAlign(FSavedAlign);
  control->SetBoundsRect(FSavedBounds);
  if (auto* form = dynamic_cast<TCustomForm*>(control)) form->SetBorderStyle(FSavedBorderStyle);
  control->SetVisible(FSavedVisible);
}

void TcxCustomPopupEdit::ShowPopupWindow() {
  TControl* control = ActivePopupProperties()->PopupControl();
  if (control) {
    SavePopupControlState();
    // Unaligned while it moves: an aligned control would take the popup's old size before the
    // popup is measured for it.
    control->SetAlign(alNone);
    control->SetParent(PopupWindow());
    control->SetVisible(true);
  }
  TcxCustomDropDownEdit::ShowPopupWindow();
  if (control) control->SetAlign(alClient);
}

void TcxCustomPopupEdit::FitPopupContent(const TRect& ClientRect) {
  if (TControl* control = ActivePopupProperties()->PopupControl())
    control->SetBounds(ClientRect.Left, ClientRect.Top, ClientRect.Right - ClientRect.Left,
                       ClientRect.Bottom - ClientRect.Top);
}

void TcxCustomPopupEdit::PopupWindowClosed(TObject* Sender) {
  RestorePopupControl();
  TcxCustomDropDownEdit::PopupWindowClosed(Sender);
}

// ---- TcxPopupEdit -----------------------------------------------------------------------------------------

TcxPopupEdit::TcxPopupEdit(TComponent* AOwner)
    : TcxCustomPopupEdit(AOwner, TcxCustomEditClasses{TcxPopupEditProperties::StaticClass(),
                                                      TcxCustomDropDownInnerEdit::StaticClass(),
                                                      EditDataBindingClassOf<TcxEditDataBinding>()}) {}

void TcxPopupEdit::DeclareProperties(TPropTable& t) {
  using E = TcxPopupEdit;
  DeclarePublishedTextEditor<E>(t);
}
