// The bar window base: construction and liveness, metrics, the vertical layout, rebuild guards,
// messages answered by the base, hint placement and the seam towards the owner element.
#include <gtest/gtest.h>

#include "platform/gdi/Gdi.h"
#include "tests/ui/bars/BarItemFixture.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/ObjectLinks.h"

namespace {

using namespace win;

// A control of fixed height that the links make.
class TFixedControl : public TdxBarItemControl {
  VW_CLASS(TFixedControl, TdxBarItemControl)
 public:
  int Height() const override { return 20; }
};

class THoldingControl : public TFixedControl {
  VW_CLASS(THoldingControl, TFixedControl)
 public:
  bool LetsBarsHide() const override { return false; }
  bool SkippedByCustomizingHitTest() const override { return true; }
};

class TTestBarWindow : public TCustomdxBarControl {
  VW_CLASS(TTestBarWindow, TCustomdxBarControl)
 public:
  explicit TTestBarWindow(TComponent* AOwner) : TCustomdxBarControl(AOwner) {}
  TdxBarManager* BarManager() const override { return dynamic_cast<TdxBarManager*>(Owner()); }
  TdxBarItemLinks* ItemLinks() const override { return Links; }
  int TextSize() const override { return Text; }
  int ReferenceTextSize() const override { return Nominal; }
  int SeparatorSize() const override { return 6; }
  bool ClipsLastItem(const TRect&) const override { return Clips; }
  void Rebuild(bool) override { ++Rebuilds; }
  void SetStateBits(unsigned Bits) { FState = Bits; }
  TdxBarItemControl* SelectedControl() const override { return Selected; }
  TdxBarItemControl* Selected = nullptr;
  TdxBarItemLinks* Links = nullptr;
  int Text = 19, Nominal = 19, Rebuilds = 0;
  bool Clips = false;
};

class BarControlTest : public BarItemFixture {
 protected:
  void SetUp() override {
    BarItemFixture::SetUp();
    M = new TdxBarManager(Form);
  }
  void TearDown() override {
    dxBarItemControlFactory = nullptr;
    EXPECT_EQ(BarControls->Count(), 0) << "every test frees its bars";
    platform::SetScreenPixelsPerInch(96);
    BarItemFixture::TearDown();
  }
  TdxBarManager* M = nullptr;
};

TEST_F(BarControlTest, ConstructionValuesAndLiveness) {
  M->SetStyle(bmsStandard);
  auto* plain = new TTestBarWindow(M);
  M->SetStyle(bmsFlat);
  auto* bar = new TTestBarWindow(M);
  EXPECT_TRUE(IsBarControlAlive(bar));
  EXPECT_FALSE(bar->ControlStyle().Contains(csCaptureMouse));
  EXPECT_TRUE(bar->ControlStyle().Contains(csDoubleClicks));
  EXPECT_FALSE(plain->ControlStyle().Contains(csDoubleClicks));
  EXPECT_EQ(bar->Color(), clBtnFace);
  EXPECT_FALSE(bar->Visible());
  EXPECT_EQ(bar->Left(), 100);
  EXPECT_EQ(bar->Top(), 100);
  EXPECT_EQ(bar->Width(), 50);
  EXPECT_EQ(bar->Height(), 30);
  EXPECT_EQ(bar->BehaviourFlags(), 0x13u);
  TcxObjectLink* link = CreateObjectLink(bar);
  delete bar;
  EXPECT_FALSE(IsBarControlAlive(bar));
  EXPECT_EQ(link->LinkedObject, nullptr);
  FreeObjectLink(link);
  delete plain;
}

TEST_F(BarControlTest, Metrics) {
  TTestBarWindow bar(M);
  struct Row {
    int Nominal, Text, ArrowHeight;
    double Ratio;
  };
  for (Row r : {Row{19, 14, 4, 1.0}, Row{19, 25, 5, 25.0 / 19}, Row{19, 12, 4, 1.0}, Row{19, 38, 7, 2.0}}) {
    bar.Nominal = r.Nominal;
    bar.Text = r.Text;
    bar.CalcMetrics();
    EXPECT_EQ(bar.MenuArrowHeight(), r.ArrowHeight) << r.Text;
    EXPECT_DOUBLE_EQ(bar.Ratio(), r.Ratio) << r.Text;
  }
}

TEST_F(BarControlTest, VerticalLayoutWithASeparatorAndTheClippedLastItem) {
  dxBarItemControlFactory = [](TdxBarItemLink*) { return new TFixedControl; };
  TTestBarWindow bar(M);
  TdxBarSubMenuControlItemLinks links(M, nullptr);
  bar.Links = &links;
  links.SetBarControl(&bar);
  for (int i = 0; i < 5; ++i) {
    auto* b = new TdxBarButton(Form);
    b->SetName("B" + IntToStr(i));
    links.AddItem(b)->CreateControl();
  }
  links.Items(2)->SetBeginGroup(true);
  bar.SetVisibleItemsRect(TRect{0, 0, 100, 70});
  int bottom = -1;
  bar.CalcVerticalItemRects(0, bottom);
  EXPECT_EQ(links.Items(0)->ItemRect(), (TRect{0, 0, 100, 20}));
  EXPECT_EQ(links.Items(1)->ItemRect(), (TRect{0, 20, 100, 40}));
  EXPECT_EQ(links.Items(2)->ItemRect(), (TRect{0, 46, 100, 66}));
  EXPECT_EQ(links.Items(3)->ItemRect(), (TRect{}));
  EXPECT_EQ(bottom, 66);
  bar.Clips = true;
  bar.CalcVerticalItemRects(0, bottom);
  EXPECT_EQ(links.Items(3)->ItemRect(), (TRect{0, 66, 100, 86}));
  EXPECT_EQ(bottom, 70);
  links.SetBarControl(nullptr);
}

TEST_F(BarControlTest, RebuildGuardsAndMessages) {
  TTestBarWindow bar(M);
  bar.RebuildBar(true);
  EXPECT_EQ(bar.Rebuilds, 0) << "no handle";
  bar.SetParent(Form);
  bar.HandleNeeded();
  bar.RebuildBar(true);
  EXPECT_EQ(bar.Rebuilds, 1);
  for (unsigned bits : {0x80u, 0x01u, 0x02u, 0x08u}) {
    bar.SetStateBits(bits);
    bar.RebuildBar(true);
    EXPECT_EQ(bar.Rebuilds, 1) << bits;
  }
  bar.SetStateBits(0);
  M->BeginUpdate();
  bar.RebuildBar(true);
  EXPECT_EQ(bar.Rebuilds, 1) << "update-locked";
  M->EndUpdate();
  PostMessage(bar.Handle(), dxBarRebuildMessage, 0, 0);
  Application->ProcessMessages();
  EXPECT_EQ(bar.Rebuilds, 2) << "a posted rebuild runs once";
  EXPECT_EQ(bar.Perform(WM_ERASEBKGND, 0, 0), 1);
  EXPECT_EQ(bar.Perform(WM_MOUSEACTIVATE, 0, 0), static_cast<win::LRESULT>(MA_NOACTIVATE));
}

TEST_F(BarControlTest, HintOffsetsAndTheOwnerSeam) {
  TTestBarWindow bar(M);
  for (auto [ppi, offset] : {std::pair{96, 20}, {108, 22}, {144, 30}}) {
    platform::SetScreenPixelsPerInch(ppi);
    EXPECT_EQ(bar.AdjustHintPosition(TPoint{10, 100}, 20), (TPoint{10, 100 + offset})) << ppi;
  }
  platform::SetScreenPixelsPerInch(96);
  bar.SetBounds(100, 700, 50, 30);
  win::RECT work = Screen->WorkAreaRect();
  EXPECT_EQ(bar.AdjustHintPosition(TPoint{110, work.bottom - 10}, 20), (TPoint{110, 700 - 20})) << "above the bar";

  // A menu under a button: the seam runs along the shared top edge.
  bar.SetBounds(100, 200, 120, 80);
  bar.SetOwnerScreenBounds(TRect{90, 180, 160, 200});
  EXPECT_TRUE(bar.TouchesOwner());
  EXPECT_EQ(bar.OwnerGapRect(false), (TRect{1, 0, 59, 1}));
  EXPECT_EQ(bar.OwnerGapRect(true), (TRect{101, 199, 159, 200}));
  // Beside a vertical toolbar's button: the same along the left edge.
  bar.SetOwnerScreenBounds(TRect{70, 210, 100, 240});
  EXPECT_EQ(bar.OwnerGapRect(false), (TRect{0, 11, 1, 39}));
  bar.SetOwnerScreenBounds(TRect{0, 0, 10, 10});
  EXPECT_FALSE(bar.TouchesOwner());
  EXPECT_EQ(bar.OwnerGapRect(false), (TRect{}));
}

TEST_F(BarControlTest, HitTestsSeparatorsAndTheChainOfBars) {
  dxBarItemControlFactory = [](TdxBarItemLink* L) -> TdxBarItemControl* {
    if (L->Item()->Name() == "Held") return new THoldingControl;
    return new TFixedControl;
  };
  TTestBarWindow bar(M);
  EXPECT_EQ(bar.ItemControlAtPoint(TPoint{5, 5}), nullptr) << "no visible links";
  TdxBarSubMenuControlItemLinks links(M, nullptr);
  bar.Links = &links;
  links.SetBarControl(&bar);
  for (const char* name : {"A", "Held"}) {
    auto* b = new TdxBarButton(Form);
    b->SetName(name);
    links.AddItem(b)->CreateControl();
    bar.ViewInfo()->AddItemControl(links.Items(links.Count() - 1)->Control());
  }
  bar.SetVisibleItemsRect(TRect{0, 0, 100, 70});
  int bottom = 0;
  bar.CalcVerticalItemRects(0, bottom);
  EXPECT_EQ(bar.ItemControlAtPoint(TPoint{5, 5}), links.Items(0)->Control());
  EXPECT_EQ(bar.ItemControlAtPoint(TPoint{5, 25}), links.Items(1)->Control());
  EXPECT_EQ(bar.ItemControlAtPoint(TPoint{5, 55}), nullptr);
  M->SetCustomizing(true);
  EXPECT_EQ(bar.ItemControlAtPoint(TPoint{5, 5}), nullptr) << "customizing without design hit tests";
  M->SetCustomizing(false);

  TdxBarItemLink* at = nullptr;
  bool vertical = true, before = false, onSeparator = true;
  EXPECT_TRUE(bar.DropPositionAt(TPoint{20, 25}, at, vertical, before, onSeparator));
  EXPECT_EQ(at, links.Items(1));
  EXPECT_FALSE(vertical);
  EXPECT_TRUE(before) << "left half";
  EXPECT_FALSE(onSeparator);
  bar.DropPositionAt(TPoint{80, 25}, at, vertical, before, onSeparator);
  EXPECT_FALSE(before) << "right half";
  EXPECT_FALSE(bar.DropPositionAt(TPoint{20, 65}, at, vertical, before, onSeparator));

  int index = -1;
  EXPECT_FALSE(bar.ViewInfo()->FindSeparator(links.Items(1)->Control(), index));
  bar.ViewInfo()->AddSeparator(TRect{0, 40, 100, 46}, true, links.Items(1)->Control());
  EXPECT_TRUE(bar.ViewInfo()->FindSeparator(links.Items(1)->Control(), index));
  EXPECT_EQ(index, 0);
  EXPECT_EQ(bar.ViewInfo()->SeparatorBounds(0), (TRect{0, 40, 100, 46}));
  // A separator beside the second link (a toolbar's vertical one): on it, halves across it.
  bar.ViewInfo()->Clear();
  bar.ViewInfo()->AddItemControl(links.Items(0)->Control());
  bar.ViewInfo()->AddItemControl(links.Items(1)->Control());
  bar.ViewInfo()->AddSeparator(TRect{0, 20, 100, 30}, true, links.Items(1)->Control());
  links.Items(1)->SetItemRect(TRect{0, 30, 100, 50});
  EXPECT_TRUE(bar.DropPositionAt(TPoint{10, 22}, at, vertical, before, onSeparator));
  EXPECT_EQ(at, links.Items(1));
  EXPECT_TRUE(onSeparator);
  EXPECT_FALSE(vertical) << "the point is on the separator, not above it";
  EXPECT_TRUE(before);
  EXPECT_TRUE(bar.DropPositionAt(TPoint{90, 22}, at, vertical, before, onSeparator));
  EXPECT_FALSE(before);

  // Parent and child point at each other; a bar that goes takes its child first.
  auto* child = new TTestBarWindow(M);
  auto* grandchild = new TTestBarWindow(M);
  bar.SetChildBar(child);
  grandchild->SetParentBar(child);
  EXPECT_EQ(child->ParentBar(), &bar);
  EXPECT_EQ(child->ChildBar(), grandchild);
  EXPECT_EQ(grandchild->BehaviourFlags(), 0x13u);
  EXPECT_TRUE(bar.ChainMayHide());
  grandchild->Selected = links.Items(1)->Control();
  EXPECT_FALSE(bar.ChainMayHide()) << "a control down the chain holds it";
  grandchild->Selected = nullptr;
  TcxObjectLink* gone = CreateObjectLink(grandchild);
  delete child;
  EXPECT_EQ(gone->LinkedObject, nullptr) << "the child's child went first";
  FreeObjectLink(gone);
  EXPECT_EQ(bar.ChildBar(), nullptr);
  links.SetBarControl(nullptr);
  bar.ViewInfo()->Clear();
}

}  // namespace
