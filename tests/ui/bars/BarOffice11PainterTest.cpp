// The Office-2003 bar painter, every pixel test run twice: with the system colours (no theme
// library) and under the test theme library reporting the blue scheme. Expected colours are
// computed from the colour table as the painter reads it, never copied.
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/bars/BarPainterFixture.h"
#include "ui/bars/BarOffice11Colors.h"
#include "ui/foundation/ThemeManager.h"

namespace barpaintertest {
namespace {

using testsupport::FakeThemeLibrary;

COLORREF Rgb(TColor C) { return ColorToRGB(C); }
TColor Blend(TColor A, TColor B) { return BlendColorsByPercent(A, B, 50); }

class BarOffice11PainterTest : public BarPainterFixture, public ::testing::WithParamInterface<bool> {
 protected:
  TdxBarOffice11Painter Painter;

  void SetUp() override {
    BarPainterFixture::SetUp();
    if (Themed()) {
      FakeThemeLibrary::Install();
      for (const char* name : {"Button", "Toolbar", "Rebar", "Status", "Window"})
        FakeThemeLibrary::OpenableClasses().insert(name);
      FakeThemeLibrary::ThemeFile() = "C:\\WINDOWS\\Resources\\Themes\\Luna\\luna.msstyles";
      FakeThemeLibrary::ColorName() = "NormalColor";
      ThemeAccessStartup();
    }
    RebuildOffice11Colors();
    ASSERT_EQ(AreOffice11ColorsThemed(), Themed());
    Manager->SetStyle(bmsOffice11);
  }
  void TearDown() override {
    if (Themed()) {
      ThemeAccessShutdown();
      FakeThemeLibrary::Uninstall();
    }
    RebuildOffice11Colors();
    BarPainterFixture::TearDown();
  }
  static bool Themed() { return GetParam(); }

  // A toolbar of the given size in a dock, at (10, 2) in it.
  std::unique_ptr<TDockedBar> DockedBar(TTestDock& Dock, int W, int H, int Docking) {
    auto bar = std::make_unique<TDockedBar>(Manager);
    bar->Dock = &Dock;
    bar->Docking = Docking;
    bar->Vertical = Docking == 1 || Docking == 3;
    bar->SetBounds(Docking == 1 || Docking == 3 ? 2 : 10, Docking == 1 || Docking == 3 ? 10 : 2, W, H);
    return bar;
  }
  // The colour the dock shows at x of its client area.
  static TColor DockAt(TTestDock& Dock, int X) {
    if (Dock.Align() == alLeft) return Office11DockColor1;
    if (Dock.Align() == alRight) return Office11DockColor2;
    const int x = std::clamp(X, 0, Dock.Width() - 1);
    return GradientColorAt({0, 0, Dock.Width(), Dock.Height()}, x, Office11DockColor1, Office11DockColor2, true);
  }
};

INSTANTIATE_TEST_SUITE_P(Colours, BarOffice11PainterTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& I) { return I.param ? "Scheme" : "System"; });

TEST_P(BarOffice11PainterTest, MetricsAndAnswers) {
  EXPECT_EQ(Painter.FrameWidthX(), 3);
  EXPECT_EQ(Painter.FrameWidthY(), 3);
  EXPECT_EQ(Painter.NoGripInset(), 2);
  EXPECT_EQ(Painter.GripInset(), 3);
  EXPECT_EQ(Painter.GripDotsInset(), 2);
  EXPECT_EQ(Painter.ComboArrowWidth(7), 13);
  EXPECT_EQ(Painter.DetachCaptionHeight(8), 13);
  EXPECT_EQ(Painter.EditBorderOffsets(), TRect(1, 1, 1, 1));
  TRect r(0, 0, 100, 100);
  Painter.MenuClientInsets(r);
  EXPECT_EQ(r, TRect(2, 4, 98, 96));
  EXPECT_EQ(Painter.DockedBarInsets(Bar, 2), TRect(2, 2, 2, 2));
  Bar->MainMenu = true;
  EXPECT_EQ(Painter.DockedBarInsets(Bar, 2), TRect(0, 2, 0, 2)) << "across the bar only";
  EXPECT_EQ(Painter.DockedBarInsets(Bar, 4), TRect(0, 2, 0, 2));
  EXPECT_EQ(Painter.DockedBarInsets(Bar, 1), TRect(2, 0, 2, 0));
  EXPECT_EQ(Painter.HighlightsDownButtons(), !Themed());
  EXPECT_TRUE(Painter.UsesNativeBackground());
  EXPECT_TRUE(Painter.MenuHasSideBand());
  EXPECT_FALSE(Painter.GlyphDrawFlagA());
  EXPECT_FALSE(Painter.GlyphDrawFlagB());
  if (Office11SubMenuExpandBitmap) {
    Surface s(4, 4);
    EXPECT_EQ(Painter.CalcMenuMarks(s.Canvas()->Handle(), 19).MarkHeight, Office11SubMenuExpandBitmap->Height() + 2);
  }
  // Colours and brushes are the table's, read on every call.
  EXPECT_EQ(Painter.ControlBrush(Bar), Office11ControlBrush);
  EXPECT_EQ(Painter.DownBrush(Manager), Office11DownBrush);
  EXPECT_EQ(Painter.DownHotBrush(Manager), Office11DownHotBrush);
  EXPECT_EQ(Painter.HotBrush(Manager), Office11HotBrush);
  EXPECT_EQ(Painter.MenuBrush(Bar), Office11MenuBrush);
  EXPECT_EQ(Painter.SeparatorLineColor(), Office11BarSeparatorColor);
  EXPECT_EQ(Painter.PushButtonHeaderColor(), Office11PushHeaderColor);
  TColor first, second;
  Painter.DisabledTextColors(false, false, first, second);
  EXPECT_EQ(first, Office11DisabledArrowColor);
  EXPECT_EQ(second, Office11DisabledArrowColor);
  EXPECT_EQ(Painter.FloatCaptionGlyphColor(true, 1), Office11CaptionGlyphHotColor);
  EXPECT_EQ(Painter.FloatCaptionGlyphColor(true, 2), Office11CaptionGlyphDownColor);
  EXPECT_EQ(Painter.FloatCaptionGlyphColor(true, 0), Office11FloatCaptionTextColor);
}

TEST_P(BarOffice11PainterTest, OnlyMenusCastShadows) {
  Bar->Docking = 0;
  EXPECT_FALSE(Painter.WantsShadow(Bar)) << "a floating toolbar";
  Bar->Menu = true;
  EXPECT_TRUE(Painter.WantsShadow(Bar));
  Bar->NoShadowFlag = true;
  EXPECT_FALSE(Painter.WantsShadow(Bar));
}

// Every pixel the frame's steps name, horizontal toolbar docked at the top.
TEST_P(BarOffice11PainterTest, RoundedFrameOfAHorizontalToolbar) {
  TTestDock dock(alTop, {0, 0, 300, 30});
  for (bool mark : {false, true}) {
    auto bar = DockedBar(dock, 120, 26, 2);
    bar->WithMark = mark;
    bar->Grip = false;
    Surface s(120, 26, clRed);
    HDC dc = s.Canvas()->Handle();
    TRect r(0, 0, 120, 26);
    Painter.DrawDockedBarFrame(bar.get(), dc, r, GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(r, TRect(2, 2, 118, 24));
    const int L = 0, T = 0, R = 120, B = 26, L2 = L + 2, T1 = T + 1, M = 11;
    const TRect gradient(0, 1, 120, 25);
    auto barAt = [&](int y) { return GradientColorAt(gradient, y, Office11ToolbarColor1, Office11ToolbarColor2, false); };
    auto dockAt = [&](int x) { return DockAt(dock, x + 10); };
    const TColor corner = Office11ToolbarCornerColor, markCorner = Office11MarkCornerColor(0),
                 markEnd = Office11MarkEndColor(0);
    struct Px {
      int x, y;
      TColor c;
      const char* what;
    };
    std::vector<Px> want = {
        {L, 10, dockAt(L), "start band"},
        {L + 1, B - 1, dockAt(L + 1), "start band"},
        {60, T, dockAt(60), "top row"},
        {L2, B - 2, dockAt(L2), "start corner"},
        {L2 + 1, B - 1, dockAt(L2 + 1), "start corner"},
        {L2 + 1, B - 3, corner, "corner"},
        {L2, B - 3, Blend(dockAt(L2), corner), "start blend"},
        {L2 + 1, B - 2, Blend(dockAt(L2), corner), "start blend"},
        {L2, T1 + 1, Blend(dockAt(L2), barAt(T1 + 1)), "start top blend"},
        {L2 + 1, T1, Blend(dockAt(L2), barAt(T1 + 1)), "start top blend"},
        {L2, T1, dockAt(L2), "last corner"},
        {R - 1, T1, dockAt(R - 1), "last corner"},
        {L2, B - 1, dockAt(L2), "last corner"},
        {R - 1, B - 1, dockAt(R - 1), "last corner"},
    };
    if (mark) {
      want.push_back({R - M - 1, T1, markCorner, "mark corner"});
      want.push_back({R - 2, T1 + 1, markCorner, "mark corner"});
      want.push_back({R - M - 2, T1, Blend(markCorner, barAt(T1 + 1)), "mark top blend"});
      want.push_back({R - 2, T1, Blend(markCorner, dockAt(R)), "mark end blend"});
      want.push_back({R - 1, T1 + 1, Blend(markCorner, dockAt(R)), "mark end blend"});
      want.push_back({R - 1, B - 2, Blend(markEnd, dockAt(R)), "mark bottom blend"});
      want.push_back({R - 2, B - 1, Blend(markEnd, dockAt(R)), "mark bottom blend"});
      want.push_back({R - M - 2, B - 1, Blend(markEnd, corner), "mark bottom corner"});
      want.push_back({R - M - 1, B - 2, Blend(markEnd, corner), "mark bottom corner"});
      want.push_back({R - M - 2, B - 2, corner, "corner before the mark"});
      for (int x = L2 + 2; x < R - M - 2; ++x) want.push_back({x, B - 1, Office11ToolbarBorderColor, "outline"});
    } else {
      want.push_back({R - 2, T1, Blend(dockAt(R), barAt(T1 + 1)), "end top blend"});
      want.push_back({R - 1, T1 + 1, Blend(dockAt(R), barAt(T1 + 1)), "end top blend"});
      want.push_back({R - 2, B - 1, Blend(corner, dockAt(R)), "end bottom blend"});
      want.push_back({R - 1, B - 2, Blend(corner, dockAt(R)), "end bottom blend"});
      want.push_back({R - 2, B - 2, corner, "end corner"});
      for (int x = L2 + 2; x < R - 2; ++x) want.push_back({x, B - 1, Office11ToolbarBorderColor, "outline"});
    }
    for (const Px& p : want) EXPECT_EQ(s.At(p.x, p.y), Rgb(p.c)) << p.what << " at " << p.x << "," << p.y << " mark " << mark;
    // The bar fill runs along the top edge and down the sides, never in the dock's colour.
    EXPECT_NE(s.At(60, T1), RGB(255, 0, 0));
    EXPECT_EQ(s.At(60, 12), RGB(255, 0, 0)) << "the client area is left to the client paint";
    if (mark) {
      // The mark's part of the frame: the knee gradient from the mark's start colour.
      EXPECT_EQ(s.At(R - 5, T1), Rgb(Office11MarkStartColor(0)));
      EXPECT_EQ(s.At(R - 1, 12), s.At(R - 2, 12));
    }
  }
}

TEST_P(BarOffice11PainterTest, RoundedFrameOfAVerticalToolbar) {
  TTestDock dock(alLeft, {0, 0, 30, 300});
  for (bool mark : {false, true}) {
    auto bar = DockedBar(dock, 26, 120, 1);
    bar->WithMark = mark;
    bar->Grip = false;
    Surface s(26, 120, clRed);
    TRect r(0, 0, 26, 120);
    Painter.DrawDockedBarFrame(bar.get(), s.Canvas()->Handle(), r, GetSysColorBrush(COLOR_BTNFACE));
    const int L = 0, T = 0, R = 26, B = 120, T2 = T + 2, L1 = L + 1, M = 11;
    const TRect gradient(1, 0, 25, 120);
    auto barAt = [&](int x) { return GradientColorAt(gradient, x, Office11ToolbarColor1, Office11ToolbarColor2, true); };
    const TColor dock1 = Office11DockColor1, corner = Office11ToolbarCornerColor,
                 markCorner = Office11MarkCornerColor(0), markEnd = Office11MarkEndColor(0);
    struct Px {
      int x, y;
      TColor c;
      const char* what;
    };
    std::vector<Px> want = {
        {10, T, dock1, "top band"},
        {L, 60, dock1, "left column"},
        {R - 2, T2 + 1, corner, "corner"},
        {R - 2, T2, Blend(dock1, corner), "start blend"},
        {R - 1, T2 + 1, Blend(dock1, corner), "start blend"},
        {L1, T2 + 1, Blend(dock1, barAt(L1)), "start left blend"},
        {L1 + 1, T2, Blend(dock1, barAt(L1)), "start left blend"},
        {L1, T2, dock1, "last corner"},
        {R - 1, T2, dock1, "last corner"},
        {L1, B - 1, dock1, "last corner"},
        {R - 1, B - 1, dock1, "last corner"},
    };
    if (mark) {
      want.push_back({L1, B - M - 2, Blend(markCorner, barAt(L1 + 1)), "mark left blend"});
      want.push_back({L1, B - M - 1, markCorner, "mark corner"});
      want.push_back({L1 + 1, B - 2, markCorner, "mark corner"});
      want.push_back({L1, B - 2, Blend(markCorner, dock1), "mark dock blend"});
      want.push_back({L1 + 1, B - 1, Blend(markCorner, dock1), "mark dock blend"});
      want.push_back({R - 1, B - 2, Blend(markEnd, dock1), "mark end blend"});
      want.push_back({R - 2, B - 1, Blend(markEnd, dock1), "mark end blend"});
      want.push_back({R - 2, B - M - 1, Blend(markEnd, corner), "mark corner blend"});
      want.push_back({R - 1, B - M - 2, Blend(markEnd, corner), "mark corner blend"});
      want.push_back({R - 2, B - M - 2, corner, "corner before the mark"});
      for (int y = T2 + 2; y < B - M - 2; ++y) want.push_back({R - 1, y, Office11ToolbarBorderColor, "outline"});
    } else {
      want.push_back({L1, B - 2, Blend(dock1, barAt(L1 + 1)), "bottom left blend"});
      want.push_back({L1 + 1, B - 1, Blend(dock1, barAt(L1 + 1)), "bottom left blend"});
      want.push_back({R - 2, B - 1, Blend(corner, dock1), "end blend"});
      want.push_back({R - 1, B - 2, Blend(corner, dock1), "end blend"});
      want.push_back({R - 2, B - 2, corner, "end corner"});
      for (int y = T2 + 2; y < B - 2; ++y) want.push_back({R - 1, y, Office11ToolbarBorderColor, "outline"});
    }
    for (const Px& p : want) EXPECT_EQ(s.At(p.x, p.y), Rgb(p.c)) << p.what << " at " << p.x << "," << p.y << " mark " << mark;
  }
}

TEST_P(BarOffice11PainterTest, BorderlessBarsAndMainMenusHaveNoRoundedFrameNorWidenedMark) {
  TTestDock dock(alTop, {0, 0, 300, 30});
  auto bar = DockedBar(dock, 120, 26, 2);
  bar->Grip = false;
  bar->WithMark = true;
  auto frameTouches = [&] {
    Surface s(120, 26, clRed);
    TRect r(0, 0, 120, 26);
    Painter.DrawDockedBarFrame(bar.get(), s.Canvas()->Handle(), r, GetSysColorBrush(COLOR_BTNFACE));
    return 120 * 26 - s.CountOf(clRed);
  };
  EXPECT_GT(frameTouches(), 0);
  bar->Border = 0;
  EXPECT_EQ(frameTouches(), 0) << "bbsNone";
  bar->Border = 1;
  bar->MainMenu = true;
  EXPECT_EQ(frameTouches(), 2 * 2 * 120) << "a main menu: the two 2-pixel dock bands only";

  // The mark: widened by 2 at both long sides only on a bordered bar.
  auto markRows = [&](int Border, bool MainMenu) {
    bar->Border = Border;
    bar->MainMenu = MainMenu;
    Surface s(40, 30, clRed);
    Painter.DrawMarkBackground(bar.get(), s.Canvas()->Handle(), {20, 4, 31, 26}, GetSysColorBrush(COLOR_BTNFACE));
    return std::make_pair(s.At(25, 2) != RGB(255, 0, 0), s.At(25, 27) != RGB(255, 0, 0));
  };
  EXPECT_EQ(markRows(1, false), std::make_pair(true, true));
  EXPECT_EQ(markRows(0, false), std::make_pair(false, false));
  EXPECT_EQ(markRows(1, true), std::make_pair(false, false));

  // The mark glyph of a borderless bar or main menu: 2 further from the end, 1 further from the edge.
  auto glyphAt = [&](int Border, bool MainMenu) {
    bar->Border = Border;
    bar->MainMenu = MainMenu;
    Surface s(11, 22, clRed);
    Painter.DrawMarkContent(bar.get(), s.Canvas()->Handle(), {0, 0, 11, 22});
    // The dash's right end: the last glyph-coloured pixel of the lowest glyph row.
    TPoint last{-1, -1};
    for (int y = 0; y < 22; ++y)
      for (int x = 0; x < 11; ++x)
        if (s.At(x, y) == Rgb(Office11MarkGlyphColor) && s.At(x, y) != Rgb(Office11MarkGlyphLightColor))
          if (y > last.Y || (y == last.Y && x > last.X)) last = {x, y};
    return last;
  };
  const TPoint bordered = glyphAt(1, false);
  EXPECT_EQ(glyphAt(0, false), TPoint(bordered.X - 2, bordered.Y - 1));
  EXPECT_EQ(glyphAt(1, true), TPoint(bordered.X - 2, bordered.Y - 1));
}

TEST_P(BarOffice11PainterTest, MarkGlyphsHaveALightCopyBelowRight) {
  Bar->WithMark = true;
  Bar->Hides = true;
  Surface s(11, 22, clRed);
  Painter.DrawMarkContent(Bar, s.Canvas()->Handle(), {0, 0, 11, 22});
  // The quick-customizing dash: five pixels at (5..9, 14), its light copy one right and down.
  for (int x = 5; x < 10; ++x) EXPECT_EQ(s.At(x, 14), Rgb(Office11MarkGlyphColor)) << x;
  EXPECT_EQ(s.At(10, 15), Rgb(Office11MarkGlyphLightColor));
  EXPECT_GT(s.CountOf(Office11MarkGlyphColor), 9 + 5) << "the triangle and the chevrons";
}

TEST_P(BarOffice11PainterTest, DocksFillFromTheirCache) {
  struct Case {
    TAlign align;
    TColor left, right;
  } cases[] = {{alRight, Office11DockColor2, Office11DockColor2},
               {alLeft, Office11DockColor1, Office11DockColor1},
               {alTop, Office11DockColor1, Office11DockColor2},
               {alBottom, Office11DockColor1, Office11DockColor2}};
  for (const Case& c : cases) {
    TTestDock dock(c.align, {0, 0, 200, 40});
    Surface s(200, 40, clRed);
    HDC dc = s.Canvas()->Handle();
    Painter.FillDockBackground(&dock, dc, {0, 0, 200, 40}, {0, 0, 200, 40}, nullptr, clNone);
    EXPECT_EQ(s.At(0, 20), Rgb(c.left)) << c.align;
    EXPECT_EQ(s.At(199, 20), Rgb(c.right)) << c.align;
    for (int x : {0, 57, 133, 199})
      EXPECT_EQ(s.At(x, 3), Rgb(c.align == alLeft || c.align == alRight
                                    ? c.left
                                    : GradientColorAt({0, 0, 200, 40}, x, c.left, c.right, true)))
          << c.align << " x " << x;
  }
  // A second paint copies the cache without filling it again; a size change refills it.
  TTestDock dock(alTop, {0, 0, 200, 40});
  Surface s(200, 40, clRed);
  HDC dc = s.Canvas()->Handle();
  Painter.FillDockBackground(&dock, dc, {0, 0, 200, 40}, {0, 0, 200, 40}, nullptr, clNone);
  dock.BackgroundCache()->Canvas()->SetPixels(50, 10, clLime);
  Painter.FillDockBackground(&dock, dc, {40, 0, 60, 20}, {40, 0, 60, 20}, nullptr, clNone);
  EXPECT_EQ(s.At(50, 10), Rgb(clLime)) << "copied from the cache";
  Painter.FillDockBackground(&dock, dc, {0, 0, 10, 10}, {100, 5, 110, 15}, nullptr, clNone);
  EXPECT_EQ(s.At(0, 0), Rgb(GradientColorAt({0, 0, 200, 40}, 100, Office11DockColor1, Office11DockColor2, true)))
      << "copied from the source origin";
  dock.SetBounds(0, 0, 220, 40);
  EXPECT_TRUE(dock.BackgroundCache()->Empty());
  Painter.FillDockBackground(&dock, dc, {40, 0, 60, 20}, {40, 0, 60, 20}, nullptr, clNone);
  EXPECT_NE(s.At(50, 10), Rgb(clLime)) << "filled again after the size change";
  EXPECT_EQ(dock.BackgroundCache()->Width(), 220);
}

TEST_P(BarOffice11PainterTest, DisabledTextIsOnePassNeverEmbossed) {
  TdxBarButtonLikeControlDrawParams p(Item);
  p.ViewStructure = cpText;
  p.Caption = "Wall";
  p.Enabled = false;
  Surface s(80, 22, clRed);
  HDC dc = s.Canvas()->Handle();
  SelectObject(dc, Manager->Font()->Handle());
  Painter.DrawItemText(p, dc, p.Caption, {0, 0, 80, 22}, 0, false, false, false, true, false, DT_SINGLELINE);
  int ink = 0, other = 0;
  for (int y = 0; y < 22; ++y)
    for (int x = 0; x < 80; ++x) {
      const COLORREF c = s.At(x, y);
      if (c == Rgb(Office11DisabledArrowColor))
        ++ink;
      else if (c != RGB(255, 0, 0))
        ++other;
    }
  EXPECT_GT(ink, 10);
  EXPECT_EQ(other, 0) << "no embossed copy, no second colour";
}

TEST_P(BarOffice11PainterTest, GlyphCellsByState) {
  const TColor down1 = Office11DownColor1, down2 = Office11DownColor2;
  auto cell = [&](TdxBarPaintMode Mode, bool NoGlyph, bool Selected, bool Down, bool Pressed) {
    auto s = std::make_unique<Surface>(30, 30, clRed);
    Painter.DrawGlyphFrame(Item, s->Canvas()->Handle(), GetSysColorBrush(COLOR_BTNFACE), true, {2, 2, 26, 24}, Mode,
                           NoGlyph, Selected, Down, Pressed, false, false);
    return s;
  };
  auto uniform = [](Surface& S, const TRect& R, COLORREF C) {
    for (int y = R.Top; y < R.Bottom; ++y)
      for (int x = R.Left; x < R.Right; ++x)
        if (S.At(x, y) != C) return false;
    return true;
  };
  // Equal pressed colours: a pressed cell not shown selected takes the fallback colour alone.
  Office11DownColor2 = Office11DownColor1 = static_cast<TColor>(RGB(200, 180, 120));
  {
    auto owned = cell(pmHorizontal, false, false, true, false);
    Surface& s = *owned;
    EXPECT_TRUE(uniform(s, {3, 3, 25, 23}, Rgb(Office11DownFallbackColor)));
    EXPECT_EQ(s.At(2, 2), Rgb(Office11HighlightFrameColor)) << "framed";
  }
  {
    auto owned = cell(pmHorizontal, false, true, true, false);
    Surface& s = *owned;
    EXPECT_TRUE(uniform(s, {3, 3, 25, 23}, RGB(200, 180, 120))) << "shown selected: one plain colour";
  }
  Office11DownColor1 = down1;
  Office11DownColor2 = down2;
  {
    auto owned = cell(pmHorizontal, false, true, false, false);
    Surface& s = *owned;
    EXPECT_EQ(s.At(10, 3), Rgb(GradientColorAt({2, 2, 26, 24}, 3, Office11HotColor1, Office11HotColor2, false)))
        << "hot: the hot gradient top to bottom";
    EXPECT_EQ(s.At(10, 22), Rgb(GradientColorAt({2, 2, 26, 24}, 22, Office11HotColor1, Office11HotColor2, false)));
  }
  {
    // A hot menu item without a glyph: the glyph brush, nothing else.
    auto owned = cell(pmMenu, true, true, false, false);
    Surface& s = *owned;
    EXPECT_TRUE(uniform(s, {2, 2, 26, 24}, GetSysColor(COLOR_BTNFACE)));
  }
  {
    // A checked menu item without a glyph: its check cell framed by the selection outline.
    TdxBarButtonLikeControlDrawParams p(Item);
    p.PaintType = pmMenu;
    Surface s(30, 30, clRed);
    Painter.DrawCheckCellFrame(p, s.Canvas()->Handle(), {2, 2, 20, 20}, {0, 0, 30, 22}, true);
    for (TPoint pt : {TPoint(2, 2), TPoint(19, 2), TPoint(2, 19), TPoint(10, 19)})
      EXPECT_EQ(s.At(pt.X, pt.Y), Rgb(Office11HighlightFrameColor));
    EXPECT_EQ(s.At(20, 10), Rgb(Office11Color41)) << "the strip right of it in the hot brush";
    EXPECT_EQ(s.At(10, 10), RGB(255, 0, 0));
  }
}

TEST_P(BarOffice11PainterTest, MenuGlyphColumnAndLinks) {
  Bar->Menu = true;
  Bar->Docking = 0;
  const int indent = Painter.MenuTextIndent(Bar);
  for (bool rarely : {false, true}) {
    Bar->Descriptions = false;
    struct RarelyBar : TTestBar {
      using TTestBar::TTestBar;
      bool ShadesRarelyUsed() const override { return true; }
    };
    RarelyBar shaded(Manager);
    shaded.Menu = true;
    TTestBar* menu = rarely ? static_cast<TTestBar*>(&shaded) : Bar;
    Surface s(120, 20, clRed);
    Painter.FillMenuBackground(menu, s.Canvas()->Handle(), {0, 0, 120, 20}, {0, 0, 120, 20},
                               GetSysColorBrush(COLOR_WINDOW), clNone);
    const TColor c1 = rarely ? Office11RarelyUsedColumnColor1 : Office11MenuColumnColor1;
    const TColor c2 = rarely ? Office11RarelyUsedColumnColor2 : Office11MenuColumnColor2;
    EXPECT_EQ(s.At(0, 5), Rgb(c1)) << rarely;
    EXPECT_EQ(s.At(indent - 1, 5), Rgb(c2)) << rarely;
    EXPECT_EQ(s.At(indent, 5), GetSysColor(COLOR_WINDOW)) << rarely;
    if (rarely) {
      const COLORREF a = Rgb(Office11MenuColumnColor1), b = Rgb(c1);
      EXPECT_LT(GetRValue(b) + GetGValue(b) + GetBValue(b), GetRValue(a) + GetGValue(a) + GetBValue(a)) << "darker";
    }
  }
  // Items refill their rows strip by strip, against the menu's client rectangle (here at 30, 0 in
  // the paint coordinates): a strip beyond the indent takes no column; one inside the column takes
  // the column's colours at those places.
  {
    const TRect client(30, 0, 150, 20);
    Surface whole(160, 20, clRed), strips(160, 20, clRed);
    Painter.FillMenuBackground(Bar, whole.Canvas()->Handle(), client, client, GetSysColorBrush(COLOR_WINDOW), clNone);
    for (const TRect& strip : {TRect(30, 0, 34, 20), TRect(34, 0, 30 + indent + 4, 20), TRect(30 + indent + 4, 0, 150, 20)})
      Painter.FillMenuBackground(Bar, strips.Canvas()->Handle(), strip, client, GetSysColorBrush(COLOR_WINDOW), clNone);
    for (int x = 0; x < 160; ++x) ASSERT_EQ(strips.At(x, 5), whole.At(x, 5)) << "x " << x;
    EXPECT_EQ(whole.At(30, 5), Rgb(Office11MenuColumnColor1));
    EXPECT_EQ(whole.At(30 + indent, 5), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(whole.At(29, 5), RGB(255, 0, 0)) << "nothing outside the rectangle";
  }
  // The link between an open menu and its owner: by the half of the owner it lies in.
  struct OwnedMenu : TTestBar {
    using TTestBar::TTestBar;
    TRect Owner;
    TRect OwnerBounds() const override { return Owner; }
  };
  OwnedMenu below(Manager), above(Manager);
  below.Owner = {10, -22, 40, 0};  // the menu opened below its button
  above.Owner = {10, 100, 40, 122};  // flipped above it
  Surface s(60, 130, clRed);
  HDC dc = s.Canvas()->Handle();
  Painter.FillOwnerMenuLink(&below, dc, {11, 0, 39, 1});
  Painter.FillOwnerMenuLink(&above, dc, {11, 99, 39, 100});
  EXPECT_EQ(s.At(20, 0), Rgb(Office11DroppedColor2)) << "opened below: the link lies below the owner's middle";
  EXPECT_EQ(s.At(20, 99), Rgb(Office11DroppedColor1)) << "flipped above";
  // The toolbar's side of the link: the item's bottom edge for a menu below, its top for one above.
  Surface t(60, 60, clRed);
  HDC tdc = t.Canvas()->Handle();
  Painter.DrawDroppedOwnerFrame(Bar, tdc, {10, 10, 40, 32}, {8, 31, 120, 200});
  EXPECT_EQ(t.At(20, 31), Rgb(Office11DroppedColor2)) << "menu below: the link in the second colour";
  EXPECT_EQ(t.At(10, 20), Rgb(Office11FrameColor)) << "the owner's frame";
  Painter.DrawDroppedOwnerFrame(Bar, tdc, {10, 10, 40, 32}, {8, -100, 120, 11});
  EXPECT_EQ(t.At(20, 10), Rgb(Office11DroppedColor1)) << "flipped above: the first colour";
}

TEST_P(BarOffice11PainterTest, ToolbarSeparatorIsADarkAndALightLine) {
  Surface s(5, 22, clRed);
  Painter.DrawToolbarSeparator(Bar, s.Canvas()->Handle(), {0, 0, 5, 22}, false, GetSysColorBrush(COLOR_BTNFACE));
  const int m = Painter.ToolbarSeparatorMargin();
  EXPECT_EQ(s.At(m, 3), Rgb(Office11BarSeparatorColor));
  EXPECT_EQ(s.At(m, 17), Rgb(Office11BarSeparatorColor));
  EXPECT_NE(s.At(m, 18), Rgb(Office11BarSeparatorColor)) << "4 before the end";
  EXPECT_NE(s.At(m, 2), Rgb(Office11BarSeparatorColor));
  EXPECT_EQ(s.At(m + 1, 4), Rgb(Office11LineHighlightColor));
  EXPECT_EQ(s.At(m + 1, 18), Rgb(Office11LineHighlightColor));
  EXPECT_NE(s.At(m + 1, 3), Rgb(Office11LineHighlightColor));
}

TEST_P(BarOffice11PainterTest, SeparatorCaptionPaintsOnTheColumnColourAndPutsTheBrushBack) {
  TdxBarStaticLikeControlDrawParams p(Item);
  p.PaintType = pmMenu;
  p.Caption = "Group";
  HBRUSH mine = GetSysColorBrush(COLOR_INFOBK);
  p.BkBrush = mine;
  Surface s(80, 20, clRed);
  const DWORD objects = GetGuiResources(nullptr, GR_GDIOBJECTS);
  Painter.DrawSeparatorCaption(p, s.Canvas()->Handle(), {0, 0, 80, 20});
  EXPECT_EQ(p.BkBrush, mine);
  EXPECT_EQ(GetGuiResources(nullptr, GR_GDIOBJECTS), objects);
  EXPECT_EQ(s.At(78, 2), Rgb(Office11MenuColumnColor2));
}

TEST_P(BarOffice11PainterTest, ASystemColourChangeShowsWithTheSamePainter) {
  // The painter caches nothing: after the manager rebuilt the table, the same instance paints the
  // new colours.
  auto gripArea = [&] {
    Surface s(8, 8, clRed);
    Painter.FillSizeGripArea(Bar, s.Canvas()->Handle(), {0, 0, 8, 8});
    return s.At(4, 4);
  };
  EXPECT_EQ(gripArea(), Rgb(Office11WindowColor));
  TScopedSysColors colours({{COLOR_WINDOW, RGB(250, 240, 200)}, {COLOR_BTNFACE, RGB(180, 200, 220)}});
  Manager->SysColorChanged();
  EXPECT_EQ(gripArea(), Rgb(Office11WindowColor)) << "the rebuilt table's colour at the next paint";
  if (!Themed()) {
    EXPECT_EQ(gripArea(), RGB(250, 240, 200));
  }
}

TEST_P(BarOffice11PainterTest, FloatingFramesCaptionButtonsAndMarkBounds) {
  // A floating toolbar: two frames in the float border colour, a third in the inner colour with
  // its corners in the border colour.
  Bar->Docking = 0;
  {
    Surface s(40, 30, clRed);
    TRect r(0, 0, 40, 30);
    Painter.DrawFloatBorder(Bar, s.Canvas()->Handle(), r, GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(r, TRect(3, 3, 37, 27));
    EXPECT_EQ(s.At(0, 10), Rgb(Office11FloatBorderColor));
    EXPECT_EQ(s.At(1, 10), Rgb(Office11FloatBorderColor));
    EXPECT_EQ(s.At(2, 10), Rgb(Office11FloatInnerBorderColor));
    EXPECT_EQ(s.At(2, 2), Rgb(Office11FloatBorderColor)) << "the inner frame's corner";
    EXPECT_EQ(s.At(3, 10), RGB(255, 0, 0));
  }
  {
    struct Internal : TTestBar {
      using TTestBar::TTestBar;
      bool IsInternal() const override { return true; }
    } internal(Manager);
    Surface s(40, 30, clRed);
    TRect r(0, 0, 40, 30);
    Painter.DrawFloatBorder(&internal, s.Canvas()->Handle(), r, GetSysColorBrush(COLOR_INFOBK));
    EXPECT_EQ(s.At(0, 10), Rgb(Office11FrameColor));
    EXPECT_EQ(s.At(1, 10), GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(s.At(2, 10), GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(r, TRect(3, 3, 37, 27));
  }
  // Caption button faces: the caption colour, else the selection outline around a hot fill.
  struct Face {
    int state;
    TColor inside;
    bool outline;
  } faces[] = {{0, Office11FloatCaptionColor, false}, {1, Office11HotColor1, true}, {2, Office11HotColor2, true}};
  for (const Face& f : faces) {
    Surface s(20, 20, clRed);
    Painter.DrawButtonFace(Bar, s.Canvas()->Handle(), {2, 2, 18, 18}, f.state, true);
    EXPECT_EQ(s.At(10, 10), Rgb(f.inside)) << f.state;
    EXPECT_EQ(s.At(2, 2) == Rgb(Office11HighlightFrameColor), f.outline) << f.state;
  }
  // The floating caption's fill.
  {
    Bar->Caption = true;
    Surface s(120, 20, clRed);
    Painter.DrawFloatCaption(Bar, s.Canvas()->Handle(), {0, 0, 120, 16}, "", GetSysColorBrush(COLOR_BTNFACE), true);
    EXPECT_EQ(s.At(60, 16), Rgb(Office11FloatCaptionFillColor)) << "the fill, seen in the row below the band";
    EXPECT_EQ(s.At(60, 8), Rgb(Office11FloatCaptionColor)) << "under the text";
  }
  // Mark bounds to repaint: widened by the rounded frame on bordered bars.
  const TRect client(0, 0, 100, 22);
  Bar->Docking = 2;
  const TRect mark = Painter.MarkBounds(Bar, client, {});
  EXPECT_EQ(Painter.MarkRedrawBounds(Bar, client, {}), TRect(mark.Left, mark.Top - 1, mark.Right + 2, mark.Bottom + 1));
  Bar->Docking = 1;
  const TRect vmark = Painter.MarkBounds(Bar, client, {});
  EXPECT_EQ(Painter.MarkRedrawBounds(Bar, client, {}),
            TRect(vmark.Left - 1, vmark.Top, vmark.Right + 1, vmark.Bottom + 2));
  Bar->Border = 0;
  EXPECT_EQ(Painter.MarkRedrawBounds(Bar, client, {}), vmark);
}

TEST_P(BarOffice11PainterTest, EditsCombosAndDetachCaptions) {
  struct Frame {
    bool selected, enabled, menu;
    COLORREF edge;
  } frames[] = {{true, true, false, Rgb(Office11HighlightFrameColor)},
                {false, false, false, Rgb(Office11DisabledArrowColor)},
                {false, true, true, Rgb(Office11Color47)},
                {false, true, false, GetSysColor(COLOR_BTNFACE)}};
  for (const Frame& f : frames) {
    TdxBarEditLikeControlDrawParams e(Item);
    e.Enabled = f.enabled;
    e.PaintType = f.menu ? pmMenu : pmHorizontal;
    Surface s(60, 30, clRed);
    TRect r(2, 2, 58, 24);
    Painter.DrawEditFrame(e, s.Canvas()->Handle(), r, f.selected);
    EXPECT_EQ(r, TRect(3, 3, 57, 23));
    EXPECT_EQ(s.At(20, 2), f.edge) << f.selected << f.enabled << f.menu;
  }
  // A selected combo button: the outline one pixel outside, the state gradient inside.
  TdxBarEditLikeControlDrawParams e(Item);
  Surface s(30, 30, clRed);
  TRect r(5, 5, 20, 25);
  Painter.DrawComboButtonFace(e, s.Canvas()->Handle(), r, GetSysColorBrush(COLOR_BTNFACE), true, false);
  EXPECT_EQ(s.At(4, 10), Rgb(Office11HighlightFrameColor));
  EXPECT_EQ(s.At(10, 5), Rgb(Office11HotColor1));
  EXPECT_EQ(r, TRect(6, 6, 19, 24));
  // The detach caption: the hot brush inside the outline when hot, else the detach brush; dots.
  for (bool hot : {false, true}) {
    struct Detachable : TTestBar {
      using TTestBar::TTestBar;
      bool Hot = false;
      bool DetachCaptionHot() const override { return Hot; }
    } menu(Manager);
    menu.Hot = hot;
    Surface d(80, 12, clRed);
    Painter.DrawDetachCaption(&menu, d.Canvas()->Handle(), {0, 0, 80, 12});
    EXPECT_EQ(d.At(2, 2), Rgb(hot ? Office11Color41 : Office11Color50)) << hot;
    EXPECT_EQ(d.At(0, 0) == Rgb(Office11HighlightFrameColor), hot);
    EXPECT_GT(d.CountOf(Office11GripDotColor), 0) << "the dotted grip";
  }
}

}  // namespace
}  // namespace barpaintertest
