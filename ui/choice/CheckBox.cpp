#include "ui/choice/CheckBox.h"

#include <algorithm>

#include "platform/classes/Filer.h"
#include "platform/classes/Messages.h"
#include "platform/win/Keys.h"
#include "ui/controls/ContainerViewInfo.h"
#include "ui/controls/EditUtils.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/controls/VariantRoutines.h"
#include "ui/foundation/Accelerators.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/ScopeGuards.h"

using namespace win;

namespace {

bool IsExactly(const Variant& V, const Variant& Expected) { return VarEqualsSameType(V, Expected); }

TcxContainerBorderStyle AsContainerBorder(TcxEditBorderStyle Style) {
  return static_cast<TcxContainerBorderStyle>(Style);
}

bool IsLeftButtonCode(int Button) { return Button == MouseButtonCode(mbLeft); }

// The view data's paint option that asks an in-place editor for a focus rectangle.
constexpr int kShowFocusRectWhenInplace = 2;

}  // namespace

// ---- view info --------------------------------------------------------------------------------------

bool TcxCustomCheckBoxViewInfo::BoxIsOpaque() const {
  if (Painter || HasGlyph) return false;
  if (!NativeStyle) return true;
  return !UxIsThemeBackgroundPartiallyTransparent(AcquireThemeHandle(tciButton), 3,
                                                  1 + 4 * static_cast<int>(State) + static_cast<int>(PartState));
}

TcxEditCheckPaint TcxCustomCheckBoxViewInfo::BoxPaint() {
  TcxEditCheckPaint p;
  p.Box = BoxRect;
  p.State = State;
  p.NullStyle = NullStyle;
  p.SkinPainter = Painter;
  p.Focused = Focused;
  p.Designing = IsDesigning;
  p.BackgroundOpaque = !IsBackgroundNotOpaque();
  p.BackgroundColor = BackgroundColor;
  p.BorderColor = BorderColor;
  p.NativeStyle = NativeStyle;
  p.BorderStyle = BoxBorderStyle;
  p.GlyphCount = GlyphCount;
  p.Glyph = Glyph;
  p.PartState = PartState;
  return p;
}

void TcxCustomCheckBoxViewInfo::PaintBody(TcxCanvas* ACanvas) {
  const bool seeThrough = IsBackgroundNotOpaque() && !BoxIsOpaque();
  DrawBackgroundByKind(ACanvas, Bounds, seeThrough, GrowRect(BoxRect, -BoxBorderOffset, -BoxBorderOffset));
  PaintEditCheck(ACanvas, BoxPaint());
  if (Alignment != taCenter) PaintText(ACanvas);
  if (!RectHasNoArea(FocusRect)) {
    ACanvas->ActiveFont()->SetColor(TextColor);
    ACanvas->ChangeBrushColor(BackgroundColor);
    ACanvas->PaintFocusRect(FocusRect);
  }
}

void TcxCustomCheckBoxViewInfo::PaintText(TcxCanvas* ACanvas) {
  if (Text.empty()) return;
  if (Font) ACanvas->AssignFont(Font);
  ACanvas->ActiveFont()->SetColor(TextColor);
  const TBrushStyle saved = ACanvas->ActiveBrush()->Style();
  ACanvas->ActiveBrush()->SetStyle(bsClear);
  ACanvas->DrawTextInRect(Text, TextRect, static_cast<LibraryTextFlags>(DrawFlags), !DrawsCaptionDisabled());
  ACanvas->ActiveBrush()->SetStyle(saved);
}

void TcxCustomCheckBoxViewInfo::CopyStateFrom(TcxContainerViewInfo* Source) {
  TcxCustomTextEditViewInfo::CopyStateFrom(Source);
  if (auto* source = dynamic_cast<TcxCustomCheckBoxViewInfo*>(Source)) {
    PartState = source->PartState;
    State = source->State;
  }
}

TcxRegion* TcxCustomCheckBoxViewInfo::DiffRegion(TcxContainerViewInfo* Previous) {
  TcxRegion* region = TcxCustomTextEditViewInfo::DiffRegion(Previous);
  auto* previous = dynamic_cast<TcxCustomCheckBoxViewInfo*>(Previous);
  if (previous && (previous->PartState != PartState || previous->State != State))
    UniteRegion(region, new TcxRegion(BoxRect));
  return region;
}

void TcxCustomCheckBoxViewInfo::ShiftBy(int DX, int DY) {
  TcxCustomTextEditViewInfo::ShiftBy(DX, DY);
  BoxRect = ShiftRect(BoxRect, DX, DY, true);
  FocusRect = ShiftRect(FocusRect, DX, DY, true);
}

void TcxCustomCheckBoxViewInfo::RememberButtonStates() {
  TcxCustomTextEditViewInfo::RememberButtonStates();
  PreviousPartState = PartState;
}

bool TcxCustomCheckBoxViewInfo::InvalidateChangedParts(TWinControl* Control, const TRect& InnerRect,
                                                       TcxContainerViewInfo* Previous) {
  const bool result = TcxCustomTextEditViewInfo::InvalidateChangedParts(Control, InnerRect, Previous);
  auto* previous = dynamic_cast<TcxCustomCheckBoxViewInfo*>(Previous);
  if (previous && Control && Control->HandleAllocated() &&
      (previous->PartState != PartState || previous->State != State))
    InvalidateControlRect(Control, ShiftRect(BoxRect, Left, Top, true), false);
  return result;
}

// ---- view data --------------------------------------------------------------------------------------

TcxCustomCheckBoxProperties* TcxCustomCheckBoxViewData::CheckBoxProperties() const {
  return static_cast<TcxCustomCheckBoxProperties*>(Properties);
}

bool TcxCustomCheckBoxViewData::CaptionShownInplace() {
  return !IsInplace || CheckBoxProperties()->ShowsCaptionInplace();
}

LibraryTextFlags TcxCustomCheckBoxViewData::CaptionTextFlags(TcxCustomCheckBoxViewInfo* AViewInfo) {
  LibraryTextFlags flags = AViewInfo->Alignment == taCenter ? ltfCenterHorz : ltfAlignLeft;
  const bool singleLine = !CheckBoxProperties()->MultiLine();
  flags |= ltfShowPrefix | (singleLine ? ltfSingleLine : ltfNoClip | ltfWordBreak);
  flags |= IsInplace || singleLine ? ltfCenterVert : ltfAlignTop;
  return flags;
}

TcxEditBorderStyle TcxCustomCheckBoxViewData::HotTrackedBorderStyle() {
  const TcxEditBorderStyle style = EditStyle()->EditBorderStyle();
  if (!EditStyle()->HotTrack() || IsDesigning || IsInplace || !ActiveOrHot) return style;
  switch (style) {
    case ebsNone: return ebsFlat;
    case ebsSingle:
    case ebsThick: return ebsThick;
    case ebsFlat:
    case ebs3D: return ebs3D;
    default: return style;
  }
}

TcxEditCheckState TcxCustomCheckBoxViewData::PartStateAt(TcxCustomCheckBoxViewInfo* AViewInfo, const TPoint& P,
                                                         int AButton, TShiftState AShift, bool AIsMouseEvent) {
  if (!Enabled) return ecsDisabled;
  if (auto* box = dynamic_cast<TcxCustomCheckBox*>(Edit); box && box->IsSpaceHeld()) return ecsPressed;
  if (IsDesigning || !RectContainsPoint(AViewInfo->BorderRect, P)) return ecsNormal;
  if ((AShift * TShiftState{ssLeft, ssRight, ssMiddle}).Empty()) return ecsHot;
  const bool leftEvent = AIsMouseEvent && IsLeftButtonCode(AButton);
  if (AShift.Contains(ssLeft) && (leftEvent || AViewInfo->PartState == ecsPressed)) return ecsPressed;
  return ecsNormal;
}

void TcxCustomCheckBoxViewData::PlaceBoxAndCaption(TcxCustomCheckBoxViewInfo* AViewInfo) {
  const TRect& client = AViewInfo->ClientRect;
  const bool inplaceBox = IsInplace && !CaptionShownInplace();
  const TAlignment alignment = AViewInfo->Alignment;
  const TSize size = EditCheckSize(AViewInfo->HasGlyph ? AViewInfo->Glyph : nullptr, AViewInfo->GlyphCount,
                                   AViewInfo->Painter, NativeStyle);
  TRect r = client;
  if (inplaceBox) {
    if (alignment == taLeftJustify) r.Left += 2;
    if (alignment == taRightJustify) r.Right -= 2;
  } else {
    r = GrowRect(r, -2, -2);
  }
  const int width = std::min(size.cx, WidthOfRect(r));
  TRect box = CenterExtentInRect(r, width, size.cy);
  if (WidthOfRect(r) > size.cx) {
    if (alignment == taLeftJustify) box = MoveRectLeftTo(box, r.Left);
    if (alignment == taRightJustify) box = MoveRectLeftTo(box, r.Right - width);
  }
  AViewInfo->BoxRect = box;

  TRect text = client;
  if (IsInplace) {
    if (alignment == taLeftJustify) text.Right -= 2;
    if (alignment == taRightJustify) text.Left += 2;
    text.Top += ContentOffsets.Margins.Top;
    text.Bottom -= ContentOffsets.Margins.Bottom;
  } else {
    text = GrowRect(text, -2, -2);
    if (!CaptionShownInplace()) text.Top -= 1;
  }
  if (WidthOfRect(box) < WidthOfRect(client)) {
    if (alignment == taLeftJustify) text.Left = box.Right + 3;
    if (alignment == taRightJustify) text.Right = box.Left - 3 + (IsInplace && CheckBoxProperties()->ShowsCaptionInplace() ? 1 : 0);
  } else {
    text = TRect(text.Left, text.Top, text.Left, text.Top);
  }
  if (AViewInfo->DrawsCaptionDisabled() && !AViewInfo->Painter) {
    text.Right += 1;
    text.Bottom += 1;
  }
  AViewInfo->TextRect = text;
}

void TcxCustomCheckBoxViewData::CalculateFocusRect(TcxCanvas* ACanvas, TcxCustomCheckBoxViewInfo* AViewInfo) {
  TRect focus;
  if (Focused) {
    const bool centred = AViewInfo->Alignment == taCenter;
    if (centred && IsInplace && (PaintOptions() & kShowFocusRectWhenInplace)) {
      focus = GrowRect(AViewInfo->ClientRect, -1, -1);
    } else if (!centred && (!IsInplace || CaptionShownInplace()) && !AViewInfo->Text.empty()) {
      focus = AViewInfo->TextRect;
      if (!CheckBoxProperties()->FullFocusRect()) {
        if (AViewInfo->Font) ACanvas->AssignFont(AViewInfo->Font);
        TRect measured = focus;
        ACanvas->CalcTextRect(AViewInfo->Text, measured, static_cast<LibraryTextFlags>(AViewInfo->DrawFlags));
        focus.Right = std::min(focus.Right, measured.Right);
        focus.Bottom = std::min(focus.Bottom, measured.Bottom);
        if (AViewInfo->DrawFlags & ltfCenterVert) {
          const int h = HeightOfRect(measured);
          focus.Top = AViewInfo->TextRect.Top + (HeightOfRect(AViewInfo->TextRect) - h) / 2;
          focus.Bottom = focus.Top + h;
        }
      }
      focus = GrowRect(focus, 1, 1);
      focus.Bottom += 1;
    }
    if (!RectHasNoArea(focus)) {
      TRect limit = GrowRect(AViewInfo->TextRect, 1, 1);
      if (IsInplace) limit = GrowRectSides(limit, 0, -1, 0, -1);
      IntersectRects(focus, focus, limit);
      focus.Right = std::min(focus.Right, Bounds.Right - 1);
    }
  }
  AViewInfo->FocusRect = RectHasNoArea(focus) ? TRect() : focus;
}

void TcxCustomCheckBoxViewData::CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                                int AButton, TShiftState AShift, TcxCustomEditViewInfo* AViewInfo,
                                                bool AIsMouseEvent) {
  TcxCustomEditViewData::CalculateLayout(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  auto* info = static_cast<TcxCustomCheckBoxViewInfo*>(AViewInfo);
  TcxCustomCheckBoxProperties* properties = CheckBoxProperties();
  // 1. An editor view without selection bar or popup, showing the control's caption.
  info->SelectionBar = false;
  info->PopupOpen = false;
  info->ComboBoxStyle = false;
  info->TextRect = info->ClientRect;
  info->TextOutData.Initialized = false;
  if (Edit) info->Text = CaptionShownInplace() ? Edit->Caption() : String();
  // 2. The box's place.
  const bool keepsAlignment =
      !IsInplace || properties->ShowsCaptionInplace() || properties->UseAlignmentWhenInplace() || !info->Text.empty();
  info->Alignment = keepsAlignment ? properties->BoxAlignment() : taCenter;
  info->DrawFlags = static_cast<TcxTextLayoutFlags>(CaptionTextFlags(info));
  // 3, 4. The box's frame, glyph and colours.
  info->BoxBorderStyle = HotTrackedBorderStyle();
  info->Glyph = properties->GlyphIfAny();
  info->GlyphCount = properties->GlyphCount();
  info->NullStyle = properties->NullStyle();
  info->HasGlyph = properties->HasGlyph() && properties->GlyphCount() > 0;
  info->BoxBorderOffset = NativeStyle || info->HasGlyph || info->Painter
                              ? 0
                              : 2 - ContainerBorderWidth(AsContainerBorder(info->BoxBorderStyle));
  info->TextColorAssigned = EditStyle()->IsValueAssigned(csvTextColor) ||
                            (info->Painter && info->Painter->DefaultEditorTextColor(false) != clDefault);
  // 5 to 7. The box and the caption beside it.
  PlaceBoxAndCaption(info);
  // 8. The part under the mouse and keys.
  info->PartState = PartStateAt(info, P, AButton, AShift, AIsMouseEvent);
  // 9. The focus rectangle.
  CalculateFocusRect(ACanvas, info);
  // 10. An in-place single frame follows the part.
  if (IsInplace && info->BoxBorderStyle == ebsSingle)
    info->BorderColor = info->PartState == ecsHot || (IsDesigning && info->PartState != ecsDisabled) ? clHighlight
                                                                                                    : clBtnShadow;
}

void TcxCustomCheckBoxViewData::PrepareDisplayValue(TcxCanvas* ACanvas, const Variant& Value,
                                                    TcxCustomEditViewInfo* AViewInfo) {
  auto* info = static_cast<TcxCustomCheckBoxViewInfo*>(AViewInfo);
  info->State = PreviewMode ? cbsChecked : CheckBoxProperties()->StateOfValue(Value);
  if (!CaptionShownInplace()) info->Text.clear();
  CalculateFocusRect(ACanvas, info);
}

TSize TcxCustomCheckBoxViewData::EditContentSize(TcxCanvas* ACanvas, const Variant& Value,
                                                 const TcxEditSizeProperties& Request) {
  TSize size = TcxCustomEditViewData::EditContentSize(ACanvas, Value, Request);
  TcxCustomCheckBoxViewInfo info;
  const int width = Request.Width >= 0 ? Request.Width : cxMaxEditBound / 2;
  CalculateLayout(ACanvas, TRect(0, 0, width, cxMaxEditBound / 2), TPoint(-1, -1), 0, TShiftState(), &info, false);
  if (!CaptionShownInplace()) info.Text.clear();
  const int boxWidth = WidthOfRect(info.BoxRect), boxHeight = HeightOfRect(info.BoxRect);
  const bool centred = info.Alignment == taCenter;
  if (IsInplace && !info.Text.empty() && !centred) {
    ACanvas->AssignFont(EditStyle()->DisplayFont());
    String plain;
    StripAccelerators(info.Text, false, plain);
    size.cx += ACanvas->MeasureTextWidth(plain) + (info.TextRect.Left - info.Bounds.Left) +
               (info.Bounds.Right - info.TextRect.Right);
  } else {
    size.cx += IsInplace ? boxWidth + 4 : boxWidth;
  }
  const int boxPart = boxHeight + (IsInplace ? 2 * (1 - info.BoxBorderOffset) : 4);
  const LibraryTextFlags flags = CaptionTextFlags(&info);
  const String measured = centred || IsInplace || info.Text.empty() ? String("Gg") : info.Text;
  ACanvas->AssignFont(EditStyle()->DisplayFont());
  TRect r(0, 0, std::max(WidthOfRect(info.TextRect), 1), cxMaxEditBound / 2);
  if (!Enabled && !NativeStyle) r.Bottom -= 1;
  ACanvas->CalcTextRect(measured, r, flags & ~ltfVertMask);
  size.cy += std::max(boxPart, HeightOfRect(r));
  return size;
}

// ---- properties -------------------------------------------------------------------------------------

TcxCustomCheckBoxProperties::TcxCustomCheckBoxProperties(TPersistent* AOwner)
    : TcxCustomEditProperties(AOwner),
      FDisplayChecked(GetLocalizedResString(cxLibraryStrings::cxSEditCheckBoxChecked)),
      FDisplayGrayed(GetLocalizedResString(cxLibraryStrings::cxSEditCheckBoxGrayed)),
      FDisplayUnchecked(GetLocalizedResString(cxLibraryStrings::cxSEditCheckBoxUnchecked)) {}

TcxCustomCheckBoxProperties::~TcxCustomCheckBoxProperties() = default;

void TcxCustomCheckBoxProperties::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TcxCustomCheckBoxProperties*>(Source);
  if (!s) {
    TcxCustomEditProperties::Assign(Source);
    return;
  }
  LockUpdate();
  try {
    TcxCustomEditProperties::Assign(Source);
    SetAllowGrayed(s->AllowGrayed());
    SetDisplayChecked(s->DisplayChecked());
    SetDisplayGrayed(s->DisplayGrayed());
    SetDisplayUnchecked(s->DisplayUnchecked());
    SetFullFocusRect(s->FullFocusRect());
    SetGlyph(s->HasGlyph() ? s->GlyphIfAny() : nullptr);
    SetGlyphCount(s->GlyphCount());
    SetMultiLine(s->MultiLine());
    SetNullStyle(s->NullStyle());
    SetUseAlignmentWhenInplace(s->UseAlignmentWhenInplace());
    // The three values go together, and only as a set of distinct values.
    const Variant& c = s->ValueChecked();
    const Variant& g = s->ValueGrayed();
    const Variant& u = s->ValueUnchecked();
    if (!IsExactly(c, g) && !IsExactly(c, u) && !IsExactly(g, u) && !VarIsNull(c) && !VarIsNull(u)) {
      FValueChecked = c;
      FValueGrayed = g;
      FValueUnchecked = u;
      SignalChanged();
    }
  } catch (...) {
    UnlockUpdate();
    throw;
  }
  UnlockUpdate();
}

void TcxCustomCheckBoxProperties::SetAllowGrayed(bool Value) { FAllowGrayed = Value; }

void TcxCustomCheckBoxProperties::SetCaption(const String& Value) {
  FCaptionAssigned = true;
  StoreText(FCaption, Value);
}

TBitmap* TcxCustomCheckBoxProperties::GlyphBitmap() {
  if (!FGlyph) {
    FGlyph = std::make_unique<TBitmap>();
    FGlyph->OnChange = [this](TObject*) { SignalChanged(); };
  }
  return FGlyph.get();
}

void TcxCustomCheckBoxProperties::SetGlyph(TBitmap* Value) {
  if (!Value)
    FGlyph.reset();
  else if (Value != FGlyph.get())
    GlyphBitmap()->Assign(Value);
  SignalChanged();
}

void TcxCustomCheckBoxProperties::SetGlyphCount(int Value) {
  if (FGlyphCount == Value) return;
  FGlyphCount = Value;
  if (FGlyph) SignalChanged();
}

bool TcxCustomCheckBoxProperties::OwnerIsLoading() const {
  TComponent* owner = OwningComponentOf(const_cast<TcxCustomCheckBoxProperties*>(this));
  return owner && owner->ComponentState().Contains(csLoading);
}

bool TcxCustomCheckBoxProperties::AcceptsValue(const Variant& Value, bool AllowNull) const {
  if (OwnerIsLoading()) return true;
  if (!AllowNull && VarIsNull(Value)) return false;
  return !IsExactly(Value, FValueChecked) && !IsExactly(Value, FValueGrayed) && !IsExactly(Value, FValueUnchecked);
}

void TcxCustomCheckBoxProperties::StoreValue(Variant& Field, const Variant& Value, bool AllowNull) {
  if (!AcceptsValue(Value, AllowNull)) return;
  Field = Value;
  SignalChanged();
}

void TcxCustomCheckBoxProperties::SetValueChecked(const Variant& Value) { StoreValue(FValueChecked, Value, false); }
void TcxCustomCheckBoxProperties::SetValueGrayed(const Variant& Value) { StoreValue(FValueGrayed, Value, true); }
void TcxCustomCheckBoxProperties::SetValueUnchecked(const Variant& Value) { StoreValue(FValueUnchecked, Value, false); }

TcxCheckBoxState TcxCustomCheckBoxProperties::StateOfValue(const Variant& Value) const {
  if (VarEqualsLoose(Value, FValueChecked)) return cbsChecked;
  if (VarEqualsLoose(Value, FValueUnchecked)) return cbsUnchecked;
  return cbsGrayed;
}

Variant TcxCustomCheckBoxProperties::ValueOfState(TcxCheckBoxState State) const {
  switch (State) {
    case cbsUnchecked: return FValueUnchecked;
    case cbsChecked: return FValueChecked;
    default: return FValueGrayed;
  }
}

bool TcxCustomCheckBoxProperties::IsDisplayCheckedStored() const {
  return FDisplayChecked != GetLocalizedResString(cxLibraryStrings::cxSEditCheckBoxChecked);
}
bool TcxCustomCheckBoxProperties::IsDisplayGrayedStored() const {
  return FDisplayGrayed != GetLocalizedResString(cxLibraryStrings::cxSEditCheckBoxGrayed);
}
bool TcxCustomCheckBoxProperties::IsDisplayUncheckedStored() const {
  return FDisplayUnchecked != GetLocalizedResString(cxLibraryStrings::cxSEditCheckBoxUnchecked);
}
bool TcxCustomCheckBoxProperties::IsValueCheckedStored() const { return !IsExactly(FValueChecked, Variant(true)); }
bool TcxCustomCheckBoxProperties::IsValueGrayedStored() const { return !VarIsNull(FValueGrayed); }
bool TcxCustomCheckBoxProperties::IsValueUncheckedStored() const { return !IsExactly(FValueUnchecked, Variant(false)); }

TClass TcxCustomCheckBoxProperties::EditClass() { return TcxCheckBox::StaticClass(); }
TcxContainerStyleClass TcxCustomCheckBoxProperties::StyleClass() { return ContainerStyleClassOf<TcxCheckBoxStyle>(); }
TcxContainerViewInfoClass TcxCustomCheckBoxProperties::ViewInfoClass() {
  return ContainerViewInfoClassOf<TcxCustomCheckBoxViewInfo>();
}
TcxCustomEditViewDataClass TcxCustomCheckBoxProperties::ViewDataClass() {
  return EditViewDataClassOf<TcxCustomCheckBoxViewData>();
}

String TcxCustomCheckBoxProperties::ValueDisplayText(const Variant& Value) {
  switch (StateOfValue(Value)) {
    case cbsUnchecked: return FDisplayUnchecked;
    case cbsChecked: return FDisplayChecked;
    default: return FDisplayGrayed;
  }
}

bool TcxCustomCheckBoxProperties::IsEditValueValid(const Variant& Value) {
  return TcxCustomEditProperties::IsEditValueValid(Value) &&
         (IsExactly(Value, FValueChecked) || IsExactly(Value, FValueGrayed) || IsExactly(Value, FValueUnchecked));
}

void TcxCustomCheckBoxProperties::ConvertToEditValue(const Variant& DisplayValue, Variant& EditValue, bool) {
  EditValue = Variant(static_cast<int>(StateOfValue(DisplayValue)));
}

void TcxCustomCheckBoxProperties::DefineProperties(TFiler* Filer) {
  TcxCustomEditProperties::DefineProperties(Filer);
  // Older descriptions kept the caption here; it is read and never written again.
  Filer->DefineProperty(
      "Caption", [this](TReader* Reader) { SetCaption(Reader->ReadString()); }, nullptr, false);
}

void TcxCheckBoxProperties::DeclareProperties(TPropTable& t) {
  using P = TcxCheckBoxProperties;
  t.Add("Alignment", &P::BoxAlignment, &P::SetBoxAlignment).SetDefault(taLeftJustify);
  t.Add("AllowGrayed", &P::AllowGrayed, &P::SetAllowGrayed).SetDefault(false);
  t.Add("AssignedValues", &P::AssignedValues, &P::SetAssignedValues);
  t.Add("ClearKey", &P::ClearKey, &P::SetClearKey).SetDefault(0);
  t.Add("DisplayChecked", &P::DisplayChecked, &P::SetDisplayChecked).Stored(&P::IsDisplayCheckedStored);
  t.Add("DisplayUnchecked", &P::DisplayUnchecked, &P::SetDisplayUnchecked).Stored(&P::IsDisplayUncheckedStored);
  t.Add("DisplayGrayed", &P::DisplayGrayed, &P::SetDisplayGrayed).Stored(&P::IsDisplayGrayedStored);
  t.Add("FullFocusRect", &P::FullFocusRect, &P::SetFullFocusRect).SetDefault(false);
  t.Add("Glyph", &P::Glyph, &P::SetGlyph).Stored(&P::HasGlyph);
  t.Add("GlyphCount", &P::GlyphCount, &P::SetGlyphCount).SetDefault(6);
  t.Add("ImmediatePost", &P::ImmediatePost, &P::SetImmediatePost).SetDefault(false);
  t.Add("MultiLine", &P::MultiLine, &P::SetMultiLine).SetDefault(false);
  t.Add("NullStyle", &P::NullStyle, &P::SetNullStyle).SetDefault(nssGrayedChecked);
  t.Add("ReadOnly", &P::ReadOnly, &P::SetReadOnly).Stored(&P::IsReadOnlyStored);
  t.Add("UseAlignmentWhenInplace", &P::UseAlignmentWhenInplace, &P::SetUseAlignmentWhenInplace).SetDefault(false);
  t.Add("ValueChecked", &P::ValueChecked, &P::SetValueChecked).Stored(&P::IsValueCheckedStored);
  t.Add("ValueGrayed", &P::ValueGrayed, &P::SetValueGrayed).Stored(&P::IsValueGrayedStored);
  t.Add("ValueUnchecked", &P::ValueUnchecked, &P::SetValueUnchecked).Stored(&P::IsValueUncheckedStored);
  t.Add("OnChange", &P::OnChange);
  t.Add("OnEditValueChanged", &P::OnEditValueChanged);
  t.Add("OnValidate", &P::OnValidate);
}

// ---- the editor -------------------------------------------------------------------------------------

TcxCustomCheckBox::TcxCustomCheckBox(TComponent* AOwner)
    : TcxCustomCheckBox(AOwner, TcxCustomEditClasses{TcxCustomCheckBoxProperties::StaticClass(), nullptr,
                                                     EditDataBindingClassOf<TcxEditDataBinding>()}) {}

TcxCustomCheckBox::TcxCustomCheckBox(TComponent* AOwner, const TcxCustomEditClasses& Classes)
    : TcxCustomEdit(AOwner, Classes) {
  InitializeCheckBox();
}

// The base constructor runs the base's initialisation only; the box's own steps follow here.
void TcxCustomCheckBox::InitializeEditor() {
  TcxCustomEdit::InitializeEditor();
  InitializeCheckBox();
}

void TcxCustomCheckBox::InitializeCheckBox() {
  SetControlStyle(ControlStyle() - TControlStyle{csDoubleClicks});
  SetWidth(121);
  Variant value;
  ConvertDisplayToEditValue(Variant(static_cast<int>(cbsUnchecked)), value, false);
  SetEditValue(value);
}

void TcxCustomCheckBox::ConvertDisplayToEditValue(const Variant& DisplayValue, Variant& AEditValue, bool) {
  AEditValue = ActiveProperties()->ValueOfState(static_cast<TcxCheckBoxState>(DisplayValue.AsInteger()));
}

TcxCheckBoxState TcxCustomCheckBox::State() { return ActiveProperties()->StateOfValue(EditValue()); }

void TcxCustomCheckBox::SetState(TcxCheckBoxState Value) {
  if (ComponentState().Contains(csLoading)) {
    FStatePending = true;
    FPendingState = Value;
    return;
  }
  if (Value == State()) return;
  SetEditValueChecked(ActiveProperties()->ValueOfState(Value));
}

void TcxCustomCheckBox::InternalSetEditValue(const Variant& Value, bool ValidateValue) {
  const TcxCheckBoxState before = State();
  TcxCustomEdit::InternalSetEditValue(Value, ValidateValue);
  const TcxCheckBoxState after = State();
  if (after != before) {
    CheckBoxViewInfo()->State = after;
    Click();
    NotifyChange();
  }
  RefreshStateAtCursor(false);
}

void TcxCustomCheckBox::Toggle() {
  LockChangeEvents(true);
  SetUserAction(true);
  try {
    switch (State()) {
      case cbsUnchecked: SetState(ActiveProperties()->AllowGrayed() ? cbsGrayed : cbsChecked); break;
      case cbsChecked: SetState(cbsUnchecked); break;
      default: SetState(cbsChecked); break;
    }
  } catch (...) {
    SetUserAction(false);
    LockChangeEvents(false, true);
    throw;
  }
  SetUserAction(false);
  LockChangeEvents(false, true);
  if (ActiveProperties()->ImmediatePost() && CanPostEditValue() && ValidateEnteredValue(true)) PostEditValue(false);
}

void TcxCustomCheckBox::Silently(const std::function<void()>& Body) {
  LockValueChanges(true);
  LockChangeEvents(true);
  try {
    Body();
  } catch (...) {
    LockChangeEvents(false, false);
    LockValueChanges(false);
    throw;
  }
  LockChangeEvents(false, false);
  LockValueChanges(false);
}

void TcxCustomCheckBox::SetCheckedSilently(bool Value) {
  Silently([this, Value] { SetChecked(Value); });
}

bool TcxCustomCheckBox::IsStateStored() {
  auto* action = dynamic_cast<TCustomAction*>(Action());
  if (!action) return true;
  const TcxCheckBoxState state = State();
  return !((state == cbsUnchecked && !action->Checked()) || (state == cbsChecked && action->Checked()));
}

void TcxCustomCheckBox::InvalidateBox() {
  if (HandleAllocated()) InvalidateControlRect(this, CheckBoxViewInfo()->BoxRect, false);
}

void TcxCustomCheckBox::PropertiesChanged(TObject* Sender) {
  TcxCustomCheckBoxProperties* properties = ActiveProperties();
  if (properties->IsCaptionAssigned()) {
    SetCaption(properties->Caption());
    properties->ClearCaptionAssigned();
  }
  // Values redefined under the current one: it may stand for another state now.
  const TcxCheckBoxState state = State();
  TcxCustomCheckBoxViewInfo* info = CheckBoxViewInfo();
  if (info->State != state) {
    info->State = state;
    InvalidateBox();
    if (!IsChangeEventsLocked()) {
      Click();
      NotifyChange();
    }
  }
  TcxCustomEdit::PropertiesChanged(Sender);
  ContentChanged();
}

void TcxCustomCheckBox::Loaded() {
  FInLoaded = true;
  LockChangeEvents(true);
  LockValueChanges(true);
  try {
    TcxCustomEdit::Loaded();
    if (FStatePending)
      SetState(FPendingState);
    else if (!DataIsBound())
      SetState(cbsUnchecked);
  } catch (...) {
    LockValueChanges(false);
    LockChangeEvents(false, false);
    FStatePending = false;
    FInLoaded = false;
    throw;
  }
  LockValueChanges(false);
  LockChangeEvents(false, false);
  FStatePending = false;
  FInLoaded = false;
}

void TcxCustomCheckBox::EditKeyDown(WORD& Key, TShiftState Shift) {
  TcxCustomEdit::EditKeyDown(Key, Shift);
  if (Key != VK_SPACE || IsInPlace()) return;
  const TcxEditCheckState part = CheckBoxViewInfo()->PartState;
  if (part != ecsNormal && part != ecsHot) return;
  FSpaceHeld = true;
  CheckBoxViewInfo()->PartState = ecsPressed;
  RefreshStateAtCursor(false);
  Key = 0;
}

void TcxCustomCheckBox::EditKeyUp(WORD& Key, TShiftState Shift) {
  TcxCustomEdit::EditKeyUp(Key, Shift);
  if (Key != VK_SPACE || CheckBoxViewInfo()->PartState != ecsPressed || !FSpaceHeld) return;
  FSpaceHeld = false;
  CheckBoxViewInfo()->PartState = ecsNormal;
  InvalidateBox();
  Toggle();
}

void TcxCustomCheckBox::EditKeyPress(TChar& Key) {
  TcxCustomEdit::EditKeyPress(Key);
  if (Key != U' ' || !IsInPlace()) return;
  const TcxEditCheckState part = CheckBoxViewInfo()->PartState;
  if (part == ecsNormal || part == ecsHot) {
    Key = 0;
    Toggle();
  }
}

void TcxCustomCheckBox::DoExit() {
  FSpaceHeld = false;
  TcxCustomEdit::DoExit();
}

void TcxCustomCheckBox::AfterStateRecalc() {
  TcxCustomEdit::AfterStateRecalc();
  TcxCustomCheckBoxViewInfo* info = CheckBoxViewInfo();
  // Released over the box after a press on it.
  if (info->PreviousPartState == ecsPressed && info->PartState == ecsHot) {
    info->PreviousPartState = ecsHot;
    Toggle();
  }
}

void TcxCustomCheckBox::SizeConstraints(TcxEditSizeRequest& Request) {
  TcxCustomEdit::SizeConstraints(Request);
  Request.Width = WidthOfRect(CheckBoxViewInfo()->TextRect);
  Request.MaxLineCount = ActiveProperties()->MultiLine() ? 0 : 1;
}

TcxContainerStyleValues TcxCustomCheckBox::HiddenStyleValues() {
  TcxContainerStyleValues values = TcxCustomEdit::HiddenStyleValues();
  values.Include(3);
  return values;
}

bool TcxCustomCheckBox::UsesParentBackground() {
  return UsesNativeStyle() && ParentBackground() && !IsInPlace() && !Transparent();
}

bool TcxCustomCheckBox::UsesPlainBorder() {
  return !IsInPlace() && CaptionShownInplace() ? true : TcxCustomEdit::UsesPlainBorder();
}

void TcxCustomCheckBox::ShadowOutline(TRect& R) {
  if (UsesNativeStyle() && Style()->TransparentBorder() && !IsInPlace() && CaptionShownInplace()) {
    R = GrowRect(TRect(0, 0, Width(), Height()), -2, -2);
    return;
  }
  TcxCustomEdit::ShadowOutline(R);
}

void TcxCustomCheckBox::HandleTextChange() {
  TcxCustomEdit::HandleTextChange();
  CheckBoxViewInfo()->Text = CaptionShownInplace() ? Caption() : String();
  CheckBoxViewInfo()->TextOutData.Initialized = false;
  ContentChanged();
  Invalidate();
}

void TcxCustomCheckBox::ContentChanged() {
  // A new caption, glyph or line setting can need another height.
  if (AutoSizeActive() && HandleAllocated() && !ComponentState().Contains(csLoading)) PlaceInnerControl();
}

void TcxCustomCheckBox::HandleAccelerator(TMessage& Message) {
  if (!IsAccel(static_cast<unsigned>(Message.WParam), Caption()) || !CanFocus()) {
    TcxCustomEdit::Dispatch(Message);
    return;
  }
  SetFocus();
  if (IsFocused()) Toggle();
  Message.Result = 1;
}

void TcxCustomCheckBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_DIALOGCHAR: HandleAccelerator(Message); return;
    case CM_PARENTCOLORCHANGED:
      TcxCustomEdit::Dispatch(Message);
      if (UsesNativeStyle() && ParentBackground()) Invalidate();
      return;
    default: TcxCustomEdit::Dispatch(Message);
  }
}

void TcxCustomCheckBox::WndProc(TMessage& Message) {
  // The box fires its own OnClick as its state changes; the release raises none.
  if (Message.Msg == WM_LBUTTONUP) SetControlState(ControlState() - TControlState{csClicked});
  TcxCustomEdit::WndProc(Message);
}

void TcxCustomCheckBox::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  TcxCustomEdit::ActionChange(Sender, CheckDefaults);
  const bool settling = ComponentState().Contains(csLoading) || FInLoaded;
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if ((!settling || !FStatePending) && action && (!CheckDefaults || !Checked()))
    SetCheckedSilently(action->Checked());
}

std::unique_ptr<TControlActionLink> TcxCustomCheckBox::CreateActionLink() {
  return std::make_unique<TcxCheckBoxActionLink>(this);
}

TcxCheckBox::TcxCheckBox(TComponent* AOwner)
    : TcxCustomCheckBox(AOwner, TcxCustomEditClasses{TcxCheckBoxProperties::StaticClass(), nullptr,
                                                     EditDataBindingClassOf<TcxEditDataBinding>()}) {}

void TcxCheckBox::DeclareProperties(TPropTable& t) {
  using E = TcxCheckBox;
  t.Add("Action", &TControl::Action, &TControl::SetAction);
  t.Add("Align", &TControl::Align, &TControl::SetAlign).SetDefault(alNone);
  t.Add("Anchors", &TControl::Anchors, &TControl::SetAnchors).SetDefault(TAnchors{akLeft, akTop});
  t.Add("AutoSize", &E::AutoSizeValue, &E::SetAutoSize).SetDefault(true);
  t.Add("Caption", &TControl::Caption, &TControl::SetCaption);
  t.Add("Checked", &E::CheckedValue, &E::SetCheckedValue).Stored(false);
  t.Add("Constraints", &TControl::Constraints, &TControl::SetConstraints);
  t.Add("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor).SetDefault(crDrag);
  t.Add("DragKind", &TControl::DragKind, &TControl::SetDragKind).SetDefault(dkDrag);
  t.Add("DragMode", &TControl::DragMode, &TControl::SetDragMode).SetDefault(dmManual);
  t.Add("Enabled", &TControl::Enabled, &TControl::SetEnabled).SetDefault(true);
  t.Add("ParentBackground", &E::ParentBackgroundValue, &E::SetParentBackgroundValue).SetDefault(true);
  t.Add("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).SetDefault(true);
  t.Add("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).SetDefault(true);
  t.Add("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).SetDefault(true);
  t.Add("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
  t.Add("Properties", &E::Properties, &E::SetProperties);
  t.Add("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).SetDefault(false);
  t.Add("State", &E::StateValue, &E::SetStateValue).SetDefault(cbsUnchecked).Stored(&E::IsStateStored);
  t.Add("Style", &E::Style, &E::SetStyle);
  t.Add("StyleDisabled", &E::StyleDisabled, &E::SetStyleDisabled);
  t.Add("StyleFocused", &E::StyleFocused, &E::SetStyleFocused);
  t.Add("StyleHot", &E::StyleHot, &E::SetStyleHot);
  t.Add("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
  t.Add("Transparent", &E::Transparent, &E::SetTransparent).SetDefault(false);
  t.Add("Visible", &TControl::Visible, &TControl::SetVisible).SetDefault(true);
  t.Add("OnClick", &TControl::OnClick);
  t.Add("OnContextPopup", &TControl::OnContextPopup);
  t.Add("OnDragDrop", &TControl::OnDragDrop);
  t.Add("OnDragOver", &TControl::OnDragOver);
  t.Add("OnEditing", &E::OnEditing);
  t.Add("OnEndDock", &TControl::OnEndDock);
  t.Add("OnEndDrag", &TControl::OnEndDrag);
  t.Add("OnEnter", &TWinControl::OnEnter);
  t.Add("OnExit", &TWinControl::OnExit);
  t.Add("OnKeyDown", &TWinControl::OnKeyDown);
  t.Add("OnKeyPress", &TWinControl::OnKeyPress);
  t.Add("OnKeyUp", &TWinControl::OnKeyUp);
  t.Add("OnMouseDown", &TControl::OnMouseDown);
  t.Add("OnMouseEnter", &TControl::OnMouseEnter);
  t.Add("OnMouseLeave", &TControl::OnMouseLeave);
  t.Add("OnMouseMove", &TControl::OnMouseMove);
  t.Add("OnMouseUp", &TControl::OnMouseUp);
  t.Add("OnStartDock", &TControl::OnStartDock);
  t.Add("OnStartDrag", &TControl::OnStartDrag);
}

// ---- the action link --------------------------------------------------------------------------------

TcxCheckBoxActionLink::TcxCheckBoxActionLink(TObject* AClient) : TWinControlActionLink(AClient) {
  AssignClient(AClient);
}

void TcxCheckBoxActionLink::AssignClient(TObject* AClient) {
  TWinControlActionLink::AssignClient(AClient);
  FCheckBox = dynamic_cast<TcxCustomCheckBox*>(AClient);
}

bool TcxCheckBoxActionLink::IsCheckedLinked() {
  TCustomAction* action = CustomAction();
  return TWinControlActionLink::IsCheckedLinked() && FCheckBox && action && FCheckBox->State() != cbsGrayed &&
         FCheckBox->Checked() == action->Checked();
}

void TcxCheckBoxActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked() && FCheckBox) FCheckBox->SetCheckedSilently(Value);
}

// ---- filter row -------------------------------------------------------------------------------------

TcxFilterOperatorSet TcxFilterCheckBoxHelper::SupportedFilterOperators(TcxCustomEditProperties*, TcxValueTypeClass,
                                                                       bool) const {
  return 1542;
}

void TcxFilterCheckBoxHelper::PrepareFilterProperties(TcxCustomEditProperties* Properties,
                                                      TcxCustomEditProperties* SourceProperties,
                                                      bool KeepButtons) const {
  TcxFilterComboBoxHelper::PrepareFilterProperties(Properties, SourceProperties, KeepButtons);
  auto* combo = dynamic_cast<TcxCustomComboBoxProperties*>(Properties);
  auto* check = dynamic_cast<TcxCustomCheckBoxProperties*>(SourceProperties);
  if (!combo || !check) return;
  combo->SetDropDownListStyle(lsFixedList);
  TStringList* items = combo->Items();
  items->Clear();
  for (const String& text : FilterItems(check)) items->Add(text);
  ClearPropertiesEvents(combo);
}

void TcxFilterCheckBoxHelper::ReadFilterValue(TcxCustomEdit* Edit, TcxCustomEditProperties* Properties,
                                              Variant& Value, String& DisplayText) const {
  auto* combo = dynamic_cast<TcxCustomTextEdit*>(Edit);
  auto* check = dynamic_cast<TcxCustomCheckBoxProperties*>(Properties);
  if (!combo || !check) {
    TcxFilterComboBoxHelper::ReadFilterValue(Edit, Properties, Value, DisplayText);
    return;
  }
  FilterValueOfItem(check, combo->ItemIndex(), Value, DisplayText);
}

void TcxFilterCheckBoxHelper::ApplyFilterValue(TcxCustomEdit* Edit, TcxCustomEditProperties* Properties,
                                               const Variant& Value) const {
  auto* combo = dynamic_cast<TcxCustomTextEdit*>(Edit);
  auto* check = dynamic_cast<TcxCustomCheckBoxProperties*>(Properties);
  if (!combo || !check) {
    TcxFilterComboBoxHelper::ApplyFilterValue(Edit, Properties, Value);
    return;
  }
  combo->SetItemIndex(FilterItemOfValue(check, Value));
}

std::vector<String> TcxFilterCheckBoxHelper::FilterItems(TcxCustomCheckBoxProperties* Properties) {
  return {Properties->ValueDisplayText(Properties->ValueChecked()),
          Properties->ValueDisplayText(Properties->ValueUnchecked())};
}

void TcxFilterCheckBoxHelper::FilterValueOfItem(TcxCustomCheckBoxProperties* Properties, int ItemIndex,
                                                Variant& Value, String& DisplayText) {
  switch (ItemIndex) {
    case 0: Value = Properties->ValueChecked(); break;
    case 1: Value = Properties->ValueUnchecked(); break;
    default:
      Value = Variant::Null();
      DisplayText.clear();
      return;
  }
  DisplayText = Properties->ValueDisplayText(Value);
}

int TcxFilterCheckBoxHelper::FilterItemOfValue(TcxCustomCheckBoxProperties* Properties, const Variant& Value) {
  switch (Properties->StateOfValue(Value)) {
    case cbsUnchecked: return 1;
    case cbsChecked: return 0;
    default: return -1;
  }
}

// ---- unit -------------------------------------------------------------------------------------------

void CheckBoxUnitStartup() {
  CheckMarkUnitStartup();
  RegisterClass(TcxCheckBox::StaticClass());
  EditPropertiesClassRegistry()->AddClass(TcxCheckBoxProperties::StaticClass(),
                                          GetLocalizedResString(cxLibraryStrings::scxSEditRepositoryCheckBoxItem));
  FilterEditsControllerInstance()->AddHelper(TcxCheckBoxProperties::StaticClass(),
                                             FilterEditHelperClass<TcxFilterCheckBoxHelper>());
}

void CheckBoxUnitShutdown() {
  FilterEditsControllerInstance()->RemoveHelper(TcxCheckBoxProperties::StaticClass(),
                                                FilterEditHelperClass<TcxFilterCheckBoxHelper>());
  EditPropertiesClassRegistry()->RemoveClass(TcxCheckBoxProperties::StaticClass());
  CheckMarkUnitShutdown();
}
