#include <gtest/gtest.h>

#include "platform/classes/DateUtils.h"
#include "platform/classes/Variant.h"

namespace {

TEST(VariantTest, ConversionsFollowThePlatformRules) {
  EXPECT_EQ(Variant(true).AsInteger(), -1);
  EXPECT_EQ(Variant("  42 ").AsInteger(), 42);
  EXPECT_EQ(Variant("2.5").AsInteger(), 2);  // rounds half to even
  EXPECT_EQ(Variant(3.5).AsInteger(), 4);
  EXPECT_EQ(Variant().AsInteger(), 0);
  EXPECT_EQ(Variant(1.5).AsString(), "1.5");
  EXPECT_EQ(Variant(1e20).AsString(), "1E20");
  EXPECT_EQ(Variant(0.00001).AsString(), "1E-5");
  EXPECT_EQ(Variant(false).AsString(), "False");
  EXPECT_EQ(Variant::FromCurrency(-12.5).AsString(), "-12.5");
  // Dates read as the locale's date-time text, without a time at midnight.
  EXPECT_EQ(Variant::FromDateTime(45000.5).AsString(), DateTimeToStr(45000.5));
  EXPECT_EQ(Variant::FromDateTime(2).AsString().find(':'), String::npos);
  EXPECT_TRUE(Variant("TRUE").AsBoolean());
  EXPECT_EQ(VarToStr(Variant::Null()), "");
  EXPECT_EQ(VarType(VarAsType(Variant(7), varSmallint)), varSmallint);
}

TEST(VariantTest, FailedConversionsRaiseTheCastErrorWithBothTypeNames) {
  struct Case {
    Variant v;
    TVarType to;
    const char* message;
  } cases[] = {
      {Variant("abc"), varInteger, "Could not convert variant of type (String) into type (Integer)"},
      {Variant::Null(), varString, "Could not convert variant of type (Null) into type (String)"},
      {Variant(70000), varSmallint, "Could not convert variant of type (Integer) into type (Smallint)"},
      {Variant("1e400"), varDouble, "Could not convert variant of type (String) into type (Double)"},
      {Variant("0x10"), varInteger, "Could not convert variant of type (String) into type (Integer)"},
  };
  for (const auto& c : cases) {
    try {
      VarAsType(c.v, c.to);
      ADD_FAILURE() << c.message;
    } catch (const EVariantTypeCastError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST(VariantTest, ComparisonsMixKindsAndPlaceNullFirst) {
  EXPECT_TRUE(Variant(5) == Variant(5.0));
  EXPECT_TRUE(Variant("10") == Variant(10));
  EXPECT_TRUE(Variant("9") < Variant(10));    // numeric, not textual
  EXPECT_TRUE(Variant("10") < Variant("9"));  // textual
  EXPECT_TRUE(Variant() == Variant(0));
  EXPECT_TRUE(Variant() == Variant(""));
  EXPECT_TRUE(Variant::Null() == Variant::Null());
  EXPECT_FALSE(Variant::Null() == Variant());
  EXPECT_TRUE(Variant::Null() < Variant(-5));
  EXPECT_FALSE(Variant(-5) < Variant::Null());
  EXPECT_TRUE(Variant(true) == Variant("True"));
  EXPECT_TRUE(Variant::FromCurrency(1.25) == Variant(1.25));
  EXPECT_THROW((void)(Variant("abc") == Variant(1)), EVariantTypeCastError);
}

TEST(VariantTest, ArraysHaveBoundsAndValueSemantics) {
  Variant a = VarArrayCreate(1, 3, varInteger);
  EXPECT_TRUE(VarIsArray(a));
  EXPECT_EQ(VarArrayLowBound(a, 1), 1);
  EXPECT_EQ(VarArrayHighBound(a, 1), 3);
  EXPECT_EQ(a[2].AsInteger(), 0);
  a[2] = Variant("x");
  Variant b = a;
  b[2] = Variant("y");
  EXPECT_EQ(a[2].AsString(), "x");
  EXPECT_THROW(a[4], EVariantTypeCastError);
  EXPECT_THROW(a.AsString(), EVariantTypeCastError);
  Variant e = VarArrayOf({});
  EXPECT_EQ(VarArrayHighBound(e, 1), -1);
}

}  // namespace
