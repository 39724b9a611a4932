// The generated skins read back through the skin engine: they load, resolve without adding
// anything, keep whole frames, survive a save and reload, list in order, and draw readable text
// and visible states.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Streams.h"
#include "platform/display/Display.h"
#include "platform/classes/Strings.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdiplus/GdiPlus.h"
#include "platform/system/Modules.h"
#include "platform/win/Startup.h"
#include "ui/foundation/GdiPlusApi.h"
#include "ui/foundation/PNGImage.h"
#include "ui/skins/Skin.h"
#include "ui/skins/SkinInfo.h"
#include "tests/support/Artifacts.h"

namespace {

struct Builtin {
  const char* resource;
  const char* name;
  const char* display;
};
const Builtin kBuiltins[] = {
    {"BLACK", "Black", "Black"},
    {"BLUE", "Blue", "Blue"},
    {"FOGGY", "Foggy", "Foggy"},
    {"LIQUIDSKY", "LiquidSky", "Liquid Sky"},
    {"SILVER", "Silver", "Silver"},
    {"XMAS2008BLUE", "Xmas2008Blue", "Xmas 2008 Blue"},
    {"DEFAULTUSERSKINDATA", "defaultuserskindata", "UserSkin"},
};

class BuiltinSkins : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::StartPlatform();
    platform::RegisterGdiPlusModule();
    GdiPlusUnitStartup();
    PNGImageUnitStartup();
    SkinUnitStartup();
  }
  void TearDown() override {
    SkinUnitShutdown();
    PNGImageUnitShutdown();
    GdiPlusUnitShutdown();
  }
  static TdxSkin* Load(const Builtin& b) { return new TdxSkin(b.resource, win::GetModuleHandle(nullptr), true); }
  platform::ScopedModuleOverrides modules;
};

int ElementCount(TdxSkin* Skin) {
  int n = 0;
  for (int g = 0; g < Skin->GroupCount(); ++g) n += Skin->GroupAt(g)->Count();
  return n;
}

TEST_F(BuiltinSkins, LoadAndResolveWithoutAddingAnything) {
  for (const Builtin& b : kBuiltins) {
    SCOPED_TRACE(b.resource);
    TdxSkin* skin = Load(b);
    EXPECT_EQ(skin->Name(), b.name);
    EXPECT_EQ(skin->DisplayName(), b.display);
    EXPECT_DOUBLE_EQ(skin->Version(), 1.03);
    EXPECT_EQ(skin->Colors()->Count(), 13);
    const int groups = skin->GroupCount(), elements = ElementCount(skin);
    EXPECT_EQ(groups, 13);
    std::unique_ptr<TdxSkinInfo> info;
    EXPECT_NO_THROW(info = std::make_unique<TdxSkinInfo>(skin));
    EXPECT_EQ(skin->GroupCount(), groups);
    EXPECT_EQ(ElementCount(skin), elements);
    // Every element and value the painters read is the skin's own.
    EXPECT_NE(info->BarsMainMenuCustomize, nullptr);
    EXPECT_NE(info->BarsMainMenuDrag, nullptr);
    EXPECT_NE(info->CommonSkinIcons[1], nullptr);
    EXPECT_TRUE(info->EditorsEditorButtonMergeBorders);
    EXPECT_EQ(info->PageControlSelectedHeaderHGrow, 2);
    EXPECT_EQ(info->FormBorderWidths[1].left, 4);
    EXPECT_EQ(info->FormBorderWidths[1].right, 4);
    EXPECT_EQ(info->FormBorderWidths[1].bottom, 4);
    EXPECT_NE(info->SkinSelectionTextColor, nullptr);
    EXPECT_EQ(info->SkinSkinGroupName != nullptr, std::string(b.resource) != "DEFAULTUSERSKINDATA");
  }
}

// Along its layout axis a texture holds image count x state count frames exactly; margins fit in
// a frame; the highest image index a painter draws lies inside the strip.
TEST_F(BuiltinSkins, StripsHoldWholeFramesForEveryIndexThePaintersDraw) {
  struct Use {
    const char* group;
    const char* element;
    int index;
  } uses[] = {{"Editors", "Checkbox", 2},          {"Editors", "RadioButton", 1},      {"Common", "ScrollButton", 3},
              {"Editors", "TrackBarTrack", 3},     {"Editors", "TrackBarTrackVert", 3}, {"PageControl", "TabButtonHorz", 3},
              {"PageControl", "TabButtonVert", 3}, {"Grid", "PlusMinus", 1},          {"Common", "GroupExpandButton", 1},
              {"Grid", "IndicatorImages", 2},      {"Bars", "PopupMenuCheck", 1},     {"Docking", "DockWindowButtonGlyphs", 6},
              {"Grid", "LayoutViewRecordExpandButton", 1}};
  for (const Builtin& b : kBuiltins) {
    std::unique_ptr<TdxSkin> skin(Load(b));
    for (int g = 0; g < skin->GroupCount(); ++g)
      for (int i = 0; i < skin->GroupAt(g)->Count(); ++i) {
        TdxSkinElement* e = skin->GroupAt(g)->ElementAt(i);
        for (TdxSkinImage* im : {e->Image(), e->Glyph()}) {
          if (im->Texture()->Empty()) continue;
          SCOPED_TRACE(std::string(b.name) + "/" + skin->GroupAt(g)->Name() + "/" + e->Name());
          win::SIZE frame = im->FrameSize();
          bool horizontal = im->ImageLayout() == ilHorizontal;
          int extent = horizontal ? im->Texture()->Width() : im->Texture()->Height();
          EXPECT_EQ(extent, e->ImageCount() * im->StateCount() * (horizontal ? frame.cx : frame.cy));
          TRect m = im->Margins()->Rect();
          EXPECT_LE(m.Left + m.Right, frame.cx);
          EXPECT_LE(m.Top + m.Bottom, frame.cy);
        }
      }
    for (const Use& u : uses) {
      SCOPED_TRACE(std::string(b.name) + "/" + u.element);
      TdxSkinElement* e = skin->GroupByName(u.group)->ElementByName(u.element);
      ASSERT_NE(e, nullptr);
      EXPECT_LT(u.index, e->ImageCount());
      for (int s = 0; s < dxSkinElementStateCount; ++s) {
        if (!(e->Image()->States() & StateBit(static_cast<TdxSkinElementState>(s)))) continue;
        win::RECT r = e->Image()->StateFrameRect(u.index, static_cast<TdxSkinElementState>(s));
        EXPECT_LE(r.right, e->Image()->Texture()->Width());
        EXPECT_LE(r.bottom, e->Image()->Texture()->Height());
      }
    }
  }
}

TEST_F(BuiltinSkins, SaveAndLoadAgainGivesEqualElements) {
  for (const Builtin& b : kBuiltins) {
    SCOPED_TRACE(b.resource);
    std::unique_ptr<TdxSkin> skin(Load(b));
    TMemoryStream stream;
    skin->SaveToStream(&stream);
    stream.SetPosition(0);
    TdxSkin again("Again");
    again.LoadFromStream(&stream);
    ASSERT_EQ(again.GroupCount(), skin->GroupCount());
    for (int g = 0; g < skin->GroupCount(); ++g) {
      ASSERT_EQ(again.GroupAt(g)->Count(), skin->GroupAt(g)->Count());
      for (int i = 0; i < skin->GroupAt(g)->Count(); ++i)
        EXPECT_TRUE(skin->GroupAt(g)->ElementAt(i)->IsEqual(again.GroupAt(g)->ElementAt(i)))
            << skin->GroupAt(g)->Name() << "/" << skin->GroupAt(g)->ElementAt(i)->Name();
    }
  }
}

TEST_F(BuiltinSkins, TheListFileNamesTheRegisteredSkinsInOrder) {
  TStringList names, displays;
  names.Add("kept");
  ASSERT_TRUE(ListSkinFileNames("AllSkins.skinres", &names, false));
  ASSERT_TRUE(ListSkinFileNames("AllSkins.skinres", &displays, true));
  EXPECT_EQ(names.Text(), "kept\r\nBlack\r\nBlue\r\nFoggy\r\nLiquidSky\r\nSilver\r\nXmas2008Blue\r\n");
  EXPECT_EQ(displays.Text(), "Black\r\nBlue\r\nFoggy\r\nLiquid Sky\r\nSilver\r\nXmas 2008 Blue\r\n");
  EXPECT_EQ(names.IndexOf("MoneyTwins"), -1);
}

// Measured on drawn pixels: the text colours stand out from the faces under them by at least
// 4.5 : 1, and normal, hot and pressed buttons differ by a mean channel difference of at least 12.
class Drawn : public BuiltinSkins {
 protected:
  struct Picture {
    std::unique_ptr<TBitmap> bitmap;
    TColor Pixel(int x, int y) const { return win::GetPixel(bitmap->Canvas()->Handle(), x, y); }
  };
  static Picture Draw(TdxSkinElement* e, int w, int h, TdxSkinElementState s, TColor background) {
    Picture p{std::make_unique<TBitmap>()};
    p.bitmap->SetPixelFormat(pf32bit);
    p.bitmap->SetSize(w, h);
    win::HDC dc = p.bitmap->Canvas()->Handle();
    win::HBRUSH brush = win::CreateSolidBrush(background);
    win::RECT r{0, 0, w, h};
    win::FillRect(dc, &r, brush);
    win::DeleteObject(brush);
    e->DrawOnDC(dc, r, 0, s);
    return p;
  }
};

double Luminance(TColor c) {
  auto lin = [](unsigned v) {
    double x = v / 255.0;
    return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin(c & 0xFF) + 0.7152 * lin((c >> 8) & 0xFF) + 0.0722 * lin((c >> 16) & 0xFF);
}
double Contrast(TColor a, TColor b) {
  double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TColor ColorProperty(TdxSkinPersistent* owner, const char* name) {
  auto* p = dynamic_cast<TdxSkinColor*>(owner->PropertyByName(name));
  return p ? p->Value() : clDefault;
}

TEST_F(Drawn, TextIsReadableOnTheFacesItIsDrawnOn) {
  for (const Builtin& b : kBuiltins) {
    std::unique_ptr<TdxSkin> skin(Load(b));
    TColor window = skin->GroupByName("Form")->ElementByName("FormContent")->Color();
    // The lowest contrast along the middle column of the text area.
    auto check = [&](const char* what, TdxSkinElement* e, int w, int h, TdxSkinElementState s, TColor text) {
      Picture p = Draw(e, w, h, s, window);
      TRect o = e->ContentOffset()->Rect();
      double lowest = 99;
      for (int y = o.Top; y < h - o.Bottom; ++y) lowest = std::min(lowest, Contrast(text, p.Pixel(w / 2, y)));
      EXPECT_GE(lowest, 4.5) << b.name << ": " << what << " in state " << s;
    };
    TdxSkinElement* button = skin->GroupByName("Common")->ElementByName("Button");
    for (TdxSkinElementState s : {esNormal, esHot, esPressed, esActive}) check("button caption", button, 75, 23, s, button->TextColor());
    TdxSkinElement* caption = skin->GroupByName("Form")->ElementByName("FormCaption");
    check("active caption", caption, 300, 24, esActive, caption->TextColor());
    check("inactive caption", caption, 300, 24, esActiveDisabled, ColorProperty(skin->GroupByName("Form"), "TextColorInactive"));
    TdxSkinElement* tab = skin->GroupByName("PageControl")->ElementByName("TabHeader");
    check("tab", tab, 80, 21, esNormal, ColorProperty(tab, "TextColor"));
    check("hot tab", tab, 80, 21, esHot, ColorProperty(tab, "TextColorHot"));
    check("selected tab", tab, 80, 23, esPressed, ColorProperty(tab, "TextColorSelected"));
    TdxSkinElement* status = skin->GroupByName("Bars")->ElementByName("StatusBar");
    check("status text", status, 200, 22, esNormal, status->TextColor());
    EXPECT_GE(Contrast(skin->ColorByName("ContentTextColor")->Value(), skin->ColorByName("ContentColor")->Value()), 4.5) << b.name;
    EXPECT_GE(Contrast(skin->ColorByName("SelectionTextColor")->Value(), skin->ColorByName("SelectionColor")->Value()), 4.5) << b.name;
  }
}

TEST_F(Drawn, NormalHotAndPressedDifferVisibly) {
  const std::pair<const char*, const char*> buttons[] = {
      {"Common", "Button"},         {"Common", "ScrollButton"},      {"Common", "Header"},
      {"Editors", "EditorButton"},  {"Editors", "Checkbox"},         {"Editors", "RadioButton"},
      {"Editors", "TrackBarThumb"}, {"PageControl", "TabHeader"},    {"PageControl", "TabButtonHorz"},
      {"Form", "FormButtonClose"},  {"Form", "FormButtonMinimize"}, {"Bars", "BarCustomize"}};
  for (const Builtin& b : kBuiltins) {
    std::unique_ptr<TdxSkin> skin(Load(b));
    TColor window = skin->GroupByName("Form")->ElementByName("FormContent")->Color();
    for (auto [g, n] : buttons) {
      TdxSkinElement* e = skin->GroupByName(g)->ElementByName(n);
      win::SIZE size = e->ImageSize();
      auto difference = [&](TdxSkinElementState x, TdxSkinElementState y) {
        Picture p = Draw(e, size.cx, size.cy, x, window), q = Draw(e, size.cx, size.cy, y, window);
        double sum = 0;
        for (int yy = 0; yy < size.cy; ++yy)
          for (int xx = 0; xx < size.cx; ++xx) {
            TColor c = p.Pixel(xx, yy), d = q.Pixel(xx, yy);
            for (int k = 0; k < 3; ++k) sum += std::abs(int((c >> (8 * k)) & 0xFF) - int((d >> (8 * k)) & 0xFF));
          }
        return sum / (3.0 * size.cx * size.cy);
      };
      EXPECT_GE(difference(esNormal, esHot), 12) << b.name << "/" << n;
      EXPECT_GE(difference(esNormal, esPressed), 12) << b.name << "/" << n;
      EXPECT_GE(difference(esHot, esPressed), 12) << b.name << "/" << n;
    }
  }
}

// Each skin's main elements drawn by the engine at the sizes the controls use, twice enlarged,
// kept as an artifact to look at.
TEST_F(Drawn, SheetOfDrawnElementsIsWritten) {
  constexpr int kWidth = 420, kHeight = 250;
  for (const Builtin& b : kBuiltins) {
    std::unique_ptr<TdxSkin> skin(Load(b));
    auto el = [&](const char* g, const char* n) { return skin->GroupByName(g)->ElementByName(n); };
    TdxSkinElement* content = el("Form", "FormContent");
    Picture p = Draw(content, kWidth, kHeight, esNormal, content->Color());
    win::HDC dc = p.bitmap->Canvas()->Handle();
    auto put = [&](TdxSkinElement* e, int x, int y, int w, int h, TdxSkinElementState s, int image = 0) {
      win::RECT r{x, y, x + w, y + h};
      e->DrawOnDC(dc, r, image, s);
    };
    put(el("Form", "FormCaption"), 0, 0, kWidth, 26, esActive);
    put(el("Form", "FormButtonMinimize"), kWidth - 80, 4, 22, 18, esNormal);
    put(el("Form", "FormButtonMaximize"), kWidth - 56, 4, 22, 18, esHot);
    put(el("Form", "FormButtonClose"), kWidth - 32, 4, 28, 18, esNormal);
    put(el("Form", "FormFrameLeft"), 0, 26, 4, kHeight - 30, esActive);
    put(el("Form", "FormFrameRight"), kWidth - 4, 26, 4, kHeight - 30, esActive);
    put(el("Form", "FormFrameBottom"), 0, kHeight - 4, kWidth, 4, esActive);
    TdxSkinElementState states[] = {esNormal, esHot, esPressed, esDisabled, esActive};
    for (int i = 0; i < 5; ++i) put(el("Common", "Button"), 10 + i * 80, 34, 75, 23, states[i]);
    // Tabs over the pane, the selected one (pressed) last, grown as the page control grows it.
    put(el("PageControl", "TabPane"), 8, 85, 300, 60, esNormal);
    for (int i : {0, 1, 3}) put(el("PageControl", "TabHeader"), 10 + i * 70, 64, 66, 22, states[i]);
    put(el("PageControl", "TabHeader"), 148, 62, 70, 24, esPressed);
    for (int i = 0; i < 4; ++i) put(el("PageControl", "TabButtonHorz"), 320 + i * 18, 66, 16, 16, esNormal, i);
    for (int i = 0; i < 3; ++i)
      for (int k = 0; k < 4; ++k) put(el("Editors", "Checkbox"), 20 + k * 18 + i * 80, 95, 13, 13, states[k], i);
    for (int i = 0; i < 2; ++i)
      for (int k = 0; k < 4; ++k) put(el("Editors", "RadioButton"), 20 + k * 18 + i * 80, 115, 13, 13, states[k], i);
    put(el("Editors", "EditorButton"), 200, 115, 17, 20, esNormal);
    put(el("Editors", "ComboButtonGlyph"), 200, 115, 17, 20, esNormal);
    put(el("Editors", "EditorButton"), 220, 115, 17, 20, esHot);
    put(el("Editors", "TrackBarTrack"), 320, 100, 90, 5, esNormal);
    put(el("Editors", "TrackBarTrack"), 320, 100, 40, 5, esNormal, 1);
    put(el("Editors", "TrackBarThumb"), 355, 94, 11, 19, esHot);
    put(el("Common", "ScrollContentVert"), 380, 120, 17, 80, esNormal);
    put(el("Common", "ScrollButton"), 380, 120, 17, 17, esNormal, 0);
    put(el("Common", "ScrollThumbVert"), 380, 140, 17, 30, esHot);
    put(el("Common", "ScrollButton"), 380, 183, 17, 17, esPressed, 1);
    put(el("Common", "GroupPanelCaptionTop"), 10, 155, 150, 20, esNormal);
    put(el("Common", "GroupPanelTop"), 10, 175, 150, 30, esNormal);
    put(el("Bars", "StatusBar"), 4, kHeight - 26, kWidth - 8, 22, esNormal);
    put(el("Bars", "LinkStatic"), 10, kHeight - 23, 120, 19, esNormal);
    put(el("Common", "SizeGrip"), kWidth - 18, kHeight - 18, 12, 12, esNormal);
    const int w = kWidth * 2, h = kHeight * 2;
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        TColor c = p.Pixel(x / 2, y / 2);
        px[static_cast<std::size_t>(y * w + x)] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
      }
    EXPECT_TRUE(platform::WritePng(testsupport::ArtifactPath(std::string("skins/") + b.name + "_drawn.png"), px.data(), w, h, w));
  }
}

}  // namespace
