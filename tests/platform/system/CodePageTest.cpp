#include <gtest/gtest.h>

#include "platform/system/CodePage.h"

namespace {

TEST(CodePage, GbkRoundTripsChineseAndReplacesWhatItCannotHold) {
  const std::string utf8 = "矩阵名称 VGA";
  const std::string gbk = platform::Utf8ToGbk(utf8);
  EXPECT_EQ(gbk, std::string("\xBE\xD8\xD5\xF3\xC3\xFB\xB3\xC6 VGA"));
  EXPECT_EQ(platform::GbkToUtf8(gbk), utf8);
  EXPECT_EQ(platform::Utf8ToGbk("a\xF0\x9F\x98\x80z"), "a?z");           // an emoji has no GBK form
  EXPECT_EQ(platform::GbkToUtf8("a\xFF" "b"), "a\xEF\xBF\xBD" "b");       // 0xFF is no GBK lead byte
  EXPECT_EQ(platform::Utf8ToGbk(""), "");
}

}  // namespace

namespace {

// Each code page the library names: a text it holds round-trips; a character it lacks becomes '?'.
TEST(CodePage, EveryNamedPageRoundTripsItsOwnTextAndMarksWhatItLacks) {
  struct Case {
    unsigned codePage;
    const char* utf8;
    const char* bytes;
  } cases[] = {
      {0, "中文", "\xD6\xD0\xCE\xC4"},  // the ANSI code page is GBK
      {936, "中文", "\xD6\xD0\xCE\xC4"},
      {950, "繁體", "\xC1\x63\xC5\xE9"},
      {932, "日本", "\x93\xFA\x96\x7B"},
      {949, "한국", "\xC7\xD1\xB1\xB9"},
      {1251, "Да", "\xC4\xE0"},
      {1253, "Ωμ", "\xD9\xEC"},
      {1250, "Łó", "\xA3\xF3"},
      {1252, "café", "caf\xE9"},
      {874, "ก", "\xA1"},
      {65001, "中", "\xE4\xB8\xAD"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.codePage);
    EXPECT_EQ(platform::Utf8ToCodePage(c.utf8, c.codePage), c.bytes);
    EXPECT_EQ(platform::CodePageToUtf8(c.bytes, c.codePage), c.utf8);
  }
  EXPECT_EQ(platform::Utf8ToCodePage("a中b", 1252), "a?b");
  EXPECT_EQ(platform::Utf8ToCodePage("Ω", 936), "\xA6\xB8");  // GBK holds Greek
  EXPECT_EQ(platform::Utf8ToCodePage("\xE0\xB8\x81", 936), "?");  // but not Thai
  // A lead byte cut off at the end, and a broken UTF-8 sequence.
  EXPECT_EQ(platform::GbkToUtf8("ab\xD6"), "ab\xEF\xBF\xBD");
  EXPECT_EQ(platform::Utf8ToGbk("a\xE4\xB8z"), "a?z");
}

TEST(CodePage, WideConversionsMeasureConvertAndReportReplacements) {
  const char gbk[] = "\xD6\xD0\xCE\xC4 A";  // 中文 A
  EXPECT_EQ(win::MultiByteToWideChar(win::CP_ACP, 0, gbk, -1, nullptr, 0), 5);  // with the NUL
  char16_t wide[8] = {};
  ASSERT_EQ(win::MultiByteToWideChar(936, win::MB_PRECOMPOSED, gbk, 6, wide, 8), 4);
  EXPECT_EQ(std::u16string(wide, 4), u"中文 A");
  EXPECT_EQ(win::MultiByteToWideChar(936, 0, gbk, 6, wide, 2), 0);
  EXPECT_EQ(win::GetLastError(), win::ERROR_INSUFFICIENT_BUFFER);

  const char16_t text[] = u"A中😀";
  char out[16] = {};
  win::BOOL used = win::FALSE;
  int n = win::WideCharToMultiByte(936, 0, text, 4, out, sizeof out, nullptr, &used);
  EXPECT_EQ(std::string(out, static_cast<size_t>(n)), "A\xD6\xD0?");
  EXPECT_EQ(used, win::TRUE);
  n = win::WideCharToMultiByte(936, 0, text, 2, out, sizeof out, "#", &used);
  EXPECT_EQ(std::string(out, static_cast<size_t>(n)), "A\xD6\xD0");
  EXPECT_EQ(used, win::FALSE);
  n = win::WideCharToMultiByte(win::CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  EXPECT_EQ(n, 1 + 3 + 4 + 1);

  // A lone surrogate has no character behind it.
  EXPECT_EQ(platform::Utf16ToUtf8(u"a\xD800" u"b"), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(platform::Utf8ToUtf16("\xF0\x9F\x98\x80"), u"😀");
}

}  // namespace
