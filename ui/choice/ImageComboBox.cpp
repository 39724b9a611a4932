#include "ui/choice/ImageComboBox.h"

#include <algorithm>

#include "platform/classes/StdCtrls.h"
#include "platform/classes/SysUtils.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/controls/VariantRoutines.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/OSVersion.h"

using namespace win;

namespace {

int gUnitStarts = 0;

bool ImageIndexValid(TCustomImageList* Images, int Index) { return Images && Index >= 0 && Index < Images->Count(); }

}  // namespace

// ---- TcxCustomImageComboBoxProperties ------------------------------------------------------------------------

TcxCustomImageComboBoxProperties::TcxCustomImageComboBoxProperties(TPersistent* AOwner)
    : TcxCustomImageComboBoxProperties(AOwner, TcxCustomEditPropertiesClasses{
                                                   EditButtonsClassOf<TcxEditButtons>(),
                                                   EditPropertiesValuesClassOf<TcxTextEditPropertiesValues>()}) {}

TcxCustomImageComboBoxProperties::TcxCustomImageComboBoxProperties(TPersistent* AOwner,
                                                                   const TcxCustomEditPropertiesClasses& Classes)
    : TcxCustomComboBoxProperties(AOwner, Classes) {
  Construct();
}

void TcxCustomImageComboBoxProperties::Construct() {
  FImagesLink = std::make_unique<TChangeLink>();
  FImagesLink->OnChange = [this](TObject*) { SignalChanged(); };
  FLargeImagesLink = std::make_unique<TChangeLink>();
  FLargeImagesLink->OnChange = [this](TObject*) { SignalChanged(); };
  FItems = std::make_unique<TcxImageComboBoxItems>(this);
  FItems->ImageCount = [this] { return FImages ? FImages->Count() : -1; };
  FItems->OnOwnerChanged = [this] { SignalChanged(); };
  SetDropDownListStyle(lsFixedList);
}

TcxCustomImageComboBoxProperties::~TcxCustomImageComboBoxProperties() {
  FItems->OnOwnerChanged = nullptr;
  if (FImages) FImages->UnRegisterChanges(FImagesLink.get());
  if (FLargeImages) FLargeImages->UnRegisterChanges(FLargeImagesLink.get());
}

void TcxCustomImageComboBoxProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomImageComboBoxProperties*>(Source);
  if (!source || source == this) {
    TcxCustomComboBoxProperties::Assign(Source);
    return;
  }
  TcxEditPropertiesUpdate update(this);
  TcxCustomComboBoxProperties::Assign(Source);
  SetDefaultDescription(source->FDefaultDescription);
  SetDefaultImageIndex(source->FDefaultImageIndex);
  SetImageAlign(source->FImageAlign);
  SetImages(source->FImages);
  FItems->Assign(source->FItems.get());
  SetLargeImages(source->FLargeImages);
  SetMultiLineText(source->FMultiLineText);
  SetShowDescriptions(source->FShowDescriptions);
}

void TcxCustomImageComboBoxProperties::SetImageItems(TcxImageComboBoxItems* Value) {
  FItems->Assign(Value);
  SignalChanged();
}

void TcxCustomImageComboBoxProperties::LinkImages(TCustomImageList*& Field, TChangeLink* Link,
                                                  TCustomImageList* Value) {
  if (Value == Field) return;
  if (Field) {
    Field->UnRegisterChanges(Link);
    // The other link may still watch it.
    if (FImages != FLargeImages) FreeNotificator()->UnwatchComponent(Field);
  }
  Field = Value;
  if (Field) {
    Field->RegisterChanges(Link);
    FreeNotificator()->WatchComponent(Field);
  }
  SignalChanged();
}

void TcxCustomImageComboBoxProperties::ComponentFreed(TComponent* AComponent) {
  TcxCustomComboBoxProperties::ComponentFreed(AComponent);
  bool changed = false;
  if (AComponent == FImages) {
    FImages = nullptr;
    changed = true;
  }
  if (AComponent == FLargeImages) {
    FLargeImages = nullptr;
    changed = true;
  }
  if (changed) SignalChanged();
}

TcxImageComboBoxItem* TcxCustomImageComboBoxProperties::FindItemByValue(const Variant& Value) const {
  const int i = IndexOfValue(Value);
  return i < 0 ? nullptr : FItems->Items(i);
}

int TcxCustomImageComboBoxProperties::IndexOfValue(const Variant& Value) const {
  for (int i = 0; i < FItems->Count(); ++i)
    if (VarEqualsLoose(FItems->Items(i)->Value(), Value)) return i;
  return -1;
}

TcxImageComboBoxItem* TcxCustomImageComboBoxProperties::FindItemByText(const String& Text) const {
  if (!FShowDescriptions) return nullptr;
  for (int i = 0; i < FItems->Count(); ++i)
    if (AnsiSameText(FItems->Items(i)->Description(), Text)) return FItems->Items(i);
  return nullptr;
}

void TcxCustomImageComboBoxProperties::GetItemDisplay(TcxImageComboBoxItem* Item, String& Text, bool ForceText,
                                                      int& ImageIndex) {
  if (ForceText || FShowDescriptions)
    Text = Item ? Item->Description() : FDefaultDescription;
  else
    Text.clear();
  ImageIndex = Item ? Item->ImageIndex() : FDefaultImageIndex;
}

void TcxCustomImageComboBoxProperties::DescribeValue(const Variant& Value, String& Text, int& ImageIndex) {
  GetItemDisplay(FindItemByValue(Value), Text, false, ImageIndex);
}

TcxCustomEditViewDataClass TcxCustomImageComboBoxProperties::ViewDataClass() {
  return EditViewDataClassOf<TcxImageComboBoxViewData>();
}

TClass TcxCustomImageComboBoxProperties::EditClass() { return TcxImageComboBox::StaticClass(); }

TcxContainerViewInfoClass TcxCustomImageComboBoxProperties::ViewInfoClass() {
  return ContainerViewInfoClassOf<TcxImageComboBoxViewInfo>();
}

TClass TcxCustomImageComboBoxProperties::LookupDataClass() { return TcxImageComboBoxLookupData::StaticClass(); }

bool TcxCustomImageComboBoxProperties::EditValuesEqual(const Variant& V1, const Variant& V2) {
  String text1, text2;
  int image1 = -1, image2 = -1;
  DescribeValue(V1, text1, image1);
  DescribeValue(V2, text2, image2);
  return text1 == text2 && (!FImages || image1 == image2);
}

String TcxCustomImageComboBoxProperties::ValueDisplayText(const Variant& Value) {
  Variant display;
  ConvertToEditValue(Value, display, false);
  return VarToStr(display);
}

int TcxCustomImageComboBoxProperties::SupportedOperations() {
  int operations = Buttons()->Count() > 0 ? 0x033C : 0x031C;
  if (FShowDescriptions) operations |= 0x40;
  return operations;
}

void TcxCustomImageComboBoxProperties::ConvertToEditValue(const Variant& Value, Variant& DisplayValue, bool) {
  String text;
  int image = -1;
  GetItemDisplay(FindItemByValue(Value), text, true, image);
  DisplayValue = text;
}

void TcxImageComboBoxProperties::DeclareProperties(TPropTable& t) {
  using P = TcxImageComboBoxProperties;
  t.Add("Alignment", &P::Alignment, &P::SetAlignment).Stored(&P::IsAlignmentStored);
  t.Add("AssignedValues", &P::TextAssignedValues, &P::SetTextAssignedValues);
  t.Add("ButtonGlyph", &P::ButtonGlyphValue, &P::SetButtonGlyph).Stored(&P::ButtonGlyphStored);
  t.Add("ClearKey", &P::ClearKey, &P::SetClearKey).SetDefault(0);
  t.Add("DefaultDescription", &P::DefaultDescription, &P::SetDefaultDescription);
  t.Add("DefaultImageIndex", &P::DefaultImageIndex, &P::SetDefaultImageIndex).SetDefault(-1);
  t.Add("DropDownRows", &P::DropDownRows, &P::SetDropDownRows).SetDefault(8);
  t.Add("ImageAlign", &P::ImageAlign, &P::SetImageAlign).SetDefault(iaLeft);
  t.Add("Images", &P::Images, &P::SetImages);
  t.Add("ImeMode", &P::ImeMode, &P::SetImeMode).SetDefault(imDontCare);
  t.Add("ImeName", &P::ImeName, &P::SetImeName);
  t.Add("ImmediateDropDown", &P::ImmediateDropDown, &P::SetImmediateDropDown).SetDefault(true);
  t.Add("ImmediatePost", &P::ImmediatePost, &P::SetImmediatePost).SetDefault(false);
  t.Add("ImmediateUpdateText", &P::ImmediateUpdateText, &P::SetImmediateUpdateText).SetDefault(false);
  t.Add("Items", &P::ImageItems, &P::SetImageItems);
  t.Add("LargeImages", &P::LargeImages, &P::SetLargeImages);
  t.Add("MultiLineText", &P::MultiLineText, &P::SetMultiLineText).SetDefault(false);
  t.Add("PopupAlignment", &P::PopupAlignment, &P::SetPopupAlignment).SetDefault(taLeftJustify);
  t.Add("PostPopupValueOnTab", &P::PostPopupValueOnTab, &P::SetPostPopupValueOnTab).SetDefault(false);
  t.Add("ReadOnly", &P::ReadOnly, &P::SetReadOnly).NoDefault().Stored(&P::IsReadOnlyStored);
  t.Add("Revertable", &P::Revertable, &P::SetRevertable).SetDefault(false);
  t.Add("ShowDescriptions", &P::ShowDescriptions, &P::SetShowDescriptions).SetDefault(true);
  t.Add("ValidateOnEnter", &P::ValidateOnEnter, &P::SetValidateOnEnter).SetDefault(true);
  t.Add("OnButtonClick", &P::OnButtonClick);
  t.Add("OnChange", &P::OnChange);
  t.Add("OnCloseQuery", &P::OnCloseQuery);
  t.Add("OnCloseUp", &P::OnCloseUp);
  t.Add("OnEditValueChanged", &P::OnEditValueChanged);
  t.Add("OnInitPopup", &P::OnInitPopup);
  t.Add("OnPopup", &P::OnPopup);
  t.Add("OnValidate", &P::OnValidate);
}

// ---- view data and view info ------------------------------------------------------------------------------------

bool TcxImageComboBoxViewData::DrawsAsComboBox() { return IsWindowsVistaOrLater; }

void TcxImageComboBoxViewData::EditValueToDisplayText(const Variant& Value, String& Text) {
  int image = -1;
  ImageProperties()->DescribeValue(Value, Text, image);
}

void TcxImageComboBoxViewData::ButtonsMinimumHeight(TcxCanvas* ACanvas, TSize& Extent,
                                                    TcxCustomEditViewInfo* AViewInfo, TSize& Minimum,
                                                    const TcxEditSizeProperties& Request) {
  TcxCustomDropDownEditViewData::ButtonsMinimumHeight(ACanvas, Extent, AViewInfo, Minimum, Request);
  if (TCustomImageList* images = ImageProperties()->Images()) {
    Minimum.cy = std::max(Minimum.cy, static_cast<LONG>(images->Height()));
    Extent.cx += images->Width() + 5;
  } else {
    Extent.cx += 1;
  }
}

void TcxImageComboBoxViewData::CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                               int AButton, TShiftState AShift, TcxCustomEditViewInfo* AViewInfo,
                                               bool AIsMouseEvent) {
  TcxCustomDropDownEditViewData::CalculateLayout(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  auto* info = static_cast<TcxImageComboBoxViewInfo*>(AViewInfo);
  TcxCustomImageComboBoxProperties* p = ImageProperties();
  info->ImageAlign = p->ImageAlign();
  info->Images = p->Images();
  info->ShowDescriptions = p->ShowDescriptions();
  TRect r = IsInplace ? info->TextRect : info->ClientRect;
  if (TCustomImageList* images = info->Images) {
    TRect& picture = info->PictureRect;
    picture = TRect(info->ClientRect.Left + 2, info->ClientRect.Top, info->ClientRect.Right - 2,
                    info->ClientRect.Bottom);
    const int gap = IsInplace ? 4 : 2;
    const int w = images->Width(), h = images->Height();
    if (w >= WidthOfRect(picture)) {
      r.Left = r.Right;
    } else if (!info->ShowDescriptions) {
      picture.Left += (WidthOfRect(picture) - w) / 2;
      picture.Right = picture.Left + w;
    } else if (info->ImageAlign == iaRight) {
      picture.Left = picture.Right - w;
      r.Right = picture.Left - gap;
    } else {
      picture.Right = picture.Left + w;
      r.Left = picture.Right + gap;
    }
    if (h < HeightOfRect(picture)) {
      picture.Top += (HeightOfRect(picture) - h) / 2;
      picture.Bottom = picture.Top + h;
    }
  }
  if (!IsInplace) {
    info->ClientRect = r;
    r = TRect(r.Left + 2, r.Top + 1, r.Right - 2, r.Bottom - 1);
    info->SelectionBar = false;
  }
  info->TextRect = r;
  if (!info->ShowDescriptions) info->Text.clear();
}

void TcxImageComboBoxViewData::PrepareDisplayValue(TcxCanvas* ACanvas, const Variant& Value,
                                                   TcxCustomEditViewInfo* AViewInfo) {
  TcxCustomDropDownEditViewData::PrepareDisplayValue(ACanvas, Value, AViewInfo);
  auto* info = static_cast<TcxImageComboBoxViewInfo*>(AViewInfo);
  ImageProperties()->DescribeValue(Value, info->Text, info->ImageIndex);
}

void TcxImageComboBoxViewData::ValueToDisplayText(const Variant& Value, TcxCustomTextEditViewInfo* AViewInfo) {
  auto* edit = dynamic_cast<TcxCustomImageComboBox*>(Edit);
  if (!edit) {
    TcxCustomDropDownEditViewData::ValueToDisplayText(Value, AViewInfo);
    return;
  }
  TcxCustomImageComboBoxProperties* p = ImageProperties();
  TcxCustomTextEditLookupData* lookup = edit->LookupData();
  const int key = lookup ? lookup->CurrentItemKey() : -1;
  TcxImageComboBoxItem* item =
      key >= 0 && key < p->ImageItems()->Count() ? p->ImageItems()->Items(key) : p->FindItemByValue(edit->EditValue());
  auto* info = static_cast<TcxImageComboBoxViewInfo*>(AViewInfo);
  p->GetItemDisplay(item, info->Text, false, info->ImageIndex);
}

void TcxImageComboBoxViewInfo::ShiftBy(int DX, int DY) {
  TcxCustomTextEditViewInfo::ShiftBy(DX, DY);
  PictureRect = ShiftRect(PictureRect, DX, DY, true);
}

void TcxImageComboBoxViewInfo::PaintBody(TcxCanvas* ACanvas) {
  TcxCustomTextEditViewInfo::PaintBody(ACanvas);
  if (!ImageIndexValid(Images, ImageIndex)) return;
  ACanvas->PushClipRegion();
  TRect clip;
  IntersectRects(clip, PictureRect, BorderRect);
  ACanvas->ClipToRect(clip);
  Images->Draw(ACanvas->Canvas(), PictureRect.Left, PictureRect.Top, ImageIndex, Enabled);
  ACanvas->PopClipRegion();
}

// ---- the list box -------------------------------------------------------------------------------------------------

TcxImageComboBoxListBox::TcxImageComboBoxListBox(TComponent* AOwner) : TcxComboBoxListBox(AOwner) {
  SetBorderStyle(bsNone);
  SetStyle(lbOwnerDrawVariable);
}

TcxCustomImageComboBoxProperties* TcxImageComboBoxListBox::ImageProperties() {
  TcxCustomComboBox* combo = OwnerComboBox();
  return combo ? dynamic_cast<TcxCustomImageComboBoxProperties*>(combo->ActiveProperties()) : nullptr;
}

int TcxImageComboBoxListBox::ItemHeightAt(int Index) {
  TcxCustomImageComboBoxProperties* p = ImageProperties();
  if (!p) return TcxComboBoxListBox::ItemHeightAt(Index);
  TCustomImageList* images = p->ListImages();
  int width = FUsableWidth - 2 - (images ? images->Width() + 4 : 0);
  const int minimum = images ? images->Height() + 2 : 0;
  TCanvas* canvas = ListCanvas()->Canvas();
  canvas->Font()->Assign(Font());
  int height = 0;
  if (p->MultiLineText() && width > 0) {
    const String text = Index >= 0 && Index < p->ImageItems()->Count() ? p->ImageItems()->Items(Index)->Description()
                                                                        : String();
    RECT r{0, 0, width, 0};
    canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
    DrawText(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r,
             DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    height = std::max(minimum, static_cast<int>(r.bottom - r.top) + 2);
  } else {
    height = std::max(canvas->TextHeight("Wg") + 2, minimum);
  }
  TcxCustomComboBox* combo = OwnerComboBox();
  if (Index >= 0 && combo && combo->HasMeasureItemHandler()) combo->FireMeasureItem(Index, ListCanvas(), height);
  return height;
}

int TcxImageComboBoxListBox::ItemWidthAt(int Index) {
  TcxCustomImageComboBoxProperties* p = ImageProperties();
  return p && p->MultiLineText() ? 0 : TcxComboBoxListBox::ItemWidthAt(Index);
}

void TcxImageComboBoxListBox::PrepareItemLayout() {
  // Wrapped rows are measured against the width the popup gives the list: the editor's.
  TcxCustomImageComboBoxProperties* p = ImageProperties();
  TcxCustomComboBox* combo = OwnerComboBox();
  if (p && p->MultiLineText() && combo) {
    FUsableWidth = combo->Width() - 2;
    FHasScrollBar = p->DropDownRows() < p->ImageItems()->Count();
    if (FHasScrollBar) FUsableWidth -= GetSystemMetrics(SM_CXVSCROLL);
  }
  SetItemHeight(ItemHeightAt(-1));
  SetStyle(lbOwnerDrawVariable);
  // Rows already in the list were measured against the width they had then.
  if (HandleAllocated())
    for (int i = 0; i < Items()->Count(); ++i)
      SendMessage(Handle(), LB_SETITEMHEIGHT, static_cast<WPARAM>(i), MAKELPARAM(ItemHeightAt(i), 0));
}

int TcxImageComboBoxListBox::RowsHeight(int Count) {
  TcxCustomImageComboBoxProperties* p = ImageProperties();
  TcxCustomComboBox* combo = OwnerComboBox();
  FHasScrollBar = false;
  FUsableWidth = 0;
  if (p && p->MultiLineText() && combo) FUsableWidth = combo->Width() - 2;
  auto sum = [&] {
    int height = 0;
    for (int i = 0; i < Count; ++i) height += ItemHeightAt(i);
    return height;
  };
  int height = sum();
  const int total = p ? p->ImageItems()->Count() : Count;
  if (p && p->MultiLineText() && total > Count) {
    // A scroll bar narrows the rows: wrapped descriptions may need more of them.
    FHasScrollBar = true;
    FUsableWidth -= GetSystemMetrics(SM_CXVSCROLL);
    height = sum();
  }
  return height;
}

int TcxImageComboBoxListBox::PreferredListWidth() {
  TcxCustomImageComboBoxProperties* p = ImageProperties();
  if (!p) return 0;
  TCustomImageList* images = p->ListImages();
  TCanvas* canvas = ListCanvas()->Canvas();
  canvas->Font()->Assign(Font());
  int widest = 0;
  for (int i = 0; i < p->ImageItems()->Count(); ++i)
    widest = std::max(widest, canvas->TextWidth(p->ImageItems()->Items(i)->Description()));
  int width = (images ? images->Width() + 8 : 4) + widest;
  if (p->DropDownRows() < p->ImageItems()->Count()) width += GetSystemMetrics(SM_CXVSCROLL);
  return width;
}

void TcxImageComboBoxListBox::DrawItem(int Index, RECT Rect, TOwnerDrawState State) {
  TRect r(Rect.left, Rect.top, Rect.right, Rect.bottom);
  if (CustomDrawItem(Index, r, State)) return;
  TCanvas* canvas = Canvas();
  canvas->FillRect(Rect);
  TcxCustomImageComboBoxProperties* p = ImageProperties();
  if (!p || Index < 0 || Index >= p->ImageItems()->Count()) return;
  TcxImageComboBoxItem* item = p->ImageItems()->Items(Index);
  const bool rightToLeft = BiDiMode() != bdLeftToRight;
  unsigned flags = p->MultiLineText() ? DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS
                                      : DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  if (rightToLeft) flags |= DT_RIGHT | DT_RTLREADING;
  TRect text = r;
  if (rightToLeft)
    text.Right -= 2;
  else
    text.Left += 2;
  if (TCustomImageList* images = p->ListImages()) {
    const int area = images->Width() + 4;
    TRect image = r;
    if (p->ImageAlign() == iaRight) {
      image.Left = r.Right - area;
      text.Right = image.Left;
    } else {
      image.Right = r.Left + area;
      text.Left = image.Right;
    }
    if (ImageIndexValid(images, item->ImageIndex()))
      images->Draw(canvas, image.Left + 1, image.Top + (HeightOfRect(image) - images->Height()) / 2, item->ImageIndex(),
                   Enabled());
  }
  if (RectHasNoArea(text)) return;
  RECT t{text.Left, text.Top, text.Right, text.Bottom};
  SetBkMode(canvas->Handle(), TRANSPARENT);
  canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
  const String& description = item->Description();
  DrawText(canvas->Handle(), description.c_str(), static_cast<int>(description.size()), &t, flags);
}

// ---- the lookup data ------------------------------------------------------------------------------------------------

TcxCustomImageComboBoxProperties* TcxImageComboBoxLookupData::ImageProperties() const {
  return dynamic_cast<TcxCustomImageComboBoxProperties*>(OwnerEditProperties());
}

String TcxImageComboBoxLookupData::ItemDisplayText(int Index) {
  TcxCustomImageComboBoxProperties* p = ImageProperties();
  if (!p || Index < 0 || Index >= p->ImageItems()->Count()) return String();
  return p->ImageItems()->Items(Index)->Description();
}

int TcxImageComboBoxLookupData::ItemCount() {
  TcxCustomImageComboBoxProperties* p = ImageProperties();
  return p ? p->ImageItems()->Count() : 0;
}

void TcxImageComboBoxLookupData::MatchTextToItemHook() {
  TcxCustomTextEdit* edit = OwnerEdit();
  TcxCustomImageComboBoxProperties* p = ImageProperties();
  if (!edit || !p || edit->LookupChangeFlag()) return;
  ChangeCurrentItem(p->IndexOfValue(edit->EditValue()));
}

// ---- the editor -------------------------------------------------------------------------------------------------------

TcxCustomImageComboBox::TcxCustomImageComboBox(TComponent* AOwner)
    : TcxCustomImageComboBox(AOwner, TcxCustomEditClasses{TcxCustomImageComboBoxProperties::StaticClass(),
                                                          TcxCustomComboBoxInnerEdit::StaticClass(),
                                                          EditDataBindingClassOf<TcxEditDataBinding>()}) {}

TcxCustomImageComboBox::TcxCustomImageComboBox(TComponent* AOwner, const TcxCustomEditClasses& Classes)
    : TcxCustomComboBox(AOwner, Classes) {}

Variant TcxCustomImageComboBox::EditingValue() {
  Variant value;
  ConvertDisplayToEditValue(Variant::Null(), value, true);
  return value;
}

void TcxCustomImageComboBox::ConvertDisplayToEditValue(const Variant&, Variant& Value, bool) {
  TcxCustomTextEditLookupData* lookup = LookupData();
  Value = LookupItemToValue(lookup ? lookup->CurrentItemKey() : -1);
}

Variant TcxCustomImageComboBox::LookupItemToValue(int Key) {
  TcxImageComboBoxItems* items = ActiveImageProperties()->ImageItems();
  if (Key < 0 || Key >= items->Count()) return Variant::Null();
  return items->Items(Key)->Value();
}

void TcxCustomImageComboBox::RefreshDrawnValue() {
  TcxCustomComboBox::RefreshDrawnValue();
  SetInnerEditValue(Variant(TextViewInfo()->Text));
}

void TcxCustomImageComboBox::RefreshDisplayText() {
  TcxCustomTextEditLookupData* lookup = LookupData();
  const int before = lookup ? lookup->CurrentItemKey() : -1;
  LockValueChanges(true);
  try {
    if (lookup) lookup->MatchTextToItem();
  } catch (...) {
    LockValueChanges(false);
    throw;
  }
  LockValueChanges(false);
  if (lookup && lookup->CurrentItemKey() != before) MarkModifiedAndChange();
  ClearFoundItemMark();
  RefreshDrawnValue();
}

void TcxCustomImageComboBox::PopupControlSize(TSize& Size) {
  TcxCustomComboBox::PopupControlSize(Size);
  auto* list = dynamic_cast<TcxImageComboBoxListBox*>(ListBox());
  if (ActiveImageProperties()->MultiLineText()) {
    Size.cx = 0;
    if (list) list->PrepareItemLayout();
  } else if (list) {
    Size.cx = std::max(Size.cx, static_cast<LONG>(list->PreferredListWidth()));
  }
}

// ---- TcxImageComboBox -----------------------------------------------------------------------------------------------

TcxImageComboBox::TcxImageComboBox(TComponent* AOwner)
    : TcxCustomImageComboBox(AOwner, TcxCustomEditClasses{TcxImageComboBoxProperties::StaticClass(),
                                                          TcxCustomComboBoxInnerEdit::StaticClass(),
                                                          EditDataBindingClassOf<TcxEditDataBinding>()}) {}

void TcxImageComboBox::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishWinControl(t);
  t.Redeclare("TabStop").SetDefault(true);
  using E = TcxImageComboBox;
  t.Add("AutoSize", &E::AutoSizeValue, &E::SetAutoSize).SetDefault(true);
  t.Add("EditValue", &E::EditValueOf, &E::SetEditValueOf);
  t.Add("ItemIndex", &E::ItemIndex, &E::SetItemIndex).Stored(false);
  t.Add("Properties", &E::Properties, &E::SetProperties);
  t.Add("Style", &E::Style, &E::SetStyle);
  t.Add("StyleDisabled", &E::StyleDisabled, &E::SetStyleDisabled);
  t.Add("StyleFocused", &E::StyleFocused, &E::SetStyleFocused);
  t.Add("StyleHot", &E::StyleHot, &E::SetStyleHot);
}

// ---- TcxFilterImageComboBoxHelper -------------------------------------------------------------------------------------

TcxFilterOperatorSet TcxFilterImageComboBoxHelper::SupportedFilterOperators(TcxCustomEditProperties*,
                                                                           TcxValueTypeClass, bool Extended) const {
  return Extended ? 0x6606 : 0x0606;
}

void TcxFilterImageComboBoxHelper::PrepareFilterProperties(TcxCustomEditProperties* Properties,
                                                           TcxCustomEditProperties* SourceProperties,
                                                           bool KeepButtons) const {
  TcxFilterComboBoxHelper::PrepareFilterProperties(Properties, SourceProperties, KeepButtons);
  auto* image = dynamic_cast<TcxCustomImageComboBoxProperties*>(Properties);
  if (!image) return;
  image->SetDropDownListStyle(lsFixedList);
  image->SetImmediateDropDown(true);
  image->SetShowDescriptions(true);
}

// ---- registration -----------------------------------------------------------------------------------------------------

void ImageComboBoxUnitStartup() {
  if (gUnitStarts++ > 0) return;
  RegisterClass(TcxImageComboBox::StaticClass());
  EditPropertiesClassRegistry()->AddClass(TcxImageComboBoxProperties::StaticClass(),
                                          GetLocalizedResString(cxLibraryStrings::scxSEditRepositoryImageComboBoxItem));
  FilterEditsControllerInstance()->AddHelper(TcxImageComboBoxProperties::StaticClass(),
                                             FilterEditHelperClass<TcxFilterImageComboBoxHelper>());
}

void ImageComboBoxUnitShutdown() {
  if (gUnitStarts == 0 || --gUnitStarts > 0) return;
  FilterEditsControllerInstance()->RemoveHelper(TcxImageComboBoxProperties::StaticClass(),
                                                FilterEditHelperClass<TcxFilterImageComboBoxHelper>());
  EditPropertiesClassRegistry()->RemoveClass(TcxImageComboBoxProperties::StaticClass());
}
