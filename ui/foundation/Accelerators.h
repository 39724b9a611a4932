#pragma once
// Captions without their accelerator marks: "&File" shows as "File", "&&" as one "&".
#include <string>

#include "platform/classes/SysUtils.h"

// Each "&" is dropped and the character after it kept as it is; an "&" at the very end becomes "_"
// with UnderscoreForTrailing, else nothing.
void StripAccelerators(const String& S, bool UnderscoreForTrailing, String& Result);
// The same over wide (UTF-16) text.
void StripAcceleratorsWide(const std::u16string& S, bool UnderscoreForTrailing, std::u16string& Result);
