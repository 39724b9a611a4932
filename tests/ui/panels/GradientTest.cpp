// Gradient bands in the ten patterns, and a control's background painted by its parent.
#include <gtest/gtest.h>

#include "tests/ui/panels/PanelsFixture.h"
#include "ui/panels/Gradients.h"

namespace panelstest {
namespace {

using namespace rz;
using win::RECT;
using win::RGB;

constexpr Rgb kUnpainted = RGB(255, 0, 255);

int Red(Rgb c) { return static_cast<int>(c & 0xFF); }

class GradientTest : public PanelsTest {};

TEST_F(GradientTest, NothingForAnEmptyRectangle) {
  Surface s(20, 10);
  PaintGradientBands(s.Canvas(), RECT{5, 5, 5, 9}, gdDiagonalUp, clBlack, clWhite, 1);
  PaintGradientBands(s.Canvas(), RECT{5, 5, 9, 5}, gdHorizontalEnd, clBlack, clWhite, 1);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(s.At(x, y), kUnpainted);
}

TEST_F(GradientTest, PlainFillsWhereThereIsNoGradient) {
  Surface d(30, 20);
  PaintGradientBands(d.Canvas(), RECT{0, 0, 30, 20}, gdDiagonalDown, clRed, clRed, 1);
  Surface b(4, 12);
  PaintGradientBands(b.Canvas(), RECT{0, 0, 4, 12}, gdBigSquareBox, clBlue, clYellow, 1);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(d.At(x, y), RGB(255, 0, 0)) << x << "," << y;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 4; ++x) ASSERT_EQ(b.At(x, y), RGB(0, 0, 255)) << x << "," << y;
}

TEST_F(GradientTest, HorizontalEndRowsAreOneColourEach) {
  Surface s(30, 12);
  PaintGradientBands(s.Canvas(), RECT{0, 1, 30, 11}, gdHorizontalEnd, clBlack, clWhite, 1);
  const int expected[10] = {25, 51, 76, 102, 127, 153, 178, 204, 229, 255};
  for (int row = 0; row < 10; ++row)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(s.At(x, row + 1), RGB(expected[row], expected[row], expected[row])) << x;
  EXPECT_EQ(s.At(0, 0), kUnpainted);
  EXPECT_EQ(s.At(0, 11), kUnpainted);
}

TEST_F(GradientTest, CentredRunsPutTheStopColourInTheMiddle) {
  Surface s(21, 10);
  PaintGradientBands(s.Canvas(), RECT{0, 0, 21, 10}, gdVerticalCenter, clBlue, clYellow, 1);
  for (int y = 0; y < 10; ++y) {
    EXPECT_EQ(s.At(10, y), RGB(255, 255, 0));
    EXPECT_EQ(s.At(20, y), RGB(0, 0, 255));
  }
  Surface h(10, 41);
  PaintGradientBands(h.Canvas(), RECT{0, 0, 10, 41}, gdHorizontalCenter, clBlack, clWhite, 1);
  EXPECT_EQ(h.At(3, 20), RGB(255, 255, 255));
  EXPECT_EQ(h.At(3, 40), RGB(0, 0, 0));
  EXPECT_EQ(Red(h.At(3, 0)), 12);  // one step short of the start colour: 255 - 20 * (255 / 21)
  // Larger steps make wider bands.
  Surface w(64, 8);
  PaintGradientBands(w.Canvas(), RECT{0, 0, 64, 8}, gdVerticalEnd, clBlack, clWhite, 8);
  for (int x = 0; x < 64; x += 8)
    for (int i = 1; i < 8; ++i) ASSERT_EQ(w.At(x + i, 4), w.At(x, 4)) << x;
}

TEST_F(GradientTest, AllTenPatterns) {
  const int W = 200, H = 100, gap = 10;
  Surface gallery(2 * W + 3 * gap, 5 * H + 6 * gap, RGB(240, 240, 240));
  for (int i = 0; i < 10; ++i) {
    auto d = static_cast<TGradientDirection>(i);
    Surface s(W, H);
    PaintGradientBands(s.Canvas(), RECT{0, 0, W, H}, d, RGB(20, 60, 160), RGB(250, 220, 120), 1);
    const String name = TypeInfo<TGradientDirection>()->Name(i);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) ASSERT_NE(s.At(x, y), kUnpainted) << name << " " << x << "," << y;
    if (d == gdHorizontalBox || d == gdVerticalBox || d == gdSquareBox || d == gdBigSquareBox) {
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
          ASSERT_EQ(s.At(x, y), s.At(W - 1 - x, y)) << name << " " << x << "," << y;
          ASSERT_EQ(s.At(x, y), s.At(x, H - 1 - y)) << name << " " << x << "," << y;
        }
      EXPECT_EQ(s.At(W / 2, H / 2), RGB(250, 220, 120)) << name;
    }
    if (d == gdDiagonalUp) {
      EXPECT_LT(Red(s.At(0, H - 1)), 40);
      EXPECT_GT(Red(s.At(W - 1, 0)), 230);
    }
    if (d == gdDiagonalDown) {
      EXPECT_LT(Red(s.At(0, 0)), 40);
      EXPECT_GT(Red(s.At(W - 1, H - 1)), 230);
    }
    win::BitBlt(gallery.DC(), gap + (i % 2) * (W + gap), gap + (i / 2) * (H + gap), W, H, s.DC(), 0, 0, win::SRCCOPY);
  }
  gallery.Save("panels-gradients.png");
}

// ---- parent background -------------------------------------------------------------------------------

// A parent that paints stripes.
class TStripes : public TCustomControl {
  VW_CLASS(TStripes, TCustomControl)
 public:
  explicit TStripes(TComponent* AOwner) : TCustomControl(AOwner) { FControlStyle.Include(csAcceptsControls); }

 protected:
  void Paint() override {
    for (int x = 0; x < Width(); x += 4) {
      Canvas()->Brush()->SetColor((x / 4) % 2 ? clRed : clNavy);
      Canvas()->FillRect(RECT{x, 0, x + 4, Height()});
    }
  }
};

// A windowed control that shows its parent through itself.
class TSeeThrough : public TCustomControl {
  VW_CLASS(TSeeThrough, TCustomControl)
 public:
  explicit TSeeThrough(TComponent* AOwner) : TCustomControl(AOwner) {}
  int erases = 0;

 protected:
  void WMEraseBkgnd(TMessage& Message) override {
    ++erases;
    PaintParentBackground(this, reinterpret_cast<win::HDC>(Message.WParam), true);
    Message.Result = 1;
  }
};

// A container of the window system's own: neither a custom control nor a form, no clipping of
// its children.
class TPlainParent : public TWinControl {
  VW_CLASS(TPlainParent, TWinControl)
 public:
  explicit TPlainParent(TComponent* AOwner) : TWinControl(AOwner) { SetColor(clTeal); }
  int erases = 0;

 protected:
  void WMEraseBkgnd(TMessage& Message) override {
    ++erases;
    TWinControl::WMEraseBkgnd(Message);
  }
};

TEST_F(GradientTest, ParentBackgroundShowsTheParentsOwnPaint) {
  auto* form = MakeForm(100, 100, 200, 100);
  auto* stripes = new TStripes(form);
  stripes->SetBounds(10, 10, 160, 60);
  stripes->SetParent(form);
  auto* child = new TSeeThrough(form);
  child->SetBounds(21, 7, 50, 30);
  child->SetParent(stripes);
  Pump();
  ASSERT_GT(child->erases, 0);
  for (int y = 0; y < 30; y += 7)
    for (int x = 0; x < 50; ++x)
      ASSERT_EQ(Pixel(child, x, y), Pixel(stripes, 21 + x, 7 + y)) << x << "," << y;
  EXPECT_EQ(Pixel(child, 0, 0), ColorToRGB((21 / 4) % 2 ? clRed : clNavy));

  // Without a parent nothing is drawn.
  TSeeThrough orphan(nullptr);
  Surface s(10, 10);
  PaintParentBackground(&orphan, s.DC(), true);
  EXPECT_EQ(s.At(5, 5), RGB(255, 0, 255));
}

TEST_F(GradientTest, SeeThroughChildOnAPlainParentSettles) {
  auto* form = MakeForm(100, 100, 200, 100);
  auto* parent = new TPlainParent(form);
  parent->SetBounds(10, 10, 160, 60);
  parent->SetParent(form);
  auto* child = new TSeeThrough(form);
  child->SetBounds(20, 10, 50, 30);
  child->SetParent(parent);
  RunFor(50);
  int childErases = child->erases, parentErases = parent->erases;
  ASSERT_GT(childErases, 0);
  RunFor(200);
  EXPECT_EQ(child->erases, childErases);
  EXPECT_EQ(parent->erases, parentErases);
  EXPECT_EQ(Pixel(child, 5, 5), ColorToRGB(clTeal));
}

}  // namespace
}  // namespace panelstest
