#include "ui/choice/SpinEditValues.h"

#include <cmath>
#include <limits>

#include "platform/classes/SysUtils.h"
#include "ui/foundation/Core.h"

namespace {

constexpr double kFloatExtreme = 1.7e308;
constexpr std::int64_t kIntMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kIntMax = std::numeric_limits<std::int64_t>::max();

// Half to even, saturated at the 64-bit limits (NaN counts as 0).
std::int64_t SaturatedInt(double Value) {
  if (std::isnan(Value)) return 0;
  const double r = std::nearbyint(Value);
  if (r >= 9223372036854775807.0) return kIntMax;
  if (r <= -9223372036854775808.0) return kIntMin;
  return static_cast<std::int64_t>(r);
}

bool IsNumber(const Variant& V) { return VarIsNumeric(V); }

}  // namespace

TcxSpinValueRange TcxSpinValueRange::FromBounds(TcxSpinEditValueType ValueType, bool MinAssigned, double MinValue,
                                                bool MaxAssigned, double MaxValue, int BoundMode) {
  TcxSpinValueRange r;
  r.ValueType = ValueType;
  r.MinValue = MinValue;
  r.MaxValue = MaxValue;
  r.BoundMode = BoundMode;
  if (MinAssigned != MaxAssigned) {
    r.MinActive = MinAssigned;
    r.MaxActive = MaxAssigned;
  } else {
    r.MinActive = r.MaxActive = MaxValue > MinValue;
  }
  return r;
}

Variant TcxSpinValueRange::ValueTypeExtreme(bool Minimum) const {
  if (ValueType == vtFloat) return Variant(Minimum ? -kFloatExtreme : kFloatExtreme);
  return Variant(static_cast<long long>(Minimum ? kIntMin : kIntMax));
}

Variant TcxSpinValueRange::ToValueType(const Variant& Number) const {
  if (ValueType == vtFloat) return Variant(Number.AsDouble());
  if (VarIsOrdinal(Number)) return Variant(static_cast<long long>(Number.AsInt64()));
  return Variant(static_cast<long long>(SaturatedInt(Number.AsDouble())));
}

Variant TcxSpinValueRange::NormalizeValue(const Variant& Value) const {
  return IsNumber(Value) ? ToValueType(Value) : Value;
}

Variant TcxSpinValueRange::EffectiveMinValue() const {
  return MinActive ? ToValueType(Variant(MinValue)) : ValueTypeExtreme(true);
}

Variant TcxSpinValueRange::EffectiveMaxValue() const {
  return MaxActive ? ToValueType(Variant(MaxValue)) : ValueTypeExtreme(false);
}

bool TcxSpinValueRange::BelowMinimum(const Variant& Value) const { return Value < EffectiveMinValue(); }
bool TcxSpinValueRange::AboveMaximum(const Variant& Value) const { return Value > EffectiveMaxValue(); }

Variant TcxSpinValueRange::ClampValue(const Variant& Value) const {
  if (!IsNumber(Value)) return Value;
  if (MinActive && Value.AsDouble() < MinValue) return ToValueType(Variant(MinValue));
  if (MaxActive && Value.AsDouble() > MaxValue) return ToValueType(Variant(MaxValue));
  return Value;
}

bool TcxSpinValueRange::StrToValue(const String& Text, Variant& Value) const {
  Value = Variant::Null();
  if (ValueType == vtInt) {
    std::int64_t v;
    if (!TryStrToInt64(Text, v)) return false;
    Value = Variant(static_cast<long long>(v));
    return true;
  }
  double d;
  if (!TryStrToFloat(Text, d) || !(d >= -kFloatExtreme && d <= kFloatExtreme)) return false;
  Value = Variant(d);
  return true;
}

Variant TcxSpinValueRange::DistanceToBound(const Variant& Value, bool ToMinimum) const {
  const Variant B = ToMinimum ? EffectiveMinValue() : EffectiveMaxValue();
  const Variant E = ValueTypeExtreme(ToMinimum);
  if (ValueType == vtFloat) {
    const double b = B.AsDouble(), v = Value.AsDouble(), e = E.AsDouble();
    if ((b >= 0) == (v >= 0)) return Variant(b - v);
    const double d = (e - b) + v;
    return Variant((d < 0 && v < 0) || (d > 0 && v > 0) ? e : b - v);
  }
  const std::int64_t b = B.AsInt64(), v = Value.AsInt64(), e = E.AsInt64();
  if ((b >= 0) == (v >= 0)) return Variant(static_cast<long long>(b - v));
  // e - b stays on one side of zero, so adding v cannot overflow.
  const std::int64_t d = (e - b) + v;
  return Variant(static_cast<long long>((d < 0 && v < 0) || (d > 0 && v > 0) ? e : b - v));
}

bool TcxSpinValueRange::AddIncrement(Variant& Value, double Increment) const {
  Variant inc = ToValueType(Variant(Increment));
  // A circular step goes round whole cycles first: the single wrap below only reaches one cycle.
  // The cycle's length is counted in 128 bits, where a bound at the type's limit needs 65.
  if (BoundMode == cxsbmCircular && MinActive && MaxActive) {
    if (ValueType == vtInt) {
      const __int128 cycle = static_cast<__int128>(EffectiveMaxValue().AsInt64()) - EffectiveMinValue().AsInt64() + 1;
      if (cycle > 0) inc = Variant(static_cast<long long>(static_cast<__int128>(inc.AsInt64()) % cycle));
    } else {
      const double cycle = EffectiveMaxValue().AsDouble() - EffectiveMinValue().AsDouble() + 1;
      if (cycle > 0 && std::isfinite(cycle)) inc = Variant(std::fmod(inc.AsDouble(), cycle));
    }
  }
  const Variant lo = DistanceToBound(Value, true), hi = DistanceToBound(Value, false);
  if (lo <= inc && inc <= hi) {
    if (ValueType == vtInt)
      Value = Variant(static_cast<long long>(Value.AsInt64() + inc.AsInt64()));
    else
      Value = Variant(Value.AsDouble() + inc.AsDouble());
    return true;
  }
  switch (BoundMode) {
    case cxsbmNone: return false;
    case cxsbmClamp: Value = inc < lo ? EffectiveMinValue() : EffectiveMaxValue(); return true;
    default:
      if (ValueType == vtInt) {
        const std::int64_t i = inc.AsInt64();
        // inc and the distance lie within one cycle of each other here, so no sum leaves the type.
        Value = i < lo.AsInt64()
                    ? Variant(static_cast<long long>(EffectiveMaxValue().AsInt64() + (i - lo.AsInt64()) + 1))
                    : Variant(static_cast<long long>(EffectiveMinValue().AsInt64() + (i - hi.AsInt64()) - 1));
      } else {
        const double i = inc.AsDouble();
        Value = i < lo.AsDouble() ? Variant(EffectiveMaxValue().AsDouble() + i + 1 - lo.AsDouble())
                                  : Variant(EffectiveMinValue().AsDouble() + i - 1 - hi.AsDouble());
      }
      return true;
  }
}

bool TcxSpinValueRange::NewSpinValue(const Variant& Value, TcxSpinButtonKind Kind, double Increment,
                                     double LargeIncrement, Variant& Result) const {
  const bool up = Kind == sbkUp || Kind == sbkFastUp;
  Variant v = NormalizeValue(Value);
  if (BelowMinimum(v)) {
    if (up)
      v = EffectiveMinValue();
    else if (BoundMode == cxsbmCircular)
      v = EffectiveMaxValue();
    else
      return false;
  } else if (AboveMaximum(v)) {
    if (!up)
      v = EffectiveMaxValue();
    else if (BoundMode == cxsbmCircular)
      v = EffectiveMinValue();
    else
      return false;
  } else if (!AddIncrement(v, SpinIncrementFor(ValueType, Kind, Increment, LargeIncrement))) {
    return false;
  }
  Result = NormalizeValue(v);
  return true;
}

double SpinIncrementOf(TcxSpinButtonKind Kind, double Increment, double LargeIncrement) {
  switch (Kind) {
    case sbkDown: return -Increment;
    case sbkUp: return Increment;
    case sbkFastDown: return -LargeIncrement;
    case sbkFastUp: return LargeIncrement;
  }
  throw EdxException("TcxCustomSpinEditProperties.GetIncrement fails");
}

double SpinIncrementFor(TcxSpinEditValueType ValueType, TcxSpinButtonKind Kind, double Increment,
                        double LargeIncrement) {
  const double inc = SpinIncrementOf(Kind, Increment, LargeIncrement);
  return ValueType == vtInt ? std::nearbyint(inc) : inc;
}
