#pragma once
// Screen frames as the screens' port receives them, for tests that read them at a peer.
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace testsupport {

using FrameBytes = std::vector<std::uint8_t>;

inline FrameBytes Frame(std::uint8_t a1, std::uint8_t a2, std::uint8_t cmd, std::uint8_t value) {
  return {0xC6, a1, a2, cmd, value, 0xBB};
}

// Frames one after another, as they arrive.
inline FrameBytes Frames(std::initializer_list<FrameBytes> frames) {
  FrameBytes all;
  for (const FrameBytes& f : frames) all.insert(all.end(), f.begin(), f.end());
  return all;
}

}  // namespace testsupport
