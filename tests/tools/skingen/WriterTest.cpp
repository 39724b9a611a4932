// The skin stream and container as the generator writes them, byte for byte.
#include <gtest/gtest.h>

#include <cstring>

#include "tools/skingen/Png.h"
#include "tools/skingen/SkinData.h"

using namespace skingen;

namespace {

// The expected stream, assembled field by field as the format lays it out.
struct Bytes {
  std::vector<std::uint8_t> b;
  Bytes& I32(std::int32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
    return *this;
  }
  Bytes& U8(std::uint8_t v) {
    b.push_back(v);
    return *this;
  }
  Bytes& Raw(std::initializer_list<std::uint8_t> v) {
    b.insert(b.end(), v);
    return *this;
  }
  Bytes& Text(const std::string& s) {
    I32(static_cast<std::int32_t>(s.size()));
    b.insert(b.end(), s.begin(), s.end());
    return *this;
  }
  Bytes& Header() {
    I32(6);
    for (char c : std::string("dxSkin")) b.push_back(static_cast<std::uint8_t>(c));
    // 1.03 as a little-endian double
    return Raw({0x7B, 0x14, 0xAE, 0x47, 0xE1, 0x7A, 0xF0, 0x3F});
  }
  Bytes& EmptyImage(std::uint16_t states) {
    I32(0).I32(0).I32(0).I32(0).U8(0).U8(static_cast<std::uint8_t>(states)).U8(static_cast<std::uint8_t>(states >> 8)).U8(0);
    return I32(kNone).I32(kNone).U8(0).I32(0);
  }
};

TEST(SkinWriter, SmallSkinIsWrittenFieldByField) {
  Skin skin;
  skin.name = "Tiny";
  skin.colors = {{"ContentColor", 0x00112233}};
  skin.properties = {Property::Wide("DisplayName", "Tiny Ä€"), Property::Str("SkinGroupName", "S")};
  Group g;
  g.name = "Common";
  Element e;
  e.name = "Button";
  e.color = 0x00AABBCC;
  e.alpha = 200;
  e.imageCount = 2;
  e.contentOffset = {1, 2, 3, 4};
  e.image.states = Bit(N) | Bit(AD);
  e.borders[1] = {0x00010203, 2};
  e.textColor = 0x00030201;
  e.minWidth = 7, e.minHeight = 9;
  e.properties = {Property::Bool("MergeBorders", true), Property::Rectangle("R", {5, 6, 7, 8})};
  g.elements.push_back(e);
  g.properties = {Property::Int("HeaderDownGrow", -3), Property::Col("TextColor", kDefault)};
  skin.groups.push_back(g);

  Bytes x;
  x.Header().Text("Tiny");
  x.I32(1).Text("TdxSkinColor").Text("ContentColor").I32(0x00112233);
  x.I32(2).Text("TdxSkinWideStringProperty").Text("DisplayName").I32(7);
  for (std::uint16_t c : std::u16string(u"Tiny Ä€")) x.U8(static_cast<std::uint8_t>(c)).U8(static_cast<std::uint8_t>(c >> 8));
  x.Text("TdxSkinStringProperty").Text("SkinGroupName").Text("S");
  x.I32(1).Text("Common").I32(1).Text("Button");
  x.I32(0x00AABBCC).U8(200).I32(2).I32(1).I32(2).I32(3).I32(4);
  x.EmptyImage(0).EmptyImage(static_cast<std::uint16_t>(Bit(N) | Bit(AD)));
  x.Text("TdxSkinBorder").Text("Left").I32(kNone).I32(1);
  x.Text("TdxSkinBorder").Text("Top").I32(0x00010203).I32(2);
  x.Text("TdxSkinBorder").Text("Right").I32(kNone).I32(1);
  x.Text("TdxSkinBorder").Text("Bottom").I32(kNone).I32(1);
  x.I32(0x00030201).I32(7).I32(9);
  x.I32(2).Text("TdxSkinBooleanProperty").Text("MergeBorders").U8(1);
  x.Text("TdxSkinRectProperty").Text("R").I32(5).I32(6).I32(7).I32(8);
  x.I32(2).Text("TdxSkinIntegerProperty").Text("HeaderDownGrow").I32(-3);
  x.Text("TdxSkinColor").Text("TextColor").I32(static_cast<std::int32_t>(kDefault));
  EXPECT_EQ(WriteSkin(skin), x.b);
}

TEST(SkinWriter, ImageRecordCarriesTheWholePngFile) {
  Skin skin;
  skin.name = "P";
  Group g;
  g.name = "G";
  Element e;
  e.name = "E";
  e.image.texture = Raster(3, 2);
  e.image.texture.Fill(0, 0, 3, 2, Rgba{10, 20, 30, 255});
  e.image.margins = {1, 0, 1, 0};
  e.image.stretch = Stretch::Tile;
  e.image.layout = Layout::Vertical;
  g.elements.push_back(e);
  skin.groups.push_back(g);
  std::vector<std::uint8_t> bytes = WriteSkin(skin), png = EncodePng(e.image.texture);
  // The image record follows the glyph's: margins, layout, states, stretch, gradients, N, data.
  Bytes prefix;
  prefix.I32(1).I32(0).I32(1).I32(0).U8(1).U8(0).U8(0).U8(1).I32(kNone).I32(kNone).U8(0).I32(static_cast<std::int32_t>(png.size()));
  auto at = std::search(bytes.begin(), bytes.end(), prefix.b.begin(), prefix.b.end());
  ASSERT_NE(at, bytes.end());
  ASSERT_GE(bytes.end() - (at + prefix.b.size()), static_cast<std::ptrdiff_t>(png.size()));
  EXPECT_TRUE(std::equal(png.begin(), png.end(), at + static_cast<std::ptrdiff_t>(prefix.b.size())));
  const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  EXPECT_EQ(std::memcmp(png.data(), signature, 8), 0);
}

TEST(SkinWriter, ContainerHoldsEachStreamAfterItsSize) {
  std::vector<std::vector<std::uint8_t>> parts = {{1, 2, 3}, {}, {9}};
  Bytes x;
  x.Header().I32(3).I32(3).Raw({1, 2, 3}).I32(0).I32(1).Raw({9});
  EXPECT_EQ(WriteContainer(parts), x.b);
}

}  // namespace
