#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "platform/classes/Strings.h"
#include "platform/system/Modules.h"
#include "platform/win/Focus.h"
#include "platform/win/Metrics.h"
#include "platform/win/Startup.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/Geometry.h"

namespace {

using surfacetest::Surface;

// Binds AlphaBlend by name as the graphics start-up does.
void BindAlphaBlend() {
  platform::StartPlatform();
  win::HMODULE module = win::LoadLibrary("msimg32.dll");
  AlphaBlendEntry = reinterpret_cast<TAlphaBlendFunc>(module ? win::GetProcAddress(module, "AlphaBlend") : nullptr);
}

TEST(TextFlags, ToDrawTextFormat) {
  using namespace win;
  struct Case {
    LibraryTextFlags Flags;
    UINT Format;
  };
  const Case cases[] = {
      {0, DT_NOPREFIX},
      {ltfShowPrefix, 0},
      {ltfAlignRight | ltfCenterVert | ltfSingleLine, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX},
      {ltfCenterHorz | ltfAlignBottom | ltfNoClip | ltfExpandTabs,
       DT_CENTER | DT_BOTTOM | DT_NOCLIP | DT_EXPANDTABS | DT_NOPREFIX},
      {ltfWordBreak, DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX},
      {ltfWordBreak | ltfNoWordSplit, DT_WORDBREAK | DT_NOPREFIX},
      {ltfWordBreak | ltfNoWordSplit | ltfNoFullWidthCharBreak, DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK | DT_NOPREFIX},
      {ltfWordBreak | ltfNoFullWidthCharBreak, DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX},
      {ltfNoWordSplit | ltfNoFullWidthCharBreak, DT_NOPREFIX},
      {ltfEndEllipsis | ltfMeasureOnly | ltfPathEllipsis, DT_END_ELLIPSIS | DT_CALCRECT | DT_PATH_ELLIPSIS | DT_NOPREFIX},
  };
  for (const Case& c : cases) EXPECT_EQ(TextFlagsToDrawTextFormat(c.Flags), c.Format) << std::hex << c.Flags;
}

TEST(ColourMixing, ClassicSchemeAndPlainFaces) {
  EXPECT_EQ(HotTrackMixColor(), static_cast<TColor>(win::RGB(183, 191, 212)));
  EXPECT_EQ(PressedMixColor(), static_cast<TColor>(win::RGB(136, 147, 177)));
  const win::COLORREF face = win::GetSysColor(win::COLOR_BTNFACE);
  for (win::COLORREF plain : {win::RGB(255, 255, 255), win::RGB(0, 0, 0)}) {
    const int element = win::COLOR_BTNFACE;
    win::SetSysColors(1, &element, &plain);
    EXPECT_EQ(MixSystemColors(50, 10, 40), static_cast<TColor>(ColorToRGB(clHighlight)));
  }
  const int element = win::COLOR_BTNFACE;
  win::SetSysColors(1, &element, &face);
  EXPECT_EQ(MixSystemColors(100, -100, 100), static_cast<TColor>(win::RGB(255, 255, 255)));
  EXPECT_EQ(RoundToChannel(2.5f), 2);
  EXPECT_EQ(RoundToChannel(-3.0f), 0);
  EXPECT_EQ(RoundToChannel(1e9f), 255);
}

// ---- blending -------------------------------------------------------------------------------------

// A premultiplied source: opaque, half and clear pixels over a striped destination.
void PaintBlendFixture(Surface& Source, Surface& Dest) {
  for (int y = 0; y < Source.Height; ++y)
    for (int x = 0; x < Source.Width; ++x) {
      const std::uint32_t a = (x * 37 + y * 11) % 256;
      const std::uint32_t r = a * ((x * 5) % 256) / 255, g = a * ((y * 9) % 256) / 255, b = a / 3;
      Source.Raw(x, y) = (a << 24) | (r << 16) | (g << 8) | b;
    }
  for (int y = 0; y < Dest.Height; ++y)
    for (int x = 0; x < Dest.Width; ++x) Dest.Raw(x, y) = (x & 4) ? 0xFF3070B0u : 0x80E0C020u;
}

TEST(Blending, SoftwarePathMatchesAlphaBlend) {
  platform::ScopedModuleOverrides overrides;
  for (win::BYTE alpha : {255, 128}) {
    SCOPED_TRACE(static_cast<int>(alpha));
    Surface source(16, 12), viaEntry(20, 16), viaSoftware(20, 16);
    PaintBlendFixture(source, viaEntry);
    PaintBlendFixture(source, viaSoftware);
    const TRect dest(2, 3, 18, 15), src(0, 0, 16, 12);
    BindAlphaBlend();
    ASSERT_TRUE(AlphaBlendAvailable());
    BlendDCArea(viaEntry.Canvas()->Handle(), source.Canvas()->Handle(), dest, src, false, alpha);
    platform::HideModuleEntry("msimg32.dll", "AlphaBlend");
    BindAlphaBlend();
    ASSERT_FALSE(AlphaBlendAvailable());
    BlendDCArea(viaSoftware.Canvas()->Handle(), source.Canvas()->Handle(), dest, src, false, alpha);
    platform::ResetModuleOverrides();
    int differing = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 20; ++x) differing += viaEntry.Raw(x, y) != viaSoftware.Raw(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_NE(viaEntry.Raw(5, 5), 0xFF3070B0u);
  }
  BindAlphaBlend();
}

int gAlphaBlendCalls = 0;
win::BOOL CountingAlphaBlend(win::HDC d, int x, int y, int w, int h, win::HDC s, int xs, int ys, int ws, int hs,
                             win::BLENDFUNCTION f) {
  ++gAlphaBlendCalls;
  return win::AlphaBlend(d, x, y, w, h, s, xs, ys, ws, hs, f);
}

TEST(Blending, SmoothWithEqualSizesTakesAlphaBlendResizingGoesSoftware) {
  platform::ScopedModuleOverrides overrides;
  platform::StartPlatform();
  platform::InstallFakeModule("msimg32.dll", {platform::Export("AlphaBlend", &CountingAlphaBlend)});
  BindAlphaBlend();
  Surface source(8, 8), dest(16, 16);
  PaintBlendFixture(source, dest);
  gAlphaBlendCalls = 0;
  BlendDCArea(dest.Canvas()->Handle(), source.Canvas()->Handle(), TRect(0, 0, 8, 8), TRect(0, 0, 8, 8), true, 200);
  EXPECT_EQ(gAlphaBlendCalls, 1);
  // A smooth resize is resampled in software first; the blend of the copies still uses the entry.
  const std::uint32_t before = dest.Raw(10, 10);
  BlendDCArea(dest.Canvas()->Handle(), source.Canvas()->Handle(), TRect(0, 0, 16, 16), TRect(0, 0, 8, 8), true, 255);
  EXPECT_EQ(gAlphaBlendCalls, 2);
  EXPECT_NE(dest.Raw(10, 10), before);
  platform::ResetModuleOverrides();
  BindAlphaBlend();
}

// ---- resampling -----------------------------------------------------------------------------------

// The filter as written (weights in 1/256, sums shifted down to bytes), its kernel in double
// precision: the single-precision kernel may round a weight the other way, and no more.
double LanczosDouble(double x) {
  auto sinc = [](double v) { return v == 0 ? 1.0 : std::sin(M_PI * v) / (M_PI * v); };
  return std::fabs(x) >= 3 ? 0.0 : sinc(x) * sinc(x / 3);
}

std::vector<int> ResampleAxisDouble(const std::vector<int>& In, int Target) {
  const int n = static_cast<int>(In.size());
  const double scale = (n == 1 || Target == 1) ? double(Target) / n : double(Target - 1) / (n - 1);
  const double w = scale >= 1 ? 1 : 1 / scale, support = 3 * w;
  std::vector<int> out(static_cast<std::size_t>(Target));
  for (int i = 0; i < Target; ++i) {
    const double c = i / scale;
    int sum = 0;
    for (int j = static_cast<int>(std::floor(c - support)); j <= static_cast<int>(std::ceil(c + support)); ++j) {
      int k = j;
      while (k < 0 || k >= n) k = k < 0 ? -k : 2 * n - 1 - k;
      sum += static_cast<int>(std::nearbyint(LanczosDouble((c - j) / w) / w * 256)) * In[static_cast<std::size_t>(k)];
    }
    out[static_cast<std::size_t>(i)] = sum < 0 ? 0 : std::min(255, sum >> 8);
  }
  return out;
}

TEST(Resampling, LanczosFromFourByFourStaysNearTheFormula) {
  TBitmap source;
  source.SetPixelFormat(pf32bit);
  source.SetSize(4, 4);
  std::vector<std::vector<int>> green(4, std::vector<int>(4));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      const int g = (x * 70 + y * 13) % 256;
      green[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = g;
      static_cast<std::uint32_t*>(source.ScanLine(y))[x] = 0xFF000000u | static_cast<std::uint32_t>(g << 8);
    }
  for (TSize target : {TSize(1, 1), TSize(8, 1), TSize(3, 7)}) {
    SCOPED_TRACE(testing::Message() << target.cx << " x " << target.cy);
    TBitmap dest;
    dest.SetPixelFormat(pf32bit);
    dest.SetSize(target.cx, target.cy);
    ResampleBitmap(&source, &dest, true);
    std::vector<std::vector<int>> rows;
    for (const auto& row : green) rows.push_back(ResampleAxisDouble(row, target.cx));
    for (int x = 0; x < target.cx; ++x) {
      std::vector<int> column;
      for (const auto& row : rows) column.push_back(row[static_cast<std::size_t>(x)]);
      const std::vector<int> expected = ResampleAxisDouble(column, target.cy);
      for (int y = 0; y < target.cy; ++y) {
        const int got = (static_cast<std::uint32_t*>(dest.ScanLine(y))[x] >> 8) & 0xFF;
        EXPECT_NEAR(got, expected[static_cast<std::size_t>(y)], 1.0) << x << "," << y;
      }
    }
  }
}

TEST(Resampling, HalftoneUnlessForcedAndNothingForEmptyPictures) {
  TBitmap source, dest, empty;
  source.SetPixelFormat(pf32bit);
  source.SetSize(2, 2);
  source.Canvas()->Brush()->SetColor(clRed);
  source.Canvas()->FillRect(Rect(0, 0, 2, 2));
  dest.SetPixelFormat(pf32bit);
  dest.SetSize(6, 6);
  ResampleBitmap(&source, &dest);
  EXPECT_EQ(static_cast<win::COLORREF>(dest.Canvas()->Pixels(3, 3)), win::RGB(255, 0, 0));
  ResampleBitmap(&empty, &dest, true);
  ResampleBitmap(&source, &empty, true);
  EXPECT_EQ(static_cast<win::COLORREF>(dest.Canvas()->Pixels(3, 3)), win::RGB(255, 0, 0));
}

// ---- text -------------------------------------------------------------------------------------------

TEST(TextRoutines, RectForLines) {
  Surface s(10, 10);
  win::HDC dc = s.Canvas()->Handle();
  TRect r;
  CalcTextRectForLines(dc, "some words to wrap", 0, true, r);
  EXPECT_EQ(HeightOfRect(r), 32000);

  const String text = "alpha beta gamma delta epsilon";
  CalcTextRectForLines(dc, text, 2, false, r);
  win::SIZE row;
  win::GetTextExtentPoint32(dc, "Wg", 2, &row);
  auto rows = [&](int width) {
    win::RECT rc{0, 0, width, 0};
    return win::DrawText(dc, text.c_str(), -1, &rc, win::DT_CALCRECT | win::DT_WORDBREAK) / row.cy;
  };
  EXPECT_EQ(rows(WidthOfRect(r)), 2);
  EXPECT_GT(rows(WidthOfRect(r) - 1), 2);

  TSize size;
  TextSizeOnDC(dc, "one line", size);
  EXPECT_EQ(size.cy, row.cy);
  EXPECT_EQ(size.cx, s.Canvas()->TextWidth("one line"));
}

TEST(TextRoutines, WrapToLines) {
  Surface s(10, 10);
  TcxCanvas canvas(s.Canvas());
  const int w = canvas.MeasureTextWidth("aaa bbb");
  TStringList lines;
  WrapTextToLines("aaa bbb ccc\r\n\r\nddd wwwwwwwwwwwwwwwwwwww eee", &canvas, TRect(0, 0, w, 10), &lines);
  ASSERT_EQ(lines.Count(), 5);
  EXPECT_EQ(lines.Strings(0), "aaa bbb");
  EXPECT_EQ(lines.Strings(1), "ccc");
  EXPECT_EQ(lines.Strings(2), "ddd");
  EXPECT_EQ(lines.Strings(3), "wwwwwwwwwwwwwwwwwwww");
  EXPECT_EQ(lines.Strings(4), "eee");

  lines.Clear();
  WrapTextToLines("wwwwwwwwwwwwwwwwwwww aaa", &canvas, TRect(0, 0, w, 10), &lines);
  ASSERT_EQ(lines.Count(), 2);
  EXPECT_EQ(lines.Strings(0), "wwwwwwwwwwwwwwwwwwww");
  EXPECT_EQ(lines.Strings(1), "aaa");
  lines.Clear();
  WrapTextToLines("", &canvas, TRect(0, 0, w, 10), &lines);
  EXPECT_EQ(lines.Count(), 0);
}

TEST(TextRoutines, TurnedLeftReadsBottomToTop) {
  // The same text drawn across a picture turned left, and drawn turned into the canvas.
  const String text = "Ab";
  Surface flat(30, 16);
  flat.Canvas()->Brush()->SetStyle(bsClear);
  flat.Canvas()->TextOut(0, 0, text);
  Surface rotatedRef(16, 30);
  {
    TBitmap copy;
    copy.Assign(&flat.Bitmap);
    TcxCanvas c(rotatedRef.Canvas());
    c.RotateBitmap(&copy, rcTurnLeft);
    rotatedRef.Canvas()->Draw(0, 0, &copy);
  }
  Surface turned(16, 30);
  TcxCanvas c(turned.Canvas());
  DrawTextRotated(&c, text, TRect(0, 0, 16, 30), win::DT_NOPREFIX | win::DT_SINGLELINE, clDefault, rcTurnLeft);
  turned.Save("text-turned-left.png");
  EXPECT_EQ(turned.Mask(clBlack), rotatedRef.Mask(clBlack));
  // Reading from the bottom: the capital's ink is in the lower rows.
  std::string mask = turned.Mask(clBlack);
  EXPECT_NE(mask.find('#'), std::string::npos);
  EXPECT_GT(mask.rfind('#'), mask.size() / 2);
}

}  // namespace

namespace {

TEST(CursorExtent, ReachesFromTheHotSpotToTheLowestInkedRow) {
  platform::InstallDisplay(platform::CreateHeadlessDisplay(320, 240));
  // A 16 x 16 cursor whose AND mask is opaque on rows 3 to 9, hot spot on row 2.
  std::vector<win::WORD> andRows(32, 0xFFFF);
  for (int y = 3; y <= 9; ++y) andRows[static_cast<std::size_t>(y)] = 0x00FF;
  win::ICONINFO info;
  info.fIcon = win::FALSE;
  info.xHotspot = 1;
  info.yHotspot = 2;
  info.hbmMask = win::CreateBitmap(16, 32, 1, 1, andRows.data());
  info.hbmColor = nullptr;
  win::HICON cursor = win::CreateIconIndirect(&info);
  win::HCURSOR old = win::SetCursor(cursor);
  TSize size;
  CurrentCursorExtent(size);
  EXPECT_EQ(size, TSize(16, 8));
  win::SetCursor(old);
  win::DestroyIcon(cursor);
  win::DeleteObject(info.hbmMask);
  platform::ResetDisplay();
}

}  // namespace
