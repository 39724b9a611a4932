// A 16 x 16 glyph with alpha drawn normal and disabled through the library's image drawing,
// against the image list's own draw of the same picture.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "platform/gdi/ImageList.h"
#include "platform/win/Startup.h"
#include "ui/foundation/GraphicsUnit.h"
#include "ui/foundation/ImageDrawing.h"

using namespace win;

namespace {

struct GlyphScene {
  TcxBitmap32 Glyph{16, 16};
  TcxBitmap32 Target{32, 32};
  GlyphScene() {
    platform::StartPlatform();
    GraphicsUnitStartup();
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const std::uint32_t a = static_cast<std::uint32_t>((x + y) * 8);
        static_cast<std::uint32_t*>(Glyph.ScanLine(y))[x] = a << 24 | (a / 2) << 8 | a;
      }
  }
};

void DrawGlyph(benchmark::State& state, TcxImageDrawMode Mode) {
  GlyphScene scene;
  HDC dc = scene.Target.Canvas()->Handle();
  const TRect r(8, 8, 24, 24);
  for (auto _ : state) {
    DrawImageWithMode(dc, r, r, &scene.Glyph, nullptr, -1, Mode);
    benchmark::ClobberMemory();
  }
}

void BM_DrawImageWithModeNormal(benchmark::State& state) { DrawGlyph(state, idmNormal); }
void BM_DrawImageWithModeDisabled(benchmark::State& state) { DrawGlyph(state, idmDisabled); }

void BM_ImageListDraw(benchmark::State& state) {
  GlyphScene scene;
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4);
  ImageList_Add(list, scene.Glyph.Handle(), nullptr);
  HDC dc = scene.Target.Canvas()->Handle();
  for (auto _ : state) {
    ImageList_Draw(list, 0, dc, 8, 8, ILD_TRANSPARENT);
    benchmark::ClobberMemory();
  }
  ImageList_Destroy(list);
}

}  // namespace

BENCHMARK(BM_DrawImageWithModeNormal);
BENCHMARK(BM_DrawImageWithModeDisabled);
BENCHMARK(BM_ImageListDraw);
