#include <gtest/gtest.h>

#include <memory>

#include "tests/ui/foundation/Surface.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/Geometry.h"

namespace {

using surfacetest::Surface;

// An 8 x 8 picture whose every pixel is told apart by its red and green.
void PaintGradient(TBitmap& B) {
  B.SetPixelFormat(pf32bit);
  B.SetSize(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) B.Canvas()->SetPixels(x, y, static_cast<TColor>(win::RGB(x * 30, y * 30, 7)));
}

win::COLORREF GradientAt(int X, int Y) { return win::RGB(X * 30, Y * 30, 7); }

// ---- region ---------------------------------------------------------------------------------------

TEST(Region, CombineShiftAndCompare) {
  TcxRegion r(0, 0, 10, 10);
  r.CombineWith(new TcxRegion(5, 5, 20, 20), rcmUnion);
  EXPECT_TRUE(r.ContainsXY(15, 15));
  r.CombineWith(new TcxRegion(0, 0, 10, 10), rcmDifference);
  EXPECT_FALSE(r.ContainsXY(5, 5));
  EXPECT_TRUE(r.ContainsXY(15, 15));
  r.CombineWith(new TcxRegion(14, 14, 16, 16), rcmIntersect);
  r.ShiftBy(-14, -14);
  TcxRegion expected(0, 0, 2, 2);
  EXPECT_TRUE(r.SameAs(&expected));
  TcxRegion kept(3, 3, 4, 4);
  r.CombineWith(&kept, rcmCopy, false);
  EXPECT_TRUE(r.SameAs(&kept));
  // Regions without area are the same whatever their boxes were.
  TcxRegion empty1, empty2(7, 7, 7, 9);
  EXPECT_TRUE(empty1.HasNoArea());
  EXPECT_TRUE(empty1.SameAs(&empty2));
  EXPECT_FALSE(empty1.SameAs(nullptr));
}

// ---- fills and frames -----------------------------------------------------------------------------

TEST(CanvasFill, NoneLeavesEverythingDefaultKeepsTheBrush) {
  Surface s(20, 10);
  TcxCanvas c(s.Canvas());
  c.ActiveBrush()->SetColor(clRed);
  c.ActiveBrush()->SetStyle(bsClear);
  c.FillRectWithColor(TRect(0, 0, 20, 10), clNone);
  EXPECT_EQ(s.CountOf(clWhite), 200);
  EXPECT_EQ(c.ActiveBrush()->Style(), bsClear);

  c.ActiveBrush()->SetColor(clBlue);
  c.FillRectWithColor(TRect(0, 0, 10, 10), clDefault);
  c.FillRectWithColor(TRect(10, 0, 20, 10), clLime);
  EXPECT_EQ(s.At(0, 0), ColorToRGB(clBlue));
  EXPECT_EQ(s.At(19, 9), ColorToRGB(clLime));
  EXPECT_EQ(c.ActiveBrush()->Color(), clLime);
}

TEST(CanvasFill, BitmapTilesFromTheLogicalOrigin) {
  TBitmap tile;
  PaintGradient(tile);
  Surface s(30, 30);
  TcxCanvas c(s.Canvas());
  c.FillRectWithBitmap(TRect(5, 5, 25, 25), &tile, true);
  EXPECT_EQ(s.At(5, 5), GradientAt(5, 5));
  EXPECT_EQ(s.At(8, 8), GradientAt(0, 0));
  EXPECT_EQ(s.At(24, 24), GradientAt(0, 0));
  EXPECT_EQ(s.At(4, 4), ColorToRGB(clWhite));
  EXPECT_EQ(s.At(25, 25), ColorToRGB(clWhite));
  // The filled area is out of the clip now: a second fill changes nothing there.
  c.FillRectWithColor(TRect(0, 0, 30, 30), clRed);
  EXPECT_EQ(s.At(5, 5), GradientAt(5, 5));
  EXPECT_EQ(s.At(24, 24), GradientAt(0, 0));
  EXPECT_EQ(s.At(4, 4), ColorToRGB(clRed));
}

TEST(CanvasFill, TilesLeftOfTheOriginLineUpWithTheRest) {
  TBitmap tile;
  PaintGradient(tile);
  Surface s(20, 8);
  TcxCanvas c(s.Canvas());
  c.PlaceWindowOrigin(TPoint(-10, 0));
  c.FillRectWithBitmap(TRect(-10, 0, 10, 8), &tile);
  // Logical -10 is device 0: bitmap column 6 of the tile that starts at -16.
  EXPECT_EQ(s.At(0, 3), GradientAt(6, 3));
  EXPECT_EQ(s.At(1, 3), GradientAt(7, 3));
  EXPECT_EQ(s.At(2, 3), GradientAt(0, 3));
  EXPECT_EQ(s.At(10, 0), GradientAt(0, 0));
  EXPECT_EQ(s.At(19, 7), GradientAt(1, 7));
}

TEST(CanvasFrame, SideFrameWiderThanTheRectangleFillsExactlyIt) {
  Surface s(20, 12);
  TcxCanvas c(s.Canvas());
  c.DrawSideFrame(TRect(4, 2, 10, 10), clBlack, 10);
  EXPECT_EQ(s.Mask(clBlack),
            "....................\n"
            "....................\n"
            "....######..........\n"
            "....######..........\n"
            "....######..........\n"
            "....######..........\n"
            "....######..........\n"
            "....######..........\n"
            "....######..........\n"
            "....######..........\n"
            "....................\n"
            "....................\n");
}

TEST(CanvasFrame, TwoColourFrameGivesTheOpenCornersToTheSecondColour) {
  Surface s(6, 5);
  TcxCanvas c(s.Canvas());
  c.DrawTwoColorFrame(TRect(0, 0, 6, 5), clRed, clBlue);
  EXPECT_EQ(s.Mask(clRed),
            "#####.\n"
            "#.....\n"
            "#.....\n"
            "#.....\n"
            "......\n");
  EXPECT_EQ(s.Mask(clBlue),
            ".....#\n"
            ".....#\n"
            ".....#\n"
            ".....#\n"
            "######\n");
}

TEST(CanvasFrame, ThreeDEdgesTakeTheirSystemColours) {
  struct Case {
    bool Sunken, Outer;
    TColor LeftTop, RightBottom;
  };
  const Case cases[] = {{true, true, clBtnShadow, clBtnHighlight},
                        {false, true, cl3DLight, cl3DDkShadow},
                        {true, false, cl3DDkShadow, cl3DLight},
                        {false, false, clBtnHighlight, clBtnShadow}};
  for (const Case& k : cases) {
    Surface s(5, 5, clRed);
    TcxCanvas c(s.Canvas());
    c.Draw3DEdge(TRect(0, 0, 5, 5), k.Sunken, k.Outer);
    SCOPED_TRACE(testing::Message() << "sunken " << k.Sunken << " outer " << k.Outer);
    EXPECT_EQ(s.At(0, 2), ColorToRGB(k.LeftTop));
    EXPECT_EQ(s.At(2, 0), ColorToRGB(k.LeftTop));
    EXPECT_EQ(s.At(4, 2), ColorToRGB(k.RightBottom));
    EXPECT_EQ(s.At(2, 4), ColorToRGB(k.RightBottom));
    EXPECT_EQ(s.At(2, 2), ColorToRGB(clRed));
  }
}

TEST(CanvasFrame, FrameAroundAFillExcludesBoth) {
  Surface s(10, 10);
  TcxCanvas c(s.Canvas());
  TcxPaintParams params;
  params.Color = clLime;
  c.FillRectWithFrame(TRect(0, 0, 10, 10), params, TcxBorders{bLeft, bTop}, clBlue, 2, true);
  EXPECT_EQ(s.At(1, 9), ColorToRGB(clBlue));
  EXPECT_EQ(s.At(9, 1), ColorToRGB(clBlue));
  EXPECT_EQ(s.At(2, 2), ColorToRGB(clLime));
  EXPECT_EQ(s.At(9, 9), ColorToRGB(clLime));
  c.FillRectWithColor(TRect(0, 0, 10, 10), clRed);
  EXPECT_EQ(s.CountOf(clRed), 0);
}

TEST(CanvasFrame, InvertingAlwaysLeavesSourceCopy) {
  Surface s(4, 4);
  TcxCanvas c(s.Canvas());
  c.ChangeCopyMode(cmSrcPaint);
  c.InvertArea(TRect(0, 0, 2, 4));
  EXPECT_EQ(s.At(0, 0), ColorToRGB(clBlack));
  EXPECT_EQ(s.At(2, 0), ColorToRGB(clWhite));
  EXPECT_EQ(c.CopyModeValue(), cmSrcCopy);
}

// ---- clipping and saved states --------------------------------------------------------------------

TEST(CanvasClip, PopGivesBackTheDeviceRegionUnderAMovedOrigin) {
  for (bool clipped : {false, true}) {
    SCOPED_TRACE(clipped ? "with a clip region" : "without a clip region");
    Surface s(40, 30);
    TcxCanvas c(s.Canvas());
    if (clipped) c.ApplyClipRegion(new TcxRegion(0, 0, 35, 30), rcmCopy, true, false);
    c.PlaceWindowOrigin(TPoint(-5, -5));
    std::unique_ptr<TcxRegion> before = c.CopyClipRegion(false);
    c.PushClipRegion();
    c.ExcludeRectFromClip(TRect(10, 10, 20, 20));
    c.FillRectWithColor(TRect(-5, -5, 35, 25), clBlue);
    EXPECT_EQ(s.At(20, 20), ColorToRGB(clWhite));  // logical (15, 15)
    c.PopClipRegion();
    std::unique_ptr<TcxRegion> after = c.CopyClipRegion(false);
    EXPECT_TRUE(after->SameAs(before.get()));
    c.FillRectWithColor(TRect(-5, -5, 35, 25), clRed);
    EXPECT_EQ(s.At(20, 20), ColorToRGB(clRed));
    // Nothing left to pop: nothing changes.
    c.PopClipRegion();
    EXPECT_TRUE(c.CopyClipRegion(false)->SameAs(before.get()));
  }
}

TEST(CanvasClip, NoClipIsTheLargeRectangleInLogicalCoordinates) {
  Surface s(10, 10);
  TcxCanvas c(s.Canvas());
  c.PlaceWindowOrigin(TPoint(-5, -5));
  TcxRegion expected(-5, -5, 29995, 29995);
  EXPECT_TRUE(c.CopyClipRegion()->SameAs(&expected));
  TcxRegion device(0, 0, 30000, 30000);
  EXPECT_TRUE(c.CopyClipRegion(false)->SameAs(&device));
}

TEST(CanvasState, DrawingStatePopRestoresObjectsAndIgnoresExtraPops) {
  Surface s(10, 10);
  TcxCanvas c(s.Canvas());
  c.ActiveBrush()->SetColor(clLime);
  c.ActiveFont()->SetColor(clNavy);
  c.PushDrawingState();
  c.ActiveBrush()->SetColor(clRed);
  c.ActiveFont()->SetColor(clYellow);
  c.ActivePen()->SetWidth(3);
  c.PopDrawingState();
  EXPECT_EQ(c.ActiveBrush()->Color(), clLime);
  EXPECT_EQ(c.ActiveFont()->Color(), clNavy);
  EXPECT_EQ(c.ActivePen()->Width(), 1);
  c.PopDrawingState();
  c.PopDCState();
  EXPECT_EQ(s.Canvas()->LockCount(), 0);
  c.FillRectWithColor(TRect(0, 0, 10, 10), clDefault);
  EXPECT_EQ(s.At(5, 5), ColorToRGB(clLime));
}

TEST(PaintCanvas, NestedLevelsRestoreTheDCAndTheCanvas) {
  Surface outer(10, 10);
  outer.Canvas()->Brush()->SetColor(clYellow);

  Surface inner(10, 10);
  win::HDC dc = win::CreateCompatibleDC(nullptr);
  win::HBITMAP bmp = win::CreateCompatibleBitmap(dc, 10, 10);
  win::HGDIOBJ oldBitmap = win::SelectObject(dc, bmp);
  win::HBRUSH brush = win::CreateSolidBrush(win::RGB(1, 2, 3));
  win::HPEN pen = win::CreatePen(win::PS_DOT, 1, win::RGB(4, 5, 6));
  win::HGDIOBJ oldBrush = win::SelectObject(dc, brush);
  win::HGDIOBJ oldPen = win::SelectObject(dc, pen);
  win::HGDIOBJ font = win::GetCurrentObject(dc, win::OBJ_FONT);
  const int level = win::SaveDC(dc);
  win::RestoreDC(dc, -1);

  TcxPaintCanvas pc;
  pc.PushCanvas(outer.Canvas());
  EXPECT_EQ(pc.Canvas(), outer.Canvas());
  pc.PushDC(dc);
  // The new level starts with what the DC had selected.
  EXPECT_EQ(pc.ActiveBrush()->Color(), static_cast<TColor>(win::RGB(1, 2, 3)));
  EXPECT_EQ(pc.ActivePen()->Style(), psDot);
  pc.ActiveBrush()->SetColor(clRed);
  pc.ActiveFont()->SetHeight(-30);
  pc.FillRectWithColor(TRect(0, 0, 10, 10), clBlue);
  pc.MeasureTextWidth("x");
  EXPECT_EQ(pc.LevelCount(), 2);

  pc.PopLevel();
  EXPECT_EQ(pc.Canvas(), outer.Canvas());
  EXPECT_EQ(win::GetCurrentObject(dc, win::OBJ_BRUSH), brush);
  EXPECT_EQ(win::GetCurrentObject(dc, win::OBJ_PEN), pen);
  EXPECT_EQ(win::GetCurrentObject(dc, win::OBJ_FONT), font);
  EXPECT_EQ(win::SaveDC(dc), level);
  win::RestoreDC(dc, -1);
  pc.PopLevel();
  EXPECT_EQ(pc.Canvas(), nullptr);
  EXPECT_EQ(outer.Canvas()->Brush()->Color(), clYellow);
  pc.PopLevel();
  EXPECT_EQ(pc.LevelCount(), 0);
  EXPECT_EQ(pc.Canvas(), nullptr);

  // A DC that cannot be drawn into (a window that is gone gives none): the push raises and leaves
  // no level for its caller to pop.
  pc.PushCanvas(outer.Canvas());
  EXPECT_ANY_THROW(pc.PushDC(nullptr));
  EXPECT_EQ(pc.LevelCount(), 1);
  EXPECT_EQ(pc.Canvas(), outer.Canvas());
  pc.PopLevel();

  win::SelectObject(dc, oldBrush);
  win::SelectObject(dc, oldPen);
  win::SelectObject(dc, oldBitmap);
  win::DeleteObject(brush);
  win::DeleteObject(pen);
  win::DeleteObject(bmp);
  win::DeleteDC(dc);
}

// The shared screen canvas draws on the desktop: a headless screen stands in.
class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(640, 480));
    // A graphics shutdown earlier in the program leaves the shared canvases shut down.
    ClearSharedCanvasShutdownMark();
  }
  void TearDown() override { platform::ResetDisplay(); }
};

TEST_F(ScreenTest, SharedCanvasesAnswerNullOnceShutDownAndMeasureNothing) {
  ASSERT_NE(ScreenCanvasInstance(), nullptr);
  ASSERT_NE(PaintCanvasInstance(), nullptr);
  TFont font;
  EXPECT_GT(FontTextWidth(&font, "Wide"), 0);
  ReleaseSharedCanvases();
  EXPECT_EQ(ScreenCanvasInstance(), nullptr);
  EXPECT_EQ(PaintCanvasInstance(), nullptr);
  TSize size(5, 5);
  FontTextExtent(&font, "Wide", 0, size);
  EXPECT_EQ(size, TSize());
  ClearSharedCanvasShutdownMark();
  EXPECT_NE(ScreenCanvasInstance(), nullptr);
}

// ---- text ------------------------------------------------------------------------------------------

TEST(CanvasText, DisabledTextIsShadowOverAHighlightOnePixelOff) {
  const TRect r(0, 0, 60, 20);
  Surface s(60, 20, clLime);
  TcxCanvas c(s.Canvas());
  c.DrawTextInRect("OK", r, ltfSingleLine | ltfAlignRight | ltfAlignTop, false);
  s.Save("canvas-disabled-text.png");

  // The glyphs alone, drawn in black where the shadow pass belongs: one pixel short of the right.
  Surface ink(60, 20);
  ink.Canvas()->Brush()->SetStyle(bsClear);
  const int x = 60 - ink.Canvas()->TextWidth("OK") - 1;
  ink.Canvas()->TextOut(x, 0, "OK");
  const std::string glyphs = ink.Mask(clBlack);
  EXPECT_EQ(s.Mask(clBtnShadow), glyphs);
  ink.Clear(clWhite);
  ink.Canvas()->TextOut(x + 1, 1, "OK");
  std::string highlight = ink.Mask(clBlack);
  for (std::size_t i = 0; i < highlight.size(); ++i)
    if (glyphs[i] == '#') highlight[i] = '.';
  EXPECT_EQ(s.Mask(clBtnHighlight), highlight);
  EXPECT_NE(highlight.find('#'), std::string::npos);
  // Colour and brush are as they were.
  EXPECT_EQ(c.ActiveFont()->Color(), clWindowText);
  EXPECT_EQ(c.ActiveBrush()->Style(), bsSolid);
}

TEST(CanvasText, CalcTextRect) {
  Surface s(10, 10);
  TcxCanvas c(s.Canvas());
  TRect r(5, 5, 100, 50);
  c.CalcTextRect("", r, 0);
  EXPECT_EQ(HeightOfRect(r), 0);
  EXPECT_EQ(r.TopLeft(), TPoint(5, 5));

  const int w = c.MeasureTextWidth("Text"), h = c.MeasureTextHeight("Text");
  r = TRect(0, 0, 100, 50);
  c.CalcTextRect("Text", r, ltfSingleLine | ltfCenterHorz | ltfAlignBottom);
  EXPECT_EQ(r, TRect((100 - w) / 2, 50 - h, (100 - w) / 2 + w, 50));
  // No width at all: measured from a one-pixel start, so words still break apart.
  r = TRect(0, 0, 0, 0);
  c.CalcTextRect("two words", r, ltfWordBreak | ltfNoWordSplit);
  EXPECT_EQ(HeightOfRect(r), 2 * h);
}

TEST(CanvasText, BlockPlacedAtTheBottom) {
  Surface s(10, 10);
  TcxCanvas c(s.Canvas());
  const int h = c.MeasureTextHeight("Wg");
  TRect r(0, 0, 200, 100);
  c.PlaceTextBlockVertically(r, "one\ntwo", false, false, true, false, false, 1);
  EXPECT_EQ(r.Top, 100 - 2 * h);
  r = TRect(0, 0, 200, 100);
  c.PlaceTextBlockVertically(r, "x", true, false, false, false, true, 2);
  // Whole rows of the ellipsis block: as many as fit in 99 pixels.
  const int block = h * (99 / h);
  EXPECT_EQ(r.Top, (100 - block) / 2);
}

// ---- bitmaps ----------------------------------------------------------------------------------------

TEST(CanvasBitmap, RotationsAreOnThePicture) {
  auto make = [] {
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(pf32bit);
    b->SetSize(3, 2);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) b->Canvas()->SetPixels(x, y, static_cast<TColor>(win::RGB(10 * (x + 1), 10 * (y + 1), 0)));
    return b;
  };
  auto px = [](TBitmap* b, int x, int y) { return static_cast<win::COLORREF>(b->Canvas()->Pixels(x, y)); };
  const win::COLORREF topLeft = win::RGB(10, 10, 0), bottomLeft = win::RGB(10, 20, 0);
  Surface s(1, 1);
  TcxCanvas c(s.Canvas());

  auto left = make();
  c.RotateBitmap(left.get(), rcTurnLeft);
  EXPECT_EQ(left->Width(), 2);
  EXPECT_EQ(left->Height(), 3);
  EXPECT_EQ(px(left.get(), 0, 2), topLeft);
  EXPECT_EQ(px(left.get(), 1, 2), bottomLeft);

  auto right = make();
  c.RotateBitmap(right.get(), rcTurnRight);
  EXPECT_EQ(right->Width(), 2);
  EXPECT_EQ(px(right.get(), 1, 0), topLeft);
  EXPECT_EQ(px(right.get(), 0, 0), bottomLeft);

  auto half = make();
  c.RotateBitmap(half.get(), rcHalfTurn);
  EXPECT_EQ(px(half.get(), 2, 1), topLeft);

  auto flipped = make();
  c.RotateBitmap(flipped.get(), rcNone, true);
  EXPECT_EQ(flipped->Width(), 3);
  EXPECT_EQ(px(flipped.get(), 0, 1), topLeft);
  EXPECT_EQ(px(flipped.get(), 0, 0), bottomLeft);
}

}  // namespace
