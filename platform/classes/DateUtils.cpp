#include "platform/classes/DateUtils.h"

#include <cctype>
#include <cmath>
#include <strings.h>

namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;
// Day 0 of a date-time counted from 0001-01-01 as day 0 (the platform's own count starts at 1).
constexpr std::int64_t kEpochDay = DateDelta - 1;

// Days since 0001-01-01 of a proleptic Gregorian date, and back.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468 + 719162;  // epoch 1970 -> 0001
}

void CivilFromDays(std::int64_t days, int& y, unsigned& m, unsigned& d) {
  std::int64_t z = days - 719162 + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
}

// A date-time as whole days and milliseconds of the day; negative values keep their time of day
// as the absolute fraction, the way the platform reads them.
void Split(TDateTime dt, std::int64_t& days, std::int64_t& ms) {
  double whole = std::trunc(dt);
  days = static_cast<std::int64_t>(whole);
  ms = std::llround(std::fabs(dt - whole) * MSecsPerDay);
  if (ms >= kMsPerDay) {
    ms -= kMsPerDay;
    days += dt < 0 ? -1 : 1;
  }
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month)) return false;
  date = static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochDay);
  return true;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time) {
  if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999) return false;
  time = ((hour * 3600000.0) + (min * 60000.0) + (sec * 1000.0) + msec) / MSecsPerDay;
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime d;
  if (!TryEncodeDate(year, month, day, d)) throw EConvertError(SDateEncodeError);
  return d;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
  TDateTime t;
  if (!TryEncodeTime(hour, min, sec, msec, t)) throw EConvertError(STimeEncodeError);
  return t;
}

void DecodeDate(TDateTime date, win::WORD& year, win::WORD& month, win::WORD& day) {
  std::int64_t days, ms;
  Split(date, days, ms);
  std::int64_t abs = days + kEpochDay;
  if (abs < 0) {
    year = month = day = 0;
    return;
  }
  int y;
  unsigned m, d;
  CivilFromDays(abs, y, m, d);
  year = static_cast<win::WORD>(y);
  month = static_cast<win::WORD>(m);
  day = static_cast<win::WORD>(d);
}

void DecodeTime(TDateTime time, win::WORD& hour, win::WORD& min, win::WORD& sec, win::WORD& msec) {
  std::int64_t days, ms;
  Split(time, days, ms);
  hour = static_cast<win::WORD>(ms / 3600000);
  min = static_cast<win::WORD>(ms / 60000 % 60);
  sec = static_cast<win::WORD>(ms / 1000 % 60);
  msec = static_cast<win::WORD>(ms % 1000);
}

int DayOfWeek(TDateTime date) {
  std::int64_t days, ms;
  Split(date, days, ms);
  // On the platform's count 0001-01-01, a Monday, is day 1.
  std::int64_t r = (days + DateDelta) % 7;
  if (r < 0) r += 7;
  return static_cast<int>(r) + 1;
}

TDateTime SystemTimeToDateTime(const win::SYSTEMTIME& st) {
  TDateTime d = EncodeDate(st.wYear, st.wMonth, st.wDay);
  TDateTime t = EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
  return d >= 0 ? d + t : d - t;
}

void DateTimeToSystemTime(TDateTime dt, win::SYSTEMTIME& st) {
  DecodeDate(dt, st.wYear, st.wMonth, st.wDay);
  DecodeTime(dt, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
  st.wDayOfWeek = static_cast<win::WORD>(DayOfWeek(dt) - 1);
}

TDateTime Now() {
  std::int64_t wall = platform::CurrentClock().WallMs();
  std::int64_t local = wall + static_cast<std::int64_t>(platform::LocalUtcOffsetMinutes(wall)) * 60000;
  std::int64_t days = local >= 0 ? local / kMsPerDay : -((-local + kMsPerDay - 1) / kMsPerDay);
  std::int64_t ms = local - days * kMsPerDay;
  return static_cast<double>(days + UnixDateDelta) + static_cast<double>(ms) / MSecsPerDay;
}

TDateTime Date() { return std::floor(Now()); }
TDateTime Time() {
  TDateTime n = Now();
  return n - std::floor(n);
}

// ---- Formatting ---------------------------------------------------------------------------------

namespace {

String Pad2(int v) { return v < 10 ? "0" + std::to_string(v) : std::to_string(v); }

struct DateParts {
  win::WORD y = 0, m = 0, d = 0, h = 0, n = 0, s = 0, z = 0;
  int dow = 1;
};

void AppendFormat(String& out, const String& format, const DateParts& p, TDateTime dt, const TFormatSettings& fs, int level) {
  if (level > 2) return;  // the locale's own pictures may nest once more, never deeper
  const size_t len = format.size();
  char lastToken = ' ';
  size_t i = 0;
  auto count = [&](char letter, size_t max) {
    size_t c = 1;
    while (i + c < len && c < max && std::toupper(static_cast<unsigned char>(format[i + c])) == letter) ++c;
    return c;
  };
  while (i < len) {
    char ch = format[i];
    char token = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (token >= 'A' && token <= 'Z') {
      if (token == 'M' && lastToken == 'H') token = 'N';
      lastToken = token;
    }
    switch (token) {
      case 'Y': {
        size_t c = count('Y', 4);
        out += c <= 2 ? Pad2(p.y % 100) : std::to_string(p.y);
        i += c;
        break;
      }
      case 'M': {
        size_t c = count('M', 4);
        if (c == 1)
          out += std::to_string(p.m);
        else if (c == 2)
          out += Pad2(p.m);
        else if (p.m >= 1)
          out += c == 3 ? fs.ShortMonthNames[p.m - 1u] : fs.LongMonthNames[p.m - 1u];
        i += c;
        break;
      }
      case 'D': {
        size_t c = count('D', 6);
        switch (c) {
          case 1: out += std::to_string(p.d); break;
          case 2: out += Pad2(p.d); break;
          case 3: out += fs.ShortDayNames[static_cast<size_t>(p.dow - 1)]; break;
          case 4: out += fs.LongDayNames[static_cast<size_t>(p.dow - 1)]; break;
          case 5: AppendFormat(out, fs.ShortDateFormat, p, dt, fs, level + 1); break;
          default: AppendFormat(out, fs.LongDateFormat, p, dt, fs, level + 1); break;
        }
        i += c;
        break;
      }
      case 'H': {
        size_t c = count('H', 2);
        // A 12-hour clock when an AM/PM picture follows before the next hour.
        bool twelve = false;
        char quote = 0;
        for (size_t k = i + c; k < len; ++k) {
          char q = format[k];
          if (quote) {
            if (q == quote) quote = 0;
            continue;
          }
          if (q == '"' || q == '\'') {
            quote = q;
            continue;
          }
          if (q == 'h' || q == 'H') break;
          if (q == 'a' || q == 'A') {
            const char* rest = format.c_str() + k;
            if (strncasecmp(rest, "am/pm", 5) == 0 || strncasecmp(rest, "a/p", 3) == 0 || strncasecmp(rest, "ampm", 4) == 0) {
              twelve = true;
              break;
            }
          }
        }
        int h = p.h;
        if (twelve) {
          h %= 12;
          if (h == 0) h = 12;
        }
        out += c == 1 ? std::to_string(h) : Pad2(h);
        i += c;
        break;
      }
      case 'N': {
        size_t c = count(static_cast<char>(std::toupper(static_cast<unsigned char>(ch))), 2);
        out += c == 1 ? std::to_string(p.n) : Pad2(p.n);
        i += c;
        break;
      }
      case 'S': {
        size_t c = count('S', 2);
        out += c == 1 ? std::to_string(p.s) : Pad2(p.s);
        i += c;
        break;
      }
      case 'Z': {
        size_t c = count('Z', 3);
        String z = std::to_string(p.z);
        if (c == 3) z.insert(0, 3 - z.size(), '0');
        out += z;
        i += c;
        break;
      }
      case 'T': {
        size_t c = count('T', 2);
        AppendFormat(out, c == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, p, dt, fs, level + 1);
        i += c;
        break;
      }
      case 'C': {
        AppendFormat(out, fs.ShortDateFormat, p, dt, fs, level + 1);
        if (p.h || p.n || p.s || p.z) {
          out.push_back(' ');
          AppendFormat(out, fs.LongTimeFormat, p, dt, fs, level + 1);
        }
        ++i;
        break;
      }
      case 'A': {
        const char* rest = format.c_str() + i;
        bool pm = p.h >= 12;
        if (strncasecmp(rest, "am/pm", 5) == 0) {
          // Written in the letter case of the picture.
          String s = pm ? String(rest + 3, 2) : String(rest, 2);
          out += s;
          i += 5;
        } else if (strncasecmp(rest, "a/p", 3) == 0) {
          out.push_back(pm ? rest[2] : rest[0]);
          i += 3;
        } else if (strncasecmp(rest, "ampm", 4) == 0) {
          out += pm ? fs.TimePMString : fs.TimeAMString;
          i += 4;
        } else {
          out.push_back(ch);
          ++i;
        }
        break;
      }
      case '/':
        out.push_back(fs.DateSeparator);
        ++i;
        break;
      case ':':
        out.push_back(fs.TimeSeparator);
        ++i;
        break;
      case '"':
      case '\'': {
        size_t close = format.find(ch, i + 1);
        if (close == String::npos) close = len;
        out.append(format, i + 1, close - i - 1);
        i = close + 1;
        break;
      }
      default:
        out.push_back(ch);
        ++i;
        break;
    }
  }
}

}  // namespace

String FormatDateTime(const String& format, TDateTime dt, const TFormatSettings& fs) {
  DateParts p;
  DecodeDate(dt, p.y, p.m, p.d);
  DecodeTime(dt, p.h, p.n, p.s, p.z);
  p.dow = DayOfWeek(dt);
  String out;
  AppendFormat(out, format.empty() ? String("c") : format, p, dt, fs, 0);
  return out;
}

String FormatDateTime(const String& format, TDateTime dt) { return FormatDateTime(format, dt, FormatSettings); }
String DateTimeToStr(TDateTime dt, const TFormatSettings& fs) { return FormatDateTime("c", dt, fs); }
String DateTimeToStr(TDateTime dt) { return DateTimeToStr(dt, FormatSettings); }
String DateToStr(TDateTime dt) { return FormatDateTime("ddddd", dt); }
String TimeToStr(TDateTime dt) { return FormatDateTime("tt", dt); }
