#include <gtest/gtest.h>

#include "platform/display/Display.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "ui/controls/FormatController.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/editors/RegExpr.h"

namespace {

// The user's locale as a test fills it: English (United States) unless a test says otherwise.
class FormatControllerTest : public testing::Test {
 protected:
  void SetUp() override {
    FSavedSettings = FormatSettings;
    FSavedLocale = LocaleFormatSettings();
    FormatSettings = TFormatSettings::Invariant();
    FormatSettings.ShortDateFormat = "yyyy/M/d";
    FormatSettings.TimeAMString = "AM";
    FormatSettings.TimePMString = "PM";
    LocaleFormatSettings().TimeFormat = "H:mm:ss";
  }
  void TearDown() override {
    FormatSettings = FSavedSettings;
    LocaleFormatSettings() = FSavedLocale;
  }

  static bool Accepts(const String& Mask, const String& Text) {
    TcxRegExpr engine;
    engine.SetCaseInsensitive(true);
    std::istringstream source(Mask);
    engine.Compile(&source);
    for (char c : Text) {
      char ch = c;
      if (!engine.Accept(ch)) return false;
    }
    return engine.AtFinal();
  }

  TFormatSettings FSavedSettings;
  TcxLocaleFormatSettings FSavedLocale;
};

TEST_F(FormatControllerTest, ShortDateGivesEditFormatMasksAndDisplayFormats) {
  TcxFormatController controller;
  EXPECT_EQ(controller.DateEditFormat(), "yyyy/MM/dd");
  EXPECT_EQ(controller.StandardDateEditMask(), "!9999/99/99;1; ");
  EXPECT_EQ(controller.DateEditMask(), "!9999/99/99;1; ");
  EXPECT_EQ(controller.StandardDateTimeEditMask(), "!9999/99/99\\ 99:99:99;1; ");
  EXPECT_EQ(controller.MaskedDateEditFormat(), "yyyy/mm/dd");
  EXPECT_EQ(controller.MaskedDateTimeEditFormat(), "yyyy/mm/dd' 'hh:nn:ss");
  EXPECT_EQ(controller.TimeFormatInfo().Items.front().Data, "24H");

  FormatSettings.ShortDateFormat = "dd-MMMMM-yy";
  EXPECT_EQ(controller.DateEditFormat(false), "dd-MMMMM-yy");
  EXPECT_EQ(controller.DateEditFormat(true), "dd-MMM-yy");
  controller.Refresh();
  EXPECT_EQ(controller.StandardDateEditMask(), "!99\\-lll\\-99;1; ");
  EXPECT_EQ(controller.MaskedDateEditFormat(), "dd'-'mmm'-'yy");
}

TEST_F(FormatControllerTest, ParsingPictures) {
  TcxFormatController controller;
  auto items = [&](const String& Format) {
    TcxDateTimeFormatInfo info;
    bool ok = controller.GetDateTimeFormatInfo(Format, info);
    String s = ok ? "" : "!";
    for (const auto& item : info.Items) s += std::to_string(item.Kind) + "[" + item.Data + "]";
    return s;
  };
  // kinds: 0 text, 1 year, 2 month, 3 day, 4 hour, 5 minute, 6 second, 7 ms, 8 am/pm, 9 /, 10 :
  EXPECT_EQ(items("yyyy/M/d"), "1[YYYY]9[/]2[M]9[/]3[D]");
  EXPECT_EQ(items("h:mm AM/PM"), "4[12H]10[:]5[NN]0[ ]8[AM/PM]");
  EXPECT_EQ(items("hh:nn:ss.zzz"), "4[24HH]10[:]5[NN]10[:]6[SS]0[.]7[ZZZ]");
  EXPECT_EQ(items("'Day' d, \"of\" mmmm e"), "0[Day ]3[D]0[, of ]2[MMMM]0[ ]1[YY]");
  EXPECT_EQ(items("aaaa d"), "3[DDDD]0[ ]");  // a second day item is dropped
  EXPECT_EQ(items("ddddd"), "1[YYYY]9[/]2[M]9[/]3[D]");
  EXPECT_EQ(items("d/m/y d/m/y"), "3[D]9[/]2[M]9[/]1[YY]0[ ]9[/]9[/]");
  EXPECT_EQ(items("A/P d"), "0[ ]3[D]");  // AM/PM without an hour is dropped
  EXPECT_EQ(items("a"), "0[a]");
  EXPECT_EQ(items("gg yyyy"), "!");
  EXPECT_EQ(items(""), items("c"));
  EXPECT_EQ(items("c"), "1[YYYY]9[/]2[M]9[/]3[D]0[ ]4[24H]10[:]5[NN]10[:]6[SS]");
  // A picture that refers to itself stops after two levels.
  FormatSettings.ShortDateFormat = "ddddd";
  EXPECT_EQ(items("ddddd"), "");
}

TEST_F(FormatControllerTest, TwelveHourLocaleTimeFormat) {
  LocaleFormatSettings().TimeFormat = "tt h:mm:ss";
  TcxFormatController controller;
  EXPECT_EQ(controller.TimeFormat(), "AMPM h:mm:ss");
  const auto& items = controller.TimeFormatInfo().Items;
  ASSERT_GE(items.size(), 3u);
  EXPECT_EQ(items[0].Kind, dtiAMPM);
  EXPECT_EQ(items[2].Data, "12H");
  EXPECT_NE(controller.RegExprDateTimeEditMask().find("' '(('AM'|'PM')?' '(0?[1-9]|1[012])\\:[0-5]?\\d\\:[0-5]?\\d)?"),
            String::npos)
      << controller.RegExprDateTimeEditMask();
  EXPECT_EQ(controller.StandardDateTimeEditMask(), "!9999/99/99\\ cc\\ 99:99:99;1; ");

  LocaleFormatSettings().TimeFormat = "h:mm t";
  controller.Refresh();
  EXPECT_EQ(controller.TimeFormat(), "h:mm A/P");
  EXPECT_NE(controller.RegExprDateTimeEditMask().find("(A|P)?"), String::npos);

  // The run time's long time format replaces the locale's when asked to.
  controller.SetUsePlatformDateTimeFormats(true);
  EXPECT_EQ(controller.TimeFormat(), FormatSettings.LongTimeFormat);
}

TEST_F(FormatControllerTest, CurrencyFormats) {
  struct Case {
    const char* symbol;
    int decimals, positive, negative;
    const char* format;
  } cases[] = {
      {"$", 2, 0, 0, "$,0.00;($,0.00)"},
      {"$", 0, 1, 1, ",0.$;-$,0."},
      {"Fr.", 2, 2, 8, "Fr'.' ,0.00;-,0.00 Fr'.'"},
      {"kr", 3, 3, 13, ",0.000 kr;,0.000- kr"},
      {"\xC2\xA5", 2, 0, 2, "\xC2\xA5,0.00;\xC2\xA5-,0.00"},
      {"R", 2, 2, 12, "R ,0.00;R -,0.00"},
      {"R", 2, 2, 15, "R ,0.00;(,0.00 R)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    FormatSettings.CurrencyString = c.symbol;
    FormatSettings.CurrencyDecimals = static_cast<unsigned char>(c.decimals);
    FormatSettings.CurrencyFormat = static_cast<unsigned char>(c.positive);
    FormatSettings.NegCurrFormat = static_cast<unsigned char>(c.negative);
    TcxFormatController controller;
    EXPECT_EQ(controller.CurrencyFormat(), c.format);
  }
}

TEST_F(FormatControllerTest, RegularExpressionMasksTakeDateWords) {
  FormatSettings.ShortDateFormat = "d/MMM/yyyy";
  FormatSettings.DateSeparator = '-';
  TcxFormatController controller;
  const String& date = controller.RegExprDateEditMask();
  EXPECT_EQ(date.rfind("(([012]?[1-9]|[123]0|31)\\-((0?[1-9]|1[012])|('Jan'|'Feb'|", 0), 0u) << date;
  const String& dateTime = controller.RegExprDateTimeEditMask();
  struct Case {
    const char* text;
    bool date, dateTime;
  } cases[] = {
      {"today", true, true},   {"eom+3", true, true},   {"friday-1234", true, true}, {"now", false, true},
      {"now+1", false, true},  {"12-Feb-2024", true, false}, {"31-12-2024 ", false, true}, {"32-1-2024", false, false},
      {"12-Feb-2024 13:05:59", false, true},               {"tomorrow+12345", false, false},
  };
  // The date-time mask wants the blank after the date even when the time is left out.
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Accepts(date, c.text), c.date);
    EXPECT_EQ(Accepts(dateTime, c.text), c.dateTime);
  }
  // A replaced word counts the next time the masks are built: the replacement itself is news.
  cxSetResourceStringReplacement("cxSDateToday", "heute");
  EXPECT_TRUE(Accepts(FormatControllerInstance()->RegExprDateEditMask(), "heute+1"));
  EXPECT_FALSE(Accepts(FormatControllerInstance()->RegExprDateEditMask(), "today"));
  controller.Refresh();
  EXPECT_TRUE(Accepts(controller.RegExprDateEditMask(), "heute"));
  cxRemoveResourceStringReplacement("cxSDateToday");
  EXPECT_TRUE(Accepts(FormatControllerInstance()->RegExprDateEditMask(), "today"));
}

TEST_F(FormatControllerTest, UnsupportedPictureLeavesMasksEmpty) {
  FormatSettings.ShortDateFormat = "gg yyyy/M/d";
  TcxFormatController controller;
  EXPECT_EQ(controller.StandardDateEditMask(), "");
  EXPECT_EQ(controller.RegExprDateEditMask(), "");
  EXPECT_EQ(controller.RegExprDateTimeEditMask(), "");
  EXPECT_EQ(controller.MaskedDateEditFormat(), "");
}

class Listener : public IcxFormatControllerListener, public IcxFormatControllerListener2 {
 public:
  void FormatChanged() override { ++Formats; }
  void TimeChanged() override { ++Times; }
  int Formats = 0;
  int Times = 0;
};

class PlainListener : public IcxFormatControllerListener {
 public:
  void FormatChanged() override { ++Formats; }
  int Formats = 0;
};

TEST_F(FormatControllerTest, NotificationWindowFollowsListenersAndRelaysChanges) {
  platform::InstallDisplay(platform::CreateHeadlessDisplay(640, 480));
  {
    TcxFormatController controller;
    Listener a;
    PlainListener b;
    EXPECT_EQ(controller.NotificationWindow(), nullptr);
    controller.AddListener(&a);
    controller.AddListener(&b);
    controller.AddListener(&a);
    const win::HWND window = controller.NotificationWindow();
    ASSERT_NE(window, nullptr);

    // A regional change reloads the run time's settings (here: the Chinese defaults) and tells
    // every listener once.
    FormatSettings.CurrencyString = "$";
    win::SendMessage(window, win::WM_SETTINGCHANGE, 0, reinterpret_cast<win::LPARAM>("intl"));
    EXPECT_EQ(a.Formats, 1);
    EXPECT_EQ(b.Formats, 1);
    EXPECT_EQ(controller.CurrencyFormat(), "\xC2\xA5,0.00;\xC2\xA5-,0.00");
    // Other sections are none of its business.
    win::SendMessage(window, win::WM_SETTINGCHANGE, 0, reinterpret_cast<win::LPARAM>("Windows"));
    win::SendMessage(window, win::WM_SETTINGCHANGE, 1, reinterpret_cast<win::LPARAM>("intl"));
    EXPECT_EQ(a.Formats, 1);

    win::SendMessage(window, win::WM_TIMECHANGE, 0, 0);
    EXPECT_EQ(a.Times, 1);
    EXPECT_EQ(a.Formats, 1);

    controller.RemoveListener(&a);
    EXPECT_EQ(controller.NotificationWindow(), window);
    controller.RemoveListener(&b);
    EXPECT_EQ(controller.NotificationWindow(), nullptr);
    EXPECT_FALSE(win::IsWindow(window));
  }
  platform::ResetDisplay();
}

TEST_F(FormatControllerTest, ExceptionsInTheWindowGoToTheApplicationHandler) {
  platform::InstallDisplay(platform::CreateHeadlessDisplay(640, 480));
  static String reported;
  reported.clear();
  cxApplicationExceptionHandler = [](const std::exception& E) { reported = E.what(); };
  struct Throwing : IcxFormatControllerListener {
    void FormatChanged() override { throw EConvertError("boom"); }
  } listener;
  {
    TcxFormatController controller;
    controller.AddListener(&listener);
    EXPECT_EQ(win::SendMessage(controller.NotificationWindow(), win::WM_SETTINGCHANGE, 0,
                               reinterpret_cast<win::LPARAM>("intl")),
              0);
    EXPECT_EQ(reported, "boom");
    controller.RemoveListener(&listener);
  }
  cxApplicationExceptionHandler = nullptr;
  platform::ResetDisplay();
}

}  // namespace
