// Edit and combo controls on a stand-in toolbar: painting a toolbar of five unfocused edits and
// combos (frame, caption, text, combo button through the painter) against filling the same
// rectangles and drawing the same texts with FillRect and DrawText, and one focus-unfocus cycle
// of an edit (its window shown over the content with the text loaded and selected, then hidden).
#include <benchmark/benchmark.h>

#include <string>

#include "bench/ui/BarStandInStage.h"
#include "platform/gdi/Gdi.h"
#include "ui/bars/BarEditItems.h"

using namespace win;

namespace {

// Three edits and two list combos on a toolbar, each showing its caption and a text.
struct Stage : barbench::TStandInBarStage {
  Stage()
      : TStandInBarStage(dxBarKindToolbar, [](TStandInBarStage& S) {
          for (int i = 0; i < 5; ++i) {
            TdxBarEdit* item = i % 2 == 0 ? new TdxBarEdit(S.form) : new TdxBarCombo(S.form);
            item->SetCaption("Screen " + std::to_string(i + 1));
            item->SetShowCaption(true);
            item->SetWidth(100);
            if (auto* combo = dynamic_cast<TdxBarCombo*>(item)) {
              for (const char* s : {"HDMI 1", "HDMI 2", "DVI", "VGA"}) combo->Items()->Add(s);
              combo->SetItemIndex(i % 4);
            } else {
              item->SetText("192.168.0." + std::to_string(10 + i));
            }
            S.links->AddItem(item);
          }
        }) {}
};

void BM_PaintToolbarOfFiveEdits(benchmark::State& state) {
  Stage s;
  for (auto _ : state) {
    s.Repaint();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PaintToolbarOfFiveEdits)->Unit(benchmark::kMicrosecond);

// The same rectangles filled and the captions and texts drawn into the bar's window.
void BM_PaintToolbarOfFiveEditsBaseline(benchmark::State& state) {
  Stage s;
  for (auto _ : state) {
    HDC dc = GetDC(s.bar->Handle());
    HGDIOBJ font = SelectObject(dc, s.manager->Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    RECT client = s.bar->ClientRect();
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (int i = 0; i < s.links->Count(); ++i) {
      TdxBarItemLink* link = s.links->Items(i);
      RECT r = link->ItemRect();
      FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
      const String caption = link->Caption();
      DrawText(dc, caption.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER);
      const String text = static_cast<TdxBarWindowItem*>(link->Item())->Text();
      DrawText(dc, text.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
    SelectObject(dc, font);
    ReleaseDC(s.bar->Handle(), dc);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PaintToolbarOfFiveEditsBaseline)->Unit(benchmark::kMicrosecond);

void BM_EditFocusUnfocusCycle(benchmark::State& state) {
  Stage s;
  auto* edit = static_cast<TdxBarEditControl*>(s.links->Items(0)->Control());
  s.bar->ActivateWithControl(edit);
  for (auto _ : state) {
    edit->SetFocused(true);
    edit->SetFocused(false);
    benchmark::ClobberMemory();
  }
  s.bar->SetActiveState(false);
}
BENCHMARK(BM_EditFocusUnfocusCycle)->Unit(benchmark::kMicrosecond);

}  // namespace
