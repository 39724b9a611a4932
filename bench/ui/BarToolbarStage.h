#pragma once
// What the toolbar benchmarks of the bar painters paint: a docked toolbar of 12 buttons with its
// grip and mark in a dock site, repainted as its window paints it (non-client background, frame,
// client background, buttons, mark), through the painter class a benchmark names.
#include <memory>
#include <string>
#include <vector>

#include "bench/ui/BarBenchItem.h"
#include "platform/classes/Bitmap.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainters.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/PaintersUnit.h"

namespace barbench {

using namespace win;

constexpr int kButtonWidth = 70;

class TBenchDock : public TdxDockControl {
  VW_CLASS(TBenchDock, TdxDockControl)
 public:
  TBenchDock() : TdxDockControl(static_cast<TComponent*>(nullptr)) {
    SetAlign(alTop);
    SetBounds(0, 0, 1000, 30);
  }
};

// A docked toolbar window: its own background its painter's, what lies beneath it the dock's.
class TBenchToolbar : public TdxBarControl {
  VW_CLASS(TBenchToolbar, TdxBarControl)
 public:
  TBenchToolbar(TdxBarManager* AManager, TdxDockControl* ADock, TdxBarPainter* APainter)
      : TdxBarControl(AManager), FDock(ADock), FPainter(APainter) {}
  TdxBarPainter* BarPainter() const override { return FPainter; }
  TdxDockControl* DockControl() const override { return FDock; }
  int DockingStyleIndex() const override { return 2; }
  bool HasMark() const override { return true; }
  bool HidesItems() const override { return true; }
  win::HBRUSH BkBrush() const override { return FPainter->BarBrush(const_cast<TBenchToolbar*>(this)); }
  void FillBarBackground(HDC DC, const TRect& R, bool, TColor Color, HBRUSH Brush) override {
    if (FInside) {
      FPainter->FillDockBackground(FDock, DC, R, dxbar::Offset(R, Left(), Top()), Brush, Color);
      return;
    }
    FInside = true;
    FPainter->FillBarBackground(this, DC, R, R, Brush, Color);
    FInside = false;
  }

 private:
  TdxDockControl* FDock;
  TdxBarPainter* FPainter;
  bool FInside = false;
};

template <class TPainter>
struct TToolbarStage {
  platform::ScopedVirtualClock clock;
  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TPainter painter;
  std::unique_ptr<TBenchDock> dock;
  std::unique_ptr<TBenchToolbar> toolbar;
  TBitmap glyph, target;
  std::vector<std::unique_ptr<TBenchItem>> items;
  std::vector<std::unique_ptr<TdxBarButtonLikeControlDrawParams>> buttons;
  HDC dc = nullptr;

  TToolbarStage() {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1200, 900));
    InitializeForms();
    Application->Initialize();
    PaintingUnitsStartup();
    ControlsUnitStartup();
    BarUnitStartup();
    Application->CreateForm(form);
    manager = new TdxBarManager(form);
    dock = std::make_unique<TBenchDock>();
    toolbar = std::make_unique<TBenchToolbar>(manager, dock.get(), &painter);
    TRect insets;
    painter.CalcBarNonClient(toolbar.get(), 2, insets, false);
    toolbar->SetBounds(0, 2, insets.Left + 12 * kButtonWidth + painter.MarkSize() + insets.Right, 26);
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(16, 16);
    glyph.Canvas()->Brush()->SetColor(clNavy);
    glyph.Canvas()->FillRect(RECT{2, 2, 14, 14});
    target.SetPixelFormat(pf32bit);
    target.SetSize(1000, 30);
    dc = target.Canvas()->Handle();
    SelectObject(dc, manager->Font()->Handle());
    for (int i = 0; i < 12; ++i) {
      items.push_back(std::make_unique<TBenchItem>(toolbar.get(), &glyph));
      buttons.push_back(std::make_unique<TdxBarButtonLikeControlDrawParams>(items.back().get()));
      buttons.back()->Caption = "Scene " + std::to_string(i + 1);
      buttons.back()->IsSelected = i == 3;
    }
  }
  ~TToolbarStage() {
    buttons.clear();
    items.clear();
    toolbar.reset();
    dock.reset();
    TObject::Free(form);
    BarUnitShutdown();
    ControlsUnitShutdown();
    PaintingUnitsShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }

  // The window's paint: non-client background and frame in window coordinates, then the client.
  void PaintToolbar() {
    TBenchToolbar* bar = toolbar.get();
    TRect insets;
    painter.CalcBarNonClient(bar, 2, insets, false);
    const TRect client(0, 0, bar->Width() - insets.Left - insets.Right, bar->Height() - insets.Top - insets.Bottom);
    SetViewportOrgEx(dc, bar->Left() + insets.Left, bar->Top() + insets.Top, nullptr);
    painter.FillBarBackground(bar, dc, {2 - insets.Left, 2 - insets.Top, client.Right + insets.Right - 2,
                                        client.Bottom + insets.Bottom - 2},
                              client, bar->BkBrush(), clNone);
    SetViewportOrgEx(dc, bar->Left(), bar->Top(), nullptr);
    TRect frame(0, 0, bar->Width(), bar->Height());
    painter.DrawDockedBarFrame(bar, dc, frame, bar->BkBrush());
    SetViewportOrgEx(dc, bar->Left() + insets.Left, bar->Top() + insets.Top, nullptr);
    painter.FillBarBackground(bar, dc, client, client, bar->BkBrush(), clNone);
    for (int i = 0; i < 12; ++i)
      painter.PaintButtonItem(*buttons[i], dc, {i * kButtonWidth, 0, (i + 1) * kButtonWidth, client.Bottom});
    painter.DrawMark(bar, dc, painter.MarkBounds(bar, client, {}));
    SetViewportOrgEx(dc, 0, 0, nullptr);
  }

  // What the toolbar's paint is measured against: its area filled and the captions drawn.
  void PaintBaseline() {
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    SetBkMode(dc, TRANSPARENT);
    const RECT bar{toolbar->Left(), toolbar->Top(), toolbar->Left() + toolbar->Width(),
                   toolbar->Top() + toolbar->Height()};
    FillRect(dc, &bar, face);
    for (int i = 0; i < 12; ++i) {
      RECT r{bar.left + 10 + i * kButtonWidth + 23, bar.top + 2, bar.left + 10 + (i + 1) * kButtonWidth, bar.bottom - 2};
      DrawText(dc, buttons[i]->Caption.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER);
    }
  }
};

}  // namespace barbench
