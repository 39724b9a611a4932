// Dock sites: the zones a dropped toolbar aims at, where it is inserted, the layout of a row of
// toolbars, the site's size, its input and colour, toolbars across a re-created form window, the
// tiled background, and pictures of docked rows in every style.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/Focus.h"
#include "platform/win/Messages.h"
#include "platform/win/Rects.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarItemFixture.h"
#include "tests/ui/bars/BarPainterFixture.h"
#include "tests/ui/bars/BarToolbarFixture.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarDockControl.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/GraphicsUnit.h"

using namespace win;

namespace {

constexpr int kThickness = 26, kMinLength = 40;

// A painter without toolbar borders, so that a toolbar's lengths are its items' alone; it offers no
// quick customizing, so the mark shows only on a truncated toolbar.
class TRowPainter : public TdxBarPainter {
  VW_CLASS(TRowPainter, TdxBarPainter)
 public:
  void CalcBarNonClient(TB*, int, TRect& Insets, bool) override { Insets = {}; }
  bool AllowsQuickCustomizing() override { return false; }
  int DockRowSpacing() override { return Spacing; }
  static inline int Spacing = 0;
};

class TRowManager : public TdxBarManager {
  VW_CLASS(TRowManager, TdxBarManager)
 public:
  explicit TRowManager(TComponent* AOwner) : TdxBarManager(AOwner) {}
  TdxBarPainterClass GetPainterClass() override { return TRowPainter::StaticClass(); }
};

// A button as long as its item's tag says.
class TLongButtonControl : public TdxBarButtonControl {
  VW_CLASS(TLongButtonControl, TdxBarButtonControl)
 public:
  using TdxBarButtonControl::TdxBarButtonControl;
  int RawWidth() override { return static_cast<int>(Item()->Tag()); }
  int RawHeight() override { return static_cast<int>(Item()->Tag()); }
};

// A toolbar window kThickness thick at every length, at least kMinLength long.
class TRowToolbar : public TdxBarControl {
  VW_CLASS(TRowToolbar, TdxBarControl)
 public:
  explicit TRowToolbar(TComponent* AOwner) : TdxBarControl(AOwner) {}
  int MinLengthFor(TdxBarDockingStyle) override { return kMinLength; }
  int MinThicknessFor(TdxBarDockingStyle) override { return kMinLength; }
  TSize CalcSizeForWidth(TdxBarDockingStyle, int AWidth) override { return {AWidth, kThickness}; }
  TSize CalcSizeForHeight(TdxBarDockingStyle, int AHeight) override { return {kThickness, AHeight}; }
};

class TRowBar : public TdxBar {
  VW_CLASS(TRowBar, TdxBar)
 public:
  explicit TRowBar(TComponent* AOwner) : TdxBar(AOwner) {}
  TClass BarControlClass() const override { return TRowToolbar::StaticClass(); }
};

// A stand-alone site that records its toolbars popup.
class TRecordingSite : public TdxBarDockControl {
  VW_CLASS(TRecordingSite, TdxBarDockControl)
 public:
  explicit TRecordingSite(TComponent* AOwner) : TdxBarDockControl(AOwner) {}
  void ShowToolbarsPopup() override { ++Popups; }
  int Popups = 0;
};

class BarDockControlTest : public BarItemFixture {
 protected:
  void SetUp() override {
    BarItemFixture::SetUp();
    GraphicsUnitStartup();
    TRowPainter::Spacing = 0;
    dxBarItemControlFactory = [](TdxBarItemLink* L) -> TdxBarItemControl* { return new TLongButtonControl(L); };
    Form->SetBounds(100, 100, 640, 420);
    M = new TRowManager(Form);
    // The painter is made again now that the manager's own class is in place.
    M->SetStyle(bmsFlat);
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
  static void Pump() { Application->ProcessMessages(); }
  // A shown toolbar one button ALength long, on row ARow (alone on it unless AShare) at ADockedLeft.
  TdxBar* NewBar(TdxBarDockingStyle AStyle, int ALength, int ARow = 0, bool AShare = false, int ADockedLeft = 0) {
    auto* bar = new TRowBar(Form);
    bar->AttachToParent(M);
    bar->SetCaption("Bar" + std::to_string(++FBars));
    auto* button = new TdxBarButton(Form);
    button->SetTag(ALength);
    bar->ItemLinks()->AddItem(button);
    bar->SetFloatLeft(300);
    bar->SetFloatTop(200);
    bar->SetRow(ARow);
    bar->SetOneOnRow(!AShare);
    bar->SetDockedLeft(ADockedLeft);
    bar->SetDockingStyle(AStyle);
    bar->SetVisible(true);
    Pump();
    return bar;
  }
  TdxDockControl* Site(TdxBarDockingStyle AStyle) const { return M->Bars()->DockControls(AStyle); }
  // A point of the site's client area on the screen.
  static TPoint ScreenOf(TdxDockControl* ASite, int X, int Y) {
    POINT p{X, Y};
    ClientToScreen(ASite->Handle(), &p);
    return {p.x, p.y};
  }
  static int RowOf(TdxBar* ABar) {
    int row, column;
    ABar->Control()->DockControl()->FindColumn(ABar->Control(), row, column);
    return row;
  }
  // Left and length of each toolbar window of the row.
  static std::vector<std::pair<int, int>> Places(TdxDockControl* ASite, int ARow) {
    std::vector<std::pair<int, int>> places;
    for (int i = 0; i < ASite->ColumnCount(ARow); ++i) {
      TCustomdxBarControl* w = ASite->ColumnWindow(ARow, i);
      places.emplace_back(w->Left(), w->Width());
    }
    return places;
  }

  TRowManager* M = nullptr;

 private:
  int FBars = 0;
};

// ---- zones and placement --------------------------------------------------------------------------

TEST_F(BarDockControlTest, ARowZoneTellsTheRowOrTheNewRowAReferencePointAsksFor) {
  struct Case {
    int Offset, Row;
    bool NewRow;
  };
  // Rows at [0, 26) and [26, 52); on the top site the offset runs down from the site's top, on the
  // bottom one up from its bottom edge, where the new-row band lies 9 pixels before a row's end.
  const std::vector<Case> top{{-20, 0, true}, {-12, 0, true}, {-5, 0, false}, {5, 0, false}, {10, 1, true},
                              {20, 1, false}, {37, 2, true},  {45, 2, true},  {80, 2, true}};
  const std::vector<Case> bottom{{-20, 2, true}, {-12, 2, true}, {-5, 2, true}, {5, 2, true},  {10, 2, true},
                                 {20, 1, false}, {37, 1, true},  {45, 0, false}, {80, 0, true}};
  for (TdxBarDockingStyle style : {dsTop, dsBottom}) {
    NewBar(style, 100, 0);
    NewBar(style, 100, 1);
    TdxDockControl* site = Site(style);
    ASSERT_EQ(site->LiveRowCount(), 2);
    ASSERT_EQ(site->ClientHeight(), 2 * kThickness);
    const bool isTop = style == dsTop;
    for (const Case& c : isTop ? top : bottom) {
      bool newRow = false;
      const int y = isTop ? c.Offset : site->ClientHeight() - c.Offset;
      EXPECT_EQ(site->RowAtPoint(ScreenOf(site, 50, y), newRow), c.Row) << style << " at " << c.Offset;
      EXPECT_EQ(newRow, c.NewRow) << style << " at " << c.Offset;
    }
  }
}

TEST_F(BarDockControlTest, SnappingToARowLeadsBackToThatRowSoThatStartingADragMovesNothing) {
  NewBar(dsTop, 100, 0);
  NewBar(dsTop, 100, 1);
  TdxDockControl* site = Site(dsTop);
  for (int row : {0, 1}) {
    TPoint p = ScreenOf(site, 50, 999);
    site->SnapToRow(row, false, p);
    EXPECT_EQ(p.Y - ScreenOf(site, 0, 0).Y, row * kThickness);
    bool newRow = true;
    EXPECT_EQ(site->RowAtPoint(p, newRow), row);
    EXPECT_FALSE(newRow);
  }
}

TEST_F(BarDockControlTest, ALeftSitesZoneReachesSidewaysOnlyAndAnEmptyTopSiteStillCatches) {
  NewBar(dsLeft, 100);
  TdxDockControl* left = Site(dsLeft);
  RECT r;
  GetWindowRect(left->Handle(), &r);
  const TRect zone = left->DockingZone();
  EXPECT_EQ(zone, TRect(r.left - 23, r.top, r.right + 23, r.bottom));

  TdxDockControl* top = Site(dsTop);
  ASSERT_EQ(top->Height(), 0);
  const TPoint nearTheEdge = ScreenOf(top, 200, -10);
  auto inZone = [&](const TPoint& P) {
    const TRect z = top->DockingZone();
    return P.X >= z.Left && P.X < z.Right && P.Y >= z.Top && P.Y < z.Bottom;
  };
  EXPECT_TRUE(inZone(nearTheEdge)) << "a zero-height site is 46 pixels deep";
  EXPECT_FALSE(inZone(ScreenOf(top, 200, 30)));
}

TEST_F(BarDockControlTest, InsertionMakesRowsForEmptySitesAndWholeRowToolbars) {
  TdxDockControl* site = Site(dsTop);
  ASSERT_EQ(site->LiveRowCount(), 0);
  TdxBar* first = NewBar(dsTop, 100);
  ASSERT_EQ(site->LiveRowCount(), 1) << "an empty site makes row 0";
  EXPECT_EQ(RowOf(first), 0);

  // A toolbar dropped in row 0's joining part shares it.
  TdxBar* second = NewBar(dsTop, 100, 0, true, 200);
  site->MoveBarControl(second->Control(), ScreenOf(site, 200, 3));
  EXPECT_EQ(site->LiveRowCount(), 1);
  EXPECT_EQ(site->ColumnCount(0), 2);
  EXPECT_FALSE(first->OneOnRow());

  // A whole-row toolbar dropped there does not.
  TdxBar* whole = NewBar(dsTop, 100, 0, true, 300);
  whole->SetWholeRow(true);
  site->MoveBarControl(whole->Control(), ScreenOf(site, 300, 3));
  EXPECT_EQ(site->ColumnCount(RowOf(whole)), 1);
  EXPECT_TRUE(whole->OneOnRow());
  EXPECT_EQ(site->LiveRowCount(), 2);

  // Nor does a toolbar dropped into the whole-row toolbar's row: it gets a row of its own.
  const TRect band = site->RowBounds(RowOf(whole));
  site->MoveBarControl(second->Control(), ScreenOf(site, 400, band.Top + 3));
  EXPECT_NE(RowOf(second), RowOf(whole));
  EXPECT_EQ(site->ColumnCount(RowOf(whole)), 1);
  EXPECT_EQ(site->ColumnCount(RowOf(second)), 1);
  EXPECT_EQ(site->LiveRowCount(), 3);
}

TEST_F(BarDockControlTest, RemovingTheLastColumnKeepsTheRowUntilItsToolbarAsksForItsDeletion) {
  TdxBar* bar = NewBar(dsTop, 100);
  TdxDockControl* site = Site(dsTop);
  TdxDockRow* row = site->Rows(0);
  site->RemoveBarControl(bar->Control());
  EXPECT_EQ(site->LiveRowCount(), 1);
  EXPECT_EQ(row->ColumnCount(), 0);
  EXPECT_EQ(row->RowBars().size(), 1u);
  EXPECT_EQ(bar->CurrentDockRow(), row);
  bar->LeaveDockRow(true);
  EXPECT_EQ(site->LiveRowCount(), 0);
}

// ---- row layout -------------------------------------------------------------------------------------

class BarDockRowLayoutTest : public BarDockControlTest {
 protected:
  // Three toolbars in row 0 of the top site: 150, 120 and 100 long, wanted at 0, 200 and 330.
  void SetUp() override {
    BarDockControlTest::SetUp();
    Form->SetClientWidth(600);
    for (auto [length, left] : {std::pair{150, 0}, {120, 200}, {100, 330}}) Bars.push_back(NewBar(dsTop, length, 0, true, left));
    S = Site(dsTop);
    ASSERT_EQ(S->LiveRowCount(), 1);
    ASSERT_EQ(S->ColumnCount(0), 3);
  }
  void Arrange(int ALength) {
    const int wanted[] = {0, 200, 330};
    for (int i = 0; i < 3; ++i) S->Rows(0)->Columns(i)->WantedPos.X = wanted[i];
    S->ArrangeRow(0, ALength);
  }
  std::vector<TdxBar*> Bars;
  TdxDockControl* S = nullptr;
};

TEST_F(BarDockRowLayoutTest, ARowGivesRoomAtTheWantedPlacesOrSqueezesItsToolbars) {
  using Places = std::vector<std::pair<int, int>>;
  struct Case {
    int Length;
    Places Expected;
    std::vector<bool> Shortened;
  };
  // Short of room every toolbar keeps its minimal length and the mark (40 + 11), even past the row's
  // end; the first one takes what is left in front of the others.
  const std::vector<Case> cases{
      {400, {{0, 150}, {180, 120}, {300, 100}}, {false, false, false}},
      {200, {{0, 98}, {98, 51}, {149, 51}}, {true, true, true}},
      {100, {{0, 51}, {51, 51}, {102, 51}}, {true, true, true}},
  };
  for (const Case& c : cases) {
    Arrange(c.Length);
    EXPECT_EQ(BarDockControlTest::Places(S, 0), c.Expected) << c.Length;
    for (int i = 0; i < 3; ++i) {
      auto* w = static_cast<TdxBarControl*>(S->ColumnWindow(0, i));
      EXPECT_EQ(w->MinLength(), kMinLength + 11) << c.Length;
      EXPECT_EQ(w->Shortened(), c.Shortened[static_cast<std::size_t>(i)]) << c.Length << " column " << i;
      EXPECT_EQ(w->Height(), kThickness);
    }
  }
}

TEST_F(BarDockRowLayoutTest, AutoAlignClosesTheGapsAndRestSpaceStretches) {
  M->SetAutoAlignBars(true);
  Arrange(400);
  EXPECT_EQ(Places(S, 0), (std::vector<std::pair<int, int>>{{0, 150}, {150, 120}, {270, 100}}));
  M->SetAutoAlignBars(false);

  Bars[1]->SetUseRestSpace(true);
  Arrange(400);
  EXPECT_EQ(Places(S, 0), (std::vector<std::pair<int, int>>{{0, 150}, {150, 150}, {300, 100}}))
      << "to the next toolbar";
  Bars[1]->SetUseRestSpace(false);
  Bars[2]->SetUseRestSpace(true);
  Arrange(400);
  EXPECT_EQ(Places(S, 0), (std::vector<std::pair<int, int>>{{0, 150}, {180, 120}, {300, 100}}))
      << "the last one packs up behind the one before and runs to the row's end";
}

TEST_F(BarDockControlTest, RowSpacingFollowsEveryRowButTheLast) {
  TRowPainter::Spacing = 4;
  TdxBar* a = NewBar(dsTop, 100, 0);
  TdxBar* b = NewBar(dsTop, 100, 1);
  NewBar(dsTop, 100, 2);
  TdxDockControl* site = Site(dsTop);
  site->RequestLayout();
  EXPECT_EQ(site->RowThickness(0), kThickness + 4);
  EXPECT_EQ(site->RowThickness(2), kThickness);
  EXPECT_EQ(site->Height(), 3 * kThickness + 8);
  EXPECT_EQ(a->Control()->Top(), 0);
  EXPECT_EQ(b->Control()->Top(), kThickness + 4);
}

// ---- sizing ---------------------------------------------------------------------------------------

TEST_F(BarDockControlTest, RightAndBottomSitesKeepTheirOuterEdgeAndSunkenBordersAddTwo) {
  for (TdxBarDockingStyle style : {dsRight, dsBottom}) {
    TdxDockControl* site = Site(style);
    auto outer = [&] { return style == dsRight ? site->Left() + site->Width() : site->Top() + site->Height(); };
    auto extent = [&] { return style == dsRight ? site->Width() : site->Height(); };
    const int edge = style == dsRight ? Form->ClientWidth() : Form->ClientHeight();
    TdxBar* first = NewBar(style, 100, 0);
    EXPECT_EQ(outer(), edge);
    EXPECT_EQ(extent(), kThickness);
    TdxBar* second = NewBar(style, 100, 1);
    EXPECT_EQ(outer(), edge);
    EXPECT_EQ(extent(), 2 * kThickness);
    second->SetVisible(false);
    Pump();
    EXPECT_EQ(outer(), edge);
    EXPECT_EQ(extent(), kThickness);

    M->SetSunkenBorder(true);
    EXPECT_EQ(extent(), kThickness + 2);
    EXPECT_EQ(outer(), edge);
    first->SetVisible(false);
    Pump();
    EXPECT_EQ(extent(), 0) << "an empty site stays empty";
    M->SetSunkenBorder(false);
  }
}

// A toolbar window that counts as a menu: the root of a popup chain.
class TMenuLikeToolbar : public TdxBarControl {
  VW_CLASS(TMenuLikeToolbar, TdxBarControl)
 public:
  explicit TMenuLikeToolbar(TComponent* AOwner) : TdxBarControl(AOwner) {}
  int BarKind() const override { return 2; }
};
class TMenuLikeBar : public TdxBar {
  VW_CLASS(TMenuLikeBar, TdxBar)
 public:
  explicit TMenuLikeBar(TComponent* AOwner) : TdxBar(AOwner) {}
  TClass BarControlClass() const override { return TMenuLikeToolbar::StaticClass(); }
};

TEST_F(BarDockControlTest, AResizedSiteClosesAnActiveToolbarButNotAnActiveMenu) {
  TdxBar* docked = NewBar(dsTop, 100, 0);
  docked->Control()->SetActiveState(true);
  ASSERT_EQ(ActiveBarWindow, docked->Control());
  TdxBar* grows = NewBar(dsTop, 100, 1);
  EXPECT_EQ(ActiveBarWindow, nullptr) << "the chain rooted in the site's toolbar closed";

  auto* menu = new TMenuLikeBar(Form);
  menu->AttachToParent(M);
  menu->SetDockingStyle(dsNone);
  menu->SetVisible(true);
  Pump();
  menu->Control()->SetActiveState(true);
  ASSERT_EQ(ActiveBarWindow, menu->Control());
  grows->SetVisible(false);
  Pump();
  EXPECT_EQ(Site(dsTop)->Height(), kThickness);
  EXPECT_EQ(ActiveBarWindow, menu->Control()) << "a menu's chain stays open";
  menu->Control()->SetActiveState(false);
}

TEST_F(BarDockControlTest, AStandAloneSiteIsThreeHighWhenEmptyAtDesignTimeAndRestylesItsToolbarsOnAlign) {
  auto* site = new TdxBarDockControl(Form);
  site->SetBarManager(M);
  site->SetParent(Form);
  site->SetAlign(dalTop);
  site->HandleNeeded();
  Pump();
  EXPECT_EQ(site->Height(), 0) << "at run time";
  site->SetDesigning(true);
  SendMessage(site->Handle(), WM_SIZE, 0, 0);
  EXPECT_EQ(site->ClientHeight(), 3) << "at design time";
  site->SetAllowZeroSizeInDesignTime(true);
  EXPECT_EQ(site->ClientHeight(), 0) << "unless zero is allowed";
  site->SetDesigning(false);

  auto* bar = new TRowBar(Form);
  bar->AttachToParent(M);
  auto* button = new TdxBarButton(Form);
  button->SetTag(80);
  bar->ItemLinks()->AddItem(button);
  bar->SetDockControl(site);
  bar->SetDockingStyle(dsTop);
  bar->SetVisible(true);
  Pump();
  ASSERT_EQ(bar->Control()->DockControl(), site);
  EXPECT_EQ(site->Height(), kThickness);
  site->SetAlign(dalLeft);
  Pump();
  EXPECT_EQ(site->DockSiteStyle(), dsLeft);
  ASSERT_NE(bar->Control(), nullptr);
  EXPECT_EQ(bar->Control()->DockingStyle(), dsLeft);
  EXPECT_EQ(bar->Control()->Width(), kThickness);
  EXPECT_EQ(bar->Control()->Height(), 80);
  EXPECT_EQ(site->Width(), kThickness);
}

// ---- input and colour -------------------------------------------------------------------------------

TEST_F(BarDockControlTest, ClicksCustomizeShowTheToolbarsPopupAndLeaveTheSiteInactive) {
  auto* site = new TRecordingSite(Form);
  site->SetBarManager(M);
  site->SetParent(Form);
  site->SetAlign(dalBottom);
  site->HandleNeeded();
  SendMessage(site->Handle(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 1));
  EXPECT_TRUE(M->IsCustomizing());
  SendMessage(site->Handle(), WM_RBUTTONDOWN, 0, MAKELPARAM(5, 1));
  EXPECT_EQ(site->Popups, 0) << "not while customizing";
  M->SetCustomizing(false);
  SendMessage(site->Handle(), WM_RBUTTONDOWN, 0, MAKELPARAM(5, 1));
  EXPECT_EQ(site->Popups, 1);

  TForm* other = nullptr;
  Application->CreateForm(other);
  other->Show();
  Pump();
  ASSERT_NE(GetActiveWindow(), Form->Handle());
  EXPECT_EQ(SendMessage(site->Handle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(Form->Handle()),
                        MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  EXPECT_EQ(GetActiveWindow(), Form->Handle()) << "the form came up";
  TObject::Free(other);
}

TEST_F(BarDockControlTest, AnOwnColourTurnsUseOwnColorOnAndGivingItUpBringsTheManagersBack) {
  M->SetAutoDockColor(false);
  M->SetDockColor(clTeal);
  auto* site = new TdxBarDockControl(Form);
  site->SetBarManager(M);
  site->SetParent(Form);
  EXPECT_EQ(site->Color(), clTeal);
  EXPECT_FALSE(site->UseOwnColor());
  EXPECT_FALSE(site->IsColorStored());
  site->SetColor(clMaroon);
  EXPECT_TRUE(site->UseOwnColor());
  EXPECT_TRUE(site->IsColorStored());
  M->SetDockColor(clNavy);
  EXPECT_EQ(site->Color(), clMaroon) << "its own colour stays";
  site->SetUseOwnColor(false);
  EXPECT_EQ(site->Color(), clNavy);
  EXPECT_FALSE(site->UseOwnColor()) << "applying the manager's colour is no colour of its own";
}

// ---- re-creation and background -------------------------------------------------------------------------

TEST_F(BarDockControlTest, ToolbarsComeBackAtTheirPlacesWhenTheFormsWindowIsRecreated) {
  std::vector<TdxBar*> bars{NewBar(dsTop, 150, 0, true, 0), NewBar(dsTop, 120, 0, true, 200),
                            NewBar(dsTop, 100, 1), NewBar(dsLeft, 90, 0)};
  auto snapshot = [&] {
    std::vector<std::vector<int>> places;
    for (TdxBar* bar : bars) {
      TdxBarControl* w = bar->Control();
      if (!w || !w->HandleAllocated() || !IsWindowVisible(w->Handle())) {
        places.push_back({});
        continue;
      }
      places.push_back({bar->DockingStyle(), RowOf(bar), w->Left(), w->Top(), w->Width(), w->Height()});
    }
    return places;
  };
  const auto before = snapshot();
  ASSERT_EQ(before[1][2], 200);
  Form->RecreateWnd();
  Form->HandleNeeded();
  Pump();
  EXPECT_EQ(snapshot(), before);
}

TEST_F(BarDockControlTest, TheBackgroundBitmapIsTiledFromTheSitesOrigin) {
  auto* site = new TdxBarDockControl(Form);
  site->SetBarManager(M);
  site->SetParent(Form);
  site->SetAlign(dalNone);
  site->SetBounds(37, 41, 60, 30);
  TBitmap tile;
  tile.SetPixelFormat(pf24bit);
  tile.SetSize(3, 2);
  const TColor colours[2][3] = {{clRed, clLime, clBlue}, {clYellow, clFuchsia, clAqua}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) tile.Canvas()->SetPixels(x, y, colours[y][x]);
  site->SetBackgroundBitmap(&tile);
  site->HandleNeeded();
  // A toolbar gives the site its height: an empty one is none high at run time.
  auto* bar = new TRowBar(Form);
  bar->AttachToParent(M);
  auto* button = new TdxBarButton(Form);
  button->SetTag(30);
  bar->ItemLinks()->AddItem(button);
  bar->SetDockControl(site);
  bar->SetDockingStyle(dsTop);
  bar->SetVisible(true);
  Pump();
  ASSERT_EQ(site->ClientHeight(), kThickness);
  ASSERT_EQ(site->ClientWidth(), 60);
  EXPECT_TRUE(site->HasBackgroundPicture());
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP pixels = CreateCompatibleBitmap(screen, 60, 30);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, pixels);
  EXPECT_EQ(SendMessage(site->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  for (TPoint p : {TPoint{0, 0}, TPoint{1, 0}, TPoint{4, 1}, TPoint{29, 17}, TPoint{59, 25}})
    EXPECT_EQ(GetPixel(dc, p.X, p.Y), static_cast<COLORREF>(colours[p.Y % 2][p.X % 3])) << p.X << "," << p.Y;
  SelectObject(dc, old);
  DeleteObject(pixels);
  DeleteDC(dc);
}

// ---- pictures -----------------------------------------------------------------------------------------

class BarDockPicturesTest : public BarToolbarFixture {};

TEST_F(BarDockPicturesTest, TwoRowsOnTopAndAToolbarOnTheLeftInEveryStyle) {
  Form->SetBounds(100, 100, 520, 260);
  struct Place {
    const char* Caption;
    TdxBarDockingStyle Style;
    int Buttons, Row, Left;
  };
  for (const Place& p : {Place{"File", dsTop, 4, 0, 0}, Place{"Edit", dsTop, 3, 0, 200}, Place{"View", dsTop, 5, 1, 0},
                         Place{"Tools", dsLeft, 3, 0, 0}}) {
    // Floating first: docking then places it by the row and place it names.
    TdxBar* bar = AddToolbar<TdxBar>(p.Caption, dsNone, p.Buttons, 100, 22, 2);
    bar->SetRow(p.Row);
    bar->SetOneOnRow(p.Row > 0 || p.Style == dsLeft);
    bar->SetDockedLeft(p.Left);
    bar->SetDockingStyle(p.Style);
  }
  Pump();
  TdxDockControl* top = M->Bars()->DockControls(dsTop);
  TdxDockControl* left = M->Bars()->DockControls(dsLeft);
  auto shoot = [&](const std::string& AStyle) {
    Pump();
    ASSERT_EQ(top->LiveRowCount(), 2) << AStyle;
    EXPECT_EQ(top->ColumnCount(0), 2) << AStyle;
    EXPECT_EQ(left->LiveRowCount(), 1) << AStyle;
    EXPECT_EQ(top->Height(), top->RowsExtent()) << AStyle;
    RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    RECT r;
    GetWindowRect(Form->Handle(), &r);
    SaveScreenArea("bars/dock-rows-" + AStyle + ".png", TRect(r.left, r.top, r.right, r.bottom), 2);
  };
  barpaintertest::ForEachBarStyle(M, shoot);
}

}  // namespace
