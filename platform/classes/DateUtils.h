#pragma once
// Dates and times as the class library keeps them: a double counting days since 1899-12-30 at
// midnight, the fraction being the time of day. The current time comes from the platform clock,
// so tests with a virtual clock see a fixed, reproducible date.
#include <cstdint>

#include "platform/classes/SysUtils.h"
#include "platform/system/Clock.h"

using TDateTime = double;

inline constexpr double MSecsPerDay = 86'400'000.0;
// Days from 0001-01-01 to 1899-12-31 (the platform counts 0001-01-01 as day 1), and from
// 1899-12-30 to the Unix epoch.
inline constexpr int DateDelta = 693594;
inline constexpr int UnixDateDelta = 25569;

bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);

bool TryEncodeDate(int year, int month, int day, TDateTime& date);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time);
// Raise EConvertError for out-of-range parts.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
void DecodeDate(TDateTime date, win::WORD& year, win::WORD& month, win::WORD& day);
void DecodeTime(TDateTime time, win::WORD& hour, win::WORD& min, win::WORD& sec, win::WORD& msec);
// 1 for Sunday .. 7 for Saturday.
int DayOfWeek(TDateTime date);

TDateTime SystemTimeToDateTime(const win::SYSTEMTIME& st);
void DateTimeToSystemTime(TDateTime dt, win::SYSTEMTIME& st);

// Local time of the platform clock.
TDateTime Now();
TDateTime Date();
TDateTime Time();

// The platform's date-time pictures: d dd ddd dddd ddddd dddddd, m mm mmm mmmm (minutes right
// after an hour), yy yyyy, h hh, n nn, s ss, z zzz, t tt, c, am/pm a/p ampm, "/" and ":" for the
// locale's separators, and quoted literals.
String FormatDateTime(const String& format, TDateTime dt);
String FormatDateTime(const String& format, TDateTime dt, const TFormatSettings& fs);
// Short date and long time; the time is left out at midnight exactly.
String DateTimeToStr(TDateTime dt);
String DateTimeToStr(TDateTime dt, const TFormatSettings& fs);
String DateToStr(TDateTime dt);
String TimeToStr(TDateTime dt);
