#include "ui/foundation/Accelerators.h"

namespace {

template <class Str>
Str Stripped(const Str& S, bool UnderscoreForTrailing) {
  Str out;
  out.reserve(S.size());
  for (std::size_t i = 0; i < S.size(); ++i) {
    if (S[i] != '&') {
      out += S[i];
    } else if (i + 1 < S.size()) {
      out += S[++i];
    } else if (UnderscoreForTrailing) {
      out += '_';
    }
  }
  return out;
}

}  // namespace

// "&" is a single byte in UTF-8 and never part of another character, so the byte walk is exact.
void StripAccelerators(const String& S, bool UnderscoreForTrailing, String& Result) {
  Result = Stripped(S, UnderscoreForTrailing);
}

void StripAcceleratorsWide(const std::u16string& S, bool UnderscoreForTrailing, std::u16string& Result) {
  Result = Stripped(S, UnderscoreForTrailing);
}
