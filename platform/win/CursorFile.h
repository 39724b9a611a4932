#pragma once
// Cursor files (.cur) as the program's cursor resources hold them.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/display/Display.h"

namespace platform::wm {

// The image of the file's entry nearest `preferred` pixels square, with its hot spot; nullptr
// when the bytes are not a cursor file this platform reads (uncompressed 1, 4, 8, 24 or 32 bits
// per pixel with their mask; entries stored as PNG are not read).
std::shared_ptr<const CursorImage> DecodeCursorFile(const std::uint8_t* data, std::size_t size, int preferred);

}  // namespace platform::wm
