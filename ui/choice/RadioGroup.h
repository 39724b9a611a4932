#pragma once
// The radio group: a choice among items, each a radio button inside a group box; its edit value is
// the chosen item's value (or its caption when the value is Null), read and written as ItemIndex.
// The child buttons do the checking and the focus; the group turns a checked button into its value
// with the editor's events (OnEditing, OnClick, OnChange, OnEditValueChanged), and back.
#include "ui/choice/ButtonGroup.h"
#include "ui/choice/RadioButton.h"
#include "ui/editors/ComboBox.h"

class TcxCustomRadioGroup;

class TcxCustomRadioGroupProperties : public TcxCustomButtonGroupProperties {
  VW_CLASS(TcxCustomRadioGroupProperties, TcxCustomButtonGroupProperties)
 public:
  explicit TcxCustomRadioGroupProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  const String& DefaultCaption() const { return FDefaultCaption; }
  void SetDefaultCaption(const String& Value) { FDefaultCaption = Value; }
  const Variant& DefaultValue() const { return FDefaultValue; }
  void SetDefaultValue(const Variant& Value);
  TcxRadioGroupItems* Items() const { return static_cast<TcxRadioGroupItems*>(TcxCustomButtonGroupProperties::Items()); }
  void SetItems(TcxRadioGroupItems* Value) { Items()->Assign(Value); }
  int IndexOfValue(const Variant& Value) const { return Items()->IndexOfValue(Value); }

  // ---- overrides ------------------------------------------------------------------------------------
  TcxButtonGroupItems* CreateItems() override;
  // Not balanced: 5 items with Columns 4 give 4 columns, the last empty.
  int ColumnCount() override { return UnbalancedColumnCount(Columns(), Items()->Count()); }
  bool EditValuesEqual(const Variant& V1, const Variant& V2) override { return IndexOfValue(V1) == IndexOfValue(V2); }
  bool CanCompareEditValues() override { return true; }
  bool HasTextChangeEvents() override { return true; }
  bool CanRevertEditValue() override { return true; }
  String ValueDisplayText(const Variant& Value) override;
  // The item index of the value, as an integer.
  void ConvertToEditValue(const Variant& DisplayValue, Variant& EditValue, bool AEditing) override;
  int SupportedOperations() override { return TcxCustomButtonGroupProperties::SupportedOperations() | 0x210; }
  TClass EditClass() override;
  TcxCustomEditViewDataClass ViewDataClass() override;
  TcxContainerViewInfoClass ViewInfoClass() override;

 protected:
  bool DefaultCaptionStored() const;
  bool DefaultValueStored() const { return !VarIsNull(FDefaultValue); }

 private:
  String FDefaultCaption;
  Variant FDefaultValue = Variant::Null();
};

class TcxRadioGroupProperties : public TcxCustomRadioGroupProperties {
  VW_CLASS(TcxRadioGroupProperties, TcxCustomRadioGroupProperties)
 public:
  explicit TcxRadioGroupProperties(TPersistent* AOwner) : TcxCustomRadioGroupProperties(AOwner) {}
  static void DeclareProperties(TPropTable& t);

 private:
  TcxCustomEditPropertiesValues* AssignedValuesValue() const { return AssignedValues(); }
};

// One item drawn directly: its glyph one pixel further right unless drawn by the theme.
class TcxRadioGroupButtonViewInfo : public TcxGroupBoxButtonViewInfo {
  VW_CLASS(TcxRadioGroupButtonViewInfo, TcxGroupBoxButtonViewInfo)
 public:
  void GlyphBounds(TcxCanvas* ACanvas, const TSize& GlyphSize, TAlignment Alignment, bool PaintingDirectly,
                   TRect& R) override;
};

class TcxCustomRadioGroupViewInfo : public TcxButtonGroupViewInfo {
  VW_CLASS(TcxCustomRadioGroupViewInfo, TcxButtonGroupViewInfo)
 public:
  // The item drawn checked.
  int CheckedItemIndex = -1;

  void DrawButtonCaption(TcxCanvas* ACanvas, TcxGroupBoxButtonViewInfo* AItem, const TRect& GlyphRect) override;
  void DrawButtonGlyph(TcxCanvas* ACanvas, TcxGroupBoxButtonViewInfo* AItem, const TRect& GlyphRect) override;
  bool IsButtonGlyphTransparent(TcxGroupBoxButtonViewInfo* AItem) override;
  TcxEditButtonViewInfoClass EditButtonViewInfoClass() override;
};

class TcxCustomRadioGroupViewData : public TcxButtonGroupViewData {
  VW_CLASS(TcxCustomRadioGroupViewData, TcxButtonGroupViewData)
 public:
  using TcxButtonGroupViewData::TcxButtonGroupViewData;

  TcxCustomRadioGroupProperties* RadioProperties() const {
    return static_cast<TcxCustomRadioGroupProperties*>(Properties);
  }

  void GetButtonMetrics(bool HasWidth, TcxCanvas* ACanvas, TcxButtonGroupMetrics& Metrics) override;
  void CalculateButtonNativeState(TcxButtonGroupViewInfo* AViewInfo, TcxGroupBoxButtonViewInfo* AItem) override;
  void CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton, TShiftState AShift,
                       TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void PrepareDisplayValue(TcxCanvas* ACanvas, const Variant& Value, TcxCustomEditViewInfo* AViewInfo) override;

 private:
  // The painter of the item glyphs: the look-and-feel's for the button theme.
  TcxCustomLookAndFeelPainterClass GlyphPainter() const;
};

// An item's radio button: a radio button owned by the group that asks the group before it checks
// itself and tells the group when it did.
class TcxCustomRadioGroupButton : public TcxRadioButton, public IcxContainerInnerControl {
  VW_CLASS(TcxCustomRadioGroupButton, TcxRadioButton)
 public:
  explicit TcxCustomRadioGroupButton(TcxCustomRadioGroup* AOwner);
  ~TcxCustomRadioGroupButton() override;

  TcxCustomRadioGroup* RadioGroup() const { return FGroup; }
  // Set while the group checks or unchecks the button itself.
  bool InternalSetting = false;
  bool MouseDownInProgress() const { return FMouseDownInProgress; }
  void PlaceInGrid(int Column, int Row) { SetGridPlace(Column, Row); }

  // IcxContainerInnerControl
  TcxContainer* ControlContainer() override;
  TWinControl* InnerControl() override { return this; }

  bool CanFocus() override;
  void Click() override;

 protected:
  bool IsInplace() override;
  bool UsesParentBackground() override;
  bool IsNativeStyle() override;
  bool IsTransparentDrawing() override;
  bool IsBackgroundTransparent() override;
  void DrawBackground() override;
  void PaintButton(bool FocusOnly) override;
  TFont* CaptionFont() override;
  TColor CaptionTextColor() override;
  bool IsGroupItem() override { return true; }

  void SetChecked(bool Value) override;
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void DoEnter() override;
  void DoExit() override;
  void KeyPress(TChar& Key) override;

 private:
  void HandleCommand(TMessage& Message);

  TcxCustomRadioGroup* FGroup;
  bool FMouseDownInProgress = false;
  bool FInCommand = false;
};

class TcxCustomRadioGroup : public TcxCustomButtonGroup {
  VW_CLASS(TcxCustomRadioGroup, TcxCustomButtonGroup)
 public:
  explicit TcxCustomRadioGroup(TComponent* AOwner);
  ~TcxCustomRadioGroup() override;

  TcxCustomRadioGroupProperties* RadioProperties() const {
    return static_cast<TcxCustomRadioGroupProperties*>(Properties());
  }
  TcxCustomRadioGroupProperties* ActiveRadioProperties() {
    return static_cast<TcxCustomRadioGroupProperties*>(ActiveProperties());
  }
  TcxCustomRadioGroupButton* RadioButton(int Index) const {
    return static_cast<TcxCustomRadioGroupButton*>(Button(Index));
  }

  // While loading or designing the stored index; else the checked button's, -1 when none.
  int ItemIndex();
  // Clamped to -1 .. the last button; only stored while loading.
  void SetItemIndex(int Value);
  int CheckedButtonIndex();
  int StoredItemIndex() const { return FStoredItemIndex; }
  bool PaintingCopy() const { return FPaintingCopy; }
  void SetPaintingCopy(bool Value) { FPaintingCopy = Value; }
  bool ButtonsAreNative();
  void SetDragModeOfAll(TDragMode Value);
  void SetDragKindOfAll(TDragKind Value);
  void SetParentBackgroundOfAll(bool Value);
  // A button checked itself (by the operator, or by code other than the group's own).
  void ButtonChecked(TcxCustomRadioGroupButton* AButton);

  // ---- overrides ------------------------------------------------------------------------------------
  TClass PropertiesClass() override { return TcxCustomRadioGroupProperties::StaticClass(); }
  void SetFocus() override;
  void ActivateInplace(TcxCustomEditData*& AEditData) override;
  bool IsFocusedNow() override;
  void GetTabOrderList(TControlList& List) override;
  void InternalSetEditValue(const Variant& Value, bool ValidateValue) override;
  void ConvertDisplayToEditValue(const Variant& DisplayValue, Variant& AEditValue, bool Editing) override;
  void ResetEditValue() override { SetItemIndex(-1); }
  void SynchronizeButtons() override;
  void UpdateButtonsStyle() override;
  void ArrangeButtons() override;
  TWinControl* CreateButton() override;
  win::HDC GetButtonDC(int Index) override;
  bool PaintsValueDirectly() override { return !FPaintingCopy && TcxCustomButtonGroup::PaintsValueDirectly(); }
  // The editor's change: the group's click.
  void Changed() override;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void FlipChildren(bool) {}

 protected:
  TcxCustomRadioGroup(TComponent* AOwner, const TcxCustomEditClasses& Classes);

  void Loaded() override;
  void Updated() override;
  void WndProc(TMessage& Message) override;
  void Resize() override;

 private:
  void Construct();
  bool IsLoadingLike();
  // Applies an edit value: the buttons follow, the events fire. Forced when a button was checked
  // by the operator, so that nothing is re-checked.
  void ApplyValue(const Variant& Value, bool Forced);
  void SynchronizeAfterLoad();

  int FStoredItemIndex = -1;
  bool FPaintingCopy = false;
};

class TcxRadioGroup : public TcxCustomRadioGroup {
  VW_CLASS(TcxRadioGroup, TcxCustomRadioGroup)
 public:
  explicit TcxRadioGroup(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TcxRadioGroupProperties* ActiveProperties() {
    return static_cast<TcxRadioGroupProperties*>(TcxCustomRadioGroup::ActiveProperties());
  }
  TcxRadioGroupProperties* Properties() const {
    return static_cast<TcxRadioGroupProperties*>(TcxCustomRadioGroup::Properties());
  }
  void SetProperties(TcxRadioGroupProperties* Value) { TcxCustomRadioGroup::SetProperties(Value); }
  TClass PropertiesClass() override { return TcxRadioGroupProperties::StaticClass(); }

 private:
  int ItemIndexValue() { return ItemIndex(); }
  void SetItemIndexValue(int Value) { SetItemIndex(Value); }
};

// The radio group as the value editor of a filter condition: a combo box with a fixed list of the
// item captions, whose position is the item.
class TcxFilterRadioGroupHelper : public TcxFilterComboBoxHelper {
  VW_CLASS(TcxFilterRadioGroupHelper, TcxFilterComboBoxHelper)
 public:
  TcxFilterRadioGroupHelper() = default;

  void ReadFilterValue(TcxCustomEdit* Edit, TcxCustomEditProperties* Properties, Variant& Value,
                       String& DisplayText) const override;
  void ApplyFilterValue(TcxCustomEdit* Edit, TcxCustomEditProperties* Properties, const Variant& Value) const override;
  // The combo box's fixed list: the item captions.
  void PrepareFilterProperties(TcxCustomEditProperties* Properties, TcxCustomEditProperties* SourceProperties,
                               bool KeepButtons) const override;
  TcxFilterOperatorSet SupportedFilterOperators(TcxCustomEditProperties* Properties, TcxValueTypeClass ValueTypeClass,
                                                bool Extended) const override;
  bool FiltersByDisplayValue() const override { return true; }
  bool KeepsDefaultValuesProvider(TcxCustomEditProperties*) const override { return false; }
};

// Registers the radio group's class, properties and filter helper; every start-up needs its shutdown.
void RadioGroupUnitStartup();
void RadioGroupUnitShutdown();
