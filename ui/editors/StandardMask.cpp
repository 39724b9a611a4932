#include "ui/editors/StandardMask.h"

#include <algorithm>

#include "ui/controls/FormatController.h"

namespace {

bool InRange(char Ch, char Low, char High) { return Ch >= Low && Ch <= High; }

}  // namespace

void TcxStandardMaskManyItem::ConvertCase(char& Ch) const {
  if (CaseConversion == cxStandardMaskUpperCase && InRange(Ch, 'a', 'z')) Ch = static_cast<char>(Ch - 'a' + 'A');
  else if (CaseConversion == cxStandardMaskLowerCase && InRange(Ch, 'A', 'Z')) Ch = static_cast<char>(Ch - 'A' + 'a');
}

bool TcxStandardMaskManyItem::AcceptsChar(char& Ch) const {
  const bool accepted = Accepts(Ch);
  ConvertCase(Ch);
  return accepted;
}

bool TcxStandardMaskAlphaItem::Accepts(char Ch) const { return InRange(Ch, 'A', 'Z') || InRange(Ch, 'a', 'z'); }

bool TcxStandardMaskAlphaNumericItem::Accepts(char Ch) const {
  return InRange(Ch, 'A', 'Z') || InRange(Ch, 'a', 'z') || InRange(Ch, '0', '9');
}

bool TcxStandardMaskNumericItem::Accepts(char Ch) const { return InRange(Ch, '0', '9'); }

bool TcxStandardMaskNumericSymbolItem::Accepts(char Ch) const { return InRange(Ch, '0', '9') || Ch == '+' || Ch == '-'; }

void TcxStandardMask::Clear() {
  FMask.clear();
  FLeading = false;
  FSaveLiterals = true;
  FBlankChar = '_';
  FItems.clear();
}

void TcxStandardMask::Compile(const String& Mask) {
  Clear();
  FMask = Mask;
  String rest = Mask;
  if (!rest.empty() && rest[0] == '!') {
    FLeading = true;
    rest.erase(0, 1);
  }
  ParseItems(rest);
}

void TcxStandardMask::ParseItems(const String& Mask) {
  uint8_t caseState = cxStandardMaskNoCaseConversion;
  auto literal = [&](char ch) { FItems.push_back(std::make_unique<TcxStandardMaskLiteralItem>(ch)); };
  for (size_t i = 0; i < Mask.size(); ++i) {
    const char c = Mask[i];
    switch (c) {
      case 'L': case 'l':
        FItems.push_back(std::make_unique<TcxStandardMaskAlphaItem>(c == 'l', caseState));
        break;
      case 'A': case 'a':
        FItems.push_back(std::make_unique<TcxStandardMaskAlphaNumericItem>(c == 'a', caseState));
        break;
      case 'C': case 'c':
        FItems.push_back(std::make_unique<TcxStandardMaskASCIIItem>(c == 'c', caseState));
        break;
      case '0': case '9':
        FItems.push_back(std::make_unique<TcxStandardMaskNumericItem>(c == '9', caseState));
        break;
      case '#':
        FItems.push_back(std::make_unique<TcxStandardMaskNumericSymbolItem>(true, caseState));
        break;
      case '>': caseState = cxStandardMaskUpperCase; break;
      case '<':
        if (i + 1 < Mask.size() && Mask[i + 1] == '>') {
          caseState = cxStandardMaskNoCaseConversion;
          ++i;
        } else {
          caseState = cxStandardMaskLowerCase;
        }
        break;
      case '\\':
        if (i + 1 < Mask.size()) literal(Mask[++i]);
        break;
      case ':': literal(LocaleFormatSettings().TimeSeparator); break;
      case '/': literal(LocaleFormatSettings().DateSeparator); break;
      case ';': {
        const size_t left = Mask.size() - i - 1;
        const char x = left > 0 ? Mask[i + 1] : '\0';
        const bool flag = x == '0' || x == '1';
        if (flag && left == 3 && Mask[i + 2] == ';') {
          FSaveLiterals = x != '0';
          FBlankChar = Mask[i + 3];
          return;
        }
        if (flag && left == 1) {
          FSaveLiterals = x != '0';
          return;
        }
        literal(';');
        break;
      }
      default: literal(c); break;
    }
  }
}

bool TcxStandardMask::IsLiteral(int Index) const {
  return dynamic_cast<const TcxStandardMaskLiteralItem*>(Items(Index)) != nullptr;
}

void TcxStandardMask::EmptyText(String& Text) const {
  Text.clear();
  for (int i = 0; i < Count(); ++i) {
    auto* literal = dynamic_cast<const TcxStandardMaskLiteralItem*>(Items(i));
    Text += literal ? literal->Char() : FBlankChar;
  }
}

void TcxStandardMask::BlankValueText(String& Text) const {
  Text.clear();
  for (int i = 0; i < Count(); ++i) {
    auto* literal = dynamic_cast<const TcxStandardMaskLiteralItem*>(Items(i));
    if (!literal) Text += ' ';
    else if (FSaveLiterals) Text += literal->Char();
  }
}

void TcxStandardMask::ApplyToText(String& Text, bool UseConvertedChars, bool TextHasLiterals) const {
  String result;
  EmptyText(result);
  const int count = Count();
  const int length = static_cast<int>(Text.size());
  const int step = FLeading ? -1 : 1;
  int next = FLeading ? count - 1 : 0;
  for (int k = 0; k < length; ++k) {
    if (next < 0 || next >= count) break;
    const char typed = Text[static_cast<size_t>(FLeading ? length - 1 - k : k)];
    for (int p = next; p >= 0 && p < count; p += step) {
      const bool literal = IsLiteral(p);
      if (literal && !FSaveLiterals && !TextHasLiterals) continue;
      char ch = typed;
      if (Items(p)->AcceptsChar(ch)) {
        result[static_cast<size_t>(p)] = UseConvertedChars ? ch : typed;
        next = p + step;
        break;
      }
      if (!literal && (typed == FBlankChar || typed == ' ')) {
        next = p + step;
        break;
      }
    }
  }
  Text = result;
}

void TcxStandardMask::ExtractValue(String& Text) const {
  String value;
  const int n = std::min(static_cast<int>(Text.size()), Count());
  for (int i = 0; i < n; ++i) {
    const char ch = Text[static_cast<size_t>(i)];
    if (IsLiteral(i)) {
      if (FSaveLiterals) value += ch;
    } else {
      value += ch == FBlankChar ? ' ' : ch;
    }
  }
  Text = value;
}

bool TcxStandardMask::IsTextComplete(String& Text) const {
  if (static_cast<int>(Text.size()) != Count()) return false;
  for (int i = 0; i < Count(); ++i) {
    char& ch = Text[static_cast<size_t>(i)];
    const char typed = ch;
    if (Items(i)->AcceptsChar(ch)) continue;
    auto* many = dynamic_cast<const TcxStandardMaskManyItem*>(Items(i));
    if (many && many->Optional && (typed == FBlankChar || typed == ' ')) continue;
    return false;
  }
  return true;
}
