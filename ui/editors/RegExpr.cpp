#include "ui/editors/RegExpr.h"

#include <iterator>

#include "ui/controls/CustomEdit.h"
#include "ui/controls/FormatController.h"

namespace {

// {n,m} bounds above this are refused: masks describe short texts.
constexpr int kMaxCount = 1000;
// States that {n,m} and references may copy in all (far beyond any edit mask: completion and
// stepping cost up to the square of the automaton's size), and groups that may nest: every walk
// over the parse tree recurses once per nesting level.
constexpr int64_t kMaxCopiedStates = 4000;
constexpr int kMaxNesting = 1000;

String Fmt(const char* Pattern, const String& Arg) {
  String text = Pattern;
  const auto at = text.find("%s");
  if (at != String::npos) text.replace(at, 2, Arg);
  return text;
}

// A quote alone would vanish between the message's own quotes.
String CharText(char Ch) { return Ch == '\'' ? String(" ' ") : String(1, Ch); }

bool IsDigit(char Ch) { return Ch >= '0' && Ch <= '9'; }

int HexValue(char Ch) {
  if (Ch >= '0' && Ch <= '9') return Ch - '0';
  if (Ch >= 'A' && Ch <= 'F') return Ch - 'A' + 10;
  if (Ch >= 'a' && Ch <= 'f') return Ch - 'a' + 10;
  return -1;
}

bool IsSpecial(const TcxLexem& L, char Ch) { return L.Kind == lkSpecial && L.Text.size() == 1 && L.Text[0] == Ch; }

std::unique_ptr<TcxRegExprParserItem> SimpleItem(std::unique_ptr<TcxRegExprItem> Item) {
  return std::make_unique<TcxRegExprParserSimpleItem>(std::make_unique<TcxRegExprSimpleState>(std::move(Item)));
}

// The character class of a lexem that stands for one; null for the others.
std::unique_ptr<TcxRegExprItem> ClassItem(const TcxLexem& L) {
  switch (L.Kind) {
    case lkAnyChar: return std::make_unique<TcxRegExprAll>();
    case lkIdLetter: return std::make_unique<TcxRegExprIdLetter>(false);
    case lkNotIdLetter: return std::make_unique<TcxRegExprIdLetter>(true);
    case lkDigit: return std::make_unique<TcxRegExprDigit>(false);
    case lkNotDigit: return std::make_unique<TcxRegExprDigit>(true);
    case lkSpace: return std::make_unique<TcxRegExprSpace>(false);
    case lkNotSpace: return std::make_unique<TcxRegExprSpace>(true);
    case lkDateSeparator: return std::make_unique<TcxRegExprDateSeparator>();
    case lkTimeSeparator: return std::make_unique<TcxRegExprTimeSeparator>();
    default: return nullptr;
  }
}

// Digits of an integer lexem; false when the value is beyond what a bound may be.
bool ToCount(const String& Digits, int& Value) {
  int64_t v = 0;
  for (char c : Digits) {
    v = v * 10 + (c - '0');
    if (v > kMaxCount) return false;
  }
  Value = static_cast<int>(v);
  return true;
}

}  // namespace

String TcxRegExprError::DisplayText() const {
  if (LineNo <= 0) return Text;
  String prefix = String(scxRegExprLine) + std::to_string(LineNo);
  if (CharPos > 0) prefix += String(", ") + scxRegExprChar + std::to_string(CharPos);
  return prefix + ": " + Text;
}

TcxRegExpr::TcxRegExpr() : FErrors(std::make_shared<TcxRegExprErrors>()) {}

TcxRegExpr::~TcxRegExpr() = default;

void TcxRegExpr::CheckCompiled() const {
  if (!FCompiled) throw EcxEditError(scxRegExprNotCompiled);
}

void TcxRegExpr::AddError(int LineNo, const String& Text, int CharPos) {
  FErrors->Append(std::make_unique<TcxRegExprError>(LineNo, Text, CharPos));
}

void TcxRegExpr::RaiseErrors() { throw EcxRegExprError(FErrors); }

void TcxRegExpr::DiscardCompiled() {
  FSource.clear();
  FSourceStream.reset();
  // A fresh list: an exception raised by the last compile may still hold the old one.
  FErrors = std::make_shared<TcxRegExprErrors>();
  FLexems.Clear();
  FGroups.clear();
  FAutomat.reset();
  FRetired.clear();
  FIndex = 0;
  FLexemIndex = 0;
  FLineNo = 1;
  FCharPos = 0;
  FParseDepth = 0;
  FExpandedStates = 0;
  FAborted = false;
  FCompiled = false;
}

void TcxRegExpr::Compile(std::istream* Source) {
  // Read before discarding: the source may be this engine's own stream.
  String text;
  if (Source) {
    Source->clear();
    Source->seekg(0);
    text.assign(std::istreambuf_iterator<char>(*Source), std::istreambuf_iterator<char>());
  }
  DiscardCompiled();
  if (!Source) {
    AddError(0, scxRegExprNotAssignedSourceStream, 0);
    RaiseErrors();
  }
  FSource = std::move(text);
  bool blank = true;
  for (char c : FSource) blank = blank && IsBlankChar(c);
  if (blank) {
    AddError(0, scxRegExprEmptySourceStream, 0);
    RaiseErrors();
  }

  LexExpression();
  if (FErrors->Count() > 0) RaiseErrors();

  auto tree = ParseExpression();
  if (FErrors->Count() > 0) {
    tree.reset();
    FGroups.clear();
    FRetired.clear();
    RaiseErrors();
  }
  FAutomat = std::make_unique<TcxRegExprAutomat>(std::move(tree), this);
  FSourceStream = std::make_unique<std::istringstream>(FSource);
  FCompiled = true;
  if (FAutoComplete) FAutomat->InsertFixedCharsForward();
}

bool TcxRegExpr::Accept(char& Ch) {
  CheckCompiled();
  if (!FAutomat->Step(Ch, FCaseInsensitive)) return false;
  if (FAutoComplete && !FAutomat->AtFinal()) FAutomat->InsertFixedCharsForward();
  return true;
}

bool TcxRegExpr::Back() {
  CheckCompiled();
  if (FAutoComplete) FAutomat->RemoveFixedCharsBackward();
  return FAutomat->Back();
}

bool TcxRegExpr::AtFinal() {
  CheckCompiled();
  return FAutomat->AtFinal();
}

bool TcxRegExpr::AtStart() {
  CheckCompiled();
  return FAutomat->AtStart();
}

void TcxRegExpr::Restart() {
  CheckCompiled();
  FAutomat->Restart();
}

void TcxRegExpr::FilterText(const String& Text, String& Accepted) {
  CheckCompiled();
  Accepted.clear();
  for (char ch : Text) {
    char c = ch;
    if (FAutomat->Step(c, FCaseInsensitive)) Accepted += ch;
  }
}

String TcxRegExpr::DebugText() {
  CheckCompiled();
  return FAutomat->DebugText();
}

void TcxRegExpr::SetAutoComplete(bool Value, bool CompleteNow) {
  FAutoComplete = Value;
  if (Value && CompleteNow && FCompiled) FAutomat->InsertFixedCharsForward();
}

void TcxRegExpr::DoFixedCharAdded(char Ch) {
  if (OnFixedCharAdded) OnFixedCharAdded(Ch);
}

void TcxRegExpr::DoFixedCharRemoved() {
  if (OnFixedCharRemoved) OnFixedCharRemoved();
}

// Lexer ------------------------------------------------------------------------------------------

bool TcxRegExpr::ReadChar(char& Ch) {
  if (FIndex >= FSource.size()) return false;
  Ch = FSource[FIndex++];
  if (Ch == '\r') ++FLineNo;
  if (Ch == '\n') FCharPos = 0;
  else ++FCharPos;
  return true;
}

bool TcxRegExpr::PeekChar(char& Ch, int Offset) const {
  const size_t at = FIndex + static_cast<size_t>(Offset);
  if (at >= FSource.size()) return false;
  Ch = FSource[at];
  return true;
}

void TcxRegExpr::AddLexem(TcxLexemKind Kind, const String& Text, int LineNo, int CharPos) {
  FLexems.Add(TcxLexem{CharPos, Kind, LineNo, Text});
}

void TcxRegExpr::LexExpression() {
  int depth = 0;
  char c = 0;
  while (ReadChar(c)) {
    if (IsBlankChar(c)) continue;
    const int line = FLineNo, col = FCharPos;
    switch (c) {
      case '\'': LexQuotedText(); break;
      case '(': AddLexem(lkSpecial, "(", line, col); ++depth; break;
      case ')': AddLexem(lkSpecial, ")", line, col); --depth; break;
      case '*': case '+': case '?': case '|': AddLexem(lkSpecial, String(1, c), line, col); break;
      case '.': AddLexem(lkAnyChar, ".", line, col); break;
      case '/': AddLexem(lkDateSeparator, "/", line, col); break;
      case ':': AddLexem(lkTimeSeparator, ":", line, col); break;
      case '[': AddLexem(lkSpecial, "[", line, col); LexEnumeration(); break;
      case '{': AddLexem(lkSpecial, "{", line, col); LexParameterQuantifier(); break;
      case '\\': LexEscape(line, col); break;
      default: AddLexem(lkSymbol, String(1, c), line, col); break;
    }
  }
  if (depth > 0) AddError(0, Fmt(scxRegExprMissing, ")"), 0);
  if (depth < 0) AddError(0, Fmt(scxRegExprUnnecessary, ")"), 0);
}

void TcxRegExpr::LexQuotedText() {
  char c = 0;
  for (;;) {
    if (!ReadChar(c)) {
      AddError(FLineNo, Fmt(scxRegExprMissing, CharText('\'')), FCharPos + 1);
      return;
    }
    const int line = FLineNo, col = FCharPos;
    if (c == '\'') {
      char next = 0;
      if (!PeekChar(next, 0) || next != '\'') return;
      ReadChar(next);
    }
    AddLexem(lkSymbol, String(1, c), line, col);
  }
}

void TcxRegExpr::LexEscape(int LineNo, int CharPos) {
  char c = 0;
  if (!ReadChar(c)) return;
  auto symbol = [&](char ch) { AddLexem(lkSymbol, String(1, ch), LineNo, CharPos); };
  if (c >= '1' && c <= '9') {
    AddLexem(lkReference, String(1, c), LineNo, CharPos);
    return;
  }
  if (IsBlankChar(c)) {
    AddError(FLineNo, scxRegExprIncorrectSpace, FCharPos);
    return;
  }
  switch (c) {
    case 'd': AddLexem(lkDigit, "d", LineNo, CharPos); return;
    case 'D': AddLexem(lkNotDigit, "D", LineNo, CharPos); return;
    case 'w': AddLexem(lkIdLetter, "w", LineNo, CharPos); return;
    case 'W': AddLexem(lkNotIdLetter, "W", LineNo, CharPos); return;
    case 's': AddLexem(lkSpace, "s", LineNo, CharPos); return;
    case 'S': AddLexem(lkNotSpace, "S", LineNo, CharPos); return;
    case 't': symbol('\t'); return;
    case 'n': symbol('\n'); return;
    case 'r': symbol('\r'); return;
    case 'f': symbol('\f'); return;
    case 'a': symbol('\a'); return;
    case 'e': symbol('\x1b'); return;
    case 'p': symbol(LocaleFormatSettings().DecimalSeparator); return;
    case 'x': {
      int value = 0;
      for (int i = 0; i < 2; ++i) {
        char h = 0;
        if (!ReadChar(h)) {
          AddError(FLineNo, scxRegExprHexNumberExpected0, FCharPos + 1);
          return;
        }
        const int digit = HexValue(h);
        if (digit < 0) {
          AddError(FLineNo, Fmt(scxRegExprHexNumberExpected, CharText(h)), FCharPos);
          return;
        }
        value = value * 16 + digit;
      }
      symbol(static_cast<char>(value));
      return;
    }
    default: symbol(c); return;
  }
}

void TcxRegExpr::LexEnumeration() {
  bool first = true;
  char c = 0;
  for (;;) {
    if (!ReadChar(c)) {
      AddError(FLineNo, Fmt(scxRegExprMissing, "]"), FCharPos + 1);
      return;
    }
    if (IsBlankChar(c)) continue;
    const int line = FLineNo, col = FCharPos;
    const bool wasFirst = first;
    first = false;
    switch (c) {
      case '\'': LexQuotedText(); continue;
      case '/': AddLexem(lkDateSeparator, "/", line, col); continue;
      case ':': AddLexem(lkTimeSeparator, ":", line, col); continue;
      case '\\': LexEscape(line, col); continue;
      case ']': AddLexem(lkSpecial, "]", line, col); return;
      default: break;
    }
    if (wasFirst && c == '^') {
      AddLexem(lkSpecial, "^", line, col);
    } else if (!wasFirst && c == '-') {
      // A hyphen right before the closing bracket is literal; elsewhere it makes a range.
      char next = 0;
      int offset = 0;
      while (PeekChar(next, offset) && IsBlankChar(next)) ++offset;
      const bool literal = PeekChar(next, offset) && next == ']';
      AddLexem(literal ? lkSymbol : lkSpecial, "-", line, col);
    } else {
      AddLexem(lkSymbol, String(1, c), line, col);
    }
  }
}

void TcxRegExpr::LexParameterQuantifier() {
  char c = 0;
  for (;;) {
    if (!ReadChar(c)) {
      AddError(FLineNo, Fmt(scxRegExprMissing, "}"), FCharPos + 1);
      return;
    }
    if (IsBlankChar(c)) continue;
    const int line = FLineNo, col = FCharPos;
    if (IsDigit(c)) {
      String digits(1, c);
      char next = 0;
      while (PeekChar(next, 0) && IsDigit(next)) {
        ReadChar(next);
        digits += next;
      }
      AddLexem(lkInteger, digits, line, col);
    } else if (c == ',') {
      AddLexem(lkSpecial, ",", line, col);
    } else if (c == '}') {
      AddLexem(lkSpecial, "}", line, col);
      return;
    } else {
      AddError(line, Fmt(scxRegExprIllegalSymbol, CharText(c)), col);
    }
  }
}

// Parser -----------------------------------------------------------------------------------------

bool TcxRegExpr::NextLexem(TcxLexem& Lexem) {
  if (FLexemIndex >= FLexems.Count()) return false;
  FLexems.GetLexem(FLexemIndex++, Lexem);
  return true;
}

bool TcxRegExpr::PeekLexem(TcxLexem& Lexem) const {
  if (FLexemIndex >= FLexems.Count()) return false;
  FLexems.GetLexem(FLexemIndex, Lexem);
  return true;
}

void TcxRegExpr::Abort(const TcxLexem& At) {
  AddError(At, scxRegExprTooComplex);
  FAborted = true;
}

void TcxRegExpr::AddItem(TcxRegExprParserAlt& Alt, std::unique_ptr<TcxRegExprParserItem> Item, const TcxLexem& At) {
  if (FParseDepth + Item->NestingDepth() > kMaxNesting) {
    FRetired.push_back(std::move(Item));
    Abort(At);
    return;
  }
  Alt.Add(std::move(Item));
}

bool TcxRegExpr::ReserveCopies(int64_t States, const TcxLexem& At) {
  if (States > kMaxCopiedStates - FExpandedStates) {
    Abort(At);
    return false;
  }
  FExpandedStates += States;
  return true;
}

std::unique_ptr<TcxRegExprParserAlts> TcxRegExpr::ParseExpression() {
  auto alts = std::make_unique<TcxRegExprParserAlts>();
  while (ParseAlternative(*alts->AddNew(), true) && !FAborted) {
  }
  return alts;
}

bool TcxRegExpr::ParseAlternative(TcxRegExprParserAlt& Alt, bool TopLevel) {
  TcxLexem L;
  if (!PeekLexem(L)) {
    AddError(0, scxRegExprCantCreateEmptyAlt, 0);
    return false;
  }
  if (IsSpecial(L, '|')) {
    AddError(L, scxRegExprCantCreateEmptyAlt);
    NextLexem(L);
    return true;
  }
  if (!TopLevel && IsSpecial(L, ')')) {
    AddError(L, scxRegExprCantCreateEmptyBlock);
    NextLexem(L);
    return false;
  }
  while (!FAborted && NextLexem(L)) {
    if (L.Kind == lkSymbol) {
      AddItem(Alt, SimpleItem(std::make_unique<TcxRegExprSymbol>(L.Text[0])), L);
    } else if (auto item = ClassItem(L)) {
      AddItem(Alt, SimpleItem(std::move(item)), L);
    } else if (L.Kind == lkReference) {
      const size_t n = static_cast<size_t>(L.Text[0] - '0');
      if (n > FGroups.size()) {
        AddError(L, scxRegExprTooBigReferenceNumber);
      } else if (ReserveCopies(FGroups[n - 1]->StateCount(), L)) {
        AddItem(Alt, FGroups[n - 1]->Duplicate(), L);
      }
    } else if (L.Kind == lkInteger) {
      AddError(L, scxRegExprIllegalIntegerValue);
    } else {
      const char c = L.Text.empty() ? '\0' : L.Text[0];
      switch (c) {
        case '(':
          if (FParseDepth >= kMaxNesting) {
            Abort(L);
            return false;
          }
          AddItem(Alt, ParseBlock(), L);
          break;
        case '[': AddItem(Alt, ParseEnumeration(), L); break;
        case '?':
          if (Alt.Last()) ApplyQuantifier(Alt, std::make_unique<TcxRegExprQuestionQuantifier>(), L);
          else AddError(L, Fmt(scxRegExprIllegalQuantifier, "?"));
          break;
        case '*':
        case '+':
          if (!Alt.Last()) {
            AddError(L, Fmt(scxRegExprIllegalQuantifier, String(1, c)));
          } else if (Alt.Last()->CanMatchEmpty()) {
            AddError(L, c == '*' ? scxRegExprCantUseStarQuantifier : scxRegExprCantUsePlusQuantifier);
          } else if (c == '*') {
            ApplyQuantifier(Alt, std::make_unique<TcxRegExprStarQuantifier>(), L);
          } else {
            ApplyQuantifier(Alt, std::make_unique<TcxRegExprPlusQuantifier>(), L);
          }
          break;
        case '{':
          if (!Alt.Last()) {
            AddError(L, scxRegExprIncorrectParameterQuantifier);
          } else {
            int min = 0, max = 0;
            TcxLexem last;
            const bool valid = ParseParameterQuantifier(L, min, max, last);
            if (FAborted) return false;
            if (!valid) AddError(last, scxRegExprIncorrectParameterQuantifier);
            if (Alt.Last()->MayBeAbsent()) AddError(L, scxRegExprCantUseParameterQuantifier);
            else if (valid) ApplyBounds(Alt, min, max, L);
          }
          break;
        case '|': return true;
        case ')':
          if (!TopLevel) return false;
          AddError(L, Fmt(scxRegExprIllegalSymbol, ")"));
          break;
        case '-':
        case ']':
        case '}': AddError(L, Fmt(scxRegExprIllegalSymbol, String(1, c))); break;
        default: break;
      }
    }
  }
  return false;
}

std::unique_ptr<TcxRegExprParserItem> TcxRegExpr::ParseBlock() {
  auto block = std::make_unique<TcxRegExprParserBlockItem>();
  FGroups.push_back(block.get());
  ++FParseDepth;
  while (ParseAlternative(*block->Alts().AddNew(), false) && !FAborted) {
  }
  --FParseDepth;
  return block;
}

std::unique_ptr<TcxRegExprParserItem> TcxRegExpr::ParseEnumeration() {
  TcxLexem L;
  bool inverse = false;
  bool more = NextLexem(L);
  if (more && IsSpecial(L, '^')) {
    inverse = true;
    more = NextLexem(L);
  }
  auto set = std::make_unique<TcxRegExprUserEnumeration>(inverse);
  if (more && IsSpecial(L, ']')) {
    AddError(L, scxRegExprCantCreateEmptyEnum);
    more = false;
  }
  while (more && !IsSpecial(L, ']')) {
    TcxLexem dash;
    if (PeekLexem(dash) && IsSpecial(dash, '-')) {
      NextLexem(dash);
      TcxLexem end;
      if (!NextLexem(end)) break;
      // Ranges compare the lexems' first characters whatever their kinds: '[\d-z]' is "d" to "z".
      const auto from = static_cast<unsigned char>(L.Text[0]);
      const auto to = static_cast<unsigned char>(end.Text[0]);
      if (to > from) set->Add(std::make_unique<TcxRegExprSubrange>(L.Text[0], end.Text[0]));
      else AddError(end, scxRegExprSubrangeOrder);
      while (PeekLexem(dash) && IsSpecial(dash, '-')) {
        NextLexem(dash);
        AddError(dash, Fmt(scxRegExprIllegalSymbol, "-"));
      }
    } else if (auto item = ClassItem(L)) {
      set->Add(std::move(item));
    } else {
      set->Add(std::make_unique<TcxRegExprSymbol>(L.Text[0]));
    }
    more = NextLexem(L);
  }
  return SimpleItem(std::move(set));
}

bool TcxRegExpr::ParseParameterQuantifier(const TcxLexem& Brace, int& Min, int& Max, TcxLexem& Last) {
  Last = Brace;
  TcxLexem L;
  auto integer = [&](int& value) {
    if (L.Kind != lkInteger) return false;
    if (!ToCount(L.Text, value)) {
      Abort(L);
      return false;
    }
    return true;
  };
  if (!NextLexem(L)) return false;
  Last = L;
  if (!integer(Min)) return false;
  if (!NextLexem(L)) return false;
  Last = L;
  if (IsSpecial(L, '}')) {
    Max = Min;
    return true;
  }
  if (!IsSpecial(L, ',')) return false;
  if (!NextLexem(L)) return false;
  Last = L;
  if (IsSpecial(L, '}')) {
    Max = -1;
    return true;
  }
  if (!integer(Max) || Max < Min) return false;
  if (!NextLexem(L)) return false;
  Last = L;
  return IsSpecial(L, '}');
}

void TcxRegExpr::ApplyQuantifier(TcxRegExprParserAlt& Alt, std::unique_ptr<TcxRegExprQuantifier> Quantifier,
                                 const TcxLexem& At) {
  if (Alt.Last()->IsUnquantified()) {
    Alt.Last()->ReplaceQuantifier(std::move(Quantifier));
    return;
  }
  // A second quantifier applies to the quantified item as a whole: 'a*?' is '(a*)?'.
  auto group = std::make_unique<TcxRegExprParserBlockItem>(std::move(Quantifier));
  group->Alts().AddNew()->Add(Alt.TakeLast());
  AddItem(Alt, std::move(group), At);
}

void TcxRegExpr::ApplyBounds(TcxRegExprParserAlt& Alt, int Min, int Max, const TcxLexem& At) {
  TcxRegExprParserItem* x = Alt.Last();
  const int64_t optional = Max > Min ? Max - Min : 0;
  const int64_t copies = Min + (Max < 0 ? 1 : 0) + optional;
  if (!ReserveCopies(x->StateCount() * copies, At)) return;
  if (FParseDepth + x->NestingDepth() + 1 + optional > kMaxNesting) {
    Abort(At);
    return;
  }

  auto group = std::make_unique<TcxRegExprParserBlockItem>();
  TcxRegExprParserAlt* body = group->Alts().AddNew();
  for (int i = 0; i < Min; ++i) body->Add(x->Duplicate());
  if (Max < 0) {
    auto more = x->Duplicate();
    more->ReplaceQuantifier(std::make_unique<TcxRegExprStarQuantifier>());
    body->Add(std::move(more));
  }
  if (Max > Min) {
    // Built from the innermost out: 'x{2,4}' is 'x x (x x?)?'.
    std::unique_ptr<TcxRegExprParserItem> tail = x->Duplicate();
    tail->ReplaceQuantifier(std::make_unique<TcxRegExprQuestionQuantifier>());
    for (int d = Max - 2; d >= Min; --d) {
      auto outer = std::make_unique<TcxRegExprParserBlockItem>(std::make_unique<TcxRegExprQuestionQuantifier>());
      TcxRegExprParserAlt* alt = outer->Alts().AddNew();
      alt->Add(x->Duplicate());
      alt->Add(std::move(tail));
      tail = std::move(outer);
    }
    body->Add(std::move(tail));
  }
  // The replaced item may be a group that a later reference copies, so it is kept, not freed.
  FRetired.push_back(Alt.TakeLast());
  Alt.Add(std::move(group));
}
