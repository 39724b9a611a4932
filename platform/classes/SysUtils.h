#pragma once
// The class library's run-time basics: the string type, the exception hierarchy, conversions and
// string helpers.
//
// Strings are UTF-8. Wherever a routine speaks of positions or lengths (Length, Pos, Copy, Delete,
// Insert, Format widths) it counts characters, that is code points, and positions start at 1.
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "platform/classes/Consts.h"
#include "platform/classes/FormatSettings.h"

using String = std::string;
// One character: a whole code point, as typed keys and the characters of a String are counted.
using TChar = char32_t;

// The system's locale as the class library reads it at start: FarEast for the East Asian
// languages (the PRC locale this platform reports among them), MiddleEast for the right-to-left.
struct TSysLocale {
  unsigned DefaultLCID = 0;
  unsigned PriLangID = 0;
  unsigned SubLangID = 0;
  bool FarEast = false;
  bool MiddleEast = false;
};
extern const TSysLocale& SysLocale;

// Root of every exception the class library and the system raise; Message is the text shown to
// the operator.
class Exception : public std::exception {
 public:
  explicit Exception(String message) : FMessage(std::move(message)) {}
  ~Exception() override = default;

  const String& Message() const { return FMessage; }
  void SetMessage(const String& v) { FMessage = v; }
  const char* what() const noexcept override { return FMessage.c_str(); }

 private:
  String FMessage;
};

#define VW_DECLARE_EXCEPTION(Name, Base) \
  class Name : public Base {             \
   public:                               \
    using Base::Base;                    \
  }

// Unwinds without a message: the message loop swallows it silently.
class EAbort : public Exception {
 public:
  EAbort() : Exception(SOperationAborted) {}
  using Exception::Exception;
};

VW_DECLARE_EXCEPTION(EConvertError, Exception);
VW_DECLARE_EXCEPTION(EInvalidCast, Exception);
VW_DECLARE_EXCEPTION(EInvalidPointer, Exception);
VW_DECLARE_EXCEPTION(EOutOfMemory, Exception);
VW_DECLARE_EXCEPTION(EInOutError, Exception);
VW_DECLARE_EXCEPTION(EVariantError, Exception);
VW_DECLARE_EXCEPTION(EAssertionFailed, Exception);
VW_DECLARE_EXCEPTION(EAbstractError, Exception);
VW_DECLARE_EXCEPTION(EIntfCastError, Exception);
VW_DECLARE_EXCEPTION(ENotSupportedException, Exception);
VW_DECLARE_EXCEPTION(EExternal, Exception);
VW_DECLARE_EXCEPTION(EIntError, EExternal);
VW_DECLARE_EXCEPTION(EDivByZero, EIntError);
VW_DECLARE_EXCEPTION(ERangeError, EIntError);
VW_DECLARE_EXCEPTION(EIntOverflow, EIntError);
VW_DECLARE_EXCEPTION(EMathError, EExternal);
VW_DECLARE_EXCEPTION(EInvalidOp, EMathError);
VW_DECLARE_EXCEPTION(EZeroDivide, EMathError);
VW_DECLARE_EXCEPTION(EOverflow, EMathError);
VW_DECLARE_EXCEPTION(EUnderflow, EMathError);

// A failed platform call; ErrorCode is the platform's error number.
class EOSError : public Exception {
 public:
  explicit EOSError(String message, std::uint32_t code = 0) : Exception(std::move(message)), ErrorCode(code) {}
  std::uint32_t ErrorCode;
};

// The class library's own kinds.
VW_DECLARE_EXCEPTION(EListError, Exception);
VW_DECLARE_EXCEPTION(EStringListError, EListError);
VW_DECLARE_EXCEPTION(EBitsError, Exception);
VW_DECLARE_EXCEPTION(EInvalidOperation, Exception);
VW_DECLARE_EXCEPTION(EComponentError, Exception);
VW_DECLARE_EXCEPTION(EParserError, Exception);
VW_DECLARE_EXCEPTION(EOutOfResources, Exception);
VW_DECLARE_EXCEPTION(EStreamError, Exception);
VW_DECLARE_EXCEPTION(EFCreateError, EStreamError);
VW_DECLARE_EXCEPTION(EFOpenError, EStreamError);
VW_DECLARE_EXCEPTION(EFilerError, EStreamError);
VW_DECLARE_EXCEPTION(EReadError, EFilerError);
VW_DECLARE_EXCEPTION(EWriteError, EFilerError);
VW_DECLARE_EXCEPTION(EClassNotFound, EFilerError);
VW_DECLARE_EXCEPTION(EMethodNotFound, EFilerError);
VW_DECLARE_EXCEPTION(EInvalidImage, EFilerError);
VW_DECLARE_EXCEPTION(EResNotFound, Exception);
VW_DECLARE_EXCEPTION(EPropertyError, Exception);
VW_DECLARE_EXCEPTION(EIniFileException, Exception);
VW_DECLARE_EXCEPTION(ERegistryException, Exception);

// Raises the silent abort.
[[noreturn]] void Abort();
// The platform's text for an error number, without a trailing line break.
String SysErrorMessage(std::uint32_t errorCode);
// Raises EOSError for the calling thread's last platform error (or for `code`).
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(std::uint32_t code);

// ---- Format -------------------------------------------------------------------------------------

// One argument of Format: an integer, a floating-point number, a string or a pointer.
class TVarRec {
 public:
  enum class Kind { Integer, Float, String, Pointer };

  TVarRec(int v) : FKind(Kind::Integer), FInt(v), FBits(32) {}
  TVarRec(unsigned v) : FKind(Kind::Integer), FInt(v), FBits(32), FUnsigned(true) {}
  TVarRec(long v) : FKind(Kind::Integer), FInt(v), FBits(64) {}
  TVarRec(unsigned long v) : FKind(Kind::Integer), FInt(static_cast<std::int64_t>(v)), FBits(64), FUnsigned(true) {}
  TVarRec(long long v) : FKind(Kind::Integer), FInt(v), FBits(64) {}
  TVarRec(unsigned long long v)
      : FKind(Kind::Integer), FInt(static_cast<std::int64_t>(v)), FBits(64), FUnsigned(true) {}
  TVarRec(short v) : TVarRec(static_cast<int>(v)) {}
  TVarRec(unsigned short v) : TVarRec(static_cast<int>(v)) {}
  TVarRec(unsigned char v) : TVarRec(static_cast<int>(v)) {}
  TVarRec(double v) : FKind(Kind::Float), FFloat(v) {}
  TVarRec(float v) : FKind(Kind::Float), FFloat(v) {}
  TVarRec(long double v) : FKind(Kind::Float), FFloat(static_cast<double>(v)) {}
  TVarRec(char v) : FKind(Kind::String), FStr(1, v) {}
  TVarRec(const char* v) : FKind(Kind::String), FStr(v ? v : "") {}
  TVarRec(const String& v) : FKind(Kind::String), FStr(v) {}
  TVarRec(std::string_view v) : FKind(Kind::String), FStr(v) {}
  TVarRec(const void* v) : FKind(Kind::Pointer), FPtr(v) {}
  // A Boolean is no Format argument; this keeps it from sneaking in as an integer.
  TVarRec(bool) = delete;

  Kind VKind() const { return FKind; }
  std::int64_t AsInt64() const { return FInt; }
  int Bits() const { return FBits; }
  bool IsUnsigned() const { return FUnsigned; }
  double AsFloat() const { return FFloat; }
  const String& AsString() const { return FStr; }
  const void* AsPointer() const { return FPtr; }

 private:
  Kind FKind;
  std::int64_t FInt = 0;
  int FBits = 64;
  bool FUnsigned = false;
  double FFloat = 0;
  String FStr;
  const void* FPtr = nullptr;
};

// The platform's Format: "%" [index ":"] ["-"] [width] ["." precision] type, with types d u e f g
// n m p s x, "*" taking width, precision or index from the arguments, and "%%" for a percent sign.
// A bad specifier or a missing argument raises EConvertError.
String Format(const String& fmt, std::initializer_list<TVarRec> args);
String Format(const String& fmt, std::initializer_list<TVarRec> args, const TFormatSettings& settings);
template <class... A>
  requires(sizeof...(A) > 0)
String Format(const String& fmt, const A&... args) {
  return Format(fmt, {TVarRec(args)...});
}
inline String Format(const String& fmt) { return Format(fmt, std::initializer_list<TVarRec>{}); }

// ---- Numbers --------------------------------------------------------------------------------------

String IntToStr(std::int64_t value);
String UIntToStr(std::uint64_t value);
// Upper-case hexadecimal with at least `digits` digits; a negative value shows its two's
// complement in 32 bits when it fits an int, else in 64.
String IntToHex(std::int64_t value, int digits);

// Decimal with an optional sign, or hexadecimal after "$", "0x" or "0X" (also after a minus sign);
// leading blanks are skipped, anything else (trailing blanks too) makes the text no number.
// Hexadecimal fills the 32 bits of an int before it overflows ("$FFFFFFFF" is -1).
int StrToInt(const String& s);
int StrToIntDef(const String& s, int def);
bool TryStrToInt(const String& s, int& value);
std::int64_t StrToInt64(const String& s);
std::int64_t StrToInt64Def(const String& s, std::int64_t def);
bool TryStrToInt64(const String& s, std::int64_t& value);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

String FloatToStr(double value);
String FloatToStr(double value, const TFormatSettings& settings);
String FloatToStrF(double value, TFloatFormat format, int precision, int digits);
String FloatToStrF(double value, TFloatFormat format, int precision, int digits, const TFormatSettings& settings);
// Sections "positive;negative;zero" of placeholders 0 and #, the decimal point ".", "," for
// thousands grouping, "E+0"/"E-0" exponents and quoted literals.
String FormatFloat(const String& format, double value);
String FormatFloat(const String& format, double value, const TFormatSettings& settings);
// Leading and trailing blanks are allowed; the decimal separator is the locale's.
double StrToFloat(const String& s);
double StrToFloat(const String& s, const TFormatSettings& settings);
double StrToFloatDef(const String& s, double def);
bool TryStrToFloat(const String& s, double& value);
bool TryStrToFloat(const String& s, double& value, const TFormatSettings& settings);

// "True"/"False" with useBoolStrs, else "-1"/"0".
String BoolToStr(bool value, bool useBoolStrs = false);

// ---- Strings --------------------------------------------------------------------------------------

// Number of characters.
int Length(std::string_view s);
// 1-based character position of the first `sub` in `s`, 0 when absent (or when `sub` is empty).
int Pos(std::string_view sub, std::string_view s, int offset = 1);
inline int AnsiPos(std::string_view sub, std::string_view s) { return Pos(sub, s); }
// `count` characters from position `index`; out-of-range parts are clipped, never an error.
String Copy(std::string_view s, int index, int count);
// Removes `count` characters from position `index`, clipped like Copy.
void Delete(String& s, int index, int count);
// Inserts `sub` before position `index` (clipped to 1 .. Length + 1).
void Insert(std::string_view sub, String& s, int index);
String StringOfChar(char ch, int count);

// Trimming drops blanks and control characters (everything up to and including the space).
String Trim(std::string_view s);
String TrimLeft(std::string_view s);
String TrimRight(std::string_view s);

// ASCII letters only.
String UpperCase(std::string_view s);
String LowerCase(std::string_view s);
// All letters with a case.
String AnsiUpperCase(std::string_view s);
String AnsiLowerCase(std::string_view s);

// Ordinal comparisons; the Text forms fold ASCII letters only. Results are negative, 0 or positive.
int CompareStr(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
bool SameStr(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
// Comparisons of the user's locale: character by character with every cased letter folded; the
// Str forms then order text that differs only in case small letters first ("a" < "A" < "b").
// Characters without case compare by code point (no pronunciation order for Chinese).
int AnsiCompareStr(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameStr(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);

String QuotedStr(std::string_view s);
String AnsiQuotedStr(std::string_view s, char quote);
// Reverses AnsiQuotedStr; text that does not start with `quote` comes back unchanged.
String AnsiDequotedStr(std::string_view s, char quote);

enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = unsigned;
String StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern, TReplaceFlags flags);

// ---- File names (both '/' and '\' separate folders) -----------------------------------------------

inline constexpr char PathDelim = '/';
String ExtractFilePath(std::string_view fileName);  // with the trailing separator
String ExtractFileDir(std::string_view fileName);   // without it
String ExtractFileName(std::string_view fileName);
String ExtractFileExt(std::string_view fileName);  // with the dot
String ChangeFileExt(std::string_view fileName, std::string_view ext);
String IncludeTrailingPathDelimiter(std::string_view path);
String ExcludeTrailingPathDelimiter(std::string_view path);
bool FileExists(const String& fileName);
bool DirectoryExists(const String& dir);
bool DeleteFile(const String& fileName);
