// Feeds one mask and a run of keys to both mask engines. Input layout: a flags byte (bit 0 case
// insensitive, bit 1 auto-completion, bits 2-3 the date separator), the mask up to the first NUL,
// then the keys: BS steps back, DEL restarts, any other byte is typed.
//
// Besides the sanitizers, it checks the engine's own bookkeeping: the position is the start
// exactly when no step is left to take back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "ui/controls/FormatController.h"
#include "ui/editors/RegExpr.h"
#include "ui/editors/StandardMask.h"

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

void RunRegExpr(const String& Mask, const String& Keys, uint8_t Flags) {
  TcxRegExpr engine;
  long depth = 0;
  engine.OnFixedCharAdded = [&depth](char) { ++depth; };
  engine.OnFixedCharRemoved = [&depth] { --depth; };
  engine.SetCaseInsensitive(Flags & 1);
  engine.SetAutoComplete(Flags & 2);
  std::istringstream source(Mask);
  try {
    engine.Compile(&source);
  } catch (const EcxRegExprError& e) {
    Check(e.Errors().Count() > 0);
    for (int i = 0; i < e.Errors().Count(); ++i) (void)e.Errors().Items(i).DisplayText();
    Check(!engine.Compiled());
    return;
  }
  Check(engine.Compiled());
  for (char key : Keys) {
    if (key == '\b') {
      const bool stepped = engine.Back();
      Check(depth >= 0);
      if (stepped) --depth;
      else Check(depth == 0);
    } else if (key == '\x7f') {
      engine.Restart();
      depth = 0;
    } else {
      char ch = key;
      if (engine.Accept(ch)) ++depth;
      else Check(ch == key);
    }
    Check(engine.AtStart() == (depth == 0));
    (void)engine.AtFinal();
  }
  String accepted;
  engine.Restart();
  engine.FilterText(Keys, accepted);
  Check(accepted.size() <= Keys.size());
}

void RunStandardMask(const String& Mask, const String& Keys) {
  TcxStandardMask mask;
  mask.Compile(Mask);
  String text = Keys;
  mask.ApplyToText(text, true, false);
  Check(static_cast<int>(text.size()) == mask.Count());
  String value = text;
  mask.ExtractValue(value);
  Check(static_cast<int>(value.size()) <= mask.Count());
  String probe = Keys;
  (void)mask.IsTextComplete(probe);
  (void)mask.IsTextComplete(text);
  String blank;
  mask.BlankValueText(blank);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  const uint8_t flags = Data[0];
  const String rest(reinterpret_cast<const char*>(Data + 1), Size - 1);
  const size_t split = rest.find('\0');
  const String mask = rest.substr(0, split);
  const String keys = split == String::npos ? String() : rest.substr(split + 1);

  static const char kSeparators[] = {'/', '.', '-', ':'};
  LocaleFormatSettings().DateSeparator = kSeparators[(flags >> 2) & 3];
  RunRegExpr(mask, keys, flags);
  RunStandardMask(mask, keys);
  return 0;
}
