// The library's text layout against the platform's DrawText on the same text and rectangle: a
// paragraph of mixed Chinese and Latin text wrapped into 300 pixels, and one long line, whose
// segments are each measured from the row's start.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/classes/Bitmap.h"
#include "ui/foundation/TextLayout.h"

namespace {

// About 2000 characters: Chinese runs with Latin words and numbers between them.
String MixedParagraph() {
  const char* const pieces[] = {"\u89C6\u9891\u62FC\u63A5\u5C4F", " splicing wall ", "\u77E9\u9635\u5207\u6362",
                                " input 12 ", "\u4FE1\u53F7\u6E90\uFF0C", " HDMI ", "\u573A\u666F\u8C03\u7528\u3002",
                                " screen "};
  String text;
  int chars = 0;
  for (int i = 0; chars < 2000; ++i) {
    const String piece = pieces[i % 8];
    text += piece;
    chars += Utf8Count(piece);
  }
  return text;
}

String LongLine() {
  String text;
  while (Utf8Count(text) < 2000) text += "word ";
  return text;
}

struct Target {
  TBitmap Bitmap;
  win::HDC DC;
  Target() {
    Bitmap.SetPixelFormat(pf32bit);
    Bitmap.SetSize(320, 2400);
    Bitmap.Canvas()->Font()->SetName("DejaVu Sans");
    Bitmap.Canvas()->Font()->SetHeight(-12);
    DC = Bitmap.Canvas()->Handle();
  }
};

void BM_DrawLayoutTextParagraph(benchmark::State& state) {
  Target t;
  const String text = MixedParagraph();
  for (auto _ : state) {
    TRect r(0, 0, 300, 2400);
    benchmark::DoNotOptimize(DrawLayoutText(t.DC, text, r, tlfWordBreak, 0, 0, nullptr, clDefault, clDefault));
  }
}
BENCHMARK(BM_DrawLayoutTextParagraph)->Unit(benchmark::kMillisecond);

void BM_PlatformDrawTextParagraph(benchmark::State& state) {
  Target t;
  const String text = MixedParagraph();
  for (auto _ : state) {
    win::RECT r{0, 0, 300, 2400};
    benchmark::DoNotOptimize(win::DrawText(t.DC, text.c_str(), -1, &r, win::DT_WORDBREAK | win::DT_NOPREFIX));
  }
}
BENCHMARK(BM_PlatformDrawTextParagraph)->Unit(benchmark::kMillisecond);

void BM_DrawLayoutTextLongLine(benchmark::State& state) {
  Target t;
  const String text = LongLine();
  for (auto _ : state) {
    TRect r(0, 0, 1000000, 40);
    benchmark::DoNotOptimize(DrawLayoutText(t.DC, text, r, tlfWordBreak, 0, 0, nullptr, clDefault, clDefault));
  }
}
BENCHMARK(BM_DrawLayoutTextLongLine)->Unit(benchmark::kMillisecond);

}  // namespace
