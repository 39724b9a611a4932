#include <cstring>
#include <fstream>
#include <memory>
#include <random>

#include "platform/system/Resources.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/skins/SkinFixture.h"

namespace {

using skintest::Bytes;
using skintest::ErrorOf;
using skintest::SkinTest;

// A skin with something of every kind: colours, each property class, a group property, an
// element with borders, offsets, a minimum size, properties, a texture and a gradient.
std::unique_ptr<TdxSkin> SampleSkin() {
  auto skin = std::make_unique<TdxSkin>("Sample");
  skin->Colors()->AddColor("ContentColor", 0x00F0F0F0);
  static_cast<TdxSkinStringProperty*>(skin->Properties()->Add("DisplayName", TdxSkinWideStringProperty::StaticClass()))
      ->SetValue("Sample \xE7\x9A\xAE\xE8\x82\xA4");
  TdxSkinControlGroup* group = skin->AddGroup("Common");
  static_cast<TdxSkinIntegerProperty*>(group->Properties()->Add("Indent", TdxSkinIntegerProperty::StaticClass()))
      ->SetValue(-7);
  TdxSkinElement* e = group->AddElement("Button");
  e->SetColor(0x00112233);
  e->SetAlpha(200);
  e->SetImageCount(2);
  e->ContentOffset()->AssignRect({1, 2, 3, 4});
  e->Borders()->Bottom()->SetColor(0x00445566);
  e->Borders()->Bottom()->SetThin(2);
  e->SetTextColor(0x00778899);
  e->MinSize()->AssignSize(TSize(5, 6));
  static_cast<TdxSkinBooleanProperty*>(e->Properties()->Add("MergeBorders", TdxSkinBooleanProperty::StaticClass()))
      ->SetValue(true);
  static_cast<TdxSkinRectProperty*>(e->Properties()->Add("Padding", TdxSkinRectProperty::StaticClass()))
      ->Value()
      ->AssignRect({1, 1, 2, 2});
  static_cast<TdxSkinSizeProperty*>(e->Properties()->Add("Grip", TdxSkinSizeProperty::StaticClass()))->SetValue({3, 4});
  e->Image()->SetStates(StateBit(esNormal) | StateBit(esHot));
  e->Image()->SetImageLayout(ilVertical);
  e->Image()->SetStretch(smTile);
  e->Image()->Margins()->AssignRect({1, 1, 1, 1});
  e->Image()->SetGradientBeginColor(0x000000FF);
  e->Image()->SetGradientEndColor(0x0000FF00);
  e->Image()->SetGradient(gmForwardDiagonal);
  std::vector<std::uint32_t> pixels(3 * 8);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 0x0A0B0C);
  pixels[5] = 0x80402010;
  skintest::SetTexture(e->Image(), 3, 8, pixels);
  return skin;
}

TEST_F(SkinTest, WriterBytesFollowTheLayoutAndSurviveARoundTrip) {
  auto skin = SampleSkin();
  const std::vector<std::uint8_t> written = skintest::SaveSkin(skin.get());

  // Everything up to the texture, byte for byte; the PNG is checked by reading it back.
  Bytes e;
  e.header(1.03).ansi("Sample");
  e.i32(1).ansi("TdxSkinColor").ansi("ContentColor").i32(0x00F0F0F0);
  e.i32(1).ansi("TdxSkinWideStringProperty").ansi("DisplayName").i32(9);
  for (char16_t c : std::u16string(u"Sample \u76AE\u80A4")) e.u16(c);
  e.i32(1).ansi("Common");
  e.i32(1).ansi("Button");
  e.i32(0x00112233).u8(200).i32(2).rect(1, 2, 3, 4);
  // The glyph: empty.
  e.rect(0, 0, 0, 0).u8(0).u16(0).u8(0).i32(0x1FFFFFFF).i32(0x1FFFFFFF).u8(0).i32(0);
  e.rect(1, 1, 1, 1).u8(1).u16(3).u8(1).i32(0xFF).i32(0xFF00).u8(2);
  ASSERT_GT(written.size(), e.b.size() + 4);
  ASSERT_TRUE(std::equal(e.b.begin(), e.b.end(), written.begin()));
  std::int32_t pngLength = 0;
  std::memcpy(&pngLength, written.data() + e.b.size(), 4);
  const std::size_t pngAt = e.b.size() + 4;
  ASSERT_GT(pngLength, 8);
  EXPECT_EQ(std::memcmp(written.data() + pngAt, "\x89PNG\r\n\x1a\n", 8), 0);

  Bytes tail;
  tail.ansi("TdxSkinBorder").ansi("Left").i32(0x1FFFFFFF).i32(1);
  tail.ansi("TdxSkinBorder").ansi("Top").i32(0x1FFFFFFF).i32(1);
  tail.ansi("TdxSkinBorder").ansi("Right").i32(0x1FFFFFFF).i32(1);
  tail.ansi("TdxSkinBorder").ansi("Bottom").i32(0x00445566).i32(2);
  tail.i32(0x00778899).i32(5).i32(6);
  tail.i32(3).ansi("TdxSkinBooleanProperty").ansi("MergeBorders").u8(1);
  tail.ansi("TdxSkinRectProperty").ansi("Padding").rect(1, 1, 2, 2);
  tail.ansi("TdxSkinSizeProperty").ansi("Grip").i32(3).i32(4);
  tail.i32(1).ansi("TdxSkinIntegerProperty").ansi("Indent").i32(-7);
  const std::vector<std::uint8_t> rest(written.begin() + static_cast<std::ptrdiff_t>(pngAt) + pngLength, written.end());
  EXPECT_EQ(rest, tail.b);

  // Load, save, load: equal elements, and the writer's bytes again.
  std::unique_ptr<TdxSkin> loaded(skintest::LoadSkin(written));
  EXPECT_EQ(loaded->Name(), "Sample");
  EXPECT_DOUBLE_EQ(loaded->Version(), 1.03);
  EXPECT_EQ(loaded->DisplayName(), "Sample \xE7\x9A\xAE\xE8\x82\xA4");
  TdxSkinElement* a = skin->GroupByName("Common")->ElementByName("Button");
  TdxSkinElement* b = loaded->GroupByName("Common")->ElementByName("Button");
  ASSERT_NE(b, nullptr);
  EXPECT_TRUE(a->IsEqual(b));
  EXPECT_TRUE(b->IsColorAssigned());
  std::unique_ptr<TdxSkin> again(skintest::LoadSkin(skintest::SaveSkin(loaded.get())));
  EXPECT_TRUE(again->GroupByName("Common")->ElementByName("Button")->IsEqual(a));
  EXPECT_EQ(skintest::SaveSkin(again.get()), written);
}

TEST_F(SkinTest, OlderVersionsAndOddHeadersRead) {
  // Version 1.0: no gradient bytes; a first int32 other than 6 is never looked at; an image of
  // N = 0 is followed at once by the next image.
  Bytes s;
  s.i32(1234567).raw("dxSkin").f64(1.0).ansi("Old");
  s.i32(0).i32(0);
  s.i32(1).ansi("Common").i32(1).ansi("Button");
  s.i32(clDefault).u8(255).i32(1).rect(0, 0, 0, 0);
  s.rect(0, 0, 0, 0).u8(0).u16(1).u8(0).i32(0);
  s.rect(2, 2, 2, 2).u8(0).u16(1).u8(2).i32(0);
  for (const char* side : {"Left", "Top", "Right", "Bottom"}) s.ansi("TdxSkinBorder").ansi(side).i32(clNone).i32(1);
  s.i32(0x00ABCDEF).i32(0).i32(0).i32(0);
  s.i32(0);
  std::unique_ptr<TdxSkin> skin(skintest::LoadSkin(s.b));
  EXPECT_EQ(skin->Name(), "Old");
  TdxSkinElement* e = skin->GroupByName("Common")->ElementByName("Button");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Image()->GradientBeginColor(), clNone);
  EXPECT_EQ(e->Image()->Margins()->Left(), 2);
  EXPECT_EQ(e->Image()->Stretch(), smNoResize);
  EXPECT_TRUE(e->Image()->IsEmpty());
  EXPECT_EQ(e->TextColor(), 0x00ABCDEF);

  // Errors, each with its text; a failed header leaves the skin as it was.
  struct {
    std::vector<std::uint8_t> bytes;
    const char* error;
  } cases[] = {
      {Bytes().i32(6).raw("dxSkiN").f64(1.03).b, "Invalid stream format"},
      {Bytes().i32(6).raw("dxSk").b, "Invalid stream format"},
      {Bytes().header(0.9).ansi("Old").b,
       "The skin data version is older than the current Skins Library version.\r\nSkins cannot be loaded due to "
       "a version mismatch."},
      {Bytes().header(1.03).ansi("X").i32(0).i32(1).ansi("TdxSkinFancyProperty").ansi("A").b,
       "Class TdxSkinFancyProperty not found"},
      {Bytes().header(1.03).ansi("X").i32(0).i32(1).ansi("TdxSkinBorder").ansi("A").b,
       "Class TdxSkinBorder not found"},
      {Bytes().header(1.03).ansi("X").i32(0x7FFFFFFF).b, "Stream read error"},
      {Bytes().header(1.03).i32(0x7FFFFFF0).b, "Stream read error"},
  };
  for (auto& c : cases) {
    TdxSkin target("Keep");
    target.Colors()->AddColor("Mine", 1);
    TMemoryStream stream;
    stream.WriteBuffer(c.bytes.data(), static_cast<std::int32_t>(c.bytes.size()));
    stream.SetPosition(0);
    EXPECT_EQ(ErrorOf([&] { target.LoadFromStream(&stream); }), c.error);
    EXPECT_EQ(target.LockCount(), 0);
    if (std::string(c.error) == "Invalid stream format") {
      EXPECT_EQ(target.ColorByName("Mine")->Value(), 1);
    }
  }
}

TEST_F(SkinTest, CutAndDamagedStreamsFailCleanly) {
  const std::vector<std::uint8_t> whole = skintest::SaveSkin(SampleSkin().get());
  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    std::vector<std::uint8_t> part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
    const std::string error = ErrorOf([&] { delete skintest::LoadSkin(part); });
    if (cut < 10)
      EXPECT_EQ(error, "Invalid stream format") << cut;
    else
      EXPECT_EQ(error, "Stream read error") << cut;
  }
  std::mt19937 random(43);
  for (int round = 0; round < 400; ++round) {
    std::vector<std::uint8_t> damaged = whole;
    for (int flips = 0; flips < 3; ++flips)
      damaged[random() % damaged.size()] ^= static_cast<std::uint8_t>(1u << (random() % 8));
    try {
      delete skintest::LoadSkin(damaged);
    } catch (const Exception&) {
    }
  }
}

TEST_F(SkinTest, ResourcesLoadByNameWithoutCase) {
  static const std::vector<std::uint8_t> data = skintest::TinySkin("Tiny", "Tiny Skin");
  static const platform::ResourceEntry entries[] = {{"DXSKINS", "TINYTESTSKIN", data.data(), data.size()}};
  platform::RegisterResources(entries, 1);
  TdxSkin skin("TinyTestSkin", nullptr, true);
  EXPECT_EQ(skin.Name(), "Tiny");
  EXPECT_EQ(skin.DisplayName(), "Tiny Skin");
  EXPECT_EQ(ErrorOf([] { TdxSkin missing("NoSuchSkin", nullptr, true); }), "Resource NoSuchSkin not found");
}

std::vector<std::uint8_t> Container(double Version, const std::vector<std::vector<std::uint8_t>>& Parts,
                                    std::vector<std::size_t>* Starts = nullptr) {
  Bytes c;
  c.header(Version).i32(static_cast<std::int32_t>(Parts.size()));
  for (const auto& part : Parts) {
    c.i32(static_cast<std::int32_t>(part.size()));
    if (Starts) Starts->push_back(c.b.size());
    c.append(part);
  }
  return c.b;
}

TEST_F(SkinTest, SkinListsOfContainersAndSingleStreams) {
  std::vector<std::size_t> starts;
  const auto three = Container(1.03,
                               {skintest::TinySkin("Black", "Black"), skintest::TinySkin("LiquidSky", "Liquid Sky"),
                                skintest::TinySkin("Silver", "Silver", 1.0)},
                               &starts);
  {
    TMemoryStream stream;
    stream.WriteBuffer(three.data(), static_cast<std::int32_t>(three.size()));
    stream.SetPosition(0);
    TdxSkinBinaryReader reader(&stream);
    ASSERT_EQ(reader.Count(), 3);
    EXPECT_EQ(reader.SkinNames(0), "Black");
    EXPECT_EQ(reader.DisplayNames(0), "Black");
    EXPECT_EQ(reader.SkinNames(1), "LiquidSky");
    EXPECT_EQ(reader.DisplayNames(1), "Liquid Sky");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(reader.SkinOffset(i), static_cast<std::int64_t>(starts[static_cast<std::size_t>(i)]));
  }

  // A stream that starts like a skin but is none, read as one single skin, ends early.
  struct {
    std::vector<std::uint8_t> bytes;
    std::vector<std::string> names;
    const char* error;
  } cases[] = {
      {three, {"Black", "Liquid Sky", "Silver"}, ""},
      {skintest::TinySkin("Foggy", "Foggy"), {"Foggy"}, ""},
      {{}, {}, ""},
      {Bytes().raw("not a skin at all, just some text").b, {}, ""},
      {Bytes().header(0.99).ansi("Old").b, {}, ""},
      // Version 1.0 is no container: the bytes are read as one skin, which they are not.
      {Container(1.0, {skintest::TinySkin("Black", "Black")}), {}, "Stream read error"},
      // A part that cannot lie in the stream fails the container, whatever the count says.
      {Bytes().header(1.03).i32(0x7FFFFFFF).i32(-4).b, {}, "Stream read error"},
      {Bytes().header(1.03).i32(2).i32(1000).append(skintest::TinySkin("Blue", "Blue")).b, {}, "Stream read error"},
  };
  for (auto& c : cases) {
    TMemoryStream stream;
    if (!c.bytes.empty()) stream.WriteBuffer(c.bytes.data(), static_cast<std::int32_t>(c.bytes.size()));
    stream.SetPosition(0);
    TStringList list;
    for (int i = 0; i < 5; ++i) list.Add("kept" + std::to_string(i));
    bool found = false;
    EXPECT_EQ(ErrorOf([&] { found = ListSkinStreamNames(&stream, &list, true); }), c.error);
    EXPECT_EQ(found, !c.names.empty());
    ASSERT_EQ(list.Count(), 5 + static_cast<int>(c.names.size()));
    for (std::size_t i = 0; i < c.names.size(); ++i) EXPECT_EQ(list.Strings(5 + static_cast<int>(i)), c.names[i]);
  }

  // Files: read-only, shared; an empty file lists nothing, a cut one raises.
  const std::string dir = testsupport::TempDir("skinlists");
  auto write = [&](const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(dir + "/" + name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                             static_cast<std::streamsize>(bytes.size()));
    return dir + "/" + name;
  };
  TStringList names;
  EXPECT_TRUE(ListSkinFileNames(write("AllSkins.skinres", three), &names, false));
  EXPECT_EQ(names.Text(), "Black\r\nLiquidSky\r\nSilver\r\n");
  EXPECT_FALSE(ListSkinFileNames(write("empty.skinres", {}), &names, false));
  EXPECT_EQ(names.Count(), 3);
  const auto one = skintest::TinySkin("Foggy", "Foggy");
  EXPECT_EQ(ErrorOf([&] {
              ListSkinFileNames(write("cut.skinres", std::vector<std::uint8_t>(one.begin(), one.end() - 10)), &names,
                                false);
            }),
            "Stream read error");
}

TEST_F(SkinTest, PartStreamIsAWindowOnItsSource) {
  TMemoryStream source;
  source.WriteBuffer("0123456789", 10);
  source.SetPosition(3);
  TdxSkinPartStream part(&source, 4);
  EXPECT_EQ(part.Size(), 4);
  EXPECT_EQ(part.Position(), 0);
  char buffer[8] = {};
  EXPECT_EQ(part.Read(buffer, 2), 2);
  EXPECT_EQ(std::string(buffer, 2), "34");
  EXPECT_EQ(part.Seek(100, soBeginning), 4) << "clamped to the window";
  EXPECT_EQ(part.Seek(-100, soEnd), 0);
  EXPECT_EQ(part.Seek(1, soCurrent), 1);
  EXPECT_EQ(source.Position(), 4);
}

}  // namespace
