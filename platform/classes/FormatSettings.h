#pragma once
// The locale's number, currency, date and time conventions that conversions and the date-time
// formatter read. The console is a Chinese product, so the values are those the platform gives a
// Simplified Chinese (PRC) user; the run-time global is what every routine reads by default.
#include <array>
#include <string>

struct TFormatSettings {
  using String = std::string;

  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  char ListSeparator = ',';
  String CurrencyString = "\xC2\xA5";  // yen/yuan sign
  unsigned char CurrencyFormat = 0;    // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  unsigned char NegCurrFormat = 2;     // 2 "$-1"
  unsigned char CurrencyDecimals = 2;
  String ShortDateFormat = "yyyy/M/d";
  String LongDateFormat = "yyyy'\xE5\xB9\xB4'M'\xE6\x9C\x88'd'\xE6\x97\xA5'";  // yyyy'年'M'月'd'日'
  String ShortTimeFormat = "h:mm";
  String LongTimeFormat = "h:mm:ss";
  String TimeAMString = "\xE4\xB8\x8A\xE5\x8D\x88";  // 上午
  String TimePMString = "\xE4\xB8\x8B\xE5\x8D\x88";  // 下午
  // Index 0 is January, and Sunday for the day names.
  std::array<String, 12> ShortMonthNames;
  std::array<String, 12> LongMonthNames;
  std::array<String, 7> ShortDayNames;
  std::array<String, 7> LongDayNames;
  unsigned short TwoDigitYearCenturyWindow = 50;

  // The conventions of the platform's locale (Simplified Chinese), names filled in.
  static TFormatSettings Chinese();
  // English (United States) conventions, for tests and for code that must not depend on the user.
  static TFormatSettings Invariant();
};

// The settings every conversion uses unless given its own. Not guarded: it is written only at
// start-up and when the user's regional settings change, on the UI thread.
extern TFormatSettings FormatSettings;

// Reloads the run-time global from the user's locale.
void GetFormatSettings();
