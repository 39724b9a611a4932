#pragma once
// Text between code pages and wide (UTF-16) text, and the code page of a font's character set.
//
// An "ANSI" text here is a byte string in the code page named beside it; every other string of
// the library is UTF-8.
#include <string>

#include "platform/classes/SysUtils.h"
#include "platform/classes/Variant.h"
#include "platform/system/Types.h"

using WideString = std::u16string;

// The library's ANSI and in-memory texts are one and the same: both return S unchanged.
void ConvertFromAnsiText(const String& S, unsigned CodePage, String& Result);
void ConvertToAnsiText(const String& S, unsigned CodePage, String& Result);

// Length counts bytes (or UTF-16 units); a negative length takes the whole text up to its NUL.
// A null source gives an empty result.
void MultiByteToWideText(const char* S, int Length, unsigned CodePage, WideString& W);
void WideToMultiByteText(const char16_t* W, int Length, unsigned CodePage, String& S);
void AnsiToWideText(const String& S, unsigned CodePage, WideString& W);
void WideToAnsiText(const WideString& W, unsigned CodePage, String& S);

// GDI character set to code page; 0 (the ANSI code page) for any set not listed.
unsigned CharsetToCodePage(win::BYTE Charset);

// A one-dimensional array gives its elements as raw bytes, a string its text, anything else its
// text form.
void VariantToAnsiText(const Variant& Value, String& S);
inline void EditValueToAnsiText(const Variant& Value, String& S) { VariantToAnsiText(Value, S); }

// The length-prefixed short strings of the streaming format: byte 0 is the length, at most 255
// bytes follow; a longer string is cut.
using ShortString = std::string;
void ShortToLongString(const ShortString& ShortS, String& S);
void LongToShortString(const String& S, ShortString& ShortS);
