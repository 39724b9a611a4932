#pragma once
// A text held twice: as characters (code points) for the library's layout logic, and as UTF-8 with
// the byte offset of every character, so that any run of characters goes straight to the
// platform's text calls (UTF-8 with character counts) without converting again. Indices count
// characters throughout.
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/Utf8.h"

class TIndexedText {
 public:
  TIndexedText() { FOffsets.push_back(0); }
  explicit TIndexedText(std::string_view Utf8) { Assign(Utf8); }
  explicit TIndexedText(std::u32string_view Chars) { AssignChars(Chars); }

  void Assign(std::string_view Utf8) {
    FChars.clear();
    FUtf8.clear();
    FOffsets.clear();
    Utf8Reader reader(Utf8);
    while (!reader.AtEnd()) AppendChar(reader.Next());
    FOffsets.push_back(static_cast<int>(FUtf8.size()));
  }
  void AssignChars(std::u32string_view Chars) {
    FChars.clear();
    FUtf8.clear();
    FOffsets.clear();
    for (char32_t c : Chars) AppendChar(c);
    FOffsets.push_back(static_cast<int>(FUtf8.size()));
  }

  int Length() const { return static_cast<int>(FChars.size()); }
  bool Empty() const { return FChars.empty(); }
  char32_t operator[](int Index) const { return FChars[static_cast<std::size_t>(Index)]; }
  const std::u32string& Chars() const { return FChars; }
  const std::string& Utf8() const { return FUtf8; }
  // The UTF-8 bytes from the character Index on (Index may be Length()).
  const char* At(int Index) const { return FUtf8.c_str() + FOffsets[static_cast<std::size_t>(Index)]; }
  std::string Slice(int From, int To) const {
    return FUtf8.substr(static_cast<std::size_t>(FOffsets[static_cast<std::size_t>(From)]),
                        static_cast<std::size_t>(FOffsets[static_cast<std::size_t>(To)] -
                                                 FOffsets[static_cast<std::size_t>(From)]));
  }

 private:
  void AppendChar(char32_t C) {
    FChars.push_back(C);
    FOffsets.push_back(static_cast<int>(FUtf8.size()));
    Utf8Append(FUtf8, C);
  }

  std::u32string FChars;
  std::string FUtf8;
  std::vector<int> FOffsets;  // one per character and one past the end
};
