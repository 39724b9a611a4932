#include "platform/system/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

namespace platform {
namespace {

const char* IconvName(unsigned codePage) {
  switch (codePage) {
    case kCodePageAnsi:
    case kCodePageOem:
    case kCodePageGbk: return "CP936";
    case kCodePageUtf8: return "UTF-8";
    case 950: return "CP950";
    case 932: return "CP932";
    case 949: return "CP949";
    case 1250: return "CP1250";
    case 1251: return "CP1251";
    case kCodePageLatin1: return "CP1252";
    case 1253: return "CP1253";
    case 1254: return "CP1254";
    case 1255: return "CP1255";
    case 1256: return "CP1256";
    case 1257: return "CP1257";
    case 874: return "CP874";
    case 437: return "CP437";
    default: return nullptr;
  }
}

// Converts with iconv, replacing what cannot be converted. `skipBad` tells how many input bytes
// an unconvertible sequence spans: one code point of UTF-8, or one byte of a legacy page.
std::string Convert(std::string_view in, const char* from, const char* to, std::string_view replacement, bool fromUtf8,
                    bool* replaced = nullptr) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  std::string out;
  out.resize(in.size() * 4 + 16);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  while (srcLeft > 0) {
    size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    if (r != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      size_t used = static_cast<size_t>(dst - out.data());
      out.resize(out.size() * 2);
      dst = out.data() + used;
      dstLeft = out.size() - used;
      continue;
    }
    // EILSEQ or EINVAL: skip the offending unit and put the replacement in its place.
    if (replaced) *replaced = true;
    size_t skip = 1;
    if (fromUtf8) {
      // The lead byte and only the continuation bytes after it: a sequence cut short must not
      // swallow the character that follows.
      unsigned char lead = static_cast<unsigned char>(*src);
      size_t len = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
      while (skip < len && skip < srcLeft && (static_cast<unsigned char>(src[skip]) & 0xC0) == 0x80) ++skip;
    }
    src += skip;
    srcLeft -= skip;
    if (dstLeft < replacement.size() + 1) {
      size_t used = static_cast<size_t>(dst - out.data());
      out.resize(out.size() * 2 + replacement.size());
      dst = out.data() + used;
      dstLeft = out.size() - used;
    }
    for (char c : replacement) {
      *dst++ = c;
      --dstLeft;
    }
  }
  out.resize(static_cast<size_t>(dst - out.data()));
  iconv_close(cd);
  return out;
}

// Every code page known here holds ASCII as ASCII, so plain ASCII text needs no conversion.
bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string Utf8ToCodePage(std::string_view utf8, unsigned codePage) {
  const char* name = IconvName(codePage);
  if (!name || codePage == kCodePageUtf8 || IsAscii(utf8)) return std::string(utf8);
  return Convert(utf8, "UTF-8", name, "?", true);
}

std::string Utf8ToCodePage(std::string_view utf8, unsigned codePage, std::string_view defaultChar, bool* usedDefault) {
  if (usedDefault) *usedDefault = false;
  const char* name = IconvName(codePage);
  if (!name || codePage == kCodePageUtf8 || IsAscii(utf8)) return std::string(utf8);
  return Convert(utf8, "UTF-8", name, defaultChar, true, usedDefault);
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  size_t i = 0, n = utf8.size();
  while (i < n) {
    unsigned char b = p[i];
    int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    char32_t c = 0xFFFD;
    size_t used = 1;
    if (len && i + static_cast<size_t>(len) <= n) {
      char32_t v = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
      bool ok = true;
      for (int k = 1; k < len && ok; ++k) {
        unsigned char t = p[i + static_cast<size_t>(k)];
        ok = (t & 0xC0) == 0x80;
        v = (v << 6) | (t & 0x3F);
      }
      if (ok) {
        c = v;
        used = static_cast<size_t>(len);
      }
    }
    i += used;
    if (c >= 0x10000 && c <= 0x10FFFF) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(c > 0x10FFFF ? u'\uFFFD' : static_cast<char16_t>(c));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 3);
  for (size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;  // a lone surrogate
    }
    AppendUtf8(out, c);
  }
  return out;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::string CodePageToUtf8(std::string_view bytes, unsigned codePage) {
  const char* name = IconvName(codePage);
  if (!name || codePage == kCodePageUtf8 || IsAscii(bytes)) return std::string(bytes);
  return Convert(bytes, name, "UTF-8", "\xEF\xBF\xBD", false);
}

}  // namespace platform

namespace win {

int MultiByteToWideChar(UINT codePage, DWORD, LPCSTR multiByte, int multiByteCount, WCHAR* wide, int wideCount) {
  if (!multiByte || multiByteCount == 0 || wideCount < 0 || (wideCount > 0 && !wide)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  // A count of -1 means up to and including the terminating NUL.
  size_t n = multiByteCount < 0 ? std::strlen(multiByte) + 1 : static_cast<size_t>(multiByteCount);
  std::u16string w = platform::Utf8ToUtf16(platform::CodePageToUtf8(std::string_view(multiByte, n), codePage));
  if (wideCount == 0) return static_cast<int>(w.size());
  if (static_cast<size_t>(wideCount) < w.size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::copy(w.begin(), w.end(), wide);
  return static_cast<int>(w.size());
}

int WideCharToMultiByte(UINT codePage, DWORD, const WCHAR* wide, int wideCount, LPSTR multiByte, int multiByteCount,
                        LPCSTR defaultChar, BOOL* usedDefaultChar) {
  if (!wide || wideCount == 0 || multiByteCount < 0 || (multiByteCount > 0 && !multiByte)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t n = wideCount < 0 ? std::char_traits<char16_t>::length(wide) + 1 : static_cast<size_t>(wideCount);
  bool used = false;
  std::string mb = platform::Utf8ToCodePage(platform::Utf16ToUtf8(std::u16string_view(wide, n)), codePage,
                                            defaultChar ? std::string_view(defaultChar, 1) : std::string_view("?"), &used);
  if (usedDefaultChar) *usedDefaultChar = used ? TRUE : FALSE;
  if (multiByteCount == 0) return static_cast<int>(mb.size());
  if (static_cast<size_t>(multiByteCount) < mb.size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::copy(mb.begin(), mb.end(), multiByte);
  return static_cast<int>(mb.size());
}

}  // namespace win
