// Brushes, pens, shapes and paths.
#include "tests/platform/gdiplus/Fixture.h"

namespace {

using namespace win;
using gptest::PixelAt;
using gptest::Pixels;

class GdiPlusShapes : public gptest::GdiPlusTest {
 protected:
  // Rows of '#' where the pixel is not transparent.
  static std::string Mask(GpBitmap* b) {
    UINT w = 0, h = 0;
    GdipGetImageWidth(b, &w);
    GdipGetImageHeight(b, &h);
    std::string s;
    std::vector<std::uint32_t> px = Pixels(b);
    for (UINT y = 0; y < h; ++y) {
      for (UINT x = 0; x < w; ++x) s += px[y * w + x] ? '#' : '.';
      s += '\n';
    }
    return s;
  }
  GpPen* NewPen(ARGB color, REAL width) {
    GpPen* p = nullptr;
    EXPECT_EQ(GdipCreatePen1(color, width, UnitPixel, &p), Ok);
    pens_.push_back(p);
    return p;
  }
  GpBrush* NewSolid(ARGB color) {
    GpSolidFill* b = nullptr;
    EXPECT_EQ(GdipCreateSolidFill(color, &b), Ok);
    brushes_.push_back(b);
    return b;
  }
  void TearDown() override {
    for (GpPen* p : pens_) GdipDeletePen(p);
    for (GpBrush* b : brushes_) GdipDeleteBrush(b);
    gptest::GdiPlusTest::TearDown();
  }
  std::vector<GpPen*> pens_;
  std::vector<GpBrush*> brushes_;
};

TEST_F(GdiPlusShapes, RectanglesFillExactlyTheirPixelsWithAndWithoutSmoothing) {
  for (GpSmoothingMode mode : {SmoothingModeNone, SmoothingModeAntiAlias}) {
    GpBitmap* b = NewBitmap(6, 4);
    GpGraphics* g = GraphicsOn(b);
    GdipSetSmoothingMode(g, mode);
    ASSERT_EQ(GdipFillRectangleI(g, NewSolid(0xFF000000), 1, 1, 4, 2), Ok);
    EXPECT_EQ(Mask(b), "......\n.####.\n.####.\n......\n") << "smoothing " << mode;
    EXPECT_EQ(PixelAt(b, 1, 1), 0xFF000000u);
  }
}

TEST_F(GdiPlusShapes, ThinLinesAndOutlinesCoverWholePixelsWithoutSmoothing) {
  GpBitmap* b = NewBitmap(7, 6);
  GpGraphics* g = GraphicsOn(b);
  ASSERT_EQ(GdipDrawRectangleI(g, NewPen(0xFF000000, 1), 1, 1, 4, 3), Ok);
  EXPECT_EQ(Mask(b), ".......\n.#####.\n.#...#.\n.#...#.\n.#####.\n.......\n");
  GdipGraphicsClear(g, 0);
  ASSERT_EQ(GdipDrawLineI(g, NewPen(0xFF000000, 3), 0, 2, 6, 2), Ok);
  EXPECT_EQ(Mask(b), ".......\n######.\n######.\n######.\n.......\n.......\n");
}

TEST_F(GdiPlusShapes, LinearGradientsRunFromTheFirstColourInEachMode) {
  // Grown by one pixel on every side, as the library lays its gradients out.
  struct Case {
    GpLinearGradientMode mode;
    int darkX, darkY;  // the corner nearest the first colour
  };
  for (Case c : {Case{0, 0, 0}, Case{1, 0, 0}, Case{2, 0, 0}, Case{3, 19, 0}}) {
    GpBitmap* b = NewBitmap(20, 10);
    GpGraphics* g = GraphicsOn(b);
    GpRect r{-1, -1, 22, 12};
    GpLineGradient* brush = nullptr;
    ASSERT_EQ(GdipCreateLineBrushFromRectI(&r, 0xFF000000, 0xFFFFFFFF, c.mode, WrapModeTile, &brush), Ok);
    ASSERT_EQ(GdipFillRectangleI(g, brush, 0, 0, 20, 10), Ok);
    GdipDeleteBrush(brush);
    std::vector<std::uint32_t> px = Pixels(b);
    std::size_t darkest = 0;
    for (std::size_t i = 0; i < px.size(); ++i)
      if ((px[i] & 0xFF) < (px[darkest] & 0xFF)) darkest = i;
    EXPECT_EQ(darkest, static_cast<std::size_t>(c.darkY * 20 + c.darkX)) << "mode " << c.mode;
    EXPECT_GT(px[darkest] & 0xFF, 0u);  // the grown rectangle keeps the ends off the pixels
    if (c.mode == 2) gptest::SaveShot(b, "gdiplus-gradient-diagonal.png");
  }
  GpRect empty{0, 0, 0, 5};
  GpLineGradient* none = nullptr;
  EXPECT_EQ(GdipCreateLineBrushFromRectI(&empty, 0, 0, 0, WrapModeTile, &none), OutOfMemory);
  EXPECT_EQ(none, nullptr);
}

TEST_F(GdiPlusShapes, HatchPatternsRepeatEveryEightPixels) {
  struct Case {
    GpHatchStyle style;
    const char* rows;  // first eight pixels of the first two rows
  };
  for (Case c : {Case{HatchStyleHorizontal, "########........"}, Case{HatchStyleVertical, "#.......#......."},
                 Case{HatchStyleForwardDiagonal, "#........#......"}, Case{HatchStyleCross, "#########......."}}) {
    GpBitmap* b = NewBitmap(16, 16);
    GpGraphics* g = GraphicsOn(b);
    GpHatch* h = nullptr;
    ASSERT_EQ(GdipCreateHatchBrush(c.style, 0xFF000000, 0, &h), Ok);
    ASSERT_EQ(GdipFillRectangleI(g, h, 0, 0, 16, 16), Ok);
    GdipDeleteBrush(h);
    std::string m = Mask(b);
    EXPECT_EQ(m.substr(0, 8) + m.substr(17, 8), c.rows) << "style " << c.style;
    EXPECT_EQ(m.substr(8 * 17, 17), m.substr(0, 17)) << "style " << c.style;
  }
  GpHatch* h = nullptr;
  ASSERT_EQ(GdipCreateHatchBrush(HatchStyle50Percent, 0xFF000000, 0xFFFFFFFF, &h), Ok);
  ARGB fore = 0, back = 0;
  GpHatchStyle style = -1;
  GdipGetHatchForegroundColor(h, &fore);
  GdipGetHatchBackgroundColor(h, &back);
  GdipGetHatchStyle(h, &style);
  EXPECT_EQ(std::tuple(fore, back, style), std::tuple(0xFF000000u, 0xFFFFFFFFu, HatchStyle50Percent));
  GpBitmap* b = NewBitmap(8, 8);
  GdipFillRectangleI(GraphicsOn(b), h, 0, 0, 8, 8);
  GdipDeleteBrush(h);
  std::vector<std::uint32_t> px = Pixels(b);
  EXPECT_EQ(std::count(px.begin(), px.end(), 0xFF000000u), 32);
  EXPECT_EQ(GdipCreateHatchBrush(HatchStyleMax + 1, 0, 0, &h), InvalidParameter);
}

TEST_F(GdiPlusShapes, TextureBrushesTileFromTheOriginAndFlip) {
  GpBitmap* tile = NewBitmap(3, 2);
  gptest::SetPixels(tile, {1u << 24 | 1, 2u << 24 | 2, 3u << 24 | 3, 4u << 24 | 4, 5u << 24 | 5, 6u << 24 | 6});
  std::vector<std::uint32_t> t = Pixels(tile);
  struct Case {
    GpWrapMode wrap;
    bool flipX, flipY;
  };
  for (Case c : {Case{WrapModeTile, false, false}, Case{WrapModeTileFlipX, true, false},
                 Case{WrapModeTileFlipXY, true, true}}) {
    GpTexture* brush = nullptr;
    ASSERT_EQ(GdipCreateTexture2I(tile, c.wrap, 0, 0, 3, 2, &brush), Ok);
    GpBitmap* b = NewBitmap(8, 5);
    ASSERT_EQ(GdipFillRectangleI(GraphicsOn(b), brush, 0, 0, 8, 5), Ok);
    GdipDeleteBrush(brush);
    std::vector<std::uint32_t> px = Pixels(b);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 8; ++x) {
        int tx = x % 3, ty = y % 2;
        if (c.flipX && (x / 3) % 2) tx = 2 - tx;
        if (c.flipY && (y / 2) % 2) ty = 1 - ty;
        ASSERT_EQ(px[static_cast<std::size_t>(y) * 8 + x], t[static_cast<std::size_t>(ty) * 3 + tx])
            << "wrap " << c.wrap << " at " << x << "," << y;
      }
  }
  platform::gdiplus::InjectedFaults().textureBrush = OutOfMemory;
  GpTexture* refused = nullptr;
  EXPECT_EQ(GdipCreateTexture2I(tile, WrapModeTile, 0, 0, 3, 2, &refused), OutOfMemory);
  EXPECT_EQ(refused, nullptr);
}

TEST_F(GdiPlusShapes, FillModesDecideTheMiddleOfAStar) {
  const GpPoint star[] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
  for (auto [mode, filled] : {std::pair{FillModeAlternate, false}, std::pair{FillModeWinding, true}}) {
    GpBitmap* b = NewBitmap(21, 21);
    ASSERT_EQ(GdipFillPolygonI(GraphicsOn(b), NewSolid(0xFF000000), star, 5, mode), Ok);
    EXPECT_EQ(PixelAt(b, 10, 10) != 0, filled) << "mode " << mode;
    EXPECT_NE(PixelAt(b, 10, 2), 0u);
  }
}

TEST_F(GdiPlusShapes, PensKeepTheirSettingsAndBrushes) {
  GpPen* pen = NewPen(0xFF112233, 2);
  GdipSetPenDashStyle(pen, DashStyleDot);
  GdipSetPenMode(pen, PenAlignmentInset);
  GpPen* clone = nullptr;
  ASSERT_EQ(GdipClonePen(pen, &clone), Ok);
  pens_.push_back(clone);
  REAL width = 0;
  GpDashStyle dash = 0;
  GpPenAlignment align = 0;
  ARGB color = 0;
  GdipGetPenWidth(clone, &width);
  GdipGetPenDashStyle(clone, &dash);
  GdipGetPenMode(clone, &align);
  GdipGetPenColor(clone, &color);
  EXPECT_EQ(std::tuple(width, dash, align, color), std::tuple(2.0f, DashStyleDot, PenAlignmentInset, 0xFF112233u));

  GpHatch* hatch = nullptr;
  GdipCreateHatchBrush(HatchStyleCross, 0xFF000000, 0xFFFFFFFF, &hatch);
  EXPECT_EQ(GdipSetPenBrushFill(pen, hatch), Ok);
  GdipDeleteBrush(hatch);  // the pen keeps its own copy
  GpPenType type = -1;
  GdipGetPenFillType(pen, &type);
  EXPECT_EQ(type, PenTypeHatchFill);
  EXPECT_EQ(GdipGetPenColor(pen, &color), WrongState);
  GpBrush* fill = nullptr;
  ASSERT_EQ(GdipGetPenBrushFill(pen, &fill), Ok);
  GpBrushType brushType = -1;
  GdipGetBrushType(fill, &brushType);
  EXPECT_EQ(brushType, BrushTypeHatchFill);
  GdipDeleteBrush(fill);

  // A dotted line leaves every other pixel.
  GpBitmap* b = NewBitmap(8, 1);
  GpPen* dots = NewPen(0xFF000000, 1);
  GdipSetPenDashStyle(dots, DashStyleDot);
  ASSERT_EQ(GdipDrawLineI(GraphicsOn(b), dots, 0, 0, 8, 0), Ok);
  EXPECT_EQ(Mask(b), "#.#.#.#.\n");
}

TEST_F(GdiPlusShapes, Showcase) {
  // Everything at once, smoothed, for looking at.
  GpBitmap* b = NewBitmap(240, 120, PixelFormat32bppARGB, 0xFFFFFFFF);
  GpGraphics* g = GraphicsOn(b);
  GdipSetSmoothingMode(g, SmoothingModeAntiAlias);
  GpRect r{0, 0, 240, 120};
  GpLineGradient* grad = nullptr;
  GdipCreateLineBrushFromRectI(&r, 0xFFE0E8FF, 0xFF6080C0, LinearGradientModeVertical, WrapModeTile, &grad);
  GdipFillRectangleI(g, grad, 0, 0, 240, 120);
  GdipDeleteBrush(grad);
  GdipFillEllipseI(g, NewSolid(0xC0FF8000), 10, 10, 60, 40);
  GdipDrawEllipseI(g, NewPen(0xFF000000, 2), 10, 10, 60, 40);
  GdipFillPieI(g, NewSolid(0xFF008000), 80, 10, 50, 50, -30, 240);
  GdipDrawArcI(g, NewPen(0xFF800000, 3), 140, 10, 40, 40, 0, 270);
  GpPen* dashed = NewPen(0xFF000080, 2);
  GdipSetPenDashStyle(dashed, DashStyleDashDot);
  GdipDrawBezierI(g, dashed, 190, 10, 240, 10, 190, 60, 235, 60);
  const GpPoint curve[] = {{10, 110}, {40, 70}, {70, 100}, {100, 70}};
  GdipDrawCurveI(g, NewPen(0xFF400040, 2), curve, 4);
  const GpPoint closed[] = {{120, 70}, {150, 70}, {150, 110}, {120, 110}};
  GdipFillClosedCurveI(g, NewSolid(0x80FF00FF), closed, 4);
  GdipDrawClosedCurveI(g, NewPen(0xFF000000, 1), closed, 4);
  GpPath* path = nullptr;
  GdipCreatePath(FillModeAlternate, &path);
  GdipAddPathArc(path, 170, 70, 20, 20, 180, 90);
  GdipAddPathLine(path, 180, 70, 220, 70);
  GdipAddPathArc(path, 210, 70, 20, 20, 270, 90);
  GdipAddPathLine(path, 230, 80, 230, 110);
  GdipAddPathLine(path, 230, 110, 170, 110);
  GdipClosePathFigure(path);
  GpHatch* hatch = nullptr;
  GdipCreateHatchBrush(HatchStyleDiagonalCross, 0xFF204060, 0x40FFFFFF, &hatch);
  EXPECT_EQ(GdipFillPath(g, hatch, path), Ok);
  EXPECT_EQ(GdipDrawPath(g, NewPen(0xFF204060, 1), path), Ok);
  GdipDeleteBrush(hatch);
  GdipDeletePath(path);
  gptest::SaveShot(b, "gdiplus-shapes.png");
  // Smoothed edges blend: the ellipse's outline is neither the pen's colour nor the fill's everywhere.
  EXPECT_NE(PixelAt(b, 40, 10), PixelAt(b, 40, 30));
}

}  // namespace
