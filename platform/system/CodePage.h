#pragma once
// Conversion between UTF-8, the encoding of every string in memory, and the Windows code pages
// used at the edges: profile files and device bytes are GBK (code page 936).
#include <string>
#include <string_view>

#include "platform/system/Types.h"

namespace platform {

// The system's ANSI and OEM code pages are both GBK: the console is a Chinese product.
constexpr unsigned kCodePageAnsi = 0;
constexpr unsigned kCodePageOem = 1;
constexpr unsigned kCodePageGbk = 936;
constexpr unsigned kCodePageUtf8 = 65001;
constexpr unsigned kCodePageLatin1 = 1252;

// Code pages known: 0 and 1 (both GBK), 936 GBK, 950 Big5, 932 Shift-JIS, 949 Korean, 874 Thai,
// 437, 1250 to 1257, and 65001 UTF-8; text for any other page passes through unchanged.
//
// Characters the code page cannot hold become '?', as the platform's conversion does.
std::string Utf8ToCodePage(std::string_view utf8, unsigned codePage);
// The same with another replacement, telling whether any was needed.
std::string Utf8ToCodePage(std::string_view utf8, unsigned codePage, std::string_view defaultChar, bool* usedDefault);
// Bytes that are not valid in the code page become U+FFFD.
std::string CodePageToUtf8(std::string_view bytes, unsigned codePage);

inline std::string Utf8ToGbk(std::string_view utf8) { return Utf8ToCodePage(utf8, kCodePageGbk); }
inline std::string GbkToUtf8(std::string_view gbk) { return CodePageToUtf8(gbk, kCodePageGbk); }

// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, char32_t c);

// The wide (UTF-16) form of text; malformed UTF-8 and lone surrogates become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace platform

namespace win {

constexpr UINT CP_ACP = 0;
constexpr UINT CP_OEMCP = 1;
constexpr UINT CP_UTF8 = 65001;
constexpr DWORD MB_PRECOMPOSED = 0x1;

// Conversions between a code page and UTF-16, replacing as described above. A count of -1 takes
// the text up to and including its NUL; an output size of 0 asks for the size needed. Too small an
// output gives 0 with ERROR_INSUFFICIENT_BUFFER.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR multiByte, int multiByteCount, WCHAR* wide, int wideCount);
int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideCount, LPSTR multiByte, int multiByteCount,
                        LPCSTR defaultChar, BOOL* usedDefaultChar);

}  // namespace win
