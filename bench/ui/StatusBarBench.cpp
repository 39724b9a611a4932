// One clock tick of the consoles' status bar (a Text write, the full Recalculate and the paint of
// the 1000 px bar through its window), against filling the bar and drawing its three texts with
// DrawText on a bitmap, in the same run.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/pages/StatusBar.h"
#include "ui/pages/StatusBarPanelStyles.h"

using namespace win;

namespace {

struct Stage {
  platform::ScopedVirtualClock clock;
  Stage() {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1200, 200));
    InitializeForms();
    Application->Initialize();
    PaintingUnitsStartup();
  }
  ~Stage() {
    FinalizeForms();
    PaintingUnitsShutdown();
    platform::ResetDisplay();
  }
};

const char* const kTexts[] = {"Link: COM1 open", "User: operator", "2026-12-10 20:30:00"};

void BM_FillAndDrawTextBaseline(benchmark::State& state) {
  Stage stage;
  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(1000, 20);
  HDC dc = target.Canvas()->Handle();
  HFONT font = CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
  HGDIOBJ old = SelectObject(dc, font);
  HBRUSH brush = GetSysColorBrush(COLOR_BTNFACE);
  SetBkMode(dc, TRANSPARENT);
  const RECT bar{0, 0, 1000, 20};
  const RECT cells[] = {{3, 3, 199, 19}, {207, 3, 403, 19}, {411, 3, 997, 19}};
  const UINT align[] = {DT_LEFT, DT_LEFT, DT_RIGHT};
  for (auto _ : state) {
    FillRect(dc, &bar, brush);
    for (int i = 0; i < 3; ++i) {
      RECT r = cells[i];
      DrawText(dc, kTexts[i], -1, &r, align[i] | DT_VCENTER | DT_SINGLELINE);
    }
    benchmark::ClobberMemory();
  }
  SelectObject(dc, old);
  DeleteObject(font);
}

void BM_StatusBarClockTick(benchmark::State& state) {
  Stage stage;
  auto* form = new TForm(Application, 0);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 1000, 60);
  form->Show();
  auto* bar = new TdxStatusBar(form);
  bar->Font()->SetHeight(-11);
  bar->SetParent(form);
  const int widths[] = {200, 200, 428};
  for (int i = 0; i < 3; ++i) {
    TdxStatusBarPanel* panel = bar->Panels()->Add();
    panel->SetWidth(widths[i]);
    panel->SetText(kTexts[i]);
  }
  bar->Panels()->PanelAt(2)->PanelStyle()->SetAlignment(taRightJustify);
  bar->Update();
  int second = 0;
  for (auto _ : state) {
    bar->Panels()->PanelAt(2)->SetText("2026-12-10 20:30:" + std::to_string(10 + second++ % 50));
    bar->Update();
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_FillAndDrawTextBaseline);
BENCHMARK(BM_StatusBarClockTick);
