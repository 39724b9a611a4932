#include <memory>
#include <set>

#include "platform/classes/Bitmap.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Modules.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/skins/SkinFixture.h"
#include "ui/skins/SkinInfo.h"

namespace {

using skintest::ErrorOf;
using skintest::SkinTest;

int ElementCount(TdxSkin* Skin) {
  int n = 0;
  for (int g = 0; g < Skin->GroupCount(); ++g) n += Skin->GroupAt(g)->Count();
  return n;
}

TdxSkinElement* AddFrame(TdxSkin* Skin, const char* Name, int Width, int Height) {
  TdxSkinControlGroup* form = Skin->GroupByName("Form") ? Skin->GroupByName("Form") : Skin->AddGroup("Form");
  TdxSkinElement* e = form->AddElement(Name);
  e->Image()->SetStates(StateBit(esActive) | StateBit(esActiveDisabled));
  skintest::SetTexture(e->Image(), Width, Height * 2, std::vector<std::uint32_t>(Width * Height * 2, 0xFF808080));
  e->Image()->SetImageLayout(ilVertical);
  return e;
}

TEST_F(SkinTest, AnEmptySkinGetsEveryGroupAndPlaceholdersExceptTheMarkedNames) {
  TdxSkinInfo info(new TdxSkin("Empty"));
  TdxSkin* skin = info.Skin;
  EXPECT_EQ(skin->GroupCount(), 13);

  std::set<std::string> members;
  for (const TdxSkinInfoEntry& entry : TdxSkinInfo::Entries()) {
    const std::string member = std::string(entry.Member) + "[" + std::to_string(entry.Index) + "]";
    members.insert(member);
    if (entry.Kind != ikGroup && entry.Kind != ikElement) continue;
    void* value = *static_cast<void**>(entry.Slot(info, entry.Index));
    if (entry.Kind == ikGroup) {
      EXPECT_NE(value, nullptr) << member;
    } else if (entry.Kind == ikElement) {
      EXPECT_EQ(value != nullptr, entry.Placeholder) << member;
    }
  }
  EXPECT_EQ(members.size(), TdxSkinInfo::Entries().size()) << "every member is listed once";

  // No "PageControl": the group, five placeholders drawn as a stretched red cross, zeros.
  ASSERT_NE(info.PageControlGroup, nullptr);
  EXPECT_EQ(info.PageControlGroup->Count(), 5);
  for (TdxSkinElement* e : {info.PageControlTabHeader, info.PageControlTabButtonHorz, info.PageControlTabButtonVert,
                            info.PageControlTabHeaderCloseButton, info.PageControlTabPane}) {
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Image()->States(), StateBit(esNormal));
    EXPECT_EQ(e->Image()->Stretch(), smStretch);
    EXPECT_EQ(e->ImageSize().cx, 32);
    EXPECT_EQ(e->Color(), clDefault);
  }
  for (int v : {info.PageControlRowIndentFar, info.PageControlRowIndentNear, info.PageControlSelectedHeaderDownGrow,
                info.PageControlSelectedHeaderHGrow, info.PageControlSelectedHeaderUpGrow, info.PageControlHeaderDownGrow,
                info.PageControlHeaderDownGrowBottomRight, info.PageControlSelectedHeaderDownGrowBottomRight})
    EXPECT_EQ(v, 0);
  EXPECT_EQ(info.BarsMainMenuCustomize, nullptr);
  EXPECT_EQ(info.BarsGroup->ElementByName("MainMenuCustomize"), nullptr);
  EXPECT_EQ(info.FormCaptionFontDelta, 1);
  EXPECT_EQ(info.SkinContentColor, nullptr);
  EXPECT_EQ(info.CommonScrollBarParts[0][0], nullptr);
  EXPECT_EQ(info.CommonScrollBarParts[1][2]->ImageIndex, 3);
  EXPECT_EQ(info.CommonScrollBarParts[1][2]->Element, info.CommonScrollButton);

  // A second resolution finds everything and adds nothing.
  const int before = ElementCount(skin);
  info.ResolveAll();
  EXPECT_EQ(ElementCount(skin), before);
  EXPECT_EQ(skin->GroupCount(), 13);
}

TEST_F(SkinTest, DerivedValuesAndColourAdjustments) {
  auto* skin = new TdxSkin("Derived");
  AddFrame(skin, "FormFrameLeft", 4, 10);
  AddFrame(skin, "FormFrameRight", 4, 10);
  AddFrame(skin, "FormFrameBottom", 10, 4);
  TdxSkinElement* caption = AddFrame(skin, "FormCaption", 10, 20);
  static_cast<TdxSkinIntegerProperty*>(caption->Properties()->Add("FontDelta", TdxSkinIntegerProperty::StaticClass()))
      ->SetValue(3);
  skin->GroupByName("Form")->AddElement("FormContent")->SetColor(0x00C0FFEE);
  TdxSkinElement* panel = skin->AddGroup("Grid")->AddElement("GridGroupPanel");
  panel->SetColor(0x00123456);
  skintest::SetTexture(panel->Image(), 1, 1, {0xFFFFFFFF});
  skin->Colors()->AddColor("ContentColor", 0x00FAFAFA);
  TdxSkinElement* ribbonTab = skin->AddGroup("Ribbon")->AddElement("Tab");
  ribbonTab->SetTextColor(0x00000080);

  int notifications = 0;
  skin->OnChange = [&](TObject*) { ++notifications; };
  TdxSkinInfo info(skin);
  EXPECT_GT(notifications, 0) << "placeholders and colour adjustments are changes of the skin";

  const win::RECT normal = info.FormBorderWidths[1];
  EXPECT_EQ(normal.left, 4);
  EXPECT_EQ(normal.top, 0);
  EXPECT_EQ(normal.right, 4);
  EXPECT_EQ(normal.bottom, 4);
  EXPECT_EQ(info.FormCaptionFontDelta, 3);
  EXPECT_EQ(info.GridGridGroupPanel->Color(), clNone);
  EXPECT_EQ(info.PageControlTabButtonHorz->Color(), 0x00C0FFEE);
  EXPECT_EQ(info.PageControlTabButtonVert->Color(), 0x00C0FFEE);
  EXPECT_EQ(info.CommonScrollButton->Color(), 0x00C0FFEE);
  EXPECT_EQ(info.SkinContentColor->Value(), 0x00FAFAFA);
  EXPECT_EQ(info.RibbonTabTextColor, 0x00000080);
  EXPECT_EQ(info.RibbonButtonTextColor, clDefault);

  // Every change rebuilds the table: a newly added element shows up, the scroll parts are new.
  skin->GroupByName("Bars")->AddElement("MainMenuCustomize");
  EXPECT_NE(info.BarsMainMenuCustomize, nullptr);
  EXPECT_EQ(info.CommonScrollBarParts[0][4]->Element, info.CommonScrollContentVert);
}

TEST_F(SkinTest, WrongPropertyClassesAreInvalidCasts) {
  struct {
    const char* group;
    const char* name;
  } cases[] = {{nullptr, "SkinGroupName"}, {"PageControl", "RowIndentFar"}, {"Grid", "LayoutViewItemPadding"},
               {"NavPane", "OverlapGroupBorders"}};
  for (auto c : cases) {
    auto* skin = new TdxSkin("Wrong");
    TdxSkinPersistent* owner = c.group ? static_cast<TdxSkinPersistent*>(skin->AddGroup(c.group)) : skin;
    owner->Properties()->AddColor(c.name, 0);
    EXPECT_EQ(ErrorOf([&] { delete new TdxSkinInfo(skin); }), "Invalid class typecast") << c.name;
  }
}

TEST_F(SkinTest, ScrollPartsDrawTheirImageAndIconsFallBack) {
  auto* skin = new TdxSkin("Scroll");
  TdxSkinElement* content = skin->AddGroup("Common")->AddElement("ScrollContentVert");
  content->Image()->SetStates(StateBit(esNormal));
  content->SetImageCount(2);
  skintest::SetTexture(content->Image(), 2, 1, {0xFF0000FF, 0xFFFF0000});
  TdxSkinInfo info(skin);

  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(8, 8);
  EXPECT_TRUE(info.CommonScrollBarParts[0][4]->DrawState(target.Canvas()->Handle(), {0, 0, 8, 8}, esNormal));
  EXPECT_EQ(win::GetPixel(target.Canvas()->Handle(), 3, 3), 0x00FF0000u) << "image 0 is blue";

  TdxSkinInfo none(nullptr);
  EXPECT_EQ(none.CommonScrollBarParts[0][4], nullptr);
  EXPECT_EQ(none.BarsGroup, nullptr);
  EXPECT_EQ(none.PageControlTabHeaderTextColor, nullptr);
}

}  // namespace

namespace {

// The skins compiled into the program are complete: reading one and building its table adds no
// group and no element, so no placeholder can ever show.
TEST_F(SkinTest, BuiltInSkinsLoadAndResolveWithoutPlaceholders) {
  struct {
    const char* resource;
    const char* name;
    const char* displayName;
  } skins[] = {{"BLACK", "Black", "Black"},         {"BLUE", "Blue", "Blue"},
               {"FOGGY", "Foggy", "Foggy"},         {"LIQUIDSKY", "LiquidSky", "Liquid Sky"},
               {"SILVER", "Silver", "Silver"},      {"XMAS2008BLUE", "Xmas2008Blue", "Xmas 2008 Blue"},
               {"DEFAULTUSERSKINDATA", "defaultuserskindata", "UserSkin"}};
  // A sheet to look at: each skin's button in four states, check boxes and a tab pane.
  TBitmap sheet;
  sheet.SetPixelFormat(pf32bit);
  sheet.SetSize(4 * 80 + 3 * 20 + 70, 7 * 30);
  win::RECT all{0, 0, sheet.Width(), sheet.Height()};
  win::FillRect(sheet.Canvas()->Handle(), &all, static_cast<win::HBRUSH>(win::GetStockObject(win::WHITE_BRUSH)));
  int row = 0;
  for (auto s : skins) {
    auto* skin = new TdxSkin(s.resource, win::GetModuleHandle(nullptr), true);
    EXPECT_EQ(skin->Name(), s.name);
    EXPECT_EQ(skin->DisplayName(), s.displayName);
    EXPECT_DOUBLE_EQ(skin->Version(), 1.03);
    const int groups = skin->GroupCount(), elements = ElementCount(skin);
    TdxSkinInfo info(skin);
    EXPECT_EQ(skin->GroupCount(), groups) << s.name;
    EXPECT_EQ(ElementCount(skin), elements) << s.name;
    std::unique_ptr<TBitmap> large(info.SkinIcon(true)), small(info.SkinIcon(false));
    EXPECT_EQ(large->Width(), 32);
    EXPECT_EQ(small->Width(), 16) << "the user skin has no icon of its own: the default one";
    const int y = row++ * 30 + 3;
    win::HDC dc = sheet.Canvas()->Handle();
    const TdxSkinElementState states[4] = {esNormal, esHot, esPressed, esDisabled};
    for (int i = 0; i < 4; ++i) info.CommonButton->DrawOnDC(dc, {i * 80 + 2, y, i * 80 + 77, y + 23}, 0, states[i]);
    for (int i = 0; i < 3; ++i)
      info.EditorsCheckbox->DrawOnDC(dc, {320 + i * 20 + 2, y + 3, 320 + i * 20 + 17, y + 18}, i, esNormal);
    info.PageControlTabPane->DrawOnDC(dc, {382, y, 448, y + 24}, 0, esNormal);
  }
  std::vector<std::uint32_t> px(static_cast<std::size_t>(sheet.Width() * sheet.Height()));
  for (int yy = 0; yy < sheet.Height(); ++yy)
    for (int xx = 0; xx < sheet.Width(); ++xx) {
      const win::COLORREF c = win::GetPixel(sheet.Canvas()->Handle(), xx, yy);
      px[static_cast<std::size_t>(yy * sheet.Width() + xx)] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
  platform::WritePng(testsupport::ArtifactPath("skins-built-in-elements.png"), px.data(), sheet.Width(),
                     sheet.Height(), sheet.Width());
}

}  // namespace
