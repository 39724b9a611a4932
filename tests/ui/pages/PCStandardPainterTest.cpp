// The standard painter and the Tabs and Flat styles: navigator order and sizes, glyph pixels,
// LightenColor, the classic outline's join with the page, band invalidation, and the themed
// parts on the fake theme library.
#include "tests/ui/pages/PageControlFixture.h"

#include "platform/gdi/Gdi.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/foundation/Surface.h"
#include "tests/ui/pages/FakeTabControl.h"

namespace pagecontroltest {
namespace {

using surfacetest::Surface;
using testsupport::FakeThemeLibrary;

TcxPCStandardPainter* StandardPainter(TcxPageControl* Control) {
  return static_cast<TcxPCStandardPainter*>(Control->Painter());
}

std::vector<TcxPCNavigatorButton> Queue(TcxPageControl* Control) {
  std::vector<TcxPCNavigatorButton> queue;
  TRect previous;
  for (const auto& b : StandardPainter(Control)->NavigatorButtonPositions()) {
    EXPECT_GE(b.Bounds.Left, previous.Right);  // laid out from the area's start
    previous = b.Bounds;
    queue.push_back(b.Button);
  }
  return queue;
}

TEST_F(PageControlTest, TheNavigatorQueueAndItsSizes) {
  TcxPageControl* control = MakeControl(200, 120, {"First scene", "Second scene", "Third scene", ""});
  control->SetOptions(control->Options() + TcxPCOptions{pcoGoDialog, pcoCloseButton});
  using Q = std::vector<TcxPCNavigatorButton>;
  EXPECT_EQ(Queue(control), (Q{nbGoDialog, nbTopLeft, nbBottomRight, nbClose}));
  TcxPCStandardPainter* painter = StandardPainter(control);
  EXPECT_EQ(painter->NavigatorButtonPositions().back().Bounds, TRect(180, 0, 200, 20));
  EXPECT_EQ(painter->NavigatorArea(), TRect(200 - 72, 0, 200, 20));
  control->SetNavigatorPosition(npLeftTop);
  EXPECT_EQ(Queue(control), (Q{nbClose, nbTopLeft, nbBottomRight, nbGoDialog}));
  EXPECT_EQ(painter->NavigatorButtonPositions().front().Bounds.Left, 0);

  EXPECT_EQ(painter->NavigatorWidth({}), 0);
  EXPECT_EQ(painter->NavigatorButtonLength(nbGoDialog), 12);
  control->SetTabPosition(tpLeft);
  EXPECT_EQ(painter->NavigatorButtonLength(nbGoDialog), 13);
  // An empty caption without images: the least tab width.
  EXPECT_EQ(control->Tabs()->Tab(3)->NormalWidth(), 42);
  EXPECT_EQ(painter->TabImageAreaWidth(-1), 12);
}

// Draws with the control's painter onto a surface instead of the control.
struct TOnSurface {
  TOnSurface(TcxPageControl* AControl, Surface& S) : Control(AControl), Previous(AControl->Canvas()->Canvas()) {
    Control->Canvas()->SetCanvas(S.Canvas());
  }
  ~TOnSurface() { Control->Canvas()->SetCanvas(Previous); }
  TcxPageControl* Control;
  TCanvas* Previous;
};

TEST_F(PageControlTest, GlyphPixelsMatchTheirHandDrawnMasks) {
  TcxPageControl* control = MakeControl(200, 120, {"A"});
  TcxPCStandardPainter* painter = StandardPainter(control);
  auto glyph = [&](TcxPCNavigatorButton Button, TcxPCNavigatorGlyphInfo Info, int W, int H) {
    Surface s(W, H, clLime);
    TOnSurface on(control, s);
    painter->PaintNavigatorGlyph(Button, Info, TPoint(0, 0));
    std::string rows;
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) {
        win::COLORREF c = s.At(x, y);
        rows += c == ColorToRGB(clBtnText) ? '#' : c == ColorToRGB(clBtnHighlight) ? 'h'
                                              : c == ColorToRGB(clBtnShadow)     ? 's'
                                                                                 : '.';
      }
      rows += '\n';
    }
    return rows;
  };
  TcxPCNavigatorGlyphInfo normal;
  EXPECT_EQ(glyph(nbBottomRight, normal, 5, 9),
            "#....\n"
            "##...\n"
            "###..\n"
            "####.\n"
            "#####\n"
            "####.\n"
            "###..\n"
            "##...\n"
            "#....\n");
  // The bold cross: three strokes each way.
  EXPECT_EQ(glyph(nbClose, normal, 9, 9),
            "##.....##\n"
            "###...###\n"
            ".###.###.\n"
            "..#####..\n"
            "...###...\n"
            "..#####..\n"
            ".###.###.\n"
            "###...###\n"
            "##.....##\n");
  EXPECT_EQ(glyph(nbGoDialog, normal, 7, 4),
            "#######\n"
            ".#####.\n"
            "..###..\n"
            "...#...\n");
  // Disabled: highlight one pixel right and down, shadow in place over it.
  TcxPCNavigatorGlyphInfo disabled;
  disabled.Enabled = false;
  EXPECT_EQ(glyph(nbTopLeft, disabled, 6, 10),
            "....s.\n"
            "...ssh\n"
            "..sssh\n"
            ".ssssh\n"
            "sssssh\n"
            ".ssssh\n"
            "..sssh\n"
            "...ssh\n"
            "....sh\n"
            ".....h\n");
}

TEST(PCStandardPainterColours, LightenColor) {
  struct {
    TColor In;
    int Percent;
    win::COLORREF Out;
  } cases[] = {
      {static_cast<TColor>(win::RGB(200, 100, 50)), 20, win::RGB(240, 120, 60)},
      {static_cast<TColor>(win::RGB(212, 208, 200)), 85, win::RGB(255, 250, 240)},
      {static_cast<TColor>(win::RGB(100, 100, 100)), 50, win::RGB(150, 150, 150)},
      {static_cast<TColor>(win::RGB(128, 128, 128)), 85, win::RGB(236, 236, 236)},
      {static_cast<TColor>(win::RGB(0, 0, 0)), 85, win::RGB(0, 0, 0)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(static_cast<win::COLORREF>(TcxPCStandardPainter::LightenColor(c.In, c.Percent)), c.Out)
        << std::hex << static_cast<unsigned>(c.In);
}

TEST_F(PageControlTest, TheSelectedTabJoinsThePage) {
  TcxPageControl* control = MakeControl(200, 120, {"Scenes", "Signals"});
  control->SetActivePage(control->Pages(0));
  Pump();
  TRect full = control->Tabs()->Tab(0)->FullRect();
  ASSERT_EQ(full.Left, 0);
  const int B = full.Bottom;
  EXPECT_EQ(Pixel(control, 0, B), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Pixel(control, 1, B), ColorToRGB(cl3DLight));
  EXPECT_EQ(Pixel(control, 10, B - 1), ColorToRGB(clBtnFace));  // the tab runs into the page
  // An unselected tab stands on the page's highlight line.
  TRect other = control->Tabs()->Tab(1)->FullRect();
  EXPECT_EQ(Pixel(control, other.Left + 10, other.Bottom), ColorToRGB(clBtnHighlight));

  // Stretched rows reach the right edge: the join ends in the shadow and the dark shadow.
  TcxPageControl* rows = MakeControl(200, 120, {"Scene one long", "Scene two long", "Scene three long", "Scene four"});
  rows->SetMultiLine(true);
  rows->SetActivePage(rows->Pages(1));
  Pump();
  TRect right = rows->Tabs()->Tab(1)->FullRect();
  ASSERT_EQ(right.Right, 200);
  EXPECT_EQ(Pixel(rows, 198, right.Bottom), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Pixel(rows, 199, right.Bottom), ColorToRGB(cl3DDkShadow));
  SaveControl("pagecontrol/join-right-edge.png", rows);
}

TEST_F(PageControlTest, HighlightedTabsAreFilledWithTheHighlightColour) {
  for (int style : {1, 7}) {
    TcxPageControl* control = MakeControl(200, 120, {"Scenes", "Signals"});
    control->SetStyle(style);
    control->Pages(1)->SetHighlighted(true);
    Pump();
    TRect r = control->Tabs()->Tab(1)->FullRect();
    EXPECT_EQ(Pixel(control, r.Left + 3, r.Top + 4), ColorToRGB(clHighlight)) << style;
    EXPECT_EQ(Pixel(control, r.Right - 4, r.Bottom - 3), ColorToRGB(clHighlight)) << style;
  }
}

TEST_F(PageControlTest, FlatOutlinesUseTheLightenedFill) {
  TcxPageControl* control = MakeControl(200, 120, {"Scenes", "Signals"});
  control->SetStyle(7);
  Pump();
  // The selected first tab: highlight, then the lightened fill inside it; the second tab's far
  // side: the lightened fill, then the shadow.
  const win::COLORREF l2 = ColorToRGB(TcxPCStandardPainter::LightenColor(clBtnFace, 85));
  EXPECT_EQ(Pixel(control, 0, 8), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Pixel(control, 1, 8), l2);
  TRect r = control->Tabs()->Tab(1)->FullRect();
  EXPECT_EQ(Pixel(control, r.Right - 2, r.Top + 5), l2);
  EXPECT_EQ(Pixel(control, r.Right - 1, r.Top + 5), ColorToRGB(clBtnShadow));
  // One-pixel page frame.
  TRect frame = control->Painter()->PageFrameBounds();
  EXPECT_EQ(Pixel(control, frame.Right - 1, 60), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Pixel(control, frame.Right - 2, 60), ColorToRGB(clBtnFace));
}

TEST(PCTabsPainter, ASelectionLeavingATabInvalidatesItsWholeBand) {
  platform::InstallDisplay(platform::CreateHeadlessDisplay(320, 240));
  {
    TFakeTabControl control;
    TcxPCTabsPainter painter(&control);
    control.PainterInUse = &painter;
    control.Painter.Width = 300;
    control.AddTabs({50, 50, 50});
    control.SetTabIndex(0);
    control.SetTabIndex(1);
    control.Invalidated.clear();
    painter.RepaintTab(0, tpcIsMainTab);
    ASSERT_EQ(control.Invalidated.size(), 1u);
    EXPECT_EQ(control.Invalidated.back(), control.TabLayout.FirstBand());
    // The tab that is now selected only repaints its own rectangle, one pixel into the page.
    painter.RepaintTab(1, tpcIsMainTab);
    TRect clipped = control.TabList.Tab(1)->ClippedRect();
    EXPECT_EQ(control.Invalidated.back(), TRect(clipped.Left, clipped.Top, clipped.Right, clipped.Bottom + 1));
  }
  platform::ResetDisplay();
}

// ---- the theme ------------------------------------------------------------------------------------

TEST_F(PageControlTest, NativeTabsTakeTheirPartsByPositionInTheRow) {
  UseFakeTabThemes();
  TcxPageControl* control = MakeControl(300, 150, {"One", "Two", "Three"});
  control->LookAndFeel()->SetNativeStyle(true);
  ASSERT_TRUE(control->Painter()->IsNativePainting());
  MoveMouse(control, 290, 5);  // beside the tabs: none is hot
  auto parts = [&] {
    std::vector<std::pair<int, int>> result;
    for (int i = 0; i < 3; ++i) {
      int part, state;
      control->Painter()->ThemeTabPartAndState(i, part, state);
      result.emplace_back(part, state);
    }
    return result;
  };
  using P = std::vector<std::pair<int, int>>;
  control->SetActivePage(control->Pages(1));
  EXPECT_EQ(parts(), (P{{2, 1}, {5, 3}, {3, 1}}));
  control->SetActivePage(control->Pages(0));
  EXPECT_EQ(parts(), (P{{6, 3}, {1, 1}, {3, 1}}));
  // The selected last tab counts as a middle one on a single row; justified rows end in part 7.
  control->SetActivePage(control->Pages(2));
  EXPECT_EQ(parts()[2], std::make_pair(5, 3));
  control->SetMultiLine(true);
  EXPECT_EQ(parts()[2], std::make_pair(7, 3));
  control->SetMultiLine(false);
  // Hot: state 2 (the theme forces hot tracking).
  win::POINT p = TabCentre(control, 0);
  MoveMouse(control, p.x, p.y);
  EXPECT_EQ(parts()[0], std::make_pair(2, 2));

  FakeThemeLibrary::Calls().clear();
  control->Invalidate();
  Pump();
  EXPECT_GE(FakeThemeLibrary::CountOf("DrawThemeBackground(TAB,5,3)"), 1);
  EXPECT_GE(FakeThemeLibrary::CountOf("DrawThemeBackground(TAB,1,1)"), 1);
  EXPECT_GE(FakeThemeLibrary::CountOf("DrawThemeBackground(TAB,2,2)"), 1);
  EXPECT_GE(FakeThemeLibrary::CountOf("DrawThemeBackground(TAB,9,0)"), 1);
  SaveControl("pagecontrol/tabs-themed-fake.png", control);
}

TEST_F(PageControlTest, TheThemedNavigatorUsesSpinAndWindowParts) {
  UseFakeTabThemes();
  TcxPageControl* control =
      MakeControl(200, 120, {"First scene", "Second scene", "Third scene", "Fourth scene"});
  control->SetOptions(control->Options() + TcxPCOptions{pcoGoDialog, pcoCloseButton});
  control->LookAndFeel()->SetNativeStyle(true);
  TcxPCStandardPainter* painter = StandardPainter(control);
  EXPECT_EQ(painter->NavigatorButtonExtent(), 17);
  EXPECT_EQ(painter->NavigatorButtonLength(nbTopLeft), 17);
  EXPECT_EQ(painter->NavigatorButtonLength(nbGoDialog), 17);  // the theme gives no size
  FakeThemeLibrary::PartSizes()[{"SPIN", 2, 1, win::TS_TRUE}] = win::SIZE{15, 9};
  EXPECT_EQ(painter->NavigatorButtonLength(nbGoDialog), 15);
  control->Relayout();
  for (const auto& b : painter->NavigatorButtonPositions()) EXPECT_EQ(b.Bounds.Bottom - b.Bounds.Top, 17);

  FakeThemeLibrary::Calls().clear();
  control->Invalidate();
  Pump();
  // The backward arrow is disabled at the start (4); the others normal (1).
  for (const char* call : {"DrawThemeBackground(SPIN,4,4)", "DrawThemeBackground(SPIN,3,1)",
                           "DrawThemeBackground(SPIN,2,1)", "DrawThemeBackground(WINDOW,19,1)"})
    EXPECT_EQ(FakeThemeLibrary::CountOf(call), 1) << call;
  // Pressed 3, hot 2.
  int part, state;
  TcxPCTabsPainter::NavigatorThemePartAndState(nbBottomRight, nbsPressed, false, part, state);
  EXPECT_EQ(std::make_pair(part, state), std::make_pair(3, 3));
  TcxPCTabsPainter::NavigatorThemePartAndState(nbTopLeft, nbsHotTrack, true, part, state);
  EXPECT_EQ(std::make_pair(part, state), std::make_pair(1, 2));

  // Without the native style: the classic look and 20-pixel buttons; Flat never themes.
  control->LookAndFeel()->SetNativeStyle(false);
  EXPECT_FALSE(control->Painter()->IsNativePainting());
  EXPECT_EQ(painter->NavigatorButtonExtent(), 20);
  control->LookAndFeel()->SetNativeStyle(true);
  control->SetStyle(7);
  EXPECT_FALSE(control->Painter()->IsNativePainting());
  FakeThemeLibrary::Calls().clear();
  control->Invalidate();
  Pump();
  EXPECT_EQ(FakeThemeLibrary::CountOf("DrawThemeBackground("), 0);
}

}  // namespace
}  // namespace pagecontroltest
