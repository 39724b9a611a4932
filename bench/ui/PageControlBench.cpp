// Painting a page control of ten tabs in the Tabs style through its window, against filling the
// same area and drawing the ten captions with DrawText on a bitmap, and against the same control in
// the OneNote style, in the same run.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/pages/PCStandardPainter.h"
#include "ui/pages/PageControl.h"

using namespace win;

namespace {

struct Stage {
  platform::ScopedVirtualClock clock;
  Stage() {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1200, 400));
    InitializeForms();
    Application->Initialize();
    PaintingUnitsStartup();
    PCPaintersUnitStartup();
  }
  ~Stage() {
    FinalizeForms();
    PCPaintersUnitShutdown();
    PaintingUnitsShutdown();
    platform::ResetDisplay();
  }
};

const char* const kCaptions[] = {"Scenes", "Signals", "Wall layout", "Subtitles", "Timing",
                                 "Splicing", "Colours", "Playback", "Pictures", "Remote"};
constexpr int kWidth = 900, kHeight = 300;

void BM_PageControlFillAndDrawTextBaseline(benchmark::State& state) {
  Stage stage;
  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(kWidth, kHeight);
  HDC dc = target.Canvas()->Handle();
  HFONT font = CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
  HGDIOBJ old = SelectObject(dc, font);
  HBRUSH brush = GetSysColorBrush(COLOR_BTNFACE);
  SetBkMode(dc, TRANSPARENT);
  const RECT area{0, 0, kWidth, kHeight};
  for (auto _ : state) {
    FillRect(dc, &area, brush);
    for (int i = 0; i < 10; ++i) {
      RECT r{2 + i * 80, 2, 2 + i * 80 + 80, 20};
      DrawText(dc, kCaptions[i], -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    benchmark::ClobberMemory();
  }
  SelectObject(dc, old);
  DeleteObject(font);
}

void PaintTenTabs(benchmark::State& state, int Style) {
  Stage stage;
  auto* form = new TForm(Application, 0);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, kWidth, kHeight);
  form->Show();
  auto* control = new TcxPageControl(form);
  control->SetParent(form);
  control->SetBounds(0, 0, kWidth, kHeight);
  control->Font()->SetHeight(-11);
  control->SetStyle(Style);
  for (const char* caption : kCaptions) {
    auto* page = new TcxTabSheet(form);
    page->SetCaption(caption);
    page->SetPageControl(control);
  }
  control->Update();
  for (auto _ : state) {
    control->Invalidate();
    control->Update();
    benchmark::ClobberMemory();
  }
}

// Tabs, and the notebook style with a path region per tab and hit tests for its corner blends.
void BM_PaintTenTabPageControl(benchmark::State& state) { PaintTenTabs(state, 1); }
void BM_PaintTenTabOneNotePageControl(benchmark::State& state) { PaintTenTabs(state, 10); }

}  // namespace

BENCHMARK(BM_PageControlFillAndDrawTextBaseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintTenTabPageControl)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintTenTabOneNotePageControl)->Unit(benchmark::kMicrosecond);
