// The Slanted and OneNote styles: slant sizes and overlaps, hit tests in overlaps, the outline on
// each row side with its inner and outer regions, the hot look of a selected tab, OneNote's
// refusal of Rotate and its colours following the Office-2003 scheme.
#include "tests/ui/pages/PageControlFixture.h"

#include <set>

#include "platform/gdi/Gdi.h"
#include "platform/win/Metrics.h"
#include "ui/foundation/PaintersUnit.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/foundation/Core.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/ThemeManager.h"
#include "ui/pages/PCSlantedPainters.h"

namespace pagecontroltest {
namespace {

using surfacetest::Surface;
using testsupport::FakeThemeLibrary;
constexpr int kSlanted = 9, kOneNote = 10;
using Pixels = std::set<std::pair<int, int>>;

TcxPCSlantedPainter* SlantedPainter(TcxPageControl* Control) {
  return static_cast<TcxPCSlantedPainter*>(Control->Painter());
}

TEST_F(PageControlTest, CutCornersWithoutPositionsStandOnePixelApart) {
  TcxPageControl* control = MakeControl(300, 120, {"Scenes", "Signals", "Wall"});
  control->TabSlants()->SetKind(skCutCorner);
  control->TabSlants()->SetPositions({});
  control->SetStyle(kSlanted);
  EXPECT_EQ(SlantedPainter(control)->CurrentSlantSize(), 6);
  TRect a = control->Tabs()->Tab(1)->NormalRect(), b = control->Tabs()->Tab(2)->NormalRect();
  EXPECT_EQ(b.Left - a.Right, 1);
}

TEST_F(PageControlTest, FullSlantsOverlapByTheirHalves) {
  TcxPageControl* control = MakeControl(400, 120, {"Scenes", "Signals", "Wall", "Timing"});
  control->TabSlants()->SetKind(skSlant);
  control->TabSlants()->SetPositions({spLeft, spRight});
  control->SetTabHeight(20);
  control->SetStyle(kSlanted);
  ASSERT_EQ(control->Tabs()->TabHeight(), 20);
  EXPECT_EQ(SlantedPainter(control)->CurrentSlantSize(), 19);
  TRect a = control->Tabs()->Tab(1)->NormalRect(), b = control->Tabs()->Tab(2)->NormalRect();
  EXPECT_EQ(a.Right - b.Left, 18);

  // In the overlap of two unselected tabs the earlier one answers; beside the selected tab, the
  // selected one.
  control->SetActivePage(control->Pages(0));
  int y = a.Bottom - 3;
  int x = (a.Right + b.Left) / 2;
  ASSERT_TRUE(control->Tabs()->Tab(2)->ClippedRect().Left <= x);
  EXPECT_EQ(control->TabAtPos(x, y), 1);
  control->SetActivePage(control->Pages(2));
  EXPECT_EQ(control->TabAtPos(x, y), 2);
}

// The outline of a tab with 2-pixel cuts at its outer corners, on each row side.
Pixels CutOutline(const TRect& R, TcxTabPosition Side) {
  Pixels p;
  int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  auto hline = [&](int y, int x0, int x1) { for (int x = x0; x <= x1; ++x) p.insert({x, y}); };
  auto vline = [&](int x, int y0, int y1) { for (int y = y0; y <= y1; ++y) p.insert({x, y}); };
  switch (Side) {
    case tpTop:
      vline(L, T + 2, B - 1), p.insert({L + 1, T + 1}), hline(T, L + 2, Rt - 3), p.insert({Rt - 2, T + 1}),
          vline(Rt - 1, T + 2, B - 1);
      break;
    case tpBottom:
      vline(L, T, B - 3), p.insert({L + 1, B - 2}), hline(B - 1, L + 2, Rt - 3), p.insert({Rt - 2, B - 2}),
          vline(Rt - 1, T, B - 3);
      break;
    case tpLeft:
      hline(B - 1, L + 2, Rt - 1), p.insert({L + 1, B - 2}), vline(L, T + 2, B - 3), p.insert({L + 1, T + 1}),
          hline(T, L + 2, Rt - 1);
      break;
    case tpRight:
      hline(B - 1, L, Rt - 3), p.insert({Rt - 2, B - 2}), vline(Rt - 1, T + 2, B - 3), p.insert({Rt - 2, T + 1}),
          hline(T, L, Rt - 3);
      break;
  }
  return p;
}

TEST_F(PageControlTest, SlantedOutlinesAndTheirRegionsOnEverySide) {
  TcxPageControl* control = MakeControl(300, 200, {"Scenes", "Signals", "Wall"});
  control->TabSlants()->SetKind(skSlant);
  control->TabSlants()->SetPositions({});
  control->SetStyle(kSlanted);
  TcxPCSlantedPainter* painter = SlantedPainter(control);
  for (TcxTabPosition side : {tpTop, tpBottom, tpLeft, tpRight}) {
    SCOPED_TRACE(static_cast<int>(side));
    control->SetTabPosition(side);
    TcxTab* tab = control->Tabs()->Tab(2);  // not selected: its full rectangle is its normal one
    TRect r = tab->FullRect();
    Surface s(300, 200, clWhite);
    TCanvas* previous = control->Canvas()->Canvas();
    control->Canvas()->SetCanvas(s.Canvas());
    painter->PaintTabOutline(tab->VisibleIndex(), r);
    control->Canvas()->SetCanvas(previous);
    Pixels drawn;
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 300; ++x)
        if (s.At(x, y) == ColorToRGB(clBtnShadow)) drawn.insert({x, y});
    Pixels expected = CutOutline(r, side);
    EXPECT_EQ(drawn, expected);
    auto inner = painter->TabShapeRegion(tab->VisibleIndex(), true);
    auto outer = painter->TabShapeRegion(tab->VisibleIndex(), false);
    for (const auto& [x, y] : expected) {
      EXPECT_FALSE(inner->ContainsXY(x, y)) << x << "," << y;
      EXPECT_TRUE(outer->ContainsXY(x, y)) << x << "," << y;
    }
    EXPECT_TRUE(inner->ContainsXY((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
  }
}

TEST_F(PageControlTest, OnlyOneNoteShowsTheHotGradientOnTheSelectedTab) {
  for (int style : {kSlanted, kOneNote}) {
    TcxPageControl* control = MakeControl(300, 120, {"Scenes", "Signals"});
    control->SetStyle(style);
    control->SetHotTrack(true);
    control->SetActivePage(control->Pages(0));
    MoveMouse(control, 280, 5);  // beside the tabs
    ASSERT_EQ(control->HotTabVisibleIndex(), -1);
    win::POINT p = TabCentre(control, 0);
    TRect r = control->Tabs()->Tab(0)->FullRect();
    auto* painter = static_cast<TcxPCStandardPainter*>(control->Painter());
    // Just past the caption, inside the tab: the fill, from below the mark to the page side.
    auto column = [&] {
      painter->CalculateTabImageAndTextRects(0);
      int x = painter->StoredImageAndTextRects().TextRect.Right + 1;
      std::set<win::COLORREF> colours;
      for (int y = r.Top + 6; y < r.Bottom - 1; ++y) colours.insert(Pixel(control, x, y));
      return colours.size();
    };
    std::size_t plain = column();
    MoveMouse(control, p.x, p.y);
    ASSERT_EQ(control->HotTabVisibleIndex(), 0);
    std::size_t hot = column();
    SaveControl(std::string("pagecontrol/hot-selected-") + (style == kSlanted ? "slanted" : "onenote") + ".png", control);
    EXPECT_EQ(plain, 1u) << style;
    if (style == kOneNote)
      EXPECT_GT(hot, 1u);
    else
      EXPECT_EQ(hot, 1u);
  }
}

TEST_F(PageControlTest, OneNoteRefusesRotate) {
  TcxPageControl* control = MakeControl(300, 120, {"Scenes"});
  control->SetRotate(true);
  control->SetStyle(kOneNote);
  EXPECT_FALSE(control->Rotate());
  try {
    control->SetRotate(true);
    FAIL() << "no error";
  } catch (const EdxException& e) {
    EXPECT_STREQ(e.what(), "OneNote style does not support rotation of tabs");
  }
}

TEST_F(PageControlTest, OneNoteColoursFollowTheOffice11Scheme) {
  PCPaintersUnitShutdown();
  PaintingUnitsShutdown();
  FakeThemeLibrary::Install();
  FakeThemeLibrary::OpenableClasses().insert("Button");
  FakeThemeLibrary::ThemeFile() = "C:\\WINDOWS\\Resources\\Themes\\Luna\\luna.msstyles";
  FakeThemeLibrary::ColorName() = "NormalColor";
  PaintingUnitsStartup();
  RebuildOffice11Colors();  // held across the restart by the controls unit
  PCPaintersUnitStartup();
  ASSERT_EQ(CurrentOffice11ColorScheme(), ocsBlue);
  TcxPageControl* control = MakeControl(300, 120, {"Scenes", "Signals"});
  control->SetStyle(kOneNote);
  EXPECT_EQ(static_cast<TcxPCSlantedPainter*>(control->Painter())->OutlineColor(), static_cast<TColor>(0x9C613B));
  // The olive scheme after the next palette notification.
  FakeThemeLibrary::ColorName() = "HomeStead";
  RebuildOffice11Colors();
  ASSERT_EQ(CurrentOffice11ColorScheme(), ocsOlive);
  const win::INT element = win::COLOR_BTNFACE;
  const win::COLORREF colour = win::GetSysColor(win::COLOR_BTNFACE);
  ASSERT_TRUE(win::SetSysColors(1, &element, &colour));
  EXPECT_EQ(OneNoteSchemeColors()[0], static_cast<TColor>(0x588060));
  Pump();
  TRect r = control->Tabs()->Tab(1)->FullRect();
  // The unselected tab's outline along its top: the second scheme colour.
  EXPECT_EQ(Pixel(control, r.Right - 6, r.Top), ColorToRGB(static_cast<TColor>(0x6B7760)));
}

}  // namespace
}  // namespace pagecontroltest
