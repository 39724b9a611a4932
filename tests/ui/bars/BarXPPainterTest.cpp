// The themed bar painter on the test theme library: the manager's choice, the metrics it measures,
// the parts and states it draws (read from the library's call log and from the solid colours it
// paints each part in), the dock rows' etched lines, colours with and without the theme's answers,
// and the glyph offsets. Without the theme library the manager never chooses it.
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/bars/BarPainterFixture.h"
#include "ui/foundation/OSVersion.h"
#include "ui/foundation/ThemeManager.h"

namespace barpaintertest {
namespace {

using testsupport::FakeThemeLibrary;

constexpr const char* kClasses[] = {"COMBOBOX", "EDIT", "PROGRESS", "REBAR", "SCROLLBAR",
                                    "SPIN",     "STATUS", "TOOLBAR", "WINDOW"};

COLORREF Part(const char* Class, int PartId, int State) { return FakeThemeLibrary::ColorOf(Class, PartId, State); }

class TTestSubItem : public TdxBarSubItemControl {
  VW_CLASS(TTestSubItem, TdxBarSubItemControl)
 public:
  explicit TTestSubItem(TCustomdxBarControl* AParent) : Bar(AParent) {}
  TCustomdxBarControl* Bar;
  TCustomdxBarControl* Parent() const override { return Bar; }
  bool IsEnabled() const override { return true; }
};

class TDisabledItem : public TTestItem {
  VW_CLASS(TDisabledItem, TTestItem)
 public:
  using TTestItem::TTestItem;
  bool IsEnabled() const override { return false; }
};

class BarXPPainterTest : public BarPainterFixture {
 protected:
  void SetUp() override {
    BarPainterFixture::SetUp();
    FakeThemeLibrary::Install();
    for (const char* name : kClasses) FakeThemeLibrary::OpenableClasses().insert(name);
    ThemeAccessStartup();
  }
  void TearDown() override {
    IsWindows7 = SavedWindows7;
    ThemeAccessShutdown();
    FakeThemeLibrary::Uninstall();
    BarPainterFixture::TearDown();
  }
  // The background parts drawn since the log was cleared, as "CLASS,part,state".
  static std::vector<std::string> Drawn() {
    std::vector<std::string> drawn;
    const std::string prefix = "DrawThemeBackground(";
    for (const std::string& c : FakeThemeLibrary::Calls())
      if (c.rfind(prefix, 0) == 0) drawn.push_back(c.substr(prefix.size(), c.size() - prefix.size() - 1));
    return drawn;
  }
  static void Sizes() {
    auto& sizes = FakeThemeLibrary::PartSizes();
    sizes[{"TOOLBAR", 5, 1, 0}] = {8, 8};
    sizes[{"WINDOW", 19, 1, 1}] = {13, 14};
    sizes[{"COMBOBOX", 1, 1, 1}] = {17, 20};
    sizes[{"REBAR", 1, 1, 1}] = {5, 6};
    sizes[{"PROGRESS", 3, 0, 1}] = {10, 9};
    sizes[{"TOOLBAR", 6, 1, 1}] = {7, 4};
    sizes[{"STATUS", 3, 0, 1}] = {15, 16};
    auto& content = FakeThemeLibrary::ContentMargins();
    content[{"TOOLBAR", 3, 1}] = {4, 3, 4, 5};
    content[{"EDIT", 1, 1}] = {3, 2, 1, 4};
    content[{"PROGRESS", 1, 0}] = {2, 1, 3, 1};
  }
  bool SavedWindows7 = IsWindows7;
};

TEST_F(BarXPPainterTest, TheManagerChoosesItOnlyWithVisualStyles) {
  // Without the theme library: the enhanced painter, drawing what the enhanced style draws.
  ThemeAccessShutdown();
  FakeThemeLibrary::Uninstall();
  {
    TForm* f1 = nullptr;
    Application->CreateForm(f1);
    auto* xp = new TdxBarManager(f1);
    xp->SetStyle(bmsXP);
    EXPECT_EQ(xp->Painter()->ClassType(), ClassOf<TdxBarEnhancedPainter>());
    Manager->SetStyle(bmsEnhanced);
    Bar->WithMark = true;
    Bar->Hides = true;
    auto paint = [&](TdxBarPainter* P) {
      auto s = std::make_unique<Surface>(120, 30, clRed);
      HDC dc = s->Canvas()->Handle();
      TRect frame(0, 0, 120, 30);
      P->DrawDockedBarFrame(Bar, dc, frame, GetSysColorBrush(COLOR_BTNFACE));
      P->DrawMark(Bar, dc, P->MarkBounds(Bar, frame, {}));
      TdxBarButtonLikeControlDrawParams p(Item);
      p.Caption = "Tools";
      p.ViewStructure = cpText;
      p.IsSelected = true;
      P->PaintButtonItem(p, dc, {20, 4, 80, 26});
      return s;
    };
    auto a = paint(xp->Painter());
    auto b = paint(Manager->Painter());
    EXPECT_EQ(a->CountOf(clRed), b->CountOf(clRed));
    bool same = true;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 120; ++x) same = same && a->At(x, y) == b->At(x, y);
    EXPECT_TRUE(same) << "bmsXP without visual styles paints as bmsEnhanced";
    TObject::Free(f1);
  }
  // With the library but no active theme, then the theme switched on and announced.
  FakeThemeLibrary::Install();
  for (const char* name : kClasses) FakeThemeLibrary::OpenableClasses().insert(name);
  FakeThemeLibrary::Active() = false;
  ThemeAccessStartup();
  TForm* f2 = nullptr;
  Application->CreateForm(f2);
  auto* m = new TdxBarManager(f2);
  m->SetStyle(bmsXP);
  EXPECT_EQ(m->Painter()->ClassType(), ClassOf<TdxBarEnhancedPainter>());
  FakeThemeLibrary::Active() = true;
  SendMessage(ThemeChangedEventReceiver()->WindowHandle(), WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(m->Painter()->ClassType(), ClassOf<TdxBarXPPainter>());
  TObject::Free(f2);
}

TEST_F(BarXPPainterTest, MeasuresNineMetricsInOrder) {
  Sizes();
  IsWindows7 = true;
  FakeThemeLibrary::Calls().clear();
  TdxBarXPPainter p;
  std::vector<std::string> measured;
  for (const std::string& c : FakeThemeLibrary::Calls())
    if (c.rfind("GetTheme", 0) == 0) measured.push_back(c);
  const std::vector<std::string> want = {
      "GetThemePartSize(TOOLBAR,5,1,0)",          "GetThemePartSize(WINDOW,19,1,1)",
      "GetThemeBackgroundContentRect(TOOLBAR,3,1)", "GetThemeBackgroundContentRect(EDIT,1,1)",
      "GetThemePartSize(REBAR,1,1,1)",            "GetThemePartSize(PROGRESS,3,0,1)",
      "GetThemeBackgroundContentRect(PROGRESS,1,0)", "GetThemePartSize(TOOLBAR,6,1,1)",
      "GetThemePartSize(STATUS,3,0,1)"};
  EXPECT_EQ(measured, want) << "the combo arrow comes from the system metrics on this version";
  EXPECT_EQ(p.ToolbarSeparatorSize(), 8);
  EXPECT_EQ(p.ToolbarSeparatorMargin(), 3);
  EXPECT_EQ(p.CloseButtonSize(), TSize(13, 14));
  EXPECT_EQ(p.ButtonVertPadding(), 100 - (100 - 3 - 5));
  EXPECT_EQ(p.ButtonHorzPadding(), 8);
  EXPECT_EQ(p.ComboArrowWidth(7), GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_EQ(p.EditBorderOffsets(), TRect(3, 2, 1, 4));
  EXPECT_EQ(p.GripWidth(), 5);
  EXPECT_EQ(p.GripSizeDocked(), 5 + 0 + 2);
  EXPECT_EQ(p.ReservedMetricA(), 9 + 2 + 3);
  EXPECT_EQ(p.MenuSeparatorHeight(), 4);
  EXPECT_EQ(p.SeparatorThickness(), 4);
  EXPECT_EQ(TdxBarXPPainter::Metrics().SizeGrip, TSize(15, 16));

  IsWindows7 = false;
  TdxBarXPPainter q;
  EXPECT_EQ(q.ComboArrowWidth(7), 17) << "the combo button's own width";

  // A theme without these parts: every metric keeps the plain look's value.
  FakeThemeLibrary::PartSizes().clear();
  FakeThemeLibrary::ContentMargins().clear();
  TdxBarXPPainter bare;
  TdxBarPainter base;
  EXPECT_EQ(bare.ToolbarSeparatorSize(), base.ToolbarSeparatorSize());
  EXPECT_EQ(bare.GripWidth(), base.GripWidth());
  EXPECT_EQ(bare.CloseButtonSize(), base.CloseButtonSize());
  EXPECT_EQ(bare.ButtonVertPadding(), base.ButtonVertPadding());
  EXPECT_EQ(bare.ButtonHorzPadding(), base.ButtonHorzPadding());
  EXPECT_EQ(bare.ComboArrowWidth(7), base.ComboArrowWidth(7));
  EXPECT_EQ(bare.EditBorderOffsets(), base.EditBorderOffsets());
  EXPECT_EQ(bare.MenuSeparatorHeight(), base.MenuSeparatorHeight());
}

TEST_F(BarXPPainterTest, DropDownPanelTakesTheLargerOfCloseButtonAndGrip) {
  TdxBarXPPainter p;
  auto& sizes = FakeThemeLibrary::PartSizes();
  sizes[{"WINDOW", 19, 1, 1}] = {16, 18};
  sizes[{"SCROLLBAR", 10, 1, 1}] = {12, 12};
  EXPECT_EQ(p.DropDownPanelSize(), 18 + 4) << "the close button wins";
  sizes[{"SCROLLBAR", 10, 1, 1}] = {22, 22};
  EXPECT_EQ(p.DropDownPanelSize(), 22 + 2 + 1) << "the grip wins";
}

TEST_F(BarXPPainterTest, PartsAndStatesByItemState) {
  TdxBarXPPainter p;
  TDisabledItem disabled(Bar);
  TTestBar mainMenu(Manager);
  mainMenu.MainMenu = true;
  TTestSubItem sub(&mainMenu);
  struct Case {
    const char* name;
    TdxBarItemControl* item;
    bool split, dropped, down, pressed, selected;
    const char* want;  // the last part drawn; "" for no theme call
  } cases[] = {
      {"split item", Item, true, false, false, false, false, "TOOLBAR,3,1"},
      {"dropped non-split item", Item, false, true, false, false, false, "TOOLBAR,1,5"},
      {"dropped split item", Item, true, true, false, false, false, "TOOLBAR,3,1"},
      {"disabled item", &disabled, false, false, false, false, true, "TOOLBAR,1,4"},
      {"pressed", Item, false, false, false, true, true, "TOOLBAR,1,3"},
      {"checked", Item, false, false, true, false, false, "TOOLBAR,1,5"},
      {"hot", Item, false, false, false, false, true, "TOOLBAR,1,2"},
      {"idle", Item, false, false, false, false, false, "TOOLBAR,1,1"},
      {"hot sub-item on a main menu", &sub, false, false, false, false, true, ""},
      {"pressed sub-item on a main menu", &sub, false, false, false, true, false, ""},
      {"checked sub-item on a main menu", &sub, false, false, true, false, false, ""},
      {"dropped sub-item on a main menu", &sub, false, true, false, false, false, ""},
      {"idle sub-item on a main menu", &sub, false, false, false, false, false, "TOOLBAR,1,1"},
  };
  for (const Case& c : cases) {
    Surface s(30, 30, clRed);
    FakeThemeLibrary::Calls().clear();
    p.DrawGlyphFrame(c.item, s.Canvas()->Handle(), GetSysColorBrush(COLOR_BTNFACE), true, {2, 2, 26, 24},
                     pmHorizontal, false, c.selected, c.down, c.pressed, c.dropped, c.split);
    const auto drawn = Drawn();
    if (*c.want) {
      ASSERT_EQ(drawn.size(), 1u) << c.name;
      EXPECT_EQ(drawn[0], c.want) << c.name;
    } else {
      EXPECT_TRUE(drawn.empty()) << c.name;
      EXPECT_EQ(s.At(10, 10), GetSysColor(COLOR_HIGHLIGHT)) << c.name;
    }
  }
  // The arrow part of a split button: its own part on toolbars, the button part in menus.
  struct Arrow {
    TdxBarPaintMode mode;
    bool dropped, selected, pressed, down;
    const char* want;
  } arrows[] = {{pmHorizontal, false, false, false, false, "TOOLBAR,4,1"},
                {pmHorizontal, true, false, false, false, "TOOLBAR,4,3"},
                {pmHorizontal, false, true, true, false, "TOOLBAR,4,3"},
                {pmHorizontal, false, false, false, true, "TOOLBAR,4,5"},
                {pmHorizontal, false, true, false, false, "TOOLBAR,4,2"},
                {pmMenu, false, false, false, true, "TOOLBAR,1,1"},
                {pmMenu, false, true, false, false, "TOOLBAR,1,2"}};
  for (const Arrow& a : arrows) {
    TdxBarButtonLikeControlDrawParams bp(Item);
    bp.PaintType = a.mode;
    bp.IsDropDown = a.dropped;
    bp.IsSelected = a.selected;
    bp.IsPressed = a.pressed;
    bp.Down = a.down;
    Surface s(30, 30, clRed);
    FakeThemeLibrary::Calls().clear();
    p.FillDropArrowPart(bp, s.Canvas()->Handle(), {2, 2, 14, 24});
    ASSERT_FALSE(Drawn().empty());
    EXPECT_EQ(Drawn().back(), a.want) << a.mode << a.dropped << a.selected << a.pressed << a.down;
  }
  {
    TdxBarButtonLikeControlDrawParams bp(Item);
    bp.Enabled = false;
    FakeThemeLibrary::Calls().clear();
    Surface s(30, 30, clRed);
    p.FillDropArrowPart(bp, s.Canvas()->Handle(), {2, 2, 14, 24});
    EXPECT_EQ(Drawn().back(), "TOOLBAR,4,4");
  }
  // Spin buttons: the upper one SPNP_UP, the other SPNP_DOWN, states normal, hot, pressed, disabled.
  TdxBarEditLikeControlDrawParams e(Item);
  struct Spin {
    bool upper;
    int pressedIndex;
    bool active, enabled;
    const char* want;
  } spins[] = {{true, -1, false, true, "SPIN,1,1"},
               {false, -1, false, true, "SPIN,2,1"},
               {true, -1, true, true, "SPIN,1,2"},
               {false, 1, true, true, "SPIN,2,3"},
               {true, -1, false, false, "SPIN,1,4"}};
  for (const Spin& sp : spins) {
    e.Enabled = sp.enabled;
    Surface s(30, 30, clRed);
    FakeThemeLibrary::Calls().clear();
    p.DrawSpinButton(e, s.Canvas()->Handle(), {2, 2, 14, 12}, sp.upper, sp.pressedIndex, sp.active);
    EXPECT_EQ(Drawn(), std::vector<std::string>{sp.want}) << sp.want;
  }
}

TEST_F(BarXPPainterTest, MarkStatesAndTheBorderlessMark) {
  TdxBarXPPainter p;
  for (int state = 0; state < 3; ++state)
    for (int border : {1, 0}) {
      Bar->Mark = state;
      Bar->Border = border;
      Surface s(20, 30, clRed);
      FakeThemeLibrary::Calls().clear();
      p.DrawMarkBackground(Bar, s.Canvas()->Handle(), {4, 4, 15, 26}, GetSysColorBrush(COLOR_BTNFACE));
      EXPECT_EQ(Drawn(), std::vector<std::string>{"TOOLBAR,1," + std::to_string(state + 1)});
      const COLORREF part = Part("TOOLBAR", 1, state + 1);
      EXPECT_EQ(s.At(8, 4) == part, border == 1) << "borderless: 2 shorter at the top";
      EXPECT_EQ(s.At(8, 6), part);
      EXPECT_EQ(s.At(8, 25) == part, border == 1) << "and at the bottom";
      EXPECT_EQ(s.At(8, 23), part);
      EXPECT_EQ(s.At(4, 10), part) << "not shorter along the bar";
    }
}

TEST_F(BarXPPainterTest, DropDownPanelLiesAtTheTopForKindsTwoAndThree) {
  FakeThemeLibrary::PartSizes()[{"WINDOW", 19, 1, 1}] = {14, 14};
  FakeThemeLibrary::PartSizes()[{"SCROLLBAR", 10, 1, 1}] = {12, 12};
  TdxBarXPPainter p;
  const int h = p.DropDownPanelSize();
  for (int kind = 0; kind < 4; ++kind) {
    Surface s(120, 100, clRed);
    HDC dc = s.Canvas()->Handle();
    TRect grip, close;
    const int saved = SaveDC(dc);
    p.DrawDropDownPanelFrame(dc, {0, 0, 120, 100}, kind, true, false, false, grip, close);
    RestoreDC(dc, saved);
    const bool top = kind == 2 || kind == 3;
    EXPECT_EQ(grip.Top < 50, top) << kind;
    EXPECT_EQ(close.Top < 50, top) << kind;
    EXPECT_EQ(grip.Left > 60, kind % 2 != 0) << kind;
    EXPECT_EQ(s.At(1, top ? h : 100 - 1 - h), GetSysColor(COLOR_BTNSHADOW)) << "the line between panel and list";
    EXPECT_EQ(s.At(60, top ? 80 : 10), RGB(255, 0, 0)) << "the list is left alone";
    EXPECT_EQ(s.At(0, 0), GetSysColor(COLOR_BTNSHADOW)) << "the window's frame";
  }
  TRect grip{1, 1, 2, 2}, close{1, 1, 2, 2};
  Surface s(120, 100, clRed);
  p.DrawDropDownPanelFrame(s.Canvas()->Handle(), {0, 0, 120, 100}, -1, false, false, false, grip, close);
  EXPECT_TRUE(dxbar::IsEmpty(grip) && dxbar::IsEmpty(close)) << "no panel: both rectangles empty";
}

TEST_F(BarXPPainterTest, DockRowsGetTheirEtchedLines) {
  TdxBarXPPainter p;
  const COLORREF rebar = Part("REBAR", 0, 1), light = GetSysColor(COLOR_BTNHIGHLIGHT),
                 dark = GetSysColor(COLOR_BTNSHADOW);
  TTestBar a(Manager), b(Manager), status(Manager), borderless(Manager);
  status.StatusBar = true;
  borderless.Border = 0;
  {
    TTestDock top(alTop, {0, 0, 200, 78});
    top.SetRows({{{0, 0, 200, 26}, {&a}}, {{0, 26, 200, 52}, {&borderless, &b}}, {{0, 52, 200, 78}, {&status}}});
    Surface s(200, 78, clRed);
    p.FillDockBackground(&top, s.Canvas()->Handle(), {0, 0, 200, 78}, {0, 0, 200, 78}, nullptr, clNone);
    EXPECT_EQ(s.At(50, 0), rebar) << "no highlight on the first row of a top dock";
    EXPECT_EQ(s.At(50, 25), dark);
    EXPECT_EQ(s.At(50, 26), light) << "the first bordered bar leads the row";
    EXPECT_EQ(s.At(50, 51), dark);
    EXPECT_EQ(s.At(50, 52), rebar) << "a status-bar row has no lines";
    EXPECT_EQ(s.At(50, 77), rebar);
    EXPECT_EQ(s.At(50, 12), rebar);
  }
  {
    TTestDock left(alLeft, {0, 0, 52, 200});
    a.Vertical = b.Vertical = true;
    left.SetRows({{{0, 0, 26, 200}, {&a}}, {{26, 0, 52, 200}, {&b}}});
    Surface s(52, 200, clRed);
    p.FillDockBackground(&left, s.Canvas()->Handle(), {0, 0, 52, 200}, {0, 0, 52, 200}, nullptr, clNone);
    EXPECT_EQ(s.At(0, 50), rebar) << "no highlight on the first row of a left dock";
    EXPECT_EQ(s.At(25, 50), dark);
    EXPECT_EQ(s.At(26, 50), light);
    EXPECT_EQ(s.At(51, 50), dark) << "the last row of a left dock keeps its shadow";
  }
  {
    TTestDock bottom(alBottom, {0, 0, 200, 26});
    bottom.SetRows({{{0, 0, 200, 26}, {&a}}});
    Surface s(200, 26, clRed);
    p.FillDockBackground(&bottom, s.Canvas()->Handle(), {0, 0, 200, 26}, {0, 0, 200, 26}, nullptr, clNone);
    EXPECT_EQ(s.At(50, 0), light);
    EXPECT_EQ(s.At(50, 25), rebar) << "no shadow on the last row of a bottom dock";
  }
}

TEST_F(BarXPPainterTest, EditColoursFromTheThemeOrTheSystem) {
  TdxBarXPPainter p;
  EXPECT_EQ(ColorToRGB(p.EditTextColorDefault()), GetSysColor(COLOR_WINDOWTEXT)) << "the read fails";
  EXPECT_EQ(ColorToRGB(p.DisabledEditTextColor()), GetSysColor(COLOR_GRAYTEXT));
  EXPECT_EQ(ColorToRGB(p.DisabledEditBackColor(Bar)), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(ColorToRGB(p.ProgressColor()), GetSysColor(COLOR_HIGHLIGHT));
  auto& colors = FakeThemeLibrary::Colors();
  colors[{"EDIT", 1, 1, TMT_TEXTCOLOR}] = RGB(1, 2, 3);
  colors[{"EDIT", 1, 4, TMT_TEXTCOLOR}] = RGB(4, 5, 6);
  colors[{"EDIT", 1, 4, TMT_FILLCOLOR}] = RGB(7, 8, 9);
  colors[{"PROGRESS", 3, 0, TMT_FILLCOLOR}] = RGB(10, 11, 12);
  EXPECT_EQ(ColorToRGB(p.EditTextColorDefault()), RGB(1, 2, 3));
  EXPECT_EQ(ColorToRGB(p.DisabledEditTextColor()), RGB(4, 5, 6));
  EXPECT_EQ(ColorToRGB(p.DisabledEditBackColor(Bar)), RGB(7, 8, 9));
  EXPECT_EQ(ColorToRGB(p.EditBackColor()), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(ColorToRGB(p.ProgressColor()), RGB(10, 11, 12));
}

TEST_F(BarXPPainterTest, GlyphsMoveByOneWhenDownOrPressed) {
  TdxBarXPPainter p;
  EXPECT_EQ(p.GlyphPressOffset(true), 1);
  EXPECT_EQ(p.GlyphSecondPressOffset(false), 1);
  EXPECT_EQ(p.GlyphSecondPressOffset(true), 0);
  Item->Glyph = MarkedGlyph();
  platform::SetScreenBitsPerPixel(8);  // glyphs drawn as they are, so their marker pixel shows
  RefreshScreenConstants();
  struct Case {
    bool down, pressed;
    int shift;
  } cases[] = {{false, false, 0}, {true, false, 1}, {false, true, 1}, {true, true, 1}};
  for (const Case& c : cases) {
    TdxBarButtonLikeControlDrawParams bp(Item);
    bp.ViewStructure = cpIcon;
    bp.Down = c.down;
    bp.IsPressed = c.pressed;
    Surface s(30, 30, clBtnFace);
    p.PaintButtonItem(bp, s.Canvas()->Handle(), {0, 0, 23, 22});
    EXPECT_EQ(Item->Image.TopLeft(), TPoint(3 + c.shift, 3 + c.shift)) << c.down << c.pressed;
  }
  platform::SetScreenBitsPerPixel(32);
  RefreshScreenConstants();
}

TEST_F(BarXPPainterTest, OtherPaintersTakeTheThemedGripWhileThemesAreInUse) {
  // No themed painter was made in this run: the grip size is measured when asked.
  FakeThemeLibrary::PartSizes()[{"STATUS", 3, 0, 1}] = {17, 19};
  TdxBarOffice11Painter office11;
  TdxBarPainter base;
  EXPECT_EQ(office11.SizeGripSize(), TSize(17, 19));
  EXPECT_EQ(base.SizeGripSize(), TSize(17, 19));
  FakeThemeLibrary::PartSizes()[{"STATUS", 3, 0, 1}] = {11, 12};
  EXPECT_EQ(base.SizeGripSize(), TSize(11, 12)) << "the theme in use now";
  // The Office-2003 painter paints natively: its status-bar grip is the theme's part.
  Surface s(30, 30, clRed);
  FakeThemeLibrary::Calls().clear();
  office11.DrawBarSizeGrip(s.Canvas()->Handle(), {5, 5, 25, 25});
  EXPECT_EQ(Drawn(), std::vector<std::string>{"STATUS,3,0"});
  EXPECT_EQ(s.At(10, 10), Part("STATUS", 3, 0));
  FakeThemeLibrary::Calls().clear();
  Surface t(30, 30, clRed);
  base.DrawBarSizeGrip(t.Canvas()->Handle(), {5, 5, 25, 25});
  EXPECT_TRUE(Drawn().empty()) << "the plain look keeps the classic grip";
}

TEST_F(BarXPPainterTest, CaptionToolbarAndItemPartsByState) {
  TdxBarXPPainter p;
  auto drawn = [&](const std::function<void(HDC)>& Paint) {
    Surface s(60, 40, clRed);
    FakeThemeLibrary::Calls().clear();
    Paint(s.Canvas()->Handle());
    return Drawn();
  };
  using V = std::vector<std::string>;
  static constexpr int kMdiParts[3] = {16, 22, 20};
  for (int kind = 0; kind < 3; ++kind) {
    const int states[5] = {1, 4, 2, 1, 3};  // normal, disabled, hot, other, pushed
    for (int state = 0; state < 5; ++state)
      EXPECT_EQ(drawn([&](HDC dc) { p.DrawMDIButton(Bar, dc, {2, 2, 18, 16}, kind, state); }),
                V{"WINDOW," + std::to_string(kMdiParts[kind]) + "," + std::to_string(states[state])})
          << kind << " " << state;
  }
  for (int state = 0; state < 3; ++state)
    EXPECT_EQ(drawn([&](HDC dc) { p.DrawFloatCloseGlyph(Bar, dc, {2, 2, 16, 16}, state, true); }),
              V{"WINDOW,19," + std::to_string(state + 1)});
  EXPECT_EQ(drawn([&](HDC dc) { p.DrawToolbarSeparator(Bar, dc, {2, 2, 8, 30}, false, nullptr); }),
            V{"TOOLBAR,5,1"});
  EXPECT_EQ(drawn([&](HDC dc) { p.DrawToolbarSeparator(Bar, dc, {2, 2, 30, 8}, true, nullptr); }),
            V{"TOOLBAR,6,1"});
  EXPECT_EQ(drawn([&](HDC dc) { p.DrawSeparatorLine(dc, {2, 2, 30, 8}); }), V{"TOOLBAR,6,1"});
  // The docked grip: the rebar's gripper after shrinking by 2, turned on vertical bars.
  Bar->Grip = false;
  EXPECT_TRUE(drawn([&](HDC dc) { TRect r(0, 0, 60, 26); p.DrawDockedBarFrame(Bar, dc, r, nullptr); }).empty());
  Bar->Grip = true;
  TRect frame(0, 0, 60, 26);
  EXPECT_EQ(drawn([&](HDC dc) { p.DrawDockedBarFrame(Bar, dc, frame, nullptr); }), V{"REBAR,1,1"});
  EXPECT_EQ(frame, TRect(2, 2, 58, 24));
  Bar->Vertical = true;
  EXPECT_EQ(drawn([&](HDC dc) { TRect r(0, 0, 26, 60); p.DrawDockedBarFrame(Bar, dc, r, nullptr); }), V{"REBAR,2,1"});
  Bar->Vertical = false;
  // Combo buttons by state.
  TdxBarEditLikeControlDrawParams e(Item);
  struct Combo {
    bool enabled, selected, dropped;
    const char* want;
  } combos[] = {{true, false, false, "COMBOBOX,1,1"},
                {true, true, false, "COMBOBOX,1,2"},
                {true, true, true, "COMBOBOX,1,3"},
                {false, true, true, "COMBOBOX,1,4"}};
  for (const Combo& c : combos) {
    e.Enabled = c.enabled;
    EXPECT_EQ(drawn([&](HDC dc) { p.DrawComboButton(e, dc, {40, 2, 56, 20}, c.selected, c.dropped); }), V{c.want});
  }
  e.Enabled = true;
  // Push buttons: pressed or hot.
  EXPECT_EQ(drawn([&](HDC dc) { p.DrawPushButton(dc, {2, 2, 50, 20}, "Today", true); }), V{"TOOLBAR,1,3"});
  EXPECT_EQ(drawn([&](HDC dc) { p.DrawPushButton(dc, {2, 2, 50, 20}, "Today", false); }), V{"TOOLBAR,1,2"});
  // The edit frame: the part around the content, the content cut out of the clip, R the content.
  FakeThemeLibrary::ContentMargins()[{"EDIT", 1, 1}] = {2, 2, 2, 2};
  Surface s(60, 40, clRed);
  HDC dc = s.Canvas()->Handle();
  TRect r(4, 4, 50, 24);
  p.DrawEditFrame(e, dc, r, true);
  EXPECT_EQ(r, TRect(6, 6, 48, 22));
  EXPECT_EQ(s.At(4, 4), Part("EDIT", 1, 1));
  EXPECT_EQ(s.At(20, 12), RGB(255, 0, 0)) << "the content is left to the text";
  // Progress: the track, then the chunk over the done part of its content.
  FakeThemeLibrary::ContentMargins()[{"PROGRESS", 1, 0}] = {1, 1, 1, 1};
  EXPECT_EQ(drawn([&](HDC dc2) { p.DrawProgress(Bar, dc2, {0, 0, 50, 10}, 0, 100, 50, false, false); }),
            (V{"PROGRESS,1,0", "PROGRESS,3,0"}));
  Surface t(60, 20, clRed);
  p.DrawProgress(Bar, t.Canvas()->Handle(), {0, 0, 50, 10}, 0, 100, 50, false, false);
  EXPECT_EQ(t.At(1, 5), Part("PROGRESS", 3, 0));
  EXPECT_EQ(t.At(24, 5), Part("PROGRESS", 3, 0));
  EXPECT_EQ(t.At(26, 5), Part("PROGRESS", 1, 0));
  EXPECT_EQ(t.At(0, 5), Part("PROGRESS", 1, 0));
}

}  // namespace
}  // namespace barpaintertest
