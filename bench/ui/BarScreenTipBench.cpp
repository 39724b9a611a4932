// A three-band screen tip (header with a picture, description with a picture, footer) measured and
// painted as the hint window does it, against DrawText of the same three texts on the same canvas.
#include <benchmark/benchmark.h>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "ui/bars/BarHintViewInfo.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainters.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/PaintersUnit.h"

using namespace win;

namespace {

constexpr const char* kHeader = "Save scene (Ctrl+S)";
constexpr const char* kDescription = "Writes the windows of the wall and their sources into the scene slot chosen.";
constexpr const char* kFooter = "Press F1 for more help.";

struct Stage {
  platform::ScopedVirtualClock clock;
  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TdxBarStandardPainter painter;
  TdxBarScreenTipRepository* repository = nullptr;
  TdxBarScreenTip* tip = nullptr;
  TBitmap small, large, target;

  Stage() {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1200, 900));
    InitializeForms();
    Application->Initialize();
    PaintingUnitsStartup();
    ControlsUnitStartup();
    BarUnitStartup();
    Application->CreateForm(form);
    manager = new TdxBarManager(form);
    repository = new TdxBarScreenTipRepository(form);
    repository->SetName("Tips");
    tip = repository->Items()->Add();
    for (TBitmap* b : {&small, &large}) {
      b->SetPixelFormat(pf24bit);
      b->Canvas()->Brush()->SetColor(clTeal);
    }
    small.SetSize(16, 16);
    small.Canvas()->FillRect(RECT{0, 0, 16, 16});
    large.SetSize(120, 80);
    large.Canvas()->FillRect(RECT{0, 0, 120, 80});
    tip->Header()->SetText("Save scene");
    tip->Header()->SetGlyph(&small);
    tip->Description()->SetText(kDescription);
    tip->Description()->SetGlyph(&large);
    tip->Footer()->SetText(kFooter);
    target.SetPixelFormat(pf32bit);
    target.SetSize(400, 200);
  }
  ~Stage() {
    TObject::Free(form);
    BarUnitShutdown();
    ControlsUnitShutdown();
    PaintingUnitsShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
};

void BM_ScreenTipCalculateAndPaint(benchmark::State& state) {
  Stage s;
  for (auto _ : state) {
    TdxBarScreenTipViewInfo info(s.tip, " (Ctrl+S)", "", &s.painter, s.manager);
    info.Calculate(s.target.Canvas());
    info.PaintHint(s.target.Canvas());
    benchmark::ClobberMemory();
  }
}

void BM_ScreenTipDrawTextBaseline(benchmark::State& state) {
  Stage s;
  TCanvas* canvas = s.target.Canvas();
  for (auto _ : state) {
    HDC dc = canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    RECT header{28, 6, 312, 30}, description{122, 36, 304, 120}, footer{28, 140, 312, 160};
    canvas->Font()->Assign(s.repository->BandFont(stbHeader));
    canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
    DrawText(dc, kHeader, -1, &header, DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    canvas->Font()->Assign(s.repository->BandFont(stbDescription));
    canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
    DrawText(dc, kDescription, -1, &description, DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    canvas->Font()->Assign(s.repository->BandFont(stbFooter));
    canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
    DrawText(dc, kFooter, -1, &footer, DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_ScreenTipDrawTextBaseline);
BENCHMARK(BM_ScreenTipCalculateAndPaint);
