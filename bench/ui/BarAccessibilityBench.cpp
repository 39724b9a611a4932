// Keyboard navigation over a top dock of 10 toolbars of 20 buttons (two toolbars to a row): one
// Right-arrow move from a button (its toolbar's next link) and one from a toolbar as a whole (the
// spatial search over every helper of the dock), against a walk that only collects the buttons'
// screen bounds, in one run.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/ui/BarToolbarWindowStage.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarItemControl.h"

namespace {

constexpr int kToolbars = 10, kButtons = 20;

struct TStage : barbench::TToolbarWindowStage {
  std::vector<TdxBar*> bars;

  TStage() : TToolbarWindowStage(dsTop, kButtons, false) {
    bars.push_back(bar);
    for (int t = 1; t < kToolbars; ++t) {
      TdxBar* more = manager->Bars()->Add();
      for (int i = 0; i < kButtons; ++i) {
        auto* button = new TdxBarButton(form);
        button->SetCaption("Scene " + std::to_string(t * kButtons + i + 1));
        button->Glyph()->Assign(&glyph);
        button->SetPaintStyle(TdxBarPaintStyle::psCaptionGlyph);
        more->ItemLinks()->AddItem(button);
      }
      more->SetDockingStyle(dsTop);
      more->SetVisible(true);
      bars.push_back(more);
    }
    Application->ProcessMessages();
    // Until sites lay out their rows, each window takes the length its layout asks for.
    int height = 0;
    for (int t = 0; t < kToolbars; ++t) {
      TdxBarControl* window = bars[static_cast<std::size_t>(t)]->Control();
      TRect insets;
      window->BarPainter()->CalcBarNonClient(window, dsTop, insets, false);
      const int length = window->FullWidthFor(dsTop);
      const TSize size = window->CalcSizeForWidth(dsTop, length);
      height = size.cy + insets.Top + insets.Bottom;
      const int width = length + insets.Left + insets.Right;
      window->SetBounds((t % 2) * width, (t / 2) * height, width, height);
      window->CalcViewInfo();
    }
    bar->Control()->DockControl()->SetHeight(height * (kToolbars / 2));
    Application->ProcessMessages();
  }
  TdxBarAccessibilityHelper* ButtonHelper(int AToolbar, int AButton) const {
    TdxBarItemControl* control = bars[static_cast<std::size_t>(AToolbar)]->ItemLinks()->VisibleLinks(AButton)->Control();
    return dynamic_cast<TdxBarAccessibilityHelper*>(control->AccessibilityHelperObject());
  }
  TdxBarAccessibilityHelper* ToolbarHelper(int AToolbar) const {
    return dynamic_cast<TdxBarAccessibilityHelper*>(bars[static_cast<std::size_t>(AToolbar)]->Control()->AccessibilityHelper());
  }
  std::vector<TRect> CollectBounds() const {
    std::vector<TRect> rects;
    rects.reserve(kToolbars * kButtons);
    for (TdxBar* b : bars) {
      TdxBarControl* window = b->Control();
      for (int i = 0; i < b->ItemLinks()->VisibleCount(); ++i)
        rects.push_back(window->ControlScreenRect(b->ItemLinks()->VisibleLinks(i)->Control()));
    }
    return rects;
  }
};

void BM_RightFromAButtonInADockOf10Toolbars(benchmark::State& state) {
  TStage s;
  TdxBarAccessibilityHelper* from = s.ButtonHelper(4, 10);
  for (auto _ : state) {
    IdxBarAccessibilityHelper* next = nullptr;
    from->NeighbourInDirection(dxNavRight, next);
    benchmark::DoNotOptimize(next);
  }
}

void BM_RightFromAToolbarAcrossADockOf10Toolbars(benchmark::State& state) {
  TStage s;
  TdxBarAccessibilityHelper* from = s.ToolbarHelper(4);
  for (auto _ : state) {
    IdxBarAccessibilityHelper* next = nullptr;
    from->NeighbourInDirection(dxNavRight, next);
    benchmark::DoNotOptimize(next);
  }
}

void BM_CollectButtonBoundsBaseline(benchmark::State& state) {
  TStage s;
  for (auto _ : state) benchmark::DoNotOptimize(s.CollectBounds());
}

BENCHMARK(BM_RightFromAButtonInADockOf10Toolbars);
BENCHMARK(BM_RightFromAToolbarAcrossADockOf10Toolbars);
BENCHMARK(BM_CollectButtonBoundsBaseline);

}  // namespace
