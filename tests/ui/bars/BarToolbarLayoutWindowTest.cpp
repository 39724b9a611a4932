// The toolbar layout on real toolbar windows of the headless backend: lines of a floating
// toolbar, the first item of a short single-line toolbar, recent-use collapsing, alignment on a
// rest-space bar, the MDI buttons' own line while narrowing, sizes for a docking style, drop
// positions between rows, and pictures of wrapped and collapsed toolbars in every style.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarItemFixture.h"
#include "tests/ui/bars/BarPainterFixture.h"
#include "tests/ui/bars/BarToolbarTable.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/GraphicsUnit.h"

using namespace win;

namespace {

using Lines = std::vector<std::vector<int>>;

// A button of the size its item's tag holds: the width in the low 16 bits, the height above
// (22 when none).
class TSizedButtonControl : public TdxBarButtonControl {
  VW_CLASS(TSizedButtonControl, TdxBarButtonControl)
 public:
  using TdxBarButtonControl::TdxBarButtonControl;
  int RawWidth() override { return static_cast<int>(Item()->Tag() & 0xFFFF); }
  int RawHeight() override {
    const int height = static_cast<int>(Item()->Tag() >> 16);
    return height ? height : 22;
  }
};

// A toolbar window that shows the MDI buttons of a maximized child (or only a close button), and
// one in the application menu's extra pane.
class TMDIToolbar : public TdxBarControl {
  VW_CLASS(TMDIToolbar, TdxBarControl)
 public:
  explicit TMDIToolbar(TComponent* AOwner) : TdxBarControl(AOwner) {}
  bool ShowsMDIOrCloseButtons() const override { return true; }
  bool ShowsMDIButtons() const override { return true; }
};
class TPaneToolbar : public TdxBarControl {
  VW_CLASS(TPaneToolbar, TdxBarControl)
 public:
  explicit TPaneToolbar(TComponent* AOwner) : TdxBarControl(AOwner) {}
  unsigned BehaviourFlags() const override { return TdxBarControl::BehaviourFlags() | dxBarBehaviourPlainHitTest; }
};
template <class TWindow>
class TBarOf : public TdxBar {
  VW_CLASS(TBarOf, TdxBar)
 public:
  explicit TBarOf(TComponent* AOwner) : TdxBar(AOwner) {}
  TClass BarControlClass() const override { return TWindow::StaticClass(); }
};
using TMDIBar = TBarOf<TMDIToolbar>;
using TPaneBar = TBarOf<TPaneToolbar>;

class BarToolbarLayoutWindowTest : public BarItemFixture {
 protected:
  void SetUp() override {
    BarItemFixture::SetUp();
    GraphicsUnitStartup();
    dxBarItemControlFactory = [](TdxBarItemLink* L) -> TdxBarItemControl* { return new TSizedButtonControl(L); };
    Form->SetBounds(0, 0, 640, 420);
    M = new TdxBarManager(Form);
    M->SetStyle(bmsStandard);
    Form->Show();
    M->Bars()->CreateDockControls();
  }
  void TearDown() override {
    TObject::Free(Form);
    Form = nullptr;
    dxBarItemControlFactory = nullptr;
    GraphicsUnitShutdown();
    BarItemFixture::TearDown();
  }
  // Sizes along: a negative one begins a group.
  template <class TBar = TdxBar>
  TdxBar* NewBar(TdxBarDockingStyle AStyle, std::initializer_list<int> ASizes, int AFloatWidth = 200,
                 int AHeight = 22) {
    auto* bar = new TBar(Form);
    bar->AttachToParent(M);
    bar->SetCaption("Layout");
    int i = 0;
    for (int size : ASizes) {
      auto* button = new TdxBarButton(Form);
      button->SetCaption("B" + std::to_string(++i));
      button->SetTag(std::abs(size) | (static_cast<std::intptr_t>(AHeight) << 16));
      bar->ItemLinks()->AddItem(button)->SetBeginGroup(size < 0);
    }
    bar->SetFloatLeft(300);
    bar->SetFloatTop(200);
    bar->SetFloatClientWidth(AFloatWidth);
    bar->SetDockingStyle(AStyle);
    bar->SetVisible(true);
    Pump();
    return bar;
  }
  static TdxBarControl* Window(TdxBar* ABar) { return ABar->Control(); }
  static void Pump() { Application->ProcessMessages(); }
  // Item lines read back as the placement ended them: along sizes of the placed items.
  static Lines LinesOf(TdxBar* ABar) {
    Lines lines{{}};
    TdxBarItemLinks* links = ABar->ItemLinks();
    for (int i = 0; i < links->VisibleCount(); ++i) {
      const TRect r = links->VisibleLinks(i)->ItemRect();
      if (r.Right <= r.Left) break;
      lines.back().push_back(r.Right - r.Left);
      if (links->VisibleLinks(i)->Control()->EndsLine()) lines.emplace_back();
    }
    lines.pop_back();
    return lines;
  }
  // A docked window given its length the way its dock site gives it: the client size the layout
  // answers for that length, plus the frame.
  static void SizeDocked(TdxBarControl* W, int AClientLength) {
    TRect insets;
    W->BarPainter()->CalcBarNonClient(W, W->DockingStyle(), insets, false);
    const int bh = insets.Left + insets.Right, bv = insets.Top + insets.Bottom;
    if (W->IsVertical()) {
      const TSize size = W->CalcSizeForHeight(W->DockingStyle(), AClientLength);
      W->SetBounds(0, 0, size.cx + bh, AClientLength + bv);
    } else {
      const TSize size = W->CalcSizeForWidth(W->DockingStyle(), AClientLength);
      W->SetBounds(0, 0, AClientLength + bh, size.cy + bv);
    }
    W->CalcViewInfo();
  }
  TdxDockControl* Site(TdxBarDockingStyle AStyle) const {
    for (int i = 0; i < M->DockControlCount(); ++i)
      if (M->DockControls(i)->BuiltInStyle() == AStyle) return M->DockControls(i);
    return nullptr;
  }

  TdxBarManager* M = nullptr;
};

// ---- line breaking ---------------------------------------------------------------------------------

TEST_F(BarToolbarLayoutWindowTest, AFloatingToolbarBreaksItsLinesAsTheArithmeticSays) {
  struct Case {
    const char* What;
    std::initializer_list<int> Items;
    int Width;
    Lines Expected;
  };
  const Case cases[] = {
      {"the group moves as a whole", {30, 30, -30, 30}, 100, {{30, 30}, {30, 30}}},
      {"without the group", {30, 30, 30, 30}, 100, {{30, 30, 30}, {30}}},
      {"a wrapped line begun inside a group", {30, -30, 30, 30, -30}, 70, {{30}, {30, 30}, {30}, {30}}},
      {"a group longer than a line", {30, -30, 30, 30, 30, -30, 30}, 100, {{30}, {30, 30, 30}, {30}, {30, 30}}},
  };
  int n = 0;
  for (const Case& c : cases) {
    TdxBar* bar = NewBar(dsNone, c.Items, c.Width);
    TdxBarControl* w = Window(bar);
    EXPECT_EQ(LinesOf(bar), c.Expected) << c.What;
    const TSize size = w->CalcSizeForWidth(dsNone, c.Width);
    EXPECT_EQ(w->ClientWidth(), size.cx) << c.What;
    EXPECT_EQ(w->ClientHeight(), size.cy) << c.What;
    RECT r;
    GetWindowRect(w->Handle(), &r);
    SaveScreenArea("bars/toolbar-layout-lines-" + std::to_string(++n) + ".png",
                   TRect(r.left - 4, r.top - 4, r.right + 4, r.bottom + 4), 3);
    TObject::Free(bar);
  }
}

// ---- minimal widths ----------------------------------------------------------------------------------

TEST_F(BarToolbarLayoutWindowTest, MinimalWidthsOfAFloatingAndASingleLineToolbar) {
  TdxBar* floating = NewBar(dsNone, {23}, 10);
  TdxBarControl* f = Window(floating);
  const int close = f->BarPainter()->CloseButtonSize().cx;
  EXPECT_EQ(f->ClientWidth(), std::max(51, f->MarkAreaSize() + close));
  EXPECT_EQ(f->MinLengthFor(dsNone), f->ClientWidth());

  TdxBar* top = NewBar(dsTop, {120, 30});
  TdxBarControl* t = Window(top);
  SizeDocked(t, 80);
  EXPECT_EQ(top->ItemLinks()->VisibleLinks(0)->ItemRect().Right - top->ItemLinks()->VisibleLinks(0)->ItemRect().Left,
            120)
      << "the first item shows whole";
  EXPECT_TRUE(top->ItemLinks()->VisibleLinks(0)->Control()->EndsLine());
  EXPECT_EQ(top->ItemLinks()->VisibleLinks(1)->ItemRect(), TRect{});
}

// ---- recent-use collapsing ---------------------------------------------------------------------------

TEST_F(BarToolbarLayoutWindowTest, ATopToolbarKeepsTheMostRecentlyUsedButtonsThatFit) {
  M->SetStyle(bmsOffice11);
  TdxBar* bar = NewBar(dsTop, {23, 23, 23, 23, 23, 23, 23, 23});
  TdxBarControl* w = Window(bar);
  TdxBarItemLinks* links = bar->ItemLinks();
  // Used last: buttons 2, 6, 4 (in that order of recency), then the others.
  for (int i : {7, 0, 2, 4, 6, 1}) links->Items(i)->MarkUsed(true);
  const int mark = w->MarkAreaSize();
  const TSize size = w->CalcSizeForWidth(dsTop, 100);
  ASSERT_EQ(links->CollapsedCount(), (100 - mark) / 23) << "as many as fit beside the mark";
  const int shown = links->CollapsedCount();
  EXPECT_EQ(size.cx, shown * 23 + mark);
  std::vector<int> visible;
  for (int i = 0; i < links->VisibleCount(); ++i) visible.push_back(links->VisibleLinks(i)->Index());
  const std::vector<int> recent = {1, 6, 4, 2, 0, 7};
  std::vector<int> expected(recent.begin(), recent.begin() + shown);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(visible, expected) << "the most recently used, in their order on the bar";

  SizeDocked(w, 100);
  EXPECT_EQ(links->CollapsedCount(), shown);
  for (int i = 0; i < shown; ++i) EXPECT_EQ(links->VisibleLinks(i)->ItemRect().Left, i * 23) << i;
  EXPECT_EQ(links->CanVisibleCount() - links->VisibleCount(), 8 - shown) << "the others wait in the mark's popup";

  // The standard style collapses nothing: the buttons that fit show in their order.
  M->SetStyle(bmsStandard);
  w = Window(bar);
  SizeDocked(w, 100);
  EXPECT_EQ(links->CollapsedCount(), -1);
  EXPECT_EQ(LinesOf(bar), (Lines{std::vector<int>(static_cast<std::size_t>((100 - w->MarkAreaSize()) / 23), 23)}));
}

// ---- alignment -----------------------------------------------------------------------------------------

TEST_F(BarToolbarLayoutWindowTest, ARightAlignedLastItemOfARestSpaceBarEndsAtTheMark) {
  TdxBar* bar = NewBar(dsTop, {30, 30, 30});
  bar->SetUseRestSpace(true);
  TdxBarItemLinks* links = bar->ItemLinks();
  links->VisibleLinks(2)->Item()->SetAlign(iaRight);
  TdxBarControl* w = Window(bar);
  SizeDocked(w, 200);
  const int l = w->ClientWidth() - w->MarkAreaSize();
  EXPECT_EQ(links->VisibleLinks(2)->ItemRect().Right, l);
  EXPECT_EQ(links->VisibleLinks(1)->ItemRect().Right, 60);

  links->VisibleLinks(2)->Item()->SetAlign(iaClient);
  w->CalcViewInfo();
  EXPECT_EQ(links->VisibleLinks(2)->ItemRect().Left, 60);
  // The site stretches the rest-space toolbar to its row's end as it lays the row out again.
  EXPECT_EQ(links->VisibleLinks(2)->ItemRect().Right, w->ClientWidth() - w->MarkAreaSize()) << "stretched to the mark";
}

// ---- MDI buttons -----------------------------------------------------------------------------------------

TEST_F(BarToolbarLayoutWindowTest, NarrowingAFloatingMenuMovesTheMDIButtonsToTheirOwnLineExactlyWhenTheyNoLongerFit) {
  TdxBar* bar = NewBar<TMDIBar>(dsNone, {30, 30, 30}, 300);
  TdxBarControl* w = Window(bar);
  const int lm = w->MDIAreaWidth(), tm = w->MDIAreaHeight();
  ASSERT_EQ(lm, 3 * w->MDIButtonCX() + 2);
  TRect insets;
  w->BarPainter()->CalcBarNonClient(w, dsNone, insets, false);
  const int bh = insets.Left + insets.Right, bv = insets.Top + insets.Bottom;
  RECT start;
  GetWindowRect(w->Handle(), &start);
  const int least = w->MinLengthFor(dsNone);
  int ownLines = 0;
  for (int width = 90 + lm + 10; width >= 40; --width) {
    RECT r{start.left, start.top, start.left + width + bh, start.bottom};
    SendMessage(w->Handle(), WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&r));
    const int height = r.bottom - r.top - bv;
    const int length = std::max(width, least);
    const int perLine = std::max(length / 30, 1);
    const int lines = (3 + perLine - 1) / perLine, last = (3 - (lines - 1) * perLine) * 30;
    const bool own = last + lm > length;
    EXPECT_EQ(height, lines * 22 + (own ? tm : 0)) << width;
    ownLines += own;
  }
  EXPECT_GT(ownLines, 0);
}

// ---- sizes for a docking style -----------------------------------------------------------------------

TEST_F(BarToolbarLayoutWindowTest, AWholeRowBarTakesItsSitesWidthAndAPaneToolbarSizesAsFloating) {
  TdxBar* bar = NewBar(dsTop, {30, 30});
  bar->SetWholeRow(true);
  TdxDockControl* site = Site(dsTop);
  ASSERT_NE(site, nullptr);
  ASSERT_GT(site->ClientWidth(), 100);
  EXPECT_EQ(Window(bar)->SizeForStyle(dsTop).cx, site->ClientWidth());

  TdxBar* pane = NewBar<TPaneBar>(dsNone, {30, 30, 30}, 70);
  TdxBarControl* p = Window(pane);
  EXPECT_EQ(p->SizeForStyle(dsTop), p->SizeForStyle(dsNone));
  EXPECT_EQ(p->SizeForStyle(dsLeft), p->SizeForStyle(dsNone));
}

// ---- the searches --------------------------------------------------------------------------------------

TEST_F(BarToolbarLayoutWindowTest, AColumnToolbarsSearchOnTheWindowGivesWhatTheArithmeticGivesForItsSizes) {
  // The window measures each button once per search; the sizes fed to a table must give the same.
  dxBarItemControlFactory = nullptr;
  TdxBar* bar = NewBar(dsLeft, {23, 23, -23, 23, 23, 23, -23, 23, 23, 23, 23, 23}, 200, 23);
  bar->SetMultiLine(true);
  TdxBarControl* w = Window(bar);
  TdxBarItemLinks* links = bar->ItemLinks();
  TTableToolbar table(dsLeft, true, w->SeparatorSize(), w->MarkAreaSize());
  for (int i = 0; i < links->CanVisibleCount(); ++i) {
    TdxBarItemControl* c = links->CanVisibleLinks(i)->Control();
    ASSERT_NE(c, nullptr);
    table.Add(c->ComputeHeight(), c->ComputeWidth(), links->CanVisibleLinks(i)->BeginGroup());
  }
  for (int width = 10; width <= 200; width += 7) {
    EXPECT_EQ(w->CalcSizeForWidth(dsLeft, width), table.CalcSizeForWidth(dsLeft, width)) << width;
    EXPECT_EQ(w->CalcSizeForHeight(dsLeft, width * 2), table.CalcSizeForHeight(dsLeft, width * 2)) << width;
  }
}

// ---- drop positions ----------------------------------------------------------------------------------

TEST_F(BarToolbarLayoutWindowTest, ADropBesideARowGoesAfterItsLastItemOrBeforeAnAlignedOne) {
  // Three rows of a 100 wide floating toolbar: [30 30 30] [40 30 30] [30]; row 2 begins with two
  // short buttons, whose line still takes drops above and below them.
  TdxBar* bar = NewBar(dsNone, {30, 30, 30, 40, 30, 30, 30}, 100);
  TdxBarItemLinks* links = bar->ItemLinks();
  links->Items(3)->Item()->SetTag(40 | (12 << 16));
  links->Items(4)->Item()->SetTag(30 | (12 << 16));
  TdxBarControl* w = Window(bar);
  bar->SetFloatClientWidth(99);
  bar->SetFloatClientWidth(100);
  Pump();
  ASSERT_EQ(LinesOf(bar), (Lines{{30, 30, 30}, {40, 30, 30}, {30}}));
  ASSERT_EQ(links->VisibleLinks(3)->ItemRect().Top, 22 + 5);
  struct Case {
    const char* What;
    TPoint At;
    int Link;
    bool Before;
  };
  auto check = [](TdxBarControl* W, TdxBarItemLinks* L, std::initializer_list<Case> Cases) {
    for (const Case& c : Cases) {
      TdxBarItemLink* link = nullptr;
      bool vertical = false, before = false, onSeparator = false;
      ASSERT_TRUE(W->DropPositionAt(c.At, link, vertical, before, onSeparator)) << c.What;
      EXPECT_EQ(link, L->VisibleLinks(c.Link)) << c.What;
      EXPECT_EQ(before, c.Before) << c.What;
      EXPECT_FALSE(onSeparator) << c.What;
    }
  };
  check(w, links,
        {{"on the right half of an item", {50, 5}, 1, false},
         {"above row 2's first, short item", {5, 23}, 3, true},
         {"below row 2's second, short item", {45, 42}, 4, true},
         {"right of row 1's last item", {95, 5}, 2, false},
         {"right of row 3's only item", {60, 50}, 6, false}});
  TdxBarItemLink* link = nullptr;
  bool vertical = false, before = false, onSeparator = false;
  EXPECT_FALSE(w->DropPositionAt({150, 5}, link, vertical, before, onSeparator)) << "outside the client area";

  // The room a right-aligned item leaves before it takes drops before that item.
  TdxBar* aligned = NewBar(dsTop, {30, 30, 30});
  aligned->SetUseRestSpace(true);
  aligned->ItemLinks()->Items(2)->Item()->SetAlign(iaRight);
  SizeDocked(Window(aligned), 200);
  check(Window(aligned), aligned->ItemLinks(), {{"between the items and the right-aligned one", {100, 10}, 2, true}});
}

// ---- pictures ----------------------------------------------------------------------------------------

TEST_F(BarToolbarLayoutWindowTest, PicturesOfWrappedCollapsedAndAlignedToolbarsInEveryStyle) {
  // The buttons' own sizes, rotated on the column.
  dxBarItemControlFactory = nullptr;
  TdxDockControl* topSite = Site(dsTop);
  TdxDockControl* leftSite = Site(dsLeft);
  ASSERT_TRUE(topSite && leftSite);
  TdxBar* collapsed = NewBar(dsTop, {23, 23, -23, 23, 23, 23, -23, 23});
  TdxBar* aligned = NewBar(dsTop, {40, -40, 60});
  aligned->SetUseRestSpace(true);
  aligned->ItemLinks()->Items(2)->Item()->SetAlign(iaRight);
  TdxBar* column = NewBar(dsLeft, {23, 23, -23, 23, 23, 23}, 200, 23);
  column->SetMultiLine(true);
  TdxBar* floating = NewBar(dsNone, {30, 30, -30, 30, 30, -30, 30}, 100);
  auto shoot = [&](const String& name) {
    topSite->SetBounds(0, 0, Form->ClientWidth(), 80);
    leftSite->SetBounds(0, 80, 140, 200);
    for (TdxBar* bar : {collapsed, aligned, column}) {
      bar->SetVisible(false);
      bar->SetVisible(true);
    }
    Pump();
    // Recent use counts only in the styles that collapse.
    for (int i : {7, 0, 2, 4, 6, 1}) collapsed->ItemLinks()->Items(i)->MarkUsed(true);
    // A link that comes into view rebuilds the window first.
    Pump();
    SizeDocked(Window(collapsed), 120);
    SizeDocked(Window(aligned), 300);
    Window(aligned)->SetBounds(0, 40, Window(aligned)->Width(), Window(aligned)->Height());
    SizeDocked(Window(column), 100);
    // A floating toolbar takes its size for the style anew when shown.
    floating->SetVisible(false);
    floating->SetVisible(true);
    Pump();
    for (TdxBar* bar : {collapsed, aligned, column, floating})
      RedrawWindow(Window(bar)->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    RECT fr;
    GetWindowRect(Form->Handle(), &fr);
    SaveScreenArea("bars/toolbar-layout-" + name + ".png", TRect(fr.left, fr.top, fr.right, fr.bottom), 2);
  };
  barpaintertest::ForEachBarStyle(M, shoot);
}

}  // namespace
