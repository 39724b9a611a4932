// Item controls at work on stand-in bar windows: opening a 50-item menu (its controls made,
// measured and painted through the window) and painting a 20-button toolbar, each against filling
// the same rectangles and drawing the same captions with FillRect and DrawText.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/ui/BarStandInStage.h"
#include "platform/classes/Bitmap.h"
#include "platform/gdi/Gdi.h"

using namespace win;

namespace {

// A bar of the kind with Count buttons, every other one with a glyph, shown on the screen.
struct Stage : barbench::TStandInBarStage {
  Stage(int AKind, int Count)
      : TStandInBarStage(
            AKind,
            [AKind, Count](TStandInBarStage& S) {
              TBitmap glyph;
              glyph.SetSize(16, 16);
              glyph.Canvas()->Brush()->SetColor(clNavy);
              glyph.Canvas()->FillRect(TRect{2, 2, 14, 14});
              for (int i = 0; i < Count; ++i) {
                auto* button = new TdxBarButton(S.form);
                button->SetCaption((AKind == dxBarKindMenu ? "Recall scene " : "Scene ") + std::to_string(i + 1));
                if (i % 2 == 0) button->SetGlyph(&glyph);
                S.links->AddItem(button);
              }
            },
            false) {}
};

// The same rectangles filled and the same captions drawn into the bar's window.
void FillAndDraw(const Stage& S) {
  HDC dc = GetDC(S.bar->Handle());
  HGDIOBJ font = SelectObject(dc, S.manager->Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  RECT client = S.bar->ClientRect();
  FillRect(dc, &client, face);
  for (int i = 0; i < S.links->Count(); ++i) {
    TdxBarItemLink* link = S.links->Items(i);
    RECT r = link->ItemRect();
    FillRect(dc, &r, face);
    const String caption = link->Caption();
    DrawText(dc, caption.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER);
  }
  SelectObject(dc, font);
  ReleaseDC(S.bar->Handle(), dc);
}

void BM_OpenMenu50(benchmark::State& state) {
  Stage s(dxBarKindMenu, 50);
  for (auto _ : state) {
    // Controls made and measured anew, then the window painted.
    s.bar->RebuildRecreating();
    s.Repaint();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OpenMenu50)->Unit(benchmark::kMicrosecond);

void BM_OpenMenu50Baseline(benchmark::State& state) {
  Stage s(dxBarKindMenu, 50);
  for (auto _ : state) {
    FillAndDraw(s);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OpenMenu50Baseline)->Unit(benchmark::kMicrosecond);

void BM_PaintToolbar20(benchmark::State& state) {
  Stage s(dxBarKindToolbar, 20);
  for (auto _ : state) {
    s.Repaint();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PaintToolbar20)->Unit(benchmark::kMicrosecond);

void BM_PaintToolbar20Baseline(benchmark::State& state) {
  Stage s(dxBarKindToolbar, 20);
  for (auto _ : state) {
    FillAndDraw(s);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PaintToolbar20Baseline)->Unit(benchmark::kMicrosecond);

}  // namespace
