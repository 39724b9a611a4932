#pragma once
// The settings of a text editor: which text it accepts and how values become text. Lookup items
// and the typing mode decide whether the operator types freely (0), only texts that are items (1),
// only picks items (2) or cannot edit at all (3); CharCase, the echo mode and the password
// character change what is shown; MaxLength cuts what is typed; display and edit formats turn
// numbers into text for the numeric editors built on these properties.
#include <bitset>
#include <memory>

#include "platform/classes/StdCtrls.h"
#include "platform/classes/Strings.h"
#include "ui/controls/EditProperties.h"
#include "ui/controls/FormatController.h"

class TcxCustomEdit;

VW_ENUM(TcxEditEchoMode, eemNormal, eemPassword)

// 0 free typing; 1 typing limited to the lookup items; 2 list selection only; 3 no caret, no editing.
using TcxEditTypingMode = int;
inline constexpr TcxEditTypingMode etmFree = 0, etmLookupOnly = 1, etmListOnly = 2, etmNoCaret = 3;

using TcxNewLookupDisplayTextEvent = std::function<void(TObject* Sender, const String& AText)>;

// Bits a text editor adds to the editor's supported operations.
inline constexpr int esoTextEditOperations = 0x95E;
// The wrapped-layout bit of SupportedOperations and of the view data's paint flags.
inline constexpr int esoWrappedText = 2;

class TcxCustomTextEditProperties;

class TcxTextEditPropertiesValues : public TcxCustomEditPropertiesValues {
  VW_CLASS(TcxTextEditPropertiesValues, TcxCustomEditPropertiesValues)
 public:
  explicit TcxTextEditPropertiesValues(TcxCustomEditProperties* AOwner) : TcxCustomEditPropertiesValues(AOwner) {}
  static void DeclareProperties(TPropTable& t);

  void Assign(TPersistent* Source) override;
  void ClearAssignedFlags() override;

  bool DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(bool Value) { SetFlag(FDisplayFormat, Value); }
  bool EditFormat() const { return FEditFormat; }
  void SetEditFormat(bool Value) { SetFlag(FEditFormat, Value); }
  bool MaxLength() const { return FMaxLength; }
  void SetMaxLength(bool Value);

 private:
  friend class TcxCustomTextEditProperties;
  TcxCustomTextEditProperties* TextOwner() const;
  bool DisplayFormatStored() const;
  bool EditFormatStored() const;
  bool MaxValueStored() const { return MaxValue(); }
  bool MinValueStored() const { return MinValue(); }

  bool FDisplayFormat = false;
  bool FEditFormat = false;
  bool FMaxLength = false;
};

class TcxCustomTextEditProperties : public TcxCustomEditProperties, public IcxFormatControllerListener {
  VW_CLASS(TcxCustomTextEditProperties, TcxCustomEditProperties)
 public:
  explicit TcxCustomTextEditProperties(TPersistent* AOwner);
  ~TcxCustomTextEditProperties() override;

  void Assign(TPersistent* Source) override;

  // ---- values ----------------------------------------------------------------------------------------
  TcxTextEditPropertiesValues* TextAssignedValues() const {
    return static_cast<TcxTextEditPropertiesValues*>(AssignedValues());
  }
  void SetTextAssignedValues(TcxTextEditPropertiesValues* Value) { AssignedValues()->Assign(Value); }
  TEditCharCase CharCase() const { return FCharCase; }
  String DisplayFormat();
  void SetDisplayFormat(const String& Value);
  TcxEditEchoMode EchoMode() const { return FEchoMode; }
  void SetEchoMode(TcxEditEchoMode Value);
  String EditFormat() const { return FEditFormat; }
  void SetEditFormat(const String& Value);
  bool FixedListSelection() const { return FFixedListSelection; }
  void SetFixedListSelection(bool Value);
  bool HideCursor() const { return FHideCursor; }
  void SetHideCursor(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  TImeMode ImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode Value);
  TImeName ImeName() const { return FImeName; }
  void SetImeName(const TImeName& Value);
  bool ImmediateUpdateText() const { return FImmediateUpdateText; }
  void SetImmediateUpdateText(bool Value) { FImmediateUpdateText = Value; }
  bool IncrementalSearch() const { return FIncrementalSearch; }
  void SetIncrementalSearch(bool Value);
  TStringList* LookupItems() const { return FLookupItems.get(); }
  void SetLookupItems(TStrings* Value) { FLookupItems->Assign(Value); }
  bool LookupItemsSorted() const { return FLookupItems->Sorted(); }
  void SetLookupItemsSorted(bool Value) { FLookupItems->SetSorted(Value); }
  int MaxLength();
  void SetMaxLength(int Value);
  bool OEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool Value);
  char32_t PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char32_t Value);
  bool UseDisplayFormatWhenEditing() const { return FUseDisplayFormatWhenEditing; }
  void SetUseDisplayFormatWhenEditing(bool Value);
  bool WholeTextLookup() const { return FWholeTextLookup; }
  void SetWholeTextLookup(bool Value) { FWholeTextLookup = Value; }
  std::bitset<256>& ExtraKeys() { return FExtraKeys; }
  bool IsFormatChanging() const { return FFormatChanging; }

  TcxNewLookupDisplayTextEvent OnNewLookupDisplayText;

  // Mode 0 with IncrementalSearch, and modes 1 and 2 always.
  bool IncrementalSearchActive();
  // 0..3: the buttons' view style with the hide-cursor flag, as the filter helper sees it.
  int ViewStyle();
  void SetViewStyle(int Value);
  // "1,234,567.89": thousands separators put in again before every third integer digit.
  static String RegroupDigits(const String& Text);

  // IcxFormatControllerListener
  void FormatChanged() override { FormatSettingsChanged(); }

  // ---- virtual operations, in slot order -------------------------------------------------------------
  virtual void FormatSettingsChanged();
  virtual void CheckValueBounds(const Variant& DisplayValue, String& ErrorText, TcxCustomEdit* Edit, bool& Error);
  virtual Variant EmptyEditValue() { return Variant(String()); }
  virtual bool FindLookupText(const String& Text);
  virtual String DefaultDisplayFormat() { return String(); }
  virtual int DefaultMaxLength();
  virtual int DropDownRowCount() { return 8; }
  virtual TcxEditTypingMode TypingMode() { return FHideCursor ? etmNoCaret : etmFree; }
  // Null: the editor keeps no lookup data.
  virtual TClass LookupDataClass();
  virtual bool GroupsDigits(bool) { return false; }
  virtual void ResolveEditFormat(bool& IsCurrency, bool& FromProvider, String& Format, TcxCustomEdit* Edit);
  virtual bool IsValueNumeric() { return false; }
  virtual bool PopupUsesLookupList() { return false; }
  virtual bool IsMultiLine() { return false; }
  virtual bool IsPopupKey(win::WORD, TShiftState) { return false; }
  virtual bool IsBoundActive(int Bound);
  virtual bool HasValueBounds() { return IsBoundActive(0) || IsBoundActive(1); }
  virtual void SpareChangeNotice() { SignalChanged(); }
  virtual void MaxLengthChanged() { SignalChanged(); }
  virtual void SetCharCase(TEditCharCase Value);
  virtual bool UsesLookupItems() { return LookupDataClass() != nullptr; }
  virtual void ConvertDisplayText(String& Text);
  virtual bool AcceptsDisplayText(Variant& Value, bool EditingForm);

  // ---- overrides of the editor properties --------------------------------------------------------
  void AlignmentChanged(TObject* Sender) override;
  void SetAlignment(TcxEditAlignment* Value) override;
  bool CanValidate() override { return true; }
  TcxCustomEditPropertiesValuesClass AssignedValuesClass() override;
  int SupportsDisplayFormat() override { return edfSupported; }
  String ValidationErrorText(int Kind) override;
  TcxCustomEditViewDataClass ViewDataClass() override;
  bool HasTextChangeEvents() override { return true; }
  bool CanCompareEditValues() override { return true; }
  TClass EditClass() override;
  TcxContainerViewInfoClass ViewInfoClass() override;
  bool EditValuesEqual(const Variant& V1, const Variant& V2) override;
  String ValueDisplayText(const Variant& Value) override { return ValueDisplayTextFor(Value, false); }
  int SupportedOperations() override { return TcxCustomEditProperties::SupportedOperations() | esoTextEditOperations; }
  bool IsEditValueValid(const Variant& Value) override;
  bool CanRevertEditValue() override { return TypingMode() != etmNoCaret; }
  void ConvertToEditValue(const Variant& Value, Variant& DisplayValue, bool EditingForm) override;
  void ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, TcxCustomEdit* Edit, bool& Error) override;
  int EditValueSource(bool) override { return 1; }

  // The shown text of a value; Flag: the value is shown for editing.
  String ValueDisplayTextFor(const Variant& Value, bool Flag);
  // A copy checked for validity, then the edit form, a date-time text or the plain string.
  Variant PrepareValueText(const Variant& Value, bool EditingForm);

 protected:
  TcxCustomTextEditProperties(TPersistent* AOwner, const TcxCustomEditPropertiesClasses& Classes);
  void DefineProperties(TFiler* Filer) override;

 private:
  void Construct();
  String FormatNumber(const Variant& Value, bool EditingForm);

  TEditCharCase FCharCase = ecNormal;
  String FDisplayFormat;
  TcxEditEchoMode FEchoMode = eemNormal;
  String FEditFormat;
  bool FFixedListSelection = true;
  bool FFormatChanging = false;
  bool FHideCursor = false;
  bool FHideSelection = true;
  TImeMode FImeMode = imDontCare;
  TImeName FImeName;
  bool FImmediateUpdateText = false;
  bool FIncrementalSearch = true;
  std::unique_ptr<TStringList> FLookupItems;
  int FMaxLength = 0;
  bool FWholeTextLookup = false;
  bool FOEMConvert = false;
  char32_t FPasswordChar = 0;
  bool FUseDisplayFormatWhenEditing = false;
  std::bitset<256> FExtraKeys;
  bool FListenerRegistered = false;
};

// The published form: the Properties of a text editor.
class TcxTextEditProperties : public TcxCustomTextEditProperties {
  VW_CLASS(TcxTextEditProperties, TcxCustomTextEditProperties)
 public:
  explicit TcxTextEditProperties(TPersistent* AOwner) : TcxCustomTextEditProperties(AOwner) {}
  static void DeclareProperties(TPropTable& t);

 private:
  bool MaxLengthStored() { return TextAssignedValues()->MaxLength(); }
};
