// The picture parameter dialog is made at start-up with its 252 swatches: creating it from its
// description, and painting its COLOR ADJUST page, against painting the same page with the swatches
// taken away. On the headless screen and virtual time, so the figures are the program's own work.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/ProgramStage.h"
#include "dialogs/PictureParameters.h"
#include "platform/win/Window.h"

namespace {

using Stage = benchsupport::ProgramStage;

TForm4* CreateDialog() {
  TForm4* dialog = nullptr;
  Application->CreateForm(dialog);
  return dialog;
}

// The dialog on its COLOR ADJUST page, shown without its show handler (which reads the console).
TForm4* ShowColourPage(bool WithSwatches) {
  TForm4* dialog = CreateDialog();
  if (!WithSwatches) {
    std::vector<TControl*> swatches;
    for (int i = 0; i < dialog->Panel1->ControlCount(); ++i) {
      TControl* c = dialog->Panel1->Controls(i);
      if (c != dialog->rzpnl1 && c != dialog->rzpnl2 && c != dialog->rzpnl3 && c != dialog->lbl14) swatches.push_back(c);
    }
    for (TControl* c : swatches) delete c;
  }
  dialog->OnShow = nullptr;
  dialog->cxPageControl1->SetActivePage(dialog->ColorAdjust);
  dialog->Show();
  Stage::Pump();
  return dialog;
}

void BM_CreatePictureDialogFromDescription(benchmark::State& state) {
  Stage stage;
  for (auto _ : state) {
    TForm4* dialog = CreateDialog();
    state.PauseTiming();
    delete dialog;
    Stage::Pump();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CreatePictureDialogFromDescription)->Unit(benchmark::kMillisecond);

void PaintColourPage(benchmark::State& state, bool WithSwatches) {
  Stage stage;
  TForm4* dialog = ShowColourPage(WithSwatches);
  const win::UINT flags = win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_ALLCHILDREN | win::RDW_UPDATENOW;
  for (auto _ : state) win::RedrawWindow(dialog->ColorAdjust->Handle(), nullptr, nullptr, flags);
  delete dialog;
}

void BM_PaintColourAdjustPage(benchmark::State& state) { PaintColourPage(state, true); }
void BM_PaintColourAdjustPageWithoutSwatches(benchmark::State& state) { PaintColourPage(state, false); }
BENCHMARK(BM_PaintColourAdjustPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintColourAdjustPageWithoutSwatches)->Unit(benchmark::kMillisecond);

}  // namespace
