#include <gtest/gtest.h>

#include "app/Program.h"
#include "ui/bars/Xmas2008BluePainter.h"
#include "platform/display/Display.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/controls/EditProperties.h"
#include "ui/controls/EditStyle.h"
#include "ui/editors/TextEditProperties.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/Fader.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/skins/RegisteredSkins.h"
#include "ui/skins/SkinWinController.h"
#include "ui/skins/StatusBarSkinPainter.h"

namespace {

// What the program starts before its first form: the built-in skins stand registered, so a
// look-and-feel that reads "Foggy" from a form description paints with the Foggy painter, and the
// control services and editors' unit run, so an editor read from a form finds its defaults.
TEST(LibraryUnits, TheSkinsStandRegisteredBeforeTheFirstFormAndGoAfterTheLast) {
  platform::InstallDisplay(platform::CreateHeadlessDisplay(320, 240));
  InitializeForms();
  StartLibraryUnits();
  ASSERT_NE(ExtendedStylePainterRegistry(), nullptr);
  EXPECT_EQ(ExtendedStylePainterRegistry()->Count(), 7) << "six skins of the library and the bars' Xmas2008Blue";
  EXPECT_NE(Xmas2008BluePainter()->SkinPainterInfo(), nullptr);
  {
    TcxLookAndFeel lf(nullptr);
    lf.SetSkinName("Foggy");
    EXPECT_EQ(lf.ActivePainter(), FoggyPainter());
  }
  EXPECT_EQ(StatusBarSkinPainterClass(), StatusBarSkinPainter());
  EXPECT_TRUE(FormSkinsUnitRunning());
  EXPECT_NE(FaderInstance, nullptr);
  EXPECT_FALSE(ControlsUnitFinalized);
  EXPECT_NE(DefaultEditStyleController(), nullptr);
  EXPECT_EQ(EditPropertiesClassRegistry()->LookupByClassName("TcxTextEditProperties"),
            TcxTextEditProperties::StaticClass());
  FinalizeForms();
  EndLibraryUnits();
  EXPECT_EQ(ExtendedStylePainterRegistry(), nullptr);
  EXPECT_EQ(RootLookAndFeel(), nullptr);
  EXPECT_EQ(FoggyPainter()->SkinPainterInfo(), nullptr);
  EXPECT_EQ(Xmas2008BluePainter()->SkinPainterInfo(), nullptr);
  EXPECT_EQ(StatusBarSkinPainterClass(), nullptr);
  EXPECT_FALSE(FormSkinsUnitRunning());
  EXPECT_EQ(FaderInstance, nullptr);
  EXPECT_TRUE(ControlsUnitFinalized);
  platform::ResetDisplay();
}

}  // namespace
