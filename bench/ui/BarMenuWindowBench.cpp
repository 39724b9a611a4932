// Opening a menu window of 50 links (the window made, its controls measured, the menu placed and
// painted once) against a plain popup window showing the same 50 captions with DrawText.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/ui/BarUnitsStage.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "tests/ui/bars/BarStandIns.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"

using namespace win;

namespace {

struct MenuStage {
  platform::ScopedVirtualClock clock;
  barbench::TBarUnits units;
  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  std::unique_ptr<TdxBarItemLinks> links;

  MenuStage() {
    PlaySounds = false;
    UseStandInControls();
    Application->CreateForm(form);
    form->Show();
    manager = new TdxBarManager(form);
    manager->SetStyle(bmsStandard);
    links.reset(new TdxBarSubMenuControlItemLinks(manager, nullptr));
    for (int i = 0; i < 50; ++i) {
      auto* button = new TdxBarButton(form);
      button->SetCaption("Recall scene " + std::to_string(i + 1));
      links->AddItem(button);
    }
  }
  ~MenuStage() {
    links.reset();
    TObject::Free(form);
    dxBarItemControlFactory = nullptr;
    PlaySounds = true;
  }
};

void BM_OpenMenuWindow50(benchmark::State& state) {
  MenuStage s;
  for (auto _ : state) {
    auto* menu = new TdxBarSubMenuControl(s.manager);
    menu->SetItemLinks(s.links.get());
    menu->SetLeft(20);
    menu->SetTop(20);
    menu->PopupMenuWindow();
    UpdateWindow(menu->Handle());
    benchmark::ClobberMemory();
    state.PauseTiming();
    menu->CloseUp();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenMenuWindow50)->Unit(benchmark::kMicrosecond);

// A plain popup of the menu's size with the same captions drawn line by line.
void BM_OpenMenuWindow50Baseline(benchmark::State& state) {
  MenuStage s;
  const int line = 22;
  for (auto _ : state) {
    HWND popup = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "STATIC", "", WS_POPUP, 20, 20, 160, 50 * line,
                                s.form->Handle(), nullptr, nullptr, nullptr);
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    HDC dc = GetDC(popup);
    HGDIOBJ font = SelectObject(dc, s.manager->Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    RECT client{0, 0, 160, 50 * line};
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (int i = 0; i < s.links->Count(); ++i) {
      RECT r{24, i * line, 160, (i + 1) * line};
      const String caption = s.links->Items(i)->Caption();
      DrawText(dc, caption.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER);
    }
    SelectObject(dc, font);
    ReleaseDC(popup, dc);
    benchmark::ClobberMemory();
    state.PauseTiming();
    DestroyWindow(popup);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenMenuWindow50Baseline)->Unit(benchmark::kMicrosecond);

}  // namespace
