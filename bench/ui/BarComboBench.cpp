// One keystroke's match in a bar combo of 10,000 strings: the combo's FindItem, against a plain
// case-insensitive prefix scan of the same list. The typed text reaches its entry nine tenths down.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "platform/classes/Forms.h"
#include "platform/classes/Utf8.h"
#include "platform/display/Display.h"
#include "ui/bars/BarEditItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarUnit.h"

namespace {

class TBenchComboForm : public TForm {
  VW_CLASS(TBenchComboForm, TForm)
 public:
  explicit TBenchComboForm(TComponent* AOwner) : TForm(AOwner, 0) {}
};

struct Stage {
  Stage() {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
    InitializeForms();
    Application->Initialize();
    BarUnitStartup();
    Application->CreateForm(Form);
    new TdxBarManager(Form);
    Combo = new TdxBarCombo(Form);
    Combo->Items()->BeginUpdate();
    char name[32];
    for (int i = 0; i < 10000; ++i) {
      std::snprintf(name, sizeof name, "Port %04d", i);
      Combo->Items()->Add(name);
    }
    Combo->Items()->EndUpdate();
  }
  ~Stage() {
    TObject::Free(Form);
    BarUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  TBenchComboForm* Form = nullptr;
  TdxBarCombo* Combo = nullptr;
};

const String kTyped = "pORT 9";

void BM_ComboFindItemOneKeystroke(benchmark::State& state) {
  Stage stage;
  for (auto _ : state) benchmark::DoNotOptimize(stage.Combo->FindItem(kTyped));
}
BENCHMARK(BM_ComboFindItemOneKeystroke)->Unit(benchmark::kMicrosecond);

// The first entry that starts with the text, ignoring case.
void BM_PlainPrefixScan(benchmark::State& state) {
  Stage stage;
  TStrings* items = stage.Combo->Items();
  for (auto _ : state) {
    std::u32string typed;
    for (Utf8Reader r(kTyped); !r.AtEnd();) typed.push_back(Utf8ToUpper(r.Next()));
    int found = -1;
    for (int i = 0, n = items->Count(); i < n && found < 0; ++i) {
      const String item = items->Strings(i);
      Utf8Reader r(item);
      std::size_t k = 0;
      while (k < typed.size() && !r.AtEnd() && Utf8ToUpper(r.Next()) == typed[k]) ++k;
      if (k == typed.size()) found = i;
    }
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_PlainPrefixScan)->Unit(benchmark::kMicrosecond);

}  // namespace
