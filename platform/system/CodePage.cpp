#include "platform/system/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <string>

namespace platform {
namespace {

const char* IconvName(unsigned codePage) {
  switch (codePage) {
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
std::string Convert(std::string_view in, const char* from, const char* to, std::string_view replacement, bool fromUtf8) {
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
    size_t skip = 1;
    if (fromUtf8) {
      unsigned char lead = static_cast<unsigned char>(*src);
      skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
      if (skip > srcLeft) skip = srcLeft;
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

}  // namespace

std::string Utf8ToCodePage(std::string_view utf8, unsigned codePage) {
  const char* name = IconvName(codePage);
  if (!name || codePage == kCodePageUtf8) return std::string(utf8);
  return Convert(utf8, "UTF-8", name, "?", true);
}

std::string CodePageToUtf8(std::string_view bytes, unsigned codePage) {
  const char* name = IconvName(codePage);
  if (!name || codePage == kCodePageUtf8) return std::string(bytes);
  return Convert(bytes, name, "UTF-8", "\xEF\xBF\xBD", false);
}

}  // namespace platform
