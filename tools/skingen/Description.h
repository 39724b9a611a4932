#pragma once
// A skin description: the few values in which one skin differs from another. One text file per
// skin, "key value" lines, "# " starts a comment; colours are written #RRGGBB.
#include <optional>
#include <string>

#include "tools/skingen/Raster.h"

namespace skingen {

struct Palette {
  Rgba faceLight, faceDark;  // top and bottom of a face
  Rgba border, accent;
  Rgba text, disabledText;
  Rgba content;    // editors' and lists' background
  std::optional<Rgba> contentText;  // text on it; the text colour when not given
  Rgba selection;  // selected rows and items
  Rgba caption;    // window caption
  Rgba window;     // window background (the form's content)
  std::optional<Rgba> captionText, captionShadow;
};

struct Description {
  std::string streamName;   // the skin's name in its stream
  std::string displayName;  // "DisplayName"
  std::string groupName;    // "SkinGroupName"; empty: none
  bool listed = true;       // in the skin list file
  double radius = 3;        // corner radius of faces
  double gradient = 0.3;    // 0: flat faces
  double highlight = 0.5;   // opacity of the light line inside the top edge
  double hotLighten = 0.3, hotTint = 0.3, pressedDarken = 0.12;  // how hot and pressed faces differ
  Palette palette;
};

// Reads a description; errors name the file and line.
Description ParseDescription(const std::string& text, const std::string& fileName);
Description LoadDescription(const std::string& path);

}  // namespace skingen
