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
