// The memo's properties: defaults, the visible line count never negative, change notices, Assign,
// and the value's text outside editing cut at its first line break and at 250 characters.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/ui/controls/ControlsFixture.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/controls/EditStyle.h"
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

class MemoViewDataTest : public controlstest::ControlsTest {
 protected:
  std::unique_ptr<TcxCustomMemoViewData> NewData(bool InPlace = false) {
    return std::unique_ptr<TcxCustomMemoViewData>(
        static_cast<TcxCustomMemoViewData*>(properties.CreateViewData(&style, InPlace)));
  }
  TcxMemoProperties properties{nullptr};
  TcxEditStyle style{nullptr, nullptr, csiNormal};
  surfacetest::Surface surface{185, 89};
  TcxCanvas canvas{surface.Canvas()};
};

TEST_F(MemoViewDataTest, DrawingFlagsMarginsAndATrailingBreakMeasuredAsALine) {
  auto data = NewData();
  EXPECT_EQ(data->TextDrawFlags(), tlfEditControl | tlfWordBreak | tlfCharBreak | tlfKeepLeft | tlfExpandTabs);
  properties.SetScrollBars(ssHorizontal);
  EXPECT_FALSE(NewData()->TextDrawFlags() & tlfWordBreak) << "a horizontal bar: no word wrap";
  properties.SetScrollBars(ssVertical);
  properties.SetWordWrap(false);
  EXPECT_FALSE(NewData()->TextDrawFlags() & tlfWordBreak);
  properties.SetWordWrap(true);

  TRect r;
  data->TextAreaBounds(r);
  EXPECT_EQ(r, TRect(1, 1, 1, 3));
  NewData(true)->TextAreaBounds(r);
  EXPECT_EQ(r, TRect(1, 1, 1, 1));
  EXPECT_EQ(data->ContentMarginsTotal(), TSize(2, 4));

  canvas.AssignFont(style.DisplayFont());
  TcxEditSizeProperties free;
  free.Width = 150;  // as wide as the memo: its lines wrap there
  data = NewData();
  const TSize plain = data->ContentSizeForMeasure(&canvas, Variant(String("one\r\ntwo")), free);
  const TSize trailing = data->ContentSizeForMeasure(&canvas, Variant(String("one\r\ntwo\r\n")), free);
  const int line = canvas.MeasureTextHeight("Zg");
  EXPECT_EQ(trailing.cy, plain.cy + line) << "a trailing line break is a line";
  EXPECT_EQ(data->EditContentSize(&canvas, Variant(String("one\r\ntwo\r\n")), free).cy, plain.cy);

  properties.SetVisibleLineCount(3);
  EXPECT_EQ(NewData()->ContentLineCount(), 3);
}

}  // namespace
