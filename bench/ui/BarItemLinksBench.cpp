// Offering a shortcut that nothing takes to a main menu of 10 sub-menus of 50 items each, against a
// loop over the same 500 items' shortcut fields.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"

namespace {

constexpr int kMenus = 10;
constexpr int kItemsPerMenu = 50;

class TBenchLinksForm : public TForm {
  VW_CLASS(TBenchLinksForm, TForm)
 public:
  explicit TBenchLinksForm(TComponent* AOwner) : TForm(AOwner, 0) {}
};

// A sub-menu with links of its own, as the sub-item unit gives them.
class TBenchSubMenu : public TdxBarSubItem {
  VW_CLASS(TBenchSubMenu, TdxBarSubItem)
 public:
  TBenchSubMenu(TComponent* AOwner, TdxBarManager* AManager)
      : TdxBarSubItem(AOwner), FLinks(new TdxBarSubMenuControlItemLinks(AManager, this)) {}
  ~TBenchSubMenu() override { delete FLinks; }
  TdxBarItemLinks* ItemLinks() const override { return FLinks; }

 private:
  TdxBarSubMenuControlItemLinks* FLinks;
};

struct Stage {
  Stage() {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
    InitializeForms();
    Application->Initialize();
    BarUnitStartup();
    Application->CreateForm(Form);
    Manager = new TdxBarManager(Form);
    MainMenu = Manager->Bars()->Add();
    for (int m = 0; m < kMenus; ++m) {
      auto* menu = new TBenchSubMenu(Form, Manager);
      MainMenu->ItemLinks()->AddItem(menu);
      for (int i = 0; i < kItemsPerMenu; ++i) {
        auto* button = new TdxBarButton(Form);
        button->SetShortCut(static_cast<TShortCut>(0x4000 | (m * kItemsPerMenu + i)));
        menu->ItemLinks()->AddItem(button);
        Buttons.push_back(button);
      }
    }
  }
  ~Stage() {
    TObject::Free(Form);
    BarUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  TBenchLinksForm* Form = nullptr;
  TdxBarManager* Manager = nullptr;
  TdxBar* MainMenu = nullptr;
  std::vector<TdxBarButton*> Buttons;
};

constexpr TShortCut kUnbound = 0x6000 | 'Q';

void BM_OfferUnboundShortCutToMainMenu(benchmark::State& state) {
  Stage stage;
  for (auto _ : state) benchmark::DoNotOptimize(stage.MainMenu->ItemLinks()->OfferShortCut(kUnbound));
}
BENCHMARK(BM_OfferUnboundShortCutToMainMenu)->Unit(benchmark::kMicrosecond);

void BM_LoopOverShortCutFields(benchmark::State& state) {
  Stage stage;
  for (auto _ : state) {
    bool found = false;
    for (TdxBarButton* button : stage.Buttons) found |= button->ShortCut() == kUnbound;
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_LoopOverShortCutFields)->Unit(benchmark::kMicrosecond);

}  // namespace
