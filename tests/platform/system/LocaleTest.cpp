#include <gtest/gtest.h>

#include "platform/system/Locale.h"

namespace {

TEST(Locale, AnswersWithThePrcConventions) {
  struct Case {
    win::LCTYPE type;
    const char* value;
  } cases[] = {
      {win::LOCALE_SDECIMAL, "."},           {win::LOCALE_SDATE, "/"},
      {win::LOCALE_SSHORTDATE, "yyyy/M/d"},  {win::LOCALE_STIMEFORMAT, "H:mm:ss"},
      {win::LOCALE_S1159, "上午"},           {win::LOCALE_SDAYNAME1, "星期一"},
      {win::LOCALE_SDAYNAME1 + 6, "星期日"}, {win::LOCALE_SMONTHNAME1 + 11, "十二月"},
      {win::LOCALE_SCURRENCY, "¥"},          {win::LOCALE_IDEFAULTANSICODEPAGE, "936"},
      {win::LOCALE_SDECIMAL | win::LOCALE_NOUSEROVERRIDE, "."},
  };
  for (const Case& c : cases) {
    char buf[64];
    int n = win::GetLocaleInfo(win::LOCALE_USER_DEFAULT, c.type, buf, sizeof buf);
    EXPECT_EQ(n, static_cast<int>(std::string(c.value).size()) + 1) << c.type;
    EXPECT_STREQ(buf, c.value);
  }
  // Measuring, too small a buffer, an item the locale does not know.
  EXPECT_EQ(win::GetLocaleInfo(win::GetThreadLocale(), win::LOCALE_SSHORTDATE, nullptr, 0), 9);
  char small[4];
  EXPECT_EQ(win::GetLocaleInfo(win::GetThreadLocale(), win::LOCALE_SSHORTDATE, small, sizeof small), 0);
  EXPECT_EQ(win::GetLastError(), win::ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(win::GetLocaleInfo(win::GetThreadLocale(), 0x7777, small, sizeof small), 0);
  EXPECT_EQ(platform::LocaleString(0x7777, "fallback"), "fallback");

  EXPECT_TRUE(win::SetThreadLocale(win::LOCALE_USER_DEFAULT));
  EXPECT_EQ(win::GetThreadLocale(), win::LOCALE_ZH_CN);
  EXPECT_EQ(win::GetACP(), 936u);
}

}  // namespace
