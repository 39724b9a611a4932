// A 100-entry list item generating its buttons' links into a menu's links and collapsing them, as
// every opening of a menu that holds it does, against adding and freeing 100 plain links there.
//
// Opening a list item's container menu of 100 entries (the menu made, the item asked for its data,
// 100 links generated and the menu shown and painted) against opening a sub-item whose menu holds
// 100 ordinary links, both from a toolbar whose menu is already open.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

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
  TdxBarListItem* list = nullptr;
  TdxBarSubItem* sub = nullptr;

  SubItemStage() {
    PlaySounds = false;
    Application->CreateForm(form);
    form->Show();
    manager = new TdxBarManager(form);
    manager->SetStyle(bmsStandard);
    list = new TdxBarListItem(form);
    list->SetCaption("Recent walls");
    sub = new TdxBarSubItem(form);
    sub->SetCaption("Walls");
    for (int i = 0; i < 100; ++i) {
      list->Items()->Add("Wall " + std::to_string(i + 1));
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

// The generation alone, without a window: the menu's links receive the entries behind the link
// that stands for the list item.
struct GenerationStage {
  barbench::TBarUnits units;
  TForm* form = nullptr;
  TdxBarListItem* list = nullptr;
  TdxBarSubItem* menu = nullptr;
  std::vector<TdxBarButton*> plain;

  GenerationStage() {
    Application->CreateForm(form);
    new TdxBarManager(form);
    list = new TdxBarListItem(form);
    menu = new TdxBarSubItem(form);
    menu->ItemLinks()->AddItem(list);
    for (int i = 0; i < 100; ++i) {
      list->Items()->Add("Wall " + std::to_string(i + 1));
      plain.push_back(new TdxBarButton(form));
    }
  }
  ~GenerationStage() { TObject::Free(form); }
};

void BM_PopulateAndCollapseList100(benchmark::State& state) {
  GenerationStage s;
  TdxBarItemLinks* links = s.menu->ItemLinks();
  for (auto _ : state) {
    TdxBarContainerLinkData data(s.list, links->Items(0), 0);
    s.list->Populate(links, &data, 1);
    s.list->ScheduleClear();
    s.list->Collapse(&data);
  }
  if (links->Count() != 1) state.SkipWithError("the generated links stayed");
}
BENCHMARK(BM_PopulateAndCollapseList100)->Unit(benchmark::kMicrosecond);

void BM_AddAndFreePlainLinks100(benchmark::State& state) {
  GenerationStage s;
  TdxBarItemLinks* links = s.menu->ItemLinks();
  for (auto _ : state) {
    TObjectList added(true);
    for (int i = 0; i < 100; ++i) {
      TdxBarItemLink* link = links->Add();
      link->SetIndex(1 + i);
      link->SetItem(s.plain[static_cast<std::size_t>(i)]);
      added.Add(link);
    }
  }
  if (links->Count() != 1) state.SkipWithError("the plain links stayed");
}
BENCHMARK(BM_AddAndFreePlainLinks100)->Unit(benchmark::kMicrosecond);

}  // namespace
