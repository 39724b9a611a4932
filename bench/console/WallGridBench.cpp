// The wall grid's repaint: one full repaint of the grid console's 15 x 15 wall with every cell
// coloured from a full "cfg.ini" (each cell reads its colour from the file at paint time), against
// filling the same 225 cell rectangles and drawing their texts with FillRect and DrawText, in one
// run. Headless screen, virtual time.
#include <benchmark/benchmark.h>

#include "bench/console/ShownGridConsole.h"
#include "platform/gdi/Gdi.h"

namespace {

struct Wall : ShownGridConsole {
  Wall() {
    // What the splice leaves in the cells.
    for (int r = 1; r <= 15; ++r)
      for (int c = 1; c <= 15; ++c) Form1->stringgrid1->SetCells(c, r, "HDMI " + IntToStr(c));
    Pump();
  }
};

void BM_WallGridFullRepaint(benchmark::State& state) {
  Wall wall;
  TStringGrid* grid = Form1->stringgrid1;
  if (grid->RowCount() != 16 || grid->ColCount() != 16) state.SkipWithError("the wall is not 15 x 15");
  for (auto _ : state) {
    grid->Invalidate();
    win::UpdateWindow(grid->Handle());
  }
}
BENCHMARK(BM_WallGridFullRepaint)->Unit(benchmark::kMicrosecond);

void BM_FillRectAndDrawTextOfTheSameCells(benchmark::State& state) {
  Wall wall;
  TStringGrid* grid = Form1->stringgrid1;
  win::HDC dc = win::GetDC(grid->Handle());
  win::HBRUSH brush = win::CreateSolidBrush(ColorToRGB(clCream));
  win::SelectObject(dc, grid->Font()->Handle());
  for (auto _ : state) {
    for (int r = 1; r <= 15; ++r)
      for (int c = 1; c <= 15; ++c) {
        win::RECT cell = grid->CellRect(c, r);
        win::FillRect(dc, &cell, brush);
        const String text = grid->Cells(c, r);
        win::DrawText(dc, text.c_str(), static_cast<int>(text.size()), &cell, win::DT_LEFT | win::DT_TOP);
      }
  }
  win::DeleteObject(brush);
  win::ReleaseDC(grid->Handle(), dc);
}
BENCHMARK(BM_FillRectAndDrawTextOfTheSameCells)->Unit(benchmark::kMicrosecond);

}  // namespace
