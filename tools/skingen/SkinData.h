#pragma once
// The generator's own picture of a skin and its writer of the skin stream and of the multi-skin
// container. It is kept apart from the skin engine's reader on purpose: each checks the other.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/skingen/Raster.h"

namespace skingen {

using Color = std::uint32_t;  // 0x00BBGGRR, or one of the two special values
constexpr Color kNone = 0x1FFFFFFF;
constexpr Color kDefault = 0x20000000;
Color ToColor(Rgba c);
Rgba FromColor(Color c);

// Element states, by ordinal.
enum State : int { N = 0, H, P, D, A, F, DD, C, HC, AD, CP };
using States = std::uint16_t;
constexpr States Bit(State s) { return static_cast<States>(1u << s); }

enum class Layout : std::uint8_t { Horizontal = 0, Vertical = 1 };
enum class Stretch : std::uint8_t { Stretch = 0, Tile = 1, NoResize = 2 };

struct Rect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Rect&) const = default;
};

struct Property {
  enum Kind { Integer, Boolean, ColorValue, RectValue, Size, String, WideString } kind;
  std::string name;
  std::int32_t integer = 0;  // Integer and Boolean; Size keeps cx here
  std::int32_t cy = 0;
  Color color = kDefault;
  Rect rect;
  std::string text;  // UTF-8

  static Property Make(Kind k, std::string n) {
    Property p{};
    p.kind = k, p.name = std::move(n);
    return p;
  }
  static Property Int(std::string n, std::int32_t v) {
    Property p = Make(Integer, std::move(n));
    p.integer = v;
    return p;
  }
  static Property Bool(std::string n, bool v) {
    Property p = Make(Boolean, std::move(n));
    p.integer = v ? 1 : 0;
    return p;
  }
  static Property Col(std::string n, Color c) {
    Property p = Make(ColorValue, std::move(n));
    p.color = c;
    return p;
  }
  static Property Rectangle(std::string n, Rect r) {
    Property p = Make(RectValue, std::move(n));
    p.rect = r;
    return p;
  }
  static Property Str(std::string n, std::string v) {
    Property p = Make(String, std::move(n));
    p.text = std::move(v);
    return p;
  }
  static Property Wide(std::string n, std::string v) {
    Property p = Make(WideString, std::move(n));
    p.text = std::move(v);
    return p;
  }
  const char* ClassName() const;
};

struct Image {
  Rect margins;
  Layout layout = Layout::Horizontal;
  States states = 0;
  Stretch stretch = Stretch::Stretch;
  Color gradientBegin = kNone, gradientEnd = kNone;
  std::uint8_t gradientMode = 0;
  Raster texture;  // empty: no image

  int StateCount() const;
  // The size of one frame for the owner's image count (the whole texture without states).
  int FrameWidth(int imageCount) const;
  int FrameHeight(int imageCount) const;
};

struct Border {
  Color color = kNone;
  std::int32_t thin = 1;
};

struct Element {
  std::string name;
  Color color = kDefault;
  std::uint8_t alpha = 255;
  std::int32_t imageCount = 1;
  Rect contentOffset;
  Image glyph, image;
  Border borders[4];  // left, top, right, bottom
  Color textColor = kDefault;
  std::int32_t minWidth = 0, minHeight = 0;
  std::vector<Property> properties;
};

struct Group {
  std::string name;
  std::vector<Element> elements;
  std::vector<Property> properties;
  Element* Find(const std::string& n);
  const Element* Find(const std::string& n) const;
};

struct Skin {
  std::string name;
  std::vector<std::pair<std::string, Color>> colors;
  std::vector<Property> properties;
  std::vector<Group> groups;
  Group* FindGroup(const std::string& n);
  const Group* FindGroup(const std::string& n) const;
};

constexpr double kFormatVersion = 1.03;

std::vector<std::uint8_t> WriteSkin(const Skin& skin);
// A container of whole skin streams, each part preceded by its size.
std::vector<std::uint8_t> WriteContainer(const std::vector<std::vector<std::uint8_t>>& skins,
                                         double version = kFormatVersion);

}  // namespace skingen
