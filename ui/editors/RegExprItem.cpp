#include "ui/editors/RegExprItem.h"

#include "ui/controls/CustomEdit.h"
#include "ui/controls/FormatController.h"

namespace {

char UpperCase(char Ch) { return (Ch >= 'a' && Ch <= 'z') ? static_cast<char>(Ch - 'a' + 'A') : Ch; }

bool InRange(char Ch, char Low, char High) {
  const auto c = static_cast<unsigned char>(Ch);
  return c >= static_cast<unsigned char>(Low) && c <= static_cast<unsigned char>(High);
}

TcxRegExprMatch AsTypedWhen(bool Accepted) { return Accepted ? TcxRegExprMatch::AsTyped : TcxRegExprMatch::None; }

}  // namespace

TcxRegExprMatch TcxRegExprSymbol::Match(char& Ch, bool CaseInsensitive) const {
  if (Ch != FChar && !(CaseInsensitive && UpperCase(Ch) == UpperCase(FChar))) return TcxRegExprMatch::None;
  Ch = FChar;
  return TcxRegExprMatch::OwnCase;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprSymbol::Duplicate() const {
  return std::make_unique<TcxRegExprSymbol>(FChar);
}

TcxRegExprMatch TcxRegExprTimeSeparator::Match(char& Ch, bool) const {
  return AsTypedWhen(Ch == LocaleFormatSettings().TimeSeparator);
}

std::unique_ptr<TcxRegExprItem> TcxRegExprTimeSeparator::Duplicate() const {
  return std::make_unique<TcxRegExprTimeSeparator>();
}

TcxRegExprMatch TcxRegExprDateSeparator::Match(char& Ch, bool) const {
  return AsTypedWhen(Ch == LocaleFormatSettings().DateSeparator);
}

std::unique_ptr<TcxRegExprItem> TcxRegExprDateSeparator::Duplicate() const {
  return std::make_unique<TcxRegExprDateSeparator>();
}

TcxRegExprMatch TcxRegExprSubrange::Match(char& Ch, bool) const {
  return AsTypedWhen(InRange(Ch, FStart, FFinish));
}

std::unique_ptr<TcxRegExprItem> TcxRegExprSubrange::Duplicate() const {
  return std::make_unique<TcxRegExprSubrange>(FStart, FFinish);
}

// The set takes the character as its first accepting member does, so a listed symbol gives its
// case and a listed range does not. An inverse set takes only what no member accepts, as typed.
TcxRegExprMatch TcxRegExprUserEnumeration::Match(char& Ch, bool CaseInsensitive) const {
  char probe = Ch;
  TcxRegExprMatch found = TcxRegExprMatch::None;
  for (const auto& item : FItems) {
    found = item->Match(probe, CaseInsensitive);
    if (found != TcxRegExprMatch::None) break;
  }
  if (FInverse) return AsTypedWhen(found == TcxRegExprMatch::None);
  if (found != TcxRegExprMatch::None) Ch = probe;
  return found;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprUserEnumeration::Duplicate() const {
  auto copy = std::make_unique<TcxRegExprUserEnumeration>(FInverse);
  for (const auto& item : FItems) copy->Add(item->Duplicate());
  return copy;
}

TcxRegExprMatch TcxRegExprDigit::Match(char& Ch, bool) const { return AsTypedWhen(InRange(Ch, '0', '9') != FInverse); }

std::unique_ptr<TcxRegExprItem> TcxRegExprDigit::Duplicate() const {
  return std::make_unique<TcxRegExprDigit>(FInverse);
}

TcxRegExprMatch TcxRegExprIdLetter::Match(char& Ch, bool) const {
  const bool letter = InRange(Ch, 'a', 'z') || InRange(Ch, 'A', 'Z') || InRange(Ch, '0', '9') || Ch == '_';
  return AsTypedWhen(letter != FInverse);
}

std::unique_ptr<TcxRegExprItem> TcxRegExprIdLetter::Duplicate() const {
  return std::make_unique<TcxRegExprIdLetter>(FInverse);
}

TcxRegExprMatch TcxRegExprSpace::Match(char& Ch, bool) const { return AsTypedWhen(IsBlankChar(Ch) != FInverse); }

std::unique_ptr<TcxRegExprItem> TcxRegExprSpace::Duplicate() const {
  return std::make_unique<TcxRegExprSpace>(FInverse);
}

TcxRegExprMatch TcxRegExprAll::Match(char&, bool) const { return TcxRegExprMatch::AsTyped; }

std::unique_ptr<TcxRegExprItem> TcxRegExprAll::Duplicate() const { return std::make_unique<TcxRegExprAll>(); }

std::unique_ptr<TcxRegExprQuantifier> TcxRegExprSimpleQuantifier::Duplicate() const {
  return std::make_unique<TcxRegExprSimpleQuantifier>();
}

std::unique_ptr<TcxRegExprQuantifier> TcxRegExprQuestionQuantifier::Duplicate() const {
  return std::make_unique<TcxRegExprQuestionQuantifier>();
}

std::unique_ptr<TcxRegExprQuantifier> TcxRegExprStarQuantifier::Duplicate() const {
  return std::make_unique<TcxRegExprStarQuantifier>();
}

std::unique_ptr<TcxRegExprQuantifier> TcxRegExprPlusQuantifier::Duplicate() const {
  return std::make_unique<TcxRegExprPlusQuantifier>();
}
