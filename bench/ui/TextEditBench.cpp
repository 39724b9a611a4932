// What a text editor costs: painting a 121 x 21 editor (frame, background and the edit box's text)
// against a plain FillRect and DrawText of the same area, and one keystroke of an incremental search
// whose completion is the last of 10,000 items.
#include <benchmark/benchmark.h>

#include "bench/ui/ControlsStage.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "platform/win/Focus.h"
#include "platform/win/Window.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/editors/TextEdit.h"

using namespace win;

namespace {

struct Stage : benchstage::ControlsStage {
  TcxTextEdit* edit = nullptr;
  Stage() : ControlsStage(300, 100) {
    edit = new TcxTextEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 121, 21);
    edit->SetText("A line of text");
    edit->HandleNeeded();
    Application->ProcessMessages();
  }
};

void BM_TextEditPaint(benchmark::State& state) {
  Stage stage;
  for (auto _ : state) {
    RedrawWindow(stage.edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TextEditPaint);

void BM_PlainFillAndDrawText(benchmark::State& state) {
  Stage stage;
  HDC dc = GetDC(stage.form->Handle());
  RECT r{10, 10, 131, 31};
  HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
  const char* text = "A line of text";
  for (auto _ : state) {
    FillRect(dc, &r, brush);
    DrawText(dc, text, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    benchmark::ClobberMemory();
  }
  DeleteObject(brush);
  ReleaseDC(stage.form->Handle(), dc);
}
BENCHMARK(BM_PlainFillAndDrawText);

void BM_IncrementalSearchKeystroke10000Items(benchmark::State& state) {
  Stage stage;
  TStringList* items = stage.edit->Properties()->LookupItems();
  items->BeginUpdate();
  for (int i = 0; i < 10000; ++i) items->Add("item " + std::to_string(i));
  items->EndUpdate();
  stage.edit->SetFocus();
  Application->ProcessMessages();
  HWND inner = stage.edit->InnerControl()->Handle();
  for (auto _ : state) {
    state.PauseTiming();
    stage.edit->SetText("item 999");
    stage.edit->SetSelection(8, 0);
    state.ResumeTiming();
    // "item 9999": only the last item starts so.
    SendMessage(inner, WM_CHAR, '9', 0);
    benchmark::ClobberMemory();
  }
  if (stage.edit->Text() != "item 9999") state.SkipWithError("the search did not complete the last item");
}
BENCHMARK(BM_IncrementalSearchKeystroke10000Items);

}  // namespace
