#pragma once
// The element catalogue: every group, element, colour and property the skin engine and its
// painters look up, drawn in one skin's palette. All skins share it; they differ only by their
// description.
#include <string>

#include "tools/skingen/Description.h"
#include "tools/skingen/SkinData.h"

namespace skingen {

Skin BuildSkin(const Description& description);

// The program's fallback skin icons (16 x 16 and 32 x 32), in no skin's palette.
Raster DefaultSkinIcon(int size);

// The colours text is drawn in and the faces it is drawn on, as the painters pair them; the
// generator refuses a description whose text would be hard to read.
struct TextOnFace {
  std::string what;
  Color text;
  Rgba face;  // the darkest or lightest face pixel under the text, whichever is worse
};
// Checks every pair; returns the pairs below the given contrast.
std::vector<TextOnFace> PoorContrast(const Skin& skin, double minimum);

}  // namespace skingen
