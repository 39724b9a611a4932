// The bar manager's last EndUpdate after ten toolbars on one dock site were marked changed: the
// site's redraw switched back on, each changed toolbar relaid, empty rows dropped and the site's
// frame repainted; against InvalidateRect plus UpdateWindow of that site.
#include <benchmark/benchmark.h>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/win/Window.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarUnit.h"

namespace {

constexpr int kToolbars = 10;

class TBenchForm : public TForm {
  VW_CLASS(TBenchForm, TForm)
 public:
  explicit TBenchForm(TComponent* AOwner) : TForm(AOwner, 0) {}
};

struct Stage {
  Stage() {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
    InitializeForms();
    Application->Initialize();
    BarUnitStartup();
    Application->CreateForm(Form);
    Form->SetBounds(0, 0, 800, 600);
    Form->Show();
    Manager = new TdxBarManager(Form);
    Site = Manager->Bars()->DockControls(dsTop);
    Site->SetHeight(10 * 26);
    for (int i = 0; i < kToolbars; ++i) {
      TdxBar* bar = Manager->Bars()->Add();
      auto* window = new TdxBarControl(Form);
      window->SetParent(Site);
      window->SetBounds(0, i * 26, 20 * 23, 26);
      bar->SetControl(window);
    }
    Site->HandleNeeded();
  }
  ~Stage() {
    TObject::Free(Form);
    BarUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  TBenchForm* Form = nullptr;
  TdxBarManager* Manager = nullptr;
  TdxDockControl* Site = nullptr;
};

void BM_BarManagerEndUpdate(benchmark::State& state) {
  Stage stage;
  for (auto _ : state) {
    stage.Manager->BeginUpdate();
    for (int i = 0; i < kToolbars; ++i) stage.Manager->Bars()->Items(i)->SetChanged(true);
    stage.Manager->EndUpdate();
  }
}
BENCHMARK(BM_BarManagerEndUpdate);

void BM_DockSiteInvalidateAndUpdate(benchmark::State& state) {
  Stage stage;
  for (auto _ : state) {
    win::InvalidateRect(stage.Site->Handle(), nullptr, win::TRUE);
    win::UpdateWindow(stage.Site->Handle());
  }
}
BENCHMARK(BM_DockSiteInvalidateAndUpdate);

}  // namespace
