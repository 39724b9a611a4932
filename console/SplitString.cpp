#include "console/SplitString.h"

std::unique_ptr<TStringList> SplitString(const String& Text, const String& Separator) {
  auto pieces = std::make_unique<TStringList>();
  std::size_t start = 0;
  if (!Separator.empty()) {
    for (std::size_t at; (at = Text.find(Separator, start)) != String::npos; start = at + Separator.size())
      if (at > start) pieces->Add(Text.substr(start, at - start));
  }
  pieces->Add(Text.substr(start));
  return pieces;
}
