#pragma once
// Bytes typed as hexadecimal text: only the hexadecimal digits count, so the operator may separate
// the bytes with blanks, commas or nothing at all.
#include <cstdint>
#include <vector>

#include "platform/classes/Strings.h"

// The hexadecimal digits of a text, in order; every other character dropped.
String HexDigitsOf(const String& Text);
// The bytes of a run of hexadecimal digits, two digits to a byte, high nibble first; a last digit
// without its pair is dropped.
std::vector<std::uint8_t> BytesOfHexDigits(const String& Digits);
