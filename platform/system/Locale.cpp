#include "platform/system/Locale.h"

#include <cstring>

namespace win {
namespace {

const char* const kDayNames[] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
const char* const kShortDayNames[] = {"周一", "周二", "周三", "周四", "周五", "周六", "周日"};
const char* const kMonthNames[] = {"一月", "二月", "三月", "四月",   "五月",   "六月",
                                   "七月", "八月", "九月", "十月", "十一月", "十二月"};

// The PRC conventions; null for an item the locale does not answer.
const char* Lookup(LCTYPE type) {
  type &= ~LOCALE_NOUSEROVERRIDE;
  if (type >= LOCALE_SDAYNAME1 && type < LOCALE_SDAYNAME1 + 7) return kDayNames[type - LOCALE_SDAYNAME1];
  if (type >= LOCALE_SABBREVDAYNAME1 && type < LOCALE_SABBREVDAYNAME1 + 7) return kShortDayNames[type - LOCALE_SABBREVDAYNAME1];
  if (type >= LOCALE_SMONTHNAME1 && type < LOCALE_SMONTHNAME1 + 12) return kMonthNames[type - LOCALE_SMONTHNAME1];
  if (type >= LOCALE_SABBREVMONTHNAME1 && type < LOCALE_SABBREVMONTHNAME1 + 12) return kMonthNames[type - LOCALE_SABBREVMONTHNAME1];
  switch (type) {
    case LOCALE_SLANGUAGE: return "中文(简体，中国)";
    case LOCALE_SABBREVLANGNAME: return "CHS";
    case LOCALE_SENGLANGUAGE: return "Chinese";
    case LOCALE_IDEFAULTCODEPAGE: return "936";
    case LOCALE_IDEFAULTANSICODEPAGE: return "936";
    case LOCALE_SLIST: return ",";
    case LOCALE_SDECIMAL: return ".";
    case LOCALE_STHOUSAND: return ",";
    case LOCALE_SGROUPING: return "3;0";
    case LOCALE_IDIGITS: return "2";
    case LOCALE_ILZERO: return "1";
    case LOCALE_SCURRENCY: return "¥";
    case LOCALE_SINTLSYMBOL: return "CNY";
    case LOCALE_SMONDECIMALSEP: return ".";
    case LOCALE_SMONTHOUSANDSEP: return ",";
    case LOCALE_ICURRDIGITS: return "2";
    case LOCALE_ICURRENCY: return "0";
    case LOCALE_INEGCURR: return "2";
    case LOCALE_SDATE: return "/";
    case LOCALE_STIME: return ":";
    case LOCALE_SSHORTDATE: return "yyyy/M/d";
    case LOCALE_SLONGDATE: return "yyyy'年'M'月'd'日'";
    case LOCALE_IDATE: return "2";
    case LOCALE_ITIME: return "1";
    case LOCALE_ITLZERO: return "0";
    case LOCALE_S1159: return "上午";
    case LOCALE_S2359: return "下午";
    case LOCALE_STIMEFORMAT: return "H:mm:ss";
    case LOCALE_SSHORTTIME: return "H:mm";
    case LOCALE_IFIRSTDAYOFWEEK: return "0";
    default: return nullptr;
  }
}

thread_local LCID tThreadLocale = LOCALE_ZH_CN;

}  // namespace

int GetLocaleInfo(LCID, LCTYPE type, LPSTR data, int size) {
  const char* value = Lookup(type);
  if (!value || size < 0 || (size > 0 && !data)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  int needed = static_cast<int>(std::strlen(value)) + 1;
  if (size == 0) return needed;
  if (size < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(data, value, static_cast<size_t>(needed));
  return needed;
}

LCID GetThreadLocale() { return tThreadLocale; }

BOOL SetThreadLocale(LCID locale) {
  tThreadLocale = (locale == LOCALE_USER_DEFAULT || locale == LOCALE_SYSTEM_DEFAULT) ? LOCALE_ZH_CN : locale;
  return TRUE;
}

LCID GetUserDefaultLCID() { return LOCALE_ZH_CN; }
LCID GetSystemDefaultLCID() { return LOCALE_ZH_CN; }
LANGID GetUserDefaultLangID() { return static_cast<LANGID>(LOCALE_ZH_CN); }
UINT GetACP() { return 936; }
UINT GetOEMCP() { return 936; }

}  // namespace win

namespace platform {

std::string LocaleString(win::LCTYPE type, const std::string& defaultValue) {
  int n = win::GetLocaleInfo(win::GetThreadLocale(), type, nullptr, 0);
  if (n <= 0) return defaultValue;
  std::string s(static_cast<size_t>(n), '\0');
  win::GetLocaleInfo(win::GetThreadLocale(), type, s.data(), n);
  s.resize(static_cast<size_t>(n - 1));
  return s;
}

}  // namespace platform
