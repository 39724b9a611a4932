#include "console/SplitString.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  const auto list = SplitString(text, separator);
  std::vector<std::string> pieces;
  for (int i = 0; i < list->Count(); ++i) pieces.push_back(list->Strings(i));
  return pieces;
}

TEST(SplitString, DropsEmptyPiecesButKeepsTheRestAfterTheLastSeparator) {
  using P = std::vector<std::string>;
  EXPECT_EQ(Split("2,1,1,2,2,5,", ","), (P{"2", "1", "1", "2", "2", "5", ""}));
  EXPECT_EQ(Split(",,3", ","), P{"3"});
  EXPECT_EQ(Split("", ","), P{""});
  EXPECT_EQ(Split("a", ","), P{"a"});
  EXPECT_EQ(Split("0,", ","), (P{"0", ""}));
  EXPECT_EQ(Split("a::b::", "::"), (P{"a", "b", ""}));
  EXPECT_EQ(Split("a,b", ""), P{"a,b"});
}

}  // namespace
