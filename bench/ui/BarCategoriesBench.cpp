// Sorting 200 item categories holding 5000 items, where every swap of two names moves the items of
// both categories, against sorting the same 200 names in a plain string list.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarUnit.h"

namespace {

constexpr int kCategories = 200;
constexpr int kItems = 5000;

class TBenchForm : public TForm {
  VW_CLASS(TBenchForm, TForm)
 public:
  explicit TBenchForm(TComponent* AOwner) : TForm(AOwner, 0) {}
};

class TBenchItem : public TdxBarItem {
  VW_CLASS(TBenchItem, TdxBarItem)
 public:
  TBenchItem(TComponent* AOwner, TdxBarManager* AManager) : TdxBarItem(AOwner) {
    SetBarManagerReference(AManager);
    AManager->AddItem(this);
  }
};

std::vector<String> ShuffledNames() {
  std::vector<String> names;
  for (int i = 0; i < kCategories; ++i) names.push_back("Category" + std::to_string(1000 + i));
  std::shuffle(names.begin(), names.end(), std::mt19937(7));
  return names;
}

struct Stage {
  Stage() {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
    InitializeForms();
    Application->Initialize();
    BarUnitStartup();
    Application->CreateForm(Form);
    Manager = new TdxBarManager(Form);
    for (int i = 0; i < kItems; ++i) Items.push_back(new TBenchItem(Form, Manager));
  }
  ~Stage() {
    TObject::Free(Form);
    BarUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  void Reset(const std::vector<String>& Names) {
    TStrings* categories = Manager->Categories();
    categories->BeginUpdate();
    categories->Clear();
    for (const String& name : Names) categories->Add(name);
    categories->EndUpdate();
    for (int i = 0; i < kItems; ++i) Items[static_cast<std::size_t>(i)]->SetCategoryIndex(i % kCategories);
  }
  TBenchForm* Form = nullptr;
  TdxBarManager* Manager = nullptr;
  std::vector<TdxBarItem*> Items;
};

void BM_CategoriesSortWithItems(benchmark::State& state) {
  Stage stage;
  const std::vector<String> names = ShuffledNames();
  for (auto _ : state) {
    state.PauseTiming();
    stage.Reset(names);
    state.ResumeTiming();
    static_cast<TStringList*>(stage.Manager->Categories())->Sort();
  }
}
BENCHMARK(BM_CategoriesSortWithItems)->Unit(benchmark::kMicrosecond);

void BM_PlainStringListSort(benchmark::State& state) {
  const std::vector<String> names = ShuffledNames();
  TStringList list;
  for (auto _ : state) {
    state.PauseTiming();
    list.Clear();
    for (const String& name : names) list.Add(name);
    state.ResumeTiming();
    list.Sort();
  }
}
BENCHMARK(BM_PlainStringListSort)->Unit(benchmark::kMicrosecond);

}  // namespace
