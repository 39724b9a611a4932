#include "ui/editors/RegExprItem.h"

#include "ui/controls/CustomEdit.h"
#include "ui/controls/FormatController.h"

namespace {

char UpperCase(char Ch) { return (Ch >= 'a' && Ch <= 'z') ? static_cast<char>(Ch - 'a' + 'A') : Ch; }

bool InRange(char Ch, char Low, char High) {
  const auto c = static_cast<unsigned char>(Ch);
  return c >= static_cast<unsigned char>(Low) && c <= static_cast<unsigned char>(High);
}

}  // namespace

bool TcxRegExprSymbol::AcceptsChar(char& Ch, bool CaseInsensitive) const {
  if (Ch == FChar) return true;
  if (CaseInsensitive && UpperCase(Ch) == UpperCase(FChar)) {
    Ch = FChar;
    return true;
  }
  return false;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprSymbol::Duplicate() const {
  return std::make_unique<TcxRegExprSymbol>(FChar);
}

bool TcxRegExprTimeSeparator::AcceptsChar(char& Ch, bool) const {
  return Ch == LocaleFormatSettings().TimeSeparator;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprTimeSeparator::Duplicate() const {
  return std::make_unique<TcxRegExprTimeSeparator>();
}

bool TcxRegExprDateSeparator::AcceptsChar(char& Ch, bool) const {
  return Ch == LocaleFormatSettings().DateSeparator;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprDateSeparator::Duplicate() const {
  return std::make_unique<TcxRegExprDateSeparator>();
}

bool TcxRegExprSubrange::AcceptsChar(char& Ch, bool) const { return InRange(Ch, FStart, FFinish); }

std::unique_ptr<TcxRegExprItem> TcxRegExprSubrange::Duplicate() const {
  return std::make_unique<TcxRegExprSubrange>(FStart, FFinish);
}

bool TcxRegExprUserEnumeration::AcceptsChar(char& Ch, bool CaseInsensitive) const {
  char probe = Ch;
  bool found = false;
  for (const auto& item : FItems) {
    if (item->AcceptsChar(probe, CaseInsensitive)) {
      found = true;
      break;
    }
  }
  // An inverse set that refuses must not hand back the case its member gave the character.
  if (found != FInverse) {
    if (found) Ch = probe;
    return true;
  }
  return false;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprUserEnumeration::Duplicate() const {
  auto copy = std::make_unique<TcxRegExprUserEnumeration>(FInverse);
  for (const auto& item : FItems) copy->Add(item->Duplicate());
  return copy;
}

bool TcxRegExprDigit::AcceptsChar(char& Ch, bool) const { return InRange(Ch, '0', '9') != FInverse; }

std::unique_ptr<TcxRegExprItem> TcxRegExprDigit::Duplicate() const {
  return std::make_unique<TcxRegExprDigit>(FInverse);
}

bool TcxRegExprIdLetter::AcceptsChar(char& Ch, bool) const {
  const bool letter = InRange(Ch, 'a', 'z') || InRange(Ch, 'A', 'Z') || InRange(Ch, '0', '9') || Ch == '_';
  return letter != FInverse;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprIdLetter::Duplicate() const {
  return std::make_unique<TcxRegExprIdLetter>(FInverse);
}

bool TcxRegExprSpace::AcceptsChar(char& Ch, bool) const { return IsBlankChar(Ch) != FInverse; }

std::unique_ptr<TcxRegExprItem> TcxRegExprSpace::Duplicate() const {
  return std::make_unique<TcxRegExprSpace>(FInverse);
}

bool TcxRegExprAll::AcceptsChar(char&, bool) const { return true; }

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
