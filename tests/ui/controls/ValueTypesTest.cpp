#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include "platform/classes/DateUtils.h"
#include "ui/controls/DbTypes.h"
#include "ui/controls/ValueTypes.h"
#include "ui/controls/VariantRoutines.h"

namespace {

// A caller-owned slot of the type's size, released on the way out.
class Slot {
 public:
  explicit Slot(TcxValueTypeClass Type) : FType(Type), FBytes(static_cast<std::size_t>(Type->ValueSize()) + 1) {}
  ~Slot() {
    FType->ReleaseValue(Data());
    FType->FreeDisplayTextBuffer(&FText);
  }
  // One byte in, so that no value sits at its natural alignment.
  void* Data() { return FBytes.data() + 1; }
  String** Text() { return &FText; }
  Variant Value() {
    Variant v;
    FType->ReadValueAsVariant(Data(), v);
    return v;
  }
  Slot& Store(const Variant& V) {
    FType->StoreValueFromVariant(Data(), V);
    return *this;
  }

 private:
  TcxValueTypeClass FType;
  std::vector<unsigned char> FBytes;
  String* FText = nullptr;
};

String Saved(TcxValueTypeClass Type, const Variant& V, bool Wide = false) {
  Slot slot(Type);
  if (!V.IsNull()) slot.Store(V);
  TStringStream bytes;
  TcxValueStream writer(&bytes, Wide);
  Type->SaveValueToStream(slot.Data(), &writer);
  return bytes.DataString();
}

TEST(ValueTypes, FamilyTable) {
  const struct {
    TcxValueTypeClass type;
    int size;
    TVarType code;
    const char* caption;
    bool isString;
  } rows[] = {
      {ValueTypeClass<TcxValueType>(), 0, varVariant, "", false},
      {ValueTypeClass<TcxStringValueType>(), sizeof(void*), varString, "String", true},
      {ValueTypeClass<TcxWideStringValueType>(), sizeof(void*), varOleStr, "WideString", true},
      {ValueTypeClass<TcxSmallintValueType>(), 2, varSmallint, "Smallint", false},
      {ValueTypeClass<TcxIntegerValueType>(), 4, varInteger, "Integer", false},
      {ValueTypeClass<TcxWordValueType>(), 2, varWord, "Word", false},
      {ValueTypeClass<TcxBooleanValueType>(), 1, varBoolean, "Boolean", false},
      {ValueTypeClass<TcxFloatValueType>(), 8, varDouble, "Float", false},
      {ValueTypeClass<TcxCurrencyValueType>(), 8, varCurrency, "Currency", false},
      {ValueTypeClass<TcxDateTimeValueType>(), 8, varDate, "DateTime", false},
      {ValueTypeClass<TcxLargeIntValueType>(), 8, varInt64, "LargeInt", false},
      {ValueTypeClass<TcxFMTBcdValueType>(), 34, varFMTBcd, "FMTBcd", false},
      {ValueTypeClass<TcxSQLTimeStampValueType>(), 16, varSQLTimeStamp, "SQLTimeStamp", false},
      {ValueTypeClass<TcxVariantValueType>(), sizeof(void*), varVariant, "Variant", false},
      {ValueTypeClass<TcxObjectValueType>(), sizeof(void*), sizeof(void*) == 8 ? varInt64 : varInteger, "Object", false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.type->ClassName());
    EXPECT_EQ(r.type->ValueSize(), r.size);
    EXPECT_EQ(r.type->VariantTypeCode(), r.code);
    EXPECT_EQ(r.type->ValueTypeCaption(), r.caption);
    EXPECT_EQ(r.type->IsStringType(), r.isString);
  }
  // Registered in this order, the base type not among them.
  TcxValueTypeClassList* list = ValueTypeClassList();
  ASSERT_EQ(list->Count(), 14);
  for (int i = 0; i < 14; ++i) EXPECT_EQ(list->Items(i), rows[i + 1].type);
  // The registry is process-wide: whatever happens below, later tests find it in its first order.
  struct Restore {
    TcxValueTypeClassList* list;
    std::vector<TcxValueTypeClass> order;
    ~Restore() {
      while (list->Count() > 0) list->UnregisterClass(list->Items(0));
      for (TcxValueTypeClass type : order) list->RegisterClass(type);
    }
  } restore{list, {}};
  for (int i = 0; i < list->Count(); ++i) restore.order.push_back(list->Items(i));
  list->RegisterClass(rows[4].type);
  EXPECT_EQ(list->Count(), 14);
  list->UnregisterClass(rows[4].type);
  EXPECT_EQ(list->Count(), 13);
  list->RegisterClass(rows[4].type);  // comes back at the end
  EXPECT_EQ(list->Count(), 14);
  EXPECT_EQ(list->Items(13), rows[4].type);
}

TEST(ValueTypes, StoreReadAndText) {
  const struct {
    TcxValueTypeClass type;
    Variant stored;
    TVarType readType;
    String text;
  } rows[] = {
      {ValueTypeClass<TcxStringValueType>(), Variant(42), varString, "42"},
      {ValueTypeClass<TcxWideStringValueType>(), Variant("\xE5\xB1\x8F"), varOleStr, "\xE5\xB1\x8F"},
      {ValueTypeClass<TcxSmallintValueType>(), Variant("-300"), varSmallint, "-300"},
      {ValueTypeClass<TcxIntegerValueType>(), Variant(2.5), varInteger, "2"},
      {ValueTypeClass<TcxWordValueType>(), Variant(65535), varWord, "65535"},
      {ValueTypeClass<TcxBooleanValueType>(), Variant("true"), varBoolean, "True"},
      {ValueTypeClass<TcxFloatValueType>(), Variant(0.1), varDouble, "0.1"},
      {ValueTypeClass<TcxCurrencyValueType>(), Variant(1.23456), varCurrency, "1.2346"},
      {ValueTypeClass<TcxDateTimeValueType>(), Variant::FromDateTime(2.75), varDate, VarToStr(Variant::FromDateTime(2.75))},
      {ValueTypeClass<TcxLargeIntValueType>(), Variant(1LL << 40), varInt64, "1099511627776"},
      {ValueTypeClass<TcxFMTBcdValueType>(), Variant("-0012.3400"), varString, "-12.34"},
      {ValueTypeClass<TcxSQLTimeStampValueType>(), Variant::FromDateTime(2.75), varDate,
       VarToStr(Variant::FromDateTime(2.75))},
      {ValueTypeClass<TcxVariantValueType>(), VarArrayOf({1, "a"}), varArray | varVariant, ""},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.type->ClassName());
    Slot slot(r.type);
    slot.Store(r.stored);
    Variant v = slot.Value();
    EXPECT_EQ(v.Type(), r.readType);
    EXPECT_EQ(r.type->DefaultValueText(slot.Data()), r.text);  // an array has no text: empty
    // CopyValueToVariant takes what CompareRaw takes.
    void* buffer = slot.Data();
    r.type->DereferenceBuffer(buffer);
    Variant copy;
    r.type->CopyValueToVariant(buffer, copy);
    EXPECT_EQ(CompareVariants(copy, v), 0);
  }
  // A fresh time-stamp slot reads as the zero date; a stamp off the calendar raises.
  Slot stamp(ValueTypeClass<TcxSQLTimeStampValueType>());
  EXPECT_EQ(stamp.Value().AsDateTime(), 0.0);
  TSQLTimeStamp bad;
  bad.Year = 2024;
  bad.Month = 13;
  bad.Day = 1;
  std::memcpy(stamp.Data(), &bad, sizeof bad);
  EXPECT_THROW(stamp.Value(), EConvertError);
  // Values that do not fit the slot raise instead of wrapping around.
  Slot small(ValueTypeClass<TcxSmallintValueType>());
  EXPECT_THROW(small.Store(Variant(40000)), EVariantError);
  Slot word(ValueTypeClass<TcxWordValueType>());
  EXPECT_THROW(word.Store(Variant(-1)), EVariantError);
}

TEST(ValueTypes, PointerSlotsKeepNullApartFromEmpty) {
  TcxValueTypeClass wide = ValueTypeClass<TcxWideStringValueType>();
  Slot nil(wide), empty(wide);
  empty.Store(Variant(""));
  EXPECT_TRUE(nil.Value().IsNull());
  EXPECT_EQ(VarType(empty.Value()), varOleStr);
  void* block = nullptr;
  std::memcpy(&block, empty.Data(), sizeof block);
  ASSERT_NE(block, nullptr);
  std::int32_t count = -1;
  std::memcpy(&count, block, 4);
  EXPECT_EQ(count, 0);
  EXPECT_LT(wide->CompareStored(nil.Data(), empty.Data()), 0);
  EXPECT_EQ(wide->CompareStored(nil.Data(), Slot(wide).Data()), 0);
  empty.Store(Variant::Null());
  EXPECT_TRUE(empty.Value().IsNull());

  for (TcxValueTypeClass type : {ValueTypeClass<TcxStringValueType>(), ValueTypeClass<TcxVariantValueType>()}) {
    SCOPED_TRACE(type->ClassName());
    Slot a(type), b(type), c(type);
    b.Store(Variant(""));
    EXPECT_TRUE(a.Value().IsNull());
    EXPECT_LT(type->CompareStored(a.Data(), b.Data()), 0);
    EXPECT_GT(type->CompareStored(b.Data(), a.Data()), 0);
    EXPECT_EQ(type->CompareStored(a.Data(), c.Data()), 0);
  }
}

TEST(ValueTypes, RawComparisons) {
  const struct {
    TcxValueTypeClass type;
    Variant low, high;
  } rows[] = {
      {ValueTypeClass<TcxStringValueType>(), Variant("B"), Variant("a")},  // ordinal, case-sensitive
      {ValueTypeClass<TcxWideStringValueType>(), Variant("Z"), Variant("\xC3\xA4")},
      {ValueTypeClass<TcxSmallintValueType>(), Variant(-32768), Variant(32767)},
      {ValueTypeClass<TcxIntegerValueType>(), Variant(std::numeric_limits<int>::min()), Variant(1)},
      {ValueTypeClass<TcxWordValueType>(), Variant(0), Variant(65535)},
      {ValueTypeClass<TcxBooleanValueType>(), Variant(false), Variant(true)},
      {ValueTypeClass<TcxFloatValueType>(), Variant(-0.5), Variant(0.25)},
      {ValueTypeClass<TcxCurrencyValueType>(), Variant(1.0001), Variant(1.0002)},
      {ValueTypeClass<TcxDateTimeValueType>(), Variant::FromDateTime(1.5), Variant::FromDateTime(1.75)},
      {ValueTypeClass<TcxLargeIntValueType>(), Variant(0xFFFFFFFFLL), Variant(0x100000000LL)},
      {ValueTypeClass<TcxFMTBcdValueType>(), Variant("-10.5"), Variant("9.75")},
      {ValueTypeClass<TcxSQLTimeStampValueType>(), Variant::FromDateTime(40000.5), Variant::FromDateTime(40000.75)},
      {ValueTypeClass<TcxVariantValueType>(), Variant(2), Variant("10")},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.type->ClassName());
    Slot low(r.type), high(r.type), same(r.type);
    low.Store(r.low);
    high.Store(r.high);
    same.Store(r.low);
    EXPECT_LT(r.type->CompareStored(low.Data(), high.Data()), 0);
    EXPECT_GT(r.type->CompareStored(high.Data(), low.Data()), 0);
    EXPECT_EQ(r.type->CompareStored(low.Data(), same.Data()), 0);
  }
  // Small kinds answer the difference itself.
  Slot a(ValueTypeClass<TcxSmallintValueType>()), b(ValueTypeClass<TcxSmallintValueType>());
  a.Store(Variant(7));
  b.Store(Variant(3));
  EXPECT_EQ(ValueTypeClass<TcxSmallintValueType>()->CompareStored(a.Data(), b.Data()), 4);
  // A time stamp answers the difference of the first field that differs.
  Slot t1(ValueTypeClass<TcxSQLTimeStampValueType>()), t2(ValueTypeClass<TcxSQLTimeStampValueType>());
  t1.Store(Variant::FromDateTime(EncodeDate(2024, 2, 10)));
  t2.Store(Variant::FromDateTime(EncodeDate(2024, 2, 10) + 3));
  EXPECT_EQ(ValueTypeClass<TcxSQLTimeStampValueType>()->CompareStored(t1.Data(), t2.Data()), -3);
}

TEST(ValueTypes, AcceptsValue) {
  TcxValueTypeClass integer = ValueTypeClass<TcxIntegerValueType>();
  Variant v("123");
  EXPECT_TRUE(integer->AcceptsValue(v));
  EXPECT_EQ(VarType(v), varInteger);
  EXPECT_EQ(v.AsInteger(), 123);
  Variant bad("12a");
  EXPECT_FALSE(integer->AcceptsValue(bad));
  EXPECT_EQ(VarType(bad), varString);
  EXPECT_EQ(bad.AsString(), "12a");
  Variant null = Variant::Null();
  EXPECT_TRUE(integer->AcceptsValue(null));
  Variant anything("x");
  EXPECT_TRUE(ValueTypeClass<TcxVariantValueType>()->AcceptsValue(anything));
  EXPECT_TRUE(ValueTypeClass<TcxValueType>()->AcceptsValue(anything));
  Variant big(70000);
  EXPECT_FALSE(ValueTypeClass<TcxSmallintValueType>()->AcceptsValue(big));
  Variant decimal(" 1.50 ");
  EXPECT_TRUE(ValueTypeClass<TcxFMTBcdValueType>()->AcceptsValue(decimal));
  EXPECT_EQ(decimal.AsString(), "1.5");
  Variant notDecimal("1.5.0");
  EXPECT_FALSE(ValueTypeClass<TcxFMTBcdValueType>()->AcceptsValue(notDecimal));
  Variant stamp(40000);
  EXPECT_TRUE(ValueTypeClass<TcxSQLTimeStampValueType>()->AcceptsValue(stamp));
  EXPECT_EQ(VarType(stamp), varDate);
  Variant notStamp("soon");
  EXPECT_FALSE(ValueTypeClass<TcxSQLTimeStampValueType>()->AcceptsValue(notStamp));
}

TEST(ValueTypes, StreamForms) {
  EXPECT_EQ(Saved(ValueTypeClass<TcxFloatValueType>(), Variant(1.0)),
            String("\x00\x00\x00\x00\x00\x00\x00\x80\xff\x3f", 10));
  EXPECT_EQ(Saved(ValueTypeClass<TcxSmallintValueType>(), Variant(-2)), String("\xfe\xff", 2));
  EXPECT_EQ(Saved(ValueTypeClass<TcxWordValueType>(), Variant(258)), String("\x02\x01", 2));
  EXPECT_EQ(Saved(ValueTypeClass<TcxIntegerValueType>(), Variant(258)), String("\x02\x01\x00\x00", 4));
  EXPECT_EQ(Saved(ValueTypeClass<TcxBooleanValueType>(), Variant(true)), "\x01");
  EXPECT_EQ(Saved(ValueTypeClass<TcxCurrencyValueType>(), Variant(1.5)), String("\x98\x3a\x00\x00\x00\x00\x00\x00", 8));
  EXPECT_EQ(Saved(ValueTypeClass<TcxLargeIntValueType>(), Variant(-1LL)), String(8, '\xff'));
  EXPECT_EQ(Saved(ValueTypeClass<TcxDateTimeValueType>(), Variant::FromDateTime(2.0)),
            String("\x00\x00\x00\x00\x00\x00\x00\x40", 8));
  EXPECT_EQ(Saved(ValueTypeClass<TcxStringValueType>(), Variant("ab")), String("\x02\x00\x00\x00" "ab", 6));
  EXPECT_EQ(Saved(ValueTypeClass<TcxStringValueType>(), Variant("ab"), true),
            String("\x02\x00\x00\x00" "a\x00" "b\x00", 8));
  EXPECT_EQ(Saved(ValueTypeClass<TcxWideStringValueType>(), Variant("ab")),
            String("\x02\x00\x00\x00" "a\x00" "b\x00", 8));
  EXPECT_EQ(Saved(ValueTypeClass<TcxVariantValueType>(), Variant(300)), String("\x03\x2c\x01", 3));
  EXPECT_EQ(Saved(ValueTypeClass<TcxVariantValueType>(), Variant::Null()), String("\x00", 1));
  EXPECT_EQ(Saved(ValueTypeClass<TcxFMTBcdValueType>(), Variant("2.50")), "\x06\x03" "2.5");
  EXPECT_EQ(Saved(ValueTypeClass<TcxSQLTimeStampValueType>(), Variant::FromDateTime(2.0)),
            String("\x11\x00\x00\x00\x00\x00\x00\x00\x40", 9));
  EXPECT_EQ(Saved(ValueTypeClass<TcxObjectValueType>(), Variant::Null()), "");

  // Every type reads back what it wrote; the float keeps its double through the 10-byte form.
  const struct {
    TcxValueTypeClass type;
    Variant value;
  } rows[] = {
      {ValueTypeClass<TcxFloatValueType>(), Variant(0.1)},
      {ValueTypeClass<TcxFloatValueType>(), Variant(-1.7976931348623157e308)},
      {ValueTypeClass<TcxStringValueType>(), Variant("\xE5\xB1\x8F\xE5\xB9\x95")},
      {ValueTypeClass<TcxWideStringValueType>(), Variant("\xF0\x9F\x98\x80")},
      {ValueTypeClass<TcxCurrencyValueType>(), Variant(-922337203685477.5807)},
      {ValueTypeClass<TcxSQLTimeStampValueType>(), Variant::FromDateTime(45000.5)},
      {ValueTypeClass<TcxFMTBcdValueType>(), Variant("-123456789012345678901234567890.5")},
      {ValueTypeClass<TcxVariantValueType>(), VarArrayOf({1, "two", 3.5})},
  };
  for (const auto& r : rows) {
    for (bool wide : {false, true}) {
      SCOPED_TRACE(r.type->ClassName() + (wide ? " wide" : " ansi"));
      TStringStream bytes(Saved(r.type, r.value, wide));
      TcxValueStream reader(&bytes, wide);
      Slot in(r.type), original(r.type);
      r.type->LoadValueFromStream(in.Data(), &reader);
      original.Store(r.value);
      EXPECT_EQ(r.type->CompareStored(in.Data(), original.Data()), 0);
      EXPECT_EQ(bytes.Position(), bytes.Size());
    }
  }
  // A short stream raises the stream's read error.
  TStringStream shortBytes(String("\x01\x02", 2));
  TcxValueStream reader(&shortBytes, false);
  Slot integer(ValueTypeClass<TcxIntegerValueType>());
  EXPECT_THROW(ValueTypeClass<TcxIntegerValueType>()->LoadValueFromStream(integer.Data(), &reader), EReadError);
}

TEST(ValueTypes, DisplayTexts) {
  TcxValueTypeClass type = ValueTypeClass<TcxIntegerValueType>();
  Slot slot(type);
  EXPECT_EQ(type->ReadDisplayTextBuffer(slot.Text()), "");
  type->StoreDisplayTextBuffer(slot.Text(), "\xE5\xB1\x8F");
  type->StoreDisplayTextBuffer(slot.Text(), "12");
  EXPECT_EQ(type->ReadDisplayTextBuffer(slot.Text()), "12");
  for (bool wide : {false, true}) {
    TStringStream bytes;
    TcxValueStream writer(&bytes, wide);
    type->SaveDisplayTextToStream(slot.Text(), &writer);
    EXPECT_EQ(bytes.DataString().size(), wide ? 8u : 6u);
    bytes.SetPosition(0);
    TcxValueStream reader(&bytes, wide);
    Slot back(type);
    type->LoadDisplayTextFromStream(back.Text(), &reader);
    EXPECT_EQ(type->ReadDisplayTextBuffer(back.Text()), "12");
  }
}

TEST(ValueTypes, ObjectSlotOwnsItsObject) {
  TcxValueTypeClass type = ValueTypeClass<TcxObjectValueType>();
  Slot slot(type);
  auto* first = new TObject;
  auto* second = new TObject;
  slot.Store(Variant(static_cast<long long>(reinterpret_cast<std::intptr_t>(first))));
  slot.Store(Variant(static_cast<long long>(reinterpret_cast<std::intptr_t>(first))));  // same: kept
  EXPECT_EQ(slot.Value().AsInt64(), reinterpret_cast<std::intptr_t>(first));
  slot.Store(Variant(static_cast<long long>(reinterpret_cast<std::intptr_t>(second))));  // first is freed
  TObject* held = nullptr;
  std::memcpy(&held, slot.Data(), sizeof held);
  EXPECT_EQ(held, second);
  // The slot frees the second on release; LeakSanitizer sees to the rest.
}

}  // namespace
