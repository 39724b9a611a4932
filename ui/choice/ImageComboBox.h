#pragma once
// The image combo box: a fixed list of items that pair a value of any type with a description and
// an image. The value is the chosen item's Value (compared loosely, so 1 matches "1"); the edit
// area shows the item's image from Images and, optionally, its description; the popup shows each
// item's image from LargeImages when there is one, its description on one line or wrapped.
#include <memory>

#include "platform/classes/ImageList.h"
#include "ui/choice/ImageComboBoxItems.h"
#include "ui/editors/ComboBox.h"

VW_ENUM(TcxImageAlign, iaLeft, iaRight)

class TcxCustomImageComboBoxProperties : public TcxCustomComboBoxProperties {
  VW_CLASS(TcxCustomImageComboBoxProperties, TcxCustomComboBoxProperties)
 public:
  explicit TcxCustomImageComboBoxProperties(TPersistent* AOwner);
  ~TcxCustomImageComboBoxProperties() override;

  void Assign(TPersistent* Source) override;

  // ---- values ----------------------------------------------------------------------------------------
  const String& DefaultDescription() const { return FDefaultDescription; }
  void SetDefaultDescription(const String& Value) { StoreAndSignal(FDefaultDescription, Value); }
  int DefaultImageIndex() const { return FDefaultImageIndex; }
  void SetDefaultImageIndex(int Value) { StoreAndSignal(FDefaultImageIndex, Value); }
  TcxImageAlign ImageAlign() const { return FImageAlign; }
  void SetImageAlign(TcxImageAlign Value) { StoreAndSignal(FImageAlign, Value); }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value) { LinkImages(FImages, FImagesLink.get(), Value); }
  TcxImageComboBoxItems* ImageItems() const { return FItems.get(); }
  void SetImageItems(TcxImageComboBoxItems* Value);
  TCustomImageList* LargeImages() const { return FLargeImages; }
  void SetLargeImages(TCustomImageList* Value) { LinkImages(FLargeImages, FLargeImagesLink.get(), Value); }
  bool MultiLineText() const { return FMultiLineText; }
  void SetMultiLineText(bool Value) { StoreAndSignal(FMultiLineText, Value); }
  bool ShowDescriptions() const { return FShowDescriptions; }
  void SetShowDescriptions(bool Value) { StoreAndSignal(FShowDescriptions, Value); }
  // The popup's images: the large ones when given.
  TCustomImageList* ListImages() const { return FLargeImages ? FLargeImages : FImages; }

  // ---- lookups ----------------------------------------------------------------------------------------
  TcxImageComboBoxItem* FindItemByValue(const Variant& Value) const;
  // Nil without descriptions shown; compared ignoring case.
  TcxImageComboBoxItem* FindItemByText(const String& Text) const;
  int IndexOfValue(const Variant& Value) const;
  // The item's description (the default one for nil) when ForceText or descriptions show, and its
  // image (the default one for nil).
  virtual void GetItemDisplay(TcxImageComboBoxItem* Item, String& Text, bool ForceText, int& ImageIndex);
  void DescribeValue(const Variant& Value, String& Text, int& ImageIndex);

  // ---- overrides ---------------------------------------------------------------------------------------
  void ComponentFreed(TComponent* AComponent) override;
  int SupportsDisplayFormat() override { return 0; }
  TcxCustomEditViewDataClass ViewDataClass() override;
  bool HasTextChangeEvents() override { return false; }
  TClass EditClass() override;
  TcxContainerViewInfoClass ViewInfoClass() override;
  bool EditValuesEqual(const Variant& V1, const Variant& V2) override;
  String ValueDisplayText(const Variant& Value) override;
  int SupportedOperations() override;
  bool IsEditValueValid(const Variant&) override { return true; }
  void ConvertToEditValue(const Variant& Value, Variant& DisplayValue, bool AEditing) override;
  int EditValueSource(bool) override { return 0; }
  bool FindLookupText(const String& Text) override { return FindItemByText(Text) != nullptr; }
  TClass LookupDataClass() override;

 protected:
  TcxCustomImageComboBoxProperties(TPersistent* AOwner, const TcxCustomEditPropertiesClasses& Classes);

 private:
  void Construct();
  template <class T>
  void StoreAndSignal(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    SignalChanged();
  }
  void LinkImages(TCustomImageList*& Field, TChangeLink* Link, TCustomImageList* Value);

  String FDefaultDescription;
  int FDefaultImageIndex = -1;
  TcxImageAlign FImageAlign = iaLeft;
  TCustomImageList* FImages = nullptr;
  TCustomImageList* FLargeImages = nullptr;
  std::unique_ptr<TChangeLink> FImagesLink;
  std::unique_ptr<TChangeLink> FLargeImagesLink;
  std::unique_ptr<TcxImageComboBoxItems> FItems;
  bool FMultiLineText = false;
  bool FShowDescriptions = true;
};

class TcxImageComboBoxProperties : public TcxCustomImageComboBoxProperties {
  VW_CLASS(TcxImageComboBoxProperties, TcxCustomImageComboBoxProperties)
 public:
  explicit TcxImageComboBoxProperties(TPersistent* AOwner) : TcxCustomImageComboBoxProperties(AOwner) {}
  static void DeclareProperties(TPropTable& t);

 private:
  TBitmap* ButtonGlyphValue() { return ButtonGlyph(); }
};

class TcxImageComboBoxViewInfo : public TcxCustomTextEditViewInfo {
  VW_CLASS(TcxImageComboBoxViewInfo, TcxCustomTextEditViewInfo)
 public:
  TRect PictureRect;
  bool ShowDescriptions = true;
  TcxImageAlign ImageAlign = iaLeft;
  int ImageIndex = -1;
  TCustomImageList* Images = nullptr;

  void ShiftBy(int DX, int DY) override;
  void PaintBody(TcxCanvas* ACanvas) override;
};

class TcxImageComboBoxViewData : public TcxCustomDropDownEditViewData {
  VW_CLASS(TcxImageComboBoxViewData, TcxCustomDropDownEditViewData)
 public:
  using TcxCustomDropDownEditViewData::TcxCustomDropDownEditViewData;

  TcxCustomImageComboBoxProperties* ImageProperties() const {
    return static_cast<TcxCustomImageComboBoxProperties*>(Properties);
  }

  bool DrawsAsComboBox() override;
  void EditValueToDisplayText(const Variant& Value, String& Text) override;
  void ButtonsMinimumHeight(TcxCanvas* ACanvas, TSize& Extent, TcxCustomEditViewInfo* AViewInfo, TSize& Minimum,
                            const TcxEditSizeProperties& Request) override;
  void CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton, TShiftState AShift,
                       TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void PrepareDisplayValue(TcxCanvas* ACanvas, const Variant& Value, TcxCustomEditViewInfo* AViewInfo) override;
  void ValueToDisplayText(const Variant& Value, TcxCustomTextEditViewInfo* AViewInfo) override;
};

// The popup list: images beside descriptions, rows as high as their wrapped text when asked, laid
// out again once a scroll bar narrows them.
class TcxImageComboBoxListBox : public TcxComboBoxListBox {
  VW_CLASS(TcxImageComboBoxListBox, TcxComboBoxListBox)
 public:
  explicit TcxImageComboBoxListBox(TComponent* AOwner);

  virtual int PreferredListWidth();

  int ItemHeightAt(int Index) override;
  int ItemWidthAt(int Index) override;
  void PrepareItemLayout() override;
  int RowsHeight(int Count) override;
  bool HasScrollBar() const { return FHasScrollBar; }

 protected:
  void DrawItem(int Index, win::RECT Rect, TOwnerDrawState State) override;

 private:
  TcxCustomImageComboBoxProperties* ImageProperties();
  int FUsableWidth = 0;
  bool FHasScrollBar = false;
};

class TcxImageComboBoxLookupData : public TcxComboBoxLookupData {
  VW_CLASS(TcxImageComboBoxLookupData, TcxComboBoxLookupData)
 public:
  explicit TcxImageComboBoxLookupData(TPersistent* AOwner) : TcxComboBoxLookupData(AOwner) {}

  String ItemDisplayText(int Index) override;
  int ItemCount() override;
  TClass ListBoxClass() override { return TcxImageComboBoxListBox::StaticClass(); }
  void MatchTextToItemHook() override;

 private:
  TcxCustomImageComboBoxProperties* ImageProperties() const;
};

class TcxCustomImageComboBox : public TcxCustomComboBox {
  VW_CLASS(TcxCustomImageComboBox, TcxCustomComboBox)
 public:
  explicit TcxCustomImageComboBox(TComponent* AOwner);

  TcxCustomImageComboBoxProperties* ActiveImageProperties() {
    return static_cast<TcxCustomImageComboBoxProperties*>(ActiveProperties());
  }

  // ---- overrides ---------------------------------------------------------------------------------------
  Variant EditingValue() override;
  bool IsKeyAcceptable(TChar Ch) override { return Ch >= 32; }
  void RefreshDisplayText() override;
  void RefreshDrawnValue() override;
  void ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool Focused) override;
  TObject* SelectedItemObject() override { return nullptr; }
  Variant LookupItemToValue(int Key) override;
  void PopupControlSize(TSize& Size) override;

 protected:
  TcxCustomImageComboBox(TComponent* AOwner, const TcxCustomEditClasses& Classes);
};

class TcxImageComboBox : public TcxCustomImageComboBox {
  VW_CLASS(TcxImageComboBox, TcxCustomImageComboBox)
 public:
  explicit TcxImageComboBox(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TcxImageComboBoxProperties* Properties() {
    return static_cast<TcxImageComboBoxProperties*>(TcxCustomEdit::Properties());
  }
  void SetProperties(TcxImageComboBoxProperties* Value) { Properties()->Assign(Value); }

 private:
  bool AutoSizeValue() const { return TcxCustomEdit::AutoSize(); }
  Variant EditValueOf() { return EditValue(); }
  void SetEditValueOf(const Variant& Value) { SetEditValue(Value); }
};

class TcxFilterImageComboBoxHelper : public TcxFilterComboBoxHelper {
  VW_CLASS(TcxFilterImageComboBoxHelper, TcxFilterComboBoxHelper)
 public:
  TcxFilterImageComboBoxHelper() = default;
  TClass FilterEditorClass() const override { return TcxImageComboBox::StaticClass(); }
  TcxFilterOperatorSet SupportedFilterOperators(TcxCustomEditProperties* Properties, TcxValueTypeClass ValueTypeClass,
                                                bool Extended) const override;
  void PrepareFilterProperties(TcxCustomEditProperties* Properties, TcxCustomEditProperties* SourceProperties,
                               bool KeepButtons) const override;
};

void ImageComboBoxUnitStartup();
void ImageComboBoxUnitShutdown();
