#include <gtest/gtest.h>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/foundation/Painters.h"

namespace {

using namespace win;
using surfacetest::Surface;

class PaintersTest : public ::testing::Test {
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

struct THeaderColourPainter : TcxCustomLookAndFeelPainter {
  TColor DefaultHeaderColor() const override { return clRed; }
};

// Marks its frame with one red pixel in the corner, to see which composites draw it.
struct TFramePainter : TcxCustomLookAndFeelPainter {
  void DrawButtonFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState) const override {
    ACanvas->PutPixel(R.Left, R.Top, clRed);
  }
  int ButtonBorderWidth(TcxButtonState) const override { return 1; }
};

TEST_F(PaintersTest, DerivedColoursFollowAnOverriddenSource) {
  const THeaderColourPainter painter;
  EXPECT_EQ(painter.DefaultCategoryColor(), clRed);
  EXPECT_EQ(painter.DefaultRowHeaderColor(), clRed);
  EXPECT_EQ(painter.DefaultSchedulerRulerColor(), clRed);
  EXPECT_EQ(CustomLookAndFeelPainter()->DefaultCategoryColor(), clBtnFace);
  EXPECT_EQ(CustomLookAndFeelPainter()->DefaultEditorContentColor(), clWindow);
  EXPECT_EQ(CustomLookAndFeelPainter()->ButtonGlyphColor(cxbsDisabled, clRed), clBtnShadow);
  EXPECT_EQ(CustomLookAndFeelPainter()->ButtonGlyphColor(cxbsNormal, clDefault), clBtnText);
  EXPECT_EQ(CustomLookAndFeelPainter()->DefaultAccentTextColor(), static_cast<TColor>(0xCC6600));
}

TEST_F(PaintersTest, CalcButtonTextColorAtEachBoundary) {
  const TColor maroon = 0x000080, red = 0x0000FF, blue = 0xFF0000, navy = 0x800000;
  const std::pair<int, TColor> cases[] = {{2, maroon}, {3, red},   {6, red},  {7, blue},  {18, blue}, {19, red},
                                          {22, red},   {23, navy}, {25, navy}, {26, red}, {27, blue}};
  for (auto [kind, color] : cases) EXPECT_EQ(CustomLookAndFeelPainter()->CalcButtonTextColor(kind), color) << kind;
}

TEST_F(PaintersTest, MetricsAndBounds) {
  const TcxCustomLookAndFeelPainter* p = CustomLookAndFeelPainter();
  EXPECT_EQ(p->ButtonFocusBounds(nullptr, TRect(0, 0, 8, 20)), TRect(0, 0, 8, 20));
  EXPECT_EQ(p->ButtonFocusBounds(nullptr, TRect(0, 0, 9, 20)), TRect(4, 4, 5, 16));
  EXPECT_EQ(p->CheckBoxSize(), TSize(13, 13));
  EXPECT_EQ(p->SortArrowAreaSize(), TPoint(16, 0));
  EXPECT_EQ(p->SeparatorLineBounds(TRect(0, 0, 10, 20), 2, true), TRect(4, 0, 6, 20));
  EXPECT_EQ(p->HeaderSectionTextBounds(TRect(0, 0, 10, 10), cxbsPressed), TRect(1, 1, 11, 11));
}

TEST_F(PaintersTest, CompositesDrawThroughTheFinerOperationsOfThePainterInUse) {
  const TFramePainter painter;
  Surface s(40, 40);
  TcxCanvas canvas(s.Canvas());
  painter.DrawPushButton(&canvas, TRect(2, 2, 30, 20), "", cxbsNormal, true, clDefault, clDefault, false, 0);
  EXPECT_EQ(s.At(2, 2), ColorToRGB(clRed));
  EXPECT_EQ(s.At(3, 3), ColorToRGB(clBtnFace));
  painter.DrawFilterCloseGlyph(&canvas, TRect(20, 22, 36, 36), cxbsNormal);
  EXPECT_EQ(s.At(20, 22), ColorToRGB(clRed));
}

TEST_F(PaintersTest, ArrowTrianglePoints) {
  TPoint p[3];
  TcxCustomLookAndFeelPainter::ArrowTrianglePoints(TRect(0, 0, 9, 9), p, adDown, false, 0);
  // n = 3: three deep, five wide, centred.
  EXPECT_EQ(p[0], TPoint(2, 3));
  EXPECT_EQ(p[1], TPoint(6, 3));
  EXPECT_EQ(p[2], TPoint(4, 5));
  TcxCustomLookAndFeelPainter::ArrowTrianglePoints(TRect(0, 0, 17, 9), p, adRight, true, 0);
  EXPECT_EQ(p[0], TPoint(7, 2));
  EXPECT_EQ(p[2], TPoint(9, 4));
}

TEST_F(PaintersTest, CheckMarkAndCellContent) {
  Surface s(13, 13);
  TcxCanvas canvas(s.Canvas());
  // Inside the box's two-pixel border: three polylines one row apart, each without its end point,
  // so (10, 2) stays empty while (9, 3) is drawn.
  CustomLookAndFeelPainter()->DrawCheckBox(&canvas, TRect(0, 0, 13, 13), cxbsNormal, cbsChecked);
  EXPECT_EQ(s.Mask(clBlack),
            ".............\n"
            ".............\n"
            ".............\n"
            ".........#...\n"
            "........##...\n"
            "...#...###...\n"
            "...##.###....\n"
            "...#####.....\n"
            "....###......\n"
            ".....#.......\n"
            ".............\n"
            ".............\n"
            ".............\n");

  // A callback that paints leaves the fill out; an empty text draws none.
  Surface cell(20, 10, clRed);
  TcxCanvas c(cell.Canvas());
  CustomLookAndFeelPainter()->DrawCellContent(&c, TRect(0, 0, 20, 10), TRect(0, 0, 20, 10), cxbsNormal, taLeftJustify,
                                              vaTop, false, false, "", nullptr, clBlack, clWhite,
                                              [](TcxCanvas*, const TRect&) { return true; }, false);
  EXPECT_EQ(cell.CountOf(clRed), 200);
  CustomLookAndFeelPainter()->DrawCellContent(&c, TRect(0, 0, 20, 10), TRect(0, 0, 20, 10), cxbsNormal, taLeftJustify,
                                              vaTop, false, false, "", nullptr, clBlack, clWhite, nullptr, false);
  EXPECT_EQ(cell.CountOf(clWhite), 200);
}

}  // namespace
