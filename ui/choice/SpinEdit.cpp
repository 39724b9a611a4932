#include "ui/choice/SpinEdit.h"

#include <algorithm>
#include <cmath>

#include "platform/classes/FormatSettings.h"
#include "platform/classes/SysUtils.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "ui/controls/ControlServices.h"
#include "ui/controls/EditError.h"
#include "ui/controls/EditRepository.h"
#include "ui/controls/EditUtils.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/controls/VariantRoutines.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/OSVersion.h"
#include "ui/foundation/ScopeGuards.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;

namespace {

int gUnitStarts = 0;

constexpr unsigned kRepeatFirstDelay = 400;
constexpr unsigned kRepeatInterval = 100;

bool IsUpKind(TcxSpinButtonKind Kind) { return Kind == sbkUp || Kind == sbkFastUp; }
bool IsFastKind(TcxSpinButtonKind Kind) { return Kind == sbkFastDown || Kind == sbkFastUp; }

bool IsSpinKey(WORD Key) { return Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT; }

TcxSpinButtonKind KindOfKey(WORD Key) {
  switch (Key) {
    case VK_UP: return sbkUp;
    case VK_DOWN: return sbkDown;
    case VK_PRIOR: return sbkFastUp;
    default: return sbkFastDown;
  }
}

bool Less(const Variant& A, const Variant& B) {
  if (VarIsOrdinal(A) && VarIsOrdinal(B)) return A.AsInt64() < B.AsInt64();
  return A.AsDouble() < B.AsDouble();
}

bool IsEmptyText(const Variant& V) { return VarIsNull(V) || VarIsEmpty(V) || (VarIsStr(V) && VarToStr(V).empty()); }

}  // namespace

// ---- TcxSpinEditButtons -------------------------------------------------------------------------------

void TcxSpinEditButtons::DeclareProperties(TPropTable& t) {
  using B = TcxSpinEditButtons;
  t.Add("Position", &B::Position, &B::SetPosition).SetDefault(sbpVert);
  t.Add("ShowFastButtons", &B::ShowFastButtons, &B::SetShowFastButtons).SetDefault(false);
  t.Add("Visible", &B::Visible, &B::SetVisible).SetDefault(true);
}

TPersistent* TcxSpinEditButtons::GetOwner() { return FOwner; }

void TcxSpinEditButtons::Changed() {
  if (FOwner) FOwner->SignalChanged();
}

void TcxSpinEditButtons::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxSpinEditButtons*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  TcxEditPropertiesUpdate update(FOwner);
  SetPosition(source->FPosition);
  SetShowFastButtons(source->FShowFastButtons);
  SetVisible(source->FVisible);
}

void TcxSpinEditButtons::SetPosition(TcxSpinEditButtonsPosition Value) {
  if (Value == FPosition) return;
  FPosition = Value;
  Changed();
}

void TcxSpinEditButtons::SetShowFastButtons(bool Value) {
  if (Value == FShowFastButtons) return;
  FShowFastButtons = Value;
  Changed();
}

void TcxSpinEditButtons::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  Changed();
}

// ---- TcxSpinEditPropertiesValues ------------------------------------------------------------------------

void TcxSpinEditPropertiesValues::Assign(TPersistent* Source) {
  TcxTextEditPropertiesValues::Assign(Source);
  if (auto* source = dynamic_cast<TcxSpinEditPropertiesValues*>(Source)) SetValueType(source->FValueType);
}

void TcxSpinEditPropertiesValues::ClearAssignedFlags() {
  TcxTextEditPropertiesValues::ClearAssignedFlags();
  SetValueType(false);
}

// ---- TcxCustomSpinEditProperties ---------------------------------------------------------------------------

TcxCustomSpinEditProperties::TcxCustomSpinEditProperties(TPersistent* AOwner)
    : TcxCustomMaskEditProperties(AOwner,
                                  TcxCustomEditPropertiesClasses{EditButtonsClassOf<TcxEditButtons>(),
                                                                 EditPropertiesValuesClassOf<TcxSpinEditPropertiesValues>()}) {
  Buttons()->Add();
  Buttons()->Add();
  FSpinButtons = std::make_unique<TcxSpinEditButtons>(this);
}

TcxCustomSpinEditProperties::~TcxCustomSpinEditProperties() = default;

void TcxCustomSpinEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomSpinEditProperties*>(Source);
  if (!source || source == this) {
    TcxCustomMaskEditProperties::Assign(Source);
    return;
  }
  TcxEditPropertiesUpdate update(this);
  AttachDefaultValuesProvider(source->DefaultValuesProvider());
  SpinAssignedValues()->SetValueType(false);
  if (source->SpinAssignedValues()->ValueType()) SetValueType(source->ValueType());
  TcxCustomMaskEditProperties::Assign(Source);
  FCanEdit = source->FCanEdit;
  FCircular = source->FCircular;
  FExceptionOnInvalidInput = source->FExceptionOnInvalidInput;
  FIncrement = source->FIncrement;
  FLargeIncrement = source->FLargeIncrement;
  FSpinButtons->Assign(source->FSpinButtons.get());
  FUseCtrlIncrement = source->FUseCtrlIncrement;
  OnGetValue = source->OnGetValue;
}

TcxSpinEditValueType TcxCustomSpinEditProperties::ValueType() {
  if (SpinAssignedValues()->ValueType()) return FValueType;
  if (IcxEditDefaultValuesProvider* provider = DefaultValuesProvider())
    return provider->DataTypeCode() == 0 ? vtInt : vtFloat;
  return vtFloat;
}

void TcxCustomSpinEditProperties::SetValueType(TcxSpinEditValueType Value) {
  if (SpinAssignedValues()->ValueType() && FValueType == Value) return;
  FValueType = Value;
  SpinAssignedValues()->SetValueType(true);
  SignalChanged();
}

TcxSpinValueRange TcxCustomSpinEditProperties::Range() {
  return TcxSpinValueRange::FromBounds(ValueType(), AssignedValues()->MinValue(), MinValue(),
                                       AssignedValues()->MaxValue(), MaxValue(), BoundMode());
}

Variant TcxCustomSpinEditProperties::ConvertValue(const Variant& Value) {
  if (IsEmptyText(Value)) return Range().ToValueType(Variant(0LL));
  return Range().NormalizeValue(Value);
}

bool TcxCustomSpinEditProperties::CheckEditValue(Variant& Value) {
  try {
    if (VarIsStr(Value) || VarIsNumeric(Value)) {
      const String text = VarToStr(Value);
      if (!text.empty()) {
        Variant parsed;
        if (!StrToValue(text, parsed)) return false;
        Value = parsed;
      }
    } else if (!VarIsNull(Value) && !VarIsEmpty(Value) && !VarHoldsDateTime(Value)) {
      return false;
    }
    Value = NormalizeValue(ConvertValue(Value));
    return true;
  } catch (const Exception&) {
    return false;
  }
}

String TcxCustomSpinEditProperties::ValueText(const Variant& Value) {
  if (VarIsOrdinal(Value)) return IntToStr(Value.AsInt64());
  return VarToStr(Value);
}

void TcxCustomSpinEditProperties::ConvertToEditValue(const Variant& Value, Variant& DisplayValue, bool EditingForm) {
  if (VarIsOrdinal(Value) && DisplayFormat().empty() && EditFormat().empty()) {
    DisplayValue = Variant(IntToStr(Value.AsInt64()));
    return;
  }
  TcxCustomMaskEditProperties::ConvertToEditValue(Value, DisplayValue, EditingForm);
}

bool TcxCustomSpinEditProperties::IsEditValueValid(const Variant& Value) {
  Variant copy = Value;
  return CheckEditValue(copy);
}

bool TcxCustomSpinEditProperties::HasGetValueHandler() { return static_cast<bool>(OnGetValue); }

void TcxCustomSpinEditProperties::FireGetValue(TcxCustomEdit* Edit, const String& Text, Variant& Value,
                                               String& ErrorText, bool& Error) {
  if (OnGetValue) OnGetValue(Edit, Text, Value, ErrorText, Error);
  if (Edit && Edit->RepositoryItem())
    if (auto* active = dynamic_cast<TcxCustomSpinEditProperties*>(Edit->ActiveProperties());
        active && active != this && active->OnGetValue)
      active->OnGetValue(Edit, Text, Value, ErrorText, Error);
}

Variant TcxCustomSpinEditProperties::EmptyEditValue() { return Variant(ValueText(ClampValue(Range().ToValueType(Variant(0LL))))); }

int TcxCustomSpinEditProperties::EditValueSource(bool AFocused) {
  IcxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  if (!AFocused && !TextAssignedValues()->DisplayFormat() && provider && provider->IsDisplayFormatDefined(true))
    return 1;
  return 0;
}

void TcxCustomSpinEditProperties::NotifyPropertiesChanged() {
  {
    TcxEditPropertiesUpdate update(this);
    const int wanted = !FSpinButtons || FSpinButtons->Visible() ? (FSpinButtons && FSpinButtons->ShowFastButtons() ? 4 : 2) : 0;
    while (Buttons()->Count() < wanted) Buttons()->Add();
    while (Buttons()->Count() > wanted) Buttons()->Delete(0);
  }
  TcxCustomMaskEditProperties::NotifyPropertiesChanged();
}

TcxCustomEditPropertiesValuesClass TcxCustomSpinEditProperties::AssignedValuesClass() {
  return EditPropertiesValuesClassOf<TcxSpinEditPropertiesValues>();
}

TcxCustomEditViewDataClass TcxCustomSpinEditProperties::ViewDataClass() {
  return EditViewDataClassOf<TcxSpinEditViewData>();
}

TClass TcxCustomSpinEditProperties::EditClass() { return TcxSpinEdit::StaticClass(); }

TcxContainerViewInfoClass TcxCustomSpinEditProperties::ViewInfoClass() {
  return ContainerViewInfoClassOf<TcxSpinEditViewInfo>();
}

bool TcxCustomSpinEditProperties::AcceptsDisplayText(Variant& Value, bool EditingForm) {
  if (!TcxCustomMaskEditProperties::AcceptsDisplayText(Value, EditingForm)) return false;
  if (!ChecksTypedNumber()) return true;
  try {
    const String text = Trim(VarToStr(Value));
    if (text.empty()) return true;
    Variant parsed;
    if (!StrToValue(text, parsed)) return false;
    if (Less(parsed, EffectiveMinValue()) || Less(EffectiveMaxValue(), parsed)) Value = Variant(ValueText(parsed));
    return true;
  } catch (const Exception&) {
    return false;
  }
}

void TcxCustomSpinEditProperties::ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, TcxCustomEdit* Edit,
                                                       bool& Error) {
  auto* spin = dynamic_cast<TcxCustomSpinEdit*>(Edit);
  Variant v;
  if (spin && spin->TypedText()) {
    // Text that is no number falls back to the last value: an error only when the input is to raise.
    Error = !spin->TextToValue(DisplayValue, false, ErrorText, v) && FExceptionOnInvalidInput;
  } else {
    v = spin ? spin->SpinValue() : Variant::Null();
  }
  if (!Error) {
    if (VarIsNull(v) || VarIsEmpty(v)) v = ClampValue(Range().ToValueType(Variant(0LL)));
    const Variant minimum = EffectiveMinValue(), maximum = EffectiveMaxValue();
    const bool outside = Less(v, minimum) || Less(maximum, v);
    if (!FExceptionOnInvalidInput) {
      if (Less(v, minimum))
        v = minimum;
      else if (Less(maximum, v))
        v = maximum;
    }
    DisplayValue = Variant(ValueText(v));
    if (FExceptionOnInvalidInput && outside) {
      Error = true;
      ErrorText = GetLocalizedResString(cxLibraryStrings::cxSEditValueOutOfBounds);
    }
  }
  TcxCustomEditProperties::ValidateDisplayValue(DisplayValue, ErrorText, Edit, Error);
}

bool TcxCustomSpinEditProperties::AncestorIncrementNonZero(TFiler* Filer, bool Large) {
  auto* ancestor = dynamic_cast<TcxCustomSpinEditProperties*>(Filer->Ancestor());
  if (!ancestor) return true;
  return (Large ? ancestor->FLargeIncrement : ancestor->FIncrement) != 0;
}

void TcxCustomSpinEditProperties::DefineProperties(TFiler* Filer) {
  TcxCustomMaskEditProperties::DefineProperties(Filer);
  // A zero increment is never written as a number: the constructor's 1 and 10 would come back.
  Filer->DefineProperty(
      "ZeroIncrement", [this](TReader* Reader) { if (Reader->ReadBoolean()) FIncrement = 0; },
      [](TWriter* Writer) { Writer->WriteBoolean(true); }, FIncrement == 0 && AncestorIncrementNonZero(Filer, false));
  Filer->DefineProperty(
      "ZeroLargeIncrement", [this](TReader* Reader) { if (Reader->ReadBoolean()) FLargeIncrement = 0; },
      [](TWriter* Writer) { Writer->WriteBoolean(true); },
      FLargeIncrement == 0 && AncestorIncrementNonZero(Filer, true));
}

void TcxSpinEditProperties::DeclareProperties(TPropTable& t) {
  using P = TcxSpinEditProperties;
  t.Add("AssignedValues", &P::SpinAssignedValues, &P::SetAssignedValues);
  t.Add("AutoSelect", &P::AutoSelect, &P::SetAutoSelect).SetDefault(true);
  t.Add("BeepOnError", &P::BeepOnError, &P::SetBeepOnError).SetDefault(false);
  t.Add("CanEdit", &P::CanEdit, &P::SetCanEdit).SetDefault(true);
  t.Add("ClearKey", &P::ClearKey, &P::SetClearKey).SetDefault(0);
  t.Add("DisplayFormat", &P::DisplayFormat, &P::SetDisplayFormat);
  t.Add("EchoMode", &P::EchoMode, &P::SetEchoMode).SetDefault(eemNormal);
  t.Add("EditFormat", &P::EditFormat, &P::SetEditFormat);
  t.Add("ExceptionOnInvalidInput", &P::ExceptionOnInvalidInput, &P::SetExceptionOnInvalidInput).SetDefault(false);
  t.Add("HideSelection", &P::HideSelection, &P::SetHideSelection).SetDefault(true);
  t.Add("ImeMode", &P::ImeMode, &P::SetImeMode).SetDefault(imDontCare);
  t.Add("ImeName", &P::ImeName, &P::SetImeName);
  t.Add("ImmediatePost", &P::ImmediatePost, &P::SetImmediatePost).SetDefault(false);
  t.Add("Increment", &P::Increment, &P::SetIncrement).Stored(&P::IncrementStored);
  t.Add("LargeIncrement", &P::LargeIncrement, &P::SetLargeIncrement).Stored(&P::LargeIncrementStored);
  t.Add("MaxValue", &P::MaxValue, &P::SetMaxValue).Stored(&P::IsMaxValueStored);
  t.Add("MinValue", &P::MinValue, &P::SetMinValue).Stored(&P::IsMinValueStored);
  t.Add("PasswordChar", &P::PasswordChar, &P::SetPasswordChar).SetDefault(0);
  t.Add("ReadOnly", &P::ReadOnly, &P::SetReadOnly).NoDefault().Stored(&P::IsReadOnlyStored);
  t.Add("SpinButtons", &P::SpinButtons, &P::SetSpinButtons);
  t.Add("UseCtrlIncrement", &P::UseCtrlIncrement, &P::SetUseCtrlIncrement).SetDefault(false);
  t.Add("UseDisplayFormatWhenEditing", &P::UseDisplayFormatWhenEditing, &P::SetUseDisplayFormatWhenEditing)
      .SetDefault(false);
  t.Add("UseLeftAlignmentOnEditing", &P::UseLeftAlignmentOnEditing, &P::SetUseLeftAlignmentOnEditing)
      .Stored(&P::IsUseLeftAlignmentOnEditingStored);
  t.Add("ValidateOnEnter", &P::ValidateOnEnter, &P::SetValidateOnEnter).SetDefault(true);
  t.Add("ValueType", &P::ValueType, &P::SetValueType).Stored(&P::ValueTypeStored);
  t.Add("OnChange", &P::OnChange);
  t.Add("OnEditValueChanged", &P::OnEditValueChanged);
  t.Add("OnGetValue", &P::OnGetValue);
  t.Add("OnValidate", &P::OnValidate);
}

// ---- TcxSpinEditViewData ---------------------------------------------------------------------------------

int TcxSpinEditViewData::PressedKind() const {
  auto* spin = dynamic_cast<TcxCustomSpinEdit*>(Edit);
  return spin ? spin->PressedKind() : 0;
}

bool TcxSpinEditViewData::ButtonHeldDown(TcxCustomEditViewInfo*, int AVisibleIndex) {
  return AVisibleIndex == PressedKind() - 1;
}

bool TcxSpinEditViewData::ButtonsArrangedVertically(int) {
  return SpinProperties()->SpinButtons()->Position() == sbpVert;
}

void TcxSpinEditViewData::CalculateButtonViewInfos(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                                   int AButton, TShiftState AShift, TcxCustomEditViewInfo* AViewInfo,
                                                   bool AIsMouseEvent) {
  const int pressedBefore = AIsMouseEvent ? AViewInfo->PressedButton : -1;
  TcxCustomTextEditViewData::CalculateButtonViewInfos(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  auto* info = static_cast<TcxSpinEditViewInfo*>(AViewInfo);
  info->ButtonsPosition = SpinProperties()->SpinButtons()->Position();
  if (AViewInfo->ButtonCount() == 0) return;
  // The base placed each button on its own; the spin buttons are laid out together, and their states
  // follow the places they really have.
  PlaceSpinButtons(ACanvas, info, ABounds);
  AViewInfo->PressedButton = -1;
  AViewInfo->SelectedButton = -1;
  AViewInfo->IsButtonUnderPressedMouse = false;
  for (int i = 0; i < AViewInfo->ButtonCount(); ++i) {
    AViewInfo->Button(i)->FirstEdge = false;
    AViewInfo->Button(i)->LastEdge = false;
  }
  CalculateButtonStates(AViewInfo, P, AButton, AShift, pressedBefore);
  MarkEdgeButtons(AViewInfo);
}

bool TcxSpinEditViewData::UsesNativeSpinTheme() {
  TcxLookAndFeel* lookAndFeel = EditStyle()->LookAndFeel();
  return !lookAndFeel->SkinPainter() && IsNativeThemeActive(lookAndFeel->NativeStyle(), tciSpin);
}

int TcxSpinEditViewData::NativeSpinButtonHeight(TcxCanvas* ACanvas, TcxSpinEditViewInfo* AViewInfo) {
  TcxCanvas* canvas = ACanvas ? ACanvas : ScreenCanvasInstance();
  canvas->AssignFont(EditStyle()->DisplayFont());
  TRect client, content;
  ClientExtentWithButtons(ACanvas, AViewInfo, client);
  ContentExtent(ACanvas, content);
  return ContentMarginsTotal().cy + canvas->MeasureTextHeight("Zg") + (client.Top + client.Bottom) -
         (content.Top + content.Bottom) - 1;
}

void TcxSpinEditViewData::SpinButtonWidths(TcxCanvas* ACanvas, TcxSpinEditViewInfo* AViewInfo, int& HW, int& FW) {
  const int a = AViewInfo->ArrowSize;
  if (TcxCustomLookAndFeelPainterClass skin = EditStyle()->LookAndFeel()->SkinPainter()) {
    const int least = skin->EditButtonMinSize().cy;
    HW = least / 2 + a;
    FW = (least & 1) + 3 * HW / 2;
    return;
  }
  if (AViewInfo->NativeSpin) {
    const int h = NativeSpinButtonHeight(ACanvas, AViewInfo);
    HW = std::max((h + 1) / 2, 1);
  } else {
    HW = std::max(4 * a - 3, 1);
  }
  FW = MulDiv(HW, 3, 2);
}

void TcxSpinEditViewData::CalculateButtonThemeParts(TcxEditButtonViewInfo* B) {
  if (!UsesNativeSpinTheme()) {
    TcxCustomTextEditViewData::CalculateButtonThemeParts(B);
    return;
  }
  const auto kind = static_cast<TcxSpinButtonKind>(B->ButtonIndex);
  const bool vertical = SpinProperties()->SpinButtons()->Position() == sbpVert && !IsFastKind(kind);
  static constexpr int kUpPart = 1, kDownPart = 2, kUpHorzPart = 3, kDownHorzPart = 4;
  if (vertical)
    B->Data.NativePart = kind == sbkUp ? kUpPart : kDownPart;
  else
    B->Data.NativePart = IsUpKind(kind) ? kUpHorzPart : kDownHorzPart;
  // By button state: disabled, normal, pressed, hot.
  static constexpr int kThemeStates[] = {4, 1, 3, 2};
  B->Data.NativeState = kThemeStates[B->Data.State];
  B->Data.BackgroundPartiallyTransparent =
      UxIsThemeBackgroundPartiallyTransparent(AcquireThemeHandle(tciSpin), B->Data.NativePart, B->Data.NativeState);
}

void TcxSpinEditViewData::PlaceSpinButtons(TcxCanvas* ACanvas, TcxSpinEditViewInfo* AViewInfo, const TRect& ABounds) {
  const int count = AViewInfo->ButtonCount();
  AViewInfo->NativeSpin = UsesNativeSpinTheme();
  AViewInfo->DelimiterRect = TRect();
  // Themed buttons drawn by the system stand a pixel apart, and end a pixel above the bottom where
  // the older themes draw them a pixel too tall.
  const bool themedByTheSystem = AViewInfo->NativeSpin && !AViewInfo->HasCustomButtonDraw(0);
  const int delimiter = themedByTheSystem ? 1 : 0;
  TRect extent;
  ContentExtent(ACanvas, extent);
  TRect area(ABounds.Left + extent.Left, ABounds.Top + extent.Top, ABounds.Right - extent.Right,
             ABounds.Bottom - extent.Bottom);
  if (themedByTheSystem && !IsWindowsVistaOrLater) area.Bottom -= 1;
  if (area.Right <= area.Left || area.Bottom <= area.Top) return;
  const TcxSpinEditButtonsPosition position = AViewInfo->ButtonsPosition;
  const int w = EditButtonDefaultWidth(ACanvas, AViewInfo->Button(0));
  const int height = area.Bottom - area.Top;
  AViewInfo->ArrowSize = EditArrowSize(TSize(w + 2, height / 2 + 2), adUp).cy;
  int hw = 0, fw = 0;
  SpinButtonWidths(ACanvas, AViewInfo, hw, fw);
  auto place = [&](int Index, int Left, int Right, int Top, int Bottom, bool LeftSide) {
    if (Index >= count) return;
    TcxEditButtonViewInfo* b = AViewInfo->Button(Index);
    b->Bounds = TRect(Left, Top, Right, Bottom);
    b->VisibleBounds = TRect(std::max(Left, ABounds.Left), std::max(Top, ABounds.Top), std::min(Right, ABounds.Right),
                             std::min(Bottom, ABounds.Bottom));
    b->LeftAlignment = LeftSide;
    b->Width = Right - Left;
  };
  const bool fast = count == 4;
  int right = area.Right;
  if (fast) {
    place(sbkFastUp, right - fw, right, area.Top, area.Bottom, false);
    right -= fw;
  }
  if (position == sbpVert) {
    const int middle = area.Top + (height - delimiter) / 2;
    place(sbkUp, right - w, right, area.Top, middle, false);
    place(sbkDown, right - w, right, middle + delimiter, area.Bottom, false);
    if (delimiter) AViewInfo->DelimiterRect = TRect(right - w, middle, right, middle + delimiter);
    right -= w;
  } else {
    place(sbkUp, right - hw, right, area.Top, area.Bottom, false);
    right -= hw + delimiter;
    if (position == sbpHorzRight) {
      if (delimiter) AViewInfo->DelimiterRect = TRect(right, area.Top, right + delimiter, area.Bottom);
      place(sbkDown, right - hw, right, area.Top, area.Bottom, false);
      right -= hw;
    }
  }
  if (fast && position != sbpHorzLeftRight) place(sbkFastDown, right - fw, right, area.Top, area.Bottom, false);
  if (position == sbpHorzLeftRight) {
    int left = area.Left;
    if (fast) {
      place(sbkFastDown, left, left + fw, area.Top, area.Bottom, true);
      left += fw;
    }
    place(sbkDown, left, left + hw, area.Top, area.Bottom, true);
  }
  LeftSideLeftmostButtonIndex = LeftSideRightmostButtonIndex = -1;
  RightSideLeftmostButtonIndex = RightSideRightmostButtonIndex = -1;
  for (int i = 0; i < count; ++i) {
    const bool leftSide = AViewInfo->Button(i)->LeftAlignment;
    int& outer = leftSide ? LeftSideLeftmostButtonIndex : RightSideRightmostButtonIndex;
    int& inner = leftSide ? LeftSideRightmostButtonIndex : RightSideLeftmostButtonIndex;
    if (outer == -1) outer = i;
    inner = i;
  }
}

// ---- TcxSpinEditViewInfo ---------------------------------------------------------------------------------

void TcxSpinEditViewInfo::DrawArrowContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, const TRect& R, int Shift,
                                           TColor Color) {
  const auto kind = static_cast<TcxSpinButtonKind>(B->ButtonIndex);
  TcxArrowPointing direction = IsUpKind(kind) ? adRight : adLeft;
  if (ButtonsPosition == sbpVert && (kind == sbkUp || kind == sbkDown)) direction = kind == sbkUp ? adUp : adDown;
  const int a = ArrowSize > 0 ? ArrowSize : EditArrowSize(TSize(R.Right - R.Left, R.Bottom - R.Top), direction).cy;
  DrawEditArrow(ACanvas, a, R, Color, Shift != 0, IsFastKind(kind) ? 2 : 1, direction);
}

TcxEditButtonGlyphKind TcxSpinEditViewInfo::SkinGlyphKind(TcxEditButtonViewInfo* B) {
  const bool up = IsUpKind(static_cast<TcxSpinButtonKind>(B->ButtonIndex));
  if (ButtonsPosition == sbpVert) return up ? bkSpinUp : bkSpinDown;
  return up ? bkSpinRight : bkSpinLeft;
}

void TcxSpinEditViewInfo::DrawEditButton(TcxCanvas* ACanvas, int Index) {
  TcxCustomTextEditViewInfo::DrawEditButton(ACanvas, Index);
  if (NativeSpin && Button(Index)->ButtonIndex == sbkUp && DelimiterRect.Right > DelimiterRect.Left)
    ACanvas->FillRectWithColor(DelimiterRect, BackgroundColor);
}

void TcxSpinEditViewInfo::DrawThemedButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, TRect& R,
                                                 TRect& Content, TColor& Brush, TColor& Text) {
  if (!NativeSpin) {
    TcxCustomTextEditViewInfo::DrawThemedButtonBorder(ACanvas, B, R, Content, Brush, Text);
    return;
  }
  // The theme's part is the whole button, its arrow included.
  Content = TRect();
}

void TcxSpinEditViewInfo::DrawThemedButton(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, const TRect& R) {
  if (!NativeSpin) {
    TcxCustomTextEditViewInfo::DrawThemedButton(ACanvas, B, R);
    return;
  }
  // What a partly transparent part leaves shows the editor, not what stood there before.
  if (B->Data.BackgroundPartiallyTransparent) ACanvas->FillRectWithColor(R, B->Data.BackgroundColor);
  UxDrawThemeBackground(AcquireThemeHandle(tciSpin), ACanvas->DeviceContext(), B->Data.NativePart,
                        B->Data.NativeState, R, nullptr);
}

void TcxSpinEditViewInfo::PartBounds(int Part, TRect& R) {
  if (Part == -1)
    R = BorderRect;
  else
    TcxCustomTextEditViewInfo::PartBounds(Part, R);
}

void TcxSpinEditViewInfo::ShiftBy(int DX, int DY) {
  TcxCustomTextEditViewInfo::ShiftBy(DX, DY);
  DelimiterRect = ShiftRect(DelimiterRect, DX, DY, true);
}

// ---- TcxCustomSpinEdit -------------------------------------------------------------------------------------

TcxCustomSpinEdit::TcxCustomSpinEdit(TComponent* AOwner)
    : TcxCustomSpinEdit(AOwner, TcxCustomEditClasses{TcxCustomSpinEditProperties::StaticClass(),
                                                     TcxCustomInnerTextEdit::StaticClass(),
                                                     EditDataBindingClassOf<TcxEditDataBinding>()}) {}

TcxCustomSpinEdit::TcxCustomSpinEdit(TComponent* AOwner, const TcxCustomEditClasses& Classes)
    : TcxCustomMaskEdit(AOwner, Classes) {
  Construct();
}

TcxCustomSpinEdit::~TcxCustomSpinEdit() { FRepeatTimer.reset(); }

void TcxCustomSpinEdit::InitializeEditor() {
  TcxCustomMaskEdit::InitializeEditor();
  Construct();
}

void TcxCustomSpinEdit::Construct() {
  SetEditValueQuietly(Variant(0LL));
  FPressedKind = 0;
}

double TcxCustomSpinEdit::IncrementFor(TcxSpinButtonKind Kind) {
  TcxCustomSpinEditProperties* p = ActiveSpinProperties();
  return SpinIncrementFor(p->ValueType(), Kind, p->Increment(), p->LargeIncrement());
}

void TcxCustomSpinEdit::StoreSpinValue(const Variant& AValue) { FSpinValue = AValue; }

Variant TcxCustomSpinEdit::Value() {
  TcxCustomSpinEditProperties* p = ActiveSpinProperties();
  const Variant zero = p->ClampValue(p->Range().ToValueType(Variant(0LL)));
  Variant v;
  if (IsFocused()) {
    if (FTypedText)
      ConvertDisplayToEditValue(Variant(CurrentText()), v, true);
    else
      v = FSpinValue;
    if (!VarIsNumeric(v)) v = zero;
  } else {
    const Variant stored = EditValue();
    if (VarIsNumeric(stored)) {
      v = stored;
    } else if (VarIsStr(stored) && !VarToStr(stored).empty()) {
      if (!p->StrToValue(VarToStr(stored), v)) v = zero;
    } else {
      v = zero;
    }
  }
  return p->NormalizeValue(v);
}

void TcxCustomSpinEdit::ValueToDisplayText(const Variant& AValue, String& Text) {
  Variant display;
  ActiveSpinProperties()->ConvertToEditValue(AValue, display, ShowsEditingState());
  Text = VarToStr(display);
}

void TcxCustomSpinEdit::SetValue(const Variant& AValue) {
  if (!VarIsNumeric(AValue)) return;
  Variant v = AValue;
  if (!ActiveSpinProperties()->CheckEditValue(v)) return;
  SetEditValueChecked(v);
}

bool TcxCustomSpinEdit::TextToValue(const Variant& DisplayValue, bool Raise, String& ErrorText, Variant& AValue) {
  TcxCustomSpinEditProperties* p = ActiveSpinProperties();
  if (IsEmptyText(DisplayValue)) {
    IcxEditDefaultValuesProvider* provider = p->DefaultValuesProvider();
    AValue = provider && provider->RequiresValue() ? p->ClampValue(p->Range().ToValueType(Variant(0LL)))
                                                   : Variant::Null();
    return true;
  }
  const String text = VarToStr(DisplayValue);
  bool valid = p->StrToValue(text, AValue);
  if (!valid && p->HasGetValueHandler()) {
    ErrorText.clear();
    bool error = false;
    Variant candidate;
    try {
      p->FireGetValue(this, text, candidate, ErrorText, error);
    } catch (const Exception& e) {
      if (Raise) throw;
      ErrorText = e.Message();
      return false;
    }
    AValue = candidate;
    valid = !error;
  }
  if (!valid) {
    if (ErrorText.empty()) ErrorText = GetLocalizedResString(cxLibraryStrings::cxSSpinEditInvalidNumericValue);
    if (!p->ExceptionOnInvalidInput()) ErrorText.clear();
    if (Raise && p->ExceptionOnInvalidInput()) throw EcxEditError(ErrorText);
    AValue = FSpinValue;
  }
  AValue = p->NormalizeValue(AValue);
  return valid;
}

bool TcxCustomSpinEdit::NewSpinValue(TcxSpinButtonKind Kind, Variant& AValue) {
  TcxCustomSpinEditProperties* p = ActiveSpinProperties();
  return p->Range().NewSpinValue(Value(), Kind, IncrementFor(sbkUp), IncrementFor(sbkFastUp), AValue);
}

bool TcxCustomSpinEdit::Spin(TcxSpinButtonKind Kind) {
  bool changed = false;
  LockChangeEvents(true);
  try {
    Variant v;
    if (RequestEditing() && NewSpinValue(Kind, v)) {
      const String before = CurrentText();
      String text;
      ValueToDisplayText(v, text);
      StoreSpinValue(v);
      {
        TcxEditUserActionScope userAction(this, false);
        SetInnerEditValue(Variant(text));
      }
      changed = before != CurrentText();
      if (changed) {
        MarkModified(true);
        SetSelStart(Utf8Count(CurrentText()));
        if (ActiveProperties()->ImmediatePost() && CanPostEditValue() && ValidateEnteredValue(true)) {
          PostEditValue(false);
          RefreshDisplayText();
        }
      }
    }
  } catch (...) {
    LockChangeEvents(false);
    throw;
  }
  LockChangeEvents(false);
  return changed;
}

bool TcxCustomSpinEdit::IsKeyAcceptable(TChar Ch) {
  TcxCustomSpinEditProperties* p = ActiveSpinProperties();
  if (p->CanEdit() && p->HasGetValueHandler()) return true;
  bool acceptable = Ch < 32 || (Ch < 256 && p->ExtraKeys().test(Ch));
  if (!acceptable && Ch < 128)
    acceptable = IsNumericChar(static_cast<char>(Ch), p->ValueType() == vtFloat ? 2 : 0) || Ch == 'e' || Ch == 'E';
  if (acceptable && !p->CanEdit() && (Ch >= 32 || Ch == 8 || Ch == '.')) return false;
  return acceptable;
}

void TcxCustomSpinEdit::EditKeyPress(TChar& Key) {
  if (Key == '.' || Key == ',') Key = static_cast<TChar>(static_cast<unsigned char>(FormatSettings.DecimalSeparator));
  if ((Key >= 32 || Key == 8) && !IsKeyAcceptable(Key)) {
    Key = 0;
    MessageBeep(0);
    return;
  }
  if (Key >= 32 || Key == 8) FTyping = true;
  TcxCustomMaskEdit::EditKeyPress(Key);
}

void TcxCustomSpinEdit::EditKeyDown(WORD& Key, TShiftState Shift) {
  FTyping = false;
  TcxCustomSpinEditProperties* p = ActiveSpinProperties();
  const bool spinKey = IsSpinKey(Key) && (!p->UseCtrlIncrement() || Shift.Contains(ssCtrl));
  if (!spinKey) {
    StopSpinning();
    if (Key != VK_ESCAPE) FTyping = true;
    if (!p->CanEdit() && TcxCustomMaskEdit::IsValueChangingKey(Key, Shift)) {
      FireKeyDownNotification(Key, Shift);
      Key = 0;
      return;
    }
    TcxCustomMaskEdit::EditKeyDown(Key, Shift);
    return;
  }
  if (!Modified() && !RequestEditing()) return;
  const TcxSpinButtonKind kind = KindOfKey(Key);
  SetPressedKind(kind + 1);
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  Spin(kind);
  Key = 0;
}

void TcxCustomSpinEdit::EditKeyUp(WORD& Key, TShiftState Shift) {
  FTyping = false;
  TcxCustomMaskEdit::EditKeyUp(Key, Shift);
  if (IsSpinKey(Key)) StopSpinning();
}

bool TcxCustomSpinEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  if (TcxCustomEdit::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (!AcceptsMouseWheel(Shift)) return false;
  Spin(WheelDelta > 0 ? sbkUp : sbkDown);
  return true;
}

void TcxCustomSpinEdit::EditButtonPressed(int Index) {
  TcxCustomMaskEdit::EditButtonPressed(Index);
  if (!(HandleAllocated() && GetCapture() == Handle())) RefreshStateAtCursor(false);
  if (FPressedKind != 0) return;
  const int pressed = EditViewInfo()->PressedButton;
  if (pressed < 0) {
    StopSpinning();
    return;
  }
  Spin(static_cast<TcxSpinButtonKind>(pressed));
  StartRepeatTimer();
}

void TcxCustomSpinEdit::StartRepeatTimer() {
  if (ActiveProperties()->ReadOnly() || !DataBinding()->HasData()) return;
  FRepeatTimer = std::make_unique<TcxTimer>(nullptr);
  FRepeatTimer->SetInterval(kRepeatFirstDelay);
  FRepeatTimer->SetOnTimer([this](TObject*) { RepeatTick(); });
  FRepeatTimer->SetEnabled(true);
}

void TcxCustomSpinEdit::RepeatTick() {
  if (!FRepeatTimer) return;
  // 400 ms before the first repeat, then 100 ms, with no further acceleration.
  if (FRepeatTimer->Interval() != kRepeatInterval) FRepeatTimer->SetInterval(kRepeatInterval);
  const int pressed = EditViewInfo()->PressedButton;
  if (pressed >= 0) Spin(static_cast<TcxSpinButtonKind>(pressed));
}

void TcxCustomSpinEdit::StopSpinning() {
  FRepeatTimer.reset();
  SetHeldButtonIndex(-1);
  TcxCustomEditViewInfo* info = EditViewInfo();
  for (int i = 0; i < std::min(info->ButtonCount(), 2); ++i)
    if (info->Button(i)->Data.State == ebsPressed) info->Button(i)->Data.State = ebsNormal;
  SetPressedKind(0);
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
}

void TcxCustomSpinEdit::SetPressedKind(int Value) {
  if (ActiveProperties()->Buttons()->Count() == 0 || Value == FPressedKind) return;
  FPressedKind = Value;
  RefreshStateAtCursor(false);
  Invalidate();
}

void TcxCustomSpinEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxCustomMaskEdit::MouseDown(Button, Shift, X, Y);
  if (ButtonIndexAtPoint(TPoint(X, Y)) == -1) StopSpinning();
}

void TcxCustomSpinEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  StopSpinning();
  TcxCustomMaskEdit::MouseUp(Button, Shift, X, Y);
}

bool TcxCustomSpinEdit::FocusChanged() {
  StopSpinning();
  return TcxCustomMaskEdit::FocusChanged();
}

TcxContainerStyleValues TcxCustomSpinEdit::HiddenStyleValues() {
  TcxContainerStyleValues values = TcxCustomMaskEdit::HiddenStyleValues();
  values.Exclude(svButtonStyle);
  values.Exclude(svButtonTransparency);
  values.Exclude(svGradientButtons);
  return values;
}

void TcxCustomSpinEdit::HandleDataChanged() {
  FTypedText = FTyping;
  TcxCustomMaskEdit::HandleDataChanged();
  FTyping = false;
}

void TcxCustomSpinEdit::PropertiesChanged(TObject* Sender) {
  TcxCustomMaskEdit::PropertiesChanged(Sender);
  if (DataBinding() && !DataBinding()->CanLeaveEditor() && Modified()) ClampToBounds();
}

void TcxCustomSpinEdit::ClampToBounds() {
  TcxCustomSpinEditProperties* p = ActiveSpinProperties();
  const Variant v = Value();
  if (Less(v, p->EffectiveMinValue()))
    SetValue(p->EffectiveMinValue());
  else if (Less(p->EffectiveMaxValue(), v))
    SetValue(p->EffectiveMaxValue());
}

void TcxCustomSpinEdit::RefreshDisplayText() {
  TcxCustomSpinEditProperties* p = ActiveSpinProperties();
  Variant v = EditValue();
  if (p->CheckEditValue(v))
    StoreSpinValue(p->ConvertValue(v));
  else
    StoreSpinValue(p->ClampValue(p->Range().ToValueType(Variant(0LL))));
  TcxCustomMaskEdit::RefreshDisplayText();
}

void TcxCustomSpinEdit::RefreshValueFromDisplay() {
  TcxCustomMaskEdit::RefreshValueFromDisplay();
  StoreSpinValue(EditValue());
}

void TcxCustomSpinEdit::ConvertDisplayToEditValue(const Variant& Display, Variant& AValue, bool) {
  String error;
  TextToValue(Display, true, error, AValue);
}

template <class Body>
void TcxCustomSpinEdit::AsTyping(Body BodyStep) {
  if (IsFocused() && !ActiveSpinProperties()->CanEdit()) return;
  TcxFlagScope typing(FTyping, true);
  BodyStep();
}

void TcxCustomSpinEdit::CutSelectedText() {
  AsTyping([this] { TcxCustomMaskEdit::CutSelectedText(); });
}

void TcxCustomSpinEdit::PasteText() {
  AsTyping([this] { TcxCustomMaskEdit::PasteText(); });
}

void TcxCustomSpinEdit::DeleteSelectedText() {
  AsTyping([this] { TcxCustomMaskEdit::DeleteSelectedText(); });
}

bool TcxCustomSpinEdit::ApplyState(const TPoint& Point, int Button, TShiftState Shift, bool MouseEvent) {
  const bool result = TcxCustomMaskEdit::ApplyState(Point, Button, Shift, MouseEvent);
  TcxCustomEditViewInfo* info = EditViewInfo();
  if (info->ButtonCount() > 0 && info->PressedButton == -1 && HeldButtonIndex() == -1 && FPressedKind == 0 &&
      FRepeatTimer)
    StopSpinning();
  return result;
}

// ---- TcxSpinEdit -------------------------------------------------------------------------------------------

TcxSpinEdit::TcxSpinEdit(TComponent* AOwner)
    : TcxCustomSpinEdit(AOwner, TcxCustomEditClasses{TcxSpinEditProperties::StaticClass(),
                                                     TcxCustomInnerTextEdit::StaticClass(),
                                                     EditDataBindingClassOf<TcxEditDataBinding>()}) {}

bool TcxSpinEdit::ValueStored() {
  const Variant v = Value();
  return !(VarIsNumeric(v) && v.AsDouble() == 0);
}

void TcxSpinEdit::DeclareProperties(TPropTable& t) {
  using E = TcxSpinEdit;
  // A text editor's table with the value in place of the text.
  DeclarePublishedTextEditor<E>(t);
  t.Remove("Text");
  t.Add("Value", &E::Value, &E::SetValue).Stored(&E::ValueStored);
}

// ---- TcxFilterSpinEditHelper ---------------------------------------------------------------------------------

TcxFilterOperatorSet TcxFilterSpinEditHelper::SupportedFilterOperators(TcxCustomEditProperties*, TcxValueTypeClass,
                                                                       bool Extended) const {
  TcxFilterOperatorSet set = 0;
  for (int code : {1, 2, 3, 4, 5, 6, 9, 10}) set |= FilterOperatorBit(code);
  if (Extended)
    for (int code = 11; code <= 14; ++code) set |= FilterOperatorBit(code);
  return set;
}

void TcxFilterSpinEditHelper::PrepareFilterProperties(TcxCustomEditProperties* Properties,
                                                      TcxCustomEditProperties* SourceProperties,
                                                      bool KeepButtons) const {
  TcxFilterMaskEditHelper::PrepareFilterProperties(Properties, SourceProperties, KeepButtons);
  if (auto* spin = dynamic_cast<TcxCustomSpinEditProperties*>(Properties)) spin->SetCanEdit(true);
}

// ---- registration ------------------------------------------------------------------------------------------

void SpinEditUnitStartup() {
  if (gUnitStarts++ > 0) return;
  RegisterClassesOf<TcxSpinEdit>();
  EditPropertiesClassRegistry()->AddClass(TcxSpinEditProperties::StaticClass(),
                                          GetLocalizedResString(cxLibraryStrings::scxSEditRepositorySpinItem));
  FilterEditsControllerInstance()->AddHelper(TcxSpinEditProperties::StaticClass(),
                                             FilterEditHelperClass<TcxFilterSpinEditHelper>());
}

void SpinEditUnitShutdown() {
  if (gUnitStarts == 0 || --gUnitStarts > 0) return;
  FilterEditsControllerInstance()->RemoveHelper(TcxSpinEditProperties::StaticClass(),
                                                FilterEditHelperClass<TcxFilterSpinEditHelper>());
}
