#include <gtest/gtest.h>

#include "tests/ui/editors/MaskTestSupport.h"
#include "ui/editors/StandardMask.h"

using masktest::ScopedSeparators;

namespace {

String Applied(const String& Mask, String Text, bool UseConvertedChars = true, bool TextHasLiterals = false) {
  TcxStandardMask mask;
  mask.Compile(Mask);
  mask.ApplyToText(Text, UseConvertedChars, TextHasLiterals);
  return Text;
}

struct Texts {
  String empty, blankValue;
  int count;
  bool saveLiterals;
  char blank;
};

Texts Describe(const String& Mask) {
  TcxStandardMask mask;
  mask.Compile(Mask);
  Texts t;
  mask.EmptyText(t.empty);
  mask.BlankValueText(t.blankValue);
  t.count = mask.Count();
  t.saveLiterals = mask.SaveLiterals();
  t.blank = mask.BlankChar();
  return t;
}

}  // namespace

TEST(StandardMask, ParsesPositionsAndTail) {
  ScopedSeparators chinese('/', ':');
  struct Case {
    const char* mask;
    const char* empty;
    const char* blankValue;
    bool saveLiterals;
    char blank;
  };
  const Case cases[] = {
      {"99-99;0;*", "**-**", "    ", false, '*'},
      {"99-99;1", "__-__", "  -  ", true, '_'},
      {"99-99;0", "__-__", "    ", false, '_'},
      // Only the exact tail forms end the mask; anything else is literal.
      {"00;1;", "__;1;", "  ;1;", true, '_'},
      {"00;2;x", "__;2;x", "  ;2;x", true, '_'},
      {"\\", "", "", true, '_'},
      {"\\0\\\\", "0\\", "0\\", true, '_'},
      {"!000", "___", "   ", true, '_'},
      {"99/99 99:99", "__/__ __:__", "  /     :  ", true, '_'},
      {"LlAaCc09#", "_________", "         ", true, '_'},
      {"", "", "", true, '_'},
  };
  for (const auto& c : cases) {
    const Texts t = Describe(c.mask);
    EXPECT_EQ(t.empty, c.empty) << c.mask;
    EXPECT_EQ(t.blankValue, c.blankValue) << c.mask;
    EXPECT_EQ(t.saveLiterals, c.saveLiterals) << c.mask;
    EXPECT_EQ(t.blank, c.blank) << c.mask;
  }
}

TEST(StandardMask, KeepsTheSeparatorsOfItsCompileTime) {
  ScopedSeparators chinese('/', ':');
  TcxStandardMask mask;
  mask.Compile("99/99");
  LocaleFormatSettings().DateSeparator = '.';
  String text;
  mask.EmptyText(text);
  EXPECT_EQ(text, "__/__");
  mask.Compile("99/99");
  mask.EmptyText(text);
  EXPECT_EQ(text, "__.__");
}

TEST(StandardMask, LaysTextIntoThePositions) {
  struct Case {
    const char* mask;
    const char* text;
    bool useConverted;
    bool textHasLiterals;
    const char* result;
  };
  const Case cases[] = {
      {"00-00", "5678", true, false, "56-78"},
      {"00-00", "56-78", true, false, "56-78"},
      {"00-00", "5x6", true, false, "56-__"},
      {"00-00", "5 78", true, false, "5_-78"},
      {"00", "12345", true, false, "12"},
      {"!000", "12", true, false, "_12"},
      {"!00-00", "123", true, false, "_1-23"},
      {"", "abc", true, false, ""},
      {">LL<ll<>LL", "abCDeF", true, false, "ABcdeF"},
      {">LL<ll<>LL", "abCDeF", false, false, "abCDeF"},
      // A bare value skips literals that are not saved; a masked text matches them.
      {"99-99;0", "1234", true, false, "12-34"},
      {"99-99;0", "12-34", true, true, "12-34"},
      {"(999)", "(12)", true, true, "(12_)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Applied(c.mask, c.text, c.useConverted, c.textHasLiterals), c.result) << c.mask << " / " << c.text;
}

TEST(StandardMask, ExtractsValuesAndJudgesCompleteness) {
  TcxStandardMask mask;
  mask.Compile("99-99;0;*");
  String text = "1*-34";
  mask.ExtractValue(text);
  EXPECT_EQ(text, "1 34");
  mask.Compile("99-99;1");
  text = "1_-34";
  mask.ExtractValue(text);
  EXPECT_EQ(text, "1 -34");
  text = "1_";
  mask.ExtractValue(text);
  EXPECT_EQ(text, "1 ");

  struct Case {
    const char* mask;
    const char* text;
    bool complete;
  };
  const Case cases[] = {
      {"99-00", "1_-34", true}, {"00-00", "1_-34", false}, {"99-00", "1 -34", true}, {"99-00", "1_-3", false},
      {"", "", true},           {"", "a", false},          {"LL", "a1", false},      {"#", "-", true},
      {"c", " ", true},         {"l", "_", true},          {"L", "_", false},        {"99-00", "12x34", false},
  };
  for (const auto& c : cases) {
    mask.Compile(c.mask);
    String t = c.text;
    EXPECT_EQ(mask.IsTextComplete(t), c.complete) << c.mask << " / " << c.text;
  }
  mask.Compile(">LL");
  text = "ab";
  EXPECT_TRUE(mask.IsTextComplete(text));
  EXPECT_EQ(text, "AB");
}
