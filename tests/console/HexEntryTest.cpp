#include "console/HexEntry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(HexEntryTest, OnlyTheDigitsCountAndTheyPairHighNibbleFirst) {
  const struct {
    std::string entry, digits;
    std::vector<std::uint8_t> bytes;
  } table[] = {
      {"C6 11 33 20 02 BB", "C611332002BB", {0xC6, 0x11, 0x33, 0x20, 0x02, 0xBB}},
      {"c6,11,ff,5a,01,bb", "c611ff5a01bb", {0xC6, 0x11, 0xFF, 0x5A, 0x01, 0xBB}},
      {"C61", "C61", {0xC6}},
      {"xyz", "", {}},
      {"", "", {}},
      // Letters beyond F and characters outside ASCII are no digits; a gap inside a byte is none.
      {"0G 1h-2 3，4", "01234", {0x01, 0x23}},
      {"拼接 A", "A", {}},
  };
  for (const auto& c : table) {
    EXPECT_EQ(HexDigitsOf(c.entry), c.digits) << c.entry;
    EXPECT_EQ(BytesOfHexDigits(HexDigitsOf(c.entry)), c.bytes) << c.entry;
  }
}

}  // namespace
