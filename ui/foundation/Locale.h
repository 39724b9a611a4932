#pragma once
// The user's locale conventions as the run time holds them (the class library's format settings),
// read afresh on every call so that a change of the regional settings shows at once.
#include "platform/classes/SysUtils.h"

// Month runs from 1 to 12; another month gives an empty name.
String GetLocaleLongMonthName(int Month);
String GetLocaleShortMonthName(int Month);
int GetLocaleCurrencyDecimals();
int GetLocaleCurrencyFormat();
int GetLocaleNegCurrFormat();
String GetLocaleCurrencyString();
char GetLocaleDateSeparator();
char GetLocaleDecimalSeparator();
char GetLocaleThousandSeparator();
char GetLocaleTimeSeparator();
String GetLocaleLongDateFormat();
String GetLocaleShortDateFormat();
String GetLocaleLongTimeFormat();
String GetLocaleShortTimeFormat();
String GetLocaleTimeAMString();
String GetLocaleTimePMString();
