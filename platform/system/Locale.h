#pragma once
// The user's locale. The console is a Chinese product and runs as on a Simplified Chinese (PRC)
// system whatever the machine's own settings: every locale answers with the PRC conventions.
#include <string>

#include "platform/system/Types.h"

namespace win {

using LCID = DWORD;
using LCTYPE = DWORD;
using LANGID = WORD;

constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
constexpr LCID LOCALE_ZH_CN = 0x0804;

constexpr LCTYPE LOCALE_NOUSEROVERRIDE = 0x80000000;
constexpr LCTYPE LOCALE_SLANGUAGE = 0x02;
constexpr LCTYPE LOCALE_SABBREVLANGNAME = 0x03;
constexpr LCTYPE LOCALE_IDEFAULTCODEPAGE = 0x0B;
constexpr LCTYPE LOCALE_SLIST = 0x0C;
constexpr LCTYPE LOCALE_SDECIMAL = 0x0E;
constexpr LCTYPE LOCALE_STHOUSAND = 0x0F;
constexpr LCTYPE LOCALE_SGROUPING = 0x10;
constexpr LCTYPE LOCALE_IDIGITS = 0x11;
constexpr LCTYPE LOCALE_ILZERO = 0x12;
constexpr LCTYPE LOCALE_SCURRENCY = 0x14;
constexpr LCTYPE LOCALE_SINTLSYMBOL = 0x15;
constexpr LCTYPE LOCALE_SMONDECIMALSEP = 0x16;
constexpr LCTYPE LOCALE_SMONTHOUSANDSEP = 0x17;
constexpr LCTYPE LOCALE_ICURRDIGITS = 0x19;
constexpr LCTYPE LOCALE_ICURRENCY = 0x1B;
constexpr LCTYPE LOCALE_INEGCURR = 0x1C;
constexpr LCTYPE LOCALE_SDATE = 0x1D;
constexpr LCTYPE LOCALE_STIME = 0x1E;
constexpr LCTYPE LOCALE_SSHORTDATE = 0x1F;
constexpr LCTYPE LOCALE_SLONGDATE = 0x20;
constexpr LCTYPE LOCALE_IDATE = 0x21;
constexpr LCTYPE LOCALE_ITIME = 0x23;
constexpr LCTYPE LOCALE_ITLZERO = 0x25;
constexpr LCTYPE LOCALE_S1159 = 0x28;
constexpr LCTYPE LOCALE_S2359 = 0x29;
constexpr LCTYPE LOCALE_SDAYNAME1 = 0x2A;        // Monday .. SDAYNAME7 Sunday
constexpr LCTYPE LOCALE_SABBREVDAYNAME1 = 0x31;  // Monday .. 0x37 Sunday
constexpr LCTYPE LOCALE_SMONTHNAME1 = 0x38;      // January .. 0x43 December
constexpr LCTYPE LOCALE_SABBREVMONTHNAME1 = 0x44;
constexpr LCTYPE LOCALE_SSHORTTIME = 0x79;
constexpr LCTYPE LOCALE_SENGLANGUAGE = 0x1001;
constexpr LCTYPE LOCALE_STIMEFORMAT = 0x1003;
constexpr LCTYPE LOCALE_IDEFAULTANSICODEPAGE = 0x1004;
constexpr LCTYPE LOCALE_IFIRSTDAYOFWEEK = 0x100C;

// Copies the value (UTF-8, with its NUL) and answers the characters copied with the NUL; with a
// size of 0 answers the size needed. Unknown items, or too small a buffer, give 0 with the last
// error set.
int GetLocaleInfo(LCID locale, LCTYPE type, LPSTR data, int size);
LCID GetThreadLocale();
BOOL SetThreadLocale(LCID locale);
LCID GetUserDefaultLCID();
LCID GetSystemDefaultLCID();
LANGID GetUserDefaultLangID();
UINT GetACP();
UINT GetOEMCP();

}  // namespace win

namespace platform {

// The locale's value of an item, or the default when the locale has none.
std::string LocaleString(win::LCTYPE type, const std::string& defaultValue = std::string());

}  // namespace platform
