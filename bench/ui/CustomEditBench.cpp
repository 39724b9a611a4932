// What one mouse move costs an editor with three buttons: the state recalculation (a view-info
// copy, the layout for the new point, invalidation of what changed) against a plain invalidation
// of the same area. The mouse goes from one button to the next and back, so every move changes
// two buttons.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/ui/ControlsStage.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "platform/win/Window.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/controls/CustomEdit.h"

using namespace win;

namespace {

struct Stage : benchstage::ControlsStage {
  TcxCustomEdit* edit = nullptr;
  Stage() : ControlsStage(300, 100) {
    edit = new TcxCustomEdit(form);
    edit->SetParent(form);
    for (int i = 0; i < 3; ++i) edit->Properties()->Buttons()->AddButton()->SetWidth(20);
    edit->SetAutoSize(false);
    edit->SetBounds(10, 10, 200, 24);
    edit->HandleNeeded();
    edit->RefreshStateAtCursor(false);
  }
  TPoint ButtonCentre(int Index) {
    const TRect& b = edit->EditViewInfo()->Button(Index)->Bounds;
    return TPoint((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
  }
};

void BM_EditorStateForOneMouseMove(benchmark::State& state) {
  Stage stage;
  TPoint points[2] = {stage.ButtonCentre(0), stage.ButtonCentre(1)};
  int i = 0;
  for (auto _ : state) {
    stage.edit->RecalcState(points[i ^= 1], 0, TShiftState(), true);
    benchmark::ClobberMemory();
  }
}

void BM_EditorAreaInvalidateRect(benchmark::State& state) {
  Stage stage;
  HWND window = stage.edit->Handle();
  RECT r{0, 0, 200, 24};
  for (auto _ : state) {
    InvalidateRect(window, &r, FALSE);
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_EditorStateForOneMouseMove)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditorAreaInvalidateRect)->Unit(benchmark::kMicrosecond);
