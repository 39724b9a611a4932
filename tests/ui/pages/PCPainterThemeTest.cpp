// The painter's themed branches, on the fake theme library: content margins from the tab pane,
// captions drawn by the theme, and the highlighted text colour the theme gives.
#include <gtest/gtest.h>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/pages/FakeTabControl.h"
#include "tests/ui/pages/TestPainter.h"
#include "ui/foundation/ThemeManager.h"

namespace {

using testsupport::FakeThemeLibrary;

class TNativePainter : public TTestPainter {
 public:
  using TTestPainter::TTestPainter;
  bool IsNativePainting() override { return true; }
  void ThemeTabPartAndState(int, int& Part, int& State) override {
    Part = 1;
    State = 3;
  }
};

class PainterTheme : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(320, 240));
    InitializeForms();
    Application->Initialize();
    FakeThemeLibrary::Install();
    FakeThemeLibrary::OpenableClasses().insert("Tab");
    FakeThemeLibrary::ContentMargins()[{"TAB", 9, 0}] = win::RECT{3, 2, 4, 5};
    ThemeAccessStartup();
    control.PainterInUse = &painter;
    control.AddTabs({60, 60});
  }
  void TearDown() override {
    ThemeAccessShutdown();
    FakeThemeLibrary::Uninstall();
    FinalizeForms();
    platform::ResetDisplay();
  }
  TFakeTabControl control;
  TNativePainter painter{&control};
};

TEST_F(PainterTheme, ContentMarginsFromTheTabPane) {
  ASSERT_TRUE(HasVisualStyles());
  FakeThemeLibrary::ThemeFile() = "C:\\WINDOWS\\Resources\\Themes\\Aero\\aero.msstyles";
  EXPECT_EQ(painter.ThemedContentMargins(), TRect(3, 2, 4, 5));
  // Luna and Royale answer their pane margins too small: the larger of left and top, doubled at the far sides.
  FakeThemeLibrary::ThemeFile() = "C:\\WINDOWS\\Resources\\Themes\\Luna\\luna.msstyles";
  EXPECT_EQ(painter.ThemedContentMargins(), TRect(3, 3, 6, 6));
}

TEST_F(PainterTheme, CaptionsAndHighlightColourFromTheTheme) {
  painter.DrawTabText(control.Canvas(), "Themed", 0, TRect(0, 0, 60, 20));
  EXPECT_EQ(FakeThemeLibrary::CountOf("DrawThemeText(TAB,1,3,'Themed',0x8020)"), 1);
  // A disabled tab is drawn by the platform instead.
  control.TabList.Tab(1)->SetEnabled(false);
  painter.DrawTabText(control.Canvas(), "Plain", 1, TRect(0, 0, 60, 20));
  EXPECT_EQ(FakeThemeLibrary::CountOf("DrawThemeText(TAB,1,3,'Plain'"), 0);

  // The selected tab asks state 3, the others state 1.
  FakeThemeLibrary::Colors()[{"TAB", 1, 3, 3803}] = 0x00112233;
  control.SetTabIndex(0);
  EXPECT_EQ(painter.HighlightedTextColor(0, clRed), static_cast<TColor>(0x00112233));
  EXPECT_EQ(painter.HighlightedTextColor(1, clRed), clRed);
}

}  // namespace
