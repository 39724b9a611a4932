#include <gtest/gtest.h>

#include <set>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Modules.h"
#include "platform/win/Hooks.h"
#include "platform/win/Messages.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/ThemeManager.h"

namespace {

using namespace win;
using surfacetest::Surface;
using testsupport::FakeThemeLibrary;

COLORREF Rgb(TColor C) { return ColorToRGB(C); }

class Office11ColorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(320, 240));
    InitializeForms();
    Application->Initialize();
  }
  void TearDown() override {
    while (Office11ColorsUseCount() > 0) RelinquishOffice11Colors();
    Office11ColorsShutdown();
    ThemeAccessShutdown();
    FakeThemeLibrary::Uninstall();
    platform::ResetSystemParameters();
    FinalizeForms();
    platform::ResetDisplay();
  }
  void Start(bool withGradientFill = false) {
    if (!withGradientFill) platform::HideModuleEntry("msimg32.dll", "GradientFill");
    ThemeAccessStartup();
    Office11ColorsStartup();
  }
  void StartThemed(const char* file, const char* colorName) {
    FakeThemeLibrary::Install();
    FakeThemeLibrary::OpenableClasses().insert("Button");
    FakeThemeLibrary::ThemeFile() = file;
    FakeThemeLibrary::ColorName() = colorName;
    Start();
  }
  static void SwitchTheme() {
    HWND receiver = ThemeChangedEventReceiver()->WindowHandle();
    SendMessage(receiver, WM_THEMECHANGED, 0, 0);
    SendMessage(receiver, WM_SYSCOLORCHANGE, 0, 0);
    RebuildOffice11Colors();
  }
};

TEST_F(Office11ColorsTest, SystemColoursWithoutATheme) {
  Start();
  AcquireOffice11Colors();
  EXPECT_EQ(CurrentOffice11ColorScheme(), ocsNone);
  EXPECT_FALSE(AreOffice11ColorsThemed());
  EXPECT_EQ(Office11KneePercent(), 75);
  EXPECT_EQ(Office11FaceColor, clBtnFace);
  EXPECT_EQ(Rgb(Office11LightFaceColor), RGB(246, 246, 244));
  EXPECT_EQ(Rgb(Office11GradientLightColor), RGB(246, 245, 243));
  EXPECT_EQ(Rgb(Office11GradientDarkColor), RGB(214, 210, 202));
  EXPECT_EQ(Rgb(Office11HotColor), RGB(183, 191, 212));
  // The copies of Office11Color49 see it computed, at the very first acquisition.
  EXPECT_EQ(Rgb(Office11Color49), RGB(136, 147, 177));
  EXPECT_EQ(Office11PressedColor, Office11Color49);
  EXPECT_EQ(Office11Color46, Office11Color49);
  EXPECT_EQ(Office11FilterPanelTextColor, clBtnHighlight);
  EXPECT_EQ(Office11GroupRowBackColor, clBtnFace);
  EXPECT_EQ(Office11ColorIndex("Office11PressedColor"), 44);
  EXPECT_STREQ(Office11ColorName(0), "Office11FaceColor");

  // Brushes and glyphs live while the table is held.
  ASSERT_NE(Office11GripDotBrush, nullptr);
  EXPECT_EQ(Office11MenuBrush, Office11WindowBrush);
  ASSERT_NE(Office11ExpandButtonMinusBitmap, nullptr);
  EXPECT_EQ(Office11ExpandButtonPlusBitmap->Width(), 11);
  EXPECT_EQ(Office11ExpandButtonPlusBitmap->Height(), 11);
  ASSERT_NE(Office11SubMenuExpandBitmap, nullptr);
  AcquireOffice11Colors();
  RelinquishOffice11Colors();
  EXPECT_NE(Office11GripDotBrush, nullptr);
  RelinquishOffice11Colors();
  EXPECT_EQ(Office11GripDotBrush, nullptr);
  EXPECT_EQ(Office11SubMenuExpandBitmap, nullptr);
}

TEST_F(Office11ColorsTest, ACopyFollowsItsSourceAfterAColourChange) {
  Start();
  // The scheme's colours outlive the test unless they are put back.
  const INT saved[] = {COLOR_HIGHLIGHT, COLOR_BTNFACE};
  const COLORREF values[] = {GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_BTNFACE)};
  struct Restore {
    const INT* e;
    const COLORREF* v;
    ~Restore() { SetSysColors(2, e, v); }
  } restore{saved, values};
  AcquireOffice11Colors();
  const INT element = COLOR_HIGHLIGHT;
  const COLORREF green = RGB(0, 128, 0);
  SetSysColors(1, &element, &green);
  RebuildOffice11Colors();
  EXPECT_EQ(Office11PressedColor, Office11Color49);
  EXPECT_EQ(Rgb(Office11Color49), Rgb(BlendSystemColorsByPercent(14, 44, 40)));
  EXPECT_NE(Rgb(Office11Color49), RGB(136, 147, 177));

  // A black button face leaves the mixes of the face to the highlight colour.
  const INT face = COLOR_BTNFACE;
  const COLORREF black = 0;
  SetSysColors(1, &face, &black);
  EXPECT_EQ(BlendSystemColorsByPercent(14, 44, 40), clHighlight);
  EXPECT_TRUE(IsButtonFaceBlack());
  EXPECT_TRUE(IsButtonFaceBlackWithColoredText());
}

TEST_F(Office11ColorsTest, ThemeSchemesFollowTheThemeAndItsColourName) {
  StartThemed("C:\\WINDOWS\\Resources\\Themes\\Luna\\LUNA.MSSTYLES", "NormalColor");
  AcquireOffice11Colors();
  EXPECT_EQ(CurrentOffice11ColorScheme(), ocsBlue);
  EXPECT_TRUE(AreOffice11ColorsThemed());
  EXPECT_EQ(Office11FaceColor, static_cast<TColor>(0xF5BE9E));
  EXPECT_EQ(Office11KneePercent(), 41);
  EXPECT_EQ(Office11GroupRowBackColor, static_cast<TColor>(0xC9EEFD));
  EXPECT_EQ(Office11FilterPanelTextColor, clWhite);
  EXPECT_EQ(Office11Color78, Office11Color75);

  FakeThemeLibrary::Active() = false;
  SwitchTheme();
  EXPECT_EQ(CurrentOffice11ColorScheme(), ocsNone);
  EXPECT_EQ(Office11FaceColor, clBtnFace);
  EXPECT_EQ(Office11KneePercent(), 75);

  // From version 6 on any theme file with a known colour name picks its scheme.
  FakeThemeLibrary::Active() = true;
  FakeThemeLibrary::ThemeFile() = "C:\\Themes\\aero.msstyles";
  FakeThemeLibrary::ColorName() = "Metallic";
  SwitchTheme();
  EXPECT_EQ(CurrentOffice11ColorScheme(), ocsSilver);
  EXPECT_EQ(Office11FaceColor, static_cast<TColor>(0xE5D7D7));
  EXPECT_EQ(Office11KneePercent(), 40);
  FakeThemeLibrary::ColorName() = "HomeStead";
  SwitchTheme();
  EXPECT_EQ(CurrentOffice11ColorScheme(), ocsOlive);
  FakeThemeLibrary::ColorName() = "Purple";
  SwitchTheme();
  EXPECT_EQ(CurrentOffice11ColorScheme(), ocsNone);
  EXPECT_EQ(Office11FaceColor, clBtnFace);
}

TEST_F(Office11ColorsTest, BlendingRoundsHalvesToEven) {
  Start();
  // 50 % of 245 and 210: 122.5 rounds to 122, 105 stays.
  EXPECT_EQ(Rgb(BlendColorsByPercent(RGB(246, 245, 243), RGB(214, 210, 202), 50)), RGB(230, 227, 223));
  EXPECT_EQ(Rgb(BlendColorsByPercent(clWhite, clWhite, 50)), RGB(255, 255, 255));
  EXPECT_EQ(Rgb(ScaleColorChannels(RGB(100, 201, 255), 90)), RGB(90, 180, 229));
}

// The colour of every band of a software gradient, one pixel row.
std::vector<COLORREF> PaintedRow(Surface& s, int width, TColor c1, TColor c2) {
  PaintGradientRect(s.Canvas()->Handle(), TRect(0, 0, width, 1), c1, c2, true);
  std::vector<COLORREF> row;
  for (int x = 0; x < width; ++x) row.push_back(s.At(x, 0));
  return row;
}

TEST_F(Office11ColorsTest, SoftwareGradientBands) {
  Start();
  ASSERT_FALSE(Office11GradientFillBound());
  Surface s(320, 2);
  std::vector<COLORREF> ten = PaintedRow(s, 10, clBlack, clWhite);
  const int expected[] = {0, 28, 57, 85, 113, 142, 170, 198, 227, 255};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(ten[static_cast<std::size_t>(i)], RGB(expected[i], expected[i], expected[i]));

  std::vector<COLORREF> wide = PaintedRow(s, 300, clBlack, clWhite);
  EXPECT_EQ(std::set<COLORREF>(wide.begin(), wide.end()).size(), 256u);
  EXPECT_EQ(wide.front(), RGB(0, 0, 0));
  EXPECT_EQ(wide.back(), RGB(255, 255, 255));
  for (int x = 0; x < 300; ++x) {
    const int at = GetRValue(Rgb(GradientColorAt(TRect(0, 0, 300, 1), x, clBlack, clWhite, true)));
    EXPECT_LE(std::abs(at - GetRValue(wide[static_cast<std::size_t>(x)])), 1) << x;
  }
  for (int extent : {2, 3, 7, 100, 255, 256}) {
    std::vector<COLORREF> row = PaintedRow(s, extent, RGB(10, 200, 30), RGB(250, 20, 90));
    for (int x = 0; x < extent; ++x)
      ASSERT_EQ(Rgb(GradientColorAt(TRect(0, 0, extent, 1), x, RGB(10, 200, 30), RGB(250, 20, 90), true)),
                row[static_cast<std::size_t>(x)])
          << extent << " at " << x;
  }

  // One pixel, or none, gives the first colour.
  EXPECT_EQ(PaintedRow(s, 1, RGB(1, 2, 3), RGB(200, 200, 200))[0], RGB(1, 2, 3));
  EXPECT_EQ(Rgb(GradientColorAt(TRect(0, 0, 1, 1), 0, RGB(1, 2, 3), clWhite, true)), RGB(1, 2, 3));
  EXPECT_EQ(Rgb(GradientColorAt(TRect(5, 0, 5, 1), 5, RGB(1, 2, 3), clWhite, true)), RGB(1, 2, 3));

  // Vertical gradients run top to bottom.
  PaintGradientRect(s.Canvas()->Handle(), TRect(0, 0, 4, 2), clBlack, clWhite, false);
  EXPECT_EQ(s.At(3, 0), RGB(0, 0, 0));
  EXPECT_EQ(s.At(3, 1), RGB(255, 255, 255));
}

TEST_F(Office11ColorsTest, BoundGradientFillEndsInBothColours) {
  Start(true);
  ASSERT_TRUE(Office11GradientFillBound());
  Surface s(200, 20);
  PaintGradientRect(s.Canvas()->Handle(), TRect(0, 0, 200, 20), RGB(200, 10, 10), RGB(10, 10, 200), true);
  // The platform's GradientFill reaches the second colour at the rectangle's far edge, one pixel
  // past the last: that pixel is within one step of it.
  EXPECT_EQ(s.At(0, 5), RGB(200, 10, 10));
  const COLORREF last = s.At(199, 5);
  EXPECT_LE(std::abs(GetRValue(last) - 10), 1);
  EXPECT_LE(std::abs(GetBValue(last) - 200), 1);
}

TEST_F(Office11ColorsTest, KneeGradientPassesTheKneeInTheMiddle) {
  Start();
  AcquireOffice11Colors();  // knee 75
  Surface s(20, 1);
  PaintKneeGradientRect(s.Canvas()->Handle(), TRect(0, 0, 20, 1), clWhite, clBlack, true);
  // K = 255 - round(255 x 75 / 200) = 159 at band 10; the first band is the first colour, the last
  // the second.
  EXPECT_EQ(s.At(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(s.At(10, 0), RGB(159, 159, 159));
  EXPECT_EQ(s.At(19, 0), RGB(0, 0, 0));
  for (int x = 1; x < 20; ++x) EXPECT_LE(GetRValue(s.At(x, 0)), GetRValue(s.At(x - 1, 0)));
}

TEST_F(Office11ColorsTest, MenuArrowsGripDotsAndCorner) {
  Start();
  AcquireOffice11Colors();
  struct Case {
    int width, height;
    bool down;
    int across, deep;
  } cases[] = {{20, 12, true, 9, 5}, {11, 12, true, 5, 3}, {12, 16, false, 7, 4}, {12, 8, false, 5, 3}};
  for (const Case& c : cases) {
    Surface s(c.width, c.height);
    PaintOffice11MenuArrow(s.Canvas()->Handle(), TRect(0, 0, c.width, c.height), c.down, true, false);
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x)
        if (s.At(x, y) == Rgb(Office11ArrowColor)) {
          minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
    const int w = maxX - minX + 1, h = maxY - minY + 1;
    EXPECT_EQ(c.down ? w : h, c.across) << c.width << "x" << c.height;
    EXPECT_EQ(c.down ? h : w, c.deep) << c.width << "x" << c.height;
  }

  // Dots every four pixels, shifted by one when the row is not a multiple of four.
  const TColor dot = Office11GripDotColor, light = Office11GripLightColor;
  Surface s(13, 4, clRed);
  PaintOffice11GripDots(s.Canvas()->Handle(), TRect(0, 0, 13, 4), false);
  EXPECT_EQ(s.Mask(dot),
            ".##..##..##..\n"
            ".##..##..##..\n"
            ".............\n"
            ".............\n");
  EXPECT_EQ(s.Mask(light),
            ".............\n"
            "...#...#...#.\n"
            "..##..##..##.\n"
            ".............\n");

  Surface corner(14, 13, clRed);
  PaintOffice11GripCorner(corner.Canvas()->Handle(), TRect(0, 0, 14, 13));
  // Rows of 12, 8 and 4 pixels, each ending at the right edge and four pixels above the last.
  EXPECT_EQ(corner.Mask(dot),
            "..............\n"
            "..............\n"
            "..........##..\n"
            "..........##..\n"
            "..............\n"
            "..............\n"
            "......##..##..\n"
            "......##..##..\n"
            "..............\n"
            "..............\n"
            "..##..##..##..\n"
            "..##..##..##..\n"
            "..............\n");
}

}  // namespace
