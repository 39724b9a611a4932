// The element catalogue drawn in every built-in skin: names, strip geometry, the image indexes
// the painters draw, frame sizes, readable text and visible states.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "tests/support/Artifacts.h"
#include "tools/skingen/Catalogue.h"
#include "tools/skingen/Png.h"

using namespace skingen;

namespace {

struct SkinCase {
  const char* file;
  const char* stream;
  const char* display;
  bool standard;  // "SkinGroupName" and listed
};
const SkinCase kSkins[] = {
    {"Black", "Black", "Black", true},
    {"Blue", "Blue", "Blue", true},
    {"Foggy", "Foggy", "Foggy", true},
    {"LiquidSky", "LiquidSky", "Liquid Sky", true},
    {"Silver", "Silver", "Silver", true},
    {"Xmas2008Blue", "Xmas2008Blue", "Xmas 2008 Blue", true},
    {"UserSkin", "defaultuserskindata", "UserSkin", false},
};

Description Load(const SkinCase& c) {
  return LoadDescription(testsupport::SourcePath(std::string("resources/skins/") + c.file + ".skin"));
}

const Property* FindProperty(const std::vector<Property>& list, const std::string& name) {
  for (const Property& p : list)
    if (p.name == name) return &p;
  return nullptr;
}

class EverySkin : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const SkinCase& c : kSkins) skins_.push_back(BuildSkin(Load(c)));
  }
  static void TearDownTestSuite() { skins_.clear(); }
  static std::vector<Skin> skins_;
};
std::vector<Skin> EverySkin::skins_;

TEST_F(EverySkin, NamesAndSkinProperties) {
  for (std::size_t i = 0; i < std::size(kSkins); ++i) {
    const Skin& s = skins_[i];
    SCOPED_TRACE(kSkins[i].file);
    EXPECT_EQ(s.name, kSkins[i].stream);
    const Property* display = FindProperty(s.properties, "DisplayName");
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->kind, Property::WideString);
    EXPECT_EQ(display->text, kSkins[i].display);
    const Property* group = FindProperty(s.properties, "SkinGroupName");
    if (kSkins[i].standard) {
      ASSERT_NE(group, nullptr);
      EXPECT_EQ(group->kind, Property::String);
      EXPECT_EQ(group->text, "Standard Skins");
    } else {
      EXPECT_EQ(group, nullptr);
    }
    EXPECT_EQ(s.colors.size(), 13u);
    EXPECT_EQ(s.groups.size(), 13u);
    EXPECT_EQ(Load(kSkins[i]).listed, kSkins[i].standard);
  }
}

// Along its layout axis a strip holds image count x state count frames, exactly; the margins
// fit in one frame.
TEST_F(EverySkin, StripsHoldWholeFramesAndMarginsFit) {
  for (const Skin& s : skins_)
    for (const Group& g : s.groups)
      for (const Element& e : g.elements)
        for (const Image* im : {&e.image, &e.glyph}) {
          if (im->texture.Empty()) continue;
          SCOPED_TRACE(s.name + "/" + g.name + "/" + e.name + (im == &e.glyph ? " glyph" : " image"));
          ASSERT_GE(e.imageCount, 1);
          ASSERT_GE(im->StateCount(), 1);
          int fw = im->FrameWidth(e.imageCount), fh = im->FrameHeight(e.imageCount);
          int extent = im->layout == Layout::Horizontal ? im->texture.Width() : im->texture.Height();
          EXPECT_EQ(extent, e.imageCount * im->StateCount() * (im->layout == Layout::Horizontal ? fw : fh));
          EXPECT_LE(im->margins.left + im->margins.right, fw);
          EXPECT_LE(im->margins.top + im->margins.bottom, fh);
        }
}

// The highest image index each painter draws, and the states it draws them in.
TEST_F(EverySkin, PaintersFindTheirImagesAndStates) {
  struct Use {
    const char* group;
    const char* element;
    int highestIndex;
    States states;
  } uses[] = {
      {"Common", "Button", 0, Bit(N) | Bit(H) | Bit(P) | Bit(D) | Bit(A)},
      {"Editors", "Checkbox", 2, Bit(N) | Bit(H) | Bit(P) | Bit(D)},
      {"Editors", "RadioButton", 1, Bit(N) | Bit(H) | Bit(P) | Bit(D)},
      {"Editors", "EditorButton", 0, Bit(N) | Bit(H) | Bit(P) | Bit(D)},
      {"Editors", "TrackBarTrack", 3, Bit(N)},
      {"Editors", "TrackBarTrackVert", 3, Bit(N)},
      {"Editors", "TrackBarThumb", 0, Bit(N) | Bit(H) | Bit(P) | Bit(D)},
      {"Editors", "TrackBarThumbVertBoth", 0, Bit(N) | Bit(H) | Bit(P) | Bit(D)},
      {"Common", "ScrollButton", 3, Bit(N) | Bit(H) | Bit(P) | Bit(D)},
      {"Common", "ScrollThumbVert", 0, Bit(N) | Bit(H) | Bit(P) | Bit(D)},
      {"Common", "ScrollContentHorz", 0, Bit(N) | Bit(H) | Bit(P) | Bit(D)},
      {"Common", "GroupExpandButton", 1, Bit(N) | Bit(H) | Bit(P)},
      {"Grid", "PlusMinus", 1, Bit(N)},
      {"Grid", "IndicatorImages", 2, Bit(N)},
      {"Grid", "LayoutViewRecordExpandButton", 1, Bit(N)},
      {"PageControl", "TabHeader", 0, Bit(N) | Bit(H) | Bit(P) | Bit(D)},
      {"PageControl", "TabButtonHorz", 3, Bit(N) | Bit(H) | Bit(P) | Bit(D)},
      {"PageControl", "TabButtonVert", 3, Bit(N) | Bit(H) | Bit(P) | Bit(D)},
      {"Form", "FormCaption", 0, Bit(A) | Bit(AD)},
      {"Form", "FormFrameBottom", 0, Bit(A) | Bit(AD)},
      {"Form", "FormButtonClose", 0, Bit(N) | Bit(H) | Bit(P) | Bit(AD)},
      {"Form", "SmallFormButtonClose", 0, Bit(N) | Bit(H) | Bit(P) | Bit(AD)},
      {"Bars", "PopupMenuCheck", 1, Bit(N)},
      {"Bars", "LinkSelected", 0, Bit(H) | Bit(P) | Bit(C) | Bit(HC) | Bit(CP)},
      {"Docking", "DockWindowButtonGlyphs", 6, Bit(N)},
      {"Editors", "Navigator", 5, Bit(N)},
  };
  for (const Skin& s : skins_)
    for (const Use& u : uses) {
      SCOPED_TRACE(s.name + "/" + u.group + "/" + u.element);
      const Element* e = s.FindGroup(u.group)->Find(u.element);
      ASSERT_NE(e, nullptr);
      EXPECT_LT(u.highestIndex, e->imageCount);
      EXPECT_EQ(e->image.states & u.states, u.states);
    }
}

// The glyph elements carry only a glyph; the bars' roles are all there, the two that the
// lookup table does not make up included.
TEST_F(EverySkin, GlyphsAndBarRolesArePresent) {
  for (const Skin& s : skins_) {
    SCOPED_TRACE(s.name);
    for (const char* n : {"ComboButtonGlyph", "SpinUpGlyph", "SpinDownGlyph", "SpinLeftGlyph", "SpinRightGlyph", "CloseButton"}) {
      const Element* e = s.FindGroup("Editors")->Find(n);
      ASSERT_NE(e, nullptr) << n;
      EXPECT_FALSE(e->glyph.texture.Empty()) << n;
    }
    for (const char* n : {"Bar", "BarVertical", "BarCustomize", "BarCustomizeVertical", "BarDragGrip", "BarDragGripVertical",
                          "MDIButtonMinimize", "MDIButtonRestore", "MDIButtonClose", "BarSeparator", "BarSeparatorVertical",
                          "Dock", "FloatBar", "ItemSeparator", "LinkStatic", "LinkSelected", "MainMenu", "MainMenuCustomize",
                          "MainMenuDrag", "MainMenuLinkSelected", "PopupMenu", "PopupMenuCheck", "PopupMenuExpandButton",
                          "PopupMenuLinkSelected", "PopupMenuSeparator", "PopupMenuSideStrip", "PopupMenuSideStripNonRecent",
                          "PopupMenuDropDownButtonLabel", "PopupMenuDropDownButtonArrow", "StatusBar", "ScreenTipWindow",
                          "ScreenTipSeparator"})
      EXPECT_NE(s.FindGroup("Bars")->Find(n), nullptr) << n;
    EXPECT_NE(FindProperty(s.FindGroup("Bars")->Find("Bar")->properties, "TextColorHot"), nullptr);
    for (const char* n : {"DockWindowButton", "DockWindowButtonGlyphs"}) EXPECT_NE(s.FindGroup("Docking")->Find(n), nullptr) << n;
  }
}

TEST_F(EverySkin, FrameSizesKeepTheFormAndButtonGroupsSound) {
  for (const Skin& s : skins_) {
    SCOPED_TRACE(s.name);
    const Group& form = *s.FindGroup("Form");
    auto frame = [&](const char* n) {
      const Element& e = *form.Find(n);
      return std::pair{e.image.FrameWidth(e.imageCount), e.image.FrameHeight(e.imageCount)};
    };
    int bottom = frame("FormFrameBottom").second;
    EXPECT_GE(bottom, 4);
    EXPECT_EQ(frame("FormFrameLeft").first, bottom);
    EXPECT_EQ(frame("FormFrameRight").first, bottom);
    const Element& nav = *s.FindGroup("Editors")->Find("Navigator");
    const Element& button = *s.FindGroup("Editors")->Find("EditorButton");
    EXPECT_LE(nav.image.FrameWidth(nav.imageCount), button.image.FrameWidth(1));
    EXPECT_LE(nav.image.FrameHeight(nav.imageCount), button.image.FrameHeight(1));
    const Element& content = *form.Find("FormContent");
    EXPECT_TRUE(content.image.texture.Empty());
    EXPECT_NE(content.color, kDefault);
    // Large surfaces stay opaque: the engine's fast path.
    for (auto [g, n] : {std::pair{"PageControl", "TabPane"}, {"Bars", "StatusBar"}, {"Common", "GroupPanelNoBorder"},
                        {"Form", "FormFrameLeft"}, {"Form", "FormFrameRight"}, {"Form", "FormFrameBottom"}, {"Form", "FormCaption"}})
      EXPECT_TRUE(s.FindGroup(g)->Find(n)->image.texture.Opaque()) << n;
  }
}

// A track bar's selection stands out from its groove.
TEST_F(EverySkin, TrackSelectionStandsOut) {
  for (const Skin& s : skins_) {
    const Element& track = *s.FindGroup("Editors")->Find("TrackBarTrack");
    int fw = track.image.FrameWidth(track.imageCount);
    Rgba groove = track.image.texture.At(fw / 2, 2), selection = track.image.texture.At(fw + fw / 2, 2);
    EXPECT_GE(Contrast(groove, selection), 1.5) << s.name;
  }
}

TEST_F(EverySkin, TextIsReadableOnItsFace) {
  for (const Skin& s : skins_)
    for (const TextOnFace& t : PoorContrast(s, 4.5)) ADD_FAILURE() << s.name << ": " << t.what;
}

// Normal, hot and pressed frames differ visibly: a mean channel difference of at least 12, over
// the window background.
TEST_F(EverySkin, StatesOfButtonsDifferVisibly) {
  auto frame = [](const Element& e, State s, int image, int x, int y) {
    const Image& im = e.image;
    int k = 0, index = 0;
    for (int o = 0; o <= CP; ++o)
      if (im.states & (1u << o)) {
        if (o == s) index = k;
        ++k;
      }
    int fw = im.FrameWidth(e.imageCount);
    return im.texture.At((image * im.StateCount() + index) * fw + x, y);
  };
  auto difference = [&](const Skin& s, const Element& e, State a, State b) {
    Rgba window = FromColor(s.FindGroup("Form")->Find("FormContent")->color);
    auto over = [&](Rgba p) { return Mix(window, WithAlpha(p, 255), p.a / 255.0); };
    int fw = e.image.FrameWidth(e.imageCount), fh = e.image.FrameHeight(e.imageCount);
    double sum = 0;
    for (int y = 0; y < fh; ++y)
      for (int x = 0; x < fw; ++x) {
        Rgba p = over(frame(e, a, 0, x, y)), q = over(frame(e, b, 0, x, y));
        sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
      }
    return sum / (3.0 * fw * fh);
  };
  const std::pair<const char*, const char*> buttons[] = {
      {"Common", "Button"},          {"Common", "ScrollButton"},       {"Common", "ScrollThumbVert"},
      {"Common", "Header"},          {"Editors", "EditorButton"},      {"Editors", "CloseButton"},
      {"Editors", "Checkbox"},       {"Editors", "RadioButton"},       {"Editors", "TrackBarThumb"},
      {"PageControl", "TabHeader"},  {"PageControl", "TabButtonHorz"}, {"PageControl", "TabHeaderCloseButton"},
      {"Form", "FormButtonClose"},   {"Form", "FormButtonMinimize"},   {"Bars", "BarCustomize"}};
  for (const Skin& s : skins_)
    for (auto [g, n] : buttons) {
      SCOPED_TRACE(s.name + "/" + n);
      const Element& e = *s.FindGroup(g)->Find(n);
      EXPECT_GE(difference(s, e, N, H), 12);
      EXPECT_GE(difference(s, e, N, P), 12);
      EXPECT_GE(difference(s, e, H, P), 12);
    }
}

TEST(SkinGenerator, TwoRunsGiveTheSameBytes) {
  for (const SkinCase& c : kSkins) {
    Description d = Load(c);
    EXPECT_EQ(WriteSkin(BuildSkin(d)), WriteSkin(BuildSkin(d))) << c.file;
  }
  EXPECT_EQ(EncodePng(DefaultSkinIcon(32)), EncodePng(DefaultSkinIcon(32)));
}

// A sheet of the main elements of each skin, three times enlarged over the window colour, kept
// as an artifact to look at.
TEST_F(EverySkin, SheetOfElementsIsWritten) {
  const std::pair<const char*, const char*> shown[] = {
      {"Common", "Button"},         {"Editors", "EditorButton"},     {"Editors", "Checkbox"},
      {"Editors", "RadioButton"},   {"Common", "ScrollButton"},      {"Common", "ScrollThumbVert"},
      {"Common", "GroupExpandButton"}, {"PageControl", "TabHeader"}, {"PageControl", "TabButtonHorz"},
      {"Editors", "TrackBarTrack"}, {"Editors", "TrackBarThumb"},    {"Editors", "TrackBarThumbVertUp"},
      {"Form", "FormCaption"},      {"Form", "FormButtonClose"},     {"Form", "FormButtonMaximize"},
      {"Form", "FormFrameBottom"},  {"Bars", "StatusBar"},           {"Bars", "PopupMenuCheck"},
      {"Common", "SizeGrip"},       {"Grid", "PlusMinus"},           {"Common", "SkinIconLarge"}};
  constexpr int kScale = 3, kGap = 4;
  for (const Skin& s : skins_) {
    Rgba window = FromColor(s.FindGroup("Form")->Find("FormContent")->color);
    std::vector<const Raster*> rows;
    for (auto [g, n] : shown)
      if (const Element* e = s.FindGroup(g)->Find(n)) {
        if (!e->image.texture.Empty()) rows.push_back(&e->image.texture);
        if (!e->glyph.texture.Empty()) rows.push_back(&e->glyph.texture);
      }
    int w = 0, h = kGap;
    for (const Raster* r : rows) w = std::max(w, r->Width() * kScale + 2 * kGap), h += r->Height() * kScale + kGap;
    Raster sheet(w, h);
    sheet.Fill(0, 0, w, h, window);
    int y = kGap;
    for (const Raster* r : rows) {
      for (int yy = 0; yy < r->Height() * kScale; ++yy)
        for (int xx = 0; xx < r->Width() * kScale; ++xx) sheet.Blend(kGap + xx, y + yy, r->At(xx / kScale, yy / kScale), 1.0);
      y += r->Height() * kScale + kGap;
    }
    std::vector<std::uint8_t> png = EncodePng(sheet);
    std::string path = testsupport::ArtifactPath("skins/" + s.name + "_elements.png");
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(png.data(), 1, png.size(), f);
    std::fclose(f);
  }
}

}  // namespace
