#pragma once
// The colour combo box: a fixed-list combo box whose items are colours. Its list is the most
// recently chosen colours (MRU) followed by ColorList, which holds the application's custom
// colours and then a prepared colour set; each row shows a colour box and the colour's name by
// the naming convention (or its own description). The value is the TColor integer (ColorValue);
// typed text that reads as a colour selects it, or adds it as a custom colour. The subtitle
// settings clear ColorList and fill it with their own eighteen colours.
#include <memory>

#include "platform/classes/Dialogs.h"
#include "ui/choice/ColorComboBoxItems.h"
#include "ui/editors/ComboBox.h"

class TcxCustomColorComboBox;

VW_ENUM(TcxColorBoxAlign, cbaLeft, cbaRight)
VW_ENUM(TcxColorComboStyle, cxccsComboList, cxccsComboEdit)
VW_ENUM(TcxColorDialogType, cxcdtDefault, cxcdtCustom)

using TcxGetDefaultColorEvent = std::function<void(TObject* Sender, TColor& AColor)>;
using TcxNamingConventionEvent =
    std::function<void(TObject* Sender, const TColor AColor, String& AColorDescription)>;
using TcxSelectCustomColorEvent =
    std::function<void(TObject* Sender, TColor& AColor, String& AColorDescription, bool& AddToList)>;

class TcxCustomColorComboBoxProperties : public TcxCustomComboBoxProperties {
  VW_CLASS(TcxCustomColorComboBoxProperties, TcxCustomComboBoxProperties)
 public:
  explicit TcxCustomColorComboBoxProperties(TPersistent* AOwner);
  ~TcxCustomColorComboBoxProperties() override;

  void Assign(TPersistent* Source) override;

  // ---- the lists ----------------------------------------------------------------------------------------
  TcxColorComboBoxItems* ColorList() const { return FColorList.get(); }
  TcxColorComboBoxItems* CustomColors() const { return FCustomColors.get(); }
  void SetCustomColors(TcxColorComboBoxItems* Value) { FCustomColors->Assign(Value); }
  TcxColorComboBoxItems* RecentColorList() const { return FRecentColorList.get(); }

  // ---- values ----------------------------------------------------------------------------------------
  bool AllowSelectColor() const { return FAllowSelectColor; }
  void SetAllowSelectColor(bool Value);
  TcxColorBoxAlign ColorBoxAlign() const { return FColorBoxAlign; }
  void SetColorBoxAlign(TcxColorBoxAlign Value) { StoreAndSignal(FColorBoxAlign, Value); }
  TColor ColorBoxFrameColor() const { return FColorBoxFrameColor; }
  void SetColorBoxFrameColor(TColor Value) { StoreAndSignal(FColorBoxFrameColor, Value); }
  int ColorBoxWidth() const { return FColorBoxWidth; }
  // Negative widths are stored as 0.
  void SetColorBoxWidth(int Value) { StoreAndSignal(FColorBoxWidth, Value < 0 ? 0 : Value); }
  TcxColorComboStyle ColorComboStyle() const { return FColorComboStyle; }
  void SetColorComboStyle(TcxColorComboStyle Value) { StoreAndSignal(FColorComboStyle, Value); }
  TcxColorDialogType ColorDialogType() const { return FColorDialogType; }
  void SetColorDialogType(TcxColorDialogType Value) { FColorDialogType = Value; }
  TcxColorValueFormat ColorValueFormat() const { return FColorValueFormat; }
  void SetColorValueFormat(TcxColorValueFormat Value) { StoreAndSignal(FColorValueFormat, Value); }
  TColor DefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(TColor Value) { StoreAndSignal(FDefaultColor, Value); }
  TcxDefaultColorStyle DefaultColorStyle() const { return FDefaultColorStyle; }
  void SetDefaultColorStyle(TcxDefaultColorStyle Value) { StoreAndSignal(FDefaultColorStyle, Value); }
  const String& DefaultDescription() const { return FDefaultDescription; }
  void SetDefaultDescription(const String& Value) { StoreAndSignal(FDefaultDescription, Value); }
  int MaxMRUColors() const { return FMaxMRUColors; }
  // Lowering it drops the oldest entries at once.
  void SetMaxMRUColors(int Value);
  TcxColorNamingConvention NamingConvention() const { return FNamingConvention; }
  void SetNamingConvention(TcxColorNamingConvention Value) { StoreAndSignal(FNamingConvention, Value); }
  TcxColorPrepareList PrepareList() const { return FPrepareList; }
  // A new set; custom colours and the MRU colours it still lists stay.
  void SetPrepareList(TcxColorPrepareList Value);
  bool ShowDescriptions() const { return FShowDescriptions; }
  void SetShowDescriptions(bool Value) { StoreAndSignal(FShowDescriptions, Value); }

  TNotifyEvent OnAddedMRUColor;
  TNotifyEvent OnDeletedMRUColor;
  TcxGetDefaultColorEvent OnGetDefaultColor;
  TcxNamingConventionEvent OnNamingConvention;
  TcxSelectCustomColorEvent OnSelectCustomColor;
  // The editors hooked to these properties hear that the list was refilled.
  TNotifyEvent ColorListLoaded;

  // ---- virtual operations, in slot order -------------------------------------------------------------
  virtual int ReservedColorQuery() { return 0; }
  // 0: nothing changed; 1: moved to the head; 2: added at the head.
  virtual int AddMRUColor(TColor AColor);
  // 3 when the colour's entry went, 0 otherwise.
  virtual int DeleteMRUColor(TColor AColor);
  virtual void ClearMRUColors();
  virtual void GetDefaultColor(TColor& AColor);

  // ---- the combined list: MRU entries, then ColorList ---------------------------------------------
  int CombinedCount() const { return FRecentColorList->Count() + FColorList->Count(); }
  TcxColorComboBoxItem* CombinedItem(int Index) const;
  TColor ColorByCombinedIndex(int Index) const;
  int IndexOfCombinedColor(TColor AColor) const;
  // -1 for Null, empty and texts that read as no colour.
  int IndexOfValue(const Variant& Value) const;
  String CombinedItemText(int Index);
  // Text and colour a value shows; ForDisplay honours ShowDescriptions for a listed value.
  void GetColorDisplayText(const Variant& Value, TColor& AColor, bool ForDisplay, String& Text);
  // Whether the value shows a listed colour, with its text and colour.
  void ResolveColorValue(int Index, const Variant& Value, bool& Found, String& Text, TColor& AColor);

  void PrepareColorList(TcxColorPrepareList Set, bool KeepCustom, bool KeepMRU);
  void SyncCustomColors();
  void TrimMRUColors();

  // ---- overrides ---------------------------------------------------------------------------------------
  TClass EditClass() override;
  TcxCustomEditViewDataClass ViewDataClass() override;
  TcxContainerViewInfoClass ViewInfoClass() override;
  TClass LookupDataClass() override;
  TcxEditPopupWindowClass PopupWindowClass() override;
  bool HasTextChangeEvents() override { return false; }
  void AssignItemsFrom(TcxCustomEditProperties* Source) override;
  bool EditValuesEqual(const Variant& V1, const Variant& V2) override;
  String ValueDisplayText(const Variant& Value) override;
  int SupportedOperations() override;
  void ConvertToEditValue(const Variant& Value, Variant& DisplayValue, bool AEditing) override;
  int EditValueSource(bool) override { return 0; }
  bool IsValueNumeric() override { return true; }
  bool AcceptsDisplayText(Variant&, bool) override { return true; }
  void DefineProperties(TFiler* Filer) override;

 protected:
  TcxCustomColorComboBoxProperties(TPersistent* AOwner, const TcxCustomEditPropertiesClasses& Classes);

 private:
  void Construct();
  template <class T>
  void StoreAndSignal(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    SignalChanged();
  }
  void DropUnlistedMRUColors();
  void FireDeletedMRUColor() {
    if (OnDeletedMRUColor) OnDeletedMRUColor(this);
  }
  bool DefaultDescriptionStored() const;

  std::unique_ptr<TcxColorComboBoxItems> FColorList;
  std::unique_ptr<TcxColorComboBoxItems> FCustomColors;
  std::unique_ptr<TcxColorComboBoxItems> FRecentColorList;
  bool FAllowSelectColor = false;
  TcxColorBoxAlign FColorBoxAlign = cbaLeft;
  TColor FColorBoxFrameColor = clBtnShadow;
  int FColorBoxWidth = 30;
  TcxColorComboStyle FColorComboStyle = cxccsComboEdit;
  TcxColorDialogType FColorDialogType = cxcdtDefault;
  TcxColorValueFormat FColorValueFormat = cxcvRGB;
  TColor FDefaultColor = clWindow;
  TcxDefaultColorStyle FDefaultColorStyle = cxdcColor;
  String FDefaultDescription;
  int FMaxMRUColors = 10;
  TcxColorNamingConvention FNamingConvention = cxncVintor;
  TcxColorPrepareList FPrepareList = cxplNone;
  bool FShowDescriptions = true;

  friend class TcxColorComboBoxProperties;
};

class TcxColorComboBoxProperties : public TcxCustomColorComboBoxProperties {
  VW_CLASS(TcxColorComboBoxProperties, TcxCustomColorComboBoxProperties)
 public:
  explicit TcxColorComboBoxProperties(TPersistent* AOwner) : TcxCustomColorComboBoxProperties(AOwner) {}
  static void DeclareProperties(TPropTable& t);

 private:
  TBitmap* ButtonGlyphValue() { return ButtonGlyph(); }
};

class TcxCustomColorComboBoxViewInfo : public TcxCustomTextEditViewInfo {
  VW_CLASS(TcxCustomColorComboBoxViewInfo, TcxCustomTextEditViewInfo)
 public:
  TColor BkColor = clWindow;
  int ColorBoxWidth = 30;
  TcxColorBoxAlign ColorBoxAlign = cbaLeft;
  TRect SwatchRect;
  TColor ColorBoxFrameColor = clBtnShadow;
  TColor SwatchColor = clWindow;
  bool ShowDescriptions = true;
  TcxDefaultColorStyle DefaultColorStyle = cxdcColor;
  bool ValueListed = false;

  void ShiftBy(int DX, int DY) override;
  void PaintBody(TcxCanvas* ACanvas) override;
};

class TcxCustomColorComboBoxViewData : public TcxCustomDropDownEditViewData {
  VW_CLASS(TcxCustomColorComboBoxViewData, TcxCustomDropDownEditViewData)
 public:
  using TcxCustomDropDownEditViewData::TcxCustomDropDownEditViewData;

  TcxCustomColorComboBoxProperties* ColorProperties() const {
    return static_cast<TcxCustomColorComboBoxProperties*>(Properties);
  }

  virtual void LoadColorBoxProperties(TcxCustomColorComboBoxViewInfo* AViewInfo);

  bool DrawsAsComboBox() override { return true; }
  void EditValueToDisplayText(const Variant& Value, String& Text) override;
  void ButtonsMinimumHeight(TcxCanvas* ACanvas, TSize& Extent, TcxCustomEditViewInfo* AViewInfo, TSize& Minimum,
                            const TcxEditSizeProperties& Request) override;
  void CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton, TShiftState AShift,
                       TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void PrepareDisplayValue(TcxCanvas* ACanvas, const Variant& Value, TcxCustomEditViewInfo* AViewInfo) override;
  void ValueToDisplayText(const Variant& Value, TcxCustomTextEditViewInfo* AViewInfo) override;

 private:
  void StoreResolvedValue(int Index, const Variant& Value, TcxCustomTextEditViewInfo* AViewInfo);
};

// The popup list: a colour box and the colour's text per row, and a double line under the last
// MRU entry.
class TcxCustomColorComboBoxListBox : public TcxCustomComboBoxListBox {
  VW_CLASS(TcxCustomColorComboBoxListBox, TcxCustomComboBoxListBox)
 public:
  explicit TcxCustomColorComboBoxListBox(TComponent* AOwner) : TcxCustomComboBoxListBox(AOwner) {}

  int ItemHeightAt(int Index) override;

 protected:
  void DrawItem(int Index, win::RECT Rect, TOwnerDrawState State) override;

 private:
  TcxCustomColorComboBoxProperties* ColorProperties();
};

class TcxColorComboBoxLookupData : public TcxComboBoxLookupData {
  VW_CLASS(TcxColorComboBoxLookupData, TcxComboBoxLookupData)
 public:
  explicit TcxColorComboBoxLookupData(TPersistent* AOwner) : TcxComboBoxLookupData(AOwner) {}

  // Keeps the current item when it lies above the last MRU entry; otherwise the colour's MRU row.
  virtual int ReselectMRUColor(TColor AColor);

  String ItemDisplayText(int Index) override;
  int ItemCount() override;
  TClass ListBoxClass() override { return TcxCustomColorComboBoxListBox::StaticClass(); }
  TSize MeasureListHook() override;
  void MatchTextToItemHook() override;

 private:
  TcxCustomColorComboBoxProperties* ColorProperties() const;
};

class TcxCustomColorComboBoxInnerEdit : public TcxCustomComboBoxInnerEdit {
  VW_CLASS(TcxCustomColorComboBoxInnerEdit, TcxCustomComboBoxInnerEdit)
 public:
  explicit TcxCustomColorComboBoxInnerEdit(TComponent* AOwner) : TcxCustomComboBoxInnerEdit(AOwner) {}
};

class TcxColorComboBoxPopupWindow : public TcxComboBoxPopupWindow {
  VW_CLASS(TcxColorComboBoxPopupWindow, TcxComboBoxPopupWindow)
 public:
  using TcxComboBoxPopupWindow::TcxComboBoxPopupWindow;
};

class TcxCustomColorComboBox : public TcxCustomComboBox {
  VW_CLASS(TcxCustomColorComboBox, TcxCustomComboBox)
 public:
  explicit TcxCustomColorComboBox(TComponent* AOwner);
  ~TcxCustomColorComboBox() override;

  TcxCustomColorComboBoxProperties* ActiveColorProperties() {
    return static_cast<TcxCustomColorComboBoxProperties*>(ActiveProperties());
  }
  TcxColorComboBoxLookupData* ColorLookupData() { return static_cast<TcxColorComboBoxLookupData*>(LookupData()); }

  // The colour the editor shows.
  TColor ColorValue();
  void SetColorValue(TColor Value);
  // Runs the colour dialog through the ellipsis button; replaceable by tests.
  TColorDialog* ColorDialog();

  // ---- virtual operations, in slot order -------------------------------------------------------------
  virtual void SelectColor(TColor AColor, const String& ADescription, bool AddToList);
  virtual void UpdateMRUColor(TColor AColor);
  virtual void ClearColorValue();
  virtual void SelectColorByDialog();

  // ---- overrides ---------------------------------------------------------------------------------------
  void EndPostEditValue() override;
  void FireButtonClick(int Index) override;
  void InitializeEditor() override;
  void InternalSetEditValue(const Variant& Value, bool ValidateValue) override;
  bool IsKeyAcceptable(TChar Ch) override;
  void PropertiesChanged(TObject* Sender) override;
  void RefreshDisplayText() override;
  bool CheckEditValue() override;
  bool IsOwnWindow(win::HWND Wnd) override;
  void ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool Focused) override;
  Variant LookupItemToValue(int Key) override;
  void CloseDropDown(TcxPopupCloseReason Reason) override;
  bool IsFocusedNow() override { return FDialogShowing || TcxCustomComboBox::IsFocusedNow(); }

 protected:
  TcxCustomColorComboBox(TComponent* AOwner, const TcxCustomEditClasses& Classes);

 private:
  void ResetAfterListLoad(TObject* Sender);
  void ApplyAcceptedSelection();
  void HookListLoaded();

  std::unique_ptr<TColorDialog> FColorDialog;
  bool FDialogShowing = false;
  bool FMRUUpdateRequested = false;
  bool FSelectionAccepted = false;
  bool FInPropertiesChanged = false;
};

class TcxColorComboBox : public TcxCustomColorComboBox {
  VW_CLASS(TcxColorComboBox, TcxCustomColorComboBox)
 public:
  explicit TcxColorComboBox(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TcxColorComboBoxProperties* Properties() {
    return static_cast<TcxColorComboBoxProperties*>(TcxCustomEdit::Properties());
  }
  void SetProperties(TcxColorComboBoxProperties* Value) { Properties()->Assign(Value); }

 private:
  bool AutoSizeValue() const { return TcxCustomEdit::AutoSize(); }
  TColor ColorValueOf() { return ColorValue(); }
  bool ColorValueStored() { return ColorValue() != ActiveColorProperties()->DefaultColor(); }
};

// A colour combo box as the filter row's value editor: a fixed list.
class TcxFilterColorComboBoxHelper : public TcxFilterComboBoxHelper {
  VW_CLASS(TcxFilterColorComboBoxHelper, TcxFilterComboBoxHelper)
 public:
  TcxFilterColorComboBoxHelper() = default;
  TClass FilterEditorClass() const override { return TcxColorComboBox::StaticClass(); }
  TcxFilterOperatorSet SupportedFilterOperators(TcxCustomEditProperties* Properties, TcxValueTypeClass ValueTypeClass,
                                                bool Extended) const override;
  void PrepareFilterProperties(TcxCustomEditProperties* Properties, TcxCustomEditProperties* SourceProperties,
                               bool KeepButtons) const override;
};

void ColorComboBoxUnitStartup();
void ColorComboBoxUnitShutdown();
