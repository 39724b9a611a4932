#include "platform/classes/SysUtils.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cctype>
#include <cwctype>
#include <limits>
#include <vector>

#include "platform/classes/Utf8.h"
#include "platform/system/Locale.h"
#include "platform/system/Types.h"

// ---- Errors -----------------------------------------------------------------------------------------

void Abort() { throw EAbort(); }

String SysErrorMessage(std::uint32_t errorCode) {
  switch (errorCode) {
    case 0: return "The operation completed successfully.";
    case 2: return "The system cannot find the file specified.";
    case 3: return "The system cannot find the path specified.";
    case 5: return "Access is denied.";
    case 6: return "The handle is invalid.";
    case 8: return "Not enough storage is available to process this command.";
    case 13: return "The data is invalid.";
    case 31: return "A device attached to the system is not functioning.";
    case 32: return "The process cannot access the file because it is being used by another process.";
    case 50: return "The request is not supported.";
    case 87: return "The parameter is incorrect.";
    case 109: return "The pipe has been ended.";
    case 122: return "The data area passed to a system call is too small.";
    case 995: return "The I/O operation has been aborted because of either a thread exit or an application request.";
    case 996: return "Overlapped I/O event is not in a signaled state.";
    case 997: return "Overlapped I/O operation is in progress.";
    case 1460: return "This operation returned because the timeout period expired.";
    default: return "";
  }
}

void RaiseLastOSError() { RaiseLastOSError(win::GetLastError()); }

void RaiseLastOSError(std::uint32_t code) {
  if (code == 0) throw EOSError(SUnkOSError, 0);
  throw EOSError(Format(SOSError, {static_cast<int>(code), SysErrorMessage(code)}), code);
}

// ---- Floating point to decimal --------------------------------------------------------------------

namespace {

// A number as sign, significant digits (no leading or trailing zeros) and exponent: the value is
// 0.DIGITS x 10^Exponent. Zero has no digits.
struct FloatRec {
  bool Negative = false;
  String Digits;
  int Exponent = 0;
  bool Special = false;  // infinity or not-a-number; Digits then holds its text
};

FloatRec Decompose(double v) {
  FloatRec r;
  if (std::isnan(v)) {
    r.Special = true;
    r.Digits = "NAN";
    return r;
  }
  r.Negative = std::signbit(v);
  if (std::isinf(v)) {
    r.Special = true;
    r.Digits = "INF";
    return r;
  }
  if (v == 0) {
    r.Negative = false;
    return r;
  }
  // Eighteen significant digits, as many as the platform's own conversion keeps; rounding to
  // fewer is then done in decimal, half away from zero.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17e", std::fabs(v));
  const char* e = std::strchr(buf, 'e');
  r.Digits.push_back(buf[0]);
  r.Digits.append(buf + 2, static_cast<size_t>(e - (buf + 2)));
  r.Exponent = std::atoi(e + 1) + 1;
  return r;
}

void StripTrailingZeros(FloatRec& r) {
  while (!r.Digits.empty() && r.Digits.back() == '0') r.Digits.pop_back();
  if (r.Digits.empty()) r.Exponent = 0;
}

// Keeps `count` significant digits, rounding half away from zero.
void RoundDigits(FloatRec& r, int count) {
  if (r.Special) return;
  if (count < 0) count = 0;
  if (static_cast<int>(r.Digits.size()) <= count) {
    StripTrailingZeros(r);
    return;
  }
  bool up = r.Digits[static_cast<size_t>(count)] >= '5';
  r.Digits.resize(static_cast<size_t>(count));
  if (up) {
    int i = count - 1;
    while (i >= 0 && r.Digits[static_cast<size_t>(i)] == '9') {
      r.Digits[static_cast<size_t>(i)] = '0';
      --i;
    }
    if (i < 0) {
      r.Digits.insert(r.Digits.begin(), '1');
      r.Exponent += 1;
    } else {
      r.Digits[static_cast<size_t>(i)]++;
    }
  }
  StripTrailingZeros(r);
}

FloatRec ToDecimal(double v, int precision) {
  FloatRec r = Decompose(v);
  RoundDigits(r, std::clamp(precision, 1, 18));
  if (r.Digits.empty()) r.Negative = false;
  return r;
}

// Rounds to `decimals` places after the point (at most 18 significant digits in all).
FloatRec ToDecimalFixed(double v, int decimals) {
  FloatRec r = Decompose(v);
  if (r.Special || r.Digits.empty()) return r;
  RoundDigits(r, std::min(r.Exponent + decimals, 18));
  if (r.Digits.empty()) r.Negative = false;
  return r;
}

String ExponentText(int exponent, int minDigits, bool plusSign) {
  String s;
  if (exponent < 0)
    s = "-";
  else if (plusSign)
    s = "+";
  String digits = std::to_string(std::abs(exponent));
  if (static_cast<int>(digits.size()) < minDigits) s.append(static_cast<size_t>(minDigits) - digits.size(), '0');
  return s + digits;
}

String DigitAt(const FloatRec& r, int i) {
  return (i >= 0 && i < static_cast<int>(r.Digits.size())) ? String(1, r.Digits[static_cast<size_t>(i)]) : String("0");
}

// Integer part and `decimals` fraction digits of a rounded number, grouped when `thousands`.
String FixedText(const FloatRec& r, int decimals, char thousands, const TFormatSettings& fs) {
  String intPart;
  if (r.Exponent <= 0) {
    intPart = "0";
  } else {
    for (int i = 0; i < r.Exponent; ++i) {
      intPart += DigitAt(r, i);
      int left = r.Exponent - 1 - i;
      if (thousands && left > 0 && left % 3 == 0) intPart.push_back(thousands);
    }
  }
  if (decimals <= 0) return intPart;
  String s = intPart;
  s.push_back(fs.DecimalSeparator);
  for (int i = 0; i < decimals; ++i) s += DigitAt(r, r.Exponent + i);
  return s;
}

String GeneralText(const FloatRec& r, int precision, int expDigits, const TFormatSettings& fs) {
  if (r.Digits.empty()) return "0";
  String s = r.Negative ? "-" : "";
  int n = static_cast<int>(r.Digits.size());
  if (r.Exponent > precision || r.Exponent < -3) {
    s.push_back(r.Digits[0]);
    if (n > 1) {
      s.push_back(fs.DecimalSeparator);
      s.append(r.Digits, 1);
    }
    return s + "E" + ExponentText(r.Exponent - 1, expDigits, false);
  }
  if (r.Exponent <= 0) {
    s += "0";
    s.push_back(fs.DecimalSeparator);
    s.append(static_cast<size_t>(-r.Exponent), '0');
    return s + r.Digits;
  }
  for (int i = 0; i < r.Exponent; ++i) s += DigitAt(r, i);
  if (n > r.Exponent) {
    s.push_back(fs.DecimalSeparator);
    s.append(r.Digits, static_cast<size_t>(r.Exponent));
  }
  return s;
}

String CurrencyText(const String& number, bool negative, const TFormatSettings& fs) {
  const String& c = fs.CurrencyString;
  if (!negative) {
    switch (fs.CurrencyFormat) {
      case 1: return number + c;
      case 2: return c + " " + number;
      case 3: return number + " " + c;
      default: return c + number;
    }
  }
  const String& p = number;
  switch (fs.NegCurrFormat) {
    case 0: return "(" + c + p + ")";
    case 1: return "-" + c + p;
    case 2: return c + "-" + p;
    case 3: return c + p + "-";
    case 4: return "(" + p + c + ")";
    case 5: return "-" + p + c;
    case 6: return p + "-" + c;
    case 7: return p + c + "-";
    case 8: return "-" + p + " " + c;
    case 9: return "-" + c + " " + p;
    case 10: return p + " " + c + "-";
    case 11: return c + " " + p + "-";
    case 12: return c + " -" + p;
    case 13: return p + "- " + c;
    case 14: return "(" + c + " " + p + ")";
    default: return "(" + p + " " + c + ")";
  }
}

}  // namespace

String FloatToStrF(double value, TFloatFormat format, int precision, int digits, const TFormatSettings& fs) {
  precision = std::clamp(precision, 1, 18);
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  switch (format) {
    case ffGeneral:
      return GeneralText(ToDecimal(value, precision), precision, std::clamp(digits, 0, 4), fs);
    case ffExponent: {
      FloatRec r = ToDecimal(value, precision);
      String s = r.Negative ? "-" : "";
      String d = r.Digits;
      d.resize(static_cast<size_t>(precision), '0');
      s.push_back(d[0]);
      if (precision > 1) {
        s.push_back(fs.DecimalSeparator);
        s.append(d, 1);
      }
      int exp = r.Digits.empty() ? 0 : r.Exponent - 1;
      return s + "E" + ExponentText(exp, std::clamp(digits, 0, 4), true);
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      digits = std::clamp(digits, 0, 18);
      FloatRec probe = ToDecimal(value, precision);
      // More integer digits than the precision holds: the number is shown in general form.
      if (probe.Exponent > precision) return GeneralText(probe, precision, 0, fs);
      FloatRec r = ToDecimalFixed(value, digits);
      String number = FixedText(r, digits, format == ffFixed ? '\0' : fs.ThousandSeparator, fs);
      bool negative = r.Negative && !r.Digits.empty();
      if (format == ffCurrency) return CurrencyText(number, negative, fs);
      return negative ? "-" + number : number;
    }
  }
  return "";
}

String FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  return FloatToStrF(value, format, precision, digits, FormatSettings);
}

String FloatToStr(double value, const TFormatSettings& fs) { return FloatToStrF(value, ffGeneral, 15, 0, fs); }
String FloatToStr(double value) { return FloatToStr(value, FormatSettings); }

// ---- FormatFloat --------------------------------------------------------------------------------

namespace {

// Splits a FormatFloat pattern into its sections, honouring quotes.
std::vector<String> FormatSections(const String& format) {
  std::vector<String> sections(1);
  char quote = 0;
  for (char c : format) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      sections.emplace_back();
      continue;
    }
    sections.back().push_back(c);
  }
  return sections;
}

struct FloatPattern {
  int intPlaceholders = 0;  // 0 and # before the point
  int minInt = 0;           // placeholders from the first 0 before the point
  int minFrac = 0;          // 0s after the point
  int maxFrac = 0;          // 0s and #s after the point
  bool thousands = false;
  bool scientific = false;
  bool hasPoint = false;
};

FloatPattern AnalysePattern(const String& f) {
  FloatPattern p;
  char quote = 0;
  bool afterPoint = false;
  bool seenZero = false;
  for (size_t i = 0; i < f.size(); ++i) {
    char c = f[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
    } else if (p.scientific) {
      continue;
    } else if ((c == 'E' || c == 'e') && i + 1 < f.size() && (f[i + 1] == '+' || f[i + 1] == '-')) {
      p.scientific = true;
    } else if (c == '.') {
      if (!afterPoint) p.hasPoint = true;
      afterPoint = true;
    } else if (c == ',') {
      if (!afterPoint) p.thousands = true;
    } else if (c == '0' || c == '#') {
      if (afterPoint) {
        p.maxFrac++;
        if (c == '0') p.minFrac = p.maxFrac;
      } else {
        p.intPlaceholders++;
        if (c == '0') seenZero = true;
        if (seenZero) p.minInt++;
      }
    }
  }
  return p;
}

String FormatSection(const String& f, double value, bool showSign, const TFormatSettings& fs) {
  FloatPattern p = AnalysePattern(f);
  String intDigits;
  String fracDigits;
  String expText;
  bool negative = false;
  if (p.scientific) {
    int intCount = std::max(p.intPlaceholders, 1);
    FloatRec r = ToDecimal(value, std::min(intCount + p.maxFrac, 18));
    negative = r.Negative;
    int exp = r.Digits.empty() ? 0 : r.Exponent - intCount;
    for (int i = 0; i < intCount; ++i) intDigits += DigitAt(r, i);
    for (int i = 0; i < p.maxFrac; ++i) fracDigits += DigitAt(r, intCount + i);
    expText = std::to_string(std::abs(exp));
    // The exponent's sign and digits are written where the pattern's E stands.
    expText = (exp < 0 ? "-" : "+") + expText;
  } else {
    FloatRec r = ToDecimalFixed(value, p.maxFrac);
    negative = r.Negative && !r.Digits.empty();
    for (int i = 0; i < r.Exponent; ++i) intDigits += DigitAt(r, i);
    for (int i = 0; i < p.maxFrac; ++i) fracDigits += DigitAt(r, r.Exponent + i);
  }
  while (static_cast<int>(fracDigits.size()) > p.minFrac && !fracDigits.empty() && fracDigits.back() == '0')
    fracDigits.pop_back();
  if (!p.scientific) {
    size_t nz = intDigits.find_first_not_of('0');
    intDigits = nz == String::npos ? String() : intDigits.substr(nz);
  }
  if (static_cast<int>(intDigits.size()) < p.minInt) intDigits.insert(0, static_cast<size_t>(p.minInt) - intDigits.size(), '0');

  String out;
  if (negative && showSign) out = "-";
  int extra = static_cast<int>(intDigits.size()) - p.intPlaceholders;
  int intSeen = 0;
  size_t fracSeen = 0;
  bool afterPoint = false;
  bool expDone = false;
  char quote = 0;
  auto emitIntDigit = [&](int pos) {
    out.push_back(intDigits[static_cast<size_t>(pos)]);
    int left = static_cast<int>(intDigits.size()) - 1 - pos;
    if (p.thousands && left > 0 && left % 3 == 0) out.push_back(fs.ThousandSeparator);
  };
  for (size_t i = 0; i < f.size(); ++i) {
    char c = f[i];
    if (quote) {
      if (c == quote)
        quote = 0;
      else
        out.push_back(c);
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
    } else if (expDone) {
      if (c != '0' && c != '#') out.push_back(c);
    } else if ((c == 'E' || c == 'e') && p.scientific && i + 1 < f.size() && (f[i + 1] == '+' || f[i + 1] == '-')) {
      bool alwaysSign = f[i + 1] == '+';
      ++i;
      size_t zeros = 0;
      while (i + 1 < f.size() && f[i + 1] == '0') {
        ++zeros;
        ++i;
      }
      String digits = expText.substr(1);
      if (digits.size() < zeros) digits.insert(0, zeros - digits.size(), '0');
      out.push_back(c);
      if (expText[0] == '-' || alwaysSign) out.push_back(expText[0]);
      out += digits;
      expDone = true;
    } else if (c == '0' || c == '#') {
      if (!afterPoint) {
        if (intSeen == 0)
          for (int k = 0; k < extra; ++k) emitIntDigit(k);
        int pos = intSeen + extra;
        if (pos >= 0) emitIntDigit(pos);
        ++intSeen;
      } else if (fracSeen < fracDigits.size()) {
        out.push_back(fracDigits[fracSeen++]);
      }
    } else if (c == '.') {
      if (!afterPoint) {
        afterPoint = true;
        if (intSeen == 0)
          for (int k = 0; k < static_cast<int>(intDigits.size()); ++k) emitIntDigit(k);
        if (!fracDigits.empty()) out.push_back(fs.DecimalSeparator);
      }
    } else if (c == ',') {
      // grouping is placed by the digits themselves
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace

String FormatFloat(const String& format, double value, const TFormatSettings& fs) {
  if (std::isnan(value) || std::isinf(value)) return FloatToStr(value, fs);
  std::vector<String> sections = FormatSections(format);
  if (format.empty()) return FloatToStr(value, fs);
  const String* section = &sections[0];
  bool showSign = true;
  double v = value;
  // Which section applies is decided on the value as it will be shown, so -0.001 under "0.00"
  // is shown as zero, not as a negative number.
  FloatPattern first = AnalysePattern(sections[0]);
  FloatRec shown = first.scientific ? ToDecimal(value, 18) : ToDecimalFixed(value, first.maxFrac);
  if (shown.Digits.empty()) {
    if (sections.size() >= 3 && !sections[2].empty()) section = &sections[2];
    v = 0;
  } else if (value < 0 && sections.size() >= 2 && !sections[1].empty()) {
    section = &sections[1];
    showSign = false;
    v = -value;
  }
  return FormatSection(*section, v, showSign, fs);
}

String FormatFloat(const String& format, double value) { return FormatFloat(format, value, FormatSettings); }

// ---- Format -------------------------------------------------------------------------------------

namespace {

[[noreturn]] void FormatError(const char* message, const String& fmt) {
  throw EConvertError(Format(message, {Utf8Left(fmt, 31)}));
}

String PadWidth(String s, int width, bool left) {
  int len = Length(s);
  if (width > len) {
    if (left)
      s.append(static_cast<size_t>(width - len), ' ');
    else
      s.insert(0, static_cast<size_t>(width - len), ' ');
  }
  return s;
}

std::uint64_t UnsignedBits(const TVarRec& a) {
  std::uint64_t u = static_cast<std::uint64_t>(a.AsInt64());
  if (a.Bits() == 32) u &= 0xFFFFFFFFu;
  return u;
}

}  // namespace

String Format(const String& fmt, std::initializer_list<TVarRec> args, const TFormatSettings& fs) {
  const TVarRec* argv = args.begin();
  const int argc = static_cast<int>(args.size());
  int next = 0;
  String out;
  size_t i = 0;
  const size_t n = fmt.size();
  auto takeArg = [&]() -> const TVarRec& {
    if (next >= argc) FormatError(SArgumentMissing, fmt);
    return argv[next++];
  };
  auto readNumber = [&](int& value) -> bool {
    if (i < n && fmt[i] == '*') {
      const TVarRec& a = takeArg();
      if (a.VKind() != TVarRec::Kind::Integer) FormatError(SInvalidFormat, fmt);
      value = static_cast<int>(a.AsInt64());
      ++i;
      return true;
    }
    if (i < n && fmt[i] >= '0' && fmt[i] <= '9') {
      long v = 0;
      while (i < n && fmt[i] >= '0' && fmt[i] <= '9') {
        v = std::min(v * 10 + (fmt[i] - '0'), 1'000'000L);
        ++i;
      }
      value = static_cast<int>(v);
      return true;
    }
    return false;
  };
  while (i < n) {
    char c = fmt[i];
    if (c != '%') {
      out.push_back(c);
      ++i;
      continue;
    }
    ++i;
    if (i < n && fmt[i] == '%') {
      out.push_back('%');
      ++i;
      continue;
    }
    int width = -1;
    int prec = -1;
    bool left = false;
    // index ":"
    {
      size_t save = i;
      int idx = 0;
      if (readNumber(idx) && i < n && fmt[i] == ':') {
        next = idx;
        ++i;
      } else {
        i = save;
        // A "*" read above consumed an argument only when it was an index; undo otherwise.
        if (save < n && fmt[save] == '*') --next;
      }
    }
    if (i < n && fmt[i] == '-') {
      left = true;
      ++i;
    }
    readNumber(width);
    if (i < n && fmt[i] == '.') {
      ++i;
      if (!readNumber(prec)) prec = 0;
    }
    if (i >= n) FormatError(SInvalidFormat, fmt);
    char type = static_cast<char>(std::tolower(static_cast<unsigned char>(fmt[i])));
    ++i;
    String text;
    switch (type) {
      case 'd':
      case 'u':
      case 'x': {
        const TVarRec& a = takeArg();
        if (a.VKind() != TVarRec::Kind::Integer) FormatError(SInvalidFormat, fmt);
        bool neg = false;
        String digits;
        if (type == 'd' && !a.IsUnsigned()) {
          std::int64_t v = a.AsInt64();
          neg = v < 0;
          digits = UIntToStr(neg ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v));
        } else if (type == 'x') {
          digits = IntToHex(static_cast<std::int64_t>(UnsignedBits(a)), 0);
        } else {
          digits = UIntToStr(UnsignedBits(a));
        }
        if (prec > static_cast<int>(digits.size())) digits.insert(0, static_cast<size_t>(prec) - digits.size(), '0');
        text = neg ? "-" + digits : digits;
        break;
      }
      case 'e':
      case 'f':
      case 'g':
      case 'n':
      case 'm': {
        const TVarRec& a = takeArg();
        double v;
        if (a.VKind() == TVarRec::Kind::Float)
          v = a.AsFloat();
        else
          FormatError(SInvalidFormat, fmt);
        switch (type) {
          case 'e': text = FloatToStrF(v, ffExponent, prec < 0 ? 15 : prec, 3, fs); break;
          case 'f': text = FloatToStrF(v, ffFixed, 18, prec < 0 ? 2 : prec, fs); break;
          case 'g': text = FloatToStrF(v, ffGeneral, prec < 0 ? 15 : prec, 3, fs); break;
          case 'n': text = FloatToStrF(v, ffNumber, 18, prec < 0 ? 2 : prec, fs); break;
          default: text = FloatToStrF(v, ffCurrency, 18, prec < 0 ? fs.CurrencyDecimals : prec, fs); break;
        }
        break;
      }
      case 'p': {
        const TVarRec& a = takeArg();
        if (a.VKind() != TVarRec::Kind::Pointer) FormatError(SInvalidFormat, fmt);
        text = IntToHex(static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(a.AsPointer())),
                        static_cast<int>(sizeof(void*) * 2));
        break;
      }
      case 's': {
        const TVarRec& a = takeArg();
        if (a.VKind() != TVarRec::Kind::String) FormatError(SInvalidFormat, fmt);
        text = prec >= 0 ? Utf8Left(a.AsString(), prec) : a.AsString();
        break;
      }
      default:
        FormatError(SInvalidFormat, fmt);
    }
    out += PadWidth(std::move(text), width, left);
  }
  return out;
}

String Format(const String& fmt, std::initializer_list<TVarRec> args) { return Format(fmt, args, FormatSettings); }

// ---- Integers -----------------------------------------------------------------------------------

String IntToStr(std::int64_t value) { return std::to_string(value); }
String UIntToStr(std::uint64_t value) { return std::to_string(value); }

String IntToHex(std::int64_t value, int digits) {
  std::uint64_t u = static_cast<std::uint64_t>(value);
  if (value < 0 && value >= std::numeric_limits<std::int32_t>::min()) u &= 0xFFFFFFFFu;
  static const char hex[] = "0123456789ABCDEF";
  String s;
  do {
    s.insert(s.begin(), hex[u & 15]);
    u >>= 4;
  } while (u);
  if (static_cast<int>(s.size()) < digits) s.insert(0, static_cast<size_t>(digits) - s.size(), '0');
  return s;
}

namespace {

// Parses like the platform's Val into 64 bits; `hexBits` is the width hexadecimal fills before it
// overflows (hex text is a bit pattern, decimal text a signed number).
bool ParseInteger(const String& s, std::int64_t& out, int hexBits, std::int64_t lo, std::int64_t hi) {
  size_t i = 0;
  const size_t n = s.size();
  while (i < n && s[i] == ' ') ++i;
  bool neg = false;
  if (i < n && (s[i] == '-' || s[i] == '+')) {
    neg = s[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < n && s[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < n && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  } else if (i < n && (s[i] == 'x' || s[i] == 'X')) {
    hex = true;
    ++i;
  }
  if (i >= n) return false;
  std::uint64_t v = 0;
  if (hex) {
    const std::uint64_t limit = hexBits == 64 ? ~0ull : ((1ull << hexBits) - 1);
    for (; i < n; ++i) {
      char c = s[i];
      int d;
      if (c >= '0' && c <= '9')
        d = c - '0';
      else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
      else
        return false;
      if (v > (limit >> 4)) return false;
      v = (v << 4) | static_cast<std::uint64_t>(d);
    }
    // The bit pattern fills the integer: all ones is -1.
    std::int64_t sv = hexBits == 32 ? static_cast<std::int32_t>(static_cast<std::uint32_t>(v)) : static_cast<std::int64_t>(v);
    out = neg ? -sv : sv;
    if (neg && sv == std::numeric_limits<std::int64_t>::min()) out = sv;
    return true;
  }
  const std::uint64_t maxMagnitude = neg ? static_cast<std::uint64_t>(hi) + 1 : static_cast<std::uint64_t>(hi);
  (void)lo;
  for (; i < n; ++i) {
    char c = s[i];
    if (c < '0' || c > '9') return false;
    std::uint64_t d = static_cast<std::uint64_t>(c - '0');
    if (v > (maxMagnitude - d) / 10) return false;
    v = v * 10 + d;
  }
  out = neg ? static_cast<std::int64_t>(0 - v) : static_cast<std::int64_t>(v);
  return true;
}

}  // namespace

bool TryStrToInt(const String& s, int& value) {
  std::int64_t v;
  if (!ParseInteger(s, v, 32, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())) return false;
  value = static_cast<int>(v);
  return true;
}

int StrToInt(const String& s) {
  int v;
  if (!TryStrToInt(s, v)) throw EConvertError(Format(SInvalidInteger, {s}));
  return v;
}

int StrToIntDef(const String& s, int def) {
  int v;
  return TryStrToInt(s, v) ? v : def;
}

bool TryStrToInt64(const String& s, std::int64_t& value) {
  return ParseInteger(s, value, 64, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max());
}

std::int64_t StrToInt64(const String& s) {
  std::int64_t v;
  if (!TryStrToInt64(s, v)) throw EConvertError(Format(SInvalidInteger, {s}));
  return v;
}

std::int64_t StrToInt64Def(const String& s, std::int64_t def) {
  std::int64_t v;
  return TryStrToInt64(s, v) ? v : def;
}

// ---- Floats from text ---------------------------------------------------------------------------

bool TryStrToFloat(const String& s, double& value, const TFormatSettings& fs) {
  String t = Trim(s);
  if (t.empty()) return false;
  // Only the locale's decimal separator counts as the point; a '.' under another separator is
  // junk, as the platform treats it.
  String c;
  size_t i = 0;
  if (t[i] == '+' || t[i] == '-') c.push_back(t[i++]);
  bool digits = false;
  while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
    c.push_back(t[i++]);
    digits = true;
  }
  if (i < t.size() && t[i] == fs.DecimalSeparator) {
    c.push_back('.');
    ++i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
      c.push_back(t[i++]);
      digits = true;
    }
  }
  if (!digits) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    c.push_back('e');
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) c.push_back(t[i++]);
    bool expDigits = false;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
      c.push_back(t[i++]);
      expDigits = true;
    }
    if (!expDigits) return false;
  }
  if (i != t.size()) return false;
  errno = 0;
  double v = std::strtod(c.c_str(), nullptr);
  if (errno == ERANGE && std::isinf(v)) return false;
  value = v;
  return true;
}

bool TryStrToFloat(const String& s, double& value) { return TryStrToFloat(s, value, FormatSettings); }

double StrToFloat(const String& s, const TFormatSettings& fs) {
  double v;
  if (!TryStrToFloat(s, v, fs)) throw EConvertError(Format(SInvalidFloat, {s}));
  return v;
}

double StrToFloat(const String& s) { return StrToFloat(s, FormatSettings); }

double StrToFloatDef(const String& s, double def) {
  double v;
  return TryStrToFloat(s, v) ? v : def;
}

String BoolToStr(bool value, bool useBoolStrs) {
  if (useBoolStrs) return value ? "True" : "False";
  return value ? "-1" : "0";
}

// ---- Strings ------------------------------------------------------------------------------------

int Length(std::string_view s) { return Utf8Count(s); }

int Pos(std::string_view sub, std::string_view s, int offset) {
  if (sub.empty() || offset < 1) return 0;
  size_t start = Utf8ByteOffset(s, offset - 1);
  if (start > s.size()) return 0;
  size_t at = s.find(sub, start);
  if (at == std::string_view::npos) return 0;
  return Utf8Count(s.substr(0, at)) + 1;
}

String Copy(std::string_view s, int index, int count) {
  if (index < 1) index = 1;
  if (count <= 0) return String();
  size_t b = Utf8ByteOffset(s, index - 1);
  if (b >= s.size()) return String();
  size_t e = b + Utf8ByteOffset(s.substr(b), count);
  return String(s.substr(b, e - b));
}

void Delete(String& s, int index, int count) {
  if (index < 1 || count <= 0) return;
  size_t b = Utf8ByteOffset(s, index - 1);
  if (b >= s.size()) return;
  size_t e = b + Utf8ByteOffset(std::string_view(s).substr(b), count);
  s.erase(b, e - b);
}

void Insert(std::string_view sub, String& s, int index) {
  if (index < 1) index = 1;
  size_t b = Utf8ByteOffset(s, index - 1);
  s.insert(std::min(b, s.size()), sub);
}

String StringOfChar(char ch, int count) { return count > 0 ? String(static_cast<size_t>(count), ch) : String(); }

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

String Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

String TrimLeft(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return String(s.substr(i));
}

String TrimRight(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && IsBlank(s[n - 1])) --n;
  return String(s.substr(0, n));
}

String UpperCase(std::string_view s) {
  String r(s);
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return r;
}

String LowerCase(std::string_view s) {
  String r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return r;
}

String AnsiUpperCase(std::string_view s) { return Utf8Map(s, [](char32_t c) { return Utf8ToUpper(c); }); }
String AnsiLowerCase(std::string_view s) { return Utf8Map(s, [](char32_t c) { return Utf8ToLower(c); }); }

int CompareStr(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int d = static_cast<unsigned char>(a[i]) - static_cast<unsigned char>(b[i]);
    if (d) return d;
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

int CompareText(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
    if (x != y) return x - y;
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

bool SameStr(std::string_view a, std::string_view b) { return a == b; }
bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

int AnsiCompareStr(std::string_view a, std::string_view b) {
  // The locale's order: letters compare alphabetically first, and only text that differs in
  // letter case alone is ordered by case, small letters first ("a" < "A" < "b").
  int folded = AnsiCompareText(a, b);
  if (folded != 0) return folded;
  Utf8Reader ra(a), rb(b);
  while (!ra.AtEnd() && !rb.AtEnd()) {
    char32_t x = ra.Next(), y = rb.Next();
    if (x != y) return Utf8ToLower(x) == x ? -1 : 1;
  }
  return 0;
}

int AnsiCompareText(std::string_view a, std::string_view b) {
  Utf8Reader ra(a), rb(b);
  for (;;) {
    bool ea = ra.AtEnd(), eb = rb.AtEnd();
    if (ea || eb) return ea && eb ? 0 : (ea ? -1 : 1);
    char32_t x = Utf8ToLower(ra.Next());
    char32_t y = Utf8ToLower(rb.Next());
    if (x != y) return x < y ? -1 : 1;
  }
}

bool AnsiSameStr(std::string_view a, std::string_view b) { return a == b; }
bool AnsiSameText(std::string_view a, std::string_view b) { return AnsiCompareText(a, b) == 0; }

String QuotedStr(std::string_view s) { return AnsiQuotedStr(s, '\''); }

String AnsiQuotedStr(std::string_view s, char quote) {
  String r(1, quote);
  for (char c : s) {
    r.push_back(c);
    if (c == quote) r.push_back(c);
  }
  r.push_back(quote);
  return r;
}

String AnsiDequotedStr(std::string_view s, char quote) {
  if (s.empty() || s[0] != quote) return String(s);
  String r;
  size_t i = 1;
  while (i < s.size()) {
    if (s[i] == quote) {
      if (i + 1 < s.size() && s[i + 1] == quote) {
        r.push_back(quote);
        i += 2;
        continue;
      }
      return r;  // closing quote; anything after it is dropped
    }
    r.push_back(s[i++]);
  }
  // No closing quote: the text is not a quoted string after all.
  return String(s);
}

String StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern, TReplaceFlags flags) {
  if (oldPattern.empty()) return String(s);
  String hay = (flags & rfIgnoreCase) ? AnsiUpperCase(s) : String(s);
  String pat = (flags & rfIgnoreCase) ? AnsiUpperCase(oldPattern) : String(oldPattern);
  // Folding can change byte lengths only outside ASCII; fall back to exact matching there.
  if (hay.size() != s.size() || pat.size() != oldPattern.size()) {
    hay = String(s);
    pat = String(oldPattern);
  }
  String out;
  size_t from = 0;
  for (;;) {
    size_t at = hay.find(pat, from);
    if (at == String::npos) break;
    out.append(s.substr(from, at - from));
    out.append(newPattern);
    from = at + pat.size();
    if (!(flags & rfReplaceAll)) break;
  }
  out.append(s.substr(from));
  return out;
}

// ---- File names ---------------------------------------------------------------------------------

namespace {
size_t LastDelimiter(std::string_view s) {
  size_t a = s.find_last_of("/\\");
  return a;
}
}  // namespace

String ExtractFilePath(std::string_view fileName) {
  size_t p = LastDelimiter(fileName);
  return p == std::string_view::npos ? String() : String(fileName.substr(0, p + 1));
}

String ExtractFileDir(std::string_view fileName) {
  size_t p = LastDelimiter(fileName);
  if (p == std::string_view::npos) return String();
  if (p == 0) return String(fileName.substr(0, 1));
  return String(fileName.substr(0, p));
}

String ExtractFileName(std::string_view fileName) {
  size_t p = LastDelimiter(fileName);
  return String(p == std::string_view::npos ? fileName : fileName.substr(p + 1));
}

String ExtractFileExt(std::string_view fileName) {
  size_t d = fileName.find_last_of("./\\");
  if (d == std::string_view::npos || fileName[d] != '.') return String();
  return String(fileName.substr(d));
}

String ChangeFileExt(std::string_view fileName, std::string_view ext) {
  size_t d = fileName.find_last_of("./\\");
  if (d == std::string_view::npos || fileName[d] != '.') return String(fileName) + String(ext);
  return String(fileName.substr(0, d)) + String(ext);
}

String IncludeTrailingPathDelimiter(std::string_view path) {
  String p(path);
  if (p.empty() || (p.back() != '/' && p.back() != '\\')) p.push_back(PathDelim);
  return p;
}

String ExcludeTrailingPathDelimiter(std::string_view path) {
  String p(path);
  if (p.size() > 1 && (p.back() == '/' || p.back() == '\\')) p.pop_back();
  return p;
}

bool FileExists(const String& fileName) {
  struct stat st {};
  return ::stat(fileName.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const String& dir) {
  struct stat st {};
  return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFile(const String& fileName) { return ::unlink(fileName.c_str()) == 0; }

namespace {

TSysLocale ReadSysLocale() {
  TSysLocale l;
  l.DefaultLCID = win::GetThreadLocale();
  l.PriLangID = l.DefaultLCID & 0x3FF;
  l.SubLangID = (l.DefaultLCID >> 10) & 0x3F;
  // Chinese, Japanese and Korean; Arabic, Hebrew and Farsi.
  l.FarEast = l.PriLangID == 0x04 || l.PriLangID == 0x11 || l.PriLangID == 0x12;
  l.MiddleEast = l.PriLangID == 0x01 || l.PriLangID == 0x0D || l.PriLangID == 0x29;
  return l;
}

}  // namespace

const TSysLocale& SysLocale = [] () -> const TSysLocale& {
  static const TSysLocale locale = ReadSysLocale();
  return locale;
}();

