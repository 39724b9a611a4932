// Opening a list item's container menu of 100 entries (the menu made, the item asked for its data,
// 100 links generated and the menu shown and painted) against opening a sub-item whose menu holds
// 100 ordinary links, both from a toolbar whose menu is already open.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/ui/BarUnitsStage.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "tests/ui/bars/BarStandIns.h"
#include "ui/bars/BarUnit.h"

using namespace win;

namespace {

struct SubItemStage {
  platform::ScopedVirtualClock clock;
  barbench::TBarUnits units;
  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TStandInBar* bar = nullptr;
  std::unique_ptr<TdxBarItemLinks> links;
  TStandInListItem* list = nullptr;
  TStandInSubItem* sub = nullptr;

  SubItemStage() {
    PlaySounds = false;
    UseSubItemStandInControls();
    Application->CreateForm(form);
    form->Show();
    manager = new TdxBarManager(form);
    manager->SetStyle(bmsStandard);
    list = new TStandInListItem(form);
    list->SetCaption("Recent walls");
    list->Attach(manager);
    sub = new TStandInSubItem(form);
    sub->SetCaption("Walls");
    sub->Attach(manager);
    for (int i = 0; i < 100; ++i) {
      list->Items.push_back("Wall " + std::to_string(i + 1));
      auto* button = new TdxBarButton(form);
      button->SetCaption("Wall " + std::to_string(i + 1));
      sub->ItemLinks()->AddItem(button);
    }
    bar = new TStandInBar(manager, dxBarKindToolbar);
    links.reset(new TdxBarControlItemLinks(manager, nullptr));
    links->AddItem(list);
    links->AddItem(sub);
    bar->SetItemLinks(links.get());
    bar->SetBounds(20, 20, 200, 30);
    bar->HandleNeeded();
    bar->ShowNoActivate();
    bar->SetVisible(true);
    bar->Update();
    bar->SetActiveState(true);
  }
  ~SubItemStage() {
    TObject::Free(bar);
    links.reset();
    TObject::Free(form);
    dxBarItemControlFactory = nullptr;
    PlaySounds = true;
  }
  void Open(int AIndex) {
    bar->SetIsDowned(true);
    links->Items(AIndex)->Control()->Invoke(true);
  }
  void Close(int AIndex) { static_cast<TdxBarButtonLikeControl*>(links->Items(AIndex)->Control())->Deactivate(true); }
};

void OpenAndClose(benchmark::State& state, int AIndex, TdxBarItem* AItem, SubItemStage& s) {
  for (auto _ : state) {
    s.Open(AIndex);
    TCustomdxBarControl* menu = AItem->ItemLinks()->BarControl();
    if (!menu || !menu->HandleAllocated()) {
      state.SkipWithError("the menu did not open");
      break;
    }
    UpdateWindow(menu->Handle());
    benchmark::ClobberMemory();
    state.PauseTiming();
    s.Close(AIndex);
    state.ResumeTiming();
  }
}

void BM_OpenContainerMenu100(benchmark::State& state) {
  SubItemStage s;
  OpenAndClose(state, 0, s.list, s);
}
BENCHMARK(BM_OpenContainerMenu100)->Unit(benchmark::kMicrosecond);

void BM_OpenSubItemMenu100(benchmark::State& state) {
  SubItemStage s;
  OpenAndClose(state, 1, s.sub, s);
}
BENCHMARK(BM_OpenSubItemMenu100)->Unit(benchmark::kMicrosecond);

}  // namespace
