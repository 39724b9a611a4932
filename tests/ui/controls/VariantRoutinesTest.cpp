#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/classes/Streams.h"
#include "ui/controls/VariantRoutines.h"

namespace {

String Written(const Variant& V) {
  TStringStream s;
  WriteVariantToStream(&s, V);
  return s.DataString();
}

Variant ReadBack(const String& Bytes) {
  TStringStream s(Bytes);
  Variant v;
  ReadVariantFromStream(&s, v);
  return v;
}

TEST(VariantCompare, EmptyNullAndValues) {
  const Variant empty, null = Variant::Null();
  EXPECT_EQ(CompareVariants(empty, null), -1);
  EXPECT_EQ(CompareVariants(null, empty), 1);
  EXPECT_EQ(CompareVariants(empty, empty), 0);
  EXPECT_EQ(CompareVariants(null, null), 0);
  EXPECT_EQ(CompareVariants(null, Variant(5)), -1);
  EXPECT_EQ(CompareVariants(Variant(5), null), 1);
  EXPECT_EQ(CompareVariants(Variant(2), Variant(10)), -1);
  EXPECT_EQ(CompareVariants(Variant("10"), Variant(10)), 0);
  // Values the platform cannot compare are "less", never an error.
  EXPECT_EQ(CompareVariants(Variant("abc"), Variant(1)), -1);
  EXPECT_EQ(CompareVariants(Variant(1), Variant("abc")), -1);
}

TEST(VariantCompare, Arrays) {
  const Variant a12 = VarArrayOf({1, 2}), a13 = VarArrayOf({1, 3}), a123 = VarArrayOf({1, 2, 3});
  EXPECT_EQ(CompareVariants(a12, Variant(100)), 1);
  EXPECT_EQ(CompareVariants(Variant(100), a12), -1);
  EXPECT_EQ(CompareVariants(a12, a123), -1);  // by the high bounds first
  EXPECT_EQ(CompareVariants(a123, a12), 1);
  EXPECT_LT(CompareVariants(a12, a13), 0);
  EXPECT_GT(CompareVariants(a13, a12), 0);
  EXPECT_EQ(CompareVariants(a12, VarArrayOf({1, 2})), 0);
  EXPECT_EQ(CompareVariants(VarArrayCreate(0, -1, varVariant), VarArrayCreate(0, -1, varVariant)), 0);
  // Index 0 of an array based at 1 does not exist: it counts as Empty instead of raising.
  Variant based1 = VarArrayCreate(1, 1, varVariant);
  based1[1] = 7;
  EXPECT_EQ(CompareVariants(based1, VarArrayOf({Variant(), 7})), 0);
}

TEST(VariantCompare, LooseEquality) {
  EXPECT_TRUE(VarEqualsLoose(Variant(true), Variant("True")));
  EXPECT_FALSE(VarEqualsLoose(Variant(true), Variant("-1")));
  EXPECT_TRUE(VarEqualsLoose(Variant(false), Variant(false)));
  EXPECT_FALSE(VarEqualsLoose(Variant(true), VarArrayOf({1})));  // no text: unequal, no error
  EXPECT_TRUE(VarEqualsLoose(Variant(12), Variant("12")));
  EXPECT_FALSE(VarEqualsLoose(Variant(true), Variant::Null()));
  EXPECT_TRUE(VarEqualsLoose(Variant::Null(), Variant::Null()));
}

TEST(VariantTests, TypeTests) {
  EXPECT_TRUE(VarHoldsDateTime(Variant::FromDateTime(1.5)));
  EXPECT_FALSE(VarHoldsDateTime(Variant(1.5)));
  EXPECT_TRUE(VarHoldsNumber(Variant::FromCurrency(1.5)));
  EXPECT_FALSE(VarHoldsNumber(Variant("1")));
  EXPECT_TRUE(VarIsNullOrEmptyText(Variant::Null()));
  EXPECT_TRUE(VarIsNullOrEmptyText(Variant("")));
  EXPECT_TRUE(VarIsNullOrEmptyText(Variant::OleStr("")));
  EXPECT_FALSE(VarIsNullOrEmptyText(Variant()));
  EXPECT_FALSE(VarIsNullOrEmptyText(Variant(" ")));
}

TEST(VariantStream, IntegersTakeTheSmallestTag) {
  struct Case {
    long long value;
    String bytes;
  } cases[] = {
      {127, String("\x02\x7f", 2)},
      {-128, String("\x02\x80", 2)},
      {128, String("\x03\x80\x00", 3)},
      {300, String("\x03\x2c\x01", 3)},
      {-129, String("\x03\x7f\xff", 3)},
      {32768, String("\x04\x00\x80\x00\x00", 5)},
      {2147483647, String("\x04\xff\xff\xff\x7f", 5)},
      {2147483648LL, String("\x13\x00\x00\x00\x80\x00\x00\x00\x00", 9)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(Written(Variant(c.value)), c.bytes);
  }
  // Read back by the tag, not by the type written.
  EXPECT_EQ(VarType(ReadBack(Written(Variant(300LL)))), varSmallint);
  EXPECT_EQ(VarType(ReadBack(Written(Variant(127)))), varShortInt);
  EXPECT_EQ(ReadBack(Written(Variant(2147483648LL))).AsInt64(), 2147483648LL);
}

TEST(VariantStream, StringsAndScalarsRoundTrip) {
  String s255(255, 'x'), s256(256, 'y');
  EXPECT_EQ(Written(Variant(s255)).substr(0, 2), String("\x06\xff", 2));
  EXPECT_EQ(Written(Variant(s256)).substr(0, 5), String("\x0c\x00\x01\x00\x00", 5));
  EXPECT_EQ(ReadBack(Written(Variant(s256))).AsString(), s256);

  EXPECT_EQ(Written(Variant()), "\x0d");
  EXPECT_EQ(Written(Variant::Null()), String("\x00", 1));
  EXPECT_EQ(Written(Variant(true)), "\x09");
  EXPECT_EQ(Written(Variant(false)), "\x08");
  EXPECT_EQ(Written(Variant(1.0)), String("\x05\x00\x00\x00\x00\x00\x00\x00\x80\xff\x3f", 11));

  const Variant values[] = {Variant(),
                            Variant::Null(),
                            Variant(true),
                            Variant(0.1),
                            Variant(-1e300),
                            Variant(4.9e-324),
                            Variant(2.5f),
                            Variant::FromCurrencyScaled(-123456789),
                            Variant::FromDateTime(45000.25),
                            Variant::OleStr("\xE5\xB1\x8F \xF0\x9F\x98\x80"),
                            Variant("\xE5\xB1\x8F\xE5\xB9\x95")};
  for (const Variant& v : values) {
    SCOPED_TRACE(VarTypeAsText(v.Type()));
    Variant r = ReadBack(Written(v));
    EXPECT_EQ(r.Type(), v.Type());
    EXPECT_EQ(CompareVariants(r, v), 0);
  }
  // The wide form counts UTF-16 units: a character outside the basic plane takes two.
  EXPECT_EQ(Written(Variant::OleStr("\xF0\x9F\x98\x80")), String("\x12\x02\x00\x00\x00\x3d\xd8\x00\xde", 9));
}

TEST(VariantStream, ArraysRoundTripAsVariantArrays) {
  Variant a = VarArrayCreate(5, 6, varVariant);
  a[5] = 300;
  a[6] = "text";
  EXPECT_EQ(Written(a), String("\x01\x02\x02\x03\x2c\x01\x06\x04text", 12));
  Variant r = ReadBack(Written(a));
  ASSERT_TRUE(r.IsArray());
  EXPECT_EQ(r.Type(), varArray | varVariant);
  EXPECT_EQ(r.LowBound(), 0);
  EXPECT_EQ(r.HighBound(), 1);
  EXPECT_EQ(r[0].AsInteger(), 300);
  EXPECT_EQ(r[1].AsString(), "text");
  Variant nested = ReadBack(Written(VarArrayOf({VarArrayOf({}), VarArrayOf({Variant::Null()})})));
  EXPECT_EQ(nested[0].HighBound(), -1);
  EXPECT_TRUE(nested[1][0].IsNull());
}

TEST(VariantStream, BadStreamsRaiseReadError) {
  const String bad[] = {
      String("\x07", 1),                       // a tag that is never written
      String("\x0e", 1),
      String("\xff", 1),
      String(),                                 // nothing at all
      String("\x04\x01\x02", 3),               // truncated payload
      String("\x0c\xff\xff\xff\x7f" "ab", 7),  // a length far beyond the stream
      String("\x0c\xff\xff\xff\xff", 5),       // a negative length
      String("\x01\x05\x02\x0d", 4),           // count with a tag that is no integer
      String("\x01\x02\xff", 3),               // negative count
      String("\x01\x04\xff\xff\xff\x7f\x0d", 7),
  };
  for (const String& bytes : bad) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    try {
      ReadBack(bytes);
      ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), "Stream read error");
    }
  }
  // Arrays nested deeper than any real value are refused rather than exhausting the stack.
  String deep;
  for (int i = 0; i < 100000; ++i) deep += String("\x01\x02\x01", 3);
  deep += "\x0d";
  EXPECT_THROW(ReadBack(deep), EReadError);
}

TEST(VariantStream, Primitives) {
  TStringStream s;
  WriteAnsiStringToStream(&s, "ab");
  WriteWideStringToStream(&s, "\xE5\xB1\x8F");
  WriteBooleanToStream(&s, true);
  WriteSmallIntToStream(&s, -2);
  WriteWordToStream(&s, 0xBEEF);
  WriteIntegerToStream(&s, -3);
  WriteLargeIntToStream(&s, -4);
  WriteCurrencyToStream(&s, 50000);
  WriteDateTimeToStream(&s, 2.5);
  WriteExtendedToStream(&s, -0.1);
  EXPECT_EQ(s.DataString().substr(0, 12), String("\x02\x00\x00\x00" "ab\x01\x00\x00\x00\x4f\x5c", 12));
  EXPECT_EQ(s.DataString().size(), 6u + 6 + 1 + 2 + 2 + 4 + 8 + 8 + 8 + 10);
  s.SetPosition(0);
  EXPECT_EQ(ReadAnsiStringFromStream(&s), "ab");
  EXPECT_EQ(ReadWideStringFromStream(&s), "\xE5\xB1\x8F");
  EXPECT_TRUE(ReadBooleanFromStream(&s));
  EXPECT_EQ(ReadSmallIntFromStream(&s), -2);
  EXPECT_EQ(ReadWordFromStream(&s), 0xBEEF);
  EXPECT_EQ(ReadIntegerFromStream(&s), -3);
  EXPECT_EQ(ReadLargeIntFromStream(&s), -4);
  EXPECT_EQ(ReadCurrencyFromStream(&s), 50000);
  EXPECT_EQ(ReadDateTimeFromStream(&s), 2.5);
  EXPECT_EQ(ReadExtendedFromStream(&s), -0.1);
  EXPECT_THROW(ReadIntegerFromStream(&s), EReadError);
}

TEST(VariantStream, ExtendedEncodingOfSpecialValues) {
  const double values[] = {0.0, -0.0, 1.0, 0.1, 1e308, 2.2250738585072014e-308, 4.9e-324, 1e-310,
                           std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
  for (double v : values) {
    SCOPED_TRACE(v);
    std::uint8_t b[10];
    DoubleToExtended(v, b);
    double r = ExtendedToDouble(b);
    EXPECT_EQ(r, v);
    EXPECT_EQ(std::signbit(r), std::signbit(v));
  }
  std::uint8_t b[10];
  DoubleToExtended(std::numeric_limits<double>::quiet_NaN(), b);
  EXPECT_TRUE(std::isnan(ExtendedToDouble(b)));
  // Beyond the double range an extended number becomes infinite or zero, not garbage.
  const std::uint8_t huge[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xfe, 0x7f};
  EXPECT_TRUE(std::isinf(ExtendedToDouble(huge)));
  const std::uint8_t tiny[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x00};
  EXPECT_EQ(ExtendedToDouble(tiny), 0.0);
}

}  // namespace
