#include <gtest/gtest.h>

#include "ui/controls/DbTypes.h"

namespace {

TEST(Bcd, TextRoundTripsAndOrder) {
  const struct {
    const char* text;
    const char* shown;  // "" when the text is no decimal
  } cases[] = {
      {"0", "0"},         {"-0.000", "0"},      {"007.50", "7.5"},           {"+12", "12"},
      {" -3.25 ", "-3.25"}, {"1E3", "1000"},    {"1.5e-3", "0.0015"},        {"-2.5E+1", "-25"},
      {".5", "0.5"},      {"5.", "5"},          {"1.2.3", ""},               {"", ""},
      {"-", ""},          {"1e", ""},           {"12a", ""},                 {"1e70", ""},
      {"1234567890123456789012345678901234567890123456789012345678901234", "1234567890123456789012345678901234567890123456789012345678901234"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TBcd bcd;
    const bool ok = TryStrToBcd(c.text, bcd);
    EXPECT_EQ(ok, *c.shown != '\0');
    if (ok) {
      EXPECT_EQ(BcdToStr(bcd), c.shown);
    }
  }
  const char* ascending[] = {"-100", "-99.5", "-0.01", "0", "0.001", "0.01", "1", "9.99", "10", "100.5"};
  for (std::size_t i = 0; i < std::size(ascending); ++i) {
    for (std::size_t j = 0; j < std::size(ascending); ++j) {
      TBcd a, b;
      ASSERT_TRUE(TryStrToBcd(ascending[i], a));
      ASSERT_TRUE(TryStrToBcd(ascending[j], b));
      EXPECT_EQ(BcdCompare(a, b), i < j ? -1 : (i > j ? 1 : 0)) << ascending[i] << " vs " << ascending[j];
    }
  }
  // Numbers convert through their shortest exact text, not through binary noise.
  EXPECT_EQ(BcdToStr(VarToBcd(Variant(0.1))), "0.1");
  EXPECT_EQ(BcdToStr(VarToBcd(Variant(-1e20))), "-100000000000000000000");
  EXPECT_EQ(BcdToStr(VarToBcd(Variant::FromCurrencyScaled(-12345))), "-1.2345");
  EXPECT_THROW(VarToBcd(Variant::Null()), EVariantTypeCastError);
}

TEST(SQLTimeStamp, DateTimeConversions) {
  TSQLTimeStamp ts = DateTimeToSQLTimeStamp(45000.75);  // 2023-03-15 18:00
  EXPECT_EQ(ts.Year, 2023);
  EXPECT_EQ(ts.Month, 3);
  EXPECT_EQ(ts.Day, 15);
  EXPECT_EQ(ts.Hour, 18);
  EXPECT_EQ(ts.Minute, 0);
  EXPECT_EQ(SQLTimeStampToDateTime(ts), 45000.75);
  EXPECT_EQ(SQLTimeStampToDateTime(TSQLTimeStamp()), 0.0);
  ts.Hour = 24;
  EXPECT_THROW(SQLTimeStampToDateTime(ts), EConvertError);
  EXPECT_THROW(VarToSQLTimeStamp(Variant("soon")), EVariantTypeCastError);
}

}  // namespace
