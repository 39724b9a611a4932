#include "ui/choice/ColorComboBox.h"

#include <algorithm>

#include "platform/classes/Filer.h"
#include "platform/classes/StdCtrls.h"
#include "platform/classes/SysUtils.h"
#include "platform/win/Window.h"
#include "ui/choice/ExtEditStrings.h"
#include "ui/choice/ExtEditUtils.h"
#include "ui/controls/EditRepository.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/ScopeGuards.h"

using namespace win;

namespace {

int gUnitStarts = 0;

// The colour a value names: the integer it holds, or the colour its text reads as.
bool ValueToColor(const Variant& Value, TColor& AColor) {
  if (VarIsNull(Value) || VarIsEmpty(Value)) return false;
  return TextToColor(VarToStr(Value), AColor);
}

// The ellipsis button that opens the colour dialog.
constexpr int kDialogButton = 1;

}  // namespace

// ---- TcxCustomColorComboBoxProperties ----------------------------------------------------------------

TcxCustomColorComboBoxProperties::TcxCustomColorComboBoxProperties(TPersistent* AOwner)
    : TcxCustomColorComboBoxProperties(AOwner, TcxCustomEditPropertiesClasses{
                                                   EditButtonsClassOf<TcxEditButtons>(),
                                                   EditPropertiesValuesClassOf<TcxTextEditPropertiesValues>()}) {}

TcxCustomColorComboBoxProperties::TcxCustomColorComboBoxProperties(TPersistent* AOwner,
                                                                   const TcxCustomEditPropertiesClasses& Classes)
    : TcxCustomComboBoxProperties(AOwner, Classes) {
  Construct();
}

void TcxCustomColorComboBoxProperties::Construct() {
  FColorList = std::make_unique<TcxColorComboBoxItems>(this);
  FCustomColors = std::make_unique<TcxColorComboBoxItems>(this);
  FRecentColorList = std::make_unique<TcxColorComboBoxItems>(this);
  FColorList->OnOwnerChanged = [this] { SignalChanged(); };
  FRecentColorList->OnOwnerChanged = [this] { SignalChanged(); };
  FCustomColors->OnChange = [this](TObject*) { SyncCustomColors(); };
  FDefaultDescription = GetLocalizedResString(cxSColorComboBoxDefaultDescription);
  SetDropDownListStyle(lsFixedList);
  SetPrepareList(cxplVintor);
  // Button 1 is the colour dialog's ellipsis, hidden until AllowSelectColor shows it.
  TcxEditButton* ellipsis = Buttons()->AddButton();
  MoveGlyphToButton(kDialogButton);
  ellipsis->SetKind(TcxEditButtonKind::bkEllipsis);
  ellipsis->SetDefault(false);
  ellipsis->SetVisible(false);
}

TcxCustomColorComboBoxProperties::~TcxCustomColorComboBoxProperties() {
  // The lists' handlers point back here.
  FCustomColors->OnChange = nullptr;
  FColorList->OnOwnerChanged = nullptr;
  FRecentColorList->OnOwnerChanged = nullptr;
}

void TcxCustomColorComboBoxProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomColorComboBoxProperties*>(Source);
  if (!source || source == this) {
    TcxCustomComboBoxProperties::Assign(Source);
    return;
  }
  TcxEditPropertiesUpdate update(this);
  TcxCustomComboBoxProperties::Assign(Source);
  SetColorBoxWidth(source->FColorBoxWidth);
  SetColorBoxAlign(source->FColorBoxAlign);
  SetColorBoxFrameColor(source->FColorBoxFrameColor);
  SetColorDialogType(source->FColorDialogType);
  SetDefaultColor(source->FDefaultColor);
  SetDefaultDescription(source->FDefaultDescription);
  SetDefaultColorStyle(source->FDefaultColorStyle);
  SetShowDescriptions(source->FShowDescriptions);
  SetAllowSelectColor(source->FAllowSelectColor);
  SetColorComboStyle(source->FColorComboStyle);
  SetMaxMRUColors(source->FMaxMRUColors);
  SetNamingConvention(source->FNamingConvention);
  SetPrepareList(source->FPrepareList);
  SetColorValueFormat(source->FColorValueFormat);
  OnAddedMRUColor = source->OnAddedMRUColor;
  OnDeletedMRUColor = source->OnDeletedMRUColor;
  OnGetDefaultColor = source->OnGetDefaultColor;
  OnNamingConvention = source->OnNamingConvention;
  OnSelectCustomColor = source->OnSelectCustomColor;
  FCustomColors->Assign(source->FCustomColors.get());
  FColorList->Assign(source->FColorList.get());
  FRecentColorList->Assign(source->FRecentColorList.get());
}

void TcxCustomColorComboBoxProperties::AssignItemsFrom(TcxCustomEditProperties* Source) {
  // Copies this object's lists into the given colour-combo properties.
  auto* target = dynamic_cast<TcxCustomColorComboBoxProperties*>(Source);
  if (!target) return;
  target->FColorList->Assign(FColorList.get());
  target->FRecentColorList->Assign(FRecentColorList.get());
}

void TcxCustomColorComboBoxProperties::DefineProperties(TFiler* Filer) {
  TcxCustomComboBoxProperties::DefineProperties(Filer);
  // Older descriptions kept the custom colours as "Items" and a prepared-list note; read only.
  Filer->DefineProperty(
      "Items", [this](TReader* Reader) { Reader->ReadCollection(FCustomColors.get()); }, nullptr, false);
  Filer->DefineProperty("PrepareInfo", [](TReader* Reader) { Reader->ReadString(); }, nullptr, false);
}

void TcxCustomColorComboBoxProperties::SetAllowSelectColor(bool Value) {
  if (Value == FAllowSelectColor) return;
  TcxEditPropertiesUpdate update(this);
  FAllowSelectColor = Value;
  Buttons()->ButtonAt(kDialogButton)->SetVisible(Value);
  MoveGlyphToButton(Value ? kDialogButton : 0);
  SignalChanged();
}

void TcxCustomColorComboBoxProperties::SetMaxMRUColors(int Value) {
  Value = std::clamp(Value, 0, 255);
  if (Value == FMaxMRUColors) return;
  const bool lowered = Value < FMaxMRUColors;
  FMaxMRUColors = Value;
  if (lowered) TrimMRUColors();
}

void TcxCustomColorComboBoxProperties::SetPrepareList(TcxColorPrepareList Value) {
  if (Value == FPrepareList) return;
  FPrepareList = Value;
  PrepareColorList(Value, true, true);
}

bool TcxCustomColorComboBoxProperties::DefaultDescriptionStored() const {
  return FDefaultDescription != GetLocalizedResString(cxSColorComboBoxDefaultDescription);
}

// ---- MRU ----------------------------------------------------------------------------------------------

int TcxCustomColorComboBoxProperties::AddMRUColor(TColor AColor) {
  if (FMaxMRUColors == 0) return 0;
  const int i = FRecentColorList->IndexOfColor(AColor);
  if (i == 0) return 0;
  if (i > 0) {
    FRecentColorList->MoveColor(i, 0);
    if (OnAddedMRUColor) OnAddedMRUColor(this);
    return 1;
  }
  TcxColorComboBoxItem* listed = FColorList->FindColorItem(AColor);
  if (!listed) return 0;
  {
    TcxEditPropertiesUpdate update(this);
    FRecentColorList->InsertColor(0, AColor, listed->Description());
    TrimMRUColors();
  }
  if (OnAddedMRUColor) OnAddedMRUColor(this);
  return 2;
}

int TcxCustomColorComboBoxProperties::DeleteMRUColor(TColor AColor) {
  if (FColorList->IndexOfColor(AColor) < 0) return 0;
  const int i = FRecentColorList->IndexOfColor(AColor);
  if (i < 0) return 0;
  FRecentColorList->Delete(i);
  FireDeletedMRUColor();
  return 3;
}

void TcxCustomColorComboBoxProperties::ClearMRUColors() {
  FRecentColorList->Clear();
  SignalChanged();
}

void TcxCustomColorComboBoxProperties::TrimMRUColors() {
  TcxEditPropertiesUpdate update(this);
  for (int i = FRecentColorList->Count() - 1; i >= FMaxMRUColors; --i) {
    FRecentColorList->Delete(i);
    FireDeletedMRUColor();
  }
}

void TcxCustomColorComboBoxProperties::DropUnlistedMRUColors() {
  for (int i = FRecentColorList->Count() - 1; i >= 0; --i)
    if (FColorList->IndexOfColor(FRecentColorList->Items(i)->Color()) < 0) FRecentColorList->Delete(i);
}

void TcxCustomColorComboBoxProperties::GetDefaultColor(TColor& AColor) {
  if (OnGetDefaultColor) OnGetDefaultColor(this, AColor);
}

// ---- the lists ------------------------------------------------------------------------------------------

void TcxCustomColorComboBoxProperties::PrepareColorList(TcxColorPrepareList Set, bool KeepCustom, bool KeepMRU) {
  {
    TcxEditPropertiesUpdate update(this);
    if (KeepCustom)
      FColorList->ClearPreparedColors();
    else
      FColorList->Clear();
    if (!KeepMRU) ClearMRUColors();
    FillColorSet(FColorList.get(), Set);
    if (KeepMRU) DropUnlistedMRUColors();
    SyncCustomColors();
  }
  if (ColorListLoaded) ColorListLoaded(this);
}

void TcxCustomColorComboBoxProperties::SyncCustomColors() {
  FColorList->BeginUpdate();
  try {
    FColorList->ClearCustomColors();
    for (int i = FCustomColors->Count() - 1; i >= 0; --i) {
      TcxColorComboBoxItem* custom = FCustomColors->Items(i);
      FColorList->InsertColor(0, custom->Color(), custom->Description());
    }
  } catch (...) {
    FColorList->EndUpdate();
    throw;
  }
  FColorList->EndUpdate();
}

TcxColorComboBoxItem* TcxCustomColorComboBoxProperties::CombinedItem(int Index) const {
  const int m = FRecentColorList->Count();
  if (Index < 0 || Index >= CombinedCount()) return nullptr;
  return Index < m ? FRecentColorList->Items(Index) : FColorList->Items(Index - m);
}

TColor TcxCustomColorComboBoxProperties::ColorByCombinedIndex(int Index) const {
  TcxColorComboBoxItem* item = CombinedItem(Index);
  return item ? item->Color() : FDefaultColor;
}

int TcxCustomColorComboBoxProperties::IndexOfCombinedColor(TColor AColor) const {
  const int recent = FRecentColorList->IndexOfColor(AColor);
  if (recent >= 0) return recent;
  const int listed = FColorList->IndexOfColor(AColor);
  return listed >= 0 ? FRecentColorList->Count() + listed : -1;
}

int TcxCustomColorComboBoxProperties::IndexOfValue(const Variant& Value) const {
  TColor color = 0;
  if (!ValueToColor(Value, color)) return -1;
  return IndexOfCombinedColor(color);
}

String TcxCustomColorComboBoxProperties::CombinedItemText(int Index) {
  if (!FShowDescriptions) return String();
  if (Index == -1) return FDefaultDescription;
  TcxColorComboBoxItem* item = CombinedItem(Index);
  String text = item ? ColorToText(item->Color(), item->Description(), FNamingConvention, FColorValueFormat) : String();
  if (OnNamingConvention) OnNamingConvention(this, item ? item->Color() : FDefaultColor, text);
  return text;
}

void TcxCustomColorComboBoxProperties::GetColorDisplayText(const Variant& Value, TColor& AColor, bool ForDisplay,
                                                           String& Text) {
  const int i = IndexOfValue(Value);
  if (((i != -1 && (!ForDisplay || FShowDescriptions)) || (i == -1 && FColorComboStyle == cxccsComboList)) &&
      !VarIsNull(Value)) {
    Text = CombinedItemText(i);
    return;
  }
  TColor color = 0;
  if (ValueToColor(Value, color)) {
    Text = ColorToText(color, String(), FNamingConvention, FColorValueFormat);
    if (OnNamingConvention) OnNamingConvention(this, color, Text);
    AColor = color;
  } else {
    AColor = FDefaultColor;
    Text = FDefaultDescription;
  }
}

void TcxCustomColorComboBoxProperties::ResolveColorValue(int Index, const Variant& Value, bool& Found, String& Text,
                                                         TColor& AColor) {
  Found = Index != -1;
  Text = CombinedItemText(Index);
  if (!Found && FColorComboStyle == cxccsComboList && !VarIsNull(Value))
    AColor = FDefaultColor;
  else if (Index == -1)
    GetColorDisplayText(Value, AColor, false, Text);
  else
    AColor = ColorByCombinedIndex(Index);
}

// ---- the editor framework's questions -------------------------------------------------------------------

TClass TcxCustomColorComboBoxProperties::EditClass() { return TcxColorComboBox::StaticClass(); }

TcxCustomEditViewDataClass TcxCustomColorComboBoxProperties::ViewDataClass() {
  return EditViewDataClassOf<TcxCustomColorComboBoxViewData>();
}

TcxContainerViewInfoClass TcxCustomColorComboBoxProperties::ViewInfoClass() {
  return ContainerViewInfoClassOf<TcxCustomColorComboBoxViewInfo>();
}

TClass TcxCustomColorComboBoxProperties::LookupDataClass() { return TcxColorComboBoxLookupData::StaticClass(); }

TcxEditPopupWindowClass TcxCustomColorComboBoxProperties::PopupWindowClass() {
  return EditPopupWindowClassOf<TcxColorComboBoxPopupWindow>();
}

bool TcxCustomColorComboBoxProperties::EditValuesEqual(const Variant& V1, const Variant& V2) {
  bool found1 = false, found2 = false;
  String text1, text2;
  TColor color1 = FDefaultColor, color2 = FDefaultColor;
  ResolveColorValue(IndexOfValue(V1), V1, found1, text1, color1);
  ResolveColorValue(IndexOfValue(V2), V2, found2, text2, color2);
  if (found1 != found2) return false;
  if (found1 && color1 != color2) return false;
  return !FShowDescriptions || text1 == text2;
}

String TcxCustomColorComboBoxProperties::ValueDisplayText(const Variant& Value) {
  TColor color = FDefaultColor;
  String text;
  GetColorDisplayText(Value, color, true, text);
  return text;
}

int TcxCustomColorComboBoxProperties::SupportedOperations() {
  int operations = Buttons()->Count() > 0 ? 0x033C : 0x031C;
  if (FShowDescriptions) operations |= 0x40;
  return operations;
}

void TcxCustomColorComboBoxProperties::ConvertToEditValue(const Variant& Value, Variant& DisplayValue, bool) {
  TColor color = FDefaultColor;
  String text;
  GetColorDisplayText(Value, color, false, text);
  DisplayValue = text;
}

void TcxColorComboBoxProperties::DeclareProperties(TPropTable& t) {
  using P = TcxColorComboBoxProperties;
  t.Add("Alignment", &P::Alignment, &P::SetAlignment).Stored(&P::IsAlignmentStored);
  t.Add("AllowSelectColor", &P::AllowSelectColor, &P::SetAllowSelectColor).SetDefault(false);
  t.Add("AssignedValues", &P::TextAssignedValues, &P::SetTextAssignedValues);
  t.Add("BeepOnError", &P::BeepOnError, &P::SetBeepOnError).SetDefault(false);
  t.Add("ButtonGlyph", &P::ButtonGlyphValue, &P::SetButtonGlyph).Stored(&P::ButtonGlyphStored);
  t.Add("CharCase", &P::CharCase, &P::SetCharCase).SetDefault(ecNormal);
  t.Add("ClearKey", &P::ClearKey, &P::SetClearKey).SetDefault(0);
  t.Add("ColorBoxAlign", &P::ColorBoxAlign, &P::SetColorBoxAlign).SetDefault(cbaLeft);
  t.Add("ColorBoxFrameColor", &P::ColorBoxFrameColor, &P::SetColorBoxFrameColor).SetDefault(clBtnShadow);
  t.Add("ColorBoxWidth", &P::ColorBoxWidth, &P::SetColorBoxWidth).SetDefault(30);
  t.Add("ColorComboStyle", &P::ColorComboStyle, &P::SetColorComboStyle).SetDefault(cxccsComboEdit);
  t.Add("ColorDialogType", &P::ColorDialogType, &P::SetColorDialogType).SetDefault(cxcdtDefault);
  t.Add("ColorValueFormat", &P::ColorValueFormat, &P::SetColorValueFormat).SetDefault(cxcvRGB);
  t.Add("CustomColors", &P::CustomColors, &P::SetCustomColors);
  t.Add("DefaultColor", &P::DefaultColor, &P::SetDefaultColor).SetDefault(clWindow);
  t.Add("DefaultColorStyle", &P::DefaultColorStyle, &P::SetDefaultColorStyle).SetDefault(cxdcColor);
  t.Add("DefaultDescription", &P::DefaultDescription, &P::SetDefaultDescription)
      .Stored(&P::DefaultDescriptionStored);
  t.Add("DropDownAutoWidth", &P::DropDownAutoWidth, &P::SetDropDownAutoWidth).SetDefault(true);
  t.Add("DropDownRows", &P::DropDownRows, &P::SetDropDownRows).SetDefault(8);
  t.Add("DropDownSizeable", &P::DropDownSizeable, &P::SetDropDownSizeable).SetDefault(false);
  t.Add("DropDownWidth", &P::DropDownWidth, &P::SetDropDownWidth).SetDefault(0);
  t.Add("ImeMode", &P::ImeMode, &P::SetImeMode).SetDefault(imDontCare);
  t.Add("ImeName", &P::ImeName, &P::SetImeName);
  t.Add("ImmediateDropDown", &P::ImmediateDropDown, &P::SetImmediateDropDown).SetDefault(true);
  t.Add("ImmediatePost", &P::ImmediatePost, &P::SetImmediatePost).SetDefault(false);
  t.Add("ImmediateUpdateText", &P::ImmediateUpdateText, &P::SetImmediateUpdateText).SetDefault(false);
  t.Add("MaxMRUColors", &P::MaxMRUColors, &P::SetMaxMRUColors).SetDefault(10);
  t.Add("NamingConvention", &P::NamingConvention, &P::SetNamingConvention).SetDefault(cxncVintor);
  t.Add("OEMConvert", &P::OEMConvert, &P::SetOEMConvert).SetDefault(false);
  t.Add("PopupAlignment", &P::PopupAlignment, &P::SetPopupAlignment).SetDefault(taLeftJustify);
  t.Add("PostPopupValueOnTab", &P::PostPopupValueOnTab, &P::SetPostPopupValueOnTab).SetDefault(false);
  t.Add("PrepareList", &P::PrepareList, &P::SetPrepareList).SetDefault(cxplVintor);
  t.Add("ReadOnly", &P::ReadOnly, &P::SetReadOnly).NoDefault().Stored(&P::IsReadOnlyStored);
  t.Add("Revertable", &P::Revertable, &P::SetRevertable).SetDefault(false);
  t.Add("ShowDescriptions", &P::ShowDescriptions, &P::SetShowDescriptions).SetDefault(true);
  t.Add("ValidateOnEnter", &P::ValidateOnEnter, &P::SetValidateOnEnter).SetDefault(true);
  t.Add("OnAddedMRUColor", &P::OnAddedMRUColor);
  t.Add("OnChange", &P::OnChange);
  t.Add("OnCloseUp", &P::OnCloseUp);
  t.Add("OnDeletedMRUColor", &P::OnDeletedMRUColor);
  t.Add("OnEditValueChanged", &P::OnEditValueChanged);
  t.Add("OnGetDefaultColor", &P::OnGetDefaultColor);
  t.Add("OnInitPopup", &P::OnInitPopup);
  t.Add("OnNamingConvention", &P::OnNamingConvention);
  t.Add("OnNewLookupDisplayText", &P::OnNewLookupDisplayText);
  t.Add("OnPopup", &P::OnPopup);
  t.Add("OnSelectCustomColor", &P::OnSelectCustomColor);
}

// ---- view data and view info ------------------------------------------------------------------------------

void TcxCustomColorComboBoxViewData::LoadColorBoxProperties(TcxCustomColorComboBoxViewInfo* AViewInfo) {
  TcxCustomColorComboBoxProperties* p = ColorProperties();
  AViewInfo->BkColor = AViewInfo->BackgroundColor;
  AViewInfo->ColorBoxAlign = p->ColorBoxAlign();
  AViewInfo->ColorBoxWidth = p->ColorBoxWidth();
  AViewInfo->ColorBoxFrameColor = p->ColorBoxFrameColor();
  AViewInfo->ShowDescriptions = p->ShowDescriptions();
  AViewInfo->DefaultColorStyle = p->DefaultColorStyle();
  if (p->DefaultColorStyle() == cxdcCustom && !AViewInfo->ValueListed) p->GetDefaultColor(AViewInfo->SwatchColor);
}

void TcxCustomColorComboBoxViewData::EditValueToDisplayText(const Variant& Value, String& Text) {
  TColor color = ColorProperties()->DefaultColor();
  ColorProperties()->GetColorDisplayText(Value, color, true, Text);
}

void TcxCustomColorComboBoxViewData::ButtonsMinimumHeight(TcxCanvas* ACanvas, TSize& Extent,
                                                          TcxCustomEditViewInfo* AViewInfo, TSize& Minimum,
                                                          const TcxEditSizeProperties& Request) {
  TcxCustomDropDownEditViewData::ButtonsMinimumHeight(ACanvas, Extent, AViewInfo, Minimum, Request);
  if (ColorProperties()->ShowDescriptions()) Extent.cx += ColorProperties()->ColorBoxWidth() + 6;
}

void TcxCustomColorComboBoxViewData::CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                                     int AButton, TShiftState AShift,
                                                     TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  TcxCustomDropDownEditViewData::CalculateLayout(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  if (ABounds.Right == cxMaxEditBound || ABounds.Bottom == cxMaxEditBound) return;
  auto* info = static_cast<TcxCustomColorComboBoxViewInfo*>(AViewInfo);
  LoadColorBoxProperties(info);
  TRect& client = info->ClientRect;
  TRect& swatch = info->SwatchRect;
  swatch = client;
  if (info->DefaultColorStyle == cxdcText && !info->ValueListed) {
    swatch.Right = swatch.Left;
  } else if (info->ShowDescriptions) {
    if (info->ColorBoxAlign == cbaRight) {
      swatch.Left = std::max(client.Left, swatch.Right - info->ColorBoxWidth);
      client.Right = swatch.Left;
    } else {
      swatch.Right = std::min(client.Right, swatch.Left + info->ColorBoxWidth);
      client.Left = swatch.Right;
    }
  }
  const int vertical = IsInplace ? 1 : 2;
  info->TextRect = TRect(client.Left + 2, client.Top + vertical, client.Right - 2, client.Bottom - vertical);
  if (!info->ShowDescriptions) info->Text.clear();
  if (!IsInplace) info->SelectionBar = false;
}

void TcxCustomColorComboBoxViewData::StoreResolvedValue(int Index, const Variant& Value,
                                                        TcxCustomTextEditViewInfo* AViewInfo) {
  auto* info = static_cast<TcxCustomColorComboBoxViewInfo*>(AViewInfo);
  bool found = false;
  TColor color = ColorProperties()->DefaultColor();
  ColorProperties()->ResolveColorValue(Index, Value, found, info->Text, color);
  info->SwatchColor = color;
  info->ValueListed = found;
}

void TcxCustomColorComboBoxViewData::PrepareDisplayValue(TcxCanvas* ACanvas, const Variant& Value,
                                                         TcxCustomEditViewInfo* AViewInfo) {
  TcxCustomDropDownEditViewData::PrepareDisplayValue(ACanvas, Value, AViewInfo);
  StoreResolvedValue(ColorProperties()->IndexOfValue(Value), Value,
                     static_cast<TcxCustomTextEditViewInfo*>(AViewInfo));
}

void TcxCustomColorComboBoxViewData::ValueToDisplayText(const Variant& Value, TcxCustomTextEditViewInfo* AViewInfo) {
  auto* edit = dynamic_cast<TcxCustomColorComboBox*>(Edit);
  if (!edit || VarIsNull(Value)) {
    TcxCustomDropDownEditViewData::ValueToDisplayText(Value, AViewInfo);
    return;
  }
  StoreResolvedValue(edit->ItemIndex(), edit->EditValue(), AViewInfo);
}

void TcxCustomColorComboBoxViewInfo::ShiftBy(int DX, int DY) {
  TcxCustomTextEditViewInfo::ShiftBy(DX, DY);
  SwatchRect = ShiftRect(SwatchRect, DX, DY, true);
}

void TcxCustomColorComboBoxViewInfo::PaintBody(TcxCanvas* ACanvas) {
  TcxCustomTextEditViewInfo::PaintBody(ACanvas);
  if (!ValueListed && DefaultColorStyle == cxdcText) return;
  DrawColorBox(ACanvas, SwatchRect, ColorBoxFrameColor, SwatchColor, BkColor,
               ValueListed ? cxdcColor : DefaultColorStyle);
  if (!IsInplace && !ShowDescriptions && Focused && !PopupOpen) {
    ACanvas->ActiveFont()->SetColor(clBtnText);
    ACanvas->ChangeBrushColor(BkColor);
    ACanvas->PaintFocusRect(ClientRect);
  }
}

// ---- the list box --------------------------------------------------------------------------------------------

TcxCustomColorComboBoxProperties* TcxCustomColorComboBoxListBox::ColorProperties() {
  TcxCustomComboBox* combo = OwnerComboBox();
  return combo ? dynamic_cast<TcxCustomColorComboBoxProperties*>(combo->ActiveProperties()) : nullptr;
}

int TcxCustomColorComboBoxListBox::ItemHeightAt(int Index) {
  int height = TcxCustomComboBoxListBox::ItemHeightAt(Index);
  TcxCustomColorComboBoxProperties* p = ColorProperties();
  if (p && p->ItemHeight() <= 0) height = std::max(height, 16);
  // The separator under the MRU entries.
  if (p && Index >= 0 && Index == p->RecentColorList()->Count() - 1) height += 3;
  return height;
}

void TcxCustomColorComboBoxListBox::DrawItem(int Index, RECT Rect, TOwnerDrawState State) {
  TRect r(Rect.left, Rect.top, Rect.right, Rect.bottom);
  if (CustomDrawItem(Index, r, State)) return;
  TcxCustomColorComboBoxProperties* p = ColorProperties();
  if (!p) {
    TcxCustomComboBoxListBox::DrawItem(Index, Rect, State);
    return;
  }
  TcxCanvas* canvas = ListCanvas();
  canvas->Canvas()->FillRect(Rect);
  const bool lastMRU = Index == p->RecentColorList()->Count() - 1;
  if (lastMRU) r.Bottom -= 3;
  TRect box = r;
  if (p->ShowDescriptions()) {
    TRect text = r;
    if (p->ColorBoxAlign() == cbaRight) {
      box.Left = std::max(r.Left, r.Right - p->ColorBoxWidth());
      text.Right = box.Left;
    } else {
      box.Right = std::min(r.Right, r.Left + p->ColorBoxWidth());
      text.Left = box.Right;
    }
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (BiDiMode() != bdLeftToRight) flags |= DT_RIGHT | DT_RTLREADING;
    text.Left += 2;
    text.Right -= 2;
    RECT t{text.Left, text.Top, text.Right, text.Bottom};
    const String caption = ItemText(Index);
    SetBkMode(canvas->Canvas()->Handle(), TRANSPARENT);
    DrawText(canvas->Canvas()->Handle(), caption.c_str(), static_cast<int>(caption.size()), &t, flags);
  }
  DrawColorBox(canvas, box, p->ColorBoxFrameColor(), p->ColorByCombinedIndex(Index),
               canvas->ActiveBrush()->Color(), cxdcColor);
  if (lastMRU)
    DrawMRUSeparator(canvas->Canvas(), TRect(Rect.left, Rect.top, Rect.right, Rect.bottom), State.Contains(odSelected));
}

// ---- the lookup data -----------------------------------------------------------------------------------------

TcxCustomColorComboBoxProperties* TcxColorComboBoxLookupData::ColorProperties() const {
  return dynamic_cast<TcxCustomColorComboBoxProperties*>(OwnerEditProperties());
}

String TcxColorComboBoxLookupData::ItemDisplayText(int Index) {
  TcxCustomColorComboBoxProperties* p = ColorProperties();
  return p ? p->CombinedItemText(Index) : String();
}

int TcxColorComboBoxLookupData::ItemCount() {
  TcxCustomColorComboBoxProperties* p = ColorProperties();
  return p ? p->CombinedCount() : 0;
}

TSize TcxColorComboBoxLookupData::MeasureListHook() {
  TSize size = MeasureList(0, 0);
  TcxCustomColorComboBoxProperties* p = ColorProperties();
  if (!p) return size;
  size.cx += p->ColorBoxWidth();
  if (TcxCustomEditListBox* list = ListBox()) list->SetScrollWidth(list->ScrollWidth() + p->ColorBoxWidth());
  return size;
}

void TcxColorComboBoxLookupData::MatchTextToItemHook() {
  TcxCustomTextEdit* edit = OwnerEdit();
  TcxCustomColorComboBoxProperties* p = ColorProperties();
  if (!edit || !p || edit->LookupChangeFlag()) return;
  ChangeCurrentItem(p->IndexOfValue(edit->EditValue()));
}

int TcxColorComboBoxLookupData::ReselectMRUColor(TColor AColor) {
  TcxCustomColorComboBoxProperties* p = ColorProperties();
  if (!p) return CurrentItemKey();
  const int m = p->RecentColorList()->Count();
  if (CurrentItemKey() < m - 1) return CurrentItemKey();
  const int recent = p->RecentColorList()->IndexOfColor(AColor);
  if (recent >= 0) ChangeCurrentItem(recent);
  return CurrentItemKey();
}

// ---- the editor -------------------------------------------------------------------------------------------------

TcxCustomColorComboBox::TcxCustomColorComboBox(TComponent* AOwner)
    : TcxCustomColorComboBox(AOwner, TcxCustomEditClasses{TcxCustomColorComboBoxProperties::StaticClass(),
                                                          TcxCustomColorComboBoxInnerEdit::StaticClass(),
                                                          EditDataBindingClassOf<TcxEditDataBinding>()}) {}

TcxCustomColorComboBox::TcxCustomColorComboBox(TComponent* AOwner, const TcxCustomEditClasses& Classes)
    : TcxCustomComboBox(AOwner, Classes) {
  HookListLoaded();
}

TcxCustomColorComboBox::~TcxCustomColorComboBox() {
  if (auto* own = dynamic_cast<TcxCustomColorComboBoxProperties*>(Properties())) own->ColorListLoaded = nullptr;
}

void TcxCustomColorComboBox::HookListLoaded() {
  if (auto* own = dynamic_cast<TcxCustomColorComboBoxProperties*>(Properties()))
    own->ColorListLoaded = [this](TObject* Sender) { ResetAfterListLoad(Sender); };
}

void TcxCustomColorComboBox::InitializeEditor() {
  TcxCustomComboBox::InitializeEditor();
  HookListLoaded();
}

TColor TcxCustomColorComboBox::ColorValue() {
  TcxCustomColorComboBoxProperties* p = ActiveColorProperties();
  bool found = false;
  String text;
  TColor color = p->DefaultColor();
  p->ResolveColorValue(ItemIndex(), EditValue(), found, text, color);
  if (p->DefaultColorStyle() == cxdcCustom && !found) p->GetDefaultColor(color);
  return color;
}

void TcxCustomColorComboBox::SetColorValue(TColor Value) {
  if (!VarIsNull(EditValue()) && ColorValue() == Value) return;
  LockValueChanges(true);
  try {
    SetEditValueChecked(Variant(static_cast<int>(Value)));
  } catch (...) {
    LockValueChanges(false);
    throw;
  }
  LockValueChanges(false);
}

TColorDialog* TcxCustomColorComboBox::ColorDialog() {
  if (!FColorDialog) FColorDialog = std::make_unique<TColorDialog>(nullptr);
  return FColorDialog.get();
}

void TcxCustomColorComboBox::SelectColor(TColor AColor, const String& ADescription, bool AddToList) {
  TcxCustomColorComboBoxProperties* p = ActiveColorProperties();
  const int i = p->IndexOfCombinedColor(AColor);
  if (AddToList && i == -1) {
    p->CustomColors()->AddColor(AColor, ADescription);
    p->AddMRUColor(AColor);
  } else {
    SetItemIndex(i);
  }
  UpdateMRUColor(AColor);
  if (AddToList && RequestEditing()) {
    SetColorValue(AColor);
    if (p->RecentColorList()->Count() > 0) SetItemIndex(p->RecentColorList()->IndexOfColor(AColor));
    MarkModified(true);
    PostEditValue(false);
  }
  NotifyPopupClosed(pcrAccept);
}

void TcxCustomColorComboBox::UpdateMRUColor(TColor AColor) {
  const int r = ActiveColorProperties()->AddMRUColor(AColor);
  if (r == 1 || r == 2) {
    // The lists moved under the current item: point it at the colour again.
    if (TcxColorComboBoxLookupData* lookup = ColorLookupData()) SetItemIndex(lookup->ReselectMRUColor(AColor));
  }
}

void TcxCustomColorComboBox::ClearColorValue() {
  SetEditValueChecked(Variant::Null());
  MarkModified(true);
  RefreshDisplayText();
  if (ActiveColorProperties()->ImmediatePost() && CanPostEditValue()) PostEditValue(false);
}

void TcxCustomColorComboBox::SelectColorByDialog() {
  TColor color = clNone;
  String description;
  bool addToList = true;
  if (ActiveColorProperties()->ColorDialogType() == cxcdtDefault) {
    TcxFlagScope showing(FDialogShowing, true);
    TColorDialog* dialog = ColorDialog();
    dialog->SetColor(ColorValue());
    if (!dialog->Execute()) {
      NotifyPopupClosed(pcrCancel);
      return;
    }
    color = dialog->Color();
  }
  if (auto* own = dynamic_cast<TcxCustomColorComboBoxProperties*>(Properties()); own && own->OnSelectCustomColor)
    own->OnSelectCustomColor(this, color, description, addToList);
  if (RepositoryItem())
    if (TcxCustomColorComboBoxProperties* active = ActiveColorProperties(); active->OnSelectCustomColor)
      active->OnSelectCustomColor(this, color, description, addToList);
  SelectColor(color, description, addToList);
}

void TcxCustomColorComboBox::EndPostEditValue() {
  if (IsInPlace() && FSelectionAccepted) FMRUUpdateRequested = true;
  TcxCustomComboBox::EndPostEditValue();
}

void TcxCustomColorComboBox::FireButtonClick(int Index) {
  if (Index == kDialogButton) SelectColorByDialog();
}

void TcxCustomColorComboBox::InternalSetEditValue(const Variant& Value, bool ValidateValue) {
  if (ComponentState().Contains(csDestroying)) return;
  TcxCustomComboBox::InternalSetEditValue(Value, ValidateValue);
}

bool TcxCustomColorComboBox::IsKeyAcceptable(TChar Ch) { return Ch >= 32; }

void TcxCustomColorComboBox::PropertiesChanged(TObject* Sender) {
  if (FInPropertiesChanged) return;
  TcxFlagScope guard(FInPropertiesChanged, true);
  TcxCustomColorComboBoxProperties* p = ActiveColorProperties();
  TcxEditButtons* buttons = p->Buttons();
  TBitmap* glyph = p->ButtonGlyph();
  const bool noGlyph = !glyph || glyph->Empty();
  if (p->AllowSelectColor()) {
    if (buttons->Count() > kDialogButton)
      buttons->ButtonAt(kDialogButton)->SetKind(noGlyph ? TcxEditButtonKind::bkEllipsis : TcxEditButtonKind::bkGlyph);
  } else if (buttons->Count() > 0) {
    buttons->ButtonAt(0)->SetKind(noGlyph ? TcxEditButtonKind::bkDown : TcxEditButtonKind::bkGlyph);
  }
  TcxCustomComboBox::PropertiesChanged(Sender);
  // The text a value shows hangs on the properties (format, naming, lists): show it anew.
  if (LookupData() && !IsDestroying() && !ComponentState().Contains(csLoading)) RefreshDisplayText();
}

void TcxCustomColorComboBox::RefreshDisplayText() {
  TcxCustomComboBox::RefreshDisplayText();
  if (TcxColorComboBoxLookupData* lookup = ColorLookupData()) lookup->MatchTextToItem();
  ClearFoundItemMark();
  RefreshDrawnValue();
}

void TcxCustomColorComboBox::ApplyAcceptedSelection() {
  if (FSelectionAccepted && (FMRUUpdateRequested || Modified()))
    if (TcxColorComboBoxLookupData* lookup = ColorLookupData())
      UpdateMRUColor(ActiveColorProperties()->ColorByCombinedIndex(lookup->CurrentItemKey()));
  FSelectionAccepted = false;
  FMRUUpdateRequested = false;
}

bool TcxCustomColorComboBox::CheckEditValue() {
  const bool result = TcxCustomComboBox::CheckEditValue();
  ApplyAcceptedSelection();
  return result;
}

bool TcxCustomColorComboBox::IsOwnWindow(HWND Wnd) {
  if (TcxCustomComboBox::IsOwnWindow(Wnd)) return true;
  if (!FDialogShowing || !Wnd || !HandleAllocated()) return false;
  // The colour dialog is modal: while it shows, a window outside this editor's own top-level
  // window is the dialog or one of its children.
  return GetAncestor(Wnd, GA_ROOT) != GetAncestor(Handle(), GA_ROOT);
}

void TcxCustomColorComboBox::ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool) {
  TcxCustomColorComboBoxProperties* p = ActiveColorProperties();
  TColor color = 0;
  if (TextToColor(VarToStr(Display), color)) {
    const int i = p->IndexOfCombinedColor(color);
    if (i == -1)
      SelectColor(color, String(), true);
    else
      SetItemIndex(i);
  }
  Value = LookupItemToValue(ColorLookupData() ? ColorLookupData()->CurrentItemKey() : -1);
}

Variant TcxCustomColorComboBox::LookupItemToValue(int Key) {
  if (Key == -1) return Variant::Null();
  return Variant(static_cast<int>(ActiveColorProperties()->ColorByCombinedIndex(Key)));
}

void TcxCustomColorComboBox::CloseDropDown(TcxPopupCloseReason Reason) {
  if (Reason == pcrTab || Reason == pcrToggle || Reason == pcrAccept) FSelectionAccepted = true;
  TcxCustomComboBox::CloseDropDown(Reason);
  ApplyAcceptedSelection();
}

void TcxCustomColorComboBox::ResetAfterListLoad(TObject*) {
  if (ComponentState().Contains(csLoading)) return;
  SetItemIndex(-1);
  if (RequestEditing()) ClearColorValue();
  PostEditValue(false);
}

// ---- TcxColorComboBox -------------------------------------------------------------------------------------------

TcxColorComboBox::TcxColorComboBox(TComponent* AOwner)
    : TcxCustomColorComboBox(AOwner, TcxCustomEditClasses{TcxColorComboBoxProperties::StaticClass(),
                                                          TcxCustomColorComboBoxInnerEdit::StaticClass(),
                                                          EditDataBindingClassOf<TcxEditDataBinding>()}) {}

void TcxColorComboBox::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishWinControl(t);
  t.Redeclare("TabStop").SetDefault(true);
  using E = TcxColorComboBox;
  t.Add("AutoSize", &E::AutoSizeValue, &E::SetAutoSize).SetDefault(true);
  t.Add("BeepOnEnter", &E::BeepOnEnter, &E::SetBeepOnEnter).SetDefault(true);
  t.Add("ColorValue", &E::ColorValueOf, &E::SetColorValue).Stored(&E::ColorValueStored);
  t.Add("Properties", &E::Properties, &E::SetProperties);
  t.Add("Style", &E::Style, &E::SetStyle);
  t.Add("StyleDisabled", &E::StyleDisabled, &E::SetStyleDisabled);
  t.Add("StyleFocused", &E::StyleFocused, &E::SetStyleFocused);
  t.Add("StyleHot", &E::StyleHot, &E::SetStyleHot);
}

// ---- TcxFilterColorComboBoxHelper --------------------------------------------------------------------------------

TcxFilterOperatorSet TcxFilterColorComboBoxHelper::SupportedFilterOperators(TcxCustomEditProperties*,
                                                                           TcxValueTypeClass, bool Extended) const {
  return Extended ? 0x6606 : 0x0606;
}

void TcxFilterColorComboBoxHelper::PrepareFilterProperties(TcxCustomEditProperties* Properties,
                                                           TcxCustomEditProperties* SourceProperties,
                                                           bool KeepButtons) const {
  TcxFilterComboBoxHelper::PrepareFilterProperties(Properties, SourceProperties, KeepButtons);
  if (auto* combo = dynamic_cast<TcxCustomComboBoxProperties*>(Properties)) combo->SetDropDownListStyle(lsFixedList);
}

// ---- registration -------------------------------------------------------------------------------------------------

void ColorComboBoxUnitStartup() {
  if (gUnitStarts++ > 0) return;
  RegisterClass(TcxColorComboBox::StaticClass());
  EditPropertiesClassRegistry()->AddClass(TcxColorComboBoxProperties::StaticClass(),
                                          GetLocalizedResString(scxSEditRepositoryColorComboBoxItem));
  FilterEditsControllerInstance()->AddHelper(TcxColorComboBoxProperties::StaticClass(),
                                             FilterEditHelperClass<TcxFilterColorComboBoxHelper>());
}

void ColorComboBoxUnitShutdown() {
  if (gUnitStarts == 0 || --gUnitStarts > 0) return;
  FilterEditsControllerInstance()->RemoveHelper(TcxColorComboBoxProperties::StaticClass(),
                                                FilterEditHelperClass<TcxFilterColorComboBoxHelper>());
  EditPropertiesClassRegistry()->RemoveClass(TcxColorComboBoxProperties::StaticClass());
}
