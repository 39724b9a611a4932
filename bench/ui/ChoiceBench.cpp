// The push button against what it stands on: one 75 x 25 button with glyph and caption painted
// through its window against a plain fill and text of the same area, and the first paint of a
// form of 300 glyph buttons that share one glyph image. The track bar likewise: 300 x 60 of 0..100
// with numbers at every ten against a plain fill, and the whole integer range with a number at the
// thumb, which the tick walk paints at one tick value a pixel. And the font loader: from its start
// to the hand-over of the installed faces on the interface thread. And the label: its caption turned
// by 30 degrees with five extruded copies, drawn afresh into its bitmap and shown, and shown again
// from the bitmap, against a plain DrawText of the caption. And the radio group: 16 items laid out
// and painted with their buttons, against a fill of its area. And the colour combo box: its open list
// of the 138 X11 colours, every row on a tall screen, repainted against a fill and DrawText of the
// same rows.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/classes/Forms.h"
#include "platform/classes/Graphics.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "platform/win/Window.h"
#include "ui/choice/Button.h"
#include "ui/choice/ColorComboBox.h"
#include "ui/choice/FontLoader.h"
#include "ui/choice/Label.h"
#include "ui/choice/RadioGroup.h"
#include "ui/choice/TrackBar.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/PaintersUnit.h"

using namespace win;

namespace {

struct Stage {
  platform::ScopedVirtualClock clock;
  TForm* form = nullptr;
  Stage(int w, int h, int ScreenWidth = 1024, int ScreenHeight = 768) {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(ScreenWidth, ScreenHeight));
    InitializeForms();
    Application->Initialize();
    PaintingUnitsStartup();
    ControlsUnitStartup();
    form = new TForm(nullptr, 0);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, w, h);
    form->Show();
    form->Update();
  }
  ~Stage() {
    delete form;
    ControlsUnitShutdown();
    PaintingUnitsShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
};

std::unique_ptr<TBitmap> Glyph() {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(16, 16);
  b->Canvas()->Brush()->SetColor(clFuchsia);
  b->Canvas()->FillRect(RECT{0, 0, 16, 16});
  b->Canvas()->Brush()->SetColor(clGreen);
  b->Canvas()->Ellipse(2, 2, 14, 14);
  return b;
}

void BM_ButtonWithGlyphAndCaption(benchmark::State& state) {
  Stage stage(200, 100);
  auto glyph = Glyph();
  auto* b = new TcxButton(stage.form);
  b->SetParent(stage.form);
  b->SetBounds(10, 10, 75, 25);
  b->SetCaption("确定 OK");
  b->SetGlyph(glyph.get());
  b->Update();
  for (auto _ : state) {
    InvalidateRect(b->Handle(), nullptr, FALSE);
    UpdateWindow(b->Handle());
  }
}

// The same area the plain way, straight onto the window.
void BM_FillRectAndDrawText(benchmark::State& state) {
  Stage stage(200, 100);
  HDC dc = GetDC(stage.form->Handle());
  TCanvas c;
  c.SetHandle(dc);
  c.Brush()->SetColor(clBtnFace);
  for (auto _ : state) {
    RECT r{10, 10, 85, 35};
    c.FillRect(r);
    c.RequiredState(TCanvasState{csHandleValid, csFontValid});
    DrawText(dc, "确定 OK", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  c.SetHandle(nullptr);
  ReleaseDC(stage.form->Handle(), dc);
}

void BM_FirstPaintOf300GlyphButtons(benchmark::State& state) {
  Stage stage(1000, 700);
  auto glyph = Glyph();
  for (auto _ : state) {
    state.PauseTiming();
    auto* panel = new TForm(nullptr, 0);
    panel->SetBorderStyle(bsNone);
    panel->SetBounds(0, 0, 1000, 700);
    for (int i = 0; i < 300; ++i) {
      auto* b = new TcxButton(panel);
      b->SetBounds((i % 12) * 80, (i / 12) * 27, 75, 25);
      b->SetCaption("Button");
      b->SetGlyph(glyph.get());
      b->SetParent(panel);
    }
    state.ResumeTiming();
    panel->Show();
    panel->Update();
    state.PauseTiming();
    delete panel;
    state.ResumeTiming();
  }
}

TcxTrackBar* Bar(Stage& stage, int Min, int Max, int Frequency, TcxTrackBarTickType Type) {
  auto* t = new TcxTrackBar(stage.form);
  t->SetParent(stage.form);
  t->SetBounds(10, 10, 300, 60);
  t->Properties()->SetMin(Min);
  t->Properties()->SetMax(Max);
  t->Properties()->SetFrequency(Frequency);
  t->Properties()->SetTickType(Type);
  t->SetPosition(Min / 2 + Max / 2);
  t->Update();
  return t;
}

void RepaintTrackBar(benchmark::State& state, TcxTrackBar* t) {
  for (auto _ : state) {
    InvalidateRect(t->Handle(), nullptr, FALSE);
    UpdateWindow(t->Handle());
  }
}

void BM_TrackBar0To100WithNumbers(benchmark::State& state) {
  Stage stage(400, 120);
  RepaintTrackBar(state, Bar(stage, 0, 100, 10, tbttNumbers));
}

void BM_TrackBarWholeIntegerRange(benchmark::State& state) {
  Stage stage(400, 120);
  RepaintTrackBar(state, Bar(stage, -2147483647 - 1, 2147483647, 1, tbttValueNumber));
}

// A plain fill of a control's area on the form, what a control's paint is set against.
void FillArea(benchmark::State& state, int FormWidth, int FormHeight, const RECT& Area) {
  Stage stage(FormWidth, FormHeight);
  HDC dc = GetDC(stage.form->Handle());
  TCanvas c;
  c.SetHandle(dc);
  c.Brush()->SetColor(clBtnFace);
  for (auto _ : state) c.FillRect(Area);
  c.SetHandle(nullptr);
  ReleaseDC(stage.form->Handle(), dc);
}

void BM_TrackBarAreaFillRect(benchmark::State& state) { FillArea(state, 400, 120, RECT{10, 10, 310, 70}); }

void BM_FontLoaderTimeToReady(benchmark::State& state) {
  Stage stage(100, 100);
  for (auto _ : state) {
    int count = 0;
    auto* loader = new TcxFontLoader(AllFontTypes());
    loader->OnCompleted = [&count](TObject* Sender) {
      count = static_cast<TcxFontLoader*>(Sender)->EnumeratedFonts()->Count();
    };
    loader->Start();
    while (TcxFontLoader::LiveCount() > 0) CheckSynchronize(1);
    benchmark::DoNotOptimize(count);
  }
}

const char* const kLabelCaption = "信号源 Input 1";

TcxLabel* TurnedExtrudedLabel(Stage& stage) {
  auto* l = new TcxLabel(stage.form);
  l->SetParent(stage.form);
  l->SetLeft(10);
  l->SetTop(10);
  l->Style()->Font()->SetSize(14);
  l->Properties()->SetAngle(30);
  l->Properties()->SetLabelEffect(cxleExtrude);
  l->Properties()->SetDepth(5);
  l->SetCaption(kLabelCaption);
  l->Update();
  return l;
}

void BM_TurnedLabelDepth5Drawn(benchmark::State& state) {
  Stage stage(400, 200);
  TcxLabel* l = TurnedExtrudedLabel(stage);
  for (auto _ : state) {
    l->LabelViewInfo()->BitmapDirty = true;
    InvalidateRect(l->Handle(), nullptr, FALSE);
    UpdateWindow(l->Handle());
  }
}

void BM_TurnedLabelDepth5FromBitmap(benchmark::State& state) {
  Stage stage(400, 200);
  TcxLabel* l = TurnedExtrudedLabel(stage);
  for (auto _ : state) {
    InvalidateRect(l->Handle(), nullptr, FALSE);
    UpdateWindow(l->Handle());
  }
}

void BM_LabelCaptionDrawText(benchmark::State& state) {
  Stage stage(400, 200);
  HDC dc = GetDC(stage.form->Handle());
  TCanvas c;
  c.SetHandle(dc);
  c.Font()->SetSize(14);
  c.Brush()->SetStyle(bsClear);
  for (auto _ : state) {
    RECT r{10, 10, 200, 40};
    c.RequiredState(TCanvasState{csHandleValid, csFontValid});
    DrawText(dc, kLabelCaption, -1, &r, DT_LEFT | DT_TOP);
  }
  c.SetHandle(nullptr);
  ReleaseDC(stage.form->Handle(), dc);
}

// A 16-item radio group in two columns, laid out anew (its width changes by a pixel, so every
// item and child button moves) and painted with its buttons, against a plain fill of its area.
void BM_RadioGroup16ItemsLayoutAndPaint(benchmark::State& state) {
  Stage stage(340, 240);
  auto* group = new TcxRadioGroup(stage.form);
  group->SetParent(stage.form);
  group->SetBounds(10, 10, 300, 200);
  group->SetCaption("Order");
  group->Properties()->SetColumns(2);
  for (int i = 0; i < 16; ++i)
    static_cast<TcxRadioGroupItem*>(group->Properties()->Items()->Add())->SetCaption("Item " + std::to_string(i + 1));
  group->SetItemIndex(3);
  group->Update();
  int extra = 0;
  for (auto _ : state) {
    extra ^= 1;
    group->SetBounds(10, 10, 300 + extra, 200);
    RedrawWindow(group->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}

void BM_RadioGroupAreaFillRect(benchmark::State& state) { FillArea(state, 340, 240, RECT{10, 10, 310, 210}); }

constexpr int kColorListScreenHeight = 2400;

void BM_ColorList140Painted(benchmark::State& state) {
  Stage stage(300, 60, 1024, kColorListScreenHeight);
  auto* combo = new TcxColorComboBox(stage.form);
  combo->SetParent(stage.form);
  combo->SetBounds(10, 10, 200, 21);
  combo->Properties()->SetPrepareList(cxplX11);
  combo->Properties()->SetDropDownRows(140);
  combo->SetDroppedDown(true);
  Application->ProcessMessages();
  TcxCustomComboBoxListBox* list = combo->ListBox();
  if (!list || !combo->DroppedDown()) {
    state.SkipWithError("the list did not open");
    return;
  }
  list->Update();
  for (auto _ : state) {
    InvalidateRect(list->Handle(), nullptr, FALSE);
    UpdateWindow(list->Handle());
  }
  state.counters["rows"] = combo->Properties()->CombinedCount();
  combo->SetDroppedDown(false);
}

void BM_ColorList140FillRectAndDrawText(benchmark::State& state) {
  Stage stage(300, kColorListScreenHeight - 100, 1024, kColorListScreenHeight);
  TcxColorComboBoxItems items(nullptr);
  FillColorSet(&items, cxplX11);
  HDC dc = GetDC(stage.form->Handle());
  TCanvas c;
  c.SetHandle(dc);
  c.Brush()->SetColor(clWindow);
  c.RequiredState(TCanvasState{csHandleValid, csFontValid});
  for (auto _ : state) {
    for (int i = 0; i < items.Count(); ++i) {
      RECT r{0, i * 16, 200, i * 16 + 16};
      c.FillRect(r);
      r.left += 32;
      const String& name = items.Items(i)->Description();
      DrawText(dc, name.c_str(), static_cast<int>(name.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
  }
  state.counters["rows"] = items.Count();
  c.SetHandle(nullptr);
  ReleaseDC(stage.form->Handle(), dc);
}

}  // namespace

BENCHMARK(BM_ButtonWithGlyphAndCaption);
BENCHMARK(BM_FillRectAndDrawText);
BENCHMARK(BM_FirstPaintOf300GlyphButtons)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrackBar0To100WithNumbers);
BENCHMARK(BM_TrackBarWholeIntegerRange);
BENCHMARK(BM_TrackBarAreaFillRect);
BENCHMARK(BM_FontLoaderTimeToReady);
BENCHMARK(BM_TurnedLabelDepth5Drawn);
BENCHMARK(BM_TurnedLabelDepth5FromBitmap);
BENCHMARK(BM_LabelCaptionDrawText);
BENCHMARK(BM_RadioGroup16ItemsLayoutAndPaint);
BENCHMARK(BM_RadioGroupAreaFillRect);
BENCHMARK(BM_ColorList140Painted);
BENCHMARK(BM_ColorList140FillRectAndDrawText);
