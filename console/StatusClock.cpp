#include "console/StatusClock.h"

namespace {

// Sunday first, as DayOfWeek counts. The English names are padded to four characters so the
// panel's right-aligned text keeps its place, "Thur" being the one that needs no blank.
constexpr const char* kEnglishWeekdays[] = {"Sun ", "Mon ", "Tue ", "Wed ", "Thur", "Fri ", "Sat "};
constexpr const char* kChineseWeekdays[] = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};

}  // namespace

String StatusClockText(TDateTime When, bool EnglishWeekdays) {
  const int day = DayOfWeek(When) - 1;
  return DateTimeToStr(When) + "   " + (EnglishWeekdays ? kEnglishWeekdays : kChineseWeekdays)[day] + "---";
}
