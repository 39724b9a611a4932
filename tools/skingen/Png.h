#pragma once
// PNG files of skin textures: fixed encoder settings and no time or text chunks, so the same
// picture always gives the same bytes. Opaque pictures are written without an alpha channel,
// which the skin engine takes as its fast opaque path.
#include <cstdint>
#include <vector>

#include "tools/skingen/Raster.h"

namespace skingen {

std::vector<std::uint8_t> EncodePng(const Raster& raster);

}  // namespace skingen
