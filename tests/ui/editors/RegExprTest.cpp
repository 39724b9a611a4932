#include <gtest/gtest.h>

#include <time.h>

#include <chrono>

#include "tests/ui/editors/MaskTestSupport.h"
#include "ui/editors/RegExpr.h"

using masktest::CompileErrors;
using masktest::CompileMask;
using masktest::ScopedSeparators;

namespace {

// An engine that keeps the text an editor would show: typed characters as the engine gives them
// back, plus the fixed characters it inserts and removes by itself.
struct Typist {
  TcxRegExpr Engine;
  String Text;

  explicit Typist(const String& Mask, bool CaseInsensitive = false, bool AutoComplete = false) {
    Engine.SetCaseInsensitive(CaseInsensitive);
    Engine.OnFixedCharAdded = [this](char Ch) { Text += Ch; };
    Engine.OnFixedCharRemoved = [this] { Text.pop_back(); };
    Engine.SetAutoComplete(AutoComplete);
    CompileMask(Engine, Mask);
  }

  // Types every character; false at the first refusal.
  bool Type(const String& Keys) {
    for (char key : Keys) {
      char ch = key;
      // The key lands before the fixed characters completion appends for it.
      String added;
      auto saved = Engine.OnFixedCharAdded;
      Engine.OnFixedCharAdded = [&added](char c) { added += c; };
      const bool accepted = Engine.Accept(ch);
      Engine.OnFixedCharAdded = saved;
      if (!accepted) return false;
      Text += ch;
      Text += added;
    }
    return true;
  }

  bool Back() {
    const bool stepped = Engine.Back();
    if (stepped && !Text.empty()) Text.pop_back();
    return stepped;
  }
};

// Whether the whole text is a complete match of the mask.
bool Matches(const String& Mask, const String& Text, bool CaseInsensitive = false) {
  Typist t(Mask, CaseInsensitive);
  return t.Type(Text) && t.Engine.AtFinal();
}

String Tree(const String& Mask) {
  TcxRegExpr engine;
  CompileMask(engine, Mask);
  return engine.DebugText();
}

}  // namespace

TEST(RegExprCompile, ReportsEveryFaultWithItsPosition) {
  struct Case {
    const char* mask;
    std::vector<String> errors;
  };
  const Case cases[] = {
      {"", {"The source stream is empty"}},
      {" \t\r\n ", {"The source stream is empty"}},
      {"a|", {"The alternative should not be empty"}},
      {"|a", {"Line1, Char1: The alternative should not be empty"}},
      {"()", {"Line1, Char2: The block should not be empty"}},
      {"(a|)", {"Line1, Char4: The block should not be empty"}},
      {"abcde()", {"Line1, Char7: The block should not be empty"}},
      {"(a", {"Missing ')'"}},
      {"a)", {"Unnecessary ')'"}},
      {")(", {"Line1, Char1: Illegal ')'", "The alternative should not be empty"}},
      {"[a-a]", {"Line1, Char4: The starting character of the subrange must be less than the finishing one"}},
      {"[z-a]", {"Line1, Char4: The starting character of the subrange must be less than the finishing one"}},
      {"[]", {"Line1, Char2: Can't create empty enumeration"}},
      {"[^]", {"Line1, Char3: Can't create empty enumeration"}},
      {"[ab", {"Line1, Char4: Missing ']'"}},
      {"a{2", {"Line1, Char4: Missing '}'"}},
      {"'abc", {"Line1, Char5: Missing ' ' '"}},
      {"\\x4", {"Line1, Char4: Hexadecimal number expected"}},
      {"\\xG1", {"Line1, Char3: Hexadecimal number expected but 'G' found"}},
      {"\\ a", {"Line1, Char2: The space character is not allowed after '\\'"}},
      {"\\1", {"Line1, Char1: Too big reference number"}},
      {"a**", {"Line1, Char3: The '*' quantifier cannot be applied here"}},
      {"a?+", {"Line1, Char3: The '+' quantifier cannot be applied here"}},
      {"(b?)*", {"Line1, Char5: The '*' quantifier cannot be applied here"}},
      {"*a", {"Line1, Char1: Illegal quantifier '*'"}},
      {"a{2,1}", {"Line1, Char5: Incorrect parameter quantifier", "Line1, Char6: Illegal '}'"}},
      {"a{,3}",
       {"Line1, Char3: Incorrect parameter quantifier", "Line1, Char4: Illegal integer value",
        "Line1, Char5: Illegal '}'"}},
      {"a?{2,1}",
       {"Line1, Char6: Incorrect parameter quantifier", "Line1, Char3: The parameter quantifier cannot be applied here",
        "Line1, Char7: Illegal '}'"}},
      {"a?{2}", {"Line1, Char3: The parameter quantifier cannot be applied here"}},
      {"{2}",
       {"Line1, Char1: Incorrect parameter quantifier", "Line1, Char2: Illegal integer value",
        "Line1, Char3: Illegal '}'"}},
      {"a{x}", {"Line1, Char3: Illegal 'x'"}},
      // Columns restart after a line feed; the line counts carriage returns.
      {"ab\r\ncd|\r\n  *", {"Line3, Char3: Illegal quantifier '*'"}},
  };
  for (const auto& c : cases) EXPECT_EQ(CompileErrors(c.mask), c.errors) << "mask: " << c.mask;
}

TEST(RegExprCompile, DisplayTextPrefixesOnlyKnownPositions) {
  EXPECT_EQ(TcxRegExprError(1, "x", 7).DisplayText(), "Line1, Char7: x");
  EXPECT_EQ(TcxRegExprError(2, "x", 0).DisplayText(), "Line2: x");
  EXPECT_EQ(TcxRegExprError(0, "x", 5).DisplayText(), "x");
}

TEST(RegExprCompile, QuantifiersExpandToTheirEquivalentTrees) {
  const std::pair<const char*, const char*> same[] = {
      {"x{2,4}", "(xx(xx?)?)"}, {"x{3}", "(xxx)"},       {"x{2,}", "(xxx*)"},
      {"a*?", "(a*)?"},         {"a+*", "(a+)*"},        {"(ab)\\1", "(ab)(ab)"},
      {"a b", "ab"},            {"(a)*\\1", "(a)*(a)*"},
  };
  for (const auto& [mask, equivalent] : same) EXPECT_EQ(Tree(mask), Tree(equivalent)) << mask;
}

// Limits keep expansion and nesting from exhausting memory or the stack.
TEST(RegExprCompile, RefusesMasksBeyondItsLimits) {
  const String tooComplex = "The regular expression is too complex";
  const String masks[] = {
      String(1001, '(') + "a" + String(1001, ')'), "a{1001}", "a{99999999999}", "((a{1000}){1000})",
      "a" + String(2000, '?'),
  };
  for (const auto& mask : masks) {
    const auto errors = CompileErrors(mask);
    ASSERT_FALSE(errors.empty()) << mask.substr(0, 40);
    EXPECT_NE(errors.back().find(tooComplex), String::npos) << mask.substr(0, 40);
  }
  EXPECT_TRUE(CompileErrors(String(200, '(') + "a" + String(200, ')') + "{2,5}").empty());
  EXPECT_TRUE(CompileErrors("\\d{1000}").empty());
}

TEST(RegExprCompile, ErrorListOutlivesTheEngine) {
  auto engine = std::make_unique<TcxRegExpr>();
  try {
    CompileMask(*engine, "a**");
    FAIL() << "compiled";
  } catch (const EcxRegExprError& e) {
    engine.reset();
    ASSERT_EQ(e.Errors().Count(), 1);
    EXPECT_EQ(e.Errors().Items(0).Text, "The '*' quantifier cannot be applied here");
  }
}

TEST(RegExprCompile, RecompilesFromItsOwnSourceStream) {
  TcxRegExpr engine;
  EXPECT_EQ(engine.SourceStream(), nullptr);
  CompileMask(engine, "ab");
  engine.Compile(engine.SourceStream());
  char a = 'a', b = 'b';
  EXPECT_TRUE(engine.Accept(a) && engine.Accept(b) && engine.AtFinal());

  TcxRegExpr other;
  other.Compile(engine.SourceStream());
  EXPECT_FALSE(other.AtFinal());
  try {
    other.Compile(nullptr);
    FAIL() << "compiled";
  } catch (const EcxRegExprError& e) {
    EXPECT_EQ(e.Errors().Items(0).DisplayText(), "The source stream is not assigned");
  }
  EXPECT_FALSE(other.Compiled());
}

TEST(RegExprMatch, CharacterClassesAndCompleteness) {
  struct Case {
    const char* mask;
    const char* text;
    bool matches;
  };
  const Case cases[] = {
      {"a", "", false},          {"a", "a", true},          {"a", "aa", false},        {"a?", "", true},
      {"'a b'", "a b", true},    {"ab", "a b", false},      {"'it''s'", "it's", true}, {"[\\d-z]", "m", true},
      {"[\\d-z]", "5", false},   {"[0-:]", ":", true},      {"[a-]", "-", true},       {"[-a]", "-", true},
      {"[^ab]", "c", true},      {"[^ab]", "b", false},     {"\\0", "0", true},        {"\\d\\D", "1x", true},
      {"\\w\\W", "_-", true},    {"\\s\\S", "\tx", true},   {"\\x41", "A", true},      {"\\t", "\t", true},
      {"a(b?)", "a", false},     {"ab?", "a", true},        {"a(b?)", "ab", true},     {"ax{0,1}", "a", false},
      {"ax?", "a", true},        {"x{2,4}", "xxx", true},   {"x{2,4}", "xxxxx", false}, {"x{2,}", "xxxxxx", true},
      {"a|bc", "bc", true},      {"(a|b)+c", "abbac", true}, {"a+x{0}", "aaa", false}, {".", "\x01", true},
      // The group list still knows group 1 after {2} replaced it: \1 repeats '(a)'.
      {"(a){2}\\1", "aaa", true}, {"(a){2}\\1", "aaaa", false},
      {"(a?){1,}", "aaa", true}, {"(a?){2,}b", "b", true},   {"((a?)?){3,}", "aa", true},
  };
  for (const auto& c : cases) EXPECT_EQ(Matches(c.mask, c.text), c.matches) << c.mask << " / " << c.text;
}

TEST(RegExprMatch, SeparatorsAreTheLocalesAtTheMomentOfTheTest) {
  ScopedSeparators chinese('/', ':', '.');
  EXPECT_TRUE(Matches("\\d/\\d:\\d", "1/2:3"));
  EXPECT_TRUE(Matches("[/:]", ":"));
  EXPECT_TRUE(Matches("1\\p5", "1.5"));
  Typist t("\\d/\\d");
  ASSERT_TRUE(t.Type("1"));
  LocaleFormatSettings().DateSeparator = '-';
  EXPECT_FALSE(t.Type("/"));
  EXPECT_TRUE(t.Type("-2"));
  EXPECT_TRUE(t.Engine.AtFinal());
}

TEST(RegExprMatch, CaseInsensitiveGivesTheMasksCase) {
  Typist t("ABC", true);
  char ch = 'a';
  EXPECT_TRUE(t.Engine.Accept(ch));
  EXPECT_EQ(ch, 'A');
  t.Engine.Restart();
  String accepted;
  t.Engine.FilterText("axbc", accepted);
  EXPECT_EQ(accepted, "abc");
  EXPECT_TRUE(t.Engine.AtFinal());
  EXPECT_FALSE(Matches("ABC", "abc"));
}

// A symbol that accepts a typed character gives it the symbol's own case; a class (any
// character, \\w, a range, an inverse set) takes it as typed. The first symbol in the mask decides,
// and the position then holds exactly the states that accept the character given back.
TEST(RegExprMatch, CaseInsensitiveStepsGiveTheAcceptingSymbolsCase) {
  struct Case {
    const char* mask;
    const char* keys;
    const char* text;
    bool final;
  };
  const Case cases[] = {
      {"\\w+B", "wb", "wB", true},
      {".|b", "B", "b", true},
      {"[xb]", "B", "b", true},
      {"[^x]", "B", "B", true},
      {"\\d|[A-Z]|b", "B", "b", true},
      // A listed range that accepts first takes the character for its set, as typed.
      {"[A-Zb]", "B", "B", true},
      {"[A-Z]*a", "Ba", "Ba", true},
      // The position agrees with the text: after "a" the range is open again for "a".
      {"a*[a-z]+", "aaA", "aaa", true},
      // Both cases of one letter as alternatives: the first in the mask gives its case.
      {"a*A*", "aaa", "aaa", true},
      {"a*A*", "aaaAA", "aaaaa", true},
      {"b?B", "B", "b", true},
      // A set that refuses the character leaves it as typed for the states tested after it.
      {"([^a]|[A-Z])", "A", "A", true},
  };
  for (const auto& c : cases) {
    Typist t(c.mask, true);
    ASSERT_TRUE(t.Type(c.keys)) << c.mask << " / " << c.keys;
    EXPECT_EQ(t.Text, c.text) << c.mask << " / " << c.keys;
    EXPECT_EQ(t.Engine.AtFinal(), c.final) << c.mask << " / " << c.keys;
  }

  // A refused character keeps the case it was typed with.
  for (const char* mask : {"[^a]", "b", "[a-z]"}) {
    Typist t(mask, true);
    char ch = 'A';
    EXPECT_FALSE(t.Engine.Accept(ch)) << mask;
    EXPECT_EQ(ch, 'A') << mask;
  }
}

TEST(RegExprMatch, BackRestartAndPosition) {
  Typist t("ab");
  EXPECT_TRUE(t.Engine.AtStart());
  EXPECT_FALSE(t.Engine.Back());
  ASSERT_TRUE(t.Type("ab"));
  EXPECT_FALSE(t.Engine.AtStart());
  EXPECT_TRUE(t.Engine.Back());
  EXPECT_FALSE(t.Engine.AtFinal());
  EXPECT_TRUE(t.Type("b"));
  EXPECT_TRUE(t.Engine.AtFinal());
  t.Engine.Restart();
  EXPECT_TRUE(t.Engine.AtStart());
  EXPECT_FALSE(t.Engine.Back());
}

TEST(RegExprMatch, UncompiledEngineRefusesToStep) {
  TcxRegExpr engine;
  char ch = 'a';
  String out;
  const std::function<void()> calls[] = {
      [&] { engine.Accept(ch); }, [&] { engine.Back(); },    [&] { engine.AtFinal(); },
      [&] { engine.AtStart(); },  [&] { engine.Restart(); }, [&] { engine.FilterText("a", out); },
  };
  for (const auto& call : calls) {
    try {
      call();
      ADD_FAILURE() << "no error";
    } catch (const EcxEditError& e) {
      EXPECT_STREQ(e.what(), "Regular expression is not compiled");
    }
  }
  EXPECT_THROW(CompileMask(engine, "a**"), EcxRegExprError);
  EXPECT_THROW(engine.Accept(ch), EcxEditError);
}

TEST(RegExprAutoComplete, InsertsAndRemovesFixedCharacters) {
  ScopedSeparators dotted('.', ':');
  Typist date("\\d\\d/\\d\\d", false, true);
  ASSERT_TRUE(date.Type("12"));
  EXPECT_EQ(date.Text, "12.");
  EXPECT_TRUE(date.Back());
  EXPECT_EQ(date.Text, "1");
  EXPECT_TRUE(date.Type("3"));
  EXPECT_EQ(date.Text, "13.");

  struct Case {
    const char* mask;
    const char* keys;
    const char* text;
  };
  // Leading fixed characters arrive when the mask is compiled.
  const Case cases[] = {
      {"ab?", "", "a"},
      {"\\dab?", "1", "1a"},
      {"(ab|ac)", "", "a"},
      {"\\d(ab|ac)", "1", "1a"},
      {"(ab|ab)", "", "ab"},
      {"\\d(ab|ab)", "1", "1ab"},
      {"x(-|-)(y|y)z?", "", "x-y"},
      // Completion that would go round for ever stops where the position repeats.
      {"a+x{0}", "a", "aa"},
      {"(ab)+x{0}", "a", "abab"},
      // Two cycles agree on six characters and part on the seventh.
      {"(aba)+x{0}|(abaab)+x{0}", "", "abaaba"},
  };
  for (const auto& c : cases) {
    Typist t(c.mask, false, true);
    ASSERT_TRUE(t.Type(c.keys)) << c.mask;
    EXPECT_EQ(t.Text, c.text) << c.mask;
  }
}

TEST(RegExprAutoComplete, CompletesAtCompileAndSwitchOnButNotAtRestart) {
  Typist t("-\\d", false, true);
  EXPECT_EQ(t.Text, "-");
  t.Engine.Restart();
  EXPECT_TRUE(t.Engine.AtStart());
  t.Text.clear();
  t.Engine.SetAutoComplete(false);
  t.Engine.SetAutoComplete(true);
  EXPECT_EQ(t.Text, "-");
}

namespace {

// The thread's own processor time: a loaded machine or a slow sanitizer build stretches wall-clock
// time, while the faults these bounds catch cost minutes or hours of work, not seconds.
std::chrono::nanoseconds ThreadCpuTime() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
}

}  // namespace

// Each of these masks made the work grow exponentially or without end; all must stay fast.
TEST(RegExprMatch, WorkStaysPolynomial) {
  String repeatedOptionals;
  for (int i = 0; i < 40; ++i) repeatedOptionals += "(a?)?";
  String optionalRun;
  for (int i = 0; i < 400; ++i) optionalRun += "a?";
  struct Case {
    String mask;
    String text;
  };
  const Case cases[] = {
      {"(a|a)*", String(2000, 'a')},
      {repeatedOptionals, String(40, 'a')},
      {optionalRun, String(400, 'a')},
      {"((a?){1,}b?){1,}", String(2000, 'a')},
  };
  const auto start = ThreadCpuTime();
  for (const auto& c : cases) EXPECT_TRUE(Matches(c.mask, c.text)) << c.mask.substr(0, 20);
  // Completion through a position set that grows with every separator it inserts.
  Typist separators("x(/+){999}", false, true);
  EXPECT_EQ(separators.Text, "x" + String(999, '/'));
  EXPECT_LT(ThreadCpuTime() - start, std::chrono::seconds(5));
}

// A mask of one cycle of "a" for each prime up to 19 (or 23) repeats its position only after the
// primes' product, millions of characters: completion must stop long before.
TEST(RegExprAutoComplete, CoprimeCyclesStopSoon) {
  for (int last : {19, 23}) {
    String mask = "(";
    for (int p : {2, 3, 5, 7, 11, 13, 17, 19, 23}) {
      if (p > last) break;
      mask += (p == 2 ? "(" : "|(") + String(static_cast<size_t>(p), 'a') + ")+";
    }
    mask += ")x{0}";
    const auto start = ThreadCpuTime();
    Typist t(mask, false, true);
    EXPECT_LT(ThreadCpuTime() - start, std::chrono::seconds(1)) << mask;
    EXPECT_FALSE(t.Text.empty()) << mask;
    EXPECT_LT(t.Text.size(), 4 * mask.size()) << mask;
    EXPECT_EQ(t.Text.find_first_not_of('a'), String::npos) << mask;
    EXPECT_FALSE(t.Engine.AtFinal());
    // Typing goes on from where completion stopped, and completes as far again.
    const size_t completed = t.Text.size();
    ASSERT_TRUE(t.Type("a"));
    EXPECT_EQ(t.Text.size(), 2 * completed + 1) << mask;
  }
}
