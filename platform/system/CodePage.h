#pragma once
// Conversion between UTF-8, the encoding of every string in memory, and the Windows code pages
// used at the edges: profile files and device bytes are GBK (code page 936).
#include <string>
#include <string_view>

namespace platform {

constexpr unsigned kCodePageGbk = 936;
constexpr unsigned kCodePageUtf8 = 65001;
constexpr unsigned kCodePageLatin1 = 1252;

// Characters the code page cannot hold become '?', as the platform's conversion does.
std::string Utf8ToCodePage(std::string_view utf8, unsigned codePage);
// Bytes that are not valid in the code page become U+FFFD.
std::string CodePageToUtf8(std::string_view bytes, unsigned codePage);

inline std::string Utf8ToGbk(std::string_view utf8) { return Utf8ToCodePage(utf8, kCodePageGbk); }
inline std::string GbkToUtf8(std::string_view gbk) { return CodePageToUtf8(gbk, kCodePageGbk); }

}  // namespace platform
