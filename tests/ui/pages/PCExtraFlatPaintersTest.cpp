// The flat family: ExtraFlat widths, separators, row lines, the Office-2003 gradients and the
// navigator of each style on pixels.
#include "tests/ui/pages/PageControlFixture.h"

#include "tests/ui/foundation/Surface.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/StandardPainters.h"
#include "ui/pages/PCExtraFlatPainters.h"

namespace pagecontroltest {
namespace {

constexpr int kExtraFlat = 5, kUltraFlat = 6, kOffice11 = 8;

TcxPageControl* Styled(PageControlTest* T, TcxPageControl* Control, int Style) {
  Control->SetStyle(Style);
  (void)T;
  return Control;
}

TEST_F(PageControlTest, ExtraFlatTabWidths) {
  TcxPageControl* control = Styled(this, MakeControl(300, 120, {"", "Ab"}), kExtraFlat);
  EXPECT_EQ(control->Tabs()->Tab(0)->NormalWidth(), 12);
  EXPECT_EQ(control->Tabs()->Tab(1)->NormalWidth(), control->MeasureTabCaptionWidth(control->Tabs()->Tab(1)) + 9);
}

TEST_F(PageControlTest, SeparatorsStandBetweenUnselectedNeighboursOnly) {
  for (int style : {kExtraFlat, kUltraFlat, kOffice11}) {
    TcxPageControl* control = Styled(this, MakeControl(300, 120, {"Scenes", "Signals", "Wall", "Timing"}), style);
    control->SetActivePage(control->Pages(1));
    Pump();
    auto* painter = static_cast<TcxPCExtraFlatPainter*>(control->Painter());
    // Scenes | Signals: none (the next is selected); Signals: selected; Wall | Timing: one.
    EXPECT_TRUE(painter->SeparatorBounds(0).Left >= painter->SeparatorBounds(0).Right) << style;
    EXPECT_TRUE(painter->SeparatorBounds(1).Left >= painter->SeparatorBounds(1).Right) << style;
    TRect s = painter->SeparatorBounds(2);
    TRect wall = control->Tabs()->Tab(2)->FullRect();
    ASSERT_EQ(s.Left, wall.Right) << style;
    int y = (s.Top + s.Bottom) / 2;
    if (style == kOffice11) {
      EXPECT_EQ(s.Right - s.Left, 2);
      EXPECT_EQ(Pixel(control, s.Left, y), ColorToRGB(Office11LineShadowColor));
      EXPECT_EQ(Pixel(control, s.Left + 1, y), ColorToRGB(Office11LineHighlightColor));
    } else {
      EXPECT_EQ(s.Right - s.Left, 1) << style;
      EXPECT_EQ(Pixel(control, s.Left, y), ColorToRGB(clBtnShadow)) << style;
    }
    EXPECT_TRUE(painter->SeparatorBounds(3).Left >= painter->SeparatorBounds(3).Right) << "the last tab";
  }
}

TEST_F(PageControlTest, UltraFlatRowLinesMarkTheSelectedRow) {
  TcxPageControl* control =
      Styled(this, MakeControl(200, 150, {"Scene one", "Scene two", "Scene three", "Scene four"}), kUltraFlat);
  control->SetMultiLine(true);
  ASSERT_EQ(control->Layout()->RowCount(), 2);
  control->SetActivePage(control->Pages(0));
  Pump();
  SaveControl("pagecontrol/ultraflat-row-lines.png", control);
  auto lines = [&](int TabIndex) {
    TRect body;
    static_cast<TcxPCExtraFlatPainter*>(control->Painter())->TabBodyBounds(TabIndex, true, body);
    int x = 199 - 5;  // past the tabs' ends: only the row's band
    return std::vector<win::COLORREF>{Pixel(control, x, body.Bottom - 1), Pixel(control, x, body.Bottom - 2),
                                      Pixel(control, x, body.Bottom - 3)};
  };
  using C = std::vector<win::COLORREF>;
  const win::COLORREF face = ColorToRGB(clBtnFace), black = ColorToRGB(clBlack);
  int selectedRow = control->Tabs()->Tab(0)->VisibleRow();
  int otherTab = control->Tabs()->Tab(2)->VisibleRow() != selectedRow ? 2 : 3;
  EXPECT_EQ(lines(control->Tabs()->Tab(0)->VisibleIndex()), (C{face, face, black}));
  EXPECT_EQ(lines(otherTab), (C{face, black, face}));
}

TEST_F(PageControlTest, Office11GradientsAndTheirMix) {
  TcxPageControl* control = Styled(this, MakeControl(300, 200, {"Scenes", "Signals"}), kOffice11);
  Pump();
  TRect page = control->Painter()->PageClientBounds();
  EXPECT_TRUE(control->Painter()->RepaintsOnResize());
  EXPECT_NE(Pixel(control, 150, page.Top + 1), Pixel(control, 150, page.Bottom - 2));
  EXPECT_EQ(Pixel(control, 150, page.Top), ColorToRGB(Office11GradientLightColor));
  // A resize repaints the whole control.
  EXPECT_TRUE(control->InvalidatesChildren());

  control->SetOptions(control->Options() - TcxPCOptions{pcoGradient});
  Pump();
  EXPECT_FALSE(control->Painter()->RepaintsOnResize());
  const win::COLORREF mix = ColorToRGB(BlendColorsByPercent(Office11GradientLightColor, Office11GradientDarkColor, 50));
  EXPECT_EQ(Pixel(control, 150, page.Top + 1), mix);
  EXPECT_EQ(Pixel(control, 150, page.Bottom - 2), mix);
  // The tab row's background too.
  TRect row = control->Tabs()->Tab(1)->FullRect();
  EXPECT_EQ(Pixel(control, row.Right + 20, row.Top + 2), mix);
}

class TProbeSkin : public TcxStandardLookAndFeelPainter {};
const TProbeSkin kProbeSkin;

TEST_F(PageControlTest, Office11IsNotTheAutomaticStyleUnderASkin) {
  TcxPageControl* control = MakeControl(300, 120, {"A"});
  control->SetStyle(0);
  control->LookAndFeel()->SetKind(lfOffice11);
  EXPECT_EQ(control->Painter()->PainterClass(), cxPCOffice11Style());
  ASSERT_TRUE(ExtendedStylePainterRegistry()->RegisterPainter("ProbeTabs", &kProbeSkin, nullptr));
  control->LookAndFeel()->SetSkinName("ProbeTabs");
  EXPECT_NE(control->Painter()->PainterClass(), cxPCOffice11Style());
  control->LookAndFeel()->SetSkinName("");
  ExtendedStylePainterRegistry()->UnregisterPainter("ProbeTabs");
}

// The navigators of the flat family, and of the slanted styles beside them.
TEST_F(PageControlTest, TheFlatFamilysNavigators) {
  using Ints = std::vector<int>;
  struct {
    int Style;
    int Extent;
    Ints Lengths;  // go, left, right, close in queue order
    Ints Spacings;
  } cases[] = {
      {kExtraFlat, 13, {13, 13, 13, 13}, {0, 3, 3}},
      {kUltraFlat, 15, {11, 15, 15, 14}, {1, 1, 3}},
      {kOffice11, 15, {11, 15, 15, 14}, {1, 1, 3}},
      {9 /* Slanted */, 17, {13, 17, 17, 16}, {1, 1, 3}},
      {10 /* OneNote */, 17, {13, 17, 17, 16}, {1, 1, 3}},
  };
  for (const auto& c : cases) {
    TcxPageControl* control = Styled(
        this, MakeControl(220, 120, {"First scene", "Second scene", "Third scene", "Fourth scene"}), c.Style);
    control->SetOptions(control->Options() + TcxPCOptions{pcoGoDialog, pcoCloseButton});
    auto* painter = static_cast<TcxPCStandardPainter*>(control->Painter());
    const auto& queue = painter->NavigatorButtonPositions();
    ASSERT_EQ(queue.size(), 4u) << c.Style;
    Ints lengths, spacings;
    for (std::size_t i = 0; i < queue.size(); ++i) {
      EXPECT_EQ(queue[i].Bounds.Bottom - queue[i].Bounds.Top, c.Extent) << c.Style;
      lengths.push_back(queue[i].Bounds.Right - queue[i].Bounds.Left);
      if (i > 0) spacings.push_back(queue[i].Bounds.Left - queue[i - 1].Bounds.Right);
    }
    EXPECT_EQ(lengths, c.Lengths) << c.Style;
    EXPECT_EQ(spacings, c.Spacings) << c.Style;
  }
}

TEST_F(PageControlTest, DisabledNavigatorLooks) {
  // ExtraFlat: the disabled backward arrow is an outline in the shadow colour around a light face.
  TcxPageControl* control =
      Styled(this, MakeControl(220, 120, {"First scene", "Second scene", "Third scene", "Fourth scene"}), kExtraFlat);
  Pump();
  auto* painter = static_cast<TcxPCStandardPainter*>(control->Painter());
  TRect left;
  for (const auto& b : painter->NavigatorButtonPositions())
    if (b.Button == nbTopLeft) left = b.Bounds;
  ASSERT_EQ(control->NavigatorButtonState(nbTopLeft), nbsDisabled);
  // The left arrow's glyph at (5, 2): its tip (0, 4) and its middle (2, 4).
  EXPECT_EQ(Pixel(control, left.Left + 5, left.Top + 6), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Pixel(control, left.Left + 7, left.Top + 6), ColorToRGB(LightButtonFaceColor()));

  // UltraFlat on a disabled control: embossed glyphs, highlight under shadow.
  control->SetStyle(kUltraFlat);
  control->SetEnabled(false);
  Pump();
  TRect right;
  for (const auto& b : static_cast<TcxPCStandardPainter*>(control->Painter())->NavigatorButtonPositions())
    if (b.Button == nbBottomRight) right = b.Bounds;
  int highlight = 0, shadow = 0;
  for (int y = right.Top; y < right.Bottom; ++y)
    for (int x = right.Left; x < right.Right; ++x) {
      win::COLORREF c = Pixel(control, x, y);
      highlight += c == ColorToRGB(clBtnHighlight);
      shadow += c == ColorToRGB(clBtnShadow);
    }
  EXPECT_GT(highlight, 3);
  EXPECT_GT(shadow, 10);
}

}  // namespace
}  // namespace pagecontroltest
