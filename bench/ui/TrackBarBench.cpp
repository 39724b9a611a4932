// The slider against what it stands on: a 300 x 60 track bar of 0..100 with numbers at every ten
// painted through its window, against a plain fill of the same area; and the whole integer range
// with a number at the thumb, which the tick walk paints at one tick value a pixel.
#include <benchmark/benchmark.h>

#include "platform/classes/Forms.h"
#include "platform/classes/Graphics.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "platform/win/Window.h"
#include "ui/choice/TrackBar.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/PaintersUnit.h"

using namespace win;

namespace {

struct Stage {
  platform::ScopedVirtualClock clock;
  TForm* form = nullptr;
  Stage() {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
    InitializeForms();
    Application->Initialize();
    PaintingUnitsStartup();
    ControlsUnitStartup();
    form = new TForm(nullptr, 0);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 400, 120);
    form->Show();
    form->Update();
  }
  ~Stage() {
    delete form;
    ControlsUnitShutdown();
    PaintingUnitsShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  TcxTrackBar* Bar(int Min, int Max, int Frequency, TcxTrackBarTickType Type) {
    auto* t = new TcxTrackBar(form);
    t->SetParent(form);
    t->SetBounds(10, 10, 300, 60);
    t->Properties()->SetMin(Min);
    t->Properties()->SetMax(Max);
    t->Properties()->SetFrequency(Frequency);
    t->Properties()->SetTickType(Type);
    t->SetPosition(Min / 2 + Max / 2);
    t->Update();
    return t;
  }
};

void Repaint(benchmark::State& state, TcxTrackBar* t) {
  for (auto _ : state) {
    InvalidateRect(t->Handle(), nullptr, FALSE);
    UpdateWindow(t->Handle());
  }
}

void BM_TrackBar0To100WithNumbers(benchmark::State& state) {
  Stage stage;
  Repaint(state, stage.Bar(0, 100, 10, tbttNumbers));
}

void BM_TrackBarWholeIntegerRange(benchmark::State& state) {
  Stage stage;
  Repaint(state, stage.Bar(-2147483647 - 1, 2147483647, 1, tbttValueNumber));
}

// The same area the plain way, straight onto the window.
void BM_TrackBarAreaFillRect(benchmark::State& state) {
  Stage stage;
  HDC dc = GetDC(stage.form->Handle());
  TCanvas c;
  c.SetHandle(dc);
  c.Brush()->SetColor(clBtnFace);
  for (auto _ : state) c.FillRect(RECT{10, 10, 310, 70});
  c.SetHandle(nullptr);
  ReleaseDC(stage.form->Handle(), dc);
}

}  // namespace

BENCHMARK(BM_TrackBar0To100WithNumbers);
BENCHMARK(BM_TrackBarWholeIntegerRange);
BENCHMARK(BM_TrackBarAreaFillRect);
