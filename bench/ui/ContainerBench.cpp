// Painting a 200 x 24 container with a single frame and a drop shadow, against a FillRect of the
// same area in the same run, and the recalculation a container runs on every mouse move.
#include <benchmark/benchmark.h>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "ui/controls/Container.h"
#include "ui/controls/ControlsUnit.h"

using namespace win;

namespace {

struct Stage {
  platform::ScopedVirtualClock clock;
  TBitmap target;
  TForm* form = nullptr;
  Stage() {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
    InitializeForms();
    Application->Initialize();
    ControlsUnitStartup();
    target.SetPixelFormat(pf32bit);
    target.SetSize(200, 24);
    form = new TForm(Application, 0);
    form->SetBounds(0, 0, 400, 300);
    form->Show();
  }
  ~Stage() {
    delete form;
    ControlsUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  TcxContainer* ShadowedContainer() {
    auto* c = new TcxContainer(form);
    c->SetParent(form);
    c->SetBounds(10, 10, 200, 24);
    c->NormalStyle()->SetBorderStyle(cbsSingle);
    c->NormalStyle()->SetTransparentBorder(false);
    c->NormalStyle()->SetShadow(true);
    c->HandleNeeded();
    c->RefreshState();
    return c;
  }
};

void BM_FillRect200x24(benchmark::State& state) {
  Stage stage;
  HDC dc = stage.target.Canvas()->Handle();
  HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
  const RECT r{0, 0, 200, 24};
  for (auto _ : state) {
    FillRect(dc, &r, brush);
    benchmark::ClobberMemory();
  }
  DeleteObject(brush);
}

void BM_ShadowedContainer200x24(benchmark::State& state) {
  Stage stage;
  TcxContainer* c = stage.ShadowedContainer();
  HDC dc = stage.target.Canvas()->Handle();
  for (auto _ : state) {
    c->PaintTo(dc, 0, 0);
    benchmark::ClobberMemory();
  }
}

void BM_RecalcStatePerMouseMove(benchmark::State& state) {
  Stage stage;
  TcxContainer* c = stage.ShadowedContainer();
  int x = 0;
  for (auto _ : state) {
    c->RecalcState(TPoint(20 + (x++ & 63), 12), 0, {}, true);
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_FillRect200x24);
BENCHMARK(BM_ShadowedContainer200x24);
BENCHMARK(BM_RecalcStatePerMouseMove);
