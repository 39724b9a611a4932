#include "platform/classes/Variant.h"

#include "platform/classes/DateUtils.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <strings.h>

namespace {

bool IsIntegerType(TVarType t) {
  switch (t) {
    case varSmallint: case varInteger: case varShortInt: case varByte: case varWord: case varLongWord:
    case varInt64: case varBoolean:
      return true;
    default:
      return false;
  }
}

bool IsStringType(TVarType t) { return t == varString || t == varOleStr; }

String Trimmed(const String& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

bool ParseInt64(const String& text, std::int64_t& out) {
  String s = Trimmed(text);
  if (s.empty()) return false;
  const char* p = s.c_str();
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(p, &end, 10);
  if (errno == ERANGE || *end != '\0' || end == p) return false;
  out = v;
  return true;
}

bool ParseDouble(const String& text, double& out) {
  String s = Trimmed(text);
  if (s.empty()) return false;
  // strtod would also take hexadecimal floats, "inf" and "nan", which are no numbers to a user.
  for (char c : s)
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
      return false;
  char* end = nullptr;
  errno = 0;
  double v = std::strtod(s.c_str(), &end);
  if (errno == ERANGE || *end != '\0') return false;
  out = v;
  return true;
}

String CurrencyText(std::int64_t scaled) {
  bool neg = scaled < 0;
  // The magnitude of the most negative value does not fit; its text goes through unsigned.
  std::uint64_t mag = neg ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
  String s = std::to_string(mag / 10000);
  std::uint64_t frac = mag % 10000;
  if (frac) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04u", static_cast<unsigned>(frac));
    String f = buf;
    while (!f.empty() && f.back() == '0') f.pop_back();
    s += FormatSettings.DecimalSeparator + f;
  }
  return neg ? "-" + s : s;
}

std::int64_t RoundHalfEven(double v) { return static_cast<std::int64_t>(std::nearbyint(v)); }

bool FitsInt64(double v) { return v >= -9223372036854775808.0 && v < 9223372036854775808.0; }

}  // namespace

Variant Variant::FromDateTime(double v) {
  Variant r;
  r.FType = varDate;
  r.FFloat = v;
  return r;
}

Variant Variant::FromCurrency(double v) {
  if (!FitsInt64(v * 10000.0)) throw EVariantTypeCastError("Arithmetic overflow");
  return FromCurrencyScaled(RoundHalfEven(v * 10000.0));
}

Variant Variant::FromCurrencyScaled(std::int64_t scaled) {
  Variant r;
  r.FType = varCurrency;
  r.FInt = scaled;
  return r;
}

Variant Variant::OleStr(const String& v) {
  Variant r(v);
  r.FType = varOleStr;
  return r;
}

void Variant::CastError(TVarType to) const {
  throw EVariantTypeCastError("Could not convert variant of type (" + VarTypeAsText(FType) + ") into type (" +
                              VarTypeAsText(to) + ")");
}

std::int64_t Variant::AsInt64() const {
  if (IsArray()) CastError(varInt64);
  switch (FType) {
    case varEmpty:
      return 0;
    case varBoolean:
      return FInt ? -1 : 0;
    case varSingle: case varDouble: case varDate:
      if (!FitsInt64(FFloat) || std::isnan(FFloat)) CastError(varInt64);
      return RoundHalfEven(FFloat);
    case varCurrency:
      return RoundHalfEven(static_cast<double>(FInt) / 10000.0);
    case varString: case varOleStr: {
      std::int64_t i;
      if (ParseInt64(FStr, i)) return i;
      double d;
      if (ParseDouble(FStr, d) && FitsInt64(d)) return RoundHalfEven(d);
      CastError(varInt64);
    }
    default:
      if (IsIntegerType(FType)) return FInt;
      CastError(varInt64);
  }
}

std::int32_t Variant::AsInteger() const {
  std::int64_t v;
  try {
    v = AsInt64();
  } catch (const EVariantTypeCastError&) {
    CastError(varInteger);
  }
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
    CastError(varInteger);
  return static_cast<std::int32_t>(v);
}

double Variant::AsDouble() const {
  if (IsArray()) CastError(varDouble);
  switch (FType) {
    case varEmpty:
      return 0;
    case varBoolean:
      return FInt ? -1 : 0;
    case varSingle: case varDouble: case varDate:
      return FFloat;
    case varCurrency:
      return static_cast<double>(FInt) / 10000.0;
    case varString: case varOleStr: {
      double d;
      if (ParseDouble(FStr, d)) return d;
      CastError(varDouble);
    }
    default:
      if (IsIntegerType(FType)) return static_cast<double>(FInt);
      CastError(varDouble);
  }
}

double Variant::AsDateTime() const {
  try {
    return AsDouble();
  } catch (const EVariantTypeCastError&) {
    CastError(varDate);
  }
}

std::int64_t Variant::AsCurrencyScaled() const {
  if (FType == varCurrency) return FInt;
  if (IsIntegerType(FType) && FType != varBoolean) return FInt * 10000;
  double d;
  try {
    d = AsDouble();
  } catch (const EVariantTypeCastError&) {
    CastError(varCurrency);
  }
  if (!FitsInt64(d * 10000.0)) CastError(varCurrency);
  return RoundHalfEven(d * 10000.0);
}

bool Variant::AsBoolean() const {
  if (IsArray()) CastError(varBoolean);
  switch (FType) {
    case varEmpty:
      return false;
    case varString: case varOleStr: {
      String s = Trimmed(FStr);
      if (strcasecmp(s.c_str(), "true") == 0) return true;
      if (strcasecmp(s.c_str(), "false") == 0) return false;
      double d;
      if (ParseDouble(s, d)) return d != 0;
      CastError(varBoolean);
    }
    case varSingle: case varDouble: case varDate:
      return FFloat != 0;
    default:
      if (IsIntegerType(FType) || FType == varCurrency) return FInt != 0;
      CastError(varBoolean);
  }
}

String& Variant::MutableText() {
  if (IsArray() || !IsStringType(FType)) CastError(varString);
  return FStr;
}

String Variant::AsString() const {
  if (IsArray()) CastError(varString);
  switch (FType) {
    case varEmpty:
      return String();
    case varBoolean:
      return FInt ? "True" : "False";
    case varSingle:
      return FloatToStrF(FFloat, ffGeneral, 7, 0);
    case varDouble:
      return FloatToStr(FFloat);
    case varCurrency:
      return CurrencyText(FInt);
    case varDate:
      return DateTimeToStr(FFloat);
    case varString: case varOleStr:
      return FStr;
    default:
      if (IsIntegerType(FType)) return std::to_string(FInt);
      CastError(varString);
  }
}

Variant& Variant::operator[](int index) {
  if (!IsArray() || index < LowBound() || index > HighBound()) throw EVariantTypeCastError("Variant array index out of bounds");
  return FArray[static_cast<std::size_t>(index - FLow)];
}

const Variant& Variant::operator[](int index) const {
  if (!IsArray() || index < LowBound() || index > HighBound()) throw EVariantTypeCastError("Variant array index out of bounds");
  return FArray[static_cast<std::size_t>(index - FLow)];
}

namespace {

// -1, 0, 1 by the platform's rules; Null is handled by the callers.
int CompareNonNull(const Variant& a, const Variant& b) {
  if (a.IsArray() || b.IsArray()) throw EVariantTypeCastError("Invalid variant operation");
  TVarType ta = a.Type(), tb = b.Type();
  auto cmp = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
  if (ta == varEmpty && tb == varEmpty) return 0;
  // Unassigned takes the other side's kind: zero, False or the empty text.
  if (ta == varEmpty) return -CompareNonNull(b, IsStringType(tb) ? Variant(String()) : Variant(0));
  if (tb == varEmpty) return CompareNonNull(a, IsStringType(ta) ? Variant(String()) : Variant(0));
  if (IsStringType(ta) && IsStringType(tb)) return cmp(std::strcmp(a.AsString().c_str(), b.AsString().c_str()), 0);
  if (ta == varBoolean || tb == varBoolean) {
    if (IsStringType(ta) || IsStringType(tb)) return cmp(a.AsBoolean() ? -1 : 0, b.AsBoolean() ? -1 : 0);
  }
  if (IsIntegerType(ta) && IsIntegerType(tb)) return cmp(a.AsInt64(), b.AsInt64());
  if (ta == varCurrency && tb == varCurrency) return cmp(a.AsCurrencyScaled(), b.AsCurrencyScaled());
  return cmp(a.AsDouble(), b.AsDouble());
}

}  // namespace

bool operator==(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return a.IsNull() && b.IsNull();
  return CompareNonNull(a, b) == 0;
}

bool operator<(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return a.IsNull() && !b.IsNull();
  return CompareNonNull(a, b) < 0;
}

bool VarIsStr(const Variant& v) { return IsStringType(v.Type()); }
bool VarIsOrdinal(const Variant& v) { return IsIntegerType(v.Type()); }
bool VarIsFloat(const Variant& v) {
  TVarType t = v.Type();
  return t == varSingle || t == varDouble || t == varCurrency;
}
bool VarIsNumeric(const Variant& v) { return VarIsOrdinal(v) || VarIsFloat(v); }

String VarToStr(const Variant& v) { return VarToStrDef(v, String()); }
String VarToStrDef(const Variant& v, const String& def) { return v.IsNull() ? def : v.AsString(); }

Variant VarAsType(const Variant& v, TVarType type) {
  if (v.Type() == type) return v;
  if (type != varNull && type != varEmpty && v.IsNull()) v.CastError(type);
  switch (type) {
    case varEmpty: return Variant();
    case varNull: return Variant::Null();
    case varSmallint: {
      auto i = v.AsInt64();
      if (i < -32768 || i > 32767) v.CastError(type);
      return Variant(static_cast<std::int16_t>(i));
    }
    case varShortInt: {
      auto i = v.AsInt64();
      if (i < -128 || i > 127) v.CastError(type);
      return Variant(static_cast<std::int8_t>(i));
    }
    case varByte: {
      auto i = v.AsInt64();
      if (i < 0 || i > 255) v.CastError(type);
      return Variant(static_cast<std::uint8_t>(i));
    }
    case varWord: {
      auto i = v.AsInt64();
      if (i < 0 || i > 65535) v.CastError(type);
      return Variant(static_cast<std::uint16_t>(i));
    }
    case varLongWord: {
      auto i = v.AsInt64();
      if (i < 0 || i > 4294967295LL) v.CastError(type);
      return Variant(static_cast<unsigned>(i));
    }
    case varInteger: return Variant(v.AsInteger());
    case varInt64: return Variant(static_cast<long long>(v.AsInt64()));
    case varSingle: {
      double d = v.AsDouble();
      if (std::fabs(d) > std::numeric_limits<float>::max()) v.CastError(type);
      return Variant(static_cast<float>(d));
    }
    case varDouble: return Variant(v.AsDouble());
    case varDate: return Variant::FromDateTime(v.AsDateTime());
    case varCurrency: return Variant::FromCurrencyScaled(v.AsCurrencyScaled());
    case varBoolean: return Variant(v.AsBoolean());
    case varString: return Variant(v.AsString());
    case varOleStr: return Variant::OleStr(v.AsString());
    case varVariant: return v;
    default: v.CastError(type);
  }
}

String VarTypeAsText(TVarType type) {
  String base;
  switch (type & varTypeMask) {
    case varEmpty: base = "Empty"; break;
    case varNull: base = "Null"; break;
    case varSmallint: base = "Smallint"; break;
    case varInteger: base = "Integer"; break;
    case varSingle: base = "Single"; break;
    case varDouble: base = "Double"; break;
    case varCurrency: base = "Currency"; break;
    case varDate: base = "Date"; break;
    case varOleStr: base = "OleStr"; break;
    case varDispatch: base = "Dispatch"; break;
    case varError: base = "Error"; break;
    case varBoolean: base = "Boolean"; break;
    case varVariant: base = "Variant"; break;
    case varUnknown: base = "Unknown"; break;
    case varShortInt: base = "ShortInt"; break;
    case varByte: base = "Byte"; break;
    case varWord: base = "Word"; break;
    case varLongWord: base = "LongWord"; break;
    case varInt64: base = "Int64"; break;
    case varString: base = "String"; break;
    default: base = "$" + std::to_string(type & varTypeMask); break;
  }
  if (type & varArray) base = "Array " + base;
  if (type & varByRef) base = "Ref " + base;
  return base;
}

Variant VarArrayCreate(int low, int high, TVarType elementType) {
  if (high < low - 1) throw EVariantTypeCastError("Invalid variant array bounds");
  Variant r;
  r.FType = static_cast<TVarType>(varArray | (elementType & varTypeMask));
  r.FLow = low;
  Variant element = elementType == varVariant ? Variant() : VarAsType(Variant(), elementType);
  r.FArray.assign(static_cast<std::size_t>(high - low + 1), element);
  return r;
}

Variant VarArrayOf(std::initializer_list<Variant> values) {
  Variant r = VarArrayCreate(0, static_cast<int>(values.size()) - 1, varVariant);
  int i = 0;
  for (const auto& v : values) r[i++] = v;
  return r;
}
