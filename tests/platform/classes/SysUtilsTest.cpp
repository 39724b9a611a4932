#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "platform/classes/DateUtils.h"
#include "platform/classes/SysUtils.h"

namespace {

TEST(SysUtils, StrToIntAcceptsDecimalAndBothHexFormsAndRejectsTheRest) {
  struct Case {
    const char* text;
    bool ok;
    int value;
  } cases[] = {
      {"0", true, 0},
      {"42", true, 42},
      {"-42", true, -42},
      {"+7", true, 7},
      {"  12", true, 12},  // leading blanks are skipped
      {"12 ", false, 0},   // trailing ones are not
      {"$FF", true, 255},
      {"$ff", true, 255},
      {"0x1A", true, 26},
      {"0X1a", true, 26},
      {"-$10", true, -16},
      {"$FFFFFFFF", true, -1},  // hexadecimal is a 32-bit pattern
      {"$100000000", false, 0},
      {"2147483647", true, INT_MAX},
      {"-2147483648", true, INT_MIN},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {"$", false, 0},
      {"0x", false, 0},
      {"12a", false, 0},
      {"yes", false, 0},
      {"1.5", false, 0},
      {"\xE5\x8D\x81", false, 0},  // a Chinese numeral is no number
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    int v = 12345;
    EXPECT_EQ(TryStrToInt(c.text, v), c.ok);
    if (c.ok) {
      EXPECT_EQ(v, c.value);
      EXPECT_EQ(StrToInt(c.text), c.value);
    } else {
      EXPECT_EQ(StrToIntDef(c.text, -7), -7);
      try {
        StrToInt(c.text);
        ADD_FAILURE() << "no error";
      } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'" + String(c.text) + "' is not a valid integer value");
      }
    }
  }
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(StrToInt64Def("9223372036854775808", 3), 3);
}

TEST(SysUtils, FormatFollowsThePlatformSpecifiers) {
  EXPECT_EQ(Format("%d|%5d|%-5d|%.4d|%u|%x|%.4x", {7, 7, 7, -7, -1, 255, 10}), "7|    7|7    |-0007|4294967295|FF|000A");
  EXPECT_EQ(Format("%s=%s", {"a", String("\xE5\x80\xBC")}), "a=\xE5\x80\xBC");
  // Widths and precisions count characters, not bytes.
  EXPECT_EQ(Format("[%4s][%.1s]", {"\xE4\xB8\xAD", "\xE4\xB8\xAD\xE6\x96\x87"}), "[   \xE4\xB8\xAD][\xE4\xB8\xAD]");
  EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b"}), "b a b");
  EXPECT_EQ(Format("%*d|%-*.*f", {4, 1, 6, 1, 2.25}), "   1|2.3   ");
  // Ties round away from zero; a value that rounds to zero loses its sign.
  EXPECT_EQ(Format("%f %.0f %.3f %.2f", {0.125, 2.5, -0.0004, 1.005}), "0.13 3 0.000 1.00");
  EXPECT_EQ(Format("%e", {1234.5}), "1.23450000000000E+003");
  EXPECT_EQ(Format("%.3e", {-0.000123456}), "-1.23E-004");
  EXPECT_EQ(Format("%g|%g|%g", {0.5, 100.0, 1e20}), "0.5|100|1E020");
  EXPECT_EQ(Format("%n", {1234567.891}), "1,234,567.89");
  EXPECT_EQ(Format("%m|%m", {1234.5, -3.0}), "\xC2\xA5" "1,234.50|\xC2\xA5-3.00");
  EXPECT_EQ(Format("100%%"), "100%");
  EXPECT_EQ(Format("%d items", 3), "3 items");
  EXPECT_EQ(Format("%p", {static_cast<const void*>(nullptr)}), String(sizeof(void*) * 2, '0'));

  auto expectError = [](const String& fmt, std::initializer_list<TVarRec> args, const String& message) {
    try {
      Format(fmt, args);
      ADD_FAILURE() << fmt << ": no error";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), message);
    }
  };
  expectError("%d", {"x"}, "Format '%d' invalid or incompatible with argument");
  expectError("%s", {1.5}, "Format '%s' invalid or incompatible with argument");
  expectError("%d %d", {1}, "No argument for format '%d %d'");
  expectError("%y", {1}, "Format '%y' invalid or incompatible with argument");
  expectError("abc%", {}, "Format 'abc%' invalid or incompatible with argument");
}

TEST(SysUtils, FloatTextInGeneralFixedAndPictureForms) {
  struct Case {
    double value;
    const char* text;
  } general[] = {
      {0, "0"}, {1, "1"}, {-2.5, "-2.5"}, {0.1 + 0.2, "0.3"}, {1e14, "100000000000000"},
      {1e15, "1E15"}, {0.0001, "0.0001"}, {0.00001, "1E-5"}, {123.456, "123.456"}, {-1e-20, "-1E-20"},
  };
  for (const Case& c : general) EXPECT_EQ(FloatToStr(c.value), c.text) << c.value;

  struct Picture {
    const char* format;
    double value;
    const char* text;
  } pictures[] = {
      {"0.00", 0.125, "0.13"},  // decimal rounding, half away from zero
      {"0.00", -0.125, "-0.13"},
      {"0.00", 1.005, "1.00"},  // the double lies below the tie
      {"#,##0.00", 1234567.891, "1,234,567.89"},
      {"#,##0", 999.5, "1,000"},
      {"0.##", 1.5, "1.5"},
      {"0.##", 2, "2"},
      {"#.##", 0.5, ".5"},
      {"000", 7, "007"},
      {"0.00;(0.00)", -3.256, "(3.26)"},
      {"0.00;(0.00);zero", 0.0001, "zero"},
      {"0.00;;zero", -0.001, "zero"},  // rounds to zero, so the zero section applies
      {"0.00E+00", 12345, "1.23E+04"},
      {"0.0E-0", 0.00123, "1.2E-3"},
      {"\"$\"#,##0.00", 12.3, "$12.30"},
      {"0.0 'kg'", 2.25, "2.3 kg"},
      {"", 2.5, "2.5"},
      {",0.00", 1234.5, "1,234.50"},  // the currency display formats of the editors
      {"\xC2\xA5,0.00;\xC2\xA5-,0.00", -1234.5, "\xC2\xA5-1,234.50"},
      {"#,##0.##", 0, "0"},
  };
  for (const Picture& p : pictures) EXPECT_EQ(FormatFloat(p.format, p.value), p.text) << p.format << " " << p.value;

  EXPECT_DOUBLE_EQ(StrToFloat(" 1.5e3 "), 1500);
  EXPECT_DOUBLE_EQ(StrToFloat("-.5"), -0.5);
  double v = 0;
  EXPECT_FALSE(TryStrToFloat("1,5", v));
  EXPECT_FALSE(TryStrToFloat("1e", v));
  EXPECT_FALSE(TryStrToFloat("", v));
  TFormatSettings comma = FormatSettings;
  comma.DecimalSeparator = ',';
  EXPECT_TRUE(TryStrToFloat("1,5", v, comma));
  EXPECT_DOUBLE_EQ(v, 1.5);
  EXPECT_THROW(StrToFloat("abc"), EConvertError);
}

TEST(SysUtils, StringHelpersCountCharactersFromOne) {
  const String s = "\xE7\x9F\xA9\xE9\x98\xB5 A1";  // 矩阵 A1
  EXPECT_EQ(Length(s), 5);
  EXPECT_EQ(Pos("A", s), 4);
  EXPECT_EQ(Pos("", s), 0);
  EXPECT_EQ(Pos("\xE9\x98\xB5", s), 2);
  EXPECT_EQ(Copy(s, 2, 2), "\xE9\x98\xB5 ");
  EXPECT_EQ(Copy("COM12", 4, INT_MAX), "12");
  EXPECT_EQ(Copy("abc", 0, 2), "ab");
  EXPECT_EQ(Copy("abc", 5, 2), "");
  String d = s;
  Delete(d, 1, 3);
  EXPECT_EQ(d, "A1");
  Insert("\xE4\xB8\xAD", d, 2);
  EXPECT_EQ(d, "A\xE4\xB8\xAD" "1");

  EXPECT_EQ(Trim("\t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  x "), "x ");
  EXPECT_EQ(TrimRight("  x "), "  x");
  EXPECT_EQ(AnsiUpperCase("abc \xC3\xA9 \xE4\xB8\xAD"), "ABC \xC3\x89 \xE4\xB8\xAD");
  EXPECT_EQ(UpperCase("abc \xC3\xA9"), "ABC \xC3\xA9");

  EXPECT_LT(CompareText("apple", "BANANA"), 0);
  EXPECT_EQ(CompareText("Key", "kEY"), 0);
  EXPECT_NE(CompareStr("Key", "kEY"), 0);
  EXPECT_TRUE(SameText("Com Port A", "com port a"));
  EXPECT_FALSE(SameText("a", "ab"));
  EXPECT_EQ(AnsiCompareText("\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89"), 0);
  EXPECT_LT(AnsiCompareText("a", "B"), 0);
  EXPECT_GT(AnsiCompareStr("b", "a"), 0);
  EXPECT_LT(AnsiCompareStr("a", "B"), 0);  // alphabet first, unlike CompareStr
  EXPECT_GT(CompareStr("a", "B"), 0);
  EXPECT_LT(AnsiCompareStr("apple", "Apple"), 0);
  EXPECT_LT(AnsiCompareStr("Apple", "banana"), 0);
  EXPECT_EQ(AnsiCompareStr("Skin", "Skin"), 0);

  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(AnsiDequotedStr("'it''s'", '\''), "it's");
  EXPECT_EQ(AnsiDequotedStr("'open", '\''), "'open");
  EXPECT_EQ(StringReplace("a.b.c", ".", "::", rfReplaceAll), "a::b::c");
  EXPECT_EQ(StringReplace("a.b.c", ".", "-", 0), "a-b.c");
  EXPECT_EQ(StringReplace("Abc abc", "ABC", "x", rfReplaceAll | rfIgnoreCase), "x x");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");

  EXPECT_EQ(ExtractFilePath("/opt/app/cfg.ini"), "/opt/app/");
  EXPECT_EQ(ExtractFileName("C:\\app\\cfg.ini"), "cfg.ini");
  EXPECT_EQ(ExtractFileExt("/a.b/c"), "");
  EXPECT_EQ(ChangeFileExt("/a/logo.jpg", ".png"), "/a/logo.png");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
}

TEST(SysUtils, ExceptionsCarryThePlatformTexts) {
  try {
    Abort();
  } catch (const EAbort& e) {
    EXPECT_EQ(e.Message(), "Operation aborted");
  }
  EXPECT_EQ(Format(SListIndexError, {5}), "List index out of bounds (5)");
  EXPECT_EQ(Format(SClassNotFound, {"TFoo"}), "Class TFoo not found");
  try {
    RaiseLastOSError(5);
  } catch (const EOSError& e) {
    EXPECT_EQ(e.ErrorCode, 5u);
    EXPECT_EQ(e.Message(), "System Error.  Code: 5.\nAccess is denied.");
  }
  // Catchable through the family they belong to.
  EXPECT_THROW(throw EReadError(SReadError), EStreamError);
  EXPECT_THROW(throw EStringListError(SDuplicateString), EListError);
}

TEST(DateUtils, EncodesDecodesAndFormatsInTheChineseLocale) {
  EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_DOUBLE_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_DOUBLE_EQ(EncodeDate(2026, 12, 10), 46366);
  EXPECT_THROW(EncodeDate(2026, 2, 29), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_NO_THROW(EncodeDate(2024, 2, 29));

  TDateTime dt = EncodeDate(2026, 12, 10) + EncodeTime(9, 5, 7, 45);
  win::WORD y, m, d, h, n, s, z;
  DecodeDate(dt, y, m, d);
  DecodeTime(dt, h, n, s, z);
  EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, z}), (std::vector<int>{2026, 12, 10, 9, 5, 7, 45}));
  // Before 1899-12-30 the fraction still counts forward from midnight.
  DecodeDate(-1.25, y, m, d);
  DecodeTime(-1.25, h, n, s, z);
  EXPECT_EQ((std::vector<int>{y, m, d, h}), (std::vector<int>{1899, 12, 29, 6}));

  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 10)), 5);  // a Thursday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 13)), 1);

  EXPECT_EQ(DateTimeToStr(dt), "2026/12/10 9:05:07");
  EXPECT_EQ(DateTimeToStr(EncodeDate(2026, 1, 2)), "2026/1/2");  // midnight shows no time
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", dt), "2026-12-10 09:05:07.045");
  EXPECT_EQ(FormatDateTime("yy/m/d h:mm", dt), "26/12/10 9:05");  // m after h is minutes
  EXPECT_EQ(FormatDateTime("dddd mmmm", dt), "\xE6\x98\x9F\xE6\x9C\x9F\xE5\x9B\x9B \xE5\x8D\x81\xE4\xBA\x8C\xE6\x9C\x88");
  EXPECT_EQ(FormatDateTime("dddddd", dt), "2026\xE5\xB9\xB4" "12\xE6\x9C\x88" "10\xE6\x97\xA5");
  EXPECT_EQ(FormatDateTime("h:nn am/pm|H AMPM|'h'h", dt + 0.5), "9:05 pm|9 \xE4\xB8\x8B\xE5\x8D\x88|h21");
  EXPECT_EQ(FormatDateTime("hh AM/PM", EncodeTime(0, 30, 0, 0)), "12 AM");
  EXPECT_EQ(FormatDateTime("ddd, mmm d", dt, TFormatSettings::Invariant()), "Thu, Dec 10");
}

TEST(DateUtils, FormatSettingsComeFromThePlatformLocale) {
  TFormatSettings fs = TFormatSettings::Chinese();
  EXPECT_EQ(fs.ShortDateFormat, "yyyy/M/d");
  EXPECT_EQ(fs.LongTimeFormat, "h:mm:ss");  // a 24-hour clock without leading zero, no AM/PM mark
  EXPECT_EQ(fs.LongDayNames[0], "星期日");
  EXPECT_EQ(fs.ShortDayNames[1], "周一");
  EXPECT_EQ(fs.LongMonthNames[10], "十一月");
  EXPECT_EQ(fs.TimePMString, "下午");
  EXPECT_EQ(fs.NegCurrFormat, 2);
}

TEST(DateUtils, NowReadsThePlatformClockInLocalTime) {
  platform::ScopedVirtualClock clock;
  std::int64_t wall = 1'781'082'800'000;  // 2026-06-10 09:13:20 UTC
  clock->SetWallMs(wall);
  TDateTime expected = EncodeDate(2026, 6, 10) + EncodeTime(9, 13, 20, 0) +
                       platform::LocalUtcOffsetMinutes(wall) / (24.0 * 60);
  EXPECT_NEAR(Now(), expected, 1e-9);
  clock->Advance(1500);
  EXPECT_NEAR(Now(), expected + 1.5 / 86400, 1e-9);
  EXPECT_DOUBLE_EQ(Date(), std::floor(Now()));
}

}  // namespace
