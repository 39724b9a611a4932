#include <gtest/gtest.h>

#include <vector>

#include "ui/choice/LabelLayout.h"
#include "ui/choice/LabelLineOptions.h"

namespace {

TEST(LabelLayoutTest, AnglesTurnOnlyTrueTypeFaces) {
  EXPECT_EQ(EffectiveLabelAngle(-90, true), 270);
  EXPECT_EQ(EffectiveLabelAngle(450, true), 90);
  EXPECT_EQ(EffectiveLabelAngle(360, true), 0);
  EXPECT_EQ(EffectiveLabelAngle(30, false), 0);
  EXPECT_FALSE(IsLabelLineVisible(true, 45));
  EXPECT_TRUE(IsLabelLineVisible(true, 90));
  EXPECT_TRUE(IsLabelLineVisible(true, 0));
  EXPECT_FALSE(IsLabelLineVisible(false, 0));
}

TEST(LabelLayoutTest, RoomForDepthAndStyle) {
  EXPECT_EQ(LabelDepthDelta(cxleNormal, cxoRightBottom, 10), TPoint(0, 0));
  EXPECT_EQ(LabelDepthDelta(cxleExtrude, cxoRightBottom, 5), TPoint(5, 5));
  EXPECT_EQ(LabelDepthDelta(cxleCool, cxoLeft, 6), TPoint(6, 0));
  EXPECT_EQ(LabelDepthDelta(cxleFun, cxoTop, 4), TPoint(0, 4));
  EXPECT_EQ(LabelStyleOffset(cxlsRaised, 10), 1);
  EXPECT_EQ(LabelStyleOffset(cxlsLowered, 12), 2);
  EXPECT_EQ(LabelStyleOffset(cxlsOutLine, 20), 0);
  EXPECT_EQ(RotatedTextExtent(TSize(40, 10), 0), TSize(40, 10));
  EXPECT_EQ(RotatedTextExtent(TSize(40, 10), 90), TSize(10, 40));
  EXPECT_EQ(RotatedTextExtent(TSize(40, 10), 270), TSize(10, 40));
  EXPECT_EQ(RotatedTextExtent(TSize(40, 10), 45), TSize(35, 35));
}

// The points the depth copies and then the main text are drawn at.
std::vector<TPoint> CopiesThenText(TcxLabelEffect Effect, TcxLabelOrientation Orientation, int Depth) {
  const TPoint delta = LabelDepthDelta(Effect, Orientation, Depth);
  TcxLabelOrigin o = LabelOriginAndStep(TRect(0, 0, 60, 20), 0, TSize(), delta, Effect, Orientation, Depth, 0);
  std::vector<TPoint> points;
  for (int i = 0; i < LabelDepthCopyCount(Effect, Depth, o.Step); ++i) {
    points.push_back(o.P);
    o.P = TPoint(o.P.X + o.Step.X, o.P.Y + o.Step.Y);
  }
  points.push_back(o.P);
  return points;
}

TEST(LabelLayoutTest, DepthCopies) {
  EXPECT_EQ(CopiesThenText(cxleExtrude, cxoRightBottom, 5),
            (std::vector<TPoint>{{5, 5}, {4, 4}, {3, 3}, {2, 2}, {1, 1}, {0, 0}}));
  EXPECT_EQ(CopiesThenText(cxleCool, cxoLeft, 6), (std::vector<TPoint>{{0, 0}, {6, 0}}));
  EXPECT_EQ(CopiesThenText(cxleFun, cxoTop, 2), (std::vector<TPoint>{{0, 0}, {0, 1}, {0, 2}}));
  EXPECT_EQ(CopiesThenText(cxleNormal, cxoRightBottom, 10), (std::vector<TPoint>{{0, 0}}));
  // The style offset keeps the copies clear of raised letters.
  const TcxLabelOrigin raised =
      LabelOriginAndStep(TRect(0, 0, 60, 20), 0, TSize(), TPoint(3, 0), cxleExtrude, cxoRight, 3, 2);
  EXPECT_EQ(raised.P, TPoint(5, 0));
  EXPECT_EQ(raised.Step, TPoint(-1, 0));
}

TEST(LabelLayoutTest, TurnedTextIsCentredWithHalvesToEven) {
  // 90 degrees: (T.Left + T.Right) / 2 - h / 2 across, (T.Top + T.Bottom) / 2 + w / 2 down.
  TcxLabelOrigin o = LabelOriginAndStep(TRect(0, 0, 20, 60), 90, TSize(40, 10), TPoint(), cxleNormal, cxoLeft, 0, 0);
  EXPECT_EQ(o.P, TPoint(5, 50));
  // 10.5 and 49.5 go to 10 and 50.
  o = LabelOriginAndStep(TRect(0, 0, 31, 60), 90, TSize(40, 10), TPoint(), cxleNormal, cxoLeft, 0, 0);
  EXPECT_EQ(o.P.X, 10);
  o = LabelOriginAndStep(TRect(0, 0, 33, 60), 90, TSize(40, 10), TPoint(), cxleNormal, cxoLeft, 0, 0);
  EXPECT_EQ(o.P.X, 12);
  o = LabelOriginAndStep(TRect(0, 0, 60, 20), 180, TSize(40, 10), TPoint(), cxleNormal, cxoLeft, 0, 0);
  EXPECT_EQ(o.P, TPoint(50, 15));
}

TEST(LabelLayoutTest, FunRampGoesAQuarterOfTheWayEachTime) {
  const win::COLORREF background = 0x000000, shadow = 0x8040C8;
  EXPECT_EQ(LabelFunColor(1, 4, background, shadow), 0x201032u);
  EXPECT_EQ(LabelFunColor(2, 4, background, shadow), 0x402064u);
  EXPECT_EQ(LabelFunColor(3, 4, background, shadow), 0x603096u);
  EXPECT_EQ(LabelFunColor(4, 4, background, shadow), shadow);
  // Falling channels truncate towards the background.
  EXPECT_EQ(LabelFunColor(1, 3, 0xFFFFFF, 0x000000), 0xAAAAAAu);
}

TEST(LabelLayoutTest, LineBesideTheText) {
  const TRect client(0, 0, 200, 20);
  TRect text(0, 4, 60, 16);
  EXPECT_EQ(LabelLineBounds(text, client, false, 2, false, cxllaCenter, taLeftJustify, taTopJustify), TRect());
  // Left-aligned text: the centred line begins 3 pixels after it and runs to the right edge.
  EXPECT_EQ(LabelLineBounds(text, client, false, 2, true, cxllaCenter, taLeftJustify, taTopJustify),
            TRect(63, 9, 200, 11));
  EXPECT_EQ(text, TRect(0, 4, 60, 16));
  // Centred text: the line runs under it on both sides; the text stays.
  text = TRect(70, 4, 130, 16);
  EXPECT_EQ(LabelLineBounds(text, client, false, 2, true, cxllaCenter, taCenter, taTopJustify), TRect(0, 9, 200, 11));
  EXPECT_EQ(text, TRect(70, 4, 130, 16));
  // A top line pushes the text down by its thickness, a bottom one up.
  text = TRect(0, 0, 60, 12);
  EXPECT_EQ(LabelLineBounds(text, client, false, 2, true, cxllaTop, taLeftJustify, taTopJustify), TRect(0, 0, 200, 2));
  EXPECT_EQ(text, TRect(0, 2, 60, 14));
  text = TRect(0, 8, 60, 20);
  LabelLineBounds(text, client, false, 2, true, cxllaBottom, taLeftJustify, taTopJustify);
  EXPECT_EQ(text, TRect(0, 6, 60, 18));
  // Vertical, top-aligned text: the line starts 3 pixels inside the text.
  text = TRect(5, 0, 17, 50);
  EXPECT_EQ(LabelLineBounds(text, TRect(0, 0, 22, 120), true, 2, true, cxllaCenter, taLeftJustify, taTopJustify),
            TRect(10, 47, 12, 120));
}

}  // namespace

namespace {

TEST(LabelLineOptionsTest, EveryRealChangeIsToldAndAssignTellsOnce) {
  TcxLabelLineOptions options;
  int changes = 0;
  options.OnChanged = [&changes] { ++changes; };
  EXPECT_EQ(options.Alignment(), cxllaCenter);
  EXPECT_EQ(options.InnerColor(), clDefault);
  EXPECT_FALSE(options.Visible());
  options.SetVisible(true);
  options.SetVisible(true);
  options.SetAlignment(cxllaBottom);
  options.SetInnerColor(clRed);
  options.SetOuterColor(clDefault);
  EXPECT_EQ(changes, 3);

  TcxLabelLineOptions copy;
  int copyChanges = 0;
  copy.OnChanged = [&copyChanges] { ++copyChanges; };
  copy.Assign(&options);
  EXPECT_EQ(copyChanges, 1);
  EXPECT_TRUE(copy.Visible());
  EXPECT_EQ(copy.Alignment(), cxllaBottom);
  EXPECT_EQ(copy.InnerColor(), clRed);
  TFont font;
  EXPECT_THROW(copy.Assign(&font), EConvertError);
}

}  // namespace
