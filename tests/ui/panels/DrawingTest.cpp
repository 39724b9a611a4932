// The framed controls' drawing kit: colour arithmetic, the colour scheme and frames on pixels.
#include <gtest/gtest.h>

#include "platform/classes/Registry.h"
#include "tests/ui/panels/PanelsFixture.h"
#include "ui/panels/Drawing.h"

namespace panelstest {
namespace {

using namespace rz;
using win::RECT;
using win::RGB;

TColor C(int r, int g, int b) { return static_cast<TColor>(RGB(r, g, b)); }

struct Hsl {
  int h, s, l;
  bool operator==(const Hsl&) const = default;
};
Hsl ToHsl(TColor c) {
  std::uint8_t h, s, l;
  ColorToHslBytes(c, h, s, l);
  return {h, s, l};
}

TEST(ColorArithmetic, HslScaleAndItsRounding) {
  for (int g : {0, 1, 100, 128, 200, 255}) {
    Hsl v = ToHsl(C(g, g, g));
    EXPECT_EQ(v.h, 0) << g;
    EXPECT_EQ(v.s, 0) << g;
  }
  EXPECT_EQ(ToHsl(clRed), (Hsl{0, 240, 120}));
  EXPECT_EQ(HslBytesToColor(0, 240, 120), clRed);
  // Hue is divided by 239: 239 lands in sextant 6, which draws as sextant 0.
  EXPECT_EQ(HslBytesToColor(239, 240, 120), clRed);
  EXPECT_EQ(ToHsl(clBlue), (Hsl{160, 240, 120}));
  EXPECT_EQ(HslBytesToColor(160, 240, 120), C(4, 0, 255));
  // 8.5 and 42.5 round to the even neighbour.
  EXPECT_EQ(HslBytesToColor(0, 0, 8), C(8, 8, 8));
  EXPECT_EQ(HslBytesToColor(0, 0, 40), C(42, 42, 42));
  // A saturation above the scale would give a negative channel; it stays in its byte.
  TColor over = HslBytesToColor(0, 255, 200);
  EXPECT_EQ(over & 0xFF000000, 0);
}

TEST(ColorArithmetic, LightenDarkenMixAndOpposite) {
  const struct {
    const char* what;
    TColor got, want;
  } cases[] = {
      {"shadow lightened 30", LightenColor(clBtnShadow, 30), C(159, 159, 159)},
      {"face darkened 10", DarkenColor(clBtnFace, 10), C(203, 198, 188)},
      {"face darkened 20", DarkenColor(clBtnFace, 20), C(193, 188, 176)},
      {"face darkened 40", DarkenColor(clBtnFace, 40), C(175, 168, 153)},
      {"red lightened 100", LightenColor(clRed, 100), C(255, 212, 212)},
      {"red lightened 40", LightenColor(clRed, 40), C(255, 85, 85)},
      {"red darkened 100", DarkenColor(clRed, 100), C(42, 0, 0)},
      {"red darkened 50", DarkenColor(clRed, 50), C(149, 0, 0)},
      {"lime lightened 100", LightenColor(clLime, 100), C(212, 255, 213)},
      {"white lightened 1", LightenColor(clWhite, 1), clWhite},
      {"black darkened 50", DarkenColor(clBlack, 50), clBlack},
      {"mid grey lightened 255", LightenColor(C(128, 128, 128), 255), clWhite},
      {"mix", MixColors(clWhite, C(240, 155, 20), 190), C(251, 230, 195)},
      {"mix weight 255", MixColors(clRed, clBlue, 255), clRed},
      {"mix weight 0", MixColors(clRed, clBlue, 0), clBlue},
      {"opposite hue", OppositeHueColor(C(240, 155, 20), 180), C(128, 173, 255)},
      {"shift 0 keeps a system colour", ShiftColorLuminance(clBtnFace, 0), clBtnFace},
      {"shift up", ShiftColorLuminance(clBtnShadow, 30), C(159, 159, 159)},
      {"shift down", ShiftColorLuminance(clRed, -50), C(149, 0, 0)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
  EXPECT_TRUE(ColorsAlmostEqual(clGray, clGrayText));
  EXPECT_TRUE(ColorsAlmostEqual(C(150, 150, 150), clGrayText));  // saturation does not count
  EXPECT_FALSE(ColorsAlmostEqual(clSilver, clGrayText));         // luminances 61 apart
  EXPECT_FALSE(ColorsAlmostEqual(clBtnFace, clGrayText));        // hues 27 apart
  EXPECT_FALSE(ColorsAlmostEqual(clRed, clLime));
  EXPECT_FALSE(ColorsAlmostEqual(clWhite, clBlack));
}

TEST(TextHelpers, StripAcceleratorsKeepsTheLastCharacter) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""}, {"a&", "a&"}, {"&&", "&&"}, {"&&a", "&a"}, {"&File", "File"}, {"a&&b", "a&b"}, {"x", "x"}};
  for (auto [in, out] : cases) EXPECT_EQ(StripAccelerators(in), out) << in;
}

TEST(TextHelpers, WindowsLevels) {
  // The platform reports NT 6.1.
  for (int level = 0; level <= 8; ++level) EXPECT_EQ(RunsOnWindowsLevel(level), level != 2) << level;
  EXPECT_FALSE(RunsOnWindowsLevel(9));
}

class DrawingTest : public PanelsTest {};

TEST_F(DrawingTest, ColourSchemeFromTheRegistry) {
  EXPECT_EQ(ReadXpColorScheme(), xsNormalColor);
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", true));
    reg.WriteString("ColorName", "Metallic");
  }
  EXPECT_EQ(ReadXpColorScheme(), xsMetallic);
  {
    TRegistry reg;
    reg.OpenKey("\\Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", false);
    reg.WriteString("ColorName", "homeSTEAD");
  }
  EXPECT_EQ(ReadXpColorScheme(), xsHomestead);
  EXPECT_TRUE(ScreenHasFullColor());
  EXPECT_TRUE(FullColorDisplay);
}

TEST_F(DrawingTest, SchemeLookupsFollowVisualStyles) {
  TColor start, stop, medium, light, frame;
  for (TRzGradientColorStyle style : {gcsSystem, gcsMSOffice, gcsCustom}) {
    SchemeGradientColors(style, start, stop);
    EXPECT_EQ(start, clWindow);
    EXPECT_EQ(stop, DarkenColor(clBtnFace, 10));
    EXPECT_EQ(SchemeFrameColor(style), C(159, 159, 159));
    SchemeBarColors(style, medium, light, frame);
    EXPECT_EQ(medium, C(193, 188, 176));
    EXPECT_EQ(light, clWindow);
    EXPECT_EQ(frame, C(175, 168, 153));
  }
  themes.Install();
  XpColorScheme = xsMetallic;
  SchemeGradientColors(gcsMSOffice, start, stop);
  EXPECT_EQ(start, C(249, 249, 255));
  EXPECT_EQ(stop, C(189, 188, 208));
  EXPECT_EQ(SchemeFrameColor(gcsMSOffice), C(159, 159, 177));
  SchemeBarColors(gcsMSOffice, medium, light, frame);
  EXPECT_EQ(frame, medium);
  EXPECT_EQ(SchemeFrameColor(gcsSystem), C(159, 159, 159));
  XpColorScheme = xsNormalColor;
}

// ---- frames on pixels ---------------------------------------------------------------------------------

const std::vector<std::pair<char, Rgb>> kLegend = {
    {'.', RGB(255, 0, 255)}, {'H', RGB(255, 255, 255)}, {'S', RGB(128, 128, 128)}, {'D', RGB(64, 64, 64)},
    {'F', RGB(212, 208, 200)}, {'T', RGB(0, 0, 0)}};

std::vector<std::string> Rows(const char* top, const char* second, const char* middle, const char* sixth,
                              const char* bottom) {
  return {top, second, middle, middle, middle, middle, sixth, bottom};
}

TEST_F(DrawingTest, EveryFrameStyleAgainstItsMask) {
  const struct {
    TFrameStyle style;
    int inset;
    std::vector<std::string> mask;
  } cases[] = {
      {fsNone, 0, Rows("..........", "..........", "..........", "..........", "..........")},
      {fsFlat, 1, Rows("DDDDDDDDDD", "D........D", "D........D", "D........D", "DDDDDDDDDD")},
      {fsGroove, 2, Rows("SSSSSSSSSH", "SHHHHHHHSH", "SH......SH", "SSSSSSSSSH", "HHHHHHHHHH")},
      {fsBump, 2, Rows("HHHHHHHHHS", "HSSSSSSSHS", "HS......HS", "HHHHHHHHHS", "SSSSSSSSSS")},
      {fsLowered, 2, Rows("SSSSSSSSSH", "SDDDDDDDFH", "SD......FH", "SFFFFFFFFH", "HHHHHHHHHH")},
      {fsButtonDown, 2, Rows("TTTTTTTTTT", "TSSSSSSSST", "TS......ST", "TSSSSSSSST", "TTTTTTTTTT")},
      {fsRaised, 2, Rows("FFFFFFFFFD", "FHHHHHHHSD", "FH......SD", "FSSSSSSSSD", "DDDDDDDDDD")},
      {fsButtonUp, 2, Rows("HHHHHHHHHD", "HFFFFFFFSD", "HF......SD", "HSSSSSSSSD", "DDDDDDDDDD")},
      {fsStatus, 1, Rows("SSSSSSSSSH", "S........H", "S........H", "S........H", "HHHHHHHHHH")},
      {fsPopup, 1, Rows("HHHHHHHHHS", "H........S", "H........S", "H........S", "SSSSSSSSSS")},
      {fsFlatBold, 2, Rows("SSSSSSSSSS", "SSSSSSSSSS", "SS......SS", "SSSSSSSSSS", "SSSSSSSSSS")},
  };
  for (const auto& c : cases) {
    Surface s(10, 8);
    RECT inner;
    PaintFrameStyleAll(s.Canvas(), RECT{0, 0, 10, 8}, c.style, inner);
    EXPECT_EQ(s.Mask(kLegend), c.mask) << TypeInfo<TFrameStyleEx>()->Name(c.style);
    EXPECT_EQ(inner.left, c.inset);
    EXPECT_EQ(inner.top, c.inset);
    EXPECT_EQ(inner.right, 10 - c.inset);
    EXPECT_EQ(inner.bottom, 8 - c.inset);
  }
}

TEST_F(DrawingTest, GrooveOnTheTopSideAlone) {
  Surface s(10, 8);
  RECT inner;
  PaintFrameStyle(s.Canvas(), RECT{0, 0, 10, 8}, fsGroove, TSides{sdTop}, inner);
  EXPECT_EQ(s.Mask(kLegend), (std::vector<std::string>{"SSSSSSSSSS", "HHHHHHHHHH", "..........", "..........",
                                                        "..........", "..........", "..........", ".........."}));
  // The top line runs to Right - 2 with the corner pixel set apart, the second from Left + 1 with
  // its own corner: the same colours the lines have, so each row reads as one.
  EXPECT_EQ(s.At(9, 0), RGB(128, 128, 128));
  EXPECT_EQ(s.At(0, 1), RGB(255, 255, 255));
  EXPECT_EQ(inner.left, 0);
  EXPECT_EQ(inner.top, 2);
  EXPECT_EQ(inner.right, 10);
  EXPECT_EQ(inner.bottom, 8);
}

TEST_F(DrawingTest, EdgeLinesWithoutSidesOrColours) {
  Surface s(10, 8);
  RECT inner;
  PaintEdgeLines(s.Canvas(), RECT{0, 0, 10, 8}, clRed, clBlue, TSides{}, inner);
  EXPECT_EQ(s.At(0, 0), RGB(255, 0, 255));
  EXPECT_EQ(inner.right - inner.left, 10);
  // clNone draws nothing but the frame still takes its place.
  PaintEdgeLines(s.Canvas(), RECT{0, 0, 10, 8}, clNone, clBlue, sdAllSides, inner);
  EXPECT_EQ(s.At(0, 3), RGB(255, 0, 255));
  EXPECT_EQ(s.At(5, 0), RGB(255, 0, 255));
  EXPECT_EQ(s.At(9, 3), RGB(0, 0, 255));
  EXPECT_EQ(s.At(9, 0), RGB(0, 0, 255));  // the lower-right lines own the top-right corner
  EXPECT_EQ(inner.left, 1);
  EXPECT_EQ(inner.bottom, 7);
  PaintBevelLines(s.Canvas(), RECT{0, 0, 10, 8}, clRed, clRed, 0, sdAllSides, inner);
  EXPECT_EQ(inner.left, 0);
}

TEST_F(DrawingTest, RoundedFlatFrameAndDottedFocusFrame) {
  Surface s(10, 8);
  RECT inner;
  PaintRoundedFlatFrame(s.Canvas(), RECT{0, 0, 10, 8}, clBlack, sdAllSides, inner);
  EXPECT_EQ(s.Mask(kLegend), (std::vector<std::string>{"..TTTTTT..", ".T......T.", "T........T", "T........T",
                                                        "T........T", "T........T", ".T......T.", "..TTTTTT.."}));
  EXPECT_EQ(inner.left, 2);
  EXPECT_EQ(inner.bottom, 6);
  Surface d(7, 6);
  PaintDottedFocusFrame(d.Canvas(), RECT{0, 0, 7, 6}, inner);
  EXPECT_EQ(d.Mask(kLegend), (std::vector<std::string>{".T.T.T.", "T.....T", ".......", "T.....T", ".......",
                                                        "TT.T.TT"}));
  EXPECT_EQ(inner.left, 1);
  EXPECT_EQ(inner.right, 6);
}

TEST_F(DrawingTest, OuterAndInnerFramesAsTheConsolesUseThem) {
  const TColor parent = C(0, 128, 0), face = C(200, 0, 0), border = C(0, 0, 200);
  const struct {
    const char* what;
    TFrameStyleEx outer, inner;
    int borderWidth, bevel;
    int inset;
  } cases[] = {
      {"popup bevel 1", fsPopup, fsNone, 0, 1, 1},   {"popup bevel 2", fsPopup, fsNone, 0, 2, 2},
      {"lowered", fsLowered, fsNone, 0, 1, 2},       {"none", fsNone, fsNone, 0, 1, 0},
      {"button down", fsButtonDown, fsNone, 0, 1, 2}, {"rounded", fsFlatRounded, fsNone, 0, 1, 2},
      {"rounded, border 2", fsFlatRounded, fsNone, 2, 1, 4}, {"flat and flat", fsFlat, fsFlat, 1, 1, 3},
  };
  for (const auto& c : cases) {
    Surface s(20, 12);
    RECT inner;
    PaintOuterInnerFrames(s.Canvas(), RECT{0, 0, 20, 12}, c.outer, c.inner, c.borderWidth, sdAllSides, c.bevel,
                          border, clBtnHighlight, clBtnShadow, clBtnShadow, 30, face, parent, false, false, inner);
    EXPECT_EQ(inner.left, c.inset) << c.what;
    EXPECT_EQ(inner.top, c.inset) << c.what;
    EXPECT_EQ(inner.right, 20 - c.inset) << c.what;
    EXPECT_EQ(inner.bottom, 12 - c.inset) << c.what;
    if (c.outer == fsPopup) {
      EXPECT_EQ(s.At(0, 5), RGB(255, 255, 255)) << c.what;
      EXPECT_EQ(s.At(19, 5), RGB(128, 128, 128)) << c.what;
    }
    if (c.outer == fsButtonDown) {
      // The system's button-down edge; the border colours play no part.
      EXPECT_EQ(s.At(0, 5), RGB(0, 0, 0));
      EXPECT_EQ(s.At(1, 5), RGB(128, 128, 128));
      EXPECT_EQ(s.At(18, 5), RGB(128, 128, 128));
    }
    if (c.outer == fsFlatRounded) {
      const Rgb flat = RGB(159, 159, 159);
      EXPECT_EQ(s.At(0, 0), ColorToRGB(parent)) << c.what;
      EXPECT_EQ(s.At(19, 11), ColorToRGB(parent)) << c.what;
      EXPECT_EQ(s.At(1, 1), flat) << c.what;
      EXPECT_EQ(s.At(0, 5), flat) << c.what;
      EXPECT_EQ(s.At(5, 11), flat) << c.what;
      // The second ring shows the panel's colour, or the border colour when a band follows.
      EXPECT_EQ(s.At(1, 5), ColorToRGB(c.borderWidth ? border : face)) << c.what;
      if (c.borderWidth) {
        EXPECT_EQ(s.At(3, 5), ColorToRGB(border)) << c.what;
      }
    }
  }
}

TEST_F(DrawingTest, CutCornersOnTheInnerFlatFrame) {
  Surface s(10, 8);
  RECT inner;
  PaintOuterInnerFrames(s.Canvas(), RECT{0, 0, 10, 8}, fsNone, fsFlat, 0, TSides{sdTop}, 1, clBtnFace,
                        clBtnHighlight, clBtnShadow, clBlack, 0, clBtnFace, clBtnFace, false, true, inner);
  // Four lines on every side whatever the sides, corners left out.
  EXPECT_EQ(s.Mask(kLegend), (std::vector<std::string>{".TTTTTTTT.", "T........T", "T........T", "T........T",
                                                        "T........T", "T........T", "T........T", ".TTTTTTTT."}));
  EXPECT_EQ(inner.left, 1);
  EXPECT_EQ(inner.bottom, 7);
}

TEST_F(DrawingTest, ColourFramesDeriveFromTheFace) {
  Surface s(10, 8);
  RECT inner;
  PaintColorButtonEdgeAll(s.Canvas(), RECT{0, 0, 10, 8}, clRed, false, inner);
  EXPECT_EQ(s.At(0, 3), RGB(255, 212, 212));
  EXPECT_EQ(s.At(9, 3), RGB(42, 0, 0));
  EXPECT_EQ(s.At(1, 3), RGB(255, 85, 85));
  EXPECT_EQ(s.At(8, 3), RGB(149, 0, 0));
  PaintColorButtonEdgeAll(s.Canvas(), RECT{0, 0, 10, 8}, clRed, true, inner);
  EXPECT_EQ(s.At(0, 3), RGB(42, 0, 0));
  EXPECT_EQ(s.At(1, 3), RGB(149, 0, 0));
  EXPECT_EQ(s.At(8, 3), RGB(149, 0, 0));
  // Styles beyond fsFlatBold draw as a bump.
  Surface a(10, 8), b(10, 8);
  PaintColorFrameStyleAll(a.Canvas(), RECT{0, 0, 10, 8}, clRed, fsFlatRounded, inner);
  PaintColorFrameStyleAll(b.Canvas(), RECT{0, 0, 10, 8}, clRed, fsBump, inner);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(a.At(x, y), b.At(x, y)) << x << "," << y;
  EXPECT_EQ(inner.left, 2);
}

TEST_F(DrawingTest, GradientRingKeepsTheCallersClip) {
  Surface s(40, 20);
  win::IntersectClipRect(s.DC(), 0, 0, 30, 20);
  PaintGradientRing(s.Canvas(), RECT{0, 0, 40, 20}, gdHorizontalEnd, clBlack, clWhite);
  EXPECT_NE(s.At(0, 10), RGB(255, 0, 255));
  EXPECT_EQ(s.At(10, 10), RGB(255, 0, 255));  // inside the ring
  EXPECT_EQ(s.At(39, 10), RGB(255, 0, 255));  // outside the caller's clip
  s.Canvas()->Brush()->SetColor(clRed);
  s.Canvas()->FillRect(RECT{0, 0, 40, 20});
  EXPECT_EQ(s.At(10, 10), RGB(255, 0, 0));
  EXPECT_EQ(s.At(35, 10), RGB(255, 0, 255));
}

TEST_F(DrawingTest, AngledFontAndTextOnCanvas) {
  TFont font;
  font.SetName("DejaVu Sans");
  font.SetHeight(-12);
  font.SetStyle(TFontStyles{fsBold});
  win::HFONT h = CreateAngledFont(&font, 90);
  ASSERT_NE(h, nullptr);
  win::LOGFONTA lf{};
  win::GetObject(h, sizeof(lf), &lf);
  EXPECT_EQ(lf.lfEscapement, 900);
  EXPECT_EQ(lf.lfWeight, 700);
  EXPECT_EQ(lf.lfHeight, -12);
  win::DeleteObject(h);
  Surface s(60, 30);
  RECT r{0, 0, 60, 30};
  EXPECT_GT(DrawTextOnCanvas(s.Canvas(), "Wg", r, win::DT_CALCRECT), 0);
}

}  // namespace
}  // namespace panelstest
