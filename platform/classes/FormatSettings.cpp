#include "platform/classes/FormatSettings.h"

TFormatSettings TFormatSettings::Chinese() {
  TFormatSettings s;
  static const char* const numerals[] = {"\xE4\xB8\x80", "\xE4\xBA\x8C", "\xE4\xB8\x89", "\xE5\x9B\x9B",
                                         "\xE4\xBA\x94", "\xE5\x85\xAD", "\xE4\xB8\x83", "\xE5\x85\xAB",
                                         "\xE4\xB9\x9D", "\xE5\x8D\x81"};  // 一 .. 十
  const std::string month = "\xE6\x9C\x88";                                   // 月
  for (int m = 0; m < 12; ++m) {
    std::string n = m < 10 ? numerals[m] : std::string(numerals[9]) + numerals[m - 10];
    s.LongMonthNames[m] = n + month;
    s.ShortMonthNames[m] = n + month;
  }
  static const char* const days[] = {"\xE6\x97\xA5", "\xE4\xB8\x80", "\xE4\xBA\x8C", "\xE4\xB8\x89",
                                     "\xE5\x9B\x9B", "\xE4\xBA\x94", "\xE5\x85\xAD"};  // 日 一 .. 六
  for (int d = 0; d < 7; ++d) {
    s.LongDayNames[d] = std::string("\xE6\x98\x9F\xE6\x9C\x9F") + days[d];  // 星期
    s.ShortDayNames[d] = std::string("\xE5\x91\xA8") + days[d];            // 周
  }
  return s;
}

TFormatSettings TFormatSettings::Invariant() {
  TFormatSettings s;
  s.DateSeparator = '/';
  s.CurrencyString = "$";
  s.CurrencyFormat = 0;
  s.NegCurrFormat = 0;
  s.ShortDateFormat = "M/d/yyyy";
  s.LongDateFormat = "dddd, MMMM d, yyyy";
  s.ShortTimeFormat = "h:mm AMPM";
  s.LongTimeFormat = "h:mm:ss AMPM";
  s.TimeAMString = "AM";
  s.TimePMString = "PM";
  s.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  s.LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                      "July",    "August",   "September", "October", "November", "December"};
  s.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  s.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  return s;
}

TFormatSettings FormatSettings = TFormatSettings::Chinese();

void GetFormatSettings() { FormatSettings = TFormatSettings::Chinese(); }
