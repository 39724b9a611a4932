// A key typed into a form while five bar managers live (the main form's, two on panels of the main
// form, two on other forms), each with a toolbar of ten buttons with shortcuts: the keyboard hook
// looks the key up as a shortcut and accelerator before the form gets it. Against the same key
// with no manager alive, when no hook is installed.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/ControlsUnit.h"

namespace {

constexpr int kKeys = 10000;

class TBenchForm : public TForm {
  VW_CLASS(TBenchForm, TForm)
 public:
  explicit TBenchForm(TComponent* AOwner) : TForm(AOwner, 0) {}
};

struct Stage {
  explicit Stage(bool AManagers) {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
    InitializeForms();
    Application->Initialize();
    ControlsUnitStartup();
    BarUnitStartup();
    Application->CreateForm(Main);
    Main->SetBounds(0, 0, 600, 400);
    Main->Show();
    for (int i = 0; i < 2; ++i) {
      auto* other = new TBenchForm(nullptr);
      other->SetBounds(620, 10 + 200 * i, 300, 180);
      other->Show();
      Others.push_back(other);
    }
    if (AManagers) {
      std::vector<TWinControl*> owners{Main};
      for (int i = 0; i < 2; ++i) {
        auto* panel = new TPanel(Main);
        panel->SetParent(Main);
        panel->SetBounds(10 + 290 * i, 200, 280, 150);
        owners.push_back(panel);
      }
      for (TBenchForm* other : Others) owners.push_back(other);
      for (TWinControl* owner : owners) AddManager(owner);
    }
    win::SetActiveWindow(Main->Handle());
    win::SetFocus(Main->Handle());
  }
  ~Stage() {
    for (TBenchForm* other : Others) TObject::Free(other);
    TObject::Free(Main);
    BarUnitShutdown();
    ControlsUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  void AddManager(TWinControl* AOwner) {
    auto* manager = new TdxBarManager(AOwner);
    TdxBar* bar = manager->Bars()->Add();
    bar->SetDockingStyle(dsTop);
    for (int i = 0; i < 10; ++i) {
      auto* button = new TdxBarButton(manager);
      button->SetCaption("Command");
      button->SetShortCut(static_cast<TShortCut>(0x4000 | (win::VK_F1 + i)));
      bar->ItemLinks()->AddItem(button);
    }
    bar->SetVisible(true);
  }
  void Press() {
    platform::Headless()->InjectKey('A', true);
    platform::Headless()->InjectKey('A', false);
    Application->ProcessMessages();
  }

  platform::ScopedVirtualClock Clock;
  TBenchForm* Main = nullptr;
  std::vector<TBenchForm*> Others;
};

void BM_KeyPressFiveManagers(benchmark::State& state) {
  Stage stage(true);
  for (auto _ : state) stage.Press();
}
BENCHMARK(BM_KeyPressFiveManagers)->Iterations(kKeys);

void BM_KeyPressNoManager(benchmark::State& state) {
  Stage stage(false);
  for (auto _ : state) stage.Press();
}
BENCHMARK(BM_KeyPressNoManager)->Iterations(kKeys);

}  // namespace
