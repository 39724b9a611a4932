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

#include "platform/classes/ExtCtrls.h"
#include "platform/classes/ScrollBox.h"
#include <algorithm>
#include <utility>
#include "platform/win/Controls.h"

namespace {

win::FlatSB_SetScrollInfoProc g_previousSetInfo = nullptr;
win::FlatSB_SetScrollPosProc g_previousSetPos = nullptr;
std::vector<int> g_flatCalls;

int RecordSetInfo(win::HWND hwnd, int bar, const win::SCROLLINFO* info, win::BOOL) {
  g_flatCalls.push_back(bar);
  return g_previousSetInfo(hwnd, bar, info, win::FALSE);
}
int RecordSetPos(win::HWND hwnd, int bar, int pos, win::BOOL) {
  g_flatCalls.push_back(100 + bar);
  return g_previousSetPos(hwnd, bar, pos, win::FALSE);
}

TEST(FlatScrollBarsTest, TheClassLibrarySetsScrollBarsThroughTheReplaceableProcedures) {
  platform::InstallDisplay(platform::CreateHeadlessDisplay(640, 480));
  InitializeForms();
  g_previousSetInfo = std::exchange(win::FlatSB_SetScrollInfo, &RecordSetInfo);
  g_previousSetPos = std::exchange(win::FlatSB_SetScrollPos, &RecordSetPos);
  g_flatCalls.clear();
  {
    TForm form(Application, 0);
    form.SetBounds(10, 10, 300, 200);
    auto* box = new TScrollBox(&form);
    box->SetParent(&form);
    box->SetBounds(0, 0, 200, 150);
    auto* far = new TPanel(&form);
    far->SetParent(box);
    far->SetBounds(0, 400, 50, 50);
    form.Show();
    Application->ProcessMessages();
    EXPECT_NE(std::find(g_flatCalls.begin(), g_flatCalls.end(), win::SB_VERT), g_flatCalls.end());
    box->ScrollInView(far);
    EXPECT_NE(std::find(g_flatCalls.begin(), g_flatCalls.end(), 100 + win::SB_VERT), g_flatCalls.end());
    win::SCROLLINFO si;
    si.fMask = win::SIF_POS;
    ASSERT_TRUE(win::FlatSB_GetScrollInfo(box->Handle(), win::SB_VERT, &si));
    EXPECT_GT(si.nPos, 0) << "the previous procedures still did the work";
  }
  win::FlatSB_SetScrollInfo = g_previousSetInfo;
  win::FlatSB_SetScrollPos = g_previousSetPos;
  FinalizeForms();
  platform::ResetDisplay();
}

}  // namespace
