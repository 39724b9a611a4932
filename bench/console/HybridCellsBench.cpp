// The hybrid console's cell model on the full "cfg.ini" of a 15 x 15 wall: one full repaint of its
// grid (each of the 225 cells reads its colour from the file and draws three lines), against
// filling the same cells and drawing three texts in each with FillRect and DrawText; the model's
// loading (900 names, 225 addresses and signals); and Apart Mode, which writes 225 addresses back.
// Headless screen, virtual time: Apart Mode's 200 ms pause costs nothing.
#include <benchmark/benchmark.h>

#include "bench/console/ShownGridConsole.h"
#include "platform/gdi/Gdi.h"
#include "variants/HybridConsole.h"

namespace {

struct ShownHybridConsole : FullConfigFolder, benchsupport::ProgramStage {
  ShownHybridConsole() : ProgramStage(1920, 1080) {
    CreateProgramWindows();
    Form18->tmr1->SetEnabled(false);
    Form18->ConsoleKind = ckHybrid;
    Form33->Show();
    Pump();
  }
  bool FullWall() const { return Form33->stringgrid1->RowCount() == 16 && Form33->stringgrid1->ColCount() == 16; }
};

void BM_HybridGridFullRepaint(benchmark::State& state) {
  ShownHybridConsole console;
  if (!console.FullWall()) state.SkipWithError("the wall is not 15 x 15");
  TStringGrid* grid = Form33->stringgrid1;
  for (auto _ : state) {
    grid->Invalidate();
    win::UpdateWindow(grid->Handle());
  }
}
BENCHMARK(BM_HybridGridFullRepaint)->Unit(benchmark::kMillisecond);

void BM_FillRectAndThreeDrawTextsOfTheSameCells(benchmark::State& state) {
  ShownHybridConsole console;
  TStringGrid* grid = Form33->stringgrid1;
  win::HDC dc = win::GetDC(grid->Handle());
  win::HBRUSH brush = win::CreateSolidBrush(ColorToRGB(clCream));
  win::SelectObject(dc, grid->Font()->Handle());
  win::SetBkMode(dc, win::TRANSPARENT);
  for (auto _ : state) {
    for (int r = 1; r <= 15; ++r)
      for (int c = 1; c <= 15; ++c) {
        win::RECT cell = grid->CellRect(c, r);
        win::FillRect(dc, &cell, brush);
        const String lines[] = {"信号地址:  " + (*Form33->CellAddresses)[r - 1][c - 1],
                                "本地信号:  " + (*Form33->CellSignals)[r - 1][c - 1], (*Form33->CellNames)[r - 1][c - 1][3]};
        for (int k = 0; k < 3; ++k) {
          win::RECT line = {cell.left + 5, cell.top + 5 + 15 * k, cell.right, cell.bottom};
          win::DrawText(dc, lines[k].c_str(), static_cast<int>(lines[k].size()), &line, win::DT_LEFT | win::DT_TOP);
        }
      }
  }
  win::DeleteObject(brush);
  win::ReleaseDC(grid->Handle(), dc);
}
BENCHMARK(BM_FillRectAndThreeDrawTextsOfTheSameCells)->Unit(benchmark::kMillisecond);

void BM_HybridInitStringGrid(benchmark::State& state) {
  ShownHybridConsole console;
  if (!console.FullWall()) state.SkipWithError("the wall is not 15 x 15");
  for (auto _ : state) Form33->initStringGrid();
}
BENCHMARK(BM_HybridInitStringGrid)->Unit(benchmark::kMillisecond);

void BM_HybridApartMode(benchmark::State& state) {
  ShownHybridConsole console;
  if (!console.FullWall()) state.SkipWithError("the wall is not 15 x 15");
  for (auto _ : state) Form33->ApartMode1Click(nullptr);
}
BENCHMARK(BM_HybridApartMode)->Unit(benchmark::kMillisecond);

}  // namespace
