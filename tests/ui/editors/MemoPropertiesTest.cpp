// The memo's properties: defaults, the visible line count never negative, change notices, Assign,
// and the value's text outside editing cut at its first line break and at 250 characters.
#include <gtest/gtest.h>

#include <string>

#include "ui/editors/MemoProperties.h"

namespace {

TEST(MemoPropertiesTest, DefaultsAndTheLineCountNeverNegative) {
  TcxMemoProperties p(nullptr);
  EXPECT_EQ(p.Alignment()->Vert(), taTopJustify);
  EXPECT_FALSE(p.AutoSelect());
  EXPECT_EQ(p.ScrollBars(), ssNone);
  EXPECT_TRUE(p.WantReturns());
  EXPECT_TRUE(p.WordWrap());
  EXPECT_FALSE(p.WantTabs());
  EXPECT_TRUE(p.IsMultiLine());
  EXPECT_TRUE(p.SupportedOperations() & 0x800);
  int changes = 0;
  p.OnPropertiesChanged = [&](TObject*) { ++changes; };
  p.SetVisibleLineCount(-3);
  EXPECT_EQ(p.VisibleLineCount(), 0);
  EXPECT_EQ(changes, 0) << "no change: 0 stays 0";
  p.SetWantTabs(true);
  EXPECT_TRUE(p.WantsTabs());
  p.SetScrollBars(ssBoth);
  EXPECT_EQ(changes, 2);

  TcxMemoProperties copy(nullptr);
  p.SetVisibleLineCount(4);
  copy.Assign(&p);
  EXPECT_EQ(copy.ScrollBars(), ssBoth);
  EXPECT_EQ(copy.VisibleLineCount(), 4);
  EXPECT_TRUE(copy.WantTabs());
}

TEST(MemoPropertiesTest, TheValueOutsideEditingIsItsFirstLineCutAt250Characters) {
  TcxMemoProperties p(nullptr);
  const std::string longLine(300, 'x');
  std::string chinese;
  for (int i = 0; i < 260; ++i) chinese += "中";
  struct Case {
    std::string value, expected;
  };
  const Case cases[] = {
      {"first\r\nsecond", "first"},
      {"one\ntwo", "one"},
      {longLine, longLine.substr(0, 250)},
      {chinese, chinese.substr(0, 250 * 3)},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(p.ValueDisplayText(Variant(c.value)), c.expected) << c.value.substr(0, 20);
  EXPECT_EQ(p.MemoDisplayText(Variant(String("a\r\nb")), true), "a\r\nb") << "the full text on request";
}

}  // namespace
