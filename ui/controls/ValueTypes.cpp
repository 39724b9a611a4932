#include "ui/controls/ValueTypes.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/classes/DateUtils.h"
#include "ui/controls/DbTypes.h"
#include "ui/controls/VariantRoutines.h"

namespace {

// Slots are caller-owned bytes with no promise of alignment.
template <class T>
T Get(const void* Slot) {
  T v;
  std::memcpy(&v, Slot, sizeof(T));
  return v;
}

template <class T>
void Put(void* Slot, T Value) {
  std::memcpy(Slot, &Value, sizeof(T));
}

template <class T>
int Sign(T A, T B) {
  return A < B ? -1 : (B < A ? 1 : 0);
}

// A difference that does not fit the result keeps at least its sign.
int Difference(std::int64_t A, std::int64_t B) {
  const std::int64_t d = A - B;
  if (d < std::numeric_limits<int>::min() || d > std::numeric_limits<int>::max()) return d < 0 ? -1 : 1;
  return static_cast<int>(d);
}

String* StringCell(const void* Slot) { return Get<String*>(Slot); }

// The wide-string block: a 32-bit count of UTF-16 units, then the units.
std::u16string BlockText(const void* Block) {
  const auto* bytes = static_cast<const unsigned char*>(Block);
  const auto count = static_cast<std::size_t>(Get<std::int32_t>(bytes));
  std::u16string w(count, u'\0');
  if (count) std::memcpy(w.data(), bytes + 4, count * 2);
  return w;
}

void* NewBlock(const std::u16string& W) {
  auto* block = static_cast<unsigned char*>(std::malloc(4 + W.size() * 2));
  if (!block) throw EOutOfMemory("Out of memory");
  Put<std::int32_t>(block, static_cast<std::int32_t>(W.size()));
  if (!W.empty()) std::memcpy(block + 4, W.data(), W.size() * 2);
  return block;
}

void* BlockOf(const void* Slot) { return Get<void*>(Slot); }

Variant* VariantCell(const void* Slot) { return Get<Variant*>(Slot); }

TObject* ObjectOf(const void* Slot) { return Get<TObject*>(Slot); }

String ReadText(TcxValueStream* Reader) {
  return Reader->WideText() ? ReadWideStringFromStream(Reader) : ReadAnsiStringFromStream(Reader);
}

void WriteText(TcxValueStream* Writer, const String& Text) {
  if (Writer->WideText()) WriteWideStringToStream(Writer, Text);
  else WriteAnsiStringToStream(Writer, Text);
}

}  // namespace

// ---- TcxValueType -------------------------------------------------------------------------------

int TcxValueType::CompareStored(void* Slot1, void* Slot2) const {
  DereferenceBuffer(Slot1);
  DereferenceBuffer(Slot2);
  return CompareRaw(Slot1, Slot2);
}

void TcxValueType::ReleaseValue(void*) const {}

void TcxValueType::FreeDisplayTextBuffer(void* TextSlot) const {
  delete StringCell(TextSlot);
  Put<String*>(TextSlot, nullptr);
}

void TcxValueType::ReadValueAsVariant(void*, Variant& V) const { V = Variant::Null(); }

String TcxValueType::DefaultValueText(void* Slot) const {
  try {
    Variant v;
    ReadValueAsVariant(Slot, v);
    return VarToStr(v);
  } catch (const EVariantError&) {
    return String();
  }
}

String TcxValueType::ReadDisplayTextBuffer(void* TextSlot) const {
  const String* cell = StringCell(TextSlot);
  return cell ? *cell : String();
}

void TcxValueType::LoadValueFromStream(void* Slot, TcxValueStream* Reader) const {
  Variant v;
  ReadVariantFromStream(Reader, v);
  StoreValueFromVariant(Slot, v);
}

void TcxValueType::LoadDisplayTextFromStream(void* TextSlot, TcxValueStream* Reader) const {
  StoreDisplayTextBuffer(TextSlot, ReadText(Reader));
}

void TcxValueType::StoreValueFromVariant(void*, const Variant&) const {}

void TcxValueType::StoreDisplayTextBuffer(void* TextSlot, const String& Text) const {
  String* cell = StringCell(TextSlot);
  if (!cell) Put(TextSlot, cell = new String);
  *cell = Text;
}

void TcxValueType::SaveValueToStream(void* Slot, TcxValueStream* Writer) const {
  Variant v;
  ReadValueAsVariant(Slot, v);
  WriteVariantToStream(Writer, v);
}

void TcxValueType::SaveDisplayTextToStream(void* TextSlot, TcxValueStream* Writer) const {
  WriteText(Writer, ReadDisplayTextBuffer(TextSlot));
}

String TcxValueType::ValueTypeCaption() const {
  String caption = ClassName();
  if (caption.rfind("Tcx", 0) == 0) caption.erase(0, 3);
  std::size_t at = caption.find("ValueType");
  if (at != String::npos) caption.erase(at, 9);
  return caption;
}

int TcxValueType::CompareRaw(void* Value1, void* Value2) const {
  Variant v1, v2;
  ReadValueAsVariant(Value1, v1);
  ReadValueAsVariant(Value2, v2);
  return CompareVariants(v1, v2);
}

bool TcxValueType::AcceptsValue(Variant& V) const {
  if (V.IsNull() || VariantTypeCode() == varVariant) return true;
  try {
    V = VarAsType(V, VariantTypeCode());
    return true;
  } catch (const EVariantError&) {
    return false;
  }
}

// ---- Strings ------------------------------------------------------------------------------------

void TcxStringValueType::ReleaseValue(void* Slot) const {
  delete StringCell(Slot);
  Put<String*>(Slot, nullptr);
}

void TcxStringValueType::ReadValueAsVariant(void* Slot, Variant& V) const {
  const String* cell = StringCell(Slot);
  V = cell ? Variant(*cell) : Variant::Null();
}

void TcxStringValueType::LoadValueFromStream(void* Slot, TcxValueStream* Reader) const {
  StoreValueFromVariant(Slot, Variant(ReadText(Reader)));
}

void TcxStringValueType::StoreValueFromVariant(void* Slot, const Variant& V) const {
  String text = VarToStr(V);
  String* cell = StringCell(Slot);
  if (!cell) Put(Slot, cell = new String);
  *cell = std::move(text);
}

void TcxStringValueType::SaveValueToStream(void* Slot, TcxValueStream* Writer) const {
  const String* cell = StringCell(Slot);
  WriteText(Writer, cell ? *cell : String());
}

int TcxStringValueType::CompareRaw(void* Value1, void* Value2) const {
  const auto* s1 = static_cast<const String*>(Value1);
  const auto* s2 = static_cast<const String*>(Value2);
  if (!s1 || !s2) return s1 ? 1 : (s2 ? -1 : 0);
  const int c = s1->compare(*s2);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

void TcxStringValueType::CopyValueToVariant(void* Buffer, Variant& V) const { ReadValueAsVariant(&Buffer, V); }

void TcxStringValueType::DereferenceBuffer(void*& Slot) const { Slot = Get<void*>(Slot); }

void TcxWideStringValueType::ReleaseValue(void* Slot) const {
  std::free(BlockOf(Slot));
  Put<void*>(Slot, nullptr);
}

void TcxWideStringValueType::ReadValueAsVariant(void* Slot, Variant& V) const {
  const void* block = BlockOf(Slot);
  V = block ? Variant::OleStr(Utf16ToUtf8(BlockText(block))) : Variant::Null();
}

void TcxWideStringValueType::LoadValueFromStream(void* Slot, TcxValueStream* Reader) const {
  StoreValueFromVariant(Slot, Variant::OleStr(ReadWideStringFromStream(Reader)));
}

void TcxWideStringValueType::StoreValueFromVariant(void* Slot, const Variant& V) const {
  // Converted before the old block goes, so a value without text leaves the slot as it was.
  void* fresh = V.IsNull() ? nullptr : NewBlock(Utf8ToUtf16(VarToStr(V)));
  std::free(BlockOf(Slot));
  Put(Slot, fresh);
}

void TcxWideStringValueType::SaveValueToStream(void* Slot, TcxValueStream* Writer) const {
  Variant v;
  ReadValueAsVariant(Slot, v);
  WriteWideStringToStream(Writer, VarToStr(v));
}

int TcxWideStringValueType::CompareRaw(void* Value1, void* Value2) const {
  if (!Value1 || !Value2) return Value1 ? 1 : (Value2 ? -1 : 0);
  const int c = BlockText(Value1).compare(BlockText(Value2));
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// ---- Fixed-size numbers -------------------------------------------------------------------------

void TcxSmallintValueType::ReadValueAsVariant(void* Slot, Variant& V) const { V = Variant(Get<std::int16_t>(Slot)); }
void TcxSmallintValueType::LoadValueFromStream(void* Slot, TcxValueStream* Reader) const {
  Put(Slot, ReadSmallIntFromStream(Reader));
}
void TcxSmallintValueType::StoreValueFromVariant(void* Slot, const Variant& V) const {
  // Out of range raises instead of storing a wrapped-around number.
  Put(Slot, static_cast<std::int16_t>(VarAsType(V, varSmallint).AsInteger()));
}
void TcxSmallintValueType::SaveValueToStream(void* Slot, TcxValueStream* Writer) const {
  WriteSmallIntToStream(Writer, Get<std::int16_t>(Slot));
}
int TcxSmallintValueType::CompareRaw(void* Value1, void* Value2) const {
  return Get<std::int16_t>(Value1) - Get<std::int16_t>(Value2);
}

void TcxIntegerValueType::ReadValueAsVariant(void* Slot, Variant& V) const {
  V = Variant(static_cast<int>(Get<std::int32_t>(Slot)));
}
void TcxIntegerValueType::LoadValueFromStream(void* Slot, TcxValueStream* Reader) const {
  Put(Slot, ReadIntegerFromStream(Reader));
}
void TcxIntegerValueType::StoreValueFromVariant(void* Slot, const Variant& V) const {
  Put<std::int32_t>(Slot, V.AsInteger());
}
void TcxIntegerValueType::SaveValueToStream(void* Slot, TcxValueStream* Writer) const {
  WriteIntegerToStream(Writer, Get<std::int32_t>(Slot));
}
int TcxIntegerValueType::CompareRaw(void* Value1, void* Value2) const {
  return Difference(Get<std::int32_t>(Value1), Get<std::int32_t>(Value2));
}

void TcxWordValueType::ReadValueAsVariant(void* Slot, Variant& V) const { V = Variant(Get<std::uint16_t>(Slot)); }
void TcxWordValueType::LoadValueFromStream(void* Slot, TcxValueStream* Reader) const {
  Put(Slot, ReadWordFromStream(Reader));
}
void TcxWordValueType::StoreValueFromVariant(void* Slot, const Variant& V) const {
  Put(Slot, static_cast<std::uint16_t>(VarAsType(V, varWord).AsInteger()));
}
void TcxWordValueType::SaveValueToStream(void* Slot, TcxValueStream* Writer) const {
  WriteWordToStream(Writer, Get<std::uint16_t>(Slot));
}
int TcxWordValueType::CompareRaw(void* Value1, void* Value2) const {
  return Get<std::uint16_t>(Value1) - Get<std::uint16_t>(Value2);
}

void TcxBooleanValueType::ReadValueAsVariant(void* Slot, Variant& V) const { V = Variant(Get<std::uint8_t>(Slot) != 0); }
String TcxBooleanValueType::DefaultValueText(void* Slot) const { return BoolToStr(Get<std::uint8_t>(Slot) != 0, true); }
void TcxBooleanValueType::LoadValueFromStream(void* Slot, TcxValueStream* Reader) const {
  Put<std::uint8_t>(Slot, ReadBooleanFromStream(Reader) ? 1 : 0);
}
void TcxBooleanValueType::StoreValueFromVariant(void* Slot, const Variant& V) const {
  Put<std::uint8_t>(Slot, V.AsBoolean() ? 1 : 0);
}
void TcxBooleanValueType::SaveValueToStream(void* Slot, TcxValueStream* Writer) const {
  WriteBooleanToStream(Writer, Get<std::uint8_t>(Slot) != 0);
}
int TcxBooleanValueType::CompareRaw(void* Value1, void* Value2) const {
  return (Get<std::uint8_t>(Value1) != 0) - (Get<std::uint8_t>(Value2) != 0);
}

void TcxFloatValueType::ReadValueAsVariant(void* Slot, Variant& V) const { V = Variant(Get<double>(Slot)); }
void TcxFloatValueType::LoadValueFromStream(void* Slot, TcxValueStream* Reader) const {
  Put(Slot, ReadExtendedFromStream(Reader));
}
void TcxFloatValueType::StoreValueFromVariant(void* Slot, const Variant& V) const { Put(Slot, V.AsDouble()); }
void TcxFloatValueType::SaveValueToStream(void* Slot, TcxValueStream* Writer) const {
  WriteExtendedToStream(Writer, Get<double>(Slot));
}
int TcxFloatValueType::CompareRaw(void* Value1, void* Value2) const {
  return Sign(Get<double>(Value1), Get<double>(Value2));
}

void TcxCurrencyValueType::ReadValueAsVariant(void* Slot, Variant& V) const {
  V = Variant::FromCurrencyScaled(Get<std::int64_t>(Slot));
}
void TcxCurrencyValueType::LoadValueFromStream(void* Slot, TcxValueStream* Reader) const {
  Put(Slot, ReadCurrencyFromStream(Reader));
}
void TcxCurrencyValueType::StoreValueFromVariant(void* Slot, const Variant& V) const {
  Put(Slot, V.AsCurrencyScaled());
}
void TcxCurrencyValueType::SaveValueToStream(void* Slot, TcxValueStream* Writer) const {
  WriteCurrencyToStream(Writer, Get<std::int64_t>(Slot));
}
int TcxCurrencyValueType::CompareRaw(void* Value1, void* Value2) const {
  return Sign(Get<std::int64_t>(Value1), Get<std::int64_t>(Value2));
}

void TcxDateTimeValueType::ReadValueAsVariant(void* Slot, Variant& V) const {
  V = Variant::FromDateTime(Get<double>(Slot));
}
String TcxDateTimeValueType::DefaultValueText(void* Slot) const {
  try {
    Variant v;
    ReadValueAsVariant(Slot, v);
    return VarToStr(v);
  } catch (const EVariantError&) {
    return DateTimeToStr(Get<double>(Slot));
  }
}
void TcxDateTimeValueType::LoadValueFromStream(void* Slot, TcxValueStream* Reader) const {
  Put(Slot, ReadDateTimeFromStream(Reader));
}
void TcxDateTimeValueType::StoreValueFromVariant(void* Slot, const Variant& V) const { Put(Slot, V.AsDateTime()); }
void TcxDateTimeValueType::SaveValueToStream(void* Slot, TcxValueStream* Writer) const {
  WriteDateTimeToStream(Writer, Get<double>(Slot));
}
int TcxDateTimeValueType::CompareRaw(void* Value1, void* Value2) const {
  return Sign(Get<double>(Value1), Get<double>(Value2));
}

void TcxLargeIntValueType::ReadValueAsVariant(void* Slot, Variant& V) const {
  V = Variant(static_cast<long long>(Get<std::int64_t>(Slot)));
}
void TcxLargeIntValueType::LoadValueFromStream(void* Slot, TcxValueStream* Reader) const {
  Put(Slot, ReadLargeIntFromStream(Reader));
}
void TcxLargeIntValueType::StoreValueFromVariant(void* Slot, const Variant& V) const { Put(Slot, V.AsInt64()); }
void TcxLargeIntValueType::SaveValueToStream(void* Slot, TcxValueStream* Writer) const {
  WriteLargeIntToStream(Writer, Get<std::int64_t>(Slot));
}
int TcxLargeIntValueType::CompareRaw(void* Value1, void* Value2) const {
  return Sign(Get<std::int64_t>(Value1), Get<std::int64_t>(Value2));
}

// ---- Decimal and time stamp ---------------------------------------------------------------------

int TcxFMTBcdValueType::ValueSize() const { return sizeof(TBcd); }
void TcxFMTBcdValueType::ReadValueAsVariant(void* Slot, Variant& V) const { V = VarFMTBcdCreate(Get<TBcd>(Slot)); }
String TcxFMTBcdValueType::DefaultValueText(void* Slot) const { return BcdToStr(Get<TBcd>(Slot)); }
void TcxFMTBcdValueType::StoreValueFromVariant(void* Slot, const Variant& V) const { Put(Slot, VarToBcd(V)); }
int TcxFMTBcdValueType::CompareRaw(void* Value1, void* Value2) const {
  return BcdCompare(Get<TBcd>(Value1), Get<TBcd>(Value2));
}
TVarType TcxFMTBcdValueType::VariantTypeCode() const { return varFMTBcd; }
bool TcxFMTBcdValueType::AcceptsValue(Variant& V) const {
  if (V.IsNull()) return true;
  try {
    V = VarFMTBcdCreate(VarToBcd(V));
    return true;
  } catch (const EVariantError&) {
    return false;
  }
}

int TcxSQLTimeStampValueType::ValueSize() const { return sizeof(TSQLTimeStamp); }
void TcxSQLTimeStampValueType::ReadValueAsVariant(void* Slot, Variant& V) const {
  V = Variant::FromDateTime(SQLTimeStampToDateTime(Get<TSQLTimeStamp>(Slot)));
}
void TcxSQLTimeStampValueType::StoreValueFromVariant(void* Slot, const Variant& V) const {
  Put(Slot, VarToSQLTimeStamp(V));
}
int TcxSQLTimeStampValueType::CompareRaw(void* Value1, void* Value2) const {
  const auto a = Get<TSQLTimeStamp>(Value1), b = Get<TSQLTimeStamp>(Value2);
  if (a.Year != b.Year) return a.Year - b.Year;
  if (a.Month != b.Month) return a.Month - b.Month;
  if (a.Day != b.Day) return a.Day - b.Day;
  if (a.Hour != b.Hour) return a.Hour - b.Hour;
  if (a.Minute != b.Minute) return a.Minute - b.Minute;
  if (a.Second != b.Second) return a.Second - b.Second;
  return Difference(a.Fractions, b.Fractions);
}
TVarType TcxSQLTimeStampValueType::VariantTypeCode() const { return varSQLTimeStamp; }
bool TcxSQLTimeStampValueType::AcceptsValue(Variant& V) const {
  if (V.IsNull()) return true;
  try {
    V = VarAsType(V, varDate);
    return true;
  } catch (const EVariantError&) {
    return false;
  }
}

// ---- Variant and object -------------------------------------------------------------------------

void TcxVariantValueType::ReleaseValue(void* Slot) const {
  delete VariantCell(Slot);
  Put<Variant*>(Slot, nullptr);
}

void TcxVariantValueType::ReadValueAsVariant(void* Slot, Variant& V) const {
  const Variant* cell = VariantCell(Slot);
  V = cell ? *cell : Variant::Null();
}

void TcxVariantValueType::StoreValueFromVariant(void* Slot, const Variant& V) const {
  Variant* cell = VariantCell(Slot);
  if (!cell) Put(Slot, cell = new Variant);
  *cell = V;
}

int TcxVariantValueType::CompareRaw(void* Value1, void* Value2) const {
  if (!Value1 || !Value2) return Value1 ? 1 : (Value2 ? -1 : 0);
  return CompareVariants(*static_cast<const Variant*>(Value1), *static_cast<const Variant*>(Value2));
}

void TcxVariantValueType::CopyValueToVariant(void* Buffer, Variant& V) const { ReadValueAsVariant(&Buffer, V); }

void TcxVariantValueType::DereferenceBuffer(void*& Slot) const { Slot = Get<void*>(Slot); }

void TcxObjectValueType::ReleaseValue(void* Slot) const {
  TObject* old = ObjectOf(Slot);
  Put<TObject*>(Slot, nullptr);
  TObject::Free(old);
}

void TcxObjectValueType::ReadValueAsVariant(void* Slot, Variant& V) const {
  const auto address = reinterpret_cast<std::intptr_t>(ObjectOf(Slot));
  if constexpr (sizeof(void*) == 8) V = Variant(static_cast<long long>(address));
  else V = Variant(static_cast<int>(address));
}

void TcxObjectValueType::StoreValueFromVariant(void* Slot, const Variant& V) const {
  auto* object = reinterpret_cast<TObject*>(static_cast<std::intptr_t>(V.AsInt64()));
  // The slot owns what it holds: an object it lets go of is freed, not leaked.
  TObject* old = ObjectOf(Slot);
  if (old != object) {
    Put(Slot, object);
    TObject::Free(old);
  }
}

int TcxObjectValueType::CompareRaw(void* Value1, void* Value2) const {
  return Sign(reinterpret_cast<std::uintptr_t>(ObjectOf(Value1)), reinterpret_cast<std::uintptr_t>(ObjectOf(Value2)));
}

// ---- Registry -----------------------------------------------------------------------------------

TcxValueTypeClassList::TcxValueTypeClassList() : FItems(new TList) {}

TcxValueTypeClassList::~TcxValueTypeClassList() { FreeAndNil(FItems); }

void TcxValueTypeClassList::RegisterClass(TcxValueTypeClass AClass) {
  void* item = const_cast<TcxValueType*>(AClass);
  if (FItems->IndexOf(item) < 0) FItems->Add(item);
}

void TcxValueTypeClassList::UnregisterClass(TcxValueTypeClass AClass) {
  FItems->Remove(const_cast<TcxValueType*>(AClass));
}

namespace {

TcxValueTypeClass const* RegisteredTypes() {
  static const TcxValueTypeClass types[] = {
      ValueTypeClass<TcxStringValueType>(),   ValueTypeClass<TcxWideStringValueType>(),
      ValueTypeClass<TcxSmallintValueType>(), ValueTypeClass<TcxIntegerValueType>(),
      ValueTypeClass<TcxWordValueType>(),     ValueTypeClass<TcxBooleanValueType>(),
      ValueTypeClass<TcxFloatValueType>(),    ValueTypeClass<TcxCurrencyValueType>(),
      ValueTypeClass<TcxDateTimeValueType>(), ValueTypeClass<TcxLargeIntValueType>(),
      ValueTypeClass<TcxFMTBcdValueType>(),   ValueTypeClass<TcxSQLTimeStampValueType>(),
      ValueTypeClass<TcxVariantValueType>(),  ValueTypeClass<TcxObjectValueType>()};
  return types;
}
constexpr int kRegisteredTypeCount = 14;

// Plain pointer and flag, so that a late caller after shutdown reads a valid null.
TcxValueTypeClassList* gValueTypeClassList = nullptr;
bool gValueTypesFinalized = false;

struct TValueTypesUnit {
  TValueTypesUnit() { ValueTypeClassList(); }
  ~TValueTypesUnit() {
    if (!gValueTypeClassList) return;
    TcxValueTypeClass const* types = RegisteredTypes();
    for (int i = kRegisteredTypeCount - 1; i > 0; i -= 2) {
      gValueTypeClassList->UnregisterClass(types[i]);
      gValueTypeClassList->UnregisterClass(types[i - 1]);
    }
    FreeAndNil(gValueTypeClassList);
    gValueTypesFinalized = true;
  }
} ValueTypesUnit;

}  // namespace

TcxValueTypeClassList* ValueTypeClassList() {
  if (!gValueTypeClassList && !gValueTypesFinalized) {
    gValueTypeClassList = new TcxValueTypeClassList;
    TcxValueTypeClass const* types = RegisteredTypes();
    for (int i = 0; i < kRegisteredTypeCount; ++i) gValueTypeClassList->RegisterClass(types[i]);
  }
  return gValueTypeClassList;
}
