// Matching typed dates against the masks a date editor uses: the regular-expression date mask
// (dates or date words with an offset) and the picture date mask.
#include <benchmark/benchmark.h>

#include <random>
#include <sstream>
#include <vector>

#include "ui/editors/RegExpr.h"
#include "ui/editors/StandardMask.h"

namespace {

const char* const kRegExprDateMask =
    "(\\d\\d\\d\\d\\/((0?[1-9]|1[012])|('Jan'|'Feb'|'Mar'|'Apr'|'May'|'Jun'|'Jul'|'Aug'|'Sep'|'Oct'|'Nov'|'Dec'))"
    "\\/([012]?[1-9]|[123]0|31))|('today'|'yesterday'|'tomorrow'|'Sunday'|'Monday'|'Tuesday'|'Wednesday'|"
    "'Thursday'|'Friday'|'Saturday'|'first'|'second'|'third'|'fourth'|'fifth'|'sixth'|'seventh'|'bom'|'eom')"
    "((\\+|-)\\d(\\d(\\d\\d?)?)?)?";

constexpr int kInputs = 100000;

// Mostly well-formed dates, some with a month name, a date word or a fault part-way.
const std::vector<String>& Inputs() {
  static const std::vector<String> inputs = [] {
    std::mt19937 random(7);
    const char* const words[] = {"today", "eom+3", "Friday-12", "tomorrow"};
    std::vector<String> v;
    v.reserve(kInputs);
    for (int i = 0; i < kInputs; ++i) {
      const unsigned r = random();
      if (r % 10 == 0) {
        v.push_back(words[r / 10 % 4]);
      } else {
        String date = std::to_string(1990 + r % 60) + "/" + std::to_string(1 + r / 60 % 13) + "/" +
                      std::to_string(1 + r / 780 % 31);
        v.push_back(date);
      }
    }
    return v;
  }();
  return inputs;
}

void BM_RegExprDateMask(benchmark::State& state) {
  TcxRegExpr engine;
  std::istringstream source(kRegExprDateMask);
  engine.Compile(&source);
  const auto& inputs = Inputs();
  int complete = 0;
  for (auto _ : state) {
    complete = 0;
    for (const String& text : inputs) {
      engine.Restart();
      bool accepted = true;
      for (char key : text) {
        char ch = key;
        if (!(accepted = engine.Accept(ch))) break;
      }
      complete += accepted && engine.AtFinal();
    }
    benchmark::DoNotOptimize(complete);
  }
  state.SetItemsProcessed(state.iterations() * kInputs);
  state.counters["complete"] = complete;
}
BENCHMARK(BM_RegExprDateMask)->Unit(benchmark::kMillisecond);

void BM_StandardDateMask(benchmark::State& state) {
  TcxStandardMask mask;
  mask.Compile("!9999/99/99;1; ");
  const auto& inputs = Inputs();
  for (auto _ : state) {
    int complete = 0;
    for (const String& input : inputs) {
      String text = input;
      mask.ApplyToText(text, true, true);
      complete += mask.IsTextComplete(text);
    }
    benchmark::DoNotOptimize(complete);
  }
  state.SetItemsProcessed(state.iterations() * kInputs);
}
BENCHMARK(BM_StandardDateMask)->Unit(benchmark::kMillisecond);

// Compiling, with auto-completion, a mask of one cycle of "a" for each prime up to the argument:
// the cycles' positions repeat only after the primes' product.
void BM_RegExprCoprimeCompletion(benchmark::State& state) {
  String mask = "(";
  for (int p : {2, 3, 5, 7, 11, 13, 17, 19, 23}) {
    if (p > state.range(0)) break;
    mask += (p == 2 ? "(" : "|(") + String(static_cast<size_t>(p), 'a') + ")+";
  }
  mask += ")x{0}";
  size_t inserted = 0;
  for (auto _ : state) {
    TcxRegExpr engine;
    inserted = 0;
    engine.OnFixedCharAdded = [&inserted](char) { ++inserted; };
    engine.SetAutoComplete(true);
    std::istringstream source(mask);
    engine.Compile(&source);
    benchmark::DoNotOptimize(inserted);
  }
  state.counters["inserted"] = static_cast<double>(inserted);
}
BENCHMARK(BM_RegExprCoprimeCompletion)->Arg(19)->Arg(23)->Unit(benchmark::kMicrosecond);

}  // namespace
