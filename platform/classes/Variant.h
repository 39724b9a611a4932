#pragma once
// The tagged value type the editors, the data layer and run-time type information pass around.
// Type codes, conversions and the equality and ordering rules are the platform's own; a value that
// cannot be converted raises EVariantTypeCastError.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "platform/classes/SysUtils.h"

using TVarType = std::uint16_t;

constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varSmallint = 0x0002;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varSingle = 0x0004;
constexpr TVarType varDouble = 0x0005;
constexpr TVarType varCurrency = 0x0006;
constexpr TVarType varDate = 0x0007;
constexpr TVarType varOleStr = 0x0008;
constexpr TVarType varDispatch = 0x0009;
constexpr TVarType varError = 0x000A;
constexpr TVarType varBoolean = 0x000B;
constexpr TVarType varVariant = 0x000C;
constexpr TVarType varUnknown = 0x000D;
constexpr TVarType varShortInt = 0x0010;
constexpr TVarType varByte = 0x0011;
constexpr TVarType varWord = 0x0012;
constexpr TVarType varLongWord = 0x0013;
constexpr TVarType varInt64 = 0x0014;
constexpr TVarType varString = 0x0100;
constexpr TVarType varTypeMask = 0x0FFF;
constexpr TVarType varArray = 0x2000;
constexpr TVarType varByRef = 0x4000;

// Raised when a variant cannot be converted to the type asked for.
class EVariantTypeCastError : public EVariantError {
 public:
  using EVariantError::EVariantError;
};

class Variant {
 public:
  Variant() = default;
  Variant(bool v) : FType(varBoolean) { FInt = v ? 1 : 0; }
  Variant(std::int8_t v) : FType(varShortInt) { FInt = v; }
  Variant(std::uint8_t v) : FType(varByte) { FInt = v; }
  Variant(std::int16_t v) : FType(varSmallint) { FInt = v; }
  Variant(std::uint16_t v) : FType(varWord) { FInt = v; }
  Variant(int v) : FType(varInteger) { FInt = v; }
  Variant(unsigned v) : FType(varLongWord) { FInt = v; }
  Variant(long v) : FType(varInt64) { FInt = v; }
  Variant(long long v) : FType(varInt64) { FInt = v; }
  Variant(unsigned long v) : FType(varInt64) { FInt = static_cast<std::int64_t>(v); }
  Variant(unsigned long long v) : FType(varInt64) { FInt = static_cast<std::int64_t>(v); }
  Variant(float v) : FType(varSingle) { FFloat = v; }
  Variant(double v) : FType(varDouble) { FFloat = v; }
  Variant(const String& v) : FType(varString), FStr(v) {}
  Variant(String&& v) : FType(varString), FStr(std::move(v)) {}
  Variant(const char* v) : FType(varString), FStr(v ? v : "") {}

  static Variant Null() {
    Variant v;
    v.FType = varNull;
    return v;
  }
  static Variant Unassigned() { return Variant(); }
  // A date-time as days since 1899-12-30, the fraction being the time of day.
  static Variant FromDateTime(double v);
  // A currency value: four decimal places, held exactly as value × 10000.
  static Variant FromCurrency(double v);
  static Variant FromCurrencyScaled(std::int64_t scaled);
  static Variant OleStr(const String& v);

  TVarType Type() const { return FType; }
  bool IsEmpty() const { return FType == varEmpty; }
  bool IsNull() const { return FType == varNull; }
  bool IsArray() const { return (FType & varArray) != 0; }

  // Conversions by the platform's rules.
  std::int32_t AsInteger() const;
  std::int64_t AsInt64() const;
  double AsDouble() const;
  bool AsBoolean() const;
  String AsString() const;
  // The text of a string variant, to be changed in place (a long text is not copied for a small
  // change); raises EVariantTypeCastError for any other kind.
  String& MutableText();
  double AsDateTime() const;
  std::int64_t AsCurrencyScaled() const;

  explicit operator int() const { return AsInteger(); }
  explicit operator std::int64_t() const { return AsInt64(); }
  explicit operator double() const { return AsDouble(); }
  explicit operator bool() const { return AsBoolean(); }
  explicit operator String() const { return AsString(); }

  // Arrays (one dimension).
  int LowBound() const { return FLow; }
  int HighBound() const { return FLow + static_cast<int>(FArray.size()) - 1; }
  Variant& operator[](int index);
  const Variant& operator[](int index) const;

  // The platform's comparisons: raise EVariantTypeCastError when the values cannot be compared.
  friend bool operator==(const Variant& a, const Variant& b);
  friend bool operator!=(const Variant& a, const Variant& b) { return !(a == b); }
  friend bool operator<(const Variant& a, const Variant& b);
  friend bool operator>(const Variant& a, const Variant& b) { return b < a; }
  friend bool operator<=(const Variant& a, const Variant& b) { return !(b < a); }
  friend bool operator>=(const Variant& a, const Variant& b) { return !(a < b); }

 private:
  friend Variant VarArrayCreate(int low, int high, TVarType elementType);
  friend Variant VarAsType(const Variant& v, TVarType type);
  [[noreturn]] void CastError(TVarType to) const;

  TVarType FType = varEmpty;
  std::int64_t FInt = 0;  // integer kinds, Boolean (0/1), currency (× 10000)
  double FFloat = 0;      // Single, Double, Date
  String FStr;            // String, OleStr
  int FLow = 0;
  std::vector<Variant> FArray;
};

inline TVarType VarType(const Variant& v) { return v.Type(); }
inline bool VarIsNull(const Variant& v) { return v.IsNull(); }
inline bool VarIsEmpty(const Variant& v) { return v.IsEmpty(); }
inline bool VarIsArray(const Variant& v) { return v.IsArray(); }
bool VarIsStr(const Variant& v);
bool VarIsNumeric(const Variant& v);
bool VarIsOrdinal(const Variant& v);
bool VarIsFloat(const Variant& v);
// The text of a value; Null gives the empty text instead of raising.
String VarToStr(const Variant& v);
String VarToStrDef(const Variant& v, const String& def);
Variant VarAsType(const Variant& v, TVarType type);
// "Empty", "Null", "Integer", "String", ...
String VarTypeAsText(TVarType type);
// A one-dimensional array with the given bounds, each element Empty (or zero of elementType).
Variant VarArrayCreate(int low, int high, TVarType elementType);
Variant VarArrayOf(std::initializer_list<Variant> values);
inline int VarArrayLowBound(const Variant& v, int /*dim*/) { return v.LowBound(); }
inline int VarArrayHighBound(const Variant& v, int /*dim*/) { return v.HighBound(); }
inline int VarArrayDimCount(const Variant& v) { return v.IsArray() ? 1 : 0; }
