#pragma once
// The regular-expression mask engine: compiles a mask into an automaton and feeds it the typed
// text one character at a time.
//
// The mask language: blanks outside quotes are ignored, '/' and ':' stand for the locale's date
// and time separators, quoted text is literal, \1 to \9 repeat an earlier group and {n,m} is
// expanded into copies when the mask is compiled. A mask always describes the whole text.
#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <sstream>
#include <vector>

#include "platform/classes/SysUtils.h"
#include "ui/controls/EditError.h"
#include "ui/editors/RegExprAutomat.h"

// The engine's messages.
inline constexpr const char* scxRegExprLine = "Line";
inline constexpr const char* scxRegExprChar = "Char";
inline constexpr const char* scxRegExprNotAssignedSourceStream = "The source stream is not assigned";
inline constexpr const char* scxRegExprEmptySourceStream = "The source stream is empty";
inline constexpr const char* scxRegExprCantUsePlusQuantifier = "The '+' quantifier cannot be applied here";
inline constexpr const char* scxRegExprCantUseStarQuantifier = "The '*' quantifier cannot be applied here";
inline constexpr const char* scxRegExprCantCreateEmptyAlt = "The alternative should not be empty";
inline constexpr const char* scxRegExprCantCreateEmptyBlock = "The block should not be empty";
inline constexpr const char* scxRegExprIllegalSymbol = "Illegal '%s'";
inline constexpr const char* scxRegExprIllegalQuantifier = "Illegal quantifier '%s'";
inline constexpr const char* scxRegExprNotSupportQuantifier = "The parameter quantifiers are not supported";
inline constexpr const char* scxRegExprIllegalIntegerValue = "Illegal integer value";
inline constexpr const char* scxRegExprTooBigReferenceNumber = "Too big reference number";
inline constexpr const char* scxRegExprCantCreateEmptyEnum = "Can't create empty enumeration";
inline constexpr const char* scxRegExprSubrangeOrder =
    "The starting character of the subrange must be less than the finishing one";
inline constexpr const char* scxRegExprHexNumberExpected0 = "Hexadecimal number expected";
inline constexpr const char* scxRegExprHexNumberExpected = "Hexadecimal number expected but '%s' found";
inline constexpr const char* scxRegExprMissing = "Missing '%s'";
inline constexpr const char* scxRegExprUnnecessary = "Unnecessary '%s'";
inline constexpr const char* scxRegExprIncorrectSpace = "The space character is not allowed after '\\'";
inline constexpr const char* scxRegExprNotCompiled = "Regular expression is not compiled";
inline constexpr const char* scxRegExprIncorrectParameterQuantifier = "Incorrect parameter quantifier";
inline constexpr const char* scxRegExprCantUseParameterQuantifier = "The parameter quantifier cannot be applied here";
// A mask whose expansion or nesting would exhaust memory or the stack.
inline constexpr const char* scxRegExprTooComplex = "The regular expression is too complex";

enum TcxLexemKind : uint8_t {
  lkSymbol = 0,
  lkSpecial = 1,
  lkInteger = 2,
  lkAnyChar = 3,
  lkIdLetter = 4,
  lkNotIdLetter = 5,
  lkDigit = 6,
  lkNotDigit = 7,
  lkSpace = 8,
  lkNotSpace = 9,
  lkReference = 10,
  lkDateSeparator = 11,
  lkTimeSeparator = 12,
};

struct TcxLexem {
  int CharPos = 0;
  TcxLexemKind Kind = lkSymbol;
  int LineNo = 0;
  String Text;
};

class TcxLexems {
 public:
  void Add(const TcxLexem& Lexem) { FItems.push_back(Lexem); }
  void Clear() { FItems.clear(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  void GetLexem(int Index, TcxLexem& Lexem) const { Lexem = FItems[static_cast<size_t>(Index)]; }

 private:
  std::vector<TcxLexem> FItems;
};

class TcxRegExprError {
 public:
  TcxRegExprError(int LineNo, String Text, int CharPos) : CharPos(CharPos), LineNo(LineNo), Text(std::move(Text)) {}
  // The message with its position, as "Line3, Char7: message"; an error without a line has none.
  String DisplayText() const;

  int CharPos;
  int LineNo;
  String Text;
};

class TcxRegExprErrors {
 public:
  void Append(std::unique_ptr<TcxRegExprError> Error) { FItems.push_back(std::move(Error)); }
  void Clear() { FItems.clear(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  const TcxRegExprError& Items(int Index) const { return *FItems[static_cast<size_t>(Index)]; }

 private:
  std::vector<std::unique_ptr<TcxRegExprError>> FItems;
};

// Raised when a mask does not compile. It refers to the engine's error list rather than copying
// it; the list stays alive with the exception even when the engine compiles again or goes away.
class EcxRegExprError : public EcxEditError {
 public:
  explicit EcxRegExprError(std::shared_ptr<const TcxRegExprErrors> Errors)
      : EcxEditError(String()), FErrors(std::move(Errors)) {}
  const TcxRegExprErrors& Errors() const { return *FErrors; }

 private:
  std::shared_ptr<const TcxRegExprErrors> FErrors;
};

class TcxRegExpr {
 public:
  TcxRegExpr();
  ~TcxRegExpr();
  TcxRegExpr(const TcxRegExpr&) = delete;
  TcxRegExpr& operator=(const TcxRegExpr&) = delete;

  // Reads Source whole from its beginning; raises EcxRegExprError with every fault found.
  void Compile(std::istream* Source);
  bool Compiled() const { return FCompiled; }
  // A stream over the compiled mask text (null when not compiled), to compile another engine from.
  std::istream* SourceStream() const { return FCompiled ? FSourceStream.get() : nullptr; }
  const TcxRegExprErrors& Errors() const { return *FErrors; }

  bool Accept(char& Ch);
  bool Back();
  bool AtFinal();
  bool AtStart();
  void Restart();
  void FilterText(const String& Text, String& Accepted);
  void DiscardCompiled();
  // The parse tree in its diagnostic form.
  String DebugText();

  bool CaseInsensitive() const { return FCaseInsensitive; }
  void SetCaseInsensitive(bool Value) { FCaseInsensitive = Value; }
  bool AutoComplete() const { return FAutoComplete; }
  // Switching it on completes forward at once, unless CompleteNow is false (the position then
  // stays where it is until the next step).
  void SetAutoComplete(bool Value, bool CompleteNow = true);

  std::function<void()> OnFixedCharRemoved;
  std::function<void(char)> OnFixedCharAdded;

  // Called by the automaton as it inserts or removes fixed characters.
  void DoFixedCharAdded(char Ch);
  void DoFixedCharRemoved();

 private:
  std::unique_ptr<TcxRegExprAutomat> FAutomat;
  std::vector<TcxRegExprParserBlockItem*> FGroups;  // by opening parenthesis; owned by the tree
  int FCharPos = 0;
  bool FCaseInsensitive = false;
  bool FAutoComplete = false;
  std::shared_ptr<TcxRegExprErrors> FErrors;
  size_t FIndex = 0;
  int FLexemIndex = 0;
  TcxLexems FLexems;
  int FLineNo = 1;
  String FSource;
  std::unique_ptr<std::istringstream> FSourceStream;
  bool FCompiled = false;

  // Items replaced while parsing stay alive until the next compile: a group the group list points
  // to may be among them, and a later reference copies it.
  std::vector<std::unique_ptr<TcxRegExprParserItem>> FRetired;
  int FParseDepth = 0;
  int64_t FExpandedStates = 0;
  bool FAborted = false;

  void CheckCompiled() const;
  void AddError(int LineNo, const String& Text, int CharPos);
  void AddError(const TcxLexem& At, const String& Text) { AddError(At.LineNo, Text, At.CharPos); }
  [[noreturn]] void RaiseErrors();

  bool ReadChar(char& Ch);
  bool PeekChar(char& Ch, int Offset) const;
  bool NextLexem(TcxLexem& Lexem);
  bool PeekLexem(TcxLexem& Lexem) const;
  void AddLexem(TcxLexemKind Kind, const String& Text, int LineNo, int CharPos);

  void LexExpression();
  void LexQuotedText();
  void LexEscape(int LineNo, int CharPos);
  void LexEnumeration();
  void LexParameterQuantifier();

  std::unique_ptr<TcxRegExprParserAlts> ParseExpression();
  bool ParseAlternative(TcxRegExprParserAlt& Alt, bool TopLevel);
  std::unique_ptr<TcxRegExprParserItem> ParseBlock();
  std::unique_ptr<TcxRegExprParserItem> ParseEnumeration();
  bool ParseParameterQuantifier(const TcxLexem& Brace, int& Min, int& Max, TcxLexem& Last);
  void ApplyQuantifier(TcxRegExprParserAlt& Alt, std::unique_ptr<TcxRegExprQuantifier> Quantifier,
                       const TcxLexem& At);
  void ApplyBounds(TcxRegExprParserAlt& Alt, int Min, int Max, const TcxLexem& At);
  void AddItem(TcxRegExprParserAlt& Alt, std::unique_ptr<TcxRegExprParserItem> Item, const TcxLexem& At);
  bool ReserveCopies(int64_t States, const TcxLexem& At);
  void Abort(const TcxLexem& At);
};
