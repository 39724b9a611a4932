// A docked toolbar window of 20 buttons with glyphs and captions, laid out by its own layout,
// painted whole (frame and client, through the window's own paint), against filling the same area
// and drawing the 20 captions with FillRect and DrawText, in one run.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/ui/BarToolbarWindowStage.h"
#include "platform/win/Window.h"

using namespace win;

namespace {

constexpr int kButtons = 20;

struct TStage : barbench::TToolbarWindowStage {
  TdxBarControl* window;
  // Until sites lay out their rows, the window takes the length its layout asks for and the top
  // site its height.
  TStage() : TToolbarWindowStage(dsTop, kButtons, false), window(Window()) {
    TRect insets;
    window->BarPainter()->CalcBarNonClient(window, dsTop, insets, false);
    const int length = window->FullWidthFor(dsTop);
    const TSize size = window->CalcSizeForWidth(dsTop, length);
    const int height = size.cy + insets.Top + insets.Bottom;
    window->DockControl()->SetHeight(height);
    window->SetBounds(0, 0, length + insets.Left + insets.Right, height);
    window->CalcViewInfo();
    Application->ProcessMessages();
  }
  void PaintWindow() { RedrawWindow(window->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW); }
  void PaintBaseline() {
    HDC dc = GetWindowDC(window->Handle());
    RECT all{0, 0, window->Width(), window->Height()};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    SelectObject(dc, manager->Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    TdxBarItemLinks* links = bar->ItemLinks();
    for (int i = 0; i < kButtons; ++i) {
      const std::string text = "Scene " + std::to_string(i + 1);
      RECT r = links->VisibleLinks(i)->ItemRect();
      DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
    ReleaseDC(window->Handle(), dc);
  }
};

void BM_DockedToolbarWindowOf20Buttons(benchmark::State& state) {
  TStage s;
  for (auto _ : state) {
    s.PaintWindow();
    benchmark::ClobberMemory();
  }
}

void BM_DockedToolbarFillRectAndDrawTextBaseline(benchmark::State& state) {
  TStage s;
  for (auto _ : state) {
    s.PaintBaseline();
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_DockedToolbarFillRectAndDrawTextBaseline);
BENCHMARK(BM_DockedToolbarWindowOf20Buttons);
