// A toolbar of 20 buttons changing shape during a drag (the two kept windows swapped, the item
// controls made anew), against the same change outside a drag (a new window as well as new
// controls each time); and the relayout of a dock site holding 10 toolbars of 10 buttons, against
// SetWindowPos of 10 plain windows to the toolbars' bounds.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/ui/BarToolbarWindowStage.h"
#include "platform/win/Window.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarDockControl.h"

using namespace win;
using barbench::TToolbarWindowStage;

namespace {

void SwapShapes(benchmark::State& state, bool ADragging) {
  TToolbarWindowStage s(dsTop, 20, false);
  TdxBarControl* w = s.Window();
  TdxDockControl* top = s.manager->Bars()->DockControls(dsTop);
  if (ADragging) w->SetDragging(true);
  bool floating = false;
  for (auto _ : state) {
    floating = !floating;
    TdxBarControl::TInternalUpdate update(w);
    w->ApplyDockingStyle(floating ? dsNone : dsTop, floating ? nullptr : top);
  }
  if (floating) {
    TdxBarControl::TInternalUpdate update(w);
    w->ApplyDockingStyle(dsTop, top);
  }
  if (ADragging) w->SetDragging(false);
}

void BM_DragShapeChangeOf20Buttons(benchmark::State& state) { SwapShapes(state, true); }
void BM_RecreatedShapeChangeOf20Buttons(benchmark::State& state) { SwapShapes(state, false); }

struct TTenToolbars : TToolbarWindowStage {
  TTenToolbars() : TToolbarWindowStage(dsTop, 10, false) {
    for (int b = 1; b < 10; ++b) {
      TdxBar* bar = manager->Bars()->Add();
      for (int i = 0; i < 10; ++i) {
        auto* button = new TdxBarButton(form);
        button->SetCaption("Scene " + std::to_string(i + 1));
        bar->ItemLinks()->AddItem(button);
      }
      bar->SetRow(b / 3);
      bar->SetDockedLeft((b % 3) * 400);
      bar->SetDockingStyle(dsTop);
      bar->SetVisible(true);
    }
    Application->ProcessMessages();
  }
};

void BM_DockSiteRelayoutOf10Toolbars(benchmark::State& state) {
  TTenToolbars s;
  TdxDockControl* top = s.manager->Bars()->DockControls(dsTop);
  for (auto _ : state) top->RequestLayout();
  state.counters["rows"] = top->RowCount();
}

void BM_SetWindowPosOf10PlainWindows(benchmark::State& state) {
  TTenToolbars s;
  std::vector<std::pair<HWND, RECT>> windows;
  TdxDockControl* top = s.manager->Bars()->DockControls(dsTop);
  for (int i = 0; i < s.manager->Bars()->Count(); ++i) {
    TdxBarControl* w = s.manager->Bars()->Items(i)->Control();
    RECT r{w->Left(), w->Top(), w->Left() + w->Width(), w->Top() + w->Height()};
    HWND plain = CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, top->Handle(), nullptr, nullptr, nullptr);
    windows.emplace_back(plain, r);
  }
  for (auto _ : state)
    for (auto& [h, r] : windows)
      SetWindowPos(h, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  for (auto& [h, r] : windows) DestroyWindow(h);
}

}  // namespace

BENCHMARK(BM_DragShapeChangeOf20Buttons)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecreatedShapeChangeOf20Buttons)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DockSiteRelayoutOf10Toolbars)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SetWindowPosOf10PlainWindows)->Unit(benchmark::kMicrosecond);
