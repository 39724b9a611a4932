#pragma once
// The spin editor: a numeric mask editor whose value is a 64-bit integer or a double, changed by
// typing, by its spin buttons (held down, they repeat), by the arrow and page keys and by the wheel,
// and kept inside MinValue..MaxValue by clamping or, when Circular, by wrapping round.
#include <memory>

#include "ui/choice/SpinEditValues.h"
#include "ui/controls/Timer.h"
#include "ui/editors/MaskEdit.h"

class TcxCustomSpinEdit;
class TcxCustomSpinEditProperties;
class TcxSpinEditViewInfo;

VW_ENUM(TcxSpinEditButtonsPosition, sbpHorzLeftRight, sbpHorzRight, sbpVert)

using TcxSpinEditGetValueEvent =
    std::function<void(TObject* Sender, const String& AText, Variant& AValue, String& ErrorText, bool& Error)>;

class TcxSpinEditButtons : public TPersistent {
  VW_CLASS(TcxSpinEditButtons, TPersistent)
 public:
  explicit TcxSpinEditButtons(TcxCustomSpinEditProperties* AOwner) : FOwner(AOwner) {}
  static void DeclareProperties(TPropTable& t);

  void Assign(TPersistent* Source) override;

  TcxSpinEditButtonsPosition Position() const { return FPosition; }
  void SetPosition(TcxSpinEditButtonsPosition Value);
  bool ShowFastButtons() const { return FShowFastButtons; }
  void SetShowFastButtons(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

 protected:
  TPersistent* GetOwner() override;

 private:
  void Changed();

  TcxCustomSpinEditProperties* FOwner;
  TcxSpinEditButtonsPosition FPosition = sbpVert;
  bool FShowFastButtons = false;
  bool FVisible = true;
};

class TcxSpinEditPropertiesValues : public TcxTextEditPropertiesValues {
  VW_CLASS(TcxSpinEditPropertiesValues, TcxTextEditPropertiesValues)
 public:
  explicit TcxSpinEditPropertiesValues(TcxCustomEditProperties* AOwner) : TcxTextEditPropertiesValues(AOwner) {}

  void Assign(TPersistent* Source) override;
  void ClearAssignedFlags() override;

  bool ValueType() const { return FValueType; }
  void SetValueType(bool Value) { SetFlag(FValueType, Value); }

 private:
  bool FValueType = false;
};

class TcxCustomSpinEditProperties : public TcxCustomMaskEditProperties {
  VW_CLASS(TcxCustomSpinEditProperties, TcxCustomMaskEditProperties)
 public:
  explicit TcxCustomSpinEditProperties(TPersistent* AOwner);
  ~TcxCustomSpinEditProperties() override;

  void Assign(TPersistent* Source) override;

  TcxSpinEditButtons* SpinButtons() const { return FSpinButtons.get(); }
  void SetSpinButtons(TcxSpinEditButtons* Value) { FSpinButtons->Assign(Value); }
  bool CanEdit() const { return FCanEdit; }
  void SetCanEdit(bool Value) { FCanEdit = Value; }
  bool Circular() const { return FCircular; }
  void SetCircular(bool Value) { FCircular = Value; }
  bool ExceptionOnInvalidInput() const { return FExceptionOnInvalidInput; }
  void SetExceptionOnInvalidInput(bool Value) { FExceptionOnInvalidInput = Value; }
  double Increment() const { return FIncrement; }
  void SetIncrement(double Value) { FIncrement = Value; }
  double LargeIncrement() const { return FLargeIncrement; }
  void SetLargeIncrement(double Value) { FLargeIncrement = Value; }
  bool UseCtrlIncrement() const { return FUseCtrlIncrement; }
  void SetUseCtrlIncrement(bool Value) { FUseCtrlIncrement = Value; }
  // The stored type when assigned, else the provider's data type (0: vtInt), else vtFloat.
  TcxSpinEditValueType ValueType();
  void SetValueType(TcxSpinEditValueType Value);
  TcxSpinEditPropertiesValues* SpinAssignedValues() const {
    return static_cast<TcxSpinEditPropertiesValues*>(AssignedValues());
  }
  TcxSpinEditGetValueEvent OnGetValue;

  // The value arithmetic under the present type, bounds and bound mode.
  TcxSpinValueRange Range();
  // The signed increment of a kind; an unknown kind raises "TcxCustomSpinEditProperties.GetIncrement fails".
  double GetIncrement(TcxSpinButtonKind Kind) { return SpinIncrementOf(Kind, FIncrement, FLargeIncrement); }
  bool StrToValue(const String& Text, Variant& Value) { return Range().StrToValue(Text, Value); }
  Variant ClampValue(const Variant& Value) { return Range().ClampValue(Value); }
  Variant NormalizeValue(const Variant& Value) { return Range().NormalizeValue(Value); }
  // A number, a text or nothing as a value of the type; false when it is no value at all.
  bool CheckEditValue(Variant& Value);
  // The display text of a number: the plain form of the type.
  String ValueText(const Variant& Value);
  bool HasGetValueHandler();
  // The own properties' OnGetValue, then the repository item's (Edit's active properties).
  void FireGetValue(TcxCustomEdit* Edit, const String& Text, Variant& Value, String& ErrorText, bool& Error);

  // ---- virtual operations, in slot order -------------------------------------------------------------
  virtual bool ClampsToBounds() { return true; }
  virtual int BoundMode() { return FCircular ? cxsbmCircular : ClampsToBounds() ? cxsbmClamp : cxsbmNone; }
  virtual Variant EffectiveMaxValue() { return Range().EffectiveMaxValue(); }
  virtual Variant EffectiveMinValue() { return Range().EffectiveMinValue(); }
  virtual bool ChecksTypedNumber() { return true; }
  // Null or an empty text is 0; numbers take the type.
  virtual Variant ConvertValue(const Variant& Value);
  virtual bool PreservesSelectionOnSpin() { return false; }

  // ---- overrides -------------------------------------------------------------------------------------
  void NotifyPropertiesChanged() override;
  TcxCustomEditPropertiesValuesClass AssignedValuesClass() override;
  TcxCustomEditViewDataClass ViewDataClass() override;
  TClass EditClass() override;
  TcxContainerViewInfoClass ViewInfoClass() override;
  bool IsValueNumeric() override { return true; }
  // A 64-bit integer without a format is shown with all its digits.
  void ConvertToEditValue(const Variant& Value, Variant& DisplayValue, bool EditingForm) override;
  int EditValueSource(bool AFocused) override;
  Variant EmptyEditValue() override;
  bool IsEditValueValid(const Variant& Value) override;
  void ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, TcxCustomEdit* Edit, bool& Error) override;
  bool AcceptsDisplayText(Variant& Value, bool EditingForm) override;

 protected:
  void DefineProperties(TFiler* Filer) override;

 private:
  bool IncrementStored() { return FIncrement != 1.0; }
  bool LargeIncrementStored() { return FLargeIncrement != 10.0; }
  bool ValueTypeStored() { return SpinAssignedValues()->ValueType(); }
  // Whether the ancestor being written against has a non-zero increment (or there is none).
  bool AncestorIncrementNonZero(TFiler* Filer, bool Large);

  std::unique_ptr<TcxSpinEditButtons> FSpinButtons;
  bool FCanEdit = true;
  bool FCircular = false;
  bool FExceptionOnInvalidInput = false;
  double FIncrement = 1.0;
  double FLargeIncrement = 10.0;
  bool FUseCtrlIncrement = false;
  TcxSpinEditValueType FValueType = vtFloat;

  friend class TcxSpinEditProperties;
};

class TcxSpinEditProperties : public TcxCustomSpinEditProperties {
  VW_CLASS(TcxSpinEditProperties, TcxCustomSpinEditProperties)
 public:
  explicit TcxSpinEditProperties(TPersistent* AOwner) : TcxCustomSpinEditProperties(AOwner) {}
  static void DeclareProperties(TPropTable& t);
};

// The buttons laid out together: a vertical up/down pair, or horizontal buttons with the fast ones
// at the ends; a button held through the keyboard shows pressed and no other can be pressed.
class TcxSpinEditViewData : public TcxCustomTextEditViewData {
  VW_CLASS(TcxSpinEditViewData, TcxCustomTextEditViewData)
 public:
  using TcxCustomTextEditViewData::TcxCustomTextEditViewData;

  TcxCustomSpinEditProperties* SpinProperties() const { return static_cast<TcxCustomSpinEditProperties*>(Properties); }
  // The kind + 1 of the button a key holds, 0 for none.
  int PressedKind() const;

  // The buttons are drawn as the system's spin buttons: the native look is asked for, the spin
  // theme class opens and no skin takes over.
  bool UsesNativeSpinTheme();

  bool CanPressButtons() override { return PressedKind() == 0; }
  bool ButtonHeldDown(TcxCustomEditViewInfo* AViewInfo, int AVisibleIndex) override;
  bool ButtonsArrangedVertically(int) override;
  void CalculateButtonViewInfos(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton,
                                TShiftState AShift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void CalculateButtonThemeParts(TcxEditButtonViewInfo* B) override;

 private:
  void PlaceSpinButtons(TcxCanvas* ACanvas, TcxSpinEditViewInfo* AViewInfo, const TRect& ABounds);
  // The widths of a horizontal and of a fast button for the look in force.
  void SpinButtonWidths(TcxCanvas* ACanvas, TcxSpinEditViewInfo* AViewInfo, int& HW, int& FW);
  int NativeSpinButtonHeight(TcxCanvas* ACanvas, TcxSpinEditViewInfo* AViewInfo);
};

class TcxSpinEditViewInfo : public TcxCustomTextEditViewInfo {
  VW_CLASS(TcxSpinEditViewInfo, TcxCustomTextEditViewInfo)
 public:
  TcxSpinEditViewInfo() = default;

  // The arrow's extent the layout chose.
  int ArrowSize = 0;
  TcxSpinEditButtonsPosition ButtonsPosition = sbpVert;
  // The buttons are the system's themed spin buttons, each part drawing its own arrow.
  bool NativeSpin = false;
  // The gap left between the two main themed buttons, drawn in the editor's background colour.
  TRect DelimiterRect;

  void DrawArrowContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, const TRect& R, int Shift,
                        TColor Color) override;
  TcxEditButtonGlyphKind SkinGlyphKind(TcxEditButtonViewInfo* B) override;
  void DrawEditButton(TcxCanvas* ACanvas, int Index) override;
  void DrawThemedButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, TRect& R, TRect& Content, TColor& Brush,
                              TColor& Text) override;
  void DrawThemedButton(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, const TRect& R) override;
  // The border rectangle is the editor's own part, buttons and all.
  void PartBounds(int Part, TRect& R) override;
  void ShiftBy(int DX, int DY) override;
};

class TcxCustomSpinEdit : public TcxCustomMaskEdit {
  VW_CLASS(TcxCustomSpinEdit, TcxCustomMaskEdit)
 public:
  explicit TcxCustomSpinEdit(TComponent* AOwner);
  ~TcxCustomSpinEdit() override;

  TcxCustomSpinEditProperties* ActiveSpinProperties() {
    return static_cast<TcxCustomSpinEditProperties*>(ActiveProperties());
  }
  const Variant& SpinValue() const { return FSpinValue; }
  bool TypedText() const { return FTypedText; }
  int PressedKind() const { return FPressedKind; }
  bool IsRepeating() const { return FRepeatTimer != nullptr; }
  void StopSpinning();

  // ---- virtual operations, in slot order -------------------------------------------------------------
  virtual double IncrementFor(TcxSpinButtonKind Kind);
  virtual Variant Value();
  virtual void ValueToDisplayText(const Variant& AValue, String& Text);
  virtual void SetValue(const Variant& AValue);
  // True when the text changed.
  virtual bool Spin(TcxSpinButtonKind Kind);

  // The display text as a value: false when it is none (the value is then SpinValue).
  bool TextToValue(const Variant& DisplayValue, bool Raise, String& ErrorText, Variant& AValue);

  // ---- overrides -------------------------------------------------------------------------------------
  void InitializeEditor() override;
  Variant EditingValue() override { return Value(); }
  bool IsKeyAcceptable(TChar Ch) override;
  void EditKeyDown(win::WORD& Key, TShiftState Shift) override;
  void EditKeyPress(TChar& Key) override;
  void EditKeyUp(win::WORD& Key, TShiftState Shift) override;
  void EditButtonPressed(int Index) override;
  bool FocusChanged() override;
  TcxContainerStyleValues HiddenStyleValues() override;
  void HandleDataChanged() override;
  void PropertiesChanged(TObject* Sender) override;
  void ClampToBounds() override;
  void RefreshDisplayText() override;
  void RefreshValueFromDisplay() override;
  void ConvertDisplayToEditValue(const Variant& Display, Variant& AValue, bool Focused) override;
  void CutSelectedText() override;
  void PasteText() override;
  void DeleteSelectedText() override;
  bool ApplyState(const TPoint& Point, int Button, TShiftState Shift, bool MouseEvent) override;

 protected:
  TcxCustomSpinEdit(TComponent* AOwner, const TcxCustomEditClasses& Classes);

  bool DoMouseWheel(TShiftState Shift, int WheelDelta, win::POINT MousePos) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void Construct();
  void StoreSpinValue(const Variant& AValue);
  bool NewSpinValue(TcxSpinButtonKind Kind, Variant& AValue);
  void SetPressedKind(int Value);
  void StartRepeatTimer();
  void RepeatTick();
  // Body with Typing set, when the editor is not focused or CanEdit is on.
  template <class Body>
  void AsTyping(Body BodyStep);

  Variant FSpinValue = Variant(0LL);
  bool FTypedText = false;
  bool FTyping = false;
  int FPressedKind = 0;
  std::unique_ptr<TcxTimer> FRepeatTimer;
};

class TcxSpinEdit : public TcxCustomSpinEdit {
  VW_CLASS(TcxSpinEdit, TcxCustomSpinEdit)
 public:
  explicit TcxSpinEdit(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TcxSpinEditProperties* Properties() { return static_cast<TcxSpinEditProperties*>(TcxCustomEdit::Properties()); }
  void SetProperties(TcxSpinEditProperties* Value) { Properties()->Assign(Value); }
  bool InplaceTextQuery() override { return AllowsFreeTyping(); }

 private:
  bool ValueStored();
};

// A spin editor as the filter row's value editor.
class TcxFilterSpinEditHelper : public TcxFilterMaskEditHelper {
  VW_CLASS(TcxFilterSpinEditHelper, TcxFilterMaskEditHelper)
 public:
  TcxFilterSpinEditHelper() = default;
  bool KeepsEditButtons() const override { return true; }
  TClass FilterEditorClass() const override { return TcxSpinEdit::StaticClass(); }
  TcxFilterOperatorSet SupportedFilterOperators(TcxCustomEditProperties* Properties, TcxValueTypeClass ValueTypeClass,
                                                bool Extended) const override;
  void PrepareFilterProperties(TcxCustomEditProperties* Properties, TcxCustomEditProperties* SourceProperties,
                               bool KeepButtons) const override;
};

// Registers the spin editor's properties and filter helper; counted, so every start-up needs its
// shutdown.
void SpinEditUnitStartup();
void SpinEditUnitShutdown();
