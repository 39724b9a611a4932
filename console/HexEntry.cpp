#include "console/HexEntry.h"

namespace {

int NibbleOf(char Ch) {
  if (Ch >= '0' && Ch <= '9') return Ch - '0';
  if (Ch >= 'a' && Ch <= 'f') return Ch - 'a' + 10;
  if (Ch >= 'A' && Ch <= 'F') return Ch - 'A' + 10;
  return -1;
}

}  // namespace

String HexDigitsOf(const String& Text) {
  // Bytes of multi-byte characters are all 0x80 or above, so none passes for a digit.
  String digits;
  for (char ch : Text)
    if (NibbleOf(ch) >= 0) digits += ch;
  return digits;
}

std::vector<std::uint8_t> BytesOfHexDigits(const String& Digits) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(Digits.size() / 2);
  for (std::size_t i = 0; i + 1 < Digits.size(); i += 2)
    bytes.push_back(static_cast<std::uint8_t>(NibbleOf(Digits[i]) << 4 | NibbleOf(Digits[i + 1])));
  return bytes;
}
