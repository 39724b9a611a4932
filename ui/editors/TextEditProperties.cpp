#include "ui/editors/TextEditProperties.h"

#include <cmath>
#include <cstdio>

#include "platform/classes/DateUtils.h"
#include "platform/classes/FormatSettings.h"
#include "platform/classes/SysUtils.h"
#include "platform/classes/Utf8.h"
#include "ui/controls/CustomEdit.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/controls/VariantRoutines.h"
#include "ui/editors/TextEdit.h"
#include "ui/editors/TextEditLookupData.h"
#include "ui/editors/TextEditViewInfo.h"
#include "ui/foundation/TextConversion.h"

namespace {

// A decimal number in the user's notation; the text of a number with a currency or BCD type.
bool ParseDecimal(const String& Text, double& Value) {
  String t = Trim(Text);
  if (t.empty()) return false;
  return TryStrToFloat(t, Value, FormatSettings);
}

String WithDecimalSeparator(String S) {
  for (char& c : S)
    if (c == '.') c = FormatSettings.DecimalSeparator;
  return S;
}

// General notation with Precision significant digits, trailing zeros dropped.
String GeneralNumberText(double Value, int Precision) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*G", Precision, Value);
  return WithDecimalSeparator(buffer);
}

String FixedNumberText(double Value, int Decimals) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", Decimals, Value);
  return WithDecimalSeparator(buffer);
}

}  // namespace

// ---- TcxTextEditPropertiesValues ----------------------------------------------------------------------

void TcxTextEditPropertiesValues::DeclareProperties(TPropTable& t) {
  using V = TcxTextEditPropertiesValues;
  t.Add("DisplayFormat", &V::DisplayFormat, &V::SetDisplayFormat).NoDefault().Stored(&V::DisplayFormatStored);
  t.Add("EditFormat", &V::EditFormat, &V::SetEditFormat).NoDefault().Stored(&V::EditFormatStored);
  t.Add("MaxLength", &V::MaxLength, &V::SetMaxLength).NoDefault();
  t.Add("MaxValue", &V::MaxValue, &V::SetMaxValue).NoDefault().Stored(&V::MaxValueStored);
  t.Add("MinValue", &V::MinValue, &V::SetMinValue).NoDefault().Stored(&V::MinValueStored);
}

TcxCustomTextEditProperties* TcxTextEditPropertiesValues::TextOwner() const {
  return static_cast<TcxCustomTextEditProperties*>(OwnerProperties());
}

bool TcxTextEditPropertiesValues::DisplayFormatStored() const {
  return FDisplayFormat && TextOwner()->DisplayFormat().empty() && OwnerHasProperty("DisplayFormat");
}

bool TcxTextEditPropertiesValues::EditFormatStored() const {
  return FEditFormat && TextOwner()->EditFormat().empty() && OwnerHasProperty("EditFormat");
}

void TcxTextEditPropertiesValues::SetMaxLength(bool Value) {
  if (FMaxLength == Value) return;
  FMaxLength = Value;
  TextOwner()->MaxLengthChanged();
}

void TcxTextEditPropertiesValues::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxTextEditPropertiesValues*>(Source);
  if (!source) {
    TcxCustomEditPropertiesValues::Assign(Source);
    return;
  }
  BeginOwnerUpdate();
  try {
    TcxCustomEditPropertiesValues::Assign(Source);
    SetDisplayFormat(source->FDisplayFormat);
    SetEditFormat(source->FEditFormat);
    SetMaxLength(source->FMaxLength);
  } catch (...) {
    EndOwnerUpdate();
    throw;
  }
  EndOwnerUpdate();
}

void TcxTextEditPropertiesValues::ClearAssignedFlags() {
  BeginOwnerUpdate();
  try {
    TcxCustomEditPropertiesValues::ClearAssignedFlags();
    SetDisplayFormat(false);
    SetEditFormat(false);
    SetMaxLength(false);
  } catch (...) {
    EndOwnerUpdate();
    throw;
  }
  EndOwnerUpdate();
}

// ---- TcxCustomTextEditProperties ----------------------------------------------------------------------

TcxCustomTextEditProperties::TcxCustomTextEditProperties(TPersistent* AOwner)
    : TcxCustomTextEditProperties(AOwner, TcxCustomEditPropertiesClasses{
                                              EditButtonsClassOf<TcxEditButtons>(),
                                              EditPropertiesValuesClassOf<TcxTextEditPropertiesValues>()}) {}

TcxCustomTextEditProperties::TcxCustomTextEditProperties(TPersistent* AOwner,
                                                         const TcxCustomEditPropertiesClasses& Classes)
    : TcxCustomEditProperties(AOwner, Classes) {
  Construct();
}

void TcxCustomTextEditProperties::Construct() {
  FLookupItems = std::make_unique<TStringList>();
  FLookupItems->SetDuplicates(dupAccept);
  FLookupItems->OnChange = [this](TObject*) { SignalChanged(); };
  if (TcxFormatController* controller = FormatControllerInstance()) {
    controller->AddListener(this);
    FListenerRegistered = true;
  }
}

TcxCustomTextEditProperties::~TcxCustomTextEditProperties() {
  if (FListenerRegistered)
    if (TcxFormatController* controller = FormatControllerInstance()) controller->RemoveListener(this);
  FLookupItems->OnChange = nullptr;
  FLookupItems.reset();
}

void TcxCustomTextEditProperties::DefineProperties(TFiler* Filer) {
  TcxCustomEditProperties::DefineProperties(Filer);
  // Older descriptions stored the flag beside the format; it is read, never written.
  Filer->DefineProperty(
      "IsDisplayFormatAssigned", [this](TReader* Reader) { TextAssignedValues()->SetDisplayFormat(Reader->ReadBoolean()); },
      nullptr, false);
}

void TcxCustomTextEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomTextEditProperties*>(Source);
  if (!source) {
    TcxCustomEditProperties::Assign(Source);
    return;
  }
  if (source == this) return;
  TcxEditPropertiesUpdate update(this);
  TcxCustomEditProperties::Assign(Source);
  SetCharCase(source->CharCase());
  FEchoMode = source->FEchoMode;
  FFixedListSelection = source->FFixedListSelection;
  FHideCursor = source->FHideCursor;
  FHideSelection = source->FHideSelection;
  FImmediateUpdateText = source->FImmediateUpdateText;
  FIncrementalSearch = source->FIncrementalSearch;
  FWholeTextLookup = source->FWholeTextLookup;
  FExtraKeys = source->FExtraKeys;
  // Items first: an unsorted source keeps its order in an unsorted target.
  SetLookupItemsSorted(false);
  FLookupItems->Assign(source->LookupItems());
  SetLookupItemsSorted(source->LookupItemsSorted());
  TcxTextEditPropertiesValues* values = TextAssignedValues();
  TcxTextEditPropertiesValues* sourceValues = source->TextAssignedValues();
  values->SetDisplayFormat(false);
  if (sourceValues->DisplayFormat()) SetDisplayFormat(source->DisplayFormat());
  values->SetEditFormat(false);
  if (sourceValues->EditFormat()) SetEditFormat(source->EditFormat());
  values->SetMaxLength(false);
  if (sourceValues->MaxLength()) SetMaxLength(source->MaxLength());
  FOEMConvert = source->FOEMConvert;
  FImeMode = source->FImeMode;
  FImeName = source->FImeName;
  FPasswordChar = source->FPasswordChar;
  FUseDisplayFormatWhenEditing = source->FUseDisplayFormatWhenEditing;
  OnNewLookupDisplayText = source->OnNewLookupDisplayText;
  SignalChanged();
}

// ---- setters ------------------------------------------------------------------------------------------

namespace {
template <class T>
bool StoreChanged(T& Field, const T& Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}
}  // namespace

void TcxCustomTextEditProperties::SetCharCase(TEditCharCase Value) {
  if (StoreChanged(FCharCase, Value)) SignalChanged();
}
void TcxCustomTextEditProperties::SetEchoMode(TcxEditEchoMode Value) {
  if (StoreChanged(FEchoMode, Value)) SignalChanged();
}
void TcxCustomTextEditProperties::SetFixedListSelection(bool Value) {
  if (StoreChanged(FFixedListSelection, Value)) SignalChanged();
}
void TcxCustomTextEditProperties::SetHideCursor(bool Value) {
  if (StoreChanged(FHideCursor, Value)) SignalChanged();
}
void TcxCustomTextEditProperties::SetHideSelection(bool Value) {
  if (StoreChanged(FHideSelection, Value)) SignalChanged();
}
void TcxCustomTextEditProperties::SetImeMode(TImeMode Value) {
  if (StoreChanged(FImeMode, Value)) SignalChanged();
}
void TcxCustomTextEditProperties::SetImeName(const TImeName& Value) {
  if (StoreChanged(FImeName, Value)) SignalChanged();
}
void TcxCustomTextEditProperties::SetIncrementalSearch(bool Value) {
  if (StoreChanged(FIncrementalSearch, Value)) SignalChanged();
}
void TcxCustomTextEditProperties::SetOEMConvert(bool Value) {
  if (StoreChanged(FOEMConvert, Value)) SignalChanged();
}
void TcxCustomTextEditProperties::SetPasswordChar(char32_t Value) {
  if (StoreChanged(FPasswordChar, Value)) SignalChanged();
}
void TcxCustomTextEditProperties::SetUseDisplayFormatWhenEditing(bool Value) {
  if (StoreChanged(FUseDisplayFormatWhenEditing, Value)) SignalChanged();
}

String TcxCustomTextEditProperties::DisplayFormat() {
  if (TextAssignedValues()->DisplayFormat()) return FDisplayFormat;
  if (IcxEditDefaultValuesProvider* provider = DefaultValuesProvider()) {
    String format = provider->DefaultDisplayFormat();
    if (!format.empty()) return format;
  }
  return DefaultDisplayFormat();
}

void TcxCustomTextEditProperties::SetDisplayFormat(const String& Value) {
  TcxTextEditPropertiesValues* values = TextAssignedValues();
  if (values->DisplayFormat() && FDisplayFormat == Value) return;
  values->FDisplayFormat = true;
  FDisplayFormat = Value;
  SignalChanged();
}

void TcxCustomTextEditProperties::SetEditFormat(const String& Value) {
  TcxTextEditPropertiesValues* values = TextAssignedValues();
  if (values->EditFormat() && FEditFormat == Value) return;
  values->FEditFormat = true;
  FEditFormat = Value;
  SignalChanged();
}

int TcxCustomTextEditProperties::MaxLength() {
  return TextAssignedValues()->MaxLength() ? FMaxLength : DefaultMaxLength();
}

void TcxCustomTextEditProperties::SetMaxLength(int Value) {
  if (Value < 0) Value = 0;
  TcxTextEditPropertiesValues* values = TextAssignedValues();
  if (values->MaxLength() && FMaxLength == Value) return;
  values->FMaxLength = true;
  FMaxLength = Value;
  MaxLengthChanged();
}

int TcxCustomTextEditProperties::DefaultMaxLength() {
  IcxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  return provider ? provider->DefaultMaxLength() : 0;
}

void TcxCustomTextEditProperties::AlignmentChanged(TObject* Sender) {
  TcxEditPropertiesUpdate update(this);
  TcxCustomEditProperties::AlignmentChanged(Sender);
}

void TcxCustomTextEditProperties::SetAlignment(TcxEditAlignment* Value) {
  TcxEditPropertiesUpdate update(this);
  TcxCustomEditProperties::SetAlignment(Value);
}

bool TcxCustomTextEditProperties::IncrementalSearchActive() {
  switch (TypingMode()) {
    case etmFree: return FIncrementalSearch;
    case etmLookupOnly: case etmListOnly: return true;
    default: return false;
  }
}

int TcxCustomTextEditProperties::ViewStyle() {
  switch (ButtonsViewStyle()) {
    case 1: return 2;
    case 2: return 3;
    default: return FHideCursor ? 1 : 0;
  }
}

void TcxCustomTextEditProperties::SetViewStyle(int Value) {
  if (Value == ViewStyle()) return;
  static constexpr int kButtonsViewStyles[] = {0, 0, 1, 2};
  TcxEditPropertiesUpdate update(this);
  SetButtonsViewStyle(kButtonsViewStyles[std::clamp(Value, 0, 3)]);
  SetHideCursor(Value != 0);
}

// ---- the class's own answers ----------------------------------------------------------------------------

void TcxCustomTextEditProperties::FormatSettingsChanged() {
  FFormatChanging = true;
  try {
    SignalChanged();
  } catch (...) {
    FFormatChanging = false;
    throw;
  }
  FFormatChanging = false;
}

bool TcxCustomTextEditProperties::FindLookupText(const String& Text) {
  for (int i = 0; i < FLookupItems->Count(); ++i)
    if (AnsiSameText(FLookupItems->Strings(i), Text)) return true;
  return false;
}

TClass TcxCustomTextEditProperties::LookupDataClass() { return TcxCustomTextEditLookupData::StaticClass(); }

bool TcxCustomTextEditProperties::IsBoundActive(int Bound) {
  bool minAssigned = AssignedValues()->MinValue(), maxAssigned = AssignedValues()->MaxValue();
  if (minAssigned != maxAssigned) return Bound == 0 ? minAssigned : maxAssigned;
  return MaxValue() > MinValue();
}

void TcxCustomTextEditProperties::ConvertDisplayText(String& Text) {
  if (FEchoMode == eemPassword) {
    String mask;
    char32_t ch = FPasswordChar ? FPasswordChar : U'*';
    for (int i = Utf8Count(Text); i > 0; --i) Utf8Append(mask, ch);
    Text = mask;
    return;
  }
  if (FCharCase == ecUpperCase) Text = AnsiUpperCase(Text);
  else if (FCharCase == ecLowerCase) Text = AnsiLowerCase(Text);
}

bool TcxCustomTextEditProperties::AcceptsDisplayText(Variant& Value, bool) {
  String text = VarToStr(Value);
  if (text.empty()) return true;
  TcxEditTypingMode mode = TypingMode();
  if ((mode == etmLookupOnly || mode == etmListOnly) && UsesLookupItems() && !FindLookupText(text)) return false;
  if (FCharCase == ecUpperCase) text = AnsiUpperCase(text);
  else if (FCharCase == ecLowerCase) text = AnsiLowerCase(text);
  Value = text;
  return true;
}

TcxCustomEditPropertiesValuesClass TcxCustomTextEditProperties::AssignedValuesClass() {
  return EditPropertiesValuesClassOf<TcxTextEditPropertiesValues>();
}

String TcxCustomTextEditProperties::ValidationErrorText(int Kind) {
  if (Kind == 1) return GetLocalizedResString(cxLibraryStrings::cxSEditValueOutOfBounds);
  return TcxCustomEditProperties::ValidationErrorText(Kind);
}

TcxCustomEditViewDataClass TcxCustomTextEditProperties::ViewDataClass() {
  return EditViewDataClassOf<TcxCustomTextEditViewData>();
}

TClass TcxCustomTextEditProperties::EditClass() { return TcxTextEdit::StaticClass(); }

TcxContainerViewInfoClass TcxCustomTextEditProperties::ViewInfoClass() {
  return ContainerViewInfoClassOf<TcxCustomTextEditViewInfo>();
}

bool TcxCustomTextEditProperties::EditValuesEqual(const Variant& V1, const Variant& V2) {
  return ValueDisplayTextFor(V1, false) == ValueDisplayTextFor(V2, false);
}

bool TcxCustomTextEditProperties::IsEditValueValid(const Variant& Value) {
  if (VarIsNull(Value) || !VarIsStr(Value)) return true;
  Variant copy = Value;
  return AcceptsDisplayText(copy, false);
}

String TcxCustomTextEditProperties::ValueDisplayTextFor(const Variant& Value, bool Flag) {
  String text;
  if (UsesProviderDisplayFormat()) {
    text = VarToStr(Value);
  } else {
    try {
      text = VarToStr(PrepareValueText(Value, !Flag && !EditingFormNeedsFocus()));
    } catch (...) {
      ConvertDisplayText(text);
      throw;
    }
  }
  ConvertDisplayText(text);
  return text;
}

Variant TcxCustomTextEditProperties::PrepareValueText(const Variant& Value, bool EditingForm) {
  Variant copy = Value;
  if (IsEditValueValid(copy)) {
    Variant display;
    ConvertToEditValue(copy, display, EditingForm);
    return display;
  }
  if (VarHoldsDateTime(copy)) return Variant(DateTimeToStr(copy.AsDouble()));
  return Variant(VarToStr(copy));
}

void TcxCustomTextEditProperties::ConvertToEditValue(const Variant& Value, Variant& DisplayValue, bool EditingForm) {
  if (IsValueNumeric()) {
    if (VarIsNull(Value) || (VarIsStr(Value) && VarToStr(Value).empty())) {
      DisplayValue = String();
      return;
    }
    if (!VarHoldsNumber(Value) && !VarIsStr(Value))
      throw EConvertError(GetLocalizedResString(cxLibraryStrings::cxSEditNumericValueConvertError));
    DisplayValue = FormatNumber(Value, EditingForm);
    return;
  }
  if (VarIsArray(Value)) {
    // One dimension is all a variant array has here.
    String text;
    EditValueToAnsiText(Value, text);
    DisplayValue = text;
    return;
  }
  String text;
  EditValueToAnsiText(Value, text);
  DisplayValue = text;
}

String TcxCustomTextEditProperties::FormatNumber(const Variant& Value, bool EditingForm) {
  if (!EditingForm) {
    String format = DisplayFormat();
    if (!format.empty()) return FormatFloat(format, Value.AsDouble());
    return VarToStr(Value);
  }
  bool currency = false, fromProvider = false;
  String format;
  ResolveEditFormat(currency, fromProvider, format, nullptr);
  IcxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  int precision = provider ? provider->DefaultPrecision() : 15;
  double number = 0;
  if (currency) {
    if (ParseDecimal(VarToStr(Value), number)) return FixedNumberText(number, FormatSettings.CurrencyDecimals);
    return VarToStr(Value);
  }
  if (!format.empty()) return FormatFloat(format, Value.AsDouble());
  String text = VarToStr(Value);
  if (ParseDecimal(text, number)) {
    text = GeneralNumberText(number, precision);
    if (GroupsDigits(false)) text = RegroupDigits(text);
  }
  return text;
}

void TcxCustomTextEditProperties::ResolveEditFormat(bool& IsCurrency, bool& FromProvider, String& Format,
                                                    TcxCustomEdit* Edit) {
  IsCurrency = false;
  FromProvider = false;
  Format.clear();
  if (TextAssignedValues()->EditFormat()) {
    Format = FEditFormat;
    return;
  }
  IcxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  if ((!Edit || !Edit->IsInPlace()) && provider) FromProvider = provider->IsDisplayFormatDefined(false);
  if (provider) {
    String providerEdit = provider->DefaultEditFormat();
    if (!providerEdit.empty()) {
      Format = providerEdit;
      return;
    }
  }
  if (TextAssignedValues()->DisplayFormat()) {
    Format = FDisplayFormat;
  } else if (provider && !provider->DefaultDisplayFormat().empty()) {
    Format = provider->DefaultDisplayFormat();
  } else if (String own = DefaultDisplayFormat(); !own.empty()) {
    Format = own;
  } else if (provider && !(SupportsDisplayFormat() & edfEditingFormat)) {
    IsCurrency = provider->PrefersCurrencyFormat();
  }
  if (!FUseDisplayFormatWhenEditing) Format.clear();
}

String TcxCustomTextEditProperties::RegroupDigits(const String& Text) {
  const char thousands = FormatSettings.ThousandSeparator, decimal = FormatSettings.DecimalSeparator;
  std::size_t begin = 0, end = Text.size();
  while (begin < end && Text[begin] == ' ') ++begin;
  while (end > begin && Text[end - 1] == ' ') --end;
  String lead = Text.substr(0, begin), trail = Text.substr(end);
  String number = Text.substr(begin, end - begin), exponent;
  if (std::size_t e = number.find_first_of("eE"); e != String::npos) {
    exponent = number.substr(e);
    number.erase(e);
  }
  std::erase(number, thousands);
  std::size_t point = number.find(decimal);
  std::size_t stop = point == String::npos ? number.size() : point;
  // The integer digits run left from stop; a separator goes before every third while digits go on.
  std::size_t first = stop;
  while (first > 0 && number[first - 1] >= '0' && number[first - 1] <= '9') --first;
  String grouped;
  int count = 0;
  for (std::size_t i = stop; i > first; --i) {
    if (count > 0 && count % 3 == 0) grouped.insert(grouped.begin(), thousands);
    grouped.insert(grouped.begin(), number[i - 1]);
    ++count;
  }
  number = number.substr(0, first) + grouped + number.substr(stop);
  return lead + number + exponent + trail;
}

void TcxCustomTextEditProperties::CheckValueBounds(const Variant& DisplayValue, String& ErrorText, TcxCustomEdit* Edit,
                                                   bool& Error) {
  Variant value = DisplayValue;
  if (Edit) Edit->ConvertDisplayToEditValue(DisplayValue, value, Edit->ShowsEditingState());
  if (!VarHoldsNumber(value) && !VarHoldsDateTime(value)) return;
  double number = 0;
  if (VarIsStr(value)) {
    if (!ParseDecimal(VarToStr(value), number)) return;
  } else {
    number = value.AsDouble();
  }
  bool out = (IsBoundActive(0) && number < MinValue()) || (IsBoundActive(1) && number > MaxValue());
  if (!out) return;
  Error = true;
  ErrorText = ValidationErrorText(1);
}

void TcxCustomTextEditProperties::ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, TcxCustomEdit* Edit,
                                                       bool& Error) {
  if (IsValueNumeric() && HasValueBounds()) CheckValueBounds(DisplayValue, ErrorText, Edit, Error);
  TcxCustomEditProperties::ValidateDisplayValue(DisplayValue, ErrorText, Edit, Error);
}

// ---- TcxTextEditProperties ------------------------------------------------------------------------------

void TcxTextEditProperties::DeclareProperties(TPropTable& t) {
  using P = TcxTextEditProperties;
  t.Add("Alignment", &P::Alignment, &P::SetAlignment).Stored(&P::IsAlignmentStored);
  t.Add("AssignedValues", &P::TextAssignedValues, &P::SetTextAssignedValues);
  t.Add("AutoSelect", &P::AutoSelect, &P::SetAutoSelect).SetDefault(true);
  t.Add("BeepOnError", &P::BeepOnError, &P::SetBeepOnError).SetDefault(false);
  t.Add("CharCase", &P::CharCase, &P::SetCharCase).SetDefault(ecNormal);
  t.Add("ClearKey", &P::ClearKey, &P::SetClearKey).SetDefault(0);
  t.Add("EchoMode", &P::EchoMode, &P::SetEchoMode).SetDefault(eemNormal);
  t.Add("HideSelection", &P::HideSelection, &P::SetHideSelection).SetDefault(true);
  t.Add("ImeMode", &P::ImeMode, &P::SetImeMode).SetDefault(imDontCare);
  t.Add("ImeName", &P::ImeName, &P::SetImeName);
  t.Add("IncrementalSearch", &P::IncrementalSearch, &P::SetIncrementalSearch).SetDefault(true);
  t.Add("LookupItems", &P::LookupItems, &P::SetLookupItems);
  t.Add("LookupItemsSorted", &P::LookupItemsSorted, &P::SetLookupItemsSorted).SetDefault(false);
  t.Add("MaxLength", &P::MaxLength, &P::SetMaxLength).NoDefault().Stored(&P::MaxLengthStored);
  t.Add("OEMConvert", &P::OEMConvert, &P::SetOEMConvert).SetDefault(false);
  t.Add("PasswordChar", &P::PasswordChar, &P::SetPasswordChar).SetDefault(0);
  t.Add("ReadOnly", &P::ReadOnly, &P::SetReadOnly).NoDefault().Stored(&P::IsReadOnlyStored);
  t.Add("UseLeftAlignmentOnEditing", &P::UseLeftAlignmentOnEditing, &P::SetUseLeftAlignmentOnEditing)
      .NoDefault()
      .Stored(&P::IsUseLeftAlignmentOnEditingStored);
  t.Add("ValidateOnEnter", &P::ValidateOnEnter, &P::SetValidateOnEnter).SetDefault(false);
  t.Add("OnChange", &P::OnChange);
  t.Add("OnEditValueChanged", &P::OnEditValueChanged);
  t.Add("OnNewLookupDisplayText", &P::OnNewLookupDisplayText);
  t.Add("OnValidate", &P::OnValidate);
}
