#include <memory>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "tests/ui/foundation/Surface.h"
#include "tests/ui/skins/SkinFixture.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/GdiPlusApi.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/skins/RegisteredSkins.h"

namespace {

using surfacetest::Surface;

// The program's order: GDI+ and the skin engine, the painting units with the registry and the
// root look-and-feel, then the skins.
class RegisteredSkinsTest : public skintest::SkinTest {
 protected:
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(320, 240));
    InitializeForms();
    SkinTest::SetUp();
  }
  void Start() {
    PaintingUnitsStartup();
    RegisteredSkinsUnitStartup();
  }
  void TearDown() override {
    RegisteredSkinsUnitShutdown();
    PaintingUnitsShutdown();
    SkinTest::TearDown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  static TdxSkinLookAndFeelPainterInfo* TableOf(const char* Name) {
    TcxCustomLookAndFeelPainterClass painter = nullptr;
    TObject* info = nullptr;
    if (!ExtendedStylePainterRegistry()->FindPainter(Name, painter)) return nullptr;
    ExtendedStylePainterRegistry()->InfoOfPainter(painter, info);
    return dynamic_cast<TdxSkinLookAndFeelPainterInfo*>(info);
  }
};

TEST_F(RegisteredSkinsTest, EverySkinRegistersWithItsPainterAndTable) {
  Start();
  TcxExtendedStylePainters* registry = ExtendedStylePainterRegistry();
  ASSERT_EQ(registry->Count(), 6);
  const char* names[] = {"Black", "Blue", "Foggy", "LiquidSky", "Silver", "UserSkin"};
  const TdxSkinLookAndFeelPainter* painters[] = {BlackPainter(),  BluePainter(),   FoggyPainter(),
                                                 LiquidSkyPainter(), SilverPainter(), SkinsUserSkinPainter()};
  const char* units[] = {"dxSkinBlack", "dxSkinBlue", "dxSkinFoggy", "dxSkinLiquidSky", "dxSkinSilver",
                         "dxSkinsDefaultPainters"};
  const char* skinNames[] = {"Black", "Blue", "Foggy", "LiquidSky", "Silver", "defaultuserskindata"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(registry->Names(i), names[i]);
    EXPECT_EQ(registry->Painters(i), painters[i]) << names[i];
    EXPECT_EQ(painters[i]->SkinUnitName(), units[i]);
    TdxSkinLookAndFeelPainterInfo* table = TableOf(names[i]);
    ASSERT_NE(table, nullptr) << names[i];
    EXPECT_EQ(painters[i]->SkinPainterInfo(), table) << names[i];
    EXPECT_EQ(table->IsUserSkin(), i == 5) << names[i];
    EXPECT_EQ(table->Skin->Name(), skinNames[i]) << "the stream's own name; the registered name stays";
  }
  EXPECT_EQ(TableOf("foggy"), FoggyPainter()->SkinPainterInfo()) << "names match in any letter case";
  EXPECT_EQ(SkinLookAndFeelPainter()->SkinUnitName(), "dxSkinsLookAndFeelPainter");
  EXPECT_EQ(SkinLookAndFeelPainter()->SkinPainterInfo(), nullptr) << "not registered";

  // A look-and-feel named "Foggy" paints with the Foggy painter.
  TcxLookAndFeel lf(nullptr);
  lf.SetSkinName("Foggy");
  EXPECT_EQ(lf.SkinPainter(), FoggyPainter());
  EXPECT_EQ(lf.ActivePainter(), FoggyPainter());

  // The unregistered skin painter draws as the Office-2003 painter, and never reaches for a table.
  Surface a(40, 30), b(40, 30);
  TcxCanvas ca(a.Canvas()), cb(b.Canvas());
  SkinLookAndFeelPainter()->DrawPushButton(&ca, TRect(2, 2, 38, 28), "", cxbsHot, true, clDefault, clDefault, false, 0);
  Office11LookAndFeelPainter()->DrawPushButton(&cb, TRect(2, 2, 38, 28), "", cxbsHot, true, clDefault, clDefault, false, 0);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(a.Raw(x, y), b.Raw(x, y)) << x << "," << y;

  // The ends take the skins out again; a second shutdown finds nothing left to do.
  RegisteredSkinsUnitShutdown();
  EXPECT_EQ(registry->Count(), 0);
  EXPECT_EQ(FoggyPainter()->SkinPainterInfo(), nullptr);
  EXPECT_EQ(lf.SkinPainter(), nullptr) << "the look-and-feel heard of the removal";
}

TEST_F(RegisteredSkinsTest, AChangedUserSkinRepaintsEveryControlAndABuiltInSkinOnlyItsTable) {
  Start();
  // Two controls on two forms, each following the root.
  TForm first(nullptr), second(nullptr);
  int firstNotices = 0, secondNotices = 0;
  TcxLookAndFeel a(&first), b(&second);
  a.SetSkinName("UserSkin");
  b.SetSkinName("Blue");
  a.OnChanged = [&](TcxLookAndFeel*, TcxLookAndFeelValues) { ++firstNotices; };
  b.OnChanged = [&](TcxLookAndFeel*, TcxLookAndFeelValues) { ++secondNotices; };

  // The Foggy skin's stream loaded into the user skin.
  TdxSkinLookAndFeelPainterInfo* user = SkinsUserSkinPainter()->SkinPainterInfo();
  TMemoryStream stream;
  FoggyPainter()->SkinPainterInfo()->Skin->SaveToStream(&stream);
  stream.SetPosition(0);
  user->Skin->LoadFromStream(&stream);
  EXPECT_GT(firstNotices, 0);
  EXPECT_GT(secondNotices, 0);
  EXPECT_EQ(user->CommonButton->TextColor(), FoggyPainter()->SkinPainterInfo()->CommonButton->TextColor());
  EXPECT_EQ(user->Skin->Name(), "Foggy");

  // A built-in skin's change re-resolves its own table and tells nobody.
  firstNotices = secondNotices = 0;
  TdxSkinLookAndFeelPainterInfo* blue = BluePainter()->SkinPainterInfo();
  TdxSkinElement* silverButton = SilverPainter()->SkinPainterInfo()->CommonButton;
  TdxSkinColor* content = blue->Skin->ColorByName("ContentColor");
  ASSERT_NE(content, nullptr);
  content->SetValue(static_cast<TColor>(0x123456));
  EXPECT_EQ(BluePainter()->DefaultContentColor(), static_cast<TColor>(0x123456));
  EXPECT_EQ(firstNotices + secondNotices, 0);
  EXPECT_EQ(SilverPainter()->SkinPainterInfo()->CommonButton, silverButton);
}

TEST_F(RegisteredSkinsTest, WithoutGdiPlusNoSkinIsRegistered) {
  platform::HideModule("gdiplus.dll");
  GdiPlusUnitShutdown();
  GdiPlusUnitStartup();
  Start();
  EXPECT_EQ(ExtendedStylePainterRegistry()->Count(), 0);
  EXPECT_EQ(FoggyPainter()->SkinPainterInfo(), nullptr);
  TcxLookAndFeel lf(nullptr);
  lf.SetSkinName("Foggy");
  EXPECT_EQ(lf.SkinPainter(), nullptr);
  EXPECT_NE(lf.ActivePainter(), nullptr) << "the painter of its kind";
}

// The user skin's table is built before the root look-and-feel exists, and lives on after it.
TEST_F(RegisteredSkinsTest, TheUserSkinChangesWithoutARoot) {
  ASSERT_EQ(RootLookAndFeel(), nullptr);
  auto* skin = new TdxSkin("DefaultUserSkinData", win::GetModuleHandle(nullptr), true);
  TdxSkinUserLookAndFeelPainterInfo table(skin);
  skin->ColorByName("ContentColor")->SetValue(clRed);
  EXPECT_EQ(table.Skin, skin);
  EXPECT_TRUE(table.IsUserSkin());
  Start();
}

}  // namespace
