#pragma once
// The library's check box: an editor whose value is one of three configurable values (checked,
// unchecked, grayed), shown as a box with a caption beside it. Code reads and writes it through
// Checked and State; the operator toggles it with the mouse, the Space key or the caption's
// accelerator, and the events fire in an order that tells the two apart: a write by code fires
// OnEditValueChanged, OnClick, OnChange; a toggle fires OnClick at once and OnChange,
// OnEditValueChanged when it is done. Loading from a form and following an action fire nothing.
#include <memory>

#include "platform/classes/ActnList.h"
#include "platform/classes/Bitmap.h"
#include "ui/choice/CheckMark.h"
#include "ui/controls/CustomEdit.h"
#include "ui/controls/FilterEditHelpers.h"
#include "ui/editors/ComboBox.h"
#include "ui/editors/TextEditViewInfo.h"

class TcxCustomCheckBox;
class TcxCustomCheckBoxProperties;

// A check box's style: it never has a border of its own.
class TcxCheckBoxStyle : public TcxEditStyle {
  VW_CLASS(TcxCheckBoxStyle, TcxEditStyle)
 public:
  using TcxEditStyle::TcxEditStyle;
  bool ShowsBorder() override { return false; }
};

// ---- view info ----------------------------------------------------------------------------------------

class TcxCustomCheckBoxViewInfo : public TcxCustomTextEditViewInfo {
  VW_CLASS(TcxCustomCheckBoxViewInfo, TcxCustomTextEditViewInfo)
 public:
  TcxCustomCheckBoxViewInfo() = default;

  // Where the box stands: left of the caption, right of it, or alone in the middle.
  TAlignment Alignment = taLeftJustify;
  int BoxBorderOffset = 0;
  TcxEditBorderStyle BoxBorderStyle = ebsNone;
  TBitmap* Glyph = nullptr;
  int GlyphCount = 0;
  TcxEditCheckState PreviousPartState = ecsNormal;
  TRect BoxRect;
  TcxEditCheckState PartState = ecsNormal;
  TRect FocusRect;
  bool HasGlyph = false;
  bool TextColorAssigned = false;
  TcxCheckBoxNullValueShowingStyle NullStyle = nssGrayedChecked;
  TcxCheckBoxState State = cbsUnchecked;

  // The caption is drawn embossed: neither the editor nor its colour, theme or host keep it lively.
  bool DrawsCaptionDisabled() const { return !(Enabled || TextColorAssigned || NativeStyle || IsContainerInnerControl); }
  // A skin, a glyph or a partly transparent theme part lets the background show through the box.
  bool BoxIsOpaque() const;
  TcxEditCheckPaint BoxPaint();

  // ---- overrides -------------------------------------------------------------------------------------
  void PaintBody(TcxCanvas* ACanvas) override;
  void CopyStateFrom(TcxContainerViewInfo* Source) override;
  TcxRegion* DiffRegion(TcxContainerViewInfo* Previous) override;
  void ShiftBy(int DX, int DY) override;
  void RememberButtonStates() override;
  // The whole editor is one pressable part; no button index is meant.
  bool HotButtonIndex(int&) override { return true; }
  bool HasHintAt(const TPoint&) override { return false; }
  bool HintAt(const TPoint&, TRect&, bool&, String& AText) override {
    AText.clear();
    return false;
  }
  bool InvalidateChangedParts(TWinControl* Control, const TRect& InnerRect, TcxContainerViewInfo* Previous) override;
  void PaintText(TcxCanvas* ACanvas) override;
};

// ---- view data ----------------------------------------------------------------------------------------

class TcxCustomCheckBoxViewData : public TcxCustomEditViewData {
  VW_CLASS(TcxCustomCheckBoxViewData, TcxCustomEditViewData)
 public:
  using TcxCustomEditViewData::TcxCustomEditViewData;

  TcxCustomCheckBoxProperties* CheckBoxProperties() const;

  void CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton, TShiftState AShift,
                       TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void PrepareDisplayValue(TcxCanvas* ACanvas, const Variant& Value, TcxCustomEditViewInfo* AViewInfo) override;
  TSize EditContentSize(TcxCanvas* ACanvas, const Variant& Value, const TcxEditSizeProperties& Request) override;
  TcxEditBorderStyle EffectiveBorderStyle() override { return ebsNone; }

  virtual LibraryTextFlags CaptionTextFlags(TcxCustomCheckBoxViewInfo* AViewInfo);

 private:
  bool CaptionShownInplace();
  TcxEditBorderStyle HotTrackedBorderStyle();
  void PlaceBoxAndCaption(TcxCustomCheckBoxViewInfo* AViewInfo);
  TcxEditCheckState PartStateAt(TcxCustomCheckBoxViewInfo* AViewInfo, const TPoint& P, int AButton, TShiftState AShift,
                                bool AIsMouseEvent);
  void CalculateFocusRect(TcxCanvas* ACanvas, TcxCustomCheckBoxViewInfo* AViewInfo);
};

// ---- properties ---------------------------------------------------------------------------------------

class TcxCustomCheckBoxProperties : public TcxCustomEditProperties {
  VW_CLASS(TcxCustomCheckBoxProperties, TcxCustomEditProperties)
 public:
  explicit TcxCustomCheckBoxProperties(TPersistent* AOwner);
  ~TcxCustomCheckBoxProperties() override;

  void Assign(TPersistent* Source) override;

  // The box's place, kept in the editor alignment object.
  TAlignment BoxAlignment() { return Alignment()->Horz(); }
  void SetBoxAlignment(TAlignment Value) { Alignment()->SetHorz(Value); }
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value);
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  // Set by every Caption write; the editor takes the caption as its own and clears it.
  bool IsCaptionAssigned() const { return FCaptionAssigned; }
  void ClearCaptionAssigned() { FCaptionAssigned = false; }
  const String& DisplayChecked() const { return FDisplayChecked; }
  void SetDisplayChecked(const String& Value) { StoreText(FDisplayChecked, Value); }
  const String& DisplayGrayed() const { return FDisplayGrayed; }
  void SetDisplayGrayed(const String& Value) { StoreText(FDisplayGrayed, Value); }
  const String& DisplayUnchecked() const { return FDisplayUnchecked; }
  void SetDisplayUnchecked(const String& Value) { StoreText(FDisplayUnchecked, Value); }
  bool FullFocusRect() const { return FFullFocusRect; }
  void SetFullFocusRect(bool Value) { Store(FFullFocusRect, Value); }
  // Made empty on the first read.
  TBitmap* Glyph() { return GlyphBitmap(); }
  // Null frees the glyph; any other bitmap is copied.
  void SetGlyph(TBitmap* Value);
  bool HasGlyph() const { return FGlyph && !FGlyph->Empty(); }
  // The glyph without making one.
  TBitmap* GlyphIfAny() const { return FGlyph.get(); }
  int GlyphCount() const { return FGlyphCount; }
  void SetGlyphCount(int Value);
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value) { Store(FMultiLine, Value); }
  TcxCheckBoxNullValueShowingStyle NullStyle() const { return FNullStyle; }
  void SetNullStyle(TcxCheckBoxNullValueShowingStyle Value) { Store(FNullStyle, Value); }
  bool UseAlignmentWhenInplace() const { return FUseAlignmentWhenInplace; }
  void SetUseAlignmentWhenInplace(bool Value) { Store(FUseAlignmentWhenInplace, Value); }
  const Variant& ValueChecked() const { return FValueChecked; }
  void SetValueChecked(const Variant& Value);
  const Variant& ValueGrayed() const { return FValueGrayed; }
  void SetValueGrayed(const Variant& Value);
  const Variant& ValueUnchecked() const { return FValueUnchecked; }
  void SetValueUnchecked(const Variant& Value);

  // The state a value stands for, and the value of a state.
  TcxCheckBoxState StateOfValue(const Variant& Value) const;
  Variant ValueOfState(TcxCheckBoxState State) const;

  // Storage rules: texts that differ from the library's own, values other than true, false, Null.
  bool IsDisplayCheckedStored() const;
  bool IsDisplayGrayedStored() const;
  bool IsDisplayUncheckedStored() const;
  bool IsValueCheckedStored() const;
  bool IsValueGrayedStored() const;
  bool IsValueUncheckedStored() const;

  // ---- virtual operations ----------------------------------------------------------------------------
  virtual TBitmap* GlyphBitmap();
  // An in-place box keeps its caption and alignment.
  virtual bool ShowsCaptionInplace() { return false; }

  // ---- overrides -------------------------------------------------------------------------------------
  bool CanCompareEditValues() override { return true; }
  bool EditValuesEqual(const Variant& V1, const Variant& V2) override { return StateOfValue(V1) == StateOfValue(V2); }
  TClass EditClass() override;
  TcxContainerStyleClass StyleClass() override;
  TcxContainerViewInfoClass ViewInfoClass() override;
  TcxCustomEditViewDataClass ViewDataClass() override;
  String ValueDisplayText(const Variant& Value) override;
  int SpecialFeatureFlags() override { return TcxCustomEditProperties::SpecialFeatureFlags() | 4; }
  int SupportedOperations() override { return 1453; }
  bool IsActivationChar(char32_t Ch) override { return IsBlankChar(Ch); }
  bool IsEditValueValid(const Variant& Value) override;
  bool CanRevertEditValue() override { return true; }
  bool HasTextChangeEvents() override { return true; }
  bool CanValidate() override { return true; }
  void ConvertToEditValue(const Variant& DisplayValue, Variant& EditValue, bool AEditing) override;

 protected:
  void DefineProperties(TFiler* Filer) override;

 private:
  template <class T>
  void Store(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    SignalChanged();
  }
  void StoreText(String& Field, const String& Value) { Store(Field, Value); }
  bool OwnerIsLoading() const;
  // Not Null (unless AllowNull) and exactly equal to none of the three values.
  bool AcceptsValue(const Variant& Value, bool AllowNull) const;
  void StoreValue(Variant& Field, const Variant& Value, bool AllowNull);

  bool FAllowGrayed = false;
  String FCaption;
  String FDisplayChecked;
  String FDisplayGrayed;
  String FDisplayUnchecked;
  bool FFullFocusRect = false;
  std::unique_ptr<TBitmap> FGlyph;
  int FGlyphCount = 6;
  bool FCaptionAssigned = false;
  bool FMultiLine = false;
  TcxCheckBoxNullValueShowingStyle FNullStyle = nssGrayedChecked;
  bool FUseAlignmentWhenInplace = false;
  Variant FValueChecked = Variant(true);
  Variant FValueGrayed = Variant::Null();
  Variant FValueUnchecked = Variant(false);
};

class TcxCheckBoxProperties : public TcxCustomCheckBoxProperties {
  VW_CLASS(TcxCheckBoxProperties, TcxCustomCheckBoxProperties)
 public:
  using TcxCustomCheckBoxProperties::TcxCustomCheckBoxProperties;
  static void DeclareProperties(TPropTable& t);
};

// ---- the editor ---------------------------------------------------------------------------------------

class TcxCustomCheckBox : public TcxCustomEdit {
  VW_CLASS(TcxCustomCheckBox, TcxCustomEdit)
 public:
  explicit TcxCustomCheckBox(TComponent* AOwner);

  TcxCustomCheckBoxProperties* Properties() const {
    return static_cast<TcxCustomCheckBoxProperties*>(TcxCustomEdit::Properties());
  }
  TcxCustomCheckBoxProperties* ActiveProperties() {
    return static_cast<TcxCustomCheckBoxProperties*>(TcxCustomEdit::ActiveProperties());
  }
  TcxCustomCheckBoxViewInfo* CheckBoxViewInfo() { return static_cast<TcxCustomCheckBoxViewInfo*>(ViewInfo()); }
  TcxCheckBoxStyle* Style() { return static_cast<TcxCheckBoxStyle*>(TcxCustomEdit::Style()); }

  bool Checked() { return State() == cbsChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbsChecked : cbsUnchecked); }
  TcxCheckBoxState State();
  void SetState(TcxCheckBoxState Value);
  bool IsSpaceHeld() const { return FSpaceHeld; }
  // Checked from the action, firing nothing.
  void SetCheckedSilently(bool Value);
  bool IsStateStored();

  // The operator's change: unchecked, (grayed,) checked, unchecked again.
  virtual void Toggle();

  // ---- overrides -------------------------------------------------------------------------------------
  void InitializeEditor() override;
  void InternalSetEditValue(const Variant& Value, bool ValidateValue) override;
  void PropertiesChanged(TObject* Sender) override;
  void ConvertDisplayToEditValue(const Variant& DisplayValue, Variant& AEditValue, bool Editing) override;
  void EditKeyDown(win::WORD& Key, TShiftState Shift) override;
  void EditKeyPress(TChar& Key) override;
  void EditKeyUp(win::WORD& Key, TShiftState Shift) override;
  void AfterStateRecalc() override;
  void ResetEditValue() override { SetChecked(false); }
  void SizeConstraints(TcxEditSizeRequest& Request) override;
  bool DefaultParentColor() override { return true; }
  int PaintStateCode() override { return Enabled() ? 0 : 1; }
  TcxContainerStyleValues HiddenStyleValues() override;
  bool UsesParentBackground() override;
  bool ClicksWhenDesigning() override { return DataIsBound(); }
  bool UsesPlainBorder() override;
  void ShadowOutline(TRect& R) override;
  void HandleTextChange() override;
  void Dispatch(TMessage& Message) override;

 protected:
  TcxCustomCheckBox(TComponent* AOwner, const TcxCustomEditClasses& Classes);

  void Loaded() override;
  void DoExit() override;
  void WndProc(TMessage& Message) override;
  void ActionChange(TBasicAction* Sender, bool CheckDefaults) override;
  std::unique_ptr<TControlActionLink> CreateActionLink() override;

 private:
  void InitializeCheckBox();
  bool CaptionShownInplace() { return !IsInPlace() || ActiveProperties()->ShowsCaptionInplace(); }
  void InvalidateBox();
  void ContentChanged();
  // Body with the value-change guard held and the change events locked, released without firing.
  void Silently(const std::function<void()>& Body);
  void HandleAccelerator(TMessage& Message);

  bool FSpaceHeld = false;
  bool FInLoaded = false;
  bool FStatePending = false;
  TcxCheckBoxState FPendingState = cbsUnchecked;
};

class TcxCheckBox : public TcxCustomCheckBox {
  VW_CLASS(TcxCheckBox, TcxCustomCheckBox)
 public:
  explicit TcxCheckBox(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TcxCheckBoxProperties* Properties() const {
    return static_cast<TcxCheckBoxProperties*>(TcxCustomCheckBox::Properties());
  }
  void SetProperties(TcxCheckBoxProperties* Value) { TcxCustomEdit::SetProperties(Value); }

 private:
  bool AutoSizeValue() const { return TcxCustomEdit::AutoSize(); }
  bool CheckedValue() { return Checked(); }
  void SetCheckedValue(bool Value) { SetChecked(Value); }
  TcxCheckBoxState StateValue() { return State(); }
  void SetStateValue(TcxCheckBoxState Value) { SetState(Value); }
  bool ParentBackgroundValue() const { return ParentBackground(); }
  void SetParentBackgroundValue(bool Value) { SetParentBackground(Value); }
};

// The link of a check box to its action: Checked follows the action's without any event.
class TcxCheckBoxActionLink : public TWinControlActionLink {
  VW_CLASS(TcxCheckBoxActionLink, TWinControlActionLink)
 public:
  explicit TcxCheckBoxActionLink(TObject* AClient);

  bool IsCheckedLinked() override;
  void SetChecked(bool Value) override;

 protected:
  void AssignClient(TObject* AClient) override;

 private:
  TcxCustomCheckBox* FCheckBox = nullptr;
};

// ---- filter row ---------------------------------------------------------------------------------------

// A check box as the filter row's value editor: a combo box with a fixed list of the checked and
// the unchecked value's display texts.
class TcxFilterCheckBoxHelper : public TcxFilterComboBoxHelper {
  VW_CLASS(TcxFilterCheckBoxHelper, TcxFilterComboBoxHelper)
 public:
  TcxFilterCheckBoxHelper() = default;

  TcxFilterOperatorSet SupportedFilterOperators(TcxCustomEditProperties* Properties, TcxValueTypeClass ValueTypeClass,
                                                bool Extended) const override;
  bool FiltersByDisplayValue() const override { return true; }
  void PrepareFilterProperties(TcxCustomEditProperties* Properties, TcxCustomEditProperties* SourceProperties,
                               bool KeepButtons) const override;
  // Properties: the check box's, whose values the list stands for.
  void ReadFilterValue(TcxCustomEdit* Edit, TcxCustomEditProperties* Properties, Variant& Value,
                       String& DisplayText) const override;
  void ApplyFilterValue(TcxCustomEdit* Edit, TcxCustomEditProperties* Properties, const Variant& Value) const override;

  // The list's items: the checked value's display text, then the unchecked value's.
  static std::vector<String> FilterItems(TcxCustomCheckBoxProperties* Properties);
  // Item -1 is Null with an empty text, 0 the checked value, 1 the unchecked value.
  static void FilterValueOfItem(TcxCustomCheckBoxProperties* Properties, int ItemIndex, Variant& Value,
                                String& DisplayText);
  static int FilterItemOfValue(TcxCustomCheckBoxProperties* Properties, const Variant& Value);
};

// Registers the check box's properties and filter helper and makes the check mark.
void CheckBoxUnitStartup();
void CheckBoxUnitShutdown();
