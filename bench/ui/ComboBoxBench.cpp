// A combo box of 255 items (the matrix input lists): opening it until its popup is shown, and
// painting its open list against a FillRect and a DrawText for each of the same rows.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/ui/ControlsStage.h"
#include "platform/classes/Bitmap.h"
#include "platform/gdi/Gdi.h"
#include "ui/editors/ComboBox.h"

using namespace win;

namespace {

constexpr int kItems = 255;

struct Stage : benchstage::ControlsStage {
  TcxComboBox* combo = nullptr;
  TBitmap target;
  Stage() : ControlsStage(400, 300) {
    combo = new TcxComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(10, 10, 160, 21);
    for (int i = 1; i <= kItems; ++i) combo->Properties()->Items()->Add("输入 " + std::to_string(i));
    combo->SetItemIndex(100);
    Application->ProcessMessages();
    combo->SetFocus();
    Application->ProcessMessages();
  }
  void Open() {
    combo->SetDroppedDown(true);
    while (!combo->DroppedDown() && combo->IsShowRequestQueued()) Application->ProcessMessages();
  }
};

void BM_ComboBox255OpenUntilShown(benchmark::State& state) {
  Stage stage;
  for (auto _ : state) {
    stage.Open();
    if (!stage.combo->DroppedDown()) state.SkipWithError("the popup did not open");
    state.PauseTiming();
    stage.combo->SetDroppedDown(false);
    Application->ProcessMessages();
    state.ResumeTiming();
  }
}

void BM_ComboBox255ListPaint(benchmark::State& state) {
  Stage stage;
  stage.Open();
  TcxCustomComboBoxListBox* list = stage.combo->ListBox();
  stage.target.SetPixelFormat(pf32bit);
  stage.target.SetSize(list->Width(), list->Height());
  HDC dc = stage.target.Canvas()->Handle();
  for (auto _ : state) {
    list->PaintTo(dc, 0, 0);
    benchmark::ClobberMemory();
  }
}

// The same visible rows, each filled and its text drawn.
void BM_FillRectDrawTextOfTheSameRows(benchmark::State& state) {
  Stage stage;
  stage.Open();
  TcxCustomComboBoxListBox* list = stage.combo->ListBox();
  const int rows = stage.combo->Properties()->DropDownRows(), height = list->ItemHeightAt(0), top = list->TopIndex();
  stage.target.SetPixelFormat(pf32bit);
  stage.target.SetSize(list->Width(), list->Height());
  HDC dc = stage.target.Canvas()->Handle();
  HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
  SelectObject(dc, list->Font()->Handle());
  for (auto _ : state) {
    for (int i = 0; i < rows; ++i) {
      RECT r{0, i * height, list->Width(), (i + 1) * height};
      FillRect(dc, &r, brush);
      r.left += 2;
      String text = stage.combo->Properties()->Items()->Strings(top + i);
      DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    benchmark::ClobberMemory();
  }
  DeleteObject(brush);
}

}  // namespace

BENCHMARK(BM_ComboBox255OpenUntilShown);
BENCHMARK(BM_ComboBox255ListPaint);
BENCHMARK(BM_FillRectDrawTextOfTheSameRows);
