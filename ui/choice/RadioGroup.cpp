#include "ui/choice/RadioGroup.h"

#include <algorithm>

#include "platform/classes/Forms.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/editors/TextEdit.h"
#include "ui/editors/TextEditProperties.h"
#include "ui/foundation/ParentBackground.h"
#include "ui/foundation/ScopeGuards.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;

namespace {

constexpr int kRadioButtonPart = 2;

int Clamped(int Value, int Count) { return std::clamp(Value, -1, Count - 1); }

TcxButtonState PainterStateOf(TcxEditButtonState State) {
  static constexpr TcxButtonState kStates[] = {cxbsDisabled, cxbsNormal, cxbsPressed, cxbsHot};
  return kStates[State];
}

// The theme's radio-button states: unchecked disabled, normal, pressed, hot; checked four more.
int ThemeStateOf(TcxEditButtonState State, bool Checked) {
  static constexpr int kStates[] = {4, 1, 3, 2};
  return kStates[State] + (Checked ? 4 : 0);
}

}  // namespace

// ---- TcxCustomRadioGroupProperties --------------------------------------------------------------------

TcxCustomRadioGroupProperties::TcxCustomRadioGroupProperties(TPersistent* AOwner)
    : TcxCustomButtonGroupProperties(AOwner, TNoItems{}),
      FDefaultCaption(GetLocalizedResString(cxLibraryStrings::cxSRadioGroupDefaultCaption)) {
  AdoptItems(CreateItems());
}

TcxButtonGroupItems* TcxCustomRadioGroupProperties::CreateItems() { return new TcxRadioGroupItems(this); }

void TcxCustomRadioGroupProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomRadioGroupProperties*>(Source);
  if (!source) {
    TcxCustomButtonGroupProperties::Assign(Source);
    return;
  }
  LockUpdate();
  try {
    TcxCustomButtonGroupProperties::Assign(Source);
    SetDefaultCaption(source->DefaultCaption());
    SetDefaultValue(source->DefaultValue());
  } catch (...) {
    UnlockUpdate(true);
    throw;
  }
  UnlockUpdate(true);
}

void TcxCustomRadioGroupProperties::SetDefaultValue(const Variant& Value) {
  if (VarEqualsSameType(FDefaultValue, Value)) return;
  FDefaultValue = Value;
  SignalChanged();
}

bool TcxCustomRadioGroupProperties::DefaultCaptionStored() const {
  return FDefaultCaption != GetLocalizedResString(cxLibraryStrings::cxSRadioGroupDefaultCaption);
}

String TcxCustomRadioGroupProperties::ValueDisplayText(const Variant& Value) {
  const int index = IndexOfValue(Value);
  return index == -1 ? FDefaultCaption : Items()->RadioItemAt(index)->Caption();
}

void TcxCustomRadioGroupProperties::ConvertToEditValue(const Variant& DisplayValue, Variant& EditValue, bool) {
  EditValue = Variant(IndexOfValue(DisplayValue));
}

TClass TcxCustomRadioGroupProperties::EditClass() { return TcxRadioGroup::StaticClass(); }

TcxCustomEditViewDataClass TcxCustomRadioGroupProperties::ViewDataClass() {
  return EditViewDataClassOf<TcxCustomRadioGroupViewData>();
}

TcxContainerViewInfoClass TcxCustomRadioGroupProperties::ViewInfoClass() {
  return ContainerViewInfoClassOf<TcxCustomRadioGroupViewInfo>();
}

void TcxRadioGroupProperties::DeclareProperties(TPropTable& t) {
  using P = TcxRadioGroupProperties;
  t.Add("AssignedValues", &P::AssignedValues, &P::SetAssignedValues);
  t.Add("ClearKey", &P::ClearKey, &P::SetClearKey).SetDefault(0);
  t.Add("Columns", &P::Columns, &P::SetColumns).SetDefault(1);
  t.Add("DefaultCaption", &P::DefaultCaption, &P::SetDefaultCaption).Stored(&P::DefaultCaptionStored);
  t.Add("DefaultValue", &P::DefaultValue, &P::SetDefaultValue).Stored(&P::DefaultValueStored);
  t.Add("ImmediatePost", &P::ImmediatePost, &P::SetImmediatePost).SetDefault(false);
  t.Add("Items", &P::Items, &P::SetItems);
  t.Add("ReadOnly", &P::ReadOnly, &P::SetReadOnly).NoDefault().Stored(&P::IsReadOnlyStored);
  t.Add("WordWrap", &P::WordWrap, &P::SetWordWrap).SetDefault(false);
  t.Add("OnChange", &P::OnChange);
  t.Add("OnEditValueChanged", &P::OnEditValueChanged);
}

// ---- view info ----------------------------------------------------------------------------------------

void TcxRadioGroupButtonViewInfo::GlyphBounds(TcxCanvas* ACanvas, const TSize& GlyphSize, TAlignment Alignment,
                                              bool PaintingDirectly, TRect& R) {
  TcxGroupBoxButtonViewInfo::GlyphBounds(ACanvas, GlyphSize, Alignment, PaintingDirectly, R);
  if (PaintingDirectly && !Data.NativeStyle) {
    ++R.Left;
    ++R.Right;
  }
}

TcxEditButtonViewInfoClass TcxCustomRadioGroupViewInfo::EditButtonViewInfoClass() {
  return [] { return static_cast<TcxEditButtonViewInfo*>(new TcxRadioGroupButtonViewInfo()); };
}

bool TcxCustomRadioGroupViewInfo::IsButtonGlyphTransparent(TcxGroupBoxButtonViewInfo* AItem) {
  return IsBackgroundNotOpaque() || (AItem->Data.NativeStyle && AItem->Data.BackgroundPartiallyTransparent);
}

void TcxCustomRadioGroupViewInfo::DrawButtonGlyph(TcxCanvas* ACanvas, TcxGroupBoxButtonViewInfo* AItem,
                                                  const TRect& GlyphRect) {
  ACanvas->PushDCState();
  ACanvas->ClipToRect(AItem->Bounds);
  if (AItem->Data.NativeStyle && AItem->Data.NativePart != 0) {
    UxDrawThemeBackground(AcquireThemeHandle(tciButton), ACanvas->DeviceContext(), AItem->Data.NativePart,
                          AItem->Data.NativeState, GlyphRect, nullptr);
  } else {
    TcxCustomLookAndFeelPainterClass painter =
        UseSkins && Painter ? Painter : LookAndFeelPainterOfKind(KindOfButtonStyle(AItem->Data.Style));
    painter->DrawRadioButton(ACanvas, GlyphRect.Left, GlyphRect.Top, PainterStateOf(AItem->Data.State),
                             AItem->Index == CheckedItemIndex, false,
                             IsBackgroundNotOpaque() ? clDefault : BackgroundColor, IsDesigning);
  }
  ACanvas->PopDCState();
}

void TcxCustomRadioGroupViewInfo::DrawButtonCaption(TcxCanvas* ACanvas, TcxGroupBoxButtonViewInfo* AItem,
                                                    const TRect& GlyphRect) {
  ACanvas->AssignFont(Font);
  ACanvas->ActiveFont()->SetColor(TextColor);
  TRect r = AItem->Bounds;
  if (GlyphAlignment == taRightJustify)
    r.Left = GlyphRect.Right;
  else
    r.Right = GlyphRect.Left;
  if (AItem->Data.NativeStyle)
    r = TRect(r.Left + 3, r.Top - 1, r.Right, r.Bottom + 1);
  else
    r = TRect(r.Left + 5, r.Top, r.Right - 1, r.Bottom);
  if (PaintsValueDirectly) {
    --r.Top;
    --r.Bottom;
  }
  ACanvas->ActiveBrush()->SetStyle(bsClear);
  ACanvas->DrawTextInRect(AItem->Caption, r, CaptionFlags, true);
  ACanvas->ActiveBrush()->SetStyle(bsSolid);
  // The focus frame goes round the caption of the item that holds the focus: the checked one.
  if (!Focused || IsInplace || AItem->Index != CheckedItemIndex || AItem->Caption.empty()) return;
  TRect f = r;
  ACanvas->CalcTextRect(AItem->Caption, f, CaptionFlags);
  f = TRect(f.Left - 1, f.Top - 1, f.Right + 1, f.Bottom + 2);
  TCanvas* c = ACanvas->Canvas();
  c->Brush()->SetColor(BackgroundColor);
  c->DrawFocusRect(RECT{f.Left, f.Top, f.Right, f.Bottom});
}

// ---- view data ----------------------------------------------------------------------------------------

TcxCustomLookAndFeelPainterClass TcxCustomRadioGroupViewData::GlyphPainter() const {
  return EditStyle()->LookAndFeel()->PainterForThemedObject(tciButton);
}

void TcxCustomRadioGroupViewData::GetButtonMetrics(bool, TcxCanvas* ACanvas, TcxButtonGroupMetrics& Metrics) {
  Metrics = TcxButtonGroupMetrics();
  Metrics.FirstColumnInset = Metrics.HorizontalMargins = IsInplace ? 1 : 6;
  Metrics.ContentWidthAdjust = IsInplace ? -2 : -6;
  Metrics.ColumnSpacing = 0;
  if (!ACanvas) return;
  const bool native = UsesNativeButtons(EditStyle()->LookAndFeel());
  Metrics.GlyphTextGap = native ? 1 : 3;
  Metrics.ItemWidthAdjust = IsInplace ? -5 : -6;
  Metrics.CaptionWidthAdd = native ? 5 : 7;
  const TSize glyph = GlyphPainter()->RadioButtonGlyphSize();
  Metrics.GlyphWidth = glyph.cx;
  Metrics.GlyphHeight = glyph.cy;
}

void TcxCustomRadioGroupViewData::CalculateButtonNativeState(TcxButtonGroupViewInfo* AViewInfo,
                                                             TcxGroupBoxButtonViewInfo* AItem) {
  AItem->Data.NativePart = 0;
  AItem->Data.NativeState = 0;
  AItem->Data.BackgroundPartiallyTransparent = false;
  if (!AItem->Data.NativeStyle) return;
  const bool checked = AItem->Index == static_cast<TcxCustomRadioGroupViewInfo*>(AViewInfo)->CheckedItemIndex;
  AItem->Data.NativePart = kRadioButtonPart;
  AItem->Data.NativeState = ThemeStateOf(AItem->Data.State, checked);
  AItem->Data.BackgroundPartiallyTransparent = UxIsThemeBackgroundPartiallyTransparent(
      AcquireThemeHandle(tciButton), kRadioButtonPart, AItem->Data.NativeState);
}

void TcxCustomRadioGroupViewData::CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                                  int AButton, TShiftState AShift, TcxCustomEditViewInfo* AViewInfo,
                                                  bool AIsMouseEvent) {
  auto* info = static_cast<TcxCustomRadioGroupViewInfo*>(AViewInfo);
  info->GlyphAlignment = taRightJustify;
  TcxButtonGroupViewData::CalculateLayout(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  info->ItemGlyphSize = GlyphPainter()->RadioButtonGlyphSize();
  info->AssignBackgroundColor(EditStyle()->Color());
}

void TcxCustomRadioGroupViewData::PrepareDisplayValue(TcxCanvas*, const Variant& Value,
                                                      TcxCustomEditViewInfo* AViewInfo) {
  auto* info = static_cast<TcxCustomRadioGroupViewInfo*>(AViewInfo);
  info->CheckedItemIndex = PreviewMode ? 0 : RadioProperties()->IndexOfValue(Value);
  info->CaptionFlags = ButtonCaptionFlags();
  // The theme state of an item depends on whether it is the checked one.
  for (int i = 0; i < info->ButtonCount(); ++i) CalculateButtonNativeState(info, info->Item(i));
}

// ---- TcxCustomRadioGroupButton ------------------------------------------------------------------------

TcxCustomRadioGroupButton::TcxCustomRadioGroupButton(TcxCustomRadioGroup* AOwner)
    : TcxRadioButton(AOwner), FGroup(AOwner) {
  FGroup->AddButton(this);
  LookAndFeel()->AttachToMaster(FGroup->Style()->LookAndFeel());
}

TcxCustomRadioGroupButton::~TcxCustomRadioGroupButton() { FGroup->RemoveButton(this); }

TcxContainer* TcxCustomRadioGroupButton::ControlContainer() { return FGroup; }

bool TcxCustomRadioGroupButton::IsInplace() { return FGroup->IsInPlace(); }
bool TcxCustomRadioGroupButton::UsesParentBackground() { return FGroup->UsesParentBackground(); }
bool TcxCustomRadioGroupButton::IsNativeStyle() { return FGroup->ButtonsAreNative(); }
bool TcxCustomRadioGroupButton::IsTransparentDrawing() { return FGroup->IsTransparent(); }

bool TcxCustomRadioGroupButton::IsBackgroundTransparent() {
  return TcxRadioButton::IsBackgroundTransparent() || FGroup->EditViewInfo()->HasCustomBackground();
}

void TcxCustomRadioGroupButton::DrawBackground() {
  if (FGroup->EditViewInfo()->HasCustomBackground())
    FGroup->EditViewInfo()->CustomDrawBackgroundAt(Canvas(), TPoint(Left(), Top()));
  else
    TcxRadioButton::DrawBackground();
}

TFont* TcxCustomRadioGroupButton::CaptionFont() { return FGroup->CaptionFont(); }

TColor TcxCustomRadioGroupButton::CaptionTextColor() {
  TColor content = clDefault, text = clDefault;
  FGroup->DefaultColors(content, text);
  return text != clDefault ? text : FGroup->CaptionFont()->Color();
}

bool TcxCustomRadioGroupButton::CanFocus() { return FGroup->CanFocus(); }

void TcxCustomRadioGroupButton::Click() {
  TcxRadioButton::Click();
  if (!FGroup->ComponentState().Contains(csLoading)) FGroup->Click();
}

void TcxCustomRadioGroupButton::SetChecked(bool Value) {
  if (Value == Checked()) return;
  const bool clicksDisabled = FClicksDisabled;
  FClicksDisabled = true;
  try {
    TcxRadioButton::SetChecked(Value);
  } catch (...) {
    FClicksDisabled = clicksDisabled;
    throw;
  }
  FClicksDisabled = clicksDisabled;
  if (Value && !InternalSetting) FGroup->ButtonChecked(this);
}

void TcxCustomRadioGroupButton::DefaultHandler(TMessage& Message) {
  if (ContainerHandlesInnerMessage(FGroup, Message)) return;
  TcxRadioButton::DefaultHandler(Message);
}

void TcxCustomRadioGroupButton::HandleCommand(TMessage& Message) {
  if (FInCommand) return;
  const auto code = static_cast<WORD>(Message.WParam >> 16);
  if (code != BN_CLICKED && code != BN_DOUBLECLICKED) {
    TcxRadioButton::WndProc(Message);
    return;
  }
  if (!Checked() && !(FGroup->IsEditAllowed() && FGroup->RequestEditing())) return;
  TcxFlagScope inCommand(FInCommand, true);
  try {
    TcxRadioButton::WndProc(Message);
  } catch (...) {
    // The operator's click must not leave the group half-way: the error is shown and the loop goes on.
    if (Application) Application->HandleException(this);
  }
}

void TcxCustomRadioGroupButton::WndProc(TMessage& Message) {
  if (FGroup->HandleInnerKeyDown(Message)) return;
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (FGroup->DragMode() == dmAutomatic && !FGroup->IsDesigning()) {
        FGroup->BeginDrag(false);
        return;
      }
      if (Message.Msg == WM_LBUTTONDOWN) {
        TcxFlagScope pressing(FMouseDownInProgress, true);
        TcxRadioButton::WndProc(Message);
        return;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TcxRadioButton::WndProc(Message);
      if (!HasState(csDestroying) && !FGroup->IsDestroying() &&
          reinterpret_cast<HWND>(Message.WParam) != (FGroup->HandleAllocated() ? FGroup->Handle() : nullptr))
        FGroup->NotifyFocusChanged();
      return;
    case CN_COMMAND:
      HandleCommand(Message);
      return;
    case WM_GETDLGCODE:
      TcxRadioButton::WndProc(Message);
      if (FGroup->WantsTabKey() && GetKeyState(VK_CONTROL) >= 0) Message.Result |= DLGC_WANTTAB;
      if (FGroup->IsInPlace()) Message.Result |= DLGC_WANTARROWS;
      return;
    default:
      break;
  }
  TcxRadioButton::WndProc(Message);
}

void TcxCustomRadioGroupButton::DoEnter() {
  // The radio button's own check on entry is replaced by the group's, which asks first.
  TRadioButton::DoEnter();
  FGroup->RefreshStateAtCursor(false);
  if (!Checked() && !FGroup->IsInPlace() && !FMouseDownInProgress && FGroup->RequestEditing()) SetCheckedValue(true);
}

void TcxCustomRadioGroupButton::DoExit() {
  TRadioButton::DoExit();
  FGroup->RefreshStateAtCursor(false);
}

void TcxCustomRadioGroupButton::KeyPress(TChar& Key) {
  if ((Key == U'\b' || Key == U' ') && !FGroup->IsEditAllowed()) {
    Key = 0;
    return;
  }
  TcxRadioButton::KeyPress(Key);
}

void TcxCustomRadioGroupButton::PaintButton(bool FocusOnly) {
  TcxCustomLookAndFeelPainterClass skin = LookAndFeel()->SkinPainter();
  if (!skin) {
    TcxRadioButton::PaintButton(FocusOnly);
    return;
  }
  // Skinned glyphs are blended: they are drawn with the background and caption off-screen first.
  const RECT client = ClientRect();
  const TRect r(0, 0, client.right, client.bottom);
  if (r.Right <= 0 || r.Bottom <= 0) return;
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(r.Right, r.Bottom);
  TcxCanvas canvas(bitmap.Canvas());
  FGroup->SetPaintingCopy(true);
  try {
    PaintParentBackground(this, &canvas, r, true);
  } catch (...) {
    FGroup->SetPaintingCopy(false);
    throw;
  }
  FGroup->SetPaintingCopy(false);
  const TRect& glyph = PlaceButtonRect(skin->RadioButtonGlyphSize());
  skin->DrawRadioButton(&canvas, glyph.Left, glyph.Top, PainterButtonState(), Checked(), Focused(), clNone,
                        HasState(csDesigning));
  DrawCaption(&canvas, false);
  BitBlt(Canvas()->DeviceContext(), 0, 0, r.Right, r.Bottom, bitmap.Canvas()->Handle(), 0, 0, SRCCOPY);
}

// ---- TcxCustomRadioGroup ------------------------------------------------------------------------------

TcxCustomRadioGroup::TcxCustomRadioGroup(TComponent* AOwner)
    : TcxCustomRadioGroup(AOwner, TcxCustomEditClasses{TcxCustomRadioGroupProperties::StaticClass(), nullptr,
                                                       EditDataBindingClassOf<TcxEditDataBinding>()}) {}

TcxCustomRadioGroup::TcxCustomRadioGroup(TComponent* AOwner, const TcxCustomEditClasses& Classes)
    : TcxCustomButtonGroup(AOwner, Classes) {
  Construct();
}

void TcxCustomRadioGroup::Construct() {
  // The group holds no other controls than its buttons.
  TControlStyle style{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csReplicatable};
  if (ControlStyle().Contains(csParentBackground)) style.Include(csParentBackground);
  SetControlStyle(style);
  FStoredItemIndex = -1;
  SetBounds(Left(), Top(), 185, 105);
}

TcxCustomRadioGroup::~TcxCustomRadioGroup() {
  Destroying();
  // The buttons go while the group is still whole: they tell it as they leave.
  TcxCustomButtonGroup::SetButtonCount(0);
}

bool TcxCustomRadioGroup::IsLoadingLike() {
  const TComponentState state = ComponentState();
  return state.Contains(csLoading) || state.Contains(csReading) || state.Contains(csUpdating);
}

int TcxCustomRadioGroup::CheckedButtonIndex() {
  for (int i = 0; i < ButtonCount(); ++i)
    if (RadioButton(i)->Checked()) return i;
  return -1;
}

int TcxCustomRadioGroup::ItemIndex() {
  if (IsLoadingLike() || IsDesigning()) return FStoredItemIndex;
  return CheckedButtonIndex();
}

void TcxCustomRadioGroup::SetItemIndex(int Value) {
  const bool loading = IsLoadingLike();
  if (!loading) {
    Variant value;
    ConvertDisplayToEditValue(Variant(Clamped(Value, ButtonCount())), value, false);
    ApplyValue(value, false);
  }
  if (loading || IsDesigning())
    FStoredItemIndex = ComponentState().Contains(csLoading) ? Value : Clamped(Value, ButtonCount());
}

bool TcxCustomRadioGroup::ButtonsAreNative() { return TcxButtonGroupViewData::UsesNativeButtons(Style()->LookAndFeel()); }

void TcxCustomRadioGroup::ConvertDisplayToEditValue(const Variant& DisplayValue, Variant& AEditValue, bool) {
  TcxCustomRadioGroupProperties* properties = ActiveRadioProperties();
  const int index = VarIsNull(DisplayValue) ? -1 : DisplayValue.AsInteger();
  if (index < 0 || index >= properties->Items()->Count()) {
    AEditValue = properties->DefaultValue();
    return;
  }
  TcxRadioGroupItem* item = properties->Items()->RadioItemAt(index);
  AEditValue = VarIsNull(item->Value()) ? Variant(item->Caption()) : item->Value();
}

void TcxCustomRadioGroup::InternalSetEditValue(const Variant& Value, bool) { ApplyValue(Value, false); }

void TcxCustomRadioGroup::ApplyValue(const Variant& Value, bool Forced) {
  const bool byUser = UserAction();
  LockChangeEvents(true);
  try {
    TcxCustomButtonGroup::InternalSetEditValue(Value, true);
    const int index = ActiveRadioProperties()->IndexOfValue(Value);
    const int checked = CheckedButtonIndex();
    if (Forced || index != checked) {
      // The first item that maps the value is the checked one, also when the operator checked an
      // equal one after it.
      if (index != checked) {
        TcxCustomRadioGroupButton* target =
            index >= 0 && index < ButtonCount() ? RadioButton(index) : checked >= 0 ? RadioButton(checked) : nullptr;
        if (target) {
          TcxFlagScope internal(target->InternalSetting, true);
          target->SetCheckedValue(index >= 0);
        }
      }
      if (index >= 0 && index < ButtonCount() && Focused() && !(HandleAllocated() && GetFocus() == Handle()) &&
          !RadioButton(index)->Focused())
        RadioButton(index)->SetFocus();
      if (!byUser && (IsLoadingLike() || IsDesigning())) FStoredItemIndex = index;
      MarkModifiedAndChange();
      NotifyChange();
    }
    if (!byUser) SetValueChanged(false);
  } catch (...) {
    LockChangeEvents(false, true);
    throw;
  }
  LockChangeEvents(false, true);
  RefreshStateAtCursor(false);
}

void TcxCustomRadioGroup::ButtonChecked(TcxCustomRadioGroupButton* AButton) {
  LockChangeEvents(true);
  try {
    SetUserAction(Focused());
    try {
      if (!ComponentState().Contains(csLoading)) {
        Variant value;
        ConvertDisplayToEditValue(Variant(IndexOfButton(AButton)), value, false);
        ApplyValue(value, true);
      }
    } catch (...) {
      SetUserAction(false);
      throw;
    }
    SetUserAction(false);
    if (Focused() && ActiveProperties()->ImmediatePost() && CanPostEditValue() && ValidateEnteredValue(true))
      PostEditValue(false);
  } catch (...) {
    LockChangeEvents(false, true);
    throw;
  }
  LockChangeEvents(false, true);
}

void TcxCustomRadioGroup::Changed() {
  TcxCustomButtonGroup::Changed();
  Click();
}

void TcxCustomRadioGroup::SynchronizeAfterLoad() {
  LockChangeEvents(true);
  LockValueChanges(true);
  try {
    if (!DataIsBound()) SetEditValueField(ActiveRadioProperties()->DefaultValue());
    SetItemIndex(FStoredItemIndex);
  } catch (...) {
    LockValueChanges(false);
    LockChangeEvents(false, false);
    throw;
  }
  LockValueChanges(false);
  LockChangeEvents(false, false);
  SynchronizeButtons();
}

void TcxCustomRadioGroup::Loaded() {
  TcxCustomButtonGroup::Loaded();
  SynchronizeAfterLoad();
}

void TcxCustomRadioGroup::Updated() {
  TcxCustomButtonGroup::Updated();
  SynchronizeAfterLoad();
}

void TcxCustomRadioGroup::SynchronizeButtons() {
  const int remembered = ItemIndex();
  TcxCustomButtonGroup::SynchronizeButtons();
  if (IsLoadingLike()) return;
  TcxCustomRadioGroupProperties* properties = ActiveRadioProperties();
  TcxRadioGroupItems* items = properties->Items();
  // An item that reports its arrival is still being made, one that reports its departure is half
  // gone: only what every button-group item has may be read of them. The buttons of the other
  // items stay as they were, checked or not, so the check stays on its item.
  if (!items->IsNotifying() && CheckedButtonIndex() != remembered) SetItemIndex(remembered);
  const int count = std::min(ButtonCount(), items->Count());
  for (int i = 0; i < count; ++i) {
    TcxCustomRadioGroupButton* b = RadioButton(i);
    b->SetCaption(items->ButtonItemAt(i)->Caption());
    b->SetWordWrap(properties->WordWrap());
    if (b->HandleAllocated()) RedrawWindow(b->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
}

void TcxCustomRadioGroup::UpdateButtonsStyle() {
  TcxCustomButtonGroup::UpdateButtonsStyle();
  TcxButtonGroupViewInfo* info = ButtonGroupViewInfo();
  if (info->ButtonCount() == 0) return;
  const TcxLookAndFeelKind kind = KindOfButtonStyle(info->Item(0)->Data.Style);
  for (int i = 0; i < ButtonCount(); ++i) {
    RadioButton(i)->LookAndFeel()->SetKind(kind);
    RadioButton(i)->SetTransparent(Transparent());
  }
}

void TcxCustomRadioGroup::ArrangeButtons() {
  TcxCustomButtonGroup::ArrangeButtons();
  TcxButtonGroupViewInfo* info = ButtonGroupViewInfo();
  const int count = std::min(ButtonCount(), info->ButtonCount());
  for (int i = 0; i < count; ++i) RadioButton(i)->PlaceInGrid(info->Item(i)->Column, info->Item(i)->Row);
}

TWinControl* TcxCustomRadioGroup::CreateButton() { return new TcxCustomRadioGroupButton(this); }

HDC TcxCustomRadioGroup::GetButtonDC(int Index) { return RadioButton(Index)->PaintDC(); }

void TcxCustomRadioGroup::SetFocus() {
  const int checked = CheckedButtonIndex();
  if (checked >= 0 && RadioButton(checked)->CanFocus())
    RadioButton(checked)->SetFocus();
  else
    TcxCustomButtonGroup::SetFocus();
}

void TcxCustomRadioGroup::ActivateInplace(TcxCustomEditData*& AEditData) {
  TcxCustomButtonGroup::ActivateInplace(AEditData);
  const int index = std::max(ItemIndex(), 0);
  if (index < ButtonCount() && RadioButton(index)->CanFocus()) RadioButton(index)->SetFocus();
}

bool TcxCustomRadioGroup::IsFocusedNow() {
  for (int i = 0; i < ButtonCount(); ++i)
    if (RadioButton(i)->Focused()) return false;
  return Focused();
}

void TcxCustomRadioGroup::GetTabOrderList(TControlList& List) {
  TcxCustomButtonGroup::GetTabOrderList(List);
  std::erase(List, static_cast<TControl*>(this));
  if (!(TabStop() || Focused()) || ItemIndex() == -1) return;
  for (int i = 0; i < ButtonCount(); ++i)
    if (RadioButton(i)->Enabled()) List.push_back(RadioButton(i));
}

void TcxCustomRadioGroup::GetChildren(TGetChildProc, TComponent*) {}

void TcxCustomRadioGroup::SetDragModeOfAll(TDragMode Value) {
  SetDragMode(Value);
  for (int i = 0; i < ButtonCount(); ++i) RadioButton(i)->SetDragMode(Value);
}

void TcxCustomRadioGroup::SetDragKindOfAll(TDragKind Value) {
  SetDragKind(Value);
  for (int i = 0; i < ButtonCount(); ++i) RadioButton(i)->SetDragKind(Value);
}

void TcxCustomRadioGroup::SetParentBackgroundOfAll(bool Value) {
  SetParentBackground(Value);
  for (int i = 0; i < ButtonCount(); ++i) RadioButton(i)->SetParentBackground(Value);
}

void TcxCustomRadioGroup::Resize() {
  TcxCustomButtonGroup::Resize();
  if (IsDesigning() && UsesParentBackground() && HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

void TcxCustomRadioGroup::WndProc(TMessage& Message) {
  if (Message.Msg == CM_CTL3DCHANGED) {
    TcxCustomButtonGroup::WndProc(Message);
    RefreshStateAtCursor(false);
    return;
  }
  TcxCustomButtonGroup::WndProc(Message);
}

// ---- TcxRadioGroup ------------------------------------------------------------------------------------

TcxRadioGroup::TcxRadioGroup(TComponent* AOwner)
    : TcxCustomRadioGroup(AOwner, TcxCustomEditClasses{TcxRadioGroupProperties::StaticClass(), nullptr,
                                                       EditDataBindingClassOf<TcxEditDataBinding>()}) {}

void TcxRadioGroup::DeclareProperties(TPropTable& t) {
  using G = TcxRadioGroup;
  t.Add("Alignment", &G::Alignment, &G::SetAlignment).SetDefault(alTopLeft);
  t.Add("Caption", &G::Caption, &G::SetCaption);
  t.Add("ItemIndex", &G::ItemIndexValue, &G::SetItemIndexValue).SetDefault(-1);
  t.Add("Properties", &G::Properties, &G::SetProperties);
  t.Add("Style", &G::Style, &G::SetStyle);
  t.Add("StyleDisabled", &G::StyleDisabled, &G::SetStyleDisabled);
  t.Add("StyleFocused", &G::StyleFocused, &G::SetStyleFocused);
  t.Add("StyleHot", &G::StyleHot, &G::SetStyleHot);
  t.Redeclare("TabStop").SetDefault(true);
  t.Add("Transparent", &G::Transparent, &G::SetTransparent).SetDefault(false);
  t.Add("Align", &TControl::Align, &TControl::SetAlign).SetDefault(alNone);
  t.Add("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode).SetDefault(bdLeftToRight);
  t.Add("Constraints", &TControl::Constraints, &TControl::SetConstraints);
  t.Add("Ctl3D", &TControl::Ctl3D, &TControl::SetCtl3D).SetDefault(true);
  t.Add("DragKind", &TControl::DragKind, &G::SetDragKindOfAll).SetDefault(dkDrag);
  t.Add("DragMode", &TControl::DragMode, &G::SetDragModeOfAll).SetDefault(dmManual);
  t.Add("Enabled", &TControl::Enabled, &TControl::SetEnabled).SetDefault(true);
  t.Add("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode).SetDefault(true);
  t.Add("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).SetDefault(true);
  t.Add("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
  t.Add("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
  t.Add("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
  t.Add("Visible", &TControl::Visible, &TControl::SetVisible).SetDefault(true);
  t.Add("OnClick", &TControl::OnClick);
  t.Add("OnContextPopup", &TControl::OnContextPopup);
  t.Add("OnDragDrop", &TControl::OnDragDrop);
  t.Add("OnDragOver", &TControl::OnDragOver);
  t.Add("OnEditing", &G::OnEditing);
  t.Add("OnEndDock", &TControl::OnEndDock);
  t.Add("OnEndDrag", &TControl::OnEndDrag);
  t.Add("OnEnter", &TWinControl::OnEnter);
  t.Add("OnExit", &TWinControl::OnExit);
  t.Add("OnStartDock", &TControl::OnStartDock);
  t.Add("OnStartDrag", &TControl::OnStartDrag);
}

// ---- TcxFilterRadioGroupHelper ------------------------------------------------------------------------

namespace {

// The filter editor's list position: the combo box's, which is its text editor's.
int FilterItemIndex(TcxCustomEdit* Edit) {
  auto* text = dynamic_cast<TcxCustomTextEdit*>(Edit);
  return text ? text->ItemIndex() : -1;
}

}  // namespace

void TcxFilterRadioGroupHelper::ReadFilterValue(TcxCustomEdit* Edit, TcxCustomEditProperties* Properties,
                                                Variant& Value, String& DisplayText) const {
  auto* radio = dynamic_cast<TcxCustomRadioGroupProperties*>(Properties);
  if (!radio) {
    TcxCustomFilterEditHelper::ReadFilterValue(Edit, Properties, Value, DisplayText);
    return;
  }
  const int index = FilterItemIndex(Edit);
  if (index < 0 || index >= radio->Items()->Count()) {
    Value = radio->DefaultValue();
    DisplayText = radio->DefaultCaption();
    return;
  }
  Value = radio->Items()->RadioItemAt(index)->Value();
  DisplayText = radio->Items()->RadioItemAt(index)->Caption();
}

void TcxFilterRadioGroupHelper::ApplyFilterValue(TcxCustomEdit* Edit, TcxCustomEditProperties* Properties,
                                                 const Variant& Value) const {
  auto* radio = dynamic_cast<TcxCustomRadioGroupProperties*>(Properties);
  auto* text = dynamic_cast<TcxCustomTextEdit*>(Edit);
  if (radio && text) text->SetItemIndex(radio->IndexOfValue(Value));
}

void TcxFilterRadioGroupHelper::PrepareFilterProperties(TcxCustomEditProperties* Properties,
                                                        TcxCustomEditProperties* SourceProperties,
                                                        bool KeepButtons) const {
  TcxFilterComboBoxHelper::PrepareFilterProperties(Properties, SourceProperties, KeepButtons);
  auto* radio = dynamic_cast<TcxCustomRadioGroupProperties*>(SourceProperties);
  auto* combo = dynamic_cast<TcxCustomComboBoxProperties*>(Properties);
  if (!radio || !combo) return;
  combo->SetDropDownListStyle(lsFixedList);
  TStringList* list = combo->Items();
  list->Clear();
  for (int i = 0; i < radio->Items()->Count(); ++i) list->Add(radio->Items()->RadioItemAt(i)->Caption());
}

TcxFilterOperatorSet TcxFilterRadioGroupHelper::SupportedFilterOperators(TcxCustomEditProperties*, TcxValueTypeClass,
                                                                         bool Extended) const {
  return 1542 | (Extended ? 0x6000 : 0);
}

// ---- unit ---------------------------------------------------------------------------------------------

namespace {
int gUnitStarts = 0;
}  // namespace

void RadioGroupUnitStartup() {
  if (gUnitStarts++ > 0) return;
  RegisterClassesOf<TcxRadioGroup>();
  EditPropertiesClassRegistry()->AddClass(
      TcxRadioGroupProperties::StaticClass(),
      GetLocalizedResString(cxLibraryStrings::scxSEditRepositoryRadioGroupItem));
  FilterEditsControllerInstance()->AddHelper(TcxRadioGroupProperties::StaticClass(),
                                             FilterEditHelperClass<TcxFilterRadioGroupHelper>());
}

void RadioGroupUnitShutdown() {
  if (gUnitStarts == 0 || --gUnitStarts > 0) return;
  FilterEditsControllerInstance()->RemoveHelper(TcxRadioGroupProperties::StaticClass(),
                                                FilterEditHelperClass<TcxFilterRadioGroupHelper>());
  EditPropertiesClassRegistry()->RemoveClass(TcxRadioGroupProperties::StaticClass());
}
