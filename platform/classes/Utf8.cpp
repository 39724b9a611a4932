#include "platform/classes/Utf8.h"

#include <locale.h>
#include <wctype.h>

#include "platform/system/CodePage.h"

char32_t Utf8Reader::Next() {
  const auto* p = reinterpret_cast<const unsigned char*>(FText.data());
  const std::size_t n = FText.size();
  unsigned char b = p[FPos];
  int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
  if (len == 0 || FPos + static_cast<std::size_t>(len) > n) {
    ++FPos;
    return 0xFFFD;
  }
  char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
  for (int k = 1; k < len; ++k) {
    unsigned char t = p[FPos + static_cast<std::size_t>(k)];
    if ((t & 0xC0) != 0x80) {
      ++FPos;
      return 0xFFFD;
    }
    c = (c << 6) | (t & 0x3F);
  }
  FPos += static_cast<std::size_t>(len);
  return c;
}

int Utf8Count(std::string_view s) {
  int n = 0;
  Utf8Reader r(s);
  while (!r.AtEnd()) {
    r.Next();
    ++n;
  }
  return n;
}

std::size_t Utf8ByteOffset(std::string_view s, int chars) {
  Utf8Reader r(s);
  for (int i = 0; i < chars && !r.AtEnd(); ++i) r.Next();
  return r.Position();
}

std::string Utf8Left(std::string_view s, int chars) {
  return std::string(s.substr(0, Utf8ByteOffset(s, chars < 0 ? 0 : chars)));
}

void Utf8Append(std::string& out, char32_t c) { platform::AppendUtf8(out, c); }

namespace {

// Case tables of the C library's UTF-8 locale, independent of the process's own locale setting.
locale_t Utf8Locale() {
  static locale_t loc = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    return l ? l : newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(0));
  }();
  return loc;
}

}  // namespace

char32_t Utf8ToUpper(char32_t c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 32 : c;
  return static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), Utf8Locale()));
}

char32_t Utf8ToLower(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
  return static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), Utf8Locale()));
}
