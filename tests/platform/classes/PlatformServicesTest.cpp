#include <gtest/gtest.h>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/classes/Themes.h"
#include "platform/system/Modules.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Startup.h"

namespace {

using namespace win;

BOOL Yes() { return TRUE; }
BOOL No() { return FALSE; }

TEST(ThemeServicesTest, VisualStylesAreOnOnlyWithAnActiveThemeLibrary) {
  platform::StartPlatform();
  platform::ScopedModuleOverrides overrides;
  TThemeServices services;
  EXPECT_FALSE(services.ThemesAvailable()) << "the platform has no theme library";
  EXPECT_FALSE(services.ThemesEnabled());

  platform::InstallFakeModule("uxtheme", {platform::Export("IsAppThemed", &Yes), platform::Export("IsThemeActive", &No)});
  services.UpdateThemes();
  EXPECT_TRUE(services.ThemesAvailable());
  EXPECT_FALSE(services.ThemesEnabled()) << "no theme is active";

  platform::InstallFakeModule("uxtheme", {platform::Export("IsAppThemed", &Yes), platform::Export("IsThemeActive", &Yes)});
  services.UpdateThemes();
  EXPECT_TRUE(services.ThemesEnabled());

  platform::HideModuleEntry("uxtheme", "IsAppThemed");
  services.UpdateThemes();
  EXPECT_FALSE(services.ThemesEnabled()) << "a missing entry turns styles off";
}

TEST(ThemeServicesTest, MouseWheelLinesFollowTheSetting) {
  TMouse mouse;
  EXPECT_EQ(mouse.WheelScrollLines(), 3);
  ASSERT_TRUE(SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 7, nullptr, 0));
  EXPECT_EQ(mouse.WheelScrollLines(), 7);
  platform::ResetSystemParameters();
}

TEST(ScreenCursorsTest, AResourceCursorCanBeAScreenCursor) {
  platform::InstallDisplay(platform::CreateHeadlessDisplay(640, 480));
  {
    TScreen screen(nullptr);
    HCURSOR arrow = LoadCursor(GetModuleHandle(nullptr), "TEST_ARROW");
    ASSERT_NE(arrow, nullptr);
    screen.SetCursors(1, arrow);
    EXPECT_EQ(screen.Cursors(1), arrow);
    screen.SetCursor(1);
    auto image = platform::Headless()->CursorImageShown();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->hotX, 4);
    screen.SetCursor(crIBeam);
    EXPECT_EQ(platform::Headless()->Cursor(), platform::CursorShape::IBeam);
  }
  EXPECT_EQ(LoadCursor(GetModuleHandle(nullptr), "TEST_ARROW"), LoadCursor(GetModuleHandle(nullptr), "TEST_ARROW"))
      << "the screen let go of the shared cursor without destroying it";
  platform::ResetDisplay();
}

}  // namespace
