// Item images with and without the per-control cache, size grips, and the theme colours and parts
// the bar library draws with, with a theme library and without one.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/win/Metrics.h"
#include "tests/support/Artifacts.h"
#include "tests/support/FakeThemeLibrary.h"
#include "ui/bars/BarDrawing.h"
#include "ui/bars/BarRoutines.h"
#include "ui/foundation/GraphicsUnit.h"
#include "ui/foundation/ImageDrawing.h"
#include "ui/foundation/ThemeManager.h"

namespace {

using namespace win;
using testsupport::FakeThemeLibrary;

class BarDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(640, 480));
    InitializeForms();
    // Item images draw through the graphics unit's scratch bitmaps, which draw nothing once an
    // earlier test has shut the unit down.
    GraphicsUnitStartup();
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bitmap = CreateCompatibleBitmap(screen, 64, 64);
    ReleaseDC(nullptr, screen);
    old = SelectObject(dc, bitmap);
    Fill(RECT{0, 0, 64, 64}, RGB(255, 255, 255));
  }
  void TearDown() override {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    if (themed) {
      ThemeAccessShutdown();
      FakeThemeLibrary::Uninstall();
    }
    GraphicsUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  void Fill(RECT r, COLORREF color) {
    HBRUSH b = CreateSolidBrush(color);
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  // Vertical stripes, so that anything painted over them shows.
  void Stripes() {
    for (int x = 0; x < 64; ++x) Fill(RECT{x, 0, x + 1, 64}, x % 2 ? RGB(200, 30, 30) : RGB(30, 30, 200));
  }
  std::vector<COLORREF> Pixels(RECT r) {
    std::vector<COLORREF> p;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) p.push_back(GetPixel(dc, x, y));
    return p;
  }
  void StartThemed() {
    themed = true;
    FakeThemeLibrary::Install();
    for (const char* c : {"Window", "ScrollBar", "ToolBar", "Edit"}) FakeThemeLibrary::OpenableClasses().insert(c);
    FakeThemeLibrary::PartSizes()[{"WINDOW", WP_SMALLCLOSEBUTTON, 1, TS_TRUE}] = SIZE{13, 13};
    FakeThemeLibrary::PartSizes()[{"SCROLLBAR", SBP_SIZEBOX, 1, TS_TRUE}] = SIZE{8, 6};
    FakeThemeLibrary::CornerMarked().insert({"SCROLLBAR", SBP_SIZEBOX, 1});
    ThemeAccessStartup();
  }
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  bool themed = false;
};

// ---- theme helpers ------------------------------------------------------------------------------

TEST_F(BarDrawingTest, WithoutAThemeLibraryTheSystemColoursAnswer) {
  ThemeAccessStartup();
  EXPECT_EQ(ThemedToolbarColor(), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ThemedEditTextColor(nullptr, EditThemeState(false)), GetSysColor(COLOR_GRAYTEXT));
  EXPECT_EQ(ThemedEditTextColor(nullptr, EditThemeState(true)), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(ThemedEditFillColor(nullptr, 4), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(ThemedCloseButtonSize(), TSize(0, 0));
  EXPECT_EQ(ThemedSizeGripSize(), TSize(2, 2));
  ThemeAccessShutdown();
}

TEST_F(BarDrawingTest, ThemeColoursComeFromTheirParts) {
  StartThemed();
  FakeThemeLibrary::Colors()[{"TOOLBAR", 0, 0, TMT_FILLCOLOR}] = RGB(1, 2, 3);
  FakeThemeLibrary::Colors()[{"EDIT", 1, 4, TMT_FILLCOLOR}] = RGB(4, 5, 6);
  FakeThemeLibrary::Colors()[{"EDIT", 1, 1, TMT_FILLCOLOR}] = RGB(7, 8, 9);
  FakeThemeLibrary::Colors()[{"EDIT", 1, 4, TMT_TEXTCOLOR}] = RGB(10, 11, 12);
  EXPECT_EQ(ThemedToolbarColor(), RGB(1, 2, 3));
  HTHEME edit = AcquireThemeHandle(tciEdit);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(ThemedEditFillColor(edit, 4), RGB(4, 5, 6));
  EXPECT_EQ(ThemedEditFillColor(edit, 1), GetSysColor(COLOR_WINDOW)) << "only a disabled edit takes the theme's fill";
  EXPECT_EQ(ThemedEditTextColor(edit, 4), RGB(10, 11, 12));
  EXPECT_EQ(ThemedEditTextColor(edit, 1), GetSysColor(COLOR_WINDOWTEXT)) << "no text colour for the state";
}

TEST_F(BarDrawingTest, CloseButtonSitsAsFarFromItsSideAsFromTheTop) {
  StartThemed();
  EXPECT_EQ(ThemedCloseButtonSize(), TSize(13, 13));
  struct Case {
    int side;
    bool selected, pressed;
    RECT expected;
    int state;
  };
  const Case cases[] = {
      {1, false, false, {14, 14, 27, 27}, 1},
      {3, true, false, {14, 14, 27, 27}, 2},
      {0, true, true, {43, 14, 56, 27}, 3},
      {2, false, false, {43, 14, 56, 27}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.side);
    Fill(RECT{0, 0, 64, 64}, RGB(255, 255, 255));
    RECT r{10, 10, 60, 32};  // 22 high: 4 above and below the 13-pixel button
    DrawThemedCloseButton(dc, r, c.selected, c.side, c.pressed);
    EXPECT_EQ(r.left, c.expected.left);
    EXPECT_EQ(r.top, c.expected.top);
    EXPECT_EQ(r.right, c.expected.right);
    EXPECT_EQ(r.bottom, c.expected.bottom);
    EXPECT_EQ(GetPixel(dc, r.left, r.top), FakeThemeLibrary::ColorOf("Window", WP_SMALLCLOSEBUTTON, c.state));
    EXPECT_EQ(GetPixel(dc, r.left - 1, r.top), RGB(255, 255, 255));
  }
  // A button as high as the rectangle keeps no margin.
  RECT low{0, 0, 30, 10};
  DrawThemedCloseButton(dc, low, false, 1, false);
  EXPECT_EQ(low.left, 0);
  EXPECT_EQ(low.top, 0);
}

TEST_F(BarDrawingTest, ThemedGripsInTheFourCornersAreMirrorImages) {
  StartThemed();
  ASSERT_EQ(ThemedSizeGripSize(), TSize(10, 8));
  const COLORREF face = FakeThemeLibrary::ColorOf("ScrollBar", SBP_SIZEBOX, 1);
  // The fake marks the top-left pixel of what it draws; the grip faces the bottom-right corner,
  // so a mirrored copy moves the mark to the opposite side.
  struct Case {
    int corner;
    RECT grip;
    POINT mark;
  };
  const Case cases[] = {
      {3, {50, 52, 60, 60}, {50, 52}},
      {2, {4, 52, 14, 60}, {13, 52}},
      {1, {50, 4, 60, 12}, {50, 11}},
      {0, {4, 4, 14, 12}, {13, 11}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.corner);
    Stripes();
    RECT r{4, 4, 60, 60};
    DrawThemedSizeGrip(dc, r, c.corner);
    EXPECT_EQ(r.left, c.grip.left);
    EXPECT_EQ(r.top, c.grip.top);
    EXPECT_EQ(r.right, c.grip.right);
    EXPECT_EQ(r.bottom, c.grip.bottom);
    int marks = 0, faces = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        marks += GetPixel(dc, x, y) == RGB(0, 0, 0);
        faces += GetPixel(dc, x, y) == face;
      }
    EXPECT_EQ(marks, 1);
    EXPECT_EQ(faces, 10 * 8 - 1);
    EXPECT_EQ(GetPixel(dc, c.mark.x, c.mark.y), RGB(0, 0, 0));
  }
}

TEST_F(BarDrawingTest, TransparentSizeGripKeepsTheBackgroundUnderItsFace) {
  const RECT r{10, 10, 30, 30};
  // What the grip glyph alone looks like.
  HDC glyphDC = CreateCompatibleDC(dc);
  HBITMAP glyph = CreateCompatibleBitmap(dc, 20, 20);
  HGDIOBJ oldGlyph = SelectObject(glyphDC, glyph);
  RECT all{0, 0, 20, 20};
  DrawFrameControl(glyphDC, &all, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);

  Stripes();
  const std::vector<COLORREF> before = Pixels(r);
  DrawTransparentSizeGrip(dc, r);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  int kept = 0, drawn = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const COLORREF g = GetPixel(glyphDC, x, y);
      const COLORREF now = GetPixel(dc, r.left + x, r.top + y);
      if (g == face) {
        kept += now == before[static_cast<std::size_t>(y * 20 + x)];
      } else {
        drawn += now == g;
      }
    }
  int glyphPixels = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) glyphPixels += GetPixel(glyphDC, x, y) != face;
  EXPECT_GT(glyphPixels, 0);
  EXPECT_EQ(drawn, glyphPixels);
  EXPECT_EQ(kept, 400 - glyphPixels);
  SelectObject(glyphDC, oldGlyph);
  DeleteObject(glyph);
  DeleteDC(glyphDC);
}

// Every routine's pixels side by side, four times enlarged, to look at.
TEST_F(BarDrawingTest, GalleryOfTheSharedDrawing) {
  StartThemed();
  Stripes();  // under the grips, so their transparency shows
  Fill(RECT{0, 0, 64, 36}, GetSysColor(COLOR_BTNFACE));
  DrawBarArrowFitted(dc, RECT{0, 0, 16, 16}, adDown, clDefault, true, false);
  DrawBarArrowFitted(dc, RECT{16, 0, 36, 20}, adDown, clDefault, false, false);
  DrawBarArrowFitted(dc, RECT{36, 0, 52, 16}, adRight, clDefault, true, false);
  DrawBarArrowFitted(dc, RECT{48, 0, 64, 20}, adRight, clDefault, false, false);
  DrawDottedFocusFrame(dc, RECT{2, 22, 20, 34});
  HatchArea(dc, RECT{22, 22, 40, 34});
  RECT close{42, 20, 62, 36};
  DrawThemedCloseButton(dc, close, true, 1, false);
  DrawTransparentSizeGrip(dc, RECT{2, 40, 18, 56});
  for (int corner = 0; corner < 4; ++corner) {
    RECT r{22 + (corner % 2) * 20, 38 + (corner / 2) * 13, 42 + (corner % 2) * 20, 51 + (corner / 2) * 13};
    DrawThemedSizeGrip(dc, r, corner);
  }
  constexpr int zoom = 4;
  std::vector<std::uint32_t> pixels(64 * zoom * 64 * zoom);
  for (int y = 0; y < 64 * zoom; ++y)
    for (int x = 0; x < 64 * zoom; ++x) {
      const COLORREF c = GetPixel(dc, x / zoom, y / zoom);
      pixels[static_cast<std::size_t>(y * 64 * zoom + x)] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  EXPECT_TRUE(platform::WritePng(testsupport::ArtifactPath("bars-shared-drawing.png"), pixels.data(), 64 * zoom,
                                 64 * zoom, 64 * zoom));
}

// ---- item images --------------------------------------------------------------------------------

// A 16 x 16 glyph: a dark square on a magenta ground that the bottom-left pixel makes transparent.
std::unique_ptr<TBitmap> SquareGlyph(COLORREF ink) {
  auto glyph = std::make_unique<TBitmap>();
  glyph->SetWidth(16);
  glyph->SetHeight(16);
  HDC g = glyph->Canvas()->Handle();
  RECT all{0, 0, 16, 16}, square{4, 4, 12, 12};
  HBRUSH ground = CreateSolidBrush(RGB(255, 0, 255)), fill = CreateSolidBrush(ink);
  FillRect(g, &all, ground);
  FillRect(g, &square, fill);
  DeleteObject(ground);
  DeleteObject(fill);
  return glyph;
}

int g_hookCalls = 0;

TEST_F(BarDrawingTest, CachedItemImagesLookLikeDirectOnesAndSkipTheHookWhenDrawn) {
  std::unique_ptr<TBitmap> glyph = SquareGlyph(RGB(0, 80, 0));
  const TRect image(8, 8, 24, 24), dest(4, 4, 28, 28);
  const RECT area{4, 4, 28, 28};
  for (int mode : {0, 1, 4}) {
    SCOPED_TRACE(mode);
    Stripes();
    PaintItemImage(dc, image, dest, mode, glyph.get(), nullptr, -1, clNone, false, true, nullptr);
    const std::vector<COLORREF> direct = Pixels(area);
    Stripes();
    TdxCachedImageOptions cache;
    PaintItemImage(dc, image, dest, mode, glyph.get(), nullptr, -1, clNone, false, true, nullptr, &cache, true);
    EXPECT_TRUE(cache.Valid);
    EXPECT_EQ(Pixels(area), direct);
  }

  // The hook draws into the cache once; drawing the cached picture leaves it out.
  g_hookCalls = 0;
  cxDrawImageProc = [](TcxAlphaBitmap*, const TRect&, TBitmap*, TCustomImageList*, int, TcxImageDrawMode) {
    ++g_hookCalls;
    return false;
  };
  TdxCachedImageOptions cache;
  PaintItemImage(dc, image, dest, 0, glyph.get(), nullptr, -1, clNone, false, true, nullptr, &cache, true);
  PaintItemImage(dc, image, dest, 0, glyph.get(), nullptr, -1, clNone, false, true, nullptr, &cache, true);
  EXPECT_EQ(g_hookCalls, 1);
  EXPECT_TRUE(static_cast<bool>(cxDrawImageProc)) << "the hook is put back";

  // Another mode or glyph makes the picture again; shadowed images and switched-off caching
  // draw directly.
  std::unique_ptr<TBitmap> other = SquareGlyph(RGB(0, 0, 120));
  PaintItemImage(dc, image, dest, 4, glyph.get(), nullptr, -1, clNone, false, true, nullptr, &cache, true);
  EXPECT_EQ(g_hookCalls, 2);
  EXPECT_EQ(cache.DrawMode, 4);
  PaintItemImage(dc, image, dest, 4, other.get(), nullptr, -1, clNone, false, true, nullptr, &cache, true);
  EXPECT_EQ(g_hookCalls, 3);
  EXPECT_EQ(cache.GlyphBitmap, other.get());
  PaintItemImage(dc, image, dest, 5, other.get(), nullptr, -1, clNone, false, true, nullptr, &cache, true);
  PaintItemImage(dc, image, dest, 4, other.get(), nullptr, -1, clNone, false, true, nullptr, &cache, false);
  EXPECT_EQ(g_hookCalls, 5);
  EXPECT_EQ(cache.DrawMode, 4) << "the shadowed image was not cached";
  cxDrawImageProc = nullptr;

  // Enabled glyphs are drawn plainly, disabled ones not.
  Stripes();
  DrawGlyphEnabled(dc, image, glyph.get(), true);
  EXPECT_EQ(GetPixel(dc, 14, 14), RGB(0, 80, 0));
  EXPECT_NE(GetPixel(dc, 8, 8), RGB(255, 0, 255)) << "the ground is transparent";
  DrawGlyphEnabled(dc, image, glyph.get(), false);
  EXPECT_NE(GetPixel(dc, 14, 14), RGB(0, 80, 0));
}

}  // namespace
