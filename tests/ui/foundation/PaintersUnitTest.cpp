#include <gtest/gtest.h>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/foundation/StandardPainters.h"

namespace {

using namespace win;
using surfacetest::Surface;

class PaintersUnitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(320, 240));
    InitializeForms();
  }
  void TearDown() override {
    FinalizeForms();
    platform::ResetDisplay();
  }
};

TEST_F(PaintersUnitTest, StartUpMakesWhatThePaintersShareAndShutdownFreesIt) {
  PaintingUnitsStartup();
  ASSERT_NE(ExtendedStylePainterRegistry(), nullptr);
  ASSERT_NE(RootLookAndFeel(), nullptr);
  ASSERT_NE(cxIndicatorImages(), nullptr);
  EXPECT_EQ(cxIndicatorImages()->Count(), 6);
  EXPECT_EQ(cxIndicatorImages()->Width(), 8);
  EXPECT_EQ(cxIndicatorImages()->Height(), 9);
  // The track patterns: face and highlight, black and dark shadow, alternating by parity.
  Surface pattern(2, 2);
  pattern.Canvas()->Draw(0, 0, ScrollBarPatternBitmap(0));
  EXPECT_EQ(pattern.At(0, 0), ColorToRGB(clBtnFace));
  EXPECT_EQ(pattern.At(1, 0), ColorToRGB(clBtnHighlight));
  pattern.Canvas()->Draw(0, 0, ScrollBarPatternBitmap(1));
  EXPECT_EQ(pattern.At(1, 1), ColorToRGB(clBlack));
  EXPECT_EQ(pattern.At(0, 1), ColorToRGB(cl3DDkShadow));

  PaintingUnitsShutdown();
  EXPECT_EQ(ExtendedStylePainterRegistry(), nullptr);
  EXPECT_EQ(RootLookAndFeel(), nullptr);
  EXPECT_EQ(cxIndicatorImages(), nullptr);
}

TEST_F(PaintersUnitTest, IndicatorGlyphsAreCentredWithWhiteLeftOut) {
  PaintingUnitsStartup();
  TcxCanvas canvas(nullptr);
  Surface none(20, 20, clRed);
  canvas.SetCanvas(none.Canvas());
  CustomLookAndFeelPainter()->DrawIndicatorGlyph(&canvas, TRect(0, 0, 20, 20), 0);
  CustomLookAndFeelPainter()->DrawIndicatorGlyph(&canvas, TRect(0, 0, 20, 20), 7);
  EXPECT_EQ(none.CountOf(clRed), 400);
  for (int kind = 1; kind <= 6; ++kind) {
    Surface s(20, 21, clRed);
    canvas.SetCanvas(s.Canvas());
    CustomLookAndFeelPainter()->DrawIndicatorGlyph(&canvas, TRect(0, 0, 20, 21), kind);
    EXPECT_EQ(s.CountOf(clWhite), 0) << kind;
    // Everything drawn lies in the 8 x 9 cell at (6, 6).
    int inside = 0;
    for (int y = 0; y < 21; ++y)
      for (int x = 0; x < 20; ++x)
        if (s.At(x, y) != ColorToRGB(clRed)) {
          EXPECT_TRUE(x >= 6 && x < 14 && y >= 6 && y < 15) << kind << " at " << x << "," << y;
          ++inside;
        }
    EXPECT_GT(inside, 4) << kind;
  }
  PaintingUnitsShutdown();
}

}  // namespace
