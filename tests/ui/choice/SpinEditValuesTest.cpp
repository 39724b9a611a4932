// The spin editor's value arithmetic: spins that stop, clamp or wrap at the bounds (a circular
// step of many cycles lands inside them), values outside the bounds, no bounds at all up to the
// type's limits, increments rounded for integers and saturated, and parsing by type.
#include <gtest/gtest.h>

#include <limits>

#include "ui/choice/SpinEditValues.h"
#include "ui/foundation/Core.h"

namespace {

constexpr long long kMax = std::numeric_limits<long long>::max();
constexpr long long kMin = std::numeric_limits<long long>::min();

TcxSpinValueRange Range(double Min, double Max, int Mode, TcxSpinEditValueType Type = vtInt) {
  return TcxSpinValueRange::FromBounds(Type, true, Min, true, Max, Mode);
}

TEST(SpinEditValuesTest, SpinsStopClampOrWrapAtTheBounds) {
  struct Case {
    double Min, Max;
    int Mode;
    long long From;
    TcxSpinButtonKind Kind;
    double Increment, Large;
    bool Moves;
    long long To;
  } cases[] = {
      {0, 9, cxsbmClamp, 0, sbkUp, 1, 10, true, 1},
      {0, 9, cxsbmClamp, 1, sbkFastUp, 1, 10, true, 9},
      {0, 9, cxsbmClamp, 9, sbkUp, 1, 10, true, 9},
      {0, 9, cxsbmNone, 9, sbkUp, 1, 10, false, 9},
      {0, 9, cxsbmCircular, 9, sbkUp, 1, 10, true, 0},
      {0, 9, cxsbmCircular, 0, sbkDown, 1, 10, true, 9},
      {0, 9, cxsbmCircular, 5, sbkFastUp, 1, 10, true, 5},
      {0, 9, cxsbmCircular, 1, sbkDown, 3, 10, true, 8},
      {0, 9, cxsbmCircular, 8, sbkUp, 3, 10, true, 1},
      // Many cycles at once: the increment goes round whole cycles first.
      {0, 9, cxsbmCircular, 5, sbkFastUp, 1, 30, true, 5},
      {0, 9, cxsbmCircular, 5, sbkFastUp, 1, 23, true, 8},
      {0, 9, cxsbmCircular, 5, sbkFastDown, 1, 23, true, 2},
      // Outside the bounds: towards them jumps onto the bound, away fails unless circular.
      {0, 9, cxsbmClamp, -4, sbkUp, 1, 10, true, 0},
      {0, 9, cxsbmClamp, -4, sbkDown, 1, 10, false, -4},
      {0, 9, cxsbmCircular, -4, sbkDown, 1, 10, true, 9},
      {0, 9, cxsbmClamp, 12, sbkDown, 1, 10, true, 9},
      {0, 9, cxsbmClamp, 12, sbkUp, 1, 10, false, 12},
      {0, 9, cxsbmCircular, 12, sbkUp, 1, 10, true, 0},
      // Equal bounds are no bounds: the type's limits hold.
      {9, 9, cxsbmClamp, kMax, sbkUp, 1, 10, true, kMax},
      {0, 0, cxsbmClamp, kMin, sbkFastDown, 1, 10, true, kMin},
      {0, 0, cxsbmClamp, 0, sbkUp, 1e30, 10, true, kMax},  // saturated, not undefined
      // Integer increments round half to even.
      {0, 0, cxsbmClamp, 3, sbkUp, 0.5, 10, true, 3},
      {0, 0, cxsbmClamp, 3, sbkUp, 1.5, 10, true, 5},
      {0, 0, cxsbmClamp, 3, sbkUp, 2.5, 10, true, 5},
      // Bounds at the type's limits, circular: the cycle is counted in 128 bits.
      {-1e19, 1e19, cxsbmCircular, kMax, sbkUp, 1, 10, true, kMin},
      {-1e19, 1e19, cxsbmCircular, kMin, sbkDown, 1, 10, true, kMax},
  };
  for (const Case& c : cases) {
    TcxSpinValueRange r = Range(c.Min, c.Max, c.Mode);
    Variant result(c.From);
    bool moved = r.NewSpinValue(Variant(c.From), c.Kind, c.Increment, c.Large, result);
    EXPECT_EQ(moved, c.Moves) << c.From << " kind " << c.Kind << " mode " << c.Mode;
    if (moved) {
      EXPECT_EQ(result.AsInt64(), c.To) << c.From << " kind " << c.Kind << " mode " << c.Mode;
    }
  }
}

TEST(SpinEditValuesTest, BoundsInForceAndTheirValues) {
  TcxSpinValueRange onlyMax = TcxSpinValueRange::FromBounds(vtInt, false, 0, true, 1e20, cxsbmClamp);
  EXPECT_FALSE(onlyMax.MinActive);
  EXPECT_TRUE(onlyMax.MaxActive);
  EXPECT_EQ(onlyMax.EffectiveMaxValue().AsInt64(), kMax) << "saturated";
  EXPECT_EQ(onlyMax.EffectiveMinValue().AsInt64(), kMin);
  TcxSpinValueRange inverted = Range(5, 2, cxsbmClamp);
  EXPECT_FALSE(inverted.MinActive || inverted.MaxActive);
  TcxSpinValueRange floats = Range(0, 0, cxsbmClamp, vtFloat);
  EXPECT_EQ(floats.EffectiveMaxValue().AsDouble(), 1.7e308);
  EXPECT_EQ(floats.EffectiveMinValue().AsDouble(), -1.7e308);
  EXPECT_EQ(Range(0.4, 8.6, cxsbmClamp).EffectiveMaxValue().AsInt64(), 9);
  EXPECT_EQ(Range(0, 9, cxsbmClamp).ClampValue(Variant(-3)).AsInt64(), 0);
  EXPECT_EQ(Range(0, 9, cxsbmClamp).ClampValue(Variant("x")).AsString(), "x");
  EXPECT_EQ(Range(0, 0, cxsbmClamp).ToValueType(Variant(-1e40)).AsInt64(), kMin);
}

TEST(SpinEditValuesTest, TextsParseByType) {
  TcxSpinValueRange ints = Range(0, 0, cxsbmClamp), floats = Range(0, 0, cxsbmClamp, vtFloat);
  Variant v;
  EXPECT_TRUE(ints.StrToValue("9223372036854775807", v));
  EXPECT_EQ(v.AsInt64(), kMax);
  for (const char* bad : {"1e", "2.5", "", "9223372036854775808"}) EXPECT_FALSE(ints.StrToValue(bad, v)) << bad;
  EXPECT_TRUE(VarIsNull(v));
  EXPECT_TRUE(floats.StrToValue("2.5", v));
  EXPECT_EQ(v.AsDouble(), 2.5);
  EXPECT_TRUE(floats.StrToValue("1e3", v));
  EXPECT_FALSE(floats.StrToValue("1e309", v));
  EXPECT_FALSE(floats.StrToValue("1.8e308", v));
}

TEST(SpinEditValuesTest, UnknownKindRaises) {
  try {
    SpinIncrementOf(static_cast<TcxSpinButtonKind>(7), 1, 10);
    FAIL();
  } catch (const EdxException& e) {
    EXPECT_EQ(String(e.Message()), "TcxCustomSpinEditProperties.GetIncrement fails");
  }
  EXPECT_EQ(SpinIncrementFor(vtFloat, sbkFastDown, 1, 2.5), -2.5);
}

}  // namespace
