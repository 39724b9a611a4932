#pragma once
// The combo box: a drop-down editor whose popup lists its text items. Every drop-down list of the
// consoles is one; their code fills Properties.Items, reads the items and selects them by
// ItemIndex. DropDownListStyle decides whether the operator types freely (items complete what is
// typed), types only beginnings of items, or only picks items. The list shows DropDownRows rows
// (fewer for fewer items) as wide as the editor or its widest item, and a sizeable list snaps to
// whole rows while the user resizes it.
#include "ui/editors/ComboListMeasure.h"
#include "ui/editors/DropDownEdit.h"

class TcxCustomComboBox;

VW_ENUM(TcxEditDropDownListStyle, lsEditFixedList, lsEditList, lsFixedList)

using TcxEditDrawItemEvent = std::function<void(TcxCustomComboBox* AControl, TcxCanvas* ACanvas, int AIndex,
                                                const TRect& ARect, TOwnerDrawState AState)>;
using TcxEditMeasureItemEvent =
    std::function<void(TcxCustomComboBox* AControl, int AIndex, TcxCanvas* ACanvas, int& AHeight)>;

class TcxCustomComboBoxProperties : public TcxCustomDropDownEditProperties {
  VW_CLASS(TcxCustomComboBoxProperties, TcxCustomDropDownEditProperties)
 public:
  explicit TcxCustomComboBoxProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  // ---- values ----------------------------------------------------------------------------------------
  TcxEditDropDownListStyle DropDownListStyle() const { return FDropDownListStyle; }
  void SetDropDownListStyle(TcxEditDropDownListStyle Value);
  int DropDownRows() const { return FDropDownRows; }
  // Values below 1 are ignored.
  void SetDropDownRows(int Value);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);
  bool Revertable() const { return FRevertable; }
  void SetRevertable(bool Value) { FRevertable = Value; }
  TStringList* Items() const { return LookupItems(); }
  void SetItems(TStrings* Value) { SetLookupItems(Value); }
  bool Sorted() const { return LookupItemsSorted(); }
  void SetSorted(bool Value) { SetLookupItemsSorted(Value); }
  bool DropDownAutoWidth() const { return PopupAutoSize(); }
  void SetDropDownAutoWidth(bool Value) { SetPopupAutoSize(Value); }
  bool DropDownSizeable() const { return PopupSizeable(); }
  void SetDropDownSizeable(bool Value) { SetPopupSizeable(Value); }
  int DropDownWidth() const { return PopupWidth(); }
  void SetDropDownWidth(int Value) { SetPopupWidth(Value); }

  TcxEditDrawItemEvent OnDrawItem;
  TcxEditMeasureItemEvent OnMeasureItem;

  // ---- overrides ---------------------------------------------------------------------------------------
  TClass EditClass() override;
  TcxCustomEditViewDataClass ViewDataClass() override;
  TcxContainerViewInfoClass ViewInfoClass() override;
  bool IsFixedList() override { return FDropDownListStyle == lsFixedList; }
  int DropDownRowCount() override { return FDropDownRows; }
  TcxEditTypingMode TypingMode() override;
  TClass LookupDataClass() override;
  TcxEditPopupWindowClass PopupWindowClass() override;
  bool UsesLookupItems() override { return true; }

 protected:
  TcxCustomComboBoxProperties(TPersistent* AOwner, const TcxCustomEditPropertiesClasses& Classes);

 private:
  TcxEditDropDownListStyle FDropDownListStyle = lsEditList;
  int FDropDownRows = 8;
  int FItemHeight = 0;
  bool FRevertable = false;
};

class TcxComboBoxProperties : public TcxCustomComboBoxProperties {
  VW_CLASS(TcxComboBoxProperties, TcxCustomComboBoxProperties)
 public:
  explicit TcxComboBoxProperties(TPersistent* AOwner) : TcxCustomComboBoxProperties(AOwner) {}
  static void DeclareProperties(TPropTable& t);

 private:
  bool MaxLengthStored() { return TextAssignedValues()->MaxLength(); }
  TBitmap* ButtonGlyphValue() { return ButtonGlyph(); }
};

// The list of the combo box's popup: rows measured and drawn by the owner's handlers when it has
// them, a selection set by code or keys that a resting mouse does not take over, and a release of
// the left button over a row that picks it.
class TcxCustomComboBoxListBox : public TcxCustomEditListBox {
  VW_CLASS(TcxCustomComboBoxListBox, TcxCustomEditListBox)
 public:
  explicit TcxCustomComboBoxListBox(TComponent* AOwner);

  // Nil while the list belongs to no combo box's popup.
  TcxCustomComboBox* OwnerComboBox();

  int ItemHeightAt(int Index) override;
  void PrepareItemLayout() override;
  int RowsHeight(int Count) override;
  bool CustomDrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
  String ItemText(int Index) override;
  void SetItemIndex(int Value) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void MeasureItem(int Index, int& Height) override { Height = ItemHeightAt(Index); }
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Resize() override;
  void WndProc(TMessage& Message) override;

 private:
  bool FTracking = false;
};

class TcxComboBoxListBox : public TcxCustomComboBoxListBox {
  VW_CLASS(TcxComboBoxListBox, TcxCustomComboBoxListBox)
 public:
  explicit TcxComboBoxListBox(TComponent* AOwner) : TcxCustomComboBoxListBox(AOwner) {}
};

// The combo box's lookup data: the current item is the index in Items; it measures its list for
// the popup and snaps a size the user asks for to whole rows.
class TcxComboBoxLookupData : public TcxCustomTextEditLookupData {
  VW_CLASS(TcxComboBoxLookupData, TcxCustomTextEditLookupData)
 public:
  explicit TcxComboBoxLookupData(TPersistent* AOwner) : TcxCustomTextEditLookupData(AOwner) {}

  TClass ListBoxClass() override { return TcxComboBoxListBox::StaticClass(); }
  // The content size for at most DropDownRows rows; a Max of 0 or less leaves that side free.
  TSize MeasureList(int MaxHeight, int MaxWidth);
  // Snaps Size to whole rows; always accepts.
  bool FitListToSize(TSize& Size, int MaxHeight, int MaxWidth);
  void PrepareListBoxHook(TComponent* AOwner) override;
  TSize MeasureListHook() override { return MeasureList(0, 0); }
  bool FitListToSizeHook(const TSize& Request) override;

 private:
  TcxComboListMetrics ListMetrics();
  int FHorzExtent = 0;
};

class TcxCustomComboBoxViewData : public TcxCustomDropDownEditViewData {
  VW_CLASS(TcxCustomComboBoxViewData, TcxCustomDropDownEditViewData)
 public:
  using TcxCustomDropDownEditViewData::TcxCustomDropDownEditViewData;

  TcxCustomComboBoxProperties* ComboProperties() const { return static_cast<TcxCustomComboBoxProperties*>(Properties); }

  bool DrawsAsComboBox() override { return true; }
  void CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton, TShiftState AShift,
                       TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void PrepareDisplayValue(TcxCanvas* ACanvas, const Variant& Value, TcxCustomEditViewInfo* AViewInfo) override;
};

// Paints the selected item of a fixed-list combo box through OnDrawItem.
class TcxCustomComboBoxViewInfo : public TcxCustomTextEditViewInfo {
  VW_CLASS(TcxCustomComboBoxViewInfo, TcxCustomTextEditViewInfo)
 public:
  TcxCustomComboBoxViewInfo();

  int ItemIndex = -1;

 private:
  void DrawOwnerItem(TcxCanvas* ACanvas, const TRect& R);
};

// The combo box's edit box: releasing the button never makes a click.
class TcxCustomComboBoxInnerEdit : public TcxCustomDropDownInnerEdit {
  VW_CLASS(TcxCustomComboBoxInnerEdit, TcxCustomDropDownInnerEdit)
 public:
  explicit TcxCustomComboBoxInnerEdit(TComponent* AOwner) : TcxCustomDropDownInnerEdit(AOwner) {}

 protected:
  void WndProc(TMessage& Message) override;
};

class TcxCustomComboBox : public TcxCustomDropDownEdit {
  VW_CLASS(TcxCustomComboBox, TcxCustomDropDownEdit)
 public:
  explicit TcxCustomComboBox(TComponent* AOwner);

  TcxCustomComboBoxProperties* ActiveComboProperties() {
    return static_cast<TcxCustomComboBoxProperties*>(ActiveProperties());
  }
  TcxComboBoxLookupData* LookupDataObject() { return static_cast<TcxComboBoxLookupData*>(LookupData()); }
  TcxCustomComboBoxListBox* ListBox();

  // ---- the owner's item handlers: the own properties' first, then the repository item's ----------
  void FireMeasureItem(int AIndex, TcxCanvas* ACanvas, int& AHeight);
  bool HasMeasureItemHandler();
  void FireDrawItem(TcxCanvas* ACanvas, int AIndex, const TRect& ARect, TOwnerDrawState AState);
  bool HasDrawItemHandler();
  // Whether a change of the value should select the item its text names.
  virtual bool ShouldMatchTextToItem();

  // ---- overrides ---------------------------------------------------------------------------------------
  bool HasPopupContent() override;
  void PopupControlSize(TSize& Size) override;
  void PreparePopup() override;
  void FitPopupContent(const TRect& ClientRect) override;
  void ShowPopupWindow() override;
  bool FitPopupListToSize(TSize& Size, int MaxHeight, int MaxWidth) override;
  bool AllowsFreeTyping() override;
  void HandleDataChanged() override;
  void InitializeEditor() override;
  void ActivateInplace(TcxCustomEditData*& AEditData) override;
  void DblClick() override;
  virtual void HandleDblClick();

 protected:
  TcxCustomComboBox(TComponent* AOwner, const TcxCustomEditClasses& Classes);

  void PopupWindowShown(TObject* Sender) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void WndProc(TMessage& Message) override;

 private:
  void Construct();
};

// The published combo box.
class TcxComboBox : public TcxCustomComboBox {
  VW_CLASS(TcxComboBox, TcxCustomComboBox)
 public:
  explicit TcxComboBox(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TcxComboBoxProperties* Properties() { return static_cast<TcxComboBoxProperties*>(TcxCustomEdit::Properties()); }
  void SetProperties(TcxComboBoxProperties* Value) { Properties()->Assign(Value); }
  bool InplaceTextQuery() override { return AllowsFreeTyping(); }

};

// A combo box as the filter row's value editor.
class TcxFilterComboBoxHelper : public TcxFilterMaskEditHelper {
  VW_CLASS(TcxFilterComboBoxHelper, TcxFilterMaskEditHelper)
 public:
  TcxFilterComboBoxHelper() = default;
  TClass FilterEditorClass() const override { return TcxComboBox::StaticClass(); }
  void PrepareFilterProperties(TcxCustomEditProperties* Properties, TcxCustomEditProperties* SourceProperties,
                               bool KeepButtons) const override;
};

// Registers the combo box's and the popup editor's properties and the combo box's filter helper;
// counted, so every start-up needs its shutdown.
void ComboBoxUnitStartup();
void ComboBoxUnitShutdown();
