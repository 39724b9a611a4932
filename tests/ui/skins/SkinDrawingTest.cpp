#include <memory>
#include <set>

#include "platform/classes/Bitmap.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/skins/SkinFixture.h"
#include "ui/skins/SkinElementCache.h"

namespace {

using skintest::SkinTest;

// Colours as 0x00RRGGBB; the texture gets them opaque.
constexpr std::uint32_t TL = 0xFF0000, TR = 0x00FF00, BL = 0x0000FF, BR = 0xFFFF00, TOP = 0x00FFFF,
                        BOTTOM = 0xFF00FF, LEFT = 0x800000, RIGHT = 0x008000, CENTRE = 0x808080, CLASH = 0x102030,
                        WHITE = 0xFFFFFF;

// A 10 x 10 frame with margins of 3, its parts each of one colour, beside a hot frame of the
// clashing colour.
void MakeNinePart(TdxSkinElement* E) {
  std::vector<std::uint32_t> px(20 * 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) {
      std::uint32_t c = CLASH;
      if (x < 10) {
        const int col = x < 3 ? 0 : x < 7 ? 1 : 2, row = y < 3 ? 0 : y < 7 ? 1 : 2;
        static const std::uint32_t parts[3][3] = {{TL, TOP, TR}, {LEFT, CENTRE, RIGHT}, {BL, BOTTOM, BR}};
        c = parts[row][col];
      }
      px[static_cast<std::size_t>(y * 20 + x)] = 0xFF000000u | c;
    }
  skintest::SetTexture(E->Image(), 20, 10, px);
  E->Image()->SetStates(StateBit(esNormal) | StateBit(esHot));
  E->Image()->Margins()->AssignRect({3, 3, 3, 3});
}

// A white 32-bit target.
struct Target {
  Target(int W, int H) : width(W), height(H) {
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(W, H);
    win::RECT all{0, 0, W, H};
    win::FillRect(dc(), &all, static_cast<win::HBRUSH>(win::GetStockObject(win::WHITE_BRUSH)));
  }
  win::HDC dc() { return bitmap.Canvas()->Handle(); }
  // 0x00RRGGBB.
  std::uint32_t at(int x, int y) {
    const win::COLORREF c = win::GetPixel(dc(), x, y);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  }
  // Four times enlarged, so that single pixels can be seen.
  void save(const std::string& name) {
    const int w = width * 4, h = height * 4;
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) px[static_cast<std::size_t>(y * w + x)] = at(x / 4, y / 4);
    platform::WritePng(testsupport::ArtifactPath(name), px.data(), w, h, w);
  }
  TBitmap bitmap;
  int width, height;
};

TEST_F(SkinTest, GeometryOfTheFrameStrip) {
  TdxSkin skin("Geometry");
  TdxSkinElement* e = skin.AddGroup("Common")->AddElement("Button");
  e->SetImageCount(2);
  e->Image()->SetStates(StateBit(esNormal) | StateBit(esHot) | StateBit(esPressed));
  skintest::SetTexture(e->Image(), 90, 21, std::vector<std::uint32_t>(90 * 21, 0xFF000000));
  EXPECT_EQ(e->ImageSize().cx, 15);
  EXPECT_EQ(e->ImageSize().cy, 21);
  EXPECT_EQ(e->Image()->StateCount(), 3);
  const win::RECT hot1 = e->Image()->StateFrameRect(1, esHot);
  EXPECT_EQ(hot1.left, 60);
  EXPECT_EQ(hot1.right, 75);
  EXPECT_EQ(hot1.bottom, 21);
  const win::RECT missing = e->Image()->StateFrameRect(0, esDisabled);
  EXPECT_TRUE(missing.right <= missing.left) << "a state the image does not provide";
  e->SetImageCount(3);
  EXPECT_EQ(e->ImageSize().cx, 10) << "an image count change recomputes the frames";

  TdxSkinImage* image = e->Image();
  image->SetStates(StateBit(esHot) | StateBit(esPressed));
  TdxSkinElementState state = esDisabled;
  image->ValidateState(state);
  EXPECT_EQ(state, esHot);
  state = esPressed;
  image->ValidateState(state);
  EXPECT_EQ(state, esPressed);

  struct {
    win::RECT margins, target, fitted;
  } fits[] = {
      {{8, 0, 8, 0}, {0, 0, 10, 10}, {5, 0, 5, 0}},   // 8 - MulDiv(8, 6, 16)
      {{3, 3, 3, 3}, {0, 0, 40, 40}, {3, 3, 3, 3}},   // fits: kept
      {{0, 4, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}},     // all of it goes
      {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}},     // margins summing to 0 stay
      {{2, 0, 6, 0}, {0, 0, 4, 5}, {1, 0, 3, 0}},
  };
  for (auto f : fits) {
    win::RECT m = f.margins;
    FitMargins(m, f.target);
    EXPECT_TRUE(m.left == f.fitted.left && m.top == f.fitted.top && m.right == f.fitted.right &&
                m.bottom == f.fitted.bottom)
        << m.left << "," << m.top << "," << m.right << "," << m.bottom;
  }
  win::RECT parts[9];
  SplitNineParts({10, 10, 20, 30}, {3, 4, 5, 6}, parts);
  EXPECT_EQ(parts[4].left, 13);
  EXPECT_EQ(parts[4].top, 14);
  EXPECT_EQ(parts[4].right, 15);
  EXPECT_EQ(parts[4].bottom, 24);
  EXPECT_EQ(parts[8].left, 15);
  EXPECT_EQ(parts[8].top, 24);
}

TEST_F(SkinTest, NinePartsKeepCornersStretchEdgesAndNeverShowTheNeighbouringFrame) {
  TdxSkin skin("Pixels");
  TdxSkinElement* e = skin.AddGroup("Common")->AddElement("Button");
  MakeNinePart(e);
  Target gallery(200, 60);
  int x0 = 0;
  for (win::SIZE size : {win::SIZE{6, 6}, win::SIZE{10, 10}, win::SIZE{17, 13}, win::SIZE{41, 25}, win::SIZE{90, 50}}) {
    Target t(size.cx, size.cy);
    e->DrawOnDC(t.dc(), {0, 0, size.cx, size.cy}, 0, esNormal);
    e->DrawOnDC(gallery.dc(), {x0, 0, x0 + size.cx, size.cy}, 0, esNormal);
    x0 += size.cx + 4;
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < size.cx; ++x) ASSERT_NE(t.at(x, y), CLASH) << size.cx << "x" << size.cy << " " << x << "," << y;
    if (size.cx < 6 + 1) continue;
    const int w = size.cx, h = size.cy;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(t.at(x, y), TL);
        EXPECT_EQ(t.at(w - 1 - x, y), TR);
        EXPECT_EQ(t.at(x, h - 1 - y), BL);
        EXPECT_EQ(t.at(w - 1 - x, h - 1 - y), BR);
      }
    for (int x = 3; x < w - 3; ++x) {
      EXPECT_EQ(t.at(x, 1), TOP);
      EXPECT_EQ(t.at(x, h - 2), BOTTOM);
    }
    for (int y = 3; y < h - 3; ++y) {
      EXPECT_EQ(t.at(1, y), LEFT);
      EXPECT_EQ(t.at(w - 2, y), RIGHT);
      for (int x = 3; x < w - 3; ++x) ASSERT_EQ(t.at(x, y), CENTRE);
    }
  }
  // The hot frame is the clashing one; an index past the strip draws nothing at all.
  Target hot(12, 12);
  e->DrawOnDC(hot.dc(), {0, 0, 12, 12}, 0, esHot);
  EXPECT_EQ(hot.at(6, 6), CLASH);
  Target past(12, 12);
  e->DrawOnDC(past.dc(), {0, 0, 12, 12}, 2, esNormal);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(past.at(x, y), WHITE);
  gallery.save("skins-nine-part.png");
}

TEST_F(SkinTest, TilesRepeatWithThePartsPeriodAndNoResizeCentres) {
  TdxSkin skin("Tiles");
  TdxSkinElement* e = skin.AddGroup("Common")->AddElement("Track");
  const std::uint32_t pattern[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0x000000};
  skintest::SetTexture(e->Image(), 5, 1,
                       {0xFF000000u | pattern[0], 0xFF000000u | pattern[1], 0xFF000000u | pattern[2],
                        0xFF000000u | pattern[3], 0xFF000000u | CLASH});
  e->Image()->SetStates(StateBit(esNormal));
  e->SetImageCount(1);
  e->Image()->Margins()->AssignRect({0, 0, 1, 0});
  e->Image()->SetStretch(smTile);
  Target t(23, 3);
  e->DrawOnDC(t.dc(), {0, 0, 23, 3}, 0, esNormal);
  // Frame 5 wide: the centre part is columns 0..3, tiled with period 4; the right part is CLASH.
  for (int x = 0; x < 22; ++x) EXPECT_EQ(t.at(x, 1), pattern[x % 4]) << x;
  EXPECT_EQ(t.at(22, 1), CLASH);

  // No resize: the frame centred, for odd and even slack, over the element's background.
  TdxSkinElement* glyph = skin.GroupByName("Common")->AddElement("Glyph");
  skintest::SetTexture(glyph->Image(), 3, 3, std::vector<std::uint32_t>(9, 0xFF000000u | CLASH));
  glyph->Image()->SetStretch(smNoResize);
  glyph->SetColor(0x00FF0000);  // blue
  for (int side : {8, 9}) {
    Target c(side, side);
    glyph->DrawOnDC(c.dc(), {0, 0, side, side}, 0, esNormal);
    const int left = (side - 3) / 2;
    EXPECT_EQ(c.at(left, left), CLASH) << side;
    EXPECT_EQ(c.at(left + 2, left + 2), CLASH) << side;
    EXPECT_EQ(c.at(left - 1, left), 0x0000FFu) << side;
    EXPECT_EQ(c.at(left + 3, left), 0x0000FFu) << side;
  }
}

TEST_F(SkinTest, BackgroundBordersGlyphAndGradients) {
  TdxSkin skin("Parts");
  TdxSkinControlGroup* group = skin.AddGroup("Common");

  struct {
    TColor color;
    win::BYTE alpha;
    bool opaqueImage;
    std::uint32_t centre;
  } backgrounds[] = {
      {clDefault, 255, false, WHITE},
      {clNone, 255, false, WHITE},
      {0x00FF0000, 255, false, 0x0000FF},
      {0x00FF0000, 128, false, 0x7F7FFF},
      {0x00FF0000, 255, true, CENTRE},
  };
  for (auto b : backgrounds) {
    TdxSkinElement* e = group->AddElement("Background");
    e->SetColor(b.color);
    e->SetAlpha(b.alpha);
    if (b.opaqueImage) skintest::SetTexture(e->Image(), 1, 1, {0xFF000000u | CENTRE});
    Target t(10, 10);
    e->DrawOnDC(t.dc(), {0, 0, 10, 10}, 0, esNormal);
    const std::uint32_t got = t.at(5, 5);
    for (int shift : {0, 8, 16})
      EXPECT_NEAR(static_cast<int>((got >> shift) & 0xFF), static_cast<int>((b.centre >> shift) & 0xFF), 1)
          << std::hex << b.color << " alpha " << std::dec << int(b.alpha);
  }

  TdxSkinElement* framed = group->AddElement("Framed");
  framed->Borders()->Left()->SetColor(0x0000FF);
  framed->Borders()->Left()->SetThin(2);
  framed->Borders()->Top()->SetColor(0x00FF00);
  framed->Borders()->Bottom()->SetColor(0xFF0000);
  framed->ContentOffset()->AssignRect({4, 4, 4, 4});
  skintest::SetTexture(framed->Glyph(), 1, 1, {0xFF000000u | CLASH});
  Target t(40, 20);
  framed->DrawOnDC(t.dc(), {0, 0, 40, 20}, 0, esNormal);
  EXPECT_EQ(t.at(0, 0), 0x00FF00u) << "the top strip goes over the corner";
  EXPECT_EQ(t.at(1, 19), 0x0000FFu) << "so does the bottom one";
  EXPECT_EQ(t.at(1, 10), 0xFF0000u);
  EXPECT_EQ(t.at(2, 10), WHITE);
  EXPECT_EQ(t.at(4, 4), CLASH);
  EXPECT_EQ(t.at(35, 15), CLASH);
  EXPECT_EQ(t.at(3, 4), WHITE);
  EXPECT_EQ(t.at(36, 15), WHITE);
  EXPECT_EQ(t.at(35, 16), WHITE);
  // A target smaller than the offsets leaves the glyph out instead of drawing it inverted.
  Target tiny(6, 6);
  framed->DrawOnDC(tiny.dc(), {0, 0, 6, 6}, 0, esNormal);
  EXPECT_EQ(tiny.at(3, 3), WHITE);

  // Gradient-only images: each mode runs from the first colour to the second.
  TdxSkinElement* g = group->AddElement("Gradient");
  g->Image()->SetGradientBeginColor(0x000000);
  g->Image()->SetGradientEndColor(0xFFFFFF);
  struct {
    TdxSkinGradientMode mode;
    int darkX, darkY, lightX, lightY;
  } modes[] = {{gmHorizontal, 0, 10, 39, 10},
               {gmVertical, 20, 0, 20, 39},
               {gmForwardDiagonal, 0, 0, 39, 39},
               {gmBackwardDiagonal, 39, 0, 0, 39}};
  Target strip(4 * 44, 40);
  int x0 = 0;
  for (auto m : modes) {
    g->Image()->SetGradient(m.mode);
    Target s(40, 40);
    g->DrawOnDC(s.dc(), {0, 0, 40, 40}, 0, esNormal);
    g->DrawOnDC(strip.dc(), {x0, 0, x0 + 40, 40}, 0, esNormal);
    x0 += 44;
    EXPECT_LT(s.at(m.darkX, m.darkY) & 0xFF, 40u) << m.mode;
    EXPECT_GT(s.at(m.lightX, m.lightY) & 0xFF, 215u) << m.mode;
  }
  strip.save("skins-gradients.png");
  g->Image()->SetGradientEndColor(clDefault);
  Target solid(10, 10);
  g->DrawOnDC(solid.dc(), {0, 0, 10, 10}, 0, esNormal);
  EXPECT_EQ(solid.at(9, 9), 0u) << "a second colour clDefault fills solid";
}

TEST_F(SkinTest, CachesRenderOnceAndTheListDropsTheOldest) {
  TdxSkin skin("Cache");
  TdxSkinElement* e = skin.AddGroup("Common")->AddElement("Track");
  skintest::SetTexture(e->Image(), 1, 1, {0xFF0000FF});
  e->SetUseCache(true);
  Target t(160, 20);
  e->DrawOnDC(t.dc(), {0, 0, 50, 20}, 0, esNormal);
  skintest::SetTexture(e->Image(), 1, 1, {0xFFFF0000});
  e->DrawOnDC(t.dc(), {100, 0, 150, 20}, 0, esNormal);
  EXPECT_EQ(t.at(120, 10), 0x0000FFu) << "the cache still holds the old picture";
  EXPECT_EQ(e->Cache()->RenderCount(), 1);
  e->Cache()->Invalidate();
  e->DrawOnDC(t.dc(), {100, 0, 150, 20}, 0, esNormal);
  EXPECT_EQ(t.at(120, 10), 0xFF0000u);
  EXPECT_EQ(e->Cache()->RenderCount(), 2);

  // Renderings with alpha are drawn over what is there.
  TdxSkinElement* glass = skin.GroupByName("Common")->AddElement("Glass");
  skintest::SetTexture(glass->Image(), 1, 1, {0x80000000});
  glass->SetUseCache(true);
  Target over(10, 10);
  glass->DrawOnDC(over.dc(), {0, 0, 10, 10}, 0, esNormal);
  EXPECT_NEAR(static_cast<int>(over.at(5, 5) & 0xFF), 127, 1);

  TdxSkinElementCacheList list;
  e->SetUseCache(false);
  for (int i = 0; i < 9; ++i) list.DrawElement(t.dc(), e, {i, 0, i + 10, 10}, esNormal, 0);
  EXPECT_EQ(list.Count(), 8);
  EXPECT_EQ(list.CacheAt(0)->CachedRect().left, 1) << "the first pair went first";
  list.DrawElement(t.dc(), e, {8, 0, 18, 10}, esNormal, 0);
  EXPECT_EQ(list.Count(), 8) << "a known pair is found again";
}

}  // namespace
