#include "ui/controls/DbTypes.h"

#include <cmath>
#include <cstdio>

#include "platform/classes/DateUtils.h"

namespace {

constexpr int kMaxDigits = 64;

struct TDecimal {
  bool Negative = false;
  String Int;   // no leading zeros
  String Frac;  // no trailing zeros
};

void Normalize(TDecimal& D) {
  std::size_t i = 0;
  while (i < D.Int.size() && D.Int[i] == '0') ++i;
  D.Int.erase(0, i);
  while (!D.Frac.empty() && D.Frac.back() == '0') D.Frac.pop_back();
  if (D.Int.empty() && D.Frac.empty()) D.Negative = false;
}

TDecimal Unpack(const TBcd& Bcd) {
  TDecimal d;
  d.Negative = (Bcd.SignSpecialPlaces & 0x80) != 0;
  int precision = Bcd.Precision > kMaxDigits ? kMaxDigits : Bcd.Precision;
  int places = Bcd.SignSpecialPlaces & 0x3F;
  if (places > precision) places = precision;
  String digits;
  for (int i = 0; i < precision; ++i) {
    int nibble = (i % 2 == 0) ? Bcd.Fraction[i / 2] >> 4 : Bcd.Fraction[i / 2] & 0x0F;
    digits += static_cast<char>('0' + (nibble > 9 ? 9 : nibble));
  }
  d.Int = digits.substr(0, static_cast<std::size_t>(precision - places));
  d.Frac = digits.substr(static_cast<std::size_t>(precision - places));
  Normalize(d);
  return d;
}

bool Pack(TDecimal D, TBcd& Bcd) {
  Normalize(D);
  String digits = D.Int + D.Frac;
  if (digits.empty()) {
    digits = "0";
  }
  if (digits.size() > kMaxDigits || D.Frac.size() > 63) return false;
  Bcd = TBcd();
  Bcd.Precision = static_cast<std::uint8_t>(digits.size());
  Bcd.SignSpecialPlaces = static_cast<std::uint8_t>((D.Negative ? 0x80 : 0) | D.Frac.size());
  for (std::size_t i = 0; i < digits.size(); ++i) {
    auto nibble = static_cast<std::uint8_t>(digits[i] - '0');
    Bcd.Fraction[i / 2] |= (i % 2 == 0) ? static_cast<std::uint8_t>(nibble << 4) : nibble;
  }
  return true;
}

}  // namespace

bool TryStrToBcd(const String& Text, TBcd& Bcd) {
  String s = Trim(Text);
  std::size_t i = 0;
  TDecimal d;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) d.Negative = s[i++] == '-';
  bool point = false, any = false;
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (c >= '0' && c <= '9') {
      (point ? d.Frac : d.Int) += c;
      any = true;
    } else if (!point && (c == '.' || c == FormatSettings.DecimalSeparator)) {
      point = true;
    } else {
      break;
    }
  }
  if (!any) return false;
  if (i < s.size()) {
    // Floating-point texts arrive in exponent form ("1E20"); the point moves instead.
    if (s[i] != 'e' && s[i] != 'E') return false;
    ++i;
    bool negExp = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negExp = s[i++] == '-';
    if (i == s.size()) return false;
    int exp = 0;
    for (; i < s.size(); ++i) {
      if (s[i] < '0' || s[i] > '9' || exp > 1000) return false;
      exp = exp * 10 + (s[i] - '0');
    }
    if (negExp) {
      int n = exp;
      while (n-- > 0) {
        if (d.Int.empty()) d.Frac.insert(0, 1, '0');
        else {
          d.Frac.insert(0, 1, d.Int.back());
          d.Int.pop_back();
        }
      }
    } else {
      int n = exp;
      while (n-- > 0) {
        if (d.Frac.empty()) d.Int += '0';
        else {
          d.Int += d.Frac.front();
          d.Frac.erase(0, 1);
        }
      }
    }
  }
  return Pack(d, Bcd);
}

TBcd VarToBcd(const Variant& V) {
  TBcd bcd;
  TVarType t = V.Type();
  String text;
  if (t == varSingle || t == varDouble || t == varDate) {
    double d = V.AsDouble();
    if (!std::isfinite(d)) throw EVariantTypeCastError(Format(SVarTypeCastError, VarTypeAsText(t), "FMTBcd"));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", t == varSingle ? 7 : 15, d);
    text = buf;
  } else if (V.IsNull() || V.IsArray()) {
    throw EVariantTypeCastError(Format(SVarTypeCastError, VarTypeAsText(t), "FMTBcd"));
  } else if (t == varBoolean) {
    text = V.AsBoolean() ? "-1" : "0";
  } else {
    text = V.AsString();
  }
  if (!TryStrToBcd(text, bcd)) throw EVariantTypeCastError(Format(SVarTypeCastError, VarTypeAsText(t), "FMTBcd"));
  return bcd;
}

String BcdToStr(const TBcd& Bcd) {
  TDecimal d = Unpack(Bcd);
  String s = d.Negative ? "-" : "";
  s += d.Int.empty() ? "0" : d.Int;
  if (!d.Frac.empty()) s += FormatSettings.DecimalSeparator + d.Frac;
  return s;
}

Variant VarFMTBcdCreate(const TBcd& Bcd) { return Variant(BcdToStr(Bcd)); }

int BcdCompare(const TBcd& A, const TBcd& B) {
  TDecimal a = Unpack(A), b = Unpack(B);
  if (a.Negative != b.Negative) return a.Negative ? -1 : 1;
  int sign = a.Negative ? -1 : 1;
  int r = 0;
  if (a.Int.size() != b.Int.size()) {
    r = a.Int.size() < b.Int.size() ? -1 : 1;
  } else {
    int c = a.Int.compare(b.Int);
    if (c == 0) c = a.Frac.compare(b.Frac);  // no trailing zeros, so plain order is numeric order
    r = c < 0 ? -1 : (c > 0 ? 1 : 0);
  }
  return r * sign;
}

double SQLTimeStampToDateTime(const TSQLTimeStamp& TimeStamp) {
  // A blank stamp (a fresh, zeroed slot) is the zero date rather than an invalid one.
  if (TimeStamp.Year == 0 && TimeStamp.Month == 0 && TimeStamp.Day == 0 && TimeStamp.Hour == 0 &&
      TimeStamp.Minute == 0 && TimeStamp.Second == 0 && TimeStamp.Fractions == 0)
    return 0;
  double date = EncodeDate(TimeStamp.Year, TimeStamp.Month, TimeStamp.Day);
  double time = EncodeTime(TimeStamp.Hour, TimeStamp.Minute, TimeStamp.Second, static_cast<int>(TimeStamp.Fractions));
  return date < 0 ? date - time : date + time;
}

TSQLTimeStamp DateTimeToSQLTimeStamp(double DateTime) {
  win::WORD y, m, d, h, n, s, ms;
  DecodeDate(DateTime, y, m, d);
  DecodeTime(DateTime, h, n, s, ms);
  TSQLTimeStamp ts;
  ts.Year = static_cast<std::int16_t>(y);
  ts.Month = m;
  ts.Day = d;
  ts.Hour = h;
  ts.Minute = n;
  ts.Second = s;
  ts.Fractions = ms;
  return ts;
}

TSQLTimeStamp VarToSQLTimeStamp(const Variant& V) {
  if (V.IsNull()) throw EVariantTypeCastError(Format(SVarTypeCastError, VarTypeAsText(V.Type()), "SQLTimeStamp"));
  return DateTimeToSQLTimeStamp(V.AsDateTime());
}
