#pragma once
// Character classes and quantifiers of the regular-expression mask. Characters are bytes: ranges
// and classes compare byte values and never consult locale letters or digits.
#include <memory>
#include <vector>

#include "platform/classes/SysUtils.h"

class TcxRegExprItem {
 public:
  virtual ~TcxRegExprItem() = default;
  // May rewrite Ch (a case-insensitive symbol gives back the mask's own case), but only when it
  // accepts it: a refusal leaves Ch as it was.
  virtual bool AcceptsChar(char& Ch, bool CaseInsensitive) const = 0;
  virtual std::unique_ptr<TcxRegExprItem> Duplicate() const = 0;
};

class TcxRegExprSymbol final : public TcxRegExprItem {
 public:
  explicit TcxRegExprSymbol(char Ch) : FChar(Ch) {}
  char Char() const { return FChar; }
  bool AcceptsChar(char& Ch, bool CaseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;

 private:
  char FChar;
};

class TcxRegExprTimeSeparator final : public TcxRegExprItem {
 public:
  bool AcceptsChar(char& Ch, bool CaseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;
};

class TcxRegExprDateSeparator final : public TcxRegExprItem {
 public:
  bool AcceptsChar(char& Ch, bool CaseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;
};

class TcxRegExprSubrange final : public TcxRegExprItem {
 public:
  TcxRegExprSubrange(char Start, char Finish) : FStart(Start), FFinish(Finish) {}
  bool AcceptsChar(char& Ch, bool CaseInsensitive) const override;
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
  bool AcceptsChar(char& Ch, bool CaseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;

 private:
  std::vector<std::unique_ptr<TcxRegExprItem>> FItems;
};

class TcxRegExprDigit final : public TcxRegExprEnumeration {
 public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  bool AcceptsChar(char& Ch, bool CaseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;
};

class TcxRegExprIdLetter final : public TcxRegExprEnumeration {
 public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  bool AcceptsChar(char& Ch, bool CaseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;
};

class TcxRegExprSpace final : public TcxRegExprEnumeration {
 public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  bool AcceptsChar(char& Ch, bool CaseInsensitive) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;
};

class TcxRegExprAll final : public TcxRegExprItem {
 public:
  bool AcceptsChar(char& Ch, bool CaseInsensitive) const override;
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
