// A 100 x 25 push button with its caption through the Foggy skin's painter, against the
// Office-2003 painter's button and a FillRect plus DrawText of the same area, in the same run.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/classes/Bitmap.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Modules.h"
#include "platform/win/Startup.h"
#include "ui/foundation/GdiPlusApi.h"
#include "ui/foundation/PNGImage.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/skins/RegisteredSkins.h"

using namespace win;

namespace {

struct Scene {
  TBitmap Bitmap;
  TcxCanvas Canvas{nullptr};
  TFont Font;
  Scene() {
    platform::StartPlatform();
    platform::RegisterGdiPlusModule();
    GdiPlusUnitStartup();
    PNGImageUnitStartup();
    SkinUnitStartup();
    PaintingUnitsStartup();
    RegisteredSkinsUnitStartup();
    if (!FoggyPainter()->SkinPainterInfo()) std::abort();
    Bitmap.SetPixelFormat(pf32bit);
    Bitmap.SetSize(120, 40);
    Canvas.SetCanvas(Bitmap.Canvas());
    Font.SetName("DejaVu Sans");
    Font.SetSize(8);
    Canvas.AssignFont(&Font);
  }
  ~Scene() {
    RegisteredSkinsUnitShutdown();
    PaintingUnitsShutdown();
    SkinUnitShutdown();
    PNGImageUnitShutdown();
    GdiPlusUnitShutdown();
  }
};

void Button(benchmark::State& state, const TcxCustomLookAndFeelPainter* Painter) {
  Scene scene;
  const TRect r(0, 0, 100, 25);
  for (auto _ : state) {
    Painter->DrawPushButton(&scene.Canvas, r, "Splice", cxbsNormal, true, clDefault, clDefault, false, 0);
    benchmark::ClobberMemory();
  }
}

void BM_SkinPushButton100x25(benchmark::State& state) { Button(state, FoggyPainter()); }
void BM_Office2003PushButton100x25(benchmark::State& state) { Button(state, Office11LookAndFeelPainter()); }

void BM_FillRectAndDrawText100x25(benchmark::State& state) {
  Scene scene;
  HDC dc = scene.Bitmap.Canvas()->Handle();
  HBRUSH brush = CreateSolidBrush(RGB(200, 200, 200));
  RECT r{0, 0, 100, 25};
  SetBkMode(dc, TRANSPARENT);
  for (auto _ : state) {
    FillRect(dc, &r, brush);
    DrawText(dc, "Splice", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    benchmark::ClobberMemory();
  }
  DeleteObject(brush);
}

}  // namespace

BENCHMARK(BM_SkinPushButton100x25);
BENCHMARK(BM_Office2003PushButton100x25);
BENCHMARK(BM_FillRectAndDrawText100x25);
