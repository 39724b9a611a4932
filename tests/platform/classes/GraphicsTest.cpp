#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Graphics.h"
#include "platform/display/Display.h"
#include "tests/support/Artifacts.h"

namespace {

// A canvas over a 32-bit memory surface, the smallest thing a canvas can draw on.
class MemoryCanvas : public ::testing::Test {
 protected:
  void SetUp() override {
    win::BITMAPINFO bi{};
    bi.bmiHeader.biWidth = kW;
    bi.bmiHeader.biHeight = -kH;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bmp = win::CreateDIBSection(nullptr, &bi, win::DIB_RGB_COLORS, &bits, nullptr, 0);
    dc = win::CreateCompatibleDC(nullptr);
    old = win::SelectObject(dc, bmp);
    pixels = static_cast<std::uint32_t*>(bits);
    canvas.SetHandle(dc);
    canvas.Brush()->SetColor(clWhite);
    canvas.FillRect(Rect(0, 0, kW, kH));
  }
  void TearDown() override {
    canvas.SetHandle(nullptr);
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
    win::DeleteObject(bmp);
  }
  // 0x00RRGGBB as the surface stores it.
  std::uint32_t At(int x, int y) const { return pixels[y * kW + x] & 0xFFFFFF; }

  static constexpr int kW = 40, kH = 30;
  win::HBITMAP bmp{};
  win::HDC dc{};
  win::HGDIOBJ old{};
  std::uint32_t* pixels{};
  TCanvas canvas;
};

TEST_F(MemoryCanvas, ShapesUsePenAndBrushAndFollowTheirChanges) {
  canvas.Pen()->SetColor(clRed);
  canvas.Brush()->SetColor(clBlue);
  canvas.Rectangle(2, 2, 12, 12);
  EXPECT_EQ(At(2, 2), 0xFF0000u) << "outline in the pen colour";
  EXPECT_EQ(At(6, 6), 0x0000FFu) << "inside in the brush colour";
  EXPECT_EQ(At(12, 12), 0xFFFFFFu) << "right and bottom edges are outside";

  // A change after selection must reach the next drawing, not the stale handle.
  canvas.Brush()->SetColor(clLime);
  canvas.Pen()->SetStyle(psClear);
  canvas.Rectangle(20, 2, 30, 12);
  EXPECT_EQ(At(20, 2), 0x00FF00u) << "no outline with a clear pen";
  EXPECT_EQ(At(25, 6), 0x00FF00u);

  canvas.Brush()->SetStyle(bsClear);
  canvas.Pen()->SetStyle(psSolid);
  canvas.Rectangle(0, 20, 10, 28);
  EXPECT_EQ(At(5, 24), 0xFFFFFFu) << "a clear brush leaves the inside";
  EXPECT_EQ(At(0, 20), 0xFF0000u);
}

TEST_F(MemoryCanvas, SystemColoursResolveAndPixelsReadBack) {
  canvas.SetPixels(3, 4, clBtnFace);
  EXPECT_EQ(canvas.Pixels(3, 4), static_cast<TColor>(win::GetSysColor(win::COLOR_BTNFACE)));
  canvas.Pen()->SetMode(pmNot);
  canvas.MoveTo(0, 10);
  canvas.LineTo(5, 10);
  EXPECT_EQ(At(0, 10), 0x000000u) << "the mode reaches the context without a new pen";
  EXPECT_EQ(At(5, 10), 0xFFFFFFu) << "the last point is left out";
  EXPECT_EQ(canvas.PenPos(), Point(5, 10));
}

TEST_F(MemoryCanvas, TextRectClipsAndOpaquesWithTheBrush) {
  canvas.Font()->SetColor(clBlack);
  canvas.Brush()->SetColor(clYellow);
  win::RECT r = Rect(5, 5, 15, 20);
  canvas.TextRect(r, 5, 5, "WWWWWWWW");
  EXPECT_EQ(At(16, 8), 0xFFFFFFu) << "nothing past the rectangle";
  int yellow = 0, black = 0;
  for (int y = 5; y < 20; ++y)
    for (int x = 5; x < 15; ++x) (At(x, y) == 0xFFFF00u ? yellow : At(x, y) == 0 ? black : yellow)++;
  EXPECT_GT(black, 0);
  EXPECT_GT(yellow, 0);
  EXPECT_EQ(black + yellow, 150);

  // TextOut leaves the pen behind the text.
  int w = canvas.TextWidth("ab");
  EXPECT_GT(w, 0);
  EXPECT_GT(canvas.TextHeight("ab"), 0);
  canvas.TextOut(1, 22, "ab");
  EXPECT_EQ(canvas.PenPos(), Point(1 + w, 22));
}

TEST_F(MemoryCanvas, ChangeEventsSurroundEachDrawing) {
  std::vector<char> events;
  canvas.OnChanging = [&](TObject*) { events.push_back('<'); };
  canvas.OnChange = [&](TObject*) { events.push_back('>'); };
  canvas.FillRect(Rect(0, 0, 2, 2));
  canvas.MoveTo(1, 1);  // moves the pen only: no change
  canvas.FrameRect(Rect(0, 0, 4, 4));
  EXPECT_EQ(events, (std::vector<char>{'<', '>', '<', '>'}));
}

TEST(CanvasTest, SampleOfShapesAndText) {
  TBitmap b;
  b.SetPixelFormat(pf32bit);
  b.SetSize(160, 90);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clBtnFace);
  c->FillRect(Rect(0, 0, 160, 90));
  c->Pen()->SetColor(clNavy);
  c->Brush()->SetColor(clSkyBlue);
  c->RoundRect(4, 4, 54, 40, 12, 12);
  c->Brush()->SetColor(clYellow);
  c->Ellipse(60, 4, 100, 40);
  const win::POINT tri[] = {{110, 40}, {130, 4}, {150, 40}};
  c->Brush()->SetStyle(bsDiagCross);
  c->Brush()->SetColor(clGreen);
  c->Polygon(tri, 3);
  c->Brush()->SetStyle(bsClear);
  c->Font()->SetColor(clMaroon);
  c->Font()->SetStyle({fsBold});
  c->TextOut(6, 50, "Canvas 画布");
  c->Brush()->SetColor(clWhite);
  c->TextRect(Rect(100, 50, 156, 70), 102, 52, "clipped text");
  c->DrawFocusRect(Rect(98, 48, 158, 72));

  std::vector<std::uint32_t> rows;
  for (int y = 0; y < b.Height(); ++y) {
    auto* r = static_cast<std::uint32_t*>(b.ScanLine(y));
    rows.insert(rows.end(), r, r + b.Width());
  }
  EXPECT_TRUE(platform::WritePng(testsupport::ArtifactPath("canvas-sample.png"), rows.data(), 160, 90, 160));
  EXPECT_EQ(c->Pixels(29, 22), clSkyBlue);
  EXPECT_EQ(c->Pixels(80, 22), clYellow);
  EXPECT_EQ(c->Pixels(4, 22), clNavy);
  EXPECT_EQ(c->Pixels(159, 60), static_cast<TColor>(ColorToRGB(clBtnFace))) << "text stays inside its rectangle";
  EXPECT_EQ(c->Pixels(155, 68), clWhite) << "the text rectangle is filled with the brush";
}

TEST(CanvasTest, DrawingWithoutAContextRaises) {
  TCanvas c;
  try {
    c.FillRect(Rect(0, 0, 1, 1));
    FAIL();
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Canvas does not allow drawing");
  }
  c.Lock();
  EXPECT_EQ(c.LockCount(), 1);
  EXPECT_TRUE(c.TryLock());
  c.Unlock();
  c.Unlock();
  EXPECT_EQ(c.LockCount(), 0);
}

TEST(ColorTest, NamesAndNumbersRoundTrip) {
  EXPECT_EQ(static_cast<std::uint32_t>(clBtnFace), 0xFF00000Fu);
  struct Case {
    TColor color;
    const char* text;
  } cases[] = {
      {clBtnFace, "clBtnFace"}, {clSilver, "clSilver"}, {clNone, "clNone"},
      {clDefault, "clDefault"}, {0x123456, "$00123456"}, {clSkyBlue, "clSkyBlue"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ColorToString(c.color), c.text);
    EXPECT_EQ(StringToColor(c.text), c.color) << c.text;
  }
  EXPECT_EQ(StringToColor("clLtGray"), clSilver) << "aliases read";
  EXPECT_EQ(StringToColor("CLRED"), clRed) << "names read without regard to case";
  EXPECT_EQ(StringToColor("-16777201"), clBtnFace) << "stored as a signed number";
  EXPECT_EQ(StringToColor("$FF00000F"), clBtnFace);
  EXPECT_THROW(StringToColor("clNoSuch"), EConvertError);
  EXPECT_THROW(StringToColor("$1FFFFFFFF"), EConvertError);
  TColor kept = clLime;
  EXPECT_FALSE(TryStringToColor("reddish", kept));
  EXPECT_EQ(kept, clLime) << "a failed conversion leaves the colour alone";
  EXPECT_TRUE(TryStringToColor("255", kept));
  EXPECT_EQ(kept, clRed);

  EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
  EXPECT_EQ(ColorToRGB(clWindow), win::GetSysColor(win::COLOR_WINDOW));
}

TEST(FontTest, DescriptionChangesDropTheHandleAndTell) {
  TFont f;
  EXPECT_EQ(f.Size(), 8);
  int changes = 0;
  f.OnChange = [&](TObject*) { ++changes; };
  win::HFONT h = f.Handle();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(f.Handle(), h) << "kept while unchanged";
  f.SetSize(12);
  EXPECT_EQ(f.Height(), -16);
  EXPECT_FALSE(f.HandleAllocated());
  f.SetStyle({fsBold, fsItalic});
  f.SetStyle({fsBold, fsItalic});
  EXPECT_EQ(changes, 2) << "an equal value is no change";

  win::LOGFONTA lf;
  ASSERT_GT(win::GetObject(f.Handle(), sizeof(lf), &lf), 0);
  EXPECT_EQ(lf.lfHeight, -16);
  EXPECT_EQ(lf.lfWeight, win::FW_BOLD);
  EXPECT_EQ(lf.lfItalic, 1);

  // Published as the form reader and the object inspector see them.
  for (auto [prop, ident] : {std::pair{"Color", "clHighlight"}, std::pair{"Charset", "GB2312_CHARSET"}}) {
    const TPropInfo* info = GetPropInfo(&f, prop);
    ASSERT_TRUE(info && info->IdentToInt) << prop;
    std::int64_t v = 0;
    ASSERT_TRUE(info->IdentToInt(ident, v)) << ident;
    SetOrdProp(&f, prop, v);
  }
  EXPECT_EQ(f.Color(), clHighlight);
  EXPECT_EQ(f.Charset(), win::GB2312_CHARSET);
  EXPECT_FALSE(GetPropInfo(&f, "Size")->IsStored(&f)) << "Height alone is stored";

  TFont g;
  g.Assign(&f);
  EXPECT_EQ(g.Height(), -16);
  EXPECT_EQ(g.Color(), clHighlight);
  EXPECT_TRUE(g.Style().Contains(fsItalic));
}

TEST(FontTest, AFontTakenOverTurnedStaysTurnedThroughCopiesAndChanges) {
  TFont f;
  win::LOGFONTA lf;
  ASSERT_GT(win::GetObject(f.Handle(), sizeof(lf), &lf), 0);
  lf.lfEscapement = lf.lfOrientation = -900;
  f.SetHandle(win::CreateFontIndirect(&lf));
  EXPECT_EQ(f.Orientation(), -900);
  TFont copy;
  copy.Assign(&f);
  copy.SetStyle({fsBold});
  win::LOGFONTA got;
  ASSERT_GT(win::GetObject(copy.Handle(), sizeof(got), &got), 0);
  EXPECT_EQ(got.lfEscapement, -900) << "a copy, remade after a change, is turned as its source";
  EXPECT_EQ(got.lfOrientation, -900);
  copy.SetOrientation(0);
  ASSERT_GT(win::GetObject(copy.Handle(), sizeof(got), &got), 0);
  EXPECT_EQ(got.lfEscapement, 0);
}

TEST(BrushTest, ColourOnAClearBrushMakesItSolid) {
  TBrush b;
  b.SetStyle(bsClear);
  b.SetColor(clRed);
  EXPECT_EQ(b.Style(), bsSolid);
  b.SetStyle(bsDiagCross);
  win::LOGBRUSH lb;
  ASSERT_GT(win::GetObject(b.Handle(), sizeof(lb), &lb), 0);
  EXPECT_EQ(lb.lbStyle, win::BS_HATCHED);
  EXPECT_EQ(lb.lbHatch, static_cast<win::ULONG_PTR>(win::HS_DIAGCROSS));
}

}  // namespace
