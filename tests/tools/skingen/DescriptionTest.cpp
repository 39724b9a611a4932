// Reading skin descriptions, and the errors that name the file and line.
#include <gtest/gtest.h>

#include "tools/skingen/Description.h"

using namespace skingen;

namespace {

const char* kMinimal =
    "# a skin\n"
    "stream Test\n"
    "display  Test Skin   # shown in lists\n"
    "group Standard Skins\n"
    "radius 2.5\n"
    "face-light #FFFFFF\nface-dark #C0C0C0\nborder #808080\naccent #FF8000\ntext #000000\n"
    "disabled-text #909090\ncontent #FFFFFF\nselection #0050A0\ncaption #A0B0C0\nwindow #E0E0E0\n";

TEST(SkinDescription, ReadsKeysColoursAndComments) {
  Description d = ParseDescription(kMinimal, "t.skin");
  EXPECT_EQ(d.streamName, "Test");
  EXPECT_EQ(d.displayName, "Test Skin");
  EXPECT_EQ(d.groupName, "Standard Skins");
  EXPECT_DOUBLE_EQ(d.radius, 2.5);
  EXPECT_TRUE(d.listed);
  EXPECT_EQ(d.palette.accent, (Rgba{255, 128, 0, 255}));
  EXPECT_FALSE(d.palette.captionText.has_value());
}

TEST(SkinDescription, ErrorsNameTheFileAndLine) {
  struct Case {
    std::string extra, message;
  } cases[] = {
      {"colour #12345\n", "t.skin:16: unknown key \"colour\""},
      {"caption-text #12345G\n", "t.skin:16: expected a colour #RRGGBB, not \"#12345G\""},
      {"highlight 9\n", "t.skin:16: expected a number from"},
      {"gradient lots\n", "t.skin:16: expected a number from"},
      {"listed maybe\n", "t.skin:16: expected yes or no, not \"maybe\""},
      {"stream Again\n", "t.skin:16: \"stream\" given twice"},
      {"highlight\n", "t.skin:16: \"highlight\" needs a value"},
  };
  for (const Case& c : cases) {
    try {
      ParseDescription(std::string(kMinimal) + c.extra, "t.skin");
      ADD_FAILURE() << c.extra;
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()).substr(0, c.message.size()), c.message) << e.what();
    }
  }
  std::string noWindow = kMinimal;
  noWindow.erase(noWindow.find("window"));
  EXPECT_THROW(
      {
        try {
          ParseDescription(noWindow, "t.skin");
        } catch (const std::runtime_error& e) {
          EXPECT_STREQ(e.what(), "t.skin: \"window\" is missing");
          throw;
        }
      },
      std::runtime_error);
  EXPECT_THROW(LoadDescription("/nonexistent/x.skin"), std::runtime_error);
}

}  // namespace
