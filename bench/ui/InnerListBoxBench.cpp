// Filling a 5,000-item inner list box, which mirrors its scroll bars after every item it gets,
// against a plain list box in the same run; and one search key over 10,000 items.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/ui/ControlsStage.h"
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "platform/win/Controls.h"
#include "platform/win/Keys.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "ui/controls/Container.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/controls/InnerListBox.h"

using namespace win;

namespace {

class TListContainer : public TcxContainer {
  VW_CLASS(TListContainer, TcxContainer)
 public:
  explicit TListContainer(TComponent* AOwner) : TcxContainer(AOwner) {
    List = new TcxCustomInnerListBox(this);
    List->SetContainer(this);
    List->SetParent(this);
    SetInnerControl(List);
  }
  TcxCustomInnerListBox* List;
};

struct Stage : benchstage::ControlsStage {
  std::vector<std::string> items;
  Stage() : ControlsStage(400, 300) {
    for (int i = 0; i < 10000; ++i) items.push_back("item " + std::to_string(i));
  }
  // A windowed control of the form at (10, 10), 200 x 150, with its window made.
  template <class T>
  T* Place(T* control) {
    control->SetParent(form);
    control->SetBounds(10, 10, 200, 150);
    control->HandleNeeded();
    return control;
  }
  // Each item reaches the window as one LB_INSERTSTRING at the end, as an added string does.
  void Fill(TCustomListBox* list, int count) {
    list->Items()->Clear();
    for (int i = 0; i < count; ++i) list->Items()->Add(items[static_cast<std::size_t>(i)]);
  }
};

void BM_FillPlainListBox5000(benchmark::State& state) {
  Stage stage;
  auto* list = stage.Place(new TListBox(stage.form));
  for (auto _ : state) stage.Fill(list, 5000);
}

void BM_FillInnerListBox5000(benchmark::State& state) {
  Stage stage;
  TcxCustomInnerListBox* list = stage.Place(new TListContainer(stage.form))->List;
  for (auto _ : state) stage.Fill(list, 5000);
}

void BM_SearchKeyOver10000(benchmark::State& state) {
  Stage stage;
  TcxCustomInnerListBox* list = stage.Place(new TListContainer(stage.form))->List;
  stage.Fill(list, 10000);
  // "item 9999" is the last one: the search runs over every item before it.
  const TChar keys[] = {'i', 't', 'e', 'm', ' ', '9', '9', '9', '9'};
  for (TChar k : keys) {
    TChar key = k;
    list->IncrementalSearchKey(key);
  }
  for (auto _ : state) {
    TChar key = VK_BACK;
    list->IncrementalSearchKey(key);
    key = '9';
    list->IncrementalSearchKey(key);
  }
  // Two search keys an iteration: Backspace searches for "item 999", the nine for "item 9999".
  state.SetItemsProcessed(state.iterations() * 2);
  state.counters["found"] = list->ItemIndex();
}

}  // namespace

BENCHMARK(BM_FillPlainListBox5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillInnerListBox5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchKeyOver10000)->Unit(benchmark::kMicrosecond);
