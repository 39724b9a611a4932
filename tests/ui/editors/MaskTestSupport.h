#pragma once
// Shared helpers of the mask engine tests.
#include <sstream>
#include <vector>

#include "ui/controls/FormatController.h"
#include "ui/editors/RegExpr.h"

namespace masktest {

inline void CompileMask(TcxRegExpr& Engine, const String& Mask) {
  std::istringstream source(Mask);
  Engine.Compile(&source);
}

// The errors a mask fails with, as the operator sees them; empty when it compiles.
inline std::vector<String> CompileErrors(const String& Mask) {
  TcxRegExpr engine;
  try {
    CompileMask(engine, Mask);
  } catch (const EcxRegExprError& e) {
    std::vector<String> texts;
    for (int i = 0; i < e.Errors().Count(); ++i) texts.push_back(e.Errors().Items(i).DisplayText());
    return texts;
  }
  return {};
}

// Sets the locale separators for one test and puts the old ones back.
class ScopedSeparators {
 public:
  ScopedSeparators(char Date, char Time, char Decimal = '.') : FSaved(LocaleFormatSettings()) {
    LocaleFormatSettings() = TcxLocaleFormatSettings{Date, Time, Decimal};
  }
  ~ScopedSeparators() { LocaleFormatSettings() = FSaved; }

 private:
  TcxLocaleFormatSettings FSaved;
};

}  // namespace masktest
