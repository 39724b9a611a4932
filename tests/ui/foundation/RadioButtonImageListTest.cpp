#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/win/Metrics.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/OfficePainters.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/foundation/RadioButtonImageList.h"
#include "ui/foundation/StandardPainters.h"

namespace {

using namespace win;
using surfacetest::Surface;

class RadioButtonImageListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(320, 240));
    InitializeForms();
    PaintingUnitsStartup();
  }
  void TearDown() override {
    PaintingUnitsShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  // The glyph drawn alone on a red square.
  static std::unique_ptr<Surface> Glyph(TcxLookAndFeelKind Kind, TcxButtonState State, bool Checked, bool Focused,
                                        TColor BackColor = clDefault, bool IsDesigning = false) {
    auto s = std::make_unique<Surface>(13, 13, clRed);
    RadioButtonImages()->Draw(s->Canvas(), 0, 0, BackColor, Kind, State, Checked, Focused, IsDesigning);
    return s;
  }
};

std::string PatternText() {
  TcxRadioButtonImageList* images = RadioButtonImages();
  std::string text;
  for (int i = 0; i < images->Size().cy; ++i) {
    for (int j = 0; j < images->Size().cx; ++j) text += static_cast<char>('0' + images->PatternAt(i, j));
    text += '\n';
  }
  return text;
}

TEST_F(RadioButtonImageListTest, ThePatternIsMeasuredOnThePlatformsRadioButton) {
  // Outer ring 1 and 2, inner ring 3 and 4 (each split at the rising diagonal), body 5, dot 6.
  EXPECT_EQ(PatternText(),
            "0000111110000\n"
            "0011333331100\n"
            "0133555553420\n"
            "0135555555420\n"
            "1355666655542\n"
            "1355666655542\n"
            "1355666655542\n"
            "1355666655542\n"
            "1355555555542\n"
            "0135555555420\n"
            "0134555554420\n"
            "0022444442200\n"
            "0000222220000\n");
  EXPECT_EQ(CustomLookAndFeelPainter()->RadioButtonGlyphSize(), TSize(13, 13));
}

TEST_F(RadioButtonImageListTest, EveryKeyHasItsOwnImage) {
  TcxRadioButtonImageList* images = RadioButtonImages();
  EXPECT_EQ(images->ImageList()->Count(), 128);
  std::set<int> indexes;
  for (int key = 0; key < 128; ++key) indexes.insert(images->ImageIndexOf(key));
  EXPECT_EQ(indexes.size(), 128u);
  EXPECT_EQ(*indexes.begin(), 0);
  EXPECT_EQ(images->ImageIndexOf(128), -1);
  // Focused and designing sit in the outermost loops, the state innermost.
  EXPECT_EQ(images->ImageIndexOf(1 + 4 + 8 * lfUltraFlat + 32), 32 + 8 * lfUltraFlat + 4 + 1);
}

TEST_F(RadioButtonImageListTest, Colours) {
  const COLORREF shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clHighlight);
  // Focus lights the ultra-flat ring and leaves the standard one as it is.
  EXPECT_EQ(Glyph(lfUltraFlat, cxbsNormal, false, false)->At(5, 0), shadow);
  EXPECT_EQ(Glyph(lfUltraFlat, cxbsNormal, false, true)->At(5, 0), highlight);
  EXPECT_EQ(Glyph(lfUltraFlat, cxbsHot, false, false)->At(5, 0), highlight);
  EXPECT_EQ(Glyph(lfUltraFlat, cxbsHot, false, false)->At(6, 2), ColorToRGB(HotTrackMixColor()));
  EXPECT_EQ(Glyph(lfStandard, cxbsNormal, false, false)->At(5, 0), shadow);
  EXPECT_EQ(Glyph(lfStandard, cxbsNormal, false, true)->Mask(clBtnShadow),
            Glyph(lfStandard, cxbsNormal, false, false)->Mask(clBtnShadow));
  // Standard: the two rings in their four colours.
  auto standard = Glyph(lfStandard, cxbsNormal, true, false);
  EXPECT_EQ(standard->At(5, 0), shadow);
  EXPECT_EQ(standard->At(5, 12), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(standard->At(5, 1), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(standard->At(5, 11), ColorToRGB(cl3DLight));
  EXPECT_EQ(standard->At(6, 6), ColorToRGB(clWindowText));
  EXPECT_EQ(standard->At(6, 3), ColorToRGB(clWindow));
  // A disabled checked standard glyph: a shadow dot on the button face.
  auto disabled = Glyph(lfStandard, cxbsDisabled, true, false);
  EXPECT_EQ(disabled->At(6, 6), shadow);
  EXPECT_EQ(disabled->At(6, 3), ColorToRGB(clBtnFace));
  // Unchecked, the dot takes the body colour.
  EXPECT_EQ(Glyph(lfFlat, cxbsPressed, false, false)->At(6, 6), ColorToRGB(clBtnFace));
  // Office 2003: the body of a state other than normal is the painter's button face.
  EXPECT_EQ(Glyph(lfOffice11, cxbsHot, false, false)->At(6, 6),
            ColorToRGB(Office11LookAndFeelPainter()->ButtonFaceColor(cxbsHot)));
  EXPECT_EQ(Glyph(lfOffice11, cxbsNormal, false, false)->At(5, 0), ColorToRGB(clBtnText));
}

TEST_F(RadioButtonImageListTest, TheBackColourDecidesAboutTheCorners) {
  EXPECT_EQ(Glyph(lfStandard, cxbsNormal, false, false)->At(0, 0), ColorToRGB(clRed));
  auto opaque = Glyph(lfStandard, cxbsNormal, false, false, clLime);
  EXPECT_EQ(opaque->At(0, 0), ColorToRGB(clLime));
  EXPECT_EQ(opaque->At(12, 12), ColorToRGB(clLime));
  EXPECT_EQ(opaque->At(6, 6), ColorToRGB(clWindow));
  // A stray default state draws as normal.
  EXPECT_EQ(Glyph(lfUltraFlat, cxbsDefault, true, false)->Mask(clWindowText),
            Glyph(lfUltraFlat, cxbsNormal, true, false)->Mask(clWindowText));
}

TEST_F(RadioButtonImageListTest, PaintersDrawTheGlyphOfTheirKind) {
  const std::pair<const TcxCustomLookAndFeelPainter*, TcxLookAndFeelKind> cases[] = {
      {FlatLookAndFeelPainter(), lfFlat},
      {StandardLookAndFeelPainter(), lfStandard},
      {UltraFlatLookAndFeelPainter(), lfUltraFlat},
      {Office11LookAndFeelPainter(), lfOffice11}};
  for (auto [painter, kind] : cases) {
    Surface s(20, 20, clRed);
    TcxCanvas canvas(s.Canvas());
    painter->DrawRadioButton(&canvas, 3, 4, cxbsHot, true, false, clDefault, false);
    Surface expected(20, 20, clRed);
    RadioButtonImages()->Draw(expected.Canvas(), 3, 4, clDefault, kind, cxbsHot, true, false, false);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) ASSERT_EQ(s.At(x, y), expected.At(x, y)) << kind << " at " << x << "," << y;
  }
}

TEST_F(RadioButtonImageListTest, ASystemColourChangeRendersTheImagesBeforeAnyLookAndFeelHearsOfIt) {
  TcxLookAndFeel lf(nullptr);
  const TSize size = RadioButtonImages()->Size();
  const INT element = COLOR_WINDOWTEXT;
  const COLORREF old = GetSysColor(COLOR_WINDOWTEXT), blue = RGB(0, 0, 200);
  COLORREF seen = 0;
  int notices = 0;
  lf.OnChanged = [&](TcxLookAndFeel*, TcxLookAndFeelValues Values) {
    EXPECT_EQ(Values, TcxLookAndFeelValues{lfvNativeStyle});
    if (notices++ == 0) seen = Glyph(lfStandard, cxbsNormal, true, false)->At(6, 6);
  };
  ASSERT_TRUE(SetSysColors(1, &element, &blue));
  SetSysColors(1, &element, &old);
  EXPECT_GE(notices, 1);
  EXPECT_EQ(seen, blue);
  EXPECT_EQ(RadioButtonImages()->Size(), size);
  EXPECT_EQ(RadioButtonImages()->ImageList()->Count(), 128);
}

TEST_F(RadioButtonImageListTest, Gallery) {
  // Every glyph, four times its size: rows by kind and focus, columns by design mode, check and state.
  const int scale = 4, cell = 16;
  Surface sheet(cell * 16 * scale, cell * 8 * scale, clBtnFace);
  Surface small(cell * 16, cell * 8, clBtnFace);
  for (int focused = 0; focused < 2; ++focused)
    for (int kind = 0; kind < 4; ++kind)
      for (int designing = 0; designing < 2; ++designing)
        for (int checked = 0; checked < 2; ++checked)
          for (int state = cxbsNormal; state <= cxbsDisabled; ++state)
            RadioButtonImages()->Draw(small.Canvas(), (designing * 8 + checked * 4 + state - 1) * cell + 1,
                                      (focused * 4 + kind) * cell + 1, clDefault,
                                      static_cast<TcxLookAndFeelKind>(kind), static_cast<TcxButtonState>(state),
                                      checked, focused, designing);
  for (int y = 0; y < sheet.Height; ++y)
    for (int x = 0; x < sheet.Width; ++x) sheet.Raw(x, y) = small.Raw(x / scale, y / scale);
  sheet.Save("painters/radio-glyphs.png");
}

}  // namespace
