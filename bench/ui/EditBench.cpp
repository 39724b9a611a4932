// The editors' painting: 10^5 small fills in 8 colours through the solid-brush cache against making
// and deleting a brush for each; and the layout and paint of a 200 x 24 editor with three buttons
// against a FillRect and a DrawText of the same area.
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/controls/EditProperties.h"
#include "ui/controls/EditStyle.h"
#include "ui/controls/EditUtils.h"
#include "ui/controls/EditViewData.h"
#include "ui/controls/EditViewInfo.h"

using namespace win;

namespace {

constexpr int kFills = 100000;
constexpr COLORREF kColors[8] = {RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 0, 255),   RGB(10, 20, 30),
                                 RGB(200, 200, 0), RGB(0, 200, 200), RGB(128, 64, 32), RGB(1, 2, 3)};

struct Stage {
  platform::ScopedVirtualClock clock;
  TBitmap target;
  Stage() {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
    InitializeForms();
    Application->Initialize();
    ControlsUnitStartup();
    target.SetPixelFormat(pf32bit);
    target.SetSize(200, 24);
  }
  ~Stage() {
    ControlsUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
};

void BM_FillsThroughTheBrushCache(benchmark::State& state) {
  Stage stage;
  HDC dc = stage.target.Canvas()->Handle();
  const RECT r{2, 2, 18, 18};
  for (auto _ : state) {
    for (int i = 0; i < kFills; ++i) FillRect(dc, &r, CachedSolidBrush(static_cast<TColor>(kColors[i & 7])));
    benchmark::ClobberMemory();
  }
}

void BM_FillsWithABrushEach(benchmark::State& state) {
  Stage stage;
  HDC dc = stage.target.Canvas()->Handle();
  const RECT r{2, 2, 18, 18};
  for (auto _ : state) {
    for (int i = 0; i < kFills; ++i) {
      HBRUSH brush = CreateSolidBrush(kColors[i & 7]);
      FillRect(dc, &r, brush);
      DeleteObject(brush);
    }
    benchmark::ClobberMemory();
  }
}

void BM_EditorLayoutAndPaint(benchmark::State& state) {
  Stage stage;
  TcxCustomEditProperties properties(nullptr);
  for (TcxEditButtonKind kind : {TcxEditButtonKind::bkText, TcxEditButtonKind::bkEllipsis, TcxEditButtonKind::bkDown}) {
    TcxEditButton* b = properties.Buttons()->AddButton();
    b->SetKind(kind);
    b->SetCaption("Go");
  }
  TcxEditStyle style(nullptr, nullptr, csiNormal);
  style.SetEditBorderStyle(ebsSingle);
  style.SetTransparentBorder(false);
  TcxCanvas canvas(stage.target.Canvas());
  TcxCustomEditViewInfo viewInfo;
  for (auto _ : state) {
    std::unique_ptr<TcxCustomEditViewData> data(properties.CreateViewData(&style, false));
    data->CalculateLayout(&canvas, TRect(0, 0, 200, 24), TPoint(-1, -1), 0, TShiftState(), &viewInfo, false);
    viewInfo.PaintWithHandler(&canvas);
    benchmark::ClobberMemory();
  }
}

void BM_EditorAreaFillRectAndDrawText(benchmark::State& state) {
  Stage stage;
  HDC dc = stage.target.Canvas()->Handle();
  HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
  for (auto _ : state) {
    RECT r{0, 0, 200, 24};
    FillRect(dc, &r, brush);
    DrawText(dc, "Go", -1, &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    benchmark::ClobberMemory();
  }
  DeleteObject(brush);
}

}  // namespace

BENCHMARK(BM_FillsThroughTheBrushCache)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillsWithABrushEach)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorLayoutAndPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditorAreaFillRectAndDrawText)->Unit(benchmark::kMicrosecond);
