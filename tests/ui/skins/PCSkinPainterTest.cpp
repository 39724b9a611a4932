// The "Skin" tab style: growths of the selected and the other tabs, the selected tab drawn last,
// tab and navigator frames from a probe skin, the page pane by HideTabs and ShowFrame, and "Tabs"
// wherever there is no skin.
#include "tests/ui/skins/SkinFormFixture.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/pages/PageControl.h"
#include "ui/skins/PCSkinPainter.h"

namespace {

using skintest::ProbeSkin;
using skintest::SkinFormTest;

class PCSkinTest : public SkinFormTest {
 protected:
  void SetUp() override {
    SkinFormTest::SetUp();
    probe.Add("PageControl", "TabHeader", 1);
    probe.Add("PageControl", "TabButtonHorz", 4);
    probe.Add("PageControl", "TabButtonVert", 4);
    probe.Add("PageControl", "TabPane", 1);
    probe.Add("Common", "GroupPanel", 1);
    probe.Add("Form", "FormContent", 1);
    TdxSkinControlGroup* g = probe.Skin->GroupByName("PageControl");
    for (auto [name, value] : {std::pair{"SelectedHeaderHGrow", 2}, {"SelectedHeaderUpGrow", 1},
                               {"SelectedHeaderDownGrow", 3}, {"HeaderDownGrow", 1}}) {
      auto* p = static_cast<TdxSkinIntegerProperty*>(g->Properties()->Add(name, TdxSkinIntegerProperty::StaticClass()));
      p->SetValue(value);
    }
    codes = probe.Numbers;
    RegisterProbe(probe, "PCProbe");
  }
  std::uint32_t Code(const char* Path, TdxSkinElementState State, int Index = 0) {
    return skintest::ProbeCode(codes.at(Path), Index, State);
  }
  TcxPageControl* MakeControl(int W, int H, std::initializer_list<const char*> Captions, const char* Skin = "PCProbe") {
    form = MakeForm(W + 40, H + 40);
    auto* control = new TcxPageControl(form);
    control->SetParent(form);
    control->SetBounds(20, 20, W, H);
    if (Skin) control->LookAndFeel()->SetSkinName(Skin);
    for (const char* caption : Captions) {
      auto* page = new TcxTabSheet(form);
      page->SetCaption(caption);
      page->SetPageControl(control);
    }
    Pump();
    return control;
  }
  ProbeSkin probe;
  std::map<std::string, int> codes;
  TForm* form = nullptr;
};

TEST_F(PCSkinTest, TabsGrowByTheSkinsGrowths) {
  TcxPageControl* control = MakeControl(400, 200, {"One", "Two", "Three"});
  ASSERT_EQ(control->Painter()->PainterClass(), cxPCSkinStyle()) << "the automatic style under a skin";
  control->SetTabIndex(1);
  struct {
    TcxTabPosition position;
    TRect selected, other;
  } cases[] = {
      {tpTop, TRect(-2, -1, 2, 3), TRect(0, 0, 0, 2)},
      {tpBottom, TRect(-2, -3, 2, 1), TRect(0, 0, 0, 0)},
      {tpLeft, TRect(-1, -2, 3, 2), TRect(0, 0, 2, 0)},
      {tpRight, TRect(-3, -2, 1, 2), TRect(0, 0, 0, 0)},
  };
  for (auto& k : cases) {
    control->SetTabPosition(k.position);
    Pump();
    TcxPCCustomPainter* p = control->Painter();
    EXPECT_EQ(p->TabRectAdjustment(1), k.selected) << k.position;
    EXPECT_EQ(p->TabRectAdjustment(0), k.other) << k.position;
  }
}

TEST_F(PCSkinTest, TheSelectedTabIsDrawnLastOverItsNeighbours) {
  TcxPageControl* control = MakeControl(400, 200, {"One", "Two", "Three", "Four"});
  control->SetTabIndex(1);
  control->Pages(3)->SetEnabled(false);
  Pump();
  TcxTabs* tabs = control->Tabs();
  const TRect left = tabs->Tab(0)->NormalRect(), selected = tabs->Tab(1)->NormalRect();
  ASSERT_EQ(left.Right, selected.Left) << "no gap between the tabs of a row";
  // The selected tab reaches two pixels into each neighbour and is drawn over them.
  EXPECT_EQ(Pixel(control, selected.Left - 1, selected.Top + 2), Code("PageControl/TabHeader", esPressed));
  EXPECT_EQ(Pixel(control, selected.Left - 3, selected.Top + 2), Code("PageControl/TabHeader", esNormal));
  const TRect disabled = tabs->Tab(3)->NormalRect();
  EXPECT_EQ(Pixel(control, disabled.Left + 1, disabled.Top + 2), Code("PageControl/TabHeader", esDisabled));
  // The pane under the tabs.
  const TRect frame = control->Painter()->PageFrameBounds();
  EXPECT_EQ(Pixel(control, frame.Right - 2, frame.Bottom - 2), Code("PageControl/TabPane", esNormal));
  SaveControl("skins/pagecontrol-probe.png", control);
}

TEST_F(PCSkinTest, NavigatorButtonsTakeTheirImagesByDirection) {
  EXPECT_EQ(TcxPCSkinPainter::NavigatorImageIndex(nbTopLeft, false), 2);
  EXPECT_EQ(TcxPCSkinPainter::NavigatorImageIndex(nbBottomRight, false), 1);
  EXPECT_EQ(TcxPCSkinPainter::NavigatorImageIndex(nbGoDialog, false), 3);
  EXPECT_EQ(TcxPCSkinPainter::NavigatorImageIndex(nbClose, false), 0);
  EXPECT_EQ(TcxPCSkinPainter::NavigatorImageIndex(nbTopLeft, true), 3);
  EXPECT_EQ(TcxPCSkinPainter::NavigatorImageIndex(nbBottomRight, true), 0);
  EXPECT_EQ(TcxPCSkinPainter::NavigatorImageIndex(nbGoDialog, true), 1);
  EXPECT_EQ(TcxPCSkinPainter::NavigatorImageIndex(nbClose, true), 2);
  // Too many tabs for the row: the scroll arrows show, the left one disabled at the start.
  TcxPageControl* control = MakeControl(160, 120, {"First page", "Second page", "Third page", "Fourth page"});
  auto* p = static_cast<TcxPCSkinPainter*>(control->Painter());
  ASSERT_FALSE(p->NavigatorButtonPositions().empty());
  for (const auto& b : p->NavigatorButtonPositions()) {
    const TRect& r = b.Bounds;
    const std::uint32_t pixel = Pixel(control, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    const TdxSkinElementState state = b.Button == nbTopLeft ? esDisabled : esNormal;
    EXPECT_EQ(pixel, Code("PageControl/TabButtonHorz", state, TcxPCSkinPainter::NavigatorImageIndex(b.Button, false)))
        << b.Button;
  }
}

TEST_F(PCSkinTest, HiddenTabsShowTheGroupPanelOrTheFormContent) {
  TcxPageControl* control = MakeControl(300, 150, {"One", "Two"});
  control->SetHideTabs(true);
  Pump();
  ASSERT_FALSE(control->ShowFrame());
  EXPECT_EQ(Pixel(control, 2, 2), Code("Form/FormContent", esNormal));
  control->SetShowFrame(true);
  Pump();
  EXPECT_EQ(Pixel(control, 2, 2), Code("Common/GroupPanel", esNormal));
}

TEST_F(PCSkinTest, WithoutASkinTheSkinStyleDrawsAsTabs) {
  TcxPageControl* tabs = MakeControl(300, 150, {"One", "Two", "Three"}, nullptr);
  tabs->SetStyle(1);
  Pump();
  ASSERT_EQ(tabs->Painter()->PainterClass(), cxPCTabsStyle());
  TcxPageControl* skin = MakeControl(300, 150, {"One", "Two", "Three"}, nullptr);
  skin->SetStyle(11);
  Pump();
  ASSERT_EQ(skin->Painter()->PainterClass(), cxPCSkinStyle());
  // The tab strip is the same pixel for pixel.
  const TRect frame = tabs->Painter()->PageFrameBounds();
  ASSERT_EQ(skin->Painter()->PageFrameBounds(), frame);
  int differ = 0;
  for (int y = 0; y < frame.Top + 2; ++y)
    for (int x = 0; x < 300; ++x) differ += Pixel(tabs, x, y) != Pixel(skin, x, y);
  EXPECT_EQ(differ, 0);
  // The page client area keeps no client shift.
  EXPECT_EQ(skin->Painter()->PageClientExtents(), static_cast<TcxPCTabsPainter*>(tabs->Painter())->TabRowsExtents());
  EXPECT_NE(tabs->Painter()->PageClientExtents(), skin->Painter()->PageClientExtents());
}

}  // namespace
