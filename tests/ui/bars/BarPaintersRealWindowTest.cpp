// The bar painters on a real X server through the sdl backend: what the server itself shows where a
// flat toolbar item joins its open menu, the Office11 link colours by the menu's side, the shadow
// strips by style, and a system colour change in Office11. Toolbars and menus are native windows of
// their own here, so each check reads the server's screenshot, not a backing store.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/RealWindowPump.h"
#include "tests/support/X11.h"
#include "tests/ui/bars/BarPainterFixture.h"
#include "tests/ui/bars/BarPaintersOnWindowsFixture.h"
#include "ui/bars/BarOffice11Colors.h"
#include "ui/bars/BarShadow.h"

using namespace win;

namespace {

using barpainterwindows::BrushColour;
using testsupport::Screenshot;

// A colour the screen should show at a point of the screen.
struct Probe {
  TPoint At;
  COLORREF Colour;
  std::string What;
};

std::uint32_t ScreenColour(COLORREF C) { return GetRValue(C) << 16 | GetGValue(C) << 8 | GetBValue(C); }

std::string Hex(std::uint32_t V) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(V));
  return text;
}

class BarPaintersRealWindow : public barpainterwindows::BarPaintersOnWindowsFixture {
 protected:
  static void SetUpTestSuite() { skip_ = new std::string(testsupport::StartForRealWindows(server_)); }
  static void TearDownTestSuite() {
    server_.Stop();
    delete skip_;
    skip_ = nullptr;
  }
  std::unique_ptr<platform::Display> MakeDisplay() override { return platform::CreateSdlDisplay(); }
  void SetUp() override {
    if (!skip_->empty()) GTEST_SKIP() << "real-window tests skipped: " << *skip_;
    BarPaintersOnWindowsFixture::SetUp();
  }
  void TearDown() override {
    if (!skip_->empty()) return;
    BarPaintersOnWindowsFixture::TearDown();
  }

  // A point of a window's client area, or of its whole window, on the screen.
  static TPoint OnScreen(TWinControl* W, int X, int Y) {
    POINT p{X, Y};
    ClientToScreen(W->Handle(), &p);
    return {p.x, p.y};
  }
  static TPoint OnScreenFromWindow(TWinControl* W, int X, int Y) {
    const TRect r = ScreenRect(W);
    return {r.Left + X, r.Top + Y};
  }

  // Pumps until the server's screen shows every probe, then reports those it never showed; the
  // last screenshot is kept as `Name`.
  void ExpectScreenShows(const std::vector<Probe>& Probes, const std::string& Name) {
    Screenshot shot;
    auto shows = [&] {
      for (const Probe& p : Probes)
        if (shot.At(p.At.X, p.At.Y) != ScreenColour(p.Colour)) return false;
      return true;
    };
    testsupport::PumpUntil([&] {
      shot = testsupport::GrabScreen();
      return !shot.pixels.empty() && shows();
    });
    testsupport::SaveScreenshot(shot, Name);
    ASSERT_FALSE(shot.pixels.empty()) << "the server's screen could not be read";
    for (const Probe& p : Probes)
      EXPECT_EQ(Hex(shot.At(p.At.X, p.At.Y)), Hex(ScreenColour(p.Colour)))
          << p.What << " at (" << p.At.X << ", " << p.At.Y << ")";
  }

  static testsupport::XServer server_;
  static std::string* skip_;
};

testsupport::XServer BarPaintersRealWindow::server_;
std::string* BarPaintersRealWindow::skip_ = nullptr;

TEST_F(BarPaintersRealWindow, AFlatItemIsOpenTowardsItsMenuBelowAboveAndBeside) {
  enum Side { Below, Above, Beside };
  struct Case {
    const char* What;
    TdxBarDockingStyle Docking;
    int FloatTop;
    Side Seam;
  } cases[] = {
      {"a menu below a toolbar button", dsTop, 0, Below},
      {"a menu flipped above it at the screen's bottom", dsNone, 690, Above},
      {"a menu beside a vertical toolbar's button", dsLeft, 0, Beside},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.What);
    TdxBar* bar = NewBar(k.What, k.Docking, {SubItem("Wall", {Button("Split"), Button("Merge")})}, 300, k.FloatTop);
    if (k.Docking == dsTop) Place(bar, 0, 300);
    if (k.Docking == dsLeft) Place(bar, 0, 200);
    TdxBarSubMenuControl* menu = Open(bar, 0);
    ASSERT_NE(menu, nullptr);
    TdxBarControl* w = bar->Control();
    const TRect r = bar->ItemLinks()->Items(0)->ItemRect();
    const TRect m = ScreenRect(menu), owner = w->ControlScreenRect(bar->ItemLinks()->Items(0)->Control());
    switch (k.Seam) {
      case Below: ASSERT_EQ(m.Top, owner.Bottom); break;
      case Above: ASSERT_EQ(m.Bottom, owner.Top); break;
      case Beside: ASSERT_EQ(m.Left, owner.Right); break;
    }
    const COLORREF border = BrushColour(M->FlatToolbarsBorderBrush());
    const COLORREF link = BrushColour(w->BarPainter()->ControlBrush(w));
    ASSERT_NE(border, link);
    // The frame's far side, as the toolbar drew it (a sub-item's arrow may lie beside the frame).
    int far = r.Left;
    for (int x = r.Left; x < r.Right; ++x)
      if (Pixel(w, x, k.Seam == Above ? r.Bottom - 1 : r.Top) == border) far = x;
    ASSERT_GT(far, r.Left + 4);
    const int midY = (r.Top + r.Bottom) / 2;
    std::vector<Probe> probes{{OnScreen(w, r.Left, midY), border, "the left side's frame"}};
    if (k.Seam == Beside) {
      probes.push_back({OnScreen(w, far, midY), link, "the open seam"});
      probes.push_back({OnScreen(w, far, r.Top + 1), link, "the seam from its first pixel"});
      probes.push_back({OnScreenFromWindow(menu, 0, 4), border, "the menu's own border along the seam"});
    } else {
      const int seam = k.Seam == Below ? r.Bottom - 1 : r.Top;
      probes.push_back({OnScreen(w, r.Left + 1, seam), link, "the seam from its first pixel"});
      // Above the item the menu's shadow strip covers the seam from S pixels in: a bare server
      // shows it black.
      if (k.Seam == Above) {
        probes.push_back({OnScreen(w, r.Left + 3, seam), link, "the open seam"});
        probes.push_back({OnScreen(w, (r.Left + far) / 2, seam), 0, "the menu's shadow over the seam"});
      } else {
        probes.push_back({OnScreen(w, (r.Left + far) / 2, seam), link, "the open seam"});
      }
      probes.push_back({OnScreen(w, far, midY), border, "the right side's frame"});
      probes.push_back({OnScreenFromWindow(menu, 4, k.Seam == Below ? 0 : menu->Height() - 1), border,
                        "the menu's own border along the seam"});
    }
    if (k.Seam != Above) probes.push_back({OnScreen(w, r.Left + 3, r.Top), border, "the top's frame"});
    if (k.Seam != Below) probes.push_back({OnScreen(w, r.Left + 3, r.Bottom - 1), border, "the bottom's frame"});
    ExpectScreenShows(probes, "bars/joined-real-window-" + std::to_string(static_cast<int>(k.Seam)) + ".png");
    bar->ItemLinks()->Items(0)->Control()->Deactivate(true);
    Pump();
    bar->SetVisible(false);
  }
}

TEST_F(BarPaintersRealWindow, Office11TakesTheSecondDroppedColourBelowAndTheFirstAbove) {
  M->SetStyle(bmsOffice11);
  for (const bool below : {true, false}) {
    SCOPED_TRACE(below ? "below" : "above");
    TdxBar* bar = NewBar("Links", dsNone, {SubItem("Wall", {Button("Split")})}, 300, below ? 100 : 690);
    TdxBarSubMenuControl* menu = Open(bar, 0);
    ASSERT_NE(menu, nullptr);
    TdxBarControl* w = bar->Control();
    const TRect r = bar->ItemLinks()->Items(0)->ItemRect();
    const TRect m = ScreenRect(menu), owner = w->ControlScreenRect(bar->ItemLinks()->Items(0)->Control());
    ASSERT_EQ(below ? m.Top : m.Bottom, below ? owner.Bottom : owner.Top);
    // A menu above its item casts the bottom strip of its shadow over the item from S pixels in
    // (the menu's owner casts a shadow of its own); the link shows where the strip leaves it.
    const int y = below ? r.Bottom - 1 : r.Top;
    ExpectScreenShows({{OnScreen(w, below ? (r.Left + r.Right) / 2 : r.Left + 2, y),
                        ColorToRGB(below ? Office11DroppedColor2 : Office11DroppedColor1), "the link row"},
                       {OnScreen(w, r.Left, (r.Top + r.Bottom) / 2), ColorToRGB(BrushColour(Office11BorderBrush)),
                        "the item's left frame"}},
                      std::string("bars/office11-link-real-window-") + (below ? "below" : "above") + ".png");
    bar->ItemLinks()->Items(0)->Control()->Deactivate(true);
    Pump();
    bar->SetVisible(false);
  }
}

// A bare server blends nothing: a shadow strip shows as the black of its premultiplied pixels.
TEST_F(BarPaintersRealWindow, AnOpenMenuCastsAShadowUnderFlatAndOffice11AndAFloatingToolbarOnlyUnderFlat) {
  ASSERT_FALSE(platform::CurrentDisplay().SupportsTranslucency()) << "a bare server: no blending";
  struct Case {
    TdxBarManagerStyle Style;
    bool MenuShadow, FloatingShadow;
  } cases[] = {{bmsStandard, false, false}, {bmsEnhanced, false, false}, {bmsFlat, true, true}, {bmsOffice11, true, false}};
  const COLORREF face = ColorToRGB(Form->Color());
  for (const Case& k : cases) {
    const std::string name = GetEnumName(TypeInfo<TdxBarManagerStyle>(), k.Style);
    SCOPED_TRACE(name);
    M->SetStyle(k.Style);
    TdxBar* floating = NewBar("Floating", dsNone, {SubItem("Wall", {Button("Split"), Button("Merge")})}, 200, 100);
    TdxBarSubMenuControl* menu = Open(floating, 0);
    ASSERT_NE(menu, nullptr);
    // Both windows stand over the form; the strips lie along their right and bottom edges.
    const TRect m = ScreenRect(menu), f = ScreenRect(floating->Control());
    ASSERT_LT(std::max(m.Right, f.Right) + 4, Form->Width());
    const COLORREF shade = 0;
    ExpectScreenShows({{{m.Right + 1, (m.Top + m.Bottom) / 2}, k.MenuShadow ? shade : face, "right of the menu"},
                       {{(m.Left + m.Right) / 2, m.Bottom + 1}, k.MenuShadow ? shade : face, "below the menu"},
                       {{f.Right + 1, f.Top + 6}, k.FloatingShadow ? shade : face, "right of the floating toolbar"},
                       {{m.Right + 5, (m.Top + m.Bottom) / 2}, face, "beyond the strips"}},
                      "bars/shadows-real-window-" + name + ".png");
    floating->ItemLinks()->Items(0)->Control()->Deactivate(true);
    Pump();
    floating->SetVisible(false);
  }
}

// The painter caches no colour: a system colour change shows at the next paint of every window.
TEST_F(BarPaintersRealWindow, ASystemColourChangeShowsInOffice11) {
  M->SetStyle(bmsOffice11);
  TdxBar* floating = NewBar("Floating", dsNone, {SubItem("Wall", {Button("Split")})}, 200, 100);
  TdxBarSubMenuControl* menu = Open(floating, 0);
  ASSERT_NE(menu, nullptr);
  TdxBarControl* w = floating->Control();
  const TPoint frame = OnScreenFromWindow(w, 0, 10), item = OnScreenFromWindow(menu, menu->Width() - 4, 6);
  auto probes = [&] {
    return std::vector<Probe>{{frame, ColorToRGB(Office11FloatBorderColor), "the floating frame"},
                              {item, BrushColour(Office11MenuBrush), "the menu's item area"}};
  };
  ExpectScreenShows(probes(), "bars/office11-colours-before-real-window.png");
  const std::vector<Probe> before = probes();
  barpaintertest::TScopedSysColors colours(
      {{COLOR_BTNSHADOW, RGB(40, 90, 160)}, {COLOR_WINDOW, RGB(250, 240, 200)}, {COLOR_BTNFACE, RGB(180, 200, 220)}});
  Repaint(w);
  Repaint(menu);
  const std::vector<Probe> after = probes();
  for (std::size_t i = 0; i < after.size(); ++i) ASSERT_NE(after[i].Colour, before[i].Colour) << after[i].What;
  ExpectScreenShows(after, "bars/office11-colours-after-real-window.png");
  floating->ItemLinks()->Items(0)->Control()->Deactivate(true);
  Pump();
}

}  // namespace
