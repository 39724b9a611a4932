// The Standard, Enhanced and Flat bar painters: glyph movement, their metrics side by side, marks,
// grips, check marks, MDI buttons, the rarely-used frame, the flat family's joined owner, hot
// frames under black and white button faces, disabled items, shadows and glyph looks by depth.
#include "tests/ui/bars/BarPainterFixture.h"

namespace barpaintertest {
namespace {

class BarStylePaintersTest : public BarPainterFixture {
 protected:
  TdxBarPainter Base;
  TdxBarStandardPainter Standard;
  TdxBarEnhancedPainter Enhanced;
  TdxBarFlatPainter Flat;

  void TearDown() override {
    platform::SetScreenBitsPerPixel(32);
    RefreshScreenConstants();
    BarPainterFixture::TearDown();
  }
  static void SetDepth(int Bits) {
    platform::SetScreenBitsPerPixel(Bits);
    RefreshScreenConstants();
  }
};

TEST_F(BarStylePaintersTest, GlyphsMoveWhenDownOrPressedOnlyInTheClassicStyles) {
  SetDepth(8);  // glyphs drawn as they are, so their marker pixel shows
  Item->Glyph = MarkedGlyph();
  struct Case {
    bool down, pressed;
    int shift;
  } cases[] = {{false, false, 0}, {true, false, 1}, {false, true, 1}, {true, true, 2}};
  struct Style {
    TdxBarPainter* painter;
    const char* name;
    bool moves;
  } styles[] = {{&Standard, "standard", true}, {&Enhanced, "enhanced", true}, {&Flat, "flat", false}};
  for (const Style& st : styles)
    for (const Case& c : cases) {
      TdxBarButtonLikeControlDrawParams p(Item);
      p.ViewStructure = cpIcon;
      p.Down = c.down;
      p.IsPressed = c.pressed;
      Surface s(30, 30, clBtnFace);
      st.painter->PaintButtonItem(p, s.Canvas()->Handle(), {0, 0, 23, 22});
      const int dx = 3 + (st.moves ? c.shift : 0), dy = 3 + (st.moves ? c.shift : 0);
      EXPECT_EQ(FirstOf(s, clRed), TPoint(dx, dy)) << st.name << " down " << c.down << " pressed " << c.pressed;
    }
}

TEST_F(BarStylePaintersTest, MetricsSideBySide) {
  struct Row {
    const char* name;
    std::function<int(TdxBarPainter&)> get;
    int standard, enhanced, flat;
  } rows[] = {
      {"GripSizeDocked", [](TdxBarPainter& p) { return p.GripSizeDocked(); }, 9, 6, 6},
      {"GripInset", [](TdxBarPainter& p) { return p.GripInset(); }, 2, 1, 1},
      {"SubMenuVertOffset", [](TdxBarPainter& p) { return p.SubMenuVertOffset(); }, 2, 2, 1},
      {"MenuGroupIndent", [](TdxBarPainter& p) { return p.MenuGroupIndent(); }, 2, 12, 8},
      {"MenuSeparatorHeight", [](TdxBarPainter& p) { return p.MenuSeparatorHeight(); }, 10, 10, 5},
      {"ToolbarSeparatorSize", [](TdxBarPainter& p) { return p.ToolbarSeparatorSize(); }, 6, 6, 5},
      {"ToolbarSeparatorMargin", [](TdxBarPainter& p) { return p.ToolbarSeparatorMargin(); }, 2, 2, 2},
      {"CaptionOffsets top", [](TdxBarPainter& p) { return p.CaptionOffsets().Top; }, 1, 1, 2},
      {"CaptionOffsets bottom", [](TdxBarPainter& p) { return p.CaptionOffsets().Bottom; }, 1, 1, 3},
      {"EditFrameInsets top", [](TdxBarPainter& p) { int t, b; p.EditFrameInsets(t, b); return t; }, 0, 0, 2},
      {"EditFrameInsets bottom", [](TdxBarPainter& p) { int t, b; p.EditFrameInsets(t, b); return b; }, 2, 2, 2},
      {"DetachCaptionHeight 8", [](TdxBarPainter& p) { return p.DetachCaptionHeight(8); }, 11, 11, 9},
      {"MenuInnerBorder", [](TdxBarPainter& p) { return p.MenuInnerBorder(); }, 2, 2, 1},
      {"ButtonSideMargin", [](TdxBarPainter& p) { return p.ButtonSideMargin(); }, 1, 1, 1},
      {"NominalTextSize", [](TdxBarPainter& p) { return p.NominalTextSize(); }, 19, 19, 20},
      {"MenuArrowMargin", [](TdxBarPainter& p) { return p.MenuArrowMargin(); }, 2, 2, 1},
      {"EditBorderOffsets", [](TdxBarPainter& p) { return p.EditBorderOffsets().Left; }, 2, 2, 1},
      {"MenuTextIndentOf 19", [](TdxBarPainter& p) { return p.MenuTextIndentOf(19); }, 22, 22, 28},
      {"FloatFrameSideInset", [](TdxBarPainter& p) { return p.FloatFrameSideInset(); }, 4, 4, 0},
      {"FloatFrameTopInset", [](TdxBarPainter& p) { return p.FloatFrameTopInset(); }, 2, 2, 0},
      {"FloatFrameBottomInset", [](TdxBarPainter& p) { return p.FloatFrameBottomInset(); }, 1, 1, 0},
      {"GlyphPressOffset", [](TdxBarPainter& p) { return p.GlyphPressOffset(true); }, 1, 1, 0},
      {"AllowsQuickCustomizing", [](TdxBarPainter& p) { return int(p.AllowsQuickCustomizing()); }, 0, 1, 1},
      {"TracksCloseButton", [](TdxBarPainter& p) { return int(p.TracksCloseButton()); }, 1, 1, 0},
      {"LinksMenuToOwner", [](TdxBarPainter& p) { return int(p.LinksMenuToOwner()); }, 0, 0, 1},
      {"IsFlatStyle", [](TdxBarPainter& p) { return int(p.IsFlatStyle()); }, 0, 0, 1},
      {"MenuItemsUseMenuBrush", [](TdxBarPainter& p) { return int(p.MenuItemsUseMenuBrush()); }, 0, 0, 1},
      {"ShiftsRecentGroup", [](TdxBarPainter& p) { return int(p.ShiftsRecentGroup()); }, 1, 1, 0},
      {"MenuChevronSize 14", [](TdxBarPainter& p) { return p.MenuChevronSize(14); }, 4, 4, 5 - 1},
      {"MenuChevronSize 16", [](TdxBarPainter& p) { return p.MenuChevronSize(16); }, 5, 5, 6},
      {"MenuChevronSize 12", [](TdxBarPainter& p) { return p.MenuChevronSize(12); }, 3, 3, 4},
      {"MenuChevronSize 10", [](TdxBarPainter& p) { return p.MenuChevronSize(10); }, 2, 2, 3},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(r.get(Standard), r.standard) << r.name << " standard";
    EXPECT_EQ(r.get(Enhanced), r.enhanced) << r.name << " enhanced";
    EXPECT_EQ(r.get(Flat), r.flat) << r.name << " flat";
  }
  Manager->SetButtonArrowWidth(11);
  EXPECT_EQ(Flat.DropArrowPartWidth(Manager, false), 10);
  EXPECT_EQ(Standard.DropArrowPartWidth(Manager, false), 11);
  int h = 19;
  Flat.AdjustMenuItemHeight(h);
  EXPECT_EQ(h, 21);
  int w = 100;
  Flat.AdjustMenuItemWidth(w);
  EXPECT_EQ(w, 109);

  // A docked toolbar with a grip is the grip size longer at its start.
  Bar->Docking = 2;
  for (TdxBarPainter* p : {static_cast<TdxBarPainter*>(&Standard), static_cast<TdxBarPainter*>(&Enhanced),
                           static_cast<TdxBarPainter*>(&Flat)}) {
    TRect with, without;
    Bar->Grip = true;
    p->CalcBarNonClient(Bar, 2, with, false);
    Bar->Grip = false;
    p->CalcBarNonClient(Bar, 2, without, false);
    EXPECT_EQ(with.Left - without.Left, p->GripSizeDocked());
  }
}

TEST_F(BarStylePaintersTest, MenuMarkHeightsForDigitHeightsElevenToSeventeen) {
  Surface s(10, 10);
  HDC dc = s.Canvas()->Handle();
  struct Case {
    int digit, classic, flat;
  } cases[] = {{11, 10, 10}, {12, 10, 10}, {13, 14, 14}, {14, 15, 15}, {15, 14, 16}, {16, 14, 17}, {17, 18, 18}};
  for (const Case& c : cases) {
    HFONT f = FontWithDigitHeight(dc, c.digit);
    if (!f) continue;  // the installed face has no size with that digit height
    HGDIOBJ old = SelectObject(dc, f);
    EXPECT_EQ(Standard.CalcMenuMarks(dc, 19).MarkHeight, c.classic) << c.digit;
    EXPECT_EQ(Enhanced.CalcMenuMarks(dc, 19).MarkHeight, c.classic) << c.digit;
    EXPECT_EQ(Flat.CalcMenuMarks(dc, 19).MarkHeight, c.flat) << c.digit;
    SelectObject(dc, old);
    DeleteObject(f);
  }
}

TEST_F(BarStylePaintersTest, MarksOfFloatingAndDockedToolbars) {
  Bar->Docking = 0;
  Bar->Close = true;
  const TRect caption(4, 4, 150, 4 + Standard.SmallCaptionHeight());
  EXPECT_EQ(Standard.MarkBounds(Bar, {}, caption), TRect(4, 4, 17, caption.Bottom));
  EXPECT_EQ(Enhanced.MarkBounds(Bar, {}, caption), TRect(4, 4, 17, caption.Bottom));
  EXPECT_NE(Flat.MarkBounds(Bar, {}, caption).Left, 4) << "the flat mark stays at the caption's right end";

  // Docked: the quick-customizing triangle only where it is allowed, chevrons only with hidden items.
  Bar->Docking = 2;
  for (bool hides : {false, true}) {
    Bar->Hides = hides;
    for (TdxBarPainter* p : {static_cast<TdxBarPainter*>(&Standard), static_cast<TdxBarPainter*>(&Enhanced)}) {
      Surface s(11, 24, clBtnFace);
      p->DrawMarkContent(Bar, s.Canvas()->Handle(), {0, 0, 11, 24});
      const int triangle = s.CountOf(clBtnText);
      EXPECT_EQ(triangle > 0, p == &Enhanced && true) << "triangle, hides " << hides;
      const int chevrons = p == &Standard ? s.CountOf(clBtnHighlight) : triangle - 9;
      EXPECT_EQ(chevrons > 0, hides) << (p == &Standard ? "standard" : "enhanced") << " hides " << hides;
    }
  }
}

TEST_F(BarStylePaintersTest, GripRows) {
  Bar->Docking = 2;
  Bar->Grip = true;
  struct Style {
    TdxBarPainter* painter;
    const char* name;
  } styles[] = {{&Standard, "standard"}, {&Enhanced, "enhanced"}, {&Flat, "flat"}};
  for (const Style& st : styles) {
    Surface s(40, 26, clRed);
    HDC dc = s.Canvas()->Handle();
    const int saved = SaveDC(dc);
    TRect r(0, 0, 40, 26);
    st.painter->DrawDockedBarFrame(Bar, dc, r, GetSysColorBrush(COLOR_BTNFACE));
    RestoreDC(dc, saved);
    EXPECT_EQ(r, TRect(2, 2, 38, 24)) << st.name;
    auto kind = [&](int x, int y) {
      const COLORREF c = s.At(x, y);
      return Same(c, COLOR_BTNHIGHLIGHT) ? 'H' : Same(c, COLOR_BTNSHADOW) ? 'S' : Same(c, COLOR_BTNFACE) ? 'F' : '?';
    };
    std::string row, column;
    for (int x = 0; x < 10; ++x) row += kind(x, 12);
    for (int y = 0; y < 10; ++y) column += kind(2, y);
    if (st.painter == &Standard) {
      EXPECT_EQ(row, "HFHFSHFS??") << "two raised bars from x 2";
      EXPECT_EQ(kind(2, 23), 'H') << "bar one's far corner";
      EXPECT_EQ(kind(5, 23), 'H') << "bar two's far corner";
    } else if (st.painter == &Enhanced) {
      EXPECT_EQ(row, "HHFS??????") << "one raised bar from x 1";
      EXPECT_EQ(kind(1, 2), 'F') << "inset one pixel across the bar: the ring in the brush";
      EXPECT_EQ(kind(1, 3), 'H');
    } else {
      EXPECT_EQ(column, "F??SFSFSFS") << "stripes from y 3, shadow first";
      EXPECT_EQ(kind(1, 3), 'S');
      EXPECT_EQ(kind(4, 3), '?') << "three wide";
    }
  }
}

TEST_F(BarStylePaintersTest, CheckMarksFillTheirCellInTheirColours) {
  struct Case {
    TdxBarPainter* painter;
    bool enabled, twice;
    COLORREF ink;
  } cases[] = {
      {&Standard, true, false, RGB(0, 0, 0)},
      {&Standard, true, true, RGB(0, 0, 0)},
      {&Standard, false, false, GetSysColor(COLOR_BTNSHADOW)},
      {&Flat, true, false, RGB(0, 0, 0)},
      {&Flat, false, true, GetSysColor(COLOR_BTNSHADOW)},
  };
  for (const Case& c : cases) {
    Surface s(40, 40, clBtnFace);
    c.painter->DrawCheckMarkGlyph(s.Canvas()->Handle(), {10, 10}, c.enabled, c.twice, false);
    int left = 99, top = 99, right = -1, bottom = -1;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x)
        if (s.At(x, y) == c.ink) {
          left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
        }
    const int w = c.twice ? 18 : 9, h = c.twice ? 14 : 7;
    EXPECT_EQ(TRect(left, top, right + 1, bottom + 1), TRect(10, 10, 10 + w, 10 + h))
        << (c.painter == &Flat ? "flat" : "standard") << " enabled " << c.enabled << " twice " << c.twice;
    const bool silver = FirstOf(s, static_cast<TColor>(RGB(0xC0, 0xC0, 0xC0))).X >= 0;
    EXPECT_EQ(silver, c.painter == &Standard && c.enabled) << "the classic edge strokes";
    const bool embossed = FirstOf(s, clBtnHighlight).X >= 0;
    EXPECT_EQ(embossed, c.painter == &Standard && !c.enabled);
  }
  TScopedSysColors white({{COLOR_BTNFACE, RGB(255, 255, 255)}});
  Surface s(20, 20, clBlack);
  Flat.DrawCheckMarkGlyph(s.Canvas()->Handle(), {2, 2}, true, false, false);
  EXPECT_GT(s.CountOf(clWhite), 0) << "white on a white button face";
}

TEST_F(BarStylePaintersTest, MDIButtonsInEveryState) {
  auto paint = [&](TdxBarPainter& P, int Kind, int State) {
    Surface s(20, 18, clWhite);
    P.DrawMDIButton(Bar, s.Canvas()->Handle(), {2, 2, 18, 16}, Kind, State);
    std::string mask;
    for (int y = 0; y < 18; ++y)
      for (int x = 0; x < 20; ++x) mask += std::to_string(s.At(x, y)) + ",";
    return std::make_pair(mask, s.At(5, 5));
  };
  for (int kind = 0; kind < 3; ++kind) {
    const auto normal = paint(Standard, kind, 0);
    EXPECT_EQ(paint(Standard, kind, 2).first, normal.first) << "hot is normal in Standard";
    EXPECT_EQ(paint(Standard, kind, 3).first, normal.first) << "pressed outside is normal in Standard";
    EXPECT_NE(paint(Standard, kind, 4).first, normal.first) << "pressed";
    EXPECT_NE(paint(Standard, kind, 1).first, normal.first) << "disabled";
  }
  Manager->SetFlatCloseButton(true);
  {
    Surface s(20, 18, clRed);
    HDC dc = s.Canvas()->Handle();
    RECT before{};
    GetClipBox(dc, &before);
    Standard.DrawMDIButton(Bar, dc, {2, 2, 18, 16}, 2, 0);
    RECT after{};
    GetClipBox(dc, &after);
    EXPECT_EQ(after, before) << "the clip is back";
    EXPECT_TRUE(Same(s.At(2, 2), COLOR_BTNHIGHLIGHT)) << "the flat close button's raised edge";
    EXPECT_TRUE(Same(s.At(17, 15), COLOR_BTNSHADOW));
  }
  TdxBarManager* m = Manager;
  const COLORREF hot = [&] {
    LOGBRUSH lb{};
    GetObject(Flat.HotBrush(m), sizeof(lb), &lb);
    return lb.lbColor;
  }();
  const auto flatNormal = paint(Flat, 2, 0);
  EXPECT_TRUE(Same(flatNormal.second, COLOR_BTNFACE)) << "the bar's background";
  EXPECT_EQ(paint(Flat, 2, 2).second, hot);
  EXPECT_NE(paint(Flat, 2, 3).first, paint(Flat, 2, 4).first) << "down and down-hot brushes";
  EXPECT_NE(paint(Flat, 2, 1).first, flatNormal.first);
}

TEST_F(BarStylePaintersTest, RarelyUsedGroupFrameOfAStandardMenu) {
  Bar->Menu = true;
  TTestItem recent(Bar), rarely(Bar);
  rarely.Rarely = true;
  const TRect client(0, 0, 100, 80);
  Surface s(100, 80, clRed);
  HDC dc = s.Canvas()->Handle();
  Standard.DrawMenuItemFrame(Bar, dc, &recent, {4, 10, 90, 30}, false, false, true, false, client);
  Standard.DrawMenuItemFrame(Bar, dc, &rarely, {4, 40, 90, 60}, true, true, true, false, client);
  EXPECT_TRUE(Same(s.At(10, 10), COLOR_BTNHIGHLIGHT)) << "line above a recent item";
  EXPECT_TRUE(Same(s.At(3, 10), COLOR_BTNHIGHLIGHT)) << "from one left of the item";
  EXPECT_TRUE(Same(s.At(90, 10), COLOR_BTNHIGHLIGHT)) << "to its right + 1";
  EXPECT_TRUE(Same(s.At(10, 40), COLOR_BTNSHADOW)) << "line above a rarely used item";
  EXPECT_TRUE(Same(s.At(91, 38), COLOR_BTNHIGHLIGHT)) << "the pixel at (right + 1, top - 2)";
  EXPECT_TRUE(Same(s.At(2, 79), COLOR_BTNHIGHLIGHT)) << "the pixel at (left - 2, client bottom - 1)";
  EXPECT_TRUE(Same(s.At(3, 50), COLOR_BTNFACE)) << "the margin left of it in the menu brush";
  EXPECT_TRUE(Same(s.At(91, 50), COLOR_BTNFACE)) << "and the two right of it";
  EXPECT_TRUE(Same(s.At(50, 70), COLOR_BTNFACE)) << "down to the client's bottom";
  EXPECT_EQ(s.At(50, 20), RGB(255, 0, 0)) << "a recent item's own area is left alone";
}

TEST_F(BarStylePaintersTest, FlatOwnerFrameStaysOpenTowardsItsMenu) {
  const TRect item(10, 10, 40, 32);
  LOGBRUSH lb{};
  GetObject(Flat.ControlBrush(Bar), sizeof(lb), &lb);
  const COLORREF link = lb.lbColor;
  struct Case {
    const char* name;
    TRect menu;
    bool horizontalSeam;
    int seam;
  } cases[] = {
      {"below", {8, 31, 120, 120}, true, 31},
      {"flipped above", {8, -60, 120, 11}, true, 10},
      {"beside a vertical toolbar's button", {39, 4, 120, 90}, false, 39},
  };
  for (const Case& c : cases) {
    Surface s(130, 130, clRed);
    HDC dc = s.Canvas()->Handle();
    Flat.DrawDroppedOwnerFrame(Bar, dc, item, c.menu);
    int seamPixels = 0;
    if (c.horizontalSeam) {
      for (int x = item.Left + 1; x < item.Right - 1; ++x) {
        EXPECT_EQ(s.At(x, c.seam), link) << c.name << " x " << x;
        ++seamPixels;
      }
      EXPECT_TRUE(Same(s.At(item.Left, c.seam), COLOR_BTNSHADOW) || s.At(item.Left, c.seam) != link)
          << c.name << " the frame's corner stays";
    } else {
      for (int y = item.Top + 1; y < item.Bottom - 1; ++y) {
        EXPECT_EQ(s.At(c.seam, y), link) << c.name << " y " << y;
        ++seamPixels;
      }
    }
    EXPECT_GT(seamPixels, 0);
    // The other sides keep the frame.
    EXPECT_NE(s.At(item.Left, 20), RGB(255, 0, 0)) << c.name;
    EXPECT_NE(s.At(20, c.horizontalSeam && c.seam == item.Top ? item.Bottom - 1 : item.Top), RGB(255, 0, 0)) << c.name;
  }
}

TEST_F(BarStylePaintersTest, FlatHotFrameUnderBlackAndWhiteFaces) {
  {
    TScopedSysColors black({{COLOR_BTNFACE, RGB(0, 0, 0)}});
    Surface s(20, 20, clRed);
    Flat.DrawHotFrame(s.Canvas()->Handle(), {2, 2, 18, 18});
    EXPECT_TRUE(Same(s.At(2, 2), COLOR_HIGHLIGHTTEXT));
  }
  {
    Surface s(20, 20, clRed);
    Flat.DrawHotFrame(s.Canvas()->Handle(), {2, 2, 18, 18});
    EXPECT_TRUE(Same(s.At(2, 2), COLOR_HIGHLIGHT));
  }
  Bar->Mark = 1;
  EXPECT_EQ(Flat.MarkGlyphColorIndex(Bar), 18);
  TScopedSysColors white({{COLOR_BTNFACE, RGB(255, 255, 255)}});
  EXPECT_EQ(Flat.MarkGlyphColorIndex(Bar), 15) << "white face, hot mark";
  Bar->Mark = 0;
  EXPECT_EQ(Flat.MarkGlyphColorIndex(Bar), 18);
}

TEST_F(BarStylePaintersTest, FlatDisabledItemIsDrawnOnce) {
  TdxBarButtonLikeControlDrawParams p(Item);
  p.ViewStructure = cpText;
  p.Caption = "Tools";
  p.Enabled = false;
  p.HasDropDownPart = true;
  Surface s(80, 22, clBtnFace);
  HDC dc = s.Canvas()->Handle();
  SelectObject(dc, Manager->Font()->Handle());
  Flat.PaintButtonItem(p, dc, {0, 0, 80, 22});
  EXPECT_GT(s.CountOf(clGrayText), 0);
  EXPECT_EQ(s.CountOf(clBtnHighlight), 0) << "no embossing, text nor arrow";
  const int part = Flat.DropArrowPartWidth(Manager, false);
  int arrow = 0;
  for (int y = 0; y < 22; ++y)
    for (int x = 80 - part; x < 80; ++x) arrow += Same(s.At(x, y), COLOR_BTNSHADOW);
  EXPECT_GT(arrow, 0) << "the arrow in button shadow";
}

TEST_F(BarStylePaintersTest, ShadowsOnlyUnderFlat) {
  EXPECT_FALSE(Standard.WantsShadow(Bar));
  EXPECT_FALSE(Enhanced.WantsShadow(Bar));
  EXPECT_TRUE(Flat.WantsShadow(Bar));
  EXPECT_TRUE(Flat.ShadowAgainstOwner(Bar)) << "no owner control";
  Bar->NoShadowFlag = true;
  EXPECT_FALSE(Flat.WantsShadow(Bar));
}

TEST_F(BarStylePaintersTest, FlatGlyphLooksByScreenDepth) {
  Item->Glyph = MarkedGlyph(clNavy, clRed);
  enum Look { Normal, Faded, Shadowed };
  struct Case {
    int depth;
    bool selected, down, pressed;
    Look look;
    const char* name;
  } cases[] = {
      {32, false, false, false, Faded, "idle at 32 bits"}, {8, false, false, false, Normal, "idle at 8 bits"},
      {32, true, false, false, Shadowed, "hot"},           {32, true, false, true, Normal, "pressed"},
      {32, false, true, false, Normal, "down"},
  };
  for (const Case& c : cases) {
    SetDepth(c.depth);
    TdxBarButtonLikeControlDrawParams p(Item);
    p.ViewStructure = cpIcon;
    p.IsSelected = c.selected;
    p.Down = c.down;
    p.IsPressed = c.pressed;
    Surface s(23, 22, clBtnFace);
    Flat.PaintButtonItem(p, s.Canvas()->Handle(), {0, 0, 23, 22});
    const TRect g = Item->Image;
    const bool navy = s.At(g.Left + 8, g.Top + 8) == ColorToRGB(clNavy);
    const TPoint marker = FirstOf(s, clRed);
    Look got = !navy ? Faded : marker == TPoint(g.Left - 1, g.Top - 1) ? Shadowed : Normal;
    EXPECT_EQ(got, c.look) << c.name;
    if (c.look == Normal) {
      EXPECT_EQ(marker, g.TopLeft()) << c.name;
    }
  }
}


TEST_F(BarStylePaintersTest, GlyphBrushesByState) {
  TdxBarManager* m = Manager;
  Item->Glyph = MarkedGlyph();
  HBRUSH own = Bar->BkBrush();
  struct Case {
    TdxBarPaintMode mode;
    bool noGlyph, selected, down, pressed, dropped, staticItem;
    HBRUSH standard, flat;
    const char* name;
  } cases[] = {
      {pmHorizontal, false, false, false, false, false, false, own, own, "idle"},
      {pmHorizontal, false, false, true, false, false, false, Standard.DownBrush(m), Flat.DownBrush(m), "down"},
      {pmHorizontal, false, true, true, false, false, false, Standard.DownHotBrush(m), Flat.DownHotBrush(m),
       "down and hot"},
      {pmHorizontal, false, true, false, false, false, false, own, Flat.HotBrush(m), "hot"},
      {pmHorizontal, false, true, false, true, false, false, own, Flat.DownHotBrush(m), "hot and pressed"},
      {pmHorizontal, false, false, false, false, true, false, own, Flat.ControlBrush(Bar), "menu open"},
      {pmHorizontal, false, false, true, false, true, false, Standard.DownBrush(m), Flat.DownHotBrush(m),
       "menu open and down"},
      {pmMenu, true, true, false, false, false, false, Standard.HotBrush(m), Flat.HotBrush(m),
       "glyph-less selected menu item"},
      {pmMenu, false, false, false, false, false, false, own, Flat.MenuGlyphBrush(m), "menu glyph"},
      {pmMenu, false, false, false, false, false, true, own, own, "static item's glyph in a menu"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Standard.GlyphBrushFor(Item, c.mode, c.noGlyph, c.selected, c.down, c.pressed, c.dropped, c.staticItem,
                                     false),
              c.standard)
        << "standard " << c.name;
    EXPECT_EQ(
        Flat.GlyphBrushFor(Item, c.mode, c.noGlyph, c.selected, c.down, c.pressed, c.dropped, c.staticItem, false),
        c.flat)
        << "flat " << c.name;
  }
}

TEST_F(BarStylePaintersTest, ClassicGlyphFrameEdges) {
  // 'R' raised (highlight at the top-left), 'S' sunken (shadow there), '-' no edge.
  struct Case {
    bool selected, down, pressed, dropped, split, menu, noGlyph;
    char edge;
    const char* name;
  } cases[] = {
      {true, false, false, false, false, false, false, 'R', "hot"},
      {false, true, false, false, false, false, false, 'S', "down"},
      {true, false, true, false, false, false, false, 'S', "pressed"},
      {true, false, false, true, false, false, false, 'S', "dropped"},
      {true, false, false, true, true, false, false, 'R', "dropped split button"},
      {true, false, false, false, false, true, true, '-', "glyph-less menu item"},
      {false, false, false, false, false, false, false, '-', "idle"},
  };
  for (const Case& c : cases) {
    Surface s(24, 24, clRed);
    Standard.DrawGlyphFrame(Item, s.Canvas()->Handle(), GetSysColorBrush(COLOR_BTNFACE), false, {2, 2, 22, 22},
                            c.menu ? pmMenu : pmHorizontal, c.noGlyph, c.selected, c.down, c.pressed, c.dropped,
                            c.split);
    const COLORREF corner = s.At(2, 2);
    const char got = Same(corner, COLOR_BTNHIGHLIGHT) ? 'R' : Same(corner, COLOR_BTNSHADOW) ? 'S' : '-';
    EXPECT_EQ(got, c.edge) << c.name;
  }
}

TEST_F(BarStylePaintersTest, FlatCloseGlyphIsAnXInItsInsetSquare) {
  Surface s(20, 20, clRed);
  Flat.DrawFloatCloseGlyph(Bar, s.Canvas()->Handle(), {0, 0, 18, 18}, 0, true);
  // Inset 3 and 4: 12 wide, even; 11 high; two diagonals two pixels wide.
  const COLORREF ink = ColorToRGB(Flat.FloatCaptionGlyphColor(true, 0));
  EXPECT_EQ(s.At(3, 4), ink);
  EXPECT_EQ(s.At(4, 4), ink);
  EXPECT_EQ(s.At(14, 4), ink);
  EXPECT_EQ(s.At(13, 4), ink);
  EXPECT_EQ(s.At(8, 9), ink) << "the diagonals cross in the middle";
  EXPECT_NE(s.At(8, 4), ink);
  EXPECT_NE(s.At(3, 15), ink) << "nothing below the square";
}

TEST_F(BarStylePaintersTest, DetachableClassicMenuHasNoTopInset) {
  EXPECT_EQ(Standard.MenuBorderInsets(Bar), TRect(2, 2, 2, 2));
  Bar->Detachable = true;
  EXPECT_EQ(Standard.MenuBorderInsets(Bar), TRect(2, 0, 2, 2));
  EXPECT_EQ(Flat.MenuBorderInsets(Bar), TRect(1, 1, 1, 1));
}

}  // namespace
}  // namespace barpaintertest
