#include "tools/skingen/SkinData.h"

#include <bit>
#include <cstring>
#include <stdexcept>

#include "tools/skingen/Png.h"

namespace skingen {

Color ToColor(Rgba c) { return static_cast<Color>(c.r | c.g << 8 | c.b << 16); }
Rgba FromColor(Color c) {
  return {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c >> 16), 255};
}

const char* Property::ClassName() const {
  switch (kind) {
    case Integer: return "TdxSkinIntegerProperty";
    case Boolean: return "TdxSkinBooleanProperty";
    case ColorValue: return "TdxSkinColor";
    case RectValue: return "TdxSkinRectProperty";
    case Size: return "TdxSkinSizeProperty";
    case String: return "TdxSkinStringProperty";
    case WideString: return "TdxSkinWideStringProperty";
  }
  return "";
}

int Image::StateCount() const { return std::popcount(static_cast<unsigned>(states & 0x7FF)); }

int Image::FrameWidth(int imageCount) const {
  int n = StateCount();
  return n > 0 && layout == Layout::Horizontal ? texture.Width() / imageCount / n : texture.Width();
}

int Image::FrameHeight(int imageCount) const {
  int n = StateCount();
  return n > 0 && layout == Layout::Vertical ? texture.Height() / imageCount / n : texture.Height();
}

Element* Group::Find(const std::string& n) {
  for (Element& e : elements)
    if (e.name == n) return &e;
  return nullptr;
}
const Element* Group::Find(const std::string& n) const { return const_cast<Group*>(this)->Find(n); }

Group* Skin::FindGroup(const std::string& n) {
  for (Group& g : groups)
    if (g.name == n) return &g;
  return nullptr;
}
const Group* Skin::FindGroup(const std::string& n) const { return const_cast<Skin*>(this)->FindGroup(n); }

namespace {

class Writer {
 public:
  std::vector<std::uint8_t> bytes;

  void Bytes(const void* p, std::size_t n) {
    auto* b = static_cast<const std::uint8_t*>(p);
    bytes.insert(bytes.end(), b, b + n);
  }
  void Int32(std::int32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
  }
  void Word(std::uint16_t v) {
    bytes.push_back(static_cast<std::uint8_t>(v));
    bytes.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  void Byte(std::uint8_t v) { bytes.push_back(v); }
  void Float64(double v) {
    std::uint64_t u = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
  }
  void Colour(Color c) { Int32(static_cast<std::int32_t>(c)); }
  void RectValue(const Rect& r) {
    Int32(r.left), Int32(r.top), Int32(r.right), Int32(r.bottom);
  }
  void Ansi(const std::string& s) {
    Int32(static_cast<std::int32_t>(s.size()));
    Bytes(s.data(), s.size());
  }
  void Wide(const std::string& utf8) {
    std::u16string w = Utf16(utf8);
    Int32(static_cast<std::int32_t>(w.size()));
    for (char16_t c : w) Word(static_cast<std::uint16_t>(c));
  }
  void Header(double version) {
    Int32(6);
    Bytes("dxSkin", 6);
    Float64(version);
  }

  void Properties(const std::vector<Property>& list) {
    Int32(static_cast<std::int32_t>(list.size()));
    for (const Property& p : list) {
      Ansi(p.ClassName());
      Ansi(p.name);
      switch (p.kind) {
        case Property::Integer: Int32(p.integer); break;
        case Property::Boolean: Byte(p.integer ? 1 : 0); break;
        case Property::ColorValue: Colour(p.color); break;
        case Property::RectValue: RectValue(p.rect); break;
        case Property::Size: Int32(p.integer), Int32(p.cy); break;
        case Property::String: Ansi(p.text); break;
        case Property::WideString: Wide(p.text); break;
      }
    }
  }

  void ImageRecord(const Image& image) {
    RectValue(image.margins);
    Byte(static_cast<std::uint8_t>(image.layout));
    Word(image.states);
    Byte(static_cast<std::uint8_t>(image.stretch));
    Colour(image.gradientBegin);
    Colour(image.gradientEnd);
    Byte(image.gradientMode);
    std::vector<std::uint8_t> png = EncodePng(image.texture);
    Int32(static_cast<std::int32_t>(png.size()));
    Bytes(png.data(), png.size());
  }

  void ElementRecord(const Element& e) {
    Colour(e.color);
    Byte(e.alpha);
    Int32(e.imageCount);
    RectValue(e.contentOffset);
    ImageRecord(e.glyph);
    ImageRecord(e.image);
    static const char* const kSides[] = {"Left", "Top", "Right", "Bottom"};
    for (int side = 0; side < 4; ++side) {
      Ansi("TdxSkinBorder");
      Ansi(kSides[side]);
      Colour(e.borders[side].color);
      Int32(e.borders[side].thin);
    }
    Colour(e.textColor);
    Int32(e.minWidth), Int32(e.minHeight);
    Properties(e.properties);
  }

  static std::u16string Utf16(const std::string& s) {
    std::u16string out;
    for (std::size_t i = 0; i < s.size();) {
      auto c = static_cast<unsigned char>(s[i]);
      std::uint32_t cp;
      int n;
      if (c < 0x80) cp = c, n = 1;
      else if ((c >> 5) == 6) cp = c & 0x1F, n = 2;
      else if ((c >> 4) == 14) cp = c & 0x0F, n = 3;
      else if ((c >> 3) == 30) cp = c & 0x07, n = 4;
      else throw std::runtime_error("invalid UTF-8 in \"" + s + "\"");
      if (i + n > s.size()) throw std::runtime_error("invalid UTF-8 in \"" + s + "\"");
      for (int k = 1; k < n; ++k) cp = cp << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3F);
      i += n;
      if (cp >= 0x10000) {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
      } else {
        out += static_cast<char16_t>(cp);
      }
    }
    return out;
  }
};

}  // namespace

std::vector<std::uint8_t> WriteSkin(const Skin& skin) {
  Writer w;
  w.Header(kFormatVersion);
  w.Ansi(skin.name);
  w.Int32(static_cast<std::int32_t>(skin.colors.size()));
  for (const auto& [name, value] : skin.colors) {
    w.Ansi("TdxSkinColor");
    w.Ansi(name);
    w.Colour(value);
  }
  w.Properties(skin.properties);
  w.Int32(static_cast<std::int32_t>(skin.groups.size()));
  for (const Group& g : skin.groups) {
    w.Ansi(g.name);
    w.Int32(static_cast<std::int32_t>(g.elements.size()));
    for (const Element& e : g.elements) {
      w.Ansi(e.name);
      w.ElementRecord(e);
    }
    w.Properties(g.properties);
  }
  return std::move(w.bytes);
}

std::vector<std::uint8_t> WriteContainer(const std::vector<std::vector<std::uint8_t>>& skins, double version) {
  Writer w;
  w.Header(version);
  w.Int32(static_cast<std::int32_t>(skins.size()));
  for (const auto& part : skins) {
    w.Int32(static_cast<std::int32_t>(part.size()));
    w.Bytes(part.data(), part.size());
  }
  return std::move(w.bytes);
}

}  // namespace skingen
