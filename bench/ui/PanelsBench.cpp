// The framed controls against what they stand on: gradients against a plain fill of the same
// area, a marquee step against drawing its text and copying it, and the picture dialogs' 252
// swatches against as many of the class library's panels.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "platform/classes/Graphics.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "ui/panels/Gradients.h"
#include "ui/panels/Panel.h"
#include "ui/panels/StatusPane.h"

using namespace win;

namespace {

struct Target {
  HDC dc;
  HBITMAP bitmap;
  TCanvas canvas;
  Target(int w, int h) {
    dc = CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    SelectObject(dc, bitmap);
    canvas.SetHandle(dc);
  }
  ~Target() {
    canvas.SetHandle(nullptr);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
};

void Gradient(benchmark::State& state, int w, int h, TGradientDirection d) {
  Target t(w, h);
  for (auto _ : state) {
    rz::PaintGradientBands(&t.canvas, RECT{0, 0, w, h}, d, static_cast<TColor>(RGB(255, 255, 255)),
                           static_cast<TColor>(RGB(190, 186, 176)), 1);
    benchmark::ClobberMemory();
  }
}

void Fill(benchmark::State& state, int w, int h) {
  Target t(w, h);
  t.canvas.Brush()->SetColor(clBtnFace);
  for (auto _ : state) {
    t.canvas.FillRect(RECT{0, 0, w, h});
    benchmark::ClobberMemory();
  }
}

void BM_GradientButtonFace(benchmark::State& s) { Gradient(s, 75, 25, gdHorizontalEnd); }
void BM_FillButtonFace(benchmark::State& s) { Fill(s, 75, 25); }
void BM_GradientDiagonal800x300(benchmark::State& s) { Gradient(s, 800, 300, gdDiagonalDown); }
void BM_Fill800x300(benchmark::State& s) { Fill(s, 800, 300); }

// A headless screen with one form shown.
struct Stage {
  platform::ScopedVirtualClock clock;
  TForm* form = nullptr;
  Stage(int w, int h) {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
    InitializeForms();
    Application->Initialize();
    form = new TForm(Application, 0);
    form->SetBorderStyle(bsNone);
    form->SetBounds(10, 10, w, h);
    form->Show();
    form->Update();
  }
  ~Stage() {
    delete form;
    FinalizeForms();
    platform::ResetDisplay();
  }
};

const char* const kSubtitle = "欢迎光临 Welcome to the video wall";

void BM_MarqueeTick48pt(benchmark::State& state) {
  Stage stage(585, 129);
  auto* m = new TRzMarqueeStatus(stage.form);
  m->SetParent(stage.form);
  m->SetAlign(alClient);
  m->SetFrameStyle(fsNone);
  m->SetBorderWidth(0);
  m->SetTransparent(false);
  m->Font()->SetSize(48);
  m->SetScrollSize(3);
  m->SetCaption(kSubtitle);
  stage.form->Update();
  for (auto _ : state) m->ScrollTick(nullptr);
}

// The same area drawn the plain way: the text on a bitmap, the bitmap onto the form.
void BM_TextOutAndBitBlt(benchmark::State& state) {
  Stage stage(585, 129);
  TBitmap bitmap;
  bitmap.SetSize(583, 127);
  TCanvas* c = bitmap.Canvas();
  c->Font()->SetSize(48);
  c->Brush()->SetColor(clBtnFace);
  int x = 585;
  for (auto _ : state) {
    c->FillRect(RECT{0, 0, 583, 127});
    c->TextOut(x, 20, kSubtitle);
    x = x > -900 ? x - 3 : 585;
    HDC dc = GetDC(stage.form->Handle());
    BitBlt(dc, 1, 1, 583, 127, c->Handle(), 0, 0, SRCCOPY);
    ReleaseDC(stage.form->Handle(), dc);
  }
}

template <class Panel>
void Swatches(benchmark::State& state) {
  Stage stage(600, 130);
  for (auto _ : state) {
    std::vector<Panel*> panels;
    panels.reserve(252);
    for (int i = 0; i < 252; ++i) {
      auto* p = new Panel(stage.form);
      p->SetParent(stage.form);
      p->SetColor(static_cast<TColor>(RGB(i, 255 - i, 128)));
      p->SetBounds(4 + (i % 36) * 16, 4 + (i / 36) * 16, 15, 15);
      panels.push_back(p);
    }
    stage.form->Update();
    for (Panel* p : panels) delete p;
  }
  state.SetItemsProcessed(state.iterations() * 252);
}

void BM_Create252Swatches(benchmark::State& state) { Swatches<TRzPanel>(state); }
void BM_Create252ClassLibraryPanels(benchmark::State& state) { Swatches<TPanel>(state); }

}  // namespace

BENCHMARK(BM_MarqueeTick48pt);
BENCHMARK(BM_TextOutAndBitBlt);
BENCHMARK(BM_Create252Swatches)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Create252ClassLibraryPanels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GradientButtonFace);
BENCHMARK(BM_FillButtonFace);
BENCHMARK(BM_GradientDiagonal800x300);
BENCHMARK(BM_Fill800x300);
