// The grid console's clock: one tick of its one-second timer with browsing off (the date, time and
// weekday formatted into the status bar's clock panel, which then repaints), against filling the
// same panel and drawing the same text with FillRect and DrawText. Headless screen, virtual time.
#include <benchmark/benchmark.h>

#include "bench/console/ShownGridConsole.h"
#include "platform/gdi/Gdi.h"

namespace {

constexpr int kClockPanel = 2;

void BM_ClockTick(benchmark::State& state) {
  ShownGridConsole console;
  TdxStatusBar* bar = Form1->StatusBar1;
  // Each tick a second later on the wall clock, so the text changes as it does every second.
  std::int64_t wall = console.clock.WallMs();
  for (auto _ : state) {
    wall += 1000;
    console.clock.SetWallMs(wall);
    Form1->Timer1Timer(Form1->Timer1);
    win::UpdateWindow(bar->Handle());
  }
  if (bar->Panels()->PanelAt(kClockPanel)->Text().empty()) state.SkipWithError("the clock panel stayed empty");
}
BENCHMARK(BM_ClockTick)->Unit(benchmark::kMicrosecond);

void BM_FillRectAndDrawTextOfTheClockPanel(benchmark::State& state) {
  ShownGridConsole console;
  TdxStatusBar* bar = Form1->StatusBar1;
  Form1->Timer1Timer(Form1->Timer1);
  const String text = bar->Panels()->PanelAt(kClockPanel)->Text();
  win::RECT panel = bar->ViewInfo()->PanelViewInfo(kClockPanel)->Bounds();
  win::HDC dc = win::GetDC(bar->Handle());
  win::HBRUSH brush = win::CreateSolidBrush(ColorToRGB(clBtnFace));
  win::SelectObject(dc, bar->Font()->Handle());
  for (auto _ : state) {
    win::FillRect(dc, &panel, brush);
    win::DrawText(dc, text.c_str(), static_cast<int>(text.size()), &panel,
                  win::DT_RIGHT | win::DT_VCENTER | win::DT_SINGLELINE);
  }
  win::DeleteObject(brush);
  win::ReleaseDC(bar->Handle(), dc);
}
BENCHMARK(BM_FillRectAndDrawTextOfTheClockPanel)->Unit(benchmark::kMicrosecond);

}  // namespace
