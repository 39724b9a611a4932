#pragma once
// The clock every console shows in the last panel of its status bar.
#include "platform/classes/DateUtils.h"

// The date and time in the locale's short date and long time formats, three blanks, then the
// weekday ("Wed " or "星期三") and "---".
String StatusClockText(TDateTime When, bool EnglishWeekdays);
