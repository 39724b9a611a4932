#pragma once
// Walking UTF-8 text by characters (code points), for the routines that count characters.
#include <cstddef>
#include <string>
#include <string_view>

// Reads code points; a malformed byte comes back as U+FFFD and is skipped alone.
class Utf8Reader {
 public:
  explicit Utf8Reader(std::string_view s) : FText(s) {}
  bool AtEnd() const { return FPos >= FText.size(); }
  std::size_t Position() const { return FPos; }
  char32_t Next();

 private:
  std::string_view FText;
  std::size_t FPos = 0;
};

int Utf8Count(std::string_view s);
// Byte offset of the character with 0-based index `chars`; the size of `s` when beyond its end.
std::size_t Utf8ByteOffset(std::string_view s, int chars);
// The first `chars` characters.
std::string Utf8Left(std::string_view s, int chars);
void Utf8Append(std::string& out, char32_t c);
char32_t Utf8ToUpper(char32_t c);
char32_t Utf8ToLower(char32_t c);

template <class F>
std::string Utf8Map(std::string_view s, F&& f) {
  std::string out;
  out.reserve(s.size());
  Utf8Reader r(s);
  while (!r.AtEnd()) Utf8Append(out, f(r.Next()));
  return out;
}
