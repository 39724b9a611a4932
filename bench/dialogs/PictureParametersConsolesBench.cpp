// The consoles' picture parameter dialog is made at every start with its 252 framed swatch panels:
// creating it from its description, and building its palette alone, against the same 252 panels
// as plain panels of the class library. On the headless screen and virtual time.
#include <benchmark/benchmark.h>

#include "bench/ProgramStage.h"
#include "dialogs/PictureParametersConsoles.h"
#include "platform/classes/SysUtils.h"

namespace {

using Stage = benchsupport::ProgramStage;

void BM_CreateConsolesPictureDialog(benchmark::State& state) {
  Stage stage;
  for (auto _ : state) {
    TForm32* dialog = nullptr;
    Application->CreateForm(dialog);
    state.PauseTiming();
    delete dialog;
    Stage::Pump();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CreateConsolesPictureDialog)->Unit(benchmark::kMillisecond);

// A form holding a grey panel as wide as the dialog's palette, and the unselected frame style.
struct PaletteHost {
  PaletteHost() {
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 761, 400);
    panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 741, 265);
    panel->SetColor(clGray);
    unselected = new TRzPanel(form);
    unselected->SetBorderOuter(fsNone);
  }
  ~PaletteHost() { delete form; }
  TForm* form;
  TPanel* panel;
  TRzPanel* unselected;
};

void BM_BuildSwatchPanels(benchmark::State& state) {
  Stage stage;
  for (auto _ : state) {
    state.PauseTiming();
    auto* host = new PaletteHost;
    state.ResumeTiming();
    BuildSwatches(host->form, host->panel, host->unselected, nullptr);
    state.PauseTiming();
    delete host;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildSwatchPanels)->Unit(benchmark::kMillisecond);

// The same grid of named, hinted, coloured panels, as the class library's plain panels.
void BM_BuildPlainPanels(benchmark::State& state) {
  Stage stage;
  for (auto _ : state) {
    state.PauseTiming();
    auto* host = new PaletteHost;
    state.ResumeTiming();
    const int pitch = host->panel->Width() / 22;
    for (int r = 0; r < kSwatchRows; ++r) {
      for (int n = 0; n < kSwatchColumns; ++n) {
        auto* plain = new TPanel(host->form);
        plain->SetName(kSwatchPrefixes[static_cast<std::size_t>(r)] + IntToStr(n));
        plain->SetHint(IntToStr(n));
        plain->SetParent(host->panel);
        plain->SetCaption("");
        plain->SetBounds(10 + n * pitch, 10 + r * pitch, pitch - 5, pitch - 5);
        plain->SetColor(SwatchColor(r, n));
        plain->SetVisible(true);
      }
    }
    state.PauseTiming();
    delete host;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildPlainPanels)->Unit(benchmark::kMillisecond);

}  // namespace
