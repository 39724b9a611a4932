// Opening and closing a toolbar link's customizing popup (its command items made, filled, placed,
// shown and painted, then closed) against a plain menu window of as many ready-made items.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/ui/BarUnitsStage.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarStandIns.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"

using namespace win;

namespace {

struct PopupStage {
  platform::ScopedVirtualClock clock;
  barbench::TBarUnits units;
  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TdxBar* bar = nullptr;

  PopupStage() {
    PlaySounds = false;
    Application->CreateForm(form);
    form->SetBounds(100, 100, 500, 300);
    form->Show();
    manager = new TdxBarManager(form);
    manager->SetStyle(bmsStandard);
    manager->Bars()->CreateDockControls();
    bar = manager->Bars()->Add();
    for (int i = 0; i < 3; ++i) {
      auto* button = new TdxBarButton(form);
      button->SetCaption("Scene " + std::to_string(i + 1));
      bar->ItemLinks()->AddItem(button);
    }
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(true);
    Application->ProcessMessages();
    manager->SetCustomizing(true);
  }
  ~PopupStage() {
    manager->SetCustomizing(false);
    BarDesignController()->ClearInternalItems();
    TObject::Free(form);
    PlaySounds = true;
  }
};

void BM_ToolbarLinkPopupOpenClose(benchmark::State& state) {
  PopupStage s;
  TdxBarDesignController* controller = BarDesignController();
  TdxBarItemLink* link = s.bar->ItemLinks()->Items(1);
  int entries = 0;
  for (auto _ : state) {
    controller->SelectPersistent(s.manager, link, 2);
    controller->ShowLinkPopup(s.bar->Control(), link);
    TdxBarCustomizingPopup* popup = controller->CustomizingPopup();
    UpdateWindow(popup->Handle());
    entries = popup->ItemLinks()->Count();
    popup->CloseUp();
  }
  state.counters["entries"] = entries;
}
BENCHMARK(BM_ToolbarLinkPopupOpenClose)->Iterations(1000)->Unit(benchmark::kMicrosecond);

// The same number of entries in a menu window whose links stand ready.
void BM_PlainMenuOpenClose(benchmark::State& state) {
  PopupStage s;
  std::unique_ptr<TdxBarItemLinks> links(new TdxBarSubMenuControlItemLinks(s.manager, nullptr));
  // As many as the run-time popup of a toolbar button holds.
  for (int i = 0; i < 8; ++i) {
    auto* button = new TdxBarButton(s.form);
    button->SetCaption("Command " + std::to_string(i + 1));
    links->AddItem(button);
  }
  s.manager->SetCustomizing(false);
  for (auto _ : state) {
    auto* menu = new TdxBarSubMenuControl(s.manager);
    menu->SetItemLinks(links.get());
    menu->SetLeft(200);
    menu->SetTop(120);
    menu->PopupMenuWindow();
    UpdateWindow(menu->Handle());
    menu->CloseUp();
  }
  s.manager->SetCustomizing(true);
}
BENCHMARK(BM_PlainMenuOpenClose)->Iterations(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
