#include "ui/foundation/Locale.h"

String GetLocaleLongMonthName(int Month) {
  return Month >= 1 && Month <= 12 ? FormatSettings.LongMonthNames[static_cast<std::size_t>(Month - 1)] : String();
}

String GetLocaleShortMonthName(int Month) {
  return Month >= 1 && Month <= 12 ? FormatSettings.ShortMonthNames[static_cast<std::size_t>(Month - 1)] : String();
}

int GetLocaleCurrencyDecimals() { return FormatSettings.CurrencyDecimals; }
int GetLocaleCurrencyFormat() { return FormatSettings.CurrencyFormat; }
int GetLocaleNegCurrFormat() { return FormatSettings.NegCurrFormat; }
String GetLocaleCurrencyString() { return FormatSettings.CurrencyString; }
char GetLocaleDateSeparator() { return FormatSettings.DateSeparator; }
char GetLocaleDecimalSeparator() { return FormatSettings.DecimalSeparator; }
char GetLocaleThousandSeparator() { return FormatSettings.ThousandSeparator; }
char GetLocaleTimeSeparator() { return FormatSettings.TimeSeparator; }
String GetLocaleLongDateFormat() { return FormatSettings.LongDateFormat; }
String GetLocaleShortDateFormat() { return FormatSettings.ShortDateFormat; }
String GetLocaleLongTimeFormat() { return FormatSettings.LongTimeFormat; }
String GetLocaleShortTimeFormat() { return FormatSettings.ShortTimeFormat; }
String GetLocaleTimeAMString() { return FormatSettings.TimeAMString; }
String GetLocaleTimePMString() { return FormatSettings.TimePMString; }
