#pragma once
// The spin editor's value arithmetic: values of one type (a 64-bit integer or a double), the bounds
// in force, distances to them, and a spin step that stays put, clamps or wraps at a bound. The
// editor and its properties decide the type, the bounds and the mode; this unit only counts.
#include <cstdint>

#include "platform/classes/Variant.h"
#include "platform/classes/TypInfo.h"

VW_ENUM(TcxSpinEditValueType, vtInt, vtFloat)
enum TcxSpinButtonKind { sbkDown, sbkUp, sbkFastDown, sbkFastUp };

// 0: a step beyond a bound fails; 1: it stops at the bound; 2: it wraps round to the other one.
inline constexpr int cxsbmNone = 0;
inline constexpr int cxsbmClamp = 1;
inline constexpr int cxsbmCircular = 2;

struct TcxSpinValueRange {
  TcxSpinEditValueType ValueType = vtInt;
  bool MinActive = false;
  bool MaxActive = false;
  double MinValue = 0;
  double MaxValue = 0;
  int BoundMode = cxsbmClamp;

  // Exactly one assigned bound is active alone; two are active only when Max > Min.
  static TcxSpinValueRange FromBounds(TcxSpinEditValueType ValueType, bool MinAssigned, double MinValue,
                                      bool MaxAssigned, double MaxValue, int BoundMode);

  // The type's extreme: ±1.7e308 exactly, or the 64-bit integer limits.
  Variant ValueTypeExtreme(bool Minimum) const;
  // The active bound (rounded to the nearest integer for vtInt, saturated), else the extreme.
  Variant EffectiveMinValue() const;
  Variant EffectiveMaxValue() const;
  // A number as the type: a double, or a 64-bit integer rounded half to even and saturated.
  Variant ToValueType(const Variant& Number) const;
  // Numbers through ToValueType; anything else as it is.
  Variant NormalizeValue(const Variant& Value) const;
  // A number below an active minimum becomes it, else one above an active maximum becomes that.
  Variant ClampValue(const Variant& Value) const;
  bool BelowMinimum(const Variant& Value) const;
  bool AboveMaximum(const Variant& Value) const;

  // The whole text as a 64-bit integer, or a number in the locale's format within ±1.7e308.
  bool StrToValue(const String& Text, Variant& Value) const;
  // How far the value may move towards a bound (negative towards the minimum); the extreme itself
  // when the subtraction would leave the type.
  Variant DistanceToBound(const Variant& Value, bool ToMinimum) const;
  // Adds the increment under the bound mode; false when mode 0 refuses. A circular step first
  // reduces the increment by whole cycles, so it never lands outside the bounds.
  bool AddIncrement(Variant& Value, double Increment) const;
  // The value one spin of Kind makes of Value; false when it cannot move.
  bool NewSpinValue(const Variant& Value, TcxSpinButtonKind Kind, double Increment, double LargeIncrement,
                    Variant& Result) const;
};

// The signed increment of a kind; an unknown kind raises EdxException.
double SpinIncrementOf(TcxSpinButtonKind Kind, double Increment, double LargeIncrement);
// The increment a button steps by: rounded half to even for vtInt.
double SpinIncrementFor(TcxSpinEditValueType ValueType, TcxSpinButtonKind Kind, double Increment,
                        double LargeIncrement);
