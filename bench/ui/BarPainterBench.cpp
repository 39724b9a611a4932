// A toolbar of 12 buttons with glyphs and captions and a 50-item menu, painted by the base,
// Standard and Flat bar painters through bar-window and item-control stand-ins, against filling
// the same areas and drawing the same texts with FillRect and DrawText, in the same run.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "bench/ui/BarBenchItem.h"
#include "ui/bars/BarDrawing.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainters.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/PaintersUnit.h"

using namespace win;

namespace {

class TBenchBar : public TdxBarControl {
  VW_CLASS(TBenchBar, TdxBarControl)
 public:
  TBenchBar(TdxBarManager* AManager, bool AMenu) : TdxBarControl(AManager), FMenu(AMenu) {}
  bool IsMenu() const override { return FMenu; }

 private:
  bool FMenu;
};

struct Stage {
  platform::ScopedVirtualClock clock;
  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  std::unique_ptr<TBenchBar> toolbar, menu;
  TBitmap glyph, target;
  std::vector<std::unique_ptr<TBenchItem>> items;
  HDC dc = nullptr;

  Stage() {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1200, 900));
    InitializeForms();
    Application->Initialize();
    PaintingUnitsStartup();
    ControlsUnitStartup();
    BarUnitStartup();
    Application->CreateForm(form);
    manager = new TdxBarManager(form);
    toolbar = std::make_unique<TBenchBar>(manager, false);
    menu = std::make_unique<TBenchBar>(manager, true);
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(16, 16);
    glyph.Canvas()->Brush()->SetColor(clNavy);
    glyph.Canvas()->FillRect(RECT{2, 2, 14, 14});
    target.SetPixelFormat(pf32bit);
    target.SetSize(1000, 50 * 23);
    dc = target.Canvas()->Handle();
    SelectObject(dc, manager->Font()->Handle());
  }
  ~Stage() {
    items.clear();
    toolbar.reset();
    menu.reset();
    TObject::Free(form);
    BarUnitShutdown();
    ControlsUnitShutdown();
    PaintingUnitsShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  TBenchItem* Item(TCustomdxBarControl* Bar) {
    items.push_back(std::make_unique<TBenchItem>(Bar, &glyph));
    return items.back().get();
  }
};

const int kButtonWidth = 70;

void PaintToolbarAndMenu(TdxBarPainter& P, Stage& S, std::vector<std::unique_ptr<TdxBarButtonLikeControlDrawParams>>& Buttons,
                         std::vector<std::unique_ptr<TdxBarButtonLikeControlDrawParams>>& Rows) {
  const TRect bar(0, 0, 12 * kButtonWidth, 24);
  P.FillBarBackground(S.toolbar.get(), S.dc, bar, bar, P.ToolbarBrush(S.manager), clNone);
  for (int i = 0; i < 12; ++i)
    P.PaintButtonItem(*Buttons[i], S.dc, {i * kButtonWidth, 1, (i + 1) * kButtonWidth, 23});
  for (int i = 0; i < 50; ++i) P.PaintButtonItem(*Rows[i], S.dc, {0, 30 + i * 22, 240, 30 + (i + 1) * 22});
}

template <class Painter>
void BM_PaintToolbarAndMenu(benchmark::State& state) {
  Stage s;
  Painter painter;
  std::vector<std::unique_ptr<TdxBarButtonLikeControlDrawParams>> buttons, rows;
  for (int i = 0; i < 12; ++i) {
    buttons.push_back(std::make_unique<TdxBarButtonLikeControlDrawParams>(s.Item(s.toolbar.get())));
    buttons.back()->Caption = "Scene " + std::to_string(i + 1);
    buttons.back()->IsSelected = i == 3;
  }
  for (int i = 0; i < 50; ++i) {
    rows.push_back(std::make_unique<TdxBarButtonLikeControlDrawParams>(s.Item(s.menu.get())));
    rows.back()->PaintType = pmMenu;
    rows.back()->Caption = "Recall scene " + std::to_string(i + 1);
    rows.back()->ShortCut = i < 9 ? "Ctrl+" + std::to_string(i + 1) : "";
    rows.back()->IsSelected = i == 7;
  }
  for (auto _ : state) {
    PaintToolbarAndMenu(painter, s, buttons, rows);
    benchmark::ClobberMemory();
  }
}

void BM_FillRectAndDrawTextBaseline(benchmark::State& state) {
  Stage s;
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  SetBkMode(s.dc, TRANSPARENT);
  std::vector<std::string> buttons, rows;
  for (int i = 0; i < 12; ++i) buttons.push_back("Scene " + std::to_string(i + 1));
  for (int i = 0; i < 50; ++i) rows.push_back("Recall scene " + std::to_string(i + 1));
  for (auto _ : state) {
    const RECT bar{0, 0, 12 * kButtonWidth, 24};
    FillRect(s.dc, &bar, face);
    for (int i = 0; i < 12; ++i) {
      RECT r{i * kButtonWidth + 23, 1, (i + 1) * kButtonWidth, 23};
      DrawText(s.dc, buttons[i].c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER);
    }
    for (int i = 0; i < 50; ++i) {
      RECT r{0, 30 + i * 22, 240, 30 + (i + 1) * 22};
      FillRect(s.dc, &r, face);
      r.left += 22;
      DrawText(s.dc, rows[i].c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER);
    }
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_FillRectAndDrawTextBaseline);
BENCHMARK_TEMPLATE(BM_PaintToolbarAndMenu, TdxBarPainter);
BENCHMARK_TEMPLATE(BM_PaintToolbarAndMenu, TdxBarStandardPainter);
BENCHMARK_TEMPLATE(BM_PaintToolbarAndMenu, TdxBarFlatPainter);
