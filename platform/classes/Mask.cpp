#include "platform/classes/Mask.h"

#include <cwctype>

#include "platform/classes/Utf8.h"
#include "platform/win/Controls.h"
#include "platform/win/Keys.h"

using namespace win;

namespace {

constexpr const char* SMaskEditErr = "Invalid input value.  Use escape key to abandon changes";

std::u32string ToU32(const String& s) {
  std::u32string out;
  Utf8Reader r(s);
  while (!r.AtEnd()) out.push_back(r.Next());
  return out;
}

String FromU32(const std::u32string& s) {
  String out;
  for (char32_t c : s) Utf8Append(out, c);
  return out;
}

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool IsLetter(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || c >= 0x80; }

}  // namespace

// ---- TEditMaskParser ------------------------------------------------------------------------------

TEditMaskParser::TEditMaskParser(const String& EditMask) {
  std::u32string m = ToU32(EditMask);
  // The last two fields after unescaped ';' are the save-literals flag and the blank.
  std::vector<std::size_t> semis;
  for (std::size_t i = 0; i < m.size(); ++i) {
    if (m[i] == U'\\') {
      ++i;
      continue;
    }
    if (m[i] == U';') semis.push_back(i);
  }
  std::u32string body = m;
  if (semis.size() >= 2) {
    std::size_t a = semis[semis.size() - 2], b = semis.back();
    std::u32string save = m.substr(a + 1, b - a - 1);
    std::u32string blank = m.substr(b + 1);
    FSaveLiterals = save != U"0";
    if (!blank.empty()) FBlank = blank[0];
    body = m.substr(0, a);
  } else if (semis.size() == 1) {
    std::u32string save = m.substr(semis[0] + 1);
    FSaveLiterals = save != U"0";
    body = m.substr(0, semis[0]);
  }
  int caseMode = 0;
  for (std::size_t i = 0; i < body.size(); ++i) {
    char32_t c = body[i];
    TMaskPlace p;
    switch (c) {
      case U'!': FLeadingBlanks = true; continue;
      case U'>':
        if (i + 1 < body.size() && body[i + 1] == U'<') {
          caseMode = 0;
          ++i;
        } else {
          caseMode = 1;
        }
        continue;
      case U'<': caseMode = -1; continue;
      case U'\\':
        if (i + 1 < body.size()) p.Literal = body[++i];
        break;
      case U'L': case U'A': case U'C': case U'0':
        p.Kind = static_cast<char>(c);
        p.Required = true;
        break;
      case U'l': case U'a': case U'c': case U'9': case U'#':
        p.Kind = static_cast<char>(c);
        break;
      default: p.Literal = c; break;
    }
    if (!p.Literal && !p.Kind) continue;
    p.Case = caseMode;
    FPlaces.push_back(p);
  }
}

char32_t TEditMaskParser::Accept(int Place, char32_t Ch) const {
  if (Place < 0 || Place >= static_cast<int>(FPlaces.size())) return 0;
  const TMaskPlace& p = FPlaces[static_cast<std::size_t>(Place)];
  if (p.Literal) return 0;
  bool ok = false;
  switch (p.Kind) {
    case 'L': case 'l': ok = IsLetter(Ch); break;
    case 'A': case 'a': ok = IsLetter(Ch) || IsDigit(Ch); break;
    case 'C': case 'c': ok = Ch >= 0x20; break;
    case '0': case '9': ok = IsDigit(Ch); break;
    case '#': ok = IsDigit(Ch) || Ch == U'+' || Ch == U'-'; break;
    default: break;
  }
  if (!ok) return 0;
  if (p.Case > 0) return Utf8ToUpper(Ch);
  if (p.Case < 0) return Utf8ToLower(Ch);
  return Ch;
}

std::u32string TEditMaskParser::Apply(const std::u32string& Value) const {
  std::u32string out;
  std::size_t v = 0;
  for (std::size_t i = 0; i < FPlaces.size(); ++i) {
    const TMaskPlace& p = FPlaces[i];
    if (p.Literal) {
      out.push_back(p.Literal);
      // A value with its literals has a character at every place, literals included.
      if (FSaveLiterals && v < Value.size()) ++v;
      continue;
    }
    char32_t c = v < Value.size() ? Accept(static_cast<int>(i), Value[v]) : 0;
    if (v < Value.size()) ++v;
    out.push_back(c ? c : FBlank);
  }
  return out;
}

std::u32string TEditMaskParser::Extract(const std::u32string& EditText) const {
  std::u32string out;
  for (std::size_t i = 0; i < FPlaces.size() && i < EditText.size(); ++i) {
    const TMaskPlace& p = FPlaces[i];
    if (p.Literal) {
      if (FSaveLiterals) out.push_back(p.Literal);
      continue;
    }
    out.push_back(EditText[i] == FBlank ? U' ' : EditText[i]);
  }
  return out;
}

int TEditMaskParser::FirstMissing(const std::u32string& EditText) const {
  for (std::size_t i = 0; i < FPlaces.size(); ++i)
    if (FPlaces[i].Required && (i >= EditText.size() || EditText[i] == FBlank)) return static_cast<int>(i);
  return -1;
}

// ---- TCustomMaskEdit ------------------------------------------------------------------------------

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::DeclareProperties(TPropTable& t) {
  t.Add("EditMask", &TCustomMaskEdit::EditMask, &TCustomMaskEdit::SetEditMask);
}

void TCustomMaskEdit::SetEditMask(const String& Value) {
  if (Value == FEditMask) return;
  String value = GetText();
  FEditMask = Value;
  FParser = TEditMaskParser(Value);
  if (IsMasked()) SetMaxLength(static_cast<int>(FParser.Places().size()));
  SetTextValue(value);
}

std::u32string TCustomMaskEdit::Shown() { return ToU32(TCustomEdit::GetText()); }

String TCustomMaskEdit::EditText() { return TCustomEdit::GetText(); }

void TCustomMaskEdit::SetEditText(const String& Value) {
  if (!IsMasked()) {
    TCustomEdit::SetTextValue(Value);
    return;
  }
  std::u32string v = ToU32(Value);
  v.resize(FParser.Places().size(), FParser.Blank());
  TCustomEdit::SetTextValue(FromU32(v));
}

String TCustomMaskEdit::GetText() {
  if (!IsMasked()) return TCustomEdit::GetText();
  return FromU32(FParser.Extract(Shown()));
}

void TCustomMaskEdit::SetTextValue(const String& Value) {
  if (!IsMasked()) {
    TCustomEdit::SetTextValue(Value);
    return;
  }
  TCustomEdit::SetTextValue(FromU32(FParser.Apply(ToU32(Value))));
}

int TCustomMaskEdit::NextInput(int From, int Step) const {
  int n = static_cast<int>(FParser.Places().size());
  for (int i = From; i >= 0 && i < n; i += Step)
    if (!FParser.Places()[static_cast<std::size_t>(i)].Literal) return i;
  return -1;
}

void TCustomMaskEdit::Show(const std::u32string& Text, int Caret) {
  TCustomEdit::SetTextValue(FromU32(Text));
  Perform(CM_TEXTCHANGED, 0, 0);
  if (HandleAllocated()) SendMessage(FHandle, EM_SETSEL, Caret, Caret);
}

void TCustomMaskEdit::TypeChar(char32_t Ch) {
  std::u32string text = Shown();
  text.resize(FParser.Places().size(), FParser.Blank());
  int at = NextInput(SelStart(), 1);
  if (at < 0) return;
  char32_t c = FParser.Accept(at, Ch);
  if (!c) return;
  text[static_cast<std::size_t>(at)] = c;
  int next = NextInput(at + 1, 1);
  Show(text, next < 0 ? at + 1 : next);
}

void TCustomMaskEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (!IsMasked() || ReadOnly() || Key == 0) return;
  if (Key == VK_DELETE || Key == VK_BACK) {
    // Removing characters puts blanks in their places; the literals stay.
    std::u32string text = Shown();
    text.resize(FParser.Places().size(), FParser.Blank());
    int start = SelStart(), len = SelLength();
    if (len == 0) {
      if (Key == VK_BACK) {
        start = NextInput(start - 1, -1);
        if (start < 0) {
          Key = 0;
          return;
        }
      } else {
        start = NextInput(start, 1);
        if (start < 0) {
          Key = 0;
          return;
        }
      }
      len = 1;
    }
    for (int i = start; i < start + len && i < static_cast<int>(text.size()); ++i)
      if (!FParser.Places()[static_cast<std::size_t>(i)].Literal) text[static_cast<std::size_t>(i)] = FParser.Blank();
    Show(text, start);
    Key = 0;
  }
}

void TCustomMaskEdit::KeyPress(TChar& Key) {
  TCustomEdit::KeyPress(Key);
  if (!IsMasked() || Key == 0) return;
  // Control characters keep their meaning.
  if (Key < 0x20) return;
  if (!ReadOnly()) TypeChar(Key);
  Key = 0;
}

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked()) return;
  int missing = FParser.FirstMissing(Shown());
  if (missing < 0) return;
  if (HandleAllocated()) SendMessage(FHandle, EM_SETSEL, missing, missing);
  throw EDBEditError(SMaskEditErr);
}

void TCustomMaskEdit::DoExit() {
  // An untouched edit may stay empty; one the operator typed into must be complete.
  if (IsMasked() && Modified()) {
    try {
      ValidateEdit();
    } catch (...) {
      SetFocus();
      throw;
    }
  }
  TCustomEdit::DoExit();
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TMaskEdit>();
  return true;
}();

}  // namespace
