// Drop shadows: where the strips go for each way a menu can touch what it dropped from, their
// alpha on the headless composite, the 2-pixel fallback, and the strips as windows (behind the
// menu, transparent to the mouse, rebuilt on a move, hidden without a rebuild).
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/system/Modules.h"
#include "platform/win/Hooks.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarItemControlFixture.h"
#include "ui/bars/BarShadow.h"
#include "ui/foundation/BitmapPixels.h"
#include "ui/foundation/Geometry.h"

namespace {

using namespace win;

struct PartRow {
  TRect Bounds;
  int Kind, Ends;
};

bool operator==(const PartRow& A, const PartRow& B) {
  return A.Bounds == B.Bounds && A.Kind == B.Kind && A.Ends == B.Ends;
}

void PrintTo(const PartRow& P, std::ostream* Out) {
  *Out << "{(" << P.Bounds.Left << "," << P.Bounds.Top << "," << P.Bounds.Right << "," << P.Bounds.Bottom << ") kind "
       << P.Kind << " ends " << P.Ends << "}";
}

std::vector<PartRow> PartsOf(const TdxBarShadow& Shadow) {
  std::vector<PartRow> parts;
  for (int i = 0; i < TdxBarShadow::MaxParts; ++i)
    if (TdxBarShadowPart* p = Shadow.Parts(i)) parts.push_back({TRect(p->BoundsRect()), p->StripKind(), p->FadedEnds()});
  return parts;
}

// ---- geometry: no windows, only the strips' places -----------------------------------------------

class BarShadowGeometryTest : public ::testing::Test {
 protected:
  void TearDown() override {
    UpdateLayeredWindowProc = FSavedProc;
    ScreenColorDepth = FSavedDepth;
  }
  // S = 4 with layered windows, 2 without.
  void UseThickness(int S) {
    UpdateLayeredWindowProc = S == 4 ? &win::UpdateLayeredWindow : nullptr;
    ScreenColorDepth = 32;
  }

 private:
  TUpdateLayeredWindowProc FSavedProc = UpdateLayeredWindowProc;
  int FSavedDepth = ScreenColorDepth;
};

TEST_F(BarShadowGeometryTest, StripsGoRoundTheWindowAndWhatItDroppedFrom) {
  constexpr int L = dxBarShadowFadeLeft, R = dxBarShadowFadeRight, T = dxBarShadowFadeTop;
  const TRect menu{100, 100, 200, 180}, item{300, 100, 400, 120};
  struct Row {
    const char* Case;
    int S;
    TRect Owner, Window;
    bool Horizontal;
    std::vector<PartRow> Parts;
  };
  const Row rows[] = {
      {"menu below a narrower button", 4, {100, 80, 130, 100}, menu, true,
       {{{130, 84, 134, 100}, 1, T}, {{104, 180, 204, 184}, 0, L | R}, {{200, 104, 204, 180}, 1, T}}},
      {"menu below a wider button", 4, {60, 80, 250, 100}, menu, true,
       {{{250, 84, 254, 100}, 1, T},
        {{104, 180, 204, 184}, 0, L | R},
        {{64, 100, 100, 104}, 0, L},
        {{200, 100, 254, 104}, 0, R},
        {{200, 100, 204, 180}, 1, 0}}},
      {"popup at a point", 4, {}, menu, true, {{{104, 180, 204, 184}, 0, L | R}, {{200, 104, 204, 180}, 1, T}}},
      {"sub-menu beside a taller item", 4, {100, 100, 200, 160}, {200, 110, 300, 140}, false,
       {{{300, 114, 304, 140}, 1, T},
        {{200, 104, 204, 110}, 1, T},
        {{104, 160, 204, 164}, 0, L | R},
        {{200, 140, 204, 160}, 1, 0},
        {{200, 140, 304, 144}, 0, R}}},
      {"sub-menu beside a shorter item", 4, {100, 100, 200, 120}, {200, 100, 300, 200}, false,
       {{{300, 104, 304, 200}, 1, T}, {{104, 120, 200, 124}, 0, L}, {{204, 200, 304, 204}, 0, L | R}}},
      {"menu flipped above its button", 4, {100, 180, 130, 200}, menu, true,
       {{{200, 104, 204, 180}, 1, T},
        {{104, 200, 134, 204}, 0, L | R},
        {{130, 180, 204, 184}, 0, R},
        {{130, 180, 134, 200}, 1, 0}}},
      {"sub-menu left of its item", 4, item, {200, 100, 300, 200}, false,
       {{{400, 104, 404, 120}, 1, T},
        {{204, 200, 304, 204}, 0, L | R},
        {{300, 120, 304, 200}, 1, 0},
        {{300, 120, 404, 124}, 0, R}}},

      {"menu below a narrower button", 2, {100, 80, 130, 100}, menu, true,
       {{{130, 82, 132, 100}, 1, T}, {{102, 180, 202, 182}, 0, L | R}, {{200, 102, 202, 180}, 1, T}}},
      {"menu below a wider button", 2, {60, 80, 250, 100}, menu, true,
       {{{250, 82, 252, 100}, 1, T},
        {{102, 180, 202, 182}, 0, L | R},
        {{62, 100, 100, 102}, 0, L},
        {{200, 100, 252, 102}, 0, R},
        {{200, 100, 202, 180}, 1, 0}}},
      {"popup at a point", 2, {}, menu, true, {{{102, 180, 202, 182}, 0, L | R}, {{200, 102, 202, 180}, 1, T}}},
      {"sub-menu beside a taller item", 2, {100, 100, 200, 160}, {200, 110, 300, 140}, false,
       {{{300, 112, 302, 140}, 1, T},
        {{200, 102, 202, 110}, 1, T},
        {{102, 160, 202, 162}, 0, L | R},
        {{200, 140, 202, 160}, 1, 0},
        {{200, 140, 302, 142}, 0, R}}},
      {"sub-menu beside a shorter item", 2, {100, 100, 200, 120}, {200, 100, 300, 200}, false,
       {{{300, 102, 302, 200}, 1, T}, {{102, 120, 200, 122}, 0, L}, {{202, 200, 302, 202}, 0, L | R}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.Case << ", S = " << row.S);
    UseThickness(row.S);
    ASSERT_EQ(BarShadowStripThickness(), row.S);
    TdxBarShadow shadow(nullptr);
    shadow.SetBounds(row.Owner, row.Window);
    EXPECT_EQ(shadow.HorizontalSeam(), row.Horizontal);
    EXPECT_EQ(PartsOf(shadow), row.Parts);
    EXPECT_EQ(shadow.PartCount(), static_cast<int>(row.Parts.size()));
  }
}

TEST_F(BarShadowGeometryTest, TheUpperOrLeftRectangleComesFirst) {
  UseThickness(4);
  TdxBarShadow shadow(nullptr);
  const TRect menu{100, 100, 200, 180};
  shadow.SetBounds({100, 80, 130, 100}, menu);
  EXPECT_EQ(shadow.FirstRect(), (TRect{100, 80, 130, 100})) << "button above the menu";
  shadow.SetBounds({100, 180, 130, 200}, menu);
  EXPECT_EQ(shadow.FirstRect(), menu) << "menu above the button";
  EXPECT_EQ(shadow.SecondRect(), (TRect{100, 180, 130, 200}));
  shadow.SetBounds({200, 100, 300, 120}, menu);
  EXPECT_EQ(shadow.FirstRect(), menu) << "menu left of the item";
  EXPECT_FALSE(shadow.HorizontalSeam());
  shadow.SetBounds({}, {100, 100, 200, 0});
  EXPECT_EQ(shadow.FirstRect(), TRect{}) << "an empty owner never takes the window's place";
}

TEST_F(BarShadowGeometryTest, APartsPictureFadesFromItsEdgeAndAtItsEnds) {
  UseThickness(4);
  TdxBarShadow shadow(nullptr);
  shadow.SetBounds({}, {100, 100, 200, 180});
  // Part 0: below the window (fading at both ends); part 1: right of it (fading at the top).
  auto alphaOf = [](TdxBarShadowPart* P) {
    TRGBColors colors;
    EXPECT_TRUE(GetBitmapColors(P->AlphaImage()->Handle(), colors, true));
    std::vector<std::vector<int>> rows(static_cast<std::size_t>(P->Height()));
    for (int y = 0; y < P->Height(); ++y)
      for (int x = 0; x < P->Width(); ++x) {
        const TRGBQuad q = colors[static_cast<std::size_t>(y) * P->Width() + x];
        EXPECT_EQ(q.rgbRed | q.rgbGreen | q.rgbBlue, 0) << "black at " << x << "," << y;
        rows[static_cast<std::size_t>(y)].push_back(q.rgbReserved);
      }
    return rows;
  };
  const auto below = alphaOf(shadow.Parts(0));
  ASSERT_EQ(below.size(), 4u);
  ASSERT_EQ(below[0].size(), 100u);
  for (int y = 0; y < 4; ++y) {
    const int edge = 60 - 15 * y;
    EXPECT_EQ(below[y][50], edge) << "row " << y;
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(below[y][k], MulDiv(edge, k + 1, 5)) << "left end, row " << y << " column " << k;
      EXPECT_EQ(below[y][99 - k], MulDiv(edge, k + 1, 5)) << "right end, row " << y;
    }
  }
  EXPECT_EQ((std::vector<int>{below[0][0], below[0][1], below[0][2], below[0][3], below[0][4]}),
            (std::vector<int>{12, 24, 36, 48, 60}));
  const auto right = alphaOf(shadow.Parts(1));
  ASSERT_EQ(right.size(), 76u);
  EXPECT_EQ(right[40], (std::vector<int>{60, 45, 30, 15})) << "columns fade from the window's edge";
  EXPECT_EQ(right[0], (std::vector<int>{12, 9, 6, 3})) << "the top end";
  EXPECT_EQ(right[3], (std::vector<int>{48, 36, 24, 12}));
  EXPECT_EQ(right[75], right[40]) << "the bottom end does not fade";
}

// ---- strips as windows on the headless screen -----------------------------------------------------

class BarShadowTest : public BarItemControlFixture {
 protected:
  void SetUp() override {
    BarItemControlFixture::SetUp();
    M->SetStyle(bmsFlat);
    Form->SetColor(clWhite);
    Form->SetBounds(200, 150, 500, 400);
  }
  void TearDown() override {
    platform::SetScreenBitsPerPixel(32);
    RefreshScreenConstants();
    BarItemControlFixture::TearDown();
  }
  // A menu window at a screen place, its shadow shown.
  TStandInBar* Menu(const TRect& R, const TRect& Owner = {}) {
    TStandInBar* bar = NewBar(dxBarKindMenu, {Make("Open"), Make("Save")}, R.Left, R.Top);
    bar->AutoSize = false;
    bar->SetOwnerScreenBounds(Owner);
    bar->SetBounds(R.Left, R.Top, WidthOfRect(R), HeightOfRect(R));
    Settle();
    return bar;
  }
  static void Settle() { Application->ProcessMessages(); }
  static std::uint32_t ScreenAt(int X, int Y) {
    int w = 0, h = 0;
    const std::vector<std::uint32_t> screen = platform::Headless()->ComposeScreen(w, h);
    return screen[static_cast<std::size_t>(Y) * w + X] & 0xFFFFFF;
  }
  static int Grey(std::uint32_t Pixel) { return static_cast<int>(Pixel & 0xFF); }
  // Every part's window handle (none for a part without one).
  static std::vector<HWND> Windows(TdxBarShadow* Shadow) {
    std::vector<HWND> windows;
    for (int i = 0; i < TdxBarShadow::MaxParts; ++i)
      if (TdxBarShadowPart* p = Shadow->Parts(i); p && p->HandleAllocated()) windows.push_back(p->Handle());
    return windows;
  }
};

TEST_F(BarShadowTest, StripsShowTheirAlphaOverAWhiteForm) {
  // The window's bottom-left corner at (253, 300): a 3-pixel strip below the wider button's part.
  TStandInBar* bar = Menu({250, 200, 350, 260}, {243, 180, 400, 200});
  TdxBarShadow* shadow = bar->Shadow();
  ASSERT_TRUE(shadow->Shown());
  ASSERT_TRUE(BarShadowLayered());

  // Below the window: rows at 60, 45, 30, 15 from the edge show 255 - alpha over white.
  const int y0 = 260;
  for (int y = 0; y < 4; ++y) EXPECT_EQ(Grey(ScreenAt(300, y0 + y)), 255 - (60 - 15 * y)) << "row " << y;
  EXPECT_EQ(ScreenAt(300, y0 + 4), 0xFFFFFFu) << "nothing beyond the strip";
  // Its left end fades in over four columns: 12, 24, 36, 48 in the top row.
  for (int k = 0; k < 4; ++k) EXPECT_EQ(Grey(ScreenAt(254 + k, y0)), 255 - 12 * (k + 1)) << "column " << k;
  EXPECT_EQ(Grey(ScreenAt(258, y0)), 195);

  // The strip under the button's part left of the window is 3 pixels wide: neither built nor shown.
  TdxBarShadowPart* narrow = nullptr;
  for (int i = 0; i < TdxBarShadow::MaxParts; ++i)
    if (TdxBarShadowPart* p = shadow->Parts(i); p && p->FadedEnds() == dxBarShadowFadeLeft) narrow = p;
  ASSERT_NE(narrow, nullptr);
  EXPECT_EQ(TRect(narrow->BoundsRect()), (TRect{247, 200, 250, 204}));
  EXPECT_FALSE(narrow->Buildable());
  EXPECT_TRUE(narrow->AlphaImage()->Empty());
  EXPECT_FALSE(narrow->HandleAllocated());
  EXPECT_EQ(ScreenAt(248, 200), 0xFFFFFFu);
  // The seam under the window's top edge stays free: the window's right strip begins at the owner.
  EXPECT_EQ(ScreenAt(352, 199), 0xFFFFFFu) << "no shadow over the owner's own area";

  SaveScreenArea("bars/shadow-alpha-flat.png", {230, 170, 420, 280});
}

// Without layered windows, at 8 bits a pixel or with the entry point hidden from the binder.
class BarShadowFallbackTest : public BarShadowTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    if (GetParam())
      platform::SetScreenBitsPerPixel(8);
    else
      platform::HideModuleEntry("user32.dll", "UpdateLayeredWindow");
    BarShadowTest::SetUp();
  }
};

TEST_P(BarShadowFallbackTest, StripsAreTwoPixelBlackLines) {
  EXPECT_EQ(UpdateLayeredWindowProc == nullptr, !GetParam());
  EXPECT_EQ(ScreenColorDepth, GetParam() ? 8 : 32);
  TStandInBar* bar = Menu({250, 200, 350, 260});
  EXPECT_FALSE(BarShadowLayered());
  const std::vector<PartRow> parts = PartsOf(*bar->Shadow());
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[0].Bounds, (TRect{252, 260, 352, 262}));
  EXPECT_EQ(parts[1].Bounds, (TRect{350, 202, 352, 260}));
  ASSERT_EQ(Windows(bar->Shadow()).size(), 2u);
  for (HWND w : Windows(bar->Shadow())) {
    EXPECT_EQ(GetWindowLong(w, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_TRUE(IsWindowVisible(w));
  }
  // A strip that never paints shows the black a surface starts with.
  EXPECT_EQ(ScreenAt(300, 260), 0u);
  EXPECT_EQ(ScreenAt(300, 261), 0u);
  EXPECT_EQ(ScreenAt(300, 262), 0xFFFFFFu);
  EXPECT_EQ(ScreenAt(351, 230), 0u);
}

INSTANTIATE_TEST_SUITE_P(EightBitsOrNoEntryPoint, BarShadowFallbackTest, ::testing::Bool());

TEST_F(BarShadowTest, AClickOnAStripReachesTheFormBeneath) {
  TStandInBar* bar = Menu({250, 200, 350, 260});
  int downs = 0;
  TPoint at{};
  Form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) {
    ++downs;
    at = {X, Y};
  };
  ASSERT_EQ(Windows(bar->Shadow()).size(), 2u);
  EXPECT_EQ(WindowFromPoint({300, 261}), Form->Handle());
  platform::Headless()->InjectMouseMove(300, 261);
  platform::Headless()->InjectMouseButton(platform::kButtonLeft, true);
  platform::Headless()->InjectMouseButton(platform::kButtonLeft, false);
  Settle();
  EXPECT_EQ(downs, 1);
  const POINT client = Form->ScreenToClient(POINT{300, 261});
  EXPECT_EQ(at, (TPoint{client.x, client.y}));
}

TEST_F(BarShadowTest, StripsLieRightBehindTheMenuAndTopmostWithATopmostMenu) {
  TStandInBar* bar = Menu({250, 200, 350, 260}, {250, 180, 280, 200});
  const std::vector<HWND> parts = Windows(bar->Shadow());
  ASSERT_EQ(parts.size(), 3u);
  std::set<HWND> behind;
  HWND next = bar->Handle();
  for (std::size_t i = 0; i < parts.size(); ++i) behind.insert(next = GetWindow(next, GW_HWNDNEXT));
  EXPECT_EQ(behind, std::set<HWND>(parts.begin(), parts.end())) << "the next windows down are the strips";
  for (HWND w : parts) {
    EXPECT_EQ(GetWindow(w, GW_OWNER), bar->Handle());
    EXPECT_EQ(GetWindowLong(w, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(GetWindowLong(w, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  }

  SetWindowPos(bar->Handle(), HWND_TOPMOST, 260, 210, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  Settle();
  const std::vector<HWND> topmost = Windows(bar->Shadow());
  ASSERT_EQ(topmost.size(), 2u) << "moved off its owner: the shadow of the window alone";
  for (HWND w : topmost) EXPECT_NE(GetWindowLong(w, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  next = bar->Handle();
  behind.clear();
  for (std::size_t i = 0; i < topmost.size(); ++i) behind.insert(next = GetWindow(next, GW_HWNDNEXT));
  EXPECT_EQ(behind, std::set<HWND>(topmost.begin(), topmost.end()));
}

TEST_F(BarShadowTest, MovingRebuildsAndHidingKeepsTheStrips) {
  TStandInBar* bar = Menu({250, 200, 350, 260});
  TdxBarShadow* shadow = bar->Shadow();
  const std::vector<PartRow> before = PartsOf(*shadow);
  ASSERT_EQ(before.size(), 2u);

  bar->SetBounds(280, 230, 100, 60);
  Settle();
  const std::vector<PartRow> moved = PartsOf(*shadow);
  ASSERT_EQ(moved.size(), 2u);
  EXPECT_EQ(moved[0].Bounds, ShiftRect(before[0].Bounds, 30, 30, true));
  EXPECT_EQ(moved[1].Bounds, ShiftRect(before[1].Bounds, 30, 30, true));
  EXPECT_EQ(Grey(ScreenAt(330, 290)), 195);
  EXPECT_EQ(ScreenAt(260, 261), 0xFFFFFFu) << "nothing left where the strip stood";

  // Hidden: the same strips, without windows; shown again: the same strips, with their pictures.
  TdxBarShadowPart* first = shadow->Parts(0);
  shadow->SetShown(false);
  Settle();
  EXPECT_EQ(shadow->Parts(0), first);
  EXPECT_EQ(PartsOf(*shadow), moved);
  EXPECT_TRUE(Windows(shadow).empty());
  EXPECT_EQ(ScreenAt(330, 290), 0xFFFFFFu);
  shadow->SetShown(true);
  Settle();
  EXPECT_EQ(shadow->Parts(0), first);
  EXPECT_EQ(Windows(shadow).size(), 2u);
  EXPECT_EQ(Grey(ScreenAt(330, 290)), 195) << "the picture comes back after it was put away";

  // Hiding the menu hides its shadow; freeing it takes the strips along.
  ShowWindow(bar->Handle(), SW_HIDE);
  Settle();
  EXPECT_FALSE(shadow->Shown());
  EXPECT_EQ(ScreenAt(330, 290), 0xFFFFFFu);
  bar->ShowNoActivate();
  Settle();
  EXPECT_EQ(Grey(ScreenAt(330, 290)), 195);
  TObject::Free(bar);
  Forget(bar);
  Settle();
  EXPECT_EQ(ScreenAt(330, 290), 0xFFFFFFu);
}

TEST_F(BarShadowTest, AStripWhoseWindowWentWithTheMenusWindowMakesANewOne) {
  TStandInBar* bar = Menu({250, 200, 350, 260});
  TdxBarShadowPart* part = bar->Shadow()->Parts(0);
  ASSERT_TRUE(part->HandleAllocated());
  bar->DestroyHandle();
  EXPECT_FALSE(part->HandleAllocated()) << "the owned strip went with the menu's window";
  bar->HandleNeeded();
  bar->ShowNoActivate();
  Settle();
  EXPECT_EQ(Windows(bar->Shadow()).size(), 2u);
  EXPECT_EQ(Grey(ScreenAt(300, 260)), 195);
}

// A menu with its shadow in each painter that casts one, over a white form.
TEST_F(BarShadowTest, Gallery) {
  const struct {
    TdxBarManagerStyle Style;
    const char* Name;
  } styles[] = {{bmsStandard, "standard"}, {bmsEnhanced, "enhanced"}, {bmsFlat, "flat"},
                {bmsOffice11, "office11"}, {bmsXP, "xp"}};
  int casting = 0;
  for (const auto& style : styles) {
    M->SetStyle(style.Style);
    TStandInBar* bar = NewBar(dxBarKindMenu, {Make("Open"), Make("Save"), Make("Close")}, 260, 210);
    bar->SetBounds(250, 200, bar->Width(), bar->Height());
    Settle();
    const bool wants = bar->ShowsShadow();
    EXPECT_EQ(bar->Shadow()->Shown(), wants) << style.Name;
    if (wants) {
      ++casting;
      const int bottom = 200 + bar->Height();
      EXPECT_EQ(Grey(ScreenAt(260, bottom)), 195) << style.Name;
      SaveScreenArea(std::string("bars/shadow-menu-") + style.Name + ".png",
                     {230, 180, 270 + bar->Width(), 220 + bar->Height()});
    }
    TObject::Free(bar);
    Forget(bar);
  }
  EXPECT_GE(casting, 2) << "Flat and Office11 at least";
}

}  // namespace
