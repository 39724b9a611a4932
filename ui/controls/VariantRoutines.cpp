#include "ui/controls/VariantRoutines.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/classes/Utf8.h"
#include "ui/controls/DbTypes.h"
#include "ui/controls/LibraryStrings.h"

namespace {

enum : std::uint8_t {
  tagNull = 0,
  tagArray = 1,
  tagInt8 = 2,
  tagInt16 = 3,
  tagInt32 = 4,
  tagExtended = 5,
  tagShortString = 6,
  tagFalse = 8,
  tagTrue = 9,
  tagLongString = 12,
  tagEmpty = 13,
  tagSingle = 15,
  tagCurrency = 16,
  tagDate = 17,
  tagWideString = 18,
  tagInt64 = 19,
};

// Arrays nest by recursion; a hostile stream could nest them deeper than the stack allows.
constexpr int kMaxArrayDepth = 256;
// Long texts are read piecewise, so a forged length costs no more memory than the stream holds.
constexpr std::int32_t kReadChunk = 64 * 1024;

[[noreturn]] void RaiseReadError() { throw EReadError(GetLocalizedResString(cxLibraryStrings::cxSDataReadError)); }
[[noreturn]] void RaiseWriteError() { throw EWriteError(GetLocalizedResString(cxLibraryStrings::cxSDataWriteError)); }

template <class T>
T ReadLE(TStream* Stream) {
  std::uint8_t b[sizeof(T)];
  Stream->ReadBuffer(b, sizeof(T));
  std::uint64_t v = 0;
  for (std::size_t i = sizeof(T); i-- > 0;) v = (v << 8) | b[i];
  if constexpr (std::is_same_v<T, double>) {
    return std::bit_cast<double>(v);
  } else if constexpr (std::is_same_v<T, float>) {
    return std::bit_cast<float>(static_cast<std::uint32_t>(v));
  } else {
    return static_cast<T>(v);
  }
}

template <class T>
void WriteLE(TStream* Stream, T Value) {
  std::uint64_t v;
  if constexpr (std::is_same_v<T, double>) {
    v = std::bit_cast<std::uint64_t>(Value);
  } else if constexpr (std::is_same_v<T, float>) {
    v = std::bit_cast<std::uint32_t>(Value);
  } else {
    v = static_cast<std::uint64_t>(Value);
  }
  std::uint8_t b[sizeof(T)];
  for (std::size_t i = 0; i < sizeof(T); ++i) b[i] = static_cast<std::uint8_t>(v >> (8 * i));
  Stream->WriteBuffer(b, sizeof(T));
}

String ReadBytes(TStream* Stream, std::int64_t Count) {
  if (Count < 0) RaiseReadError();
  String s;
  while (Count > 0) {
    auto n = static_cast<std::int32_t>(Count < kReadChunk ? Count : kReadChunk);
    std::size_t at = s.size();
    s.resize(at + static_cast<std::size_t>(n));
    Stream->ReadBuffer(s.data() + at, n);
    Count -= n;
  }
  return s;
}

std::u16string ReadUtf16(TStream* Stream, std::int64_t Count) {
  if (Count < 0) RaiseReadError();
  std::u16string w;
  while (Count > 0) {
    auto n = static_cast<std::int32_t>(Count < kReadChunk ? Count : kReadChunk);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(n) * 2);
    Stream->ReadBuffer(bytes.data(), n * 2);
    for (std::int32_t i = 0; i < n; ++i)
      w.push_back(static_cast<char16_t>(bytes[static_cast<std::size_t>(2 * i)] |
                                        (bytes[static_cast<std::size_t>(2 * i + 1)] << 8)));
    Count -= n;
  }
  return w;
}

void WriteBytes(TStream* Stream, const String& S) {
  if (S.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) RaiseWriteError();
  Stream->WriteBuffer(S.data(), static_cast<std::int32_t>(S.size()));
}

// The bytes a string value goes to the stream as: in-memory text is already what an ANSI stream
// holds.
String VariantToAnsiText(const Variant& Value) { return Value.AsString(); }

void WriteTag(TStream* Stream, std::uint8_t Tag) { Stream->WriteBuffer(&Tag, 1); }

void WriteTaggedInteger(TStream* Stream, std::int64_t Value) {
  if (Value >= -128 && Value <= 127) {
    WriteTag(Stream, tagInt8);
    WriteLE<std::int8_t>(Stream, static_cast<std::int8_t>(Value));
  } else if (Value >= -32768 && Value <= 32767) {
    WriteTag(Stream, tagInt16);
    WriteLE<std::int16_t>(Stream, static_cast<std::int16_t>(Value));
  } else if (Value >= std::numeric_limits<std::int32_t>::min() && Value <= std::numeric_limits<std::int32_t>::max()) {
    WriteTag(Stream, tagInt32);
    WriteLE<std::int32_t>(Stream, static_cast<std::int32_t>(Value));
  } else {
    WriteTag(Stream, tagInt64);
    WriteLE<std::int64_t>(Stream, Value);
  }
}

void WriteTaggedString(TStream* Stream, const String& S) {
  if (S.size() <= 255) {
    WriteTag(Stream, tagShortString);
    WriteLE<std::uint8_t>(Stream, static_cast<std::uint8_t>(S.size()));
  } else {
    if (S.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) RaiseWriteError();
    WriteTag(Stream, tagLongString);
    WriteLE<std::int32_t>(Stream, static_cast<std::int32_t>(S.size()));
  }
  WriteBytes(Stream, S);
}

void WriteVariant(TStream* Stream, const Variant& V) {
  if (V.IsArray()) {
    if (VarArrayDimCount(V) != 1) RaiseWriteError();
    const int low = V.LowBound(), high = V.HighBound();
    WriteTag(Stream, tagArray);
    WriteTaggedInteger(Stream, static_cast<std::int64_t>(high) - low + 1);
    for (int i = low; i <= high; ++i) WriteVariant(Stream, V[i]);
    return;
  }
  switch (V.Type() & varTypeMask) {
    case varEmpty: WriteTag(Stream, tagEmpty); break;
    case varNull: WriteTag(Stream, tagNull); break;
    case varSmallint: case varInteger: case varShortInt: case varByte: case varWord: case varLongWord:
    case varInt64:
      WriteTaggedInteger(Stream, V.AsInt64());
      break;
    case varSingle:
      WriteTag(Stream, tagSingle);
      WriteLE<float>(Stream, static_cast<float>(V.AsDouble()));
      break;
    case varDouble:
      WriteTag(Stream, tagExtended);
      WriteExtendedToStream(Stream, V.AsDouble());
      break;
    case varCurrency:
      WriteTag(Stream, tagCurrency);
      WriteLE<std::int64_t>(Stream, V.AsCurrencyScaled());
      break;
    case varDate:
      WriteTag(Stream, tagDate);
      WriteLE<double>(Stream, V.AsDateTime());
      break;
    case varOleStr: {
      std::u16string w = Utf8ToUtf16(V.AsString());
      if (w.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() / 2)) RaiseWriteError();
      WriteTag(Stream, tagWideString);
      WriteLE<std::int32_t>(Stream, static_cast<std::int32_t>(w.size()));
      for (char16_t c : w) WriteLE<std::uint16_t>(Stream, c);
      break;
    }
    case varBoolean: WriteTag(Stream, V.AsBoolean() ? tagTrue : tagFalse); break;
    case varString: WriteTaggedString(Stream, VariantToAnsiText(V)); break;
    default: {
      String text;
      try {
        text = V.AsString();
      } catch (const EVariantError&) {
        RaiseWriteError();
      }
      WriteTaggedString(Stream, text);
    }
  }
}

std::int64_t ReadTaggedCount(TStream* Stream) {
  switch (ReadLE<std::uint8_t>(Stream)) {
    case tagInt8: return ReadLE<std::int8_t>(Stream);
    case tagInt16: return ReadLE<std::int16_t>(Stream);
    case tagInt32: return ReadLE<std::int32_t>(Stream);
    case tagInt64: return ReadLE<std::int64_t>(Stream);
    default: RaiseReadError();
  }
}

void ReadVariant(TStream* Stream, Variant& V, int Depth) {
  V = Variant();
  switch (ReadLE<std::uint8_t>(Stream)) {
    case tagNull: V = Variant::Null(); break;
    case tagArray: {
      if (Depth >= kMaxArrayDepth) RaiseReadError();
      std::int64_t count = ReadTaggedCount(Stream);
      if (count < 0 || count > std::numeric_limits<std::int32_t>::max()) RaiseReadError();
      // Elements are collected before the array is made, so a forged count runs into the end of
      // the stream instead of into a huge allocation.
      std::vector<Variant> items;
      for (std::int64_t i = 0; i < count; ++i) {
        items.emplace_back();
        ReadVariant(Stream, items.back(), Depth + 1);
      }
      Variant a = VarArrayCreate(0, static_cast<int>(count) - 1, varVariant);
      for (int i = 0; i < static_cast<int>(count); ++i) a[i] = std::move(items[static_cast<std::size_t>(i)]);
      V = std::move(a);
      break;
    }
    case tagInt8: V = Variant(ReadLE<std::int8_t>(Stream)); break;
    case tagInt16: V = Variant(ReadLE<std::int16_t>(Stream)); break;
    case tagInt32: V = Variant(static_cast<int>(ReadLE<std::int32_t>(Stream))); break;
    case tagExtended: V = Variant(ReadExtendedFromStream(Stream)); break;
    case tagShortString: V = Variant(ReadBytes(Stream, ReadLE<std::uint8_t>(Stream))); break;
    case tagFalse: V = Variant(false); break;
    case tagTrue: V = Variant(true); break;
    case tagLongString: V = Variant(ReadBytes(Stream, ReadLE<std::int32_t>(Stream))); break;
    case tagEmpty: break;
    case tagSingle: V = Variant(ReadLE<float>(Stream)); break;
    case tagCurrency: V = Variant::FromCurrencyScaled(ReadLE<std::int64_t>(Stream)); break;
    case tagDate: V = Variant::FromDateTime(ReadLE<double>(Stream)); break;
    case tagWideString: V = Variant::OleStr(Utf16ToUtf8(ReadUtf16(Stream, ReadLE<std::int32_t>(Stream)))); break;
    case tagInt64: V = Variant(static_cast<long long>(ReadLE<std::int64_t>(Stream))); break;
    default: RaiseReadError();
  }
}

bool IsBoolean(const Variant& V) { return (V.Type() & varTypeMask) == varBoolean && !V.IsArray(); }

}  // namespace

// ---- Comparison -------------------------------------------------------------------------------

int CompareVariantValues(const Variant& V1, const Variant& V2) {
  if (V1.IsEmpty()) return V2.IsEmpty() ? 0 : -1;
  if (V2.IsEmpty()) return 1;
  try {
    if (V1 == V2) return 0;
    if (V1.IsNull()) return -1;
    if (V2.IsNull()) return 1;
    return V1 < V2 ? -1 : 1;
  } catch (const EVariantError&) {
    return -1;
  }
}

int CompareVariantArrays(const Variant& V1, const Variant& V2) {
  const bool a1 = V1.IsArray(), a2 = V2.IsArray();
  if (a1 && !a2) return 1;
  if (!a1 && a2) return -1;
  const int high1 = V1.HighBound(), high2 = V2.HighBound();
  if (high1 != high2) return high1 - high2;
  // Elements are taken from index 0 whatever the low bounds; an index an array does not have
  // counts as Empty rather than failing the comparison.
  const Variant empty;
  for (int i = 0; i <= high1; ++i) {
    const Variant& e1 = i >= V1.LowBound() ? V1[i] : empty;
    const Variant& e2 = i >= V2.LowBound() ? V2[i] : empty;
    if (int r = CompareVariants(e1, e2)) return r;
  }
  return 0;
}

int CompareVariants(const Variant& V1, const Variant& V2) {
  if (V1.IsArray() || V2.IsArray()) return CompareVariantArrays(V1, V2);
  return CompareVariantValues(V1, V2);
}

bool VariantsEqual(const Variant& V1, const Variant& V2) { return CompareVariants(V1, V2) == 0; }

bool VarEqualsLoose(const Variant& V1, const Variant& V2) {
  if (V1.IsNull() || V2.IsNull() || (!IsBoolean(V1) && !IsBoolean(V2))) return VariantsEqual(V1, V2);
  try {
    return VarAsType(V1, varString).AsString() == VarAsType(V2, varString).AsString();
  } catch (const EVariantError&) {
    return false;
  }
}

bool IsDateTimeVarType(TVarType VarType) {
  TVarType t = VarType & varTypeMask;
  return t == varDate || t == varSQLTimeStamp;
}

bool VarHoldsDateTime(const Variant& V) { return !V.IsArray() && IsDateTimeVarType(V.Type()); }

bool VarHoldsNumber(const Variant& V) { return VarIsNumeric(V) || (V.Type() & varTypeMask) == varFMTBcd; }

bool VarIsNullOrEmptyText(const Variant& V) { return V.IsNull() || (VarIsStr(V) && V.AsString().empty()); }

// ---- Tagged stream ----------------------------------------------------------------------------

void WriteVariantToStream(TStream* Stream, const Variant& V) { WriteVariant(Stream, V); }

void ReadVariantFromStream(TStream* Stream, Variant& V) { ReadVariant(Stream, V, 0); }

// ---- Primitives -------------------------------------------------------------------------------

String ReadAnsiStringFromStream(TStream* Stream) { return ReadBytes(Stream, ReadLE<std::int32_t>(Stream)); }

void WriteAnsiStringToStream(TStream* Stream, const String& S) {
  if (S.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) RaiseWriteError();
  WriteLE<std::int32_t>(Stream, static_cast<std::int32_t>(S.size()));
  WriteBytes(Stream, S);
}

String ReadWideStringFromStream(TStream* Stream) {
  return Utf16ToUtf8(ReadUtf16(Stream, ReadLE<std::int32_t>(Stream)));
}

void WriteWideStringToStream(TStream* Stream, const String& S) {
  std::u16string w = Utf8ToUtf16(S);
  if (w.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() / 2)) RaiseWriteError();
  WriteLE<std::int32_t>(Stream, static_cast<std::int32_t>(w.size()));
  String bytes;
  bytes.reserve(w.size() * 2);
  for (char16_t c : w) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  WriteBytes(Stream, bytes);
}

bool ReadBooleanFromStream(TStream* Stream) { return ReadLE<std::uint8_t>(Stream) != 0; }
void WriteBooleanToStream(TStream* Stream, bool Value) { WriteLE<std::uint8_t>(Stream, Value ? 1 : 0); }
std::int16_t ReadSmallIntFromStream(TStream* Stream) { return ReadLE<std::int16_t>(Stream); }
void WriteSmallIntToStream(TStream* Stream, std::int16_t Value) { WriteLE(Stream, Value); }
std::uint16_t ReadWordFromStream(TStream* Stream) { return ReadLE<std::uint16_t>(Stream); }
void WriteWordToStream(TStream* Stream, std::uint16_t Value) { WriteLE(Stream, Value); }
std::int32_t ReadIntegerFromStream(TStream* Stream) { return ReadLE<std::int32_t>(Stream); }
void WriteIntegerToStream(TStream* Stream, std::int32_t Value) { WriteLE(Stream, Value); }
std::int64_t ReadLargeIntFromStream(TStream* Stream) { return ReadLE<std::int64_t>(Stream); }
void WriteLargeIntToStream(TStream* Stream, std::int64_t Value) { WriteLE(Stream, Value); }
std::int64_t ReadCurrencyFromStream(TStream* Stream) { return ReadLE<std::int64_t>(Stream); }
void WriteCurrencyToStream(TStream* Stream, std::int64_t Scaled) { WriteLE(Stream, Scaled); }
double ReadDateTimeFromStream(TStream* Stream) { return ReadLE<double>(Stream); }
void WriteDateTimeToStream(TStream* Stream, double Value) { WriteLE(Stream, Value); }

double ReadExtendedFromStream(TStream* Stream) {
  std::uint8_t b[10];
  Stream->ReadBuffer(b, 10);
  return ExtendedToDouble(b);
}

void WriteExtendedToStream(TStream* Stream, double Value) {
  std::uint8_t b[10];
  DoubleToExtended(Value, b);
  Stream->WriteBuffer(b, 10);
}

// 64-bit significand with an explicit integer bit, 15-bit exponent biased by 16383, sign on top.
void DoubleToExtended(double Value, std::uint8_t (&Bytes)[10]) {
  const auto bits = std::bit_cast<std::uint64_t>(Value);
  const bool negative = (bits >> 63) != 0;
  const int exp = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t frac = bits & ((std::uint64_t{1} << 52) - 1);
  std::uint64_t mantissa = 0;
  int e = 0;
  if (exp == 0x7FF) {
    e = 0x7FFF;
    mantissa = (std::uint64_t{1} << 63) | (frac << 11);
    if (frac) mantissa |= std::uint64_t{1} << 62;  // a quiet NaN stays quiet
  } else if (exp != 0) {
    e = exp - 1023 + 16383;
    mantissa = (std::uint64_t{1} << 63) | (frac << 11);
  } else if (frac != 0) {
    // A subnormal double is a normal extended number.
    const int lz = std::countl_zero(frac);
    mantissa = frac << lz;
    e = 63 - 1074 - lz + 16383;
  }
  for (int i = 0; i < 8; ++i) Bytes[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
  const auto top = static_cast<std::uint16_t>((negative ? 0x8000 : 0) | e);
  Bytes[8] = static_cast<std::uint8_t>(top & 0xFF);
  Bytes[9] = static_cast<std::uint8_t>(top >> 8);
}

double ExtendedToDouble(const std::uint8_t (&Bytes)[10]) {
  std::uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | Bytes[i];
  const int top = Bytes[8] | (Bytes[9] << 8);
  const bool negative = (top & 0x8000) != 0;
  const int e = top & 0x7FFF;
  double v;
  if (e == 0x7FFF) {
    v = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity() : std::numeric_limits<double>::quiet_NaN();
  } else if (mantissa == 0) {
    v = 0.0;
  } else {
    // Rounding the significand to 53 bits first is exact for every value that came from a double.
    v = std::ldexp(static_cast<double>(mantissa), e - 16383 - 63);
  }
  return negative ? -v : v;
}

std::u16string Utf8ToUtf16(const String& S) {
  std::u16string w;
  w.reserve(S.size());
  Utf8Reader r(S);
  while (!r.AtEnd()) {
    char32_t c = r.Next();
    if (c >= 0x10000 && c <= 0x10FFFF) {
      c -= 0x10000;
      w.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      w.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      w.push_back(c > 0x10FFFF ? u'\uFFFD' : static_cast<char16_t>(c));
    }
  }
  return w;
}

String Utf16ToUtf8(const std::u16string& W) {
  String s;
  s.reserve(W.size());
  for (std::size_t i = 0; i < W.size(); ++i) {
    char32_t c = W[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < W.size() && W[i + 1] >= 0xDC00 && W[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (W[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    Utf8Append(s, c);
  }
  return s;
}
