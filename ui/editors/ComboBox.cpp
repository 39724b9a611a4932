#include "ui/editors/ComboBox.h"

#include <algorithm>

#include "platform/classes/SysUtils.h"
#include "platform/classes/TypInfo.h"
#include "platform/win/Focus.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"
#include "ui/controls/EditRepository.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/editors/PopupEdit.h"
#include "ui/foundation/ScopeGuards.h"

using namespace win;

namespace {

int gUnitStarts = 0;

TcxCustomComboBoxProperties* ComboPropertiesOf(TcxEditRepositoryItem* Item) {
  return Item ? dynamic_cast<TcxCustomComboBoxProperties*>(Item->Properties()) : nullptr;
}

}  // namespace

// ---- TcxCustomComboBoxProperties ----------------------------------------------------------------------

TcxCustomComboBoxProperties::TcxCustomComboBoxProperties(TPersistent* AOwner)
    : TcxCustomComboBoxProperties(AOwner, TcxCustomEditPropertiesClasses{
                                              EditButtonsClassOf<TcxEditButtons>(),
                                              EditPropertiesValuesClassOf<TcxTextEditPropertiesValues>()}) {}

TcxCustomComboBoxProperties::TcxCustomComboBoxProperties(TPersistent* AOwner,
                                                         const TcxCustomEditPropertiesClasses& Classes)
    : TcxCustomDropDownEditProperties(AOwner, Classes) {}

void TcxCustomComboBoxProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomComboBoxProperties*>(Source);
  if (!source || source == this) {
    TcxCustomDropDownEditProperties::Assign(Source);
    return;
  }
  TcxEditPropertiesUpdate update(this);
  TcxCustomDropDownEditProperties::Assign(Source);
  SetDropDownListStyle(source->FDropDownListStyle);
  SetDropDownRows(source->FDropDownRows);
  SetItemHeight(source->FItemHeight);
  FRevertable = source->FRevertable;
  OnDrawItem = source->OnDrawItem;
  OnMeasureItem = source->OnMeasureItem;
}

void TcxCustomComboBoxProperties::SetDropDownListStyle(TcxEditDropDownListStyle Value) {
  if (Value == FDropDownListStyle) return;
  FDropDownListStyle = Value;
  SignalChanged();
}

void TcxCustomComboBoxProperties::SetDropDownRows(int Value) {
  if (Value < 1 || Value == FDropDownRows) return;
  FDropDownRows = Value;
  SignalChanged();
}

void TcxCustomComboBoxProperties::SetItemHeight(int Value) {
  if (Value == FItemHeight) return;
  FItemHeight = Value;
  SignalChanged();
}

TcxEditTypingMode TcxCustomComboBoxProperties::TypingMode() {
  switch (FDropDownListStyle) {
    case lsEditFixedList: return etmLookupOnly;
    case lsFixedList: return etmListOnly;
    default: return etmFree;
  }
}

TClass TcxCustomComboBoxProperties::EditClass() { return TcxComboBox::StaticClass(); }

TcxCustomEditViewDataClass TcxCustomComboBoxProperties::ViewDataClass() {
  return EditViewDataClassOf<TcxCustomComboBoxViewData>();
}

TcxContainerViewInfoClass TcxCustomComboBoxProperties::ViewInfoClass() {
  return ContainerViewInfoClassOf<TcxCustomComboBoxViewInfo>();
}

TClass TcxCustomComboBoxProperties::LookupDataClass() { return TcxComboBoxLookupData::StaticClass(); }

TcxEditPopupWindowClass TcxCustomComboBoxProperties::PopupWindowClass() {
  return EditPopupWindowClassOf<TcxComboBoxPopupWindow>();
}

void TcxComboBoxProperties::DeclareProperties(TPropTable& t) {
  using P = TcxComboBoxProperties;
  t.Add("Alignment", &P::Alignment, &P::SetAlignment).Stored(&P::IsAlignmentStored);
  t.Add("AssignedValues", &P::TextAssignedValues, &P::SetTextAssignedValues);
  t.Add("AutoSelect", &P::AutoSelect, &P::SetAutoSelect).SetDefault(true);
  t.Add("BeepOnError", &P::BeepOnError, &P::SetBeepOnError).SetDefault(false);
  t.Add("ButtonGlyph", &P::ButtonGlyphValue, &P::SetButtonGlyph).Stored(&P::ButtonGlyphStored);
  t.Add("CharCase", &P::CharCase, &P::SetCharCase).SetDefault(ecNormal);
  t.Add("ClearKey", &P::ClearKey, &P::SetClearKey).SetDefault(0);
  t.Add("DropDownAutoWidth", &P::DropDownAutoWidth, &P::SetDropDownAutoWidth).SetDefault(true);
  t.Add("DropDownListStyle", &P::DropDownListStyle, &P::SetDropDownListStyle).SetDefault(lsEditList);
  t.Add("DropDownRows", &P::DropDownRows, &P::SetDropDownRows).SetDefault(8);
  t.Add("DropDownSizeable", &P::DropDownSizeable, &P::SetDropDownSizeable).SetDefault(false);
  t.Add("DropDownWidth", &P::DropDownWidth, &P::SetDropDownWidth).SetDefault(0);
  t.Add("HideSelection", &P::HideSelection, &P::SetHideSelection).SetDefault(true);
  t.Add("ImeMode", &P::ImeMode, &P::SetImeMode).SetDefault(imDontCare);
  t.Add("ImeName", &P::ImeName, &P::SetImeName);
  t.Add("ImmediateDropDown", &P::ImmediateDropDown, &P::SetImmediateDropDown).SetDefault(true);
  t.Add("ImmediatePost", &P::ImmediatePost, &P::SetImmediatePost).SetDefault(false);
  t.Add("ImmediateUpdateText", &P::ImmediateUpdateText, &P::SetImmediateUpdateText).SetDefault(false);
  t.Add("IncrementalSearch", &P::IncrementalSearch, &P::SetIncrementalSearch).SetDefault(true);
  t.Add("ItemHeight", &P::ItemHeight, &P::SetItemHeight).SetDefault(0);
  t.Add("Items", &P::Items, &P::SetItems);
  t.Add("MaxLength", &P::MaxLength, &P::SetMaxLength).NoDefault().Stored(&P::MaxLengthStored);
  t.Add("OEMConvert", &P::OEMConvert, &P::SetOEMConvert).SetDefault(false);
  t.Add("PopupAlignment", &P::PopupAlignment, &P::SetPopupAlignment).SetDefault(taLeftJustify);
  t.Add("PostPopupValueOnTab", &P::PostPopupValueOnTab, &P::SetPostPopupValueOnTab).SetDefault(false);
  t.Add("ReadOnly", &P::ReadOnly, &P::SetReadOnly).NoDefault().Stored(&P::IsReadOnlyStored);
  t.Add("Revertable", &P::Revertable, &P::SetRevertable).SetDefault(false);
  t.Add("Sorted", &P::Sorted, &P::SetSorted).SetDefault(false);
  t.Add("UseLeftAlignmentOnEditing", &P::UseLeftAlignmentOnEditing, &P::SetUseLeftAlignmentOnEditing)
      .NoDefault()
      .Stored(&P::IsUseLeftAlignmentOnEditingStored);
  t.Add("ValidateOnEnter", &P::ValidateOnEnter, &P::SetValidateOnEnter).SetDefault(true);
  t.Add("OnChange", &P::OnChange);
  t.Add("OnCloseUp", &P::OnCloseUp);
  t.Add("OnDrawItem", &P::OnDrawItem);
  t.Add("OnEditValueChanged", &P::OnEditValueChanged);
  t.Add("OnInitPopup", &P::OnInitPopup);
  t.Add("OnMeasureItem", &P::OnMeasureItem);
  t.Add("OnNewLookupDisplayText", &P::OnNewLookupDisplayText);
  t.Add("OnPopup", &P::OnPopup);
  t.Add("OnValidate", &P::OnValidate);
}

// ---- TcxCustomComboBoxListBox ------------------------------------------------------------------------

TcxCustomComboBoxListBox::TcxCustomComboBoxListBox(TComponent* AOwner) : TcxCustomEditListBox(AOwner) {
  SetStyle(lbOwnerDrawVariable);
}

TcxCustomComboBox* TcxCustomComboBoxListBox::OwnerComboBox() { return dynamic_cast<TcxCustomComboBox*>(OwningEdit()); }

int TcxCustomComboBoxListBox::ItemHeightAt(int Index) {
  TcxCustomComboBox* combo = OwnerComboBox();
  const int own = combo ? combo->ActiveComboProperties()->ItemHeight() : 0;
  int height = own > 0 ? own : TcxCustomEditListBox::ItemHeightAt(-1);
  if (Index >= 0 && combo && combo->HasMeasureItemHandler()) combo->FireMeasureItem(Index, ListCanvas(), height);
  return height;
}

void TcxCustomComboBoxListBox::PrepareItemLayout() {
  TcxCustomComboBox* combo = OwnerComboBox();
  SetItemHeight(ItemHeightAt(-1));
  SetStyle(combo && combo->HasMeasureItemHandler() ? lbOwnerDrawVariable : lbOwnerDrawFixed);
}

int TcxCustomComboBoxListBox::RowsHeight(int Count) {
  int height = 0;
  for (int i = 0; i < Count; ++i) height += ItemHeightAt(i);
  return height;
}

bool TcxCustomComboBoxListBox::CustomDrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  TcxCustomComboBox* combo = OwnerComboBox();
  if (!combo || !combo->HasDrawItemHandler()) return false;
  combo->FireDrawItem(ListCanvas(), Index, Rect, State);
  return true;
}

String TcxCustomComboBoxListBox::ItemText(int Index) {
  TcxCustomComboBox* combo = OwnerComboBox();
  TcxCustomTextEditLookupData* lookup = combo ? combo->LookupData() : nullptr;
  return lookup ? lookup->DisplayTextOfKey(Index) : TcxCustomEditListBox::ItemText(Index);
}

void TcxCustomComboBoxListBox::SetItemIndex(int Value) {
  TcxCustomEditListBox::SetItemIndex(Value);
  // Chosen by code or keys: the mouse resting over another row must not take it over.
  if (!FTracking)
    if (TcxCustomComboBox* combo = OwnerComboBox()) combo->SetIgnoreNextHover(true);
}

void TcxCustomComboBoxListBox::CreateParams(TCreateParams& Params) {
  TcxCustomEditListBox::CreateParams(Params);
  if (TcxCustomComboBox* combo = OwnerComboBox(); combo && combo->HasDrawItemHandler())
    Params.WindowClass.style |= CS_HREDRAW;
}

void TcxCustomComboBoxListBox::MouseMove(TShiftState Shift, int X, int Y) {
  TcxCustomComboBox* combo = OwnerComboBox();
  if (combo && combo->IgnoreNextHover()) {
    combo->SetIgnoreNextHover(false);
    TcxCustomInnerListBox::MouseMove(Shift, X, Y);
    return;
  }
  TcxFlagScope tracking(FTracking, true);
  TcxCustomEditListBox::MouseMove(Shift, X, Y);
}

void TcxCustomComboBoxListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxCustomEditListBox::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const int row = ItemAtPos(POINT{X, Y}, true);
  TcxCustomComboBox* combo = OwnerComboBox();
  if (row < 0 || !combo) return;
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  SetItemIndex(row);
  combo->CloseDropDown(pcrAccept);
}

void TcxCustomComboBoxListBox::WndProc(TMessage& Message) {
  TcxCustomComboBox* combo = OwnerComboBox();
  if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && combo &&
      !combo->ActiveComboProperties()->PopupTakesFocus()) {
    // The editor keeps the keyboard focus: the press selects the row and holds the mouse, and the
    // release picks the row under it, without the list box taking the focus as it would.
    const POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    const int row = ItemAtPos(p, true);
    if (row >= 0) {
      TcxFlagScope tracking(FTracking, true);
      SetItemIndex(row);
    }
    SetCapture(Handle());
    Message.Result = 0;
    return;
  }
  TcxCustomEditListBox::WndProc(Message);
}

void TcxCustomComboBoxListBox::Resize() {
  TcxCustomEditListBox::Resize();
  // The corner between the two library bars is the container's to paint.
  TcxCustomComboBox* combo = OwnerComboBox();
  if (combo && combo->HasOpenPopup() && HScrollBar() && VScrollBar() && HScrollBar()->Visible() &&
      VScrollBar()->Visible() && Parent())
    Parent()->Invalidate();
}

// ---- TcxComboBoxLookupData --------------------------------------------------------------------------------

TcxComboListMetrics TcxComboBoxLookupData::ListMetrics() {
  TcxComboListMetrics m;
  TcxCustomEditListBox* list = ListBox();
  m.Count = list ? ItemCount() : 0;
  m.ItemHeight = [list](int Index) { return list->ItemHeightAt(Index); };
  m.ItemWidth = [list](int Index) { return list->ItemWidthAt(Index); };
  m.VScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
  m.HScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
  return m;
}

TSize TcxComboBoxLookupData::MeasureList(int MaxHeight, int MaxWidth) {
  TcxCustomTextEditProperties* properties = OwnerEditProperties();
  const int rows = properties ? properties->DropDownRowCount() : 8;
  TSize size = MeasureComboList(ListMetrics(), rows, MaxHeight, MaxWidth, FHorzExtent);
  if (TcxCustomEditListBox* list = ListBox()) list->SetScrollWidth(FHorzExtent);
  return size;
}

bool TcxComboBoxLookupData::FitListToSize(TSize& Size, int MaxHeight, int MaxWidth) {
  TcxCustomEditListBox* list = ListBox();
  if (!list) return true;
  return FitComboListToSize(ListMetrics(), FHorzExtent, TSize(list->Width(), list->Height()), Size, MaxHeight,
                            MaxWidth);
}

bool TcxComboBoxLookupData::FitListToSizeHook(const TSize& Request) {
  TSize size = Request;
  return FitListToSize(size, 0, 0);
}

void TcxComboBoxLookupData::PrepareListBoxHook(TComponent* AOwner) {
  TcxCustomTextEditLookupData::PrepareListBoxHook(AOwner);
  auto* combo = dynamic_cast<TcxCustomDropDownEdit*>(OwnerEdit());
  TcxCustomEditListBox* list = ListBox();
  if (combo && list && combo->PopupControlsLookAndFeel())
    list->LookAndFeel()->AttachToMaster(combo->PopupControlsLookAndFeel());
}

// ---- view data and view info -----------------------------------------------------------------------------

void TcxCustomComboBoxViewData::CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                                int AButton, TShiftState AShift, TcxCustomEditViewInfo* AViewInfo,
                                                bool AIsMouseEvent) {
  TcxCustomDropDownEditViewData::CalculateLayout(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  auto* info = static_cast<TcxCustomComboBoxViewInfo*>(AViewInfo);
  auto* combo = dynamic_cast<TcxCustomComboBox*>(Edit);
  if (!combo) return;
  info->ItemIndex = -1;
  info->OwnerDrawing = false;
  if (ComboProperties()->DropDownListStyle() == lsFixedList && combo->HasDrawItemHandler()) {
    info->ItemIndex = combo->ItemIndex();
    info->OwnerDrawing = info->ItemIndex != -1;
  }
}

void TcxCustomComboBoxViewData::PrepareDisplayValue(TcxCanvas* ACanvas, const Variant& Value,
                                                    TcxCustomEditViewInfo* AViewInfo) {
  TcxCustomDropDownEditViewData::PrepareDisplayValue(ACanvas, Value, AViewInfo);
  if (Edit) return;
  auto* info = static_cast<TcxCustomComboBoxViewInfo*>(AViewInfo);
  TcxCustomComboBoxProperties* properties = ComboProperties();
  info->ItemIndex = -1;
  info->OwnerDrawing = false;
  if (properties->DropDownListStyle() == lsFixedList && properties->OnDrawItem) {
    info->ItemIndex = properties->Items()->IndexOf(VarToStr(Value));
    info->OwnerDrawing = info->ItemIndex != -1;
  }
}

TcxCustomComboBoxViewInfo::TcxCustomComboBoxViewInfo() {
  OnOwnerDraw = [this](TObject*, TcxCanvas* ACanvas, const TRect& R) { DrawOwnerItem(ACanvas, R); };
}

void TcxCustomComboBoxViewInfo::DrawOwnerItem(TcxCanvas* ACanvas, const TRect& R) {
  ACanvas->ChangeBrushColor(SelectionBar ? clHighlight : BackgroundColor);
  if (Font) ACanvas->AssignFont(Font);
  ACanvas->ActiveFont()->SetColor(SelectionBar ? clHighlightText : TextColor);
  TOwnerDrawState state{odComboBoxEdit};
  if (Focused) state = TOwnerDrawState{odSelected, odFocused, odComboBoxEdit};
  if (auto* combo = dynamic_cast<TcxCustomComboBox*>(Edit)) {
    combo->FireDrawItem(ACanvas, ItemIndex, R, state);
    return;
  }
  auto* properties = dynamic_cast<TcxCustomComboBoxProperties*>(Properties);
  if (properties && properties->OnDrawItem) properties->OnDrawItem(nullptr, ACanvas, ItemIndex, R, state);
}

// ---- the inner edit ---------------------------------------------------------------------------------------

void TcxCustomComboBoxInnerEdit::WndProc(TMessage& Message) {
  if (Message.Msg == WM_LBUTTONUP) SetControlState(ControlState() - TControlState{csClicked});
  TcxCustomDropDownInnerEdit::WndProc(Message);
}

// ---- TcxCustomComboBox ------------------------------------------------------------------------------------

TcxCustomComboBox::TcxCustomComboBox(TComponent* AOwner)
    : TcxCustomComboBox(AOwner, TcxCustomEditClasses{TcxCustomComboBoxProperties::StaticClass(),
                                                     TcxCustomComboBoxInnerEdit::StaticClass(),
                                                     EditDataBindingClassOf<TcxEditDataBinding>()}) {}

TcxCustomComboBox::TcxCustomComboBox(TComponent* AOwner, const TcxCustomEditClasses& Classes)
    : TcxCustomDropDownEdit(AOwner, Classes) {
  Construct();
}

void TcxCustomComboBox::InitializeEditor() {
  TcxCustomDropDownEdit::InitializeEditor();
  Construct();
}

void TcxCustomComboBox::Construct() { SetControlStyle(ControlStyle() - TControlStyle{csClickEvents}); }

TcxCustomComboBoxListBox* TcxCustomComboBox::ListBox() {
  TcxComboBoxLookupData* lookup = LookupDataObject();
  return lookup ? static_cast<TcxCustomComboBoxListBox*>(lookup->ListBox()) : nullptr;
}

void TcxCustomComboBox::FireMeasureItem(int AIndex, TcxCanvas* ACanvas, int& AHeight) {
  if (auto* own = dynamic_cast<TcxCustomComboBoxProperties*>(Properties()); own && own->OnMeasureItem)
    own->OnMeasureItem(this, AIndex, ACanvas, AHeight);
  if (TcxCustomComboBoxProperties* shared = ComboPropertiesOf(RepositoryItem()); shared && shared->OnMeasureItem)
    shared->OnMeasureItem(this, AIndex, ACanvas, AHeight);
}

bool TcxCustomComboBox::HasMeasureItemHandler() {
  auto* own = dynamic_cast<TcxCustomComboBoxProperties*>(Properties());
  return (own && own->OnMeasureItem) || ActiveComboProperties()->OnMeasureItem;
}

void TcxCustomComboBox::FireDrawItem(TcxCanvas* ACanvas, int AIndex, const TRect& ARect, TOwnerDrawState AState) {
  if (auto* own = dynamic_cast<TcxCustomComboBoxProperties*>(Properties()); own && own->OnDrawItem)
    own->OnDrawItem(this, ACanvas, AIndex, ARect, AState);
  if (TcxCustomComboBoxProperties* shared = ComboPropertiesOf(RepositoryItem()); shared && shared->OnDrawItem)
    shared->OnDrawItem(this, ACanvas, AIndex, ARect, AState);
}

bool TcxCustomComboBox::HasDrawItemHandler() {
  auto* own = dynamic_cast<TcxCustomComboBoxProperties*>(Properties());
  return (own && own->OnDrawItem) || ActiveComboProperties()->OnDrawItem;
}

bool TcxCustomComboBox::HasPopupContent() {
  TcxComboBoxLookupData* lookup = LookupDataObject();
  return !lookup || lookup->ItemCount() > 0;
}

void TcxCustomComboBox::PopupControlSize(TSize& Size) {
  TcxCustomComboBoxProperties* properties = ActiveComboProperties();
  const TSize r = PopupWindow()->MaxContentSize();
  int width = r.cx;
  if (!properties->DropDownSizeable() && !properties->DropDownAutoWidth()) {
    width = properties->DropDownWidth();
    if (width < 1) {
      TRect anchor;
      PopupAnchorRect(anchor);
      width = anchor.Right - anchor.Left;
    }
    TRect b;
    PopupWindow()->ViewInfo()->BorderExtents(b);
    width = std::min(width - b.Left - b.Right, static_cast<int>(r.cx));
  }
  TcxComboBoxLookupData* lookup = LookupDataObject();
  Size = lookup ? lookup->MeasureList(r.cy, width) : TSize(0, 0);
}

void TcxCustomComboBox::PreparePopup() {
  TcxCustomDropDownEdit::PreparePopup();
  PopupWindow()->ApplySizeable(ActiveComboProperties()->DropDownSizeable());
}

void TcxCustomComboBox::FitPopupContent(const TRect& ClientRect) {
  TcxComboBoxLookupData* lookup = LookupDataObject();
  if (lookup && lookup->ListBox()) lookup->PlaceListBox(ClientRect);
}

void TcxCustomComboBox::ShowPopupWindow() {
  TcxCustomDropDownEdit::ShowPopupWindow();
  if (TcxCustomComboBoxListBox* list = ListBox()) list->Invalidate();
}

bool TcxCustomComboBox::FitPopupListToSize(TSize& Size, int MaxHeight, int MaxWidth) {
  TcxComboBoxLookupData* lookup = LookupDataObject();
  return lookup && lookup->FitListToSize(Size, MaxHeight, MaxWidth);
}

bool TcxCustomComboBox::AllowsFreeTyping() {
  return TcxCustomDropDownEdit::AllowsFreeTyping() && ActiveComboProperties()->DropDownListStyle() == lsEditList;
}

bool TcxCustomComboBox::ShouldMatchTextToItem() {
  if (LookupChangeFlag() || ComponentState().Contains(csLoading)) return false;
  if (HasOpenPopup() || IsShowRequestQueued()) return true;
  if (ActiveComboProperties()->TypingMode() != etmFree) return true;
  TcxComboBoxLookupData* lookup = LookupDataObject();
  return IsFocused() && lookup && Text() == lookup->DisplayTextOfKey(lookup->CurrentItemKey());
}

void TcxCustomComboBox::HandleDataChanged() {
  TcxComboBoxLookupData* lookup = LookupDataObject();
  if (!lookup) {
    TcxCustomDropDownEdit::HandleDataChanged();
    return;
  }
  const int before = lookup->CurrentItemKey();
  LockChangeEvents(true);
  try {
    LockValueChanges(true);
    try {
      TcxCustomDropDownEdit::HandleDataChanged();
      if (ShouldMatchTextToItem()) lookup->MatchTextToItem();
    } catch (...) {
      LockValueChanges(false);
      throw;
    }
    LockValueChanges(false);
    if (lookup->CurrentItemKey() != before && ActiveComboProperties()->IncrementalSearch()) MarkModifiedAndChange();
  } catch (...) {
    LockChangeEvents(false);
    throw;
  }
  LockChangeEvents(false);
}

void TcxCustomComboBox::ActivateInplace(TcxCustomEditData*& AEditData) {
  TcxCustomDropDownEdit::ActivateInplace(AEditData);
  if (TcxComboBoxLookupData* lookup = LookupDataObject()) lookup->MatchTextToItem();
}

void TcxCustomComboBox::DblClick() {
  TcxCustomDropDownEdit::DblClick();
  HandleDblClick();
}

void TcxCustomComboBox::HandleDblClick() {
  TcxComboBoxLookupData* lookup = LookupDataObject();
  TcxCustomComboBoxProperties* properties = ActiveComboProperties();
  if (!lookup || HasOpenPopup() || !properties->Revertable() || lookup->IsEmptyList()) return;
  LockChangeEvents(true);
  try {
    const int before = lookup->CurrentItemKey();
    lookup->GoTo(egdNext, true);
    if (lookup->CurrentItemKey() != before && CanPostEditValue() && properties->ImmediatePost() &&
        ValidateEnteredValue(true))
      PostEditValue(false);
  } catch (...) {
    LockChangeEvents(false);
    throw;
  }
  LockChangeEvents(false);
}

void TcxCustomComboBox::PopupWindowShown(TObject* Sender) {
  TcxCustomDropDownEdit::PopupWindowShown(Sender);
  POINT p;
  GetCursorPos(&p);
  if (TcxComboBoxLookupData* lookup = LookupDataObject(); lookup && lookup->IsScreenPointOverList(TPoint(p.x, p.y)))
    SetIgnoreNextHover(true);
}

void TcxCustomComboBox::MouseMove(TShiftState Shift, int X, int Y) {
  TcxCustomDropDownEdit::MouseMove(Shift, X, Y);
  // Pressed on the editor, dragged into the open list: the list takes the press from here on, so
  // that releasing over a row picks it.
  TcxCustomComboBoxListBox* list = ListBox();
  if (!list || !HasOpenPopup() || !HandleAllocated() || GetCapture() != Handle() || !list->HandleAllocated()) return;
  POINT p = ClientToScreen(POINT{X, Y});
  if (!LookupDataObject()->IsScreenPointOverList(TPoint(p.x, p.y))) return;
  ReleaseCapture();
  win::ScreenToClient(list->Handle(), &p);
  SendMessage(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
}

void TcxCustomComboBox::WndProc(TMessage& Message) {
  // Releasing the button never clicks the combo box.
  if (Message.Msg == WM_LBUTTONUP) SetControlState(ControlState() - TControlState{csClicked});
  TcxCustomDropDownEdit::WndProc(Message);
}

// ---- TcxComboBox ------------------------------------------------------------------------------------------

TcxComboBox::TcxComboBox(TComponent* AOwner)
    : TcxCustomComboBox(AOwner, TcxCustomEditClasses{TcxComboBoxProperties::StaticClass(),
                                                     TcxCustomComboBoxInnerEdit::StaticClass(),
                                                     EditDataBindingClassOf<TcxEditDataBinding>()}) {}

void TcxComboBox::DeclareProperties(TPropTable& t) {
  using E = TcxComboBox;
  DeclarePublishedTextEditor<E>(t);
  t.Add("ItemIndex", &E::ItemIndex, &E::SetItemIndex).Stored(false);
}

// ---- TcxFilterComboBoxHelper --------------------------------------------------------------------------------

void TcxFilterComboBoxHelper::PrepareFilterProperties(TcxCustomEditProperties* Properties,
                                                      TcxCustomEditProperties* SourceProperties,
                                                      bool KeepButtons) const {
  TcxFilterMaskEditHelper::PrepareFilterProperties(Properties, SourceProperties, KeepButtons);
  auto* combo = dynamic_cast<TcxCustomComboBoxProperties*>(Properties);
  if (!combo) return;
  combo->SetButtonGlyph(nullptr);
  combo->SetDropDownRows(8);
  combo->SetDropDownListStyle(lsEditList);
  combo->SetImmediateDropDown(false);
  combo->SetPopupAlignment(taLeftJustify);
  combo->SetRevertable(false);
}

// ---- registration -----------------------------------------------------------------------------------------

void ComboBoxUnitStartup() {
  if (gUnitStarts++ > 0) return;
  // Form descriptions create the editors by class name.
  RegisterClasses({TcxComboBox::StaticClass(), TcxPopupEdit::StaticClass()});
  EditPropertiesClassRegistry()->AddClass(TcxComboBoxProperties::StaticClass(),
                                          GetLocalizedResString(cxLibraryStrings::scxSEditRepositoryComboBoxItem));
  EditPropertiesClassRegistry()->AddClass(TcxPopupEditProperties::StaticClass(),
                                          GetLocalizedResString(cxLibraryStrings::scxSEditRepositoryPopupItem));
  FilterEditsControllerInstance()->AddHelper(TcxComboBoxProperties::StaticClass(),
                                             FilterEditHelperClass<TcxFilterComboBoxHelper>());
}

void ComboBoxUnitShutdown() {
  if (gUnitStarts == 0 || --gUnitStarts > 0) return;
  FilterEditsControllerInstance()->RemoveHelper(TcxComboBoxProperties::StaticClass(),
                                                FilterEditHelperClass<TcxFilterComboBoxHelper>());
}
