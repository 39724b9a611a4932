// The base bar painter: its metric and colour answers, its pixels on a memory surface (text,
// glyphs, checks, descriptions, scroll and expand buttons, size grips), toolbar geometry, and that
// every operation leaves the device context and the GDI object count as it found them.
#include "tests/ui/bars/BarPainterFixture.h"

#include <functional>

#include "platform/system/Version.h"
#include "ui/bars/BarRoutines.h"
#include "ui/foundation/Canvas.h"

namespace barpaintertest {
namespace {

// Records what the base leaves to its descendants.
class TRecordingPainter : public TdxBarPainter {
  VW_CLASS(TRecordingPainter, TdxBarPainter)
 public:
  struct TextCall {
    String Text;
    TRect R;
    UINT Format;
  };
  std::vector<TextCall> Texts;
  std::vector<std::pair<TPoint, bool>> Checks;
  int PressOffset = 0;

  void DrawCheckMarkGlyph(HDC, const TPoint& P, bool, bool Double, bool) override { Checks.push_back({P, Double}); }
  void DrawItemText(TP& P, HDC DC, const String& Text, const TRect& R, int Alignment, bool Enabled, bool Selected,
                    bool Vertical, bool Clip, bool Flat, UINT Format) override {
    Texts.push_back({Text, R, Format});
    TdxBarPainter::DrawItemText(P, DC, Text, R, Alignment, Enabled, Selected, Vertical, Clip, Flat, Format);
  }
  int GlyphPressOffset(bool) override { return PressOffset; }
  int GlyphSecondPressOffset(bool) override { return PressOffset; }
};

class BarPainterTest : public BarPainterFixture {
 protected:
  TdxBarPainter Painter;
};

TEST_F(BarPainterTest, BaseAnswersOfTheMetricAndColourOperations) {
  TdxBarPainter& p = Painter;
  TdxBarItemControlDrawParams params(Item);
  Surface s(40, 40);
  HDC dc = s.Canvas()->Handle();
  SIZE wg{};
  GetTextExtentPoint32(dc, "Wg", 2, &wg);
  struct Row {
    const char* name;
    int got, want;
  } rows[] = {
      {"EditMinHeight", p.EditMinHeight(dc), wg.cy + 6},
      {"MenuArrowWidth 19", p.MenuArrowWidth(19), 19 / 4 * 3 + 1},
      {"MenuScrollArrowSize 19", p.MenuScrollArrowSize(19), 5},
      {"MenuScrollArrowSize 2", p.MenuScrollArrowSize(2), -1},
      {"DefaultButtonSize cx", p.DefaultButtonSize({16, 16}).cx, 23},
      {"DefaultButtonSize cy", p.DefaultButtonSize({16, 16}).cy, 22},
      {"StaticBorderInsets 0", p.StaticBorderInsets(0), 0},
      {"StaticBorderInsets 1", p.StaticBorderInsets(1), 1},
      {"StaticBorderInsets 2", p.StaticBorderInsets(2), 1},
      {"StaticBorderInsets 3", p.StaticBorderInsets(3), 2},
      {"StaticBorderInsets 4", p.StaticBorderInsets(4), 2},
      {"EllipsisButtonWidth h 22", p.EllipsisButtonWidth({0, 0, 80, 22}), 14 - 2 + 4},
      {"SeparatorThickness", p.SeparatorThickness(), 2},
      {"SeparatorLineHeight", p.SeparatorLineHeight(), 2},
      {"CaptionOffsets top", p.CaptionOffsets().Top, 2},
      {"CaptionOffsets bottom", p.CaptionOffsets().Bottom, 3},
      {"EditBorderOffsets", p.EditBorderOffsets().Left, 2},
      {"PopupBorderWidth", p.PopupBorderWidth(), 2},
      {"DropDownListBorderSize", p.DropDownListBorderSize(), 2},
      {"MenuArrowMargin", p.MenuArrowMargin(), 2},
      {"MenuSeparatorHeight", p.MenuSeparatorHeight(), 10},
      {"MenuOuterBorder", p.MenuOuterBorder(), 1},
      {"MenuInnerBorder", p.MenuInnerBorder(), 1},
      {"MenuBorderSize", p.MenuBorderSize(), 2},
      {"NominalTextSize", p.NominalTextSize(), 19},
      {"MarkSize", p.MarkSize(), 11},
      {"ToolbarSeparatorSize", p.ToolbarSeparatorSize(), 6},
      {"ToolbarSeparatorMargin", p.ToolbarSeparatorMargin(), 2},
      {"GripWidth", p.GripWidth(), 3},
      {"GripInset", p.GripInset(), 0},
      {"GripSizeDocked", p.GripSizeDocked(), 0},
      {"DockedBorderWidth", p.DockedBorderWidth(), 1},
      {"DockedBarInsets", p.DockedBarInsets(Bar, 2).Left, 2},
      {"StatusBarTopBand", p.StatusBarTopBand(), 2},
      {"ButtonVertPadding", p.ButtonVertPadding(), 6},
      {"ButtonHorzPadding", p.ButtonHorzPadding(), 7},
      {"CheckGlyphSize cx", p.CheckGlyphSize().cx, 5},
      {"CheckGlyphSize cy", p.CheckGlyphSize().cy, 3},
      {"MenuTextMargins", p.MenuTextMargins().Left + p.MenuTextMargins().Right, 6},
      {"CaptionPadding", p.CaptionPadding().Left, 4},
      {"SeparatorItemInsets", p.SeparatorItemInsets().Left, 6},
      {"StaticTextIndent", p.StaticTextIndent(), 5},
      {"ScreenTipBandIndent", p.ScreenTipBandIndent(), 3},
      {"SubMenuVertOffset", p.SubMenuVertOffset(), 0},
      {"MenuGroupIndent", p.MenuGroupIndent(), 0},
      {"MenuChevronSize 14", p.MenuChevronSize(14), 4},
      {"MenuTextIndentOf 19", p.MenuTextIndentOf(19), 22},
      {"DetachCaptionHeight 8", p.DetachCaptionHeight(8), 11},
      {"ComboArrowWidth 6", p.ComboArrowWidth(6), 11},
      {"EditTextAreaHeight 13", p.EditTextAreaHeight(13), 13 + 2 + 3 + 2 + 2},
      {"ButtonSideMargin", p.ButtonSideMargin(), 0},
      {"DropDownLinesGap", p.DropDownLinesGap(), 1},
      {"EditCaptionGapBar", p.EditCaptionGapBar(params), 2},
      {"EditCaptionEndGap", p.EditCaptionEndGap(), 4},
      {"ReservedMetricA", p.ReservedMetricA(), 12},
      {"ReservedMetricB", p.ReservedMetricB(), 0},
      {"ReservedMetricC", p.ReservedMetricC(), 0},
      {"ReservedQueryB", p.ReservedQueryB(), 0},
      {"DockRowSpacing", p.DockRowSpacing(), 0},
      {"ToolbarRowOffset", p.ToolbarRowOffset(), 0},
      {"FloatFrameSideInset", p.FloatFrameSideInset(), 0},
      {"SpinButtonState disabled", p.SpinButtonState(false, true, true), 4},
      {"SpinButtonState pressed", p.SpinButtonState(true, true, true), 3},
      {"SpinButtonState hot", p.SpinButtonState(true, false, true), 2},
      {"SpinButtonState normal", p.SpinButtonState(true, false, false), 1},
      {"MarkGlyphColorIndex", p.MarkGlyphColorIndex(Bar), 18},
      {"SmallCaptionHeightPlus", p.SmallCaptionHeightPlus(), p.SmallCaptionHeight() + 1},
      {"CloseButtonSize", p.CloseButtonSize().cx, p.SmallCaptionHeight()},
  };
  for (const Row& r : rows) EXPECT_EQ(r.got, r.want) << r.name;

  struct Flag {
    const char* name;
    bool got, want;
  } flags[] = {
      {"PaintsOwnFrames", p.PaintsOwnFrames(), false},   {"WantsDoubleBuffer", p.WantsDoubleBuffer(), false},
      {"SupportsLargeIcons", p.SupportsLargeIcons(), true}, {"IsFlatStyle", p.IsFlatStyle(), false},
      {"DisabledGlyphFlag", p.DisabledGlyphFlag(), false}, {"KeepsRarelyUsedShade", p.KeepsRarelyUsedShade(), false},
      {"SupportsFading", p.SupportsFading(), false},       {"ArrowsUseTextColor", p.ArrowsUseTextColor(), false},
      {"GlyphDrawFlagA", p.GlyphDrawFlagA(), false},       {"GlyphDrawFlagB", p.GlyphDrawFlagB(), false},
      {"HighlightsDownButtons", p.HighlightsDownButtons(), true},
      {"UsesNativeBackground", p.UsesNativeBackground(), false},
      {"LinksMenuToOwner", p.LinksMenuToOwner(), false},  {"MenuItemsUseMenuBrush", p.MenuItemsUseMenuBrush(), true},
      {"AllowsQuickCustomizing", p.AllowsQuickCustomizing(), true},
      {"TracksCloseButton", p.TracksCloseButton(), false}, {"ReservedFloatFlag", p.ReservedFloatFlag(), false},
      {"FloatsQuickControl", p.FloatsQuickControl(), false}, {"ShiftsRecentGroup", p.ShiftsRecentGroup(), false},
      {"MenuHasSideBand", p.MenuHasSideBand(), false},     {"DockHasBorder", p.DockHasBorder(), false},
      {"PushButtonsFlat", p.PushButtonsFlat(), false},     {"ReservedQueryA", p.ReservedQueryA(), true},
      {"ReservedQueryE", p.ReservedQueryE(), false},       {"HasPickerSwatch", p.HasPickerSwatch(), false},
      {"FloatCaptionIsFlat", p.FloatCaptionIsFlat(), false}, {"WantsShadow", p.WantsShadow(Bar), false},
      {"IsShortRect 16", p.IsShortRect({0, 0, 5, 16}), true}, {"IsShortRect 17", p.IsShortRect({0, 0, 5, 17}), false},
  };
  for (const Flag& f : flags) EXPECT_EQ(f.got, f.want) << f.name;

  struct Colour {
    const char* name;
    TColor got, want;
  } colours[] = {
      {"TextColor", p.TextColor(false, false), clBtnText},
      {"TextColor selected", p.TextColor(true, false), clHighlightText},
      {"TextColor selected flat", p.TextColor(true, true), clBtnText},
      {"EditBackColor", p.EditBackColor(), clWindow},
      {"EditTextColorDefault", p.EditTextColorDefault(), clWindowText},
      {"DisabledEditTextColor", p.DisabledEditTextColor(), clGrayText},
      {"ProgressColor", p.ProgressColor(), clHighlight},
      {"PushButtonHeaderColor", p.PushButtonHeaderColor(), clBtnFace},
      {"ScreenTipTitleColor", p.ScreenTipTitleColor(), clDefault},
      {"ScreenTipDescriptionColor", p.ScreenTipDescriptionColor(), clDefault},
      {"FloatCaptionColor active", p.FloatCaptionColor(true), clActiveCaption},
      {"FloatCaptionColor inactive", p.FloatCaptionColor(false), clInactiveCaption},
  };
  for (const Colour& c : colours) EXPECT_EQ(c.got, c.want) << c.name;

  EXPECT_EQ(p.ToolbarBrush(Manager), GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(p.DownBrush(Manager), CheckerBrush);
  EXPECT_EQ(p.DownHotBrush(Manager), GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(p.HotBrush(Manager), GetSysColorBrush(COLOR_HIGHLIGHT));
  EXPECT_EQ(p.MenuBrush(Bar), GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(p.HeaderBandBrush(), GetSysColorBrush(COLOR_BTNSHADOW));
}

TEST_F(BarPainterTest, DropArrowPartWidthIsOddAndDoubledForLargeIcons) {
  struct Case {
    int arrow;
    bool large;
    int want;
  } cases[] = {{11, false, 11}, {11, true, 23}, {10, false, 11}, {10, true, 21}};
  for (const Case& c : cases) {
    Manager->SetButtonArrowWidth(c.arrow);
    EXPECT_EQ(Painter.DropArrowPartWidth(Manager, c.large), c.want) << c.arrow << (c.large ? " large" : " small");
  }
  Manager->SetLargeButtonArrowWidth(13);
  EXPECT_EQ(Painter.LargeDropArrowPartWidth(Manager), 13);
}

TEST_F(BarPainterTest, MenuMarkHeightFollowsTheChevronsParity) {
  Surface s(20, 20);
  HDC dc = s.Canvas()->Handle();
  struct Case {
    int digit, mark;
  } cases[] = {{13, 14}, {15, 14}};
  for (const Case& c : cases) {
    HFONT f = FontWithDigitHeight(dc, c.digit);
    ASSERT_NE(f, nullptr) << c.digit;
    HGDIOBJ old = SelectObject(dc, f);
    const TdxBarMenuMarks m = Painter.CalcMenuMarks(dc, 21);
    SelectObject(dc, old);
    DeleteObject(f);
    EXPECT_EQ(m.MarkHeight, c.mark) << "\"0\" " << c.digit << " high";
    EXPECT_EQ(m.ArrowWidth, 21 / 4 * 3 + 1);
    EXPECT_EQ(m.TextSize, 21);
  }
}

TEST_F(BarPainterTest, DisabledTextIsEmbossedUnlessSelected) {
  TdxBarItemControlDrawParams p(Item);
  p.Enabled = false;
  for (bool selected : {false, true}) {
    Surface s(60, 24, clBtnFace);
    HDC dc = s.Canvas()->Handle();
    SelectObject(dc, Manager->Font()->Handle());
    Painter.DrawItemText(p, dc, "II", {2, 2, 58, 22}, 0, false, selected, false, false, false, DT_SINGLELINE);
    if (!selected) {
      const TPoint shadow = FirstOf(s, clBtnShadow), light = FirstOf(s, clBtnHighlight);
      ASSERT_NE(shadow.X, -1);
      EXPECT_EQ(light.X, shadow.X + 1) << "highlight one pixel right";
      EXPECT_EQ(light.Y, shadow.Y + 1) << "and one down";
    } else {
      EXPECT_GT(s.CountOf(clGrayText), 0);
      EXPECT_EQ(s.CountOf(clBtnHighlight), 0) << "one pass in gray text";
    }
  }
}

TEST_F(BarPainterTest, VerticalCaptionDropsThePrefixAndUnderlinesByHand) {
  TdxBarItemControlDrawParams p(Item);
  LOGFONT lf{};
  GetObject(Manager->Font()->Handle(), sizeof(lf), &lf);
  lf.lfEscapement = lf.lfOrientation = 2700;
  HFONT rotated = CreateFontIndirect(&lf);
  auto draw = [&](const String& Text, Surface& S) {
    HDC dc = S.Canvas()->Handle();
    HGDIOBJ old = SelectObject(dc, rotated);
    Painter.DrawItemText(p, dc, Text, {0, 0, 24, 80}, 0, true, false, true, false, false, DT_SINGLELINE);
    SelectObject(dc, old);
  };
  Surface with(24, 80), without(24, 80);
  draw("Fi&le", with);
  draw("File", without);
  HDC dc = with.Canvas()->Handle();
  HGDIOBJ old = SelectObject(dc, Manager->Font()->Handle());
  SIZE fi{}, l{}, file{};
  GetTextExtentPoint32(dc, "Fi", 2, &fi);
  GetTextExtentPoint32(dc, "l", 1, &l);
  GetTextExtentPoint32(dc, "File", 4, &file);
  TEXTMETRIC tm{};
  GetTextMetrics(dc, &tm);
  SelectObject(dc, old);
  DeleteObject(rotated);
  const int x = (0 + 24 - file.cy) / 2 + tm.tmDescent - 2;
  int differing = 0;
  for (int y = 0; y < 80; ++y)
    for (int xx = 0; xx < 24; ++xx)
      if (with.At(xx, y) != without.At(xx, y)) {
        ++differing;
        EXPECT_EQ(xx, x) << "only the underline differs from the text without its prefix";
        EXPECT_GE(y, fi.cx);
        EXPECT_LT(y, fi.cx + l.cx);
      }
  EXPECT_GT(differing, 0);
  for (int y = fi.cx; y < fi.cx + l.cx; ++y) EXPECT_EQ(with.At(x, y), ColorToRGB(clBtnText)) << y;
}

TEST_F(BarPainterTest, SaveWithATrailingPrefixHasNoUnderline) {
  TdxBarItemControlDrawParams p(Item);
  Surface with(24, 80), without(24, 80);
  for (auto [text, s] : {std::pair<String, Surface*>{"Save&", &with}, {"Save", &without}})
    Painter.DrawItemText(p, s->Canvas()->Handle(), text, {0, 0, 24, 80}, 0, true, false, true, false, false, 0);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 24; ++x) ASSERT_EQ(with.At(x, y), without.At(x, y)) << x << "," << y;
}

TEST_F(BarPainterTest, MissingGlyphCheckCellFollowsTheFontSize) {
  TRecordingPainter painter;
  TdxBarButtonLikeControlDrawParams p(Item);
  p.PaintType = pmMenu;
  Bar->Menu = true;
  TFont font;
  Bar->Font = &font;
  Surface s(40, 40);
  for (int size : {15, 16}) {
    font.SetSize(size);
    painter.Checks.clear();
    painter.DrawMissingGlyphCheck(p, s.Canvas()->Handle(), {0, 0, 40, 40}, true, false);
    ASSERT_EQ(painter.Checks.size(), 1u);
    const bool twice = size >= 16;
    EXPECT_EQ(painter.Checks[0].second, twice);
    const int w = twice ? 18 : 9, h = twice ? 14 : 7;
    EXPECT_EQ(painter.Checks[0].first, TPoint((40 - w) / 2, (40 - h) / 2)) << size;
  }
  painter.Checks.clear();
  painter.DrawMissingGlyphCheck(p, s.Canvas()->Handle(), {0, 0, 40, 40}, false, false);
  EXPECT_TRUE(painter.Checks.empty()) << "unchecked";
  Bar->Font = nullptr;
}

TEST_F(BarPainterTest, CentredGlyphMovesOnlyByThePressOffsets) {
  Item->Glyph = MarkedGlyph();
  struct Case {
    bool down, pressed;
    int base, shifted;
  } cases[] = {{false, false, 0, 0}, {true, false, 0, 1}, {false, true, 0, 1}, {true, true, 0, 2}};
  for (int cell : {22, 23}) {
    for (const Case& c : cases) {
      for (int offset : {0, 1}) {
        TRecordingPainter painter;
        painter.PressOffset = offset;
        TdxBarButtonLikeControlDrawParams p(Item);
        p.Down = c.down;
        p.IsPressed = c.pressed;
        Surface s(30, 30, clBtnFace);
        painter.DrawItemGlyph(p, s.Canvas()->Handle(), {0, 0, cell, cell}, pmHorizontal, false, false, c.down,
                              c.pressed, false, false, false);
        const int want = (cell - 16) / 2 + (offset ? c.shifted : c.base);
        EXPECT_EQ(FirstOf(s, clRed), TPoint(want, want))
            << "cell " << cell << " down " << c.down << " pressed " << c.pressed << " offset " << offset;
        EXPECT_EQ(Item->Image, TRect(want, want, want + 16, want + 16));
      }
    }
  }
}

TEST_F(BarPainterTest, PlaceGlyphPullsTheGlyphToItsSide) {
  const TRect r(10, 20, 60, 80);
  const TSize g(16, 16);
  struct Case {
    TdxBarGlyphLayout layout;
    bool vertical;
    TPoint at;
  } cases[] = {
      {glLeft, false, {14, 42}},   {glRight, false, {40, 42}}, {glTop, false, {27, 22}},   {glBottom, false, {27, 62}},
      {glLeft, true, {27, 24}},    {glRight, true, {27, 60}},  {glTop, true, {42, 42}},    {glBottom, true, {12, 42}},
  };
  for (const Case& c : cases) {
    const TRect got = Painter.PlaceGlyph(r, g, c.layout, c.vertical, true);
    EXPECT_EQ(got.TopLeft(), c.at) << int(c.layout) << (c.vertical ? " vertical" : "");
    EXPECT_EQ(got.Right - got.Left, 16);
  }
  EXPECT_EQ(Painter.PlaceGlyph(r, g, glLeft, false, false).TopLeft(), TPoint(27, 42)) << "no caption: centred";
}

TEST_F(BarPainterTest, LongDescriptionFoldsIntoTwoLinesEndingInAnEllipsis) {
  TRecordingPainter painter;
  TdxBarButtonLikeControlDrawParams p(Item);
  p.PaintType = pmMenu;
  p.Caption = "Open";
  p.Description = "Opens the scene file that was saved last time and recalls every window it holds on the wall";
  Bar->Menu = true;
  Bar->Descriptions = true;
  Surface s(200, 60);
  HDC dc = s.Canvas()->Handle();
  SelectObject(dc, Manager->Font()->Handle());
  painter.PaintButtonItem(p, dc, {0, 0, 200, 60});
  std::vector<TRecordingPainter::TextCall> lines;
  for (auto& t : painter.Texts)
    if (t.Format & DT_END_ELLIPSIS) lines.push_back(t);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(p.Description.rfind(lines[1].Text), p.Description.size() - lines[1].Text.size())
      << "the second line holds the whole rest";
  EXPECT_EQ(lines[0].Text + " " + lines[1].Text, p.Description);
  SIZE wg{};
  GetTextExtentPoint32(dc, "Wg", 2, &wg);
  EXPECT_EQ(lines[1].R.Top - lines[0].R.Top, wg.cy);
  EXPECT_EQ(lines[0].R.Top, 60 - 2 * ((60 - 3 * wg.cy) / 4) - 2 * wg.cy);
  ASSERT_FALSE(painter.Texts.empty());
}

// The filled part of each row of a surface, as "x0-x1" spans.
std::vector<std::string> Rows(Surface& S, TColor Ink) {
  std::vector<std::string> rows;
  for (int y = 0; y < S.Height; ++y) {
    int first = -1, last = -1;
    for (int x = 0; x < S.Width; ++x)
      if (S.At(x, y) == ColorToRGB(Ink)) {
        if (first < 0) first = x;
        last = x;
      }
    if (first >= 0) rows.push_back(std::to_string(y) + ":" + std::to_string(first) + "-" + std::to_string(last));
  }
  return rows;
}

TEST_F(BarPainterTest, ScrollButtonTrianglesAfterTheirCorrections) {
  Bar->Menu = true;
  struct Case {
    bool top;
    int height;
    std::vector<std::string> rows;
  } cases[] = {
      {true, 19, {"9:9-10", "10:8-11", "11:7-12"}},
      {true, 18, {"8:9-10", "9:8-11", "10:7-12"}},
      {false, 19, {"8:7-12", "9:8-11", "10:9-10"}},
      {false, 18, {"6:7-12", "7:8-11", "8:9-10"}},
  };
  for (const Case& c : cases) {
    Surface s(20, c.height, clBtnFace);
    Painter.DrawMenuScrollButton(Bar, s.Canvas()->Handle(), {0, 0, 20, c.height}, c.top, 0, false);
    EXPECT_EQ(Rows(s, clBtnText), c.rows) << (c.top ? "up " : "down ") << c.height;
  }
}

TEST_F(BarPainterTest, ExpandButtonShowsTwoChevrons) {
  Bar->Menu = true;
  Surface s(30, 14, clWhite);
  Painter.DrawMenuExpandButton(Bar, s.Canvas()->Handle(), {0, 0, 30, 14}, false);
  const std::string mask = s.Mask(clBtnText);
  EXPECT_EQ(mask,
            "..............................\n"
            "..............................\n"
            "..............................\n"
            "............#...#.............\n"
            "............##.##.............\n"
            ".............###..............\n"
            "..............#...............\n"
            "............#...#.............\n"
            "............##.##.............\n"
            ".............###..............\n"
            "..............#...............\n"
            "..............................\n"
            "..............................\n"
            "..............................\n")
      << mask;
}

TEST_F(BarPainterTest, SizeGripCoversOnlyItsLines) {
  const TSize g = Painter.SizeGripSize();
  Surface s(g.cx, g.cy, clRed);
  Painter.DrawBarSizeGrip(s.Canvas()->Handle(), {0, 0, g.cx, g.cy});
  int red = 0, lines = 0;
  for (int y = 0; y < g.cy; ++y)
    for (int x = 0; x < g.cx; ++x) {
      const COLORREF c = s.At(x, y);
      if (c == RGB(255, 0, 0))
        ++red;
      else {
        ++lines;
        EXPECT_TRUE(Same(c, COLOR_BTNHIGHLIGHT) || Same(c, COLOR_BTNSHADOW)) << x << "," << y;
      }
    }
  EXPECT_GT(lines, 0);
  EXPECT_GT(red, lines);
  EXPECT_EQ(s.At(0, 0), RGB(255, 0, 0)) << "the far corner keeps the background";
}

TEST_F(BarPainterTest, FloatingMarkSitsLeftOfTheCloseButton) {
  Bar->Docking = 0;
  const TRect caption(4, 4, 104, 4 + Painter.SmallCaptionHeight());
  const int side = caption.Bottom - caption.Top;
  Bar->Close = false;
  EXPECT_EQ(Painter.MarkBounds(Bar, {}, caption), TRect(104 - side, 4, 104, caption.Bottom));
  Bar->Close = true;
  const int close = Painter.CloseButtonSize().cx;
  EXPECT_EQ(Painter.MarkBounds(Bar, {}, caption), TRect(104 - close - 1 - side, 4, 104 - close - 1, caption.Bottom));
  const TRect narrow(4, 4, 4 + side + 3, caption.Bottom);
  EXPECT_EQ(Painter.MarkBounds(Bar, {}, narrow).Left, 4) << "never left of the caption's start";
  Bar->Docking = 2;
  EXPECT_EQ(Painter.MarkBounds(Bar, {0, 0, 200, 26}, {}), TRect(189, 0, 200, 26));
  Bar->Docking = 1;
  EXPECT_EQ(Painter.MarkBounds(Bar, {0, 0, 26, 200}, {}), TRect(0, 189, 26, 200));
}

TEST_F(BarPainterTest, NonClientInsetsOfDockedBorderlessStatusAndFloatingBars) {
  const int frameX = Painter.FrameWidthX(), frameY = Painter.FrameWidthY();
  const TSize grip = Painter.SizeGripSize();
  struct Case {
    const char* name;
    int docking, border;
    bool status, showsGrip, caption, sizeGrip;
    TRect want;
  } cases[] = {
      {"docked top with grip", 2, 1, false, true, true, false, {2, 2, 2, 2}},
      {"docked left without grip", 1, 1, false, false, true, false, {2, 2, 2, 2}},
      {"borderless", 2, 0, false, true, true, false, {0, 0, 0, 0}},
      {"status bar", 4, 0, true, false, true, false, {0, 2, 0, 0}},
      {"status bar with size grip", 4, 0, true, false, true, true, {0, 2, grip.cx, 0}},
      {"floating with caption", 0, 1, false, true, true, false,
       {frameX, frameY + Painter.SmallCaptionHeightPlus(), frameX, frameY}},
      {"floating without caption", 0, 1, false, true, false, false, {frameX, frameY, frameX, frameY}},
  };
  for (const Case& c : cases) {
    Bar->Docking = c.docking;
    Bar->Border = c.border;
    Bar->StatusBar = c.status;
    Bar->Grip = c.showsGrip;
    Bar->Caption = c.caption;
    TRect insets;
    Painter.CalcBarNonClient(Bar, c.docking, insets, c.sizeGrip);
    EXPECT_EQ(insets, c.want) << c.name;
  }
}

TEST_F(BarPainterTest, StatusBarLikeToolbarPaintsItsBandAndGrip) {
  Bar->Docking = 4;
  Bar->Border = 0;
  Bar->StatusBar = true;
  const TSize g = Painter.SizeGripSize();
  Surface s(200, 24, clRed);
  HDC dc = s.Canvas()->Handle();
  Painter.FillStatusBarTopBand(Bar, dc, {0, 0, 200, 24}, GetSysColorBrush(COLOR_BTNFACE));
  for (int x = 0; x < 200; ++x) {
    EXPECT_TRUE(Same(s.At(x, 0), COLOR_BTNFACE) && Same(s.At(x, 1), COLOR_BTNFACE)) << x;
    EXPECT_EQ(s.At(x, 2), RGB(255, 0, 0)) << "two pixels, no more";
  }
  Painter.DrawStatusBarGrip(Bar, dc, {200 - g.cx, 24 - g.cy, 200, 24}, GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_TRUE(Same(s.At(199 - g.cx / 2, 24 - g.cy), COLOR_BTNFACE) || !Same(s.At(199, 23), COLOR_BTNFACE));
  EXPECT_EQ(s.At(200 - g.cx - 1, 23), RGB(255, 0, 0)) << "the grip stays in its cell";
}

// Every painting operation in turn, for the hygiene test. Some leave what they drew excluded from
// the clip on purpose (the caller paints around it): those are checked for objects only.
struct Operation {
  const char* name;
  std::function<void(TdxBarPainter&, HDC)> run;
  bool excludesByDesign = false;
};

std::vector<Operation> Operations(TTestBar* Bar, TTestItem* Item) {
  using TBP = TdxBarButtonLikeControlDrawParams;
  using TSP = TdxBarStaticLikeControlDrawParams;
  using TEP = TdxBarEditLikeControlDrawParams;
  const TRect r(4, 4, 120, 30);
  auto button = [Item](TdxBarPaintMode mode, bool selected, bool dropped) {
    auto p = std::make_shared<TBP>(Item);
    p->PaintType = mode;
    p->IsSelected = selected;
    p->IsDropDown = dropped;
    p->HasDropDownPart = true;
    p->Caption = "&Open";
    p->ShortCut = "Ctrl+O";
    p->Description = "Opens a scene file from the disk";
    p->Checked = true;
    return p;
  };
  auto edit = [Item, r](bool selected, bool inMenu) {
    auto e = std::make_shared<TEP>(Item);
    e->PaintType = inMenu ? pmMenu : pmHorizontal;
    e->IsSelected = selected;
    e->Caption = "Find";
    e->CaptionRect = {r.Left, r.Top, r.Left + 30, r.Bottom};
    e->GlyphRect = {r.Left + 30, r.Top, r.Left + 50, r.Bottom};
    e->ContentRect = {r.Left + 52, r.Top + 2, r.Right - 2, r.Bottom - 2};
    return e;
  };
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  std::vector<Operation> ops = {
      {"FillControlClient", [=](TdxBarPainter& p, HDC dc) { p.FillControlClient(Bar, dc, r); }},
      {"DrawMarkChevrons", [=](TdxBarPainter& p, HDC dc) { p.DrawMarkChevrons(Bar, dc, r, 2); }},
      {"DrawMarkContent", [=](TdxBarPainter& p, HDC dc) { p.DrawMarkContent(Bar, dc, r); }},
      {"DrawMark", [=](TdxBarPainter& p, HDC dc) { p.DrawMark(Bar, dc, r); }},
      {"DrawMarkDropArrow", [=](TdxBarPainter& p, HDC dc) { p.DrawMarkDropArrow(dc, r, clBtnText); }},
      {"DrawBarSizeGrip", [=](TdxBarPainter& p, HDC dc) { p.DrawBarSizeGrip(dc, r); }},
      {"DrawEllipsisDots", [=](TdxBarPainter& p, HDC dc) { p.DrawEllipsisDots(dc, r, false, true); }},
      {"DrawComboArrow", [=](TdxBarPainter& p, HDC dc) { p.DrawComboArrow(dc, r, 7, clDefault, false); }},
      {"DrawMenuScrollButton", [=](TdxBarPainter& p, HDC dc) { p.DrawMenuScrollButton(Bar, dc, r, true, 1, true); },
       true},
      {"DrawMenuExpandButton", [=](TdxBarPainter& p, HDC dc) { p.DrawMenuExpandButton(Bar, dc, r, true); }, true},
      {"DrawMenuExpandButtonFace", [=](TdxBarPainter& p, HDC dc) { p.DrawMenuExpandButtonFace(Bar, dc, r); }},
      {"DrawSpinArrow", [=](TdxBarPainter& p, HDC dc) { p.DrawSpinArrow(dc, r, true, false, false); }},
      {"DrawFaceText", [=](TdxBarPainter& p, HDC dc) { p.DrawFaceText(dc, r, "OK", true); }},
      {"DrawItemRing", [=](TdxBarPainter& p, HDC dc) { p.DrawItemRing(*button(pmMenu, 0, 0), dc, r, face, false); }},
      {"DrawDisabledMark", [=](TdxBarPainter& p, HDC dc) { p.DrawDisabledMark(dc, r); }},
      {"DrawCheckMarkGlyph", [=](TdxBarPainter& p, HDC dc) { p.DrawCheckMarkGlyph(dc, {6, 6}, false, true, false); }},
      {"DrawGlyphFrame",
       [=](TdxBarPainter& p, HDC dc) {
         for (bool dropped : {false, true})
           p.DrawGlyphFrame(Item, dc, face, true, r, pmHorizontal, false, true, false, false, dropped, false);
       }},
      {"DrawItemGlyph", [=](TdxBarPainter& p, HDC dc) {
         p.DrawItemGlyph(*button(pmHorizontal, 1, 0), dc, r, pmHorizontal, false, true, true, true, false, false, false);
       }},
      {"DrawItemText vertical",
       [=](TdxBarPainter& p, HDC dc) {
         auto b = button(pmVertical, 0, 0);
         b->Enabled = false;
         p.DrawItemText(*b, dc, "Fi&le", r, 1, false, false, true, true, false, 0);
       }},
      {"DrawLoweredFrame", [=](TdxBarPainter& p, HDC dc) { TRect q = r; p.DrawLoweredFrame(dc, q); }},
      {"DrawEditButtonFrame",
       [=](TdxBarPainter& p, HDC dc) {
         TRect q = r;
         p.DrawEditButtonFrame(*button(pmHorizontal, 1, 0), dc, q, true, true);
       }},
      {"FillDockBackground",
       [=](TdxBarPainter& p, HDC dc) { p.FillDockBackground(nullptr, dc, r, r, nullptr, clBtnFace); }},
      {"FillBarBackground", [=](TdxBarPainter& p, HDC dc) { p.FillBarBackground(Bar, dc, r, r, face, clNone); }},
      {"DrawToolbarSeparator", [=](TdxBarPainter& p, HDC dc) { p.DrawToolbarSeparator(Bar, dc, r, true, face); }},
      {"DrawButtonFace", [=](TdxBarPainter& p, HDC dc) { p.DrawButtonFace(Bar, dc, r, 2, true); }},
      {"DrawFloatCloseGlyph", [=](TdxBarPainter& p, HDC dc) { p.DrawFloatCloseGlyph(Bar, dc, r, 2, true); }},
      {"DrawFloatBorder", [=](TdxBarPainter& p, HDC dc) { TRect q = r; p.DrawFloatBorder(Bar, dc, q, face); }},
      {"DrawFloatCaption", [=](TdxBarPainter& p, HDC dc) { p.DrawFloatCaption(Bar, dc, r, "Tools", face, true); }},
      {"DrawMarkArrow", [=](TdxBarPainter& p, HDC dc) { p.DrawMarkArrow(Bar, dc, r, true); }},
      {"DrawMDIButton",
       [=](TdxBarPainter& p, HDC dc) {
         for (int state = 0; state <= 4; ++state) p.DrawMDIButton(Bar, dc, r, state % 3, state);
       }},
      {"DrawStatusBarGrip", [=](TdxBarPainter& p, HDC dc) { p.DrawStatusBarGrip(Bar, dc, r, face); }},
      {"FillStatusBarTopBand", [=](TdxBarPainter& p, HDC dc) { p.FillStatusBarTopBand(Bar, dc, r, face); }},
      {"CheckCellBounds", [=](TdxBarPainter& p, HDC dc) { p.CheckCellBounds(*button(pmMenu, 0, 0), dc, r, false); }},
      {"DrawCheckCellFrame",
       [=](TdxBarPainter& p, HDC dc) { p.DrawCheckCellFrame(*button(pmMenu, 1, 0), dc, {4, 4, 20, 20}, r, true); }},
      {"PaintButtonItem toolbar",
       [=](TdxBarPainter& p, HDC dc) { p.PaintButtonItem(*button(pmHorizontal, 1, 1), dc, r); }},
      {"PaintButtonItem vertical",
       [=](TdxBarPainter& p, HDC dc) { p.PaintButtonItem(*button(pmVertical, 1, 0), dc, r); }},
      {"PaintButtonItem menu",
       [=](TdxBarPainter& p, HDC dc) {
         Bar->Descriptions = true;
         p.PaintButtonItem(*button(pmMenu, 1, 0), dc, r);
         Bar->Descriptions = false;
         p.PaintButtonItem(*button(pmMenu, 0, 0), dc, r);
       }},
      {"DrawSubItemArrow", [=](TdxBarPainter& p, HDC dc) { p.DrawSubItemArrow(*button(pmMenu, 1, 0), dc, r); }},
      {"DrawComboButton",
       [=](TdxBarPainter& p, HDC dc) {
         p.DrawComboButton(*button(pmHorizontal, 1, 1), dc, r, true, true);
         p.DrawComboButton(*button(pmMenu, 0, 0), dc, r, false, false);
       }},
      {"DrawDropDownListBorder", [=](TdxBarPainter& p, HDC dc) { p.DrawDropDownListBorder(dc, r, clWindow); }},
      {"DrawMenuBorder",
       [=](TdxBarPainter& p, HDC dc) {
         for (bool detachable : {false, true}) {
           Bar->Detachable = detachable;
           TRect q = r;
           p.DrawMenuBorder(Bar, dc, q);
         }
         Bar->Detachable = false;
       }},
      {"DrawMenuClientBorder",
       [=](TdxBarPainter& p, HDC dc) {
         TRect q = r;
         p.DrawMenuClientBorder(Bar, dc, q, face);
       }},
      {"DrawMenuSeparator",
       [=](TdxBarPainter& p, HDC dc) { p.DrawMenuSeparator(*button(pmMenu, 0, 0), dc, r, true); }},
      {"DrawMenuItemFrame",
       [=](TdxBarPainter& p, HDC dc) {
         Item->Rarely = true;
         p.DrawMenuItemFrame(Bar, dc, Item, {8, 8, 100, 26}, true, true, true, false, r);
         Item->Rarely = false;
       }},
      {"FillMenuBackground", [=](TdxBarPainter& p, HDC dc) { p.FillMenuBackground(Bar, dc, r, r, face, clNone); }},
      {"DrawListItem", [=](TdxBarPainter& p, HDC dc) { p.DrawListItem(dc, r, "Entry", true, 1); }},
      {"DrawEdit",
       [=](TdxBarPainter& p, HDC dc) {
         for (bool selected : {false, true})
           for (bool inMenu : {false, true}) p.DrawEdit(*edit(selected, inMenu), dc, r);
       }},
      {"DrawEditFrame",
       [=](TdxBarPainter& p, HDC dc) {
         TRect q = r;
         p.DrawEditFrame(*edit(false, false), dc, q, false);
       }},
      {"DrawPickerButton",
       [=](TdxBarPainter& p, HDC dc) { p.DrawPickerButton(*button(pmHorizontal, 1, 0), dc, r, true); }},
      {"DrawDoubleFrame", [=](TdxBarPainter& p, HDC dc) { p.DrawDoubleFrame(dc, r, face); }},
      {"DrawPushButton", [=](TdxBarPainter& p, HDC dc) { p.DrawPushButton(dc, r, "OK", false); }},
      {"DrawSpinButton",
       [=](TdxBarPainter& p, HDC dc) { p.DrawSpinButton(*button(pmHorizontal, 0, 0), dc, r, true, 0, true); }},
      {"DrawProgress", [=](TdxBarPainter& p, HDC dc) { p.DrawProgress(Bar, dc, r, 0, 100, 40, false, false); }},
      {"DrawStaticHeader", [=](TdxBarPainter& p, HDC dc) { p.DrawStaticHeader(*button(pmMenu, 1, 0), dc, r); }},
      {"DrawStaticItem",
       [=](TdxBarPainter& p, HDC dc) {
         for (int style = 0; style <= 4; ++style) {
           auto s = std::make_shared<TSP>(Item);
           s->Caption = "Label";
           s->BorderStyle = style;
           s->BorderOffsets = {2, 2, 2, 2};
           s->Alignment = style % 3;
           p.DrawStaticItem(*s, dc, r);
         }
       }},
      {"DrawSeparatorControl",
       [=](TdxBarPainter& p, HDC dc) {
         auto s = std::make_shared<TdxBarSeparatorControlDrawParams>(Item);
         s->Caption = "Group";
         s->PaintType = pmMenu;
         p.DrawSeparatorControl(*s, dc, r);
       }},
      {"DrawDockedBarFrame", [=](TdxBarPainter& p, HDC dc) { TRect q = r; p.DrawDockedBarFrame(Bar, dc, q, face); },
       true},
  };
  return ops;
}

TEST_F(BarPainterTest, EveryOperationOfEveryStyleLeavesTheContextAsItFoundIt) {
  Item->Glyph = MarkedGlyph();
  Bar->Hides = true;
  TdxBarStandardPainter standard;
  TdxBarEnhancedPainter enhanced;
  TdxBarFlatPainter flat;
  TdxBarOffice11Painter office11;
  TdxBarXPPainter xp;
  // The skin look with its skin and without one.
  TScopedBarSkin skin;
  TdxBarSkinPainter skinned, bare;
  skinned.Construct(Xmas2008BluePainter());
  ASSERT_NE(skinned.SkinInfo(), nullptr);
  Manager->SetFlatCloseButton(true);
  Surface s(140, 40);
  HDC dc = s.Canvas()->Handle();
  SetBkMode(dc, OPAQUE);
  HRGN clip = CreateRectRgn(1, 1, 130, 36);
  SelectClipRgn(dc, clip);
  const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), brush = GetCurrentObject(dc, OBJ_BRUSH),
                font = GetCurrentObject(dc, OBJ_FONT);
  HRGN now = CreateRectRgn(0, 0, 0, 0);
  for (TdxBarPainter* painter : std::initializer_list<TdxBarPainter*>{&Painter, &standard, &enhanced, &flat, &office11, &xp, &skinned, &bare}) {
    // Warm the shared canvases and brushes once so that their first use does not count.
    for (auto& op : Operations(Bar, Item)) {
      op.run(*painter, dc);
      SelectClipRgn(dc, clip);
    }
    const DWORD objects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (auto& op : Operations(Bar, Item)) {
      const std::string name = std::string(painter->ClassName()) + " " + op.name;
      op.run(*painter, dc);
      EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objects) << name;
      EXPECT_EQ(GetBkMode(dc), OPAQUE) << name;
      EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen) << name;
      EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush) << name;
      EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font) << name;
      if (!op.excludesByDesign) {
        ASSERT_EQ(GetClipRgn(dc, now), 1) << name;
        EXPECT_TRUE(EqualRgn(now, clip)) << name << ": the clip region";
      }
      SelectClipRgn(dc, clip);
    }
  }
  DeleteObject(now);
  DeleteObject(clip);
}

TEST_F(BarPainterTest, AnEditWhoseTextRaisesLeavesTheContextIntact) {
  Item->ThrowOnEditText = true;
  Surface s(140, 40);
  HDC dc = s.Canvas()->Handle();
  SetBkMode(dc, OPAQUE);
  TdxBarEditLikeControlDrawParams e(Item);
  e.ContentRect = {10, 6, 120, 30};
  EXPECT_THROW(Painter.DrawEdit(e, dc, {4, 4, 130, 32}), Exception);  // warms the shared canvas
  const DWORD objects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  RECT before{};
  GetClipBox(dc, &before);
  EXPECT_THROW(Painter.DrawEdit(e, dc, {4, 4, 130, 32}), Exception);
  RECT after{};
  GetClipBox(dc, &after);
  EXPECT_EQ(after, before);
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objects);
  EXPECT_EQ(PaintCanvasInstance()->LevelCount(), 0) << "the paint canvas level was popped";
}

}  // namespace
}  // namespace barpaintertest
