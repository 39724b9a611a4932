#pragma once
// Character classes and quantifiers of the regular-expression mask. Characters are bytes: ranges
// and classes compare byte values and never consult locale letters or digits.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/classes/SysUtils.h"

// How an item took a character: a class (any character, digits, letters, blanks, ranges, an
// inverse set) takes it as it was typed; a symbol takes it in its own case, which the engine gives
// back when the mask is case-insensitive.
enum class TcxRegExprMatch : uint8_t { None, AsTyped, OwnCase };

class TcxRegExprItem {
 public:
  virtual ~TcxRegExprItem() = default;
  // May rewrite Ch to the item's own character, but only when it answers OwnCase: a class and a
  // refusal leave Ch as it was.
  virtual TcxRegExprMatch Match(char& Ch, bool CaseInsensitive) const = 0;
  bool AcceptsChar(char& Ch, bool CaseInsensitive) const {
    return Match(Ch, CaseInsensitive) != TcxRegExprMatch::None;
  }
  virtual std::unique_ptr<TcxRegExprItem> Duplicate() const = 0;
};

class TcxRegExprSymbol final : public TcxRegExprItem {
 public:
  explicit TcxRegExprSymbol(char Ch) : FChar(Ch) {}
  char Char() const { return FChar; }
  TcxRegExprMatch Match(char& Ch, bool CaseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;

 private:
  char FChar;
};

class TcxRegExprTimeSeparator final : public TcxRegExprItem {
 public:
  TcxRegExprMatch Match(char& Ch, bool CaseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;
};

class TcxRegExprDateSeparator final : public TcxRegExprItem {
 public:
  TcxRegExprMatch Match(char& Ch, bool CaseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;
};

class TcxRegExprSubrange final : public TcxRegExprItem {
 public:
  TcxRegExprSubrange(char Start, char Finish) : FStart(Start), FFinish(Finish) {}
  TcxRegExprMatch Match(char& Ch, bool CaseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;

 private:
  char FStart;
  char FFinish;
};

class TcxRegExprEnumeration : public TcxRegExprItem {
 public:
  explicit TcxRegExprEnumeration(bool Inverse) : FInverse(Inverse) {}
  bool Inverse() const { return FInverse; }

 protected:
  bool FInverse;
};

class TcxRegExprUserEnumeration final : public TcxRegExprEnumeration {
 public:
  explicit TcxRegExprUserEnumeration(bool Inverse) : TcxRegExprEnumeration(Inverse) {}
  void Add(std::unique_ptr<TcxRegExprItem> Item) { FItems.push_back(std::move(Item)); }
  int Count() const { return static_cast<int>(FItems.size()); }
  TcxRegExprMatch Match(char& Ch, bool CaseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;

 private:
  std::vector<std::unique_ptr<TcxRegExprItem>> FItems;
};

class TcxRegExprDigit final : public TcxRegExprEnumeration {
 public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  TcxRegExprMatch Match(char& Ch, bool CaseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;
};

class TcxRegExprIdLetter final : public TcxRegExprEnumeration {
 public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  TcxRegExprMatch Match(char& Ch, bool CaseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;
};

class TcxRegExprSpace final : public TcxRegExprEnumeration {
 public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  TcxRegExprMatch Match(char& Ch, bool CaseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;
};

class TcxRegExprAll final : public TcxRegExprItem {
 public:
  TcxRegExprMatch Match(char& Ch, bool CaseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;
};

class TcxRegExprQuantifier {
 public:
  virtual ~TcxRegExprQuantifier() = default;
  virtual bool AllowsAbsence() const = 0;
  virtual bool AllowsRepetition() const = 0;
  virtual std::unique_ptr<TcxRegExprQuantifier> Duplicate() const = 0;
  virtual String DebugText() const = 0;
};

// Stands for "no quantifier written".
class TcxRegExprSimpleQuantifier final : public TcxRegExprQuantifier {
 public:
  bool AllowsAbsence() const override { return false; }
  bool AllowsRepetition() const override { return false; }
  std::unique_ptr<TcxRegExprQuantifier> Duplicate() const override;
  String DebugText() const override { return ""; }
};

class TcxRegExprQuestionQuantifier final : public TcxRegExprQuantifier {
 public:
  bool AllowsAbsence() const override { return true; }
  bool AllowsRepetition() const override { return false; }
  std::unique_ptr<TcxRegExprQuantifier> Duplicate() const override;
  String DebugText() const override { return "?"; }
};

class TcxRegExprStarQuantifier final : public TcxRegExprQuantifier {
 public:
  bool AllowsAbsence() const override { return true; }
  bool AllowsRepetition() const override { return true; }
  std::unique_ptr<TcxRegExprQuantifier> Duplicate() const override;
  String DebugText() const override { return "*"; }
};

class TcxRegExprPlusQuantifier final : public TcxRegExprQuantifier {
 public:
  bool AllowsAbsence() const override { return false; }
  bool AllowsRepetition() const override { return true; }
  std::unique_ptr<TcxRegExprQuantifier> Duplicate() const override;
  String DebugText() const override { return "+"; }
};
