#include "platform/classes/FormatSettings.h"

#include <string>

#include "platform/system/Locale.h"

namespace {

char FirstChar(win::LCTYPE type, char def) {
  std::string s = platform::LocaleString(type);
  return s.empty() ? def : s[0];
}

int Number(win::LCTYPE type, int def) {
  std::string s = platform::LocaleString(type);
  return s.empty() || s.find_first_not_of("0123456789") != std::string::npos ? def : std::stoi(s);
}

}  // namespace

TFormatSettings TFormatSettings::Chinese() {
  using namespace win;
  TFormatSettings s;
  s.DecimalSeparator = FirstChar(LOCALE_SDECIMAL, '.');
  s.ThousandSeparator = FirstChar(LOCALE_STHOUSAND, ',');
  s.DateSeparator = FirstChar(LOCALE_SDATE, '/');
  s.TimeSeparator = FirstChar(LOCALE_STIME, ':');
  s.ListSeparator = FirstChar(LOCALE_SLIST, ',');
  s.CurrencyString = platform::LocaleString(LOCALE_SCURRENCY, s.CurrencyString);
  s.CurrencyFormat = static_cast<unsigned char>(Number(LOCALE_ICURRENCY, 0));
  s.NegCurrFormat = static_cast<unsigned char>(Number(LOCALE_INEGCURR, 2));
  s.CurrencyDecimals = static_cast<unsigned char>(Number(LOCALE_ICURRDIGITS, 2));
  s.ShortDateFormat = platform::LocaleString(LOCALE_SSHORTDATE, s.ShortDateFormat);
  s.LongDateFormat = platform::LocaleString(LOCALE_SLONGDATE, s.LongDateFormat);
  s.TimeAMString = platform::LocaleString(LOCALE_S1159, s.TimeAMString);
  s.TimePMString = platform::LocaleString(LOCALE_S2359, s.TimePMString);
  // The time formats are built from the clock kind, as the run-time library always has: hours
  // with or without a leading zero, and the AM/PM mark only on a 12-hour clock.
  std::string hour = Number(LOCALE_ITLZERO, 0) == 0 ? "h" : "hh";
  std::string postfix = Number(LOCALE_ITIME, 0) == 0 ? " AMPM" : "";
  s.ShortTimeFormat = hour + ":mm" + postfix;
  s.LongTimeFormat = hour + ":mm:ss" + postfix;
  for (int m = 0; m < 12; ++m) {
    s.LongMonthNames[static_cast<size_t>(m)] = platform::LocaleString(LOCALE_SMONTHNAME1 + static_cast<LCTYPE>(m));
    s.ShortMonthNames[static_cast<size_t>(m)] = platform::LocaleString(LOCALE_SABBREVMONTHNAME1 + static_cast<LCTYPE>(m));
  }
  // The locale counts days from Monday; the names here start on Sunday.
  for (int d = 0; d < 7; ++d) {
    LCTYPE offset = static_cast<LCTYPE>((d + 6) % 7);
    s.LongDayNames[static_cast<size_t>(d)] = platform::LocaleString(LOCALE_SDAYNAME1 + offset);
    s.ShortDayNames[static_cast<size_t>(d)] = platform::LocaleString(LOCALE_SABBREVDAYNAME1 + offset);
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
