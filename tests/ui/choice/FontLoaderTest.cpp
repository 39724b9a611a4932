// The font loader's thread and the MRU names: its filter and flags over a fed enumeration (raster, device, fixed and
// symbol entries the platform never lists), the sorted hand-over on the interface thread, an
// abandoned load that calls nobody, and the platform's own faces. Run repeatedly under the
// sanitizer build: every loader frees itself.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Modules.h"
#include "tests/ui/foundation/Surface.h"
#include "tests/ui/choice/ChoiceFixture.h"
#include "ui/choice/FontLoader.h"
#include "ui/choice/MRUFontNameItems.h"

namespace {

using namespace win;
using choicetest::ChoiceTest;

struct Entry {
  const char* Name;
  std::uint32_t Type;
  std::uint8_t CharSet;
  std::uint8_t Pitch;
};

const Entry kFed[] = {
    {"Zeta", TRUETYPE_FONTTYPE, ANSI_CHARSET, 0x22},
    {"alpha", RASTER_FONTTYPE, ANSI_CHARSET, 0x22},
    {"Beta", DEVICE_FONTTYPE, ANSI_CHARSET, 0x22},
    {"Mono", RASTER_FONTTYPE, ANSI_CHARSET, 1},
    {"Modern", TRUETYPE_FONTTYPE, ANSI_CHARSET, 0x31},  // fixed pitch in the low bit, not equal to 1
    {"Sym", TRUETYPE_FONTTYPE, SYMBOL_CHARSET, 0x22},
    {"Zeta", RASTER_FONTTYPE, ANSI_CHARSET, 1},  // a second entry of a listed face
};

class FontLoaderTest : public ChoiceTest {
 protected:
  void TearDown() override {
    WaitForLoaders();
    SetFontEnumeration(nullptr);
    ChoiceTest::TearDown();
  }
  static void Feed(std::vector<Entry> Entries, std::atomic<int>* Visited = nullptr,
                   std::atomic<bool>* Gate = nullptr) {
    SetFontEnumeration([=](const std::function<bool(const TcxEnumeratedFont&)>& Visit) {
      for (const Entry& e : Entries) {
        if (Visited) ++*Visited;
        while (Gate && !Gate->load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (!Visit(TcxEnumeratedFont{e.Name, e.Type, e.CharSet, e.Pitch})) return;
      }
    });
  }
  // The interface thread serves the loaders' synchronized calls until every loader is gone.
  static void WaitForLoaders() {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (TcxFontLoader::LiveCount() > 0 && std::chrono::steady_clock::now() < end) CheckSynchronize(5);
    ASSERT_EQ(TcxFontLoader::LiveCount(), 0);
  }
  struct Result {
    std::vector<std::pair<String, int>> Fonts;
    int Completed = 0, Destroyed = 0;
    bool OnInterfaceThread = true;
  };
  static TcxFontLoader* Start(TcxFontTypes Types, Result& R) {
    auto* loader = new TcxFontLoader(Types);
    const auto ui = std::this_thread::get_id();
    loader->OnCompleted = [&R, ui](TObject* Sender) {
      ++R.Completed;
      R.OnInterfaceThread = R.OnInterfaceThread && std::this_thread::get_id() == ui;
      TStringList* list = static_cast<TcxFontLoader*>(Sender)->EnumeratedFonts();
      for (int i = 0; i < list->Count(); ++i) R.Fonts.emplace_back(list->Strings(i), FontFlagsOfObject(list->Objects(i)));
    };
    loader->OnDestroy = [&R, ui](TObject*) {
      ++R.Destroyed;
      R.OnInterfaceThread = R.OnInterfaceThread && std::this_thread::get_id() == ui && R.Completed == 1;
    };
    loader->Start();
    return loader;
  }
};

TEST_F(FontLoaderTest, ListsEachPassingFaceOnceSortedWithItsFirstFlags) {
  Feed({std::begin(kFed), std::end(kFed)});
  struct Case {
    TcxFontTypes Types;
    std::vector<std::pair<String, int>> Fonts;
  } cases[] = {
      {AllFontTypes(),
       {{"alpha", 1}, {"Beta", 2}, {"Modern", 4}, {"Mono", 1 | cxffFixed}, {"Sym", 4 | cxffSymbol}, {"Zeta", 4}}},
      {TcxFontTypes{cxftTTF}, {{"Modern", 4}, {"Sym", 4 | cxffSymbol}, {"Zeta", 4}}},
      {TcxFontTypes{cxftRaster}, {{"alpha", 1}, {"Mono", 1 | cxffFixed}, {"Zeta", 1 | cxffFixed}}},
      {TcxFontTypes{cxftFixed}, {{"Modern", 4}, {"Mono", 1 | cxffFixed}, {"Zeta", 1 | cxffFixed}}},
      {TcxFontTypes{cxftDevice, cxftSymbol}, {{"Beta", 2}, {"Sym", 4 | cxffSymbol}}},
      {TcxFontTypes{}, {}},
  };
  for (const Case& c : cases) {
    Result r;
    Start(c.Types, r);
    WaitForLoaders();
    EXPECT_EQ(r.Fonts, c.Fonts);
    EXPECT_EQ(r.Completed, 1);
    EXPECT_EQ(r.Destroyed, 1);
    EXPECT_TRUE(r.OnInterfaceThread);
  }
}

TEST_F(FontLoaderTest, FlagsMapToFontTypes) {
  EXPECT_EQ(FontTypesFromFlags(4), TcxFontTypes{cxftTTF});
  EXPECT_EQ(FontTypesFromFlags(1 | cxffFixed), (TcxFontTypes{cxftRaster, cxftFixed}));
  EXPECT_EQ(FontTypesFromFlags(2 | cxffSymbol), (TcxFontTypes{cxftDevice, cxftSymbol}));
  EXPECT_EQ(FontTypesFromFlags(0), TcxFontTypes{});
}

TEST_F(FontLoaderTest, AnAbandonedLoadCallsNobodyAndStopsEnumerating) {
  std::vector<Entry> many(500, Entry{"", TRUETYPE_FONTTYPE, ANSI_CHARSET, 0});
  std::vector<std::string> names;
  for (int i = 0; i < 500; ++i) names.push_back("Face" + std::to_string(i));
  for (int i = 0; i < 500; ++i) many[static_cast<std::size_t>(i)].Name = names[static_cast<std::size_t>(i)].c_str();
  std::atomic<int> visited{0};
  std::atomic<bool> gate{false};
  Feed(many, &visited, &gate);
  Result r;
  TcxFontLoader* loader = Start(AllFontTypes(), r);
  while (visited.load() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  // What the properties do when they stop a load: clear the handlers, ask it to end, forget it.
  loader->OnCompleted = nullptr;
  loader->OnDestroy = nullptr;
  loader->Terminate();
  gate = true;
  WaitForLoaders();
  EXPECT_EQ(r.Completed, 0);
  EXPECT_EQ(r.Destroyed, 0);
  EXPECT_LT(visited.load(), 500);
}

TEST_F(FontLoaderTest, ThePlatformsFacesArriveSortedAndUnique) {
  Result r;
  const auto start = std::chrono::steady_clock::now();
  Start(TcxFontTypes{cxftTTF}, r);
  WaitForLoaders();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  ASSERT_FALSE(r.Fonts.empty());
  for (std::size_t i = 1; i < r.Fonts.size(); ++i)
    EXPECT_LT(CompareText(r.Fonts[i - 1].first, r.Fonts[i].first), 0) << r.Fonts[i].first;
  bool dejaVu = false;
  for (const auto& f : r.Fonts) dejaVu = dejaVu || f.first == "DejaVu Sans";
  EXPECT_TRUE(dejaVu);
  RecordProperty("ReadyMs", static_cast<int>(ms.count()));
}

}  // namespace

namespace {

std::vector<String> Names(const TcxMRUFontNameItems& Items) {
  std::vector<String> names;
  for (int i = 0; i < Items.Count(); ++i) names.push_back(Items.Items(i)->FontName());
  return names;
}

// The MRU names as the properties keep them: each once, inserted at the head, moved to the front.
TEST(MRUFontNameItemsTest, NamesHeldOnceAndMovedWhole) {
  TcxMRUFontNameItems items(nullptr);
  int changes = 0;
  items.OnOwnerChanged = [&] { ++changes; };
  for (const char* name : {"A", "B", "C"}) ASSERT_NE(items.InsertFontName(0, name), nullptr);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(items.InsertFontName(0, "B"), nullptr);
  EXPECT_EQ(items.AddFontName(""), nullptr);
  EXPECT_EQ(items.FindFontName("b"), nullptr);
  EXPECT_EQ(Names(items), (std::vector<String>{"C", "B", "A"}));
  items.MoveFontName(1, 0);  // B chosen again: no B, B
  EXPECT_EQ(Names(items), (std::vector<String>{"B", "C", "A"}));
  items.MoveFontName(0, 2);
  EXPECT_EQ(Names(items), (std::vector<String>{"C", "B", "A"}));
}

}  // namespace

namespace {

// The type glyphs are the program's resources: 12 x 12 on a fuchsia ground, drawn eight times
// larger into a picture to look at.
TEST_F(FontLoaderTest, TypeGlyphsAreResources) {
  surfacetest::Surface s(2 * 12 * 8 + 8, 12 * 8, clWhite);
  int x = 0;
  for (const char* name : {"CXFONTCOMBO_TTF", "CXFONTCOMBO_NONTTF"}) {
    TBitmap glyph;
    glyph.LoadFromResourceName(GetModuleHandle(nullptr), name);
    EXPECT_EQ(glyph.Width(), 12) << name;
    EXPECT_EQ(glyph.Height(), 12) << name;
    EXPECT_EQ(glyph.Canvas()->Pixels(0, 11), static_cast<TColor>(0xFF00FF)) << name;
    s.Canvas()->StretchDraw(RECT{x, 0, x + 96, 96}, &glyph);
    x += 104;
  }
  EXPECT_GT(s.CountOf(clBlack), 8 * 8 * 10);
  s.Save("font-type-glyphs.png");
}

}  // namespace
