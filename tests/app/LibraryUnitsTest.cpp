#include <gtest/gtest.h>

#include "app/Program.h"
#include "platform/display/Display.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/skins/RegisteredSkins.h"
#include "ui/skins/SkinWinController.h"
#include "ui/skins/StatusBarSkinPainter.h"

namespace {

// What the program starts before its first form: the built-in skins stand registered, so a
// look-and-feel that reads "Foggy" from a form description paints with the Foggy painter.
TEST(LibraryUnits, TheSkinsStandRegisteredBeforeTheFirstFormAndGoAfterTheLast) {
  platform::InstallDisplay(platform::CreateHeadlessDisplay(320, 240));
  InitializeForms();
  StartLibraryUnits();
  ASSERT_NE(ExtendedStylePainterRegistry(), nullptr);
  EXPECT_EQ(ExtendedStylePainterRegistry()->Count(), 6);
  {
    TcxLookAndFeel lf(nullptr);
    lf.SetSkinName("Foggy");
    EXPECT_EQ(lf.ActivePainter(), FoggyPainter());
  }
  EXPECT_EQ(StatusBarSkinPainterClass(), StatusBarSkinPainter());
  EXPECT_TRUE(FormSkinsUnitRunning());
  FinalizeForms();
  EndLibraryUnits();
  EXPECT_EQ(ExtendedStylePainterRegistry(), nullptr);
  EXPECT_EQ(RootLookAndFeel(), nullptr);
  EXPECT_EQ(FoggyPainter()->SkinPainterInfo(), nullptr);
  EXPECT_EQ(StatusBarSkinPainterClass(), nullptr);
  EXPECT_FALSE(FormSkinsUnitRunning());
  platform::ResetDisplay();
}

}  // namespace
